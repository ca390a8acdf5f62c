// The numeric value of an expression tree at given x and y. Numeric failures never raise:
// they are the four error values, which pass unchanged up the tree. Angles are radians.
#pragma once
#include "values/espressioni/NodoEspr.h"

namespace qx {

// A nil root gives 0. By reference: a point whose coordinates lie in memory is copied as their
// bytes, not stored again by the x87 unit (see CopiaReale).
Reale ValutaAlbero(const NodoEspr* radice, const Reale& x, const Reale& y);
inline void ValutaAlbero(const NodoEspr* radice, Reale& risultato, const Reale& x, const Reale& y) {
  risultato = ValutaAlbero(radice, x, y);
}

// The built-in functions with their domain checks, one real each.
namespace reali {
Reale Meno(Reale x);
Reale Sin(Reale x);
Reale Cos(Reale x);
Reale Tan(Reale x);
Reale ArcSin(Reale x);
Reale ArcCos(Reale x);
Reale ArcTan(Reale x);
Reale Exp(Reale x);
Reale Ln(Reale x);
Reale Log(Reale x);
Reale Sqr(Reale x);
Reale Sqrt(Reale x);
Reale Abs(Reale x);
Reale Sinh(Reale x);
Reale Cosh(Reale x);
Reale Tanh(Reale x);
Reale ArcSinh(Reale x);
Reale ArcCosh(Reale x);
Reale ArcTanh(Reale x);
Reale Sec(Reale x);
Reale Cosec(Reale x);
Reale ArcSec(Reale x);
Reale ArcCosec(Reale x);
Reale Cotan(Reale x);
Reale Cotanh(Reale x);
Reale Sech(Reale x);
Reale Cosech(Reale x);
Reale Int(Reale x);
// x is an odd multiple of pi/2 (exact test, either sign): where Tan is undefined.
bool EMultiploPiMezzi(Reale x);
}  // namespace reali

// The built-in f at x (the value rules of the table above), non-finite results mapped to
// the error values.
Reale ValutaFunzione(IndiceFunzione f, Reale x);

}  // namespace qx
