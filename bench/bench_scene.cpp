// 1,000 lit, transparent cubes and spheres rendered off-screen (512 x 512) through the scene
// graph, against the same geometry drawn by a hand-written OpenGL 1.1 loop over display
// lists in the same run (its transparent objects sorted far to near every frame, as the
// scene graph does), and picking one pixel of that scene. Both frames end with glFinish, so
// the rasterizer's work is counted in both.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "bench/ScenaAMano.h"
#include "scene/GLContextEGL.h"
#include "scene/GLMemoryViewer.h"
#include "scene/GLObjects.h"

namespace {

using namespace qx;
using namespace qx::bench;

// The scene graph's scene: a camera, a light at the camera, the objects.
struct TGraphScene {
  TGLScene scene;
  TGLMemoryViewer viewer;
  TGLCamera* camera;
  TGLSceneObject* middle = nullptr;
  TGraphScene() {
    viewer.SetWidth(kSide);
    viewer.SetHeight(kSide);
    auto* target = scene.Objects()->AddNewChild<TGLDummyCube>();
    target->Position().SetAsVector({0, 0, -7, 1});
    camera = scene.Cameras()->AddNewChild<TGLCamera>();
    camera->Position().SetAsVector({0, 0, 20, 1});
    camera->SetTargetObject(target);
    auto* light = camera->AddNewChild<TGLLightSource>();
    light->SetLightStyle(TLightStyle::lsOmni);
    viewer.SetCamera(camera);
    viewer.Buffer().SetBackgroundColor(clWhite);
    for (const TItem& it : Items()) {
      TGLSceneObject* o;
      if (it.sphere) {
        auto* s = scene.Objects()->AddNewChild<TGLSphere>();
        s->SetRadius(0.5f);
        o = s;
      } else {
        o = scene.Objects()->AddNewChild<TGLCube>();
      }
      o->Position().SetAsVector(PointMake(it.pos));
      o->Material().FrontProperties().Diffuse().SetColor(it.colour);
      o->Material().SetBlendingMode(TBlendingMode::bmTransparency);
      if (!middle && it.sphere && std::fabs(it.pos.X) < 1 && std::fabs(it.pos.Y) < 1) middle = o;
    }
  }
  void Frame() {
    viewer.Render();
    TGLContext* c = viewer.Buffer().RenderingContext();
    c->Activate();
    glFinish();
    c->Deactivate();
  }
};

void SceneGraphFrame(benchmark::State& state) {
  TGraphScene s;
  s.Frame();
  for (auto _ : state) s.Frame();
  state.counters["objects"] = kObjects;
}

void HandWrittenFrame(benchmark::State& state) {
  THandScene s;
  s.Frame();
  for (auto _ : state) s.Frame();
  state.counters["objects"] = kObjects;
}

void PickOnePixel(benchmark::State& state) {
  TGraphScene s;
  s.Frame();
  const THomogeneousVector p = s.viewer.Buffer().ProjectPoint(s.middle->AbsolutePosition());
  const int x = int(p.X), y = kSide - int(p.Y);
  int hits = 0;
  for (auto _ : state) {
    TGLBaseSceneObject* o = s.viewer.Buffer().GetPickedObject(x, y);
    hits += o != nullptr;
    benchmark::DoNotOptimize(o);
  }
  state.counters["found"] = benchmark::Counter(double(hits), benchmark::Counter::kAvgIterations);
}

BENCHMARK(SceneGraphFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(HandWrittenFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(PickOnePixel)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
