// The character source and token reader of the interpreter. There is no lexing pass: the
// interpreter reads the program text straight from ListaIstruzioni while it executes, and
// the loops re-read their text by saving and restoring a position.
#pragma once
#include <string>

#include "interpreter/runstate/DatiGlob.h"

namespace qx {

constexpr std::size_t LUNGHEZZA_MASSIMA_NOME = 255;

struct PosizioneScanner {
  int Colonna = 0;
  char32_t ChCorrente = U' ';
  bool bFine = false;
  int IndiceRiga = 0;
};

// Prepares a run over the current ListaIstruzioni.
void ResetScanner();
// The step that crosses a line or reaches the end of the text.
void NextCharLento();
// Advances one character; inline because it runs once per character of every pass.
inline void NextChar() {
  TDatiGlob& g = DatiGlob;
  if (!g.bFine && g.Colonna < static_cast<int>(g.RigaTesto.size())) {
    g.ChCorrente = g.RigaTesto[static_cast<std::size_t>(g.Colonna++)];
    return;
  }
  NextCharLento();
}
void NextToken();
PosizioneScanner SalvaPosizione();
void RipristinaPosizione(const PosizioneScanner& p);

// A line as the scanner reads it: one blank appended, then the leading blanks removed.
std::u32string PreparaRiga(const std::string& riga);

}  // namespace qx
