// Single-precision vector maths of the scene graph. The values layer borrows nine of
// these routines (vector sum, dot and cross products, the power routine, sine and
// cosine together, and the truncating and rounding conversions); the rest of the unit
// arrives with the scene graph.
#pragma once
#include <cstdint>

namespace qx {

struct TAffineVector {
  float X = 0, Y = 0, Z = 0;
  float& operator[](int i) { return i == 0 ? X : (i == 1 ? Y : Z); }
  float operator[](int i) const { return i == 0 ? X : (i == 1 ? Y : Z); }
};

struct THomogeneousVector {
  float X = 0, Y = 0, Z = 0, W = 0;
};

TAffineVector SetAffineVector(float x, float y, float z);
THomogeneousVector VectorMake(float x, float y, float z, float w);

TAffineVector VectorAdd(const TAffineVector& a, const TAffineVector& b);
THomogeneousVector VectorAdd(const THomogeneousVector& a, const THomogeneousVector& b);
float VectorDotProduct(const TAffineVector& a, const TAffineVector& b);
// The four-wide form includes w*w.
float VectorDotProduct(const THomogeneousVector& a, const THomogeneousVector& b);
TAffineVector VectorCrossProduct(const TAffineVector& a, const TAffineVector& b);
// Cross product of the xyz parts; w of the result is 0.
THomogeneousVector VectorCrossProduct(const THomogeneousVector& a, const THomogeneousVector& b);

// Exponent 0 gives 1; base 0 with a positive exponent gives 0; a whole exponent goes
// through IntegerPower; otherwise exp(exponent * ln base), NaN for a negative base.
float FloatPower(float base, float exponent);
float IntegerPower(float base, int n);

long double IntPart(long double x);
long double FracPart(long double x);
std::int32_t TruncToInt(float x);
// Nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
std::int32_t RoundToInt(float x);
float RoundFloat(float x);
void SinCos(long double angle, long double& s, long double& c);
void SinCos(float angle, float& s, float& c);

}  // namespace qx
