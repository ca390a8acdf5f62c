// The evaluated arguments of a command, in written order. A member written after a dot
// arrives as a cell holding a string made of "@" and the member word. In parse-only mode
// the cells exist but hold nothing, so that handlers can still count them.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "values/Valori.h"

namespace qx {

constexpr char MARCA_MEMBRO = '@';

class ListaArgomenti {
 public:
  int Count() const { return static_cast<int>(celle_.size()); }
  bool Vuota() const { return celle_.empty(); }
  // The value of cell i (0-based), nullptr when the cell holds nothing or is missing.
  cValore* Valore(int i) const {
    return i >= 0 && i < Count() ? celle_[static_cast<std::size_t>(i)].get() : nullptr;
  }
  // The kind of cell i; T_1 when it holds nothing.
  TipiValore Tipo(int i) const {
    const cValore* v = Valore(i);
    return v ? v->Tipo : T_1;
  }
  void Aggiungi(std::unique_ptr<cValore> v) { celle_.push_back(std::move(v)); }
  void AggiungiMembro(const std::string& membro);
  // Whether cell i is a member cell, and its word.
  bool IsMembro(int i) const;
  std::string Membro(int i) const;
  // The number held by cell i (0 when it is not a number).
  Reale Numero(int i) const;
  // Where that number lies (a zero when there is none), to be copied as its bytes (CopiaReale).
  const Reale& NumeroDove(int i) const;
  // The text held by cell i (empty when it is not a string).
  std::string Testo(int i) const;
  void Clear() { celle_.clear(); }

 private:
  std::vector<std::unique_ptr<cValore>> celle_;
};

}  // namespace qx
