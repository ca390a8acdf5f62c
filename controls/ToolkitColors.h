// The toolkit's colour numbers on Qt: plain colours are RGB, system colours are taken from
// the application's palette (the desktop's own colours), clNone is transparent.
#pragma once
#include <QColor>
#include <QPalette>

#include "platform/Graphics.h"

namespace qx {

QColor ToQColor(TColor color);
QColor ToQColor(TColor color, const QPalette& palette);
// The toolkit number of an opaque Qt colour (alpha is dropped).
TColor FromQColor(const QColor& color);

}  // namespace qx
