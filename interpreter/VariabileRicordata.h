// The variable that one place of the program reads or stores into, found once and kept while
// the variable table keeps the version of its names (cListaVariabili::VersioneNomi): a loop
// names the same variables on every pass.
#pragma once
#include <cstdint>
#include <string>

#include "interpreter/Scanner.h"
#include "runstate/DatiGlob.h"
#include "values/Variabili.h"

namespace qx {

class VariabileRicordata {
 public:
  // Cerca(nome) of the current table.
  cVariabile* Trova(const std::string& nome) {
    const cListaVariabili* tabella = DatiGlob.ListaVariabili;
    if (!tabella) return nullptr;
    if (tabella->VersioneNomi() == versione_ && StessoTesto(nome, nome_)) return variabile_;
    versione_ = tabella->VersioneNomi();
    nome_ = nome;
    variabile_ = tabella->Cerca(nome);
    // A name with "_" depends on the value of another variable: it is looked up every time.
    semplice_ = !nome.empty() && nome.find('_') == std::string::npos;
    if (!semplice_) versione_ = kNessuna;
    return variabile_;
  }
  // Trova for a caller that always gives the same name. No two tables ever show the same
  // version of their names, so the version alone says that the table is the same one.
  [[gnu::always_inline]] cVariabile* TrovaStessoNome(const std::string& nome) {
    const cListaVariabili* tabella = DatiGlob.ListaVariabili;
    if (tabella && tabella->VersioneNomi() == versione_) [[likely]] return variabile_;
    return Trova(nome);
  }
  // TrovaStessoNome when it needs no lookup (nullptr: it does). Calls nothing.
  [[gnu::always_inline]] cVariabile* SenzaCercare() const {
    const cListaVariabili* tabella = DatiGlob.ListaVariabili;
    return tabella && tabella->VersioneNomi() == versione_ ? variabile_ : nullptr;
  }
  // Whether the name last looked up is one the table takes as it is (not empty, no "_").
  bool Semplice() const { return semplice_; }

 private:
  static constexpr std::uint64_t kNessuna = 0;  // a version no table shows
  std::uint64_t versione_ = kNessuna;
  std::string nome_;
  cVariabile* variabile_ = nullptr;
  bool semplice_ = false;
};

}  // namespace qx
