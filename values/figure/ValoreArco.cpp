#include "values/figure/ValoreArco.h"

#include <cstdlib>
#include <utility>

#include "runstate/DatiGlob.h"
#include "platform/Canvas.h"
#include "values/FunzioniAusiliarie.h"
#include "values/GeometriaAnalitica.h"
#include "values/RifCart.h"
#include "values/figure/StiliGrafici.h"

namespace qx {

cValoreArco::cValoreArco(TipiValore tipo) {
  Tipo = tipo;
  NomeTipo = NomeTipoDi(tipo);
}

void cValoreArco::Descrizione(int, std::string& Testo) const { Testo = IntestazioneDescrizione(); }

void cValoreArco::Disegna(TCanvas& c) {
  const cRifCart* f = DatiGlob.RifCart;
  if (!f) return;
  const TPuntoMondo A{x1, y1}, C{x2, y2}, B{x3, y3};
  const Reale r = Distanza(C, A);
  TPoint S = f->CartInPixel(PuntoADistanza(r, C, A));
  TPoint E = f->CartInPixel(PuntoADistanza(r, C, B));
  if (v == 'O') std::swap(S, E);
  ApplicaStili(c, *this);
  c.Pen.Mode = pmCopy;
  const TRect b{f->XPixel(x2 - r), f->YPixel(y2 + r), f->XPixel(x2 + r), f->YPixel(y2 - r)};
  if (Tipo == T_SETTORECIRC) c.Pie(b.Left, b.Top, b.Right, b.Bottom, S.x, S.y, E.x, E.y);
  else c.Arc(b.Left, b.Top, b.Right, b.Bottom, S.x, S.y, E.x, E.y);
}

bool cValoreArco::Colpito(const TPoint& P) const {
  const cRifCart* f = DatiGlob.RifCart;
  if (!f) return false;
  const TPoint A = f->CartInPixel({x1, y1}), C = f->CartInPixel({x2, y2}), B = f->CartInPixel({x3, y3});
  const int rp = ArrotondaPixel(DistanzaPixel(A, C));
  const int d = ArrotondaPixel(DistanzaPixel(C, P));
  const bool vicino = std::abs(d - rp) < 4;
  const bool dentro = AngoloTraSegmentiPixel(A, C, P, v) <= AngoloTraSegmentiPixel(A, C, B, v);
  if (Tipo != T_SETTORECIRC) return vicino && dentro;
  if (Brush.Style == bsSolid) return d >= 4 && d <= rp && dentro;
  return (vicino && dentro) || PuntoSuSegmentoPixel(P, A, C) || PuntoSuSegmentoPixel(P, C, B);
}

void cValoreArco::Sposta(Reale dx, Reale dy) {
  x1 += dx;
  y1 += dy;
  x2 += dx;
  y2 += dy;
  x3 += dx;
  y3 += dy;
}

void cValoreArco::Copia(cValoreGraf& Dest) const {
  cValoreGraf::Copia(Dest);
  auto& d = static_cast<cValoreArco&>(Dest);
  d.mis = mis;
  d.v = v;
  d.x1 = x1;
  d.y1 = y1;
  d.x2 = x2;
  d.y2 = y2;
  d.x3 = x3;
  d.y3 = y3;
}

std::unique_ptr<cValore> cValoreArco::Clona() const {
  auto a = std::make_unique<cValoreArco>(Tipo);
  Copia(*a);
  return a;
}

}  // namespace qx
