// Several listeners on one notification: a highlighter tells every editor that uses it
// when an attribute changes (the notify chain), and an editor lets further key and mouse
// handlers run before its own handling (the keyboard handler chains).
#pragma once
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "editor/EditorTypes.h"
#include "editor/KeyCodes.h"
#include "editor/Method.h"

namespace qx {

// A list of method pointers fired in insertion order. An exception of a listener goes to
// OnException, which decides whether the rest of the chain runs; without it the
// exception reaches the caller of Fire.
class TSynMethodChain {
 public:
  using TExceptionEvent = std::function<void(TSynMethodChain& sender, const std::exception& e, bool& doContinue)>;

  virtual ~TSynMethodChain() = default;
  void Fire();
  int Count() const { return static_cast<int>(entries_.size()); }
  TExceptionEvent OnException;

 protected:
  struct TEntry {
    void* Data;
    void (*Code)();
    bool operator==(const TEntry&) const = default;
  };
  virtual const char* ClassName() const { return "TSynMethodChain"; }
  virtual void ExecuteMethod(const TEntry& entry) = 0;
  // True when the rest of the chain is to be called.
  virtual bool HandleException(const std::exception& e);
  void AddEntry(const TEntry& entry);
  void RemoveEntry(const TEntry& entry);

 private:
  std::vector<TEntry> entries_;
};

class TSynNotifyEventChain : public TSynMethodChain {
 public:
  explicit TSynNotifyEventChain(void* sender = nullptr) : Sender(sender) {}
  void Add(TNotifyEvent event);
  void Remove(TNotifyEvent event);
  void* Sender;

 protected:
  const char* ClassName() const override { return "TSynNotifyEventChain"; }
  void ExecuteMethod(const TEntry& entry) override;
};

// Method pointers in insertion order.
template <typename... Args>
class TMethodList {
 public:
  using Method = TMethod<Args...>;
  void Add(Method m) { items_.push_back(m); }
  // Removes the latest entry equal to the method.
  void Remove(Method m) {
    for (auto i = items_.size(); i-- > 0;)
      if (items_[i] == m) {
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
        return;
      }
  }
  int Count() const { return static_cast<int>(items_.size()); }
  Method Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }

 private:
  std::vector<Method> items_;
};

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
using TCursor = std::int16_t;

using TKeyEvent = TMethod<void*, std::uint16_t&, TShiftState>;
using TKeyPressEvent = TMethod<void*, char32_t&>;
using TMouseEvent = TMethod<void*, TMouseButton, TShiftState, int, int>;
using TMouseCursorEvent = TMethod<void*, const TBufferCoord&, TCursor&>;

// The editor's extra key and mouse handlers. Each chain runs from the handler added last
// to the first; the key chains stop once a handler has consumed the key, and a chain
// that is already running is not entered again.
class TSrcEditKbdHandler {
 public:
  void ExecuteKeyDown(void* sender, std::uint16_t& key, TShiftState shift);
  void ExecuteKeyUp(void* sender, std::uint16_t& key, TShiftState shift);
  void ExecuteKeyPress(void* sender, char32_t& key);
  void ExecuteMouseDown(void* sender, TMouseButton button, TShiftState shift, int x, int y);
  void ExecuteMouseUp(void* sender, TMouseButton button, TShiftState shift, int x, int y);
  void ExecuteMouseCursor(void* sender, const TBufferCoord& pos, TCursor& cursor);

  void AddKeyDownHandler(TKeyEvent h) { keyDown_.Add(h); }
  void RemoveKeyDownHandler(TKeyEvent h) { keyDown_.Remove(h); }
  void AddKeyUpHandler(TKeyEvent h) { keyUp_.Add(h); }
  void RemoveKeyUpHandler(TKeyEvent h) { keyUp_.Remove(h); }
  void AddKeyPressHandler(TKeyPressEvent h) { keyPress_.Add(h); }
  void RemoveKeyPressHandler(TKeyPressEvent h) { keyPress_.Remove(h); }
  void AddMouseDownHandler(TMouseEvent h) { mouseDown_.Add(h); }
  void RemoveMouseDownHandler(TMouseEvent h) { mouseDown_.Remove(h); }
  void AddMouseUpHandler(TMouseEvent h) { mouseUp_.Add(h); }
  void RemoveMouseUpHandler(TMouseEvent h) { mouseUp_.Remove(h); }
  void AddMouseCursorHandler(TMouseCursorEvent h) { mouseCursor_.Add(h); }
  void RemoveMouseCursorHandler(TMouseCursorEvent h) { mouseCursor_.Remove(h); }

 private:
  TMethodList<void*, std::uint16_t&, TShiftState> keyDown_, keyUp_;
  TMethodList<void*, char32_t&> keyPress_;
  TMethodList<void*, TMouseButton, TShiftState, int, int> mouseDown_, mouseUp_;
  TMethodList<void*, const TBufferCoord&, TCursor&> mouseCursor_;
  bool inKeyDown_ = false, inKeyUp_ = false, inKeyPress_ = false;
  bool inMouseDown_ = false, inMouseUp_ = false, inMouseCursor_ = false;
};

}  // namespace qx
