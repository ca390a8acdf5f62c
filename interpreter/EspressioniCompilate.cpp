#include "interpreter/EspressioniCompilate.h"

#include <cstring>

#include "interpreter/Espressioni.h"
#include "interpreter/Istruzioni.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "values/Variabili.h"

namespace qx {

PValore Valutato::Scatola() {
  if (oggetto) return std::move(oggetto);
  PValore v;
  if (tipo == T_REALE) {
    auto r = std::make_unique<cValoreReale>();
    CopiaReale(r->Value, numero);
    v = std::move(r);
  }
  else if (tipo == T_BOOLEANO) v = std::make_unique<cValoreBool>(numero != 0);
  else return nullptr;
  if (nome) v->Nome = *nome;
  return v;
}

Valutato Valutato::Di(PValore v) {
  Valutato r;
  if (v) r.tipo = v->Tipo;
  r.oggetto = std::move(v);
  return r;
}

namespace espr {
Nodo::~Nodo() = default;
}  // namespace espr

using namespace espr;

namespace {

// ---------------------------------------------------------------------------------------
// Reading an expression into a tree. Each routine reads what the routine of Espressioni.cpp
// with the same grammar rule reads, with the same readers, and gives up where that routine
// would report an error.

class Compilatore {
 public:
  std::unique_ptr<NodoRelazione> Leggi() {
    auto e = Relazione();
    return ok_ ? std::move(e) : nullptr;
  }

 private:
  // The nesting that EvalExpression and EvalFactor count; deeper than their limit the text
  // reports an error.
  struct Livello {
    explicit Livello(Compilatore& c) : c_(c) {
      if (++c_.profondita_ > detail::PROFONDITA_MASSIMA) c_.ok_ = false;
    }
    ~Livello() { --c_.profondita_; }
    Compilatore& c_;
  };

  FineLettura Qui() {
    FineLettura f;
    if (!CatturaPosizione(f)) ok_ = false;
    return f;
  }

  // Where the text reports "Si aspetta ..." at the end of the text.
  bool AllaFine() {
    SaltaSpazi();
    if (DatiGlob.bFine) ok_ = false;
    return !ok_;
  }

  /* relation = sum [ ( "=" | "<>" | "<" | "<=" | ">" | ">=" ) sum ] */
  std::unique_ptr<NodoRelazione> Relazione() {
    Livello livello(*this);
    if (!ok_) return nullptr;
    auto n = std::make_unique<NodoRelazione>();
    n->riga = DatiGlob.IndiceRiga;
    n->sinistro = Somma();
    if (!ok_) return nullptr;
    const std::string_view op = ReadRelOp();
    if (op != " ") {
      n->operatore = op;
      n->relazione = RelazioneDa(op);
      n->destro = Somma();
      if (!ok_) return nullptr;
    }
    n->dopo = Qui();
    return n;
  }

  // A level's chain, or its only operand when there is no operator and no sign (the level
  // then only moved the reading past the blanks after it).
  std::unique_ptr<Nodo> Chiudi(std::unique_ptr<NodoCatena> c) {
    if (!c->segno && c->passi.empty()) {
      c->primo->dopo = Qui();
      return std::move(c->primo);
    }
    c->dopo = Qui();
    return c;
  }

  static Op OperatoreSomma(std::string_view op) {
    if (op == "+") return Op::Piu;
    if (op == "-") return Op::Meno;
    if (op == "||") return Op::Concatena;
    return Op::O;
  }
  static Op OperatoreTermine(std::string_view op) {
    if (op == "*") return Op::Per;
    if (op == "/") return Op::Diviso;
    if (op == "DIV") return Op::Div;
    if (op == "MOD") return Op::Mod;
    return Op::E;
  }

  /* sum = [ "+" | "-" ] term { ( "+" | "-" | "O" | "OR" | "|" | "||" ) term } */
  std::unique_ptr<Nodo> Somma() {
    if (AllaFine()) return nullptr;
    auto c = std::make_unique<NodoCatena>();
    TDatiGlob& g = DatiGlob;
    if (g.ChCorrente == U'+' || g.ChCorrente == U'-') {
      c->segno = g.ChCorrente;
      NextChar();
    }
    c->primo = Termine();
    if (!ok_) return nullptr;
    for (;;) {
      const std::string_view op = ReadAddOp();
      if (op == " ") break;
      auto operando = Termine();
      if (!ok_) return nullptr;
      c->passi.push_back({OperatoreSomma(op), std::move(operando)});
    }
    return Chiudi(std::move(c));
  }

  /* term = power { ( "*" | "/" | "DIV" | "MOD" | "RDIV" | "AND" | "E" ) power } */
  std::unique_ptr<Nodo> Termine() {
    if (AllaFine()) return nullptr;
    auto c = std::make_unique<NodoCatena>();
    c->primo = Potenza();
    if (!ok_) return nullptr;
    for (;;) {
      const std::string_view op = ReadMulOp();
      if (op == " ") break;
      auto operando = Potenza();
      if (!ok_) return nullptr;
      c->passi.push_back({OperatoreTermine(op), std::move(operando)});
    }
    return Chiudi(std::move(c));
  }

  /* power = factor { "^" factor } */
  std::unique_ptr<Nodo> Potenza() {
    if (AllaFine()) return nullptr;
    auto c = std::make_unique<NodoCatena>();
    c->primo = Fattore();
    if (!ok_) return nullptr;
    while (ReadPowOp() == "^") {
      auto operando = Fattore();
      if (!ok_) return nullptr;
      c->passi.push_back({Op::Potenza, std::move(operando)});
    }
    return Chiudi(std::move(c));
  }

  /* factor = "!" factor | "(" relation ")" | number | string | name */
  std::unique_ptr<Nodo> Fattore() {
    Livello livello(*this);
    if (!ok_ || AllaFine()) return nullptr;
    TDatiGlob& g = DatiGlob;
    const char32_t c = g.ChCorrente;
    if (c == U'!') {
      NextChar();
      auto n = std::make_unique<NodoNon>();
      n->operando = Fattore();
      if (!ok_) return nullptr;
      n->dopo = Qui();
      return n;
    }
    if (c == U'"') {
      auto n = std::make_unique<NodoStringa>();
      PValore testo = ReadString(true);
      n->testo = static_cast<const cValoreStringa&>(*testo).Value;
      n->dopo = n->finito = Qui();
      return n;
    }
    if (c == U'(') {
      NextChar();
      auto n = Relazione();
      if (!ok_) return nullptr;
      SaltaSpazi();
      if (g.ChCorrente != U')' || g.bFine) {
        ok_ = false;
        return nullptr;
      }
      NextChar();
      n->dopo = Qui();
      return n;
    }
    if (IsCifra(c)) {
      ErroreLettura errore;
      const std::optional<Reale> valore = LeggiNumeroLetterale(errore);
      if (!valore) {
        ok_ = false;
        return nullptr;
      }
      auto n = std::make_unique<NodoNumero>();
      n->valore = *valore;
      n->dopo = n->finito = Qui();
      return n;
    }
    return Nome();
  }

  /* name [ "." member ] [ "(" relation { separator relation } ")" [ "." member [ "(" ... ")" ] ] ] */
  std::unique_ptr<Nodo> Nome() {
    TDatiGlob& g = DatiGlob;
    auto n = std::make_unique<NodoNome>();
    n->prima = Qui();
    detail::LeggiToken();
    n->nome = g.TokenCorrente;
    SaltaSpazi();
    if (!g.bFine) {
      if (g.ChCorrente == U'.') Membro(*n);
      if (!g.bFine && g.ChCorrente == U'(') {
        if (!Parentesi(*n)) return nullptr;
        if (!g.bFine && g.ChCorrente == U'.') {
          Membro(*n);
          if (!g.bFine && g.ChCorrente == U'(' && !Parentesi(*n)) return nullptr;
        }
      }
    }
    if (!ok_) return nullptr;
    n->dopo = n->dopoArgomenti = Qui();
    bool soloArgomenti = true;
    for (const auto& a : n->argomenti) soloArgomenti = soloArgomenti && !a.membro;
    if (n->argomenti.empty()) n->costante = CmdCostanti(ListaArgomenti{}, n->nome);
    n->comando = RisolviComando(n->nome);
    if (!soloArgomenti) n->comando.numerica = nullptr;
    return n;
  }

  void Membro(NodoNome& n) {
    NextChar();  // past the dot
    NodoNome::Argomento a;
    a.membro = true;
    a.prima = Qui();
    detail::LeggiToken();
    a.cella = std::string(1, MARCA_MEMBRO) + DatiGlob.TokenCorrente;
    n.argomenti.push_back(std::move(a));
    SaltaSpazi();
  }

  bool Parentesi(NodoNome& n) {
    TDatiGlob& g = DatiGlob;
    NextChar();  // past "("
    for (;;) {
      NodoNome::Argomento a;
      a.espressione = Relazione();
      if (!ok_) return false;
      n.argomenti.push_back(std::move(a));
      SaltaSpazi();
      if (g.bFine) {
        ok_ = false;
        return false;
      }
      if (g.ChCorrente == U')') {
        NextChar();
        SaltaSpazi();
        return true;
      }
      NextChar();  // the separator
    }
  }

