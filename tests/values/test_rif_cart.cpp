#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "runstate/DatiGlob.h"
#include "platform/PaintBox.h"
#include "platform/RecordingCanvas.h"
#include "platform/qt/ApplicazioneQt.h"
#include "platform/qt/QImageCanvas.h"
#include "values/RifCart.h"

namespace qx {
namespace {

// A ruler control of the window: a surface of a given size and colour.
template <class C>
class Righello : public TPaintBox {
 public:
  Righello(int w, int h) : w_(w), h_(h), canvas_(w, h) { canvas_.Brush.Color = clSilver; }
  int Width() const override { return w_; }
  int Height() const override { return h_; }
  C& Canvas() override { return canvas_; }

 private:
  int w_, h_;
  C canvas_;
};

std::vector<std::string> Testi(const std::vector<std::string>& righe) {
  std::vector<std::string> t;
  for (const std::string& r : righe)
    if (r.starts_with("TextOut")) t.push_back(r.substr(r.find('"')));
  return t;
}

bool Contiene(const std::vector<std::string>& righe, const std::string& riga) {
  return std::find(righe.begin(), righe.end(), riga) != righe.end();
}

class RifCartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ReimpostaDatiGlob();
    f.Rettangolo = {0, 0, 600, 400};
    f.__AsseX = 300;
    f.__AsseY = 200;
  }
  TRecordingCanvas c{600, 400};
  cRifCart f{&c};
};

TEST_F(RifCartTest, NewFrameHasTheDefaultSettings) {
  DatiGlob.PennaCorrente = {clRed, psDash, 2, pmCopy};
  cRifCart g(&c);
  EXPECT_FALSE(g._bAssi);
  EXPECT_FALSE(g._bxAnalisi);
  EXPECT_FALSE(g._bAdattaAllaFunzione);
  EXPECT_EQ(g._TaccaX, 30);
  EXPECT_EQ(g._TaccaY, 30);
  EXPECT_EQ(g._xa, -10);
  EXPECT_EQ(g._yb, 10);
  EXPECT_EQ(g.__AsseX, 0) << "the rectangle is still empty";
  EXPECT_EQ(g.AsseYIniziale, 0);
  EXPECT_EQ(g.Pen, DatiGlob.PennaCorrente);
  EXPECT_EQ(g.Canvas, &c);
}

TEST_F(RifCartTest, MapsWorldToPixelsAndBack) {
  EXPECT_EQ(f.XPixel(1), 330);
  EXPECT_EQ(f.YPixel(1), 170);
  EXPECT_EQ(f.XCart(330), 1);
  EXPECT_EQ(f.YCart(170), 1);
  EXPECT_EQ(f.XPixel(-2.5L), 225);
  EXPECT_EQ(f.CartInPixel({2, -1}), (TPoint{360, 230}));
  const TPuntoMondo p = f.PixelInCart({315, 215});
  EXPECT_EQ(p.x, 0.5L);
  EXPECT_EQ(p.y, -0.5L);
  // Halves go to the even neighbour.
  f._TaccaX = 1;
  f.__AsseX = 0;
  EXPECT_EQ(f.XPixel(0.5L), 0);
  EXPECT_EQ(f.XPixel(1.5L), 2);
  EXPECT_EQ(f.XPixel(2.5L), 2);
}

TEST_F(RifCartTest, ErrorValuesAndHugeValuesStayOutOfTheArea) {
  for (Reale e : {VAL_NON_DEFINITA, VAL_TENDE_INFINITO, VAL_DIVISIONE_ZERO, VAL_INDETERMINATA}) {
    EXPECT_EQ(f.XPixel(e), 610);
    EXPECT_EQ(f.YPixel(e), 410);
  }
  for (Reale e : {std::numeric_limits<Reale>::quiet_NaN(), std::numeric_limits<Reale>::infinity(),
                  -std::numeric_limits<Reale>::infinity()}) {
    EXPECT_EQ(f.XPixel(e), 610);
    EXPECT_EQ(f.YPixel(e), 410);
  }
  // Far beyond any surface, with room for the figures' own offsets (a point's square, a
  // label) so that drawing a far point cannot overflow.
  constexpr int kLimite = 1 << 29;
  EXPECT_EQ(f.XPixel(1e20L), kLimite);
  EXPECT_EQ(f.XPixel(-1e20L), -kLimite);
  EXPECT_EQ(f.YPixel(1e20L), -kLimite);
  EXPECT_EQ(f.YPixel(-1e20L), kLimite);
  // Just below and above the size from which an error value is looked for (2^328, under 1e99),
  // and the neighbours of the smallest error value: ordinary numbers, clamped.
  for (Reale e : {std::ldexp(Reale{1}, 328), std::nextafter(std::ldexp(Reale{1}, 328), Reale{0}), Reale{5e98L},
                  std::nextafter(VAL_NON_DEFINITA, Reale{0}), std::nextafter(VAL_NON_DEFINITA, VAL_INDETERMINATA),
                  Reale{2e102L}}) {
    EXPECT_EQ(f.XPixel(e), kLimite) << static_cast<double>(e);
    EXPECT_EQ(f.XPixel(-e), -kLimite) << static_cast<double>(e);
    EXPECT_EQ(f.YPixel(e), -kLimite) << static_cast<double>(e);
  }
  EXPECT_EQ(f.XPixel(-VAL_NON_DEFINITA), -kLimite) << "only the positive values are errors";
}

