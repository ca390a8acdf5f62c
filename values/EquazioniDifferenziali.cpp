#include "values/EquazioniDifferenziali.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace qx {

namespace {

using Pesi = std::array<Reale, NODI_EDO + 1>;  // 1-based

// The weights w_j(u) of the indefinite integral from -1 to u of the polynomial that
// interpolates at the nodes cos(j pi / (m + 1)): the integrals of the Chebyshev polynomials
// of the second kind, (T_k(u) - (-1)^k) / k.
Pesi PesiQuadratura(Reale u) {
  constexpr int m = NODI_EDO;
  constexpr Reale pi = std::numbers::pi_v<Reale>;
  std::array<Reale, m + 1> integrale{};  // integrale[k] = (T_k(u) - (-1)^k) / k
  Reale tPrec = 1, t = u;                // T_0, T_1
  for (int k = 1; k <= m; ++k) {
    integrale[k] = (t - (k % 2 == 0 ? 1 : -1)) / k;
    const Reale prossimo = 2 * u * t - tPrec;
    tPrec = t;
    t = prossimo;
  }
  Pesi w{};
  for (int j = 1; j <= m; ++j) {
    const Reale theta = j * pi / (m + 1);
    Reale somma = 0;
    for (int k = 1; k <= m; ++k) somma += integrale[k] * std::sin(k * theta);
    w[j] = 2 * std::sin(theta) / (m + 1) * somma;
  }
  return w;
}

}  // namespace

SoluzioneEDO RisolviEDO(const std::function<Reale(Reale, Reale)>& f, Reale x0, Reale y0, Reale X, Reale x) {
  constexpr int m = NODI_EDO;
  constexpr Reale pi = std::numbers::pi_v<Reale>;
  SoluzioneEDO s;
  s.nodi = TVettore(m);
  s.pendenze = TVettore(m);
  if (X == x0) {  // no interval to take nodes from: only the start is known
    for (int j = 1; j <= m; ++j) {
      s.nodi(j) = x0;
      s.pendenze(j) = NormalizzaNonFinito(f(x0, y0));
    }
    s.converge = x == x0;
    s.y = s.converge ? y0 : VAL_NON_DEFINITA;
    return s;
  }
  const Reale centro = (x0 + X) / 2, semi = (X - x0) / 2;
  auto Immagine = [&](Reale t) { return (t - centro) / semi; };  // -1 at x0, 1 at X

  std::array<Pesi, m + 1> pesiNodi{};
  for (int j = 1; j <= m; ++j) {
    s.nodi(j) = centro + semi * std::cos(j * pi / (m + 1));
    pesiNodi[j] = PesiQuadratura(Immagine(s.nodi(j)));
  }
  const Pesi pesiX = PesiQuadratura(Immagine(x));
  auto Integrale = [&](const Pesi& w, const std::array<Reale, m + 1>& F) {
    Reale somma = 0;
    for (int j = 1; j <= m; ++j) somma += w[j] * F[j];
    return y0 + semi * somma;
  };

  // Euler's straight line starts the iteration.
  const Reale pendenza0 = f(x0, y0);
  std::array<Reale, m + 1> F{}, y{};
  for (int j = 1; j <= m; ++j) F[j] = f(s.nodi(j), y0 + (s.nodi(j) - x0) * pendenza0);
  Reale valore = y0 + (x - x0) * pendenza0;
  Reale nuovo = Integrale(pesiX, F);
  s.passi = 1;
  for (;;) {
    const Reale variazione = std::fabs(nuovo - valore);
    valore = nuovo;
    if (variazione <= 1e-6L * std::max<Reale>(1, std::fabs(valore))) {
      s.converge = true;
      break;
    }
    if (s.passi >= PASSI_EDO || !std::isfinite(valore)) break;
    for (int j = 1; j <= m; ++j) y[j] = Integrale(pesiNodi[j], F);
    for (int j = 1; j <= m; ++j) F[j] = f(s.nodi(j), y[j]);
    nuovo = Integrale(pesiX, F);
    ++s.passi;
  }
  for (int j = 1; j <= m; ++j) s.pendenze(j) = NormalizzaNonFinito(F[j]);
  s.y = s.converge ? NormalizzaNonFinito(valore) : VAL_NON_DEFINITA;
  return s;
}

}  // namespace qx
