#include "scene/GLCoordinates.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>

#include "scene/OpenGL1x.h"
#include "scene/XOpenGL.h"
#include "scene/base/SceneErrors.h"
#include "scene/base/Spline.h"

namespace qx {

// ---- TGLCoordinates ----
void TGLCoordinates::Assign(const TPersistent* source) {
  if (auto* c = dynamic_cast<const TGLCoordinates*>(source)) {
    coords_ = c->coords_;
    return;
  }
  TGLUpdateAbleObject::Assign(source);
}

void TGLCoordinates::NotifyChange(TObject* sender) {
  if (auto* c = dynamic_cast<TGLCoordinatesUpdateAbleComponent*>(Owner())) {
    if (UpdateCounter() == 0) c->CoordinatesChanged(this);
    return;
  }
  TGLUpdateAbleObject::NotifyChange(sender);
}

void TGLCoordinates::SetCoordinate(int index, float value) {
  coords_[index] = value;
  NotifyChange(this);
}

void TGLCoordinates::SetAsVector(const THomogeneousVector& v) {
  coords_ = v;
  if (style_ == csPointStyle)
    coords_.W = 1;
  else if (style_ == csVectorStyle)
    coords_.W = 0;
  NotifyChange(this);
}

void TGLCoordinates::SetAsAffineVector(const TAffineVector& v) {
  coords_ = {v.X, v.Y, v.Z, style_ == csPointStyle ? 1.0f : 0.0f};
  NotifyChange(this);
}

void TGLCoordinates::SetToVector(float x, float y, float z) { SetToVector(x, y, z, 0); }

void TGLCoordinates::SetToVector(float x, float y, float z, float w) {
  Require(style_ != csPointStyle);
  coords_ = {x, y, z, w};
  NotifyChange(this);
}

void TGLCoordinates::SetToPoint(float x, float y, float z) {
  Require(style_ != csVectorStyle);
  coords_ = {x, y, z, 1};
  NotifyChange(this);
}

void TGLCoordinates::Translate(const TAffineVector& v) {
  coords_.X += v.X;
  coords_.Y += v.Y;
  coords_.Z += v.Z;
  NotifyChange(this);
}

void TGLCoordinates::AddScaled(float factor, const TAffineVector& v) {
  CombineVector(coords_, VectorFromAffine(v, 0), factor);
  NotifyChange(this);
}

void TGLCoordinates::Invert() {
  coords_ = {-coords_.X, -coords_.Y, -coords_.Z, coords_.W};
  NotifyChange(this);
}

float TGLCoordinates::VectorLength() const { return qx::VectorLength(coords_); }
bool TGLCoordinates::Equals(const THomogeneousVector& v) const {
  return coords_.X == v.X && coords_.Y == v.Y && coords_.Z == v.Z && coords_.W == v.W;
}

std::string TGLCoordinates::WriteData() const {
  std::string s(16, '\0');
  std::memcpy(s.data(), &coords_.X, 16);
  return s;
}

bool TGLCoordinates::ReadData(const std::string& bytes) {
  if (bytes.size() != 16) return false;
  std::memcpy(&coords_.X, bytes.data(), 16);
  return true;
}

// ---- TGLNode ----
void TGLNode::Assign(const TPersistent* source) {
  if (auto* n = dynamic_cast<const TGLNode*>(source)) {
    v_ = n->v_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}
void TGLNode::Changed() {
  if (collection_) collection_->NotifyChange();
}
void TGLNode::SetX(float x) {
  v_.X = x;
  Changed();
}
void TGLNode::SetY(float y) {
  v_.Y = y;
  Changed();
}
void TGLNode::SetZ(float z) {
  v_.Z = z;
  Changed();
}
void TGLNode::SetW(float w) {
  v_.W = w;
  Changed();
}
void TGLNode::SetAsVector(const THomogeneousVector& v) {
  v_ = v;
  Changed();
}
std::string TGLNode::DisplayName() const {
  // A value that rounds to zero shows no sign.
  auto text = [](float f) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4f", double(f));
    return std::string(buf) == "-0.0000" ? std::string("0.0000") : std::string(buf);
  };
  return text(v_.X) + "; " + text(v_.Y) + "; " + text(v_.Z);
}
int TGLNode::Index() const {
  if (!collection_) return -1;
  for (int i = 0; i < collection_->Count(); ++i)
    if (collection_->GetNode(i) == this) return i;
  return -1;
}

// ---- TGLNodes ----
TGLNodes::TGLNodes(TPersistent* owner, TNodeFactory itemClass)
    : owner_(owner), factory_(std::move(itemClass)) {}

std::unique_ptr<TGLNodes> TGLNodes::CreateCopy(const TGLNodes* source, TPersistent* newOwner) {
  if (!source) return nullptr;
  auto copy = std::make_unique<TGLNodes>(newOwner, source->factory_);
  copy->Assign(source);
  return copy;
}

void TGLNodes::Assign(const TPersistent* source) {
  auto* src = dynamic_cast<const TGLNodes*>(source);
  if (!src) {
    TPersistent::Assign(source);
    return;
  }
  if (src == this) return;
  BeginUpdate();
  items_.clear();
  // Each item copies itself: node classes with more than coordinates keep the rest.
  for (const auto& n : src->items_) Add()->Assign(n.get());
  EndUpdate();
}

TGLNode* TGLNodes::Add() {
  items_.push_back(factory_ ? factory_(this) : std::make_unique<TGLNode>(this));
  items_.back()->collection_ = this;
  NotifyChange();
  return items_.back().get();
}

void TGLNodes::AddNode(const TAffineVector& v) { AddNode(v.X, v.Y, v.Z); }
void TGLNodes::AddNode(float x, float y, float z) {
  BeginUpdate();
  Add()->v_ = {x, y, z, 1};
  EndUpdate();
}

void TGLNodes::Delete(int index) {
  items_.erase(items_.begin() + index);
  NotifyChange();
}

void TGLNodes::Clear() {
  items_.clear();
  NotifyChange();
}

void TGLNodes::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0) NotifyChange();
}

