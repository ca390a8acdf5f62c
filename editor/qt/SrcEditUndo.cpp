// Undo and redo: which records form one step, and how each record is taken back and done
// again. An insertion's inverse ends where the text it put back ends, so that redoing an
// overwrite replaces that text instead of inserting beside it.
#include "editor/qt/SrcEdit.h"
#include "editor/qt/SrcEditInternal.h"

namespace qx {

namespace {

bool IsInsertion(TSynUndoReason r) { return r == urInsert || r == urPaste || r == urDragDropInsert; }

bool IsDeletion(TSynUndoReason r) {
  return r == urDeleteAfterCursor || r == urDelete || r == urSilentDelete || r == urSilentDeleteAfterCursor ||
         r == urDeleteAll;
}

bool IsAfterCursor(TSynUndoReason r) { return r == urDeleteAfterCursor || r == urSilentDeleteAfterCursor; }

bool IsClosing(TSynUndoReason r) {
  return r == urGroup1End || r == urPasteEnd || r == urGroup2End || r == urGroup3End;
}

bool IsOpening(TSynUndoReason r) {
  return r == urGroup1Begin || r == urPasteBegin || r == urGroup2Begin || r == urGroup3Begin;
}

// The partner of a bracket record: each begin is one below its end.
TSynUndoReason Partner(TSynUndoReason r) {
  return IsClosing(r) ? static_cast<TSynUndoReason>(r - 1) : static_cast<TSynUndoReason>(r + 1);
}

// The earlier of the two ends; in column mode the smaller char and the smaller line.
TBufferCoord EarlierEnd(const TSrcEditUndoItem& item) {
  if (item.ChangeSelMode == smColumn)
    return {std::min(item.ChangeStartPos.Char, item.ChangeEndPos.Char),
            std::min(item.ChangeStartPos.Line, item.ChangeEndPos.Line)};
  return MinPos(item.ChangeStartPos, item.ChangeEndPos);
}

// Takes one step off `from` through `take`, which takes back (or does again) its top record:
// a bracketed group whole, from the bracket that `startsGroup` knows to its partner; else the
// records of one change and, with group undo, those of the same reason below them (indents
// and unindents stay steps of their own). `from` must hold a record.
template <class Take>
void ReplayStep(const TSrcEditUndoList& from, bool groupUndo, bool (*startsGroup)(TSynUndoReason), Take take) {
  const TSrcEditUndoItem* item = from.PeekItem();
  TSynUndoReason lastReason = item->ChangeReason;
  const bool bracket = startsGroup(lastReason);
  const TSynUndoReason partner = bracket ? Partner(lastReason) : urNothing;
  const int changeNumber = item->ChangeNumber;
  for (;;) {
    take();
    item = from.PeekItem();
    if (!item) break;
    if (bracket) {
      if (item->ChangeReason == partner) {
        take();
        break;
      }
      continue;
    }
    const bool sameGroup = item->ChangeNumber == changeNumber ||
                           (groupUndo && item->ChangeReason == lastReason && lastReason != urIndent &&
                            lastReason != urUnindent);
    if (!sameGroup) break;
    lastReason = item->ChangeReason;
  }
}

}  // namespace

void TCustomSrcEdit::SetRecordSelection(const TBufferCoord& caret, const TBufferCoord& begin, const TBufferCoord& end,
                                        TSynSelectionMode mode) {
  TPaintLockGuard lock(*this);
  SetInternalCaretXY(caret);
  if (SelAvail()) InvalidateSelection();
  activeSelectionMode_ = mode;
  // The ends as recorded: a line-mode record may end past its line, which the selection
  // setters would cut for a normal selection.
  blockBegin_ = begin;
  blockEnd_ = end;
  if (SelAvail()) InvalidateSelection();
  StatusChanged(scSelection);
}

// The text an unindent took: put back at the block's column (or char 1) of each line, or
// taken again.
void TCustomSrcEdit::ApplyUnindent(const TSrcEditUndoItem& it, bool putBack) {
  const int column =
      it.ChangeSelMode == smColumn ? std::min(it.ChangeStartPos.Char, it.ChangeEndPos.Char) : 1;
  const std::vector<std::u32string_view> pieces = SplitLines(it.ChangeStr);
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const int line = it.ChangeStartPos.Line + static_cast<int>(k);
    if (line > lines_->Count() || pieces[k].empty()) continue;
    std::u32string s = lines_->Get(line - 1);
    const std::size_t at = std::min(static_cast<std::size_t>(column - 1), s.size());
    if (putBack)
      s.insert(at, pieces[k]);
    else
      s.erase(at, pieces[k].size());
    lines_->Put(line - 1, std::move(s));
  }
}

