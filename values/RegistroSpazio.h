// The space values (kinds 42 to 60) belong to the solid geometry, which sits above the values
// and the interpreter. At start-up it registers here how each of its kinds is made, so that
// the lower layers (program files, the picks, the store) can create one by its kind without
// depending on it. Until it registers, no space value can be made.
#pragma once
#include <functional>
#include <memory>

#include "values/Valori.h"

namespace qx {

using CreaValoreSpazioFn = std::function<std::unique_ptr<cValore>()>;

// Registers the maker of a space kind; a kind outside 42..60 is ignored (false).
bool RegistraValoreSpazio(TipiValore tipo, CreaValoreSpazioFn crea);
// A new default value of a space kind, or nullptr when none is registered for it.
std::unique_ptr<cValore> CreaValoreSpazio(TipiValore tipo);
// Forgets every maker (tests).
void SvuotaRegistroSpazio();

}  // namespace qx
