// The space values' part of program files, with stand-in classes registered as the solid
// geometry will register its own: the fields of each kind, singles for the placement, and
// the up vector handed over whole.
#include <gtest/gtest.h>

#include "app/file/ValoriSpazio.h"
#include "tests/files/Byte.h"
#include "tests/files/Lavoro.h"
#include "tests/files/SpazioFinto.h"
#include "values/RegistroSpazio.h"

namespace qx {
namespace {

using test::cSolidoFinto;
using test::RegistraSpazioFinto;

using test::Byte;
using test::Hex;

using test::Corto;

class FileSpazio : public test::Lavoro {
 protected:
  void SetUp() override {
    for (TipiValore t : {T_GRUPPO3D, T_SFERA3D, T_PIRAMIDE3D, T_FACCIA3D, T_SOLIDO3D}) RegistraSpazioFinto(t);
  }
  void TearDown() override {
    SvuotaRegistroSpazio();
    SvuotaAccessiSpazio();
    Lavoro::TearDown();
  }
  cSolidoFinto& Aggiungi(const std::string& nome, TipiValore t) {
    auto v = std::make_unique<cSolidoFinto>(t);
    v->Nome = nome;
    cSolidoFinto& r = *v;
    run.ambiente.Variabili().Aggiungi(std::make_unique<cVariabile>(nome, std::move(v)));
    return r;
  }
};

TEST_F(FileSpazio, PlacementIsWrittenAsSinglesAndTheFieldsOfEachClassFollow) {
  ASSERT_TRUE(Esegui("A = 1;"));
  cSolidoFinto& s = Aggiungi("S", T_SFERA3D);
  s.Campi.Posx = 2.5f;
  s.Campi.Upx = 0.6f;
  s.Campi.Upz = 0.8f;
  s.Campi.Reali["Raggio"] = 1.5L;
  const std::string dati = Salva();
  const std::size_t da = Posizione(dati, "TPF0", 6), a = Posizione(dati, "TPF0", 7);
  const std::string record = dati.substr(da, a - da);
  EXPECT_EQ(record.substr(4, 15), Corto("cValoreSfera3D"));
  EXPECT_NE(record.find(Corto("Posx") + Byte("0F 00 00 20 40")), std::string::npos) << Hex(record);
  EXPECT_NE(record.find(Corto("Posy") + Byte("0F 00 00 00 00")), std::string::npos)
      << "a single that is 0 is written: the constructor's placement depends on the sizes";
  EXPECT_NE(record.find(Corto("Upz") + Byte("0F CD CC 4C 3F")), std::string::npos);
  EXPECT_NE(record.find(Corto("Raggio") + Byte("05 00 00 00 00 00 00 00 C0 FF 3F")), std::string::npos);

  TProgrammaLetto letto;
  std::string motivo;
  ASSERT_TRUE(LeggiProgramma(dati, letto, motivo)) << motivo;
  EXPECT_TRUE(letto.bSpazio) << "a file with a space value shows the 3D view";
  ASSERT_EQ(Apri(dati), "");
  auto& t = Di<cSolidoFinto>("S");
  EXPECT_EQ(t.ImpostazioniUp, 1) << "the up vector arrives whole, once";
  EXPECT_EQ(t.Campi.Upx, 0.6f);
  EXPECT_EQ(t.Campi.Upy, 0.0f);
  EXPECT_EQ(t.Campi.Upz, 0.8f);
  EXPECT_EQ(t.Campi.Posx, 2.5f);
  EXPECT_EQ(t.Campi.Reali.at("Raggio"), 1.5L);
  EXPECT_EQ(Hex(Salva()), Hex(dati));
}

TEST_F(FileSpazio, FacesGroupsSolidsAndPyramidsOfEitherClassLoadAgain) {
  ASSERT_TRUE(Esegui("A = 1;"));
  auto& f = Aggiungi("F", T_FACCIA3D);
  f.Campi.Punti = {{0, 0, 0}, {1, 0, 0.5L}, {0, 2, 0}};
  auto& g = Aggiungi("G", T_GRUPPO3D);
  g.Campi.Nomi = {"F", "P"};
  g.Campi.Posx = 1;
  auto& p = Aggiungi("P", T_PIRAMIDE3D);
  p.Campi.Classe = "cValoreTetraedro3D";
  p.Campi.Reali = {{"Lato", 2}, {"Altezza", 3}};
  p.Campi.Booleani["Aperto"] = true;
  p.Campi.Interi["nFacce"] = 5;
  auto& s = Aggiungi("SO", T_SOLIDO3D);
  s.Campi.Interi["nFacce"] = 6;
  const std::string dati = Salva();
  EXPECT_NE(dati.find(Corto("cValoreTetraedro3D")), std::string::npos);
  const std::size_t gi = dati.find(Corto("cValoreGruppo3D"));
  EXPECT_EQ(dati.substr(gi, dati.find("TPF0", gi) - gi).find("Posx"), std::string::npos) << "a group has no placement";
  ASSERT_EQ(Apri(dati), "");
  EXPECT_EQ(Hex(Salva()), Hex(dati));
  EXPECT_EQ(Di<cSolidoFinto>("F").Campi.Punti[1].z, 0.5L);
  EXPECT_EQ(Di<cSolidoFinto>("G").Campi.Nomi, (std::vector<std::string>{"F", "P"}));
  EXPECT_EQ(Di<cSolidoFinto>("P").Campi.Interi.at("nFacce"), 5);
  EXPECT_TRUE(Di<cSolidoFinto>("P").Campi.Booleani.at("Aperto"));
  EXPECT_EQ(Di<cSolidoFinto>("SO").Campi.Interi.at("nFacce"), 6);
}

TEST_F(FileSpazio, AKindThatCannotBeMadeYetRefusesTheFileAndChangesNothing) {
  ASSERT_TRUE(Esegui("A = 1;"));
  Aggiungi("S", T_SFERA3D);
  const std::string dati = Salva();
  SvuotaRegistroSpazio();
  ASSERT_TRUE(Esegui("B = 2;"));
  EXPECT_EQ(Apri(dati), "gli oggetti dello spazio (T_SFERA3D) non si possono ancora aprire");
  EXPECT_EQ(Nomi(), "B");
}

}  // namespace
}  // namespace qx
