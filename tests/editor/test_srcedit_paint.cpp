// Painting read back by pixel probes, and the rectangles the control invalidates.
#include <QPaintEvent>
#include <climits>

#include "tests/editor/WidgetTestSupport.h"

namespace qx::test {
namespace {

bool IsBlend(QRgb p, QColor fg, QColor bg) {
  // A pixel of anti-aliased text lies on the line between the two colours.
  const QColor c(p);
  for (int t = 0; t <= 255; ++t) {
    const int r = (fg.red() * t + bg.red() * (255 - t)) / 255;
    const int g = (fg.green() * t + bg.green() * (255 - t)) / 255;
    const int b = (fg.blue() * t + bg.blue() * (255 - t)) / 255;
    if (std::abs(c.red() - r) <= 2 && std::abs(c.green() - g) <= 2 && std::abs(c.blue() - b) <= 2) return true;
  }
  return false;
}

// Every pixel of the line right of the gutter is the foreground, the background or a blend.
void ExpectLineIn(const QImage& img, const TCustomSrcEdit& ed, int line, QColor fg, QColor bg) {
  const TBand band = RowBand(img, ed, line, ed.GutterWidth() + 2, img.width());
  int foreign = 0;
  for (QRgb p : band.Pixels)
    if (!IsBlend(p, fg, bg)) ++foreign;
  EXPECT_EQ(foreign, 0) << "line " << line;
  EXPECT_GT(band.Count(fg.rgb()) + 1, 1) << "no text pixels on line " << line;
  EXPECT_GT(band.Count(bg.rgb()), band.Total / 2) << "line " << line;
}

TEST(SrcEditPaint, SpecialLinesTakeTheirColoursKeywordsIncluded) {
  auto ed = ShownEditor();
  TSynSampleSyn hl;
  ed->SetHighlighter(&hl);
  SetText(*ed, U"x = 1;\nPER (I DA 1 A 5) ESEGUI;\nFINE;\ny = 2;");
  ed->OnSpecialLineColors = [](TCustomSrcEdit*, int line, bool& special, TColor& fg, TColor& bg) {
    if (line == 2) {
      special = true;
      fg = clWhite;
      bg = clBlue;
    } else if (line == 3) {
      special = true;
      fg = clWhite;
      bg = clRed;
    }
  };
  const QImage img = Picture(*ed);
  ExpectLineIn(img, *ed, 2, Qt::white, Qt::blue);
  ExpectLineIn(img, *ed, 3, Qt::white, Qt::red);
  // The keywords are bold on the special lines too, and still white.
  const TBand fine = RowBand(img, *ed, 3, ColumnX(*ed, 1), ColumnX(*ed, 5));
  EXPECT_GT(fine.Count(QColor(Qt::white).rgb()), 10);
  // A plain line keeps the window's colours.
  const TBand plain = RowBand(img, *ed, 4, ColumnX(*ed, 10), ColumnX(*ed, 30));
  EXPECT_EQ(plain.Count(QColor(Qt::white).rgb()), plain.Total);
}

TEST(SrcEditPaint, SelectionRunsFromItsFirstCellToTheRightEdgeOfTheWindow) {
  auto ed = ShownEditor();
  ed->SelectedColor().SetBackground(clYellow);
  ed->SelectedColor().SetForeground(clBlack);
  SetText(*ed, U"xxxxxxxx\nxx\nxxxxxxxx");
  ed->SetCaretAndSelection({3, 3}, {5, 1}, {3, 3});
  const QImage img = Picture(*ed);
  const QRgb yellow = QColor(Qt::yellow).rgb(), white = QColor(Qt::white).rgb();
  const int top1 = 0, top2 = ed->LineHeight();
  // Line 1: columns 1-4 unselected, column 5 to the window's edge selected.
  EXPECT_EQ(img.pixel(ColumnX(*ed, 2), top1), white);
  EXPECT_EQ(img.pixel(ColumnX(*ed, 5), top1), yellow);
  EXPECT_EQ(img.pixel(img.width() - 2, top1), yellow);
  // Line 2 is a full line: selected from column 1 to the edge, past its text.
  EXPECT_EQ(img.pixel(ColumnX(*ed, 1), top2), yellow);
  EXPECT_EQ(img.pixel(ColumnX(*ed, 20), top2), yellow);
  EXPECT_EQ(img.pixel(img.width() - 2, top2 + 1), yellow);
  // Line 3: columns 1-2 selected, the rest not.
  EXPECT_EQ(img.pixel(ColumnX(*ed, 1) + 1, 2 * top2), yellow);
  EXPECT_EQ(img.pixel(ColumnX(*ed, 4), 2 * top2), white);
  EXPECT_EQ(img.pixel(img.width() - 2, 2 * top2), white);
  // Line 4 does not exist: the window's colour.
  EXPECT_EQ(img.pixel(ColumnX(*ed, 1), 3 * top2 + 1), white);
  // On a special line the selection shows the special colours swapped.
  ed->OnSpecialLineColors = [](TCustomSrcEdit*, int line, bool& special, TColor& fg, TColor& bg) {
    if (line == 2) {
      special = true;
      fg = clWhite;
      bg = clBlue;
    }
  };
  const QImage swapped = Picture(*ed);
  EXPECT_EQ(swapped.pixel(ColumnX(*ed, 20), top2), white);
}

TEST(SrcEditPaint, TheActiveLineColourFollowsTheCaret) {
  auto ed = ShownEditor();
  SetText(*ed, U"aaa\nbbb\nccc");
  ed->SetActiveLineColor(clAqua);
  const QRgb aqua = QColor(Qt::cyan).rgb(), white = QColor(Qt::white).rgb();
  QImage img = Picture(*ed);
  const int x = ColumnX(*ed, 30), lh = ed->LineHeight();
  EXPECT_EQ(img.pixel(x, 1), aqua);
  EXPECT_EQ(img.pixel(x, lh + 1), white);
  Key(*ed, Qt::Key_Down);
  img = Picture(*ed);
  EXPECT_EQ(img.pixel(x, 1), white);
  EXPECT_EQ(img.pixel(x, lh + 1), aqua);
}

TEST(SrcEditPaint, TheRightEdgeIsASilverLineAfterItsColumnAndNoneAtZero) {
  auto ed = ShownEditor(20, 1200);
  SetText(*ed, U"abc");
  const int x = ed->TextOffset() + 80 * ed->CharWidth();
  ASSERT_LT(x, ed->viewport()->width());
  QImage img = Picture(*ed);
  const QRgb silver = QColor(192, 192, 192).rgb(), white = QColor(Qt::white).rgb();
  EXPECT_EQ(img.pixel(x, 3), silver);
  EXPECT_EQ(img.pixel(x, 5 * ed->LineHeight()), silver);  // below the text too
  EXPECT_EQ(img.pixel(x + 1, 3), white);
  EXPECT_EQ(img.pixel(x - 1, 3), white);
  ed->SetRightEdge(0);
  img = Picture(*ed);
  EXPECT_EQ(img.pixel(x, 3), white);
}

TEST(SrcEditPaint, CommentsAcrossLinesTakeTheCommentColour) {
  auto ed = ShownEditor();
  TSynSampleSyn hl;
  ed->SetHighlighter(&hl);
  SetText(*ed, U"x /* uno\ndue */ STAMPA(1);");
  const QImage img = Picture(*ed);
  auto count = [&](int line, int c1, int c2, auto pred) {
    int n = 0;
    for (QRgb p : RowBand(img, *ed, line, ColumnX(*ed, c1), ColumnX(*ed, c2)).Pixels)
      if (pred(QColor(p))) ++n;
    return n;
  };
  auto navy = [](QColor c) { return c.blue() > c.red() + 60 && c.red() == c.green(); };
  auto black = [](QColor c) { return c.red() < 90 && c.green() < 90 && c.blue() < 90; };
  EXPECT_GT(count(1, 3, 9, navy), 10);
  EXPECT_EQ(count(1, 3, 9, black), 0);
  EXPECT_GT(count(2, 1, 7, navy), 10);
  EXPECT_EQ(count(2, 1, 7, black), 0);
  // After the comment the keyword is plain black.
  EXPECT_EQ(count(2, 8, 14, navy), 0);
  EXPECT_GT(count(2, 8, 14, black), 10);
}

// Forty lines in a window of twenty rows, painted once.
void RigheDaScorrere(TCustomSrcEdit& ed) {
  FitRows(ed, 20);
  std::u32string text;
  for (int i = 1; i <= 40; ++i) text += U"line " + std::u32string(1, U'a' + i % 26) + U"\n";
  SetText(ed, text);
  QApplication::processEvents();
}

TEST(SrcEditInvalidation, AChangedLineARangeAndAnInsertedLine) {
  auto ed = ShownEditor<TRecordingSrcEdit>();
  RigheDaScorrere(*ed);
  const int gw = ed->GutterWidth(), lh = ed->LineHeight(), w = ed->viewport()->width();
  ASSERT_EQ(ed->LinesInWindow(), 20);

  ed->Invalidated.clear();
  ed->Lines().Put(4, U"changed");
  EXPECT_EQ(ed->Invalidated, (std::vector<QRect>{QRect(gw, 4 * lh, w - gw, lh)}));

  ed->Invalidated.clear();
  ed->InvalidateLines(6, 3);
  EXPECT_EQ(ed->Invalidated, (std::vector<QRect>{QRect(gw, 2 * lh, w - gw, 4 * lh)}));

  ed->Invalidated.clear();
  ed->InvalidateLine(25);  // below the window
  ed->InvalidateLines(30, 35);
  EXPECT_TRUE(ed->Invalidated.empty());

  // An inserted line repaints text and gutter from itself to the bottom of the window
  // (rows 5 to 21, the last one partly visible).
  ed->Invalidated.clear();
  ed->Lines().Insert(4, U"new");
  EXPECT_EQ(ed->Invalidated, (std::vector<QRect>{QRect(0, 4 * lh, w, 17 * lh)}));
}

TEST(SrcEditInvalidation, OpeningACommentRepaintsTheLinesBelowIt) {
  auto ed = ShownEditor<TRecordingSrcEdit>();
  FitRows(*ed, 20);
  TSynSampleSyn hl;
  ed->SetHighlighter(&hl);
  SetText(*ed, U"a = 1;\nb = 2;\nc = 3; */\nd = 4;\ne = 5;");
  const int gw = ed->GutterWidth(), lh = ed->LineHeight(), w = ed->viewport()->width();
  ed->Invalidated.clear();
  ed->Lines().Put(0, U"/* a = 1;");  // the comment now runs to line 3
  EXPECT_EQ(ed->Invalidated, (std::vector<QRect>{QRect(gw, 0, w - gw, 3 * lh)}));
  ed->Invalidated.clear();
  ed->Lines().Put(3, U"d = 5;");  // a line whose range does not change
  EXPECT_EQ(ed->Invalidated, (std::vector<QRect>{QRect(gw, 3 * lh, w - gw, lh)}));
}

// Counts the paints of a widget and the region each covered.
class ContaDipinture : public QObject {
 public:
  std::vector<QRegion> Regioni;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) Regioni.push_back(static_cast<QPaintEvent*>(e)->region());
    return false;
  }
};

