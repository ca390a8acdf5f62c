// The control's defaults, its property setters, the option objects, the text drawer and the
// main window's two configurations.
#include <QFontInfo>
#include <QPainter>

#include "editor/qt/TextDrawer.h"
#include "tests/editor/WidgetTestSupport.h"

namespace qx::test {
namespace {

TEST(SrcEditDefaults, ANewControlIsEmptyWithTheDefaultOptionsAndLimits) {
  App();
  TSrcEdit ed;
  EXPECT_EQ(ed.Lines().Count(), 0);
  EXPECT_EQ(ed.CaretXY(), (TBufferCoord{1, 1}));
  EXPECT_FALSE(ed.SelAvail());
  EXPECT_EQ(ed.TopLine(), 1);
  EXPECT_EQ(ed.LeftChar(), 1);
  EXPECT_EQ(ed.Options(), (TSrcEditorOptions{eoAutoIndent, eoDragDropEditing, eoEnhanceEndKey, eoGroupUndo,
                                             eoScrollPastEol, eoShowScrollHint, eoSmartTabDelete, eoSmartTabs,
                                             eoTabsToSpaces}));
  EXPECT_EQ(ed.MaxUndo(), 1024);
  EXPECT_EQ(ed.TabWidth(), 8);
  EXPECT_EQ(ed.RightEdge(), 80);
  EXPECT_EQ(ed.RightEdgeColor(), clSilver);
  EXPECT_EQ(ed.MaxScrollWidth(), 1024);
  EXPECT_EQ(ed.ActiveLineColor(), clNone);
  EXPECT_EQ(ed.ExtraLineSpacing(), 0);
  EXPECT_TRUE(ed.InsertMode());
  EXPECT_FALSE(ed.ReadOnly());
  EXPECT_TRUE(ed.WantReturns());
  EXPECT_FALSE(ed.WantTabs());
  EXPECT_FALSE(ed.WordWrap());
  EXPECT_FALSE(ed.HideSelection());
  EXPECT_FALSE(ed.Modified());
  EXPECT_EQ(ed.ScrollBars(), ssBoth);
  EXPECT_EQ(ed.BorderStyle(), bsSingle);
  EXPECT_EQ(ed.InsertCaret(), ctVerticalLine);
  EXPECT_EQ(ed.OverwriteCaret(), ctBlock);
  EXPECT_EQ(ed.SelectionMode(), smNormal);
  EXPECT_EQ(ed.ScrollHintFormat(), shfTopLineOnly);
  EXPECT_EQ(ed.ScrollHintColor(), clInfoBk);
  EXPECT_EQ(ed.Color(), clWindow);
  EXPECT_EQ(ed.SelectedColor().Background(), clHighlight);
  EXPECT_EQ(ed.SelectedColor().Foreground(), clHighlightText);
  EXPECT_EQ(ed.Highlighter(), nullptr);
  EXPECT_EQ(ed.Keystrokes().Count(), 82);
  const TSynGutter& g = ed.Gutter();
  EXPECT_EQ(g.Width(), 30);
  EXPECT_EQ(g.DigitCount(), 4);
  EXPECT_EQ(g.LeftOffset(), 16);
  EXPECT_EQ(g.RightOffset(), 2);
  EXPECT_EQ(g.GradientSteps(), 48);
  EXPECT_EQ(ed.GutterWidth(), 30);
  EXPECT_EQ(ed.TextOffset(), 32);
  EXPECT_TRUE(ed.BookMarkOptions().EnableKeys());
  EXPECT_EQ(ed.BookMarkOptions().Xoffset(), 12);
  // The cell is measured on the font, never assumed.
  EXPECT_TRUE(QFontInfo(ed.TextFont()).fixedPitch());
  EXPECT_EQ(ed.CharWidth(), QFontMetrics(ed.TextFont()).horizontalAdvance(QLatin1Char('M')));
  EXPECT_GE(ed.LineHeight(), QFontMetrics(ed.TextFont()).height());
}

TEST(SrcEditDefaults, SettersClampAndMaxUndoReachesBothLists) {
  App();
  TSrcEdit ed;
  ed.SetMaxUndo(-1);
  EXPECT_EQ(ed.MaxUndo(), 1024);
  ed.SetMaxUndo(0);
  EXPECT_EQ(ed.UndoList().MaxUndoActions(), 0);
  EXPECT_EQ(ed.RedoList().MaxUndoActions(), 0);
  ed.SetTabWidth(0);
  EXPECT_EQ(ed.TabWidth(), 1);
  ed.SetTabWidth(1000);
  EXPECT_EQ(ed.TabWidth(), 256);
  EXPECT_EQ(ed.Lines().TabWidth(), 256);
  ed.SetMaxScrollWidth(0);
  EXPECT_EQ(ed.MaxScrollWidth(), 1);
  TSynGutter& g = ed.Gutter();
  g.SetDigitCount(20);
  EXPECT_EQ(g.DigitCount(), 12);
  g.SetDigitCount(1);
  EXPECT_EQ(g.DigitCount(), 2);
  g.SetGradientSteps(1);
  EXPECT_EQ(g.GradientSteps(), 2);
  g.SetWidth(-5);
  EXPECT_EQ(g.Width(), 0);
}

TEST(SrcEditDefaults, AProportionalFontIsReplacedByAFixedPitchOneOfTheSameSizeAndStyle) {
  App();
  TSrcEdit ed;
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(17);
  f.setItalic(true);
  ed.setFont(f);
  // The family is the installed one asked for by name, whatever else the machine has.
  EXPECT_EQ(QFontInfo(ed.TextFont()).family(), QStringLiteral("Liberation Mono"));
  EXPECT_TRUE(QFontInfo(ed.TextFont()).fixedPitch());
  EXPECT_EQ(ed.TextFont().pixelSize(), 17);
  EXPECT_TRUE(ed.TextFont().italic());
  EXPECT_EQ(ed.CharWidth(), QFontMetrics(ed.TextFont()).horizontalAdvance(QLatin1Char('M')));
}

TEST(SrcEditDefaults, StatusChangesUnderTheUpdateLockArriveOnceAtTheRelease) {
  App();
  TSrcEdit ed;
  ed.SetLinesText(U"abc\ndef");
  std::vector<TSynStatusChanges> seen;
  ed.OnStatusChange = [&](TCustomSrcEdit*, TSynStatusChanges c) { seen.push_back(c); };
  ed.BeginUpdate();
  ed.SetCaretXY({2, 2});
  ed.SetReadOnly(true);
  ed.SetInsertMode(false);
  EXPECT_TRUE(seen.empty());
  ed.EndUpdate();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0] & (scCaretX | scCaretY | scReadOnly | scInsertMode | scSelection),
            scCaretX | scCaretY | scReadOnly | scInsertMode | scSelection);
  seen.clear();
  ed.SetReadOnly(false);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], scReadOnly);
}

