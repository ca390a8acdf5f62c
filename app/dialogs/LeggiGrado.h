// The angle dialog of LEGGIMISURAANG: degrees, minutes and seconds in three short boxes.
#pragma once
#include <QDialog>
#include <string>

#include "values/Funzioni.h"

class QLineEdit;
class QPushButton;

namespace qx {

class TdlgLeggiGrado : public QDialog {
 public:
  explicit TdlgLeggiGrado(QWidget* parent = nullptr);

  QLineEdit* edG;  // at most 3 characters
  QLineEdit* edP;  // at most 2
  QLineEdit* edS;  // at most 2
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

  // Fills the boxes, shows the dialog (with the caption, when one is given) and, after OK,
  // gives back the three values; false when cancelled, the variables left alone.
  bool Apri(const std::string& caption, int& gradi, int& primi, Reale& secondi);

  // OK is taken only when the three boxes convert: a box that does not says so and takes
  // the focus, and the dialog stays open.
  void OKBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  int gradi_ = 0, primi_ = 0;
  Reale secondi_ = 0;
};

}  // namespace qx
