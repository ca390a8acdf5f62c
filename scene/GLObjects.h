// The scene objects placed most often: the group object TGLDummyCube, the box TGLCube, the
// base of quadric-like objects TGLQuadricObject, the sphere TGLSphere (drawn from its own
// strips, never through GLU's sphere), and TGLPolygonBase, the node-holding base of polygon
// objects; BuildWireframeCubeList draws a (stippled) wire box.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "scene/GLSceneObject.h"

namespace qx {

enum class TNormalSmoothing : std::uint8_t { nsFlat, nsSmooth, nsNone };
enum class TNormalDirection : std::uint8_t { ndInside, ndOutside };
enum class TCapType : std::uint8_t { ctNone, ctCenter, ctFlat };
enum TCubePart : std::uint8_t { cpTop = 1, cpBottom = 2, cpFront = 4, cpBack = 8, cpLeft = 16, cpRight = 32 };
inline constexpr std::uint8_t cpAll = cpTop | cpBottom | cpFront | cpBack | cpLeft | cpRight;
enum class TLineSplineMode : std::uint8_t {
  lsmLines,
  lsmCubicSpline,
  lsmBezierSpline,
  lsmNURBSCurve,
  lsmSegments
};

void BuildWireframeCubeList(TRenderContextInfo& rci, bool stippled, const TColorVector& color, float size);

class TGLDummyCube : public TGLCameraInvariantObject {
 public:
  explicit TGLDummyCube(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TGLDummyCube"; }
  void Assign(const TPersistent* source) override;
  float CubeSize() const { return cubeSize_; }
  void SetCubeSize(float v);
  TGLColor& EdgeColor() { return edgeColor_; }
  void SetEdgeColor(const TGLColor& c);
  bool VisibleAtRunTime() const { return visibleAtRunTime_; }
  void SetVisibleAtRunTime(bool v);
  bool Amalgamate() const { return amalgamate_; }
  void SetAmalgamate(bool v);
  // Returning false hides the object and its subtree for this frame.
  std::function<bool(TObject* sender, TRenderContextInfo& rci)> OnVisibilityDetermination;

  THomogeneousVector AbsoluteCentre() override;
  THomogeneousVector UnscaledHalfExtents() override;
  bool IntersectRay(const THomogeneousVector&, const THomogeneousVector&, THomogeneousVector*,
                    THomogeneousVector*) override {
    return false;
  }
  void EmitGeometry(TRenderContextInfo& rci) override;
  void RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
  void StructureChanged() override;
  bool HasAmalgamatedList() const { return amalgamatedList_.Handle() != 0; }

 private:
  float cubeSize_ = 1;
  TGLColor edgeColor_;
  bool visibleAtRunTime_ = false, amalgamate_ = false;
  TGLListHandle amalgamatedList_;
};

class TGLCube : public TGLSceneObject {
 public:
  explicit TGLCube(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TGLCube"; }
  void Assign(const TPersistent* source) override;
  float CubeWidth() const { return width_; }
  void SetCubeWidth(float v) { SetSize(width_, v); }
  float CubeHeight() const { return height_; }
  void SetCubeHeight(float v) { SetSize(height_, v); }
  float CubeDepth() const { return depth_; }
  void SetCubeDepth(float v) { SetSize(depth_, v); }
  std::uint8_t Parts() const { return parts_; }
  void SetParts(std::uint8_t p);
  TNormalDirection NormalDirection() const { return normalDirection_; }
  void SetNormalDirection(TNormalDirection d);
  // The binary property "CubeSize" (12 bytes: width, height, depth); stored only when a size
  // differs from 1.
  bool CubeSizeStored() const { return width_ != 1 || height_ != 1 || depth_ != 1; }
  std::string WriteCubeSize() const;
  bool ReadCubeSize(const std::string& bytes);

  THomogeneousVector UnscaledHalfExtents() override { return {width_ / 2, height_ / 2, depth_ / 2, 0}; }
  bool IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                    THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) override;
  std::unique_ptr<TGLSilhouette> BuildSilhouette(const TGLSilhouetteParameters& p) override;
  void EmitGeometry(TRenderContextInfo& rci) override;

 protected:
  // The faces among `parts`, each one quad.
  void EmitFaces(std::uint8_t parts) const;

