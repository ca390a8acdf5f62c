// The caret, the coordinates, the window onto the text (top line, left char) and the
// scroll bars: conversions between pixels, display positions and buffer positions, the
// clamping caret setters, scrolling the caret into view, the scroll-bar actions with the
// line-number hint, and the timer that scrolls while the mouse selects beyond the window.
#include <QApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <climits>
#include <cmath>

#include "editor/TabExpansion.h"
#include "editor/qt/SrcEdit.h"
#include "editor/qt/SrcEditInternal.h"

namespace qx {

// ---- positions ----

int TCustomSrcEdit::DisplayLineCount() const {
  return wordWrapPlugin_ ? wordWrapPlugin_->RowCount() : lines_->Count();
}

int TCustomSrcEdit::RowToLine(int row) const { return wordWrapPlugin_ ? wordWrapPlugin_->RowToLine(row) : row; }

int TCustomSrcEdit::LineToRow(int line) const {
  return wordWrapPlugin_ ? wordWrapPlugin_->LineToFirstRow(line) : line;
}

TDisplayPos TCustomSrcEdit::BufferToDisplayPos(const TBufferCoord& p) const {
  int column = p.Char;
  if (p.Line >= 1 && p.Line <= lines_->Count() && lines_->HasTab(p.Line - 1))
    column = CharIndex2CaretPos(p.Char, tabWidth_, lines_->Get(p.Line - 1));
  if (wordWrapPlugin_) return wordWrapPlugin_->BufferToDisplayPos({column, p.Line});
  return {column, p.Line};
}

TBufferCoord TCustomSrcEdit::DisplayToBufferPos(const TDisplayPos& p) const {
  TBufferCoord b = wordWrapPlugin_ ? wordWrapPlugin_->DisplayToBufferPos(p) : TBufferCoord{p.Column, p.Row};
  if (b.Line < 1 || b.Line > lines_->Count() || tabWidth_ < 2 || !lines_->HasTab(b.Line - 1)) return b;
  const std::u32string s = lines_->Get(b.Line - 1);
  // A column inside a tab's cells stands before the tab.
  const int target = b.Char - 1;
  int col = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const int width = s[i] == U'\t' ? tabWidth_ - col % tabWidth_ : 1;
    if (target < col + width) return {static_cast<int>(i) + 1, b.Line};
    col += width;
  }
  return {static_cast<int>(s.size()) + 1 + (target - col), b.Line};
}

TDisplayPos TCustomSrcEdit::DisplayXY() const {
  TDisplayPos d = BufferToDisplayPos(CaretXY());
  if (wordWrapPlugin_ && caretAtEOL_ && d.Column == 1 && d.Row > 1)
    d = {wordWrapPlugin_->GetRowLength(d.Row - 1) + 1, d.Row - 1};
  return d;
}

TDisplayPos TCustomSrcEdit::PixelsToRowColumn(int x, int y) const {
  return {std::max(1, (x - gutterWidth_ - 2) / charWidth_ + leftChar_), std::max(1, y / lineHeight_ + topLine_)};
}

TDisplayPos TCustomSrcEdit::PixelsToNearestRowColumn(int x, int y) const {
  // Halves round to even, as the platform's rounding does.
  const double cells = static_cast<double>(x - gutterWidth_ - 2) / charWidth_;
  const int column = std::max(1, leftChar_ + static_cast<int>(std::nearbyint(cells)));
  y = std::max(0, std::min(y, linesInWindow_ * lineHeight_ - 1));
  return {column, std::max(1, y / lineHeight_ + topLine_)};
}

QPoint TCustomSrcEdit::RowColumnToPixels(const TDisplayPos& p) const {
  return {(p.Column - 1) * charWidth_ + textOffset_, (p.Row - topLine_) * lineHeight_};
}

