// Expressions read once per run. A loop evaluates the same expressions on every pass, and
// what the reading of an expression finds depends only on the place where it starts: the text
// does not change during a run. An expression of a loop is therefore read once into a tree
// (the operands, operators, names and arguments, and where the reading stands after each of
// them), and every pass evaluates the tree exactly as EvalExpression evaluates the text: the
// message hook before each name, the line shown at each relation, the same checks in the same
// order, the same messages reported at the same place of the text (the reading position is
// written back before anything that may report), the same values with the same names, the
// same commands called with the same arguments. Numbers and logical values travel as plain
// numbers; a command with a numeric form (see Dispatch.h) is called without an argument list,
// and a number element is read in place (CellaNumero).
//
// A stop that the window's stop command makes at a message hook (it sets bFine as well) is
// seen at the same name, which is then read as the text reads it after such a stop. A stop
// that comes at a hook without bFine makes the reading go on as the text's does.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/Argomenti.h"
#include "interpreter/Dispatch.h"
#include "interpreter/Operatori.h"
#include "interpreter/Scanner.h"
#include "interpreter/VariabileRicordata.h"
#include "values/Valori.h"
#include "values/ValoriScalari.h"

namespace qx {

// A value as the statements and the compiled expressions pass it on: numbers and logical
// values held as a number (logical values as 0 or 1), every other kind as its object. A value
// read from the text keeps its object whatever its kind.
struct Valutato {
  // The number is set and moved as bytes (see CopiaReale): values are made and moved at every
  // step of a statement.
  Valutato() { AzzeraReale(numero); }
  Valutato(Valutato&& v) noexcept
      : tipo(v.tipo), interrotto(v.interrotto), nome(v.nome), oggetto(std::move(v.oggetto)) {
    CopiaReale(numero, v.numero);
  }
  Valutato& operator=(Valutato&& v) noexcept {
    tipo = v.tipo;
    interrotto = v.interrotto;
    nome = v.nome;
    oggetto = std::move(v.oggetto);
    CopiaReale(numero, v.numero);
    return *this;
  }

  TipiValore tipo = T_1;  // T_1: nothing
  // The evaluation stopped part-way, and left the reading position where the text's would be.
  bool interrotto = false;
  // The name a number or a logical value bears (the variable it was read from), or nullptr.
  const std::string* nome = nullptr;
  PValore oggetto;
  Reale numero;

