#include "values/figure/ValoreAngolo.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "runstate/DatiGlob.h"
#include "platform/Canvas.h"
#include "values/GeometriaAnalitica.h"
#include "values/RifCart.h"
#include "values/figure/StiliGrafici.h"
#include "values/figure/ValoreRetta.h"

namespace qx {

cValoreAngolo::cValoreAngolo() {
  Tipo = T_ANGOLO;
  NomeTipo = NomeTipoDi(T_ANGOLO);
}

void cValoreAngolo::Ampiezza(int& Gradi, int& Primi, Reale& Secondi) const {
  const Reale a = AngoloTraSegmenti({x1, y1}, {x2, y2}, {x3, y3}, v);
  // In hundredths of a second first, so that 59.996" carries into the minutes instead of
  // printing as 60".
  const long long centesimi = std::llround(a * 360000.0L);
  Gradi = static_cast<int>(centesimi / 360000);
  Primi = static_cast<int>(centesimi % 360000 / 6000);
  Secondi = static_cast<Reale>(centesimi % 6000) / 100;
}

void cValoreAngolo::Descrizione(int, std::string& Testo) const {
  int g = 0, p = 0;
  Reale s = 0;
  Ampiezza(g, p, s);
  Testo = IntestazioneDescrizione() + " - Ampiezza: " + std::to_string(g) + "° " + std::to_string(p) + "' " +
          NumeroInTestoDec(s, 2) + "\"";
}

void cValoreAngolo::Disegna(TCanvas& c) {
  const cRifCart* f = DatiGlob.RifCart;
  if (!f) return;
  const TPuntoMondo A{x1, y1}, V{x2, y2}, C{x3, y3};
  Pixel1 = f->CartInPixel(A);
  Pixel2 = f->CartInPixel(V);
  Pixel3 = f->CartInPixel(C);
  Reale r = std::min({RAGGIO_ANGOLO, Distanza(V, A), Distanza(V, C)});
  TPoint S = f->CartInPixel(PuntoADistanza(r, V, A));
  TPoint E = f->CartInPixel(PuntoADistanza(r, V, C));
  if (v == 'O') std::swap(S, E);
  ApplicaStili(c, *this);
  c.Pen.Mode = pmCopy;
  auto scatola = [&](Reale raggio) {
    return TRect{f->XPixel(x2 - raggio), f->YPixel(y2 + raggio), f->XPixel(x2 + raggio), f->YPixel(y2 - raggio)};
  };
  if (c.Brush.Style != bsClear) {
    const TColor penna = c.Pen.Color;
    c.Pen.Color = c.Brush.Color;
    const TRect b = scatola(r);
    c.Pie(b.Left, b.Top, b.Right, b.Bottom, S.x, S.y, E.x, E.y);
    c.Pen.Color = penna;
  }
  for (int k = 1; k <= 3; ++k) {
    const TRect b = scatola(r);
    c.Arc(b.Left, b.Top, b.Right, b.Bottom, S.x, S.y, E.x, E.y);
    r -= k * r / 3;
  }
  if (sem) {
    for (const TPuntoMondo& lato : {A, C}) {
      cValoreRetta raggio(T_SEMIRETTA);
      raggio.Pen = Pen;
      raggio.Brush = Brush;
      raggio.bSelezionato = bSelezionato;
      raggio.bEvidenziato = bEvidenziato;
      raggio.x1 = x2;
      raggio.y1 = y2;
      raggio.x2 = lato.x;
      raggio.y2 = lato.y;
      raggio.Disegna(c);
    }
  } else {
    c.MoveTo(Pixel1.x, Pixel1.y);
    c.LineTo(Pixel2.x, Pixel2.y);
    c.LineTo(Pixel3.x, Pixel3.y);
  }
}

bool cValoreAngolo::Colpito(const TPoint& P) const {
  const cRifCart* f = DatiGlob.RifCart;
  if (!f) return false;
  const int d = ArrotondaPixel(DistanzaPixel(Pixel2, P));
  // The marking radius as a length in pixels: a pixel column would depend on where the
  // origin has been panned.
  const int raggio = std::abs(f->XPixel(RAGGIO_ANGOLO) - f->XPixel(0));
  if (d < 4 || d > raggio) return false;
  return AngoloTraSegmentiPixel(Pixel1, Pixel2, P, v) <= AngoloTraSegmentiPixel(Pixel1, Pixel2, Pixel3, v);
}

void cValoreAngolo::Sposta(Reale dx, Reale dy) {
  x1 += dx;
  y1 += dy;
  x2 += dx;
  y2 += dy;
  x3 += dx;
  y3 += dy;
}

void cValoreAngolo::Copia(cValoreGraf& Dest) const {
  cValoreGraf::Copia(Dest);
  auto& d = static_cast<cValoreAngolo&>(Dest);
  d.bCoordCartesiane = bCoordCartesiane;
  d.v = v;
  d.sem = sem;
  d.Pixel1 = Pixel1;
  d.Pixel2 = Pixel2;
  d.Pixel3 = Pixel3;
  d.x1 = x1;
  d.y1 = y1;
  d.x2 = x2;
  d.y2 = y2;
  d.x3 = x3;
  d.y3 = y3;
}

std::unique_ptr<cValore> cValoreAngolo::Clona() const {
  auto a = std::make_unique<cValoreAngolo>();
  Copia(*a);
  return a;
}

}  // namespace qx
