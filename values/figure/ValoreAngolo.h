// An angle given by a point on its first side, its vertex and a point on its second side,
// marked by three arcs (and filled with the brush when it is not clear).
#pragma once
#include <memory>
#include <string>

#include "values/Valori.h"

namespace qx {

class cValoreAngolo : public cValoreGraf {
 public:
  cValoreAngolo();

  Reale x1 = 0, y1 = 0;  // on the first side
  Reale x2 = 0, y2 = 0;  // the vertex
  Reale x3 = 0, y3 = 0;  // on the second side
  char v = 'A';          // 'A' anticlockwise from the first side to the second, 'O' clockwise
  bool sem = false;      // the sides are drawn as rays

  // The pixels of the three points, as last drawn.
  TPoint Pixel1, Pixel2, Pixel3;

  // The width in degrees, minutes and seconds, rounded to the hundredth of a second.
  void Ampiezza(int& Gradi, int& Primi, Reale& Secondi) const;

  void Descrizione(int n, std::string& Testo) const override;
  void Disegna(TCanvas& Canvas) override;
  bool Colpito(const TPoint& P) const override;
  void Sposta(Reale dx, Reale dy) override;
  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValore> Clona() const override;
};

// The world radius of the marking arcs: 0.6 units, less for shorter sides.
constexpr Reale RAGGIO_ANGOLO = 0.6L;

}  // namespace qx
