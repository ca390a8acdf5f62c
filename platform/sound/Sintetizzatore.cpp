#include "platform/sound/Sintetizzatore.h"

#include <fluidsynth.h>

#include <algorithm>
#include <mutex>

#include "platform/sound/FileAudio.h"

namespace qx::suono {

namespace {
// FluidSynth's warnings and notes would end up on the user's terminal; its errors still do.
void SilenziaAvvisi() {
  static std::once_flag fatto;
  std::call_once(fatto, [] {
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  });
}
}  // namespace

TSintetizzatore::TSintetizzatore(int frequenza, const std::string& soundFont) {
  SilenziaAvvisi();
  impostazioni_ = new_fluid_settings();
  if (!impostazioni_) return;
  fluid_settings_setnum(impostazioni_, "synth.sample-rate", frequenza);
  fluid_settings_setint(impostazioni_, "synth.threadsafe-api", 1);
  // A MIDI file advances with the samples rendered, like the sequencer.
  fluid_settings_setstr(impostazioni_, "player.timing-source", "sample");
  synth_ = new_fluid_synth(impostazioni_);
  if (!synth_ || fluid_synth_sfload(synth_, soundFont.c_str(), 1) == FLUID_FAILED) return;
  sequencer_ = new_fluid_sequencer2(0);
  if (!sequencer_) return;
  destinazione_ = fluid_sequencer_register_fluidsynth(sequencer_, synth_);
  if (destinazione_ == FLUID_FAILED) {
    delete_fluid_sequencer(sequencer_);
    sequencer_ = nullptr;
  }
}

TSintetizzatore::~TSintetizzatore() {
  FermaFileMidi();
  if (sequencer_) delete_fluid_sequencer(sequencer_);
  if (synth_) delete_fluid_synth(synth_);
  if (impostazioni_) delete_fluid_settings(impostazioni_);
}

bool TSintetizzatore::ApriFileMidi(const std::string& percorso) {
  FermaFileMidi();
  if (!Valido() || !IsFileMidi(percorso)) return false;
  lettore_ = new_fluid_player(synth_);
  if (!lettore_) return false;
  if (fluid_player_add(lettore_, percorso.c_str()) != FLUID_OK || fluid_player_play(lettore_) != FLUID_OK) {
    FermaFileMidi();
    return false;
  }
  return true;
}

bool TSintetizzatore::FileMidiInCorso() const {
  return lettore_ && fluid_player_get_status(lettore_) == FLUID_PLAYER_PLAYING;
}

void TSintetizzatore::FermaFileMidi() {
  if (!lettore_) return;
  fluid_player_stop(lettore_);
  delete_fluid_player(lettore_);
  lettore_ = nullptr;
  fluid_synth_all_notes_off(synth_, -1);
}

void TSintetizzatore::Rendi(float* sinistra, float* destra, int campioni) {
  if (!synth_) {
    std::fill(sinistra, sinistra + campioni, 0.0f);
    std::fill(destra, destra + campioni, 0.0f);
    return;
  }
  fluid_synth_write_float(synth_, campioni, sinistra, 0, 1, destra, 0, 1);
}

}  // namespace qx::suono
