// The function archive "Archivio.txt" in the program folder: one entry per line, the name in
// characters 1 to 20 (padded with blanks), the formula from character 21 on. Windows-1252
// on disk; read and written whole. And the window that lists, picks and deletes entries.
#pragma once
#include <QDialog>
#include <QString>
#include <QStringList>
#include <string>

class QListWidget;
class QPushButton;

namespace qx {

constexpr int kCampoNome = 20;

// Where the archive lives: the program folder's "Archivio.txt".
std::string PercorsoArchivio();
bool EsisteArchivio();
// The archive's lines; false with a message when the file cannot be read.
bool LeggiArchivio(QStringList& righe, QString& errore);
// Writes the lines (CR LF after each) over the archive without ever leaving it half
// written; a character that Windows-1252 cannot hold is written as "?" and the save says
// once which entry held it. False with a message when it cannot be written.
bool SalvaArchivio(const QStringList& righe, QString& errore);

// An entry line: the name padded with blanks to 20 characters, then the formula.
QString RigaArchivio(const QString& nome, const QString& formula);
// The name (characters 1 to 20, blanks included) and the formula (21 to the end).
void DividiRigaArchivio(const QString& riga, QString& nome, QString& formula);

class TFRMArchivio : public QDialog {
 public:
  explicit TFRMArchivio(QWidget* parent = nullptr);

  QListWidget* LBExpr;
  QPushButton* SelezionaBtn;
  QPushButton* EliminaBtn;
  QPushButton* ChiudiBtn;

  // Lists the archive; after a choice `riga` holds the chosen line and the answer is true.
  // The list, with the entries deleted meanwhile, is written back when the window closes.
  bool Apri(QString& riga);

  // The buttons enabled while an entry is selected, disabled while none is.
  void LBExprClick();
  void SelezionaBtnClick();
  void EliminaBtnClick();

  // Fills the list from the archive (empty when there is none); false after a message
  // when the archive cannot be read, so that nothing writes over it.
  bool Carica();

 private:
  // Nothing selected, nothing current (so nothing drawn as chosen), the buttons disabled.
  void NessunaVoce();
  QString scelta_;
  bool scelto_ = false;
};

}  // namespace qx
