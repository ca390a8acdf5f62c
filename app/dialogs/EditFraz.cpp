#include "app/dialogs/EditFraz.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/PulsantiDialogo.h"

namespace qx {

namespace {
// Room for a fraction of a few digits over and under the line.
constexpr int kLarghezzaMinima = 220;
}  // namespace

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
  // Enter after the numerator goes on to the denominator, as in the boxes of a written
  // fraction: it accepted "5/" at once, and the run stopped on it.
  ed1->installEventFilter(this);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

bool TdlgEditFraz::Apri(const std::string& caption, std::string& testo, char /*modo*/) {
  ed1->clear();
  ed2->clear();
  // Without a caption of its own the dialog keeps its name. The caption is the pupil's only
  // prompt here: it is shown whole.
  TitoloIntero(*this, caption.empty() ? QStringLiteral("Frazione") : QString::fromStdString(caption));
  setMinimumWidth(std::max(minimumWidth(), kLarghezzaMinima));
  if (exec() != QDialog::Accepted) return false;
  testo = (ed1->text() + QLatin1Char('/') + ed2->text()).toStdString();
  return true;
}

bool TdlgEditFraz::eventFilter(QObject* oggetto, QEvent* evento) {
  if (oggetto == ed1 && evento->type() == QEvent::KeyPress) {
    const int tasto = static_cast<QKeyEvent*>(evento)->key();
    if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
      ed2->setFocus();
      return true;
    }
  }
  return QDialog::eventFilter(oggetto, evento);
}

void TdlgEditFraz::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ed1->setFocus();
}

}  // namespace qx
