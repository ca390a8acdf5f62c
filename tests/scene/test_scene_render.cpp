// The render pass through the off-screen buffer: projection, clearing, the sphere, blending,
// sorting, visibility and display lists, by pixel probes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SceneFixture.h"
#include "scene/base/SceneErrors.h"

namespace qx::test {
namespace {

using SceneRender = SceneFixture;

using TCountingSphere = TCounting<TGLSphere>;

TEST_F(SceneRender, ProjectionAtDefaultsAndAnEmptySceneIsWhite) {
  Render();
  const TMatrix& p = Buffer().ProjectionMatrix();
  EXPECT_NEAR(p.data()[0], 2.952756, 1e-5);
  EXPECT_NEAR(p.data()[5], 2.952756, 1e-5);
  EXPECT_NEAR(p.data()[10], -1.029528, 1e-5);
  EXPECT_NEAR(p.data()[11], -1, 1e-5);
  EXPECT_NEAR(p.data()[14], -2.996350, 1e-5);
  for (int y = 0; y < 256; y += 15)
    for (int x = 0; x < 256; x += 15) ASSERT_TRUE(Near(Pixel(x, y), {255, 255, 255})) << x << "," << y;
  EXPECT_EQ(Buffer().FrameCount(), 1);
}

TEST_F(SceneRender, RedUnlitSphereCoversAbout38Pixels) {
  AddSphere(1, clRed);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0})) << Pixel(128, 128);
  for (auto [dx, dy] : std::vector<std::pair<int, int>>{{36, 0}, {-36, 0}, {0, 36}, {0, -36}, {25, 25}})
    EXPECT_TRUE(Near(Pixel(128 + dx, 128 + dy), {255, 0, 0}))
        << dx << "," << dy << " " << Pixel(128 + dx, 128 + dy);
  for (auto [dx, dy] : std::vector<std::pair<int, int>>{{41, 0}, {-41, 0}, {0, 41}, {0, -41}, {29, 29}})
    EXPECT_TRUE(Near(Pixel(128 + dx, 128 + dy), {255, 255, 255})) << dx << "," << dy;
  // The snapshot has the buffer's size.
  EXPECT_EQ(shot->Width(), 256);
  EXPECT_EQ(shot->Height(), 256);
  const TBitmap b = Buffer().SnapshotBitmap();
  EXPECT_EQ(b.Width(), 256);
  EXPECT_EQ(b.Pixel(128, 128) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(b.Pixel(2, 2) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(SceneRender, HalfBlueOverWhiteBlends) {
  auto* s = AddSphere(1, clBlue);
  s->Material().FrontProperties().Diffuse().SetAlpha(0.5f);
  s->Material().SetBlendingMode(TBlendingMode::bmTransparency);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {128, 128, 255})) << Pixel(128, 128);
  // Opaque: no blending, whatever the alpha.
  s->Material().SetBlendingMode(TBlendingMode::bmOpaque);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {0, 0, 255})) << Pixel(128, 128);
}

TEST_F(SceneRender, BlendedChildrenComeAfterOpaqueOnesFarthestFirst) {
  std::vector<std::string> order;
  auto add = [&](const char* name, float z, bool blended) {
    auto* d = scene->Objects()->AddNewChild<TGLDirectOpenGL>();
    d->Name = name;
    d->Position().SetZ(z);
    d->SetBlend(blended);
    d->OnRender = [&order, d](TObject*, TRenderContextInfo&) { order.push_back(d->Name); };
  };
  add("near", 5, true);
  add("opaque1", 0, false);
  add("far", -5, true);
  add("middle", 0, true);
  add("opaque2", 3, false);
  Render();
  EXPECT_EQ(order, (std::vector<std::string>{"opaque1", "opaque2", "far", "middle", "near"}));
  order.clear();
  scene->SetObjectsSorting(TGLObjectsSorting::osRenderNearestFirst);
  Render();
  EXPECT_EQ(order, (std::vector<std::string>{"near", "opaque2", "opaque1", "middle", "far"}));
  order.clear();
  scene->Objects()->SetObjectsSorting(TGLObjectsSorting::osNone);
  Render();
  EXPECT_EQ(order, (std::vector<std::string>{"near", "opaque1", "far", "middle", "opaque2"}))
      << "an object's own sorting replaces the scene's for its children";
}

TEST_F(SceneRender, AHiddenParentHidesItsSubtree) {
  auto* group = scene->Objects()->AddNewChild<TGLDummyCube>();
  AddSphere(1, clRed, group);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));
  group->SetVisible(false);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 255, 255}));
  // A dummy cube draws nothing of its own but its children do.
  group->SetVisible(true);
  Render();
  EXPECT_TRUE(Near(Pixel(128 + 60, 128), {255, 255, 255}));
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));
}