void TCustomSrcEdit::ComputeCaret(int x, int y) {
  TPaintLockGuard lock(*this);
  TDisplayPos d = PixelsToNearestRowColumn(x, y);
  d.Row = std::clamp(d.Row, 1, std::max(1, DisplayLineCount()));
  SetInternalCaretXY(DisplayToBufferPos(d));
}

// ---- caret setters ----

void TCustomSrcEdit::SetCaretXYEx(bool callEnsureCursorPos, TBufferCoord value) {
  caretAtEOL_ = false;
  DoOnPaintTransient(ttBefore);
  int maxX = wordWrapPlugin_ ? INT_MAX : maxScrollWidth_ + 1;
  const bool pastEol = options_.Contains(eoScrollPastEol);
  if (value.Line > lines_->Count()) value.Line = lines_->Count();
  if (value.Line < 1) {
    value.Line = 1;
    if (!pastEol) maxX = 1;
  } else if (!pastEol) {
    maxX = lines_->Length(value.Line - 1) + 1;
  }
  if (value.Char > maxX && !(pastEol && options_.Contains(eoAutoSizeMaxScrollWidth))) value.Char = maxX;
  if (value.Char < 1) value.Char = 1;
  if (value.Char == caretX_ && value.Line == caretY_) {
    lastCaretX_ = DisplayX();
  } else {
    TPaintLockGuard lock(*this);
    if (value.Char != caretX_) {
      caretX_ = value.Char;
      StatusChanged(scCaretX);
    }
    if (value.Line != caretY_) {
      if (activeLineColor_ != clNone) {
        InvalidateLine(value.Line);
        InvalidateLine(caretY_);
      }
      caretY_ = value.Line;
      StatusChanged(scCaretY);
    }
    lastCaretX_ = DisplayX();
    if (callEnsureCursorPos) EnsureCursorPosVisible();
    IncludeState(sfCaretChanged);
    IncludeState(sfScrollbarChanged);
  }
  DoOnPaintTransient(ttAfter);
}

void TCustomSrcEdit::SetInternalCaretXY(const TBufferCoord& value) { SetCaretXYEx(true, value); }

void TCustomSrcEdit::SetCaretXY(const TBufferCoord& value) {
  TPaintLockGuard lock(*this);
  StatusChanged(scSelection);
  SetCaretXYEx(true, value);
  if (SelAvail()) InvalidateSelection();
  blockBegin_ = blockEnd_ = CaretXY();
}

void TCustomSrcEdit::SetCaretX(int value) { SetInternalCaretXY({value, caretY_}); }
void TCustomSrcEdit::SetCaretY(int value) { SetInternalCaretXY({caretX_, value}); }

bool TCustomSrcEdit::CaretInView() const {
  const TDisplayPos d = DisplayXY();
  return d.Column >= leftChar_ && d.Column <= leftChar_ + charsInWindow_ && d.Row >= topLine_ &&
         d.Row <= topLine_ + linesInWindow_;
}

void TCustomSrcEdit::EnsureCursorPosVisibleEx(bool forceToMiddle) {
  TPaintLockGuard lock(*this);
  const TDisplayPos d = DisplayXY();
  if (d.Column < leftChar_)
    SetLeftChar(d.Column);
  else if (charsInWindow_ >= 1 && d.Column >= leftChar_ + charsInWindow_)
    SetLeftChar(d.Column - charsInWindow_ + 1);
  else
    SetLeftChar(leftChar_);
  if (forceToMiddle) {
    // A row just above the window is not in view either: it is centred like the others.
    if (d.Row < topLine_)
      SetTopLine(std::max(1, d.Row - linesInWindow_ / 2 + 1));
    else if (d.Row > topLine_ + linesInWindow_ - 2)
      SetTopLine(d.Row - (linesInWindow_ - 1) + linesInWindow_ / 2);
  } else if (d.Row < topLine_) {
    SetTopLine(d.Row);
  } else if (d.Row > topLine_ + std::max(1, linesInWindow_) - 1) {
    SetTopLine(d.Row - (linesInWindow_ - 1));
  } else {
    SetTopLine(topLine_);
  }
}

