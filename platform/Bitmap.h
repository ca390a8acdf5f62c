// A picture in memory: 32-bit pixels 0xAARRGGBB, row by row from the top. The canvas draws
// and stretches these; picture values keep their decoded pictures in one.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/Graphics.h"

namespace qx {

// A colour of the toolkit (red in the low byte) as an opaque 0xAARRGGBB pixel, and back.
constexpr std::uint32_t ColoreInPixel(TColor c) {
  return 0xFF000000u | (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) |
         std::uint32_t(GetBValue(c));
}
constexpr TColor PixelInColore(std::uint32_t p) {
  return RGBColor(int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF));
}

class TBitmap {
 public:
  TBitmap() = default;
  TBitmap(int width, int height, std::uint32_t fill = 0xFFFFFFFFu)
      : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0),
        pixels_(std::size_t(width_) * std::size_t(height_), fill) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  // Out of range reads give 0 and writes do nothing.
  std::uint32_t Pixel(int x, int y) const { return Dentro(x, y) ? pixels_[Indice(x, y)] : 0u; }
  void SetPixel(int x, int y, std::uint32_t argb) {
    if (Dentro(x, y)) pixels_[Indice(x, y)] = argb;
  }
  std::uint32_t* ScanLine(int y) { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
  const std::uint32_t* ScanLine(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(width_); }

  bool operator==(const TBitmap&) const = default;

 private:
  bool Dentro(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  std::size_t Indice(int x, int y) const { return std::size_t(y) * std::size_t(width_) + std::size_t(x); }

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace qx
