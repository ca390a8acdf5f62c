// Symbolic work that can grow without end (a derivative of a derivative, sums of fractions
// brought over common denominators again and again) runs inside a LavoroSimbolico. The
// nodes it makes are counted against a budget far above any exercise, and every so many
// nodes the window's messages are let through, so that the stop command ends it at once.
// The work unwinds from the node that crossed the line; the trees it was building are
// freed on the way out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace qx {

// No piece of symbolic work makes more nodes than this: a tree of this size prints as
// several hundred thousand characters, far beyond anything a pupil reads.
constexpr std::size_t LIMITE_NODI_LAVORO = 200000;

enum class EsitoLavoro { Riuscito, TroppoGrande, Interrotto };

// The message of work past the budget, for the command or operator `nome`.
inline std::string MessaggioTroppoGrande(const std::string& nome) { return "Espressione troppo grande per " + nome; }

namespace detail {
// Steps left before the next look at the budget and the window.
extern int gPassiAlControllo;
void ControllaLavoro();
struct InterruzioneLavoro {
  EsitoLavoro esito;
};
}  // namespace detail

// One step of symbolic work (a node made or visited). Cheap; outside any work it does
// nothing but count.
inline void PassoLavoro() {
  if (--detail::gPassiAlControllo < 0) [[unlikely]]
    detail::ControllaLavoro();
}

class LavoroSimbolico {
 public:
  explicit LavoroSimbolico(std::size_t limite = LIMITE_NODI_LAVORO);
  ~LavoroSimbolico();
  LavoroSimbolico(const LavoroSimbolico&) = delete;
  LavoroSimbolico& operator=(const LavoroSimbolico&) = delete;

  // Runs the work; false when it was cut short, and Esito() says why. Only what runs in
  // here is counted and can be cut short.
  template <class F>
  bool Esegui(F&& lavoro) {
    Attivo attivo(*this);
    try {
      std::forward<F>(lavoro)();
      return true;
    } catch (const detail::InterruzioneLavoro& i) {
      esito_ = i.esito;
      return false;
    }
  }
  EsitoLavoro Esito() const { return esito_; }

  // Called by the steps of the innermost work under way.
  void Controlla();
  void NodoCreato() { ++nodi_; }

 private:
  std::size_t limite_;
  std::size_t nodi_ = 0;
  bool stopAllInizio_;
  EsitoLavoro esito_ = EsitoLavoro::Riuscito;
  // The work under way for the length of Esegui.
  struct Attivo {
    explicit Attivo(LavoroSimbolico& l);
    ~Attivo();
    LavoroSimbolico* precedente;
    int passiPrecedenti;
  };
};

namespace detail {
extern LavoroSimbolico* gLavoro;
}

// The work under way, or none.
inline LavoroSimbolico* LavoroInCorso() { return detail::gLavoro; }

// A node was made: counted against the budget of the work under way.
inline void NodoLavoro() {
  if (LavoroSimbolico* l = LavoroInCorso()) l->NodoCreato();
  PassoLavoro();
}

}  // namespace qx
