// Small utilities: rounding up to a power of two (texture sizes), whole files as strings,
// a file's size, and the square-root byte table of alpha corrections.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace qx {

int NextPowerOfTwo(int n);
void WriteStringFile(const std::string& fileName, const std::string& data);
// Empty when the file does not exist.
std::string ReadStringFile(const std::string& fileName);
std::int64_t FileSizeOf(const std::string& fileName);
// Entry i = trunc(sqrt(i / 255) * 255).
const std::array<std::uint8_t, 256>& SqrtByteTable();

}  // namespace qx
