// Tab expansion for display columns. Expanded text keeps TAB characters (one per display
// column the tab covers) so that the painter can still tell tabs from blanks; a tab width
// below 2 turns each TAB into one blank.
#pragma once
#include <string>
#include <string_view>

namespace qx {

// Expands the line for the tab width; hasTabs tells whether a TAB was met.
using TTabExpander = std::u32string (*)(std::u32string_view line, int tabWidth, bool& hasTabs);

// The expander for a tab width: one blank per TAB below 2, a mask for powers of two up
// to 65536, a remainder for any other width.
TTabExpander GetBestConvertTabsProc(int tabWidth);

// Display columns of the text: a TAB moves column c to c + W - (c mod W), any other
// character adds 1. A width below 2 counts a TAB as one column.
int GetExpandedLength(std::u32string_view text, int tabWidth);

// Caret column (1-based) of the 1-based character index in the line, with tabs
// expanded; characters beyond the end of the line count one column each.
int CharIndex2CaretPos(int index, int tabWidth, std::u32string_view line);

}  // namespace qx
