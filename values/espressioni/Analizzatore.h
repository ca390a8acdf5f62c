// The tokenizer and the operator-precedence parser that turn a formula such as
// 2*Sin(x)^2+$k into an expression tree. Modes: 1 = function of x and y (names allowed),
// 2 = fraction, 3 = numeric expression (numbers, operators and parentheses only).
#pragma once
#include <cstddef>
#include <string>

#include "values/espressioni/NodoEspr.h"

namespace qx {

class cVariabile;

enum ModoAnalisiEspr : int { MODO_FUNZIONE = 1, MODO_FRAZIONE = 2, MODO_ESPRESSIONE = 3 };

// State of the parse under way (a parse is not re-entrant).
extern int ModoAnalisi;
extern std::string TestoEspressione;  // the blank-stripped text that messages name
// Pattern mode: the integral table's parameters a, a2, b, b2, n are identifiers, and no
// name is looked up among the program's variables.
extern bool bModoSchema;
extern cVariabile* VariabileTrovata;  // the variable found by the last lookup

// What a formula that does not parse is called, before its blank-stripped text.
inline constexpr const char* MSG_ESPRESSIONE_NON_CORRETTA = "Espressione non corretta: ";

// Root of a new tree, or nothing after an error box (none when `messaggi` is false).
PNodo AnalizzaEspressione(const std::string& testo, int modo, bool messaggi = true);

// One token at `pos` (0-based); on success `pos` is left past the token. P tells whether
// the previous token completed an operand. Nothing when no token can be read there.
PNodo ProssimoToken(const std::string& testo, bool P, std::size_t& pos);

// A number written at `pos`: digits and points, then an optional exponent. True when the
// whole collected text converts; `pos` is then past its last character.
bool LeggiNumero(const std::string& testo, std::size_t& pos, Reale& valore);

// Sets bModoSchema for the life of a scope.
class ModoSchemaAttivo {
 public:
  ModoSchemaAttivo() : prima_(bModoSchema) { bModoSchema = true; }
  ~ModoSchemaAttivo() { bModoSchema = prima_; }
  ModoSchemaAttivo(const ModoSchemaAttivo&) = delete;
  ModoSchemaAttivo& operator=(const ModoSchemaAttivo&) = delete;

 private:
  bool prima_;
};

}  // namespace qx
