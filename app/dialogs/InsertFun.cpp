#include "app/dialogs/InsertFun.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/dialogs/ArchivioFunzioni.h"
#include "app/dialogs/MthX.h"
#include "app/dialogs/PulsantiDialogo.h"
#include "app/dialogs/TestoNumeri.h"
#include "values/espressioni/Analizzatore.h"

namespace qx {

TDlgInsertFun::TDlgInsertFun(TFRMArchivio& archivio, QWidget* parent) : QDialog(parent), archivio_(archivio) {
  setObjectName(QStringLiteral("DlgInsertFun"));
  dfNome = new QLineEdit(this);
  dfNome->setObjectName(QStringLiteral("dfNome"));
  dfNome->setMaxLength(kCampoNome);
  dfExpr = new QLineEdit(this);
  dfExpr->setObjectName(QStringLiteral("dfExpr"));
  lbFunzioni = new QListWidget(this);
  lbFunzioni->setObjectName(QStringLiteral("lbFunzioni"));
  lbFunzioni->setFocusPolicy(Qt::NoFocus);
  lbFunzioni->setFixedWidth(110);
  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
  ScrollBox1->setWidgetResizable(true);
  MthX1 = new TMthX;
  ScrollBox1->setWidget(MthX1);
  PulsantiOKAnnulla(this, OKBtn, CancelBtn);
  BitBtn1 = NuovoPulsante(this, QStringLiteral("Archivio"), QStringLiteral("BitBtn1"));
  SalvaBtn = NuovoPulsante(this, QStringLiteral("Salva"), QStringLiteral("SalvaBtn"));

  auto* campi = new QGridLayout;
  campi->addWidget(new QLabel(QStringLiteral("Nome"), this), 0, 0);
  campi->addWidget(dfNome, 1, 0);
  campi->addWidget(new QLabel(QStringLiteral("Espressione"), this), 2, 0);
  campi->addWidget(dfExpr, 3, 0);
  campi->addWidget(ScrollBox1, 4, 0);
  campi->setRowStretch(4, 1);
  auto* corpo = new QHBoxLayout;
  corpo->addLayout(campi, 1);
  corpo->addWidget(lbFunzioni);
  auto* pulsanti = new QHBoxLayout;
  pulsanti->addWidget(BitBtn1);
  pulsanti->addWidget(SalvaBtn);
  pulsanti->addStretch(1);
  pulsanti->addWidget(OKBtn);
  pulsanti->addWidget(CancelBtn);
  auto* colonna = new QVBoxLayout(this);
  colonna->addLayout(corpo, 1);
  colonna->addLayout(pulsanti);
  resize(520, 340);

  connect(dfExpr, &QLineEdit::textChanged, this, [this](const QString& t) { MthX1->SetText(t.toLower()); });
  connect(lbFunzioni, &QListWidget::itemClicked, this, [this](QListWidgetItem* voce) {
    if (voce) lbFunzioniClick(voce->text());
  });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  connect(SalvaBtn, &QPushButton::clicked, this, [this] { SalvaBtnClick(); });
}

TDlgInsertFun::~TDlgInsertFun() = default;

bool TDlgInsertFun::Apri(const std::string& caption, std::string& riga, int tipo, char modo) {
  SettaCampi(QString::fromStdString(riga), modo);
  if (!caption.empty())
    setWindowTitle(QString::fromStdString(caption));
  else
    setWindowTitle(tipo == 1 ? QStringLiteral("Immissione di una Funzione") : QStringLiteral("Immissione di una Espressione"));
  modo_ = tipo;
  const bool ok = exec() == QDialog::Accepted;
  if (ok) riga = SettaStringa().toStdString();
  LiberaAlbero(albero_);
  return ok;
}

void TDlgInsertFun::SettaCampi(const QString& riga, char modo) {
  LiberaAlbero(albero_);
  if (modo == 'I') {
    dfNome->clear();
    dfExpr->clear();
    return;
  }
  QString nome, formula;
  DividiRigaArchivio(riga, nome, formula);
  dfNome->setText(nome);
  dfExpr->setText(formula);
  MostraBtnClick();
}

QString TDlgInsertFun::SettaStringa() const { return RigaArchivio(dfNome->text(), dfExpr->text()); }

bool TDlgInsertFun::MostraBtnClick() {
  albero_ = AnalizzaEspressione(dfExpr->text().toStdString(), modo_ == 1 ? MODO_FUNZIONE : MODO_ESPRESSIONE);
  if (!albero_) dfExpr->setFocus();
  return albero_ != nullptr;
}

void TDlgInsertFun::OKBtnClick() {
  if (MostraBtnClick()) accept();
}

void TDlgInsertFun::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

void TDlgInsertFun::FormActivate() {
  MthX1->SetText(QString());
  dfExpr->setFocus();
  lbFunzioni->clear();
  lbFunzioni->addItems({QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("*"), QStringLiteral("/"),
                        QStringLiteral("^"), QStringLiteral("()"), QStringLiteral("-()")});
  if (modo_ == 1)
    for (int f = F_SIN; f < NUM_FUNZIONI; ++f) lbFunzioni->addItem(QString::fromLatin1(NOMI_FUNZIONE[f]) + "()");
}

void TDlgInsertFun::lbFunzioniClick(const QString& voce) {
  const int p = dfExpr->cursorPosition();
  const QString t = dfExpr->text();
  dfExpr->setText(t.left(p) + voce + t.mid(p));
  dfExpr->setFocus();
  // Inside the parentheses of "Sin()", "()" and "-()", after a one-character operator.
  const auto L = static_cast<int>(voce.size());
  dfExpr->setCursorPosition(L == 1 ? p + 1 : p + L - 1);
}

void TDlgInsertFun::BitBtn1Click() {
  if (!EsisteArchivio()) return;
  QString riga;
  if (archivio_.Apri(riga)) SettaCampi(riga, 'M');
}

void TDlgInsertFun::SalvaBtnClick() {
  if (!MostraBtnClick()) return;
  const QString riga = SettaStringa();
  // The list is read again first, so that a line the file already holds is not added twice.
  if (!archivio_.Carica()) return;
  QListWidget* lista = archivio_.LBExpr;
  const auto trovate = lista->findItems(riga, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (!trovate.isEmpty()) return;
  lista->addItem(riga);
  lista->setCurrentRow(lista->count() - 1);
  QStringList righe;
  for (int i = 0; i < lista->count(); ++i) righe.push_back(lista->item(i)->text());
  QString errore;
  if (!SalvaArchivio(righe, errore)) MostraErrore(errore);
}

}  // namespace qx
