// Painting: the gutter, the text lines with their tokens, selection, special line colours,
// active line and right edge, and the caret; invalidation of lines, and the handlers of the
// buffer's events that decide what to repaint and rescan.
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <climits>

#include "editor/qt/SrcEdit.h"
#include "editor/qt/SrcEditInternal.h"
#include "editor/qt/TextDrawer.h"

namespace qx {

namespace {

bool TokenIsSpaces(std::u32string_view t) {
  for (char32_t c : t)
    if (c != U' ' && c != U'\t') return false;
  return true;
}

constexpr char32_t kPilcrow = 0xB6;     // "¶" at a line end
constexpr char32_t kMiddleDot = 0xB7;   // "·" for a blank
constexpr char32_t kRightGuillemet = 0xBB;  // "»" in a tab

}  // namespace

// One paint of the text area: the per-line colours, the selected columns of each row and
// the accumulator that merges tokens of equal look into one drawing call.
class TSrcEditPainter {
 public:
  TSrcEditPainter(TCustomSrcEdit& ed, QPainter& painter) : ed_(ed), p_(painter), drawer_(*ed.textDrawer_) {}

  void Paint(QRect clip, int firstRow, int lastRow, int firstCol, int lastCol);

 private:
  QColor Q(TColor c) const { return ColorToQColor(c, ed_.palette()); }
  int ColumnToX(int col) const { return (col - 1) * ed_.charWidth_ + ed_.textOffset_; }
  TColor EditorBackground(bool currentLine) const;
  void ComputeSelection();
  void PaintLine(int line);
  void PaintRow(int line, int row, int rowOffset, int rowChars, bool lastRowOfLine);
  void ComputeRowSelection(int row);
  void AddHighlightToken(std::u32string_view text, int col, TColor fg, TColor bg, TFontStyles style);
  void PaintHighlightToken(bool fillToEol);
  void PaintToken(int col1, int col2, TColor fg, TColor bg, TFontStyles style);
  void FillColumns(int col1, int col2, TColor bg);

  TCustomSrcEdit& ed_;
  QPainter& p_;
  TheTextDrawer& drawer_;
  QRect clip_;
  int firstCol_ = 1, lastCol_ = 1;  // visible columns, inclusive
  int rowTop_ = 0;

  // The selection in display positions, when painted.
  bool anySelection_ = false;
  TDisplayPos selStart_, selEnd_;

  // The line being painted.
  std::u32string sLine_;
  int rowOffset_ = 0;
  bool currentLine_ = false;
  bool specialLine_ = false;
  TColor colFG_ = clBlack, colBG_ = clWhite, colSelFG_ = clWhite, colSelBG_ = clBlack;

  // The row being painted: its selected columns [selCol1, selCol2).
  bool lineSelected_ = false;
  bool complexLine_ = false;
  int selCol1_ = 0, selCol2_ = 0;

