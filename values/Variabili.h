// Variables and the variable table. A variable holds exactly one value; the table runs from
// the newest variable to the oldest, so a later variable hides an earlier one of the same
// name until it is deleted. A name such as a_i is normalised by replacing the part after
// the first underscore with the rounded value of the real variable i.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "values/ValoriScalari.h"
#include "values/VettoriMatrici.h"

namespace qx {

class cVariabile {
 public:
  cVariabile(std::string nome, std::unique_ptr<cValore> valore);
  virtual ~cVariabile();
  cVariabile(const cVariabile&) = delete;
  cVariabile& operator=(const cVariabile&) = delete;

  TipiValore Tipo;
  // Fixed for the variable's life: the table finds its variables by it.
  const std::string Nome;
  cValore* GetValore() const { return valore_.get(); }
  // Replaces the held value (the variable keeps its name).
  void ImpostaValore(std::unique_ptr<cValore> valore);

 private:
  std::unique_ptr<cValore> valore_;
};

// Base of the variables whose value is drawable.
class cVariabileGraf : public cVariabile {
 public:
  using cVariabile::cVariabile;
};

class cVariabileReale : public cVariabile {
 public:
  explicit cVariabileReale(std::string nome) : cVariabile(std::move(nome), std::make_unique<cValoreReale>()) {}
};
class cVariabileStringa : public cVariabile {
 public:
  explicit cVariabileStringa(std::string nome) : cVariabile(std::move(nome), std::make_unique<cValoreStringa>()) {}
};
class cVariabileBool : public cVariabile {
 public:
  explicit cVariabileBool(std::string nome) : cVariabile(std::move(nome), std::make_unique<cValoreBool>()) {}
};
class cVariabileGrado : public cVariabile {
 public:
  explicit cVariabileGrado(std::string nome) : cVariabile(std::move(nome), std::make_unique<cValoreGrado>()) {}
};
class cVariabileArchivio : public cVariabile {
 public:
  explicit cVariabileArchivio(std::string nome)
      : cVariabile(std::move(nome), std::make_unique<cValoreArchivio>()) {}
};
class cVariabileVettReale : public cVariabile {
 public:
  cVariabileVettReale(std::string nome, int n) : cVariabile(std::move(nome), std::make_unique<cVettReale>(n)) {}
};
class cVariabileVettStringa : public cVariabile {
 public:
  cVariabileVettStringa(std::string nome, int n) : cVariabile(std::move(nome), std::make_unique<cVettStringa>(n)) {}
};
class cVariabileMatrReale : public cVariabile {
 public:
  cVariabileMatrReale(std::string nome, int righe, int colonne)
      : cVariabile(std::move(nome), std::make_unique<cMatrReale>(righe, colonne)) {}
};
class cVariabileMatrStringa : public cVariabile {
 public:
  cVariabileMatrStringa(std::string nome, int righe, int colonne)
      : cVariabile(std::move(nome), std::make_unique<cMatrStringa>(righe, colonne)) {}
};

class cListaVariabili {
 public:
  cListaVariabili();
  cListaVariabili(const cListaVariabili&) = delete;
  cListaVariabili& operator=(const cListaVariabili&) = delete;

  int Count() const { return static_cast<int>(variabili_.size()); }
  // Pushes V in front of every other variable; no check for a duplicate name.
  void Aggiungi(std::unique_ptr<cVariabile> V);
  // The n-th variable from the newest (1-based); nullptr out of range.
  cVariabile* Elemento(int n) const;
  cVariabile* Cerca(std::string_view Nome) const;
  // Cerca for a name without "_" (which needs no normalising).
  cVariabile* CercaEsatto(std::string_view Nome) const;
  // The value named by V's name (nullptr when none).
  cValore* CercaValore(const cValore& V) const;
  bool Elimina(std::string_view Nome);
  void Svuota();
  // Whether at least n variables hold values of kind Tipo (0: any kind).
  bool ContieneAlmeno(TipiValore Tipo, int n) const;
  std::string NormalizzaNome(std::string_view Nome) const;
  // Changes whenever a variable is added or removed, differs between any two tables and is
  // never 0: a variable found earlier under the same version is still the one Cerca gives.
  std::uint64_t Versione() const { return versione_; }
  // Changes like Versione, except for anonymous variables ("$" and a number): a program's text
  // cannot name them, so what Cerca gives for a name it can hold changes only with this
  // version. A loop that makes and removes anonymous objects changes Versione at every pass.
  std::uint64_t VersioneNomi() const { return versioneNomi_; }

 private:
  void Cambiata(std::string_view nome);

  // An anonymous name ("$" and a number) hashes to its number: the figures a program keeps are
  // numbered in order, so the newest ones sit in neighbouring buckets and a table of a hundred
  // thousand of them is looked up without a miss of the cache at every new figure.
  struct HashNome {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept {
      if (s.size() > 1 && s.size() <= 10 && s[0] == '$') {
        std::size_t n = 0;
        for (std::size_t i = 1; i < s.size(); ++i) {
          if (s[i] < '0' || s[i] > '9') return std::hash<std::string_view>{}(s);
          n = n * 10 + static_cast<std::size_t>(s[i] - '0');
        }
        return n;
      }
      return std::hash<std::string_view>{}(s);
    }
  };

  std::vector<std::unique_ptr<cVariabile>> variabili_;  // oldest first; lookups walk from the back
  // The newest variable of each name: a program that keeps every figure it makes has a table of
  // thousands, and a walk through it for every new name made the n-th figure cost n.
  std::unordered_map<std::string, cVariabile*, HashNome, std::equal_to<>> perNome_;
  // The index's nodes of the variables removed last (a few), kept for the next ones added: a
  // loop that makes and drops anonymous figures at every pass allocates no node for them.
  static constexpr std::size_t kNodiLiberi = 16;
  std::vector<decltype(perNome_)::node_type> nodiLiberi_;
  std::uint64_t versione_ = 0, versioneNomi_ = 0;
};

}  // namespace qx
