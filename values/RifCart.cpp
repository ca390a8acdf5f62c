#include "values/RifCart.h"

#include <cmath>
#include <string>

#include "runstate/DatiGlob.h"
#include "values/ScansionePixel.h"

namespace qx {

namespace {

// Pixels are held within a quarter of the integer range, far beyond any surface, so that
// the figures can add their offsets and sizes to a pixel without overflowing.
constexpr int kMassimoPixel = 1 << 29;

// To the nearest integer, halves to even, held inside the pixel range. lrint rounds as
// nearbyint does (the run never changes the rounding mode) and, built without errno (see
// CMakeLists.txt), is one store of the x87 unit: a cast of rint's result would switch the
// unit to truncation and back around every pixel, which stalls it.
int Rnd(Reale v) {
  if (std::isnan(v)) return 0;
  if (v > kMassimoPixel) return kMassimoPixel;
  if (v < -kMassimoPixel) return -kMassimoPixel;
  return int(std::lrint(v));
}

// A pixel beyond the visible range, as an int.
int Somma(int a, long long b) {
  const long long s = a + b;
  return s > kMassimoPixel ? kMassimoPixel : s < -kMassimoPixel ? -kMassimoPixel : int(s);
}

// Lines and labels are drawn while their anchor is within this many pixels of the
// surface: beyond it nothing of them can show (a label is far narrower).
constexpr int kMargine = 64;

// Keeps the look of a canvas that the frame borrows for a moment (the rulers' canvases are
// the controls' own, which the window keeps drawing on).
class StatoSalvato {
 public:
  explicit StatoSalvato(TCanvas& c) : c_(c), pen_(c.Pen), brush_(c.Brush), font_(c.Font), align_(c.TextAlign) {}
  ~StatoSalvato() {
    c_.Pen = pen_;
    c_.Brush = brush_;
    c_.Font = font_;
    c_.TextAlign = align_;
  }
  StatoSalvato(const StatoSalvato&) = delete;
  StatoSalvato& operator=(const StatoSalvato&) = delete;

