#include "interpreter/costruzioni/ComandiCostruzioni.h"

namespace qx {

void RegistraComandiCostruzioni() {
  RegistraComandiTesto();
  RegistraComandiIntersezione();
  RegistraComandiMisura();
  RegistraComandiConica();
  RegistraComandiStatistica();
  RegistraComandiEdo();
}

}  // namespace qx
