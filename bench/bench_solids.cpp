// 1,000 space values of six kinds (points, spheres, cubes, cylinders, cones and segments)
// made by a program, rendered off-screen (512 x 512) and freed; a frame of them while the
// camera orbits; and, in the same run, the hand-written OpenGL loop of bench_scene over the
// same number of primitives. Frames end with glFinish.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/ScenaAMano.h"
#include "interpreter/Ambiente.h"
#include "platform/qt/ApplicazioneQt.h"
#include "runstate/DatiGlob.h"
#include "solid/ScenaSpazio.h"
#include "solid/Solidi.h"
#include "tests/support/ScriptedWindow.h"

namespace {

using namespace qx;

// Ten by ten by ten places, each with a value of the kind its number gives.
std::string Programma() {
  return "RIFCART3D;\n"
         "PER (I DA 0 A 999) ESEGUI;\n"
         "  X = INT(I / 100) - 4.5; Y = INT(I / 10) - INT(I / 100) * 10 - 4.5; Z = I - INT(I / 10) * 10 - 4.5;\n"
         "  K = I - INT(I / 6) * 6;\n"
         "  SE (K = 0) ALLORA PUNTO3D(X, Y, Z);\n"
         "  SE (K = 1) ALLORA SFERA(PUNTO3D(X, Y, Z), 0.3);\n"
         "  SE (K = 2) ALLORA CUBO(PUNTO3D(X, Y, Z), 0.5);\n"
         "  SE (K = 3) ALLORA CILINDRO(PUNTO3D(X, Y, Z), 0.2, 0.6);\n"
         "  SE (K = 4) ALLORA CONO(PUNTO3D(X, Y, Z), 0.3, 0.6);\n"
         "  SE (K = 5) ALLORA SEGMENTO3D(PUNTO3D(X, Y, Z), PUNTO3D(X + 0.5, Y, Z));\n"
         "FINE;\n";
}

struct TSpazio {
  test::ScriptedWindow finestra;
  test::FinestraInstallata installata{finestra};
  TScenaSpazio scena;
  std::unique_ptr<TAmbiente> ambiente;
  TSpazio() {
    EnsureGuiApplication();
    InizializzaDatiGlob();
    DatiGlob.bEsecuzioneVeloce = true;
    RegistraSolidi();
    InstallaScenaSpazio(&scena);
    scena.SetDimensioniVista(bench::kSide, bench::kSide);
  }
  ~TSpazio() {
    ambiente.reset();
    InstallaScenaSpazio(nullptr);
  }
  // Runs the program in a new environment (the old one's values go first).
  bool Costruisci() {
    ambiente.reset();
    ambiente = std::make_unique<TAmbiente>();
    return ambiente->EseguiProgramma(DividiRighe(Programma()));
  }
  void Frame() {
    TGLMemoryViewer& v = scena.Vista();
    v.Render();
    TGLContext* c = v.Buffer().RenderingContext();
    c->Activate();
    glFinish();
    c->Deactivate();
  }
};

void BuildRenderFree(benchmark::State& state) {
  TSpazio s;
  for (auto _ : state) {
    if (!s.Costruisci()) state.SkipWithError("the program failed");
    s.Frame();
    s.ambiente.reset();
  }
  state.counters["values"] = 1000;
}

void OrbitFrame(benchmark::State& state) {
  TSpazio s;
  if (!s.Costruisci()) state.SkipWithError("the program failed");
  s.Frame();
  for (auto _ : state) {
    s.scena.GLCamera1->MoveAroundTarget(0, 2);
    s.Frame();
  }
  state.counters["values"] = 1000;
}

void HandWrittenFrame(benchmark::State& state) {
  bench::THandScene s;
  s.Frame();
  for (auto _ : state) s.Frame();
  state.counters["objects"] = bench::kObjects;
}

BENCHMARK(BuildRenderFree)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(OrbitFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(HandWrittenFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