TEST(SrcEditDefaults, AHighlighterThatGoesFirstLeavesNothingBehind) {
  auto ed = ShownEditor();
  auto other = ShownEditor();
  SetText(*ed, U"SE x; /* c */");
  {
    TSynSampleSyn hl;
    ed->SetHighlighter(&hl);
    other->SetHighlighter(&hl);
    EXPECT_EQ(ed->Highlighter(), &hl);
  }
  EXPECT_EQ(ed->Highlighter(), nullptr);
  EXPECT_EQ(other->Highlighter(), nullptr);
  Picture(*ed);  // paints without it
  Type(*ed, QStringLiteral("a"));
  EXPECT_EQ(Utf8(Text(*ed)), "aSE x; /* c */");
}

TEST(SrcEditGutter, LineNumbersDigitsAndWidth) {
  App();
  TSynGutter g;
  int changes = 0;
  g.OnChange = [&](void*) { ++changes; };
  g.SetLineNumberStart(0);
  EXPECT_TRUE(g.ZeroStart());
  EXPECT_EQ(g.FormatLineNumber(1), U"   0");
  g.SetLineNumberStart(1);
  g.SetLeadingZeros(true);
  EXPECT_EQ(g.FormatLineNumber(7), U"0007");
  g.SetLeadingZeros(false);
  g.SetShowLineNumbers(true);
  EXPECT_EQ(g.RealGutterWidth(8), 16 + 2 + 4 * 8 + 2);
  g.SetAutoSize(true);
  g.AutoSizeDigitCount(123456);
  EXPECT_EQ(g.AutoSizeDigits(), 6);
  g.SetVisible(false);
  EXPECT_EQ(g.RealGutterWidth(8), 0);
  const int before = changes;
  g.SetVisible(false);  // no change, no notification
  EXPECT_EQ(changes, before);
}

TEST(SrcEditGutter, ShowingLineNumbersWidensTheGutterOfTheControl) {
  App();
  TSrcEdit ed;
  ed.Gutter().SetUseFontStyle(false);
  ed.Gutter().SetShowLineNumbers(true);
  EXPECT_EQ(ed.GutterWidth(), 16 + 2 + 4 * ed.CharWidth() + 2);
  EXPECT_EQ(ed.TextOffset(), ed.GutterWidth() + 2);
}

