// The canvas on a QImage: what the window shows after each repaint, and what the tests and
// the headless runner render and save. The toolkit's rules are kept (see platform/README.md):
// no antialiasing, right and bottom edges excluded, lines without their last pixel, the
// sixteen pen modes, the background of styled pens and text in the brush colour when the
// brush is solid. Text needs a Qt GUI application (EnsureGuiApplication).
#pragma once
#include <QImage>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Canvas.h"

class QPainter;
class QFont;

namespace qx {

class TQImageCanvas : public TCanvas {
 public:
  // A white image of the given size.
  TQImageCanvas(int width, int height, TColor fondo = clWhite);
  ~TQImageCanvas() override;
  TQImageCanvas(const TQImageCanvas&) = default;
  TQImageCanvas(TQImageCanvas&&) = default;
  TQImageCanvas& operator=(const TQImageCanvas&) = default;
  TQImageCanvas& operator=(TQImageCanvas&&) = default;

  const QImage& Image() const { return img_; }
  QImage& Image() { return img_; }
  int Width() const { return img_.width(); }
  int Height() const { return img_.height(); }
  TBitmap InBitmap() const;
  bool SalvaPng(const std::string& percorso) const;

  void LineTo(int x, int y) override;
  void Polyline(std::span<const TPoint> punti) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Polygon(std::span<const TPoint> punti) override;
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void FillRect(const TRect& r) override;
  void FrameRect(const TRect& r) override;
  void TextOut(int x, int y, const std::string& testo) override;
  void TextRect(const TRect& r, int x, int y, const std::string& testo) override;
  int TextWidth(const std::string& testo) override;
  int TextHeight(const std::string& testo) override;
  TColor Pixels(int x, int y) override;
  void SetPixels(int x, int y, TColor colore) override;
  void Draw(int x, int y, const TBitmap& bitmap) override;
  void StretchDraw(const TRect& r, const TBitmap& bitmap) override;
  TRect ClipRect() const override { return {0, 0, img_.width(), img_.height()}; }

 private:
  // Which pixels of one drawing call the pen, the gaps of a styled pen and the brush cover,
  // over the visible part of the call's extent; composed onto the image at the end so that
  // no pixel of one call is painted twice (which matters for xor).
  struct Copertura;
  enum class Curva { Arco, Torta, Corda };
  // The fonts met so far and their texts, each laid out once (see Testo).
  struct Testi;
  struct Carattere;
  struct TestoPronto;

  bool PennaVisibile() const { return Pen.Style != psClear; }
  bool PennaSottile() const { return Pen.Width <= 1; }
  void TracciaSottile(Copertura& c, std::span<const TPoint> punti, bool chiusa) const;
  void TracciaLarga(Copertura& c, std::span<const TPoint> punti, bool chiusa) const;
  void Componi(const Copertura& c);
  void Curve(Curva tipo, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Testo(int x, int y, const std::string& testo, const TRect* ritaglio);
  QFont FontQt() const;
  Carattere& CarattereAttuale();
  TestoPronto& Preparato(Carattere& c, const std::string& testo, bool conPixel);

  QImage img_;
  // Shared by copies: what a text looks like does not depend on the image it goes on.
  std::shared_ptr<Testi> testi_;
  // The pixel marks of one drawing call; kept from call to call so that a call allocates nothing.
  std::vector<std::uint8_t> bit_;
  QImage maschera_;
  void TracciaSegmento(TPoint a, TPoint b);
};

}  // namespace qx
