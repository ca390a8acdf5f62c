// Buttons: the layout of glyph and caption, the shared glyph lists, and the faces the
// three buttons paint in each state, read back by pixel probes.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>

#include "ControlsTest.h"
#include "controls/RAButtons.h"
#include "controls/ToolkitColors.h"

namespace qx {
namespace {

using test::CountPixels;
using test::InkBox;
using test::Rgb;
using test::Shot;
using test::TestFont;

TEST(ButtonLayout, MarginAndSpacingRules) {
  const QRect client(0, 0, 75, 25);
  const QSize glyph(16, 16), text(30, 13);
  auto p = CalcButtonLayout(client, false, glyph, text, blGlyphLeft, -1, 4);
  EXPECT_EQ(p.GlyphPos, QPoint(13, 5));
  EXPECT_EQ(p.TextBounds, QRect(33, 6, 30, 13));
  p = CalcButtonLayout(client, false, glyph, text, blGlyphLeft, -1, -1);  // both automatic
  EXPECT_EQ(p.GlyphPos, QPoint(9, 5));
  EXPECT_EQ(p.TextBounds.topLeft(), QPoint(34, 6));
  p = CalcButtonLayout(client, false, glyph, text, blGlyphLeft, 4, -1);  // the band header's
  EXPECT_EQ(p.GlyphPos, QPoint(4, 5));
  EXPECT_EQ(p.TextBounds.topLeft(), QPoint(32, 6));
  p = CalcButtonLayout(client, false, glyph, text, blGlyphRight, 4, 2);
  EXPECT_EQ(p.GlyphPos, QPoint(55, 5));
  EXPECT_EQ(p.TextBounds.topLeft(), QPoint(23, 6));
  p = CalcButtonLayout(QRect(0, 0, 40, 60), false, glyph, text, blGlyphTop, -1, 4);
  EXPECT_EQ(p.GlyphPos, QPoint(12, 14));
  EXPECT_EQ(p.TextBounds.topLeft(), QPoint(5, 34));
  p = CalcButtonLayout(QRect(0, 0, 40, 60), false, glyph, text, blGlyphBottom, 3, 1);
  EXPECT_EQ(p.GlyphPos, QPoint(12, 41));
  EXPECT_EQ(p.TextBounds.topLeft(), QPoint(5, 27));
  // No glyph: the spacing goes, the caption is centred.
  p = CalcButtonLayout(client, false, QSize(0, 0), text, blGlyphLeft, -1, 4);
  EXPECT_EQ(p.TextBounds.topLeft(), QPoint(23, 6));
  // The client's origin and a down button move both.
  p = CalcButtonLayout(client.translated(2, 3), true, glyph, text, blGlyphLeft, -1, 4);
  EXPECT_EQ(p.GlyphPos, QPoint(16, 9));
  EXPECT_EQ(p.TextBounds.topLeft(), QPoint(36, 10));
}

class ButtonTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureWidgetApplication(); }
  static QPixmap Square(int size, QColor c) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.fillRect(0, 0, size, size, c);
    return pm;
  }
  QRgb highlight = Rgb(ToQColor(clBtnHighlight));
  QRgb shadow = Rgb(ToQColor(clBtnShadow));
};

