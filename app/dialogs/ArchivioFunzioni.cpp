#include "app/dialogs/ArchivioFunzioni.h"

#include <QFont>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "app/dialogs/TestoNumeri.h"
#include "platform/qt/FontToolkit.h"
#include "app/file/FileSicuro.h"
#include "platform/Cp1252.h"
#include "runstate/DatiGlob.h"

namespace qx {

std::string PercorsoArchivio() { return DatiGlob.CartellaProgramma + "Archivio.txt"; }

bool EsisteArchivio() {
  std::error_code ec;
  return std::filesystem::is_regular_file(PercorsoArchivio(), ec);
}

bool LeggiArchivio(QStringList& righe, QString& errore) {
  righe.clear();
  std::string dati, messaggio;
  if (!LeggiFileIntero(PercorsoArchivio(), dati, messaggio)) {
    errore = QString::fromStdString(messaggio);
    return false;
  }
  // Lines end at CR LF, LF or CR; a last line without an end counts, an empty end does not.
  const QString testo = QString::fromStdString(Cp1252ToUtf8(dati));
  qsizetype inizio = 0;
  for (qsizetype i = 0; i < testo.size(); ++i) {
    const QChar c = testo[i];
    if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
    righe.push_back(testo.mid(inizio, i - inizio));
    if (c == QLatin1Char('\r') && i + 1 < testo.size() && testo[i + 1] == QLatin1Char('\n')) ++i;
    inizio = i + 1;
  }
  if (inizio < testo.size()) righe.push_back(testo.mid(inizio));
  return true;
}

bool SalvaArchivio(const QStringList& righe, QString& errore) {
  std::string dati, primoPerso;
  QString voce;
  for (const QString& riga : righe) {
    std::string perso;
    dati += Utf8ToCp1252(riga.toStdString(), &perso);
    dati += "\r\n";
    if (!perso.empty() && primoPerso.empty()) {
      primoPerso = perso;
      voce = riga.left(kCampoNome).trimmed();
    }
  }
  std::string messaggio;
  if (!SalvaFileSicuro(PercorsoArchivio(), dati, messaggio)) {
    errore = QString::fromStdString(messaggio);
    return false;
  }
  if (!primoPerso.empty())
    MostraErrore(QStringLiteral("Il carattere \"%1\" della voce %2 non si può scrivere in Archivio.txt: è stato "
                                "scritto come \"?\"")
                     .arg(QString::fromStdString(primoPerso), voce));
  return true;
}

QString RigaArchivio(const QString& nome, const QString& formula) {
  return nome.leftJustified(kCampoNome, QLatin1Char(' ')) + formula;
}

void DividiRigaArchivio(const QString& riga, QString& nome, QString& formula) {
  nome = riga.left(kCampoNome);
  formula = riga.mid(kCampoNome);
}

// ---- The archive window ----

TFRMArchivio::TFRMArchivio(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FRMArchivio"));
  setWindowTitle(QStringLiteral("Funzioni in Archivio"));
  LBExpr = new QListWidget(this);
  LBExpr->setObjectName(QStringLiteral("LBExpr"));
  // The names are padded to one width: a fixed font keeps the formulas in one column.
  // (named: what the desktop's fixed alias resolves to is not always fixed pitch).
  QFont fisso(FamigliaDesktop("Courier New"));
  fisso.setStyleHint(QFont::TypeWriter);
  LBExpr->setFont(fisso);
  SelezionaBtn = new QPushButton(QStringLiteral("Seleziona"), this);
  SelezionaBtn->setObjectName(QStringLiteral("SelezionaBtn"));
  SelezionaBtn->setDefault(true);
  EliminaBtn = new QPushButton(QStringLiteral(" Elimina"), this);
  EliminaBtn->setObjectName(QStringLiteral("EliminaBtn"));
  ChiudiBtn = new QPushButton(QStringLiteral("&Chiudi"), this);
  ChiudiBtn->setObjectName(QStringLiteral("ChiudiBtn"));
  auto* pulsanti = new QHBoxLayout;
  pulsanti->addStretch(1);
  pulsanti->addWidget(SelezionaBtn);
  pulsanti->addWidget(EliminaBtn);
  pulsanti->addWidget(ChiudiBtn);
  auto* colonna = new QVBoxLayout(this);
  colonna->addWidget(LBExpr, 1);
  colonna->addLayout(pulsanti);
  resize(480, 320);

  // The buttons act on the selected entry: they are enabled while one is, however it was
  // chosen (a click, the arrow keys), so that what looks chosen is what they act on.
  connect(LBExpr, &QListWidget::itemSelectionChanged, this, [this] { LBExprClick(); });
  connect(LBExpr, &QListWidget::itemDoubleClicked, this, [this] { SelezionaBtnClick(); });
  connect(SelezionaBtn, &QPushButton::clicked, this, [this] { SelezionaBtnClick(); });
  connect(EliminaBtn, &QPushButton::clicked, this, [this] { EliminaBtnClick(); });
  connect(ChiudiBtn, &QPushButton::clicked, this, &QDialog::reject);
}

bool TFRMArchivio::Carica() {
  LBExpr->clear();
  if (!EsisteArchivio()) return true;
  QStringList righe;
  QString errore;
  if (!LeggiArchivio(righe, errore)) {
    MostraErrore(errore);
    return false;
  }
  LBExpr->addItems(righe);
  return true;
}

bool TFRMArchivio::Apri(QString& riga) {
  scelto_ = false;
  scelta_.clear();
  const bool letto = Carica();
  NessunaVoce();
  exec();
  if (scelto_) riga = scelta_;
  if (letto) {
    QStringList righe;
    for (int i = 0; i < LBExpr->count(); ++i) righe.push_back(LBExpr->item(i)->text());
    QString errore;
    if (!SalvaArchivio(righe, errore)) MostraErrore(errore);
  }
  return scelto_;
}

void TFRMArchivio::LBExprClick() {
  const bool scelta = !LBExpr->selectedItems().isEmpty();
  SelezionaBtn->setEnabled(scelta);
  EliminaBtn->setEnabled(scelta);
}

void TFRMArchivio::NessunaVoce() {
  // A list given the focus with no current entry makes its first one current, drawn as if
  // chosen while nothing is: an explicit "none" keeps it from doing so.
  LBExpr->clearSelection();
  LBExpr->setCurrentIndex(QModelIndex());
  LBExprClick();
}

void TFRMArchivio::SelezionaBtnClick() {
  QListWidgetItem* voce = LBExpr->currentItem();
  if (!voce || !voce->isSelected()) return;
  scelta_ = voce->text();
  scelto_ = true;
  accept();
}

void TFRMArchivio::EliminaBtnClick() {
  const int riga = LBExpr->currentRow();
  if (riga < 0 || !LBExpr->currentItem()->isSelected()) return;
  delete LBExpr->takeItem(riga);
  // The entry after it would become current and look chosen: none is until a new choice.
  NessunaVoce();
}

}  // namespace qx
