// Every kind of figure drawn on the QImage canvas, checked by pixel probes; the pictures
// are saved as PNG files beside the test for a look.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "platform/RecordingCanvas.h"
#include "platform/qt/ApplicazioneQt.h"
#include "platform/qt/QImageCanvas.h"
#include "tests/figure/Cornice.h"
#include "values/figure/VariabiliFigure.h"

namespace qx {
namespace {

class DisegnoTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureGuiApplication(); }
  void TearDown() override {
    const std::string nome = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    tela.SalvaPng((std::filesystem::path(::testing::TempDir()) / ("figure_" + nome + ".png")).string());
  }
  // Whether some pixel within d of (x, y) has the colour.
  bool Vicino(int x, int y, TColor colore, int d = 1) {
    for (int dy = -d; dy <= d; ++dy)
      for (int dx = -d; dx <= d; ++dx)
        if (tela.Pixels(x + dx, y + dy) == colore) return true;
    return false;
  }
  TQImageCanvas tela{600, 400};
  test::Cornice cornice{&tela};
};

TEST_F(DisegnoTest, PointSegmentCircleAndPolygon) {
  cValorePunto p;
  p.Pen.Color = clRed;
  p.bCoordCartesiane = true;
  p.xCart = 1;
  p.Disegna(tela);
  EXPECT_EQ(tela.Pixels(330, 200), clRed);
  EXPECT_EQ(tela.Pixels(332, 202), clRed);
  EXPECT_EQ(tela.Pixels(333, 200), clWhite);

  cValoreRetta s(T_SEGMENTO);
  s.Pen.Color = clGreen;
  s.x1 = -4;
  s.y1 = 4;
  s.x2 = -2;
  s.y2 = 4;
  s.Disegna(tela);
  EXPECT_EQ(tela.Pixels(200, 80), clGreen);
  EXPECT_EQ(tela.Pixels(180, 80), clGreen);

  cValoreCerchio k;
  k.Pen.Color = clBlue;
  k.bCoordCartesiane = true;
  k.x = 5;
  k.y = -3;
  k.r = 1;
  k.Disegna(tela);
  EXPECT_TRUE(Vicino(480, 290, clBlue));
  EXPECT_TRUE(Vicino(450, 320, clBlue));
  EXPECT_EQ(tela.Pixels(450, 290), clWhite) << "an unfilled circle";

  cValorePoligono q;
  q.Pen.Color = clBlack;
  q.Brush = {clYellow, bsSolid};
  q.Punti.Aggiungi(-8, -2);
  q.Punti.Aggiungi(-6, -2);
  q.Punti.Aggiungi(-6, -4);
  q.Disegna(tela);
  EXPECT_EQ(tela.Pixels(115, 300), clYellow);
  EXPECT_EQ(tela.Pixels(60, 260), clBlack);
}

// A point far beyond the surface (a file can hold any coordinates) draws nothing and
// overflows nothing, with its label too.
TEST_F(DisegnoTest, AFarPointDrawsNothing) {
  for (Reale v : {Reale(1e20L), Reale(-1e20L), Reale(3e9L)}) {
    cValorePunto p;
    p.Pen.Color = clRed;
    p.bCoordCartesiane = true;
    p.xCart = v;
    p.yCart = -v;
    p.Etichetta = "P_1";
    p.Disegna(tela);
  }
  for (int y = 0; y < 400; y += 7)
    for (int x = 0; x < 600; x += 7) ASSERT_NE(tela.Pixels(x, y), clRed) << x << "," << y;
}

TEST_F(DisegnoTest, AngleArcAndSector) {
  cValoreAngolo a;
  a.Pen.Color = clRed;
  a.x1 = 2;
  a.x3 = 0;
  a.y3 = 2;  // marks of 18, 12 and 4 pixels in the first quadrant
  a.Disegna(tela);
  EXPECT_TRUE(Vicino(300 + 13, 200 - 13, clRed));
  EXPECT_FALSE(Vicino(300 - 13, 200 + 13, clRed, 2));
  EXPECT_EQ(tela.Pixels(340, 200), clRed) << "the sides";

  cValoreArco s(T_SETTORECIRC);
  s.Pen.Color = clBlue;
  s.Brush = {clAqua, bsSolid};
  s.x1 = -3;
  s.y1 = 3;
  s.x2 = -5;
  s.y2 = 3;
  s.x3 = -5;
  s.y3 = 5;
  s.Disegna(tela);
  EXPECT_EQ(tela.Pixels(165, 95), clAqua);
  EXPECT_NE(tela.Pixels(135, 95), clAqua);
}

