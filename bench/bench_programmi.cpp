// Pupils' kinds of program, each beside a python3 program that does the same work, timed in
// the same run: a FINQUANDO loop with SE, RIPETI around PER, built-in numeric functions,
// strings and printing, vector and matrix elements, points, segments and circles, FUNZIONE
// values, and the sieve of Eratosthenes. The programs live in bench/programmi/ (NAME.txt
// and NAME.py), so that qxrun, callgrind or python3 can run each one alone.
//
// Quorix runs in fast run with a window that keeps the output pane's lines; python3 runs the
// script with exec() at module level, its print() going to /dev/null. Each side is timed
// around the work only (the interpreters' start-up left out), as bench_interprete does, by the
// wall clock and by the processor time used; the two runs of an iteration follow each other,
// the ratio uses the fastest run of each side, and the geometric mean of the ratios closes the
// report.
// The memory of each Quorix run is the peak resident size of a child process that runs it.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench/FinestreBench.h"
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

// A window that keeps the output pane's lines, as the real pane does, and answers the message
// hook as the real window does.
class FinestraConOutput : public qx::bench::FinestraOrologio {
 public:
  void AggiungiRigaOutput(const std::string& riga, qx::TColor) override { righe.push_back(riga); }
  void PulisciOutput() override { righe.clear(); }
  std::vector<std::string> righe;
};

// The fastest run of each side: by the clock on the wall, as bench_interprete measures, and by
// the processor time the run used (less sensitive to the other work of a shared machine).
struct Tempi {
  double quorix = 0, python = 0, cpuQuorix = 0, cpuPython = 0;
  long memoriaKB = 0;
};
std::map<std::string, Tempi> gTempi;

// Keeps the fastest of the runs: the machine's other work only ever slows a run down.
void Tieni(double& migliore, double s) {
  if (migliore == 0 || s < migliore) migliore = s;
}

double SecondiCpu() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// One run of the program: the seconds of EseguiProgramma (wall, processor), false after a
// failed run.
bool EseguiQuorix(const std::vector<std::string>& programma, double& secondi, double& cpu) {
  FinestraConOutput finestra;
  qx::ImpostaFinestra(&finestra);
  bool ok = false;
  {
    qx::TAmbiente ambiente;
    ambiente.InizializzaAmbiente();
    // The window's fast run: no redraw after each statement, no line highlighted.
    qx::DatiGlob.bEsecuzioneVeloce = true;
    qx::DatiGlob.bEvidenziaRiga = false;
    qx::DatiGlob.bMostraErrori = false;
    const double c0 = SecondiCpu();
    const auto t0 = std::chrono::steady_clock::now();
    ok = ambiente.EseguiProgramma(programma);
    const auto t1 = std::chrono::steady_clock::now();
    cpu = SecondiCpu() - c0;
    secondi = std::chrono::duration<double>(t1 - t0).count();
    if (!ok) std::fprintf(stderr, "the program failed: %s\n", qx::DatiGlob.MessaggioErrore.c_str());
  }
  qx::ImpostaFinestra(nullptr);
  return ok;
}

// The peak resident size (KB) of a child process that runs the program once.
long MemoriaQuorix(const std::vector<std::string>& programma) {
  const pid_t figlio = fork();
  if (figlio == 0) {
    double s = 0, c = 0;
    _exit(EseguiQuorix(programma, s, c) ? 0 : 1);
  }
  int stato = 0;
  rusage uso{};
  if (figlio < 0 || wait4(figlio, &stato, 0, &uso) < 0) return -1;
  return uso.ru_maxrss;
}