TEST(TextDrawer, EqualFontsShareOneRecordAndCellsNeverChangeWithTheStyle) {
  App();
  QFont f(QStringLiteral("Courier New"));
  f.setPixelSize(15);
  TheFontsInfoManager& m = TheFontsInfoManager::Instance();
  const int records = m.Count();
  auto a = std::make_unique<TheTextDrawer>(fsBold, &f);
  auto b = std::make_unique<TheTextDrawer>(0, &f);
  EXPECT_EQ(m.Count(), records + 1);
  EXPECT_EQ(a->Stock().FontsInfo(), b->Stock().FontsInfo());
  EXPECT_EQ(a->Stock().FontsInfo()->RefCount, 2);
  a.reset();
  EXPECT_EQ(m.Count(), records + 1);
  EXPECT_EQ(b->Stock().FontsInfo()->RefCount, 1);
  const int cell = b->CharWidth();
  b->SetStyle(fsItalic);
  EXPECT_EQ(b->CharWidth(), cell);
  // A run of 65 characters grows the advance array to 128 entries; a new base font empties it.
  QImage img(800, 40, QImage::Format_RGB32);
  QPainter p(&img);
  b->BeginDrawing(&p);
  b->TextOut(0, 0, std::u32string(65, U'x'));
  EXPECT_EQ(b->AdvanceArrayLength(), 128);
  b->EndDrawing();
  p.end();
  QFont g(QStringLiteral("Courier New"));
  g.setPixelSize(20);
  b->SetBaseFont(&g);
  EXPECT_EQ(b->AdvanceArrayLength(), 0);
  EXPECT_GT(b->CharWidth(), cell);
  b.reset();
  EXPECT_EQ(m.Count(), records);
  EXPECT_THROW(TheTextDrawer(0, nullptr), EheFontStockException);
}

TEST(SrcEditConfig, TheProgramEditorAndTheCommandBar) {
  App();
  TSrcEdit prog, bar;
  ConfigureProgramEditor(prog);
  ConfigureCommandBar(bar);
  const TSrcEditorOptions options{eoAutoIndent,  eoKeepCaretX,   eoShowScrollHint,
                                  eoSmartTabs,   eoTabsToSpaces, eoTrimTrailingSpaces};
  for (TSrcEdit* ed : {&prog, &bar}) {
    EXPECT_EQ(ed->Options(), options);
    EXPECT_TRUE(ed->WantTabs());
    EXPECT_TRUE(ed->Gutter().AutoSize());
    EXPECT_EQ(ed->Gutter().DigitCount(), 2);
    EXPECT_EQ(ed->Gutter().Width(), 8);
    EXPECT_TRUE(ed->Gutter().Gradient());
    EXPECT_EQ(ed->Gutter().GradientEndColor(), clTeal);
    EXPECT_EQ(ed->Gutter().Font().pixelSize(), 11);
    EXPECT_TRUE(QFontInfo(ed->TextFont()).fixedPitch());
    EXPECT_LT(ed->Keystrokes().FindKeycode(VK_F1, 0), 0);
    EXPECT_LT(ed->Keystrokes().FindKeycode(VK_RETURN, ssShift), 0);
  }
  EXPECT_EQ(prog.TextFont().pixelSize(), 15);
  EXPECT_EQ(bar.TextFont().pixelSize(), 12);
  EXPECT_EQ(prog.ScrollBars(), ssBoth);
  EXPECT_EQ(bar.ScrollBars(), ssVertical);
  EXPECT_EQ(bar.height(), 27);
  EXPECT_EQ(prog.Keystrokes().Items(prog.Keystrokes().FindKeycode(VK_RETURN, 0)).Command, ecLineBreak);
  EXPECT_LT(bar.Keystrokes().FindKeycode(VK_RETURN, 0), 0);
  EXPECT_EQ(bar.Keystrokes().Items(bar.Keystrokes().FindKeycode(VK_RETURN, ssCtrl)).Command, ecLineBreak);
  // What forms store: the difference against the default bindings.
  TSrcEditKeyStrokes defaults, removed, added;
  defaults.ResetDefaults();
  RemovedKeyStrokes(bar.Keystrokes(), defaults, removed);
  AddedKeyStrokes(bar.Keystrokes(), defaults, added);
  EXPECT_EQ(removed.Count(), 3);
  EXPECT_EQ(added.Count(), 1);
  EXPECT_EQ(added.Items(0).GetShortCut(), 16397);
}

}  // namespace
}  // namespace qx::test
