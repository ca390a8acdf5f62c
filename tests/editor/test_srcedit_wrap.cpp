// Word wrap in the control: rows on screen, the caret over wrapped rows, the gutter's mark
// on continuation rows, and switching it off again.
#include "tests/editor/WidgetTestSupport.h"

namespace qx::test {
namespace {

void FitColumns(TCustomSrcEdit& ed, int columns) {
  for (int i = 0; i < 3 && ed.CharsInWindow() != columns; ++i) {
    ed.resize(ed.width() + (columns - ed.CharsInWindow()) * ed.CharWidth(), ed.height());
    QApplication::processEvents();
  }
}

TEST(SrcEditWordWrap, LongLinesShowAsSeveralRows) {
  auto ed = ShownEditor();
  FitColumns(*ed, 20);
  ASSERT_EQ(ed->CharsInWindow(), 20);
  SetText(*ed, std::u32string(30, U'a') + U"\nxy\nuno due tre quattro cinque sei");
  ed->SetWordWrap(true);
  EXPECT_TRUE(ed->WordWrap());
  EXPECT_EQ(ed->DisplayLineCount(), 5);
  EXPECT_EQ(ed->RowToLine(4), 3);
  EXPECT_EQ(ed->LineToRow(3), 4);
  Key(*ed, Qt::Key_End);
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{21, 1}));  // the end of the first row
  ed->SetCaretXY({31, 1});
  EXPECT_EQ(ed->DisplayXY(), (TDisplayPos{11, 2}));
  Key(*ed, Qt::Key_Down);
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{11, 2}));  // past the end of "xy": the default options allow it
  Key(*ed, Qt::Key_Up);
  Key(*ed, Qt::Key_Up);
  EXPECT_EQ(ed->CaretY(), 1);
  EXPECT_LE(ed->CaretX(), 21);
  // Typing in a wrapped line wraps it again.
  ed->SetCaretXY({1, 2});
  Type(*ed, QString(25, QLatin1Char('z')));
  EXPECT_EQ(ed->DisplayLineCount(), 6);
  // The continuation rows carry the wrap mark in the gutter: dark pixels where the first
  // row of a line has none.
  const QImage img = Picture(*ed);
  auto dark = [&](int row) {
    int n = 0;
    for (int y = (row - 1) * ed->LineHeight(); y < row * ed->LineHeight(); ++y)
      for (int x = 0; x < ed->GutterWidth() - 2; ++x)
        if (QColor(img.pixel(x, y)).lightness() < 60) ++n;
    return n;
  };
  EXPECT_EQ(dark(1), 0);
  EXPECT_GT(dark(2), 3);
  ed->SetWordWrap(false);
  EXPECT_EQ(ed->DisplayLineCount(), 3);
  EXPECT_EQ(ed->RowToLine(3), 3);
}

}  // namespace
}  // namespace qx::test
