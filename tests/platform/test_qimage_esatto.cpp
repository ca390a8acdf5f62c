// The image canvas against a straightforward drawing of the same calls: each call's pen,
// gaps and brush worked out over the whole image (QPainter masks, the one-pixel line walk)
// and composed pixel by pixel, and text drawn by QPainter itself. The canvas keeps texts laid
// out, composes only where a call marks pixels and walks a lone segment straight onto the
// image: the pictures must be the same to the last pixel.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/ApplicazioneQt.h"
#include "platform/qt/FontToolkit.h"
#include "platform/qt/QImageCanvas.h"
#include "platform/qt/Rasterizzazione.h"

namespace qx {
namespace {

constexpr int kW = 160, kH = 120;

// ---- The straightforward drawing ----

// Text exactly as the painter writes it, on the brush colour when the brush is solid.
int TestoDiretto(QImage& img, const TCanvas& stato, int x, int y, const std::string& testo, const TRect* ritaglio) {
  QFont f(FamigliaDesktop(stato.Font.Name));
  f.setPixelSize(std::max(1, (std::abs(stato.Font.Size) * 96 + 36) / 72));
  f.setBold(stato.Font.Style & fsBold);
  f.setItalic(stato.Font.Style & fsItalic);
  f.setUnderline(stato.Font.Style & fsUnderline);
  f.setStrikeOut(stato.Font.Style & fsStrikeOut);
  f.setStyleStrategy(QFont::NoAntialias);
  f.setKerning(false);
  const QFontMetrics m(f, &img);
  const QString s = QString::fromStdString(testo);
  const int w = m.horizontalAdvance(s), h = m.ascent() + m.descent();
  int sx = x, sy = y;
  if (stato.TextAlign.Horz == haCenter) sx = x - w / 2;
  if (stato.TextAlign.Horz == haRight) sx = x - w;
  if (stato.TextAlign.Vert == vaBottom) sy = y - h;
  if (stato.TextAlign.Vert == vaBaseline) sy = y - m.ascent();
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  const QColor fondo = QColor::fromRgb(ColoreInPixel(stato.Brush.Color));
  if (ritaglio) {
    const QRect clip(QPoint(ritaglio->Left, ritaglio->Top), QPoint(ritaglio->Right - 1, ritaglio->Bottom - 1));
    p.setClipRect(clip);
    if (stato.Brush.Style == bsSolid) p.fillRect(clip, fondo);
  } else if (stato.Brush.Style == bsSolid) {
    p.fillRect(QRect(sx, sy, w, h), fondo);
  }
  p.setFont(f);
  p.setPen(QColor::fromRgb(ColoreInPixel(stato.Font.Color)));
  p.drawText(QPoint(sx, sy + m.ascent()), s);
  return w;
}

// A shape: its marks over the whole image, then composed with the pen mode.
struct Marchi {
  std::vector<std::uint8_t> bit = std::vector<std::uint8_t>(std::size_t(kW) * kH, 0);
  void Segna(int x, int y, std::uint8_t b) {
    if (x >= 0 && y >= 0 && x < kW && y < kH) bit[std::size_t(y) * kW + std::size_t(x)] |= b;
  }
  void Disegno(std::uint8_t b, const std::function<void(QPainter&)>& d) {
    QImage m(kW, kH, QImage::Format_ARGB32_Premultiplied);
    m.fill(Qt::transparent);
    {
      QPainter p(&m);
      p.setRenderHint(QPainter::Antialiasing, false);
      d(p);
    }
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        if (qAlpha(m.pixel(x, y)) != 0) Segna(x, y, b);
  }
  void Linee(const TCanvas& s, const std::vector<TPoint>& punti, bool chiusa) {
    if (s.Pen.Width <= 1) {
      const auto schema = raster::SchemaTratto(s.Pen.Style);
      long long fase = 0;
      auto segmento = [&](TPoint a, TPoint b) {
        raster::TracciaLinea(a.x, a.y, b.x, b.y, 0, 0, kW, kH, fase, [&](int x, int y, long long f) {
          Segna(x, y, raster::TrattoAcceso(schema, f) ? 1 : 2);
        });
      };
      for (std::size_t i = 1; i < punti.size(); ++i) segmento(punti[i - 1], punti[i]);
      if (chiusa && punti.size() > 1) segmento(punti.back(), punti.front());
      return;
    }
    Disegno(1, [&](QPainter& p) {
      p.setPen(QPen(Qt::white, s.Pen.Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      QPainterPath path(QPointF(punti[0].x + 0.5, punti[0].y + 0.5));
      for (std::size_t i = 1; i < punti.size(); ++i) path.lineTo(punti[i].x + 0.5, punti[i].y + 0.5);
      if (chiusa) path.closeSubpath();
      if (punti.size() == 1) path.lineTo(punti[0].x + 0.5, punti[0].y + 0.5);
      p.drawPath(path);
    });
  }
  void Componi(QImage& img, const TCanvas& s) const {
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const std::uint8_t b = bit[std::size_t(y) * kW + std::size_t(x)];
        QRgb& px = reinterpret_cast<QRgb*>(img.scanLine(y))[x];
        if (b & 1)
          px = raster::ApplicaModo(s.Pen.Mode, px, ColoreInPixel(s.Pen.Color));
        else if ((b & 2) && s.Brush.Style == bsSolid)
          px = raster::ApplicaModo(s.Pen.Mode, px, ColoreInPixel(s.Brush.Color));
        else if ((b & 4) && !(b & 2) && raster::TramaAccesa(s.Brush.Style, x, y))
          px = raster::ApplicaModo(s.Pen.Mode, px, ColoreInPixel(s.Brush.Color));
      }
  }
};

void RettangoloDiretto(QImage& img, const TCanvas& s, int x1, int y1, int x2, int y2) {
  const int l = std::min(x1, x2), t = std::min(y1, y2), r = std::max(x1, x2) - 1, b = std::max(y1, y2) - 1;
  if (r < l || b < t) return;
  Marchi m;
  for (int y = t; y <= b; ++y)
    for (int x = l; x <= r; ++x) m.Segna(x, y, 4);
  if (s.Pen.Style != psClear) m.Linee(s, {{l, t}, {r, t}, {r, b}, {l, b}}, true);
  m.Componi(img, s);
}

void PoligonoDiretto(QImage& img, const TCanvas& s, const std::vector<TPoint>& punti, bool chiuso) {
  Marchi m;
  if (chiuso)
    m.Disegno(4, [&](QPainter& p) {
      QPolygonF poligono;
      for (const TPoint& q : punti) poligono << QPointF(q.x + 0.5, q.y + 0.5);
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawPolygon(poligono, Qt::OddEvenFill);
    });
  if (s.Pen.Style != psClear) m.Linee(s, punti, chiuso);
  m.Componi(img, s);
}

// ---- The cases ----

struct Stile {
  TPen pen;
  TBrush brush;
};

std::vector<Stile> Stili() {
  std::vector<Stile> v;
  const TPenMode modi[] = {pmCopy, pmXor, pmNotXor, pmMaskNotPen};
  const TPenStyle tratti[] = {psSolid, psDot, psDashDot};
  const TBrushStyle pennelli[] = {bsClear, bsSolid, bsDiagCross};
  for (TPenMode m : modi)
    for (TPenStyle t : tratti)
      for (TBrushStyle b : pennelli)
        for (int w : {1, 3}) v.push_back({{RGBColor(200, 30, 90), t, w, m}, {RGBColor(20, 160, 60), b}});
  return v;
}

class QImageEsattoTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureGuiApplication(); }
  // The canvas starts from a pattern so that every pen mode shows.
  static void Fondo(QImage& img) {
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) img.setPixel(x, y, 0xFF000000u | std::uint32_t((x * 7) << 16 | (y * 5) << 8 | (x ^ y)));
  }
  TQImageCanvas c{kW, kH};
  QImage atteso;
  void SetUp() override {
    Fondo(c.Image());
    atteso = c.Image().copy();
  }
  void Uguali(const std::string& caso) {
    ASSERT_EQ(c.Image().size(), atteso.size());
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        ASSERT_EQ(c.Image().pixel(x, y) & 0xFFFFFFu, atteso.pixel(x, y) & 0xFFFFFFu)
            << caso << " at (" << x << ", " << y << ")";
  }
};

