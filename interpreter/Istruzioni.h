// The statement level: the run loop, one statement, the control structures, assignment and
// the per-statement hooks. Everything executes straight from the text; loops re-read their
// text from a saved position, and untaken branches are read with Esegui false.
#pragma once
#include <memory>
#include <string>

#include "interpreter/Argomenti.h"
#include "values/Valori.h"

namespace qx {

bool RunProgram(bool Esegui);
void ExecStatement(bool Esegui);
void ExecDoWhile(bool Esegui);
void ExecFor(bool Esegui);
void ExecRepeat(bool Esegui);
void ExecIf(bool Esegui);
// Passo is -1 for an assignment statement, else the pass number of a PER loop.
void ExecAssignment(bool Esegui, ListaArgomenti& argomenti, int Passo);
// Stores a copy of valore under nome (empty: an anonymous "$" name); with indices in
// argomenti it writes an element of a vector, matrix or list.
void StoreVariable(bool Esegui, const std::string& nome, cValore& valore, const ListaArgomenti* argomenti);
void ShowCurrentLine();
void WaitStep();
void RidisegnaRifCart();

}  // namespace qx
