// The selection in its three modes (normal, line, column): its ends and their setters,
// reading it, the one primitive that replaces it with new text, the whole-text and
// current-line accessors, and the clipboard with the private format that carries the mode.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "editor/TabExpansion.h"
#include "editor/qt/SrcEdit.h"
#include "editor/qt/SrcEditInternal.h"

namespace qx {

// ---- small routines ----

std::vector<std::u32string_view> SplitLines(std::u32string_view text) {
  std::vector<std::u32string_view> pieces;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == U'\r' || text[i] == U'\n') {
      pieces.push_back(text.substr(start, i - start));
      if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

int ColumnOfChar(const std::u32string& line, int ch, int tabWidth) {
  if (line.find(U'\t') == std::u32string::npos) return ch;
  return CharIndex2CaretPos(ch, tabWidth, line);
}

int CharOfColumn(const std::u32string& line, int column, int tabWidth) {
  if (tabWidth < 2 || line.find(U'\t') == std::u32string::npos) return column;
  const int target = column - 1;
  int col = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const int width = line[i] == U'\t' ? tabWidth - col % tabWidth : 1;
    if (target < col + width) return static_cast<int>(i) + 1;
    col += width;
  }
  return static_cast<int>(line.size()) + 1 + (target - col);
}

// ---- the selection's ends ----

TBufferCoord TCustomSrcEdit::BlockBegin() const { return MinPos(blockBegin_, blockEnd_); }
TBufferCoord TCustomSrcEdit::BlockEnd() const { return MaxPos(blockBegin_, blockEnd_); }

bool TCustomSrcEdit::SelAvail() const {
  return !(blockBegin_.Char == blockEnd_.Char &&
           (blockBegin_.Line == blockEnd_.Line || activeSelectionMode_ == smColumn));
}

bool TCustomSrcEdit::SelectionIsOneFullLine() const {
  const TBufferCoord b = BlockBegin(), e = BlockEnd();
  return b.Char <= 1 && static_cast<int>(LineText().size()) < e.Char && SelAvail();
}

bool TCustomSrcEdit::SelectionSpansLines() const {
  return blockBegin_.Line != blockEnd_.Line && activeSelectionMode_ != smColumn;
}

namespace {

// Clamping shared by both ends of the selection.
TBufferCoord ClampSelectionEnd(TBufferCoord value, const TSrcEditStringList& lines, TSrcEditorOptions options,
                               bool wordWrap, int maxScrollWidth, TSynSelectionMode mode) {
  if (options.Contains(eoScrollPastEol) && !wordWrap)
    value.Char = std::clamp(value.Char, 1, maxScrollWidth + 1);
  else
    value.Char = std::max(value.Char, 1);
  value.Line = std::max(std::min(value.Line, lines.Count()), 1);
  if (mode == smNormal) {
    if (value.Line <= lines.Count())
      value.Char = std::min(value.Char, lines.Length(value.Line - 1) + 1);
    else
      value.Char = 1;
  }
  return value;
}

}  // namespace

void TCustomSrcEdit::SetBlockBegin(TBufferCoord value) {
  activeSelectionMode_ = selectionMode_;
  value = ClampSelectionEnd(value, *lines_, options_, wordWrapPlugin_ != nullptr, maxScrollWidth_,
                            activeSelectionMode_);
  if (SelAvail()) {
    const int first = std::min({value.Line, blockBegin_.Line, blockEnd_.Line});
    const int last = std::max({value.Line, blockBegin_.Line, blockEnd_.Line});
    InvalidateLines(first, last);
  }
  const bool changed = blockBegin_ != value || blockEnd_ != value;
  blockBegin_ = blockEnd_ = value;
  if (changed) StatusChanged(scSelection);
}

void TCustomSrcEdit::SetBlockEnd(TBufferCoord value) {
  activeSelectionMode_ = selectionMode_;
  if (options_.Contains(eoNoSelection)) return;
  value = ClampSelectionEnd(value, *lines_, options_, wordWrapPlugin_ != nullptr, maxScrollWidth_,
                            activeSelectionMode_);
  if (value == blockEnd_) return;
  if (activeSelectionMode_ != smColumn || value.Char == blockEnd_.Char) {
    if (!(activeSelectionMode_ == smColumn && blockBegin_.Char == value.Char))
      InvalidateLines(std::min(value.Line, blockEnd_.Line), std::max(value.Line, blockEnd_.Line));
  } else {
    InvalidateLines(std::min({blockBegin_.Line, blockEnd_.Line, value.Line}),
                    std::max({blockBegin_.Line, blockEnd_.Line, value.Line}));
  }
  blockEnd_ = value;
  StatusChanged(scSelection);
}

void TCustomSrcEdit::SetCaretAndSelection(const TBufferCoord& caret, const TBufferCoord& begin,
                                          const TBufferCoord& end) {
  TPaintLockGuard lock(*this);
  SetInternalCaretXY(caret);
  SetBlockBegin(begin);
  SetBlockEnd(end);
}

void TCustomSrcEdit::SelectAll() {
  TPaintLockGuard lock(*this);
  const int count = lines_->Count();
  const TBufferCoord last = count > 0 ? TBufferCoord{lines_->Length(count - 1) + 1, count}
                                      : TBufferCoord{1, 1};
  SetCaretXYEx(true, last);
  SetBlockBegin({1, 1});
  SetBlockEnd(last);
  StatusChanged(scSelection);
}

bool TCustomSrcEdit::IsPointInSelection(const TBufferCoord& pos) const {
  if (!SelAvail()) return false;
  const TBufferCoord b = BlockBegin(), e = BlockEnd();
  if (pos.Line < b.Line || pos.Line > e.Line) return false;
  switch (activeSelectionMode_) {
    case smLine: return true;
    case smColumn: {
      const std::u32string s = lines_->Get(pos.Line - 1);
      const int col = ColumnOfChar(s, pos.Char, tabWidth_);
      int c1 = ColumnOfChar(lines_->Get(b.Line - 1), b.Char, tabWidth_);
      int c2 = ColumnOfChar(lines_->Get(e.Line - 1), e.Char, tabWidth_);
      if (c1 > c2) std::swap(c1, c2);
      return col >= c1 && col < c2;
    }
    default:
      return (pos.Line > b.Line || pos.Char >= b.Char) && (pos.Line < e.Line || pos.Char < e.Char);
  }
}

// ---- reading the selection ----

std::u32string TCustomSrcEdit::SelText() const { return SelAvail() ? GetSelTextPrimitive() : std::u32string(); }

std::u32string TCustomSrcEdit::GetSelTextPrimitive() const {
  const TBufferCoord b = BlockBegin(), e = BlockEnd();
  std::u32string out;
  auto line = [&](int n) { return lines_->Get(n - 1); };
  auto from = [](const std::u32string& s, int ch) { return ch - 1 < static_cast<int>(s.size()) ? s.substr(static_cast<std::size_t>(std::max(ch - 1, 0))) : std::u32string(); };
  auto head = [](const std::u32string& s, int count) { return s.substr(0, static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(s.size())))); };
  switch (activeSelectionMode_) {
    case smNormal:
      if (b.Line == e.Line) return head(from(line(b.Line), b.Char), e.Char - b.Char);
      out = from(line(b.Line), b.Char) + U"\r\n";
      for (int i = b.Line + 1; i < e.Line; ++i) out += line(i) + U"\r\n";
      out += head(line(e.Line), e.Char - 1);
      return out;
    case smLine:
      for (int i = b.Line; i <= e.Line; ++i) {
        out += line(i);
        if (i < lines_->Count()) out += U"\r\n";
      }
      return out;
    case smColumn: {
      int c1 = ColumnOfChar(line(b.Line), b.Char, tabWidth_);
      int c2 = ColumnOfChar(line(e.Line), e.Char, tabWidth_);
      if (c1 > c2) std::swap(c1, c2);
      for (int i = b.Line; i <= e.Line; ++i) {
        const std::u32string& s = line(i);
        const int ch1 = CharOfColumn(s, c1, tabWidth_);
        const int ch2 = CharOfColumn(s, c2, tabWidth_);
        std::u32string piece = head(from(s, ch1), ch2 - ch1);
        if (!options_.Contains(eoTrimTrailingSpaces) && static_cast<int>(piece.size()) < ch2 - ch1)
          piece.append(static_cast<std::size_t>(ch2 - ch1) - piece.size(), U' ');
        out += piece;
        if (i < e.Line) out += U"\r\n";
      }
      return out;
    }
  }
  return out;
}

