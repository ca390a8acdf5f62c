// The band palette: bands stacked in their container, expanding and collapsing, the
// automatic height, scrolling by the bar, by dragging and into view on focus, and the
// messages for misuse.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include "ControlsTest.h"
#include "controls/RAScrollMax.h"
#include "controls/ToolkitColors.h"

namespace qx {
namespace {

// A mouse event with the buttons held, straight to the widget. `pos` is relative to where
// the widget stood when the gesture began (widgets that scroll move under the mouse).
void Mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButtons held, QPoint origin) {
  const QPointF global(origin + pos), local(w->mapFromGlobal(origin + pos));
  QMouseEvent e(type, local, local, global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

// A press, a move half-way, a move to the end and a release.
void Drag(QWidget* w, QPoint from, QPoint to) {
  const QPoint origin = w->mapToGlobal(QPoint(0, 0));
  Mouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton, origin);
  Mouse(w, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton, origin);
  Mouse(w, QEvent::MouseMove, to, Qt::LeftButton, origin);
  Mouse(w, QEvent::MouseButtonRelease, to, Qt::NoButton, origin);
}

bool SameFont(const QFont& a, const QFont& b) {
  return a.family() == b.family() && a.pixelSize() == b.pixelSize() && a.pointSize() == b.pointSize() &&
         a.bold() == b.bold();
}

class PaletteTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureWidgetApplication(); }

  // The main window's statement palette: three bands of 161, 272 and 92 pixels.
  TRAScrollMax pal;
  TRAScrollMaxBand* geo = nullptr;
  TRAScrollMaxBand* stili = nullptr;
  TRAScrollMaxBand* spazio = nullptr;

  void Build() {
    pal.setObjectName("RsIstruzioni");
    geo = new TRAScrollMaxBand(&pal);
    geo->SetCaption("Geometria");
    geo->SetExpandedHeight(161);
    stili = new TRAScrollMaxBand(&pal);
    stili->SetCaption("Stili e Colori");
    stili->SetExpandedHeight(272);
    spazio = new TRAScrollMaxBand(&pal);
    spazio->SetCaption("Geometria nello Spazio");
    spazio->SetExpandedHeight(92);
  }
  int Header() const { return QFontMetrics(pal.ButtonFont()).height() + 4; }
};

TEST_F(PaletteTest, DefaultsAndMisuse) {
  EXPECT_EQ(pal.size(), QSize(250, 150));
  EXPECT_EQ(pal.ScrollPos(), 0);
  EXPECT_EQ(pal.BorderWidth(), 3);
  EXPECT_TRUE(pal.Beveled());
  EXPECT_EQ(pal.ButtonFont().family(), "Small Fonts");
  EXPECT_EQ(pal.ButtonFont().pointSize(), 7);
  EXPECT_FALSE(pal.AutoHeight());
  EXPECT_EQ(pal.ExpandedHeight(), -1);
  EXPECT_EQ(pal.ScrollBarWidth(), 7);
  pal.SetScrollBarWidth(3);
  EXPECT_EQ(pal.ScrollBarWidth(), 7);
  EXPECT_FALSE(pal.OneExpanded());
  EXPECT_EQ(pal.BevelOuter(), bvRaised);
  EXPECT_EQ(pal.BevelInner(), bvNone);
  EXPECT_EQ(pal.FrameWidth(), 4);
  EXPECT_EQ(pal.ScrollBar()->geometry(), QRect(239, 4, 7, 142));
  EXPECT_EQ(pal.BandsContainer()->geometry(), QRect(4, 4, 235, 142));

  TRAScrollMaxBand band;
  EXPECT_TRUE(band.Expanded());
  EXPECT_EQ(band.ExpandedHeight(), 50);
  EXPECT_EQ(band.height(), 50);
  EXPECT_EQ(band.Button()->pos(), QPoint(4, 2));
  EXPECT_EQ(band.Button()->Margin(), 4);
  EXPECT_EQ(band.Button()->Spacing(), -1);
  EXPECT_FALSE(band.Button()->NoBorder());

  QWidget form;
  form.setObjectName("Form1");
  try {
    TRAScrollMaxBand wrong(&form);
    ADD_FAILURE() << "a band outside a palette";
  } catch (const ERAScrollMaxError& e) {
    EXPECT_STREQ(e.what(), "TRAScrollMaxBand can be putted only into TRAScrollMax component");
  }
  EXPECT_THROW(band.SetParent(&form), ERAScrollMaxError);
  QLineEdit stray(&form);
  try {
    pal.BandsContainer()->InsertControl(&stray);
    ADD_FAILURE() << "a control straight into the container";
  } catch (const ERAScrollMaxError& e) {
    EXPECT_STREQ(e.what(), "TRAScrollMax can contains only TRAScrollMaxBand components");
  }
  stray.setObjectName("Edit1");
  pal.setObjectName("RsIstruzioni");
  try {
    pal.ScrollInView(&stray);
    ADD_FAILURE() << "a control of another window";
  } catch (const ERAScrollMaxError& e) {
    EXPECT_STREQ(e.what(), "Control Edit1 not a child of RsIstruzioni");
  }
  // A band moved into the palette is fine, and leaves it when deleted.
  band.SetParent(&pal);
  EXPECT_EQ(pal.BandCount(), 1);
}

