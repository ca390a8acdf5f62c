// The definite integral of a function of x by Romberg's method: the trapezoid rule on
// halved steps with Richardson extrapolation.
#pragma once
#include <functional>

#include "values/Funzioni.h"

namespace qx {

// At most this many rows of the Romberg table.
constexpr int RIGHE_ROMBERG = 50;

// The integral of f from a to b. True when two successive diagonal estimates agree within
// eps; risultato is then the earlier of the two. The step is halved at most until it is a
// millionth of the interval. Reversed bounds give the opposite of the integral, equal
// bounds 0. Error values returned by f enter the sums as numbers.
bool IntegraleRomberg(const std::function<Reale(Reale)>& f, Reale& risultato, Reale a, Reale b, Reale eps);

}  // namespace qx
