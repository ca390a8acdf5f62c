// The plane constructions that take texts, pictures and strokes, cut and touch figures,
// measure them, build conics, charts and random experiments, compute statistics and solve
// differential equations.
#pragma once
#include <string>

#include "interpreter/Argomenti.h"
#include "interpreter/Dispatch.h"

namespace qx {

// Installs every handler of this folder under its dispatch key.
void RegistraComandiCostruzioni();

// One registration per file of the folder.
void RegistraComandiTesto();
void RegistraComandiIntersezione();
void RegistraComandiMisura();
void RegistraComandiConica();
void RegistraComandiStatistica();
void RegistraComandiEdo();

}  // namespace qx
