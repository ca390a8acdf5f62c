// The editor's services: Home and End, block indent and unindent, case changes, bracket
// matching, visible blanks and tabs, file drops, hooked command handlers; and a fuzz of
// random editing after which undo brings back the text that was there.
#include <QDropEvent>
#include <QUrl>
#include <random>

#include "tests/editor/WidgetTestSupport.h"

namespace qx::test {
namespace {

TEST(SrcEditServices, EnhancedHomeAndEnd) {
  auto ed = ShownEditor();
  ed->SetOptions(ed->Options() + eoEnhanceHomeKey);
  SetText(*ed, U"    x = 1;   ");
  ed->SetCaretXY({8, 1});
  Key(*ed, Qt::Key_Home);
  EXPECT_EQ(ed->CaretX(), 5);
  Key(*ed, Qt::Key_Home);
  EXPECT_EQ(ed->CaretX(), 1);
  Key(*ed, Qt::Key_End);
  EXPECT_EQ(ed->CaretX(), 11);  // behind the last character that is not blank
  Key(*ed, Qt::Key_End);
  EXPECT_EQ(ed->CaretX(), 14);  // then the end of the line
  ed->SetOptions(ed->Options() - eoEnhanceHomeKey - eoEnhanceEndKey);
  Key(*ed, Qt::Key_Home);
  EXPECT_EQ(ed->CaretX(), 1);
  ed->SetCaretXY({3, 1});
  Key(*ed, Qt::Key_End);
  EXPECT_EQ(ed->CaretX(), 14);
}

TEST(SrcEditServices, BlockIndentAndUnindent) {
  auto ed = ShownEditor();
  SetText(*ed, U"a\nb\nc\nd\ne");
  // Lines 2 to 4; the selection ends at char 1 of line 5, which stays as it is.
  ed->SetCaretAndSelection({1, 5}, {1, 2}, {1, 5});
  Key(*ed, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "a\r\n        b\r\n        c\r\n        d\r\ne");
  Key(*ed, Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "a\r\nb\r\nc\r\nd\r\ne");
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "a\r\n        b\r\n        c\r\n        d\r\ne");
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "a\r\nb\r\nc\r\nd\r\ne");
  // Unindent takes a tab, or blanks up to the tab width with a tab right after them.
  SetText(*ed, U"\tx\n  \ty\n          z");
  ed->SetCaretAndSelection({2, 3}, {1, 1}, {2, 3});
  Key(*ed, Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "x\r\ny\r\n  z");
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "\tx\r\n  \ty\r\n          z");

  // A block of more lines than the undo list's limit comes back whole: the list kept only
  // the last 1,024 lines' records and one undo left the first lines indented.
  std::u32string lunga;
  for (int i = 1; i <= 1500; ++i) lunga += U"X" + std::u32string(1, U'a' + i % 26) + U" = 1;\n";
  SetText(*ed, lunga);
  const std::u32string prima = Text(*ed);
  ed->SetCaretAndSelection({1, 1501}, {1, 1}, {1, 1501});
  Key(*ed, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_NE(Text(*ed), prima);
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(Text(*ed) == prima) << "the whole indent is undone in one step";
}

TEST(SrcEditServices, CaseChangesAndBrackets) {
  auto ed = ShownEditor();
  SetText(*ed, U"stampa(perché) fine");
  ed->SetCaretXY({3, 1});
  ed->CommandProcessor(ecUpperCase, 0, nullptr);
  EXPECT_EQ(Utf8(Text(*ed)), "STAMPA(perché) fine");
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{3, 1}));
  ed->SetCaretXY({9, 1});
  ed->CommandProcessor(ecTitleCase, 0, nullptr);
  EXPECT_EQ(Utf8(Text(*ed)), "STAMPA(Perché) fine");
  ed->SetCaretAndSelection({20, 1}, {1, 1}, {20, 1});
  ed->CommandProcessor(ecToggleCaseBlock, 0, nullptr);
  EXPECT_EQ(Utf8(Text(*ed)), "stampa(pERCHÉ) FINE");
  EXPECT_EQ(Utf8(ed->SelText()), "stampa(pERCHÉ) FINE");
  ed->Undo();
  EXPECT_EQ(Utf8(Text(*ed)), "STAMPA(Perché) fine");
  // The bracket that matches, nested ones counted.
  SetText(*ed, U"f(a[1], (b))");
  EXPECT_EQ(ed->GetMatchingBracketEx({2, 1}), (TBufferCoord{12, 1}));
  EXPECT_EQ(ed->GetMatchingBracketEx({12, 1}), (TBufferCoord{2, 1}));
  EXPECT_EQ(ed->GetMatchingBracketEx({4, 1}), (TBufferCoord{6, 1}));
  EXPECT_EQ(ed->GetMatchingBracketEx({3, 1}), (TBufferCoord{0, 0}));
  // With the highlighter, a bracket inside a string or a comment does not count.
  TSynSampleSyn hl;
  ed->SetHighlighter(&hl);
  SetText(*ed, U"f(\")\", /* ) */\ng)");
  EXPECT_EQ(ed->GetMatchingBracketEx({2, 1}), (TBufferCoord{2, 2}));
  ed->SetCaretXY({2, 1});
  Key(*ed, Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{2, 2}));
}

