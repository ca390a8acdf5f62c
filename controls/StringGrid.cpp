#include "controls/StringGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>

#include "controls/Edges.h"
#include "controls/Guarded.h"
#include "controls/ToolkitColors.h"

namespace qx {

// ---- TInplaceEdit ----

TInplaceEdit::TInplaceEdit(TStringGrid* grid) : QPlainTextEdit(grid->viewport()), grid_(grid) {
  setFrameStyle(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabChangesFocus(false);
  document()->setDocumentMargin(1);
  hide();
  QObject::connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (isVisible()) grid_->SetEditText(grid_->Col(), grid_->Row(), toPlainText());
  });
}

void TInplaceEdit::SetMultiline(bool value) {
  multiline_ = value;
  setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TInplaceEdit::SetText(const QString& text) {
  const QSignalBlocker quiet(this);
  setPlainText(text);
}

void TInplaceEdit::SetTextAlignment(Qt::Alignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  const QTextCursor keep = textCursor();
  QTextOption option = document()->defaultTextOption();
  option.setAlignment(alignment);
  document()->setDefaultTextOption(option);
  setTextCursor(keep);
}

bool TInplaceEdit::event(QEvent* event) {
  return Guarded(
      [&] {
        // Tab belongs to the grid, never to the text.
        if (event->type() == QEvent::KeyPress) {
          auto* key = static_cast<QKeyEvent*>(event);
          if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            grid_->EditorKeyPress(key);
            return true;
          }
        }
        return QPlainTextEdit::event(event);
      },
      true);
}

void TInplaceEdit::keyPressEvent(QKeyEvent* event) {
  const QTextCursor c = textCursor();
  const bool atStart = !c.hasSelection() && c.position() == 0;
  const bool atEnd = !c.hasSelection() && c.position() == document()->characterCount() - 1;
  bool toGrid = false;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      toGrid = true;
      break;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      toGrid = !multiline_;
      break;
    case Qt::Key_Left:
      toGrid = !multiline_ && (atStart || (event->modifiers() & Qt::ControlModifier));
      break;
    case Qt::Key_Right:
      toGrid = !multiline_ && (atEnd || (event->modifiers() & Qt::ControlModifier));
      break;
    default:
      break;
  }
  if (toGrid && grid_->EditorKeyPress(event)) return;
  if (!multiline_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) return;
  QPlainTextEdit::keyPressEvent(event);
}

void TInplaceEdit::insertFromMimeData(const QMimeData* source) {
  if (multiline_ || !source->hasText()) {
    QPlainTextEdit::insertFromMimeData(source);
    return;
  }
  // One line: the line breaks of a pasted text go.
  QString text = source->text();
  text.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  insertPlainText(text);
}

// ---- TStringGrid ----

TStringGrid::TStringGrid(QWidget* owner) : QAbstractScrollArea(owner) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  Resize(5, 5);
  resize(320, 120);
  UpdateScrollBars();
}

TStringGrid::~TStringGrid() = default;

void TStringGrid::Resize(int cols, int rows) {
  const int oldCols = colCount_, oldRows = rowCount_;
  colCount_ = std::max(cols, 1);
  rowCount_ = std::max(rows, 1);
  cells_.resize(std::size_t(rowCount_));
  objects_.resize(std::size_t(rowCount_));
  for (auto& row : cells_) row.resize(std::size_t(colCount_));
  for (auto& row : objects_) row.resize(std::size_t(colCount_));
  colWidths_.resize(std::size_t(colCount_), defaultColWidth_);
  rowHeights_.resize(std::size_t(rowCount_), defaultRowHeight_);
  tabStops_.resize(std::size_t(colCount_), 1);
  fixedCols_ = std::min(fixedCols_, colCount_ - 1);
  fixedRows_ = std::min(fixedRows_, rowCount_ - 1);
  col_ = std::clamp(col_, fixedCols_, colCount_ - 1);
  row_ = std::clamp(row_, fixedRows_, rowCount_ - 1);
  anchorCol_ = std::clamp(anchorCol_, fixedCols_, colCount_ - 1);
  anchorRow_ = std::clamp(anchorRow_, fixedRows_, rowCount_ - 1);
  topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, LastTopRow()));
  leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(fixedCols_, LastLeftCol()));
  if (oldCols != colCount_ || oldRows != rowCount_) SizeChanged(oldCols, oldRows);
  Relayout();
}

