// Where the statements (Istruzioni.cpp) take their tokens and expressions from: the text, or,
// while a statement is being recorded, the text read without running anything.
//
// A loop reads all of its text on every pass, and what a read finds depends only on the place
// where it starts: the text does not change during a run. So the first time the run meets a
// loop (or a block) the whole statement is read once by the statements' own code with Esegui
// false, as an untaken branch is read, with the message hook off and nothing reported: every
// token it reads is recorded with the places before and after it, and every expression is
// compiled (EspressioniCompilate.h). IstruzioniCompilate.h then runs the statement from that
// recording.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "interpreter/EspressioniCompilate.h"
#include "interpreter/Scanner.h"

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
  // A token: its text and the words it equals.
  std::string testo;
  std::uint16_t parole = 0;
  // An expression.
  std::unique_ptr<espr::NodoRelazione> espressione;

  bool Inizia(char c) const { return !testo.empty() && testo[0] == c; }
};

namespace istr {
struct Istruzione;
}

// A statement read once: its reads in the order the statements make them, and the statement
// built from them (IstruzioniCompilate.h).
struct IstruzioneCompilata {
  IstruzioneCompilata();
  ~IstruzioneCompilata();
  std::vector<Lettura> letture;
  std::unique_ptr<istr::Istruzione> radice;
  int livelloMassimo = 0;  // how deep its statements nest (the text has a limit)
};

namespace detail {
class Registrazione;
// The recording in progress, or nullptr while the text is read.
extern Registrazione* gRegistrazione;
void LeggiRegistrando();
}  // namespace detail

class Lettore {
 public:
  // A place saved by Salva.
  struct Segno {
    std::size_t letture = 0;  // recording: how many reads it had
    PosizioneScanner posizione;
    std::string token;
  };

  // NextToken.
  static void Leggi() {
    if (detail::gRegistrazione) [[unlikely]] detail::LeggiRegistrando();
    else NextToken();
  }
  // The current token: equal to one of the words, starting with a character, a name.
  static bool E(ParolaToken p);
  static bool Inizia(char c) {
    const std::string& t = DatiGlob.TokenCorrente;
    return !t.empty() && t[0] == c;
  }
  static bool Nome() {
    const std::string& t = DatiGlob.TokenCorrente;
    return !t.empty() && IsLettera(static_cast<unsigned char>(t[0]));
  }
  static const std::string& Testo() { return DatiGlob.TokenCorrente; }
  static bool Registra() { return detail::gRegistrazione != nullptr; }

  // EvalExpression.
  static Valutato Espressione(bool Esegui);

  // SalvaPosizione and RipristinaPosizione; RipristinaConToken also puts the token back (the
  // SE look-ahead).
  static Segno Salva();
  static void Ripristina(const Segno& s);
  static void RipristinaConToken(const Segno& s);

  // Reports a program error found by the statements (while recording: the recording fails).
  static void Segnala(const std::string& messaggio, bool SuRiga);

  // The statement that begins with the current token, recorded once per run by `leggi` (the
  // statement's own code after its first token); nullptr when it cannot be recorded (its text
  // has an error, which the reading of the text will report).
  static std::shared_ptr<IstruzioneCompilata> IstruzioneCorrente(void (*leggi)(bool Esegui));
};

// The words of the statements, from the keyword texts.
std::uint16_t ParoleDi(const std::string& token);

}  // namespace qx
