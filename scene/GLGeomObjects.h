// Bodies of revolution drawn through GLU quadrics (disks, cones, cylinders, annuli), the
// torus and the pyramid frustum drawn with plain primitives, the arrow line (a shaft with a
// cone head at either end) and the polygon filled by the GLU tessellator.
//
// GLU's cylinder runs along its own +Z; the cylinder family turns it so that its axis is the
// object's local +Y. The arrow line alone keeps the local Z axis.
#pragma once
#include <cstdint>
#include <string>

#include "scene/GLObjects.h"
#include "scene/GLShapeSupport.h"

namespace qx {

// Sets of parts: bit n is element n.
enum TConePart : std::uint8_t { coSides = 1, coBottom = 2 };
enum TCylinderPart : std::uint8_t { cySides = 1, cyBottom = 2, cyTop = 4 };
enum TAnnulusPart : std::uint8_t { anInnerSides = 1, anOuterSides = 2, anBottom = 4, anTop = 8 };
enum TFrustrumPart : std::uint8_t {
  fpTop = 1,
  fpBottom = 2,
  fpFront = 4,
  fpBack = 8,
  fpLeft = 16,
  fpRight = 32
};
enum TArrowLinePart : std::uint8_t { alLine = 1, alTopArrow = 2, alBottomArrow = 4 };
enum TPolygonPart : std::uint8_t { ppTop = 1, ppBottom = 2 };
enum class TCylinderAlignment : std::uint8_t { caCenter, caTop, caBottom };
enum class TArrowHeadStackingStyle : std::uint8_t { ahssStacked, ahssCentered, ahssIncluded };

// A GLU quadric that lives for one drawing.
class TGLUQuadric {
 public:
  TGLUQuadric() : q_(gluNewQuadric()) {}
  ~TGLUQuadric() {
    if (q_) gluDeleteQuadric(q_);
  }
  TGLUQuadric(const TGLUQuadric&) = delete;
  TGLUQuadric& operator=(const TGLUQuadric&) = delete;
  GLUquadricObj* get() const { return q_; }
  explicit operator bool() const { return q_ != nullptr; }

 private:
  GLUquadricObj* q_;
};

class TGLDisk : public TGLQuadricObject {
 public:
  using TGLQuadricObject::TGLQuadricObject;
  std::string ClassName() const override { return "TGLDisk"; }
  void Assign(const TPersistent* source) override;
  float StartAngle() const { return startAngle_; }
  void SetStartAngle(float v) { Set(startAngle_, v); }
  float SweepAngle() const { return sweepAngle_; }
  void SetSweepAngle(float v) { Set(sweepAngle_, v); }
  float OuterRadius() const { return outerRadius_; }
  void SetOuterRadius(float v) { Set(outerRadius_, v); }
  float InnerRadius() const { return innerRadius_; }
  void SetInnerRadius(float v) { Set(innerRadius_, v); }
  int Slices() const { return slices_; }
  void SetSlices(int v) { Set(slices_, v); }
  int Loops() const { return loops_; }
  void SetLoops(int v) { Set(loops_, v); }

  THomogeneousVector UnscaledHalfExtents() override;
  bool IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                    THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) override;
  void EmitGeometry(TRenderContextInfo& rci) override;

 private:
  template <class T>
  void Set(T& field, T v) {
    SetAndRebuild(*this, field, v);
  }
  float startAngle_ = 0, sweepAngle_ = 360, outerRadius_ = 0.5f, innerRadius_ = 0;
  int slices_ = 16, loops_ = 2;
};

class TGLCylinderBase : public TGLQuadricObject {
 public:
  using TGLQuadricObject::TGLQuadricObject;
  std::string ClassName() const override { return "TGLCylinderBase"; }
  void Assign(const TPersistent* source) override;
  float BottomRadius() const { return bottomRadius_; }
  void SetBottomRadius(float v) { Set(bottomRadius_, v); }
  int Slices() const { return slices_; }
  void SetSlices(int v) { Set(slices_, v); }
  int Stacks() const { return stacks_; }
  void SetStacks(int v) { Set(stacks_, v); }
  int Loops() const { return loops_; }
  // Below 1: ignored.
  void SetLoops(int v);
  float Height() const { return height_; }
  void SetHeight(float v) { Set(height_, v); }
  // The radius of the top circle (the base's is the bottom radius).
  virtual float GetTopRadius() const { return bottomRadius_; }
  std::unique_ptr<TGLSilhouette> BuildSilhouette(const TGLSilhouetteParameters& p) override;

