// The aligned grid driven as a user would: properties and their fallback chain, drawing,
// the edit cycle, next-cell moves, rows and columns with their properties, sorting,
// hints and the last column.
#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include "ControlsTest.h"
#include "controls/Aligrid.h"
#include "controls/ToolkitColors.h"

namespace qx {
namespace {

using test::InkBox;
using test::Shot;
using test::TestFont;

class GridTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureWidgetApplication(); }
  void SetUp() override {
    grid.setFont(TestFont(13));
    grid.resize(400, 200);
  }
  // A grid of `cols` x `rows` (fixed first column and row) holding "c,r" in each cell.
  void Fill(int cols, int rows) {
    grid.SetColCount(cols);
    grid.SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) grid.SetCells(c, r, QString("%1,%2").arg(c).arg(r));
  }
  void Show() {
    grid.show();
    QApplication::setActiveWindow(&grid);
    grid.setFocus();
  }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = grid.EditorVisible() ? static_cast<QWidget*>(grid.InplaceEditor()) : &grid;
    QTest::keyClick(target, Qt::Key(key), mods);
  }
  void Type(const QString& text) {
    for (QChar ch : text) {
      QWidget* target = grid.EditorVisible() ? static_cast<QWidget*>(grid.InplaceEditor()) : &grid;
      QTest::keyClick(target, ch.toLatin1());
    }
  }
  TGridCoord Current() const { return {grid.Col(), grid.Row()}; }
  TStringAlignGrid grid;
};

TEST_F(GridTest, Defaults) {
  EXPECT_EQ(grid.ColCount(), 5);
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.FixedCols(), 1);
  EXPECT_EQ(grid.FixedRows(), 1);
  EXPECT_EQ(grid.Alignment(), alLeft);
  EXPECT_EQ(grid.Wordwrap(), ww_none);
  EXPECT_TRUE(grid.Editable());
  EXPECT_EQ(grid.SelectedCellColor(), clActiveCaption);
  EXPECT_EQ(grid.SelectedFontColor(), clWhite);
  EXPECT_TRUE(grid.ShowCellHints());
  EXPECT_TRUE(grid.SelectEditText());
  EXPECT_FALSE(grid.EditMultiline());
  EXPECT_FALSE(grid.AutoEditNextCell());
  EXPECT_EQ(grid.NextCellEdit(), nc_rightdown);
  EXPECT_EQ(grid.NextCellTab(), nc_rightdown);
  EXPECT_EQ(grid.AfterLastCellEdit(), lc_newcolrow);
  EXPECT_EQ(grid.AfterLastCellTab(), lc_first);
  EXPECT_TRUE(grid.DrawSelection());
  EXPECT_FALSE(grid.AutoAdjustLastCol());
  EXPECT_EQ(grid.GridLineWidth(), 1);
  EXPECT_FALSE(grid.RedrawWhileScroll());
  EXPECT_TRUE(grid.ClipboardMessages());
  EXPECT_FALSE(grid.ProtectReadOnlyCells());
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
}