// A run shows the line of each statement it runs: asking again for a line that waits to be
// painted is skipped, so what is asked for must still be painted, at every paint.
TEST(SrcEditInvalidation, ALineAskedForAgainIsPaintedAtEveryPaint) {
  auto ed = ShownEditor();
  RigheDaScorrere(*ed);
  const int gw = ed->GutterWidth(), lh = ed->LineHeight(), w = ed->viewport()->width();
  const QRect riga3(gw, 2 * lh, w - gw, lh), riga5(gw, 4 * lh, w - gw, lh);
  ContaDipinture conta;
  ed->viewport()->installEventFilter(&conta);
  for (int volta = 0; volta < 3; ++volta) {
    conta.Regioni.clear();
    for (int i = 0; i < 4; ++i) {
      ed->InvalidateLines(3, 3);
      ed->InvalidateLines(5, 5);
    }
    QApplication::processEvents();
    ASSERT_EQ(conta.Regioni.size(), 1u) << volta;
    EXPECT_TRUE(conta.Regioni[0].contains(riga3)) << volta;
    EXPECT_TRUE(conta.Regioni[0].contains(riga5)) << volta;
  }
  // Scrolled by a line: the band asked for before the scroll now shows the next line, which
  // is asked for in its turn.
  conta.Regioni.clear();
  ed->InvalidateLines(5, 5);
  ed->SetTopLine(2);
  ed->InvalidateLines(6, 6);
  QApplication::processEvents();
  ASSERT_FALSE(conta.Regioni.empty());
  EXPECT_TRUE(conta.Regioni.back().contains(riga5));
  ed->viewport()->removeEventFilter(&conta);
}

