// The off-screen fixture of the scene tests: 256 x 256, camera at (0, 0, 10) targeting a
// dummy cube at the origin, white background, lighting off. Pixels are probed from the
// snapshot, with y counted from the top as on screen.
#pragma once
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "scene/GLMemoryViewer.h"
#include "scene/GLObjects.h"
#include "scene/GLScene.h"

namespace qx::test {

struct TRgb {
  int r, g, b;
};

class SceneFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    scene = std::make_unique<TGLScene>();
    viewer = std::make_unique<TGLMemoryViewer>();
    target = scene->Objects()->AddNewChild<TGLDummyCube>();
    target->Name = "Target";
    camera = scene->Cameras()->AddNewChild<TGLCamera>();
    camera->Position().SetAsVector({0, 0, 10, 1});
    camera->SetTargetObject(target);
    viewer->SetCamera(camera);
    viewer->Buffer().SetBackgroundColor(clWhite);
    viewer->Buffer().SetLighting(false);
  }
  void TearDown() override {
    viewer.reset();
    scene.reset();
  }
  TGLSceneBuffer& Buffer() { return viewer->Buffer(); }
  // Renders and keeps the snapshot for the probes.
  void Render() {
    viewer->Render();
    shot = Buffer().CreateSnapshot();
  }
  TRgb Pixel(int x, int y) const {
    const std::uint8_t* p = shot->ScanLine(shot->Height() - 1 - y) + 4 * x;
    return {p[0], p[1], p[2]};
  }
  // Straight from the frame buffer, whether or not a snapshot can be made.
  TRgb ReadPixel(int x, int y) {
    TGLContext* c = Buffer().RenderingContext();
    c->Activate();
    std::uint8_t p[4] = {};
    glReadPixels(x, 255 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    c->Deactivate();
    return {p[0], p[1], p[2]};
  }
  static bool Near(const TRgb& a, const TRgb& b, int tol = 2) {
    return std::abs(a.r - b.r) <= tol && std::abs(a.g - b.g) <= tol && std::abs(a.b - b.b) <= tol;
  }
  TGLSphere* AddSphere(float radius, TColor colour, TGLBaseSceneObject* parent = nullptr) {
    auto* s = (parent ? parent : scene->Objects())->AddNewChild<TGLSphere>();
    s->SetRadius(radius);
    s->Material().FrontProperties().Diffuse().SetAsWinColor(colour);
    return s;
  }

  std::unique_ptr<TGLScene> scene;
  std::unique_ptr<TGLMemoryViewer> viewer;
  TGLDummyCube* target = nullptr;
  TGLCamera* camera = nullptr;
  std::unique_ptr<TGLBitmap32> shot;
};

// An object of class T that counts how often its geometry is issued.
template <class T>
class TCounting : public T {
 public:
  using T::T;
  void EmitGeometry(TRenderContextInfo& rci) override {
    ++emitted;
    T::EmitGeometry(rci);
  }
  int emitted = 0;
};

inline std::ostream& operator<<(std::ostream& o, const TRgb& c) {
  return o << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

}  // namespace qx::test
