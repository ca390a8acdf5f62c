#include "scene/base/VectorGeometry.h"

#include <cassert>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace qx {

using Ext = long double;

// ---- Making and copying ----
TAffineVector SetAffineVector(float x, float y, float z) { return {x, y, z}; }
void SetAffineVector(TAffineVector& v, float x, float y, float z) { v = {x, y, z}; }
TAffineVector AffineVectorFromVector(const THomogeneousVector& v) { return {v.X, v.Y, v.Z}; }
void AssignAffineVector(TAffineVector& dest, const TAffineVector& src) { dest = src; }
void AssignAffineVector(TAffineVector& dest, const THomogeneousVector& src) { dest = {src.X, src.Y, src.Z}; }
void AffineVectorToDouble(const TAffineVector& v, double out[3]) {
  out[0] = v.X;
  out[1] = v.Y;
  out[2] = v.Z;
}
THomogeneousVector VectorMake(float x, float y, float z, float w) { return {x, y, z, w}; }
void SetHomogeneousVector(THomogeneousVector& v, float x, float y, float z, float w) { v = {x, y, z, w}; }
THomogeneousVector VectorFromAffine(const TAffineVector& a, float w) { return {a.X, a.Y, a.Z, w}; }
void VectorFromAffine(THomogeneousVector& dest, const TAffineVector& a, float w) {
  dest = {a.X, a.Y, a.Z, w};
}
void AssignVector(THomogeneousVector& dest, const THomogeneousVector& src) { dest = src; }
THomogeneousVector PointMake(float x, float y, float z) { return {x, y, z, 1}; }
THomogeneousVector PointMake(const TAffineVector& a) { return {a.X, a.Y, a.Z, 1}; }
void SetPointVector(THomogeneousVector& v, float x, float y, float z) { v = {x, y, z, 1}; }
void SetDirectionVector(TAffineVector& v, float x, float y, float z) { v = {x, y, z}; }
void SetDirectionVector(THomogeneousVector& v, float x, float y, float z) { v = {x, y, z, 0}; }
void SetDirectionVector(THomogeneousVector& v, const TAffineVector& a) { v = {a.X, a.Y, a.Z, 0}; }
void ClearVector(THomogeneousVector& v) { v = {0, 0, 0, 0}; }

// ---- Component-wise arithmetic ----
TAffineVector AffineVectorAdd(const TAffineVector& a, const TAffineVector& b) {
  return {a.X + b.X, a.Y + b.Y, a.Z + b.Z};
}
TAffineVector VectorAdd(const TAffineVector& a, const TAffineVector& b) { return AffineVectorAdd(a, b); }
THomogeneousVector VectorAdd(const THomogeneousVector& a, const THomogeneousVector& b) {
  return {a.X + b.X, a.Y + b.Y, a.Z + b.Z, a.W + b.W};
}
void AddVector(TAffineVector& a, const TAffineVector& b) { a = AffineVectorAdd(a, b); }
void AddVectorToArray(const TAffineVector* src, const TAffineVector& delta, int count, TAffineVector* dest) {
  for (int i = 0; i < count; ++i) dest[i] = AffineVectorAdd(src[i], delta);
}
TAffineVector AffineVectorSubtract(const TAffineVector& a, const TAffineVector& b) {
  return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}
TAffineVector VectorSubtract(const TAffineVector& a, const TAffineVector& b) {
  return AffineVectorSubtract(a, b);
}
THomogeneousVector VectorSubtract(const THomogeneousVector& a, const THomogeneousVector& b) {
  return {a.X - b.X, a.Y - b.Y, a.Z - b.Z, a.W - b.W};
}
TAffineVector AffineVectorSubtract(const THomogeneousVector& a, const THomogeneousVector& b) {
  return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}
