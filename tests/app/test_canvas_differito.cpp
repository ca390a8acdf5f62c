// The canvas that keeps the statements' drawing while the picture waits to be made: the
// image it ends with must be the one that painting at once would have given.
#include <gtest/gtest.h>

#include "app/CanvasDifferito.h"
#include "platform/qt/ApplicazioneQt.h"
#include "platform/qt/QImageCanvas.h"

namespace qx {
namespace {

// The whole picture: a background and a filled circle.
void Ridisegna(TCanvas& c) {
  c.Brush = TBrush{clYellow, bsSolid};
  c.FillRect({0, 0, 120, 90});
  c.Pen = TPen{clBlue};
  c.Brush = TBrush{clAqua, bsSolid};
  c.Ellipse(10, 10, 70, 70);
}

// What statements draw straight onto the canvas, with the state changing between calls.
void Disegna(TCanvas& c) {
  c.Pen = TPen{clRed, psDash, 1, pmCopy};
  c.Brush = TBrush{clMaroon, bsSolid};  // the gaps of the dashes
  c.MoveTo(0, 0);
  c.LineTo(100, 60);
  c.LineTo(20, 80);  // from where the last line ended
  c.Pen = TPen{clBlack, psSolid, 3, pmXor};
  c.Brush = TBrush{clGreen, bsDiagCross};
  const TPoint triangolo[] = {{50, 5}, {110, 40}, {60, 85}};
  c.Polygon(triangolo);
  c.Font = TFont{clPurple, "MS Sans Serif", 12, fsBold};
  c.TextAlign = {haCenter, vaBaseline};
  c.TextOut(60, 45, "Ab");
  c.SetPixels(3, 3, clLime);
  TBitmap b(4, 4, 0xFF123456u);
  c.Draw(100, 70, b);
  c.Pen = TPen{clNavy, psSolid, 1, pmNotXor};
  c.Brush = TBrush{clWhite, bsClear};
  c.Arc(20, 20, 90, 80, 90, 50, 20, 50);
  // Every other kind of call, each kept with the state of its moment and in its order.
  c.Pen = TPen{clOlive, psDot, 1, pmCopy};
  c.Brush = TBrush{clSilver, bsHorizontal};
  const TPoint spezzata[] = {{2, 60}, {30, 30}, {55, 70}, {118, 2}};
  c.Polyline(spezzata);
  c.Rectangle(8, 50, 40, 88);
  c.Ellipse(70, 5, 118, 40);
  c.Pen.Width = 2;
  c.Pie(0, 0, 60, 50, 60, 25, 30, 0);
  c.Chord(60, 40, 120, 90, 120, 65, 60, 65);
  c.Brush = TBrush{clTeal, bsSolid};
  c.FillRect({90, 5, 110, 15});
  c.FrameRect({85, 50, 115, 75});
  c.Font = TFont{clRed, "Courier New", 9, 0};
  c.TextAlign = {};
  c.TextRect({10, 10, 50, 30}, 12, 12, "a text longer than the small-string room");
  c.StretchDraw({30, 75, 50, 85}, b);
  c.Polyline(triangolo);
  c.MoveTo(5, 85);
}

TEST(CanvasDifferito, IlRisultatoEQuelloDelDisegnoImmediato) {
  EnsureGuiApplication();
  TQImageCanvas atteso(120, 90);
  Ridisegna(atteso);
  Disegna(atteso);

  TQImageCanvas immagine(120, 90);
  int ridisegni = 0;
  TCanvasDifferito d([&] {
    ++ridisegni;
    Ridisegna(immagine);
  });
  d.ImpostaDestinazione(&immagine);
  // Drawn before the request: painted over by the whole picture.
  d.Pen = TPen{clFuchsia};
  d.Rectangle(0, 0, 120, 90);
  d.RichiediRidisegno();
  Disegna(d);
  EXPECT_EQ(ridisegni, 0);
  EXPECT_EQ(immagine.Pixels(60, 40), clWhite) << "nothing is drawn while the picture is stale";
  EXPECT_EQ(d.PenPos(), (TPoint{5, 85}));
  d.Completa();
  EXPECT_EQ(ridisegni, 1);
  EXPECT_TRUE(immagine.Image() == atteso.Image());
  d.Completa();
  EXPECT_EQ(ridisegni, 1);
}

// A point's label kept alone, with no call that has points before it (a run's first pump
// replays just that): the text is found in its own store.
TEST(CanvasDifferito, UnTestoSoloSiRigiocaDalleSueStringhe) {
  EnsureGuiApplication();
  TQImageCanvas atteso(120, 90), immagine(120, 90);
  Ridisegna(atteso);
  TCanvasDifferito d([&] { Ridisegna(immagine); });
  d.ImpostaDestinazione(&immagine);
  d.RichiediRidisegno();
  for (TCanvas* c : {static_cast<TCanvas*>(&atteso), static_cast<TCanvas*>(&d)}) {
    c->Brush = TBrush{clWhite, bsClear};
    c->Font = TFont{clBlack, "MS Sans Serif", 8, 0};
    c->TextOut(40, 20, "P");
    c->TextOut(40, 50, "Q1");
  }
  d.Completa();
  EXPECT_TRUE(immagine.Image() == atteso.Image());
}

TEST(CanvasDifferito, LeggereUnPixelCompletaPrima) {
  EnsureGuiApplication();
  TQImageCanvas immagine(120, 90);
  TCanvasDifferito d([&] { Ridisegna(immagine); });
  d.ImpostaDestinazione(&immagine);
  d.RichiediRidisegno();
  d.SetPixels(40, 40, clRed);
  EXPECT_EQ(d.Pixels(40, 40), clRed);
  EXPECT_EQ(d.Pixels(5, 5), clYellow);
  EXPECT_FALSE(d.Sporco());
  // Measuring needs no picture.
  d.RichiediRidisegno();
  d.Font = TFont{clBlack, "MS Sans Serif", 10, 0};
  EXPECT_GT(d.TextWidth("abc"), 0);
  EXPECT_TRUE(d.Sporco());
}

TEST(CanvasDifferito, SenzaRidisegnoInAttesaDisegnaSubito) {
  EnsureGuiApplication();
  TQImageCanvas immagine(50, 50);
  TCanvasDifferito d([] {});
  d.ImpostaDestinazione(&immagine);
  d.Pen = TPen{clRed};
  d.MoveTo(0, 10);
  d.LineTo(40, 10);
  EXPECT_EQ(immagine.Pixels(20, 10), clRed);
  EXPECT_EQ(d.ClipRect(), (TRect{0, 0, 50, 50}));
  // Without a destination nothing is drawn and nothing breaks.
  TCanvasDifferito vuoto([] {});
  vuoto.LineTo(3, 3);
  vuoto.RichiediRidisegno();
  vuoto.TextOut(1, 1, "x");
  vuoto.Completa();
  EXPECT_EQ(vuoto.Pixels(1, 1), clNone);
  EXPECT_EQ(vuoto.TextWidth("x"), 0);
}

}  // namespace
}  // namespace qx
