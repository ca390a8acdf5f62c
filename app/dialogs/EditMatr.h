// The matrix editor of LEGGIMATR and STAMPAMATR and of the double-entry tables: the elements
// in an aligned grid with the row and column numbers, a typed cell evaluated as a formula,
// the marginal totals of a table kept up to date, and *.MTR files and the clipboard through
// the grid's pop-up menu.
#pragma once
#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "values/Valori.h"

class QAction;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace qx {

class Tdm;
class TStringAlignGrid;
class cMatrReale;
class cMatrStringa;

class TDlgEditMatr : public QDialog {
 public:
  explicit TDlgEditMatr(Tdm& dm, QWidget* parent = nullptr);

  QPlainTextEdit* Memo1;
  TStringAlignGrid* sGrid;
  QSpinBox* UpDown1;  // the width of the columns
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QPushButton* pbChiudi;
  QAction* Apri1;
  QAction* Salva1;
  QAction* Copiainappunti1;

  // Set by the caller before showing.
  TipiValore Tipo = T_MATR_REALE;
  QString Titolo;
  cMatrReale* MatrReale = nullptr;
  cMatrStringa* MatrStringa = nullptr;
  bool SolaLettura = false;
  QString Messaggio;
  // The matrix file of this showing (cleared at each showing).
  QString NomeFile;

  // Shows the matrix (real or string) and, after OK, writes the cells back.
  void Apri(bool solaLettura, const std::string& titolo, cValore& matrice, const std::string& messaggio);

  // Writes every cell back and closes; a real cell that does not convert is reported, the
  // grid goes to it, nothing is written and the dialog stays open.
  void OKBtnClick();
  // A typed real cell is a formula: its value replaces it; a text that does not parse is
  // refused (the parser says why).
  void sGridValidateEdit(int col, int row, bool& accept);
  // The margins of a double-entry table: the sum of each row into the last column and of
  // each column into the last row; the bottom-right cell keeps its value.
  void CalcolaTotali();
  void Apri1Click();
  void Salva1Click();
  void Copiainappunti1Click();
  void UpDown1Changing(int posizione);

  bool Statistica() const;
  int Righe() const;
  int Colonne() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormActivate();
  void sGridDrawCell(int col, int row, const QRect& rect);
  // Widens every column narrower than one of its texts to the widest (the width chosen with
  // the arrows is where columns start, a text never cut by it): at each showing, after an
  // edit, a file loaded or a new width.
  void AdattaColonne();
  // The value of a real cell: the exact one while its text is the one the dialog wrote,
  // else the text converted. False when the text is no number.
  bool ValoreCella(int col, int row, Reale& valore) const;
  void ImpostaCella(int col, int row, Reale valore);
  std::size_t Indice(int col, int row) const { return std::size_t(row - 1) * std::size_t(Colonne()) + std::size_t(col - 1); }

  Tdm& dm_;
  std::vector<Reale> esatti_;
  std::vector<QString> testiEsatti_;
};

// The rows and columns that a grid text makes: one row per line (CR LF, LF or CR), and as
// many columns as the longest line has cells (each cell followed by TAB, the last TAB
// optional).
void DimensioniTestoGriglia(const std::string& testo, int& righe, int& colonne);

}  // namespace qx
