// Geometry and pen modes of the image canvas: the toolkit's pixel rules that the values rely on.
#include <gtest/gtest.h>

#include <climits>

#include "platform/qt/ApplicazioneQt.h"
#include "platform/qt/QImageCanvas.h"

namespace qx {
namespace {

class QImageCanvasTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureGuiApplication(); }
  TQImageCanvas c{40, 30};
  // Painted pixels of a row or column, as a string of '#' and '.'.
  std::string Riga(int y, int da, int a) {
    std::string s;
    for (int x = da; x <= a; ++x) s += c.Pixels(x, y) == clWhite ? '.' : '#';
    return s;
  }
  std::string Colonna(int x, int da, int a) {
    std::string s;
    for (int y = da; y <= a; ++y) s += c.Pixels(x, y) == clWhite ? '.' : '#';
    return s;
  }
};

TEST_F(QImageCanvasTest, LineLeavesItsLastPixelUnpainted) {
  c.MoveTo(0, 0);
  c.LineTo(10, 0);
  EXPECT_EQ(Riga(0, 0, 11), "##########..");
  EXPECT_EQ(c.PenPos(), (TPoint{10, 0}));
  // Joined lines paint the corner once, from the second line.
  c.MoveTo(0, 5);
  c.LineTo(5, 5);
  c.LineTo(5, 10);
  EXPECT_EQ(Riga(5, 0, 6), "######.");
  EXPECT_EQ(Colonna(5, 5, 10), "#####.");
  // Diagonal: one pixel per step of the longer side.
  c.MoveTo(20, 0);
  c.LineTo(24, 2);
  EXPECT_EQ(Riga(0, 20, 24), "##...");
  EXPECT_EQ(Riga(1, 20, 24), "..##.");
  EXPECT_EQ(Riga(2, 20, 24), ".....");
}

TEST_F(QImageCanvasTest, PolylineStopsBeforeItsLastPoint) {
  const TPoint punti[] = {{0, 0}, {4, 0}, {4, 3}};
  c.Polyline(punti);
  EXPECT_EQ(Riga(0, 0, 5), "#####.");
  EXPECT_EQ(Colonna(4, 0, 3), "###.");
  EXPECT_EQ(c.PenPos(), (TPoint{0, 0})) << "Polyline leaves the pen position alone";
}

TEST_F(QImageCanvasTest, LinesFarOutsideAreClippedNotWalked) {
  c.MoveTo(-2147483647, 7);
  c.LineTo(2147483647, 7);
  EXPECT_EQ(Riga(7, 0, 39), std::string(40, '#'));
  EXPECT_EQ(Riga(6, 0, 39), std::string(40, '.'));
}

// A pen of any width (a program file can hold any integer) draws without overflow: the
// widest covers the picture around its stroke, a negative one draws as the thinnest.
TEST_F(QImageCanvasTest, PensOfTheWidestAndNegativeWidthsDraw) {
  c.Pen.Color = clBlack;
  for (int larghezza : {INT_MAX, INT_MAX - 1, 70000, -5, INT_MIN}) {
    c.Brush.Color = clWhite;
    c.FillRect(TRect{0, 0, 40, 30});
    c.Pen.Width = larghezza;
    c.MoveTo(5, 15);
    c.LineTo(30, 15);
    c.Ellipse(10, 10, 20, 20);
    const TPoint punti[] = {{2, 2}, {12, 2}, {7, 9}};
    c.Polygon(punti);
    c.Rectangle(25, 5, 35, 12);
    if (larghezza > 1) {
      EXPECT_EQ(Riga(0, 0, 39), std::string(40, '#')) << larghezza;
      EXPECT_EQ(Riga(29, 0, 39), std::string(40, '#')) << larghezza;
    } else {
      EXPECT_EQ(Riga(15, 4, 8), ".####") << larghezza;
      EXPECT_EQ(Riga(29, 0, 39), std::string(40, '.')) << larghezza;
    }
  }
}

TEST_F(QImageCanvasTest, RectangleExcludesRightAndBottomEdge) {
  c.Brush = {clRed, bsSolid};
  c.Rectangle(0, 0, 5, 5);
  for (int y = 0; y <= 5; ++y)
    EXPECT_EQ(Riga(y, 0, 5), y == 5 ? "......" : "#####.") << "row " << y;
  EXPECT_EQ(c.Pixels(0, 0), clBlack);
  EXPECT_EQ(c.Pixels(4, 4), clBlack);
  EXPECT_EQ(c.Pixels(2, 2), clRed);
  // Corners given the other way round draw the same.
  TQImageCanvas d(40, 30);
  d.Brush = c.Brush;
  d.Rectangle(5, 5, 0, 0);
  EXPECT_TRUE(d.Image() == c.Image());
}

