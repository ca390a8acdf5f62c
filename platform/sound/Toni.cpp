#include "platform/sound/Toni.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qx::suono {

namespace {
// Loud enough to be heard over a classroom, soft enough not to clip when mixed with a note.
constexpr float Ampiezza = 0.35f;
constexpr int DissolvenzaMs = 5;
}  // namespace

std::vector<float> GeneraTono(int hz, int ms, int frequenza) {
  if (hz <= 0 || ms <= 0 || frequenza <= 0) return {};
  const auto n = static_cast<std::size_t>(static_cast<long long>(frequenza) * ms / 1000);
  std::vector<float> campioni(n);
  // A tone shorter than two fades fades over half its length each way.
  const std::size_t dissolvenza =
      std::min<std::size_t>(static_cast<std::size_t>(frequenza) * DissolvenzaMs / 1000, n / 2);
  const double passo = 2.0 * std::numbers::pi * hz / frequenza;
  for (std::size_t i = 0; i < n; ++i) {
    double g = 1.0;
    if (dissolvenza > 0) {
      if (i < dissolvenza) g = static_cast<double>(i) / dissolvenza;
      else if (n - 1 - i < dissolvenza) g = static_cast<double>(n - 1 - i) / dissolvenza;
    }
    campioni[i] = static_cast<float>(Ampiezza * g * std::sin(passo * static_cast<double>(i)));
  }
  return campioni;
}

std::vector<float> InStereo(const std::vector<float>& mono) {
  std::vector<float> stereo(mono.size() * 2);
  for (std::size_t i = 0; i < mono.size(); ++i) stereo[2 * i] = stereo[2 * i + 1] = mono[i];
  return stereo;
}

}  // namespace qx::suono
