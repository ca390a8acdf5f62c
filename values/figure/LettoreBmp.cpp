// Windows bitmaps: the core (12-byte) and the info headers (40 bytes and their longer
// versions), 1, 4 and 8 bits with a palette, 16, 24 and 32 bits, uncompressed or with bit
// fields. Every size is checked against the data before a byte is read.
#include <cstdint>
#include <vector>

#include "values/figure/LettoreImmagini.h"

namespace qx {

namespace {

class Lettore {
 public:
  explicit Lettore(std::span<const unsigned char> d) : d_(d) {}
  bool Ha(std::size_t pos, std::size_t n) const { return pos <= d_.size() && n <= d_.size() - pos; }
  std::uint32_t U16(std::size_t p) const { return d_[p] | (std::uint32_t(d_[p + 1]) << 8); }
  std::uint32_t U32(std::size_t p) const { return U16(p) | (U16(p + 2) << 16); }
  std::int32_t I32(std::size_t p) const { return static_cast<std::int32_t>(U32(p)); }
  unsigned char Byte(std::size_t p) const { return d_[p]; }

 private:
  std::span<const unsigned char> d_;
};

// The value of the bits under mask, scaled to 0..255.
std::uint32_t Canale(std::uint32_t v, std::uint32_t maschera) {
  if (maschera == 0) return 0;
  int shift = 0;
  while (!((maschera >> shift) & 1u)) ++shift;
  const std::uint32_t m = maschera >> shift;
  return static_cast<std::uint32_t>((std::uint64_t((v & maschera) >> shift) * 255u + m / 2) / m);
}

bool Fallisci(std::string& errore, const char* motivo) {
  errore = motivo;
  return false;
}

}  // namespace

bool DecodificaBmp(std::span<const unsigned char> dati, TBitmap& immagine, std::string& errore) {
  immagine = TBitmap();
  const Lettore r(dati);
  if (!r.Ha(0, 18) || r.Byte(0) != 'B' || r.Byte(1) != 'M') return Fallisci(errore, "non è una bitmap");
  const std::uint32_t inizioPixel = r.U32(10);
  const std::uint32_t dimIntestazione = r.U32(14);
  if (!r.Ha(14, dimIntestazione) || (dimIntestazione != 12 && dimIntestazione < 40))
    return Fallisci(errore, "intestazione della bitmap non valida");

  std::int64_t w = 0, h = 0;
  std::uint32_t bit = 0, compressione = 0, colori = 0;
  std::size_t voceTavolozza = 4;
  if (dimIntestazione == 12) {
    w = r.U16(18);
    h = static_cast<std::int16_t>(r.U16(20));
    bit = r.U16(24);
    voceTavolozza = 3;
  } else {
    w = r.I32(18);
    h = r.I32(22);
    bit = r.U16(28);
    compressione = r.U32(30);
    colori = r.U32(46);
  }
  const bool dallAlto = h < 0;
  if (h < 0) h = -h;
  if (w <= 0 || h <= 0) return Fallisci(errore, "dimensioni della bitmap non valide");
  if (std::uint64_t(w) * std::uint64_t(h) > MAX_PIXEL_IMMAGINE) return Fallisci(errore, "immagine troppo grande");
  if (bit != 1 && bit != 4 && bit != 8 && bit != 16 && bit != 24 && bit != 32)
    return Fallisci(errore, "profondità di colore non gestita");
  constexpr std::uint32_t BI_RGB = 0, BI_BITFIELDS = 3;
  if (compressione != BI_RGB && !(compressione == BI_BITFIELDS && (bit == 16 || bit == 32)))
    return Fallisci(errore, "bitmap compressa non gestita");

  // Channel masks: the defaults of uncompressed data, or the three after the header.
  std::uint32_t mr = 0x00FF0000u, mg = 0x0000FF00u, mb = 0x000000FFu;
  if (bit == 16) mr = 0x7C00u, mg = 0x03E0u, mb = 0x001Fu;
  if (compressione == BI_BITFIELDS) {
    const std::size_t p = 14 + 40;  // right after the 40-byte header, or inside a longer one
    if (!r.Ha(p, 12)) return Fallisci(errore, "maschere della bitmap mancanti");
    mr = r.U32(p);
    mg = r.U32(p + 4);
    mb = r.U32(p + 8);
  }

  std::vector<std::uint32_t> tavolozza;
  if (bit <= 8) {
    const std::uint32_t massimo = 1u << bit;
    const std::uint32_t n = colori == 0 || colori > massimo ? massimo : colori;
    const std::size_t p = 14 + dimIntestazione;
    if (!r.Ha(p, std::size_t(n) * voceTavolozza)) return Fallisci(errore, "tavolozza della bitmap incompleta");
    for (std::uint32_t i = 0; i < n; ++i) {
      const std::size_t q = p + i * voceTavolozza;
      tavolozza.push_back(0xFF000000u | (std::uint32_t(r.Byte(q + 2)) << 16) | (std::uint32_t(r.Byte(q + 1)) << 8) |
                          r.Byte(q));
    }
  }

  const std::size_t riga = ((std::size_t(w) * bit + 31) / 32) * 4;
  if (!r.Ha(inizioPixel, riga * std::size_t(h))) return Fallisci(errore, "dati della bitmap incompleti");

  TBitmap b(static_cast<int>(w), static_cast<int>(h));
  for (std::int64_t y = 0; y < h; ++y) {
    const std::size_t base = inizioPixel + riga * std::size_t(y);
    const int yImg = static_cast<int>(dallAlto ? y : h - 1 - y);
    for (std::int64_t x = 0; x < w; ++x) {
      std::uint32_t argb = 0xFF000000u;
      if (bit <= 8) {
        const std::size_t bitPos = std::size_t(x) * bit;
        const unsigned byte = r.Byte(base + bitPos / 8);
        const unsigned indice = (byte >> (8 - bit - bitPos % 8)) & ((1u << bit) - 1u);
        argb = indice < tavolozza.size() ? tavolozza[indice] : 0xFF000000u;
      } else if (bit == 24) {
        const std::size_t p = base + std::size_t(x) * 3;
        argb |= (std::uint32_t(r.Byte(p + 2)) << 16) | (std::uint32_t(r.Byte(p + 1)) << 8) | r.Byte(p);
      } else {
        const std::uint32_t v = bit == 16 ? r.U16(base + std::size_t(x) * 2) : r.U32(base + std::size_t(x) * 4);
        argb |= (Canale(v, mr) << 16) | (Canale(v, mg) << 8) | Canale(v, mb);
      }
      b.SetPixel(static_cast<int>(x), yImg, argb);
    }
  }
  immagine = std::move(b);
  return true;
}

}  // namespace qx
