// Line objects, node markers, the XYZ grid, sampling scales and the height field: the
// primitives they send (counted in feedback mode), their colours and what they cover.
#include <gtest/gtest.h>

#include "ShapeFixture.h"
#include "scene/GLGraph.h"
#include "scene/GLLines.h"

namespace qx::test {
namespace {

using LineObjects = ShapeFixture;

TGLLines* AddLines(TGLBaseSceneObject* root, std::initializer_list<TAffineVector> nodes) {
  auto* l = root->AddNewChild<TGLLines>();
  l->SetNodesAspect(TLineNodesAspect::lnaInvisible);
  for (const auto& n : nodes) l->AddNode(n);
  return l;
}

TEST_F(LineObjects, SegmentCountsOfEveryLineMode) {
  auto* l = AddLines(scene->Objects(), {{-1, 0, 0}, {1, 0.5f, 0}});
  TFeedback fb = Feedback();
  EXPECT_EQ(fb.Lines(), 1);
  l->SetSplineMode(TLineSplineMode::lsmCubicSpline);
  fb = Feedback();
  EXPECT_EQ(fb.Lines(), 10);  // 11 points
  EXPECT_EQ(fb.LineStarts(), 1);
  l->SetSplineMode(TLineSplineMode::lsmBezierSpline);
  l->SetDivision(4);
  EXPECT_EQ(Feedback().Lines(), 4);
  l->AddNode(1, -1, 0);
  l->AddNode(0, -1, 0);
  EXPECT_EQ(Feedback().Lines(), 4);  // whatever the node count
  l->AddNode(-1, -1, 0);
  l->SetSplineMode(TLineSplineMode::lsmSegments);
  fb = Feedback();
  EXPECT_EQ(fb.Lines(), 2);  // pairs 0-1 and 2-3; the fifth node is alone
  EXPECT_EQ(fb.LineStarts(), 2);
  l->SetSplineMode(TLineSplineMode::lsmLines);
  EXPECT_EQ(Feedback().Lines(), 4);
  // Division 1 draws the polyline in every curve mode.
  l->SetDivision(0);
  EXPECT_EQ(l->Division(), 1);
  l->SetSplineMode(TLineSplineMode::lsmCubicSpline);
  EXPECT_EQ(Feedback().Lines(), 4);
  // One node: nothing at all, not even its marker.
  l->Nodes().Clear();
  l->AddNode(0, 0, 0);
  l->SetNodesAspect(TLineNodesAspect::lnaCube);
  EXPECT_EQ(Feedback().prims.size(), 0u);
}

TEST_F(LineObjects, AnEndOfTheBezierCurveIsItsEndNode) {
  auto* l = AddLines(scene->Objects(), {{-2, 0, 0}, {0, 2, 0}, {2, 0, 0}});
  l->SetSplineMode(TLineSplineMode::lsmBezierSpline);
  l->SetDivision(2);
  TFeedback fb = Feedback();
  ASSERT_EQ(fb.Lines(), 2);
  const THomogeneousVector mid = Buffer().ProjectPoint({0, 1, 0, 1});  // half-way: (0, 1)
  EXPECT_NEAR(fb.prims[0].v[1].x, mid.X, 0.01f);
  EXPECT_NEAR(fb.prims[0].v[1].y, mid.Y, 0.01f);
  EXPECT_NEAR(fb.MinX(), Buffer().ProjectPoint({-2, 0, 0, 1}).X, 0.01f);
}

TEST_F(LineObjects, NodeColoursFollowTheNodeColourAndColourTheLine) {
  auto* l = AddLines(scene->Objects(), {{-1, 0, 0}, {0, 0, 0}, {1, 0, 0}});
  l->Node(1)->Color().SetColor({0, 1, 0, 1});
  TGLColor red(nullptr, {1, 0, 0, 1});
  l->SetNodeColor(red);
  EXPECT_TRUE(VectorEquals(l->Node(0)->Color().Color(), {1, 0, 0, 1}));
  EXPECT_TRUE(VectorEquals(l->Node(1)->Color().Color(), {0, 1, 0, 1}));
  EXPECT_TRUE(VectorEquals(l->Node(2)->Color().Color(), {1, 0, 0, 1}));
  EXPECT_FALSE(l->Node(1)->ColorStored({0, 1, 0, 1}));
  EXPECT_TRUE(l->Node(1)->ColorStored({1, 0, 0, 1}));
  // A node added now takes the new colour.
  l->AddNode(2, 0, 0);
  EXPECT_TRUE(VectorEquals(l->Node(3)->Color().Color(), {1, 0, 0, 1}));
  l->SetOptions(loUseNodeColorForLines);
  TFeedback fb = Feedback();
  ASSERT_EQ(fb.Lines(), 3);
  EXPECT_FLOAT_EQ(fb.prims[0].v[0].r, 1);
  EXPECT_FLOAT_EQ(fb.prims[0].v[1].g, 1);
  EXPECT_FLOAT_EQ(fb.prims[0].v[1].r, 0);
  // Recolouring a node rebuilds the line.
  l->Node(0)->Color().SetColor({0, 0, 1, 1});
  fb = Feedback();
  EXPECT_FLOAT_EQ(fb.prims[0].v[0].b, 1);
  // Without the option the line colour holds everywhere.
  l->SetOptions(0);
  TGLColor yellow(nullptr, {1, 1, 0, 1});
  l->SetLineColor(yellow);
  fb = Feedback();
  for (const auto& p : fb.prims) EXPECT_FLOAT_EQ(p.v[0].b, 0);
  // In spline mode the colour blends from node to node.
  l->SetOptions(loUseNodeColorForLines);
  l->SetSplineMode(TLineSplineMode::lsmCubicSpline);
  l->SetDivision(2);
  fb = Feedback();
  ASSERT_EQ(fb.Lines(), 6);
  EXPECT_NEAR(fb.prims[0].v[1].b, 0.5f, 1e-4);  // half-way from blue to green
  EXPECT_NEAR(fb.prims[0].v[1].g, 0.5f, 1e-4);
}

TEST_F(LineObjects, AHalfTransparentBlackLineOverWhiteIsGrey) {
  auto* l = AddLines(scene->Objects(), {{-2, 0, 0}, {2, 0, 0}});
  l->LineColor().SetColor({0, 0, 0, 0.5f});
  l->SetLineWidth(6);
  Render();
  const TRgb p = Pixel(128, 128);
  EXPECT_NEAR(p.r, 128, 3) << p;
  EXPECT_NEAR(p.g, 128, 3) << p;
  EXPECT_TRUE(IsBackground(128, 120));
  // Opaque: black.
  l->LineColor().SetAlpha(1);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {0, 0, 0}));
  // A stipple pattern leaves gaps along the line.
  l->SetLinePattern(0xF0F0);
  Render();
  int gaps = 0;
  for (int x = 100; x < 156; ++x) gaps += IsBackground(x, 128);
  EXPECT_GT(gaps, 10);
  EXPECT_LT(gaps, 46);
}