// ---- lines ----

std::u32string TCustomSrcEdit::LineText() const {
  if (caretY_ >= 1 && caretY_ <= lines_->Count()) return lines_->Get(caretY_ - 1);
  return {};
}

void TCustomSrcEdit::SetLineText(std::u32string_view value) {
  if (caretY_ >= 1 && caretY_ <= std::max(1, lines_->Count())) lines_->Put(caretY_ - 1, std::u32string(value));
}

void TCustomSrcEdit::ProperSetLine(int index, std::u32string line) {
  // Trailing blanks go when the step is over (FlushTrims): until then the records of the
  // step see the line as written. Undo and redo write lines exactly as recorded.
  const bool trim = NeedsTrim(line);
  lines_->Put(index, std::move(line));
  // Noted after the line is stored: a line put just past the last is added, and the lines
  // noted from its place onwards move down by one.
  if (trim) NoteTrim(index);
}

void TCustomSrcEdit::ProperInsertLine(int index, std::u32string line) {
  const bool trim = NeedsTrim(line);
  lines_->Insert(index, std::move(line));
  if (trim) NoteTrim(index);
}

bool TCustomSrcEdit::NeedsTrim(const std::u32string& line) const {
  return options_.Contains(eoTrimTrailingSpaces) && !inUndoRedo_ && !line.empty() && IsBlankOrTab(line.back());
}

