// The render pass through the off-screen buffer: projection, clearing, the sphere, blending,
// sorting, visibility and display lists, by pixel probes.
#include <gtest/gtest.h>

#include "SceneFixture.h"

namespace qx::test {
namespace {

using SceneRender = SceneFixture;

TEST_F(SceneRender, ProjectionAtDefaultsAndAnEmptySceneIsWhite) {
  Render();
  const TMatrix& p = Buffer().ProjectionMatrix();
  EXPECT_NEAR(p.data()[0], 2.952756, 1e-5);
  EXPECT_NEAR(p.data()[5], 2.952756, 1e-5);
  EXPECT_NEAR(p.data()[10], -1.029528, 1e-5);
  EXPECT_NEAR(p.data()[11], -1, 1e-5);
  EXPECT_NEAR(p.data()[14], -2.996350, 1e-5);
  for (int y = 0; y < 256; y += 15)
    for (int x = 0; x < 256; x += 15) ASSERT_TRUE(Near(Pixel(x, y), {255, 255, 255})) << x << "," << y;
}

TEST_F(SceneRender, RedUnlitSphereCoversAbout38Pixels) {
  AddSphere(1, clRed);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0})) << Pixel(128, 128);
  EXPECT_TRUE(Near(Pixel(128 + 36, 128), {255, 0, 0})) << Pixel(164, 128);
  EXPECT_TRUE(Near(Pixel(128, 128 - 36), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(128 + 41, 128), {255, 255, 255})) << Pixel(169, 128);
  EXPECT_TRUE(Near(Pixel(128 - 41, 128), {255, 255, 255}));
  EXPECT_TRUE(Near(Pixel(128, 128 + 41), {255, 255, 255}));
}

}  // namespace
}  // namespace qx::test
