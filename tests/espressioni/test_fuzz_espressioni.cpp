// The expression engine under random input: the printer and the parser agree on every tree,
// random formula texts parse, print, read back, differentiate and evaluate without harm, and
// symbolic work stays within its budget. The inputs that once ran for minutes stay in the
// regression block.
#include <numbers>
#include <random>

#include "tests/espressioni/Ambiente.h"
#include "tests/support/Fuzz.h"
#include "values/espressioni/Derivata.h"
#include "values/espressioni/LavoroSimbolico.h"
#include "values/espressioni/Semplificatore.h"

namespace qx::test {
namespace {

class FuzzEspressioni : public AmbienteEspr {
 protected:
  void SetUp() override {
    AmbienteEspr::SetUp();
    Reale_("K", 2.5L);
  }

  // A random tree of at most `profondita` levels: the kinds of node that parsing, the
  // operators, the derivative and the simplifier make.
  PNodo Albero(std::mt19937& g, int profondita, bool conUguale) {
    const unsigned scelta = g() % (profondita <= 0 ? 3 : 9);
    switch (scelta) {
      case 0: {
        static const Reale numeri[] = {0,     1,      2,         -3,      0.5L,         -0.1L,
                                       1e-20L, 3e30L, 123456789, -2.25L, VAL_NON_DEFINITA, -1e300L,
                                       std::numbers::pi_v<long double>};
        return NuovoNodoNumero(numeri[g() % std::size(numeri)]);
      }
      case 1: return NuovoNodoIdentificatore(g() % 4 == 0 ? "K" : g() % 2 ? "x" : "y");
      case 2: return NuovoNodoIdentificatore("x");
      case 3:
      case 4: {
        // Int is the last built-in; "-" the first.
        const auto f = static_cast<IndiceFunzione>(g() % NUM_FUNZIONI);
        return Chiamata(f, Albero(g, profondita - 1, false));
      }
      default: {
        static const TipoNodo operatori[] = {N_PIU, N_MENO, N_PER, N_DIVISO, N_POTENZA};
        const TipoNodo op = conUguale && g() % 8 == 0 ? N_UGUALE : operatori[g() % std::size(operatori)];
        PNodo sx = Albero(g, profondita - 1, conUguale);
        return CombinaNodi(std::move(sx), op, Albero(g, profondita - 1, conUguale));
      }
    }
  }

