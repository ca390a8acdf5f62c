// INTERSEZIONE and TANGENTE end to end: the points and lines they store, the order of two
// answers (the routine's for two circles and for tangents, which stored programs rely on;
// x then y for an oblique line and a circle), the choice by argument or by the dialog, and
// their messages.
#include <cmath>

#include "tests/costruzioni/Figure.h"
#include "values/GeometriaAnalitica.h"

namespace qx::test {
namespace {

using Intersezioni = Costruzioni;


void Atteso(const cValorePunto& p, Reale x, Reale y) {
  EXPECT_NEAR(static_cast<double>(p.xCart), static_cast<double>(x), 1e-9);
  EXPECT_NEAR(static_cast<double>(p.yCart), static_cast<double>(y), 1e-9);
  EXPECT_TRUE(p.bCoordCartesiane);
}

TEST_F(Intersezioni, TwoLinesMeetOnlyWhereBothAreDrawn) {
  Retta("R", T_RETTA, 0, 0, 1, 1);
  Retta("S", T_RETTA, 0, 2, 2, 0);
  Retta("T", T_SEGMENTO, 0, 0, 0.5, 0.5);
  Retta("U", T_SEMIRETTA, 3, 3, 4, 4);  // starts beyond the crossing
  Retta("P", T_RETTA, 0, 1, 1, 2);      // parallel to R
  ASSERT_TRUE(Comando("I = INTERSEZIONE(R, S);")) << Errore();
  Atteso(Di<cValorePunto>("I"), 1, 1);

  EXPECT_FALSE(Comando("J = INTERSEZIONE(T, S);"));
  EXPECT_EQ(Errore(), "INTERSEZIONE Nessuna intersezione");
  EXPECT_FALSE(Comando("J = INTERSEZIONE(S, U);"));
  EXPECT_EQ(Errore(), "INTERSEZIONE Nessuna intersezione");
  EXPECT_FALSE(Comando("J = INTERSEZIONE(R, P);"));
  EXPECT_EQ(Errore(), "INTERSEZIONE Nessuna intersezione");
  EXPECT_EQ(run.Valore("J"), nullptr);
  // An oriented segment is not a line here.
  Retta("O", T_SEGMENTO_OR, 0, 2, 2, 0);
  EXPECT_FALSE(Comando("J = INTERSEZIONE(R, O);"));
  EXPECT_EQ(Errore(), "Parametri errati per INTERSEZIONE");
}

TEST_F(Intersezioni, ALineAndACircleSecantAndTangent) {
  Cerchio("C", 0, 0, 5);
  Retta("R", T_RETTA, 0, 0, 1, 1);
  Retta("T", T_RETTA, -1, 5, 1, 5);
  Retta("S", T_SEGMENTO, 0, 0, 10, 0);
  Retta("V", T_SEGMENTO, -20, 0, -10, 0);
  const Reale h = 5 / std::sqrt(2.0L);
  // 1 picks the second of the pair (the smaller x), 2 the first, without a dialog.
  ASSERT_TRUE(Comando("A = INTERSEZIONE(C, R, 1);")) << Errore();
  Atteso(Di<cValorePunto>("A"), -h, -h);
  ASSERT_TRUE(Comando("B = INTERSEZIONE(C, R, 2);")) << Errore();
  Atteso(Di<cValorePunto>("B"), h, h);
  EXPECT_TRUE(run.finestra.Dialoghi.empty());
  // Otherwise the user chooses, offered the first then the second.
  run.finestra.Risposte = {"2", "1"};
  ASSERT_TRUE(Comando("D = INTERSEZIONE(C, R);")) << Errore();
  Atteso(Di<cValorePunto>("D"), -h, -h);
  ASSERT_TRUE(Comando("E = INTERSEZIONE(C, R, 7);")) << Errore();
  Atteso(Di<cValorePunto>("E"), h, h);
  ASSERT_EQ(run.finestra.Dialoghi.size(), 2u);
  EXPECT_EQ(run.finestra.Dialoghi[0].tipo, "ScegliIntersezione");
  // Tangent line: one point, no question.
  ASSERT_TRUE(Comando("F = INTERSEZIONE(C, T);")) << Errore();
  Atteso(Di<cValorePunto>("F"), 0, 5);
  // A segment from the centre crosses once; one that stops short, never.
  ASSERT_TRUE(Comando("G = INTERSEZIONE(C, S);")) << Errore();
  Atteso(Di<cValorePunto>("G"), 5, 0);
  EXPECT_EQ(run.finestra.Dialoghi.size(), 2u);
  EXPECT_FALSE(Comando("H = INTERSEZIONE(C, V);"));
  EXPECT_EQ(Errore(), "INTERSEZIONE Nessuna intersezione");
  // The line must come second.
  EXPECT_FALSE(Comando("H = INTERSEZIONE(R, C);"));
  EXPECT_EQ(Errore(), "Parametri errati per INTERSEZIONE");
}

TEST_F(Intersezioni, TwoCirclesInEveryPosition) {
  Cerchio("C", 0, 0, 5);
  Cerchio("D", 8, 0, 5);
  Cerchio("LONTANO", 20, 0, 5);
  Cerchio("TOCCA", 10, 0, 5);
  Cerchio("DENTRO", 0, 0, 1);
  Cerchio("STESSO", 0, 0, 5);
  Cerchio("INTERNO", 2, 0, 3);
  // The routine gives (4, -3) then (4, 3): 1 takes its second point, 2 its first.
  ASSERT_TRUE(Comando("A = INTERSEZIONE(C, D, 1);")) << Errore();
  Atteso(Di<cValorePunto>("A"), 4, 3);
  ASSERT_TRUE(Comando("A2 = INTERSEZIONE(C, D, 2);")) << Errore();
  Atteso(Di<cValorePunto>("A2"), 4, -3);
  // From the other centre the routine turns the other way: (4, 3) then (4, -3).
  ASSERT_TRUE(Comando("B = INTERSEZIONE(D, C, 1);")) << Errore();
  Atteso(Di<cValorePunto>("B"), 4, -3);
  ASSERT_TRUE(Comando("B2 = INTERSEZIONE(D, C, 2);")) << Errore();
  Atteso(Di<cValorePunto>("B2"), 4, 3);
  ASSERT_TRUE(Comando("T = INTERSEZIONE(C, TOCCA);")) << Errore();
  Atteso(Di<cValorePunto>("T"), 5, 0);
  ASSERT_TRUE(Comando("I = INTERSEZIONE(C, INTERNO);")) << Errore();
  Atteso(Di<cValorePunto>("I"), 5, 0);
  EXPECT_TRUE(run.finestra.Dialoghi.empty()) << "a touch from inside is one point";
  // The dialog offers the routine's first point first: choosing the second gives (4, 3).
  run.finestra.Risposte = {"2"};
  ASSERT_TRUE(Comando("S = INTERSEZIONE(C, D);")) << Errore();
  Atteso(Di<cValorePunto>("S"), 4, 3);
  ASSERT_EQ(run.finestra.Dialoghi.size(), 1u);

  EXPECT_FALSE(Comando("X = INTERSEZIONE(C, LONTANO);"));
  EXPECT_EQ(Errore(), "INTERSEZIONE Circonferenze esterne: nessuna soluzione");
  EXPECT_FALSE(Comando("X = INTERSEZIONE(C, DENTRO);"));
  EXPECT_EQ(Errore(), "INTERSEZIONE Circonferenze interne: nessuna soluzione");
  EXPECT_FALSE(Comando("X = INTERSEZIONE(C, STESSO);"));
  EXPECT_EQ(Errore(), "INTERSEZIONE Circonferenze coincidenti: infinite soluzioni");
  EXPECT_EQ(run.Valore("X"), nullptr);
}

TEST_F(Intersezioni, TangentsFromAPointOnAndOutsideTheCircle) {
  Cerchio("C", 0, 0, 5);
  Punto("SU", 0, 5);
  Punto("FUORI", 10, 0);
  Punto("DENTRO", 1, 1);
  ASSERT_TRUE(Comando("T = TANGENTE(C, SU);")) << Errore();
  const auto& t = Di<cValoreRetta>("T");
  EXPECT_EQ(t.Tipo, T_RETTA);
  EXPECT_NEAR(static_cast<double>(t.y1), 5, 1e-9);
  EXPECT_NEAR(static_cast<double>(t.y2), 5, 1e-9);
  EXPECT_TRUE(run.finestra.Dialoghi.empty());

  // From (10, 0) the tangents touch at (2.5, +-sqrt(18.75)); the routine gives the lower
  // first, so 2 takes the lower and 1 the upper.
  const Reale yc = std::sqrt(18.75L);
  auto verifica = [&](const std::string& nome, Reale segno) {
    const auto& r = Di<cValoreRetta>(nome);
    const TPuntoMondo A{r.x1, r.y1}, B{r.x2, r.y2};
    EXPECT_NEAR(static_cast<double>(DistanzaPuntoRetta({0, 0}, A, B)), 5, 1e-9) << nome;
    EXPECT_NEAR(static_cast<double>(DistanzaPuntoRetta({10, 0}, A, B)), 0, 1e-9) << nome;
    EXPECT_NEAR(static_cast<double>(YSuRetta(2.5L, A, B)), static_cast<double>(segno * yc), 1e-9) << nome;
  };
  ASSERT_TRUE(Comando("A = TANGENTE(C, FUORI, 2);")) << Errore();
  verifica("A", -1);
  ASSERT_TRUE(Comando("B = TANGENTE(C, FUORI, 1);")) << Errore();
  verifica("B", 1);
  run.finestra.Risposte = {"2"};
  ASSERT_TRUE(Comando("D = TANGENTE(C, FUORI);")) << Errore();
  verifica("D", 1);
  ASSERT_EQ(run.finestra.Dialoghi.size(), 1u);
  EXPECT_EQ(run.finestra.Dialoghi[0].tipo, "ScegliTangente");

  EXPECT_FALSE(Comando("X = TANGENTE(C, DENTRO);"));
  EXPECT_EQ(Errore(), "TANGENTE Punto interno alla circonferenza");
  EXPECT_FALSE(Comando("X = TANGENTE(FUORI, C);"));
  EXPECT_EQ(Errore(), "Parametri errati per TANGENTE");
}

TEST_F(Intersezioni, StatementFormStoresAnAnonymousPoint) {
  Retta("R", T_RETTA, 0, 0, 1, 1);
  Retta("S", T_RETTA, 0, 2, 2, 0);
  const int prima = run.ambiente.Variabili().Count();
  ASSERT_TRUE(Comando("INTERSEZIONE(R, S);")) << Errore();
  EXPECT_EQ(run.ambiente.Variabili().Count(), prima + 1);
  const auto vars = run.Variabili();
  ASSERT_FALSE(vars.empty());
  EXPECT_EQ(vars.back().substr(0, 1), "$");
}

}  // namespace
}  // namespace qx::test