// ---- the window ----

void TCustomSrcEdit::ScrollWindowArea(int dx, int dy) {
  // Our caret is painted with the text: its old picture moves with the pixels.
  const QRect oldCaret = CaretRect().adjusted(-1, -1, 1, 1);
  const QRect area = dx != 0 ? QRect(gutterWidth_ + 2, 0, viewport()->width() - gutterWidth_ - 2, viewport()->height())
                             : viewport()->rect();
  viewport()->scroll(dx, dy, area);
  // The rows a change of the text is still collecting were measured from the old top line
  // (a paste scrolls before the buffer's update ends): they move with the pixels, as the
  // toolkit moves the bands already asked for. The bands are whole rows, which a sideways
  // scroll leaves where they are.
  if (dy != 0 && !invalidateRect_.isEmpty()) invalidateRect_.translate(0, dy);
  viewport()->update(oldCaret.translated(dx, dy));
  viewport()->update(oldCaret);
}

void TCustomSrcEdit::SetLeftChar(int value) {
  if (wordWrapPlugin_) value = 1;
  int bound;
  if (!options_.Contains(eoScrollPastEol)) {
    const int longest = lines_->LengthOfLongestLine();
    bound = longest > charsInWindow_ ? longest - charsInWindow_ + 1 : 1;
  } else if (options_.Contains(eoAutoSizeMaxScrollWidth)) {
    bound = INT_MAX - charsInWindow_;
  } else {
    bound = maxScrollWidth_ - charsInWindow_ + 1;
  }
  value = std::clamp(value, 1, std::max(1, bound));
  if (value == leftChar_) return;
  const int delta = leftChar_ - value;
  leftChar_ = value;
  textOffset_ = gutterWidth_ + 2 - (leftChar_ - 1) * charWidth_;
  if (std::abs(delta) < charsInWindow_)
    ScrollWindowArea(delta * charWidth_, 0);
  else
    viewport()->update(QRect(gutterWidth_ + 2, 0, viewport()->width() - gutterWidth_ - 2, viewport()->height()));
  if (options_.Contains(eoAutoSizeMaxScrollWidth) && options_.Contains(eoScrollPastEol) &&
      leftChar_ + charsInWindow_ > maxScrollWidth_)
    SetMaxScrollWidth(leftChar_ + charsInWindow_);
  else
    UpdateScrollBars();
  IncludeState(sfCaretChanged);
  if (paintLock_ == 0) UpdateCaret();
  StatusChanged(scLeftChar);
}

void TCustomSrcEdit::SetTopLine(int value) {
  int bound = DisplayLineCount();
  if (!options_.Contains(eoScrollPastEof)) bound -= linesInWindow_ - 1;
  value = std::clamp(value, 1, std::max(1, bound));
  if (value == topLine_) return;
  const int delta = topLine_ - value;
  topLine_ = value;
  if (std::abs(delta) < linesInWindow_)
    ScrollWindowArea(0, delta * lineHeight_);
  else
    viewport()->update();
  UpdateScrollBars();
  IncludeState(sfCaretChanged);
  if (paintLock_ == 0) UpdateCaret();
  StatusChanged(scTopLine);
}

// ---- the caret's picture ----

void TCustomSrcEdit::InitializeCaret() {
  const TSrcEditCaretType type = inserting_ ? insertCaret_ : overwriteCaret_;
  UpdateCaretArea();
  switch (type) {
    case ctHorizontalLine:
      caretSize_ = QSize(charWidth_, 2);
      caretOffset_ = QPoint(0, lineHeight_ - 2);
      break;
    case ctHalfBlock:
      caretSize_ = QSize(charWidth_, (lineHeight_ - 2) / 2);
      caretOffset_ = QPoint(0, (lineHeight_ - 2) / 2);
      break;
    case ctBlock:
      caretSize_ = QSize(charWidth_, lineHeight_ - 2);
      caretOffset_ = QPoint(0, 0);
      break;
    case ctVerticalLine:
      caretSize_ = QSize(2, lineHeight_ - 2);
      caretOffset_ = QPoint(-1, 0);
      break;
  }
  ExcludeState(sfCaretVisible);
  caretTimer_.stop();
  if (hasFocus() || alwaysShowCaret_) UpdateCaret();
}

