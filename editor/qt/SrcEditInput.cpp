// Input: keys through the bindings into commands, characters into ecChar, input-method
// text into ecImeStr, the mouse into caret placement, selection, word selection and drag
// and drop of text (within one editor or between two), the wheel, and the focus.
#include <QApplication>
#include <QDrag>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWheelEvent>
#include <cstring>

#include "editor/CharClasses.h"
#include "editor/qt/SrcEdit.h"
#include "editor/qt/SrcEditInternal.h"

namespace qx {

namespace {

constexpr TSrcEditorCommand ecGotFocus = 480;
constexpr TSrcEditorCommand ecLostFocus = 481;

// The drag of a selection names its editor, so that the drop can take the text from it.
const char* const kDragSourceFormat = "application/x-srcedit-drag-source";

TMouseButton ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
  }
}

Qt::CursorShape CursorShapeOf(TCursor cursor) {
  switch (cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crDrag: return Qt::DragMoveCursor;
    case crMultiDrag: return Qt::DragCopyCursor;
    default: return Qt::ArrowCursor;
  }
}

// Letters and digits (accented letters too) and "_" make words. The language's identifiers
// have no accented letters, but "città" in a string or a comment is one word all the same.
int CharClassAt(const TCustomSrcEdit& ed, const std::u32string& line, int ch) {
  if (ch < 1 || ch > static_cast<int>(line.size())) return -1;
  const char32_t c = line[static_cast<std::size_t>(ch - 1)];
  if (ed.IsWordChar(c) || (c > 127 && QChar::isLetterOrNumber(c))) return 0;
  if (c == U' ' || c == U'\t') return 1;
  return 2;
}

}  // namespace

std::uint16_t QtKeyToVirtualKey(int key) {
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
    return static_cast<std::uint16_t>(key);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::uint16_t>(VK_F1 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    // With Shift the digit keys report their symbols (US layout): the key is still the digit.
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Semicolon: case Qt::Key_Colon: return 186;
    case Qt::Key_Equal: case Qt::Key_Plus: return 187;
    case Qt::Key_Comma: case Qt::Key_Less: return 188;
    case Qt::Key_Minus: case Qt::Key_Underscore: return 189;
    case Qt::Key_Period: case Qt::Key_Greater: return 190;
    case Qt::Key_Slash: case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash: case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return 222;
    default: return 0;
  }
}

TShiftState QtModifiersToShift(Qt::KeyboardModifiers modifiers) {
  TShiftState s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  return s;
}

bool SrcEditKeyBound(TCustomSrcEdit& editor, const QKeyEvent* event) {
  const std::uint16_t key = QtKeyToVirtualKey(event->key());
  if (key == 0) return false;
  TShiftState shift = QtModifiersToShift(event->modifiers());
  if (event->key() == Qt::Key_Backtab) shift |= ssShift;
  return editor.Keystrokes().FindKeycode(key, shift) >= 0;
}

// ---- the command processor ----

void TCustomSrcEdit::CommandProcessor(TSrcEditorCommand command, char32_t ch, void* data) {
  DoOnProcessCommand(command, ch, data);
  if (command != ecNone) {
    NotifyHookedCommandHandlers(false, command, ch, data);
    if (command != ecNone && command < ecUserFirst) ExecuteCommand(command, ch, data);
    if (command != ecNone) NotifyHookedCommandHandlers(true, command, ch, data);
  }
  DoOnCommandProcessed(command, ch, data);
}

void TCustomSrcEdit::NotifyHookedCommandHandlers(bool afterProcessing, TSrcEditorCommand& command, char32_t& ch,
                                                 void* data) {
  extensions_->NotifyHookedCommandHandlers(afterProcessing, command, ch, data);
}

// ---- keys ----

