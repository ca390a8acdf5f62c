// The built-ins on functions of x, expressions and fractions, and the numeric functions of
// the language (number theory and matrix algebra).
#pragma once

namespace qx {

// Plugs every handler of these built-ins into the dispatcher.
void RegistraComandiFunzioni();

namespace detail {
// The numeric half, kept in its own file; RegistraComandiFunzioni calls it.
void RegistraComandiNumerici();
}  // namespace detail

}  // namespace qx
