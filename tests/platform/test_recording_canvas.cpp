#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RecordingCanvas.h"

namespace qx {
namespace {

TEST(RecordingCanvasTest, WritesOneLinePerDrawingCall) {
  TRecordingCanvas c;
  c.MoveTo(3, 4);
  c.LineTo(10, 0);
  const TPoint punti[] = {{1, 2}, {3, 4}, {5, 6}};
  c.Polygon(punti);
  c.Rectangle(0, 0, 5, 5);
  c.Pie(0, 0, 20, 20, 20, 10, 10, 0);
  c.FillRect({1, 2, 3, 4});
  c.TextOut(10, 20, "2");
  c.TextRect({0, 0, 50, 10}, 1, 1, "a b");
  c.SetPixels(7, 8, clRed);
  c.StretchDraw({0, 0, 8, 8}, TBitmap(2, 3));
  const std::vector<std::string> attese = {"MoveTo 3 4",
                                           "LineTo 10 0",
                                           "Polygon 1 2 3 4 5 6",
                                           "Rectangle 0 0 5 5",
                                           "Pie 0 0 20 20 20 10 10 0",
                                           "FillRect 1 2 3 4",
                                           "TextOut 10 20 \"2\"",
                                           "TextRect 0 0 50 10 1 1 \"a b\"",
                                           "SetPixels 7 8 255",
                                           "StretchDraw 0 0 8 8 2 3"};
  EXPECT_EQ(c.Righe(), attese);
  EXPECT_EQ(c.PenPos(), (TPoint{10, 0}));
}

TEST(RecordingCanvasTest, AnswersQueriesWithoutRecordingThem) {
  TRecordingCanvas c(100, 50);
  c.Font.Size = 8;  // 11 pixels at 96 dpi
  EXPECT_EQ(c.TextWidth("abc"), 15);
  EXPECT_EQ(c.TextWidth("è"), 5) << "characters, not bytes";
  EXPECT_EQ(c.TextHeight("x"), 14);
  EXPECT_EQ(c.Pixels(1, 1), clWhite);
  c.SetPixels(1, 1, clBlue);
  EXPECT_EQ(c.Pixels(1, 1), clBlue);
  EXPECT_EQ(c.Pixels(100, 0), clNone);
  EXPECT_EQ(c.ClipRect(), (TRect{0, 0, 100, 50}));
  EXPECT_EQ(c.Righe().size(), 1u);
}

}  // namespace
}  // namespace qx
