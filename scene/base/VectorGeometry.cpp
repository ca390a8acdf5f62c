#include "scene/base/VectorGeometry.h"

#include <climits>
#include <cmath>
#include <cstdint>

namespace qx {

TAffineVector SetAffineVector(float x, float y, float z) { return {x, y, z}; }
THomogeneousVector VectorMake(float x, float y, float z, float w) { return {x, y, z, w}; }

TAffineVector VectorAdd(const TAffineVector& a, const TAffineVector& b) {
  return {a.X + b.X, a.Y + b.Y, a.Z + b.Z};
}

THomogeneousVector VectorAdd(const THomogeneousVector& a, const THomogeneousVector& b) {
  return {a.X + b.X, a.Y + b.Y, a.Z + b.Z, a.W + b.W};
}

// Intermediate sums run in extended precision and are rounded once when stored.
float VectorDotProduct(const TAffineVector& a, const TAffineVector& b) {
  return float((long double)a.X * b.X + (long double)a.Y * b.Y + (long double)a.Z * b.Z);
}

float VectorDotProduct(const THomogeneousVector& a, const THomogeneousVector& b) {
  return float((long double)a.X * b.X + (long double)a.Y * b.Y + (long double)a.Z * b.Z +
               (long double)a.W * b.W);
}

TAffineVector VectorCrossProduct(const TAffineVector& a, const TAffineVector& b) {
  return {float((long double)a.Y * b.Z - (long double)a.Z * b.Y),
          float((long double)a.Z * b.X - (long double)a.X * b.Z),
          float((long double)a.X * b.Y - (long double)a.Y * b.X)};
}

THomogeneousVector VectorCrossProduct(const THomogeneousVector& a, const THomogeneousVector& b) {
  TAffineVector r = VectorCrossProduct(TAffineVector{a.X, a.Y, a.Z}, TAffineVector{b.X, b.Y, b.Z});
  return {r.X, r.Y, r.Z, 0.0f};
}

float IntegerPower(float base, int n) {
  long double result = 1.0L, b = base;
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
  return float(std::exp((long double)exponent * std::log((long double)base)));
}

long double IntPart(long double x) { return std::trunc(x); }
long double FracPart(long double x) { return x - IntPart(x); }

// Out of range (or NaN) gives the processor's "integer indefinite", as the x87 store does.
static std::int32_t ToInt32(float r) {
  if (!(r >= -2147483648.0f && r < 2147483648.0f)) return INT32_MIN;
  return static_cast<std::int32_t>(r);
}

std::int32_t TruncToInt(float x) { return ToInt32(std::trunc(x)); }
std::int32_t RoundToInt(float x) { return ToInt32(std::nearbyint(x)); }
float RoundFloat(float x) { return std::nearbyint(x); }

void SinCos(long double angle, long double& s, long double& c) {
  s = std::sin(angle);
  c = std::cos(angle);
}

void SinCos(float angle, float& s, float& c) {
  s = std::sin(angle);
  c = std::cos(angle);
}

}  // namespace qx
