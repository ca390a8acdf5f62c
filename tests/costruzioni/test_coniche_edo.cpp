// Conics from their parameters, and y' = f(x, y) solved and stored.
#include <cmath>

#include "tests/support/FunzioneXYFinta.h"
#include "tests/costruzioni/Figure.h"
#include "values/ValoreFunzione.h"
#include "values/figure/ValoreConica.h"

namespace qx::test {
namespace {

class ConicheEdo : public Costruzioni {
 protected:
  void Funzione(const std::string& nome, const std::string& testo) {
    auto f = std::make_unique<test::cFunzioneXYFinta>();
    ASSERT_TRUE(f->ImpostaFunzione(testo));
    Aggiungi(nome, std::move(f));
  }
};

TEST_F(ConicheEdo, ConicsFromTheirEquationOrFromTwoPoints) {
  ASSERT_TRUE(Comando("E = ELLISSE(3, 2); I = IPERBOLE(2, 1); P = PARABOLA(0.5);")) << Errore();
  const auto& e = Di<cValoreConica>("E");
  EXPECT_EQ(e.Tipo, T_ELLISSE);
  EXPECT_EQ(e.NomeTipo, "Ellisse");
  EXPECT_EQ(e._a, 3);
  EXPECT_EQ(e._b, 2);
  EXPECT_EQ(e._k, -1) << "canonical";
  EXPECT_EQ(Di<cValoreConica>("I").NomeTipo, "Iperbole");
  EXPECT_EQ(Di<cValoreConica>("I")._b, 1);
  EXPECT_EQ(Di<cValoreConica>("P").Tipo, T_PARABOLA);
  EXPECT_EQ(Di<cValoreConica>("P")._a, 0.5);
  EXPECT_EQ(run.Testo("E"), "") << "a conic has no description";

  Punto("F1", -2, 1);
  Punto("F2", 3, 1);
  ASSERT_TRUE(Comando("H = IPERBOLE(F1, F2, -3);")) << Errore();
  const auto& h = Di<cValoreConica>("H");
  EXPECT_EQ(h._xa, -2);
  EXPECT_EQ(h._ya, 1);
  EXPECT_EQ(h._xb, 3);
  EXPECT_EQ(h._yb, 1);
  EXPECT_EQ(h._k, 3);

  EXPECT_FALSE(Comando("X = ELLISSE(1);"));
  EXPECT_EQ(Errore(), "Parametri errati per ELLISSE");
  EXPECT_FALSE(Comando("X = ELLISSE(F1, F2);"));
  EXPECT_EQ(Errore(), "Parametri errati per ELLISSE");
  // Nothing to draw: a flat ellipse, one point twice.
  EXPECT_FALSE(Comando("X = ELLISSE(3, 0);"));
  EXPECT_EQ(Errore(), "Parametri errati per ELLISSE");
  EXPECT_FALSE(Comando("X = PARABOLA(F1, F1, 2);"));
  EXPECT_EQ(Errore(), "Parametri errati per PARABOLA");
}

TEST_F(ConicheEdo, TheEquationFormNeedsTheAxes) {
  run.ambiente.InizializzaAmbiente();  // squared paper again
  EXPECT_FALSE(Comando("E = ELLISSE(3, 2);"));
  EXPECT_EQ(Errore(), "ELLISSE: Occorre prima fissare il Riferimento Cartesiano");
  Punto("A", 0, 0);
  Punto("B", 4, 0);
  ASSERT_TRUE(Comando("E = ELLISSE(A, B, 1);")) << Errore();
}

TEST_F(ConicheEdo, DifferentialEquationNumberAndGraph) {
  Funzione("F", "y");
  Funzione("G", "x+y");
  ASSERT_TRUE(Comando("A = EDONUM(F, 0, 1, 1, 0); B = EDONUM(F, 0, 1, 1, 1);")) << Errore();
  EXPECT_EQ(Numero("A"), 1);
  EXPECT_NEAR(static_cast<double>(Numero("B")), std::exp(1.0), 1e-6);
  // y' = x + y, y(0) = 0: y = e^x - x - 1.
  ASSERT_TRUE(Comando("C = EDONUM(G, 0, 2, 0, 2);")) << Errore();
  EXPECT_NEAR(static_cast<double>(Numero("C")), std::exp(2.0) - 3, 1e-5);

  const std::size_t prima = run.Variabili().size();
  ASSERT_TRUE(Comando("M = EDOGRAF(F, 0, 1, 1);")) << Errore();
  const auto& m = Di<cMatrReale>("M");
  ASSERT_EQ(m.Rows, 10);
  ASSERT_EQ(m.Cols, 2);
  for (int j = 1; j <= 10; ++j) {
    const Reale t = m.Leggi(j, 1);
    EXPECT_GT(t, 0);
    EXPECT_LT(t, 1);
    EXPECT_NEAR(static_cast<double>(m.Leggi(j, 2)), static_cast<double>(std::exp(t)), 1e-5) << j;
  }
  // The solution is stored as a function in differential-equation mode.
  const auto vars = run.Variabili();
  ASSERT_EQ(vars.size(), prima + 2);
  const std::string nome = vars[prima].substr(0, vars[prima].find('='));
  auto& f = Di<cValoreFunzione>(nome);
  EXPECT_TRUE(f._bEDO);
  EXPECT_EQ(f._xa, 0);
  EXPECT_EQ(f._xb, 1);
  EXPECT_EQ(f._EDOy0, 1);
  EXPECT_EQ(f._bGrafico, 2);
  EXPECT_FALSE(f._bGraficoCompleto);
  EXPECT_NEAR(static_cast<double>(f.Valuta(0.5L)), std::exp(0.5), 1e-6);

  EXPECT_FALSE(Comando("X = EDONUM(F, 0, 1, 1);"));
  EXPECT_EQ(Errore(), "Parametri errati per EDONUM");
  EXPECT_FALSE(Comando("X = EDOGRAF(F, 0, 1, 1, 2);"));
  EXPECT_EQ(Errore(), "Parametri errati per EDOGRAF");
  cRifCart* rif = DatiGlob.RifCart;
  DatiGlob.RifCart = nullptr;
  const bool ok = Comando("X = EDOGRAF(F, 0, 1, 1);");
  DatiGlob.RifCart = rif;
  EXPECT_FALSE(ok);
  EXPECT_EQ(Errore(), "GRAFICOFUNZ: Occorre prima fissare il Riferimento Cartesiano");
}

}  // namespace
}  // namespace qx::test
