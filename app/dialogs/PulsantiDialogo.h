// The buttons that the dialogs make alike, with the object names that the window and the
// tests find them by.
#pragma once
#include <QString>

class QPushButton;
class QWidget;

namespace qx {

QPushButton* NuovoPulsante(QWidget* parent, const QString& testo, const QString& nome);
// "OK" (OKBtn), the default button, and "Annulla" (CancelBtn), in that order.
void PulsantiOKAnnulla(QWidget* parent, QPushButton*& ok, QPushButton*& annulla);

}  // namespace qx
