#include "editor/Marks.h"

#include <algorithm>

namespace qx {

void TSrcEditMark::InvalidateOwnLine() {
  if (editor_) editor_->InvalidateLine(line_);
}

void TSrcEditMark::SetLine(int line) {
  if (visible_ && editor_) {
    if (line_ > 0) editor_->InvalidateLine(line_);
    line_ = line;
    editor_->InvalidateLine(line_);
  } else {
    line_ = line;
  }
}

void TSrcEditMark::SetImageIndex(int index) {
  imageIndex_ = index;
  if (visible_) InvalidateOwnLine();
}

void TSrcEditMark::SetInternalImage(bool value) {
  internalImage_ = value;
  if (visible_) InvalidateOwnLine();
}

void TSrcEditMark::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  InvalidateOwnLine();
}

TSrcEditMarkHost* TSrcEditMark::GetEdit() {
  if (editor_ && editor_->Marks().IndexOf(this) < 0) editor_ = nullptr;
  return editor_;
}

int TSrcEditMarkList::IndexOf(const TSrcEditMark* mark) const {
  for (std::size_t i = 0; i < marks_.size(); ++i)
    if (marks_[i].get() == mark) return static_cast<int>(i);
  return -1;
}

void TSrcEditMarkList::Changed() {
  if (OnChange) OnChange(*this);
}

TSrcEditMark* TSrcEditMarkList::Add(std::unique_ptr<TSrcEditMark> mark) {
  if (!mark) return nullptr;
  TSrcEditMark* added = mark.get();
  marks_.push_back(std::move(mark));
  Changed();
  return added;
}

std::unique_ptr<TSrcEditMark> TSrcEditMarkList::Extract(TSrcEditMark* mark) {
  const int index = IndexOf(mark);
  if (index < 0) return nullptr;
  std::unique_ptr<TSrcEditMark> out = std::move(marks_[static_cast<std::size_t>(index)]);
  marks_.erase(marks_.begin() + index);
  Changed();
  return out;
}

void TSrcEditMarkList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  // Out of the list before it is freed, so that the change handler never meets it.
  std::unique_ptr<TSrcEditMark> gone = std::move(marks_[static_cast<std::size_t>(index)]);
  marks_.erase(marks_.begin() + index);
  gone.reset();
  Changed();
}

void TSrcEditMarkList::Clear() {
  while (!marks_.empty()) Delete(Count() - 1);
}

void TSrcEditMarkList::GetMarksForLine(int line, TSrcEditMarks& marks) const {
  marks.fill(nullptr);
  std::size_t n = 0;
  for (const auto& mark : marks_) {
    if (mark->Line() != line) continue;
    marks[n++] = mark.get();
    if (n == marks.size()) break;
  }
}

}  // namespace qx
