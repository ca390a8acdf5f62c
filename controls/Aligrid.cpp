#include "controls/Aligrid.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <optional>

#include "controls/Guarded.h"
#include "controls/ToolkitColors.h"
#include "controls/ZfMessageBox.h"

namespace qx {

// ---- TCellProperties ----

namespace {
template <typename T>
std::unique_ptr<T> CopyOf(const std::unique_ptr<T>& p) {
  return p ? std::make_unique<T>(*p) : nullptr;
}
}  // namespace

void TCellProperties::Assign(const TCellProperties* source) {
  if (!source) {
    Brush.reset();
    SelectedBrush.reset();
    Font.reset();
    SelectedFont.reset();
    Alignment = alDefault;
    Wordwrap = ww_default;
    Editable = EditUnset;
    return;
  }
  Brush = CopyOf(source->Brush);
  SelectedBrush = CopyOf(source->SelectedBrush);
  Font = CopyOf(source->Font);
  SelectedFont = CopyOf(source->SelectedFont);
  Alignment = source->Alignment;
  Wordwrap = source->Wordwrap;
  Editable = source->Editable;
}

bool TCellProperties::IsEmpty() const {
  return !Brush && !SelectedBrush && !Font && !SelectedFont && Alignment == alDefault && Wordwrap == ww_default &&
         Editable == EditUnset;
}

std::unique_ptr<TCellProperties> TCellProperties::Clone() const {
  auto copy = std::make_unique<TCellProperties>();
  copy->Assign(this);
  return copy;
}

// ---- Construction and grid-wide defaults ----

TStringAlignGrid::TStringAlignGrid(QWidget* owner) : TStringGrid(owner) {
  QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    const auto inside = [this](QWidget* w) { return w && (w == this || isAncestorOf(w)); };
    const bool wasIn = inside(old) || focusInside_, isIn = inside(now);
    focusInside_ = isIn;
    if (wasIn && !isIn) FocusLeft();
    if (!wasIn && isIn) FocusCame();
  });
}

TStringAlignGrid::~TStringAlignGrid() { QObject::disconnect(qApp, &QApplication::focusChanged, this, nullptr); }

void TStringAlignGrid::Changed() { viewport()->update(); }

void TStringAlignGrid::SetAlignment(TMyAlign value) {
  alignment_ = value;
  Changed();
}
void TStringAlignGrid::SetWordwrap(T_Wordwrap value) {
  wordwrap_ = value;
  Changed();
}
void TStringAlignGrid::SetEditable(bool value) {
  editable_ = value;
  Changed();
}
void TStringAlignGrid::SetSelectedCellColor(TColor value) {
  selectedCellColor_ = value;
  Changed();
}
void TStringAlignGrid::SetSelectedFontColor(TColor value) {
  selectedFontColor_ = value;
  Changed();
}
void TStringAlignGrid::SetFontColor(TColor value) {
  fontColor_ = value;
  Changed();
}
TMyFont TStringAlignGrid::FixedFont() const { return fixedFont_ ? *fixedFont_ : TMyFont{font(), fontColor_}; }
void TStringAlignGrid::SetFixedFont(const TMyFont& f) {
  fixedFont_ = std::make_unique<TMyFont>(f);
  Changed();
}
void TStringAlignGrid::SetFixedColor(TColor color) { TStringGrid::SetFixedColor(color); }
void TStringAlignGrid::SetDrawSelection(bool value) {
  drawSelection_ = value;
  Changed();
}
void TStringAlignGrid::SetAutoAdjustLastCol(bool value) {
  autoAdjustLastCol_ = value;
  AdjustLastCol();
}
void TStringAlignGrid::SetGridLineWidth(int value) {
  TStringGrid::SetGridLineWidth(value);
  AdjustLastCol();
}
void TStringAlignGrid::SetRedrawWhileScroll(bool value) {
  SetOptions(value ? Options() | goThumbTracking : Options() & ~goThumbTracking);
}

// ---- Property entries ----

