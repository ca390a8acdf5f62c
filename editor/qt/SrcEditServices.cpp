// The second half of the control: the options setter, word navigation, bracket matching,
// caret moves with and without selection, Home and End, Tab and Shift+Tab, block indent
// and unindent, case changes and bookmarks.
#include <QChar>

#include "editor/CharClasses.h"
#include "editor/qt/SrcEdit.h"
#include "editor/qt/SrcEditInternal.h"

namespace qx {

// ---- options ----

void TCustomSrcEdit::SetOptions(TSrcEditorOptions value) {
  if (value == options_) return;
  const bool dropFilesChanged = value.Contains(eoDropFiles) != options_.Contains(eoDropFiles);
  if (!options_.Contains(eoScrollPastEol)) SetLeftChar(leftChar_);
  if (!options_.Contains(eoScrollPastEof)) SetTopLine(topLine_);
  const bool scrollChanged = (value * kSrcEditScrollOptions) != (options_ * kSrcEditScrollOptions);
  const bool specialChanged = value.Contains(eoShowSpecialChars) != options_.Contains(eoShowSpecialChars);
  options_ = value;
  showSpecChar_ = options_.Contains(eoShowSpecialChars);
  SetCaretXYEx(false, CaretXY());
  if (options_.Contains(eoScrollPastEol)) {
    const TBufferCoord end = blockEnd_;
    SetBlockBegin(blockBegin_);
    SetBlockEnd(end);
  }
  if (dropFilesChanged) setAcceptDrops(true);  // text drops are always accepted; file drops follow the option
  if (specialChanged) viewport()->update();
  if (scrollChanged) UpdateScrollBars();
}

// ---- characters and words ----

bool TCustomSrcEdit::IsIdentChar(char32_t c) const {
  return highlighter_ ? highlighter_->IsIdentChar(c) : IsDefaultIdentChar(c);
}

bool TCustomSrcEdit::WrapIsIdentChar(char32_t c) const { return highlighter_ ? highlighter_->IsIdentChar(c) : c >= 33; }

// Word moves and word deletes stop where the language's identifiers stop: with a
// highlighter its identifier characters less its word breaks, else the default identifier
// characters (none of which is a default word break).
bool TCustomSrcEdit::IsWordChar(char32_t c) const {
  if (!highlighter_) return IsDefaultIdentChar(c);
  return highlighter_->IsIdentChar(c) && !highlighter_->IsWordBreakChar(c);
}

TBufferCoord TCustomSrcEdit::NextWordPosEx(const TBufferCoord& pos) const {
  int cx = pos.Char, cy = pos.Line;
  if (cy < 1 || cy > lines_->Count()) return pos;
  std::u32string text = lines_->Get(cy - 1);
  const std::u32string* line = &text;
  auto firstWordFrom = [&](const std::u32string& s, int from) {
    for (int i = from; i <= static_cast<int>(s.size()); ++i)
      if (IsWordChar(s[static_cast<std::size_t>(i - 1)])) return i;
    return 0;
  };
  if (cx > static_cast<int>(line->size())) {
    if (cy < lines_->Count()) {
      ++cy;
      text = lines_->Get(cy - 1);
      const int first = firstWordFrom(*line, 1);
      cx = first > 0 ? first : 1;
    }
    return {cx, cy};
  }
  cx = std::max(cx, 1);
  if (IsWordChar((*line)[static_cast<std::size_t>(cx - 1)]))
    while (cx <= static_cast<int>(line->size()) && IsWordChar((*line)[static_cast<std::size_t>(cx - 1)])) ++cx;
  const int next = firstWordFrom(*line, cx);
  return {next > 0 ? next : static_cast<int>(line->size()) + 1, cy};
}

TBufferCoord TCustomSrcEdit::WordStartEx(const TBufferCoord& pos) const {
  if (pos.Line < 1 || pos.Line > lines_->Count()) return pos;
  const std::u32string line = lines_->Get(pos.Line - 1);
  int cx = std::clamp(pos.Char, 1, static_cast<int>(line.size()) + 1);
  while (cx > 1 && IsWordChar(line[static_cast<std::size_t>(cx - 2)])) --cx;
  return {cx, pos.Line};
}

TBufferCoord TCustomSrcEdit::WordEndEx(const TBufferCoord& pos) const {
  if (pos.Line < 1 || pos.Line > lines_->Count()) return pos;
  const std::u32string line = lines_->Get(pos.Line - 1);
  int cx = std::max(pos.Char, 1);
  while (cx <= static_cast<int>(line.size()) && IsWordChar(line[static_cast<std::size_t>(cx - 1)])) ++cx;
  return {std::min(cx, static_cast<int>(line.size()) + 1), pos.Line};
}

TBufferCoord TCustomSrcEdit::PrevWordPosEx(const TBufferCoord& pos) const {
  int cx = pos.Char, cy = pos.Line;
  if (cy < 1 || cy > lines_->Count()) return pos;
  if (cx <= 1) {
    if (cy > 1) {
      --cy;
      return {lines_->Length(cy - 1) + 1, cy};
    }
    return {1, cy};
  }
  const std::u32string line = lines_->Get(cy - 1);
  cx = std::min(cx, static_cast<int>(line.size()) + 1);
  while (cx > 1 && !IsWordChar(line[static_cast<std::size_t>(cx - 2)])) --cx;
  while (cx > 1 && IsWordChar(line[static_cast<std::size_t>(cx - 2)])) --cx;
  return {cx, cy};
}

std::u32string TCustomSrcEdit::GetWordAtRowCol(TBufferCoord pos) {
  if (pos.Line < 1 || pos.Line > lines_->Count()) return {};
  const TBufferCoord b = WordStartEx(pos), e = WordEndEx(pos);
  const std::u32string line = lines_->Get(pos.Line - 1);
  if (e.Char <= b.Char) return {};
  return line.substr(static_cast<std::size_t>(b.Char - 1), static_cast<std::size_t>(e.Char - b.Char));
}

std::u32string TCustomSrcEdit::WordAtCursor() { return GetWordAtRowCol(CaretXY()); }

// ---- brackets ----

bool TCustomSrcEdit::GetHighlighterAttriAtRowColEx(const TBufferCoord& pos, std::u32string& token, int& tokenKind,
                                                  int& start, TSynHighlighterAttributes*& attri) const {
  if (!highlighter_ || pos.Line < 1 || pos.Line > lines_->Count()) return false;
  const std::u32string line = lines_->Get(pos.Line - 1);
  if (pos.Char < 1 || pos.Char > static_cast<int>(line.size())) return false;
  if (pos.Line == 1)
    highlighter_->ResetRange();
  else
    highlighter_->SetRange(lines_->GetRange(pos.Line - 2));
  highlighter_->SetLine(line, pos.Line - 1);
  while (!highlighter_->GetEol()) {
    const int p = highlighter_->GetTokenPos();
    token = highlighter_->GetToken();
    if (pos.Char - 1 >= p && pos.Char - 1 < p + static_cast<int>(token.size())) {
      tokenKind = highlighter_->GetTokenKind();
      start = p + 1;
      attri = highlighter_->GetTokenAttribute();
      return true;
    }
    highlighter_->Next();
  }
  return false;
}

TBufferCoord TCustomSrcEdit::GetMatchingBracketEx(const TBufferCoord& pos) const {
  static constexpr std::u32string_view kBrackets = U"()[]{}<>";
  if (pos.Line < 1 || pos.Line > lines_->Count()) return {0, 0};
  const std::u32string start = lines_->Get(pos.Line - 1);
  if (pos.Char < 1 || pos.Char > static_cast<int>(start.size())) return {0, 0};
  const char32_t test = start[static_cast<std::size_t>(pos.Char - 1)];
  const std::size_t i = kBrackets.find(test);
  if (i == std::u32string_view::npos) return {0, 0};
  const char32_t match = kBrackets[i ^ 1];
  const bool forward = (i % 2) == 0;
  // Only brackets of the same look count: those in strings or comments are skipped.
  auto attrAt = [&](int ch, int ln) -> TSynHighlighterAttributes* {
    std::u32string token;
    int kind = 0, st = 0;
    TSynHighlighterAttributes* a = nullptr;
    return GetHighlighterAttriAtRowColEx({ch, ln}, token, kind, st, a) ? a : nullptr;
  };
  TSynHighlighterAttributes* const startAttr = highlighter_ ? attrAt(pos.Char, pos.Line) : nullptr;
  int level = 1;
  int x = pos.Char, y = pos.Line;
  for (;;) {
    const std::u32string line = lines_->Get(y - 1);
    if (forward) {
      ++x;
      if (x > static_cast<int>(line.size())) {
        if (++y > lines_->Count()) return {0, 0};
        x = 0;
        continue;
      }
    } else {
      --x;
      if (x < 1) {
        if (--y < 1) return {0, 0};
        x = lines_->Length(y - 1) + 1;
        continue;
      }
    }
    const char32_t c = line[static_cast<std::size_t>(x - 1)];
    if (c != test && c != match) continue;
    if (highlighter_ && attrAt(x, y) != startAttr) continue;
    level += c == test ? 1 : -1;
    if (level == 0) return {x, y};
  }
}

void TCustomSrcEdit::FindMatchingBracket() {
  const TBufferCoord p = GetMatchingBracket();
  if (p.Char > 0) SetCaretXY(p);
}

// ---- caret moves ----

void TCustomSrcEdit::MoveCaretAndSelection(const TBufferCoord& before, const TBufferCoord& after,
                                           bool selectionCommand) {
  if (options_.Contains(eoGroupUndo) && undoList_->CanUndo()) undoList_->AddGroupBreak();
  TPaintLockGuard lock(*this);
  if (selectionCommand) {
    // A column block over several lines but no columns yet (Shift+Down in column mode) holds
    // no text, but it is the block being drawn: it keeps its anchor, as it does under the mouse.
    const bool columnBlockBeingDrawn = activeSelectionMode_ == smColumn && blockBegin_.Line != blockEnd_.Line;
    if (!SelAvail() && !columnBlockBeingDrawn) SetBlockBegin(before);
    SetBlockEnd(after);
  } else {
    SetBlockBegin(after);
  }
  SetInternalCaretXY(after);
}

void TCustomSrcEdit::MoveCaretHorz(int dx, bool selectionCommand) {
  const TBufferCoord from = CaretXY();
  TBufferCoord to = from;
  const int length = static_cast<int>(LineText().size());
  if (!options_.Contains(eoScrollPastEol)) {
    if (dx == -1 && from.Char == 1 && from.Line > 1) {
      to = {lines_->Length(from.Line - 2) + 1, from.Line - 1};
    } else if (dx == 1 && from.Char > length && from.Line < lines_->Count()) {
      to = {1, from.Line + 1};
    } else {
      to.Char = std::max(1, to.Char + dx);
      if (dx > 0) to.Char = std::min(to.Char, length + 1);
    }
  } else {
    to.Char = std::max(1, to.Char + dx);
  }
  MoveCaretAndSelection(from, to, selectionCommand);
}

void TCustomSrcEdit::MoveCaretVert(int dy, bool selectionCommand) {
  const TDisplayPos from = DisplayXY();
  TDisplayPos to = from;
  to.Row = std::clamp(to.Row + dy, 1, std::max(1, DisplayLineCount()));
  if (to.Row != from.Row && options_.Contains(eoKeepCaretX)) to.Column = lastCaretX_;
  // The remembered column outlives the move, so that the caret comes back to it.
  const int remembered = lastCaretX_;
  MoveCaretAndSelection(CaretXY(), DisplayToBufferPos(to), selectionCommand);
  lastCaretX_ = remembered;
}

void TCustomSrcEdit::DoHomeKey(bool selection) {
  const std::u32string line = LineText();
  int target = 1;
  const TDisplayPos d = DisplayXY();
  const bool firstRow = !wordWrapPlugin_ || LineToRow(caretY_) == d.Row;
  if (options_.Contains(eoEnhanceHomeKey) && firstRow) {
    int first = 1;
    while (first <= static_cast<int>(line.size()) && IsBlankOrTab(line[static_cast<std::size_t>(first - 1)])) ++first;
    target = (caretX_ <= first && caretX_ != 1) ? 1 : first;
  } else if (wordWrapPlugin_) {
    target = DisplayToBufferPos({1, d.Row}).Char;
  }
  MoveCaretAndSelection(CaretXY(), {target, caretY_}, selection);
}

void TCustomSrcEdit::DoEndKey(bool selection) {
  const std::u32string line = LineText();
  const int lineEnd = static_cast<int>(line.size()) + 1;
  int target = lineEnd;
  const TDisplayPos d = DisplayXY();
  const bool lastRow = !wordWrapPlugin_ || RowToLine(d.Row + 1) != caretY_;
  if (options_.Contains(eoEnhanceEndKey) && lastRow) {
    const int lastText = static_cast<int>(TrimTrailing(line).size()) + 1;
    target = caretX_ == lastText ? lineEnd : lastText;
  } else if (wordWrapPlugin_ && !lastRow) {
    target = DisplayToBufferPos({std::min(wordWrapPlugin_->GetRowLength(d.Row) + 1, charsInWindow_ + 1), d.Row}).Char;
  }
  MoveCaretAndSelection(CaretXY(), {target, caretY_}, selection);
}

// ---- Tab and Shift+Tab ----

void TCustomSrcEdit::DoTabKey() {
  if (options_.Contains(eoTabIndent) && SelAvail() && (SelectionSpansLines() || activeSelectionMode_ == smLine)) {
    DoBlockIndent();
    return;
  }
  int distance = 0;
  const int caretColumn = DisplayX();
  if (options_.Contains(eoSmartTabs) && caretY_ > 1) {
    for (int i = caretY_ - 1; i >= 1; --i) {
      const std::u32string above = lines_->ExpandedStrings(i - 1);
      if (static_cast<int>(above.size()) < caretColumn) continue;
      int k = caretColumn - 1;
      while (k < static_cast<int>(above.size()) && !IsBlankOrTab(above[static_cast<std::size_t>(k)])) ++k;
      while (k < static_cast<int>(above.size()) && IsBlankOrTab(above[static_cast<std::size_t>(k)])) ++k;
      distance = k - (caretColumn - 1);
      break;
    }
  }
  TUndoBlockGuard block(*undoList_);
  if (SelAvail()) DeleteSelectionRecorded(urDelete);
  // The caret may stand past the end of a line whose blanks were trimmed.
  TOptionOverride pastEol(options_, eoScrollPastEol, true);
  std::u32string line = LineText();
  const bool blankLine = std::all_of(line.begin(), line.end(), IsBlankOrTab);
  const TBufferCoord start = CaretXY();
  std::u32string text;
  if (options_.Contains(eoTabsToSpaces)) {
    if (distance == 0) distance = tabWidth_ - (caretX_ - 1) % tabWidth_;
    text.assign(static_cast<std::size_t>(distance), U' ');
  } else if (options_.Contains(eoTrimTrailingSpaces) && caretX_ > static_cast<int>(line.size())) {
    // Nothing to write: the caret alone goes to the next stop.
    const int col = distance > 0 ? caretColumn + distance : caretColumn + tabWidth_ - (caretColumn - 1) % tabWidth_;
    SetInternalCaretXY({caretX_ + (col - caretColumn), caretY_});
    return;
  } else {
    const bool whiteBefore = std::all_of(line.begin(), line.begin() + std::min<std::ptrdiff_t>(caretX_ - 1, static_cast<std::ptrdiff_t>(line.size())), IsBlankOrTab);
    if (distance > 0 && whiteBefore) {
      const int target = caretColumn + distance;
      int col = caretColumn;
      while (tabWidth_ > 1 && col + (tabWidth_ - (col - 1) % tabWidth_) <= target) {
        text += U'\t';
        col += tabWidth_ - (col - 1) % tabWidth_;
      }
      text.append(static_cast<std::size_t>(target - col), U' ');
    } else {
      text = U"\t";
    }
  }
  const int y = caretY_;
  const int length = static_cast<int>(line.size());
  if (length < caretX_ - 1) {
    // The blanks that reach the caret are part of the step, so that undo takes them too.
    line.append(static_cast<std::size_t>(caretX_ - 1 - length), U' ');
    undoList_->AddChange(urWhiteSpaceAdd, {length + 1, y}, {caretX_, y}, U"", smNormal);
  }
  line.insert(static_cast<std::size_t>(caretX_ - 1), text);
  ProperSetLine(y - 1, line);
  const int advance = options_.Contains(eoTrimTrailingSpaces) && blankLine
                          ? ColumnOfChar(line, caretX_ + static_cast<int>(text.size()), tabWidth_) -
                                ColumnOfChar(line, caretX_, tabWidth_)
                          : static_cast<int>(text.size());
  undoList_->AddChange(urInsert, start, {start.Char + static_cast<int>(text.size()), y}, U"", smNormal);
  SetInternalCaretXY({start.Char + advance, y});
}

void TCustomSrcEdit::DoShiftTabKey() {
  if (options_.Contains(eoTabIndent) && SelAvail()) {
    DoBlockUnindent();
    return;
  }
  const std::u32string s = LineText();
  int target = caretX_;
  bool smart = false;
  if (options_.Contains(eoSmartTabs) && caretX_ > 1 && caretY_ > 1) {
    for (int i = caretY_ - 1; i >= 1; --i) {
      const std::u32string above = lines_->Get(i - 1);
      if (static_cast<int>(above.size()) < caretX_ - 1) continue;
      int p = caretX_ - 1;
      while (p >= 1 && IsBlankOrTab(above[static_cast<std::size_t>(p - 1)])) --p;
      while (p >= 1 && !IsBlankOrTab(above[static_cast<std::size_t>(p - 1)])) --p;
      target = p + 1;
      smart = true;
      break;
    }
  }
  if (!smart) {
    const int tabStop = ((caretX_ - 2) / tabWidth_) * tabWidth_ + 1;
    if (caretX_ - 1 > static_cast<int>(s.size())) {
      target = std::max(1, tabStop);
    } else if (caretX_ > 1 && s[static_cast<std::size_t>(caretX_ - 2)] == U'\t') {
      target = caretX_ - 1;
    } else {
      target = caretX_;
      while (target > tabStop && target > 1 && s[static_cast<std::size_t>(target - 2)] == U' ') --target;
    }
  }
  if (target >= caretX_) return;
  const TBufferCoord caret = CaretXY();
  std::u32string removed;
  if (target - 1 < static_cast<int>(s.size())) {
    const int last = std::min(caretX_ - 1, static_cast<int>(s.size()));
    removed = s.substr(static_cast<std::size_t>(target - 1), static_cast<std::size_t>(last - (target - 1)));
    std::u32string line = s;
    line.erase(static_cast<std::size_t>(target - 1), removed.size());
    ProperSetLine(caretY_ - 1, line);
  }
  TOptionOverride pastEol(options_, eoScrollPastEol, true);
  SetCaretXY({target, caret.Line});
  if (!removed.empty()) undoList_->AddChange(urSilentDelete, CaretXY(), caret, removed, smNormal);
}

// ---- block indent and unindent ----

void TCustomSrcEdit::DoBlockIndent() {
  const TBufferCoord b = BlockBegin(), e = BlockEnd();
  const TBufferCoord oldCaret = CaretXY();
  const TSynSelectionMode mode = activeSelectionMode_;
  const int lastLine = (e.Char == 1 && e.Line > b.Line) ? e.Line - 1 : e.Line;
  const int column = mode == smColumn ? std::min(b.Char, e.Char) : 1;
  const std::u32string unit = options_.Contains(eoTabsToSpaces) ? std::u32string(static_cast<std::size_t>(tabWidth_), U' ')
                                                                 : std::u32string(U"\t");
  std::u32string text;
  for (int y = b.Line; y <= lastLine; ++y) {
    text += unit;
    if (y < lastLine) text += U"\r\n";
  }
  const int width = static_cast<int>(unit.size());
  auto widened = [&](TBufferCoord p) {
    if (p.Line <= lastLine && p.Char >= column && !(mode != smColumn && p.Char == 1 && p.Line == b.Line && p == b))
      p.Char += width;
    return p;
  };
  TBufferCoord nb = b, ne = widened(e);
  if (mode == smColumn || b.Char > 1) nb = widened(b);
  TPaintLockGuard lock(*this);
  TUndoBlockGuard block(*undoList_);
  undoList_->AddChange(urIndent, b, e, U"", mode);
  SetCaretXY({column, b.Line});
  activeSelectionMode_ = smColumn;
  SetSelTextPrimitive(smColumn, text, true);
  undoList_->AddChange(urIndent, nb, ne, U"", mode);
  const TBufferCoord caret = oldCaret == b ? nb : ne;
  SetCaretAndSelection(caret, caret == nb ? ne : nb, caret);
  activeSelectionMode_ = mode;
}

void TCustomSrcEdit::DoBlockUnindent() {
  const TBufferCoord b = BlockBegin(), e = BlockEnd();
  const TBufferCoord oldCaret = CaretXY();
  const TSynSelectionMode mode = activeSelectionMode_;
  const int lastLine = (e.Char == 1 && e.Line > b.Line) ? e.Line - 1 : e.Line;
  const int column = mode == smColumn ? std::min(b.Char, e.Char) : 1;
  std::u32string removedAll;
  int removedFirst = 0, removedLast = 0;
  bool any = false;
  TPaintLockGuard lock(*this);
  TLinesUpdateGuard update(*lines_);
  for (int y = b.Line; y <= lastLine; ++y) {
    std::u32string s = lines_->Get(y - 1);
    const std::size_t at = static_cast<std::size_t>(column - 1);
    std::size_t n = 0;
    if (at < s.size()) {
      if (s[at] == U'\t') {
        n = 1;
      } else {
        while (n < static_cast<std::size_t>(tabWidth_) && at + n < s.size() && s[at + n] == U' ') ++n;
        if (n < static_cast<std::size_t>(tabWidth_) && at + n < s.size() && s[at + n] == U'\t') ++n;
      }
    }
    const std::u32string piece = s.substr(std::min(at, s.size()), n);
    if (n > 0) {
      any = true;
      s.erase(at, n);
      lines_->Put(y - 1, std::move(s));
    }
    if (y == b.Line) removedFirst = static_cast<int>(n);
    if (y == lastLine) removedLast = static_cast<int>(n);
    removedAll += piece;
    if (y < lastLine) removedAll += U"\r\n";
  }
  if (!any) return;
  undoList_->AddChange(urUnindent, b, e, removedAll, mode == smColumn ? smColumn : smNormal);
  TBufferCoord nb = b, ne = e;
  if (nb.Char > column) nb.Char = std::max(column, nb.Char - removedFirst);
  if (ne.Line <= lastLine && ne.Char > column) ne.Char = std::max(column, ne.Char - removedLast);
  const TBufferCoord caret = oldCaret == b ? nb : ne;
  SetCaretAndSelection(caret, caret == nb ? ne : nb, caret);
  activeSelectionMode_ = mode;
}

// ---- case changes ----

void TCustomSrcEdit::DoCaseChange(TSrcEditorCommand command) {
  const bool block = command >= ecUpperCaseBlock;
  const TBufferCoord oldCaret = CaretXY();
  const TBufferCoord oldBegin = blockBegin_, oldEnd = blockEnd_;
  if (block && !SelAvail()) return;
  TPaintLockGuard lock(*this);
  TUndoBlockGuard undo(*undoList_);
  undoList_->AddChange(urSelection, oldBegin, oldEnd, U"", activeSelectionMode_);
  undoList_->AddChange(urCaret, oldCaret, oldCaret, U"", activeSelectionMode_);
  if (!block) {
    const TBufferCoord ws = WordStartEx(oldCaret), we = WordEndEx(oldCaret);
    if (we.Char <= ws.Char) return;
    SetCaretAndSelection(we, ws, we);
  }
  std::u32string text = SelText();
  bool first = true;
  for (char32_t& c : text) {
    switch (command) {
      case ecUpperCase: case ecUpperCaseBlock: c = QChar::toUpper(c); break;
      case ecLowerCase: case ecLowerCaseBlock: c = QChar::toLower(c); break;
      case ecToggleCase: case ecToggleCaseBlock: c = QChar::isUpper(c) ? QChar::toLower(c) : QChar::toUpper(c); break;
      default: c = first ? QChar::toUpper(c) : QChar::toLower(c); break;
    }
    first = false;
  }
  const TSynSelectionMode mode = activeSelectionMode_;
  SetSelText(text);
  if (block) {
    SetCaretAndSelection(oldCaret, oldBegin, oldEnd);
    activeSelectionMode_ = mode;
  } else {
    SetCaretXY(oldCaret);
  }
}

// ---- bookmarks ----

bool TCustomSrcEdit::GetBookMark(int bookMark, int& x, int& y) const {
  if (bookMark < 0 || bookMark > 9 || !bookmarks_[static_cast<std::size_t>(bookMark)]) return false;
  x = bookmarks_[static_cast<std::size_t>(bookMark)]->Char();
  y = bookmarks_[static_cast<std::size_t>(bookMark)]->Line();
  return true;
}

bool TCustomSrcEdit::IsBookmark(int bookMark) const {
  return bookMark >= 0 && bookMark <= 9 && bookmarks_[static_cast<std::size_t>(bookMark)] != nullptr;
}

void TCustomSrcEdit::SetBookMark(int bookMark, int x, int y) {
  if (bookMark < 0 || bookMark > 9 || y < 1 || y > std::max(1, lines_->Count())) return;
  auto mark = std::make_unique<TSrcEditMark>(this);
  mark->SetLine(y);
  mark->SetChar(x);
  mark->SetImageIndex(bookMark);
  mark->SetBookmarkNumber(bookMark);
  mark->SetVisible(true);
  mark->SetInternalImage(bookMarkOptions_.BookmarkImages() == nullptr);
  TSrcEditMark* placed = mark.get();
  DoOnPlaceMark(placed);
  if (!placed) return;  // the handler refused it
  if (bookmarks_[static_cast<std::size_t>(bookMark)]) ClearBookMark(bookMark);
  bookmarks_[static_cast<std::size_t>(bookMark)] = marks_->Add(std::move(mark));
  InvalidateGutterLine(y);
}

void TCustomSrcEdit::ClearBookMark(int bookMark) {
  if (!IsBookmark(bookMark)) return;
  TSrcEditMark* mark = bookmarks_[static_cast<std::size_t>(bookMark)];
  const int line = mark->Line();
  DoOnClearBookmark(mark);
  mark = bookmarks_[static_cast<std::size_t>(bookMark)];
  bookmarks_[static_cast<std::size_t>(bookMark)] = nullptr;
  const int index = marks_->IndexOf(mark);
  if (index >= 0) marks_->Delete(index);
  InvalidateGutterLine(line);
}

void TCustomSrcEdit::GotoBookMark(int bookMark) { DoGotoBookmark(bookMark); }

void TCustomSrcEdit::DoGotoBookmark(int number) {
  if (!IsBookmark(number)) return;
  const TSrcEditMark* mark = bookmarks_[static_cast<std::size_t>(number)];
  if (mark->Line() > lines_->Count()) return;
  TPaintLockGuard lock(*this);
  SetCaretXYEx(false, {mark->Char(), mark->Line()});
  EnsureCursorPosVisibleEx(true);
  if (SelAvail()) InvalidateSelection();
  blockBegin_ = blockEnd_ = CaretXY();
}

void TCustomSrcEdit::DoSetBookmark(TSrcEditorCommand command, void* data) {
  const int n = command - ecSetMarker0;
  const TBufferCoord pos = data ? *static_cast<const TBufferCoord*>(data) : CaretXY();
  if (IsBookmark(n)) {
    const int line = bookmarks_[static_cast<std::size_t>(n)]->Line();
    ClearBookMark(n);
    if (line != pos.Line) SetBookMark(n, pos.Char, pos.Line);
  } else {
    SetBookMark(n, pos.Char, pos.Line);
  }
}

}  // namespace qx
