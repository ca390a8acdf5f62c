// The collections that values keep inside them: points, numbers, strings and references to
// drawable values. `Elemento(i)` is 0-based, `Aggiungi` appends.
#pragma once
#include <string>
#include <vector>

#include "platform/Graphics.h"
#include "values/Funzioni.h"

namespace qx {

class cValoreGraf;

template <class Item>
class TColl {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  Item& Elemento(int i) { return items_.at(static_cast<std::size_t>(i)); }
  const Item& Elemento(int i) const { return items_.at(static_cast<std::size_t>(i)); }
  void Aggiungi(const Item& item) { items_.push_back(item); }
  // Room for n items, so that appending them allocates once.
  void Riserva(int n) { items_.reserve(static_cast<std::size_t>(n < 0 ? 0 : n)); }
  void Clear() { items_.clear(); }
  void Delete(int i) { items_.erase(items_.begin() + i); }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  bool operator==(const TColl&) const = default;

 private:
  std::vector<Item> items_;
};

struct TCollItemsPunti {
  Reale x = 0, y = 0;
  bool operator==(const TCollItemsPunti&) const = default;
};

class TCollPunti : public TColl<TCollItemsPunti> {
 public:
  using TColl::Aggiungi;
  void Aggiungi(Reale x, Reale y) { TColl::Aggiungi({x, y}); }
};

using TCollStringhe = TColl<std::string>;
using TCollReali = TColl<Reale>;
// Holds references: copying a list of drawable values copies the references, not the values.
using TCollValoreGraf = TColl<cValoreGraf*>;

}  // namespace qx