void TGLNodes::NotifyChange() {
  if (updating_ != 0) return;
  if (auto* c = dynamic_cast<TGLUpdateAbleComponent*>(owner_)) c->NotifyChange(this);
}

TAffineVector TGLNodes::Barycenter() const {
  TAffineVector s;
  if (items_.empty()) return s;
  for (const auto& n : items_) AddVector(s, n->AsAffineVector());
  ScaleVector(s, 1.0f / float(items_.size()));
  return s;
}

TAffineVector TGLNodes::Normal() const {
  // The plane of the first three corners that span one: a corner repeated, or lying on the
  // line of the two before it, gives no plane and is passed over, so that a face whose
  // first nodes meet (a side of a solid with an apex) still faces the right way. Nodes all
  // on one line give no normal rather than a vector of NaNs or of rounding noise.
  if (items_.size() < 3) return NullVector;
  const TAffineVector p0 = items_[0]->AsAffineVector();
  std::size_t i = 1;
  while (i < items_.size() && VectorEquals(items_[i]->AsAffineVector(), p0)) ++i;
  if (i >= items_.size()) return NullVector;
  const TAffineVector e1 = VectorSubtract(items_[i]->AsAffineVector(), p0);
  for (std::size_t j = i + 1; j < items_.size(); ++j) {
    const TAffineVector e2 = VectorSubtract(items_[j]->AsAffineVector(), p0);
    const TAffineVector c = VectorCrossProduct(e1, e2);
    const float l = VectorLength(c);
    if (l > 1e-6f * VectorLength(e1) * VectorLength(e2) && std::isfinite(l)) return VectorScale(c, 1 / l);
  }
  return NullVector;
}

TAffineVector TGLNodes::NodeVector(int i) const {
  Require(i >= 0 && i < Count());
  TAffineVector r;
  if (i == 0) {
    if (Count() == 1) return NullVector;
    r = VectorSubtract(items_[1]->AsAffineVector(), items_[0]->AsAffineVector());
  } else if (i == Count() - 1) {
    r = VectorSubtract(items_[std::size_t(i)]->AsAffineVector(),
                       items_[std::size_t(i - 1)]->AsAffineVector());
  } else {
    r = VectorSubtract(items_[std::size_t(i + 1)]->AsAffineVector(),
                       items_[std::size_t(i - 1)]->AsAffineVector());
  }
  if (VectorLength(r) <= 1e-5f) return NullVector;
  return VectorNormalize(r);
}

void TGLNodes::Translate(const TAffineVector& v) {
  for (auto& n : items_) {
    n->v_.X += v.X;
    n->v_.Y += v.Y;
    n->v_.Z += v.Z;
  }
  NotifyChange();
}