void TStringGrid::SetColCount(int value) { Resize(value, rowCount_); }
void TStringGrid::SetRowCount(int value) { Resize(colCount_, value); }

void TStringGrid::SetFixedCols(int value) {
  if (value < 0 || value >= colCount_) throw std::invalid_argument("Fixed column count must be less than column count");
  fixedCols_ = value;
  col_ = std::max(col_, fixedCols_);
  anchorCol_ = std::max(anchorCol_, fixedCols_);
  leftCol_ = std::max(leftCol_, fixedCols_);
  UpdateScrollBars();
  viewport()->update();
}

void TStringGrid::SetFixedRows(int value) {
  if (value < 0 || value >= rowCount_) throw std::invalid_argument("Fixed row count must be less than row count");
  fixedRows_ = value;
  row_ = std::max(row_, fixedRows_);
  anchorRow_ = std::max(anchorRow_, fixedRows_);
  topRow_ = std::max(topRow_, fixedRows_);
  UpdateScrollBars();
  viewport()->update();
}

void TStringGrid::SetDefaultColWidth(int value) {
  defaultColWidth_ = value;
  std::fill(colWidths_.begin(), colWidths_.end(), value);
  ColWidthsChanged();
  Relayout();
}

void TStringGrid::SetDefaultRowHeight(int value) {
  defaultRowHeight_ = value;
  std::fill(rowHeights_.begin(), rowHeights_.end(), value);
  RowHeightsChanged();
  Relayout();
}

int TStringGrid::ColWidths(int col) const {
  return col >= 0 && col < colCount_ ? colWidths_[std::size_t(col)] : defaultColWidth_;
}

void TStringGrid::SetColWidths(int col, int width) {
  if (col < 0 || col >= colCount_ || colWidths_[std::size_t(col)] == width) return;
  colWidths_[std::size_t(col)] = std::max(width, 0);
  ColWidthsChanged();
  Relayout();
}

int TStringGrid::RowHeights(int row) const {
  return row >= 0 && row < rowCount_ ? rowHeights_[std::size_t(row)] : defaultRowHeight_;
}

void TStringGrid::SetRowHeights(int row, int height) {
  if (row < 0 || row >= rowCount_ || rowHeights_[std::size_t(row)] == height) return;
  rowHeights_[std::size_t(row)] = std::max(height, 0);
  RowHeightsChanged();
  Relayout();
}

void TStringGrid::SetGridLineWidth(int value) {
  gridLineWidth_ = std::max(value, 0);
  Relayout();
}

void TStringGrid::SetOptions(TGridOptions options) {
  options_ = options;
  const bool tracking = (options_ & goThumbTracking) != 0;
  verticalScrollBar()->setTracking(tracking);
  horizontalScrollBar()->setTracking(tracking);
  if (options_ & goAlwaysShowEditor) {
    ShowEditor();
  } else if (!(options_ & goEditing)) {
    HideEditor();
  }
  UpdateScrollBars();
  viewport()->update();
}

void TStringGrid::SetColor(TColor color) {
  color_ = color;
  viewport()->update();
}

void TStringGrid::SetFixedColor(TColor color) {
  fixedColor_ = color;
  viewport()->update();
}

void TStringGrid::SetDefaultDrawing(bool value) {
  defaultDrawing_ = value;
  viewport()->update();
}

bool TStringGrid::TabStops(int col) const { return col >= 0 && col < colCount_ && tabStops_[std::size_t(col)] != 0; }

void TStringGrid::SetTabStops(int col, bool value) {
  if (col >= 0 && col < colCount_) tabStops_[std::size_t(col)] = value ? 1 : 0;
}

int TStringGrid::VertLineGap() const { return (options_ & (goFixedVertLine | goVertLine)) ? gridLineWidth_ : 0; }
int TStringGrid::HorzLineGap() const { return (options_ & (goFixedHorzLine | goHorzLine)) ? gridLineWidth_ : 0; }

QString TStringGrid::Cells(int col, int row) const {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return {};
  return cells_[std::size_t(row)][std::size_t(col)];
}

