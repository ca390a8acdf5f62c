#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "editor/EditorExceptions.h"
#include "editor/MethodChain.h"

namespace qx {
namespace {

struct Listener {
  std::string name;
  std::vector<std::string>* log;
  bool raise = false;
  void Notify(void* sender) {
    log->push_back(name + (sender ? "+" : "-"));
    if (raise) throw std::runtime_error("boom " + name);
  }
};

TEST(MethodChain, AddRemoveFireAndExceptions) {
  std::vector<std::string> log;
  int senderObject = 0;
  TSynNotifyEventChain chain(&senderObject);
  Listener a{"a", &log}, b{"b", &log}, c{"c", &log};
  const TNotifyEvent ma = MakeMethod<&Listener::Notify>(&a);
  chain.Add(ma);
  chain.Add(MakeMethod<&Listener::Notify>(&b));
  chain.Add(ma);
  chain.Add(MakeMethod<&Listener::Notify>(&c));
  chain.Fire();
  EXPECT_EQ(log, (std::vector<std::string>{"a+", "b+", "a+", "c+"}));

  // One removal takes every entry of the same object and code.
  chain.Remove(ma);
  EXPECT_EQ(chain.Count(), 2);
  log.clear();
  chain.Fire();
  EXPECT_EQ(log, (std::vector<std::string>{"b+", "c+"}));

  try {
    chain.Add(TNotifyEvent{});
    ADD_FAILURE();
  } catch (const ESynMethodChain& e) {
    EXPECT_STREQ(e.what(), "TSynNotifyEventChain.Entry : the parameter `AEvent' must be specified.");
  }
  try {
    chain.Remove(TNotifyEvent{&a, nullptr});
    ADD_FAILURE();
  } catch (const ESynMethodChain& e) {
    EXPECT_STREQ(e.what(), "TSynNotifyEventChain.Remove: the parameter `AEvent' must be specified.");
  }

  // Without a handler the exception stops the chain and reaches the caller.
  b.raise = true;
  log.clear();
  EXPECT_THROW(chain.Fire(), std::runtime_error);
  EXPECT_EQ(log, (std::vector<std::string>{"b+"}));

  // The handler decides whether the rest runs.
  std::string seen;
  bool goOn = false;
  chain.OnException = [&](TSynMethodChain&, const std::exception& e, bool& doContinue) {
    seen = e.what();
    EXPECT_TRUE(doContinue);
    doContinue = goOn;
  };
  log.clear();
  chain.Fire();
  EXPECT_EQ(seen, "boom b");
  EXPECT_EQ(log, (std::vector<std::string>{"b+"}));
  goOn = true;
  log.clear();
  chain.Fire();
  EXPECT_EQ(log, (std::vector<std::string>{"b+", "c+"}));
}

struct KeyListener {
  std::string name;
  std::vector<std::string>* log;
  std::uint16_t consume = 0;
  TSrcEditKbdHandler* handler = nullptr;
  void KeyDown(void*, std::uint16_t& key, TShiftState shift) {
    log->push_back(name + " " + std::to_string(key) + " " + std::to_string(shift));
    if (key == consume) key = 0;
    if (handler) {  // sends a key again from inside the chain
      std::uint16_t again = 99;
      handler->ExecuteKeyDown(nullptr, again, 0);
    }
  }
  void KeyPress(void*, char32_t& ch) {
    log->push_back(name + " press");
    if (ch == U'x') ch = U'\0';
  }
  void MouseDown(void*, TMouseButton button, TShiftState, int x, int y) {
    log->push_back(name + " mouse " + std::to_string(button) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void Cursor(void*, const TBufferCoord& pos, TCursor& cursor) {
    log->push_back(name + " cursor " + std::to_string(pos.Line));
    cursor = static_cast<TCursor>(cursor - 1);
  }
};

TEST(MethodChain, KeyboardHandlersRunNewestFirstAndStop) {
  std::vector<std::string> log;
  TSrcEditKbdHandler kbd;
  KeyListener older{"older", &log}, newer{"newer", &log, VK_RETURN};
  kbd.AddKeyDownHandler(MakeMethod<&KeyListener::KeyDown>(&older));
  kbd.AddKeyDownHandler(MakeMethod<&KeyListener::KeyDown>(&newer));
  std::uint16_t key = VK_TAB;
  kbd.ExecuteKeyDown(nullptr, key, ssCtrl);
  EXPECT_EQ(log, (std::vector<std::string>{"newer 9 4", "older 9 4"}));
  log.clear();
  key = VK_RETURN;
  kbd.ExecuteKeyDown(nullptr, key, 0);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"newer 13 0"}));

  // A handler that fires the same chain again is not re-entered.
  log.clear();
  newer.handler = &kbd;
  key = VK_TAB;
  kbd.ExecuteKeyDown(nullptr, key, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"newer 9 0", "older 9 0"}));
  newer.handler = nullptr;

  kbd.RemoveKeyDownHandler(MakeMethod<&KeyListener::KeyDown>(&newer));
  log.clear();
  key = VK_RETURN;
  kbd.ExecuteKeyDown(nullptr, key, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"older 13 0"}));

  log.clear();
  kbd.AddKeyPressHandler(MakeMethod<&KeyListener::KeyPress>(&older));
  kbd.AddKeyPressHandler(MakeMethod<&KeyListener::KeyPress>(&newer));
  char32_t ch = U'x';
  kbd.ExecuteKeyPress(nullptr, ch);
  EXPECT_EQ(ch, U'\0');
  EXPECT_EQ(log, (std::vector<std::string>{"newer press"}));

  // Mouse chains run every handler.
  log.clear();
  kbd.AddMouseDownHandler(MakeMethod<&KeyListener::MouseDown>(&older));
  kbd.AddMouseDownHandler(MakeMethod<&KeyListener::MouseDown>(&newer));
  kbd.ExecuteMouseDown(nullptr, mbRight, 0, 3, 4);
  kbd.ExecuteMouseUp(nullptr, mbLeft, 0, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"newer mouse 1 3,4", "older mouse 1 3,4"}));
  TCursor cursor = 10;
  kbd.AddMouseCursorHandler(MakeMethod<&KeyListener::Cursor>(&older));
  kbd.AddMouseCursorHandler(MakeMethod<&KeyListener::Cursor>(&newer));
  kbd.ExecuteMouseCursor(nullptr, {1, 7}, cursor);
  EXPECT_EQ(cursor, 8);
}

}  // namespace
}  // namespace qx
