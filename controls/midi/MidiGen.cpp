#include "controls/midi/MidiGen.h"

#include <chrono>
#include <thread>

namespace qx::midi {

namespace {
// Each new player takes the next number; the first one that opens a stream owns the device
// for as long as it lives.
int gContatoreIstanze = 1;
int gProprietario = 0;
// A wait for the stream gives up after this many passes of about a millisecond.
constexpr int MaxPassiAttesa = 2000;
}  // namespace

TMidiGen::TMidiGen(TFlussoMidi& flusso) : flusso_(flusso), istanza_(gContatoreIstanze++) {}

TMidiGen::~TMidiGen() {
  Stop();
  AttendiFinche([this] { return !aperto_; });
  // A device that never answered is closed all the same, so that nothing plays on.
  if (aperto_) flusso_.Chiudi();
  if (gProprietario == istanza_) gProprietario = 0;
  std::lock_guard<std::mutex> blocco(casella_->m);
  casella_->sveglia = nullptr;
}

void TMidiGen::ImpostaSveglia(std::function<void()> sveglia) {
  std::lock_guard<std::mutex> blocco(casella_->m);
  casella_->sveglia = std::move(sveglia);
}

void TMidiGen::ElaboraNotifiche() {
  for (;;) {
    TNotificaMidi n;
    {
      std::lock_guard<std::mutex> blocco(casella_->m);
      if (casella_->coda.empty()) return;
      n = casella_->coda.front();
      casella_->coda.pop_front();
    }
    Gestisci(n);
  }
}

template <class F>
bool TMidiGen::AttendiFinche(F fatto) {
  for (int i = 0; i < MaxPassiAttesa; ++i) {
    ElaboraNotifiche();
    if (fatto()) return true;
    if (ElaboraMessaggi) ElaboraMessaggi();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ElaboraNotifiche();
  return fatto();
}

void TMidiGen::Gestisci(TNotificaMidi n) {
  switch (n) {
    case TNotificaMidi::Open:
      aperto_ = continua_ = suonando_ = true;
      passateRimaste_ = p_.Loops;
      break;
    case TNotificaMidi::PositionCB:
      pronto_ = true;
      break;
    case TNotificaMidi::Done:
      if (!aperto_) break;
      if (continua_ && (passateRimaste_ == 0 || passateRimaste_ >= 2) && flusso_.Accoda(buffer_) &&
          flusso_.Riavvia()) {
        if (passateRimaste_ > 1) --passateRimaste_;
        break;
      }
      flusso_.Ferma();
      flusso_.Reset();
      buffer_.clear();
      flusso_.Chiudi();
      break;
    case TNotificaMidi::Close:
      aperto_ = continua_ = suonando_ = false;
      // A stream stopped before its first event never says it reached it: the player is
      // free again once the stream is closed.
      pronto_ = true;
      break;
  }
}

bool TMidiGen::IsPlaying() {
  ElaboraNotifiche();
  return suonando_;
}

bool TMidiGen::SetDevice(int id) {
  dispositivo_ = id;
  const int n = flusso_.NumeroDispositivi();
  return n > 0 && id < n;
}

bool TMidiGen::MidiAvailable() {
  ElaboraNotifiche();
  return aperto_ || flusso_.ProvaDispositivo(dispositivo_);
}

bool TMidiGen::IniziaSuonata() {
  ElaboraNotifiche();
  if (!pronto_ || !MidiAvailable()) return false;
  pronto_ = false;
  continua_ = false;
  if (aperto_) {
    flusso_.Ferma();
    if (!AttendiFinche([this] { return !aperto_; })) {
      pronto_ = true;
      return false;
    }
  }
  // The closing stream has freed the player; this play holds it until its first event.
  pronto_ = false;
  passateRimaste_ = p_.Loops;
  canale_ = p_.Channel;
  return true;
}

bool TMidiGen::CostruisciEAvvia(const std::vector<MidiPhraseEvent>& lista, bool glideConsentito) {
  // A play that cannot start leaves the player free for the next one.
  auto fallisci = [this] {
    pronto_ = true;
    return false;
  };
  if (gProprietario != 0 && gProprietario != istanza_) return fallisci();
  buffer_ = CostruisciBuffer(p_, canale_, lista, glideConsentito);
  if (!AttendiFinche([this] { return !aperto_; })) return fallisci();
  std::weak_ptr<Casella> casella = casella_;
  const bool aperto = flusso_.Apri(dispositivo_, [casella](TNotificaMidi n) {
    if (auto c = casella.lock()) {
      std::lock_guard<std::mutex> blocco(c->m);
      c->coda.push_back(n);
      if (c->sveglia) c->sveglia();
    }
  });
  if (!aperto) return fallisci();
  if (!AttendiFinche([this] { return aperto_; })) {
    flusso_.Chiudi();
    ElaboraNotifiche();
    return fallisci();
  }
  gProprietario = istanza_;
  flusso_.Reset();
  if (!flusso_.ImpostaDivisione(TicksPerQuarto) || !flusso_.Accoda(buffer_) || !flusso_.Riavvia()) {
    // A stream that cannot play is not left open.
    flusso_.Ferma();
    flusso_.Chiudi();
    ElaboraNotifiche();
    return fallisci();
  }
  return true;
}

bool TMidiGen::Play() { return PlayNote(p_.Note + 12 * p_.Octave); }

bool TMidiGen::PlayNote(int key) {
  if (!IniziaSuonata()) return false;
  return CostruisciEAvvia(EventiNota(p_, key), true);
}

bool TMidiGen::PlayString(const std::string& testo) {
  if (!IniziaSuonata()) return false;
  bool glide = true;
  const std::vector<MidiPhraseEvent> lista = EventiFrase(p_, testo, glide);
  if (lista.empty()) {
    pronto_ = true;
    return false;
  }
  return CostruisciEAvvia(lista, glide);
}

void TMidiGen::Stop() {
  ElaboraNotifiche();
  continua_ = false;
  // Also before the first event has played: a stopped note must not sound on.
  if (aperto_) flusso_.Ferma();
  ElaboraNotifiche();
}

}  // namespace qx::midi
