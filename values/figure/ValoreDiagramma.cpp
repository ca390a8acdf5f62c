#include "values/figure/ValoreDiagramma.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "runstate/DatiGlob.h"
#include "platform/Canvas.h"
#include "values/FunzioniAusiliarie.h"
#include "values/GeometriaAnalitica.h"
#include "values/figure/StiliGrafici.h"

namespace qx {

namespace {
// Ticks of the value scale on each side of zero; past this many they would crowd into
// the same rows.
constexpr int kMassimoTacche = 1000;
}  // namespace

std::string EtichettaFetta(Reale frequenza, Reale totale) {
  char percento[32];
  std::snprintf(percento, sizeof percento, "%.3Lg", 100 * frequenza / totale);
  return NumeroInTesto(frequenza) + " (" + percento + "%)";
}

cValoreDiagramma::cValoreDiagramma(TipiValore tipo, int n) : _freq(n), _descr(n) {
  Tipo = tipo;
  NomeTipo = NomeTipoDi(tipo);
}

void cValoreDiagramma::Descrizione(int, std::string& Testo) const { Testo = IntestazioneDescrizione(); }

void cValoreDiagramma::Disegna(TCanvas& c) {
  ApplicaStili(c, *this);
  c.Pen.Mode = pmCopy;
  c.Brush.Style = bsClear;
  if (Tipo == T_DIAG_CIRC) DisegnaTorta(c);
  else DisegnaColonne(c);
  c.TextAlign = {haLeft, vaTop};
}

void cValoreDiagramma::DisegnaTorta(TCanvas& c) {
  const int n = _freq.Count;
  const TRect& q = Rettangolo;
  const int r = (q.Right - q.Left) / 2;
  const int cx = q.Left + r, cy = q.Top + r;
  Reale totale = 0;
  for (int i = 1; i <= n; ++i) totale += _freq.Leggi(i);
  // With nothing to share out there are no slices (and no percentages to divide).
  if (n == 0 || totale == 0) return;
  auto punto = [&](Reale gradi, Reale distanza) {
    return TPoint{cx + ArrotondaPixel(distanza * CosenoGradi(-gradi)),
                  cy - ArrotondaPixel(distanza * SenoGradi(-gradi))};
  };
  // Each slice is laid from the running sum, so the half-degree overlaps do not add up
  // into a drift of the later slices.
  Reale cumulata = 0;
  for (int i = 1; i <= n; ++i) {
    const Reale f = _freq.Leggi(i);
    const Reale s = cumulata * 360 / totale - 0.5L;
    cumulata += f;
    const Reale e = i == n ? 360 : cumulata * 360 / totale + 0.5L;
    c.Brush.Style = bsSolid;
    c.Brush.Color = IndiceAColore((i + 8) % 16);
    if (e - s >= 360) {
      c.Ellipse(cx - r, cy - r, cx + r, cy + r);
    } else {
      const TPoint pe = punto(e, r), ps = punto(s, r);
      c.Pie(cx - r, cy - r, cx + r, cy + r, pe.x, pe.y, ps.x, ps.y);
    }
    const Reale m = (s + e) / 2;
    const TPoint ancora = punto(m, m > 200 && m < 330 ? r + 15 : r + 5);
    const bool aSinistra = ancora.x < cx;
    c.TextAlign = {aSinistra ? haRight : haLeft, vaTop};
    c.Brush.Style = bsClear;
    // Value and description make one line, "2 (20%) Mele", aligned on the anchor away from
    // the pie: both written at the anchor itself, each covered the other.
    const std::string valore = EtichettaFetta(f, totale), descrizione = _descr.Leggi(i);
    const int scarto = descrizione.empty() ? 0 : c.TextWidth(aSinistra ? " " + descrizione : valore + " ");
    if (aSinistra) {
      c.TextOut(ancora.x - scarto, ancora.y, valore);
      c.TextOut(ancora.x, ancora.y, descrizione);
    } else {
      c.TextOut(ancora.x, ancora.y, valore);
      c.TextOut(ancora.x + scarto, ancora.y, descrizione);
    }
  }
}

void cValoreDiagramma::DisegnaColonne(TCanvas& c) {
  const int n = _freq.Count;
  const TRect& q = Rettangolo;
  const int L = q.Left, T = q.Top, R = q.Right, B = q.Bottom;
  Reale hi = 0, lo = 0;
  if (n > 0) {
    hi = lo = _freq.Leggi(1);
    for (int i = 2; i <= n; ++i) {
      hi = std::max(hi, _freq.Leggi(i));
      lo = std::min(lo, _freq.Leggi(i));
    }
  }
  if (_maxAlt != 0) hi = _maxAlt;
  if (lo > 0) lo = 0;
  // A flat scale (every frequency 0) puts every value on the bottom row.
  auto Riga = [&](Reale v) { return hi == lo ? B : ArrotondaPixel((B - T) * (v - hi) / (lo - hi) + T); };

  c.MoveTo(L, Riga(hi) - 10);
  c.LineTo(L, Riga(0));
  c.LineTo(R, Riga(0));
  c.MoveTo(L, Riga(hi) - 10);
  c.LineTo(L, Riga(lo));

  c.TextAlign = {haCenter, vaTop};
  if (Tipo == T_DIAG_STR) {
    const Reale w = Reale(R + 5 - L) / (2 * n + 1);
    for (int i = 1; i <= n; ++i) {
      const int k = 2 * i - 1;
      const Reale f = _freq.Leggi(i);
      c.Brush = Brush;
      const int sx = ArrotondaPixel(k * w + L), dx = ArrotondaPixel((k + 1) * w + L);
      c.Rectangle(sx, std::min(Riga(f), Riga(0)), dx, std::max(Riga(f), Riga(0)));
      const int xm = (sx + dx) / 2;
      c.Brush.Style = _maxAlt != 0 ? bsSolid : bsClear;
      c.TextOut(xm, Riga(f) - 16, NumeroInTesto(f));
      c.Brush.Style = bsClear;
      c.TextOut(xm, B, _descr.Leggi(i));
    }
  } else {
    const Reale w = Reale(R + 5 - L) / (n + 0.3L);
    int xPrec = 0;
    for (int i = 1; i <= n; ++i) {
      const int k = i - 1;
      const Reale f = _freq.Leggi(i);
      const int sx = ArrotondaPixel(k * w + L) + 1;
      c.Brush = Brush;
      c.Rectangle(sx, std::min(Riga(f), Riga(0)), ArrotondaPixel((k + 1) * w + L) + 1, std::max(Riga(f), Riga(0)));
      if (i > 1) {
        c.MoveTo(ArrotondaPixel(xPrec + w / 2), Riga(_freq.Leggi(i - 1)));
        c.LineTo(ArrotondaPixel(sx + w / 2), Riga(f));
      }
      c.Brush.Style = bsClear;
      c.TextOut(ArrotondaPixel(sx + w / 2), Riga(f) - 20, NumeroInTesto(f));
      c.TextOut(ArrotondaPixel(sx + w / 2), B, _descr.Leggi(i));
      xPrec = sx;
    }
  }

  Reale t = std::fabs(hi / 5);
  if (hi > 5) t = std::trunc(t);
  c.TextAlign = {haRight, vaTop};
  auto tacca = [&](Reale v) {
    const int y = Riga(v);
    c.TextOut(L - 3, y - 8, NumeroInTesto(v));
    c.MoveTo(L - 3, y);
    c.LineTo(L + 4, y);
  };
  if (t > 0) {
    for (int j = 0; j <= kMassimoTacche && j * t <= hi; ++j) tacca(j * t);
    for (int j = 1; j <= kMassimoTacche && -j * t >= lo; ++j) tacca(-j * t);
  }

  const TPoint su[] = {{L, Riga(hi) - 18}, {L - 8, Riga(hi) - 10}, {L + 8, Riga(hi) - 10}};
  c.Polygon(su);
  const TPoint destra[] = {{R + 8, Riga(0)}, {R, Riga(0) - 8}, {R, Riga(0) + 8}};
  c.Polygon(destra);
  if (lo < 0) {
    const TPoint giu[] = {{L, Riga(lo) + 8}, {L - 8, Riga(lo)}, {L + 8, Riga(lo)}};
    c.Polygon(giu);
  }
}

bool cValoreDiagramma::Colpito(const TPoint& P) const { return PuntoInRettangolo(Rettangolo, P); }

void cValoreDiagramma::Sposta(Reale dx, Reale dy) {
  x1 += dx;
  y1 += dy;
  x2 += dx;
  y2 += dy;
}

void cValoreDiagramma::Copia(cValoreGraf& Dest) const {
  cValoreGraf::Copia(Dest);
  auto& d = static_cast<cValoreDiagramma&>(Dest);
  d._freq = _freq;
  d._descr = _descr;
  d.Rettangolo = Rettangolo;
  d.x1 = x1;
  d.y1 = y1;
  d.x2 = x2;
  d.y2 = y2;
  d._maxAlt = _maxAlt;
}

std::unique_ptr<cValore> cValoreDiagramma::Clona() const {
  auto d = std::make_unique<cValoreDiagramma>(Tipo, _freq.Count);
  Copia(*d);
  return d;
}

}  // namespace qx
