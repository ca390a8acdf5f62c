#include "app/scheda/Png.h"

#include <zlib.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace qx {

namespace {

void Aggiungi32(std::string& s, std::uint32_t v) {
  for (int i = 3; i >= 0; --i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A chunk: length, type, data, and the CRC of type and data.
void Blocco(std::string& png, const char* tipo, const std::string& dati) {
  Aggiungi32(png, static_cast<std::uint32_t>(dati.size()));
  const std::string corpo = std::string(tipo, 4) + dati;
  png += corpo;
  Aggiungi32(png, static_cast<std::uint32_t>(
                      crc32(0L, reinterpret_cast<const Bytef*>(corpo.data()), static_cast<uInt>(corpo.size()))));
}

}  // namespace

std::string CodificaPng(const TBitmap& immagine) {
  const int w = immagine.Width(), h = immagine.Height();
  std::string png = "\x89PNG\r\n\x1A\n";
  std::string ihdr;
  Aggiungi32(ihdr, static_cast<std::uint32_t>(w));
  Aggiungi32(ihdr, static_cast<std::uint32_t>(h));
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
  Blocco(png, "IHDR", ihdr);

  std::vector<unsigned char> righe;
  righe.reserve(static_cast<std::size_t>(h) * (1 + 3 * static_cast<std::size_t>(w)));
  for (int y = 0; y < h; ++y) {
    righe.push_back(0);
    const std::uint32_t* riga = immagine.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      righe.push_back(static_cast<unsigned char>(riga[x] >> 16));
      righe.push_back(static_cast<unsigned char>(riga[x] >> 8));
      righe.push_back(static_cast<unsigned char>(riga[x]));
    }
  }
  uLongf dimensione = compressBound(static_cast<uLong>(righe.size()));
  std::string idat(dimensione, '\0');
  if (compress2(reinterpret_cast<Bytef*>(idat.data()), &dimensione, righe.data(), static_cast<uLong>(righe.size()),
                Z_DEFAULT_COMPRESSION) != Z_OK)
    throw std::runtime_error("immagine troppo grande");
  idat.resize(dimensione);
  Blocco(png, "IDAT", idat);
  Blocco(png, "IEND", "");
  return png;
}

}  // namespace qx
