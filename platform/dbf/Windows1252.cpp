#include "platform/dbf/Windows1252.h"

#include <array>

namespace qx {

namespace {

// Bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kAlti = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int Byte1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (std::size_t i = 0; i < kAlti.size(); ++i)
    if (kAlti[i] == c) return static_cast<int>(0x80 + i);
  return -1;
}

// One UTF-8 sequence at s[i]: its length, 0 when it is malformed.
std::size_t Decodifica(std::string_view s, std::size_t i, char32_t& c) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    c = b0;
    return 1;
  }
  std::size_t n;
  char32_t minimo;
  if ((b0 & 0xE0) == 0xC0) {
    n = 2, c = b0 & 0x1F, minimo = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    n = 3, c = b0 & 0x0F, minimo = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    n = 4, c = b0 & 0x07, minimo = 0x10000;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return n;
}

void AggiungiUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string Utf8InWindows1252(std::string_view utf8, bool* sostituiti) {
  std::string out;
  out.reserve(utf8.size());
  bool persi = false;
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    const std::size_t n = Decodifica(utf8, i, c);
    const int b = n ? Byte1252(c) : -1;
    persi = persi || b < 0;
    out += static_cast<char>(b < 0 ? '?' : b);
    i += n ? n : 1;
  }
  if (sostituiti) *sostituiti = persi;
  return out;
}

std::string Windows1252InUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (char ch : cp1252) {
    const auto b = static_cast<unsigned char>(ch);
    AggiungiUtf8(out, b >= 0x80 && b < 0xA0 ? kAlti[b - 0x80] : char32_t(b));
  }
  return out;
}

bool RappresentabileInWindows1252(std::string_view utf8) {
  bool sostituiti = false;
  Utf8InWindows1252(utf8, &sostituiti);
  return !sostituiti;
}

}  // namespace qx
