#include "controls/RAStrUtil.h"

#include <cstdint>
#include <cstring>

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

namespace qx {

namespace {

constexpr unsigned FoldAscii(unsigned c) { return c - 'A' < 26u ? c + ('a' - 'A') : c; }

// The common loop: the index of the first character where a and b differ once folded, or
// where either holds a character beyond ASCII, or the shorter length.
template <typename Char>
std::size_t AsciiPrefix(const Char* a, std::size_t na, const Char* b, std::size_t nb, int& answer) {
  const std::size_t n = na < nb ? na : nb;
  std::size_t i = 0;
  // Sorted captions share long beginnings: equal ASCII characters go eight bytes at a time.
  constexpr std::size_t perWord = 8 / sizeof(Char);
  constexpr std::uint64_t notAscii = sizeof(Char) == 1 ? 0x8080808080808080ull : 0xFF80FF80FF80FF80ull;
  for (; i + perWord <= n; i += perWord) {
    std::uint64_t wa, wb;
    std::memcpy(&wa, a + i, 8);
    std::memcpy(&wb, b + i, 8);
    if (wa != wb || ((wa | wb) & notAscii) != 0) break;
  }
  for (; i < n; ++i) {
    const unsigned x = static_cast<unsigned>(a[i]), y = static_cast<unsigned>(b[i]);
    if ((x | y) >= 0x80) return i;
    if (x != y) {
      const unsigned fx = FoldAscii(x), fy = FoldAscii(y);
      if (fx != fy) {
        answer = fx < fy ? -1 : 1;
        return i;
      }
    }
  }
  // One is a prefix of the other (folded): the shorter sorts first.
  answer = na == nb ? 0 : na < nb ? -1 : 1;
  return i;
}

}  // namespace

int CompareCaseless(QStringView a, QStringView b) {
  int answer = 2;
  const std::size_t i = AsciiPrefix(a.utf16(), std::size_t(a.size()), b.utf16(), std::size_t(b.size()), answer);
  if (answer != 2) return answer;
  // Qt folds a character on its own (a low surrogate with the high one before it), so after
  // an ASCII prefix the rest compares as the whole would.
  return a.mid(qsizetype(i)).compare(b.mid(qsizetype(i)), Qt::CaseInsensitive);
}

int CompareCaseless(std::string_view a, std::string_view b) {
  int answer = 2;
  const std::size_t i = AsciiPrefix(a.data(), a.size(), b.data(), b.size(), answer);
  if (answer != 2) return answer;
  // An ASCII prefix is as long in UTF-16 as in UTF-8: the rests start at the same character.
  // They keep the last character of the prefix (equal once folded), so that the decoder
  // never takes a byte-order mark for the beginning of a text.
  const std::size_t da = i > 0 ? i - 1 : 0;
  const QString ra = QString::fromUtf8(a.data() + da, qsizetype(a.size() - da));
  const QString rb = QString::fromUtf8(b.data() + da, qsizetype(b.size() - da));
  return ra.compare(rb, Qt::CaseInsensitive);
}

}  // namespace qx
