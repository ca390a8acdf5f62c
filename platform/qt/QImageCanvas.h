// The canvas on a QImage: what the window shows after each repaint, and what the tests and
// the headless runner render and save. The toolkit's rules are kept (see platform/README.md):
// no antialiasing, right and bottom edges excluded, lines without their last pixel, the
// sixteen pen modes, the background of styled pens and text in the brush colour when the
// brush is solid. Text needs a Qt GUI application (EnsureGuiApplication).
#pragma once
#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Canvas.h"

class QPainter;
class QFont;
class QColor;
class QRect;
class QPen;

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
  // Whoever may write into the image directly: the last shape is no longer known to be there.
  QImage& Image() {
    ultima_.Dimentica();
    return img_;
  }
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
  // Whole ellipses in copy mode, kept by box size, pen width and fill (see Curve).
  struct Ellissi;
  void EllisseMemorizzata(int x, int y, int larghezza, int altezza, bool riempita);
  QPen PennaQt(const QColor& colore, bool conSchema) const;
  // Pixels kept as runs of rows (texts, ellipses), and their painting, cut to `ritaglio`; a
  // null `ritaglio` when the caller knows every run to lie inside the image.
  struct Tratto;
  static bool TrattiDi(const QImage& foglio, int ox, int oy, std::vector<Tratto>& tratti);
  void Riempi(long long x0, long long y0, long long x1, long long y1, const QRect& ritaglio, std::uint32_t colore);
  void DipingiTratti(const std::vector<Tratto>& tratti, long long x, long long y, const QRect& ritaglio,
                     std::uint32_t colore);

  bool PennaVisibile() const { return Pen.Style != psClear; }
  // The pen's width as it is drawn: a width from a program file can be any integer, and the
  // margins around a stroke add to it; far beyond any picture's size a wider pen changes nothing.
  static constexpr int kMaxSpessore = 1 << 16;
  int Spessore() const { return Pen.Width < 0 ? 0 : Pen.Width > kMaxSpessore ? kMaxSpessore : Pen.Width; }
  bool PennaSottile() const { return Spessore() <= 1; }
  void TracciaSottile(Copertura& c, std::span<const TPoint> punti, bool chiusa) const;
  void TracciaLarga(Copertura& c, std::span<const TPoint> punti, bool chiusa) const;
  void Componi(const Copertura& c);
  void Curve(Curva tipo, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Testo(int x, int y, const std::string& testo, const TRect* ritaglio);
  QFont FontQt() const;
  Carattere& CarattereAttuale();
  TestoPronto& Preparato(Carattere& c, const std::string& testo, bool conPixel);
  // In copy mode with a solid pen and a clear or solid brush, composing a call's marks gives
  // what painting its parts straight onto the image gives (the inside first, the pen over
  // it; a pixel met twice takes the same colour again): the marks are then not made.
  bool Diretto() const;
  // The pen's pixels walked and composed at once (see Diretto; a lone segment always).
  void TracciaDiretta(std::span<const TPoint> punti, bool chiusa);
  // The pen's line through the points drawn by the painter (wide pens), in `colore`.
  static void LineaLarga(QPainter& p, int larghezza, std::span<const TPoint> punti, bool chiusa, const QColor& colore);
  // Paints straight onto the image with a painter that does not smooth edges.
  void Dipingi(const std::function<void(QPainter&)>& disegno);

  // The last shape drawn and the pen and brush it was drawn with. In copy mode every pixel that
  // a call touches takes a colour fixed by the call alone, so the same call made again at once
  // changes nothing: an assignment draws its figure twice, as the command's anonymous result and
  // then under its name, and the second costs nothing. Any other drawing forgets it.
  struct UltimaForma {
    enum class Tipo : std::uint8_t { Nessuna, Linea, Rettangolo, Curva, Poligono };
    Tipo tipo = Tipo::Nessuna;
    TPen pen;
    TBrush brush;
    std::vector<TPoint> punti;
    void Dimentica() { tipo = Tipo::Nessuna; }
  };
  // Whether the shape is the last one drawn, in copy mode with the same pen and brush.
  bool Ripetuta(UltimaForma::Tipo tipo, std::span<const TPoint> punti) const;
  void Ricorda(UltimaForma::Tipo tipo, std::span<const TPoint> punti);

  QImage img_;
  UltimaForma ultima_;
  // Shared by copies: what a text or an ellipse looks like does not depend on the image.
  std::shared_ptr<Testi> testi_;
  std::shared_ptr<Ellissi> ellissi_;
  // The pixel marks of one drawing call; kept from call to call so that a call allocates nothing.
  std::vector<std::uint8_t> bit_;
  QImage maschera_;
};

}  // namespace qx
