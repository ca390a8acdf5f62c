#include "scene/GLCamera.h"

#include <algorithm>
#include <cmath>

#include "scene/GLScene.h"
#include "scene/base/SceneErrors.h"

namespace qx {

// ---- TGLCamera ----
TGLCamera::TGLCamera(TComponent* owner) : TGLBaseSceneObject(owner) {
  Direction().DirectVector({0, 0, -1, 0});
  objectStyle_ |= osDirectDraw;
}

TGLCamera::~TGLCamera() {
  ComponentState |= csDestroying;
  SetTargetObject(nullptr);
  if (Scene() && Scene()->CurrentCamera == this) Scene()->CurrentCamera = nullptr;
}

void TGLCamera::Assign(const TPersistent* source) {
  if (auto* c = dynamic_cast<const TGLCamera*>(source)) {
    focalLength_ = c->focalLength_;
    depthOfView_ = c->depthOfView_;
    nearPlaneBias_ = c->nearPlaneBias_;
    style_ = c->style_;
    sceneScale_ = c->sceneScale_;
    frameRadius_ = c->frameRadius_;
    SetTargetObject(c->target_);
  }
  TGLBaseSceneObject::Assign(source);
}

void TGLCamera::Notification(TComponent* c, TOperation op) {
  if (op == TOperation::opRemove && c == target_) target_ = nullptr;
}

void TGLCamera::SetFocalLength(float v) {
  if (v <= 0) v = 1;
  if (v == focalLength_) return;
  focalLength_ = v;
  if (!IsLoading()) TransformationChanged();
  NotifyChange(this);
}

void TGLCamera::SetDepthOfView(float v) {
  if (v == depthOfView_) return;
  depthOfView_ = v;
  if (!IsLoading()) TransformationChanged();
  NotifyChange(this);
}

void TGLCamera::SetNearPlaneBias(float v) {
  if (v == 0) v = 1;
  if (v == nearPlaneBias_) return;
  nearPlaneBias_ = v;
  NotifyChange(this);
}

void TGLCamera::SetTargetObject(TGLBaseSceneObject* t) {
  if (t == target_) return;
  if (target_) target_->RemoveFreeNotification(this);
  target_ = t;
  if (target_) target_->FreeNotification(this);
  if (!IsLoading() && !IsDestroying()) {
    TransformationChanged();
    NotifyChange(this);
  }
}

void TGLCamera::SetCameraStyle(TGLCameraStyle s) {
  if (s == style_) return;
  style_ = s;
  NotifyChange(this);
}

void TGLCamera::SetSceneScale(float v) {
  if (v == 0) v = 1;
  if (v == sceneScale_) return;
  sceneScale_ = v;
  NotifyChange(this);
}

void TGLCamera::SetFrameRadius(float r) {
  if (!(r > 0)) r = 0;
  if (r == frameRadius_) return;
  frameRadius_ = r;
  NotifyChange(this);
}

float TGLCamera::EffectiveFocalLength(int width, int height, int dpi) const {
  if (!(frameRadius_ > 0) || !target_ || width < 1 || height < 1 || dpi < 1) return focalLength_;
  const THomogeneousVector d = VectorSubtract(const_cast<TGLCamera*>(this)->AbsolutePosition(),
                                              target_->AbsolutePosition());
  const float distanza = std::sqrt(d.X * d.X + d.Y * d.Y + d.Z * d.Z);
  // From inside the ball nothing fits: the focal length stays.
  if (!(distanza > frameRadius_ * 1.001f) || !std::isfinite(distanza)) return focalLength_;
  // The ball is seen under a half-angle whose tangent is r / sqrt(d^2 - r^2); the view's
  // half-angle on its side D has the tangent D * 25.4 / (4 * f * dpi) (see below).
  const float tangente = frameRadius_ / std::sqrt(distanza * distanza - frameRadius_ * frameRadius_);
  return float(std::min(width, height)) * 25.4f / (4 * float(dpi) * tangente);
}

void TGLCamera::ApplyProjection(const TRectangle& vp, int width, int height, int dpi) {
  if (width < 1 || height < 1) return;
  const float W = float(width), H = float(height);
  const float M = std::max(W, H);
  switch (style_) {
    case TGLCameraStyle::csOrtho2D:
      gluOrtho2D(0, width, 0, height);
      nearPlane_ = -1;
      viewPortRadius_ = std::sqrt(W * W + H * H) / 2;
      return;
    case TGLCameraStyle::csCustom:
      viewPortRadius_ = std::sqrt(W * W + H * H) / 2;
      if (OnCustomPerspective) OnCustomPerspective(vp, width, height, dpi, viewPortRadius_);
      return;
    default:
      break;
  }
  float fx, fy;
  if (style_ == TGLCameraStyle::csOrthogonal) {
    fx = 100 * nearPlaneBias_ / (W * focalLength_ * sceneScale_);
    fy = 100 * nearPlaneBias_ / (H * focalLength_ * sceneScale_);
  } else {
    fx = nearPlaneBias_ / (W * sceneScale_);
    fy = nearPlaneBias_ / (H * sceneScale_);
  }
  const float x = float(vp.Left), y = float(vp.Top), w = float(vp.Width), h = float(vp.Height);
  const float right = (2 * x + 2 * w - W) * fx * W / (2 * M);
  const float left = -(W - 2 * x) * fx * W / (2 * M);
  const float top = (2 * y + 2 * h - H) * fy * H / (2 * M);
  const float bottom = -(H - 2 * y) * fy * H / (2 * M);
  nearPlane_ = EffectiveFocalLength(width, height, dpi) * 2 * float(dpi) / (25.4f * M) * nearPlaneBias_;
  const float farPlane = nearPlane_ + depthOfView_;
  switch (style_) {
    case TGLCameraStyle::csPerspective:
      glFrustum(left, right, bottom, top, nearPlane_, farPlane);
      break;
    case TGLCameraStyle::csOrthogonal:
      glOrtho(left, right, bottom, top, nearPlane_, farPlane);
      break;
    case TGLCameraStyle::csInfinitePerspective: {
      const float e = 1e-4f;
      TMatrix m = IdentityHmgMatrix;
      m[0][0] = 2 * nearPlane_ / (right - left);
      m[1][1] = 2 * nearPlane_ / (top - bottom);
      m[2][0] = (right + left) / (right - left);
      m[2][1] = (top + bottom) / (top - bottom);
      m[2][2] = e - 1;
      m[2][3] = -1;
      m[3][2] = (e - 2) * nearPlane_;
      m[3][3] = 0;
      glMultMatrixf(m.data());
      break;
    }
    default:
      throw EAssertionFailed();
  }
  viewPortRadius_ = std::sqrt(top * top + right * right) / nearPlane_;
}

void TGLCamera::ApplyView() {
  if (OnCustomView) {
    OnCustomView(this);
  } else if (target_) {
    const THomogeneousVector eye = AbsolutePosition(), centre = target_->AbsolutePosition();
    lastDirection_ = VectorNormalize(VectorSubtract(centre, eye));
    const THomogeneousVector up = Up().AsVector();
    gluLookAt(eye.X, eye.Y, eye.Z, centre.X, centre.Y, centre.Z, up.X, up.Y, up.Z);
  } else {
    const TMatrix& p = Parent() ? Parent()->AbsoluteMatrix() : IdentityHmgMatrix;
    const THomogeneousVector eye = AbsolutePosition();
    const THomogeneousVector d = VectorTransform(Direction().AsVector(), p);
    const THomogeneousVector u = VectorTransform(Up().AsVector(), p);
    lastDirection_ = d;
    gluLookAt(eye.X, eye.Y, eye.Z, eye.X + d.X, eye.Y + d.Y, eye.Z + d.Z, u.X, u.Y, u.Z);
  }
}

void TGLCamera::MoveAroundTarget(float pitchDelta, float turnDelta) {
  MoveObjectAround(target_, pitchDelta, turnDelta);
}

float TGLCamera::GetFieldOfView(float dim) const {
  if (focalLength_ == 0) return 0;
  return float(2 * std::atan((dim / 2) / (long double)focalLength_) * c180divPIL);
}

void TGLCamera::SetFieldOfView(float angle, float dim) {
  SetFocalLength(float(dim / (2 * std::tan(DegToRad((long double)angle) / 2))));
}

void TGLCamera::RenderSelf(TRenderContextInfo& rci, bool, bool renderChildren) {
  if (renderChildren && Count() > 0) RenderChildRange(0, Count() - 1, rci);
}

// ---- TGLLightSource ----
TGLLightSource::TGLLightSource(TComponent* owner)
    : TGLBaseSceneObject(owner),
      spotDirection_(this, THomogeneousVector{0, 0, -1, 0}, csVectorStyle),
      ambient_(this, clrBlack),
      diffuse_(this, clrWhite),
      specular_(this, clrBlack) {
  objectStyle_ |= osDirectDraw;
}

TGLLightSource::~TGLLightSource() {
  if (Scene()) Scene()->RemoveLight(this);
}

void TGLLightSource::Assign(const TPersistent* source) {
  if (auto* l = dynamic_cast<const TGLLightSource*>(source)) {
    spotDirection_.DirectVector(l->spotDirection_.AsVector());
    spotExponent_ = l->spotExponent_;
    spotCutOff_ = l->spotCutOff_;
    constAttenuation_ = l->constAttenuation_;
    linearAttenuation_ = l->linearAttenuation_;
    quadraticAttenuation_ = l->quadraticAttenuation_;
    shining_ = l->shining_;
    ambient_.DirectColor(l->ambient_.Color());
    diffuse_.DirectColor(l->diffuse_.Color());
    specular_.DirectColor(l->specular_.Color());
    lightStyle_ = l->lightStyle_;
  }
  TGLBaseSceneObject::Assign(source);
}

void TGLLightSource::CoordinatesChanged(TGLCoordinates* sender) {
  if (sender == &spotDirection_) {
    TransformationChanged();
    NotifyChange(this);
    return;
  }
  TGLBaseSceneObject::CoordinatesChanged(sender);
}

void TGLLightSource::SetSpotDirection(const TAffineVector& v) {
  spotDirection_.DirectVector(VectorFromAffine(v, 0));
  TransformationChanged();
  NotifyChange(this);
}

void TGLLightSource::SetSpotCutOff(float v) {
  if (!((v >= 0 && v <= 90) || v == 180)) return;
  if (v == spotCutOff_) return;
  spotCutOff_ = v;
  NotifyChange(this);
}

void TGLLightSource::Set(float& field, float v) {
  if (field == v) return;
  field = v;
  NotifyChange(this);
}

void TGLLightSource::SetShining(bool v) {
  if (v == shining_) return;
  shining_ = v;
  NotifyChange(this);
}

void TGLLightSource::SetLightStyle(TLightStyle s) {
  if (s == lightStyle_) return;
  lightStyle_ = s;
  NotifyChange(this);
}

void TGLLightSource::RenderSelf(TRenderContextInfo& rci, bool, bool renderChildren) {
  if (renderChildren && Count() > 0) RenderChildRange(0, Count() - 1, rci);
}

}  // namespace qx