TEST_F(LineObjects, MarkersSizesNurbsAndCopies) {
  auto* l = AddLines(scene->Objects(), {{-1, 0, 0}, {1, 0, 0}});
  l->SetNodesAspect(TLineNodesAspect::lnaCube);
  EXPECT_EQ(Feedback().Lines(), 1 + 2 * 12);  // the line and two wire cubes
  l->SetNodesAspect(TLineNodesAspect::lnaAxes);
  EXPECT_EQ(Feedback().Lines(), 1 + 2 * 6);
  l->SetNodesAspect(TLineNodesAspect::lnaDodecahedron);
  Buffer().SetFaceCulling(false);
  EXPECT_EQ(Feedback().Polygons(), 2 * 12 * 3);
  l->SetNodeSize(-2);
  EXPECT_FLOAT_EQ(l->NodeSize(), 1);
  EXPECT_FALSE(l->NodeSizeStored());
  // A NURBS line without order or knots draws only its markers.
  l->SetNodesAspect(TLineNodesAspect::lnaCube);
  l->SetSplineMode(TLineSplineMode::lsmNURBSCurve);
  EXPECT_EQ(Feedback().Lines(), 2 * 12);
  l->AddNode(1, 1, 0);
  l->AddNode(-1, 1, 0);
  l->SetNurbsOrder(3);
  l->SetNurbsKnots({0, 0, 0, 1, 2, 2, 2});  // 4 nodes + order 3
  l->SetNurbsSamplingTolerance(5);
  EXPECT_GT(Feedback().Lines(), 4 * 12 + 2);
  l->SetNurbsKnots({0, 1});  // wrong count: no curve, no error
  EXPECT_EQ(Feedback().Lines(), 4 * 12);
  // Extents: the largest coordinate on each axis.
  EXPECT_FLOAT_EQ(l->UnscaledHalfExtents().X, 1);
  EXPECT_FLOAT_EQ(l->UnscaledHalfExtents().Y, 1);
  // A copy takes nodes, colours and style, never the position.
  l->Position().SetX(3);
  l->Node(2)->Color().SetColor({0, 1, 0, 1});
  l->SetLineWidth(4);
  auto* m = scene->Objects()->AddNewChild<TGLLines>();
  m->Assign(l);
  EXPECT_EQ(m->Nodes().Count(), 4);
  EXPECT_TRUE(VectorEquals(m->Node(2)->Color().Color(), {0, 1, 0, 1}));
  EXPECT_FLOAT_EQ(m->LineWidth(), 4);
  EXPECT_EQ(m->SplineMode(), TLineSplineMode::lsmNURBSCurve);
  EXPECT_FLOAT_EQ(m->Position().X(), 0);
}

