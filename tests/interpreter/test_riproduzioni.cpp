// Loops run from the recording of their text must not change what a run does: every program
// here runs twice, once as usual and once reading all of its text, and the two runs must agree
// on everything they show (output, error and its line, message boxes, every variable and
// element to the last bit, message pumps, redraws, the line shown last).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "interpreter/Istruzioni.h"
#include "interpreter/IstruzioniCompilate.h"
#include "runstate/ErrorReport.h"
#include "values/ValoreFunzione.h"
#include "values/VettoriMatrici.h"
#include "tests/interpreter/Riproduzioni.h"

namespace qx {
namespace {

using test::Esegui;
using test::Istantanea;
using test::Prova;

// With a window that takes every message hook, and with one that ignores most of them, as the
// real window does; in a normal run, a fast run with the line highlighted, and the window's own
// fast run, which highlights none.
void Confronta(const std::string& programma, std::uint64_t limite = 0) {
  for (const int ignorati : {0, 5, 60})
    for (const int modo : {0, 1, 2}) {
      SCOPED_TRACE(programma);
      Prova prova;
      prova.veloce = modo != 0;
      prova.evidenzia = modo != 2;
      prova.limite = limite;
      prova.ignorati = ignorati;
      const Istantanea testo = Esegui(programma, false, prova);
      const Istantanea ricordata = Esegui(programma, true, prova);
      EXPECT_EQ(ricordata, testo) << (modo == 0 ? "normal run" : modo == 1 ? "fast run" : "fast run, no highlight")
                                  << ", hooks ignored " << ignorati << " of:\n" << programma;
    }
}

// The window does `azione` at each pump from 1 to `ultimo` (fast and normal runs in turn: fast
// on even pumps when `velociPari`), ignoring `ignorati` hooks after each pump: the recordings
// give what the text gives. `evidenziaVeloce` false: a fast run highlights no line, as the
// window's does.
void ConfrontaAOgniPompaggio(const std::string& programma, const std::function<void()>& azione,
                             std::uint64_t ultimo, int ignorati, bool velociPari, bool evidenziaVeloce = true) {
  for (std::uint64_t al = 1; al <= ultimo; ++al) {
    Prova prova;
    prova.veloce = (al % 2 == 0) == velociPari;
    prova.evidenzia = evidenziaVeloce || !prova.veloce;
    prova.al = al;
    prova.azione = azione;
    prova.ignorati = ignorati;
    const Istantanea testo = Esegui(programma, false, prova);
    const Istantanea ricordata = Esegui(programma, true, prova);
    ASSERT_EQ(ricordata, testo) << "action at pump " << al << ", hooks ignored " << ignorati << " of:\n"
                                << programma;
  }
}

TEST(RiproduzioniTest, LoopsGiveWhatTheirTextGives) {
  const char* const programmi[] = {
      // bounds or counters that change inside the body
      "S = 0;\nPER (I DA 1 A 300) ESEGUI;\n  S = S + I * 2 - 1;\nFINE;",
      "S = 0; N = 6;\nPER (I DA 1 A N) ESEGUI;\n  N = N - 1; S = S + I;\nFINE;",
      "PER (I DA 1 A 20) ESEGUI;\n  I = I + 2;\nFINE;",
      "A = 1; B = 9;\nPER (I DA A A B) ESEGUI;\n  A = A + 1; C = I;\nFINE;",
      "I = 10; S = 0;\nPER (I DA I - 9 A 4) ESEGUI; S = S + I; FINE;",
      "S = 0;\nPER (I DA 5 A 1) ESEGUI; S = S + 1; FINE;",
      "S = 0;\nPER (I DA 1 A 3.5) ESEGUI; S = S + I ^ 2; FINE;",
      "S = 0;\nPER (I DA 1 A 4) ESEGUI;\n  PER (J DA 1 A 3) ESEGUI;\n    S = S + I * J;\n  FINE;\n  T = S;\nFINE;",
      // empty statements, comments, and a header and an expression across lines
      "S = 0;\nPER (I DA 1 A 5) ESEGUI; ; S = S + 1; /* nota */ ; FINE;",
      "S = 0;\nPER (I\n DA 1\n A 4)\nESEGUI;\nS = S +\nI;\nFINE;",
      // divisions, logical values, texts, output, indices, names with "_"
      "PER (I DA 1 A 10) ESEGUI; R = I MOD 3; Q = I DIV 3; H = I / 4; FINE;",
      "B = VERO;\nPER (I DA 1 A 6) ESEGUI; B = !B; C = B E (I > 2); D = (I = 3) O B; FINE;",
      "T = \"\";\nPER (I DA 1 A 4) ESEGUI; T = T || I; FINE;",
      "PER (I DA 1 A 3) ESEGUI; STAMPA(I * 2); FINE;",
      "PER (I DA 1 A 3) ESEGUI; A_I = I * 2; FINE; STAMPA(A_2);",
      "V = VETTORE(5);\nPER (I DA 1 A 5) ESEGUI; V(I) = I * I; FINE; STAMPA(V(4));",
      "I = \"a\"; S = 0;\nPER (I DA 1 A 3) ESEGUI; S = S + I; FINE;",
      "S = 0;\nPER (I DA 1 A 4) ESEGUI;\n  SE I > 2 ALLORA S = S + 10; ALTRIMENTI S = S - 1;\nFINE;",
      // errors in a later pass: the message and its line
      "S = 0;\nPER (I DA -3 A 3) ESEGUI;\n  S = S + 1 / I;\nFINE;",
      "S = 0;\nPER (I DA 1 A 5) ESEGUI;\n  S = S + I;\n  SE I = 4 ALLORA S = \"x\";\nFINE;",
      "PER (I DA 1 A 5) ESEGUI; S = S + I; FINE;",
      "S = 0; PER (I DA 1 A 5) ESEGUI; S = S + I; STOP; FINE; S = 99;",
      // the other loops
      "K = 0;\nESEGUI FINQUANDO (K < 50);\n  K = K + 1; J = K * 2;\nFINE;",
      "X = 0;\nRIPETI 40 VOLTE;\n  X = X + 0.5;\nFINE;",
      "K = 0; S = 0;\nRIPETI 5 VOLTE; PER (I DA 1 A K) ESEGUI; S = S + I; FINE; K = K + 1; FINE;",
  };
  for (const char* p : programmi) Confronta(p);
  // The loops run from their recordings.
  const std::uint64_t prima = detail::gIstruzioniRiprodotte;
  Esegui(programmi[0], true);
  EXPECT_EQ(detail::gIstruzioniRiprodotte - prima, 1u);
}

TEST(RiproduzioniTest, PupilsKindsOfProgramGiveWhatTheirTextGives) {
  const char* const programmi[] = {
      // ESEGUI FINQUANDO with SE ... ALLORA ... ALTRIMENTI
      "K = 0; P = 0; D = 0;\nESEGUI FINQUANDO (K < 30);\n  K = K + 1;\n"
      "  SE K MOD 3 = 0 ALLORA P = P + K; ALTRIMENTI D = D - 1;\nFINE;\nSTAMPA(P, \" \", D);",
      // RIPETI around PER
      "S = 0; N = 0;\nRIPETI 4 VOLTE;\n  N = N + 1;\n  PER (J DA 1 A 5) ESEGUI;\n    S = S + N * J;\n  FINE;\nFINE;",
      // built-in functions of numbers, a negative square root in a later pass
      "S = 0;\nPER (I DA 1 A 30) ESEGUI;\n  S = S + SEN(I) * COS(I / 2) + RADICEQ(I) - VALOREASS(S / 1000) + INT(I / 7);\nFINE;",
      "S = 0;\nPER (I DA 3 A -3) ESEGUI; FINE; PER (I DA 3 A 0 - 3) ESEGUI;\n  S = S + RADICEQ(I);\nFINE;",
      // strings built with || and printed
      "PER (I DA 1 A 12) ESEGUI;\n  T = \"Riga \" || I || \": \" || I * I || \" \" || I / 3;\n  STAMPA(T, \" (fine)\", I > 5);\nFINE;",
      "T = \"\";\nPER (I DA 1 A 5) ESEGUI; T = T || \"ab\"; SE T = \"abab\" ALLORA STAMPA(\"due\"); FINE; STAMPA(T);",
      // vectors and matrices by index, an index out of range in a later pass
      "N = 4; V = VETTORE(N); M = MATRICE(N, N);\nPER (I DA 1 A N) ESEGUI; V(I) = I; FINE;\n"
      "RIPETI 2 VOLTE;\n  PER (I DA 1 A N) ESEGUI;\n    PER (J DA 1 A N) ESEGUI;\n"
      "      M(I, J) = M(I, J) + V(I) * V(J);\n    FINE;\n  FINE;\nFINE;\nSTAMPA(M(N, N));",
      "V = VETTORE(3);\nPER (I DA 1 A 5) ESEGUI;\n  V(I) = I;\nFINE;",
      "V = VETTORE(3);\nPER (I DA 1 A 5) ESEGUI;\n  X = V(I) + 1;\nFINE;",
      "M = MATRICE(2, 2); S = VETTORE_STR(2);\nPER (I DA 1 A 2) ESEGUI; M(I, 3 - I) = I; S(I) = \"s\" || I; FINE;\n"
      "STAMPA(S(2), M(1, 2));",
      // points, segments and circles built and replaced in a loop
      "RIFCART;\nPER (I DA 1 A 6) ESEGUI;\n  P = PUNTO(I MOD 10, I MOD 7);\n  Q = PUNTO(3, I MOD 5);\n"
      "  S = SEGMENTO(P, Q);\n  C = CIRC(P, 1 + I MOD 3);\nFINE;",
      "RIFCART;\nPER (I DA 1 A 4) ESEGUI;\n  PUNTO(I, I);\n  STAMPA(DISTANZA(PUNTO(0, 0), PUNTO(I, 0)));\nFINE;",
      // FUNZIONE values evaluated with VALUTAFUNZ
      "F = FUNZIONE(\"x^2 - 3*x + 1\"); G = FUNZIONE(\"2*x + 5\"); S = 0;\n"
      "PER (I DA 1 A 20) ESEGUI;\n  X = I / 10;\n  S = S + VALUTAFUNZ(F, X) - VALUTAFUNZ(G, X);\nFINE;",
      // the sieve of Eratosthenes on a vector
      "N = 60; V = VETTORE(N); C = 0;\nPER (I DA 2 A N) ESEGUI; V(I) = 1; FINE;\n"
      "PER (I DA 2 A N) ESEGUI;\n  SE V(I) = 1 ALLORA ESEGUI;\n    J = I * I;\n"
      "    ESEGUI FINQUANDO (J <= N);\n      V(J) = 0;\n      J = J + I;\n    FINE;\n  FINE;\nFINE;\n"
      "PER (I DA 2 A N) ESEGUI; C = C + V(I); FINE;\nSTAMPA(C);",
      // blocks, nested SE, a SE as the last statement of a body, constants, PI hidden later
      "S = 0;\nPER (I DA 1 A 6) ESEGUI;\n  ESEGUI; SE I > 3 ALLORA SE I > 4 ALLORA S = S + PI; ALTRIMENTI S = S - 1; FINE;\n"
      "  SE VERO ALLORA S = S + 1;\nFINE;",
      "PER (I DA 1 A 3) ESEGUI; X = PI; SE I = 2 ALLORA PI = 3; FINE;",
      // branches not taken holding commands, element stores, geometry and a procedure
      "RIFCART; P = PUNTO(0, 0); V = VETTORE(2);\nPER (I DA 1 A 4) ESEGUI;\n"
      "  SE I MOD 2 = 0 ALLORA P = PUNTO(I, 1); ALTRIMENTI ESEGUI; Q = PUNTO(1, I); V(1) = I; STAMPA(I); FINE;\n"
      "  S = SEGMENTO(P, PUNTO(0, 1));\nFINE;",
      "K = 0;\nESEGUI FINQUANDO (K < 6);\n  K = K + 1;\n  SE K > 9 ALLORA ESEGUI; X = RADICEQ(K) + Y; Y = X; FINE;\nFINE;",
      // figures under names with "_", and a variable that changes kind from pass to pass
      "RIFCART;\nPER (I DA 1 A 3) ESEGUI;\n  P_I = PUNTO(I, 1);\n  Q = P_I;\n  C = CIRC(Q, I);\nFINE;",
      "RIFCART;\nPER (I DA 1 A 4) ESEGUI;\n  SE I MOD 2 = 0 ALLORA P = PUNTO(I, I); ALTRIMENTI P = I;\n  Q = P;\nFINE;",
      // a loop that never runs its body, and one that ends on its first test
      "K = 5;\nESEGUI FINQUANDO (K < 3); STAMPA(K); FINE;\nRIPETI 0 VOLTE; STAMPA(\"mai\"); FINE;",
  };
  for (const char* p : programmi) Confronta(p);
}

TEST(RiproduzioniTest, ErrorsInsideLoopsAreReportedAtTheSamePlace) {
  const char* const programmi[] = {
      "S = 0;\nPER (I DA 1 A 5) ESEGUI;\n  S = S + \"x\";\nFINE;",
      "PER (I DA 1 A 5) ESEGUI;\n  SE I = \"x\" ALLORA S = 1;\nFINE;",
      "K = 0;\nESEGUI FINQUANDO (K + 1);\n  K = K + 1;\nFINE;",
      "PER (I DA \"a\" A 5) ESEGUI; FINE;",
      "PER (I DA 1 A \"b\") ESEGUI; FINE;",
      "RIPETI \"tre\" VOLTE; FINE;",
      "K = 3;\nPER (I DA 1 A 5) ESEGUI;\n  K = K - 1;\n  X = I DIV K;\nFINE;",
      "PER (I DA 1 A 5) ESEGUI;\n  X = I / 2 MOD 2;\nFINE;",
      "PER (I DA 1 A 5) ESEGUI;\n  X = -\"a\";\nFINE;",
      "PER (I DA 1 A 5) ESEGUI;\n  X = !I;\nFINE;",
      "PER (I DA 1 A 5) ESEGUI;\n  SE I > 2 ALLORA X = NONESISTE(I);\nFINE;",
      "PER (I DA 1 A 5) ESEGUI;\n  X = Y + I;\nFINE;",
      "PER (I DA 1 A 5) ESEGUI;\n  SE I = 5 ALLORA STAMPA(I, VETTORE(2));\nFINE;",
      "V = VETTORE(2);\nPER (I DA 1 A 5) ESEGUI;\n  V = I;\nFINE;",
      "PER (I DA 1 A 5) ESEGUI;\n  Z(I) = 1;\nFINE;",
      "PER (I DA 1 A 4) ESEGUI;\n  X = SEN(\"a\");\nFINE;",
      "F = FUNZIONE(\"x\");\nPER (I DA 1 A 4) ESEGUI;\n  X = VALUTAFUNZ(F, \"a\");\nFINE;",
      "PER (I DA 1 A 4) ESEGUI;\n  X = (I > 2) < VERO;\nFINE;",
      // an expression across lines that fails on its second line
      "PER (I DA 1 A 4) ESEGUI;\n  X = I +\n    \"a\";\nFINE;",
      // a missing ";" or FINE: the text reports it, the loop is never recorded
      "PER (I DA 1 A 4) ESEGUI;\n  X = I\nFINE;",
      "PER (I DA 1 A 4) ESEGUI;\n  X = I;\n",
      "ESEGUI FINQUANDO (VERO) X = 1; FINE;",
      // numeric forms and element readers that hand over to their commands
      "PER (I DA 1 A 4) ESEGUI;\n  X = RADICEQ(2 - I);\nFINE;",
      "V = VETTORE(3);\nPER (I DA 1 A 4) ESEGUI;\n  X = V(I / 2 + 1.9);\nFINE;",
      "M = MATRICE(3, 3);\nPER (I DA 1 A 3) ESEGUI;\n  M(I, I / 2) = I;\nFINE;",
      "V = VETTORE(4);\nPER (I DA 1 A 4) ESEGUI;\n  V(5.5 - I) = V(I) + I;\n  V(I + 0.9) = -I;\nFINE;",
      "V = VETTORE(2);\nPER (I DA 1 A 4) ESEGUI;\n  X = V(\"a\");\nFINE;",
      "V = VETTORE(2);\nPER (I DA 1 A 4) ESEGUI;\n  SE I = 3 ALLORA V = 5; X = V(1);\nFINE;",
  };
  for (const char* p : programmi) Confronta(p);
}

// A number or a logical value given to a command bears the name the text gives it: a variable's
// name, kept through "+", "-", "*", a sign, "!" and parentheses, lost by any other operator and
// by a comparison; a command's numeric result and an element bear theirs. POLT writes a named
// number into its polynomial, CANCELLA deletes the variable its argument is named after.
TEST(RiproduzioniTest, ArgumentsBearTheNamesTheTextGivesThem) {
  const char* const programmi[] = {
      ("F = FUNZIONE(\"x^3 - x\"); X = 2; V = VETTORE(2); V(1) = 3; B = VERO;\n"
       "PER (I DA 1 A 3) ESEGUI;\n"
       "  P1 = POLT(F, X, 1); P2 = POLT(F, X + I, 1); P3 = POLT(F, -X * 2 - I, 1); P4 = POLT(F, (X), 1);\n"
       "  P5 = POLT(F, X / 1, 1); P6 = POLT(F, X MOD 5, 1); P7 = POLT(F, X ^ 1, 1); P8 = POLT(F, V(1), 1);\n"
       "  P9 = POLT(F, SEN(X), 1); P10 = POLT(F, 2 + X, 1); P11 = POLT(F, PI, 1); P12 = POLT(F, (X + 1) * 2, 1);\n"
       "  Y = VALUTAFUNZ(POLT(F, X + 0, 1), I);\n"
       "FINE;"),
      "X = 1; Y = 2; Z = 3; I = 0;\nRIPETI 2 VOLTE;\n  I = I + 1;\n  SE I = 1 ALLORA CANCELLA(X + 0); ALTRIMENTI CANCELLA(Y * 1);\nFINE;",
      "A_1 = 5; A_2 = 6; B = VERO;\nPER (I DA 1 A 2) ESEGUI; CANCELLA((A_I)); FINE; C = VERO;\nRIPETI 1 VOLTE; CANCELLA(!B); FINE;",
      "X = 1; Y = 2;\nRIPETI 2 VOLTE; CANCELLA(X < Y); CANCELLA(X / 1); FINE;",
  };
  for (const char* p : programmi) Confronta(p);
}

// VALUTAFUNZ computes a function at a number without its argument list; every other shape of
// its arguments (a vector of functions, a function undefined there, a number or a string in
// place of the function, a missing or an extra argument, a function made in place) goes to the
// command, which reports what it reports.
TEST(RiproduzioniTest, FunctionValuesGiveWhatTheirTextGives) {
  const char* const programmi[] = {
      ("F = FUNZIONE(\"1/(x-2)\"); G = FUNZIONE(\"Sqrt(x)\"); L = VETTORE_FUNZ(2); S = 0;\n"
       "PER (I DA 0 A 4) ESEGUI;\n"
       "  A = VALUTAFUNZ(F, I); B = VALUTAFUNZ(G, I - 2) + VALUTAFUNZ(FUNZIONE(\"x*3\"), I);\n"
       "  STAMPA(A, \" \", B, \" \", VALUTAFUNZ(F, (I)));\n"
       "FINE;"),
      "F = FUNZIONE(\"x\");\nPER (I DA 1 A 3) ESEGUI; X = VALUTAFUNZ(I, F); FINE;",
      "F = FUNZIONE(\"x\");\nPER (I DA 1 A 3) ESEGUI; X = VALUTAFUNZ(F, I, 2); FINE;",
      "F = FUNZIONE(\"x\");\nPER (I DA 1 A 3) ESEGUI; X = VALUTAFUNZ(F); FINE;",
      "F = \"x\";\nPER (I DA 1 A 3) ESEGUI; X = VALUTAFUNZ(F, I); FINE;",
      "F = FUNZIONE(\"x^2\");\nPER (I DA 1 A 3) ESEGUI; X = VALUTAFUNZ(F, I); F = FUNZIONE(\"x+\" || I); FINE;",
  };
  for (const char* p : programmi) Confronta(p);
}

// Whole numbers divide through 64-bit integers, other numbers the general way: the same
// quotients, remainders and signs of zero, and the same texts.
TEST(RiproduzioniTest, IntegerDivisionsOfEverySignGiveWhatTheTextGives) {
  const char* const programmi[] = {
      ("PER (I DA -6 A 6) ESEGUI;\n  A = I MOD 3; B = I DIV 4; C = (0 - I) MOD 2; D = I DIV -5;\n"
       "  STAMPA(A, \" \", B, \" \", C, \" \", D, \" \", 1 / (A + 0.5));\nFINE;"),
      "X = 1;\nPER (I DA 1 A 40) ESEGUI;\n  X = X * 3 + I;\n  R = X MOD 1000000007; Q = X DIV 7;\nFINE;",
      "PER (I DA 1 A 4) ESEGUI;\n  R = (I * 1.5) MOD 2;\nFINE;",
      "PER (I DA 0 A 3) ESEGUI;\n  R = 7 MOD I;\nFINE;",
      "PER (I DA 1 A 3) ESEGUI;\n  X = I * 1000000000; Y = X * X * X DIV 7;\nFINE;",
      // a variable by a literal: zeros of both signs, fractions, from 2^62 up, a zero divisor
      ("Z = -0; G = 4611686018427387904; F = 4611686018427387903;\nPER (I DA 1 A 2) ESEGUI;\n"
       "  A = Z MOD 3; B = Z DIV 5; D = G DIV 3; E = F MOD 1000; K = I MOD 1; M = (0 - I) MOD 7;\nFINE;"),
      "H = 2.5;\nPER (I DA 1 A 2) ESEGUI;\n  C = H MOD 2;\nFINE;",
      "PER (I DA 1 A 2) ESEGUI;\n  L = I DIV 0.5;\nFINE;",
      "PER (I DA 1 A 3) ESEGUI;\n  A = I MOD 0;\nFINE;",
      "S = \"s\";\nPER (I DA 1 A 3) ESEGUI;\n  A = S MOD 2;\nFINE;",
  };
  for (const char* p : programmi) Confronta(p);
}

// What a window may do at a hook: stop the run, put a string into the variable `nome`, remove
// it, report an error.
std::vector<std::function<void()>> AzioniSu(const std::string& nome) {
  return {
      [] { TerminaEsecuzione(); },
      [nome] {
        cValoreStringa testo("x");
        StoreVariable(true, nome, testo, nullptr);
      },
      [nome] { DatiGlob.ListaVariabili->Elimina(nome); },
      [] { ReportError("dalla finestra", true); },
  };
}

// A chain of one operator, and a relation, have their own routines: operands of every kind
// (strings, logical values, names of no variable, of a command, of a figure, elements,
// commands, parentheses), signs, every operator, divisions by zero, as a statement's value, an
// argument and a relation's side; then a window acting at any hook of such a loop.
TEST(RiproduzioniTest, ChainsOfOneOperatorGiveWhatTheirTextGives) {
  const char* const programmi[] = {
      ("A = 6; B = -4; S = \"s\"; V = VERO; F = FALSO;\nPER (I DA 1 A 3) ESEGUI;\n"
       "  X = A + I; Y = I - B; Z = -A * I; W = 2 / I; Q = I ^ 2; R = A MOD I; D = A DIV I;\n"
       "  L = V E F; O = V O F; T = S || I; U = I || S; K = 1 + 2;\n"
       "  SE A MOD 2 = I - 1 ALLORA STAMPA(X, \" \", Y); ALTRIMENTI STAMPA(SEN(I * 30) + RADICEQ(A / I));\nFINE;"),
      "S = \"s\";\nPER (I DA 1 A 3) ESEGUI; X = S + I; FINE;",
      "V = VERO;\nPER (I DA 1 A 3) ESEGUI; X = -V + I; FINE;",
      "PER (I DA 1 A 3) ESEGUI; X = I + NESSUNO; FINE;",
      "PER (I DA 0 A 3) ESEGUI; X = 5 / I; FINE;",
      "PER (I DA 0 A 3) ESEGUI; X = 5 MOD I; FINE;",
      "PER (I DA 1 A 3) ESEGUI; X = PIGRECO * I; FINE;",
      "RIFCART; P = PUNTO(1, 2);\nPER (I DA 1 A 3) ESEGUI; X = P + I; FINE;",
      "V = VERO; F = FALSO;\nPER (I DA 1 A 3) ESEGUI; X = V + F; FINE;",
      ("S = \"b\"; T = \"a\"; V = VERO; F = FALSO; N = 2;\nPER (I DA 1 A 3) ESEGUI;\n"
       "  A = I < N; B = S > T; C = V = F; D = I <> 2; E = N >= I; G = S <= \"c\"; H = V <> VERO;\nFINE;"),
      "S = \"b\";\nPER (I DA 1 A 3) ESEGUI; X = S = I; FINE;",
      "PER (I DA 1 A 3) ESEGUI; X = NESSUNO < I; FINE;",
      ("W = VETTORE(3); S = 1;\nPER (I DA 1 A 3) ESEGUI;\n  W(I) = S + I; S = S + W(I); X = 2 * SEN(I) - (S + 1) * I;\n"
       "  Y = W(I) / (I - 2); T = W(I) || \"!\"; SE W(I) > S - 3 ALLORA STAMPA(T);\nFINE;"),
  };
  for (const char* p : programmi) Confronta(p);
  const char* const ciclo =
      "A = 2; K = 0;\nESEGUI FINQUANDO (K < 4);\n  K = K + 1; B = A * K - 1;\n"
      "  SE K MOD A = 0 ALLORA A = A + 1;\nFINE;";
  for (const int ignorati : {0, 3})
    for (const auto& azione : AzioniSu("A"))
      ASSERT_NO_FATAL_FAILURE(ConfrontaAOgniPompaggio(ciclo, azione, 40, ignorati, true, false));
}

// Numbers that lie in memory are held as their bytes: the left operand of a chain or relation
// whose right one may call (a name, an element, a literal; of every kind), a literal or a name
// stored into variables and elements of every kind, a counter whose variable changes kind or
// goes away; then a window acting at any hook of such a loop, which may change or remove the
// held variable before the right operand is read.
TEST(RiproduzioniTest, NumbersHeldAsBytesGiveWhatTheirTextGives) {
  const char* const programmi[] = {
      ("V = VETTORE(3); S = VETTORE_STR(3); M = MATRICE(2, 2); B = VERO; N = 2;\nPER (I DA 1 A 3) ESEGUI;\n"
       "  V(I) = I / 3; S(I) = \"s\" || I; X = V(I) + SEN(I); Y = V(I) < N; Z = 4 - V(I) * N;\n"
       "  T = S(I) || V(I); U = B = (I > 1); W = N + V(4 - I); M(1.5, I MOD 2 + 1) = V(I) - N;\nFINE;"),
      "V = VETTORE(2);\nPER (I DA 1 A 3) ESEGUI; X = V(I) + SEN(I); FINE;",
      "B = VERO;\nPER (I DA 1 A 3) ESEGUI; X = B + SEN(I); FINE;",
      "S = \"a\";\nPER (I DA 1 A 3) ESEGUI; X = S < N; N = I; FINE;",
      ("A = \"x\"; B = VERO; RIFCART; P = PUNTO(1, 1); V = VETTORE_STR(2);\nPER (I DA 1 A 3) ESEGUI;\n"
       "  A = 5; B = 0.1; P = 2; Q = A; R = B; SE I = 2 ALLORA ESEGUI; A = \"y\"; B = FALSO; FINE;\nFINE;"),
      "V = VETTORE_STR(2);\nPER (I DA 1 A 2) ESEGUI; V(I) = 3; FINE;",
      "I = \"testo\";\nPER (I DA 1 A 3) ESEGUI; X = I; FINE;",
      "B = VERO;\nPER (I DA B A 3) ESEGUI; X = I; FINE;",
      "PER (I DA 1 A 4) ESEGUI; X = I; SE I = 2 ALLORA CANCELLA(I); FINE;",
      "N = 3;\nPER (I DA 1 A N) ESEGUI; N = \"z\"; FINE;",
  };
  for (const char* p : programmi) Confronta(p);
  const char* const ciclo =
      "A = 2; V = VETTORE(3);\nPER (K DA 1 A 3) ESEGUI;\n  V(K) = 1; B = A - V(K) * K;\n"
      "  SE A + K < V(K) + 9 ALLORA A = A + 1;\nFINE;";
  for (const int ignorati : {0, 3})
    for (const auto& azione : AzioniSu("A"))
      ASSERT_NO_FATAL_FAILURE(ConfrontaAOgniPompaggio(ciclo, azione, 40, ignorati, true, false));
}

// A name with one or two expressions between its parentheses has its own routine: elements,
// numeric forms, value forms, commands given values of other kinds or refusing them, names of
// no variable, a variable named like a command; then a window acting at any hook of such a
// loop, in the window's fast run.
TEST(RiproduzioniTest, NamesOfOneOrTwoArgumentsGiveWhatTheirTextGives) {
  const char* const programmi[] = {
      ("V = VETTORE(3); M = MATRICE(2, 3); F = FUNZIONE(\"x^2\"); S = \"ab\";\nPER (I DA 1 A 3) ESEGUI;\n"
       "  V(I) = SEN(I * 30) + COS(I); M(2, I) = V(I) * RADICEQ(I) - VALOREASS(-I);\n"
       "  X = M(2, I) + VALUTAFUNZ(F, I / 2) + INT(I / 2); T = STR(I) || S;\nFINE;"),
      "PER (I DA -1 A 1) ESEGUI; X = RADICEQ(I); FINE;",
      "S = \"x\";\nPER (I DA 1 A 3) ESEGUI; X = SEN(S); FINE;",
      "PER (I DA 1 A 3) ESEGUI; X = NESSUNO(I) + 1; FINE;",
      "SEN = VETTORE(3);\nPER (I DA 1 A 3) ESEGUI; SEN(I) = I; X = SEN(I) * 2; FINE;",
      "RIFCART;\nPER (I DA 1 A 3) ESEGUI; P = PUNTO(I, 2 * I); X = DISTANZA(P, PUNTO(0, 0)); FINE;",
  };
  for (const char* p : programmi) Confronta(p);
  for (const char* nome : {"V", "F"})
    for (const int ignorati : {0, 4})
      for (const auto& azione : AzioniSu(nome))
        ASSERT_NO_FATAL_FAILURE(ConfrontaAOgniPompaggio(programmi[0], azione, 40, ignorati, true, false));
}

TEST(RiproduzioniTest, ALoopLongerThanItsFirstPassesStaysExact) {
  // Fractions that do not add up exactly: the recorded passes must round as the text does.
  Confronta("S = 0; T = 1;\nPER (I DA 1 A 2000) ESEGUI;\n  S = S + 0.1 * I; T = T * 1.0001 - 0.00001;\nFINE;");
}

// Each time the run waits for a step, the scripted user asks for the next one.
void AlProssimoPasso(test::Esecuzione& run) {
  run.finestra.Quando([] { return DatiGlob.bAttesaPasso; },
                      [&run] {
                        ComandoPassoSuccessivo();
                        AlProssimoPasso(run);
                      });
}

TEST(RiproduzioniTest, StepModeGivesWhatTheTextGives) {
  Prova prova;
  prova.veloce = false;
  prova.prepara = [](test::Esecuzione& run) {
    DatiGlob.bPassoPasso = true;
    AlProssimoPasso(run);
  };
  const char* const programmi[] = {
      "S = 0;\nPER (I DA 1 A 4) ESEGUI;\n  S = S + I;\n  SE S > 3 ALLORA STAMPA(S);\nFINE;\nT = S;",
      "K = 0;\nESEGUI FINQUANDO (K < 3);\n  K = K + 1;\nFINE;\nSTAMPA(K);",
  };
  for (const char* p : programmi) {
    const Istantanea testo = Esegui(p, false, prova);
    const Istantanea ricordata = Esegui(p, true, prova);
    EXPECT_EQ(ricordata, testo) << p;
  }
}

TEST(RiproduzioniTest, WhatTheWindowDoesAtAnyTokenIsSeenWhereTheTextWouldSeeIt) {
  // Every message hook runs where a reading of the text runs it, so whatever the window does
  // at any of them (stop the run, change or remove a variable, even report an error) gives
  // what the text gives: a stop at the hook of a statement's token hands over to the
  // statements' own code reading the text, as the text would go on.
  const char* const programmi[] = {
      "S = 0; B = 1;\nPER (I DA 1 A 6) ESEGUI;\n  S = S + I * B - (3 + 2);\nFINE;",
      "S = 1; K = 0;\nESEGUI FINQUANDO (K < 5);\n  K = K + 1; S = S * 2 + K;\nFINE;",
      "K = 0; B = 0;\nESEGUI FINQUANDO (K < 4);\n  K = K + 1;\n  SE K MOD 2 = 0 ALLORA B = B + K; ALTRIMENTI B = B - 1;\nFINE;",
      ("S = 0; B = 2; V = VETTORE(3);\nRIPETI 2 VOLTE;\n  PER (I DA 1 A 3) ESEGUI;\n    V(I) = V(I) + I * B;\n"
       "    S = SEN(S + B) + V(I);\n  FINE;\nFINE;"),
      "B = 1;\nPER (I DA 1 A 3) ESEGUI;\n  T = \"x\" || I || B;\n  STAMPA(T, B);\nFINE;",
      "F = FUNZIONE(\"2*x\"); B = 1;\nPER (I DA 1 A 3) ESEGUI;\n  B = B + VALUTAFUNZ(F, I);\n  ESEGUI; B = B; FINE;\nFINE;",
      // branches not taken, read with their names, commands and element stores; statement
      // names that alternate, and a procedure after them
      ("V = VETTORE(4); C = 0; B = 1;\nPER (I DA 1 A 4) ESEGUI;\n  SE I MOD 2 = B ALLORA ESEGUI;\n"
       "    J = I * I + SEN(C);\n    V(I) = J - C;\n  FINE; ALTRIMENTI C = C + V(1 + I) + COS(2 * I);\n  STAMPA(C);\nFINE;"),
      // figures stored over figures and over numbers, under a remembered name
      ("RIFCART; B = 1;\nPER (I DA 1 A 3) ESEGUI;\n  P = PUNTO(I, B);\n"
       "  SE I = 2 ALLORA P = B; ALTRIMENTI S = SEGMENTO(P, PUNTO(0, B));\nFINE;"),
  };
  const std::function<void()> azioni[] = {
      [] { TerminaEsecuzione(); },
      [] {
        cValoreStringa testo("x");
        StoreVariable(true, "B", testo, nullptr);
      },
      [] {
        cValoreStringa testo("x");
        StoreVariable(true, "S", testo, nullptr);
      },
      [] { DatiGlob.ListaVariabili->Elimina("B"); },
      [] {
        cValoreFunzione f;
        f.ImpostaFunzione("x-7");
        StoreVariable(true, "F", f, nullptr);
      },
      [] { ReportError("dalla finestra", true); },
  };
  // Also with a window that ignores the hooks between its pumps, which then fall on other tokens.
  for (const int ignorati : {0, 3})
    for (const char* p : programmi)
      for (const auto& azione : azioni)
        ASSERT_NO_FATAL_FAILURE(ConfrontaAOgniPompaggio(p, azione, ignorati ? 30 : 90, ignorati, true));
}

// Element reads and stores in a loop take their cell in place only for indices that truncate
// into range; every other index, kind or count of indices reaches the command or the general
// store, which reports what it reports. Indices on both sides of each bound, halves (which the
// processor rounds to even), values no integer holds, and the wrong kinds.
TEST(RiproduzioniTest, ElementIndicesAtTheirBoundsGiveWhatTheirTextGives) {
  const char* const indici[] = {"0", "0.999999", "1", "1.5", "2.5", "2.7", "3.5", "3.999999", "4",
                                "-0.5", "-1", "-2.5", "10 ^ 30", "-(10 ^ 30)", "2 ^ 63", "K - 0.5",
                                "K + 0.5", "4 - K / 2", "\"a\"", "VERO", "2, 1", "V"};
  std::vector<std::string> programmi;
  for (const char* i : indici) {
    const std::string x = i;
    const std::string prima = "V = VETTORE(3); M = MATRICE(3, 2); S = VETTORE_STR(3);\n"
                              "PER (K DA 1 A 3) ESEGUI; V(K) = K * 1.5; M(K, 1) = -K; M(K, 2) = K / 3; FINE;\n"
                              "PER (K DA 1 A 3) ESEGUI;\n";
    programmi.push_back(prima + "  X = V(" + x + ") + K;\nFINE;");
    programmi.push_back(prima + "  V(" + x + ") = K + 0.25;\nFINE;");
    programmi.push_back(prima + "  X = M(" + x + ", 2) * M(1, " + x + ");\nFINE;");
    programmi.push_back(prima + "  M(K, " + x + ") = K;\n  M(" + x + ", 1) = -K;\nFINE;");
    programmi.push_back(prima + "  S(" + x + ") = \"s\" || K;\n  X = S(" + x + ");\nFINE;");
  }
  for (const std::string& p : programmi) Confronta(p);

  // The bounds themselves, pinned: the last cell below the bound, and the store's message above it.
  {
    test::Esecuzione run;
    const test::Esito e =
        run.Esegui("V = VETTORE(3); V(3) = 7;\nPER (K DA 1 A 2) ESEGUI; X = V(3.999999) + K; FINE;");
    ASSERT_TRUE(e.riuscito) << e.errore;
    const auto* x = static_cast<const cValoreReale*>(run.Valore("X"));
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->Value, 9);
  }
  test::Esecuzione run;
  const test::Esito e = run.Esegui("M = MATRICE(3, 2);\nPER (K DA 1 A 2) ESEGUI;\n  M(K, 3) = 1;\nFINE;");
  EXPECT_FALSE(e.riuscito);
  EXPECT_EQ(e.errore, "Indice non consentito per la Matrice: M");
  EXPECT_EQ(e.riga, 3);
}

// A vector or a matrix replaced, removed or turned into another kind at any hook of a loop that
// reads and writes its elements.
TEST(RiproduzioniTest, AnElementsContainerChangedAtAnyHookIsSeenWhereTheTextWouldSeeIt) {
  const char* const programma =
      "V = VETTORE(3); M = MATRICE(2, 2);\nPER (K DA 1 A 3) ESEGUI;\n  V(K) = V(K) + K;\n"
      "  M(1, K / 2 + 1) = M(2, 1) - V(K);\nFINE;";
  const std::function<void()> azioni[] = {
      [] {
        cValoreReale numero(5);
        StoreVariable(true, "V", numero, nullptr);
      },
      [] {
        cValoreReale numero(2);
        StoreVariable(true, "M", numero, nullptr);
      },
      [] {
        cVettReale corto(1);
        StoreVariable(true, "V", corto, nullptr);
      },
      [] {
        cMatrReale stretta(2, 1);
        StoreVariable(true, "M", stretta, nullptr);
      },
      [] {
        cValoreStringa testo("x");
        StoreVariable(true, "V", testo, nullptr);
      },
      [] { DatiGlob.ListaVariabili->Elimina("M"); },
  };
  for (const auto& azione : azioni) ASSERT_NO_FATAL_FAILURE(ConfrontaAOgniPompaggio(programma, azione, 80, 0, false));
}

// A command that only looks at the function it is given may look at the variable itself
// while the window ignores the hooks up to the call; whatever the window does to the variable
// at the hooks it takes, the command sees what the text's copy holds.
TEST(RiproduzioniTest, AFunctionChangedAtAnyHookIsTheOneTheCommandSees) {
  const char* const programmi[] = {
      "F = FUNZIONE(\"x^2\"); S = 0;\nPER (K DA 1 A 12) ESEGUI;\n  S = S + VALUTAFUNZ(F, K / 2) * 2;\nFINE;",
      ("F = FUNZIONE(\"x\"); G = F; S = 0;\nRIPETI 6 VOLTE;\n  S = VALUTAFUNZ(F, S + 1) - VALUTAFUNZ(G, S);\n"
       "  SE S > 2 ALLORA F = \"testo\";\nFINE;"),
  };
  const std::function<void()> azioni[] = {
      [] {
        cValoreFunzione f;
        f.ImpostaFunzione("x-7");
        StoreVariable(true, "F", f, nullptr);
      },
      [] {
        cValoreStringa testo("x");
        StoreVariable(true, "F", testo, nullptr);
      },
      [] {
        cValoreReale numero(3);
        StoreVariable(true, "F", numero, nullptr);
      },
      [] { DatiGlob.ListaVariabili->Elimina("F"); },
  };
  for (const int ignorati : {2, 3, 7})
    for (const char* p : programmi)
      for (const auto& azione : azioni) ASSERT_NO_FATAL_FAILURE(ConfrontaAOgniPompaggio(p, azione, 25, ignorati, false));
}

// A PER header whose bounds can call no command counts its hooks off at once while the window
// ignores every hook it makes: with windows that ignore a few hooks more or fewer than a header
// makes, so that the window is called before, inside or after a header, whatever it does there
// (stop the run, change or remove the counter or a bound, report an error) gives what the
// text gives.
TEST(RiproduzioniTest, APerHeaderWhoseHooksTheWindowIgnoresGivesWhatTheTextGives) {
  const char* const programmi[] = {
      "S = 0; N = 4;\nPER (I DA 1 A N) ESEGUI;\n  S = S + I;\nFINE;",
      "S = 0; N = 2; V = VETTORE(2); V(2) = 6;\nPER (I DA N - 1 A V(2) - N) ESEGUI; S = S + I * N; FINE;",
      ("S = 0; N = 3;\nRIPETI 2 VOLTE;\n  PER (I DA N - 2 A N) ESEGUI;\n    PER (K DA I A N) ESEGUI; S = S + K; FINE;\n"
       "  FINE;\nFINE;"),
      // a counter the body changes, a bound that is no number, a counter named like a command
      "S = 0; N = 9;\nPER (I DA 1 A N) ESEGUI;\n  I = I + 1; S = S + I;\nFINE;",
      "S = 0; N = 2;\nPER (I DA 1 A N) ESEGUI;\n  S = S + I; SE I = 2 ALLORA N = \"x\";\nFINE;",
      "S = 0; N = 3;\nPER (SEN DA 1 A N) ESEGUI; S = S + 1; FINE;",
  };
  const std::function<void()> azioni[] = {
      [] { TerminaEsecuzione(); },
      [] {
        cValoreStringa testo("x");
        StoreVariable(true, "I", testo, nullptr);
      },
      [] {
        cValoreReale numero(1);
        StoreVariable(true, "N", numero, nullptr);
      },
      [] {
        cValoreReale numero(7);
        StoreVariable(true, "I", numero, nullptr);
      },
      [] { DatiGlob.ListaVariabili->Elimina("I"); },
      [] { ReportError("dalla finestra", true); },
  };
  for (const int ignorati : {4, 7, 8, 11, 15})
    for (const char* p : programmi)
      for (const auto& azione : azioni)
        ASSERT_NO_FATAL_FAILURE(ConfrontaAOgniPompaggio(p, azione, 20, ignorati, true, false));
  for (const char* p : programmi) Confronta(p);
}

TEST(RiproduzioniTest, AStopFromThePumpInsideARecordedLoopEndsTheRunThere) {
  test::Esecuzione run;
  run.finestra.AlPompaggio(3001, [] { TerminaEsecuzione(); });
  const test::Esito e = run.Esegui("S = 0;\nPER (I DA 1 A 100000) ESEGUI;\n  S = S + I;\nFINE;\nT = 1;");
  EXPECT_TRUE(e.riuscito);
  EXPECT_TRUE(DatiGlob.bInterrotto);
  EXPECT_EQ(run.Valore("T"), nullptr);
  // Before the loop: S, =, ;, PER. A pass pumps fourteen times: "(" I DA A ")" ESEGUI, the
  // empty statement ";" after ESEGUI, S = and the names S and I, ";", FINE ";". The 3001st hook
  // is the loop's 2997th = 14 * 214 + 1: the "(" of the 215th pass, before its counter is stored.
  const auto* i = static_cast<const cValoreReale*>(run.Valore("I"));
  ASSERT_NE(i, nullptr);
  EXPECT_EQ(i->Value, 214);
  EXPECT_EQ(run.finestra.Pompaggi, 3001u) << "the text reads nothing more after this stop";
}

}  // namespace
}  // namespace qx
