#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "scene/base/VectorGeometry.h"

namespace qx {
namespace {

TEST(VectorGeometryTest, RoundingAndTruncation) {
  EXPECT_EQ(RoundToInt(2.5f), 2);
  EXPECT_EQ(RoundToInt(3.5f), 4);
  EXPECT_EQ(RoundToInt(-2.5f), -2);
  EXPECT_EQ(TruncToInt(-2.7f), -2);
  EXPECT_EQ(TruncToInt(1e20f), INT32_MIN) << "out of range gives the integer indefinite";
  EXPECT_EQ(FracPart(-2.5L), -0.5L);
  EXPECT_EQ(IntPart(-2.5L), -2.0L);
}

TEST(VectorGeometryTest, FloatPower) {
  EXPECT_EQ(FloatPower(0, 2), 0);
  EXPECT_EQ(FloatPower(5, 0), 1);
  EXPECT_EQ(FloatPower(2, 3), 8);
  EXPECT_EQ(FloatPower(2, -1), 0.5f);
  EXPECT_TRUE(std::isnan(FloatPower(-8, 1.0f / 3)));
  EXPECT_EQ(IntegerPower(3, 4), 81);
}

TEST(VectorGeometryTest, Products) {
  const TAffineVector x{1, 0, 0}, y{0, 1, 0};
  const TAffineVector z = VectorCrossProduct(x, y);
  EXPECT_EQ(z.X, 0);
  EXPECT_EQ(z.Y, 0);
  EXPECT_EQ(z.Z, 1);
  EXPECT_EQ(VectorDotProduct(TAffineVector{1, 2, 3}, TAffineVector{4, 5, 6}), 32);
  EXPECT_EQ(VectorDotProduct(THomogeneousVector{1, 2, 3, 2}, THomogeneousVector{4, 5, 6, 2}), 36);
  const THomogeneousVector c =
      VectorCrossProduct(THomogeneousVector{1, 0, 0, 7}, THomogeneousVector{0, 1, 0, 7});
  EXPECT_EQ(c.Z, 1);
  EXPECT_EQ(c.W, 0);
  const TAffineVector s = VectorAdd(TAffineVector{1, 2, 3}, TAffineVector{1, 1, 1});
  EXPECT_EQ(s.Z, 4);
  long double si, co;
  SinCos(0.0L, si, co);
  EXPECT_EQ(si, 0);
  EXPECT_EQ(co, 1);
}

}  // namespace
}  // namespace qx