void TGLNodes::RotateAroundY(float angle) {
  float s, c;
  SinCos(DegToRad(angle), s, c);
  for (auto& n : items_) {
    const float x = n->v_.X, z = n->v_.Z;
    n->v_.X = c * x + s * z;
    n->v_.Z = c * z - s * x;
  }
  NotifyChange();
}

std::unique_ptr<TCubicSpline> TGLNodes::CreateNewCubicSpline() const {
  std::vector<float> x, y, z;
  for (const auto& n : items_) {
    x.push_back(n->X());
    y.push_back(n->Y());
    z.push_back(n->Z());
  }
  return std::make_unique<TCubicSpline>(x.data(), y.data(), z.data(), nullptr, Count());
}

namespace {

// What the tessellator callbacks share: combined vertices in storage that never moves, and
// the first error, raised once GLU has returned.
struct TTessState {
  std::deque<TAffineVector> scratch;
  GLenum error = 0;
};

void GLAPIENTRY TessBegin(GLenum mode) { glBegin(mode); }
void GLAPIENTRY TessEnd() { glEnd(); }
void GLAPIENTRY TessVertex(void* data) { glVertex3fv(static_cast<const GLfloat*>(data)); }
void GLAPIENTRY TessTexturedVertex(void* data) {
  const GLfloat* v = static_cast<const GLfloat*>(data);
  xgl.TexCoord3fv(v);
  glVertex3fv(v);
}
void GLAPIENTRY TessError(GLenum err, void* polygonData) {
  auto* st = static_cast<TTessState*>(polygonData);
  if (st->error == 0) st->error = err;
}
// Its presence makes GLU send independent triangles only, no fans or strips: a display list
// of the polygon then holds one kind of primitive.
void GLAPIENTRY TessEdgeFlag(GLboolean) {}
void GLAPIENTRY TessCombine(GLdouble coords[3], void* [4], GLfloat[4], void** out, void* polygonData) {
  auto* st = static_cast<TTessState*>(polygonData);
  st->scratch.push_back({float(coords[0]), float(coords[1]), float(coords[2])});
  *out = &st->scratch.back();
}

}  // namespace

void TGLNodes::RenderTesselatedPolygon(bool textured, const TAffineVector* normal, int splineDivisions,
                                       bool invertOrder) const {
  if (Count() < 3) return;
  GLUtesselator* tess = gluNewTess();
  if (!tess) return;
  using Cb = void(GLAPIENTRY*)();
  gluTessCallback(tess, GLU_TESS_BEGIN, reinterpret_cast<Cb>(TessBegin));
  gluTessCallback(tess, GLU_TESS_END, reinterpret_cast<Cb>(TessEnd));
  gluTessCallback(tess, GLU_TESS_VERTEX,
                  textured ? reinterpret_cast<Cb>(TessTexturedVertex) : reinterpret_cast<Cb>(TessVertex));
  gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<Cb>(TessError));
  gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<Cb>(TessCombine));
  gluTessCallback(tess, GLU_TESS_EDGE_FLAG, reinterpret_cast<Cb>(TessEdgeFlag));
  TTessState st;
  if (normal) {
    glNormal3fv(&normal->X);
    gluTessNormal(tess, normal->X, normal->Y, normal->Z);
  }
  // The given vertices live in a buffer of their own too, so that the data pointers stay
  // valid until the polygon ends.
  std::vector<TAffineVector> points;
  if (splineDivisions > 1) {
    auto spline = CreateNewCubicSpline();
    const int n = (Count() - 1) * splineDivisions;
    for (int i = 0; i <= n; ++i) {
      const int k = invertOrder ? n - i : i;
      points.push_back(spline->EvaluateAffineVector(float(k) / float(splineDivisions)));
    }
  } else {
    for (int i = 0; i < Count(); ++i)
      points.push_back(items_[std::size_t(invertOrder ? Count() - 1 - i : i)]->AsAffineVector());
  }
  gluTessBeginPolygon(tess, &st);
  gluTessBeginContour(tess);
  for (auto& p : points) {
    GLdouble d[3] = {p.X, p.Y, p.Z};
    gluTessVertex(tess, d, &p);
  }
  gluTessEndContour(tess);
  gluTessEndPolygon(tess);
  gluDeleteTess(tess);
  if (st.error != 0) {
    const GLubyte* text = gluErrorString(st.error);
    throw EAssertionFailed(std::to_string(st.error) + ": " +
                           (text ? reinterpret_cast<const char*>(text) : ""));
  }
}

}  // namespace qx
