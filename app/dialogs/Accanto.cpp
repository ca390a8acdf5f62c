#include "app/dialogs/Accanto.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

namespace qx {

namespace {

// Moved inside `dentro`; a window larger than it keeps its top and left edges in sight.
QPoint Dentro(QPoint p, const QSize& s, const QRect& dentro) {
  p.setX(std::max(dentro.left(), std::min(p.x(), dentro.right() + 1 - s.width())));
  p.setY(std::max(dentro.top(), std::min(p.y(), dentro.bottom() + 1 - s.height())));
  return p;
}

int Area(const QRect& r) { return r.isEmpty() ? 0 : r.width() * r.height(); }

}  // namespace

QPoint PosizioneAccanto(const QRect& evitare, const QSize& dimensioni, const QRect& dentro, int distacco) {
  struct Lato {
    int spazio;
    QPoint posizione;
  };
  const QRect& e = evitare;
  const int w = dimensioni.width(), h = dimensioni.height(), g = distacco;
  const int x = e.left() + (e.width() - w) / 2, y = e.top() + (e.height() - h) / 2;
  Lato accanto[2] = {{e.left() - dentro.left(), {e.left() - g - w, y}},
                     {dentro.right() - e.right(), {e.right() + 1 + g, y}}};
  Lato sopraSotto[2] = {{e.top() - dentro.top(), {x, e.top() - g - h}},
                        {dentro.bottom() - e.bottom(), {x, e.bottom() + 1 + g}}};
  std::vector<QPoint> prove;
  for (Lato* coppia : {accanto, sopraSotto}) {
    if (coppia[1].spazio > coppia[0].spazio) std::swap(coppia[0], coppia[1]);
    for (int i = 0; i < 2; ++i) prove.push_back(Dentro(coppia[i].posizione, dimensioni, dentro));
  }
  QPoint migliore = prove.front();
  int coperto = INT_MAX;
  for (const QPoint& p : prove) {
    const int a = Area(QRect(p, dimensioni).intersected(e));
    if (a < coperto) {
      migliore = p;
      coperto = a;
    }
  }
  return migliore;
}

}  // namespace qx
