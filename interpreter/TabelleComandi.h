// The two dispatch tables of the language, in their order: the statement table that
// CallProcedure walks and the expression table that EvalIdentifier walks after the
// variables and the constants. Each row names its keywords and its handler.
#pragma once
#include <string>
#include <vector>

namespace qx {

enum class FormaGestore { Istruzione, Valore };

struct RigaComando {
  std::vector<std::string> nomi;
  // The key under which the handler is registered.
  std::string gestore;
  FormaGestore forma;
};

// Built from the keyword texts on first use (after start-up has filled them).
const std::vector<RigaComando>& TabellaIstruzioni();
const std::vector<RigaComando>& TabellaEspressioni();

}  // namespace qx
