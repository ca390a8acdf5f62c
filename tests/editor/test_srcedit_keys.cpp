// Typing and editing through QTest keys: the main window's options (trimming, auto-indent,
// smart tabs), deletions, the clipboard keys, undo and redo with their grouping, read-only,
// the command bar's Enter keys, overwrite mode and input-method text.
#include <QInputMethodEvent>

#include "editor/SynQuorix.h"
#include "tests/editor/WidgetTestSupport.h"

namespace qx::test {
namespace {

std::unique_ptr<TSrcEdit> ProgramEditor() {
  auto ed = ShownEditor();
  ConfigureProgramEditor(*ed);
  return ed;
}

void SendText(QWidget& w, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
  QApplication::sendEvent(&w, &press);
  QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, text);
  QApplication::sendEvent(&w, &release);
}

TEST(SrcEditTyping, TrimmingAndAutoIndentWithTheMainWindowsOptions) {
  auto ed = ProgramEditor();
  Type(*ed, QStringLiteral("    foo(bar)\nx;\n"));
  EXPECT_EQ(Utf8(Text(*ed)), "    foo(bar)\r\n    x;\r\n");
  // The new line holds no blanks: its indentation is where the caret stands.
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{5, 3}));
  Type(*ed, QStringLiteral("y   "));
  Key(*ed, Qt::Key_Return);
  EXPECT_EQ(Utf8(Text(*ed)), "    foo(bar)\r\n    x;\r\n    y\r\n");
  // A break inside a line carries the indentation over.
  ed->SetCaretXY({9, 1});
  Key(*ed, Qt::Key_Return);
  EXPECT_EQ(Utf8(ed->Lines().Get(0)), "    foo(");
  EXPECT_EQ(Utf8(ed->Lines().Get(1)), "    bar)");
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{5, 2}));
  // A break at the start of a line opens an empty line above it.
  ed->SetCaretXY({1, 2});
  Key(*ed, Qt::Key_Return);
  EXPECT_EQ(Utf8(ed->Lines().Get(1)), "");
  EXPECT_EQ(Utf8(ed->Lines().Get(2)), "    bar)");
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{1, 3}));
}

TEST(SrcEditTyping, EnterWithoutAutoIndentAndWithTabs) {
  auto ed = ShownEditor();
  SetText(*ed, U"    foo(bar)");
  ed->SetOptions(ed->Options() - eoAutoIndent);
  ed->SetCaretXY({9, 1});
  Key(*ed, Qt::Key_Return);
  EXPECT_EQ(Utf8(Text(*ed)), "    foo(\r\nbar)");
  ed->SetOptions((ed->Options() + eoAutoIndent) - eoTabsToSpaces);
  ed->SetTabWidth(4);
  SetText(*ed, U"    foo(bar)");
  ed->SetCaretXY({9, 1});
  Key(*ed, Qt::Key_Return);
  EXPECT_EQ(Utf8(Text(*ed)), "    foo(\r\n\tbar)");
}

TEST(SrcEditTyping, BackspaceOverAnIndent) {
  auto ed = ProgramEditor();
  SetText(*ed, U"        x");
  ed->SetCaretXY({9, 1});
  Key(*ed, Qt::Key_Backspace);
  EXPECT_EQ(Utf8(Text(*ed)), "x");
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{1, 1}));
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "        x");
  // With smart tab delete (the default options) the indentation goes back to the line above's.
  auto plain = ShownEditor();
  SetText(*plain, U"    a\n        x");
  plain->SetCaretXY({9, 2});
  Key(*plain, Qt::Key_Backspace);
  EXPECT_EQ(Utf8(plain->Lines().Get(1)), "    x");
  EXPECT_EQ(plain->CaretXY(), (TBufferCoord{5, 2}));
  // Backspace at the start of a line joins it to the line above.
  plain->SetCaretXY({1, 2});
  Key(*plain, Qt::Key_Backspace);
  EXPECT_EQ(Utf8(Text(*plain)), "    a    x");
  EXPECT_EQ(plain->CaretXY(), (TBufferCoord{6, 1}));
}

