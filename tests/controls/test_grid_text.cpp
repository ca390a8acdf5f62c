// Grid text: the TAB-separated lines of files and the clipboard, the Windows-1252 files,
// the limits on what a text may make of the grid, and the clipboard keys.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <random>

#include "ControlsTest.h"
#include "controls/Aligrid.h"
#include "controls/ZfMessageBox.h"

namespace qx {
namespace {

class GridTextTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureWidgetApplication(); }
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }

  void Grid(int cols, int rows, const QStringList& cells) {
    grid.SetColCount(cols);
    grid.SetRowCount(rows);
    for (int i = 0; i < cells.size(); ++i) grid.SetCells(i % cols, i / cols, cells[i]);
  }
  QStringList All() const {
    QStringList all;
    for (int r = 0; r < grid.RowCount(); ++r)
      for (int c = 0; c < grid.ColCount(); ++c) all << grid.Cells(c, r);
    return all;
  }
  QByteArray Bytes(const QString& name) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
  }
  void Write(const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(&grid, Qt::Key(key), mods); }

  QTemporaryDir dir;
  TStringAlignGrid grid;
};

TEST_F(GridTextTest, SavesEveryCellFollowedByTabAndLinesByCrLf) {
  Grid(2, 2, {"1", "2", "3", "4"});
  EXPECT_EQ(grid.SaveToFile(dir.filePath("a.MTR")), "");
  EXPECT_EQ(Bytes("a.MTR"), QByteArray::fromHex("31093209" "0d0a" "33093409" "0d0a"));
  // An existing file is replaced.
  Grid(1, 1, {"x"});
  grid.SaveToFile(dir.filePath("a.MTR"));
  EXPECT_EQ(Bytes("a.MTR"), QByteArray("x\t\r\n"));
}

TEST_F(GridTextTest, WritesRangesNormalised) {
  Grid(3, 2, {"a", "b", "c", "d", "e", "f"});
  EXPECT_EQ(grid.WriteCellsText('\t', {1, 0, 2, 0}), "b\tc\t\r\n");
  EXPECT_EQ(grid.WriteCellsText(';', {-5, 1, -1, -1}), "d;e;f;\r\n");
  EXPECT_EQ(grid.WriteCellsText('\t', {2, -1, 0, 0}), "c\t\r\n");
  EXPECT_EQ(grid.WriteCellsText('\t', {2, 1, 0, 0}), "f\t\r\n");
  EXPECT_EQ(grid.WriteCellsText('\t', {0, 0, 99, 99}), "a\tb\tc\t\r\nd\te\tf\t\r\n");
}

TEST_F(GridTextTest, ReadingFillsFromTheFirstCellAndGrowsTheGrid) {
  Grid(2, 2, {"a", "b", "c", "d"});
  Write("b.MTR", "5\t6\t7\t\r\n");
  grid.LoadFromFile(dir.filePath("b.MTR"));
  EXPECT_EQ(grid.ColCount(), 3);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(All(), QStringList({"5", "6", "7", "c", "d", ""}));
  // Four lines into a grid of two rows; LF and CR alone end lines too.
  Write("c.MTR", "1\t\r\n2\t\n3\t\r4\t");
  grid.LoadFromFile(dir.filePath("c.MTR"));
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.Cells(0, 3), "4");
  EXPECT_EQ(grid.Cells(1, 0), "6");
}

TEST_F(GridTextTest, EmptyCellsInsideALineEmptyTheirCellsAndThoseAfterItStay) {
  Grid(4, 1, {"w", "x", "y", "z"});
  grid.ReadCellsText("a\t\t\t", '\t', {0, 0, -1, -1});
  EXPECT_EQ(All(), QStringList({"a", "", "", "z"}));
  grid.ReadCellsText("\t", '\t', {0, 0, -1, -1});
  EXPECT_EQ(All(), QStringList({"", "", "", "z"}));
  grid.ReadCellsText("q", '\t', {3, 0, -1, -1});
  EXPECT_EQ(grid.Cells(3, 0), "q");
  EXPECT_EQ(grid.ColCount(), 4);
  // The range limits the read.
  Grid(3, 3, {});
  grid.ReadCellsText("1\t2\t3\t4\r\n5\t6\t7\r\n8\r\n9", '\t', {1, 1, 1, 1});
  EXPECT_EQ(All(), QStringList({"", "", "", "", "1", "", "", "", ""}));
}