TEST_F(GridTest, AlignmentFallsBackCellColumnRowGrid) {
  Fill(4, 4);
  // A cell's own setting beats its column's.
  grid.SetAlignCol(2, alRight);
  grid.SetAlignCell(2, 2, alCenter);
  EXPECT_EQ(grid.CellAlignment(2, 2), alCenter);
  // Cleared, the column's applies.
  grid.SetAlignCell(2, 2, alDefault);
  EXPECT_EQ(grid.CellAlignment(2, 2), alRight);
  // The row comes after the column.
  grid.SetAlignRow(3, alCenter);
  EXPECT_EQ(grid.CellAlignment(2, 3), alRight);
  EXPECT_EQ(grid.CellAlignment(1, 3), alCenter);
  // Nothing set anywhere, and the grid's own default "take the next level": left.
  grid.SetAlignment(alDefault);
  EXPECT_EQ(grid.CellAlignment(1, 1), alLeft);
  grid.SetAlignment(alRight);
  EXPECT_EQ(grid.CellAlignment(1, 1), alRight);
  // A fixed cell ignores the column's entry and takes the fixed column's, then the fixed row's.
  EXPECT_EQ(grid.CellAlignment(2, 0), alRight);  // the grid's
  grid.SetAlignment(alLeft);
  EXPECT_EQ(grid.CellAlignment(2, 0), alLeft);
  grid.SetFixedAlignCol(2, alCenter);
  EXPECT_EQ(grid.CellAlignment(2, 0), alCenter);
  grid.SetFixedAlignRow(0, alRight);
  EXPECT_EQ(grid.CellAlignment(3, 0), alRight);
  EXPECT_EQ(grid.CellAlignment(2, 0), alCenter);
  EXPECT_EQ(grid.CellAlignment(0, 3), alLeft);  // a fixed cell never asks the row (3 is centred)
  EXPECT_EQ(grid.GetAlignment(TPropAt::Col(2)), alRight);
  EXPECT_EQ(grid.GetAlignment(TPropAt::Col(3)), alDefault);
}

TEST_F(GridTest, TheOtherPropertiesFallBackTheSameWay) {
  Fill(4, 4);
  grid.SetWordwrap(TPropAt::Col(1), ww_ellipsis);
  EXPECT_EQ(grid.CellWordwrap(1, 2), ww_ellipsis);
  EXPECT_EQ(grid.CellWordwrap(2, 2), ww_none);
  grid.SetEditRow(2, false);
  grid.SetEditCell(1, 2, true);
  EXPECT_TRUE(grid.CellEditable(1, 2));
  EXPECT_FALSE(grid.CellEditable(2, 2));
  grid.ResetEditable(TPropAt::Cell(1, 2));
  EXPECT_FALSE(grid.CellEditable(1, 2));
  grid.SetColor(TPropAt::RowAt(3), clYellow);
  EXPECT_EQ(grid.CellBrush(2, 3).Color, clYellow);
  EXPECT_EQ(grid.CellBrush(2, 2).Color, clWindow);
  EXPECT_EQ(grid.CellBrush(2, 0).Color, clBtnFace);  // fixed: FixedColor
  grid.SetFixedColor(clSilver);
  EXPECT_EQ(grid.CellBrush(0, 3).Color, clSilver);
  TMyFont big{TestFont(20), clRed};
  grid.SetFont(TPropAt::FixedRow(0), &big);
  EXPECT_EQ(grid.CellFont(2, 0), big);
  EXPECT_EQ(grid.CellFont(2, 1).Color, clWindowText);
  grid.SetFont(TPropAt::FixedRow(0), nullptr);
  EXPECT_EQ(grid.CellFont(2, 0).Color, clWindowText);
  // Selected colours look at cell, column and row only.
  grid.SetSelectedColor(TPropAt::Col(2), clLime);
  grid.SetSelectedFontColor(TPropAt::Cell(2, 2), clNavy);
  EXPECT_EQ(grid.CellSelectedColor(2, 2), clLime);
  EXPECT_EQ(grid.CellSelectedColor(1, 2), clActiveCaption);
  EXPECT_EQ(grid.CellSelectedFontColor(2, 2), clNavy);
  EXPECT_EQ(grid.CellSelectedFontColor(2, 1), clWhite);
  grid.ResetProperties(TPropAt::Col(2));
  EXPECT_TRUE(grid.Properties(TPropAt::Col(2))->IsEmpty());
  // Entries copy and clear.
  TCellProperties p;
  p.Alignment = alCenter;
  p.Font = std::make_unique<TMyFont>(big);
  const auto copy = p.Clone();
  EXPECT_EQ(copy->Alignment, alCenter);
  EXPECT_EQ(*copy->Font, big);
  copy->Assign(nullptr);
  EXPECT_TRUE(copy->IsEmpty());
}

