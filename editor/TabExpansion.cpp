#include "editor/TabExpansion.h"

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

// Widths that are powers of two reach the next stop with a mask instead of a division.
std::u32string ConvertTabsMasked(std::u32string_view line, int tabWidth, bool& hasTabs) {
  hasTabs = line.find(kTab) != std::u32string_view::npos;
  if (!hasTabs) return std::u32string(line);
  const std::size_t mask = static_cast<std::size_t>(tabWidth) - 1;
  std::u32string out;
  out.reserve(line.size() + static_cast<std::size_t>(tabWidth));
  for (char32_t c : line) {
    if (c == kTab) {
      const std::size_t next = (out.size() | mask) + 1;
      out.append(next - out.size(), kTab);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::u32string ConvertTabsModulo(std::u32string_view line, int tabWidth, bool& hasTabs) {
  hasTabs = line.find(kTab) != std::u32string_view::npos;
  if (!hasTabs) return std::u32string(line);
  const std::size_t w = static_cast<std::size_t>(tabWidth);
  std::u32string out;
  out.reserve(line.size() + w);
  for (char32_t c : line) {
    if (c == kTab)
      out.append(w - out.size() % w, kTab);
    else
      out.push_back(c);
  }
  return out;
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
