// The operators of the language on value objects. Each takes two values and gives a new one,
// or nothing after reporting its message; the caller frees the operands.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "values/Valori.h"
#include "values/ValoriScalari.h"

namespace qx {

using PValore = std::unique_ptr<cValore>;

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
