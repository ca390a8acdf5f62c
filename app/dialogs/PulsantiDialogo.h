// The buttons that the dialogs make alike, with the object names that the window and the
// tests find them by; and the room a dialog keeps for its title.
#pragma once
#include <QString>

class QPushButton;
class QWidget;

namespace qx {

QPushButton* NuovoPulsante(QWidget* parent, const QString& testo, const QString& nome);
// "OK" (OKBtn), the default button, and "Annulla" (CancelBtn), in that order.
void PulsantiOKAnnulla(QWidget* parent, QPushButton*& ok, QPushButton*& annulla);
// Takes the title, and keeps the dialog wide enough for all of it beside the frame's buttons:
// a small dialog whose title is its only prompt showed "Scrivi un... razione".
void TitoloIntero(QWidget& dialogo, const QString& titolo);

}  // namespace qx
