// The syntax-highlighting program editor control. It owns its line buffer, an undo and a
// redo list, its key bindings, its marks and its option objects, paints itself (gutter,
// highlighted tokens on a fixed cell grid, selection, special line colours, active line,
// right edge), and turns keys, characters, input-method text and the mouse into editor
// commands. The highlighter is linked, not owned. The main window uses two: the program
// editor and the one-line command bar (see SrcEditConfig.h).
#pragma once
#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QFont>
#include <QPointer>
#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/EditorCommands.h"
#include "editor/EditorExtensions.h"
#include "editor/EditorTypes.h"
#include "editor/Highlighter.h"
#include "editor/KeyStrokes.h"
#include "editor/Marks.h"
#include "editor/MethodChain.h"
#include "editor/TextBuffer.h"
#include "editor/UndoList.h"
#include "editor/WordWrap.h"
#include "editor/qt/SrcEditOptionObjects.h"
#include "editor/qt/SrcEditTypes.h"

class QMimeData;
class QLabel;

namespace qx {

class TheTextDrawer;
class TSynInternalImage;

// Misuse and clipboard failures of the control.
class ESrcEditError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A search engine the editor could drive; none is part of the system.
class TSrcEditSearchCustom {
 public:
  virtual ~TSrcEditSearchCustom() = default;
};

class TCustomSrcEdit : public QAbstractScrollArea, public TSrcEditMarkHost, private TSrcEditWordWrapHost {
 public:
  explicit TCustomSrcEdit(QWidget* parent = nullptr);
  ~TCustomSrcEdit() override;

  // ---- Events (each fires only when assigned) ----
  using TNotify = std::function<void(TCustomSrcEdit* sender)>;
  using TProcessCommandEvent =
      std::function<void(TCustomSrcEdit* sender, TSrcEditorCommand& command, char32_t& ch, void* data)>;
  using TMarkEvent = std::function<void(TCustomSrcEdit* sender, TSrcEditMark*& mark)>;

  TNotify OnChange;
  TMarkEvent OnClearBookmark;
  TProcessCommandEvent OnCommandProcessed;
  std::function<void(TCustomSrcEdit* sender, int x, int y, const std::vector<std::string>& files)> OnDropFiles;
  std::function<void(TCustomSrcEdit* sender, TMouseButton button, int x, int y, int line, TSrcEditMark* mark)>
      OnGutterClick;
  std::function<void(TCustomSrcEdit* sender, const TBufferCoord& pos, TCursor& cursor)> OnMouseCursor;
  std::function<void(TCustomSrcEdit* sender, QPainter& canvas)> OnPaint;
  TMarkEvent OnPlaceBookmark;
  TProcessCommandEvent OnProcessCommand;
  TProcessCommandEvent OnProcessUserCommand;
  std::function<void(TCustomSrcEdit* sender, const std::u32string& search, const std::u32string& replace, int line,
                     int column, TSynReplaceAction& action)>
      OnReplaceText;
  // Asked for every painted line (1-based); Special is false on entry.
  std::function<void(TCustomSrcEdit* sender, int line, bool& special, TColor& fg, TColor& bg)> OnSpecialLineColors;
  std::function<void(TCustomSrcEdit* sender, const std::u32string& word)> OnContextHelp;
  // The canvas is nil outside a paint.
  std::function<void(TCustomSrcEdit* sender, QPainter* canvas, TTransientType type)> OnPaintTransient;
  std::function<void(TCustomSrcEdit* sender, TScrollBarKind bar)> OnScroll;
  std::function<void(TCustomSrcEdit* sender, int line, std::u32string& text)> OnGutterGetText;
  std::function<void(TCustomSrcEdit* sender, int line, int x, int y)> OnGutterPaint;
  std::function<void(TCustomSrcEdit* sender, TSynStatusChanges changes)> OnStatusChange;
  // The toolkit's own events: a key-down handler that sets Key to 0 consumes the key.
  std::function<void(TCustomSrcEdit* sender, std::uint16_t& key, TShiftState shift)> OnKeyDown;
  std::function<void(TCustomSrcEdit* sender, std::uint16_t& key, TShiftState shift)> OnKeyUp;
  std::function<void(TCustomSrcEdit* sender, char32_t& key)> OnKeyPress;
  TNotify OnEnter;
  TNotify OnExit;
  TNotify OnClick;
  TNotify OnDblClick;

