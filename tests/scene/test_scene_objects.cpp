// The special objects (proxies, direct OpenGL, render points, camera-invariant and
// amalgamated dummy cubes), materials and textures on objects, fog, axes and the buffer's
// switches, by pixel probes.
#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "scene/GLContextEGL.h"
#include "scene/base/SceneErrors.h"

namespace qx::test {
namespace {

using SceneObjects = SceneFixture;

using TCountingCube = TCounting<TGLCube>;

TEST_F(SceneObjects, AProxyDrawsItsMasterInItsOwnPlace) {
  auto* master = AddSphere(0.5f, clRed);
  master->Position().SetX(-2);
  auto* proxy = scene->Objects()->AddNewChild<TGLProxyObject>();
  proxy->SetMasterObject(master);
  proxy->ProxyOptions = pooObjects;  // without the master's transformation
  proxy->Position().SetX(2);
  Render();
  const int left = 128 - 76, right = 128 + 76;  // 2 units at distance 10: 2 * 2.952756 * 128 / 10
  EXPECT_TRUE(Near(Pixel(left, 128), {255, 0, 0})) << Pixel(left, 128);
  EXPECT_TRUE(Near(Pixel(right, 128), {255, 0, 0})) << Pixel(right, 128);
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 255, 255}));
  // Picking through the proxy names the proxy's hierarchy.
  EXPECT_EQ(Buffer().GetPickedObject(right, 128), proxy);
  EXPECT_EQ(Buffer().GetPickedObject(left, 128), master);
  // Its extents and rays are the master's.
  EXPECT_FLOAT_EQ(proxy->UnscaledHalfExtents().X, 0.5f);
  THomogeneousVector p;
  ASSERT_TRUE(proxy->IntersectRay({2, 0, 5, 1}, {0, 0, -1, 0}, &p, nullptr));
  EXPECT_NEAR(p.X, 2, 1e-5);
  EXPECT_NEAR(p.Z, 0.5f, 1e-5);
  // A freed master is dropped.
  delete master;
  EXPECT_EQ(proxy->MasterObject(), nullptr);
  Render();
  EXPECT_TRUE(Near(Pixel(right, 128), {255, 255, 255}));
  // A proxy of itself draws nothing and does not loop.
  proxy->SetMasterObject(proxy);
  Render();
}

TEST_F(SceneObjects, DirectOpenGLAndRenderPoints) {
  auto* d = scene->Objects()->AddNewChild<TGLDirectOpenGL>();
  d->OnRender = [](TObject*, TRenderContextInfo&) {
    glColor3f(0, 1, 0);
    glBegin(GL_QUADS);
    glVertex3f(-1, -1, 0), glVertex3f(1, -1, 0), glVertex3f(1, 1, 0), glVertex3f(-1, 1, 0);
    glEnd();
  };
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {0, 255, 0}));
  d->SetUseBuildList(true);
  Render();
  EXPECT_TRUE(d->HasListHandle());
  EXPECT_TRUE(Near(Pixel(128, 128), {0, 255, 0}));

  auto* rp = scene->Objects()->AddNewChild<TGLRenderPoint>();
  std::vector<int> calls;
  int freed = 0;
  rp->RegisterCallBack([&](TObject*, TRenderContextInfo&) { calls.push_back(1); },
                       [&](TObject*) { ++freed; });
  rp->RegisterCallBack([&](TObject*, TRenderContextInfo&) { calls.push_back(2); },
                       [&](TObject*) { ++freed; });
  Render();
  EXPECT_EQ(calls, (std::vector<int>{1, 2}));
  delete rp;
  EXPECT_EQ(freed, 2) << "the render point's end runs the others' callbacks";
}

TEST_F(SceneObjects, AnAmalgamatedDummyCubeReplaysOneList) {
  auto* group = scene->Objects()->AddNewChild<TGLDummyCube>();
  auto* a = group->AddNewChild<TCountingCube>();
  a->Material().FrontProperties().Diffuse().SetAsWinColor(clBlue);
  auto* b = group->AddNewChild<TCountingCube>();
  b->Position().SetX(3);
  group->SetAmalgamate(true);
  EXPECT_TRUE(group->ObjectStyle() & osResetStateCache);
  Render();
  Render();
  EXPECT_EQ(a->emitted, 1) << "cubes draw directly, but here into the group's list once";
  EXPECT_EQ(b->emitted, 1);
  EXPECT_TRUE(group->HasAmalgamatedList());
  EXPECT_TRUE(Near(Pixel(128, 128), {0, 0, 255}));
  group->SetCubeSize(2);  // a change of the group itself rebuilds the list
  Render();
  EXPECT_EQ(a->emitted, 2);
  group->SetAmalgamate(false);
  EXPECT_FALSE(group->HasAmalgamatedList());
  EXPECT_FALSE(group->ObjectStyle() & osResetStateCache);
  Render();
  EXPECT_EQ(a->emitted, 3) << "direct drawing again";
  // A veto hides the group and its subtree.
  group->OnVisibilityDetermination = [](TObject*, TRenderContextInfo&) { return false; };
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 255, 255}));
}