TCellProperties* TStringAlignGrid::Entry(TPropAt at, bool create) {
  if (at.Index < 0 || (at.Level == TPropLevel::Cell && at.Row < 0)) return nullptr;
  PropList* list = nullptr;
  int index = at.Index;
  switch (at.Level) {
    case TPropLevel::Col: list = &propCol_; break;
    case TPropLevel::Row: list = &propRow_; break;
    case TPropLevel::FixedCol: list = &propFixedCol_; break;
    case TPropLevel::FixedRow: list = &propFixedRow_; break;
    case TPropLevel::Cell:
      if (std::size_t(at.Index) >= propCell_.size()) {
        if (!create) return nullptr;
        propCell_.resize(std::size_t(at.Index) + 1);
      }
      list = &propCell_[std::size_t(at.Index)];
      index = at.Row;
      break;
  }
  if (std::size_t(index) >= list->size()) {
    if (!create) return nullptr;
    list->resize(std::size_t(index) + 1);
  }
  auto& slot = (*list)[std::size_t(index)];
  if (!slot && create) slot = std::make_unique<TCellProperties>();
  return slot.get();
}

const TCellProperties* TStringAlignGrid::Entry(TPropAt at) const {
  return const_cast<TStringAlignGrid*>(this)->Entry(at, false);
}

const TCellProperties* TStringAlignGrid::Properties(TPropAt at) const { return Entry(at); }

template <typename Has>
const TCellProperties* TStringAlignGrid::Lookup(int col, int row, Has has, bool fixedLevels) const {
  const bool fixed = fixedLevels && IsFixed(col, row);
  for (const TPropAt at : {TPropAt::Cell(col, row), fixed ? TPropAt::FixedCol(col) : TPropAt::Col(col),
                           fixed ? TPropAt::FixedRow(row) : TPropAt::RowAt(row)})
    if (const TCellProperties* e = Entry(at); e && has(*e)) return e;
  return nullptr;
}

TMyAlign TStringAlignGrid::GetAlignment(TPropAt at) const {
  const TCellProperties* e = Entry(at);
  return e ? TMyAlign(e->Alignment) : alDefault;
}
void TStringAlignGrid::SetAlignment(TPropAt at, TMyAlign value) {
  if (TCellProperties* e = Entry(at, true)) e->Alignment = value;
  Changed();
}
T_Wordwrap TStringAlignGrid::GetWordwrap(TPropAt at) const {
  const TCellProperties* e = Entry(at);
  return e ? T_Wordwrap(e->Wordwrap) : ww_default;
}
void TStringAlignGrid::SetWordwrap(TPropAt at, T_Wordwrap value) {
  if (TCellProperties* e = Entry(at, true)) e->Wordwrap = value;
  Changed();
}
std::uint8_t TStringAlignGrid::GetEditable(TPropAt at) const {
  const TCellProperties* e = Entry(at);
  return e ? e->Editable : std::uint8_t(TCellProperties::EditUnset);
}
void TStringAlignGrid::SetEditable(TPropAt at, bool value) {
  if (TCellProperties* e = Entry(at, true)) e->Editable = value ? TCellProperties::EditTrue : TCellProperties::EditFalse;
  Changed();
}
void TStringAlignGrid::ResetEditable(TPropAt at) {
  if (TCellProperties* e = Entry(at, false)) e->Editable = TCellProperties::EditUnset;
  Changed();
}
const TMyFont* TStringAlignGrid::GetFont(TPropAt at) const {
  const TCellProperties* e = Entry(at);
  return e ? e->Font.get() : nullptr;
}
void TStringAlignGrid::SetFont(TPropAt at, const TMyFont* f) {
  if (TCellProperties* e = Entry(at, f != nullptr)) e->Font = f ? std::make_unique<TMyFont>(*f) : nullptr;
  Changed();
}
const TMyBrush* TStringAlignGrid::GetBrush(TPropAt at) const {
  const TCellProperties* e = Entry(at);
  return e ? e->Brush.get() : nullptr;
}
void TStringAlignGrid::SetBrush(TPropAt at, const TMyBrush* b) {
  if (TCellProperties* e = Entry(at, b != nullptr)) e->Brush = b ? std::make_unique<TMyBrush>(*b) : nullptr;
  Changed();
}
const TMyBrush* TStringAlignGrid::GetSelectedBrush(TPropAt at) const {
  const TCellProperties* e = Entry(at);
  return e ? e->SelectedBrush.get() : nullptr;
}
const TMyFont* TStringAlignGrid::GetSelectedFont(TPropAt at) const {
  const TCellProperties* e = Entry(at);
  return e ? e->SelectedFont.get() : nullptr;
}
void TStringAlignGrid::SetColor(TPropAt at, TColor color) {
  const TMyBrush b{color, Qt::SolidPattern};
  SetBrush(at, &b);
}
void TStringAlignGrid::SetSelectedColor(TPropAt at, TColor color) {
  if (TCellProperties* e = Entry(at, true)) e->SelectedBrush = std::make_unique<TMyBrush>(TMyBrush{color, Qt::SolidPattern});
  Changed();
}
void TStringAlignGrid::SetSelectedFontColor(TPropAt at, TColor color) {
  if (TCellProperties* e = Entry(at, true)) {
    if (!e->SelectedFont) e->SelectedFont = std::make_unique<TMyFont>(TMyFont{font(), fontColor_});
    e->SelectedFont->Color = color;
  }
  Changed();
}
void TStringAlignGrid::ResetProperties(TPropAt at) {
  if (TCellProperties* e = Entry(at, false)) e->Assign(nullptr);
  Changed();
}

