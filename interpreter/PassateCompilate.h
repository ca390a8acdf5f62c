// A pass of a PER loop as a short list of operations. When every statement of the body is an
// empty statement or a number stored into a number variable from an expression that is
// always a number, a pass does nothing but: show its lines, store the counter, evaluate the
// bound, store the body's numbers. Once one pass has been seen to do exactly that, later
// passes (in fast run, out of step mode) are carried out from the list: the message hook runs
// once per token of the pass, as a reading does, but all at the start of the pass; if any of
// those calls stops the run or changes what the pass depends on, the pass is read as always
// and the hook is not called again for its tokens. The last pass, which reads the body
// without executing it, continues from the text after the header.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "interpreter/EspressioniCompilate.h"
#include "interpreter/IstruzioniRicordate.h"
#include "interpreter/Scanner.h"

namespace qx {

class PassataCompilata {
 public:
  PassataCompilata() = default;
  PassataCompilata(const PassataCompilata&) = delete;
  PassataCompilata& operator=(const PassataCompilata&) = delete;
  ~PassataCompilata();

  bool Pronta() const { return pronta_ && esecuzione_ == detail::gEsecuzione; }

  // Records the pass about to run, unless it is known already or too many passes failed.
  void IniziaRegistrazione();
  // The header's last token was just read.
  void FineIntestazione();
  // The pass ended (the ";" after FINE was read); `continua` is whether the body ran.
  void ConcludiRegistrazione(bool continua);

  enum class Esito {
    Completa,          // the whole pass ran: the body ran, the loop goes on
    DopoIntestazione,  // the loop ends: the header ran, the reading is after it
    NonEseguita,       // nothing ran: read the pass
  };
  Esito Esegui(int passo);

  // ---- What a recorded pass reports (through the pass being recorded) ----
  enum class Tipo { Riga, Contatore, Limite, Assegna };
  struct Operazione {
    explicit Operazione(Tipo t) : tipo(t) {}
    Tipo tipo;
    int riga = 0;                             // Riga: the line shown
    EspressioneCompilata* espressione = nullptr;
    std::string nome;                         // Contatore, Assegna: the variable
    VariabileRicordata variabile;
  };
  struct Registro {
    std::vector<Operazione> operazioni;
    int istruzioni = 0, istruzioniNotate = 0;
    int espressioni = 0, espressioniNotate = 0;
    bool valido = true;
  };

 private:
  bool Valida();
  void Materializza(const FineLettura& fine, const std::string& token);

  bool pronta_ = false;
  unsigned esecuzione_ = 0;  // the run whose recorded expressions the operations point to
  int tentativi_ = 0;
  Registro registro_;
  Registro* precedente_ = nullptr;
  bool registrando_ = false;
  std::uint64_t pompaggiIniziali_ = 0;
  // From the recorded pass:
  std::vector<Operazione> operazioni_;
  int pompaggi_ = 0, pompaggiIntestazione_ = 0;
  FineLettura dopoIntestazione_, fine_;
  std::string tokenIntestazione_, tokenFinale_, nomeFinale_;
  std::size_t contatore_ = 0;  // the operation that stores the counter
  // Every variable the pass reads or stores, once, with the kind it must hold; a stored one
  // must also bear its name. The expressions find their own while the table keeps the
  // version at which they last did.
  struct VariabileUsata {
    std::string nome;
    TipiValore tipo;
    bool memorizzata;
    VariabileRicordata variabile;
  };
  std::vector<VariabileUsata> variabili_;
  const cListaVariabili* tabellaTrovata_ = nullptr;
  std::uint64_t versioneTrovata_ = 0;
};

namespace detail {
// How many passes ran compiled (for tests and measurements).
extern std::uint64_t gPassateCompilate;
// The pass being recorded, or nullptr.
extern PassataCompilata::Registro* gRegistroPassata;
void NotaRiga(int riga);
void NotaNumero(PassataCompilata::Tipo tipo, const std::string& nome);
}  // namespace detail

// What the statements tell the pass being recorded; one test each when nothing records.
inline void NotaIstruzione() {
  if (detail::gRegistroPassata) ++detail::gRegistroPassata->istruzioni;
}
inline void NotaIstruzioneVuota() {
  if (detail::gRegistroPassata) ++detail::gRegistroPassata->istruzioniNotate;
}
inline void NotaEspressione() {
  if (detail::gRegistroPassata) ++detail::gRegistroPassata->espressioni;
}
inline void NotaRigaMostrata(int riga) {
  if (detail::gRegistroPassata) [[unlikely]] detail::NotaRiga(riga);
}
// The expression just evaluated was stored as a number into `nome` (the counter of the loop,
// or the variable of an assignment statement), or was the loop's bound.
inline void NotaNumero(PassataCompilata::Tipo tipo, const std::string& nome) {
  if (detail::gRegistroPassata) detail::NotaNumero(tipo, nome);
}

}  // namespace qx
