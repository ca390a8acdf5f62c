#include "platform/qt/ApplicazioneQt.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

namespace qx {

namespace {

// The tests and the headless runner print only what a run produced. The toolkit's own
// remarks (no XDG_RUNTIME_DIR, a runtime folder with loose permissions, a missing font)
// say nothing about the run: they are dropped. A fatal error still says why the process ends.
void MessaggioToolkit(QtMsgType tipo, const QMessageLogContext&, const QString& testo) {
  if (tipo == QtFatalMsg) std::fprintf(stderr, "%s\n", testo.toLocal8Bit().constData());
}

}  // namespace

void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  qInstallMessageHandler(MessaggioToolkit);
  // No display is needed to draw on images.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char nome[] = "quorix";
  static char* argv[] = {nome, nullptr};
  static QGuiApplication app(argc, argv);
}

}  // namespace qx
