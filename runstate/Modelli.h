#pragma once
#include <array>
#include <string>
#include <vector>

#include "runstate/DatiGlob.h"

namespace qx {

// Categories of ListeModelli, in the order in which start-up fills them.
enum TCategoriaModelli : int {
  cmGenerali, cmGeometria, cmFrazioniEspressioni, cmFunzioniPiano, cmStatistica,
  cmMatriciVettori, cmFunzioniNumeriche, cmSpazio, cmOperatori
};

// The nine lists as written, before sorting.
const std::array<std::vector<std::string>, NUM_LISTE_MODELLI>& ModelliNonOrdinati();

// The string list's case-insensitive order, which the menus show.
bool MinoreSenzaMaiuscole(const std::string& a, const std::string& b);

}  // namespace qx
