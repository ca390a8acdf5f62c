// The caret and the window onto the text: clamping, the top line's limits, the scroll bars
// and their hint, paging, the wheel, the remembered column; and the mended behaviours.
#include <QLabel>
#include <QWheelEvent>

#include "tests/editor/WidgetTestSupport.h"

namespace qx::test {
namespace {

std::u32string NumberedLines(int n) {
  std::u32string text;
  for (int i = 1; i <= n; ++i) {
    const std::string s = "riga " + std::to_string(i);
    text += std::u32string(s.begin(), s.end());
    if (i < n) text += U"\n";
  }
  return text;
}

TEST(SrcEditCaret, TheCaretIsClampedByTheOptions) {
  auto ed = ShownEditor();
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{1, 1}));
  ed->SetCaretXY({5, 7});  // an empty buffer has only line 1, and room past its end
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{5, 1}));
  ed->SetOptions(ed->Options() - eoScrollPastEol);
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{1, 1}));
  ed->SetOptions(ed->Options() + eoScrollPastEol);
  SetText(*ed, U"0123456789\nab");
  ed->SetCaretXY({50, 1});  // past the end of the line is allowed by default
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{50, 1}));
  ed->SetCaretXY({2000, 1});
  EXPECT_EQ(ed->CaretX(), 1025);
  ed->SetOptions(ed->Options() + eoAutoSizeMaxScrollWidth);
  ed->SetCaretXY({2000, 1});
  EXPECT_EQ(ed->CaretX(), 2000);
  ed->SetOptions(ed->Options() - eoScrollPastEol);
  EXPECT_EQ(ed->CaretX(), 11);  // the options setter clamps the caret at once
  ed->SetCaretXY({50, 1});
  EXPECT_EQ(ed->CaretX(), 11);
  ed->SetCaretXY({1, 9});
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{1, 2}));
  ed->SetCaretXY({-3, -3});
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{1, 1}));
}

TEST(SrcEditCaret, TopLineLimitsAndTheVerticalScrollBar) {
  auto ed = ShownEditor(20);
  SetText(*ed, NumberedLines(100));
  ASSERT_EQ(ed->LinesInWindow(), 20);
  ed->SetTopLine(200);
  EXPECT_EQ(ed->TopLine(), 81);
  ed->SetTopLine(-4);
  EXPECT_EQ(ed->TopLine(), 1);
  QScrollBar* bar = ed->verticalScrollBar();
  EXPECT_EQ(bar->minimum(), 1);
  EXPECT_EQ(bar->maximum(), 81);  // 100 lines, 20 to a page
  EXPECT_EQ(bar->pageStep(), 20);
  ed->SetTopLine(30);
  EXPECT_EQ(bar->value(), 30);
  // Past the end of the text by a window less one row.
  ed->SetOptions(ed->Options() + eoScrollPastEof);
  ed->SetTopLine(200);
  EXPECT_EQ(ed->TopLine(), 100);
  EXPECT_EQ(bar->maximum(), 100);
  // Clicking below the thumb pages down.
  ed->SetOptions(ed->Options() - eoScrollPastEof);
  ed->SetTopLine(1);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(ed->TopLine(), 21);
  bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(ed->TopLine(), 20);
  // The horizontal bar runs to the scroll width while the caret may go past line ends.
  QScrollBar* h = ed->horizontalScrollBar();
  EXPECT_EQ(h->pageStep(), ed->CharsInWindow());
  EXPECT_EQ(h->maximum(), 1024 - ed->CharsInWindow() + 1);
}

TEST(SrcEditCaret, DraggingTheThumbShowsTheTopLineInAHint) {
  auto ed = ShownEditor(20);
  SetText(*ed, NumberedLines(100));
  QScrollBar* bar = ed->verticalScrollBar();
  bar->setSliderDown(true);
  bar->setSliderPosition(5);
  EXPECT_EQ(ed->TopLine(), 5);
  QLabel* hint = TCustomSrcEdit::ScrollHintWindow();
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(hint->isVisible());
  EXPECT_EQ(hint->text(), QStringLiteral("Top Line: 5"));
  ed->SetScrollHintFormat(shfTopToBottom);
  bar->setSliderPosition(7);
  EXPECT_EQ(hint->text(), QStringLiteral("7 - 27"));
  bar->setSliderDown(false);
  EXPECT_FALSE(hint->isVisible());
  EXPECT_EQ(ed->TopLine(), 7);
}

