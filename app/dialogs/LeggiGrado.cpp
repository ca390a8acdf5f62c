#include "app/dialogs/LeggiGrado.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/PulsantiDialogo.h"
#include "app/dialogs/TestoNumeri.h"

namespace qx {

namespace {
const QString kTitolo = QStringLiteral("Leggi Misura Angolo");
}

TdlgLeggiGrado::TdlgLeggiGrado(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlgLeggiGrado"));
  setWindowTitle(kTitolo);
  const auto casella = [this](const char* nome, int lunghezza) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(nome));
    e->setMaxLength(lunghezza);
    e->setFixedWidth(48);
    return e;
  };
  edG = casella("edG", 3);
  edP = casella("edP", 2);
  edS = casella("edS", 2);
  PulsantiOKAnnulla(this, OKBtn, CancelBtn);

  auto* griglia = new QGridLayout;
  const QString etichette[3] = {QStringLiteral("Gradi"), QStringLiteral("Primi"), QStringLiteral("Secondi")};
  const QString segni[3] = {QStringLiteral("°"), QStringLiteral("'"), QStringLiteral("\"")};
  QLineEdit* caselle[3] = {edG, edP, edS};
  for (int i = 0; i < 3; ++i) {
    griglia->addWidget(new QLabel(etichette[i], this), 0, 2 * i);
    griglia->addWidget(caselle[i], 1, 2 * i);
    griglia->addWidget(new QLabel(segni[i], this), 1, 2 * i + 1);
  }
  auto* pulsanti = new QHBoxLayout;
  pulsanti->addStretch(1);
  pulsanti->addWidget(OKBtn);
  pulsanti->addWidget(CancelBtn);
  auto* colonna = new QVBoxLayout(this);
  colonna->addLayout(griglia);
  colonna->addLayout(pulsanti);

  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

bool TdlgLeggiGrado::Apri(const std::string& caption, int& gradi, int& primi, Reale& secondi) {
  edG->setText(QString::number(gradi));
  edP->setText(QString::number(primi));
  edS->setText(RealeInTesto(secondi));
  // The three short boxes make a narrow dialog, whose title was cut to "Leggi ... Angolo".
  TitoloIntero(*this, caption.empty() ? kTitolo : QString::fromStdString(caption));
  if (exec() != QDialog::Accepted) return false;
  gradi = gradi_;
  primi = primi_;
  secondi = secondi_;
  return true;
}

void TdlgLeggiGrado::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  edG->setFocus();
}

void TdlgLeggiGrado::OKBtnClick() {
  const auto rifiuta = [](QLineEdit* casella, const QString& messaggio) {
    MostraErrore(messaggio);
    casella->setFocus();
    casella->selectAll();
  };
  if (!TestoInIntero(edG->text(), gradi_)) return rifiuta(edG, MessaggioInteroNonValido(edG->text()));
  if (!TestoInIntero(edP->text(), primi_)) return rifiuta(edP, MessaggioInteroNonValido(edP->text()));
  if (!TestoInReale(edS->text(), secondi_)) return rifiuta(edS, MessaggioRealeNonValido(edS->text()));
  accept();
}

}  // namespace qx
