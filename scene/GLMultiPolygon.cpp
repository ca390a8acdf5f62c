#include "scene/GLMultiPolygon.h"

#include <algorithm>

#include "scene/GLRegistry.h"
#include "scene/GLShapeSupport.h"
#include "scene/base/SceneErrors.h"
#include "scene/base/Spline.h"

namespace qx {

// ---- TGLContourNodes ----
TGLContourNodes::TGLContourNodes(TGLContour* contour) : TGLNodes(contour), contour_(contour) {}

void TGLContourNodes::NotifyChange() {
  if (!Updating() && contour_) contour_->Changed();
}

// ---- TGLContour ----
TGLContour::TGLContour(TGLContours* collection) : collection_(collection), nodes_(this) {}

void TGLContour::Assign(const TPersistent* source) {
  if (auto* c = dynamic_cast<const TGLContour*>(source)) {
    nodes_.Assign(&c->nodes_);
    division_ = c->division_;
    splineMode_ = c->splineMode_;
    description_ = c->description_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

void TGLContour::SetNodes(const TGLNodes& n) {
  nodes_.Assign(&n);
  Changed();
}
void TGLContour::SetDivision(int v) {
  v = std::max(v, 1);
  if (v == division_) return;
  division_ = v;
  Changed();
}
void TGLContour::SetSplineMode(TLineSplineMode m) {
  if (m == splineMode_) return;
  splineMode_ = m;
  Changed();
}
std::string TGLContour::DisplayName() const {
  if (!description_.empty()) return description_;
  return "GLContour: " + std::to_string(nodes_.Count()) + " nodes";
}
void TGLContour::Changed() {
  if (collection_) collection_->Changed();
}

// ---- TGLContours ----
void TGLContours::Assign(const TPersistent* source) {
  auto* c = dynamic_cast<const TGLContours*>(source);
  if (!c) {
    TPersistent::Assign(source);
    return;
  }
  if (c == this) return;
  items_.clear();
  for (const auto& item : c->items_) {
    items_.push_back(std::make_unique<TGLContour>(this));
    items_.back()->Assign(item.get());
  }
  Changed();
}

TGLContour* TGLContours::Add() {
  items_.push_back(std::make_unique<TGLContour>(this));
  Changed();
  return items_.back().get();
}
void TGLContours::Delete(int index) {
  items_.erase(items_.begin() + index);
  Changed();
}
void TGLContours::Clear() {
  items_.clear();
  Changed();
}
int TGLContours::TotalNodeCount() const {
  int n = 0;
  for (const auto& c : items_) n += c->Nodes().Count();
  return n;
}
void TGLContours::Changed() {
  if (owner_) owner_->DropOutline();
}

// ---- TMultiPolygonBase ----
TMultiPolygonBase::TMultiPolygonBase(TComponent* owner) : TGLSceneObject(owner), contours_(this) {}

void TMultiPolygonBase::Assign(const TPersistent* source) {
  if (auto* m = dynamic_cast<const TMultiPolygonBase*>(source)) contours_.Assign(&m->contours_);
  TGLSceneObject::Assign(source);
}

TGLContourNodes& TMultiPolygonBase::Path(int index) {
  Require(index >= 0);
  while (contours_.Count() <= index) contours_.Add();
  return contours_[index]->Nodes();
}

const TPolygonList& TMultiPolygonBase::Outline() {
  if (!outline_) {
    auto list = std::make_unique<TPolygonList>();
    RetrieveOutline(*list);
    outline_ = std::move(list);
  }
  return *outline_;
}

void TMultiPolygonBase::SetNormal(const TAffineVector& n) {
  normal_ = n;
  DropOutline();
  StructureChanged();
}

void TMultiPolygonBase::DropOutline() {
  if (!outline_) return;
  outline_.reset();
  StructureChanged();
}

namespace {

// One contour to the tessellator: its nodes, or samples of a spline through them.
void IssueContour(TGLTessellator& tess, const TGLContour& contour, bool reversed) {
  const TGLNodes& nodes = contour.Nodes();
  const int divisions = contour.SplineMode() != TLineSplineMode::lsmLines ? contour.Division() : 0;
  tess.BeginContour();
  if (divisions < 2 || nodes.Count() < 2) {
    for (int i = 0; i < nodes.Count(); ++i)
      tess.Vertex(nodes[reversed ? nodes.Count() - 1 - i : i]->AsAffineVector());
  } else {
    const auto spline = nodes.CreateNewCubicSpline();
    const int n = (nodes.Count() - 1) * divisions;
    for (int i = 0; i <= n; ++i)
      tess.Vertex(spline->EvaluateAffineVector(float(reversed ? n - i : i) / float(divisions)));
  }
  tess.EndContour();
}

}  // namespace

void TMultiPolygonBase::RetrieveOutline(TPolygonList& list) {
  list.Clear();
  if (contours_.Count() < 1 || contours_[0]->Nodes().Count() <= 2) return;
  TGLTessellator tess(TGLTessellator::TOutput::otBoundary, contours_.TotalNodeCount(), &list);
  if (!tess.Valid()) return;
  tess.SetNormal(normal_);
  tess.SetWindingRule(GLU_TESS_WINDING_POSITIVE);
  tess.BeginPolygon();
  // The holes run the other way round: where they lie inside the boundary the winding
  // drops to 0.
  for (int i = 0; i < contours_.Count(); ++i) IssueContour(tess, *contours_[i], i > 0);
  tess.EndPolygon();
}

void TMultiPolygonBase::RenderTesselatedPolygon(bool textured, const TAffineVector* normal, bool invert) {
  const TPolygonList& outline = Outline();
  if (outline.Count() < 1 || outline[0].Count() < 2) return;
  int points = 0;
  for (int i = 0; i < outline.Count(); ++i) points += outline[i].Count();
  // Independent triangles only: the display list holds one kind of primitive.
  TGLTessellator tess(textured ? TGLTessellator::TOutput::otDrawTextured : TGLTessellator::TOutput::otDraw,
                      points, nullptr, true);
  if (!tess.Valid()) return;
  if (normal) {
    glNormal3fv(&normal->X);
    tess.SetNormal(*normal);
  }
  tess.SetWindingRule(GLU_TESS_WINDING_POSITIVE);
  tess.BeginPolygon();
  for (int i = 0; i < outline.Count(); ++i) {
    const TAffineVectorList& loop = outline[i];
    tess.BeginContour();
    for (int k = 0; k < loop.Count(); ++k) tess.Vertex(loop[invert ? loop.Count() - 1 - k : k]);
    tess.EndContour();
  }
  tess.EndPolygon();
}

// ---- TGLMultiPolygon ----
void TGLMultiPolygon::Assign(const TPersistent* source) {
  if (auto* m = dynamic_cast<const TGLMultiPolygon*>(source)) parts_ = m->parts_;
  TMultiPolygonBase::Assign(source);
}

void TGLMultiPolygon::SetParts(std::uint8_t p) { SetAndRebuild(*this, parts_, p); }

void TGLMultiPolygon::EmitGeometry(TRenderContextInfo&) {
  if (Outline().Count() < 1) return;
  TAffineVector n = Normal();
  if (parts_ & ppTop) RenderTesselatedPolygon(true, &n, false);
  if (parts_ & ppBottom) {
    NegateAffineVector(n);
    RenderTesselatedPolygon(true, &n, true);
  }
}

void RegisterGLMultiPolygonClasses() { RegisterSceneObjectClass<TGLMultiPolygon>("TGLMultiPolygon"); }

}  // namespace qx
