#include "scene/base/GLUtils.h"

#include <cmath>

#include "scene/base/PersistentClasses.h"

namespace qx {

int NextPowerOfTwo(int n) {
  if (n < 2) return 1;
  int p = 1;
  while (p < n && p < (1 << 30)) p <<= 1;
  return p;
}

void WriteStringFile(const std::string& fileName, const std::string& data) {
  auto s = OpenDataStream(fileName, TFileMode::fmCreate);
  if (!data.empty()) s->Write(data.data(), data.size());
}

std::string ReadStringFile(const std::string& fileName) {
  if (!DataStreamExists(fileName)) return {};
  auto s = OpenDataStream(fileName, TFileMode::fmOpenRead);
  std::string data(std::size_t(s->Size()), '\0');
  data.resize(s->Read(data.data(), data.size()));
  return data;
}

std::int64_t FileSizeOf(const std::string& fileName) {
  if (!DataStreamExists(fileName)) return 0;
  return OpenDataStream(fileName, TFileMode::fmOpenRead)->Size();
}

const std::array<std::uint8_t, 256>& SqrtByteTable() {
  static std::array<std::uint8_t, 256> table{};
  if (table[255] != 255)
    for (int i = 0; i < 256; ++i)
      table[std::size_t(i)] = std::uint8_t(std::trunc(std::sqrt(i / 255.0) * 255));
  return table;
}

}  // namespace qx
