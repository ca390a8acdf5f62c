#include "values/espressioni/Semplificatore.h"

#include <cmath>
#include <numeric>
#include <utility>

#include "values/espressioni/LavoroSimbolico.h"
#include "values/espressioni/Valutatore.h"

namespace qx {

bool EFrazioneNumerica(const NodoEspr* n) {
  return n && n->Tipo == N_DIVISO && n->Sx() && n->Dx() && n->Sx()->ENumero() && n->Dx()->ENumero();
}

bool EIntero(Reale x) { return UgualeReale(x, std::trunc(x)); }

bool EAdditivo(TipoNodo tipo) { return tipo == N_PIU || tipo == N_MENO; }

int RiduciFrazione(Reale& n, Reale& d) {
  if (d < 0) {
    n = -n;
    d = -d;
  }
  constexpr Reale LIMITE = 4.0e18L;
  if (!EIntero(n) || !EIntero(d) || !(std::fabs(n) < LIMITE) || !(d < LIMITE)) return 0;
  const long long a = std::llround(n), b = std::llround(d);
  const long long g = std::gcd(a, b);
  if (g <= 1) return 0;
  n = static_cast<Reale>(a / g);
  d = static_cast<Reale>(b / g);
  return 1;
}

namespace {

bool Uguali(const NodoEspr* a, const NodoEspr* b, int profondita) {
  if (a == b) return true;
  PassoLavoro();
  if (!a || !b || profondita > LIMITE_PROFONDITA) return false;
  if (a->Tipo != b->Tipo || a->Arieta != b->Arieta) return false;
  switch (a->Tipo) {
    case N_NUMERO: return a->Valore == b->Valore;
    case N_IDENTIFICATORE: return a->Nome == b->Nome;
    case N_CHIAMATA:
      if (a->Nome != b->Nome) return false;
      break;
    default: break;
  }
  for (int i = 0; i < std::min(a->Arieta, MAX_FIGLI); ++i)
    if (!Uguali(a->Figli[i].get(), b->Figli[i].get(), profondita + 1)) return false;
  return true;
}

}  // namespace

bool AlberiUguali(const NodoEspr* a, const NodoEspr* b) { return Uguali(a, b, 0); }

PNodo RimuoviFattore(const NodoEspr& f, const NodoEspr& p) {
  // Find the spine step and the side first, then cut the same place in a copy.
  int passi = 0, lato = -1;
  for (const NodoEspr* n = &p; n && n->Tipo == N_PER; n = n->Sx(), ++passi) {
    if (AlberiUguali(n->Dx(), &f)) {
      lato = 1;
      break;
    }
    if (AlberiUguali(n->Sx(), &f)) {
      lato = 0;
      break;
    }
  }
  if (lato < 0) return nullptr;
  PNodo copia = CopiaAlbero(&p);
  PNodo* posto = &copia;
  for (int i = 0; i < passi; ++i) posto = &(*posto)->Figli[0];
  PNodo altro = std::move((*posto)->Figli[1 - lato]);
  *posto = std::move(altro);
  return copia;
}

namespace {

PNodo Op(PNodo sx, TipoNodo tipo, PNodo dx) { return CombinaNodi(std::move(sx), tipo, std::move(dx)); }

bool EQuoziente(const NodoEspr* n) { return n && n->Tipo == N_DIVISO; }

// ---- Common denominators ----

void RiscriviSommaDiFrazioni(PNodo& n) {
  const TipoNodo op = n->Tipo;
  PNodo L = std::move(n->Figli[0]), R = std::move(n->Figli[1]);
  const bool lq = EQuoziente(L.get()), rq = EQuoziente(R.get());
  if (lq && !rq) {
    // (a/d) op R -> (a op R*d) / d
    PNodo d = std::move(L->Figli[1]);
    PNodo den = CopiaAlbero(d.get());
    n = Op(Op(std::move(L->Figli[0]), op, Op(std::move(R), N_PER, std::move(d))), N_DIVISO, std::move(den));
    return;
  }
  if (!lq && rq) {
    // L op (c/d) -> (L*d op c) / d
    PNodo d = std::move(R->Figli[1]);
    PNodo den = CopiaAlbero(d.get());
    n = Op(Op(Op(std::move(L), N_PER, std::move(d)), op, std::move(R->Figli[0])), N_DIVISO, std::move(den));
    return;
  }
  PNodo a = std::move(L->Figli[0]), b = std::move(L->Figli[1]);
  PNodo c = std::move(R->Figli[0]), e = std::move(R->Figli[1]);
  if (AlberiUguali(b.get(), e.get())) {
    n = Op(Op(std::move(a), op, std::move(c)), N_DIVISO, std::move(b));
    return;
  }
  if (PNodo k = RimuoviFattore(*b, *e)) {
    n = Op(Op(Op(std::move(k), N_PER, std::move(a)), op, std::move(c)), N_DIVISO, std::move(e));
    return;
  }
  if (PNodo k = RimuoviFattore(*e, *b)) {
    n = Op(Op(std::move(a), op, Op(std::move(k), N_PER, std::move(c))), N_DIVISO, std::move(b));
    return;
  }
  PNodo bc = CopiaAlbero(b.get()), ec = CopiaAlbero(e.get());
  n = Op(Op(Op(std::move(a), N_PER, std::move(ec)), op, Op(std::move(c), N_PER, std::move(bc))), N_DIVISO,
         Op(std::move(b), N_PER, std::move(e)));
}

void PassoFrazioni(PNodo& n) {
  if (!n) return;
  PassoLavoro();
  for (int i = 0; i < std::min(n->Arieta, MAX_FIGLI); ++i) PassoFrazioni(n->Figli[i]);
  if (EAdditivo(n->Tipo) && n->Sx() && n->Dx() && (EQuoziente(n->Sx()) || EQuoziente(n->Dx())))
    RiscriviSommaDiFrazioni(n);
}

// ---- Folding ----

PNodo FrazioneRidotta(Reale num, Reale den) {
  if (den != 0) RiduciFrazione(num, den);
  return Op(NuovoNodoNumero(num), N_DIVISO, NuovoNodoNumero(den));
}

bool NumeroConValore(const NodoEspr* n, Reale v) { return n && n->ENumero(v); }

// The number that scales a side: the side itself, or the right child of a product.
NodoEspr* Coefficiente(NodoEspr* s) {
  if (!s) return nullptr;
  if (s->ENumero()) return s;
  if (s->Tipo == N_PER && s->Dx() && s->Dx()->ENumero()) return s->Dx();
  return nullptr;
}

void DiventaNumero(PNodo& n, Reale v) { n = NuovoNodoNumero(NormalizzaNonFinito(v)); }
void DiventaFiglio(PNodo& n, int i) {
  PNodo f = std::move(n->Figli[i]);
  n = std::move(f);
}

void RegolaSomma(PNodo& n) {
  NodoEspr *L = n->Sx(), *R = n->Dx();
  if (NumeroConValore(L, 0)) return DiventaFiglio(n, 1);
  if (NumeroConValore(R, 0)) return DiventaFiglio(n, 0);
  if (L->ENumero() && R->ENumero()) return DiventaNumero(n, L->Valore + R->Valore);
  if (R->Tipo == N_PER && R->Sx() && R->Sx()->ENumero() && R->Sx()->Valore < 0) {
    n->Tipo = N_MENO;
    n->Nome = "-";
    R->Sx()->Valore = -R->Sx()->Valore;
    return;
  }
  if (R->Tipo == N_PER && R->Dx() && R->Dx()->ENumero() && R->Dx()->Valore < 0) {
    n->Tipo = N_MENO;
    n->Nome = "-";
    R->Dx()->Valore = -R->Dx()->Valore;
  }
}

void RegolaDifferenza(PNodo& n) {
  NodoEspr *L = n->Sx(), *R = n->Dx();
  if (NumeroConValore(L, 0)) {
    L->Valore = -1;
    n->Tipo = N_PER;
    n->Nome = "*";
    return;
  }
  if (L->ENumero() && R->ENumero()) return DiventaNumero(n, L->Valore - R->Valore);
  if (NumeroConValore(R, 0)) DiventaFiglio(n, 0);
}

void RegolaProdotto(PNodo& n) {
  NodoEspr *L = n->Sx(), *R = n->Dx();
  if (L->ENumero() && R->ENumero()) return DiventaNumero(n, L->Valore * R->Valore);
  if (NumeroConValore(L, 0) || NumeroConValore(R, 0)) return DiventaNumero(n, 0);
  if (NumeroConValore(L, 1)) return DiventaFiglio(n, 1);
  if (NumeroConValore(R, 1)) return DiventaFiglio(n, 0);
  const bool lf = EFrazioneNumerica(L), rf = EFrazioneNumerica(R);
  if (lf && rf) {
    n = FrazioneRidotta(L->Sx()->Valore * R->Sx()->Valore, L->Dx()->Valore * R->Dx()->Valore);
    return;
  }
  if (lf && R->ENumero()) {
    n = FrazioneRidotta(L->Sx()->Valore * R->Valore, L->Dx()->Valore);
    return;
  }
  if (L->ENumero() && rf) n = FrazioneRidotta(R->Sx()->Valore * L->Valore, R->Dx()->Valore);
}

void RegolaQuoziente(PNodo& n) {
  NodoEspr *L = n->Sx(), *R = n->Dx();
  if (NumeroConValore(R, 0)) {
    n = NuovoNodo();
    n->Tipo = N_INDEFINITO;
    n->Nome = SIMBOLI_OPERATORE[N_INDEFINITO];
    return;
  }
  if (NumeroConValore(L, 0)) return DiventaNumero(n, 0);
  if (NumeroConValore(R, 1)) return DiventaFiglio(n, 0);
  if (L->ENumero() && R->ENumero()) {
    if (EIntero(L->Valore) && EIntero(R->Valore)) RiduciFrazione(L->Valore, R->Valore);
    return;
  }
  const bool lf = EFrazioneNumerica(L), rf = EFrazioneNumerica(R);
  if (lf && rf) {
    n = FrazioneRidotta(L->Sx()->Valore * R->Dx()->Valore, L->Dx()->Valore * R->Sx()->Valore);
    return;
  }
  if (lf && R->ENumero()) {
    n = FrazioneRidotta(L->Sx()->Valore, L->Dx()->Valore * R->Valore);
    return;
  }
  if (L->ENumero() && rf) {
    n = FrazioneRidotta(R->Dx()->Valore * L->Valore, R->Sx()->Valore);
    return;
  }
  NodoEspr* p = Coefficiente(L);
  NodoEspr* q = Coefficiente(R);
  if (!q || q->Valore == 0) return;
  if (p) {
    if (EIntero(p->Valore) && EIntero(q->Valore)) {
      RiduciFrazione(p->Valore, q->Valore);
    } else {
      p->Valore = p->Valore / q->Valore;
      q->Valore = 1;
    }
    return;
  }
  if (EIntero(q->Valore)) {
    if (q->Valore >= 0) return;
    n->Figli[0] = Op(std::move(n->Figli[0]), N_PER, NuovoNodoNumero(-1));
    q->Valore = -q->Valore;
    return;
  }
  n->Figli[0] = Op(std::move(n->Figli[0]), N_PER, NuovoNodoNumero(1 / q->Valore));
  q->Valore = 1;
}

void RegolaPotenza(PNodo& n) {
  NodoEspr *L = n->Sx(), *R = n->Dx();
  if (NumeroConValore(R, 0) || NumeroConValore(L, 1)) return DiventaNumero(n, 1);
  if (NumeroConValore(R, 1)) return DiventaFiglio(n, 0);
  if (L->ENumero() && R->ENumero()) return DiventaNumero(n, Potenza(L->Valore, R->Valore));
  if (EFrazioneNumerica(L) && R->ENumero())
    n = FrazioneRidotta(Potenza(L->Sx()->Valore, R->Valore), Potenza(L->Dx()->Valore, R->Valore));
}

void PassoAlbero(PNodo& n) {
  if (!n) return;
  PassoLavoro();
  for (int i = 0; i < std::min(n->Arieta, MAX_FIGLI); ++i) PassoAlbero(n->Figli[i]);
  if (n->Tipo == N_CHIAMATA) {
    if (n->Arieta == 1 && n->Sx() && n->Sx()->ENumero() && n->Funzione != F_NESSUNA)
      n->Valore = ValutaFunzione(n->Funzione, n->Sx()->Valore);
    return;
  }
  if (!n->EOperatore() || !n->Sx() || !n->Dx()) return;
  switch (n->Tipo) {
    case N_PIU: return RegolaSomma(n);
    case N_MENO: return RegolaDifferenza(n);
    case N_PER: return RegolaProdotto(n);
    case N_DIVISO: return RegolaQuoziente(n);
    case N_POTENZA: return RegolaPotenza(n);
    default: return;
  }
}

}  // namespace

void SemplificaFrazioni(PNodo& radice) {
  if (ProfonditaAlbero(radice.get()) > LIMITE_PROFONDITA) return;
  PassoFrazioni(radice);
}

void SemplificaAlbero(PNodo& radice) {
  if (ProfonditaAlbero(radice.get()) > LIMITE_PROFONDITA) return;
  PassoAlbero(radice);
}

bool RiduciAFrazioneNumerica(PNodo& albero) {
  constexpr int PASSI = 50;
  bool frazione = false;
  for (int passo = 0; albero && passo < PASSI && !frazione; ++passo) {
    SemplificaFrazioni(albero);
    SemplificaAlbero(albero);
    // A value that folds to a whole number is the fraction n/1.
    if (albero && albero->ENumero()) albero = CombinaNodi(std::move(albero), N_DIVISO, NuovoNodoNumero(1));
    frazione = EFrazioneNumerica(albero.get());
  }
  return frazione;
}

}  // namespace qx
