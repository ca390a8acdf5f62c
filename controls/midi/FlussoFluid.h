// The MIDI stream played by the General MIDI synthesizer: a buffer's events are scheduled
// into the synthesizer's sequencer, one tick per ten milliseconds at the player's 50 ticks
// per quarter note. The sequencer's clock runs with the samples the mixer renders, and two
// timer events report the first event and the end of each pass (on the audio thread).
#pragma once
#include <functional>

#include "controls/midi/FlussoMidi.h"
#include "platform/sound/Mixer.h"
#include "platform/sound/Sintetizzatore.h"

struct _fluid_event_t;
struct _fluid_sequencer_t;

namespace qx::midi {

class TFlussoFluid : public TFlussoMidi {
 public:
  // `uscitaDisponibile` says whether anything renders the mix (an audio device is open).
  TFlussoFluid(suono::TSintetizzatore& sintetizzatore, suono::TMixer& mixer, std::function<bool()> uscitaDisponibile);
  ~TFlussoFluid() override;
  TFlussoFluid(const TFlussoFluid&) = delete;
  TFlussoFluid& operator=(const TFlussoFluid&) = delete;

  int NumeroDispositivi() override;
  bool ProvaDispositivo(int dispositivo) override;
  bool Apri(int dispositivo, Notifica notifica) override;
  void Reset() override;
  bool ImpostaDivisione(int ticksPerQuarto) override;
  bool Accoda(const std::vector<std::uint8_t>& buffer) override;
  bool Riavvia() override;
  void Ferma() override;
  void Chiudi() override;

 private:
  static void Richiamo(unsigned int tempo, _fluid_event_t* evento, _fluid_sequencer_t* sequencer, void* dati);
  void Notifica_(TNotificaMidi n) {
    if (notifica_) notifica_(n);
  }
  void TogliEventi();

  suono::TSintetizzatore& s_;
  suono::TMixer& mixer_;
  std::function<bool()> uscitaDisponibile_;
  short client_ = -1;
  Notifica notifica_;
  std::vector<std::uint8_t> buffer_;
  // Guarded by the mixer: the audio thread's callback reads and clears inCoda_.
  bool aperto_ = false, inCoda_ = false, avviato_ = false;
};

}  // namespace qx::midi
