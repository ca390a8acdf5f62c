// Character classes of the editor's word operations, on code points.
#pragma once
#include <bitset>

namespace qx {

// A set of the characters 0..255; characters above 255 are never in it.
using TSynCharSet = std::bitset<256>;

inline bool InCharSet(const TSynCharSet& set, char32_t c) { return c < 256 && set.test(c); }

// Identifier characters of word operations: the digits, "_" and every letter of any
// script, accented letters included.
bool IsDefaultIdentChar(char32_t c);

// The initial word-break characters: ! " ' ( ) * + , - . / : ; = ? [ \ ] ^ { | }
TSynCharSet DefaultWordBreakChars();

}  // namespace qx
