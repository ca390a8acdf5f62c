#include "ControlsTest.h"

#include <gtest/gtest.h>

namespace qx::test {

namespace {

class ApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { EnsureWidgetApplication(); }
  void TearDown() override { delete QCoreApplication::instance(); }
};

[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace

void EnsureWidgetApplication() {
  if (QCoreApplication::instance()) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_FONT_DPI", "96", 0);
  static int argc = 1;
  static char nome[] = "quorix-test";
  static char* argv[] = {nome, nullptr};
  new QApplication(argc, argv);
  QFont f = QApplication::font();
  f.setStyleStrategy(QFont::NoAntialias);
  QApplication::setFont(f);
}

}  // namespace qx::test
