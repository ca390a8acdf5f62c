#include "values/espressioni/Derivata.h"

#include <cctype>
#include <cmath>
#include <utility>

#include "runstate/WindowServices.h"
#include "values/espressioni/LavoroSimbolico.h"
#include "values/espressioni/Semplificatore.h"

namespace qx {

namespace {

PNodo Num(Reale v) { return NuovoNodoNumero(v); }
PNodo C(const NodoEspr* n) { return CopiaAlbero(n); }
PNodo Op(PNodo a, TipoNodo t, PNodo b) { return CombinaNodi(std::move(a), t, std::move(b)); }
PNodo Per(PNodo a, PNodo b) { return Op(std::move(a), N_PER, std::move(b)); }
PNodo Piu(PNodo a, PNodo b) { return Op(std::move(a), N_PIU, std::move(b)); }
PNodo Meno(PNodo a, PNodo b) { return Op(std::move(a), N_MENO, std::move(b)); }
PNodo Div(PNodo a, PNodo b) { return Op(std::move(a), N_DIVISO, std::move(b)); }
PNodo Pot(PNodo a, PNodo b) { return Op(std::move(a), N_POTENZA, std::move(b)); }
PNodo F(IndiceFunzione f, PNodo u) { return Chiamata(f, std::move(u)); }

// The outer derivative of each built-in at u, one row per function; the call rule then
// multiplies it by u'. Functions without a row have no rule.
PNodo Esterna(IndiceFunzione f, const NodoEspr* u) {
  switch (f) {
    case F_ABS: return Div(C(u), F(F_ABS, C(u)));
    case F_ARCSIN: return Pot(Meno(Num(1), Pot(C(u), Num(2))), Num(-0.5L));
    case F_ARCCOS: return F(F_MENO, Pot(Meno(Num(1), Pot(C(u), Num(2))), Num(-0.5L)));
    case F_ARCTAN: return Pot(Piu(Num(1), Pot(C(u), Num(2))), Num(-1));
    case F_COS: return F(F_MENO, F(F_SIN, C(u)));
    case F_EXP: return F(F_EXP, C(u));
    case F_SIN: return F(F_COS, C(u));
    case F_SQRT: return Per(Num(0.5L), Pot(C(u), Num(-0.5L)));
    case F_SINH: return F(F_COSH, C(u));
    case F_COSH: return F(F_SINH, C(u));
    case F_TANH: return Meno(Num(1), F(F_SQR, F(F_TANH, C(u))));
    case F_ARCSINH: return Pot(Piu(Num(1), Pot(C(u), Num(2))), Num(-0.5L));
    default: return nullptr;
  }
}

PNodo DerivaChiamata(const NodoEspr& n, bool& fallito) {
  const NodoEspr* u = n.Sx();
  // Int, the calls of program variables (vector and matrix elements, function values) and
  // the functions without a rule cannot be differentiated.
  if (n.Funzione == F_NESSUNA || n.Funzione == F_INT || !u) {
    fallito = true;
    return nullptr;
  }
  PNodo du = DerivaNodo(*u, fallito);
  if (fallito) return nullptr;
  switch (n.Funzione) {
    case F_LN: return Div(std::move(du), C(u));
    case F_LOG: return Per(Div(std::move(du), C(u)), F(F_LOG, Num(std::exp(1.0L))));
    case F_SQR: return Per(Num(2), Per(C(u), std::move(du)));
    case F_TAN: return Div(std::move(du), F(F_SQR, F(F_COS, C(u))));
    case F_MENO: return F(F_MENO, std::move(du));
    default: break;
  }
  PNodo esterna = Esterna(n.Funzione, u);
  if (!esterna) {
    fallito = true;
    return nullptr;
  }
  return Per(std::move(esterna), std::move(du));
}

bool EX(const NodoEspr& n) { return n.Nome.size() == 1 && std::toupper(static_cast<unsigned char>(n.Nome[0])) == 'X'; }

}  // namespace

PNodo DerivaNodo(const NodoEspr& n, bool& fallito) {
  if (fallito) return nullptr;
  const NodoEspr* a = n.Sx();
  const NodoEspr* b = n.Dx();
  if (n.EOperatore() && (!a || !b)) return C(&n);
  switch (n.Tipo) {
    case N_CHIAMATA: return DerivaChiamata(n, fallito);
    case N_PIU: {
      PNodo da = DerivaNodo(*a, fallito), db = DerivaNodo(*b, fallito);
      return fallito ? nullptr : Piu(std::move(da), std::move(db));
    }
    case N_MENO: {
      PNodo da = DerivaNodo(*a, fallito), db = DerivaNodo(*b, fallito);
      return fallito ? nullptr : Meno(std::move(da), std::move(db));
    }
    case N_PER: {
      PNodo da = DerivaNodo(*a, fallito), db = DerivaNodo(*b, fallito);
      if (fallito) return nullptr;
      return Piu(Per(C(a), std::move(db)), Per(std::move(da), C(b)));
    }
    case N_DIVISO: {
      PNodo da = DerivaNodo(*a, fallito), db = DerivaNodo(*b, fallito);
      if (fallito) return nullptr;
      return Div(Meno(Per(std::move(da), C(b)), Per(C(a), std::move(db))), Pot(C(b), Num(2)));
    }
    case N_POTENZA: {
      PNodo da = DerivaNodo(*a, fallito);
      if (fallito) return nullptr;
      if (b->ENumero()) return Per(Per(C(b), Pot(C(a), Num(b->Valore - 1))), std::move(da));
      PNodo db = DerivaNodo(*b, fallito);
      if (fallito) return nullptr;
      return Per(Pot(C(a), C(b)), Piu(Per(C(b), Div(std::move(da), C(a))), Per(std::move(db), F(F_LN, C(a)))));
    }
    case N_NUMERO: return Num(0);
    case N_IDENTIFICATORE: return Num(EX(n) ? 1 : 0);
    default: return C(&n);  // equation, undefined constant
  }
}

namespace {

bool EMenoUnario(const NodoEspr* n) { return n && n->EChiamata(F_MENO) && n->Sx(); }
bool Numero(const NodoEspr* n, Reale v) { return n && n->ENumero(v); }
bool DueNumeri(const NodoEspr* a, const NodoEspr* b) { return a && b && a->ENumero() && b->ENumero(); }

// The child i takes the node's place and is rewritten there.
void DiventaFiglio(PNodo& n, int i) {
  PNodo f = std::move(n->Figli[i]);
  n = std::move(f);
  RiscriviAlbero(n);
}

// The child i, rewritten, taken out of its node.
PNodo FiglioRiscritto(NodoEspr& n, int i) {
  PNodo f = std::move(n.Figli[i]);
  RiscriviAlbero(f);
  return f;
}

// a op (b op c) -> c op (a op b); only then (d op e) op r -> (e op r) op d.
void Ruota(NodoEspr& n) {
  NodoEspr* R = n.Dx();
  if (!R || R->Tipo != n.Tipo || !R->Sx() || !R->Dx()) return;
  PNodo a = std::move(n.Figli[0]);
  PNodo r = std::move(n.Figli[1]);
  PNodo c = std::move(r->Figli[1]);
  r->Figli[1] = std::move(r->Figli[0]);  // b
  r->Figli[0] = std::move(a);
  n.Figli[0] = std::move(c);
  n.Figli[1] = std::move(r);
  NodoEspr* L = n.Sx();
  if (!L || L->Tipo != n.Tipo || !L->Sx() || !L->Dx()) return;
  PNodo l = std::move(n.Figli[0]);
  PNodo rr = std::move(n.Figli[1]);
  PNodo d = std::move(l->Figli[0]);
  l->Figli[0] = std::move(l->Figli[1]);  // e
  l->Figli[1] = std::move(rr);
  n.Figli[0] = std::move(l);
  n.Figli[1] = std::move(d);
}

// A rule that rebuilds the node from its two children, rewritten, and rewrites the result:
// rw(rw(a) op rw(b)), with a the left child and b the argument of the right child's
// unary minus (or the other way round, when `invertito`).
void RiscriviConMeno(PNodo& n, TipoNodo op, bool invertito) {
  NodoEspr& meno = *n->Figli[invertito ? 0 : 1];
  PNodo b = FiglioRiscritto(meno, 0);
  PNodo a = FiglioRiscritto(*n, invertito ? 1 : 0);
  n = Op(std::move(a), op, std::move(b));
  RiscriviAlbero(n);
}

}  // namespace

void RiscriviAlbero(PNodo& n) {
  if (!n) return;
  PassoLavoro();
  if ((n->Tipo == N_PIU || n->Tipo == N_PER) && n->Sx() && n->Dx()) Ruota(*n);
  NodoEspr* L = n->Sx();
  NodoEspr* R = n->Dx();
  const bool binario = n->EOperatore() && L && R;
  if (binario) switch (n->Tipo) {
      case N_PIU:
        if (Numero(R, 0)) return DiventaFiglio(n, 0);
        if (Numero(L, 0)) return DiventaFiglio(n, 1);
        if (DueNumeri(L, R)) return void(n = Num(NormalizzaNonFinito(L->Valore + R->Valore)));
        if (AlberiUguali(L, R)) return void(n = Per(FiglioRiscritto(*n, 1), Num(2)));
        if (EMenoUnario(R)) return RiscriviConMeno(n, N_MENO, false);
        if (EMenoUnario(L)) return RiscriviConMeno(n, N_MENO, true);
        break;
      case N_MENO:
        if (Numero(R, 0)) return DiventaFiglio(n, 0);
        if (Numero(L, 0)) return void(n = F(F_MENO, FiglioRiscritto(*n, 1)));
        if (AlberiUguali(L, R)) return void(n = Num(0));
        if (DueNumeri(L, R)) return void(n = Num(NormalizzaNonFinito(L->Valore - R->Valore)));
        if (EMenoUnario(R)) return RiscriviConMeno(n, N_PIU, false);
        break;
      case N_PER:
        if (Numero(R, 0)) return void(n = Num(0));
        if (Numero(R, 1)) return DiventaFiglio(n, 0);
        if (DueNumeri(L, R)) return void(n = Num(NormalizzaNonFinito(L->Valore * R->Valore)));
        if (Numero(L, 0)) return void(n = Num(0));
        if (Numero(L, 1)) return DiventaFiglio(n, 1);
        if (AlberiUguali(L, R)) return void(n = F(F_SQR, FiglioRiscritto(*n, 1)));
        break;
      case N_DIVISO:
        if (Numero(R, 1)) return DiventaFiglio(n, 0);
        if (Numero(L, 0)) return void(n = Num(0));
        if (AlberiUguali(L, R)) return void(n = Num(1));
        if (DueNumeri(L, R) && R->Valore != 0) return void(n = Num(NormalizzaNonFinito(L->Valore / R->Valore)));
        break;
      case N_POTENZA:
        if (Numero(R, 0)) return void(n = Num(1));
        if (Numero(R, 1)) return DiventaFiglio(n, 0);
        if (R->ENumero() && L->Tipo == N_POTENZA && L->Dx() && L->Dx()->ENumero() && L->Sx()) {
          const Reale esponente = L->Dx()->Valore * R->Valore;
          PNodo base = std::move(L->Figli[0]);
          n = Pot(std::move(base), Num(esponente));
          RiscriviAlbero(n);
          return;
        }
        break;
      default: break;
    }
  if (EMenoUnario(n.get())) {
    if (EMenoUnario(n->Sx())) {
      PNodo v = std::move(n->Figli[0]->Figli[0]);
      n = std::move(v);
      RiscriviAlbero(n);
      return;
    }
    if (n->Sx()->ENumero()) return void(n = Num(-n->Sx()->Valore));
  }
  for (int i = 0; i < std::min(n->Arieta, MAX_FIGLI); ++i) RiscriviAlbero(n->Figli[i]);
}

PNodo Derivata(const NodoEspr* radice, EsitoLavoro* esito) {
  if (esito) *esito = EsitoLavoro::Riuscito;
  // The rules deepen a tree several times over: a deep one is too large, not underivable
  // (a sum of a thousand terms has a derivative; it cannot be built within the limit).
  if (radice && ProfonditaAlbero(radice) > LIMITE_PROFONDITA / 5) {
    if (esito) *esito = EsitoLavoro::TroppoGrande;
    return nullptr;
  }
  bool fallito = radice == nullptr;
  PNodo d;
  LavoroSimbolico lavoro;
  const bool finito = lavoro.Esegui([&] {
    if (!fallito) d = DerivaNodo(*radice, fallito);
    if (fallito || !d) return;
    // The rules leave zeros, ones and double signs; each pass rewrites the tree in place.
    for (int i = 0; i < 20; ++i) RiscriviAlbero(d);
  });
  if (!finito) {
    if (esito) *esito = lavoro.Esito();
    return nullptr;
  }
  if (fallito || !d) {
    Finestra().MessageBox("Derivata non possibile", "Errore", TTipoMessaggio::Errore, TPulsanti::OK);
    return nullptr;
  }
  return d;
}

}  // namespace qx
