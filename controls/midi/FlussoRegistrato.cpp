#include "controls/midi/FlussoRegistrato.h"

#include "controls/midi/MidiEventi.h"

namespace qx::midi {

TFlussoRegistrato::TFlussoRegistrato(std::shared_ptr<std::vector<std::string>> registro)
    : registro_(registro ? std::move(registro) : std::make_shared<std::vector<std::string>>()) {}

bool TFlussoRegistrato::Apri(int dispositivo, Notifica notifica) {
  if (aperto_ || !ProvaDispositivo(dispositivo)) return false;
  aperto_ = true;
  notifica_ = std::move(notifica);
  Notifica_(TNotificaMidi::Open);
  return true;
}

bool TFlussoRegistrato::ImpostaDivisione(int ticksPerQuarto) {
  TicksPerQuarto = ticksPerQuarto;
  return aperto_;
}

bool TFlussoRegistrato::Accoda(const std::vector<std::uint8_t>& buffer) {
  if (!aperto_ || buffer.empty()) return false;
  Buffer.push_back(buffer);
  inCoda_ = true;
  avviato_ = primo_ = false;
  return true;
}

bool TFlussoRegistrato::Riavvia() {
  if (!aperto_) return false;
  if (inCoda_ && !avviato_) {
    avviato_ = true;
    for (std::string& riga : DescriviNote(Buffer.back())) registro_->push_back(std::move(riga));
    if (Orologio) {
      std::uint64_t ticks = 0;
      for (const TEventoFlusso& e : LeggiBuffer(Buffer.back())) ticks += e.Delta;
      // A quarter lasts half a second, the stream's default tempo.
      durata_ = ticks * 500 / static_cast<std::uint64_t>(TicksPerQuarto > 0 ? TicksPerQuarto : 50);
      inizio_ = Orologio();
    }
    if (PrimoEventoSubito) RaggiungiPrimoEvento();
  }
  return true;
}

void TFlussoRegistrato::RaggiungiPrimoEvento() {
  if (!inCoda_ || !avviato_ || primo_) return;
  primo_ = true;
  Notifica_(TNotificaMidi::PositionCB);
}

void TFlussoRegistrato::FinePassata() {
  if (!inCoda_ || !avviato_) return;
  inCoda_ = avviato_ = primo_ = false;
  Notifica_(TNotificaMidi::Done);
}

void TFlussoRegistrato::Ferma() {
  if (!inCoda_) return;
  if (avviato_ && Orologio && Orologio() - inizio_ >= durata_) {
    FinePassata();
    return;
  }
  registro_->push_back(primo_ ? "stop notes" : "stop notes before the first");
  inCoda_ = avviato_ = primo_ = false;
  Notifica_(TNotificaMidi::Done);
}

void TFlussoRegistrato::Chiudi() {
  if (!aperto_) return;
  aperto_ = false;
  Notifica_(TNotificaMidi::Close);
}

std::vector<std::string> DescriviNote(const std::vector<std::uint8_t>& buffer) {
  struct Aperta {
    int key, canale;
    std::uint64_t da;
    std::size_t riga;
  };
  std::vector<std::string> righe;
  std::vector<Aperta> aperte;
  std::uint64_t tempo = 0;
  for (const TEventoFlusso& e : LeggiBuffer(buffer)) {
    tempo += e.Delta;
    const int tipo = e.Stato() & 0xF0, canale = e.Stato() & 0x0F;
    if (tipo == 0x90 && e.Dato2() > 0) {
      aperte.push_back({e.Dato1(), canale, tempo, righe.size()});
      righe.push_back("note " + std::to_string(e.Dato1()) + " channel " + std::to_string(canale) + " from " +
                      std::to_string(tempo) + " to -");
    } else if (tipo == 0x80 || tipo == 0x90) {
      for (auto it = aperte.begin(); it != aperte.end(); ++it) {
        if (it->key != e.Dato1() || it->canale != canale) continue;
        std::string& riga = righe[it->riga];
        riga.resize(riga.size() - 1);
        riga += std::to_string(tempo);
        aperte.erase(it);
        break;
      }
    }
  }
  return righe;
}

}  // namespace qx::midi