TEST_F(RifCartTest, AnalysisWindowFillsTheRectangle) {
  f._bxAnalisi = true;
  f.Rettangolo = {0, 0, 400, 300};
  EXPECT_EQ(f.XPixel(0), 200);
  EXPECT_EQ(f.XPixel(-10), 0);
  EXPECT_EQ(f.XPixel(10), 400);
  EXPECT_EQ(f.XCart(400), 10);
  EXPECT_EQ(f.XCart(0), -10);
  EXPECT_EQ(f.YPixel(10), 0);
  EXPECT_EQ(f.YPixel(-10), 300);
  EXPECT_EQ(f.YPixel(5), 75);
  EXPECT_EQ(f.YCart(75), 5);
  f._xa = 2;
  f._xb = 12;
  EXPECT_EQ(f.XPixel(7), 200);
  // A window of no width gives no number: drawn out of sight, not a crash.
  f._xa = f._xb = 3;
  EXPECT_EQ(f.XPixel(3), 410);
}

TEST_F(RifCartTest, AxesLookDrawsAxesArrowsAndUnitTicks) {
  f._bAssi = true;
  f.DisegnaAssi();
  const auto& r = c.Righe();
  const std::vector<std::string> inizio = {
      "FillRect 0 0 600 400", "MoveTo 0 200",   "LineTo 600 200", "MoveTo 590 190", "LineTo 590 210",
      "MoveTo 600 200",       "LineTo 590 190", "MoveTo 600 200", "LineTo 590 210", "MoveTo 300 0",
      "LineTo 300 400",       "MoveTo 290 10",  "LineTo 310 10",  "MoveTo 300 0",   "LineTo 290 10",
      "MoveTo 300 0",         "LineTo 310 10"};
  ASSERT_GE(r.size(), inizio.size());
  EXPECT_EQ(std::vector<std::string>(r.begin(), r.begin() + long(inizio.size())), inizio);
  // Ten ticks each side on x (out to 600 and 0), six each side on y.
  EXPECT_EQ(r.size(), inizio.size() + 2 * (20 + 12));
  EXPECT_TRUE(Contiene(r, "MoveTo 330 197") && Contiene(r, "LineTo 330 204"));
  EXPECT_TRUE(Contiene(r, "MoveTo 600 197") && Contiene(r, "MoveTo 0 197"));
  EXPECT_TRUE(Contiene(r, "MoveTo 297 20") && Contiene(r, "LineTo 304 380"));
  EXPECT_FALSE(Contiene(r, "MoveTo 297 410"));
  EXPECT_TRUE(Testi(r).empty());
  EXPECT_EQ(c.TextAlign, (TTextAlign{haLeft, vaTop}));
}

TEST_F(RifCartTest, AnalysisTicksAreNumberedAcrossTheWindow) {
  f._bAssi = f._bxAnalisi = true;
  f._xa = 2;
  f._xb = 12;
  f.DisegnaAssi();
  const std::vector<std::string> attesi = {"\"2\"", "\"3\"", "\"4\"", "\"5\"",  "\"6\"", "\"7\"",
                                           "\"8\"", "\"9\"", "\"10\"", "\"11\"", "\"12\""};
  std::vector<std::string> x;
  for (const std::string& r : c.Righe())
    if (r.starts_with("TextOut") && r.find(" 202 ") != std::string::npos) x.push_back(r.substr(r.find('"')));
  EXPECT_EQ(x, attesi);
  EXPECT_TRUE(Contiene(c.Righe(), "TextOut 0 202 \"2\""));
  EXPECT_TRUE(Contiene(c.Righe(), "TextOut 300 202 \"7\""));
  EXPECT_TRUE(Contiene(c.Righe(), "TextOut 600 202 \"12\""));
  EXPECT_TRUE(Contiene(c.Righe(), "MoveTo 60 197") && Contiene(c.Righe(), "LineTo 60 203"));
  EXPECT_EQ(c.TextAlign, (TTextAlign{haLeft, vaTop}));
}