void TCustomSrcEdit::UpdateCaret() {
  if (paintLock_ != 0 || (!hasFocus() && !alwaysShowCaret_)) {
    IncludeState(sfCaretChanged);
    return;
  }
  ExcludeState(sfCaretChanged);
  TDisplayPos d = DisplayXY();
  if (wordWrapPlugin_ && d.Column > charsInWindow_ + 1) d.Column = charsInWindow_ + 1;
  const QPoint pt = RowColumnToPixels(d) + caretOffset_ + QPoint(0, 1);
  UpdateCaretArea();
  caretPixel_ = pt;
  const QRect textArea(gutterWidth_, 0, viewport()->width() - gutterWidth_, viewport()->height());
  if (!textArea.contains(pt))
    HideCaret();
  else
    ShowCaret();
  caretBlinkOn_ = true;
  if (caretTimer_.isActive()) caretTimer_.start(QApplication::cursorFlashTime() / 2, this);
  UpdateCaretArea();
  if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void TCustomSrcEdit::ShowCaret() {
  if (options_.Contains(eoNoCaret) || HasState(sfCaretVisible)) return;
  IncludeState(sfCaretVisible);
  caretBlinkOn_ = true;
  if (QApplication::cursorFlashTime() > 0) caretTimer_.start(QApplication::cursorFlashTime() / 2, this);
  UpdateCaretArea();
}

void TCustomSrcEdit::HideCaret() {
  if (!HasState(sfCaretVisible)) return;
  ExcludeState(sfCaretVisible);
  caretTimer_.stop();
  UpdateCaretArea();
}

// ---- the scroll bars ----

namespace {

void SetPolicy(QAbstractScrollArea& area, bool vertical, Qt::ScrollBarPolicy policy) {
  if (vertical) {
    if (area.verticalScrollBarPolicy() != policy) area.setVerticalScrollBarPolicy(policy);
  } else if (area.horizontalScrollBarPolicy() != policy) {
    area.setHorizontalScrollBarPolicy(policy);
  }
}

// One bar of the platform's 1-based range of maximum items with a page and a position.
void SetBar(QAbstractScrollArea& area, QScrollBar* bar, bool vertical, int maximum, int page, int position,
            bool hideShow, bool atStart, bool fits) {
  page = std::max(page, 1);
  bar->setRange(1, std::max(1, maximum - page + 1));
  bar->setPageStep(page);
  bar->setSingleStep(1);
  bar->setValue(position);
  if (hideShow) {
    SetPolicy(area, vertical, maximum > page ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  } else {
    SetPolicy(area, vertical, Qt::ScrollBarAlwaysOn);
    bar->setEnabled(!(atStart && fits));
  }
}

}  // namespace

void TCustomSrcEdit::UpdateScrollBars() {
  if (paintLock_ != 0) {
    IncludeState(sfScrollbarChanged);
    return;
  }
  if (updatingScrollBars_) return;
  ExcludeState(sfScrollbarChanged);
  updatingScrollBars_ = true;
  const bool hideShow = options_.Contains(eoHideShowScrollbars);
  if ((scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && !wordWrapPlugin_) {
    const int longest = lines_->LengthOfLongestLine();
    const int maximum = options_.Contains(eoScrollPastEol) ? maxScrollWidth_ : std::max(longest, 1);
    SetBar(*this, horizontalScrollBar(), false, maximum, charsInWindow_, leftChar_, hideShow, leftChar_ < 2,
           longest <= charsInWindow_);
  } else {
    SetPolicy(*this, false, Qt::ScrollBarAlwaysOff);
  }
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) {
    int maximum = DisplayLineCount();
    if (options_.Contains(eoScrollPastEof)) maximum += linesInWindow_ - 1;
    SetBar(*this, verticalScrollBar(), true, std::max(1, maximum), linesInWindow_, topLine_, hideShow, topLine_ < 2,
           DisplayLineCount() - topLine_ - linesInWindow_ + 1 <= 0);
  } else {
    SetPolicy(*this, true, Qt::ScrollBarAlwaysOff);
  }
  updatingScrollBars_ = false;
}

namespace {

// One hint window for every editor of the program.
QPointer<QLabel>& HintPointer() {
  static QPointer<QLabel> hint;
  return hint;
}

QLabel* EnsureScrollHint() {
  QPointer<QLabel>& hint = HintPointer();
  if (!hint) {
    hint = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    hint->setObjectName(QStringLiteral("SrcEditScrollHint"));
    hint->setMargin(2);
    hint->setAutoFillBackground(true);
    hint->setFrameStyle(QFrame::Box | QFrame::Plain);
  }
  return hint.data();
}

}  // namespace

QLabel* TCustomSrcEdit::ScrollHintWindow() { return HintPointer().data(); }

void TCustomSrcEdit::ShowScrollHint(int) {
  QLabel* hint = EnsureScrollHint();
  QPalette pal = hint->palette();
  pal.setColor(QPalette::Window, ColorToQColor(scrollHintColor_, palette()));
  hint->setPalette(pal);
  QString text;
  if (scrollHintFormat_ == shfTopToBottom) {
    const int lastRow = topLine_ + std::min(linesInWindow_, DisplayLineCount() - topLine_);
    text = QStringLiteral("%1 - %2").arg(RowToLine(topLine_)).arg(RowToLine(lastRow));
  } else {
    text = QStringLiteral("Top Line: %1").arg(RowToLine(topLine_));
  }
  hint->setText(text);
  hint->setMaximumWidth(200);
  hint->adjustSize();
  QPoint at;
  if (options_.Contains(eoScrollHintFollows)) {
    QScrollBar* bar = verticalScrollBar();
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.orientation = Qt::Vertical;
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.pageStep = bar->pageStep();
    const QRect thumb = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar);
    at = bar->mapToGlobal(QPoint(-hint->width() - 4, thumb.top()));
  } else {
    at = viewport()->mapToGlobal(QPoint(viewport()->width() - 4 - hint->width(), 10));
  }
  hint->move(at);
  hint->show();
}

void TCustomSrcEdit::ScrollBarAction(TScrollBarKind bar, int action) {
  if (updatingScrollBars_) return;
  GuardedCall([&] {
    QScrollBar* sb = bar == sbVertical ? verticalScrollBar() : horizontalScrollBar();
    const int less = options_.Contains(eoScrollByOneLess) ? 1 : 0;
    if (bar == sbHorizontal) {
      switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: SetLeftChar(leftChar_ + 1); break;
        case QAbstractSlider::SliderSingleStepSub: SetLeftChar(leftChar_ - 1); break;
        case QAbstractSlider::SliderPageStepAdd: SetLeftChar(leftChar_ + charsInWindow_ - less); break;
        case QAbstractSlider::SliderPageStepSub: SetLeftChar(leftChar_ - charsInWindow_ + less); break;
        case QAbstractSlider::SliderMove:
          isScrolling_ = true;
          SetLeftChar(sb->sliderPosition());
          break;
        case QAbstractSlider::SliderToMinimum: SetLeftChar(1); break;
        case QAbstractSlider::SliderToMaximum:
          SetLeftChar(options_.Contains(eoScrollPastEol) ? maxScrollWidth_ - charsInWindow_ + 1
                                                         : lines_->LengthOfLongestLine());
          break;
        default: break;
      }
    } else {
      switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: SetTopLine(topLine_ + 1); break;
        case QAbstractSlider::SliderSingleStepSub: SetTopLine(topLine_ - 1); break;
        case QAbstractSlider::SliderPageStepAdd: SetTopLine(topLine_ + linesInWindow_ - less); break;
        case QAbstractSlider::SliderPageStepSub: SetTopLine(topLine_ - linesInWindow_ + less); break;
        case QAbstractSlider::SliderMove:
          isScrolling_ = true;
          SetTopLine(sb->sliderPosition());
          if (options_.Contains(eoShowScrollHint)) ShowScrollHint(sb->sliderPosition());
          break;
        case QAbstractSlider::SliderToMinimum: SetTopLine(1); break;
        case QAbstractSlider::SliderToMaximum: SetTopLine(DisplayLineCount()); break;
        default: break;
      }
    }
    // Qt applies the slider position after this: make it ours.
    updatingScrollBars_ = true;
    sb->setSliderPosition(bar == sbVertical ? topLine_ : leftChar_);
    updatingScrollBars_ = false;
    if (OnScroll) OnScroll(this, bar);
  });
}

