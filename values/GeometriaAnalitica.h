// Plane analytic geometry on world points (extended reals) and pixel points.
#pragma once
#include "platform/Graphics.h"
#include "values/Funzioni.h"

namespace qx {

// Slope of PQ; 0 for a vertical line.
inline Reale PendenzaRetta(Reale xP, Reale yP, Reale xQ, Reale yQ) {
  return xP == xQ ? 0.0L : (yP - yQ) / (xP - xQ);
}
inline Reale PendenzaRetta(const TPuntoMondo& P, const TPuntoMondo& Q) { return PendenzaRetta(P.x, P.y, Q.x, Q.y); }
inline Reale PendenzaRetta(const TPoint& P, const TPoint& Q) { return PendenzaRetta(P.x, P.y, Q.x, Q.y); }

// y of the line PQ at x (a vertical line gives yQ).
inline Reale YSuRetta(Reale x, Reale xP, Reale yP, Reale xQ, Reale yQ) {
  return PendenzaRetta(xP, yP, xQ, yQ) * (x - xQ) + yQ;
}
inline Reale YSuRetta(Reale x, const TPuntoMondo& P, const TPuntoMondo& Q) { return YSuRetta(x, P.x, P.y, Q.x, Q.y); }
inline Reale YSuRetta(Reale x, const TPoint& P, const TPoint& Q) { return YSuRetta(x, P.x, P.y, Q.x, Q.y); }

// x of the line PQ at y; xQ when the slope is 0 (horizontal or vertical line).
inline Reale XSuRetta(Reale y, Reale xP, Reale yP, Reale xQ, Reale yQ) {
  Reale m = PendenzaRetta(xP, yP, xQ, yQ);
  return m == 0 ? xQ : (y - yQ) / m + xQ;
}
inline Reale XSuRetta(Reale y, const TPuntoMondo& P, const TPuntoMondo& Q) { return XSuRetta(y, P.x, P.y, Q.x, Q.y); }
inline Reale XSuRetta(Reale y, const TPoint& P, const TPoint& Q) { return XSuRetta(y, P.x, P.y, Q.x, Q.y); }

}  // namespace qx
