#include "app/CanvasDifferito.h"

#include <algorithm>
#include <span>
#include <utility>

#include "platform/Bitmap.h"

namespace qx {

TCanvasDifferito::TCanvasDifferito(std::function<void()> ridisegna) : ridisegna_(std::move(ridisegna)) {}

void TCanvasDifferito::Coda::Svuota() {
  chiamate.clear();
  stati.clear();
  punti.clear();
  testi.clear();
  immagini.clear();
}

void TCanvasDifferito::ImpostaDestinazione(TCanvas* destinazione) {
  dest_ = destinazione;
  coda_.Svuota();
}

void TCanvasDifferito::RichiediRidisegno() {
  sporco_ = true;
  coda_.Svuota();
}

void TCanvasDifferito::Completa() {
  if (!sporco_ || inCompletamento_) return;
  inCompletamento_ = true;
  sporco_ = false;
  ++ridisegni_;
  // The calls are taken out first: the repaint itself may draw through this canvas.
  std::swap(coda_, inRiproduzione_);
  if (ridisegna_) ridisegna_();
  if (dest_)
    for (const Chiamata& c : inRiproduzione_.chiamate) inRiproduzione_.Rigioca(c, *dest_);
  inRiproduzione_.Svuota();
  inCompletamento_ = false;
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

TCanvasDifferito::Chiamata* TCanvasDifferito::Accoda(Tipo tipo, std::initializer_list<int> numeri) {
  if (!dest_) return nullptr;
  std::vector<Stato>& stati = coda_.stati;
  if (stati.empty() || !(stati.back().pen == Pen && stati.back().brush == Brush && stati.back().align == TextAlign &&
                         stati.back().font == Font))
    stati.push_back({Pen, Brush, Font, TextAlign});
  Chiamata& c = coda_.chiamate.emplace_back();
  c.tipo = tipo;
  c.stato = static_cast<std::uint32_t>(stati.size() - 1);
  c.pos = penPos_;
  std::copy(numeri.begin(), numeri.end(), c.n);
  return &c;
}

void TCanvasDifferito::AccodaPunti(Tipo tipo, std::span<const TPoint> punti) {
  if (Chiamata* c = Accoda(tipo, {})) {
    c->da = static_cast<std::uint32_t>(coda_.punti.size());
    c->quanti = static_cast<std::uint32_t>(punti.size());
    coda_.punti.insert(coda_.punti.end(), punti.begin(), punti.end());
  }
}

void TCanvasDifferito::Coda::Rigioca(const Chiamata& c, TCanvas& d) const {
  const Stato& s = stati[c.stato];
  d.Pen = s.pen;
  d.Brush = s.brush;
  d.Font = s.font;
  d.TextAlign = s.align;
  d.MoveTo(c.pos.x, c.pos.y);
  const int* n = c.n;
  // `da` counts texts and pictures too: only a call with points points into the store.
  const std::span<const TPoint> vertici =
      c.quanti == 0 ? std::span<const TPoint>{} : std::span<const TPoint>(punti.data() + c.da, c.quanti);
  const TRect r{n[0], n[1], n[2], n[3]};
  switch (c.tipo) {
    case Tipo::LineTo: d.LineTo(n[0], n[1]); break;
    case Tipo::Polyline: d.Polyline(vertici); break;
    case Tipo::Rectangle: d.Rectangle(n[0], n[1], n[2], n[3]); break;
    case Tipo::Ellipse: d.Ellipse(n[0], n[1], n[2], n[3]); break;
    case Tipo::Polygon: d.Polygon(vertici); break;
    case Tipo::Arc: d.Arc(n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7]); break;
    case Tipo::Pie: d.Pie(n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7]); break;
    case Tipo::Chord: d.Chord(n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7]); break;
    case Tipo::FillRect: d.FillRect(r); break;
    case Tipo::FrameRect: d.FrameRect(r); break;
    case Tipo::TextOut: d.TextOut(n[0], n[1], testi[c.da]); break;
    case Tipo::TextRect: d.TextRect(r, n[4], n[5], testi[c.da]); break;
    case Tipo::SetPixels: d.SetPixels(n[0], n[1], c.colore); break;
    case Tipo::Draw: d.Draw(n[0], n[1], immagini[c.da]); break;
    case Tipo::StretchDraw: d.StretchDraw(r, immagini[c.da]); break;
  }
}

