// What every dialog test starts from: the run state as at start-up, a scripted window that
// records the parser's messages, a recorder for the dialogs' own message boxes, the dialogs,
// and the user who answers them.
#pragma once
#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <memory>
#include <ostream>

#include "app/dialogs/Dialoghi.h"
#include "controls/ZfMessageBox.h"
#include "tests/dialogs/Utente.h"
#include "tests/support/ScriptedWindow.h"

// QStrings in the failures of the tests, as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace qx::test {

class Banco : public ::testing::Test {
 protected:
  Banco();
  ~Banco() override;

  // The texts of the message boxes shown so far, the parser's and the dialogs' own.
  std::vector<std::string> Messaggi() const;

  ScriptedWindow finestra;
  FinestraInstallata installata{finestra};
  TMessageBoxRecorder scatole;
  std::unique_ptr<TDialoghi> dialoghi;
  Utente utente;
};

// The pixel columns from the first to the last that hold ink (far from the colour of the
// rectangle's top left corner) in a rectangle of the picture, -1 when none does: how wide
// a text was drawn.
int LarghezzaInchiostro(const QImage& immagine, const QRect& r);
// The same for the text drawn in the font with nothing to cut it.
int LarghezzaInchiostroLibero(const QFont& font, const QString& testo);

}  // namespace qx::test
