#include "app/dialogs/PulsantiDialogo.h"

#include <QFontMetrics>
#include <QPushButton>

namespace qx {

QPushButton* NuovoPulsante(QWidget* parent, const QString& testo, const QString& nome) {
  auto* p = new QPushButton(testo, parent);
  p->setObjectName(nome);
  return p;
}

void PulsantiOKAnnulla(QWidget* parent, QPushButton*& ok, QPushButton*& annulla) {
  ok = NuovoPulsante(parent, QStringLiteral("OK"), QStringLiteral("OKBtn"));
  ok->setDefault(true);
  annulla = NuovoPulsante(parent, QStringLiteral("Annulla"), QStringLiteral("CancelBtn"));
}

void TitoloIntero(QWidget& dialogo, const QString& titolo) {
  dialogo.setWindowTitle(titolo);
  constexpr int kSpazioPulsantiCornice = 120;
  dialogo.setMinimumWidth(dialogo.fontMetrics().horizontalAdvance(titolo) + kSpazioPulsantiCornice);
}

}  // namespace qx