TEST_F(ButtonTest, GlyphListsAreSharedBySizeAndFreedWithTheLastGlyph) {
  ASSERT_EQ(TGlyphList::SharedLists(), 0);
  QImage canvas(40, 40, QImage::Format_ARGB32);
  QPainter p(&canvas);
  {
    TRAButtonGlyph a, b, c;
    a.SetGlyph(Square(16, Qt::red));
    b.SetGlyph(Square(16, Qt::blue));
    c.SetGlyph(Square(8, Qt::green));
    for (TRAButtonGlyph* g : {&a, &b, &c}) g->Draw(p, QRect(0, 0, 40, 40), false, "", blGlyphLeft, -1, 4, bsUp);
    a.Draw(p, QRect(0, 0, 40, 40), false, "", blGlyphLeft, -1, 4, bsDisabled);
    EXPECT_EQ(TGlyphList::SharedLists(), 2);
    EXPECT_EQ(TGlyphList::GetList(16, 16)->Count(), 3);
    // A new picture gives its slots back.
    a.SetGlyph(Square(8, Qt::red));
    EXPECT_EQ(TGlyphList::GetList(16, 16)->Count(), 1);
  }
  EXPECT_EQ(TGlyphList::SharedLists(), 0);
  // Slots are reused.
  TGlyphList list(4, 4);
  EXPECT_EQ(list.Add(Square(4, Qt::red)), 0);
  EXPECT_EQ(list.Add(Square(4, Qt::red)), 1);
  list.Delete(0);
  EXPECT_EQ(list.Add(Square(4, Qt::red)), 0);
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(ButtonTest, StripsOfImagesAndTheEmbossedDisabledGlyph) {
  TRAButtonGlyph g;
  QPixmap strip(32, 16);
  strip.fill(Qt::red);
  g.SetGlyph(strip);  // no alpha: the bottom-left colour is transparent, two square images
  EXPECT_EQ(g.NumGlyphs(), 2);
  EXPECT_EQ(g.GlyphSize(), QSize(16, 16));
  // A one-image glyph, disabled: its shape in highlight one pixel down-right, shadow on top.
  const QImage e = EmbossedGlyph(Square(4, Qt::black)).toImage();
  EXPECT_EQ(e.pixel(0, 0), shadow);
  EXPECT_EQ(e.pixel(3, 3), shadow);
  QPixmap dot(6, 6);
  dot.fill(Qt::transparent);
  {
    QPainter p(&dot);
    p.fillRect(1, 1, 2, 2, Qt::black);
  }
  const QImage d = EmbossedGlyph(dot).toImage();
  EXPECT_EQ(d.pixel(1, 1), shadow);
  EXPECT_EQ(d.pixel(3, 3), highlight);
  EXPECT_EQ(d.pixel(3, 2), highlight);
  EXPECT_EQ(qAlpha(d.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(d.pixel(4, 4)), 0);
}

TEST_F(ButtonTest, ColorButtonFaceInEveryStateAndOnPaintReplacesIt) {
  QWidget form;
  TRAColorButton b(&form);
  EXPECT_EQ(b.Color(), clWindow);
  EXPECT_TRUE(b.ParentColor());
  b.SetColor(clYellow);
  EXPECT_FALSE(b.ParentColor());
  b.resize(75, 25);
  form.show();
  const QRgb yellow = qRgb(255, 255, 0);
  EXPECT_EQ(Shot(b).pixel(6, 12), yellow);
  EXPECT_EQ(Shot(b).pixel(0, 0), highlight);  // the raised frame
  QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(37, 12));
  ASSERT_TRUE(b.isDown());
  QImage down = Shot(b);
  EXPECT_EQ(down.pixel(6, 12), yellow);
  // The pressed frame, inside the window-frame rectangle of the focused button.
  const int frame = b.hasFocus() ? 1 : 0;
  EXPECT_EQ(down.pixel(frame, frame), shadow);
  QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(37, 12));
  QApplication::setActiveWindow(&form);
  b.setFocus();
  ASSERT_TRUE(b.hasFocus());
  const QImage focused = Shot(b);
  EXPECT_EQ(focused.pixel(0, 0), Rgb(ToQColor(clWindowFrame)));
  EXPECT_EQ(focused.pixel(1, 1), highlight);
  EXPECT_EQ(focused.pixel(6, 12), yellow);
  b.setEnabled(false);
  EXPECT_EQ(Shot(b).pixel(6, 12), yellow);
  // Parent colour: the form's own.
  b.SetParentColor(true);
  EXPECT_EQ(Shot(b).pixel(6, 12), Rgb(form.palette().color(form.backgroundRole())));
  // OnPaint draws everything.
  int calls = 0;
  b.OnPaint = [&](TRAColorButton* sender, bool pressed, TButtonState state, bool) {
    ++calls;
    EXPECT_EQ(sender, &b);
    EXPECT_FALSE(pressed);
    EXPECT_EQ(state, bsDisabled);
    sender->Canvas()->fillRect(sender->rect(), Qt::magenta);
  };
  const QImage custom = Shot(b);
  EXPECT_GE(calls, 1);
  EXPECT_EQ(CountPixels(custom, QColor(Qt::magenta).rgb()), 75 * 25);
}

