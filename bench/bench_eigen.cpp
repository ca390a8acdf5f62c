// Eigenvalues of random well-conditioned 50 x 50 matrices (uniform entries in [-1, 1] plus
// a diagonal shift), symmetric and not. The counters report how many matrices the QR
// iteration gave up on, there should be none, and the worst gap between the sum of the
// eigenvalues and the trace.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "values/Autovalori.h"

namespace {

std::vector<qx::TMatrice> Matrici(int quante, int n, bool simmetriche) {
  std::mt19937 generatore(20240611u + (simmetriche ? 1u : 0u));
  std::uniform_real_distribution<double> uniforme(-1.0, 1.0);
  std::vector<qx::TMatrice> m;
  for (int k = 0; k < quante; ++k) {
    qx::TMatrice a(n, n);
    for (int i = 1; i <= n; ++i)
      for (int j = simmetriche ? i : 1; j <= n; ++j) {
        a(i, j) = uniforme(generatore);
        if (simmetriche) a(j, i) = a(i, j);
      }
    for (int i = 1; i <= n; ++i) a(i, i) += 0.5L * n * ((i % 3) - 1);
    m.push_back(a);
  }
  return m;
}

void Autovalori(benchmark::State& state) {
  const bool simmetriche = state.range(0) != 0;
  const std::vector<qx::TMatrice> matrici = Matrici(20, 50, simmetriche);
  long fallimenti = 0, calcoli = 0;
  long double scartoTraccia = 0;
  std::size_t k = 0;
  for (auto _ : state) {
    qx::TMatrice r;
    if (!qx::AutovaloriMatrice(matrici[k], r, 1e-10L)) ++fallimenti;
    long double somma = 0, traccia = 0;
    for (int i = 1; i <= r.Righe(); ++i) {
      somma += r(i, 1);
      traccia += matrici[k](i, i);
    }
    scartoTraccia = std::max(scartoTraccia, std::fabs(somma - traccia));
    ++calcoli;
    k = (k + 1) % matrici.size();
    benchmark::DoNotOptimize(r);
  }
  state.counters["fallimenti"] = static_cast<double>(fallimenti);
  state.counters["matrici"] = static_cast<double>(calcoli);
  state.counters["scarto_traccia"] = static_cast<double>(scartoTraccia);
}
BENCHMARK(Autovalori)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
