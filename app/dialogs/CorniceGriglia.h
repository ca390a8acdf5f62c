// What the vector and the matrix editors share: the statement's message over the grid, the
// buttons under it, and the switch between editing the cells and showing them only.
#pragma once

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

}  // namespace qx