void TStringGrid::SetCells(int col, int row, const QString& text) {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return;
  cells_[std::size_t(row)][std::size_t(col)] = text;
  if (EditorVisible() && col == col_ && row == row_ && editor_->Text() != text) editor_->SetText(text);
  viewport()->update();
}

QVariant TStringGrid::Objects(int col, int row) const {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return {};
  return objects_[std::size_t(row)][std::size_t(col)];
}

void TStringGrid::SetObjects(int col, int row, const QVariant& object) {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return;
  objects_[std::size_t(row)][std::size_t(col)] = object;
}

// ---- Geometry ----

int TStringGrid::ColumnX(int col) const {
  const int gap = VertLineGap();
  int x = 0;
  if (col < fixedCols_) {
    for (int c = 0; c < col; ++c) x += colWidths_[std::size_t(c)] + gap;
    return x;
  }
  for (int c = 0; c < fixedCols_; ++c) x += colWidths_[std::size_t(c)] + gap;
  for (int c = leftCol_; c < col; ++c) x += colWidths_[std::size_t(c)] + gap;
  return x;
}

int TStringGrid::RowY(int row) const {
  const int gap = HorzLineGap();
  int y = 0;
  if (row < fixedRows_) {
    for (int r = 0; r < row; ++r) y += rowHeights_[std::size_t(r)] + gap;
    return y;
  }
  for (int r = 0; r < fixedRows_; ++r) y += rowHeights_[std::size_t(r)] + gap;
  for (int r = topRow_; r < row; ++r) y += rowHeights_[std::size_t(r)] + gap;
  return y;
}

QRect TStringGrid::CellRect(int col, int row) const {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return {};
  if ((col >= fixedCols_ && col < leftCol_) || (row >= fixedRows_ && row < topRow_)) return {};
  const QRect r(ColumnX(col), RowY(row), colWidths_[std::size_t(col)], rowHeights_[std::size_t(row)]);
  if (r.left() >= viewport()->width() || r.top() >= viewport()->height()) return {};
  return r;
}

TGridCoord TStringGrid::MouseCoord(int x, int y) const {
  TGridCoord hit;
  const int vgap = VertLineGap(), hgap = HorzLineGap();
  int cx = 0;
  for (int c = 0; c < colCount_; ++c) {
    if (c >= fixedCols_ && c < leftCol_) continue;
    const int w = colWidths_[std::size_t(c)] + vgap;
    if (x >= cx && x < cx + w) {
      hit.X = c;
      break;
    }
    cx += w;
  }
  int cy = 0;
  for (int r = 0; r < rowCount_; ++r) {
    if (r >= fixedRows_ && r < topRow_) continue;
    const int h = rowHeights_[std::size_t(r)] + hgap;
    if (y >= cy && y < cy + h) {
      hit.Y = r;
      break;
    }
    cy += h;
  }
  if (hit.X < 0 || hit.Y < 0) return {};
  return hit;
}

int TStringGrid::LastTopRow() const {
  const int gap = HorzLineGap();
  int room = viewport()->height();
  for (int r = 0; r < fixedRows_; ++r) room -= rowHeights_[std::size_t(r)] + gap;
  int top = rowCount_ - 1;
  int used = rowHeights_[std::size_t(top)] + gap;
  while (top - 1 >= fixedRows_ && used + rowHeights_[std::size_t(top - 1)] + gap <= room) {
    --top;
    used += rowHeights_[std::size_t(top)] + gap;
  }
  return std::max(top, fixedRows_);
}

int TStringGrid::LastLeftCol() const {
  const int gap = VertLineGap();
  int room = viewport()->width();
  for (int c = 0; c < fixedCols_; ++c) room -= colWidths_[std::size_t(c)] + gap;
  int left = colCount_ - 1;
  int used = colWidths_[std::size_t(left)] + gap;
  while (left - 1 >= fixedCols_ && used + colWidths_[std::size_t(left - 1)] + gap <= room) {
    --left;
    used += colWidths_[std::size_t(left)] + gap;
  }
  return std::max(left, fixedCols_);
}

// Scroll bars, the in-place editor and the picture after a change of the layout.
void TStringGrid::Relayout() {
  UpdateScrollBars();
  PlaceEditor();
  viewport()->update();
}

