// Each transformation applied to a point, a segment, a polygon and a circle.
#include "tests/geometria/Supporto.h"
#include "values/Collezioni.h"
#include "values/figure/ValoreCerchio.h"

namespace qx::test {
namespace {

const char* FIGURE =
    "O = PUNTO(0, 0); P = PUNTO(1, 0);\n"
    "S = SEGMENTO(PUNTO(1, 0), PUNTO(3, 0));\n"
    "T = POLIGONO(PUNTO(1, 0), PUNTO(3, 0), PUNTO(3, 2));\n"
    "C = CIRC(PUNTO(2, 1), 1.5);\n";

TEST_F(GeometriaPianaTest, RotationTurnsEveryDefiningPointAndKeepsTheRadius) {
  Programma(std::string(FIGURE) +
            "P1 = RUOTA(P, O, 90, \"A\"); P2 = RUOTA(P, O, 90, ORARIO);\n"
            "P3 = RUOTA(P, O, 30.9, \"A\"); P4 = RUOTA(P, O, 30, 30, \"A\");\n"
            "S1 = RUOTA(S, O, 180, \"A\"); T1 = RUOTA(T, O, 90, \"A\"); C1 = RUOTA(C, O, 90, \"A\");\n");
  EXPECT_EQ(run.Testo("P1"), "Punto: P1 (0, 1)");
  EXPECT_EQ(run.Testo("P2"), "Punto: P2 (0, -1)");
  EXPECT_EQ(run.Testo("P3"), "Punto: P3 (0.87, 0.5)") << "degrees are truncated";
  EXPECT_VICINO(Punto("P4")->xCart, std::cos(30.5 * PI_SU_180));
  EXPECT_VICINO(Retta("S1")->x2, -3);
  EXPECT_EQ(Retta("S1")->Tipo, T_SEGMENTO);
  EXPECT_EQ(Vertici("T1"), "(0, 1)(0, 3)(-2, 3)");
  EXPECT_EQ(run.Testo("C1"), "Circonferenza: C1 - centro:(-1, 2)  raggio: 1.5");
  EXPECT_EQ(run.Testo("P"), "Punto: P (1, 0)") << "the figure stays where it was";
  EXPECT_GT(DatiGlob.PuntiTraccia->Count(), 0) << "trace mode leaves a trail";
}

TEST_F(GeometriaPianaTest, TranslationMovesByTheDirectionsLength) {
  Programma(std::string(FIGURE) +
            "D = SEGMENTO_OR(O, PUNTO(3, 4)); R = RETTA(O, PUNTO(3, 4));\n"
            "P1 = TRASLA(P, D); P2 = TRASLA(P, R, 10); P3 = TRASLA(P, R, -5);\n"
            "S1 = TRASLA(S, D); T1 = TRASLA(T, D, 5); C1 = TRASLA(C, D);\n");
  EXPECT_EQ(run.Testo("P1"), "Punto: P1 (4, 4)");
  EXPECT_EQ(run.Testo("P2"), "Punto: P2 (7, 8)");
  EXPECT_EQ(run.Testo("P3"), "Punto: P3 (-2, -4)") << "a negative distance goes backwards";
  EXPECT_EQ(run.Testo("S1"), "Segmento: S1 - misura: 2");
  EXPECT_EQ(Retta("S1")->x1, 4);
  EXPECT_EQ(Vertici("T1"), "(4, 4)(6, 4)(6, 6)");
  EXPECT_EQ(run.Testo("C1"), "Circonferenza: C1 - centro:(5, 5)  raggio: 1.5");
}

TEST_F(GeometriaPianaTest, AxialSymmetryMirrorsAndKeepsTheVertexOrder) {
  Programma(std::string(FIGURE) +
            "A = RETTA(O, PUNTO(0, 1));\n"
            "P1 = SIMMETRIA_ASS(P, A); P2 = SIMMETRIA_ASSIALE(O, A);\n"
            "S1 = SIMMETRIA_ASS(S, SEGMENTO(PUNTO(0, 1), PUNTO(1, 1)));\n"
            "T1 = SIMMETRIA_ASS(T, A);\n");
  EXPECT_EQ(run.Testo("P1"), "Punto: P1 (-1, 0)");
  EXPECT_EQ(run.Testo("P2"), "Punto: P2 (0, 0)") << "a point on the axis stays";
  EXPECT_EQ(Retta("S1")->y1, 2);
  EXPECT_EQ(Retta("S1")->x2, 3);
  EXPECT_EQ(Vertici("T1"), "(-1, 0)(-3, 0)(-3, 2)");
  const Esito e = run.Esegui(std::string(FIGURE) + "C1 = SIMMETRIA_ASS(C, RETTA(O, P));\n");
  EXPECT_EQ(e.errore, "Parametri errati per SIMMETRIA_ASS");
}

TEST_F(GeometriaPianaTest, EnlargingAndShrinkingAboutTheCentre) {
  Programma(std::string(FIGURE) +
            "C1 = INGRANDISCI(C, 50); C2 = RIMPICCIOLISCI(C, 0);\n"
            "Q = POLIGONO(PUNTO(0, 0), PUNTO(2, 0), PUNTO(2, 2), PUNTO(0, 2));\n"
            "Q1 = INGRANDISCI(Q, 2);\n");
  EXPECT_EQ(run.Testo("C1"), "Circonferenza: C1 - centro:(2, 1)  raggio: 75");
  EXPECT_EQ(run.Testo("C2"), "Circonferenza: C2 - centro:(2, 1)  raggio: 0");
  EXPECT_EQ(Vertici("Q1"), "(-1, -1)(3, -1)(3, 3)(-1, 3)");
  const Esito e = run.Esegui(std::string(FIGURE) + "C1 = INGRANDISCI(C, 50.5);\nZ = 1;\n");
  EXPECT_FALSE(e.riuscito);
  ASSERT_EQ(run.finestra.Messaggi.size(), 1u);
  EXPECT_EQ(run.finestra.Messaggi[0].testo, "Il numero deve essere compreso tra 1 e 50");
  EXPECT_EQ(run.Valore("C1"), nullptr);
  EXPECT_EQ(run.Valore("Z"), nullptr);
}

TEST_F(GeometriaPianaTest, HomothetyScalesFromTheCentre) {
  Programma(std::string(FIGURE) +
            "P1 = OMOTETIA(P, O, 3); S1 = OMOTETIA(S, O, 2); T1 = OMOTETIA(T, P, 2);\n"
            "C1 = OMOTETIA(C, O, 2); C2 = OMOTETIA(C, PUNTO(2, 1), 3); P2 = OMOTETIA(P, O, -2);\n");
  EXPECT_EQ(run.Testo("P1"), "Punto: P1 (3, 0)");
  EXPECT_EQ(run.Testo("S1"), "Segmento: S1 - misura: 4");
  EXPECT_EQ(Vertici("T1"), "(1, 0)(5, 0)(5, 4)");
  EXPECT_EQ(run.Testo("C1"), "Circonferenza: C1 - centro:(4, 2)  raggio: 3");
  EXPECT_EQ(run.Testo("C2"), "Circonferenza: C2 - centro:(2, 1)  raggio: 4.5") << "about its own centre";
  EXPECT_EQ(run.Testo("P2"), "Punto: P2 (-2, 0)");
}

}  // namespace
}  // namespace qx::test
