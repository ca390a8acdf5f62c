// Colours of the scene graph: the conversion of a toolkit colour number to a colour vector
// (red, green, blue, alpha as singles 0..1) and TGLColor, the colour sub-object of
// materials, lights and edges.
#pragma once
#include <string>

#include "platform/Graphics.h"
#include "scene/GLBaseClasses.h"
#include "scene/base/VectorGeometry.h"

namespace qx {

inline constexpr TColorVector clrBlack{0, 0, 0, 1}, clrGray20{0.2f, 0.2f, 0.2f, 1},
    clrGray80{0.8f, 0.8f, 0.8f, 1}, clrWhite{1, 1, 1, 1}, clrBlue{0, 0, 1, 1}, clrTransparent{0, 0, 0, 0};

// The toolkit's system colours (clBtnFace and its kind, 0xFF000000 + index) as the desktop's
// defaults; other values pass through. Red, green and blue are bits 0-7, 8-15 and 16-23.
TColor GetRGBColor(TColor color);
TColorVector ColorToVector(TColor color, float alpha = 1.0f);
// The 25 system colours as vectors with alpha 1.
const TColorVector& SystemColorVector(int index);

// An owner that needs to rebuild its drawing when a colour changes implements this.
class TGLStructureListener {
 public:
  virtual ~TGLStructureListener() = default;
  virtual void StructureChanged() = 0;
};

class TGLColor : public TGLUpdateAbleObject {
 public:
  explicit TGLColor(TPersistent* owner, const TColorVector& initial = clrBlack)
      : TGLUpdateAbleObject(owner), color_(initial), default_(initial) {}
  std::string ClassName() const override { return "TGLColor"; }
  void Assign(const TPersistent* source) override;
  // A scene object that owns the colour rebuilds its drawing first.
  void NotifyChange(TObject* sender) override;

  const TColorVector& Color() const { return color_; }
  // Always notifies.
  void SetColor(const TColorVector& c);
  float Red() const { return color_.X; }
  float Green() const { return color_.Y; }
  float Blue() const { return color_.Z; }
  float Alpha() const { return color_.W; }
  // Notifies only when the value differs.
  void SetColorComponent(int index, float value);
  void SetRed(float v) { SetColorComponent(0, v); }
  void SetGreen(float v) { SetColorComponent(1, v); }
  void SetBlue(float v) { SetColorComponent(2, v); }
  void SetAlpha(float v) { SetColorComponent(3, v); }
  void SetAsWinColor(TColor c);
  void SetRGBA(float r, float g, float b, float a);
  void DirectColor(const TColorVector& c) { color_ = c; }
  const float* AsAddress() const { return &color_.X; }
  bool IsDefault() const;
  // The binary property "Color": 16 bytes red, green, blue, alpha; reading notifies nobody.
  std::string WriteData() const;
  bool ReadData(const std::string& bytes);

 private:
  TColorVector color_;
  TColorVector default_;
};

}  // namespace qx
