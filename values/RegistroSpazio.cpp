#include "values/RegistroSpazio.h"

#include <array>

namespace qx {

namespace {
std::array<CreaValoreSpazioFn, T_GEOMETRIA_SPAZIO_ + 1>& Registro() {
  static std::array<CreaValoreSpazioFn, T_GEOMETRIA_SPAZIO_ + 1> registro;
  return registro;
}
}  // namespace

bool RegistraValoreSpazio(TipiValore tipo, CreaValoreSpazioFn crea) {
  if (!IsGeometriaSpazio(tipo)) return false;
  Registro()[tipo] = std::move(crea);
  return true;
}

std::unique_ptr<cValore> CreaValoreSpazio(TipiValore tipo) {
  if (!IsGeometriaSpazio(tipo) || !Registro()[tipo]) return nullptr;
  return Registro()[tipo]();
}

void SvuotaRegistroSpazio() { Registro() = {}; }

}  // namespace qx
