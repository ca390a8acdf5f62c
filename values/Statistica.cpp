#include "values/Statistica.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace qx {

namespace {

TVettore Primi(const TVettore& v, int n) {
  TVettore r(n);
  for (int i = 1; i <= n; ++i) r(i) = v(i);
  return r;
}

}  // namespace

Reale Media(const TVettore& v) {
  Reale somma = 0;
  for (int i = 1; i <= v.Dimensione(); ++i) somma += v(i);
  return NormalizzaNonFinito(somma / v.Dimensione());
}

Reale Mediana(TVettore& v) {
  const int n = v.Dimensione();
  if (n == 0) return VAL_NON_DEFINITA;
  std::vector<Reale> ordinati(static_cast<std::size_t>(n));
  for (int i = 1; i <= n; ++i) ordinati[static_cast<std::size_t>(i - 1)] = v(i);
  std::sort(ordinati.begin(), ordinati.end(), std::greater<Reale>());
  for (int i = 1; i <= n; ++i) v(i) = ordinati[static_cast<std::size_t>(i - 1)];
  if (n % 2 == 1) return v(n / 2 + 1);
  return NormalizzaNonFinito((v(n / 2) + v(n / 2 + 1)) / 2);
}

Reale Moda(const TVettore& v) {
  const int n = v.Dimensione();
  if (n < 1) return 0;
  int migliore = 1, conteggioMigliore = 0;
  for (int i = 1; i <= n; ++i) {
    int conteggio = 1;
    for (int j = i + 1; j <= n; ++j)
      if (v(j) == v(i)) ++conteggio;
    if (conteggio > conteggioMigliore) {
      conteggioMigliore = conteggio;
      migliore = i;
    }
  }
  return v(migliore);
}

Reale ScartoMedio(const TVettore& v) {
  const Reale media = Media(v);
  Reale somma = 0;
  for (int i = 1; i <= v.Dimensione(); ++i) somma += std::fabs(v(i) - media);
  return NormalizzaNonFinito(somma / v.Dimensione());
}

Reale Varianza(const TVettore& v) {
  const Reale media = Media(v);
  Reale somma = 0;
  for (int i = 1; i <= v.Dimensione(); ++i) somma += (v(i) - media) * (v(i) - media);
  return NormalizzaNonFinito(somma / v.Dimensione());
}

Reale DeviazioneStandard(const TVettore& v) {
  const Reale varianza = Varianza(v);
  return IsValoreErrore(varianza) ? varianza : std::sqrt(varianza);
}

Reale Covarianza(const TVettore& x, const TVettore& y) {
  const int n = std::min(x.Dimensione(), y.Dimensione());
  const TVettore a = Primi(x, n), b = Primi(y, n);
  const Reale ma = Media(a), mb = Media(b);
  Reale somma = 0;
  for (int i = 1; i <= n; ++i) somma += (a(i) - ma) * (b(i) - mb);
  return NormalizzaNonFinito(somma / n);
}

Reale Correlazione(const TVettore& x, const TVettore& y) {
  const int n = std::min(x.Dimensione(), y.Dimensione());
  const TVettore a = Primi(x, n), b = Primi(y, n);
  const Reale va = Varianza(a), vb = Varianza(b);
  if (va == 0 || vb == 0) return VAL_DIVISIONE_ZERO;
  const Reale c = Covarianza(a, b);
  if (IsValoreErrore(c) || IsValoreErrore(va) || IsValoreErrore(vb)) return VAL_NON_DEFINITA;
  return NormalizzaNonFinito(c / std::sqrt(va * vb));
}

}  // namespace qx
