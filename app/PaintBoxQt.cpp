#include "app/PaintBoxQt.h"

#include <QMouseEvent>
#include <QPainter>

namespace qx {

TPaintBoxQt::TPaintBoxQt(QWidget* parent, TColor colore)
    : QWidget(parent), colore_(colore), immagine_(std::make_unique<TQImageCanvas>(1, 1, colore)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void TPaintBoxQt::paintEvent(QPaintEvent*) {
  if (OnPaint) OnPaint();
  QPainter p(this);
  p.drawImage(0, 0, immagine_->Image());
}

void TPaintBoxQt::resizeEvent(QResizeEvent*) {
  immagine_ = std::make_unique<TQImageCanvas>(std::max(1, width()), std::max(1, height()), colore_);
  if (OnResize) OnResize();
}

void TPaintBoxQt::mousePressEvent(QMouseEvent* event) {
  if (OnMouseDown) OnMouseDown(event);
}

void TPaintBoxQt::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouseMove) OnMouseMove(event);
}

void TPaintBoxQt::mouseReleaseEvent(QMouseEvent* event) {
  if (OnMouseUp) OnMouseUp(event);
}

void TPaintBoxQt::leaveEvent(QEvent*) {
  if (OnMouseLeave) OnMouseLeave();
}

}  // namespace qx
