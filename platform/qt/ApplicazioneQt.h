// Text on a QImage needs a Qt GUI application. The window has its own; the tests and the
// headless runner call this, which makes one (off-screen unless a platform was asked for)
// when none exists yet. It lives until the process ends. The toolkit's warnings are
// dropped, so that standard error holds only what the caller prints.
#pragma once

namespace qx {

void EnsureGuiApplication();

}  // namespace qx
