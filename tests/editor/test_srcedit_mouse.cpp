// The mouse: selecting by dragging, selecting a word by a double click, the gutter, and
// dragging text to move or copy it within one editor and between two.
#include <QDropEvent>

#include "tests/editor/WidgetTestSupport.h"

namespace qx::test {
namespace {

// Presses on the selection and moves beyond the drag distance: the editor starts its drag.
void StartDrag(TRecordingSrcEdit& ed, QPoint from) {
  QTest::mousePress(ed.viewport(), Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(ed.viewport(), from + QPoint(QApplication::startDragDistance() + 5, 0));
  QTest::mouseRelease(ed.viewport(), Qt::LeftButton, Qt::NoModifier, from + QPoint(QApplication::startDragDistance() + 5, 0));
}

// Delivers the drag's data to a point of the target, as the platform would.
void DropAt(TCustomSrcEdit& target, const QMimeData* data, QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, mods);
  QApplication::sendEvent(target.viewport(), &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, mods);
  QApplication::sendEvent(target.viewport(), &move);
  QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, mods);
  QApplication::sendEvent(target.viewport(), &drop);
  EXPECT_TRUE(drop.isAccepted());
}

TEST(SrcEditMouse, DraggingSelectsAndShiftClickExtends) {
  auto ed = ShownEditor();
  SetText(*ed, U"uno due tre\nquattro cinque");
  QTest::mousePress(ed->viewport(), Qt::LeftButton, Qt::NoModifier, CellEdge(*ed, 5, 1));
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{5, 1}));
  QTest::mouseMove(ed->viewport(), CellEdge(*ed, 3, 2));
  QTest::mouseRelease(ed->viewport(), Qt::LeftButton, Qt::NoModifier, CellEdge(*ed, 3, 2));
  EXPECT_EQ(Utf8(ed->SelText()), "due tre\r\nqu");
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{3, 2}));
  QTest::mouseClick(ed->viewport(), Qt::LeftButton, Qt::ShiftModifier, CellEdge(*ed, 8, 2));
  EXPECT_EQ(Utf8(ed->SelText()), "due tre\r\nquattro");
  // A plain click elsewhere collapses the selection.
  QTest::mouseClick(ed->viewport(), Qt::LeftButton, Qt::NoModifier, CellEdge(*ed, 2, 1));
  EXPECT_FALSE(ed->SelAvail());
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{2, 1}));
  // A click below the text goes to the last line.
  QTest::mouseClick(ed->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(ColumnX(*ed, 3), 10 * ed->LineHeight()));
  EXPECT_EQ(ed->CaretY(), 2);
}

