#include "scene/GLGeomObjects.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "scene/GLRegistry.h"
#include "scene/GLShapeSupport.h"
#include "scene/XOpenGL.h"
#include "scene/base/Polynomials.h"

namespace qx {

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

// The nearest hit of a ray, kept while candidates are tried.
struct TNearestHit {
  float t = kInfinity;
  TAffineVector point, normal;
  void Offer(float tt, const TAffineVector& p, const TAffineVector& n) {
    if (tt >= 0 && tt < t) {
      t = tt;
      point = p;
      normal = n;
    }
  }
  bool Found() const { return t < kInfinity; }
};

TAffineVector PointAt(const TLocalRay& r, float t) {
  TAffineVector p = r.start;
  CombineVector(p, r.dir, t);
  return p;
}

// A cap: the plane y = capY, hit between the two radii around the Y axis.
void OfferCap(const TLocalRay& r, float capY, float innerRadius, float outerRadius, float normalY,
              TNearestHit& hit) {
  if (r.dir.Y == 0) return;
  const float t = (capY - r.start.Y) / r.dir.Y;
  if (!(t >= 0)) return;
  TAffineVector p = PointAt(r, t);
  p.Y = capY;
  const float d2 = p.X * p.X + p.Z * p.Z;
  if (d2 <= outerRadius * outerRadius && d2 >= innerRadius * innerRadius) hit.Offer(t, p, {0, normalY, 0});
}

// The side between y0 (radius r0) and y1 (radius r1): a cylinder when the radii agree, a
// cone otherwise; its radius at a height is the straight blend of the two. The normal points
// away from the axis.
void OfferSide(const TLocalRay& r, float y0, float r0, float y1, float r1, TNearestHit& hit) {
  if (y0 == y1) return;
  const float lo = std::min(y0, y1), hi = std::max(y0, y1);
  const double k = double(r1 - r0) / double(y1 - y0);
  const double a = double(r0) - k * double(y0);
  const double c0 = a + k * double(r.start.Y), c1 = k * double(r.dir.Y);
  const double sx = r.start.X, sz = r.start.Z, dx = r.dir.X, dz = r.dir.Z;
  const double c[3] = {sx * sx + sz * sz - c0 * c0, 2 * (sx * dx + sz * dz - c0 * c1),
                       dx * dx + dz * dz - c1 * c1};
  for (double t : SolveQuadric(c)) {
    if (!(t >= 0)) continue;
    TAffineVector p = PointAt(r, float(t));
    // A point on the rim counts: a little slack for rounding.
    const float slack = 1e-5f * std::max(1.0f, hi - lo);
    if (p.Y < lo - slack || p.Y > hi + slack) continue;
    const float radius = float(a + k * double(p.Y));
    hit.Offer(float(t), p, {p.X, -radius * float(k), p.Z});
  }
}

// Draws through a GLU quadric set up for the object; nothing when GLU has none to give.
template <class Draw>
void WithQuadric(const TGLQuadricObject& o, Draw draw) {
  TGLUQuadric q;
  if (!q) return;
  o.SetupQuadricParams(q.get());
  draw(q.get());
}

// The same, with GLU's +Z axis turned to the object's local +Y and its origin moved to
// local y = baseY.
template <class Draw>
void WithQuadricAlongY(const TGLQuadricObject& o, float baseY, Draw draw) {
  WithQuadric(o, [&](GLUquadricObj* q) {
    glPushMatrix();
    glRotatef(-90, 1, 0, 0);
    glTranslatef(0, 0, baseY);
    draw(q);
    glPopMatrix();
  });
}

// A disk facing GLU's +Z at height z.
void DiskAt(GLUquadricObj* q, float z, float innerRadius, float outerRadius, int slices, int loops) {
  glPushMatrix();
  glTranslatef(0, 0, z);
  gluDisk(q, innerRadius, outerRadius, slices, loops);
  glPopMatrix();
}

// One head of the arrow line, a cone with its base closed round the shaft (innerRadius):
// pointing to +Z, or to -Z when `down`; `sink` is how far the head is drawn into the
// shaft's length.
void EmitArrowHead(const TGLArrowLine& a, GLUquadricObj* q, bool down, float headHeight, float headRadius,
                   float innerRadius, float sink) {
  glPushMatrix();
  if (down) glRotatef(180, 1, 0, 0);
  glTranslatef(0, 0, a.Height() / 2 - sink);
  a.ApplyQuadricOrientation(q);
  gluCylinder(q, headRadius, 0, headHeight, a.Slices(), a.Stacks());
  a.ApplyReversedQuadricOrientation(q);
  gluDisk(q, innerRadius, headRadius, a.Slices(), a.Loops());
  glPopMatrix();
}

}  // namespace