TSrcEditorCommand TCustomSrcEdit::TranslateKeyCode(std::uint16_t code, TShiftState shift, void*& data) {
  data = nullptr;
  TSrcEditorCommand command = ecNone;
  int i = lastKey_ != 0 ? keystrokes_->FindKeycode2(lastKey_, lastShiftState_, code, shift) : -1;
  if (i >= 0) {
    command = keystrokes_->Items(i).Command;
  } else {
    i = keystrokes_->FindKeycode(code, shift);
    if (i >= 0) command = keystrokes_->Items(i).Command;
  }
  if (command == ecNone && code >= 30 && code <= 145) {
    lastKey_ = code;
    lastShiftState_ = shift;
  } else {
    lastKey_ = 0;
    lastShiftState_ = 0;
  }
  return command;
}

void TCustomSrcEdit::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
  if (key == 0) return;
  kbdHandler_.ExecuteKeyDown(this, key, shift);
  if (key == 0) return;
  void* data = nullptr;
  const TSrcEditorCommand command = TranslateKeyCode(key, shift, data);
  if (command != ecNone) {
    key = 0;
    IncludeState(sfIgnoreNextChar);
    CommandProcessor(command, 0, data);
  } else {
    ExcludeState(sfIgnoreNextChar);
  }
}

void TCustomSrcEdit::KeyPress(char32_t& key) {
  if (HasState(sfIgnoreNextChar)) {
    ExcludeState(sfIgnoreNextChar);
    return;
  }
  if (OnKeyPress) OnKeyPress(this, key);
  if (key == 0) return;
  kbdHandler_.ExecuteKeyPress(this, key);
  if (key != 0) CommandProcessor(ecChar, key, nullptr);
}

void TCustomSrcEdit::keyPressEvent(QKeyEvent* e) {
  bool consumed = false;
  GuardedCall([&] {
    std::uint16_t key = QtKeyToVirtualKey(e->key());
    TShiftState shift = QtModifiersToShift(e->modifiers());
    if (e->key() == Qt::Key_Backtab) shift |= ssShift;
    ExcludeState(sfIgnoreNextChar);
    if (key != 0) {
      KeyDown(key, shift);
      if (key == 0) {
        consumed = true;
        return;
      }
    }
    // Characters: one command per code point; keys held with Ctrl or Alt type nothing.
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool typing = !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ||
                        (mods & Qt::GroupSwitchModifier);
    const QString text = e->text();
    if (typing && !text.isEmpty()) {
      for (char32_t c : text.toStdU32String()) {
        if (c == U'\r' || c == U'\n' || c == U'\t' || c == 0x1B || c == 8) continue;
        char32_t ch = c;
        KeyPress(ch);
        consumed = true;
      }
    }
  });
  const int k = e->key();
  const bool belongsToParent = (k == Qt::Key_Escape) || ((k == Qt::Key_Return || k == Qt::Key_Enter) && !wantReturns_);
  if (consumed || !belongsToParent)
    e->accept();
  else
    e->ignore();
}

void TCustomSrcEdit::keyReleaseEvent(QKeyEvent* e) {
  GuardedCall([&] {
    std::uint16_t key = QtKeyToVirtualKey(e->key());
    TShiftState shift = QtModifiersToShift(e->modifiers());
    if (e->key() == Qt::Key_Backtab) shift |= ssShift;
    if (OnKeyUp) OnKeyUp(this, key, shift);
    kbdHandler_.ExecuteKeyUp(this, key, shift);
  });
}

void TCustomSrcEdit::inputMethodEvent(QInputMethodEvent* e) {
  GuardedCall([&] {
    const std::u32string text = e->commitString().toStdU32String();
    if (!text.empty()) CommandProcessor(ecImeStr, 0, const_cast<std::u32string*>(&text));
  });
  e->accept();
}

QVariant TCustomSrcEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled: return !ReadOnly();
    case Qt::ImCursorRectangle: return QRect(caretPixel_, caretSize_);
    case Qt::ImFont: return fontCopy_;
    case Qt::ImCursorPosition: return caretX_ - 1;
    case Qt::ImAnchorPosition: return blockBegin_.Line == caretY_ ? blockBegin_.Char - 1 : caretX_ - 1;
    case Qt::ImSurroundingText: {
      const std::u32string line = LineText();
      return QString::fromStdU32String(line);
    }
    default: return QAbstractScrollArea::inputMethodQuery(query);
  }
}

