#include "platform/sound/FileAudio.h"

#include <sndfile.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/FileRegolare.h"

namespace qx::suono {

namespace {
// A media file longer than this is not something a lesson plays whole from memory.
constexpr sf_count_t MaxFrames = 44100LL * 60 * 20;
// Files larger than these are refused before they are read (20 minutes of the widest
// common WAV; a MIDI file of a song is a few kilobytes).
constexpr std::uint64_t MaxByteAudio = std::uint64_t(1) << 30;
constexpr std::uint64_t MaxByteMidi = std::uint64_t(1) << 24;
}  // namespace

bool LeggiFileAudio(const std::string& percorso, int frequenza, std::vector<float>& stereo) {
  stereo.clear();
  // Only a regular file: a named pipe or a device would block or never end.
  TFileRegolare origine(percorso, MaxByteAudio);
  if (!origine.Aperto()) return false;
  SF_INFO info{};
  std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(sf_open_fd(origine.Descrittore(), SFM_READ, &info, SF_FALSE),
                                                   sf_close);
  if (!file || info.channels <= 0 || info.samplerate <= 0 || info.frames <= 0 || info.frames > MaxFrames ||
      frequenza <= 0)
    return false;
  const auto canali = static_cast<std::size_t>(info.channels);
  std::vector<float> letti(static_cast<std::size_t>(info.frames) * canali);
  const sf_count_t frames = sf_readf_float(file.get(), letti.data(), info.frames);
  if (frames <= 0) return false;

  // To stereo at the file's own rate.
  const auto n = static_cast<std::size_t>(frames);
  std::vector<float> sorgente(2 * n);
  for (std::size_t i = 0; i < n; ++i) {
    sorgente[2 * i] = letti[i * canali];
    sorgente[2 * i + 1] = letti[i * canali + (canali > 1 ? 1 : 0)];
  }
  if (info.samplerate == frequenza) {
    stereo = std::move(sorgente);
    return true;
  }
  const double rapporto = static_cast<double>(info.samplerate) / frequenza;
  const auto m = static_cast<std::size_t>(std::floor(static_cast<double>(n - 1) / rapporto)) + 1;
  stereo.resize(2 * m);
  for (std::size_t j = 0; j < m; ++j) {
    const double x = static_cast<double>(j) * rapporto;
    const auto i = static_cast<std::size_t>(x);
    const std::size_t k = i + 1 < n ? i + 1 : i;
    const auto t = static_cast<float>(x - static_cast<double>(i));
    for (std::size_t c = 0; c < 2; ++c)
      stereo[2 * j + c] = sorgente[2 * i + c] + t * (sorgente[2 * k + c] - sorgente[2 * i + c]);
  }
  return true;
}

bool IsFileMidi(const std::string& percorso) {
  TFileRegolare in(percorso, MaxByteMidi);
  unsigned char h[22];
  if (!in.Aperto() || in.Dimensione() < sizeof h || ::read(in.Descrittore(), h, sizeof h) != sizeof h) return false;
  auto parola = [&](int i) { return static_cast<unsigned>(h[i]) << 8 | h[i + 1]; };
  auto lunga = [&](int i) { return static_cast<std::uint64_t>(parola(i)) << 16 | parola(i + 2); };
  if (std::memcmp(h, "MThd", 4) != 0 || lunga(4) != 6 || parola(8) > 2 || parola(10) == 0) return false;
  if (std::memcmp(h + 14, "MTrk", 4) != 0) return false;
  return in.Dimensione() >= 22 + lunga(18);
}

bool IsNomeFileMidi(const std::string& percorso) {
  std::string fine;
  const std::size_t punto = percorso.find_last_of('.');
  if (punto == std::string::npos || percorso.find('/', punto) != std::string::npos) return false;
  for (char c : percorso.substr(punto + 1)) fine += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return fine == "mid" || fine == "midi";
}

}  // namespace qx::suono
