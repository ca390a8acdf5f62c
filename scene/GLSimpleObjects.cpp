#include "scene/GLSimpleObjects.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "scene/GLBitmapFont.h"
#include "scene/GLLines.h"
#include "scene/GLRegistry.h"
#include "scene/GLScene.h"
#include "scene/GLShapeSupport.h"
#include "scene/GLState.h"
#include "scene/XOpenGL.h"

namespace qx {

// ---- TGLPlane ----
TGLPlane::TGLPlane(TComponent* owner) : TGLSceneObject(owner) { objectStyle_ |= osDirectDraw; }

void TGLPlane::Assign(const TPersistent* source) {
  if (auto* p = dynamic_cast<const TGLPlane*>(source)) {
    width_ = p->width_;
    height_ = p->height_;
  }
  TGLSceneObject::Assign(source);
}

THomogeneousVector TGLPlane::UnscaledHalfExtents() {
  return {std::fabs(width_) / 2, std::fabs(height_) / 2, 0, 0};
}

void TGLPlane::EmitGeometry(TRenderContextInfo&) {
  glNormal3f(0, 0, 1);
  float s0 = 0, t0 = 0, s1 = xScope_, t1 = yScope_;
  if (style_ & psTileTexture) {
    s0 = xOffset_;
    t0 = yOffset_;
    s1 = float(xTiles_) * xScope_ + xOffset_;
    t1 = float(yTiles_) * yScope_ + yOffset_;
  }
  if (noZWrite_) glDepthMask(GL_FALSE);
  const float w = width_ / 2, h = height_ / 2;
  if (style_ & psSingleQuad) {
    glBegin(GL_QUADS);
    xgl.TexCoord2f(s1, t1);
    glVertex2f(w, h);
    xgl.TexCoord2f(s0, t1);
    glVertex2f(-w, h);
    xgl.TexCoord2f(s0, t0);
    glVertex2f(-w, -h);
    xgl.TexCoord2f(s1, t0);
    glVertex2f(w, -h);
    glEnd();
  } else {
    // No tiles would leave no cell: one cell stands in.
    const std::uint32_t nx = std::max<std::uint32_t>(xTiles_, 1), ny = std::max<std::uint32_t>(yTiles_, 1);
    for (std::uint32_t r = 0; r < ny; ++r) {
      const float yLow = float(r) * height_ / float(ny) - h, yHigh = float(r + 1) * height_ / float(ny) - h;
      const float tLow = t0 + float(r) * (t1 - t0) / float(ny),
                  tHigh = t0 + float(r + 1) * (t1 - t0) / float(ny);
      glBegin(GL_TRIANGLE_STRIP);
      for (std::uint32_t i = 0; i <= nx; ++i) {
        const float x = float(i) * width_ / float(nx) - w, s = s0 + float(i) * (s1 - s0) / float(nx);
        xgl.TexCoord2f(s, tHigh);
        glVertex2f(x, yHigh);
        xgl.TexCoord2f(s, tLow);
        glVertex2f(x, yLow);
      }
      glEnd();
    }
  }
  if (noZWrite_) glDepthMask(GL_TRUE);
}

bool TGLPlane::IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                            THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) {
  const TLocalRay r = ToLocalRay(*this, rayStart, rayVector);
  const bool fromFront = r.start.Z >= 0;
  if (!((fromFront && r.dir.Z < 0) || (!fromFront && r.dir.Z > 0))) return false;
  TAffineVector hit = r.start;
  CombineVector(hit, r.dir, -r.start.Z / r.dir.Z);
  if (std::fabs(hit.X) > width_ / 2 || std::fabs(hit.Y) > height_ / 2) return false;
  if (intersectPoint) *intersectPoint = LocalToAbsolute(PointMake(hit));
  if (intersectNormal) {
    *intersectNormal = AbsoluteDirection();
    if (!fromFront) NegateVector(*intersectNormal);
  }
  return true;
}

