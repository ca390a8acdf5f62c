// Sine and cosine of an angle in degrees. The angle is brought into [-45, 45] in degrees,
// where the subtraction is exact, before it turns into radians: the library's own reduction
// of a large radian argument is slow, and the radians of a multiple of 90 are not exact, so
// SEN(180) would not be 0. The reduced angle's sine and cosine are then sums of their series. Built without errno (CMakeLists.txt): llrint is one store of
// the x87 unit, with no switch of its rounding mode.
#include <cmath>

#include "values/Funzioni.h"

namespace qx {

namespace {

// Below this the nearest multiple of 90 and the remainder are exact in long double (the
// remainder is a multiple of the angle's last place, and smaller than the angle).
constexpr Reale LIMITE_RIDUZIONE = 4611686018427387904.0L;  // 2^62

// gradi = 90 * quadrante + resto with |resto| <= 45 (a hair more from the rounding of the
// quotient); the quadrant modulo 4. False for NaN and the infinities.
bool RiduciGradi(Reale gradi, Reale& resto, int& quadrante) {
  if (!(std::fabs(gradi) < LIMITE_RIDUZIONE)) {
    if (!std::isfinite(gradi)) return false;
    gradi = std::fmod(gradi, 360.0L);  // exact
  }
  // Any whole n near gradi / 90 leaves an exact remainder: the product by 1/90, cheaper than
  // the quotient, may only pick the other side of a tie (a remainder of 45 or -45).
  constexpr Reale UN_NOVANTESIMO = 1.0L / 90;
  const long long n = std::llrint(gradi * UN_NOVANTESIMO);
  resto = gradi - 90 * static_cast<Reale>(n);
  quadrante = static_cast<int>(n & 3);
  return true;
}

// Sine and cosine of |x| <= pi/4 by their series to x^19 and x^18: beyond, the terms are
// under 1e-22 of the result. Checked against quadruple precision over [-45, 45] degrees in
// steps of 1e-5: at most 0.75 and 0.79 units in the last place (the library's sinl and cosl,
// 0.53 and 0.52), at a fifth of their cost, as these need no reduction of their own.
// The series' coefficients from the highest power of x*x down: -1/19!, 1/17!, ..., -1/3! for
// the sine, and -1/18!, 1/16!, ..., 1/4! for the cosine's terms past 1 - x*x/2.
constexpr Reale kSeno[] = {-1.0L / 121645100408832000.0L, 1.0L / 355687428096000.0L, -1.0L / 1307674368000.0L,
                           1.0L / 6227020800.0L,           -1.0L / 39916800.0L,       1.0L / 362880.0L,
                           -1.0L / 5040.0L,                1.0L / 120.0L,             -1.0L / 6.0L};
constexpr Reale kCoseno[] = {-1.0L / 6402373705728000.0L, 1.0L / 20922789888000.0L, -1.0L / 87178291200.0L,
                             1.0L / 479001600.0L,         -1.0L / 3628800.0L,       1.0L / 40320.0L,
                             -1.0L / 720.0L,              1.0L / 24.0L};

template <std::size_t N>
Reale Polinomio(const Reale (&c)[N], Reale z) {
  Reale p = c[0];
  for (std::size_t i = 1; i < N; ++i) p = p * z + c[i];
  return p;
}

Reale SenoRidotto(Reale x) {
  if (x == 0) return x;  // keeps the sign of a zero
  const Reale z = x * x;
  return x + x * z * Polinomio(kSeno, z);
}

Reale CosenoRidotto(Reale x) {
  const Reale z = x * x;
  // 1 - z/2 with the part that the subtraction rounds away put back.
  const Reale h = z * 0.5L, w = 1 - h;
  return w + (((1 - w) - h) + z * z * Polinomio(kCoseno, z));
}

}  // namespace

Reale SenoGradi(const Reale& gradi) {
  Reale r = 0;
  int q = 0;
  if (!RiduciGradi(gradi, r, q)) return std::sin(gradi);  // NaN, as the library gives
  const Reale x = r * PI_SU_180;
  switch (q) {
    case 0: return SenoRidotto(x);
    case 1: return CosenoRidotto(x);
    case 2: return -SenoRidotto(x);
    default: return -CosenoRidotto(x);
  }
}

Reale CosenoGradi(const Reale& gradi) {
  Reale r = 0;
  int q = 0;
  if (!RiduciGradi(gradi, r, q)) return std::cos(gradi);
  const Reale x = r * PI_SU_180;
  switch (q) {
    case 0: return CosenoRidotto(x);
    case 1: return -SenoRidotto(x);
    case 2: return -CosenoRidotto(x);
    default: return SenoRidotto(x);
  }
}

}  // namespace qx
