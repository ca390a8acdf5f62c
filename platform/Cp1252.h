// Windows-1252, the code page of the 8-bit files that users already have (program files,
// matrix files, the function archive, tables, the grid's clipboard text), and UTF-8, the
// form of all text inside the program. One table for every reader and writer.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

// Bytes 0x80..0x9F of Windows-1252. The five bytes the code page leaves undefined map to
// the C1 control of the same number, so that every byte sequence survives a round trip.
inline constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The character of a byte.
constexpr char32_t Cp1252Char(unsigned char b) { return b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b; }

// The byte of a character, or -1 when the code page has none.
constexpr int Cp1252Byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (std::size_t i = 0; i < kCp1252High.size(); ++i)
    if (kCp1252High[i] == c) return static_cast<int>(0x80 + i);
  return -1;
}

// Decodes the UTF-8 sequence at bytes[i] into `out`; answers its length, 0 when it is
// malformed (overlong, a surrogate, beyond U+10FFFF, cut short).
inline std::size_t DecodeUtf8At(std::string_view bytes, std::size_t i, char32_t& out) {
  const auto b0 = static_cast<unsigned char>(bytes[i]);
  if (b0 < 0x80) {
    out = b0;
    return 1;
  }
  std::size_t len;
  char32_t c, min;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2, c = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, c = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, c = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > bytes.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(bytes[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  out = c;
  return len;
}

// Writes the UTF-8 bytes of c at p and answers the position behind them (at most 4 bytes).
inline char* PutUtf8(char* p, char32_t c) {
  if (c < 0x80) {
    *p++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *p++ = static_cast<char>(0xC0 | (c >> 6));
    *p++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *p++ = static_cast<char>(0xE0 | (c >> 12));
    *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *p++ = static_cast<char>(0xF0 | (c >> 18));
    *p++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return p;
}

// The text of 8-bit bytes, as UTF-8.
inline std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out(bytes.size() * 3, '\0');
  char* p = out.data();
  for (char b : bytes) p = PutUtf8(p, Cp1252Char(static_cast<unsigned char>(b)));
  out.resize(static_cast<std::size_t>(p - out.data()));
  return out;
}

// The bytes of UTF-8 text. A character that the code page cannot hold, or a malformed
// byte, is written as "?"; the first such character (as UTF-8, U+FFFD for a malformed byte)
// goes to `lost` when it is given, so that the caller can say once what was lost.
inline std::string Utf8ToCp1252(std::string_view utf8, std::string* lost = nullptr) {
  std::string out;
  out.reserve(utf8.size());
  bool anyLost = false;
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    std::size_t n = DecodeUtf8At(utf8, i, c);
    if (n == 0) c = 0xFFFD, n = 1;
    const int b = Cp1252Byte(c);
    if (b < 0 && !anyLost) {
      anyLost = true;
      if (lost) {
        char buf[4];
        lost->assign(buf, PutUtf8(buf, c));
      }
    }
    out.push_back(static_cast<char>(b < 0 ? '?' : b));
    i += n;
  }
  return out;
}

}  // namespace qx