  bool Niente() const { return tipo == T_1; }
  Reale Numero() const { return oggetto ? static_cast<const cValoreReale&>(*oggetto).Value : numero; }
  bool Logico() const { return oggetto ? static_cast<const cValoreBool&>(*oggetto).Value : numero != 0; }
  void AggiungiNumero(Reale x) {
    if (oggetto) static_cast<cValoreReale&>(*oggetto).Value += x;
    else numero += x;
  }
  // The value object (with its name), nullptr for nothing; the value is left empty.
  PValore Scatola();
  // A value object as it is.
  static Valutato Di(PValore v);
};

namespace espr {

enum class Specie : unsigned char { Numero, Stringa, Nome, Non, Catena, Relazione };
// The operators of the sum, term and power levels (RDIV is Mod, "|", "O" and "OR" are O).
enum class Op : unsigned char { Piu, Meno, Concatena, O, Per, Diviso, Div, Mod, E, Potenza };

struct Nodo {
  explicit Nodo(Specie s) : specie(s) {}
  virtual ~Nodo();
  Nodo(const Nodo&) = delete;
  Nodo& operator=(const Nodo&) = delete;
  // EvalExpression's work on this node with Esegui true, and with Esegui false (which gives
  // true when the run stopped inside, leaving the position as the text's); chosen for the
  // node's shape when it is read.
  Valutato (*valuta)(Nodo&) = nullptr;
  bool (*analizza)(Nodo&) = nullptr;
  // `valuta` for a place where the name a number or a logical value bears does not matter:
  // `tipo` T_REALE or T_BOOLEANO (as 0 or 1) with the value returned, or T_1 with `altro`
  // holding what `valuta` gives (nothing, or a value of another kind, or a stop). The number
  // is returned rather than written: an extended real written to memory and read back at
  // once costs far more than the arithmetic around it.
  Reale (*scalare)(Nodo&, TipiValore& tipo, Valutato& altro) = nullptr;
  Specie specie;
  // Where the reading stands when the routine of the text that read this operand returns
  // (the levels around a lone operand skip the blanks after it, looking for an operator).
  FineLettura dopo;
};

// A number or a string literal; `finito` is the position just after it, where the reading
// stands if the run is found stopped right after it.
struct NodoNumero : Nodo {
  NodoNumero() : Nodo(Specie::Numero) {}
  Reale valore = 0;
  FineLettura finito;
};

struct NodoStringa : Nodo {
  NodoStringa() : Nodo(Specie::Stringa) {}
  std::string testo;
  FineLettura finito;
};

struct NodoNon : Nodo {
  NodoNon() : Nodo(Specie::Non) {}
  std::unique_ptr<Nodo> operando;
};

// A sum, a term or a power: the first operand (with the sum's sign), then operator and operand
// pairs, left to right.
struct NodoCatena : Nodo {
  NodoCatena() : Nodo(Specie::Catena) {}
  char32_t segno = 0;
  std::unique_ptr<Nodo> primo;
  struct Passo {
    Op op;
    std::unique_ptr<Nodo> operando;
  };
  std::vector<Passo> passi;
};

struct NodoNome;

// A relation as EvalExpression reads it (also a lone sum, and every parenthesis and argument):
// it shows its line.
struct NodoRelazione : Nodo {
  NodoRelazione() : Nodo(Specie::Relazione) {}
  int riga = 0;
  // Whether it shows its line: not when the statement that evaluates it has just shown the
  // same one, with nothing in between that could change what showing it does.
  bool mostra = true;
  std::unique_ptr<Nodo> sinistro, destro;
  std::string_view operatore;
  Relazione relazione = Relazione::Uguale;
  // Where its value is an argument (PreparaNomi): the name that a number or a logical value it
  // gives bears is the one of `fonteNome`, when the argument is that name alone or in
  // parentheses (nullptr: such a value bears none).
  NodoNome* fonteNome = nullptr;
  // A lone number literal: its value (nullptr otherwise). Such a relation only shows its
  // line, so that statements read it without a call.
  const Reale* letterale = nullptr;
  // The names its reading with Esegui false reaches, in that order (through sums, terms,
  // powers, NON and parentheses; a name reads its own arguments).
  std::vector<NodoNome*> nomiLetti;
};

// A name with its members and arguments, as EvalIdentifier reads and calls it.
struct NodoNome : Nodo {
  NodoNome() : Nodo(Specie::Nome) {}
  FineLettura prima;           // before the name, where its message hook runs
  FineLettura dopoArgomenti;   // after the arguments, where the command is called
  std::string nome;
  struct Argomento {
    bool membro = false;
    std::string cella;   // a member: "@" and its word
    FineLettura prima;   // a member: before its word
    std::unique_ptr<NodoRelazione> espressione;
  };
  std::vector<Argomento> argomenti;
  // Fixed for the run: the constant the name stands for when it is not a variable, else the
  // command of the expression table.
  PValore costante;
  ComandoRisolto comando;
  // Where the variable was found last, and room that each evaluation reuses.
  VariabileRicordata variabile;
  std::string nomeLetto;
  // Where the node is an argument's `fonteNome`: the name the number or logical value it gave
  // last bears (nullptr: none).
  bool registraNome = false;
  // Only expressions between its parentheses (no member), few enough for a numeric form.
  bool soloEspressioni = false;
  // A command with a form that takes a value (FormaConValore) whose first argument is a lone
  // name and whose other arguments can call no command: the message hooks its reading makes
  // at most (0: not such a name). See ScalareNome.
  int ganciPrestito = 0;
  // The whole value of an assignment statement (see RisultatoAssegnato).
  bool valoreAssegnato = false;
  const std::string* nomeFonte = nullptr;
  std::vector<Valutato> valori;
  ListaArgomenti lista;
};

}  // namespace espr

// Reads the expression that starts at the current position without running anything, as
// EvalExpression(false) reads it, and leaves the position after it; nullptr where the text
// would report an error (the reading position is then anywhere).
std::unique_ptr<espr::NodoRelazione> CompilaEspressione();
// EvalExpression(true) and EvalExpression(false) of a compiled expression, from a position at
// which the run is not stopped. When the run stops inside, the reading position is left where
// the text's would be; otherwise it holds no particular place.
inline Valutato ValutaCompilata(espr::NodoRelazione& e) {
  Valutato v = e.valuta(e);
  if (DatiGlob.bStop && !v.interrotto) [[unlikely]] VaiA(e.dopo);
  return v;
}
// ValutaCompilata where the name of a number or a logical value does not matter (see
// Nodo::scalare).
inline Reale ScalareCompilato(espr::NodoRelazione& e, TipiValore& t, Valutato& altro) {
  const Reale x = e.scalare(e, t, altro);
  if (DatiGlob.bStop && !(t == T_1 && altro.interrotto)) [[unlikely]] VaiA(e.dopo);
  return x;
}
// ScalareCompilato into `dove`, where a number that lies in memory (a literal, a number
// variable) is copied as its bytes (see RealeTenuto).
void ScalareCompilatoInMemoria(espr::NodoRelazione& e, TipiValore& t, Valutato& altro, Reale& dove);
// The value of a ScalareCompilato.
inline Valutato DaScalare(TipiValore t, Reale x, Valutato& altro) {
  if (t == T_1) return std::move(altro);
  Valutato v;
  v.tipo = t;
  v.numero = x;
  return v;
}
// The expression is an argument of a command: the value it gives must bear the name the text
// gives it (see NodoRelazione::fonteNome). Called once, after CompilaEspressione.
void PreparaNomi(espr::NodoRelazione& e);
// ValutaCompilata of an expression prepared by PreparaNomi, which computes numbers and logical
// values the way ScalareCompilato does: the same value, with the same name.
Valutato ValutaNominata(espr::NodoRelazione& e);
inline void AnalizzaCompilata(espr::NodoRelazione& e) {
  if (!e.analizza(e) && DatiGlob.bStop) [[unlikely]] VaiA(e.dopo);
}
// True when AnalizzaCompilata of it can do nothing but its message hooks: no name in it
// (arguments too) can call a command.
bool SoloGanci(const espr::NodoRelazione& e);
// The message hooks that evaluating it makes at most: one for each name and member.
int GanciMassimi(const espr::NodoRelazione& e);

}  // namespace qx
