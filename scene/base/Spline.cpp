#include "scene/base/Spline.h"

#include <cmath>

namespace qx {

TCubicSpline::TCubicSpline(const float* x, const float* y, const float* z, const float* w, int count)
    : n_(count) {
  x_ = Coefficients(x, count);
  y_ = Coefficients(y, count);
  z_ = Coefficients(z, count);
  w_ = Coefficients(w, count);
}

// Derivatives from the tridiagonal system (diagonal 2, 4, ..., 4, 2, off-diagonals 1) by a
// Cholesky factorisation, then each segment's cubic re-expanded in the global parameter.
std::vector<TCubicSpline::Segment> TCubicSpline::Coefficients(const float* y, int n) {
  std::vector<Segment> seg;
  if (!y || n < 2) return seg;
  const std::size_t sz = std::size_t(n);
  std::vector<long double> r(sz), L(sz), M(sz), Z(sz), D(sz);
  r[0] = 3.0L * (y[1] - y[0]);
  r[std::size_t(n - 1)] = 3.0L * (y[n - 1] - y[n - 2]);
  for (int i = 1; i < n - 1; ++i) r[std::size_t(i)] = 3.0L * (y[i + 1] - y[i - 1]);
  L[0] = std::sqrt(2.0L);
  M[0] = 1.0L / L[0];
  for (int i = 1; i < n - 1; ++i) {
    L[std::size_t(i)] = std::sqrt(4.0L - M[std::size_t(i - 1)] * M[std::size_t(i - 1)]);
    M[std::size_t(i)] = 1.0L / L[std::size_t(i)];
  }
  L[std::size_t(n - 1)] = std::sqrt(2.0L - M[std::size_t(n - 2)] * M[std::size_t(n - 2)]);
  Z[0] = r[0] / L[0];
  for (int i = 1; i < n; ++i)
    Z[std::size_t(i)] =
        (r[std::size_t(i)] - Z[std::size_t(i - 1)] * M[std::size_t(i - 1)]) / L[std::size_t(i)];
  D[std::size_t(n - 1)] = Z[std::size_t(n - 1)] / L[std::size_t(n - 1)];
  for (int i = n - 2; i >= 0; --i)
    D[std::size_t(i)] = (Z[std::size_t(i)] - D[std::size_t(i + 1)] * M[std::size_t(i)]) / L[std::size_t(i)];
  for (int i = 0; i < n - 1; ++i) {
    const long double d0 = D[std::size_t(i)], d1 = D[std::size_t(i + 1)];
    const long double delta = (long double)y[i + 1] - y[i];
    const long double C = 3 * delta - 2 * d0 - d1, A = -2 * delta + d0 + d1;
    seg.push_back({float(A), float(C - 3 * i * A), float((3 * i * A - 2 * C) * i + d0),
                   float(((C - i * A) * i - d0) * i + y[i])});
  }
  return seg;
}

int TCubicSpline::SegmentFor(float t) const {
  int i = 0;
  if (t > 0) i = t <= float(n_ - 1) ? int(t) : n_ - 1;
  if (i >= n_ - 1) i = n_ - 2;
  return i < 0 ? 0 : i;
}

float TCubicSpline::Eval(const std::vector<Segment>& s, float t) const {
  if (s.empty()) return 0;
  const Segment& c = s[std::size_t(SegmentFor(t))];
  return float(((c[0] * (long double)t + c[1]) * t + c[2]) * t + c[3]);
}

float TCubicSpline::Slope(const std::vector<Segment>& s, float t) const {
  if (s.empty()) return 0;
  const Segment& c = s[std::size_t(SegmentFor(t))];
  return float(3 * c[0] * (long double)t * t + 2 * c[1] * (long double)t + c[2]);
}

float TCubicSpline::EvaluateX(float t) const { return Eval(x_, t); }
void TCubicSpline::EvaluateXYZ(float t, float& x, float& y, float& z) const {
  x = Eval(x_, t);
  y = Eval(y_, t);
  z = Eval(z_, t);
}
TAffineVector TCubicSpline::EvaluateAffineVector(float t) const {
  return {Eval(x_, t), Eval(y_, t), Eval(z_, t)};
}
TAffineVector TCubicSpline::SplineSlopeVector(float t) const {
  return {Slope(x_, t), Slope(y_, t), Slope(z_, t)};
}

}  // namespace qx
