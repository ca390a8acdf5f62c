// The space values of the solid geometry in program files: for each kind, how its stored
// fields are read from a value, and how a value is made and filled from them.
#pragma once

namespace qx {

// Registers the accessor of every space kind (values/RegistroSpazio.h makers included).
void RegistraAccessiSpazio();

}  // namespace qx
