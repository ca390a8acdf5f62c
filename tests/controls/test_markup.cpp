// Mark-up captions: the pieces of a string, the one pass that draws and measures, and the
// list box of the object list driven as a user would.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>

#include "ControlsTest.h"
#include "controls/RAHtControls.h"
#include "controls/RAStrUtil.h"
#include "controls/ToolkitColors.h"

namespace qx {
namespace {

using test::CountPixels;
using test::InkBox;
using test::TestFont;

TEST(SubStr, PiecesBetweenSeparators) {
  const QString s = QStringLiteral("uno;due;;tre");
  EXPECT_EQ(SubStr(s, 0, ";"), "uno");
  EXPECT_EQ(SubStr(s, 1, ";"), "due");
  EXPECT_EQ(SubStr(s, 2, ";"), "");  // a piece that begins with the separator
  EXPECT_EQ(SubStr(s, 3, ";"), "tre");
  EXPECT_EQ(SubStr(s, 4, ";"), "");  // fewer separators than the index
  EXPECT_EQ(SubStr(s, -1, ";"), "");
  EXPECT_EQ(SubStr(";a", 0, ";"), "");
  EXPECT_EQ(SubStr("a;", 1, ";"), "");  // the end right after the last one skipped
  EXPECT_EQ(SubStr("aXYbxyc", 1, "xy"), "b");  // letter case of the separator ignored
  EXPECT_EQ(SubStr("aXYbxyc", 2, "xy"), "c");
  EXPECT_EQ(SubStr("Red>P", 0, ">"), "Red");
  EXPECT_EQ(SubStr("", 0, ">"), "");
}

class MarkupTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureWidgetApplication(); }

  QImage image{200, 40, QImage::Format_RGB32};

  // Paints `text` on white in black with the test font; answers the plain text.
  QString Draw(const QString& text, TOwnerDrawState state = 0, bool hide = false, QRect r = QRect(0, 0, 200, 20)) {
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(TestFont());
    p.setBrush(QColor(Qt::white));
    p.setPen(QColor(Qt::black));
    return DrawMarkup(p, r, state, hide, text);
  }
  int Measure(const QString& text) {
    QPainter p(&image);
    p.setFont(TestFont());
    return MeasureMarkup(p, QRect(10, 0, 100, 20), 0, false, text);
  }
};

TEST_F(MarkupTest, PlainTextLosesTagsAndLineBreaks) {
  EXPECT_EQ(Draw("<b>Punto </b><c:WindowText>P"), "Punto P");
  EXPECT_EQ(MarkupPlainText("<b>Punto </b><c:WindowText>P"), "Punto P");
  EXPECT_EQ(MarkupPlainText("a<x>b"), "a<x>b");
  EXPECT_EQ(MarkupPlainText("a<b"), "a<b");
  EXPECT_EQ(MarkupPlainText("<I>a</I><U>b</u>"), "ab");
  EXPECT_EQ(MarkupPlainText("uno\r\ndue\rtre\n"), "unodue\rtre\n");  // only CR LF is a break
  EXPECT_EQ(MarkupPlainText("<c:Red"), "");  // the colour name runs to the end
  EXPECT_EQ(MarkupPlainText("<c:>x<c:Nonsense>y"), "xy");
  EXPECT_EQ(MarkupPlainText(""), "");
}

TEST_F(MarkupTest, TagsInCapitalsDrawTheSamePixels) {
  Draw("<b>x</b>y");
  const QImage lower = image.copy();
  Draw("<B>x</B>y");
  EXPECT_EQ(image, lower);
  Draw("<c:RED>x");
  const QImage upper = image.copy();
  Draw("<c:red>x");
  EXPECT_EQ(image, upper);
  // A tag that is not one is drawn as it stands: wider than the two letters alone.
  Draw("a<x>b");
  const int literal = InkBox(image, qRgb(0, 0, 0)).width();
  Draw("ab");
  EXPECT_GT(literal, InkBox(image, qRgb(0, 0, 0)).width() + QFontMetrics(TestFont()).horizontalAdvance("<x>") - 2);
}

