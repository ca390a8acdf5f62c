// The main of the tests that need a real X server (the one xvfb-run starts).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "tests/support/CartellaRuntime.h"

int main(int argc, char** argv) {
  // On xvfb-run's display the window is a real X window; without a display the test only
  // lists itself and skips.
  if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("QT_FONT_DPI", "96", 0);
  qx::test::CartellaRuntime();
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