TEST_F(RifCartTest, AnalysisWindowAroundZeroMarksZeroTwiceOnXAndNeverOnY) {
  f._bAssi = f._bxAnalisi = true;
  f._xa = f._ya = -5;
  f._xb = f._yb = 5;
  f.DisegnaAssi();
  const std::vector<std::string> t = Testi(c.Righe());
  EXPECT_EQ(std::count(t.begin(), t.end(), "\"0\""), 2);
  EXPECT_EQ(std::count(t.begin(), t.end(), "\"-5\""), 2);
  EXPECT_EQ(std::count(t.begin(), t.end(), "\"4\""), 2);
  EXPECT_EQ(t.size(), 22u);
  EXPECT_TRUE(Contiene(c.Righe(), "TextOut 303 43 \"4\"")) << "y labels right of the axis, above the tick";
  EXPECT_TRUE(Contiene(c.Righe(), "TextOut 300 202 \"0\""));
  EXPECT_TRUE(Contiene(c.Righe(), "TextOut 540 202 \"4\""));
  EXPECT_TRUE(Contiene(c.Righe(), "TextOut 60 202 \"-4\""));
}

TEST_F(RifCartTest, SquaredPaperCoversTheFirstQuadrantAndDrawsTheRulers) {
  Righello<TRecordingCanvas> rx(620, 20), ry(20, 400);
  f.RighelloX = &rx;
  f.RighelloY = &ry;
  f.DisegnaAssi();
  const auto& r = c.Righe();
  EXPECT_EQ(r.front(), "FillRect 0 0 600 400");
  // Eleven vertical lines (x = 0 .. 10) up from the origin row, seven rows (y = 0 .. 6).
  EXPECT_EQ(r.size(), 1u + 2 * (11 + 7));
  EXPECT_TRUE(Contiene(r, "MoveTo 300 200") && Contiene(r, "LineTo 300 0"));
  EXPECT_TRUE(Contiene(r, "MoveTo 600 200") && Contiene(r, "LineTo 600 0"));
  EXPECT_TRUE(Contiene(r, "MoveTo 300 20") && Contiene(r, "LineTo 600 20"));
  EXPECT_EQ(c.Pen.Style, psDot);
  EXPECT_EQ(c.Pen.Color, RGBColor(192, 192, 192));

  const auto& x = rx.Canvas().Righe();
  EXPECT_EQ(x.front(), "FillRect 0 0 620 20");
  const std::vector<std::string> numeriX = {"\"0\"", "\"1\"", "\"2\"", "\"3\"", "\"4\"", "\"5\"",
                                            "\"6\"", "\"7\"", "\"8\"", "\"9\"", "\"10\""};
  EXPECT_EQ(Testi(x), numeriX);
  EXPECT_TRUE(Contiene(x, "TextOut 319 8 \"0\"") && Contiene(x, "TextOut 349 8 \"1\""));
  EXPECT_TRUE(Contiene(x, "MoveTo 319 8") && Contiene(x, "MoveTo 334 6") && Contiene(x, "MoveTo 322 3"));
  // The ruler's canvas keeps its own look afterwards.
  EXPECT_EQ(rx.Canvas().Brush.Color, clSilver);
  EXPECT_EQ(rx.Canvas().TextAlign, (TTextAlign{haLeft, vaTop}));

  const auto& y = ry.Canvas().Righe();
  const std::vector<std::string> numeriY = {"\"1\"", "\"2\"", "\"3\"", "\"4\"", "\"5\"", "\"6\""};
  EXPECT_EQ(Testi(y), numeriY) << "no 0 on the y ruler";
  EXPECT_TRUE(Contiene(y, "TextOut 9 176 \"1\""));
  EXPECT_TRUE(Contiene(y, "MoveTo 11 200") && Contiene(y, "LineTo 19 200"));
}