TEST_F(SceneObjects, CameraInvariantObjectsTravelWithTheCamera) {
  auto* hud = scene->Objects()->AddNewChild<TGLDummyCube>();
  hud->SetCamInvarianceMode(TGLCameraInvarianceMode::cimPosition);
  auto* s = AddSphere(1, clRed, hud);
  s->Position().SetZ(-10);  // ten units in front of the camera, wherever it stands
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));
  camera->Position().SetAsVector({0, 0, 30, 1});
  Render();
  EXPECT_TRUE(Near(Pixel(128 + 30, 128), {255, 0, 0})) << "same size: it moved with the camera";
  hud->SetCamInvarianceMode(TGLCameraInvarianceMode::cimNone);
  Render();
  EXPECT_TRUE(Near(Pixel(128 + 30, 128), {255, 255, 255})) << "an ordinary object 40 units away is small";
}

TEST_F(SceneObjects, TexturesOnACube) {
  auto* cube = scene->Objects()->AddNewChild<TGLCube>();
  cube->SetCubeWidth(4);
  cube->SetCubeHeight(4);
  TBitmap pic(2, 2, 0xFF00FF00u);  // green, the top-left quarter red
  pic.SetPixel(0, 0, 0xFFFF0000u);
  TGLPersistentImage img(&cube->Material().Texture());
  img.SetPicture(pic);
  TGLTexture& t = cube->Material().Texture();
  t.SetImage(&img);
  t.SetMinFilter(TGLMinFilter::miNearest);
  t.SetMagFilter(TGLMagFilter::maNearest);
  t.SetTextureMode(TGLTextureMode::tmReplace);
  t.SetDisabled(false);
  Render();
  // Front face corners: (0, 1) at the top-left.
  EXPECT_TRUE(Near(Pixel(128 - 40, 128 - 40), {255, 0, 0})) << Pixel(88, 88);
  EXPECT_TRUE(Near(Pixel(128 + 40, 128 + 40), {0, 255, 0})) << Pixel(168, 168);
  EXPECT_EQ(t.TexWidth(), 4) << "2 x 2 stretched to the 4 x 4 of the next multiples of 4";
  // Disabled again: the plain material colour.
  t.SetDisabled(true);
  cube->Material().FrontProperties().Diffuse().SetAsWinColor(clBlue);
  Render();
  EXPECT_TRUE(Near(Pixel(128 - 40, 128 - 40), {0, 0, 255}));
}

TEST_F(SceneObjects, FogAxesAndPolygonModes) {
  auto* s = AddSphere(1, clRed);
  Buffer().SetFogEnable(true);
  Buffer().FogEnvironment().FogColor().SetColor(clrWhite);
  Buffer().FogEnvironment().SetFogStart(0);
  Buffer().FogEnvironment().SetFogEnd(18);
  Render();
  const TRgb fogged = Pixel(128, 128);
  EXPECT_GT(fogged.g, 80) << "half way into the fog";
  EXPECT_EQ(fogged.r, 255);
  Buffer().SetFogEnable(false);
  EXPECT_FALSE(Buffer().FogEnvironment().IsAtDefaultValues());

  s->SetVisible(false);
  target->SetShowAxes(true);
  Render();
  EXPECT_TRUE(Near(Pixel(200, 128), {255, 0, 0}, 60) || Near(Pixel(201, 128), {255, 0, 0}, 60) ||
              Near(Pixel(202, 128), {255, 0, 0}, 60))
      << "the positive x axis in red (stippled)";
  target->SetShowAxes(false);

  s->SetVisible(true);
  s->Material().FrontProperties().SetPolygonMode(TPolygonMode::pmLines);
  Render();
  int white = 0;
  for (int x = 110; x < 146; ++x)
    white += Near(Pixel(x, 130), {255, 255, 255}) ? 1 : 0;  // off the equator line
  EXPECT_GT(white, 5) << "a wire sphere shows the background between its lines";
}

