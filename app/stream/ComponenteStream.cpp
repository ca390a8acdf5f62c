#include "app/stream/ComponenteStream.h"

namespace qx {

TValoreStream TValoreStream::DiIntero(std::int64_t v) {
  TValoreStream r;
  r.Tipo = TValueType::vaInt32;
  r.Intero = v;
  return r;
}

TValoreStream TValoreStream::DiExtended(long double v) {
  TValoreStream r;
  r.Tipo = TValueType::vaExtended;
  r.Reale = v;
  return r;
}

TValoreStream TValoreStream::DiSingle(float v) {
  TValoreStream r;
  r.Tipo = TValueType::vaSingle;
  r.Reale = v;
  return r;
}

TValoreStream TValoreStream::DiStringa(std::string v) {
  TValoreStream r;
  r.Tipo = TValueType::vaString;
  r.Testo = std::move(v);
  return r;
}

TValoreStream TValoreStream::DiIdent(std::string v) {
  TValoreStream r;
  r.Tipo = TValueType::vaIdent;
  r.Testo = std::move(v);
  return r;
}

TValoreStream TValoreStream::DiBooleano(bool v) {
  TValoreStream r;
  r.Tipo = v ? TValueType::vaTrue : TValueType::vaFalse;
  return r;
}

TValoreStream TValoreStream::DiSet(std::vector<std::string> membri) {
  TValoreStream r;
  r.Tipo = TValueType::vaSet;
  r.Insieme = std::move(membri);
  return r;
}

TValoreStream TValoreStream::DiNil() { return TValoreStream{}; }

bool TValoreStream::IsIntero() const {
  return Tipo == TValueType::vaInt8 || Tipo == TValueType::vaInt16 || Tipo == TValueType::vaInt32 ||
         Tipo == TValueType::vaInt64;
}

bool TValoreStream::IsReale() const {
  return IsIntero() || Tipo == TValueType::vaExtended || Tipo == TValueType::vaSingle ||
         Tipo == TValueType::vaDate || Tipo == TValueType::vaCurrency;
}

bool TValoreStream::IsStringa() const {
  return Tipo == TValueType::vaString || Tipo == TValueType::vaLString || Tipo == TValueType::vaWString ||
         Tipo == TValueType::vaUTF8String;
}

long double TValoreStream::Numero() const {
  if (IsIntero()) return static_cast<long double>(Intero);
  if (Tipo == TValueType::vaCurrency) return static_cast<long double>(Intero) / 10000.0L;
  return Reale;
}

const TProprieta* TComponenteStream::Cerca(std::string_view nome) const {
  for (const auto& p : Proprieta)
    if (p.Nome == nome) return &p;
  return nullptr;
}

}  // namespace qx