  // The token accumulator.
  std::u32string tokText_;
  int tokCol_ = 0;
  TColor tokFG_ = clBlack, tokBG_ = clWhite;
  TFontStyles tokStyle_ = 0;
  bool showSpecial_ = false;
};

TColor TSrcEditPainter::EditorBackground(bool currentLine) const {
  if (ed_.activeLineColor_ != clNone && currentLine) return ed_.activeLineColor_;
  if (ed_.highlighter_) {
    const TSynHighlighterAttributes* attr = ed_.highlighter_->GetDefaultAttribute(SYN_ATTR_WHITESPACE);
    if (attr && attr->Background() != clNone) return attr->Background();
  }
  return ed_.color_;
}

void TSrcEditPainter::ComputeSelection() {
  anySelection_ = false;
  if (ed_.hideSelection_ && !ed_.hasFocus()) return;
  TBufferCoord b = ed_.BlockBegin();
  TBufferCoord e = ed_.BlockEnd();
  if (b == e) return;
  if (ed_.activeSelectionMode_ == smColumn && b.Char == e.Char) return;
  selStart_ = ed_.BufferToDisplayPos(b);
  selEnd_ = ed_.BufferToDisplayPos(e);
  if (ed_.activeSelectionMode_ == smColumn && selStart_.Column > selEnd_.Column)
    std::swap(selStart_.Column, selEnd_.Column);
  anySelection_ = true;
}

void TSrcEditPainter::Paint(QRect clip, int firstRow, int lastRow, int firstCol, int lastCol) {
  clip_ = clip;
  firstCol_ = firstCol;
  lastCol_ = lastCol;
  showSpecial_ = ed_.options_.Contains(eoShowSpecialChars);
  const int gw = ed_.gutterWidth_;
  const int clientW = ed_.viewport()->width();
  const int rightEdgeX = ed_.textOffset_ + ed_.rightEdge_ * ed_.charWidth_;
  const bool drawEdge = ed_.rightEdge_ > 0 && rightEdgeX >= clip.left() && rightEdgeX <= clip.left() + clip.width();
  (void)clientW;

  // The two-pixel strip between the gutter and column 1.
  if (gw + 2 > clip.left()) {
    const int x1 = std::max(clip.left(), gw);
    p_.fillRect(QRect(x1, clip.top(), gw + 2 - x1, clip.height()), Q(EditorBackground(false)));
    clip.setLeft(gw + 2);
    clip_ = clip;
  }

  int paintedTo = clip.top();
  const int lineCount = ed_.lines_->Count();
  if (lineCount > 0 && lastRow >= firstRow) {
    ComputeSelection();
    drawer_.BeginDrawing(&p_);
    const int firstLine = ed_.RowToLine(firstRow);
    const int lastLine = std::min(ed_.RowToLine(lastRow), lineCount);
    for (int line = firstLine; line <= lastLine; ++line) PaintLine(line);
    drawer_.EndDrawing();
    const int lastPainted = std::min(lastRow, ed_.DisplayLineCount());
    paintedTo = std::max(clip.top(), (lastPainted - ed_.topLine_ + 1) * ed_.lineHeight_);
  }
  // Below the text.
  if (paintedTo < clip.top() + clip.height())
    p_.fillRect(QRect(clip.left(), paintedTo, clip.width(), clip.top() + clip.height() - paintedTo),
                Q(EditorBackground(false)));
  if (drawEdge) {
    p_.setPen(Q(ed_.rightEdgeColor_));
    p_.drawLine(rightEdgeX, paintedTo, rightEdgeX, clip.top() + clip.height());
  }
}

void TSrcEditPainter::PaintLine(int line) {
  sLine_ = ed_.lines_->ExpandedStrings(line - 1);
  currentLine_ = ed_.caretY_ == line;
  colFG_ = ed_.fontColor_;
  colBG_ = EditorBackground(currentLine_);
  TColor specialFG = colFG_, specialBG = colBG_;
  specialLine_ = ed_.DoOnSpecialLineColors(line, specialFG, specialBG);
  if (specialLine_) {
    if (specialFG != clNone) colFG_ = specialFG;
    if (specialBG != clNone) colBG_ = specialBG;
    colSelFG_ = colBG_;
    colSelBG_ = colFG_;
  } else {
    colSelFG_ = ed_.selectedColor_.Foreground();
    colSelBG_ = ed_.selectedColor_.Background();
  }
  const int textLen = static_cast<int>(sLine_.size());
  if (!ed_.wordWrapPlugin_) {
    PaintRow(line, line, 0, textLen, true);
    return;
  }
  const TSynWordWrapPlugin& wrap = *ed_.wordWrapPlugin_;
  const int first = wrap.LineToFirstRow(line);
  const int last = wrap.LineOffset(line - 1);
  int offset = 0;
  for (int row = first; row <= last; ++row) {
    const int len = wrap.GetRowLength(row);
    if (row >= ed_.topLine_ && row <= ed_.topLine_ + ed_.linesInWindow_)
      PaintRow(line, row, offset, std::min(len, textLen - offset), row == last);
    offset += len;
  }
}

void TSrcEditPainter::ComputeRowSelection(int row) {
  lineSelected_ = false;
  complexLine_ = false;
  selCol1_ = selCol2_ = 0;
  if (!anySelection_ || row < selStart_.Row || row > selEnd_.Row) return;
  int start = firstCol_;
  int end = lastCol_ + 1;
  const TSynSelectionMode mode = ed_.activeSelectionMode_;
  if (mode == smColumn || (mode == smNormal && row == selStart_.Row)) {
    if (selStart_.Column > lastCol_) return;
    if (selStart_.Column > firstCol_) {
      start = selStart_.Column;
      complexLine_ = true;
    }
  }
  if (mode == smColumn || (mode == smNormal && row == selEnd_.Row)) {
    if (selEnd_.Column < firstCol_) {
      complexLine_ = false;
      return;
    }
    if (selEnd_.Column < lastCol_ + 1) {
      end = selEnd_.Column;
      complexLine_ = true;
    }
  }
  if (mode == smColumn) {
    // Fitted to the characters of this line: a tab is selected whole or not at all.
    start = ed_.BufferToDisplayPos(ed_.DisplayToBufferPos({start, row})).Column;
    end = ed_.BufferToDisplayPos(ed_.DisplayToBufferPos({end, row})).Column;
  }
  selCol1_ = start;
  selCol2_ = end;
  if (!complexLine_) lineSelected_ = start < end;
}

void TSrcEditPainter::PaintRow(int line, int row, int rowOffset, int rowChars, bool lastRowOfLine) {
  rowTop_ = (row - ed_.topLine_) * ed_.lineHeight_;
  rowOffset_ = rowOffset;
  ComputeRowSelection(row);
  tokText_.clear();
  const int limit = std::min(lastCol_ + 1, rowChars + 1);  // exclusive, row-relative
  const std::u32string_view text(sLine_);
  TSynCustomHighlighter* hl = ed_.highlighter_;
  bool reachedEol = true;
  int coveredTo = 0;  // characters of the line given to the accumulator or skipped
  if (!hl || !hl->Enabled()) {
    const int from = std::max(firstCol_, 1);
    if (from < limit)
      AddHighlightToken(text.substr(static_cast<std::size_t>(rowOffset + from - 1),
                                    static_cast<std::size_t>(limit - from)),
                        from, colFG_, colBG_, static_cast<TFontStyles>(ed_.fontCopy_.bold() ? fsBold : 0));
    coveredTo = static_cast<int>(sLine_.size());
  } else {
    if (line == 1)
      hl->ResetRange();
    else
      hl->SetRange(ed_.lines_->GetRange(line - 2));
    hl->SetLine(sLine_, line - 1);
    TSynHighlighterAttributes* lastAttr = nullptr;
    while (!hl->GetEol()) {
      const int pos = hl->GetTokenPos();
      const int len = static_cast<int>(hl->GetToken().size());
      TSynHighlighterAttributes* attr = hl->GetTokenAttribute();
      lastAttr = attr;
      coveredTo = pos + len;
      const int col = pos - rowOffset + 1;
      if (col + len <= firstCol_ || len == 0) {
        hl->Next();
        continue;
      }
      if (col >= limit) {
        reachedEol = false;
        break;
      }
      const int c1 = std::max(col, firstCol_);
      const int c2 = std::min(col + len, limit);
      const std::u32string_view piece =
          text.substr(static_cast<std::size_t>(rowOffset + c1 - 1), static_cast<std::size_t>(c2 - c1));
      if (attr)
        AddHighlightToken(piece, c1, attr->Foreground(), attr->Background(), attr->Style());
      else
        AddHighlightToken(piece, c1, colFG_, colBG_, static_cast<TFontStyles>(ed_.fontCopy_.bold() ? fsBold : 0));
      if (col + len > limit) {
        reachedEol = false;
        break;
      }
      hl->Next();
    }
    if (reachedEol) {
      // The rest of the line: a comment that runs on keeps its look, anything else takes
      // the look of white space.
      TSynHighlighterAttributes* restAttr = lastAttr;
      if (lastAttr != hl->GetDefaultAttribute(SYN_ATTR_COMMENT))
        restAttr = hl->GetDefaultAttribute(SYN_ATTR_WHITESPACE);
      const int col = coveredTo - rowOffset + 1;
      const int c1 = std::max(col, firstCol_);
      if (coveredTo < static_cast<int>(sLine_.size()) && c1 < limit) {
        const std::u32string_view piece =
            text.substr(static_cast<std::size_t>(rowOffset + c1 - 1), static_cast<std::size_t>(limit - c1));
        if (restAttr)
          AddHighlightToken(piece, c1, restAttr->Foreground(), restAttr->Background(), restAttr->Style());
        else
          AddHighlightToken(piece, c1, colFG_, colBG_, 0);
      }
    }
  }
  if (showSpecial_ && lastRowOfLine && reachedEol) {
    const int eolCol = rowChars + 1;
    if (eolCol >= firstCol_ && eolCol <= lastCol_) {
      const char32_t pilcrow[1] = {kPilcrow};
      AddHighlightToken(std::u32string_view(pilcrow, 1), eolCol, colFG_, colBG_, 0);
    }
  }
  PaintHighlightToken(true);
  // The right edge through the row.
  const int rightEdgeX = ed_.textOffset_ + ed_.rightEdge_ * ed_.charWidth_;
  if (ed_.rightEdge_ > 0 && rightEdgeX >= clip_.left() && rightEdgeX <= clip_.left() + clip_.width()) {
    p_.setPen(Q(ed_.rightEdgeColor_));
    p_.drawLine(rightEdgeX, rowTop_, rightEdgeX, rowTop_ + ed_.lineHeight_);
  }
}

void TSrcEditPainter::AddHighlightToken(std::u32string_view text, int col, TColor fg, TColor bg,
                                        TFontStyles style) {
  if (text.empty()) return;
  const bool defaultFg = ed_.options_.Contains(eoSpecialLineDefaultFg);
  if (specialLine_) {
    bg = colBG_;
    if (!defaultFg || fg == clNone) fg = colFG_;
  } else {
    if (bg == clNone || (currentLine_ && ed_.activeLineColor_ != clNone)) bg = colBG_;
    if (fg == clNone) fg = colFG_;
  }
  bool append = false;
  if (!tokText_.empty()) {
    const bool blanks = TokenIsSpaces(text);
    const bool sameStyle =
        style == tokStyle_ || (!(style & fsUnderline) && !(tokStyle_ & fsUnderline) && blanks);
    if (sameStyle && col == tokCol_ + static_cast<int>(tokText_.size())) {
      const bool colorsMatter = !((specialLine_ && !defaultFg) || lineSelected_);
      append = !colorsMatter || (bg == tokBG_ && (fg == tokFG_ || blanks));
    }
    if (!append) PaintHighlightToken(false);
  }
  if (append) {
    tokText_.append(text);
    return;
  }
  tokText_.assign(text);
  tokCol_ = col;
  tokFG_ = fg;
  tokBG_ = bg;
  tokStyle_ = style;
}

void TSrcEditPainter::PaintHighlightToken(bool fillToEol) {
  const int tokEnd = tokCol_ + static_cast<int>(tokText_.size());
  if (!tokText_.empty()) {
    const int c1 = std::max(tokCol_, firstCol_);
    const int c2 = std::min(tokEnd, lastCol_ + 1);
    if (c1 < c2) {
      if (!complexLine_) {
        if (lineSelected_)
          PaintToken(c1, c2, colSelFG_, colSelBG_, tokStyle_);
        else
          PaintToken(c1, c2, tokFG_, tokBG_, tokStyle_);
      } else {
        if (c1 < selCol1_) PaintToken(c1, std::min(c2, selCol1_), tokFG_, tokBG_, tokStyle_);
        const int s1 = std::max(c1, selCol1_), s2 = std::min(c2, selCol2_);
        if (s1 < s2) PaintToken(s1, s2, colSelFG_, colSelBG_, tokStyle_);
        if (c2 > selCol2_) PaintToken(std::max(c1, selCol2_), c2, tokFG_, tokBG_, tokStyle_);
      }
    }
  }
  if (fillToEol) {
    const int from = tokText_.empty() ? firstCol_ : std::max(firstCol_, tokEnd);
    const int to = INT_MAX;  // to the right edge of the clip
    if (!complexLine_) {
      FillColumns(from, to, lineSelected_ ? colSelBG_ : colBG_);
    } else {
      FillColumns(from, std::min(to, selCol1_), colBG_);
      FillColumns(std::max(from, selCol1_), selCol2_ > lastCol_ ? to : selCol2_, colSelBG_);
      FillColumns(std::max(from, selCol2_ > lastCol_ ? to : selCol2_), to, colBG_);
    }
  }
  tokText_.clear();
}

void TSrcEditPainter::FillColumns(int col1, int col2, TColor bg) {
  if (col1 >= col2) return;
  const int right = clip_.left() + clip_.width();
  const int x1 = std::max(ColumnToX(col1), clip_.left());
  const int x2 = col2 == INT_MAX ? right : std::min(ColumnToX(col2), right);
  if (x1 >= x2) return;
  p_.fillRect(QRect(x1, rowTop_, x2 - x1, ed_.lineHeight_), Q(bg));
}

void TSrcEditPainter::PaintToken(int col1, int col2, TColor fg, TColor bg, TFontStyles style) {
  std::u32string piece = tokText_.substr(static_cast<std::size_t>(col1 - tokCol_), static_cast<std::size_t>(col2 - col1));
  const int tabWidth = ed_.tabWidth_;
  std::vector<int> tabMarks;
  for (std::size_t i = 0; i < piece.size(); ++i) {
    if (piece[i] == U' ') {
      if (showSpecial_) piece[i] = kMiddleDot;
    } else if (piece[i] == U'\t') {
      piece[i] = U' ';
      if (!showSpecial_ || tabWidth < 2) continue;
      // The tab this cell belongs to runs from its start to the next tab stop.
      const int abs = rowOffset_ + col1 - 1 + static_cast<int>(i);  // 0-based column of the line
      int start = abs;
      while (start > 0 && start % tabWidth != 0 && sLine_[static_cast<std::size_t>(start - 1)] == U'\t') --start;
      int end = abs + 1;
      while (end < static_cast<int>(sLine_.size()) && end % tabWidth != 0 && sLine_[static_cast<std::size_t>(end)] == U'\t')
        ++end;
      if (abs == start + (end - start - 1) / 2) tabMarks.push_back(static_cast<int>(i));
    }
  }
  for (int i : tabMarks) piece[static_cast<std::size_t>(i)] = kRightGuillemet;
  const int x = ColumnToX(col1);
  const QRect rect(x, rowTop_, (col2 - col1) * ed_.charWidth_, ed_.lineHeight_);
  drawer_.SetStyle(style);
  drawer_.SetForeColor(Q(fg));
  drawer_.SetBackColor(Q(bg));
  drawer_.ExtTextOut(x, rowTop_, true, (style & fsItalic) != 0, rect, piece);
}

// ---- the paint entry ----

void TCustomSrcEdit::paintEvent(QPaintEvent* e) {
  // Whatever was asked for is painted now, or will be asked for again.
  pendingCount_ = 0;
  QPainter painter(viewport());
  GuardedCall([&] {
    const QRect clip = e->rect();
    const int clipRight = clip.left() + clip.width();
    const int clipBottom = clip.top() + clip.height();
    int firstCol = leftChar_;
    if (clip.left() > gutterWidth_ + 2) firstCol += (clip.left() - gutterWidth_ - 2) / charWidth_;
    const int lastCol = leftChar_ + (clipRight - gutterWidth_ - 2 + charWidth_ - 1) / charWidth_;
    const int firstRow = std::max(topLine_ + clip.top() / lineHeight_, topLine_);
    const int lastRow = std::clamp(topLine_ + (clipBottom + lineHeight_ - 1) / lineHeight_, 1,
                                   std::max(1, DisplayLineCount()));
    if (clip.left() < gutterWidth_) {
      QRect rc = clip;
      rc.setRight(std::min(clip.right(), gutterWidth_ - 1));
      PaintGutter(painter, rc, firstRow, lastRow);
    }
    if (gutterWidth_ < clipRight) {
      QRect rc = clip;
      rc.setLeft(std::max(clip.left(), gutterWidth_));
      PaintTextLines(painter, rc, firstRow, lastRow, firstCol, lastCol);
    }
    // Paint plug-ins draw on the platform canvas of the values, which a widget paint has not.
    extensions_->DoAfterPaint(nullptr, TRect{clip.left(), clip.top(), clipRight, clipBottom}, RowToLine(firstRow),
                              RowToLine(lastRow));
    DoOnPaint(painter);
    if (paintTransientLock_ == 0 && OnPaintTransient) OnPaintTransient(this, &painter, ttAfter);
    PaintCaret(painter);
  });
}

void TCustomSrcEdit::PaintTextLines(QPainter& painter, QRect clip, int firstRow, int lastRow, int firstCol,
                                    int lastCol) {
  TSrcEditPainter(*this, painter).Paint(clip, firstRow, lastRow, firstCol, lastCol);
}

void TCustomSrcEdit::PaintGutter(QPainter& painter, const QRect& clip, int firstRow, int lastRow) {
  const QPalette& pal = palette();
  const int lineCount = lines_->Count();
  const int firstLine = RowToLine(firstRow);
  const int lastLine = std::min(RowToLine(lastRow), lineCount);
  const int clipBottom = clip.top() + clip.height();
  if (gutter_.Gradient())
    SynDrawGradient(painter, gutter_.GradientStartColor(), gutter_.GradientEndColor(), gutter_.GradientSteps(),
                    QRect(0, 0, gutterWidth_, viewport()->height()), true);
  const QColor brush = ColorToQColor(gutter_.Color(), pal);
  if (gutter_.ShowLineNumbers()) {
    QFont font = gutter_.UseFontStyle() ? gutter_.Font() : fontCopy_;
    if (!gutter_.UseFontStyle()) {
      font.setBold(false);
      font.setItalic(false);
      font.setUnderline(false);
      font.setStrikeOut(false);
    }
    const QFontMetrics fm(font);
    painter.setFont(font);
    painter.setPen(ColorToQColor(gutter_.UseFontStyle() ? gutter_.FontColor() : fontColor_, pal));
    const int lineLeft = clip.left();
    const int lineRight = std::max(clip.left() + clip.width(), gutterWidth_ - 2);
    int prevBottom = clip.top();
    for (int line = firstLine; line <= lastLine; ++line) {
      const int rowTop = (LineToRow(line) - topLine_) * lineHeight_;
      if (wordWrapPlugin_ && !gutter_.Gradient() && rowTop > prevBottom)
        painter.fillRect(QRect(lineLeft, prevBottom, lineRight - lineLeft, rowTop - prevBottom), brush);
      std::u32string text = gutter_.FormatLineNumber(line);
      if (OnGutterGetText) OnGutterGetText(this, line, text);
      const QString qtext = QString::fromStdU32String(text);
      const int w = fm.horizontalAdvance(qtext);
      const int x = gutterWidth_ - gutter_.RightOffset() - 2 - w;
      const int y = rowTop + (lineHeight_ - fm.height()) / 2;
      if (!gutter_.Gradient()) painter.fillRect(QRect(lineLeft, rowTop, lineRight - lineLeft, lineHeight_), brush);
      painter.drawText(x, y + fm.ascent(), qtext);
      prevBottom = rowTop + lineHeight_;
    }
    if (!gutter_.Gradient() && prevBottom < clipBottom)
      painter.fillRect(QRect(lineLeft, prevBottom, lineRight - lineLeft, clipBottom - prevBottom), brush);
  } else if (!gutter_.Gradient()) {
    painter.fillRect(clip, brush);
  }
  // Continuation rows of wrapped lines carry the wrap mark.
  if (wordWrapPlugin_ && wordWrapGlyph_.Visible()) {
    for (int row = firstRow; row <= lastRow && row <= DisplayLineCount(); ++row) {
      if (row == LineToRow(RowToLine(row))) continue;
      wordWrapGlyph_.Draw(painter, gutterWidth_ - gutter_.RightOffset() - 2 - wordWrapGlyph_.Width(),
                          (row - topLine_) * lineHeight_, lineHeight_);
    }
  }
  if (gutter_.BorderStyle() != gbsNone && clip.left() + clip.width() >= gutterWidth_ - 2) {
    const QColor border = ColorToQColor(gutter_.BorderColor(), pal);
    if (gutter_.BorderStyle() == gbsMiddle) {
      painter.setPen(border);
      painter.drawLine(gutterWidth_ - 2, clip.top(), gutterWidth_ - 2, clipBottom);
      painter.setPen(brush);
      painter.drawLine(gutterWidth_ - 1, clip.top(), gutterWidth_ - 1, clipBottom);
    } else {
      painter.setPen(border);
      painter.drawLine(gutterWidth_ - 1, clip.top(), gutterWidth_ - 1, clipBottom);
    }
  }
  // Marks: bookmarks first (or last), then the others, side by side on a row.
  std::vector<int> offsets;
  if (bookMarkOptions_.GlyphsVisible() && marks_->Count() > 0 && lastLine >= firstLine) {
    offsets.assign(static_cast<std::size_t>(lastLine - firstLine + 1), 0);
    auto drawMark = [&](TSrcEditMark* mark) {
      int& offset = offsets[static_cast<std::size_t>(mark->Line() - firstLine)];
      const int rowTop = (LineToRow(mark->Line()) - topLine_) * lineHeight_;
      const TSynImageList* images = bookMarkOptions_.BookmarkImages();
      if (images && !mark->InternalImage()) {
        if (mark->ImageIndex() >= static_cast<int>(images->size())) return;
        if (mark->IsBookmark() == bookMarkOptions_.DrawBookmarksFirst())
          offset = mark->IsBookmark() ? 0 : offset;
        painter.drawPixmap(bookMarkOptions_.LeftMargin() + offset, rowTop,
                           (*images)[static_cast<std::size_t>(mark->ImageIndex())]);
      } else {
        if (mark->ImageIndex() < 0 || mark->ImageIndex() > 9) return;
        if (!internalImage_) internalImage_ = std::make_unique<TSynInternalImage>("SrcEditInternalImages", 10);
        if (offset == 0)
          internalImage_->Draw(painter, mark->ImageIndex(), bookMarkOptions_.LeftMargin() + offset, rowTop,
                               lineHeight_);
      }
      offset += bookMarkOptions_.Xoffset();
    };
    bool otherKind = false;
    for (int i = 0; i < marks_->Count(); ++i) {
      TSrcEditMark* mark = marks_->Items(i);
      if (!mark->Visible() || mark->Line() < firstLine || mark->Line() > lastLine) continue;
      if (mark->IsBookmark() == bookMarkOptions_.DrawBookmarksFirst())
        drawMark(mark);
      else
        otherKind = true;
    }
    if (otherKind)
      for (int i = 0; i < marks_->Count(); ++i) {
        TSrcEditMark* mark = marks_->Items(i);
        if (!mark->Visible() || mark->Line() < firstLine || mark->Line() > lastLine) continue;
        if (mark->IsBookmark() != bookMarkOptions_.DrawBookmarksFirst()) drawMark(mark);
      }
  }
  if (OnGutterPaint)
    for (int line = firstLine; line <= lastLine; ++line) {
      const int x = offsets.empty() ? 0 : offsets[static_cast<std::size_t>(line - firstLine)];
      OnGutterPaint(this, line, x, (LineToRow(line) - topLine_) * lineHeight_);
    }
}

// ---- the caret ----

QRect TCustomSrcEdit::CaretRect() const { return QRect(caretPixel_, caretSize_); }

void TCustomSrcEdit::UpdateCaretArea() { viewport()->update(CaretRect().adjusted(-1, -1, 1, 1)); }

void TCustomSrcEdit::PaintCaret(QPainter& painter) {
  if (!HasState(sfCaretVisible) || !caretBlinkOn_ || options_.Contains(eoNoCaret)) return;
  painter.save();
  painter.setClipRect(QRect(gutterWidth_ + 2, 0, std::max(0, viewport()->width() - gutterWidth_ - 2),
                            viewport()->height()));
  painter.setCompositionMode(QPainter::CompositionMode_Difference);
  painter.fillRect(CaretRect(), Qt::white);
  painter.restore();
}

// ---- invalidation ----

void TCustomSrcEdit::InvalidateRect(const QRect& rect, bool) {
  // A run shows the line of every statement it runs: the same few bands are asked for again
  // and again before the window paints, and each request costs the toolkit a walk up the
  // widget tree. A band already waiting at the same scroll position and size is not asked
  // for twice.
  const std::array<int, 4> vista = {topLine_, leftChar_, viewport()->width(), viewport()->height()};
  if (vista != pendingView_) {
    pendingView_ = vista;
    pendingCount_ = 0;
  }
  const auto fine = pendingRects_.begin() + pendingCount_;
  if (std::find(pendingRects_.begin(), fine, rect) != fine) return;
  if (pendingCount_ < static_cast<int>(pendingRects_.size())) pendingRects_[pendingCount_++] = rect;
  viewport()->update(rect);
}

void TCustomSrcEdit::InvalidateArea(const QRect& rect) {
  if (rect.isEmpty()) return;
  if (HasState(sfLinesChanging))
    invalidateRect_ = invalidateRect_.united(rect);
  else
    InvalidateRect(rect, false);
}

namespace {

// The band of rows first..last (1-based rows, last inclusive) cut to the window.
bool RowBand(int first, int last, int topLine, int linesInWindow, int& y1, int& y2, int lineHeight) {
  first = std::max(first, topLine);
  last = std::min(last, topLine + linesInWindow);
  if (last < first) return false;
  y1 = (first - topLine) * lineHeight;
  y2 = (last - topLine + 1) * lineHeight;
  return true;
}

}  // namespace

static void LinesToRows(const TCustomSrcEdit& ed, int& first, int& last) {
  first = ed.LineToRow(first);
  if (last != INT_MAX) last = ed.LineToRow(last + 1) - 1;
}

void TCustomSrcEdit::InvalidateLines(int firstLine, int lastLine) {
  if (!isVisible()) return;
  if (firstLine == -1 && lastLine == -1) {
    InvalidateArea(QRect(gutterWidth_, 0, viewport()->width() - gutterWidth_, viewport()->height()));
    return;
  }
  firstLine = std::max(firstLine, 1);
  lastLine = std::max(lastLine, 1);
  if (lastLine < firstLine) std::swap(firstLine, lastLine);
  if (lastLine >= lines_->Count()) lastLine = INT_MAX;  // the rest of the window
  if (wordWrapPlugin_) LinesToRows(*this, firstLine, lastLine);
  int y1 = 0, y2 = 0;
  if (RowBand(firstLine, lastLine, topLine_, linesInWindow_, y1, y2, lineHeight_))
    InvalidateArea(QRect(gutterWidth_, y1, viewport()->width() - gutterWidth_, y2 - y1));
}

void TCustomSrcEdit::InvalidateGutterLines(int firstLine, int lastLine) {
  if (!isVisible()) return;
  if (firstLine == -1 && lastLine == -1) {
    InvalidateArea(QRect(0, 0, gutterWidth_, viewport()->height()));
    return;
  }
  firstLine = std::max(firstLine, 1);
  lastLine = std::max(lastLine, 1);
  if (lastLine < firstLine) std::swap(firstLine, lastLine);
  if (lastLine >= lines_->Count()) lastLine = INT_MAX;
  if (wordWrapPlugin_) LinesToRows(*this, firstLine, lastLine);
  int y1 = 0, y2 = 0;
  if (RowBand(firstLine, lastLine, topLine_, linesInWindow_, y1, y2, lineHeight_))
    InvalidateArea(QRect(0, y1, gutterWidth_, y2 - y1));
}

void TCustomSrcEdit::InvalidateLine(int line) {
  if (line < 1 || line > lines_->Count() || !isVisible()) return;
  if (wordWrapPlugin_) {
    InvalidateLines(line, line);
    return;
  }
  if (line >= topLine_ && line <= topLine_ + linesInWindow_)
    InvalidateArea(QRect(gutterWidth_, (line - topLine_) * lineHeight_, viewport()->width() - gutterWidth_,
                         lineHeight_));
}

void TCustomSrcEdit::InvalidateSelection() { InvalidateLines(BlockBegin().Line, BlockEnd().Line); }

// ---- the buffer's events ----

int TCustomSrcEdit::ScanFrom(int index) {
  if (!highlighter_) return index;
  return qx::ScanFrom(*highlighter_, *lines_, index);
}

void TCustomSrcEdit::ListChanging() { IncludeState(sfLinesChanging); }

void TCustomSrcEdit::BufferChanged() {
  ExcludeState(sfLinesChanging);
  UpdateScrollBars();
  const TSynSelectionMode mode = activeSelectionMode_;
  SetBlockBegin(CaretXY());
  activeSelectionMode_ = mode;
  if (!invalidateRect_.isEmpty()) {
    const QRect r = invalidateRect_;
    invalidateRect_ = QRect();
    InvalidateRect(r, false);
  }
  if (gutter_.ShowLineNumbers() && gutter_.AutoSize()) gutter_.AutoSizeDigitCount(lines_->Count());
  if (!options_.Contains(eoScrollPastEof)) SetTopLine(topLine_);
}

void TCustomSrcEdit::ListCleared() {
  trimLines_.clear();
  if (wordWrapPlugin_) wordWrapPlugin_->Reset();
  undoList_->Clear();
  redoList_->Clear();
  invalidateRect_ = QRect();
  viewport()->update();
  SetCaretXY({1, 1});
  SetTopLine(1);
  SetLeftChar(1);
  StatusChanged(scAll);
}

void TCustomSrcEdit::ListDeleted(int index, int count) {
  std::erase_if(trimLines_, [&](int i) { return i >= index && i < index + count; });
  for (int& i : trimLines_)
    if (i >= index + count) i -= count;
  if (highlighter_ && lines_->Count() > 0) ScanFrom(index);
  if (wordWrapPlugin_) wordWrapPlugin_->LinesDeleted(index, count);
  InvalidateLines(index + 1, INT_MAX);
  InvalidateGutterLines(index + 1, INT_MAX);
}

void TCustomSrcEdit::ListInserted(int index, int count) {
  for (int& i : trimLines_)
    if (i >= index) i += count;
  if (highlighter_ && lines_->Count() > 0) {
    int from = index;
    for (;;) {
      const int scanned = ScanFrom(from);
      if (scanned >= index + count - 1 || scanned + 1 >= lines_->Count()) break;
      from = scanned + 1;
    }
  }
  if (wordWrapPlugin_) wordWrapPlugin_->LinesInserted(index, count);
  InvalidateLines(index + 1, INT_MAX);
  InvalidateGutterLines(index + 1, INT_MAX);
  if (options_.Contains(eoAutoSizeMaxScrollWidth))
    for (int i = index; i < index + count; ++i) {
      const int len = lines_->ExpandedStringLengths(i);
      if (len > maxScrollWidth_) SetMaxScrollWidth(len);
    }
}

void TCustomSrcEdit::ListPutted(int index, int count) {
  int endLine = index + 1;
  if (wordWrapPlugin_) {
    if (wordWrapPlugin_->LinesPutted(index, count) != 0) endLine = INT_MAX;
    InvalidateGutterLines(index + 1, endLine);
  }
  if (highlighter_) endLine = std::max(endLine, ScanFrom(index) + 1);
  InvalidateLines(index + 1, endLine);
  if (options_.Contains(eoAutoSizeMaxScrollWidth)) {
    const int len = lines_->ExpandedStringLengths(index);
    if (len > maxScrollWidth_) SetMaxScrollWidth(len);
  }
}

}  // namespace qx
