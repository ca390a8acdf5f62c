// Statistics functions, the regression line, and coins and dice with a seeded generator.
#include <cmath>
#include <numeric>

#include "interpreter/LatoMouse.h"
#include "interpreter/costruzioni/ComandiCostruzioni.h"
#include "runstate/ParoleChiave.h"
#include "tests/costruzioni/Figure.h"
#include "values/figure/ValoreDiagramma.h"

namespace qx::test {
namespace {

class Statistica : public Costruzioni {
 protected:
  // The user drags a chart's extent from (-5, 5) to (5, -3).
  void TrascinaDiagramma() {
    run.finestra.Quando([] { return DatiGlob.bAttesaDiagramma; }, [] {
      MousePremuto(Px(-5, 5));
      MouseMosso(Px(0, 0));
      MouseRilasciato(Px(5, -3));
    });
  }
  static Reale Somma(const cVettReale& v) {
    Reale s = 0;
    for (int i = 1; i <= v.Count; ++i) s += v.Leggi(i);
    return s;
  }
};

TEST_F(Statistica, DescriptiveMeasuresOfAListAndOfAVector) {
  const Reale dati[] = {2, 4, 4, 4, 5, 5, 7, 9};
  Vettore("V", {2, 4, 4, 4, 5, 5, 7, 9});
  Reale media = 0;
  for (Reale x : dati) media += x / 8;
  Reale varianza = 0, scarto = 0;
  for (Reale x : dati) {
    varianza += (x - media) * (x - media) / 8;
    scarto += std::fabs(x - media) / 8;
  }
  ASSERT_TRUE(Comando("M = MEDIA(2, 4, 4, 4, 5, 5, 7, 9); N = MEDIA(V); ME = MEDIANA(V); MO = MODA(V);")) << Errore();
  ASSERT_TRUE(Comando("VA = VARIANZA(V); SQ = SQM(2, 4, 4, 4, 5, 5, 7, 9); SS = SSM(V);")) << Errore();
  EXPECT_EQ(Numero("M"), media);
  EXPECT_EQ(Numero("N"), media);
  EXPECT_EQ(Numero("ME"), 4.5);
  EXPECT_EQ(Numero("MO"), 4);
  EXPECT_EQ(Numero("VA"), varianza);
  EXPECT_EQ(Numero("SQ"), std::sqrt(varianza));
  EXPECT_EQ(Numero("SS"), scarto);
  ASSERT_TRUE(Comando("W = VARIANZA(1, 2, 3);")) << Errore();
  EXPECT_NEAR(static_cast<double>(Numero("W")), 2.0 / 3, 1e-15);
  // The vector is not changed by the median's sort.
  EXPECT_EQ(Di<cVettReale>("V").Leggi(1), 2);

  EXPECT_FALSE(Comando("M = MEDIA(1, \"a\");"));
  EXPECT_EQ(Errore(), "Parametri errati per MEDIA");
  EXPECT_FALSE(Comando("M = MEDIANA;"));
  EXPECT_EQ(Errore(), "Parametri errati per MEDIANA");
}

TEST_F(Statistica, CovarianceCorrelationAndTheRegressionLine) {
  const Reale x[] = {1, 2, 3, 4, 5}, y[] = {2, 4, 5, 4, 5};
  Vettore("X", {1, 2, 3, 4, 5});
  Vettore("Y", {2, 4, 5, 4, 5});
  Vettore("Z", {1, 2, 3});
  Vettore("K", {2, 2, 2, 2, 2});
  Reale mx = 0, my = 0;
  for (int i = 0; i < 5; ++i) mx += x[i] / 5, my += y[i] / 5;
  Reale cov = 0, vx = 0, vy = 0;
  for (int i = 0; i < 5; ++i) {
    cov += (x[i] - mx) * (y[i] - my) / 5;
    vx += (x[i] - mx) * (x[i] - mx) / 5;
    vy += (y[i] - my) * (y[i] - my) / 5;
  }
  ASSERT_TRUE(Comando("C = COVARIANZA(X, Y); R = COEFF_CORR(X, Y);")) << Errore();
  EXPECT_NEAR(static_cast<double>(Numero("C")), static_cast<double>(cov), 1e-15);
  EXPECT_NEAR(static_cast<double>(Numero("R")), static_cast<double>(cov / std::sqrt(vx * vy)), 1e-15);
  EXPECT_FALSE(Comando("C = COVARIANZA(X, Z);"));
  EXPECT_EQ(Errore(), "Vettori di diversa dimensione COVARIANZA");
  EXPECT_FALSE(Comando("C = COEFF_CORR(X);"));
  EXPECT_EQ(Errore(), "Parametri errati per COEFF_CORR");

  ASSERT_TRUE(Comando("L = RETTA_REGR(X, Y);")) << Errore();
  auto* r = dynamic_cast<cValoreRetta*>(run.Valore("L"));
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->Tipo, T_RETTA);
  const Reale b = cov / vx, q = my - mx * b;
  EXPECT_NEAR(static_cast<double>(r->y1), static_cast<double>(b * r->x1 + q), 1e-12);
  EXPECT_NEAR(static_cast<double>(r->y2), static_cast<double>(b * r->x2 + q), 1e-12);
  EXPECT_FALSE(Comando("L = RETTA_REGR(X, Z);"));
  EXPECT_EQ(Errore(), "Vettori di diversa dimensione RETTA_REGR");
  EXPECT_FALSE(Comando("L = RETTA_REGR(K, Y);"));
  EXPECT_EQ(Errore(), "Parametri errati per RETTA_REGR") << "all the x equal: no line fits";
}

TEST_F(Statistica, ChartsFromAListOrFromVectorsPlacedByDragging) {
  TrascinaDiagramma();
  ASSERT_TRUE(Comando("D = DIAGSTR(\"titolo\", 3, \"a\", 5, \"b\");")) << Errore();
  const auto& d = Di<cValoreDiagramma>("D");
  ASSERT_EQ(d._freq.Count, 2);
  EXPECT_EQ(d._freq.Leggi(1), 3);
  EXPECT_EQ(d._freq.Leggi(2), 5);
  EXPECT_EQ(d._descr.Leggi(1), "a");
  EXPECT_EQ(d._descr.Leggi(2), "b");
  EXPECT_EQ(d.x1, -5);
  EXPECT_EQ(d.y1, 5);
  EXPECT_EQ(d.x2, 5);
  EXPECT_EQ(d.y2, -3);
  const TPoint a = Px(-5, 5), b = Px(5, -3);
  EXPECT_EQ(d.Rettangolo.Left, a.x);
  EXPECT_EQ(d.Rettangolo.Top, a.y);
  EXPECT_EQ(d.Rettangolo.Right, b.x);
  EXPECT_EQ(d.Rettangolo.Bottom, b.y);
  EXPECT_EQ(run.finestra.Prompt.front(), ParoleChiave.prmDiagramma);

  auto etichette = std::make_unique<cVettStringa>(3);
  etichette->Scrivi(1, "x");
  etichette->Scrivi(2, "y");
  etichette->Scrivi(3, "z");
  Aggiungi("E", std::move(etichette));
  Vettore("F", {1, 2, 3});
  TrascinaDiagramma();
  ASSERT_TRUE(Comando("T = DIAGCIRC(F, E);")) << Errore();
  EXPECT_EQ(Di<cValoreDiagramma>("T").Tipo, T_DIAG_CIRC);
  EXPECT_EQ(Di<cValoreDiagramma>("T")._descr.Leggi(3), "z");
  TrascinaDiagramma();
  ASSERT_TRUE(Comando("I = ISTOGRAMMA(F);")) << Errore();
  EXPECT_EQ(Di<cValoreDiagramma>("I").Tipo, T_DIAG_IST);

  EXPECT_FALSE(Comando("X = DIAGSTR(F, 3);"));
  EXPECT_EQ(Errore(), "Parametri errati per DIAGSTR");
  // Nothing to chart: nothing happens.
  EXPECT_TRUE(Comando("DIAGSTR;")) << Errore();
}

TEST_F(Statistica, CoinsAndDiceWithASeededGenerator) {
  GeneratoreCasuale().seed(7);
  TrascinaDiagramma();
  ASSERT_TRUE(Comando("D = LANCIO_DADI(100, 0);")) << Errore();
  const auto& d = Di<cValoreDiagramma>("D");
  ASSERT_EQ(d._freq.Count, 11);
  EXPECT_EQ(Somma(d._freq), 100);
  EXPECT_EQ(d._descr.Leggi(1), "2");
  EXPECT_EQ(d._descr.Leggi(11), "12");
  EXPECT_EQ(d._maxAlt, 50);
  const cVettReale primi = d._freq;

  // The same seed throws the same dice.
  GeneratoreCasuale().seed(7);
  TrascinaDiagramma();
  ASSERT_TRUE(Comando("E = LANCIO_DADI(100, 0);")) << Errore();
  for (int i = 1; i <= 11; ++i) EXPECT_EQ(Di<cValoreDiagramma>("E")._freq.Leggi(i), primi.Leggi(i));

  TrascinaDiagramma();
  const auto ridisegni = run.finestra.Ridisegni;
  ASSERT_TRUE(Comando("M = LANCIO_MONETA(51);")) << Errore();
  const auto& m = Di<cValoreDiagramma>("M");
  ASSERT_EQ(m._freq.Count, 2);
  EXPECT_EQ(Somma(m._freq), 51);
  EXPECT_GT(m._freq.Leggi(1), 0);
  EXPECT_GT(m._freq.Leggi(2), 0);
  EXPECT_EQ(m._descr.Leggi(1), "Testa");
  EXPECT_EQ(m._descr.Leggi(2), "Croce");
  EXPECT_EQ(m._maxAlt, 51);
  EXPECT_GE(run.finestra.Ridisegni - ridisegni, 51) << "shown after every throw";

  TrascinaDiagramma();
  ASSERT_TRUE(Comando("Z = LANCIO_MONETA(0);")) << Errore();
  EXPECT_EQ(Somma(Di<cValoreDiagramma>("Z")._freq), 0);
  EXPECT_FALSE(Comando("Z = LANCIO_DADI(10, 0, 1);"));
  EXPECT_EQ(Errore(), "Parametri errati per LANCIO_DADI");
}

TEST_F(Statistica, StoppingWhileTheDiceFallLeavesNothing) {
  TrascinaDiagramma();
  const int prima = run.finestra.Ridisegni;
  run.finestra.Quando([this, prima] { return run.finestra.Ridisegni > prima + 5; }, [] { TerminaEsecuzione(); });
  Comando("D = LANCIO_DADI(1000, 10);");
  EXPECT_EQ(run.Valore("D"), nullptr);
  EXPECT_TRUE(run.finestra.Messaggi.empty());
}

}  // namespace
}  // namespace qx::test
