// What the tests of the controls share: one QApplication off-screen at 96 dpi, fonts
// without antialiasing so that every text pixel is either ink or background, and probes.
#pragma once
#include <QApplication>
#include <QFont>
#include <QImage>
#include <QWidget>
#include <cstdlib>
#include <ostream>

// Readable failures for texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace qx::test {

// The application itself is made by the widget tests' main (tests/support/QtTestMain.cpp).
inline void EnsureWidgetApplication() {
  QFont f = QApplication::font();
  f.setStyleStrategy(QFont::NoAntialias);
  QApplication::setFont(f);
}

// A font of a fixed family and pixel size, drawn without antialiasing.
inline QFont TestFont(int pixelSize = 13, const char* family = "DejaVu Sans") {
  QFont f(QString::fromLatin1(family));
  f.setPixelSize(pixelSize);
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}

// The widget as it paints itself now.
inline QImage Shot(QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }

inline QRgb Rgb(const QColor& c) { return c.rgb() | 0xFF000000u; }

// The box of the pixels of `image` (inside `area`) that have exactly the colour `c`.
inline QRect InkBox(const QImage& image, QRgb c, QRect area = QRect()) {
  if (area.isNull()) area = image.rect();
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if ((image.pixel(x, y) | 0xFF000000u) == (c | 0xFF000000u)) box |= QRect(x, y, 1, 1);
  return box;
}

inline int CountPixels(const QImage& image, QRgb c, QRect area = QRect()) {
  if (area.isNull()) area = image.rect();
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if ((image.pixel(x, y) | 0xFF000000u) == (c | 0xFF000000u)) ++n;
  return n;
}

}  // namespace qx::test
