// A conic, a chart and a differential-equation solution rendered on the QImage canvas and
// checked pixel by pixel. Frame: 20 pixels a unit, origin at (300, 200).
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "interpreter/LatoMouse.h"
#include "tests/support/FunzioneXYFinta.h"
#include "runstate/DatiGlob.h"
#include "platform/qt/ApplicazioneQt.h"
#include "platform/qt/QImageCanvas.h"
#include "tests/support/Esecuzione.h"
#include "values/RifCart.h"

namespace qx {
namespace {

class CostruzioniPng : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    run.ambiente.ImpostaCanvas(&canvas, 600, 400);
    run.ambiente.InizializzaAmbiente();
    ASSERT_TRUE(run.ambiente.EseguiComando({"RIFCART(20, 20);", "COLORE(9);"})) << DatiGlob.MessaggioErrore;
  }
  QRgb Colore(int x, int y) { return canvas.Image().pixel(x, y) & 0xFFFFFF; }
  // Whether the colour is within `r` pixels of (x, y).
  bool Vicino(int x, int y, QRgb c, int r = 1) {
    for (int dx = -r; dx <= r; ++dx)
      for (int dy = -r; dy <= r; ++dy)
        if (Colore(x + dx, y + dy) == c) return true;
    return false;
  }
  void Disegna() {
    canvas.Image().fill(Qt::white);
    run.ambiente.DisegnaRifCart(canvas);
  }

  TQImageCanvas canvas{600, 400};
  test::Esecuzione run;
  static constexpr QRgb rosso = 0xFF0000, bianco = 0xFFFFFF;
};

TEST_F(CostruzioniPng, AnEllipseThroughItsVertices) {
  ASSERT_TRUE(run.ambiente.EseguiComando({"E = ELLISSE(5, 3);"})) << DatiGlob.MessaggioErrore;
  Disegna();
  // x = 3: y = 3/5 sqrt(25 - 9) = 2.4, pixel (360, 152) and its mirror (360, 248).
  EXPECT_TRUE(Vicino(360, 152, rosso));
  EXPECT_TRUE(Vicino(360, 248, rosso));
  EXPECT_TRUE(Vicino(240, 152, rosso));
  EXPECT_EQ(Colore(330, 170), bianco) << "not filled";
  EXPECT_EQ(Colore(470, 120), bianco) << "nothing outside";
}

TEST_F(CostruzioniPng, ABarChartInTheDraggedRectangle) {
  run.finestra.Quando([] { return DatiGlob.bAttesaDiagramma; }, [] {
    MousePremuto({100, 100});
    MouseMosso({200, 200});
    MouseRilasciato({400, 300});
  });
  ASSERT_TRUE(run.ambiente.EseguiComando({"D = DIAGSTR(3, \"a\", 5, \"b\");"})) << DatiGlob.MessaggioErrore;
  Disegna();
  // The mouse side rounds to tenths of a unit: the rectangle is (100, 100)-(400, 300).
  // Bars 61 pixels wide: the first from column 161 to 222 up to row 180 (3 of 5), the
  // second from 283 to 344 up to row 100.
  EXPECT_TRUE(Vicino(200, 180, rosso, 0)) << "top of the first bar";
  EXPECT_TRUE(Vicino(161, 250, rosso, 1)) << "its left side";
  EXPECT_EQ(Colore(200, 140), bianco) << "above the first bar";
  EXPECT_TRUE(Vicino(320, 100, rosso, 0)) << "top of the second bar";
  EXPECT_TRUE(Vicino(250, 300, rosso, 0)) << "the horizontal axis";
  EXPECT_EQ(Colore(500, 250), bianco);
}

TEST_F(CostruzioniPng, TheSolutionOfYPrimeEqualsY) {
  auto f = std::make_unique<test::cFunzioneXYFinta>();
  ASSERT_TRUE(f->ImpostaFunzione("y"));
  f->Nome = "F";
  run.ambiente.Variabili().Aggiungi(std::make_unique<cVariabile>("F", std::move(f)));
  ASSERT_TRUE(run.ambiente.EseguiComando({"M = EDOGRAF(F, 0, 2, 1);"})) << DatiGlob.MessaggioErrore;
  Disegna();
  for (Reale x : {0.25L, 1.0L, 1.75L}) {
    const int px = 300 + static_cast<int>(std::lround(20 * x));
    const int py = 200 - static_cast<int>(std::lround(20 * std::exp(static_cast<double>(x))));
    EXPECT_TRUE(Vicino(px, py, rosso, 2)) << "y = e^x at x = " << static_cast<double>(x);
  }
  EXPECT_EQ(Colore(320, 100), bianco) << "nothing above the curve";
  EXPECT_EQ(Colore(400, 100), bianco) << "nothing beyond x = 2";
}

}  // namespace
}  // namespace qx