TEST_F(SceneRender, DisplayListsAreCompiledOnceAndRebuiltAfterAChange) {
  auto* s = scene->Objects()->AddNewChild<TCountingSphere>();
  s->Material().FrontProperties().Diffuse().SetAsWinColor(clRed);
  Render();
  Render();
  Render();
  EXPECT_EQ(s->emitted, 1);
  EXPECT_TRUE(s->HasListHandle());
  s->SetRadius(1);
  Render();
  EXPECT_EQ(s->emitted, 2);
  EXPECT_TRUE(Near(Pixel(128 + 36, 128), {255, 0, 0})) << "the rebuilt list draws the new radius";
  // A colour change needs no new list: the material is applied around it.
  s->Material().FrontProperties().Diffuse().SetAsWinColor(clLime);
  Render();
  EXPECT_EQ(s->emitted, 2);
  EXPECT_TRUE(Near(Pixel(128, 128), {0, 255, 0}));
  // A direct-draw object issues its geometry at every frame and never makes a list.
  auto* d = scene->Objects()->AddNewChild<TGLDirectOpenGL>();
  int calls = 0;
  d->OnRender = [&](TObject*, TRenderContextInfo&) { ++calls; };
  Render();
  Render();
  EXPECT_EQ(calls, 2);
  EXPECT_FALSE(d->HasListHandle());
}

TEST_F(SceneRender, CullingModes) {
  auto* group = scene->Objects()->AddNewChild<TGLDummyCube>();
  auto* s = group->AddNewChild<TCountingSphere>();
  s->Material().FrontProperties().Diffuse().SetAsWinColor(clRed);
  group->Position().SetX(100);  // far outside the view
  auto* inside = scene->Objects()->AddNewChild<TGLDirectOpenGL>();
  int insideCalls = 0;
  inside->OnRender = [&](TObject*, TRenderContextInfo&) { ++insideCalls; };
  scene->SetVisibilityCulling(TGLVisibilityCulling::vcHierarchical);
  Render();
  EXPECT_EQ(s->emitted, 0) << "a clipped box skips the whole subtree";
  EXPECT_EQ(insideCalls, 1);
  // Object-based: a culled parent still walks its children; the child comes back into view.
  scene->SetVisibilityCulling(TGLVisibilityCulling::vcObjectBased);
  s->Position().SetX(-100);
  Render();
  EXPECT_EQ(s->emitted, 1);
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));
}

TEST_F(SceneRender, LightingShadesASphere) {
  Buffer().SetLighting(true);
  auto* light = camera->AddNewChild<TGLLightSource>();
  light->SetLightStyle(TLightStyle::lsOmni);
  auto* s = AddSphere(1, clWhite);
  s->Material().FrontProperties().Ambient().SetColor(clrBlack);
  Render();
  const TRgb centre = Pixel(128, 128), rim = Pixel(128 + 35, 128);
  EXPECT_GT(centre.r, 180) << centre;
  EXPECT_LT(rim.r, centre.r - 40) << rim;
  // No slot, no light: the ninth light is never lit.
  light->SetShining(false);
  Render();
  EXPECT_LT(Pixel(128, 128).r, 80) << "only the ambient light is left";
}

TEST_F(SceneRender, ACameraOutsideAnySceneClearsOnly) {
  AddSphere(1, clRed);
  TGLCamera loose;
  Buffer().SetCamera(&loose);
  EXPECT_EQ(Buffer().Camera(), camera) << "a camera outside a scene is refused";
  Buffer().SetCamera(nullptr);
  Buffer().SetBackgroundColor(clYellow);
  Render();
  EXPECT_TRUE(Near(ReadPixel(128, 128), {255, 255, 0}));
  EXPECT_TRUE(Near(Pixel(128, 128), {0, 0, 0})) << "without a camera the snapshot stays blank";
  EXPECT_EQ(Buffer().UnprojectPoint(1, 2, 3).Y, 2) << "no camera: the input comes back";
}

TEST_F(SceneRender, ACameraFreedUnderTheBufferIsForgotten) {
  AddSphere(1, clRed);
  Render();
  delete camera;
  camera = nullptr;
  EXPECT_EQ(Buffer().Camera(), nullptr);
  Render();
  EXPECT_TRUE(Near(ReadPixel(128, 128), {255, 255, 255}));
}

TEST_F(SceneRender, ModelViewStackMustBalance) {
  auto* d = scene->Objects()->AddNewChild<TGLDirectOpenGL>();
  d->OnRender = [&](TObject*, TRenderContextInfo& rci) {
    rci.buffer->PushModelViewMatrix(IdentityHmgMatrix);
  };
  try {
    viewer->Render();
    FAIL();
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Unbalance Push/PopModelViewMatrix.");
  }
  EXPECT_FALSE(Buffer().Rendering()) << "the flag comes down whatever happens";
  EXPECT_THROW(Buffer().PopModelViewMatrix(), EAssertionFailed);
  d->OnRender = nullptr;
  Render();
}

}  // namespace
}  // namespace qx::test