TEST_F(GridTest, CellsDrawWithTheirAlignmentColoursAndSelection) {
  Fill(3, 3);
  for (int c = 0; c < 3; ++c) grid.SetColWidths(c, 120);
  grid.SetCells(1, 1, "MM");
  grid.SetCells(2, 1, "MM");
  grid.SetCells(1, 2, "MM");
  grid.SetAlignCell(1, 1, alCenter);
  grid.SetAlignCell(2, 1, alRight);
  grid.SetColor(TPropAt::Cell(1, 2), clYellow);
  grid.SetFontColor(clBlue);
  grid.show();
  // The current cell, focused, is not drawn as selected: select another one.
  grid.FocusCell(2, 2);
  QImage shot = Shot(grid);
  const QPoint off = grid.viewport()->mapTo(&grid, QPoint(0, 0));
  const QRect c11 = grid.CellRect(1, 1).translated(off), c21 = grid.CellRect(2, 1).translated(off);
  const QRect ink11 = InkBox(shot, qRgb(0, 0, 255), c11), ink21 = InkBox(shot, qRgb(0, 0, 255), c21);
  ASSERT_FALSE(ink11.isEmpty());
  ASSERT_FALSE(ink21.isEmpty());
  EXPECT_NEAR(ink11.center().x(), c11.center().x(), 2);
  EXPECT_NEAR(ink21.right(), c21.right() - 2, 2);
  EXPECT_GE(ink21.top(), c21.top() + 2);
  const QRect c12 = grid.CellRect(1, 2).translated(off);
  EXPECT_EQ(shot.pixel(c12.left() + 1, c12.bottom() - 1), qRgb(255, 255, 0));
  // The selected cell: the selected colours. Not focused, the current cell shows them too.
  grid.SetSelectedCellColor(clGreen);
  grid.SetSelectedFontColor(clRed);
  shot = Shot(grid);
  const QRect c22 = grid.CellRect(2, 2).translated(off);
  EXPECT_EQ(shot.pixel(c22.left() + 1, c22.bottom() - 1), qRgb(0, 128, 0));
  EXPECT_FALSE(InkBox(shot, qRgb(255, 0, 0), c22).isEmpty());
  grid.SetDrawSelection(false);
  shot = Shot(grid);
  EXPECT_EQ(shot.pixel(c22.left() + 1, c22.bottom() - 1), test::Rgb(ToQColor(clWindow)));
}

TEST_F(GridTest, WordWrapAndEllipsis) {
  Fill(2, 2);
  grid.SetColWidths(1, 60);
  grid.SetRowHeights(1, 60);
  grid.SetFontColor(clBlue);
  grid.SetCells(1, 1, "MMM MMM MMM");
  grid.SetDrawSelection(false);
  grid.show();
  const QPoint off = grid.viewport()->mapTo(&grid, QPoint(0, 0));
  const QRect cell = grid.CellRect(1, 1).translated(off);
  const int line = QFontMetrics(TestFont(13)).height();
  const QRect plain = InkBox(Shot(grid), qRgb(0, 0, 255), cell);
  ASSERT_FALSE(plain.isEmpty());
  EXPECT_LT(plain.height(), line + 1);
  grid.SetWordwrap(TPropAt::Cell(1, 1), ww_wordwrap);
  const QRect wrapped = InkBox(Shot(grid), qRgb(0, 0, 255), cell);
  EXPECT_GT(wrapped.height(), line + 2);
  EXPECT_LE(wrapped.right(), cell.right() - 2);
  grid.SetWordwrap(TPropAt::Cell(1, 1), ww_ellipsis);
  const QRect ellipsis = InkBox(Shot(grid), qRgb(0, 0, 255), cell);
  ASSERT_FALSE(ellipsis.isEmpty());
  EXPECT_LT(ellipsis.height(), line + 1);
  EXPECT_LE(ellipsis.right(), cell.right() - 2);
}