void TStringGrid::UpdateScrollBars() {
  scrolling_ = true;
  const int lastTop = LastTopRow(), lastLeft = LastLeftCol();
  topRow_ = std::clamp(topRow_, fixedRows_, lastTop);
  leftCol_ = std::clamp(leftCol_, fixedCols_, lastLeft);
  verticalScrollBar()->setRange(0, lastTop - fixedRows_);
  verticalScrollBar()->setValue(topRow_ - fixedRows_);
  verticalScrollBar()->setPageStep(std::max(1, rowCount_ - lastTop));
  horizontalScrollBar()->setRange(0, lastLeft - fixedCols_);
  horizontalScrollBar()->setValue(leftCol_ - fixedCols_);
  horizontalScrollBar()->setPageStep(std::max(1, colCount_ - lastLeft));
  scrolling_ = false;
}

void TStringGrid::scrollContentsBy(int /*dx*/, int /*dy*/) {
  if (scrolling_) return;
  topRow_ = fixedRows_ + verticalScrollBar()->value();
  leftCol_ = fixedCols_ + horizontalScrollBar()->value();
  PlaceEditor();
  viewport()->update();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TStringGrid::SetTopRow(int row) {
  topRow_ = std::clamp(row, fixedRows_, LastTopRow());
  Relayout();
}

void TStringGrid::SetLeftCol(int col) {
  leftCol_ = std::clamp(col, fixedCols_, LastLeftCol());
  Relayout();
}

void TStringGrid::EnsureVisible(int col, int row) {
  const int oldTop = topRow_, oldLeft = leftCol_;
  if (row >= fixedRows_) {
    if (row < topRow_) topRow_ = row;
    while (topRow_ < row && RowY(row) + rowHeights_[std::size_t(row)] > viewport()->height()) ++topRow_;
  }
  if (col >= fixedCols_) {
    if (col < leftCol_) leftCol_ = col;
    while (leftCol_ < col && ColumnX(col) + colWidths_[std::size_t(col)] > viewport()->width()) ++leftCol_;
  }
  if (topRow_ != oldTop || leftCol_ != oldLeft) {
    UpdateScrollBars();
    viewport()->update();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
  }
}

void TStringGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
  PlaceEditor();
}

// ---- Current cell and selection ----

bool TStringGrid::SelectCell(int col, int row) {
  bool allowed = true;
  if (OnSelectCell) OnSelectCell(this, col, row, allowed);
  return allowed;
}

bool TStringGrid::FocusCell(int col, int row, bool moveAnchor) {
  if (colCount_ <= fixedCols_ || rowCount_ <= fixedRows_) return false;
  col = std::clamp(col, fixedCols_, colCount_ - 1);
  row = std::clamp(row, fixedRows_, rowCount_ - 1);
  const bool moves = col != col_ || row != row_;
  if (moves && !SelectCell(col, row)) return false;
  const int oldCol = col_, oldRow = row_;
  if (moves) HideEditor();
  col_ = col;
  row_ = row;
  if (moveAnchor || !(options_ & goRangeSelect)) {
    anchorCol_ = col;
    anchorRow_ = row;
  }
  EnsureVisible(col, row);
  viewport()->update();
  if (moves) {
    CurrentCellChanged(oldCol, oldRow);
    if ((options_ & goAlwaysShowEditor) && col_ == col && row_ == row) ShowEditor();
  }
  return true;
}

TGridRect TStringGrid::Selection() const {
  if (options_ & goRowSelect) return {fixedCols_, std::min(row_, anchorRow_), colCount_ - 1, std::max(row_, anchorRow_)};
  return {std::min(col_, anchorCol_), std::min(row_, anchorRow_), std::max(col_, anchorCol_), std::max(row_, anchorRow_)};
}

void TStringGrid::SetSelection(const TGridRect& selection) {
  const int right = std::clamp(selection.Right, fixedCols_, colCount_ - 1);
  const int bottom = std::clamp(selection.Bottom, fixedRows_, rowCount_ - 1);
  if (!FocusCell(selection.Left, selection.Top, true)) return;
  if (options_ & goRangeSelect) {
    // The anchor goes to the far corner, the current cell stays at the top left.
    anchorCol_ = right;
    anchorRow_ = bottom;
  }
  viewport()->update();
}

// ---- Editor ----

