// Space text: glyph outlines extruded into display lists, shared between texts of one font.
#include <gtest/gtest.h>

#include "ShapeFixture.h"
#include "scene/GLBitmapFont.h"
#include "scene/GLSpaceText.h"
#include "scene/base/SceneErrors.h"

namespace qx::test {
namespace {

using SpaceText = ShapeFixture;

TGLSpaceText* AddText(TGLBaseSceneObject* root, const std::string& text, TColor colour = clRed) {
  auto* t = root->AddNewChild<TGLSpaceText>();
  t->Material().FrontProperties().Diffuse().SetAsWinColor(colour);
  t->SetText(text);
  return t;
}

TEST_F(SpaceText, TextsOfOneFontShareItsLists) {
  TFontManager& fm = TFontManager::Instance();
  const int before = fm.Count();
  auto* a = AddText(scene->Objects(), "Ab");
  auto* b = AddText(scene->Objects(), "cd");
  TGLFontSpec lower = b->Font();
  lower.Name = "arial";
  b->SetFont(lower);
  Render();
  ASSERT_NE(a->FontEntry(), nullptr);
  EXPECT_EQ(a->FontEntry(), b->FontEntry());
  EXPECT_EQ(a->FontEntry()->RefCount, 2);
  EXPECT_EQ(fm.Count(), before + 1);
  const GLuint base = a->FontEntry()->Base();
  EXPECT_NE(base, 0u);
  delete a;
  ASSERT_NE(b->FontEntry(), nullptr);
  EXPECT_EQ(b->FontEntry()->RefCount, 1);
  EXPECT_EQ(b->FontEntry()->Base(), base);
  Render();
  EXPECT_FALSE(IsBackground(Px(0.3f), Py(0.2f)) && IsBackground(Px(0.1f), Py(0.2f)));
  // Another extrusion is another entry; the old one goes with its last text.
  b->SetExtrusion(0.2f);
  Render();
  EXPECT_EQ(fm.Count(), before + 1);
  EXPECT_FLOAT_EQ(b->FontEntry()->Extrusion, 0.2f);
  delete b;
  EXPECT_EQ(fm.Count(), before);
}

TEST_F(SpaceText, SettersKeepTheirRanges) {
  auto* t = AddText(scene->Objects(), "x");
  try {
    t->SetExtrusion(-1);
    FAIL();
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Extrusion must be >=0");
  }
  EXPECT_FLOAT_EQ(t->Extrusion(), 0);
  t->SetAllowedDeviation(-1);
  EXPECT_FLOAT_EQ(t->AllowedDeviation(), 0);
  t->Adjust().SetHorz(TGLTextHorzAdjust::haCenter);
  auto* u = AddText(scene->Objects(), "y");
  u->Assign(t);
  EXPECT_EQ(u->Text(), "x");
  EXPECT_EQ(u->Adjust().Horz(), TGLTextHorzAdjust::haCenter);
}

TEST_F(SpaceText, FromTheBaseLineOrAdjusted) {
  auto* t = AddText(scene->Objects(), "H");
  t->SetCharacterRange(TSpaceTextCharRange::stcrAlphaNum);
  TFeedback fb = Feedback();
  ASSERT_GT(fb.Polygons(), 0);
  // Left and base line: the letter stands on the origin's line, to its right.
  EXPECT_NEAR(fb.MinY(), Buffer().ProjectPoint({0, 0, 0, 1}).Y, 0.5f);
  EXPECT_GT(fb.MinX(), 128);
  float width, height, descent;
  t->TextMetrics(width, height, descent);
  EXPECT_NEAR(height, 0.72f, 0.05f);  // a capital is about 0.72 em
  EXPECT_FLOAT_EQ(descent, 0);
  EXPECT_GT(width, height * 0.8f);
  // Centred both ways and two units high.
  t->Adjust().SetHorz(TGLTextHorzAdjust::haCenter);
  t->Adjust().SetVert(TGLTextVertAdjust::vaCenter);
  t->SetTextHeight(2);
  fb = Feedback();
  EXPECT_NEAR(fb.MaxY() - fb.MinY(), 2 * kPixelsPerUnit, 2);
  EXPECT_NEAR(fb.MaxX() + fb.MinX(), 256, 4);
  EXPECT_NEAR(fb.MaxY() + fb.MinY(), 256, 4);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));  // the cross bar
  EXPECT_EQ(Buffer().GetPickedObject(128, 128), t);
  // Only the characters of its range: a letter among digits is left out.
  t->SetCharacterRange(TSpaceTextCharRange::stcrNumbers);
  t->SetText("a");
  EXPECT_EQ(Feedback().Polygons(), 0);
  t->SetText("a1");
  EXPECT_GT(Feedback().Polygons(), 0);
}

TEST_F(SpaceText, ExtrudedLettersHaveWalls) {
  auto* t = AddText(scene->Objects(), "O");
  t->SetCharacterRange(TSpaceTextCharRange::stcrAlphaNum);
  t->SetAllowedDeviation(0.01f);
  Buffer().SetFaceCulling(false);
  const int flat = Feedback().Polygons();
  ASSERT_GT(flat, 0);
  t->SetExtrusion(0.3f);
  t->SetTurnAngle(40);
  const int solid = Feedback().Polygons();
  EXPECT_GT(solid, 2 * flat);
  // The hole of the O stays open.
  t->SetTurnAngle(0);
  t->Adjust().SetHorz(TGLTextHorzAdjust::haCenter);
  t->Adjust().SetVert(TGLTextVertAdjust::vaCenter);
  t->SetTextHeight(2);
  Render();
  EXPECT_TRUE(IsBackground(128, 128));
  EXPECT_FALSE(IsBackground(128, Py(0.9f)));
}

// A picture font: glyph cells cut from a picture, drawn as flat text in the scene.
TEST_F(SpaceText, APictureFontDrawsItsCells) {
  TGLBitmapFont font;
  font.SetCharWidth(8);
  font.SetCharHeight(8);
  font.Ranges().Add('0', '1');
  TBitmap glyphs(16, 8, 0xFF000000u);  // the top-left colour is transparent
  for (int y = 0; y < 8; ++y)
    for (int x = 8; x < 16; ++x) glyphs.SetPixel(x, y, 0xFFFFFFFFu);  // '1' is a full cell
  font.SetGlyphs(glyphs);
  auto* t = scene->Objects()->AddNewChild<TGLFlatText>();
  t->SetBitmapFont(&font);
  t->ModulateColor().SetColor({1, 0, 0, 1});
  t->Scale().SetAsVector({0.1f, 0.1f, 1, 0});  // 8 texels: 0.8 units
  t->Position().SetAsVector({-0.4f, 0.4f, 0, 1});
  t->SetText("1");
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));
  EXPECT_TRUE(IsBackground(Px(0.6f), 128));
  t->SetText("0");  // a cell of the transparent colour
  Render();
  EXPECT_TRUE(IsBackground(128, 128));
  delete t;
}

}  // namespace
}  // namespace qx::test
