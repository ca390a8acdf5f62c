// The function entry dialog of LEGGIFUNZ and LEGGIESPR: a name and a formula, a palette of
// operators and functions inserted at the caret, a live preview of the formula, and the
// personal archive of named entries.
#pragma once
#include <QDialog>
#include <QString>
#include <string>

#include "values/espressioni/NodoEspr.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;

namespace qx {

class TFRMArchivio;
class TMthX;

class TDlgInsertFun : public QDialog {
 public:
  explicit TDlgInsertFun(TFRMArchivio& archivio, QWidget* parent = nullptr);
  ~TDlgInsertFun() override;

  QLineEdit* dfNome;  // at most 20 characters
  QLineEdit* dfExpr;
  QListWidget* lbFunzioni;
  QScrollArea* ScrollBox1;
  TMthX* MthX1;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QPushButton* BitBtn1;  // "Archivio"
  QPushButton* SalvaBtn;

  // Kind 1 asks for a function of x, any other kind for an expression. With mode "I" the
  // fields start empty, otherwise from the line. After OK the line holds the name padded
  // to 20 characters followed by the formula.
  bool Apri(const std::string& caption, std::string& riga, int tipo, char modo);

  void SettaCampi(const QString& riga, char modo);
  QString SettaStringa() const;
  // Parses the formula in this showing's mode; a text that does not parse (the parser says
  // why) sends the focus back to it. True when it parsed.
  bool MostraBtnClick();
  void OKBtnClick();
  // Inserts the palette entry at the caret of the formula box.
  void lbFunzioniClick(const QString& voce);
  void BitBtn1Click();
  void SalvaBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormActivate();

  TFRMArchivio& archivio_;
  PNodo albero_;
  int modo_ = 1;
};

}  // namespace qx
