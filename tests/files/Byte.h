// Bytes written as hexadecimal text ("02 7F"), so that tests show exact bytes.
#pragma once
#include <cstdio>
#include <string>

namespace qx::test {

inline std::string Byte(const std::string& hex) {
  std::string r;
  unsigned v = 0;
  int cifre = 0;
  for (const char c : hex) {
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    if (d < 0) continue;
    v = v * 16 + static_cast<unsigned>(d);
    if (++cifre == 2) {
      r += static_cast<char>(v);
      v = 0;
      cifre = 0;
    }
  }
  return r;
}

inline std::string Hex(const std::string& b) {
  std::string r;
  char buf[4];
  for (const char c : b) {
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(c));
    if (!r.empty()) r += ' ';
    r += buf;
  }
  return r;
}

// A short string as the stream writes it: its length in one byte, then its bytes.
inline std::string Corto(const std::string& s) { return std::string(1, static_cast<char>(s.size())) + s; }

}  // namespace qx::test
