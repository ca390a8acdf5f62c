// How fast the scanner reads program text, with no window and with a window whose message
// pump is a virtual call per token (the shape of the application's throttled pump).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "interpreter/Scanner.h"
#include "runstate/DatiGlob.h"
#include "tests/support/ScriptedWindow.h"

namespace {

std::vector<std::string> Programma(int righe) {
  std::vector<std::string> p;
  for (int i = 0; i < righe; ++i)
    p.push_back("  S = S + I * 2 - 1; /* commento */ Punto_" + std::to_string(i) + " = Circ(P, 150);");
  return p;
}

void Leggi(benchmark::State& state) {
  qx::InizializzaDatiGlob();
  qx::DatiGlob.ListaIstruzioni = Programma(10000);
  for (auto _ : state) {
    qx::ResetScanner();
    long token = 0;
    while (!qx::DatiGlob.bFine) {
      qx::NextToken();
      ++token;
    }
    benchmark::DoNotOptimize(token);
    state.counters["token"] = static_cast<double>(token);
  }
}

void BM_ScannerSenzaFinestra(benchmark::State& state) { Leggi(state); }

void BM_ScannerConPompaggio(benchmark::State& state) {
  qx::test::ScriptedWindow finestra;
  qx::test::FinestraInstallata installata(finestra);
  Leggi(state);
}

BENCHMARK(BM_ScannerSenzaFinestra)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScannerConPompaggio)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