// ---- Effective values ----

TMyAlign TStringAlignGrid::CellAlignment(int col, int row) const {
  if (auto* e = Lookup(col, row, [](const TCellProperties& p) { return p.Alignment != alDefault; }))
    return TMyAlign(e->Alignment);
  return alignment_ == alDefault ? alLeft : alignment_;
}

T_Wordwrap TStringAlignGrid::CellWordwrap(int col, int row) const {
  if (auto* e = Lookup(col, row, [](const TCellProperties& p) { return p.Wordwrap != ww_default; }))
    return T_Wordwrap(e->Wordwrap);
  return wordwrap_ == ww_default ? ww_none : wordwrap_;
}

bool TStringAlignGrid::CellEditable(int col, int row) const {
  if (auto* e = Lookup(col, row, [](const TCellProperties& p) { return p.Editable != TCellProperties::EditUnset; }))
    return e->Editable == TCellProperties::EditTrue;
  return editable_;
}

TMyFont TStringAlignGrid::CellFont(int col, int row) const {
  if (auto* e = Lookup(col, row, [](const TCellProperties& p) { return p.Font != nullptr; })) return *e->Font;
  return IsFixed(col, row) ? FixedFont() : TMyFont{font(), fontColor_};
}

TMyBrush TStringAlignGrid::CellBrush(int col, int row) const {
  if (auto* e = Lookup(col, row, [](const TCellProperties& p) { return p.Brush != nullptr; })) return *e->Brush;
  return {IsFixed(col, row) ? FixedColor() : Color(), Qt::SolidPattern};
}

TColor TStringAlignGrid::CellSelectedColor(int col, int row) const {
  if (auto* e = Lookup(col, row, [](const TCellProperties& p) { return p.SelectedBrush != nullptr; }, false))
    return e->SelectedBrush->Color;
  return selectedCellColor_;
}

TColor TStringAlignGrid::CellSelectedFontColor(int col, int row) const {
  if (auto* e = Lookup(col, row, [](const TCellProperties& p) { return p.SelectedFont != nullptr; }, false))
    return e->SelectedFont->Color;
  return selectedFontColor_;
}

// ---- Drawing ----

namespace {
// The blank kept around a cell's text, on each side.
constexpr int kMargineTesto = 2;
}  // namespace

int TStringAlignGrid::CellTextWidth(int col, int row) const {
  const QFontMetricsF m(CellFont(col, row).Font, viewport());
  return static_cast<int>(std::ceil(m.horizontalAdvance(Cells(col, row)))) + 2 * kMargineTesto;
}

