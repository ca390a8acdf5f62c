// Text, pictures and saving of the image canvas.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <filesystem>

#include "platform/qt/ApplicazioneQt.h"
#include "platform/qt/QImageCanvas.h"

namespace qx {
namespace {

class QImageTestoTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureGuiApplication(); }
  TQImageCanvas c{200, 60};
  // The box of the pixels that are neither white nor `fondo`.
  QRect Inchiostro(TColor fondo = clWhite) {
    QRect r;
    for (int y = 0; y < c.Height(); ++y)
      for (int x = 0; x < c.Width(); ++x) {
        const TColor p = c.Pixels(x, y);
        if (p != clWhite && p != fondo) r |= QRect(x, y, 1, 1);
      }
    return r;
  }
  // The ink of "888" in black Arial 10 written on a fresh canvas at (x, y) with that alignment.
  QRect InchiostroAllineato(TTextAlign allineamento, int x, int y) {
    c = TQImageCanvas(200, 60);
    c.Font = {clBlack, "Arial", 10, 0};
    c.Brush.Style = bsClear;
    c.TextAlign = allineamento;
    c.TextOut(x, y, "888");
    return Inchiostro();
  }
};

TEST_F(QImageTestoTest, TextSizesFollowTheFont) {
  c.Font = {clBlack, "Arial", 10, 0};
  const int h10 = c.TextHeight("Ag"), w1 = c.TextWidth("M"), w2 = c.TextWidth("MM");
  EXPECT_GT(h10, 10);
  EXPECT_LT(h10, 20);
  EXPECT_EQ(w2, 2 * w1);
  EXPECT_EQ(c.TextWidth(""), 0);
  c.Font.Size = 20;
  EXPECT_GT(c.TextHeight("Ag"), h10 + 8);
  c.Font.Name = "MS Sans Serif";
  EXPECT_GT(c.TextWidth("MM"), w2);
}

TEST_F(QImageTestoTest, SolidBrushGivesTextAnOpaqueBackground) {
  c.Font = {clBlack, "Arial", 10, 0};
  c.Brush = {clYellow, bsSolid};
  c.TextOut(10, 10, "Wg");
  const int w = c.TextWidth("Wg"), h = c.TextHeight("Wg");
  EXPECT_EQ(c.Pixels(10, 10), clYellow);
  EXPECT_EQ(c.Pixels(10 + w - 1, 10 + h - 1), clYellow);
  EXPECT_EQ(c.Pixels(10 + w, 10), clWhite);
  EXPECT_EQ(c.Pixels(10, 10 + h), clWhite);
  EXPECT_EQ(c.Pixels(9, 10), clWhite);
  EXPECT_TRUE(Inchiostro(clYellow).isValid()) << "the letters are drawn";

  TQImageCanvas d(200, 60);
  d.Font = c.Font;
  d.Brush.Style = bsClear;
  d.TextOut(10, 10, "Wg");
  EXPECT_EQ(d.Pixels(10 + w - 1, 10 + h - 1), clWhite);
}

TEST_F(QImageTestoTest, AlignmentPlacesTheTextAroundItsPoint) {
  const QRect sinistra = InchiostroAllineato({haLeft, vaTop}, 100, 20);
  EXPECT_GE(sinistra.left(), 100);
  EXPECT_LE(sinistra.left(), 102);
  EXPECT_GE(sinistra.top(), 20);

  const QRect destra = InchiostroAllineato({haRight, vaBottom}, 100, 40);
  EXPECT_LT(destra.right(), 100);
  EXPECT_GE(destra.right(), 96);
  EXPECT_LT(destra.bottom(), 40);
  EXPECT_EQ(destra.width(), sinistra.width());

  const QRect centro = InchiostroAllineato({haCenter, vaTop}, 100, 20);
  EXPECT_LE(std::abs(centro.left() + centro.right() - 200), 3);
}

TEST_F(QImageTestoTest, TextIgnoresThePenModeAndTakesTheFontColour) {
  c.Font = {clRed, "Arial", 12, fsBold};
  c.Brush.Style = bsClear;
  c.Pen.Mode = pmXor;
  c.TextOut(5, 5, "H");
  c.TextOut(5, 5, "H");
  const QRect r = Inchiostro();
  ASSERT_TRUE(r.isValid());
  EXPECT_EQ(c.Pixels(r.left(), r.center().y()), clRed) << "drawn twice, still there";
}