TEST_F(RifCartTest, RulerMarkersFollowTheMouseOnlyOnSquaredPaper) {
  Righello<TRecordingCanvas> rx(620, 20), ry(20, 400);
  f.RighelloX = &rx;
  f.RighelloY = &ry;
  f.MostraCursoreX(100);
  EXPECT_EQ(rx.Canvas().Righe().back(), "LineTo 119 20");
  EXPECT_EQ(rx.Canvas().Pen.Color, clRed);
  EXPECT_EQ(f.ColonnaCursore, 100);
  f.MostraCursoreY(50);
  EXPECT_EQ(ry.Canvas().Righe().back(), "LineTo 20 50");
  EXPECT_EQ(f.RigaCursore, 50);
  f._bAssi = true;
  const std::size_t prima = rx.Canvas().Righe().size();
  f.MostraCursoreX(200);
  EXPECT_EQ(rx.Canvas().Righe().size(), prima);
  EXPECT_EQ(f.ColonnaCursore, 100);
}

TEST_F(RifCartTest, TinyUnitsOrFarOriginsStayBounded) {
  Righello<TRecordingCanvas> rx(620, 20), ry(20, 400);
  f.RighelloX = &rx;
  f.RighelloY = &ry;
  struct Caso {
    Reale tacca, asseX, asseY;
  };
  const Caso casi[] = {{1e-9L, 300, 200}, {0.01L, 300, 200}, {0, 300, 200},          {-30, 300, 200},
                       {30, -1e15L, 1e15L}, {1e-30L, 1e12L, -1e12L}, {1e30L, 300, 200}};
  for (const Caso& k : casi) {
    for (int look = 0; look < 3; ++look) {
      c.Svuota();
      rx.Canvas().Svuota();
      ry.Canvas().Svuota();
      f._TaccaX = f._TaccaY = k.tacca;
      f.__AsseX = k.asseX;
      f.__AsseY = k.asseY;
      f._bAssi = look > 0;
      f._bxAnalisi = look == 2;
      f._xa = f._ya = -1e-300L;
      f._xb = f._yb = k.tacca;
      f.DisegnaAssi();
      EXPECT_LT(c.Righe().size(), 8000u) << double(k.tacca) << " look " << look;
      EXPECT_LT(rx.Canvas().Righe().size(), 200000u);
      EXPECT_LT(ry.Canvas().Righe().size(), 200000u);
    }
  }
  // A unit far below a pixel still rules every column of the quadrant, once.
  c.Svuota();
  f._bAssi = f._bxAnalisi = false;
  f._TaccaX = f._TaccaY = 0.001L;
  f.__AsseX = 300;
  f.__AsseY = 200;
  f.DisegnaAssi();
  // Columns 300 .. 600 and rows 200 .. 0, each ruled once.
  EXPECT_EQ(c.Righe().size(), 1u + 2 * (301 + 201));
}

// ---- The three looks on an image ----

class RifCartImmagineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureGuiApplication(); }
  void SetUp() override {
    ReimpostaDatiGlob();
    f.Rettangolo = {0, 0, 600, 400};
    f.__AsseX = 300;
    f.__AsseY = 200;
    f.Pen = {clBlack, psSolid, 1, pmCopy};
    f.Brush = {clWhite, bsSolid};
    c.Font = TFont{};
  }
  // Renders, saves as PNG next to the test and reads the file back.
  QImage Salva(TQImageCanvas& canvas, const std::string& nome) {
    const std::string percorso = (std::filesystem::current_path() / nome).string();
    EXPECT_TRUE(canvas.SalvaPng(percorso));
    return QImage(QString::fromStdString(percorso));
  }
  static TColor Px(const QImage& img, int x, int y) { return PixelInColore(img.pixel(x, y)); }
  static int Inchiostro(const QImage& img, int x1, int y1, int x2, int y2) {
    int n = 0;
    for (int y = y1; y <= y2; ++y)
      for (int x = x1; x <= x2; ++x) n += Px(img, x, y) == clBlack;
    return n;
  }
  TQImageCanvas c{600, 400};
  cRifCart f{&c};
};

