// Text of the 8-bit files (dBASE tables among them) is Windows-1252 on disk and UTF-8
// inside. One byte is one character, so widths on disk are counted in characters.
#pragma once
#include <string>
#include <string_view>

namespace qx {

// The UTF-8 text in Windows-1252. A character the code page cannot hold (and a byte
// sequence that is not UTF-8) becomes "?"; `sostituiti`, when given, says whether any did.
std::string Utf8InWindows1252(std::string_view utf8, bool* sostituiti = nullptr);

// The Windows-1252 bytes as UTF-8. Every byte has a character, so nothing is lost: the
// five bytes the code page leaves undefined read as the C1 control of the same number.
std::string Windows1252InUtf8(std::string_view cp1252);

// Whether every character of the UTF-8 text has a byte in Windows-1252.
bool RappresentabileInWindows1252(std::string_view utf8);

}  // namespace qx