// ---- TGLDisk ----
void TGLDisk::Assign(const TPersistent* source) {
  if (auto* d = dynamic_cast<const TGLDisk*>(source)) {
    startAngle_ = d->startAngle_;
    sweepAngle_ = d->sweepAngle_;
    outerRadius_ = d->outerRadius_;
    innerRadius_ = d->innerRadius_;
    slices_ = d->slices_;
    loops_ = d->loops_;
  }
  TGLQuadricObject::Assign(source);
}

THomogeneousVector TGLDisk::UnscaledHalfExtents() {
  const float r = std::fabs(outerRadius_);
  return {r, r, 0, 0};
}

void TGLDisk::EmitGeometry(TRenderContextInfo&) {
  WithQuadric(*this, [&](GLUquadricObj* q) {
    gluPartialDisk(q, innerRadius_, outerRadius_, slices_, loops_, startAngle_, sweepAngle_);
  });
}

bool TGLDisk::IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                           THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) {
  const THomogeneousVector normal = VectorNormalize(AbsoluteMatrix()[2]);
  THomogeneousVector hit;
  if (!RayCastPlaneIntersect(rayStart, rayVector, AbsolutePosition(), normal, &hit)) return false;
  const TAffineVector local = AffineVectorFromVector(AbsoluteToLocal(PointMake(AffineVectorFromVector(hit))));
  const float d2 = VectorSquaredLength(local);
  if (d2 < innerRadius_ * innerRadius_ || d2 > outerRadius_ * outerRadius_) return false;
  if (intersectPoint) *intersectPoint = PointMake(AffineVectorFromVector(hit));
  if (intersectNormal) *intersectNormal = VectorFromAffine(AffineVectorFromVector(normal), 0);
  return true;
}

// ---- TGLCylinderBase ----
void TGLCylinderBase::Assign(const TPersistent* source) {
  if (auto* c = dynamic_cast<const TGLCylinderBase*>(source)) {
    bottomRadius_ = c->bottomRadius_;
    slices_ = c->slices_;
    stacks_ = c->stacks_;
    loops_ = c->loops_;
    height_ = c->height_;
  }
  TGLQuadricObject::Assign(source);
}

void TGLCylinderBase::SetLoops(int v) {
  if (v >= 1) Set(loops_, v);
}

THomogeneousVector TGLCylinderBase::RevolutionHalfExtents() const {
  const float r = std::max(std::fabs(bottomRadius_), std::fabs(GetTopRadius()));
  return {r, height_ / 2, r, 0};
}

std::unique_ptr<TGLSilhouette> TGLCylinderBase::BuildSilhouette(const TGLSilhouetteParameters& p) {
  TConnectivity con(true);
  // Fewer than five slices would give a poor outline; the object itself is left as it is.
  const int slices = std::max(slices_, 5);
  const float h = height_ / 2, rb = bottomRadius_, rt = GetTopRadius();
  const TAffineVector cb{0, -h, 0}, ct{0, h, 0};
  for (int i = 0; i < slices; ++i) {
    float s0, c0, s1, c1;
    SinCos(float(i) * c2PI / float(slices), s0, c0);
    SinCos(float(i + 1) * c2PI / float(slices), s1, c1);
    const TAffineVector b0{rb * s0, -h, rb * c0}, b1{rb * s1, -h, rb * c1};
    const TAffineVector t0{rt * s0, h, rt * c0}, t1{rt * s1, h, rt * c1};
    con.AddFace(b0, b1, t1);
    con.AddFace(b0, t1, t0);
    con.AddFace(cb, b1, b0);
    con.AddFace(ct, t0, t1);
  }
  std::unique_ptr<TGLSilhouette> s;
  con.CreateSilhouette(p, s, false);
  return s;
}

