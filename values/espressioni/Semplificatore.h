// Exact fraction arithmetic on trees: sums and differences of quotients brought over a
// common denominator (SemplificaFrazioni), and the folding of numbers, neutral elements
// and integer quotients (SemplificaAlbero). Both change the tree in place, one bottom-up
// pass per call; the caller repeats them until the tree stops changing or is a numeric
// fraction (EFrazioneNumerica).
#pragma once
#include "values/espressioni/NodoEspr.h"

namespace qx {

void SemplificaFrazioni(PNodo& radice);
void SemplificaAlbero(PNodo& radice);

// Both passes, repeated (at most 50 rounds) until the tree is a numeric fraction; a tree
// that folds to a whole number n becomes n/1. False when the rounds ran out first.
bool RiduciAFrazioneNumerica(PNodo& albero);
// "/" over two numbers.
bool EFrazioneNumerica(const NodoEspr* n);
// Divides both by their greatest common divisor (a negative denominator first moves its
// sign to the numerator); returns 1 when the fraction changed, else 0.
int RiduciFrazione(Reale& numeratore, Reale& denominatore);
// x equals its integer part within TOLLERANZA.
bool EIntero(Reale x);
bool EAdditivo(TipoNodo tipo);
// Structural equality: same kinds, names, numbers and children in order (x*2 is not 2*x).
bool AlberiUguali(const NodoEspr* a, const NodoEspr* b);
// A copy of the product p without one factor equal to f, or nothing. The factors looked
// at are those of the left spine of "*" nodes, right child first.
PNodo RimuoviFattore(const NodoEspr& f, const NodoEspr& p);

}  // namespace qx