TEST(SrcEditTyping, DeletionKeys) {
  auto ed = ProgramEditor();
  SetText(*ed, U"uno\ndue\ntre");
  ed->SetCaretXY({2, 2});
  Key(*ed, Qt::Key_Y, Qt::ControlModifier);  // delete the line
  EXPECT_EQ(Utf8(Text(*ed)), "uno\r\ntre");
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{1, 2}));
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "uno\r\ndue\r\ntre");
  // Del at the end of a line joins the next one; at the end of the text it does nothing.
  ed->SetCaretXY({4, 1});
  Key(*ed, Qt::Key_Delete);
  EXPECT_EQ(Utf8(Text(*ed)), "unodue\r\ntre");
  ed->SetCaretXY({4, 2});
  const int records = ed->UndoList().ItemCount();
  Key(*ed, Qt::Key_Delete);
  EXPECT_EQ(Utf8(Text(*ed)), "unodue\r\ntre");
  EXPECT_EQ(ed->UndoList().ItemCount(), records);
  // Ctrl+Backspace deletes the word before the caret; Ctrl+T the word after it.
  SetText(*ed, U"alpha beta gamma");
  ed->SetCaretXY({12, 1});
  Key(*ed, Qt::Key_Backspace, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "alpha gamma");
  ed->SetCaretXY({1, 1});
  Key(*ed, Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "gamma");
  // The only, empty line cannot be deleted.
  SetText(*ed, U"");
  Key(*ed, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(ed->Lines().Count(), 0);
}

TEST(SrcEditTyping, SelectionKeysCopyCutPasteAndUndoBackToTheSelection) {
  auto ed = ProgramEditor();
  SetText(*ed, U"uno due tre");
  ed->SetCaretXY({5, 1});
  for (int i = 0; i < 3; ++i) Key(*ed, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(Utf8(ed->SelText()), "due");
  Key(*ed, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("due"));
  Key(*ed, Qt::Key_End);
  Key(*ed, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "uno due tredue");
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{15, 1}));
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "uno due tre");
  // Cut, then undo brings the text back selected.
  ed->SetCaretAndSelection({8, 1}, {5, 1}, {8, 1});
  Key(*ed, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "uno  tre");
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("due"));
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "uno due tre");
  EXPECT_EQ(Utf8(ed->SelText()), "due");
  // Typing over a selection replaces it in one undo step.
  Type(*ed, QStringLiteral("X"));
  EXPECT_EQ(Utf8(Text(*ed)), "uno X tre");
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "uno due tre");
  // Shift+Home and Shift+End select to the ends of the line; Ctrl+A everything.
  ed->SetCaretXY({5, 1});
  Key(*ed, Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(Utf8(ed->SelText()), "due tre");
  Key(*ed, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Utf8(ed->SelText()), "uno due tre");
}

TEST(SrcEditTyping, UndoGroupingWithAndWithoutTheOption) {
  auto grouped = ShownEditor();  // the default options group undo
  Type(*grouped, QStringLiteral("abc"));
  Key(*grouped, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*grouped)), "");
  Key(*grouped, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Utf8(Text(*grouped)), "abc");
  // A caret move starts a new group.
  Key(*grouped, Qt::Key_Left);
  Type(*grouped, QStringLiteral("xy"));
  EXPECT_EQ(Utf8(Text(*grouped)), "abxyc");
  Key(*grouped, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*grouped)), "abc");

  auto single = ProgramEditor();  // the program editor does not group
  Type(*single, QStringLiteral("abc"));
  Key(*single, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*single)), "ab");
  Key(*single, Qt::Key_Backspace, Qt::AltModifier);  // Alt+Backspace is undo too
  EXPECT_EQ(Utf8(Text(*single)), "a");
  // Typing after an undo clears the redo list.
  EXPECT_TRUE(single->CanRedo());
  Type(*single, QStringLiteral("z"));
  EXPECT_FALSE(single->CanRedo());
}

