// An arc, or a circular sector, given by its start point, its centre and a point on the
// direction where it ends; the radius is the distance from the centre to the start.
#pragma once
#include <memory>
#include <string>

#include "values/Valori.h"

namespace qx {

class cValoreArco : public cValoreGraf {
 public:
  explicit cValoreArco(TipiValore tipo = T_ARCO);

  Reale x1 = 0, y1 = 0;  // start point
  Reale x2 = 0, y2 = 0;  // centre
  Reale x3 = 0, y3 = 0;  // on the end direction
  Reale mis = 0;         // a measure kept by the arc statements
  char v = 'A';          // as for the angle: 'O' runs the other way round

  void Descrizione(int n, std::string& Testo) const override;
  void Disegna(TCanvas& Canvas) override;
  bool Colpito(const TPoint& P) const override;
  void Sposta(Reale dx, Reale dy) override;
  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValore> Clona() const override;
};

}  // namespace qx
