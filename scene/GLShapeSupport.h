// Small helpers that the families of scene objects share: a setter that rebuilds, a ray
// taken into an object's local frame, and the hit handed back in absolute coordinates.
#pragma once
#include "scene/GLSceneObject.h"

namespace qx {

// Stores a different value and has the object's drawing rebuilt.
template <class T>
void SetAndRebuild(TGLBaseSceneObject& obj, T& field, T v) {
  if (field == v) return;
  field = v;
  obj.StructureChanged();
}

struct TLocalRay {
  TAffineVector start;  // local point
  TAffineVector dir;    // local direction, unit length (a null vector stays null)
};

inline TLocalRay ToLocalRay(TGLBaseSceneObject& obj, const THomogeneousVector& rayStart,
                            const THomogeneousVector& rayVector) {
  TLocalRay r;
  r.start = AffineVectorFromVector(obj.AbsoluteToLocal(PointMake(AffineVectorFromVector(rayStart))));
  r.dir = AffineVectorFromVector(obj.AbsoluteToLocal(VectorFromAffine(AffineVectorFromVector(rayVector), 0)));
  const float len = VectorLength(r.dir);
  if (len > 0) ScaleVector(r.dir, 1.0f / len);
  return r;
}

// Writes the outputs that the caller asked for: the local point as an absolute point and the
// local normal as an absolute direction.
inline void SetRayHit(TGLBaseSceneObject& obj, const TAffineVector& localPoint,
                      const TAffineVector& localNormal, THomogeneousVector* intersectPoint,
                      THomogeneousVector* intersectNormal) {
  if (intersectPoint) *intersectPoint = obj.LocalToAbsolute(PointMake(localPoint));
  if (intersectNormal) *intersectNormal = obj.LocalToAbsolute(VectorFromAffine(localNormal, 0));
}

}  // namespace qx