// ---- TGLCone ----
void TGLCone::Assign(const TPersistent* source) {
  if (auto* c = dynamic_cast<const TGLCone*>(source)) parts_ = c->parts_;
  TGLCylinderBase::Assign(source);
}

THomogeneousVector TGLCone::UnscaledHalfExtents() { return RevolutionHalfExtents(); }

void TGLCone::EmitGeometry(TRenderContextInfo&) {
  WithQuadricAlongY(*this, -Height() / 2, [&](GLUquadricObj* q) {
    if (parts_ & coSides) gluCylinder(q, BottomRadius(), 0, Height(), Slices(), Stacks());
    if (parts_ & coBottom) {
      ApplyReversedQuadricOrientation(q);
      gluDisk(q, 0, BottomRadius(), Slices(), Loops());
    }
  });
}

// ---- TGLCylinder ----
void TGLCylinder::Assign(const TPersistent* source) {
  if (auto* c = dynamic_cast<const TGLCylinder*>(source)) {
    parts_ = c->parts_;
    topRadius_ = c->topRadius_;
    alignment_ = c->alignment_;
  }
  TGLCylinderBase::Assign(source);
}

THomogeneousVector TGLCylinder::UnscaledHalfExtents() { return RevolutionHalfExtents(); }

float TGLCylinder::BottomY() const {
  switch (alignment_) {
    case TCylinderAlignment::caTop:
      return -Height();
    case TCylinderAlignment::caBottom:
      return 0;
    case TCylinderAlignment::caCenter:
      break;
  }
  return -Height() / 2;
}

void TGLCylinder::EmitGeometry(TRenderContextInfo&) {
  WithQuadricAlongY(*this, BottomY(), [&](GLUquadricObj* q) {
    if (parts_ & cySides) gluCylinder(q, BottomRadius(), topRadius_, Height(), Slices(), Stacks());
    if (parts_ & cyTop) DiskAt(q, Height(), 0, topRadius_, Slices(), Loops());
    if (parts_ & cyBottom) {
      ApplyReversedQuadricOrientation(q);
      gluDisk(q, 0, BottomRadius(), Slices(), Loops());
    }
  });
}

bool TGLCylinder::IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                               THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) {
  const TLocalRay r = ToLocalRay(*this, rayStart, rayVector);
  const float bottom = BottomY();
  const float top = bottom + Height();
  TNearestHit hit;
  if (parts_ & cyTop) OfferCap(r, top, 0, topRadius_, 1, hit);
  if (parts_ & cyBottom) OfferCap(r, bottom, 0, BottomRadius(), -1, hit);
  if (parts_ & cySides) OfferSide(r, bottom, BottomRadius(), top, topRadius_, hit);
  if (!hit.Found()) return false;
  SetRayHit(*this, hit.point, hit.normal, intersectPoint, intersectNormal);
  return true;
}

// ---- TGLAnnulus ----
void TGLAnnulus::Assign(const TPersistent* source) {
  if (auto* a = dynamic_cast<const TGLAnnulus*>(source)) {
    parts_ = a->parts_;
    bottomInnerRadius_ = a->bottomInnerRadius_;
    topInnerRadius_ = a->topInnerRadius_;
    topRadius_ = a->topRadius_;
  }
  TGLCylinderBase::Assign(source);
}

THomogeneousVector TGLAnnulus::UnscaledHalfExtents() { return RevolutionHalfExtents(); }