 private:
  TCanvas& c_;
  TPen pen_;
  TBrush brush_;
  TFont font_;
  TTextAlign align_;
};

int Lunghezza(long long i) { return i % 10 == 0 ? 8 : i % 5 == 0 ? 6 : 3; }

// Walks the ticks of a ruler, i = 0, 1, 2, ... at t = i * 0.1 (t summed step by step, as
// the marks have always been placed) while t does not pass `fine`, for those whose pixel
// lies in [lo, hi]; pixel(t) must grow with t when `crescente`, else shrink. Ticks that
// crowd more than a few dozen to a pixel are thinned to one per pixel.
template <class Pixel, class Disegna>
void TaccheRighello(Reale fine, int lo, int hi, bool crescente, Pixel pixel, Disegna disegna) {
  auto prima = [&](int p) { return crescente ? p < lo : p > hi; };
  auto dopo = [&](int p) { return crescente ? p > hi : p < lo; };
  const Reale primo = scansione::PrimoIndice(0, fine * 10, [&](Reale j) { return !prima(pixel(j * 0.1L)); });
  if (primo == scansione::kNessuno) return;
  long long i = (long long)primo;
  Reale t = i == 0 ? 0 : Reale(i) * 0.1L;
  const long limite = 64L * (long(hi) - long(lo) + 2);
  for (long giri = 0; t <= fine; ++giri) {
    const int p = pixel(t);
    if (dopo(p)) break;
    disegna(i, p);
    if (giri < limite) {
      ++i;
      t += 0.1L;
      continue;
    }
    const Reale prossimo = scansione::PrimoIndice(Reale(i + 1), fine * 10, [&](Reale j) { return pixel(j * 0.1L) != p; });
    if (prossimo == scansione::kNessuno || prossimo > 9e18L) break;
    i = (long long)prossimo;
    t = Reale(i) * 0.1L;
  }
}

// Steps of an analysis window: from `da` by `passo` while the value stays within `fino`
// (upwards when passo > 0, downwards otherwise). Only about ten steps are meant; a step
// too small for the magnitude of the values ends the walk.
template <class Disegna>
void PassiFinestra(Reale da, Reale passo, Reale fino, Disegna disegna) {
  constexpr int kMassimoPassi = 1000;
  Reale t = da;
  for (int n = 0; n < kMassimoPassi && (passo > 0 ? t <= fino : t >= fino); ++n) {
    disegna(t);
    const Reale dopo = t + passo;
    if (dopo == t || std::isnan(dopo)) break;
    t = dopo;
  }
}

}  // namespace

cRifCart::cRifCart(TCanvas* canvas) : Canvas(canvas) {
  __AsseX = Rnd(Reale(Larghezza()) / 2);
  __AsseY = Rnd(Reale(Altezza()) / 2);
  AsseXIniziale = __AsseX;
  AsseYIniziale = __AsseY;
}

// ---- World <-> pixel ----

// Whether a coordinate lands just outside the area: an error value, NaN or an infinity. A
// coordinate below 2^328 (the smallest error value is 1e99, about 2^328.9) is none of them,
// which its exponent tells.
inline bool FuoriDalPiano(const Reale& x) {
  return EsponenteReale(x) >= 16383 + 328 && (IsValoreErrore(x) || !std::isfinite(x));
}

int cRifCart::XPixel(const Reale& x) const {
  const int W = Larghezza();
  if (FuoriDalPiano(x)) return Somma(W, 10);
  const Reale v = _bxAnalisi ? W - W * (x - _xb) / (_xa - _xb) : x * _TaccaX + __AsseX;
  if (std::isnan(v)) return Somma(W, 10);
  return Rnd(v);
}

int cRifCart::YPixel(const Reale& y) const {
  const int H = Altezza();
  if (FuoriDalPiano(y)) return Somma(H, 10);
  const Reale v = _bxAnalisi ? H * (y - _yb) / (_ya - _yb) : __AsseY - y * _TaccaY;
  if (std::isnan(v)) return Somma(H, 10);
  return Rnd(v);
}

Reale cRifCart::XCart(int px) const {
  const Reale W = Larghezza();
  if (_bxAnalisi) return (W * _xb - (_xa - _xb) * (px - W)) / W;
  return (px - __AsseX) / _TaccaX;
}

Reale cRifCart::YCart(int py) const {
  const Reale H = Altezza();
  if (_bxAnalisi) return ((_ya - _yb) * py + H * _yb) / H;
  return (__AsseY - py) / _TaccaY;
}

// ---- Background ----

void cRifCart::CancellaSfondo() {
  if (!Canvas) return;
  Canvas->Pen = Pen;
  Canvas->Brush = Brush;
  Canvas->FillRect(Rettangolo);
}

void cRifCart::DisegnaAssi() {
  if (!Canvas) return;
  CancellaSfondo();
  if (!_bAssi) {
    DisegnaQuadretti();
    return;
  }
  if (_bxAnalisi) {
    const int x0 = XPixel(0), y0 = YPixel(0);
    DisegnaFrecce(x0, y0);
    DisegnaTaccheAnalisi(x0, y0);
  } else {
    const int x0 = Rnd(__AsseX), y0 = Rnd(__AsseY);
    DisegnaFrecce(x0, y0);
    DisegnaTaccheUnitarie(x0, y0);
  }
  Canvas->TextAlign = {haLeft, vaTop};
}

void cRifCart::DisegnaQuadretti() {
  TCanvas& c = *Canvas;
  DisegnaScalaX();
  DisegnaScalaY();
  c.Pen.Color = RGBColor(192, 192, 192);
  c.Pen.Style = psDot;
  const int W = Larghezza(), alto = Rettangolo.Top;
  const int x0 = XPixel(0), y0 = YPixel(0);
  const TRect clip = c.ClipRect();
  // The first quadrant only: from the origin rightwards and upwards, one line per unit.
  scansione::PixelDistinti(0, XCart(W), clip.Left - kMargine, clip.Right - 1 + kMargine, [&](Reale x) { return XPixel(x); },
                           [&](int px) {
                             c.MoveTo(px, y0);
                             c.LineTo(px, alto);
                           });
  scansione::PixelDistinti(0, YCart(alto), clip.Top - kMargine, clip.Bottom - 1 + kMargine, [&](Reale y) { return YPixel(y); },
                           [&](int py) {
                             c.MoveTo(x0, py);
                             c.LineTo(W, py);
                           });
}

void cRifCart::DisegnaFrecce(int x0, int y0) {
  TCanvas& c = *Canvas;
  const int W = Larghezza(), H = Altezza();
  auto linea = [&](int xa, int ya, int xb, int yb) {
    c.MoveTo(xa, ya);
    c.LineTo(xb, yb);
  };
  linea(0, y0, W, y0);
  linea(W - 10, Somma(y0, -10), W - 10, Somma(y0, 10));
  linea(W, y0, W - 10, Somma(y0, -10));
  linea(W, y0, W - 10, Somma(y0, 10));
  linea(x0, 0, x0, H);
  linea(Somma(x0, -10), 10, Somma(x0, 10), 10);
  linea(x0, 0, Somma(x0, -10), 10);
  linea(x0, 0, Somma(x0, 10), 10);
}

void cRifCart::DisegnaTaccheUnitarie(int x0, int y0) {
  TCanvas& c = *Canvas;
  const TRect clip = c.ClipRect();
  const Reale W = Larghezza(), H = Altezza();
  // A tick every unit on both sides of the origin, as long as either side is still inside;
  // a unit that is not positive has no ticks.
  if (_TaccaX > 0) {
    const Reale fine = std::fmax((W - __AsseX) / _TaccaX, __AsseX / _TaccaX);
    auto tacca = [&](int px) {
      c.MoveTo(px, Somma(y0, -3));
      c.LineTo(px, Somma(y0, 4));
    };
    scansione::PixelDistinti(1, fine, clip.Left - kMargine, clip.Right - 1 + kMargine, [&](Reale k) { return Rnd(__AsseX + k * _TaccaX); }, tacca);
    scansione::PixelDistinti(1, fine, clip.Left - kMargine, clip.Right - 1 + kMargine, [&](Reale k) { return Rnd(__AsseX - k * _TaccaX); }, tacca);
  }
  if (_TaccaY > 0) {
    const Reale fine = std::fmax((H - __AsseY) / _TaccaY, __AsseY / _TaccaY);
    auto tacca = [&](int py) {
      c.MoveTo(Somma(x0, -3), py);
      c.LineTo(Somma(x0, 4), py);
    };
    scansione::PixelDistinti(1, fine, clip.Top - kMargine, clip.Bottom - 1 + kMargine, [&](Reale k) { return Rnd(__AsseY + k * _TaccaY); }, tacca);
    scansione::PixelDistinti(1, fine, clip.Top - kMargine, clip.Bottom - 1 + kMargine, [&](Reale k) { return Rnd(__AsseY - k * _TaccaY); }, tacca);
  }
}

void cRifCart::DisegnaTaccheAnalisi(int x0, int y0) {
  TCanvas& c = *Canvas;
  // Ten steps across each window, numbered; when the window holds 0 the steps start there
  // (0 is marked twice on x, and skipped on y where it would sit on the x axis).
  const Reale sx = (_xb - _xa) / 10;
  c.TextAlign = {haCenter, vaTop};
  auto taccaX = [&](Reale t) {
    const int px = XPixel(t);
    c.MoveTo(px, Somma(y0, -3));
    c.LineTo(px, Somma(y0, 3));
    c.TextOut(px, Somma(y0, 2), NumeroInTestoBreve(t));
  };
  if (_xa < 0 && 0 < _xb) {
    PassiFinestra(0, sx, _xb, taccaX);
    PassiFinestra(0, -sx, _xa, taccaX);
  } else {
    PassiFinestra(_xa, sx, _xb, taccaX);
  }

  const Reale sy = (_yb - _ya) / 10;
  c.TextAlign = {haLeft, vaBottom};
  auto taccaY = [&](Reale t) {
    const int py = YPixel(t);
    c.MoveTo(Somma(x0, -3), py);
    c.LineTo(Somma(x0, 3), py);
    c.TextOut(Somma(x0, 3), Somma(py, 3), NumeroInTestoBreve(t));
  };
  if (_ya < 0 && 0 < _yb) {
    auto senzaZero = [&](Reale t) {
      if (t != 0) taccaY(t);
    };
    PassiFinestra(0, sy, _yb, senzaZero);
    PassiFinestra(0, -sy, _ya, senzaZero);
  } else {
    PassiFinestra(_ya, sy, _yb, taccaY);
  }
}

// ---- Rulers ----

void cRifCart::DisegnaScalaX() {
  if (!RighelloX) return;
  TCanvas& c = RighelloX->Canvas();
  StatoSalvato stato(c);
  const int w = RighelloX->Width(), h = RighelloX->Height();
  const int larghezzaY = RighelloY ? RighelloY->Width() : 0;
  c.Pen = TPen{};
  c.Font = TFont{};
  c.Brush.Style = bsSolid;
  c.FillRect({0, 0, w, h});
  c.TextAlign = {haCenter, vaTop};
  // The ruler starts at world 0 and covers the positive half only.
  TaccheRighello(XCart(w), -kMargine, w + kMargine, true,
                 [&](Reale t) { return Somma(XPixel(t), larghezzaY - 1LL); },
                 [&](long long i, int colonna) {
                   c.MoveTo(colonna, Lunghezza(i));
                   c.LineTo(colonna, 0);
                   if (i % 10 == 0) c.TextOut(colonna, 8, std::to_string(i / 10));
                 });
}

void cRifCart::DisegnaScalaY() {
  if (!RighelloY) return;
  TCanvas& c = RighelloY->Canvas();
  StatoSalvato stato(c);
  const int w = RighelloY->Width(), h = RighelloY->Height();
  const int e = w - 1;
  c.Pen = TPen{};
  c.Font = TFont{};
  c.Brush.Style = bsSolid;
  c.FillRect({0, 0, w, h});
  c.TextAlign = {haRight, vaBottom};
  TaccheRighello(YCart(0), -kMargine, h + kMargine, false, [&](Reale t) { return YPixel(t); },
                 [&](long long i, int riga) {
                   const int l = Lunghezza(i);
                   c.MoveTo(e - l, riga);
                   c.LineTo(e, riga);
                   if (i % 10 == 0 && i != 0) c.TextOut(e - l - 2, Somma(riga, 6), std::to_string(i / 10));
                 });
}

void cRifCart::MostraCursoreX(int colonna) {
  if (_bAssi || !RighelloX) return;
  DisegnaScalaX();
  TCanvas& c = RighelloX->Canvas();
  c.Pen.Color = clRed;
  c.Pen.Style = psSolid;
  ColonnaCursore = colonna;
  const int x = Somma(colonna, (RighelloY ? RighelloY->Width() : 0) - 1LL);
  c.MoveTo(x, 0);
  c.LineTo(x, 20);
}

void cRifCart::MostraCursoreY(int riga) {
  if (_bAssi || !RighelloY) return;
  DisegnaScalaY();
  TCanvas& c = RighelloY->Canvas();
  c.Pen.Color = clRed;
  c.Pen.Style = psSolid;
  RigaCursore = riga;
  c.MoveTo(0, riga);
  c.LineTo(20, riga);
}

}  // namespace qx