bool TStringGrid::EditorVisible() const { return editor_ && editor_->isVisible(); }

bool TStringGrid::CanEditShow() const {
  return (options_ & (goRowSelect | goEditing)) == goEditing && editorMode_ && col_ >= fixedCols_ &&
         row_ >= fixedRows_;
}

void TStringGrid::PrepareEditor(TInplaceEdit& editor) {
  editor.SetText(GetEditText(col_, row_));
  editor.setFont(font());
  // The editor opens with its text selected, so that a key typed on a cell replaces it.
  QTextCursor all(editor.document());
  all.select(QTextCursor::Document);
  editor.setTextCursor(all);
}

void TStringGrid::SetEditorMode(bool value) {
  if (value)
    ShowEditor();
  else
    HideEditor();
}

void TStringGrid::ShowEditor() {
  editorMode_ = true;
  if (!CanEditShow()) return;
  if (!editor_) editor_ = new TInplaceEdit(this);
  EnsureVisible(col_, row_);
  if (!editor_->isVisible()) PrepareEditor(*editor_);
  PlaceEditor();
  editor_->show();
  editor_->setFocus();
}

void TStringGrid::HideEditor() {
  editorMode_ = false;
  if (!EditorVisible()) return;
  const bool hadFocus = editor_->hasFocus();
  editor_->hide();
  if (hadFocus) setFocus();
  viewport()->update();
}

void TStringGrid::PlaceEditor() {
  // Placed before it first shows, too: else it would show at the viewport's corner.
  if (!editor_) return;
  const QRect r = CellRect(col_, row_);
  if (r.isEmpty())
    editor_->setGeometry(-1000, -1000, 10, 10);
  else
    editor_->setGeometry(r);
}

void TStringGrid::SetEditText(int col, int row, const QString& value) {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return;
  cells_[std::size_t(row)][std::size_t(col)] = value;
  viewport()->update(CellRect(col, row));
  if (OnSetEditText) OnSetEditText(this, col, row, value);
}

bool TStringGrid::EditorKeyPress(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      if (options_ & goAlwaysShowEditor) return true;
      HideEditor();
      return true;
    default:
      HideEditor();
      keyPressEvent(event);
      return true;
  }
}

// ---- Moving and rearranging ----

namespace {
template <typename V>
void MoveItem(V& v, int from, int to) {
  auto moving = std::move(v[std::size_t(from)]);
  v.erase(v.begin() + from);
  v.insert(v.begin() + to, std::move(moving));
}
}  // namespace

void TStringGrid::ColumnMoved(int from, int to) {
  for (auto& row : cells_) MoveItem(row, from, to);
  for (auto& row : objects_) MoveItem(row, from, to);
  MoveItem(colWidths_, from, to);
  MoveItem(tabStops_, from, to);
}

void TStringGrid::RowMoved(int from, int to) {
  MoveItem(cells_, from, to);
  MoveItem(objects_, from, to);
  MoveItem(rowHeights_, from, to);
}

void TStringGrid::RowsSwapped(int a, int b) {
  std::swap(cells_[std::size_t(a)], cells_[std::size_t(b)]);
  std::swap(objects_[std::size_t(a)], objects_[std::size_t(b)]);
}

void TStringGrid::ColumnsSwapped(int a, int b) {
  for (auto& row : cells_) std::swap(row[std::size_t(a)], row[std::size_t(b)]);
  for (auto& row : objects_) std::swap(row[std::size_t(a)], row[std::size_t(b)]);
}

void TStringGrid::SetCurrentQuietly(int col, int row) {
  const int dc = col - col_, dr = row - row_;
  col_ = std::clamp(col, fixedCols_, colCount_ - 1);
  row_ = std::clamp(row, fixedRows_, rowCount_ - 1);
  anchorCol_ = std::clamp(anchorCol_ + dc, fixedCols_, colCount_ - 1);
  anchorRow_ = std::clamp(anchorRow_ + dr, fixedRows_, rowCount_ - 1);
  PlaceEditor();
  viewport()->update();
}

void TStringGrid::MoveColumn(int from, int to) {
  if (from < 0 || to < 0 || from >= colCount_ || to >= colCount_ || from == to) return;
  ColumnMoved(from, to);
  viewport()->update();
}

