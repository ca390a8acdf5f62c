#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "values/Statistica.h"
#include "values/TeoriaNumeri.h"

namespace qx {
namespace {

TVettore V(std::initializer_list<Reale> valori) {
  TVettore v(static_cast<int>(valori.size()));
  int i = 1;
  for (Reale x : valori) v(i++) = x;
  return v;
}

constexpr std::int32_t MAX32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t MIN32 = std::numeric_limits<std::int32_t>::min();

TEST(TeoriaNumeriTest, DivisorsAndMultiples) {
  EXPECT_EQ(MCD(12, 18), 6);
  EXPECT_EQ(MCD(-12, 18), 6);
  EXPECT_EQ(MCD(0, 0), 0);
  EXPECT_EQ(MCD(7, 0), 7);
  EXPECT_EQ(MCD(MIN32, 0), 2147483648LL) << "abs of the most negative 32-bit integer";
  EXPECT_EQ(MCDVettore({12, 18, 8}), 2);
  EXPECT_EQ(MCDVettore({-5}), -5);
  EXPECT_EQ(MCDVettore({}), 0);

  EXPECT_EQ(MCMVettore({4, 6}), 12);
  EXPECT_EQ(MCMVettore({4, 0}), 0);
  EXPECT_EQ(MCMVettore({-4}), 4);
  EXPECT_EQ(MCMVettore({MIN32, 3}), 6442450944.0L) << "beyond 32 bits, exact";
  EXPECT_EQ(MCMVettore({MAX32, MAX32 - 1, MAX32 - 2}), VAL_TENDE_INFINITO) << "beyond 64 bits";
  EXPECT_EQ(MCMVettore({MAX32, MAX32 - 1, MAX32 - 2, 0}), 0) << "a later 0 still wins";
}

TEST(TeoriaNumeriTest, FactorialAndBinomial) {
  EXPECT_EQ(Fattoriale(0), 1);
  EXPECT_EQ(Fattoriale(-1), VAL_NON_DEFINITA);
  EXPECT_EQ(Fattoriale(20), 2432902008176640000.0L);
  EXPECT_EQ(Fattoriale(25), 15511210043330985984000000.0L);
  EXPECT_NEAR(Fattoriale(1754) / 1.979261890105010e4930L, 1, 1e-14L) << "the largest that a real holds";
  EXPECT_EQ(Fattoriale(1755), VAL_TENDE_INFINITO);
  EXPECT_EQ(Fattoriale(1000000), VAL_TENDE_INFINITO);
  EXPECT_EQ(Fattoriale(MAX32), VAL_TENDE_INFINITO);

  EXPECT_EQ(CoefficienteBinomiale(5, 2), 10);
  EXPECT_EQ(CoefficienteBinomiale(2, 5), -1);
  EXPECT_EQ(CoefficienteBinomiale(-1, 0), -1);
  EXPECT_EQ(CoefficienteBinomiale(5, -1), -1);
  EXPECT_EQ(CoefficienteBinomiale(0, 0), 1);
  EXPECT_EQ(CoefficienteBinomiale(40, 20), 137846528820.0L);
  EXPECT_EQ(CoefficienteBinomiale(67, 33), 14226520737620288370.0L) << "the largest row that fits 64 bits";
  EXPECT_NEAR(CoefficienteBinomiale(68, 34) / 28453041475240576740.0L, 1, 1e-17L);
  EXPECT_EQ(CoefficienteBinomiale(MAX32, 1), MAX32);
  EXPECT_EQ(CoefficienteBinomiale(MAX32, MAX32 - 1), MAX32);
  EXPECT_EQ(CoefficienteBinomiale(MAX32, MAX32 / 2), VAL_TENDE_INFINITO);
}

TEST(TeoriaNumeriTest, Primes) {
  EXPECT_FALSE(EPrimo(1));
  EXPECT_TRUE(EPrimo(2));
  EXPECT_FALSE(EPrimo(9));
  EXPECT_FALSE(EPrimo(25));
  EXPECT_TRUE(EPrimo(29));
  EXPECT_FALSE(EPrimo(-7));
  EXPECT_TRUE(EPrimo(MAX32));
  EXPECT_FALSE(EPrimo(46337 * 46337)) << "the square of the largest prime below the 32-bit root";
}

TEST(StatisticaTest, CentreAndSpread) {
  EXPECT_EQ(Media(V({1, 2, 3})), 2);
  EXPECT_EQ(Varianza(V({1, 2, 3})), 2.0L / 3);
  const TVettore v = V({2, 4, 4, 4, 5, 5, 7, 9});
  EXPECT_EQ(Media(v), 5);
  EXPECT_EQ(Varianza(v), 4);
  EXPECT_EQ(DeviazioneStandard(v), 2);
  EXPECT_EQ(ScartoMedio(v), 1.5L);

  TVettore dispari = V({3, 1, 2});
  EXPECT_EQ(Mediana(dispari), 2);
  EXPECT_EQ(dispari, V({3, 2, 1})) << "sorted in place, largest first";
  TVettore pari = V({4, 1, 3, 2});
  EXPECT_EQ(Mediana(pari), 2.5L);

  EXPECT_EQ(Moda(V({1, 2, 2, 3, 3})), 2);
  EXPECT_EQ(Moda(V({5, 1, 1})), 1);
  EXPECT_EQ(Moda(TVettore()), 0);
  EXPECT_EQ(Media(TVettore()), VAL_NON_DEFINITA);
  EXPECT_EQ(Varianza(TVettore()), VAL_NON_DEFINITA);
}

TEST(StatisticaTest, CovarianceAndCorrelation) {
  const TVettore x = V({1, 2, 3}), y = V({2, 4, 6}), z = V({3, 2, 1});
  EXPECT_EQ(Covarianza(x, y), 4.0L / 3);
  EXPECT_NEAR(Correlazione(x, y), 1, 1e-18L);
  EXPECT_NEAR(Correlazione(x, z), -1, 1e-18L);
  EXPECT_EQ(Correlazione(V({5, 5, 5}), x), VAL_DIVISIONE_ZERO);
  EXPECT_EQ(Correlazione(x, V({5, 5, 5})), VAL_DIVISIONE_ZERO);
}

}  // namespace
}  // namespace qx
