// What the tests of the window's files share: a scratch folder that is also the program
// folder, the user's answer to the open and save dialogs (the name typed in the dialog's
// name box, then Enter), and files read and written whole.
#pragma once
#include <QDialog>
#include <QImage>
#include <QPointF>
#include <QTemporaryDir>
#include <string>

#include "tests/app/Supporto.h"

namespace qx::test {

// A scratch folder made the program folder for as long as it lives.
class CartellaProgramma {
 public:
  CartellaProgramma();
  ~CartellaProgramma();
  // The folder, and a path inside it.
  std::string Percorso(const std::string& nome = "") const;

 private:
  QTemporaryDir dir_;
  std::string prima_;
};

// Answers the next dialog with a file name typed into its name box, then Enter.
void RispondiConFile(RispondiModali& risposte, const std::string& nome);

std::string LeggiFile(const std::string& percorso);
void ScriviFile(const std::string& percorso, const std::string& dati);

// One statement typed into the command bar and run with Enter; a chart's wait is answered by
// dragging its extent from one world point to another.
void Istruzione(Tfrm3& f, const std::string& testo, QPointF da = {}, QPointF a = {});

// The canvas as the window shows it once the messages queued by now are handled.
QImage CanvasMostrato(Tfrm3& f);

// The first pixel where two pictures differ ("" when none).
std::string PrimaDifferenza(const QImage& a, const QImage& b);

// Makes the window the active one, as the desktop does when a dialog over it closes or a
// dialog opens (the off-screen platform leaves that to the program).
void Attiva(QWidget& finestra);

// Types into whatever widget has the focus, key by key (an editor a key opened gets the rest).
void DigitaNelFuoco(const QString& testo);
// One key to whatever widget has the focus.
void TastoNelFuoco(Qt::Key tasto, Qt::KeyboardModifiers modificatori = Qt::NoModifier);

}  // namespace qx::test
