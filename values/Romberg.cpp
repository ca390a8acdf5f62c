#include "values/Romberg.h"

#include <cmath>
#include <utility>
#include <vector>

namespace qx {

namespace {
// Rows before an agreement counts: the fifth row samples 17 points.
constexpr int RIGHE_MINIME = 5;
}  // namespace

bool IntegraleRomberg(const std::function<Reale(Reale)>& f, Reale& risultato, Reale a, Reale b, Reale eps) {
  if (a == b) {
    risultato = 0;
    return true;
  }
  if (b < a) {
    const bool ok = IntegraleRomberg(f, risultato, b, a, eps);
    if (!IsValoreErrore(risultato)) risultato = -risultato;
    return ok;
  }
  // Only the previous row of the table is needed for the next one.
  std::vector<Reale> precedente(RIGHE_ROMBERG), corrente(RIGHE_ROMBERG);
  const Reale ampiezza = b - a;
  // Relative to the interval: an absolute floor would refuse short intervals at once and
  // let long ones run for billions of evaluations.
  const Reale passoMinimo = 1e-6L * ampiezza;
  Reale h = ampiezza;
  risultato = 1e10L;
  precedente[0] = (f(a) + f(b)) * h / 2;
  long long intervalli = 1;
  int i = 1;
  for (;;) {
    // Agreement of the first rows proves nothing: they sample a handful of points, and
    // cos(x)^2 over 0..2*pi agreed at 2*pi on 0, pi and 2*pi alone.
    if (i >= RIGHE_MINIME && std::fabs(precedente[i - 1] - risultato) <= eps) break;
    if (h <= passoMinimo || i >= RIGHE_ROMBERG) break;
    risultato = precedente[i - 1];
    ++i;
    h /= 2;
    // The new midpoints by index: accumulating x would drift and could drop the last one.
    Reale somma = 0;
    for (long long m = 1; m <= intervalli; ++m) somma += f(a + static_cast<Reale>(2 * m - 1) * h);
    intervalli *= 2;
    corrente[0] = somma * h + precedente[0] / 2;
    Reale quattro = 1;
    for (int j = 2; j <= i; ++j) {
      quattro *= 4;  // 4^(j-1), exact
      corrente[j - 1] = (quattro * corrente[j - 2] - precedente[j - 2]) / (quattro - 1);
    }
    std::swap(precedente, corrente);
  }
  const bool ok = i >= RIGHE_MINIME && std::fabs(precedente[i - 1] - risultato) <= eps && i < RIGHE_ROMBERG;
  risultato = NormalizzaNonFinito(risultato);
  return ok;
}

}  // namespace qx