void TStringAlignGrid::DrawCell(QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state) {
  const TMyFont f = CellFont(col, row);
  const TMyBrush b = CellBrush(col, row);
  canvas.setFont(f.Font);
  QColor ink = ToQColor(f.Color), ground = ToQColor(b.Color);
  const bool focusedPlain = (state & gdFocused) && !(Options() & (goDrawFocusSelected | goRowSelect));
  if (drawSelection_ && (state & gdSelected) && !focusedPlain) {
    ground = ToQColor(CellSelectedColor(col, row));
    ink = ToQColor(CellSelectedFontColor(col, row));
  }
  canvas.setBrush(QBrush(ground, b.Style));
  canvas.setPen(ink);
  if (DefaultDrawing()) {
    // Where a line is not drawn its gap belongs to the cell: the right edge for the
    // vertical line, the bottom edge for the horizontal one.
    const bool fixed = (state & gdFixed) != 0;
    QRect r = rect;
    if (!(Options() & (fixed ? goFixedVertLine : goVertLine))) r.setRight(r.right() + VertLineGap());
    if (!(Options() & (fixed ? goFixedHorzLine : goHorzLine))) r.setBottom(r.bottom() + HorzLineGap());
    canvas.fillRect(r, QBrush(ground, b.Style));
    const QRect text = r.adjusted(kMargineTesto, kMargineTesto, -kMargineTesto, -kMargineTesto);
    int flags = Qt::AlignTop;
    switch (CellAlignment(col, row)) {
      case alRight: flags |= Qt::AlignRight; break;
      case alCenter: flags |= Qt::AlignHCenter; break;
      default: flags |= Qt::AlignLeft; break;
    }
    QString s = Cells(col, row);
    switch (CellWordwrap(col, row)) {
      case ww_wordwrap: flags |= Qt::TextWordWrap; break;
      case ww_ellipsis:
        flags |= Qt::TextSingleLine;
        s = canvas.fontMetrics().elidedText(s, Qt::ElideRight, std::max(0, text.width()));
        break;
      default: break;
    }
    canvas.drawText(text, flags, s);
  }
  if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

// ---- The edit cycle ----

bool TStringAlignGrid::CanEditShow() const { return TStringGrid::CanEditShow() && CellEditable(Col(), Row()); }

void TStringAlignGrid::PrepareEditor(TInplaceEdit& editor) {
  TStringGrid::PrepareEditor(editor);
  const TMyFont f = CellFont(Col(), Row());
  editor.setFont(f.Font);
  QPalette pal = editor.palette();
  pal.setColor(QPalette::Text, ToQColor(f.Color));
  pal.setColor(QPalette::Base, ToQColor(CellBrush(Col(), Row()).Color));
  editor.setPalette(pal);
  editor.SetMultiline(editMultiline_);
  switch (CellAlignment(Col(), Row())) {
    case alRight: editor.SetTextAlignment(Qt::AlignRight); break;
    case alCenter: editor.SetTextAlignment(Qt::AlignHCenter); break;
    default: editor.SetTextAlignment(Qt::AlignLeft); break;
  }
  if (!editing_ || editCell_ != TGridCoord{Col(), Row()}) BeginEdit();
  QTextCursor c(editor.document());
  if (savedSelStart_ >= 0 && !selectEditText_) {
    c.setPosition(std::min(savedSelStart_, editor.document()->characterCount() - 1));
    c.setPosition(std::min(savedSelEnd_, editor.document()->characterCount() - 1), QTextCursor::KeepAnchor);
  } else if (selectEditText_) {
    c.select(QTextCursor::Document);
  } else {
    c.movePosition(QTextCursor::End);
  }
  savedSelStart_ = savedSelEnd_ = -1;
  editor.setTextCursor(c);
}

void TStringAlignGrid::BeginEdit() {
  editing_ = true;
  editCell_ = {Col(), Row()};
  textBeforeEdit_ = Cells(Col(), Row());
  if (OnBeforeEdit) OnBeforeEdit(this, Col(), Row());
}

void TStringAlignGrid::EndEdit(int col, int row, bool byEnter, bool takeFocus) {
  editing_ = false;
  bool accept = true;
  if (OnValidateEdit) OnValidateEdit(this, col, row, accept);
  if (!accept) {
    FocusCell(col, row, true);
    editing_ = true;
    editCell_ = {col, row};
    if (takeFocus) {
      ShowEditor();
    } else if (!EditorVisible()) {
      SetEditorMode(true);
    }
    return;
  }
  if (OnAfterEdit) OnAfterEdit(this, col, row);
  if (byEnter && autoEditNextCell_) MoveToNextCell(nextCellEdit_, afterLastCellEdit_, true);
}

void TStringAlignGrid::CancelEdit() {
  HideEditor();
  if (!editing_) return;
  editing_ = false;
  SetCells(editCell_.X, editCell_.Y, textBeforeEdit_);
  if (OnCancelEdit) OnCancelEdit(this, editCell_.X, editCell_.Y);
}

void TStringAlignGrid::CurrentCellChanged(int /*oldCol*/, int /*oldRow*/) {
  if (editing_ && editCell_ != TGridCoord{Col(), Row()}) EndEdit(editCell_.X, editCell_.Y, false);
}

void TStringAlignGrid::FocusLeft() {
  if (EditorVisible()) {
    const QTextCursor c = InplaceEditor()->textCursor();
    savedSelStart_ = c.anchor();
    savedSelEnd_ = c.position();
  }
  if (editing_) EndEdit(editCell_.X, editCell_.Y, false, false);
}

void TStringAlignGrid::FocusCame() {
  if (!EditorVisible()) return;
  // The editor stayed open while the focus was away: typing in it again is a new edit.
  if (!editing_) BeginEdit();
  if (!(Options() & goAlwaysShowEditor)) return;
  QTextCursor c(InplaceEditor()->document());
  if (selectEditText_) {
    c.select(QTextCursor::Document);
  } else if (savedSelStart_ >= 0) {
    c.setPosition(std::min(savedSelStart_, InplaceEditor()->document()->characterCount() - 1));
    c.setPosition(std::min(savedSelEnd_, InplaceEditor()->document()->characterCount() - 1), QTextCursor::KeepAnchor);
  }
  savedSelStart_ = savedSelEnd_ = -1;
  InplaceEditor()->setTextCursor(c);
}

bool TStringAlignGrid::EditorKeyPress(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (editMultiline_) return false;
      HideEditor();
      if (editing_) EndEdit(editCell_.X, editCell_.Y, true);
      return true;
    case Qt::Key_Escape:
      CancelEdit();
      return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      HideEditor();
      keyPressEvent(event);
      return true;
    default:
      if (editMultiline_) return false;
      return TStringGrid::EditorKeyPress(event);
  }
}

