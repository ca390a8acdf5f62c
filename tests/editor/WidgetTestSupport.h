// What the tests of the editor control share: the application (off-screen, 96 dpi, no caret
// blinking), editors shown at a size of whole rows, keys typed through QTest, pixels read
// from the control's own painting, and a subclass that records what the control invalidates.
#pragma once
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "editor/SynQuorix.h"
#include "editor/qt/SrcEdit.h"
#include "editor/qt/SrcEditConfig.h"

namespace qx::test {

// The application is main's (the WIDGETS test main); the caret does not blink.
inline QApplication& App() {
  static const bool once = [] {
    QApplication::setCursorFlashTime(0);
    return true;
  }();
  (void)once;
  return *qApp;
}

// A control that keeps every rectangle it invalidates.
class TRecordingSrcEdit : public TSrcEdit {
 public:
  std::vector<QRect> Invalidated;
  QMimeData* DragData = nullptr;  // what a drag would carry (owned here)

  ~TRecordingSrcEdit() override { delete DragData; }
  using TCustomSrcEdit::CommandProcessor;

 protected:
  void InvalidateRect(const QRect& rect, bool erase) override {
    Invalidated.push_back(rect);
    TSrcEdit::InvalidateRect(rect, erase);
  }
  void StartTextDrag(QMimeData* data) override {
    delete DragData;
    DragData = data;
  }
};

// Sizes the editor so that its text area holds exactly `rows` whole rows.
inline void FitRows(TCustomSrcEdit& ed, int rows) {
  for (int i = 0; i < 3; ++i) {
    const int want = rows * ed.LineHeight();
    const int have = ed.viewport()->height();
    if (have == want) break;
    ed.resize(ed.width(), ed.height() + want - have);
    QApplication::processEvents();
  }
}

// A shown editor of the given number of whole rows, with the focus.
template <typename T = TSrcEdit>
std::unique_ptr<T> ShownEditor(int rows = 20, int width = 640) {
  App();
  auto ed = std::make_unique<T>();
  ed->resize(width, 400);
  ed->show();
  QApplication::setActiveWindow(ed.get());
  ed->setFocus();
  QApplication::processEvents();
  FitRows(*ed, rows);
  return ed;
}

inline void SetText(TCustomSrcEdit& ed, const std::u32string& text) { ed.SetLinesText(text); }

inline std::u32string Text(const TCustomSrcEdit& ed) { return ed.GetLinesText(); }

// The program text as UTF-8, for readable failures.
inline std::string Utf8(const std::u32string& s) { return QString::fromStdU32String(s).toStdString(); }

inline void Type(QWidget& w, const QString& text) {
  for (QChar c : text) {
    if (c == QLatin1Char('\n'))
      QTest::keyClick(&w, Qt::Key_Return);
    else
      QTest::keyClick(&w, c.toLatin1());
  }
}

inline void Key(QWidget& w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(&w, key, mods); }

// The control's picture as its own paint makes it (viewport coordinates).
inline QImage Picture(TCustomSrcEdit& ed) { return ed.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

inline QColor PixelColor(const QImage& img, int x, int y) { return QColor(img.pixel(x, y)); }

// The row's band of pixels right of the gutter: how many pixels have each colour.
struct TBand {
  int Total = 0;
  int Count(QRgb c) const {
    int n = 0;
    for (QRgb p : Pixels)
      if ((p & 0xFFFFFF) == (c & 0xFFFFFF)) ++n;
    return n;
  }
  std::vector<QRgb> Pixels;
};

inline TBand RowBand(const QImage& img, const TCustomSrcEdit& ed, int line, int x1, int x2) {
  TBand b;
  const int top = (line - ed.TopLine()) * ed.LineHeight();
  for (int y = top; y < top + ed.LineHeight(); ++y)
    for (int x = x1; x < x2; ++x) {
      b.Pixels.push_back(img.pixel(x, y));
      ++b.Total;
    }
  return b;
}

// The x of the left edge of a 1-based column.
inline int ColumnX(const TCustomSrcEdit& ed, int column) { return ed.TextOffset() + (column - 1) * ed.CharWidth(); }
// A point in the middle of a cell.
inline QPoint CellCenter(const TCustomSrcEdit& ed, int column, int line) {
  return {ColumnX(ed, column) + ed.CharWidth() / 2, (line - ed.TopLine()) * ed.LineHeight() + ed.LineHeight() / 2};
}
// The boundary before a column, where a click puts the caret.
inline QPoint CellEdge(const TCustomSrcEdit& ed, int column, int line) {
  return {ColumnX(ed, column) + 1, (line - ed.TopLine()) * ed.LineHeight() + ed.LineHeight() / 2};
}

}  // namespace qx::test
