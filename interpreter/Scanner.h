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
void NextChar();
void NextToken();
PosizioneScanner SalvaPosizione();
void RipristinaPosizione(const PosizioneScanner& p);

// A line as the scanner reads it: one blank appended, then the leading blanks removed.
std::u32string PreparaRiga(const std::string& riga);

}  // namespace qx