using GraphObjects = ShapeFixture;

std::vector<float> Samples(const TGLSamplingScale& s, bool enabled = true) {
  float b, st, m;
  s.SamplingBounds(b, st, m, enabled);
  std::vector<float> out;
  for (int i = 0; b + float(i) * st <= m; ++i) out.push_back(b + float(i) * st);
  return out;
}

TEST_F(GraphObjects, SamplingScalesKeepALattice) {
  TGLSamplingScale s(nullptr);
  s.SetMin(-1);
  s.SetMax(1);
  s.SetStep(0.5f);
  s.SetOrigin(0.25f);
  EXPECT_EQ(Samples(s), (std::vector<float>{-0.75f, -0.25f, 0.25f, 0.75f}));
  EXPECT_EQ(s.SamplingMaxStepCount(), 4);  // 4.5 rounds to even
  EXPECT_EQ(Samples(s, false), std::vector<float>{0.25f});
  s.SetMin(-5);
  s.SetMax(5);
  s.SetStep(1);
  s.SetOrigin(0);
  EXPECT_EQ(Samples(s).size(), 11u);
  EXPECT_FLOAT_EQ(Samples(s).front(), -5);
  EXPECT_FLOAT_EQ(Samples(s).back(), 5);
  // Min and Max keep their order; a step of 0 or less becomes 1.
  s.SetMin(7);
  EXPECT_FLOAT_EQ(s.Max(), 7);
  s.SetMax(-2);
  EXPECT_FLOAT_EQ(s.Min(), -2);
  EXPECT_FALSE(s.HasRange());
  s.SetStep(-3);
  EXPECT_FLOAT_EQ(s.Step(), 1);
  // Every setter notifies, changed or not.
  int heard = 0;
  s.OnNotifyChange = [&](TObject*) { ++heard; };
  s.SetOrigin(0);
  s.SetOrigin(0);
  EXPECT_EQ(heard, 2);
  // Far from the origin the lattice is still walked to its end.
  s.SetMin(1e8f);
  s.SetMax(1e8f + 64);
  s.SetStep(16);
  s.SetOrigin(1e8f);
  EXPECT_EQ(Samples(s).size(), 5u);
}

TEST_F(GraphObjects, AGridOnXAndZ) {
  auto* g = scene->Objects()->AddNewChild<TGLXYZGrid>();
  for (TGLSamplingScale* s : {&g->XSamplingScale(), &g->ZSamplingScale()}) {
    s->SetMin(-5);
    s->SetMax(5);
    s->SetStep(1);
  }
  g->SetParts(gpX | gpZ);
  g->SetPitchAngle(30);                              // seen from above
  g->Scale().SetAsVector({0.25f, 0.25f, 0.25f, 0});  // all in view
  TFeedback fb = Feedback();
  EXPECT_EQ(fb.LineStarts(), 22);
  EXPECT_EQ(fb.Lines(), 22 * 10);
  g->SetLinesStyle(TXYZGridLinesStyle::glsLine);
  fb = Feedback();
  EXPECT_EQ(fb.LineStarts(), 22);
  EXPECT_EQ(fb.Lines(), 22);
}

TEST_F(GraphObjects, GridLinesEndAtTheScaleOrAtTheLattice) {
  auto* g = scene->Objects()->AddNewChild<TGLXYZGrid>();
  g->XSamplingScale().SetMin(-1.5f);
  g->XSamplingScale().SetMax(1.5f);
  g->XSamplingScale().SetStep(1);
  g->YSamplingScale().SetMin(-1);
  g->YSamplingScale().SetMax(1);
  g->YSamplingScale().SetStep(1);
  TFeedback fb = Feedback();
  const float lattice = Buffer().ProjectPoint({-1, 0, 0, 1}).X,
              end = Buffer().ProjectPoint({-1.5f, 0, 0, 1}).X;
  EXPECT_NEAR(fb.MinX(), lattice, 0.01f);
  EXPECT_EQ(fb.LineStarts(), 3 + 3);
  g->SetLinesStyle(TXYZGridLinesStyle::glsLine);
  fb = Feedback();
  EXPECT_NEAR(fb.MinX(), end, 0.01f);
  // The grid draws in its line colour, lighting or not.
  TGLColor blue(nullptr, {0, 0, 1, 1});
  g->SetLineColor(blue);
  g->SetLineWidth(3);
  Buffer().SetLighting(true);
  Render();
  EXPECT_TRUE(Near(Pixel(Px(0.5f), 128), {0, 0, 255}));
  EXPECT_TRUE(IsBackground(Px(0.5f), Py(0.5f)));
}

