// Ellipses, hyperbolas and parabolas: in canonical form (centred on the origin, axes on
// the coordinate axes, parameters _a and _b) when _k is exactly -1, otherwise in general
// position by two points A, B of the main axis and the shape factor _k.
#pragma once
#include <memory>

#include "values/Valori.h"

namespace qx {

class cValoreConica : public cValoreGraf {
 public:
  explicit cValoreConica(TipiValore tipo = T_ELLISSE);

  Reale _xa = 0, _ya = 0;  // A: the vertex of a parabola, the first vertex otherwise
  Reale _xb = 0, _yb = 0;  // B: a second point of a parabola's axis, the second vertex otherwise
  Reale _a = 0, _b = 0;
  Reale _k = -1;

  // Kind, pen, brush, the parameters and the two points; not the name, font or flags.
  void CopiaIn(cValoreConica& Dest) const;

  void Disegna(TCanvas& Canvas) override;
  std::unique_ptr<cValore> Clona() const override;

 private:
  void DisegnaCanonica(TCanvas& c);
  void DisegnaGenerale(TCanvas& c);
};

// Canonical ordinates; 1e99 where the curve has no point.
Reale YEllisse(Reale b, Reale a, Reale x);
Reale YIperbole(Reale b, Reale a, Reale x);
Reale YParabola(Reale a, Reale x);

}  // namespace qx
