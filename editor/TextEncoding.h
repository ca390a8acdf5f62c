// Conversion between the bytes of a text file and the code points the editor works on.
// A file is UTF-8 when its bytes are valid UTF-8 and Windows-1252 otherwise; it is saved
// back in the encoding it came in, so an untouched file keeps its bytes.
#pragma once
#include <string>
#include <string_view>

namespace qx {

enum class TTextEncoding : unsigned char {
  Utf8,            // valid UTF-8 (plain ASCII included)
  Utf8WithBOM,     // valid UTF-8 that starts with the byte-order mark, kept apart from the text
  Windows1252,     // any other bytes: one byte, one character
};

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// The encoding the bytes are read in.
TTextEncoding DetectEncoding(std::string_view bytes);

// Decodes bytes of the given encoding (already known to be valid for it). For
// Utf8WithBOM the mark must already have been taken off.
std::u32string Decode(std::string_view bytes, TTextEncoding encoding);

// True when every character can be written in the encoding (UTF-8 can write them all).
bool CanEncode(std::u32string_view text, TTextEncoding encoding);

// The number of bytes the text takes in the encoding.
std::size_t EncodedSize(std::u32string_view text, TTextEncoding encoding);

// Appends the bytes of the text in the encoding; a character that the encoding cannot
// write must have been ruled out with CanEncode.
void AppendEncoded(std::string& out, std::u32string_view text, TTextEncoding encoding);

// UTF-8 helpers for the callers that hold text as UTF-8 (the interpreter, the window).
// Invalid bytes decode as U+FFFD.
std::u32string FromUtf8(std::string_view utf8);
std::string ToUtf8(std::u32string_view text);

constexpr std::string_view kUtf8BOM = "\xEF\xBB\xBF";

}  // namespace qx
