#include "app/dialogs/CorniceGriglia.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/PulsantiDialogo.h"
#include "controls/StringGrid.h"

namespace qx {

TCorniceGriglia CostruisciCorniceGriglia(QDialog& dlg, TStringGrid& griglia, QWidget* sinistra) {
  TCorniceGriglia c{};
  c.Memo1 = new QPlainTextEdit(&dlg);
  c.Memo1->setObjectName(QStringLiteral("Memo1"));
  c.Memo1->setReadOnly(true);
  c.Memo1->setFocusPolicy(Qt::NoFocus);
  c.Memo1->setFixedHeight(48);
  PulsantiOKAnnulla(&dlg, c.OKBtn, c.CancelBtn);
  c.pbChiudi = NuovoPulsante(&dlg, QStringLiteral("&Chiudi"), QStringLiteral("pbChiudi"));
  auto* pulsanti = new QHBoxLayout;
  if (sinistra) pulsanti->addWidget(sinistra);
  pulsanti->addStretch(1);
  pulsanti->addWidget(c.OKBtn);
  pulsanti->addWidget(c.CancelBtn);
  pulsanti->addWidget(c.pbChiudi);
  auto* colonna = new QVBoxLayout(&dlg);
  colonna->addWidget(c.Memo1);
  colonna->addWidget(&griglia, 1);
  colonna->addLayout(pulsanti);
  QObject::connect(c.CancelBtn, &QPushButton::clicked, &dlg, &QDialog::reject);
  QObject::connect(c.pbChiudi, &QPushButton::clicked, &dlg, &QDialog::reject);
  return c;
}

void ImpostaSolaLettura(TStringGrid& griglia, QPushButton& chiudi, bool solaLettura) {
  chiudi.setVisible(solaLettura);
  const TGridOptions senza = griglia.Options() & ~TGridOptions(goEditing);
  griglia.SetOptions(solaLettura ? senza : senza | goEditing);
}

}  // namespace qx
