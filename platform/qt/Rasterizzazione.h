// The toolkit's pixel rules that QPainter does not have: the sixteen pen modes, the styled
// one-pixel lines (their last pixel left out, the dash pattern running on from one segment
// to the next), the hatch patterns of the brush. No Qt here.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstddef>
#include <span>

#include "platform/Graphics.h"

namespace qx::raster {

// Applies a pen mode to a destination pixel (0x00RRGGBB or with alpha) and a pen colour.
std::uint32_t ApplicaModo(TPenMode modo, std::uint32_t destinazione, std::uint32_t penna);

// On and off lengths of a styled one-pixel pen; empty for a solid one.
std::span<const int> SchemaTratto(TPenStyle stile);
// Whether the pattern is "on" at the given pixel count along the line.
bool TrattoAcceso(std::span<const int> schema, long long fase);

// Whether a hatch brush paints the pixel (x, y); patterns are 8 by 8 from the origin.
bool TramaAccesa(TBrushStyle stile, int x, int y);

// Visits the pixels of the line from (x0, y0) to (x1, y1) without its last pixel that lie
// inside [left, right) x [top, bottom), calling f(x, y, fase) with the pixel's count along
// the line added to `fase`; afterwards `fase` has grown by the line's length in pixels.
// Coordinates may be anywhere in the integer range: only the visible part is walked.
template <class F>
void TracciaLinea(int x0, int y0, int x1, int y1, int left, int top, int right, int bottom, long long& fase, F f) {
  __extension__ typedef __int128 Int128;
  const long long dx = (long long)x1 - x0, dy = (long long)y1 - y0;
  const long long adx = std::llabs(dx), ady = std::llabs(dy);
  const long long n = std::max(adx, ady);
  if (n == 0) return;
  const bool maggioreX = adx >= ady;
  const long long inizio = maggioreX ? x0 : y0;
  const int passo = (maggioreX ? dx : dy) > 0 ? 1 : -1;
  const long long lo = maggioreX ? left : top, hi = (maggioreX ? right : bottom) - 1LL;
  long long iDa, iA;
  if (passo > 0) {
    iDa = lo - inizio;
    iA = hi - inizio;
  } else {
    iDa = inizio - hi;
    iA = inizio - lo;
  }
  iDa = std::max(iDa, 0LL);
  iA = std::min(iA, n - 1);
  const long long dMin = maggioreX ? dy : dx;
  const long long aMin = std::llabs(dMin);
  const int passoMin = dMin >= 0 ? 1 : -1;
  const long long inizioMin = maggioreX ? y0 : x0;
  const long long loMin = maggioreX ? top : left, hiMin = (maggioreX ? bottom : right) - 1LL;
  if (iDa > iA) {
    fase += n;
    return;
  }
  // The minor step at pixel i is (2 i aMin + n - 1) / (2 n) rounded down (halfway cases stay
  // on the starting side): worked out once at the first visible pixel, in 128 bits, then
  // carried from pixel to pixel by its remainder.
  const long long dueN = 2 * n, dueA = 2 * aMin;
  long long off, resto;
  if (n < (1LL << 30)) {  // the product fits in 64 bits
    const long long primo = 2 * iDa * aMin + n - 1;
    off = primo / dueN, resto = primo % dueN;
  } else {
    const Int128 primo = Int128(2) * iDa * aMin + n - 1;
    off = (long long)(primo / dueN), resto = (long long)(primo % dueN);
  }
  for (long long i = iDa; i <= iA; ++i) {
    if (i > iDa) {
      resto += dueA;
      if (resto >= dueN) resto -= dueN, ++off;
    }
    const long long m = inizioMin + passoMin * off;
    if (m < loMin || m > hiMin) continue;
    const long long M = inizio + passo * i;
    if (maggioreX)
      f(int(M), int(m), fase + i);
    else
      f(int(m), int(M), fase + i);
  }
  fase += n;
}

// The pixels that TracciaLinea visits in [0, larghezza) x [0, altezza), set to `colore` in
// an image of 32-bit pixels whose rows lie `passo` pixels apart: a solid pen in copy mode,
// the line most figures draw. The visible stretch along both axes is worked out once, and
// the walk then steps a pointer with no test per pixel but the rounding's carry.
void TracciaLineaPiena(int x0, int y0, int x1, int y1, int larghezza, int altezza, std::uint32_t* pixel,
                       std::ptrdiff_t passo, std::uint32_t colore);

}  // namespace qx::raster