void TCustomSrcEdit::NoteTrim(int index) {
  const auto at = std::lower_bound(trimLines_.begin(), trimLines_.end(), index);
  if (at == trimLines_.end() || *at != index) trimLines_.insert(at, index);
}

void TCustomSrcEdit::FlushTrims() {
  if (inUndoRedo_ || undoList_->IsLocked() || trimLines_.empty()) return;
  std::vector<int> lines;
  lines.swap(trimLines_);
  TUndoBlockGuard block(*undoList_);
  for (int index : lines) {
    if (index < 0 || index >= lines_->Count()) continue;
    const std::u32string s = lines_->Get(index);
    std::u32string trimmed = TrimTrailing(s);
    if (trimmed.size() == s.size()) continue;
    // Recorded as a deletion after the step's own records: undo gives the blanks back first.
    undoList_->AddChange(urSilentDeleteAfterCursor, {static_cast<int>(trimmed.size()) + 1, index + 1},
                         {static_cast<int>(s.size()) + 1, index + 1}, s.substr(trimmed.size()), smNormal);
    lines_->Put(index, std::move(trimmed));
  }
}

// ---- replacing the selection ----

void TCustomSrcEdit::DeleteSelection(const TBufferCoord& begin, const TBufferCoord& end) {
  const TBufferCoord& b = begin;
  const TBufferCoord& e = end;
  switch (activeSelectionMode_) {
    case smNormal: {
      // Ends past the end of their lines stand at the ends of the lines.
      const TBufferCoord b{std::min(begin.Char, lines_->Length(begin.Line - 1) + 1), begin.Line};
      const TBufferCoord e{std::min(end.Char, lines_->Length(end.Line - 1) + 1), end.Line};
      if (lines_->Count() > 0) {
        const std::u32string first = lines_->Get(b.Line - 1);
        std::u32string joined = first.substr(0, std::min(static_cast<std::size_t>(b.Char - 1), first.size()));
        const std::u32string last = lines_->Get(e.Line - 1);
        if (e.Char - 1 < static_cast<int>(last.size())) joined += last.substr(static_cast<std::size_t>(e.Char - 1));
        lines_->DeleteLines(b.Line, e.Line - b.Line);
        ProperSetLine(b.Line - 1, std::move(joined));
      }
      extensions_->DoLinesDeleted(b.Line, e.Line - b.Line);
      SetInternalCaretXY(b);
      break;
    }
    case smLine:
      if (e.Line < lines_->Count()) {
        lines_->DeleteLines(b.Line - 1, e.Line - b.Line + 1);
      } else {
        lines_->Put(e.Line - 1, std::u32string());
        lines_->DeleteLines(b.Line - 1, e.Line - b.Line);
      }
      extensions_->DoLinesDeleted(b.Line, e.Line - b.Line + 1);
      SetInternalCaretXY({1, b.Line});
      break;
    case smColumn: {
      int c1 = ColumnOfChar(lines_->Get(b.Line - 1), b.Char, tabWidth_);
      int c2 = ColumnOfChar(lines_->Get(e.Line - 1), e.Char, tabWidth_);
      if (c1 > c2) std::swap(c1, c2);
      for (int i = b.Line; i <= e.Line && i <= lines_->Count(); ++i) {
        std::u32string s = lines_->Get(i - 1);
        const int ch1 = CharOfColumn(s, c1, tabWidth_);
        const int ch2 = CharOfColumn(s, c2, tabWidth_);
        if (ch1 - 1 < static_cast<int>(s.size())) {
          s.erase(static_cast<std::size_t>(ch1 - 1), static_cast<std::size_t>(ch2 - ch1));
          ProperSetLine(i - 1, std::move(s));
        }
      }
      const int caretLine = blockEnd_.Line;
      SetInternalCaretXY({CharOfColumn(lines_->Get(caretLine - 1), c1, tabWidth_), caretLine});
      break;
    }
  }
}

