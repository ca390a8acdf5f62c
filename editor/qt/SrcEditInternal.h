// Helpers shared by the files of the editor control (not part of its interface): scoped
// holds of the update lock, the buffer's update and an undo block, the translation of
// Qt's keys to the key codes of the bindings, and small text routines.
#pragma once
#include <QKeyEvent>
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "editor/BeginEndScope.h"
#include "editor/qt/SrcEdit.h"

namespace qx {

using TPaintLockGuard = TBeginEndScope<TCustomSrcEdit, &TCustomSrcEdit::BeginUpdate, &TCustomSrcEdit::EndUpdate>;
using TLinesUpdateGuard =
    TBeginEndScope<TSrcEditStringList, &TSrcEditStringList::BeginUpdate, &TSrcEditStringList::EndUpdate>;
using TUndoBlockGuard = TBeginEndScope<TSrcEditUndoList, &TSrcEditUndoList::BeginBlock, &TSrcEditUndoList::EndBlock>;

// An option switched on (or off) for the length of a step, then put back.
class TOptionOverride {
 public:
  TOptionOverride(TSrcEditorOptions& options, TSrcEditorOption option, bool on)
      : options_(options), option_(option), was_(options.Contains(option)) {
    if (on)
      options_.Include(option_);
    else
      options_.Exclude(option_);
  }
  ~TOptionOverride() {
    if (was_)
      options_.Include(option_);
    else
      options_.Exclude(option_);
  }
  TOptionOverride(const TOptionOverride&) = delete;
  TOptionOverride& operator=(const TOptionOverride&) = delete;

 private:
  TSrcEditorOptions& options_;
  TSrcEditorOption option_;
  bool was_;
};

// Whether the editor is alive (a drag may name an editor that has gone).
bool IsLiveSrcEdit(const TCustomSrcEdit* editor);

// The key code of the bindings for a Qt key (0 for keys no binding can name), and the
// modifiers as a shift state.
std::uint16_t QtKeyToVirtualKey(int key);
TShiftState QtModifiersToShift(Qt::KeyboardModifiers modifiers);
// Whether the key event translates to one of the editor's bindings.
bool SrcEditKeyBound(TCustomSrcEdit& editor, const QKeyEvent* event);

// The order of two positions: by line, then by char.
inline bool PosBefore(const TBufferCoord& a, const TBufferCoord& b) {
  return a.Line < b.Line || (a.Line == b.Line && a.Char < b.Char);
}
inline TBufferCoord MinPos(const TBufferCoord& a, const TBufferCoord& b) { return PosBefore(b, a) ? b : a; }
inline TBufferCoord MaxPos(const TBufferCoord& a, const TBufferCoord& b) { return PosBefore(b, a) ? a : b; }

inline bool IsBlankOrTab(char32_t c) { return c == U' ' || c == U'\t'; }

// The text without its trailing blanks and tabs.
inline std::u32string TrimTrailing(std::u32string s) {
  while (!s.empty() && IsBlankOrTab(s.back())) s.pop_back();
  return s;
}

// The pieces of a text cut at CR, LF or CR LF.
std::vector<std::u32string_view> SplitLines(std::u32string_view text);

}  // namespace qx

namespace qx {

// The display column (tabs expanded, 1-based) of a character of a line, and the character
// that covers a display column (a column inside a tab gives the tab); characters beyond
// the end of the line are one column each. Word wrap plays no part.
int ColumnOfChar(const std::u32string& line, int ch, int tabWidth);
int CharOfColumn(const std::u32string& line, int column, int tabWidth);

}  // namespace qx
