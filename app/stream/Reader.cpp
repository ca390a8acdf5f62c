#include "app/stream/Reader.h"

#include <cstring>

#include "app/stream/Extended80.h"
#include "platform/Cp1252.h"

namespace qx {

namespace {

void AggiungiUtf8(std::string& r, char32_t c) {
  char b[4];
  r.append(b, PutUtf8(b, c));
}

// Deeper nesting than this is no file the system writes: a damaged one must not exhaust
// the stack.
constexpr int kProfonditaMassima = 32;

[[noreturn]] void Errore(const std::string& messaggio) { throw EReadError(messaggio); }

// UTF-16 code units as UTF-8; a lone surrogate becomes U+FFFD.
std::string DaUtf16(std::string_view b) {
  std::string r;
  const std::size_t n = b.size() / 2;
  auto unita = [&](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(b[2 * i]) | (static_cast<unsigned char>(b[2 * i + 1]) << 8));
  };
  for (std::size_t i = 0; i < n; ++i) {
    char32_t c = unita(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && unita(i + 1) >= 0xDC00 && unita(i + 1) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unita(i + 1) - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AggiungiUtf8(r, c);
  }
  return r;
}

// UTF-8 bytes kept as they are when well formed; each malformed byte becomes U+FFFD.
std::string Utf8Valido(std::string_view b) {
  std::string r;
  r.reserve(b.size());
  std::size_t i = 0;
  while (i < b.size()) {
    char32_t c = 0;
    const std::size_t n = DecodeUtf8At(b, i, c);
    if (n == 0) {
      AggiungiUtf8(r, 0xFFFD);
      ++i;
    } else {
      r.append(b.data() + i, n);
      i += n;
    }
  }
  return r;
}

}  // namespace

std::uint8_t TReader::ReadByte() {
  if (pos_ >= dati_.size()) Errore("il file finisce prima del previsto");
  return static_cast<std::uint8_t>(dati_[pos_++]);
}

std::string_view TReader::ReadBytes(std::uint64_t n) {
  if (n > dati_.size() - pos_) Errore("il file finisce prima del previsto");
  const std::string_view r = dati_.substr(pos_, static_cast<std::size_t>(n));
  pos_ += static_cast<std::size_t>(n);
  return r;
}

template <class T>
T TReader::ReadLE() {
  const std::string_view b = ReadBytes(sizeof(T));
  T v;
  std::memcpy(&v, b.data(), sizeof(T));
  return v;
}

void TReader::ReadSignature() {
  if (ReadBytes(4) != "TPF0") Errore("un oggetto non comincia con TPF0");
}

std::string TReader::ReadStr() {
  const std::uint8_t n = ReadByte();
  const std::string_view b = ReadBytes(n);
  for (const char c : b)
    if (static_cast<unsigned char>(c) >= 0x80) return Cp1252ToUtf8(b);
  return std::string(b);
}

TValueType TReader::NextValue() const {
  if (pos_ >= dati_.size()) Errore("il file finisce prima del previsto");
  const auto t = static_cast<std::uint8_t>(dati_[pos_]);
  if (t > kUltimoValueType) Errore("valore di tipo sconosciuto (" + std::to_string(t) + ")");
  return static_cast<TValueType>(t);
}

TValueType TReader::ReadValue() {
  const TValueType t = NextValue();
  ++pos_;
  return t;
}

TValoreStream TReader::ReadValore() { return ReadValore(0); }

TValoreStream TReader::ReadValore(int profondita) {
  if (profondita > kProfonditaMassima) Errore("valori annidati troppo in profondità");
  return ReadValoreDiTipo(ReadValue(), profondita);
}

TValoreStream TReader::ReadValoreDiTipo(TValueType t, int profondita) {
  TValoreStream v;
  v.Tipo = t;
  switch (t) {
    case TValueType::vaNull:
      Errore("valore mancante");
    case TValueType::vaInt8:
      v.Intero = ReadLE<std::int8_t>();
      break;
    case TValueType::vaInt16:
      v.Intero = ReadLE<std::int16_t>();
      break;
    case TValueType::vaInt32:
      v.Intero = ReadLE<std::int32_t>();
      break;
    case TValueType::vaInt64:
    case TValueType::vaCurrency:
      v.Intero = ReadLE<std::int64_t>();
      break;
    case TValueType::vaExtended:
      v.Reale = ByteInExtended(reinterpret_cast<const unsigned char*>(ReadBytes(10).data()));
      break;
    case TValueType::vaSingle:
      v.Reale = ReadLE<float>();
      break;
    case TValueType::vaDate:
      v.Reale = ReadLE<double>();
      break;
    case TValueType::vaString:
    case TValueType::vaIdent:
      v.Testo = ReadStr();
      break;
    case TValueType::vaLString:
      v.Testo = Cp1252ToUtf8(ReadBytes(ReadLE<std::uint32_t>()));
      break;
    case TValueType::vaWString:
      v.Testo = DaUtf16(ReadBytes(std::uint64_t{ReadLE<std::uint32_t>()} * 2));
      break;
    case TValueType::vaUTF8String:
      v.Testo = Utf8Valido(ReadBytes(ReadLE<std::uint32_t>()));
      break;
    case TValueType::vaBinary:
      v.Testo = std::string(ReadBytes(ReadLE<std::uint32_t>()));
      break;
    case TValueType::vaSet:
      for (std::string m = ReadStr(); !m.empty(); m = ReadStr()) v.Insieme.push_back(std::move(m));
      break;
    case TValueType::vaList:
      while (NextValue() != TValueType::vaNull) v.Lista.push_back(ReadValore(profondita + 1));
      ++pos_;
      break;
    case TValueType::vaCollection:
      while (NextValue() != TValueType::vaNull) {
        TElementoCollezione e;
        const TValueType n = NextValue();
        if (n == TValueType::vaInt8 || n == TValueType::vaInt16 || n == TValueType::vaInt32) {
          e.bOrdine = true;
          e.Ordine = ReadValore(profondita + 1).Intero;
        }
        if (ReadValue() != TValueType::vaList) Errore("elemento di una collezione senza inizio");
        ReadProperties(e.Proprieta, profondita + 1);
        v.Collezione.push_back(std::move(e));
      }
      ++pos_;
      break;
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil:
      break;
  }
  return v;
}

void TReader::ReadProperties(std::vector<TProprieta>& proprieta, int profondita) {
  proprieta.reserve(4);
  for (std::string nome = ReadStr(); !nome.empty(); nome = ReadStr()) {
    TValoreStream v = ReadValore(profondita);
    proprieta.push_back({std::move(nome), std::move(v)});
  }
}

TComponenteStream TReader::ReadComponent(int profondita) {
  if (profondita > kProfonditaMassima) Errore("oggetti annidati troppo in profondità");
  TComponenteStream c;
  c.Classe = ReadStr();
  if (c.Classe.empty()) Errore("un oggetto senza nome di classe");
  c.NomeComponente = ReadStr();
  ReadProperties(c.Proprieta, profondita);
  // Owned components follow until a zero byte (a class name is never empty).
  while (true) {
    if (pos_ >= dati_.size()) Errore("il file finisce prima del previsto");
    if (dati_[pos_] == 0) break;
    c.Figli.push_back(ReadComponent(profondita + 1));
  }
  ++pos_;
  return c;
}

TComponenteStream TReader::ReadRootComponent() {
  ReadSignature();
  return ReadComponent(0);
}

}  // namespace qx
