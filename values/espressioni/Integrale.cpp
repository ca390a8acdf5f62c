#include "values/espressioni/Integrale.h"

#include <cctype>
#include <cmath>
#include <memory>

#include "values/espressioni/Analizzatore.h"
#include "values/espressioni/Stampa.h"

namespace qx {

Reale TLegami::a() const { return RadiceA ? std::sqrt(A) : A; }
Reale TLegami::b() const { return RadiceB ? std::sqrt(B) : B; }

namespace {

// Which parameter an identifier of a pattern stands for: 'A', 'B', 'N', 'a' for a2,
// 'b' for b2, or 0 for none.
char Parametro(const NodoEspr& p) {
  if (p.Tipo != N_IDENTIFICATORE) return 0;
  std::string s = p.Nome;
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (s == "A") return 'A';
  if (s == "B") return 'B';
  if (s == "N") return 'N';
  if (s == "A2") return 'a';
  if (s == "B2") return 'b';
  return 0;
}

bool Lega(bool& legato, Reale& valore, Reale v) {
  if (legato && valore != v) return false;
  legato = true;
  valore = v;
  return true;
}

// A square bound to a or b: the root of a positive number. (-3)^2 is the square of 3;
// zero and negative numbers are no squares of a usable constant.
bool LegaQuadrato(bool& legato, bool& radice, Reale& valore, Reale base, bool elevato) {
  if (elevato) {
    if (base == 0) return false;
    legato = true;
    radice = false;
    valore = std::fabs(base);
    return true;
  }
  if (!(base > 0)) return false;
  const Reale r = std::sqrt(base);
  legato = true;
  radice = r != std::trunc(r);
  valore = radice ? base : r;
  return true;
}

}  // namespace

bool CorrispondeSchema(const NodoEspr& t, const NodoEspr& p, TLegami& l) {
  const char par = Parametro(p);
  if (t.ENumero()) {
    if (par == 'A') return Lega(l.LegatoA, l.A, t.Valore);
    if (par == 'B') return Lega(l.LegatoB, l.B, t.Valore);
    if (par == 'N') return Lega(l.LegatoN, l.N, t.Valore);
  }
  if (par == 'a' || par == 'b') {
    bool& legato = par == 'a' ? l.LegatoA : l.LegatoB;
    bool& radice = par == 'a' ? l.RadiceA : l.RadiceB;
    Reale& valore = par == 'a' ? l.A : l.B;
    if (t.Tipo == N_POTENZA && t.Sx() && t.Dx() && t.Sx()->ENumero() && t.Dx()->ENumero(2))
      return LegaQuadrato(legato, radice, valore, t.Sx()->Valore, true);
    if (t.ENumero()) return LegaQuadrato(legato, radice, valore, t.Valore, false);
  }
  // A parameter matches numbers only: a program variable named a, b or n is not one.
  if (par != 0) return false;
  if (t.Tipo != p.Tipo || t.Arieta != p.Arieta) return false;
  switch (t.Tipo) {
    case N_NUMERO: return t.Valore == p.Valore;
    case N_IDENTIFICATORE: return t.Nome == p.Nome;
    case N_CHIAMATA:
      if (t.Nome != p.Nome) return false;
      break;
    default: break;
  }
  for (int i = 0; i < std::min(t.Arieta, MAX_FIGLI); ++i) {
    const NodoEspr* ft = t.Figli[i].get();
    const NodoEspr* fp = p.Figli[i].get();
    if (!ft || !fp) {
      if (ft != fp) return false;
      continue;
    }
    if (!CorrispondeSchema(*ft, *fp, l)) return false;
  }
  return true;
}

void SostituisciParametro(std::string& s, const std::string& nome, const std::string& testo) {
  const std::string chiave = "$" + nome;
  std::size_t da = 0;
  for (std::size_t i; (i = s.find(chiave, da)) != std::string::npos; da = i + testo.size())
    s.replace(i, chiave.size(), testo);
}

std::string RiempiModello(std::string modello, const TLegami& l) {
  if (l.LegatoA) {
    const std::string t = TestoNumeroEspr(l.A);
    SostituisciParametro(modello, "a", l.RadiceA ? "sqrt(" + t + ")" : t);
  }
  if (l.LegatoB) {
    const std::string t = TestoNumeroEspr(l.B);
    SostituisciParametro(modello, "b", l.RadiceB ? "sqrt(" + t + ")" : t);
  }
  if (l.LegatoN) SostituisciParametro(modello, "n", TestoNumeroEspr(l.N));
  return modello;
}

namespace {

// The patterns parsed once, in table order (they name no program variable).
const std::vector<std::vector<PNodo>>& SchemiAnalizzati() {
  static const std::vector<std::vector<PNodo>> schemi = [] {
    ModoSchemaAttivo modo;
    std::vector<std::vector<PNodo>> s;
    for (const TGruppoIntegrale& g : TabellaIntegrali()) {
      s.emplace_back();
      for (const TRigaIntegrale& r : g) s.back().push_back(AnalizzaEspressione(r.Schema, MODO_FUNZIONE));
    }
    return s;
  }();
  return schemi;
}

PNodo ProvaSchemi(const NodoEspr& t, const TGruppoIntegrale& gruppo, const std::vector<PNodo>& schemi) {
  for (std::size_t i = 0; i < gruppo.size(); ++i) {
    TLegami l;
    if (!schemi[i] || !CorrispondeSchema(t, *schemi[i], l)) continue;
    if (gruppo[i].Condizione && !gruppo[i].Condizione(l)) continue;
    return AnalizzaEspressione(RiempiModello(gruppo[i].Modello, l), MODO_FUNZIONE);
  }
  return nullptr;
}

}  // namespace

PNodo Integrale(const NodoEspr* radice) {
  if (!radice) return nullptr;
  const auto& schemi = SchemiAnalizzati();
  ModoSchemaAttivo modo;
  const auto& tabella = TabellaIntegrali();
  for (std::size_t g = 0; g < tabella.size(); ++g)
    if (PNodo r = ProvaSchemi(*radice, tabella[g], schemi[g])) return r;
  return nullptr;
}

}  // namespace qx