// ---- the mouse ----

void TCustomSrcEdit::MouseDown(TMouseButton button, Qt::KeyboardModifiers mods, int x, int y, bool doubleClick) {
  const TBufferCoord oldBegin = blockBegin_, oldEnd = blockEnd_;
  const bool onSelection = button == mbLeft && SelAvail();
  if (onSelection) {
    mouseDownX_ = x;
    mouseDownY_ = y;
  }
  if (doubleClick) return;
  const TShiftState shift = QtModifiersToShift(mods);
  kbdHandler_.ExecuteMouseDown(this, button, shift, x, y);
  if (button == mbLeft) {
    ComputeCaret(x, y);
  } else if (button == mbRight) {
    if (!options_.Contains(eoRightMouseMovesCursor)) return;
    if (SelAvail() && IsPointInSelection(DisplayToBufferPos(PixelsToRowColumn(x, y)))) return;
    InvalidateSelection();
    blockEnd_ = blockBegin_;
    ComputeCaret(x, y);
  }
  if (button == mbLeft) {
    blockBegin_ = oldBegin;
    blockEnd_ = oldEnd;
    mouseCaptured_ = true;
    ExcludeState(sfWaitForDragging);
    if (onSelection && options_.Contains(eoDragDropEditing) && x >= gutterWidth_ + 2 && selectionMode_ == smNormal &&
        IsPointInSelection(DisplayToBufferPos(PixelsToRowColumn(x, y))))
      IncludeState(sfWaitForDragging);
  }
  if (!HasState(sfWaitForDragging) && !HasState(sfDblClicked)) {
    if (mods & Qt::ShiftModifier) {
      SetBlockEnd(CaretXY());
    } else {
      if (options_.Contains(eoAltSetsColumnMode) && activeSelectionMode_ != smLine)
        SetSelectionMode((mods & Qt::AltModifier) ? smColumn : smNormal);
      SetBlockBegin(CaretXY());
    }
  }
  if (x < gutterWidth_) IncludeState(sfPossibleGutterClick);
  if (HasState(sfPossibleGutterClick) && button == mbRight) DoOnGutterClick(button, x, y);
  UpdateMouseCursor();
  if (!hasFocus()) setFocus(Qt::MouseFocusReason);
}

void TCustomSrcEdit::MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y) {
  if (mouseCaptured_ && HasState(sfWaitForDragging)) {
    if (std::abs(mouseDownX_ - x) >= QApplication::startDragDistance() ||
        std::abs(mouseDownY_ - y) >= QApplication::startDragDistance()) {
      ExcludeState(sfWaitForDragging);
      mouseCaptured_ = false;
      dragPressPos_ = CaretXY();
      StartTextDrag(CreateDragData());
    }
  } else if ((buttons & Qt::LeftButton) && mouseCaptured_) {
    ComputeScroll(x, y);
    TDisplayPos d = PixelsToNearestRowColumn(x, y);
    d.Row = std::clamp(d.Row, 1, std::max(1, DisplayLineCount()));
    if (scrollDeltaX_ != 0) d.Column = DisplayX();
    if (scrollDeltaY_ != 0) d.Row = DisplayY();
    SetInternalCaretXY(DisplayToBufferPos(d));
    SetBlockEnd(CaretXY());
    if (HasState(sfPossibleGutterClick) && blockBegin_.Line != caretY_) IncludeState(sfGutterDragging);
  }
  UpdateMouseCursor();
}

void TCustomSrcEdit::MouseUp(TMouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers mods, int x, int y) {
  kbdHandler_.ExecuteMouseUp(this, button, QtModifiersToShift(mods), x, y);
  scrollTimer_.stop();
  mouseCaptured_ = false;
  if (HasState(sfPossibleGutterClick) && x < gutterWidth_ && button != mbRight) {
    DoOnGutterClick(button, x, y);
  } else if (HasState(sfWaitForDragging) && !HasState(sfDblClicked)) {
    ComputeCaret(x, y);
    if (!(mods & Qt::ShiftModifier)) SetBlockBegin(CaretXY());
    SetBlockEnd(CaretXY());
    ExcludeState(sfWaitForDragging);
  }
  ExcludeState(sfDblClicked);
  ExcludeState(sfPossibleGutterClick);
  ExcludeState(sfGutterDragging);
}

