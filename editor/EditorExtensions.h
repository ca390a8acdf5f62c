// What an editor tells its extensions when lines come and go, after it paints and around
// every command: its marks, its painting and line plug-ins, and the hooked command
// handlers that see each command before and after the editor processes it.
#pragma once
#include <memory>
#include <vector>

#include "editor/EditorCommands.h"
#include "editor/Marks.h"
#include "editor/Method.h"
#include "platform/Graphics.h"

namespace qx {

class TCanvas;

class TSrcEditPlugin {
 public:
  virtual ~TSrcEditPlugin() = default;
  virtual void AfterPaint(TCanvas* canvas, const TRect& clip, int firstLine, int lastLine) = 0;
  virtual void LinesInserted(int firstLine, int count) = 0;
  virtual void LinesDeleted(int firstLine, int count) = 0;
};

// (editor, after processing, var handled, var command, var character, data, handler data)
using THookedCommandEvent = TMethod<void*, bool, bool&, TSrcEditorCommand&, char32_t&, void*, void*>;

class TSrcEditExtensions {
 public:
  TSrcEditExtensions(void* editor, TSrcEditMarkList& marks) : editor_(editor), marks_(marks) {}
  ~TSrcEditExtensions();
  TSrcEditExtensions(const TSrcEditExtensions&) = delete;
  TSrcEditExtensions& operator=(const TSrcEditExtensions&) = delete;

  TSrcEditPlugin* AddPlugin(std::unique_ptr<TSrcEditPlugin> plugin);
  int PluginCount() const { return static_cast<int>(plugins_.size()); }
  // A handler is listed once; a missing one is ignored.
  void RegisterCommandHandler(THookedCommandEvent handler, void* handlerData);
  void UnregisterCommandHandler(THookedCommandEvent handler);
  int CommandHandlerCount() const { return static_cast<int>(handlers_.size()); }

  // Lines are 1-based. A deleted line's marks gather on the first line of the range.
  void DoLinesDeleted(int firstLine, int count);
  void DoLinesInserted(int firstLine, int count);
  void DoAfterPaint(TCanvas* canvas, const TRect& clip, int firstLine, int lastLine);
  // Every handler runs; when any of them handled the command it becomes ecNone.
  void NotifyHookedCommandHandlers(bool afterProcessing, TSrcEditorCommand& command, char32_t& ch, void* data);

 private:
  struct THandlerEntry {
    THookedCommandEvent Event;
    void* Data;
  };
  void* editor_;
  TSrcEditMarkList& marks_;
  std::vector<std::unique_ptr<TSrcEditPlugin>> plugins_;
  std::vector<THandlerEntry> handlers_;
};

}  // namespace qx
