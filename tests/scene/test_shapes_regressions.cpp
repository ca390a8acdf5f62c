// Inputs that once broke a scene object, each kept as a test.
#include <gtest/gtest.h>

#include <cmath>

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

}  // namespace
}  // namespace qx::test