void SubtractVector(TAffineVector& a, const TAffineVector& b) { a = AffineVectorSubtract(a, b); }
void SubtractVector(THomogeneousVector& a, const THomogeneousVector& b) { a = VectorSubtract(a, b); }
void CombineVector(TAffineVector& v, const TAffineVector& w, float f) {
  v = {float(v.X + Ext(f) * w.X), float(v.Y + Ext(f) * w.Y), float(v.Z + Ext(f) * w.Z)};
}
void CombineVector(THomogeneousVector& v, const THomogeneousVector& w, float f) {
  v.X = float(v.X + Ext(f) * w.X);
  v.Y = float(v.Y + Ext(f) * w.Y);
  v.Z = float(v.Z + Ext(f) * w.Z);
}
TAffineVector VectorCombine(const TAffineVector& v1, const TAffineVector& v2, float f1, float f2) {
  return {float(Ext(f1) * v1.X + Ext(f2) * v2.X), float(Ext(f1) * v1.Y + Ext(f2) * v2.Y),
          float(Ext(f1) * v1.Z + Ext(f2) * v2.Z)};
}
THomogeneousVector VectorCombine(const THomogeneousVector& v1, const THomogeneousVector& v2, float f1,
                                 float f2) {
  THomogeneousVector r;
  for (int i = 0; i < 4; ++i) r[i] = float(Ext(f1) * v1[i] + Ext(f2) * v2[i]);
  return r;
}
THomogeneousVector VectorAddScaled(const THomogeneousVector& v1, const THomogeneousVector& v2, float f) {
  THomogeneousVector r;
  for (int i = 0; i < 4; ++i) r[i] = float(v1[i] + Ext(f) * v2[i]);
  return r;
}

float AffineVectorDotProduct(const TAffineVector& a, const TAffineVector& b) {
  return float(Ext(a.X) * b.X + Ext(a.Y) * b.Y + Ext(a.Z) * b.Z);
}
float VectorDotProduct(const TAffineVector& a, const TAffineVector& b) {
  return AffineVectorDotProduct(a, b);
}
float VectorDotProduct(const THomogeneousVector& a, const THomogeneousVector& b) {
  return float(Ext(a.X) * b.X + Ext(a.Y) * b.Y + Ext(a.Z) * b.Z + Ext(a.W) * b.W);
}
float PointProject(const TAffineVector& p, const TAffineVector& origin, const TAffineVector& direction) {
  return float(Ext(direction.X) * (Ext(p.X) - origin.X) + Ext(direction.Y) * (Ext(p.Y) - origin.Y) +
               Ext(direction.Z) * (Ext(p.Z) - origin.Z));
}
TAffineVector AffineVectorCrossProduct(const TAffineVector& a, const TAffineVector& b) {
  return {float(Ext(a.Y) * b.Z - Ext(a.Z) * b.Y), float(Ext(a.Z) * b.X - Ext(a.X) * b.Z),
          float(Ext(a.X) * b.Y - Ext(a.Y) * b.X)};
}
TAffineVector VectorCrossProduct(const TAffineVector& a, const TAffineVector& b) {
  return AffineVectorCrossProduct(a, b);
}
THomogeneousVector VectorCrossProduct(const THomogeneousVector& a, const THomogeneousVector& b) {
  const TAffineVector r = AffineVectorCrossProduct({a.X, a.Y, a.Z}, {b.X, b.Y, b.Z});
  return {r.X, r.Y, r.Z, 0.0f};
}
TAffineVector AffineVectorLerp(const TAffineVector& a, const TAffineVector& b, float t) {
  return {float(a.X + (Ext(b.X) - a.X) * t), float(a.Y + (Ext(b.Y) - a.Y) * t),
          float(a.Z + (Ext(b.Z) - a.Z) * t)};
}
THomogeneousVector VectorLerp(const THomogeneousVector& a, const THomogeneousVector& b, float t) {
  THomogeneousVector r;
  for (int i = 0; i < 4; ++i) r[i] = float(a[i] + (Ext(b[i]) - a[i]) * t);
  return r;
}
void AffineVectorArrayLerp(const TAffineVector* a, const TAffineVector* b, int count, float t,
                           TAffineVector* dest) {
  for (int i = 0; i < count; ++i) dest[i] = AffineVectorLerp(a[i], b[i], t);
}
void VectorArrayLerp(const THomogeneousVector* a, const THomogeneousVector* b, int count, float t,
                     THomogeneousVector* dest) {
  for (int i = 0; i < count; ++i) dest[i] = VectorLerp(a[i], b[i], t);
}