TEST_F(PaletteTest, BandsStackFromTheTopInTheirOrder) {
  Build();
  ASSERT_EQ(pal.BandCount(), 3);
  EXPECT_EQ(geo->geometry(), QRect(0, 0, 232, 161));  // 3 narrower than the container
  EXPECT_EQ(stili->geometry(), QRect(0, 161, 232, 272));
  EXPECT_EQ(spazio->geometry(), QRect(0, 433, 232, 92));
  // Header buttons 16 in from both sides of a beveled band, 4 of a flat one.
  EXPECT_EQ(geo->Button()->geometry(), QRect(16, 2, 200, Header()));
  geo->SetBeveled(false);
  EXPECT_EQ(geo->Button()->geometry(), QRect(4, 2, 224, Header()));
  spazio->SetOrder(0);
  EXPECT_EQ(spazio->Order(), 0);
  EXPECT_EQ(pal.Band(1), geo);
  EXPECT_EQ(geo->y(), 92);
  EXPECT_EQ(pal.ScrollBar()->Max(), 525);
  EXPECT_EQ(pal.ScrollBar()->Page(), 142);
  delete spazio;
  EXPECT_EQ(pal.BandCount(), 2);
  EXPECT_EQ(geo->y(), 0);
  // Controls of a band go inside its border and below the header.
  EXPECT_EQ(stili->ClientRect(), QRect(3, 3 + Header() + 2, 232 - 6, 272 - 6 - Header() - 2));
}