TEST_F(QImageEsattoTest, TextsLaidOutOnceDrawAsThePainterDoes) {
  const TFont fonti[] = {{clBlack, "MS Sans Serif", 8, 0},
                         {RGBColor(10, 20, 200), "Arial", 7, fsBold},
                         {clRed, "Times New Roman", 14, fsItalic | fsUnderline},
                         {RGBColor(0, 128, 0), "Courier New", 10, fsStrikeOut | fsBold},
                         {clBlack, "Arial", 28, fsItalic}};
  const std::string testi[] = {"P", "12", "Wg", "fjy", "àèìòù €", "", "AB_3", "f(x) = x^2"};
  const TTextAlign allineamenti[] = {{haLeft, vaTop}, {haCenter, vaBaseline}, {haRight, vaBottom}};
  // Inside, across every edge, and wholly outside; twice each, so that the second draw
  // comes from the texts already laid out.
  const TPoint posti[] = {{20, 20}, {-3, -5}, {150, 110}, {70, -30}, {-40, 60}, {500, 500}, {-100000, 7}};
  const TRect ritagli[] = {{10, 10, 60, 30}, {0, 0, kW, kH}, {30, 30, 30, 40}, {-20, -20, 5, 200}};
  int n = 0;
  for (int volta = 0; volta < 2; ++volta)
    for (const TFont& f : fonti)
      for (const std::string& t : testi)
        for (const TTextAlign& a : allineamenti)
          for (const TPoint& p : posti) {
            c.Font = f;
            c.TextAlign = a;
            c.Brush = {RGBColor(250, 240, 100), (n % 3 == 0) ? bsSolid : bsClear};
            ++n;
            int larghezza = 0;
            if (n % 4 == 0) {
              const TRect& r = ritagli[(n / 4) % 4];
              c.TextRect(r, p.x, p.y, t);
              larghezza = TestoDiretto(atteso, c, p.x, p.y, t, &r);
            } else {
              c.TextOut(p.x, p.y, t);
              larghezza = TestoDiretto(atteso, c, p.x, p.y, t, nullptr);
            }
            EXPECT_EQ(c.TextWidth(t), larghezza) << t;
            Uguali("text \"" + t + "\" in " + f.Name);
          }
}

