// Pupils' kinds of program, each beside a python3 program that does the same work, timed in
// the same run: a FINQUANDO loop with SE, RIPETI around PER, built-in numeric functions,
// strings and printing, vector and matrix elements, points, segments and circles, FUNZIONE
// values, and the sieve of Eratosthenes. The programs live in bench/programmi/ (NAME.txt
// and NAME.py), so that qxrun, callgrind or python3 can run each one alone.
//
// Quorix runs in fast run with a window that keeps the output pane's lines; python3 runs the
// script with exec() at module level, its print() going to /dev/null. Each side is timed
// around the work only (the interpreters' start-up left out), as bench_interprete does; the
// ratio uses the fastest run of each, and the geometric mean of the ratios closes the report.
// The memory of each Quorix run is the peak resident size of a child process that runs it.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "interpreter/Ambiente.h"
#include "runstate/DatiGlob.h"
#include "runstate/WindowServices.h"

#ifndef QUORIX_PROGRAMMI_BENCH
#define QUORIX_PROGRAMMI_BENCH "bench/programmi"
#endif

namespace {

const char* const kProgrammi[] = {
    "finquando_se", "ripeti_per", "funzioni_numeriche", "stringhe_stampa",
    "vettori_matrici", "geometria", "valutafunz", "crivello",
};

std::string Percorso(const std::string& nome, const char* estensione) {
  return std::string(QUORIX_PROGRAMMI_BENCH) + "/" + nome + estensione;
}

std::vector<std::string> Righe(const std::string& percorso) {
  std::ifstream in(percorso);
  std::vector<std::string> righe;
  for (std::string r; std::getline(in, r);) righe.push_back(r);
  return righe;
}

// A window that keeps the output pane's lines, as the real pane does; everything else is the
// quiet default (its message pump is a virtual call per token).
class FinestraConOutput : public qx::WindowServices {
 public:
  void AggiungiRigaOutput(const std::string& riga, qx::TColor) override { righe.push_back(riga); }
  void PulisciOutput() override { righe.clear(); }
  std::vector<std::string> righe;
};

struct Tempi {
  double quorix = 0, python = 0;
  std::size_t righeQuorix = 0;
  long memoriaKB = 0;
};
std::map<std::string, Tempi> gTempi;

// Keeps the fastest of the runs: the machine's other work only ever slows a run down.
void Tieni(double& migliore, double s) {
  if (migliore == 0 || s < migliore) migliore = s;
}

// One run of the program; the seconds of EseguiProgramma, or -1 after a failed run.
double EseguiQuorix(const std::vector<std::string>& programma, std::size_t& righe) {
  FinestraConOutput finestra;
  qx::ImpostaFinestra(&finestra);
  double secondi = -1;
  {
    qx::TAmbiente ambiente;
    ambiente.InizializzaAmbiente();
    qx::DatiGlob.bEsecuzioneVeloce = true;
    qx::DatiGlob.bMostraErrori = false;
    const auto t0 = std::chrono::steady_clock::now();
    const bool ok = ambiente.EseguiProgramma(programma);
    const auto t1 = std::chrono::steady_clock::now();
    if (ok) secondi = std::chrono::duration<double>(t1 - t0).count();
    else std::fprintf(stderr, "the program failed: %s\n", qx::DatiGlob.MessaggioErrore.c_str());
  }
  righe = finestra.righe.size();
  qx::ImpostaFinestra(nullptr);
  return secondi;
}

// The peak resident size (KB) of a child process that runs the program once.
long MemoriaQuorix(const std::vector<std::string>& programma) {
  const pid_t figlio = fork();
  if (figlio == 0) {
    std::size_t righe = 0;
    _exit(EseguiQuorix(programma, righe) < 0 ? 1 : 0);
  }
  int stato = 0;
  rusage uso{};
  if (figlio < 0 || wait4(figlio, &stato, 0, &uso) < 0) return -1;
  return uso.ru_maxrss;
}

void BM_Quorix(benchmark::State& state, const std::string& nome) {
  qx::InizializzaDatiGlob();
  const std::vector<std::string> programma = Righe(Percorso(nome, ".txt"));
  Tempi& t = gTempi[nome];
  for (auto _ : state) {
    const double s = EseguiQuorix(programma, t.righeQuorix);
    if (s < 0) {
      state.SkipWithError("the program failed");
      return;
    }
    state.SetIterationTime(s);
    Tieni(t.quorix, s);
  }
  t.memoriaKB = MemoriaQuorix(programma);
}

// python3 runs the script's code at module level, as a pupil's script runs, and prints the
// seconds of that alone on its real standard output.
void BM_Python(benchmark::State& state, const std::string& nome) {
  const std::string comando =
      "python3 -c 'import sys, os, time, io\n"
      "codice = compile(open(sys.argv[1]).read(), sys.argv[1], \"exec\")\n"
      "uscita = sys.stdout\n"
      "sys.stdout = open(os.devnull, \"w\")\n"
      "t = time.perf_counter()\n"
      "exec(codice, {\"__name__\": \"__main__\"})\n"
      "sys.stdout.flush()\n"
      "s = time.perf_counter() - t\n"
      "uscita.write(\"%.9f\\n\" % s)' " +
      Percorso(nome, ".py");
  Tempi& t = gTempi[nome];
  for (auto _ : state) {
    FILE* p = popen(comando.c_str(), "r");
    double s = 0;
    if (!p || std::fscanf(p, "%lf", &s) != 1) {
      state.SkipWithError("python3 is not available");
      if (p) pclose(p);
      return;
    }
    pclose(p);
    state.SetIterationTime(s);
    Tieni(t.python, s);
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (const char* nome : kProgrammi) {
    benchmark::RegisterBenchmark((std::string("BM_Quorix/") + nome).c_str(), BM_Quorix, std::string(nome))
        ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
    benchmark::RegisterBenchmark((std::string("BM_Python/") + nome).c_str(), BM_Python, std::string(nome))
        ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  double somma = 0;
  int quanti = 0;
  std::printf("%-20s %10s %10s %7s %8s\n", "program", "quorix ms", "python ms", "ratio", "peak MB");
  for (const char* nome : kProgrammi) {
    const Tempi& t = gTempi[nome];
    if (t.quorix <= 0 || t.python <= 0) continue;
    const double r = t.quorix / t.python;
    std::printf("%-20s %10.1f %10.1f %7.2f %8.1f\n", nome, 1000 * t.quorix, 1000 * t.python, r,
                static_cast<double>(t.memoriaKB) / 1024);
    somma += std::log(r);
    ++quanti;
  }
  if (quanti > 0) std::printf("geometric mean of the ratios (%d programs): %.2f\n", quanti, std::exp(somma / quanti));
  return 0;
}
