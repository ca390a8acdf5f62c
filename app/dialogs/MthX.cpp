#include "app/dialogs/MthX.h"

#include <QPainter>
#include <cmath>

#include "platform/qt/FontToolkit.h"

namespace qx {

TMthX::TMthX(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("MthX1"));
  // A named family that every installation has: the layout of a formula (bars, roots, raised
  // exponents) then looks the same on every machine, whatever its default font.
  QFont f(FamigliaDesktop("Times New Roman"));
  f.setPixelSize(20);
  setFont(f);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
  SetText(QString());
}

TMthX::~TMthX() = default;

void TMthX::SetText(const QString& testo) {
  testo_ = testo;
  scatola_ = formula::Componi(testo_, font());
  setMinimumSize(sizeHint());
  updateGeometry();
  update();
}

QSize TMthX::sizeHint() const {
  if (!scatola_) return {2 * kMargine, 2 * kMargine};
  return {static_cast<int>(std::ceil(scatola_->Larghezza)) + 2 * kMargine,
          static_cast<int>(std::ceil(scatola_->Altezza())) + 2 * kMargine};
}

void TMthX::paintEvent(QPaintEvent*) {
  if (!scatola_) return;
  QPainter p(this);
  p.setPen(Qt::black);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  scatola_->Disegna(p, kMargine, kMargine + std::ceil(scatola_->Ascesa));
}

}  // namespace qx
