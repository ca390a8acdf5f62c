// Plain 1-based, row-major matrices and vectors of extended reals: the storage of the
// language's real vectors and matrices and the operand of the numeric routines. Indices are
// checked by the callers (the values report out-of-range indices in the language's words).
#pragma once
#include <cassert>
#include <vector>

#include "values/Funzioni.h"

namespace qx {

class TMatrice {
 public:
  TMatrice() = default;
  TMatrice(int righe, int colonne) : righe_(righe), colonne_(colonne), dati_(static_cast<std::size_t>(righe) * colonne) {}
  static TMatrice Identita(int n) {
    TMatrice m(n, n);
    for (int i = 1; i <= n; ++i) m(i, i) = 1;
    return m;
  }
  int Righe() const { return righe_; }
  int Colonne() const { return colonne_; }
  Reale& operator()(int i, int j) {
    assert(i >= 1 && i <= righe_ && j >= 1 && j <= colonne_);
    return dati_[static_cast<std::size_t>(i - 1) * colonne_ + (j - 1)];
  }
  Reale operator()(int i, int j) const {
    assert(i >= 1 && i <= righe_ && j >= 1 && j <= colonne_);
    return dati_[static_cast<std::size_t>(i - 1) * colonne_ + (j - 1)];
  }
  // Where an element is held.
  const Reale* Dove(int i, int j) const {
    assert(i >= 1 && i <= righe_ && j >= 1 && j <= colonne_);
    return &dati_[static_cast<std::size_t>(i - 1) * colonne_ + (j - 1)];
  }
  bool operator==(const TMatrice&) const = default;

 private:
  int righe_ = 0, colonne_ = 0;
  std::vector<Reale> dati_;
};

class TVettore {
 public:
  TVettore() = default;
  explicit TVettore(int n) : dati_(static_cast<std::size_t>(n)) {}
  int Dimensione() const { return static_cast<int>(dati_.size()); }
  Reale& operator()(int i) {
    assert(i >= 1 && i <= Dimensione());
    return dati_[static_cast<std::size_t>(i - 1)];
  }
  Reale operator()(int i) const {
    assert(i >= 1 && i <= Dimensione());
    return dati_[static_cast<std::size_t>(i - 1)];
  }
  // Where an element is held.
  const Reale* Dove(int i) const {
    assert(i >= 1 && i <= Dimensione());
    return &dati_[static_cast<std::size_t>(i - 1)];
  }
  bool operator==(const TVettore&) const = default;

 private:
  std::vector<Reale> dati_;
};

}  // namespace qx