float VectorNorm2D(float x, float y) { return float(Ext(x) * x + Ext(y) * y); }
float VectorLength2D(float x, float y) { return float(std::sqrt(Ext(x) * x + Ext(y) * y)); }
static Ext Norm3(float x, float y, float z) { return Ext(x) * x + Ext(y) * y + Ext(z) * z; }
float AffineVectorNorm(const TAffineVector& v) { return float(Norm3(v.X, v.Y, v.Z)); }
float VectorSquaredLength(const TAffineVector& v) { return AffineVectorNorm(v); }
float VectorSquaredLength(const THomogeneousVector& v) { return float(Norm3(v.X, v.Y, v.Z)); }
float AffineVectorLength(const TAffineVector& v) { return float(std::sqrt(Norm3(v.X, v.Y, v.Z))); }
float VectorLength(const TAffineVector& v) { return AffineVectorLength(v); }
float VectorLength(const THomogeneousVector& v) { return float(std::sqrt(Norm3(v.X, v.Y, v.Z))); }

// No test for a zero length: a null vector gives non-finite components.
void NormalizeAffineVector(TAffineVector& v) {
  const Ext f = 1.0L / std::sqrt(Norm3(v.X, v.Y, v.Z));
  v = {float(v.X * f), float(v.Y * f), float(v.Z * f)};
}
TAffineVector AffineVectorNormalize(const TAffineVector& v) {
  TAffineVector r = v;
  NormalizeAffineVector(r);
  return r;
}
void NormalizeAffineVectorArray(TAffineVector* list, int count) {
  for (int i = 0; i < count; ++i) NormalizeAffineVector(list[i]);
}
void NormalizeVector(TAffineVector& v) { NormalizeAffineVector(v); }
void NormalizeVector(THomogeneousVector& v) {
  const Ext f = 1.0L / std::sqrt(Norm3(v.X, v.Y, v.Z));
  v = {float(v.X * f), float(v.Y * f), float(v.Z * f), 0.0f};
}
TAffineVector VectorNormalize(const TAffineVector& v) { return AffineVectorNormalize(v); }
THomogeneousVector VectorNormalize(const THomogeneousVector& v) {
  THomogeneousVector r = v;
  NormalizeVector(r);
  return r;
}
TAffineVector AffineVectorNegate(const TAffineVector& v) { return {-v.X, -v.Y, -v.Z}; }
TAffineVector VectorNegate(const TAffineVector& v) { return {-v.X, -v.Y, -v.Z}; }
THomogeneousVector VectorNegate(const THomogeneousVector& v) { return {-v.X, -v.Y, -v.Z, -v.W}; }
void NegateAffineVector(TAffineVector& v) { v = AffineVectorNegate(v); }
void NegateVector(THomogeneousVector& v) { v = VectorNegate(v); }
void ScaleAffineVector(TAffineVector& v, float f) { v = {v.X * f, v.Y * f, v.Z * f}; }
void ScaleVector(TAffineVector& v, float f) { ScaleAffineVector(v, f); }
void ScaleVector(THomogeneousVector& v, float f) { v = {v.X * f, v.Y * f, v.Z * f, v.W * f}; }
void ScaleAffineVectorByVector(TAffineVector& v, const TAffineVector& f) {
  v = {v.X * f.X, v.Y * f.Y, v.Z * f.Z};
}
void ScaleVectorByVector(THomogeneousVector& v, const THomogeneousVector& f) {
  v = {v.X * f.X, v.Y * f.Y, v.Z * f.Z, v.W * f.W};
}
TAffineVector AffineVectorScale(const TAffineVector& v, float f) { return {v.X * f, v.Y * f, v.Z * f}; }
TAffineVector VectorScale(const TAffineVector& v, float f) { return AffineVectorScale(v, f); }
THomogeneousVector VectorScale(const THomogeneousVector& v, float f) {
  return {v.X * f, v.Y * f, v.Z * f, v.W * f};
}