TEST_F(SceneObjects, InsideOutObjectsAndFaceCulling) {
  auto* s = AddSphere(1, clRed);
  s->SetNormalDirection(TNormalDirection::ndInside);
  Render();
  // Seen from outside, an inside-out sphere shows its far half's inner faces.
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));
  Buffer().SetFaceCulling(false);
  s->SetNormalDirection(TNormalDirection::ndOutside);
  s->Material().SetFaceCulling(TFaceCulling::fcCull);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));
  auto* cube = scene->Objects()->AddNewChild<TGLCube>();
  cube->SetParts(cpBack);  // only the face turned away
  cube->Material().FrontProperties().Diffuse().SetAsWinColor(clBlue);
  cube->Material().SetFaceCulling(TFaceCulling::fcCull);
  s->SetVisible(false);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 255, 255})) << "culled";
  cube->Material().SetFaceCulling(TFaceCulling::fcNoCull);
  cube->Material().BackProperties().Diffuse().SetAsWinColor(clBlue);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {0, 0, 255})) << "drawn from behind";
  cube->SetParts(0);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 255, 255})) << "no parts: an empty batch";
}

TEST_F(SceneObjects, SphereSlicesCapsAndSilhouettes) {
  auto* s = AddSphere(1, clRed);
  s->SetTop(0);  // the lower hemisphere
  s->SetBottomCap(TCapType::ctFlat);
  s->SetTopCap(TCapType::ctFlat);
  s->SetNormalDirection(TNormalDirection::ndOutside);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128 + 20), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(128, 128 - 20), {255, 255, 255})) << "no upper half";
  s->SetStop(180);  // half of that
  Render();
  std::unique_ptr<TGLSilhouette> sil = s->BuildSilhouette({{0, 0, 10}, {}, true});
  EXPECT_EQ(sil->Indices.Count(), 2 * 16);
  EXPECT_EQ(sil->CapIndices.Count(), 3 * 16);
  EXPECT_EQ(sil->Vertices.Count(), 17);
  auto* cube = scene->Objects()->AddNewChild<TGLCube>();
  std::unique_ptr<TGLSilhouette> cs = cube->BuildSilhouette({{5, 0, 0}, {}, false});
  EXPECT_EQ(cs->Indices.Count(), 8) << "four edges seen from the x axis";
}

TEST_F(SceneObjects, BufferSwitchesAndContexts) {
  AddSphere(1, clRed);
  Render();
  int structural = 0;
  Buffer().OnStructuralChange = [&](TObject*) { ++structural; };
  Buffer().SetDepthPrecision(TGLDepthPrecision::dp16bits);
  Buffer().SetContextOptions(Buffer().ContextOptions() | roStencilBuffer);
  EXPECT_EQ(structural, 2);
  Buffer().OnStructuralChange = [&](TObject*) { Buffer().ReleaseRenderContext(); };
  Buffer().SetColorDepth(TGLColorDepth::cd24bits);
  EXPECT_EQ(Buffer().RenderingContext(), nullptr);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0})) << "a new context, the lists made again";
  // A larger memory viewer: the snapshot follows.
  viewer->SetWidth(300);
  viewer->SetHeight(200);
  viewer->Render();
  auto big = Buffer().CreateSnapshot();
  EXPECT_EQ(big->Width(), 300);
  EXPECT_EQ(big->Height(), 200);
  // Without a back-end there is no context.
  ClearGLContextClasses();
  TGLSceneBuffer lone;
  try {
    lone.CreateRenderContext(nullptr, true);
    FAIL();
  } catch (const ESceneError& e) {
    EXPECT_STREQ(e.what(), "Failed to create RenderingContext.");
  }
  RegisterGLContextClass([] { return std::make_unique<TGLEGLContext>(); });
}

}  // namespace
}  // namespace qx::test

namespace qx::test {
namespace {

TEST_F(SceneObjects, CopyingTheFrameIntoATexture) {
  AddSphere(1, clRed);
  Render();
  TGLMaterial holder(nullptr);
  TGLTexture& tex = holder.Texture();
  tex.SetMinFilter(TGLMinFilter::miLinear);
  // The first copy makes the image; a second one copies into it.
  Buffer().CopyToTexture(tex, 96, 96, 64, 64, 0, 0);
  Buffer().CopyToTexture(tex, 0, 0, 8, 8, 0, 0);
  TGLContext* c = Buffer().RenderingContext();
  c->Activate();
  glBindTexture(GL_TEXTURE_2D, tex.Handle());
  GLint w = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
  std::vector<std::uint8_t> px(64 * 64 * 4);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
  c->Deactivate();
  EXPECT_EQ(w, 64);
  const std::size_t centre = (32 * 64 + 32) * 4;
  EXPECT_EQ(px[centre], 255);
  EXPECT_EQ(px[centre + 1], 0);
  EXPECT_EQ(px[0 + 1], 255) << "the corner copied from the white background";
  holder.DestroyHandles();
}

}  // namespace
}  // namespace qx::test