TEST_F(DisegnoTest, ConicsTouchTheirVertices) {
  cValoreConica e(T_ELLISSE);
  e.Pen.Color = clRed;
  e._a = 3;
  e._b = 2;
  e.Disegna(tela);
  EXPECT_TRUE(Vicino(390, 200, clRed));
  EXPECT_TRUE(Vicino(210, 200, clRed));
  EXPECT_TRUE(Vicino(300, 140, clRed));
  EXPECT_TRUE(Vicino(300, 260, clRed));
  EXPECT_EQ(tela.Pixels(300, 200), clWhite);

  cValoreConica p(T_PARABOLA);
  p.Pen.Color = clBlue;
  p._a = 0.5;
  p.Disegna(tela);
  EXPECT_TRUE(Vicino(300, 200, clBlue));
  EXPECT_TRUE(Vicino(360, 140, clBlue));
  EXPECT_TRUE(Vicino(240, 140, clBlue));

  cValoreConica i(T_IPERBOLE);
  i.Pen.Color = clGreen;
  i._a = 2;
  i._b = 1;
  i.Disegna(tela);
  EXPECT_TRUE(Vicino(360, 200, clGreen));
  EXPECT_TRUE(Vicino(240, 200, clGreen));
  EXPECT_FALSE(Vicino(300, 200, clGreen, 3)) << "nothing between the branches";
}

TEST_F(DisegnoTest, ConicsInGeneralPosition) {
  cValoreConica e(T_ELLISSE);
  e.Pen.Color = clRed;
  e._xa = -3;
  e._xb = 3;
  e._k = 4.0L / 9;  // half-axes 3 and 2
  e.Disegna(tela);
  EXPECT_TRUE(Vicino(210, 200, clRed));
  EXPECT_TRUE(Vicino(390, 200, clRed));
  EXPECT_TRUE(Vicino(300, 140, clRed, 2));
  EXPECT_TRUE(Vicino(300, 260, clRed, 2));

  tela = TQImageCanvas(600, 400);
  cValoreConica p(T_PARABOLA);
  p.Pen.Color = clBlue;
  p._xa = 0;
  p._ya = -4;
  p._xb = 0;
  p._yb = 0;
  p._k = 1;  // x^2 = y + 4
  p.Disegna(tela);
  EXPECT_TRUE(Vicino(300, 320, clBlue));
  EXPECT_TRUE(Vicino(360, 200, clBlue, 2));

  // A negative factor gives no curve point at all, and certainly no NaN pixel.
  tela = TQImageCanvas(600, 400);
  p._k = -1.5;
  p.Disegna(tela);
  cValoreConica h(T_IPERBOLE);
  h._xa = -1;
  h._xb = 1;
  h._k = -2;
  h.Disegna(tela);
  for (int x = 0; x < 600; x += 7)
    for (int y = 0; y < 400; y += 7) ASSERT_EQ(tela.Pixels(x, y), clWhite);
}

TEST_F(DisegnoTest, BarChartsScaleTheirBars) {
  cValoreDiagramma d(T_DIAG_STR, 3);
  d.Brush = {clLime, bsSolid};
  d._freq.Scrivi(1, 1);
  d._freq.Scrivi(2, 2);
  d._freq.Scrivi(3, 4);
  d.Disegna(tela);
  // Bar 2 spans columns 231..274 and rows 250..400.
  EXPECT_EQ(tela.Pixels(252, 260), clLime);
  EXPECT_EQ(tela.Pixels(252, 398), clLime);
  EXPECT_NE(tela.Pixels(252, 245), clLime);
  EXPECT_NE(tela.Pixels(228, 300), clLime);

  tela = TQImageCanvas(600, 400);
  d._maxAlt = 10;
  d.Disegna(tela);
  // The top of the scale is 10: the bar of 4 starts at row 280.
  EXPECT_EQ(tela.Pixels(340, 285), clLime);
  EXPECT_NE(tela.Pixels(340, 275), clLime);

  tela = TQImageCanvas(600, 400);
  cValoreDiagramma zero(T_DIAG_IST, 2);
  zero.Disegna(tela);  // every frequency 0: drawn, and returns
  cValoreDiagramma lunga(T_DIAG_STR, 2);
  lunga._freq.Scrivi(1, 1);
  lunga._freq.Scrivi(2, -1e20L);
  lunga.Disegna(tela);  // a scale step far below the range: bounded
  SUCCEED();
}

