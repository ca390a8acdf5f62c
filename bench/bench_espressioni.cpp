// The expression engine's two hot paths: differentiating, tidying and printing a batch of
// varied functions, and evaluating one parsed function at a million points, set against a
// hand-written long double loop that computes the same function.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "values/espressioni/Analizzatore.h"
#include "values/espressioni/Derivata.h"
#include "values/espressioni/Stampa.h"
#include "values/espressioni/Valutatore.h"

namespace {

using qx::PNodo;
using qx::Reale;

// 1,000 functions of x built from the built-ins that have a derivative rule.
std::vector<PNodo> Funzioni() {
  static const char* atomi[] = {"x", "x^2", "Sin(x)", "Cos(3*x)", "Exp(x/2)", "Ln(x)", "Sqrt(x)", "ArcTan(x)",
                                "Tanh(x)", "x^x", "(1+2*x)^3", "1/x", "Sinh(x)*Cosh(x)", "Abs(x-1)"};
  static const char* ops[] = {"+", "-", "*", "/"};
  std::mt19937 gen(42);
  std::vector<PNodo> f;
  for (int i = 0; i < 1000; ++i) {
    std::string t = atomi[gen() % std::size(atomi)];
    const int termini = 1 + static_cast<int>(gen() % 4);
    for (int k = 0; k < termini; ++k) t = "(" + t + ")" + ops[gen() % 4] + atomi[gen() % std::size(atomi)];
    f.push_back(qx::AnalizzaEspressione(t, qx::MODO_FUNZIONE));
  }
  return f;
}

void DerivaRiscriviStampa(benchmark::State& state) {
  const std::vector<PNodo> f = Funzioni();
  std::size_t caratteri = 0;
  for (auto _ : state) {
    for (const PNodo& t : f) {
      PNodo d = qx::Derivata(t.get());
      caratteri += qx::AlberoInTesto(d.get()).size();
    }
  }
  benchmark::DoNotOptimize(caratteri);
  state.SetItemsProcessed(state.iterations() * static_cast<long>(f.size()));
}
BENCHMARK(DerivaRiscriviStampa)->Unit(benchmark::kMillisecond);

constexpr int PUNTI = 1000000;
const char* const FORMULA = "x^2*Sin(x)+Exp(x/-3)-Sqrt(x)/(1+x)";

Reale Manuale(Reale x) { return x * x * std::sin(x) + std::exp(x / -3) - std::sqrt(x) / (1 + x); }

Reale SommaAlbero(const qx::NodoEspr* t) {
  Reale s = 0;
  for (int i = 0; i < PUNTI; ++i) s += qx::ValutaAlbero(t, 0.001L + i * 1e-5L, 0);
  return s;
}
Reale SommaManuale() {
  Reale s = 0;
  for (int i = 0; i < PUNTI; ++i) s += Manuale(0.001L + i * 1e-5L);
  return s;
}

void ValutaAlberoMilionePunti(benchmark::State& state) {
  PNodo t = qx::AnalizzaEspressione(FORMULA, qx::MODO_FUNZIONE);
  for (auto _ : state) benchmark::DoNotOptimize(SommaAlbero(t.get()));
}
BENCHMARK(ValutaAlberoMilionePunti)->Unit(benchmark::kMillisecond);

void CicloManualeMilionePunti(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(SommaManuale());
}
BENCHMARK(CicloManualeMilionePunti)->Unit(benchmark::kMillisecond);

// Both in one run, alternating, with their ratio as a counter (target: below 2).
void RapportoAlberoSuManuale(benchmark::State& state) {
  PNodo t = qx::AnalizzaEspressione(FORMULA, qx::MODO_FUNZIONE);
  using Orologio = std::chrono::steady_clock;
  double albero = 0, manuale = 0;
  for (auto _ : state) {
    auto t0 = Orologio::now();
    benchmark::DoNotOptimize(SommaAlbero(t.get()));
    auto t1 = Orologio::now();
    benchmark::DoNotOptimize(SommaManuale());
    auto t2 = Orologio::now();
    albero += std::chrono::duration<double>(t1 - t0).count();
    manuale += std::chrono::duration<double>(t2 - t1).count();
  }
  state.counters["rapporto"] = albero / manuale;
  // The two loops must compute the same function.
  state.counters["differenza"] = static_cast<double>(std::fabs(SommaAlbero(t.get()) - SommaManuale()));
}
BENCHMARK(RapportoAlberoSuManuale)->Unit(benchmark::kMillisecond)->Iterations(5);

// The functions of a file, one per line (bench/compare_symbolic.sh writes it so that the
// other systems differentiate exactly the same set).
void DerivaDaFile(benchmark::State& state, const std::string& percorso) {
  std::vector<PNodo> f;
  std::ifstream in(percorso);
  for (std::string riga; std::getline(in, riga);)
    if (PNodo t = qx::AnalizzaEspressione(riga, qx::MODO_FUNZIONE, false)) f.push_back(std::move(t));
  std::size_t caratteri = 0;
  for (auto _ : state)
    for (const PNodo& t : f) {
      PNodo d = qx::Derivata(t.get());
      caratteri += qx::AlberoInTesto(d.get()).size();
    }
  benchmark::DoNotOptimize(caratteri);
  state.counters["funzioni"] = static_cast<double>(f.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (const char* file = std::getenv("QUORIX_FUNZIONI_FILE"))
    benchmark::RegisterBenchmark("DerivaDaFile", DerivaDaFile, std::string(file))->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
