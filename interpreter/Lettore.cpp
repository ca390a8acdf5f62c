#include "interpreter/Lettore.h"

#include <exception>

#include "interpreter/Espressioni.h"
#include "interpreter/IstruzioniCompilate.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"

namespace qx {

namespace {

constexpr const char* kRipeti = "RIPETI";
constexpr const char* kVolte = "VOLTE";

// The recorded statements of this run, each known by the place just after its first token.
class Memoria {
 public:
  CacheLetture<int>::Voce* VoceCorrente() {
    if (esecuzione_ != detail::gEsecuzione) {
      istruzioni_.clear();
      esecuzione_ = detail::gEsecuzione;
    }
    return cache_.VoceCorrente();
  }
  std::shared_ptr<IstruzioneCompilata> Elemento(int i) const {
    return i < 0 ? nullptr : istruzioni_[static_cast<std::size_t>(i)];
  }
  // Keeps `istruzione` (nullptr: a statement that is always read from its text) for the
  // place of `voce`, a read that started at character `ch` of `riga`.
  void Registra(CacheLetture<int>::Voce& voce, char32_t ch, std::u32string_view riga,
                std::shared_ptr<IstruzioneCompilata> istruzione) {
    int indice = -1;
    if (istruzione) {
      indice = static_cast<int>(istruzioni_.size());
      istruzioni_.push_back(std::move(istruzione));
    }
    CacheLetture<int>::Registra(voce, ch, riga, indice);
    if (!voce.piena && indice >= 0) istruzioni_.pop_back();
  }

 private:
  unsigned esecuzione_ = 0;
  std::vector<std::shared_ptr<IstruzioneCompilata>> istruzioni_;
  CacheLetture<int> cache_;
};

Memoria gMemoria;

}  // namespace

IstruzioneCompilata::IstruzioneCompilata() = default;
IstruzioneCompilata::~IstruzioneCompilata() = default;

namespace detail {

class Registrazione {
 public:
  explicit Registrazione(std::vector<Lettura>& letture) : letture(letture) {}
  std::vector<Lettura>& letture;
  bool fallita = false;