  // ---- Published properties ----
  TColor ActiveLineColor() const { return activeLineColor_; }
  void SetActiveLineColor(TColor value);
  TSynBookMarkOpt& BookMarkOptions() { return bookMarkOptions_; }
  void SetBookMarkOptions(const TSynBookMarkOpt& value) { bookMarkOptions_.Assign(value); }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  int ExtraLineSpacing() const { return extraLineSpacing_; }
  void SetExtraLineSpacing(int value);
  TSynGutter& Gutter() { return gutter_; }
  const TSynGutter& Gutter() const { return gutter_; }
  void SetGutter(const TSynGutter& value) { gutter_.Assign(value); }
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value);
  TSynCustomHighlighter* Highlighter() const { return highlighter_; }
  void SetHighlighter(TSynCustomHighlighter* value);
  TSrcEditCaretType InsertCaret() const { return insertCaret_; }
  void SetInsertCaret(TSrcEditCaretType value);
  bool InsertMode() const { return inserting_; }
  void SetInsertMode(bool value);
  TSrcEditKeyStrokes& Keystrokes() { return *keystrokes_; }
  // Copies the bindings; nil clears them.
  void SetKeystrokes(const TSrcEditKeyStrokes* value);
  TSrcEditStringList& Lines() { return *lines_; }
  const TSrcEditStringList& Lines() const { return *lines_; }
  void SetLines(const TSrcEditStringList& value);
  int MaxScrollWidth() const { return maxScrollWidth_; }
  void SetMaxScrollWidth(int value);
  int MaxUndo() const;
  void SetMaxUndo(int value);
  TSrcEditorOptions Options() const { return options_; }
  void SetOptions(TSrcEditorOptions value);
  TSrcEditCaretType OverwriteCaret() const { return overwriteCaret_; }
  void SetOverwriteCaret(TSrcEditCaretType value);
  bool ReadOnly() const { return GetReadOnly(); }
  void SetReadOnly(bool value) { SetReadOnlyState(value); }
  int RightEdge() const { return rightEdge_; }
  void SetRightEdge(int value);
  TColor RightEdgeColor() const { return rightEdgeColor_; }
  void SetRightEdgeColor(TColor value);
  TColor ScrollHintColor() const { return scrollHintColor_; }
  void SetScrollHintColor(TColor value) { scrollHintColor_ = value; }
  TScrollHintFormat ScrollHintFormat() const { return scrollHintFormat_; }
  void SetScrollHintFormat(TScrollHintFormat value) { scrollHintFormat_ = value; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  TSrcEditSearchCustom* SearchEngine() const { return searchEngine_; }
  void SetSearchEngine(TSrcEditSearchCustom* value) { searchEngine_ = value; }
  TSynSelectedColor& SelectedColor() { return selectedColor_; }
  void SetSelectedColor(const TSynSelectedColor& value) { selectedColor_.Assign(value); }
  TSynSelectionMode SelectionMode() const { return selectionMode_; }
  void SetSelectionMode(TSynSelectionMode value);
  TSynSelectionMode ActiveSelectionMode() const { return activeSelectionMode_; }
  void SetActiveSelectionMode(TSynSelectionMode value);
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int value);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value) { wantReturns_ = value; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool value) { wantTabs_ = value; }
  bool WordWrap() const { return wordWrapPlugin_ != nullptr; }
  void SetWordWrap(bool value);
  TSynGlyph& WordWrapGlyph() { return wordWrapGlyph_; }
  void SetWordWrapGlyph(const TSynGlyph& value) { wordWrapGlyph_.Assign(value); }
  // The font cells are measured on: the control's font, or a fixed-pitch copy of it when
  // the control's font is proportional.
  const QFont& TextFont() const { return fontCopy_; }
  // The colour of the text (the font's colour).
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor value);

  // ---- Caret, window and coordinates ----
  int CaretX() const { return caretX_; }
  int CaretY() const { return caretY_; }
  TBufferCoord CaretXY() const { return {caretX_, caretY_}; }
  void SetCaretX(int value);
  void SetCaretY(int value);
  // Moves the caret and collapses the selection to it.
  void SetCaretXY(const TBufferCoord& value);
  // Moves the caret and leaves the selection alone.
  void SetInternalCaretXY(const TBufferCoord& value);
  TDisplayPos DisplayXY() const;
  int DisplayX() const { return DisplayXY().Column; }
  int DisplayY() const { return DisplayXY().Row; }
  int TopLine() const { return topLine_; }
  void SetTopLine(int value);
  int LeftChar() const { return leftChar_; }
  void SetLeftChar(int value);
  int LinesInWindow() const { return linesInWindow_; }
  int CharsInWindow() const { return charsInWindow_; }
  int CharWidth() const { return charWidth_; }
  int LineHeight() const { return lineHeight_; }
  int GutterWidth() const { return gutterWidth_; }
  int TextOffset() const { return textOffset_; }
  // Rows of the text: lines, or wrapped rows under word wrap.
  int DisplayLineCount() const;
  int RowToLine(int row) const;
  int LineToRow(int line) const;
  TDisplayPos BufferToDisplayPos(const TBufferCoord& p) const;
  TBufferCoord DisplayToBufferPos(const TDisplayPos& p) const;
  // Client pixels to (column, row): truncated, and rounded to the nearest cell edge.
  TDisplayPos PixelsToRowColumn(int x, int y) const;
  TDisplayPos PixelsToNearestRowColumn(int x, int y) const;
  QPoint RowColumnToPixels(const TDisplayPos& p) const;
  void EnsureCursorPosVisible() { EnsureCursorPosVisibleEx(false); }
  void EnsureCursorPosVisibleEx(bool forceToMiddle);
  bool CaretInView() const;
  // Nested update lock: caret, scroll-bar and status updates wait for the outermost release.
  void BeginUpdate() { IncPaintLock(); }
  void EndUpdate() { DecPaintLock(); }

  // ---- Selection and text ----
  TBufferCoord BlockBegin() const;  // the earlier end
  TBufferCoord BlockEnd() const;    // the later end
  TBufferCoord BlockBeginRaw() const { return blockBegin_; }  // the anchor, as set
  TBufferCoord BlockEndRaw() const { return blockEnd_; }
  void SetBlockBegin(TBufferCoord value);
  void SetBlockEnd(TBufferCoord value);
  void SetCaretAndSelection(const TBufferCoord& caret, const TBufferCoord& begin, const TBufferCoord& end);
  bool SelAvail() const;
  bool SelectionAvailable() const { return SelAvail(); }
  bool SelectionIsOneFullLine() const;
  bool SelectionSpansLines() const;
  std::u32string SelText() const;
  // Replaces the selection (or inserts at the caret) as one undoable change.
  void SetSelText(std::u32string_view text);
  void ReplaceSelectedText(std::u32string_view text) { SetSelText(text); }
  void SelectAll();
  std::u32string GetLinesText() const { return lines_->GetTextStr(); }
  void SetLinesText(std::u32string_view text) { lines_->SetTextStr(text); }
  std::u32string LineText() const;
  void SetLineText(std::u32string_view value);
  std::u32string WordAtCursor();
  std::u32string GetWordAtRowCol(TBufferCoord pos);
  bool IsPointInSelection(const TBufferCoord& pos) const;
  // Puts the text as a column block between the two positions.
  void InsertColumnBlock(const TBufferCoord& begin, const TBufferCoord& end, std::u32string_view text,
                         bool addToUndo);

  // ---- Clipboard ----
  bool CanPaste() const;
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void PasteFromClipboardText() { PasteFromClipboard(); }

  // ---- Undo and redo ----
  bool CanUndo() const;
  bool CanRedo() const;
  void Undo();
  void Redo();
  void BeginUndoBlock() { undoList_->BeginBlock(); }
  void EndUndoBlock() { undoList_->EndBlock(); }
  void LockUndo();
  void UnlockUndo();
  TSrcEditUndoList& UndoList() { return *undoList_; }
  TSrcEditUndoList& RedoList() { return *redoList_; }
  bool Modified() const { return modified_; }
  void SetModified(bool value);
  void SetEditorModified(bool value) { SetModified(value); }
  // Clears the lines, the marks, undo and redo and the modified state.
  void ClearAll();
  void Clear() { ClearAll(); }

  // ---- Commands ----
  // Runs a command through the notifications, the hooked handlers and the executor.
  virtual void CommandProcessor(TSrcEditorCommand command, char32_t ch, void* data);
  void RegisterCommandHandler(THookedCommandEvent handler, void* handlerData);
  void UnregisterCommandHandler(THookedCommandEvent handler);
  TSrcEditExtensions& Extensions() { return *extensions_; }
  TSrcEditKbdHandler& KbdHandler() { return kbdHandler_; }
  void AddFocusControl(QWidget* control);
  void RemoveFocusControl(QWidget* control);

  // ---- Words and brackets ----
  TBufferCoord NextWordPos() const { return NextWordPosEx(CaretXY()); }
  virtual TBufferCoord NextWordPosEx(const TBufferCoord& pos) const;
  TBufferCoord WordStart() const { return WordStartEx(CaretXY()); }
  virtual TBufferCoord WordStartEx(const TBufferCoord& pos) const;
  TBufferCoord WordEnd() const { return WordEndEx(CaretXY()); }
  virtual TBufferCoord WordEndEx(const TBufferCoord& pos) const;
  TBufferCoord PrevWordPos() const { return PrevWordPosEx(CaretXY()); }
  virtual TBufferCoord PrevWordPosEx(const TBufferCoord& pos) const;
  virtual void FindMatchingBracket();
  virtual TBufferCoord GetMatchingBracket() const { return GetMatchingBracketEx(CaretXY()); }
  virtual TBufferCoord GetMatchingBracketEx(const TBufferCoord& pos) const;
  // The token containing the character: its text, kind, 1-based start and attribute.
  bool GetHighlighterAttriAtRowColEx(const TBufferCoord& pos, std::u32string& token, int& tokenKind, int& start,
                                     TSynHighlighterAttributes*& attri) const;
  bool IsIdentChar(char32_t c) const;
  bool IsWordChar(char32_t c) const;

  // ---- Marks and bookmarks ----
  TSrcEditMarkList& Marks() override { return *marks_; }
  bool GetBookMark(int bookMark, int& x, int& y) const;
  bool IsBookmark(int bookMark) const;
  void SetBookMark(int bookMark, int x, int y);
  void ClearBookMark(int bookMark);
  void GotoBookMark(int bookMark);

  // ---- Repainting ----
  // Lines are 1-based; (-1, -1) is everything.
  void InvalidateLines(int firstLine, int lastLine);
  void InvalidateLine(int line) override;
  void InvalidateGutterLines(int firstLine, int lastLine);
  void InvalidateGutterLine(int line) { InvalidateGutterLines(line, line); }
  void InvalidateGutter() { InvalidateGutterLines(-1, -1); }
  void InvalidateSelection();

  // Shared by every editor of the program (created on first use; nil before).
  static QLabel* ScrollHintWindow();
  // The private clipboard format that carries the selection mode with the text.
  static const char* const kClipboardBlockFormat;

 protected:
  // ---- The control's virtual operations ----
  virtual void InvalidateRect(const QRect& rect, bool erase);
  virtual void DoChange();
  virtual bool GetReadOnly() const { return readOnly_; }
  virtual void BufferChanged();
  virtual void NotifyHookedCommandHandlers(bool afterProcessing, TSrcEditorCommand& command, char32_t& ch,
                                           void* data);
  virtual void PaintGutter(QPainter& painter, const QRect& clip, int firstRow, int lastRow);
  virtual void PaintTextLines(QPainter& painter, QRect clip, int firstRow, int lastRow, int firstCol, int lastCol);
  virtual void SetCaretXYEx(bool callEnsureCursorPos, TBufferCoord value);
  virtual void SetReadOnlyState(bool value);
  virtual void UpdateMouseCursor();
  virtual void DoOnClearBookmark(TSrcEditMark*& mark);
  virtual void DoOnCommandProcessed(TSrcEditorCommand& command, char32_t& ch, void* data);
  virtual void DoOnGutterClick(TMouseButton button, int x, int y);
  virtual void DoOnPaint(QPainter& painter);
  virtual void DoOnPaintTransientEx(TTransientType type, bool lock);
  virtual void DoOnPaintTransient(TTransientType type) { DoOnPaintTransientEx(type, false); }
  virtual void DoOnPlaceMark(TSrcEditMark*& mark);
  virtual void DoOnProcessCommand(TSrcEditorCommand& command, char32_t& ch, void* data);
  virtual TSynReplaceAction DoOnReplaceText(const std::u32string& search, const std::u32string& replace, int line,
                                            int column);
  virtual bool DoOnSpecialLineColors(int line, TColor& fg, TColor& bg);
  virtual void DoOnStatusChange(TSynStatusChanges changes);
  virtual void ExecuteCommand(TSrcEditorCommand command, char32_t ch, void* data);
  virtual void DoContextHelp();
  // Starts dragging the selection; the default hands the data to the platform's drag.
  virtual void StartTextDrag(QMimeData* data);

  // ---- Qt event handlers (no exception leaves them) ----
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void changeEvent(QEvent* e) override;
  void timerEvent(QTimerEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dragLeaveEvent(QDragLeaveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  bool focusNextPrevChild(bool next) override;

 private:
  friend class TSrcEditPainter;
  friend struct TSrcEditAccess;

  enum TStateFlag : std::uint16_t {
    sfCaretChanged = 1 << 0,
    sfScrollbarChanged = 1 << 1,
    sfLinesChanging = 1 << 2,
    sfIgnoreNextChar = 1 << 3,
    sfCaretVisible = 1 << 4,
    sfDblClicked = 1 << 5,
    sfPossibleGutterClick = 1 << 6,
    sfWaitForDragging = 1 << 7,
    sfGutterDragging = 1 << 8,
  };
  bool HasState(TStateFlag f) const { return (stateFlags_ & f) != 0; }
  void IncludeState(TStateFlag f) { stateFlags_ |= f; }
  void ExcludeState(TStateFlag f) { stateFlags_ &= static_cast<std::uint16_t>(~f); }

  // TSrcEditWordWrapHost
  TSrcEditStringList& WrapLines() override { return *lines_; }
  int WrapCharsInWindow() const override { return charsInWindow_; }
  bool WrapIsIdentChar(char32_t c) const override;

  // ---- Life cycle and layout (SrcEdit.cpp) ----
  void FontChanged();
  void CalcTextAreaWidth();
  void SizeOrFontChanged(bool fontChanged);
  void RecalcCharExtent();
  void GutterChanged();
  void HighlighterAttrChanged(void* sender);
  void HighlighterFreed(void* sender);
  void IncPaintLock();
  void DecPaintLock();
  void StatusChanged(TSynStatusChanges changes);
  void MarkListChange();
  void UndoRedoAdded(TSrcEditUndoList& sender);
  // Modified follows the undo list's top (with its status change).
  void ModifiedFromUndoList();
  void SetGutterWidth(int value);
  bool GuardedCall(const std::function<void()>& action) noexcept;
  void RecoverFromError(int undoCountBefore);
  TColor ResolveColor(TColor color) const;

  // ---- Painting and invalidation (SrcEditPaint.cpp) ----
  void InvalidateArea(const QRect& rect);
  void ListChanging();
  void ListCleared();
  void ListDeleted(int index, int count);
  void ListInserted(int index, int count);
  void ListPutted(int index, int count);
  int ScanFrom(int index);
  void PaintCaret(QPainter& painter);
  QRect CaretRect() const;
  void UpdateCaretArea();

  // ---- Caret and scrolling (SrcEditCaret.cpp) ----
  void InternalSetCaretXY(const TBufferCoord& value);
  void ComputeCaret(int x, int y);
  void UpdateCaret();
  void InitializeCaret();
  void ShowCaret();
  void HideCaret();
  void UpdateScrollBars();
  void ScrollBarAction(TScrollBarKind bar, int action);
  void ScrollBarReleased(TScrollBarKind bar);
  void ShowScrollHint(int sliderPosition);
  void ComputeScroll(int x, int y);
  void ScrollTimerHandler();
  void ScrollWindowArea(int dx, int dy);

  // ---- Input (SrcEditInput.cpp) ----
  void KeyDown(std::uint16_t& key, TShiftState shift);
  void KeyPress(char32_t& key);
  TSrcEditorCommand TranslateKeyCode(std::uint16_t code, TShiftState shift, void*& data);
  void MouseDown(TMouseButton button, Qt::KeyboardModifiers mods, int x, int y, bool doubleClick);
  void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods, int x, int y);
  void MouseUp(TMouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods, int x, int y);
  void DblClick(int x, int y);
  void SetWordBlock(TBufferCoord value);
  void DoBlockDrop(TCustomSrcEdit* source, bool copy, bool sourceShift, int x, int y);
  QMimeData* CreateDragData() const;
  static TCustomSrcEdit* DragSource(const QMimeData* data);

  // ---- Selection and clipboard (SrcEditSelection.cpp) ----
  void SetSelTextPrimitive(TSynSelectionMode mode, std::u32string_view text, bool addToUndo);
  void DeleteSelection(const TBufferCoord& begin, const TBufferCoord& end);
  int InsertNormal(std::u32string_view text, bool addToUndo);
  int InsertColumn(std::u32string_view text, bool addToUndo);
  int InsertLine(std::u32string_view text);
  std::u32string GetSelTextPrimitive() const;
  void DoCopyToClipboard(std::u32string_view text);
  void RecordPaste(TSynSelectionMode mode, const TBufferCoord& start);
  void ProperSetLine(int index, std::u32string line);
  void ProperInsertLine(int index, std::u32string line);
  // Whether a line stored now loses its trailing blanks at the end of the step, and the note
  // that it does.
  bool NeedsTrim(const std::u32string& line) const;
  void NoteTrim(int index);
  void FlushTrims();

  // ---- Commands (SrcEditCommands.cpp) ----
  void RecordSelectionDelete(TSynUndoReason reason);
  void DeleteSelectionRecorded(TSynUndoReason reason);
  void DeleteSilently(const TBufferCoord& begin, const TBufferCoord& end, TSynUndoReason reason);
  void DoCharCommand(char32_t ch);
  void DoImeStrCommand(std::u32string_view text);
  void DoLineBreakCommand(TSrcEditorCommand command);
  void DoDeleteLastChar();
  void DoDeleteChar();
  void DoDeleteWordOrEol(TSrcEditorCommand command);
  void DoDeleteLastWordOrBol(TSrcEditorCommand command);
  void DoDeleteLine();
  void DoPageMove(TSrcEditorCommand command);
  void DoScrollCommand(TSrcEditorCommand command);
  void DoMarkerCommand(TSrcEditorCommand command, void* data);
  int LeftSpaces(const std::u32string& line, bool expanded) const;
  std::u32string GetLeftSpacing(int charCount, bool wantTabs) const;

  // ---- Undo and redo (SrcEditUndo.cpp) ----
  void UndoItem();
  void RedoItem();
  void ApplyUnindent(const TSrcEditUndoItem& it, bool putBack);
  void SwapCaretOrSelection(const TSrcEditUndoItem& it, TSrcEditUndoList& other);
  void ReplayMark(const TSrcEditUndoItem& it, bool undoing, TSrcEditUndoList& other);
  std::u32string ReplaceRecordText(const TSrcEditUndoItem& it);
  void SetRecordSelection(const TBufferCoord& caret, const TBufferCoord& begin, const TBufferCoord& end,
                          TSynSelectionMode mode);

  // ---- Options, hooks, words and blocks (SrcEditServices.cpp) ----
  void MoveCaretHorz(int dx, bool selectionCommand);
  void MoveCaretVert(int dy, bool selectionCommand);
  void MoveCaretAndSelection(const TBufferCoord& before, const TBufferCoord& after, bool selectionCommand);
  void DoHomeKey(bool selection);
  void DoEndKey(bool selection);
  void DoTabKey();
  void DoShiftTabKey();
  void DoBlockIndent();
  void DoBlockUnindent();
  void DoCaseChange(TSrcEditorCommand command);
  void DoSetBookmark(TSrcEditorCommand command, void* data);
  void DoGotoBookmark(int number);

  // ---- State, in the order of the control's fields ----
  bool alwaysShowCaret_ = false;
  TBufferCoord blockBegin_{1, 1};
  TBufferCoord blockEnd_{1, 1};
  int caretX_ = 1;
  int lastCaretX_ = 1;
  int caretY_ = 1;
  int charsInWindow_ = 0;
  int charWidth_ = 1;
  QFont fontCopy_;
  TColor fontColor_ = clWindowText;
  bool inserting_ = true;
  std::unique_ptr<TSrcEditStringList> lines_;
  std::unique_ptr<TSrcEditUndoList> undoList_;
  std::unique_ptr<TSrcEditUndoList> redoList_;
  int linesInWindow_ = 0;
  int leftChar_ = 1;
  int maxScrollWidth_ = 1024;
  int paintLock_ = 0;
  bool readOnly_ = false;
  int rightEdge_ = 80;
  TColor rightEdgeColor_ = clSilver;
  TColor scrollHintColor_ = clInfoBk;
  TScrollHintFormat scrollHintFormat_ = shfTopLineOnly;
  TScrollStyle scrollBars_ = ssBoth;
  int lineHeight_ = 1;
  int textOffset_ = 0;
  int topLine_ = 1;
  TSynCustomHighlighter* highlighter_ = nullptr;
  TSynSelectedColor selectedColor_;
  TColor activeLineColor_ = clNone;
  TColor color_ = clWindow;
  std::array<TSrcEditMark*, 10> bookmarks_{};
  int mouseDownX_ = 0;
  int mouseDownY_ = 0;
  TSynBookMarkOpt bookMarkOptions_;
  TBorderStyle borderStyle_ = bsSingle;
  bool hideSelection_ = false;
  int mouseWheelAccumulator_ = 0;
  TSrcEditCaretType overwriteCaret_ = ctBlock;
  TSrcEditCaretType insertCaret_ = ctVerticalLine;
  QPoint caretOffset_;
  QSize caretSize_;
  std::unique_ptr<TSrcEditKeyStrokes> keystrokes_;
  bool modified_ = false;
  std::unique_ptr<TSrcEditMarkList> marks_;
  int extraLineSpacing_ = 0;
  TSynSelectionMode selectionMode_ = smNormal;
  TSynSelectionMode activeSelectionMode_ = smNormal;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  std::unique_ptr<TSynWordWrapPlugin> wordWrapPlugin_;
  TSynGlyph wordWrapGlyph_;
  bool caretAtEOL_ = false;
  TSynGutter gutter_;
  int tabWidth_ = 8;
  std::unique_ptr<TheTextDrawer> textDrawer_;
  QRect invalidateRect_;
  // The bands asked to be painted since the last paint, and the scroll position and size
  // they were asked at (see InvalidateRect).
  std::array<QRect, 8> pendingRects_;
  int pendingCount_ = 0;
  std::array<int, 4> pendingView_ = {};
  std::uint16_t stateFlags_ = 0;
  TSrcEditorOptions options_;
  TSynStatusChanges statusChanges_ = 0;
  std::uint16_t lastKey_ = 0;
  TShiftState lastShiftState_ = 0;
  TSrcEditSearchCustom* searchEngine_ = nullptr;
  std::unique_ptr<TSrcEditExtensions> extensions_;
  TSrcEditKbdHandler kbdHandler_;
  std::vector<QPointer<QWidget>> focusList_;
  QBasicTimer scrollTimer_;
  int scrollDeltaX_ = 0;
  int scrollDeltaY_ = 0;
  int paintTransientLock_ = 0;
  bool showSpecChar_ = false;
  bool isScrolling_ = false;
  int gutterWidth_ = 0;
  std::unique_ptr<TSynInternalImage> internalImage_;
  // Our own caret: drawn by the paint, blinking on a timer.
  QBasicTimer caretTimer_;
  bool caretBlinkOn_ = true;
  QPoint caretPixel_;
  bool mouseCaptured_ = false;
  bool destroying_ = false;
  bool updatingScrollBars_ = false;
  bool inUndoRedo_ = false;
  std::vector<int> trimLines_;  // lines written with trailing blanks during a step, 0-based
  TBufferCoord dragPressPos_;
};

// The control as forms publish it.
class TSrcEdit : public TCustomSrcEdit {
 public:
  using TCustomSrcEdit::TCustomSrcEdit;
};

}  // namespace qx
