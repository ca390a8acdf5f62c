// Reals in the stream are the 10-byte extended format: a 64-bit significand with its
// integer bit, then the sign and a 15-bit exponent biased by 16383, little-endian. The
// system's reals are that very format (long double on x86-64), so a value goes to the file
// and back bit for bit, error values, infinities and NaN payloads included.
#pragma once
#include <array>
#include <bit>
#include <cstring>
#include <limits>

namespace qx {

static_assert(std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::max_exponent == 16384,
              "reals must be the 80-bit extended format");
static_assert(std::endian::native == std::endian::little, "the stream is little-endian like the machine");

inline std::array<unsigned char, 10> ExtendedInByte(long double v) {
  std::array<unsigned char, 10> b{};
  std::memcpy(b.data(), &v, b.size());
  return b;
}

inline long double ByteInExtended(const unsigned char* b) {
  long double v = 0;  // the six padding bytes stay zero
  std::memcpy(&v, b, 10);
  return v;
}

}  // namespace qx
