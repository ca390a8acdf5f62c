// The number dialog of LEGGINUM, which reads a number or an expression such as 2^5, and the
// on-screen numeric keypad that it opens beside itself. The keypad never takes the focus:
// its keys go to the edit box as if typed there.
#pragma once
#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <string>

#include "values/Funzioni.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace qx {

class TfrmTastNum : public QWidget {
 public:
  explicit TfrmTastNum(QWidget* parent = nullptr);
  // The box that receives the keys.
  QPointer<QWidget> Target;
  // The twelve keys, row by row: "7" "8" "9" / "4" "5" "6" / "1" "2" "3" / "0" "." "<--".
  QToolButton* Tasto(int i) const { return tasti_[i]; }
  QToolButton* Tasto(const QString& caption) const;
  // What a key does: its character typed into the target; "<--" deletes the character
  // before the caret.
  void SpeedButton1Click(const QString& caption);

 private:
  QToolButton* tasti_[12] = {};
};

class TfrmLeggiNum : public QDialog {
 public:
  explicit TfrmLeggiNum(TfrmTastNum& tastiera, QWidget* parent = nullptr);

  QLabel* Label1;
  QLabel* Label2;
  QLineEdit* Edit1;
  QToolButton* SpeedButton1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  // The result: the number read, and whether OK accepted it.
  Reale Valore = 0;
  bool Confermato = false;

  // Shows the dialog with the prompt; true with the number in `valore` after OK.
  bool Apri(const std::string& prompt, Reale& valore);

  void BitBtn1Click();
  void SpeedButton1Click();

  void done(int r) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormActivate();
  TfrmTastNum& tastiera_;
};

}  // namespace qx
