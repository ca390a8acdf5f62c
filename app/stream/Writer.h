// Writes records of the toolkit's binary property stream. Integers take the smallest signed
// size that holds them, strings the short form up to 255 bytes and the long form beyond,
// texts go to Windows-1252 (a character the code page lacks becomes "?", and `Perdita`
// says so), reals the 10-byte extended format.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "app/stream/ComponenteStream.h"

namespace qx {

class TWriter {
 public:
  explicit TWriter(std::string& uscita) : out_(uscita) {}

  // A whole record: "TPF0", class name, component name, properties, the end of the
  // properties and the end of the (empty) list of owned components.
  void WriteRootComponent(const TComponenteStream& c);

  void WriteSignature();
  // A length-prefixed name: class, component and property names, identifiers, set members.
  void WriteStr(std::string_view utf8);
  void WriteValue(TValueType t) { out_ += static_cast<char>(t); }
  void WriteValore(const TValoreStream& v);
  void WriteInteger(std::int64_t v);
  void WriteExtended(long double v);
  void WriteSingle(float v);
  void WriteString(std::string_view utf8);
  void WriteIdent(std::string_view nome);
  void WriteBoolean(bool b) { WriteValue(b ? TValueType::vaTrue : TValueType::vaFalse); }
  void WriteListBegin() { WriteValue(TValueType::vaList); }
  void WriteListEnd() { WriteValue(TValueType::vaNull); }

  // True once a text held a character that Windows-1252 cannot write.
  bool Perdita() const { return perdita_; }
  void AzzeraPerdita() { perdita_ = false; }

 private:
  void WriteComponent(const TComponenteStream& c);
  void WriteProperties(const std::vector<TProprieta>& proprieta);
  template <class T>
  void WriteLE(T v);
  std::string InCp1252(std::string_view utf8);
  void WriteBytes(std::string_view b) { out_.append(b.data(), b.size()); }

  std::string& out_;
  bool perdita_ = false;
};

}  // namespace qx
