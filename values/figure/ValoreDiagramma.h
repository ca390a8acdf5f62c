// Statistical charts of n classes drawn inside a pixel rectangle: bars, a pie, or a
// histogram with its frequency polygon.
#pragma once
#include <memory>
#include <string>

#include "values/Valori.h"
#include "values/VettoriMatrici.h"

namespace qx {

class cValoreDiagramma : public cValoreGraf {
 public:
  cValoreDiagramma(TipiValore tipo = T_DIAG_STR, int n = 0);

  Reale x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // world corners given when the chart was placed
  cVettReale _freq;
  cVettStringa _descr;
  Reale _maxAlt = 0;  // fixed top of the value scale; 0: the largest frequency
  TRect Rettangolo{100, 100, 400, 400};

  void Descrizione(int n, std::string& Testo) const override;
  void Disegna(TCanvas& Canvas) override;
  bool Colpito(const TPoint& P) const override;
  // Only the world corners move; the pixel rectangle stays.
  void Sposta(Reale dx, Reale dy) override;
  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValore> Clona() const override;

 private:
  void DisegnaTorta(TCanvas& c);
  void DisegnaColonne(TCanvas& c);
};

// The label of a pie slice: the frequency, then its percentage with three significant
// digits ("2 (20%)").
std::string EtichettaFetta(Reale frequenza, Reale totale);

}  // namespace qx
