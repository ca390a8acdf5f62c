// Runs program text end to end through the scripted window, as the window's run command
// does, and keeps what the run showed.
#pragma once
#include <string>
#include <vector>

#include "interpreter/Ambiente.h"
#include "tests/support/ScriptedWindow.h"

namespace qx::test {

struct Esito {
  bool riuscito = false;
  std::vector<std::string> output;
  std::string errore;  // the message of the first error, empty when none
  int riga = 0;        // 1-based error line, 0 when none
};

class Esecuzione {
 public:
  Esecuzione();
  ~Esecuzione();
  Esecuzione(const Esecuzione&) = delete;
  Esecuzione& operator=(const Esecuzione&) = delete;

  ScriptedWindow finestra;
  TAmbiente ambiente;

  Esito Esegui(const std::string& programma);
  // The value of a variable, nullptr when there is none.
  cValore* Valore(const std::string& nome);
  // The variable's value as the object list shows it ("2.5", "VERO", ...).
  std::string Testo(const std::string& nome);
  // "NAME=TEXT" per variable, oldest first.
  std::vector<std::string> Variabili();

 private:
  FinestraInstallata installata_;
};

}  // namespace qx::test
