#include "scene/GLLines.h"

#include <algorithm>
#include <cmath>

#include "scene/GLRegistry.h"
#include "scene/GLShapeSupport.h"
#include "scene/GLState.h"
#include "scene/base/Spline.h"

namespace qx {

// ---- TGLLineBase ----
TGLLineBase::TGLLineBase(TComponent* owner) : TGLImmaterialSceneObject(owner), lineColor_(this, clrWhite) {}

void TGLLineBase::Assign(const TPersistent* source) {
  if (auto* l = dynamic_cast<const TGLLineBase*>(source)) {
    lineColor_.DirectColor(l->lineColor_.Color());
    linePattern_ = l->linePattern_;
    lineWidth_ = l->lineWidth_;
    antiAliased_ = l->antiAliased_;
    StructureChanged();
    return;
  }
  TGLImmaterialSceneObject::Assign(source);
}

void TGLLineBase::SetLineColor(const TGLColor& c) {
  if (&c != &lineColor_) lineColor_.DirectColor(c.Color());
  StructureChanged();
}
void TGLLineBase::SetLinePattern(std::uint16_t p) { SetAndRebuild(*this, linePattern_, p); }
void TGLLineBase::SetLineWidth(float w) { SetAndRebuild(*this, lineWidth_, w); }
void TGLLineBase::SetAntiAliased(bool v) { SetAndRebuild(*this, antiAliased_, v); }

void TGLLineBase::SetupLineStyle(TRenderContextInfo&) const {
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
  glDisable(GL_LIGHTING);
  if (linePattern_ != 0xFFFF) {
    glEnable(GL_LINE_STIPPLE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLineStipple(1, linePattern_);
  }
  if (antiAliased_) {
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  } else {
    glDisable(GL_LINE_SMOOTH);
  }
  // A width of 0 or less is an OpenGL error: such lines take the thinnest width.
  glLineWidth(lineWidth_ > 0 ? lineWidth_ : 1.0f);
  if (lineColor_.Alpha() == 1) {
    glColor3fv(lineColor_.AsAddress());
  } else {
    if (!antiAliased_) {
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glColor4fv(lineColor_.AsAddress());
  }
}

// Everything set above lies in the pushed groups: the state cache's view stays true.
void TGLLineBase::RestoreLineStyle(TRenderContextInfo&) const { glPopAttrib(); }

// ---- TGLLinesNode ----
TGLLinesNode::TGLLinesNode(TGLNodes* collection, const TColorVector& color)
    : TGLNode(collection), color_(this, color) {
  color_.OnNotifyChange = [this](TObject*) { Changed(); };
}

void TGLLinesNode::Assign(const TPersistent* source) {
  if (auto* n = dynamic_cast<const TGLLinesNode*>(source)) color_.DirectColor(n->color_.Color());
  TGLNode::Assign(source);
}

bool TGLLinesNode::ColorStored(const TColorVector& nodeColor) const {
  return !VectorEquals(color_.Color(), nodeColor);
}

// ---- TGLNodedLines ----
TGLNodedLines::TGLNodedLines(TComponent* owner)
    : TGLLineBase(owner),
      nodes_(this, [this](TGLNodes* c) { return std::make_unique<TGLLinesNode>(c, nodeColor_.Color()); }),
      nodeColor_(this, clrBlue),
      oldNodeColor_(clrBlue) {
  nodeColor_.OnNotifyChange = [this](TObject*) { NodeColorChanged(); };
}

void TGLNodedLines::Assign(const TPersistent* source) {
  if (auto* l = dynamic_cast<const TGLNodedLines*>(source)) {
    nodes_.Assign(&l->nodes_);
    nodesAspect_ = l->nodesAspect_;
    nodeColor_.DirectColor(l->nodeColor_.Color());
    oldNodeColor_ = nodeColor_.Color();
    nodeSize_ = l->nodeSize_;
  }
  TGLLineBase::Assign(source);
}

void TGLNodedLines::SetNodes(const TGLNodes& n) {
  nodes_.Assign(&n);
  StructureChanged();
}
void TGLNodedLines::SetNodesAspect(TLineNodesAspect a) { SetAndRebuild(*this, nodesAspect_, a); }
void TGLNodedLines::SetNodeSize(float s) {
  nodeSize_ = s <= 0 ? 1.0f : s;
  StructureChanged();
}

void TGLNodedLines::NodeColorChanged() {
  const TColorVector now = nodeColor_.Color();
  for (int i = 0; i < nodes_.Count(); ++i) {
    TGLColor& c = Node(i)->Color();
    if (VectorEquals(c.Color(), oldNodeColor_)) c.DirectColor(now);
  }
  oldNodeColor_ = now;
  StructureChanged();
}

void TGLNodedLines::AddNode(const TAffineVector& v) {
  nodes_.AddNode(v);
  StructureChanged();
}

void TGLNodedLines::NotifyChange(TObject* sender) {
  if (sender == &nodes_) StructureChanged();
  TGLLineBase::NotifyChange(sender);
}

THomogeneousVector TGLNodedLines::UnscaledHalfExtents() {
  THomogeneousVector r{0, 0, 0, 0};
  for (int i = 0; i < nodes_.Count(); ++i) {
    const TGLNode* n = nodes_[i];
    r.X = std::max(r.X, std::fabs(n->X()));
    r.Y = std::max(r.Y, std::fabs(n->Y()));
    r.Z = std::max(r.Z, std::fabs(n->Z()));
  }
  return r;
}

void TGLNodedLines::DrawLineNode(TRenderContextInfo& rci, const TColorVector& color, float x, float y,
                                 float z) {
  glPushMatrix();
  glTranslatef(x, y, z);
  switch (nodesAspect_) {
    case TLineNodesAspect::lnaAxes:
      DrawAxes(rci, 0xCCCC, nodeSize_ / 2);
      break;
    case TLineNodesAspect::lnaCube:
      BuildWireframeCubeList(rci, false, color, nodeSize_);
      break;
    case TLineNodesAspect::lnaDodecahedron:
      rci.GLStates->SetGLMaterialColors(GL_FRONT, clrBlack, clrGray20, color, clrBlack, 0);
      if (nodeSize_ != 1) {
        glPushMatrix();
        glScalef(nodeSize_, nodeSize_, nodeSize_);
        BuildDodecahedronList();
        glPopMatrix();
      } else {
        BuildDodecahedronList();
      }
      break;
    case TLineNodesAspect::lnaInvisible:
      break;
  }
  glPopMatrix();
}

void TGLNodedLines::DrawNodes(TRenderContextInfo& rci) {
  if (nodesAspect_ == TLineNodesAspect::lnaInvisible) return;
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_LIGHTING_BIT);
  if (!rci.ignoreBlendingRequests) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
  glDisable(GL_TEXTURE_2D);
  if (GLCaps.ARB_texture_cube_map) glDisable(GL_TEXTURE_CUBE_MAP_ARB);
  // In a display list the cache's memory of the colours means nothing when it is replayed:
  // the colours are sent afresh.
  rci.GLStates->ResetGLMaterialColors();
  for (int i = 0; i < nodes_.Count(); ++i) {
    const TGLLinesNode* n = Node(i);
    DrawLineNode(rci, n->Color().Color(), n->X(), n->Y(), n->Z());
  }
  glPopAttrib();
}

// ---- TGLLines ----
void TGLLines::Assign(const TPersistent* source) {
  if (auto* l = dynamic_cast<const TGLLines*>(source)) {
    division_ = l->division_;
    splineMode_ = l->splineMode_;
    options_ = l->options_;
  }
  TGLNodedLines::Assign(source);
}

void TGLLines::SetDivision(int v) {
  v = std::max(1, v);
  if (v == division_) return;
  division_ = v;
  StructureChanged();
}
void TGLLines::SetSplineMode(TLineSplineMode m) { SetAndRebuild(*this, splineMode_, m); }
void TGLLines::SetOptions(std::uint8_t o) {
  options_ = o;
  StructureChanged();
}
void TGLLines::SetNurbsOrder(int order) {
  nurbsOrder_ = order;
  StructureChanged();
}
void TGLLines::SetNurbsSamplingTolerance(float t) {
  nurbsTolerance_ = t;
  StructureChanged();
}
void TGLLines::SetNurbsKnots(const std::vector<float>& knots) {
  knots_ = knots;
  StructureChanged();
}

void TGLLines::EmitNurbs() const {
  const int n = Nodes().Count();
  GLint maxOrder = 8;
  glGetIntegerv(GL_MAX_EVAL_ORDER, &maxOrder);
  // GLU wants one knot per control point plus the order, never decreasing.
  if (nurbsOrder_ < 2 || nurbsOrder_ > n || nurbsOrder_ > maxOrder || int(knots_.size()) != n + nurbsOrder_ ||
      !std::is_sorted(knots_.begin(), knots_.end()))
    return;
  std::vector<GLfloat> points;
  for (int i = 0; i < n; ++i) {
    const TGLNode* node = Nodes()[i];
    points.insert(points.end(), {node->X(), node->Y(), node->Z()});
  }
  std::vector<GLfloat> knots(knots_.begin(), knots_.end());
  GLUnurbsObj* nurbs = gluNewNurbsRenderer();
  if (!nurbs) return;
  gluNurbsProperty(nurbs, GLU_SAMPLING_TOLERANCE, nurbsTolerance_);
  gluNurbsProperty(nurbs, GLU_DISPLAY_MODE, GLU_FILL);
  gluBeginCurve(nurbs);
  gluNurbsCurve(nurbs, GLint(knots.size()), knots.data(), 3, points.data(), nurbsOrder_, GL_MAP1_VERTEX_3);
  gluEndCurve(nurbs);
  gluDeleteNurbsRenderer(nurbs);
}

void TGLLines::EmitGeometry(TRenderContextInfo& rci) {
  const int n = Nodes().Count();
  if (n < 2) return;
  SetupLineStyle(rci);
  const bool nodeColors = options_ & loUseNodeColorForLines;
  const bool curve = division_ >= 2;
  if (splineMode_ == TLineSplineMode::lsmNURBSCurve && curve) {
    EmitNurbs();
  } else {
    glBegin(splineMode_ == TLineSplineMode::lsmSegments ? GL_LINES : GL_LINE_STRIP);
    if (curve && splineMode_ == TLineSplineMode::lsmCubicSpline) {
      const auto spline = Nodes().CreateNewCubicSpline();
      const float f = 1.0f / float(division_);
      for (int i = 0; i <= (n - 1) * division_; ++i) {
        if (nodeColors) {
          const int k = i / division_;
          const TColorVector c = k >= n - 1
                                     ? Node(n - 1)->Color().Color()
                                     : VectorLerp(Node(k)->Color().Color(), Node(k + 1)->Color().Color(),
                                                  float(i % division_) * f);
          glColor4fv(&c.X);
        }
        const TAffineVector p = spline->EvaluateAffineVector(float(i) * f);
        glVertex3f(p.X, p.Y, p.Z);
      }
    } else if (curve && splineMode_ == TLineSplineMode::lsmBezierSpline) {
      // One Bezier curve of the nodes' degree, positions and colours alike (as OpenGL's
      // one-dimensional evaluators give it, without their limit on the order).
      std::vector<TAffineVector> p(static_cast<std::size_t>(n));
      std::vector<TColorVector> c(static_cast<std::size_t>(n));
      for (int i = 0; i <= division_; ++i) {
        const float u = float(i) / float(division_);
        for (int k = 0; k < n; ++k) {
          p[std::size_t(k)] = Node(k)->AsAffineVector();
          c[std::size_t(k)] = Node(k)->Color().Color();
        }
        for (int level = n - 1; level > 0; --level)
          for (int k = 0; k < level; ++k) {
            p[std::size_t(k)] = AffineVectorLerp(p[std::size_t(k)], p[std::size_t(k) + 1], u);
            c[std::size_t(k)] = VectorLerp(c[std::size_t(k)], c[std::size_t(k) + 1], u);
          }
        glColor4fv(&c[0].X);
        glVertex3f(p[0].X, p[0].Y, p[0].Z);
      }
    } else {
      for (int i = 0; i < n; ++i) {
        const TGLLinesNode* node = Node(i);
        if (nodeColors) glColor4fv(node->Color().AsAddress());
        glVertex3f(node->X(), node->Y(), node->Z());
      }
    }
    glEnd();
  }
  RestoreLineStyle(rci);
  DrawNodes(rci);
}

// ---- The constant polyhedra ----
namespace {

void EmitPolyhedron(const TAffineVector* vertices, const int* faces, int faceCount, int corners) {
  for (int f = 0; f < faceCount; ++f) {
    const int* face = faces + f * corners;
    const TAffineVector n = CalcPlaneNormal(vertices[face[0]], vertices[face[1]], vertices[face[2]]);
    glNormal3fv(&n.X);
    glBegin(corners == 3 ? GL_TRIANGLES : GL_TRIANGLE_FAN);
    for (int k = 0; k < corners; ++k) glVertex3fv(&vertices[face[k]].X);
    glEnd();
  }
}

}  // namespace

void BuildDodecahedronList() {
  constexpr float a = 0.48541f, b = 0.18541f, c = 0.3f;
  static const TAffineVector vertices[20] = {{-a, 0, b},  {-a, 0, -b}, {a, 0, -b},  {a, 0, b},    {b, -a, 0},
                                             {-b, -a, 0}, {-b, a, 0},  {b, a, 0},   {0, b, -a},   {0, -b, -a},
                                             {0, -b, a},  {0, b, a},   {-c, -c, c}, {-c, -c, -c}, {c, -c, -c},
                                             {c, -c, c},  {-c, c, c},  {-c, c, -c}, {c, c, -c},   {c, c, c}};
  static const int faces[12 * 5] = {0, 12, 10, 11, 16, 1, 17, 8, 9, 13, 2,  14, 9, 8, 18, 3,  19, 11, 10, 15,
                                    4, 14, 2,  3,  15, 5, 12, 0, 1, 13, 6,  17, 1, 0, 16, 7,  19, 3,  2,  18,
                                    8, 17, 6,  7,  18, 9, 14, 4, 5, 13, 10, 12, 5, 4, 15, 11, 19, 7,  6,  16};
  EmitPolyhedron(vertices, faces, 12, 5);
}

void BuildIcosahedronList() {
  constexpr float p = 0.309017f, q = 0.5f;
  static const TAffineVector vertices[12] = {{0, -p, -q}, {0, -p, q}, {0, p, -q}, {0, p, q},
                                             {-q, 0, -p}, {-q, 0, p}, {q, 0, -p}, {q, 0, p},
                                             {-p, -q, 0}, {-p, q, 0}, {p, -q, 0}, {p, q, 0}};
  static const int faces[20 * 3] = {2,  9,  11, 3, 11, 9, 3,  5, 1, 3, 1,  7, 2, 6,  0, 2, 0, 4, 1,  8,
                                    10, 0,  10, 8, 9,  4, 5,  8, 5, 4, 11, 7, 6, 10, 6, 7, 3, 9, 5,  3,
                                    7,  11, 2,  4, 9,  2, 11, 6, 0, 8, 4,  0, 6, 10, 1, 5, 8, 1, 10, 7};
  EmitPolyhedron(vertices, faces, 20, 3);
}

void RegisterGLLinesClasses() { RegisterSceneObjectClass<TGLLines>("TGLLines"); }

}  // namespace qx
