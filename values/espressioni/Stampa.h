// Trees back to infix text, and decimal numbers with a repeating tail to exact fractions.
#pragma once
#include <string>

#include "values/espressioni/NodoEspr.h"

namespace qx {

// The infix text of the sub-tree, wrapped in parentheses when the context precedence p
// is above the node's own. The text parses back to the same tree (only the undefined
// constant, "???", has no spelling that parses).
void AlberoInTesto(const NodoEspr* n, int p, std::string& testo);
inline std::string AlberoInTesto(const NodoEspr* n) {
  std::string s;
  AlberoInTesto(n, 0, s);
  return s;
}
// The shortest text of a number that reads back to the same value: the general format
// of 15 digits when that is exact, more digits when not; "pi" for pi.
std::string TestoNumeroEspr(Reale x);

// x with its last p decimals repeating, as a reduced fraction. An integer gives n/1; a
// value whose text is in exponent form, or digit texts beyond 32-bit integers, give False.
bool DecimaleInFrazione(int p, Reale& numeratore, Reale& denominatore, Reale x);

}  // namespace qx
