// The variable that holds a function, an expression or a fraction.
#pragma once
#include <memory>
#include <string>

#include "values/ValoreFunzione.h"
#include "values/Variabili.h"

namespace qx {

class cVariabileFunzione : public cVariabileGraf {
 public:
  cVariabileFunzione(std::string nome, TipiValore tipo)
      : cVariabileGraf(std::move(nome), std::make_unique<cValoreFunzione>(tipo)) {}
};

}  // namespace qx
