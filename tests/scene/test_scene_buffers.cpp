// Several buffers on one scene, the light styles, the camera styles and the blending modes.
#include <gtest/gtest.h>

#include <cmath>

#include "SceneFixture.h"
#include "scene/GLBitmapFont.h"
#include "scene/base/SceneErrors.h"

namespace qx::test {
namespace {

using SceneBuffers = SceneFixture;

TEST_F(SceneBuffers, TwoViewersShareTheDisplayLists) {
  auto* s = AddSphere(1, clRed);
  auto second = std::make_unique<TGLMemoryViewer>();
  second->SetCamera(camera);
  second->Buffer().SetBackgroundColor(clWhite);
  second->Buffer().SetLighting(false);
  Render();
  second->Render();
  EXPECT_EQ(scene->BufferCount(), 2);
  EXPECT_TRUE(Buffer().RenderingContext()->SharesWith(second->Buffer().RenderingContext()));
  auto shot2 = second->Buffer().CreateSnapshot();
  EXPECT_EQ(shot2->ScanLine(128)[4 * 128], 255);
  EXPECT_EQ(shot2->ScanLine(128)[4 * 128 + 1], 0);
  // The first viewer goes: the sphere's list passes to the second, which still draws it.
  const std::uint32_t before = s->HasListHandle();
  viewer.reset();
  EXPECT_TRUE(before);
  EXPECT_TRUE(s->HasListHandle()) << "handed over, not deleted";
  EXPECT_EQ(scene->BufferCount(), 1);
  second->Render();
  shot2 = second->Buffer().CreateSnapshot();
  EXPECT_EQ(shot2->ScanLine(128)[4 * 128], 255);
  EXPECT_EQ(shot2->ScanLine(128)[4 * 128 + 1], 0);
  second.reset();
  EXPECT_FALSE(s->HasListHandle()) << "the last context freed it";
  viewer = std::make_unique<TGLMemoryViewer>();
}

TEST_F(SceneBuffers, LightStyles) {
  Buffer().SetLighting(true);
  Buffer().AmbientColor().SetColor(clrBlack);
  auto* s = AddSphere(1, clWhite);
  s->Material().FrontProperties().Ambient().SetColor(clrBlack);
  auto* light = scene->Objects()->AddNewChild<TGLLightSource>();
  light->Position().SetAsVector({0, 0, 10, 1});
  // A spot pointing away lights nothing.
  light->SetSpotCutOff(30);
  light->SetSpotDirection({0, 0, 1});
  Render();
  EXPECT_LT(Pixel(128, 128).r, 10) << Pixel(128, 128);
  light->SetSpotDirection({0, 0, -1});
  Render();
  EXPECT_GT(Pixel(128, 128).r, 200) << "towards the sphere";
  // A parallel light: its direction vector points towards the light, as OpenGL has it, so
  // (-1, 0, 0) lights the sphere's left side.
  light->SetLightStyle(TLightStyle::lsParallel);
  light->SetSpotDirection({-1, 0, 0});
  Render();
  EXPECT_GT(Pixel(128 - 30, 128).r, 150);
  EXPECT_LT(Pixel(128 + 30, 128).r, 10);
  // Strong attenuation dims an omni light ten units away.
  light->SetLightStyle(TLightStyle::lsOmni);
  Render();
  const int bright = Pixel(128, 128).r;
  light->SetQuadraticAttenuation(0.5f);
  Render();
  EXPECT_LT(Pixel(128, 128).r, bright / 4);
}

TEST_F(SceneBuffers, CameraStyles) {
  AddSphere(1, clRed);
  camera->SetCameraStyle(TGLCameraStyle::csOrthogonal);
  Render();
  // Orthogonal: 100 * NearPlaneBias / (W * FocalLength) per pixel, the sphere of radius 1
  // covers 1 / (100 / (256 * 50) * 256 / 2) = 128 / 25.6... pixels from the centre.
  const TMatrix& p = Buffer().ProjectionMatrix();
  EXPECT_NEAR(p.data()[0], 2.0 / (100.0 / 50), 1e-5);
  EXPECT_NEAR(p.data()[15], 1, 1e-6);
  EXPECT_TRUE(Near(Pixel(128 + 120, 128), {255, 0, 0}));

  camera->SetCameraStyle(TGLCameraStyle::csInfinitePerspective);
  Render();
  EXPECT_NEAR(Buffer().ProjectionMatrix().data()[10], 1e-4f - 1, 1e-6);
  EXPECT_NEAR(Buffer().ProjectionMatrix().data()[15], 0, 1e-6);
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));

