// The shared colour names and the Windows-1252 code page of 8-bit files.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/ColorNames.h"
#include "platform/Cp1252.h"

namespace qx {
namespace {

TEST(ColorNames, NamesAndNumbersGoBothWays) {
  EXPECT_EQ(ColorToString(clRed), "clRed");
  EXPECT_EQ(ColorToString(clWindowText), "clWindowText");
  EXPECT_EQ(ColorToString(TColor(0xFF000008)), "clWindowText");
  EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
  EXPECT_EQ(ColorToString(RGBColor(0x12, 0x34, 0x56)), "$00563412");
  EXPECT_EQ(ColorToString(TColor(0x80000000)), "$80000000");
  EXPECT_EQ(*IdentToColor("clred"), clRed);
  EXPECT_EQ(*IdentToColor("CLWINDOWTEXT"), clWindowText);
  EXPECT_EQ(*IdentToColor("clMoneyGreen"), RGBColor(0xC0, 0xDC, 0xC0));
  EXPECT_EQ(*IdentToColor("cl3DDkShadow"), TColor(0xFF000015));
  EXPECT_FALSE(IdentToColor("Red"));
  EXPECT_FALSE(IdentToColor(""));
  EXPECT_FALSE(IdentToColor("clRedd"));
  // Every name is unique, and every colour reads back as the first name that holds it.
  std::set<std::string, std::less<>> nomi;
  for (const TColorName& row : kColorNames) {
    EXPECT_TRUE(nomi.insert(std::string(row.Name)).second) << row.Name;
    EXPECT_EQ(StringToColor(ColorToString(row.Color)), row.Color) << row.Name;
  }
}

TEST(ColorNames, NumbersAsText) {
  EXPECT_EQ(StringToColor("$0000FF"), clRed);
  EXPECT_EQ(StringToColor("$ff0000"), clBlue);
  EXPECT_EQ(StringToColor("$FF000005"), clWindow);
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_EQ(StringToColor("-16777211"), clWindow);
  for (const char* bad : {"", "$", "$G0", "$123456789", "12x", "+", "cl", " 1"})
    EXPECT_FALSE(StringToColor(bad)) << bad;
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  std::string tutti;
  for (int b = 0; b < 256; ++b) tutti.push_back(static_cast<char>(b));
  std::string perso = "x";
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(tutti), &perso), tutti);
  EXPECT_EQ(perso, "x");  // nothing lost, nothing said
  EXPECT_EQ(Cp1252ToUtf8("caff\xE8 \x80 \xA7"), "caff\xC3\xA8 \xE2\x82\xAC \xC2\xA7");
}

TEST(Cp1252, WhatTheCodePageLacksBecomesAQuestionMarkOnce) {
  std::string perso;
  // Greek pi and a CJK character, then a malformed byte.
  EXPECT_EQ(Utf8ToCp1252("a\xCF\x80 b\xE4\xB8\xAD c\xFF", &perso), "a? b? c?");
  EXPECT_EQ(perso, "\xCF\x80");
  perso.clear();
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82", &perso), "??");  // cut short
  EXPECT_EQ(perso, "\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToCp1252(""), "");
}

}  // namespace
}  // namespace qx