TEST_F(MarkupTest, MeasuresBoldTextWithItsMargins) {
  QFont bold = TestFont();
  bold.setBold(true);
  const int boldAb = QFontMetrics(bold, &image).horizontalAdvance("ab");
  const int plainAb = QFontMetrics(TestFont(), &image).horizontalAdvance("ab");
  EXPECT_EQ(Measure("<b>ab</b>"), boldAb + 4);
  EXPECT_EQ(Measure("ab"), plainAb + 4);
  EXPECT_NE(boldAb, plainAb);
  // Only the last line counts; an empty caption is its two margins.
  EXPECT_EQ(Measure("abcdefgh\r\nab"), plainAb + 4);
  EXPECT_EQ(Measure(""), 4);
  // The measure pass paints no text.
  image.fill(Qt::white);
  Measure("<b>ab</b>");
  EXPECT_EQ(CountPixels(image, qRgb(0, 0, 0)), 0);
}

TEST_F(MarkupTest, ColouredRunsCarryTheirColour) {
  Draw("<c:Red>MM<c:Blue>MM<c:$00FF00>MM");
  const QRect red = InkBox(image, qRgb(255, 0, 0));
  const QRect blue = InkBox(image, qRgb(0, 0, 255));
  const QRect lime = InkBox(image, qRgb(0, 255, 0));
  ASSERT_FALSE(red.isEmpty());
  ASSERT_FALSE(blue.isEmpty());
  ASSERT_FALSE(lime.isEmpty());
  EXPECT_EQ(CountPixels(image, qRgb(0, 0, 0)), 0);
  EXPECT_LT(red.right(), blue.left());
  EXPECT_LT(blue.right(), lime.left());
  // The text starts 2 pixels inside the rectangle.
  EXPECT_GE(red.left(), 2);
  EXPECT_LE(red.left(), 4);
  // An unknown name leaves the current colour.
  Draw("<c:Red>M<c:Nonsense>M");
  EXPECT_EQ(CountPixels(image, qRgb(0, 0, 0)), 0);
  EXPECT_GT(InkBox(image, qRgb(255, 0, 0)).width(), red.width() / 2 + 2);
}

TEST_F(MarkupTest, BoldAndWindowTextRunsOfTheObjectList) {
  Draw("<b><c:Red>Punto </b><c:WindowText>P");
  const QRect word = InkBox(image, qRgb(255, 0, 0));
  const QRect p = InkBox(image, test::Rgb(ToQColor(clWindowText)));
  ASSERT_FALSE(word.isEmpty());
  ASSERT_FALSE(p.isEmpty());
  EXPECT_LT(word.right(), p.left());
  QFont bold = TestFont();
  bold.setBold(true);
  // The P begins where the bold word (blank included) ends.
  EXPECT_NEAR(p.left(), 2 + QFontMetrics(bold, &image).horizontalAdvance("Punto "), 2);
}

TEST_F(MarkupTest, SelectionKeepsItsColourUnlessHidden) {
  // Selected, not hidden: the colour tag does not apply.
  Draw("<c:Red>MM", odSelected);
  EXPECT_EQ(CountPixels(image, qRgb(255, 0, 0)), 0);
  EXPECT_GT(CountPixels(image, qRgb(0, 0, 0)), 0);
  // Hidden: window background and the tag's colour.
  image.fill(Qt::white);
  {
    QPainter p(&image);
    p.setFont(TestFont());
    p.setBrush(QColor(Qt::darkBlue));
    p.setPen(QColor(Qt::white));
    DrawMarkup(p, QRect(0, 0, 100, 20), odSelected, true, "<c:Red>MM");
  }
  EXPECT_GT(CountPixels(image, qRgb(255, 0, 0)), 0);
  EXPECT_EQ(CountPixels(image, QColor(Qt::darkBlue).rgb(), QRect(0, 0, 100, 20)), 0);
  EXPECT_EQ(image.pixel(99, 19), test::Rgb(ToQColor(clWindow)));
}

TEST_F(MarkupTest, LineBreakStartsANewLineAtTheLineStart) {
  Draw("MMMM\r\nM", 0, false, QRect(5, 0, 150, 40));
  const QRect ink = InkBox(image, qRgb(0, 0, 0));
  const int h = QFontMetrics(TestFont(), &image).height();
  const QRect second = InkBox(image, qRgb(0, 0, 0), QRect(0, h, 200, 40 - h));
  const QRect first = InkBox(image, qRgb(0, 0, 0), QRect(0, 0, 200, h));
  EXPECT_EQ(second.left(), first.left());
  EXPECT_LT(second.width(), first.width() / 2);
  EXPECT_EQ(ink.top(), first.top());
  EXPECT_GE(second.top(), h);
}

