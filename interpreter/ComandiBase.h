#pragma once
#include <string>

#include "interpreter/Argomenti.h"

namespace qx {

// The text of a logical, a number (two decimals), a string or an angle measure, as the
// print statement and the input prompts join them; false for any other kind.
bool TestoDiValore(const cValore& v, std::string& testo);
// TestoDiValore appended to `testo`.
bool AccodaTestoDiValore(const cValore& v, std::string& testo);

void CmdStampa(bool Esegui, ListaArgomenti& argomenti, const std::string& nome);
void CmdStop(bool Esegui, ListaArgomenti& argomenti, const std::string& nome);

// The vector and matrix builders and the element readers of vectors and matrices.
void RegistraComandiVettori();

}  // namespace qx
