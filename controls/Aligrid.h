// TStringAlignGrid: a string grid in which alignment, word wrap, editability, font, brush,
// selected brush and selected font can be set per cell, per column, per row, per fixed
// column and per fixed row, each falling back to the next level and finally to the grid's
// own default. It adds an edit cycle with before/validate/after/cancel events, moves to
// the next cell after an edit or a Tab, cell hints, sorting, rows and columns inserted,
// moved and swapped with their properties, the last column widened to the client, and
// the grid text of files and the clipboard (GridText.cpp).
#pragma once
#include <QFont>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "controls/StringGrid.h"

namespace qx {

enum TMyAlign : std::uint8_t { alRight = 0, alLeft = 1, alCenter = 2, alDefault = 3 };
enum T_Wordwrap : std::uint8_t { ww_none = 0, ww_wordwrap = 1, ww_ellipsis = 2, ww_default = 3 };
enum T_nextcell : std::uint8_t {
  nc_rightdown, nc_downright, nc_leftdown, nc_downleft, nc_leftup, nc_upleft, nc_rightup, nc_upright
};
enum T_lastcell : std::uint8_t { lc_newcolrow, lc_stop, lc_first, lc_exit };

// A cell's font with its colour, and its brush, as the toolkit's font and brush objects.
struct TMyFont {
  QFont Font;
  TColor Color = clWindowText;
  bool operator==(const TMyFont&) const = default;
};
struct TMyBrush {
  TColor Color = clWindow;
  Qt::BrushStyle Style = Qt::SolidPattern;
  bool operator==(const TMyBrush&) const = default;
};

// What one cell, column, row, fixed column or fixed row has set; nothing set is the
// next level's business.
class TCellProperties {
 public:
  enum : std::uint8_t { EditUnset = 0, EditFalse = 1, EditTrue = 2 };
  TCellProperties() = default;
  virtual ~TCellProperties() = default;
  TCellProperties(const TCellProperties&) = delete;
  TCellProperties& operator=(const TCellProperties&) = delete;

  std::unique_ptr<TMyBrush> Brush;
  std::unique_ptr<TMyBrush> SelectedBrush;
  std::unique_ptr<TMyFont> Font;
  std::unique_ptr<TMyFont> SelectedFont;
  std::uint8_t Alignment = alDefault;
  std::uint8_t Wordwrap = ww_default;
  std::uint8_t Editable = EditUnset;

  // A copy of the source's settings; nothing set for a null source.
  virtual void Assign(const TCellProperties* source);
  virtual bool IsEmpty() const;
  virtual std::unique_ptr<TCellProperties> Clone() const;
};

// The level a property is set at: a cell (column, row), or a column, row, fixed column or
// fixed row (by its index).
enum class TPropLevel { Cell, Col, Row, FixedCol, FixedRow };
struct TPropAt {
  TPropLevel Level;
  int Index;    // column, or row for Row and FixedRow
  int Row = 0;  // the row of a cell
  static TPropAt Cell(int col, int row) { return {TPropLevel::Cell, col, row}; }
  static TPropAt Col(int col) { return {TPropLevel::Col, col}; }
  static TPropAt RowAt(int row) { return {TPropLevel::Row, row}; }
  static TPropAt FixedCol(int col) { return {TPropLevel::FixedCol, col}; }
  static TPropAt FixedRow(int row) { return {TPropLevel::FixedRow, row}; }
};

// A grid text that would make the grid too big, or a file that is no grid text.
class EGridTextError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TStringAlignGrid : public TStringGrid {
 public:
  using TCellEvent = std::function<void(QObject* sender, int col, int row)>;
  using TCellEventBool = std::function<void(QObject* sender, int col, int row, bool& accept)>;
  using TShowHintCellProc = std::function<void(QObject* sender, int col, int row, QString& hint)>;
  // Compares two rows (columns) by the key column (row): 2 less, 1 equal, 0 greater.
  using TCompareFunction = std::function<int(QObject* sender, int key, int index1, int index2)>;
  using TColEvent = std::function<void(QObject* sender, int col)>;
  using TRowEvent = std::function<void(QObject* sender, int row)>;

