#include "values/figure/ValoreTesto.h"

#include "runstate/DatiGlob.h"
#include "platform/Canvas.h"
#include "values/FunzioniAusiliarie.h"
#include "values/RifCart.h"
#include "values/figure/StiliGrafici.h"

namespace qx {

cValoreTesto::cValoreTesto() {
  Tipo = T_TESTO;
  NomeTipo = NomeTipoDi(T_TESTO);
  bCoordCartesiane = true;
}

void cValoreTesto::Descrizione(int, std::string& t) const { t.clear(); }

void cValoreTesto::Disegna(TCanvas& c) {
  if (!DatiGlob.RifCart) return;
  ApplicaStili(c, *this);
  c.Brush.Style = bsClear;
  c.TextOut(DatiGlob.RifCart->XPixel(x), DatiGlob.RifCart->YPixel(y), Testo);
}

bool cValoreTesto::Colpito(const TPoint& P) const {
  TCanvas* c = DatiGlob.CanvasRifCart;
  if (!c || !DatiGlob.RifCart) return false;
  c->Font = Font;
  const int L = DatiGlob.RifCart->XPixel(x), T = DatiGlob.RifCart->YPixel(y);
  return PuntoInRettangolo({L, T, L + c->TextWidth(Testo), T + c->TextHeight(Testo)}, P);
}

void cValoreTesto::Sposta(Reale dx, Reale dy) {
  x += dx;
  y += dy;
}

void cValoreTesto::Copia(cValoreGraf& Dest) const {
  cValoreGraf::Copia(Dest);
  auto& d = static_cast<cValoreTesto&>(Dest);
  d.x = x;
  d.y = y;
  d.bCoordCartesiane = bCoordCartesiane;
  d.Testo = Testo;
}

std::unique_ptr<cValore> cValoreTesto::Clona() const {
  auto t = std::make_unique<cValoreTesto>();
  Copia(*t);
  return t;
}

}  // namespace qx