int TCustomSrcEdit::InsertNormal(std::u32string_view text, bool addToUndo) {
  const std::vector<std::u32string_view> pieces = SplitLines(text);
  const std::u32string line = lines_->Get(caretY_ - 1);
  std::u32string left = line.substr(0, std::min(static_cast<std::size_t>(caretX_ - 1), line.size()));
  if (static_cast<int>(left.size()) < caretX_ - 1) {
    // Text put past the end of a line brings blanks before it; undo takes them with it.
    if (addToUndo)
      undoList_->AddChange(urWhiteSpaceAdd, {static_cast<int>(left.size()) + 1, caretY_}, {caretX_, caretY_}, U"",
                           smNormal);
    left.append(static_cast<std::size_t>(caretX_ - 1) - left.size(), U' ');
  }
  const std::u32string right =
      caretX_ - 1 < static_cast<int>(line.size()) ? line.substr(static_cast<std::size_t>(caretX_ - 1)) : std::u32string();
  int y = caretY_;
  int caret;
  if (pieces.size() == 1) {
    ProperSetLine(y - 1, left + std::u32string(pieces[0]) + right);
    caret = static_cast<int>(left.size() + pieces[0].size()) + 1;
  } else {
    ProperSetLine(y - 1, left + std::u32string(pieces[0]));
    for (std::size_t k = 1; k < pieces.size(); ++k) {
      std::u32string s(pieces[k]);
      if (k + 1 == pieces.size()) s += right;
      ProperInsertLine(y, std::move(s));
      ++y;
    }
    caret = static_cast<int>(pieces.back().size()) + 1;
  }
  // The caret stands after the inserted text, also when trimming took blanks off the line.
  SetInternalCaretXY({caret, y});
  return static_cast<int>(pieces.size()) - 1;
}

int TCustomSrcEdit::InsertLine(std::u32string_view text) {
  const std::vector<std::u32string_view> pieces = SplitLines(text);
  int y = caretY_;
  for (std::size_t k = 0; k + 1 < pieces.size(); ++k) {
    ProperInsertLine(std::min(y - 1, lines_->Count()), std::u32string(pieces[k]));
    ++y;
  }
  const std::u32string_view last = pieces.back();
  if (y <= lines_->Count())
    ProperSetLine(y - 1, std::u32string(last) + lines_->Get(y - 1));
  else
    ProperSetLine(lines_->Count(), std::u32string(last));
  SetInternalCaretXY({static_cast<int>(last.size()) + 1, y});
  return static_cast<int>(pieces.size()) - 1;
}

