// Solids swept from a profile: the revolution solid turns its node profile about the local
// Y axis (climbing like a helix when asked), the extrusion solid pushes the outline of a
// multi-polygon along +Z, and the pipe runs a circular section of varying radius and
// colour along its node path.
#pragma once
#include <cstdint>
#include <string>

#include "scene/GLMultiPolygon.h"
#include "scene/GLShapeSupport.h"

namespace qx {

enum TRevolutionSolidPart : std::uint8_t {
  rspOutside = 1,
  rspInside = 2,
  rspStartPolygon = 4,
  rspStopPolygon = 8
};
enum TExtrusionSolidPart : std::uint8_t {
  espOutside = 1,
  espInside = 2,
  espStartPolygon = 4,
  espStopPolygon = 8
};
enum TPipePart : std::uint8_t { ppOutside = 1, ppInside = 2, ppStartDisk = 4, ppStopDisk = 8 };
enum class TPipeNodesColorMode : std::uint8_t {
  pncmNone,
  pncmEmission,
  pncmAmbient,
  pncmDiffuse,
  pncmAmbientAndDiffuse
};

class TGLRevolutionSolid : public TGLPolygonBase {
 public:
  explicit TGLRevolutionSolid(TComponent* owner = nullptr) : TGLPolygonBase(owner) {}
  std::string ClassName() const override { return "TGLRevolutionSolid"; }
  void Assign(const TPersistent* source) override;
  int Slices() const { return slices_; }
  // Steps per full turn; 0 or less is ignored.
  void SetSlices(int v);
  float StartAngle() const { return startAngle_; }
  // Raises StopAngle to it when StopAngle is smaller.
  void SetStartAngle(float v);
  float StopAngle() const { return stopAngle_; }
  // Lowers StartAngle to it when StartAngle is larger.
  void SetStopAngle(float v);
  TNormalSmoothing Normals() const { return normals_; }
  void SetNormals(TNormalSmoothing n) { Set(normals_, n); }
  float YOffsetPerTurn() const { return yOffsetPerTurn_; }
  void SetYOffsetPerTurn(float v) { Set(yOffsetPerTurn_, v); }
  TNormalDirection NormalDirection() const { return normalDirection_; }
  void SetNormalDirection(TNormalDirection d) { Set(normalDirection_, d); }
  std::uint8_t Parts() const { return parts_; }
  void SetParts(std::uint8_t p) { Set(parts_, p); }
  // Triangles of the swept surface in the last build.
  int TriangleCount() const { return triangleCount_; }
  void EmitGeometry(TRenderContextInfo& rci) override;

 private:
  template <class T>
  void Set(T& field, T v) {
    SetAndRebuild(*this, field, v);
  }
  void EmitCap(float angle, bool start);
  int slices_ = 16;
  float startAngle_ = 0, stopAngle_ = 360;
  TNormalSmoothing normals_ = TNormalSmoothing::nsFlat;
  float yOffsetPerTurn_ = 0;
  int triangleCount_ = 0;
  TNormalDirection normalDirection_ = TNormalDirection::ndOutside;
  std::uint8_t parts_ = rspOutside;
};

class TGLExtrusionSolid : public TMultiPolygonBase {
 public:
  explicit TGLExtrusionSolid(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TGLExtrusionSolid"; }
  void Assign(const TPersistent* source) override;
  int Stacks() const { return stacks_; }
  // 0 or less is ignored.
  void SetStacks(int v);
  TNormalSmoothing Normals() const { return normals_; }
  void SetNormals(TNormalSmoothing n) { Set(normals_, n); }
  TNormalDirection NormalDirection() const { return normalDirection_; }
  void SetNormalDirection(TNormalDirection d) { Set(normalDirection_, d); }
  std::uint8_t Parts() const { return parts_; }
  void SetParts(std::uint8_t p) { Set(parts_, p); }
  float Height() const { return height_; }
  void SetHeight(float v) { Set(height_, v); }
  float MinSmoothAngle() const { return minSmoothAngle_; }
  // Stores the angle and its cosine; the drawing is not rebuilt.
  void SetMinSmoothAngle(float degrees);
  // Triangles of the sides in the last build.
  int TriangleCount() const { return triangleCount_; }
  void EmitGeometry(TRenderContextInfo& rci) override;

 private:
  template <class T>
  void Set(T& field, T v) {
    SetAndRebuild(*this, field, v);
  }
  int stacks_ = 1;
  TNormalSmoothing normals_ = TNormalSmoothing::nsFlat;
  int triangleCount_ = 0;
  TNormalDirection normalDirection_ = TNormalDirection::ndOutside;
  std::uint8_t parts_ = espOutside;
  float height_ = 1, minSmoothAngle_ = 5, cosMinSmoothAngle_;
};

class TGLPipeNode : public TGLNode {
 public:
  explicit TGLPipeNode(TGLNodes* collection);
  std::string ClassName() const override { return "TGLPipeNode"; }
  // RadiusFactor and the coordinates, not the colour.
  void Assign(const TPersistent* source) override;
  float RadiusFactor() const { return radiusFactor_; }
  void SetRadiusFactor(float f);
  bool RadiusFactorStored() const { return radiusFactor_ != 1; }
  TGLColor& Color() { return color_; }
  const TGLColor& Color() const { return color_; }
  void SetColor(const TGLColor& c) { color_.Assign(&c); }
  // "x; y; z / rf = f"
  std::string PipeDisplayName() const;

 private:
  float radiusFactor_ = 1;
  TGLColor color_;
};

// The nodes of a pipe.
using TGLPipeNodes = TGLNodes;

class TGLPipe : public TGLPolygonBase {
 public:
  explicit TGLPipe(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TGLPipe"; }
  void Assign(const TPersistent* source) override;
  TGLPipeNode* Node(int i) { return static_cast<TGLPipeNode*>(Nodes()[i]); }
  int Slices() const { return slices_; }
  // 0 or less is ignored.
  void SetSlices(int v);
  std::uint8_t Parts() const { return parts_; }
  void SetParts(std::uint8_t p) { Set(parts_, p); }
  float Radius() const { return radius_; }
  void SetRadius(float v) { Set(radius_, v); }
  TPipeNodesColorMode NodesColorMode() const { return colorMode_; }
  void SetNodesColorMode(TPipeNodesColorMode m) { Set(colorMode_, m); }
  int TriangleCount() const { return triangleCount_; }
  void EmitGeometry(TRenderContextInfo& rci) override;

 private:
  template <class T>
  void Set(T& field, T v) {
    SetAndRebuild(*this, field, v);
  }
  int slices_ = 16;
  std::uint8_t parts_ = ppOutside;
  int triangleCount_ = 0;
  float radius_ = 1;
  TPipeNodesColorMode colorMode_ = TPipeNodesColorMode::pncmNone;
};

}  // namespace qx
