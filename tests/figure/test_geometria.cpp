// The plane analytic-geometry helpers, with the degenerate cases that callers rely on.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/figure/Cornice.h"
#include "values/GeometriaAnalitica.h"

namespace qx {
namespace {

class GeometriaTest : public ::testing::Test {
 protected:
  test::Cornice cornice;
};

TEST_F(GeometriaTest, DistancesAndPointsAtADistance) {
  EXPECT_EQ(Distanza(0, 0, 3, 4), 5);
  EXPECT_EQ(Distanza(2, 2, 2, 2), 0);
  const TPuntoMondo p = PuntoADistanza(5, {0, 0}, {6, 8});
  EXPECT_NEAR(double(p.x), 3, 1e-15);
  EXPECT_NEAR(double(p.y), 4, 1e-15);
  const TPuntoMondo indietro = PuntoADistanza(-5, {0, 0}, {-6, -8});
  EXPECT_NEAR(double(indietro.x), -3, 1e-15) << "only d^2 counts; the direction comes from B";
  const TPuntoMondo stesso = PuntoADistanza(7, {1, 2}, {1, 2});
  EXPECT_EQ(stesso.x, 1);
  EXPECT_EQ(stesso.y, 2);
  EXPECT_NEAR(double(DistanzaPuntoRetta({0, 5}, {-1, 1}, {1, 1})), 4, 1e-15);
  EXPECT_EQ(DistanzaPuntoRetta({5, 0}, {2, 0}, {2, 9}), 3);
}

TEST_F(GeometriaTest, LineIntersections) {
  TPuntoMondo I;
  EXPECT_TRUE(IntersezioneRette({0, 0}, {2, 2}, {0, 2}, {2, 0}, I));
  EXPECT_NEAR(double(I.x), 1, 1e-15);
  EXPECT_NEAR(double(I.y), 1, 1e-15);
  EXPECT_FALSE(IntersezioneRette({0, 0}, {1, 1}, {0, 1}, {1, 2}, I));
  EXPECT_EQ(I.x, -1000);
  EXPECT_EQ(I.y, -1000);
  EXPECT_TRUE(IntersezioneRette({0, 0}, {1, 1}, {1, 1}, {2, 2}, I)) << "a shared end answers even for parallels";
  EXPECT_EQ(I.x, 1);
  EXPECT_TRUE(IntersezioneRette({3, -5}, {3, 5}, {-1, 2}, {8, 2}, I));
  EXPECT_EQ(I.x, 3);
  EXPECT_EQ(I.y, 2);
  EXPECT_FALSE(IntersezioneRette({1, 0}, {1, 5}, {4, 0}, {4, 5}, I)) << "two vertical lines never meet";
}

TEST_F(GeometriaTest, LinesCutAtTheWindow) {
  // The window is -10..10 across and -6.67..6.67 up.
  TPuntoMondo A, B;
  RettaNelRiquadro({1, 1}, {2, 1.5L}, A, B);
  EXPECT_EQ(A.x, -10);
  EXPECT_EQ(B.x, 10);
  RettaNelRiquadro({2, 1.5L}, {1, 1}, A, B);
  EXPECT_EQ(A.x, 10) << "the first end is the one nearer to the first point";
  RettaNelRiquadro({1, 0}, {1, 3}, A, B);
  EXPECT_EQ(A.x, 1);
  EXPECT_NEAR(double(A.y), -200.0 / 30, 1e-12);
  EXPECT_NEAR(double(B.y), 200.0 / 30, 1e-12);

  RettaParallelaPerpendicolare({0, 0}, {1, 1}, {0, 2}, 2, A, B);
  EXPECT_EQ(A.x, -10);
  EXPECT_NEAR(double(A.y), 12, 1e-15);
  RettaParallelaPerpendicolare({0, 0}, {0, 1}, {3, 3}, 2, A, B);
  EXPECT_EQ(A.y, 3) << "perpendicular to a vertical line: horizontal";
  EXPECT_EQ(B.y, 3);
  RettaParallelaPerpendicolare({0, 0}, {0, 1}, {3, 3}, 1, A, B);
  EXPECT_EQ(A.x, 3);
  EXPECT_EQ(B.x, 3);
}

TEST_F(GeometriaTest, MirrorAndRotation) {
  const TPuntoMondo s = SimmetricoRetta({2, 0}, {0, 0}, {1, 1});
  EXPECT_NEAR(double(s.x), 0, 1e-15);
  EXPECT_NEAR(double(s.y), 2, 1e-15);
  const TPuntoMondo v = SimmetricoRetta({3, 7}, {1, 0}, {1, 5});
  EXPECT_EQ(v.x, -1);
  EXPECT_EQ(v.y, 7);
  const TPuntoMondo r = RuotaPunto({1, 0}, {0, 0}, 90.0L / 180);
  EXPECT_NEAR(double(r.x), 0, 1e-15);
  EXPECT_NEAR(double(r.y), 1, 1e-15);
  const TPoint rp = RuotaPuntoPixel({110, 100}, {100, 100}, 0.5L);
  EXPECT_EQ(rp, (TPoint{100, 90})) << "anticlockwise on the screen: up";
}

TEST_F(GeometriaTest, Circles) {
  TPuntoMondo c;
  Reale r = 0;
  ASSERT_TRUE(CerchioPerTrePunti({1, 0}, {0, 1}, {-1, 0}, c, r));
  EXPECT_NEAR(double(c.x), 0, 1e-15);
  EXPECT_NEAR(double(c.y), 0, 1e-15);
  EXPECT_NEAR(double(r), 1, 1e-15);
  EXPECT_FALSE(CerchioPerTrePunti({0, 0}, {1, 1}, {2, 2}, c, r)) << "collinear points lie on no circle";
  EXPECT_FALSE(CerchioPerTrePunti({0, 0}, {0, 0}, {2, 2}, c, r));

  EXPECT_EQ(YCerchioSopra(5, {0, 0}, 2), 2147483647);
  EXPECT_EQ(XCerchioSinistra(0, {0, 0}, 2), -2);

  TPuntoMondo I1, I2;
  EXPECT_EQ(IntersezioneCerchi({0, 0}, 4, {10, 0}, 6, I1, I2), 1);
  EXPECT_NEAR(double(I1.x), 4, 1e-15);
  EXPECT_EQ(IntersezioneCerchi({0, 0}, 1, {10, 0}, 1, I1, I2), 0);
  EXPECT_EQ(IntersezioneCerchi({0, 0}, 5, {1, 0}, 1, I1, I2), 3);
  EXPECT_EQ(IntersezioneCerchi({0, 0}, 2, {0, 0}, 2, I1, I2), 4);
  ASSERT_EQ(IntersezioneCerchi({0, 0}, 5, {6, 0}, 5, I1, I2), 2);
  EXPECT_NEAR(double(I1.x), 3, 1e-15);
  EXPECT_NEAR(double(std::fabs(I1.y)), 4, 1e-15);
  // Inner tangencies computed in floating point: never a NaN, the touching point twice.
  for (int k = 1; k <= 200; ++k) {
    const Reale d = std::sqrt(Reale(k) / 7), r1 = 0.3L * k;
    const int n = IntersezioneCerchi({0, 0}, r1, {d / std::sqrt(2.0L), d / std::sqrt(2.0L)}, r1 - d, I1, I2);
    if (n != 2) continue;
    EXPECT_FALSE(std::isnan(I1.x) || std::isnan(I1.y) || std::isnan(I2.x) || std::isnan(I2.y)) << k;
    EXPECT_NEAR(double(I1.x), double(I2.x), 1e-6) << k;
  }
  EXPECT_EQ(IntersezioneRettaCerchio({-5, 0}, {5, 0}, {0, 0}, 2, I1, I2), 2);
  EXPECT_EQ(I1.x, 2);
  EXPECT_EQ(I2.x, -2);
  EXPECT_EQ(IntersezioneRettaCerchio({2, -5}, {2, 5}, {0, 0}, 2, I1, I2), 1);
  EXPECT_EQ(IntersezioneRettaCerchio({-5, -1}, {5, 9}, {0, 0}, 2, I1, I2), 0);
  EXPECT_EQ(IntersezioneRettaCerchio({-5, -5}, {5, 5}, {0, 0}, std::sqrt(2.0L), I1, I2), 2);
  EXPECT_NEAR(double(I1.x), 1, 1e-15);

  TPuntoMondo a, b, d, e;
  EXPECT_EQ(TangentiDaPunto({0, 0}, {0, 0}, 2, a, b, d, e), 0);
  EXPECT_EQ(TangentiDaPunto({2, 0}, {0, 0}, 2, a, b, d, e), 1);
  EXPECT_EQ(a.x, 2);
  EXPECT_EQ(TangentiDaPunto({4, 0}, {0, 0}, 2, a, b, d, e), 2);
}

TEST_F(GeometriaTest, DirectionsAndAngles) {
  EXPECT_EQ(AngoloDirezione(0, 1, 0), 360);
  EXPECT_EQ(AngoloDirezione(1, 0, 0), 90);
  EXPECT_EQ(AngoloDirezione(0, -1, 0), 180);
  EXPECT_EQ(AngoloDirezione(-1, 0, 0), 270);
  EXPECT_NEAR(double(AngoloDirezione(1, 1, 1)), 45, 1e-12);
  EXPECT_NEAR(double(AngoloDirezione(-1, 1, -1)), 315, 1e-12);
  EXPECT_NEAR(double(AngoloTraSegmenti({1, 0}, {0, 0}, {0, 1}, 'A')), 90, 1e-12);
  EXPECT_NEAR(double(AngoloTraSegmenti({1, 0}, {0, 0}, {0, 1}, 'O')), 270, 1e-12);
  EXPECT_EQ(AngoloTraSegmentiPixel({110, 100}, {100, 100}, {100, 90}, 'A'), 90);
  EXPECT_EQ(AngoloTraSegmentiPixel({110, 100}, {100, 100}, {100, 90}, 'O'), 270);
}

TEST_F(GeometriaTest, PixelRoutines) {
  EXPECT_EQ(YDalBasso(100), 300);
  EXPECT_EQ(DistanzaPixel({0, 0}, {3, 4}), 5);
  EXPECT_EQ(DistanzaPuntoRettaPixel({5, 10}, {0, 0}, {10, 0}), 10);
  EXPECT_TRUE(PuntiPixelVicini({0, 0}, {9, 9}));
  EXPECT_FALSE(PuntiPixelVicini({0, 0}, {10, 0}));
  TPoint E1, E2;
  RettaParallelaPerpendicolarePixel({0, 0, 600, 400}, {0, 100}, {50, 100}, 2, {20, 30}, E1, E2);
  EXPECT_EQ(E1, (TPoint{20, 0}));
  EXPECT_EQ(E2, (TPoint{20, 400}));
  TPoint c;
  int r = 0;
  ASSERT_TRUE(CentroCerchioTrePuntiPixel({110, 100}, {100, 90}, {90, 100}, c, r));
  EXPECT_EQ(c, (TPoint{100, 100}));
  EXPECT_EQ(r, 10);
  EXPECT_FALSE(CentroCerchioTrePuntiPixel({0, 0}, {1, 1}, {2, 2}, c, r));
  EXPECT_EQ(SimmetricoRettaPixel({10, 0}, {0, 0}, {0, 5}), (TPoint{-10, 0}));
}

}  // namespace
}  // namespace qx