void TGLAnnulus::EmitGeometry(TRenderContextInfo&) {
  WithQuadricAlongY(*this, -Height() / 2, [&](GLUquadricObj* q) {
    if (parts_ & anOuterSides) gluCylinder(q, BottomRadius(), topRadius_, Height(), Slices(), Stacks());
    if (parts_ & anTop) DiskAt(q, Height(), topInnerRadius_, topRadius_, Slices(), Loops());
    if (parts_ & (anBottom | anInnerSides)) {
      ApplyReversedQuadricOrientation(q);
      if (parts_ & anBottom) gluDisk(q, bottomInnerRadius_, BottomRadius(), Slices(), Loops());
      if (parts_ & anInnerSides)
        gluCylinder(q, bottomInnerRadius_, topInnerRadius_, Height(), Slices(), Stacks());
    }
  });
}

bool TGLAnnulus::IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                              THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) {
  const TLocalRay r = ToLocalRay(*this, rayStart, rayVector);
  const float h = Height() / 2;
  TNearestHit hit;
  if (parts_ & anTop) OfferCap(r, h, topInnerRadius_, topRadius_, 1, hit);
  if (parts_ & anBottom) OfferCap(r, -h, bottomInnerRadius_, BottomRadius(), -1, hit);
  if (parts_ & anOuterSides) OfferSide(r, -h, BottomRadius(), h, topRadius_, hit);
  // The inner side's normal points away from the axis too, as the outer one's.
  if (parts_ & anInnerSides) OfferSide(r, -h, bottomInnerRadius_, h, topInnerRadius_, hit);
  if (!hit.Found()) return false;
  SetRayHit(*this, hit.point, hit.normal, intersectPoint, intersectNormal);
  return true;
}

// ---- TGLTorus ----
void TGLTorus::SetRings(std::uint32_t v) {
  v = std::max<std::uint32_t>(v, 2);
  if (v == rings_) return;
  rings_ = v;
  StructureChanged();
}
void TGLTorus::SetSides(std::uint32_t v) {
  v = std::max<std::uint32_t>(v, 3);
  if (v == sides_) return;
  sides_ = v;
  StructureChanged();
}
void TGLTorus::SetMinorRadius(float v) { SetAndRebuild(*this, minorRadius_, v); }
void TGLTorus::SetMajorRadius(float v) { SetAndRebuild(*this, majorRadius_, v); }

THomogeneousVector TGLTorus::UnscaledHalfExtents() {
  const float r = std::fabs(majorRadius_) + std::fabs(minorRadius_);
  return {r, r, std::fabs(minorRadius_), 0};
}

void TGLTorus::EmitGeometry(TRenderContextInfo&) {
  const float ringStep = c2PI / float(rings_), sideStep = c2PI / float(sides_);
  float theta = 0, cosTheta = 1, sinTheta = 0;
  for (std::int64_t i = std::int64_t(rings_) - 1; i >= 0; --i) {
    const float theta1 = theta + ringStep;
    float sinTheta1, cosTheta1;
    SinCos(theta1, sinTheta1, cosTheta1);
    glBegin(GL_QUAD_STRIP);
    float phi = 0;
    for (std::int64_t j = sides_; j >= 0; --j) {
      phi += sideStep;
      float sinPhi, cosPhi;
      SinCos(phi, sinPhi, cosPhi);
      const float d = minorRadius_ * cosPhi + majorRadius_;
      const float t = float(j) / float(sides_);
      xgl.TexCoord2f(float(i) / float(rings_), t);
      glNormal3f(cosTheta1 * cosPhi, -sinTheta1 * cosPhi, sinPhi);
      glVertex3f(cosTheta1 * d, -sinTheta1 * d, minorRadius_ * sinPhi);
      xgl.TexCoord2f(float(i + 1) / float(rings_), t);
      glNormal3f(cosTheta * cosPhi, -sinTheta * cosPhi, sinPhi);
      glVertex3f(cosTheta * d, -sinTheta * d, minorRadius_ * sinPhi);
    }
    glEnd();
    theta = theta1;
    cosTheta = cosTheta1;
    sinTheta = sinTheta1;
  }
}

