// Where a window goes so that what it asks about stays in sight.
#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

namespace qx {

// The top-left of a window of frame size `dimensioni`, inside `dentro`, that leaves
// `evitare` uncovered with `distacco` pixels between: beside it on the side with more room,
// else on the other side, else above or below it (more room first). When no place inside
// clears it, the one that covers the least of it.
QPoint PosizioneAccanto(const QRect& evitare, const QSize& dimensioni, const QRect& dentro, int distacco);

}  // namespace qx
