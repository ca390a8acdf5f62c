#include "scene/base/GLSilhouette.h"

namespace qx {

void TConnectivity::Clear() {
  EdgeVertices.Clear();
  EdgeFaces.Clear();
  FaceVisible.Clear();
  FaceVertexIndex.Clear();
  FaceNormal.Clear();
  VertexMemory.Clear();
  Vertices.Clear();
}

int TConnectivity::AddFace(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3) {
  const int a = Vertices.FindOrAdd(p1), b = Vertices.FindOrAdd(p2), c = Vertices.FindOrAdd(p3);
  return AddIndexedFace(a, b, c);
}

int TConnectivity::AddQuad(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3,
                           const TAffineVector& p4) {
  const int a = Vertices.FindOrAdd(p1), b = Vertices.FindOrAdd(p2), c = Vertices.FindOrAdd(p3),
            d = Vertices.FindOrAdd(p4);
  const int first = AddIndexedFace(a, b, c);
  AddIndexedFace(c, d, a);
  return first;
}

int TConnectivity::AddIndexedFace(int i1, int i2, int i3) {
  FaceVertexIndex.Add3(i1, i2, i3);
  if (PrecomputeFaceNormal) FaceNormal.Add(CalcPlaneNormal(Vertices[i1], Vertices[i2], Vertices[i3]));
  const int face = FaceVisible.Add(0);
  AddIndexedEdge(i1, i2, face);
  AddIndexedEdge(i2, i3, face);
  AddIndexedEdge(i3, i1, face);
  return face;
}

void TConnectivity::AddIndexedEdge(int a, int b, int face) {
  for (int e = 0; e < EdgeCount(); ++e) {
    const int ea = EdgeVertices[2 * e], eb = EdgeVertices[2 * e + 1];
    if ((ea == a && eb == b) || (ea == b && eb == a)) {
      EdgeFaces[2 * e + 1] = face;
      return;
    }
  }
  EdgeVertices.Add2(a, b);
  EdgeFaces.Add2(face, -1);
}

int TConnectivity::SilhouetteIndex(int k, TGLSilhouette& s) {
  while (VertexMemory.Count() <= k) VertexMemory.Add(-1);
  int& idx = VertexMemory[k];
  if (idx < 0) idx = s.Vertices.AddPoint(Vertices[k]);
  return idx;
}

void TConnectivity::CreateSilhouette(const TGLSilhouetteParameters& params,
                                     std::unique_ptr<TGLSilhouette>& sil, bool addToSilhouette) {
  if (!sil)
    sil = std::make_unique<TGLSilhouette>();
  else if (!addToSilhouette)
    sil->Flush();
  VertexMemory.Flush();
  for (int f = 0; f < FaceCount(); ++f) {
    const int i1 = FaceVertexIndex[3 * f], i2 = FaceVertexIndex[3 * f + 1], i3 = FaceVertexIndex[3 * f + 2];
    const TAffineVector n =
        PrecomputeFaceNormal ? FaceNormal[f] : CalcPlaneNormal(Vertices[i1], Vertices[i2], Vertices[i3]);
    const float d = VectorDotProduct(VectorSubtract(params.SeenFrom, Vertices[i1]), n);
    const bool visible = d >= 0;
    FaceVisible[f] = visible ? 1 : 0;
    if (!visible && params.CappingRequired) {
      const int s3 = SilhouetteIndex(i3, *sil), s2 = SilhouetteIndex(i2, *sil),
                s1 = SilhouetteIndex(i1, *sil);
      sil->CapIndices.Add3(s1, s2, s3);
    }
  }
  for (int e = 0; e < EdgeCount(); ++e) {
    const int a = EdgeVertices[2 * e], b = EdgeVertices[2 * e + 1];
    const int f0 = EdgeFaces[2 * e], f1 = EdgeFaces[2 * e + 1];
    if (f1 != -1 && FaceVisible[f0] == FaceVisible[f1]) continue;
    if (!FaceVisible[f0]) {
      const int sa = SilhouetteIndex(a, *sil), sb = SilhouetteIndex(b, *sil);
      sil->Indices.Add2(sa, sb);
    } else if (f1 != -1) {
      const int sa = SilhouetteIndex(a, *sil), sb = SilhouetteIndex(b, *sil);
      sil->Indices.Add2(sb, sa);
    }
  }
}

}  // namespace qx