// ---- Next cell ----

namespace {

T_nextcell Reversed(T_nextcell d) {
  switch (d) {
    case nc_rightdown: return nc_leftup;
    case nc_leftup: return nc_rightdown;
    case nc_downright: return nc_upleft;
    case nc_upleft: return nc_downright;
    case nc_leftdown: return nc_rightup;
    case nc_rightup: return nc_leftdown;
    case nc_downleft: return nc_upright;
    case nc_upright: return nc_downleft;
  }
  return d;
}

}  // namespace

void TStringAlignGrid::MoveToNextCell(T_nextcell direction, T_lastcell last, bool afterEdit) {
  const TGridCoord start{Col(), Row()};
  TGridCoord c = start;
  // One step in the direction, wrapping to the next line; nothing past the grid.
  const auto step = [this, direction](TGridCoord p) -> std::optional<TGridCoord> {
    const int fc = FixedCols(), fr = FixedRows(), lc = ColCount() - 1, lr = RowCount() - 1;
    switch (direction) {
      case nc_rightdown: if (++p.X > lc) p.X = fc, ++p.Y; break;
      case nc_downright: if (++p.Y > lr) p.Y = fr, ++p.X; break;
      case nc_leftdown: if (--p.X < fc) p.X = lc, ++p.Y; break;
      case nc_downleft: if (++p.Y > lr) p.Y = fr, --p.X; break;
      case nc_leftup: if (--p.X < fc) p.X = lc, --p.Y; break;
      case nc_upleft: if (--p.Y < fr) p.Y = lr, --p.X; break;
      case nc_rightup: if (++p.X > lc) p.X = fc, --p.Y; break;
      case nc_upright: if (--p.Y < fr) p.Y = lr, ++p.X; break;
    }
    if (p.X < fc || p.X > lc || p.Y < fr || p.Y > lr) return std::nullopt;
    return p;
  };
  // A new row or column in the direction of travel, and the cell to go to in it.
  const auto grow = [this, direction]() -> TGridCoord {
    const int fc = FixedCols(), fr = FixedRows();
    switch (direction) {
      case nc_rightdown: InsertRow(RowCount()); return {fc, RowCount() - 1};
      case nc_downright: InsertCol(ColCount()); return {ColCount() - 1, fr};
      case nc_leftdown: InsertRow(RowCount()); return {ColCount() - 1, RowCount() - 1};
      case nc_downleft: InsertCol(fc); return {fc, fr};
      case nc_leftup: InsertRow(fr); return {ColCount() - 1, fr};
      case nc_upleft: InsertCol(fc); return {fc, RowCount() - 1};
      case nc_rightup: InsertRow(fr); return {fc, fr};
      case nc_upright: InsertCol(ColCount()); return {ColCount() - 1, RowCount() - 1};
    }
    return {fc, fr};
  };
  // The corner the direction starts from.
  const auto corner = [this, direction]() -> TGridCoord {
    const int fc = FixedCols(), fr = FixedRows(), lc = ColCount() - 1, lr = RowCount() - 1;
    switch (direction) {
      case nc_rightdown: case nc_downright: return {fc, fr};
      case nc_leftdown: case nc_downleft: return {lc, fr};
      case nc_leftup: case nc_upleft: return {lc, lr};
      case nc_rightup: case nc_upright: return {fc, lr};
    }
    return {fc, fr};
  };
  // Every cell once is enough to come back to the start.
  for (long guard = long(ColCount()) * RowCount() + 2; guard > 0; --guard) {
    bool grew = false;
    std::optional<TGridCoord> next = step(c);
    if (!next) {
      switch (last) {
        case lc_newcolrow: next = grow(); grew = true; break;
        case lc_stop: return;
        case lc_first: next = corner(); break;
        case lc_exit: focusNextChild(); return;
      }
    }
    c = *next;
    if (c == start || grew) break;
    if (afterEdit ? CellEditable(c.X, c.Y) : TabStops(c.X)) break;
  }
  if (!FocusCell(c.X, c.Y, true)) return;
  if (afterEdit) ShowEditor();
}

