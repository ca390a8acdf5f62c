#include "app/provvisori/PaletteProvvisoria.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace qx {

TPaletteProvvisoria::TPaletteProvvisoria(QWidget* parent) : QScrollArea(parent) {
  auto* interno = new QWidget;
  colonna_ = new QVBoxLayout(interno);
  colonna_->setContentsMargins(2, 2, 2, 2);
  colonna_->setSpacing(2);
  colonna_->addStretch(1);
  setWidget(interno);
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QWidget* TPaletteProvvisoria::AggiungiBanda(const QString& caption, int altezzaEspansa) {
  auto* testata = new QToolButton;
  testata->setText("- " + caption);
  testata->setToolButtonStyle(Qt::ToolButtonTextOnly);
  testata->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  QFont f = testata->font();
  f.setBold(true);
  f.setPointSize(7);
  testata->setFont(f);
  auto* area = new QWidget;
  area->setFixedHeight(altezzaEspansa);
  const int n = colonna_->count() - 1;
  colonna_->insertWidget(n, testata);
  colonna_->insertWidget(n + 1, area);
  connect(testata, &QToolButton::clicked, area, [testata, area, caption] {
    area->setVisible(!area->isVisible());
    testata->setText((area->isVisible() ? "- " : "+ ") + caption);
  });
  return area;
}

}  // namespace qx