  Lettura& Nuova() {
    letture.emplace_back();
    return letture.back();
  }
  void Cattura(FineLettura& f) {
    if (!CatturaPosizione(f)) Fallisci();
  }
  // Nothing more can be recorded: the statements unwind as after an error.
  void Fallisci() {
    fallita = true;
    DatiGlob.bStop = true;
  }
};

Registrazione* gRegistrazione = nullptr;

void LeggiRegistrando() {
  // The token is read without the message hook: nothing runs while recording.
  Registrazione& r = *gRegistrazione;
  Lettura& l = r.Nuova();
  r.Cattura(l.prima);
  LeggiToken();
  r.Cattura(l.dopo);
  l.testo = DatiGlob.TokenCorrente;
  l.parole = ParoleDi(l.testo);
}

}  // namespace detail

std::uint16_t ParoleDi(const std::string& token) {
  const TParoleChiave& k = ParoleChiave;
  std::uint16_t p = 0;
  if (token == k.ESEGUI) p |= kParolaEsegui;
  if (token == k.PER) p |= kParolaPer;
  if (token == kRipeti) p |= kParolaRipeti;
  if (token == k.SE) p |= kParolaSe;
  if (token == k.FINE) p |= kParolaFine;
  if (token == k.FINQUANDO) p |= kParolaFinquando;
  if (token == k.ALLORA) p |= kParolaAllora;
  if (token == k.ALTRIMENTI) p |= kParolaAltrimenti;
  if (token == k.A) p |= kParolaA;
  if (token == kVolte) p |= kParolaVolte;
  return p;
}

bool Lettore::E(ParolaToken p) {
  const TParoleChiave& k = ParoleChiave;
  const std::string& t = DatiGlob.TokenCorrente;
  switch (p) {
    case kParolaEsegui: return t == k.ESEGUI;
    case kParolaPer: return t == k.PER;
    case kParolaRipeti: return t == kRipeti;
    case kParolaSe: return t == k.SE;
    case kParolaFine: return t == k.FINE;
    case kParolaFinquando: return t == k.FINQUANDO;
    case kParolaAllora: return t == k.ALLORA;
    case kParolaAltrimenti: return t == k.ALTRIMENTI;
    case kParolaA: return t == k.A;
    case kParolaVolte: return t == kVolte;
  }
  return false;
}

Valutato Lettore::Espressione(bool Esegui) {
  if (detail::Registrazione* r = detail::gRegistrazione) {
    Lettura& l = r->Nuova();
    r->Cattura(l.prima);
    l.espressione = CompilaEspressione();
    if (!l.espressione) r->Fallisci();
    else r->Cattura(l.dopo);
    return {};
  }
  return Valutato::Di(EvalExpression(Esegui));
}

Lettore::Segno Lettore::Salva() {
  Segno s;
  if (detail::gRegistrazione) s.letture = detail::gRegistrazione->letture.size();
  s.posizione = SalvaPosizione();
  s.token = DatiGlob.TokenCorrente;
  return s;
}

void Lettore::Ripristina(const Segno& s) {
  // Going back while recording: what is read again from there is what was read from there.
  if (detail::gRegistrazione) detail::gRegistrazione->letture.resize(s.letture);
  RipristinaPosizione(s.posizione);
}

void Lettore::RipristinaConToken(const Segno& s) {
  Ripristina(s);
  TDatiGlob& g = DatiGlob;
  g.bFine = s.posizione.bFine;
  g.TokenCorrente = s.token;
}

void Lettore::Segnala(const std::string& messaggio, bool SuRiga) {
  if (detail::gRegistrazione) detail::gRegistrazione->Fallisci();
  else ReportError(messaggio, SuRiga);
}

std::shared_ptr<IstruzioneCompilata> Lettore::IstruzioneCorrente(void (*leggi)(bool Esegui)) {
  TDatiGlob& g = DatiGlob;
  CacheLetture<int>::Voce* voce = gMemoria.VoceCorrente();
  if (voce && voce->piena) {
    auto istruzione = gMemoria.Elemento(voce->dato);
    if (!istruzione || StessoTesto(istruzione->letture[0].testo, g.TokenCorrente)) return istruzione;
    voce = nullptr;  // another token ends here: not this place's statement
  }
  FineLettura inizio;
  if (!CatturaPosizione(inizio)) return nullptr;
  const std::u32string_view riga = g.RigaTesto;
  const char32_t ch = g.ChCorrente;
  const std::string token = g.TokenCorrente;
  const std::string nomeIstruzione = g.NomeIstruzione;
  const bool stop = g.bStop;

  auto istruzione = std::make_shared<IstruzioneCompilata>();
  detail::Registrazione registrazione(istruzione->letture);
  Lettura& prima = registrazione.Nuova();
  prima.prima = prima.dopo = inizio;
  prima.testo = token;
  prima.parole = ParoleDi(token);
  detail::gRegistrazione = &registrazione;
  bool riuscita = false;
  try {
    leggi(false);
    riuscita = !registrazione.fallita && !g.bStop;
  } catch (const std::exception&) {
    riuscita = false;
  }
  detail::gRegistrazione = nullptr;
  // Back to where the statement's first token left the reading.
  g.Colonna = inizio.Colonna;
  g.ChCorrente = inizio.ChCorrente;
  g.bFine = inizio.bFine;
  g.IndiceRiga = inizio.IndiceRiga;
  g.RigaTesto = riga;
  g.TokenCorrente = token;
  g.NomeIstruzione = nomeIstruzione;
  g.bStop = stop;
  if (riuscita) istruzione->radice = istr::Costruisci(istruzione->letture, istruzione->livelloMassimo);
  if (!istruzione->radice) istruzione = nullptr;
  if (voce) gMemoria.Registra(*voce, ch, riga, istruzione);
  return istruzione;
}

}  // namespace qx
