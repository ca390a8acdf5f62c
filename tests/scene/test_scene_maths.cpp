// Matrices, planes, intersections and culling of the scene maths.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "scene/base/GeometryBB.h"
#include "scene/base/VectorGeometry.h"

namespace qx {
namespace {

TEST(SceneMaths, AnglesAndRounding) {
  EXPECT_FLOAT_EQ(NormalizeDegAngle(540), 180);
  EXPECT_FLOAT_EQ(NormalizeDegAngle(-190), 170);
  EXPECT_FLOAT_EQ(NormalizeDegAngle(90), 90);
  EXPECT_FLOAT_EQ(FracPart(-2.5f), -0.5f);
  EXPECT_EQ(Sign(-3.0f), -1);
  EXPECT_EQ(Sign(0.0f), 0);
  EXPECT_FLOAT_EQ(ClampValue(5, 0, 1), 1);
  EXPECT_FLOAT_EQ(MaxFloat(1, 7, 3), 7);
  // The incremental rotation and the direct form agree.
  float s[11], c[11];
  PrepareSinCosCache(s, c, 11, 0, 90);
  EXPECT_NEAR(s[10], 1.0f, 1e-5);
  EXPECT_NEAR(c[10], 0.0f, 1e-5);
  EXPECT_NEAR(s[5], std::sin(M_PI / 4), 1e-5);
}

TEST(SceneMaths, VectorsBitwiseAndNull) {
  EXPECT_FALSE(VectorEquals(TAffineVector{-0.0f, 0, 0}, TAffineVector{0, 0, 0}));
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_TRUE(VectorEquals(TAffineVector{nan, 0, 0}, TAffineVector{nan, 0, 0}));
  EXPECT_TRUE(VectorIsNull(TAffineVector{-0.0f, 0, 0}));
  // A null vector normalises to non-finite components and raises nothing.
  const TAffineVector n = VectorNormalize(TAffineVector{0, 0, 0});
  EXPECT_FALSE(std::isfinite(n.X));
  const TAffineVector r = RotateAroundY(TAffineVector{1, 0, 0}, float(M_PI / 2));
  EXPECT_NEAR(r.X, 0, 1e-6);
  EXPECT_NEAR(r.Z, -1, 1e-6);
  EXPECT_FLOAT_EQ(VectorSpacing({1, 2, 3}, {0, 4, 3}), 3);
  const TAffineVector p = VectorPerpendicular({1, 1, 0}, {0, 1, 0});
  EXPECT_FLOAT_EQ(p.X, 1);
  EXPECT_FLOAT_EQ(p.Y, 0);
}

TEST(SceneMaths, MatricesInvertAndMultiply) {
  TMatrix singular = IdentityHmgMatrix;
  singular[1] = singular[0];
  InvertMatrix(singular);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(singular.data()[i], IdentityHmgMatrix.data()[i]);

  TMatrix m = MatrixMultiply(CreateRotationMatrix(TAffineVector{0, 0, 1}, 0.7f),
                             CreateTranslationMatrix(TAffineVector{1, 2, 3}));
  TMatrix inv = m;
  InvertMatrix(inv);
  const TMatrix id = MatrixMultiply(m, inv);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(id[i][j], i == j ? 1 : 0, 1e-5);
  const TMatrix fast = AnglePreservingMatrixInvert(m);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(fast.data()[i], inv.data()[i], 1e-5);

  // A row vector on the left: translation is row 3.
  const TAffineVector t =
      AffineVectorTransform(TAffineVector{1, 0, 0}, CreateTranslationMatrix(TAffineVector{0, 5, 0}));
  EXPECT_FLOAT_EQ(t.Y, 5);
  // Rotation about z by 90 degrees takes x to y.
  const TAffineVector rx =
      VectorTransform(TAffineVector{1, 0, 0}, CreateRotationMatrix(TAffineVector{0, 0, 1}, float(M_PI / 2)));
  EXPECT_NEAR(rx.X, 0, 1e-6);
  EXPECT_NEAR(rx.Y, -1, 1e-6) << "rows as given: row 0 = (c, -s, 0)";
  EXPECT_FLOAT_EQ(MatrixDeterminant(CreateScaleMatrix(TAffineVector{2, 3, 4})), 24);
}

TEST(SceneMaths, RayPlaneAndSphere) {
  THomogeneousVector hit;
  EXPECT_TRUE(RayCastPlaneIntersect({0, 0, 5, 1}, {0, 0, -1, 0}, {0, 0, 0, 1}, {0, 0, 1, 0}, &hit));
  EXPECT_FLOAT_EQ(hit.Z, 0);
  EXPECT_FALSE(RayCastPlaneIntersect({0, 0, 5, 1}, {0, 0, 1, 0}, {0, 0, 0, 1}, {0, 0, 1, 0}, &hit))
      << "a plane behind the start";
  EXPECT_FALSE(RayCastPlaneIntersect({0, 0, 5, 1}, {1, 0, 0, 0}, {0, 0, 0, 1}, {0, 0, 1, 0}, &hit))
      << "parallel";

  THomogeneousVector i1, i2;
  EXPECT_EQ(IntersectRaySphere({0, 0, 5, 1}, {0, 0, -1, 0}, {0, 0, 0, 1}, 1, i1, i2), 2);
  EXPECT_FLOAT_EQ(i1.Z, 1);
  EXPECT_FLOAT_EQ(i2.Z, -1);
  EXPECT_EQ(IntersectRaySphere({0, 0, 0, 1}, {0, 0, -1, 0}, {0, 0, 0, 1}, 1, i1, i2), 1) << "from inside";
  EXPECT_FLOAT_EQ(i1.Z, -1);
  EXPECT_EQ(IntersectRaySphere({0, 0, 5, 1}, {0, 0, 1, 0}, {0, 0, 0, 1}, 1, i1, i2), 0) << "pointing away";
  EXPECT_EQ(IntersectRaySphere({0, 2, 5, 1}, {0, 0, -1, 0}, {0, 0, 0, 1}, 1, i1, i2), 0);
}

TEST(SceneMaths, FrustumCulling) {
  // An orthographic box -1..1 in every direction: the clip matrix is the identity.
  const TFrustumPlanes f = ExtractFrustum(IdentityHmgMatrix);
  EXPECT_FLOAT_EQ(f.Left.X, 1);
  EXPECT_FLOAT_EQ(f.Left.W, 1);
  EXPECT_FALSE(IsSphereOutsideFrustum(TAffineVector{0, 0, 0}, f, 0.1f));
  EXPECT_TRUE(IsSphereOutsideFrustum(TAffineVector{3, 0, 0}, f, 0.5f));
  EXPECT_FALSE(IsSphereOutsideFrustum(TAffineVector{2, 0, 0}, f, 1.0f)) << "touching counts as visible";
  EXPECT_FALSE(IsBoxOutsideFrustum({1.2f, -0.5f, -0.5f}, {2.2f, 0.5f, 0.5f}, f))
      << "the circumscribed sphere reaches";
  EXPECT_TRUE(IsBoxOutsideFrustum({4, 4, 4}, {5, 5, 5}, f));
}

TEST(SceneMaths, Boxes) {
  TAxisAlignedBox b{{0, 0, 0}, {1, 2, 3}};
  TransformBox(b, CreateScaleMatrix(TAffineVector{-1, 1, 1}));
  EXPECT_FLOAT_EQ(b.Min.X, -1);
  EXPECT_FLOAT_EQ(b.Max.X, 0);
  EXPECT_FLOAT_EQ(b.Max.Z, 3);
  TAxisAlignedBox c;
  SetBoxFromHalfExtents(c, {-2, 1, 1});
  EXPECT_FLOAT_EQ(c.Max.X, 2);
  EXPECT_FLOAT_EQ(c.Min.X, -2);
  MergeBox(c, TAxisAlignedBox{{0, 0, 0}, {5, 0, 0}});
  EXPECT_FLOAT_EQ(c.Max.X, 5);
}

}  // namespace
}  // namespace qx
