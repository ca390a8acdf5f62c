#include "editor/WordWrap.h"

#include <algorithm>
#include <string>

namespace qx {

namespace {

// Rows are stored as single bytes.
constexpr int kMaxRowLength = 255;

bool IsBlankOrTab(char32_t c) { return c == U' ' || c == U'\t'; }

// Capacity in large steps, so that typing in one line moves no more than that line's rows.
template <typename T>
void ReserveInSteps(std::vector<T>& v, std::size_t need, std::size_t step) {
  if (need > v.capacity()) v.reserve((need / step + 1) * step);
}

}  // namespace

TSynWordWrapPlugin::TSynWordWrapPlugin(TSrcEditWordWrapHost* owner) : owner_(owner) {
  if (!owner_) throw std::runtime_error("TSynWordWrapPlugin must be owned by TCustomSrcEdit");
  SetMaxRowLength();
  WrapLines();
}

void TSynWordWrapPlugin::SetMaxRowLength() {
  // A window wider than a row can hold wraps at the longest row: the width is never
  // cut to a byte, which would wrap a wide window at a few characters.
  maxRowLength_ = std::clamp(owner_->WrapCharsInWindow(), 0, kMaxRowLength);
  minRowLength_ = std::max(1, maxRowLength_ - maxRowLength_ / 3);
}

int TSynWordWrapPlugin::RowCount() const { return lineCount_ > 0 ? lineOffsets_[static_cast<std::size_t>(lineCount_ - 1)] : 0; }

int TSynWordWrapPlugin::GetRowLength(int row) const {
  if (row < 1 || row > RowCount()) throw std::out_of_range("List index out of bounds (" + std::to_string(row) + ")");
  return rowLengths_[static_cast<std::size_t>(row - 1)];
}

int TSynWordWrapPlugin::LineToFirstRow(int line) const {
  if (line <= 1) return 1;
  if (line > lineCount_) return RowCount() + line - lineCount_;
  return lineOffsets_[static_cast<std::size_t>(line - 2)] + 1;
}

int TSynWordWrapPlugin::RowToLine(int row) const {
  if (row > RowCount()) return row - RowCount() + lineCount_;
  if (row < 1) return 1;
  // The first line whose running total reaches the row.
  const auto it = std::lower_bound(lineOffsets_.begin(), lineOffsets_.begin() + lineCount_, row);
  return static_cast<int>(it - lineOffsets_.begin()) + 1;
}

std::vector<std::uint8_t> TSynWordWrapPlugin::RowsOf(int index) const {
  std::vector<std::uint8_t> rows;
  const std::u32string text = owner_->WrapLines().ExpandedStrings(index);
  const int n = static_cast<int>(text.size());
  const int tabWidth = std::max(1, owner_->WrapLines().TabWidth());
  int s = 0;
  int e = s + maxRowLength_;
  while (e < n) {
    if (!IsBlankOrTab(text[static_cast<std::size_t>(e)])) {
      // Look back for a break character; it stays at the end of the row.
      for (int p = e - 1; p > s + minRowLength_; --p) {
        if (!owner_->WrapIsIdentChar(text[static_cast<std::size_t>(p)])) {
          e = p + 1;
          break;
        }
      }
    } else {
      // Trailing white space stays on the row.
      while (e < n && IsBlankOrTab(text[static_cast<std::size_t>(e)])) ++e;
    }
    if (e - s > kMaxRowLength) {
      e = s + kMaxRowLength;
      while (e > s + kMaxRowLength - (kMaxRowLength % tabWidth) && text[static_cast<std::size_t>(e - 1)] == U'\t') --e;
      if (e <= s) e = s + kMaxRowLength;
    }
    rows.push_back(static_cast<std::uint8_t>(e - s));
    s = e;
    e = s + maxRowLength_;
  }
  if (n - s > 0 || n == 0) rows.push_back(static_cast<std::uint8_t>(n - s));
  return rows;
}

void TSynWordWrapPlugin::WrapLines() {
  TSrcEditStringList& lines = owner_->WrapLines();
  lineCount_ = 0;
  lineOffsets_.clear();
  rowLengths_.clear();
  if (maxRowLength_ <= 0) return;
  ReserveInSteps(lineOffsets_, static_cast<std::size_t>(lines.Count()), 256);
  int total = 0;
  for (int i = 0; i < lines.Count(); ++i) {
    const std::vector<std::uint8_t> rows = RowsOf(i);
    ReserveInSteps(rowLengths_, rowLengths_.size() + rows.size(), 512);
    rowLengths_.insert(rowLengths_.end(), rows.begin(), rows.end());
    total += static_cast<int>(rows.size());
    lineOffsets_.push_back(total);
  }
  lineCount_ = lines.Count();
}

TDisplayPos TSynWordWrapPlugin::BufferToDisplayPos(const TBufferCoord& pos) const {
  if (pos.Line > lineCount_) return {pos.Char, RowCount() + pos.Line - lineCount_};
  const int line = std::max(1, pos.Line);
  const int first = LineToFirstRow(line);
  const int last = lineOffsets_[static_cast<std::size_t>(line - 1)];
  int total = 0;
  for (int row = first; row <= last; ++row) {
    const int len = rowLengths_[static_cast<std::size_t>(row - 1)];
    total += len;
    if (total >= pos.Char) return {pos.Char - (total - len), row};
  }
  const int lastLen = rowLengths_[static_cast<std::size_t>(last - 1)];
  return {pos.Char - (total - lastLen), last};
}

TBufferCoord TSynWordWrapPlugin::DisplayToBufferPos(const TDisplayPos& pos) const {
  if (pos.Row > RowCount()) return {pos.Column, pos.Row - RowCount() + lineCount_};
  const int row = std::max(1, pos.Row);
  const int line = RowToLine(row);
  const int first = LineToFirstRow(line);
  const int last = lineOffsets_[static_cast<std::size_t>(line - 1)];
  int column = pos.Column;
  if (row < last)
    column = std::min(column, rowLengths_[static_cast<std::size_t>(row - 1)] + 1);
  else
    column = std::min(column, maxRowLength_ + 1);
  for (int r = first; r < row; ++r) column += rowLengths_[static_cast<std::size_t>(r - 1)];
  return {column, line};
}

int TSynWordWrapPlugin::LinesInserted(int index, int count) {
  if (maxRowLength_ <= 0 || count <= 0) return 0;
  const int firstRow = index > 0 ? lineOffsets_[static_cast<std::size_t>(index - 1)] : 0;
  std::vector<std::uint8_t> rows;
  std::vector<std::int32_t> offsets;
  int total = firstRow;
  for (int i = index; i < index + count; ++i) {
    const std::vector<std::uint8_t> r = RowsOf(i);
    rows.insert(rows.end(), r.begin(), r.end());
    total += static_cast<int>(r.size());
    offsets.push_back(total);
  }
  const int added = static_cast<int>(rows.size());
  ReserveInSteps(rowLengths_, rowLengths_.size() + rows.size(), 512);
  rowLengths_.insert(rowLengths_.begin() + firstRow, rows.begin(), rows.end());
  ReserveInSteps(lineOffsets_, lineOffsets_.size() + offsets.size(), 256);
  lineOffsets_.insert(lineOffsets_.begin() + index, offsets.begin(), offsets.end());
  for (std::size_t i = static_cast<std::size_t>(index + count); i < lineOffsets_.size(); ++i) lineOffsets_[i] += added;
  lineCount_ += count;
  return added;
}

int TSynWordWrapPlugin::LinesDeleted(int index, int count) {
  if (maxRowLength_ <= 0 || count <= 0 || index >= lineCount_) return 0;
  count = std::min(count, lineCount_ - index);
  const int firstRow = index > 0 ? lineOffsets_[static_cast<std::size_t>(index - 1)] : 0;
  const int lastRow = lineOffsets_[static_cast<std::size_t>(index + count - 1)];
  const int removed = lastRow - firstRow;
  rowLengths_.erase(rowLengths_.begin() + firstRow, rowLengths_.begin() + lastRow);
  lineOffsets_.erase(lineOffsets_.begin() + index, lineOffsets_.begin() + index + count);
  for (std::size_t i = static_cast<std::size_t>(index); i < lineOffsets_.size(); ++i) lineOffsets_[i] -= removed;
  lineCount_ -= count;
  return removed;
}

int TSynWordWrapPlugin::LinesPutted(int index, int count) {
  if (maxRowLength_ <= 0 || count <= 0) return 0;
  int change = 0;
  for (int i = index; i < index + count && i < lineCount_; ++i) change += ReWrapLine(i);
  return change;
}

int TSynWordWrapPlugin::ReWrapLine(int index) {
  const int firstRow = index > 0 ? lineOffsets_[static_cast<std::size_t>(index - 1)] : 0;
  const int lastRow = lineOffsets_[static_cast<std::size_t>(index)];
  const std::vector<std::uint8_t> rows = RowsOf(index);
  const int change = static_cast<int>(rows.size()) - (lastRow - firstRow);
  if (change == 0) {
    std::copy(rows.begin(), rows.end(), rowLengths_.begin() + firstRow);
    return 0;
  }
  rowLengths_.erase(rowLengths_.begin() + firstRow, rowLengths_.begin() + lastRow);
  rowLengths_.insert(rowLengths_.begin() + firstRow, rows.begin(), rows.end());
  for (std::size_t i = static_cast<std::size_t>(index); i < lineOffsets_.size(); ++i) lineOffsets_[i] += change;
  return change;
}

void TSynWordWrapPlugin::DisplayChanged() {
  const int old = maxRowLength_;
  SetMaxRowLength();
  if (maxRowLength_ != old) WrapLines();
}

void TSynWordWrapPlugin::Reset() {
  lineCount_ = 0;
  lineOffsets_.clear();
  lineOffsets_.shrink_to_fit();
  rowLengths_.clear();
  rowLengths_.shrink_to_fit();
}

}  // namespace qx
