// Word wrap: rows of a line, the conversions between buffer and display positions, and
// the bookkeeping when lines come, go and change.
#include <gtest/gtest.h>

#include "editor/WordWrap.h"

namespace qx {
namespace {

class THost : public TSrcEditWordWrapHost {
 public:
  explicit THost(int chars) : chars_(chars) {}
  TSrcEditStringList& WrapLines() override { return lines_; }
  int WrapCharsInWindow() const override { return chars_; }
  bool WrapIsIdentChar(char32_t c) const override { return c >= 33; }
  TSrcEditStringList lines_;
  int chars_;
};

std::vector<int> Rows(const TSynWordWrapPlugin& w) {
  std::vector<int> r;
  for (int i = 1; i <= w.RowCount(); ++i) r.push_back(w.GetRowLength(i));
  return r;
}

TEST(WordWrap, RowsOfLines) {
  THost host(20);
  host.lines_.SetTextStr(std::u32string(30, U'a') + U"\n\n" + std::u32string(20, U'b') + U"   c" + U"\n" +
                         U"uno due tre quattro cinque sei");
  TSynWordWrapPlugin w(&host);
  EXPECT_EQ(w.MaxRowLength(), 20);
  EXPECT_EQ(w.MinRowLength(), 14);
  // One word is cut at the window; an empty line has one row; blanks stay at a row's end;
  // words break at the last blank between the minimum and the maximum.
  EXPECT_EQ(Rows(w), (std::vector<int>{20, 10, 0, 23, 1, 20, 10}));
  EXPECT_EQ(w.RowCount(), 7);
  EXPECT_EQ(w.RowToLine(3), 2);
  EXPECT_EQ(w.LineToFirstRow(4), 6);
  EXPECT_THROW(w.GetRowLength(8), std::out_of_range);
  EXPECT_THROW(TSynWordWrapPlugin(nullptr), std::runtime_error);
}

TEST(WordWrap, PositionsBothWays) {
  THost host(20);
  host.lines_.SetTextStr(std::u32string(30, U'a') + U"\nxy");
  TSynWordWrapPlugin w(&host);
  EXPECT_EQ(w.BufferToDisplayPos({5, 1}), (TDisplayPos{5, 1}));
  EXPECT_EQ(w.BufferToDisplayPos({20, 1}), (TDisplayPos{20, 1}));
  EXPECT_EQ(w.BufferToDisplayPos({21, 1}), (TDisplayPos{1, 2}));
  EXPECT_EQ(w.BufferToDisplayPos({31, 1}), (TDisplayPos{11, 2}));
  EXPECT_EQ(w.BufferToDisplayPos({40, 1}), (TDisplayPos{20, 2}));  // past the end stays on the last row
  EXPECT_EQ(w.BufferToDisplayPos({2, 2}), (TDisplayPos{2, 3}));
  EXPECT_EQ(w.BufferToDisplayPos({4, 5}), (TDisplayPos{4, 6}));  // beyond the text, one to one
  EXPECT_EQ(w.DisplayToBufferPos({1, 2}), (TBufferCoord{21, 1}));
  EXPECT_EQ(w.DisplayToBufferPos({25, 1}), (TBufferCoord{21, 1}));  // limited to the row
  EXPECT_EQ(w.DisplayToBufferPos({3, 3}), (TBufferCoord{3, 2}));
  EXPECT_EQ(w.DisplayToBufferPos({3, 9}), (TBufferCoord{3, 8}));
}

TEST(WordWrap, LinesInsertedDeletedAndChanged) {
  THost host(10);
  host.lines_.SetTextStr(U"a\nb\nc");
  TSynWordWrapPlugin w(&host);
  EXPECT_EQ(w.RowCount(), 3);
  host.lines_.Insert(1, std::u32string(25, U'x'));
  EXPECT_EQ(w.LinesInserted(1, 1), 3);
  EXPECT_EQ(Rows(w), (std::vector<int>{1, 10, 10, 5, 1, 1}));
  EXPECT_EQ(w.RowToLine(5), 3);
  host.lines_.Put(1, U"short");
  EXPECT_EQ(w.LinesPutted(1, 1), -2);
  EXPECT_EQ(Rows(w), (std::vector<int>{1, 5, 1, 1}));
  host.lines_.DeleteLines(0, 2);
  EXPECT_EQ(w.LinesDeleted(0, 2), 2);
  EXPECT_EQ(Rows(w), (std::vector<int>{1, 1}));
  EXPECT_EQ(w.LineCount(), 2);
  // A wide window wraps a long word at the longest row a byte can hold.
  THost wide(400);
  wide.lines_.Add(std::u32string(300, U'z'));
  TSynWordWrapPlugin ww(&wide);
  EXPECT_EQ(Rows(ww), (std::vector<int>{255, 45}));
  w.Reset();
  EXPECT_EQ(w.RowCount(), 0);
}

}  // namespace
}  // namespace qx