  int calls = 0;
  float radius = 0;
  camera->OnCustomPerspective = [&](const TRectangle&, int w, int h, int dpi, float& r) {
    ++calls;
    radius = r;
    EXPECT_EQ(dpi, 96);
    glOrtho(-w / 100.0, w / 100.0, -h / 100.0, h / 100.0, 1, 100);
  };
  camera->SetCameraStyle(TGLCameraStyle::csCustom);
  Render();
  EXPECT_EQ(calls, 1);
  EXPECT_NEAR(radius, std::sqrt(2.0f) * 128, 1e-3);
  EXPECT_NEAR(Buffer().ProjectionMatrix().data()[0], 1 / 2.56, 1e-5);
  // A custom view replaces the look-at.
  int views = 0;
  camera->OnCustomView = [&](TObject*) {
    ++views;
    glTranslatef(0, 0, -10);
  };
  Render();
  EXPECT_EQ(views, 1);
}

TEST_F(SceneBuffers, BlendingModes) {
  auto* s = AddSphere(1, clRed);
  s->Material().SetBlendingMode(TBlendingMode::bmAdditive);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 255, 255})) << "red added to white";
  s->Material().FrontProperties().Diffuse().SetAsWinColor(clBlue);
  s->Material().SetBlendingMode(TBlendingMode::bmModulate);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {0, 0, 255})) << "white times blue";
  s->Material().FrontProperties().Diffuse().SetAlpha(0.25f);
  s->Material().SetBlendingMode(TBlendingMode::bmAlphaTest50);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 255, 255})) << "alpha below 0.5 fails the test";
  s->Material().FrontProperties().Diffuse().SetAlpha(0.75f);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {0, 0, 255}));
  // Ignoring materials (as a pass may): the last colour set, not the material's.
  s->Material().SetMaterialOptions(moNoLighting);
  Buffer().SetLighting(true);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {0, 0, 255})) << "unlit inside a lit buffer";
}

TEST_F(SceneBuffers, RenderingIgnoresChangesItMakes) {
  int changes = 0;
  Buffer().OnChange = [&](TObject*) { ++changes; };
  auto* d = scene->Objects()->AddNewChild<TGLDirectOpenGL>();
  d->OnRender = [&](TObject*, TRenderContextInfo&) { d->Position().SetX(0); };
  Render();
  EXPECT_EQ(changes, 0) << "no repaint asked from inside the frame";
  d->Position().SetX(1);
  EXPECT_GE(changes, 1);
  // Render is not re-entered.
  int inner = 0;
  d->OnRender = [&](TObject*, TRenderContextInfo& rci) {
    ++inner;
    rci.buffer->Render();
  };
  Render();
  EXPECT_EQ(inner, 1);
}

