// The highlighter of the Quorix language: keywords in any letter case found through a
// hash of their letters, block comments that run across lines through the range state,
// strings, and one display attribute per kind of token. The main window makes one and
// gives it to both of its editors.
#pragma once
#include <array>
#include <string>

#include "editor/Highlighter.h"

namespace qx {

// Token kinds.
enum TtkTokenKind : int {
  tkComment = 0, tkCostanti = 1, tkFrazEspr = 2, tkFunz = 3, tkFunzRifCart = 4, tkIdentifier = 5,
  tkIstGen = 6, tkIstGeom = 7, tkKey = 8, tkMatrVett = 9, tkNull = 10, tkSpace = 11, tkSpazio = 12,
  tkStat = 13, tkStrContr = 14, tkString = 15, tkUnknown = 16
};

// Range states at the end of a line.
enum TRangeState : int { rsUnknown = 0, rsComment = 1, rsString = 2 };

class TSynSampleSyn : public TSynCustomHighlighter {
 public:
  TSynSampleSyn();

  TSynHighlighterAttributes* GetDefaultAttribute(int index) const override;
  std::string GetDefaultFilter() const override;
  bool IsFilterStored() const override;
  bool IsIdentChar(char32_t c) const override;
  std::u32string GetSampleSource() const override;
  std::string GetLanguageName() const override;
  bool GetEol() const override;
  TSynRange GetRange() const override;
  std::u32string GetToken() const override;
  TSynHighlighterAttributes* GetTokenAttribute() const override;
  int GetTokenKind() const override;
  int GetTokenPos() const override;
  bool IsKeyword(const std::u32string& word) const override;
  void Next() override;
  void SetLine(const std::u32string& line, int lineNumber) override;
  void SetRange(TSynRange value) override;
  void ResetRange() override;

  // The kind of a word as a keyword (letter case aside), or tkIdentifier.
  static int KeywordKind(std::u32string_view word);

 private:
  char32_t At(std::size_t pos) const { return pos < line_.size() ? line_[pos] : U'\0'; }
  void CommentProc();
  void IdentProc();
  void SlashProc();
  void SpaceProc();
  void StringProc();

  std::u32string line_;
  int lineNumber_ = 0;
  std::size_t run_ = 0;
  std::size_t tokenPos_ = 0;
  int tokenId_ = tkNull;
  int range_ = rsUnknown;
  std::array<TSynHighlighterAttributes*, 17> attributes_{};
};

}  // namespace qx
