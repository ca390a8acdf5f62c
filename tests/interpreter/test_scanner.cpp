#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interpreter/Scanner.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "tests/support/ScriptedWindow.h"

namespace qx {
namespace {

class ScannerTest : public ::testing::Test {
 protected:
  void SetUp() override { ReimpostaDatiGlob(); }

  void Carica(std::vector<std::string> righe) {
    DatiGlob.ListaIstruzioni = std::move(righe);
    ResetScanner();
  }

  // Every token up to the end of the text.
  std::vector<std::string> Token(std::vector<std::string> righe) {
    Carica(std::move(righe));
    std::vector<std::string> t;
    for (int guardia = 0; guardia < 10000; ++guardia) {
      NextToken();
      if (DatiGlob.TokenCorrente == " " && DatiGlob.bFine) break;
      t.push_back(DatiGlob.TokenCorrente);
    }
    return t;
  }
};

using V = std::vector<std::string>;

TEST_F(ScannerTest, BlankProgramEndsAtOnceWithABlankToken) {
  for (V programma : {V{}, V{""}, V{"   ", "", "  "}}) {
    Carica(programma);
    NextToken();
    EXPECT_EQ(DatiGlob.TokenCorrente, " ");
    EXPECT_TRUE(DatiGlob.bFine);
    NextToken();
    EXPECT_EQ(DatiGlob.TokenCorrente, " ") << "reading past the end keeps yielding blanks";
  }
}

TEST_F(ScannerTest, SlashAndComments) {
  EXPECT_EQ(Token({"A/B"}), (V{"A", "/", "B"}));
  EXPECT_EQ(Token({"A/*x*/B"}), (V{"A", "B"}));
  EXPECT_EQ(Token({"A /* x **/ B"}), (V{"A", "B"})) << "two stars and a slash close the comment";
  EXPECT_EQ(Token({"A /* uno", "due * / tre", "*/ B;"}), (V{"A", "B", ";"})) << "comments span lines";
  EXPECT_EQ(Token({"A /* a */ /* b */ C"}), (V{"A", "C"}));
  EXPECT_EQ(Token({"A /* mai chiuso", "B C"}), (V{"A"})) << "an unterminated comment runs to the end";
  EXPECT_EQ(Token({"A *", "/ B"}), (V{"A", "*", "/", "B"})) << "a star and a slash on two lines are not a closing";
  EXPECT_EQ(Token({"/*x*/"}), V{});
  EXPECT_EQ(Token({"A/"}), (V{"A", "/"}));
}

TEST_F(ScannerTest, NamesAreUpperCasedAndCutAt255) {
  EXPECT_EQ(Token({"x1_y"}), V{"X1_Y"});
  EXPECT_EQ(Token({"_x"}), (V{"_", "X"}));
  EXPECT_EQ(Token({"Circ(P,150);"}), (V{"CIRC", "(", "P", ",", "1", "5", "0", ")", ";"}));
  const std::string lungo(300, 'a');
  EXPECT_EQ(Token({lungo + ";"}), (V{std::string(255, 'A'), ";"})) << "the scanner stands after all 300 letters";
}

TEST_F(ScannerTest, AnAccentedLetterIsOneTokenOfItsOwn) {
  EXPECT_EQ(Token({"è"}), V{"è"});
  EXPECT_EQ(Token({"città=1"}), (V{"CITT", "à", "=", "1"}));
  Carica({"àb"});
  NextToken();
  EXPECT_EQ(DatiGlob.Colonna, 2) << "columns count code points, not bytes";
}

TEST_F(ScannerTest, LinesAreSeparatedEvenWithoutTrailingBlanks) {
  EXPECT_EQ(Token({"ALFA", "BETA"}), (V{"ALFA", "BETA"}));
  EXPECT_EQ(Token({"  A", "", "   ", "B  "}), (V{"A", "B"}));
  Carica({"", "  x"});
  NextToken();
  EXPECT_EQ(DatiGlob.IndiceRiga, 1);
  EXPECT_EQ(DatiGlob.Colonna, 2) << "the line is left-trimmed";
}

TEST_F(ScannerTest, SavedPositionReadsTheSameTokensAgain) {
  Carica({"PER I", "ESEGUI; X = 1;", "FINE;"});
  NextToken();
  const PosizioneScanner p = SalvaPosizione();
  V prima, dopo;
  for (int i = 0; i < 6; ++i) {
    NextToken();
    prima.push_back(DatiGlob.TokenCorrente);
  }
  RipristinaPosizione(p);
  for (int i = 0; i < 6; ++i) {
    NextToken();
    dopo.push_back(DatiGlob.TokenCorrente);
  }
  EXPECT_EQ(prima, (V{"I", "ESEGUI", ";", "X", "=", "1"}));
  EXPECT_EQ(prima, dopo);

  // A position saved at the end restores to the end.
  while (!DatiGlob.bFine) NextToken();
  const PosizioneScanner fine = SalvaPosizione();
  RipristinaPosizione(p);
  RipristinaPosizione(fine);
  EXPECT_TRUE(DatiGlob.bFine);
  NextToken();
  EXPECT_EQ(DatiGlob.TokenCorrente, " ");
}

TEST_F(ScannerTest, ResetClearsTheErrorOfThePreviousRun) {
  Carica({"A;", "B;"});
  DatiGlob.bImmediato = false;
  NextToken();
  NextToken();
  NextToken();
  ReportError("x", true);
  EXPECT_EQ(DatiGlob.RigaErrore, 1);
  ResetScanner();
  EXPECT_EQ(DatiGlob.RigaErrore, -1);
  EXPECT_FALSE(DatiGlob.bStop);
  EXPECT_EQ(DatiGlob.MessaggioErrore, "");
  EXPECT_EQ(DatiGlob.IndiceRiga, 0);
}

class ErrorReportTest : public ScannerTest {
 protected:
  test::ScriptedWindow finestra;
  test::FinestraInstallata installata{finestra};
};

TEST_F(ErrorReportTest, RecordsTheMessageAndTheLine) {
  Carica({"A = 1;", "B = ;", "C = 3;"});
  DatiGlob.bImmediato = false;
  while (DatiGlob.TokenCorrente != "B") NextToken();
  ReportError(ParoleChiave.msgFattore, true);
  EXPECT_TRUE(DatiGlob.bStop);
  EXPECT_EQ(DatiGlob.MessaggioErrore, "Si aspetta un fattore");
  EXPECT_EQ(DatiGlob.RigaErrore, 1);
  EXPECT_EQ(finestra.Beep_, 1);
  EXPECT_TRUE(finestra.Messaggi.empty()) << "error display is off";
}

TEST_F(ErrorReportTest, LineIsMinusOneOffTheLineOrInImmediateMode) {
  Carica({"A;", "B;"});
  DatiGlob.bImmediato = false;
  NextToken();
  ReportError("fuori riga", false);
  EXPECT_EQ(DatiGlob.RigaErrore, -1);

  Carica({"A;", "B;"});
  DatiGlob.bImmediato = true;
  NextToken();
  ReportError("immediato", true);
  EXPECT_EQ(DatiGlob.RigaErrore, -1);
}

TEST_F(ErrorReportTest, AnErrorPastTheEndRecordsTheLastLine) {
  Carica({"A = (1", "", "  "});
  DatiGlob.bImmediato = false;
  while (!DatiGlob.bFine) NextToken();
  ReportError(ParoleChiave.msgParentesiChiusa, false);
  EXPECT_EQ(DatiGlob.RigaErrore, 2) << "never a line beyond the text";
}

TEST_F(ErrorReportTest, OnlyTheFirstErrorOfARunIsShown) {
  Carica({"A;"});
  DatiGlob.bImmediato = false;
  DatiGlob.bMostraErrori = true;
  NextToken();
  ReportError("primo", true);
  ReportError("secondo", true);
  ASSERT_EQ(finestra.Messaggi.size(), 1u);
  EXPECT_EQ(finestra.Messaggi[0].testo, "primo");
  EXPECT_EQ(finestra.Messaggi[0].tipo, TTipoMessaggio::Errore);
  EXPECT_EQ(DatiGlob.MessaggioErrore, "primo");
  EXPECT_EQ(finestra.Beep_, 2) << "one beep before recording, one before the dialog";
  EXPECT_EQ(DatiGlob.RigaCorrente, 0);
  EXPECT_FALSE(DatiGlob.bErroreSegnalato) << "a failed run must not count as a success";
}

TEST_F(ErrorReportTest, AfterStopNoErrorIsShown) {
  Carica({"A;"});
  DatiGlob.bMostraErrori = true;
  DatiGlob.bErroreSegnalato = true;  // as STOP leaves it
  ReportError("dopo lo stop", true);
  EXPECT_TRUE(DatiGlob.bStop);
  EXPECT_TRUE(finestra.Messaggi.empty());
  EXPECT_EQ(finestra.Beep_, 0);
  EXPECT_EQ(DatiGlob.MessaggioErrore, "");
}

TEST_F(ErrorReportTest, AScriptedStopEndsAReadingLoopAtAChosenToken) {
  Carica({"A B C D E F G H"});
  finestra.AlPompaggio(5, [] { TerminaEsecuzione(); });
  V letti;
  for (int guardia = 0; guardia < 100; ++guardia) {
    NextToken();
    if (DatiGlob.bStop) break;
    letti.push_back(DatiGlob.TokenCorrente);
  }
  EXPECT_EQ(letti, (V{"A", "B", "C", "D"}));
  EXPECT_TRUE(DatiGlob.bFine);
  EXPECT_TRUE(DatiGlob.bInterrotto);
  EXPECT_TRUE(DatiGlob.bErroreSegnalato);
  EXPECT_TRUE(finestra.Problemi.empty());
}

// The hooks a window says it ignores are not made; a window put in place, even by the one
// being called, takes the very next hook.
TEST_F(ErrorReportTest, TheHooksAWindowIgnoresAreOnlyCounted) {
  Carica({"A B C D E F G H I J K L"});
  finestra.Ignorati = 3;
  NextToken();
  NextToken();
  NextToken();
  NextToken();
  EXPECT_EQ(finestra.Pompaggi, 1u) << "the first hook, then three ignored";
  NextToken();
  EXPECT_EQ(finestra.Pompaggi, 2u);
  test::ScriptedWindow altra;
  finestra.AlPompaggio(3, [&] { ImpostaFinestra(&altra); });
  for (int i = 0; i < 4; ++i) NextToken();
  EXPECT_EQ(finestra.Pompaggi, 3u);
  EXPECT_EQ(altra.Pompaggi, 0u);
  NextToken();
  EXPECT_EQ(altra.Pompaggi, 1u) << "the new window is asked at the next token";
  EXPECT_EQ(DatiGlob.TokenCorrente, "J");
  ImpostaFinestra(&finestra);
}

TEST_F(ErrorReportTest, AnUnansweredWaitStopsTheRunInsteadOfHanging) {
  Carica({"A"});
  DatiGlob.bAttesaPunto = true;
  finestra.LimiteAttesaMs = 1000;
  int passi = 0;
  while (DatiGlob.bAttesaPunto && passi < 100000) {
    Finestra().AttendiEventi(10);
    ++passi;
  }
  EXPECT_FALSE(DatiGlob.bAttesaPunto);
  EXPECT_TRUE(DatiGlob.bStop);
  EXPECT_LT(passi, 200);
  ASSERT_EQ(finestra.Problemi.size(), 1u);
}

// Inputs that once misbehaved, and random text: the scanner always ends and never crashes.
TEST_F(ScannerTest, RandomTextAlwaysEnds) {
  std::mt19937 gen(12345);
  const std::string alfabeto = "ab_/* ;(){}\"'9.\t\xc3\xa8\xe2\x82\xac\xff\x80";
  for (int prova = 0; prova < 2000; ++prova) {
    V righe(gen() % 5);
    for (auto& r : righe) {
      int n = gen() % 40;
      for (int i = 0; i < n; ++i) r += alfabeto[gen() % alfabeto.size()];
    }
    Carica(righe);
    int token = 0;
    while (!DatiGlob.bFine && token < 1000) {
      NextToken();
      ++token;
    }
    ASSERT_TRUE(DatiGlob.bFine);
    ASSERT_LT(token, 1000);
  }
}

}  // namespace
}  // namespace qx
