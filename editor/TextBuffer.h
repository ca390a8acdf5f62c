// The line store behind every editor control: one contiguous array of line records, each
// with the line's text, a caller-owned object, the highlighter's range state at the end of
// the line and the cached width of the line with tabs expanded. A line whose characters
// all lie below 256 is kept one byte per character, any other four bytes per character, so
// that a program takes little more memory than its file. The list remembers the
// line-break format and the encoding of the last load and saves files back with them.
#pragma once
#include <cstdint>
#include <functional>
#include <cstdio>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "editor/BeginEndScope.h"
#include "editor/TabExpansion.h"
#include "editor/TextEncoding.h"

namespace qx {

// The highlighter's state at the end of a line; opaque to the buffer.
using TSynRange = std::intptr_t;
constexpr TSynRange kRangeNotScanned = -1;

enum TSynLineBreakFormat : unsigned char { lbfCRLF = 0, lbfLF = 1, lbfCR = 2 };

class TSrcEditStringList {
 public:
  using TNotifyEvent = std::function<void(TSrcEditStringList& sender)>;
  using TLinesEvent = std::function<void(TSrcEditStringList& sender, int index, int count)>;

  TSrcEditStringList();
  TSrcEditStringList(const TSrcEditStringList&) = delete;
  TSrcEditStringList& operator=(const TSrcEditStringList&) = delete;

  // Reading never raises: outside 0..Count-1 a line is empty, an object nil, a range 0.
  int Count() const { return static_cast<int>(lines_.size()); }
  int Capacity() const { return capacity_; }
  std::u32string Get(int index) const;
  // Characters of the line, and whether it holds a TAB, without copying it (0 and false
  // outside the range).
  int Length(int index) const;
  bool HasTab(int index) const;
  void* GetObject(int index) const;
  TSynRange GetRange(int index) const;

  // Index = Count appends. Keeps the line's range and object.
  void Put(int index, std::u32string text);
  void PutObject(int index, void* object);
  void PutRange(int index, TSynRange range);
  void SetCapacity(int capacity);

  int Add(std::u32string text);
  void AddStrings(const TSrcEditStringList& source);
  void Insert(int index, std::u32string text);
  void InsertLines(int index, int count);
  void Delete(int index);
  void DeleteLines(int index, int count);
  void Exchange(int index1, int index2);
  void Clear();

  // Every line followed by CR LF, the last break removed.
  std::u32string GetTextStr() const;
  // Splits at CR, LF or CR LF; a NUL ends the text; a final break adds no empty line.
  void SetTextStr(std::u32string_view text);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // Tab expansion and the longest line, cached per line and recomputed lazily.
  std::u32string ExpandedStrings(int index);
  int ExpandedStringLengths(int index);
  int LengthOfLongestLine();
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int width);

  TSynLineBreakFormat Format() const { return format_; }
  void SetFormat(TSynLineBreakFormat format) { format_ = format; }
  TTextEncoding Encoding() const { return encoding_; }
  void SetEncoding(TTextEncoding encoding) { encoding_ = encoding; }

  // Loading reads the whole data at once; saving writes the lines with the list's line
  // break (none after the last line) in the list's encoding. A list holding characters
  // that Windows-1252 cannot write is saved as UTF-8 instead, so nothing is lost.
  void LoadFromStream(std::istream& in);
  void SaveToStream(std::ostream& out) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;
  // The encoding a save writes in.
  TTextEncoding SaveEncoding() const;
  // Loads from bytes already in memory (what LoadFromStream does after reading).
  void LoadFromBytes(std::string_view bytes);

  TNotifyEvent OnChange, OnChanging, OnLinesCleared;
  TLinesEvent OnLinesDeleted, OnLinesInserted, OnLinePut;

 private:
  enum : std::uint8_t { kHasTabs = 1, kHasNoTabs = 2, kExpandedLengthUnknown = 4 };
  // How the text is kept: every character below 128 (the bytes are UTF-8 and Windows-1252
  // as they stand), below 256 (one byte each), or four bytes each.
  enum TTextForm : std::uint8_t { tfAscii, tfLatin1, tfWide };

  struct TLineRecord {
    std::string text;
    void* object = nullptr;
    TSynRange range = kRangeNotScanned;
    std::int32_t expandedLength = -1;
    std::uint8_t flags = kExpandedLengthUnknown;
    TTextForm form = tfAscii;
  };
  static void StoreText(TLineRecord& rec, std::u32string_view text);
  static std::u32string LoadText(const TLineRecord& rec);
  static std::size_t TextLength(const TLineRecord& rec);
  static bool TextHasTab(const TLineRecord& rec);
  static void AppendLine(std::string& out, const TLineRecord& rec, TTextEncoding encoding);
  // The longest line after a line's length became known or changed.
  void NoteLength(int index);

  // Opens an update bracket for the length of one mutation.
  using UpdateScope =
      TBeginEndScope<TSrcEditStringList, &TSrcEditStringList::BeginUpdate, &TSrcEditStringList::EndUpdate>;

  void SetUpdateState(bool updating);
  [[noreturn]] static void ListIndexError(int index);
  void Grow();
  void InsertRecord(int index, TLineRecord rec);
  int ExpandLength(TLineRecord& rec);
  void Reallocate(int capacity);

  std::vector<TLineRecord> lines_;
  int capacity_ = 0;
  int updateCount_ = 0;
  int indexOfLongestLine_ = -1;
  int longestLength_ = 0;
  int tabWidth_ = 8;
  TTabExpander convertTabs_;
  TSynLineBreakFormat format_ = lbfCRLF;
  TTextEncoding encoding_ = TTextEncoding::Utf8;
};

// Buffered writer of a text file: lines go into a 16 KiB buffer that is written in one
// block when full, grown for a line that is larger than it.
class TSrcEditFileWriter {
 public:
  TSrcEditFileWriter(const std::string& fileName, TSynLineBreakFormat format, TTextEncoding encoding);
  ~TSrcEditFileWriter();
  TSrcEditFileWriter(const TSrcEditFileWriter&) = delete;
  TSrcEditFileWriter& operator=(const TSrcEditFileWriter&) = delete;

  void WriteLine(std::u32string_view text);
  void WriteLineNoBreak(std::u32string_view text);
  // A line already in the writer's encoding.
  void WriteEncoded(std::string_view bytes, bool withBreak);
  void Flush();

 private:
  void Write(std::u32string_view text, bool withBreak);
  // Makes room for a line of `bytes` bytes (and its break): writes the buffer out when the
  // line would not fit, and grows it for a line larger than it. Returns the break.
  std::string_view MakeRoom(std::size_t bytes, bool withBreak);

  std::string fileName_;
  std::FILE* file_ = nullptr;
  std::string buffer_;
  std::size_t bufferSize_ = 16384;
  TSynLineBreakFormat format_;
  TTextEncoding encoding_;
};

}  // namespace qx
