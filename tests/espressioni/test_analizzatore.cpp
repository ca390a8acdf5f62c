#include <random>

#include "tests/espressioni/Ambiente.h"
#include "values/espressioni/Integrale.h"
#include "values/espressioni/Semplificatore.h"

namespace qx::test {
namespace {

class Analizzatore : public AmbienteEspr {};

TEST_F(Analizzatore, OgniMessaggioNominaIlTestoSenzaSpazi) {
  struct Caso {
    const char* testo;
    int modo;
    const char* messaggio;
  };
  const Caso casi[] = {
      {"", MODO_FUNZIONE, "Espressione non corretta: "},
      {"-x", MODO_FUNZIONE, "Espressione non corretta: -x"},
      {"x + 1", MODO_FRAZIONE, "Espressione non corretta: x+1"},
      {"x", MODO_ESPRESSIONE, "Espressione non corretta: x"},
      {"1.2.3", MODO_FUNZIONE, "Espressione non corretta: 1.2.3"},
      {"x+1)", MODO_FUNZIONE, "Espressione errata :x+1)"},
      {"1,2", MODO_FUNZIONE, "Espressione errata :1,2"},
      {"sin(x", MODO_FUNZIONE, "Espressione incompleta: sin(x"},
      {"2*", MODO_FUNZIONE, "Espressione incompleta: 2*"},
      {"()", MODO_FUNZIONE, "Espressione incompleta: ()"},
      {"(", MODO_FUNZIONE, "Espressione incompleta: ("},
      {"sin()", MODO_FUNZIONE, "Espressione incompleta: sin()"},
      {"( )", MODO_ESPRESSIONE, "Espressione incompleta: ()"},
  };
  for (const Caso& c : casi) {
    finestra.Messaggi.clear();
    EXPECT_FALSE(AnalizzaEspressione(c.testo, c.modo)) << c.testo;
    ASSERT_EQ(finestra.Messaggi.size(), 1u) << c.testo;
    EXPECT_EQ(finestra.Messaggi[0].testo, c.messaggio);
    EXPECT_EQ(finestra.Messaggi[0].tipo, TTipoMessaggio::Errore);
  }
  // Without messages the same failures are silent.
  finestra.Messaggi.clear();
  EXPECT_FALSE(AnalizzaEspressione("x+1)", MODO_FUNZIONE, false));
  EXPECT_TRUE(finestra.Messaggi.empty());
}

TEST_F(Analizzatore, PrecedenzeEAssociativita) {
  EXPECT_EQ(Valore("2^3^2"), 512);
  EXPECT_EQ(Valore("2-3-4"), -5);
  EXPECT_EQ(Valore("8/4/2"), 1);
  EXPECT_EQ(Valore("2+3*4^2"), 50);
  EXPECT_EQ(Valore("x*-3", 2), -6);
  EXPECT_EQ(Valore("-(x+1)", 2), -3);
  EXPECT_EQ(Valore("1.5E-3*1000"), 1.5L);
  EXPECT_EQ(Stampa("(x+1"), "x+1");
  EXPECT_EQ(Stampa("2x"), "x");  // a juxtaposed operand starts again
  EXPECT_EQ(Stampa("x+1 qq"), "x+1");  // an unknown name ends the text quietly
  EXPECT_EQ(Stampa("1/3", MODO_FRAZIONE), "1/3");
  EXPECT_TRUE(finestra.Messaggi.empty());
}

TEST_F(Analizzatore, NomiDiFunzioniECostanti) {
  PNodo a = AnalizzaEspressione("sin(x)", MODO_FUNZIONE);
  PNodo b = AnalizzaEspressione("SIN(X)", MODO_FUNZIONE);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->Tipo, N_CHIAMATA);
  EXPECT_EQ(a->Nome, "Sin");
  EXPECT_EQ(a->Funzione, F_SIN);
  EXPECT_EQ(a->Sx()->Nome, "x");
  EXPECT_EQ(AlberoInTesto(a.get()), AlberoInTesto(b.get()));
  PNodo p = AnalizzaEspressione("PI", MODO_FUNZIONE);
  EXPECT_EQ(p->Valore, std::numbers::pi_v<long double>);
  PNodo y = AnalizzaEspressione("Y", MODO_FUNZIONE);
  EXPECT_EQ(y->Nome, "y");
  EXPECT_EQ(Stampa("arccosec(x)+cotanh(x)"), "ArcCosec(x)+Cotanh(x)");
  // Pattern parameters exist only in pattern mode.
  EXPECT_EQ(Stampa("a"), "<nil>");
  {
    ModoSchemaAttivo modo;
    EXPECT_EQ(Stampa("a2-(b2*x^2)"), "a2-b2*(x^2)");
  }
}

TEST_F(Analizzatore, VariabiliDelProgramma) {
  Reale_("K", 5);
  Reale_("LUNGHEZZA_TOTALE", 2);
  auto v = std::make_unique<cVariabileVettReale>("V", 3);
  variabili.Aggiungi(std::move(v));
  variabili.Aggiungi(std::make_unique<cVariabileMatrReale>("M", 2, 3));
  PNodo k = AnalizzaEspressione("k*x", MODO_FUNZIONE);
  ASSERT_TRUE(k);
  EXPECT_EQ(k->Sx()->Tipo, N_IDENTIFICATORE);
  EXPECT_EQ(k->Sx()->Nome, "k");
  PNodo congelato = AnalizzaEspressione("$k*x", MODO_FUNZIONE);
  EXPECT_TRUE(congelato->Sx()->ENumero(5));
  // Names are kept whole, not cut to eight characters.
  PNodo lungo = AnalizzaEspressione("lunghezza_totale+1", MODO_FUNZIONE);
  EXPECT_EQ(lungo->Sx()->Nome, "lunghezza_totale");
  EXPECT_EQ(ValutaAlbero(lungo.get(), 0, 0), 3);
  PNodo m = AnalizzaEspressione("m(2,3)", MODO_FUNZIONE);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->Nome, "M");
  EXPECT_EQ(m->Arieta, 2);
  EXPECT_EQ(Stampa("v(1)+1"), "V(1)+1");
  // Calls keep at most five arguments: the last five.
  EXPECT_EQ(Stampa("sin(1,2,3,4,5,6,7)"), "Sin(3,4,5,6,7)");
}

