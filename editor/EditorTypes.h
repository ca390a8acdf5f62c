// Positions and modes shared by the parts of the editor.
#pragma once
#include <cstdint>

namespace qx {

// A place in the buffer: char 1 stands before the first character of the line; both 1-based.
struct TBufferCoord {
  std::int32_t Char = 0;
  std::int32_t Line = 0;
  bool operator==(const TBufferCoord&) const = default;
};

// A place on screen after tab expansion and word wrap; both 1-based.
struct TDisplayPos {
  std::int32_t Column = 0;
  std::int32_t Row = 0;
  bool operator==(const TDisplayPos&) const = default;
};

enum TSynSelectionMode : std::uint8_t { smNormal = 0, smLine = 1, smColumn = 2 };

}  // namespace qx
