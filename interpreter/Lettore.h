// Where the statements take their tokens and expressions from. The statements (Istruzioni.cpp)
// read through one Lettore, which either reads the text (NextToken, EvalExpression), or
// records it, or replays a recording.
//
// A loop reads all of its text on every pass, and what a read finds depends only on the place
// where it starts: the text does not change during a run. So the first time the run meets a
// loop (ESEGUI, PER, RIPETI) the whole statement is read once without running anything, as an
// untaken branch is read, and recorded: every token the statements read, with the places before
// and after it, and every expression, compiled (EspressioniCompilate.h). The statement then
// runs from the recording: the statements' own code runs as always, and each read gives the
// next recorded token or expression, runs the message hook as NextToken does, and moves a
// cursor instead of the scanner. Going back (the loops' RipristinaPosizione, the SE look-ahead)
// moves the cursor back. The scanner's position is written back before anything that may
// report a message or look at it, and when the statement ends.
//
// Once the run is stopped (an error, STOP, the window's stop command) the Lettore reads the
// text again from the place the recording had reached, so that whatever the statements still
// read after a stop is what the text gives there.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "interpreter/Dispatch.h"
#include "interpreter/EspressioniCompilate.h"
#include "interpreter/Scanner.h"
#include "interpreter/VariabileRicordata.h"

namespace qx {

// The words the statements compare a token with, as bits.
enum ParolaToken : std::uint16_t {
  kParolaEsegui = 1 << 0,
  kParolaPer = 1 << 1,
  kParolaRipeti = 1 << 2,
  kParolaSe = 1 << 3,
  kParolaFine = 1 << 4,
  kParolaFinquando = 1 << 5,
  kParolaAllora = 1 << 6,
  kParolaAltrimenti = 1 << 7,
  kParolaA = 1 << 8,
  kParolaVolte = 1 << 9,
};

// One read of a recorded statement: a token, or an expression.
struct Lettura {
  FineLettura prima, dopo;  // the reading position before and after it
  // A token: its text, the words it equals and its first character.
  std::string testo;
  std::uint16_t parole = 0;
  char iniziale = 0;
  bool nome = false;
  // An expression.
  std::unique_ptr<espr::NodoRelazione> espressione;
  // What a statement that starts with this name keeps: the variable it stores into and the
  // procedure it calls.
  VariabileRicordata variabile;
  ProceduraRisolta procedura;
};

// A statement read once: its reads in the order the statements make them.
struct IstruzioneCompilata {
  std::vector<Lettura> letture;
};

class Lettore {
 public:
  enum class Modo : std::uint8_t { Testo, Registrazione, Riproduzione };
  // A place saved by Salva: a recording's cursor, or the scanner's position.
  struct Segno {
    std::size_t cursore = 0;
    PosizioneScanner posizione;
    const FineLettura* registrata = nullptr;
    const Lettura* corrente = nullptr;
    std::string token;  // the token of a place read from the text
  };

  Lettore() = default;
  Lettore(const Lettore&) = delete;
  Lettore& operator=(const Lettore&) = delete;

  bool ATesto() const { return modo_ == Modo::Testo; }
  bool Registra() const { return modo_ == Modo::Registrazione; }

  // NextToken.
  void Leggi() {
    if (modo_ == Modo::Riproduzione) [[likely]] {
      TDatiGlob& g = DatiGlob;
      if (!g.bStop && cursore_ < fine_) [[likely]] {
        const Lettura& l = letture_[cursore_];
        if (!l.espressione) [[likely]] {
          g.IndiceRiga = l.prima.IndiceRiga;  // a report at the hook names this line
          LasciaPassareMessaggi();
          if (!g.bStop) [[likely]] {
            corrente_ = &l;
            posizione_ = &l.dopo;
            ++cursore_;
            return;
          }
          // Stopped at the hook: the token is read from the text, as NextToken reads it.
          PassaAlTesto(l.prima);
          detail::LeggiToken();
          return;
        }
      }
      PassaAlTesto(*posizione_);
    }
    LeggiLento();
  }

