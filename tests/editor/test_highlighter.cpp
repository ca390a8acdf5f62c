#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/EditorExceptions.h"
#include "editor/Highlighter.h"

namespace qx {
namespace {

// A small language: "{" opens a comment that may run over several lines until "}";
// words are runs of letters; every other character is a token of its own.
class TBraceHighlighter : public TSynCustomHighlighter {
 public:
  enum { tkComment, tkWord, tkSymbol };
  TBraceHighlighter() {
    comment_ = AddAttribute(std::make_unique<TSynHighlighterAttributes>("Comment"));
    word_ = AddAttribute(std::make_unique<TSynHighlighterAttributes>("Word"));
    symbol_ = AddAttribute(std::make_unique<TSynHighlighterAttributes>("Symbol"));
    comment_->SetStyle(fsItalic);
    comment_->SetForeground(clNavy);
    SetAttributesOnChange(MakeMethod<&TSynCustomHighlighter::DefHighlightChange>(this));
  }
  TSynHighlighterAttributes* GetDefaultAttribute(int index) const override {
    return index == SYN_ATTR_COMMENT ? comment_ : index == SYN_ATTR_IDENTIFIER ? word_ : nullptr;
  }
  bool GetEol() const override { return eol_; }
  TSynRange GetRange() const override { return range_; }
  void SetRange(TSynRange r) override { range_ = r; }
  void ResetRange() override { range_ = 0; }
  std::u32string GetToken() const override { return line_.substr(start_, run_ - start_); }
  TSynHighlighterAttributes* GetTokenAttribute() const override {
    return kind_ == tkComment ? comment_ : kind_ == tkWord ? word_ : symbol_;
  }
  int GetTokenKind() const override { return kind_; }
  int GetTokenPos() const override { return static_cast<int>(start_); }
  void SetLine(const std::u32string& line, int lineNumber) override {
    line_ = line;
    lines.push_back(lineNumber);
    run_ = 0;
    eol_ = false;
    Next();
  }
  void Next() override {
    start_ = run_;
    if (run_ >= line_.size()) {
      eol_ = true;
      return;
    }
    if (range_ == 1 || line_[run_] == U'{') {
      range_ = 1;
      kind_ = tkComment;
      while (run_ < line_.size() && line_[run_] != U'}') ++run_;
      if (run_ < line_.size()) {
        ++run_;
        range_ = 0;
      }
    } else if (IsDefaultIdentChar(line_[run_])) {
      kind_ = tkWord;
      while (run_ < line_.size() && IsDefaultIdentChar(line_[run_])) ++run_;
    } else {
      kind_ = tkSymbol;
      ++run_;
    }
  }
  std::vector<int> lines;  // every line handed to SetLine, in order

