// Single-precision vector maths of the scene graph: vectors, points, planes and 4x4
// matrices, angle and rounding routines, ray intersections, frustum extraction and the
// visibility tests of culling. The values layer borrows nine of these routines (vector sum,
// dot and cross products, the power routine, sine and cosine together, and the truncating
// and rounding conversions).
//
// Conventions: a vector multiplies a matrix as a row on the left; row 3 of a TMatrix holds
// the translation, which is exactly OpenGL's column-major order, so a TMatrix goes to
// OpenGL unchanged. Intermediate sums run in extended precision and are rounded to single
// once when stored. Nothing here raises or traps: a null vector normalises to NaNs.
#pragma once
#include <cstdint>

namespace qx {

struct TAffineVector {
  float X = 0, Y = 0, Z = 0;
  float& operator[](int i) { return (&X)[i]; }
  float operator[](int i) const { return (&X)[i]; }
};

// A point (W = 1), a direction (W = 0), a plane (a, b, c, d) or a colour (r, g, b, a).
struct THomogeneousVector {
  float X = 0, Y = 0, Z = 0, W = 0;
  float& operator[](int i) { return (&X)[i]; }
  float operator[](int i) const { return (&X)[i]; }
};
using TVector4f = THomogeneousVector;
using TColorVector = THomogeneousVector;

struct TTexPoint {
  float S = 0, T = 0;
};

struct TMatrix {
  THomogeneousVector V[4];
  THomogeneousVector& operator[](int i) { return V[i]; }
  const THomogeneousVector& operator[](int i) const { return V[i]; }
  float* data() { return &V[0].X; }
  const float* data() const { return &V[0].X; }
};

struct TDoubleMatrix {
  double M[16];
};

// Left, Top, Right, Bottom, Near, Far; each normal points into the visible volume.
struct TFrustumPlanes {
  THomogeneousVector Left, Top, Right, Bottom, Near, Far;
};

// ---- Constants ----
inline constexpr TTexPoint XTexPoint{1, 0}, YTexPoint{0, 1}, XYTexPoint{1, 1}, NullTexPoint{0, 0};
inline constexpr TAffineVector XVector{1, 0, 0}, YVector{0, 1, 0}, ZVector{0, 0, 1}, XYZVector{1, 1, 1},
    NullVector{0, 0, 0};
inline constexpr THomogeneousVector XHmgVector{1, 0, 0, 0}, YHmgVector{0, 1, 0, 0}, ZHmgVector{0, 0, 1, 0},
    WHmgVector{0, 0, 0, 1}, XYZHmgVector{1, 1, 1, 0}, NullHmgVector{0, 0, 0, 0}, NullHmgPoint{0, 0, 0, 1};
inline constexpr TMatrix IdentityHmgMatrix{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
inline constexpr float cZero = 0.0f, cOne = 1.0f;
inline constexpr float EPSILON = 1e-40f;   // determinants and inverses
inline constexpr float EPSILON2 = 1e-30f;  // ray/plane parallelism
inline constexpr float cPIdiv180 = 0.017453292f, c180divPI = 57.29578f, c2PI = 6.2831855f,
                       cInv360 = 1.0f / 360, c180 = 180, c360 = 360;
inline constexpr long double cPIdiv180L = 0.0174532925199432957692L, c180divPIL = 57.2957795130823208768L;

// ---- Making and copying ----
TAffineVector SetAffineVector(float x, float y, float z);
void SetAffineVector(TAffineVector& v, float x, float y, float z);
TAffineVector AffineVectorFromVector(const THomogeneousVector& v);
void AssignAffineVector(TAffineVector& dest, const TAffineVector& src);
void AssignAffineVector(TAffineVector& dest, const THomogeneousVector& src);
void AffineVectorToDouble(const TAffineVector& v, double out[3]);
THomogeneousVector VectorMake(float x, float y, float z, float w = 0);
void SetHomogeneousVector(THomogeneousVector& v, float x, float y, float z, float w);
THomogeneousVector VectorFromAffine(const TAffineVector& a, float w);
void VectorFromAffine(THomogeneousVector& dest, const TAffineVector& a, float w);
void AssignVector(THomogeneousVector& dest, const THomogeneousVector& src);
THomogeneousVector PointMake(float x, float y, float z);
THomogeneousVector PointMake(const TAffineVector& a);
void SetPointVector(THomogeneousVector& v, float x, float y, float z);
void SetDirectionVector(TAffineVector& v, float x, float y, float z);
void SetDirectionVector(THomogeneousVector& v, float x, float y, float z);
void SetDirectionVector(THomogeneousVector& v, const TAffineVector& a);
void ClearVector(THomogeneousVector& v);

// ---- Component-wise arithmetic ----
TAffineVector AffineVectorAdd(const TAffineVector& a, const TAffineVector& b);
TAffineVector VectorAdd(const TAffineVector& a, const TAffineVector& b);
THomogeneousVector VectorAdd(const THomogeneousVector& a, const THomogeneousVector& b);
void AddVector(TAffineVector& a, const TAffineVector& b);
void AddVectorToArray(const TAffineVector* src, const TAffineVector& delta, int count, TAffineVector* dest);
TAffineVector AffineVectorSubtract(const TAffineVector& a, const TAffineVector& b);
TAffineVector VectorSubtract(const TAffineVector& a, const TAffineVector& b);
THomogeneousVector VectorSubtract(const THomogeneousVector& a, const THomogeneousVector& b);
TAffineVector AffineVectorSubtract(const THomogeneousVector& a, const THomogeneousVector& b);
void SubtractVector(TAffineVector& a, const TAffineVector& b);
void SubtractVector(THomogeneousVector& a, const THomogeneousVector& b);
void CombineVector(TAffineVector& v, const TAffineVector& w, float f);
void CombineVector(THomogeneousVector& v, const THomogeneousVector& w, float f);
TAffineVector VectorCombine(const TAffineVector& v1, const TAffineVector& v2, float f1, float f2);
THomogeneousVector VectorCombine(const THomogeneousVector& v1, const THomogeneousVector& v2, float f1,
                                 float f2);
THomogeneousVector VectorAddScaled(const THomogeneousVector& v1, const THomogeneousVector& v2, float f);
float AffineVectorDotProduct(const TAffineVector& a, const TAffineVector& b);
float VectorDotProduct(const TAffineVector& a, const TAffineVector& b);
// The four-wide form includes w*w.
float VectorDotProduct(const THomogeneousVector& a, const THomogeneousVector& b);
float PointProject(const TAffineVector& p, const TAffineVector& origin, const TAffineVector& direction);
TAffineVector AffineVectorCrossProduct(const TAffineVector& a, const TAffineVector& b);
TAffineVector VectorCrossProduct(const TAffineVector& a, const TAffineVector& b);
// Cross product of the xyz parts; w of the result is 0.
THomogeneousVector VectorCrossProduct(const THomogeneousVector& a, const THomogeneousVector& b);
TAffineVector AffineVectorLerp(const TAffineVector& a, const TAffineVector& b, float t);
THomogeneousVector VectorLerp(const THomogeneousVector& a, const THomogeneousVector& b, float t);
void AffineVectorArrayLerp(const TAffineVector* a, const TAffineVector* b, int count, float t,
                           TAffineVector* dest);
void VectorArrayLerp(const THomogeneousVector* a, const THomogeneousVector* b, int count, float t,
                     THomogeneousVector* dest);
float VectorLength2D(float x, float y);
float AffineVectorLength(const TAffineVector& v);
float VectorLength(const TAffineVector& v);
float VectorLength(const THomogeneousVector& v);  // ignores w
float VectorNorm2D(float x, float y);
float AffineVectorNorm(const TAffineVector& v);
float VectorSquaredLength(const TAffineVector& v);
float VectorSquaredLength(const THomogeneousVector& v);
void NormalizeAffineVector(TAffineVector& v);
TAffineVector AffineVectorNormalize(const TAffineVector& v);
void NormalizeAffineVectorArray(TAffineVector* list, int count);
void NormalizeVector(TAffineVector& v);
void NormalizeVector(THomogeneousVector& v);  // w := 0
TAffineVector VectorNormalize(const TAffineVector& v);
THomogeneousVector VectorNormalize(const THomogeneousVector& v);
TAffineVector AffineVectorNegate(const TAffineVector& v);
TAffineVector VectorNegate(const TAffineVector& v);
THomogeneousVector VectorNegate(const THomogeneousVector& v);
void NegateAffineVector(TAffineVector& v);
void NegateVector(THomogeneousVector& v);
void ScaleAffineVector(TAffineVector& v, float f);
void ScaleVector(TAffineVector& v, float f);
void ScaleVector(THomogeneousVector& v, float f);
void ScaleAffineVectorByVector(TAffineVector& v, const TAffineVector& f);
void ScaleVectorByVector(THomogeneousVector& v, const THomogeneousVector& f);
TAffineVector AffineVectorScale(const TAffineVector& v, float f);
TAffineVector VectorScale(const TAffineVector& v, float f);
THomogeneousVector VectorScale(const THomogeneousVector& v, float f);
// Bitwise equality of the compared components (+0 differs from -0, a NaN equals itself).
bool VectorEquals(const TAffineVector& a, const TAffineVector& b);
bool VectorEquals(const THomogeneousVector& a, const THomogeneousVector& b);
bool VectorIsNull(const TAffineVector& v);
bool VectorIsNull(const THomogeneousVector& v);
float VectorSpacing(const TAffineVector& a, const TAffineVector& b);
float VectorDistance(const TAffineVector& a, const TAffineVector& b);
float VectorDistance(const THomogeneousVector& a, const THomogeneousVector& b);
float VectorDistance2(const TAffineVector& a, const TAffineVector& b);
float VectorDistance2(const THomogeneousVector& a, const THomogeneousVector& b);
TAffineVector VectorPerpendicular(const TAffineVector& v, const TAffineVector& n);
THomogeneousVector VectorAbs(const THomogeneousVector& v);
void MaxVector(THomogeneousVector& v, const THomogeneousVector& w);

// ---- Rotations of vectors ----
void RotateVector(THomogeneousVector& v, const TAffineVector& axis, float angle);
TAffineVector RotateAroundY(const TAffineVector& v, float alpha);

// ---- Matrices ----
TDoubleMatrix MatrixToDouble(const TMatrix& m);
TMatrix CreateScaleMatrix(const TAffineVector& v);
TMatrix CreateTranslationMatrix(const TAffineVector& v);
TMatrix CreateTranslationMatrix(const THomogeneousVector& v);
TMatrix CreateScaleAndTranslationMatrix(const THomogeneousVector& scale, const THomogeneousVector& offset);
TMatrix CreateRotationMatrix(const TAffineVector& axis, float angle);
TMatrix CreateRotationMatrix(const THomogeneousVector& axis, float angle);
// The result may not alias an operand.
void MatrixMultiply(const TMatrix& a, const TMatrix& b, TMatrix& result);
TMatrix MatrixMultiply(const TMatrix& a, const TMatrix& b);
THomogeneousVector VectorTransform(const THomogeneousVector& v, const TMatrix& m);
TAffineVector VectorTransform(const TAffineVector& v, const TMatrix& m);  // as a direction (no translation)
TAffineVector AffineVectorTransform(const TAffineVector& v, const TMatrix& m);  // as a point
float MatrixDeterminant(const TMatrix& m);
void AdjointMatrix(TMatrix& m);
void ScaleMatrix(TMatrix& m, float f);
void TransposeMatrix(TMatrix& m);
void NormalizeMatrix(TMatrix& m);
// A singular matrix silently becomes the identity.
void InvertMatrix(TMatrix& m);
TMatrix AnglePreservingMatrixInvert(const TMatrix& m);

// ---- Planes ----
TAffineVector CalcPlaneNormal(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3);
void CalcPlaneNormal(const THomogeneousVector& p1, const THomogeneousVector& p2, const THomogeneousVector& p3,
                     THomogeneousVector& out);
THomogeneousVector& NormalizePlane(THomogeneousVector& plane);
float PlaneEvaluatePoint(const THomogeneousVector& plane, const TAffineVector& p);
float PlaneEvaluatePoint(const THomogeneousVector& plane, const THomogeneousVector& p);

// ---- Scalars ----
// Exponent 0 gives 1; base 0 with a positive exponent gives 0; a whole exponent goes
// through IntegerPower; otherwise exp(exponent * ln base), NaN for a negative base.
float FloatPower(float base, float exponent);
float IntegerPower(float base, int n);
float DegToRad(float degrees);
long double DegToRad(long double degrees);
float RadToDeg(float radians);
long double RadToDeg(long double radians);
float NormalizeDegAngle(float angle);
void SinCos(long double angle, long double& s, long double& c);
void SinCos(float angle, float& s, float& c);
void SinCos(float angle, float radius, float& s, float& c);
// s and c hold the same number of elements (count = highest index + 1).
void PrepareSinCosCache(float* s, float* c, int count, float startDeg, float stopDeg);
long double ArcCos(long double x);
float ArcCos(float x);
long double ArcTan2(long double y, long double x);
float ArcTan2(float y, float x);
long double Tan(long double x);
float RSqrt(float x);
float RoundFloat(float x);
long double IntPart(long double x);
long double FracPart(long double x);
float FracPart(float x);
std::int32_t TruncToInt(float x);
// Nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
std::int32_t RoundToInt(float x);
int Sign(float x);
float MaxFloat(float a, float b, float c);
int MaxInteger(int a, int b);
float ClampValue(float v, float lo, float hi);

// ---- Intersections and culling ----
// hit may be null: then only the acceptance test (ray not parallel to the plane).
bool RayCastPlaneIntersect(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                           const THomogeneousVector& planePoint, const THomogeneousVector& planeNormal,
                           THomogeneousVector* hit);
// rayVector must be unit length; returns 0, 1 or 2.
int IntersectRaySphere(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                       const THomogeneousVector& centre, float radius, THomogeneousVector& i1,
                       THomogeneousVector& i2);
float SphereVisibleRadius(float distance, float radius);
TFrustumPlanes ExtractFrustum(const TMatrix& modelViewProj);
bool IsSphereOutsideFrustum(const TAffineVector& centre, const TFrustumPlanes& frustum, float radius);
bool IsSphereOutsideFrustum(const THomogeneousVector& centre, const TFrustumPlanes& frustum, float radius);
bool IsBoxOutsideFrustum(const TAffineVector& min, const TAffineVector& max, const TFrustumPlanes& frustum);

}  // namespace qx
