// String helpers of the band-palette family of controls.
#pragma once
#include <QString>

namespace qx {

// The Index-th piece of S between separators, counted from 0; the separator's letter case
// is ignored. Empty for a negative Index, for fewer than Index separators, for an S that
// ends right after the last one skipped, and for a piece that begins with the separator.
QString SubStr(const QString& S, int Index, const QString& Separator);

}  // namespace qx