TEST_F(GridTest, EnterInTheLastCellGoesToTheFirstEditableCellWithTheEditorOpen) {
  Fill(3, 3);
  grid.SetOptions(grid.Options() | goEditing);
  grid.SetAutoEditNextCell(true);
  grid.SetAfterLastCellEdit(lc_first);
  grid.SetEditCell(1, 1, false);
  std::vector<std::string> events;
  grid.OnBeforeEdit = [&](QObject*, int c, int r) { events.push_back(QString("before %1,%2").arg(c).arg(r).toStdString()); };
  grid.OnValidateEdit = [&](QObject*, int c, int r, bool&) {
    events.push_back(QString("validate %1,%2").arg(c).arg(r).toStdString());
  };
  grid.OnAfterEdit = [&](QObject*, int c, int r) { events.push_back(QString("after %1,%2").arg(c).arg(r).toStdString()); };
  Show();
  grid.FocusCell(2, 2);
  Type("x");
  ASSERT_TRUE(grid.EditorVisible());
  EXPECT_EQ(grid.InplaceEditor()->Text(), "x");
  EXPECT_EQ(grid.Cells(2, 2), "x");
  Key(Qt::Key_Return);
  // (1,1) is read-only: the first editable cell is (2,1).
  EXPECT_EQ(Current(), (TGridCoord{2, 1}));
  EXPECT_TRUE(grid.EditorVisible());
  EXPECT_TRUE(grid.Editing());
  EXPECT_EQ(grid.InplaceEditor()->Text(), "2,1");
  EXPECT_EQ(events, (std::vector<std::string>{"before 2,2", "validate 2,2", "after 2,2", "before 2,1"}));
  // Typing replaces the selected text.
  Type("yz");
  Key(Qt::Key_Return);
  EXPECT_EQ(grid.Cells(2, 1), "yz");
  EXPECT_EQ(Current(), (TGridCoord{1, 2}));
}

TEST_F(GridTest, EnterAfterTheLastCellAddsARow) {
  Fill(3, 3);
  grid.SetOptions(grid.Options() | goEditing);
  grid.SetAutoEditNextCell(true);
  Show();
  grid.FocusCell(2, 2);
  Key(Qt::Key_F2);
  ASSERT_TRUE(grid.EditorVisible());
  Key(Qt::Key_Return);
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(Current(), (TGridCoord{1, 3}));
  EXPECT_TRUE(grid.EditorVisible());
  EXPECT_EQ(grid.Cells(1, 3), "");
  // Without the automatic move Enter only closes the editor.
  grid.SetAutoEditNextCell(false);
  Key(Qt::Key_Return);
  EXPECT_EQ(Current(), (TGridCoord{1, 3}));
  EXPECT_FALSE(grid.EditorVisible());
}

TEST_F(GridTest, ARefusedValidationKeepsTheEditorOpenAndEscRestores) {
  Fill(3, 3);
  grid.SetOptions(grid.Options() | goEditing);
  grid.SetAutoEditNextCell(true);
  bool accept = false;
  int cancels = 0;
  grid.OnValidateEdit = [&](QObject*, int, int, bool& ok) { ok = accept; };
  grid.OnCancelEdit = [&](QObject*, int c, int r) {
    ++cancels;
    EXPECT_EQ(c, 1);
    EXPECT_EQ(r, 1);
  };
  Show();
  grid.SetCells(1, 1, "abc");
  Type("q");
  Key(Qt::Key_Return);
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
  EXPECT_TRUE(grid.EditorVisible());
  EXPECT_TRUE(grid.Editing());
  EXPECT_EQ(grid.Cells(1, 1), "q");
  // Moving away is refused too: back to the cell, the editor open.
  grid.FocusCell(2, 2);
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
  EXPECT_TRUE(grid.EditorVisible());
  // Esc gives back the text the cell had when the edit began.
  Type("w");
  Key(Qt::Key_Escape);
  EXPECT_FALSE(grid.EditorVisible());
  EXPECT_FALSE(grid.Editing());
  EXPECT_EQ(grid.Cells(1, 1), "abc");
  EXPECT_EQ(cancels, 1);
  accept = true;
  Type("ok");
  Key(Qt::Key_Return);
  EXPECT_EQ(grid.Cells(1, 1), "ok");
  EXPECT_EQ(Current(), (TGridCoord{2, 1}));
}

