// Bitmap fonts and text over the scene, by pixel probes.
#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "scene/GLBitmapFont.h"
#include "scene/base/SceneErrors.h"

namespace qx::test {
namespace {

class SceneFont : public SceneFixture {
 protected:
  void SetUp() override {
    SceneFixture::SetUp();
    font = std::make_unique<TGLWindowsBitmapFont>();
  }
  void TearDown() override {
    scene.reset();
    font.reset();
    SceneFixture::TearDown();
  }
  TGLHUDText* AddText(const std::string& text, float x, float y) {
    auto* t = scene->Objects()->AddNewChild<TGLHUDText>();
    t->SetBitmapFont(font.get());
    t->SetText(text);
    t->Position().SetAsVector({x, y, 0, 1});
    t->ModulateColor().SetColor(clrBlack);
    return t;
  }
  // The box of the pixels that are not white.
  TRect InkBox() const {
    TRect r{256, 256, -1, -1};
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x)
        if (!Near(Pixel(x, y), {255, 255, 255}, 40)) {
          r.Left = std::min(r.Left, x);
          r.Top = std::min(r.Top, y);
          r.Right = std::max(r.Right, x + 1);
          r.Bottom = std::max(r.Bottom, y + 1);
        }
    return r;
  }
  std::unique_ptr<TGLWindowsBitmapFont> font;
};

TEST_F(SceneFont, AtlasWidthsAndStringWidths) {
  auto isPow2 = [](int v) { return v >= 64 && v <= 512 && (v & (v - 1)) == 0; };
  EXPECT_TRUE(isPow2(font->TextureWidth())) << font->TextureWidth();
  EXPECT_TRUE(isPow2(font->TextureHeight())) << font->TextureHeight();
  EXPECT_EQ(font->Glyphs().Width(), font->TextureWidth());
  for (int c = 32; c <= 125; ++c) EXPECT_GE(font->GetCharWidth(c), 1) << c;
  EXPECT_EQ(font->GetCharWidth(126), 0) << "outside the range";
  EXPECT_EQ(font->CalcStringWidth(""), 0);
  EXPECT_EQ(font->CalcStringWidth("A"), font->GetCharWidth('A'));
  EXPECT_EQ(font->CalcStringWidth("AB"), font->GetCharWidth('A') + font->GetCharWidth('B') + 1);
  EXPECT_GT(font->CharHeight(), 11);
  EXPECT_EQ(font->Ranges().Count(), 1);
  EXPECT_EQ(font->Ranges()[0]->DisplayName(), "ASCII [#32, #125] -> Glyphs [0, 93]");
  font->SetHSpace(-3);
  EXPECT_EQ(font->HSpace(), 0);
  TBitmapFontRange* r = font->Ranges().Add(200, 210);
  r->SetStartASCII(220);
  EXPECT_EQ(r->StopASCII(), 220) << "the stop follows the start up";
  r->SetStopASCII(150);
  EXPECT_EQ(r->StartASCII(), 150) << "and the start follows the stop down";
  EXPECT_EQ(r->StartGlyphIdx(), 94) << "after the glyphs of the first range";
}

TEST_F(SceneFont, HudTextLightsPixelsOnlyInsideItsBox) {
  AddText("A", 100, 60);
  Render();
  const TRect ink = InkBox();
  ASSERT_LE(ink.Left, ink.Right) << "something was drawn";
  EXPECT_GE(ink.Left, 100);
  EXPECT_LE(ink.Right, 100 + font->GetCharWidth('A') + 1);
  EXPECT_GE(ink.Top, 60);
  EXPECT_LE(ink.Bottom, 60 + font->CharHeight());
  EXPECT_GT(ink.Right - ink.Left, 3);
}

TEST_F(SceneFont, LinesAlignmentAndLayout) {
  auto* t = AddText("A\rB", 100, 60);
  Render();
  const TRect two = InkBox();
  EXPECT_GE(two.Bottom - two.Top, font->CharHeight() + font->VSpace()) << "B one line below A";
  EXPECT_LE(two.Bottom, 60 + 2 * font->CharHeight() + font->VSpace());
  // Right-justified: every line ends at the anchor.
  t->SetText("WWW\rI");
  t->SetAlignment(TAlignment::taRightJustify);
  Render();
  const TRect right = InkBox();
  EXPECT_LE(right.Right, 101);
  EXPECT_GE(right.Right, 100 - 3);
  bool secondLineAtAnchor = false;
  for (int y = 60 + font->CharHeight() + font->VSpace(); y < 60 + 2 * font->CharHeight() + 1; ++y)
    for (int x = 93; x <= 100; ++x)
      if (!Near(Pixel(x, y), {255, 255, 255}, 40)) secondLineAtAnchor = true;
  EXPECT_TRUE(secondLineAtAnchor);
  // Bottom layout: the block ends at the anchor.
  t->SetText("A");
  t->SetAlignment(TAlignment::taLeftJustify);
  t->SetLayout(TGLTextLayout::tlBottom);
  Render();
  EXPECT_LE(InkBox().Bottom, 61);
}

TEST_F(SceneFont, EmptyTextOrNoFontStillDrawsChildren) {
  // At the window's corner, so that its children stay at the scene's origin.
  auto* t = AddText("", 0, 0);
  auto* s = t->AddNewChild<TGLSphere>();
  s->SetRadius(1);
  s->Material().FrontProperties().Diffuse().SetAsWinColor(clRed);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));
  t->SetText("A");
  t->SetBitmapFont(nullptr);
  Render();
  EXPECT_TRUE(Near(Pixel(128, 128), {255, 0, 0}));
  EXPECT_GT(InkBox().Top, 80) << "only the sphere, no text at the corner";
}

