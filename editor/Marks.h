// Marks: pictures attached to buffer lines and shown in the gutter. A bookmark is a mark
// with a number 0..9. Marks follow their lines when lines are inserted or deleted above
// them, and never disappear with their lines.
#pragma once
#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace qx {

class TSrcEditMarkList;

// What a mark needs of the editor that shows it.
class TSrcEditMarkHost {
 public:
  virtual ~TSrcEditMarkHost() = default;
  virtual TSrcEditMarkList& Marks() = 0;
  // Repaints one buffer line (1-based), gutter included.
  virtual void InvalidateLine(int line) = 0;
};

class TSrcEditMark {
 public:
  explicit TSrcEditMark(TSrcEditMarkHost* editor) : editor_(editor) {}
  virtual ~TSrcEditMark() = default;

  int Line() const { return line_; }
  int Char() const { return char_; }
  int ImageIndex() const { return imageIndex_; }
  bool Visible() const { return visible_; }
  bool InternalImage() const { return internalImage_; }
  int BookmarkNumber() const { return bookmarkNumber_; }
  bool IsBookmark() const { return bookmarkNumber_ >= 0; }

  // Moving a shown mark repaints both its old and its new line.
  virtual void SetLine(int line);
  virtual void SetChar(int ch) { char_ = ch; }
  virtual void SetImageIndex(int index);
  void SetInternalImage(bool value);
  void SetVisible(bool value);
  void SetBookmarkNumber(int number) { bookmarkNumber_ = number; }
  // The owning editor; nil (and forgotten) once the editor's list no longer holds the mark.
  virtual TSrcEditMarkHost* GetEdit();

 private:
  void InvalidateOwnLine();

  int line_ = 0;
  int char_ = 0;
  int imageIndex_ = 0;
  TSrcEditMarkHost* editor_;
  bool visible_ = false;
  bool internalImage_ = false;
  int bookmarkNumber_ = -1;
};

constexpr int kMaxMarksPerLine = 16;
using TSrcEditMarks = std::array<TSrcEditMark*, kMaxMarksPerLine>;

// The editor's marks, owned: a deleted or cleared mark is freed, an extracted one is
// handed back. Every change fires OnChange.
class TSrcEditMarkList {
 public:
  TSrcEditMarkList() = default;
  TSrcEditMarkList(const TSrcEditMarkList&) = delete;
  TSrcEditMarkList& operator=(const TSrcEditMarkList&) = delete;

  int Count() const { return static_cast<int>(marks_.size()); }
  TSrcEditMark* Items(int index) const { return marks_.at(static_cast<std::size_t>(index)).get(); }
  int IndexOf(const TSrcEditMark* mark) const;
  TSrcEditMark* Add(std::unique_ptr<TSrcEditMark> mark);
  std::unique_ptr<TSrcEditMark> Extract(TSrcEditMark* mark);
  void Delete(int index);
  void Clear();
  // The marks of the line in list order, at most 16; the rest of the array is nil.
  void GetMarksForLine(int line, TSrcEditMarks& marks) const;

  std::function<void(TSrcEditMarkList& sender)> OnChange;

 private:
  void Changed();
  std::vector<std::unique_ptr<TSrcEditMark>> marks_;
};

}  // namespace qx
