// The statement level: the run loop, one statement, the control structures, assignment and
// the per-statement hooks. Everything executes straight from the text; loops re-read their
// text from a saved position, and untaken branches are read with Esegui false.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "interpreter/Argomenti.h"
#include "interpreter/EspressioniCompilate.h"
#include "interpreter/VariabileRicordata.h"
#include "runstate/DatiGlob.h"
#include "values/Valori.h"
#include "values/ValoriScalari.h"
#include "values/VettoriMatrici.h"

namespace qx {

bool RunProgram(bool Esegui);
void ExecStatement(bool Esegui);
void ExecDoWhile(bool Esegui);
void ExecFor(bool Esegui);
void ExecRepeat(bool Esegui);
void ExecIf(bool Esegui);
// The arguments of a statement as they were evaluated (a member as its string cell), in
// order. Most statements have a few: those need no block of their own.
class ArgomentiIstruzione {
 public:
  ArgomentiIstruzione() = default;
  ArgomentiIstruzione(const ArgomentiIstruzione&) = delete;
  ArgomentiIstruzione& operator=(const ArgomentiIstruzione&) = delete;

  void push_back(Valutato v) {
    if (n_ < kInterni) {
      interni_[n_++] = std::move(v);
      return;
    }
    if (n_ == kInterni)
      for (Valutato& a : interni_) esterni_.push_back(std::move(a));
    esterni_.push_back(std::move(v));
    ++n_;
  }
  std::size_t size() const { return n_; }
  bool empty() const { return n_ == 0; }
  Valutato* begin() { return n_ > kInterni ? esterni_.data() : interni_; }
  Valutato* end() { return begin() + n_; }
  const Valutato* begin() const { return n_ > kInterni ? esterni_.data() : interni_; }
  const Valutato* end() const { return begin() + n_; }
  Valutato& operator[](std::size_t i) { return begin()[i]; }
  const Valutato& operator[](std::size_t i) const { return begin()[i]; }

 private:
  static constexpr std::size_t kInterni = 3;
  Valutato interni_[kInterni];
  std::vector<Valutato> esterni_;
  std::size_t n_ = 0;
};
// Passo is -1 for an assignment statement, else the pass number of a PER loop; `variabile`
// keeps the variable the statement stores into (nullptr: looked up).
void ExecAssignment(bool Esegui, ArgomentiIstruzione& argomenti, int Passo, VariabileRicordata* variabile = nullptr);
// The store of an assignment's value under `nome` (with `argomenti`, an element): a number
// into a number variable or element in place when MemorizzaVeloce can (false: nothing done),
// anything else by StoreVariable.
bool MemorizzaVeloce(const std::string& nome, Valutato& valore, const ArgomentiIstruzione& argomenti,
                     VariabileRicordata* variabile);
// `variabile` (may be nullptr) keeps the variable of a place that always stores into `nome`.
void MemorizzaValore(const std::string& nome, Valutato& valore, ArgomentiIstruzione& argomenti,
                     VariabileRicordata* variabile = nullptr);
// After an assignment's expression made a drawable value: the anonymous object it made (the
// object counter moved from `contatorePrima`) is kept under the assigned name instead.
void TogliAnonimoAssegnatoLento(const Valutato& valore, int contatorePrima);
namespace detail {
// The number of the anonymous object that MemorizzaRisultatoAssegnato kept out of the table
// (0: none), which the next TogliAnonimoAssegnato takes.
extern int gFuoriTabella;
}  // namespace detail
// Most assignments make no object: nothing to take or remove, and no call.
inline void TogliAnonimoAssegnato(const Valutato& valore, int contatorePrima) {
  const bool nessunOggetto = valore.tipo < T_GEOMETRIA_PIANA || DatiGlob.ContatoreOggetti == contatorePrima;
  if (detail::gFuoriTabella == 0 && nessunOggetto) return;
  TogliAnonimoAssegnatoLento(valore, contatorePrima);
}

// A geometry command that is the whole value of an assignment (P = PUNTO(1, 2);) stores its new
// value as an anonymous object at the very end of its frame, and the assignment removes that
// object again (TogliAnonimoAssegnato) before anything can look at the variable table: such an
// object is never put into the table. Everything else the store does happens as it would: the
// object counter, the value's name, the drawing of the stored copy.
// While one lives, the command called next is the whole value of an assignment.
class RisultatoAssegnato {
 public:
  explicit RisultatoAssegnato(bool armato);
  ~RisultatoAssegnato();
  RisultatoAssegnato(const RisultatoAssegnato&) = delete;
  RisultatoAssegnato& operator=(const RisultatoAssegnato&) = delete;

 private:
  int prima_;
};
// Lives around a geometry command's frame (geo::Cornice): whether the value the frame stores is
// the whole value of an assignment (its command was called under a RisultatoAssegnato, and this
// is the command's own frame, not one that it runs inside).
class CorniceComando {
 public:
  CorniceComando();
  ~CorniceComando();
  CorniceComando(const CorniceComando&) = delete;
  CorniceComando& operator=(const CorniceComando&) = delete;
  bool RisultatoAssegnato() const { return risultato_; }

