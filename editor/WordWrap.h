// Word wrap: a line longer than the window shows as several rows. The plug-in keeps the
// division of every line into rows and converts between buffer positions (char, line)
// and display positions (column, row); the editor tells it of every change of its lines.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "editor/EditorTypes.h"
#include "editor/TextBuffer.h"

namespace qx {

// What a buffer plug-in offers the editor.
class ISrcEditBufferPlugin {
 public:
  virtual ~ISrcEditBufferPlugin() = default;
  virtual TDisplayPos BufferToDisplayPos(const TBufferCoord& pos) const = 0;
  virtual TBufferCoord DisplayToBufferPos(const TDisplayPos& pos) const = 0;
  virtual int RowCount() const = 0;
  virtual int GetRowLength(int row) const = 0;
  // Indexes are 0-based; each answers the change of the row count.
  virtual int LinesInserted(int index, int count) = 0;
  virtual int LinesDeleted(int index, int count) = 0;
  virtual int LinesPutted(int index, int count) = 0;
  virtual void DisplayChanged() = 0;
  virtual void Reset() = 0;
};

// What the plug-in reads of the editor that owns it.
class TSrcEditWordWrapHost {
 public:
  virtual ~TSrcEditWordWrapHost() = default;
  virtual TSrcEditStringList& WrapLines() = 0;
  virtual int WrapCharsInWindow() const = 0;
  virtual bool WrapIsIdentChar(char32_t c) const = 0;
};

class TSynWordWrapPlugin : public ISrcEditBufferPlugin {
 public:
  // Without an owner raises std::runtime_error "TSynWordWrapPlugin must be owned by
  // TCustomSrcEdit". Wraps the whole text.
  explicit TSynWordWrapPlugin(TSrcEditWordWrapHost* owner);

  TDisplayPos BufferToDisplayPos(const TBufferCoord& pos) const override;
  TBufferCoord DisplayToBufferPos(const TDisplayPos& pos) const override;
  int RowCount() const override;
  // Outside 1..RowCount raises std::out_of_range "List index out of bounds (%d)".
  int GetRowLength(int row) const override;
  int LinesInserted(int index, int count) override;
  int LinesDeleted(int index, int count) override;
  int LinesPutted(int index, int count) override;
  void DisplayChanged() override;
  void Reset() override;

  int MaxRowLength() const { return maxRowLength_; }
  int MinRowLength() const { return minRowLength_; }
  int LineCount() const { return lineCount_; }
  // The 1-based row where the 1-based line starts, and the line of a row.
  int LineToFirstRow(int line) const;
  int RowToLine(int row) const;
  int LineOffset(int lineIndex) const { return lineOffsets_[static_cast<std::size_t>(lineIndex)]; }

 private:
  void WrapLines();
  int ReWrapLine(int index);  // rows of the line, stored at its place
  void SetMaxRowLength();
  std::vector<std::uint8_t> RowsOf(int index) const;

  TSrcEditWordWrapHost* owner_;
  int maxRowLength_ = 0;
  int minRowLength_ = 1;
  int lineCount_ = 0;
  std::vector<std::int32_t> lineOffsets_;  // rows up to and including each line
  std::vector<std::uint8_t> rowLengths_;
};

}  // namespace qx
