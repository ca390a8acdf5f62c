// Expressions read once per run. A loop evaluates the same expressions on every pass, and
// reading them again from the text is most of what a pass costs. An expression made only of
// number literals, real or logical variables, parentheses and the operators on reals and
// logical values is therefore recorded while the text is read, and later passes replay the
// recording: the same value (a copy of the variable it comes from, with its name, or a new
// value), the same reading position and token afterwards, the message hook called at the
// same names in the same order, the same current line. Anything the recording does not
// cover (a variable that changed its kind or went away, a division by zero, a stop from the
// hook) goes back to the text, which then gives the message as it always did. The text is
// read again from the expression's start, so a variable that the window changed between two
// names of the expression is read as changed at the names before too.
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "values/Valori.h"
#include "values/ValoriScalari.h"

namespace qx {

// EvalExpression(true): the recorded expression at the current position, or the text.
std::unique_ptr<cValore> ValutaEspressioneRicordata();
// EvalExpression(true) for a store, which copies only the number of a real: a recorded real
// expression then gives just that number, without making a value. true: `numero` holds it;
// false: `valore` holds what EvalExpression(true) gives.
bool ValutaNumeroRicordato(Reale& numero, std::unique_ptr<cValore>& valore);

// The compiled form of an expression, for a loop pass that evaluates it without reading (see
// PassateCompilate.h).
struct EspressioneCompilata;
// The compiled form of the expression that EvalExpression(true) or ValutaNumeroRicordato just
// evaluated, when that form gave (or would have given) its value; nullptr otherwise.
EspressioneCompilata* UltimaEspressioneCompilata();
// Whether `e` gives a real without any case in which it must go back to its text (a division).
bool SempreNumero(const EspressioneCompilata& e);
// Finds every variable that `e` reads; false when one is missing or holds another kind.
bool TrovaVariabili(EspressioneCompilata& e);
// The value of `e` from the variables TrovaVariabili found, with no message hook.
Reale ValutaNumero(const EspressioneCompilata& e);
// The variables that `e` reads (their names and the kinds they must hold), added to `nomi`.
void VariabiliLette(const EspressioneCompilata& e, std::vector<std::pair<std::string, TipiValore>>& nomi);

namespace detail {
class Registrazione;
// The recording in progress (the innermost expression being read), or nullptr.
extern Registrazione* gRegistrazione;
void RegistraNumero(Reale valore);
void RegistraVariabile(const std::string& nome, const cValore& valore);
void RegistraSegno(char32_t segno, const cValore& operando);
void RegistraNon(const cValore& operando);
void RegistraBinario(std::string_view op, const cValore& a, const cValore& b);
void RegistraParentesi();
void InterrompiRegistrazione();
}  // namespace detail

// What the readers of the text tell the recording; each costs one test when nothing records.
inline void RegistraNumero(Reale valore) {
  if (detail::gRegistrazione) detail::RegistraNumero(valore);
}
// A plain variable read by its name, with no index or member.
inline void RegistraVariabile(const std::string& nome, const cValore& valore) {
  if (detail::gRegistrazione) detail::RegistraVariabile(nome, valore);
}
// The sign at the start of a sum, applied to `operando`.
inline void RegistraSegno(char32_t segno, const cValore& operando) {
  if (detail::gRegistrazione) detail::RegistraSegno(segno, operando);
}
inline void RegistraNon(const cValore& operando) {
  if (detail::gRegistrazione) detail::RegistraNon(operando);
}
// An operator about to be applied to two operands.
inline void RegistraBinario(std::string_view op, const cValore& a, const cValore& b) {
  if (detail::gRegistrazione) detail::RegistraBinario(op, a, b);
}
// An opening parenthesis at the current character.
inline void RegistraParentesi() {
  if (detail::gRegistrazione) detail::RegistraParentesi();
}
// Anything else: the expression is read from its text every time.
inline void InterrompiRegistrazione() {
  if (detail::gRegistrazione) detail::InterrompiRegistrazione();
}

}  // namespace qx
