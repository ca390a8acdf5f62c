// Reads records of the toolkit's binary property stream. Every value tag of the toolkit is
// read; every length is checked against the bytes that are left, nesting is bounded, and
// any fault raises EReadError with a short description of what was wrong. Texts come out
// as UTF-8 (8-bit strings are Windows-1252, wide strings UTF-16).
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/stream/ComponenteStream.h"

namespace qx {

class EReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TReader {
 public:
  explicit TReader(std::string_view dati) : dati_(dati) {}

  bool Fine() const { return pos_ >= dati_.size(); }
  std::size_t Posizione() const { return pos_; }

  // A whole record: "TPF0", then the component.
  TComponenteStream ReadRootComponent();

  void ReadSignature();
  std::string ReadStr();
  TValueType ReadValue();
  TValueType NextValue() const;
  TValoreStream ReadValore();

 private:
  TComponenteStream ReadComponent(int profondita);
  void ReadProperties(std::vector<TProprieta>& proprieta, int profondita);
  TValoreStream ReadValore(int profondita);
  TValoreStream ReadValoreDiTipo(TValueType t, int profondita);
  template <class T>
  T ReadLE();
  std::string_view ReadBytes(std::uint64_t n);
  std::uint8_t ReadByte();

  std::string_view dati_;
  std::size_t pos_ = 0;
};

}  // namespace qx