TEST(SrcEditTyping, ReadOnlyRefusesEveryChange) {
  auto ed = ProgramEditor();
  SetText(*ed, U"uno\ndue");
  Type(*ed, QStringLiteral("x"));
  QApplication::clipboard()->setText(QStringLiteral("incollato"));
  ed->SetReadOnly(true);
  EXPECT_FALSE(ed->CanUndo());
  EXPECT_FALSE(ed->CanPaste());
  const std::u32string before = Text(*ed);
  ed->SetCaretAndSelection({3, 1}, {1, 1}, {3, 1});
  Type(*ed, QStringLiteral("abc\n"));
  for (Qt::Key k : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Tab, Qt::Key_Return}) Key(*ed, k);
  for (Qt::Key k : {Qt::Key_V, Qt::Key_X, Qt::Key_Z, Qt::Key_Y, Qt::Key_T}) Key(*ed, k, Qt::ControlModifier);
  QInputMethodEvent ime;
  ime.setCommitString(QStringLiteral("è"));
  QApplication::sendEvent(ed.get(), &ime);
  ed->Undo();
  ed->PasteFromClipboard();
  ed->CutToClipboard();
  EXPECT_EQ(Text(*ed), before);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("incollato"));
  // Moving and copying still work.
  Key(*ed, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("xu"));
  ed->SetReadOnly(false);
  EXPECT_TRUE(ed->CanUndo());
}

TEST(SrcEditTyping, TheCommandBarsEnterKeys) {
  auto bar = ShownEditor(1);
  ConfigureCommandBar(*bar);
  std::vector<std::uint16_t> released;
  bar->OnKeyUp = [&](TCustomSrcEdit*, std::uint16_t& key, TShiftState) { released.push_back(key); };
  Type(*bar, QStringLiteral("STAMPA(1);"));
  Key(*bar, Qt::Key_Return);
  ASSERT_FALSE(released.empty());
  EXPECT_EQ(released.back(), VK_RETURN);  // the window runs the statement on this
  Key(*bar, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(Utf8(Text(*bar)), "STAMPA(1);");
  Key(*bar, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*bar)), "STAMPA(1);\r\n");
  // The program editor: Shift+Enter breaks no line, Enter does.
  auto prog = ProgramEditor();
  Type(*prog, QStringLiteral("a"));
  Key(*prog, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(Utf8(Text(*prog)), "a");
  Key(*prog, Qt::Key_Return);
  EXPECT_EQ(Utf8(Text(*prog)), "a\r\n");
}

TEST(SrcEditTyping, TabsWithTheMainWindowsOptions) {
  auto ed = ProgramEditor();
  Key(*ed, Qt::Key_Tab);
  Type(*ed, QStringLiteral("x"));
  EXPECT_EQ(Utf8(Text(*ed)), "        x");
  // Smart tabs line up with the words of the line above.
  Key(*ed, Qt::Key_Return);
  SetText(*ed, U"ab   cd");
  ed->Lines().Add(U"");
  ed->SetCaretXY({1, 2});
  Key(*ed, Qt::Key_Tab);
  Type(*ed, QStringLiteral("y"));
  EXPECT_EQ(Utf8(ed->Lines().Get(1)), "     y");
  // Shift+Tab takes the indentation back to the word above.
  ed->SetCaretXY({6, 2});
  Key(*ed, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Utf8(ed->Lines().Get(1)), "y");
}