TEST_F(SceneBuffers, IndexOrderAndVisibilityFlags) {
  std::vector<std::string> order;
  std::vector<TGLDirectOpenGL*> ds;
  for (const char* n : {"a", "b", "c"}) {
    auto* d = scene->Objects()->AddNewChild<TGLDirectOpenGL>();
    d->Name = n;
    d->OnRender = [&order, d](TObject*, TRenderContextInfo&) { order.push_back(d->Name); };
    ds.push_back(d);
  }
  scene->SetObjectsSorting(TGLObjectsSorting::osNone);
  ds[2]->SetIndex(1);  // right after the target, child 0
  Render();
  EXPECT_EQ(order, (std::vector<std::string>{"c", "a", "b"}));
  order.clear();
  ds[0]->MoveDown();
  ds[1]->SetVisible(false);
  Render();
  EXPECT_EQ(order, (std::vector<std::string>{"c", "a"}));
  // Object-based culling skips an object outside the view unless it says never to.
  order.clear();
  ds[0]->Position().SetX(500);
  scene->SetVisibilityCulling(TGLVisibilityCulling::vcObjectBased);
  Render();
  EXPECT_EQ(order, (std::vector<std::string>{"c"}));
  order.clear();
  ds[0]->SetObjectStyle(ds[0]->ObjectStyle() | osNoVisibilityCulling);
  Render();
  EXPECT_EQ(order, (std::vector<std::string>{"c", "a"}));
}

}  // namespace
}  // namespace qx::test

namespace qx::test {
namespace {

// Every input that once crashed or hung the scene graph.
using SceneRegressions = SceneFixture;

TEST_F(SceneRegressions, InputsThatOnceCrashed) {
  // Two library materials naming each other recursed without end.
  TGLMaterialLibrary lib;
  TGLLibMaterial* a = lib.Add("A");
  TGLLibMaterial* b = lib.Add("B");
  a->Material().SetMaterialLibrary(&lib);
  b->Material().SetMaterialLibrary(&lib);
  a->Material().SetLibMaterialName("B");
  EXPECT_THROW(b->Material().SetLibMaterialName("A"), EAssertionFailed);
  a->Material().FrontProperties().Diffuse().SetRed(0.5f);

  // A camera freed under a buffer: the buffer read the dying camera.
  AddSphere(1, clRed);
  Render();
  delete camera;
  camera = nullptr;
  Render();

  // A texture handle freed while no context was current: a pure virtual call.
  {
    TGLWindowsBitmapFont font;
    auto* t = scene->Objects()->AddNewChild<TGLHUDText>();
    t->SetBitmapFont(&font);
    t->SetText("x");
    auto* cam = scene->Cameras()->AddNewChild<TGLCamera>();
    cam->Position().SetZ(10);
    viewer->SetCamera(cam);
    Render();
  }
  Render();

  // A self-intersecting polygon overran the tessellator's scratch.
  auto* d = scene->Objects()->AddNewChild<TGLDirectOpenGL>();
  TGLNodes bow(nullptr);
  for (int i = 0; i < 40; ++i) bow.AddNode(float(i % 2) * 2 - 1, float(i) / 20 - 1, 0);
  d->OnRender = [&bow](TObject*, TRenderContextInfo&) { bow.RenderTesselatedPolygon(false); };
  Render();
}

}  // namespace
}  // namespace qx::test

namespace qx::test {
namespace {

TEST(SceneLifetimes, ASceneFreedBeforeItsViewers) {
  auto scene = std::make_unique<TGLScene>();
  auto* cam = scene->Cameras()->AddNewChild<TGLCamera>();
  cam->Position().SetZ(10);
  auto* s = scene->Objects()->AddNewChild<TGLSphere>();
  s->Material().FrontProperties().Diffuse().SetAsWinColor(clRed);
  std::vector<std::unique_ptr<TGLMemoryViewer>> viewers;
  for (int i = 0; i < 3; ++i) {
    viewers.push_back(std::make_unique<TGLMemoryViewer>());
    viewers.back()->SetWidth(32);
    viewers.back()->SetHeight(32);
    viewers.back()->SetCamera(cam);
    viewers.back()->Render();
  }
  EXPECT_EQ(scene->BufferCount(), 3);
  scene.reset();
  for (auto& v : viewers) {
    EXPECT_EQ(v->Camera(), nullptr);
    v->Render();  // clears, draws nothing
  }
}

}  // namespace
}  // namespace qx::test
