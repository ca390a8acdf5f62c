// No exception may leave a handler of the window into Qt's event loop: what a handler
// raises (a fault of the program, never of the user's input) stops there with a beep.
#pragma once
#include <QApplication>
#include <QtGlobal>
#include <exception>

namespace qx {

template <class F>
void Protetto(F&& azione) noexcept {
  try {
    azione();
  } catch (const std::exception& e) {
    qWarning("Quorix: %s", e.what());
    QApplication::beep();
  } catch (...) {
    QApplication::beep();
  }
}

}  // namespace qx
