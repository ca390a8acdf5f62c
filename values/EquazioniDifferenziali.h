// Numerical solution of the first-order equation y' = f(x, y), y(x0) = y0: Picard's
// fixed-point iteration y(t) = y0 + integral from x0 to t of f(s, y(s)) ds, the integral
// taken by a Chebyshev quadrature on ten nodes of the interval [x0, X].
#pragma once
#include <functional>

#include "values/Funzioni.h"
#include "values/Matrice.h"

namespace qx {

// Nodes of the quadrature and most passes of the iteration.
constexpr int NODI_EDO = 10;
constexpr int PASSI_EDO = 40;

struct SoluzioneEDO {
  // y(x); VAL_NON_DEFINITA when the iteration did not settle (or the interval is a point
  // and x is not its start).
  Reale y = VAL_NON_DEFINITA;
  bool converge = false;
  int passi = 0;
  // The node abscissas t_1 .. t_m (t_1 nearest the far end X) and the slopes f(t_j, y_j)
  // of the last pass.
  TVettore nodi, pendenze;
};

// Solves over [x0, X] (X may lie left of x0) and gives y at x. The passes stop when the
// value at x changes by at most 1e-6 (relative to it once it exceeds 1) or after PASSI_EDO
// passes; only the former counts as convergence. Error values returned by f enter the
// iteration as numbers.
SoluzioneEDO RisolviEDO(const std::function<Reale(Reale, Reale)>& f, Reale x0, Reale y0, Reale X, Reale x);

}  // namespace qx
