#include "scene/GLColor.h"

#include <cstring>

namespace qx {

namespace {
// The desktop's classic default system colours, in the toolkit's order (scroll bar,
// background, active caption, ..., info background).
constexpr TColor kSystemColors[25] = {
    RGBColor(200, 200, 200), RGBColor(58, 110, 165),  RGBColor(10, 36, 106),   RGBColor(128, 128, 128),
    RGBColor(212, 208, 200), RGBColor(255, 255, 255), RGBColor(0, 0, 0),       RGBColor(0, 0, 0),
    RGBColor(0, 0, 0),       RGBColor(255, 255, 255), RGBColor(212, 208, 200), RGBColor(212, 208, 200),
    RGBColor(128, 128, 128), RGBColor(10, 36, 106),   RGBColor(255, 255, 255), RGBColor(212, 208, 200),
    RGBColor(128, 128, 128), RGBColor(128, 128, 128), RGBColor(0, 0, 0),       RGBColor(212, 208, 200),
    RGBColor(255, 255, 255), RGBColor(64, 64, 64),    RGBColor(212, 208, 200), RGBColor(0, 0, 0),
    RGBColor(255, 255, 225)};
}  // namespace

TColor GetRGBColor(TColor color) {
  if (color < 0) {
    const int index = color & 0xFF;
    return index < 25 ? kSystemColors[index] : clBlack;
  }
  return color;
}

TColorVector ColorToVector(TColor color, float alpha) {
  const TColor c = GetRGBColor(color);
  return {float(c & 255) / 255.0f, float((c >> 8) & 255) / 255.0f, float((c >> 16) & 255) / 255.0f, alpha};
}

const TColorVector& SystemColorVector(int index) {
  static TColorVector table[25];
  static bool ready = false;
  if (!ready) {
    for (int i = 0; i < 25; ++i) table[i] = ColorToVector(kSystemColors[i], 1.0f);
    ready = true;
  }
  return table[index < 0 || index > 24 ? 0 : index];
}

void TGLColor::Assign(const TPersistent* source) {
  if (auto* c = dynamic_cast<const TGLColor*>(source)) {
    color_ = c->color_;
    NotifyChange(this);
    return;
  }
  TGLUpdateAbleObject::Assign(source);
}

void TGLColor::NotifyChange(TObject* sender) {
  if (UpdateCounter() == 0)
    if (auto* s = dynamic_cast<TGLStructureListener*>(Owner())) s->StructureChanged();
  TGLUpdateAbleObject::NotifyChange(sender);
}

void TGLColor::SetColor(const TColorVector& c) {
  color_ = c;
  NotifyChange(this);
}

void TGLColor::SetColorComponent(int index, float value) {
  if (color_[index] == value) return;
  color_[index] = value;
  NotifyChange(this);
}

void TGLColor::SetAsWinColor(TColor c) {
  color_ = ColorToVector(c, 1.0f);
  NotifyChange(this);
}

void TGLColor::SetRGBA(float r, float g, float b, float a) {
  color_ = {r, g, b, a};
  NotifyChange(this);
}

bool TGLColor::IsDefault() const { return VectorEquals(color_, default_); }

std::string TGLColor::WriteData() const {
  std::string s(16, '\0');
  std::memcpy(s.data(), &color_.X, 16);
  return s;
}

bool TGLColor::ReadData(const std::string& bytes) {
  if (bytes.size() != 16) return false;
  std::memcpy(&color_.X, bytes.data(), 16);
  return true;
}

}  // namespace qx
