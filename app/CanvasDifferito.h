// The canvas that the statements draw on between two repaints of the 2D area.
//
// The interpreter asks for a whole repaint after every statement, and statements also draw
// straight onto the area's canvas. A repaint that nobody sees is wasted: here a request
// only marks the picture as stale, and the picture is made when something can see it (the
// window paints, a pixel is read, the message loop runs, a run ends). Drawing calls that
// arrive while the picture is stale are kept, with the pen, brush, font and pen position of
// their moment, and replayed over the new picture: what ends up in the image is exactly
// what painting at once would have given.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/Canvas.h"

namespace qx {

class TCanvasDifferito : public TCanvas {
 public:
  // `ridisegna` paints the whole picture into the destination.
  explicit TCanvasDifferito(std::function<void()> ridisegna);

  // The image the picture lives in (not owned); nullptr: drawing goes nowhere.
  void ImpostaDestinazione(TCanvas* destinazione);
  TCanvas* Destinazione() const { return dest_; }

  // The picture is stale: a repaint covers the whole area, so the calls kept so far are dropped.
  void RichiediRidisegno();
  bool Sporco() const { return sporco_; }
  // Pictures made so far: what was drawn over a picture is gone once this changes.
  std::uint64_t Ridisegni() const { return ridisegni_; }
  // Makes the picture now when it is stale, then replays the calls kept since.
  void Completa();

  void MoveTo(int x, int y) override;
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
  TRect ClipRect() const override;

 private:
  struct Stato {
    TPen pen;
    TBrush brush;
    TFont font;
    TTextAlign align;
    TPoint pos;
  };
  Stato Attuale() const { return {Pen, Brush, Font, TextAlign, penPos_}; }
  // Whether a drawing call goes to the destination now; it then has this canvas's state.
  // Otherwise the call is kept with Accoda (while the picture is stale) or goes nowhere (no
  // destination). The call that goes at once is made straight, with nothing copied.
  bool Diretta();
  void Accoda(std::function<void(TCanvas&)> chiamata);
  static void Applica(const Stato& s, TCanvas& c);

  std::function<void()> ridisegna_;
  TCanvas* dest_ = nullptr;
  bool sporco_ = false;
  bool inCompletamento_ = false;
  std::uint64_t ridisegni_ = 0;
  std::vector<std::pair<Stato, std::function<void(TCanvas&)>>> coda_;
};

}  // namespace qx