TEST_F(DisegnoTest, HistogramPolygonJoinsTheMiddlesOfTheBars) {
  // Whether some line starts in the middle column of the first bar.
  auto poligono = [](const cValoreDiagramma& d, int colonna) {
    TRecordingCanvas registro(600, 400);
    const_cast<cValoreDiagramma&>(d).Disegna(registro);
    for (const std::string& r : registro.Righe())
      if (r.starts_with("MoveTo " + std::to_string(colonna) + " ")) return true;
    return false;
  };
  cValoreDiagramma due(T_DIAG_IST, 2);
  due._freq.Scrivi(1, 2);
  due._freq.Scrivi(2, 4);
  // w = 305 / 2.3; the first bar starts at column 101, its middle is 167.
  EXPECT_TRUE(poligono(due, 167));
  cValoreDiagramma una(T_DIAG_IST, 1);
  una._freq.Scrivi(1, 4);
  // w = 305 / 1.3; the only bar's middle is 218, and no polygon starts there.
  EXPECT_FALSE(poligono(una, 218));
}

TEST_F(DisegnoTest, PieSlicesAndLabels) {
  cValoreDiagramma d(T_DIAG_CIRC, 3);
  d._freq.Scrivi(1, 2);
  d._freq.Scrivi(2, 3);
  d._freq.Scrivi(3, 5);
  d.Disegna(tela);
  // Centre (250, 250), radius 150; angles grow clockwise on the screen.
  auto punto = [](Reale gradi, Reale r) {
    const Reale a = gradi * PI_SU_180;
    return TPoint{250 + int(std::lround(double(r * std::cos(a)))), 250 + int(std::lround(double(r * std::sin(a))))};
  };
  const TPoint a = punto(36, 100), b = punto(126, 100), c = punto(270, 100);
  EXPECT_EQ(tela.Pixels(a.x, a.y), IndiceAColore(9));
  EXPECT_EQ(tela.Pixels(b.x, b.y), IndiceAColore(10));
  EXPECT_EQ(tela.Pixels(c.x, c.y), IndiceAColore(11));

  TRecordingCanvas registro(600, 400);
  d.Disegna(registro);
  std::vector<std::string> testi;
  for (const std::string& r : registro.Righe())
    if (r.starts_with("TextOut")) testi.push_back(r.substr(r.find('"')));
  ASSERT_EQ(testi.size(), 6u);
  EXPECT_EQ(testi[0], "\"2 (20%)\"");
  EXPECT_EQ(testi[2], "\"3 (30%)\"");
  EXPECT_EQ(testi[4], "\"5 (50%)\"");
}

// The boxes of the texts a figure writes, by the alignment each was written with.
class CanvasScritte : public TRecordingCanvas {
 public:
  struct Scritta {
    std::string testo;
    TRect box;
  };
  void TextOut(int x, int y, const std::string& testo) override {
    const int w = TextWidth(testo), h = TextHeight(testo);
    const int sinistra = TextAlign.Horz == haRight ? x - w : TextAlign.Horz == haCenter ? x - w / 2 : x;
    scritte.push_back({testo, {sinistra, y, sinistra + w, y + h}});
  }
  std::vector<Scritta> scritte;
};