int TCustomSrcEdit::InsertColumn(std::u32string_view text, bool addToUndo) {
  const std::vector<std::u32string_view> pieces = SplitLines(text);
  // The rectangle stands at the caret's display column on every line, whatever tabs the
  // lines hold: the same columns a column selection covers.
  const int column = ColumnOfChar(lines_->Get(caretY_ - 1), caretX_, tabWidth_);
  int y = caretY_;
  int added = 0;
  int lastChar = caretX_;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const std::u32string piece(pieces[k]);
    int ch;
    if (y <= lines_->Count()) {
      std::u32string s = lines_->Get(y - 1);
      const int width = ColumnOfChar(s, static_cast<int>(s.size()) + 1, tabWidth_) - 1;
      if (width < column - 1) {
        if (addToUndo)
          undoList_->AddChange(urWhiteSpaceAdd, {static_cast<int>(s.size()) + 1, y},
                               {static_cast<int>(s.size()) + 1 + column - 1 - width, y}, U"", smNormal);
        s.append(static_cast<std::size_t>(column - 1 - width), U' ');
      }
      ch = CharOfColumn(s, column, tabWidth_);
      s.insert(static_cast<std::size_t>(ch - 1), piece);
      ProperSetLine(y - 1, std::move(s));
    } else {
      std::u32string s(static_cast<std::size_t>(column - 1), U' ');
      ch = column;
      s += piece;
      const int previousLength = y > 1 ? lines_->Length(y - 2) : 0;
      ProperSetLine(lines_->Count(), std::move(s));
      ++added;
      // The new line's break and its blanks before the column: undo takes both, and redo
      // puts them back as they were (a line break command would indent).
      if (addToUndo) undoList_->AddChange(urInsert, {previousLength + 1, y - 1}, {column, y}, U"", smNormal);
    }
    if (addToUndo)
      undoList_->AddChange(urPaste, {ch, y}, {ch + static_cast<int>(piece.size()), y}, U"", smColumn);
    lastChar = ch + static_cast<int>(piece.size());
    if (k + 1 < pieces.size()) ++y;
  }
  SetInternalCaretXY({lastChar, y});
  return added;
}

void TCustomSrcEdit::SetSelTextPrimitive(TSynSelectionMode mode, std::u32string_view text, bool addToUndo) {
  TPaintLockGuard lock(*this);
  TLinesUpdateGuard update(*lines_);
  {
    // Inserting may put the caret past the end of a line for a moment.
    TOptionOverride pastEol(options_, eoScrollPastEol, true);
    if (SelAvail()) DeleteSelection(BlockBegin(), BlockEnd());
    if (!text.empty()) {
      const TBufferCoord start = CaretXY();
      const int countBefore = lines_->Count();
      int added = 0;
      switch (mode) {
        case smNormal: added = InsertNormal(text, addToUndo); break;
        case smLine: added = InsertLine(text); break;
        case smColumn: added = InsertColumn(text, addToUndo); break;
      }
      if (added > 0) {
        if (mode == smColumn)
          extensions_->DoLinesInserted(countBefore + 1, added);
        else if (mode == smNormal && start.Char > 1)
          extensions_->DoLinesInserted(start.Line + 1, added);
        else
          extensions_->DoLinesInserted(start.Line, added);
      }
    }
  }
  // The caret stays right after the inserted text, even where trimming took the text's
  // last blanks off the line.
  if (caretY_ < 1) caretY_ = 1;
  IncludeState(sfCaretChanged);
}

void TCustomSrcEdit::SetSelText(std::u32string_view text) {
  TUndoBlockGuard block(*undoList_);
  const TSynSelectionMode mode = activeSelectionMode_;
  // The selection goes first; the new text starts where it leaves the caret.
  if (SelAvail()) {
    DeleteSelectionRecorded(urDelete);
    activeSelectionMode_ = mode;
  }
  TBufferCoord start = CaretXY();
  if (mode == smLine) start.Char = 1;
  SetSelTextPrimitive(mode, text, true);
  if (mode != smColumn && !text.empty()) undoList_->AddChange(urInsert, start, CaretXY(), U"", smNormal);
  FlushTrims();
}

void TCustomSrcEdit::InsertColumnBlock(const TBufferCoord& begin, const TBufferCoord& end, std::u32string_view text,
                                       bool addToUndo) {
  TPaintLockGuard lock(*this);
  TUndoBlockGuard block(*undoList_);
  SetCaretAndSelection(begin, begin, end);
  activeSelectionMode_ = smColumn;
  SetSelTextPrimitive(smColumn, text, addToUndo);
  if (addToUndo) FlushTrims();
  StatusChanged(scSelection);
}

// ---- the clipboard ----

namespace {

std::u32string FromUtf8(const QByteArray& bytes) { return QString::fromUtf8(bytes).toStdU32String(); }

}  // namespace

