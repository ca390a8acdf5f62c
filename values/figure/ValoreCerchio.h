// A circle given by its world centre and radius; the pixel centre and radius are those
// of the last drawing (or of ImpostaPixel for a circle placed by pixels).
#pragma once
#include <memory>
#include <string>

#include "values/Valori.h"

namespace qx {

class cValoreCerchio : public cValoreGraf {
 public:
  cValoreCerchio();

  // Zero in a new value; set and copied as bytes (see cValoreRetta).
  Reale x, y, r;
  TPoint CentroPixel;
  int RaggioPixel = 0;

  void ImpostaPixel(const TPoint& centro, int raggio) {
    CentroPixel = centro;
    RaggioPixel = raggio;
  }

  void Descrizione(int n, std::string& Testo) const override;
  void Disegna(TCanvas& Canvas) override;
  bool Colpito(const TPoint& P) const override;
  void Sposta(Reale dx, Reale dy) override;
  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValore> Clona() const override;
  // Made at every geometry command and copied at every read: they reuse their blocks.
  static void* operator new(std::size_t n);
  static void operator delete(void* p, std::size_t n) noexcept;
};

}  // namespace qx
