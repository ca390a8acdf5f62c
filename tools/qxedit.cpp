// Opens a text file in the program editor control, configured as the main window's program
// editor with the language's highlighter, so that the control can be tried on its own.
// With --png FILE the editor is drawn into a picture instead of shown (no display needed).
//
//   qxedit [--command-bar] [--png FILE] [--size WxH] [--line N] FILE
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <cstdio>
#include <string>

#include "editor/EditorExceptions.h"
#include "editor/SynQuorix.h"
#include "editor/qt/SrcEdit.h"
#include "editor/qt/SrcEditConfig.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: qxedit [--command-bar] [--png FILE] [--size WxH] [--line N] FILE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string file, png;
  int width = 800, height = 600, line = 1;
  bool commandBar = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--png" && i + 1 < argc) {
      png = argv[++i];
    } else if (a == "--size" && i + 1 < argc) {
      if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0) return Usage();
    } else if (a == "--line" && i + 1 < argc) {
      line = std::atoi(argv[++i]);
    } else if (a == "--command-bar") {
      commandBar = true;
    } else if (!a.empty() && a[0] == '-') {
      return Usage();
    } else {
      file = a;
    }
  }
  if (file.empty()) return Usage();

  QApplication app(argc, argv);
  qx::TSynSampleSyn highlighter;
  qx::TSrcEdit editor;
  if (commandBar)
    qx::ConfigureCommandBar(editor);
  else
    qx::ConfigureProgramEditor(editor);
  editor.SetHighlighter(&highlighter);
  try {
    editor.Lines().LoadFromFile(file);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qxedit: %s\n", e.what());
    return 2;
  }
  editor.setWindowTitle(QString::fromStdString(file));
  editor.resize(width, commandBar ? editor.height() : height);
  editor.SetCaretXY({1, line});
  editor.EnsureCursorPosVisibleEx(true);
  if (!png.empty()) {
    editor.setAttribute(Qt::WA_DontShowOnScreen);
    editor.show();
    const bool ok = editor.grab().toImage().save(QString::fromStdString(png));
    if (!ok) std::fprintf(stderr, "qxedit: cannot write %s\n", png.c_str());
    return ok ? 0 : 1;
  }
  editor.show();
  return app.exec();
}
