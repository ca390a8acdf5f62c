// The expression level: a recursive-descent evaluator that reads operators, numbers and
// strings character by character and calls the token reader only for names. With Esegui
// false the text is only read: no operator, comparison or name is applied.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "values/Valori.h"

namespace qx {

using PValore = std::unique_ptr<cValore>;

// relation, read from the text.
PValore EvalExpression(bool Esegui);
PValore EvalSum(bool Esegui);
PValore EvalTerm(bool Esegui);
PValore EvalPower(bool Esegui);
PValore EvalFactor(bool Esegui);

// Each gives the operator's text, or a single blank when none stands at the current character.
// The text is a literal, so reading an operator allocates nothing.
std::string_view ReadRelOp();
std::string_view ReadAddOp();
std::string_view ReadMulOp();
std::string_view ReadPowOp();
PValore ReadNumber();
// A number literal at the current character, read as ReadNumber reads it but without
// reporting: the value, or nothing and the message ReadNumber reports there.
struct ErroreLettura {
  std::string messaggio;
  bool suRiga = true;
};
std::optional<Reale> LeggiNumeroLetterale(ErroreLettura& errore);
PValore ReadString(bool Esegui);

// Skips blanks at character level, never past the end of the text.
void SaltaSpazi();

namespace detail {
// Nesting deeper than this would exhaust the stack long before any pupil's expression needs
// it; such a text is reported instead of crashing the program.
constexpr int PROFONDITA_MASSIMA = 1500;
// How deep the reading of expressions nests now.
extern int gProfondita;
}  // namespace detail

}  // namespace qx