  // The most a grid text may make the grid.
  static constexpr int kMaxTextRows = 10000;
  static constexpr int kMaxTextCols = 1000;

  explicit TStringAlignGrid(QWidget* owner = nullptr);
  ~TStringAlignGrid() override;

  // ---- Grid-wide defaults ----
  TMyAlign Alignment() const { return alignment_; }
  void SetAlignment(TMyAlign value);
  T_Wordwrap Wordwrap() const { return wordwrap_; }
  void SetWordwrap(T_Wordwrap value);
  bool Editable() const { return editable_; }
  void SetEditable(bool value);
  TColor SelectedCellColor() const { return selectedCellColor_; }
  void SetSelectedCellColor(TColor value);
  TColor SelectedFontColor() const { return selectedFontColor_; }
  void SetSelectedFontColor(TColor value);
  // The grid's font colour (the toolkit's Font.Color) and the fixed cells' font.
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor value);
  TMyFont FixedFont() const;
  void SetFixedFont(const TMyFont& font);
  void SetFixedColor(TColor color) override;

  bool ShowCellHints() const { return showCellHints_; }
  void SetShowCellHints(bool value) { showCellHints_ = value; }
  bool SelectEditText() const { return selectEditText_; }
  void SetSelectEditText(bool value) { selectEditText_ = value; }
  bool EditMultiline() const { return editMultiline_; }
  void SetEditMultiline(bool value) { editMultiline_ = value; }
  bool AutoEditNextCell() const { return autoEditNextCell_; }
  void SetAutoEditNextCell(bool value) { autoEditNextCell_ = value; }
  T_nextcell NextCellEdit() const { return nextCellEdit_; }
  void SetNextCellEdit(T_nextcell value) { nextCellEdit_ = value; }
  T_nextcell NextCellTab() const { return nextCellTab_; }
  void SetNextCellTab(T_nextcell value) { nextCellTab_ = value; }
  T_lastcell AfterLastCellEdit() const { return afterLastCellEdit_; }
  void SetAfterLastCellEdit(T_lastcell value) { afterLastCellEdit_ = value; }
  T_lastcell AfterLastCellTab() const { return afterLastCellTab_; }
  void SetAfterLastCellTab(T_lastcell value) { afterLastCellTab_ = value; }
  bool DrawSelection() const { return drawSelection_; }
  void SetDrawSelection(bool value);
  bool AutoAdjustLastCol() const { return autoAdjustLastCol_; }
  void SetAutoAdjustLastCol(bool value);
  void SetGridLineWidth(int value) override;
  bool RedrawWhileScroll() const { return (Options() & goThumbTracking) != 0; }
  void SetRedrawWhileScroll(bool value);
  // Copy, cut and paste by the keys (on from construction).
  bool ClipboardMessages() const { return clipboardMessages_; }
  void SetClipboardMessages(bool value) { clipboardMessages_ = value; }
  // When on, pasting, cutting and reading text leave cells that are not editable alone.
  bool ProtectReadOnlyCells() const { return protectReadOnlyCells_; }
  void SetProtectReadOnlyCells(bool value) { protectReadOnlyCells_ = value; }

  // ---- Properties per level ----
  // The value set at that level (the "not set" value when none).
  TMyAlign GetAlignment(TPropAt at) const;
  void SetAlignment(TPropAt at, TMyAlign value);
  T_Wordwrap GetWordwrap(TPropAt at) const;
  void SetWordwrap(TPropAt at, T_Wordwrap value);
  // 0 not set, 1 false, 2 true.
  std::uint8_t GetEditable(TPropAt at) const;
  void SetEditable(TPropAt at, bool value);
  void ResetEditable(TPropAt at);
  // The entry's own font (brush) or none; setting none clears it.
  const TMyFont* GetFont(TPropAt at) const;
  void SetFont(TPropAt at, const TMyFont* font);
  const TMyBrush* GetBrush(TPropAt at) const;
  void SetBrush(TPropAt at, const TMyBrush* brush);
  const TMyBrush* GetSelectedBrush(TPropAt at) const;
  const TMyFont* GetSelectedFont(TPropAt at) const;
  // A solid brush of the colour, as the brush or the selected brush.
  void SetColor(TPropAt at, TColor color);
  void SetSelectedColor(TPropAt at, TColor color);
  // The selected font's colour (the font a copy of the grid's when not set).
  void SetSelectedFontColor(TPropAt at, TColor color);
  // Clears everything set at that level.
  void ResetProperties(TPropAt at);
  const TCellProperties* Properties(TPropAt at) const;

