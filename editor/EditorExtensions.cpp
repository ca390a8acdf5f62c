#include "editor/EditorExtensions.h"

#include <algorithm>

namespace qx {

TSrcEditExtensions::~TSrcEditExtensions() {
  handlers_.clear();
  while (!plugins_.empty()) plugins_.pop_back();  // last to first
}

TSrcEditPlugin* TSrcEditExtensions::AddPlugin(std::unique_ptr<TSrcEditPlugin> plugin) {
  if (!plugin) return nullptr;
  plugins_.push_back(std::move(plugin));
  return plugins_.back().get();
}

void TSrcEditExtensions::RegisterCommandHandler(THookedCommandEvent handler, void* handlerData) {
  if (!handler) return;
  for (const THandlerEntry& e : handlers_)
    if (e.Event == handler) return;
  handlers_.push_back({handler, handlerData});
}

void TSrcEditExtensions::UnregisterCommandHandler(THookedCommandEvent handler) {
  std::erase_if(handlers_, [&](const THandlerEntry& e) { return e.Event == handler; });
}

void TSrcEditExtensions::DoLinesDeleted(int firstLine, int count) {
  for (int i = 0; i < marks_.Count(); ++i) {
    TSrcEditMark* mark = marks_.Items(i);
    if (mark->Line() >= firstLine + count)
      mark->SetLine(mark->Line() - count);
    else if (mark->Line() > firstLine)
      mark->SetLine(firstLine);
  }
  for (const auto& plugin : plugins_) plugin->LinesDeleted(firstLine, count);
}

void TSrcEditExtensions::DoLinesInserted(int firstLine, int count) {
  for (int i = 0; i < marks_.Count(); ++i) {
    TSrcEditMark* mark = marks_.Items(i);
    if (mark->Line() >= firstLine) mark->SetLine(mark->Line() + count);
  }
  for (const auto& plugin : plugins_) plugin->LinesInserted(firstLine, count);
}

void TSrcEditExtensions::DoAfterPaint(TCanvas* canvas, const TRect& clip, int firstLine, int lastLine) {
  for (const auto& plugin : plugins_) plugin->AfterPaint(canvas, clip, firstLine, lastLine);
}

void TSrcEditExtensions::NotifyHookedCommandHandlers(bool afterProcessing, TSrcEditorCommand& command,
                                                     char32_t& ch, void* data) {
  bool handled = false;
  // A handler may unregister handlers: the count is read again before each call.
  for (std::size_t i = 0; i < handlers_.size(); ++i) {
    const THandlerEntry entry = handlers_[i];
    entry.Event(editor_, afterProcessing, handled, command, ch, data, entry.Data);
  }
  if (handled) command = ecNone;
}

}  // namespace qx
