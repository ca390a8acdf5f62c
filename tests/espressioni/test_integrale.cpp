#include <cmath>
#include <cctype>

#include "tests/espressioni/Ambiente.h"
#include "values/espressioni/Integrale.h"

namespace qx::test {
namespace {

class Integrali : public AmbienteEspr {
 protected:
  std::string I(const std::string& testo) {
    PNodo t = AnalizzaEspressione(testo, MODO_FUNZIONE);
    if (!t) return "<parse>";
    PNodo r = Integrale(t.get());
    return r ? AlberoInTesto(r.get()) : "<nil>";
  }
};

TEST_F(Integrali, EsempiDeiGruppi) {
  EXPECT_EQ(I("Sin(3*x)"), "-(1/3)*Cos(3*x)");
  EXPECT_EQ(I("1/sqrt(9-x^2)"), "ArcSin(x/3)");
  EXPECT_EQ(I("1/sqrt(5-x^2)"), "ArcSin(x/Sqrt(5))");
  EXPECT_EQ(I("1/sqrt(3^2-x^2)"), "ArcSin(x/3)");
  EXPECT_EQ(I("(1+2*x)^3"), "((1+2*x)^(3+1))/(2*(3+1))");
  EXPECT_EQ(I("x^2"), "(x^(2+1))/(2+1)");
  EXPECT_EQ(I("x^-1"), "Ln(Abs(x))");  // never a quotient by -1+1
  EXPECT_EQ(I("1/x"), "Ln(Abs(x))");
  EXPECT_EQ(I("Sin(-2*x)"), "-(1/-2)*Cos(-2*x)");
  EXPECT_EQ(I("exp(x)"), "Exp(x)");
  EXPECT_EQ(I("2^x"), "(2^x)/Ln(2)");
  EXPECT_EQ(I("x*exp(x)"), "Exp(x)*(x-1)");
  EXPECT_EQ(I("exp(2*x)*sin(3*x)"), "Exp(2*x)/((2^2)+(3^2))*(2*Sin(3*x)-3*Cos(3*x))");
  EXPECT_EQ(I("sin(x)^2"), "x/2-Sin(2*x)/4");
  EXPECT_EQ(I("1/(x^2+4)"), "1/2*ArcTan(x/2)");
  EXPECT_TRUE(finestra.Messaggi.empty());
}

TEST_F(Integrali, SenzaCorrispondenza) {
  for (const char* t : {"2*Sin(x)", "Sin(x)*2", "Sin(x)+Cos(x)", "Sin(x^2)", "x*2"}) EXPECT_EQ(I(t), "<nil>") << t;
  EXPECT_EQ(Integrale(nullptr), nullptr);
  // Parameters bind numbers only; $k writes the variable's value.
  Reale_("K", 4);
  EXPECT_EQ(I("Sin(k*x)"), "<nil>");
  EXPECT_EQ(I("Sin($k*x)"), "-(1/4)*Cos(4*x)");
  // A program variable named a, b or n is never taken for a parameter.
  Reale_("A", 2);
  Reale_("N", 3);
  EXPECT_EQ(I("x^a"), "<nil>");
  EXPECT_EQ(I("Sin(a*x)"), "<nil>");
  EXPECT_EQ(I("n/(1+2*x)"), "<nil>");
}

TEST_F(Integrali, NessunModelloDivideperZeroOPrendeLaRadiceDiUnNegativo) {
  EXPECT_EQ(I("Sin(0*x)"), "<nil>");
  EXPECT_EQ(I("(1+0*x)^3"), "<nil>");
  EXPECT_EQ(I("(1+2*x)^-1"), "<nil>");
  EXPECT_EQ(I("1^x"), "<nil>");
  EXPECT_EQ(I("1/sqrt(-5-x^2)"), "<nil>");
  EXPECT_EQ(I("1/sqrt(0-x^2)"), "<nil>");
  EXPECT_EQ(I("sin(2*x)*sin(2*x)"), "<nil>");
  EXPECT_EQ(I("exp(x)*sinh(1*x)"), "<nil>");
  EXPECT_EQ(I("arcsinh(x/-2)"), "<nil>");
  EXPECT_EQ(I("1/sqrt((-3)^2-x^2)"), "ArcSin(x/3)");
}

TEST_F(Integrali, SostituzioneDeiParametri) {
  std::string s = "$a+$a*$b";
  SostituisciParametro(s, "a", "-2");
  EXPECT_EQ(s, "-2+-2*$b");
  TLegami l;
  l.LegatoA = true;
  l.A = 5;
  l.RadiceA = true;
  l.LegatoN = true;
  l.N = 3;
  EXPECT_EQ(RiempiModello("x/$a+$n", l), "x/sqrt(5)+3");
}

// The integrand of a pattern with chosen constants: a -> A, a2 -> A*A, and so on.
std::string Integranda(const std::string& schema, const std::string& a, const std::string& a2, const std::string& b,
                       const std::string& b2, const std::string& n) {
  std::string out;
  for (std::size_t i = 0; i < schema.size();) {
    if (!std::isalpha(static_cast<unsigned char>(schema[i]))) {
      out += schema[i++];
      continue;
    }
    std::size_t j = i;
    while (j < schema.size() && std::isalnum(static_cast<unsigned char>(schema[j]))) ++j;
    const std::string w = schema.substr(i, j - i);
    out += w == "a" ? "(" + a + ")" : w == "a2" ? a2 : w == "b" ? "(" + b + ")" : w == "b2" ? b2 : w == "n" ? n : w;
    i = j;
  }
  return out;
}

// Checks the whole table: for every pattern, with constants filled in, the antiderivative
// that the table gives differentiates back to the integrand at sample points.
TEST_F(Integrali, AutoverificaDellIntegraTabella) {
  struct Costanti {
    const char *a, *a2, *b, *b2, *n;
    bool tutte;  // every row must give a result with these
  };
  const Costanti insiemi[] = {{"3", "9", "2", "4", "3", true}, {"-2", "5", "0.5", "7", "-3", false}};
  const Reale punti[] = {-5.3L, -3.7L, -2.2L, -1.3L, -0.7L, -0.31L, -0.13L, 0.07L, 0.17L,
                         0.29L, 0.43L, 0.77L, 1.3L,  2.1L,  2.9L,   3.6L,   4.4L,  5.7L};
  int righe = 0;
  for (const auto& c : insiemi) {
    for (const TGruppoIntegrale& g : TabellaIntegrali()) {
      for (const TRigaIntegrale& r : g) {
        // Unparenthesised negative constants would change the pattern's shape.
        const std::string testo = Integranda(r.Schema, c.a, c.a2, c.b, c.b2, c.n);
        PNodo f = AnalizzaEspressione(testo, MODO_FUNZIONE);
        ASSERT_TRUE(f) << testo;
        PNodo F = Integrale(f.get());
        if (!F) {
          EXPECT_FALSE(c.tutte) << "no antiderivative for " << testo << " (" << r.Schema << ")";
          continue;
        }
        const std::string primitiva = AlberoInTesto(F.get());
        EXPECT_EQ(primitiva.find('$'), std::string::npos) << primitiva;
        int verificati = 0;
        for (Reale x : punti) {
          const Reale h = 1e-5L;
          const Reale fx = ValutaAlbero(f.get(), x, 0);
          const Reale Fp = ValutaAlbero(F.get(), x + h, 0), Fm = ValutaAlbero(F.get(), x - h, 0);
          if (IsValoreErrore(fx) || IsValoreErrore(Fp) || IsValoreErrore(Fm) || std::fabs(fx) > 1e4L) continue;
          const Reale stima = (Fp - Fm) / (2 * h);
          EXPECT_NEAR(static_cast<double>(stima), static_cast<double>(fx), 1e-5 * (1 + std::fabs(static_cast<double>(fx))))
              << testo << "  ->  " << primitiva << "  at x = " << static_cast<double>(x);
          ++verificati;
        }
        if (c.tutte) {
          EXPECT_GE(verificati, 2) << testo << "  ->  " << primitiva;
        }
        ++righe;
      }
    }
  }
  EXPECT_GT(righe, 300);
  EXPECT_TRUE(finestra.Messaggi.empty());
}

}  // namespace
}  // namespace qx::test