TEST_F(GridTextTest, FilesAreWindows1252) {
  Grid(2, 1, {"caff\u00e8 \u20ac", "\u03c0"});
  EXPECT_EQ(grid.SaveToFile(dir.filePath("d.MTR")), "\u03c0");  // the character lost, said once
  EXPECT_EQ(Bytes("d.MTR"), QByteArray("caff\xe8 \x80\t?\t\r\n"));
  Grid(1, 1, {});
  grid.LoadFromFile(dir.filePath("d.MTR"));
  EXPECT_EQ(grid.Cells(0, 0), "caff\u00e8 \u20ac");
  EXPECT_EQ(grid.Cells(1, 0), "?");
}

TEST_F(GridTextTest, TooBigDamagedOrMissingChangesNothing) {
  Grid(2, 2, {"a", "b", "c", "d"});
  const QStringList before = All();
  QString rows;
  for (int i = 0; i < TStringAlignGrid::kMaxTextRows + 1; ++i) rows += "1\t\r\n";
  EXPECT_THROW(grid.ReadCellsText(rows, '\t', {0, 0, -1, -1}), EGridTextError);
  EXPECT_EQ(All(), before);
  EXPECT_THROW(grid.ReadCellsText(QString("x\t").repeated(TStringAlignGrid::kMaxTextCols + 1), '\t', {0, 0, -1, -1}),
               EGridTextError);
  EXPECT_EQ(All(), before);
  // Starting further in counts too; exactly the limit is fine.
  EXPECT_THROW(grid.ReadCellsText(QString("x\t").repeated(TStringAlignGrid::kMaxTextCols), '\t', {1, 0, -1, -1}),
               EGridTextError);
  grid.ReadCellsText(QString("x\t").repeated(TStringAlignGrid::kMaxTextCols), '\t', {0, 0, -1, -1});
  EXPECT_EQ(grid.ColCount(), TStringAlignGrid::kMaxTextCols);
  Grid(2, 2, {"a", "b", "c", "d"});
  // A file with NUL bytes is not grid text.
  Write("e.MTR", QByteArray("1\t2\t\r\n\0\0\0", 9));
  try {
    grid.LoadFromFile(dir.filePath("e.MTR"));
    ADD_FAILURE() << "a damaged file was read";
  } catch (const EGridTextError& e) {
    EXPECT_STREQ(e.what(), "Il testo contiene caratteri che una griglia non può avere");
  }
  EXPECT_EQ(All(), before);
  try {
    grid.LoadFromFile(dir.filePath("nessuno.MTR"));
    ADD_FAILURE() << "a missing file was read";
  } catch (const std::runtime_error& e) {
    EXPECT_TRUE(QString(e.what()).startsWith("Cannot open file \"" + dir.filePath("nessuno.MTR") + "\"")) << e.what();
  }
  EXPECT_EQ(All(), before);
  EXPECT_THROW(grid.SaveToFile(dir.filePath("manca/f.MTR")), std::runtime_error);
}

TEST_F(GridTextTest, ClipboardKeysCopyCutAndPasteTheSelection) {
  Grid(4, 4, {"", "", "", "", "", "a", "b", "", "", "c", "d", "", "", "", "", ""});
  grid.show();
  QApplication::setActiveWindow(&grid);
  grid.setFocus();
  // Ctrl+Insert copies the selection.
  Key(Qt::Key_Right, Qt::ShiftModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "a\tb\t\r\nc\td\t\r\n");
  // Shift+Insert pastes into the selection, which limits it.
  grid.FocusCell(3, 3);
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(grid.Cells(3, 3), "a");
  EXPECT_EQ(grid.ColCount(), 4);
  EXPECT_EQ(grid.RowCount(), 4);
  grid.SetSelection({2, 2, 3, 3});
  QGuiApplication::clipboard()->setText("1\t2\t3\t\r\n4\t5\t6\t\r\n7\t8\t9\t\r\n");
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(All().mid(8), QStringList({"", "c", "1", "2", "", "", "4", "5"}));
  // Shift+Delete cuts: copied, then emptied.
  grid.SetSelection({1, 1, 2, 1});
  Key(Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "a\tb\t\r\n");
  EXPECT_EQ(grid.Cells(1, 1), "");
  EXPECT_EQ(grid.Cells(2, 1), "");
  // An empty clipboard changes nothing.
  QGuiApplication::clipboard()->clear();
  const QStringList before = All();
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(All(), before);
}