TEST_F(QImageCanvasTest, ClearPenAndClearBrush) {
  c.Pen.Style = psClear;
  c.Brush = {clBlue, bsSolid};
  c.Rectangle(0, 0, 3, 2);
  EXPECT_EQ(c.Pixels(0, 0), clBlue);
  EXPECT_EQ(c.Pixels(2, 1), clBlue);
  EXPECT_EQ(c.Pixels(3, 1), clWhite);
  c.Pen.Style = psSolid;
  c.Brush.Style = bsClear;
  c.Rectangle(10, 10, 15, 15);
  EXPECT_EQ(c.Pixels(10, 10), clBlack);
  EXPECT_EQ(c.Pixels(12, 12), clWhite);
}

TEST_F(QImageCanvasTest, EllipseFitsItsBox) {
  c.Brush = {clRed, bsSolid};
  c.Ellipse(0, 0, 21, 11);
  EXPECT_EQ(c.Pixels(0, 5), clBlack);
  EXPECT_EQ(c.Pixels(20, 5), clBlack);
  EXPECT_EQ(c.Pixels(10, 0), clBlack);
  EXPECT_EQ(c.Pixels(10, 10), clBlack);
  EXPECT_EQ(c.Pixels(10, 5), clRed);
  EXPECT_EQ(Colonna(21, 0, 11), std::string(12, '.'));
  EXPECT_EQ(Riga(11, 0, 21), std::string(22, '.'));
  EXPECT_EQ(c.Pixels(0, 0), clWhite);
}

TEST_F(QImageCanvasTest, PieWithCoincidingPointsIsAFullDisc) {
  c.Pen.Color = clRed;
  c.Brush = {clRed, bsSolid};
  c.Pie(0, 0, 21, 21, 20, 10, 20, 10);
  TQImageCanvas ellisse(40, 30);
  ellisse.Pen = c.Pen;
  ellisse.Brush = c.Brush;
  ellisse.Ellipse(0, 0, 21, 21);
  EXPECT_TRUE(c.Image() == ellisse.Image());
  for (auto [x, y] : {std::pair{10, 10}, {2, 10}, {18, 10}, {10, 2}, {10, 18}, {4, 4}, {16, 16}})
    EXPECT_EQ(c.Pixels(x, y), clRed) << x << "," << y;
  // Two different points on the same ray give the whole disc too.
  TQImageCanvas d(40, 30);
  d.Pen = c.Pen;
  d.Brush = c.Brush;
  d.Pie(0, 0, 21, 21, 15, 5, 30, -10);
  EXPECT_TRUE(d.Image() == c.Image());
}

TEST_F(QImageCanvasTest, ArcsAndPiesRunCounterClockwise) {
  c.Brush = {clRed, bsSolid};
  // From three o'clock to twelve o'clock: the upper right quarter.
  c.Pie(0, 0, 21, 21, 20, 10, 10, 0);
  EXPECT_EQ(c.Pixels(15, 5), clRed);
  EXPECT_EQ(c.Pixels(5, 5), clWhite);
  EXPECT_EQ(c.Pixels(5, 15), clWhite);
  EXPECT_EQ(c.Pixels(15, 15), clWhite);
  // The other way round: three quarters, all but the upper right.
  TQImageCanvas d(40, 30);
  d.Brush = c.Brush;
  d.Pie(0, 0, 21, 21, 10, 0, 20, 10);
  EXPECT_EQ(d.Pixels(15, 5), clWhite);
  EXPECT_EQ(d.Pixels(5, 5), clRed);
  EXPECT_EQ(d.Pixels(5, 15), clRed);
  EXPECT_EQ(d.Pixels(15, 15), clRed);
  // An arc is only its curve: the quarter from twelve to nine o'clock.
  TQImageCanvas a(40, 30);
  a.Arc(0, 0, 21, 21, 10, 0, 0, 10);
  EXPECT_EQ(a.Pixels(10, 0), clBlack);
  EXPECT_EQ(a.Pixels(0, 10), clBlack);
  EXPECT_EQ(a.Pixels(20, 10), clWhite);
  EXPECT_EQ(a.Pixels(10, 20), clWhite);
  EXPECT_EQ(a.Pixels(10, 10), clWhite);
  // A chord closes the arc with a straight line and fills it.
  TQImageCanvas k(50, 50);
  k.Brush = {clRed, bsSolid};
  k.Chord(0, 0, 41, 41, 20, 0, 0, 20);
  EXPECT_EQ(k.Pixels(8, 8), clRed);
  EXPECT_EQ(k.Pixels(12, 12), clWhite);
  EXPECT_EQ(k.Pixels(30, 10), clWhite);
}

