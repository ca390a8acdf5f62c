// Constructions that take their input from the scripted mouse.
#include "interpreter/LatoMouse.h"
#include "tests/geometria/Supporto.h"
#include "values/RifCart.h"

namespace qx::test {
namespace {

TPoint Pixel(Reale x, Reale y) { return DatiGlob.RifCart->CartInPixel({x, y}); }

void CliccaQuando(ScriptedWindow& f, bool TDatiGlob::*flag, Reale x, Reale y) {
  f.Quando([flag] { return DatiGlob.*flag; }, [x, y] { Clic(Pixel(x, y)); });
}

TEST_F(GeometriaPianaTest, APointPlacedWithTheMouseOrPickedAmongTheExistingOnes) {
  CliccaQuando(run.finestra, &TDatiGlob::bAttesaPunto, 2, 3);
  Programma("P = PUNTO(\"Cima\");\n");
  EXPECT_EQ(run.Testo("P"), "Punto: P (2, 3)");
  EXPECT_EQ(Punto("P")->Etichetta, "Cima");
  EXPECT_EQ(run.finestra.Prompt.front(),
            "PUNTO: Sposta il cursore con il mouse e premi il pulsante sinistro per confermare");
  EXPECT_EQ(run.finestra.Prompt.back(), "");

  CliccaQuando(run.finestra, &TDatiGlob::bAttesaPunto, 1, 1);
  Programma("A = PUNTO(1, 1);\nPUNTO;\nN = 0;\n");
  EXPECT_EQ(run.Variabili(), (std::vector<std::string>{"A=Punto: A (1, 1)", "N=0"}))
      << "clicking an existing point stores nothing new";
  EXPECT_TRUE(run.finestra.Problemi.empty());
}

TEST_F(GeometriaPianaTest, ASegmentBetweenTwoPickedPoints) {
  run.finestra.Quando([] { return DatiGlob.bAttesaScegliPunto; }, [this] {
    Clic(Pixel(1, 1));
    run.finestra.Quando([] { return DatiGlob.bAttesaScegliPunto; }, [] { Clic(Pixel(4, 5)); });
  });
  Programma("A = PUNTO(1, 1); B = PUNTO(4, 5);\nS = SEGMENTO;\n");
  EXPECT_EQ(run.Testo("S"), "Segmento: S - misura: 5");
  EXPECT_EQ(Retta("S")->x1, 1);
  const std::vector<std::string> attesi = {"Seleziona il primo Punto", "", "Seleziona il secondo Punto", ""};
  EXPECT_EQ(run.finestra.Prompt, attesi);
  EXPECT_EQ(scelti.Count(), 0) << "the picks are forgotten once used";
}

TEST_F(GeometriaPianaTest, ASegmentOfGivenLengthPointedWithTheMouse) {
  CliccaQuando(run.finestra, &TDatiGlob::bAttesaSegmento, 1, 9);
  Programma("P = PUNTO(1, 1);\nS = SEGMENTO(P, 3);\n");
  EXPECT_EQ(run.Testo("S"), "Segmento: S - misura: 3");
  EXPECT_VICINO(Retta("S")->x2, 1);
  EXPECT_VICINO(Retta("S")->y2, 4);
}

TEST_F(GeometriaPianaTest, ACircleAroundAPickedCentreWithATypedRadius) {
  CliccaQuando(run.finestra, &TDatiGlob::bAttesaScegliPunto, 2, 2);
  run.finestra.Risposte = {"1.5"};
  Programma("A = PUNTO(2, 2);\nC = CIRC;\n");
  EXPECT_EQ(run.Testo("C"), "Circonferenza: C - centro:(2, 2)  raggio: 1.5");
  ASSERT_EQ(run.finestra.Dialoghi.size(), 1u);
  EXPECT_EQ(run.finestra.Dialoghi[0].titolo, "Circonferenza");
  EXPECT_EQ(run.finestra.Dialoghi[0].prompt, "Raggio");
}

TEST_F(GeometriaPianaTest, AShapeDroppedAtTheClickAndAPointOnASegment) {
  CliccaQuando(run.finestra, &TDatiGlob::bAttesaFigura, 1, 1);
  CliccaQuando(run.finestra, &TDatiGlob::bAttesaPuntoSu, 2, 0);
  Programma("Q = QUADRATO(2);\nS = SEGMENTO(PUNTO(0, 0), PUNTO(4, 0));\nP = PUNTO_SU(S);\n");
  EXPECT_EQ(Vertici("Q"), "(1, 1)(3, 1)(3, 3)(1, 3)");
  EXPECT_EQ(run.Testo("P"), "Punto: P (2, 0)");
}

TEST_F(GeometriaPianaTest, AVertexAndASideOfAPolygonChosen) {
  CliccaQuando(run.finestra, &TDatiGlob::bAttesaScegliVertice, 4, 3);
  CliccaQuando(run.finestra, &TDatiGlob::bAttesaScegliLato, 4, 1.5L);
  Programma(
      "T = POLIGONO(PUNTO(0, 0), PUNTO(4, 0), PUNTO(4, 3));\n"
      "V = SCEGLIVERTICE; L = SCEGLILATO;\n"
      "X = V.X; M = L.MISURA;\n");
  EXPECT_EQ(Numero("X"), 4);
  EXPECT_EQ(Numero("M"), 3);
}

TEST_F(GeometriaPianaTest, AStopDuringAPickEndsTheRunWithoutAValue) {
  run.finestra.Quando([] { return DatiGlob.bAttesaSegmento; }, [] { TerminaEsecuzione(); });
  run.Esegui("P = PUNTO(1, 1);\nS = SEGMENTO(P, 3);\nZ = 1;\n");
  EXPECT_EQ(run.Valore("S"), nullptr);
  EXPECT_EQ(run.Valore("Z"), nullptr);
  EXPECT_TRUE(run.finestra.Messaggi.empty());
  EXPECT_EQ(DatiGlob.PuntoInizioSegmento, nullptr);
  EXPECT_TRUE(run.finestra.Problemi.empty());
}

}  // namespace
}  // namespace qx::test
