// Statements that once froze the program, ate the memory or reached integer arithmetic
// unchecked: each ends at once, with the system's message on its line. First through the
// headless runner as a pupil's program file, then in-process where a value must be read.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "runstate/DatiGlob.h"
#include "tests/support/Esecuzione.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

struct Uscita {
  std::string testo;
  int stato = -1;
};

// qxrun on the program, in its own folder; a run still going after 20 s is killed and
// fails the test.
Uscita Qxrun(const fs::path& cartella, const std::string& programma) {
  const fs::path file = cartella / "programma.txt";
  std::ofstream(file) << programma;
  const std::string comando = "cd '" + cartella.string() + "' && timeout 20 '" QUORIX_QXRUN "' programma.txt 2>/dev/null";
  Uscita u;
  FILE* p = popen(comando.c_str(), "r");
  if (!p) return u;
  std::array<char, 4096> buf{};
  std::size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) u.testo.append(buf.data(), n);
  const int s = pclose(p);
  u.stato = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
  return u;
}

class Limiti : public ::testing::Test {
 protected:
  void SetUp() override {
    cartella = fs::temp_directory_path() / ("quorix_limiti_" + std::to_string(getpid()));
    fs::create_directories(cartella);
  }
  void TearDown() override { fs::remove_all(cartella); }
  fs::path cartella;
};

