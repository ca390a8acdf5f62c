#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "runstate/DatiGlob.h"
#include "tests/support/ScriptedWindow.h"
#include "values/Funzioni.h"

namespace qx {
namespace {

TEST(NumeriTest, ToleranceIsAbsolute) {
  EXPECT_TRUE(UgualeReale(0, 1e-10L));
  EXPECT_FALSE(UgualeReale(0, 1.1e-10L));
  EXPECT_FALSE(UgualeReale(1000, 1000.000000001L));
  EXPECT_TRUE(UgualeReale(1e-11L, 0));
}

TEST(NumeriTest, ErrorValuesPrintAsWordsInEveryTextRoutine) {
  const std::pair<Reale, const char*> casi[] = {{VAL_NON_DEFINITA, "Non definita"},
                                                {VAL_TENDE_INFINITO, "Tende ad Infinito"},
                                                {VAL_DIVISIONE_ZERO, "Divisione per 0"},
                                                {VAL_INDETERMINATA, "Indeterminata"}};
  for (auto [valore, parola] : casi) {
    EXPECT_EQ(NumeroInTesto(valore), parola);
    EXPECT_EQ(NumeroInTestoDec(valore, 2), parola);
    EXPECT_EQ(NumeroInTestoPrec(valore, 2), parola);
  }
  EXPECT_EQ(VAL_NON_DEFINITA + 1, VAL_NON_DEFINITA) << "80-bit precision absorbs the 1";
  EXPECT_EQ(NumeroInTesto(std::numeric_limits<Reale>::infinity()), "Tende ad Infinito");
  EXPECT_EQ(NumeroInTesto(std::nanl("")), "Non definita");
}

TEST(NumeriTest, GeneralFormat) {
  EXPECT_EQ(NumeroInTesto(0), "0");
  EXPECT_EQ(NumeroInTesto(100), "100");
  EXPECT_EQ(NumeroInTesto(-7.5L), "-7.5");
  EXPECT_EQ(NumeroInTesto(1.0L / 3), "0.333333333333333");
  EXPECT_EQ(NumeroInTesto(2.0L / 3), "0.666666666666667");
  EXPECT_EQ(NumeroInTesto(0.1L), "0.1");
  EXPECT_EQ(NumeroInTesto(0.0001L), "0.0001");
  EXPECT_EQ(NumeroInTesto(0.00001L), "1E-5");
  EXPECT_EQ(NumeroInTesto(1e20L), "1E20");
  EXPECT_EQ(NumeroInTesto(-1.5e20L), "-1.5E20");
  EXPECT_EQ(NumeroInTesto(123456789012345.0L), "123456789012345");
  EXPECT_EQ(NumeroInTesto(1e15L), "1E15");
  EXPECT_EQ(NumeroInTesto(std::sqrt(2.0L)), "1.4142135623731");
}

TEST(NumeriTest, FixedFormatWithTwoDecimalsTrimmed) {
  EXPECT_EQ(NumeroInTestoDec(7, 2), "7");
  EXPECT_EQ(NumeroInTestoDec(7.5L, 2), "7.5");
  EXPECT_EQ(NumeroInTestoDec(7.05L, 2), "7.05");
  EXPECT_EQ(NumeroInTestoDec(12.50L, 2), "12.5");
  EXPECT_EQ(NumeroInTestoDec(10.10L, 2), "10.1");
  EXPECT_EQ(NumeroInTestoDec(10, 2), "10");
  EXPECT_EQ(NumeroInTestoDec(100, 2), "100");
  EXPECT_EQ(NumeroInTestoDec(0.05L, 2), "0.05");
  EXPECT_EQ(NumeroInTestoDec(-0.001L, 2), "0") << "never -0";
  EXPECT_EQ(NumeroInTestoDec(-0.0L, 2), "0");
  EXPECT_EQ(NumeroInTestoDec(-2.346L, 2), "-2.35");
  EXPECT_EQ(NumeroInTestoDec(0.125L, 2), "0.13") << "halves round away from zero";
  EXPECT_EQ(NumeroInTestoDec(0.999L, 2), "1");
  EXPECT_EQ(NumeroInTestoDec(1e25L, 2), "1E25") << "too many integer digits: exponent form, untrimmed";
  EXPECT_EQ(NumeroInTestoPrec(3.14159L, 2), "3.14");
  EXPECT_EQ(TestoFisso(3, 2), "3.00");
  EXPECT_EQ(TestoFisso(-0.004L, 2), "0.00");
}

TEST(NumeriTest, ShortFormForTickLabels) {
  EXPECT_EQ(NumeroInTestoBreve(2.50L), "2.5");
  EXPECT_EQ(NumeroInTestoBreve(3), "3");
  EXPECT_EQ(NumeroInTestoBreve(-0.10L), "-0.1");
  EXPECT_EQ(NumeroInTestoBreve(100), "100") << "the zeros of the integer part stay";
  EXPECT_EQ(NumeroInTestoBreve(0), "0");
}

TEST(NumeriTest, RoundingThroughText) {
  EXPECT_EQ(ArrotondaDecimali(2.345678L, 2), 2.35L);
  EXPECT_EQ(ArrotondaDecimali(-1.004L, 2), -1.0L);
}

// Truncation without switching the rounding mode: the conversion's own results, whatever
// side of a whole number and however the rounding to nearest goes.
TEST(NumeriTest, TruncationAgreesWithTheConversion) {
  const qx::Reale valori[] = {0,     -0.0L, 0.4L,  0.5L,  0.6L,  -0.4L, -0.5L, -0.6L, 1,       -1,
                              2.5L,  3.5L,  -2.5L, -3.5L, 7.999999999L, -7.999999999L, 1e15L + 0.5L,
                              -1e15L - 0.5L, 1e18L - 1, -1e18L + 1, 9.2e18L, -9.2e18L,
                              std::nextafter(qx::Reale{1}, qx::Reale{0}), std::nextafter(qx::Reale{-1}, qx::Reale{0}),
                              1e-300L, -1e-300L};
  for (const qx::Reale x : valori)
    EXPECT_EQ(qx::TroncaIntero(x), static_cast<long long>(x)) << static_cast<double>(x);
  for (int i = -2000; i <= 2000; ++i) {
    const qx::Reale x = static_cast<qx::Reale>(i) / 8;
    EXPECT_EQ(qx::TroncaIntero(x), static_cast<long long>(x)) << i << "/8";
  }
}

// Numbers copied and told by their bytes: every bit travels (a zero's sign, a NaN's payload),
// and the exponent bounds the size exactly at the powers of two.
TEST(NumeriTest, NumbersAsBytes) {
  const qx::Reale nan = std::numeric_limits<qx::Reale>::quiet_NaN();
  for (const qx::Reale x : {qx::Reale{0}, -0.0L, qx::Reale{1} / 3, -qx::VAL_TENDE_INFINITO, nan,
                            std::numeric_limits<qx::Reale>::denorm_min()}) {
    qx::Reale y = 7;
    qx::CopiaReale(y, x);
    EXPECT_EQ(std::memcmp(&x, &y, 10), 0);
    qx::RealeTenuto tenuto;
    tenuto.Da(x);
    const qx::Reale z = tenuto.Valore();
    EXPECT_EQ(std::memcmp(&x, &z, 10), 0);
  }
  qx::Reale zero = 5;
  qx::AzzeraReale(zero);
  EXPECT_EQ(zero, 0);
  EXPECT_FALSE(std::signbit(zero));
  EXPECT_EQ(qx::RealeTenuto{}.Valore(), 0);
  EXPECT_EQ(qx::EsponenteReale(0), 0);
  EXPECT_EQ(qx::EsponenteReale(-0.0L), 0);
  EXPECT_EQ(qx::EsponenteReale(std::numeric_limits<qx::Reale>::denorm_min()), 0);
  EXPECT_EQ(qx::EsponenteReale(1), 16383);
  EXPECT_EQ(qx::EsponenteReale(-1.5L), 16383);
  EXPECT_EQ(qx::EsponenteReale(2), 16384);
  EXPECT_EQ(qx::EsponenteReale(std::nextafter(qx::Reale{2}, qx::Reale{0})), 16383);
  EXPECT_EQ(qx::EsponenteReale(std::ldexp(qx::Reale{1}, -39)), 16383 - 39);
  EXPECT_EQ(qx::EsponenteReale(1e-12L), 16383 - 40);
  EXPECT_EQ(qx::EsponenteReale(qx::VAL_NON_DEFINITA), 16383 + 328);
  EXPECT_EQ(qx::EsponenteReale(std::numeric_limits<qx::Reale>::infinity()), 0x7FFF);
  EXPECT_EQ(qx::EsponenteReale(nan), 0x7FFF);
}

// An element's index: the truncation, when it falls in 1..n, whatever the value.
TEST(NumeriTest, AnIndexIsInRangeExactlyWhenOneToNPlusOne) {
  constexpr qx::Reale inf = std::numeric_limits<qx::Reale>::infinity();
  const qx::Reale valori[] = {0, -0.0L, 0.4L, 0.5L, 0.999999L, 1, 1.5L, 2.5L, 3.5L, 4, 4.4999L, 4.5L, 4.999999L, 5,
                              5.5L, 6, -1, -4.5L, 1e18L, -1e18L, 9.3e18L, -9.3e18L, 1e30L, -1e30L, inf, -inf,
                              std::numeric_limits<qx::Reale>::quiet_NaN(), std::nextafter(qx::Reale{5}, qx::Reale{0}),
                              std::nextafter(qx::Reale{1}, qx::Reale{0}), std::nextafter(qx::Reale{1}, qx::Reale{2}),
                              std::numeric_limits<qx::Reale>::denorm_min(), std::numeric_limits<qx::Reale>::min(),
                              std::numeric_limits<qx::Reale>::max(), 9223372036854775807.0L, 0x1p63L};
  for (const qx::Reale x : valori) {
    int i = -7;
    const bool entro = qx::IndiceEntro(x, 4, i);
    const bool atteso = x >= 1 && x < 5;
    EXPECT_EQ(entro, atteso) << static_cast<double>(x);
    if (atteso) {
      EXPECT_EQ(i, static_cast<int>(x)) << static_cast<double>(x);
    }
  }
  // Every quarter from -3 to 70000 against a vector of 65536.
  for (int q = -12; q <= 280000; ++q) {
    const qx::Reale x = static_cast<qx::Reale>(q) / 4;
    int k = -7;
    const bool atteso = x >= 1 && x < 65537;
    ASSERT_EQ(qx::IndiceEntro(x, 65536, k), atteso) << q << "/4";
    if (atteso) {
      ASSERT_EQ(k, static_cast<int>(x)) << q << "/4";
    }
  }
  int i = 0;
  EXPECT_FALSE(qx::IndiceEntro(1, 0, i)) << "nothing is in an empty vector";
  EXPECT_FALSE(qx::IndiceEntro(1, -3, i));
  EXPECT_TRUE(qx::IndiceEntro(2147483647.5L, 2147483647, i));
  EXPECT_EQ(i, 2147483647);
}

TEST(NumeriTest, Power) {
  EXPECT_EQ(Potenza(0, 0), VAL_INDETERMINATA);
  EXPECT_EQ(Potenza(0, 3), 0);
  EXPECT_EQ(Potenza(-8, 1.0L / 3), VAL_TENDE_INFINITO);
  EXPECT_EQ(Potenza(-2, 3), -8);
  EXPECT_EQ(Potenza(2, -1), 0.5L);
  EXPECT_EQ(Potenza(5, 0), 1);
  EXPECT_EQ(NumeroInTesto(Potenza(2, 0.5L)), "1.4142135623731") << "computed in extended precision";
  EXPECT_EQ(Potenza(10, 5000), VAL_TENDE_INFINITO);
  EXPECT_EQ(Potenza(0, -1), VAL_TENDE_INFINITO);
  EXPECT_EQ(Potenza(-2, 0), 1);
}

TEST(NumeriTest, AngleConversionsKeepFullPrecision) {
  EXPECT_EQ(NumeroInTestoDec(RadiantiInGradi(GradiInRadianti(30)), 10), "30");
  EXPECT_NEAR(static_cast<double>(GradiInRadianti(180)), M_PI, 1e-15);
}

// The sine and cosine of degrees agree with the plain formula to its last bits wherever the
// plain formula's own error (the radians of a large angle) is small, and are exact at right
// angles, whatever their size.
TEST(NumeriTest, SineAndCosineOfDegrees) {
  for (Reale g = -1000; g <= 1000; g += 0.37L) {
    const Reale radianti = GradiInRadianti(g);
    // The plain formula loses about an ulp of the radians; the result can be off by that much.
    const Reale tolleranza = (1 + std::fabs(radianti)) * 0x1p-62L;
    ASSERT_NEAR(static_cast<double>(SenoGradi(g) - std::sin(radianti)), 0, static_cast<double>(tolleranza)) << static_cast<double>(g);
    ASSERT_NEAR(static_cast<double>(CosenoGradi(g) - std::cos(radianti)), 0, static_cast<double>(tolleranza)) << static_cast<double>(g);
  }
  for (Reale g : {0.0L, 90.0L, 180.0L, 270.0L, 360.0L, -90.0L, -450.0L, 9e18L, 0x1p57L * 45, -0x1p57L * 45 - 90, 0x1p80L * 45}) {
    const Reale quarti = std::fmod(g / 90, 4);
    const int q = static_cast<int>(quarti < 0 ? quarti + 4 : quarti);
    const Reale seni[] = {0, 1, 0, -1}, coseni[] = {1, 0, -1, 0};
    EXPECT_EQ(SenoGradi(g), seni[q]) << static_cast<double>(g);
    EXPECT_EQ(CosenoGradi(g), coseni[q]) << static_cast<double>(g);
  }
  EXPECT_EQ(SenoGradi(1e20L), SenoGradi(280));
  EXPECT_EQ(SenoGradi(-30), -SenoGradi(30));
  EXPECT_EQ(NumeroInTesto(SenoGradi(30)), "0.5");
  EXPECT_EQ(NumeroInTesto(CosenoGradi(60)), "0.5");
  EXPECT_TRUE(std::isnan(SenoGradi(std::numeric_limits<Reale>::infinity())));
  EXPECT_TRUE(std::isnan(CosenoGradi(std::numeric_limits<Reale>::quiet_NaN())));
}

class IntervalloTest : public ::testing::Test {
 protected:
  test::ScriptedWindow finestra;
  test::FinestraInstallata installata{finestra};
};

TEST_F(IntervalloTest, InclusiveAndExclusiveBoundsWithTheirMessages) {
  EXPECT_TRUE(ControllaIntervallo(true, false, true, 0, 0, 50));
  EXPECT_TRUE(ControllaIntervallo(true, false, true, 50, 0, 50));
  EXPECT_TRUE(finestra.Messaggi.empty());
  EXPECT_FALSE(ControllaIntervallo(false, false, true, 0, 0, 50));
  EXPECT_FALSE(ControllaIntervallo(false, false, true, 50, 0, 50));
  ASSERT_EQ(finestra.Messaggi.size(), 2u);
  EXPECT_EQ(finestra.Messaggi[0].testo, "Il numero deve essere compreso tra 0 e 50 estremi esclusi ");
  EXPECT_EQ(finestra.Messaggi[0].tipo, TTipoMessaggio::Errore);
  EXPECT_FALSE(ControllaIntervallo(true, false, true, 51, 0, 50));
  EXPECT_EQ(finestra.Messaggi.back().testo, "Il numero deve essere compreso tra 0 e 50");
}

TEST_F(IntervalloTest, IntegralCheckRunsOnlyAfterTheRangePassed) {
  EXPECT_FALSE(ControllaIntervallo(true, true, true, 2.5L, 0, 10));
  ASSERT_EQ(finestra.Messaggi.size(), 1u);
  EXPECT_EQ(finestra.Messaggi[0].testo, "Il numero non può contenere la parte decimale");
  EXPECT_FALSE(ControllaIntervallo(true, true, true, 20.5L, 0, 10));
  EXPECT_EQ(finestra.Messaggi.size(), 2u);
  EXPECT_EQ(finestra.Messaggi[1].testo, "Il numero deve essere compreso tra 0 e 10");
  EXPECT_FALSE(ControllaIntervallo(true, true, false, 2.5L, 0, 10));
  EXPECT_EQ(finestra.Messaggi.size(), 2u) << "no report when not asked";
}

}  // namespace
}  // namespace qx