TEST_F(QImageEsattoTest, ShapesComposeOnlyWhereTheyMarkAsOverTheWholeImage) {
  const std::vector<std::vector<TPoint>> linee = {
      {{10, 10}, {150, 100}}, {{-50, 30}, {400, 31}}, {{80, 5}, {80, 115}}, {{5, 5}, {100, 20}, {20, 90}, {140, 60}},
      {{60, 60}, {60, 60}}, {{-2000000000, -5}, {2000000000, 100}}, {{30, 30}}};
  const std::vector<std::array<int, 4>> rettangoli = {{10, 10, 15, 15}, {-3, -3, 2, 2}, {40, 20, 120, 90},
                                                       {150, 110, 170, 130}, {50, 50, 50, 60}, {90, 30, 20, 80},
                                                       {70, 70, 71, 71},     {80, 10, 81, 40},   {5, 100, 60, 101},
                                                       {155, 115, 200, 200}, {-1, 60, 1, 62}};
  const std::vector<TPoint> pentagono = {{40, 20}, {100, 25}, {120, 70}, {60, 100}, {20, 60}};
  int n = 0;
  for (const Stile& s : Stili()) {
    c.Pen = s.pen;
    c.Brush = s.brush;
    for (const auto& l : linee) {
      c.Polyline(l);
      PoligonoDiretto(atteso, c, l, false);
      Uguali("line " + std::to_string(n));
      if (l.size() == 2) {
        c.MoveTo(l[0].x, l[0].y);
        c.LineTo(l[1].x, l[1].y);
        PoligonoDiretto(atteso, c, l, false);
        Uguali("LineTo " + std::to_string(n));
      }
    }
    for (const auto& r : rettangoli) {
      c.Rectangle(r[0], r[1], r[2], r[3]);
      RettangoloDiretto(atteso, c, r[0], r[1], r[2], r[3]);
      Uguali("rectangle " + std::to_string(n));
    }
    c.Polygon(pentagono);
    PoligonoDiretto(atteso, c, pentagono, true);
    Uguali("polygon " + std::to_string(n));
    ++n;
  }
}

