#include "app/dialogs/CanvasIngombro.h"

#include <algorithm>

namespace qx {

void TCanvasIngombro::LineTo(int x, int y) {
  Box(penPos_.x, penPos_.y, x, y);
  penPos_ = {x, y};
}

void TCanvasIngombro::Polyline(std::span<const TPoint> punti) {
  for (const TPoint& p : punti) Box(p.x, p.y, p.x, p.y);
}

void TCanvasIngombro::TextOut(int x, int y, const std::string& testo) {
  // Wherever the alignment puts it, the text lies within its size on each side of the point.
  const int w = TextWidth(testo), h = TextHeight(testo);
  Aggiungi({x - w, y - h, x + w, y + h}, 0);
}

int TCanvasIngombro::TextWidth(const std::string& testo) {
  return ConCarattere([&] { return misura_.TextWidth(testo); });
}

int TCanvasIngombro::TextHeight(const std::string& testo) {
  return ConCarattere([&] { return misura_.TextHeight(testo); });
}

int TCanvasIngombro::ConCarattere(const std::function<int()>& misura) {
  // The measured canvas keeps its own font: it is the one the statements draw with.
  const TFont suo = misura_.Font;
  misura_.Font = Font;
  const int n = misura();
  misura_.Font = suo;
  return n;
}

void TCanvasIngombro::Box(int x1, int y1, int x2, int y2, int bordo) {
  Aggiungi({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1},
           bordo < 0 ? MezzaPenna() : bordo);
}

void TCanvasIngombro::Aggiungi(const TRect& r, int bordo) {
  const TRect g{r.Left - bordo, r.Top - bordo, r.Right + bordo, r.Bottom + bordo};
  if (vuoto_) {
    ingombro_ = g;
    vuoto_ = false;
    return;
  }
  ingombro_ = {std::min(ingombro_.Left, g.Left), std::min(ingombro_.Top, g.Top),
               std::max(ingombro_.Right, g.Right), std::max(ingombro_.Bottom, g.Bottom)};
}

}  // namespace qx
