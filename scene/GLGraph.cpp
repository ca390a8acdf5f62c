#include "scene/GLGraph.h"

#include <cmath>
#include <vector>

#include "scene/GLRegistry.h"
#include "scene/GLShapeSupport.h"
#include "scene/GLState.h"
#include "scene/XOpenGL.h"

namespace qx {

// ---- TGLSamplingScale ----
void TGLSamplingScale::Assign(const TPersistent* source) {
  if (auto* s = dynamic_cast<const TGLSamplingScale*>(source)) {
    min_ = s->min_;
    max_ = s->max_;
    origin_ = s->origin_;
    step_ = s->step_;
    NotifyChange(this);
    return;
  }
  TGLUpdateAbleObject::Assign(source);
}

void TGLSamplingScale::SetMin(float v) {
  min_ = v;
  if (max_ < v) max_ = v;
  NotifyChange(this);
}
void TGLSamplingScale::SetMax(float v) {
  max_ = v;
  if (min_ > v) min_ = v;
  NotifyChange(this);
}
void TGLSamplingScale::SetOrigin(float v) {
  origin_ = v;
  NotifyChange(this);
}
void TGLSamplingScale::SetStep(float v) {
  step_ = v > 0 ? v : 1.0f;
  NotifyChange(this);
}

float TGLSamplingScale::SamplingStepBase() const {
  if (origin_ == min_) return min_;
  const float t = (origin_ - min_) / step_;
  return origin_ - step_ * std::floor(t);
}

int TGLSamplingScale::SamplingMaxStepCount() const { return RoundToInt((max_ - min_) / step_ + 0.5f); }

void TGLSamplingScale::SamplingBounds(float& base, float& step, float& max, bool samplingEnabled) const {
  step = step_;
  if (samplingEnabled) {
    base = SamplingStepBase();
    // A relative slack, so that rounding does not lose the last lattice point.
    max = max_ + ((max_ - base) / step) * 1e-6f;
  } else {
    base = max = origin_;
  }
}

namespace {

// The values base, base + step, ... up to max, each computed from its index (adding the
// step again and again could stall on large coordinates).
template <class F>
void ForEachSample(float base, float step, float max, F f) {
  for (std::int64_t i = 0;; ++i) {
    const float v = base + float(i) * step;
    if (!(v <= max)) break;
    f(v);
  }
}

}  // namespace

// ---- TGLHeightField ----
TGLHeightField::TGLHeightField(TComponent* owner) : TGLSceneObject(owner), xScale_(this), yScale_(this) {
  objectStyle_ |= osResetStateCache;
}

void TGLHeightField::Assign(const TPersistent* source) {
  if (auto* h = dynamic_cast<const TGLHeightField*>(source)) {
    xScale_.Assign(&h->xScale_);
    yScale_.Assign(&h->yScale_);
    onGetHeight_ = h->onGetHeight_;
    options_ = h->options_;
    colorMode_ = h->colorMode_;
    StructureChanged();
    return;
  }
  TGLSceneObject::Assign(source);
}

void TGLHeightField::NotifyChange(TObject* sender) {
  if (dynamic_cast<TGLSamplingScale*>(sender)) StructureChanged();
  TGLSceneObject::NotifyChange(sender);
}

void TGLHeightField::SetOptions(std::uint8_t o) { SetAndRebuild(*this, options_, o); }
void TGLHeightField::SetColorMode(THeightFieldColorMode m) { SetAndRebuild(*this, colorMode_, m); }
void TGLHeightField::SetOnGetHeight(TGetHeight f) {
  onGetHeight_ = std::move(f);
  StructureChanged();
}
void TGLHeightField::SetOnGetHeight2(TGetHeight2 f) {
  onGetHeight2_ = std::move(f);
  StructureChanged();
}

namespace {

struct TSample {
  TColorVector color;
  float z;
  TTexPoint tex;
  TAffineVector normal;
};

// Pops what was pushed, also when a height handler raises.
struct TAttribGuard {
  bool pushed = false;
  void Push(GLbitfield mask) {
    glPushAttrib(mask);
    pushed = true;
  }
  ~TAttribGuard() {
    if (pushed) glPopAttrib();
  }
};

}  // namespace

void TGLHeightField::EmitGeometry(TRenderContextInfo& rci) {
  triangleCount_ = 0;
  if (!xScale_.HasRange() || !yScale_.HasRange()) return;
  const int n = xScale_.SamplingMaxStepCount() + 1;
  if (n < 1) return;
  std::vector<TSample> rows[3] = {std::vector<TSample>(std::size_t(n)), std::vector<TSample>(std::size_t(n)),
                                  std::vector<TSample>(std::size_t(n))};
  int counts[3] = {0, 0, 0};
  const float x0 = xScale_.SamplingStepBase(), dx = xScale_.Step(), dy = yScale_.Step();
  const float gx = 1 / dx, gy = 1 / dy, xMax = xScale_.Max();
  const bool twoSided = options_ & hfoTwoSided;
  TAttribGuard attribs;
  if (twoSided || colorMode_ != THeightFieldColorMode::hfcmNone) {
    attribs.Push(GL_ENABLE_BIT | GL_POLYGON_BIT);
    if (twoSided) {
      // Both faces are drawn, each wound towards its own side and with its own normal, so
      // that the underside is lit as the top is; each shows only from its side.
      static const GLenum modes[] = {GL_FILL, GL_LINE, GL_POINT};
      glEnable(GL_CULL_FACE);
      glCullFace(GL_BACK);
      glPolygonMode(GL_FRONT_AND_BACK, modes[int(Material().FrontProperties().PolygonMode())]);
    }
    if (colorMode_ != THeightFieldColorMode::hfcmNone) {
      static const GLenum modes[] = {GL_EMISSION, GL_EMISSION, GL_AMBIENT, GL_DIFFUSE,
                                     GL_AMBIENT_AND_DIFFUSE};
      glEnable(GL_COLOR_MATERIAL);
      glColorMaterial(GL_FRONT_AND_BACK, modes[int(colorMode_)]);
      rci.GLStates->ResetGLMaterialColors();
    }
  }
  const bool designing = IsDesigning();
  auto height = [&](float x, float y, TSample& s) {
    s.tex = {x, y};
    if (onGetHeight_ && !designing) {
      onGetHeight_(x, y, s.z, s.color, s.tex);
    } else if (onGetHeight2_ && !designing) {
      onGetHeight2_(this, x, y, s.z, s.color, s.tex);
    } else {
      const float r = std::sqrt(x * x + y * y);
      s.z = std::cos(12 * r) / (2 * (6.28f * r + 1));
      s.color = {0.8f, 0.8f, 0.8f, 1};
    }
  };
  auto normals = [&](int prev, int cur, int next) {
    const int m = counts[cur];
    const std::vector<TSample>& c = rows[cur];
    for (int k = 0; k < m; ++k) {
      const float z = c[std::size_t(k)].z;
      // The slopes towards both neighbours, averaged: their sum would make the surface
      // twice as steep as it is, and its steep parts dark.
      float ex = 0, ey = 0;
      int nx = 0, ny = 0;
      if (k > 0) ex += (c[std::size_t(k) - 1].z - z) * gx, ++nx;
      if (k < m - 1) ex += (z - c[std::size_t(k) + 1].z) * gx, ++nx;
      if (prev >= 0 && k < counts[prev]) ey += (rows[prev][std::size_t(k)].z - z) * gy, ++ny;
      if (next >= 0 && k < counts[next]) ey += (z - rows[next][std::size_t(k)].z) * gy, ++ny;
      if (nx > 1) ex /= float(nx);
      if (ny > 1) ey /= float(ny);
      rows[cur][std::size_t(k)].normal = VectorNormalize(TAffineVector{ex, ey, 1});
    }
  };
  const bool colors = colorMode_ != THeightFieldColorMode::hfcmNone,
             textured = options_ & hfoTextureCoordinates;
  auto strip = [&](int lower, float yA, int upper, float yB) {
    const int m = std::min(counts[lower], counts[upper]);
    for (const bool sotto : {false, true}) {
      if (sotto && !twoSided) break;
      // The underside: the rows swapped turn every triangle over.
      const auto primo = sotto ? std::pair{lower, yA} : std::pair{upper, yB};
      const auto secondo = sotto ? std::pair{upper, yB} : std::pair{lower, yA};
      glBegin(GL_TRIANGLE_STRIP);
      for (int k = 0; k < m; ++k) {
        const float x = x0 + float(k) * dx;
        for (auto [row, y] : {primo, secondo}) {
          const TSample& s = rows[row][std::size_t(k)];
          const TAffineVector n = sotto ? VectorNegate(s.normal) : s.normal;
          glNormal3fv(&n.X);
          if (colors) glColor4fv(&s.color.X);
          if (textured) xgl.TexCoord2f(s.tex.S, s.tex.T);
          glVertex4f(x, y, s.z, 1);
        }
      }
      glEnd();
    }
  };

  int prev = -1, cur = -1, fresh = -1, rowCount = 0;
  float y = 0;
  const float y0 = yScale_.SamplingStepBase(), yMax = yScale_.Max();
  for (std::int64_t r = 0;; ++r) {
    y = y0 + float(r) * dy;
    if (!(y <= yMax)) break;
    prev = cur;
    cur = fresh;
    fresh = int(r % 3);
    int k = 0;
    for (; k < n; ++k) {
      const float x = x0 + float(k) * dx;
      if (!(x <= xMax)) break;
      height(x, y, rows[fresh][std::size_t(k)]);
    }
    counts[fresh] = k;
    if (cur >= 0) normals(prev, cur, fresh);
    if (r >= 2) strip(prev, y - 2 * dy, cur, y - dy);
    ++rowCount;
  }
  if (rowCount > 0) {
    const float yLast = y0 + float(rowCount - 1) * dy;
    normals(cur, fresh, -1);
    if (cur >= 0) strip(cur, yLast - dy, fresh, yLast);
    if (rowCount > 1 && counts[fresh] > 1) triangleCount_ = (rowCount - 1) * 2 * (counts[fresh] - 1);
  }
}

// ---- TGLXYZGrid ----
TGLXYZGrid::TGLXYZGrid(TComponent* owner) : TGLLineBase(owner), xScale_(this), yScale_(this), zScale_(this) {}

void TGLXYZGrid::Assign(const TPersistent* source) {
  if (auto* g = dynamic_cast<const TGLXYZGrid*>(source)) {
    xScale_.Assign(&g->xScale_);
    yScale_.Assign(&g->yScale_);
    zScale_.Assign(&g->zScale_);
    parts_ = g->parts_;
    linesStyle_ = g->linesStyle_;
  }
  TGLLineBase::Assign(source);
}

void TGLXYZGrid::NotifyChange(TObject* sender) {
  if (dynamic_cast<TGLSamplingScale*>(sender)) StructureChanged();
  TGLLineBase::NotifyChange(sender);
}

void TGLXYZGrid::SetParts(std::uint8_t p) { SetAndRebuild(*this, parts_, p); }
void TGLXYZGrid::SetLinesStyle(TXYZGridLinesStyle s) { SetAndRebuild(*this, linesStyle_, s); }

void TGLXYZGrid::EmitGeometry(TRenderContextInfo& rci) {
  SetupLineStyle(rci);
  float xb, xs, xm, yb, ys, ym, zb, zs, zm;
  xScale_.SamplingBounds(xb, xs, xm, parts_ & gpX);
  yScale_.SamplingBounds(yb, ys, ym, parts_ & gpY);
  zScale_.SamplingBounds(zb, zs, zm, parts_ & gpZ);
  const bool segments = linesStyle_ == TXYZGridLinesStyle::glsSegments;
  // One family of lines, along the axis `along` (0, 1, 2 for x, y, z), one for every pair
  // of values of the two other axes, in their x, y, z order.
  auto family = [&](const TGLSamplingScale& scale, float b, float s, float m, float b1, float s1, float m1,
                    float b2, float s2, float m2, int along) {
    auto vertex = [&](float a, float u, float v) {
      if (along == 0)
        glVertex3f(a, u, v);
      else if (along == 1)
        glVertex3f(u, a, v);
      else
        glVertex3f(u, v, a);
    };
    ForEachSample(b1, s1, m1, [&](float u) {
      ForEachSample(b2, s2, m2, [&](float v) {
        glBegin(GL_LINE_STRIP);
        if (segments) {
          ForEachSample(b, s, m, [&](float a) { vertex(a, u, v); });
        } else {
          vertex(scale.Min(), u, v);
          vertex(scale.Max(), u, v);
        }
        glEnd();
      });
    });
  };
  if (parts_ & gpX) family(xScale_, xb, xs, xm, yb, ys, ym, zb, zs, zm, 0);
  if (parts_ & gpY) family(yScale_, yb, ys, ym, xb, xs, xm, zb, zs, zm, 1);
  if (parts_ & gpZ) family(zScale_, zb, zs, zm, xb, xs, xm, yb, ys, ym, 2);
  RestoreLineStyle(rci);
}

void RegisterGLGraphClasses() {
  RegisterSceneObjectClass<TGLHeightField>("TGLHeightField");
  RegisterSceneObjectClass<TGLXYZGrid>("TGLXYZGrid");
}

}  // namespace qx
