// The main of the menu tests: off-screen, on two screens side by side, the window's of
// 1280 x 1024 pixels and one of 800 x 600 on its right (tests/app/DueSchermi.json), so that
// a menu can be opened on either. The platform given here wins over QT_QPA_PLATFORM.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/CartellaRuntime.h"

int main(int argc, char** argv) {
  setenv("QT_FONT_DPI", "96", 0);
  qx::test::CartellaRuntime();
  std::string opzione = "-platform";
  std::string piattaforma = std::string("offscreen:configfile=") + QUORIX_SCHERMI;
  std::vector<char*> argomenti(argv, argv + argc);
  argomenti.insert(argomenti.begin() + 1, {opzione.data(), piattaforma.data()});
  int n = static_cast<int>(argomenti.size());
  argomenti.push_back(nullptr);
  QApplication app(n, argomenti.data());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
