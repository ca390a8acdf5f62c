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

}  // namespace qx::raster
