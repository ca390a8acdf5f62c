#include "editor/MethodChain.h"

#include <algorithm>

#include "editor/EditorExceptions.h"

namespace qx {

void TSynMethodChain::AddEntry(const TEntry& entry) {
  if (!entry.Code)
    throw ESynMethodChain(std::string(ClassName()) + ".Entry : the parameter `AEvent' must be specified.");
  entries_.push_back(entry);
}

void TSynMethodChain::RemoveEntry(const TEntry& entry) {
  if (!entry.Code)
    throw ESynMethodChain(std::string(ClassName()) + ".Remove: the parameter `AEvent' must be specified.");
  for (auto i = entries_.size(); i-- > 0;)
    if (entries_[i] == entry) entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
}

bool TSynMethodChain::HandleException(const std::exception& e) {
  if (!OnException) throw;
  bool doContinue = true;
  OnException(*this, e, doContinue);
  return doContinue;
}

void TSynMethodChain::Fire() {
  // A listener may add or remove listeners: the count is read again after each call.
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    try {
      ExecuteMethod(entries_[i]);
    } catch (const std::exception& e) {
      if (!HandleException(e)) return;
    }
  }
}

void TSynNotifyEventChain::Add(TNotifyEvent event) {
  AddEntry({event.Data, reinterpret_cast<void (*)()>(event.Code)});
}

void TSynNotifyEventChain::Remove(TNotifyEvent event) {
  RemoveEntry({event.Data, reinterpret_cast<void (*)()>(event.Code)});
}

void TSynNotifyEventChain::ExecuteMethod(const TEntry& entry) {
  TNotifyEvent event;
  event.Data = entry.Data;
  event.Code = reinterpret_cast<decltype(event.Code)>(entry.Code);
  event(Sender);
}

namespace {

// Marks a chain as running for the length of one execution.
class Running {
 public:
  explicit Running(bool& flag) : flag_(flag) { flag_ = true; }
  ~Running() { flag_ = false; }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  bool& flag_;
};

// Calls the handlers from the last added to the first while keepGoing() holds; a handler
// may remove handlers, so the index is checked against the count before each call.
template <typename List, typename Keep, typename... Args>
void RunBackwards(const List& list, Keep keepGoing, Args&&... args) {
  for (int i = list.Count(); i-- > 0 && keepGoing();)
    if (i < list.Count()) list.Items(i)(args...);
}

}  // namespace

void TSrcEditKbdHandler::ExecuteKeyDown(void* sender, std::uint16_t& key, TShiftState shift) {
  if (inKeyDown_) return;
  Running running(inKeyDown_);
  RunBackwards(keyDown_, [&] { return key != 0; }, sender, key, shift);
}

void TSrcEditKbdHandler::ExecuteKeyUp(void* sender, std::uint16_t& key, TShiftState shift) {
  if (inKeyUp_) return;
  Running running(inKeyUp_);
  RunBackwards(keyUp_, [&] { return key != 0; }, sender, key, shift);
}

void TSrcEditKbdHandler::ExecuteKeyPress(void* sender, char32_t& key) {
  if (inKeyPress_) return;
  Running running(inKeyPress_);
  RunBackwards(keyPress_, [&] { return key != U'\0'; }, sender, key);
}

void TSrcEditKbdHandler::ExecuteMouseDown(void* sender, TMouseButton button, TShiftState shift, int x, int y) {
  if (inMouseDown_) return;
  Running running(inMouseDown_);
  RunBackwards(mouseDown_, [] { return true; }, sender, button, shift, x, y);
}

void TSrcEditKbdHandler::ExecuteMouseUp(void* sender, TMouseButton button, TShiftState shift, int x, int y) {
  if (inMouseUp_) return;
  Running running(inMouseUp_);
  RunBackwards(mouseUp_, [] { return true; }, sender, button, shift, x, y);
}

void TSrcEditKbdHandler::ExecuteMouseCursor(void* sender, const TBufferCoord& pos, TCursor& cursor) {
  if (inMouseCursor_) return;
  Running running(inMouseCursor_);
  RunBackwards(mouseCursor_, [] { return true; }, sender, pos, cursor);
}

}  // namespace qx