static bool SameBits(const float* a, const float* b, int n) {
  return std::memcmp(a, b, sizeof(float) * n) == 0;
}
bool VectorEquals(const TAffineVector& a, const TAffineVector& b) { return SameBits(&a.X, &b.X, 3); }
bool VectorEquals(const THomogeneousVector& a, const THomogeneousVector& b) {
  return SameBits(&a.X, &b.X, 4);
}
bool VectorIsNull(const TAffineVector& v) { return v.X == 0 && v.Y == 0 && v.Z == 0; }
bool VectorIsNull(const THomogeneousVector& v) { return v.X == 0 && v.Y == 0 && v.Z == 0; }
float VectorSpacing(const TAffineVector& a, const TAffineVector& b) {
  return float(std::fabs(Ext(a.X) - b.X) + std::fabs(Ext(a.Y) - b.Y) + std::fabs(Ext(a.Z) - b.Z));
}
static Ext Dist2(const float* a, const float* b) {
  const Ext dx = Ext(a[0]) - b[0], dy = Ext(a[1]) - b[1], dz = Ext(a[2]) - b[2];
  return dx * dx + dy * dy + dz * dz;
}
float VectorDistance(const TAffineVector& a, const TAffineVector& b) {
  return float(std::sqrt(Dist2(&a.X, &b.X)));
}
float VectorDistance(const THomogeneousVector& a, const THomogeneousVector& b) {
  return float(std::sqrt(Dist2(&a.X, &b.X)));
}
float VectorDistance2(const TAffineVector& a, const TAffineVector& b) { return float(Dist2(&a.X, &b.X)); }
float VectorDistance2(const THomogeneousVector& a, const THomogeneousVector& b) {
  return float(Dist2(&a.X, &b.X));
}
TAffineVector VectorPerpendicular(const TAffineVector& v, const TAffineVector& n) {
  const float dot = VectorDotProduct(v, n);
  return {float(v.X - Ext(dot) * n.X), float(v.Y - Ext(dot) * n.Y), float(v.Z - Ext(dot) * n.Z)};
}
THomogeneousVector VectorAbs(const THomogeneousVector& v) {
  return {std::fabs(v.X), std::fabs(v.Y), std::fabs(v.Z), std::fabs(v.W)};
}
void MaxVector(THomogeneousVector& v, const THomogeneousVector& w) {
  for (int i = 0; i < 4; ++i)
    if (w[i] > v[i]) v[i] = w[i];
}

// ---- Rotations ----
void RotateVector(THomogeneousVector& v, const TAffineVector& axis, float angle) {
  v = VectorTransform(v, CreateRotationMatrix(axis, angle));
}
TAffineVector RotateAroundY(const TAffineVector& v, float alpha) {
  float s, c;
  SinCos(alpha, s, c);
  return {float(Ext(c) * v.X + Ext(s) * v.Z), v.Y, float(Ext(c) * v.Z - Ext(s) * v.X)};
}

