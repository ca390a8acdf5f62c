// A General MIDI software synthesizer (FluidSynth with Debian's sound font) that the mixer
// renders, with a sequencer that it drives: the sequencer's clock advances with the samples
// rendered, not with the wall clock, so a test that renders by hand hears exactly what a
// device would play. It can also play a standard MIDI file.
#pragma once
#include <string>

#include "platform/sound/Mixer.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_sequencer_t;
struct _fluid_player_t;

namespace qx::suono {

// Where Debian's FluidSynth package puts its General MIDI sound font.
inline constexpr const char* SoundFontPredefinito = "/usr/share/sounds/sf2/default-GM.sf2";

class TSintetizzatore : public TSorgenteAudio {
 public:
  explicit TSintetizzatore(int frequenza, const std::string& soundFont = SoundFontPredefinito);
  ~TSintetizzatore() override;
  TSintetizzatore(const TSintetizzatore&) = delete;
  TSintetizzatore& operator=(const TSintetizzatore&) = delete;

  // False when the synthesizer could not be made or the sound font could not be loaded.
  bool Valido() const { return sequencer_ != nullptr; }
  _fluid_synth_t* Synth() const { return synth_; }
  _fluid_sequencer_t* Sequencer() const { return sequencer_; }
  // The sequencer's address of the synthesizer.
  short DestinazioneSynth() const { return destinazione_; }

  // Starts a standard MIDI file from its beginning (a file already playing stops first);
  // false when it is not a MIDI file or cannot be read.
  bool ApriFileMidi(const std::string& percorso);
  bool FileMidiInCorso() const;
  void FermaFileMidi();

  void Rendi(float* sinistra, float* destra, int campioni) override;

 private:
  _fluid_hashtable_t* impostazioni_ = nullptr;
  _fluid_synth_t* synth_ = nullptr;
  _fluid_sequencer_t* sequencer_ = nullptr;
  _fluid_player_t* lettore_ = nullptr;
  short destinazione_ = -1;
};

}  // namespace qx::suono