TEST_F(SceneFont, ChangesReachTheTextsAndAFreedFontIsDropped) {
  auto* t = AddText("A", 10, 10);
  int changes = 0;
  Buffer().OnChange = [&](TObject*) { ++changes; };
  Render();
  changes = 0;
  TGLFontSpec big = font->Font();
  big.Height = -20;
  font->SetFont(big);
  EXPECT_GE(changes, 1) << "the text heard of the new font at once";
  Render();
  EXPECT_GT(InkBox().Bottom - InkBox().Top, 12);
  EXPECT_EQ(font->UserCount(), 1);
  font.reset();
  EXPECT_EQ(t->BitmapFont(), nullptr);
  Render();
  EXPECT_EQ(InkBox().Right, -1) << "nothing drawn";
  // The counter is gone when the fixture frees the scene.
  Buffer().OnChange = nullptr;
}

TEST_F(SceneFont, AFontTooLargeForTheAtlasIsRefused) {
  TGLFontSpec huge = font->Font();
  huge.Height = -200;
  try {
    font->SetFont(huge);
    font->LoadWindowsFont();
    FAIL();
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Characters are too large or too many. Unable to create font texture.");
  }
  EXPECT_EQ(font->Font().Height, -6);
  font->LoadWindowsFont();
}

TEST_F(SceneFont, PictureFontRectangles) {
  TGLBitmapFont pic;
  pic.SetCharWidth(8);
  pic.SetCharHeight(10);
  pic.Ranges().Add('0', '9');
  pic.SetGlyphs(TBitmap(40, 20, 0xFF000000u));
  // Five glyphs per row: '7' is glyph 7, column 2, row 1.
  const TCharRect r = pic.CharRect('7');
  EXPECT_NEAR(r.Left, (16 + 0.05f) / 64, 1e-6);
  EXPECT_NEAR(r.Top, (32 - (10 + 0.05f)) / 32, 1e-6);
  EXPECT_NEAR(r.Right, (16 + 8 - 0.05f) / 64, 1e-6);
  EXPECT_EQ(pic.CalcStringWidth("12"), 8 + 8 + 1);
}

}  // namespace
}  // namespace qx::test
