// Small media files that the sound tests write for themselves.
#pragma once
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace qx::test {

// A folder of its own under the system's temporary folder, removed at the end.
class CartellaTemporanea {
 public:
  explicit CartellaTemporanea(const std::string& nome)
      : percorso_(std::filesystem::temp_directory_path() / (nome + "-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(percorso_);
  }
  ~CartellaTemporanea() {
    std::error_code ec;
    std::filesystem::remove_all(percorso_, ec);
  }
  std::string operator/(const std::string& nome) const { return (percorso_ / nome).string(); }
  std::string Percorso() const { return percorso_.string() + "/"; }

 private:
  std::filesystem::path percorso_;
};

// A sine of `hz` as a media file of the given libsndfile format; false when it cannot be written.
inline bool ScriviSeno(const std::string& percorso, int formato, int frequenza, int canali, int campioni,
                       double hz = 440) {
  SF_INFO info{};
  info.samplerate = frequenza;
  info.channels = canali;
  info.format = formato;
  SNDFILE* f = sf_open(percorso.c_str(), SFM_WRITE, &info);
  if (!f) return false;
  std::vector<float> dati(static_cast<std::size_t>(campioni) * canali);
  for (int i = 0; i < campioni; ++i)
    for (int c = 0; c < canali; ++c)
      dati[static_cast<std::size_t>(i) * canali + c] =
          static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * hz * i / frequenza));
  const bool ok = sf_writef_float(f, dati.data(), campioni) == campioni;
  return sf_close(f) == 0 && ok;
}

// A standard MIDI file of one track: middle C for a quarter note.
inline void ScriviMidi(const std::string& percorso) {
  const unsigned char dati[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,  //
                                'M', 'T', 'r', 'k', 0, 0, 0, 12,                     //
                                0, 0x90, 60, 100, 96, 0x80, 60, 0, 0, 0xFF, 0x2F, 0};
  std::ofstream(percorso, std::ios::binary).write(reinterpret_cast<const char*>(dati), sizeof dati);
}

inline void ScriviByte(const std::string& percorso, const std::string& byte) {
  std::ofstream(percorso, std::ios::binary) << byte;
}

}  // namespace qx::test
