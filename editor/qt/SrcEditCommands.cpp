// Command execution: every editor command by its number, with the undo records of the
// editing commands. A read-only control ignores the editing commands.
#include "editor/qt/SrcEdit.h"
#include "editor/qt/SrcEditInternal.h"

namespace qx {

namespace {

// Characters a key can type: no control characters (C0, DEL, C1) and no lone surrogates.
bool IsTypeable(char32_t c) {
  return c >= 32 && c != 127 && !(c >= 0x80 && c <= 0x9F) && !(c >= 0xD800 && c <= 0xDFFF) && c <= 0x10FFFF;
}

}  // namespace

// Takes the selection away, recorded for undo with `reason`.
void TCustomSrcEdit::DeleteSelectionRecorded(TSynUndoReason reason) {
  RecordSelectionDelete(reason);
  SetSelTextPrimitive(activeSelectionMode_, U"", false);
}

void TCustomSrcEdit::RecordSelectionDelete(TSynUndoReason reason) {
  if (activeSelectionMode_ == smNormal) {
    // Ends past the end of their lines delete from the ends of the lines.
    auto clamp = [&](TBufferCoord p) { return TBufferCoord{std::min(p.Char, lines_->Length(p.Line - 1) + 1), p.Line}; };
    undoList_->AddChange(reason, clamp(blockBegin_), clamp(blockEnd_), SelText(), smNormal);
    return;
  }
  if (activeSelectionMode_ == smLine) {
    undoList_->AddChange(reason, blockBegin_, blockEnd_, SelText(), smLine);
    return;
  }
  // A column block is recorded line by line, as the characters each line loses: a tab
  // across the block's edge makes lines start at different characters, and undo must put
  // each line back as it was. The selection itself comes back last.
  const TBufferCoord b = BlockBegin(), e = BlockEnd();
  int c1 = ColumnOfChar(lines_->Get(b.Line - 1), b.Char, tabWidth_);
  int c2 = ColumnOfChar(lines_->Get(e.Line - 1), e.Char, tabWidth_);
  if (c1 > c2) std::swap(c1, c2);
  undoList_->AddChange(urSelection, blockBegin_, blockEnd_, U"", smColumn);
  for (int i = b.Line; i <= e.Line && i <= lines_->Count(); ++i) {
    const std::u32string s = lines_->Get(i - 1);
    const int ch1 = CharOfColumn(s, c1, tabWidth_);
    const int ch2 = std::min(CharOfColumn(s, c2, tabWidth_), static_cast<int>(s.size()) + 1);
    if (ch1 - 1 >= static_cast<int>(s.size()) || ch2 <= ch1) continue;
    undoList_->AddChange(reason, {ch1, i}, {ch2, i},
                         s.substr(static_cast<std::size_t>(ch1 - 1), static_cast<std::size_t>(ch2 - ch1)), smNormal);
  }
}

int TCustomSrcEdit::LeftSpaces(const std::u32string& line, bool expanded) const {
  if (!options_.Contains(eoAutoIndent)) return 0;
  int n = 0;
  for (char32_t c : line) {
    if (c < 1 || c > 32) break;
    n += (c == U'\t' && expanded) ? tabWidth_ : 1;
  }
  return n;
}

std::u32string TCustomSrcEdit::GetLeftSpacing(int charCount, bool wantTabs) const {
  if (wantTabs && !options_.Contains(eoTabsToSpaces) && charCount >= tabWidth_)
    return std::u32string(static_cast<std::size_t>(charCount / tabWidth_), U'\t') +
           std::u32string(static_cast<std::size_t>(charCount % tabWidth_), U' ');
  return std::u32string(static_cast<std::size_t>(std::max(charCount, 0)), U' ');
}

void TCustomSrcEdit::ExecuteCommand(TSrcEditorCommand command, char32_t ch, void* data) {
  TPaintLockGuard lock(*this);
  // Everything one command records is one step, the blanks that trimming took included.
  // Undo and redo keep their own steps.
  if (command == ecUndo || command == ecRedo) {
    if (!ReadOnly()) command == ecUndo ? Undo() : Redo();
    return;
  }
  TUndoBlockGuard block(*undoList_);
  const bool readOnly = ReadOnly();
  const bool sel = command >= ecSelection && command <= ecSelGotoXY;
  switch (command) {
    case ecLeft: case ecSelLeft: MoveCaretHorz(-1, sel); break;
    case ecRight: case ecSelRight: MoveCaretHorz(1, sel); break;
    case ecUp: case ecSelUp: MoveCaretVert(-1, sel); break;
    case ecDown: case ecSelDown: MoveCaretVert(1, sel); break;
    case ecWordLeft: case ecSelWordLeft: MoveCaretAndSelection(CaretXY(), PrevWordPos(), sel); break;
    case ecWordRight: case ecSelWordRight: MoveCaretAndSelection(CaretXY(), NextWordPos(), sel); break;
    case ecLineStart: case ecSelLineStart: DoHomeKey(sel); break;
    case ecLineEnd: case ecSelLineEnd: DoEndKey(sel); break;
    case ecPageUp: case ecSelPageUp: case ecPageDown: case ecSelPageDown: DoPageMove(command); break;
    case ecPageLeft: case ecSelPageLeft: MoveCaretHorz(-charsInWindow_, sel); break;
    case ecPageRight: case ecSelPageRight: MoveCaretHorz(charsInWindow_, sel); break;
    case ecPageTop: case ecSelPageTop:
      MoveCaretAndSelection(CaretXY(), DisplayToBufferPos({DisplayX(), topLine_}), sel);
      break;
    case ecPageBottom: case ecSelPageBottom:
      MoveCaretAndSelection(CaretXY(), DisplayToBufferPos({DisplayX(), topLine_ + linesInWindow_ - 1}), sel);
      break;
    case ecEditorTop: case ecSelEditorTop: MoveCaretAndSelection(CaretXY(), {1, 1}, sel); break;
    case ecEditorBottom: case ecSelEditorBottom: {
      const int count = lines_->Count();
      const TBufferCoord end = count > 0 ? TBufferCoord{lines_->Length(count - 1) + 1, count}
                                         : TBufferCoord{1, 0};
      MoveCaretAndSelection(CaretXY(), end, sel);
      break;
    }
    case ecGotoXY: case ecSelGotoXY:
      if (data) MoveCaretAndSelection(CaretXY(), *static_cast<const TBufferCoord*>(data), sel);
      break;
    case ecSelWord: SetWordBlock(CaretXY()); break;
    case ecSelectAll: SelectAll(); break;
    case ecDeleteLastChar: if (!readOnly) DoDeleteLastChar(); break;
    case ecDeleteChar: if (!readOnly) DoDeleteChar(); break;
    case ecDeleteWord: case ecDeleteEOL: if (!readOnly) DoDeleteWordOrEol(command); break;
    case ecDeleteLastWord: case ecDeleteBOL: if (!readOnly) DoDeleteLastWordOrBol(command); break;
    case ecDeleteLine: if (!readOnly) DoDeleteLine(); break;
    case ecClearAll: if (!readOnly) ClearAll(); break;
    case ecInsertLine: case ecLineBreak: if (!readOnly) DoLineBreakCommand(command); break;
    case ecTab: if (!readOnly) DoTabKey(); break;
    case ecShiftTab: if (!readOnly) DoShiftTabKey(); break;
    case ecMatchBracket: FindMatchingBracket(); break;
    case ecChar:
      if (!readOnly && IsTypeable(ch)) DoCharCommand(ch);
      break;
    case ecImeStr:
      if (!readOnly && data) DoImeStrCommand(*static_cast<const std::u32string*>(data));
      break;
    case ecUpperCase: case ecLowerCase: case ecToggleCase: case ecTitleCase:
    case ecUpperCaseBlock: case ecLowerCaseBlock: case ecToggleCaseBlock:
      if (!readOnly) DoCaseChange(command);
      break;
    case ecUndo: if (!readOnly) Undo(); break;
    case ecRedo: if (!readOnly) Redo(); break;
    case ecCut: if (!readOnly) CutToClipboard(); break;
    case ecCopy: CopyToClipboard(); break;
    case ecPaste: if (!readOnly) PasteFromClipboard(); break;
    case ecScrollUp: case ecScrollDown: case ecScrollLeft: case ecScrollRight: DoScrollCommand(command); break;
    case ecInsertMode: SetInsertMode(true); break;
    case ecOverwriteMode: SetInsertMode(false); break;
    case ecToggleMode: SetInsertMode(!inserting_); break;
    case ecBlockIndent: if (!readOnly) DoBlockIndent(); break;
    case ecBlockUnindent: if (!readOnly) DoBlockUnindent(); break;
    case ecNormalSelect: SetSelectionMode(smNormal); break;
    case ecColumnSelect: SetSelectionMode(smColumn); break;
    case ecLineSelect: SetSelectionMode(smLine); break;
    case ecContextHelp: DoContextHelp(); break;
    default:
      if (command >= ecGotoMarker0 && command <= ecGotoMarker0 + 9) {
        if (bookMarkOptions_.EnableKeys()) DoGotoBookmark(command - ecGotoMarker0);
      } else if (command >= ecSetMarker0 && command <= ecSetMarker0 + 9) {
        if (bookMarkOptions_.EnableKeys()) DoMarkerCommand(command, data);
      }
      break;
  }
  FlushTrims();
}

void TCustomSrcEdit::DoPageMove(TSrcEditorCommand command) {
  int n = linesInWindow_;
  if (options_.Contains(eoHalfPageScroll)) n /= 2;
  if (options_.Contains(eoScrollByOneLess)) --n;
  if (command == ecPageUp || command == ecSelPageUp) n = -n;
  SetTopLine(topLine_ + n);
  MoveCaretVert(n, command == ecSelPageUp || command == ecSelPageDown);
}

void TCustomSrcEdit::DoScrollCommand(TSrcEditorCommand command) {
  if (command == ecScrollLeft || command == ecScrollRight) {
    SetLeftChar(leftChar_ + (command == ecScrollLeft ? -1 : 1));
    return;
  }
  const int row = DisplayY();
  const bool visible = row >= topLine_ && row <= topLine_ + linesInWindow_ - 1;
  if (visible) {
    if (command == ecScrollUp) {
      SetTopLine(topLine_ - 1);
      const int lastVisible = topLine_ + linesInWindow_ - 1;
      if (row > lastVisible) MoveCaretVert(lastVisible - row, false);
    } else {
      SetTopLine(topLine_ + 1);
      if (row < topLine_) MoveCaretVert(topLine_ - row, false);
    }
  }
  EnsureCursorPosVisible();
}

void TCustomSrcEdit::DoMarkerCommand(TSrcEditorCommand command, void* data) { DoSetBookmark(command, data); }

// ---- typing ----

void TCustomSrcEdit::DoCharCommand(char32_t ch) {
  const std::u32string typed(1, ch);
  if (SelAvail()) {
    SetSelText(typed);
  } else {
    // The caret may stand beyond the end of the line: the character lands there.
    TOptionOverride pastEol(options_, eoScrollPastEol, true);
    std::u32string line = LineText();
    const int length = static_cast<int>(line.size());
    const bool hadText = length > 0;
    const bool onlyBlanks = std::all_of(line.begin(), line.end(), IsBlankOrTab);
    // Blanks (or indentation on an empty line) up to the caret, in either mode: an
    // overwrite past the end of the line appends.
    std::u32string fill;
    if (length < caretX_ - 1) {
      const int n = caretX_ - 1 - length;
      fill = length == 0 ? GetLeftSpacing(n, true) : std::u32string(static_cast<std::size_t>(n), U' ');
    }
    if (inserting_ && !wordWrapPlugin_ && !options_.Contains(eoAutoSizeMaxScrollWidth) && caretX_ > maxScrollWidth_)
      return;
    const int y = caretY_;
    line += fill;
    if (inserting_) {
      const int pos = std::min(caretX_ - 1, static_cast<int>(line.size()));
      line.insert(static_cast<std::size_t>(pos), typed);
      int newX;
      if (options_.Contains(eoTrimTrailingSpaces) && IsBlankOrTab(ch) && onlyBlanks)
        newX = ColumnOfChar(line, static_cast<int>(line.size()) + 1, tabWidth_);
      else if (hadText)
        newX = pos + 2;
      else
        newX = static_cast<int>(line.size()) + 1;
      ProperSetLine(y - 1, line);
      if (fill.empty()) {
        undoList_->AddChange(urInsert, {pos + 1, y}, {pos + 2, y}, U"", smNormal);
      } else {
        TUndoBlockGuard block(*undoList_);
        undoList_->AddChange(urWhiteSpaceAdd, {length + 1, y}, {pos + 1, y}, U"", smNormal);
        undoList_->AddChange(urInsert, {pos + 1, y}, {pos + 2, y}, U"", smNormal);
      }
      SetInternalCaretXY({newX, y});
    } else {
      const int pos = std::min(caretX_ - 1, static_cast<int>(line.size()));
      const std::u32string replaced = line.substr(static_cast<std::size_t>(pos), 1);
      line.replace(static_cast<std::size_t>(pos), replaced.size(), typed);
      ProperSetLine(y - 1, line);
      TUndoBlockGuard block(*undoList_);
      if (!fill.empty()) undoList_->AddChange(urWhiteSpaceAdd, {length + 1, y}, {pos + 1, y}, U"", smNormal);
      // The record covers the typed character; its text is what the character replaced.
      undoList_->AddChange(urInsert, {pos + 1, y}, {pos + 2, y}, replaced, smNormal);
      SetInternalCaretXY({pos + 2, y});
    }
    if (caretX_ >= leftChar_ + charsInWindow_ && charsInWindow_ > 0)
      SetLeftChar(leftChar_ + std::min(25, std::max(1, charsInWindow_ - 1)));
  }
  DoOnPaintTransient(ttAfter);
}

void TCustomSrcEdit::DoImeStrCommand(std::u32string_view text) {
  std::u32string typed;
  for (char32_t c : text)
    if (IsTypeable(c)) typed += c;
  if (typed.empty()) return;
  if (SelAvail()) {
    SetSelText(typed);
    InvalidateGutter();
    return;
  }
  TOptionOverride pastEol(options_, eoScrollPastEol, true);
  TUndoBlockGuard block(*undoList_);
  std::u32string line = LineText();
  const int pos = caretX_ - 1;
  const int y = caretY_;
  if (static_cast<int>(line.size()) < pos) {
    undoList_->AddChange(urWhiteSpaceAdd, {static_cast<int>(line.size()) + 1, y}, {pos + 1, y}, U"", smNormal);
    line.append(static_cast<std::size_t>(pos) - line.size(), U' ');
  }
  std::u32string removed;
  if (!inserting_) {
    removed = line.substr(static_cast<std::size_t>(pos), typed.size());
    line.erase(static_cast<std::size_t>(pos), removed.size());
  }
  line.insert(static_cast<std::size_t>(pos), typed);
  ProperSetLine(y - 1, line);
  const TBufferCoord start{pos + 1, y};
  const TBufferCoord end{pos + 1 + static_cast<int>(typed.size()), y};
  // An overwrite covers what it replaced, so that undo and redo put back the right text.
  undoList_->AddChange(urInsert, start, end, removed, smNormal);
  SetInternalCaretXY(end);
  if (caretX_ >= leftChar_ + charsInWindow_ && charsInWindow_ > 0)
    SetLeftChar(leftChar_ + std::min(25, std::max(1, charsInWindow_ - 1)));
}

// ---- line breaks ----

void TCustomSrcEdit::DoLineBreakCommand(TSrcEditorCommand command) {
  TUndoBlockGuard block(*undoList_);
  // Auto-indentation may leave the caret past the end of a trimmed line.
  TOptionOverride pastEol(options_, eoScrollPastEol,
                          options_.Contains(eoScrollPastEol) || options_.Contains(eoTrimTrailingSpaces));
  if (SelAvail()) {
    DeleteSelectionRecorded(urDelete);
  }
  const bool breakLine = command == ecLineBreak;
  if (lines_->Count() == 0) lines_->Add(U"");
  const std::u32string s = LineText();
  const TBufferCoord caret = CaretXY();
  const int y = caretY_;
  int marksFrom = y + 1;
  // The indentation of the nearest line at or above that is not empty.
  auto referenceLine = [&](int from) -> std::u32string {
    for (int i = from; i >= 1; --i)
      if (!(lines_->Length(i - 1) == 0)) return lines_->Get(i - 1);
    return {};
  };
  if (s.empty()) {
    const int n = LeftSpaces(referenceLine(y), true);
    lines_->Insert(y - 1, U"");
    undoList_->AddChange(urLineBreak, caret, caret, U"", smNormal);
    marksFrom = y;
    if (breakLine) SetInternalCaretXY({n + 1, y + 1});
  } else if (static_cast<int>(s.size()) < caretX_) {
    const std::u32string ref = referenceLine(y);
    const int indent = LeftSpaces(ref, false);
    std::u32string next;
    if (breakLine && indent > 0) next = ref.substr(0, static_cast<std::size_t>(indent));
    if (options_.Contains(eoTrimTrailingSpaces)) next = TrimTrailing(std::move(next));
    lines_->Insert(y, next);
    undoList_->AddChange(urLineBreak, caret, caret, U"", smNormal);
    // On a line trimmed to nothing the indentation is only where the caret stands.
    if (breakLine) SetInternalCaretXY({next.empty() ? ColumnOfChar(ref, indent + 1, tabWidth_) : indent + 1, y + 1});
  } else if (caretX_ == 1) {
    lines_->Insert(y - 1, U"");
    undoList_->AddChange(urLineBreak, caret, caret, s, smNormal);
    marksFrom = y;
    if (breakLine) SetInternalCaretXY({1, y + 1});
  } else {
    const std::u32string head = s.substr(0, static_cast<std::size_t>(caretX_ - 1));
    const std::u32string tail = s.substr(static_cast<std::size_t>(caretX_ - 1));
    const std::u32string indent = GetLeftSpacing(LeftSpaces(head, true), true);
    std::u32string next = indent + tail;
    if (options_.Contains(eoTrimTrailingSpaces)) next = TrimTrailing(std::move(next));
    lines_->Insert(y, std::move(next));
    ProperSetLine(y - 1, head);
    undoList_->AddChange(urLineBreak, caret, caret, tail, smNormal);
    if (breakLine) SetInternalCaretXY({static_cast<int>(indent.size()) + 1, y + 1});
  }
  extensions_->DoLinesInserted(marksFrom, 1);
  blockBegin_ = blockEnd_ = CaretXY();
  EnsureCursorPosVisible();
  lastCaretX_ = DisplayX();
}

// ---- deleting ----

void TCustomSrcEdit::DoDeleteLastChar() {
  DoOnPaintTransientEx(ttBefore, true);
  if (SelAvail()) {
    TUndoBlockGuard block(*undoList_);
    DeleteSelectionRecorded(PosBefore(blockEnd_, blockBegin_) ? urDelete : urDeleteAfterCursor);
  } else {
    const std::u32string s = LineText();
    const int length = static_cast<int>(s.size());
    const TBufferCoord old = CaretXY();
    std::u32string removed;
    if (caretX_ == 1) {
      if (caretY_ > 1) {
        const std::u32string previous = lines_->Get(caretY_ - 2);
        const int y = caretY_;
        lines_->Delete(y - 1);
        extensions_->DoLinesDeleted(y - 1, 1);
        ProperSetLine(y - 2, previous + s);
        removed = U"\r\n";
        SetInternalCaretXY({static_cast<int>(previous.size()) + 1, y - 1});
      }
    } else if (caretX_ <= length + 1) {
      std::u32string line = s;
      const int c = LeftSpaces(s, false);
      int newX;
      if (s[static_cast<std::size_t>(caretX_ - 2)] > 32 || caretX_ - 1 != c) {
        removed = line.substr(static_cast<std::size_t>(caretX_ - 2), 1);
        line.erase(static_cast<std::size_t>(caretX_ - 2), 1);
        newX = caretX_ - 1;
      } else if (options_.Contains(eoSmartTabDelete)) {
        int target = 0;
        for (int i = caretY_ - 1; i >= 1; --i) {
          const int n = LeftSpaces(lines_->Get(i - 1), false);
          if (n < c) {
            target = n;
            break;
          }
        }
        removed = line.substr(static_cast<std::size_t>(target), static_cast<std::size_t>(c - target));
        line.erase(static_cast<std::size_t>(target), static_cast<std::size_t>(c - target));
        newX = target + 1;
      } else {
        // Back to the previous tab stop, over blanks only.
        const int before = caretX_ - 1;
        const int most = (before - 1) % tabWidth_ + 1;
        int count = 0;
        while (count < most && line[static_cast<std::size_t>(before - 1 - count)] == U' ') ++count;
        if (count == 0) count = 1;  // a tab right before the caret goes on its own
        removed = line.substr(static_cast<std::size_t>(before - count), static_cast<std::size_t>(count));
        line.erase(static_cast<std::size_t>(before - count), static_cast<std::size_t>(count));
        newX = caretX_ - count;
      }
      ProperSetLine(caretY_ - 1, line);
      TOptionOverride pastEol(options_, eoScrollPastEol, true);
      SetInternalCaretXY({newX, caretY_});
      StatusChanged(scCaretX);
    } else {
      int newX;
      if (!options_.Contains(eoSmartTabDelete)) {
        newX = caretX_ - 1;
      } else if (length == 0) {
        newX = 1;
        const bool expanded = options_.Contains(eoTrimTrailingSpaces);
        for (int i = caretY_ - 1; i >= 1; --i) {
          const int n = LeftSpaces(lines_->Get(i - 1), expanded);
          if (n < caretX_ - 1) {
            newX = n + 1;
            break;
          }
        }
      } else {
        newX = length + 1;
      }
      TOptionOverride pastEol(options_, eoScrollPastEol, true);
      SetInternalCaretXY({newX, caretY_});
    }
    // A move of the caret past the end of a line changes no text and records nothing.
    if (!removed.empty()) undoList_->AddChange(urSilentDelete, CaretXY(), old, removed, smNormal);
  }
  EnsureCursorPosVisible();
  DoOnPaintTransientEx(ttAfter, true);
}

void TCustomSrcEdit::DoDeleteChar() {
  DoOnPaintTransient(ttBefore);
  if (SelAvail()) {
    TUndoBlockGuard block(*undoList_);
    DeleteSelectionRecorded(PosBefore(blockEnd_, blockBegin_) ? urDelete : urDeleteAfterCursor);
  } else {
    lastCaretX_ = DisplayX();
    std::u32string s = LineText();
    const TBufferCoord caret = CaretXY();
    TBufferCoord end = caret;
    std::u32string removed;
    bool padded = false;
    if (static_cast<int>(s.size()) < caretX_) {
      if (caretY_ < lines_->Count()) {
        const int length = static_cast<int>(s.size());
        if (length < caretX_ - 1) {
          // The blanks that reach the caret are recorded with the join: undo takes them too.
          undoList_->BeginBlock();
          undoList_->AddChange(urWhiteSpaceAdd, {length + 1, caretY_}, caret, U"", smNormal);
          padded = true;
        }
        s.append(static_cast<std::size_t>(caretX_ - 1) - s.size(), U' ');
        s += lines_->Get(caretY_);
        ProperSetLine(caretY_ - 1, s);
        lines_->Delete(caretY_);
        extensions_->DoLinesDeleted(caretY_, 1);
        end = {1, caretY_ + 1};
        removed = U"\r\n";
      }
    } else {
      removed = s.substr(static_cast<std::size_t>(caretX_ - 1), 1);
      s.erase(static_cast<std::size_t>(caretX_ - 1), 1);
      ProperSetLine(caretY_ - 1, s);
      end = {caretX_ + 1, caretY_};
    }
    if (end != caret) undoList_->AddChange(urSilentDeleteAfterCursor, caret, end, removed, smNormal);
    if (padded) undoList_->EndBlock();
  }
  DoOnPaintTransient(ttAfter);
}

// Deletes the text between the block's two ends as normal text, whatever the selection mode,
// and records it under `reason` from the earlier end to the later.
void TCustomSrcEdit::DeleteSilently(const TBufferCoord& begin, const TBufferCoord& end, TSynUndoReason reason) {
  const TSynSelectionMode mode = activeSelectionMode_;
  activeSelectionMode_ = smNormal;
  blockBegin_ = begin;
  blockEnd_ = end;
  const std::u32string text = SelText();
  SetSelTextPrimitive(smNormal, U"", false);
  activeSelectionMode_ = mode;
  undoList_->AddChange(reason, MinPos(begin, end), MaxPos(begin, end), text, smNormal);
}

void TCustomSrcEdit::DoDeleteWordOrEol(TSrcEditorCommand command) {
  DoOnPaintTransient(ttBefore);
  const TBufferCoord caret = CaretXY();
  const std::u32string s = LineText();
  TBufferCoord end;
  if (command == ecDeleteEOL) {
    end = {static_cast<int>(s.size()) + 1, caretY_};
  } else {
    end = WordEnd();
    const bool nextLine = caretY_ < lines_->Count();
    if (caretX_ > end.Char || (caretX_ == end.Char && nextLine)) {
      if (end.Char - 1 < static_cast<int>(s.size())) {
        if (s[static_cast<std::size_t>(end.Char - 1)] != U' ') ++end.Char;
      } else if (nextLine) {
        end = {1, caretY_ + 1};
      }
    }
    const std::u32string endLine = lines_->Get(end.Line - 1);
    while (end.Char - 1 < static_cast<int>(endLine.size()) && endLine[static_cast<std::size_t>(end.Char - 1)] == U' ')
      ++end.Char;
  }
  // From past the end of the line the deletion starts at its end: no blanks to bring back.
  const TBufferCoord from{std::min(caret.Char, static_cast<int>(s.size()) + 1), caret.Line};
  if (end == caret || !PosBefore(from, end)) {
    DoOnPaintTransient(ttAfter);
    return;
  }
  DeleteSilently(from, end, urSilentDeleteAfterCursor);
  TOptionOverride pastEol(options_, eoScrollPastEol, true);
  SetCaretXY(caret);
  DoOnPaintTransient(ttAfter);
}

void TCustomSrcEdit::DoDeleteLastWordOrBol(TSrcEditorCommand command) {
  DoOnPaintTransient(ttBefore);
  const TBufferCoord caret = CaretXY();
  const TBufferCoord start = command == ecDeleteLastWord ? PrevWordPos() : TBufferCoord{1, caretY_};
  if (start == caret || !PosBefore(start, caret)) {
    DoOnPaintTransient(ttAfter);
    return;
  }
  DeleteSilently(caret, start, urSilentDelete);
  SetCaretXY(start);
  DoOnPaintTransient(ttAfter);
}

void TCustomSrcEdit::DoDeleteLine() {
  const int count = lines_->Count();
  if (count == 0 || (caretY_ == count && (lines_->Length(count - 1) == 0))) return;
  DoOnPaintTransient(ttBefore);
  if (SelAvail()) SetBlockBegin(CaretXY());
  const int y = caretY_;
  std::u32string text = lines_->Get(y - 1);
  if (y < count) {
    lines_->Delete(y - 1);
    text += U"\r\n";
    undoList_->AddChange(urSilentDeleteAfterCursor, {1, y}, {1, y + 1}, text, smNormal);
    extensions_->DoLinesDeleted(y, 1);
  } else {
    lines_->Put(y - 1, U"");
    undoList_->AddChange(urSilentDeleteAfterCursor, {1, y}, {static_cast<int>(text.size()) + 1, y}, text, smNormal);
  }
  SetCaretXY({1, y});
  DoOnPaintTransient(ttAfter);
}

}  // namespace qx
