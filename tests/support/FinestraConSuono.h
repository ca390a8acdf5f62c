// The scripted window with its sounds on a sound-services object (the recording back-end in
// the headless runner and the tests): beeps, media files and notes go there instead of the
// scripted window's own lists. Who includes this links quorix_midi.
#pragma once
#include <string>

#include "controls/midi/ServiziSuono.h"
#include "tests/support/ScriptedWindow.h"

namespace qx::test {

class FinestraConSuono : public ScriptedWindow {
 public:
  // The recording's notes play out by this window's clock.
  explicit FinestraConSuono(midi::TServiziSuono& suono) : suono_(suono) {
    suono_.ImpostaOrologio([this] { return Orologio; });
  }
  ~FinestraConSuono() override { suono_.ImpostaOrologio(nullptr); }
  void Beep() override { suono_.Beep(); }
  void BeepTono(int hz, int ms) override { suono_.BeepTono(hz, ms); }
  bool SuonaFile(const std::string& percorso) override { return suono_.SuonaFile(percorso); }
  TMidiGen* MidiGen() override { return suono_.MidiGen(); }

 private:
  midi::TServiziSuono& suono_;
};

}  // namespace qx::test