// ---- Matrices ----
TDoubleMatrix MatrixToDouble(const TMatrix& m) {
  TDoubleMatrix r{};
  for (int i = 0; i < 16; ++i) r.M[i] = m.data()[i];
  return r;
}
TMatrix CreateScaleMatrix(const TAffineVector& v) {
  TMatrix m = IdentityHmgMatrix;
  m[0][0] = v.X;
  m[1][1] = v.Y;
  m[2][2] = v.Z;
  return m;
}
TMatrix CreateTranslationMatrix(const TAffineVector& v) {
  TMatrix m = IdentityHmgMatrix;
  m[3] = {v.X, v.Y, v.Z, 1};
  return m;
}
TMatrix CreateTranslationMatrix(const THomogeneousVector& v) {
  return CreateTranslationMatrix(AffineVectorFromVector(v));
}
TMatrix CreateScaleAndTranslationMatrix(const THomogeneousVector& scale, const THomogeneousVector& offset) {
  TMatrix m = IdentityHmgMatrix;
  m[0][0] = scale.X;
  m[1][1] = scale.Y;
  m[2][2] = scale.Z;
  m[3] = {offset.X, offset.Y, offset.Z, 1};
  return m;
}
TMatrix CreateRotationMatrix(const TAffineVector& anAxis, float angle) {
  float s, c;
  SinCos(angle, s, c);
  const Ext t = 1.0L - c;
  const TAffineVector axis = VectorNormalize(anAxis);
  const Ext x = axis.X, y = axis.Y, z = axis.Z;
  TMatrix m;
  m[0] = {float(t * x * x + c), float(t * x * y - z * s), float(t * z * x + y * s), 0};
  m[1] = {float(t * x * y + z * s), float(t * y * y + c), float(t * y * z - x * s), 0};
  m[2] = {float(t * z * x - y * s), float(t * y * z + x * s), float(t * z * z + c), 0};
  m[3] = {0, 0, 0, 1};
  return m;
}
TMatrix CreateRotationMatrix(const THomogeneousVector& axis, float angle) {
  return CreateRotationMatrix(AffineVectorFromVector(axis), angle);
}
void MatrixMultiply(const TMatrix& a, const TMatrix& b, TMatrix& r) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r[i][j] = float(Ext(a[i][0]) * b[0][j] + Ext(a[i][1]) * b[1][j] + Ext(a[i][2]) * b[2][j] +
                      Ext(a[i][3]) * b[3][j]);
}
TMatrix MatrixMultiply(const TMatrix& a, const TMatrix& b) {
  TMatrix r;
  MatrixMultiply(a, b, r);
  return r;
}
THomogeneousVector VectorTransform(const THomogeneousVector& v, const TMatrix& m) {
  THomogeneousVector r;
  for (int j = 0; j < 4; ++j)
    r[j] = float(Ext(v.X) * m[0][j] + Ext(v.Y) * m[1][j] + Ext(v.Z) * m[2][j] + Ext(v.W) * m[3][j]);
  return r;
}
TAffineVector VectorTransform(const TAffineVector& v, const TMatrix& m) {
  TAffineVector r;
  for (int j = 0; j < 3; ++j) r[j] = float(Ext(v.X) * m[0][j] + Ext(v.Y) * m[1][j] + Ext(v.Z) * m[2][j]);
  return r;
}
TAffineVector AffineVectorTransform(const TAffineVector& v, const TMatrix& m) {
  TAffineVector r;
  for (int j = 0; j < 3; ++j)
    r[j] = float(Ext(v.X) * m[0][j] + Ext(v.Y) * m[1][j] + Ext(v.Z) * m[2][j] + m[3][j]);
  return r;
}

