// The built-ins on functions, expressions and fractions, run from program text.
#include <gtest/gtest.h>

#include "tests/support/FunzioneXYFinta.h"
#include "runstate/DatiGlob.h"
#include "tests/support/Esecuzione.h"
#include "values/ValoreFunzione.h"
#include "values/ValoriScalari.h"

namespace qx {
namespace {

using V = std::vector<std::string>;

class ComandiFunzioniTest : public ::testing::Test {
 protected:
  test::Esecuzione run;
  test::Esito Esegui(const std::string& p) { return run.Esegui(p); }
  // "line message" of the first error, "<ok>" for a run without one.
  std::string Errore(const std::string& p) {
    auto e = Esegui(p);
    return e.riuscito ? "<ok>" : std::to_string(e.riga) + " " + e.errore;
  }
  // The text a formula variable holds, prefixed by its kind.
  std::string Formula(const std::string& nome) {
    auto* f = dynamic_cast<cValoreFunzione*>(run.Valore(nome));
    if (!f) return "<none>";
    const char* tipo = f->Tipo == T_FRAZIONE ? "FRAZ " : f->Tipo == T_ESPRESSIONE ? "ESPR " : "FUNZ ";
    return tipo + f->_sFunz;
  }
  Reale Numero(const std::string& nome) {
    auto* v = dynamic_cast<cValoreReale*>(run.Valore(nome));
    return v ? v->Value : -12345;
  }
  // The texts of the message boxes shown, in order.
  V Messaggi() {
    V r;
    for (const auto& m : run.finestra.Messaggi) r.push_back(m.testo);
    return r;
  }
};

TEST_F(ComandiFunzioniTest, FunctionsAndExpressionsFromText) {
  ASSERT_EQ(Errore("F = FUNZIONE(\"2 * x + 1\"); E = ESPRESSIONE(\"1/2+1/3\");"), "<ok>");
  EXPECT_EQ(Formula("F"), "FUNZ 2*x+1");
  EXPECT_EQ(Formula("E"), "ESPR 1/2+1/3");
  EXPECT_EQ(Errore("F = FUNZIONE(3);"), "1 Parametri errati per FUNZIONE");
  EXPECT_EQ(Errore("F = FUNZIONE(\"x\", \"x\");"), "1 Parametri errati per FUNZIONE");
  EXPECT_EQ(Errore("E = ESPRESSIONE;"), "1 Parametri errati per ESPRESSIONE");
  // Names are not numbers: the run's error names the text without blanks, on its line, and
  // the parser shows no box of its own.
  run.finestra.Messaggi.clear();
  auto e = Esegui("STAMPA(0);\nE = ESPRESSIONE(\"x + 1\"); STAMPA(1);");
  EXPECT_TRUE(Messaggi().empty());
  EXPECT_FALSE(e.riuscito);
  EXPECT_EQ(e.errore, "Espressione non corretta: x+1");
  EXPECT_EQ(e.riga, 2);
  EXPECT_EQ(e.output, (V{"> 0"}));
  EXPECT_EQ(run.Valore("E"), nullptr);
}

// A function stored into a variable that already holds one replaces its formula, in a
// loop too; growing it without end meets the budget of symbolic work.
TEST_F(ComandiFunzioniTest, AnAssignmentReplacesTheFormulaAndGrowthEndsAtTheBudget) {
  ASSERT_EQ(Errore("H = FUNZIONE(\"x+1\"); H = H * H; K = FUNZIONE(\"x\");\n"
                   "PER (I DA 1 A 2) ESEGUI; K = K + FUNZIONE(\"1\"); FINE;"),
            "<ok>");
  EXPECT_EQ(Formula("H"), "FUNZ (x+1)*(x+1)");
  EXPECT_EQ(Formula("K"), "FUNZ x+1+1");
  EXPECT_EQ(Errore("F = FUNZIONE(\"x+1/x\");\nRIPETI 60 VOLTE;\n  F = F * F;\nFINE;"),
            "3 Espressione troppo grande per *");
  EXPECT_EQ(Errore("T = POLT(FUNZIONE(\"1/(1+x^2)\"), 0.5, 7);\nT = POLT(FUNZIONE(\"1/(1+x^2)\"), 0.5, 8);"),
            "2 Espressione troppo grande per POLT");
  EXPECT_EQ(Formula("T").substr(0, 28), "FUNZ 0.8+(x-0.5)^1*-0.64+(x-");
}

TEST_F(ComandiFunzioniTest, NotExecutedNothingHappens) {
  auto e = Esegui("SE FALSO ALLORA ESEGUI; F = FUNZIONE(3); G = FRAZIONE(1); X = FZERO(1); FINE; STAMPA(\"ok\");");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(e.output, (V{"> ok"}));
  EXPECT_EQ(run.Valore("F"), nullptr);
}

TEST_F(ComandiFunzioniTest, InputDialogs) {
  run.finestra.Risposte = {"x^2", "3*4", "2/6"};
  ASSERT_EQ(Errore("F = LEGGIFUNZ(\"La tua funzione\"); E = LEGGIESPR; Q = LEGGIFRAZ(\"Frazione\");"), "<ok>");
  EXPECT_EQ(Formula("F"), "FUNZ x^2");
  EXPECT_EQ(Formula("E"), "ESPR 3*4");
  EXPECT_EQ(Formula("Q"), "FRAZ 2/6");
  ASSERT_EQ(run.finestra.Dialoghi.size(), 3u);
  EXPECT_EQ(run.finestra.Dialoghi[0].tipo, "InserisciFunzione");
  EXPECT_EQ(run.finestra.Dialoghi[0].titolo, "La tua funzione");
  EXPECT_EQ(run.finestra.Dialoghi[1].tipo, "InserisciEspressione");
  EXPECT_EQ(run.finestra.Dialoghi[1].titolo, "");
  EXPECT_EQ(run.finestra.Dialoghi[2].tipo, "EditaFrazione");
  EXPECT_EQ(Errore("F = LEGGIFUNZ(1);"), "1 Parametri errati per LEGGIFUNZ");
  EXPECT_EQ(Errore("F = LEGGIESPR(\"a\", \"b\");"), "1 Parametri errati per LEGGIESPR");
  EXPECT_EQ(Errore("F = LEGGIFRAZ(2);"), "1 Parametri errati per LEGGIFRAZ");
}

TEST_F(ComandiFunzioniTest, ACancelledDialogStopsWithoutAMessage) {
  for (const char* p : {"F = LEGGIFUNZ; STAMPA(1);", "E = LEGGIESPR; STAMPA(1);", "Q = LEGGIFRAZ; STAMPA(1);"}) {
    run.finestra.Risposte = {"ANNULLA"};
    run.finestra.Messaggi.clear();
    auto e = Esegui(p);
    EXPECT_FALSE(e.riuscito) << p;
    EXPECT_EQ(e.errore, "") << p;
    EXPECT_TRUE(e.output.empty()) << p;
    EXPECT_TRUE(Messaggi().empty()) << p;
    EXPECT_EQ(run.Valore("F"), nullptr);
  }
}

TEST_F(ComandiFunzioniTest, Fractions) {
  ASSERT_EQ(Errore("A = FRAZIONE(3, 4); B = FRAZIONE(-1.5, 2); C = FRAZ_GENERATRICE(0.5);"
                   "D = FRAZ_GENERATRICE(0.3333, 4); G = FRAZ_GENERATRICE(1.25, 0);"),
            "<ok>");
  EXPECT_EQ(Formula("A"), "FRAZ 3/4");
  EXPECT_EQ(Formula("B"), "FRAZ -1.5/2");
  EXPECT_EQ(Formula("C"), "FRAZ 1/2");
  EXPECT_EQ(Formula("D"), "FRAZ 1/3");
  EXPECT_EQ(Formula("G"), "FRAZ 5/4");
  EXPECT_EQ(Errore("A = FRAZIONE(3);"), "1 Parametri errati per FRAZIONE");
  EXPECT_EQ(Errore("A = FRAZIONE(3, \"4\");"), "1 Parametri errati per FRAZIONE");
  EXPECT_EQ(Errore("A = FRAZIONE(1, 2, 3);"), "1 Parametri errati per FRAZIONE");
  EXPECT_EQ(Errore("A = FRAZ_GENERATRICE;"), "1 Parametri errati per FRAZ_GENERATRICE");
  EXPECT_EQ(Errore("A = FRAZ_GENERATRICE(0.5, 1, 2);"), "1 Parametri errati per FRAZ_GENERATRICE");
  EXPECT_EQ(Errore("A = FRAZ_GENERATRICE(1E-30);"), "1 Valori non corretti per FRAZ_GENERATRICE");
}

TEST_F(ComandiFunzioniTest, FractionOperatorsThroughTheInterpreter) {
  ASSERT_EQ(Errore("A = FRAZIONE(1, 2) + FRAZIONE(1, 3); B = FRAZIONE(3, 4) * 2; C = FRAZIONE(2, 3) ^ 2;"
                   "D = FRAZIONE(1, 2) - FRAZIONE(1, 2); E = 1 / FRAZIONE(2, 5); L = FRAZIONE(1, 3) < FRAZIONE(1, 2);"
                   "STAMPA(FRAZIONE(1, 4) = FRAZIONE(2, 8));"),
            "<ok>");
  EXPECT_EQ(run.Testo("A"), "5/6");
  EXPECT_EQ(run.Testo("B"), "3/2");
  EXPECT_EQ(run.Testo("C"), "4/9");
  EXPECT_EQ(run.Testo("D"), "0/1") << "a fraction that folds to a whole number stays a fraction";
  EXPECT_EQ(run.Testo("E"), "5/2");
  EXPECT_EQ(run.Testo("L"), "VERO");
  EXPECT_EQ(run.finestra.Output, (V{"> VERO"}));

  // One round of the two passes left these as -1*1/2, which NUM and DEN could not read.
  run.finestra.Output.clear();
  ASSERT_EQ(Errore("A = 0 - FRAZIONE(1, 2); B = FRAZIONE(0, 9) - FRAZIONE(8, 5);"
                   "C = FRAZIONE(1, 2) - FRAZIONE(1, 2) - FRAZIONE(1, 3); STAMPA(A.NUM, \" \", A.DEN, \" \", C.NUM);"),
            "<ok>");
  EXPECT_EQ(run.Testo("A"), "-1/2");
  EXPECT_EQ(run.Testo("B"), "-8/5");
  EXPECT_EQ(run.Testo("C"), "-1/3");
  EXPECT_EQ(run.finestra.Output, (V{"> -1 2 -1"}));
}

TEST_F(ComandiFunzioniTest, FunctionOperatorsThroughTheInterpreter) {
  ASSERT_EQ(Errore("F = FUNZIONE(\"x^2\"); G = FUNZIONE(\"2*x\"); S = F + G; P = F * G; Y = VALUTAFUNZ(S, 3);"), "<ok>");
  EXPECT_EQ(run.Testo("S"), "(x^2)+2*x");
  EXPECT_EQ(Numero("Y"), 15);
  EXPECT_EQ(Errore("F = FUNZIONE(\"x\"); Q = FRAZIONE(1, 2); R = F * \"a\";"), "1 Tipi non moltiplicabili");
  // A division by zero folds into the undefined constant, which no text can hold: the
  // pupil is told why, not "Espressione non corretta: ???".
  EXPECT_EQ(Errore("F = FUNZIONE(\"x\") / FUNZIONE(\"0\");"), "1 Divisione per zero");
  EXPECT_EQ(Errore("A = FRAZIONE(1, 3) / 0;"), "1 Divisione per zero");
  EXPECT_EQ(Errore("F = FUNZIONE(\"0/0\") + FUNZIONE(\"1\");"), "1 Divisione per zero");
}

TEST_F(ComandiFunzioniTest, ExactValueOfAnExpression) {
  ASSERT_EQ(Errore("E = ESPRESSIONE(\"1/2+1/3\"); A = CALCOLAESPR(E); B = CALCOLAESPR(ESPRESSIONE(\"2+3\"));"
                   "C = CALCOLAESPR(ESPRESSIONE(\"(1/2)^2*8-1/3\"));"),
            "<ok>");
  EXPECT_EQ(Formula("A"), "FRAZ 5/6");
  EXPECT_EQ(Formula("B"), "FRAZ 5/1") << "a whole number is the fraction n/1";
  EXPECT_EQ(Formula("C"), "FRAZ 5/3");
  EXPECT_EQ(Formula("E"), "ESPR 1/2+1/3") << "the argument is left as it was";
  EXPECT_EQ(Errore("A = CALCOLAESPR(FUNZIONE(\"x\"));"), "1 Parametri errati per CALCOLAESPR");
  EXPECT_EQ(Errore("A = CALCOLAESPR;"), "1 Parametri errati per CALCOLAESPR");
  EXPECT_EQ(Errore("A = CALCOLAESPR(ESPRESSIONE(\"1/0+1\"));"),
            "1 Impossibile calcolare l'espressione come frazione: CALCOLAESPR");
}

TEST_F(ComandiFunzioniTest, CommonDenominatorDerivativeAndPrimitive) {
  ASSERT_EQ(Errore("F = FUNZIONE(\"1/x+1/2\"); C = COMDENOFUNZ(F); D = DERIVATAFUNZ(FUNZIONE(\"x^3\"));"
                   "P = PRIMITIVA(FUNZIONE(\"Cos(x)\"));"),
            "<ok>");
  EXPECT_EQ(run.Testo("C"), "(1*2+1*x)/(x*2)");
  EXPECT_EQ(run.Testo("D"), "3*(x^2)");
  EXPECT_EQ(run.Testo("P"), "sin(x)");
  // The derivative's own box is the one message of the failure, with errors on display.
  run.finestra.Messaggi.clear();
  DatiGlob.bMostraErrori = true;
  EXPECT_EQ(Errore("STAMPA(0);\nD = DERIVATAFUNZ(FUNZIONE(\"Int(x)\"));\nSTAMPA(1);"), "2 Derivata non possibile");
  EXPECT_TRUE(DatiGlob.bStop);
  EXPECT_TRUE(DatiGlob.bErroreMostrato);
  EXPECT_TRUE(DatiGlob.bMostraErrori);
  EXPECT_EQ(Messaggi(), (V{"Derivata non possibile"}));
  EXPECT_EQ(run.finestra.Output, (V{"> 0"}));
  EXPECT_EQ(run.Valore("D"), nullptr);
  // Other errors are still shown as ever.
  run.finestra.Messaggi.clear();
  EXPECT_EQ(Errore("D = DERIVATAFUNZ(3);"), "1 Parametri errati per DERIVATAFUNZ");
  EXPECT_EQ(Messaggi(), (V{"Parametri errati per DERIVATAFUNZ"}));
  DatiGlob.bMostraErrori = false;
  EXPECT_EQ(Errore("P = PRIMITIVA(FUNZIONE(\"Sin(Cos(Ln(x)))\"));"), "1 Primitiva non trovata");
  for (const char* nome : {"COMDENOFUNZ", "DERIVATAFUNZ", "PRIMITIVA"}) {
    EXPECT_EQ(Errore(std::string("X = ") + nome + "(FRAZIONE(1, 2));"), std::string("1 Parametri errati per ") + nome);
    EXPECT_EQ(Errore(std::string("X = ") + nome + ";"), std::string("1 Parametri errati per ") + nome);
  }
}

TEST_F(ComandiFunzioniTest, ValueAtAPoint) {
  ASSERT_EQ(Errore("F = FUNZIONE(\"x^2-1\"); A = VALUTAFUNZ(F, 3); B = VALUTAVETTORE_FUNZ(F, -2);"
                   "C = VALUTAFUNZ(FUNZIONE(\"Ln(x)\"), 0);"),
            "<ok>");
  EXPECT_EQ(Numero("A"), 8);
  EXPECT_EQ(Numero("B"), 3);
  EXPECT_EQ(run.Testo("C"), "Non definita");
  EXPECT_EQ(Errore("A = VALUTAFUNZ(FUNZIONE(\"x\"));"), "1 Parametri errati per VALUTAFUNZ");
  EXPECT_EQ(Errore("A = VALUTAFUNZ(3, 3);"), "1 Parametri errati per VALUTAFUNZ");
  EXPECT_EQ(Errore("A = VALUTAVETTORE_FUNZ(FUNZIONE(\"x\"), 1, 2);"), "1 Parametri errati per VALUTAVETTORE_FUNZ");
}

TEST_F(ComandiFunzioniTest, ValueOfAFunctionOfXAndYAtAPoint) {
  run.ambiente.InizializzaAmbiente();
  auto g = std::make_unique<test::cFunzioneXYFinta>();
  ASSERT_TRUE(g->ImpostaFunzione("x*y+1"));
  g->Nome = "G";
  run.ambiente.Variabili().Aggiungi(std::make_unique<cVariabile>("G", std::move(g)));
  ASSERT_TRUE(run.ambiente.EseguiComando({"A = VALUTAFUNZ(G, 2, 3); B = VALUTAVETTORE_FUNZ(G, -1, 4);"}))
      << DatiGlob.MessaggioErrore;
  EXPECT_EQ(Numero("A"), 7);
  EXPECT_EQ(Numero("B"), -3);
  for (const char* p : {"A = VALUTAFUNZ(G, 2);", "A = VALUTAFUNZ(G, 2, 3, 4);", "A = VALUTAFUNZ(G, 2, \"y\");"}) {
    EXPECT_FALSE(run.ambiente.EseguiComando({p})) << p;
    EXPECT_EQ(DatiGlob.MessaggioErrore, "Parametri errati per VALUTAFUNZ") << p;
  }
  EXPECT_FALSE(run.ambiente.EseguiComando({"A = VALUTAFUNZ(FUNZIONE(\"x\"), 2, 3);"}));
  EXPECT_EQ(DatiGlob.MessaggioErrore, "Parametri errati per VALUTAFUNZ") << "a function of x takes one number";
}

TEST_F(ComandiFunzioniTest, SumsAndProducts) {
  ASSERT_EQ(Errore("S = SOMMATORIA(\"k\", 1, 3, \"[k]*x^[k]\"); P = PRODUTTORIA(\"k\", 1, 3, 2, \"(x-[k])\");"
                   "B = SOMMATORIA(\"k\", 1, 2, \"[k+1]\"); N = SOMMATORIA(\"k\", -3, 3, \"[k]\");"
                   "U = SOMMATORIA(\"k\", 4, 4, \"x^[k]\"); I = SOMMATORIA(\"k\", 1, 3, \"[2*k]\", 99);"
                   "T = SOMMATORIA(\"n\", 1.9, 2.9, \"[n/2]\");"),
            "<ok>");
  EXPECT_EQ(Formula("S"), "FUNZ 1*x^1+2*x^2+3*x^3");
  EXPECT_EQ(Formula("P"), "FUNZ (x-1)*(x-3)");
  EXPECT_EQ(Formula("B"), "FUNZ 2+3");
  EXPECT_EQ(Formula("N"), "FUNZ -3+-2+-1+0+1+2+3");
  EXPECT_EQ(Formula("U"), "FUNZ x^4");
  EXPECT_EQ(Formula("I"), "FUNZ 2+4+6") << "arguments after the template are not looked at";
  EXPECT_EQ(Formula("T"), "FUNZ 0+1") << "bounds truncated, bracket values truncated";
  EXPECT_EQ(Errore("S = SOMMATORIA(\"k\", 3, 1, \"x\");"), "1 SOMMATORIA: errore nella funzione")
      << "to < from gives no term, and an empty text is no function";
  EXPECT_EQ(Errore("S = PRODUTTORIA(\"k\", 1, 2, \"[k+]\");"), "1 PRODUTTORIA: errore nella funzione");
  EXPECT_TRUE(Messaggi().size() <= 1u) << "bracket parses speak no box";
  EXPECT_EQ(Errore("S = SOMMATORIA(\"k\", 1, 3);"), "1 Parametri errati per SOMMATORIA");
  EXPECT_EQ(Errore("S = SOMMATORIA(1, 1, 3, \"x\");"), "1 Parametri errati per SOMMATORIA");
  EXPECT_EQ(Errore("S = PRODUTTORIA(\"k\", 1, 3, 2, 5);"), "1 Parametri errati per PRODUTTORIA");

  // A sum is as deep as its terms are many: past what can be evaluated it is refused at
  // once, whatever the range (10^9 terms used to fill the memory), and so is a typed one.
  ASSERT_EQ(Errore("S = SOMMATORIA(\"k\", 1, 4000, \"1/[k]^2\"); Y = VALUTAFUNZ(S, 0);"), "<ok>");
  EXPECT_NEAR(static_cast<double>(Numero("Y")), 1.644684, 1e-6);
  EXPECT_EQ(Errore("S = SOMMATORIA(\"k\", 1, 6000, \"1/[k]^2\");"), "1 Espressione troppo grande per SOMMATORIA");
  EXPECT_EQ(Errore("P = PRODUTTORIA(\"k\", 1, 1000000000, \"x\");"), "1 Espressione troppo grande per PRODUTTORIA");
  std::string lunga = "x";
  for (int i = 0; i < 6000; ++i) lunga += "+x";
  EXPECT_EQ(Errore("F = FUNZIONE(\"" + lunga + "\");"), "1 Espressione troppo grande per FUNZIONE");
  // Too deep to derive is too large, not without a derivative.
  run.finestra.Messaggi.clear();
  EXPECT_EQ(Errore("D = DERIVATAFUNZ(SOMMATORIA(\"k\", 1, 1001, \"x\"));"),
            "1 Espressione troppo grande per DERIVATAFUNZ");
  EXPECT_TRUE(run.finestra.Messaggi.empty());
}

TEST_F(ComandiFunzioniTest, TaylorPolynomial) {
  ASSERT_EQ(Errore("E = POLT(FUNZIONE(\"Exp(x)\"), 0, 3); Z = POLT(FUNZIONE(\"x^2\"), -1, 0);"
                   "X0 = 2; Q = POLT(FUNZIONE(\"x^3\"), X0, 4); Y = VALUTAFUNZ(E, 1);"),
            "<ok>");
  EXPECT_EQ(Formula("E"), "FUNZ 1+(x-0)^1*1+(x-0)^2*0.5+(x-0)^3*0.166666666666667");
  EXPECT_EQ(Formula("Z"), "FUNZ 1");
  EXPECT_EQ(Formula("Q"), "FUNZ 8+(x-X0)^1*12+(x-X0)^2*6+(x-X0)^3*1+(x-X0)^4*0");
  EXPECT_NEAR(static_cast<double>(Numero("Y")), 2.66666666666667, 1e-12);
  // The order that has no derivative ends the polynomial; so does one without a value.
  ASSERT_EQ(Errore("P = POLT(FUNZIONE(\"x+Int(x)\"), 0.5, 3); R = POLT(FUNZIONE(\"x*Sqrt(x)\"), 0, 3);"), "<ok>");
  EXPECT_EQ(Formula("P"), "FUNZ 0.5");
  EXPECT_EQ(Formula("R"), "FUNZ 0");
  EXPECT_EQ(Errore("P = POLT(FUNZIONE(\"Ln(x)\"), 0, 2);"), "1 Parametri errati per POLT");
  EXPECT_EQ(Errore("P = POLT(FUNZIONE(\"x\"), 0);"), "1 Parametri errati per POLT");
  EXPECT_EQ(Errore("P = POLT(FUNZIONE(\"x\"), 0, 1, 2);"), "1 Parametri errati per POLT");
}

TEST_F(ComandiFunzioniTest, RombergIntegral) {
  ASSERT_EQ(Errore("S = INTEGRALE(FUNZIONE(\"Sin(x)\"), 0, 0.9, 1E-12); Q = INTEGRALE(FUNZIONE(\"x^2\"), 0, 3, 1E-6);"
                   "STAMPA(S);"),
            "<ok>");
  EXPECT_EQ(NumeroInTesto(Numero("S")), "0.378390031729333");
  EXPECT_EQ(run.finestra.Output, (V{"> 0.38"}));
  EXPECT_EQ(Numero("Q"), 9);
  EXPECT_EQ(Errore("S = INTEGRALE(FUNZIONE(\"x\"), 0, 3, -1);"),
            "1 Il metodo non converge o la precisione è troppo bassa");
  EXPECT_EQ(Errore("S = INTEGRALE(FUNZIONE(\"x\"), 0, 1);"), "1 Parametri errati per INTEGRALE");
  EXPECT_EQ(Errore("S = INTEGRALE(2, 0, 1, 0.1);"), "1 Parametri errati per INTEGRALE");
}

TEST_F(ComandiFunzioniTest, ZeroByBisection) {
  ASSERT_EQ(Errore("R = FZERO(FUNZIONE(\"x^2-2\"), 0, 2, 1E-12); Z = FZERO(FUNZIONE(\"x\"), -1, 1, 0.001);"
                   "T = FZERO(FUNZIONE(\"x-1\"), 0, 3, 0);"),
            "<ok>");
  EXPECT_NEAR(static_cast<double>(Numero("R")), 1.4142135623731, 1e-11);
  EXPECT_NEAR(static_cast<double>(Numero("Z")), 0, 0.001) << "a zero at the midpoint is a change of sign";
  EXPECT_NEAR(static_cast<double>(Numero("T")), 1, 1e-15) << "eps 0 still ends";
  EXPECT_EQ(Errore("R = FZERO(FUNZIONE(\"x^2+1\"), -1, 1, 0.001);"),
            "1 La funzione non cambia di segno nell'intervallo specificato: FZERO");
  EXPECT_EQ(Errore("R = FZERO(FUNZIONE(\"x\"), -1, 1, 5);"),
            "1 La funzione non cambia di segno nell'intervallo specificato: FZERO")
      << "nothing evaluated when the interval is already within eps";
  EXPECT_EQ(Errore("R = FZERO(FUNZIONE(\"1/x\"), -1, 1, 0.001);"),
            "1 La funzione non è definita nell'intervallo specificato: FZERO")
      << "a pole is not a root";
  EXPECT_EQ(Errore("R = FZERO(FUNZIONE(\"Ln(x)\"), -1, 3, 0.001);"),
            "1 La funzione non è definita nell'intervallo specificato: FZERO");
  EXPECT_EQ(Errore("R = FZERO(FUNZIONE(\"x\"), -1, 1);"), "1 Parametri errati per FZERO");
}

}  // namespace
}  // namespace qx