 protected:
  // The half extents of the body between the bottom and the top circle.
  THomogeneousVector RevolutionHalfExtents() const;
  template <class T>
  void Set(T& field, T v) {
    SetAndRebuild(*this, field, v);
  }

 private:
  float bottomRadius_ = 0.5f, height_ = 1;
  int slices_ = 16, stacks_ = 4, loops_ = 1;
};

class TGLCone : public TGLCylinderBase {
 public:
  using TGLCylinderBase::TGLCylinderBase;
  std::string ClassName() const override { return "TGLCone"; }
  void Assign(const TPersistent* source) override;
  std::uint8_t Parts() const { return parts_; }
  void SetParts(std::uint8_t p) { Set(parts_, p); }
  float GetTopRadius() const override { return 0; }
  THomogeneousVector UnscaledHalfExtents() override;
  void EmitGeometry(TRenderContextInfo& rci) override;

 private:
  std::uint8_t parts_ = coSides | coBottom;
};

class TGLCylinder : public TGLCylinderBase {
 public:
  using TGLCylinderBase::TGLCylinderBase;
  std::string ClassName() const override { return "TGLCylinder"; }
  void Assign(const TPersistent* source) override;
  std::uint8_t Parts() const { return parts_; }
  void SetParts(std::uint8_t p) { Set(parts_, p); }
  float TopRadius() const { return topRadius_; }
  void SetTopRadius(float v) { Set(topRadius_, v); }
  TCylinderAlignment Alignment() const { return alignment_; }
  void SetAlignment(TCylinderAlignment a) { Set(alignment_, a); }
  float GetTopRadius() const override { return topRadius_; }
  THomogeneousVector UnscaledHalfExtents() override;
  // The nearest of the caps (each with its own radius) and the side (a cone when the radii
  // differ: its radius at the hit's height).
  bool IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                    THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) override;
  void EmitGeometry(TRenderContextInfo& rci) override;

 private:
  // Local y of the bottom circle, after the alignment.
  float BottomY() const;
  std::uint8_t parts_ = cySides | cyBottom | cyTop;
  float topRadius_ = 0.5f;
  TCylinderAlignment alignment_ = TCylinderAlignment::caCenter;
};

class TGLAnnulus : public TGLCylinderBase {
 public:
  using TGLCylinderBase::TGLCylinderBase;
  std::string ClassName() const override { return "TGLAnnulus"; }
  void Assign(const TPersistent* source) override;
  std::uint8_t Parts() const { return parts_; }
  void SetParts(std::uint8_t p) { Set(parts_, p); }
  float BottomInnerRadius() const { return bottomInnerRadius_; }
  void SetBottomInnerRadius(float v) { Set(bottomInnerRadius_, v); }
  float TopInnerRadius() const { return topInnerRadius_; }
  void SetTopInnerRadius(float v) { Set(topInnerRadius_, v); }
  float TopRadius() const { return topRadius_; }
  void SetTopRadius(float v) { Set(topRadius_, v); }
  float GetTopRadius() const override { return topRadius_; }
  THomogeneousVector UnscaledHalfExtents() override;
  bool IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                    THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) override;
  void EmitGeometry(TRenderContextInfo& rci) override;

 private:
  std::uint8_t parts_ = anInnerSides | anOuterSides | anBottom | anTop;
  float bottomInnerRadius_ = 0.3f, topInnerRadius_ = 0.3f, topRadius_ = 0.5f;
};

// Axis along local Z, the ring in the XY plane.
class TGLTorus : public TGLSceneObject {
 public:
  using TGLSceneObject::TGLSceneObject;
  std::string ClassName() const override { return "TGLTorus"; }
  std::uint32_t Rings() const { return rings_; }
  // Below 2 is stored as 2.
  void SetRings(std::uint32_t v);
  std::uint32_t Sides() const { return sides_; }
  // Below 3 is stored as 3.
  void SetSides(std::uint32_t v);
  float MinorRadius() const { return minorRadius_; }
  void SetMinorRadius(float v);
  float MajorRadius() const { return majorRadius_; }
  void SetMajorRadius(float v);
  THomogeneousVector UnscaledHalfExtents() override;
  bool IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                    THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) override;
  void EmitGeometry(TRenderContextInfo& rci) override;
  bool OneKindOfPrimitive() const override { return true; }  // quad strips

 private:
  std::uint32_t rings_ = 25, sides_ = 15;
  float minorRadius_ = 0.1f, majorRadius_ = 0.4f;
};

