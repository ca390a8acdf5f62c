// The remaining objects of the object library: the textured rectangle TGLPlane, the
// camera-facing rectangle TGLSprite and its window-space kin TGLHUDSprite, the point cloud
// TGLPoints with its point parameters, and the two regular polyhedra.
#pragma once
#include <cstdint>
#include <string>

#include "scene/GLObjects.h"
#include "scene/GLShapeSupport.h"
#include "scene/base/VectorLists.h"

namespace qx {

enum TPlaneStyle : std::uint8_t { psSingleQuad = 1, psTileTexture = 2 };

class TGLPlane : public TGLSceneObject {
 public:
  explicit TGLPlane(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TGLPlane"; }
  // Width and Height only.
  void Assign(const TPersistent* source) override;
  float Width() const { return width_; }
  void SetWidth(float v) { Set(width_, v); }
  float Height() const { return height_; }
  void SetHeight(float v) { Set(height_, v); }
  float XOffset() const { return xOffset_; }
  void SetXOffset(float v) { Set(xOffset_, v); }
  float YOffset() const { return yOffset_; }
  void SetYOffset(float v) { Set(yOffset_, v); }
  float XScope() const { return xScope_; }
  void SetXScope(float v) { Set(xScope_, v); }
  float YScope() const { return yScope_; }
  void SetYScope(float v) { Set(yScope_, v); }
  std::uint32_t XTiles() const { return xTiles_; }
  void SetXTiles(std::uint32_t v) { Set(xTiles_, v); }
  std::uint32_t YTiles() const { return yTiles_; }
  void SetYTiles(std::uint32_t v) { Set(yTiles_, v); }
  std::uint8_t Style() const { return style_; }
  void SetStyle(std::uint8_t s) { Set(style_, s); }
  bool NoZWrite() const { return noZWrite_; }
  void SetNoZWrite(bool v) { Set(noZWrite_, v); }

  THomogeneousVector UnscaledHalfExtents() override;
  bool IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                    THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) override;
  std::unique_ptr<TGLSilhouette> BuildSilhouette(const TGLSilhouetteParameters& p) override;
  void EmitGeometry(TRenderContextInfo& rci) override;

 private:
  template <class T>
  void Set(T& field, T v) {
    SetAndRebuild(*this, field, v);
  }
  float width_ = 1, height_ = 1, xOffset_ = 0, yOffset_ = 0, xScope_ = 1, yScope_ = 1;
  std::uint32_t xTiles_ = 1, yTiles_ = 1;
  std::uint8_t style_ = psSingleQuad | psTileTexture;
  bool noZWrite_ = false;
};

// Always faces the camera, whatever the object's own orientation and scale.
class TGLSprite : public TGLSceneObject {
 public:
  explicit TGLSprite(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TGLSprite"; }
  void Assign(const TPersistent* source) override;
  float Width() const { return width_; }
  void SetWidth(float v) { Set(width_, v); }
  float Height() const { return height_; }
  void SetHeight(float v) { Set(height_, v); }
  float Rotation() const { return rotation_; }
  void SetRotation(float v) { Set(rotation_, v); }
  float AlphaChannel() const { return alphaChannel_; }
  // Clamped to 0..1.
  void SetAlphaChannel(float v);
  bool NoZWrite() const { return noZWrite_; }
  void SetNoZWrite(bool v) { Set(noZWrite_, v); }
  bool MirrorU() const { return mirrorU_; }
  void SetMirrorU(bool v) { Set(mirrorU_, v); }
  bool MirrorV() const { return mirrorV_; }
  void SetMirrorV(bool v) { Set(mirrorV_, v); }
  THomogeneousVector UnscaledHalfExtents() override;
  void EmitGeometry(TRenderContextInfo& rci) override;

 protected:
  // Drawn every frame: a change only asks for a new frame.
  template <class T>
  void Set(T& field, T v) {
    if (field == v) return;
    field = v;
    NotifyChange(this);
  }
  // Texture coordinates of the left, right, bottom and top edges.
  void TexRange(float& u0, float& u1, float& v0, float& v1) const;

 private:
  float width_ = 1, height_ = 1, rotation_ = 0, alphaChannel_ = 1;
  bool noZWrite_ = false, mirrorU_ = false, mirrorV_ = false;
};

// A textured rectangle in window pixels (Position X and Y from the top-left corner), the
// texture repeated XTiles x YTiles times.
class TGLHUDSprite : public TGLSprite {
 public:
  using TGLSprite::TGLSprite;
  std::string ClassName() const override { return "TGLHUDSprite"; }
  void Assign(const TPersistent* source) override;
  int XTiles() const { return xTiles_; }
  void SetXTiles(int v) { Set(xTiles_, v); }
  int YTiles() const { return yTiles_; }
  void SetYTiles(int v) { Set(yTiles_, v); }
  void EmitGeometry(TRenderContextInfo& rci) override;

