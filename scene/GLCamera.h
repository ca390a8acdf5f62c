// The camera (style and lens give the projection; position and its target object or its own
// direction give the view) and the light sources, which the render pass turns into OpenGL
// lights.
#pragma once
#include <functional>

#include "scene/GLSceneObject.h"

namespace qx {

enum class TGLCameraStyle : std::uint8_t {
  csPerspective,
  csOrthogonal,
  csOrtho2D,
  csCustom,
  csInfinitePerspective
};

struct TRectangle {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

class TGLCamera : public TGLBaseSceneObject {
 public:
  explicit TGLCamera(TComponent* owner = nullptr);
  ~TGLCamera() override;
  std::string ClassName() const override { return "TGLCamera"; }
  void Assign(const TPersistent* source) override;
  void Notification(TComponent* c, TOperation op) override;

  float FocalLength() const { return focalLength_; }
  // 0 or less is stored as 1.
  void SetFocalLength(float v);
  float DepthOfView() const { return depthOfView_; }
  void SetDepthOfView(float v);
  float NearPlane() const { return nearPlane_; }
  float NearPlaneBias() const { return nearPlaneBias_; }
  // 0 is stored as 1.
  void SetNearPlaneBias(float v);
  float ViewPortRadius() const { return viewPortRadius_; }
  TGLBaseSceneObject* TargetObject() const { return target_; }
  void SetTargetObject(TGLBaseSceneObject* t);
  TGLCameraStyle CameraStyle() const { return style_; }
  void SetCameraStyle(TGLCameraStyle s);
  float SceneScale() const { return sceneScale_; }
  // 0 is stored as 1.
  void SetSceneScale(float v);
  // With a radius above 0 a perspective camera that has a target ignores its focal length
  // and takes the one with which a ball of that radius about the target just fits the
  // shorter side of the view, whatever the view's size and shape; SceneScale still zooms
  // from there. 0 (the default) keeps the focal length.
  float FrameRadius() const { return frameRadius_; }
  void SetFrameRadius(float r);
  // The focal length that the projection uses for a view of this size.
  float EffectiveFocalLength(int width, int height, int dpi) const;
  const THomogeneousVector& LastDirection() const { return lastDirection_; }
  std::function<void(TObject* sender)> OnCustomView;
  std::function<void(const TRectangle& viewport, int width, int height, int dpi, float& viewPortRadius)>
      OnCustomPerspective;

  // Multiplies the projection into the current OpenGL matrix; nothing for a width or
  // height below 1.
  void ApplyProjection(const TRectangle& viewport, int width, int height, int dpi);
  void ApplyView();
  void MoveAroundTarget(float pitchDelta, float turnDelta);
  float GetFieldOfView(float viewportDimension) const;
  void SetFieldOfView(float angle, float viewportDimension);

  bool IntersectRay(const THomogeneousVector&, const THomogeneousVector&, THomogeneousVector*,
                    THomogeneousVector*) override {
    return false;
  }
  void RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;

 private:
  float focalLength_ = 50, depthOfView_ = 100, nearPlane_ = 0, nearPlaneBias_ = 1, viewPortRadius_ = 0;
  TGLBaseSceneObject* target_ = nullptr;
  THomogeneousVector lastDirection_{0, 0, -1, 0};
  TGLCameraStyle style_ = TGLCameraStyle::csPerspective;
  float sceneScale_ = 1;
  float frameRadius_ = 0;
};

enum class TLightStyle : std::uint8_t { lsSpot, lsOmni, lsParallel };

class TGLLightSource : public TGLBaseSceneObject {
 public:
  explicit TGLLightSource(TComponent* owner = nullptr);
  ~TGLLightSource() override;
  std::string ClassName() const override { return "TGLLightSource"; }
  void Assign(const TPersistent* source) override;
  void CoordinatesChanged(TGLCoordinates* sender) override;

  // GL_LIGHT0 + the scene's slot, or 0 without a slot.
  GLenum LightID() const { return lightId_; }
  void SetLightID(GLenum id) { lightId_ = id; }
  TGLCoordinates& SpotDirection() { return spotDirection_; }
  // W is forced to 0.
  void SetSpotDirection(const TAffineVector& v);
  float SpotExponent() const { return spotExponent_; }
  void SetSpotExponent(float v) { Set(spotExponent_, v); }
  float SpotCutOff() const { return spotCutOff_; }
  // Only 0..90 and exactly 180 are accepted; other values are ignored.
  void SetSpotCutOff(float v);
  float ConstAttenuation() const { return constAttenuation_; }
  void SetConstAttenuation(float v) { Set(constAttenuation_, v); }
  float LinearAttenuation() const { return linearAttenuation_; }
  void SetLinearAttenuation(float v) { Set(linearAttenuation_, v); }
  float QuadraticAttenuation() const { return quadraticAttenuation_; }
  void SetQuadraticAttenuation(float v) { Set(quadraticAttenuation_, v); }
  bool Shining() const { return shining_; }
  void SetShining(bool v);
  TGLColor& Ambient() { return ambient_; }
  TGLColor& Diffuse() { return diffuse_; }
  TGLColor& Specular() { return specular_; }
  TLightStyle LightStyle() const { return lightStyle_; }
  void SetLightStyle(TLightStyle s);

  bool IntersectRay(const THomogeneousVector&, const THomogeneousVector&, THomogeneousVector*,
                    THomogeneousVector*) override {
    return false;
  }
  void RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;

 private:
  void Set(float& field, float v);
  GLenum lightId_ = 0;
  TGLCoordinates spotDirection_;
  float spotExponent_ = 0, spotCutOff_ = 180, constAttenuation_ = 1, linearAttenuation_ = 0,
        quadraticAttenuation_ = 0;
  bool shining_ = true;
  TGLColor ambient_, diffuse_, specular_;
  TLightStyle lightStyle_ = TLightStyle::lsSpot;
};

}  // namespace qx
