#include "editor/TabExpansion.h"

#include <algorithm>

namespace qx {

namespace {

constexpr char32_t kTab = U'\t';

std::u32string ConvertTabsToBlanks(std::u32string_view line, int, bool& hasTabs) {
  std::u32string out(line);
  hasTabs = false;
  for (char32_t& c : out)
    if (c == kTab) {
      c = U' ';
      hasTabs = true;
    }
  return out;
}

// Copies the line into a string of TABs sized to its expansion, one run between tabs at a
// time; stop(column) is the column of the next tab stop.
template <typename NextStop>
std::u32string Expand(std::u32string_view line, NextStop stop) {
  std::size_t size = 0;
  for (char32_t c : line) size = c == kTab ? stop(size) : size + 1;
  std::u32string out(size, kTab);
  std::size_t column = 0, i = 0;
  while (i < line.size()) {
    const std::size_t tab = std::min(line.find(kTab, i), line.size());
    std::copy(line.begin() + static_cast<std::ptrdiff_t>(i), line.begin() + static_cast<std::ptrdiff_t>(tab),
              out.begin() + static_cast<std::ptrdiff_t>(column));
    column += tab - i;
    if (tab < line.size()) column = stop(column);  // the cells up to the stop are already TABs
    i = tab + 1;
  }
  return out;
}

// Widths that are powers of two reach the next stop with a mask instead of a division.
std::u32string ConvertTabsMasked(std::u32string_view line, int tabWidth, bool& hasTabs) {
  hasTabs = line.find(kTab) != std::u32string_view::npos;
  if (!hasTabs) return std::u32string(line);
  const std::size_t mask = static_cast<std::size_t>(tabWidth) - 1;
  return Expand(line, [mask](std::size_t column) { return (column | mask) + 1; });
}

std::u32string ConvertTabsModulo(std::u32string_view line, int tabWidth, bool& hasTabs) {
  hasTabs = line.find(kTab) != std::u32string_view::npos;
  if (!hasTabs) return std::u32string(line);
  const std::size_t w = static_cast<std::size_t>(tabWidth);
  return Expand(line, [w](std::size_t column) { return column + w - column % w; });
}

bool IsPowerOfTwo(int w) { return w >= 2 && w <= 65536 && (w & (w - 1)) == 0; }

}  // namespace

TTabExpander GetBestConvertTabsProc(int tabWidth) {
  if (tabWidth < 2) return &ConvertTabsToBlanks;
  if (IsPowerOfTwo(tabWidth)) return &ConvertTabsMasked;
  return &ConvertTabsModulo;
}

int GetExpandedLength(std::u32string_view text, int tabWidth) {
  int column = 0;
  for (char32_t c : text) {
    if (c == kTab && tabWidth >= 2)
      column += tabWidth - column % tabWidth;
    else
      ++column;
  }
  return column;
}

int CharIndex2CaretPos(int index, int tabWidth, std::u32string_view line) {
  if (index < 2) return 1;
  const std::size_t firstTab = line.find(kTab);
  if (tabWidth < 2 || firstTab == std::u32string_view::npos) return index;
  // index is 1-based: the characters before it are those at 0 .. index - 2.
  const std::size_t before = static_cast<std::size_t>(index) - 1;
  if (firstTab >= before) return index;
  int column = static_cast<int>(firstTab);
  std::size_t i = firstTab;
  for (; i < before && i < line.size(); ++i) {
    if (line[i] == kTab)
      column = (column + tabWidth) - (column + tabWidth) % tabWidth;
    else
      ++column;
  }
  column += static_cast<int>(before - i);
  return column + 1;
}

}  // namespace qx
