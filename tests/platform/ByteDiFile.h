// The whole content of a file as bytes, and a file written from bytes: what the table tests
// compare before and after an edit.
#pragma once
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace qx::test {

inline std::string LeggiByte(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void ScriviByte(const std::filesystem::path& p, const std::string& b) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << b;
}

}  // namespace qx::test
