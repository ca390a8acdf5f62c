// A canvas that paints nothing and writes each drawing call as one line of text, for tests
// that check what was drawn: "MoveTo 3 4", "LineTo 10 0", "TextOut 10 20 \"2\"", ...
// Queries (text size, pixel reads) are answered but not written. Text sizes are a fixed
// fake metric that grows with the font size, so that layouts stay predictable: each
// character is half the font's pixel height wide.
#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/Canvas.h"

namespace qx {

class TRecordingCanvas : public TCanvas {
 public:
  explicit TRecordingCanvas(int width = 600, int height = 400) : width_(width), height_(height) {}

  const std::vector<std::string>& Righe() const { return righe_; }
  void Svuota() { righe_.clear(); }

  void MoveTo(int x, int y) override {
    Scrivi("MoveTo", {x, y});
    TCanvas::MoveTo(x, y);
  }
  void LineTo(int x, int y) override {
    Scrivi("LineTo", {x, y});
    penPos_ = {x, y};
  }
  void Polyline(std::span<const TPoint> punti) override { Scrivi("Polyline", Coordinate(punti)); }
  void Rectangle(int x1, int y1, int x2, int y2) override { Scrivi("Rectangle", {x1, y1, x2, y2}); }
  void Ellipse(int x1, int y1, int x2, int y2) override { Scrivi("Ellipse", {x1, y1, x2, y2}); }
  void Polygon(std::span<const TPoint> punti) override { Scrivi("Polygon", Coordinate(punti)); }
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override {
    Scrivi("Arc", {x1, y1, x2, y2, x3, y3, x4, y4});
  }
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override {
    Scrivi("Pie", {x1, y1, x2, y2, x3, y3, x4, y4});
  }
  void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override {
    Scrivi("Chord", {x1, y1, x2, y2, x3, y3, x4, y4});
  }
  void FillRect(const TRect& r) override { Scrivi("FillRect", {r.Left, r.Top, r.Right, r.Bottom}); }
  void FrameRect(const TRect& r) override { Scrivi("FrameRect", {r.Left, r.Top, r.Right, r.Bottom}); }
  void TextOut(int x, int y, const std::string& testo) override { Scrivi("TextOut", {x, y}, &testo); }
  void TextRect(const TRect& r, int x, int y, const std::string& testo) override {
    Scrivi("TextRect", {r.Left, r.Top, r.Right, r.Bottom, x, y}, &testo);
  }
  int TextWidth(const std::string& testo) override { return LarghezzaCarattere() * Caratteri(testo); }
  int TextHeight(const std::string&) override { return AltezzaPixel() + (AltezzaPixel() + 2) / 4; }

  // Pixels read back what SetPixels wrote; the rest of the page is white.
  TColor Pixels(int x, int y) override {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
    auto it = pixel_.find({x, y});
    return it == pixel_.end() ? clWhite : it->second;
  }
  void SetPixels(int x, int y, TColor colore) override {
    Scrivi("SetPixels", {x, y, int(colore)});
    pixel_[{x, y}] = colore;
  }
  void Draw(int x, int y, const TBitmap& b) override { Scrivi("Draw", {x, y, b.Width(), b.Height()}); }
  void StretchDraw(const TRect& r, const TBitmap& b) override {
    Scrivi("StretchDraw", {r.Left, r.Top, r.Right, r.Bottom, b.Width(), b.Height()});
  }
  TRect ClipRect() const override { return {0, 0, width_, height_}; }

 private:
  // The font's height in pixels at 96 dpi (points rounded as the toolkit does).
  int AltezzaPixel() const { return (Font.Size * 96 + 36) / 72; }
  int LarghezzaCarattere() const { return AltezzaPixel() / 2 > 0 ? AltezzaPixel() / 2 : 1; }
  static int Caratteri(const std::string& s) {
    int n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;  // UTF-8 lead bytes
    return n;
  }
  static std::vector<int> Coordinate(std::span<const TPoint> punti) {
    std::vector<int> v;
    for (const TPoint& p : punti) {
      v.push_back(p.x);
      v.push_back(p.y);
    }
    return v;
  }
  void Scrivi(const char* nome, const std::vector<int>& numeri, const std::string* testo = nullptr) {
    std::string riga = nome;
    for (int n : numeri) riga += ' ' + std::to_string(n);
    if (testo) riga += " \"" + *testo + '"';
    righe_.push_back(std::move(riga));
  }

  int width_, height_;
  std::vector<std::string> righe_;
  std::map<std::pair<int, int>, TColor> pixel_;
};

}  // namespace qx
