// The about box of the menu item "Informazioni su..".
#pragma once
#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;

namespace qx {

class TAboutBox : public QDialog {
 public:
  // `versione` is the program's version text ("3.0").
  explicit TAboutBox(QString versione, QWidget* parent = nullptr);

  QFrame* Panel1;
  QLabel* ProductName;
  QLabel* Version;
  QLabel* Label2;
  QPushButton* OKButton;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QString versione_;
};

}  // namespace qx
