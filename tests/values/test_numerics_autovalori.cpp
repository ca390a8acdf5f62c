#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "values/Autovalori.h"

namespace qx {
namespace {

TMatrice Da(int n, std::initializer_list<Reale> valori) {
  TMatrice m(n, n);
  auto it = valori.begin();
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) m(i, j) = *it++;
  return m;
}

// Cyclic Jacobi rotations: an independent reference for symmetric matrices.
std::vector<Reale> AutovaloriJacobi(TMatrice a) {
  const int n = a.Righe();
  for (int giro = 0; giro < 100; ++giro) {
    Reale fuori = 0;
    for (int p = 1; p <= n; ++p)
      for (int q = p + 1; q <= n; ++q) fuori += a(p, q) * a(p, q);
    if (fuori < 1e-36L) break;
    for (int p = 1; p <= n; ++p)
      for (int q = p + 1; q <= n; ++q) {
        if (a(p, q) == 0) continue;
        const Reale theta = (a(q, q) - a(p, p)) / (2 * a(p, q));
        const Reale t = (theta >= 0 ? 1 : -1) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
        const Reale c = 1 / std::sqrt(t * t + 1), s = t * c;
        for (int k = 1; k <= n; ++k) {  // A := A J
          const Reale akp = a(k, p), akq = a(k, q);
          a(k, p) = c * akp - s * akq;
          a(k, q) = s * akp + c * akq;
        }
        for (int k = 1; k <= n; ++k) {  // A := J^T A
          const Reale apk = a(p, k), aqk = a(q, k);
          a(p, k) = c * apk - s * aqk;
          a(q, k) = s * apk + c * aqk;
        }
      }
  }
  std::vector<Reale> d;
  for (int i = 1; i <= n; ++i) d.push_back(a(i, i));
  std::sort(d.begin(), d.end());
  return d;
}

TEST(AutovaloriTest, DiagonalAndRotationMatrices) {
  TMatrice R;
  ASSERT_TRUE(AutovaloriMatrice(Da(2, {2, 0, 0, 3}), R, 1e-10L));
  EXPECT_EQ(R, Da(2, {2, 0, 3, 0}));
  ASSERT_TRUE(AutovaloriMatrice(Da(2, {0, -1, 1, 0}), R, 1e-10L));
  EXPECT_EQ(R, Da(2, {0, -1, 0, 1})) << "0 - i first, then 0 + i";
}

TEST(AutovaloriTest, GivensReductionIsAnExactSimilarity) {
  TMatrice A = Da(3, {4, 1, 2, 3, 5, 1, 2, 6, 7});
  const TMatrice originale = A;
  ASSERT_EQ(PreparaHessenberg(A), 1);
  EXPECT_EQ(A(3, 1), 0) << "no residue below the subdiagonal";
  // The same rotation written as a full matrix: G(2,2) = c, G(2,3) = -s, G(3,2) = s, G(3,3) = c.
  const Reale r = std::hypot(3.0L, 2.0L);
  TMatrice G = TMatrice::Identita(3);
  G(2, 2) = G(3, 3) = 3 / r;
  G(3, 2) = 2 / r;
  G(2, 3) = -2 / r;
  TMatrice B;
  TrasformaSimile(G, originale, B);
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) EXPECT_NEAR(A(i, j), B(i, j), 1e-17L) << i << "," << j;

  TMatrice giaHessenberg = Da(3, {1, 2, 3, 4, 5, 6, 0, 7, 8});
  EXPECT_EQ(PreparaHessenberg(giaHessenberg), 0);
  EXPECT_EQ(giaHessenberg, Da(3, {1, 2, 3, 4, 5, 6, 0, 7, 8}));

  // A dense 6 x 6: every element below the subdiagonal ends exactly 0, the trace is kept.
  TMatrice D(6, 6);
  Reale traccia = 0;
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) D(i, j) = std::sin(Reale(i * 7 + j * 3));
  for (int i = 1; i <= 6; ++i) traccia += D(i, i);
  EXPECT_EQ(RiduzioneHessenberg(D), 10);
  Reale dopo = 0;
  for (int i = 1; i <= 6; ++i) {
    dopo += D(i, i);
    for (int j = 1; j <= i - 2; ++j) EXPECT_EQ(D(i, j), 0);
  }
  EXPECT_NEAR(dopo, traccia, 1e-16L);
}

TEST(AutovaloriTest, SymmetricMatrixAgreesWithJacobi) {
  const TMatrice S = Da(5, {4, 1, -2, 2, 0.5L,   //
                            1, 2, 0, 1, -1,      //
                            -2, 0, 3, -2, 0.25L,  //
                            2, 1, -2, -1, 3,     //
                            0.5L, -1, 0.25L, 3, 5});
  TMatrice R;
  ASSERT_TRUE(AutovaloriMatrice(S, R, 1e-10L));
  std::vector<Reale> trovati;
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(R(i, 2), 0);
    trovati.push_back(R(i, 1));
  }
  std::sort(trovati.begin(), trovati.end());
  const std::vector<Reale> attesi = AutovaloriJacobi(S);
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(trovati[i], attesi[i], 1e-9L);
}

TEST(AutovaloriTest, CompanionMatrixWithRealAndComplexRoots) {
  // x^5 - 6x^4 + 12x^3 - 12x^2 + 11x - 6 = (x - 1)(x - 2)(x - 3)(x^2 + 1).
  const TMatrice C = Da(5, {6, -12, 12, -11, 6,  //
                            1, 0, 0, 0, 0,       //
                            0, 1, 0, 0, 0,       //
                            0, 0, 1, 0, 0,       //
                            0, 0, 0, 1, 0});
  TMatrice R;
  ASSERT_TRUE(AutovaloriMatrice(C, R, 1e-12L));
  std::vector<Reale> reali;
  int coppia = 0;
  for (int i = 1; i <= 5; ++i) {
    if (R(i, 2) == 0) {
      reali.push_back(R(i, 1));
      continue;
    }
    EXPECT_NEAR(R(i, 1), 0, 1e-12L);
    EXPECT_NEAR(R(i, 2), coppia == 0 ? -1 : 1, 1e-12L) << "negative imaginary part first";
    ++coppia;
  }
  EXPECT_EQ(coppia, 2);
  ASSERT_EQ(reali.size(), 3u);
  std::sort(reali.begin(), reali.end());
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(reali[i], i + 1, 1e-12L);
}

TEST(AutovaloriTest, FailuresAndSizes) {
  TMatrice R = Da(1, {9});
  EXPECT_FALSE(AutovaloriMatrice(TMatrice(2, 3), R, 1e-10L));
  EXPECT_EQ(R, Da(1, {9})) << "untouched";
  // A tolerance that no subdiagonal element can meet: the iteration gives up after 30 steps.
  EXPECT_FALSE(AutovaloriMatrice(Da(3, {1, 2, 3, 4, 5, 6, 7, 8, 10}), R, -1));
  EXPECT_EQ(R.Righe(), 3);
  ASSERT_TRUE(AutovaloriMatrice(Da(1, {-7}), R, 1e-10L));
  ASSERT_EQ(R.Colonne(), 2);
  EXPECT_EQ(R(1, 1), -7);
  EXPECT_EQ(R(1, 2), 0);
}

}  // namespace
}  // namespace qx