  int profondita_ = 0;
  bool ok_ = true;
};

// ---------------------------------------------------------------------------------------
// Evaluating a tree, as the routines of Espressioni.cpp and EvalIdentifier evaluate the text.

// Writes a recorded position back into the scanner's state, where a report or a command may
// look at it, and where the reading goes on after a stop.
// Out of line: it comes before reports, stops and commands, never on a number's road.
[[gnu::noinline]] void Posiziona(const FineLettura& p) { VaiA(p); }

Valutato Interrotto() {
  Valutato v;
  v.interrotto = true;
  return v;
}

// Reports a message at the place `dove` of the text.
Valutato Errore(const FineLettura& dove, const std::string& messaggio) {
  Posiziona(dove);
  ReportError(messaggio, true);
  return Interrotto();
}

// Where the reading stands when the run is found stopped right after the operand `n`: only a
// literal returns without having left the position itself.
void PosizionaDopo(const Nodo& n) {
  if (n.specie == Specie::Numero) Posiziona(static_cast<const NodoNumero&>(n).finito);
  else if (n.specie == Specie::Stringa) Posiziona(static_cast<const NodoStringa&>(n).finito);
  else Posiziona(n.dopo);
}

// The value the run stopped at: the position is left where the text's would be.
Valutato Fermato(const Valutato& dato, const Nodo& da) {
  if (!dato.interrotto) PosizionaDopo(da);
  return Interrotto();
}
// Fermato in place, where a routine gives back the very value it holds.
[[gnu::noinline]] void Ferma(Valutato& dato, const Nodo& da) { dato = Fermato(dato, da); }

// The window's and the stop's roads of a hook, out of line so that the routines that make a
// hook keep their common road short.
[[gnu::noinline]] void GancioDellaFinestra(int riga) {
  DatiGlob.IndiceRiga = riga;  // a report at the hook names this line
  detail::ChiamaElaboraMessaggi();
}
[[gnu::noinline]] void LeggiDopoLaFine(const FineLettura& prima) {
  VaiA(prima);
  DatiGlob.bFine = true;
  detail::LeggiToken();
}

// The message hook of NextToken before the name read from `prima`. After a stop by the
// window's stop command (bFine set too) the text reads what stands there as a token and goes
// no further: so does this, and gives false.
[[gnu::always_inline]] inline bool Pompa(const FineLettura& prima) {
  const TDatiGlob& g = DatiGlob;
  if (--detail::gMessaggiIgnorati < 0) [[unlikely]] GancioDellaFinestra(prima.IndiceRiga);
  if (g.bStop && g.bFine) [[unlikely]] {
    LeggiDopoLaFine(prima);
    return false;
  }
  return true;
}

Valutato Numero(Reale x) {
  Valutato v;
  v.tipo = T_REALE;
  v.numero = x;
  return v;
}

Valutato Logico(bool b) {
  Valutato v;
  v.tipo = T_BOOLEANO;
  v.numero = b ? 1 : 0;
  return v;
}

// The operand objects for an operator of Operatori.h: numbers and logical values are held
// here for the call (their names do not matter to an operator).
class Operandi {
 public:
  const cValore& Di(const Valutato& v, int i) {
    if (v.oggetto) return *v.oggetto;
    if (v.tipo == T_REALE) {
      reali_[i].Value = v.numero;
      return reali_[i];
    }
    logici_[i].Value = v.numero != 0;
    return logici_[i];
  }