bool TGLTorus::IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                            THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) {
  // The ray walks by the torus's distance function: each step is as long as the distance
  // to the surface, so it never passes through the tube and stops on the first surface met.
  // (The closed-form quartic loses real roots to rounding: a ray across the ring could miss.)
  const TLocalRay r = ToLocalRay(*this, rayStart, rayVector);
  const float R = std::fabs(majorRadius_), rr = std::fabs(minorRadius_);
  auto distance = [&](const TAffineVector& p) {
    return VectorLength2D(VectorLength2D(p.X, p.Y) - R, p.Z) - rr;
  };
  const float bound = (R + rr) * 1.01f + 1e-6f;
  THomogeneousVector in, out;
  if (VectorIsNull(r.dir) ||
      IntersectRaySphere(PointMake(r.start), VectorFromAffine(r.dir, 0), NullHmgPoint, bound, in, out) <= 0)
    return false;
  const float tEnd = VectorDotProduct(VectorSubtract(AffineVectorFromVector(out), r.start), r.dir);
  float t = std::max(0.0f, VectorDotProduct(VectorSubtract(AffineVectorFromVector(in), r.start), r.dir));
  const float eps = 1e-6f * std::max(1.0f, R + rr);
  for (int i = 0; i < 512 && t <= tEnd; ++i) {
    const TAffineVector p = PointAt(r, t);
    const float d = std::fabs(distance(p));
    if (d < eps) {
      TAffineVector q{p.X, p.Y, 0};
      ScaleVector(q, majorRadius_ / (VectorLength(q) + 1e-6f));
      SetRayHit(*this, p, VectorSubtract(p, q), intersectPoint, intersectNormal);
      return true;
    }
    t += d;
  }
  return false;
}

// ---- TGLFrustrum ----
void TGLFrustrum::Assign(const TPersistent* source) {
  if (auto* f = dynamic_cast<const TGLFrustrum*>(source)) {
    apexHeight_ = f->apexHeight_;
    baseDepth_ = f->baseDepth_;
    baseWidth_ = f->baseWidth_;
    height_ = f->height_;
    parts_ = f->parts_;
    normalDirection_ = f->normalDirection_;
  }
  TGLSceneObject::Assign(source);
}

void TGLFrustrum::SetSize(float& field, float v) {
  if (v < 0 || v == field) return;
  field = v;
  StructureChanged();
}
void TGLFrustrum::SetApexHeight(float v) {
  if (v < 0 || v == apexHeight_) return;
  apexHeight_ = v;
  if (height_ > v) height_ = v;
  StructureChanged();
}
void TGLFrustrum::SetBaseDepth(float v) { SetSize(baseDepth_, v); }
void TGLFrustrum::SetBaseWidth(float v) { SetSize(baseWidth_, v); }
void TGLFrustrum::SetHeight(float v) {
  if (v < 0 || v == height_) return;
  height_ = v;
  if (apexHeight_ < v) apexHeight_ = v;
  StructureChanged();
}
void TGLFrustrum::SetParts(std::uint8_t p) { SetAndRebuild(*this, parts_, p); }
void TGLFrustrum::SetNormalDirection(TNormalDirection d) { SetAndRebuild(*this, normalDirection_, d); }

bool TGLFrustrum::FrustrumSizeStored() const {
  return apexHeight_ != 1 || baseDepth_ != 1 || baseWidth_ != 1 || height_ != 0.5f;
}
std::string TGLFrustrum::WriteFrustrumSize() const {
  const float v[4] = {apexHeight_, baseDepth_, baseWidth_, height_};
  std::string s(16, '\0');
  std::memcpy(s.data(), v, 16);
  return s;
}
bool TGLFrustrum::ReadFrustrumSize(const std::string& bytes) {
  if (bytes.size() != 16) return false;
  float v[4];
  std::memcpy(v, bytes.data(), 16);
  apexHeight_ = v[0];
  baseDepth_ = v[1];
  baseWidth_ = v[2];
  height_ = v[3];
  StructureChanged();
  return true;
}