 private:
  bool risultato_;
};
// The name of the anonymous object numbered `numero`: "$" and the number.
std::string NomeAnonimo(int numero);
// The anonymous store of such a value: StoreVariable(true, "", valore, nullptr), except that the
// new variable stays out of the table.
void MemorizzaRisultatoAssegnato(cValore& valore);
// The cell of a member written after a dot: "@" and the member's word.
Valutato CellaMembro(const std::string& membro);
// The number held by the variable `nome` (always the same name for `variabile`), or nullptr.
[[gnu::always_inline]] inline const cValoreReale* NumeroVariabile(VariabileRicordata& variabile,
                                                                  const std::string& nome) {
  cVariabile* v = variabile.TrovaStessoNome(nome);
  const cValore* valore = v ? v->GetValore() : nullptr;
  return valore && valore->Tipo == T_REALE ? static_cast<const cValoreReale*>(valore) : nullptr;
}
// The store of a number into the number variable `nome` (a name without "_"), as
// StoreVariable does it; false, with nothing done, when that is not the case. `variabile`
// keeps the variable of a place that always stores into the same name.
bool MemorizzaNumeroLento(const std::string& nome, Reale numero, VariabileRicordata* variabile);
// The cell into which MemorizzaNumero would store a number for `variabile` at once (the
// variable is known without a lookup, takes its name as it is, and holds a number); nullptr
// otherwise. Calls nothing: the number to store can stay in the processor's registers until it
// is written. The store then ends with NomeNumero.
[[gnu::always_inline]] inline cValoreReale* NumeroRicordato(const VariabileRicordata& variabile) {
  cVariabile* var = variabile.SenzaCercare();
  if (!var || var->Tipo != T_REALE) return nullptr;
  return static_cast<cValoreReale*>(var->GetValore());
}
// The name a number stored by MemorizzaNumero bears; nearly always right already, and comparing
// costs less than copying.
[[gnu::always_inline]] inline void NomeNumero(cValore& memorizzato, const std::string& nome) {
  if (!StessoTesto(memorizzato.Nome, nome)) memorizzato.Nome = nome;
}
[[gnu::always_inline]] inline bool MemorizzaNumero(const std::string& nome, Reale numero,
                                                   VariabileRicordata* variabile = nullptr) {
  if (variabile) {
    cVariabile* var = variabile->TrovaStessoNome(nome);
    if (!var || !variabile->Semplice() || var->Tipo != T_REALE) return false;
    cValore& memorizzato = *var->GetValore();
    static_cast<cValoreReale&>(memorizzato).Value = numero;
    NomeNumero(memorizzato, nome);
    return true;
  }
  return MemorizzaNumeroLento(nome, numero, variabile);
}
// The store of a string into the string variable `nome` (a name without "_"), as StoreVariable
// does it (the variable then holds a copy of the text); `testo` may be left empty. False, with
// nothing done, when that is not the case.
bool MemorizzaTesto(const std::string& nome, std::string& testo, VariabileRicordata* variabile);
// The element of the number vector or matrix `nome` (a name without "_") at in-range indices,
// where the store of a number writes it as StoreVariable does; nullptr when the store is not
// that one. The slow road looks the name up.
Reale* CellaElementoNumeroLento(const std::string& nome, const Reale* indici, int quanti);
// The element of `var`, a number vector or matrix, at in-range indices; nullptr otherwise.
[[gnu::always_inline]] inline Reale* CellaNumero(const cVariabile& var, const Reale* indici, int quanti) {
  int i, j;
  if (var.Tipo == T_VETT_REALE && quanti == 1) {
    auto& v = static_cast<cVettReale&>(*var.GetValore());
    return IndiceEntro(indici[0], v.Count, i) ? v.Cella(i) : nullptr;
  }
  if (var.Tipo == T_MATR_REALE && quanti == 2) {
    auto& m = static_cast<cMatrReale&>(*var.GetValore());
    return IndiceEntro(indici[0], m.Rows, i) && IndiceEntro(indici[1], m.Cols, j) ? m.Cella(i, j) : nullptr;
  }
  return nullptr;
}
// A place of the program that always stores into the same name finds its element without a call.
[[gnu::always_inline]] inline Reale* CellaElementoNumero(const std::string& nome, const Reale* indici, int quanti,
                                                        VariabileRicordata* variabile) {
  if (!variabile) return CellaElementoNumeroLento(nome, indici, quanti);
  const cVariabile* var = variabile->TrovaStessoNome(nome);
  return var && variabile->Semplice() ? CellaNumero(*var, indici, quanti) : nullptr;
}
// The same for the indices of a statement: nullptr also when they are not all numbers.
Reale* CellaElementoNumero(const std::string& nome, const ArgomentiIstruzione& argomenti,
                           VariabileRicordata* variabile);
// Stores a copy of valore under nome (empty: an anonymous "$" name); with indices in
// argomenti it writes an element of a vector, matrix or list. `variabile` (may be nullptr)
// keeps the variable of a place that always stores into `nome`.
void StoreVariable(bool Esegui, const std::string& nome, cValore& valore, const ListaArgomenti* argomenti,
                   VariabileRicordata* variabile = nullptr);
// Makes the line being read the current one (the window shows it in step mode and while
// highlighting); inline, as every statement and expression starts with it.
// MostraRiga shows a given line; ShowCurrentLine the line being read.
void MostraRigaLento(int riga);
inline void MostraRiga(int riga) {
  TDatiGlob& g = DatiGlob;
  // Asked in the order that settles a fast run (no highlight) soonest.
  if ((!g.bEvidenziaRiga || g.bImmediato) && !g.bPassoPasso) [[likely]] {
    // Nothing is highlighted: the line only becomes the current one.
    g.RigaCorrente = riga;
    return;
  }
  if (!g.bPassoPasso && riga == g.RigaCorrente && riga == g.UltimaRigaMostrata) return;  // already shown
  MostraRigaLento(riga);
}
inline void ShowCurrentLine() { MostraRiga(DatiGlob.IndiceRiga); }
// After an executed assignment or procedure statement: the redraw out of fast run, the wait of
// step mode.
void WaitStepLento();
inline void WaitStep() {
  if (!DatiGlob.bEsecuzioneVeloce || DatiGlob.bPassoPasso) WaitStepLento();
}
void RidisegnaRifCart();

}  // namespace qx
