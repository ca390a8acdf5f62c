// Picking through selection mode, and the conversions between screen and world.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "SceneFixture.h"
#include "scene/base/SceneErrors.h"

namespace qx::test {
namespace {

using ScenePicking = SceneFixture;

TEST_F(ScenePicking, TheSphereUnderTheMouseAndEmptySpace) {
  auto* s = AddSphere(1, clRed);
  Render();
  EXPECT_EQ(Buffer().GetPickedObject(128, 128), s);
  EXPECT_EQ(Buffer().GetPickedObject(128 + 30, 128 - 20), s);
  EXPECT_EQ(Buffer().GetPickedObject(5, 5), nullptr);
  EXPECT_EQ(Buffer().GetPickedObject(128 + 45, 128), nullptr);
  // Each class of the basic objects is picked from its display list or its direct geometry.
  s->SetVisible(false);
  auto* cube = scene->Objects()->AddNewChild<TGLCube>();
  EXPECT_EQ(Buffer().GetPickedObject(128, 128), cube);
  cube->SetVisible(false);
  target->SetVisibleAtRunTime(true);
  target->SetCubeSize(2);
  // The wire edge of a visible dummy cube: its front edges stand 42 pixels from the centre.
  auto edge = Buffer().PickObjectsInRect({166, 124, 174, 132}, 64);
  ASSERT_EQ(edge->Count(), 1);
  EXPECT_EQ(edge->Hit(0), target);
  // Picking does not disturb the next frame.
  s->SetVisible(true);
  target->SetVisibleAtRunTime(false);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));
}

TEST_F(ScenePicking, TheNearerOfTwoOnTheAxisComesFirst) {
  auto* far = AddSphere(1, clRed);
  far->Position().SetZ(-3);
  auto* near = AddSphere(0.5f, clBlue);
  near->Position().SetZ(2);
  Render();
  auto list = Buffer().PickObjectsInRect({127, 127, 129, 129}, 64);
  ASSERT_EQ(list->Count(), 2);
  EXPECT_EQ(list->Hit(0), near);
  EXPECT_EQ(list->Hit(1), far);
  EXPECT_LT(list->Record(0).ZNear, list->Record(1).ZNear);
  EXPECT_GT(list->Record(0).ZNear, 0.0f);
  EXPECT_LE(list->Record(1).ZFar, 1.0f);
}

TEST_F(ScenePicking, TwoHundredObjectsInOneRectangle) {
  std::set<TGLBaseSceneObject*> all;
  for (int i = 0; i < 200; ++i) {
    auto* s = AddSphere(0.05f, clRed);
    s->Position().SetAsVector({float(i % 20) * 0.2f - 2, float(i / 20) * 0.2f - 1, 0, 1});
    all.insert(s);
  }
  Render();
  // The first selection buffer holds far fewer hits: it doubles until all fit.
  auto list = Buffer().PickObjectsInRect({0, 0, 256, 256}, 8);
  ASSERT_EQ(list->Count(), 200);
  std::set<TGLBaseSceneObject*> got;
  for (int i = 0; i < list->Count(); ++i) got.insert(list->Hit(i));
  EXPECT_EQ(got, all);
}

TEST_F(ScenePicking, PickingFromInsideARenderIsRefused) {
  auto* d = scene->Objects()->AddNewChild<TGLDirectOpenGL>();
  std::string message;
  d->OnRender = [&](TObject*, TRenderContextInfo& rci) {
    try {
      rci.buffer->GetPickedObject(128, 128);
    } catch (const EAssertionFailed& e) {
      message = e.what();
    }
  };
  Render();
  EXPECT_EQ(message, "Already rendering");
}

TEST_F(ScenePicking, ProjectAndUnproject) {
  Render();
  const THomogeneousVector p = Buffer().ProjectPoint({0, 0, 0, 1});
  EXPECT_NEAR(p.X, 128, 1e-4);
  EXPECT_NEAR(p.Y, 128, 1e-4);
  EXPECT_NEAR(p.Z, 0.864946, 1e-4);
  const THomogeneousVector back = Buffer().UnprojectPoint(p.X, p.Y, p.Z);
  EXPECT_NEAR(back.X, 0, 1e-4);
  EXPECT_NEAR(back.Z, 0, 1e-3);
  // Depth 0 is on the near plane, depth 1 on the far plane.
  const float nearPlane = camera->NearPlane();
  EXPECT_NEAR(Buffer().UnprojectPoint(128, 128, 0).Z, 10 - nearPlane, 1e-4);
  EXPECT_NEAR(Buffer().UnprojectPoint(128, 128, 1).Z, 10 - nearPlane - 100, 1e-2);
  // The ray under a pixel meets the plane z = 0 where the pixel shows it.
  THomogeneousVector hit;
  ASSERT_TRUE(Buffer().ScreenPointOnPlaneXY(128, 128, 0, hit));
  EXPECT_NEAR(hit.X, 0, 1e-4);
  EXPECT_NEAR(hit.Y, 0, 1e-4);
  EXPECT_EQ(hit.W, 0);
  ASSERT_TRUE(Buffer().ScreenPointOnPlaneXY(128 + 64, 128 + 32, 0, hit));
  // 64 pixels at distance 10: 64 / (128 * 2.952756) * 10 units.
  EXPECT_NEAR(hit.X, 64 / (128 * 2.952756) * 10, 1e-3);
  EXPECT_NEAR(hit.Y, 32 / (128 * 2.952756) * 10, 1e-3);
  EXPECT_NEAR(Buffer().ProjectPoint({hit.X, hit.Y, 0, 1}).X, 192, 1e-2);
  // A plane behind the camera is not hit.
  EXPECT_FALSE(Buffer().ScreenPointOnPlaneXY(128, 128, 20, hit));
  // Looking along the plane z = 0: parallel, no hit.
  camera->Position().SetAsVector({10, 0, 0, 1});
  camera->Up().SetAsVector({0, 0, 1, 0});
  Render();
  EXPECT_FALSE(Buffer().ScreenPointOnPlaneXY(128, 128, 0, hit));
  ASSERT_TRUE(Buffer().ScreenPointOnPlaneYZ(128, 128, 0, hit));
  EXPECT_NEAR(hit.Y, 0, 1e-4);
  EXPECT_NEAR(hit.Z, 0, 1e-4);
}

TEST_F(ScenePicking, SceneScaleZoomsWithoutMovingTheCamera) {
  AddSphere(1, clRed);
  camera->SetSceneScale(2);
  Render();
  EXPECT_NEAR(Buffer().ProjectionMatrix().data()[0], 2 * 2.952756, 1e-4);
  EXPECT_TRUE(Near(Pixel(128 + 70, 128), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(128 + 80, 128), {255, 255, 255}));
  // Orthographic 2D: one unit per pixel from the lower-left corner.
  camera->SetCameraStyle(TGLCameraStyle::csOrtho2D);
  Render();
  const TMatrix& p = Buffer().ProjectionMatrix();
  EXPECT_NEAR(p.data()[0], 2.0 / 256, 1e-6);
  EXPECT_NEAR(p.data()[12], -1, 1e-6);
}

}  // namespace
}  // namespace qx::test