TEST_F(MarkupTest, StyleAndColourComeBackAfterThePass) {
  image.fill(Qt::white);
  QPainter p(&image);
  QFont f = TestFont();
  f.setItalic(true);
  p.setFont(f);
  p.setPen(QColor(Qt::green));
  DrawMarkup(p, QRect(0, 0, 100, 20), 0, false, "<b></i><u><c:Red>x");
  EXPECT_FALSE(p.font().bold());
  EXPECT_TRUE(p.font().italic());
  EXPECT_FALSE(p.font().underline());
  EXPECT_EQ(p.pen().color(), QColor(Qt::green));
}

// ---- The list box ----

class ListBoxTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureWidgetApplication(); }
  void SetUp() override {
    list.setFont(TestFont());
    list.resize(200, 120);
  }
  TRAhtListBox list;
};

TEST_F(ListBoxTest, SortedItemsAndFixedHeight) {
  EXPECT_FALSE(list.HideSel());
  EXPECT_EQ(list.ItemHeight(), QFontMetrics(TestFont()).height());
  list.SetSorted(true);
  list.Items.Add("<b><c:clRed>Punto </b><c:WindowText>P");
  list.Items.Add("<b><c:Blue>Circonferenza </b><c:WindowText>C");
  list.Items.Add("<b><c:blue>Angolo </b><c:WindowText>A");
  ASSERT_EQ(list.Items.Count(), 3);
  EXPECT_EQ(list.Items[0], "<b><c:blue>Angolo </b><c:WindowText>A");
  EXPECT_EQ(list.Items[2], "<b><c:clRed>Punto </b><c:WindowText>P");
  // Items that come in order go to the end; an item equal to another (case aside) goes after it.
  EXPECT_EQ(list.Items.Add("<b><c:clRed>Punto </b><c:WindowText>Q"), 3);
  EXPECT_EQ(list.Items.Add("<b><c:BLUE>Circonferenza </b><c:WindowText>C"), 2);
  EXPECT_EQ(list.Items[1], "<b><c:Blue>Circonferenza </b><c:WindowText>C");
  list.Items.Delete(2);
  list.Items.Delete(3);
  ASSERT_EQ(list.Items.Count(), 3);
  list.show();
  EXPECT_EQ(list.ItemRect(1).height(), list.ItemHeight());
  list.setFont(TestFont(20));
  EXPECT_EQ(list.ItemHeight(), QFontMetrics(TestFont(20)).height());
  list.Items.Clear();
  EXPECT_EQ(list.Items.Count(), 0);
}

TEST_F(ListBoxTest, ItemsDrawTheirCaptionsAndTheSelection) {
  list.Items.Add("<b><c:Red>Punto </b><c:WindowText>P");
  list.Items.Add("<c:Blue>MMMM");
  list.show();
  const QRect r0 = list.ItemRect(0);
  const QRect r1 = list.ItemRect(1);
  const QPoint off = list.viewport()->mapTo(&list, QPoint(0, 0));
  QImage shot = test::Shot(list);
  EXPECT_GT(CountPixels(shot, qRgb(255, 0, 0), r0.translated(off)), 0);
  EXPECT_GT(CountPixels(shot, qRgb(0, 0, 255), r1.translated(off)), 0);
  // A click selects the second item: the highlight fills it and the tag colour gives way.
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, r1.center());
  EXPECT_EQ(list.ItemIndex(), 1);
  shot = test::Shot(list);
  const QRgb highlight = test::Rgb(ToQColor(clHighlight));
  const QRect inner = r1.translated(off).adjusted(1, 1, -1, -1);
  EXPECT_EQ(CountPixels(shot, qRgb(0, 0, 255), inner), 0);
  EXPECT_GT(CountPixels(shot, highlight, inner), inner.width() * inner.height() / 2);
  // HideSel: the selected item looks like the others, tag colours and all.
  list.SetHideSel(true);
  shot = test::Shot(list);
  EXPECT_EQ(CountPixels(shot, highlight, inner), 0);
  EXPECT_GT(CountPixels(shot, qRgb(0, 0, 255), inner), 0);
}

}  // namespace
}  // namespace qx
