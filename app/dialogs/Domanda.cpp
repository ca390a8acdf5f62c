#include "app/dialogs/Domanda.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "runstate/WindowServices.h"

namespace qx {

TdlgDomanda::TdlgDomanda(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlgDomanda"));
  setWindowTitle(QStringLiteral("Domanda"));
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setFrameShape(QFrame::NoFrame);
  Memo1->setReadOnly(true);
  Memo1->setFocusPolicy(Qt::NoFocus);
  Memo1->viewport()->setAutoFillBackground(false);
  Button1 = new QPushButton(QStringLiteral("&Si"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("&No"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  auto* pulsanti = new QHBoxLayout;
  pulsanti->addStretch(1);
  pulsanti->addWidget(Button1);
  pulsanti->addWidget(Button2);
  pulsanti->addStretch(1);
  auto* colonna = new QVBoxLayout(this);
  colonna->addWidget(Memo1, 1);
  colonna->addLayout(pulsanti);
  resize(360, 160);
  connect(Button1, &QPushButton::clicked, this, [this] { done(mrYes); });
  connect(Button2, &QPushButton::clicked, this, [this] { done(mrNo); });
}

int TdlgDomanda::Apri(const std::string& caption, const std::string& domanda) {
  setWindowTitle(QString::fromStdString(caption));
  Memo1->setPlainText(QString::fromStdString(domanda));
  return exec();
}

}  // namespace qx
