// A stand-in for the space values, registered as the solid geometry will register its own.
#pragma once
#include <memory>

#include "app/file/ValoriSpazio.h"
#include "values/RegistroSpazio.h"

namespace qx::test {

// A space value as the files see it: plain fields, and a count of how often the up vector
// was set (a scene object renormalises it at every partial change).
class cSolidoFinto : public cValoreGraf {
 public:
  explicit cSolidoFinto(TipiValore t) { Tipo = t; }
  TCampiSpazio Campi;
  int ImpostazioniUp = 0;
  std::unique_ptr<cValore> Clona() const override { return std::make_unique<cSolidoFinto>(*this); }
};

inline void RegistraSpazioFinto(TipiValore t) {
  RegistraValoreSpazio(t, [t] { return std::make_unique<cSolidoFinto>(t); });
  RegistraAccessoSpazio(t, {[](const cValore& v, TCampiSpazio& f) { f = static_cast<const cSolidoFinto&>(v).Campi; },
                            [](cValore& v, const TCampiSpazio& f) {
                              auto& s = static_cast<cSolidoFinto&>(v);
                              s.Campi = f;
                              ++s.ImpostazioniUp;
                            },
                            nullptr});
}

}  // namespace qx::test
