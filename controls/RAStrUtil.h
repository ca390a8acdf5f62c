// String helpers of the band-palette family of controls.
#pragma once
#include <QString>
#include <QStringView>
#include <string_view>

namespace qx {

// The Index-th piece of S between separators, counted from 0; the separator's letter case
// is ignored. Empty for a negative Index, for fewer than Index separators, for an S that
// ends right after the last one skipped, and for a piece that begins with the separator.
QString SubStr(const QString& S, int Index, const QString& Separator);

// Below, equal or above zero as a sorts below, with or above b, letter case ignored: the
// order of QString::compare with Qt::CaseInsensitive, the sorted lists' order. ASCII
// letters are folded here, one at a time; from the first other character on, Qt compares
// the rest (its folding of the whole of Unicode is what the order is).
int CompareCaseless(QStringView a, QStringView b);
// The same order for texts in UTF-8, without making QStrings of ASCII texts.
int CompareCaseless(std::string_view a, std::string_view b);

}  // namespace qx