  // The toolkit's names for the alignments and editability.
  void SetAlignCell(int col, int row, TMyAlign a) { SetAlignment(TPropAt::Cell(col, row), a); }
  void SetAlignCol(int col, TMyAlign a) { SetAlignment(TPropAt::Col(col), a); }
  void SetAlignRow(int row, TMyAlign a) { SetAlignment(TPropAt::RowAt(row), a); }
  void SetFixedAlignCol(int col, TMyAlign a) { SetAlignment(TPropAt::FixedCol(col), a); }
  void SetFixedAlignRow(int row, TMyAlign a) { SetAlignment(TPropAt::FixedRow(row), a); }
  void SetEditCell(int col, int row, bool e) { SetEditable(TPropAt::Cell(col, row), e); }
  void SetEditCol(int col, bool e) { SetEditable(TPropAt::Col(col), e); }
  void SetEditRow(int row, bool e) { SetEditable(TPropAt::RowAt(row), e); }

  // ---- Effective values of a cell ----
  TMyAlign CellAlignment(int col, int row) const;
  T_Wordwrap CellWordwrap(int col, int row) const;
  bool CellEditable(int col, int row) const;
  TMyFont CellFont(int col, int row) const;
  TMyBrush CellBrush(int col, int row) const;
  TColor CellSelectedColor(int col, int row) const;
  TColor CellSelectedFontColor(int col, int row) const;
  // The narrowest column that shows the cell's text whole on one line, in the cell's font
  // and between the margins it is drawn in.
  int CellTextWidth(int col, int row) const;
  bool IsFixed(int col, int row) const { return col < FixedCols() || row < FixedRows(); }

  // ---- Hints ----
  QString HintCell(int col, int row) const;
  void SetHintCell(int col, int row, const QString& hint);
  TGridCoord HintShowing() const { return hintCell_; }

  // ---- Rows and columns ----
  void InsertCol(int index);
  void InsertRow(int index);
  using TStringGrid::MoveColumn;
  using TStringGrid::MoveRow;
  void SwapCols(int a, int b);
  void SwapRows(int a, int b);
  // Sorts rows first..last by the key column (columns by the key row).
  void SortRows(int keyCol, int first, int last, bool ascending = true);
  void SortCols(int keyRow, int first, int last, bool ascending = true);

  // ---- Editing ----
  bool Editing() const { return editing_; }
  TGridCoord EditCell() const { return editCell_; }

  // ---- Grid text, files and the clipboard ----
  // The text of a range: one line per row, each cell followed by the separator, lines
  // ended by CR LF. A right column (bottom row) below the left (top) or below 0 is the
  // last; a left column (top row) below 0 is 0.
  QString WriteCellsText(QChar separator, TGridRect range) const;
  // Reads a text into the grid from the range's left column and top row, with its right
  // column and bottom row as limits (below the left or top: no limit); the grid grows as
  // needed. Raises EGridTextError, changing nothing, for a text that would make the grid
  // bigger than kMaxTextRows x kMaxTextCols or that holds a NUL character.
  void ReadCellsText(const QString& text, QChar separator, TGridRect range);
  // The whole grid, TAB-separated, in Windows-1252; an existing file is replaced. Answers
  // the first character that the code page could not hold (written as "?"), or nothing.
  // Raises std::runtime_error when the file cannot be written.
  QString SaveToFile(const QString& fileName) const;
  // Reads a file written by SaveToFile into the grid from its first cell, without limits.
  // Raises std::runtime_error when it cannot be read and EGridTextError as ReadCellsText;
  // either way the grid is unchanged.
  void LoadFromFile(const QString& fileName);
  void CopyRangeToClipboard(QChar separator, TGridRect range) const;
  void PasteRangeFromClipboard(QChar separator, TGridRect range);
  void CopyToClipboard() const;
  // What the clipboard keys do with the selection.
  void ClipboardCopy() const;
  void ClipboardCut();
  void ClipboardPaste();

