#include "app/stream/Writer.h"

#include <cstring>

#include "app/stream/Extended80.h"
#include "platform/Cp1252.h"

namespace qx {

template <class T>
void TWriter::WriteLE(T v) {
  char b[sizeof(T)];
  std::memcpy(b, &v, sizeof(T));  // the machine is little-endian (Extended80.h)
  out_.append(b, sizeof(T));
}

namespace {
bool Ascii(std::string_view s) {
  for (const char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}
}  // namespace

std::string TWriter::InCp1252(std::string_view utf8) {
  // Names and most texts are plain ASCII, which both forms share.
  if (Ascii(utf8)) return std::string(utf8);
  std::string perso;
  std::string b = Utf8ToCp1252(utf8, &perso);
  if (!perso.empty()) perdita_ = true;
  return b;
}

void TWriter::WriteSignature() { WriteBytes("TPF0"); }

void TWriter::WriteStr(std::string_view utf8) {
  if (utf8.size() <= 255 && Ascii(utf8)) {
    out_ += static_cast<char>(utf8.size());
    out_ += utf8;
    return;
  }
  std::string b = InCp1252(utf8);
  // Names are the system's own and short; a longer one could not be read back as it was.
  if (b.size() > 255) b.resize(255);
  out_ += static_cast<char>(b.size());
  out_ += b;
}

void TWriter::WriteInteger(std::int64_t v) {
  if (v >= INT8_MIN && v <= INT8_MAX) {
    WriteValue(TValueType::vaInt8);
    WriteLE(static_cast<std::int8_t>(v));
  } else if (v >= INT16_MIN && v <= INT16_MAX) {
    WriteValue(TValueType::vaInt16);
    WriteLE(static_cast<std::int16_t>(v));
  } else if (v >= INT32_MIN && v <= INT32_MAX) {
    WriteValue(TValueType::vaInt32);
    WriteLE(static_cast<std::int32_t>(v));
  } else {
    WriteValue(TValueType::vaInt64);
    WriteLE(v);
  }
}

void TWriter::WriteExtended(long double v) {
  WriteValue(TValueType::vaExtended);
  const auto b = ExtendedInByte(v);
  out_.append(reinterpret_cast<const char*>(b.data()), b.size());
}

void TWriter::WriteSingle(float v) {
  WriteValue(TValueType::vaSingle);
  WriteLE(v);
}

void TWriter::WriteString(std::string_view utf8) {
  const std::string b = InCp1252(utf8);
  if (b.size() <= 255) {
    WriteValue(TValueType::vaString);
    out_ += static_cast<char>(b.size());
  } else {
    WriteValue(TValueType::vaLString);
    WriteLE(static_cast<std::uint32_t>(b.size()));
  }
  out_ += b;
}

void TWriter::WriteIdent(std::string_view nome) {
  WriteValue(TValueType::vaIdent);
  WriteStr(nome);
}

namespace {
// UTF-8 as UTF-16 code units (malformed bytes become U+FFFD).
std::u16string InUtf16(std::string_view utf8) {
  std::u16string r;
  std::size_t i = 0;
  while (i < utf8.size()) {
    char32_t c = 0;
    const std::size_t n = DecodeUtf8At(utf8, i, c);
    if (n == 0) c = 0xFFFD;
    i += n ? n : 1;
    if (c >= 0x10000) {
      c -= 0x10000;
      r += static_cast<char16_t>(0xD800 + (c >> 10));
      r += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      r += static_cast<char16_t>(c);
    }
  }
  return r;
}
}  // namespace

void TWriter::WriteValore(const TValoreStream& v) {
  switch (v.Tipo) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64:
      WriteInteger(v.Intero);
      return;
    case TValueType::vaExtended:
      WriteExtended(v.Reale);
      return;
    case TValueType::vaSingle:
      WriteSingle(static_cast<float>(v.Reale));
      return;
    case TValueType::vaDate:
      WriteValue(v.Tipo);
      WriteLE(static_cast<double>(v.Reale));
      return;
    case TValueType::vaCurrency:
      WriteValue(v.Tipo);
      WriteLE(v.Intero);
      return;
    case TValueType::vaString:
    case TValueType::vaLString:
      WriteString(v.Testo);
      return;
    case TValueType::vaWString: {
      const std::u16string w = InUtf16(v.Testo);
      WriteValue(v.Tipo);
      WriteLE(static_cast<std::uint32_t>(w.size()));
      for (const char16_t c : w) WriteLE(static_cast<std::uint16_t>(c));
      return;
    }
    case TValueType::vaIdent:
      WriteIdent(v.Testo);
      return;
    case TValueType::vaUTF8String:
    case TValueType::vaBinary:
      WriteValue(v.Tipo);
      WriteLE(static_cast<std::uint32_t>(v.Testo.size()));
      WriteBytes(v.Testo);
      return;
    case TValueType::vaSet:
      WriteValue(v.Tipo);
      for (const auto& m : v.Insieme) WriteStr(m);
      WriteStr("");
      return;
    case TValueType::vaList:
      WriteListBegin();
      for (const auto& e : v.Lista) WriteValore(e);
      WriteListEnd();
      return;
    case TValueType::vaCollection:
      WriteValue(v.Tipo);
      for (const auto& e : v.Collezione) {
        if (e.bOrdine) WriteInteger(e.Ordine);
        WriteListBegin();
        WriteProperties(e.Proprieta);
      }
      WriteListEnd();
      return;
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil:
    case TValueType::vaNull:
      WriteValue(v.Tipo);
      return;
  }
}

void TWriter::WriteProperties(const std::vector<TProprieta>& proprieta) {
  for (const auto& p : proprieta) {
    WriteStr(p.Nome);
    WriteValore(p.Valore);
  }
  WriteListEnd();
}

void TWriter::WriteComponent(const TComponenteStream& c) {
  WriteStr(c.Classe);
  WriteStr(c.NomeComponente);
  WriteProperties(c.Proprieta);
  for (const auto& f : c.Figli) WriteComponent(f);
  WriteListEnd();
}

void TWriter::WriteRootComponent(const TComponenteStream& c) {
  WriteSignature();
  WriteComponent(c);
}

}  // namespace qx