TEST(SrcEditCaret, PagingTheWheelAndScrollingTheCaretIntoView) {
  auto ed = ShownEditor(20);
  SetText(*ed, NumberedLines(100));
  Key(*ed, Qt::Key_PageDown);
  EXPECT_EQ(ed->TopLine(), 21);
  EXPECT_EQ(ed->CaretY(), 21);
  Key(*ed, Qt::Key_PageUp);
  EXPECT_EQ(ed->TopLine(), 1);
  EXPECT_EQ(ed->CaretY(), 1);
  Key(*ed, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{9, 100}));
  EXPECT_EQ(ed->TopLine(), 81);
  Key(*ed, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(ed->TopLine(), 1);
  // One notch of the wheel scrolls by the system's number of lines.
  QWheelEvent down(QPointF(50, 50), ed->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(ed->viewport(), &down);
  EXPECT_EQ(ed->TopLine(), 1 + QApplication::wheelScrollLines());
  // Ctrl+Up and Ctrl+Down scroll without moving the caret off the window.
  ed->SetTopLine(1);
  ed->SetCaretXY({1, 1});
  Key(*ed, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(ed->TopLine(), 2);
  EXPECT_EQ(ed->CaretY(), 2);
  // A long line scrolls the window sideways to the caret.
  SetText(*ed, std::u32string(300, U'x'));
  Key(*ed, Qt::Key_End);
  EXPECT_EQ(ed->CaretX(), 301);
  EXPECT_EQ(ed->LeftChar(), 301 - ed->CharsInWindow() + 1);
  Key(*ed, Qt::Key_Home);
  EXPECT_EQ(ed->LeftChar(), 1);
}

TEST(SrcEditCaret, VerticalMovesKeepTheRememberedColumn) {
  auto ed = ShownEditor();
  ConfigureProgramEditor(*ed);  // with the remembered column
  SetText(*ed, U"abcdefghij\nab\nabcdefghij");
  ed->SetCaretXY({8, 1});
  Key(*ed, Qt::Key_Down);
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{3, 2}));
  Key(*ed, Qt::Key_Down);
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{8, 3}));
  Key(*ed, Qt::Key_Up);
  Key(*ed, Qt::Key_Up);
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{8, 1}));
  // Tabs: the column is a display column.
  SetText(*ed, U"\tx\n0123456789");
  ed->SetCaretXY({2, 1});  // display column 9
  Key(*ed, Qt::Key_Down);
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{9, 2}));
}

TEST(SrcEditCaret, PixelsAndPositions) {
  auto ed = ShownEditor();
  SetText(*ed, U"abc\tdef");
  const int cw = ed->CharWidth(), lh = ed->LineHeight(), x0 = ed->GutterWidth() + 2;
  EXPECT_EQ(ed->RowColumnToPixels({3, 2}), QPoint(x0 + 2 * cw, lh));
  EXPECT_EQ(ed->PixelsToRowColumn(x0 + 2 * cw + cw - 1, lh), (TDisplayPos{3, 2}));
  // Rounded to the nearest cell edge, halves to even.
  EXPECT_EQ(ed->PixelsToNearestRowColumn(x0 + cw / 2 - 1, 0).Column, 1);
  EXPECT_EQ(ed->PixelsToNearestRowColumn(x0 + cw - 1, 0).Column, 2);
  if (cw % 2 == 0) {
    EXPECT_EQ(ed->PixelsToNearestRowColumn(x0 + cw / 2, 0).Column, 1);           // 0.5 rounds to 0
    EXPECT_EQ(ed->PixelsToNearestRowColumn(x0 + cw + cw / 2, 0).Column, 3);      // 1.5 rounds to 2
  }
  // A tab covers display columns 4 to 8: every one of them stands before the tab.
  EXPECT_EQ(ed->BufferToDisplayPos({5, 1}), (TDisplayPos{9, 1}));
  for (int col = 4; col <= 8; ++col) EXPECT_EQ(ed->DisplayToBufferPos({col, 1}), (TBufferCoord{4, 1}));
  EXPECT_EQ(ed->DisplayToBufferPos({12, 1}), (TBufferCoord{8, 1}));
  EXPECT_EQ(ed->DisplayToBufferPos({15, 1}), (TBufferCoord{11, 1}));
}

// ---- behaviours mended where the original went wrong; each was a fault once ----

TEST(SrcEditMends, CentringALineJustAboveTheWindowShowsIt) {
  auto ed = ShownEditor(20);
  SetText(*ed, NumberedLines(100));
  ed->SetBookMark(1, 1, 49);
  ed->SetTopLine(50);
  ed->GotoBookMark(1);
  EXPECT_EQ(ed->CaretY(), 49);
  EXPECT_LE(ed->TopLine(), 49);
  EXPECT_GE(ed->TopLine() + ed->LinesInWindow() - 1, 49);
  // And a line far below is centred.
  ed->SetBookMark(2, 1, 90);
  ed->SetTopLine(1);
  ed->GotoBookMark(2);
  EXPECT_LE(ed->TopLine(), 90);
  EXPECT_GE(ed->TopLine() + ed->LinesInWindow() - 1, 90);
}

