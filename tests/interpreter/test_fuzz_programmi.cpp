// Random and mutated programs: every run ends, cleanly or with a message, within a budget
// of tokens, and nothing crashes. Inputs that once misbehaved stay in the regression block.
#include <gtest/gtest.h>

#include <random>

#include "runstate/DatiGlob.h"
#include "tests/support/Esecuzione.h"
#include "tests/support/Fuzz.h"

namespace qx {
namespace {

const char* const kCorpus[] = {
    "A = 2 + 3 * 4; B = A ^ 2 - 1; STAMPA(A, \" \", B);",
    "PER (I DA 1 A 5) ESEGUI; SE I MOD 2 = 0 ALLORA STAMPA(I); ALTRIMENTI STAMPA(\"d\"); FINE;",
    "K = 0; ESEGUI FINQUANDO (K < 4); K = K + 1; FINE; STAMPA(K);",
    "RIPETI 3 VOLTE; X = X + 1; FINE;",
    "V = VETTORE(3); V(1) = 2; V(2) = V(1) * 3; M = MATRICE(2, 2); M(1, 1) = V(2);",
    "S = \"ab\" || 3; T = (1 < 2) E (3 >= 3); U = !T O VERO;",
    "/* commento */ ESEGUI; A = 7 DIV 2; B = 7 MOD 2; FINE;",
    "F = FUNZIONE(\"x^2+1\"); Y = VALUTAFUNZ(F, 2);",
    "A_I = 1; I = 2; A_I = 3; STAMPA(A_2);",
    "P = PUNTO(1, 2); C = CIRC(P, 3); STAMPA(DISTANZA(P, P));",
    "F = FUNZIONE(\"1/(1+x^2)\"); T = POLT(F, 0.5, 4); D = DERIVATAFUNZ(DERIVATAFUNZ(F));",
    "F = FUNZIONE(\"x=2\"); G = F * FUNZIONE(\"x\") + F; H = FRAZIONE(1, 3) / FRAZIONE(2, 7);",
    "COLOREPENNA(0, 0, 32768); SPESSOREPENNA(3E9); STILEPENNA(-2147483649); COLORESFONDO(1E99, -1E99, 0);",
    "RIFCART; L = LANCIO_MONETA(2, 3E9); M = LANCIO_DADI(1E10, 0); I = IMMAGINE(\"/dev/zero\", 0, 0);",
};

std::string Annidati(const std::string& apri, const std::string& centro, const std::string& chiudi, int n) {
  std::string t = centro;
  for (int i = 0; i < n; ++i) t = apri + t + chiudi;
  return t;
}

const char kAlfabeto[] = "AIX0123456789+-*/^()=<>;,.\" !|ESEGUIFINEPERDASEALLORA\nVETTORE";

class FuzzTest : public ::testing::Test {
 protected:
  test::Esecuzione run;

  void Prova(const std::string& programma) {
    run.finestra.Risposte.clear();
    run.finestra.AnnullaSenzaRisposte = true;
    run.finestra.LimiteAttesaMs = 2000;
    // A budget of message pumps (one per token): a program that would loop for ever is
    // stopped as the user would stop it.
    const std::uint64_t limite = run.finestra.Pompaggi + 20000;
    run.finestra.Quando([&, limite] { return run.finestra.Pompaggi >= limite; }, [] { TerminaEsecuzione(); });
    const test::Esito e = run.Esegui(programma);
    ASSERT_TRUE(DatiGlob.bFine || DatiGlob.bStop || e.riuscito) << programma;
    if (!e.riuscito) {
      ASSERT_TRUE(!e.errore.empty() || DatiGlob.bStop) << programma;
    }
    run.finestra.CancellaScript();
  }
};

TEST_F(FuzzTest, RandomTextsEndWithinTheirBudget) {
  std::mt19937 gen(test::SemeFuzz(20261206));
  for (int prova = 0; prova < test::ProveFuzz(1500); ++prova) {
    std::string p;
    const int n = static_cast<int>(gen() % 80);
    for (int i = 0; i < n; ++i) p += kAlfabeto[gen() % (sizeof kAlfabeto - 1)];
    Prova(p);
  }
}

TEST_F(FuzzTest, MutatedProgramsEndWithinTheirBudget) {
  std::mt19937 gen(test::SemeFuzz(42));
  for (int prova = 0; prova < test::ProveFuzz(2000); ++prova) {
    std::string p = kCorpus[gen() % std::size(kCorpus)];
    const int mutazioni = 1 + static_cast<int>(gen() % 4);
    for (int m = 0; m < mutazioni && !p.empty(); ++m) {
      const std::size_t pos = gen() % p.size();
      switch (gen() % 4) {
        case 0: p.erase(pos, 1 + gen() % 4); break;
        case 1: p.insert(pos, 1, kAlfabeto[gen() % (sizeof kAlfabeto - 1)]); break;
        case 2: p[pos] = kAlfabeto[gen() % (sizeof kAlfabeto - 1)]; break;
        default: p.insert(pos, p.substr(gen() % p.size(), 1 + gen() % 12)); break;
      }
    }
    Prova(p);
  }
}

TEST_F(FuzzTest, Regressions) {
  const std::string casi[] = {
      std::string(5000, '('),                             // nesting deeper than the stack allows
      "A = " + std::string(3000, '!') + "VERO;",           // a long chain of negations
      std::string(3000, ' ') + "ESEGUI;" + std::string(1, '\n'),
      "A = \"" + std::string(100, '"'),                     // quotes that never close
      "PER (I DA 1 A 1E50) ESEGUI; FINE;",                 // stopped by the budget
      "X = 1E-99999999999;",                                // an exponent that overflows an int
      "SE SE SE SE ALLORA;",
      "V = VETTORE(1E40);",
      "A = 2 ^ 99999; B = A * A; STAMPA(B - B);",
      // Symbolic work that once ran for minutes and gigabytes.
      "T = POLT(FUNZIONE(\"1/(1+x^2)\"), 0.5, 10);",
      "T = POLT(FUNZIONE(\"Tan(1-x)\"), 0.5, 10);",
      "T = POLT(FUNZIONE(\"Exp(ArcTan(-x))\"), 0.5, 10);",
      "T = POLT(FUNZIONE(\"Exp(ArcTan(0-x))\"), 0.5, 10);",
      "T = POLT(FUNZIONE(\"Ln(Cos(x))\"), 0.5, 10);",
      "F = FUNZIONE(\"" + Annidati("Sin(", "x", ")", 300) + "\"); D = DERIVATAFUNZ(DERIVATAFUNZ(F));",
      "F = FUNZIONE(\"x+1/x\"); RIPETI 40 VOLTE; F = F * F + F / F; FINE;",
      // Values whose text would not read back, texts that do not parse.
      "F = FUNZIONE(\"x=2\"); G = F / FUNZIONE(\"x\");",
      "F = FUNZIONE(\"x +* 2\");",
      // Integers at their edges.
      "COLOREPENNA(0, 0, 32768);",
      "RIFCART; L = LANCIO_MONETA(10, 3E9);",
      "RIFCART; L = LANCIO_DADI(3E9);",
      "RIFCART; S = PUNTO(0, 0); SPESSOREPENNA(S, 2147483647);",
      // Paths that are no regular file.
      "RIFCART; I = IMMAGINE(\"/dev/zero\", 0, 0);",
      "SUONA(\"/dev/zero\");",
  };
  std::string blocchi;
  for (int i = 0; i < 2000; ++i) blocchi += "ESEGUI; ";
  for (const auto& p : casi) Prova(p);
  Prova(blocchi);
}

}  // namespace
}  // namespace qx
