// The fraction dialog of LEGGIFRAZ: a numerator over a denominator.
#pragma once
#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qx {

class TdlgEditFraz : public QDialog {
 public:
  explicit TdlgEditFraz(QWidget* parent = nullptr);

  QLineEdit* ed1;  // the numerator
  QLabel* Label1;  // the fraction bar
  QLineEdit* ed2;  // the denominator
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

  // Shows the two empty boxes; after OK `testo` is numerator + "/" + denominator. The mode
  // is the statement's and changes nothing here.
  bool Apri(const std::string& caption, std::string& testo, char modo);

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* oggetto, QEvent* evento) override;
};

}  // namespace qx
