// How fast a program file of 10,000 points and 1,000 polygons of 20 vertices is saved and
// opened again: the bytes built and written by the safe save (BM_Salva), then read, parsed
// and put into a fresh environment (BM_Carica). Targets: each under 0.2 s, and the load
// within twice the save; the ratio is printed at the end. The in-memory halves are
// measured apart as well.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "app/file/FileProgramma.h"
#include "app/file/FileSicuro.h"
#include "runstate/DatiGlob.h"
#include "values/figure/ValorePoligono.h"
#include "values/figure/ValorePunto.h"

namespace {

namespace fs = std::filesystem;
using namespace qx;

struct TLavoro {
  cListaVariabili variabili;
  cRifCart rifCart{nullptr};
  TCollPunti traccia;
  std::string testo = "PER (I DA 1 A 10000) ESEGUI;\r\n  P_I = PUNTO(I / 100, SIN(I));\r\nFINE;";

  TLavoro() {
    rifCart.__AsseX = 1;
    rifCart.__AsseY = 399;
    rifCart._TaccaX = rifCart._TaccaY = 38;
    for (int i = 1; i <= 10000; ++i) {
      auto p = std::make_unique<cValorePunto>();
      p->Nome = "P_" + std::to_string(i);
      p->xCart = i / 100.0L;
      p->yCart = std::sin(static_cast<long double>(i));
      p->Pen.Color = clBlue;
      variabili.Aggiungi(std::make_unique<cVariabile>(p->Nome, std::move(p)));
    }
    for (int i = 1; i <= 1000; ++i) {
      auto q = std::make_unique<cValorePoligono>();
      q->Nome = "Q_" + std::to_string(i);
      for (int k = 0; k < 20; ++k) {
        const long double a = k * 3.14159265358979323846L / 10;
        q->Punti.Aggiungi(i + std::cos(a), std::sin(a) / i);
      }
      variabili.Aggiungi(std::make_unique<cVariabile>(q->Nome, std::move(q)));
    }
  }

  TStatoProgramma Stato() const {
    TStatoProgramma s;
    s.Testo = testo;
    s.PuntiTraccia = &traccia;
    s.ContatoreOggetti = 0;
    s.RifCart = &rifCart;
    s.Variabili = &variabili;
    return s;
  }
};

const TLavoro& Lavoro() {
  static const TLavoro lavoro;
  return lavoro;
}

const std::string& Percorso() {
  static const std::string p = (fs::temp_directory_path() / ("qx_bench_files_" + std::to_string(::getpid()) + ".qxs")).string();
  return p;
}

std::map<std::string, double>& Tempi() {
  static std::map<std::string, double> t;
  return t;
}

void Registra(benchmark::State& state, const char* nome, std::size_t byte) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * byte));
  state.counters["MB"] = static_cast<double>(byte) / 1e6;
  (void)nome;
}

void BM_ScriviProgramma(benchmark::State& state) {
  std::size_t byte = 0;
  for (auto _ : state) {
    TFileScritto f = ScriviProgramma(Lavoro().Stato());
    byte = f.Dati.size();
    benchmark::DoNotOptimize(f.Dati.data());
  }
  Registra(state, "scrivi", byte);
}

void BM_Salva(benchmark::State& state) {
  std::string errore, avviso;
  for (auto _ : state)
    if (!SalvaFileProgramma(Percorso(), Lavoro().Stato(), errore, avviso)) state.SkipWithError(errore.c_str());
}

void BM_LeggiProgramma(benchmark::State& state) {
  const std::string dati = ScriviProgramma(Lavoro().Stato()).Dati;
  for (auto _ : state) {
    TProgrammaLetto letto;
    std::string motivo;
    if (!LeggiProgramma(dati, letto, motivo)) state.SkipWithError(motivo.c_str());
    benchmark::DoNotOptimize(letto.Valori.data());
  }
  Registra(state, "leggi", dati.size());
}

void BM_Carica(benchmark::State& state) {
  std::string errore, avviso;
  if (!SalvaFileProgramma(Percorso(), Lavoro().Stato(), errore, avviso)) state.SkipWithError(errore.c_str());
  for (auto _ : state) {
    TProgrammaLetto letto;
    if (!CaricaFileProgramma(Percorso(), letto, errore)) state.SkipWithError(errore.c_str());
    cListaVariabili variabili;
    cRifCart rifCart(nullptr);
    TCollPunti traccia;
    ApplicaProgramma(letto, variabili, rifCart, &traccia);
    if (variabili.Count() != 11000) state.SkipWithError("not every value was loaded");
    benchmark::DoNotOptimize(variabili.Count());
  }
}

class Rapporto : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& r : runs) Tempi()[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

BENCHMARK(BM_ScriviProgramma)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Salva)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeggiProgramma)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Carica)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Rapporto rapporto;
  benchmark::RunSpecifiedBenchmarks(&rapporto);
  benchmark::Shutdown();
  const auto& t = Tempi();
  if (t.count("BM_Salva") && t.count("BM_Carica"))
    std::printf("save %.1f ms, load %.1f ms: the load takes %.2f times the save (target: under 200 ms each, at most 2)\n",
                t.at("BM_Salva"), t.at("BM_Carica"), t.at("BM_Carica") / t.at("BM_Salva"));
  std::error_code e;
  fs::remove(Percorso(), e);
  return 0;
}