static Ext Det3(Ext a1, Ext a2, Ext a3, Ext b1, Ext b2, Ext b3, Ext c1, Ext c2, Ext c3) {
  return a1 * (b2 * c3 - b3 * c2) - b1 * (a2 * c3 - a3 * c2) + c1 * (a2 * b3 - a3 * b2);
}
static Ext Determinant(const TMatrix& m) {
  const Ext a1 = m[0][0], b1 = m[0][1], c1 = m[0][2], d1 = m[0][3];
  const Ext a2 = m[1][0], b2 = m[1][1], c2 = m[1][2], d2 = m[1][3];
  const Ext a3 = m[2][0], b3 = m[2][1], c3 = m[2][2], d3 = m[2][3];
  const Ext a4 = m[3][0], b4 = m[3][1], c4 = m[3][2], d4 = m[3][3];
  return a1 * Det3(b2, b3, b4, c2, c3, c4, d2, d3, d4) - b1 * Det3(a2, a3, a4, c2, c3, c4, d2, d3, d4) +
         c1 * Det3(a2, a3, a4, b2, b3, b4, d2, d3, d4) - d1 * Det3(a2, a3, a4, b2, b3, b4, c2, c3, c4);
}
float MatrixDeterminant(const TMatrix& m) { return float(Determinant(m)); }
void AdjointMatrix(TMatrix& m) {
  const Ext a1 = m[0][0], b1 = m[0][1], c1 = m[0][2], d1 = m[0][3];
  const Ext a2 = m[1][0], b2 = m[1][1], c2 = m[1][2], d2 = m[1][3];
  const Ext a3 = m[2][0], b3 = m[2][1], c3 = m[2][2], d3 = m[2][3];
  const Ext a4 = m[3][0], b4 = m[3][1], c4 = m[3][2], d4 = m[3][3];
  m[0][0] = float(Det3(b2, b3, b4, c2, c3, c4, d2, d3, d4));
  m[1][0] = float(-Det3(a2, a3, a4, c2, c3, c4, d2, d3, d4));
  m[2][0] = float(Det3(a2, a3, a4, b2, b3, b4, d2, d3, d4));
  m[3][0] = float(-Det3(a2, a3, a4, b2, b3, b4, c2, c3, c4));
  m[0][1] = float(-Det3(b1, b3, b4, c1, c3, c4, d1, d3, d4));
  m[1][1] = float(Det3(a1, a3, a4, c1, c3, c4, d1, d3, d4));
  m[2][1] = float(-Det3(a1, a3, a4, b1, b3, b4, d1, d3, d4));
  m[3][1] = float(Det3(a1, a3, a4, b1, b3, b4, c1, c3, c4));
  m[0][2] = float(Det3(b1, b2, b4, c1, c2, c4, d1, d2, d4));
  m[1][2] = float(-Det3(a1, a2, a4, c1, c2, c4, d1, d2, d4));
  m[2][2] = float(Det3(a1, a2, a4, b1, b2, b4, d1, d2, d4));
  m[3][2] = float(-Det3(a1, a2, a4, b1, b2, b4, c1, c2, c4));
  m[0][3] = float(-Det3(b1, b2, b3, c1, c2, c3, d1, d2, d3));
  m[1][3] = float(Det3(a1, a2, a3, c1, c2, c3, d1, d2, d3));
  m[2][3] = float(-Det3(a1, a2, a3, b1, b2, b3, d1, d2, d3));
  m[3][3] = float(Det3(a1, a2, a3, b1, b2, b3, c1, c2, c3));
}
void ScaleMatrix(TMatrix& m, float f) {
  for (int i = 0; i < 16; ++i) m.data()[i] *= f;
}
void TransposeMatrix(TMatrix& m) {
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j) {
      const float t = m[i][j];
      m[i][j] = m[j][i];
      m[j][i] = t;
    }
}
void NormalizeMatrix(TMatrix& m) {
  m[0][3] = 0;
  NormalizeVector(m[0]);
  m[1][3] = 0;
  NormalizeVector(m[1]);
  m[2] = VectorCrossProduct(m[0], m[1]);
  m[0] = VectorCrossProduct(m[1], m[2]);
  m[3] = WHmgVector;
}
void InvertMatrix(TMatrix& m) {
  const Ext det = Determinant(m);
  if (std::fabs(det) < EPSILON) {
    m = IdentityHmgMatrix;
    return;
  }
  AdjointMatrix(m);
  ScaleMatrix(m, float(1.0L / det));
}
TMatrix AnglePreservingMatrixInvert(const TMatrix& m) {
  const Ext s = Norm3(m[0][0], m[0][1], m[0][2]);
  if (std::fabs(s) < EPSILON) return IdentityHmgMatrix;
  const Ext f = 1.0L / s;
  TMatrix r;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r[i][j] = float(m[j][i] * f);
  r[0][3] = r[1][3] = r[2][3] = 0;
  r[3][3] = 1;
  for (int j = 0; j < 3; ++j)
    r[3][j] = float(-(Ext(r[0][j]) * m[3][0] + Ext(r[1][j]) * m[3][1] + Ext(r[2][j]) * m[3][2]));
  return r;
}

// ---- Planes ----
TAffineVector CalcPlaneNormal(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3) {
  return VectorNormalize(VectorCrossProduct(VectorSubtract(p2, p1), VectorSubtract(p3, p1)));
}
void CalcPlaneNormal(const THomogeneousVector& p1, const THomogeneousVector& p2, const THomogeneousVector& p3,
                     THomogeneousVector& out) {
  const TAffineVector n =
      CalcPlaneNormal(AffineVectorFromVector(p1), AffineVectorFromVector(p2), AffineVectorFromVector(p3));
  out.X = n.X;
  out.Y = n.Y;
  out.Z = n.Z;
}
THomogeneousVector& NormalizePlane(THomogeneousVector& plane) {
  const float f = RSqrt(float(Norm3(plane.X, plane.Y, plane.Z)));
  ScaleVector(plane, f);
  return plane;
}
float PlaneEvaluatePoint(const THomogeneousVector& plane, const TAffineVector& p) {
  return float(Ext(plane.X) * p.X + Ext(plane.Y) * p.Y + Ext(plane.Z) * p.Z + plane.W);
}
float PlaneEvaluatePoint(const THomogeneousVector& plane, const THomogeneousVector& p) {
  return PlaneEvaluatePoint(plane, AffineVectorFromVector(p));
}

