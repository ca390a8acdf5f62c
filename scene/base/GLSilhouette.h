// Silhouette outlines of an object as seen from a point, from a face/edge connectivity
// structure: the edges between a face turned to the viewer and one turned away, and, when
// asked, the turned-away faces as cap triangles.
#pragma once
#include <memory>

#include "scene/base/VectorLists.h"

namespace qx {

struct TGLSilhouetteParameters {
  TAffineVector SeenFrom;
  TAffineVector LightDirection;
  bool CappingRequired = false;
};

class TGLSilhouette {
 public:
  TVectorList Vertices;     // points, w = 1
  TIntegerList Indices;     // one pair per silhouette edge
  TIntegerList CapIndices;  // one triple per cap triangle
  void Flush() {
    Vertices.Flush();
    Indices.Flush();
    CapIndices.Flush();
  }
};

class TBaseConnectivity {
 public:
  explicit TBaseConnectivity(bool precomputeFaceNormal) : PrecomputeFaceNormal(precomputeFaceNormal) {}
  virtual ~TBaseConnectivity() = default;
  virtual int EdgeCount() const { return 0; }
  virtual int FaceCount() const { return 0; }
  // A null silhouette is created; without addToSilhouette an existing one is flushed first.
  virtual void CreateSilhouette(const TGLSilhouetteParameters&, std::unique_ptr<TGLSilhouette>&, bool) {}
  const bool PrecomputeFaceNormal;
};

class TConnectivity : public TBaseConnectivity {
 public:
  using TBaseConnectivity::TBaseConnectivity;
  int EdgeCount() const override { return EdgeVertices.Count() / 2; }
  int FaceCount() const override { return FaceVisible.Count(); }
  virtual void Clear();
  int AddFace(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3);
  int AddQuad(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3,
              const TAffineVector& p4);
  int AddIndexedFace(int i1, int i2, int i3);
  void AddIndexedEdge(int a, int b, int face);
  void CreateSilhouette(const TGLSilhouetteParameters& params, std::unique_ptr<TGLSilhouette>& silhouette,
                        bool addToSilhouette) override;

  TIntegerList EdgeVertices, EdgeFaces, FaceVertexIndex, VertexMemory;
  TByteList FaceVisible;
  TAffineVectorList FaceNormal, Vertices;

 private:
  int SilhouetteIndex(int k, TGLSilhouette& s);
};

}  // namespace qx