  // The current token: equal to one of the words, starting with a character, a name.
  bool E(ParolaToken p) const { return corrente_ ? (corrente_->parole & p) != 0 : UgualeTesto(p); }
  bool Inizia(char c) const {
    if (corrente_) return corrente_->iniziale == c;
    const std::string& t = DatiGlob.TokenCorrente;
    return !t.empty() && t[0] == c;
  }
  bool Nome() const {
    if (corrente_) return corrente_->nome;
    const std::string& t = DatiGlob.TokenCorrente;
    return !t.empty() && IsLettera(static_cast<unsigned char>(t[0]));
  }
  const std::string& Testo() const { return corrente_ ? corrente_->testo : DatiGlob.TokenCorrente; }
  // The line of the reading position (ShowCurrentLine), and whether the text has ended.
  int Riga() const { return posizione_ ? posizione_->IndiceRiga : DatiGlob.IndiceRiga; }
  bool Fine() const { return posizione_ ? posizione_->bFine : DatiGlob.bFine; }
  // What a statement that starts with the current token keeps (nullptr when reading the text).
  Lettura* Ricordo() { return modo_ == Modo::Riproduzione ? const_cast<Lettura*>(corrente_) : nullptr; }

  // EvalExpression.
  Valutato Espressione(bool Esegui) {
    if (modo_ == Modo::Riproduzione && !DatiGlob.bStop && cursore_ < fine_ && letture_[cursore_].espressione)
        [[likely]] {
      const Lettura& l = letture_[cursore_++];
      posizione_ = &l.dopo;
      // A stop inside leaves the reading position where the text's would be.
      if (Esegui) {
        Valutato v = l.espressione->valuta(*l.espressione);
        if (DatiGlob.bStop) [[unlikely]] DopoFermata(*l.espressione, v);
        return v;
      }
      if (!l.espressione->analizza(*l.espressione) && DatiGlob.bStop) VaiA(l.espressione->dopo);
      if (DatiGlob.bStop) [[unlikely]] ATesto(nullptr);
      return {};
    }
    return EspressioneLenta(Esegui);
  }

  // SalvaPosizione and RipristinaPosizione; the second pair also keeps the token (the SE
  // look-ahead).
  Segno Salva() const;
  void Ripristina(const Segno& s);
  void RipristinaConToken(const Segno& s);

  // Writes the reading position into the scanner's state.
  void Materializza();
  // Reports a program error found by the statements, at the place the reading has reached.
  void Segnala(const std::string& messaggio, bool SuRiga);

  // ---- Recording and replaying one statement (Istruzioni.cpp) ----
  // The statement that begins with the current token, as the text reading it gives it: from
  // the recordings of this run, or recorded now; nullptr when its text has an error (it is
  // then read from the text, which reports it).
  static std::shared_ptr<IstruzioneCompilata> IstruzioneCorrente(void (*leggi)(bool Esegui));
  // Makes this Lettore replay `istruzione` (its first token is the current one) until it is
  // destroyed, which writes the position after the statement back into the scanner.
  explicit Lettore(std::shared_ptr<IstruzioneCompilata> istruzione);
  ~Lettore();

 private:
  void LeggiLento();
  Valutato EspressioneLenta(bool Esegui);
  bool UgualeTesto(ParolaToken p) const;
  void DopoFermata(const espr::NodoRelazione& e, const Valutato& v) {
    if (!v.interrotto) VaiA(e.dopo);
    ATesto(nullptr);
  }
  // Goes on reading the text, from where the scanner stands now.
  void ATesto(std::nullptr_t) {
    modo_ = Modo::Testo;
    corrente_ = nullptr;
    posizione_ = nullptr;
  }
  // Goes on reading the text from `p` (keeping bFine, which a stop may have set).
  void PassaAlTesto(const FineLettura& p);
  Lettura& Registrata();

  Modo modo_ = Modo::Testo;
  // Replaying: the recording, the next read, the current token and the reading position.
  std::shared_ptr<IstruzioneCompilata> istruzione_;
  const Lettura* letture_ = nullptr;
  std::size_t cursore_ = 0, fine_ = 0;
  const Lettura* corrente_ = nullptr;
  const FineLettura* posizione_ = nullptr;
  Lettore* precedente_ = nullptr;
  // Recording.
  std::vector<Lettura>* registrazione_ = nullptr;
  bool fallita_ = false;
};

// The Lettore the statements read through now.
extern Lettore* gLettore;

namespace detail {
// How many statements ran from their recording (for tests and measurements).
extern std::uint64_t gIstruzioniRiprodotte;
}  // namespace detail

// The words of the statements, from the keyword texts.
std::uint16_t ParoleDi(const std::string& token);

}  // namespace qx