// ---- Keys, mouse, hints ----

void TStringAlignGrid::keyPressEvent(QKeyEvent* event) {
  const auto mods = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (clipboardMessages_) {
    // The clipboard's own keys; a grid text too big for the grid is said, not raised.
    try {
      if (event->key() == Qt::Key_Insert && mods == Qt::ControlModifier) return ClipboardCopy();
      if (event->key() == Qt::Key_Insert && mods == Qt::ShiftModifier) return ClipboardPaste();
      if (event->key() == Qt::Key_Delete && mods == Qt::ShiftModifier) return ClipboardCut();
    } catch (const std::exception& e) {
      ZfMessageBox(QString::fromUtf8(e.what()), 2, MsgButtons({mbOK}));
      return;
    }
  }
  if ((Options() & goTabs) && !(mods & Qt::AltModifier)) {
    if (event->key() == Qt::Key_Tab) return MoveToNextCell(nextCellTab_, afterLastCellTab_, false);
    if (event->key() == Qt::Key_Backtab) return MoveToNextCell(Reversed(nextCellTab_), afterLastCellTab_, false);
  }
  TStringGrid::keyPressEvent(event);
}

void TStringAlignGrid::CellClicked(int col, int row) {
  if (col < FixedCols() && row >= FixedRows()) {
    if (OnFixedRowClick) OnFixedRowClick(this, row);
  } else if (row < FixedRows() && col >= FixedCols()) {
    if (OnFixedColClick) OnFixedColClick(this, col);
  }
}

void TStringAlignGrid::mouseMoveEvent(QMouseEvent* event) {
  TStringGrid::mouseMoveEvent(event);
  if (hintCell_.X < 0) return;
  const QPoint at = event->position().toPoint();
  if (MouseCoord(at.x(), at.y()) != hintCell_) {
    QToolTip::hideText();
    hintCell_ = {};
  }
}

void TStringAlignGrid::mouseReleaseEvent(QMouseEvent* event) {
  TStringGrid::mouseReleaseEvent(event);
  AdjustLastCol();
}

void TStringAlignGrid::resizeEvent(QResizeEvent* event) {
  TStringGrid::resizeEvent(event);
  AdjustLastCol();
}