void TCustomSrcEdit::DoCopyToClipboard(std::u32string_view text) {
  if (text.empty()) return;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) throw ESrcEditError("Clipboard copy operation failed");
  auto* data = new QMimeData;
  const QString plain = QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
  data->setText(plain);
  QByteArray block;
  block.append(static_cast<char>(activeSelectionMode_));
  block.append(plain.toUtf8());
  block.append('\0');
  data->setData(QString::fromLatin1(kClipboardBlockFormat), block);
  clipboard->setMimeData(data);
}

void TCustomSrcEdit::CopyToClipboard() {
  if (!SelAvail()) return;
  std::u32string text;
  if (activeSelectionMode_ == smColumn && options_.Contains(eoTrimTrailingSpaces)) {
    // Copied columns keep their padding.
    TOptionOverride noTrim(options_, eoTrimTrailingSpaces, false);
    text = SelText();
  } else {
    text = SelText();
  }
  DoCopyToClipboard(text);
}

void TCustomSrcEdit::CutToClipboard() {
  if (ReadOnly() || !SelAvail()) return;
  TUndoBlockGuard block(*undoList_);
  DoCopyToClipboard(SelText());
  SetSelText(U"");
}

bool TCustomSrcEdit::CanPaste() const {
  if (ReadOnly()) return false;
  const QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
  return data && (data->hasText() || data->hasFormat(QString::fromLatin1(kClipboardBlockFormat)));
}

// The pasted text goes away on undo (what it replaced comes back from its own record); a
// column paste recorded each line as it went.
void TCustomSrcEdit::RecordPaste(TSynSelectionMode mode, const TBufferCoord& start) {
  if (mode == smNormal) {
    undoList_->AddChange(urPaste, start, CaretXY(), U"", smNormal);
  } else if (mode == smLine) {
    if (caretX_ == 1)
      undoList_->AddChange(urPaste, {1, start.Line}, {charsInWindow_, caretY_ - 1}, U"", smLine);
    else
      undoList_->AddChange(urPaste, {1, start.Line}, CaretXY(), U"", smNormal);
  }
}

void TCustomSrcEdit::PasteFromClipboard() {
  if (!CanPaste()) return;
  DoOnPaintTransient(ttBefore);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  const QString format = QString::fromLatin1(kClipboardBlockFormat);
  {
    TUndoBlockGuard block(*undoList_);
    bool began = false;
    if (data->hasFormat(format)) {
      const QByteArray bytes = data->data(format);
      if (bytes.isEmpty() || static_cast<unsigned char>(bytes[0]) > smColumn)
        throw ESrcEditError("Clipboard paste operation failed.");
      const auto mode = static_cast<TSynSelectionMode>(bytes[0]);
      const qsizetype nul = bytes.indexOf('\0', 1);
      const std::u32string text = FromUtf8(bytes.mid(1, nul < 0 ? -1 : nul - 1));
      undoList_->AddChange(urPasteBegin, BlockBegin(), BlockEnd(), U"", smNormal);
      began = true;
      // What the selection held goes first; the paste starts where it leaves the caret.
      if (SelAvail()) {
        DeleteSelectionRecorded(urDelete);
      }
      TBufferCoord start = CaretXY();
      if (mode == smLine) start.Char = 1;
      SetSelTextPrimitive(mode, text, true);
      RecordPaste(mode, start);
    } else if (data->hasText()) {
      const std::u32string text = data->text().toStdU32String();
      undoList_->AddChange(urPasteBegin, BlockBegin(), BlockEnd(), U"", smNormal);
      began = true;
      if (!SelAvail()) {
        activeSelectionMode_ = selectionMode_;
      } else {
        DeleteSelectionRecorded(urDelete);
      }
      const TSynSelectionMode mode = activeSelectionMode_;
      TBufferCoord start = CaretXY();
      if (mode == smLine) start.Char = 1;
      SetSelTextPrimitive(mode, text, true);
      RecordPaste(mode, start);
    }
    FlushTrims();
    if (began) undoList_->AddChange(urPasteEnd, BlockBegin(), BlockEnd(), U"", smNormal);
  }
  if (options_.Contains(eoHideShowScrollbars)) {
    ExcludeState(sfScrollbarChanged);
    const int lock = paintLock_;
    paintLock_ = 0;
    UpdateScrollBars();
    paintLock_ = lock;
  }
  EnsureCursorPosVisible();
  StatusChanged(scSelection);
  DoOnPaintTransient(ttAfter);
}

}  // namespace qx
