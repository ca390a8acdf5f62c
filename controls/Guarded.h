// Runs the handlers that users of the controls install (OnPaint, OnValidateEdit, ...) from
// inside Qt's event handlers: nothing they raise may escape into Qt.
#pragma once
#include <QtGlobal>
#include <exception>
#include <type_traits>
#include <utility>

namespace qx {

// Runs f; an exception is reported as a warning and answers `otherwise`.
template <typename F, typename R = decltype(std::declval<F>()())>
  requires(!std::is_void_v<R>)
R Guarded(F&& f, R otherwise) {
  try {
    return f();
  } catch (const std::exception& e) {
    qWarning("%s", e.what());
  } catch (...) {
    qWarning("unexpected exception in a control's handler");
  }
  return otherwise;
}

template <typename F>
  requires std::is_void_v<decltype(std::declval<F>()())>
void Guarded(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    qWarning("%s", e.what());
  } catch (...) {
    qWarning("unexpected exception in a control's handler");
  }
}

}  // namespace qx
