// A MIDI stream device that plays nothing: it keeps every buffer it is given, writes the
// notes of each one to a log ("note 55 channel 0 from 0 to 50", ticks from the start of the
// buffer), and notifies at once, as a stream would whose first event plays immediately. A
// pass ends when the test says so (FinePassata) or the stream is stopped; with a clock
// (Orologio), a stop that comes when the pass has played out by that clock (10 ms a tick at
// 50 ticks a quarter) finds it ended, as a real stream would be, and logs no stop.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/midi/FlussoMidi.h"

namespace qx::midi {

class TFlussoRegistrato : public TFlussoMidi {
 public:
  explicit TFlussoRegistrato(std::shared_ptr<std::vector<std::string>> registro =
                                 std::make_shared<std::vector<std::string>>());

  int NumeroDispositivi() override { return Dispositivo ? 1 : 0; }
  bool ProvaDispositivo(int dispositivo) override { return Dispositivo && dispositivo < 1; }
  bool Apri(int dispositivo, Notifica notifica) override;
  void Reset() override {}
  bool ImpostaDivisione(int ticksPerQuarto) override;
  bool Accoda(const std::vector<std::uint8_t>& buffer) override;
  bool Riavvia() override;
  void Ferma() override;
  void Chiudi() override;

  // The queued buffer has played to its end.
  void FinePassata();
  // The first event of the queued buffer has played (when PrimoEventoSubito is off).
  void RaggiungiPrimoEvento();

  // False plays the part of a machine without a MIDI output.
  bool Dispositivo = true;
  // Whether Riavvia reports the first event at once.
  bool PrimoEventoSubito = true;
  // Milliseconds of the caller's clock; unset: passes never end by themselves.
  std::function<std::uint64_t()> Orologio;
  std::vector<std::vector<std::uint8_t>> Buffer;  // every buffer queued, in order
  int TicksPerQuarto = 0;
  bool Aperto() const { return aperto_; }
  bool InCoda() const { return inCoda_; }
  const std::vector<std::string>& Registro() const { return *registro_; }

 private:
  void Notifica_(TNotificaMidi n) {
    if (notifica_) notifica_(n);
  }
  std::shared_ptr<std::vector<std::string>> registro_;
  Notifica notifica_;
  bool aperto_ = false, inCoda_ = false, avviato_ = false, primo_ = false;
  std::uint64_t inizio_ = 0, durata_ = 0;  // the pass on the clock, in ms
};

// The notes of a buffer as log lines: "note KEY channel CH from T1 to T2" (T2 "-" when the
// buffer never ends the note).
std::vector<std::string> DescriviNote(const std::vector<std::uint8_t>& buffer);

}  // namespace qx::midi