TEST(SrcEditTyping, SmartShiftTabDeletesBackToTheStartOfTheWordAbove) {
  auto ed = ProgramEditor();
  // The word above the caret's character starts at 6 ("cd"): the text between goes, word
  // characters and all, and one undo brings it back.
  SetText(*ed, U"ab   cd\nxxxxxxxz");
  ed->SetCaretXY({8, 2});
  Key(*ed, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Utf8(ed->Lines().Get(1)), "xxxxxz");
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{6, 2}));
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(ed->Lines().Get(1)), "xxxxxxxz");
  // Above blanks, the target goes back over them and over the word before: to "ab".
  ed->SetCaretXY({5, 2});
  Key(*ed, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Utf8(ed->Lines().Get(1)), "xxxz");
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{1, 2}));
  // A line above too short for the caret is passed over for the one above it ("beta").
  SetText(*ed, U"alfa beta\nx\n          y");
  ed->SetCaretXY({8, 3});
  Key(*ed, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Utf8(ed->Lines().Get(2)), "        y");
  // With none long enough, the blanks back to the previous tab stop go, and never a word.
  SetText(*ed, U"ab\nab  cd     y");
  ed->SetCaretXY({12, 2});
  Key(*ed, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Utf8(ed->Lines().Get(1)), "ab  cd  y");
  EXPECT_EQ(ed->CaretX(), 9);
  ed->SetCaretXY({7, 2});
  Key(*ed, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Utf8(ed->Lines().Get(1)), "ab  cd  y") << "a word just before the caret stays";
}

