// Numeric fields of every width dBASE allows, as other programs make them: a value is
// written whole or not at all, never cut or rounded, and a refused edit leaves the file as
// it was.
#include <gtest/gtest.h>
#include <shapefil.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/dbf/TabellaDbf.h"
#include "tests/platform/ByteDiFile.h"
#include "tests/support/Fuzz.h"

namespace qx::dbf {
namespace {

namespace fs = std::filesystem;
using test::LeggiByte;

struct Numerico {
  int larghezza, decimali;
};

class LarghezzeDbf : public ::testing::Test {
 protected:
  void SetUp() override {
    percorso = fs::temp_directory_path() / ("qx_dbf_larghezze_" + std::to_string(::getpid()) + ".dbf");
    fs::remove(percorso);
  }
  void TearDown() override { fs::remove(percorso); }

  // A table with one record, made by shapelib as another program would.
  void Crea(const std::vector<Numerico>& campi) {
    DBFHandle h = DBFCreate(percorso.c_str());
    ASSERT_NE(h, nullptr);
    for (std::size_t i = 0; i < campi.size(); ++i)
      ASSERT_GE(DBFAddField(h, ("N" + std::to_string(i)).c_str(), FTDouble, campi[i].larghezza, campi[i].decimali), 0);
    ASSERT_TRUE(DBFWriteNULLAttribute(h, 0, 0));
    DBFClose(h);
  }
  // The bytes of field i of the first record.
  std::string Campo(const TTabella& t, int i) {
    const TCampo& c = t.Campi()[static_cast<std::size_t>(i)];
    const std::string b = LeggiByte(percorso);
    const std::size_t inizio = static_cast<std::size_t>(b[8] & 0xFF) | static_cast<std::size_t>(b[9] & 0xFF) << 8;
    return b.substr(inizio + static_cast<std::size_t>(c.Posizione), static_cast<std::size_t>(c.Larghezza));
  }

  fs::path percorso;
  std::string errore;
};

TEST_F(LarghezzeDbf, OgniLarghezzaScriveIlNumeroInteroONiente) {
  Crea({{19, 2}, {20, 6}, {64, 4}, {70, 0}, {255, 10}});
  TTabella t;
  ASSERT_TRUE(t.Apri(percorso.string(), errore)) << errore;
  ASSERT_EQ(t.Campi().size(), 5u);

  // Values that fit: right-aligned in the whole width, with the field's decimals.
  const struct {
    int campo;
    std::string testo, scritto;
  } buoni[] = {
      {0, "123", "123.00"},   {0, "-12.5", "-12.50"},  {1, "12.5", "12.500000"},
      {2, "123", "123.0000"}, {3, "123", "123"},       {3, "-4E20", "-4" + std::string(20, '0')},
      {4, "12.5", "12.5000000000"},
  };
  for (const auto& b : buoni) {
    ASSERT_TRUE(t.Scrivi(0, b.campo, b.testo, errore)) << b.testo << ": " << errore;
    const int w = t.Campi()[static_cast<std::size_t>(b.campo)].Larghezza;
    EXPECT_EQ(Campo(t, b.campo), std::string(static_cast<std::size_t>(w) - b.scritto.size(), ' ') + b.scritto);
  }
  EXPECT_EQ(t.Testo(0, 3), "-400000000000000000000");
  EXPECT_EQ(t.Testo(0, 4), "12.5");

  // Values that do not fit: refused with a message, and the file keeps its bytes.
  const std::string prima = LeggiByte(percorso);
  const struct {
    int campo;
    std::string testo, messaggio;
  } cattivi[] = {
      {0, "1E17", "Il numero è troppo grande per il campo N0"},
      {0, "0.125", "Il campo N0 tiene al massimo 2 decimali"},
      {1, "0.0000001", "Il campo N1 tiene al massimo 6 decimali"},
      {2, "1E60", "Il numero è troppo grande per il campo N2"},
      {3, "12.5", "Il campo N3 tiene al massimo 0 decimali"},
      {3, "1E70", "Il numero è troppo grande per il campo N3"},
      {4, "1E250", "Il numero è troppo grande per il campo N4"},
  };
  for (const auto& c : cattivi) {
    EXPECT_FALSE(t.Scrivi(0, c.campo, c.testo, errore)) << c.testo;
    EXPECT_EQ(errore, c.messaggio);
  }
  EXPECT_EQ(LeggiByte(percorso), prima);
}

// Random widths, decimals and numbers: an edit is accepted exactly when the number's text
// in the field's form fits the width and reads back as the number; the bytes written then
// read back as it, and a refused edit writes nothing.
TEST_F(LarghezzeDbf, FuzzDiLarghezzeENumeri) {
  const std::uint32_t seme = test::SemeFuzz(64);
  std::mt19937 g(seme);
  for (int prova = 0; prova < test::ProveFuzz(40); ++prova) {
    std::vector<Numerico> campi;
    for (int i = 0; i < 4; ++i) {
      const int w = 1 + static_cast<int>(g() % 255);
      campi.push_back({w, std::min(w - 1, static_cast<int>(g() % 16))});
    }
    Crea(campi);
    TTabella t;
    ASSERT_TRUE(t.Apri(percorso.string(), errore)) << errore;
    for (int k = 0; k < 30; ++k) {
      const int i = static_cast<int>(g() % campi.size());
      const auto& c = t.Campi()[static_cast<std::size_t>(i)];
      std::ostringstream s;
      s << (g() % 2 ? "-" : "") << g() % 1000 << "." << g() % 1000 << "E" << static_cast<int>(g() % 80) - 20;
      const long double x = std::strtold(s.str().c_str(), nullptr);
      char forma[512];
      const int n = std::snprintf(forma, sizeof forma, "%*.*Lf", c.Larghezza, c.Decimali, x);
      const bool entra = n <= c.Larghezza && std::strtold(forma, nullptr) == x;
      const std::string prima = LeggiByte(percorso);
      const bool scritto = t.Scrivi(0, i, s.str(), errore);
      ASSERT_EQ(scritto, entra) << "seed " << seme << ": " << s.str() << " in N" << c.Larghezza << "." << c.Decimali;
      if (scritto) {
        const std::string campo = Campo(t, i);
        ASSERT_EQ(campo.size(), static_cast<std::size_t>(c.Larghezza));
        ASSERT_EQ(std::strtold(campo.c_str(), nullptr), x) << campo;
      } else {
        ASSERT_EQ(LeggiByte(percorso), prima);
      }
    }
  }
}

}  // namespace
}  // namespace qx::dbf
