// The vector editor of LEGGIVETT and STAMPAVETT: the elements in a two-column grid (index
// and element), editable or shown only.
#pragma once
#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "values/Valori.h"

class QPlainTextEdit;
class QPushButton;

namespace qx {

class TStringGrid;
class cVettReale;
class cVettStringa;

class TDlgEditVett : public QDialog {
 public:
  explicit TDlgEditVett(QWidget* parent = nullptr);

  QPlainTextEdit* Memo1;  // the statement's message
  TStringGrid* sGrid;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QPushButton* pbChiudi;

  // Set by the caller before showing.
  TipiValore Tipo = T_VETT_REALE;
  QString Titolo;
  cVettReale* VettReale = nullptr;
  cVettStringa* VettStringa = nullptr;
  bool SolaLettura = false;
  QString Messaggio;

  // Shows the vector (a real or a string vector) and, after OK, writes the cells back.
  void Apri(bool solaLettura, const std::string& titolo, cValore& vettore, const std::string& messaggio);

  // Writes the cells back and closes; a real cell that does not convert says "Errore alla
  // cella " and its index, goes to that cell and keeps the dialog open, with nothing written.
  void OKBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormActivate();
  int Count() const;
  // The texts the cells got from the vector: a cell left as it was keeps its exact value.
  std::vector<QString> mostrati_;
};

}  // namespace qx