 private:
  void SetSize(float& field, float v);
  float width_ = 1, height_ = 1, depth_ = 1;
  std::uint8_t parts_ = cpAll;
  TNormalDirection normalDirection_ = TNormalDirection::ndOutside;
};

class TGLQuadricObject : public TGLSceneObject {
 public:
  using TGLSceneObject::TGLSceneObject;
  std::string ClassName() const override { return "TGLQuadricObject"; }
  void Assign(const TPersistent* source) override;
  TNormalSmoothing Normals() const { return normals_; }
  void SetNormals(TNormalSmoothing n);
  TNormalDirection NormalDirection() const { return normalDirection_; }
  void SetNormalDirection(TNormalDirection d);
  void SetupQuadricParams(GLUquadricObj* q) const;
  void ApplyQuadricOrientation(GLUquadricObj* q) const;
  void ApplyReversedQuadricOrientation(GLUquadricObj* q) const;

 private:
  TNormalSmoothing normals_ = TNormalSmoothing::nsSmooth;
  TNormalDirection normalDirection_ = TNormalDirection::ndOutside;
};

class TGLSphere : public TGLQuadricObject {
 public:
  explicit TGLSphere(TComponent* owner = nullptr) : TGLQuadricObject(owner) {}
  std::string ClassName() const override { return "TGLSphere"; }
  void Assign(const TPersistent* source) override;
  float Radius() const { return radius_; }
  void SetRadius(float v);
  int Slices() const { return slices_; }
  // 0 or less is stored as 1.
  void SetSlices(int v);
  int Stacks() const { return stacks_; }
  void SetStacks(int v);
  int Top() const { return top_; }
  void SetTop(int v);  // -90..90
  int Bottom() const { return bottom_; }
  void SetBottom(int v);
  int Start() const { return start_; }
  // Above Stop: EAssertionFailed, nothing stored.
  void SetStart(int v);
  int Stop() const { return stop_; }
  // Below Start: EAssertionFailed, nothing stored.
  void SetStop(int v);
  TCapType TopCap() const { return topCap_; }
  void SetTopCap(TCapType c);
  TCapType BottomCap() const { return bottomCap_; }
  void SetBottomCap(TCapType c);

  THomogeneousVector UnscaledHalfExtents() override;
  bool IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                    THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) override;
  std::unique_ptr<TGLSilhouette> BuildSilhouette(const TGLSilhouetteParameters& p) override;
  void EmitGeometry(TRenderContextInfo& rci) override;
  // Strips, and fans only for caps.
  bool OneKindOfPrimitive() const override {
    const bool top = top_ < 90 && topCap_ != TCapType::ctNone;
    const bool bottom = bottom_ > -90 && bottomCap_ != TCapType::ctNone;
    return !top && !bottom;
  }

 private:
  template <class T>
  void Set(T& field, T v) {
    if (field == v) return;
    field = v;
    StructureChanged();
  }
  float radius_ = 0.5f;
  int slices_ = 16, stacks_ = 16, top_ = 90, bottom_ = -90, start_ = 0, stop_ = 360;
  TCapType topCap_ = TCapType::ctNone, bottomCap_ = TCapType::ctNone;
};

// Holds the nodes of a polygon; draws nothing itself.
class TGLPolygonBase : public TGLSceneObject {
 public:
  // A subclass chooses its node class through nodeClass.
  explicit TGLPolygonBase(TComponent* owner = nullptr, TGLNodes::TNodeFactory nodeClass = nullptr);
  std::string ClassName() const override { return "TGLPolygonBase"; }
  void Assign(const TPersistent* source) override;
  TGLNodes& Nodes() { return *nodes_; }
  void SetNodes(const TGLNodes& n);
  int Division() const { return division_; }
  // Below 1 is stored as 1.
  void SetDivision(int v);
  TLineSplineMode SplineMode() const { return splineMode_; }
  void SetSplineMode(TLineSplineMode m);
  void AddNode(const TAffineVector& v);
  void AddNode(float x, float y, float z);
  // A change of the nodes rebuilds the drawing.
  void NotifyChange(TObject* sender) override;

 private:
  std::unique_ptr<TGLNodes> nodes_;
  int division_ = 10;
  TLineSplineMode splineMode_ = TLineSplineMode::lsmLines;
};

}  // namespace qx
