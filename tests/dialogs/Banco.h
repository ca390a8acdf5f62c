// What every dialog test starts from: the run state as at start-up, a scripted window that
// records the parser's messages, a recorder for the dialogs' own message boxes, the dialogs,
// and the user who answers them.
#pragma once
#include <gtest/gtest.h>

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

}  // namespace qx::test
