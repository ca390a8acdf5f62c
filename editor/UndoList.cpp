#include "editor/UndoList.h"

#include <limits>

namespace qx {

void TSrcEditUndoList::AdvanceChangeNumber() {
  // Change numbers stay positive: 0 stands for the empty list and -1 for no unmodified
  // state, so the count starts again at 1 rather than running into either.
  if (nextChangeNumber_ == std::numeric_limits<int>::max())
    nextChangeNumber_ = 1;
  else
    ++nextChangeNumber_;
}

void TSrcEditUndoList::AddChange(TSynUndoReason reason, TBufferCoord start, TBufferCoord end,
                                 std::u32string_view text, TSynSelectionMode selMode) {
  if (lockCount_ > 0) return;
  auto item = std::make_unique<TSrcEditUndoItem>();
  item->ChangeReason = reason;
  item->ChangeSelMode = selMode;
  item->ChangeStartPos = start;
  item->ChangeEndPos = end;
  item->ChangeStr = text;
  if (blockChangeNumber_ != 0) {
    item->ChangeNumber = blockChangeNumber_;
  } else {
    item->ChangeNumber = nextChangeNumber_;
    if (blockCount_ == 0) AdvanceChangeNumber();
  }
  PushItem(std::move(item));
}

void TSrcEditUndoList::PushItem(std::unique_ptr<TSrcEditUndoItem> item) {
  if (!item) return;
  const bool notify = item->ChangeReason != urGroupBreak;
  items_.push_back(std::move(item));
  EnsureMaxEntries();
  if (notify && OnAddedUndo) OnAddedUndo(*this);
}

std::unique_ptr<TSrcEditUndoItem> TSrcEditUndoList::PopItem() {
  if (items_.empty()) return nullptr;
  auto item = std::move(items_.back());
  items_.pop_back();
  return item;
}

const TSrcEditUndoItem* TSrcEditUndoList::PeekItem() const { return items_.empty() ? nullptr : items_.back().get(); }

void TSrcEditUndoList::BeginBlock() {
  ++blockCount_;
  blockChangeNumber_ = nextChangeNumber_;
}

void TSrcEditUndoList::EndBlock() {
  if (blockCount_ <= 0) return;
  --blockCount_;
  if (blockCount_ != 0) return;
  const int blockNumber = blockChangeNumber_;
  blockChangeNumber_ = 0;
  AdvanceChangeNumber();
  if (!items_.empty() && items_.back()->ChangeNumber == blockNumber && OnAddedUndo) OnAddedUndo(*this);
}

void TSrcEditUndoList::AddGroupBreak() {
  if (LastChangeReason() != urGroupBreak) AddChange(urGroupBreak, {0, 0}, {0, 0}, U"", smNormal);
}

TSynUndoReason TSrcEditUndoList::LastChangeReason() const {
  return items_.empty() ? urNothing : items_.back()->ChangeReason;
}

void TSrcEditUndoList::Unlock() {
  if (lockCount_ > 0) --lockCount_;
}

void TSrcEditUndoList::Clear() {
  items_.clear();
  fullUndoImpossible_ = false;
}

void TSrcEditUndoList::Assign(const TSrcEditUndoList& source) {
  if (&source == this) return;
  std::vector<std::unique_ptr<TSrcEditUndoItem>> copy;
  copy.reserve(source.items_.size());
  for (const auto& item : source.items_) copy.push_back(std::make_unique<TSrcEditUndoItem>(*item));
  items_ = std::move(copy);
  blockChangeNumber_ = source.blockChangeNumber_;
  blockCount_ = source.blockCount_;
  fullUndoImpossible_ = source.fullUndoImpossible_;
  lockCount_ = source.lockCount_;
  maxUndoActions_ = source.maxUndoActions_;
  nextChangeNumber_ = source.nextChangeNumber_;
  InsideRedo = source.InsideRedo;
}

void TSrcEditUndoList::EnsureMaxEntries() {
  const std::size_t massimo = static_cast<std::size_t>(maxUndoActions_);
  if (items_.size() <= massimo) return;
  fullUndoImpossible_ = true;
  std::size_t taglio = items_.size() - massimo;
  // Whole changes go, never part of one: an undo that met half a change (the first lines of
  // a block indent over two thousand lines) would leave the text half undone. The newest
  // change stays whole even when it alone is longer than the limit.
  if (massimo > 0) {
    while (taglio < items_.size() && items_[taglio]->ChangeNumber == items_[taglio - 1]->ChangeNumber) ++taglio;
    if (taglio == items_.size()) {
      const std::int32_t ultima = items_.back()->ChangeNumber;
      while (taglio > 0 && items_[taglio - 1]->ChangeNumber == ultima) --taglio;
    }
  }
  items_.erase(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(taglio));
}

void TSrcEditUndoList::SetMaxUndoActions(int value) {
  if (value < 0) value = 0;
  if (value == maxUndoActions_) return;
  maxUndoActions_ = value;
  EnsureMaxEntries();
}

void TSrcEditUndoList::MarkTopAsUnmodified(bool unmodified) {
  if (unmodified) {
    initialChangeNumber_ = items_.empty() ? 0 : items_.back()->ChangeNumber;
  } else if (IsTopMarkedAsUnmodified()) {
    initialChangeNumber_ = -1;
  }
}

bool TSrcEditUndoList::IsTopMarkedAsUnmodified() const {
  if (items_.empty()) return initialChangeNumber_ == 0;
  return items_.back()->ChangeNumber == initialChangeNumber_;
}

}  // namespace qx