THomogeneousVector TGLFrustrum::UnscaledHalfExtents() {
  return {baseWidth_ / 2, height_ / 2, baseDepth_ / 2, 0};
}

void TGLFrustrum::EmitGeometry(TRenderContextInfo&) {
  const float hw = baseWidth_ / 2, hd = baseDepth_ / 2, H = height_;
  // A frustum without an apex height is flat: the cut is the base itself.
  const float k = apexHeight_ != 0 ? (apexHeight_ - H) / apexHeight_ : 1.0f;
  const float tw = hw * k, td = hd * k;
  const float s = normalDirection_ == TNormalDirection::ndInside ? -1.0f : 1.0f;
  auto corner = [](float u, float v, float x, float y, float z) {
    xgl.TexCoord2f(u, v);
    glVertex3f(x, y, z);
  };
  glBegin(GL_QUADS);
  if (parts_ & (fpFront | fpBack)) {
    float sa, ca;
    SinCos(std::atan2(apexHeight_, hd), sa, ca);
    if (parts_ & fpFront) {
      glNormal3f(0, s * ca, s * sa);
      corner(1, 1, tw, H, td);
      corner(0, 1, -tw, H, td);
      corner(0, 0, -hw, 0, hd);
      corner(1, 0, hw, 0, hd);
    }
    if (parts_ & fpBack) {
      glNormal3f(0, s * ca, -s * sa);
      corner(0, 1, tw, H, -td);
      corner(0, 0, hw, 0, -hd);
      corner(1, 0, -hw, 0, -hd);
      corner(1, 1, -tw, H, -td);
    }
  }
  if (parts_ & (fpLeft | fpRight)) {
    float sb, cb;
    SinCos(std::atan2(apexHeight_, hw), sb, cb);
    if (parts_ & fpLeft) {
      glNormal3f(-s * sb, s * cb, 0);
      corner(1, 1, -tw, H, td);
      corner(0, 1, -tw, H, -td);
      corner(0, 0, -hw, 0, -hd);
      corner(1, 0, -hw, 0, hd);
    }
    if (parts_ & fpRight) {
      glNormal3f(s * sb, s * cb, 0);
      corner(0, 1, tw, H, td);
      corner(0, 0, hw, 0, hd);
      corner(1, 0, hw, 0, -hd);
      corner(1, 1, tw, H, -td);
    }
  }
  if ((parts_ & fpTop) && H < apexHeight_) {
    glNormal3f(0, s, 0);
    corner(0, 1, -tw, H, -td);
    corner(0, 0, -tw, H, td);
    corner(1, 0, tw, H, td);
    corner(1, 1, tw, H, -td);
  }
  if (parts_ & fpBottom) {
    glNormal3f(0, -s, 0);
    corner(0, 0, -hw, 0, -hd);
    corner(1, 0, hw, 0, -hd);
    corner(1, 1, hw, 0, hd);
    corner(0, 1, -hw, 0, hd);
  }
  glEnd();
}

// ---- TGLArrowLine ----
TGLArrowLine::TGLArrowLine(TComponent* owner) : TGLCylinderBase(owner) { SetBottomRadius(0.1f); }

void TGLArrowLine::Assign(const TPersistent* source) {
  if (auto* a = dynamic_cast<const TGLArrowLine*>(source)) {
    parts_ = a->parts_;
    topRadius_ = a->topRadius_;
    topHeadHeight_ = a->topHeadHeight_;
    topHeadRadius_ = a->topHeadRadius_;
    bottomHeadHeight_ = a->bottomHeadHeight_;
    bottomHeadRadius_ = a->bottomHeadRadius_;
    stacking_ = a->stacking_;
  }
  TGLCylinderBase::Assign(source);
}

