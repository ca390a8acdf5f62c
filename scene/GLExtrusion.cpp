#include "scene/GLExtrusion.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "scene/GLRegistry.h"
#include "scene/XOpenGL.h"
#include "scene/base/Spline.h"

namespace qx {

namespace {

constexpr float kPi = 3.14159265f;

// x' = c x + s z, z' = c z - s x: the turn about Y of the nodes' RotateAroundY.
TAffineVector TurnAboutY(const TAffineVector& p, float s, float c, float lift = 0) {
  return {c * p.X + s * p.Z, p.Y + lift, c * p.Z - s * p.X};
}

void EmitVertex(const TAffineVector& normal, bool withNormal, float u, float v, const TAffineVector& p) {
  if (withNormal) glNormal3fv(&normal.X);
  xgl.TexCoord2f(u, v);
  glVertex3fv(&p.X);
}

}  // namespace

// ---- TGLRevolutionSolid ----
void TGLRevolutionSolid::Assign(const TPersistent* source) {
  if (auto* r = dynamic_cast<const TGLRevolutionSolid*>(source)) {
    slices_ = r->slices_;
    startAngle_ = r->startAngle_;
    stopAngle_ = r->stopAngle_;
    normals_ = r->normals_;
    yOffsetPerTurn_ = r->yOffsetPerTurn_;
    normalDirection_ = r->normalDirection_;
    parts_ = r->parts_;
  }
  TGLPolygonBase::Assign(source);
}

void TGLRevolutionSolid::SetSlices(int v) {
  if (v > 0) Set(slices_, v);
}
void TGLRevolutionSolid::SetStartAngle(float v) {
  if (v == startAngle_) return;
  startAngle_ = v;
  if (stopAngle_ < v) stopAngle_ = v;
  StructureChanged();
}
void TGLRevolutionSolid::SetStopAngle(float v) {
  if (v == stopAngle_) return;
  stopAngle_ = v;
  if (startAngle_ > v) startAngle_ = v;
  StructureChanged();
}

void TGLRevolutionSolid::EmitCap(float angle, bool start) {
  TAffineVector normal = Nodes().Barycenter();
  normal.Y = 0;
  const bool hasNormal = !VectorIsNull(normal);
  if (hasNormal) NormalizeVector(normal);
  const float rad = DegToRad(angle);
  auto copy = TGLNodes::CreateCopy(&Nodes(), nullptr);
  copy->RotateAroundY(angle);
  copy->Translate({0, yOffsetPerTurn_ * rad / c2PI, 0});
  float turn = rad + kPi / 2;
  if (start ? normalDirection_ == TNormalDirection::ndOutside
            : normalDirection_ == TNormalDirection::ndInside)
    turn += kPi;
  float s, c;
  SinCos(turn, s, c);
  normal = TurnAboutY(normal, s, c);
  const int divisions = SplineMode() != TLineSplineMode::lsmLines ? Division() : 1;
  copy->RenderTesselatedPolygon(false, hasNormal ? &normal : nullptr, divisions, false);
}

void TGLRevolutionSolid::EmitGeometry(TRenderContextInfo&) {
  triangleCount_ = 0;
  TGLNodes& nodes = Nodes();
  const int n = nodes.Count();
  if (n < 2 || !(startAngle_ < stopAngle_)) return;
  const float a0 = DegToRad(startAngle_), a1 = DegToRad(stopAngle_);
  // A sweep shorter than one slice still takes one step.
  const int steps = std::max(1, RoundToInt(float(slices_) * (a1 - a0) / c2PI));
  // The profile: the nodes, or samples of a spline through them; each with its parameter.
  std::vector<TAffineVector> profile;
  std::vector<float> param;
  if (SplineMode() != TLineSplineMode::lsmLines && Division() >= 2) {
    const auto spline = nodes.CreateNewCubicSpline();
    const int count = (n - 1) * Division();
    for (int i = 0; i <= count; ++i) {
      profile.push_back(spline->EvaluateAffineVector(float(i) / float(Division())));
      param.push_back(float(i) / float(count));
    }
  } else {
    for (int i = 0; i < n; ++i) {
      profile.push_back(nodes[i]->AsAffineVector());
      param.push_back(float(i) / float(n - 1));
    }
  }
  std::vector<float> sines(std::size_t(steps) + 1), cosines(std::size_t(steps) + 1),
      lifts(std::size_t(steps) + 1);
  for (int j = 0; j <= steps; ++j) {
    const float a = a0 + float(j) * (a1 - a0) / float(steps);
    SinCos(a, sines[std::size_t(j)], cosines[std::size_t(j)]);
    lifts[std::size_t(j)] = yOffsetPerTurn_ * a / c2PI;
  }
  const bool withNormals = normals_ != TNormalSmoothing::nsNone,
             smooth = normals_ == TNormalSmoothing::nsSmooth;
  for (const std::uint8_t part : {std::uint8_t(rspInside), std::uint8_t(rspOutside)}) {
    if (!(parts_ & part)) continue;
    // The two sides wind oppositely; the normal direction turns both.
    const bool swap = part == rspOutside ? normalDirection_ == TNormalDirection::ndInside
                                         : normalDirection_ == TNormalDirection::ndOutside;
    std::vector<TAffineVector> previous, current(std::size_t(steps) + 1);
    for (std::size_t k = 0; k + 1 < profile.size(); ++k) {
      const std::size_t ia = swap ? k + 1 : k, ib = swap ? k : k + 1;
      for (int j = 0; j <= steps; ++j) {
        const float s = sines[std::size_t(j)], c = cosines[std::size_t(j)], lift = lifts[std::size_t(j)];
        const TAffineVector q0 = TurnAboutY(profile[ia], s, c, lift),
                            q1 = TurnAboutY(profile[ib], s, c, lift);
        const TAffineVector sum = VectorAdd(q0, q1), d = VectorSubtract(q1, q0);
        TAffineVector nrm{-d.Y * sum.X, sum.X * d.X + sum.Z * d.Z, -sum.Z * d.Y};
        if (!VectorIsNull(nrm)) NormalizeVector(nrm);
        current[std::size_t(j)] = nrm;
      }
      glBegin(GL_TRIANGLE_STRIP);
      for (int j = 0; j <= steps; ++j) {
        const float s = sines[std::size_t(j)], c = cosines[std::size_t(j)], lift = lifts[std::size_t(j)];
        const float u = float(j) / float(steps);
        const TAffineVector& own = current[std::size_t(j)];
        // The edge shared with the segment before (profile point k) takes that one's normal.
        const TAffineVector& shared = smooth && !previous.empty() ? previous[std::size_t(j)] : own;
        EmitVertex(ia == k ? shared : own, withNormals, u, param[ia], TurnAboutY(profile[ia], s, c, lift));
        EmitVertex(ib == k ? shared : own, withNormals, u, param[ib], TurnAboutY(profile[ib], s, c, lift));
      }
      glEnd();
      previous = current;
      triangleCount_ += 2 * steps;
    }
  }
  xgl.TexCoord2f(0, 0);
  if (parts_ & rspStartPolygon) EmitCap(startAngle_, true);
  if (parts_ & rspStopPolygon) EmitCap(stopAngle_, false);
}

// ---- TGLExtrusionSolid ----
TGLExtrusionSolid::TGLExtrusionSolid(TComponent* owner)
    : TMultiPolygonBase(owner), cosMinSmoothAngle_(std::cos(DegToRad(5.0f))) {}

void TGLExtrusionSolid::Assign(const TPersistent* source) {
  if (auto* e = dynamic_cast<const TGLExtrusionSolid*>(source)) {
    stacks_ = e->stacks_;
    normals_ = e->normals_;
    normalDirection_ = e->normalDirection_;
    parts_ = e->parts_;
    height_ = e->height_;
    minSmoothAngle_ = e->minSmoothAngle_;
    cosMinSmoothAngle_ = e->cosMinSmoothAngle_;
  }
  TMultiPolygonBase::Assign(source);
}

void TGLExtrusionSolid::SetStacks(int v) {
  if (v > 0) Set(stacks_, v);
}
void TGLExtrusionSolid::SetMinSmoothAngle(float degrees) {
  minSmoothAngle_ = degrees;
  cosMinSmoothAngle_ = std::cos(DegToRad(degrees));
}

void TGLExtrusionSolid::EmitGeometry(TRenderContextInfo&) {
  triangleCount_ = 0;
  const TPolygonList& outline = Outline();
  if (outline.Count() < 1) return;
  const bool smooth = normals_ == TNormalSmoothing::nsSmooth;
  if (height_ != 0 && (parts_ & (espInside | espOutside))) {
    for (int l = 0; l < outline.Count(); ++l) {
      const TAffineVectorList& loop = outline[l];
      const int count = loop.Count();
      if (count <= 1) continue;
      for (const std::uint8_t part : {std::uint8_t(espInside), std::uint8_t(espOutside)}) {
        if (!(parts_ & part)) continue;
        // The inside faces the other way from the outside; ndInside turns both. A negative
        // height turns the winding by itself, and the normals with it.
        const bool flip = (part == espInside) != (normalDirection_ == TNormalDirection::ndInside);
        const float sign = (flip ? -1.0f : 1.0f) * (height_ < 0 ? -1.0f : 1.0f);
        TAffineVector previous;
        bool hasPrevious = false;
        for (int i = 0; i < count; ++i) {
          const bool closing = i == count - 1;
          const TAffineVector p0 = loop[i], p1 = loop[closing ? 0 : i + 1];
          TAffineVector nrm{p1.Y - p0.Y, p0.X - p1.X, 0};
          if (!VectorIsNull(nrm)) NormalizeVector(nrm);
          ScaleVector(nrm, sign);
          const TAffineVector shared =
              smooth && hasPrevious && VectorDotProduct(nrm, previous) >= cosMinSmoothAngle_ ? previous : nrm;
          const float s0 = closing ? 1.0f : float(i) / float(count - 1);
          const float s1 = closing ? 0.0f : float(i + 1) / float(count - 1);
          glBegin(GL_TRIANGLE_STRIP);
          for (int j = 0; j <= stacks_; ++j) {
            const float z = float(j) * height_ / float(stacks_), t = float(j) / float(stacks_);
            const TAffineVector a{p0.X, p0.Y, p0.Z + z}, b{p1.X, p1.Y, p1.Z + z};
            if (flip) {
              EmitVertex(nrm, true, s1, t, b);
              EmitVertex(shared, true, s0, t, a);
            } else {
              EmitVertex(shared, true, s0, t, a);
              EmitVertex(nrm, true, s1, t, b);
            }
          }
          glEnd();
          previous = nrm;
          hasPrevious = true;
          triangleCount_ += 2 * stacks_;
        }
      }
    }
    xgl.TexCoord2f(0, 0);
  }
  TAffineVector n = Normal();
  if (parts_ & espStopPolygon) {
    glPushMatrix();
    glTranslatef(0, 0, height_);
    RenderTesselatedPolygon(true, &n, normalDirection_ == TNormalDirection::ndInside);
    glPopMatrix();
  }
  if (parts_ & espStartPolygon) {
    NegateAffineVector(n);
    RenderTesselatedPolygon(true, &n, normalDirection_ == TNormalDirection::ndOutside);
  }
}

// ---- TGLPipeNode ----
TGLPipeNode::TGLPipeNode(TGLNodes* collection) : TGLNode(collection), color_(this, clrBlack) {
  color_.OnNotifyChange = [this](TObject*) { Changed(); };
}

void TGLPipeNode::Assign(const TPersistent* source) {
  if (auto* p = dynamic_cast<const TGLPipeNode*>(source)) radiusFactor_ = p->radiusFactor_;
  TGLNode::Assign(source);
}

void TGLPipeNode::SetRadiusFactor(float f) {
  if (f == radiusFactor_) return;
  radiusFactor_ = f;
  Changed();
}

std::string TGLPipeNode::PipeDisplayName() const {
  char buf[64];
  std::snprintf(buf, sizeof buf, " / rf = %.3f", double(radiusFactor_));
  return DisplayName() + buf;
}

// ---- TGLPipe ----
TGLPipe::TGLPipe(TComponent* owner)
    : TGLPolygonBase(owner, [](TGLNodes* c) { return std::make_unique<TGLPipeNode>(c); }) {}

void TGLPipe::Assign(const TPersistent* source) {
  if (auto* p = dynamic_cast<const TGLPipe*>(source)) {
    slices_ = p->slices_;
    parts_ = p->parts_;
    radius_ = p->radius_;
    colorMode_ = p->colorMode_;
  }
  TGLPolygonBase::Assign(source);
}

void TGLPipe::SetSlices(int v) {
  if (v > 0) Set(slices_, v);
}

namespace {

struct TRingPoint {
  TAffineVector normal, point;
};

// The section around centre c, perpendicular to d, of radius `radius` times f.
void MakeRing(const TAffineVector& c, const TAffineVector& d, float f, float radius,
              const std::vector<float>& sines, const std::vector<float>& cosines,
              std::vector<TRingPoint>& ring) {
  TAffineVector u = VectorCrossProduct(ZVector, d), v;
  if (VectorLength(u) > 1e-7f) {
    v = VectorCrossProduct(d, u);
  } else if (!VectorIsNull(d)) {
    u = VectorCrossProduct(XVector, d);
    v = VectorCrossProduct(d, u);
  } else {
    u = XVector;
    v = ZVector;
  }
  NormalizeVector(u);
  NormalizeVector(v);
  ring.resize(sines.size());
  for (std::size_t i = 0; i < sines.size(); ++i) {
    TAffineVector n = VectorCombine(u, v, cosines[i], sines[i]);
    ring[i].point = VectorCombine(c, n, 1, f * radius);
    ring[i].normal = n;
  }
}

}  // namespace

void TGLPipe::EmitGeometry(TRenderContextInfo&) {
  triangleCount_ = 0;
  TGLNodes& nodes = Nodes();
  const int n = nodes.Count();
  if (n == 0) return;
  std::vector<float> sines(std::size_t(slices_) + 1), cosines(std::size_t(slices_) + 1);
  for (int i = 0; i <= slices_; ++i)
    SinCos(c2PI * float(i) / float(slices_), sines[std::size_t(i)], cosines[std::size_t(i)]);
  const bool splined = SplineMode() == TLineSplineMode::lsmCubicSpline && n >= 2;
  std::unique_ptr<TCubicSpline> path, radii;
  if (splined) {
    path = nodes.CreateNewCubicSpline();
    std::vector<float> factors;
    for (int i = 0; i < n; ++i) factors.push_back(Node(i)->RadiusFactor());
    radii = std::make_unique<TCubicSpline>(factors.data(), nullptr, nullptr, nullptr, n);
  }
  const bool colored = colorMode_ != TPipeNodesColorMode::pncmNone;
  if (colored) {
    static const GLenum modes[] = {GL_EMISSION, GL_EMISSION, GL_AMBIENT, GL_DIFFUSE, GL_AMBIENT_AND_DIFFUSE};
    glPushAttrib(GL_LIGHTING_BIT);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, modes[int(colorMode_)]);
  }
  auto direction = [&](int node, float t) {
    if (!splined) return nodes.NodeVector(node);
    TAffineVector d = path->SplineSlopeVector(t);
    if (!VectorIsNull(d)) NormalizeVector(d);
    return d;
  };
  auto disk = [&](const TAffineVector& centre, const TAffineVector& normal,
                  const std::vector<TRingPoint>& ring, const TColorVector& color, bool reversed) {
    glBegin(GL_TRIANGLE_FAN);
    if (colored) glColor4fv(&color.X);
    glNormal3fv(&normal.X);
    glVertex3fv(&centre.X);
    for (std::size_t i = 0; i < ring.size(); ++i)
      glVertex3fv(&ring[reversed ? ring.size() - 1 - i : i].point.X);
    glEnd();
    triangleCount_ += slices_ + 1;
  };
  auto band = [&](const std::vector<TRingPoint>& from, const TColorVector& fromColor,
                  const std::vector<TRingPoint>& to, const TColorVector& toColor) {
    for (const std::uint8_t part : {std::uint8_t(ppOutside), std::uint8_t(ppInside)}) {
      if (!(parts_ & part)) continue;
      const bool inside = part == ppInside;
      glBegin(GL_TRIANGLE_STRIP);
      for (std::size_t i = 0; i < to.size(); ++i) {
        const std::pair<const TRingPoint*, const TColorVector*> pair[2] = {{&to[i], &toColor},
                                                                           {&from[i], &fromColor}};
        for (int k = 0; k < 2; ++k) {
          const auto& [p, c] = pair[inside ? 1 - k : k];
          if (colored) glColor4fv(&c->X);
          const TAffineVector nrm = inside ? VectorNegate(p->normal) : p->normal;
          glNormal3fv(&nrm.X);
          glVertex3fv(&p->point.X);
        }
      }
      glEnd();
      triangleCount_ += 2 * (slices_ + 1);
    }
  };

