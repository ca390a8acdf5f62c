#include "platform/qt/Rasterizzazione.h"

namespace qx::raster {

std::uint32_t ApplicaModo(TPenMode modo, std::uint32_t d, std::uint32_t p) {
  constexpr std::uint32_t rgb = 0x00FFFFFFu;
  d &= rgb;
  p &= rgb;
  std::uint32_t r = d;
  switch (modo) {
    case pmBlack: r = 0; break;
    case pmWhite: r = rgb; break;
    case pmNop: r = d; break;
    case pmNot: r = ~d; break;
    case pmCopy: r = p; break;
    case pmNotCopy: r = ~p; break;
    case pmMergePenNot: r = p | ~d; break;
    case pmMaskPenNot: r = p & ~d; break;
    case pmMergeNotPen: r = ~p | d; break;
    case pmMaskNotPen: r = ~p & d; break;
    case pmMerge: r = p | d; break;
    case pmNotMerge: r = ~(p | d); break;
    case pmMask: r = p & d; break;
    case pmNotMask: r = ~(p & d); break;
    case pmXor: r = p ^ d; break;
    case pmNotXor: r = ~(p ^ d); break;
  }
  return 0xFF000000u | (r & rgb);
}

std::span<const int> SchemaTratto(TPenStyle stile) {
  static constexpr int tratteggio[] = {18, 6};
  static constexpr int punteggiato[] = {3, 3};
  static constexpr int trattoPunto[] = {9, 6, 3, 6};
  static constexpr int trattoPuntoPunto[] = {9, 3, 3, 3, 3, 3};
  switch (stile) {
    case psDash: return tratteggio;
    case psDot: return punteggiato;
    case psDashDot: return trattoPunto;
    case psDashDotDot: return trattoPuntoPunto;
    default: return {};
  }
}

bool TrattoAcceso(std::span<const int> schema, long long fase) {
  if (schema.empty()) return true;
  long long periodo = 0;
  for (int l : schema) periodo += l;
  long long r = fase % periodo;
  if (r < 0) r += periodo;
  for (std::size_t k = 0; k < schema.size(); ++k) {
    if (r < schema[k]) return k % 2 == 0;
    r -= schema[k];
  }
  return false;
}

bool TramaAccesa(TBrushStyle stile, int x, int y) {
  const int cx = x & 7, cy = y & 7;
  const bool orizzontale = cy == 0, verticale = cx == 0;
  const bool discendente = ((cx - cy) & 7) == 0, ascendente = ((cx + cy) & 7) == 7;
  switch (stile) {
    case bsSolid: return true;
    case bsClear: return false;
    case bsHorizontal: return orizzontale;
    case bsVertical: return verticale;
    case bsFDiagonal: return discendente;
    case bsBDiagonal: return ascendente;
    case bsCross: return orizzontale || verticale;
    case bsDiagCross: return discendente || ascendente;
  }
  return false;
}

void TracciaLineaPiena(int x0, int y0, int x1, int y1, int larghezza, int altezza, std::uint32_t* pixel,
                       std::ptrdiff_t passo, std::uint32_t colore) {
  __extension__ typedef __int128 Int128;
  const long long dx = (long long)x1 - x0, dy = (long long)y1 - y0;
  const long long adx = std::llabs(dx), ady = std::llabs(dy);
  const long long n = std::max(adx, ady);
  if (n == 0 || larghezza <= 0 || altezza <= 0) return;
  const bool maggioreX = adx >= ady;
  const long long inizio = maggioreX ? x0 : y0, inizioMin = maggioreX ? y0 : x0;
  const long long dMag = maggioreX ? dx : dy, dMin = maggioreX ? dy : dx;
  const long long aMin = std::llabs(dMin);
  const long long estMag = maggioreX ? larghezza : altezza, estMin = maggioreX ? altezza : larghezza;
  // Pixel i lies at inizio +- i along the major axis and inizioMin +- off(i) along the other,
  // off(i) = (2 i aMin + n - 1) / (2 n) rounded down, as TracciaLinea has it.
  long long iDa = 0, iA = n - 1;
  if (dMag > 0)
    iDa = std::max(iDa, -inizio), iA = std::min(iA, estMag - 1 - inizio);
  else
    iDa = std::max(iDa, inizio - (estMag - 1)), iA = std::min(iA, inizio);
  // The steps off(i) that keep the minor coordinate inside: [oLo, oHi].
  const long long oLo = dMin >= 0 ? -inizioMin : inizioMin - (estMin - 1);
  const long long oHi = dMin >= 0 ? estMin - 1 - inizioMin : inizioMin;
  if (oHi < 0 || oLo > oHi) return;
  // Worked out in 64 bits when the products fit (any line of a canvas), else in 128.
  long long off = 0, resto = 0;
  auto stretto = [&]<class Intero>(Intero) {
    const Intero dueN = Intero(2) * n, dueA = Intero(2) * aMin;
    if (aMin == 0) {
      if (oLo > 0) iDa = 1, iA = 0;
    } else {
      // The first i with off(i) >= oLo and the last with off(i) <= oHi.
      if (oLo > 0) iDa = std::max<long long>(iDa, (long long)((dueN * oLo - n + 1 + dueA - 1) / dueA));
      const Intero ultimo = (dueN * oHi + n) / dueA;
      if (ultimo < iA) iA = (long long)ultimo;
    }
    if (iDa > iA) return false;
    const Intero primo = Intero(2) * iDa * aMin + n - 1;
    off = (long long)(primo / dueN), resto = (long long)(primo % dueN);
    return true;
  };
  constexpr long long kPiccolo = 1LL << 30;
  const bool piccolo = n < kPiccolo && std::llabs(oLo) < kPiccolo && std::llabs(oHi) < kPiccolo;
  if (!(piccolo ? stretto(0LL) : stretto(Int128(0)))) return;
  const long long M = inizio + (dMag > 0 ? iDa : -iDa), m = inizioMin + (dMin >= 0 ? off : -off);
  const long long x = maggioreX ? M : m, y = maggioreX ? m : M;
  std::uint32_t* p = pixel + y * passo + x;
  const std::ptrdiff_t passoMag = maggioreX ? (dMag > 0 ? 1 : -1) : (dMag > 0 ? passo : -passo);
  const std::ptrdiff_t passoMin = maggioreX ? (dMin >= 0 ? passo : -passo) : (dMin >= 0 ? 1 : -1);
  const long long rN = 2 * n, rA = 2 * aMin;  // below 2^34: no overflow in the carry
  for (long long i = iDa;; ++i) {
    *p = colore;
    if (i == iA) break;
    p += passoMag;
    resto += rA;
    if (resto >= rN) resto -= rN, p += passoMin;
  }
}

}  // namespace qx::raster
