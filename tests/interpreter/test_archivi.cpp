// The archive statements end to end: program text in, the table file, the questions and
// boxes of the scripted window and the run's errors out. And the members of double-entry
// tables.
#include <gtest/gtest.h>
#include <shapefil.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/dbf/TabellaDbf.h"
#include "runstate/DatiGlob.h"
#include "tests/support/Esecuzione.h"
#include "values/VettoriMatrici.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

const std::string kDomandaApri =
    "L'archivio RUBRICA esiste già, premi [OK] se lo vuoi aprire, premi [NO] se lo vuoi azzerare e ricreare";
const std::string kDomandaAzzera = "Sicuro di volere azzerare l'archivio? tutti i dati andranno persi!";
const std::string kCreato = "L'archivio è stato creato, utilizza il comando APRI_ARCHIVIO per aprirlo.";
const std::string kRubrica = "CREA_ARCHIVIO(\"RUBRICA\", \"NOME\", TESTO, 20, \"ETA\", NUMERO);";

std::string LeggiByte(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class Archivi : public ::testing::Test {
 protected:
  test::Esecuzione run;
  fs::path cartella;

  void SetUp() override {
    cartella = fs::temp_directory_path() /
               ("qx_archivi_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(cartella);
    fs::create_directories(cartella);
    DatiGlob.CartellaProgramma = cartella.string() + "/";
  }
  void TearDown() override { fs::remove_all(cartella); }

  fs::path Tabella(const std::string& nome) { return cartella / "ARC" / (nome + ".dbf"); }

  std::string Errore(const std::string& programma) {
    const test::Esito e = run.Esegui(programma);
    return e.riuscito ? "<ok>" : std::to_string(e.riga) + " " + e.errore;
  }
  // What the window showed, one line per box or dialog: "Box caption|text", "Dialog kind|caption|table".
  std::vector<std::string> Finestra() {
    std::vector<std::string> r;
    for (const auto& m : run.finestra.Messaggi) r.push_back("Box " + m.titolo + "|" + m.testo);
    for (const auto& d : run.finestra.Dialoghi)
      if (d.tipo == "EditaArchivio") r.push_back("Dialog " + d.titolo + "|" + d.prompt);
    return r;
  }
  void Dimentica() {
    run.finestra.Messaggi.clear();
    run.finestra.Dialoghi.clear();
  }
  std::vector<std::string> Campi(const std::string& nome) {
    dbf::TTabella t;
    std::string errore;
    EXPECT_TRUE(t.Apri(Tabella(nome).string(), errore)) << errore;
    std::vector<std::string> r;
    for (const auto& c : t.Campi())
      r.push_back(c.Nome + " " + c.Tipo + std::to_string(c.Larghezza) + "." + std::to_string(c.Decimali));
    return r;
  }
};

TEST_F(Archivi, CreatesTheTableUnderTheProgramFolderAndSaysHowToOpenIt) {
  ASSERT_EQ(Errore(kRubrica + "\nSTAMPA(\"dopo\");"), "<ok>");
  EXPECT_EQ(run.finestra.Output, (std::vector<std::string>{"> dopo"}));
  const std::string b = LeggiByte(Tabella("RUBRICA"));
  ASSERT_GE(b.size(), 32u);
  EXPECT_EQ(static_cast<unsigned char>(b[0]), 0x03);
  EXPECT_EQ(static_cast<unsigned char>(b[29]), 0x57);
  EXPECT_EQ(Campi("RUBRICA"), (std::vector<std::string>{"NOME C20.0", "ETA N20.6"}));
  // Shapelib itself reads it.
  DBFHandle h = DBFOpen(Tabella("RUBRICA").c_str(), "rb");
  ASSERT_NE(h, nullptr);
  char nome[12];
  int larghezza = 0, decimali = 0;
  EXPECT_EQ(DBFGetFieldCount(h), 2);
  EXPECT_EQ(DBFGetRecordCount(h), 0);
  EXPECT_EQ(DBFGetFieldInfo(h, 0, nome, &larghezza, &decimali), FTString);
  EXPECT_EQ(std::string(nome) + " " + std::to_string(larghezza), "NOME 20");
  DBFGetFieldInfo(h, 1, nome, &larghezza, &decimali);
  EXPECT_EQ(std::string(nome) + " " + DBFGetNativeFieldType(h, 1) + std::to_string(larghezza) + "." +
                std::to_string(decimali),
            "ETA N20.6");
  DBFClose(h);
  EXPECT_EQ(Finestra(), (std::vector<std::string>{"Box Informazione|" + kCreato}));
  EXPECT_TRUE(run.finestra.Problemi.empty());
}

TEST_F(Archivi, AnExistingTableIsOpenedUnlessTheUserTwiceSaysToEmptyIt) {
  ASSERT_EQ(Errore(kRubrica), "<ok>");
  {
    dbf::TTabella t;
    std::string errore;
    ASSERT_TRUE(t.Apri(Tabella("RUBRICA").string(), errore)) << errore;
    ASSERT_EQ(t.Aggiungi(errore), 0) << errore;
    ASSERT_TRUE(t.Scrivi(0, 0, "Mario", errore)) << errore;
  }
  const std::string pieno = LeggiByte(Tabella("RUBRICA"));

  // Yes: opened as it is.
  Dimentica();
  run.finestra.Risposte = {"SI"};
  ASSERT_EQ(Errore(kRubrica), "<ok>");
  EXPECT_EQ(Finestra(), (std::vector<std::string>{"Box Conferma|" + kDomandaApri, "Dialog Archivio RUBRICA|RUBRICA"}));
  EXPECT_EQ(LeggiByte(Tabella("RUBRICA")), pieno);

  // No, then No: opened unchanged, byte for byte.
  Dimentica();
  run.finestra.Risposte = {"NO", "NO"};
  ASSERT_EQ(Errore(kRubrica), "<ok>");
  EXPECT_EQ(Finestra(), (std::vector<std::string>{"Box Conferma|" + kDomandaApri, "Box Conferma|" + kDomandaAzzera,
                                                  "Dialog Archivio RUBRICA|RUBRICA"}));
  EXPECT_EQ(LeggiByte(Tabella("RUBRICA")), pieno);

  // A box closed without an answer empties nothing either.
  Dimentica();
  run.finestra.AnnullaSenzaRisposte = true;
  ASSERT_EQ(Errore(kRubrica), "<ok>");
  EXPECT_EQ(Finestra(), (std::vector<std::string>{"Box Conferma|" + kDomandaApri, "Dialog Archivio RUBRICA|RUBRICA"}));
  EXPECT_EQ(LeggiByte(Tabella("RUBRICA")), pieno);

  // No, then Yes: emptied and made again with the new fields.
  Dimentica();
  run.finestra.Risposte = {"NO", "SI"};
  ASSERT_EQ(Errore("CREA_ARCHIVIO(\"RUBRICA\", \"COGNOME\", TESTO);"), "<ok>");
  EXPECT_EQ(Finestra(), (std::vector<std::string>{"Box Conferma|" + kDomandaApri, "Box Conferma|" + kDomandaAzzera,
                                                  "Box Informazione|" + kCreato}));
  EXPECT_EQ(Campi("RUBRICA"), (std::vector<std::string>{"COGNOME C30.0"}));
  dbf::TTabella t;
  std::string errore;
  ASSERT_TRUE(t.Apri(Tabella("RUBRICA").string(), errore)) << errore;
  EXPECT_EQ(t.Righe(), 0);
}

TEST_F(Archivi, EveryArgumentForm) {
  // Width: 30 by default, absolute and truncated for text, read and dropped after a number
  // or a date; an unknown type adds no field.
  ASSERT_EQ(Errore("CREA_ARCHIVIO(\"A\", \"X\", TESTO, \"Y\", DATA, 7, \"Z\", 9, \"T\", TESTO, -12.7, \"W\", NUMERO, 3);"),
            "<ok>");
  EXPECT_EQ(Campi("A"), (std::vector<std::string>{"X C30.0", "Y D8.0", "T C12.0", "W N20.6"}));
  // Reading stops at a field name that no type follows.
  ASSERT_EQ(Errore("CREA_ARCHIVIO(\"B\", \"X\", TESTO, 5, \"Y\", \"Z\", NUMERO);"), "<ok>");
  EXPECT_EQ(Campi("B"), (std::vector<std::string>{"X C5.0"}));
  // Names the language keeps as they are written, in Windows-1252 on disk.
  ASSERT_EQ(Errore("CREA_ARCHIVIO(\"Città\", \"CITTÀ\", TESTO, 1, \"x\", 2);"), "<ok>");
  EXPECT_EQ(Campi("Città"), (std::vector<std::string>{"CITTÀ C1.0", "x N20.6"}));
  EXPECT_EQ(LeggiByte(Tabella("Città")).substr(32, 6), "CITT\xC0" + std::string(1, '\0'));
  // Opening the dialog.
  Dimentica();
  ASSERT_EQ(Errore("APRI_ARCHIVIO(\"B\");"), "<ok>");
  EXPECT_EQ(Finestra(), (std::vector<std::string>{"Dialog Archivio B|B"}));
  // In a branch not taken nothing happens.
  Dimentica();
  ASSERT_EQ(Errore("SE FALSO ALLORA CREA_ARCHIVIO(\"C\", \"X\", TESTO);\nSE FALSO ALLORA APRI_ARCHIVIO(\"\");"),
            "<ok>");
  EXPECT_FALSE(fs::exists(Tabella("C")));
  EXPECT_TRUE(Finestra().empty());
}

TEST_F(Archivi, WrongNamesAreRefusedAndTouchNothing) {
  for (const std::string p : {"CREA_ARCHIVIO;", "CREA_ARCHIVIO(5, \"X\", TESTO);"}) {
    EXPECT_EQ(Errore("STAMPA(1);\n" + p + "\nSTAMPA(2);"), "2 Parametri errati per CREA_ARCHIVIO") << p;
    EXPECT_EQ(run.finestra.Output, (std::vector<std::string>{"> 1"})) << p;
  }
  for (const std::string p : {"APRI_ARCHIVIO(\"\");", "APRI_ARCHIVIO;", "APRI_ARCHIVIO(\"A\", \"B\");",
                               "APRI_ARCHIVIO(3);", "APRI_ARCHIVIO(\"ARC/A\");"})
    EXPECT_EQ(Errore(p), "1 Parametri errati per APRI_ARCHIVIO") << p;
  EXPECT_FALSE(fs::exists(cartella / "ARC"));
  EXPECT_TRUE(Finestra().empty());
}

TEST_F(Archivi, ATableThatCannotBeMadeSaysSoAndTheRunGoesOn) {
  // Names that no archive can bear are failed creations too: before, a pupil's eleven-letter
  // field name stopped the run with "Parametri errati". No table is made.
  for (const std::string p : {"CREA_ARCHIVIO(\"\", \"X\", TESTO);", "CREA_ARCHIVIO(\"../Z\", \"X\", TESTO);",
                               "CREA_ARCHIVIO(\"..\", \"X\", TESTO);", "CREA_ARCHIVIO(\"A\\\\Z\", \"X\", TESTO);",
                               "CREA_ARCHIVIO(\"Z\", \"DATANASCITA\", DATA);", "CREA_ARCHIVIO(\"Z\", \"X/Y\", NUMERO);",
                               "CREA_ARCHIVIO(\"Z\", \"\", DATA);", "CREA_ARCHIVIO(\"Z\", \"ΩMEGA\", DATA);"}) {
    Dimentica();
    EXPECT_EQ(Errore(p + "\nSTAMPA(\"avanti\");"), "<ok>") << p;
    EXPECT_EQ(run.finestra.Output, (std::vector<std::string>{"> avanti"})) << p;
    EXPECT_EQ(Finestra(), (std::vector<std::string>{"Box Errore|Errore nella creazione dell'archivio"})) << p;
    EXPECT_FALSE(fs::exists(cartella / "Z.dbf")) << p;
    EXPECT_FALSE(fs::exists(cartella / "A\\Z.dbf")) << p;
  }
  for (const std::string p : {"CREA_ARCHIVIO(\"Z\", \"X\", TESTO, 0);", "CREA_ARCHIVIO(\"Z\", \"X\", TESTO, 255);",
                               "CREA_ARCHIVIO(\"Z\");", "CREA_ARCHIVIO(\"Z\", \"X\", 7);",
                               "CREA_ARCHIVIO(\"Z\", \"X\", TESTO, \"x\", NUMERO);",
                               "CREA_ARCHIVIO(\"Z\", \"X\", TESTO, 1E30);"}) {
    Dimentica();
    EXPECT_EQ(Errore(p + "\nSTAMPA(\"avanti\");"), "<ok>") << p;
    EXPECT_EQ(run.finestra.Output, (std::vector<std::string>{"> avanti"})) << p;
    EXPECT_EQ(Finestra(), (std::vector<std::string>{"Box Errore|Errore nella creazione dell'archivio"})) << p;
    EXPECT_FALSE(fs::exists(Tabella("Z"))) << p;
  }
}

TEST_F(Archivi, AFolderThatCannotBeMadeIsARunError) {
  std::ofstream(cartella / "ARC") << "not a folder";
  EXPECT_EQ(Errore("A = 1;\n" + kRubrica), "2 Cannot create " + (cartella / "ARC").string());
  for (const std::string& w : Finestra()) EXPECT_EQ(w.rfind("Box Errore|Cannot create", 0), 0u) << w;
}

TEST_F(Archivi, MarginalFrequenciesOfADoubleEntryTable) {
  // A 2 x 3 table: the marginal column is its 4th, the marginal row its 3rd.
  std::string p = "T = TABELLA_DE(2, 3);\n";
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 4; ++j) p += "T(" + std::to_string(i) + ", " + std::to_string(j) + ") = " + std::to_string(10 * i + j) + ";\n";
  p += "C = T.COLFREQMARG;\nR = T.RIGAFREQMARG;\n";
  ASSERT_EQ(Errore(p), "<ok>");
  const auto* c = dynamic_cast<const cVettReale*>(run.Valore("C"));
  const auto* r = dynamic_cast<const cVettReale*>(run.Valore("R"));
  ASSERT_NE(c, nullptr);
  ASSERT_NE(r, nullptr);
  ASSERT_EQ(c->Count, 2);
  EXPECT_EQ(c->Leggi(1), 14);
  EXPECT_EQ(c->Leggi(2), 24);
  ASSERT_EQ(r->Count, 3);
  EXPECT_EQ(r->Leggi(1), 31);
  EXPECT_EQ(r->Leggi(2), 32);
  EXPECT_EQ(r->Leggi(3), 33);
  // In an expression, and the elements are still read as before.
  ASSERT_EQ(Errore(p + "S = T.COLFREQMARG(2) ;"), "16 Identificatore non riconosciuto");
  ASSERT_EQ(Errore(p + "X = T(2, 4) + T.RIGAFREQMARG(3);"), "16 Identificatore non riconosciuto");
  ASSERT_EQ(Errore(p + "X = T(2, 4);"), "<ok>");
  EXPECT_EQ(run.Testo("X"), "24");

  EXPECT_EQ(Errore("M = MATRICE(2, 2);\nC = M.COLFREQMARG;"), "2 Identificatore non riconosciuto");
  EXPECT_EQ(Errore("M = MATRICE(2, 2);\nC = M.RIGAFREQMARG;"), "2 Identificatore non riconosciuto");
  EXPECT_EQ(Errore("M = MATRICE_STR(2, 2);\nC = M.COLFREQMARG;"), "2 Identificatore non riconosciuto");
  EXPECT_EQ(Errore("T = TABELLA_DE(1, 1);\nC = T.ALTRO;"), "2 Identificatore non riconosciuto");
  EXPECT_EQ(Errore("M = MATRICE(2, 2);\nX = M(1);"), "2 Parametri errati per M");
}

}  // namespace
}  // namespace qx