TEST_F(PaletteTest, ExpandAndCollapseWithTheirPermissions) {
  Build();
  std::vector<std::string> events;
  for (TRAScrollMaxBand* b : {geo, stili, spazio}) {
    const std::string name = b->Caption().toStdString();
    b->OnExpand = [&events, name](QObject*) { events.push_back("expand " + name); };
    b->OnCollapse = [&events, name](QObject*) { events.push_back("collapse " + name); };
  }
  pal.show();
  QTest::mouseClick(geo->Button(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(geo->Expanded());
  EXPECT_EQ(geo->height(), geo->CollapsedHeight());
  EXPECT_EQ(geo->CollapsedHeight(), 2 + Header() + 2);
  EXPECT_EQ(stili->y(), geo->CollapsedHeight());
  // A refusal keeps the band as it is.
  bool allow = false;
  geo->OnCanExpand = [&](QObject* sender, bool& can) {
    EXPECT_EQ(sender, geo);
    can = allow;
  };
  QTest::mouseClick(geo->Button(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(geo->Expanded());
  allow = true;
  QTest::mouseClick(geo->Button(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(geo->Expanded());
  EXPECT_EQ(geo->height(), 161);
  stili->OnCanCollapse = [](QObject*, bool& can) { can = false; };
  QTest::mouseClick(stili->Button(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(stili->Expanded());
  EXPECT_EQ(events, (std::vector<std::string>{"collapse Geometria", "expand Geometria"}));

  // One expanded: opening one closes all the others.
  events.clear();
  pal.SetOneExpanded(true);
  spazio->SetExpanded(false);
  spazio->SetExpanded(true);
  EXPECT_TRUE(spazio->Expanded());
  EXPECT_FALSE(geo->Expanded());
  EXPECT_FALSE(stili->Expanded());
  EXPECT_EQ(events, (std::vector<std::string>{"collapse Geometria nello Spazio", "expand Geometria nello Spazio",
                                              "collapse Geometria", "collapse Stili e Colori"}));
  // A user's resize of an open band is its new open height.
  spazio->resize(spazio->width(), 120);
  EXPECT_EQ(spazio->ExpandedHeight(), 120);
}

TEST_F(PaletteTest, AutoHeightFollowsTheBands) {
  Build();
  const int collapsed = 2 + Header() + 2;
  for (TRAScrollMaxBand* b : {geo, stili, spazio}) b->SetExpanded(false);
  pal.show();
  pal.SetAutoHeight(true);
  // Every band collapsed: the stacked headers and the frame on both sides.
  EXPECT_EQ(pal.height(), 3 * collapsed + 2 * 4);
  // One open: the tallest band plus the others collapsed.
  stili->SetExpanded(true);
  EXPECT_EQ(pal.height(), 272 + 2 * collapsed + 8);
  spazio->SetExpanded(true);
  EXPECT_EQ(pal.height(), 272 + 2 * collapsed + 8);
  // A fixed open height wins while some band is open.
  pal.SetExpandedHeight(200);
  EXPECT_EQ(pal.height(), 200);
  pal.resize(250, 230);
  EXPECT_EQ(pal.ExpandedHeight(), 230);
  EXPECT_EQ(pal.height(), 230);
  for (TRAScrollMaxBand* b : {stili, spazio}) b->SetExpanded(false);
  EXPECT_EQ(pal.height(), 3 * collapsed + 8);
  // The frame counts each bevel that is not none.
  pal.SetBevelInner(bvLowered);
  EXPECT_EQ(pal.height(), 3 * collapsed + 10);
}

TEST_F(PaletteTest, ScrollPosClampsAndMovesTheBands) {
  Build();
  pal.SetScrollPos(10000);
  EXPECT_EQ(pal.ScrollPos(), 525 - 142);
  EXPECT_EQ(geo->y(), -383);
  EXPECT_EQ(spazio->geometry().bottom() + 1, 142);
  EXPECT_EQ(pal.ScrollBar()->Position(), 383);
  pal.SetScrollPos(-5);
  EXPECT_EQ(pal.ScrollPos(), 0);
  pal.SetScrollPos(100);
  EXPECT_EQ(stili->y(), 61);
  // Collapsing the bands below leaves a gap under the last: the content comes down.
  stili->SetExpanded(false);
  spazio->SetExpanded(false);
  EXPECT_EQ(pal.ScrollPos(), 161 + 2 * (4 + Header()) - 142);
  geo->SetExpanded(false);
  EXPECT_EQ(pal.ScrollPos(), 0);
  // Opening a band that starts in view and ends below it scrolls its bottom into view.
  stili->SetExpanded(true);
  EXPECT_EQ(stili->geometry().bottom() + 1, 142);
}

TEST_F(PaletteTest, TheScrollBarsThumb) {
  TRAScrollBar bar;
  bar.resize(7, 102);
  EXPECT_EQ(bar.TrackLength(), 100);
  EXPECT_EQ(bar.Max(), 100);
  EXPECT_EQ(bar.Page(), 10);
  bar.SetInclusive(true);
  EXPECT_EQ(bar.ThumbLength(), 100 * 10 / 101 + 1);
  bar.SetPosition(45);
  EXPECT_EQ(bar.ThumbTop(), 45);
  bar.SetPosition(1000);
  EXPECT_EQ(bar.Position(), 90);
  EXPECT_EQ(bar.ThumbTop() + bar.ThumbLength(), 100);  // touches the bottom at the end
  EXPECT_EQ(bar.Scroller()->geometry(), QRect(1, 91, 5, 10));
  bar.SetInclusive(false);
  bar.SetPosition(1000);
  EXPECT_EQ(bar.Position(), 100);
  bar.SetPosition(-3);
  EXPECT_EQ(bar.Position(), 0);
  bar.SetPage(1);
  EXPECT_EQ(bar.ThumbLength(), 7);
  bar.SetPage(500);
  EXPECT_EQ(bar.Page(), 101);
  EXPECT_EQ(bar.ThumbLength(), 100);
  // Dragging the thumb: the range times the movement over the track.
  bar.SetParams(0, 200, 50, 0);
  bar.SetInclusive(true);
  int changes = 0, scrolls = 0;
  bar.OnChange = [&](QObject*) { ++changes; };
  bar.OnScroll = [&](QObject*) { ++scrolls; };
  bar.show();
  Drag(bar.Scroller(), QPoint(2, 2), QPoint(2, 12));
  EXPECT_EQ(bar.Position(), 20);
  EXPECT_EQ(scrolls, 2);
  EXPECT_EQ(changes, 2);
}

TEST_F(PaletteTest, DraggingTheBandsAndTheThumbScrolls) {
  Build();
  pal.show();
  int scrolled = 0;
  pal.OnScroll = [&](QObject*) { ++scrolled; };
  EXPECT_EQ(geo->cursor().shape(), crRAHand);
  const QPoint origin = geo->mapToGlobal(QPoint(0, 0));
  Mouse(geo, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, origin);
  EXPECT_EQ(geo->cursor().shape(), crRAHandMove);
  Mouse(geo, QEvent::MouseMove, QPoint(100, 60), Qt::LeftButton, origin);
  EXPECT_EQ(pal.ScrollPos(), 40);
  EXPECT_EQ(pal.ScrollBar()->Position(), 40);
  EXPECT_EQ(geo->y(), -40);
  // Never past the last band's bottom at the container's bottom.
  Mouse(geo, QEvent::MouseMove, QPoint(100, -1000), Qt::LeftButton, origin);
  EXPECT_EQ(pal.ScrollPos(), 383);
  Mouse(geo, QEvent::MouseButtonRelease, QPoint(100, -1000), Qt::NoButton, origin);
  EXPECT_EQ(geo->cursor().shape(), crRAHand);
  // The other way, never past the first band's top at 0.
  Drag(spazio, QPoint(100, 10), QPoint(100, 2000));
  EXPECT_EQ(pal.ScrollPos(), 0);
  EXPECT_EQ(scrolled, 0);
  // The thumb: 383 positions over a track of 140.
  Drag(pal.ScrollBar()->Scroller(), QPoint(2, 2), QPoint(2, 72));
  EXPECT_EQ(pal.ScrollPos(), 525 * 70 / 140);
  EXPECT_EQ(geo->y(), -pal.ScrollPos());
  EXPECT_EQ(scrolled, 2);

  // Everything fits: dragging does nothing and the cursor stays the default one.
  for (TRAScrollMaxBand* b : {geo, stili, spazio}) b->SetExpanded(false);
  EXPECT_EQ(pal.ScrollPos(), 0);
  EXPECT_TRUE(pal.Fits());
  EXPECT_FALSE(geo->testAttribute(Qt::WA_SetCursor));
  const QPoint at = geo->mapToGlobal(QPoint(0, 0));
  Mouse(geo, QEvent::MouseButtonPress, QPoint(50, 5), Qt::LeftButton, at);
  EXPECT_FALSE(geo->testAttribute(Qt::WA_SetCursor));
  Mouse(geo, QEvent::MouseMove, QPoint(50, -50), Qt::LeftButton, at);
  Mouse(geo, QEvent::MouseButtonRelease, QPoint(50, -50), Qt::NoButton, at);
  EXPECT_EQ(pal.ScrollPos(), 0);
  EXPECT_EQ(geo->y(), 0);
}

TEST_F(PaletteTest, AControlThatTakesTheFocusIsScrolledIntoView) {
  Build();
  auto* low = new QLineEdit(stili);
  low->setGeometry(10, 200, 100, 20);
  auto* high = new QLineEdit(geo);
  high->setGeometry(10, 10, 100, 20);
  pal.show();
  QApplication::setActiveWindow(&pal);
  // Below the view: scrolled until its bottom (and 8 more) shows.
  low->setFocus();
  ASSERT_TRUE(low->hasFocus());
  EXPECT_EQ(pal.ScrollPos(), (4 + 161 + 200 + 20 - 1 + 8) - 145);
  // Above the view: scrolled until its top (and 8 more) shows.
  high->setFocus();
  EXPECT_EQ(pal.ScrollPos(), 2);
  // A collapsed band opens for its control.
  stili->SetExpanded(false);
  low->setFocus();
  EXPECT_TRUE(stili->Expanded());
  const int y = low->mapTo(&pal, QPoint(0, 0)).y();
  EXPECT_GE(y - 8, 4);
  EXPECT_LE(y + 19 + 8, 145);
}

TEST_F(PaletteTest, ButtonFontAndBevelAreInherited) {
  Build();
  QFont big("DejaVu Sans");
  big.setPixelSize(20);
  pal.SetButtonFont(big);
  EXPECT_TRUE(SameFont(geo->ButtonFont(), big));
  EXPECT_EQ(geo->Button()->height(), QFontMetrics(big).height() + 4);
  EXPECT_TRUE(geo->ParentButtonFont());
  // A band's own font: it stops inheriting.
  QFont small("DejaVu Sans");
  small.setPixelSize(9);
  stili->SetButtonFont(small);
  EXPECT_FALSE(stili->ParentButtonFont());
  pal.SetButtonFont(pal.font());
  EXPECT_TRUE(SameFont(stili->ButtonFont(), small));
  EXPECT_EQ(stili->Button()->height(), QFontMetrics(small).height() + 4);
  // Changing the header button's font itself counts as the band's own.
  spazio->Button()->setFont(big);
  EXPECT_FALSE(spazio->ParentButtonFont());
  stili->SetParentButtonFont(true);
  EXPECT_TRUE(SameFont(stili->ButtonFont(), pal.font()));

  pal.SetBeveled(false);
  EXPECT_FALSE(geo->Beveled());
  pal.SetButtonVisible(false);
  EXPECT_FALSE(geo->Button()->isVisibleTo(geo));
  EXPECT_EQ(geo->ClientRect().top(), 0);
}

TEST_F(PaletteTest, BandsDrawAnEtchedEdgeBrokenBehindTheirHeader) {
  Build();
  pal.show();
  const QRgb shadow = test::Rgb(ToQColor(clBtnShadow)), highlight = test::Rgb(ToQColor(clBtnHighlight));
  const int top = 2 + Header() / 2;
  QImage shot = test::Shot(*geo);
  EXPECT_EQ(shot.pixel(0, 80), shadow);
  EXPECT_EQ(shot.pixel(1, 80), highlight);
  EXPECT_EQ(shot.pixel(231, 80), highlight);
  EXPECT_EQ(shot.pixel(230, 80), shadow);
  EXPECT_EQ(shot.pixel(5, top), shadow);
  EXPECT_EQ(shot.pixel(5, top + 1), highlight);
  EXPECT_EQ(shot.pixel(5, top - 1), test::Rgb(pal.palette().color(QPalette::Window)));
  EXPECT_NE(shot.pixel(15, top), shadow);  // the strip behind the header
  geo->SetExpanded(false);
  shot = test::Shot(*geo);
  EXPECT_EQ(shot.pixel(5, top), shadow);
  EXPECT_EQ(shot.pixel(5, top + 1), highlight);
  EXPECT_NE(shot.pixel(0, geo->height() - 1), shadow);
}

}  // namespace
}  // namespace qx