TEST_F(QImageCanvasTest, PolygonFillsAndOutlines) {
  c.Brush = {clRed, bsSolid};
  const TPoint triangolo[] = {{0, 0}, {20, 0}, {0, 20}};
  c.Polygon(triangolo);
  EXPECT_EQ(c.Pixels(0, 0), clBlack);
  EXPECT_EQ(c.Pixels(10, 0), clBlack);
  EXPECT_EQ(c.Pixels(0, 10), clBlack);
  EXPECT_EQ(c.Pixels(5, 5), clRed);
  EXPECT_EQ(c.Pixels(15, 15), clWhite);
}

TEST_F(QImageCanvasTest, XorAndNotXorTwiceRestoreTheImage) {
  for (TPenMode modo : {pmXor, pmNotXor}) {
    TQImageCanvas d(40, 30);
    d.Brush = {clYellow, bsSolid};
    d.Ellipse(2, 2, 30, 25);
    d.Pen.Color = clGreen;
    d.MoveTo(0, 29);
    d.LineTo(39, 0);
    const QImage prima = d.Image().copy();
    d.Pen = {clRed, psDot, 1, modo};
    d.Brush = {clBlue, bsSolid};
    auto disegna = [&] {
      d.MoveTo(0, 0);
      d.LineTo(39, 20);
      d.Rectangle(5, 5, 20, 15);
      d.Ellipse(10, 3, 35, 28);
      const TPoint poligono[] = {{1, 1}, {30, 4}, {12, 27}, {25, 2}};
      d.Polygon(poligono);
      d.Pie(0, 0, 40, 30, 39, 15, 20, 0);
      d.Pen.Width = 3;
      d.MoveTo(3, 25);
      d.LineTo(35, 8);
      d.Pen.Width = 1;
    };
    disegna();
    EXPECT_FALSE(d.Image() == prima) << int(modo);
    disegna();
    EXPECT_TRUE(d.Image() == prima) << "mode " << int(modo) << " leaves a trace";
  }
}

// A figure assigned to a name is drawn twice in a row, as the command's result and under the
// name: the second call must still draw whenever its pixels could differ from the first's.
TEST_F(QImageCanvasTest, TheSameShapeAgainDrawsWhenItsPixelsCouldDiffer) {
  const TPoint poligono[] = {{1, 1}, {30, 4}, {12, 27}};
  auto forme = [](TQImageCanvas& d, const TPoint (&p)[3]) {
    d.Ellipse(2, 2, 30, 25);
    d.Ellipse(2, 2, 30, 25);
    d.Polygon(p);
    d.Polygon(p);
    d.Rectangle(5, 5, 20, 15);
    d.Rectangle(5, 5, 20, 15);
    d.MoveTo(0, 29);
    d.LineTo(39, 0);
    d.MoveTo(0, 29);
    d.LineTo(39, 0);
  };
  // Twice in xor mode is nothing at all.
  TQImageCanvas x(40, 30);
  x.Pen.Mode = pmXor;
  x.Brush = {clBlue, bsSolid};
  const QImage bianca = x.Image().copy();
  forme(x, poligono);
  EXPECT_TRUE(x.Image() == bianca);

  c.Brush = {clYellow, bsSolid};
  c.Ellipse(2, 2, 30, 25);
  // Written over through the image, by a fill, by text: the same ellipse comes back each time.
  c.Image().fill(Qt::white);
  c.Ellipse(2, 2, 30, 25);
  EXPECT_EQ(c.Pixels(16, 13), clYellow);
  c.FillRect({0, 0, 40, 30});
  c.Ellipse(2, 2, 30, 25);
  EXPECT_EQ(c.Pixels(16, 13), clYellow);
  c.Brush.Color = clAqua;
  c.Ellipse(2, 2, 30, 25);
  EXPECT_EQ(c.Pixels(16, 13), clAqua) << "another brush is another shape";
  c.Pen.Color = clRed;
  c.Ellipse(2, 2, 30, 25);
  EXPECT_EQ(c.Pixels(16, 2), clRed) << "another pen is another shape";
  c.Pie(2, 2, 30, 25, 29, 13, 16, 2);
  EXPECT_EQ(c.Pixels(10, 13), clAqua) << "a pie of the same box is another shape";

  // In copy mode the pairs give what single calls give.
  TQImageCanvas una(40, 30), due(40, 30);
  for (TQImageCanvas* d : {&una, &due}) d->Brush = {clBlue, bsCross};
  una.Ellipse(2, 2, 30, 25);
  una.Polygon(poligono);
  una.Rectangle(5, 5, 20, 15);
  una.MoveTo(0, 29);
  una.LineTo(39, 0);
  forme(due, poligono);
  EXPECT_TRUE(una.Image() == due.Image());
}

