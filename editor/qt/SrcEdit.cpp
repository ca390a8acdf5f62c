// The control's life cycle, its properties, its layout on the font and the window size,
// the update lock with the status changes it collects, and the event hooks.
#include "editor/qt/SrcEdit.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <climits>
#include <set>

#include "editor/qt/SrcEditInternal.h"
#include "editor/qt/TextDrawer.h"

namespace qx {

const char* const TCustomSrcEdit::kClipboardBlockFormat = "application/x-srcedit-control-block-type";

namespace {

std::set<const TCustomSrcEdit*>& LiveEditors() {
  static std::set<const TCustomSrcEdit*> editors;
  return editors;
}

}  // namespace

bool IsLiveSrcEdit(const TCustomSrcEdit* editor) { return editor && LiveEditors().count(editor) > 0; }

TCustomSrcEdit::TCustomSrcEdit(QWidget* parent)
    : QAbstractScrollArea(parent), wordWrapGlyph_("SrcEditWrapped", clLime) {
  LiveEditors().insert(this);
  lines_ = std::make_unique<TSrcEditStringList>();
  lines_->OnChange = [this](TSrcEditStringList&) { BufferChanged(); };
  lines_->OnChanging = [this](TSrcEditStringList&) { ListChanging(); };
  lines_->OnLinesCleared = [this](TSrcEditStringList&) { ListCleared(); };
  lines_->OnLinesDeleted = [this](TSrcEditStringList&, int index, int count) { ListDeleted(index, count); };
  lines_->OnLinesInserted = [this](TSrcEditStringList&, int index, int count) { ListInserted(index, count); };
  lines_->OnLinePut = [this](TSrcEditStringList&, int index, int count) { ListPutted(index, count); };
  undoList_ = std::make_unique<TSrcEditUndoList>();
  undoList_->OnAddedUndo = [this](TSrcEditUndoList& sender) { UndoRedoAdded(sender); };
  redoList_ = std::make_unique<TSrcEditUndoList>();
  redoList_->OnAddedUndo = [this](TSrcEditUndoList& sender) { UndoRedoAdded(sender); };
  activeLineColor_ = clNone;
  selectedColor_.OnChange = [this](void*) { InvalidateSelection(); };
  bookMarkOptions_.OnChange = [this](void*) { InvalidateGutter(); };
  gutter_.OnChange = [this](void*) { GutterChanged(); };
  wordWrapGlyph_.OnChange = [this](void*) { viewport()->update(); };
  rightEdge_ = 80;
  gutterWidth_ = gutter_.Width();
  textOffset_ = gutterWidth_ + 2;

  // We paint every pixel ourselves.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAutoFillBackground(false);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setAcceptDrops(true);
  setAcceptDrops(true);
  setAttribute(Qt::WA_InputMethodEnabled);
  setFocusPolicy(Qt::StrongFocus);
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  resize(200, 150);

  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSize(10);
  fontCopy_ = font;
  textDrawer_ = std::make_unique<TheTextDrawer>(fsBold, &fontCopy_);
  setFont(font);

  inserting_ = true;
  maxScrollWidth_ = 1024;
  scrollBars_ = ssBoth;
  borderStyle_ = bsSingle;
  insertCaret_ = ctVerticalLine;
  overwriteCaret_ = ctBlock;
  selectionMode_ = activeSelectionMode_ = smNormal;
  marks_ = std::make_unique<TSrcEditMarkList>();
  marks_->OnChange = [this](TSrcEditMarkList&) { InvalidateGutter(); };
  extensions_ = std::make_unique<TSrcEditExtensions>(this, *marks_);
  keystrokes_ = std::make_unique<TSrcEditKeyStrokes>(this);
  keystrokes_->ResetDefaults();
  rightEdgeColor_ = clSilver;
  wantReturns_ = true;
  wantTabs_ = false;
  tabWidth_ = 8;
  options_ = kSrcEditDefaultOptions;
  scrollHintColor_ = clInfoBk;
  scrollHintFormat_ = shfTopLineOnly;

  QScrollBar* vbar = verticalScrollBar();
  QScrollBar* hbar = horizontalScrollBar();
  connect(vbar, &QAbstractSlider::actionTriggered, this, [this](int action) { ScrollBarAction(sbVertical, action); });
  connect(hbar, &QAbstractSlider::actionTriggered, this, [this](int action) { ScrollBarAction(sbHorizontal, action); });
  connect(vbar, &QAbstractSlider::sliderReleased, this, [this] { ScrollBarReleased(sbVertical); });
  connect(hbar, &QAbstractSlider::sliderReleased, this, [this] { ScrollBarReleased(sbHorizontal); });
  FontChanged();
  UpdateScrollBars();
}

TCustomSrcEdit::~TCustomSrcEdit() {
  destroying_ = true;
  LiveEditors().erase(this);
  SetHighlighter(nullptr);
  wordWrapPlugin_.reset();
  // The buffer outlives the rest of the control's parts only as long as it must: no
  // event of it may reach a half-destroyed control.
  lines_->OnChange = nullptr;
  lines_->OnChanging = nullptr;
  lines_->OnLinesCleared = nullptr;
  lines_->OnLinesDeleted = nullptr;
  lines_->OnLinesInserted = nullptr;
  lines_->OnLinePut = nullptr;
  undoList_->OnAddedUndo = nullptr;
  redoList_->OnAddedUndo = nullptr;
  marks_->OnChange = nullptr;
  extensions_.reset();
  bookmarks_.fill(nullptr);
  marks_->Clear();
}

// ---- properties ----

void TCustomSrcEdit::SetActiveLineColor(TColor value) {
  if (activeLineColor_ == value) return;
  activeLineColor_ = value;
  InvalidateLine(caretY_);
}

void TCustomSrcEdit::SetBorderStyle(TBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  setFrameStyle(value == bsSingle ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame);
}

void TCustomSrcEdit::SetColor(TColor value) {
  if (color_ == value) return;
  color_ = value;
  viewport()->update();
}

void TCustomSrcEdit::SetFontColor(TColor value) {
  if (fontColor_ == value) return;
  fontColor_ = value;
  viewport()->update();
}

void TCustomSrcEdit::SetExtraLineSpacing(int value) {
  extraLineSpacing_ = value;
  FontChanged();
}

void TCustomSrcEdit::SetHideSelection(bool value) {
  if (hideSelection_ == value) return;
  hideSelection_ = value;
  InvalidateSelection();
}

void TCustomSrcEdit::HighlighterFreed(void*) {
  // The highlighter is going: forget it without unhooking from it.
  highlighter_ = nullptr;
  if (destroying_) return;
  RecalcCharExtent();
  SizeOrFontChanged(true);
  viewport()->update();
}

void TCustomSrcEdit::SetHighlighter(TSynCustomHighlighter* value) {
  if (value == highlighter_) return;
  if (highlighter_) {
    highlighter_->UnhookAttrChangeEvent(MakeMethod<&TCustomSrcEdit::HighlighterAttrChanged>(this));
    highlighter_->RemoveFreeNotification(MakeMethod<&TCustomSrcEdit::HighlighterFreed>(this));
  }
  highlighter_ = value;
  if (highlighter_) {
    highlighter_->HookAttrChangeEvent(MakeMethod<&TCustomSrcEdit::HighlighterAttrChanged>(this));
    highlighter_->FreeNotification(MakeMethod<&TCustomSrcEdit::HighlighterFreed>(this));
  }
  if (!destroying_) HighlighterAttrChanged(this);
}

void TCustomSrcEdit::HighlighterAttrChanged(void*) {
  RecalcCharExtent();
  if (highlighter_ && lines_->Count() > 0) {
    TLinesUpdateGuard update(*lines_);
    qx::ScanRanges(*highlighter_, *lines_);
  }
  SizeOrFontChanged(true);
  InvalidateLines(-1, -1);
}

void TCustomSrcEdit::SetInsertCaret(TSrcEditCaretType value) {
  if (insertCaret_ == value) return;
  insertCaret_ = value;
  InitializeCaret();
}

void TCustomSrcEdit::SetOverwriteCaret(TSrcEditCaretType value) {
  if (overwriteCaret_ == value) return;
  overwriteCaret_ = value;
  InitializeCaret();
}

void TCustomSrcEdit::SetInsertMode(bool value) {
  if (inserting_ == value) return;
  inserting_ = value;
  InitializeCaret();
  StatusChanged(scInsertMode);
}

void TCustomSrcEdit::SetKeystrokes(const TSrcEditKeyStrokes* value) {
  if (value)
    keystrokes_->Assign(*value);
  else
    keystrokes_->Clear();
}

void TCustomSrcEdit::SetLines(const TSrcEditStringList& value) {
  if (&value == lines_.get()) return;
  TLinesUpdateGuard update(*lines_);
  lines_->Clear();
  lines_->AddStrings(value);
}

void TCustomSrcEdit::SetMaxScrollWidth(int value) {
  value = std::clamp(value, 1, INT_MAX - 1);
  if (maxScrollWidth_ == value) return;
  maxScrollWidth_ = value;
  if (options_.Contains(eoScrollPastEol)) UpdateScrollBars();
}

int TCustomSrcEdit::MaxUndo() const { return undoList_->MaxUndoActions(); }

void TCustomSrcEdit::SetMaxUndo(int value) {
  if (value <= -1) return;
  undoList_->SetMaxUndoActions(value);
  redoList_->SetMaxUndoActions(value);
}

void TCustomSrcEdit::SetReadOnlyState(bool value) {
  if (readOnly_ == value) return;
  readOnly_ = value;
  StatusChanged(scReadOnly);
}

void TCustomSrcEdit::SetRightEdge(int value) {
  if (rightEdge_ == value) return;
  rightEdge_ = value;
  viewport()->update();
}

void TCustomSrcEdit::SetRightEdgeColor(TColor value) {
  if (rightEdgeColor_ == value) return;
  rightEdgeColor_ = value;
  const int x = textOffset_ + rightEdge_ * charWidth_;
  InvalidateRect(QRect(x - 1, 0, 3, viewport()->height()), false);
}

void TCustomSrcEdit::SetScrollBars(TScrollStyle value) {
  if (scrollBars_ == value) return;
  scrollBars_ = value;
  UpdateScrollBars();
  viewport()->update();
}

void TCustomSrcEdit::SetTabWidth(int value) {
  value = std::clamp(value, 1, 256);
  if (value == tabWidth_) return;
  tabWidth_ = value;
  lines_->SetTabWidth(value);
  InvalidateLines(-1, -1);
  if (wordWrapPlugin_) {
    wordWrapPlugin_ = std::make_unique<TSynWordWrapPlugin>(static_cast<TSrcEditWordWrapHost*>(this));
    InvalidateGutter();
  }
  UpdateScrollBars();
}

void TCustomSrcEdit::SetWordWrap(bool value) {
  if (value == WordWrap()) return;
  viewport()->update();
  const bool caretWasInView = CaretInView();
  const int oldTopLine = RowToLine(topLine_);
  if (value) {
    wordWrapPlugin_ = std::make_unique<TSynWordWrapPlugin>(static_cast<TSrcEditWordWrapHost*>(this));
    leftChar_ = 1;
    textOffset_ = gutterWidth_ + 2;
  } else {
    wordWrapPlugin_.reset();
  }
  SetTopLine(LineToRow(oldTopLine));
  UpdateScrollBars();
  if (options_.Contains(eoScrollPastEol)) {
    const TBufferCoord begin = blockBegin_, end = blockEnd_;
    SetCaretXYEx(false, CaretXY());
    blockBegin_ = begin;
    SetBlockEnd(end);
  }
  if (caretWasInView) EnsureCursorPosVisible();
}

void TCustomSrcEdit::SetSelectionMode(TSynSelectionMode value) {
  selectionMode_ = value;
  SetActiveSelectionMode(value);
}

void TCustomSrcEdit::SetActiveSelectionMode(TSynSelectionMode value) {
  if (activeSelectionMode_ == value) return;
  if (SelAvail()) InvalidateSelection();
  activeSelectionMode_ = value;
  if (SelAvail()) InvalidateSelection();
  StatusChanged(scSelection);
}

// ---- font and layout ----

namespace {

// Families that the install script puts on every machine, asked for by name before any alias:
// what "monospace" or a type-writer hint resolves to depends on the machine's other fonts, and
// some of those (Noto Sans Mono among them) are not fixed pitch to the toolkit.
constexpr const char* kFamiglieFisse[] = {"Liberation Mono", "DejaVu Sans Mono"};

// The same size and style in the first installed family that really is fixed pitch.
QFont SostitutoFisso(const QFont& requested) {
  for (const char* nome : kFamiglieFisse) {
    QFont f = requested;
    f.setFamilies({QString::fromLatin1(nome)});
    f.setFixedPitch(true);
    f.setStyleHint(QFont::TypeWriter);
    const QFontInfo info(f);
    if (info.fixedPitch() && info.family() == QLatin1String(nome)) return f;
  }
  QFont f = requested;
  f.setFixedPitch(true);
  f.setStyleHint(QFont::TypeWriter);
  if (!QFontInfo(f).fixedPitch()) f.setFamilies({QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
  return f;
}

}  // namespace

void TCustomSrcEdit::FontChanged() {
  // A proportional font is replaced by a fixed-pitch one of the same size and style.
  const QFont requested = font();
  QFont chosen = requested;
  const QFontMetrics fm(requested);
  if (!QFontInfo(requested).fixedPitch() && fm.averageCharWidth() != fm.maxWidth())
    chosen = SostitutoFisso(requested);
  fontCopy_ = chosen;
  RecalcCharExtent();
  SizeOrFontChanged(true);
  if (gutter_.ShowLineNumbers()) GutterChanged();
}

void TCustomSrcEdit::RecalcCharExtent() {
  if (!textDrawer_) return;
  // The bold and italic combinations in use: the highlighter's, or the font's own.
  bool used[4] = {false, false, false, false};
  auto mark = [&](TFontStyles s) { used[((s & fsBold) ? 2 : 0) + ((s & fsItalic) ? 1 : 0)] = true; };
  if (highlighter_ && highlighter_->GetAttribCount() > 0) {
    for (int i = 0; i < highlighter_->GetAttribCount(); ++i) mark(highlighter_->GetAttribute(i)->Style());
  } else {
    mark(static_cast<TFontStyles>((fontCopy_.bold() ? fsBold : 0) | (fontCopy_.italic() ? fsItalic : 0)));
  }
  lineHeight_ = 0;
  charWidth_ = 0;
  textDrawer_->SetBaseFont(&fontCopy_);
  constexpr TFontStyles order[4] = {0, fsItalic, fsBold, fsBold | fsItalic};
  for (TFontStyles s : order) {
    if (!used[((s & fsBold) ? 2 : 0) + ((s & fsItalic) ? 1 : 0)]) continue;
    textDrawer_->SetBaseStyle(s);
    lineHeight_ = std::max(lineHeight_, textDrawer_->CharHeight());
    charWidth_ = std::max(charWidth_, textDrawer_->CharWidth());
  }
  charWidth_ = std::max(charWidth_, 1);
  lineHeight_ = std::max(1, lineHeight_ + extraLineSpacing_);
}

void TCustomSrcEdit::CalcTextAreaWidth() {
  charsInWindow_ = std::max(viewport()->width() - gutterWidth_ - 2, 0) / charWidth_;
  linesInWindow_ = viewport()->height() / lineHeight_;
}

void TCustomSrcEdit::SizeOrFontChanged(bool fontChanged) {
  if (charWidth_ <= 0 || !textDrawer_) return;
  const int oldChars = charsInWindow_;
  CalcTextAreaWidth();
  textOffset_ = gutterWidth_ + 2 - (leftChar_ - 1) * charWidth_;
  if (wordWrapPlugin_ && oldChars != charsInWindow_) {
    wordWrapPlugin_->DisplayChanged();
    viewport()->update();
  }
  if (fontChanged) {
    if (gutter_.ShowLineNumbers()) GutterChanged();
    InitializeCaret();
    viewport()->update();
  }
  UpdateScrollBars();
  // The window's limits may have moved.
  SetLeftChar(leftChar_);
  SetTopLine(topLine_);
}

void TCustomSrcEdit::GutterChanged() {
  if (gutter_.ShowLineNumbers() && gutter_.AutoSize()) gutter_.AutoSizeDigitCount(lines_->Count());
  int cw = charWidth_;
  if (gutter_.UseFontStyle()) {
    const QFontMetrics fm(gutter_.Font());
    cw = fm.horizontalAdvance(QLatin1Char('M'));
    if (cw <= 0) cw = fm.averageCharWidth();
  }
  const int width = gutter_.RealGutterWidth(cw);
  if (width == gutterWidth_)
    InvalidateGutter();
  else
    SetGutterWidth(width);
}

void TCustomSrcEdit::SetGutterWidth(int value) {
  value = std::max(value, 0);
  if (gutterWidth_ == value) return;
  gutterWidth_ = value;
  textOffset_ = gutterWidth_ + 2 - (leftChar_ - 1) * charWidth_;
  const int oldChars = charsInWindow_;
  CalcTextAreaWidth();
  if (wordWrapPlugin_ && oldChars != charsInWindow_) wordWrapPlugin_->DisplayChanged();
  UpdateScrollBars();
  viewport()->update();
}

// ---- the update lock and the status ----

void TCustomSrcEdit::IncPaintLock() { ++paintLock_; }

void TCustomSrcEdit::DecPaintLock() {
  if (paintLock_ <= 0) return;  // a release without a hold is a programming error; ignore it
  if (--paintLock_ != 0) return;
  if (HasState(sfScrollbarChanged)) UpdateScrollBars();
  if (wordWrapPlugin_ && (statusChanges_ & (scCaretX | scCaretY)) && charsInWindow_ >= 1) {
    const TDisplayPos d = BufferToDisplayPos(CaretXY());
    if (d.Column > charsInWindow_ + 1) {
      if (caretAtEOL_) {
        caretAtEOL_ = false;
      } else if (statusChanges_ & scCaretY) {
        caretX_ = DisplayToBufferPos({charsInWindow_ + 1, d.Row}).Char;
        statusChanges_ |= scCaretX;
        lastCaretX_ = DisplayX();
      }
      IncludeState(sfCaretChanged);
    }
  }
  if (HasState(sfCaretChanged)) UpdateCaret();
  if (statusChanges_ != 0) DoOnStatusChange(statusChanges_);
}

void TCustomSrcEdit::StatusChanged(TSynStatusChanges changes) {
  statusChanges_ |= changes;
  if (paintLock_ == 0) DoOnStatusChange(statusChanges_);
}

void TCustomSrcEdit::DoOnStatusChange(TSynStatusChanges changes) {
  if (OnStatusChange) OnStatusChange(this, changes);
  statusChanges_ = 0;
}

// ---- modified, undo bookkeeping ----

// The text is modified unless the undo list's top is the step it was saved at.
void TCustomSrcEdit::ModifiedFromUndoList() {
  const bool modified = !undoList_->IsTopMarkedAsUnmodified();
  if (modified != modified_) {
    modified_ = modified;
    StatusChanged(scModified);
  }
}

void TCustomSrcEdit::UndoRedoAdded(TSrcEditUndoList& sender) {
  ModifiedFromUndoList();
  if (&sender == undoList_.get() && !undoList_->InsideRedo && undoList_->LastChangeReason() != urGroupBreak)
    redoList_->Clear();
  if (sender.BlockCount() == 0) DoChange();
}

void TCustomSrcEdit::SetModified(bool value) {
  if (value == modified_) return;
  modified_ = value;
  if (options_.Contains(eoGroupUndo) && !value && undoList_->CanUndo()) undoList_->AddGroupBreak();
  undoList_->MarkTopAsUnmodified(!value);
  StatusChanged(scModified);
}

void TCustomSrcEdit::ClearAll() {
  lines_->Clear();
  bookmarks_.fill(nullptr);
  marks_->Clear();
  undoList_->Clear();
  redoList_->Clear();
  SetModified(false);
}

void TCustomSrcEdit::LockUndo() {
  undoList_->Lock();
  redoList_->Lock();
}

void TCustomSrcEdit::UnlockUndo() {
  undoList_->Unlock();
  redoList_->Unlock();
}

void TCustomSrcEdit::AddFocusControl(QWidget* control) {
  if (control) focusList_.emplace_back(control);
}

void TCustomSrcEdit::RemoveFocusControl(QWidget* control) {
  std::erase_if(focusList_, [control](const QPointer<QWidget>& w) { return w == control || w.isNull(); });
}

void TCustomSrcEdit::RegisterCommandHandler(THookedCommandEvent handler, void* handlerData) {
  extensions_->RegisterCommandHandler(handler, handlerData);
}

void TCustomSrcEdit::UnregisterCommandHandler(THookedCommandEvent handler) {
  extensions_->UnregisterCommandHandler(handler);
}

// ---- event hooks ----

void TCustomSrcEdit::DoChange() {
  if (OnChange) OnChange(this);
}

void TCustomSrcEdit::DoOnClearBookmark(TSrcEditMark*& mark) {
  if (OnClearBookmark) OnClearBookmark(this, mark);
}

void TCustomSrcEdit::DoOnCommandProcessed(TSrcEditorCommand& command, char32_t& ch, void* data) {
  if (OnCommandProcessed) OnCommandProcessed(this, command, ch, data);
}

void TCustomSrcEdit::DoOnPaint(QPainter& painter) {
  if (!OnPaint) return;
  painter.setFont(fontCopy_);
  painter.setBrush(ColorToQColor(color_, palette()));
  OnPaint(this, painter);
}

void TCustomSrcEdit::DoOnPaintTransientEx(TTransientType type, bool lock) {
  const bool fire = paintTransientLock_ == 0 && OnPaintTransient;
  if (lock) {
    if (type == ttBefore)
      ++paintTransientLock_;
    else if (paintTransientLock_ > 0)
      --paintTransientLock_;
  }
  if (fire) OnPaintTransient(this, nullptr, type);
}

void TCustomSrcEdit::DoOnPlaceMark(TSrcEditMark*& mark) {
  if (OnPlaceBookmark) OnPlaceBookmark(this, mark);
}

void TCustomSrcEdit::DoOnProcessCommand(TSrcEditorCommand& command, char32_t& ch, void* data) {
  if (command < ecUserFirst) {
    if (OnProcessCommand) OnProcessCommand(this, command, ch, data);
  } else if (OnProcessUserCommand) {
    OnProcessUserCommand(this, command, ch, data);
  }
}

TSynReplaceAction TCustomSrcEdit::DoOnReplaceText(const std::u32string& search, const std::u32string& replace,
                                                  int line, int column) {
  TSynReplaceAction action = raCancel;
  if (OnReplaceText) OnReplaceText(this, search, replace, line, column, action);
  return action;
}

bool TCustomSrcEdit::DoOnSpecialLineColors(int line, TColor& fg, TColor& bg) {
  bool special = false;
  if (OnSpecialLineColors) OnSpecialLineColors(this, line, special, fg, bg);
  return special;
}

void TCustomSrcEdit::DoContextHelp() {
  if (OnContextHelp) OnContextHelp(this, WordAtCursor());
}

TColor TCustomSrcEdit::ResolveColor(TColor color) const { return ColorToRGB(color, palette()); }

// ---- errors never leave an event handler ----

bool TCustomSrcEdit::GuardedCall(const std::function<void()>& action) noexcept {
  const int undoCount = undoList_->ItemCount();
  const int redoCount = redoList_->ItemCount();
  const int lock = paintLock_;
  try {
    action();
    return true;
  } catch (...) {
  }
  try {
    // Whatever the failed step left open is closed, and what it recorded is taken back.
    while (undoList_->BlockCount() > 0) undoList_->EndBlock();
    while (lines_->UpdateCount() > 0) lines_->EndUpdate();
    if (paintLock_ > lock) {
      paintLock_ = lock + 1;
      DecPaintLock();
    }
    RecoverFromError(undoCount);
    while (redoList_->ItemCount() > redoCount) redoList_->PopItem();
    viewport()->update();
  } catch (...) {
  }
  QApplication::beep();
  return false;
}

void TCustomSrcEdit::RecoverFromError(int undoCountBefore) {
  undoList_->InsideRedo = false;
  while (undoList_->ItemCount() > undoCountBefore) UndoItem();
}

// ---- Qt plumbing ----

void TCustomSrcEdit::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  GuardedCall([&] { SizeOrFontChanged(false); });
}

void TCustomSrcEdit::changeEvent(QEvent* e) {
  QAbstractScrollArea::changeEvent(e);
  if (e->type() == QEvent::FontChange)
    GuardedCall([&] { FontChanged(); });
  else if (e->type() == QEvent::PaletteChange)
    viewport()->update();
}

void TCustomSrcEdit::timerEvent(QTimerEvent* e) {
  if (e->timerId() == caretTimer_.timerId()) {
    caretBlinkOn_ = !caretBlinkOn_;
    UpdateCaretArea();
  } else if (e->timerId() == scrollTimer_.timerId()) {
    GuardedCall([&] { ScrollTimerHandler(); });
  } else {
    QAbstractScrollArea::timerEvent(e);
  }
}

void TCustomSrcEdit::scrollContentsBy(int, int) {
  // The control scrolls itself: the scroll bars only report what the user asks for.
}

bool TCustomSrcEdit::focusNextPrevChild(bool next) {
  if (wantTabs_) return false;
  return QAbstractScrollArea::focusNextPrevChild(next);
}

bool TCustomSrcEdit::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride) {
    // Keys bound to an editor command belong to the editor while it has the focus.
    auto* ke = static_cast<QKeyEvent*>(e);
    if (SrcEditKeyBound(*this, ke)) {
      e->accept();
      return true;
    }
  }
  if (e->type() == QEvent::KeyPress && wantTabs_) {
    auto* ke = static_cast<QKeyEvent*>(e);
    if (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) {
      keyPressEvent(ke);
      return true;
    }
  }
  return QAbstractScrollArea::event(e);
}

}  // namespace qx
