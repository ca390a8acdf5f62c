// What the vector and the matrix editors share: the statement's message over the grid, the
// buttons under it, the switch between editing the cells and showing them only, and the
// showing for a value of either of their two kinds.
#pragma once
#include <QString>
#include <string>

#include "values/Valori.h"

class QDialog;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace qx {

class TStringGrid;

struct TCorniceGriglia {
  QPlainTextEdit* Memo1;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QPushButton* pbChiudi;
};

// Lays out `dlg`: the read-only message, `griglia` taking the room left, and a row with
// `sinistra` (when given) at the left, then "OK" (the default button), "Annulla" and
// "&Chiudi". "Annulla" and "&Chiudi" reject the dialog; what "OK" does is the caller's.
TCorniceGriglia CostruisciCorniceGriglia(QDialog& dlg, TStringGrid& griglia, QWidget* sinistra = nullptr);

// Cells editable, or shown only; "&Chiudi" stands only in the second case.
void ImpostaSolaLettura(TStringGrid& griglia, QPushButton& chiudi, bool solaLettura);

// Shows `dlg` for `valore` when it is a value of real elements (R) or of strings (S): the
// pointer of its kind is set for the showing only. A value of another kind shows nothing.
template <class R, class S, class Dlg>
void ApriEditore(Dlg& dlg, R*& reale, S*& stringa, TipiValore tipoReale, TipiValore tipoStringa, bool solaLettura,
                 const std::string& titolo, cValore& valore, const std::string& messaggio) {
  reale = dynamic_cast<R*>(&valore);
  stringa = dynamic_cast<S*>(&valore);
  if (!reale && !stringa) return;
  dlg.Tipo = reale ? tipoReale : tipoStringa;
  dlg.SolaLettura = solaLettura;
  dlg.Titolo = QString::fromStdString(titolo);
  dlg.Messaggio = QString::fromStdString(messaggio);
  dlg.setWindowTitle(dlg.Titolo);
  dlg.exec();
  reale = nullptr;
  stringa = nullptr;
}

}  // namespace qx
