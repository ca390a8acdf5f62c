// Whole programs run end to end through the scripted window.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>
#include <stdexcept>

#include "interpreter/Dispatch.h"
#include "interpreter/Operatori.h"
#include "runstate/DatiGlob.h"
#include "values/VettoriMatrici.h"
#include "values/figure/ValoreLista.h"
#include "values/figure/ValorePunto.h"
#include "tests/support/Esecuzione.h"

namespace qx {
namespace {

using V = std::vector<std::string>;

class ProgrammiTest : public ::testing::Test {
 protected:
  test::Esecuzione run;
  test::Esito Esegui(const std::string& p) { return run.Esegui(p); }
  // The value of one expression, as the object list shows it.
  std::string Valuta(const std::string& espressione) {
    auto e = Esegui("R = " + espressione + ";");
    if (!e.riuscito) return "#" + e.errore;
    return run.Testo("R");
  }
  // The first error message and its line.
  std::string Errore(const std::string& p) {
    auto e = Esegui(p);
    return e.riuscito ? "<ok>" : std::to_string(e.riga) + " " + e.errore;
  }
};

TEST_F(ProgrammiTest, PrecedenceAndAssociativity) {
  EXPECT_EQ(Valuta("2 + 3 * 4"), "14");
  EXPECT_EQ(Valuta("(2 + 3) * 4"), "20");
  EXPECT_EQ(Valuta("2 ^ 3 ^ 2"), "64");
  EXPECT_EQ(Valuta("-2 ^ 2"), "-4");
  EXPECT_EQ(Valuta("5 - 7"), "-2");
  EXPECT_EQ(Valuta("-2"), "-2");
  EXPECT_EQ(Valuta("10 - 2 - 3"), "5");
  EXPECT_EQ(Valuta("12 / 3 / 2"), "2");
  EXPECT_EQ(Valuta("2 * -3"), "#Identificatore non riconosciuto") << "a sign only at the start of a sum";
  EXPECT_EQ(Valuta("+4"), "4");
}

TEST_F(ProgrammiTest, IntegerDivisionAndRemainder) {
  EXPECT_EQ(Valuta("7 DIV 2"), "3");
  EXPECT_EQ(Valuta("7 div 2"), "3");
  EXPECT_EQ(Valuta("-7 MOD 2"), "-1");
  EXPECT_EQ(Valuta("7 mod 2"), "1");
  EXPECT_EQ(Valuta("7 RDIV 2"), "1");
  EXPECT_EQ(Valuta("-7 DIV 2"), "-3");
  EXPECT_EQ(Valuta("7.5 DIV 2"), "#Gli operandi devono essere interi per DIV");
  EXPECT_EQ(Valuta("7.5 MOD 2"), "#Gli operandi devono essere interi");
  EXPECT_EQ(Valuta("1 / 0"), "#Divisione per zero");
  EXPECT_EQ(Valuta("1 DIV 0"), "#Divisione per zero");
  EXPECT_EQ(Valuta("1 MOD 0.00000000001"), "#Divisione per zero") << "zero within the tolerance";
  EXPECT_EQ(Valuta("0.00000000001 / 4"), "0");
  EXPECT_EQ(Valuta("\"a\" DIV 2"), "#Tipi non dividibili");
}

// Whole numbers take a short road through 64-bit integers: the same bits as the general one,
// the sign of a zero included, and no answer where that road would overflow.
TEST(DivisioneIntera, TheShortRoadGivesTheGeneralRoadsBits) {
  const qx::Reale valori[] = {0,     -0.0L, 1,     -1,    2,     -2,    3,           -3,          7,
                              -7,    360,   -360,  1e9L,  -1e9L, 9.1e18L, -9.1e18L, 4611686018427387904.0L,
                              9223372036854775807.0L - 1e6L, -9223372036854775807.0L + 1e6L};
  int corti = 0;
  for (const qx::Reale a : valori)
    for (const qx::Reale b : valori)
      for (const bool resto : {false, true}) {
        qx::Reale r = a;
        if (!qx::DivisioneInteraBreve(r, b, resto)) continue;
        ++corti;
        ASSERT_EQ(qx::ErroreDivisioneIntera(a, b, resto), nullptr);
        const qx::Reale atteso = qx::DivisioneInteraReali(a, b, resto);
        EXPECT_EQ(r, atteso) << static_cast<double>(a) << (resto ? " MOD " : " DIV ") << static_cast<double>(b);
        EXPECT_EQ(std::signbit(r), std::signbit(atteso)) << static_cast<double>(a) << " " << static_cast<double>(b);
      }
  EXPECT_EQ(corti, 2 * 17 * 15) << "every whole pair with a divisor that is not 0";
  qx::Reale r = 7.5L;
  EXPECT_FALSE(qx::DivisioneInteraBreve(r, 2, true));
  EXPECT_EQ(r, 7.5L) << "left alone when the road is not taken";
  r = 9.3e18L;
  EXPECT_FALSE(qx::DivisioneInteraBreve(r, 3, false)) << "beyond the integers' range";
  r = 5;
  EXPECT_FALSE(qx::DivisioneInteraBreve(r, 0, false));
  // The road from the bytes: where it answers, the short road's bits; it declines fractions,
  // subnormals, NaN, the infinities and everything from 2^62 up, and a zero divisor.
  const qx::Reale altri[] = {0.5L, -2.5L, 1e-4950L, std::numeric_limits<qx::Reale>::infinity(),
                             std::numeric_limits<qx::Reale>::quiet_NaN(), 4611686018427387904.0L,
                             4611686018427387903.0L, -4611686018427387903.0L, 3.0000000000000000003L};
  int daByte = 0;
  std::vector<qx::Reale> tutti(std::begin(valori), std::end(valori));
  tutti.insert(tutti.end(), std::begin(altri), std::end(altri));
  for (const qx::Reale a : tutti)
    for (const qx::Reale b : tutti)
      for (const bool resto : {false, true}) {
        qx::Reale esito = 99, breve = a;
        if (!qx::DivisioneInteraDaByte(a, b, resto, esito)) {
          EXPECT_EQ(esito, 99) << "left alone";
          continue;
        }
        ++daByte;
        ASSERT_TRUE(qx::DivisioneInteraBreve(breve, b, resto)) << static_cast<double>(a) << " " << static_cast<double>(b);
        EXPECT_EQ(std::memcmp(&esito, &breve, 10), 0) << static_cast<double>(a) << (resto ? " MOD " : " DIV ")
                                                       << static_cast<double>(b);
      }
  // The whole values below 2^62: 14 of the first list, 2 of the second; divisors not 0.
  EXPECT_EQ(daByte, 2 * 16 * 14);
}

TEST_F(ProgrammiTest, NumberLiteralsAndTheirTexts) {
  auto e = Esegui("STAMPA(1/3); STAMPA(2.50); STAMPA(0^0); STAMPA(10.10, \" \", 7.05); STAMPA(1E-60); STAMPA(1.5e3);");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(e.output, (V{"> 0.33", "> 2.5", "> Indeterminata", "> 10.1 7.05", "> 0", "> 1500"}));
  EXPECT_EQ(Errore("X = 1E51;"), "1 L'esponente è troppo grande");
  EXPECT_EQ(Errore("X = 2.;"), "1 Manca la parte decimale del numero reale");
  EXPECT_EQ(Errore("X = 2E;"), "1 L'esponente non è numerico");
  EXPECT_EQ(Errore("X = 99E50;"), "1 Il valore è troppo grande");
  EXPECT_EQ(Errore("X = 5E50;"), "<ok>");
  EXPECT_EQ(Errore("X = 1" + std::string(52, '0') + ";"), "1 Il valore è troppo grande");
  EXPECT_EQ(Valuta("0.1 + 0.2"), "0.3");
  EXPECT_EQ(Valuta("(-8) ^ (1/3)"), "Tende ad Infinito");
}

TEST_F(ProgrammiTest, ComparisonsAndTheTolerance) {
  EXPECT_EQ(Valuta("1 = 1 + 0.00000000001"), "VERO");
  EXPECT_EQ(Valuta("1 <= 1 - 0.00000000001"), "FALSO") << "order relations compare exactly";
  EXPECT_EQ(Valuta("1 <> 1.5"), "VERO");
  EXPECT_EQ(Valuta("2 >= 2"), "VERO");
  EXPECT_EQ(Valuta("\"AB\" < \"B\""), "VERO");
  EXPECT_EQ(Valuta("\"a\" = \"A\""), "FALSO");
  EXPECT_EQ(Valuta("VERO = VERO"), "VERO");
  EXPECT_EQ(Valuta("VERO < FALSO"), "#Operatore non esatto per comparare valori logici");
  EXPECT_EQ(Valuta("1 = \"1\""), "#I valori non sono confrontabili perchè di tipo diverso");
  EXPECT_EQ(Valuta("VETTORE(1) = VETTORE(1)"), "#I valori non sono confrontabili perchè di tipo diverso");
}

TEST_F(ProgrammiTest, LogicalOperatorsAreWholeWords) {
  EXPECT_EQ(Valuta("VERO E FALSO"), "FALSO");
  EXPECT_EQ(Valuta("VERO AND VERO"), "VERO");
  EXPECT_EQ(Valuta("FALSO O VERO"), "VERO");
  EXPECT_EQ(Valuta("FALSO OR FALSO"), "FALSO");
  EXPECT_EQ(Valuta("FALSO | VERO"), "VERO");
  EXPECT_EQ(Valuta("FALSO oR VERO"), "VERO");
  EXPECT_EQ(Valuta("!VERO"), "FALSO");
  EXPECT_EQ(Valuta("(2 > 1) E (3 > 4)"), "FALSO");
  EXPECT_EQ(Valuta("1 E 2"), "#E' possibile usare l'operatore logico \"E\" solo per valori logici");
  EXPECT_EQ(Valuta("1 O VERO"), "#E' possibile usare l'operatore logico \"O\" solo per valori logici");
  EXPECT_EQ(Valuta("!3"), "#E' possibile negare solo un valore logico");
  EXPECT_EQ(Valuta("-\"x\""), "#E' possibile negare solo un valore numerico");
  // A name that begins with an operator's letters is not an operator.
  EXPECT_EQ(Errore("ORA = 1; X = 2 ORA;"), "1 Si aspetta \";\"");
  EXPECT_EQ(Errore("X = 2 EPS;"), "1 Si aspetta \";\"");
  EXPECT_EQ(Errore("X = VERO or FALSO;"), "1 Si aspetta \";\"") << "the R of OR must be upper case";
  // A digit ends an operator word: a pupil's "N MOD2" got "Si aspetta ;".
  EXPECT_EQ(Valuta("7 MOD2"), "1");
  EXPECT_EQ(Valuta("10 DIV3 + 1"), "4");
  EXPECT_EQ(Errore("N = 7; SE N MOD2 = 1 ALLORA STAMPA(\"dispari\");"), "<ok>");
  EXPECT_EQ(Errore("MOD2 = 1; X = 2 MOD2;"), "<ok>") << "read as 2 MOD 2, the only reading an operand allows";
}

TEST_F(ProgrammiTest, StringsAndConcatenation) {
  EXPECT_EQ(Valuta("\"ab\" || \"cd\""), "abcd");
  EXPECT_EQ(Valuta("2 || \"X\""), "2X");
  EXPECT_EQ(Valuta("\"x\" || 1/4"), "x0.25");
  EXPECT_EQ(Valuta("\"di \"\"lui\"\"\""), "di \"lui\"");
  EXPECT_EQ(Valuta("VERO || \"x\""), "#E' possibile concatenare solo due stringhe");
  EXPECT_EQ(Valuta("\"a\" + \"b\""), "#Tipi non addizionabili");
  EXPECT_EQ(Valuta("\"a\" - 1"), "#Tipi non sottraibili");
  EXPECT_EQ(Valuta("\"a\" * 1"), "#Tipi non moltiplicabili");
  EXPECT_EQ(Valuta("\"a\" ^ 1"), "#Tipi non validi per il tipo di operazione");
  auto e = Esegui("S = \"uno\ndue\";\nSTAMPA(S, \"è\");");
  ASSERT_TRUE(e.riuscito);
  EXPECT_EQ(e.output, V{"> uno dueè"}) << "a string across lines reads the break as one blank";

  // A string doubled in a loop stops at 2^26 characters with a message, in a loop's compiled
  // pass as in a plain one; before, forty doublings filled the memory.
  EXPECT_EQ(Errore("S = \"x\";\nPER (I DA 1 A 26) ESEGUI;\n  S = S || S;\nFINE;\nS = S || \"y\";"),
            "5 Stringa troppo lunga");
  EXPECT_EQ(Errore("S = \"x\";\nPER (I DA 1 A 40) ESEGUI;\n  S = S || S;\nFINE;"), "3 Stringa troppo lunga");
  EXPECT_EQ(run.Testo("I"), "27");
  EXPECT_EQ(Errore("S = \"x\";\nI = 0;\nESEGUI FINQUANDO (I < 40);\n  S = S || S;\n  I = I + 1;\nFINE;"),
            "4 Stringa troppo lunga");
  EXPECT_EQ(run.Testo("I"), "26");
}

// Texts built part by part across the room inside a string, a line's room and beyond, in a
// loop and at once: every part lands once and in order, however the text grows.
TEST_F(ProgrammiTest, TextsBuiltPartByPartKeepEveryPart) {
  auto e = Esegui(
      "T = \"\";\n"
      "PER (I DA 1 A 100) ESEGUI;\n"
      "  T = T || I MOD 10;\n"
      "  SE I MOD 20 = 0 ALLORA STAMPA(T, \"|\", I);\n"
      "FINE;\n"
      "STAMPA(T || \"-\" || T);\n"
      "U = \"abcdefghijklmno\" || 1; STAMPA(U, U);\n");
  ASSERT_TRUE(e.riuscito) << e.errore;
  std::string t;
  V attese;
  for (int i = 1; i <= 100; ++i) {
    t += std::to_string(i % 10);
    if (i % 20 == 0) attese.push_back("> " + t + "|" + std::to_string(i));
  }
  attese.push_back("> " + t + "-" + t);
  attese.push_back("> abcdefghijklmno1abcdefghijklmno1");
  EXPECT_EQ(e.output, attese);
  EXPECT_EQ(static_cast<const cValoreStringa*>(run.Valore("T"))->Value, t);
}

TEST_F(ProgrammiTest, ControlStructures) {
  auto e = Esegui(
      "PER (I DA 1 A 3) ESEGUI;\n"
      "  SE I = 2 ALLORA STAMPA(\"due\"); ALTRIMENTI STAMPA(I);\n"
      "FINE;\n"
      "PER (J DA 5 A 3) ESEGUI; STAMPA(\"mai\"); FINE;\n"
      "RIPETI 2.5 VOLTE; STAMPA(\"r\"); FINE;\n"
      "RIPETI 0 VOLTE; STAMPA(\"mai\"); FINE;\n"
      "K = 0; ESEGUI FINQUANDO (K < 3); K = K + 1; FINE;\n"
      "ESEGUI FINQUANDO (FALSO); STAMPA(\"mai\"); FINE;\n"
      "ESEGUI; STAMPA(\"blocco\"); FINE;\n"
      "SE K = 3 ALLORA ESEGUI; STAMPA(\"a\"); STAMPA(\"b\"); FINE; ALTRIMENTI STAMPA(\"c\");\n"
      "SE FALSO ALLORA STAMPA(\"mai\");\n"
      "STAMPA(\"dopo\");\n");
  ASSERT_TRUE(e.riuscito) << e.errore << " at " << e.riga;
  EXPECT_EQ(e.output, (V{"> 1", "> due", "> 3", "> r", "> r", "> r", "> blocco", "> a", "> b", "> dopo"}));
  EXPECT_EQ(run.Testo("I"), "3");
  EXPECT_EQ(run.Testo("J"), "4") << "start - 1 when the body never ran";
  EXPECT_EQ(run.Testo("K"), "3");
}

TEST_F(ProgrammiTest, NestedLoopsAndBoundsThatChangeInsideTheBody) {
  auto e = Esegui(
      "N = 3; C = 0;\n"
      "PER (I DA 1 A N) ESEGUI;\n"
      "  N = 5;\n"
      "  PER (J DA 1 A I) ESEGUI; C = C + 1; FINE;\n"
      "  I = 100;\n"
      "FINE;\n"
      "R = 0; T = 4; RIPETI T VOLTE; R = R + 1; T = T - 1; FINE;\n");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(run.Testo("I"), "5") << "the end is read again on every pass; the body's changes to I do not count";
  EXPECT_EQ(run.Testo("C"), "15");
  EXPECT_EQ(run.Testo("R"), "2") << "the count is read again on every pass";
}

TEST_F(ProgrammiTest, StopInsideNestedLoopsEndsTheRunSuccessfully) {
  auto e = Esegui(
      "PER (I DA 1 A 10) ESEGUI;\n"
      "  PER (J DA 1 A 10) ESEGUI;\n"
      "    SE I * J = 6 ALLORA STOP;\n"
      "    ULTIMO = I * J;\n"
      "  FINE;\n"
      "FINE;\n"
      "STAMPA(\"mai\");\n");
  EXPECT_TRUE(e.riuscito);
  EXPECT_TRUE(e.output.empty());
  EXPECT_EQ(run.Testo("ULTIMO"), "5");
  EXPECT_TRUE(run.finestra.Messaggi.empty());
  EXPECT_EQ(Errore("STOP(1);"), "1 Non occorrono parametri per STOP");
}

TEST_F(ProgrammiTest, SyntaxMessagesWithTheirLines) {
  EXPECT_EQ(Errore("A = 1;\nB = 2\nC = 3;"), "3 Si aspetta \";\"");
  EXPECT_EQ(Errore("A = (1 + 2;"), "1 Si aspetta \")\"");
  EXPECT_EQ(Errore("A = (1 + 2"), "1 Si aspetta \")\"");
  EXPECT_EQ(Errore("A = 1;\nSE A ALLORA STAMPA(1);"), "2 Si aspetta un'espressione logica");
  EXPECT_EQ(Errore("SE 1 = 1 STAMPA(1);"), "1 Si aspetta \"ALLORA\"");
  EXPECT_EQ(Errore("ESEGUI FINQUANDO VERO; FINE;"), "1 Si aspetta \"(\" per \"ESEGUI FINQUANDO\"");
  EXPECT_EQ(Errore("ESEGUI FINQUANDO (VERO; FINE;"), "1 Si aspetta \")\" per \"ESEGUI FINQUANDO\"");
  EXPECT_EQ(Errore("ESEGUI FINQUANDO (FALSO) FINE;"), "1 Si aspetta \";\" per \"ESEGUI FINQUANDO\"");
  EXPECT_EQ(Errore("ESEGUI FINQUANDO (1); FINE;"), "1 Si aspetta un'espressione logica");
  EXPECT_EQ(Errore("ESEGUI X; FINE;"), "1 Si aspetta \";\" o \"FINQUANDO\"");
  EXPECT_EQ(Errore("ESEGUI; A = 1; FINE\nB = 2;"), "2 Si aspetta \";\"");
  EXPECT_EQ(Errore("PER (I DA 1 A 2) ESEGUI; FINE\nX = 1;"), "2 Si aspetta \";\" per \"FINE\"");
  EXPECT_EQ(Errore("PER I DA 1 A 2) ESEGUI; FINE;"), "0 For errore 2.1");
  EXPECT_EQ(Errore("PER (I DA 1 FINO 2) ESEGUI; FINE;"), "0 For errore 3");
  EXPECT_EQ(Errore("PER (I DA \"a\" A 2) ESEGUI; FINE;"), "0 For errore 2");
  EXPECT_EQ(Errore("PER (I DA 1 A \"b\") ESEGUI; FINE;"), "0 For errore 4");
  EXPECT_EQ(Errore("PER (I DA 1 A 2 ESEGUI; FINE;"), "0 For errore 1.1");
  EXPECT_EQ(Errore("RIPETI \"x\" VOLTE; FINE;"), "0 Errore Ripeti 2");
  EXPECT_EQ(Errore("RIPETI 2 ANCORA; FINE;"), "0 Errore Ripeti 3");
  EXPECT_EQ(Errore("A = 1;\nESEGUI;\n  A = 2;\n"), "3 Si aspetta un costrutto") << "an unterminated block";
  EXPECT_EQ(Errore("A 1;"), "1 Si aspetta \"=\" o \";\"");
  EXPECT_EQ(Errore("ALTRIMENTI A = 2;"), "1 ALTRIMENTI non corrispondente ad un SE");
  EXPECT_EQ(Errore("1 = A;"), "1 Si aspetta un costrutto");
  EXPECT_EQ(Errore("A = ;"), "1 Identificatore non riconosciuto");
  EXPECT_EQ(Errore("STAMPA;"), "1 Si aspetta un parametro per \"STAMPA\"");
  EXPECT_EQ(Errore("STAMPA(VETTORE(2));"), "1 Parametri errati per STAMPA");
  EXPECT_EQ(Errore("A = 1 +"), "1 Si aspetta un termine");
  // An unknown name is blamed on its own line, not on the next statement the reader has
  // reached past blank lines (it stands on the next line once a line's last token is read).
  EXPECT_EQ(Errore("A = 1;\nB = A + ;\n\n\nSTAMPA(B);"), "2 Identificatore non riconosciuto");
  EXPECT_EQ(Errore("A = 1;\nB = ;\n\nSTAMPA(B);"), "2 Identificatore non riconosciuto");
  EXPECT_EQ(Errore("X = PIPPO\n\nSTAMPA(1);"), "1 Identificatore non riconosciuto");
  EXPECT_EQ(Errore("X = 1 +\n\n PIPPO;"), "3 Identificatore non riconosciuto");
  EXPECT_EQ(Errore("PER (I DA 1 A 2) ESEGUI;\n  B = I * PIPPO;\n\n  STAMPA(B);\nFINE;"),
            "2 Identificatore non riconosciuto")
      << "the same in a loop's pass";
  EXPECT_EQ(Errore("PER (I DA 1 A 2) ESEGUI;\n  SE I = 2 ALLORA B = PIPPO\n;\nFINE;"), "2 Identificatore non riconosciuto");
}

TEST_F(ProgrammiTest, UnknownNamesAndNamesThatHideCommands) {
  EXPECT_EQ(Errore("PIPPO;"), "1 Procedura non conosciuta");
  EXPECT_EQ(Errore("X = PIPPO;"), "1 Identificatore non riconosciuto");
  EXPECT_EQ(Errore("DISTANZA(1, 2);"), "1 Procedura non conosciuta") << "a function only";
  EXPECT_EQ(Errore("X = STOP;"), "1 Identificatore non riconosciuto");
  EXPECT_EQ(Errore("X = PI(2);"), "1 Identificatore non riconosciuto") << "a constant takes no arguments";
  EXPECT_EQ(Valuta("PI"), "3.14");
  EXPECT_EQ(Valuta("NEP"), "2.72");
  EXPECT_EQ(Valuta("ORARIO || ANTIORARIO"), "OA");
  EXPECT_EQ(Valuta("SI = VERO"), "VERO");
  EXPECT_EQ(Valuta("TESTO + NUMERO + DATA"), "6");
  auto e = Esegui("PI = 3; X = PI; SEN = VETTORE(2); SEN(2) = 9; Y = SEN(2);");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(run.Testo("X"), "3") << "a variable hides the constant";
  EXPECT_EQ(run.Testo("Y"), "9") << "a variable hides the function";
  auto f = Esegui("SE FALSO ALLORA X = PIPPO(1, 2); ALTRIMENTI X = 1;");
  EXPECT_TRUE(f.riuscito) << "parse-only reading reports no unknown name";
}

TEST_F(ProgrammiTest, StoreRules) {
  auto e = Esegui(
      "A = 1; A = \"testo\";\n"
      "V = VETTORE(3); V(2) = 7; V(3) = V(2) * 2;\n"
      "S = VETTORE_STR(2); S(1) = \"x\";\n"
      "M = MATRICE(2, 3); M(2, 3) = 5;\n"
      "W = VETTORE(2); W = V;\n");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(run.Testo("A"), "testo") << "the variable's kind is replaced";
  EXPECT_EQ(run.Valore("A")->Tipo, T_STRINGA);
  auto* v = static_cast<cVettReale*>(run.Valore("V"));
  EXPECT_EQ(v->Leggi(2), 7);
  EXPECT_EQ(v->Leggi(3), 14);
  EXPECT_EQ(static_cast<cVettStringa*>(run.Valore("S"))->Leggi(1), "x");
  EXPECT_EQ(static_cast<cMatrReale*>(run.Valore("M"))->Leggi(2, 3), 5);
  EXPECT_EQ(static_cast<cVettReale*>(run.Valore("W"))->Count, 3) << "a vector of another size is made anew";

  EXPECT_EQ(Errore("V = VETTORE(3);\nV(4) = 7;"), "2 Indice non consentito per il Vettore: V");
  EXPECT_EQ(Errore("V = VETTORE(3);\nV = 7;"), "2 Assegnamento errato Vettore: V");
  EXPECT_EQ(Errore("V = VETTORE(3);\nV(1, 2) = 7;"), "2 Assegnamento errato Vettore: V");
  EXPECT_EQ(Errore("V = VETTORE(3);\nV(1) = \"a\";"), "2 Tipi non compatibili nell'assegnamento: V");
  EXPECT_EQ(Errore("Z(1) = 5;"), "1 L'oggetto non esiste: Z");
  EXPECT_EQ(Errore("A = 1;\nA(1) = 5;"), "2 L'oggetto non è un Vettore/Matrice: A");
  EXPECT_EQ(Errore("M = MATRICE(2, 2);\nM(3, 1) = 1;"), "2 Indice non consentito per la Matrice: M");
  EXPECT_EQ(Errore("M = MATRICE(2, 2);\nM(1) = 1;"), "2 Assegnamento errato, Matrice: M");
  EXPECT_EQ(Errore("V = VETTORE(3);\nX = V(0);"), "2 Valore di indice non consentito: V");
  EXPECT_EQ(Errore("V = VETTORE(3);\nX = V(4);"), "2 Valore di indice non consentito: V");
  EXPECT_EQ(Errore("V = VETTORE(-1);"), "1 Dimensione non consentita per un vettore: VETTORE");
  EXPECT_EQ(Errore("V = VETTORE(5000);"), "1 Dimensione non consentita per un vettore: VETTORE");
  EXPECT_EQ(Errore("M = MATRICE(70, 72);"), "1 Dimensione non consentita per una matrice: MATRICE");
}

TEST_F(ProgrammiTest, ListElementsAreStoredAndDeleted) {
  auto e = Esegui(
      "L = LISTA; F = FUNZIONE(\"x^2\"); G = FUNZIONE(\"x+1\");\n"
      "L(1) = F; L(2) = G; L(3) = F;\n"
      "CANCELLA(L(1));\n"
      "H = L(1); Y = VALUTAFUNZ(H, 2);\n");
  ASSERT_TRUE(e.riuscito) << e.errore << " at " << e.riga;
  EXPECT_EQ(static_cast<cValoreLista*>(run.Valore("L"))->Count(), 2) << "the element goes, the list stays";
  EXPECT_EQ(run.Testo("Y"), "3");
  EXPECT_EQ(Errore("L = LISTA;\nL(2) = FUNZIONE(\"x\");"), "2 Assegnamento errato Lista: L");
  auto v = Esegui("V = VETTORE_FUNZ(3); V(1) = FUNZIONE(\"x^2\"); V(3) = FUNZIONE(\"2*x\"); W = VALUTAFUNZ(V, 3);");
  ASSERT_TRUE(v.riuscito) << v.errore;
  auto* w = static_cast<cVettReale*>(run.Valore("W"));
  ASSERT_EQ(w->Count, 3);
  EXPECT_EQ(w->Leggi(1), 9);
  EXPECT_EQ(w->Leggi(2), VAL_NON_DEFINITA) << "an empty slot has no value";
  EXPECT_EQ(w->Leggi(3), 6);
  EXPECT_EQ(Errore("L = LISTA;\nL(1) = 5;"), "2 L'oggetto non esiste: L") << "a number is not an element of a list";
  EXPECT_EQ(Errore("L = LISTA;\nCANCELLA(M);"), "2 Identificatore non riconosciuto");
}

TEST_F(ProgrammiTest, IndexedNamesBuildFamiliesOfVariables) {
  auto e = Esegui("PER (I DA 1 A 3) ESEGUI; A_I = I * I; FINE; I = 2; X = A_I;");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(run.Testo("A_1"), "1");
  EXPECT_EQ(run.Testo("A_3"), "9");
  EXPECT_EQ(run.Testo("X"), "4");
}

TEST_F(ProgrammiTest, MatrixAndAngleOperators) {
  auto e = Esegui(
      "A = MATRICE(2, 3); B = MATRICE(3, 2); V = VETTORE(3);\n"
      "PER (I DA 1 A 2) ESEGUI; PER (J DA 1 A 3) ESEGUI; A(I, J) = (I - 1) * 3 + J; B(J, I) = 6 + (J - 1) * 2 + I; FINE; FINE;\n"
      "V(1) = 1; V(2) = 1; V(3) = 1;\n"
      "P = A * B; W = A * V; D = 2 * A; S = A + A;\n");
  ASSERT_TRUE(e.riuscito) << e.errore;
  auto* p = static_cast<cMatrReale*>(run.Valore("P"));
  EXPECT_EQ(p->Leggi(1, 1), 58);
  EXPECT_EQ(p->Leggi(2, 2), 154);
  auto* w = static_cast<cVettReale*>(run.Valore("W"));
  ASSERT_EQ(w->Count, 2);
  EXPECT_EQ(w->Leggi(2), 15);
  EXPECT_EQ(static_cast<cMatrReale*>(run.Valore("D"))->Leggi(2, 3), 12);
  EXPECT_EQ(Errore("A = MATRICE(2, 3); X = A * A;"),
            "1 Prodotto di matrici: il numero di righe della seconda matrice deve essere uguale al numero di colonne della prima");
  EXPECT_EQ(Errore("A = MATRICE(2, 3); B = MATRICE(3, 2); X = A + B;"),
            "1 Non è possibile sommare matrici di diverse dimensioni");
  // Seconds that come within half a second of 60, the bound included, carry a minute.
  EXPECT_EQ(Valuta("MISURAANG(10, 20, 30) + MISURAANG(0, 0, 29.5)"), "10° 21' 0\"");
  EXPECT_EQ(Valuta("MISURAANG(10, 20, 30) + MISURAANG(0, 0, 29.4)"), "10° 20' 59.4\"");
  EXPECT_EQ(Valuta("MISURAANG(10, 0, 0) - MISURAANG(10, 0, 1)"), "#Sottrazione non possibile");
}

TEST_F(ProgrammiTest, StepModeWaitsAfterEachStatementUntilTheNextStep) {
  auto& f = run.finestra;
  DatiGlob.bPassoPasso = true;
  int attese = 0;
  // Each time the run waits for a step, the scripted user asks for the next one.
  std::function<void()> passo = [&] {
    ++attese;
    ComandoPassoSuccessivo();
    f.Quando([] { return DatiGlob.bAttesaPasso; }, passo);
  };
  f.Quando([] { return DatiGlob.bAttesaPasso; }, passo);
  auto e = Esegui("A = 1;\nB = 2;\nSTAMPA(A + B);\nC = 4;");
  EXPECT_TRUE(e.riuscito);
  EXPECT_EQ(attese, 3) << "the last line ends step mode";
  EXPECT_EQ(e.output, V{"> 3"});
  EXPECT_FALSE(DatiGlob.bPassoPasso);
  EXPECT_TRUE(f.Problemi.empty());
}

TEST_F(ProgrammiTest, AStopFromTheUserDuringStepModeEndsWithoutAnError) {
  DatiGlob.bPassoPasso = true;
  run.finestra.Quando([] { return DatiGlob.bAttesaPasso; }, [] { TerminaEsecuzione(); });
  auto e = Esegui("A = 1;\nB = 2;\nC = 3;");
  EXPECT_TRUE(e.riuscito);
  EXPECT_EQ(run.Testo("A"), "1");
  EXPECT_EQ(run.Valore("B"), nullptr);
  EXPECT_TRUE(run.finestra.Messaggi.empty());
}

TEST_F(ProgrammiTest, AStopFromTheScriptedPumpEndsAnEndlessLoop) {
  run.finestra.AlPompaggio(5000, [] { TerminaEsecuzione(); });
  auto e = Esegui("K = 0;\nESEGUI FINQUANDO (VERO);\n  K = K + 1;\nFINE;");
  EXPECT_TRUE(e.riuscito);
  const auto* k = static_cast<cValoreReale*>(run.Valore("K"));
  ASSERT_NE(k, nullptr);
  EXPECT_GT(k->Value, 100);
  EXPECT_TRUE(DatiGlob.bInterrotto);
}

TEST_F(ProgrammiTest, AnExceptionInsideAStatementEndsTheRunNotTheProgram) {
  RegistraIstruzione("CmdClrScr", [](bool, ListaArgomenti&, const std::string&) {
    throw std::runtime_error("guasto");
  });
  auto e = Esegui("A = 1;\nCLRSCR;\nB = 2;");
  EXPECT_FALSE(e.riuscito);
  EXPECT_EQ(e.errore, "Errore non documentato");
  EXPECT_EQ(run.Valore("B"), nullptr);
}

TEST_F(ProgrammiTest, ARunNeverReadsWhatAnEarlierRunRemembered) {
  // The same positions hold other text in the second program: nothing of the first run's
  // reading may be reused, and a loop whose bound changes inside a pass still ends right.
  auto a = Esegui("S = 0;\nPER (I DA 1 A 3) ESEGUI; S = S + 10; FINE;\nSTAMPA(S);");
  auto b = Esegui("S = 0;\nPER (I DA 1 A 4) ESEGUI; S = S + 20; FINE;\nSTAMPA(S);");
  auto c = Esegui("N = 2; S = 0;\nPER (I DA 1 A N) ESEGUI; N = 5; S = S + I; FINE;\nSTAMPA(S);");
  EXPECT_EQ(a.output, V{"> 30"});
  EXPECT_EQ(b.output, V{"> 80"});
  EXPECT_EQ(c.output, V{"> 15"});
}

// Numbers that lie in memory (literals, variables, elements) are copied as their bytes, and an
// index is truncated from its bytes: the same bits in every copy, the same index rules.
TEST_F(ProgrammiTest, NumbersCopiedAsBytesKeepEveryBitAndEveryIndexRule) {
  auto e = Esegui(
      "V = VETTORE(4); W = VETTORE(4); M = MATRICE(2, 2);\n"
      "PER (I DA 1 A 4) ESEGUI; V(I) = I / 3; W(I) = V(I); A = V(I); FINE;\n"
      "PER (I DA 1 A 2) ESEGUI; PER (J DA 1 A 2) ESEGUI; M(I, J) = V(I) - V(J) + 0.1; FINE; FINE;\n"
      "V(2.9) = 7; V(4.999999999) = -0.5; M(2, 1.5) = M(2.5, 1.2) * 10;\n"
      "STAMPA(V(2), \" \", V(4), \" \", M(2, 1), \" \", W(3) = V(3), \" \", A);");
  ASSERT_TRUE(e.riuscito) << e.errore;
  EXPECT_EQ(e.output, V{"> 7 -0.5 4.33 VERO 1.33"});
  const auto& v = static_cast<const cVettReale&>(*run.Valore("V"));
  const auto& w = static_cast<const cVettReale&>(*run.Valore("W"));
  for (int i : {1, 3}) EXPECT_EQ(std::memcmp(v.Cella(i), w.Cella(i), 10), 0) << i;
  EXPECT_EQ(std::memcmp(w.Cella(4), &static_cast<const cValoreReale&>(*run.Valore("A")).Value, 10), 0);
  EXPECT_EQ(*w.Cella(3), 1) << "3 / 3";

  EXPECT_EQ(Errore("V = VETTORE(4);\nX = V(0.999);"), "2 Valore di indice non consentito: V");
  EXPECT_EQ(Errore("V = VETTORE(4);\nV(1E30) = 2;"), "2 Indice non consentito per il Vettore: V");
  EXPECT_EQ(Errore("V = VETTORE(4);\nV(-0) = 2;"), "2 Indice non consentito per il Vettore: V");
  EXPECT_EQ(Errore("M = MATRICE(2, 3);\nM(2, 3.5) = 1;\nM(-0.5, 1) = 2;"),
            "3 Indice non consentito per la Matrice: M");
  EXPECT_EQ(Errore("V = VETTORE(0);\nV(1) = 2;"), "2 Indice non consentito per il Vettore: V");

  // A figure keeps a coordinate as it was given, or 0 below 1e-12; a huge one lands at the
  // frame's last pixel.
  ASSERT_TRUE(Esegui("RIFCART;\nP = PUNTO(0.0000000000009, 0.000000000002);\nQ = PUNTO(5E30, -3);").riuscito);
  const auto& p = static_cast<const cValorePunto&>(*run.Valore("P"));
  const auto& q = static_cast<const cValorePunto&>(*run.Valore("Q"));
  EXPECT_EQ(p.xCart, 0);
  EXPECT_FALSE(std::signbit(p.xCart));
  EXPECT_EQ(p.yCart, 2e-12L);
  EXPECT_EQ(p.Pixel.x, DatiGlob.RifCart->XPixel(0));
  EXPECT_EQ(q.Pixel.x, 1 << 29);
}

TEST_F(ProgrammiTest, CommandBarRunsInTheCurrentEnvironment) {
  Esegui("A = 2;");
  EXPECT_TRUE(run.ambiente.EseguiComando({"B = A * 3;"}));
  EXPECT_EQ(run.Testo("B"), "6");
  EXPECT_FALSE(run.ambiente.EseguiComando({"C = ;"}));
  EXPECT_EQ(DatiGlob.RigaErrore, -1) << "immediate mode records no line";
}

}  // namespace
}  // namespace qx
