// A loop (or a block) run from the recording of its text (Lettore.h). The recording is read
// once more into a tree of statements: for each statement the reads it makes (tokens and
// compiled expressions) in the order the statements' code makes them. Running the tree does,
// in the same order, everything that code does on its way: the message hook before each token,
// the line shown, the expressions, the checks and their messages at the same place of the
// text, the stores, the commands called, the redraw and the wait of step mode. Nothing is read
// from the text; the reading position is written back before anything that may report a
// message or look at it, and after the statement.
//
// When the run is found stopped at the hook of one of its reads, the token is read from the
// text, as NextToken reads it, and the statements' own code takes over from that read
// (SeguitoIstruzioni.h): whatever the text still does after a stop is done, by the same code.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "interpreter/Dispatch.h"
#include "interpreter/Lettore.h"
#include "interpreter/VariabileRicordata.h"

namespace qx {

namespace istr {

enum class Specie : unsigned char { Vuota, Blocco, Finquando, Per, Ripeti, Se, Nome };

struct Istruzione {
  explicit Istruzione(Specie s) : specie(s) {}
  virtual ~Istruzione();
  Istruzione(const Istruzione&) = delete;
  Istruzione& operator=(const Istruzione&) = delete;
  Specie specie;
  const Lettura* primo = nullptr;  // its first token, which the statement around it reads
  int livello = 0;                 // how many statements of the recording are around it
  // What running it does, chosen for its shape when the tree is built (after its line was
  // shown).
  void (*esegui)(Istruzione&, bool Esegui) = nullptr;
  // Its run with Esegui false, when no name in it can call a command: all that run does is
  // always as many message hooks (learnt from its first such run; -1: not yet), then it leaves
  // `nomeSaltata` as the statement name. kNonSoloGanci: the run may do more.
  static constexpr int kNonSoloGanci = -2;
  int ganciSaltata = kNonSoloGanci;
  const std::string* nomeSaltata = nullptr;
};

// Statements up to FINE, and the ";" after FINE.
struct Corpo {
  std::vector<std::unique_ptr<Istruzione>> istruzioni;
  const Lettura* fine = nullptr;
  const Lettura* puntoVirgola = nullptr;
};

struct Blocco : Istruzione {
  Blocco() : Istruzione(Specie::Blocco) {}
  const Lettura* puntoVirgola = nullptr;
  Corpo corpo;
};

struct Finquando : Istruzione {
  Finquando() : Istruzione(Specie::Finquando) {}
  const Lettura *parola = nullptr, *aperta = nullptr, *condizione = nullptr, *chiusa = nullptr,
                *puntoVirgola = nullptr;
  Corpo corpo;
};

struct Per : Istruzione {
  Per() : Istruzione(Specie::Per) {}
  const Lettura *aperta = nullptr, *variabile = nullptr, *da = nullptr, *inizio = nullptr, *a = nullptr,
                *limite = nullptr, *chiusa = nullptr, *esegui = nullptr;
  Corpo corpo;
  VariabileRicordata contatore;
  // The message hooks of the header (its tokens', and its two expressions' at most) when
  // those expressions can call no command (-1 otherwise): while the window ignores that many,
  // nothing the header does can call it or stop the run at a hook.
  int ganciIntestazione = -1;
};

struct Ripeti : Istruzione {
  Ripeti() : Istruzione(Specie::Ripeti) {}
  const Lettura *conta = nullptr, *volte = nullptr, *puntoVirgola = nullptr;
  Corpo corpo;
};

struct Se : Istruzione {
  Se() : Istruzione(Specie::Se) {}
  const Lettura *condizione = nullptr, *allora = nullptr;
  std::unique_ptr<Istruzione> vero;
  const Lettura* ultimo = nullptr;  // the branch's last token: the look-ahead reads after it
  const Lettura* altrimenti = nullptr;
  std::unique_ptr<Istruzione> falso;
};

// name [ "." member ] [ "(" arguments ")" ] ( "=" expression ";" | ";" )
struct Nome : Istruzione {
  Nome() : Istruzione(Specie::Nome) {}
  const Lettura* dopoNome = nullptr;
  const Lettura *parolaMembro = nullptr, *dopoMembro = nullptr;
  struct Argomento {
    const Lettura* espressione;
    const Lettura* dopo;  // the token after it: a separator or ")"
  };
  std::vector<Argomento> argomenti;
  const Lettura* dopoArgomenti = nullptr;
  const Lettura* uguale = nullptr;  // "=" (nullptr: a procedure, whose ";" is `chiusura`)
  const Lettura* valore = nullptr;
  const Lettura* chiusura = nullptr;  // the statement's ";"
  VariabileRicordata variabile;
  ProceduraRisolta procedura;
  ListaArgomenti lista;  // the procedure's arguments, room reused by every call
};

// The statement of a recording that starts with its first read; nullptr when the reads do not
// make one (nothing then runs from the recording).
std::unique_ptr<Istruzione> Costruisci(const std::vector<Lettura>& letture, int& livelloMassimo);

// Runs the recorded statement whose first token was just read, after ExecStatement showed its
// line; `annidamento` statements are open around it, the text allows `massimo`. False when it
// would nest deeper than that (the text then runs it, and reports there).
bool Esegui(IstruzioneCompilata& istruzione, bool Esegui, int annidamento, int massimo);

}  // namespace istr

namespace detail {
// How many statements ran from their recording (for tests and measurements).
extern std::uint64_t gIstruzioniRiprodotte;
}  // namespace detail

}  // namespace qx