void TStringGrid::MoveRow(int from, int to) {
  if (from < 0 || to < 0 || from >= rowCount_ || to >= rowCount_ || from == to) return;
  RowMoved(from, to);
  viewport()->update();
}

// ---- Painting ----

void TStringGrid::DrawCell(QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state) {
  if (defaultDrawing_) {
    canvas.fillRect(rect, canvas.brush());
    canvas.drawText(rect.adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    Cells(col, row));
  }
  if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

void TStringGrid::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(viewport());
  canvas_ = &p;
  p.fillRect(viewport()->rect(), ToQColor(color_));
  const bool focused = hasFocus() || (editor_ && editor_->hasFocus());
  const TGridRect sel = Selection();
  const int vgap = VertLineGap(), hgap = HorzLineGap();
  const int width = viewport()->width(), height = viewport()->height();
  std::vector<int> cols, rows;
  for (int c = 0, x = 0; c < colCount_ && x < width; ++c) {
    if (c >= fixedCols_ && c < leftCol_) continue;
    cols.push_back(c);
    x += colWidths_[std::size_t(c)] + vgap;
  }
  for (int r = 0, y = 0; r < rowCount_ && y < height; ++r) {
    if (r >= fixedRows_ && r < topRow_) continue;
    rows.push_back(r);
    y += rowHeights_[std::size_t(r)] + hgap;
  }
  const QColor highlight = ToQColor(clHighlight), highlightText = ToQColor(clHighlightText);
  for (int r : rows)
    for (int c : cols) {
      const QRect rect(ColumnX(c), RowY(r), colWidths_[std::size_t(c)], rowHeights_[std::size_t(r)]);
      TGridDrawState state = 0;
      const bool fixed = c < fixedCols_ || r < fixedRows_;
      if (fixed) state |= gdFixed;
      if (!fixed && sel.Contains(c, r)) state |= gdSelected;
      if (focused && c == col_ && r == row_) state |= gdFocused;
      p.setFont(font());
      if (fixed) {
        p.setBrush(ToQColor(fixedColor_));
        p.setPen(palette().color(QPalette::WindowText));
      } else if ((state & gdSelected) && (!(state & gdFocused) || (options_ & (goDrawFocusSelected | goRowSelect)))) {
        p.setBrush(highlight);
        p.setPen(highlightText);
      } else {
        p.setBrush(ToQColor(color_));
        p.setPen(palette().color(QPalette::Text));
      }
      p.save();
      DrawCell(p, c, r, rect, state);
      p.restore();
      if (fixed && defaultDrawing_) Frame3D(p, rect, ToQColor(clBtnHighlight), ToQColor(clBtnShadow));
      if ((state & gdFocused) && !EditorVisible() && !(options_ & goRowSelect)) {
        QPen dots(palette().color(QPalette::Text));
        dots.setStyle(Qt::DotLine);
        p.setPen(dots);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect.adjusted(0, 0, -1, -1));
      }
    }
  // The lines, in the gaps after each column and row: black between fixed cells, silver
  // between the others.
  for (int c : cols) {
    const int x = ColumnX(c) + colWidths_[std::size_t(c)];
    const bool fixedCol = c < fixedCols_;
    for (int r : rows) {
      const bool fixed = fixedCol || r < fixedRows_;
      if (!(options_ & (fixed ? goFixedVertLine : goVertLine)) || gridLineWidth_ == 0) continue;
      p.fillRect(x, RowY(r), gridLineWidth_, rowHeights_[std::size_t(r)] + hgap, fixed ? Qt::black : QColor(Qt::lightGray));
    }
  }
  for (int r : rows) {
    const int y = RowY(r) + rowHeights_[std::size_t(r)];
    const bool fixedRow = r < fixedRows_;
    for (int c : cols) {
      const bool fixed = fixedRow || c < fixedCols_;
      if (!(options_ & (fixed ? goFixedHorzLine : goHorzLine)) || gridLineWidth_ == 0) continue;
      p.fillRect(ColumnX(c), y, colWidths_[std::size_t(c)] + vgap, gridLineWidth_, fixed ? Qt::black : QColor(Qt::lightGray));
    }
  }
  canvas_ = nullptr;
}

// ---- Keys and mouse ----

