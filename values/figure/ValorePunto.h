// A point of the plane: its world position, the pixel where it was last drawn and the
// label written beside it (a trailing number becomes a lowered subscript: P12, P_1).
#pragma once
#include <memory>
#include <string>

#include "values/Valori.h"

namespace qx {

class cValorePunto : public cValoreGraf {
 public:
  cValorePunto();

  // Zero in a new value; set and copied as bytes (see cValoreRetta).
  Reale xCart, yCart;
  TPoint Pixel;      // where the point was last drawn (or put by ImpostaPixel)
  TRect RettNome;    // the label's base text, as last drawn
  TRect RettIndice;  // the label's subscript, as last drawn
  std::string Etichetta;
  bool bSuRettaNumerica = false;  // fixed on a numbered line: it does not move

  void ImpostaPixel(int px, int py) { Pixel = {px, py}; }
  TPuntoMondo Punto() const {
    TPuntoMondo p;
    CopiaReale(p.x, xCart);
    CopiaReale(p.y, yCart);
    return p;
  }

  void Descrizione(int n, std::string& Testo) const override;
  void Disegna(TCanvas& Canvas) override;
  bool Colpito(const TPoint& P) const override;
  void Sposta(Reale dx, Reale dy) override;
  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValore> Clona() const override;
  void DopoMemorizzazione(const cValoreGraf& sorgente, const std::string& nome) override;

  // Every read of a point variable copies its value: points reuse their blocks.
  static void* operator new(std::size_t n);
  static void operator delete(void* p, std::size_t n) noexcept;

 private:
  // cValorePunto() followed by s.Copia, in one step (Clona).
  cValorePunto(const cValorePunto& s, ComeCopia);
};

// The label split into its base text and its subscript (the trailing digits); the base
// loses its trailing underscores.
void DividiEtichetta(const std::string& etichetta, std::string& base, std::string& indice);

}  // namespace qx
