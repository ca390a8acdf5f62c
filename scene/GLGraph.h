// Sampled graphs: the height field z = f(x, y) over a rectangle of the local XY plane,
// asking a handler for the height (and a colour and a texture point) at every sample, and
// the XYZ grid, a lattice of lines parallel to the axes. Both sample their axes with
// TGLSamplingScale: samples lie at Origin + k * Step between Min and Max.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "scene/GLLines.h"

namespace qx {

class TGLSamplingScale : public TGLUpdateAbleObject {
 public:
  explicit TGLSamplingScale(TPersistent* owner) : TGLUpdateAbleObject(owner) {}
  std::string ClassName() const override { return "TGLSamplingScale"; }
  void Assign(const TPersistent* source) override;
  float Min() const { return min_; }
  // Raises Max to it when Max is smaller. Every setter notifies, changed or not.
  void SetMin(float v);
  float Max() const { return max_; }
  // Lowers Min to it when Min is larger.
  void SetMax(float v);
  float Origin() const { return origin_; }
  void SetOrigin(float v);
  float Step() const { return step_; }
  // 0 or less is stored as 1.
  void SetStep(float v);
  bool HasRange() const { return max_ != min_; }
  // The first lattice point at or above Min.
  float SamplingStepBase() const;
  // (Max - Min) / Step + 0.5, rounded half to even.
  int SamplingMaxStepCount() const;
  // Sampling off gives one value, Origin.
  void SamplingBounds(float& base, float& step, float& max, bool samplingEnabled) const;

 private:
  float min_ = 0, max_ = 0, origin_ = 0, step_ = 0.1f;
};

enum THeightFieldOption : std::uint8_t { hfoTextureCoordinates = 1, hfoTwoSided = 2 };
enum class THeightFieldColorMode : std::uint8_t {
  hfcmNone,
  hfcmEmission,
  hfcmAmbient,
  hfcmDiffuse,
  hfcmAmbientAndDiffuse
};

class TGLHeightField : public TGLSceneObject {
 public:
  // z, color and texPoint come in holding what the row buffer holds and go out as the
  // handler leaves them.
  using TGetHeight =
      std::function<void(float x, float y, float& z, TColorVector& color, TTexPoint& texPoint)>;
  using TGetHeight2 = std::function<void(TObject* sender, float x, float y, float& z, TColorVector& color,
                                         TTexPoint& texPoint)>;

  explicit TGLHeightField(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TGLHeightField"; }
  void Assign(const TPersistent* source) override;
  void NotifyChange(TObject* sender) override;
  TGLSamplingScale& XSamplingScale() { return xScale_; }
  TGLSamplingScale& YSamplingScale() { return yScale_; }
  void SetXSamplingScale(const TGLSamplingScale& s) { xScale_.Assign(&s); }
  void SetYSamplingScale(const TGLSamplingScale& s) { yScale_.Assign(&s); }
  std::uint8_t Options() const { return options_; }
  void SetOptions(std::uint8_t o);
  THeightFieldColorMode ColorMode() const { return colorMode_; }
  void SetColorMode(THeightFieldColorMode m);
  const TGetHeight& OnGetHeight() const { return onGetHeight_; }
  void SetOnGetHeight(TGetHeight f);
  const TGetHeight2& OnGetHeight2() const { return onGetHeight2_; }
  void SetOnGetHeight2(TGetHeight2 f);
  // Triangles issued by the last build.
  int TriangleCount() const { return triangleCount_; }
  void EmitGeometry(TRenderContextInfo& rci) override;
  bool OneKindOfPrimitive() const override { return true; }  // strips

 private:
  TGLSamplingScale xScale_, yScale_;
  std::uint8_t options_ = hfoTwoSided;
  THeightFieldColorMode colorMode_ = THeightFieldColorMode::hfcmNone;
  TGetHeight onGetHeight_;
  TGetHeight2 onGetHeight2_;
  int triangleCount_ = 0;
};

enum TXYZGridPart : std::uint8_t { gpX = 1, gpY = 2, gpZ = 4 };
enum class TXYZGridLinesStyle : std::uint8_t { glsLine, glsSegments };

class TGLXYZGrid : public TGLLineBase {
 public:
  explicit TGLXYZGrid(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TGLXYZGrid"; }
  void Assign(const TPersistent* source) override;
  void NotifyChange(TObject* sender) override;
  TGLSamplingScale& XSamplingScale() { return xScale_; }
  TGLSamplingScale& YSamplingScale() { return yScale_; }
  TGLSamplingScale& ZSamplingScale() { return zScale_; }
  void SetXSamplingScale(const TGLSamplingScale& s) { xScale_.Assign(&s); }
  void SetYSamplingScale(const TGLSamplingScale& s) { yScale_.Assign(&s); }
  void SetZSamplingScale(const TGLSamplingScale& s) { zScale_.Assign(&s); }
  std::uint8_t Parts() const { return parts_; }
  void SetParts(std::uint8_t p);
  TXYZGridLinesStyle LinesStyle() const { return linesStyle_; }
  void SetLinesStyle(TXYZGridLinesStyle s);
  // Accepted from stored scenes: sets AntiAliased.
  void SetLinesSmoothing(bool v) { SetAntiAliased(v); }
  void EmitGeometry(TRenderContextInfo& rci) override;
  bool OneKindOfPrimitive() const override { return true; }  // line strips

 private:
  TGLSamplingScale xScale_, yScale_, zScale_;
  std::uint8_t parts_ = gpX | gpY;
  TXYZGridLinesStyle linesStyle_ = TXYZGridLinesStyle::glsSegments;
};

}  // namespace qx
