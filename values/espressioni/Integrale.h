// Indefinite integrals by table look-up, the way a student uses a printed table: the
// integrand's tree is matched against the patterns of each group in order, and the first
// match fills its result template with the bound constants. No integration is run.
#pragma once
#include <string>
#include <vector>

#include "values/espressioni/NodoEspr.h"

namespace qx {

// Constants bound by one match attempt: a, b, n. a2 and b2 in a pattern bind a and b to
// the square root of a positive number; when that root is not whole, the number itself
// is kept with the root flag, and the template receives sqrt(number).
struct TLegami {
  bool LegatoA = false, LegatoB = false, LegatoN = false;
  bool RadiceA = false, RadiceB = false;
  Reale A = 0, B = 0, N = 0;
  Reale a() const;  // the value of a (the root taken when flagged)
  Reale b() const;
  Reale n() const { return N; }
};

// One pattern of a group: its text, its result template and the condition on the
// bindings under which the template is sound (no division by zero, no root of a
// negative); nullptr when it always is.
struct TRigaIntegrale {
  const char* Schema;
  const char* Modello;
  bool (*Condizione)(const TLegami&);
};
using TGruppoIntegrale = std::vector<TRigaIntegrale>;

// The table, group by group in the order they are tried.
const std::vector<TGruppoIntegrale>& TabellaIntegrali();

// The antiderivative (no constant of integration), or nothing when no pattern matches.
PNodo Integrale(const NodoEspr* radice);
bool CorrispondeSchema(const NodoEspr& t, const NodoEspr& p, TLegami& legami);
// Every "$" + nome in s replaced by testo.
void SostituisciParametro(std::string& s, const std::string& nome, const std::string& testo);
// The template with the bound constants written in.
std::string RiempiModello(std::string modello, const TLegami& legami);

}  // namespace qx