void TCustomSrcEdit::DblClick(int x, int) {
  if (x > gutterWidth_ + 2) {
    if (!options_.Contains(eoNoSelection)) SetWordBlock(CaretXY());
    if (OnDblClick) OnDblClick(this);
    IncludeState(sfDblClicked);
    mouseCaptured_ = false;
  } else if (OnDblClick) {
    OnDblClick(this);
  }
}

void TCustomSrcEdit::SetWordBlock(TBufferCoord value) {
  value.Line = std::clamp(value.Line, 1, std::max(1, lines_->Count()));
  value.Char = std::max(value.Char, 1);
  const std::u32string line = lines_->Get(value.Line - 1);
  if (value.Char > static_cast<int>(line.size()) + 1) return;
  const int cls = CharClassAt(*this, line, value.Char);
  int begin = value.Char, end = value.Char;
  if (cls >= 0) {
    while (begin > 1 && CharClassAt(*this, line, begin - 1) == cls) --begin;
    while (end <= static_cast<int>(line.size()) && CharClassAt(*this, line, end) == cls) ++end;
  }
  TPaintLockGuard lock(*this);
  SetInternalCaretXY({end, value.Line});
  SetBlockBegin({begin, value.Line});
  SetBlockEnd({end, value.Line});
  InvalidateLine(value.Line);
  StatusChanged(scSelection);
}

void TCustomSrcEdit::mousePressEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  GuardedCall([&] { MouseDown(ButtonOf(e->button()), e->modifiers(), p.x(), p.y(), false); });
  e->accept();
}

void TCustomSrcEdit::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  GuardedCall([&] { MouseMove(e->buttons(), e->modifiers(), p.x(), p.y()); });
  e->accept();
}

void TCustomSrcEdit::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  GuardedCall([&] {
    MouseUp(ButtonOf(e->button()), e->buttons(), e->modifiers(), p.x(), p.y());
    if (e->button() == Qt::LeftButton && OnClick) OnClick(this);
  });
  e->accept();
}

void TCustomSrcEdit::mouseDoubleClickEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  GuardedCall([&] {
    if (e->button() == Qt::LeftButton) {
      MouseDown(mbLeft, e->modifiers(), p.x(), p.y(), true);
      // The word is the one under the second click, wherever the first one left the caret.
      ComputeCaret(p.x(), p.y());
      DblClick(p.x(), p.y());
    }
  });
  e->accept();
}

void TCustomSrcEdit::wheelEvent(QWheelEvent* e) {
  GuardedCall([&] {
    mouseWheelAccumulator_ += e->angleDelta().y();
    const int notches = mouseWheelAccumulator_ / 120;
    mouseWheelAccumulator_ %= 120;
    if (notches == 0) return;
    int step = QApplication::wheelScrollLines();
    if (e->modifiers() & Qt::ControlModifier) {
      step = linesInWindow_;
      if (options_.Contains(eoHalfPageScroll)) step /= 2;
    }
    if (step == -1 || step > linesInWindow_) step = linesInWindow_;
    SetTopLine(topLine_ - step * notches);
    if (OnScroll) OnScroll(this, sbVertical);
  });
  e->accept();
}

void TCustomSrcEdit::UpdateMouseCursor() {
  const QPoint pt = viewport()->mapFromGlobal(QCursor::pos());
  TCursor cursor = crIBeam;
  const TBufferCoord pos = DisplayToBufferPos(PixelsToRowColumn(pt.x(), pt.y()));
  if (pt.x() < gutterWidth_) {
    cursor = gutter_.Cursor();
  } else if (options_.Contains(eoDragDropEditing) && !mouseCaptured_ && IsPointInSelection(pos)) {
    cursor = crArrow;
  }
  if (OnMouseCursor) OnMouseCursor(this, pos, cursor);
  kbdHandler_.ExecuteMouseCursor(this, pos, cursor);
  viewport()->setCursor(CursorShapeOf(cursor));
}