 private:
  TSynHighlighterAttributes *comment_, *word_, *symbol_;
  std::u32string line_;
  std::size_t start_ = 0, run_ = 0;
  int kind_ = tkSymbol;
  TSynRange range_ = 0;
  bool eol_ = true;
};

struct Editor {
  int notified = 0;
  void HighlighterChanged(void* sender) {
    ++notified;
    last = sender;
  }
  void* last = nullptr;
};

TEST(Highlighter, TokensAndRescanStopsAtFirstUnchangedRange) {
  TBraceHighlighter hl;
  std::vector<std::u32string> tokens;
  hl.SetLine(U"ab {c", 0);
  while (!hl.GetEol()) {
    tokens.push_back(hl.GetToken());
    hl.Next();
  }
  EXPECT_EQ(tokens, (std::vector<std::u32string>{U"ab", U" ", U"{c"}));
  EXPECT_EQ(hl.GetRange(), 1);

  TSrcEditStringList lines;
  for (auto s : {U"a", U"b {", U"c", U"d }", U"e", U"f"}) lines.Add(s);
  ScanRanges(hl, lines);
  std::vector<TSynRange> ranges;
  for (int i = 0; i < lines.Count(); ++i) ranges.push_back(lines.GetRange(i));
  EXPECT_EQ(ranges, (std::vector<TSynRange>{0, 1, 1, 0, 0, 0}));

  // Closing the comment on line 1 changes lines 1 to 3; line 3 already ended at 0.
  lines.Put(1, U"b {}");
  hl.lines.clear();
  EXPECT_EQ(ScanFrom(hl, lines, 1), 3);
  EXPECT_EQ(hl.lines, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(lines.GetRange(2), 0);

  // An edit that leaves the end range alone stops at once.
  lines.Put(4, U"e e");
  hl.lines.clear();
  EXPECT_EQ(ScanFrom(hl, lines, 4), 4);
  EXPECT_EQ(hl.lines, (std::vector<int>{4}));

  // Opening a comment on the last line stops there.
  lines.Put(5, U"{");
  EXPECT_EQ(ScanFrom(hl, lines, 5), 5);
  EXPECT_EQ(lines.GetRange(5), 1);
  EXPECT_EQ(ScanFrom(hl, lines, 6), 6);

  // A never-scanned line (range -1) is always stored; the comment it opens swallows
  // line 1 and is closed again on line 2, which ends as before.
  lines.Insert(0, U"{");
  EXPECT_EQ(lines.GetRange(0), kRangeNotScanned);
  EXPECT_EQ(ScanFrom(hl, lines, 0), 2);
  EXPECT_EQ(lines.GetRange(1), 1);
}

TEST(Highlighter, AttributesDefaultsAndChangeHooks) {
  TBraceHighlighter hl;
  EXPECT_EQ(hl.GetAttribCount(), 3);
  EXPECT_EQ(hl.GetAttribute(0)->Name(), "Comment");
  EXPECT_EQ(hl.GetAttribute(2)->Name(), "Word");
  EXPECT_EQ(hl.GetAttribute(3), nullptr);
  EXPECT_EQ(hl.GetAttribute(-1), nullptr);
  EXPECT_EQ(hl.GetLanguageName(), "<Unknown>");
  EXPECT_EQ(hl.GetCapabilities(), 2u);
  EXPECT_EQ(hl.GetDefaultFilter(), "");
  EXPECT_TRUE(hl.IsIdentChar(U'!'));
  EXPECT_FALSE(hl.IsIdentChar(U' '));
  EXPECT_TRUE(hl.IsWordBreakChar(U'^'));
  EXPECT_FALSE(hl.IsWordBreakChar(U' '));
  EXPECT_FALSE(hl.IsWordBreakChar(U'\u00E8'));
  try {
    hl.AddAttribute(std::make_unique<TSynHighlighterAttributes>("WORD"));
    ADD_FAILURE();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "String list does not allow duplicates");
  }

  // Values set before the handler are the recorded defaults, and not stored.
  TSynHighlighterAttributes* comment = hl.GetAttribute(0);
  TSynHighlighterAttributes* word = hl.GetAttribute(2);
  EXPECT_FALSE(comment->IsForegroundStored());
  EXPECT_FALSE(comment->IsStyleStored());
  EXPECT_EQ(word->Background(), clNone);
  EXPECT_EQ(word->Foreground(), clNone);
  EXPECT_FALSE(word->IsBackgroundStored());

  Editor one, two;
  hl.HookAttrChangeEvent(MakeMethod<&Editor::HighlighterChanged>(&one));
  hl.HookAttrChangeEvent(MakeMethod<&Editor::HighlighterChanged>(&two));
  comment->SetForeground(clNavy);  // unchanged: nothing fires
  EXPECT_EQ(one.notified, 0);
  word->SetForeground(clRed);
  EXPECT_EQ(one.notified, 1);
  EXPECT_EQ(two.notified, 1);
  EXPECT_EQ(one.last, &hl);
  EXPECT_TRUE(word->IsForegroundStored());
  hl.UnhookAttrChangeEvent(MakeMethod<&Editor::HighlighterChanged>(&two));
  hl.SetEnabled(false);
  hl.SetEnabled(false);
  EXPECT_EQ(one.notified, 2);
  EXPECT_EQ(two.notified, 1);

  // Nothing goes out while loading; the end of loading sends one notification.
  hl.BeginLoading();
  word->SetStyle(fsBold);
  EXPECT_EQ(one.notified, 2);
  hl.Loaded();
  EXPECT_EQ(one.notified, 3);

  // Assign copies the look, fires once, and keeps the name.
  TSynHighlighterAttributes other("Other");
  other.SetBackground(clYellow);
  other.SetForeground(clBlue);
  other.SetStyle(fsUnderline | fsStrikeOut);
  word->Assign(other);
  EXPECT_EQ(one.notified, 4);
  EXPECT_EQ(word->Name(), "Word");
  EXPECT_EQ(word->IntegerStyle(), 12);
  word->Assign(other);
  EXPECT_EQ(one.notified, 4);

  TBraceHighlighter copy;
  copy.SetDefaultFilter("*.q");
  TSynCharSet breaks;
  breaks.set('#');
  copy.SetWordBreakChars(breaks);
  hl.Assign(copy);
  EXPECT_EQ(hl.GetDefaultFilter(), "*.q");
  EXPECT_TRUE(hl.IsWordBreakChar(U'#'));
  EXPECT_TRUE(hl.Enabled());
  EXPECT_EQ(word->Foreground(), clNone);
  EXPECT_EQ(comment->Style(), fsItalic);
}

TEST(Highlighter, SettingsSaveAndLoad) {
  TBraceHighlighter hl;
  TMemorySettingsStore store;
  hl.GetAttribute(2)->SetForeground(clRed);
  hl.GetAttribute(2)->SetStyle(fsBold | fsUnderline);
  hl.GetAttribute(1)->SetBackground(clNone);
  EXPECT_TRUE(hl.SaveToRegistry(store, "Software\\Quorix\\Colori"));
  EXPECT_EQ(store.ReadInteger("Software\\Quorix\\Colori\\Word", "Style"), 5);
  EXPECT_EQ(store.ReadInteger("software\\quorix\\colori\\word", "foreground"), clRed);

  TBraceHighlighter back;
  EXPECT_FALSE(back.LoadFromRegistry(store, "Software\\Altro"));
  EXPECT_TRUE(back.LoadFromRegistry(store, "Software\\Quorix\\Colori"));
  EXPECT_EQ(back.GetAttribute(2)->Foreground(), clRed);
  EXPECT_EQ(back.GetAttribute(2)->Style(), fsBold | fsUnderline);
  EXPECT_EQ(back.GetAttribute(0)->Style(), fsItalic);

  // A missing value keeps what the attribute had.
  store.DeleteValue("Software\\Quorix\\Colori\\Word", "Style");
  store.WriteInteger("Software\\Quorix\\Colori\\Word", "Foreground", clGreen);
  back.GetAttribute(2)->SetStyle(fsItalic);
  EXPECT_TRUE(back.LoadFromRegistry(store, "Software\\Quorix\\Colori"));
  EXPECT_EQ(back.GetAttribute(2)->Style(), fsItalic);
  EXPECT_EQ(back.GetAttribute(2)->Foreground(), clGreen);

  // A missing attribute key makes the answer false but loads the others.
  TMemorySettingsStore partial;
  partial.WriteInteger("K\\Word", "Foreground", clBlue);
  EXPECT_FALSE(back.LoadFromRegistry(partial, "K"));
  EXPECT_EQ(back.GetAttribute(2)->Foreground(), clBlue);
}

TEST(Highlighter, EditorSettingsImport) {
  TSynHighlighterAttributes attr("Comment");
  TMemorySettingsStore store;
  store.WriteString("Editor", "Comment", "x,y,BI,0,0,9,14");
  EXPECT_TRUE(attr.LoadFromEditorSettings(store, "Editor", "Comment", true));
  EXPECT_EQ(attr.Foreground(), clRed);
  EXPECT_EQ(attr.Background(), clAqua);
  EXPECT_EQ(attr.Style(), fsBold | fsItalic);
  store.WriteString("Editor", "Comment", "x,y,U,1,1,99,99");
  EXPECT_TRUE(attr.LoadFromEditorSettings(store, "Editor", "Comment", true));
  EXPECT_EQ(attr.Foreground(), clWindowText);
  EXPECT_EQ(attr.Background(), clWindow);
  EXPECT_EQ(attr.Style(), fsUnderline);
  // A colour number outside the table, or too few fields, changes nothing.
  store.WriteString("Editor", "Comment", "x,y,B,0,0,16,1");
  EXPECT_FALSE(attr.LoadFromEditorSettings(store, "Editor", "Comment", true));
  store.WriteString("Editor", "Comment", "x,y,B");
  EXPECT_FALSE(attr.LoadFromEditorSettings(store, "Editor", "Comment", true));
  EXPECT_EQ(attr.Style(), fsUnderline);
  EXPECT_FALSE(attr.LoadFromEditorSettings(store, "Editor", "Missing", true));

  const std::string key = "Editor\\Comment";
  store.WriteInteger(key, "Foreground Color", 4);
  store.WriteString(key, "Background Color New", "clYellow");
  store.WriteString(key, "Bold", "True");
  store.WriteString(key, "Italic", "false");
  store.WriteString(key, "Underline", "0");
  store.WriteString(key, "Default Foreground", "FALSE");
  EXPECT_FALSE(attr.LoadFromEditorSettings(store, "Editor", "Comment", false));  // one missing
  EXPECT_EQ(attr.Style(), fsUnderline);
  store.WriteString(key, "Default Background", "0");
  EXPECT_TRUE(attr.LoadFromEditorSettings(store, "Editor", "Comment", false));
  EXPECT_EQ(attr.Foreground(), clNavy);
  EXPECT_EQ(attr.Background(), clYellow);
  EXPECT_EQ(attr.Style(), fsBold);
  store.WriteString(key, "Default Foreground", "yes");
  store.WriteString(key, "Background Color New", "$00FF00");
  EXPECT_TRUE(attr.LoadFromEditorSettings(store, "Editor", "Comment", false));
  EXPECT_EQ(attr.Foreground(), clWindowText);
  EXPECT_EQ(attr.Background(), clLime);
  store.WriteString(key, "Background Color New", "clNoSuchColour");
  EXPECT_FALSE(attr.LoadFromEditorSettings(store, "Editor", "Comment", false));
}

TEST(Highlighter, ClassListAndWordCharacters) {
  const int first = RegisterHighlighterClass<TBraceHighlighter>();
  EXPECT_EQ(RegisterHighlighterClass<TBraceHighlighter>(), first);
  auto made = TSynHighlighterList::Instance().Items(first).Create();
  EXPECT_EQ(made->GetAttribCount(), 3);

  for (char32_t c : {U'a', U'Z', U'0', U'9', U'_', U'\u00E8', U'\u00C0', U'\u0142', U'\u0416', U'\u03B1', U'\u4E2D'})
    EXPECT_TRUE(IsDefaultIdentChar(c)) << static_cast<unsigned>(c);
  for (char32_t c : {U' ', U'.', U'$', U'\u00D7', U'\u00F7', U'\u00A0', U'\u2014', U'\t', char32_t(0x110000)})
    EXPECT_FALSE(IsDefaultIdentChar(c)) << static_cast<unsigned>(c);
  EXPECT_EQ(StandardColor(7), clSilver);
  EXPECT_EQ(StandardColor(16), clNone);
}

}  // namespace
}  // namespace qx