// ---- Scalars ----
float IntegerPower(float base, int n) {
  Ext result = 1.0L, b = base;
  unsigned long long e = n < 0 ? 0ULL - (unsigned long long)(long long)n : (unsigned long long)n;
  while (e != 0) {
    if (e & 1) result *= b;
    b *= b;
    e >>= 1;
  }
  return float(n < 0 ? 1.0L / result : result);
}

float FloatPower(float base, float exponent) {
  if (exponent == 0.0f) return 1.0f;
  if (base == 0.0f && exponent > 0.0f) return 0.0f;
  if (exponent == RoundFloat(exponent) && std::fabs(exponent) < 2147483648.0f)
    return IntegerPower(base, RoundToInt(exponent));
  return float(std::exp(Ext(exponent) * std::log(Ext(base))));
}

float DegToRad(float degrees) { return float(degrees * cPIdiv180L); }
long double DegToRad(long double degrees) { return degrees * cPIdiv180L; }
float RadToDeg(float radians) { return float(radians * c180divPIL); }
long double RadToDeg(long double radians) { return radians * c180divPIL; }
float NormalizeDegAngle(float angle) {
  Ext r = angle - std::trunc(Ext(angle) / 360) * 360;
  if (r > 180)
    r -= 360;
  else if (r < -180)
    r += 360;
  return float(r);
}
void SinCos(long double angle, long double& s, long double& c) {
  s = std::sin(angle);
  c = std::cos(angle);
}
void SinCos(float angle, float& s, float& c) {
  s = float(std::sin(Ext(angle)));
  c = float(std::cos(Ext(angle)));
}
void SinCos(float angle, float radius, float& s, float& c) {
  s = float(radius * std::sin(Ext(angle)));
  c = float(radius * std::cos(Ext(angle)));
}
void PrepareSinCosCache(float* s, float* c, int count, float startDeg, float stopDeg) {
  const int n = count - 1;
  if (n < 0) return;
  const Ext stop = Ext(stopDeg) + 1e-5L;
  const Ext step = n == 0 ? 0.0L : (stop - startDeg) * cPIdiv180L / n;
  const Ext start = startDeg * cPIdiv180L;
  if (n >= 1000) {
    for (int i = 0; i <= n; ++i) {
      Ext si, co;
      SinCos(start + i * step, si, co);
      s[i] = float(si);
      c[i] = float(co);
    }
    return;
  }
  Ext si, co;
  SinCos(start, si, co);
  s[0] = float(si);
  c[0] = float(co);
  const Ext half = std::sin(step / 2);
  const Ext alpha = 2 * half * half, beta = std::sin(step);
  for (int i = 0; i < n; ++i) {
    c[i + 1] = float(c[i] - alpha * c[i] - beta * s[i]);
    s[i + 1] = float(s[i] - alpha * s[i] + beta * c[i]);
  }
}
long double ArcCos(long double x) { return std::atan2(std::sqrt(1 - x * x), x); }
float ArcCos(float x) { return float(ArcCos(Ext(x))); }
long double ArcTan2(long double y, long double x) { return std::atan2(y, x); }
float ArcTan2(float y, float x) { return float(std::atan2(Ext(y), Ext(x))); }
long double Tan(long double x) { return std::tan(x); }
float RSqrt(float x) { return float(1.0L / std::sqrt(Ext(x))); }
float RoundFloat(float x) { return std::nearbyint(x); }
long double IntPart(long double x) { return std::trunc(x); }
long double FracPart(long double x) { return x - IntPart(x); }
float FracPart(float x) { return float(FracPart(Ext(x))); }

// Out of range (or NaN) gives the processor's "integer indefinite", as the x87 store does.
static std::int32_t ToInt32(float r) {
  if (!(r >= -2147483648.0f && r < 2147483648.0f)) return INT32_MIN;
  return static_cast<std::int32_t>(r);
}
std::int32_t TruncToInt(float x) { return ToInt32(std::trunc(x)); }
std::int32_t RoundToInt(float x) { return ToInt32(std::nearbyint(x)); }
int Sign(float x) { return x < 0 ? -1 : (x > 0 ? 1 : 0); }
float MaxFloat(float a, float b, float c) {
  float r = a > b ? a : b;
  return r > c ? r : c;
}
int MaxInteger(int a, int b) { return a > b ? a : b; }
float ClampValue(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }

