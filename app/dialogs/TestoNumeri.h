// Numbers typed into the dialogs: the strict conversions of the boxes and grid cells, the
// formatted text of a real (the error values by their words), and a typed expression
// evaluated as the number dialog and the matrix grid evaluate it.
#pragma once
#include <QString>

#include "values/Funzioni.h"

namespace qx {

// A real written as the toolkit's conversion accepts it: blanks around, an optional sign,
// digits with at most one point, an optional exponent. The four words of the error values
// convert back to those values. False for anything else (the value is left alone).
bool TestoInReale(const QString& testo, Reale& valore);
// An integer of 32 bits, blanks around and a sign allowed.
bool TestoInIntero(const QString& testo, int& valore);
// The conversion failures, as the message boxes say them.
QString MessaggioRealeNonValido(const QString& testo);
QString MessaggioInteroNonValido(const QString& testo);

// The text a grid cell shows for a real: 15 significant digits, the error values by name.
QString RealeInTesto(Reale x);

// Parses the text as a formula (the parser shows its own message when it cannot) and
// evaluates it with x and y undefined, so that "2^5" gives 32 and a text that uses x gives
// an error value. False when the text does not parse.
bool ValutaTesto(const QString& testo, Reale& valore);

// Shows an error box with an OK button.
void MostraErrore(const QString& testo);

}  // namespace qx