bool TStringGrid::MoveByKey(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const bool extend = (event->modifiers() & Qt::ShiftModifier) && (options_ & goRangeSelect);
  int page = 0;
  for (int r = topRow_, y = RowY(topRow_); r < rowCount_ && y + rowHeights_[std::size_t(r)] <= viewport()->height(); ++r) {
    y += rowHeights_[std::size_t(r)] + HorzLineGap();
    ++page;
  }
  page = std::max(page, 1);
  int c = col_, r = row_;
  switch (event->key()) {
    case Qt::Key_Up: --r; break;
    case Qt::Key_Down: ++r; break;
    case Qt::Key_Left: --c; break;
    case Qt::Key_Right: ++c; break;
    case Qt::Key_PageUp: r -= page; break;
    case Qt::Key_PageDown: r += page; break;
    case Qt::Key_Home:
      c = fixedCols_;
      if (ctrl) r = fixedRows_;
      break;
    case Qt::Key_End:
      c = colCount_ - 1;
      if (ctrl) r = rowCount_ - 1;
      break;
    default: return false;
  }
  FocusCell(c, r, !extend);
  return true;
}

bool TStringGrid::event(QEvent* event) {
  return Guarded(
      [&] {
        // With goTabs the Tab key moves between cells instead of to the next control.
        if (event->type() == QEvent::KeyPress && (options_ & goTabs)) {
          auto* key = static_cast<QKeyEvent*>(event);
          if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
              !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
          }
        }
        return QAbstractScrollArea::event(event);
      },
      true);
}

bool TStringGrid::viewportEvent(QEvent* event) {
  return Guarded([&] { return QAbstractScrollArea::viewportEvent(event); }, true);
}

void TStringGrid::keyPressEvent(QKeyEvent* event) {
  if (MoveByKey(event)) return;
  switch (event->key()) {
    case Qt::Key_F2:
      ShowEditor();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if ((options_ & goEditing) && !(options_ & goAlwaysShowEditor)) {
        if (EditorVisible())
          HideEditor();
        else
          ShowEditor();
      }
      return;
    case Qt::Key_Tab:
      if (options_ & goTabs) {
        int c = col_ + 1, r = row_;
        if (c >= colCount_) c = fixedCols_, ++r;
        if (r < rowCount_) FocusCell(c, r, true);
        return;
      }
      focusNextPrevChild(true);
      return;
    case Qt::Key_Backtab:
      if (options_ & goTabs) {
        int c = col_ - 1, r = row_;
        if (c < fixedCols_) c = colCount_ - 1, --r;
        if (r >= fixedRows_) FocusCell(c, r, true);
        return;
      }
      focusNextPrevChild(false);
      return;
    default:
      break;
  }
  // Typing starts an edit with the key typed.
  const QString typed = event->text();
  const bool printable = !typed.isEmpty() && typed.at(0).isPrint() &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if ((options_ & goEditing) && (printable || event->key() == Qt::Key_Backspace)) {
    ShowEditor();
    if (EditorVisible()) {
      QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
      QApplication::sendEvent(editor_, &copy);
    }
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void TStringGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  setFocus();
  const QPoint at = event->position().toPoint();
  pressed_ = MouseCoord(at.x(), at.y());
  if (pressed_.X < fixedCols_ || pressed_.Y < fixedRows_) return;
  const bool extend = (event->modifiers() & Qt::ShiftModifier) && (options_ & goRangeSelect);
  if (FocusCell(pressed_.X, pressed_.Y, !extend)) selecting_ = (options_ & goRangeSelect) != 0;
}

void TStringGrid::mouseMoveEvent(QMouseEvent* event) {
  if (!selecting_ || !(event->buttons() & Qt::LeftButton)) return;
  const QPoint at = event->position().toPoint();
  const TGridCoord hit = MouseCoord(at.x(), at.y());
  if (hit.X >= fixedCols_ && hit.Y >= fixedRows_) FocusCell(hit.X, hit.Y, false);
}

void TStringGrid::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  selecting_ = false;
  const QPoint at = event->position().toPoint();
  const TGridCoord hit = MouseCoord(at.x(), at.y());
  if (hit.X >= 0 && hit == pressed_) CellClicked(hit.X, hit.Y);
  if (OnClick) OnClick(this);
}

void TStringGrid::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void TStringGrid::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

}  // namespace qx
