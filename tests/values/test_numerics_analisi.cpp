#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "values/EquazioniDifferenziali.h"
#include "values/Romberg.h"

namespace qx {
namespace {

const Reale PiGreco = std::acos(-1.0L);

TEST(RombergTest, KnownIntegrals) {
  Reale r = 0;
  ASSERT_TRUE(IntegraleRomberg([](Reale x) { return std::sin(x); }, r, 0, 0.9L, 1e-12L));
  EXPECT_NEAR(r, 1 - std::cos(0.9L), 1e-12L);
  // The earlier of the two agreeing estimates, hence the last digits.
  EXPECT_EQ(NumeroInTesto(r), "0.378390031729333");

  int valutazioni = 0;
  auto quadrato = [&valutazioni](Reale x) {
    ++valutazioni;
    return x * x;
  };
  ASSERT_TRUE(IntegraleRomberg(quadrato, r, 0, 3, 1e-6L));
  EXPECT_EQ(r, 9);
  EXPECT_EQ(valutazioni, 17) << "five rows before any agreement: 2 ends, then 1, 2, 4 and 8 midpoints";

  // The first rows sample these only where both are 1 or 0: their early agreement is no answer.
  ASSERT_TRUE(IntegraleRomberg([](Reale x) { return std::cos(x) * std::cos(x); }, r, 0, 2 * PiGreco, 1e-9L));
  EXPECT_NEAR(r, PiGreco, 1e-9L);
  ASSERT_TRUE(IntegraleRomberg([](Reale x) { return std::sin(x) * std::sin(x); }, r, 0, 2 * PiGreco, 1e-9L));
  EXPECT_NEAR(r, PiGreco, 1e-9L);

  ASSERT_TRUE(IntegraleRomberg(quadrato, r, 3, 0, 1e-6L));
  EXPECT_EQ(r, -9) << "reversed bounds";
  valutazioni = 0;
  ASSERT_TRUE(IntegraleRomberg(quadrato, r, 2, 2, 1e-6L));
  EXPECT_EQ(r, 0);
  EXPECT_EQ(valutazioni, 0);
}

TEST(RombergTest, UnreachablePrecisionEvaluatesEachMidpointOnceAndStops) {
  // The step stops at a millionth of the interval whatever its length: 2^20 + 1 points.
  for (Reale b : {0.3L, 1000.0L}) {  // a step that is not a binary fraction, and a long interval
    std::vector<Reale> punti;
    Reale r = 0;
    EXPECT_FALSE(IntegraleRomberg(
        [&punti](Reale x) {
          punti.push_back(x);
          return std::sqrt(x);
        },
        r, 0, b, -1));
    ASSERT_EQ(punti.size(), (1u << 20) + 1);
    std::sort(punti.begin(), punti.end());
    const Reale h = b / (1 << 20);
    for (std::size_t i = 0; i < punti.size(); ++i) ASSERT_EQ(punti[i], i * h) << i;
    EXPECT_NEAR(r, 2 * std::pow(b, 1.5L) / 3, 1e-6L * b * std::sqrt(b));
  }
}

TEST(EquazioniDifferenzialiTest, ExponentialGrowth) {
  const auto f = [](Reale, Reale y) { return y; };
  SoluzioneEDO s = RisolviEDO(f, 0, 1, 1, 1);
  ASSERT_TRUE(s.converge);
  EXPECT_NEAR(s.y, std::exp(1.0L), 1e-5L);
  ASSERT_EQ(s.nodi.Dimensione(), 10);
  ASSERT_EQ(s.pendenze.Dimensione(), 10);
  EXPECT_NEAR(s.nodi(1), 0.5L + 0.5L * std::cos(std::numbers::pi_v<Reale> / 11), 1e-18L) << "t_1 is near X";
  for (int j = 1; j <= 10; ++j) EXPECT_NEAR(s.pendenze(j), std::exp(s.nodi(j)), 1e-5L);

  s = RisolviEDO(f, 0, 1, 1, 0);
  EXPECT_EQ(s.y, 1) << "the start value at the start abscissa";
  s = RisolviEDO(f, 0, 1, -1, -1);
  ASSERT_TRUE(s.converge);
  EXPECT_NEAR(s.y, std::exp(-1.0L), 1e-5L) << "an interval to the left of x0";
  // y' = -2xy, y(0) = 2: y = 2 exp(-x^2).
  s = RisolviEDO([](Reale x, Reale y) { return -2 * x * y; }, 0, 2, 1.5L, 0.7L);
  ASSERT_TRUE(s.converge);
  EXPECT_NEAR(s.y, 2 * std::exp(-0.49L), 1e-5L);
}

TEST(EquazioniDifferenzialiTest, DivergenceIsReported) {
  // y' = y^2, y(0) = 1 has y = 1 / (1 - x), which leaves the reals at x = 1.
  const SoluzioneEDO s = RisolviEDO([](Reale, Reale y) { return y * y; }, 0, 1, 2, 1.5L);
  EXPECT_FALSE(s.converge);
  EXPECT_EQ(s.y, VAL_NON_DEFINITA);

  const SoluzioneEDO punto = RisolviEDO([](Reale, Reale y) { return y; }, 1, 3, 1, 2);
  EXPECT_FALSE(punto.converge) << "an interval of one point knows only its start";
  EXPECT_EQ(RisolviEDO([](Reale, Reale y) { return y; }, 1, 3, 1, 1).y, 3);
}

}  // namespace
}  // namespace qx
