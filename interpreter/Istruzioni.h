// The statement level: the run loop, one statement, the control structures, assignment and
// the per-statement hooks. Everything executes straight from the text; loops re-read their
// text from a saved position, and untaken branches are read with Esegui false.
#pragma once
#include <memory>
#include <string>

#include "interpreter/Argomenti.h"
#include "interpreter/IstruzioniRicordate.h"
#include "interpreter/PassateCompilate.h"
#include "runstate/DatiGlob.h"
#include "values/Valori.h"

namespace qx {

bool RunProgram(bool Esegui);
void ExecStatement(bool Esegui);
void ExecDoWhile(bool Esegui);
void ExecFor(bool Esegui);
void ExecRepeat(bool Esegui);
void ExecIf(bool Esegui);
// Passo is -1 for an assignment statement, else the pass number of a PER loop. `token`
// reads the statement's ";" and `variabile` finds the variable (see IstruzioniRicordate.h).
void ExecAssignment(bool Esegui, ListaArgomenti& argomenti, int Passo, SequenzaToken* token = nullptr,
                    VariabileRicordata* variabile = nullptr);
// The store of a number into the number variable `nome` (a name without "_"), as
// StoreVariable does it; false, with nothing done, when that is not the case.
bool MemorizzaNumero(const std::string& nome, Reale numero, VariabileRicordata* variabile = nullptr);
// Stores a copy of valore under nome (empty: an anonymous "$" name); with indices in
// argomenti it writes an element of a vector, matrix or list.
void StoreVariable(bool Esegui, const std::string& nome, cValore& valore, const ListaArgomenti* argomenti);
// Makes the line being read the current one (the window shows it in step mode and while
// highlighting); inline, as every statement and expression starts with it.
// MostraRiga shows a given line; ShowCurrentLine the line being read.
void MostraRigaLento(int riga);
inline void MostraRiga(int riga) {
  const TDatiGlob& g = DatiGlob;
  if (riga == g.RigaCorrente && !g.bPassoPasso &&
      (g.bImmediato || !g.bEvidenziaRiga || g.RigaCorrente == g.UltimaRigaMostrata))
    return;  // already shown: nothing would change
  MostraRigaLento(riga);
}
inline void ShowCurrentLine() {
  NotaRigaMostrata(DatiGlob.IndiceRiga);
  MostraRiga(DatiGlob.IndiceRiga);
}
void WaitStep();
void RidisegnaRifCart();

}  // namespace qx
