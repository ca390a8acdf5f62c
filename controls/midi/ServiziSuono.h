// The sound of the main window in one object: the beeps, the media player and the note
// player MidiGen1, as the window services hand them to the interpreter. The main window
// owns one (Dispositivo) and forwards its four sound services to it:
//
//   void Beep() override { suono_->Beep(); }
//   void BeepTono(int hz, int ms) override { suono_->BeepTono(hz, ms); }
//   bool SuonaFile(const std::string& p) override { return suono_->SuonaFile(p); }
//   TMidiGen* MidiGen() override { return suono_->MidiGen(); }
//
// The headless runner and the tests use Registrazione, which plays nothing and logs it all.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runstate/WindowServices.h"

namespace qx::suono {
class TSuono;
}

namespace qx::midi {

class TMidiGen;

class TServiziSuono {
 public:
  // Through SDL's audio device and the General MIDI synthesizer. Made on the GUI thread;
  // with a Qt application running, the note player's notifications reach it by its event
  // loop. With no audio device everything is silent and MidiAvailable is false.
  static std::unique_ptr<TServiziSuono> Dispositivo();
  // Records beeps, files and notes in one log (Registro); `dispositivo` false plays the part
  // of a machine without an audio device.
  static std::unique_ptr<TServiziSuono> Registrazione(bool dispositivo = true);
  ~TServiziSuono();
  TServiziSuono(const TServiziSuono&) = delete;
  TServiziSuono& operator=(const TServiziSuono&) = delete;

  // ---- The window services ----
  void Beep();
  void BeepTono(int hz, int ms);
  bool SuonaFile(const std::string& percorso);
  qx::TMidiGen* MidiGen();

  // ---- The parts ----
  TMidiGen& MidiGen1();
  suono::TSuono& Suono();
  // Silences the media file and the notes.
  void Ferma();
  // The recording's clock (milliseconds), by which a note that has played out is over;
  // nothing when playing through the device, which has its own time.
  void ImpostaOrologio(std::function<std::uint64_t()> orologio);
  // The recording's log, in order ("beep 500 100", "file PATH", "note 55 channel 0 from 0
  // to 50", "stop notes", ...); empty when playing through the device.
  std::vector<std::string> Registro() const;

 private:
  TServiziSuono();
  struct Parti;
  std::unique_ptr<Parti> p_;
};

}  // namespace qx::midi