TEST_F(RifCartImmagineTest, AxesLook) {
  f._bAssi = true;
  f.DisegnaAssi();
  const QImage img = Salva(c, "rifcart_assi.png");
  ASSERT_FALSE(img.isNull());
  EXPECT_EQ(Px(img, 100, 200), clBlack);
  EXPECT_EQ(Px(img, 300, 100), clBlack);
  EXPECT_EQ(Px(img, 599, 200), clBlack);
  EXPECT_EQ(Px(img, 300, 399), clBlack);
  EXPECT_EQ(Px(img, 330, 197), clBlack);
  EXPECT_EQ(Px(img, 330, 203), clBlack);
  EXPECT_EQ(Px(img, 330, 204), clWhite) << "a tick stops before its last pixel";
  EXPECT_EQ(Px(img, 330, 196), clWhite);
  EXPECT_EQ(Px(img, 345, 198), clWhite);
  EXPECT_EQ(Px(img, 297, 170), clBlack);
  EXPECT_EQ(Px(img, 595, 195), clBlack) << "arrow head";
  EXPECT_EQ(Px(img, 590, 205), clBlack);
  EXPECT_EQ(Px(img, 100, 100), clWhite);
}

TEST_F(RifCartImmagineTest, AnalysisLookWritesItsNumbersUnderTheTicks) {
  f._bAssi = f._bxAnalisi = true;
  f._xa = 2;
  f._xb = 12;
  f.DisegnaAssi();
  const QImage img = Salva(c, "rifcart_analisi.png");
  ASSERT_FALSE(img.isNull());
  const int y0 = 200;
  EXPECT_EQ(Px(img, 300, y0 - 3), clBlack);
  EXPECT_EQ(Px(img, 300, y0 - 4), clWhite);
  // The label "7" of x = 7, centred under its tick at column 300.
  EXPECT_GT(Inchiostro(img, 294, y0 + 4, 306, y0 + 20), 5);
  EXPECT_EQ(Inchiostro(img, 310, y0 + 4, 350, y0 + 20), 0);
  EXPECT_GT(Inchiostro(img, 354, y0 + 4, 366, y0 + 20), 5);
  // y labels left-bottom at (x0 + 3, row + 3): x0 is off the left edge here.
  EXPECT_EQ(f.XPixel(0), -120);
}

TEST_F(RifCartImmagineTest, SquaredPaperWithRulers) {
  Righello<TQImageCanvas> rx(620, 20), ry(20, 400);
  f.RighelloX = &rx;
  f.RighelloY = &ry;
  f.DisegnaAssi();
  const QImage img = Salva(c, "rifcart_quadretti.png");
  const QImage imgX = Salva(rx.Canvas(), "rifcart_righello_x.png");
  const QImage imgY = Salva(ry.Canvas(), "rifcart_righello_y.png");
  ASSERT_FALSE(img.isNull());
  const TColor argento = RGBColor(192, 192, 192);
  EXPECT_EQ(Px(img, 330, 199), argento);
  EXPECT_EQ(Px(img, 330, 196), clWhite) << "dotted";
  EXPECT_EQ(Px(img, 301, 170), argento);
  EXPECT_EQ(Px(img, 330, 230), clWhite) << "first quadrant only";
  EXPECT_EQ(Px(img, 100, 100), clWhite);

  // Ticks run up from their length to row 0, which they do not paint.
  EXPECT_EQ(Px(imgX, 319, 7), clBlack);  // row 8 lies under the label "0"
  EXPECT_EQ(Px(imgX, 319, 1), clBlack);
  EXPECT_EQ(Px(imgX, 319, 0), clSilver);
  EXPECT_EQ(Px(imgX, 334, 6), clBlack);
  EXPECT_EQ(Px(imgX, 334, 7), clSilver);
  EXPECT_EQ(Px(imgX, 322, 3), clBlack);
  EXPECT_EQ(Px(imgX, 322, 4), clSilver);
  EXPECT_EQ(Px(imgX, 100, 10), clSilver) << "nothing left of the origin";
  EXPECT_GT(Inchiostro(imgX, 343, 8, 355, 19), 3) << "the number 1";
  EXPECT_EQ(Px(imgY, 11, 200), clBlack);
  EXPECT_EQ(Px(imgY, 18, 170), clBlack);
  EXPECT_EQ(Px(imgY, 19, 170), clSilver);
  EXPECT_GT(Inchiostro(imgY, 0, 160, 10, 176), 3) << "the number 1";
  EXPECT_EQ(Inchiostro(imgY, 0, 190, 10, 205), 0) << "no 0";
}

}  // namespace
}  // namespace qx