TEST_F(QImageTestoTest, TextRectClipsAndFillsItsRectangle) {
  c.Font = {clBlack, "Arial", 10, 0};
  c.Brush = {clAqua, bsSolid};
  c.TextRect({10, 10, 20, 30}, 10, 10, "MMMMMM");
  EXPECT_EQ(c.Pixels(19, 29), clAqua);
  for (int y = 0; y < 60; ++y) EXPECT_EQ(c.Pixels(20, y), clWhite) << y;
  EXPECT_EQ(Inchiostro(clAqua).right(), 19);
}

TEST_F(QImageTestoTest, DrawAndStretchDrawBitmaps) {
  TBitmap b(2, 2);
  b.SetPixel(0, 0, ColoreInPixel(clRed));
  b.SetPixel(1, 0, ColoreInPixel(clLime));
  b.SetPixel(0, 1, ColoreInPixel(clBlue));
  b.SetPixel(1, 1, ColoreInPixel(clBlack));
  c.Pen.Mode = pmXor;  // pictures are copied whatever the pen
  c.Draw(5, 5, b);
  EXPECT_EQ(c.Pixels(5, 5), clRed);
  EXPECT_EQ(c.Pixels(6, 6), clBlack);
  EXPECT_EQ(c.Pixels(7, 5), clWhite);
  c.StretchDraw({20, 20, 24, 24}, b);
  EXPECT_EQ(c.Pixels(20, 20), clRed);
  EXPECT_EQ(c.Pixels(21, 21), clRed);
  EXPECT_EQ(c.Pixels(22, 21), clLime);
  EXPECT_EQ(c.Pixels(23, 23), clBlack);
  EXPECT_EQ(c.Pixels(24, 24), clWhite);
  // Right left of left: mirrored.
  c.StretchDraw({44, 40, 40, 44}, b);
  EXPECT_EQ(c.Pixels(40, 40), clLime);
  EXPECT_EQ(c.Pixels(43, 40), clRed);
  EXPECT_EQ(c.InBitmap().Pixel(43, 40), ColoreInPixel(clRed));
}

TEST_F(QImageTestoTest, SavesAPngThatReadsBack) {
  c.Brush = {clBlue, bsSolid};
  c.Rectangle(0, 0, 10, 10);
  const auto percorso = std::filesystem::temp_directory_path() / "quorix_canvas_test.png";
  ASSERT_TRUE(c.SalvaPng(percorso.string()));
  QImage letta(QString::fromStdString(percorso.string()));
  std::filesystem::remove(percorso);
  ASSERT_FALSE(letta.isNull());
  EXPECT_EQ(letta.size(), c.Image().size());
  EXPECT_EQ(letta.pixel(5, 5), c.Image().pixel(5, 5));
  EXPECT_EQ(letta.pixel(0, 0), 0xFF000000u);
}

// The test processes see the fonts that the project installs and no other, whatever the
// machine has (scripts/install-deps.sh; the build's own fontconfig set-up): every measure of
// text in the tests depends on it.
TEST(FontDeiTest, OnlyTheProjectsFontsAndTheirFallbacks) {
  EnsureGuiApplication();
  QStringList famiglie = QFontDatabase::families();
  famiglie.sort();
  EXPECT_EQ(famiglie.join(", ").toStdString(),
            "DejaVu Sans, DejaVu Sans Mono, DejaVu Serif, Liberation Mono, Liberation Sans, Liberation Serif, "
            "Monospace, Sans Serif, Serif");
  EXPECT_EQ(QFontInfo(QFont()).family().toStdString(), "DejaVu Sans");
  EXPECT_EQ(QFontInfo(QFont("Noto Sans")).family().toStdString(), "DejaVu Sans");
  EXPECT_EQ(QFontInfo(QFont("Courier New")).family().toStdString(), "Liberation Mono");
}

}  // namespace
}  // namespace qx
