// The dBASE table layer: files as dBASE and shapelib read them, editing, the order kept in
// memory and the two searches, the exclusive open, and damaged or foreign files (which
// give a message, are never modified, and never crash the reader).
#include <gtest/gtest.h>
#include <shapefil.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/dbf/TabellaDbf.h"
#include "tests/platform/ByteDiFile.h"

namespace qx::dbf {
namespace {

namespace fs = std::filesystem;
using test::LeggiByte;
using test::ScriviByte;

class TabellaDbf : public ::testing::Test {
 protected:
  fs::path cartella;
  std::string errore;

  void SetUp() override {
    cartella = fs::temp_directory_path() /
               ("qx_dbf_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(cartella);
    fs::create_directories(cartella);
  }
  void TearDown() override { fs::remove_all(cartella); }

  std::string Percorso(const std::string& nome) { return (cartella / (nome + ".dbf")).string(); }

  // RUBRICA: NOME text 20, ETA number, NATO date.
  std::string CreaRubrica() {
    const std::string p = Percorso("RUBRICA");
    EXPECT_TRUE(CreaTabella(p, {CampoTesto("NOME", 20), CampoNumero("ETA"), CampoData("NATO")}, errore)) << errore;
    return p;
  }

  // Fills the open table with rows of NOME, ETA, NATO.
  void Riempi(TTabella& t, const std::vector<std::array<std::string, 3>>& righe) {
    for (const auto& r : righe) {
      const int riga = t.Aggiungi(errore);
      ASSERT_GE(riga, 0) << errore;
      const int rec = t.Record(riga);
      for (int c = 0; c < 3; ++c) {
        ASSERT_TRUE(t.Scrivi(t.RigaDelRecord(rec), c, r[static_cast<std::size_t>(c)], errore)) << errore;
      }
    }
  }

  static std::vector<std::string> Colonna(const TTabella& t, int campo) {
    std::vector<std::string> c;
    for (int r = 0; r < t.Righe(); ++r) c.push_back(t.Testo(r, campo));
    return c;
  }

  const std::vector<std::array<std::string, 3>> kClasse = {
      {"Mario", "12", "01/03/2012"}, {"anna", "11.5", "15/10/2012"}, {"Bruno", "", ""},
      {"Marta", "12", "29/02/2012"}, {"Carlo", "-3", "31/12/2011"},
  };
};

TEST_F(TabellaDbf, ANewTableIsDbaseIIIWithTheWindowsCodePageAndShapelibReadsIt) {
  const std::string p = CreaRubrica();
  const std::string b = LeggiByte(p);
  ASSERT_GE(b.size(), 32u + 3 * 32 + 1);
  EXPECT_EQ(static_cast<unsigned char>(b[0]), 0x03);
  EXPECT_EQ(static_cast<unsigned char>(b[29]), 0x57);
  EXPECT_EQ(static_cast<unsigned char>(b[8]) | static_cast<unsigned char>(b[9]) << 8, 32 + 3 * 32 + 1);
  EXPECT_EQ(static_cast<unsigned char>(b[10]), 1 + 20 + 20 + 8);
  EXPECT_EQ(static_cast<unsigned char>(b[32 + 3 * 32]), 0x0D);
  // Nothing else is left in the folder (no file written on the way, no code-page file).
  EXPECT_EQ(std::distance(fs::directory_iterator(cartella), fs::directory_iterator()), 1);

  DBFHandle h = DBFOpen(p.c_str(), "rb");
  ASSERT_NE(h, nullptr);
  ASSERT_EQ(DBFGetFieldCount(h), 3);
  EXPECT_EQ(DBFGetRecordCount(h), 0);
  char nome[12];
  int larghezza = 0, decimali = 0;
  EXPECT_EQ(DBFGetFieldInfo(h, 0, nome, &larghezza, &decimali), FTString);
  EXPECT_STREQ(nome, "NOME");
  EXPECT_EQ(larghezza, 20);
  DBFGetFieldInfo(h, 1, nome, &larghezza, &decimali);
  EXPECT_STREQ(nome, "ETA");
  EXPECT_EQ(DBFGetNativeFieldType(h, 1), 'N');
  EXPECT_EQ(larghezza, 20);
  EXPECT_EQ(decimali, 6);
  DBFGetFieldInfo(h, 2, nome, &larghezza, &decimali);
  EXPECT_STREQ(nome, "NATO");
  EXPECT_EQ(DBFGetNativeFieldType(h, 2), 'D');
  EXPECT_EQ(larghezza, 8);
  DBFClose(h);
}

TEST_F(TabellaDbf, EditsReachTheFileAtOnceInWindows1252) {
  const std::string p = CreaRubrica();
  TTabella t;
  ASSERT_TRUE(t.Apri(p, errore)) << errore;
  Riempi(t, {{"Nicolò €", "12.25", "01/03/2012"}});
  std::string nota;
  ASSERT_TRUE(t.Aggiungi(errore) >= 0);
  ASSERT_TRUE(t.Scrivi(1, 0, "Ωmega", errore, &nota)) << errore;
  EXPECT_EQ(nota, "Nel campo NOME il carattere Ω non si può scrivere ed è diventato \"?\"");
  EXPECT_EQ(t.Testo(0, 0), "Nicolò €");
  EXPECT_EQ(t.Testo(0, 1), "12.25");
  EXPECT_EQ(t.Testo(0, 2), "01/03/2012");
  EXPECT_EQ(t.Testo(1, 0), "?mega");
  EXPECT_EQ(t.Testo(1, 1), "");

  // Still open: the file already holds the edits.
  const std::string b = LeggiByte(p);
  const std::size_t dati = 32 + 3 * 32 + 1;
  ASSERT_GE(b.size(), dati + 2 * 49);
  EXPECT_EQ(b.substr(dati, 49), std::string(" Nicol\xF2 \x80") + std::string(12, ' ') + "           12.250000" + "20120301");
  EXPECT_EQ(b[4], 2);

  // Values that do not fit are refused and change nothing.
  EXPECT_FALSE(t.Scrivi(0, 0, std::string(21, 'x'), errore));
  EXPECT_EQ(errore, "Il testo è troppo lungo per il campo NOME (al massimo 20 caratteri)");
  EXPECT_FALSE(t.Scrivi(0, 1, "12,5", errore));
  EXPECT_EQ(errore, "Il campo ETA vuole un numero");
  EXPECT_FALSE(t.Scrivi(0, 1, "1e14", errore));
  EXPECT_EQ(errore, "Il numero è troppo grande per il campo ETA");
  EXPECT_FALSE(t.Scrivi(0, 2, "30/02/2012", errore));
  EXPECT_EQ(errore, "Il campo NATO vuole una data gg/mm/aaaa");
  EXPECT_FALSE(t.Scrivi(0, 2, "1/3/12", errore));
  EXPECT_FALSE(t.Scrivi(0, 0, "a\tb", errore));
  // Asked before a record is added: the same answers, nothing written.
  EXPECT_FALSE(t.Ammette(1, "1e14", errore));
  EXPECT_EQ(errore, "Il numero è troppo grande per il campo ETA");
  EXPECT_TRUE(t.Ammette(0, std::string(20, 'x'), errore));
  EXPECT_EQ(LeggiByte(p), b);
  EXPECT_TRUE(t.Scrivi(0, 2, "1/3/2012", errore)) << errore;
  // A number with more decimals than the field keeps is refused, not rounded.
  EXPECT_FALSE(t.Scrivi(0, 1, "-0.0000001", errore));
  EXPECT_EQ(errore, "Il campo ETA tiene al massimo 6 decimali");
  EXPECT_EQ(t.Testo(0, 1), "12.25");
  t.Chiudi();

  // Shapelib and a new open read the same.
  DBFHandle h = DBFOpen(p.c_str(), "rb");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(DBFGetRecordCount(h), 2);
  EXPECT_STREQ(DBFReadStringAttribute(h, 0, 0), "Nicol\xF2 \x80");
  EXPECT_STREQ(DBFReadStringAttribute(h, 0, 2), "20120301");
  DBFClose(h);
  ASSERT_TRUE(t.Apri(p, errore)) << errore;
  EXPECT_EQ(t.Testo(0, 0), "Nicolò €");
  EXPECT_EQ(t.Testo(1, 0), "?mega");
}

TEST_F(TabellaDbf, OrderByNumberTextAndDateThenTheFileOrderAgain) {
  const std::string p = CreaRubrica();
  TTabella t;
  ASSERT_TRUE(t.Apri(p, errore)) << errore;
  Riempi(t, kClasse);
  const std::string prima = LeggiByte(p);
  t.OrdinaPer(t.IndiceCampo("eta"));
  EXPECT_EQ(t.CampoOrdine(), 1);
  // Empty first; equal keys keep the file's order (Mario before Marta).
  EXPECT_EQ(Colonna(t, 0), (std::vector<std::string>{"Bruno", "Carlo", "anna", "Mario", "Marta"}));
  t.OrdinaPer(0);
  // Windows-1252 bytes: capitals before small letters.
  EXPECT_EQ(Colonna(t, 0), (std::vector<std::string>{"Bruno", "Carlo", "Mario", "Marta", "anna"}));
  t.OrdinaPer(2);
  EXPECT_EQ(Colonna(t, 0), (std::vector<std::string>{"Bruno", "Carlo", "Marta", "Mario", "anna"}));
  t.OrdinaPer(-1);
  EXPECT_EQ(Colonna(t, 0), (std::vector<std::string>{"Mario", "anna", "Bruno", "Marta", "Carlo"}));
  EXPECT_EQ(LeggiByte(p), prima);

  // An edit of the order field moves the row to its place.
  t.OrdinaPer(1);
  ASSERT_TRUE(t.Scrivi(t.RigaDelRecord(2), 1, "100", errore)) << errore;
  EXPECT_EQ(t.Testo(t.Righe() - 1, 0), "Bruno");
}

TEST_F(TabellaDbf, NearestKeyAndPrefixSearchesLeaveTheFileAsItWas) {
  const std::string p = CreaRubrica();
  TTabella t;
  ASSERT_TRUE(t.Apri(p, errore)) << errore;
  Riempi(t, kClasse);
  const std::string prima = LeggiByte(p);

  EXPECT_EQ(t.CercaVicino("12"), -1) << "no order, no nearest key";
  t.OrdinaPer(1);  // Bruno(empty) Carlo(-3) anna(11.5) Mario(12) Marta(12)
  EXPECT_EQ(t.CercaVicino("12"), 3);
  EXPECT_EQ(t.CercaVicino("11.6"), 3);
  EXPECT_EQ(t.CercaVicino("-100"), 1);
  EXPECT_EQ(t.CercaVicino("0"), 2);
  EXPECT_EQ(t.CercaVicino("99"), 4) << "past every key: the last row";
  EXPECT_EQ(t.CercaVicino("dodici"), -1);
  t.OrdinaPer(0);  // Bruno Carlo Mario Marta anna
  EXPECT_EQ(t.CercaVicino("Mart"), 3);
  EXPECT_EQ(t.CercaVicino("Ma"), 2);
  EXPECT_EQ(t.CercaVicino("Z"), 4);
  t.OrdinaPer(2);  // Bruno(empty) Carlo Marta Mario anna
  EXPECT_EQ(t.CercaVicino("1/1/2012"), 2);
  EXPECT_EQ(t.CercaVicino("2012"), -1);

  // The prefix search goes through the current order and tells capitals apart.
  t.OrdinaPer(1);
  EXPECT_EQ(t.CercaPrefisso(0, "Mar"), 3);
  EXPECT_EQ(t.Testo(3, 0), "Mario");
  EXPECT_EQ(t.CercaPrefisso(0, "an"), 2);
  EXPECT_EQ(t.CercaPrefisso(0, "An"), -1);
  EXPECT_EQ(t.CercaPrefisso(2, "29/"), 4);
  EXPECT_EQ(t.CercaPrefisso(1, "11"), 2);
  EXPECT_EQ(t.CercaPrefisso(0, ""), -1);
  t.OrdinaPer(-1);
  EXPECT_EQ(t.CercaPrefisso(0, "Mar"), 0);
  EXPECT_EQ(LeggiByte(p), prima);
  t.Chiudi();
  EXPECT_EQ(LeggiByte(p), prima);
}

TEST_F(TabellaDbf, DeletedRecordsStayInTheFileHidden) {
  const std::string p = CreaRubrica();
  TTabella t;
  ASSERT_TRUE(t.Apri(p, errore)) << errore;
  Riempi(t, kClasse);
  ASSERT_TRUE(t.Cancella(1, errore)) << errore;
  EXPECT_EQ(Colonna(t, 0), (std::vector<std::string>{"Mario", "Bruno", "Marta", "Carlo"}));
  EXPECT_EQ(t.RigaDelRecord(1), -1);
  t.Chiudi();
  const std::string b = LeggiByte(p);
  EXPECT_EQ(b[32 + 3 * 32 + 1 + 49], '*');
  ASSERT_TRUE(t.Apri(p, errore)) << errore;
  EXPECT_EQ(t.Righe(), 4);
}

TEST_F(TabellaDbf, ATableOpensOnceAtATime) {
  const std::string p = CreaRubrica();
  TTabella a, b;
  ASSERT_TRUE(a.Apri(p, errore)) << errore;
  EXPECT_FALSE(b.Apri(p, errore));
  EXPECT_EQ(errore, "L'archivio RUBRICA è già in uso");
  const std::string prima = LeggiByte(p);
  EXPECT_FALSE(CreaTabella(p, {CampoTesto("ALTRO", 5)}, errore));
  EXPECT_EQ(errore, "L'archivio RUBRICA è già in uso");
  EXPECT_EQ(LeggiByte(p), prima);
  a.Chiudi();
  EXPECT_TRUE(b.Apri(p, errore)) << errore;

  TTabella c;
  EXPECT_FALSE(c.Apri(Percorso("NESSUNO"), errore));
  EXPECT_EQ(errore, "L'archivio NESSUNO non esiste");
}

TEST_F(TabellaDbf, WrongDefinitionsCreateNothing) {
  const auto rifiuta = [&](const std::vector<TCampo>& campi, const std::string& atteso) {
    const std::string p = Percorso("X");
    EXPECT_FALSE(CreaTabella(p, campi, errore));
    EXPECT_EQ(errore, atteso);
    EXPECT_FALSE(fs::exists(p));
  };
  rifiuta({}, "Un archivio deve avere da 1 a 128 campi");
  rifiuta({CampoTesto("UNDICILETTE", 5)}, "Campo non valido: UNDICILETTE");
  rifiuta({CampoTesto("", 5)}, "Campo non valido: ");
  rifiuta({CampoTesto("A/B", 5)}, "Campo non valido: A/B");
  rifiuta({CampoTesto("Ω", 5)}, "Campo non valido: Ω");
  rifiuta({CampoTesto("A", 0)}, "Campo non valido: A");
  rifiuta({CampoTesto("A", 255)}, "Campo non valido: A");
  rifiuta({CampoTesto("Nome", 5), CampoNumero("NOME")}, "Campo ripetuto: NOME");
  std::vector<TCampo> troppi;
  for (int i = 0; i < 16; ++i) troppi.push_back(CampoTesto("C" + std::to_string(i), 250));
  rifiuta(troppi, "I campi superano i 4000 caratteri di un record");
  EXPECT_TRUE(NomeCampoValido("CITTÀ"));  // one byte on disk
  EXPECT_TRUE(NomeCampoValido("DIECILETTE"));
  EXPECT_FALSE(NomeTabellaValido(""));
  EXPECT_FALSE(NomeTabellaValido(".."));
  EXPECT_FALSE(NomeTabellaValido("a\\b"));
  EXPECT_FALSE(NomeTabellaValido(std::string(252, 'a')));
  EXPECT_TRUE(NomeTabellaValido("Classe 3A.2024"));

  // Replacing a table with a wrong definition leaves the old one.
  const std::string p = CreaRubrica();
  const std::string prima = LeggiByte(p);
  EXPECT_FALSE(CreaTabella(p, {CampoTesto("A", 0)}, errore));
  EXPECT_EQ(LeggiByte(p), prima);
}

TEST_F(TabellaDbf, ReplacingEmptiesTheTableAndNoOtherOne) {
  const std::string p = CreaRubrica();
  // Tables whose names look like the file a replacement is written to first.
  const std::string pid = std::to_string(::getpid());
  for (const std::string& altra : {std::string("RUBRICA~nuovo"), "RUBRICA~" + pid + "_0", "RUBRICA~" + pid + "_1"})
    ASSERT_TRUE(CreaTabella(Percorso(altra), {CampoTesto("ALTRA", 3)}, errore)) << errore;
  const std::string altra = LeggiByte(Percorso("RUBRICA~" + pid + "_0"));
  {
    TTabella t;
    ASSERT_TRUE(t.Apri(p, errore)) << errore;
    Riempi(t, kClasse);
  }
  ASSERT_TRUE(CreaTabella(p, {CampoTesto("NOME", 30)}, errore)) << errore;
  EXPECT_EQ(LeggiByte(Percorso("RUBRICA~" + pid + "_0")), altra);
  EXPECT_EQ(std::distance(fs::directory_iterator(cartella), fs::directory_iterator()), 4);
  TTabella t;
  ASSERT_TRUE(t.Apri(p, errore)) << errore;
  EXPECT_EQ(t.Righe(), 0);
  ASSERT_EQ(t.Campi().size(), 1u);
  EXPECT_EQ(t.Campi()[0].Larghezza, 30);
}

TEST_F(TabellaDbf, ATableCopiedFromACaseBlindSystemIsFound) {
  CreaRubrica();
  fs::rename(Percorso("RUBRICA"), cartella / "Rubrica.DBF");
  const std::string p = PercorsoTabella(cartella.string(), "RUBRICA");
  EXPECT_EQ(fs::path(p).filename(), "Rubrica.DBF");
  TTabella t;
  EXPECT_TRUE(t.Apri(p, errore)) << errore;
  EXPECT_EQ(fs::path(PercorsoTabella(cartella.string(), "ALTRA")).filename(), "ALTRA.dbf");
}

TEST_F(TabellaDbf, DamagedAndForeignFilesGiveAMessageAndStayAsTheyWere) {
  const std::string p = CreaRubrica();
  {
    TTabella t;
    ASSERT_TRUE(t.Apri(p, errore)) << errore;
    Riempi(t, kClasse);
  }
  const std::string buono = LeggiByte(p);
  const auto prova = [&](const std::string& byte, const std::string& atteso) {
    ScriviByte(p, byte);
    TTabella t;
    EXPECT_FALSE(t.Apri(p, errore));
    EXPECT_EQ(errore, atteso);
    EXPECT_EQ(LeggiByte(p), byte);
  };
  prova("Caro diario, oggi ho studiato i triangoli.\n", "L'archivio RUBRICA non è un archivio dBASE");
  prova("", "L'archivio RUBRICA non è un archivio dBASE");
  prova(buono.substr(0, 200), "L'archivio RUBRICA è danneggiato");
  std::string b = buono;
  b[32 + 11] = 'M';  // a memo field
  prova(b, "L'archivio RUBRICA ha campi di un tipo che non si può mostrare (M)");
  b = buono;
  b[32 + 16] = 30;  // wider than the record
  prova(b, "L'archivio RUBRICA è danneggiato");
  b = buono;
  b[8] = 0x10;  // header shorter than its fields
  prova(b, "L'archivio RUBRICA è danneggiato");
  b = buono;
  b[7] = 0x7F;  // more records than the file holds
  prova(b, "L'archivio RUBRICA è danneggiato");
  b = buono;
  b[32 + 32 * 3] = ' ';  // no end of the field list
  prova(b, "L'archivio RUBRICA è danneggiato");
  // A directory in the table's place.
  fs::remove(p);
  fs::create_directory(p);
  TTabella t;
  EXPECT_FALSE(t.Apri(p, errore));
  EXPECT_EQ(errore, "Impossibile leggere l'archivio RUBRICA");
  // A pipe that nobody writes to: refused at once, not waited on.
  fs::remove(p);
  ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0);
  EXPECT_FALSE(t.Apri(p, errore));
  EXPECT_EQ(errore, "Impossibile leggere l'archivio RUBRICA");
}

// Regression block: every damaged file that ever broke the reader goes here.
TEST_F(TabellaDbf, FuzzedFilesNeverCrashTheReaderNorChangeTheFile) {
  const std::string p = CreaRubrica();
  {
    TTabella t;
    ASSERT_TRUE(t.Apri(p, errore)) << errore;
    Riempi(t, kClasse);
  }
  const std::string buono = LeggiByte(p);
  std::mt19937 gen(20240301);
  int aperti = 0;
  const auto prova = [&](const std::string& byte) {
    ScriviByte(p, byte);
    {
      TTabella t;
      std::string e;
      if (t.Apri(p, e)) {
        ++aperti;
        for (int c = -1; c < static_cast<int>(t.Campi().size()); ++c) {
          t.OrdinaPer(c);
          for (int r = 0; r < t.Righe(); ++r)
            for (int k = 0; k < static_cast<int>(t.Campi().size()); ++k) (void)t.Testo(r, k);
          (void)t.CercaVicino("1");
          (void)t.CercaPrefisso(0, "M");
        }
      } else {
        ASSERT_FALSE(e.empty());
      }
    }
    ASSERT_EQ(LeggiByte(p), byte);
  };
  for (std::size_t n = 0; n <= buono.size(); ++n) prova(buono.substr(0, n));
  std::uniform_int_distribution<std::size_t> dove(0, buono.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255), quanti(1, 4);
  for (int i = 0; i < 800; ++i) {
    std::string b = buono;
    // Most damage in the header, where the sizes are.
    const int n = quanti(gen);
    for (int k = 0; k < n; ++k) b[i % 3 ? dove(gen) % 160 : dove(gen)] = static_cast<char>(byte(gen));
    prova(b);
  }
  EXPECT_GT(aperti, 50) << "damage to the data alone still opens";
}

}  // namespace
}  // namespace qx::dbf
