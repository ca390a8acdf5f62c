// Command dispatch: statement names reach their handlers through CallProcedure, names in
// expressions through EvalIdentifier. Both follow the fixed tables of the language in their
// order; handlers are plugged in by name ("CmdStampa") as the statements are built, and a
// name whose handler is not built yet behaves as an unknown name.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "interpreter/Argomenti.h"
#include "values/Valori.h"
#include "values/Variabili.h"

namespace qx {

using PValore = std::unique_ptr<cValore>;

// Value form: (arguments, the keyword as read, Esegui) -> a new value or nothing.
using GestoreValore = std::function<PValore(ListaArgomenti&, const std::string& nome, bool Esegui)>;
// Statement form: (Esegui, arguments, the keyword as read).
using GestoreIstruzione = std::function<void(bool Esegui, ListaArgomenti&, const std::string& nome)>;
// Reads an element or a member of a variable: (the variable, its arguments, Esegui).
using LettoreElementi = std::function<PValore(cVariabile&, ListaArgomenti&, bool Esegui)>;

// Handlers of the statement table (by the handler's name), of the expression table, and of
// the element and member readers by the variable's kind.
void RegistraIstruzione(const std::string& gestore, GestoreIstruzione g);
void RegistraValore(const std::string& gestore, GestoreValore g);
// A handler used in both tables in its value form (the statement table frees the result).
void RegistraComando(const std::string& gestore, GestoreValore g);
void RegistraLettore(TipiValore tipo, LettoreElementi l);

void CallProcedure(bool Esegui, ListaArgomenti& argomenti);
PValore EvalIdentifier(bool Esegui);
// The constants PI, NEP, ORARIO, ANTIORARIO, VERO, FALSO, SI, NO, TESTO, NUMERO, DATA.
PValore CmdCostanti(const ListaArgomenti& argomenti, const std::string& nome);
// Removes the anonymous drawable values that a command's arguments created.
void RimuoviArgomentiAnonimi(const ListaArgomenti& argomenti);

// Installs the handlers built so far (called once at start-up, before the first run).
void RegistraComandiBase();

}  // namespace qx
