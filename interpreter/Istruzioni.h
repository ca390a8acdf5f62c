// The statement level: the run loop, one statement, the control structures, assignment and
// the per-statement hooks. Everything executes straight from the text; loops re-read their
// text from a saved position, and untaken branches are read with Esegui false.
#pragma once
#include <memory>
#include <string>

#include "interpreter/Argomenti.h"
#include "interpreter/EspressioniCompilate.h"
#include "interpreter/VariabileRicordata.h"
#include "runstate/DatiGlob.h"
#include "values/Valori.h"
#include "values/ValoriScalari.h"

namespace qx {

bool RunProgram(bool Esegui);
void ExecStatement(bool Esegui);
void ExecDoWhile(bool Esegui);
void ExecFor(bool Esegui);
void ExecRepeat(bool Esegui);
void ExecIf(bool Esegui);
// The arguments of a statement as they were evaluated (a member as its string cell).
using ArgomentiIstruzione = std::vector<Valutato>;
// Passo is -1 for an assignment statement, else the pass number of a PER loop; `variabile`
// keeps the variable the statement stores into (nullptr: looked up).
void ExecAssignment(bool Esegui, ArgomentiIstruzione& argomenti, int Passo, VariabileRicordata* variabile = nullptr);
// The store of an assignment's value under `nome` (with `argomenti`, an element): a number
// into a number variable or element in place when MemorizzaVeloce can (false: nothing done),
// anything else by StoreVariable.
bool MemorizzaVeloce(const std::string& nome, const Valutato& valore, const ArgomentiIstruzione& argomenti,
                     VariabileRicordata* variabile);
void MemorizzaValore(const std::string& nome, Valutato& valore, ArgomentiIstruzione& argomenti);
// After an assignment's expression made a drawable value: the anonymous object it made (the
// object counter moved from `contatorePrima`) is kept under the assigned name instead.
void TogliAnonimoAssegnato(const Valutato& valore, int contatorePrima);
// The cell of a member written after a dot: "@" and the member's word.
Valutato CellaMembro(const std::string& membro);
// The number held by the variable `nome` (always the same name for `variabile`), or nullptr.
const cValoreReale* NumeroVariabile(VariabileRicordata& variabile, const std::string& nome);
// The store of a number into the number variable `nome` (a name without "_"), as
// StoreVariable does it; false, with nothing done, when that is not the case. `variabile`
// keeps the variable of a place that always stores into the same name.
bool MemorizzaNumeroLento(const std::string& nome, Reale numero, VariabileRicordata* variabile);
inline bool MemorizzaNumero(const std::string& nome, Reale numero, VariabileRicordata* variabile = nullptr) {
  if (variabile) {
    cVariabile* var = variabile->TrovaStessoNome(nome);
    if (!var || !variabile->Semplice() || var->Tipo != T_REALE) return false;
    cValore& memorizzato = *var->GetValore();
    static_cast<cValoreReale&>(memorizzato).Value = numero;
    // The name is nearly always right already; comparing costs less than copying.
    if (!StessoTesto(memorizzato.Nome, nome)) memorizzato.Nome = nome;
    return true;
  }
  return MemorizzaNumeroLento(nome, numero, variabile);
}
// The store of a number into an element of the number vector or matrix `nome` (a name without
// "_") at in-range indices, as StoreVariable does it; false, with nothing done, otherwise.
bool MemorizzaElementoNumero(const std::string& nome, const Reale* indici, int quanti, Reale numero,
                             VariabileRicordata* variabile);
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
inline void ShowCurrentLine() { MostraRiga(DatiGlob.IndiceRiga); }
// After an executed assignment or procedure statement: the redraw out of fast run, the wait of
// step mode.
void WaitStepLento();
inline void WaitStep() {
  if (!DatiGlob.bEsecuzioneVeloce || DatiGlob.bPassoPasso) WaitStepLento();
}
void RidisegnaRifCart();

}  // namespace qx
