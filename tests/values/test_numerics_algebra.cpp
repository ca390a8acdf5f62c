#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "tests/support/ScriptedWindow.h"
#include "values/AlgebraMatrici.h"

namespace qx {
namespace {

TMatrice Da(int r, int c, std::initializer_list<Reale> valori) {
  TMatrice m(r, c);
  auto it = valori.begin();
  for (int i = 1; i <= r; ++i)
    for (int j = 1; j <= c; ++j) m(i, j) = *it++;
  return m;
}

TMatrice Hilbert(int n) {
  TMatrice h(n, n);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) h(i, j) = 1.0L / (i + j - 1);
  return h;
}

Reale DistanzaDallIdentita(const TMatrice& m) {
  Reale d = 0;
  for (int i = 1; i <= m.Righe(); ++i)
    for (int j = 1; j <= m.Colonne(); ++j) d = std::max(d, std::fabs(m(i, j) - (i == j ? 1 : 0)));
  return d;
}

TVettore V2(Reale a, Reale b) {
  TVettore v(2);
  v(1) = a;
  v(2) = b;
  return v;
}

class AlgebraTest : public ::testing::Test {
 protected:
  test::ScriptedWindow finestra;
  test::FinestraInstallata installata{finestra};
};

TEST_F(AlgebraTest, ProductAndRowNorm) {
  const TMatrice A = Da(2, 3, {1, 2, 3, 4, 5, 6});
  const TMatrice B = Da(3, 2, {7, 8, 9, 10, 11, 12});
  EXPECT_EQ(ProdottoMatrici(A, B), Da(2, 2, {58, 64, 139, 154}));
  EXPECT_EQ(ProdottoMatrici(A, A).Righe(), 0) << "incompatible sizes give an empty matrix";
  EXPECT_EQ(NormaMassimaRighe(Da(2, 2, {1, -2, -3, 4})), 7);
}

TEST_F(AlgebraTest, TwoByTwoDeterminantAndInverse) {
  const TMatrice A = Da(2, 2, {1, 2, 3, 4});
  Reale det = 0;
  ASSERT_TRUE(DeterminanteMatrice(A, det, 1e-10L));
  EXPECT_NEAR(det, -2, 1e-18L) << "one row swap for the pivot 3";
  EXPECT_EQ(NumeroInTesto(det), "-2");
  TMatrice X;
  ASSERT_TRUE(InversaMatrice(A, X, 1e-10L));
  const TMatrice atteso = Da(2, 2, {-2, 1, 1.5L, -0.5L});
  for (int i = 1; i <= 2; ++i)
    for (int j = 1; j <= 2; ++j) EXPECT_NEAR(X(i, j), atteso(i, j), 1e-17L);

  TMatrice uno = Da(1, 1, {5});
  ASSERT_TRUE(DeterminanteMatrice(uno, det, 1e-10L));
  EXPECT_EQ(det, 5);
  ASSERT_TRUE(InversaMatrice(uno, X, 1e-10L));
  EXPECT_NEAR(X(1, 1), 0.2L, 1e-19L);
  EXPECT_TRUE(finestra.Messaggi.empty());
}

TEST_F(AlgebraTest, SingularMatrices) {
  const TMatrice A = Da(2, 2, {1, 2, 2, 4});
  Reale det = 7;
  ASSERT_TRUE(DeterminanteMatrice(A, det, 1e-10L));
  EXPECT_EQ(det, 0);
  ASSERT_TRUE(DeterminanteMatrice(Da(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}), det, 1e-10L));
  EXPECT_EQ(det, 0);
  EXPECT_TRUE(finestra.Messaggi.empty()) << "the determinant path is silent";

  TMatrice X = Da(1, 1, {42});
  EXPECT_FALSE(InversaMatrice(A, X, 1e-10L));
  EXPECT_EQ(X, Da(1, 1, {42})) << "left untouched";
  TVettore x;
  EXPECT_FALSE(RisolviSistemaMatrice(A, V2(1, 2), x, 1e-10L));
  ASSERT_EQ(finestra.Messaggi.size(), 2u);
  for (const auto& m : finestra.Messaggi) {
    EXPECT_EQ(m.testo, "Matrice singolare per k = 2");
    EXPECT_EQ(m.tipo, TTipoMessaggio::Errore);
  }
}

