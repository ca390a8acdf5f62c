// The sound layer: the beep with frequency and duration, the system's alert, and media files
// played by name. One back-end plays through the audio device (TSuonoSdl); the other only
// records what it was asked (TSuonoRegistrato), for the tests and the headless runner.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/sound/Mixer.h"

namespace qx::suono {

class TSintetizzatore;

class TSuono {
 public:
  virtual ~TSuono() = default;
  // A sine of `hz` for `ms` milliseconds; returns once it has been played.
  virtual void Beep(int hz, int ms) = 0;
  // The short alert of the error report; returns at once.
  virtual void MessageBeep() = 0;
  // Starts a media file (WAV, OGG, FLAC, ..., or a standard MIDI file), replacing the one
  // playing; returns at once. False, and silence, when it cannot be opened.
  virtual bool SuonaFile(const std::string& percorso) = 0;
  virtual bool FileInRiproduzione() = 0;
  virtual void FermaFile() = 0;
  // True when an audio device is open; the first ask opens it.
  virtual bool Disponibile() = 0;
  // The mix the device plays (the note player adds its synthesizer); null when there is none.
  virtual TMixer* Mixer() = 0;
};

// Records every request as a line of text, in order:
//   "beep 500 100", "messagebeep", "file PATH", "file PATH unreadable", "stop file".
// Other parts of the sound (the note player's recording stream) append to the same log.
class TSuonoRegistrato : public TSuono {
 public:
  struct Tono {
    int hz, ms;
    std::vector<float> campioni;  // the mono buffer a device would have played
  };
  explicit TSuonoRegistrato(std::shared_ptr<std::vector<std::string>> registro =
                                std::make_shared<std::vector<std::string>>());

  void Beep(int hz, int ms) override;
  void MessageBeep() override;
  // Opens and decodes the file as the device back-end would, so that a missing or damaged
  // file fails here too.
  bool SuonaFile(const std::string& percorso) override;
  bool FileInRiproduzione() override { return fileAperto_; }
  void FermaFile() override;
  bool Disponibile() override { return Dispositivo; }
  TMixer* Mixer() override { return nullptr; }

  const std::vector<std::string>& Registro() const { return *registro_; }
  std::shared_ptr<std::vector<std::string>> RegistroCondiviso() const { return registro_; }
  std::vector<Tono> Toni;
  // False plays the part of a machine without an audio device: nothing sounds, nothing is
  // logged, and no file opens.
  bool Dispositivo = true;

 private:
  std::shared_ptr<std::vector<std::string>> registro_;
  bool fileAperto_ = false;
};

// Plays through SDL's audio device (any driver SDL picks, or SDL_AUDIODRIVER's). The device is
// opened at the first use and kept; when no device opens the layer stays silent and says so.
class TSuonoSdl : public TSuono {
 public:
  TSuonoSdl();
  ~TSuonoSdl() override;
  TSuonoSdl(const TSuonoSdl&) = delete;
  TSuonoSdl& operator=(const TSuonoSdl&) = delete;

  void Beep(int hz, int ms) override;
  void MessageBeep() override;
  bool SuonaFile(const std::string& percorso) override;
  bool FileInRiproduzione() override;
  void FermaFile() override;
  bool Disponibile() override;
  TMixer* Mixer() override { return &mixer_; }

 private:
  TMixer mixer_;
  std::uint32_t dispositivo_ = 0;
  bool provato_ = false;
  bool sottosistema_ = false;
  // The synthesizer of MIDI files, made at the first one.
  std::unique_ptr<TSintetizzatore> sintetizzatoreFile_;
};

}  // namespace qx::suono