void TCanvasDifferito::MoveTo(int x, int y) { penPos_ = {x, y}; }

void TCanvasDifferito::LineTo(int x, int y) {
  if (Diretta())
    dest_->LineTo(x, y);
  else
    Accoda(Tipo::LineTo, {x, y});
  penPos_ = {x, y};
}

void TCanvasDifferito::Polyline(std::span<const TPoint> punti) {
  if (Diretta())
    dest_->Polyline(punti);
  else
    AccodaPunti(Tipo::Polyline, punti);
}

void TCanvasDifferito::Rectangle(int x1, int y1, int x2, int y2) {
  if (Diretta())
    dest_->Rectangle(x1, y1, x2, y2);
  else
    Accoda(Tipo::Rectangle, {x1, y1, x2, y2});
}

void TCanvasDifferito::Ellipse(int x1, int y1, int x2, int y2) {
  if (Diretta())
    dest_->Ellipse(x1, y1, x2, y2);
  else
    Accoda(Tipo::Ellipse, {x1, y1, x2, y2});
}

void TCanvasDifferito::Polygon(std::span<const TPoint> punti) {
  if (Diretta())
    dest_->Polygon(punti);
  else
    AccodaPunti(Tipo::Polygon, punti);
}

void TCanvasDifferito::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (Diretta())
    dest_->Arc(x1, y1, x2, y2, x3, y3, x4, y4);
  else
    Accoda(Tipo::Arc, {x1, y1, x2, y2, x3, y3, x4, y4});
}

void TCanvasDifferito::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (Diretta())
    dest_->Pie(x1, y1, x2, y2, x3, y3, x4, y4);
  else
    Accoda(Tipo::Pie, {x1, y1, x2, y2, x3, y3, x4, y4});
}

void TCanvasDifferito::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (Diretta())
    dest_->Chord(x1, y1, x2, y2, x3, y3, x4, y4);
  else
    Accoda(Tipo::Chord, {x1, y1, x2, y2, x3, y3, x4, y4});
}

void TCanvasDifferito::FillRect(const TRect& r) {
  if (Diretta())
    dest_->FillRect(r);
  else
    Accoda(Tipo::FillRect, {r.Left, r.Top, r.Right, r.Bottom});
}

void TCanvasDifferito::FrameRect(const TRect& r) {
  if (Diretta())
    dest_->FrameRect(r);
  else
    Accoda(Tipo::FrameRect, {r.Left, r.Top, r.Right, r.Bottom});
}

void TCanvasDifferito::TextOut(int x, int y, const std::string& testo) {
  if (Diretta()) {
    dest_->TextOut(x, y, testo);
  } else if (Chiamata* c = Accoda(Tipo::TextOut, {x, y})) {
    c->da = static_cast<std::uint32_t>(coda_.testi.size());
    coda_.testi.push_back(testo);
  }
}

void TCanvasDifferito::TextRect(const TRect& r, int x, int y, const std::string& testo) {
  if (Diretta()) {
    dest_->TextRect(r, x, y, testo);
  } else if (Chiamata* c = Accoda(Tipo::TextRect, {r.Left, r.Top, r.Right, r.Bottom, x, y})) {
    c->da = static_cast<std::uint32_t>(coda_.testi.size());
    coda_.testi.push_back(testo);
  }
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
  else if (Chiamata* c = Accoda(Tipo::SetPixels, {x, y}))
    c->colore = colore;
}

void TCanvasDifferito::Draw(int x, int y, const TBitmap& bitmap) {
  if (Diretta()) {
    dest_->Draw(x, y, bitmap);
  } else if (Chiamata* c = Accoda(Tipo::Draw, {x, y})) {
    c->da = static_cast<std::uint32_t>(coda_.immagini.size());
    coda_.immagini.push_back(bitmap);
  }
}

void TCanvasDifferito::StretchDraw(const TRect& r, const TBitmap& bitmap) {
  if (Diretta()) {
    dest_->StretchDraw(r, bitmap);
  } else if (Chiamata* c = Accoda(Tipo::StretchDraw, {r.Left, r.Top, r.Right, r.Bottom})) {
    c->da = static_cast<std::uint32_t>(coda_.immagini.size());
    coda_.immagini.push_back(bitmap);
  }
}

TRect TCanvasDifferito::ClipRect() const { return dest_ ? dest_->ClipRect() : TRect{}; }

}  // namespace qx