TEST(SrcEditMouse, ADoubleClickSelectsAWordAccentedLettersAndDigitsIncluded) {
  auto ed = ShownEditor();
  SetText(*ed, U"C = Circ(perché_2, 150);");
  QTest::mouseDClick(ed->viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(*ed, 12, 1));
  EXPECT_EQ(Utf8(ed->SelText()), "perché_2");
  QTest::mouseDClick(ed->viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(*ed, 6, 1));
  EXPECT_EQ(Utf8(ed->SelText()), "Circ");
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{9, 1}));
  // The word keys use the same words.
  ed->SetCaretXY({1, 1});
  Key(*ed, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(ed->CaretX(), 5);
  Key(*ed, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(ed->CaretX(), 10);
  Key(*ed, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Utf8(ed->SelText()), "perché_2, ");

  // With the language's highlighter, whose names have no accented letters, a word of a
  // string is still whole: it gave "citt" and "per".
  TSynSampleSyn hl;
  ed->SetHighlighter(&hl);
  SetText(*ed, U"x = \"città però\";");
  QTest::mouseDClick(ed->viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(*ed, 7, 1));
  EXPECT_EQ(Utf8(ed->SelText()), "città");
  QTest::mouseDClick(ed->viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(*ed, 13, 1));
  EXPECT_EQ(Utf8(ed->SelText()), "però");
  ed->SetHighlighter(nullptr);
}

TEST(SrcEditMouse, TheGutterReportsItsClicksAndTheMarksOnTheLine) {
  auto ed = ShownEditor();
  SetText(*ed, U"uno\ndue\ntre");
  int clickedLine = 0;
  TSrcEditMark* clickedMark = nullptr;
  ed->OnGutterClick = [&](TCustomSrcEdit*, TMouseButton, int, int, int line, TSrcEditMark* mark) {
    clickedLine = line;
    clickedMark = mark;
  };
  Key(*ed, Qt::Key_Down);
  Key(*ed, Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier);  // bookmark 2 on line 2
  ASSERT_TRUE(ed->IsBookmark(2));
  QTest::mouseClick(ed->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(4, ed->LineHeight() + 3));
  EXPECT_EQ(clickedLine, 2);
  ASSERT_NE(clickedMark, nullptr);
  EXPECT_EQ(clickedMark->BookmarkNumber(), 2);
  // Ctrl+2 comes back to it; the same key on the same line takes it away.
  ed->SetCaretXY({1, 3});
  Key(*ed, Qt::Key_2, Qt::ControlModifier);
  EXPECT_EQ(ed->CaretY(), 2);
  Key(*ed, Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_FALSE(ed->IsBookmark(2));
}

TEST(SrcEditDragDrop, MovingAndCopyingWithinOneEditor) {
  auto ed = ShownEditor<TRecordingSrcEdit>();
  SetText(*ed, U"uno due tre");
  ed->SetCaretAndSelection({8, 1}, {5, 1}, {8, 1});
  StartDrag(*ed, CellCenter(*ed, 6, 1));
  ASSERT_NE(ed->DragData, nullptr);
  EXPECT_EQ(ed->DragData->text(), QStringLiteral("due"));
  EXPECT_EQ(Utf8(ed->SelText()), "due");  // releasing after a drag keeps the selection
  DropAt(*ed, ed->DragData, CellEdge(*ed, 12, 1));
  EXPECT_EQ(Utf8(Text(*ed)), "uno  tredue");
  EXPECT_EQ(Utf8(ed->SelText()), "due");  // the dropped text is selected
  ed->Undo();
  EXPECT_EQ(Utf8(Text(*ed)), "uno due tre");
  // With Ctrl the text is copied.
  ed->SetCaretAndSelection({8, 1}, {5, 1}, {8, 1});
  StartDrag(*ed, CellCenter(*ed, 6, 1));
  DropAt(*ed, ed->DragData, CellEdge(*ed, 1, 1), Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "dueuno due tre");
  // A drop on the selection itself changes nothing.
  ed->SetCaretAndSelection({8, 1}, {5, 1}, {8, 1});
  StartDrag(*ed, CellCenter(*ed, 6, 1));
  DropAt(*ed, ed->DragData, CellEdge(*ed, 7, 1));
  EXPECT_EQ(Utf8(Text(*ed)), "dueuno due tre");
}

TEST(SrcEditDragDrop, AMultiLineMoveOntoItsOwnEndLineLandsWhereItWasDropped) {
  auto ed = ShownEditor<TRecordingSrcEdit>();
  SetText(*ed, U"ab\ncdXY\nef");
  ed->SetCaretAndSelection({2, 2}, {2, 1}, {2, 2});  // "b" and "c" with the break between
  StartDrag(*ed, CellCenter(*ed, 1, 2));
  ASSERT_NE(ed->DragData, nullptr);
  DropAt(*ed, ed->DragData, CellEdge(*ed, 4, 2));  // between X and Y
  EXPECT_EQ(Utf8(Text(*ed)), "adXb\r\ncY\r\nef");
  ed->Undo();
  EXPECT_EQ(Utf8(Text(*ed)), "ab\r\ncdXY\r\nef");
}

TEST(SrcEditDragDrop, BetweenTwoEditorsCopyingUnlessShiftIsHeld) {
  auto a = ShownEditor<TRecordingSrcEdit>();
  auto b = ShownEditor<TRecordingSrcEdit>();
  SetText(*a, U"uno due tre");
  SetText(*b, U"xyz");
  a->SetCaretAndSelection({8, 1}, {5, 1}, {8, 1});
  StartDrag(*a, CellCenter(*a, 6, 1));
  DropAt(*b, a->DragData, CellEdge(*b, 2, 1));
  EXPECT_EQ(Utf8(Text(*b)), "xdueyz");
  EXPECT_EQ(Utf8(Text(*a)), "uno due tre");
  DropAt(*b, a->DragData, CellEdge(*b, 1, 1), Qt::ShiftModifier);
  EXPECT_EQ(Utf8(Text(*b)), "duexdueyz");
  EXPECT_EQ(Utf8(Text(*a)), "uno  tre");
  // A read-only editor takes no drop; a drag from an editor that has gone is refused.
  b->SetReadOnly(true);
  QDragEnterEvent enter(CellEdge(*b, 1, 1), Qt::CopyAction, a->DragData, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(b->viewport(), &enter);
  EXPECT_FALSE(enter.isAccepted());
  b->SetReadOnly(false);
  a->SetCaretAndSelection({3, 1}, {1, 1}, {3, 1});
  StartDrag(*a, CellCenter(*a, 1, 1));
  QMimeData* orphan = a->DragData;
  a->DragData = nullptr;
  a.reset();
  QDragEnterEvent late(CellEdge(*b, 1, 1), Qt::CopyAction, orphan, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(b->viewport(), &late);
  EXPECT_FALSE(late.isAccepted());
  delete orphan;
}

}  // namespace
}  // namespace qx::test
