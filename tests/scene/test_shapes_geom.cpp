// Cylinders, cones, frustums, disks, annuli, tori, arrow lines and polygons: what they cover
// on screen, what reaches the rasterizer, and their ray tests.
#include <gtest/gtest.h>

#include <cstring>

#include "ShapeFixture.h"
#include "scene/GLGeomObjects.h"

namespace qx::test {
namespace {

using GeomObjects = ShapeFixture;

THomogeneousVector Hit(TGLBaseSceneObject* o, THomogeneousVector start, THomogeneousVector dir, bool* ok,
                       THomogeneousVector* normal = nullptr) {
  THomogeneousVector p{};
  *ok = o->IntersectRay(start, dir, &p, normal);
  return p;
}

void ExpectPoint(const THomogeneousVector& p, float x, float y, float z, float tol = 1e-4f) {
  EXPECT_NEAR(p.X, x, tol) << p;
  EXPECT_NEAR(p.Y, y, tol) << p;
  EXPECT_NEAR(p.Z, z, tol) << p;
}

TEST_F(GeomObjects, ACylinderSeenFromTheFrontCoversItsHeightAndNoMore) {
  auto* c = Add<TGLCylinder>();
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(128, Py(0.45f)), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(128, Py(-0.45f)), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(Px(0.45f), 128), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(128, Py(0.6f)));
  EXPECT_TRUE(IsBackground(128, Py(-0.6f)));
  EXPECT_TRUE(IsBackground(Px(0.6f), 128));
  // Aligned by its top, it hangs below the origin; by its bottom, it stands on it.
  c->SetAlignment(TCylinderAlignment::caTop);
  Render();
  EXPECT_TRUE(Near(Pixel(128, Py(-0.9f)), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(128, Py(0.2f)));
  c->SetAlignment(TCylinderAlignment::caBottom);
  Render();
  EXPECT_TRUE(Near(Pixel(128, Py(0.9f)), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(128, Py(-0.2f)));
}

TEST_F(GeomObjects, CylinderRaysHitTheNearestOfCapsAndSide) {
  auto* c = Add<TGLCylinder>();
  c->SetAlignment(TCylinderAlignment::caTop);
  c->SetHeight(2);
  bool ok = false;
  THomogeneousVector n;
  ExpectPoint(Hit(c, {0, 5, 0, 1}, {0, -1, 0, 0}, &ok, &n), 0, 0, 0);
  ASSERT_TRUE(ok);
  ExpectPoint(n, 0, 1, 0);
  ExpectPoint(Hit(c, {5, -1, 0, 1}, {-1, 0, 0, 0}, &ok, &n), 0.5f, -1, 0);
  ASSERT_TRUE(ok);
  EXPECT_GT(n.X, 0);
  EXPECT_NEAR(n.Y, 0, 1e-6);
  // From below through the bottom cap; a ray beside the body or above it parallel misses.
  ExpectPoint(Hit(c, {0.2f, -9, 0, 1}, {0, 1, 0, 0}, &ok, &n), 0.2f, -2, 0);
  ASSERT_TRUE(ok);
  ExpectPoint(n, 0, -1, 0);
  Hit(c, {0.6f, 5, 0, 1}, {0, -1, 0, 0}, &ok);
  EXPECT_FALSE(ok);
  Hit(c, {5, 0.5f, 0, 1}, {-1, 0, 0, 0}, &ok);
  EXPECT_FALSE(ok);
  Hit(c, {0, 5, 0, 1}, {0, 1, 0, 0}, &ok);
  EXPECT_FALSE(ok);
  // Without its top, the ray from above meets the bottom cap from inside.
  c->SetParts(cySides | cyBottom);
  ExpectPoint(Hit(c, {0, 5, 0, 1}, {0, -1, 0, 0}, &ok), 0, -2, 0);
  EXPECT_TRUE(ok);
  // The cylinder's own frame: moved and turned, the hit comes back in world coordinates.
  c->SetParts(cySides | cyBottom | cyTop);
  c->Position().SetAsVector({3, 0, 0, 1});
  c->SetPitchAngle(90);  // its axis now along world -Z: the body from z = 0 to 2
  ExpectPoint(Hit(c, {3, 0, 5, 1}, {0, 0, -1, 0}, &ok, &n), 3, 0, 2);
  ASSERT_TRUE(ok);
  ExpectPoint(n, 0, 0, 1);
}

TEST_F(GeomObjects, AConeIsHitOnItsSideAndItsBase) {
  auto* c = Add<TGLCylinder>();
  c->SetTopRadius(0);
  bool ok = false;
  THomogeneousVector n;
  // At y = 0 the side stands at radius 0.25.
  ExpectPoint(Hit(c, {5, 0, 0, 1}, {-1, 0, 0, 0}, &ok, &n), 0.25f, 0, 0);
  ASSERT_TRUE(ok);
  EXPECT_GT(n.X, 0);
  EXPECT_GT(n.Y, 0);  // the side leans towards the apex
  ExpectPoint(Hit(c, {0.4f, 5, 0, 1}, {0, -1, 0, 0}, &ok), 0.4f, -0.3f, 0);
  EXPECT_TRUE(ok);
  ExpectPoint(Hit(c, {0.1f, -5, 0, 1}, {0, 1, 0, 0}, &ok, &n), 0.1f, -0.5f, 0);
  ASSERT_TRUE(ok);
  ExpectPoint(n, 0, -1, 0);
  // Above the apex level and outside the base, nothing.
  Hit(c, {5, 0.6f, 0, 1}, {-1, 0, 0, 0}, &ok);
  EXPECT_FALSE(ok);
  Hit(c, {0.6f, -5, 0, 1}, {0, 1, 0, 0}, &ok);
  EXPECT_FALSE(ok);
  // On screen a cone is wide at its base and narrow near the apex.
  auto* cone = Add<TGLCone>(clBlue);
  c->SetVisible(false);
  Render();
  EXPECT_TRUE(Near(Pixel(Px(0.4f), Py(-0.4f)), {0, 0, 255}));
  EXPECT_TRUE(IsBackground(Px(0.4f), Py(0.3f)));
  EXPECT_TRUE(Near(Pixel(128, Py(0.4f)), {0, 0, 255}));
  EXPECT_FLOAT_EQ(cone->GetTopRadius(), 0);
  EXPECT_FLOAT_EQ(cone->UnscaledHalfExtents().Y, 0.5f);
}

TEST_F(GeomObjects, FrustumSizesKeepTheApexAboveTheCut) {
  auto* f = Add<TGLFrustrum>();
  EXPECT_FALSE(f->FrustrumSizeStored());
  f->SetHeight(3);
  EXPECT_FLOAT_EQ(f->ApexHeight(), 3);
  f->SetApexHeight(2);
  EXPECT_FLOAT_EQ(f->Height(), 2);
  f->SetHeight(-1);
  f->SetBaseWidth(-1);
  EXPECT_FLOAT_EQ(f->Height(), 2);
  EXPECT_FLOAT_EQ(f->BaseWidth(), 1);
  f->SetApexHeight(0);
  EXPECT_FLOAT_EQ(f->Height(), 0);
  EXPECT_TRUE(f->FrustrumSizeStored());
  const std::string bytes = f->WriteFrustrumSize();
  ASSERT_EQ(bytes.size(), 16u);
  auto* g = Add<TGLFrustrum>();
  EXPECT_FALSE(g->ReadFrustrumSize("short"));
  ASSERT_TRUE(g->ReadFrustrumSize(bytes));
  EXPECT_FLOAT_EQ(g->ApexHeight(), 0);
  EXPECT_FLOAT_EQ(g->Height(), 0);
  // A frustum without height draws its base alone, flat and harmless.
  f->SetVisible(false);
  g->SetVisible(false);
  Render();
}

TEST_F(GeomObjects, APyramidHasNoTopAndMeetsAtItsApex) {
  auto* f = Add<TGLFrustrum>();
  Buffer().SetFaceCulling(false);
  TFeedback cut = Feedback();
  f->SetHeight(1);  // = ApexHeight: a pyramid
  TFeedback pyramid = Feedback();
  // Six quads of two triangles; then the top is gone and each side is one triangle (its two
  // upper corners are the apex).
  EXPECT_EQ(cut.Polygons(), 12);
  EXPECT_EQ(pyramid.Polygons(), 4 + 2);
  // The apex is one point at (0, 1, 0) in the object's frame.
  const float apexY = Buffer().ProjectPoint({0, 1, 0, 1}).Y;
  EXPECT_NEAR(pyramid.MaxY(), apexY, 0.5f);
  Render();
  EXPECT_TRUE(Near(Pixel(128, Py(0.9f)), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(Px(0.3f), Py(0.9f)));
  EXPECT_TRUE(Near(Pixel(Px(0.4f), Py(0.05f)), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(128, Py(-0.3f)));
}

TEST_F(GeomObjects, ArrowHeadsStackBeyondTheShaftOrInsideIt) {
  auto* a = Add<TGLArrowLine>();
  a->SetDirection({1, 0, 0});  // the arrow's Z axis along the screen's X
  a->SetParts(alLine | alTopArrow | alBottomArrow);
  auto projectedX = [&](float x) { return Buffer().ProjectPoint({x, 0, 0, 1}).X; };
  TFeedback stacked = Feedback();
  EXPECT_NEAR(stacked.MaxX(), projectedX(1.0f), 0.5f);  // Height/2 + head height
  EXPECT_NEAR(stacked.MinX(), projectedX(-1.0f), 0.5f);
  a->SetHeadStackingStyle(TArrowHeadStackingStyle::ahssCentered);
  TFeedback centred = Feedback();
  EXPECT_NEAR(centred.MaxX(), projectedX(0.75f), 0.5f);
  a->SetHeadStackingStyle(TArrowHeadStackingStyle::ahssIncluded);
  TFeedback included = Feedback();
  EXPECT_NEAR(included.MaxX(), projectedX(0.5f), 0.5f);
  EXPECT_NEAR(included.MinX(), projectedX(-0.5f), 0.5f);
  // Heads as long as the arrow leave no room for a shaft: the heads alone are drawn.
  a->SetTopArrowHeadHeight(0.25f);
  const int withShaft = Feedback().Polygons();
  a->SetTopArrowHeadHeight(0.5f);
  a->SetParts(alTopArrow | alBottomArrow);
  const int headsOnly = Feedback().Polygons();
  a->SetParts(alLine | alTopArrow | alBottomArrow);
  EXPECT_EQ(Feedback().Polygons(), headsOnly);
  EXPECT_LT(headsOnly, withShaft);
  // A bare shaft is closed at both ends.
  a->SetParts(alLine);
  a->SetHeadStackingStyle(TArrowHeadStackingStyle::ahssStacked);
  TFeedback shaft = Feedback();
  EXPECT_NEAR(shaft.MaxX(), projectedX(0.5f), 0.5f);
  EXPECT_NEAR(shaft.MinX(), projectedX(-0.5f), 0.5f);
  Render();
  EXPECT_TRUE(Near(Pixel(Px(0.45f), 128), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(Px(0.6f), 128));
  EXPECT_TRUE(IsBackground(128, Py(0.15f)));  // shaft radius 0.1
}

TEST_F(GeomObjects, PolygonsOfTooFewCornersDrawNothing) {
  auto* p = Add<TGLPolygon>();
  p->AddNode(-1, -1, 0);
  p->AddNode(1, -1, 0);
  EXPECT_EQ(Feedback().prims.size(), 0u);
  p->AddNode(1, -1, 0);  // a repeated corner is no corner
  EXPECT_EQ(Feedback().prims.size(), 0u);
  // Three corners on one line: no area, no normal, nothing drawn and nothing raised.
  p->Nodes().Clear();
  p->AddNode(0, 0, 0);
  p->AddNode(1, 0, 0);
  p->AddNode(2, 0, 0);
  EXPECT_TRUE(VectorIsNull(p->Nodes().Normal()));
  EXPECT_EQ(Feedback().Polygons(), 0);
}

TEST_F(GeomObjects, ASquarePolygonFacesBothWays) {
  auto* p = Add<TGLPolygon>();
  for (auto [x, y] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}) p->AddNode(float(x), float(y), 0);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(Px(0.9f), Py(0.9f)), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(Px(1.2f), 128));
  // Its bottom faces away from the camera: culled, the background shows.
  p->SetParts(ppBottom);
  Render();
  EXPECT_TRUE(IsBackground(128, 128));
  Buffer().SetFaceCulling(false);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));
  // Each face is the square split in two triangles.
  p->SetParts(ppTop | ppBottom);
  EXPECT_EQ(Feedback().Polygons(), 4);
  // Picked from its display list.
  EXPECT_EQ(Buffer().GetPickedObject(128, 128), p);
}

TEST_F(GeomObjects, ABowTiePolygonFillsBothLobes) {
  auto* p = Add<TGLPolygon>();
  Buffer().SetFaceCulling(false);
  for (auto [x, y] : {std::pair{-1, -1}, {1, 1}, {1, -1}, {-1, 1}}) p->AddNode(float(x), float(y), 0);
  Render();
  EXPECT_TRUE(Near(Pixel(Px(0.8f), 128), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(Px(-0.8f), 128), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(128, Py(0.8f)));
  EXPECT_TRUE(IsBackground(128, Py(-0.8f)));
  // In spline mode the outline is sampled between the nodes.
  p->SetSplineMode(TLineSplineMode::lsmCubicSpline);
  p->SetDivision(4);
  Render();
}

TEST_F(GeomObjects, TorusRingsAndSidesAreClampedAndItsHoleIsEmpty) {
  auto* t = Add<TGLTorus>();
  t->SetRings(1);
  t->SetSides(0);
  EXPECT_EQ(t->Rings(), 2u);
  EXPECT_EQ(t->Sides(), 3u);
  t->SetRings(25);
  t->SetSides(15);
  bool ok = true;
  Hit(t, {0, 0, 5, 1}, {0, 0, -1, 0}, &ok);
  EXPECT_FALSE(ok);
  THomogeneousVector n;
  const THomogeneousVector p = Hit(t, {0.4f, 0, 5, 1}, {0, 0, -1, 0}, &ok, &n);
  ASSERT_TRUE(ok);
  ExpectPoint(p, 0.4f, 0, 0.1f, 1e-3f);
  ExpectPoint(n, 0, 0, 0.1f, 1e-3f);
  // Across the ring from the side: the near tube first.
  ExpectPoint(Hit(t, {5, 0, 0, 1}, {-1, 0, 0, 0}, &ok), 0.5f, 0, 0, 1e-3f);
  EXPECT_TRUE(ok);
  Render();
  EXPECT_TRUE(IsBackground(128, 128));
  EXPECT_TRUE(Near(Pixel(Px(0.4f), 128), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(128, Py(-0.4f)), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(Px(0.6f), 128));
}

TEST_F(GeomObjects, DisksAndAnnuliHaveHoles) {
  auto* d = Add<TGLDisk>();
  d->SetInnerRadius(0.2f);
  bool ok = true;
  Hit(d, {0.1f, 0, 5, 1}, {0, 0, -1, 0}, &ok);
  EXPECT_FALSE(ok);
  THomogeneousVector n;
  ExpectPoint(Hit(d, {0.3f, 0, 5, 1}, {0, 0, -1, 0}, &ok, &n), 0.3f, 0, 0);
  ASSERT_TRUE(ok);
  ExpectPoint(n, 0, 0, 1);
  Hit(d, {0.6f, 0, 5, 1}, {0, 0, -1, 0}, &ok);
  EXPECT_FALSE(ok);
  Render();
  EXPECT_TRUE(IsBackground(128, 128));
  EXPECT_TRUE(Near(Pixel(Px(0.35f), 128), {255, 0, 0}));
  // A quarter of a disk.
  d->SetSweepAngle(90);
  Render();
  EXPECT_EQ(int(!IsBackground(Px(0.35f), 128)) + int(!IsBackground(Px(-0.35f), 128)) +
                int(!IsBackground(128, Py(0.35f))) + int(!IsBackground(128, Py(-0.35f))),
            1);

  d->SetVisible(false);
  auto* a = Add<TGLAnnulus>(clBlue);
  a->SetPitchAngle(90);  // its axis towards the camera
  Render();
  EXPECT_TRUE(IsBackground(128, 128));
  EXPECT_TRUE(Near(Pixel(Px(0.4f), 128), {0, 0, 255}));
  // Straight down the hole: nothing; the top ring, and the outer side from the side.
  Hit(a, {0, 0, 5, 1}, {0, 0, -1, 0}, &ok);
  EXPECT_FALSE(ok);
  ExpectPoint(Hit(a, {0.4f, 0, 5, 1}, {0, 0, -1, 0}, &ok, &n), 0.4f, 0, 0.5f);
  ASSERT_TRUE(ok);
  ExpectPoint(n, 0, 0, 1);
  ExpectPoint(Hit(a, {5, 0, 0, 1}, {-1, 0, 0, 0}, &ok), 0.5f, 0, 0);
  EXPECT_TRUE(ok);
  // From inside the hole sideways: the inner side.
  ExpectPoint(Hit(a, {0, 0, 0, 1}, {1, 0, 0, 0}, &ok), 0.3f, 0, 0);
  EXPECT_TRUE(ok);
}

TEST_F(GeomObjects, SettersRebuildOnlyOnChangeAndAssignCopies) {
  auto* c = Add<TGLCylinder>();
  Render();
  EXPECT_FALSE(c->StructureChangedFlag());
  c->SetTopRadius(0.5f);
  c->SetLoops(0);
  EXPECT_EQ(c->Loops(), 1);
  EXPECT_FALSE(c->StructureChangedFlag());
  c->SetTopRadius(0.2f);
  EXPECT_TRUE(c->StructureChangedFlag());
  c->SetParts(cySides);
  c->SetAlignment(TCylinderAlignment::caBottom);
  c->SetSlices(7);
  auto* d = Add<TGLCylinder>();
  d->Assign(c);
  EXPECT_FLOAT_EQ(d->TopRadius(), 0.2f);
  EXPECT_EQ(d->Parts(), cySides);
  EXPECT_EQ(d->Alignment(), TCylinderAlignment::caBottom);
  EXPECT_EQ(d->Slices(), 7);
  auto* a = Add<TGLArrowLine>();
  EXPECT_FLOAT_EQ(a->BottomRadius(), 0.1f);
  a->SetHeadStackingStyle(TArrowHeadStackingStyle::ahssIncluded);
  a->SetTopArrowHeadRadius(0.3f);
  auto* b = Add<TGLArrowLine>();
  b->Assign(a);
  EXPECT_EQ(b->HeadStackingStyle(), TArrowHeadStackingStyle::ahssIncluded);
  EXPECT_FLOAT_EQ(b->TopArrowHeadRadius(), 0.3f);
  // Extents.
  c->SetBottomRadius(-0.7f);
  EXPECT_FLOAT_EQ(c->UnscaledHalfExtents().X, 0.7f);
  auto* t = Add<TGLTorus>();
  EXPECT_FLOAT_EQ(t->UnscaledHalfExtents().X, 0.5f);
  EXPECT_FLOAT_EQ(t->UnscaledHalfExtents().Z, 0.1f);
  // A cylinder's outline seen from the side has edges; the silhouette leaves it unchanged.
  TGLSilhouetteParameters sp;
  sp.SeenFrom = {0, 0, 10};
  sp.LightDirection = {0, 0, -1};
  auto s = d->BuildSilhouette(sp);
  ASSERT_TRUE(s);
  EXPECT_GT(s->Indices.Count(), 0);
  EXPECT_EQ(d->Slices(), 7);
}

}  // namespace
}  // namespace qx::test