// A saved caret or selection comes back; the present one goes to the other list.
void TCustomSrcEdit::SwapCaretOrSelection(const TSrcEditUndoItem& it, TSrcEditUndoList& other) {
  if (it.ChangeReason == urCaret) {
    const TBufferCoord current = CaretXY();
    SetCaretXY(it.ChangeStartPos);
    other.AddChange(urCaret, current, current, U"", activeSelectionMode_);
  } else {
    const TBufferCoord b = BlockBegin(), e = BlockEnd();
    SetBlockBegin(it.ChangeStartPos);
    SetBlockEnd(it.ChangeEndPos);
    other.AddChange(urSelection, b, e, U"", it.ChangeSelMode);
  }
}

// The record's text takes the place of what stands between its ends, which is returned.
std::u32string TCustomSrcEdit::ReplaceRecordText(const TSrcEditUndoItem& it) {
  SetRecordSelection(it.ChangeStartPos, it.ChangeStartPos, it.ChangeEndPos, it.ChangeSelMode);
  std::u32string replaced = SelText();
  SetSelTextPrimitive(it.ChangeSelMode, it.ChangeStr, false);
  return replaced;
}

// The records that undo and redo treat alike (indents, unindents, carets, selections,
// brackets and markers): each is replayed and goes to `other` as it stands; an unindent's
// text goes back in when undoing and out again when redoing.
void TCustomSrcEdit::ReplayMark(const TSrcEditUndoItem& it, bool undoing, TSrcEditUndoList& other) {
  const TBufferCoord start = it.ChangeStartPos, end = it.ChangeEndPos;
  switch (it.ChangeReason) {
    case urCaret:
    case urSelection:
      SwapCaretOrSelection(it, other);
      return;
    case urIndent:
      SetRecordSelection(end, start, end, it.ChangeSelMode);
      break;
    case urUnindent:
      ApplyUnindent(it, undoing);
      SetRecordSelection(start, start, end, it.ChangeSelMode);
      break;
    default:
      break;
  }
  other.AddChange(it.ChangeReason, start, end, it.ChangeStr, it.ChangeSelMode);
}

bool TCustomSrcEdit::CanUndo() const { return !ReadOnly() && undoList_->CanUndo(); }
bool TCustomSrcEdit::CanRedo() const { return !ReadOnly() && redoList_->CanUndo(); }

void TCustomSrcEdit::Undo() {
  if (ReadOnly()) return;
  if (const TSrcEditUndoItem* top = undoList_->PeekItem(); top && top->ChangeReason == urGroupBreak)
    redoList_->PushItem(undoList_->PopItem());
  if (!undoList_->PeekItem()) return;
  TPaintLockGuard lock(*this);
  {
    // The inverses form one step on the redo list.
    TUndoBlockGuard block(*redoList_);
    ReplayStep(*undoList_, options_.Contains(eoGroupUndo), IsClosing, [this] { UndoItem(); });
  }
  ModifiedFromUndoList();
}

void TCustomSrcEdit::Redo() {
  if (ReadOnly()) return;
  if (!redoList_->PeekItem()) return;
  TPaintLockGuard lock(*this);
  // What the redo records must not clear the rest of the redo list.
  undoList_->InsideRedo = true;
  try {
    TUndoBlockGuard block(*undoList_);
    ReplayStep(*redoList_, options_.Contains(eoGroupUndo), IsOpening, [this] { RedoItem(); });
  } catch (...) {
    undoList_->InsideRedo = false;
    throw;
  }
  if (const TSrcEditUndoItem* top = redoList_->PeekItem(); top && top->ChangeReason == urGroupBreak)
    undoList_->PushItem(redoList_->PopItem());
  undoList_->InsideRedo = false;
  ModifiedFromUndoList();
}

