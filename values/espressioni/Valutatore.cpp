#include "values/espressioni/Valutatore.h"

#include <cctype>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "values/ValoreFunzione.h"
#include "values/Variabili.h"

namespace qx {

namespace {
constexpr Reale PI = std::numbers::pi_v<long double>;
constexpr Reale PI_MEZZI = PI / 2;
}  // namespace

namespace reali {

Reale Meno(Reale x) { return -x; }
Reale Sin(Reale x) { return std::sin(x); }
Reale Cos(Reale x) { return std::cos(x); }

bool EMultiploPiMezzi(Reale x) {
  // Closed form of "x / (pi/2) is an odd integer": far values have no fraction left and
  // are even multiples, so they are never caught.
  const Reale q = x / PI_MEZZI;
  if (!(std::fabs(q) < 9.0e18L)) return false;
  if (q != std::trunc(q)) return false;
  return (static_cast<long long>(q) & 1) != 0;
}

Reale Tan(Reale x) {
  if (x == 0) return 0;
  if (x == PI_MEZZI || EMultiploPiMezzi(x)) return VAL_NON_DEFINITA;
  return std::sin(x) / std::cos(x);
}
Reale ArcSin(Reale x) {
  if (x == 1) return PI_MEZZI;
  if (x == -1) return -PI_MEZZI;
  if (x > -1 && x < 1) return std::atan(x / std::sqrt(1 - x * x));
  return VAL_NON_DEFINITA;
}
Reale ArcCos(Reale x) {
  if (x > -1e-11L && x < 1e-11L) return PI_MEZZI;
  if (x >= 1e-11L && x <= 1) return std::atan(std::sqrt(1 - x * x) / x);
  if (x >= -1 && x <= -1e-11L) return std::atan(std::sqrt(1 - x * x) / x) + PI;
  return VAL_NON_DEFINITA;
}
Reale ArcTan(Reale x) { return std::atan(x); }
Reale Exp(Reale x) {
  if (x <= -10000) return 0;  // the value underflows to 0, it does not tend to infinity
  if (x >= 10000) return VAL_TENDE_INFINITO;
  return std::exp(x);
}
Reale Ln(Reale x) { return x <= 0 ? VAL_NON_DEFINITA : std::log(x); }
Reale Log(Reale x) { return x <= 0 ? VAL_NON_DEFINITA : std::log(x) * 0.4342944819032518L; }
Reale Sqr(Reale x) { return Potenza(x, 2); }
Reale Sqrt(Reale x) { return x < 0 ? VAL_NON_DEFINITA : std::sqrt(x); }
Reale Abs(Reale x) { return std::fabs(x); }
Reale Sinh(Reale x) { return (std::exp(x) - std::exp(-x)) / 2; }
Reale Cosh(Reale x) { return (std::exp(x) + std::exp(-x)) / 2; }
Reale Tanh(Reale x) { return Sinh(x) / Cosh(x); }
Reale ArcSinh(Reale x) { return std::log(x + std::sqrt(x * x + 1)); }
Reale ArcCosh(Reale x) { return x >= 1 ? std::log(x + std::sqrt(x * x - 1)) : VAL_NON_DEFINITA; }
Reale ArcTanh(Reale x) { return x > -1 && x < 1 ? 0.5L * std::log((1 + x) / (1 - x)) : VAL_NON_DEFINITA; }
Reale Sec(Reale x) {
  if (x == 0) return 1;
  if (x == PI) return -1;
  return 1 / std::cos(x);
}
Reale Cosec(Reale x) { return x == 0 ? VAL_NON_DEFINITA : 1 / std::sin(x); }
Reale ArcSec(Reale x) {
  if (x == 0) return VAL_NON_DEFINITA;
  if (x == 1) return 0;
  return ArcCos(1 / x);
}
Reale ArcCosec(Reale x) {
  if (x == 0) return VAL_NON_DEFINITA;
  if (x == 1) return PI_MEZZI;
  return ArcSin(1 / x);
}
Reale Cotan(Reale x) {
  if (x == 0) return VAL_NON_DEFINITA;
  if (x == PI_MEZZI) return 0;
  return 1 / Tan(x);
}
Reale Cotanh(Reale x) {
  if (x == 0) return VAL_NON_DEFINITA;
  return (std::exp(x) + std::exp(-x)) / (std::exp(x) - std::exp(-x));
}
Reale Sech(Reale x) { return x == 0 ? 1 : 2 / (std::exp(x) + std::exp(-x)); }
Reale Cosech(Reale x) { return x == 0 ? VAL_NON_DEFINITA : 2 / (std::exp(x) - std::exp(-x)); }
Reale Int(Reale x) { return std::trunc(x); }

}  // namespace reali

namespace {

using FunzioneReale = Reale (*)(Reale);
// In the order of NOMI_FUNZIONE.
constexpr FunzioneReale FUNZIONI_REALI[NUM_FUNZIONI] = {
    reali::Meno,    reali::Sin,     reali::Cos,     reali::Tan,     reali::ArcSin,  reali::ArcCos,
    reali::ArcTan,  reali::Exp,     reali::Ln,      reali::Log,     reali::Sqr,     reali::Sqrt,
    reali::Abs,     reali::Sinh,    reali::Cosh,    reali::Tanh,    reali::ArcSinh, reali::ArcCosh,
    reali::ArcTanh, reali::Sec,     reali::Cosec,   reali::ArcSec,  reali::ArcCosec, reali::Cotan,
    reali::Cotanh,  reali::Sech,    reali::Cosech,  reali::Int};

// Function values being evaluated right now: a function that reaches itself again is
// undefined instead of recursing without end.
std::vector<const cValoreFunzione*> gFunzioniAttive;
// The depth of the node whose function value is being evaluated (0 outside): the depth of a
// tree goes on inside the functions it reads. Within one tree the depth travels as an
// argument, not through memory, which every node would otherwise wait on.
int gProfondita = 0;

std::string Maiuscolo(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// The fault is reported through the run's one error path, which speaks once per run:
// a plot of a thousand samples of a deleted variable shows a single message.
Reale Guasto(const std::string& messaggio) {
  ReportError(messaggio);
  return VAL_NON_DEFINITA;
}

bool IndiceIntero(Reale v, int& i) {
  const Reale t = std::trunc(v);
  if (!(std::fabs(t) < 2.0e9L)) return false;
  i = static_cast<int>(t);
  return true;
}

Reale ValutaVariabile(const NodoEspr& n, Reale a, Reale b, int profondita) {
  cVariabile* v = DatiGlob.ListaVariabili ? DatiGlob.ListaVariabili->Cerca(Maiuscolo(n.Nome)) : nullptr;
  if (!v) return Guasto("errore " + n.Nome);
  cValore* valore = v->GetValore();
  if (n.Tipo == N_IDENTIFICATORE) {
    const auto* r = v->Tipo == T_REALE ? dynamic_cast<const cValoreReale*>(valore) : nullptr;
    return r ? r->Value : Guasto("errore " + n.Nome);
  }
  if (v->Tipo == T_VETT_REALE) {
    const auto* vett = dynamic_cast<const cVettReale*>(valore);
    int i = 0;
    if (!vett || !IndiceIntero(a, i) || !vett->IndiceValido(i))
      return Guasto("Indici non validi per referenziare il vettore: " + v->Nome);
    return vett->Leggi(i);
  }
  if (v->Tipo == T_MATR_REALE) {
    const auto* m = dynamic_cast<const cMatrReale*>(valore);
    int r = 0, c = 0;
    if (!m || n.Arieta < 2 || !IndiceIntero(a, r) || !IndiceIntero(b, c) || !m->IndiciValidi(r, c))
      return Guasto("Indici non validi per referenziare la matrice: " + v->Nome);
    return m->Leggi(r, c);
  }
  if (v->Tipo == T_FUNZIONE) {
    const auto* f = dynamic_cast<const cValoreFunzione*>(valore);
    if (!f) return Guasto("errore " + n.Nome);
    for (const cValoreFunzione* attiva : gFunzioniAttive)
      if (attiva == f) return Guasto("errore " + n.Nome);
    gFunzioniAttive.push_back(f);
    const int fuori = gProfondita;
    gProfondita = profondita;
    const Reale r = f->Valuta(a);
    gProfondita = fuori;
    gFunzioniAttive.pop_back();
    return r;
  }
  return Guasto("errore " + n.Nome);
}

// The point of evaluation travels by reference: two 80-bit reals per call are dearer.
struct Punto {
  Reale x, y;
};

// `profondita`: the node's depth, 1 for a root.
Reale ValutaNodo(const NodoEspr& n, const Punto& p, int profondita);

// The error values all lie in [1e99, 1e102]: one comparison clears an ordinary number.
inline bool EErrore(Reale v) { return v >= VAL_NON_DEFINITA && IsValoreErrore(v); }
inline Reale Finito(Reale v) { return std::isfinite(v) ? v : NormalizzaNonFinito(v); }

// Potenza with the small whole exponents of formulas (x^2, x^-1) taken without leaving
// the evaluator; the result is the one Potenza gives, bit for bit.
Reale PotenzaNodo(Reale a, Reale b) {
  long long k = 0;
  // A whole exponent is found without a cast, which switches the x87 unit's rounding mode.
  if (!(b >= -64 && b <= 64) || !InteroEsatto(b, k)) return Potenza(a, b);
  if (k == 0) return a == 0 ? VAL_INDETERMINATA : 1;
  Reale r = 1, base = a;
  for (unsigned long long e = k < 0 ? -k : k; e != 0; e >>= 1) {
    if (e & 1) r *= base;
    base *= base;
  }
  if (k < 0) r = 1 / r;
  if (std::isinf(r)) return VAL_TENDE_INFINITO;
  if (std::isnan(r)) return VAL_NON_DEFINITA;
  return r;
}

Reale Quoziente(Reale a, Reale b) {
  if (UgualeReale(b, 0)) return UgualeReale(a, 0) ? VAL_INDETERMINATA : VAL_DIVISIONE_ZERO;
  if (a >= VAL_TENDE_INFINITO && b >= VAL_TENDE_INFINITO) return VAL_INDETERMINATA;
  if (a >= VAL_TENDE_INFINITO) return VAL_TENDE_INFINITO;
  if (b >= VAL_TENDE_INFINITO) return 0;
  return a / b;
}

// A child's value (of a node at `profondita`): a number and x, the commonest leaves, are
// read here (as ValutaNodo reads them, where the depth allows one more level) without a call.
inline Reale Figlio(const NodoEspr* f, const Punto& p, int profondita) {
  if (!f) return 0;
  if (profondita < LIMITE_PROFONDITA && f->Arieta < 1) {
    if (f->Tipo == N_NUMERO) return f->Valore;
    if (f->Tipo == N_IDENTIFICATORE && f->Nome.size() == 1 && f->Nome[0] == 'x') return p.x;
  }
  return ValutaNodo(*f, p, profondita + 1);
}

Reale ValutaNodo(const NodoEspr& n, const Punto& p, int profondita) {
  if (profondita > LIMITE_PROFONDITA) return Guasto("errore " + n.Nome);
  Reale a = 0, b = 0;
  if (n.Arieta >= 1) {
    a = Figlio(n.Figli[0].get(), p, profondita);
    if (EErrore(a)) return a;
  }
  if (n.Arieta >= 2) {
    b = Figlio(n.Figli[1].get(), p, profondita);
    if (EErrore(b)) return b;
  }
  switch (n.Tipo) {
    case N_PIU: return Finito(a + b);
    case N_MENO: return Finito(a - b);
    case N_PER: return Finito(a * b);
    case N_DIVISO: return Finito(Quoziente(a, b));
    case N_POTENZA: return PotenzaNodo(a, b);
    case N_IDENTIFICATORE:
      if (n.Nome.size() == 1 && n.Nome[0] == 'x') return p.x;
      if (n.Nome.size() == 1 && n.Nome[0] == 'y') return p.y;
      return ValutaVariabile(n, a, b, profondita);
    case N_NUMERO: return n.Valore;
    case N_CHIAMATA:
      if (n.Funzione != F_NESSUNA) return Finito(FUNZIONI_REALI[n.Funzione](a));
      return Finito(ValutaVariabile(n, a, b, profondita));
    case N_INDEFINITO: return VAL_NON_DEFINITA;  // a division by 0 folded away: still undefined
    default: return a;                           // "=" keeps its left side
  }
}

}  // namespace

Reale ValutaFunzione(IndiceFunzione f, Reale x) {
  if (f < 0 || f >= NUM_FUNZIONI) return x;
  return NormalizzaNonFinito(FUNZIONI_REALI[f](x));
}

Reale ValutaAlbero(const NodoEspr* radice, const Reale& x, const Reale& y) {
  if (!radice) return 0;
  Punto p;
  CopiaReale(p.x, x);
  CopiaReale(p.y, y);
  return ValutaNodo(*radice, p, gProfondita + 1);
}

}  // namespace qx
