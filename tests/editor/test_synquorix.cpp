// The language's highlighter: keywords in any letter case, words that end at digits,
// comments that run across lines through the range state, strings, and its attributes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/SynQuorix.h"
#include "editor/TextBuffer.h"

namespace qx {
namespace {

struct TToken {
  std::u32string Text;
  int Kind;
  int Pos;
  bool operator==(const TToken&) const = default;
};

std::vector<TToken> Tokens(TSynSampleSyn& hl, const std::u32string& line, TSynRange range = rsUnknown) {
  hl.SetRange(range);
  hl.SetLine(line, 0);
  std::vector<TToken> out;
  while (!hl.GetEol()) {
    out.push_back({hl.GetToken(), hl.GetTokenKind(), hl.GetTokenPos()});
    hl.Next();
  }
  return out;
}

TEST(SynQuorix, KeywordsInAnyLetterCaseAndWordsEndingAtDigits) {
  TSynSampleSyn hl;
  for (const char32_t* w : {U"se", U"Se", U"SE", U"sE"})
    EXPECT_EQ(Tokens(hl, w), (std::vector<TToken>{{w, tkStrContr, 0}}));
  EXPECT_EQ(Tokens(hl, U"SEx"), (std::vector<TToken>{{U"SEx", tkIdentifier, 0}}));
  EXPECT_EQ(Tokens(hl, U"Punto3D"),
            (std::vector<TToken>{{U"Punto", tkIstGeom, 0}, {U"3", tkUnknown, 5}, {U"D", tkIdentifier, 6}}));
  EXPECT_EQ(TSynSampleSyn::KeywordKind(U"numero_A_CASO"), tkFunz);
  EXPECT_EQ(TSynSampleSyn::KeywordKind(U"Triangolo_rettangolo"), tkIstGeom);
  EXPECT_EQ(TSynSampleSyn::KeywordKind(U"Cilindro"), tkSpazio);
  EXPECT_EQ(TSynSampleSyn::KeywordKind(U"Varianza"), tkStat);
  EXPECT_EQ(TSynSampleSyn::KeywordKind(U"vero"), tkCostanti);
  EXPECT_EQ(TSynSampleSyn::KeywordKind(U"Frazione"), tkFrazEspr);
  EXPECT_EQ(TSynSampleSyn::KeywordKind(U"RifCart"), tkFunzRifCart);
  EXPECT_EQ(TSynSampleSyn::KeywordKind(U"StampaMatr"), tkMatrVett);
  EXPECT_EQ(TSynSampleSyn::KeywordKind(U"Scrivi"), tkIstGen);
  // A long word sums past the table: always an identifier.
  EXPECT_EQ(TSynSampleSyn::KeywordKind(U"ZZZZZZZZZZZ"), tkIdentifier);
  EXPECT_EQ(TSynSampleSyn::KeywordKind(U"Circ_"), tkIdentifier);
  EXPECT_TRUE(hl.IsKeyword(U"fine"));
  EXPECT_FALSE(hl.IsKeyword(U"fin"));
}

TEST(SynQuorix, AStatementSplitsIntoItsTokens) {
  TSynSampleSyn hl;
  EXPECT_EQ(Tokens(hl, U"C = Circ(P, 150);"),
            (std::vector<TToken>{{U"C", tkIdentifier, 0},
                                 {U" ", tkSpace, 1},
                                 {U"=", tkUnknown, 2},
                                 {U" ", tkSpace, 3},
                                 {U"Circ", tkIstGeom, 4},
                                 {U"(", tkUnknown, 8},
                                 {U"P", tkIdentifier, 9},
                                 {U",", tkUnknown, 10},
                                 {U" ", tkSpace, 11},
                                 {U"1", tkUnknown, 12},
                                 {U"5", tkUnknown, 13},
                                 {U"0", tkUnknown, 14},
                                 {U")", tkUnknown, 15},
                                 {U";", tkUnknown, 16}}));
  // A lone slash is a token of its own; a string runs to its closing quote.
  EXPECT_EQ(Tokens(hl, U"a/\"x y\"è"),
            (std::vector<TToken>{{U"a", tkIdentifier, 0},
                                 {U"/", tkIdentifier, 1},
                                 {U"\"x y\"", tkString, 2},
                                 {U"è", tkUnknown, 7}}));
  EXPECT_EQ(Tokens(hl, U"\t \t;"), (std::vector<TToken>{{U"\t \t", tkSpace, 0}, {U";", tkUnknown, 3}}));
}

TEST(SynQuorix, CommentsRunAcrossLinesAndStringsDoNot) {
  TSynSampleSyn hl;
  EXPECT_EQ(Tokens(hl, U"x /* uno"), (std::vector<TToken>{{U"x", tkIdentifier, 0}, {U" ", tkSpace, 1}, {U"/* uno", tkComment, 2}}));
  EXPECT_EQ(hl.GetRange(), rsComment);
  EXPECT_EQ(Tokens(hl, U"due */ STAMPA(1);", rsComment).front(), (TToken{U"due */", tkComment, 0}));
  EXPECT_EQ(Tokens(hl, U"due */ STAMPA(1);", rsComment)[2], (TToken{U"STAMPA", tkIstGen, 7}));
  EXPECT_EQ(hl.GetRange(), rsUnknown);
  // An empty line inside a comment has no tokens and keeps the comment open.
  EXPECT_TRUE(Tokens(hl, U"", rsComment).empty());
  EXPECT_EQ(hl.GetRange(), rsComment);
  EXPECT_EQ(Tokens(hl, U"/*/ ancora"), (std::vector<TToken>{{U"/*/ ancora", tkComment, 0}}));
  // An open string ends with its line.
  EXPECT_EQ(Tokens(hl, U"\"aperta"), (std::vector<TToken>{{U"\"aperta", tkString, 0}}));
  EXPECT_EQ(Tokens(hl, U"SE", hl.GetRange()), (std::vector<TToken>{{U"SE", tkStrContr, 0}}));
}

TEST(SynQuorix, TheRangesOfABufferAndTheAttributes) {
  TSynSampleSyn hl;
  TSrcEditStringList lines;
  lines.SetTextStr(U"a\n/* b\nc\nd */ e\nf");
  ScanRanges(hl, lines);
  EXPECT_EQ(lines.GetRange(0), rsUnknown);
  EXPECT_EQ(lines.GetRange(1), rsComment);
  EXPECT_EQ(lines.GetRange(2), rsComment);
  EXPECT_EQ(lines.GetRange(3), rsUnknown);
  // Closing the comment early rescans only as far as the ranges change.
  lines.Put(1, U"/* b */");
  EXPECT_EQ(ScanFrom(hl, lines, 1), 3);
  EXPECT_EQ(lines.GetRange(2), rsUnknown);
  EXPECT_EQ(hl.GetAttribCount(), 15);
  EXPECT_EQ(hl.GetDefaultAttribute(SYN_ATTR_COMMENT)->Name(), "Comment");
  EXPECT_EQ(hl.GetDefaultAttribute(SYN_ATTR_COMMENT)->Style(), fsItalic);
  EXPECT_EQ(hl.GetDefaultAttribute(SYN_ATTR_COMMENT)->Foreground(), clNavy);
  EXPECT_EQ(hl.GetDefaultAttribute(SYN_ATTR_STRING)->Foreground(), clGreen);
  EXPECT_EQ(hl.GetDefaultAttribute(SYN_ATTR_KEYWORD)->Name(), "SASM");
  EXPECT_EQ(hl.GetDefaultAttribute(SYN_ATTR_IDENTIFIER)->Name(), "Illegal Char");
  EXPECT_EQ(hl.GetDefaultAttribute(SYN_ATTR_WHITESPACE)->Name(), "Space");
  EXPECT_EQ(hl.GetLanguageName(), "Quorix");
  EXPECT_EQ(hl.GetDefaultFilter(), "All files (*.*)|*.*");
  EXPECT_FALSE(hl.IsFilterStored());
  EXPECT_TRUE(hl.IsIdentChar(U'_'));
  EXPECT_FALSE(hl.IsIdentChar(U'3'));
  EXPECT_GE(TSynHighlighterList::Instance().FindByType(typeid(TSynSampleSyn)), 0);
}

}  // namespace
}  // namespace qx