TEST_F(Limiti, OgniIngressoFinisceConIlSuoMessaggio) {
  std::string seni = "x";
  for (int i = 0; i < 300; ++i) seni = "Sin(" + seni + ")";
  auto volte = [](const std::string& testo, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += testo;
    return s;
  };
  const std::string parentesi = volte("(", 2000) + "1" + volte(")", 2000);
  const std::string chiamate = volte("VALOREASS(", 2000) + "1" + volte(")", 2000);
  // 990 levels of SE, then loops: the 1,001st statement is the eleventh loop, on line 1002,
  // or, after a PER's header, the ";" that closes the tenth one's line.
  const std::string se990 = "A = 1;\n" + volte("SE A = 1 ALLORA\n", 990);
  auto anelli = [&](const std::string& apertura) {
    return se990 + volte(apertura + "\n", 20) + "A = 2;\n" + volte("FINE;\n", 20) + "STAMPA(A);";
  };
  // Just inside both limits at once, in a loop that runs from its recording: 999 statements
  // around an expression 1,490 levels deep.
  const std::string alLimite = "A = 1;\n" + volte("SE A = 1 ALLORA\n", 979) + volte("PER (I DA 1 A 1) ESEGUI;\n", 19) +
                               "PER (I DA 1 A 2) ESEGUI;\nB = " + volte("VALOREASS(", 745) + "-2" + volte(")", 745) +
                               ";\n" + volte("FINE;\n", 20) + "STAMPA(B);";
  ASSERT_EQ(mkfifo((cartella / "tubo.bmp").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo((cartella / "tubo.wav").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", cartella / "zero.bmp");
  const struct {
    std::string programma, uscita;
    int stato;
  } casi[] = {
      // Symbolic work past its budget.
      {"T = POLT(FUNZIONE(\"1/(1+x^2)\"), 0.5, 10);", "#error 1 Espressione troppo grande per POLT\n", 1},
      {"T = POLT(FUNZIONE(\"Tan(1-x)\"), 0.5, 10);", "#error 1 Espressione troppo grande per POLT\n", 1},
      {"T = POLT(FUNZIONE(\"Exp(ArcTan(0-x))\"), 0.5, 10);", "#error 1 Espressione troppo grande per POLT\n", 1},
      {"T = POLT(FUNZIONE(\"Ln(Cos(x))\"), 0.5, 10);", "#error 1 Espressione troppo grande per POLT\n", 1},
      {"F = FUNZIONE(\"" + seni + "\");\nD = DERIVATAFUNZ(F);\nD2 = DERIVATAFUNZ(D);",
       "#error 3 Espressione troppo grande per DERIVATAFUNZ\n", 1},
      // A function text that does not parse, in the plane and in space.
      {"T = POLT(FUNZIONE(\"Exp(ArcTan(-x))\"), 0.5, 10);", "#error 1 Espressione non corretta: Exp(ArcTan(-x))\n", 1},
      {"A = 1;\nF = FUNZIONE(\"x +* 2\");\nSTAMPA(A);", "#error 2 Espressione non corretta: x+*2\n", 1},
      {"A = 1;\nF = FUNZIONE3D(\"x +* 2\");\nSTAMPA(A);", "#error 2 Espressione non corretta: x+*2\n", 1},
      // An operation whose text would not read back.
      {"F = FUNZIONE(\"x=2\");\nG = F / FUNZIONE(\"x\");", "#error 2 Espressione non corretta: (x = 2)/x\n", 1},
      // Pictures and sounds that are no regular file.
      {"I = IMMAGINE(\"/dev/zero\", 0, 0);", "#error 1 Impossibile caricare l'immagine /dev/zero: non è un file\n", 1},
      {"I = IMMAGINE(\"zero.bmp\", 0, 0);", "#error 1 Impossibile caricare l'immagine zero.bmp: non è un file\n", 1},
      {"I = IMMAGINE(\"tubo.bmp\", 0, 0);", "#error 1 Impossibile caricare l'immagine tubo.bmp: non è un file\n", 1},
      {"I = IMMAGINE(\"/tmp\", 0, 0);", "#error 1 Impossibile caricare l'immagine /tmp: non è un file\n", 1},
      {"SUONA(\"tubo.wav\");\nSTAMPA(\"dopo\");", "> dopo\n", 0},
      // Integers at their edges.
      {"COLOREPENNA(0, 0, 32768);\nCOLORESFONDO(-1E30, 1E30, 0);", "", 0},
      {"RIFCART;\nL = LANCIO_MONETA(10, 3E9);", "#error 2 Parametri errati per LANCIO_MONETA\n", 1},
      {"RIFCART;\nL = LANCIO_DADI(3E9, 0);", "#error 2 Parametri errati per LANCIO_DADI\n", 1},
      {"RIFCART;\nL = LANCIO_DADI(5, -3E9);", "#error 2 Parametri errati per LANCIO_DADI\n", 1},
      {"RIFCART;\nS = PUNTO(1, 1);\nSPESSOREPENNA(S, 2147483647);", "#error 3 Parametro non valido per SPESSOREPENNA\n", 1},
      {"SPESSOREPENNA(-1);", "#error 1 Parametro non valido per SPESSOREPENNA\n", 1},
      {"RIFCART;\nP = PUNTO(1, 1);\nFASCIORAG(P, 3E9);", "#error 3 Parametri errati per FASCIORAG\n", 1},
      {"RIFCART;\nP = PUNTO(1, 1);\nSTELLA(P, -3E9);\nSTAMPA(1);", "#error 3 Parametri errati per STELLA\n", 1},
      // A matrix's cells are counted on its sides as written, so with the other side 0 or a
      // fraction one side is free up to 100,000; past it, or past what an integer holds, no.
      {"M = MATRICE(1E50, 0);", "#error 1 Dimensione non consentita per una matrice: MATRICE\n", 1},
      {"M = MATRICE(0, 1E50);", "#error 1 Dimensione non consentita per una matrice: MATRICE\n", 1},
      {"M = MATRICE_STR(0, 4294967296);", "#error 1 Dimensione non consentita per una matrice: MATRICE_STR\n", 1},
      {"A = 1;\nM = TABELLA_DE(1E50, 0);", "#error 2 Dimensione non consentita per una matrice: TABELLA_DE\n", 1},
      {"A = 1;\nT = TABELLA_DE(2E9, 0);", "#error 2 Dimensione non consentita per una matrice: TABELLA_DE\n", 1},
      {"M = TABELLA_DE(4999.9, 0);\nN = MATRICE_STR(0, 4999);\nSTAMPA(1);", "> 1\n", 0},
      {"M = MATRICE(5000, 0);\nN = MATRICE(0.5, 9000);\nS = MATRICE_STR(0, 6000);\nSTAMPA(1);\nSTAMPA(N(1, 1));",
       "> 1\n#error 5 Valore di indice non consentito: N\n", 1},
      {"T = TABELLA_DE(10000, 0);\nSTAMPA(T(10001, 1));\nSTAMPA(T(10002, 1));",
       "> 0\n#error 3 Valore di indice non consentito: T\n", 1},
      {"T = TABELLA_DE(6000, 0.5);\nSTAMPA(T(6001, 1));\nSTAMPA(T(1, 2));",
       "> 0\n#error 3 Valore di indice non consentito: T\n", 1},
      {"M = MATRICE(100000, 0);\nT = TABELLA_DE(0.04, 100000);\nSTAMPA(T(1, 100001));\nS = MATRICE_STR(0, 100000.5);",
       "> 0\n#error 4 Dimensione non consentita per una matrice: MATRICE_STR\n", 1},
      // Nesting past what the reader holds, in an expression and in statements, read from
      // the text or from a loop's recording: the line where it went too deep.
      {"A = 1;\nB = " + parentesi + ";", "#error 2 Annidamento troppo profondo\n", 1},
      {"A = 1;\nB = " + chiamate + ";", "#error 2 Annidamento troppo profondo\n", 1},
      {"A = 1;\nB = " + volte("!", 2000) + "VERO;", "#error 2 Annidamento troppo profondo\n", 1},
      {"A = 1;\nPER (I DA 1 A 3) ESEGUI;\nB = " + parentesi + ";\nFINE;", "#error 3 Annidamento troppo profondo\n", 1},
      {"A = 1;\nRIPETI 2 VOLTE;\nB = " + chiamate + ";\nFINE;", "#error 3 Annidamento troppo profondo\n", 1},
      {"A = 1;\n" + volte("SE A = 1 ALLORA\n", 2000) + "A = 2;", "#error 1002 Annidamento troppo profondo\n", 1},
      {"A = 1;\n" + volte("ESEGUI;\n", 2000) + "A = 2;\n" + volte("FINE;\n", 2000),
       "#error 1002 Annidamento troppo profondo\n", 1},
      {anelli("PER (I DA 1 A 1) ESEGUI;"), "#error 1001 Annidamento troppo profondo\n", 1},
      {anelli("RIPETI 1 VOLTE;"), "#error 1002 Annidamento troppo profondo\n", 1},
      {anelli("ESEGUI FINQUANDO (A = 1);"), "#error 1002 Annidamento troppo profondo\n", 1},
      {alLimite, "> 2\n", 0},
  };
  for (const auto& c : casi) {
    const Uscita u = Qxrun(cartella, c.programma);
    EXPECT_EQ(u.testo, c.uscita) << c.programma.substr(0, 120);
    EXPECT_EQ(u.stato, c.stato) << c.programma.substr(0, 120);
  }
}

// What the edges leave behind: a colour component is held within its byte, a pen within
// the widest the canvas draws.
TEST(LimitiValori, ColoriESpessoriEntroIlLoroCampo) {
  test::Esecuzione run;
  test::Esito e = run.Esegui("COLOREPENNA(0, 0, 32768);");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(DatiGlob.PennaCorrente.Color, 0xFF0000);
  e = run.Esegui("COLOREPENNA(300, -5, 127.5);");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(DatiGlob.PennaCorrente.Color, 0x8000FF);
  e = run.Esegui("SPESSOREPENNA(10000);");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(DatiGlob.PennaCorrente.Width, 10000);
  e = run.Esegui("SPESSOREPENNA(10001);");
  EXPECT_EQ(e.errore, "Parametro non valido per SPESSOREPENNA");
}

}  // namespace
}  // namespace qx