TEST_F(GridTextTest, ReadOnlyCellsStayWhenProtected) {
  Grid(3, 3, {"", "", "", "", "r", "w", "", "w", "w"});
  grid.SetEditCell(1, 1, false);
  grid.SetProtectReadOnlyCells(true);
  grid.show();
  grid.setFocus();
  QGuiApplication::clipboard()->setText("1\t2\t\r\n3\t4\t\r\n");
  grid.SetSelection({1, 1, 2, 2});
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(grid.Cells(1, 1), "r");
  EXPECT_EQ(grid.Cells(2, 1), "2");
  EXPECT_EQ(grid.Cells(2, 2), "4");
  Key(Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(grid.Cells(1, 1), "r");
  EXPECT_EQ(grid.Cells(2, 2), "");
  // Not protected: the cell is written like the others.
  grid.SetProtectReadOnlyCells(false);
  QGuiApplication::clipboard()->setText("1\t2\t\r\n3\t4\t\r\n");
  grid.PasteRangeFromClipboard('\t', {1, 1, 2, 2});
  EXPECT_EQ(grid.Cells(1, 1), "1");
  // Off, the keys do nothing.
  grid.SetClipboardMessages(false);
  grid.SetSelection({1, 1, 1, 1});
  QGuiApplication::clipboard()->setText("z\t");
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(grid.Cells(1, 1), "1");
}

TEST_F(GridTextTest, APasteThatCannotBeReadIsSaidAndChangesNothing) {
  Grid(2, 2, {"a", "b", "c", "d"});
  grid.show();
  grid.setFocus();
  TMessageBoxRecorder boxes;
  // The selection limits a paste by the keys: a long line fills the one cell selected.
  QGuiApplication::clipboard()->setText(QString("x\t").repeated(2000));
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(grid.Cells(1, 1), "x");
  EXPECT_TRUE(boxes.Requests.empty());
  // Without limits it would grow the grid too far.
  EXPECT_THROW(grid.PasteRangeFromClipboard('\t', {0, 0, -1, -1}), EGridTextError);
  EXPECT_EQ(grid.ColCount(), 2);
  // A text with a NUL character: the key says why, and nothing changes.
  QGuiApplication::clipboard()->setText(QString("y\t") + QChar(0));
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  ASSERT_EQ(boxes.Requests.size(), 1u);
  EXPECT_EQ(boxes.Requests[0].Text, "Il testo contiene caratteri che una griglia non può avere");
  EXPECT_EQ(boxes.Requests[0].Caption, "Attenzione");
  EXPECT_EQ(grid.Cells(1, 1), "x");
}

TEST_F(GridTextTest, DamagedTextNeverCrashesOrGrowsPastTheLimits) {
  std::mt19937 random(17);
  const char pieces[] = {'\t', '\r', '\n', 'a', '1', ';', ' ', char(0xE8), char(0x80)};
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    const int n = int(random() % 400);
    for (int i = 0; i < n; ++i) bytes += pieces[random() % sizeof pieces];
    if (round % 10 == 0) bytes += '\0';
    Write("f.MTR", QByteArray(bytes.data(), qsizetype(bytes.size())));
    Grid(2, 2, {"a", "b", "c", "d"});
    try {
      grid.LoadFromFile(dir.filePath("f.MTR"));
    } catch (const EGridTextError&) {
      EXPECT_EQ(All(), QStringList({"a", "b", "c", "d"}));
    }
    EXPECT_LE(grid.RowCount(), TStringAlignGrid::kMaxTextRows);
    EXPECT_LE(grid.ColCount(), TStringAlignGrid::kMaxTextCols);
    // What was read writes back to a text that reads the same.
    const QString text = grid.WriteCellsText('\t', {0, 0, -1, -1});
    TStringAlignGrid again;
    again.ReadCellsText(text, '\t', {0, 0, -1, -1});
    EXPECT_EQ(again.WriteCellsText('\t', {0, 0, grid.ColCount() - 1, grid.RowCount() - 1}), text) << round;
  }
}

}  // namespace
}  // namespace qx
