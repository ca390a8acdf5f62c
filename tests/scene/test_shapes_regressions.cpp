// Inputs that once broke a scene object, each kept as a test.
#include <gtest/gtest.h>

#include <cmath>

#include "ShapeFixture.h"
#include "scene/GLExtrusion.h"
#include "scene/GLObjects.h"

namespace qx::test {
namespace {

TEST(ShapeRegressions, ThreeNodesOnOneLineHaveNoNormal) {
  TGLPolygonBase p;
  p.AddNode(0, 0, 0);
  p.AddNode(1, 0, 0);
  p.AddNode(2, 0, 0);
  const TAffineVector n = p.Nodes().Normal();
  EXPECT_FALSE(std::isnan(n.X));
  EXPECT_TRUE(VectorIsNull(n));
  p.Nodes().GetNode(2)->SetY(1);
  EXPECT_FLOAT_EQ(p.Nodes().Normal().Z, 1);
}

// A node class with more than coordinates keeps it when a collection is copied.
class TTaggedNode : public TGLNode {
 public:
  using TGLNode::TGLNode;
  void Assign(const TPersistent* source) override {
    if (auto* t = dynamic_cast<const TTaggedNode*>(source)) tag = t->tag;
    TGLNode::Assign(source);
  }
  int tag = 0;
};

TEST(ShapeRegressions, CopiedNodesKeepWhatTheirClassAdds) {
  auto factory = [](TGLNodes* c) { return std::make_unique<TTaggedNode>(c); };
  TGLNodes a(nullptr, factory), b(nullptr, factory);
  a.AddNode(1, 2, 3);
  static_cast<TTaggedNode*>(a[0])->tag = 7;
  b.Assign(&a);
  ASSERT_EQ(b.Count(), 1);
  EXPECT_EQ(static_cast<TTaggedNode*>(b[0])->tag, 7);
  EXPECT_FLOAT_EQ(b[0]->Z(), 3);
}

// A display list of a fan, a strip and a fan: picked by its last fan, without Mesa's
// selection mode losing it or crashing.
TEST_F(ShapeFixture, AListOfMixedPrimitivesIsPickedWhole) {
  auto* d = scene->Objects()->AddNewChild<TGLDirectOpenGL>();
  d->SetUseBuildList(true);
  d->OnRender = [](TObject*, TRenderContextInfo&) {
    for (float x : {-2.0f, 0.0f, 2.0f}) {
      const bool strip = x == 0;
      glBegin(strip ? GL_TRIANGLE_STRIP : GL_TRIANGLE_FAN);
      glVertex3f(x - 0.5f, -0.5f, 0);
      glVertex3f(x + 0.5f, -0.5f, 0);
      glVertex3f(strip ? x - 0.5f : x + 0.5f, 0.5f, 0);
      glVertex3f(strip ? x + 0.5f : x - 0.5f, 0.5f, 0);
      glEnd();
    }
  };
  Render();
  EXPECT_EQ(Buffer().GetPickedObject(Px(2.2f), Py(0.3f)), d);
  EXPECT_EQ(Buffer().GetPickedObject(Px(0), Py(0)), d);
  EXPECT_EQ(Feedback().Polygons(), 6);
}

// A pipe with both disks is a fan, strips and a fan in one display list: picked on its
// near disk, without Mesa's selection mode losing it or crashing.
TEST_F(ShapeFixture, APipeIsPickedOnItsDisk) {
  auto* p = scene->Objects()->AddNewChild<TGLPipe>();
  p->SetParts(ppOutside | ppStartDisk | ppStopDisk);
  p->SetRadius(0.5f);
  p->AddNode(0, 0, -1);
  p->AddNode(0, 0, 0);
  EXPECT_FALSE(p->OneKindOfPrimitive());
  Render();
  EXPECT_EQ(Buffer().GetPickedObject(Px(0.2f), Py(0.2f)), p);
  Buffer().SetFaceCulling(false);
  EXPECT_EQ(Feedback().Polygons(), 16 + 2 * 16 + 16);
  // A sphere is strips alone, and replayed from its list; with a cap it is not.
  auto* s = AddSphere(1, clRed);
  EXPECT_TRUE(s->OneKindOfPrimitive());
  s->SetBottom(0);
  s->SetBottomCap(TCapType::ctFlat);
  EXPECT_FALSE(s->OneKindOfPrimitive());
}

}  // namespace
}  // namespace qx::test