TEST_F(GridTest, LeavingTheGridEndsTheEditAndComingBackStartsAnother) {
  QWidget form;
  auto* g = new TStringAlignGrid(&form);
  auto* other = new QLineEdit(&form);
  g->resize(300, 150);
  other->move(0, 160);
  std::vector<std::string> events;
  g->OnBeforeEdit = [&](QObject*, int c, int r) { events.push_back(QString("before %1,%2").arg(c).arg(r).toStdString()); };
  g->OnValidateEdit = [&](QObject*, int c, int r, bool&) {
    events.push_back(QString("validate %1,%2").arg(c).arg(r).toStdString());
  };
  // The editor always shows: it opens at once on the first cell.
  g->SetOptions(g->Options() | goEditing | goAlwaysShowEditor);
  g->SetSelectEditText(false);
  form.show();
  QApplication::setActiveWindow(&form);
  g->setFocus();
  g->FocusCell(2, 1);
  ASSERT_TRUE(g->EditorVisible());
  TInplaceEdit* editor = g->InplaceEditor();
  QTest::keyClicks(editor, "ab");
  QTextCursor c = editor->textCursor();
  c.setPosition(1);
  c.setPosition(2, QTextCursor::KeepAnchor);
  editor->setTextCursor(c);
  // Away: the edit ends with its validation; the editor stays.
  other->setFocus();
  EXPECT_FALSE(g->Editing());
  EXPECT_TRUE(g->EditorVisible());
  EXPECT_EQ(g->Cells(2, 1), "ab");
  // Back: a new edit, the editor's selection as it was.
  editor->setFocus();
  EXPECT_TRUE(g->Editing());
  EXPECT_EQ(editor->textCursor().anchor(), 1);
  EXPECT_EQ(editor->textCursor().position(), 2);
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(events, (std::vector<std::string>{"before 1,1", "validate 1,1", "before 2,1", "validate 2,1",
                                              "before 2,1", "validate 2,1"}));
}

TEST_F(GridTest, ReadOnlyCellsOpenNoEditorAndArrowsEndTheEdit) {
  Fill(4, 4);
  grid.SetOptions(grid.Options() | goEditing);
  grid.SetEditCol(2, false);
  int validations = 0;
  grid.OnValidateEdit = [&](QObject*, int, int, bool&) { ++validations; };
  Show();
  grid.FocusCell(2, 1);
  Type("x");
  EXPECT_FALSE(grid.EditorVisible());
  EXPECT_EQ(grid.Cells(2, 1), "2,1");
  grid.FocusCell(1, 1);
  Type("x");
  ASSERT_TRUE(grid.EditorVisible());
  Key(Qt::Key_Down);
  EXPECT_EQ(Current(), (TGridCoord{1, 2}));
  EXPECT_FALSE(grid.EditorVisible());
  EXPECT_EQ(validations, 1);
  EXPECT_EQ(grid.Cells(1, 1), "x");
  // Without SelectEditText the typed key goes after the text.
  grid.SetSelectEditText(false);
  Type("y");
  EXPECT_EQ(grid.Cells(1, 2), "1,2y");
  // Right arrow at the end of the text leaves the cell.
  Key(Qt::Key_Right);
  EXPECT_EQ(Current(), (TGridCoord{2, 2}));
}

