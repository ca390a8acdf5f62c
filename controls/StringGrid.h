// TStringGrid: the toolkit's string grid on Qt. Cells hold texts (and an object each);
// the first FixedCols columns and FixedRows rows stay in place while the rest scrolls a
// whole cell at a time; the current cell (Col, Row) and a rectangular Selection move
// with the keys and the mouse; an in-place editor edits the current cell. The aligned
// grid (Aligrid.h) builds on it.
#pragma once
#include <QAbstractScrollArea>
#include <QPlainTextEdit>
#include <QVariant>
#include <functional>
#include <vector>

#include "platform/Graphics.h"

namespace qx {

enum TGridOption : unsigned {
  goFixedVertLine = 1u << 0,
  goFixedHorzLine = 1u << 1,
  goVertLine = 1u << 2,
  goHorzLine = 1u << 3,
  goRangeSelect = 1u << 4,
  goDrawFocusSelected = 1u << 5,
  goRowSizing = 1u << 6,
  goColSizing = 1u << 7,
  goRowMoving = 1u << 8,
  goColMoving = 1u << 9,
  goEditing = 1u << 10,
  goTabs = 1u << 11,
  goRowSelect = 1u << 12,
  goAlwaysShowEditor = 1u << 13,
  goThumbTracking = 1u << 14,
};
using TGridOptions = unsigned;

enum TGridDrawStateFlag : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

// Columns Left..Right and rows Top..Bottom, both ends included.
struct TGridRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
  bool operator==(const TGridRect&) const = default;
};

struct TGridCoord {
  int X = -1, Y = -1;
  bool operator==(const TGridCoord&) const = default;
};

class TStringGrid;

// The in-place editor: a plain-text edit over the current cell, one line unless the grid
// asks for several. Keys that move between cells go to the grid.
class TInplaceEdit : public QPlainTextEdit {
 public:
  explicit TInplaceEdit(TStringGrid* grid);
  TStringGrid* Grid() const { return grid_; }
  bool Multiline() const { return multiline_; }
  void SetMultiline(bool value);
  QString Text() const { return toPlainText(); }
  void SetText(const QString& text);
  Qt::Alignment TextAlignment() const { return alignment_; }
  // Changing the alignment keeps the selection.
  void SetTextAlignment(Qt::Alignment alignment);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  bool event(QEvent* event) override;

 private:
  TStringGrid* grid_;
  bool multiline_ = false;
  Qt::Alignment alignment_ = Qt::AlignLeft;
};

class TStringGrid : public QAbstractScrollArea {
 public:
  using TDrawCellEvent = std::function<void(QObject* sender, int col, int row, const QRect& rect, TGridDrawState state)>;
  using TSelectCellEvent = std::function<void(QObject* sender, int col, int row, bool& canSelect)>;
  using TSetEditEvent = std::function<void(QObject* sender, int col, int row, const QString& value)>;
  using TNotifyEvent = std::function<void(QObject* sender)>;

  explicit TStringGrid(QWidget* owner = nullptr);
  ~TStringGrid() override;

