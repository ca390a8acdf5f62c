// Pictures: JPEG and BMP files made here, and damaged ones, which must give the message
// and an empty picture without ending the process.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include <jpeglib.h>

#include "runstate/DatiGlob.h"
#include "tests/figure/Cornice.h"
#include "values/figure/LettoreImmagini.h"
#include "values/figure/ValoreImmagine.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

// A w x h picture, red on the left half and blue on the right, encoded at high quality.
std::vector<unsigned char> CodificaJpeg(int w, int h) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long dimensione = 0;
  jpeg_mem_dest(&cinfo, &buffer, &dimensione);
  cinfo.image_width = JDIMENSION(w);
  cinfo.image_height = JDIMENSION(h);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> riga(std::size_t(w) * 3);
  for (int x = 0; x < w; ++x) {
    riga[std::size_t(x) * 3] = x < w / 2 ? 255 : 0;
    riga[std::size_t(x) * 3 + 2] = x < w / 2 ? 0 : 255;
  }
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW r = riga.data();
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<unsigned char> dati(buffer, buffer + dimensione);
  std::free(buffer);
  return dati;
}

void Le16(std::vector<unsigned char>& v, unsigned x) {
  v.push_back(x & 0xFF);
  v.push_back((x >> 8) & 0xFF);
}
void Le32(std::vector<unsigned char>& v, unsigned x) {
  Le16(v, x & 0xFFFF);
  Le16(v, x >> 16);
}

// A 24-bit bitmap, bottom-up, of w x h pixels: green on the top row, white elsewhere.
std::vector<unsigned char> CodificaBmp(int w, int h) {
  const unsigned riga = unsigned((w * 3 + 3) / 4 * 4);
  std::vector<unsigned char> v{'B', 'M'};
  Le32(v, 54 + riga * unsigned(h));
  Le32(v, 0);
  Le32(v, 54);
  Le32(v, 40);
  Le32(v, unsigned(w));
  Le32(v, unsigned(h));
  Le16(v, 1);
  Le16(v, 24);
  for (int i = 0; i < 6; ++i) Le32(v, 0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      v.push_back(y == 0 ? 0 : 255);
      v.push_back(255);
      v.push_back(y == 0 ? 0 : 255);
    }
    for (unsigned k = unsigned(w) * 3; k < riga; ++k) v.push_back(0);
  }
  return v;
}

class ImmaginiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cartella = fs::temp_directory_path() / ("qx_immagini_" + std::to_string(::getpid()));
    fs::create_directories(cartella);
  }
  void TearDown() override { fs::remove_all(cartella); }
  std::string Scrivi(const std::string& nome, const std::vector<unsigned char>& dati) {
    const fs::path p = cartella / nome;
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(dati.data()), std::streamsize(dati.size()));
    return p.string();
  }
  test::Cornice cornice;
  fs::path cartella;
};

TEST_F(ImmaginiTest, JpegAndBitmapLoadAndDraw) {
  cValoreImmagine im;
  ASSERT_TRUE(im.CaricaFile(Scrivi("a.jpg", CodificaJpeg(40, 20))));
  EXPECT_EQ(im.Immagine.Width(), 40);
  EXPECT_EQ(im.Immagine.Height(), 20);
  const TColor sinistra = PixelInColore(im.Immagine.Pixel(5, 10)), destra = PixelInColore(im.Immagine.Pixel(35, 10));
  EXPECT_GT(GetRValue(sinistra), 200);
  EXPECT_LT(GetBValue(sinistra), 60);
  EXPECT_GT(GetBValue(destra), 200);
  EXPECT_FALSE(DatiGlob.bStop);

  im.x = 1;
  im.y = 1;
  im.Disegna(cornice.registro);
  EXPECT_EQ(cornice.registro.Righe().back(), "Draw 330 170 40 20");
  EXPECT_TRUE(im.Colpito({369, 189}));
  EXPECT_FALSE(im.Colpito({370, 189}));
  im.bStretch = true;
  im.x1 = 3;
  im.y1 = -1;
  im.Disegna(cornice.registro);
  EXPECT_EQ(cornice.registro.Righe().back(), "StretchDraw 330 170 390 230 40 20");

  auto copia = im.Clona();
  EXPECT_EQ(static_cast<cValoreImmagine&>(*copia).Immagine, im.Immagine);

  cValoreImmagine bmp;
  ASSERT_TRUE(bmp.CaricaFile(Scrivi("b.bmp", CodificaBmp(3, 2))));
  EXPECT_EQ(bmp.Immagine.Width(), 3);
  EXPECT_EQ(PixelInColore(bmp.Immagine.Pixel(1, 0)), clLime) << "bottom-up rows: the last row in the file is the top";
  EXPECT_EQ(PixelInColore(bmp.Immagine.Pixel(2, 1)), clWhite);
}

TEST_F(ImmaginiTest, DamagedFilesGiveTheMessageAndAnEmptyPicture) {
  std::vector<unsigned char> jpeg = CodificaJpeg(64, 64);
  jpeg.resize(jpeg.size() / 2);
  const std::vector<std::pair<std::string, std::string>> casi = {
      {Scrivi("tronco.jpg", jpeg), "Impossibile caricare l'immagine "},
      {(cartella / "manca.jpg").string(), "Impossibile caricare l'immagine "},
      {Scrivi("vuoto.jpg", {}), "Impossibile caricare l'immagine "},
      {Scrivi("testo.jpg", {'c', 'i', 'a', 'o'}), "Impossibile caricare l'immagine "},
  };
  for (const auto& [file, prefisso] : casi) {
    ReimpostaDatiGlob();
    cValoreImmagine im;
    EXPECT_FALSE(im.CaricaFile(file)) << file;
    EXPECT_TRUE(im.Immagine.Empty()) << file;
    EXPECT_TRUE(DatiGlob.bStop) << file;
    EXPECT_TRUE(DatiGlob.MessaggioErrore.starts_with(prefisso + file + ": ")) << DatiGlob.MessaggioErrore;
  }
  ReimpostaDatiGlob();
  cValoreImmagine im;
  im.CaricaFile((cartella / "manca.jpg").string());
  EXPECT_EQ(DatiGlob.MessaggioErrore, "Impossibile caricare l'immagine " + (cartella / "manca.jpg").string() +
                                          ": file non trovato");
}

TEST_F(ImmaginiTest, FuzzedFilesNeverCrash) {
  const std::vector<unsigned char> jpeg = CodificaJpeg(24, 16), bmp = CodificaBmp(5, 4);
  std::mt19937 caso(12345);
  TBitmap b;
  std::string errore;
  for (int prova = 0; prova < 400; ++prova) {
    for (const auto* originale : {&jpeg, &bmp}) {
      std::vector<unsigned char> d = *originale;
      const int modifiche = 1 + int(caso() % 8);
      for (int k = 0; k < modifiche; ++k) d[2 + caso() % (d.size() - 2)] = static_cast<unsigned char>(caso());
      if (caso() % 3 == 0) d.resize(2 + caso() % (d.size() - 2));
      const bool ok = originale == &jpeg ? DecodificaJpeg(d, b, errore) : DecodificaBmp(d, b, errore);
      if (!ok) {
        EXPECT_TRUE(b.Empty());
        EXPECT_FALSE(errore.empty());
      }
    }
  }
  // A header that claims a huge picture is refused, not allocated.
  std::vector<unsigned char> grande = CodificaBmp(1, 1);
  grande[18] = grande[19] = grande[20] = 0xFF;
  grande[21] = 0x7F;
  EXPECT_FALSE(DecodificaBmp(grande, b, errore));
}

}  // namespace
}  // namespace qx