TEST_F(GridTest, TabMovesToTheNextTabStopInEveryDirection) {
  Fill(4, 4);  // non-fixed cells 1..3 x 1..3
  grid.SetOptions(grid.Options() | goTabs);
  Show();
  struct Case {
    T_nextcell Dir;
    TGridCoord From, Next;
  };
  const Case cases[] = {
      {nc_rightdown, {2, 2}, {3, 2}}, {nc_rightdown, {3, 2}, {1, 3}}, {nc_downright, {2, 3}, {3, 1}},
      {nc_leftdown, {1, 2}, {3, 3}},  {nc_downleft, {2, 3}, {1, 1}},  {nc_leftup, {1, 2}, {3, 1}},
      {nc_upleft, {2, 1}, {1, 3}},    {nc_rightup, {3, 2}, {1, 1}},   {nc_upright, {1, 1}, {2, 3}},
  };
  for (const Case& c : cases) {
    grid.SetNextCellTab(c.Dir);
    grid.FocusCell(c.From.X, c.From.Y);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Current(), c.Next) << int(c.Dir) << " from " << c.From.X << "," << c.From.Y;
  }
  // Shift+Tab goes the other way; past the end, the corner the direction starts from.
  grid.SetNextCellTab(nc_rightdown);
  grid.FocusCell(1, 3);
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Current(), (TGridCoord{3, 2}));
  grid.FocusCell(3, 3);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
  // Columns that are no tab stop are passed over.
  grid.SetTabStops(2, false);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Current(), (TGridCoord{3, 1}));
  // Stop: the last cell stays.
  grid.SetAfterLastCellTab(lc_stop);
  grid.FocusCell(3, 3);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Current(), (TGridCoord{3, 3}));
}

TEST_F(GridTest, AfterLastCellGrowsInTheDirectionOfTravel) {
  Fill(3, 3);
  grid.SetOptions(grid.Options() | goTabs);
  grid.SetAfterLastCellTab(lc_newcolrow);
  Show();
  grid.SetNextCellTab(nc_downright);
  grid.FocusCell(2, 2);
  Key(Qt::Key_Tab);
  EXPECT_EQ(grid.ColCount(), 4);
  EXPECT_EQ(Current(), (TGridCoord{3, 1}));
  grid.SetNextCellTab(nc_leftup);
  grid.FocusCell(1, 1);
  Key(Qt::Key_Tab);
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(Current(), (TGridCoord{3, 1}));
  EXPECT_EQ(grid.Cells(1, 2), "1,1");  // the old first row moved down
  EXPECT_EQ(grid.Cells(1, 1), "");
}

TEST_F(GridTest, InsertMoveAndSwapCarryPropertiesAndHints) {
  Fill(4, 4);
  grid.SetAlignRow(2, alCenter);
  grid.SetHintCell(1, 2, "suggerimento");
  grid.SetColor(TPropAt::Cell(1, 2), clYellow);
  grid.FocusCell(1, 3);
  grid.InsertRow(2);
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.Cells(1, 2), "");
  EXPECT_EQ(grid.Cells(1, 3), "1,2");
  EXPECT_EQ(grid.CellAlignment(1, 3), alCenter);
  EXPECT_EQ(grid.CellAlignment(1, 2), alLeft);
  EXPECT_EQ(grid.HintCell(1, 3), "suggerimento");
  EXPECT_EQ(grid.CellBrush(1, 3).Color, clYellow);
  EXPECT_EQ(Current(), (TGridCoord{1, 4}));  // the current row moved along
  // Never before the fixed ones.
  grid.InsertCol(0);
  EXPECT_EQ(grid.ColCount(), 5);
  EXPECT_EQ(grid.Cells(0, 1), "0,1");
  EXPECT_EQ(grid.Cells(1, 1), "");
  EXPECT_EQ(grid.Cells(2, 1), "1,1");
  EXPECT_EQ(Current(), (TGridCoord{2, 4}));
  // Move and swap.
  grid.MoveRow(3, 1);
  EXPECT_EQ(grid.Cells(2, 1), "1,2");
  EXPECT_EQ(grid.HintCell(2, 1), "suggerimento");
  EXPECT_EQ(grid.CellAlignment(2, 1), alCenter);
  grid.SwapRows(1, 4);
  EXPECT_EQ(grid.Cells(2, 4), "1,2");
  EXPECT_EQ(grid.CellBrush(2, 4).Color, clYellow);
  EXPECT_EQ(Current(), (TGridCoord{2, 1}));  // the current row follows
  grid.SwapCols(2, 3);
  EXPECT_EQ(grid.Cells(3, 4), "1,2");
  EXPECT_EQ(grid.HintCell(3, 4), "suggerimento");
  EXPECT_EQ(Current(), (TGridCoord{3, 1}));
}

