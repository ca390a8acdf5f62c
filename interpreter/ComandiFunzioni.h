// The built-ins on functions of x, expressions and fractions, and the numeric functions of
// the language (number theory and matrix algebra).
#pragma once
#include <string>

namespace qx {

// A formula text that does not parse: the run's error "Espressione non corretta: " and the
// text without blanks, on the statement's line.
void EspressioneNonCorretta(const std::string& testo);

// Plugs every handler of these built-ins into the dispatcher.
void RegistraComandiFunzioni();

namespace detail {
// The numeric half, kept in its own file; RegistraComandiFunzioni calls it.
void RegistraComandiNumerici();
}  // namespace detail

}  // namespace qx