void TGLArrowLine::EmitGeometry(TRenderContextInfo&) {
  WithQuadric(*this, [&](GLUquadricObj* q) {
    float f = 0;
    if (stacking_ == TArrowHeadStackingStyle::ahssCentered) f = 0.5f;
    if (stacking_ == TArrowHeadStackingStyle::ahssIncluded) f = 1;
    float length = Height(), z0 = -Height() / 2;
    const bool line = parts_ & alLine;
    if (parts_ & alTopArrow) {
      length -= topHeadHeight_ * f;
      EmitArrowHead(*this, q, false, topHeadHeight_, topHeadRadius_, line ? topRadius_ : 0, topHeadHeight_ * f);
    }
    if (parts_ & alBottomArrow) {
      length -= bottomHeadHeight_ * f;
      z0 += bottomHeadHeight_ * f;
      EmitArrowHead(*this, q, true, bottomHeadHeight_, bottomHeadRadius_, line ? BottomRadius() : 0,
                    bottomHeadHeight_ * f);
    }
    if (length > 0 && line) {
      glPushMatrix();
      glTranslatef(0, 0, z0);
      ApplyQuadricOrientation(q);
      gluCylinder(q, BottomRadius(), topRadius_, length, Slices(), Stacks());
      if (!(parts_ & alTopArrow)) DiskAt(q, length, 0, topRadius_, Slices(), Loops());
      if (!(parts_ & alBottomArrow)) {
        ApplyReversedQuadricOrientation(q);
        gluDisk(q, 0, BottomRadius(), Slices(), Loops());
      }
      glPopMatrix();
    }
  });
}

// ---- TGLPolygon ----
void TGLPolygon::Assign(const TPersistent* source) {
  if (auto* p = dynamic_cast<const TGLPolygon*>(source)) parts_ = p->parts_;
  TGLPolygonBase::Assign(source);
}

void TGLPolygon::SetParts(std::uint8_t p) { SetAndRebuild(*this, parts_, p); }

void TGLPolygon::EmitGeometry(TRenderContextInfo&) {
  TGLNodes& nodes = Nodes();
  // A face needs three distinct corners; fewer give nothing, not a tessellator error.
  std::vector<TAffineVector> distinct;
  for (int i = 0; i < nodes.Count() && distinct.size() < 3; ++i) {
    const TAffineVector v = nodes[i]->AsAffineVector();
    if (std::none_of(distinct.begin(), distinct.end(),
                     [&](const TAffineVector& d) { return VectorEquals(d, v); }))
      distinct.push_back(v);
  }
  if (distinct.size() < 3) return;
  TAffineVector n = nodes.Normal();
  const bool hasNormal = !VectorIsNull(n);
  const int divisions = SplineMode() != TLineSplineMode::lsmLines ? Division() : 1;
  if (parts_ & ppTop) nodes.RenderTesselatedPolygon(true, hasNormal ? &n : nullptr, divisions, false);
  if (parts_ & ppBottom) {
    NegateAffineVector(n);
    nodes.RenderTesselatedPolygon(true, hasNormal ? &n : nullptr, divisions, true);
  }
}

void RegisterGLGeomObjectsClasses() {
  RegisterSceneObjectClass<TGLCylinder>("TGLCylinder");
  RegisterSceneObjectClass<TGLCone>("TGLCone");
  RegisterSceneObjectClass<TGLTorus>("TGLTorus");
  RegisterSceneObjectClass<TGLDisk>("TGLDisk");
  RegisterSceneObjectClass<TGLArrowLine>("TGLArrowLine");
  RegisterSceneObjectClass<TGLAnnulus>("TGLAnnulus");
  RegisterSceneObjectClass<TGLFrustrum>("TGLFrustrum");
  RegisterSceneObjectClass<TGLPolygon>("TGLPolygon");
}

}  // namespace qx
