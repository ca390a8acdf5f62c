// GoogleTest's main for the programs that drive real widgets. The application object lives
// on main's stack, so that Qt's own objects (input devices, fonts, screens) are destroyed
// before the process's exit handlers run; a static application crashes at exit now and then.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "tests/support/CartellaRuntime.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_FONT_DPI", "96", 0);
  qx::test::CartellaRuntime();
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
