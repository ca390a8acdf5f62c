// The built-ins on functions of x, expressions and fractions, and the numeric functions of
// the language (number theory and matrix algebra).
#pragma once
#include <memory>
#include <string>

#include "values/Valori.h"
#include "values/espressioni/NodoEspr.h"

namespace qx {

// A formula text that does not parse: the run's error "Espressione non corretta: " and the
// text without blanks, on the statement's line.
void EspressioneNonCorretta(const std::string& testo);

// A value of the kind holding a tree that an operation built. A tree whose printed text
// would not read back (it would be lost by a save) makes no value: the run stops, on a
// division by zero (folded into the undefined constant) or else on the text.
std::unique_ptr<cValore> DaAlbero(TipiValore tipo, PNodo albero);

// Plugs every handler of these built-ins into the dispatcher.
void RegistraComandiFunzioni();

namespace detail {
// The numeric half, kept in its own file; RegistraComandiFunzioni calls it.
void RegistraComandiNumerici();
}  // namespace detail

}  // namespace qx