TEST(SrcEditTyping, WordKeysWithTheLanguagesHighlighterStopAtItsIdentifiers) {
  auto ed = ProgramEditor();
  TSynSampleSyn hl;
  ed->SetHighlighter(&hl);
  // Digits and accented letters are not the language's identifier characters.
  SetText(*ed, U"x = 12; città");
  ed->SetCaretXY({1, 1});
  std::vector<int> fermate;
  for (int i = 0; i < 3; ++i) {
    Key(*ed, Qt::Key_Right, Qt::ControlModifier);
    fermate.push_back(ed->CaretX());
  }
  EXPECT_EQ(fermate, (std::vector<int>{9, 14, 14})) << "the word città, then the end of the only line";
  ed->SetCaretXY({14, 1});
  Key(*ed, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(ed->CaretX(), 9);
  Key(*ed, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(ed->CaretX(), 1);
  // The word deletes take the same words: "12" is not one, "_" belongs to one.
  SetText(*ed, U"A_1 = 12 + b_c");
  ed->SetCaretXY({15, 1});
  Key(*ed, Qt::Key_Backspace, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "A_1 = 12 +");
  ed->SetCaretXY({1, 1});
  Key(*ed, Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "1 = 12 +");
  ed->SetHighlighter(nullptr);
  // Without a highlighter the default identifier characters hold: digits and accented
  // letters too.
  SetText(*ed, U"x = 12; città");
  ed->SetCaretXY({1, 1});
  Key(*ed, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(ed->CaretX(), 5);
  Key(*ed, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(ed->CaretX(), 9);
}

TEST(SrcEditTyping, AColumnBlockIsCopiedAndPastedAsARectangle) {
  auto ed = ProgramEditor();
  SetText(*ed, U"abcdef\nghijkl\nmnopqr");
  ed->SetCaretXY({2, 1});
  Key(*ed, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);  // column selection
  Key(*ed, Qt::Key_Right, Qt::ShiftModifier);
  Key(*ed, Qt::Key_Right, Qt::ShiftModifier);
  Key(*ed, Qt::Key_Down, Qt::ShiftModifier);
  Key(*ed, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(ed->ActiveSelectionMode(), smColumn);
  EXPECT_EQ(Utf8(ed->SelText()), "bc\r\nhi\r\nno");
  Key(*ed, Qt::Key_C, Qt::ControlModifier);
  const QMimeData* data = QApplication::clipboard()->mimeData();
  const QByteArray block = data->data(QString::fromLatin1(TCustomSrcEdit::kClipboardBlockFormat));
  ASSERT_FALSE(block.isEmpty());
  EXPECT_EQ(block.at(0), char(smColumn));
  EXPECT_EQ(block.mid(1), QByteArray("bc\r\nhi\r\nno", 10) + QByteArray(1, '\0'));
  EXPECT_EQ(data->text(), QStringLiteral("bc\r\nhi\r\nno"));
  Key(*ed, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);  // back to normal selection
  ed->SetCaretXY({7, 1});
  Key(*ed, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "abcdefbc\r\nghijklhi\r\nmnopqrno");
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "abcdef\r\nghijkl\r\nmnopqr");
  // Pasted at the last line, the rectangle adds lines.
  ed->SetCaretXY({3, 3});
  Key(*ed, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "abcdef\r\nghijkl\r\nmnbcopqr\r\n  hi\r\n  no");
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "abcdef\r\nghijkl\r\nmnopqr");
  // Copied columns are padded from short lines even while trimming.
  SetText(*ed, U"abcdef\nab\nabcdef");
  ed->SetSelectionMode(smColumn);
  ed->SetCaretAndSelection({6, 3}, {2, 1}, {6, 3});
  ed->SetActiveSelectionMode(smColumn);
  Key(*ed, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("bcde\r\nb   \r\nbcde"));
  // Pasted at the last line, such a padded block adds lines without their trailing blanks,
  // as every line the program editor stores.
  ed->SetCaretXY({7, 3});
  Key(*ed, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "abcdef\r\nab\r\nabcdefbcde\r\n      b\r\n      bcde");
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "abcdef\r\nab\r\nabcdef");
}

// A column block drawn with the keys keeps its anchor while it has no width yet: Shift+Down
// first, then Shift+Right, selects the rectangle, as dragging the mouse does.
TEST(SrcEditTyping, AColumnBlockDrawnDownFirstKeepsItsAnchor) {
  auto ed = ProgramEditor();
  const std::u32string text = U"x1yztail\nx2yztail\nx3yztail\nx4yztail\nx5yztail\nx6yztail\nx7yztail\nx8yztail\nx9yztail";
  const std::string original =
      "x1yztail\r\nx2yztail\r\nx3yztail\r\nx4yztail\r\nx5yztail\r\nx6yztail\r\nx7yztail\r\nx8yztail\r\nx9yztail";
  SetText(*ed, text);
  const auto DeleteTheRectangleAndUndo = [&] {
    Key(*ed, Qt::Key_Delete);
    EXPECT_EQ(Utf8(Text(*ed)),
              "x1yztail\r\nx2yztail\r\nx3yztail\r\nx4yztail\r\nztail\r\nztail\r\nztail\r\nztail\r\nx9yztail");
    Key(*ed, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Utf8(Text(*ed)), original);
  };
  ed->SetCaretXY({1, 5});
  Key(*ed, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  for (int i = 0; i < 3; ++i) Key(*ed, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(ed->BlockBegin(), (TBufferCoord{1, 5}));
  for (int i = 0; i < 3; ++i) Key(*ed, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(Utf8(ed->SelText()), "x5y\r\nx6y\r\nx7y\r\nx8y");
  DeleteTheRectangleAndUndo();
  // The same rectangle drawn up and to the left from its other corner.
  ed->SetCaretXY({4, 8});
  for (int i = 0; i < 3; ++i) Key(*ed, Qt::Key_Up, Qt::ShiftModifier);
  for (int i = 0; i < 3; ++i) Key(*ed, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(ed->ActiveSelectionMode(), smColumn);
  EXPECT_EQ(Utf8(ed->SelText()), "x5y\r\nx6y\r\nx7y\r\nx8y");
  DeleteTheRectangleAndUndo();
  // A plain move still ends the block: the next Shift+Down starts from the caret.
  ed->SetCaretXY({1, 2});
  Key(*ed, Qt::Key_Down, Qt::ShiftModifier);
  Key(*ed, Qt::Key_Down);
  Key(*ed, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(ed->BlockBegin(), (TBufferCoord{1, 4}));
  EXPECT_EQ(ed->BlockEnd(), (TBufferCoord{1, 5}));
  // In line mode the same keys select the whole lines 5 to 8.
  Key(*ed, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
  ed->SetCaretXY({1, 5});
  for (int i = 0; i < 3; ++i) Key(*ed, Qt::Key_Down, Qt::ShiftModifier);
  for (int i = 0; i < 3; ++i) Key(*ed, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(ed->ActiveSelectionMode(), smLine);
  Key(*ed, Qt::Key_Delete);
  EXPECT_EQ(Utf8(Text(*ed)), "x1yztail\r\nx2yztail\r\nx3yztail\r\nx4yztail\r\nx9yztail");
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), original);
  // A stream selection runs from line 5 to the fourth character of line 8, as before.
  Key(*ed, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
  ed->SetCaretXY({1, 5});
  for (int i = 0; i < 3; ++i) Key(*ed, Qt::Key_Down, Qt::ShiftModifier);
  for (int i = 0; i < 3; ++i) Key(*ed, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(Utf8(ed->SelText()), "x5yztail\r\nx6yztail\r\nx7yztail\r\nx8y");
}

TEST(SrcEditTyping, OverwriteModeWithUndoAndRedo) {
  auto ed = ProgramEditor();
  SetText(*ed, U"abc");
  Key(*ed, Qt::Key_Insert);
  EXPECT_FALSE(ed->InsertMode());
  Type(*ed, QStringLiteral("XY"));
  EXPECT_EQ(Utf8(Text(*ed)), "XYc");
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "Xbc");
  Key(*ed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "abc");
  // Redo replaces again: it does not insert beside the old text.
  Key(*ed, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "Xbc");
  Key(*ed, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Utf8(Text(*ed)), "XYc");
  // Overwriting at the end of the line appends.
  ed->SetCaretXY({4, 1});
  Type(*ed, QStringLiteral("Z"));
  EXPECT_EQ(Utf8(Text(*ed)), "XYcZ");
  Key(*ed, Qt::Key_Insert);
  EXPECT_TRUE(ed->InsertMode());
}

TEST(SrcEditTyping, InputMethodTextAndCharactersBeyondLatin1) {
  auto ed = ProgramEditor();
  Type(*ed, QStringLiteral("perch"));
  QInputMethodEvent ime;
  ime.setCommitString(QStringLiteral("è"));
  QApplication::sendEvent(ed.get(), &ime);
  EXPECT_EQ(Utf8(Text(*ed)), "perchè");
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{7, 1}));
  // Typed characters are code points: none is dropped for being outside Latin-1.
  SendText(*ed, QStringLiteral(" Ω €"));
  SendText(*ed, QString::fromUtf8("\xF0\x9F\x98\x80"));  // one character outside the 16-bit plane
  EXPECT_EQ(Utf8(Text(*ed)), "perchè Ω €\xF0\x9F\x98\x80");
  EXPECT_EQ(ed->CaretXY(), (TBufferCoord{12, 1}));
  Key(*ed, Qt::Key_Backspace);
  EXPECT_EQ(Utf8(Text(*ed)), "perchè Ω €");
  // Control characters type nothing.
  SendText(*ed, QString(QChar(0x7F)));
  SendText(*ed, QString(QChar(0x85)));
  EXPECT_EQ(Utf8(Text(*ed)), "perchè Ω €");
}

TEST(SrcEditTyping, AnErrorDuringAKeyBeepsAndLeavesTheTextAsItWas) {
  auto ed = ProgramEditor();
  SetText(*ed, U"abc");
  ed->SetCaretXY({4, 1});
  bool fail = true;
  ed->OnCommandProcessed = [&](TCustomSrcEdit*, TSrcEditorCommand& command, char32_t&, void*) {
    if (fail && command == ecChar) throw std::runtime_error("handler failed");
  };
  Type(*ed, QStringLiteral("x"));
  EXPECT_EQ(Utf8(Text(*ed)), "abc");
  EXPECT_FALSE(ed->CanRedo());
  fail = false;
  Type(*ed, QStringLiteral("y"));
  EXPECT_EQ(Utf8(Text(*ed)), "abcy");
}

}  // namespace
}  // namespace qx::test
