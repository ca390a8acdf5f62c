// Descriptive statistics of the language over real arrays (1-based vectors): mean, median,
// mode, mean absolute deviation, variance and standard deviation (population forms, divided
// by n), covariance and correlation. An empty array gives VAL_NON_DEFINITA where a mean is
// needed; a result that leaves the reals becomes an error value.
#pragma once
#include "values/Funzioni.h"
#include "values/Matrice.h"

namespace qx {

Reale Media(const TVettore& v);
// Sorts v in place, largest first, and gives the middle element (odd size) or the mean of
// the two middle elements (even size).
Reale Mediana(TVettore& v);
// The most frequent value (exact equality); among equally frequent values the one met first.
// 0 for an empty array.
Reale Moda(const TVettore& v);
// Sum of abs(x - mean) / n.
Reale ScartoMedio(const TVettore& v);
Reale Varianza(const TVettore& v);
Reale DeviazioneStandard(const TVettore& v);
// Over the first n elements of both, n the shorter size (the built-ins check the sizes).
Reale Covarianza(const TVettore& x, const TVettore& y);
// Covarianza / sqrt(Varianza(x) Varianza(y)); VAL_DIVISIONE_ZERO when a variance is 0.
Reale Correlazione(const TVettore& x, const TVettore& y);

}  // namespace qx