bool TStringAlignGrid::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return TStringGrid::viewportEvent(event);
  Guarded([&] {
    const auto* help = static_cast<QHelpEvent*>(event);
    const TGridCoord cell = MouseCoord(help->pos().x(), help->pos().y());
    QString hint = showCellHints_ && cell.X >= 0 ? HintCell(cell.X, cell.Y) : QString();
    if (showCellHints_ && cell.X >= 0 && OnShowHintCell) OnShowHintCell(this, cell.X, cell.Y, hint);
    if (hint.isEmpty()) {
      QToolTip::hideText();
      hintCell_ = {};
      return;
    }
    const QRect r = CellRect(cell.X, cell.Y);
    QToolTip::showText(viewport()->mapToGlobal(QPoint(r.left(), r.bottom() + 1 + 6)), hint, viewport());
    hintCell_ = cell;
  });
  return true;
}

QString TStringAlignGrid::HintCell(int col, int row) const {
  if (col < 0 || row < 0 || std::size_t(col) >= hints_.size() || std::size_t(row) >= hints_[std::size_t(col)].size())
    return {};
  return hints_[std::size_t(col)][std::size_t(row)];
}

void TStringAlignGrid::SetHintCell(int col, int row, const QString& hint) {
  if (col < 0 || row < 0) return;
  if (std::size_t(col) >= hints_.size()) hints_.resize(std::size_t(col) + 1);
  auto& column = hints_[std::size_t(col)];
  if (std::size_t(row) >= column.size()) column.resize(std::size_t(row) + 1);
  column[std::size_t(row)] = hint;
}

// ---- Sizes ----

void TStringAlignGrid::ColWidthsChanged() {
  if (OnColWidthsChanged) OnColWidthsChanged(this);
}

void TStringAlignGrid::RowHeightsChanged() {
  if (OnRowHeightsChanged) OnRowHeightsChanged(this);
}

void TStringAlignGrid::AdjustLastCol() {
  if (!autoAdjustLastCol_ || ColCount() < 1) return;
  int used = 0;
  for (int c = 0; c < ColCount() - 1; ++c) used += ColWidths(c);
  if (VertLineGap() > 0) used += ColCount() * GridLineWidth();
  const int client = viewport()->width();
  if (used < client) SetColWidths(ColCount() - 1, client - used);
}

// ---- Rows and columns with their properties ----

namespace {

template <typename V>
void MoveEntry(V& list, int from, int to) {
  const std::size_t need = std::size_t(std::max(from, to)) + 1;
  if (list.size() < need) list.resize(need);
  auto moving = std::move(list[std::size_t(from)]);
  list.erase(list.begin() + from);
  list.insert(list.begin() + to, std::move(moving));
}

template <typename V>
void SwapEntries(V& list, int a, int b) {
  const std::size_t need = std::size_t(std::max(a, b)) + 1;
  if (list.size() < need) list.resize(need);
  std::swap(list[std::size_t(a)], list[std::size_t(b)]);
}

}  // namespace

void TStringAlignGrid::ColumnMoved(int from, int to) {
  TStringGrid::ColumnMoved(from, to);
  MoveEntry(propCol_, from, to);
  MoveEntry(propFixedCol_, from, to);
  MoveEntry(propCell_, from, to);
  MoveEntry(hints_, from, to);
}

void TStringAlignGrid::RowMoved(int from, int to) {
  TStringGrid::RowMoved(from, to);
  MoveEntry(propRow_, from, to);
  MoveEntry(propFixedRow_, from, to);
  for (auto& column : propCell_) MoveEntry(column, from, to);
  for (auto& column : hints_) MoveEntry(column, from, to);
}

void TStringAlignGrid::InsertCol(int index) {
  index = std::clamp(index, FixedCols(), ColCount());
  const int col = Col();
  SetColCount(ColCount() + 1);
  const int last = ColCount() - 1;
  for (int r = 0; r < RowCount(); ++r) {
    SetCells(last, r, QString());
    SetObjects(last, r, QVariant());
  }
  for (PropList* list : {&propCol_, &propFixedCol_})
    if (std::size_t(last) < list->size()) (*list)[std::size_t(last)].reset();
  if (std::size_t(last) < propCell_.size()) propCell_[std::size_t(last)].clear();
  if (std::size_t(last) < hints_.size()) hints_[std::size_t(last)].clear();
  MoveColumn(last, index);
  if (col >= index) SetCurrentQuietly(col + 1, Row());
}