void TCustomSrcEdit::DoOnGutterClick(TMouseButton button, int x, int y) {
  if (!OnGutterClick) return;
  const int line = RowToLine(PixelsToRowColumn(x, y).Row);
  if (line > lines_->Count()) return;
  TSrcEditMarks marks{};
  marks_->GetMarksForLine(line, marks);
  TSrcEditMark* clicked = nullptr;
  int offset = 0;
  for (TSrcEditMark* mark : marks) {
    if (!mark) break;
    offset += bookMarkOptions_.Xoffset();
    if (offset > x) {
      clicked = mark;
      break;
    }
  }
  OnGutterClick(this, button, x, y, line, clicked);
}

// ---- drag and drop of text ----

QMimeData* TCustomSrcEdit::CreateDragData() const {
  auto* data = new QMimeData;
  const std::u32string text = SelText();
  data->setText(QString::fromStdU32String(text));
  const quintptr self = reinterpret_cast<quintptr>(this);
  data->setData(QString::fromLatin1(kDragSourceFormat),
                QByteArray(reinterpret_cast<const char*>(&self), static_cast<qsizetype>(sizeof self)));
  return data;
}

TCustomSrcEdit* TCustomSrcEdit::DragSource(const QMimeData* data) {
  if (!data || !data->hasFormat(QString::fromLatin1(kDragSourceFormat))) return nullptr;
  const QByteArray bytes = data->data(QString::fromLatin1(kDragSourceFormat));
  if (bytes.size() != static_cast<qsizetype>(sizeof(quintptr))) return nullptr;
  quintptr address = 0;
  std::memcpy(&address, bytes.constData(), sizeof address);
  auto* editor = reinterpret_cast<TCustomSrcEdit*>(address);
  return IsLiveSrcEdit(editor) ? editor : nullptr;
}