TEST_F(AlgebraTest, PivotsAreJudgedAgainstTheMatrixScale) {
  // 1e-12 (1 2; 3 4): every element is below 1e-10, yet the matrix is well conditioned.
  TMatrice A = Da(2, 2, {1e-12L, 2e-12L, 3e-12L, 4e-12L});
  Reale det = 0;
  ASSERT_TRUE(DeterminanteMatrice(A, det, 1e-10L));
  EXPECT_NEAR(det / -2e-24L, 1, 1e-15L);
  TMatrice X;
  ASSERT_TRUE(InversaMatrice(A, X, 1e-10L));
  EXPECT_NEAR(X(1, 1) / -2e12L, 1, 1e-15L);
  // A row or a column of small numbers beside large ones is not a zero row or column.
  for (const TMatrice& M : {Da(2, 2, {1e12L, 0, 0, 1}), Da(2, 2, {1e12L, 1, 1e12L, 2}), Da(2, 2, {1e12L, 2e12L, 1, 3})}) {
    ASSERT_TRUE(DeterminanteMatrice(M, det, 1e-10L));
    EXPECT_NEAR(det / 1e12L, 1, 1e-15L);
  }
  // ... while the rounding residue of a singular matrix still counts as 0.
  ASSERT_TRUE(DeterminanteMatrice(Da(2, 2, {1e12L, 1, 1, 1e-12L}), det, 1e-10L));
  EXPECT_EQ(det, 0);

  // A pivot of exactly the limit: singular for Gauss-Jordan (<=), not for the system (<).
  // Step 2 meets the pivot 0.5 against 0.5 x min(1, 1).
  const TMatrice D = Da(2, 2, {2, 1, 1, 1});
  TMatrice copia = D, inversa;
  int stato = 0;
  InversaGaussJordan(copia, det, 0.5L, stato, inversa, true);
  EXPECT_EQ(stato, -1);
  TVettore x;
  SistemaGauss(D, V2(3, 2), stato, 0.5L, x);
  EXPECT_EQ(stato, 1);
  EXPECT_EQ(x, V2(1, 1));
  ASSERT_EQ(finestra.Messaggi.size(), 1u);
  EXPECT_EQ(finestra.Messaggi[0].testo, "Matrice singolare per k = 2");
}

TEST_F(AlgebraTest, HilbertInverseAndSystem) {
  const TMatrice H = Hilbert(4);
  TMatrice X;
  ASSERT_TRUE(InversaMatrice(H, X, 1e-10L));
  EXPECT_LT(DistanzaDallIdentita(ProdottoMatrici(X, H)), 1e-9L);
  EXPECT_NEAR(X(4, 4), 2800, 1e-9L);
  Reale det = 0;
  ASSERT_TRUE(DeterminanteMatrice(H, det, 1e-10L));
  EXPECT_NEAR(det * 6048000, 1, 1e-15L);

  // H x = b with x = (1, 2, 3, 4).
  TVettore b(4), x;
  for (int i = 1; i <= 4; ++i)
    for (int j = 1; j <= 4; ++j) b(i) += H(i, j) * j;
  ASSERT_TRUE(RisolviSistemaMatrice(H, b, x, 1e-15L));
  for (int i = 1; i <= 4; ++i) EXPECT_NEAR(x(i), i, 1e-12L);
  TVettore r;
  EXPECT_TRUE(ResiduoSistema(H, b, 1e-15L, r, x));
  EXPECT_TRUE(finestra.Messaggi.empty());
}

TEST_F(AlgebraTest, UnreachablePrecisionWarnsAndKeepsTheResult) {
  const TMatrice H = Hilbert(6);
  TMatrice X;
  EXPECT_FALSE(InversaMatrice(H, X, 0));
  ASSERT_EQ(X.Righe(), 6);
  EXPECT_LT(DistanzaDallIdentita(ProdottoMatrici(X, H)), 1e-6L) << "the best inverse found";
  TVettore b(6), x;
  for (int i = 1; i <= 6; ++i) b(i) = 1;
  EXPECT_TRUE(RisolviSistemaMatrice(H, b, x, -1)) << "not singular: the solution is still given";
  EXPECT_NEAR(x(1), -6, 1e-9L);
  ASSERT_EQ(finestra.Messaggi.size(), 2u);
  EXPECT_TRUE(std::regex_match(finestra.Messaggi[0].testo,
                               std::regex("Impossibile calcolare la matrice inversa con la precisione richiesta\r"
                                          "La precisione raggiunta è [0-9]\\.[0-9]E[-+][0-9]{2,}")))
      << finestra.Messaggi[0].testo;
  EXPECT_EQ(finestra.Messaggi[1].testo,
            "Impossibile calcolare il sistema con la precisione richiesta\rProva con un valore piu' alto.");
  for (const auto& m : finestra.Messaggi) EXPECT_EQ(m.tipo, TTipoMessaggio::Avviso);
}

TEST_F(AlgebraTest, NonSquareMatricesAreRefused) {
  const TMatrice A = Da(2, 3, {1, 2, 3, 4, 5, 6});
  Reale det = 0;
  TMatrice X;
  TVettore b(2), x;
  EXPECT_FALSE(DeterminanteMatrice(A, det, 1e-10L));
  EXPECT_FALSE(InversaMatrice(A, X, 1e-10L));
  EXPECT_FALSE(RisolviSistemaMatrice(A, b, x, 1e-10L));
  EXPECT_FALSE(RisolviSistemaMatrice(Da(2, 2, {1, 0, 0, 1}), TVettore(3), x, 1e-10L)) << "b of the wrong size";
  EXPECT_EQ(X.Righe(), 0);
  EXPECT_EQ(x.Dimensione(), 0);
  EXPECT_TRUE(finestra.Messaggi.empty());
}

}  // namespace
}  // namespace qx
