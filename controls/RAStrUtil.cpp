#include "controls/RAStrUtil.h"

namespace qx {

QString SubStr(const QString& S, int Index, const QString& Separator) {
  if (Index < 0 || Separator.isEmpty()) return {};
  qsizetype start = 0;
  for (int i = 0; i < Index; ++i) {
    const qsizetype found = S.indexOf(Separator, start, Qt::CaseInsensitive);
    if (found < 0) return {};
    start = found + Separator.size();
  }
  if (start >= S.size()) return {};
  if (S.mid(start).startsWith(Separator, Qt::CaseInsensitive)) return {};
  // The end is searched from one character after the start: a piece is never empty.
  const qsizetype end = S.indexOf(Separator, start + 1, Qt::CaseInsensitive);
  return S.mid(start, end < 0 ? -1 : end - start);
}

}  // namespace qx
