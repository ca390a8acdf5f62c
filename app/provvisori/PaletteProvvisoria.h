// A stand-in for the band palette while the window's controls are being built: a column of
// bands, each a header button that shows or hides the band's own area. It goes away when
// the real control lands.
#pragma once
#include <QScrollArea>
#include <QString>

class QVBoxLayout;

namespace qx {

class TPaletteProvvisoria : public QScrollArea {
 public:
  explicit TPaletteProvvisoria(QWidget* parent = nullptr);
  // A new band; the controls go into the widget it answers, placed by hand.
  QWidget* AggiungiBanda(const QString& caption, int altezzaEspansa);

 private:
  QVBoxLayout* colonna_;
};

}  // namespace qx
