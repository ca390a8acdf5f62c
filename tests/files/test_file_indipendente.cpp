// Files of a second writer (scrivi_programmi.py, on Python's standard library only), which
// leaves out every property equal to what the value's constructor gives: each one loads, and
// its values are those that the same statements make, property for property.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "runstate/DatiGlob.h"
#include "tests/files/Lavoro.h"
#include "values/RifCart.h"
#include "values/figure/ValoreLista.h"

namespace qx::test {
namespace {

class FileIndipendente : public Lavoro {
 protected:
  // The families the script wrote, one per line.
  std::vector<std::string> Scrivi() {
    const std::string comando = "python3 " QUORIX_SCRIVI_PROGRAMMI " '" + Cartella() + "' 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> p(::popen(comando.c_str(), "r"), ::pclose);
    std::vector<std::string> famiglie;
    char buf[512];
    while (p && std::fgets(buf, sizeof buf, p.get())) {
      std::string riga(buf);
      while (!riga.empty() && (riga.back() == '\n' || riga.back() == '\r')) riga.pop_back();
      famiglie.push_back(riga);
    }
    return famiglie;
  }
};

TEST_F(FileIndipendente, EveryFamilyLoadsAsTheStatementsMakeIt) {
  const std::vector<std::string> famiglie = Scrivi();
  ASSERT_GE(famiglie.size(), 10u) << (famiglie.empty() ? "" : famiglie.front());
  for (const std::string& f : famiglie) {
    SCOPED_TRACE(f);
    const std::string programma = LeggiFile(Cartella() + "/" + f + ".txt");
    // The anonymous objects of the program are counted from 0, as in a new session.
    DatiGlob.ContatoreOggetti = 0;
    ASSERT_TRUE(Esegui(programma));
    const std::string fatto = Salva();
    // Something else first, so that the load has to replace it.
    ASSERT_TRUE(Esegui("X = PUNTO(7, 7);"));
    ASSERT_EQ(Apri(LeggiFile(Cartella() + "/" + f + ".qxs")), "");
    // Saved again by our writer, the two works are the same bytes: every stored property of
    // every value, the frame included.
    EXPECT_EQ(Salva(), fatto);
  }
}

TEST_F(FileIndipendente, APointWithoutAPenTakesTheConstructorsAndAnEmptyFunctionIsAnEmptyPlace) {
  ASSERT_FALSE(Scrivi().empty());
  ASSERT_EQ(Apri(LeggiFile(Cartella() + "/punti.qxs")), "");
  EXPECT_EQ(Di<cValoreGraf>("P").Pen.Color, clBlue);
  EXPECT_EQ(Di<cValoreGraf>("Q").Pen.Color, clRed);
  EXPECT_EQ(Di<cValoreGraf>("R").Pen.Color, clRed) << "the pen the red point made current";
  ASSERT_EQ(Apri(LeggiFile(Cartella() + "/funzioni.qxs")), "");
  const auto& v = Di<cValoreLista>("V");
  ASSERT_EQ(v._Oggetti.size(), 2u);
  EXPECT_NE(v._Oggetti[0], nullptr);
  EXPECT_EQ(v._Oggetti[1], nullptr);
  EXPECT_EQ(run.ambiente.RifCart()->__AsseX, 1.0L) << "the reset frame's, which the record leaves as it is";
}

}  // namespace
}  // namespace qx::test
