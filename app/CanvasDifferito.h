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
#include <initializer_list>
#include <string>
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
  // The pen, brush, font and alignment of kept calls: one entry for a run of calls that share
  // them (a statement's figures mostly do).
  struct Stato {
    TPen pen;
    TBrush brush;
    TFont font;
    TTextAlign align;
  };
  enum class Tipo : std::uint8_t {
    LineTo, Polyline, Rectangle, Ellipse, Polygon, Arc, Pie, Chord,
    FillRect, FrameRect, TextOut, TextRect, SetPixels, Draw, StretchDraw
  };
  // One kept call: its numbers in place; points, texts and pictures in the stores below, from
  // `da` on (`quanti` points). Nothing is allocated per call once the stores have grown: in a
  // normal run every statement's drawing is kept and then dropped by the next request.
  struct Chiamata {
    Tipo tipo;
    std::uint32_t stato;
    TPoint pos;
    int n[8] = {};
    std::uint32_t da = 0, quanti = 0;
    TColor colore = clNone;
  };
  struct Coda {
    std::vector<Chiamata> chiamate;
    std::vector<Stato> stati;
    std::vector<TPoint> punti;
    std::vector<std::string> testi;
    std::vector<TBitmap> immagini;
    // Empty, with the room it had.
    void Svuota();
    void Rigioca(const Chiamata& c, TCanvas& dest) const;
  };
  // Whether a drawing call goes to the destination now; it then has this canvas's state.
  // Otherwise the call is kept with Accoda (while the picture is stale) or goes nowhere (no
  // destination). The call that goes at once is made straight, with nothing copied.
  bool Diretta();
  // The call kept with this canvas's state, or nullptr when there is no destination.
  Chiamata* Accoda(Tipo tipo, std::initializer_list<int> numeri);
  // A polyline or polygon kept, its points at the end of the store.
  void AccodaPunti(Tipo tipo, std::span<const TPoint> punti);

  std::function<void()> ridisegna_;
  TCanvas* dest_ = nullptr;
  bool sporco_ = false;
  bool inCompletamento_ = false;
  std::uint64_t ridisegni_ = 0;
  Coda coda_;
  // The calls being replayed by Completa; kept between repaints for its room.
  Coda inRiproduzione_;
};

}  // namespace qx
