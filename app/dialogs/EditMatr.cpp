#include "app/dialogs/EditMatr.h"

#include <QAction>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <stdexcept>

#include "app/dialogs/CorniceGriglia.h"
#include "app/dialogs/Dm.h"
#include "app/dialogs/TestoNumeri.h"
#include "app/file/FileSicuro.h"
#include "controls/Aligrid.h"
#include "controls/ToolkitColors.h"
#include "values/VettoriMatrici.h"

namespace qx {

namespace {

const QString kFreqMarg = QStringLiteral("Freq. marg.");
const QString kFiltro = QStringLiteral("Matrici (*.MTR *.mtr)");
constexpr int kLarghezzaIndici = 40;
constexpr int kLarghezzaMargini = 67;

}  // namespace

void DimensioniTestoGriglia(const std::string& testo, int& righe, int& colonne) {
  righe = 0;
  colonne = 0;
  std::size_t inizio = 0;
  const auto riga = [&](std::size_t fine) {
    ++righe;
    const std::string_view r(testo.data() + inizio, fine - inizio);
    if (r.empty()) return;
    const int celle = static_cast<int>(std::count(r.begin(), r.end(), '\t')) + (r.back() == '\t' ? 0 : 1);
    colonne = std::max(colonne, celle);
  };
  for (std::size_t i = 0; i < testo.size(); ++i) {
    if (testo[i] != '\r' && testo[i] != '\n') continue;
    riga(i);
    if (testo[i] == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
    inizio = i + 1;
  }
  if (inizio < testo.size()) riga(testo.size());
}

TDlgEditMatr::TDlgEditMatr(Tdm& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
  setObjectName(QStringLiteral("DlgEditMatr"));
  setWindowTitle(QStringLiteral("Matrice"));
  sGrid = new TStringAlignGrid(this);
  sGrid->setObjectName(QStringLiteral("sGrid"));
  sGrid->SetAutoEditNextCell(true);
  sGrid->SetAfterLastCellEdit(lc_first);
  sGrid->SetOptions(sGrid->Options() | goEditing | goRangeSelect);
  UpDown1 = new QSpinBox(this);
  UpDown1->setObjectName(QStringLiteral("UpDown1"));
  UpDown1->setRange(20, 400);
  UpDown1->setSingleStep(4);
  UpDown1->setValue(64);
  UpDown1->setToolTip(QStringLiteral("Larghezza delle colonne"));
  const TCorniceGriglia cornice = CostruisciCorniceGriglia(*this, *sGrid, UpDown1);
  Memo1 = cornice.Memo1;
  OKBtn = cornice.OKBtn;
  CancelBtn = cornice.CancelBtn;
  pbChiudi = cornice.pbChiudi;
  Apri1 = new QAction(QStringLiteral("&Apri"), this);
  Salva1 = new QAction(QStringLiteral("&Salva"), this);
  Copiainappunti1 = new QAction(QStringLiteral("&Copia in appunti"), this);
  sGrid->setContextMenuPolicy(Qt::ActionsContextMenu);
  sGrid->addActions({Apri1, Salva1, Copiainappunti1});
  resize(600, 450);

  sGrid->OnValidateEdit = [this](QObject*, int col, int row, bool& accept) { sGridValidateEdit(col, row, accept); };
  sGrid->OnAfterEdit = [this](QObject*, int, int) { AdattaColonne(); };
  sGrid->OnDrawCell = [this](QObject*, int col, int row, const QRect& rect, TGridDrawState) {
    sGridDrawCell(col, row, rect);
  };
  connect(UpDown1, &QSpinBox::valueChanged, this, [this](int v) { UpDown1Changing(v); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(Apri1, &QAction::triggered, this, [this] { Apri1Click(); });
  connect(Salva1, &QAction::triggered, this, [this] { Salva1Click(); });
  connect(Copiainappunti1, &QAction::triggered, this, [this] { Copiainappunti1Click(); });
}

void TDlgEditMatr::Apri(bool solaLettura, const std::string& titolo, cValore& matrice, const std::string& messaggio) {
  ApriEditore(*this, MatrReale, MatrStringa, T_MATR_REALE, T_MATR_STRINGA, solaLettura, titolo, matrice, messaggio);
}

// Sizes beyond the stored elements are never trusted.
int TDlgEditMatr::Righe() const {
  if (Tipo == T_MATR_REALE) return MatrReale ? std::min(MatrReale->Rows, MatrReale->Matr.Righe()) : 0;
  if (!MatrStringa || MatrStringa->Cols <= 0) return 0;
  return std::min<int>(MatrStringa->Rows, static_cast<int>(MatrStringa->Matr.size()) / MatrStringa->Cols);
}

int TDlgEditMatr::Colonne() const {
  if (Tipo == T_MATR_REALE) return MatrReale ? std::min(MatrReale->Cols, MatrReale->Matr.Colonne()) : 0;
  return MatrStringa ? MatrStringa->Cols : 0;
}

bool TDlgEditMatr::Statistica() const { return Tipo == T_MATR_REALE && MatrReale && MatrReale->_bStatistica; }

void TDlgEditMatr::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

void TDlgEditMatr::FormActivate() {
  sGrid->SetDefaultColWidth(UpDown1->value());
  NomeFile.clear();
  setWindowTitle(Titolo);
  Memo1->setPlainText(Messaggio);
  sGrid->SetColWidths(0, kLarghezzaIndici);
  const int righe = Righe(), colonne = Colonne();
  sGrid->SetRowCount(righe + 1);
  sGrid->SetColCount(colonne + 1);
  if (righe >= 1) sGrid->SetFixedRows(1);
  if (colonne >= 1) sGrid->SetFixedCols(1);
  sGrid->SetCells(0, 0, QString());
  for (int c = 1; c <= colonne; ++c) sGrid->SetCells(c, 0, QString::number(c));
  for (int r = 1; r <= righe; ++r) sGrid->SetCells(0, r, QString::number(r));
  esatti_.assign(std::size_t(righe) * std::size_t(colonne), 0);
  testiEsatti_.assign(esatti_.size(), QString());
  for (int r = 1; r <= righe; ++r)
    for (int c = 1; c <= colonne; ++c) {
      if (Tipo == T_MATR_REALE)
        ImpostaCella(c, r, MatrReale->Matr(r, c));
      else
        sGrid->SetCells(c, r, QString::fromStdString(MatrStringa->Matr[Indice(c, r)]));
    }
  OKBtn->setVisible(!SolaLettura);
  CancelBtn->setVisible(!SolaLettura);
  Apri1->setEnabled(!SolaLettura);
  ImpostaSolaLettura(*sGrid, *pbChiudi, SolaLettura);
  if (Statistica()) {
    sGrid->SetCells(colonne, 0, kFreqMarg);
    sGrid->SetCells(0, righe, kFreqMarg);
    sGrid->SetColWidths(0, kLarghezzaMargini);
    sGrid->SetColWidths(colonne, kLarghezzaMargini);
  }
  AdattaColonne();
  sGrid->setFocus();
  if (righe >= 1 && colonne >= 1) sGrid->FocusCell(1, 1);
}

void TDlgEditMatr::AdattaColonne() {
  for (int c = 0; c < sGrid->ColCount(); ++c) {
    int larghezza = sGrid->ColWidths(c);
    for (int r = 0; r < sGrid->RowCount(); ++r) larghezza = std::max(larghezza, sGrid->CellTextWidth(c, r));
    sGrid->SetColWidths(c, larghezza);
  }
}

void TDlgEditMatr::ImpostaCella(int col, int row, Reale valore) {
  const QString testo = RealeInTesto(valore);
  sGrid->SetCells(col, row, testo);
  esatti_[Indice(col, row)] = valore;
  testiEsatti_[Indice(col, row)] = testo;
}

bool TDlgEditMatr::ValoreCella(int col, int row, Reale& valore) const {
  const QString testo = sGrid->Cells(col, row);
  if (testo == testiEsatti_[Indice(col, row)]) {
    valore = esatti_[Indice(col, row)];
    return true;
  }
  return TestoInReale(testo, valore);
}

void TDlgEditMatr::OKBtnClick() {
  const int righe = Righe(), colonne = Colonne();
  if (Tipo == T_MATR_REALE) {
    std::vector<Reale> valori(std::size_t(righe) * std::size_t(colonne));
    for (int r = 1; r <= righe; ++r)
      for (int c = 1; c <= colonne; ++c) {
        if (ValoreCella(c, r, valori[Indice(c, r)])) continue;
        MostraErrore(MessaggioRealeNonValido(sGrid->Cells(c, r)));
        sGrid->FocusCell(c, r);
        sGrid->setFocus();
        return;
      }
    for (int r = 1; r <= righe; ++r)
      for (int c = 1; c <= colonne; ++c) MatrReale->Matr(r, c) = valori[Indice(c, r)];
  } else {
    for (int r = 1; r <= righe; ++r)
      for (int c = 1; c <= colonne; ++c) MatrStringa->Matr[Indice(c, r)] = sGrid->Cells(c, r).toStdString();
  }
  accept();
}

void TDlgEditMatr::sGridValidateEdit(int col, int row, bool& accept) {
  if (Tipo != T_MATR_REALE || col < 1 || row < 1 || col > Colonne() || row > Righe()) return;
  Reale v = 0;
  if (!ValutaTesto(sGrid->Cells(col, row), v)) {
    accept = false;
    return;
  }
  ImpostaCella(col, row, v);
  if (Statistica()) CalcolaTotali();
}

void TDlgEditMatr::CalcolaTotali() {
  const int righe = Righe(), colonne = Colonne();
  for (int r = 1; r <= righe; ++r)
    for (int c = 1; c <= colonne; ++c)
      if (sGrid->Cells(c, r).isEmpty()) ImpostaCella(c, r, 0);
  // A cell that holds no number is left out of its sums; OK will point at it.
  const auto valore = [this](int c, int r) {
    Reale v = 0;
    return ValoreCella(c, r, v) ? v : Reale(0);
  };
  for (int r = 1; r < righe; ++r) {
    Reale somma = 0;
    for (int c = 1; c < colonne; ++c) somma += valore(c, r);
    ImpostaCella(colonne, r, somma);
  }
  for (int c = 1; c < colonne; ++c) {
    Reale somma = 0;
    for (int r = 1; r < righe; ++r) somma += valore(c, r);
    ImpostaCella(c, righe, somma);
  }
}

void TDlgEditMatr::sGridDrawCell(int col, int row, const QRect& rect) {
  if (!Statistica() || col < 1 || row < 1) return;
  const bool ultimaColonna = col == sGrid->ColCount() - 1, ultimaRiga = row == sGrid->RowCount() - 1;
  if (!ultimaColonna && !ultimaRiga) return;
  QPainter* canvas = sGrid->Canvas();
  if (!canvas) return;
  canvas->save();
  canvas->fillRect(rect, ToQColor(clBtnFace));
  // The bottom-right cell belongs to no total: its text is hidden.
  canvas->setPen(ToQColor(ultimaColonna && ultimaRiga ? clBtnFace : clBlue));
  canvas->drawText(rect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, sGrid->Cells(col, row));
  canvas->restore();
}

void TDlgEditMatr::Apri1Click() {
  QFileDialog& dlg = *dm_.OpenDlg();
  dlg.setDefaultSuffix(QStringLiteral("MTR"));
  dlg.setNameFilter(kFiltro);
  dlg.setWindowTitle(QStringLiteral("Apri matrice"));
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
  const QString nome = dlg.selectedFiles().front();
  // A file of another size would leave the grid out of step with the matrix: it is
  // refused before anything changes.
  std::string dati, errore;
  if (!LeggiFileIntero(nome.toStdString(), dati, errore)) {
    MostraErrore(QString::fromStdString(errore));
    return;
  }
  int righe = 0, colonne = 0;
  DimensioniTestoGriglia(dati, righe, colonne);
  if (righe != sGrid->RowCount() || colonne != sGrid->ColCount()) {
    MostraErrore(QStringLiteral("Dimensioni Errate"));
    return;
  }
  try {
    sGrid->LoadFromFile(nome);
  } catch (const std::exception& e) {
    MostraErrore(QString::fromUtf8(e.what()));
    return;
  }
  NomeFile = nome;
  AdattaColonne();
}

void TDlgEditMatr::Salva1Click() {
  if (NomeFile.isEmpty()) {
    QFileDialog& dlg = *dm_.SaveDlg();
    dlg.setDefaultSuffix(QStringLiteral("MTR"));
    dlg.setNameFilter(kFiltro);
    dlg.setWindowTitle(QStringLiteral("Salva matrice"));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    NomeFile = dlg.selectedFiles().front();
  }
  try {
    const QString perso = sGrid->SaveToFile(NomeFile);
    if (!perso.isEmpty())
      MostraErrore(QStringLiteral("Il carattere \"%1\" non si può scrivere nel file della matrice: è stato scritto "
                                  "come \"?\"")
                       .arg(perso));
  } catch (const std::exception& e) {
    MostraErrore(QString::fromUtf8(e.what()));
    NomeFile.clear();
  }
}

void TDlgEditMatr::Copiainappunti1Click() { sGrid->CopyToClipboard(); }

void TDlgEditMatr::UpDown1Changing(int posizione) {
  sGrid->SetDefaultColWidth(posizione);
  if (Statistica()) {
    sGrid->SetColWidths(0, kLarghezzaMargini);
    sGrid->SetColWidths(sGrid->ColCount() - 1, kLarghezzaMargini);
    sGrid->SetColWidths(0, kLarghezzaIndici);
  }
  AdattaColonne();
}

}  // namespace qx
