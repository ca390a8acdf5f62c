// The numeric built-ins: number theory and matrix algebra, run from program text.
#include <gtest/gtest.h>

#include "tests/support/Esecuzione.h"
#include "values/ValoriScalari.h"
#include "values/VettoriMatrici.h"

namespace qx {
namespace {

using V = std::vector<std::string>;

class ComandiNumericiTest : public ::testing::Test {
 protected:
  test::Esecuzione run;
  std::string Errore(const std::string& p) {
    auto e = run.Esegui(p);
    return e.riuscito ? "<ok>" : std::to_string(e.riga) + " " + e.errore;
  }
  std::string Valuta(const std::string& espressione) {
    auto e = run.Esegui("R = " + espressione + ";");
    if (!e.riuscito) return "#" + e.errore;
    if (auto* r = dynamic_cast<cValoreReale*>(run.Valore("R"))) return NumeroInTesto(r->Value);
    return run.Testo("R");
  }
  // Rows of a real matrix variable, elements in the general format, blank-separated.
  V Righe(const std::string& nome) {
    V r;
    auto* m = dynamic_cast<cMatrReale*>(run.Valore(nome));
    if (!m) return {"<none>"};
    for (int i = 1; i <= m->Rows; ++i) {
      std::string riga;
      for (int j = 1; j <= m->Cols; ++j) riga += (j > 1 ? " " : "") + NumeroInTesto(m->Leggi(i, j));
      r.push_back(riga);
    }
    return r;
  }
  V Messaggi() {
    V r;
    for (const auto& m : run.finestra.Messaggi) r.push_back(m.testo);
    return r;
  }
  // A program line that fills the real matrix M row by row.
  static std::string Matrice(const std::string& nome, int righe, int colonne, const std::vector<double>& v) {
    std::string p = nome + " = MATRICE(" + std::to_string(righe) + ", " + std::to_string(colonne) + ");";
    for (int i = 0; i < righe; ++i)
      for (int j = 0; j < colonne; ++j)
        p += nome + "(" + std::to_string(i + 1) + ", " + std::to_string(j + 1) + ") = " +
             NumeroInTesto(v[static_cast<std::size_t>(i * colonne + j)]) + ";";
    return p;
  }
};

TEST_F(ComandiNumericiTest, CommonMultipleAndDivisor) {
  EXPECT_EQ(Valuta("MCD(12, 18, 8)"), "2");
  EXPECT_EQ(Valuta("MCM(4, 6)"), "12");
  EXPECT_EQ(Valuta("MCM(4.9, 6.2)"), "12") << "arguments truncated";
  EXPECT_EQ(Valuta("MCD(-5)"), "-5");
  EXPECT_EQ(Valuta("MCM(-5)"), "5");
  EXPECT_EQ(Valuta("MCM(4, 0)"), "0");
  EXPECT_EQ(Valuta("MCM(2147483647, 2147483646)"), "4.61168601198494E18") << "no 32-bit overflow";
  EXPECT_EQ(Valuta("MCD"), "#Parametri errati per MCD");
  EXPECT_EQ(Valuta("MCM(4, \"6\")"), "#Parametri errati per MCM");
  EXPECT_EQ(Valuta("MCD(3E12, 6)"), "#Parametri errati per MCD") << "no silent wrap past 32 bits";
}

TEST_F(ComandiNumericiTest, FactorialBinomialAndPrimes) {
  EXPECT_EQ(Valuta("FATTORIALE(0)"), "1");
  EXPECT_EQ(Valuta("FATTORIALE(5.7)"), "120");
  EXPECT_EQ(Valuta("FATTORIALE(20)"), "2.43290200817664E18");
  EXPECT_EQ(Valuta("FATTORIALE(-1)"), "Non definita");
  EXPECT_EQ(Valuta("FATTORIALE(1000000)"), "Tende ad Infinito");
  EXPECT_EQ(Valuta("FATTORIALE(1E15)"), "Tende ad Infinito");
  EXPECT_EQ(Valuta("BINOMIALE(5, 2)"), "10");
  EXPECT_EQ(Valuta("BINOMIALE(40, 20)"), "137846528820");
  EXPECT_EQ(Valuta("BINOMIALE(2, 5)"), "-1");
  EXPECT_EQ(Valuta("PRIMO(29)"), "VERO");
  EXPECT_EQ(Valuta("PRIMO(25)"), "FALSO");
  EXPECT_EQ(Valuta("PRIMO(2147483647)"), "VERO");
  EXPECT_EQ(Valuta("FATTORIALE"), "#Parametri errati per FATTORIALE");
  EXPECT_EQ(Valuta("FATTORIALE(1, 2)"), "#Parametri errati per FATTORIALE");
  EXPECT_EQ(Valuta("BINOMIALE(5)"), "#Parametri errati per BINOMIALE");
  EXPECT_EQ(Valuta("PRIMO(\"7\")"), "#Parametri errati per PRIMO");
}

TEST_F(ComandiNumericiTest, DeterminantOfNineNumbersAndOfAMatrix) {
  EXPECT_EQ(Valuta("DETERMINANTE(1,0,0,0,1,0,0,0,1)"), "1");
  EXPECT_EQ(Valuta("DETERMINANTE(2,1,3,0,4,5,1,0,6)"), "41");
  EXPECT_EQ(Valuta("DETERMINANTE(1,0,0,0,1,0,0,0)"),
            "#DETERMINANTE: i valori devono essere 9 (a11,a12,a13,a21,a22,a23,a31,a32,a33)");
  EXPECT_EQ(Valuta("DETERMINANTE(1,0,0,0,1,0,0,0,\"1\")"), "#Parametri errati per DETERMINANTE");
  ASSERT_EQ(Errore(Matrice("M", 2, 2, {3, 8, 4, 6}) + Matrice("S", 2, 2, {1, 2, 2, 4}) +
                   "D = DETERMINANTE(M); Z = DETERMINANTE(S);"),
            "<ok>");
  EXPECT_NEAR(static_cast<double>(static_cast<cValoreReale*>(run.Valore("D"))->Value), -14, 1e-12);
  EXPECT_EQ(static_cast<cValoreReale*>(run.Valore("Z"))->Value, 0) << "singular: 0, no box";
  EXPECT_TRUE(Messaggi().empty());
  EXPECT_EQ(Errore("M = MATRICE(2, 3); D = DETERMINANTE(M);"), "1 Parametri errati per DETERMINANTE");
  EXPECT_EQ(Errore("M = MATRICE(2, 2); D = DETERMINANTE(M, 1);"), "1 Parametri errati per DETERMINANTE");
}

TEST_F(ComandiNumericiTest, Inverse) {
  ASSERT_EQ(Errore(Matrice("M", 2, 2, {4, 7, 2, 6}) + "I = INVERSA(M); J = INVERSA(M, 1E-12);"), "<ok>");
  EXPECT_EQ(Righe("I"), (V{"0.6 -0.7", "-0.2 0.4"}));
  EXPECT_EQ(Righe("J"), (V{"0.6 -0.7", "-0.2 0.4"}));
  // A singular matrix: the routine's box, and the run goes on with the zero matrix.
  ASSERT_EQ(Errore(Matrice("S", 2, 2, {1, 2, 2, 4}) + "I = INVERSA(S); STAMPA(\"dopo\");"), "<ok>");
  EXPECT_EQ(Messaggi(), (V{"Matrice singolare per k = 2"}));
  EXPECT_EQ(run.finestra.Output, (V{"> dopo"}));
  EXPECT_EQ(Righe("I"), (V{"0 0", "0 0"}));
  EXPECT_EQ(Errore("M = MATRICE(2, 3); I = INVERSA(M);"), "1 Parametri errati per INVERSA");
  EXPECT_EQ(Errore("M = MATRICE(2, 2); I = INVERSA(M, \"e\");"), "1 Parametri errati per INVERSA");
  EXPECT_EQ(Errore("I = INVERSA(3);"), "1 Parametri errati per INVERSA");
}

TEST_F(ComandiNumericiTest, LinearSystems) {
  ASSERT_EQ(Errore(Matrice("A", 2, 2, {2, 1, 1, 3}) + "B = VETTORE(2); B(1) = 3; B(2) = 5; X = SISTEMALIN(A, B);"
                                                     "Y = SISTEMALIN(A, B, 1E-12);"),
            "<ok>");
  auto* x = dynamic_cast<cVettReale*>(run.Valore("X"));
  ASSERT_NE(x, nullptr);
  ASSERT_EQ(x->Count, 2);
  EXPECT_EQ(NumeroInTesto(x->Leggi(1)), "0.8");
  EXPECT_EQ(NumeroInTesto(x->Leggi(2)), "1.4");
  EXPECT_EQ(Errore(Matrice("A", 2, 2, {1, 2, 2, 4}) + "B = VETTORE(2); X = SISTEMALIN(A, B);"), "<ok>");
  EXPECT_EQ(Messaggi(), (V{"Matrice singolare per k = 2"}));
  EXPECT_EQ(Errore("A = MATRICE(2, 3); B = VETTORE(2); X = SISTEMALIN(A, B);"), "1 Parametri errati per SISTEMALIN");
  EXPECT_EQ(Errore("A = MATRICE(2, 2); B = VETTORE(3); X = SISTEMALIN(A, B);"), "1 Parametri errati per SISTEMALIN");
  EXPECT_EQ(Errore("A = MATRICE(2, 2); X = SISTEMALIN(A);"), "1 Parametri errati per SISTEMALIN");
  EXPECT_EQ(Errore("A = MATRICE(2, 2); B = VETTORE(2); X = SISTEMALIN(A, B, 1, 2);"),
            "1 Parametri errati per SISTEMALIN");
}

TEST_F(ComandiNumericiTest, Eigenvalues) {
  ASSERT_EQ(Errore(Matrice("A", 2, 2, {2, 0, 0, 3}) + Matrice("R", 2, 2, {0, -1, 1, 0}) +
                   "E = AUTOVALORI(A, 1E-10); C = AUTOVALORI(R, 1E-10);"),
            "<ok>");
  EXPECT_EQ(Righe("E"), (V{"2 0", "3 0"}));
  EXPECT_EQ(Righe("C"), (V{"0 -1", "0 1"}));
  EXPECT_TRUE(Messaggi().empty());
  EXPECT_EQ(Errore("A = MATRICE(2, 3); E = AUTOVALORI(A, 1E-10);"), "1 Parametri errati per AUTOVALORI");
  EXPECT_EQ(Errore("A = MATRICE(2, 2); E = AUTOVALORI(A);"), "1 Parametri errati per AUTOVALORI");
}

TEST_F(ComandiNumericiTest, EigenvaluesThatDoNotConvergeShowABoxAndGoOn) {
  // A precision below the machine's: the iteration cannot meet it.
  ASSERT_EQ(Errore(Matrice("A", 3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 10}) + "E = AUTOVALORI(A, -1); STAMPA(\"dopo\");"),
            "<ok>");
  EXPECT_EQ(Messaggi(), (V{"Autovalori non calcolabili o precisione troppo bassa"}));
  EXPECT_EQ(run.finestra.Output, (V{"> dopo"}));
  EXPECT_EQ(Righe("E").size(), 3u);
}

}  // namespace
}  // namespace qx