 private:
  int xTiles_ = 1, yTiles_ = 1;
};

class TGLPointParameters : public TGLUpdateAbleObject {
 public:
  explicit TGLPointParameters(TPersistent* owner);
  std::string ClassName() const override { return "TGLPointParameters"; }
  // The three sizes and the attenuation, not Enabled; nothing from another class.
  void Assign(const TPersistent* source) override;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { Set(enabled_, v); }
  float MinSize() const { return minSize_; }
  void SetMinSize(float v) { Set(minSize_, v); }
  float MaxSize() const { return maxSize_; }
  void SetMaxSize(float v) { Set(maxSize_, v); }
  float FadeTresholdSize() const { return fadeTreshold_; }
  void SetFadeTresholdSize(float v) { Set(fadeTreshold_, v); }
  TGLCoordinates& DistanceAttenuation() { return attenuation_; }
  // The binary property "PointParams" (12 bytes: MinSize, MaxSize, FadeTresholdSize);
  // stored unless they are 0, 128 and 1.
  bool PointParamsStored() const { return minSize_ != 0 || maxSize_ != 128 || fadeTreshold_ != 1; }
  std::string WritePointParams() const;
  bool ReadPointParams(const std::string& bytes);
  // Only when enabled and the implementation has point parameters.
  void Apply();
  void UnApply();

 private:
  template <class T>
  void Set(T& field, T v) {
    field = v;
    NotifyChange(this);
  }
  bool enabled_ = false, applied_ = false;
  float minSize_ = 0, maxSize_ = 128, fadeTreshold_ = 1;
  TGLCoordinates attenuation_;
};

enum class TGLPointStyle : std::uint8_t { psSquare, psRound, psSmooth, psSmoothAdditive, psSquareAdditive };

class TGLPoints : public TGLImmaterialSceneObject {
 public:
  explicit TGLPoints(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TGLPoints"; }
  void Assign(const TPersistent* source) override;
  void NotifyChange(TObject* sender) override;
  float Size() const { return size_; }
  void SetSize(float v);
  bool SizeStored() const { return size_ != 1; }
  TGLPointStyle Style() const { return style_; }
  void SetStyle(TGLPointStyle s);
  bool NoZWrite() const { return noZWrite_; }
  void SetNoZWrite(bool v);
  // Static points are compiled into a display list; others are drawn every frame.
  bool Static() const { return !(objectStyle_ & osDirectDraw); }
  void SetStatic(bool v);
  TGLPointParameters& PointParameters() { return pointParameters_; }
  // Edited in place; StructureChanged() makes static points rebuild.
  TAffineVectorList& Positions() { return positions_; }
  TVectorList& Colors() { return colors_; }
  void SetPositions(const TAffineVectorList& l);
  void SetColors(const TVectorList& l);
  void EmitGeometry(TRenderContextInfo& rci) override;
  bool OneKindOfPrimitive() const override { return true; }  // points

 private:
  float size_ = 1;
  TGLPointStyle style_ = TGLPointStyle::psSquare;
  bool noZWrite_ = false;
  TGLPointParameters pointParameters_;
  TAffineVectorList positions_;
  TVectorList colors_;
};

class TGLDodecahedron : public TGLSceneObject {
 public:
  using TGLSceneObject::TGLSceneObject;
  std::string ClassName() const override { return "TGLDodecahedron"; }
  void EmitGeometry(TRenderContextInfo& rci) override;
  bool OneKindOfPrimitive() const override { return true; }  // fans
};

class TGLIcosahedron : public TGLSceneObject {
 public:
  using TGLSceneObject::TGLSceneObject;
  std::string ClassName() const override { return "TGLIcosahedron"; }
  void EmitGeometry(TRenderContextInfo& rci) override;
  bool OneKindOfPrimitive() const override { return true; }  // triangles
};

}  // namespace qx