void TCustomSrcEdit::ScrollBarReleased(TScrollBarKind bar) {
  isScrolling_ = false;
  if (bar == sbVertical && options_.Contains(eoShowScrollHint))
    if (QLabel* hint = EnsureScrollHint()) hint->hide();
}

// ---- auto-scroll while selecting ----

void TCustomSrcEdit::ComputeScroll(int x, int y) {
  if (!mouseCaptured_ && !isScrolling_) {
    scrollTimer_.stop();
    return;
  }
  QRect text(gutterWidth_, 0, charsInWindow_ * charWidth_, linesInWindow_ * lineHeight_);
  if (borderStyle_ == bsNone) text.adjust(2, 2, -2, -2);
  const int left = text.left(), right = text.left() + text.width();
  const int top = text.top(), bottom = text.top() + text.height();
  if (x < left)
    scrollDeltaX_ = (x - left) / charWidth_ - 1;
  else if (x >= right)
    scrollDeltaX_ = (x - right) / charWidth_ + 1;
  else
    scrollDeltaX_ = 0;
  if (y < top)
    scrollDeltaY_ = (y - top) / lineHeight_ - 1;
  else if (y >= bottom)
    scrollDeltaY_ = (y - bottom) / lineHeight_ + 1;
  else
    scrollDeltaY_ = 0;
  if (scrollDeltaX_ != 0 || scrollDeltaY_ != 0) {
    if (!scrollTimer_.isActive()) scrollTimer_.start(100, this);
  } else {
    scrollTimer_.stop();
  }
}

