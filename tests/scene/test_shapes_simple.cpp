// Planes, sprites, HUD sprites, point clouds and the two polyhedra.
#include <gtest/gtest.h>

#include "ShapeFixture.h"
#include "scene/GLSimpleObjects.h"

namespace qx::test {
namespace {

using SimpleObjects = ShapeFixture;

struct TTexSpan {
  float s0 = 1e9f, s1 = -1e9f, t0 = 1e9f, t1 = -1e9f;
};
TTexSpan Span(const TFeedback& fb) {
  TTexSpan r;
  for (const auto& p : fb.prims)
    for (const auto& v : p.v) {
      r.s0 = std::min(r.s0, v.s);
      r.s1 = std::max(r.s1, v.s);
      r.t0 = std::min(r.t0, v.t);
      r.t1 = std::max(r.t1, v.t);
    }
  return r;
}

TEST_F(SimpleObjects, APlaneTilesItsTexture) {
  auto* p = Add<TGLPlane>();
  TFeedback fb = Feedback();
  EXPECT_EQ(fb.Polygons(), 2);
  TTexSpan s = Span(fb);
  EXPECT_FLOAT_EQ(s.s0, 0);
  EXPECT_FLOAT_EQ(s.s1, 1);
  EXPECT_FLOAT_EQ(s.t0, 0);
  EXPECT_FLOAT_EQ(s.t1, 1);
  p->SetXTiles(3);
  s = Span(Feedback());
  EXPECT_FLOAT_EQ(s.s1, 3);
  EXPECT_FLOAT_EQ(s.t1, 1);
  p->SetXOffset(0.5f);
  s = Span(Feedback());
  EXPECT_FLOAT_EQ(s.s0, 0.5f);
  EXPECT_FLOAT_EQ(s.s1, 3.5f);
  // Without tiling the offset and tiles mean nothing: the scope alone.
  p->SetStyle(psSingleQuad);
  p->SetXScope(2);
  s = Span(Feedback());
  EXPECT_FLOAT_EQ(s.s0, 0);
  EXPECT_FLOAT_EQ(s.s1, 2);
  // Cells: 3 x 2 of two triangles each, the texture spread over them.
  p->SetStyle(psTileTexture);
  p->SetYTiles(2);
  fb = Feedback();
  EXPECT_EQ(fb.Polygons(), 3 * 2 * 2);
  s = Span(fb);
  EXPECT_FLOAT_EQ(s.s1, 3 * 2 + 0.5f);
  EXPECT_FLOAT_EQ(s.t1, 2);
  // No tiles at all: one cell.
  p->SetXTiles(0);
  p->SetYTiles(0);
  EXPECT_EQ(Feedback().Polygons(), 2);
  Render();
  EXPECT_TRUE(Near(Pixel(Px(0.45f), Py(0.45f)), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(Px(0.55f), 128));
}

TEST_F(SimpleObjects, PlaneRaysAndSilhouette) {
  auto* p = Add<TGLPlane>();
  THomogeneousVector hit, n;
  EXPECT_FALSE(p->IntersectRay({0, 0, 1, 1}, {1, 0, 0, 0}, &hit, &n));  // parallel
  ASSERT_TRUE(p->IntersectRay({0.2f, 0.1f, 5, 1}, {0, 0, -1, 0}, &hit, &n));
  EXPECT_NEAR(hit.X, 0.2f, 1e-6);
  EXPECT_NEAR(n.Z, 1, 1e-6);
  ASSERT_TRUE(p->IntersectRay({0.2f, 0.1f, -5, 1}, {0, 0, 1, 0}, &hit, &n));
  EXPECT_NEAR(n.Z, -1, 1e-6);  // from below: the normal opposite the plane's direction
  EXPECT_FALSE(p->IntersectRay({0.6f, 0, 5, 1}, {0, 0, -1, 0}, &hit, &n));
  EXPECT_FALSE(p->IntersectRay({0, 0, 5, 1}, {0, 0, 1, 0}, &hit, &n));  // pointing away
  TGLSilhouetteParameters sp;
  sp.SeenFrom = {0, 0, 5};
  sp.CappingRequired = true;
  auto s = p->BuildSilhouette(sp);
  EXPECT_EQ(s->Vertices.Count(), 4);
  EXPECT_EQ(s->Indices.Count(), 8);
  EXPECT_EQ(s->CapIndices.Count(), 6);
  auto* q = Add<TGLPlane>();
  p->SetWidth(3);
  p->SetXTiles(5);
  q->Assign(p);
  EXPECT_FLOAT_EQ(q->Width(), 3);
  EXPECT_EQ(q->XTiles(), 1u);  // only the sizes are copied
  EXPECT_FLOAT_EQ(p->UnscaledHalfExtents().X, 1.5f);
}

TEST_F(SimpleObjects, ASpriteFacesTheCamera) {
  auto* s = Add<TGLSprite>();
  s->SetAlphaChannel(1.5f);
  EXPECT_FLOAT_EQ(s->AlphaChannel(), 1);
  s->SetAlphaChannel(-0.2f);
  EXPECT_FLOAT_EQ(s->AlphaChannel(), 0);
  s->SetAlphaChannel(1);
  // Turned and scaled, it still shows its own width to the camera.
  s->SetTurnAngle(80);
  s->Scale().SetAsVector({3, 3, 3, 0});
  Render();
  EXPECT_TRUE(Near(Pixel(Px(0.45f), 128), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(Px(0.55f), 128));
  // Turned about the line of sight by 45 degrees: a diamond.
  s->SetRotation(45);
  Render();
  EXPECT_TRUE(IsBackground(Px(0.45f), Py(0.45f)));
  EXPECT_TRUE(Near(Pixel(Px(0.6f), 128), {255, 0, 0}));
  // Mirrored, the texture runs the other way.
  s->SetRotation(0);
  s->SetMirrorU(true);
  TFeedback fb = Feedback();
  ASSERT_GT(fb.Polygons(), 0);
  for (const auto& p : fb.prims)
    for (const auto& v : p.v) EXPECT_FLOAT_EQ(v.s, v.x > 128 ? 0.0f : 1.0f);
  EXPECT_EQ(Buffer().GetPickedObject(128, 128), s);
  EXPECT_FLOAT_EQ(s->UnscaledHalfExtents().Z, 0.5f);
  auto* t = Add<TGLSprite>();
  s->SetWidth(2);
  t->Assign(s);
  EXPECT_FLOAT_EQ(t->Width(), 2);
  EXPECT_FALSE(t->MirrorU());
}

TEST_F(SimpleObjects, AHUDSpriteStandsInWindowPixels) {
  auto* sphere = AddSphere(5, clRed);
  sphere->SetVisible(false);
  auto* s = Add<TGLHUDSprite>(clBlue);
  s->Position().SetAsVector({50, 60, 0, 1});
  s->SetWidth(20);
  s->SetHeight(10);
  Render();
  EXPECT_TRUE(Near(Pixel(50, 60), {0, 0, 255}));
  EXPECT_TRUE(Near(Pixel(58, 64), {0, 0, 255}));
  EXPECT_TRUE(IsBackground(62, 60));
  EXPECT_TRUE(IsBackground(50, 67));
  // The camera does not move it; a nearer sphere drawn before it does not hide it.
  camera->Position().SetAsVector({3, 2, 10, 1});
  sphere->SetVisible(true);
  Render();
  EXPECT_TRUE(Near(Pixel(50, 60), {0, 0, 255}));
  EXPECT_EQ(Buffer().GetPickedObject(50, 60), s);
  sphere->SetVisible(false);
  s->SetXTiles(4);
  TFeedback fb = Feedback();
  EXPECT_FLOAT_EQ(Span(fb).s1, 4);
  EXPECT_FLOAT_EQ(Span(fb).t1, 1);
}

TEST_F(SimpleObjects, PointCloudsDrawOnePointPerColouredPosition) {
  auto* p = scene->Objects()->AddNewChild<TGLPoints>();
  TFeedback fb = Feedback();
  ASSERT_EQ(fb.Points(), 1);  // no position: one point at the origin
  EXPECT_NEAR(fb.prims[0].v[0].x, 128, 0.5f);
  EXPECT_FLOAT_EQ(fb.prims[0].v[0].g, 1);  // white
  for (int i = 0; i < 10; ++i) p->Positions().Add(TAffineVector{float(i) * 0.2f - 1, 0, 0});
  for (int i = 0; i < 4; ++i) p->Colors().Add(THomogeneousVector{1, 0, float(i) / 4, 1});
  fb = Feedback();
  ASSERT_EQ(fb.Points(), 4);
  EXPECT_FLOAT_EQ(fb.prims[3].v[0].b, 0.75f);
  p->Colors().SetCount(1);
  fb = Feedback();
  ASSERT_EQ(fb.Points(), 10);
  for (const auto& pr : fb.prims) EXPECT_FLOAT_EQ(pr.v[0].g, 0);
  // Drawn every frame, or compiled once when static.
  EXPECT_FALSE(p->Static());
  p->SetStatic(true);
  EXPECT_FALSE(p->ObjectStyle() & osDirectDraw);
  for (int i = 10; i < 100; ++i) p->Positions().Add(TAffineVector{0, float(i) * 0.01f - 0.5f, 0});
  p->StructureChanged();
  EXPECT_EQ(Feedback().Points(), 100);
  p->SetSize(-3);
  p->SetStyle(TGLPointStyle::psRound);
  p->PointParameters().SetEnabled(true);
  p->PointParameters().SetMaxSize(4);
  Render();  // no OpenGL error from a size below 1
  p->SetSize(9);
  p->SetStyle(TGLPointStyle::psSquare);
  p->PointParameters().SetEnabled(false);
  Render();
  EXPECT_TRUE(Near(Pixel(Px(-1), 128), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(Px(-1) + 3, 128 + 3), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(Px(-1) + 7, 128 + 7));
  // The stored point parameters.
  TGLPointParameters& pp = p->PointParameters();
  EXPECT_TRUE(pp.PointParamsStored());
  const std::string bytes = pp.WritePointParams();
  auto* q = scene->Objects()->AddNewChild<TGLPoints>();
  EXPECT_FALSE(q->PointParameters().PointParamsStored());
  ASSERT_TRUE(q->PointParameters().ReadPointParams(bytes));
  EXPECT_FLOAT_EQ(q->PointParameters().MaxSize(), 4);
  EXPECT_FALSE(q->PointParameters().ReadPointParams("123"));
  q->Assign(p);
  EXPECT_EQ(q->Positions().Count(), 100);
  EXPECT_FLOAT_EQ(q->Size(), 9);
}

TEST_F(SimpleObjects, ThePolyhedraFitTheUnitBox) {
  Buffer().SetFaceCulling(false);
  auto* d = Add<TGLDodecahedron>();
  TFeedback fb = Feedback();
  EXPECT_EQ(fb.Polygons(), 12 * 3);
  EXPECT_LT(fb.MaxX(), Buffer().ProjectPoint({0.5f, 0, 0.5f, 1}).X);
  EXPECT_EQ(Buffer().GetPickedObject(128, 128), d);
  d->SetVisible(false);
  auto* i = Add<TGLIcosahedron>();
  fb = Feedback();
  EXPECT_EQ(fb.Polygons(), 20);
  EXPECT_LT(fb.MaxY(), Buffer().ProjectPoint({0, 0.5f, 0.5f, 1}).Y);
  EXPECT_EQ(Buffer().GetPickedObject(128, 128), i);
  // Closed solids: with culling each face is seen from one side only.
  Buffer().SetFaceCulling(true);
  EXPECT_LT(Feedback().Polygons(), 20);
}

}  // namespace
}  // namespace qx::test
