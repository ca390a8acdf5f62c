#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "editor/EditorExceptions.h"
#include "editor/KeyStrokes.h"

namespace qx {
namespace {

TEST(KeyStrokes, CommandIdentifiers) {
  EXPECT_EQ(EditorCommandIdentCount(), 101);
  EXPECT_EQ(EditorCommandToCodeString(ecUndo), "ecUndo");
  EXPECT_EQ(EditorCommandToCodeString(1001), "ecUserFirst");
  EXPECT_EQ(EditorCommandToCodeString(1002), "1002");
  EXPECT_EQ(EditorCommandToCodeString(ecGotoMarker(9)), "ecGotoMarker9");
  EXPECT_EQ(EditorCommandToCodeString(ecSetMarker(0)), "ecSetMarker0");
  EXPECT_EQ(EditorCommandToCodeString(ecSelGotoXY), "ecSelGotoXY");
  EXPECT_FALSE(EditorCommandToIdent(480));
  EXPECT_EQ(IdentToEditorCommand("ecLineBreak"), ecLineBreak);
  EXPECT_EQ(IdentToEditorCommand("ECCOPY"), ecCopy);
  EXPECT_EQ(IdentToEditorCommand("1002"), 1002);
  EXPECT_FALSE(IdentToEditorCommand("ecNothing"));
  EXPECT_FALSE(IdentToEditorCommand("70000"));
  EXPECT_FALSE(IdentToEditorCommand(""));
  // Every identifier reads back to its number; no two share a number.
  std::set<int> seen;
  for (int c = 0; c <= 1100; ++c)
    if (auto ident = EditorCommandToIdent(static_cast<TSrcEditorCommand>(c))) {
      EXPECT_EQ(IdentToEditorCommand(*ident), c);
      seen.insert(c);
    }
  EXPECT_EQ(seen.size(), 101u);
}

TEST(KeyStrokes, DefaultTable) {
  TSrcEditKeyStrokes keys;
  keys.ResetDefaults();
  ASSERT_EQ(keys.Count(), 82);
  const int undo = keys.FindKeycode('Z', ssCtrl);
  ASSERT_GE(undo, 0);
  EXPECT_EQ(keys.Items(undo).Command, 601);
  EXPECT_EQ(keys.Items(undo).GetShortCut(), 16474);
  EXPECT_EQ(keys.Items(undo).GetDisplayName(), "ecUndo - Ctrl+Z");
  // Shortcut values of the table, first to last.
  const std::pair<int, TSrcEditorCommand> spot[] = {
      {38, ecUp}, {8230, ecSelUp}, {24613, ecSelWordLeft}, {24610, ecSelPageBottom}, {16429, ecCopy},
      {8238, ecCut}, {32776, ecUndo}, {40968, ecRedo}, {8205, ecLineBreak}, {112, ecContextHelp},
      {16461, ecLineBreak}, {24665, ecDeleteEOL}, {16432, ecGotoMarker(0)}, {24633, ecSetMarker(9)},
      {24642, ecMatchBracket}};
  for (const auto& [sc, cmd] : spot) {
    const int i = keys.FindShortcut2(static_cast<TShortCut>(sc), 0);
    ASSERT_GE(i, 0) << sc;
    EXPECT_EQ(keys.Items(i).Command, cmd) << sc;
  }
  EXPECT_EQ(keys.Items(0).GetShortCut(), 38);
  EXPECT_EQ(keys.Items(81).GetShortCut(), 24642);
  EXPECT_EQ(keys.Items(81).Index(), 81);
  EXPECT_EQ(keys.Items(9).GetDisplayName(), "ecSelWordLeft - Shift+Ctrl+Left");
  EXPECT_EQ(keys.Items(39).GetDisplayName(), "ecRedo - Shift+Alt+BkSp");
  // No two defaults share a shortcut.
  std::set<int> shortcuts;
  for (int i = 0; i < keys.Count(); ++i) shortcuts.insert(keys.Items(i).GetShortCut());
  EXPECT_EQ(shortcuts.size(), 82u);
}

TEST(KeyStrokes, DuplicatesAndFinds) {
  TSrcEditKeyStrokes keys;
  keys.ResetDefaults();
  TSrcEditKeyStroke& extra = keys.Add();
  extra.Command = ecUserFirst;
  try {
    extra.SetShortCut(16474);  // Ctrl+Z
    ADD_FAILURE();
  } catch (const ESynKeyError& e) {
    EXPECT_STREQ(e.what(), "Shortcut already exists");
  }
  EXPECT_EQ(extra.GetShortCut(), 0);
  extra.SetShortCut(0);  // several bindings may have none
  keys.Add().SetShortCut(0);
  // Its own shortcut again does not clash with itself.
  TSrcEditKeyStroke& undo = keys.Items(keys.FindKeycode('Z', ssCtrl));
  undo.SetShortCut(16474);
  // Ctrl+K Ctrl+B is a two-key binding: another pair, so no clash.
  extra.SetShortCut(ShortCut('K', ssCtrl));
  extra.SetShortCut2(ShortCut('B', ssCtrl));
  EXPECT_EQ(extra.GetDisplayName(), "ecUserFirst - Ctrl+K Ctrl+B");
  EXPECT_EQ(keys.FindKeycode('K', ssCtrl), -1);  // skips bindings with a second key
  EXPECT_EQ(keys.FindKeycode2('K', ssCtrl, 'B', ssCtrl), 82);
  EXPECT_EQ(keys.FindShortcut2(ShortCut('K', ssCtrl), ShortCut('B', ssCtrl)), 82);
  EXPECT_EQ(keys.FindKeycode2('K', ssCtrl, 'C', ssCtrl), -1);
  TSrcEditKeyStroke& other = keys.Add();
  other.SetShortCut(ShortCut('K', ssCtrl));
  EXPECT_THROW(other.SetShortCut2(ShortCut('B', ssCtrl)), ESynKeyError);
  EXPECT_EQ(other.GetShortCut2(), 0);
  keys.Items(84).SetShortCut2(0);

  TSrcEditKeyStroke& unnamed = keys.Add();
  unnamed.Command = 2000;
  EXPECT_EQ(unnamed.GetDisplayName(), "2000 -");
  unnamed.SetShortCut2(ShortCut(VK_F1, ssAlt));
  EXPECT_EQ(unnamed.GetDisplayName(), "2000 -");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_NEXT, ssShift | ssCtrl | ssAlt)), "Shift+Ctrl+Alt+PgDn");
  EXPECT_EQ(ShortCutToText(ShortCut(0x87, 0)), "F24");
  EXPECT_EQ(ShortCutToText(ShortCut(0xBA, 0)), "");
  std::uint16_t key = 0;
  TShiftState shift = 0;
  ShortCutToKey(40968, key, shift);
  EXPECT_EQ(key, VK_BACK);
  EXPECT_EQ(shift, ssShift | ssAlt);

  TSrcEditKeyStrokes copy;
  copy.Assign(keys);
  EXPECT_TRUE(KeyStrokesEqual(copy, keys));
  copy.Items(0).Command = ecDown;
  EXPECT_FALSE(KeyStrokesEqual(copy, keys));
}

