// The store of undo and redo records. Records that belong together share one change
// number: every record of an open block, or each record on its own outside blocks. The
// list bounds its length, keeps a marker for the unmodified state of the document and
// reports each push through one event.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/EditorTypes.h"

namespace qx {

enum TSynUndoReason : std::uint8_t {
  urInsert, urPaste, urDragDropInsert, urDeleteAfterCursor, urDelete, urLineBreak,
  urIndent, urUnindent, urSilentDelete, urSilentDeleteAfterCursor,
  urGroup1Begin, urGroup1End, urPasteBegin, urPasteEnd, urGroup2Begin, urGroup2End,
  urGroup3Begin, urGroup3End, urCaret, urSelection, urNothing, urGroupBreak,
  urDeleteAll, urWhiteSpaceAdd
};

struct TSrcEditUndoItem {
  TSynUndoReason ChangeReason = urInsert;
  TSynSelectionMode ChangeSelMode = smNormal;
  TBufferCoord ChangeStartPos;
  TBufferCoord ChangeEndPos;
  std::u32string ChangeStr;
  std::int32_t ChangeNumber = 0;

  void Assign(const TSrcEditUndoItem& source) { *this = source; }
};

class TSrcEditUndoList {
 public:
  using TNotifyEvent = std::function<void(TSrcEditUndoList& sender)>;

  TSrcEditUndoList() = default;
  TSrcEditUndoList(const TSrcEditUndoList&) = delete;
  TSrcEditUndoList& operator=(const TSrcEditUndoList&) = delete;

  void AddChange(TSynUndoReason reason, TBufferCoord start, TBufferCoord end, std::u32string_view text,
                 TSynSelectionMode selMode);
  void PushItem(std::unique_ptr<TSrcEditUndoItem> item);
  std::unique_ptr<TSrcEditUndoItem> PopItem();
  const TSrcEditUndoItem* PeekItem() const;

  void BeginBlock();
  void EndBlock();
  void AddGroupBreak();
  TSynUndoReason LastChangeReason() const;

  bool CanUndo() const { return !items_.empty(); }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  const TSrcEditUndoItem& Items(int index) const { return *items_.at(static_cast<std::size_t>(index)); }

  void Lock() { ++lockCount_; }
  void Unlock();
  bool IsLocked() const { return lockCount_ > 0; }
  void Clear();
  void Assign(const TSrcEditUndoList& source);

  int MaxUndoActions() const { return maxUndoActions_; }
  void SetMaxUndoActions(int value);
  bool FullUndoImpossible() const { return fullUndoImpossible_; }
  int BlockChangeNumber() const { return blockChangeNumber_; }
  int BlockCount() const { return blockCount_; }
  int NextChangeNumber() const { return nextChangeNumber_; }

  // The unmodified marker: the change number of the top record when the document was
  // last saved or declared unmodified; 0 for the empty list, -1 for none reachable.
  void MarkTopAsUnmodified(bool unmodified);
  bool IsTopMarkedAsUnmodified() const;
  int InitialChangeNumber() const { return initialChangeNumber_; }

  bool InsideRedo = false;
  TNotifyEvent OnAddedUndo;

 private:
  friend struct UndoListTestAccess;  // lets the tests start the numbering near its end

  void EnsureMaxEntries();
  void AdvanceChangeNumber();

  std::vector<std::unique_ptr<TSrcEditUndoItem>> items_;
  int blockChangeNumber_ = 0;
  int blockCount_ = 0;
  bool fullUndoImpossible_ = false;
  int lockCount_ = 0;
  int maxUndoActions_ = 1024;
  int nextChangeNumber_ = 1;
  int initialChangeNumber_ = 0;
};

}  // namespace qx
