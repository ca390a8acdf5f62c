#include "app/CanvasDifferito.h"

#include <utility>

namespace qx {

TCanvasDifferito::TCanvasDifferito(std::function<void()> ridisegna) : ridisegna_(std::move(ridisegna)) {}

void TCanvasDifferito::ImpostaDestinazione(TCanvas* destinazione) {
  dest_ = destinazione;
  coda_.clear();
}

void TCanvasDifferito::RichiediRidisegno() {
  sporco_ = true;
  coda_.clear();
}

void TCanvasDifferito::Completa() {
  if (!sporco_ || inCompletamento_) return;
  inCompletamento_ = true;
  sporco_ = false;
  ++ridisegni_;
  // The calls are taken out first: the repaint itself may draw through this canvas.
  auto coda = std::move(coda_);
  coda_.clear();
  if (ridisegna_) ridisegna_();
  if (dest_)
    for (auto& [stato, chiamata] : coda) {
      Applica(stato, *dest_);
      chiamata(*dest_);
    }
  inCompletamento_ = false;
}

void TCanvasDifferito::Applica(const Stato& s, TCanvas& c) {
  c.Pen = s.pen;
  c.Brush = s.brush;
  c.Font = s.font;
  c.TextAlign = s.align;
  c.MoveTo(s.pos.x, s.pos.y);
}

bool TCanvasDifferito::Diretta() {
  if (!dest_ || (sporco_ && !inCompletamento_)) return false;
  dest_->Pen = Pen;
  dest_->Brush = Brush;
  dest_->Font = Font;
  dest_->TextAlign = TextAlign;
  dest_->MoveTo(penPos_.x, penPos_.y);
  return true;
}

void TCanvasDifferito::Accoda(std::function<void(TCanvas&)> chiamata) {
  if (dest_) coda_.emplace_back(Attuale(), std::move(chiamata));
}

void TCanvasDifferito::MoveTo(int x, int y) { penPos_ = {x, y}; }

void TCanvasDifferito::LineTo(int x, int y) {
  if (Diretta())
    dest_->LineTo(x, y);
  else
    Accoda([x, y](TCanvas& c) { c.LineTo(x, y); });
  penPos_ = {x, y};
}

void TCanvasDifferito::Polyline(std::span<const TPoint> punti) {
  if (Diretta())
    dest_->Polyline(punti);
  else
    Accoda([p = std::vector<TPoint>(punti.begin(), punti.end())](TCanvas& c) { c.Polyline(p); });
}

void TCanvasDifferito::Rectangle(int x1, int y1, int x2, int y2) {
  if (Diretta())
    dest_->Rectangle(x1, y1, x2, y2);
  else
    Accoda([=](TCanvas& c) { c.Rectangle(x1, y1, x2, y2); });
}

void TCanvasDifferito::Ellipse(int x1, int y1, int x2, int y2) {
  if (Diretta())
    dest_->Ellipse(x1, y1, x2, y2);
  else
    Accoda([=](TCanvas& c) { c.Ellipse(x1, y1, x2, y2); });
}

void TCanvasDifferito::Polygon(std::span<const TPoint> punti) {
  if (Diretta())
    dest_->Polygon(punti);
  else
    Accoda([p = std::vector<TPoint>(punti.begin(), punti.end())](TCanvas& c) { c.Polygon(p); });
}

void TCanvasDifferito::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (Diretta())
    dest_->Arc(x1, y1, x2, y2, x3, y3, x4, y4);
  else
    Accoda([=](TCanvas& c) { c.Arc(x1, y1, x2, y2, x3, y3, x4, y4); });
}

void TCanvasDifferito::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (Diretta())
    dest_->Pie(x1, y1, x2, y2, x3, y3, x4, y4);
  else
    Accoda([=](TCanvas& c) { c.Pie(x1, y1, x2, y2, x3, y3, x4, y4); });
}

void TCanvasDifferito::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (Diretta())
    dest_->Chord(x1, y1, x2, y2, x3, y3, x4, y4);
  else
    Accoda([=](TCanvas& c) { c.Chord(x1, y1, x2, y2, x3, y3, x4, y4); });
}

void TCanvasDifferito::FillRect(const TRect& r) {
  if (Diretta())
    dest_->FillRect(r);
  else
    Accoda([r](TCanvas& c) { c.FillRect(r); });
}

void TCanvasDifferito::FrameRect(const TRect& r) {
  if (Diretta())
    dest_->FrameRect(r);
  else
    Accoda([r](TCanvas& c) { c.FrameRect(r); });
}

void TCanvasDifferito::TextOut(int x, int y, const std::string& testo) {
  if (Diretta())
    dest_->TextOut(x, y, testo);
  else
    Accoda([x, y, testo](TCanvas& c) { c.TextOut(x, y, testo); });
}

void TCanvasDifferito::TextRect(const TRect& r, int x, int y, const std::string& testo) {
  if (Diretta())
    dest_->TextRect(r, x, y, testo);
  else
    Accoda([r, x, y, testo](TCanvas& c) { c.TextRect(r, x, y, testo); });
}

// Measuring needs the font only, never the picture.
int TCanvasDifferito::TextWidth(const std::string& testo) {
  if (!dest_) return 0;
  dest_->Font = Font;
  return dest_->TextWidth(testo);
}

int TCanvasDifferito::TextHeight(const std::string& testo) {
  if (!dest_) return 0;
  dest_->Font = Font;
  return dest_->TextHeight(testo);
}

TColor TCanvasDifferito::Pixels(int x, int y) {
  if (!dest_) return clNone;
  Completa();
  return dest_->Pixels(x, y);
}

void TCanvasDifferito::SetPixels(int x, int y, TColor colore) {
  if (Diretta())
    dest_->SetPixels(x, y, colore);
  else
    Accoda([=](TCanvas& c) { c.SetPixels(x, y, colore); });
}

void TCanvasDifferito::Draw(int x, int y, const TBitmap& bitmap) {
  if (Diretta())
    dest_->Draw(x, y, bitmap);
  else
    Accoda([x, y, bitmap](TCanvas& c) { c.Draw(x, y, bitmap); });
}

void TCanvasDifferito::StretchDraw(const TRect& r, const TBitmap& bitmap) {
  if (Diretta())
    dest_->StretchDraw(r, bitmap);
  else
    Accoda([r, bitmap](TCanvas& c) { c.StretchDraw(r, bitmap); });
}

TRect TCanvasDifferito::ClipRect() const { return dest_ ? dest_->ClipRect() : TRect{}; }

}  // namespace qx