// In copy mode the canvas paints a call's parts straight onto the image; on black, xor
// composes the call's marks to the very same colours, so the two pictures must agree.
TEST(QImageEsatto, CopyModePaintsWhatComposingTheMarksGives) {
  EnsureGuiApplication();
  const std::vector<TPoint> pentagono = {{40, 20}, {100, 25}, {120, 70}, {60, 100}, {20, 60}};
  const std::vector<TPoint> stella = {{80, 5}, {110, 110}, {20, 40}, {140, 40}, {50, 110}};
  std::vector<std::function<void(TCanvas&)>> forme = {
      [](TCanvas& c) { c.Ellipse(20, 20, 101, 81); },
      [](TCanvas& c) { c.Ellipse(-40, -30, 60, 50); },
      [](TCanvas& c) { c.Ellipse(100, 60, 260, 200); },
      [](TCanvas& c) { c.Ellipse(70, 70, 73, 72); },
      [](TCanvas& c) { c.Arc(10, 10, 150, 110, 150, 60, 80, 0); },
      [](TCanvas& c) { c.Pie(10, 10, 150, 110, 80, 0, 150, 60); },
      [](TCanvas& c) { c.Chord(30, 5, 120, 115, 0, 0, 160, 120); },
      [](TCanvas& c) { c.Pie(-300, -300, 300, 300, 10, 0, 0, 10); },
      [&](TCanvas& c) { c.Polygon(pentagono); },
      [&](TCanvas& c) { c.Polygon(stella); },
      [&](TCanvas& c) { c.Polyline(stella); },
      [](TCanvas& c) { c.Rectangle(10, 10, 15, 15); },
      [](TCanvas& c) { c.Rectangle(-5, 100, 60, 200); },
      [](TCanvas& c) { c.Ellipse(500, 500, 600, 600); },
  };
  // Circles across the edges, as a loop of circles leaves them: every radius of the
  // pupils' programs, at offsets of a pixel.
  for (int r = 10; r <= 120; r += 7)
    for (int d = 0; d < 4; ++d) {
      forme.push_back([=](TCanvas& c) { c.Ellipse(30 + d, -r + d, 30 + d + 2 * r + 1, r + d + 1); });
      forme.push_back([=](TCanvas& c) { c.Ellipse(-r + d, 40, r + d + 1, 40 + 2 * r + 1); });
      forme.push_back([=](TCanvas& c) { c.Ellipse(20, kH - r + d, 20 + 2 * r + 1, kH + r + d + 1); });
      forme.push_back([=](TCanvas& c) { c.Ellipse(kW - r - d, 10, kW + r - d + 1, 10 + 2 * r + 1); });
    }
  TQImageCanvas copia(kW, kH, clBlack), composta(kW, kH, clBlack);
  int n = 0;
  for (const TBrushStyle pennello : {bsClear, bsSolid})
    for (const TPenStyle tratto : {psSolid, psClear})
      for (const int spessore : {1, 4})
        for (const auto& forma : forme) {
          copia.Image().fill(Qt::black);
          composta.Image().fill(Qt::black);
          for (TQImageCanvas* c : {&copia, &composta}) {
            c->Pen = {RGBColor(200, 30, 90), tratto, spessore, c == &copia ? pmCopy : pmXor};
            c->Brush = {RGBColor(20, 160, 60), pennello};
            forma(*c);
          }
          ++n;
          ASSERT_EQ(copia.Image(), composta.Image()) << "shape " << n;
        }
}

