#include "editor/TextEncoding.h"

#include <cstdint>
#include <cstring>

#include "platform/Cp1252.h"

namespace qx {

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
    const std::size_t n = DecodeUtf8At(bytes, i, c);
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
    out[i] = Cp1252Char(b);
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
    const std::size_t n = DecodeUtf8At(utf8, i, c);
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