// What the window shows: the backing store that the widget's own paints went into, read back
// from the off-screen screen. (grab() would paint the whole widget afresh and hide a band the
// widget forgot to ask for.)
QImage OnScreen(TCustomSrcEdit& ed) {
  QApplication::processEvents();
  const QImage window = ed.screen()->grabWindow(ed.winId()).toImage().convertToFormat(QImage::Format_RGB32);
  return window.copy(QRect(ed.viewport()->mapTo(&ed, QPoint(0, 0)), ed.viewport()->size()));
}

// The lines whose rows the window shows otherwise than a paint of the whole window does.
std::vector<int> RowsUnlikeAFullPaint(TCustomSrcEdit& ed) {
  const QImage shown = OnScreen(ed);
  ed.viewport()->update();
  const QImage full = OnScreen(ed);
  std::vector<int> lines;
  const int lh = ed.LineHeight();
  for (int row = 0; row < ed.LinesInWindow(); ++row)
    if (shown.copy(0, row * lh, shown.width(), lh) != full.copy(0, row * lh, full.width(), lh))
      lines.push_back(ed.TopLine() + row);
  return lines;
}

// A paste that scrolls the window repaints the lines it changed where they now stand: the
// rows collected while the text changed were measured from the top line before the scroll.
TEST(SrcEditPaint, APasteThatScrollsShowsWhatAFullRepaintShows) {
  auto ed = ShownEditor();
  ConfigureProgramEditor(*ed);
  TSynSampleSyn hl;
  ed->SetHighlighter(&hl);
  FitRows(*ed, 25);
  ASSERT_EQ(ed->LinesInWindow(), 25);
  std::u32string text;
  for (int i = 1; i <= 30; ++i) {
    const std::u32string n = QString::number(i).toStdU32String();
    text += U"v" + n + U" := " + n + U";" + (i < 30 ? U"\n" : U"");
  }
  SetText(*ed, text);
  // Lines 1-20 copied, pasted at the end of the last line.
  for (int i = 0; i < 20; ++i) Key(*ed, Qt::Key_Down, Qt::ShiftModifier);
  Key(*ed, Qt::Key_C, Qt::ControlModifier);
  Key(*ed, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(ed->TopLine(), 6);
  QApplication::processEvents();
  Key(*ed, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(ed->Lines().Count(), 50);
  EXPECT_EQ(Utf8(ed->Lines().Get(29)), "v30 := 30;v1 := 1;");
  EXPECT_EQ(ed->TopLine(), 26);
  EXPECT_EQ(RowsUnlikeAFullPaint(*ed), std::vector<int>{});
  // Pasted at the start of line 20: the caret goes below the window, which scrolls by 15.
  Key(*ed, Qt::Key_Home, Qt::ControlModifier);
  for (int i = 0; i < 19; ++i) Key(*ed, Qt::Key_Down);
  QApplication::processEvents();
  Key(*ed, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Utf8(ed->Lines().Get(19)), "v1 := 1;");
  EXPECT_EQ(ed->TopLine(), 16);
  EXPECT_EQ(RowsUnlikeAFullPaint(*ed), std::vector<int>{});
}

}  // namespace
}  // namespace qx::test
