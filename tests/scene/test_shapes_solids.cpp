// Multi-polygons with holes, and the solids swept from a profile: revolution, extrusion
// and pipe.
#include <gtest/gtest.h>

#include "ShapeFixture.h"
#include "scene/GLExtrusion.h"
#include "scene/base/SceneErrors.h"

namespace qx::test {
namespace {

using MultiPolygons = ShapeFixture;

void AddSquare(TGLNodes& nodes, float h, bool clockwise = false) {
  const float pts[4][2] = {{-h, -h}, {h, -h}, {h, h}, {-h, h}};
  for (int i = 0; i < 4; ++i) {
    const int k = clockwise ? 3 - i : i;
    nodes.AddNode(pts[k][0], pts[k][1], 0);
  }
}

TEST_F(MultiPolygons, AnInnerContourCutsAHole) {
  auto* m = Add<TGLMultiPolygon>();
  AddSquare(m->Path(0), 1);
  AddSquare(m->Path(1), 0.4f);
  Render();
  EXPECT_TRUE(IsBackground(128, 128));
  EXPECT_TRUE(Near(Pixel(Px(0.7f), 128), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(Px(1.2f), 128));
  EXPECT_EQ(m->Outline().Count(), 2);
  // A contour outside the first adds nothing.
  m->Contours()[1]->Nodes().Translate({3, 0, 0});
  EXPECT_FALSE(m->HasOutline());
  Render();
  EXPECT_EQ(m->Outline().Count(), 1);
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(Px(3), 128));
  // Wound the other way round, the boundary holds nothing.
  m->Contours().Clear();
  AddSquare(m->Path(0), 1, true);
  Render();
  EXPECT_EQ(m->Outline().Count(), 0);
  EXPECT_TRUE(IsBackground(128, 128));
  // Two nodes: an empty outline, whatever the others hold.
  m->Contours().Clear();
  m->Path(0).AddNode(0, 0, 0);
  m->Path(0).AddNode(1, 0, 0);
  AddSquare(m->Path(1), 1);
  EXPECT_EQ(Feedback().Polygons(), 0);
  EXPECT_THROW(m->Path(-1), EAssertionFailed);
  EXPECT_EQ(m->Contours().Count(), 2);
}

TEST_F(MultiPolygons, FacesSplinesAndSelfCrossings) {
  auto* m = Add<TGLMultiPolygon>();
  AddSquare(m->Path(0), 1);
  m->SetParts(ppBottom);
  Render();
  EXPECT_TRUE(IsBackground(128, 128));  // culled: it faces away
  Buffer().SetFaceCulling(false);
  m->SetParts(ppTop | ppBottom);
  EXPECT_EQ(Feedback().Polygons(), 4);  // top and bottom, two triangles each
  // A bow tie: the crossing makes a new vertex; the lobe wound the other way round has a
  // negative winding and stays empty.
  m->Contours().Clear();
  for (auto [x, y] : {std::pair{-1, -1}, {1, 1}, {1, -1}, {-1, 1}}) m->Path(0).AddNode(float(x), float(y), 0);
  Render();
  EXPECT_NE(IsBackground(Px(0.8f), 128), IsBackground(Px(-0.8f), 128));
  EXPECT_TRUE(IsBackground(128, Py(0.8f)));
  EXPECT_EQ(m->Outline().Count(), 1);
  // Division: at least 1; in spline mode with 1 the contour goes node by node.
  TGLContour* c = m->Contours()[0];
  c->SetDivision(0);
  EXPECT_EQ(c->Division(), 1);
  m->Contours().Clear();
  AddSquare(m->Path(0), 1);
  c = m->Contours()[0];
  c->SetSplineMode(TLineSplineMode::lsmCubicSpline);
  c->SetDivision(1);
  EXPECT_EQ(m->Outline()[0].Count(), 4);
  c->SetDivision(5);
  EXPECT_EQ(m->Outline()[0].Count(), 3 * 5 + 1);
  EXPECT_EQ(c->DisplayName(), "GLContour: 4 nodes");
  c->SetDescription("bordo");
  EXPECT_EQ(c->DisplayName(), "bordo");
  auto* copy = Add<TGLMultiPolygon>();
  copy->Assign(m);
  EXPECT_EQ(copy->Contours()[0]->Division(), 5);
  EXPECT_EQ(copy->Contours()[0]->Description(), "bordo");
}

TEST(VectorPool, GrowsByWholePages) {
  TVectorPool pool(2, 12);
  void* a = pool.GetNext();
  void* b = pool.GetNext();
  EXPECT_EQ(static_cast<char*>(b) - static_cast<char*>(a), 12);
  pool.GetNext();
  EXPECT_EQ(pool.PageCount(), 2);
  EXPECT_THROW(TVectorPool(0, 12), EAssertionFailed);
  EXPECT_THROW(TVectorPool(4, 0), EAssertionFailed);
}

using SweptSolids = ShapeFixture;

TEST_F(SweptSolids, AnExtrusionOfNoHeightIsItsCaps) {
  auto* e = Add<TGLExtrusionSolid>();
  AddSquare(e->Path(0), 0.5f);
  e->SetParts(espOutside | espStartPolygon | espStopPolygon);
  e->SetHeight(0);
  Buffer().SetFaceCulling(false);
  EXPECT_EQ(Feedback().Polygons(), 4);
  EXPECT_EQ(e->TriangleCount(), 0);
  e->SetHeight(1);
  e->SetStacks(3);
  e->SetStacks(0);
  EXPECT_EQ(e->Stacks(), 3);
  EXPECT_EQ(Feedback().Polygons(), 4 + 4 * 3 * 2);
  EXPECT_EQ(e->TriangleCount(), 24);
  // Seen from the front: the near cap at z = 1 hides the rest.
  Buffer().SetFaceCulling(true);
  Render();
  EXPECT_TRUE(Near(Pixel(Px(0.53f), 128), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(Px(0.6f), 128));
  // The inside alone faces inward: from outside, culled; the caps off, nothing shows.
  e->SetParts(espInside);
  e->SetPitchAngle(-60);
  Render();
  int seen = 0;
  for (int x = 0; x < 256; x += 8)
    for (int y = 0; y < 256; y += 8) seen += !IsBackground(x, y);
  e->SetParts(espOutside);
  Render();
  int outside = 0;
  for (int x = 0; x < 256; x += 8)
    for (int y = 0; y < 256; y += 8) outside += !IsBackground(x, y);
  EXPECT_LT(seen, outside);
  EXPECT_GT(seen, 0);  // the far inner walls show through the open top
  e->SetMinSmoothAngle(30);
  EXPECT_FLOAT_EQ(e->MinSmoothAngle(), 30);
  e->SetNormals(TNormalSmoothing::nsSmooth);
  Render();
}

TEST_F(SweptSolids, ARevolutionSolidSweepsItsProfile) {
  auto* r = Add<TGLRevolutionSolid>();
  r->AddNode(0.5f, 0.5f, 0);
  r->AddNode(0.5f, -0.5f, 0);
  TFeedback fb = Feedback();
  EXPECT_EQ(r->TriangleCount(), 2 * 16);
  Render();
  EXPECT_TRUE(Near(Pixel(Px(0.45f), Py(0.4f)), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(Px(0.6f), 128));
  // Equal angles: nothing; a start above the stop carries the stop with it.
  r->SetStopAngle(0);
  EXPECT_EQ(Feedback().prims.size(), 0u);
  r->SetStartAngle(90);
  EXPECT_FLOAT_EQ(r->StopAngle(), 90);
  r->SetStopAngle(30);
  EXPECT_FLOAT_EQ(r->StartAngle(), 30);
  r->SetStartAngle(0);
  r->SetStopAngle(180);
  r->SetSlices(0);
  r->SetSlices(-1);
  EXPECT_EQ(r->Slices(), 16);
  Feedback();
  EXPECT_EQ(r->TriangleCount(), 2 * 8);
  // Caps close the half turn.
  r->SetParts(rspOutside | rspStartPolygon | rspStopPolygon);
  r->AddNode(0, -0.5f, 0);
  r->AddNode(0, 0.5f, 0);
  Buffer().SetFaceCulling(false);
  const int withCaps = Feedback().Polygons();
  r->SetParts(rspOutside);
  EXPECT_EQ(withCaps, Feedback().Polygons() + 2 * 2);
  // A helix climbs by its offset each turn.
  r->Nodes().Clear();
  r->AddNode(0.5f, 0.1f, 0);
  r->AddNode(0.5f, 0, 0);
  r->SetStopAngle(720);
  r->SetYOffsetPerTurn(0.5f);
  fb = Feedback();
  EXPECT_NEAR(fb.MaxY(), Buffer().ProjectPoint({0, 0.1f + 1.0f, 0, 1}).Y, 3);
  // The profile sampled as a spline gives more segments.
  r->SetYOffsetPerTurn(0);
  r->SetStopAngle(360);
  r->AddNode(0.3f, -0.3f, 0);
  r->SetSplineMode(TLineSplineMode::lsmCubicSpline);
  r->SetDivision(4);
  r->SetNormals(TNormalSmoothing::nsSmooth);
  r->SetParts(rspOutside | rspInside);
  Feedback();
  EXPECT_EQ(r->TriangleCount(), 2 * (2 * 4) * 16 * 2);
}

TEST_F(SweptSolids, APipeFollowsItsNodes) {
  auto* p = Add<TGLPipe>();
  p->SetRadius(0.2f);
  p->SetParts(ppOutside | ppStartDisk | ppStopDisk);
  p->AddNode(0, 0, 0);
  Buffer().SetFaceCulling(false);
  EXPECT_EQ(Feedback().Polygons(), 2 * 16);  // one node: its two disks
  p->Nodes()[0]->SetX(-1);
  p->AddNode(1, 0, 0);
  p->Node(1)->SetRadiusFactor(2);
  Render();
  EXPECT_TRUE(Near(Pixel(Px(-0.9f), Py(0.15f)), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(Px(-0.9f), Py(0.3f)));
  EXPECT_TRUE(Near(Pixel(Px(0.9f), Py(0.3f)), {255, 0, 0}));  // twice the radius at the end
  EXPECT_EQ(p->TriangleCount(), 2 * 17 + 2 * 17);
  // Coloured by its nodes.
  p->Node(0)->Color().SetColor({0, 0, 1, 1});
  p->Node(1)->Color().SetColor({0, 1, 0, 1});
  p->SetNodesColorMode(TPipeNodesColorMode::pncmDiffuse);
  Render();
  const TRgb left = Pixel(Px(-0.95f), 128), right = Pixel(Px(0.95f), 128);
  EXPECT_GT(left.b, 200) << left;
  EXPECT_GT(right.g, 200) << right;
  // Along Z the section lies in the XY plane: a disc on screen.
  p->Nodes().Clear();
  p->SetNodesColorMode(TPipeNodesColorMode::pncmNone);
  p->AddNode(0, 0, -1);
  p->AddNode(0, 0, 0);
  p->SetRadius(0.5f);
  Render();
  EXPECT_TRUE(Near(Pixel(Px(0.45f), 128), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(128, Py(0.45f)), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(Px(0.6f), 128));
  // A spline path.
  p->AddNode(1, 1, 0);
  p->SetSplineMode(TLineSplineMode::lsmCubicSpline);
  p->SetDivision(3);
  p->SetSlices(0);
  EXPECT_EQ(p->Slices(), 16);
  Feedback();
  EXPECT_EQ(p->TriangleCount(), 2 * 17 * 2 * 3 + 2 * 17);
  // Pipe nodes: the factor travels, the colour does not.
  TGLPipeNode* a = p->Node(0);
  a->SetRadiusFactor(1.5f);
  EXPECT_TRUE(a->RadiusFactorStored());
  EXPECT_EQ(a->PipeDisplayName(), "0.0000; 0.0000; -1.0000 / rf = 1.500");
  auto* q = Add<TGLPipe>();
  q->Assign(p);
  EXPECT_FLOAT_EQ(q->Node(0)->RadiusFactor(), 1.5f);
  EXPECT_FLOAT_EQ(q->Radius(), 0.5f);
}

}  // namespace
}  // namespace qx::test