// A four-sided pyramid cut at Height: the base lies at y = 0, the apex would be at
// ApexHeight.
class TGLFrustrum : public TGLSceneObject {
 public:
  using TGLSceneObject::TGLSceneObject;
  std::string ClassName() const override { return "TGLFrustrum"; }
  void Assign(const TPersistent* source) override;
  float ApexHeight() const { return apexHeight_; }
  // Negative: ignored. Lowers Height to it when Height is larger.
  void SetApexHeight(float v);
  float BaseDepth() const { return baseDepth_; }
  void SetBaseDepth(float v);
  float BaseWidth() const { return baseWidth_; }
  void SetBaseWidth(float v);
  float Height() const { return height_; }
  // Negative: ignored. Raises ApexHeight to it when ApexHeight is smaller.
  void SetHeight(float v);
  std::uint8_t Parts() const { return parts_; }
  void SetParts(std::uint8_t p);
  TNormalDirection NormalDirection() const { return normalDirection_; }
  void SetNormalDirection(TNormalDirection d);
  // The binary property "FrustrumSize" (16 bytes: ApexHeight, BaseDepth, BaseWidth, Height);
  // stored only when a size differs from its default (1, 1, 1, 0.5). Reading sets the four
  // fields as they stand.
  bool FrustrumSizeStored() const;
  std::string WriteFrustrumSize() const;
  bool ReadFrustrumSize(const std::string& bytes);

  THomogeneousVector UnscaledHalfExtents() override;
  void EmitGeometry(TRenderContextInfo& rci) override;
  bool OneKindOfPrimitive() const override { return true; }  // quads

 private:
  void SetSize(float& field, float v);
  float apexHeight_ = 1, baseDepth_ = 1, baseWidth_ = 1, height_ = 0.5f;
  std::uint8_t parts_ = fpTop | fpBottom | fpFront | fpBack | fpLeft | fpRight;
  TNormalDirection normalDirection_ = TNormalDirection::ndOutside;
};

// A shaft along local Z, centred on the origin, with a cone head pointing to +Z (top) and
// one to -Z (bottom).
class TGLArrowLine : public TGLCylinderBase {
 public:
  explicit TGLArrowLine(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TGLArrowLine"; }
  void Assign(const TPersistent* source) override;
  std::uint8_t Parts() const { return parts_; }
  void SetParts(std::uint8_t p) { Set(parts_, p); }
  float TopRadius() const { return topRadius_; }
  void SetTopRadius(float v) { Set(topRadius_, v); }
  float TopArrowHeadHeight() const { return topHeadHeight_; }
  void SetTopArrowHeadHeight(float v) { Set(topHeadHeight_, v); }
  float TopArrowHeadRadius() const { return topHeadRadius_; }
  void SetTopArrowHeadRadius(float v) { Set(topHeadRadius_, v); }
  float BottomArrowHeadHeight() const { return bottomHeadHeight_; }
  void SetBottomArrowHeadHeight(float v) { Set(bottomHeadHeight_, v); }
  float BottomArrowHeadRadius() const { return bottomHeadRadius_; }
  void SetBottomArrowHeadRadius(float v) { Set(bottomHeadRadius_, v); }
  TArrowHeadStackingStyle HeadStackingStyle() const { return stacking_; }
  void SetHeadStackingStyle(TArrowHeadStackingStyle s) { Set(stacking_, s); }
  void EmitGeometry(TRenderContextInfo& rci) override;

 private:
  std::uint8_t parts_ = alLine | alTopArrow;
  float topRadius_ = 0.1f, topHeadHeight_ = 0.5f, topHeadRadius_ = 0.2f, bottomHeadHeight_ = 0.5f,
        bottomHeadRadius_ = 0.2f;
  TArrowHeadStackingStyle stacking_ = TArrowHeadStackingStyle::ahssStacked;
};

// A planar polygon through its nodes, filled by the GLU tessellator: a top face and a
// bottom face wound the other way. Fewer than three distinct nodes draw nothing.
class TGLPolygon : public TGLPolygonBase {
 public:
  explicit TGLPolygon(TComponent* owner = nullptr) : TGLPolygonBase(owner) {}
  std::string ClassName() const override { return "TGLPolygon"; }
  void Assign(const TPersistent* source) override;
  std::uint8_t Parts() const { return parts_; }
  void SetParts(std::uint8_t p);
  void EmitGeometry(TRenderContextInfo& rci) override;
  bool OneKindOfPrimitive() const override { return true; }  // triangles

 private:
  std::uint8_t parts_ = ppTop | ppBottom;
};

}  // namespace qx