TEST_F(DisegnoTest, PieLabelsCanBeReadBesideTheirValues) {
  cValoreDiagramma d(T_DIAG_CIRC, 3);
  const char* nomi[] = {"Mele", "Pere", "Fragole"};
  for (int i = 1; i <= 3; ++i) {
    d._freq.Scrivi(i, i == 3 ? 2 : 1);
    d._descr.Scrivi(i, nomi[i - 1]);
  }
  CanvasScritte c;
  d.Disegna(c);
  ASSERT_EQ(c.scritte.size(), 6u);
  const std::string attesi[] = {"1 (25%)", "Mele", "1 (25%)", "Pere", "2 (50%)", "Fragole"};
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(c.scritte[i].testo, attesi[i]);
  // No text covers another (before, each description lay on its value).
  for (std::size_t i = 0; i < 6; ++i)
    for (std::size_t j = i + 1; j < 6; ++j) {
      const TRect &a = c.scritte[i].box, &b = c.scritte[j].box;
      EXPECT_FALSE(a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom)
          << c.scritte[i].testo << " / " << c.scritte[j].testo;
    }
  // Each description follows its value on the value's line, one blank on; a slice on the
  // left ends its line at its anchor, one on the right starts it there.
  const int blank = c.TextWidth(" ");
  for (std::size_t i = 0; i < 6; i += 2) {
    const TRect &valore = c.scritte[i].box, &descrizione = c.scritte[i + 1].box;
    EXPECT_EQ(descrizione.Top, valore.Top);
    EXPECT_EQ(descrizione.Left, valore.Right + blank);
  }
  // Centre (250, 250), radius 150: the slices' middles are at 45 and 135 degrees, and at
  // 269.75 on top (its start widened by half a degree), one pixel left of the centre.
  EXPECT_EQ(c.scritte[0].box.Left, 250 + int(std::lround(155 * std::cos(45 * 3.14159265358979 / 180))));
  EXPECT_EQ(c.scritte[3].box.Right, 250 + int(std::lround(155 * std::cos(135 * 3.14159265358979 / 180))));
  EXPECT_EQ(c.scritte[5].box.Right, 249);
}

TEST_F(DisegnoTest, OneClassPieIsAFullDiscAndColoursCycle) {
  cValoreDiagramma d(T_DIAG_CIRC, 1);
  d._freq.Scrivi(1, 7);
  d.Disegna(tela);
  for (Reale gradi : {0.0L, 1.0L, 90.0L, 180.0L, 359.0L}) {
    const Reale a = gradi * PI_SU_180;
    const int x = 250 + int(std::lround(double(100 * std::cos(a)))), y = 250 + int(std::lround(double(100 * std::sin(a))));
    EXPECT_EQ(tela.Pixels(x, y), IndiceAColore(9)) << double(gradi);
  }

  TRecordingCanvas registro(600, 400);
  d.Disegna(registro);
  std::vector<std::string> testi;
  for (const std::string& r : registro.Righe())
    if (r.starts_with("TextOut")) testi.push_back(r.substr(r.find('"')));
  ASSERT_EQ(testi.size(), 2u);
  EXPECT_EQ(testi[0], "\"7 (100%)\"");

  tela = TQImageCanvas(600, 400);
  cValoreDiagramma molte(T_DIAG_CIRC, 20);
  for (int i = 1; i <= 20; ++i) molte._freq.Scrivi(i, 1);
  molte.Disegna(tela);
  // Class 17 (index 25 -> 9) lies between 288 and 306 degrees.
  const Reale a = 297 * PI_SU_180;
  EXPECT_EQ(tela.Pixels(250 + int(std::lround(double(120 * std::cos(a)))), 250 + int(std::lround(double(120 * std::sin(a))))),
            IndiceAColore(9));
}

TEST_F(DisegnoTest, TextAndPicture) {
  cValoreTesto t;
  t.Font.Color = clRed;
  t.Testo = "MMMM";
  t.x = -9;
  t.y = 6;
  t.Disegna(tela);
  bool rosso = false;
  for (int x = 30; x < 70; ++x)
    for (int y = 20; y < 40; ++y) rosso = rosso || tela.Pixels(x, y) == clRed;
  EXPECT_TRUE(rosso);

  cValoreImmagine im;
  im.Immagine = TBitmap(10, 10, ColoreInPixel(clPurple));
  im.x = 5;
  im.y = 5;
  im.Disegna(tela);
  EXPECT_EQ(tela.Pixels(455, 55), clPurple);
  EXPECT_EQ(tela.Pixels(460, 55), clWhite);
}

}  // namespace
}  // namespace qx