TEST(SrcEditServices, VisibleBlanksTabsAndLineEnds) {
  auto ed = ShownEditor();
  SetText(*ed, U"a b\tc");
  const QImage plain = Picture(*ed);
  ed->SetOptions(ed->Options() + eoShowSpecialChars);
  const QImage shown = Picture(*ed);
  auto ink = [&](const QImage& img, int col) {
    int n = 0;
    for (QRgb p : RowBand(img, *ed, 1, ColumnX(*ed, col), ColumnX(*ed, col + 1)).Pixels)
      if (QColor(p).lightness() < 160) ++n;
    return n;
  };
  EXPECT_EQ(ink(plain, 2), 0);  // the blank
  EXPECT_GT(ink(shown, 2), 0);  // now a dot
  int tabInk = 0;
  for (int col = 4; col <= 8; ++col) {
    EXPECT_EQ(ink(plain, col), 0);
    tabInk += ink(shown, col);
  }
  EXPECT_GT(tabInk, 0);         // a guillemet inside the tab
  EXPECT_EQ(ink(plain, 10), 0);
  EXPECT_GT(ink(shown, 10), 0);  // the pilcrow at the end of the line
}

TEST(SrcEditServices, FilesDroppedFromTheDesktop) {
  auto ed = ShownEditor();
  std::vector<std::string> got;
  ed->OnDropFiles = [&](TCustomSrcEdit*, int, int, const std::vector<std::string>& files) { got = files; };
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/uno.qxs")), QUrl::fromLocalFile(QStringLiteral("/tmp/due.txt"))});
  QDragEnterEvent refused(QPoint(50, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(ed->viewport(), &refused);
  EXPECT_FALSE(refused.isAccepted());  // not without the option
  ed->SetOptions(ed->Options() + eoDropFiles);
  QDragEnterEvent enter(QPoint(50, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(ed->viewport(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPoint(50, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(ed->viewport(), &drop);
  EXPECT_EQ(got, (std::vector<std::string>{"/tmp/uno.qxs", "/tmp/due.txt"}));
  EXPECT_EQ(Utf8(Text(*ed)), "");
}

TEST(SrcEditServices, NotificationsAndHookedHandlersSeeEveryCommand) {
  auto ed = ShownEditor();
  std::vector<TSrcEditorCommand> processed;
  ed->OnCommandProcessed = [&](TCustomSrcEdit*, TSrcEditorCommand& c, char32_t&, void*) { processed.push_back(c); };
  // A handler may change a typed character or cancel a command.
  ed->OnProcessCommand = [](TCustomSrcEdit*, TSrcEditorCommand& c, char32_t& ch, void*) {
    if (c == ecChar && ch == U'a') ch = U'A';
    if (c == ecDeleteLine) c = ecNone;
  };
  Type(*ed, QStringLiteral("ab"));
  Key(*ed, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "Ab");
  EXPECT_EQ(processed, (std::vector<TSrcEditorCommand>{ecChar, ecChar, ecNone}));
  // Commands from 1001 up belong to the application.
  TSrcEditorCommand user = 0;
  ed->OnProcessUserCommand = [&](TCustomSrcEdit*, TSrcEditorCommand& c, char32_t&, void*) { user = c; };
  ed->CommandProcessor(ecUserFirst + 5, 0, nullptr);
  EXPECT_EQ(user, ecUserFirst + 5);
}

// ---- random editing ----

struct TFuzzStep {
  Qt::Key Key;
  Qt::KeyboardModifiers Mods;
  const char* Text;
};

constexpr TFuzzStep kSteps[] = {
    {Qt::Key_A, Qt::NoModifier, "a"},       {Qt::Key_Space, Qt::NoModifier, " "},
    {Qt::Key_Return, Qt::NoModifier, ""},   {Qt::Key_Backspace, Qt::NoModifier, ""},
    {Qt::Key_Delete, Qt::NoModifier, ""},   {Qt::Key_Left, Qt::NoModifier, ""},
    {Qt::Key_Right, Qt::NoModifier, ""},    {Qt::Key_Up, Qt::NoModifier, ""},
    {Qt::Key_Down, Qt::NoModifier, ""},     {Qt::Key_Home, Qt::NoModifier, ""},
    {Qt::Key_End, Qt::NoModifier, ""},      {Qt::Key_Tab, Qt::NoModifier, ""},
    {Qt::Key_Backtab, Qt::ShiftModifier, ""}, {Qt::Key_Right, Qt::ShiftModifier, ""},
    {Qt::Key_Down, Qt::ShiftModifier, ""},  {Qt::Key_Left, Qt::ShiftModifier, ""},
    {Qt::Key_X, Qt::ControlModifier, ""},   {Qt::Key_V, Qt::ControlModifier, ""},
    {Qt::Key_C, Qt::ControlModifier, ""},   {Qt::Key_Y, Qt::ControlModifier, ""},
    {Qt::Key_T, Qt::ControlModifier, ""},   {Qt::Key_Backspace, Qt::ControlModifier, ""},
    {Qt::Key_Insert, Qt::NoModifier, ""},   {Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier, ""},
    {Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier, ""},
    {Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, ""},  // column selection
    {Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier, ""},  // normal selection
    {Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier, ""},  // line selection
    {Qt::Key_Z, Qt::ControlModifier, ""},   {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, ""},
    {Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier, ""}, {Qt::Key_PageDown, Qt::NoModifier, ""},
};

constexpr std::u32string_view kFuzzText = U"PER (I DA 1 A 3) ESEGUI;\n\tSTAMPA(I);\n\n    x = \"è\";\nFINE;";

// The editor a random run starts from: the clipboard, the configuration and the wrapping
// vary with the seed.
auto FuzzEditor(int seed) {
  App();
  QApplication::clipboard()->setText(seed % 2 ? QStringLiteral("uno\n  due  ") : QStringLiteral("\t(x)"));
  auto ed = ShownEditor(8, 320);
  if (seed % 3 == 0) ConfigureProgramEditor(*ed);
  if (seed % 4 == 1) ed->SetWordWrap(true);
  return ed;
}

TEST(SrcEditFuzz, RandomEditingNeverBreaksTheControlAndUndoRestoresTheText) {
  const std::u32string original(kFuzzText);
  for (int seed = 1; seed <= 40; ++seed) {
    std::mt19937 rng(static_cast<unsigned>(seed));
    auto ed = FuzzEditor(seed);
    TSynSampleSyn hl;
    ed->SetHighlighter(&hl);
    SetText(*ed, original);
    const std::u32string loaded = Text(*ed);
    ed->SetMaxUndo(100000);
    for (int i = 0; i < 150; ++i) {
      const TFuzzStep& step = kSteps[rng() % std::size(kSteps)];
      QTest::keyClick(ed.get(), step.Key, step.Mods);
      ASSERT_GE(ed->CaretY(), 1) << "seed " << seed;
      ASSERT_GE(ed->CaretX(), 1) << "seed " << seed;
      ASSERT_LE(ed->CaretY(), std::max(1, ed->Lines().Count())) << "seed " << seed;
    }
    Picture(*ed);  // painting whatever the text became
    while (ed->CanUndo()) ed->Undo();
    EXPECT_EQ(Utf8(Text(*ed)), Utf8(loaded)) << "seed " << seed;
  }
}

}  // namespace
}  // namespace qx::test

namespace qx::test {
namespace {

// Each step on its own, without undo grouping: undo gives back the text before it, and redo
// the text after it.
TEST(SrcEditFuzz, EveryStepIsUndoneAndRedoneExactly) {
  const std::u32string original(kFuzzText);
  for (int seed = 1; seed <= 30; ++seed) {
    std::mt19937 rng(static_cast<unsigned>(seed));
    auto ed = FuzzEditor(seed);
    ed->SetOptions(ed->Options() - eoGroupUndo);
    SetText(*ed, original);
    ed->SetMaxUndo(100000);
    for (int i = 0; i < 200; ++i) {
      const TFuzzStep& step = kSteps[rng() % std::size(kSteps)];
      const std::u32string before = Text(*ed);
      QTest::keyClick(ed.get(), step.Key, step.Mods);
      const std::u32string after = Text(*ed);
      if (after == before || step.Key == Qt::Key_Z) continue;
      ed->Undo();
      ASSERT_EQ(Utf8(Text(*ed)), Utf8(before)) << "seed " << seed << " step " << i;
      ed->Redo();
      ASSERT_EQ(Utf8(Text(*ed)), Utf8(after)) << "seed " << seed << " step " << i;
    }
  }
}

}  // namespace
}  // namespace qx::test
