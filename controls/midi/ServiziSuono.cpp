#include "controls/midi/ServiziSuono.h"

#include <QCoreApplication>

#include "controls/midi/FlussoFluid.h"
#include "controls/midi/FlussoRegistrato.h"
#include "controls/midi/MidiGen.h"
#include "controls/midi/SvegliaQt.h"
#include "platform/sound/Sintetizzatore.h"
#include "platform/sound/Suono.h"

namespace qx::midi {

namespace {

// The note player as the note statement sees it.
class TMidiGenLinguaggio : public qx::TMidiGen {
 public:
  explicit TMidiGenLinguaggio(midi::TMidiGen& g) : g_(g) {}
  void SetNote(int note) override { g_.SetNote(note); }
  int Note() const override { return g_.Note(); }
  // Without a device the note is silent and the statement still waits its time.
  void Play() override { (void)g_.Play(); }
  void Stop() override { g_.Stop(); }

 private:
  midi::TMidiGen& g_;
};

}  // namespace

// Declared in the order they are made; destroyed the other way round, so the player closes
// its stream before the stream, the synthesizer and the audio device go.
struct TServiziSuono::Parti {
  std::shared_ptr<std::vector<std::string>> registro;
  std::unique_ptr<suono::TSuono> suono;
  std::unique_ptr<suono::TSintetizzatore> sintetizzatore;
  std::unique_ptr<TFlussoMidi> flusso;
  std::unique_ptr<TSvegliaQt> sveglia;
  std::unique_ptr<TMidiGen> midiGen1;
  std::unique_ptr<TMidiGenLinguaggio> linguaggio;

  ~Parti() {
    linguaggio.reset();
    midiGen1.reset();
    flusso.reset();
    if (sintetizzatore && suono && suono->Mixer()) suono->Mixer()->RimuoviSorgente(sintetizzatore.get());
  }

  void CreaMidiGen() {
    midiGen1 = std::make_unique<TMidiGen>(*flusso);
    // The main window's player keeps its notes free of pitch glides.
    midiGen1->SetPBDuration(0);
    linguaggio = std::make_unique<TMidiGenLinguaggio>(*midiGen1);
  }
};

TServiziSuono::TServiziSuono() : p_(std::make_unique<Parti>()) {}
TServiziSuono::~TServiziSuono() = default;

std::unique_ptr<TServiziSuono> TServiziSuono::Dispositivo() {
  std::unique_ptr<TServiziSuono> s(new TServiziSuono());
  Parti& p = *s->p_;
  auto sdl = std::make_unique<suono::TSuonoSdl>();
  suono::TSuono* uscita = sdl.get();
  p.suono = std::move(sdl);
  p.sintetizzatore = std::make_unique<suono::TSintetizzatore>(uscita->Mixer()->Frequenza());
  uscita->Mixer()->AggiungiSorgente(p.sintetizzatore.get());
  p.flusso = std::make_unique<TFlussoFluid>(*p.sintetizzatore, *uscita->Mixer(), [uscita] { return uscita->Disponibile(); });
  if (QCoreApplication::instance()) p.sveglia = std::make_unique<TSvegliaQt>();
  p.CreaMidiGen();
  if (p.sveglia) p.midiGen1->ImpostaSveglia(p.sveglia->Sveglia(*p.midiGen1));
  return s;
}

std::unique_ptr<TServiziSuono> TServiziSuono::Registrazione(bool dispositivo) {
  std::unique_ptr<TServiziSuono> s(new TServiziSuono());
  Parti& p = *s->p_;
  p.registro = std::make_shared<std::vector<std::string>>();
  auto suono = std::make_unique<suono::TSuonoRegistrato>(p.registro);
  suono->Dispositivo = dispositivo;
  p.suono = std::move(suono);
  auto flusso = std::make_unique<TFlussoRegistrato>(p.registro);
  flusso->Dispositivo = dispositivo;
  p.flusso = std::move(flusso);
  p.CreaMidiGen();
  return s;
}

void TServiziSuono::Beep() { p_->suono->MessageBeep(); }
void TServiziSuono::BeepTono(int hz, int ms) { p_->suono->Beep(hz, ms); }
bool TServiziSuono::SuonaFile(const std::string& percorso) { return p_->suono->SuonaFile(percorso); }
qx::TMidiGen* TServiziSuono::MidiGen() { return p_->linguaggio.get(); }
TMidiGen& TServiziSuono::MidiGen1() { return *p_->midiGen1; }
suono::TSuono& TServiziSuono::Suono() { return *p_->suono; }

void TServiziSuono::Ferma() {
  p_->suono->FermaFile();
  p_->midiGen1->Stop();
}

void TServiziSuono::ImpostaOrologio(std::function<std::uint64_t()> orologio) {
  if (auto* r = dynamic_cast<TFlussoRegistrato*>(p_->flusso.get())) r->Orologio = std::move(orologio);
}

std::vector<std::string> TServiziSuono::Registro() const {
  return p_->registro ? *p_->registro : std::vector<std::string>{};
}

}  // namespace qx::midi