std::unique_ptr<TGLSilhouette> TGLPlane::BuildSilhouette(const TGLSilhouetteParameters& p) {
  auto s = std::make_unique<TGLSilhouette>();
  const float w = width_ / 2, h = height_ / 2;
  s->Vertices.AddPoint(w, h, 0);
  s->Vertices.AddPoint(w, -h, 0);
  s->Vertices.AddPoint(-w, -h, 0);
  s->Vertices.AddPoint(-w, h, 0);
  s->Indices.Add2(0, 1);
  s->Indices.Add2(1, 2);
  s->Indices.Add2(2, 3);
  s->Indices.Add2(3, 0);
  if (p.CappingRequired) {
    s->CapIndices.Add3(0, 1, 2);
    s->CapIndices.Add3(2, 3, 0);
  }
  return s;
}

// ---- TGLSprite ----
TGLSprite::TGLSprite(TComponent* owner) : TGLSceneObject(owner) {
  objectStyle_ |= osDirectDraw | osNoVisibilityCulling;
}

void TGLSprite::Assign(const TPersistent* source) {
  if (auto* s = dynamic_cast<const TGLSprite*>(source)) {
    width_ = s->width_;
    height_ = s->height_;
    rotation_ = s->rotation_;
    alphaChannel_ = s->alphaChannel_;
    noZWrite_ = s->noZWrite_;
  }
  TGLSceneObject::Assign(source);
}

void TGLSprite::SetAlphaChannel(float v) { Set(alphaChannel_, std::clamp(v, 0.0f, 1.0f)); }

THomogeneousVector TGLSprite::UnscaledHalfExtents() {
  return {std::fabs(width_) / 2, std::fabs(height_) / 2, std::fabs(width_) / 2, 0};
}

void TGLSprite::TexRange(float& u0, float& u1, float& v0, float& v1) const {
  u0 = mirrorU_ ? 1.0f : 0.0f;
  u1 = 1 - u0;
  v0 = mirrorV_ ? 1.0f : 0.0f;
  v1 = 1 - v0;
}

void TGLSprite::EmitGeometry(TRenderContextInfo& rci) {
  if (alphaChannel_ != 1) rci.GLStates->SetGLMaterialAlphaChannel(GL_FRONT, alphaChannel_);
  if (noZWrite_) glDepthMask(GL_FALSE);
  // The screen's right and up brought back into this frame through the inverse of the
  // model-view matrix: units of the eye, whatever the object's own scale.
  TMatrix m;
  glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
  m[3] = {0, 0, 0, 1};
  InvertMatrix(m);
  TAffineVector right = VectorTransform(TAffineVector{1, 0, 0}, m),
                up = VectorTransform(TAffineVector{0, 1, 0}, m);
  if (rotation_ != 0) {
    float s, c;
    SinCos(DegToRad(rotation_), s, c);
    const TAffineVector r = VectorCombine(right, up, c, s), u = VectorCombine(right, up, -s, c);
    right = r;
    up = u;
  }
  ScaleVector(right, width_ / 2);
  ScaleVector(up, height_ / 2);
  float u0, u1, v0, v1;
  TexRange(u0, u1, v0, v1);
  auto corner = [&](float u, float v, float fr, float fu) {
    xgl.TexCoord2f(u, v);
    const TAffineVector p = VectorCombine(right, up, fr, fu);
    glVertex3fv(&p.X);
  };
  glBegin(GL_QUADS);
  corner(u1, v1, 1, 1);
  corner(u0, v1, -1, 1);
  corner(u0, v0, -1, -1);
  corner(u1, v0, 1, -1);
  glEnd();
  if (noZWrite_) glDepthMask(GL_TRUE);
}

// ---- TGLHUDSprite ----
void TGLHUDSprite::Assign(const TPersistent* source) {
  if (auto* s = dynamic_cast<const TGLHUDSprite*>(source)) {
    xTiles_ = s->xTiles_;
    yTiles_ = s->yTiles_;
  }
  TGLSprite::Assign(source);
}

