// The splash window shown while the main window is created: borderless, centred, with the
// product's name and version; it closes on a click, on a mouse movement over it, or after
// 1800 ms.
#pragma once
#include <QDialog>

class QLabel;
class QTimer;

namespace qx {

class TfrmSplash : public QDialog {
 public:
  explicit TfrmSplash(QWidget* parent = nullptr);

  QLabel* Label1 = nullptr;
  QTimer* Timer1 = nullptr;

  void FormActivate();
  void Image1Click() { close(); }
  void Panel1MouseMove() { close(); }
  void Timer1Timer() { close(); }

 protected:
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace qx
