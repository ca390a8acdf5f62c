// The GLU tessellator for planar faces of several contours: either drawn at once
// (glBegin/glVertex/glEnd, optionally with each vertex's x and y as its texture
// coordinates), or reduced to the boundary loops of the filled region. Vertices live in a
// page pool that never moves them, so GLU may keep their addresses until the polygon ends.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scene/OpenGL1x.h"
#include "scene/base/VectorLists.h"

namespace qx {

// Fixed-size entries handed out from pages of entriesPerPage entries; a full page gets a
// successor, nothing ever moves. Sizes below 1 are an assertion failure.
class TVectorPool {
 public:
  TVectorPool(int entriesPerPage, int entrySize);
  void* GetNext();
  int PageCount() const { return int(pages_.size()); }

 private:
  int entrySize_, entriesPerPage_, used_ = 0;
  std::vector<std::unique_ptr<std::uint8_t[]>> pages_;
};

// The outline of a face: one list of points per boundary loop.
class TPolygonList {
 public:
  int Count() const { return int(loops_.size()); }
  TAffineVectorList& operator[](int i) { return *loops_.at(std::size_t(i)); }
  const TAffineVectorList& operator[](int i) const { return *loops_.at(std::size_t(i)); }
  // A new loop, made current.
  TAffineVectorList& AddPolygon();
  TAffineVectorList* Current() { return loops_.empty() ? nullptr : loops_.back().get(); }
  void Clear() { loops_.clear(); }

 private:
  std::vector<std::unique_ptr<TAffineVectorList>> loops_;
};

class TGLTessellator {
 public:
  enum class TOutput : std::uint8_t { otDraw, otDrawTextured, otBoundary };
  // boundary receives the loops in otBoundary. entriesPerPage sizes the vertex pool.
  // trianglesOnly draws independent triangles only (no fans or strips).
  TGLTessellator(TOutput output, int entriesPerPage, TPolygonList* boundary = nullptr,
                 bool trianglesOnly = false);
  ~TGLTessellator();
  TGLTessellator(const TGLTessellator&) = delete;
  TGLTessellator& operator=(const TGLTessellator&) = delete;
  bool Valid() const { return tess_ != nullptr; }
  void SetNormal(const TAffineVector& n);
  void SetWindingRule(GLenum rule);
  void BeginPolygon();
  void BeginContour();
  void Vertex(const TAffineVector& v);
  void EndContour();
  // A tessellator error raises EAssertionFailed "N : text" once GLU has returned.
  void EndPolygon();

  struct TState;

 private:
  GLUtesselator* tess_;
  std::unique_ptr<TState> state_;
};

}  // namespace qx
