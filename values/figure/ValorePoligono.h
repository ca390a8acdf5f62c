// A polygon of one of the named kinds: closed and filled with the brush, or an open chain
// of sides ("Polyline"). Its hit test also finds the side, and while a vertex is being
// picked the vertex, under the mouse.
#pragma once
#include <memory>
#include <string>

#include "values/Collezioni.h"
#include "values/Valori.h"
#include "values/figure/ValorePunto.h"
#include "values/figure/ValoreRetta.h"

namespace qx {

class cValorePoligono : public cValoreGraf {
 public:
  explicit cValorePoligono(TipiPoligono tipoPol = T_POL);

  bool bChiuso = true;
  TCollPunti Punti;
  TipiPoligono TipoPol = T_POL;
  Reale Lato = 0;  // the side length given to the statements that build regular figures

  // What the last hit test found.
  mutable bool bLatoTrovato = false;
  mutable TPuntoMondo EstremoLato1, EstremoLato2;
  mutable bool bVerticeTrovato = false;
  mutable TPuntoMondo VerticeTrovato;

  void ImpostaPunti(const TCollPunti& punti) { Punti = punti; }
  // A new segment for the side under P, or a new point for the vertex under P; nullptr
  // when P misses the polygon (or no vertex was found).
  std::unique_ptr<cValoreRetta> LatoColpito(const TPoint& P) const;
  std::unique_ptr<cValorePunto> VerticeColpito(const TPoint& P) const;
  // Mirror in the vertical (horizontal) line through the rightmost (topmost) vertex.
  void RibaltaOrizzontale();
  void RibaltaVerticale();
  // False with fewer than three vertices.
  bool Baricentro(TPuntoMondo& G) const;
  // Signed: positive when the vertices run anticlockwise; 0 below three vertices.
  Reale Area() const;
  // The lowest vertex first, the others by their direction seen from it.
  void OrdinaVertici();

  void Descrizione(int n, std::string& Testo) const override;
  void Disegna(TCanvas& Canvas) override;
  bool Colpito(const TPoint& P) const override;
  void Sposta(Reale dx, Reale dy) override;
  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValore> Clona() const override;
};

}  // namespace qx
