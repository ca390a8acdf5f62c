// The straight figures given by two world points: line, segment, oriented segment, ray,
// numbered line and oriented line, told apart by the value's kind.
#pragma once
#include <memory>
#include <string>

#include "values/Valori.h"

namespace qx {

class cValoreRetta : public cValoreGraf {
 public:
  explicit cValoreRetta(TipiValore tipo = T_RETTA);

  // Zero in a new value. Set and copied as bytes (CopiaReale): figures are made and copied at
  // every statement that names one.
  Reale x1, y1;  // first point: the start of a ray or an oriented segment
  Reale x2, y2;
  Reale _xCentro;  // numbered line: world x of the origin mark
  Reale _UnitMis;  // numbered line: the unit; 0 = no unit marks

  void ImpostaPixel(const TPoint& A, const TPoint& B) {
    P1 = A;
    P2 = B;
  }
  // The drawn ends: segments end at their points, lines and rays at the border of the
  // canvas's clip rectangle (Ritaglia) or of a square of 5000 pixels around the origin.
  void CalcolaEstremiPixel(bool Ritaglia) const;
  TPoint Estremo1() const { return P1; }
  TPoint Estremo2() const { return P2; }

  void Descrizione(int n, std::string& Testo) const override;
  void Disegna(TCanvas& Canvas) override;
  bool Colpito(const TPoint& P) const override;
  void Sposta(Reale dx, Reale dy) override;
  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValore> Clona() const override;
  // Made at every geometry command and copied at every read: they reuse their blocks.
  static void* operator new(std::size_t n);
  static void operator delete(void* p, std::size_t n) noexcept;

 private:
  void DisegnaTacca(TCanvas& c, int colonna, int riga, const char* testo);
  mutable TPoint P1, P2;
};

// The description's name of a straight kind ("Retta orientata" has no display name).
const char* NomeRetta(TipiValore tipo);

}  // namespace qx
