#include "platform/qt/ApplicazioneQt.h"

#include <QGuiApplication>
#include <cstdlib>

namespace qx {

void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  // No display is needed to draw on images.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char nome[] = "quorix";
  static char* argv[] = {nome, nullptr};
  static QGuiApplication app(argc, argv);
}

}  // namespace qx
