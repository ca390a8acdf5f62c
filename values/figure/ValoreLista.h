// A list of drawable values addressed from 1: a generic list that grows by storing at the
// next index, or a vector of functions of fixed size whose slots start empty. The list
// owns its elements.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "values/Valori.h"

namespace qx {

class cValoreLista : public cValoreGraf {
 public:
  explicit cValoreLista(TipiLista tipoLista = T_GENERICA, int n = 0);
  ~cValoreLista() override;

  TipiLista TipoLista = T_GENERICA;
  int _nCount = 0;  // the declared size
  std::vector<std::unique_ptr<cValoreGraf>> _Oggetti;  // an element may be empty

  int Count() const { return static_cast<int>(_Oggetti.size()); }
  // The highest index that can be read: the element count of a generic list, the size of
  // a vector of functions.
  int IndiceMassimo() const { return TipoLista == T_VETT_FUNZ ? _nCount : Count(); }
  // Element i (1-based). A wrong index, or an empty slot of a vector of functions, sets
  // bStop and throws EIndiceNonValido with the message the language shows.
  cValoreGraf* Elemento(int i) const;
  // Stores V at i, freeing the element it replaces; a generic list also takes i = Count + 1
  // and appends. Index errors as for Elemento.
  void ImpostaElemento(int i, std::unique_ptr<cValoreGraf> V);

  // Removes element i (1-based); a vector of functions keeps its size and empties the slot.
  // False when there is no such element.
  bool EliminaElemento(int i);
  // Kind, size and a copy of every element (empty slots stay empty); nothing is shared.
  void CopiaIn(cValoreLista& Dest) const;

  // "LISTA" or "Vettore di Funzioni", without the name.
  void Descrizione(int n, std::string& Testo) const override;
  // The points, and the functions that show their graph, in index order.
  void Disegna(TCanvas& Canvas) override;
  std::unique_ptr<cValore> Clona() const override;

 private:
  [[noreturn]] void Errore(const std::string& messaggio) const;
};

}  // namespace qx