// Random and mutated texts never crash or hang the parser; every tree that comes out
// survives the other walks.
TEST_F(Analizzatore, FuzzTestiCasualiEMutati) {
  Reale_("K", 2);
  variabili.Aggiungi(std::make_unique<cVariabileVettReale>("V", 2));
  std::mt19937 gen(20261206);
  const std::string alfabeto = "x y 0123456789.,()+-*/^=$eEkvKsinSINcotqrpa_";
  const std::vector<std::string> semi = {"2*Sin(x)^2+$k", "(1+2*x)^3", "1/sqrt(9-x^2)", "x^x", "-(x)*v(1)",
                                         "exp(-3*x)*cos(2*x)", "ln(abs(x))/x", "1e5*x-2.5E-3"};
  std::uniform_int_distribution<int> lettera(0, static_cast<int>(alfabeto.size()) - 1);
  for (int i = 0; i < 6000; ++i) {
    std::string t;
    if (i % 2 == 0) {
      const int n = std::uniform_int_distribution<int>(0, 24)(gen);
      for (int k = 0; k < n; ++k) t += alfabeto[lettera(gen)];
    } else {
      t = semi[i % semi.size()];
      const int mutazioni = std::uniform_int_distribution<int>(1, 4)(gen);
      for (int k = 0; k < mutazioni && !t.empty(); ++k) {
        const std::size_t pos = std::uniform_int_distribution<std::size_t>(0, t.size() - 1)(gen);
        switch (gen() % 3) {
          case 0: t.erase(pos, 1); break;
          case 1: t.insert(pos, 1, alfabeto[lettera(gen)]); break;
          default: t[pos] = alfabeto[lettera(gen)]; break;
        }
      }
    }
    PNodo albero = AnalizzaEspressione(t, static_cast<int>(i % 3) + 1);
    if (!albero) continue;
    const std::string stampato = AlberoInTesto(albero.get());
    Reale r = 0;
    ValutaAlbero(albero.get(), r, 0.5L, 0.25L);
    PNodo copia = CopiaAlbero(albero.get());
    EXPECT_EQ(AlberoInTesto(copia.get()), stampato) << t;
    SemplificaFrazioni(copia);
    SemplificaAlbero(copia);
    AlberoInTesto(copia.get());
    Integrale(albero.get());
  }
}

// Every text that ever crashed or hung: they must keep giving a message or a tree.
TEST_F(Analizzatore, RegressioniDiTestiCheFallivano) {
  const char* testi[] = {"()", "(", "sin()", ")", ",", "((", "-", "$", "sin(,)", "x^", "^x", "=", "(,)", "1e",
                         "e", "-.", "..", "x(2)", "sin(x,", "-(", "Tan(1e15)"};
  for (const char* t : testi) {
    PNodo albero = AnalizzaEspressione(t, MODO_FUNZIONE);
    if (albero) {
      Reale r = 0;
      ValutaAlbero(albero.get(), r, 1, 1);
    }
  }
  SUCCEED();
}

TEST_F(Analizzatore, AlberiProfondiSiLiberanoECopianoSenzaRicorsione) {
  std::string t;
  for (int i = 0; i < 200000; ++i) t += "-(";
  t += "x";
  t += std::string(200000, ')');
  PNodo albero = AnalizzaEspressione(t, MODO_FUNZIONE);
  ASSERT_TRUE(albero);
  EXPECT_EQ(ProfonditaAlbero(albero.get()), 200001);
  PNodo copia = CopiaAlbero(albero.get());
  EXPECT_EQ(ProfonditaAlbero(copia.get()), 200001);
  LiberaAlbero(copia);
  EXPECT_FALSE(copia);
}

}  // namespace
}  // namespace qx::test
