#include "values/figure/ValoreLista.h"

#include "runstate/DatiGlob.h"
#include "values/ValoreFunzione.h"

namespace qx {

namespace {
const char* NomeLista(TipiLista t) { return t == T_VETT_FUNZ ? "Vettore di Funzioni" : "LISTA"; }

// Whether a function element shows its graph. The function value is built in the
// expression library, which sits on top of this one: the kind tag has been checked, and
// the sanitizer's type check would need that library's type information here.
__attribute__((no_sanitize("vptr"))) bool MostraGrafico(const cValoreGraf& e) {
  return static_cast<const cValoreFunzione&>(e)._bGrafico == 2;
}
}  // namespace

cValoreLista::cValoreLista(TipiLista tipoLista, int n) : TipoLista(tipoLista), _nCount(n) {
  Tipo = T_LISTA;
  NomeTipo = NomeLista(tipoLista);
  if (tipoLista == T_VETT_FUNZ && n > 0) _Oggetti.resize(static_cast<std::size_t>(n));
}

cValoreLista::~cValoreLista() = default;

void cValoreLista::Errore(const std::string& messaggio) const {
  DatiGlob.bStop = true;
  throw EIndiceNonValido(messaggio);
}

cValoreGraf* cValoreLista::Elemento(int i) const {
  if (TipoLista == T_VETT_FUNZ) {
    if (i < 1 || i > _nCount || i > Count()) Errore("Indici non validi per referenziare il vettore " + Nome);
    cValoreGraf* v = _Oggetti[static_cast<std::size_t>(i - 1)].get();
    if (!v) Errore("L'elemento del vettore " + Nome + " indicizzato è nullo");
    return v;
  }
  if (i < 1 || i > Count()) Errore("Indici non validi per referenziare la lista " + Nome);
  return _Oggetti[static_cast<std::size_t>(i - 1)].get();
}

void cValoreLista::ImpostaElemento(int i, std::unique_ptr<cValoreGraf> V) {
  if (TipoLista == T_VETT_FUNZ) {
    if (i < 1 || i > _nCount || i > Count()) Errore("Indici non validi per referenziare il vettore " + Nome);
  } else if (i < 1 || i > Count() + 1) {
    Errore("Indici non validi per referenziare la lista " + Nome);
  }
  if (i == Count() + 1) _Oggetti.push_back(std::move(V));
  else _Oggetti[static_cast<std::size_t>(i - 1)] = std::move(V);
}

void cValoreLista::CopiaIn(cValoreLista& Dest) const {
  Dest.TipoLista = TipoLista;
  Dest.NomeTipo = NomeLista(TipoLista);
  Dest._nCount = _nCount;
  Dest._Oggetti.clear();
  for (const auto& e : _Oggetti) {
    std::unique_ptr<cValoreGraf> copia;
    if (e) {
      std::unique_ptr<cValore> c = e->Clona();
      copia.reset(static_cast<cValoreGraf*>(c.release()));
    }
    Dest._Oggetti.push_back(std::move(copia));
  }
}

void cValoreLista::Descrizione(int, std::string& Testo) const { Testo = NomeLista(TipoLista); }

void cValoreLista::Disegna(TCanvas& Canvas) {
  for (const auto& e : _Oggetti) {
    if (!e) continue;
    if (e->Tipo == T_PUNTO) e->Disegna(Canvas);
    else if (e->Tipo == T_FUNZIONE && MostraGrafico(*e)) e->Disegna(Canvas);
  }
}

std::unique_ptr<cValore> cValoreLista::Clona() const {
  auto l = std::make_unique<cValoreLista>(TipoLista, 0);
  cValoreGraf::Copia(*l);
  CopiaIn(*l);
  return l;
}

bool cValoreLista::EliminaElemento(int i) {
  if (i < 1 || i > Count()) return false;
  if (TipoLista == T_VETT_FUNZ) {
    _Oggetti[static_cast<std::size_t>(i - 1)].reset();
  } else {
    _Oggetti.erase(_Oggetti.begin() + (i - 1));
    _nCount = Count();
  }
  return true;
}

}  // namespace qx