  static bool UgualeDentro(const NodoEspr* n, bool radice) {
    if (!n) return false;
    if (n->Tipo == N_UGUALE && !radice) return true;
    for (int i = 0; i < std::min(n->Arieta, MAX_FIGLI); ++i)
      if (UgualeDentro(n->Figli[i].get(), false)) return true;
    return false;
  }
};

// Printing and reading back: a tree without an equation inside an operation reads back as
// the same tree, and then prints the same text; a tree with one never reads back silently
// as another tree.
TEST_F(FuzzEspressioni, LaStampaSiRileggeComeLoStessoAlbero) {
  const std::uint32_t seme = SemeFuzz(35);
  std::mt19937 g(seme);
  int lette = 0;
  for (int prova = 0; prova < ProveFuzz(4000); ++prova) {
    const PNodo t = Albero(g, 1 + static_cast<int>(g() % 6), true);
    const std::string testo = AlberoInTesto(t.get());
    const PNodo letto = AnalizzaEspressione(testo, MODO_FUNZIONE, false);
    if (!UgualeDentro(t.get(), true)) {
      ASSERT_TRUE(letto) << "seed " << seme << ": " << testo;
      ++lette;
    }
    if (letto) {
      ASSERT_TRUE(AlberiUguali(letto.get(), t.get())) << "seed " << seme << ": " << testo << " read back as "
                                                      << AlberoInTesto(letto.get());
      ASSERT_EQ(AlberoInTesto(letto.get()), testo);
    }
  }
  EXPECT_GT(lette, ProveFuzz(4000) / 2);
  EXPECT_TRUE(finestra.Messaggi.empty());
}

// Random texts: whatever parses prints a text that reads back to itself; its derivative
// and the simplifier's passes stay within the budget; nothing shows a box unasked.
TEST_F(FuzzEspressioni, TestiCasualiSiLeggonoDerivanoESemplificano) {
  const std::uint32_t seme = SemeFuzz(1206);
  std::mt19937 g(seme);
  static const char alfabeto[] = "x+-*/^()=,.0123456789EeyK SinCosTanExpLnSqrtAbs";
  for (int prova = 0; prova < ProveFuzz(3000); ++prova) {
    std::string testo;
    const int n = 1 + static_cast<int>(g() % 40);
    for (int i = 0; i < n; ++i) testo += alfabeto[g() % (sizeof alfabeto - 1)];
    PNodo t = AnalizzaEspressione(testo, MODO_FUNZIONE, false);
    if (!t) continue;
    const std::string stampa = AlberoInTesto(t.get());
    if (!UgualeDentro(t.get(), true)) {
      const PNodo letto = AnalizzaEspressione(stampa, MODO_FUNZIONE, false);
      ASSERT_TRUE(letto && AlberoInTesto(letto.get()) == stampa) << "seed " << seme << ": " << testo;
    }
    (void)ValutaAlbero(t.get(), 0.5L, 1);
    EsitoLavoro esito;
    PNodo d = Derivata(t.get(), &esito);
    ASSERT_NE(esito, EsitoLavoro::Interrotto) << testo;
    if (d) (void)ValutaAlbero(d.get(), 0.5L, 1);
    LavoroSimbolico lavoro;
    lavoro.Esegui([&] {
      for (int i = 0; i < 5; ++i) {
        SemplificaFrazioni(t);
        SemplificaAlbero(t);
      }
    });
    finestra.Messaggi.clear();  // "Derivata non possibile" for the functions without a rule
  }
}

// The Taylor exercises and the nested sines that once ran for minutes and gigabytes: each
// derivative either comes back or ends at the budget, and never takes the process with it.
TEST_F(FuzzEspressioni, RegressioniDelBudget) {
  std::string seni = "x";
  for (int i = 0; i < 300; ++i) seni = "Sin(" + seni + ")";
  struct Caso {
    std::string testo;
    int ordine;
  } casi[] = {{"1/(1+x^2)", 10}, {"Tan(1-x)", 10}, {"Exp(ArcTan(0-x))", 10}, {"Ln(Cos(x))", 10}, {seni, 2}};
  for (const auto& c : casi) {
    PNodo f = AnalizzaEspressione(c.testo, MODO_FUNZIONE, false);
    ASSERT_TRUE(f) << c.testo;
    EsitoLavoro esito = EsitoLavoro::Riuscito;
    int k = 0;
    for (; k < c.ordine && esito == EsitoLavoro::Riuscito; ++k) {
      PNodo d = Derivata(f.get(), &esito);
      if (d) f = std::move(d);
    }
    // Every one of them outgrows the budget before its last order.
    EXPECT_EQ(esito, EsitoLavoro::TroppoGrande) << c.testo;
    EXPECT_LT(k, c.ordine + 1);
  }
  // Low orders still come back whole, and right: (1/(1+x^2))' at 0.5 is -0.64.
  PNodo f = AnalizzaEspressione("1/(1+x^2)", MODO_FUNZIONE, false);
  EsitoLavoro esito;
  PNodo d = Derivata(f.get(), &esito);
  ASSERT_TRUE(d);
  EXPECT_NEAR(static_cast<double>(ValutaAlbero(d.get(), 0.5L, 0)), -0.64, 1e-12);
  EXPECT_TRUE(finestra.Messaggi.empty());
}

// The user's stop ends the work at the next look at the window, and not a work that began
// after it: a stop that was already there when the work began is the caller's business.
TEST_F(FuzzEspressioni, LoStopDellUtenteFermaIlLavoro) {
  PNodo f = AnalizzaEspressione("1/(1+x^2)", MODO_FUNZIONE, false);
  int sguardi = 0;
  finestra.Quando([&] { return ++sguardi == 3; }, [] { DatiGlob.bStop = true; });
  EsitoLavoro esito;
  PNodo d = Derivata(f.get(), &esito);
  for (int k = 0; k < 6 && d; ++k) d = Derivata(d.get(), &esito);
  EXPECT_EQ(esito, EsitoLavoro::Interrotto);
  EXPECT_EQ(d, nullptr);
  EXPECT_EQ(LavoroInCorso(), nullptr);
  // Already stopped at the start: the work runs to its end.
  d = Derivata(f.get(), &esito);
  EXPECT_EQ(esito, EsitoLavoro::Riuscito);
  EXPECT_TRUE(d);
}

}  // namespace
}  // namespace qx::test
