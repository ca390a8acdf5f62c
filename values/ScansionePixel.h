// Bounded walks over evenly spaced world values (grid lines, ticks) whose pixels are what
// matters: the work depends on the pixels that can be seen, not on the scale, so that a
// tiny unit or an origin far away cannot make the frame loop for ever.
#pragma once
#include <cmath>
#include <limits>

#include "values/Funzioni.h"

namespace qx::scansione {

inline constexpr Reale kNessuno = std::numeric_limits<Reale>::infinity();

// The smallest integer k in [da, fine] for which vero(k) holds, when vero turns from false
// to true once along the integers; kNessuno when there is none (or precision runs out).
template <class Pred>
Reale PrimoIndice(Reale da, Reale fine, Pred vero) {
  if (!(da <= fine)) return kNessuno;
  if (vero(da)) return da;
  Reale basso = da, alto = kNessuno;
  for (Reale passo = 1; passo < 1e300L; passo *= 2) {
    Reale prova = da + passo;
    if (!(prova <= fine)) {
      prova = std::floor(fine);
      if (!(prova > basso) || !vero(prova)) return kNessuno;
      alto = prova;
      break;
    }
    if (prova == basso) return kNessuno;  // no more integers at this magnitude
    if (vero(prova)) {
      alto = prova;
      break;
    }
    basso = prova;
  }
  if (alto == kNessuno) return kNessuno;
  while (alto - basso > 1) {
    const Reale medio = std::floor(basso + (alto - basso) / 2);
    if (medio <= basso || medio >= alto) break;
    (vero(medio) ? alto : basso) = medio;
  }
  return alto;
}

// Calls disegna(p) once for each distinct pixel p = pixel(k), k = da, da + 1, ... while
// k <= fine, leaving out those outside [lo, hi]; pixel must be monotone in k. For values
// that are at least a pixel apart this is exactly every k.
template <class Pixel, class Disegna>
void PixelDistinti(Reale da, Reale fine, int lo, int hi, Pixel pixel, Disegna disegna) {
  if (!(da <= fine) || lo > hi) return;
  const int primo = pixel(da);
  const Reale kDiverso = PrimoIndice(da + 1, fine, [&](Reale j) { return pixel(j) != primo; });
  const bool crescente = kDiverso == kNessuno || pixel(kDiverso) > primo;
  auto prima = [&](int p) { return crescente ? p < lo : p > hi; };
  auto dopo = [&](int p) { return crescente ? p > hi : p < lo; };
  Reale k = prima(primo) ? PrimoIndice(da, fine, [&](Reale j) { return !prima(pixel(j)); }) : da;
  // Each turn gives a new pixel inside [lo, hi]: the bound only guards against a mapping
  // that is not monotone.
  for (long guardia = 2L * (long(hi) - long(lo) + 2); guardia > 0 && k != kNessuno && k <= fine; --guardia) {
    const int p = pixel(k);
    if (dopo(p)) break;
    disegna(p);
    Reale dopoK = k + 1;
    if (dopoK == k) break;
    if (pixel(dopoK) == p) dopoK = PrimoIndice(dopoK, fine, [&](Reale j) { return pixel(j) != p; });
    k = dopoK;
  }
}

}  // namespace qx::scansione
