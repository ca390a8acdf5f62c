// The drawing surface as the values and the frame use it: the toolkit's canvas, with its
// current pen, brush and font as plain fields that every drawing call reads, and the
// toolkit's drawing rules (see platform/README.md). Implementations: the QImage canvas of
// platform/qt and the recording canvas of the tests.
#pragma once
#include <span>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Graphics.h"

namespace qx {

// Where TextOut's point lies on the text: left edge, centre or right edge; top, bottom or
// baseline of the character cell.
enum THorzAlign : std::uint8_t { haLeft, haCenter, haRight };
enum TVertAlign : std::uint8_t { vaTop, vaBottom, vaBaseline };
struct TTextAlign {
  THorzAlign Horz = haLeft;
  TVertAlign Vert = vaTop;
  bool operator==(const TTextAlign&) const = default;
};

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  TPen Pen;
  TBrush Brush;
  TFont Font;
  TTextAlign TextAlign;

  // ---- Pen position and lines: a line never paints its last pixel ----
  TPoint PenPos() const { return penPos_; }
  virtual void MoveTo(int x, int y) { penPos_ = {x, y}; }
  virtual void LineTo(int x, int y) = 0;
  // Joined lines through the points, the last point not painted; the pen position stays.
  virtual void Polyline(std::span<const TPoint> punti) = 0;

  // ---- Shapes: outline with the pen, inside with the brush; right and bottom excluded ----
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  // Closed and filled (alternate rule).
  virtual void Polygon(std::span<const TPoint> punti) = 0;
  // Box (x1, y1)-(x2, y2); the curve runs counter-clockwise from the ray towards (x3, y3)
  // to the ray towards (x4, y4); two rays that coincide give the whole ellipse.
  virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
  virtual void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
  virtual void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;

  // ---- Brush-only fills: they ignore the pen and its mode ----
  virtual void FillRect(const TRect& r) = 0;
  // A one-pixel frame inside r in the brush colour.
  virtual void FrameRect(const TRect& r) = 0;

  // ---- Text: placed by TextAlign; on the brush colour when the brush is solid ----
  virtual void TextOut(int x, int y, const std::string& testo) = 0;
  // As TextOut, clipped to r; with a brush that is not clear, r is filled first.
  virtual void TextRect(const TRect& r, int x, int y, const std::string& testo) = 0;
  virtual int TextWidth(const std::string& testo) = 0;
  virtual int TextHeight(const std::string& testo) = 0;

  // ---- Pixels: reading outside the surface gives clNone ----
  virtual TColor Pixels(int x, int y) = 0;
  virtual void SetPixels(int x, int y, TColor colore) = 0;

  // ---- Pictures ----
  virtual void Draw(int x, int y, const TBitmap& bitmap) = 0;
  // A rectangle whose right is left of its left (or bottom above top) mirrors the picture.
  virtual void StretchDraw(const TRect& r, const TBitmap& bitmap) = 0;

  // The part of the surface that drawing can reach.
  virtual TRect ClipRect() const = 0;

 protected:
  TPoint penPos_;
};

}  // namespace qx
