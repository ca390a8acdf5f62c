// The toolkit's 3D edges, drawn one pixel wide: light on the top and left, dark on the
// bottom and right (raised), or the other way round (sunken).
#pragma once
#include <QColor>
#include <QPainter>
#include <QRect>

namespace qx {

// `width` edges, one inside the other; answers the rectangle inside them.
inline QRect Frame3D(QPainter& p, QRect r, const QColor& light, const QColor& dark, int width = 1) {
  for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
    p.setPen(light);
    p.drawLine(r.left(), r.bottom() - 1, r.left(), r.top());
    p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    p.setPen(dark);
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    r.adjust(1, 1, -1, -1);
  }
  return r;
}

}  // namespace qx
