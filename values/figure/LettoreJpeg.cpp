// JPEG decoding with libjpeg. The library reports fatal errors through a callback that
// must not return; ours jumps back to the decoder, which then gives up cleanly. Warnings
// (a truncated file is one: the library would pad it with grey) count as damage too.
#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "values/figure/LettoreImmagini.h"

namespace qx {

namespace {

struct GestoreErrori {
  jpeg_error_mgr base;
  std::jmp_buf ritorno;
  char messaggio[JMSG_LENGTH_MAX];
  int avvisi;
};

extern "C" void UscitaErrore(j_common_ptr cinfo) {
  auto* g = reinterpret_cast<GestoreErrori*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, g->messaggio);
  std::longjmp(g->ritorno, 1);
}

extern "C" void EmettiMessaggio(j_common_ptr cinfo, int livello) {
  auto* g = reinterpret_cast<GestoreErrori*>(cinfo->err);
  if (livello < 0 && g->avvisi++ == 0) (*cinfo->err->format_message)(cinfo, g->messaggio);
}

// Everything that lives across the jump is created before setjmp; after it only C calls
// and writes into storage that already exists.
bool Decodifica(const unsigned char* dati, unsigned long n, std::vector<std::uint32_t>& pixel, int& w, int& h,
                GestoreErrori& g) {
  jpeg_decompress_struct cinfo;
  cinfo.err = jpeg_std_error(&g.base);
  g.base.error_exit = UscitaErrore;
  g.base.emit_message = EmettiMessaggio;
  g.avvisi = 0;
  g.messaggio[0] = '\0';
  if (setjmp(g.ritorno)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, dati, n);
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_calc_output_dimensions(&cinfo);
  if (std::size_t(cinfo.output_width) * cinfo.output_height > MAX_PIXEL_IMMAGINE) {
    std::snprintf(g.messaggio, sizeof g.messaggio, "immagine troppo grande");
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_start_decompress(&cinfo);
  w = int(cinfo.output_width);
  h = int(cinfo.output_height);
  pixel.resize(std::size_t(w) * std::size_t(h));
  JSAMPARRAY riga = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                cinfo.output_width * cinfo.output_components, 1);
  while (cinfo.output_scanline < cinfo.output_height && g.avvisi == 0) {
    const std::size_t y = cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, riga, 1);
    const JSAMPLE* s = riga[0];
    for (int x = 0; x < w; ++x, s += 3)
      pixel[y * std::size_t(w) + std::size_t(x)] =
          0xFF000000u | (std::uint32_t(s[0]) << 16) | (std::uint32_t(s[1]) << 8) | std::uint32_t(s[2]);
  }
  if (g.avvisi == 0) jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return g.avvisi == 0;
}

}  // namespace

bool DecodificaJpeg(std::span<const unsigned char> dati, TBitmap& immagine, std::string& errore) {
  immagine = TBitmap();
  std::vector<std::uint32_t> pixel;
  int w = 0, h = 0;
  GestoreErrori g{};
  if (dati.empty() || !Decodifica(dati.data(), static_cast<unsigned long>(dati.size()), pixel, w, h, g)) {
    errore = dati.empty() ? "file vuoto" : g.messaggio;
    return false;
  }
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, pixel[std::size_t(y) * std::size_t(w) + std::size_t(x)]);
  immagine = std::move(b);
  return true;
}

}  // namespace qx
