#include "app/dialogs/AboutBox.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx {

TAboutBox::TAboutBox(QString versione, QWidget* parent) : QDialog(parent), versione_(std::move(versione)) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("About"));
  Panel1 = new QFrame(this);
  Panel1->setFrameShape(QFrame::StyledPanel);
  Panel1->setFrameShadow(QFrame::Sunken);
  ProductName = new QLabel(QStringLiteral("Quorix"), Panel1);
  ProductName->setObjectName(QStringLiteral("ProductName"));
  QFont grande = ProductName->font();
  grande.setPointSizeF(grande.pointSizeF() * 1.6);
  grande.setBold(true);
  ProductName->setFont(grande);
  Version = new QLabel(Panel1);
  Version->setObjectName(QStringLiteral("Version"));
  Label2 = new QLabel(
      QStringLiteral("Linguaggio di programmazione procedurale orientato all'apprendimento della matematica"), Panel1);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setWordWrap(true);
  auto* dentro = new QVBoxLayout(Panel1);
  dentro->addWidget(ProductName);
  dentro->addWidget(Version);
  dentro->addWidget(Label2);
  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setDefault(true);
  auto* pulsanti = new QHBoxLayout;
  pulsanti->addStretch(1);
  pulsanti->addWidget(OKButton);
  pulsanti->addStretch(1);
  auto* colonna = new QVBoxLayout(this);
  colonna->addWidget(Panel1, 1);
  colonna->addLayout(pulsanti);
  setFixedWidth(340);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Version->setText(QStringLiteral("Versione ") + versione_);
}

}  // namespace qx
