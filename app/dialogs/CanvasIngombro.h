// A canvas that paints nothing and keeps the pixel box of everything drawn on it, pen width
// and text included: what a drawing would cover on the canvas it measures for, which answers
// its text sizes and its clip rectangle.
#pragma once
#include <functional>

#include "platform/Canvas.h"

namespace qx {

class TCanvasIngombro : public TCanvas {
 public:
  explicit TCanvasIngombro(TCanvas& misura) : misura_(misura) {}

  // The box covered so far, right and bottom excluded; Vuoto() while nothing was drawn.
  TRect Ingombro() const { return ingombro_; }
  bool Vuoto() const { return vuoto_; }

  void LineTo(int x, int y) override;
  void Polyline(std::span<const TPoint> punti) override;
  void Rectangle(int x1, int y1, int x2, int y2) override { Box(x1, y1, x2, y2); }
  void Ellipse(int x1, int y1, int x2, int y2) override { Box(x1, y1, x2, y2); }
  void Polygon(std::span<const TPoint> punti) override { Polyline(punti); }
  void Arc(int x1, int y1, int x2, int y2, int, int, int, int) override { Box(x1, y1, x2, y2); }
  void Pie(int x1, int y1, int x2, int y2, int, int, int, int) override { Box(x1, y1, x2, y2); }
  void Chord(int x1, int y1, int x2, int y2, int, int, int, int) override { Box(x1, y1, x2, y2); }
  void FillRect(const TRect& r) override { Aggiungi(r, 0); }
  void FrameRect(const TRect& r) override { Aggiungi(r, 0); }
  void TextOut(int x, int y, const std::string& testo) override;
  void TextRect(const TRect& r, int, int, const std::string&) override { Aggiungi(r, 0); }
  int TextWidth(const std::string& testo) override;
  int TextHeight(const std::string& testo) override;
  TColor Pixels(int, int) override { return clNone; }
  void SetPixels(int x, int y, TColor) override { Aggiungi({x, y, x + 1, y + 1}, 0); }
  void Draw(int x, int y, const TBitmap& b) override { Aggiungi({x, y, x + b.Width(), y + b.Height()}, 0); }
  void StretchDraw(const TRect& r, const TBitmap&) override { Box(r.Left, r.Top, r.Right, r.Bottom, 0); }
  TRect ClipRect() const override { return misura_.ClipRect(); }

 private:
  // A shape's box, corners in any order, with the pen's half width around it.
  void Box(int x1, int y1, int x2, int y2, int bordo = -1);
  void Aggiungi(const TRect& r, int bordo);
  // A text size measured on the measured canvas in this canvas's font.
  int ConCarattere(const std::function<int()>& misura);
  int MezzaPenna() const { return Pen.Width / 2 + 1; }

  TCanvas& misura_;
  TRect ingombro_;
  bool vuoto_ = true;
};

}  // namespace qx
