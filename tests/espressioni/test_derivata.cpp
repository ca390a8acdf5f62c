#include <cmath>
#include <random>

#include "tests/espressioni/Ambiente.h"
#include "values/espressioni/Derivata.h"

namespace qx::test {
namespace {

class Derivate : public AmbienteEspr {
 protected:
  std::string D(const std::string& testo) {
    PNodo t = AnalizzaEspressione(testo, MODO_FUNZIONE);
    if (!t) return "<nil>";
    PNodo d = Derivata(t.get());
    return d ? AlberoInTesto(d.get()) : "<nil>";
  }
};

TEST_F(Derivate, PolinomiProdottiQuozientiComposte) {
  EXPECT_EQ(D("x^3"), "3*(x^2)");
  EXPECT_EQ(D("x*x"), "x*2");
  EXPECT_EQ(D("Sin(2*x)"), "Cos(2*x)*2");
  EXPECT_EQ(D("5"), "0");
  EXPECT_EQ(D("y"), "0");
  Reale_("K", 3);
  EXPECT_EQ(D("k"), "0");
  EXPECT_EQ(D("k*x"), "k");
  EXPECT_EQ(D("x^2+3*x+1"), "3+2*x");
  EXPECT_EQ(D("1/x"), "-1/(x^2)");
  EXPECT_EQ(D("x/(x+1)"), "(x+1-x)/((x+1)^2)");
  EXPECT_EQ(D("x*Sin(x)"), "x*Cos(x)+Sin(x)");
  EXPECT_EQ(D("Exp(x^2)"), "2*(x*Exp((x^2)))");
  // x^x by the rule table: (x^x)*((x*(1/x))+(1*Ln(x))), then tidied.
  EXPECT_EQ(D("x^x"), "(x^x)*(x*(1/x)+Ln(x))");
  EXPECT_TRUE(finestra.Messaggi.empty());
}

TEST_F(Derivate, OgniFunzioneDellaTabella) {
  EXPECT_EQ(D("Abs(x)"), "x/Abs(x)");
  EXPECT_EQ(D("ArcSin(x)"), "((1-(x^2))^-0.5)");
  EXPECT_EQ(D("ArcCos(x)"), "-(((1-(x^2))^-0.5))");
  EXPECT_EQ(D("ArcTan(x)"), "((1+(x^2))^-1)");
  EXPECT_EQ(D("Cos(x)"), "-(Sin(x))");
  EXPECT_EQ(D("Exp(x)"), "Exp(x)");
  EXPECT_EQ(D("Ln(x)"), "1/x");
  EXPECT_EQ(D("Sin(x)"), "Cos(x)");
  EXPECT_EQ(D("Sqr(x)"), "2*x");
  EXPECT_EQ(D("Sqrt(x)"), "0.5*(x^-0.5)");
  EXPECT_EQ(D("Tan(x)"), "1/Sqr(Cos(x))");
  EXPECT_EQ(D("Sinh(x)"), "Cosh(x)");
  EXPECT_EQ(D("Cosh(x)"), "Sinh(x)");
  EXPECT_EQ(D("Tanh(x)"), "1-Sqr(Tanh(x))");
  EXPECT_EQ(D("ArcSinh(x)"), "((1+(x^2))^-0.5)");
  EXPECT_EQ(D("-(x)"), "-1");
  EXPECT_EQ(D("-(-(x))"), "1");
  EXPECT_TRUE(finestra.Messaggi.empty());
  EXPECT_EQ(D("Log(x)"), "1/x*Log(2.7182818284590452354)");
}

TEST_F(Derivate, SenzaRegolaUnSoloMessaggio) {
  auto vv = std::make_unique<cVariabileVettReale>("V", 3);
  variabili.Aggiungi(std::move(vv));
  const char* senza[] = {"Sec(x)", "Cotan(x)+x", "x*ArcCosh(x)", "ArcTanh(x)", "Cosec(x)", "ArcSec(x)",
                         "ArcCosec(x)", "Cotanh(x)", "Sech(x)", "Cosech(x)", "Int(x)", "v(x)", "x+v(1)"};
  for (const char* t : senza) {
    finestra.Messaggi.clear();
    EXPECT_EQ(D(t), "<nil>") << t;
    EXPECT_EQ(TestiMessaggi(), std::vector<std::string>{"Derivata non possibile"}) << t;
  }
  finestra.Messaggi.clear();
  EXPECT_EQ(Derivata(nullptr), nullptr);
  EXPECT_EQ(finestra.Messaggi.size(), 1u);
}

TEST_F(Derivate, RiscritturaDelleRotazioni) {
  // a+(b+c) turns into c+(a+b); the second rotation follows only the first.
  PNodo t = AnalizzaEspressione("k1+(k2+k3)", MODO_FUNZIONE);
  Reale_("K1", 1), Reale_("K2", 2), Reale_("K3", 3);
  t = AnalizzaEspressione("k1+(k2+k3)", MODO_FUNZIONE);
  RiscriviAlbero(t);
  EXPECT_EQ(AlberoInTesto(t.get()), "k3+(k1+k2)");
  t = AnalizzaEspressione("(k1*k2)*k3", MODO_FUNZIONE);
  RiscriviAlbero(t);
  EXPECT_EQ(AlberoInTesto(t.get()), "k1*k2*k3");
  t = AnalizzaEspressione("(x^2)^3", MODO_FUNZIONE);
  RiscriviAlbero(t);
  EXPECT_EQ(AlberoInTesto(t.get()), "(x^6)");
}

// The derivative agrees with difference quotients over a generated corpus.
TEST_F(Derivate, ConfrontoConIRapportiIncrementali) {
  std::mt19937 gen(99);
  const IndiceFunzione derivabili[] = {F_SIN, F_COS, F_EXP, F_LN, F_SQRT, F_ARCTAN, F_SINH, F_COSH, F_TANH,
                                       F_ABS, F_SQR, F_MENO, F_TAN, F_ARCSINH, F_LOG, F_ARCSIN, F_ARCCOS};
  std::function<PNodo(int)> genera = [&](int p) -> PNodo {
    const int s = p <= 0 ? static_cast<int>(gen() % 2) : static_cast<int>(gen() % 7);
    if (s == 0) return NuovoNodoIdentificatore("x");
    if (s == 1) return NuovoNodoNumero(static_cast<Reale>(gen() % 7) / 2 + 0.5L);
    if (s == 6) return Chiamata(derivabili[gen() % std::size(derivabili)], genera(p - 1));
    static const TipoNodo ops[] = {N_PIU, N_MENO, N_PER, N_DIVISO, N_POTENZA};
    const TipoNodo op = ops[s - 2 + (gen() % 2)];
    if (op == N_POTENZA && gen() % 2) return CombinaNodi(genera(p - 1), op, NuovoNodoNumero(gen() % 4 + 1));
    return CombinaNodi(genera(p - 1), op, genera(p - 1));
  };
  const Reale punti[] = {0.3L, 0.7L, 1.3L, 2.1L};
  int confrontati = 0;
  for (int i = 0; i < 600; ++i) {
    PNodo f = genera(1 + i % 4);
    PNodo d = Derivata(f.get());
    ASSERT_TRUE(d) << AlberoInTesto(f.get());
    for (Reale x : punti) {
      const Reale h = 1e-6L;
      const Reale f1 = ValutaAlbero(f.get(), x + h, 0), f0 = ValutaAlbero(f.get(), x - h, 0);
      const Reale fx = ValutaAlbero(f.get(), x, 0), dx = ValutaAlbero(d.get(), x, 0);
      if (IsValoreErrore(f1) || IsValoreErrore(f0) || IsValoreErrore(fx) || IsValoreErrore(dx)) continue;
      if (std::fabs(fx) > 1e6L || std::fabs(dx) > 1e6L) continue;
      const Reale stima = (f1 - f0) / (2 * h);
      // Abs has a corner at 0 and Sqr/Tan poles: compare only where the quotient is steady.
      const Reale stima2 = (ValutaAlbero(f.get(), x + h / 2, 0) - ValutaAlbero(f.get(), x - h / 2, 0)) / h;
      if (std::fabs(stima - stima2) > 1e-6L * (1 + std::fabs(stima))) continue;
      EXPECT_NEAR(static_cast<double>(dx), static_cast<double>(stima), 1e-5 * (1 + std::fabs(static_cast<double>(stima))))
          << AlberoInTesto(f.get()) << "  d = " << AlberoInTesto(d.get()) << "  x = " << static_cast<double>(x);
      ++confrontati;
    }
  }
  EXPECT_GT(confrontati, 1000);
}

TEST_F(Derivate, AlberiCasualiNonFannoDanni) {
  std::mt19937 gen(5);
  const std::string alfabeto = "x()+-*/^0123456789.sincoexptalnqrbhSC,y";
  for (int i = 0; i < 3000; ++i) {
    std::string t;
    const int n = 1 + static_cast<int>(gen() % 20);
    for (int k = 0; k < n; ++k) t += alfabeto[gen() % alfabeto.size()];
    PNodo f = AnalizzaEspressione(t, MODO_FUNZIONE, false);
    if (!f) continue;
    PNodo d = Derivata(f.get());
    if (d) AnalizzaEspressione(AlberoInTesto(d.get()), MODO_FUNZIONE, false);
  }
  SUCCEED();
}

}  // namespace
}  // namespace qx::test
