#include "app/dialogs/EditVett.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "app/dialogs/CorniceGriglia.h"
#include "app/dialogs/TestoNumeri.h"
#include "controls/StringGrid.h"
#include "values/VettoriMatrici.h"

namespace qx {

TDlgEditVett::TDlgEditVett(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DlgEditVett"));
  setWindowTitle(QStringLiteral("Vettore"));
  sGrid = new TStringGrid(this);
  sGrid->setObjectName(QStringLiteral("sGrid"));
  sGrid->SetColCount(2);
  sGrid->SetRowCount(2);
  sGrid->SetFixedRows(0);
  sGrid->SetFixedCols(1);
  sGrid->SetColWidths(1, 180);
  const TCorniceGriglia cornice = CostruisciCorniceGriglia(*this, *sGrid);
  Memo1 = cornice.Memo1;
  OKBtn = cornice.OKBtn;
  CancelBtn = cornice.CancelBtn;
  pbChiudi = cornice.pbChiudi;
  resize(300, 380);
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
}

void TDlgEditVett::Apri(bool solaLettura, const std::string& titolo, cValore& vettore, const std::string& messaggio) {
  ApriEditore(*this, VettReale, VettStringa, T_VETT_REALE, T_VETT_STRINGA, solaLettura, titolo, vettore, messaggio);
}

int TDlgEditVett::Count() const {
  // A count beyond the stored elements is never trusted.
  if (Tipo == T_VETT_REALE) return VettReale ? std::min(VettReale->Count, VettReale->Vett.Dimensione()) : 0;
  return VettStringa ? std::min(VettStringa->Count, static_cast<int>(VettStringa->Vett.size())) : 0;
}

void TDlgEditVett::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

void TDlgEditVett::FormActivate() {
  setWindowTitle(Titolo);
  Memo1->setPlainText(Messaggio);
  sGrid->SetColWidths(0, 50);
  const int n = Count();
  sGrid->SetRowCount(n);
  // An empty vector still leaves the grid one row: it must not show the last vector's.
  if (n == 0) {
    sGrid->SetCells(0, 0, QString());
    sGrid->SetCells(1, 0, QString());
  }
  mostrati_.assign(std::size_t(n), QString());
  for (int i = 1; i <= n; ++i) {
    sGrid->SetCells(0, i - 1, QString::number(i));
    const QString testo = Tipo == T_VETT_REALE ? RealeInTesto(VettReale->Vett(i))
                                               : QString::fromStdString(VettStringa->Vett[std::size_t(i - 1)]);
    sGrid->SetCells(1, i - 1, testo);
    mostrati_[std::size_t(i - 1)] = testo;
  }
  ImpostaSolaLettura(*sGrid, *pbChiudi, SolaLettura);
  sGrid->FocusCell(1, 0);
  sGrid->setFocus();
}

void TDlgEditVett::OKBtnClick() {
  const int n = Count();
  sGrid->HideEditor();
  if (Tipo == T_VETT_REALE) {
    std::vector<Reale> valori(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
      const QString testo = sGrid->Cells(1, i - 1);
      Reale& v = valori[std::size_t(i - 1)];
      v = VettReale->Vett(i);
      if (testo == mostrati_[std::size_t(i - 1)]) continue;
      if (!TestoInReale(testo, v)) {
        MostraErrore(QStringLiteral("Errore alla cella ") + QString::number(i));
        sGrid->FocusCell(1, i - 1);
        sGrid->setFocus();
        return;
      }
    }
    for (int i = 1; i <= n; ++i) VettReale->Vett(i) = valori[std::size_t(i - 1)];
  } else {
    for (int i = 1; i <= n; ++i) VettStringa->Vett[std::size_t(i - 1)] = sGrid->Cells(1, i - 1).toStdString();
  }
  accept();
}

}  // namespace qx