 private:
  cValoreReale reali_[2];
  cValoreBool logici_[2];
};

// A value that an operator or a command of the text gives: numbers and logical values become
// plain numbers, keeping the name they bear in `nome` (an operator's new value has none).
Valutato DaOggetto(PValore r, std::string* nome) {
  Valutato v;
  if (!r) return v;
  v.tipo = r->Tipo;
  if (v.tipo == T_REALE || v.tipo == T_BOOLEANO) {
    v.numero = v.tipo == T_REALE ? static_cast<const cValoreReale&>(*r).Value
                                 : (static_cast<const cValoreBool&>(*r).Value ? 1 : 0);
    if (nome && !r->Nome.empty()) {
      *nome = r->Nome;
      v.nome = nome;
    }
  } else {
    v.oggetto = std::move(r);
  }
  return v;
}

// The operator of the text on two values that are not both of the kinds handled here.
bool OperaTesto(Op op, Valutato& a, Valutato& b, const FineLettura& dove) {
  Operandi o;
  const cValore& x = o.Di(a, 0);
  const cValore& y = o.Di(b, 1);
  Posiziona(dove);
  PValore r;
  switch (op) {
    case Op::Piu: r = OpAdd(x, y); break;
    case Op::Meno: r = OpSubtract(x, y); break;
    case Op::Concatena: r = OpConcat(x, y); break;
    case Op::O: r = OpOr(x, y); break;
    case Op::Per: r = OpMultiply(x, y); break;
    case Op::Diviso: r = OpDivide(x, y); break;
    case Op::Div: r = OpIntDiv(x, y); break;
    case Op::Mod: r = OpMod(x, y); break;
    case Op::E: r = OpAnd(x, y); break;
    case Op::Potenza: r = OpPower(x, y); break;
  }
  if (DatiGlob.bStop) return false;
  a = DaOggetto(std::move(r), nullptr);
  return true;
}

// The text of a string or a number in a concatenation, as OpConcat writes it.
void AccodaTesto(std::string& s, const Valutato& v) {
  if (v.tipo == T_STRINGA) AccodaParte(s, static_cast<const cValoreStringa&>(*v.oggetto).Value);
  else AccodaParte(s, NumeroInTesto(v.numero));
}

// The length of a string's text, or more than a number's.
std::size_t LunghezzaAlPiu(const Valutato& v) {
  constexpr std::size_t kCifreAlPiu = 64;
  return v.tipo == T_STRINGA ? static_cast<const cValoreStringa&>(*v.oggetto).Value.size() : kCifreAlPiu;
}

// a := a op b, as the operator of the text gives it; false after a report. Every result is a
// new value, which bears no name: X + 1 is not X to CANCELLA.
bool Applica(Op op, Valutato& a, Valutato& b, const FineLettura& dove) {
  const bool numeri = a.tipo == T_REALE && b.tipo == T_REALE;
  const bool logici = a.tipo == T_BOOLEANO && b.tipo == T_BOOLEANO;
  switch (op) {
    case Op::Piu:
      if (!numeri) break;
      a.numero = a.numero + b.numero;
      a.nome = nullptr;
      return true;
    case Op::Meno:
      if (!numeri) break;
      a.numero = a.numero - b.numero;
      a.nome = nullptr;
      return true;
    case Op::Per:
      if (!numeri) break;
      a.numero *= b.numero;
      a.nome = nullptr;
      return true;
    case Op::Diviso:
      if (!numeri || DivisoreNullo(b.numero)) break;
      a.numero = QuozienteReali(a.numero, b.numero);
      a.nome = nullptr;
      return true;
    case Op::Div:
    case Op::Mod: {
      const bool resto = op == Op::Mod;
      if (!numeri) break;
      if (!DivisioneInteraBreve(a.numero, b.numero, resto)) {
        if (ErroreDivisioneIntera(a.numero, b.numero, resto)) break;
        a.numero = DivisioneInteraReali(a.numero, b.numero, resto);
      }
      a.nome = nullptr;
      return true;
    }
    case Op::Potenza:
      if (!numeri) break;
      a.numero = qx::Potenza(a.numero, b.numero);
      a.nome = nullptr;
      return true;
    case Op::E:
    case Op::O:
      if (!logici) break;
      a.numero = op == Op::E ? (a.numero != 0 && b.numero != 0) : (a.numero != 0 || b.numero != 0);
      a.nome = nullptr;
      return true;
    case Op::Concatena: {
      const bool testoA = a.tipo == T_STRINGA || a.tipo == T_REALE;
      const bool testoB = b.tipo == T_STRINGA || b.tipo == T_REALE;
      if (!testoA || !testoB) break;
      // Near the longest string the text's own operator measures exactly and says why.
      if (LunghezzaAlPiu(a) + LunghezzaAlPiu(b) > LUNGHEZZA_MASSIMA_STRINGA) break;
      if (a.tipo == T_STRINGA) {
        // The left string is this evaluation's own: it grows in place into the new value.
        auto& s = static_cast<cValoreStringa&>(*a.oggetto);
        if (!s.Nome.empty()) s.Nome.clear();
        AccodaTesto(s.Value, b);
      } else {
        auto s = std::make_unique<cValoreStringa>(NumeroInTesto(a.numero));
        AccodaTesto(s->Value, b);
        a.oggetto = std::move(s);
        a.tipo = T_STRINGA;
        a.nome = nullptr;
      }
      return true;
    }
  }
  return OperaTesto(op, a, b, dove);
}

inline Valutato Valuta(Nodo& n) { return n.valuta(n); }
inline bool Analizza(Nodo& n) { return n.analizza(n); }

Valutato ValutaLetterale(Nodo& n) { return Numero(static_cast<NodoNumero&>(n).valore); }

Valutato ValutaStringa(Nodo& n) {
  Valutato v;
  v.tipo = T_STRINGA;
  v.oggetto = std::make_unique<cValoreStringa>(static_cast<NodoStringa&>(n).testo);
  return v;
}

// The comparison of two values of a relation.
Valutato Confronto(NodoRelazione& n, Valutato& a, Valutato& b) {
  if (a.Niente() || b.Niente()) return Errore(n.destro->dopo, ParoleChiave.msgIdentificatore);
  if (a.tipo == T_REALE && b.tipo == T_REALE) return Logico(ConfrontaReali(a.numero, b.numero, n.relazione));
  if (a.tipo == T_BOOLEANO && b.tipo == T_BOOLEANO &&
      (n.relazione == Relazione::Uguale || n.relazione == Relazione::Diverso))
    return Logico(((a.numero != 0) == (b.numero != 0)) == (n.relazione == Relazione::Uguale));
  if (a.tipo == T_STRINGA && b.tipo == T_STRINGA) {
    const int c = static_cast<const cValoreStringa&>(*a.oggetto).Value.compare(
        static_cast<const cValoreStringa&>(*b.oggetto).Value);
    return Logico(ConfrontaReali(c < 0 ? -1 : (c > 0 ? 1 : 0), 0, n.relazione));
  }
  Operandi o;
  const cValore& x = o.Di(a, 0);
  const cValore& y = o.Di(b, 1);
  Posiziona(n.destro->dopo);
  PValore r = Confronta(x, y, n.operatore);
  if (DatiGlob.bStop) return Interrotto();
  return DaOggetto(std::move(r), nullptr);
}

/* relation = sum [ relop sum ] */
Valutato ValutaRelazione(Nodo& nodo) {
  auto& n = static_cast<NodoRelazione&>(nodo);
  TDatiGlob& g = DatiGlob;
  if (n.mostra) MostraRiga(n.riga);
  Valutato a = Valuta(*n.sinistro);
  if (g.bStop) [[unlikely]] return Fermato(a, *n.sinistro);
  Valutato b = Valuta(*n.destro);
  if (g.bStop) [[unlikely]] return Fermato(b, *n.destro);
  return Confronto(n, a, b);
}

// A relation without a relational operator: its sum.
Valutato ValutaSomma(Nodo& nodo) {
  auto& n = static_cast<NodoRelazione&>(nodo);
  if (n.mostra) MostraRiga(n.riga);
  Valutato a = Valuta(*n.sinistro);
  if (DatiGlob.bStop) [[unlikely]] Ferma(a, *n.sinistro);
  return a;
}

// The chain from its step `k` on, `a` being the value so far (its sign still to apply when
// k is 0 and `segno` is true).
Valutato CatenaDa(NodoCatena& n, Valutato a, std::size_t k, bool segno) {
  TDatiGlob& g = DatiGlob;
  if (segno && n.segno) {
    if (a.Niente()) return Errore(n.primo->dopo, ParoleChiave.msgIdentificatore);
    if (a.tipo != T_REALE) return Errore(n.primo->dopo, ParoleChiave.msgNegareNumerico);
    if (n.segno == U'-') {
      a.numero = -a.numero;
      a.nome = nullptr;
    }
  }
  for (; k < n.passi.size(); ++k) {
    NodoCatena::Passo& p = n.passi[k];
    if (p.op == Op::Concatena && p.operando->specie == Specie::Stringa && (a.tipo == T_STRINGA || a.tipo == T_REALE) &&
        LunghezzaAlPiu(a) + static_cast<const NodoStringa&>(*p.operando).testo.size() <= LUNGHEZZA_MASSIMA_STRINGA) {
      // A string literal joins the text without a value of its own (reading it does nothing else).
      if (a.tipo == T_REALE) {
        a.oggetto = std::make_unique<cValoreStringa>(NumeroInTesto(a.numero));
        a.tipo = T_STRINGA;
        a.nome = nullptr;
      }
      auto& s = static_cast<cValoreStringa&>(*a.oggetto);
      if (!s.Nome.empty()) s.Nome.clear();
      AccodaParte(s.Value, static_cast<const NodoStringa&>(*p.operando).testo);
      continue;
    }
    Valutato b = Valuta(*p.operando);
    if (g.bStop) [[unlikely]] return Fermato(b, *p.operando);
    if (a.Niente() || b.Niente()) return Errore(p.operando->dopo, ParoleChiave.msgIdentificatore);
    if (!Applica(p.op, a, b, p.operando->dopo)) return Interrotto();
  }
  return a;
}

Valutato ValutaCatena(Nodo& nodo) {
  auto& n = static_cast<NodoCatena&>(nodo);
  Valutato a = Valuta(*n.primo);
  if (DatiGlob.bStop) [[unlikely]] return Fermato(a, *n.primo);
  return CatenaDa(n, std::move(a), 0, true);
}

Valutato ValutaNon(Nodo& nodo) {
  auto& n = static_cast<NodoNon&>(nodo);
  Valutato a = Valuta(*n.operando);
  if (DatiGlob.bStop) [[unlikely]] return Fermato(a, *n.operando);
  if (a.Niente()) return Errore(n.operando->dopo, ParoleChiave.msgIdentificatore);
  if (a.tipo != T_BOOLEANO) return Errore(n.operando->dopo, ParoleChiave.msgNegareLogico);
  a.numero = a.numero != 0 ? 0 : 1;
  a.nome = nullptr;
  return a;
}

// An argument's value as Valuta gives it, into `v`: numbers and logical values are computed as
// scalare computes them, and bear the name that Valuta gives them (see PreparaNomi).
void ValutaArgomento(NodoRelazione& e, Valutato& v) {
  if (v.oggetto) v.oggetto.reset();
  v.tipo = T_1;
  v.interrotto = false;
  v.nome = nullptr;
  TipiValore t;
  const Reale x = e.scalare(e, t, v);
  if (t == T_1) return;
  if (v.oggetto) v.oggetto.reset();
  v.tipo = t;
  v.numero = x;
  v.interrotto = false;
  v.nome = e.fonteNome ? e.fonteNome->nomeFonte : nullptr;
}

// The name's message hooks and its arguments, as LeggiArgomenti reads them (with `esegui`
// false only read); false when the run stopped, with the position left as the text's.
bool LeggiArgomenti(NodoNome& n, bool esegui) {
  TDatiGlob& g = DatiGlob;
  if (!Pompa(n.prima)) return false;
  // Each evaluation writes over the values of the one before, which nothing holds any more.
  const std::size_t quanti = n.argomenti.size();
  if (n.valori.size() != quanti) n.valori.resize(quanti);
  for (std::size_t i = 0; i < quanti; ++i) {
    NodoNome::Argomento& a = n.argomenti[i];
    Valutato& v = n.valori[i];
    if (a.membro) {
      v = Valutato{};
      if (!Pompa(a.prima)) return false;
      continue;
    }
    if (esegui) {
      ValutaArgomento(*a.espressione, v);
      if (g.bStop) {
        Fermato(v, *a.espressione);
        return false;
      }
    } else {
      v = Valutato{};
      if (!Analizza(*a.espressione) && g.bStop) PosizionaDopo(*a.espressione);
      if (g.bStop) return false;
    }
  }
  if (g.bStop) [[unlikely]] {
    // A stop at a hook that did not end the text: the text read on to here.
    Posiziona(n.dopoArgomenti);
    return false;
  }
  return true;
}

// The argument list the command receives: members as their cells, the other arguments as
// value objects (nothing in parse-only mode).
ListaArgomenti& ListaDi(NodoNome& n) {
  n.lista.Clear();
  for (std::size_t i = 0; i < n.argomenti.size(); ++i) {
    if (n.argomenti[i].membro) n.lista.Aggiungi(std::make_unique<cValoreStringa>(n.argomenti[i].cella));
    else n.lista.Aggiungi(n.valori[i].Scatola());
  }
  return n.lista;
}

// The arguments as numbers, when they all are; false otherwise.
bool TuttiNumeri(const NodoNome& n, Reale* numeri, int massimo) {
  if (static_cast<int>(n.valori.size()) > massimo) return false;
  for (std::size_t i = 0; i < n.valori.size(); ++i) {
    const Valutato& v = n.valori[i];
    if (v.tipo != T_REALE || v.oggetto || n.argomenti[i].membro) return false;
    numeri[i] = v.numero;
  }
  return true;
}

constexpr int kArgomentiNumerici = 8;

// An element read in place, out of line: the readers of the other kinds of name stay small.
[[gnu::noinline]] const Reale* CellaLetta(const cVariabile& var, const Reale* indici, int quanti) {
  return CellaNumero(var, indici, quanti);
}

// A number or logical variable read by its name: the value bears the name the text's copy
// would bear.
Valutato LeggiNumeroVariabile(NodoNome& n, const cVariabile& var, const cValore& valore) {
  Valutato v;
  v.tipo = valore.Tipo;
  if (v.tipo == T_REALE) CopiaReale(v.numero, static_cast<const cValoreReale&>(valore).Value);
  else v.numero = static_cast<const cValoreBool&>(valore).Value ? 1 : 0;
  const std::string& nome = valore.Nome.empty() ? var.Nome : valore.Nome;
  if (!StessoTesto(n.nomeLetto, nome)) n.nomeLetto = nome;
  v.nome = &n.nomeLetto;
  return v;
}

Valutato LeggiVariabileCompilata(NodoNome& n, cVariabile& var) {
  cValore* valore = var.GetValore();
  if (!valore) return {};
  if (n.argomenti.empty()) {
    if (valore->Tipo == T_REALE || valore->Tipo == T_BOOLEANO) return LeggiNumeroVariabile(n, var, *valore);
    Valutato v;
    v.tipo = valore->Tipo;
    v.oggetto = valore->Clona();
    if (v.oggetto->Nome.empty()) v.oggetto->Nome = var.Nome;
    return v;
  }
  Reale indici[kArgomentiNumerici];
  Valutato v;
  const Reale* cella = TuttiNumeri(n, indici, kArgomentiNumerici)
                          ? CellaLetta(var, indici, static_cast<int>(n.valori.size()))
                          : nullptr;
  if (cella) {
    v.numero = *cella;
    // An element bears the variable's name, as LeggiVariabile gives it.
    v.tipo = T_REALE;
    if (!StessoTesto(n.nomeLetto, var.Nome)) n.nomeLetto = var.Nome;
    v.nome = &n.nomeLetto;
    return v;
  }
  ListaArgomenti& lista = ListaDi(n);
  Posiziona(n.dopoArgomenti);
  PValore r = LeggiVariabile(var, lista, true);
  lista.Clear();
  if (DatiGlob.bStop) return Interrotto();
  return DaOggetto(std::move(r), &n.nomeLetto);
}

// A name that is no variable: a constant, or a command of the expression table.
Valutato ValutaComando(NodoNome& n) {
  TDatiGlob& g = DatiGlob;
  if (n.costante) {
    Valutato v;
    v.tipo = n.costante->Tipo;
    if (v.tipo == T_REALE) v.numero = static_cast<const cValoreReale&>(*n.costante).Value;
    else if (v.tipo == T_BOOLEANO) v.numero = static_cast<const cValoreBool&>(*n.costante).Value ? 1 : 0;
    else v.oggetto = n.costante->Clona();
    return v;
  }
  if (!n.comando.gestore) {
    // On the name's line, as the text's reading reports it.
    Posiziona(n.dopoArgomenti);
    ReportErrorAllaRiga(ParoleChiave.msgIdentificatore, n.prima.IndiceRiga);
    return Interrotto();
  }
  Reale numeri[kArgomentiNumerici];
  if (n.comando.numerica && TuttiNumeri(n, numeri, kArgomentiNumerici)) {
    bool riuscita;
    const Reale r = n.comando.numerica(numeri, static_cast<int>(n.valori.size()), riuscita);
    if (riuscita) return Numero(r);  // numbers are never anonymous objects to remove
  }
  ListaArgomenti& lista = ListaDi(n);
  Posiziona(n.dopoArgomenti);
  PValore r;
  {
    const RisultatoAssegnato assegnato(n.valoreAssegnato);
    r = (*n.comando.gestore)(lista, n.nome, true);
  }
  if (!g.bStop) RimuoviArgomentiAnonimi(lista);
  lista.Clear();
  if (g.bStop) return Interrotto();
  return DaOggetto(std::move(r), &n.nomeLetto);
}

Valutato ValutaNome(Nodo& nodo) {
  auto& n = static_cast<NodoNome&>(nodo);
  TDatiGlob& g = DatiGlob;
  if (!LeggiArgomenti(n, true)) return Interrotto();
  if (cVariabile* var = g.ListaVariabili ? n.variabile.TrovaStessoNome(n.nome) : nullptr)
    return LeggiVariabileCompilata(n, *var);
  return ValutaComando(n);
}

// A name without members or arguments, most often a variable.
[[gnu::always_inline]] inline Valutato NomeSolo(NodoNome& n) {
  TDatiGlob& g = DatiGlob;
  if (!Pompa(n.prima)) return Interrotto();
  if (g.bStop) [[unlikely]] {
    Posiziona(n.dopoArgomenti);
    return Interrotto();
  }
  cVariabile* var = g.ListaVariabili ? n.variabile.TrovaStessoNome(n.nome) : nullptr;
  if (!var) return ValutaComando(n);
  const cValore* valore = var->GetValore();
  if (valore && (valore->Tipo == T_REALE || valore->Tipo == T_BOOLEANO)) [[likely]]
    return LeggiNumeroVariabile(n, *var, *valore);
  return LeggiVariabileCompilata(n, *var);
}

Valutato ValutaNomeSolo(Nodo& nodo) { return NomeSolo(static_cast<NodoNome&>(nodo)); }

// A relation that is a lone name without arguments (a variable, most often): ValutaSomma and
// ValutaNomeSolo in one.
Valutato ValutaSommaNomeSolo(Nodo& nodo) {
  auto& n = static_cast<NodoRelazione&>(nodo);
  if (n.mostra) MostraRiga(n.riga);
  Valutato a = NomeSolo(static_cast<NodoNome&>(*n.sinistro));
  if (DatiGlob.bStop) [[unlikely]] Ferma(a, *n.sinistro);
  return a;
}

// ---- Parse-only reading: the hooks, and the commands called with Esegui false ----

bool AnalizzaLetterale(Nodo&) { return false; }

// True when the run stopped inside and the position was left as the text's.
// What AnalizzaNome does once the name's hooks and arguments were read.
bool AnalizzaDopoArgomenti(NodoNome& n) {
  TDatiGlob& g = DatiGlob;
  // Only a command is called, when the name is no variable: a name that stands for none (most
  // names) needs no look-up.
  if (n.costante || !n.comando.gestore) return false;
  if (g.ListaVariabili && n.variabile.TrovaStessoNome(n.nome)) return false;
  ListaArgomenti& lista = ListaDi(n);
  Posiziona(n.dopoArgomenti);
  PValore r = (*n.comando.gestore)(lista, n.nome, false);
  lista.Clear();
  return g.bStop;
}

bool AnalizzaNome(Nodo& nodo) {
  auto& n = static_cast<NodoNome&>(nodo);
  if (!LeggiArgomenti(n, false)) return true;
  return AnalizzaDopoArgomenti(n);
}

// AnalizzaNome of a name without members or arguments (LeggiArgomenti reads only its hook).
bool AnalizzaNomeSolo(Nodo& nodo) {
  auto& n = static_cast<NodoNome&>(nodo);
  if (!Pompa(n.prima)) return true;
  if (DatiGlob.bStop) [[unlikely]] {
    Posiziona(n.dopoArgomenti);
    return true;
  }
  if (n.costante || !n.comando.gestore) return false;  // AnalizzaDopoArgomenti's first answer
  return AnalizzaDopoArgomenti(n);
}

// Each child that stopped the run returns true; a leaf never does.
bool AnalizzaFiglio(Nodo& figlio) {
  const bool interrotto = Analizza(figlio);
  if (DatiGlob.bStop && !interrotto) PosizionaDopo(figlio);
  return DatiGlob.bStop;
}

bool AnalizzaNon(Nodo& n) { return AnalizzaFiglio(*static_cast<NodoNon&>(n).operando); }

bool AnalizzaCatena(Nodo& nodo) {
  auto& c = static_cast<NodoCatena&>(nodo);
  if (AnalizzaFiglio(*c.primo)) return true;
  for (NodoCatena::Passo& p : c.passi)
    if (AnalizzaFiglio(*p.operando)) return true;
  return false;
}

bool AnalizzaRelazioneRicorsiva(NodoRelazione& r) {
  if (AnalizzaFiglio(*r.sinistro)) return true;
  return r.destro && AnalizzaFiglio(*r.destro);
}

// The same reading, from name to name: between them it only passes literals and operators,
// which do nothing; a name that stopped the run has left the position as the text's (one that
// did not say so is positioned after, as the operand around it would do).
bool AnalizzaRelazione(Nodo& nodo) {
  auto& r = static_cast<NodoRelazione&>(nodo);
  // Read while the run is already stopped (the argument of a name stopped at its hook): the
  // first operand positions the reading, the tree's way.
  if (DatiGlob.bStop) [[unlikely]] return AnalizzaRelazioneRicorsiva(r);
  for (NodoNome* n : r.nomiLetti) {
    if (n->analizza(*n)) return true;
    if (DatiGlob.bStop) [[unlikely]] {
      PosizionaDopo(*n);
      return true;
    }
  }
  return false;
}

void RaccogliNomi(Nodo& n, std::vector<NodoNome*>& nomi) {
  switch (n.specie) {
    case Specie::Nome: nomi.push_back(&static_cast<NodoNome&>(n)); return;
    case Specie::Non: return RaccogliNomi(*static_cast<NodoNon&>(n).operando, nomi);
    case Specie::Catena: {
      auto& c = static_cast<NodoCatena&>(n);
      RaccogliNomi(*c.primo, nomi);
      for (NodoCatena::Passo& p : c.passi) RaccogliNomi(*p.operando, nomi);
      return;
    }
    case Specie::Relazione: {
      auto& r = static_cast<NodoRelazione&>(n);
      RaccogliNomi(*r.sinistro, nomi);
      if (r.destro) RaccogliNomi(*r.destro, nomi);
      return;
    }
    default: return;
  }
}

// ---- Numbers and logical values held as a number (Nodo::scalare) ----

inline Reale Scalare(Nodo& n, TipiValore& t, Valutato& altro) { return n.scalare(n, t, altro); }

// A value given by Valuta, as scalare gives it.
[[gnu::always_inline]] inline Reale Scalato(const Valutato& v, TipiValore& t) {
  if ((v.tipo == T_REALE || v.tipo == T_BOOLEANO) && !v.oggetto) {
    t = v.tipo;
    return v.numero;
  }
  t = T_1;
  return 0;
}

// Nothing to give but `altro`.
[[gnu::always_inline]] inline Reale Altro(TipiValore& t) {
  t = T_1;
  return 0;
}

Reale ScalareGenerico(Nodo& n, TipiValore& t, Valutato& altro) {
  altro = n.valuta(n);
  return Scalato(altro, t);
}

Reale ScalareLetterale(Nodo& n, TipiValore& t, Valutato&) {
  t = T_REALE;
  return static_cast<NodoNumero&>(n).valore;
}

// The run stopped after the operand `n`, which gave `t` (and `altro`).
[[gnu::noinline]] Reale FermatoScalare(TipiValore& t, Valutato& altro, const Nodo& n) {
  if (!(t == T_1 && altro.interrotto)) PosizionaDopo(n);
  altro = Interrotto();
  return Altro(t);
}

// The name a number or logical value read from the variable `var` bears, kept in the node.
[[gnu::noinline]] void CopiaNomeLetto(NodoNome& n, const std::string& nome) { n.nomeLetto = nome; }

// A place reads the same variable on every pass: the name is nearly always the one kept.
inline void RegistraNomeVariabile(NodoNome& n, const cVariabile& var, const cValore& valore) {
  const std::string& nome = valore.Nome.empty() ? var.Nome : valore.Nome;
  if (!StessoTesto(n.nomeLetto, nome)) [[unlikely]] CopiaNomeLetto(n, nome);
  n.nomeFonte = &n.nomeLetto;
}

// What `altro` holds, as scalare gives it; for an argument's name source, with its name.
[[gnu::always_inline]] inline Reale ScalatoNominato(NodoNome& n, const Valutato& altro, TipiValore& t) {
  const Reale x = Scalato(altro, t);
  if (n.registraNome) n.nomeFonte = t != T_1 ? altro.nome : nullptr;
  return x;
}

[[gnu::noinline]] Reale NomeSoloLento(NodoNome& n, cVariabile* var, TipiValore& t, Valutato& altro) {
  if (!var) {
    if (n.costante && n.costante->Tipo == T_REALE) {
      t = T_REALE;
      n.nomeFonte = nullptr;
      return static_cast<const cValoreReale&>(*n.costante).Value;
    }
    altro = ValutaComando(n);
  } else {
    altro = LeggiVariabileCompilata(n, *var);
  }
  return ScalatoNominato(n, altro, t);
}

// A name without arguments, most often a variable. Where the node is an argument's name
// source (`registraNome`) it records the name of what it gives.
// NomeSoloScalare of a run found stopped at the name's hook (`posiziona`: with the reading
// going on after it).
[[gnu::noinline]] Reale NomeSoloInterrotto(NodoNome& n, bool posiziona, TipiValore& t, Valutato& altro) {
  if (posiziona) Posiziona(n.dopoArgomenti);
  altro = Interrotto();
  return Altro(t);
}

// NomeSoloScalare, which for a number variable gives where its value lies (the value is then
// not read: see RealeTenuto); nullptr when the value is returned in `x`.
[[gnu::always_inline]] inline const Reale* NomeSoloLuogo(NodoNome& n, TipiValore& t, Valutato& altro, Reale& x) {
  TDatiGlob& g = DatiGlob;
  if (!Pompa(n.prima)) {
    x = NomeSoloInterrotto(n, false, t, altro);
    return nullptr;
  }
  if (g.bStop) [[unlikely]] {
    x = NomeSoloInterrotto(n, true, t, altro);
    return nullptr;
  }
  cVariabile* var = g.ListaVariabili ? n.variabile.TrovaStessoNome(n.nome) : nullptr;
  const cValore* valore = var ? var->GetValore() : nullptr;
  if (valore && valore->Tipo == T_REALE) [[likely]] {
    if (n.registraNome) [[unlikely]] RegistraNomeVariabile(n, *var, *valore);
    t = T_REALE;
    return &static_cast<const cValoreReale*>(valore)->Value;
  }
  if (valore && valore->Tipo == T_BOOLEANO) {
    if (n.registraNome) RegistraNomeVariabile(n, *var, *valore);
    t = T_BOOLEANO;
    x = static_cast<const cValoreBool*>(valore)->Value ? 1 : 0;
    return nullptr;
  }
  x = NomeSoloLento(n, var, t, altro);
  return nullptr;
}

[[gnu::always_inline]] inline Reale NomeSoloScalare(NodoNome& n, TipiValore& t, Valutato& altro) {
  Reale x;
  const Reale* luogo = NomeSoloLuogo(n, t, altro, x);
  return luogo ? *luogo : x;
}

Reale ScalareNomeSolo(Nodo& nodo, TipiValore& t, Valutato& altro) {
  return NomeSoloScalare(static_cast<NodoNome&>(nodo), t, altro);
}

// ScalareNome of a name with members, or with more arguments than a numeric form takes.
[[gnu::noinline]] Reale NomeScalareGenerale(NodoNome& n, TipiValore& t, Valutato& altro) {
  if (!LeggiArgomenti(n, true)) {
    altro = Interrotto();
    return Altro(t);
  }
  Reale numeri[kArgomentiNumerici];
  if (cVariabile* var = DatiGlob.ListaVariabili ? n.variabile.TrovaStessoNome(n.nome) : nullptr) {
    const cValore* valore = var->GetValore();
    if (valore && TuttiNumeri(n, numeri, kArgomentiNumerici)) {
      if (const Reale* cella = CellaLetta(*var, numeri, static_cast<int>(n.valori.size()))) {
        if (n.registraNome) {
          // An element bears the variable's name, as LeggiVariabileCompilata gives it.
          if (!StessoTesto(n.nomeLetto, var->Nome)) n.nomeLetto = var->Nome;
          n.nomeFonte = &n.nomeLetto;
        }
        t = T_REALE;
        return *cella;
      }
    }
    altro = LeggiVariabileCompilata(n, *var);
    return ScalatoNominato(n, altro, t);
  }
  if (!n.costante && n.comando.numerica && TuttiNumeri(n, numeri, kArgomentiNumerici)) {
    bool riuscita;
    const Reale r = n.comando.numerica(numeri, static_cast<int>(n.valori.size()), riuscita);
    if (riuscita) {
      n.nomeFonte = nullptr;
      t = T_REALE;
      return r;
    }
  }
  altro = ValutaComando(n);
  return ScalatoNominato(n, altro, t);
}

// A relation without a relational operator: its sum. The commonest sums, a lone literal and a
// lone name, are read here without a further call.
Reale ScalareSommaLetterale(Nodo& nodo, TipiValore& t, Valutato&) {
  auto& n = static_cast<NodoRelazione&>(nodo);
  if (n.mostra) MostraRiga(n.riga);
  t = T_REALE;
  return static_cast<NodoNumero&>(*n.sinistro).valore;
}

[[gnu::always_inline]] inline Reale SommaNomeSolo(NodoRelazione& n, TipiValore& t, Valutato& altro) {
  if (n.mostra) MostraRiga(n.riga);
  const Reale x = NomeSoloScalare(static_cast<NodoNome&>(*n.sinistro), t, altro);
  if (DatiGlob.bStop) [[unlikely]] return FermatoScalare(t, altro, *n.sinistro);
  return x;
}

Reale ScalareSommaNomeSolo(Nodo& nodo, TipiValore& t, Valutato& altro) {
  return SommaNomeSolo(static_cast<NodoRelazione&>(nodo), t, altro);
}

// A relation as scalare gives it, into `dove`; a lone literal or name without a call: a
// number that lies in memory (a literal, a number variable) is copied as its bytes (see
// RealeTenuto).
[[gnu::always_inline]] inline void RelazioneInMemoria(NodoRelazione& e, TipiValore& t, Valutato& altro,
                                                      Reale& dove) {
  if (e.scalare == ScalareSommaNomeSolo) {
    if (e.mostra) MostraRiga(e.riga);
    Reale x;
    const Reale* luogo = NomeSoloLuogo(static_cast<NodoNome&>(*e.sinistro), t, altro, x);
    if (DatiGlob.bStop) [[unlikely]] {
      dove = FermatoScalare(t, altro, *e.sinistro);
      return;
    }
    if (luogo) CopiaReale(dove, *luogo);
    else if (t == T_1) AzzeraReale(dove);  // the value is in `altro`
    else dove = x;
    return;
  }
  if (e.letterale) {
    if (e.mostra) MostraRiga(e.riga);
    t = T_REALE;
    CopiaReale(dove, *e.letterale);
    return;
  }
  dove = e.scalare(e, t, altro);
}

// The arguments of a name that has only expressions between its parentheses, at most
// kArgomentiNumerici of them, computed as scalare computes them: the numbers stay here, and
// the values are written into the node's `valori` only for a command or a reader that takes
// them (Materializza).
struct ArgomentiNumerici {
  Reale numeri[kArgomentiNumerici];
  TipiValore tipi[kArgomentiNumerici];
};

// The first argument of a name with `ganciPrestito`, when the command may look at the
// variable's own value instead of the copy the text reads (see ScalareNome): that variable.
cVariabile* VariabilePrestabile(NodoNome& n) {
  const TDatiGlob& g = DatiGlob;
  if (g.bStop || !g.ListaVariabili) return nullptr;
  auto& primo = static_cast<NodoNome&>(*n.argomenti[0].espressione->sinistro);
  cVariabile* var = primo.variabile.TrovaStessoNome(primo.nome);
  const cValore* valore = var ? var->GetValore() : nullptr;
  if (!valore || valore->Tipo == T_REALE || valore->Tipo == T_BOOLEANO) return nullptr;
  // The copy would bear the variable's name when its value bears none: an anonymous object
  // goes the general way (ConValore).
  const std::string& nome = valore->Nome.empty() ? var->Nome : valore->Nome;
  return !nome.empty() && nome[0] == '$' ? nullptr : var;
}

// What reading the first argument from `prestata` leaves in the name's values: the copy.
[[gnu::noinline]] void Restituisci(NodoNome& n, cVariabile& prestata) {
  n.valori[0] = LeggiVariabileCompilata(static_cast<NodoNome&>(*n.argomenti[0].espressione->sinistro), prestata);
}

// LeggiArgomenti(n, true) of such a name; `tutti`: every argument is a number. With `prestata`
// the first argument, that variable's name, is read without its copy (left to Restituisci).
// kQuanti: the count of the arguments when it is fixed for the routine (0: any).
template <bool kPrestito, std::size_t kQuanti = 0>
[[gnu::always_inline]] inline bool LeggiArgomentiNumerici(NodoNome& n, ArgomentiNumerici& a, bool& tutti,
                                                         cVariabile* prestata) {
  TDatiGlob& g = DatiGlob;
  if (!Pompa(n.prima)) return false;
  const std::size_t quanti = kQuanti ? kQuanti : n.argomenti.size();
  tutti = true;
  for (std::size_t i = 0; i < quanti; ++i) {
    NodoRelazione& e = *n.argomenti[i].espressione;
    Valutato& v = n.valori[i];
    TipiValore t;
    if (kPrestito && i == 0 && prestata) {
      // SommaNomeSolo of the name, whose hook the window ignores on a run not stopped.
      auto& primo = static_cast<NodoNome&>(*e.sinistro);
      if (e.mostra) MostraRiga(e.riga);
      Pompa(primo.prima);
      if (primo.registraNome) primo.nomeFonte = nullptr;  // ScalatoNominato of a value
      a.numeri[0] = 0;
      a.tipi[0] = T_1;
      tutti = false;
      continue;
    }
    RelazioneInMemoria(e, t, v, a.numeri[i]);
    a.tipi[i] = t;
    tutti = tutti && t == T_REALE;
    if (g.bStop) [[unlikely]] {
      if (!(t == T_1 && v.interrotto)) PosizionaDopo(e);
      return false;
    }
  }
  return true;
}

// The arguments' values as ValutaArgomento gives them, for the command or reader that takes
// them.
[[gnu::noinline]] void Materializza(NodoNome& n, const ArgomentiNumerici& a) {
  for (std::size_t i = 0; i < n.argomenti.size(); ++i) {
    if (a.tipi[i] == T_1) continue;
    Valutato& v = n.valori[i];
    if (v.oggetto) v.oggetto.reset();
    v.tipo = a.tipi[i];
    CopiaReale(v.numero, a.numeri[i]);
    v.interrotto = false;
    const NodoNome* fonte = n.argomenti[i].espressione->fonteNome;
    v.nome = fonte ? fonte->nomeFonte : nullptr;
  }
}

// Whether the arguments suit a FormaConValore: a value that is not an anonymous object, then
// numbers.
// With `prestata` the value is that variable's, which VariabilePrestabile found suitable.
bool ConValore(const NodoNome& n, const ArgomentiNumerici& a, const cVariabile* prestata) {
  const cValore* primo = n.valori[0].oggetto.get();
  if (!prestata && (!primo || primo->IsAnonimo())) return false;
  for (std::size_t i = 1; i < n.argomenti.size(); ++i)
    if (a.tipi[i] != T_REALE) return false;
  return true;
}

// A name with arguments: a number that a numeric form or element reader gives comes back
// without a value.
//
// kPrestito, for a name with `ganciPrestito`: the text copies a variable that is the first
// argument when it reads it, and a command with a value form only looks at that value. When
// the window ignores every hook up to the call (and the other arguments can call no command),
// nothing can change the variable before the call: the form then looks at the variable's own
// value, and the copy is made only where the text's would still be used.
//
// kQuanti: the count of the arguments, for the commonest names (one or two arguments), whose
// routine then has no loop over them (0: any count).
template <bool kPrestito, std::size_t kQuanti = 0>
// With the value of a number element, where it lies (see NomeSoloLuogo); nullptr when the
// value is returned in `x`.
[[gnu::always_inline]] inline const Reale* NomeArgomentiLuogo(NodoNome& n, TipiValore& t, Valutato& altro,
                                                             Reale& x) {
  ArgomentiNumerici a;
  bool tutti;
  cVariabile* prestata = nullptr;
  if constexpr (kPrestito)
    if (detail::gMessaggiIgnorati >= n.ganciPrestito) prestata = VariabilePrestabile(n);
  if (!LeggiArgomentiNumerici<kPrestito, kQuanti>(n, a, tutti, prestata)) {
    altro = Interrotto();
    x = Altro(t);
    return nullptr;
  }
  const int quanti = static_cast<int>(kQuanti ? kQuanti : n.argomenti.size());
  if (cVariabile* var = DatiGlob.ListaVariabili ? n.variabile.TrovaStessoNome(n.nome) : nullptr) {
    if (kPrestito && prestata) Restituisci(n, *prestata);
    const cValore* valore = var->GetValore();
    if (valore && tutti) {
      if (const Reale* cella = CellaLetta(*var, a.numeri, quanti)) {
        if (n.registraNome) {
          // An element bears the variable's name, as LeggiVariabileCompilata gives it.
          if (!StessoTesto(n.nomeLetto, var->Nome)) n.nomeLetto = var->Nome;
          n.nomeFonte = &n.nomeLetto;
        }
        t = T_REALE;
        return cella;
      }
    }
    Materializza(n, a);
    altro = LeggiVariabileCompilata(n, *var);
    x = ScalatoNominato(n, altro, t);
    return nullptr;
  }
  if (tutti && n.comando.numerica) {
    bool riuscita;
    const Reale r = n.comando.numerica(a.numeri, quanti, riuscita);
    if (riuscita) {
      n.nomeFonte = nullptr;
      t = T_REALE;
      x = r;
      return nullptr;
    }
  }
  if (n.comando.conValore && a.tipi[0] == T_1 && ConValore(n, a, kPrestito ? prestata : nullptr)) {
    // A value, then numbers. The value is no anonymous object (those the command's caller
    // removes after the call), and the handler would give a number that bears no name.
    bool riuscita;
    const cValore& primo = kPrestito && prestata ? *prestata->GetValore() : *n.valori[0].oggetto;
    const Reale r = n.comando.conValore(primo, a.numeri + 1, quanti - 1, riuscita);
    if (riuscita) {
      n.nomeFonte = nullptr;
      t = T_REALE;
      x = r;
      return nullptr;
    }
  }
  if (kPrestito && prestata) Restituisci(n, *prestata);
  Materializza(n, a);
  altro = ValutaComando(n);
  x = ScalatoNominato(n, altro, t);
  return nullptr;
}

template <bool kPrestito, std::size_t kQuanti = 0>
[[gnu::always_inline]] inline Reale ScalareNomeArgomenti(NodoNome& n, TipiValore& t, Valutato& altro) {
  Reale x;
  const Reale* luogo = NomeArgomentiLuogo<kPrestito, kQuanti>(n, t, altro, x);
  return luogo ? *luogo : x;
}

Reale ScalareNome(Nodo& nodo, TipiValore& t, Valutato& altro) {
  auto& n = static_cast<NodoNome&>(nodo);
  if (!n.soloEspressioni) return NomeScalareGenerale(n, t, altro);
  return ScalareNomeArgomenti<false>(n, t, altro);
}

// ScalareNome of a name with only expressions between its parentheses, exactly kQuanti of them.
template <std::size_t kQuanti>
Reale ScalareNomeQuanti(Nodo& nodo, TipiValore& t, Valutato& altro) {
  return ScalareNomeArgomenti<false, kQuanti>(static_cast<NodoNome&>(nodo), t, altro);
}

// ScalareNomeQuanti that gives a number element where it lies (see NomeSoloLuogo).
template <std::size_t kQuanti>
[[gnu::noinline]] const Reale* LuogoNomeQuanti(Nodo& nodo, TipiValore& t, Valutato& altro, Reale& x) {
  return NomeArgomentiLuogo<false, kQuanti>(static_cast<NodoNome&>(nodo), t, altro, x);
}

// ScalareNome of a name with `ganciPrestito` (kQuanti: as in ScalareNomeQuanti).
template <std::size_t kQuanti>
Reale ScalareNomePrestito(Nodo& nodo, TipiValore& t, Valutato& altro) {
  return ScalareNomeArgomenti<true, kQuanti>(static_cast<NodoNome&>(nodo), t, altro);
}

// An operand as scalare gives it; literals and lone names, the commonest operands, without a
// call of their own.
[[gnu::always_inline]] inline Reale Operando(Nodo& n, TipiValore& t, Valutato& altro) {
  if (n.scalare == ScalareLetterale) {
    t = T_REALE;
    return static_cast<NodoNumero&>(n).valore;
  }
  if (n.scalare == ScalareNomeSolo) return NomeSoloScalare(static_cast<NodoNome&>(n), t, altro);
  return n.scalare(n, t, altro);
}

// What an operand of a chain of one operator is, fixed when the tree is linked: a literal, a
// lone name, or anything else (read through its routine).
enum class Foglia : unsigned char { Numero, Nome, Altro };

template <Foglia F>
[[gnu::always_inline]] inline Reale OperandoDi(Nodo& n, TipiValore& t, Valutato& altro) {
  if constexpr (F == Foglia::Numero) {
    t = T_REALE;
    return static_cast<NodoNumero&>(n).valore;
  } else if constexpr (F == Foglia::Nome) {
    return NomeSoloScalare(static_cast<NodoNome&>(n), t, altro);
  } else {
    return Operando(n, t, altro);
  }
}

// OperandoDi into `r`, as its bytes where the value lies in memory (a literal, a number
// variable, a number element), else as the processor stores it: held this way, an operand
// outlives the calls that read the next one for the price of a copy.
template <Foglia F>
[[gnu::always_inline]] inline void OperandoTenuto(Nodo& n, TipiValore& t, Valutato& altro, RealeTenuto& r) {
  Reale x;
  const Reale* luogo = nullptr;
  if (F == Foglia::Numero || (F == Foglia::Altro && n.scalare == ScalareLetterale)) {
    t = T_REALE;
    luogo = &static_cast<NodoNumero&>(n).valore;
  } else if (F == Foglia::Nome || n.scalare == ScalareNomeSolo) {
    luogo = NomeSoloLuogo(static_cast<NodoNome&>(n), t, altro, x);
  } else if (n.scalare == ScalareNomeQuanti<1>) {
    luogo = LuogoNomeQuanti<1>(n, t, altro, x);
  } else if (n.scalare == ScalareNomeQuanti<2>) {
    luogo = LuogoNomeQuanti<2>(n, t, altro, x);
  } else {
    x = n.scalare(n, t, altro);
  }
  if (luogo) r.Da(*luogo);
  else r.Da(x);
}

// What `n` is as an operand of a chain of one operator.
Foglia FogliaDi(const Nodo& n) {
  if (n.specie == Specie::Numero) return Foglia::Numero;
  if (n.specie == Specie::Nome && static_cast<const NodoNome&>(n).argomenti.empty()) return Foglia::Nome;
  return Foglia::Altro;
}

// a := a op b between two numbers, when the operator cannot report anything there; false
// when the text's operator must run.
[[gnu::always_inline]] inline bool NumeriSicuri(Op op, Reale& a, Reale b) {
  switch (op) {
    case Op::Piu: a = a + b; return true;
    case Op::Meno: a = a - b; return true;
    case Op::Per: a *= b; return true;
    case Op::Diviso:
      if (DivisoreNullo(b)) return false;
      a = QuozienteReali(a, b);
      return true;
    case Op::Div:
    case Op::Mod:
      if (DivisioneInteraBreve(a, b, op == Op::Mod)) return true;
      if (ErroreDivisioneIntera(a, b, op == Op::Mod)) return false;
      a = DivisioneInteraReali(a, b, op == Op::Mod);
      return true;
    case Op::Potenza: a = qx::Potenza(a, b); return true;
    default: return false;
  }
}

// The chain from its step k on, the text's way: `va` the value so far, `operando` the
// operand of step k; the value goes to `esito`.
[[gnu::noinline]] Reale CatenaLenta(NodoCatena& n, std::size_t k, Valutato va, Valutato operando,
                                    Valutato& esito, TipiValore& t) {
  NodoCatena::Passo& p = n.passi[k];
  if (va.Niente() || operando.Niente()) {
    esito = Errore(p.operando->dopo, ParoleChiave.msgIdentificatore);
    return Altro(t);
  }
  if (!Applica(p.op, va, operando, p.operando->dopo)) {
    esito = Interrotto();
    return Altro(t);
  }
  esito = CatenaDa(n, std::move(va), k + 1, false);
  return Scalato(esito, t);
}

// The chain whose first operand was no number (or a logical value with a sign).
[[gnu::noinline]] Reale CatenaDaAltro(NodoCatena& n, TipiValore ta, Reale a, Valutato& altro, TipiValore& t) {
  altro = CatenaDa(n, DaScalare(ta, a, altro), 0, true);
  return Scalato(altro, t);
}

// The rest of a chain after a step that numbers cannot take the quick way.
[[gnu::noinline]] Reale CatenaPasso(NodoCatena& n, std::size_t k, TipiValore ta, Reale a, TipiValore tb, Reale b,
                                    Valutato& altro, TipiValore& t) {
  const Op op = n.passi[k].op;
  if (ta == T_BOOLEANO && tb == T_BOOLEANO && (op == Op::E || op == Op::O)) {
    a = op == Op::E ? (a != 0 && b != 0) : (a != 0 || b != 0);
    if (k + 1 == n.passi.size()) {
      t = ta;
      return a;
    }
    // Further steps of logical values: the text's way from here, which gives the same.
    Valutato vuoto;
    altro = CatenaDa(n, DaScalare(ta, a, vuoto), k + 1, false);
    return Scalato(altro, t);
  }
  Valutato vuoto;
  return CatenaLenta(n, k, DaScalare(ta, a, vuoto), DaScalare(tb, b, altro), altro, t);
}

// kUnPasso: a chain of one operator (see ScalareCatena), without the loop over its steps, whose
// operands are of the kinds A and B.
template <bool kUnPasso = false, Foglia A = Foglia::Altro, Foglia B = Foglia::Altro>
[[gnu::always_inline]] inline Reale CatenaScalare(NodoCatena& n, TipiValore& t, Valutato& altro) {
  TipiValore ta;
  if constexpr (kUnPasso && B != Foglia::Numero) {
    // The first operand is held as its bytes while the second, which may call, is read.
    RealeTenuto ra;
    OperandoTenuto<A>(*n.primo, ta, altro, ra);
    if (DatiGlob.bStop) [[unlikely]] return FermatoScalare(t = ta, altro, *n.primo);
    if (ta == T_1 || (n.segno && ta != T_REALE)) [[unlikely]] return CatenaDaAltro(n, ta, ra.Valore(), altro, t);
    NodoCatena::Passo& p = n.passi[0];
    TipiValore tb;
    const Reale b = OperandoDi<B>(*p.operando, tb, altro);
    if (DatiGlob.bStop) [[unlikely]] return FermatoScalare(t = tb, altro, *p.operando);
    Reale a = ra.Valore();
    if (n.segno == U'-') a = -a;
    if (ta == T_REALE && tb == T_REALE && NumeriSicuri(p.op, a, b)) [[likely]] {
      t = ta;
      return a;
    }
    return CatenaPasso(n, 0, ta, a, tb, b, altro, t);
  }
  Reale a;
  if constexpr (kUnPasso && A == Foglia::Nome && B == Foglia::Numero) {
    // DIV and MOD of a number variable by a literal (K MOD 3) from their bytes, with no trip
    // of either through the x87 unit (DivisioneInteraDaByte).
    Reale x;
    const Reale* luogo = NomeSoloLuogo(static_cast<NodoNome&>(*n.primo), ta, altro, x);
    const Op op = n.passi[0].op;
    Reale esito;
    if (luogo && !n.segno && !DatiGlob.bStop && (op == Op::Div || op == Op::Mod) &&
        DivisioneInteraDaByte(*luogo, static_cast<NodoNumero&>(*n.passi[0].operando).valore, op == Op::Mod, esito)) {
      t = T_REALE;
      return esito;
    }
    a = luogo ? *luogo : x;
  } else {
    a = OperandoDi<A>(*n.primo, ta, altro);
  }
  if (DatiGlob.bStop) [[unlikely]] return FermatoScalare(t = ta, altro, *n.primo);
  if (ta == T_1 || (n.segno && ta != T_REALE)) [[unlikely]] return CatenaDaAltro(n, ta, a, altro, t);
  if (n.segno == U'-') a = -a;
  const std::size_t passi = kUnPasso ? 1 : n.passi.size();
  for (std::size_t k = 0; k < passi; ++k) {
    NodoCatena::Passo& p = n.passi[k];
    // The value so far is held in `a`: `altro` is free for the operand.
    TipiValore tb;
    const Reale b = OperandoDi<B>(*p.operando, tb, altro);
    if (DatiGlob.bStop) [[unlikely]] return FermatoScalare(t = tb, altro, *p.operando);
    if (ta == T_REALE && tb == T_REALE && NumeriSicuri(p.op, a, b)) [[likely]] continue;
    return CatenaPasso(n, k, ta, a, tb, b, altro, t);
  }
  t = ta;
  return a;
}

// kUnPasso: a chain of one operator (K + 1, I * I, K MOD 3, S + V(I)), the commonest one;
// chosen when the tree is linked.
template <bool kUnPasso = false, Foglia A = Foglia::Altro, Foglia B = Foglia::Altro>
Reale ScalareCatena(Nodo& nodo, TipiValore& t, Valutato& altro) {
  return CatenaScalare<kUnPasso, A, B>(static_cast<NodoCatena&>(nodo), t, altro);
}

// The comparison of a relation whose operands are not both numbers (nor two logical values
// compared by "=" or "<>"): the text's way; the value goes to `esito`.
[[gnu::noinline]] Reale ConfrontoLento(NodoRelazione& n, Valutato va, Valutato vb, Valutato& esito,
                                       TipiValore& t) {
  esito = Confronto(n, va, vb);
  return Scalato(esito, t);
}

// The right operand of a relation whose left one was no number or logical value.
[[gnu::noinline]] Reale RelazioneDopoAltro(NodoRelazione& n, Valutato& altro, TipiValore& t) {
  Valutato vb;
  TipiValore tb;
  const Reale b = Scalare(*n.destro, tb, vb);
  if (DatiGlob.bStop) return FermatoScalare(t = tb, vb, *n.destro);
  Valutato va = std::move(altro);
  return ConfrontoLento(n, std::move(va), DaScalare(tb, b, vb), altro, t);
}

// A and B: the kinds of its operands, when they are fixed for the routine (see
// ScalareRelazionePer).
template <Foglia A = Foglia::Altro, Foglia B = Foglia::Altro>
Reale ScalareRelazione(Nodo& nodo, TipiValore& t, Valutato& altro) {
  auto& n = static_cast<NodoRelazione&>(nodo);
  if (n.mostra) MostraRiga(n.riga);
  TipiValore ta;
  // The left value is held (as its bytes where the right one may call: see OperandoTenuto):
  // `altro` is free for the right one.
  RealeTenuto ra;
  Reale a = 0;
  if constexpr (B != Foglia::Numero) OperandoTenuto<A>(*n.sinistro, ta, altro, ra);
  else a = OperandoDi<A>(*n.sinistro, ta, altro);
  if (DatiGlob.bStop) [[unlikely]] return FermatoScalare(t = ta, altro, *n.sinistro);
  if (ta == T_1) [[unlikely]] return RelazioneDopoAltro(n, altro, t);
  TipiValore tb;
  const Reale b = OperandoDi<B>(*n.destro, tb, altro);
  if (DatiGlob.bStop) [[unlikely]] return FermatoScalare(t = tb, altro, *n.destro);
  if constexpr (B != Foglia::Numero) a = ra.Valore();
  if (ta == T_REALE && tb == T_REALE) [[likely]] {
    t = T_BOOLEANO;
    return ConfrontaReali(a, b, n.relazione) ? 1 : 0;
  }
  if (ta == T_BOOLEANO && tb == T_BOOLEANO &&
      (n.relazione == Relazione::Uguale || n.relazione == Relazione::Diverso)) {
    t = T_BOOLEANO;
    return ((a != 0) == (b != 0)) == (n.relazione == Relazione::Uguale) ? 1 : 0;
  }
  Valutato vuoto;
  return ConfrontoLento(n, DaScalare(ta, a, vuoto), DaScalare(tb, b, altro), altro, t);
}

// A relation without a relational operator: its sum.
Reale ScalareSomma(Nodo& nodo, TipiValore& t, Valutato& altro) {
  auto& n = static_cast<NodoRelazione&>(nodo);
  if (n.mostra) MostraRiga(n.riga);
  const Reale x = Scalare(*n.sinistro, t, altro);
  if (DatiGlob.bStop) [[unlikely]] return FermatoScalare(t, altro, *n.sinistro);
  return x;
}

// The same for a chain of operators, read here without a further call (kUnPasso: see
// ScalareCatena).
template <bool kUnPasso = false, Foglia A = Foglia::Altro, Foglia B = Foglia::Altro>
Reale ScalareSommaCatena(Nodo& nodo, TipiValore& t, Valutato& altro) {
  auto& n = static_cast<NodoRelazione&>(nodo);
  if (n.mostra) MostraRiga(n.riga);
  const Reale x = CatenaScalare<kUnPasso, A, B>(static_cast<NodoCatena&>(*n.sinistro), t, altro);
  if (DatiGlob.bStop) [[unlikely]] return FermatoScalare(t, altro, *n.sinistro);
  return x;
}

Reale ScalareNon(Nodo& nodo, TipiValore& t, Valutato& altro) {
  auto& n = static_cast<NodoNon&>(nodo);
  const Reale a = Scalare(*n.operando, t, altro);
  if (DatiGlob.bStop) [[unlikely]] return FermatoScalare(t, altro, *n.operando);
  if (t == T_BOOLEANO) return a != 0 ? 0 : 1;
  Valutato v = DaScalare(t, a, altro);
  if (v.Niente()) altro = Errore(n.operando->dopo, ParoleChiave.msgIdentificatore);
  else altro = Errore(n.operando->dopo, ParoleChiave.msgNegareLogico);
  return Altro(t);
}

}  // namespace

void ScalareCompilatoInMemoria(NodoRelazione& e, TipiValore& t, Valutato& altro, Reale& dove) {
  RelazioneInMemoria(e, t, altro, dove);
  if (DatiGlob.bStop && !(t == T_1 && altro.interrotto)) [[unlikely]] VaiA(e.dopo);
}

namespace {

// Gives every node of a tree its routines.
// The message hooks that evaluating it makes at most: one for each name and member.
int GanciMassimi(const Nodo& n) {
  switch (n.specie) {
    case Specie::Nome: {
      int ganci = 1;
      for (const NodoNome::Argomento& a : static_cast<const NodoNome&>(n).argomenti)
        ganci += a.membro || !a.espressione ? 1 : GanciMassimi(*a.espressione);
      return ganci;
    }
    case Specie::Non: return GanciMassimi(*static_cast<const NodoNon&>(n).operando);
    case Specie::Catena: {
      const auto& c = static_cast<const NodoCatena&>(n);
      int ganci = GanciMassimi(*c.primo);
      for (const NodoCatena::Passo& p : c.passi) ganci += GanciMassimi(*p.operando);
      return ganci;
    }
    case Specie::Relazione: {
      const auto& r = static_cast<const NodoRelazione&>(n);
      return GanciMassimi(*r.sinistro) + (r.destro ? GanciMassimi(*r.destro) : 0);
    }
    default: return 0;
  }
}

// NodoNome::ganciPrestito of a name whose arguments are linked.
int GanciPrestito(const NodoNome& n) {
  if (!n.soloEspressioni || !n.comando.conValore) return 0;
  const NodoRelazione& primo = *n.argomenti[0].espressione;
  if (primo.scalare != ScalareSommaNomeSolo) return 0;  // not a lone name
  for (std::size_t i = 1; i < n.argomenti.size(); ++i)
    if (!SoloGanci(*n.argomenti[i].espressione)) return 0;
  return GanciMassimi(n);
}

using Scalatore = Reale (*)(Nodo&, TipiValore&, Valutato&);

// The routine of a chain of one operator whose operands are of the kinds A and B (`somma`: of
// the relation whose lone sum it is).
template <Foglia A, Foglia B>
Scalatore UnPasso(bool somma) {
  return somma ? ScalareSommaCatena<true, A, B> : ScalareCatena<true, A, B>;
}

// The routine of a chain: one for a chain of one operator, whose commonest operands (a name,
// then a literal or a name) are read without asking what they are.
Scalatore ScalareCatenaPer(const NodoCatena& c, bool somma) {
  if (c.passi.size() != 1) return somma ? ScalareSommaCatena<false> : ScalareCatena<false>;
  const Foglia a = FogliaDi(*c.primo), b = FogliaDi(*c.passi[0].operando);
  if (a == Foglia::Nome && b == Foglia::Numero) return UnPasso<Foglia::Nome, Foglia::Numero>(somma);
  if (a == Foglia::Nome && b == Foglia::Nome) return UnPasso<Foglia::Nome, Foglia::Nome>(somma);
  return UnPasso<Foglia::Altro, Foglia::Altro>(somma);
}

// The routine of a relation with a relational operator: its commonest right operands (a
// literal, a name) and a lone name on its left are read without asking what they are.
Scalatore ScalareRelazionePer(const NodoRelazione& r) {
  const Foglia a = FogliaDi(*r.sinistro) == Foglia::Nome ? Foglia::Nome : Foglia::Altro;
  const Foglia b = FogliaDi(*r.destro);
  if (a == Foglia::Nome)
    return b == Foglia::Numero ? ScalareRelazione<Foglia::Nome, Foglia::Numero>
           : b == Foglia::Nome ? ScalareRelazione<Foglia::Nome, Foglia::Nome>
                               : ScalareRelazione<>;
  return b == Foglia::Numero ? ScalareRelazione<Foglia::Altro, Foglia::Numero> : ScalareRelazione<>;
}

void Collega(Nodo& n) {
  switch (n.specie) {
    case Specie::Numero:
      n.valuta = ValutaLetterale;
      n.analizza = AnalizzaLetterale;
      n.scalare = ScalareLetterale;
      break;
    case Specie::Stringa:
      n.valuta = ValutaStringa;
      n.analizza = AnalizzaLetterale;
      n.scalare = ScalareGenerico;
      break;
    case Specie::Nome: {
      auto& nome = static_cast<NodoNome&>(n);
      nome.valori.resize(nome.argomenti.size());
      nome.soloEspressioni = !nome.argomenti.empty() && nome.argomenti.size() <= kArgomentiNumerici;
      for (const NodoNome::Argomento& a : nome.argomenti) nome.soloEspressioni = nome.soloEspressioni && !a.membro;
      n.valuta = nome.argomenti.empty() ? ValutaNomeSolo : ValutaNome;
      n.analizza = nome.argomenti.empty() ? AnalizzaNomeSolo : AnalizzaNome;
      n.scalare = nome.argomenti.empty() ? ScalareNomeSolo : ScalareNome;
      for (NodoNome::Argomento& a : nome.argomenti)
        if (a.espressione) {
          Collega(*a.espressione);
          PreparaNomi(*a.espressione);
        }
      if (nome.soloEspressioni && nome.argomenti.size() == 1) n.scalare = ScalareNomeQuanti<1>;
      if (nome.soloEspressioni && nome.argomenti.size() == 2) n.scalare = ScalareNomeQuanti<2>;
      nome.ganciPrestito = GanciPrestito(nome);
      if (nome.ganciPrestito > 0)
        n.scalare = nome.argomenti.size() == 2 ? ScalareNomePrestito<2> : ScalareNomePrestito<0>;
      break;
    }
    case Specie::Non:
      n.valuta = ValutaNon;
      n.analizza = AnalizzaNon;
      n.scalare = ScalareNon;
      Collega(*static_cast<NodoNon&>(n).operando);
      break;
    case Specie::Catena: {
      auto& c = static_cast<NodoCatena&>(n);
      n.valuta = ValutaCatena;
      n.analizza = AnalizzaCatena;
      n.scalare = ScalareCatenaPer(c, false);
      Collega(*c.primo);
      for (NodoCatena::Passo& p : c.passi) Collega(*p.operando);
      break;
    }
    case Specie::Relazione: {
      auto& r = static_cast<NodoRelazione&>(n);
      n.valuta = r.destro                                                         ? ValutaRelazione
                 : r.sinistro->specie == Specie::Nome &&
                           static_cast<NodoNome&>(*r.sinistro).argomenti.empty() ? ValutaSommaNomeSolo
                                                                                  : ValutaSomma;
      n.analizza = AnalizzaRelazione;
      r.nomiLetti.clear();
      RaccogliNomi(r, r.nomiLetti);
      n.scalare = r.destro                                                                 ? ScalareRelazionePer(r)
                  : r.sinistro->specie == Specie::Numero                                   ? ScalareSommaLetterale
                  : r.sinistro->specie == Specie::Catena                                   ? ScalareSommaCatena<false>
                  : r.sinistro->specie == Specie::Nome &&
                            static_cast<NodoNome&>(*r.sinistro).argomenti.empty() ? ScalareSommaNomeSolo
                                                                                   : ScalareSomma;
      if (!r.destro && r.sinistro->specie == Specie::Catena)
        n.scalare = ScalareCatenaPer(static_cast<NodoCatena&>(*r.sinistro), true);
      r.letterale = n.scalare == ScalareSommaLetterale ? &static_cast<NodoNumero&>(*r.sinistro).valore : nullptr;
      Collega(*r.sinistro);
      if (r.destro) Collega(*r.destro);
      break;
    }
  }
}

// The operand whose name a number or logical value that `n` gives bears: a name, alone or in
// parentheses. Any operator, sign or comparison makes a new value, which bears none.
NodoNome* FonteNome(Nodo& n) {
  switch (n.specie) {
    case Specie::Nome: return &static_cast<NodoNome&>(n);
    case Specie::Catena: {
      auto& c = static_cast<NodoCatena&>(n);
      return c.passi.empty() && c.segno != U'-' ? FonteNome(*c.primo) : nullptr;
    }
    case Specie::Relazione: {
      auto& r = static_cast<NodoRelazione&>(n);
      return r.destro ? nullptr : FonteNome(*r.sinistro);
    }
    default: return nullptr;
  }
}

}  // namespace

void PreparaNomi(NodoRelazione& e) {
  NodoNome* fonte = FonteNome(e);
  e.fonteNome = fonte;
  if (fonte) fonte->registraNome = true;
}

Valutato ValutaNominata(NodoRelazione& e) {
  Valutato v;
  ValutaArgomento(e, v);
  if (DatiGlob.bStop && !v.interrotto) [[unlikely]] VaiA(e.dopo);
  return v;
}

int GanciMassimi(const NodoRelazione& e) { return GanciMassimi(static_cast<const Nodo&>(e)); }

bool SoloGanci(const NodoRelazione& e) {
  for (const NodoNome* n : e.nomiLetti) {
    if (!n->costante && n->comando.gestore) return false;  // AnalizzaDopoArgomenti would call it
    for (const NodoNome::Argomento& a : n->argomenti)
      if (a.espressione && !SoloGanci(*a.espressione)) return false;
  }
  return true;
}

std::unique_ptr<NodoRelazione> CompilaEspressione() {
  std::unique_ptr<NodoRelazione> e = Compilatore().Leggi();
  if (e) Collega(*e);
  return e;
}

}  // namespace qx
