#include "scene/GLObjects.h"

#include <cmath>
#include <cstring>

#include "scene/GLRegistry.h"
#include "scene/GLScene.h"
#include "scene/GLShapeSupport.h"
#include "scene/GLState.h"
#include "scene/XOpenGL.h"
#include "scene/base/SceneErrors.h"

namespace qx {

void BuildWireframeCubeList(TRenderContextInfo& rci, bool stippled, const TColorVector& color, float size) {
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_LIGHTING_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
  glDisable(GL_LIGHTING);
  glEnable(GL_LINE_SMOOTH);
  if (stippled) {
    glEnable(GL_LINE_STIPPLE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLineStipple(1, 0xCCCC);
  }
  glLineWidth(1);
  const float h = size / 2;
  rci.GLStates->ResetGLMaterialColors();
  glColorMaterial(GL_FRONT, GL_EMISSION);
  glEnable(GL_COLOR_MATERIAL);
  glColor4fv(&color.X);
  glBegin(GL_LINE_STRIP);
  glVertex3f(h, -h, -h);
  glVertex3f(h, h, -h);
  glVertex3f(h, h, h);
  glVertex3f(h, -h, h);
  glVertex3f(h, -h, -h);
  glVertex3f(-h, -h, -h);
  glVertex3f(-h, -h, h);
  glVertex3f(-h, h, h);
  glVertex3f(-h, h, -h);
  glVertex3f(h, h, -h);
  glEnd();
  glBegin(GL_LINES);
  glVertex3f(h, h, h);
  glVertex3f(-h, h, h);
  glVertex3f(-h, -h, -h);
  glVertex3f(-h, h, -h);
  glVertex3f(h, -h, h);
  glVertex3f(-h, -h, h);
  glEnd();
  glPopAttrib();
  // The popped attributes changed what the cache believes.
  rci.GLStates->ResetAll();
}

// ---- TGLDummyCube ----
TGLDummyCube::TGLDummyCube(TComponent* owner) : TGLCameraInvariantObject(owner), edgeColor_(this, clrWhite) {
  objectStyle_ |= osDirectDraw;
}

void TGLDummyCube::Assign(const TPersistent* source) {
  if (auto* d = dynamic_cast<const TGLDummyCube*>(source)) {
    cubeSize_ = d->cubeSize_;
    edgeColor_.DirectColor(d->edgeColor_.Color());
    visibleAtRunTime_ = d->visibleAtRunTime_;
    StructureChanged();
  }
  TGLCameraInvariantObject::Assign(source);
}

void TGLDummyCube::SetCubeSize(float v) { SetAndRebuild(*this, cubeSize_, v); }

void TGLDummyCube::SetEdgeColor(const TGLColor& c) {
  if (&c != &edgeColor_) edgeColor_.DirectColor(c.Color());
  StructureChanged();
}

void TGLDummyCube::SetVisibleAtRunTime(bool v) { SetAndRebuild(*this, visibleAtRunTime_, v); }

void TGLDummyCube::SetAmalgamate(bool v) {
  if (v == amalgamate_) return;
  amalgamate_ = v;
  if (!v) {
    amalgamatedList_.DestroyHandle();
    objectStyle_ &= std::uint8_t(~osResetStateCache);
  } else {
    objectStyle_ |= osResetStateCache;
  }
  TGLCameraInvariantObject::StructureChanged();
}

void TGLDummyCube::StructureChanged() {
  if (amalgamate_) amalgamatedList_.DestroyHandle();
  TGLCameraInvariantObject::StructureChanged();
}

THomogeneousVector TGLDummyCube::AbsoluteCentre() {
  if (Count() == 0) return AbsolutePosition();
  TAffineVector sum;
  for (int i = 0; i < Count(); ++i) AddVector(sum, AffineVectorFromVector(GetChild(i)->AbsoluteCentre()));
  ScaleVector(sum, 1.0f / float(Count()));
  return PointMake(sum);
}

THomogeneousVector TGLDummyCube::UnscaledHalfExtents() {
  const float h = std::fabs(cubeSize_) / 2;
  return {h, h, h, 0};
}

void TGLDummyCube::EmitGeometry(TRenderContextInfo& rci) {
  if (visibleAtRunTime_ || IsDesigning()) BuildWireframeCubeList(rci, true, edgeColor_.Color(), cubeSize_);
}

void TGLDummyCube::RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  if (OnVisibilityDetermination && !OnVisibilityDetermination(this, rci)) return;
  // While selecting, the subtree goes object by object: one list of it all would mix kinds
  // of primitives.
  if (!amalgamate_ || rci.amalgamating || rci.selecting) {
    TGLCameraInvariantObject::RenderSelf(rci, renderSelf, renderChildren);
    return;
  }
  if (amalgamatedList_.Handle() == 0) {
    amalgamatedList_.AllocateHandle();
    if (amalgamatedList_.Handle() == 0) throw EAssertionFailed("Handle=0 for " + ClassName());
    glNewList(amalgamatedList_.Handle(), GL_COMPILE);
    rci.amalgamating = true;
    try {
      TGLCameraInvariantObject::RenderSelf(rci, renderSelf, renderChildren);
    } catch (...) {
      rci.amalgamating = false;
      glEndList();
      amalgamatedList_.DestroyHandle();
      throw;
    }
    rci.amalgamating = false;
    glEndList();
  }
  glCallList(amalgamatedList_.Handle());
}

// ---- TGLCube ----
TGLCube::TGLCube(TComponent* owner) : TGLSceneObject(owner) { objectStyle_ |= osDirectDraw; }

void TGLCube::Assign(const TPersistent* source) {
  if (auto* c = dynamic_cast<const TGLCube*>(source)) {
    width_ = c->width_;
    height_ = c->height_;
    depth_ = c->depth_;
    parts_ = c->parts_;
    normalDirection_ = c->normalDirection_;
  }
  TGLSceneObject::Assign(source);
}

void TGLCube::SetSize(float& field, float v) {
  if (field == v) return;
  field = v;
  StructureChanged();
}
void TGLCube::SetParts(std::uint8_t p) { SetAndRebuild(*this, parts_, p); }
void TGLCube::SetNormalDirection(TNormalDirection d) { SetAndRebuild(*this, normalDirection_, d); }

std::string TGLCube::WriteCubeSize() const {
  std::string s(12, '\0');
  std::memcpy(s.data(), &width_, 4);
  std::memcpy(s.data() + 4, &height_, 4);
  std::memcpy(s.data() + 8, &depth_, 4);
  return s;
}
bool TGLCube::ReadCubeSize(const std::string& bytes) {
  if (bytes.size() != 12) return false;
  std::memcpy(&width_, bytes.data(), 4);
  std::memcpy(&height_, bytes.data() + 4, 4);
  std::memcpy(&depth_, bytes.data() + 8, 4);
  StructureChanged();
  return true;
}

void TGLCube::EmitGeometry(TRenderContextInfo&) { EmitFaces(parts_); }

void TGLCube::EmitFaces(std::uint8_t parts) const {
  const float s = normalDirection_ == TNormalDirection::ndOutside ? 1.0f : -1.0f;
  const float w = width_ / 2, h = height_ / 2, d = depth_ / 2;
  auto corner = [](float u, float v, float x, float y, float z) {
    xgl.TexCoord2f(u, v);
    glVertex3f(x, y, z);
  };
  glBegin(GL_QUADS);
  if (parts & cpFront) {
    glNormal3f(0, 0, s);
    corner(1, 1, w, h, d);
    corner(0, 1, -w, h, d);
    corner(0, 0, -w, -h, d);
    corner(1, 0, w, -h, d);
  }
  if (parts & cpBack) {
    glNormal3f(0, 0, -s);
    corner(0, 1, w, h, -d);
    corner(0, 0, w, -h, -d);
    corner(1, 0, -w, -h, -d);
    corner(1, 1, -w, h, -d);
  }
  if (parts & cpLeft) {
    glNormal3f(-s, 0, 0);
    corner(1, 1, -w, h, d);
    corner(0, 1, -w, h, -d);
    corner(0, 0, -w, -h, -d);
    corner(1, 0, -w, -h, d);
  }
  if (parts & cpRight) {
    glNormal3f(s, 0, 0);
    corner(0, 1, w, h, d);
    corner(0, 0, w, -h, d);
    corner(1, 0, w, -h, -d);
    corner(1, 1, w, h, -d);
  }
  if (parts & cpTop) {
    glNormal3f(0, s, 0);
    corner(0, 1, -w, h, -d);
    corner(0, 0, -w, h, d);
    corner(1, 0, w, h, d);
    corner(1, 1, w, h, -d);
  }
  if (parts & cpBottom) {
    glNormal3f(0, -s, 0);
    corner(0, 0, -w, -h, -d);
    corner(1, 0, w, -h, -d);
    corner(1, 1, w, -h, d);
    corner(0, 1, -w, -h, d);
  }
  glEnd();
}

bool TGLCube::IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                           THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) {
  const TAffineVector start =
      AffineVectorFromVector(AbsoluteToLocal(PointMake(AffineVectorFromVector(rayStart))));
  TAffineVector dir =
      AffineVectorFromVector(AbsoluteToLocal(VectorFromAffine(AffineVectorFromVector(rayVector), 0)));
  NormalizeVector(dir);
  const float sizes[3] = {width_, height_, depth_};
  const float half[3] = {0.5001f * width_, 0.5001f * height_, 0.5001f * depth_};
  static const TAffineVector normals[6] = {{1, 0, 0},  {0, 1, 0},  {0, 0, 1},
                                           {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
  for (int i = 0; i < 6; ++i) {
    const TAffineVector& n = normals[i];
    const float nd = VectorDotProduct(n, dir);
    if (!(nd > 0)) continue;
    const float t = -(VectorDotProduct(n, start) + sizes[i % 3] / 2) / nd;
    TAffineVector hit = start;
    CombineVector(hit, dir, t);
    if (std::fabs(hit.X) <= std::fabs(half[0]) && std::fabs(hit.Y) <= std::fabs(half[1]) &&
        std::fabs(hit.Z) <= std::fabs(half[2]) && VectorDotProduct(VectorSubtract(hit, start), dir) > 0) {
      if (intersectPoint) *intersectPoint = LocalToAbsolute(PointMake(hit));
      if (intersectNormal) *intersectNormal = LocalToAbsolute(VectorFromAffine(VectorNegate(n), 0));
      return true;
    }
  }
  return false;
}

std::unique_ptr<TGLSilhouette> TGLCube::BuildSilhouette(const TGLSilhouetteParameters& p) {
  TConnectivity con(true);
  const float w = width_ / 2, h = height_ / 2, d = depth_ / 2;
  if (parts_ & cpFront) con.AddQuad({w, h, d}, {-w, h, d}, {-w, -h, d}, {w, -h, d});
  if (parts_ & cpBack) con.AddQuad({w, h, -d}, {w, -h, -d}, {-w, -h, -d}, {-w, h, -d});
  if (parts_ & cpLeft) con.AddQuad({-w, h, d}, {-w, h, -d}, {-w, -h, -d}, {-w, -h, d});
  if (parts_ & cpRight) con.AddQuad({w, h, d}, {w, -h, d}, {w, -h, -d}, {w, h, -d});
  if (parts_ & cpTop) con.AddQuad({-w, h, -d}, {-w, h, d}, {w, h, d}, {w, h, -d});
  if (parts_ & cpBottom) con.AddQuad({-w, -h, -d}, {w, -h, -d}, {w, -h, d}, {-w, -h, d});
  std::unique_ptr<TGLSilhouette> s;
  con.CreateSilhouette(p, s, false);
  return s;
}

// ---- TGLQuadricObject ----
void TGLQuadricObject::Assign(const TPersistent* source) {
  if (auto* q = dynamic_cast<const TGLQuadricObject*>(source)) {
    normals_ = q->normals_;
    normalDirection_ = q->normalDirection_;
  }
  TGLSceneObject::Assign(source);
}
void TGLQuadricObject::SetNormals(TNormalSmoothing n) { SetAndRebuild(*this, normals_, n); }
void TGLQuadricObject::SetNormalDirection(TNormalDirection d) { SetAndRebuild(*this, normalDirection_, d); }
void TGLQuadricObject::SetupQuadricParams(GLUquadricObj* q) const {
  gluQuadricDrawStyle(q, GLU_FILL);
  gluQuadricNormals(q, normals_ == TNormalSmoothing::nsFlat
                           ? GLU_FLAT
                           : (normals_ == TNormalSmoothing::nsSmooth ? GLU_SMOOTH : GLU_NONE));
  ApplyQuadricOrientation(q);
  gluQuadricTexture(q, GL_TRUE);
}
void TGLQuadricObject::ApplyQuadricOrientation(GLUquadricObj* q) const {
  gluQuadricOrientation(q, normalDirection_ == TNormalDirection::ndOutside ? GLU_OUTSIDE : GLU_INSIDE);
}
void TGLQuadricObject::ApplyReversedQuadricOrientation(GLUquadricObj* q) const {
  gluQuadricOrientation(q, normalDirection_ == TNormalDirection::ndOutside ? GLU_INSIDE : GLU_OUTSIDE);
}

// ---- TGLSphere ----
void TGLSphere::Assign(const TPersistent* source) {
  if (auto* s = dynamic_cast<const TGLSphere*>(source)) {
    radius_ = s->radius_;
    slices_ = s->slices_;
    stacks_ = s->stacks_;
    top_ = s->top_;
    bottom_ = s->bottom_;
    start_ = s->start_;
    stop_ = s->stop_;
  }
  TGLQuadricObject::Assign(source);
}
void TGLSphere::SetRadius(float v) { Set(radius_, v); }
void TGLSphere::SetSlices(int v) { Set(slices_, v <= 0 ? 1 : v); }
void TGLSphere::SetStacks(int v) { Set(stacks_, v <= 0 ? 1 : v); }
void TGLSphere::SetTop(int v) { Set(top_, std::clamp(v, -90, 90)); }
void TGLSphere::SetBottom(int v) { Set(bottom_, std::clamp(v, -90, 90)); }
void TGLSphere::SetStart(int v) {
  v = std::clamp(v, 0, 360);
  Require(v <= stop_);
  Set(start_, v);
}
void TGLSphere::SetStop(int v) {
  v = std::clamp(v, 0, 360);
  Require(v >= start_);
  Set(stop_, v);
}
void TGLSphere::SetTopCap(TCapType c) { Set(topCap_, c); }
void TGLSphere::SetBottomCap(TCapType c) { Set(bottomCap_, c); }

THomogeneousVector TGLSphere::UnscaledHalfExtents() {
  const float r = std::fabs(radius_);
  return {r, r, r, 0};
}

void TGLSphere::EmitGeometry(TRenderContextInfo& rci) {
  const bool reverse = NormalDirection() == TNormalDirection::ndInside;
  const float sign = reverse ? -1.0f : 1.0f;
  glPushAttrib(GL_POLYGON_BIT);
  if (reverse) rci.GLStates->InvertGLFrontFace();
  const float top = DegToRad(float(top_)), bottom = DegToRad(float(bottom_)), start = DegToRad(float(start_)),
              stop = DegToRad(float(stop_));
  const float stepH = (stop - start) / float(slices_), stepV = (top - bottom) / float(stacks_);
  glPushMatrix();
  glScalef(radius_, radius_, radius_);
  auto point = [](float phi, float theta) {
    float sp, cp, st, ct;
    SinCos(phi, sp, cp);
    SinCos(theta, st, ct);
    return TAffineVector{cp * st, sp, cp * ct};
  };
  // A cap at latitude phi, facing `axis` (+Y at the top, -Y at the bottom): a fan from the
  // centre (ctCenter) or from the axis at the cap's height (ctFlat), round the rim from
  // theta0 in steps of dTheta.
  auto cap = [&](TCapType type, float phi, float axisY, float theta0, float dTheta) {
    const TAffineVector axis{0, axisY, 0};
    glBegin(GL_TRIANGLE_FAN);
    xgl.TexCoord2f(0.5f, 0.5f);
    glNormal3f(0, axisY * sign, 0);
    float sp, cp;
    SinCos(phi, sp, cp);
    if (type == TCapType::ctCenter)
      glVertex3f(0, 0, 0);
    else
      glVertex3f(0, sp, 0);
    float theta = theta0;
    for (int i = 0; i <= slices_; ++i, theta += dTheta) {
      const TAffineVector p = point(phi, theta);
      TAffineVector n = type == TCapType::ctCenter ? VectorPerpendicular(axis, p) : axis;
      if (reverse) NegateAffineVector(n);
      float s, c;
      SinCos(theta, s, c);
      xgl.TexCoord2f(s * 0.5f + 0.5f, c * 0.5f + 0.5f);
      glNormal3fv(&n.X);
      glVertex3fv(&p.X);
    }
    glEnd();
  };
  if (top_ < 90 && (topCap_ == TCapType::ctCenter || topCap_ == TCapType::ctFlat))
    cap(topCap_, top, 1, start, stepH);
  // Body: one triangle strip per stack.
  float phi = top, phi2 = top - stepV;
  for (int j = 0; j < stacks_; ++j) {
    const float t0 = 1 - float(j) / float(stacks_), t1 = 1 - float(j + 1) / float(stacks_);
    glBegin(GL_TRIANGLE_STRIP);
    float theta = start;
    for (int i = 0; i <= slices_; ++i, theta += stepH) {
      const float u = float(i) / float(slices_);
      TAffineVector p = point(phi, theta), n = p;
      if (reverse) NegateAffineVector(n);
      xgl.TexCoord2f(u, t0);
      glNormal3fv(&n.X);
      glVertex3fv(&p.X);
      p = point(phi2, theta);
      n = p;
      if (reverse) NegateAffineVector(n);
      xgl.TexCoord2f(u, t1);
      glNormal3fv(&n.X);
      glVertex3fv(&p.X);
    }
    glEnd();
    phi = phi2;
    phi2 -= stepV;
  }
  if (bottom_ > -90 && (bottomCap_ == TCapType::ctCenter || bottomCap_ == TCapType::ctFlat))
    cap(bottomCap_, bottom, -1, stop, -stepH);
  if (reverse) rci.GLStates->InvertGLFrontFace();
  glPopMatrix();
  glPopAttrib();
}

bool TGLSphere::IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                             THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) {
  const THomogeneousVector start = AbsoluteToLocal(PointMake(AffineVectorFromVector(rayStart)));
  const THomogeneousVector dir =
      VectorNormalize(AbsoluteToLocal(VectorFromAffine(AffineVectorFromVector(rayVector), 0)));
  THomogeneousVector i1, i2;
  if (IntersectRaySphere(start, dir, NullHmgPoint, radius_, i1, i2) <= 0) return false;
  const THomogeneousVector local = PointMake(AffineVectorFromVector(i1));
  if (intersectPoint) *intersectPoint = LocalToAbsolute(local);
  if (intersectNormal) *intersectNormal = LocalToAbsolute(VectorFromAffine(AffineVectorFromVector(local), 0));
  return true;
}

std::unique_ptr<TGLSilhouette> TGLSphere::BuildSilhouette(const TGLSilhouetteParameters& p) {
  auto s = std::make_unique<TGLSilhouette>();
  const int n = std::max(slices_, stacks_);
  TAffineVector a = VectorCrossProduct(p.SeenFrom, XVector);
  if (VectorLength(a) < 0.001f) a = VectorCrossProduct(p.SeenFrom, YVector);
  TAffineVector b = VectorCrossProduct(p.SeenFrom, a);
  NormalizeVector(a);
  NormalizeVector(b);
  for (int k = 0; k < n; ++k) {
    float sn, cs;
    SinCos(float(k) * c2PI / float(n), sn, cs);
    TAffineVector v = VectorCombine(a, b, cs * radius_, sn * radius_);
    s->Vertices.AddPoint(v);
    s->Indices.Add2(k, (k + 1) % n);
    if (p.CappingRequired) s->CapIndices.Add3(n, k, (k + 1) % n);
  }
  if (p.CappingRequired) s->Vertices.AddPoint(NullVector);
  return s;
}

// ---- TGLPolygonBase ----
TGLPolygonBase::TGLPolygonBase(TComponent* owner, TGLNodes::TNodeFactory nodeClass)
    : TGLSceneObject(owner), nodes_(std::make_unique<TGLNodes>(this, std::move(nodeClass))) {}

void TGLPolygonBase::Assign(const TPersistent* source) {
  if (auto* p = dynamic_cast<const TGLPolygonBase*>(source)) {
    nodes_->Assign(p->nodes_.get());
    division_ = p->division_;
    splineMode_ = p->splineMode_;
  }
  TGLSceneObject::Assign(source);
}
void TGLPolygonBase::SetNodes(const TGLNodes& n) {
  nodes_->Assign(&n);
  StructureChanged();
}
void TGLPolygonBase::SetDivision(int v) {
  v = std::max(1, v);
  if (v == division_) return;
  division_ = v;
  StructureChanged();
}
void TGLPolygonBase::SetSplineMode(TLineSplineMode m) { SetAndRebuild(*this, splineMode_, m); }
void TGLPolygonBase::AddNode(const TAffineVector& v) { AddNode(v.X, v.Y, v.Z); }
void TGLPolygonBase::AddNode(float x, float y, float z) {
  nodes_->AddNode(x, y, z);
  StructureChanged();
}
void TGLPolygonBase::NotifyChange(TObject* sender) {
  if (sender == nodes_.get()) StructureChanged();
  TGLSceneObject::NotifyChange(sender);
}

void RegisterGLObjectsClasses() {
  RegisterSceneObjectClass<TGLDummyCube>("TGLDummyCube");
  RegisterSceneObjectClass<TGLCube>("TGLCube");
  RegisterSceneObjectClass<TGLSphere>("TGLSphere");
}

}  // namespace qx
