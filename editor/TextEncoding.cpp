#include "editor/TextEncoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace qx {

namespace {

// Bytes 0x80..0x9F of Windows-1252. The five bytes the code page leaves undefined map to
// the C1 control of the same number, so that every byte sequence survives a round trip.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte of a character in Windows-1252, or -1 when the code page has none.
int Cp1252Byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (std::size_t i = 0; i < kCp1252High.size(); ++i)
    if (kCp1252High[i] == c) return static_cast<int>(0x80 + i);
  return -1;
}

// Decodes one UTF-8 sequence at bytes[i]; returns its length, 0 when malformed.
std::size_t DecodeOne(std::string_view bytes, std::size_t i, char32_t& out) {
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

// Writes the UTF-8 bytes of c at p and answers the position behind them.
char* PutUtf8(char* p, char32_t c) {
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

}  // namespace

namespace {
// Eight bytes that are all ASCII: the common case of program text, checked a word at a time.
bool OttoAscii(const char* p) {
  std::uint64_t w;
  std::memcpy(&w, p, sizeof w);
  return (w & 0x8080808080808080ULL) == 0;
}
}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  char32_t c;
  while (i < bytes.size()) {
    if (i + 8 <= bytes.size() && OttoAscii(bytes.data() + i)) {
      i += 8;
      continue;
    }
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t n = DecodeOne(bytes, i, c);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

TTextEncoding DetectEncoding(std::string_view bytes) {
  if (!IsValidUtf8(bytes)) return TTextEncoding::Windows1252;
  return bytes.substr(0, kUtf8BOM.size()) == kUtf8BOM ? TTextEncoding::Utf8WithBOM : TTextEncoding::Utf8;
}

std::u32string Decode(std::string_view bytes, TTextEncoding encoding) {
  if (encoding != TTextEncoding::Windows1252) return FromUtf8(bytes);
  std::u32string out(bytes.size(), U'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    out[i] = b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char32_t(b);
  }
  return out;
}

bool CanEncode(std::u32string_view text, TTextEncoding encoding) {
  if (encoding != TTextEncoding::Windows1252) return true;
  for (char32_t c : text)
    if (c >= 0x80 && Cp1252Byte(c) < 0) return false;
  return true;
}

std::size_t EncodedSize(std::u32string_view text, TTextEncoding encoding) {
  if (encoding == TTextEncoding::Windows1252) return text.size();
  // Branch-free, so that the compiler can run it over several characters at once.
  std::size_t size = text.size();
  for (char32_t c : text) size += (c >= 0x80) + (c >= 0x800) + (c >= 0x10000);
  return size;
}

void AppendEncoded(std::string& out, std::u32string_view text, TTextEncoding encoding) {
  const std::size_t start = out.size();
  if (encoding == TTextEncoding::Windows1252) {
    out.resize(start + text.size());
    char* p = out.data() + start;
    for (char32_t c : text) {
      const int b = c < 0x80 ? static_cast<int>(c) : Cp1252Byte(c);
      *p++ = static_cast<char>(b < 0 ? '?' : b);
    }
    return;
  }
  out.resize(start + EncodedSize(text, encoding));
  char* p = out.data() + start;
  const char32_t* c = text.data();
  const char32_t* const end = c + text.size();
  while (c < end) {
    // Runs of ASCII are narrowed in a plain loop; the rest is encoded one by one.
    const char32_t* run = c;
    while (run < end && *run < 0x80) ++run;
    for (; c < run; ++c) *p++ = static_cast<char>(*c);
    if (c < end) p = PutUtf8(p, *c++);
  }
}

std::u32string FromUtf8(std::string_view utf8) {
  // Never more characters than bytes: fill in place, then cut to size.
  std::u32string out(utf8.size(), U'\0');
  char32_t* p = out.data();
  std::size_t i = 0;
  while (i < utf8.size()) {
    if (i + 8 <= utf8.size() && OttoAscii(utf8.data() + i)) {
      for (int k = 0; k < 8; ++k) *p++ = static_cast<unsigned char>(utf8[i + k]);
      i += 8;
      continue;
    }
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      *p++ = b;
      ++i;
      continue;
    }
    char32_t c;
    const std::size_t n = DecodeOne(utf8, i, c);
    *p++ = n ? c : char32_t(0xFFFD);
    i += n ? n : 1;
  }
  out.resize(static_cast<std::size_t>(p - out.data()));
  return out;
}

std::string ToUtf8(std::u32string_view text) {
  std::string out;
  AppendEncoded(out, text, TTextEncoding::Utf8);
  return out;
}

}  // namespace qx
