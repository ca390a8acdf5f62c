// The variables that hold the plane figures, charts and lists: each creates its value
// from the constructor's arguments.
#pragma once
#include <memory>
#include <string>

#include "values/Variabili.h"
#include "values/figure/ValoreAngolo.h"
#include "values/figure/ValoreArco.h"
#include "values/figure/ValoreCerchio.h"
#include "values/figure/ValoreConica.h"
#include "values/figure/ValoreDiagramma.h"
#include "values/figure/ValoreImmagine.h"
#include "values/figure/ValoreLinea.h"
#include "values/figure/ValoreLista.h"
#include "values/figure/ValorePoligono.h"
#include "values/figure/ValorePunto.h"
#include "values/figure/ValoreRetta.h"
#include "values/figure/ValoreTesto.h"

namespace qx {

class cVariabilePunto : public cVariabileGraf {
 public:
  explicit cVariabilePunto(std::string nome) : cVariabileGraf(std::move(nome), std::make_unique<cValorePunto>()) {}
};
class cVariabileTesto : public cVariabileGraf {
 public:
  explicit cVariabileTesto(std::string nome) : cVariabileGraf(std::move(nome), std::make_unique<cValoreTesto>()) {}
};
class cVariabileImmagine : public cVariabileGraf {
 public:
  explicit cVariabileImmagine(std::string nome)
      : cVariabileGraf(std::move(nome), std::make_unique<cValoreImmagine>()) {}
};
class cVariabileLinea : public cVariabileGraf {
 public:
  explicit cVariabileLinea(std::string nome) : cVariabileGraf(std::move(nome), std::make_unique<cValoreLinea>()) {}
};
class cVariabileLista : public cVariabileGraf {
 public:
  cVariabileLista(std::string nome, TipiLista tipo, int n)
      : cVariabileGraf(std::move(nome), std::make_unique<cValoreLista>(tipo, n)) {}
};
class cVariabilePoligono : public cVariabileGraf {
 public:
  cVariabilePoligono(std::string nome, TipiPoligono tipo)
      : cVariabileGraf(std::move(nome), std::make_unique<cValorePoligono>(tipo)) {}
};
class cVariabileRetta : public cVariabileGraf {
 public:
  cVariabileRetta(std::string nome, TipiValore tipo)
      : cVariabileGraf(std::move(nome), std::make_unique<cValoreRetta>(tipo)) {}
};
class cVariabileAngolo : public cVariabileGraf {
 public:
  explicit cVariabileAngolo(std::string nome) : cVariabileGraf(std::move(nome), std::make_unique<cValoreAngolo>()) {}
};
class cVariabileArco : public cVariabileGraf {
 public:
  cVariabileArco(std::string nome, TipiValore tipo)
      : cVariabileGraf(std::move(nome), std::make_unique<cValoreArco>(tipo)) {}
};
class cVariabileCerchio : public cVariabileGraf {
 public:
  explicit cVariabileCerchio(std::string nome) : cVariabileGraf(std::move(nome), std::make_unique<cValoreCerchio>()) {}
};
class cVariabileConica : public cVariabileGraf {
 public:
  cVariabileConica(std::string nome, TipiValore tipo)
      : cVariabileGraf(std::move(nome), std::make_unique<cValoreConica>(tipo)) {}
};
class cVariabileDiagramma : public cVariabileGraf {
 public:
  cVariabileDiagramma(std::string nome, TipiValore tipo, int n)
      : cVariabileGraf(std::move(nome), std::make_unique<cValoreDiagramma>(tipo, n)) {}
};

}  // namespace qx