  TShowHintCellProc OnShowHintCell;
  TCellEvent OnBeforeEdit;
  TCellEvent OnAfterEdit;
  TCellEvent OnCancelEdit;
  TCellEventBool OnValidateEdit;
  TCompareFunction OnCompareCol;
  TCompareFunction OnCompareRow;
  TNotifyEvent OnColWidthsChanged;
  TNotifyEvent OnRowHeightsChanged;
  TColEvent OnFixedColClick;
  TRowEvent OnFixedRowClick;

  bool EditorKeyPress(QKeyEvent* event) override;

 protected:
  void DrawCell(QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state) override;
  bool CanEditShow() const override;
  void PrepareEditor(TInplaceEdit& editor) override;
  void CurrentCellChanged(int oldCol, int oldRow) override;
  void ColWidthsChanged() override;
  void RowHeightsChanged() override;
  void ColumnMoved(int from, int to) override;
  void RowMoved(int from, int to) override;
  void CellClicked(int col, int row) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  using PropList = std::vector<std::unique_ptr<TCellProperties>>;
  TCellProperties* Entry(TPropAt at, bool create);
  const TCellProperties* Entry(TPropAt at) const;
  // The first entry of the chain cell, column, row that `has` accepts.
  template <typename Has>
  const TCellProperties* Lookup(int col, int row, Has has, bool fixedLevels = true) const;
  void Changed();
  // The first show of the editor for the current cell: OnBeforeEdit, the text remembered.
  void BeginEdit();
  // Ends the edit of a cell: validation, then OnAfterEdit and, after Enter, the next
  // cell; a refusal goes back to the cell with the editor open (taking the focus only
  // when `takeFocus`).
  void EndEdit(int col, int row, bool byEnter, bool takeFocus = true);
  void CancelEdit();
  void FocusLeft();
  void FocusCame();
  // Moves to the next cell after an edit or a Tab, as the direction and the rule after
  // the last cell say.
  void MoveToNextCell(T_nextcell direction, T_lastcell last, bool afterEdit);
  void AdjustLastCol();
  int Compare(bool rows, int key, int a, int b) const;
  void QuickSort(bool rows, int key, int lo, int hi, bool ascending);
  void SwapLines(bool rows, int a, int b);
  // Reads `text` into the grid with the separator and limits (already normalised).
  void ReadCellsTextChecked(const QString& text, QChar separator, TGridRect range);

  PropList propCol_, propRow_, propFixedCol_, propFixedRow_;
  std::vector<PropList> propCell_;          // [col][row]
  std::vector<std::vector<QString>> hints_;  // [col][row]
  TMyAlign alignment_ = alLeft;
  T_Wordwrap wordwrap_ = ww_none;
  bool editable_ = true;
  TColor selectedCellColor_ = clActiveCaption;
  TColor selectedFontColor_ = clWhite;
  TColor fontColor_ = clWindowText;
  std::unique_ptr<TMyFont> fixedFont_;  // none: the grid's font
  bool showCellHints_ = true;
  bool selectEditText_ = true;
  bool editMultiline_ = false;
  bool autoEditNextCell_ = false;
  T_nextcell nextCellEdit_ = nc_rightdown;
  T_nextcell nextCellTab_ = nc_rightdown;
  T_lastcell afterLastCellEdit_ = lc_newcolrow;
  T_lastcell afterLastCellTab_ = lc_first;
  bool drawSelection_ = true;
  bool autoAdjustLastCol_ = false;
  bool clipboardMessages_ = true;
  bool protectReadOnlyCells_ = false;
  TGridCoord hintCell_;
  // The edit in progress: the cell, its text when the edit began, the editor's selection
  // when the focus left.
  bool editing_ = false;
  TGridCoord editCell_;
  QString textBeforeEdit_;
  int savedSelStart_ = -1, savedSelEnd_ = -1;
  bool focusInside_ = false;
};

}  // namespace qx
