#include "app/dialogs/MostraFormula.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/dialogs/MthX.h"
#include "interpreter/costruzioni/FunzioneXY.h"
#include "values/ValoreFunzione.h"
#include "values/espressioni/Stampa.h"

namespace qx {

QString PiegaSegni(const QString& testo) {
  QString t = testo;
  for (qsizetype i = 0; i + 1 < t.size();) {
    const QChar a = t[i], b = t[i + 1];
    const bool meno = a == QLatin1Char('-'), piu = a == QLatin1Char('+');
    if ((meno || piu) && (b == QLatin1Char('-') || b == QLatin1Char('+'))) {
      t[i] = a == b ? QLatin1Char('+') : QLatin1Char('-');
      t[i + 1] = QLatin1Char(' ');
      i += 2;
    } else {
      ++i;
    }
  }
  return t;
}

QString TestoFormula(const cValore& valore) {
  const NodoEspr* albero = nullptr;
  if (const auto* f = dynamic_cast<const cValoreFunzione*>(&valore))
    albero = f->Albero();
  else if (const auto* f3 = FunzioneXYDi(&valore))
    albero = f3->Albero();
  return QString::fromStdString(AlberoInTesto(albero)).toLower();
}

TdlgMostraFormula::TdlgMostraFormula(const QString& caption, QWidget* parent) : QDialog(parent) {
  setWindowTitle(caption);
  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
  ScrollBox1->setWidgetResizable(true);
  ScrollBox1->setBackgroundRole(QPalette::Base);
  MthX1 = new TMthX;
  ScrollBox1->setWidget(MthX1);
  OKBtn = new QPushButton(QStringLiteral("&Chiudi"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setDefault(true);
  auto* pulsanti = new QHBoxLayout;
  pulsanti->addStretch(1);
  pulsanti->addWidget(OKBtn);
  auto* colonna = new QVBoxLayout(this);
  colonna->addWidget(ScrollBox1, 1);
  colonna->addLayout(pulsanti);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TdlgMostraFormula::Mostra(const std::string& caption, const cValore& valore) {
  setWindowTitle(QString::fromStdString(caption));
  Valore = &valore;
  exec();
  Valore = nullptr;
}

void TdlgMostraFormula::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  MthX1->SetText(Valore ? Testo(*Valore) : QString());
}

TdlgShowFun::TdlgShowFun(QWidget* parent) : TdlgMostraFormula(QStringLiteral("Funzione"), parent) {
  setObjectName(QStringLiteral("dlgShowFun"));
  resize(537, 324);
}

TdlgShowFraz::TdlgShowFraz(QWidget* parent) : TdlgMostraFormula(QStringLiteral("Frazione"), parent) {
  setObjectName(QStringLiteral("dlgShowFraz"));
  resize(320, 200);
}

}  // namespace qx
