// Real roots of polynomials of degree 2, 3 and 4 in closed form (coefficients in ascending
// order of degree), in the order the formulas give them, and the smallest non-negative one.
#pragma once
#include <vector>

namespace qx {

using TDoubleArray = std::vector<double>;

bool IsNearZero(double x);
double CubeRoot(double x);
// A vanishing leading coefficient falls back to the lower degree (a linear "quadric" has
// its one root) instead of dividing by zero.
TDoubleArray SolveQuadric(const double* c);
TDoubleArray SolveCubic(const double* c);
TDoubleArray SolveQuartic(const double* c);
bool MinPositiveRoot(const TDoubleArray& roots, double& root);

}  // namespace qx