void TCustomSrcEdit::ScrollTimerHandler() {
  const QPoint pt = viewport()->mapFromGlobal(QCursor::pos());
  TDisplayPos d = PixelsToRowColumn(pt.x(), pt.y());
  d.Row = std::clamp(d.Row, 1, std::max(1, DisplayLineCount()));
  if (scrollDeltaX_ != 0) {
    SetLeftChar(leftChar_ + scrollDeltaX_);
    d.Column = leftChar_;
    if (scrollDeltaX_ > 0) d.Column += charsInWindow_;
  }
  if (scrollDeltaY_ != 0) {
    if (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier)
      SetTopLine(topLine_ + scrollDeltaY_ * linesInWindow_);
    else
      SetTopLine(topLine_ + scrollDeltaY_);
    d.Row = topLine_;
    if (scrollDeltaY_ > 0) d.Row = std::min(d.Row + linesInWindow_ - 1, std::max(1, DisplayLineCount()));
  }
  const TBufferCoord pos = DisplayToBufferPos(d);
  if (pos != CaretXY()) {
    TPaintLockGuard lock(*this);
    SetInternalCaretXY(pos);
    if (mouseCaptured_) SetBlockEnd(CaretXY());
  }
  ComputeScroll(pt.x(), pt.y());
}

}  // namespace qx
