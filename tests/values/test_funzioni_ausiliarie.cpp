#include <gtest/gtest.h>

#include "values/FunzioniAusiliarie.h"

namespace qx {
namespace {

TEST(FunzioniAusiliarieTest, Texts) {
  EXPECT_EQ(SostituisciTesto("aaa", "aa", "b"), "ba");
  EXPECT_EQ(SostituisciTesto("x^2+x", "x", "(t)"), "(t)^2+(t)");
  EXPECT_EQ(SostituisciTesto("abc", "", "z"), "abc") << "an empty pattern changes nothing";
  EXPECT_EQ(RimuoviSpazi(" 1 + x "), "1+x");
  EXPECT_EQ(RimuoviSpazi("a\tb"), "a\tb");
  std::vector<std::string> righe{"a", "", "  "};
  RimuoviRigheVuoteFinali(righe);
  EXPECT_EQ(righe, std::vector<std::string>{"a"});
  righe = {"", "", ""};
  RimuoviRigheVuoteFinali(righe);
  EXPECT_EQ(righe.size(), 1u) << "the first line is never deleted";
}

TEST(FunzioniAusiliarieTest, PolarAngles) {
  EXPECT_EQ(AngoloPolare(1, -1), 135);
  EXPECT_EQ(AngoloPolare(0, -1), 180);
  EXPECT_EQ(AngoloPolare(0, 0), 0);
  EXPECT_EQ(AngoloPolare(-1, 0), 270);
  EXPECT_NEAR(static_cast<double>(AngoloPolare(1, 1)), 45, 1e-12);
  EXPECT_NEAR(static_cast<double>(AngoloPolare(-1, -1)), 225, 1e-12);
  EXPECT_NEAR(static_cast<double>(AngoloPolare(-1, 1)), 315, 1e-12);
}

TEST(FunzioniAusiliarieTest, PointsSortedByAngleAroundTheLowest) {
  std::vector<TPuntoMondo> p{{1, 1}, {0, 1}, {1, 0}, {0, 0}};
  OrdinaPuntiPerAngolo(p, 3);
  EXPECT_EQ(p[0].x, 0);
  EXPECT_EQ(p[0].y, 0);
  EXPECT_EQ(p[1].x, 1);
  EXPECT_EQ(p[1].y, 0);
  EXPECT_EQ(p[2].x, 1);
  EXPECT_EQ(p[2].y, 1);
  EXPECT_EQ(p[3].x, 0);
  EXPECT_EQ(p[3].y, 1);
}

TEST(FunzioniAusiliarieTest, PixelTests) {
  const TRect r{0, 0, 10, 10};
  EXPECT_TRUE(PuntoInRettangolo(r, {0, 0}));
  EXPECT_FALSE(PuntoInRettangolo(r, {10, 5})) << "right edge excluded";
  EXPECT_TRUE(PuntoSuSegmentoPixel({5, 7}, {0, 5}, {10, 5}));
  EXPECT_FALSE(PuntoSuSegmentoPixel({5, 9}, {0, 5}, {10, 5}));
  EXPECT_FALSE(PuntoSuSegmentoPixel({11, 5}, {0, 5}, {10, 5}));
  EXPECT_TRUE(PuntoSuSegmentoPixel({3, 20}, {0, 0}, {0, 40})) << "vertical: within 3 pixels";
  EXPECT_FALSE(PuntoSuSegmentoPixel({4, 20}, {0, 0}, {0, 40}));
  EXPECT_TRUE(PuntoSuSegmentoPixel({22, 20}, {0, 0}, {40, 40}));
  EXPECT_FALSE(PuntoSuSegmentoPixel({30, 20}, {0, 0}, {40, 40}));
}

TEST(FunzioniAusiliarieTest, Colours) {
  int r, g, b;
  ScomponiColore(ComponiColore(1, 2, 3), r, g, b);
  EXPECT_EQ(r, 1);
  EXPECT_EQ(g, 2);
  EXPECT_EQ(b, 3);
  EXPECT_EQ(ComponiColore(255, 0, 0), clRed);
}

TEST(FunzioniAusiliarieTest, SpaceHelpers) {
  TPunto3D n, p;
  PianoPerTrePunti({0, 0, 5}, {1, 0, 5}, {0, 1, 5}, n, p);
  EXPECT_EQ(n.x, 0);
  EXPECT_EQ(n.y, 0);
  EXPECT_NE(n.z, 0);
  // z = 5 is too far from the origin: the point is searched on the other axes, then z again.
  EXPECT_EQ(p.z, 5);
  Reale z = 0;
  EXPECT_TRUE(ZSuPiano({0, 0, 1}, {1, 0, 2}, {0, 1, 3}, 2, 2, z));
  EXPECT_EQ(z, 1 + 2 + 4);
  Reale x = 99;
  EXPECT_FALSE(XSuPiano({0, 0, 1}, {1, 0, 1}, {0, 0, 2}, 2, 2, x)) << "plane parallel to the x axis";
  EXPECT_EQ(x, 99);

  TPunto3D r = RuotaPunto3D({1, 0, 0}, {0, 0, 0}, 'z', GradiInRadianti(90));
  EXPECT_NEAR(static_cast<double>(r.x), 0, 1e-15);
  EXPECT_NEAR(static_cast<double>(r.y), 1, 1e-15);
  EXPECT_EQ(r.z, 0);

  TAffineVector punto, dir;
  EXPECT_FALSE(IntersezionePiani3D({0, 0, 1}, {0, 0, 0}, {0, 0, 2}, {0, 0, 1}, punto, dir));
  ASSERT_TRUE(IntersezionePiani3D({0, 0, 1}, {0, 0, 2}, {1, 0, 0}, {3, 0, 0}, punto, dir));
  EXPECT_FLOAT_EQ(punto.X, 3);
  EXPECT_FLOAT_EQ(punto.Z, 2);
  EXPECT_FLOAT_EQ(punto.Y, 0);
  EXPECT_FLOAT_EQ(Distanza3D({0, 0, 0}, {3, 4, 0}), 5);
  TAffineVector m = PuntoADistanza3D(1, {0, 0, 0}, {0, 0, 4});
  EXPECT_FLOAT_EQ(m.Z, 3);
}

}  // namespace
}  // namespace qx