TEST_F(GridTest, SortingRowsAndColumns) {
  grid.SetColCount(3);
  grid.SetRowCount(6);
  const QStringList keys = {"pera", "Mela", "banana", "mela", "10"};
  for (int r = 1; r <= 5; ++r) {
    grid.SetCells(1, r, keys[r - 1]);
    grid.SetCells(2, r, QString::number(r));
    grid.SetHintCell(2, r, keys[r - 1]);
  }
  grid.SortRows(1, 1, 5);
  QStringList sorted;
  for (int r = 1; r <= 5; ++r) sorted << grid.Cells(1, r);
  EXPECT_EQ(sorted, QStringList({"10", "Mela", "banana", "mela", "pera"}));  // character codes
  for (int r = 1; r <= 5; ++r) EXPECT_EQ(grid.HintCell(2, r), grid.Cells(1, r));
  grid.SortRows(1, 1, 5, false);
  EXPECT_EQ(grid.Cells(1, 1), "pera");
  EXPECT_EQ(grid.Cells(1, 5), "10");
  // A comparer of one's own: by number.
  grid.OnCompareRow = [this](QObject*, int key, int a, int b) {
    const int x = grid.Cells(key, a).toInt(), y = grid.Cells(key, b).toInt();
    return x < y ? 2 : x == y ? 1 : 0;
  };
  grid.SortRows(2, 1, 5);
  for (int r = 1; r <= 5; ++r) EXPECT_EQ(grid.Cells(2, r), QString::number(r));
  // Columns by a row.
  grid.SetCells(0, 0, "c");
  grid.SetCells(1, 0, "a");
  grid.SetCells(2, 0, "b");
  grid.SortCols(0, 0, 2);
  EXPECT_EQ(grid.Cells(0, 0), "a");
  EXPECT_EQ(grid.Cells(0, 1), grid.Cells(0, 1));
  EXPECT_EQ(grid.Cells(2, 0), "c");
}

TEST_F(GridTest, CellHintsAndFixedClicks) {
  Fill(4, 4);
  grid.SetHintCell(2, 2, "la cella 2,2");
  grid.show();
  const auto hover = [&](int c, int r) {
    const QPoint p = grid.CellRect(c, r).center();
    QHelpEvent help(QEvent::ToolTip, p, grid.viewport()->mapToGlobal(p));
    QApplication::sendEvent(grid.viewport(), &help);
  };
  hover(2, 2);
  EXPECT_EQ(grid.HintShowing(), (TGridCoord{2, 2}));
  EXPECT_EQ(QToolTip::text(), "la cella 2,2");
  hover(1, 1);
  EXPECT_EQ(grid.HintShowing(), (TGridCoord{}));
  grid.OnShowHintCell = [](QObject*, int c, int r, QString& hint) {
    if (c == 1) hint = QString("cambiato %1").arg(r);
    if (c == 2) hint.clear();
  };
  hover(1, 3);
  EXPECT_EQ(QToolTip::text(), "cambiato 3");
  hover(2, 2);
  EXPECT_EQ(grid.HintShowing(), (TGridCoord{}));
  grid.SetShowCellHints(false);
  hover(1, 3);
  EXPECT_EQ(grid.HintShowing(), (TGridCoord{}));

  std::vector<std::string> clicks;
  grid.OnFixedColClick = [&](QObject*, int c) { clicks.push_back("col " + std::to_string(c)); };
  grid.OnFixedRowClick = [&](QObject*, int r) { clicks.push_back("row " + std::to_string(r)); };
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(3, 0).center());
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(0, 2).center());
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(0, 0).center());
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(2, 3).center());
  EXPECT_EQ(clicks, (std::vector<std::string>{"col 3", "row 2"}));
  EXPECT_EQ(Current(), (TGridCoord{2, 3}));
}

