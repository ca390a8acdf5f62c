#include "editor/CharClasses.h"

#include <locale.h>
#include <wctype.h>

#include <string_view>

namespace qx {

namespace {

// The C.UTF-8 locale classifies every Unicode letter and is built into the C library;
// it is asked for once and kept for the life of the program.
locale_t UnicodeLocale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return locale;
}

bool IsLatin1Letter(char32_t c) {
  return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || c == 0xAA || c == 0xB5 || c == 0xBA ||
         (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7);
}

}  // namespace

bool IsDefaultIdentChar(char32_t c) {
  if (c == U'_' || (c >= U'0' && c <= U'9')) return true;
  if (c < 0x80) return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
  if (c > 0x10FFFF) return false;
  const locale_t locale = UnicodeLocale();
  if (locale == static_cast<locale_t>(nullptr)) return IsLatin1Letter(c);
  return iswalpha_l(static_cast<wint_t>(c), locale) != 0;
}

TSynCharSet DefaultWordBreakChars() {
  TSynCharSet set;
  for (char c : std::string_view("!\"'()*+,-./:;=?[\\]^{|}")) set.set(static_cast<unsigned char>(c));
  return set;
}

}  // namespace qx
