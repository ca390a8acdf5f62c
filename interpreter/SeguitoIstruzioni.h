// The statements' code from one of their reads onwards. The statements are written as these
// pieces, each starting right after a token was read (Istruzioni.cpp). A compiled statement
// (IstruzioniCompilate.h) that finds the run stopped at the message hook of one of its reads
// reads that token from the text, as NextToken would, and hands over to the piece that follows
// the read: whatever the statements still do after a stop is then what the text does.
#pragma once
#include "interpreter/Istruzioni.h"
#include "interpreter/Lettore.h"

namespace qx::seguito {

// ---- bodies and FINE ----
// A statement's first token, or FINE, was read.
void CorpoDopoLettura(bool Esegui);
void Corpo(bool Esegui);
// The ";" after a loop's FINE was read; PuntoVirgolaDopoFine reads it first.
void DopoPuntoVirgolaFine();
void PuntoVirgolaDopoFine();

// ---- ESEGUI ----
// The token after ESEGUI was read.
void DoWhileDopoEsegui(bool Esegui);
// The ";" after a block's FINE was read.
void BloccoDopoFine();
// The token after FINQUANDO was read (the rest of the loop).
void FinquandoDopoParola(bool Esegui);
// The token after a pass's condition was read, and the one after it; the rest of the pass.
bool FinquandoDopoChiusa(bool Esegui, const Valutato& condizione, bool& continua);
bool FinquandoDopoPuntoVirgola(bool Esegui, const Valutato& condizione, bool& continua);

// ---- PER: the rest of a pass's header after each of its reads; true when the body runs ----
bool PerDopoParentesi(bool Esegui, int passo, VariabileRicordata& contatore, bool& continua);
bool PerDopoVariabile(bool Esegui, int passo, VariabileRicordata& contatore, bool& continua);
bool PerDopoDa(bool Esegui, int passo, VariabileRicordata& contatore, bool& continua);
bool PerDopoA(bool Esegui, VariabileRicordata& contatore, Reale valore, bool& continua);
bool PerDopoChiusa(bool Esegui, VariabileRicordata& contatore, Reale valore, const Valutato& fine, bool& continua);
bool PerDopoEsegui(bool Esegui, VariabileRicordata& contatore, Reale valore, const Valutato& fine, bool& continua);

// ---- RIPETI: the rest of a pass after VOLTE and after its ";" ----
bool RipetiDopoVolte(bool Esegui, const Valutato& conta, int passo, bool& continua);
bool RipetiDopoPuntoVirgola(bool Esegui, const Valutato& conta, int passo, bool& continua);

// ---- SE ----
void SeDopoAllora(bool Esegui, const Valutato& condizione);
// The branch's first token was read.
void SeDopoPrimo(bool Esegui, bool vera);
// The look-ahead token was read; `prima` is where the reading stood before it.
void SeDopoSguardo(bool Esegui, bool vera, const Lettore::Segno& prima);
void SeDopoAltrimenti(bool Esegui, bool vera);

// ---- a statement that starts with a name ----
void NomeDopoPrimo(bool Esegui);
void NomeDopoParolaMembro(bool Esegui, ArgomentiIstruzione& argomenti);
void NomeDopoMembro(bool Esegui, ArgomentiIstruzione& argomenti);
// The ";" of an assignment was read; false when it is not one.
bool AssegnamentoDopoPuntoVirgola();

// How many statements the reading is inside (a compiled statement nests its statements
// without counting them; before a piece runs it sets the count the text would have).
int Annidamento();
void ImpostaAnnidamento(int n);

}  // namespace qx::seguito
