#include <cmath>
#include <numbers>

#include "tests/espressioni/Ambiente.h"
#include "values/ValoreFunzione.h"
#include "values/espressioni/VariabileFunzione.h"

namespace qx::test {
namespace {

constexpr Reale PI = std::numbers::pi_v<long double>;

class Valutatore : public AmbienteEspr {};

TEST_F(Valutatore, DivisioneEPotenzaDannoIValoriDiErrore) {
  EXPECT_EQ(Valore("1/0"), VAL_DIVISIONE_ZERO);
  EXPECT_EQ(Valore("0/0"), VAL_INDETERMINATA);
  EXPECT_EQ(Valore("1e-11/1e-12"), VAL_INDETERMINATA);
  EXPECT_EQ(Valore("(x-2)^0.5", 1), VAL_TENDE_INFINITO);
  EXPECT_EQ(Valore("0^0"), VAL_INDETERMINATA);
  EXPECT_EQ(Valore("(0-2)^0"), 1);  // a negative base to the power 0 is 1
  EXPECT_EQ(Valore("x^0", -2), 1);
  EXPECT_EQ(Valore("(0-2)^3"), -8);
  // Error values pass through every operator unchanged.
  EXPECT_EQ(Valore("Ln(x)+1", 0), VAL_NON_DEFINITA);
  EXPECT_EQ(Valore("2*Sqrt(x)-5", -1), VAL_NON_DEFINITA);
  EXPECT_EQ(Valore("Sin(1/x)", 0), VAL_DIVISIONE_ZERO);
  // Results that leave the reals become the error values.
  EXPECT_EQ(Valore("1e4000*1e4000"), VAL_TENDE_INFINITO);
  EXPECT_EQ(Valore("Exp(9999)*Exp(9999)"), VAL_TENDE_INFINITO);
}

TEST_F(Valutatore, FunzioniIncorporateNeiPuntiScelti) {
  struct Caso {
    const char* testo;
    Reale x, atteso;
  };
  const Reale tol = 1e-15L;
  const Caso casi[] = {
      {"-(x)", 2, -2},          {"Sin(x)", PI / 6, 0.5L},          {"Cos(x)", PI / 3, 0.5L},
      {"Tan(x)", 0, 0},         {"Tan(x)", PI / 4, 1},             {"ArcSin(x)", 1, PI / 2},
      {"ArcSin(x)", -1, -PI / 2}, {"ArcSin(x)", 0.5L, PI / 6},      {"ArcSin(x)", 1.5L, VAL_NON_DEFINITA},
      {"ArcCos(x)", 5e-12L, PI / 2}, {"ArcCos(x)", -1, PI},         {"ArcCos(x)", 0.5L, PI / 3},
      {"ArcCos(x)", 2, VAL_NON_DEFINITA}, {"ArcTan(x)", 1, PI / 4}, {"Exp(x)", 1, std::exp(1.0L)},
      {"Exp(x)", 10000, VAL_TENDE_INFINITO}, {"Exp(x)", -10000, 0}, {"Ln(x)", 0, VAL_NON_DEFINITA},
      {"Ln(x)", std::exp(2.0L), 2}, {"Log(x)", 1000, 3},            {"Log(x)", -1, VAL_NON_DEFINITA},
      {"Sqr(x)", -3, 9},        {"Sqrt(x)", -1, VAL_NON_DEFINITA},  {"Sqrt(x)", 16, 4},
      {"Abs(x)", -2.5L, 2.5L},  {"Int(x)", -2.7L, -2},              {"Int(x)", 2.7L, 2},
      {"Sinh(x)", 0, 0},        {"Cosh(x)", 0, 1},                  {"Tanh(x)", 0, 0},
      {"ArcSinh(x)", 0, 0},     {"ArcCosh(x)", 1, 0},               {"ArcCosh(x)", 0.5L, VAL_NON_DEFINITA},
      {"ArcTanh(x)", 0, 0},     {"ArcTanh(x)", 1, VAL_NON_DEFINITA}, {"Sec(x)", 0, 1},
      {"Sec(x)", PI, -1},       {"Cosec(x)", 0, VAL_NON_DEFINITA},  {"Cosec(x)", PI / 2, 1},
      {"ArcSec(x)", 0, VAL_NON_DEFINITA}, {"ArcSec(x)", 1, 0},      {"ArcSec(x)", 2, PI / 3},
      {"ArcCosec(x)", 0, VAL_NON_DEFINITA}, {"ArcCosec(x)", 1, PI / 2}, {"ArcCosec(x)", 2, PI / 6},
      {"Cotan(x)", 0, VAL_NON_DEFINITA}, {"Cotan(x)", PI / 2, 0},   {"Cotan(x)", PI / 4, 1},
      {"Cotanh(x)", 0, VAL_NON_DEFINITA}, {"Sech(x)", 0, 1},        {"Cosech(x)", 0, VAL_NON_DEFINITA},
  };
  for (const Caso& c : casi) {
    const Reale v = Valore(c.testo, c.x);
    if (IsValoreErrore(c.atteso))
      EXPECT_EQ(v, c.atteso) << c.testo << " at " << static_cast<double>(c.x);
    else
      EXPECT_NEAR(static_cast<double>(v), static_cast<double>(c.atteso), static_cast<double>(tol))
          << c.testo << " at " << static_cast<double>(c.x);
  }
  EXPECT_NE(Valore("Exp(x)", 9999), VAL_TENDE_INFINITO);
  EXPECT_NEAR(static_cast<double>(Valore("Cotanh(x)", 1)), 1.0 / std::tanh(1.0), 1e-14);
  EXPECT_NEAR(static_cast<double>(Valore("Sech(x)", 1)), 1.0 / std::cosh(1.0), 1e-14);
  EXPECT_NEAR(static_cast<double>(Valore("Cosech(x)", 1)), 1.0 / std::sinh(1.0), 1e-14);
}

TEST_F(Valutatore, TangenteNeiMultipliDiPiMezzi) {
  EXPECT_EQ(Valore("Tan(pi/2)"), VAL_NON_DEFINITA);
  EXPECT_EQ(reali::Tan(3 * PI / 2), VAL_NON_DEFINITA);
  EXPECT_EQ(reali::Tan(-PI / 2), VAL_NON_DEFINITA);
  // 3*pi is a multiple of pi, where the tangent is 0, not an odd multiple of pi/2.
  EXPECT_NE(reali::Tan(3 * PI), VAL_NON_DEFINITA);
  EXPECT_NEAR(static_cast<double>(reali::Tan(3 * PI)), 0, 1e-15);
  // Far arguments are answered at once (the test is closed-form).
  EXPECT_FALSE(IsValoreErrore(reali::Tan(1e15L)));
  EXPECT_FALSE(IsValoreErrore(reali::Tan(1e300L)));
  EXPECT_EQ(reali::Cotan(3 * PI / 2), 1 / VAL_NON_DEFINITA);
}

TEST_F(Valutatore, VariabiliRealiVettoriEMatrici) {
  Reale_("K", 4);
  auto vv = std::make_unique<cVariabileVettReale>("V", 3);
  static_cast<cVettReale*>(vv->GetValore())->Scrivi(2, 7);
  variabili.Aggiungi(std::move(vv));
  auto mm = std::make_unique<cVariabileMatrReale>("M", 2, 2);
  static_cast<cMatrReale*>(mm->GetValore())->Scrivi(2, 1, 9);
  variabili.Aggiungi(std::move(mm));
  PNodo k = AnalizzaEspressione("k*x", MODO_FUNZIONE);
  EXPECT_EQ(ValutaAlbero(k.get(), 2, 0), 8);
  static_cast<cValoreReale*>(variabili.Cerca("K")->GetValore())->Value = 5;
  EXPECT_EQ(ValutaAlbero(k.get(), 2, 0), 10);  // read again at every evaluation
  EXPECT_EQ(Valore("v(2.9)"), 7);              // the index is cut toward zero
  EXPECT_EQ(Valore("m(2,1)+x", 1), 10);
  EXPECT_EQ(Valore("x+y", 1, 2), 3);
  EXPECT_EQ(DatiGlob.MessaggioErrore, "");
}

TEST_F(Valutatore, IndiceErratoDaNonDefinitaEUnaSolaSegnalazione) {
  DatiGlob.bMostraErrori = true;
  variabili.Aggiungi(std::make_unique<cVariabileVettReale>("V", 3));
  PNodo t = AnalizzaEspressione("v(x)+1", MODO_FUNZIONE);
  ASSERT_TRUE(t);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(ValutaAlbero(t.get(), 5, 0), VAL_NON_DEFINITA);
  EXPECT_EQ(TestiMessaggi(), std::vector<std::string>{"Indici non validi per referenziare il vettore: V"});
  EXPECT_TRUE(DatiGlob.bStop);
}

TEST_F(Valutatore, VariabileEliminataDaNonDefinitaEUnaSolaSegnalazione) {
  DatiGlob.bMostraErrori = true;
  Reale_("K", 4);
  PNodo t = AnalizzaEspressione("k*x", MODO_FUNZIONE);
  variabili.Elimina("K");
  for (int i = 0; i < 100; ++i) EXPECT_EQ(ValutaAlbero(t.get(), i, 0), VAL_NON_DEFINITA);
  EXPECT_EQ(TestiMessaggi(), std::vector<std::string>{"errore k"});
  // With no variable table at all the name is just as unknown.
  DatiGlob.ListaVariabili = nullptr;
  EXPECT_EQ(ValutaAlbero(t.get(), 1, 0), VAL_NON_DEFINITA);
}

TEST_F(Valutatore, FunzioneCheRichiamaSeStessaNonTraboccaLaPila) {
  DatiGlob.bMostraErrori = true;
  auto var = std::make_unique<cVariabileFunzione>("F", T_FUNZIONE);
  auto* f = static_cast<cValoreFunzione*>(var->GetValore());
  variabili.Aggiungi(std::move(var));
  ASSERT_TRUE(f->ImpostaFunzione("x+1"));
  // G calls F: an ordinary composition.
  cValoreFunzione g;
  ASSERT_TRUE(g.ImpostaFunzione("2*f(x)"));
  EXPECT_EQ(g.Valuta(3), 8);
  // Now F calls itself.
  ASSERT_TRUE(f->ImpostaFunzione("f(x)+1"));
  EXPECT_EQ(f->Valuta(1), VAL_NON_DEFINITA);
  EXPECT_EQ(g.Valuta(1), VAL_NON_DEFINITA);
  EXPECT_EQ(TestiMessaggi(), std::vector<std::string>{"errore F"});
}

TEST_F(Valutatore, AlberoTroppoProfondoDaNonDefinita) {
  std::string t;
  for (int i = 0; i < 3 * LIMITE_PROFONDITA; ++i) t += "Abs(";
  t += "x" + std::string(3 * LIMITE_PROFONDITA, ')');
  PNodo albero = AnalizzaEspressione(t, MODO_FUNZIONE);
  ASSERT_TRUE(albero);
  EXPECT_EQ(ValutaAlbero(albero.get(), 1, 0), VAL_NON_DEFINITA);
  EXPECT_EQ(DatiGlob.MessaggioErrore, "errore Abs");
  // Shallower trees are walked as usual.
  PNodo basso = AnalizzaEspressione("Abs(Abs(Abs(x)))", MODO_FUNZIONE);
  EXPECT_EQ(ValutaAlbero(basso.get(), -2, 0), 2);
}

// The depth of a tree goes on inside the function values it reads, and is back where it was
// after them: two trees that are each within the limit are not when one reads the other.
TEST_F(Valutatore, LaProfonditaProsegueNelleFunzioniLette) {
  DatiGlob.bMostraErrori = true;
  const int meta = LIMITE_PROFONDITA * 3 / 5;
  auto annidata = [&](const std::string& dentro) {
    std::string t;
    for (int i = 0; i < meta; ++i) t += "Abs(";
    return t + dentro + std::string(meta, ')');
  };
  auto var = std::make_unique<cVariabileFunzione>("F", T_FUNZIONE);
  auto* f = static_cast<cValoreFunzione*>(var->GetValore());
  variabili.Aggiungi(std::move(var));
  ASSERT_TRUE(f->ImpostaFunzione(annidata("x")));
  EXPECT_EQ(f->Valuta(-2), 2);
  PNodo g = AnalizzaEspressione(annidata("f(x)"), MODO_FUNZIONE);
  ASSERT_TRUE(g);
  EXPECT_EQ(ValutaAlbero(g.get(), -2, 0), VAL_NON_DEFINITA);
  EXPECT_EQ(TestiMessaggi(), std::vector<std::string>{"errore Abs"});
  EXPECT_EQ(f->Valuta(-3), 3) << "the depth is back to nothing after the read";
}

TEST_F(Valutatore, CostanteIndefinitaEdUguaglianza) {
  PNodo e = AnalizzaEspressione("x+1=3", MODO_FUNZIONE);
  EXPECT_EQ(ValutaAlbero(e.get(), 1, 0), 2);  // "=" gives its left side
  PNodo u = NuovoNodo();
  u->Tipo = N_INDEFINITO;
  EXPECT_EQ(ValutaAlbero(u.get(), 1, 0), VAL_NON_DEFINITA);
  EXPECT_EQ(ValutaAlbero(nullptr, 1, 0), 0);
}

}  // namespace
}  // namespace qx::test