// python3 runs the script's code at module level, as a pupil's script runs, and prints the
// seconds of that alone (wall, processor) on its real standard output.
bool EseguiPython(const std::string& nome, double& secondi, double& cpu) {
  const std::string comando =
      "python3 -c 'import sys, os, time\n"
      "codice = compile(open(sys.argv[1]).read(), sys.argv[1], \"exec\")\n"
      "uscita = sys.stdout\n"
      "sys.stdout = open(os.devnull, \"w\")\n"
      "t = time.perf_counter()\n"
      "c = time.process_time()\n"
      "exec(codice, {\"__name__\": \"__main__\"})\n"
      "sys.stdout.flush()\n"
      "c = time.process_time() - c\n"
      "s = time.perf_counter() - t\n"
      "uscita.write(\"%.9f %.9f\\n\" % (s, c))' " +
      Percorso(nome, ".py");
  FILE* p = popen(comando.c_str(), "r");
  const bool ok = p && std::fscanf(p, "%lf %lf", &secondi, &cpu) == 2;
  if (p) pclose(p);
  return ok;
}

// Each iteration runs the program in Quorix, then in python3, so that both see the same
// moments of the machine's load.
void BM_Programma(benchmark::State& state, const std::string& nome) {
  qx::InizializzaDatiGlob();
  const std::vector<std::string> programma = Righe(Percorso(nome, ".txt"));
  Tempi& t = gTempi[nome];
  for (auto _ : state) {
    double s = 0, c = 0, sp = 0, cp = 0;
    if (!EseguiQuorix(programma, s, c)) {
      state.SkipWithError("the program failed");
      return;
    }
    if (!EseguiPython(nome, sp, cp)) {
      state.SkipWithError("python3 is not available");
      return;
    }
    state.SetIterationTime(s);
    Tieni(t.quorix, s);
    Tieni(t.cpuQuorix, c);
    Tieni(t.python, sp);
    Tieni(t.cpuPython, cp);
  }
  state.counters["python_ms"] = 1000 * t.python;
  t.memoriaKB = MemoriaQuorix(programma);
}

}  // namespace

int main(int argc, char** argv) {
  // "--una NAME [RUNS]": one Quorix run of the program (or RUNS of them, for a sampling
  // profiler) and nothing else, for callgrind (bench/istruzioni_per_passata.sh counts the
  // instructions of EseguiProgramma).
  if ((argc == 3 || argc == 4) && std::string(argv[1]) == "--una") {
    qx::InizializzaDatiGlob();
    const std::vector<std::string> programma = Righe(Percorso(argv[2], ".txt"));
    const int volte = argc == 4 ? std::max(1, std::atoi(argv[3])) : 1;
    double s = 0, c = 0;
    for (int i = 0; i < volte; ++i)
      if (!EseguiQuorix(programma, s, c)) return 1;
    return 0;
  }
  for (const char* nome : kProgrammi)
    benchmark::RegisterBenchmark((std::string("BM_Programma/") + nome).c_str(), BM_Programma, std::string(nome))
        ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  double somma = 0, sommaCpu = 0;
  int quanti = 0;
  std::printf("%-20s %10s %10s %7s %10s %10s %7s %8s\n", "program", "quorix ms", "python ms", "ratio", "quorix cpu",
              "python cpu", "ratio", "peak MB");
  for (const char* nome : kProgrammi) {
    const Tempi& t = gTempi[nome];
    if (t.quorix <= 0 || t.python <= 0 || t.cpuPython <= 0) continue;
    const double r = t.quorix / t.python, rc = t.cpuQuorix / t.cpuPython;
    std::printf("%-20s %10.1f %10.1f %7.2f %10.1f %10.1f %7.2f %8.1f\n", nome, 1000 * t.quorix, 1000 * t.python, r,
                1000 * t.cpuQuorix, 1000 * t.cpuPython, rc, static_cast<double>(t.memoriaKB) / 1024);
    somma += std::log(r);
    sommaCpu += std::log(rc);
    ++quanti;
  }
  if (quanti > 0)
    std::printf("geometric mean of the ratios (%d programs): %.2f (wall clock), %.2f (processor time)\n", quanti,
                std::exp(somma / quanti), std::exp(sommaCpu / quanti));
  return 0;
}