TEST_F(QImageCanvasTest, PenModesCombinePenAndDestination) {
  struct Caso {
    TPenMode modo;
    TColor penna, fondo, atteso;
  };
  const Caso casi[] = {
      {pmCopy, clRed, clWhite, clRed},          {pmXor, clRed, clWhite, clAqua},
      {pmNotXor, clRed, clWhite, clRed},        {pmMaskNotPen, clRed, clWhite, clAqua},
      {pmMaskNotPen, clRed, clYellow, clLime},  {pmNot, clRed, clWhite, clBlack},
      {pmMerge, clRed, clBlue, clFuchsia},      {pmMask, clRed, clYellow, clRed},
      {pmBlack, clRed, clWhite, clBlack},       {pmNop, clRed, clGreen, clGreen},
  };
  for (const Caso& k : casi) {
    TQImageCanvas d(4, 4, k.fondo);
    d.Pen = {k.penna, psSolid, 1, k.modo};
    d.MoveTo(0, 0);
    d.LineTo(3, 0);
    EXPECT_EQ(d.Pixels(1, 0), k.atteso) << "mode " << int(k.modo);
  }
}

TEST_F(QImageCanvasTest, StyledPenPatternAndBackground) {
  c.Pen.Style = psDot;
  c.Brush.Style = bsClear;
  c.MoveTo(0, 0);
  c.LineTo(13, 0);
  EXPECT_EQ(Riga(0, 0, 13), "###...###...#.");
  // With a solid brush the gaps take the brush colour.
  c.Brush = {clYellow, bsSolid};
  c.MoveTo(0, 2);
  c.LineTo(8, 2);
  EXPECT_EQ(c.Pixels(1, 2), clBlack);
  EXPECT_EQ(c.Pixels(4, 2), clYellow);
  EXPECT_EQ(c.Pixels(8, 2), clWhite);
  // Wider than one pixel: solid.
  c.Brush.Style = bsClear;
  c.Pen.Width = 3;
  c.MoveTo(0, 10);
  c.LineTo(20, 10);
  EXPECT_EQ(Riga(10, 1, 19), std::string(19, '#'));
  EXPECT_EQ(Colonna(10, 8, 12), ".###.");
}

TEST_F(QImageCanvasTest, BrushOnlyFillsIgnoreThePen) {
  c.Pen = {clRed, psSolid, 1, pmXor};
  c.Brush = {clBlue, bsSolid};
  c.FillRect({2, 2, 6, 5});
  EXPECT_EQ(Riga(2, 1, 6), ".####.");
  EXPECT_EQ(Colonna(2, 1, 5), ".###.");
  EXPECT_EQ(c.Pixels(3, 3), clBlue);
  c.FrameRect({10, 10, 15, 14});
  EXPECT_EQ(Riga(10, 10, 15), "#####.");
  EXPECT_EQ(Riga(12, 10, 15), "#...#.");
  EXPECT_EQ(Riga(13, 10, 15), "#####.");
  // Hatched: every eighth row.
  c.Brush = {clBlack, bsHorizontal};
  c.FillRect({20, 0, 30, 30});
  EXPECT_EQ(Colonna(25, 0, 16), "#.......#.......#");
  c.Brush.Style = bsClear;
  c.FillRect({0, 20, 10, 30});
  EXPECT_EQ(Riga(25, 0, 9), "..........");
}

TEST_F(QImageCanvasTest, PixelsReadAndWrite) {
  c.SetPixels(3, 4, RGBColor(1, 2, 3));
  EXPECT_EQ(c.Pixels(3, 4), RGBColor(1, 2, 3));
  EXPECT_EQ(c.Pixels(-1, 0), clNone);
  EXPECT_EQ(c.Pixels(40, 0), clNone);
  c.SetPixels(40, 0, clRed);  // outside: nothing happens
  EXPECT_EQ(c.ClipRect(), (TRect{0, 0, 40, 30}));
}

}  // namespace
}  // namespace qx