// ---- Intersections and culling ----
bool RayCastPlaneIntersect(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                           const THomogeneousVector& planePoint, const THomogeneousVector& planeNormal,
                           THomogeneousVector* hit) {
  const float d = VectorDotProduct(rayVector, planeNormal);
  const bool accepted = d > EPSILON2 || d < -EPSILON2;
  if (!accepted || hit == nullptr) return accepted;
  const float t = VectorDotProduct(VectorSubtract(planePoint, rayStart), planeNormal) / d;
  if (!(t > 0)) return false;
  *hit = VectorCombine(rayStart, rayVector, 1, t);
  return true;
}

int IntersectRaySphere(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                       const THomogeneousVector& centre, float radius, THomogeneousVector& i1,
                       THomogeneousVector& i2) {
  const TAffineVector start = AffineVectorFromVector(rayStart), dir = AffineVectorFromVector(rayVector);
  const float p = PointProject(AffineVectorFromVector(centre), start, dir);
  TAffineVector q = start;
  CombineVector(q, dir, p);
  const float d2 = float(Ext(radius) * radius - VectorDistance2(AffineVectorFromVector(centre), q));
  auto at = [&](Ext t) {
    return THomogeneousVector{float(start.X + t * dir.X), float(start.Y + t * dir.Y),
                              float(start.Z + t * dir.Z), rayStart.W};
  };
  if (d2 < 0) return 0;
  if (d2 == 0) {
    if (!(p > 0)) return 0;
    i1 = at(p);
    return 1;
  }
  const float d = float(std::sqrt(Ext(d2)));
  if (p >= d) {
    i1 = at(Ext(p) - d);
    i2 = at(Ext(p) + d);
    return 2;
  }
  if (Ext(p) + d < 0) return 0;
  i1 = at(Ext(p) + d);
  return 1;
}

float SphereVisibleRadius(float distance, float radius) {
  const float d2 = distance * distance, r2 = radius * radius;
  const float d = std::sqrt(d2 - r2);
  const float x = (d2 + r2 - d * d) / (2 * d);
  return std::sqrt(x * x + r2);
}

TFrustumPlanes ExtractFrustum(const TMatrix& m) {
  auto col = [&](int i) { return THomogeneousVector{m[0][i], m[1][i], m[2][i], m[3][i]}; };
  const THomogeneousVector c0 = col(0), c1 = col(1), c2 = col(2), c3 = col(3);
  TFrustumPlanes f;
  f.Left = VectorAdd(c3, c0);
  f.Top = VectorSubtract(c3, c1);
  f.Right = VectorSubtract(c3, c0);
  f.Bottom = VectorAdd(c3, c1);
  f.Near = VectorAdd(c3, c2);
  f.Far = VectorSubtract(c3, c2);
  NormalizePlane(f.Left);
  NormalizePlane(f.Top);
  NormalizePlane(f.Right);
  NormalizePlane(f.Bottom);
  NormalizePlane(f.Near);
  NormalizePlane(f.Far);
  return f;
}

bool IsSphereOutsideFrustum(const TAffineVector& centre, const TFrustumPlanes& f, float radius) {
  const float neg = -radius;
  return PlaneEvaluatePoint(f.Left, centre) < neg || PlaneEvaluatePoint(f.Top, centre) < neg ||
         PlaneEvaluatePoint(f.Right, centre) < neg || PlaneEvaluatePoint(f.Bottom, centre) < neg ||
         PlaneEvaluatePoint(f.Near, centre) < neg || PlaneEvaluatePoint(f.Far, centre) < neg;
}
bool IsSphereOutsideFrustum(const THomogeneousVector& centre, const TFrustumPlanes& f, float radius) {
  return IsSphereOutsideFrustum(AffineVectorFromVector(centre), f, radius);
}
bool IsBoxOutsideFrustum(const TAffineVector& min, const TAffineVector& max, const TFrustumPlanes& f) {
  const float radius = VectorDistance(min, max) * 0.5f;
  const TAffineVector centre = VectorScale(VectorAdd(min, max), 0.5f);
  return IsSphereOutsideFrustum(centre, f, radius);
}

}  // namespace qx
