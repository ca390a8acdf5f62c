// The expression tree shared by fractions, expressions and functions of x: one node per
// operator, call, identifier or number. A tree is owned through its root (`PNodo`); every
// walk that recurses is bounded by LIMITE_PROFONDITA, and freeing and copying never
// recurse, so no tree, however deep, can overflow the stack.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "values/Funzioni.h"

namespace qx {

// Node and token kinds.
enum TipoNodo : std::int32_t {
  N_UGUALE = 0,        // "=" (equation)
  N_CHIAMATA = 1,      // built-in function, or vector, matrix or function variable
  N_PIU = 2,           // "+"
  N_MENO = 3,          // binary "-"
  N_PER = 4,           // "*"
  N_DIVISO = 5,        // "/"
  N_POTENZA = 6,       // "^" (right-associative)
  N_IDENTIFICATORE = 7,
  N_NUMERO = 8,
  N_INDEFINITO = 9,    // what a division by the number 0 simplifies to
  N_APERTA = 10,       // "(" (token only)
  N_CHIUSA = 11,       // ")" (token only)
  N_VIRGOLA = 12       // "," (token only)
};

constexpr std::array<int, 13> PRIORITA_NODO = {0, 1, 2, 2, 4, 4, 6, 8, 8, 8, 1, 2, 2};
constexpr std::array<int, 10> PRIORITA_STAMPA = {0, 8, 2, 2, 4, 4, 6, 8, 8, 8};
constexpr std::array<const char*, 11> SIMBOLI_OPERATORE = {"=", "?", "+", "-", "*", "/", "^", "?", "?", "?", "?"};

constexpr int NUM_FUNZIONI = 28;
// Built-in functions, matched without regard to case and stored with this spelling.
constexpr std::array<const char*, NUM_FUNZIONI> NOMI_FUNZIONE = {
    "-",       "Sin",     "Cos",     "Tan",     "ArcSin", "ArcCos",   "ArcTan", "Exp",   "Ln",    "Log",
    "Sqr",     "Sqrt",    "Abs",     "Sinh",    "Cosh",   "Tanh",     "ArcSinh", "ArcCosh", "ArcTanh",
    "Sec",     "Cosec",   "ArcSec",  "ArcCosec", "Cotan", "Cotanh",   "Sech",   "Cosech", "Int"};

// Index of each built-in in NOMI_FUNZIONE (the evaluator dispatches on it).
enum IndiceFunzione : std::int8_t {
  F_NESSUNA = -1,
  F_MENO, F_SIN, F_COS, F_TAN, F_ARCSIN, F_ARCCOS, F_ARCTAN, F_EXP, F_LN, F_LOG,
  F_SQR, F_SQRT, F_ABS, F_SINH, F_COSH, F_TANH, F_ARCSINH, F_ARCCOSH, F_ARCTANH,
  F_SEC, F_COSEC, F_ARCSEC, F_ARCCOSEC, F_COTAN, F_COTANH, F_SECH, F_COSECH, F_INT
};

constexpr std::int32_t MARCA_NODO_VIVO = 12345;
constexpr int MAX_FIGLI = 5;
// Deeper trees than this are not walked: evaluation gives "Non definita", the other
// walks leave the tree as it is. Formulas that pupils write stay far below it.
constexpr int LIMITE_PROFONDITA = 5000;

struct NodoEspr;
using PNodo = std::unique_ptr<NodoEspr>;

struct NodoEspr {
  NodoEspr() = default;
  ~NodoEspr();  // frees the sub-tree without recursion
  NodoEspr(const NodoEspr&) = delete;
  NodoEspr& operator=(const NodoEspr&) = delete;

  std::string Nome = "??";  // function name, identifier, operator symbol, "!!" for numbers
  std::array<PNodo, MAX_FIGLI> Figli;
  std::int32_t Marca = MARCA_NODO_VIVO;
  Reale Valore = 0;
  TipoNodo Tipo = N_IDENTIFICATORE;
  std::int32_t Arieta = 0;
  IndiceFunzione Funzione = F_NESSUNA;  // for calls: which built-in, if any

  NodoEspr* Sx() const { return Figli[0].get(); }
  NodoEspr* Dx() const { return Figli[1].get(); }
  bool EOperatore() const { return Tipo >= N_PIU && Tipo <= N_POTENZA; }
  bool ENumero() const { return Tipo == N_NUMERO; }
  bool ENumero(Reale v) const { return Tipo == N_NUMERO && Valore == v; }
  bool EChiamata(IndiceFunzione f) const { return Tipo == N_CHIAMATA && Funzione == f; }
};

// The built-in named exactly so (the spelling of NOMI_FUNZIONE), or F_NESSUNA.
IndiceFunzione CercaFunzione(std::string_view nome);
// The built-in whose name equals nome upper-cased, or F_NESSUNA.
IndiceFunzione CercaFunzioneSenzaMaiuscole(std::string_view nome);

PNodo NuovoNodo();
PNodo NuovoNodoNumero(Reale valore);
PNodo NuovoNodoIdentificatore(std::string_view nome);
// A call of arity 1; a built-in name is recognised by its exact spelling.
PNodo NuovoNodoFunzione(std::string_view nome);
PNodo NuovoNodoOperatore(TipoNodo tipo);
// A new operator node over sx and dx; with no sx, dx itself.
PNodo CombinaNodi(PNodo sx, TipoNodo tipo, PNodo dx);
// Shorthands used by the rewriting code.
PNodo Chiamata(IndiceFunzione f, PNodo argomento);

// Frees the tree and sets the root to nothing.
void LiberaAlbero(PNodo& radice);
// A deep copy: every node new.
PNodo CopiaAlbero(const NodoEspr* radice);
// A fresh node holding the source's fields, without children.
void CopiaNodo(PNodo& destinazione, const NodoEspr& sorgente);
// Number of levels (0 for no tree); walks without recursion.
int ProfonditaAlbero(const NodoEspr* radice);
// Whether a node of the kind lies anywhere in the tree; walks without recursion.
bool ContieneTipo(const NodoEspr* radice, TipoNodo tipo);

}  // namespace qx
