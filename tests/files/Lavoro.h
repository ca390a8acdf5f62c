// The work of a test: a program run in the headless environment, saved as the window saves
// it, and opened again as the window opens a file (the whole file parsed first; only then
// the environment reset and the values put in). Also a scratch folder for files on disk.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "app/file/FileProgramma.h"
#include "tests/support/Esecuzione.h"

namespace qx::test {

class Lavoro : public ::testing::Test {
 protected:
  Esecuzione run;
  std::string testo_;   // the program editor's text
  std::string stampa_;  // the output pane's text

  void TearDown() override;

  // Runs a program; its text becomes the editor's.
  bool Esegui(const std::string& programma);
  TStatoProgramma Stato();
  std::string Salva() { return ScriviProgramma(Stato()).Dati; }
  // Opens a file's bytes: "" when it opened, else the reason (and nothing changed).
  std::string Apri(const std::string& dati);

  // Three stand-ins for the planes that every reset creates.
  void AggiungiPiani();
  // Variable names, oldest first, separated by blanks.
  std::string Nomi();
  template <class T>
  T& Di(const std::string& nome) {
    cValore* v = run.Valore(nome);
    T* t = dynamic_cast<T*>(v);
    if (!t) throw std::runtime_error("no value " + nome + " of the expected class");
    return *t;
  }
  // The user drags a chart's extent from (-5, 5) to (5, -3).
  void TrascinaDiagramma();

  static int Conta(const std::string& dati, const std::string& cosa);
  // Where the n-th (1-based) occurrence starts.
  static std::size_t Posizione(const std::string& dati, const std::string& cosa, int n);

  // A scratch folder of the test, removed at its end.
  const std::string& Cartella();
  std::size_t FileNellaCartella();
  static void ScriviFile(const std::string& percorso, const std::string& dati);
  static std::string LeggiFile(const std::string& percorso);
  static void SolaLettura(const std::string& cartella);
  // Runs `azione` as a user without special rights (in a child process when the tests run
  // as root, who may write anywhere) and gives its answer.
  static std::string ComeUtenteComune(const std::function<std::string()>& azione);

 private:
  bool piani_ = false;
  std::string cartella_;
};

}  // namespace qx::test
