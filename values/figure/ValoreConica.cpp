#include "values/figure/ValoreConica.h"

#include <cmath>
#include <optional>

#include "runstate/DatiGlob.h"
#include "platform/Canvas.h"
#include "values/GeometriaAnalitica.h"
#include "values/RifCart.h"
#include "values/figure/StiliGrafici.h"

namespace qx {

Reale YEllisse(Reale b, Reale a, Reale x) {
  if (std::fabs(a) <= std::fabs(x)) return VAL_NON_DEFINITA;
  return b / a * std::sqrt(a * a - x * x);
}

Reale YIperbole(Reale b, Reale a, Reale x) {
  if (std::fabs(x) <= std::fabs(a)) return VAL_NON_DEFINITA;
  return b / a * std::sqrt(x * x - a * a);
}

Reale YParabola(Reale a, Reale x) { return a * x * x; }

cValoreConica::cValoreConica(TipiValore tipo) {
  Tipo = tipo;
  NomeTipo = NomeTipoDi(tipo);
}

void cValoreConica::CopiaIn(cValoreConica& Dest) const {
  Dest.Tipo = Tipo;
  Dest.Pen = Pen;
  Dest.Brush = Brush;
  Dest._a = _a;
  Dest._b = _b;
  Dest._k = _k;
  Dest._xa = _xa;
  Dest._ya = _ya;
  Dest._xb = _xb;
  Dest._yb = _yb;
}

std::unique_ptr<cValore> cValoreConica::Clona() const {
  auto k = std::make_unique<cValoreConica>(Tipo);
  cValoreGraf::Copia(*k);
  CopiaIn(*k);
  k->bSelezionato = bSelezionato;
  k->bEvidenziato = bEvidenziato;
  k->bCoordCartesiane = bCoordCartesiane;
  return k;
}

void cValoreConica::Disegna(TCanvas& c) {
  if (!DatiGlob.RifCart) return;
  ApplicaStili(c, *this);
  c.Pen.Mode = pmCopy;
  c.Brush.Style = bsClear;
  if (_k == -1) DisegnaCanonica(c);
  else DisegnaGenerale(c);
}

void cValoreConica::DisegnaCanonica(TCanvas& c) {
  const cRifCart& f = *DatiGlob.RifCart;
  const TRect clip = c.ClipRect();
  const int W = clip.Right, fondo = clip.Bottom;
  if (W <= 0) return;
  const Reale x0 = f.XCart(0), x1 = f.XCart(W);
  // One pixel to the right per sample, whatever the pan: the count of samples is the
  // width, so a step that is not positive (a mirrored frame) draws nothing.
  const Reale h = (x1 - x0) / W;
  if (!(h > 0)) return;
  const bool rami = Tipo == T_ELLISSE || Tipo == T_IPERBOLE;
  auto Y = [&](Reale x) -> Reale {
    Reale y = Tipo == T_ELLISSE ? YEllisse(_b, _a, x) : Tipo == T_IPERBOLE ? YIperbole(_b, _a, x) : YParabola(_a, x);
    return std::isfinite(y) ? y : VAL_NON_DEFINITA;
  };
  const int asse = f.YPixel(0);
  Reale y = Y(x0);
  TPoint p{f.XPixel(x0), f.YPixel(y)};
  c.MoveTo(p.x, p.y);
  int corsa = 0;
  // A branch is joined to the axis only where it begins after an undefined stretch (at a
  // vertex), not where it enters the window at the left edge.
  bool dopoIndefinito = false;
  for (int i = 1; i <= W + 1; ++i) {
    const Reale x = x0 + i * h;
    const Reale yPrec = y;
    const TPoint pPrec = p;
    y = Y(x);
    p = {f.XPixel(x), f.YPixel(y)};
    const bool salto = (p.y >= fondo && pPrec.y < 1) || (pPrec.y >= fondo && p.y < 1);
    const bool indefinito = IsValoreErrore(y) || IsValoreErrore(yPrec);
    if (!salto && !indefinito) {
      ++corsa;
      TPoint inizio = pPrec;
      int inizioSpecchio = f.YPixel(-yPrec);
      if (rami && corsa == 1 && dopoIndefinito) inizio.y = inizioSpecchio = asse;
      c.MoveTo(inizio.x, inizio.y);
      c.LineTo(p.x, p.y);
      if (rami) {
        c.MoveTo(inizio.x, inizioSpecchio);
        c.LineTo(p.x, f.YPixel(-y));
      }
    } else {
      c.MoveTo(p.x, p.y);
      if (rami && corsa >= 1) {
        c.MoveTo(pPrec.x, pPrec.y);
        c.LineTo(p.x, asse);
        c.MoveTo(pPrec.x, f.YPixel(-yPrec));
        c.LineTo(p.x, asse);
        c.MoveTo(p.x, p.y);
      }
      corsa = 0;
      dopoIndefinito = indefinito;
    }
  }
}

void cValoreConica::DisegnaGenerale(TCanvas& c) {
  const cRifCart& f = *DatiGlob.RifCart;
  const TPuntoMondo A{_xa, _ya}, B{_xb, _yb};
  const Reale lunghezza = Distanza(A, B);
  if (!(lunghezza > 0)) return;
  // Unit vectors along the axis and across it.
  const TPuntoMondo u{(B.x - A.x) / lunghezza, (B.y - A.y) / lunghezza}, n{-u.y, u.x};
  const TPuntoMondo M{(A.x + B.x) / 2, (A.y + B.y) / 2};
  auto specchio = [&](const TPuntoMondo& R) {  // mirror in the perpendicular bisector of AB
    const Reale t = (R.x - M.x) * u.x + (R.y - M.y) * u.y;
    return TPuntoMondo{R.x - 2 * t * u.x, R.y - 2 * t * u.y};
  };
  auto linea = [&](const TPuntoMondo& P, const TPuntoMondo& Q) {
    c.MoveTo(f.XPixel(P.x), f.YPixel(P.y));
    c.LineTo(f.XPixel(Q.x), f.YPixel(Q.y));
    if (Tipo == T_IPERBOLE) {
      const TPuntoMondo P1 = specchio(P), Q1 = specchio(Q);
      c.MoveTo(f.XPixel(P1.x), f.YPixel(P1.y));
      c.LineTo(f.XPixel(Q1.x), f.YPixel(Q1.y));
    }
  };
  // The half-width at Q; none where a negative factor would need a square root of a
  // negative number.
  auto semiampiezza = [&](const TPuntoMondo& Q) -> std::optional<Reale> {
    const Reale k = Tipo == T_PARABOLA ? _k * Distanza(A, Q) : _k * Distanza(A, Q) * Distanza(B, Q);
    if (k < 0 || !std::isfinite(k)) return std::nullopt;
    return std::sqrt(k);
  };
  std::optional<TPuntoMondo> prec1, prec2;
  auto campione = [&](const TPuntoMondo& Q) {
    const auto d = semiampiezza(Q);
    if (!d) {
      prec1.reset();
      prec2.reset();
      return;
    }
    const TPuntoMondo P1{Q.x + *d * n.x, Q.y + *d * n.y}, P2{Q.x - *d * n.x, Q.y - *d * n.y};
    if (prec1) linea(*prec1, P1);
    if (prec2) linea(*prec2, P2);
    prec1 = P1;
    prec2 = P2;
  };
  auto sulAsse = [&](const TPuntoMondo& da, Reale distanza, Reale verso) {
    return TPuntoMondo{da.x + verso * distanza * u.x, da.y + verso * distanza * u.y};
  };

  if (Tipo == T_ELLISSE) {
    prec1 = prec2 = A;
    for (int i = 1; i <= 50; ++i) campione(sulAsse(A, lunghezza * i / 50, 1));
    return;
  }
  TPuntoMondo E1, E2;
  RettaNelRiquadro(A, B, E1, E2, FinestraDiPixel(c.ClipRect()));
  if (Tipo == T_PARABOLA) {
    const Reale s = 2 * Distanza(A, E1) / 100;
    for (int i = 0; i <= 100; ++i) campione(sulAsse(A, i >= 1 && i <= 49 ? i * s / 2 : i * s, 1));
    return;
  }
  const Reale s = std::fmax(Distanza(A, E1), Distanza(B, E2)) / 50;
  for (int i = 0; i <= 50; ++i) campione(sulAsse(B, i >= 1 && i <= 4 ? i * s / 3 : i * s, 1));
}

}  // namespace qx