// Undo and redo put lines back as recorded: what they write is not trimmed on record.
class TUndoRedoScope {
 public:
  explicit TUndoRedoScope(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~TUndoRedoScope() { flag_ = was_; }
  TUndoRedoScope(const TUndoRedoScope&) = delete;
  TUndoRedoScope& operator=(const TUndoRedoScope&) = delete;

 private:
  bool& flag_;
  bool was_;
};

void TCustomSrcEdit::UndoItem() {
  std::unique_ptr<TSrcEditUndoItem> item = undoList_->PopItem();
  if (!item) return;
  TUndoRedoScope scope(inUndoRedo_);
  const TSrcEditUndoItem& it = *item;
  const TSynSelectionMode mode = it.ChangeSelMode;
  activeSelectionMode_ = mode;
  TPaintLockGuard lock(*this);
  TOptionOverride pastEol(options_, eoScrollPastEol, true);
  const TBufferCoord start = it.ChangeStartPos, end = it.ChangeEndPos;
  if (IsInsertion(it.ChangeReason)) {
    const std::u32string saved = ReplaceRecordText(it);
    const TBufferCoord restoredEnd = CaretXY();
    SetCaretXY(start);
    redoList_->AddChange(it.ChangeReason, start, it.ChangeStr.empty() ? start : restoredEnd, saved, mode);
  } else if (IsDeletion(it.ChangeReason)) {
    const TBufferCoord pos = EarlierEnd(it);
    if (IsAfterCursor(it.ChangeReason) && lines_->Count() < pos.Line) {
      SetCaretXY({1, lines_->Count()});
      lines_->Add(U"");
    }
    SetCaretXY(pos);
    activeSelectionMode_ = mode;
    SetSelTextPrimitive(mode, it.ChangeStr, false);
    if (it.ChangeReason == urSilentDeleteAfterCursor) {
      SetCaretXY(start);
    } else if (it.ChangeReason == urSilentDelete) {
      SetCaretXY(end);
    } else {
      SetRecordSelection(IsAfterCursor(it.ChangeReason) ? start : end, start, end, mode);
    }
    if (it.ChangeReason == urDeleteAll) {
      SetInternalCaretXY({1, 1});
      blockEnd_ = {1, 1};
    }
    EnsureCursorPosVisible();
    redoList_->AddChange(it.ChangeReason, start, end, U"", mode);
  } else {
    switch (it.ChangeReason) {
      case urLineBreak: {
        SetInternalCaretXY(start);
        std::u32string s = LineText();
        // Blanks go in only to reach the place of text that comes back.
        if (!it.ChangeStr.empty() && static_cast<int>(s.size()) < start.Char - 1 && !IsBlankOrTab(it.ChangeStr.front()))
          s.append(static_cast<std::size_t>(start.Char - 1) - s.size(), U' ');
        s += it.ChangeStr;
        ProperSetLine(caretY_ - 1, s);
        if (end.Line < lines_->Count()) {
          lines_->Delete(end.Line);
          extensions_->DoLinesDeleted(end.Line, 1);
        }
        SetCaretXY(start);
        redoList_->AddChange(urLineBreak, start, end, U"", mode);
        break;
      }
      case urWhiteSpaceAdd: {
        const std::u32string saved = ReplaceRecordText(it);
        SetCaretXY(start);
        redoList_->AddChange(urWhiteSpaceAdd, start, end, saved, mode);
        break;
      }
      default:
        ReplayMark(it, true, *redoList_);
        break;
    }
  }
}

void TCustomSrcEdit::RedoItem() {
  std::unique_ptr<TSrcEditUndoItem> item = redoList_->PopItem();
  if (!item) return;
  TUndoRedoScope scope(inUndoRedo_);
  const TSrcEditUndoItem& it = *item;
  const TSynSelectionMode mode = it.ChangeSelMode;
  activeSelectionMode_ = mode;
  TPaintLockGuard lock(*this);
  TOptionOverride pastEol(options_, eoScrollPastEol, true);
  const TBufferCoord start = it.ChangeStartPos, end = it.ChangeEndPos;
  if (IsInsertion(it.ChangeReason)) {
    // Whatever stands between the ends (the text an overwrite replaced) gives way.
    const std::u32string replaced = ReplaceRecordText(it);
    const TBufferCoord newEnd = CaretXY();
    if (it.ChangeReason == urDragDropInsert) {
      SetRecordSelection(newEnd, start, newEnd, mode);
    } else {
      SetCaretXY(newEnd);
    }
    undoList_->AddChange(it.ChangeReason, start, newEnd, replaced, mode);
  } else if (IsDeletion(it.ChangeReason)) {
    const std::u32string removed = ReplaceRecordText(it);
    SetCaretXY(EarlierEnd(it));
    undoList_->AddChange(it.ChangeReason, start, end, removed, mode);
  } else {
    switch (it.ChangeReason) {
      case urLineBreak:
        SetCaretXY(start);
        CommandProcessor(ecLineBreak, U'\r', nullptr);
        break;
      case urWhiteSpaceAdd:
        SetCaretXY(start);
        SetSelTextPrimitive(smNormal, it.ChangeStr, false);
        SetCaretXY(start);
        undoList_->AddChange(urWhiteSpaceAdd, start, end, U"", mode);
        break;
      default:
        ReplayMark(it, false, *undoList_);
        break;
    }
  }
}

}  // namespace qx
