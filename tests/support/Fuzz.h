// How long a fuzz harness runs: a few seconds in CI by default; the long campaign
// (scripts/fuzz-lungo.sh) sets QUORIX_FUZZ_PROVE to a multiple of the default rounds and
// QUORIX_FUZZ_SEME to a fresh seed, and a failure prints the seed that reproduces it.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace qx::test {

// The rounds of a harness: its default, times QUORIX_FUZZ_PROVE when that is set.
inline int ProveFuzz(int predefinite) {
  const char* v = std::getenv("QUORIX_FUZZ_PROVE");
  const long fattore = v ? std::strtol(v, nullptr, 10) : 1;
  return fattore > 1 ? static_cast<int>(std::min<long>(fattore * predefinite, 1L << 30)) : predefinite;
}

// The seed of a harness: its default, or QUORIX_FUZZ_SEME mixed with it.
inline std::uint32_t SemeFuzz(std::uint32_t predefinito) {
  const char* v = std::getenv("QUORIX_FUZZ_SEME");
  return v ? predefinito ^ static_cast<std::uint32_t>(std::strtoul(v, nullptr, 10)) * 2654435761u : predefinito;
}

}  // namespace qx::test
