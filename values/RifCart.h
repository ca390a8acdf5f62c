// The one Cartesian frame of the 2D drawing area: it maps world coordinates to pixels and
// back, and paints the background in one of three looks (squared paper with rulers,
// Cartesian axes with unit ticks, analysis axes over a window with numbered ticks). Every
// drawable value draws through it (DatiGlob.RifCart).
#pragma once
#include <memory>
#include <string>

#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/PaintBox.h"
#include "values/Funzioni.h"
#include "values/Valori.h"

namespace qx {

class cRifCart : public cValoreGraf {
 public:
  // The canvas is not owned. Pen, brush and font start as the current ones of the run state,
  // as for every drawable value; the origin is the middle of the (still empty) rectangle.
  explicit cRifCart(TCanvas* canvas);
  std::unique_ptr<cValore> Clona() const override { return std::make_unique<cRifCart>(*this); }

  // ---- Stored settings, in the order program files keep them ----
  bool _bAssi = false;               // axes look; false: squared paper with rulers
  bool _bxAnalisi = false;           // the window _xa.._xb x _ya.._yb fills the rectangle
  bool _bAdattaAllaFunzione = false; // fit the y window to the function being plotted
  Reale _xa = -10, _xb = 10;
  Reale _ya = -10, _yb = 10;
  Reale __AsseX = 0;  // pixel column of the world origin
  Reale __AsseY = 0;  // pixel row of the world origin
  Reale _TaccaX = 30; // pixels per world unit
  Reale _TaccaY = 30;

  // ---- Not stored ----
  Reale AsseXIniziale = 0, AsseYIniziale = 0;  // the origin as the constructor computed it
  TCanvas* Canvas = nullptr;
  TRect Rettangolo;  // the area drawn on; its right is the width and its bottom the height
  TPaintBox* RighelloX = nullptr;  // the rulers beside the area (not owned)
  TPaintBox* RighelloY = nullptr;
  int ColonnaCursore = 0, RigaCursore = 0;  // last marker positions shown on the rulers

  // ---- World <-> pixel ----
  // Error values (and NaN or infinity) land just outside the area: width or height + 10.
  // By reference: a coordinate that lies in memory is read there, not stored again by the x87
  // unit for the call.
  int XPixel(const Reale& x) const;
  int YPixel(const Reale& y) const;
  Reale XCart(int px) const;
  Reale YCart(int py) const;
  TPoint CartInPixel(const TPuntoMondo& p) const { return {XPixel(p.x), YPixel(p.y)}; }
  TPuntoMondo PixelInCart(const TPoint& p) const { return {XCart(p.x), YCart(p.y)}; }

  // ---- Painting ----
  void CancellaSfondo();
  void DisegnaAssi();
  void DisegnaScalaX();
  void DisegnaScalaY();
  void MostraCursoreX(int colonna);
  void MostraCursoreY(int riga);

 private:
  int Larghezza() const { return Rettangolo.Right; }
  int Altezza() const { return Rettangolo.Bottom; }
  void DisegnaQuadretti();
  void DisegnaFrecce(int x0, int y0);
  void DisegnaTaccheUnitarie(int x0, int y0);
  void DisegnaTaccheAnalisi(int x0, int y0);
};

}  // namespace qx
