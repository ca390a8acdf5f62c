#include "values/espressioni/NodoEspr.h"

#include "values/espressioni/LavoroSimbolico.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

namespace qx {

NodoEspr::~NodoEspr() {
  Marca = 0;
  // Children are moved onto a local stack before they die, so that the destructor of a
  // child never has grandchildren left to recurse into.
  std::vector<PNodo> pila;
  for (auto& f : Figli)
    if (f) pila.push_back(std::move(f));
  while (!pila.empty()) {
    PNodo n = std::move(pila.back());
    pila.pop_back();
    for (auto& f : n->Figli)
      if (f) pila.push_back(std::move(f));
  }
}

IndiceFunzione CercaFunzione(std::string_view nome) {
  for (int i = 0; i < NUM_FUNZIONI; ++i)
    if (nome == NOMI_FUNZIONE[i]) return static_cast<IndiceFunzione>(i);
  return F_NESSUNA;
}

IndiceFunzione CercaFunzioneSenzaMaiuscole(std::string_view nome) {
  for (int i = 0; i < NUM_FUNZIONI; ++i) {
    std::string_view f = NOMI_FUNZIONE[i];
    if (f.size() == nome.size() &&
        std::equal(f.begin(), f.end(), nome.begin(), [](char a, char b) {
          return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
        }))
      return static_cast<IndiceFunzione>(i);
  }
  return F_NESSUNA;
}

PNodo NuovoNodo() {
  NodoLavoro();
  return std::make_unique<NodoEspr>();
}

PNodo NuovoNodoNumero(Reale valore) {
  PNodo n = NuovoNodo();
  n->Tipo = N_NUMERO;
  n->Nome = "!!";
  n->Valore = valore;
  return n;
}

PNodo NuovoNodoIdentificatore(std::string_view nome) {
  PNodo n = NuovoNodo();
  n->Nome = std::string(nome);
  return n;
}

PNodo NuovoNodoFunzione(std::string_view nome) {
  PNodo n = NuovoNodo();
  n->Tipo = N_CHIAMATA;
  n->Nome = std::string(nome);
  n->Arieta = 1;
  n->Funzione = CercaFunzione(nome);
  return n;
}

PNodo NuovoNodoOperatore(TipoNodo tipo) {
  PNodo n = NuovoNodo();
  n->Tipo = tipo;
  n->Arieta = 2;
  n->Nome = tipo >= 0 && tipo <= N_APERTA ? SIMBOLI_OPERATORE[tipo] : "";
  return n;
}

PNodo CombinaNodi(PNodo sx, TipoNodo tipo, PNodo dx) {
  if (!sx) return dx;
  PNodo n = NuovoNodoOperatore(tipo);
  n->Figli[0] = std::move(sx);
  n->Figli[1] = std::move(dx);
  return n;
}

PNodo Chiamata(IndiceFunzione f, PNodo argomento) {
  PNodo n = NuovoNodoFunzione(NOMI_FUNZIONE[f]);
  n->Figli[0] = std::move(argomento);
  return n;
}

void LiberaAlbero(PNodo& radice) { radice.reset(); }

void CopiaNodo(PNodo& destinazione, const NodoEspr& sorgente) {
  destinazione = NuovoNodo();
  destinazione->Nome = sorgente.Nome;
  destinazione->Valore = sorgente.Valore;
  destinazione->Tipo = sorgente.Tipo;
  destinazione->Arieta = sorgente.Arieta;
  destinazione->Funzione = sorgente.Funzione;
}

PNodo CopiaAlbero(const NodoEspr* radice) {
  if (!radice) return nullptr;
  PNodo copia;
  CopiaNodo(copia, *radice);
  // Pairs (source, copy) still to fill in; an explicit stack keeps deep trees safe.
  std::vector<std::pair<const NodoEspr*, NodoEspr*>> pila{{radice, copia.get()}};
  while (!pila.empty()) {
    auto [s, d] = pila.back();
    pila.pop_back();
    const int n = std::clamp(s->Arieta, 0, MAX_FIGLI);
    for (int i = 0; i < n; ++i)
      if (s->Figli[i]) {
        CopiaNodo(d->Figli[i], *s->Figli[i]);
        pila.emplace_back(s->Figli[i].get(), d->Figli[i].get());
      }
  }
  return copia;
}

int ProfonditaAlbero(const NodoEspr* radice) {
  if (!radice) return 0;
  int massima = 0;
  std::vector<std::pair<const NodoEspr*, int>> pila{{radice, 1}};
  while (!pila.empty()) {
    auto [n, p] = pila.back();
    pila.pop_back();
    massima = std::max(massima, p);
    for (const auto& f : n->Figli)
      if (f) pila.emplace_back(f.get(), p + 1);
  }
  return massima;
}

bool ContieneTipo(const NodoEspr* radice, TipoNodo tipo) {
  std::vector<const NodoEspr*> pila;
  if (radice) pila.push_back(radice);
  while (!pila.empty()) {
    const NodoEspr* n = pila.back();
    pila.pop_back();
    if (n->Tipo == tipo) return true;
    for (const auto& f : n->Figli)
      if (f) pila.push_back(f.get());
  }
  return false;
}

}  // namespace qx