TEST_F(GraphObjects, AHeightFieldCallsItsSourceOncePerSamplePerBuild) {
  auto* h = Add<TGLHeightField>();
  h->XSamplingScale().SetMax(3);
  h->XSamplingScale().SetStep(1);
  h->YSamplingScale().SetMax(2);
  h->YSamplingScale().SetStep(1);
  int calls = 0;
  std::vector<float> firstZ;
  h->SetOnGetHeight([&](float x, float y, float& z, TColorVector&, TTexPoint& t) {
    ++calls;
    if (firstZ.size() < 12) firstZ.push_back(z);
    EXPECT_FLOAT_EQ(t.S, x);
    EXPECT_FLOAT_EQ(t.T, y);
    z = x * 0.1f;
  });
  Render();
  EXPECT_EQ(calls, 12);
  EXPECT_EQ(h->TriangleCount(), 12);
  for (float z : firstZ) EXPECT_EQ(z, 0);  // fresh buffers
  Render();
  Render();
  EXPECT_EQ(calls, 12);
  // Strips alone: picking and feedback replay the list too.
  EXPECT_EQ(Feedback().Polygons(), 12);
  EXPECT_EQ(Buffer().GetPickedObject(Px(1.5f), Py(1)), h);
  EXPECT_EQ(calls, 12);
  h->YSamplingScale().SetMax(0.5f);  // a single row: nothing to draw
  Render();
  EXPECT_EQ(calls, 16);
  EXPECT_EQ(h->TriangleCount(), 0);
  EXPECT_EQ(Feedback().Polygons(), 0);
  h->YSamplingScale().SetMax(0);  // no range: no call at all
  Render();
  EXPECT_EQ(calls, 16);
}

TEST_F(GraphObjects, HeightsColoursAndTheDemonstrationSurface) {
  auto* h = Add<TGLHeightField>();
  for (TGLSamplingScale* s : {&h->XSamplingScale(), &h->YSamplingScale()}) {
    s->SetMin(-1);
    s->SetMax(1);
    s->SetStep(0.25f);
  }
  // No source: the demonstration surface, 0.5 high at the origin.
  TFeedback fb = Feedback();
  const THomogeneousVector top = Buffer().ProjectPoint({0, 0, 0.5f, 1});
  bool found = false;
  for (const auto& p : fb.prims)
    for (const auto& v : p.v) found |= std::fabs(v.x - top.X) < 0.01f && std::fabs(v.y - top.Y) < 0.01f;
  EXPECT_TRUE(found);
  // The source colours the surface through the chosen material colour.
  h->SetOnGetHeight([](float x, float, float& z, TColorVector& c, TTexPoint&) {
    z = 0;
    c = x < 0 ? TColorVector{0, 0, 1, 1} : TColorVector{0, 1, 0, 1};
  });
  h->SetColorMode(THeightFieldColorMode::hfcmDiffuse);
  Render();
  EXPECT_TRUE(Near(Pixel(Px(-0.6f), 128), {0, 0, 255}));
  EXPECT_TRUE(Near(Pixel(Px(0.6f), 128), {0, 255, 0}));
  EXPECT_TRUE(IsBackground(Px(1.2f), 128));
  // Two-sided by default: seen from behind it still shows.
  h->SetTurnAngle(180);
  Render();
  EXPECT_FALSE(IsBackground(Px(0.6f), 128));
  h->SetOptions(0);
  Render();
  EXPECT_TRUE(IsBackground(Px(0.6f), 128));
  // The second handler hears who asks.
  h->SetOnGetHeight(nullptr);
  TObject* asker = nullptr;
  h->SetOnGetHeight2([&](TObject* sender, float, float, float& z, TColorVector&, TTexPoint&) {
    asker = sender;
    z = 0;
  });
  Render();
  EXPECT_EQ(asker, h);
}

TEST_F(GraphObjects, AHandlerThatRaisesEndsTheBuildCleanly) {
  auto* h = Add<TGLHeightField>();
  h->XSamplingScale().SetMax(2);
  h->XSamplingScale().SetStep(1);
  h->YSamplingScale().SetMax(2);
  h->YSamplingScale().SetStep(1);
  int calls = 0;
  h->SetOnGetHeight([&](float, float, float& z, TColorVector&, TTexPoint&) {
    if (++calls == 5) throw std::runtime_error("no height");
    z = 0;
  });
  EXPECT_THROW(viewer->Render(), std::runtime_error);
  h->SetOnGetHeight([](float, float, float& z, TColorVector&, TTexPoint&) { z = 0; });
  Render();
  EXPECT_TRUE(Near(Pixel(Px(1), Py(1)), {255, 0, 0}));
  EXPECT_EQ(h->TriangleCount(), 8);
}

}  // namespace
}  // namespace qx::test
