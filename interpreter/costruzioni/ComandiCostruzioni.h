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

// The regression line of two real vectors (RETTA_REGR), across the canvas. It follows the
// whole frame of a line command: it reports its own errors, stores the line and returns it.
// The line commands' handler hands the keyword over to it.
PValore CmdRettaRegressione(ListaArgomenti& argomenti, const std::string& nome, bool Esegui);

// One registration per file of the folder.
void RegistraComandiTesto();
void RegistraComandiIntersezione();
void RegistraComandiMisura();
void RegistraComandiConica();
void RegistraComandiStatistica();
void RegistraComandiEdo();

}  // namespace qx
