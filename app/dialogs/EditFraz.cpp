#include "app/dialogs/EditFraz.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/PulsantiDialogo.h"

namespace qx {

TdlgEditFraz::TdlgEditFraz(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlgEditFraz"));
  setWindowTitle(QStringLiteral("Frazione"));
  const auto casella = [this](const char* nome) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(nome));
    e->setFrame(false);
    e->setAlignment(Qt::AlignHCenter);
    return e;
  };
  ed1 = casella("ed1");
  Label1 = new QLabel(QStringLiteral("--------------"), this);
  Label1->setAlignment(Qt::AlignHCenter);
  ed2 = casella("ed2");
  PulsantiOKAnnulla(this, OKBtn, CancelBtn);
  auto* pulsanti = new QHBoxLayout;
  pulsanti->addStretch(1);
  pulsanti->addWidget(OKBtn);
  pulsanti->addWidget(CancelBtn);
  auto* colonna = new QVBoxLayout(this);
  colonna->addWidget(ed1);
  colonna->addWidget(Label1);
  colonna->addWidget(ed2);
  colonna->addLayout(pulsanti);
  setMinimumWidth(220);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

bool TdlgEditFraz::Apri(const std::string& caption, std::string& testo, char /*modo*/) {
  ed1->clear();
  ed2->clear();
  // Without a caption of its own the dialog keeps its name.
  setWindowTitle(caption.empty() ? QStringLiteral("Frazione") : QString::fromStdString(caption));
  if (exec() != QDialog::Accepted) return false;
  testo = (ed1->text() + QLatin1Char('/') + ed2->text()).toStdString();
  return true;
}

void TdlgEditFraz::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ed1->setFocus();
}

}  // namespace qx