void TGLHUDSprite::EmitGeometry(TRenderContextInfo& rci) {
  if (!rci.buffer) return;
  if (AlphaChannel() != 1) rci.GLStates->SetGLMaterialAlphaChannel(GL_FRONT, AlphaChannel());
  PushHUDTransform(rci, *this, Rotation());
  glPushAttrib(GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  const float hw = Width() / 2, hh = Height() / 2, u = float(xTiles_), v = float(yTiles_);
  glBegin(GL_QUADS);
  xgl.TexCoord2f(u, v);
  glVertex2f(hw, hh);
  xgl.TexCoord2f(0, v);
  glVertex2f(-hw, hh);
  xgl.TexCoord2f(0, 0);
  glVertex2f(-hw, -hh);
  xgl.TexCoord2f(u, 0);
  glVertex2f(hw, -hh);
  glEnd();
  glPopAttrib();
  PopHUDTransform();
}

// ---- TGLPointParameters ----
TGLPointParameters::TGLPointParameters(TPersistent* owner)
    : TGLUpdateAbleObject(owner), attenuation_(this, THomogeneousVector{1, 0, 0, 0}, csVectorStyle) {}

void TGLPointParameters::Assign(const TPersistent* source) {
  auto* p = dynamic_cast<const TGLPointParameters*>(source);
  if (!p) return;
  minSize_ = p->minSize_;
  maxSize_ = p->maxSize_;
  fadeTreshold_ = p->fadeTreshold_;
  attenuation_.Assign(&p->attenuation_);
  NotifyChange(this);
}

std::string TGLPointParameters::WritePointParams() const {
  const float v[3] = {minSize_, maxSize_, fadeTreshold_};
  std::string s(12, '\0');
  std::memcpy(s.data(), v, 12);
  return s;
}
bool TGLPointParameters::ReadPointParams(const std::string& bytes) {
  if (bytes.size() != 12) return false;
  float v[3];
  std::memcpy(v, bytes.data(), 12);
  minSize_ = v[0];
  maxSize_ = v[1];
  fadeTreshold_ = v[2];
  NotifyChange(this);
  return true;
}

void TGLPointParameters::Apply() {
  applied_ = enabled_ && GLCaps.ARB_point_parameters && glPointParameterfARB_ && glPointParameterfvARB_;
  if (!applied_) return;
  glPointParameterfARB_(GL_POINT_SIZE_MIN_ARB, minSize_);
  glPointParameterfARB_(GL_POINT_SIZE_MAX_ARB, maxSize_);
  glPointParameterfARB_(GL_POINT_FADE_THRESHOLD_SIZE_ARB, fadeTreshold_);
  glPointParameterfvARB_(GL_POINT_DISTANCE_ATTENUATION_ARB, attenuation_.AsAddress());
}

void TGLPointParameters::UnApply() {
  if (!applied_) return;
  static const GLfloat noAttenuation[3] = {1, 0, 0};
  glPointParameterfARB_(GL_POINT_SIZE_MIN_ARB, 0);
  glPointParameterfARB_(GL_POINT_SIZE_MAX_ARB, 128);
  glPointParameterfARB_(GL_POINT_FADE_THRESHOLD_SIZE_ARB, 1);
  glPointParameterfvARB_(GL_POINT_DISTANCE_ATTENUATION_ARB, noAttenuation);
  applied_ = false;
}

// ---- TGLPoints ----
TGLPoints::TGLPoints(TComponent* owner) : TGLImmaterialSceneObject(owner), pointParameters_(this) {
  objectStyle_ |= osDirectDraw | osNoVisibilityCulling;
}

void TGLPoints::Assign(const TPersistent* source) {
  if (auto* p = dynamic_cast<const TGLPoints*>(source)) {
    size_ = p->size_;
    style_ = p->style_;
    positions_.Assign(&p->positions_);
    colors_.Assign(&p->colors_);
    StructureChanged();
  }
  TGLImmaterialSceneObject::Assign(source);
}

void TGLPoints::NotifyChange(TObject* sender) {
  if (sender == &pointParameters_) StructureChanged();
  TGLImmaterialSceneObject::NotifyChange(sender);
}

void TGLPoints::SetSize(float v) { SetAndRebuild(*this, size_, v); }
void TGLPoints::SetStyle(TGLPointStyle s) { SetAndRebuild(*this, style_, s); }
void TGLPoints::SetNoZWrite(bool v) { SetAndRebuild(*this, noZWrite_, v); }
void TGLPoints::SetStatic(bool v) {
  if (v == Static()) return;
  if (v)
    objectStyle_ &= std::uint8_t(~osDirectDraw);
  else
    objectStyle_ |= osDirectDraw;
  StructureChanged();
}
void TGLPoints::SetPositions(const TAffineVectorList& l) {
  positions_.Assign(&l);
  StructureChanged();
}
void TGLPoints::SetColors(const TVectorList& l) {
  colors_.Assign(&l);
  StructureChanged();
}

void TGLPoints::EmitGeometry(TRenderContextInfo&) {
  int n = positions_.Count();
  const int c = colors_.Count();
  glPushAttrib(GL_ENABLE_BIT | GL_POINT_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glDisable(GL_LIGHTING);
  if (c == 0) glColor4f(1, 1, 1, 1);
  if (c == 1) glColor4fv(&colors_[0].X);
  if (c > 1) n = std::min(n, c);
  if (n > 0) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, positions_.List());
    if (c > 1) {
      glEnableClientState(GL_COLOR_ARRAY);
      glColorPointer(4, GL_FLOAT, 0, colors_.List());
    }
  }
  if (noZWrite_) glDepthMask(GL_FALSE);
  // A size of 0 or less is an OpenGL error: such points take the smallest size.
  glPointSize(size_ > 0 ? size_ : 1.0f);
  pointParameters_.Apply();
  switch (style_) {
    case TGLPointStyle::psSquare:
      glDisable(GL_BLEND);
      break;
    case TGLPointStyle::psRound:
      glEnable(GL_POINT_SMOOTH);
      glEnable(GL_ALPHA_TEST);
      glAlphaFunc(GL_GREATER, 0.5f);
      glDisable(GL_BLEND);
      break;
    case TGLPointStyle::psSmooth:
    case TGLPointStyle::psSmoothAdditive:
      glEnable(GL_POINT_SMOOTH);
      glEnable(GL_ALPHA_TEST);
      glAlphaFunc(GL_NOTEQUAL, 0);
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, style_ == TGLPointStyle::psSmooth ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);
      break;
    case TGLPointStyle::psSquareAdditive:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE);
      break;
  }
  if (n > 0) {
    const bool lock = n >= 65 && GLCaps.EXT_compiled_vertex_array && glLockArraysEXT_ && glUnlockArraysEXT_;
    if (lock) glLockArraysEXT_(0, n);
    glDrawArrays(GL_POINTS, 0, n);
    if (lock) glUnlockArraysEXT_();
  } else {
    glBegin(GL_POINTS);
    glVertex3f(0, 0, 0);
    glEnd();
  }
  pointParameters_.UnApply();
  glPopClientAttrib();
  glPopAttrib();
}

// ---- The polyhedra ----
void TGLDodecahedron::EmitGeometry(TRenderContextInfo&) { BuildDodecahedronList(); }
void TGLIcosahedron::EmitGeometry(TRenderContextInfo&) { BuildIcosahedronList(); }

void RegisterGLSimpleObjectsClasses() {
  RegisterSceneObjectClass<TGLPlane>("TGLPlane");
  RegisterSceneObjectClass<TGLSprite>("TGLSprite");
  RegisterSceneObjectClass<TGLPoints>("TGLPoints");
  RegisterSceneObjectClass<TGLDodecahedron>("TGLDodecahedron");
  RegisterSceneObjectClass<TGLIcosahedron>("TGLIcosahedron");
  RegisterSceneObjectClass<TGLHUDSprite>("TGLHUDSprite");
}

}  // namespace qx