  std::vector<TRingPoint> ring, next;
  TAffineVector d = direction(0, 0);
  TColorVector color = Node(0)->Color().Color();
  MakeRing(nodes[0]->AsAffineVector(), d, Node(0)->RadiusFactor(), radius_, sines, cosines, ring);
  if (parts_ & ppStartDisk) disk(nodes[0]->AsAffineVector(), VectorNegate(d), ring, color, true);
  if (splined) {
    const int count = (n - 1) * Division();
    for (int i = 1; i <= count; ++i) {
      const float t = float(i) / float(Division());
      const int k = i / Division();
      const TColorVector c =
          k >= n - 1 ? Node(n - 1)->Color().Color()
                     : VectorLerp(Node(k)->Color().Color(), Node(k + 1)->Color().Color(), t - float(k));
      d = direction(k, t);
      MakeRing(path->EvaluateAffineVector(t), d, radii->EvaluateX(t), radius_, sines, cosines, next);
      band(ring, color, next, c);
      ring.swap(next);
      color = c;
    }
  } else {
    for (int k = 1; k < n; ++k) {
      const TColorVector c = Node(k)->Color().Color();
      d = direction(k, 0);
      MakeRing(nodes[k]->AsAffineVector(), d, Node(k)->RadiusFactor(), radius_, sines, cosines, next);
      band(ring, color, next, c);
      ring.swap(next);
      color = c;
    }
  }
  if (parts_ & ppStopDisk) disk(nodes[n - 1]->AsAffineVector(), d, ring, color, false);
  if (colored) glPopAttrib();
}

void RegisterGLExtrusionClasses() {
  RegisterSceneObjectClass<TGLRevolutionSolid>("TGLRevolutionSolid");
  RegisterSceneObjectClass<TGLExtrusionSolid>("TGLExtrusionSolid");
  RegisterSceneObjectClass<TGLPipe>("TGLPipe");
}

}  // namespace qx