TEST(SrcEditMends, InsertingWhileTrimmingLeavesTheCaretAfterTheInsertedText) {
  auto ed = ShownEditor();
  ConfigureProgramEditor(*ed);
  SetText(*ed, U"abcdef");
  ed->SetCaretXY({3, 1});
  ed->ReplaceSelectedText(U"XY");
  EXPECT_EQ(Utf8(Text(*ed)), "abXYcdef");
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{5, 1}));
  ed->ReplaceSelectedText(U"1\n22");
  EXPECT_EQ(Utf8(Text(*ed)), "abXY1\r\n22cdef");
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{3, 2}));
  // Inserting at the end of a line.
  ed->SetCaretXY({7, 2});
  ed->ReplaceSelectedText(U"Z");
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{8, 2}));
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "abXY1\r\n22cdef");
}

TEST(SrcEditMends, UndoOfALineBreakPastTheEndOfALineLeavesNoBlanks) {
  auto ed = ShownEditor();  // the caret may stand past the end of lines
  SetText(*ed, U"abc\nxyz");
  ed->SetCaretXY({10, 1});
  Key(*ed, Qt::Key_Return);
  EXPECT_EQ(ed->Lines().Count(), 3);
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "abc\r\nxyz");
  // Redo breaks the line again through the command.
  Key(*ed, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(ed->Lines().Count(), 3);
  EXPECT_EQ(Utf8(ed->Lines().Get(0)), "abc");
  // A break in the middle of a line: undo joins the halves again.
  SetText(*ed, U"abcdef");
  ed->SetCaretXY({4, 1});
  Key(*ed, Qt::Key_Return);
  EXPECT_EQ(Utf8(Text(*ed)), "abc\r\ndef");
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "abcdef");
  Key(*ed, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "abc\r\ndef");
}

TEST(SrcEditMends, UndoOfAPasteRemovesThePastedTextAndRestoresTheSelection) {
  auto ed = ShownEditor();
  SetText(*ed, U"uno due tre");
  QApplication::clipboard()->setText(QStringLiteral("UNO\nDUE"));
  ed->SetCaretXY({5, 1});
  ed->PasteFromClipboard();
  EXPECT_EQ(Utf8(Text(*ed)), "uno UNO\r\nDUEdue tre");
  ed->Undo();
  EXPECT_EQ(Utf8(Text(*ed)), "uno due tre");
  ed->Redo();
  EXPECT_EQ(Utf8(Text(*ed)), "uno UNO\r\nDUEdue tre");
  ed->Undo();
  // Pasting over a selection is one step that gives the selection back.
  ed->SetCaretAndSelection({8, 1}, {5, 1}, {8, 1});
  ed->PasteFromClipboard();
  EXPECT_EQ(Utf8(Text(*ed)), "uno UNO\r\nDUE tre");
  ed->Undo();
  EXPECT_EQ(Utf8(Text(*ed)), "uno due tre");
  EXPECT_EQ(Utf8(ed->SelText()), "due");
  // Into an empty editor.
  auto empty = ShownEditor();
  empty->PasteFromClipboard();
  EXPECT_EQ(Utf8(Text(*empty)), "UNO\r\nDUE");
  empty->Undo();
  EXPECT_EQ(Utf8(Text(*empty)), "");
}

TEST(SrcEditMends, CutRecordsAnUndoStepInEveryMode) {
  auto ed = ShownEditor();
  SetText(*ed, U"abcdef\nghijkl\nmnopqr");
  // Line mode.
  ed->SetSelectionMode(smLine);
  ed->SetCaretAndSelection({3, 2}, {3, 1}, {3, 2});
  ed->CutToClipboard();
  EXPECT_EQ(Utf8(Text(*ed)), "mnopqr");
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("abcdef\r\nghijkl\r\n"));
  ed->Undo();
  EXPECT_EQ(Utf8(Text(*ed)), "abcdef\r\nghijkl\r\nmnopqr");
  // Column mode.
  ed->SetSelectionMode(smColumn);
  ed->SetCaretAndSelection({4, 3}, {2, 1}, {4, 3});
  ed->CutToClipboard();
  EXPECT_EQ(Utf8(Text(*ed)), "adef\r\ngjkl\r\nmpqr");
  ed->Undo();
  EXPECT_EQ(Utf8(Text(*ed)), "abcdef\r\nghijkl\r\nmnopqr");
  // A line selection of the last two lines leaves one empty line.
  ed->SetSelectionMode(smLine);
  ed->SetCaretAndSelection({1, 3}, {1, 2}, {1, 3});
  EXPECT_EQ(Utf8(ed->SelText()), "ghijkl\r\nmnopqr");
  ed->CutToClipboard();
  EXPECT_EQ(Utf8(Text(*ed)), "abcdef\r\n");
  ed->Undo();
  EXPECT_EQ(Utf8(Text(*ed)), "abcdef\r\nghijkl\r\nmnopqr");
}

}  // namespace
}  // namespace qx::test
