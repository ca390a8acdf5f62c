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

// The numeric form of a value handler: what the handler gives for arguments that are all
// numbers, computed without an argument list or a value object; `riuscita` false when the
// handler itself must run (a message to report, a case the form does not cover). The number
// is returned, not written through a reference: an extended real stored and read back at once
// stalls the processor for longer than the arithmetic takes.
using FormaNumerica = Reale (*)(const Reale* argomenti, int quanti, bool& riuscita);
void RegistraFormaNumerica(const std::string& gestore, FormaNumerica f);
// The form of a value handler for a first argument that is a value of another kind and
// further arguments that are all numbers: what the handler gives for them, computed from the
// value (which it only reads) without an argument list; `riuscita` false when the handler
// itself must run.
using FormaConValore = Reale (*)(const cValore& primo, const Reale* numeri, int quanti, bool& riuscita);
void RegistraFormaConValore(const std::string& gestore, FormaConValore f);

// What a name in an expression calls when it is not a variable (the expression table); no
// handler when the name is not a function. The handlers are fixed for the whole run, so a
// place of the program resolves its name once.
struct ComandoRisolto {
  const GestoreValore* gestore = nullptr;
  FormaNumerica numerica = nullptr;
  FormaConValore conValore = nullptr;
};
ComandoRisolto RisolviComando(const std::string& nome);
// The handler of a statement name, found once for a place of the program.
struct ProceduraRisolta {
  bool risolta = false;
  const GestoreIstruzione* istruzione = nullptr;
  const GestoreValore* valore = nullptr;
};
ProceduraRisolta RisolviProcedura(const std::string& nome);

// `risolta` keeps the handler of the place that calls (nullptr: found again).
void CallProcedure(bool Esegui, ListaArgomenti& argomenti, ProceduraRisolta* risolta = nullptr);
PValore EvalIdentifier(bool Esegui);
// The value of a variable named in an expression: a copy, or with arguments or a member an
// element or a member of it.
PValore LeggiVariabile(cVariabile& var, ListaArgomenti& argomenti, bool Esegui);
// The constants PI, NEP, ORARIO, ANTIORARIO, VERO, FALSO, SI, NO, TESTO, NUMERO, DATA.
PValore CmdCostanti(const ListaArgomenti& argomenti, const std::string& nome);
// Removes the anonymous drawable values that a command's arguments created.
void RimuoviArgomentiAnonimi(const ListaArgomenti& argomenti);

// Installs the handlers built so far (called once at start-up, before the first run).
void RegistraComandiBase();

}  // namespace qx