TEST_F(GridTest, TheLastColumnTakesTheRestOfTheClient) {
  Fill(3, 3);
  int changes = 0;
  grid.OnColWidthsChanged = [&](QObject*) { ++changes; };
  grid.show();
  const int client = grid.viewport()->width();
  grid.SetAutoAdjustLastCol(true);
  EXPECT_EQ(grid.ColWidths(2), client - 64 - 64 - 3 * 1);
  EXPECT_GE(changes, 1);
  grid.SetGridLineWidth(3);
  EXPECT_EQ(grid.ColWidths(2), client - 128 - 9);
  // Without vertical lines the widths alone count.
  grid.SetOptions(grid.Options() & ~(goVertLine | goFixedVertLine));
  grid.resize(grid.width() + 20, grid.height());
  EXPECT_EQ(grid.ColWidths(2), grid.viewport()->width() - 128);
  // Columns already wider than the client leave the last one alone.
  grid.SetColWidths(0, 1000);
  const int before = grid.ColWidths(2);
  grid.resize(grid.width() + 1, grid.height());
  EXPECT_EQ(grid.ColWidths(2), before);
}

TEST_F(GridTest, KeysAndMouseSelectARange) {
  Fill(5, 5);
  Show();
  Key(Qt::Key_Right, Qt::ShiftModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 2, 2}));
  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(Current(), (TGridCoord{4, 4}));
  EXPECT_EQ(grid.Selection(), (TGridRect{4, 4, 4, 4}));
  QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(1, 2).center());
  QTest::mouseMove(grid.viewport(), grid.CellRect(3, 3).center());
  QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(3, 3).center());
  EXPECT_EQ(grid.Selection(), (TGridRect{1, 2, 3, 3}));
  // A refused selection keeps the cell.
  grid.OnSelectCell = [](QObject*, int c, int, bool& ok) { ok = c != 2; };
  grid.FocusCell(1, 1);
  Key(Qt::Key_Right);
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
}

}  // namespace
}  // namespace qx

namespace qx {
namespace {

// Handlers that raise: the event ends there, the control goes on working.
TEST_F(GridTest, AHandlerThatRaisesStopsInsideItsEvent) {
  Fill(3, 3);
  grid.SetOptions(grid.Options() | goEditing);
  grid.OnValidateEdit = [](QObject*, int, int, bool&) { throw std::runtime_error("validazione"); };
  grid.OnDrawCell = [](QObject*, int, int, const QRect&, TGridDrawState) { throw std::runtime_error("disegno"); };
  Show();
  Shot(grid);
  Type("x");
  Key(Qt::Key_Return);
  EXPECT_EQ(grid.Cells(1, 1), "x");
  grid.OnValidateEdit = nullptr;
  Key(Qt::Key_Down);
  EXPECT_EQ(Current(), (TGridCoord{1, 2}));
}

}  // namespace
}  // namespace qx

namespace qx {
namespace {

// The plain grid (the vector editor's): a key typed on a cell replaces its text.
TEST(PlainGridTest, TypingOnACellReplacesItsText) {
  TStringGrid grid;
  grid.SetColCount(2);
  grid.SetRowCount(2);
  grid.SetOptions(grid.Options() | goEditing);
  grid.SetCells(1, 1, "123");
  grid.resize(300, 120);
  grid.show();
  QApplication::setActiveWindow(&grid);
  grid.setFocus();
  grid.FocusCell(1, 1);
  QTest::keyClick(&grid, Qt::Key_7);
  ASSERT_TRUE(grid.EditorVisible());
  QTest::keyClick(grid.InplaceEditor(), Qt::Key_8);
  QTest::keyClick(grid.InplaceEditor(), Qt::Key_Return);
  EXPECT_EQ(grid.Cells(1, 1), "78");
}

}  // namespace
}  // namespace qx