// The walk of a one-pixel line carries its rounding from pixel to pixel; the pixels must be
// those of the rounding worked out afresh at every pixel, in any window that cuts the line.
TEST(QImageEsatto, TheLineWalkGivesThePixelsOfItsRoundingRule) {
  struct Caso {
    int x0, y0, x1, y1, l, t, r, b;
  };
  const Caso casi[] = {{0, 0, 10, 3, 0, 0, 100, 100},          {10, 3, 0, 0, 0, 0, 100, 100},
                       {5, 5, 6, 40, 0, 0, 100, 100},          {-50, 20, 170, 81, 0, 0, 160, 120},
                       {3, 100, 97, 2, 10, 10, 50, 60},        {0, 0, 7, 7, 0, 0, 5, 5},
                       {-2000000000, -5, 2000000000, 100, 0, 0, 160, 120},
                       {100, -2147483647, 40, 2147483646, 0, 0, 160, 120}};
  __extension__ typedef __int128 Int128;
  for (const Caso& c : casi) {
    std::vector<std::array<long long, 3>> visti, attesi;
    long long fase = 5;
    raster::TracciaLinea(c.x0, c.y0, c.x1, c.y1, c.l, c.t, c.r, c.b, fase,
                         [&](int x, int y, long long f) { visti.push_back({x, y, f}); });
    const long long dx = (long long)c.x1 - c.x0, dy = (long long)c.y1 - c.y0;
    const long long n = std::max(std::llabs(dx), std::llabs(dy));
    EXPECT_EQ(fase, 5 + n);
    const bool maggioreX = std::llabs(dx) >= std::llabs(dy);
    const long long aMin = std::llabs(maggioreX ? dy : dx);
    // The pixel counts whose major coordinate lies in the window.
    const long long inizio = maggioreX ? c.x0 : c.y0, lo = maggioreX ? c.l : c.t, hi = maggioreX ? c.r : c.b;
    const bool avanti = (maggioreX ? dx : dy) > 0;
    const long long da = std::max(0LL, avanti ? lo - inizio : inizio - hi + 1);
    const long long a = std::min(n - 1, avanti ? hi - 1 - inizio : inizio - lo);
    for (long long i = da; i <= a; ++i) {
      const long long M = inizio + (avanti ? i : -i);
      const long long off = (long long)((Int128(2) * i * aMin + n - 1) / (Int128(2) * n));
      const long long m = (maggioreX ? c.y0 : c.x0) + ((maggioreX ? dy : dx) >= 0 ? off : -off);
      const long long x = maggioreX ? M : m, y = maggioreX ? m : M;
      if (x >= c.l && x < c.r && y >= c.t && y < c.b) attesi.push_back({x, y, 5 + i});
    }
    EXPECT_EQ(visti, attesi) << c.x0 << "," << c.y0 << " - " << c.x1 << "," << c.y1;
  }
}

// The solid line's walk, which works out its visible stretch before it starts, sets exactly
// the pixels of the general walk: lines through, beside, along and far outside the image.
TEST(QImageEsatto, TheSolidLineSetsThePixelsOfTheGeneralWalk) {
  constexpr int w = 37, h = 23;
  std::uint32_t seed = 12345;
  auto caso = [&](int ampiezza) {
    seed = seed * 1664525u + 1013904223u;
    return int((seed >> 8) % std::uint32_t(2 * ampiezza + 1)) - ampiezza;
  };
  std::vector<std::array<int, 4>> linee = {{0, 0, 36, 22},   {36, 22, 0, 0},   {-5, 11, 50, 11}, {18, -9, 18, 40},
                                           {-1, -1, 37, 23}, {5, 5, 5, 5},     {0, 22, 36, 0},   {-2000000000, 3, 2000000000, 20},
                                           {10, -2147483647, 12, 2147483646}, {-40, -30, -3, -1}, {36, 0, 37, 0}};
  for (int k = 0; k < 20000; ++k) {
    const int a = k % 3 == 0 ? 60 : k % 3 == 1 ? 400 : 1000000;
    linee.push_back({caso(a), caso(a), caso(a), caso(a)});
  }
  for (const auto& l : linee) {
    std::vector<std::uint32_t> atteso(w * h, 0), visto(w * h, 0);
    long long fase = 0;
    raster::TracciaLinea(l[0], l[1], l[2], l[3], 0, 0, w, h, fase,
                         [&](int x, int y, long long) { atteso[std::size_t(y) * w + std::size_t(x)] = 7; });
    raster::TracciaLineaPiena(l[0], l[1], l[2], l[3], w, h, visto.data(), w, 7);
    ASSERT_EQ(visto, atteso) << l[0] << "," << l[1] << " - " << l[2] << "," << l[3];
  }
}

}  // namespace
}  // namespace qx
