// A plot on the analysis frame, rendered and saved as PNG, checked pixel by pixel.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "runstate/DatiGlob.h"
#include "platform/qt/ApplicazioneQt.h"
#include "platform/qt/QImageCanvas.h"
#include "tests/support/Esecuzione.h"
#include "values/ValoreFunzione.h"

namespace qx {
namespace {

TEST(ComandiGeneraliPng, SineOnTheAnalysisFrame) {
  EnsureGuiApplication();
  test::Esecuzione run;
  TQImageCanvas canvas(600, 400);
  run.ambiente.ImpostaCanvas(&canvas, 600, 400);
  run.ambiente.InizializzaAmbiente();
  auto f = std::make_unique<cValoreFunzione>(T_FUNZIONE);
  ASSERT_TRUE(f->ImpostaFunzione("Sin(x)"));
  f->Nome = "F";
  run.ambiente.Variabili().Aggiungi(std::make_unique<cVariabileGraf>("F", std::move(f)));
  // Blue axes, a red curve.
  ASSERT_TRUE(run.ambiente.EseguiComando({"RIFCART1(-5, -5, 5, 5);", "COLORE(9);", "GRAFICOFUNZ(F);"}))
      << DatiGlob.MessaggioErrore;
  run.ambiente.DisegnaRifCart(canvas);

  const std::string percorso =
      (std::filesystem::temp_directory_path() / ("qx_grafico_" + std::to_string(::getpid()) + ".png")).string();
  ASSERT_TRUE(canvas.SalvaPng(percorso));
  QImage img(QString::fromStdString(percorso));
  std::remove(percorso.c_str());
  ASSERT_EQ(img.width(), 600);
  ASSERT_EQ(img.height(), 400);
  const auto colore = [&](int x, int y) { return img.pixel(x, y) & 0xFFFFFF; };
  const QRgb blu = 0x0000FF, rosso = 0xFF0000, bianco = 0xFFFFFF;
  // x in -5..5 over 600 columns and y in -5..5 over 400 rows: (x, y) -> (300 + 60x, 200 - 40y).
  EXPECT_EQ(colore(100, 200), blu) << "the x axis";
  EXPECT_EQ(colore(300, 60), blu) << "the y axis";
  EXPECT_EQ(colore(300, 200), rosso) << "the curve at x = 0 is drawn over the axes";
  // x = pi/2: column 394.25, row 160.
  bool sopra = false;
  for (int x = 393; x <= 395; ++x) sopra = sopra || colore(x, 160) == rosso;
  EXPECT_TRUE(sopra) << "the curve at x = pi/2";
  EXPECT_EQ(colore(394, 240), bianco) << "nothing at (pi/2, -1)";
  EXPECT_EQ(colore(500, 350), bianco);
}

}  // namespace
}  // namespace qx
