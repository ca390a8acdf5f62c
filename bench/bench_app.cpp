// The main window running a program that makes 1,000 points and 1,000 segments, in normal
// run (the canvas repainted and the object list rebuilt after every statement, the running
// line coloured, the messages let through) against the same program in fast run, in the
// real window off-screen. The ratio uses the fastest run of each; the memory is the
// process's resident size after the last run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/ServiziFinestra.h"
#include "bench/FinestraPrincipale.h"
#include "app/Editori.h"
#include "app/Tfrm3.h"
#include "controls/midi/ServiziSuono.h"
#include "runstate/DatiGlob.h"
#include "values/Variabili.h"

namespace {

std::string Programma() {
  std::string testo;
  for (int i = 1; i <= 1000; ++i) {
    const std::string x = std::to_string(i % 40) + "." + std::to_string(i % 10);
    const std::string y = std::to_string(i % 25) + "." + std::to_string(i % 7);
    testo += "P" + std::to_string(i) + " = PUNTO(" + x + ", " + y + ");\n";
    testo += "S" + std::to_string(i) + " = SEGMENTO(PUNTO(" + x + ", 0), PUNTO(" + y + ", " + x + "));\n";
  }
  return testo;
}

double gNormale = 0, gVeloce = 0;
long gMemoriaKb = 0;

void Tieni(double& migliore, double s) {
  if (migliore == 0 || s < migliore) migliore = s;
}

long MemoriaResidenteKb() {
  std::ifstream in("/proc/self/status");
  std::string parola;
  while (in >> parola)
    if (parola == "VmRSS:") {
      long kb = 0;
      in >> kb;
      return kb;
    }
  return 0;
}

// One window for every run, as a pupil runs a program again and again.
qx::Tfrm3& Finestra() {
  static qx::Tfrm3& f = []() -> qx::Tfrm3& {
    qx::Tfrm3& finestra = qx::bench::FinestraPrincipale();
    qx::ImpostaTestoEditor(*finestra.MemoSource, Programma());
    QCoreApplication::processEvents();
    return finestra;
  }();
  return f;
}

double Esegui(bool veloce) {
  qx::Tfrm3& f = Finestra();
  f.cbEsecuzioneVeloce->setChecked(veloce);
  f.cbEsecuzioneVeloceClick();
  const auto t0 = std::chrono::steady_clock::now();
  f.Esegui1Click();
  const auto t1 = std::chrono::steady_clock::now();
  // Every run also makes the space frame's three planes.
  const qx::cListaVariabili* t = qx::DatiGlob.ListaVariabili;
  if (!t || !t->Cerca("P1000") || !t->Cerca("S1000") || t->Count() != 2003)
    std::fprintf(stderr, "the program did not make its 2,000 values: %s\n", qx::DatiGlob.MessaggioErrore.c_str());
  return std::chrono::duration<double>(t1 - t0).count();
}

void BM_EsecuzioneNormale(benchmark::State& state) {
  const std::uint64_t prima = Finestra().Servizi().Pompaggi;
  for (auto _ : state) {
    const double s = Esegui(false);
    state.SetIterationTime(s);
    Tieni(gNormale, s);
  }
  // How often a run let the messages through (and brought the picture and the list up to date).
  state.counters["pumps_per_run"] =
      static_cast<double>(Finestra().Servizi().Pompaggi - prima) / static_cast<double>(state.iterations());
  gMemoriaKb = MemoriaResidenteKb();
  state.counters["RSS_MB"] = static_cast<double>(gMemoriaKb) / 1024.0;
}

void BM_EsecuzioneVeloce(benchmark::State& state) {
  for (auto _ : state) {
    const double s = Esegui(true);
    state.SetIterationTime(s);
    Tieni(gVeloce, s);
  }
}

BENCHMARK(BM_EsecuzioneVeloce)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_EsecuzioneNormale)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_FONT_DPI", "96", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (gNormale > 0 && gVeloce > 0) {
    std::printf("normal run / fast run (fastest runs): %.2f\n", gNormale / gVeloce);
    std::printf("resident memory after the runs: %.1f MB\n", static_cast<double>(gMemoriaKb) / 1024.0);
  }
  return 0;
}
