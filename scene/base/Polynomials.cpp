#include "scene/base/Polynomials.h"

#include <cmath>

#include "scene/base/SceneErrors.h"
#include "scene/base/VectorGeometry.h"

namespace qx {

bool IsNearZero(double x) { return std::fabs(x) <= 1e-40; }

double CubeRoot(double x) {
  if (x > 0) return FloatPower(float(x), 1.0f / 3);
  if (x < 0) return -FloatPower(float(-x), 1.0f / 3);
  return 0;
}

TDoubleArray SolveQuadric(const double* c) {
  if (IsNearZero(c[2])) {
    if (IsNearZero(c[1])) return {};
    return {-c[0] / c[1]};
  }
  const double p = c[1] / (2 * c[2]), q = c[0] / c[2], d = p * p - q;
  if (IsNearZero(d)) return {-p};
  if (d > 0) {
    const double s = std::sqrt(d);
    return {s - p, -s - p};
  }
  return {};
}

TDoubleArray SolveCubic(const double* c) {
  if (IsNearZero(c[3])) return SolveQuadric(c);
  const double inv = 1.0 / c[3];
  const double A = c[2] * inv, B = c[1] * inv, C = c[0] * inv;
  const double sqA = A * A;
  const double p = (B - sqA / 3) / 3;
  const double q = (2.0 / 27 * A * sqA - A * B / 3 + C) / 2;
  const double cbP = p * p * p, D = q * q + cbP;
  TDoubleArray r;
  if (IsNearZero(D)) {
    if (IsNearZero(q)) {
      r = {0};
    } else {
      const double u = CubeRoot(-q);
      r = {2 * u, -u};
    }
  } else if (D < 0) {
    const double phi = ArcCos(float(-q * RSqrt(float(-cbP)))) / 3.0;
    const double t = 2 * std::sqrt(-p);
    r = {t * std::cos(phi), -t * std::cos(phi + M_PI / 3), -t * std::cos(phi - M_PI / 3)};
  } else {
    const double s = std::sqrt(D);
    r = {CubeRoot(s - q) - CubeRoot(s + q)};
  }
  for (double& x : r) x -= A / 3;
  return r;
}

TDoubleArray SolveQuartic(const double* c) {
  if (IsNearZero(c[4])) return SolveCubic(c);
  const double A = c[3] / c[4], B = c[2] / c[4], C = c[1] / c[4], D = c[0] / c[4];
  const double sqA = A * A;
  const double p = -3.0 / 8 * sqA + B;
  const double q = 1.0 / 8 * sqA * A - 1.0 / 2 * A * B + C;
  const double r = -3.0 / 256 * sqA * sqA + 1.0 / 16 * sqA * B - 1.0 / 4 * A * C + D;
  TDoubleArray roots;
  if (IsNearZero(r)) {
    const double cc[4] = {q, p, 0, 1};
    roots = SolveCubic(cc);
    roots.push_back(0);
  } else {
    const double cc[4] = {1.0 / 2 * r * p - 1.0 / 8 * q * q, -r, -1.0 / 2 * p, 1};
    const TDoubleArray res = SolveCubic(cc);
    Require(!res.empty());
    const double z = res[0];
    double u = z * z - r, v = 2 * z - p;
    if (IsNearZero(u))
      u = 0;
    else if (u > 0)
      u = std::sqrt(u);
    else
      return {};
    if (IsNearZero(v))
      v = 0;
    else if (v > 0)
      v = std::sqrt(v);
    else
      return {};
    const double q1[3] = {z - u, q < 0 ? -v : v, 1};
    const double q2[3] = {z + u, q < 0 ? v : -v, 1};
    roots = SolveQuadric(q1);
    const TDoubleArray r2 = SolveQuadric(q2);
    roots.insert(roots.end(), r2.begin(), r2.end());
  }
  for (double& x : roots) x -= A / 4;
  return roots;
}

bool MinPositiveRoot(const TDoubleArray& roots, double& root) {
  bool found = false;
  for (double x : roots)
    if (x >= 0 && (!found || x < root)) {
      root = x;
      found = true;
    }
  return found;
}

}  // namespace qx
