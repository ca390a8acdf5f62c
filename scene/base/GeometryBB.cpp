#include "scene/base/GeometryBB.h"

#include <cmath>

namespace qx {

void MergeBox(TAxisAlignedBox& b, const TAxisAlignedBox& c) {
  for (int i = 0; i < 3; ++i) {
    if (c.Min[i] < b.Min[i]) b.Min[i] = c.Min[i];
    if (c.Max[i] > b.Max[i]) b.Max[i] = c.Max[i];
  }
}
void IncludeInBox(TAxisAlignedBox& b, const TAffineVector& p) {
  for (int i = 0; i < 3; ++i) {
    if (p[i] < b.Min[i]) b.Min[i] = p[i];
    if (p[i] > b.Max[i]) b.Max[i] = p[i];
  }
}
void SetBoxFromHalfExtents(TAxisAlignedBox& b, const TAffineVector& v) {
  b.Max = {std::fabs(v.X), std::fabs(v.Y), std::fabs(v.Z)};
  b.Min = VectorNegate(b.Max);
}
void ScaleBox(TAxisAlignedBox& b, const TAffineVector& s) {
  ScaleAffineVectorByVector(b.Min, s);
  ScaleAffineVectorByVector(b.Max, s);
}
void TransformBox(TAxisAlignedBox& b, const TMatrix& m) {
  const TAxisAlignedBox src = b;
  for (int k = 0; k < 8; ++k) {
    const TAffineVector corner{(k & 1) ? src.Max.X : src.Min.X, (k & 2) ? src.Max.Y : src.Min.Y,
                               (k & 4) ? src.Max.Z : src.Min.Z};
    const TAffineVector t = AffineVectorTransform(corner, m);
    if (k == 0) {
      b.Min = b.Max = t;
    } else {
      IncludeInBox(b, t);
    }
  }
}

}  // namespace qx
