// The table browser of CREA_ARCHIVIO and APRI_ARCHIVIO: a dBASE table of the folder ARC of
// the program folder in a grid, edited in place, ordered by a chosen field and searched.
// Every edit goes to the file at once; the order and the searches live in memory only, so
// the file never holds an index or a row moved by a sort.
#pragma once
#include <QDialog>
#include <memory>
#include <string>

#include "platform/dbf/TabellaDbf.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

namespace qx {

class TModelloArchivio;

class TdlgEditArchivio : public QDialog {
 public:
  explicit TdlgEditArchivio(QWidget* parent = nullptr);
  ~TdlgEditArchivio() override;

  QTableView* DBGrid1;
  QWidget* Panel1;
  QLabel* Label1;        // "Ordina per"
  QComboBox* cmbOrdina;  // the field the rows are ordered by
  QWidget* Panel2;
  QLabel* Label2;        // "Cerca parola"
  QLineEdit* edTrova;    // the text to find
  QLabel* Label3;        // "in"
  QComboBox* cmbTrova;   // the field it is looked for in
  QPushButton* BitBtn2;  // "Trova"
  QPushButton* OKBtn;    // "&Chiudi"

  dbf::TTabella Table1;
  // The folder of the tables (ending with no separator) and the table's name.
  std::string DatabaseName;
  std::string TableName;

  // Shows the table `tabella` of the program folder's ARC modally under the caption. A table
  // that cannot be opened (missing, in use, damaged) gives its error box instead.
  void Apri(const std::string& caption, const std::string& tabella);

  // Opens the table and lists its fields in both combo boxes; false with the error box.
  bool FormActivate();
  void FormClose();
  void cmbOrdinaClick();
  void BitBtn2Click();
  void OKBtnClick();

  // The row and the field of the grid's current cell (-1 when there is none).
  int RigaCorrente() const;
  int CampoCorrente() const;

  void done(int risultato) override;

 protected:
  bool eventFilter(QObject* oggetto, QEvent* evento) override;

 private:
  // The grid shows the table again and puts its current cell on the record and field.
  void Riallinea(int record, int campo);
  void CancellaRigaCorrente();
  // Each column as wide as its field can be (its width in characters in the grid's font),
  // its name or its values when wider, at most half the window.
  void ApriColonne();

  std::unique_ptr<TModelloArchivio> modello_;
};

}  // namespace qx