  // ---- Size and look ----
  int ColCount() const { return colCount_; }
  virtual void SetColCount(int value);
  int RowCount() const { return rowCount_; }
  virtual void SetRowCount(int value);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int value);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int value);
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int value);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int value);
  int ColWidths(int col) const;
  void SetColWidths(int col, int width);
  int RowHeights(int row) const;
  void SetRowHeights(int row, int height);
  int GridLineWidth() const { return gridLineWidth_; }
  virtual void SetGridLineWidth(int value);
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions options);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TColor FixedColor() const { return fixedColor_; }
  virtual void SetFixedColor(TColor color);
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool value);
  bool TabStops(int col) const;
  void SetTabStops(int col, bool value);
  // The space between two columns (rows): the line width while any vertical
  // (horizontal) line is drawn, else none.
  int VertLineGap() const;
  int HorzLineGap() const;

  // ---- Content ----
  QString Cells(int col, int row) const;
  void SetCells(int col, int row, const QString& text);
  QVariant Objects(int col, int row) const;
  void SetObjects(int col, int row, const QVariant& object);

  // ---- Current cell, selection, scrolling ----
  int Col() const { return col_; }
  int Row() const { return row_; }
  void SetCol(int col) { FocusCell(col, row_, true); }
  void SetRow(int row) { FocusCell(col_, row, true); }
  // Makes (col, row) current when OnSelectCell allows it; with `moveAnchor` the
  // selection shrinks to it, else it stretches from the anchor. False when refused.
  bool FocusCell(int col, int row, bool moveAnchor = true);
  TGridRect Selection() const;
  void SetSelection(const TGridRect& selection);
  int TopRow() const { return topRow_; }
  void SetTopRow(int row);
  int LeftCol() const { return leftCol_; }
  void SetLeftCol(int col);
  // The cell's rectangle on the viewport (empty when it is scrolled away).
  QRect CellRect(int col, int row) const;
  // The cell under a point of the viewport, -1 for none.
  TGridCoord MouseCoord(int x, int y) const;
  void EnsureVisible(int col, int row);

  // ---- Editor ----
  bool EditorMode() const { return editorMode_; }
  void SetEditorMode(bool value);
  TInplaceEdit* InplaceEditor() const { return editor_; }
  bool EditorVisible() const;

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TSetEditEvent OnSetEditText;
  TNotifyEvent OnTopLeftChanged;
  TNotifyEvent OnClick;
  // The canvas of the paint in progress (null outside painting).
  QPainter* Canvas() const { return canvas_; }

  // ---- What the editor hands over ----
  // A key the editor does not keep; true when the grid took it.
  virtual bool EditorKeyPress(QKeyEvent* event);
  // The editor's text changed: the cell follows it.
  virtual void SetEditText(int col, int row, const QString& value);
  virtual QString GetEditText(int col, int row) const { return Cells(col, row); }

  void ShowEditor();
  void HideEditor();

 protected:
  // Paints one cell. The canvas holds the cell's colours (fixed, selected or plain) and
  // the grid's font; the base draws the text 2 pixels inside and raises OnDrawCell.
  virtual void DrawCell(QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state);
  virtual bool CanEditShow() const;
  // Prepares the editor for the current cell (text, place) before it shows.
  virtual void PrepareEditor(TInplaceEdit& editor);
  virtual bool SelectCell(int col, int row);
  // The current cell moved away from (oldCol, oldRow).
  virtual void CurrentCellChanged(int /*oldCol*/, int /*oldRow*/) {}
  virtual void ColWidthsChanged() {}
  virtual void RowHeightsChanged() {}
  // Rows and columns moved: the base moves texts and objects.
  virtual void ColumnMoved(int from, int to);
  virtual void RowMoved(int from, int to);
  virtual void SizeChanged(int /*oldColCount*/, int /*oldRowCount*/) {}
  // A click on a cell, released on the same cell.
  virtual void CellClicked(int /*col*/, int /*row*/) {}

  void MoveColumn(int from, int to);
  void MoveRow(int from, int to);
  // Two rows (columns) change places: the base swaps texts and objects.
  virtual void RowsSwapped(int a, int b);
  virtual void ColumnsSwapped(int a, int b);
  // Moves the current cell without asking or telling anyone: the data moved under it.
  void SetCurrentQuietly(int col, int row);
  bool event(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;

  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

  // Moves the current cell by the keys (arrows, pages, Home, End), stretching the
  // selection with Shift.
  bool MoveByKey(QKeyEvent* event);

 private:
  void Resize(int cols, int rows);
  void UpdateScrollBars();
  void Relayout();
  void PlaceEditor();
  int LastTopRow() const;
  int LastLeftCol() const;
  int ColumnX(int col) const;
  int RowY(int row) const;

  std::vector<std::vector<QString>> cells_;  // [row][col]
  std::vector<std::vector<QVariant>> objects_;
  std::vector<int> colWidths_, rowHeights_;
  std::vector<char> tabStops_;  // not vector<bool>: its items move as values
  int colCount_ = 0, rowCount_ = 0;
  int fixedCols_ = 1, fixedRows_ = 1;
  int defaultColWidth_ = 64, defaultRowHeight_ = 24;
  int gridLineWidth_ = 1;
  TGridOptions options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  TColor color_ = clWindow;
  TColor fixedColor_ = clBtnFace;
  bool defaultDrawing_ = true;
  int col_ = 1, row_ = 1;
  int anchorCol_ = 1, anchorRow_ = 1;
  int topRow_ = 1, leftCol_ = 1;
  bool editorMode_ = false;
  bool scrolling_ = false;
  bool selecting_ = false;
  TGridCoord pressed_;
  TInplaceEdit* editor_ = nullptr;
  QPainter* canvas_ = nullptr;
};

}  // namespace qx