TEST_F(ButtonTest, DisabledMarkupButtonEmbossesItsCaption) {
  TRAhtButton b;
  b.setFont(TestFont(13));
  b.SetFontColor(clBlue);
  b.setText("<b>Carattere</b>");
  b.resize(120, 30);
  b.show();
  const QRect inner(3, 3, 114, 24);
  // Enabled: once, in the font's colour.
  QImage shot = Shot(b);
  EXPECT_GT(CountPixels(shot, qRgb(0, 0, 255), inner), 20);
  EXPECT_EQ(CountPixels(shot, shadow, inner), 0);
  // Disabled: highlight copy one pixel down-right, then the shadow copy in place.
  b.setEnabled(false);
  shot = Shot(b);
  EXPECT_EQ(CountPixels(shot, qRgb(0, 0, 255), inner), 0);
  const QRect hi = InkBox(shot, highlight, inner), sh = InkBox(shot, shadow, inner);
  ASSERT_FALSE(hi.isEmpty());
  ASSERT_FALSE(sh.isEmpty());
  EXPECT_EQ(hi.right(), sh.right() + 1);
  EXPECT_EQ(hi.bottom(), sh.bottom() + 1);
  QFont bold = TestFont(13);
  bold.setBold(true);
  EXPECT_NEAR(sh.width(), QFontMetrics(bold).boundingRect("Carattere").width(), 2);
  // Centred: the caption box is the measured width (margins of 2 on each side) centred.
  const int measured = QFontMetrics(bold).horizontalAdvance("Carattere") + 4;
  EXPECT_NEAR(sh.left(), 2 + (116 - measured + 1) / 2 + 2, 2);
}

TEST_F(ButtonTest, NoFrameButtonFacesAndTheHeldDither) {
  QWidget form;
  TRANoFrameButton a(&form), b(&form);
  EXPECT_TRUE(a.NoBorder());
  a.SetColor(clYellow);
  a.resize(23, 22);
  b.resize(23, 22);
  b.move(30, 0);
  form.show();
  const QRgb yellow = qRgb(255, 255, 0);
  // No border: only the colour.
  EXPECT_EQ(CountPixels(Shot(a), yellow), 23 * 22);
  // A border: raised when up, sunken when down.
  a.SetNoBorder(false);
  QImage up = Shot(a);
  EXPECT_EQ(up.pixel(0, 0), highlight);
  EXPECT_EQ(up.pixel(22, 21), shadow);
  EXPECT_EQ(up.pixel(11, 11), yellow);
  QTest::mousePress(&a, Qt::LeftButton, {}, QPoint(11, 11));
  EXPECT_EQ(a.State(), bsDown);
  EXPECT_EQ(Shot(a).pixel(0, 0), shadow);
  int clicks = 0;
  QObject::connect(&a, &QAbstractButton::clicked, [&] { ++clicks; });
  QTest::mouseRelease(&a, Qt::LeftButton, {}, QPoint(11, 11));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(a.State(), bsUp);
  EXPECT_FALSE(a.Down());  // no group: never stays down

  // A group: the button pressed stays down (held, dithered) and the other comes up.
  a.SetGroupIndex(1);
  b.SetGroupIndex(1);
  QTest::mouseClick(&a, Qt::LeftButton, {}, QPoint(11, 11));
  EXPECT_TRUE(a.Down());
  EXPECT_EQ(a.State(), bsExclusive);
  const QImage held = Shot(a);
  const QRgb face = Rgb(ToQColor(clBtnFace));
  EXPECT_EQ(held.pixel(4, 4), face);
  EXPECT_EQ(held.pixel(5, 4), highlight);
  EXPECT_EQ(held.pixel(4, 5), highlight);
  EXPECT_EQ(held.pixel(5, 5), face);
  EXPECT_EQ(held.pixel(0, 0), shadow);
  QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(11, 11));
  EXPECT_TRUE(b.Down());
  EXPECT_FALSE(a.Down());
  // The last one down stays down unless AllowAllUp.
  QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(11, 11));
  EXPECT_TRUE(b.Down());
  b.SetAllowAllUp(true);
  QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(11, 11));
  EXPECT_FALSE(b.Down());
  // Disabled and back: held again when down in its group.
  a.SetDown(true);
  a.setEnabled(false);
  Shot(a);
  EXPECT_EQ(a.State(), bsDisabled);
  a.setEnabled(true);
  Shot(a);
  EXPECT_EQ(a.State(), bsExclusive);
}

}  // namespace
}  // namespace qx