void TCustomSrcEdit::StartTextDrag(QMimeData* data) {
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

// Files dropped from the desktop go to OnDropFiles when the option asks for them.
static bool CarriesFiles(const TCustomSrcEdit& ed, const QMimeData* data) {
  return ed.Options().Contains(eoDropFiles) && ed.OnDropFiles && data && data->hasUrls();
}

// Whether a drag over the editor is one it takes: files, or text from an editor. The
// event is accepted or ignored accordingly; true means text.
static bool TakesTextDrag(TCustomSrcEdit& ed, QDropEvent* e, TCustomSrcEdit* source) {
  if (!source && CarriesFiles(ed, e->mimeData())) {
    e->acceptProposedAction();
    return false;
  }
  if (!source || ed.ReadOnly()) {
    e->ignore();
    return false;
  }
  return true;
}

void TCustomSrcEdit::dragEnterEvent(QDragEnterEvent* e) {
  if (!TakesTextDrag(*this, e, DragSource(e->mimeData()))) return;
  dragPressPos_ = CaretXY();
  e->setDropAction((e->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
  e->accept();
}

void TCustomSrcEdit::dragMoveEvent(QDragMoveEvent* e) {
  if (!TakesTextDrag(*this, e, DragSource(e->mimeData()))) return;
  const QPoint p = e->position().toPoint();
  GuardedCall([&] {
    TDisplayPos d = PixelsToNearestRowColumn(p.x(), p.y());
    d.Column = std::clamp(d.Column, leftChar_, leftChar_ + std::max(0, charsInWindow_));
    d.Row = std::clamp(d.Row, topLine_, std::max(topLine_, std::min(topLine_ + linesInWindow_ - 1, DisplayLineCount())));
    SetInternalCaretXY(DisplayToBufferPos(d));
  });
  e->setDropAction((e->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
  e->accept();
}

void TCustomSrcEdit::dragLeaveEvent(QDragLeaveEvent* e) {
  GuardedCall([&] { SetInternalCaretXY(dragPressPos_); });
  e->accept();
}

void TCustomSrcEdit::dropEvent(QDropEvent* e) {
  if (CarriesFiles(*this, e->mimeData()) && !DragSource(e->mimeData())) {
    std::vector<std::string> files;
    for (const QUrl& url : e->mimeData()->urls())
      if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdString());
    const QPoint p = e->position().toPoint();
    if (!files.empty()) GuardedCall([&] { OnDropFiles(this, p.x(), p.y(), files); });
    e->acceptProposedAction();
    return;
  }
  TCustomSrcEdit* source = DragSource(e->mimeData());
  if (ReadOnly() || !source || !source->SelAvail()) {
    e->ignore();
    return;
  }
  const QPoint p = e->position().toPoint();
  const Qt::KeyboardModifiers mods = e->modifiers();
  const bool copy = source == this ? (mods & Qt::ControlModifier) != 0 : (mods & Qt::ShiftModifier) == 0;
  GuardedCall([&] { DoBlockDrop(source, copy, (mods & Qt::ShiftModifier) != 0, p.x(), p.y()); });
  // The text was taken from the source here: the platform must not delete it again.
  e->setDropAction(Qt::CopyAction);
  e->accept();
}

void TCustomSrcEdit::DoBlockDrop(TCustomSrcEdit* source, bool copy, bool, int x, int y) {
  TPaintLockGuard lock(*this);
  ComputeCaret(x, y);
  TBufferCoord newPos = CaretXY();
  const bool sameControl = source == this;
  const bool moving = !copy;
  bool dropAfter = false;
  bool doDrop = true;
  const TBufferCoord b = source->BlockBegin(), e = source->BlockEnd();
  if (sameControl) {
    dropAfter = newPos.Line > e.Line ||
                (newPos.Line == e.Line && (newPos.Char > e.Char || (moving && newPos.Char == e.Char)));
    doDrop = dropAfter || newPos.Line < b.Line ||
             (newPos.Line == b.Line && (newPos.Char < b.Char || (moving && newPos.Char == b.Char)));
  }
  if (!doDrop) return;
  TUndoBlockGuard block(*undoList_);
  const std::u32string text = source->SelText();
  if (moving) {
    if (sameControl) {
      SetSelText(U"");
      if (dropAfter) {
        // The removed text no longer stands before the drop point: on the selection's end
        // line the point joins the selection's first line, after its head.
        if (newPos.Line == e.Line) newPos.Char = newPos.Char - e.Char + b.Char;
        newPos.Line -= e.Line - b.Line;
      }
    } else {
      source->SetSelText(U"");
    }
  }
  {
    TOptionOverride pastEol(options_, eoScrollPastEol, true);
    SetCaretXY(newPos);
    SetBlockBegin(newPos);
    undoList_->Lock();
    try {
      SetSelText(text);
    } catch (...) {
      undoList_->Unlock();
      throw;
    }
    undoList_->Unlock();
  }
  undoList_->AddChange(sameControl ? urDragDropInsert : urInsert, newPos, CaretXY(), U"", activeSelectionMode_);
  FlushTrims();
  SetBlockEnd(CaretXY());
  TBufferCoord target = newPos;
  CommandProcessor(ecSelGotoXY, 0, &target);
}

// ---- the focus ----

void TCustomSrcEdit::focusInEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusInEvent(e);
  GuardedCall([&] {
    if (OnEnter) OnEnter(this);
    CommandProcessor(ecGotFocus, 0, nullptr);
    InitializeCaret();
    UpdateCaret();
    if (hideSelection_ && SelAvail()) InvalidateSelection();
  });
}

void TCustomSrcEdit::focusOutEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusOutEvent(e);
  GuardedCall([&] {
    CommandProcessor(ecLostFocus, 0, nullptr);
    if (!alwaysShowCaret_) HideCaret();
    if (hideSelection_ && SelAvail()) InvalidateSelection();
    if (OnExit) OnExit(this);
  });
}

}  // namespace qx
