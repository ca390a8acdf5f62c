#include "scene/GLTessellator.h"

#include <algorithm>
#include <cstring>

#include "scene/XOpenGL.h"
#include "scene/base/SceneErrors.h"

namespace qx {

// ---- TVectorPool ----
TVectorPool::TVectorPool(int entriesPerPage, int entrySize)
    : entrySize_(entrySize), entriesPerPage_(entriesPerPage) {
  Require(entriesPerPage >= 1 && entrySize >= 1);
  pages_.push_back(std::make_unique<std::uint8_t[]>(std::size_t(entriesPerPage_) * std::size_t(entrySize_)));
}

void* TVectorPool::GetNext() {
  if (used_ == entriesPerPage_) {
    pages_.push_back(
        std::make_unique<std::uint8_t[]>(std::size_t(entriesPerPage_) * std::size_t(entrySize_)));
    used_ = 0;
  }
  return pages_.back().get() + std::size_t(used_++) * std::size_t(entrySize_);
}

// ---- TPolygonList ----
TAffineVectorList& TPolygonList::AddPolygon() {
  loops_.push_back(std::make_unique<TAffineVectorList>());
  return *loops_.back();
}

// ---- TGLTessellator ----
struct TGLTessellator::TState {
  TState(TOutput o, int entries, TPolygonList* b) : output(o), pool(entries, 12), boundary(b) {}
  TOutput output;
  TVectorPool pool;
  TPolygonList* boundary;
  GLenum error = 0;
  bool inPrimitive = false;
};

namespace {

using TState = TGLTessellator::TState;

void GLAPIENTRY OnBegin(GLenum mode, void* data) {
  auto* st = static_cast<TState*>(data);
  if (st->output == TGLTessellator::TOutput::otBoundary) {
    st->boundary->AddPolygon();
  } else {
    glBegin(mode);
    st->inPrimitive = true;
  }
}
void GLAPIENTRY OnEnd(void* data) {
  auto* st = static_cast<TState*>(data);
  if (st->output != TGLTessellator::TOutput::otBoundary) {
    glEnd();
    st->inPrimitive = false;
  }
}
void GLAPIENTRY OnVertex(void* vertex, void* data) {
  auto* st = static_cast<TState*>(data);
  const GLfloat* v = static_cast<const GLfloat*>(vertex);
  switch (st->output) {
    case TGLTessellator::TOutput::otBoundary:
      if (TAffineVectorList* l = st->boundary->Current()) l->Add(TAffineVector{v[0], v[1], v[2]});
      break;
    case TGLTessellator::TOutput::otDrawTextured:
      xgl.TexCoord2fv(v);
      [[fallthrough]];
    case TGLTessellator::TOutput::otDraw:
      glVertex3fv(v);
      break;
  }
}
void GLAPIENTRY OnError(GLenum err, void* data) {
  auto* st = static_cast<TState*>(data);
  if (st->error == 0) st->error = err;
}
void GLAPIENTRY OnCombine(GLdouble coords[3], void* [4], GLfloat[4], void** out, void* data) {
  auto* st = static_cast<TState*>(data);
  auto* v = static_cast<GLfloat*>(st->pool.GetNext());
  v[0] = GLfloat(coords[0]);
  v[1] = GLfloat(coords[1]);
  v[2] = GLfloat(coords[2]);
  *out = v;
}

// Its mere presence makes GLU send independent triangles.
void GLAPIENTRY OnEdgeFlag(GLboolean, void*) {}

}  // namespace

TGLTessellator::TGLTessellator(TOutput output, int entriesPerPage, TPolygonList* boundary, bool trianglesOnly)
    : tess_(gluNewTess()), state_(std::make_unique<TState>(output, std::max(entriesPerPage, 1), boundary)) {
  Require(output != TOutput::otBoundary || boundary);
  if (!tess_) return;
  using Cb = void(GLAPIENTRY*)();
  gluTessCallback(tess_, GLU_TESS_BEGIN_DATA, reinterpret_cast<Cb>(OnBegin));
  gluTessCallback(tess_, GLU_TESS_END_DATA, reinterpret_cast<Cb>(OnEnd));
  gluTessCallback(tess_, GLU_TESS_VERTEX_DATA, reinterpret_cast<Cb>(OnVertex));
  gluTessCallback(tess_, GLU_TESS_ERROR_DATA, reinterpret_cast<Cb>(OnError));
  gluTessCallback(tess_, GLU_TESS_COMBINE_DATA, reinterpret_cast<Cb>(OnCombine));
  if (output == TOutput::otBoundary) gluTessProperty(tess_, GLU_TESS_BOUNDARY_ONLY, GL_TRUE);
  if (trianglesOnly) gluTessCallback(tess_, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<Cb>(OnEdgeFlag));
}

TGLTessellator::~TGLTessellator() {
  if (tess_) gluDeleteTess(tess_);
}

void TGLTessellator::SetNormal(const TAffineVector& n) {
  if (tess_) gluTessNormal(tess_, n.X, n.Y, n.Z);
}
void TGLTessellator::SetWindingRule(GLenum rule) {
  if (tess_) gluTessProperty(tess_, GLU_TESS_WINDING_RULE, rule);
}
void TGLTessellator::BeginPolygon() {
  if (tess_) gluTessBeginPolygon(tess_, state_.get());
}
void TGLTessellator::BeginContour() {
  if (tess_) gluTessBeginContour(tess_);
}
void TGLTessellator::Vertex(const TAffineVector& v) {
  if (!tess_) return;
  auto* stored = static_cast<GLfloat*>(state_->pool.GetNext());
  std::memcpy(stored, &v.X, 12);
  GLdouble d[3] = {v.X, v.Y, v.Z};
  gluTessVertex(tess_, d, stored);
}
void TGLTessellator::EndContour() {
  if (tess_) gluTessEndContour(tess_);
}
void TGLTessellator::EndPolygon() {
  if (!tess_) return;
  gluTessEndPolygon(tess_);
  // A primitive left open by an error is closed, so that the caller's OpenGL stays sound.
  if (state_->inPrimitive) {
    glEnd();
    state_->inPrimitive = false;
  }
  if (state_->error != 0) {
    const GLenum err = state_->error;
    state_->error = 0;
    const GLubyte* text = gluErrorString(err);
    throw EAssertionFailed(std::to_string(err) + " : " + (text ? reinterpret_cast<const char*>(text) : ""));
  }
}

}  // namespace qx
