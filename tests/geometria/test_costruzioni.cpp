// Points, lines, circles, arcs, angles and polygons built from arguments, read back through
// their descriptions and their members.
#include "tests/geometria/Supporto.h"
#include "values/GeometriaAnalitica.h"
#include "values/figure/ValoreAngolo.h"
#include "values/figure/ValoreArco.h"
#include "values/figure/ValoreCerchio.h"
#include "values/figure/ValoreLista.h"

namespace qx::test {
namespace {

TEST_F(GeometriaPianaTest, PointsFromCoordinatesAndAsMidpoints) {
  Programma(
      "P = PUNTO(3, -2);\n"
      "Q = PUNTO(1, 4, \"Vertice_lungo_davvero_1\");\n"
      "S = SEGMENTO(P, Q);\n"
      "M = PUNTO_MEDIO(S);\n"
      "X = P.X; Y = P.Y;\n");
  EXPECT_EQ(run.Testo("P"), "Punto: P (3, -2)");
  EXPECT_EQ(run.Testo("M"), "Punto: M (2, 1)");
  EXPECT_EQ(Numero("X"), 3);
  EXPECT_EQ(Numero("Y"), -2);
  EXPECT_EQ(Punto("Q")->Etichetta, "Vertice_lungo_davver") << "labels are cut to 20 characters";
  EXPECT_EQ(Punto("M")->Etichetta, "M");
}

// A loop stores figures over the figures of the pass before: each variable keeps its name, a
// point its label or the variable's name cut to 20 characters, and no anonymous object is left.
TEST_F(GeometriaPianaTest, FiguresStoredAgainInALoopKeepTheirNamesAndLabels) {
  Programma(
      "PER (I DA 1 A 3) ESEGUI;\n"
      "  P = PUNTO(I, 0, \"Vertice\");\n"
      "  PUNTODIVENTICINQUELETTERE = PUNTO(I, 1);\n"
      "  SE I = 3 ALLORA P = PUNTO(I, 2);\n"
      "  S = SEGMENTO(P, PUNTO(0, I));\n"
      "  C = CIRC(P, I);\n"
      "  SE I = 2 ALLORA Q = P;\n"
      "FINE;\n");
  EXPECT_EQ(run.Testo("P"), "Punto: P (3, 2)");
  EXPECT_EQ(Punto("P")->Etichetta, "P") << "a point without a label of its own takes the name";
  EXPECT_EQ(Punto("Q")->Etichetta, "Q");
  EXPECT_EQ(run.Testo("Q"), "Punto: Q (2, 0)");
  EXPECT_EQ(Punto("PUNTODIVENTICINQUELETTERE")->Etichetta, "PUNTODIVENTICINQUELE");
  EXPECT_EQ(run.Testo("S"), "Segmento: S - misura: 3.16");
  EXPECT_EQ(run.Testo("C"), "Circonferenza: C - centro:(3, 2)  raggio: 3");
  EXPECT_EQ(Retta("S")->Nome, "S");
  EXPECT_EQ(Punto("P")->Nome, "P");
  for (const std::string& nome : run.Variabili()) EXPECT_NE(nome[0], '$') << nome;
}

TEST_F(GeometriaPianaTest, LinesThroughPointsTheirSlopeAndIntercept) {
  Programma(
      "A = PUNTO(1, 0); B = PUNTO(3, 4); O = PUNTO(0, 0);\n"
      "R = RETTA(A, B);\n"
      "K = R.COEFFANG; Q = R.INTERCETTA;\n"
      "V = RETTA(A, PUNTO(1, 5)); KV = V.COEFFANG;\n"
      "PA = PARALLELA(R, O); KP = PA.COEFFANG; QP = PA.INTERCETTA;\n"
      "PE = PERPENDICOLARE(R, O); KE = PE.COEFFANG; QE = PE.INTERCETTA;\n"
      "E = RETTA(2, 1); KE2 = E.COEFFANG; QE2 = E.INTERCETTA;\n"
      "F = RETTA_FASCIO(B, -1); QF = F.INTERCETTA;\n"
      "H = RETTAPAR_ASSE(\"y\", 3);\n"
      "S = SEGMENTO_OR(O, B); L = S.MISURA; E1 = S.ESTREMO(2);\n");
  EXPECT_VICINO(Numero("K"), 2);
  EXPECT_VICINO(Numero("Q"), -2);
  EXPECT_EQ(Numero("KV"), 1e101L) << "a vertical line divides by zero";
  EXPECT_VICINO(Numero("KP"), 2);
  EXPECT_VICINO(Numero("QP"), 0);
  EXPECT_VICINO(Numero("KE"), -0.5);
  EXPECT_VICINO(Numero("QE"), 0);
  EXPECT_VICINO(Numero("KE2"), 2);
  EXPECT_VICINO(Numero("QE2"), 1);
  EXPECT_VICINO(Numero("QF"), 7);
  EXPECT_EQ(Numero("L"), 5);
  EXPECT_EQ(run.Testo("E1"), "Punto: E1 (3, 4)");
  EXPECT_EQ(run.Testo("S"), "Segmento orientato: S - misura: 5");
  // y = 2x + 1 spans exactly the visible width.
  const TFinestraMondo f = FinestraVisibile();
  EXPECT_EQ(Retta("E")->x1, f.altoSinistra.x);
  EXPECT_EQ(Retta("E")->x2, f.bassoDestra.x);
  EXPECT_VICINO(Retta("E")->y2, 2 * f.bassoDestra.x + 1);
  const cValoreRetta* h = Retta("H");
  EXPECT_EQ(h->x1, 3);
  EXPECT_EQ(h->x2, 3);
  EXPECT_EQ(h->y1, f.altoSinistra.y);
  EXPECT_EQ(h->y2, f.bassoDestra.y);
}

TEST_F(GeometriaPianaTest, ASegmentOfGivenLengthAlongADirection) {
  run.finestra.Scelte = {2};
  Programma(
      "O = PUNTO(0, 0); P = PUNTO(1, 1);\n"
      "D = SEGMENTO(O, PUNTO(3, 4));\n"
      "S1 = SEGMENTO(P, 10, D, 1);\n"
      "S2 = SEGMENTO(P, 10, D, 0);\n"
      "S3 = SEGMENTO(P, 10, D);\n"
      "S4 = SEGMENTO(P, 5, SEGMENTO_OR(PUNTO(3, 4), O));\n");
  EXPECT_EQ(run.Testo("S1"), "Segmento: S1 - misura: 10");
  EXPECT_VICINO(Retta("S1")->x2, 7);
  EXPECT_VICINO(Retta("S1")->y2, 9);
  EXPECT_VICINO(Retta("S2")->x2, -5);
  EXPECT_VICINO(Retta("S2")->y2, -7);
  EXPECT_EQ(run.finestra.ScelteChieste, 1) << "only the form without a sense asks";
  EXPECT_VICINO(Retta("S3")->x2, -5) << "the second candidate was chosen";
  EXPECT_VICINO(Retta("S4")->x2, -2) << "an oriented segment gives its own sense";
  EXPECT_VICINO(Retta("S4")->y2, -3);
}

TEST_F(GeometriaPianaTest, NumberLinesAndPointsOnThem) {
  Programma("RN = RETTANUM(PUNTO(2, 1), 1.5);\nP = PUNTO_SU(RN, 0);\nQ = PUNTO_SU(RN, -2);\n");
  const cValoreRetta* r = Retta("RN");
  EXPECT_EQ(r->Tipo, T_RETTANUM);
  EXPECT_EQ(r->_xCentro, 2);
  EXPECT_EQ(r->_UnitMis, 1.5L);
  EXPECT_TRUE(Punto("P")->bSuRettaNumerica);
  EXPECT_EQ(Punto("P")->xCart, 2);
  EXPECT_EQ(Punto("Q")->xCart, -1);
  EXPECT_EQ(Punto("Q")->yCart, 1);
}

TEST_F(GeometriaPianaTest, RegressionLineAndFamilies) {
  Programma(
      "X = VETTORE(3); Y = VETTORE(3);\n"
      "X(1) = 1; X(2) = 2; X(3) = 3; Y(1) = 2; Y(2) = 4; Y(3) = 7;\n"
      "R = RETTA_REGR(X, Y); B = R.COEFFANG; A = R.INTERCETTA;\n"
      "STELLA(PUNTO(1, 1), 400);\n"
      "FASCIORAG(PUNTO(1, 1), 360);\n");
  EXPECT_VICINO(Numero("B"), 2.5);
  EXPECT_VICINO(Numero("A"), -2.0 / 3);
  int rette = 0, semirette = 0;
  for (int i = 1; i <= run.ambiente.Variabili().Count(); ++i) {
    const TipiValore t = run.ambiente.Variabili().Elemento(i)->Tipo;
    rette += t == T_RETTA ? 1 : 0;
    semirette += t == T_SEMIRETTA ? 1 : 0;
  }
  // One member per ten-degree slot: at most 19 up to 180 degrees, 37 up to 360.
  EXPECT_GE(rette - 1, 18);
  EXPECT_LE(rette - 1, 19);
  EXPECT_GE(semirette, 36);
  EXPECT_LE(semirette, 37);
}

TEST_F(GeometriaPianaTest, CirclesFromCentreAndRadiusFromThreePointsAndFromAnEquation) {
  Programma(
      "C = CIRC(PUNTO(1, 2), -3);\n"
      "XA = C.A; XB = C.B; XC = C.C; R = C.RAGGIO; CX = C.CENTROX; CY = C.CENTROY;\n"
      "T = CIRCONFERENZA(PUNTO(4, 0), PUNTO(-2, 0), PUNTO(1, 3));\n"
      "E = CIRCONFERENZA(0, 0, -4);\n");
  EXPECT_EQ(run.Testo("C"), "Circonferenza: C - centro:(1, 2)  raggio: 3");
  EXPECT_EQ(Numero("XA"), -2);
  EXPECT_EQ(Numero("XB"), -4);
  EXPECT_EQ(Numero("XC"), -4);
  EXPECT_EQ(Numero("R"), 3);
  EXPECT_EQ(Numero("CX"), 1);
  EXPECT_EQ(Numero("CY"), 2);
  EXPECT_EQ(run.Testo("T"), "Circonferenza: T - centro:(1, 0)  raggio: 3");
  EXPECT_EQ(run.Testo("E"), "Circonferenza: E - centro:(0, 0)  raggio: 2");
}

TEST_F(GeometriaPianaTest, ArcsAndSectorsEndAtTheGivenAngle) {
  Programma(
      "C = PUNTO(1, 1); A = PUNTO(3, 1);\n"
      "Q = ARCO(C, A, 90, \"A\"); E = Q.ESTREMO(2); I = Q.ESTREMO(1);\n"
      "W = SETTORE_CIRC(C, A, 90, ORARIO); F = W.ESTREMO(2);\n"
      "T = ARCO(C, A, 30, 30, \"A\");\n"
      "B = ARCO(C, A, PUNTO(1, 3), \"A\");\n");
  EXPECT_EQ(run.Testo("E"), "Punto: E (1, 3)");
  EXPECT_EQ(run.Testo("I"), "Punto: I (3, 1)");
  EXPECT_EQ(run.Testo("F"), "Punto: F (1, -1)");
  EXPECT_EQ(run.Valore("W")->Tipo, T_SETTORECIRC);
  auto* t = dynamic_cast<cValoreArco*>(run.Valore("T"));
  ASSERT_NE(t, nullptr);
  EXPECT_VICINO(t->mis, 30.5);
  EXPECT_VICINO(t->x3, 1 + 2 * std::cos(30.5 * PI_SU_180));
  auto* b = dynamic_cast<cValoreArco*>(run.Valore("B"));
  ASSERT_NE(b, nullptr);
  EXPECT_VICINO(b->mis, 90);
  EXPECT_EQ(b->v, 'A');
}

TEST_F(GeometriaPianaTest, AnglesFromThreePointsFromAVertexAndFromSides) {
  Programma(
      "O = PUNTO(0, 0); A = PUNTO(1, 0); B = PUNTO(3, 4);\n"
      "T = ANGOLO(A, O, B);\n"
      "V = ANGOLO(O, 30); G = V.GRADI; P = V.PRIMI; S = V.SECONDI;\n"
      "N = ANGOLO(O, 90);\n"
      "M = ANGOLO(SEGMENTO(O, A), 90, \"A\"); L2 = M.LATO(2);\n"
      "K = ANGOLO(SEMIRETTA(O, A), 45, \"O\"); K1 = K.LATO(1); K2 = LATO(K, 1);\n"
      "D = ANGOLO(SEGMENTO(A, O), SEGMENTO(O, B));\n");
  EXPECT_EQ(run.Testo("T"), "Angolo: T - Ampiezza: 53° 7' 48.37\"");
  EXPECT_EQ(run.Testo("V"), "Angolo: V - Ampiezza: 30° 0' 0\"");
  EXPECT_EQ(Numero("G"), 30);
  EXPECT_EQ(Numero("P"), 0);
  EXPECT_EQ(Numero("S"), 0);
  EXPECT_EQ(run.Testo("N"), "Angolo: N - Ampiezza: 90° 0' 0\"");
  auto* n = dynamic_cast<cValoreAngolo*>(run.Valore("N"));
  EXPECT_EQ(n->x3, 0) << "2 cos 90 is 0, never -0";
  EXPECT_EQ(n->y3, -2);
  EXPECT_EQ(run.Testo("M"), "Angolo: M - Ampiezza: 90° 0' 0\"");
  auto* lato = Retta("L2");
  ASSERT_NE(lato, nullptr);
  EXPECT_EQ(lato->Tipo, T_SEMIRETTA);
  EXPECT_EQ(lato->x2, 0);
  EXPECT_EQ(lato->y2, 1);
  EXPECT_EQ(run.Testo("K"), "Angolo: K - Ampiezza: 45° 0' 0\"");
  EXPECT_TRUE(dynamic_cast<cValoreAngolo*>(run.Valore("K"))->sem);
  // Sides are numbered along the orientation: side 1 of a clockwise angle is its second.
  auto *k1 = Retta("K1"), *k2 = Retta("K2");
  ASSERT_NE(k1, nullptr);
  ASSERT_NE(k2, nullptr);
  EXPECT_EQ(k1->Tipo, T_SEMIRETTA);
  EXPECT_VICINO(k1->x2, std::sqrt(0.5L));
  EXPECT_VICINO(k1->y2, -std::sqrt(0.5L));
  EXPECT_EQ(k1->x2, k2->x2) << "the member and the command agree";
  EXPECT_EQ(k1->y2, k2->y2);
  auto* d = dynamic_cast<cValoreAngolo*>(run.Valore("D"));
  EXPECT_EQ(d->x1, 1) << "the far end of the first side";
  EXPECT_EQ(d->x3, 3);
  EXPECT_EQ(run.Testo("D"), "Angolo: D - Ampiezza: 53° 7' 48.37\"");
}

TEST_F(GeometriaPianaTest, PolygonsAndPolylinesFromPoints) {
  Programma(
      "A = PUNTO(0, 0); B = PUNTO(4, 0); C = PUNTO(4, 3);\n"
      "T = POLIGONO(A, B, C); V = T.VERTICE(3); G = T.BARICENTRO;\n"
      "L = POLIGONALE(A, B, C);\n");
  EXPECT_EQ(Vertici("T"), "(0, 0)(4, 0)(4, 3)");
  EXPECT_EQ(run.Testo("V"), "Punto: V (4, 3)");
  EXPECT_EQ(run.Testo("G"), "Punto: G (2.67, 1)");
  EXPECT_TRUE(Poligono("T")->bChiuso);
  EXPECT_FALSE(Poligono("L")->bChiuso);
  EXPECT_EQ(run.Testo("L"), "Polyline: L");
  // A list of points, with an empty element between them.
  auto lista = std::make_unique<cValoreLista>(T_GENERICA, 0);
  auto copia = [this](const char* nome) {
    return std::unique_ptr<cValoreGraf>(static_cast<cValoreGraf*>(Punto(nome)->Clona().release()));
  };
  lista->_Oggetti.push_back(copia("A"));
  lista->_Oggetti.push_back(nullptr);
  lista->_Oggetti.push_back(copia("C"));
  run.ambiente.Variabili().Aggiungi(std::make_unique<cVariabile>("W", std::move(lista)));
  ASSERT_TRUE(run.ambiente.EseguiComando({"Z = POLIGONO(W);"})) << DatiGlob.MessaggioErrore;
  EXPECT_EQ(Vertici("Z"), "(0, 0)(4, 3)");
  static_cast<cValoreLista*>(run.Valore("W"))->_Oggetti.push_back(std::make_unique<cValoreCerchio>());
  EXPECT_FALSE(run.ambiente.EseguiComando({"Z = POLIGONO(W);"}));
  EXPECT_EQ(DatiGlob.MessaggioErrore, "Parametri errati per POLIGONO") << "a list element that is no point";
}

TEST_F(GeometriaPianaTest, NamedShapesBuiltOnASegment) {
  run.finestra.Scelte = {1, 2, 1, 1, 1};
  Programma(
      "S = SEGMENTO(PUNTO(0, 0), PUNTO(6, 0));\n"
      "R = ROMBO(S, 4);\n"
      "E1 = TRIANGOLO_EQUILATERO(S);\n"
      "E2 = TRIANGOLO_EQUILATERO(S);\n"
      "Q = QUADRATO(S);\n"
      "T = TRAPEZIO_ISOSCELE(S, 5, 2);\n"
      "H = ESAGONO(S);\n");
  EXPECT_EQ(Vertici("R"), "(3, -2)(6, 0)(3, 2)(0, 0)");
  EXPECT_EQ(run.finestra.ScelteChieste, 5) << "the rhombus asks nothing";
  EXPECT_EQ(Vertici("E1"), "(0, 0)(6, 0)(3, 5.2)");
  EXPECT_EQ(Vertici("E2"), "(3, -5.2)(6, 0)(0, 0)") << "the second candidate lies on the other side";
  EXPECT_EQ(Poligono("E1")->Lato, 6);
  EXPECT_EQ(Vertici("Q"), "(0, 0)(6, 0)(6, 6)(0, 6)");
  EXPECT_EQ(run.Testo("Q"), "Quadrato: Q");
  EXPECT_EQ(Vertici("T"), "(0, 0)(6, 0)(4, 4.58)(2, 4.58)") << "legs of 5 over a half-difference of 2";
  auto* h = Poligono("H");
  ASSERT_EQ(h->Punti.Count(), 6);
  for (int i = 0; i < 6; ++i) {
    const auto& p = h->Punti.Elemento(i);
    const auto& q = h->Punti.Elemento((i + 1) % 6);
    EXPECT_VICINO(Distanza(p.x, p.y, q.x, q.y), 6);
  }
}

TEST_F(GeometriaPianaTest, FractionsGiveTheirNumeratorAndDenominator) {
  Programma("F = FRAZIONE(3, 4); N = F.NUM; D = F.DEN;\n");
  EXPECT_EQ(Numero("N"), 3);
  EXPECT_EQ(Numero("D"), 4);
}

}  // namespace
}  // namespace qx::test

namespace qx::test {
namespace {

TEST(DirezioneTest, NoiseAroundZeroCountsAsZeroForTheSignRules) {
  const Reale quasiZero = 2 * std::cos(90 * PI_SU_180);
  ASSERT_NE(quasiZero, 0);
  EXPECT_EQ(AngoloDirezione(quasiZero, 2, quasiZero / 2), 360);
  EXPECT_EQ(AngoloDirezione(-quasiZero, -2, quasiZero / 2), 180);
  EXPECT_EQ(AngoloDirezione(2, quasiZero, 2 / quasiZero), 90);
}

}  // namespace
}  // namespace qx::test
