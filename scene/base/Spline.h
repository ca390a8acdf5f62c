// A cubic interpolating spline through up to four sequences sampled at the parameters
// 0, 1, ..., n-1 (natural end conditions), used to draw lines and polygons in spline mode.
#pragma once
#include <array>
#include <vector>

#include "scene/base/VectorGeometry.h"

namespace qx {

class TCubicSpline {
 public:
  // Each non-null sequence holds count values; a sequence of fewer than two values has no
  // segment and evaluates to 0.
  TCubicSpline(const float* x, const float* y, const float* z, const float* w, int count);
  float EvaluateX(float t) const;
  void EvaluateXYZ(float t, float& x, float& y, float& z) const;
  TAffineVector EvaluateAffineVector(float t) const;
  TAffineVector SplineSlopeVector(float t) const;
  int Count() const { return n_; }

 private:
  using Segment = std::array<float, 4>;  // a, b, c, d in the global parameter
  static std::vector<Segment> Coefficients(const float* y, int n);
  int SegmentFor(float t) const;
  float Eval(const std::vector<Segment>& s, float t) const;
  float Slope(const std::vector<Segment>& s, float t) const;
  std::vector<Segment> x_, y_, z_, w_;
  int n_;
};

}  // namespace qx
