// The operators of the language on value objects. Each takes two values and gives a new one,
// or nothing after reporting its message; the caller frees the operands.
#pragma once
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "values/Valori.h"
#include "values/ValoriScalari.h"

namespace qx {

using PValore = std::unique_ptr<cValore>;

// The six relations, and their meaning between two reals: "=" and "<>" allow the tolerance,
// the order relations compare exactly.
enum class Relazione : unsigned char { Uguale, Diverso, Minore, MinoreUguale, Maggiore, MaggioreUguale };
Relazione RelazioneDa(std::string_view op);
[[gnu::always_inline]] inline bool ConfrontaReali(Reale a, Reale b, Relazione r) {
  switch (r) {
    case Relazione::Uguale: return UgualeReale(a, b);
    case Relazione::Diverso: return !UgualeReale(a, b);
    case Relazione::Minore: return a < b;
    case Relazione::MinoreUguale: return a <= b;
    case Relazione::Maggiore: return a > b;
    case Relazione::MaggioreUguale: return a >= b;
  }
  return false;
}

// "/" between two reals: a divisor within the tolerance of 0 is refused, a dividend within it
// gives 0.
[[gnu::always_inline]] inline bool DivisoreNullo(Reale b) { return UgualeReale(b, 0); }
[[gnu::always_inline]] inline Reale QuozienteReali(Reale a, Reale b) { return UgualeReale(a, 0) ? 0 : a / b; }
// DIV and MOD between two reals: the message that refuses the pair, or nullptr when the
// quotient or remainder is DivisioneInteraReali.
const std::string* ErroreDivisioneIntera(Reale a, Reale b, bool resto);
Reale DivisioneInteraReali(Reale a, Reale b, bool resto);
// DivisioneInteraBreve of numbers that lie in memory, read from their bytes (InteroPiccolo):
// `esito` gets the quotient or the remainder; false for a pair it does not take (not both
// whole and below 2^62, or a zero divisor), which DivisioneInteraBreve then takes.
[[gnu::always_inline]] inline bool DivisioneInteraDaByte(const Reale& a, const Reale& b, bool resto, Reale& esito) {
  long long ia, ib;
  bool aNegativo, bNegativo;
  if (!InteroPiccolo(a, ia, aNegativo) || !InteroPiccolo(b, ib, bNegativo) || ib == 0) return false;
  const long long q = resto ? ia % ib : ia / ib;
  if (q != 0) {
    esito = static_cast<Reale>(q);
    return true;
  }
  // As DivisioneInteraBreve: the remainder takes the dividend's sign, the quotient the true one.
  esito = (resto ? aNegativo : aNegativo != (ib < 0)) ? -0.0L : 0.0L;
  return true;
}
// DIV and MOD between whole numbers that a 64-bit integer holds, the divisor not 0: a gets
// the quotient or the remainder, exactly the value DivisioneInteraReali gives (sign of a zero
// included); false for any other pair, which ErroreDivisioneIntera and DivisioneInteraReali
// then judge.
[[gnu::always_inline]] inline bool DivisioneInteraBreve(Reale& a, Reale b, bool resto) {
  constexpr Reale limite = 9.2e18L;  // below 2^63: no overflow of the quotient or remainder
  if (!(a > -limite && a < limite && b > -limite && b < limite)) return false;
  long long ia = 0, ib = 0;
  if (!InteroEsatto(a, ia) || !InteroEsatto(b, ib) || ib == 0) return false;
  const long long q = resto ? ia % ib : ia / ib;
  if (q != 0) {
    a = static_cast<Reale>(q);
    return true;
  }
  // fmod takes the dividend's sign, a truncated quotient the sign of the true one; only a
  // zero dividend needs its sign bit read (the divisor is not 0).
  const bool aNegativo = ia != 0 ? ia < 0 : std::signbit(a);
  a = (resto ? aNegativo : aNegativo != (ib < 0)) ? -0.0L : 0.0L;
  return true;
}

PValore CompareBool(const cValoreBool& a, const cValoreBool& b, std::string_view op);
PValore CompareReal(Reale a, Reale b, std::string_view op);
PValore CompareFraction(const cValore& a, const cValore& b, std::string_view op);
PValore CompareString(const std::string& a, const std::string& b, std::string_view op);
PValore CompareAngle(const cValoreGrado& a, const cValoreGrado& b, std::string_view op);
// The comparison of the relation level: same kinds only.
PValore Confronta(const cValore& a, const cValore& b, std::string_view op);

PValore OpAdd(const cValore& a, const cValore& b);
PValore OpSubtract(const cValore& a, const cValore& b);
PValore OpMultiply(const cValore& a, const cValore& b);
PValore OpDivide(const cValore& a, const cValore& b);
PValore OpIntDiv(const cValore& a, const cValore& b);
PValore OpMod(const cValore& a, const cValore& b);
PValore OpPower(const cValore& a, const cValore& b);
PValore OpAnd(const cValore& a, const cValore& b);
PValore OpOr(const cValore& a, const cValore& b);
PValore OpConcat(const cValore& a, const cValore& b);

// The operators on fractions and functions live with the expression engine, which installs
// them here; until then those operand kinds give each operator's type message.
struct TOperatoriSimbolici {
  // op is one of "+", "-", "*", "/", "^"; gives nothing when the pair is not an operation of
  // the engine (the caller then reports the operator's message).
  std::function<PValore(const std::string& op, const cValore& a, const cValore& b)> Opera;
  // The value of a fraction at x = 1, for comparisons.
  std::function<bool(const cValore& frazione, Reale& valore)> ValutaFrazione;
};
TOperatoriSimbolici& OperatoriSimbolici();

}  // namespace qx