TEST(KeyStrokes, DifferenceFromTheDefaults) {
  TSrcEditKeyStrokes defaults;
  defaults.ResetDefaults();
  TSrcEditKeyStrokes removed, added;

  // An editor with the default bindings stores nothing.
  TSrcEditKeyStrokes plain;
  plain.ResetDefaults();
  EXPECT_TRUE(KeyStrokesEqual(plain, defaults));
  RemovedKeyStrokes(plain, defaults, removed);
  AddedKeyStrokes(plain, defaults, added);
  EXPECT_EQ(removed.Count(), 0);
  EXPECT_EQ(added.Count(), 0);

  // The command bar: Enter, Shift+Enter and F1 go, Ctrl+Enter comes.
  TSrcEditKeyStrokes bar;
  bar.ResetDefaults();
  TSrcEditKeyStrokes barRemoved;
  barRemoved.AddKey(ecLineBreak, VK_RETURN, 0);
  barRemoved.AddKey(ecLineBreak, VK_RETURN, ssShift);
  barRemoved.AddKey(ecContextHelp, VK_F1, 0);
  barRemoved.AddKey(ecCopy, VK_F1, 0);  // same keys, other command: left alone
  TSrcEditKeyStrokes barAdded;
  barAdded.AddKey(ecLineBreak, VK_RETURN, ssCtrl);
  ApplyRemovedKeyStrokes(bar, barRemoved);
  ApplyAddedKeyStrokes(bar, barAdded);
  EXPECT_EQ(bar.Count(), 80);
  EXPECT_EQ(bar.FindKeycode(VK_RETURN, 0), -1);
  EXPECT_EQ(bar.Items(bar.FindShortcut2(16397, 0)).Command, ecLineBreak);
  for (int i = 0; i < defaults.Count(); ++i) {
    const TSrcEditKeyStroke& d = defaults.Items(i);
    const bool gone = d.GetShortCut() == 13 || d.GetShortCut() == 8205 || d.GetShortCut() == 112;
    EXPECT_EQ(bar.FindShortcut2(d.GetShortCut(), 0) >= 0, !gone) << d.GetDisplayName();
  }

  // Its stored difference is exactly what was applied.
  EXPECT_FALSE(KeyStrokesEqual(bar, defaults));
  RemovedKeyStrokes(bar, defaults, removed);
  AddedKeyStrokes(bar, defaults, added);
  ASSERT_EQ(removed.Count(), 3);
  EXPECT_EQ(removed.Items(0).GetShortCut(), 13);
  EXPECT_EQ(removed.Items(1).GetShortCut(), 8205);
  EXPECT_EQ(removed.Items(2).GetShortCut(), 112);
  ASSERT_EQ(added.Count(), 1);
  EXPECT_EQ(added.Items(0).GetShortCut(), 16397);

  // The program editor: Shift+Enter and F1 go.
  TSrcEditKeyStrokes program;
  program.ResetDefaults();
  program.Delete(program.FindShortcut2(8205, 0));
  program.Delete(program.FindShortcut2(112, 0));
  program.Delete(500);  // out of range: nothing
  RemovedKeyStrokes(program, defaults, removed);
  AddedKeyStrokes(program, defaults, added);
  EXPECT_EQ(removed.Count(), 2);
  EXPECT_EQ(added.Count(), 0);
  EXPECT_EQ(program.Count(), 80);

  // A changed command counts as one removed and one added binding.
  program.Items(0).Command = ecPageUp;
  RemovedKeyStrokes(program, defaults, removed);
  AddedKeyStrokes(program, defaults, added);
  EXPECT_EQ(removed.Count(), 3);
  EXPECT_EQ(added.Count(), 1);
}

}  // namespace
}  // namespace qx