void TStringAlignGrid::InsertRow(int index) {
  index = std::clamp(index, FixedRows(), RowCount());
  const int row = Row();
  SetRowCount(RowCount() + 1);
  const int last = RowCount() - 1;
  for (int c = 0; c < ColCount(); ++c) {
    SetCells(c, last, QString());
    SetObjects(c, last, QVariant());
  }
  for (PropList* list : {&propRow_, &propFixedRow_})
    if (std::size_t(last) < list->size()) (*list)[std::size_t(last)].reset();
  for (auto& column : propCell_)
    if (std::size_t(last) < column.size()) column[std::size_t(last)].reset();
  for (auto& column : hints_)
    if (std::size_t(last) < column.size()) column[std::size_t(last)].clear();
  MoveRow(last, index);
  if (row >= index) SetCurrentQuietly(Col(), row + 1);
}

void TStringAlignGrid::SwapLines(bool rows, int a, int b) {
  if (a == b) return;
  if (rows) {
    RowsSwapped(a, b);
    SwapEntries(propRow_, a, b);
    SwapEntries(propFixedRow_, a, b);
    for (auto& column : propCell_) SwapEntries(column, a, b);
    for (auto& column : hints_) SwapEntries(column, a, b);
    if (Row() == a || Row() == b) SetCurrentQuietly(Col(), Row() == a ? b : a);
  } else {
    ColumnsSwapped(a, b);
    SwapEntries(propCol_, a, b);
    SwapEntries(propFixedCol_, a, b);
    SwapEntries(propCell_, a, b);
    SwapEntries(hints_, a, b);
    if (Col() == a || Col() == b) SetCurrentQuietly(Col() == a ? b : a, Row());
  }
  Changed();
}

void TStringAlignGrid::SwapRows(int a, int b) {
  if (a >= 0 && b >= 0 && a < RowCount() && b < RowCount()) SwapLines(true, a, b);
}

void TStringAlignGrid::SwapCols(int a, int b) {
  if (a >= 0 && b >= 0 && a < ColCount() && b < ColCount()) SwapLines(false, a, b);
}

int TStringAlignGrid::Compare(bool rows, int key, int a, int b) const {
  auto* self = const_cast<TStringAlignGrid*>(this);
  if (rows && OnCompareRow) return OnCompareRow(self, key, a, b);
  if (!rows && OnCompareCol) return OnCompareCol(self, key, a, b);
  const QString x = rows ? Cells(key, a) : Cells(a, key);
  const QString y = rows ? Cells(key, b) : Cells(b, key);
  const int c = QString::compare(x, y, Qt::CaseSensitive);
  return c < 0 ? 2 : c == 0 ? 1 : 0;
}

void TStringAlignGrid::QuickSort(bool rows, int key, int lo, int hi, bool ascending) {
  // `before` holds when line i belongs before line j.
  const auto before = [&](int i, int j) {
    const int c = Compare(rows, key, i, j);
    return ascending ? c == 2 : c == 0;
  };
  while (lo < hi) {
    SwapLines(rows, (lo + hi) / 2, hi);
    int store = lo;
    for (int i = lo; i < hi; ++i)
      if (before(i, hi)) SwapLines(rows, i, store++);
    SwapLines(rows, store, hi);
    // The smaller side by recursion, the larger by the loop: the depth stays logarithmic.
    if (store - lo < hi - store) {
      QuickSort(rows, key, lo, store - 1, ascending);
      lo = store + 1;
    } else {
      QuickSort(rows, key, store + 1, hi, ascending);
      hi = store - 1;
    }
  }
}

void TStringAlignGrid::SortRows(int keyCol, int first, int last, bool ascending) {
  first = std::max(first, 0);
  last = std::min(last, RowCount() - 1);
  if (keyCol < 0 || keyCol >= ColCount()) return;
  QuickSort(true, keyCol, first, last, ascending);
}

void TStringAlignGrid::SortCols(int keyRow, int first, int last, bool ascending) {
  first = std::max(first, 0);
  last = std::min(last, ColCount() - 1);
  if (keyRow < 0 || keyRow >= RowCount()) return;
  QuickSort(false, keyRow, first, last, ascending);
}

}  // namespace qx
