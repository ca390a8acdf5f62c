// Sine and cosine of an angle in degrees. The angle is brought into [-45, 45] in degrees,
// where the subtraction is exact, before it turns into radians: the library's own reduction
// of a large radian argument is slow, and the radians of a multiple of 90 are not exact, so
// SEN(180) would not be 0. Built without errno (CMakeLists.txt): llrint is one store of
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

}  // namespace

Reale SenoGradi(Reale gradi) {
  Reale r = 0;
  int q = 0;
  if (!RiduciGradi(gradi, r, q)) return std::sin(gradi);  // NaN, as the library gives
  const Reale x = r * PI_SU_180;
  switch (q) {
    case 0: return std::sin(x);
    case 1: return std::cos(x);
    case 2: return -std::sin(x);
    default: return -std::cos(x);
  }
}

Reale CosenoGradi(Reale gradi) {
  Reale r = 0;
  int q = 0;
  if (!RiduciGradi(gradi, r, q)) return std::cos(gradi);
  const Reale x = r * PI_SU_180;
  switch (q) {
    case 0: return std::cos(x);
    case 1: return -std::sin(x);
    case 2: return -std::cos(x);
    default: return std::sin(x);
  }
}

}  // namespace qx
