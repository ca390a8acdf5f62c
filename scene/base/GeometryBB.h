// The axis-aligned bounding box and its operations.
#pragma once
#include "scene/base/VectorGeometry.h"

namespace qx {

struct TAxisAlignedBox {
  TAffineVector Min, Max;
};

void MergeBox(TAxisAlignedBox& b, const TAxisAlignedBox& c);
void IncludeInBox(TAxisAlignedBox& b, const TAffineVector& p);
void SetBoxFromHalfExtents(TAxisAlignedBox& b, const TAffineVector& v);
void ScaleBox(TAxisAlignedBox& b, const TAffineVector& s);
// The axis-aligned box of the eight transformed corners.
void TransformBox(TAxisAlignedBox& b, const TMatrix& m);

}  // namespace qx
