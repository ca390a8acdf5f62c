#include "editor/TextBuffer.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <iterator>
#include <ostream>

#include "editor/EditorExceptions.h"

namespace qx {

namespace {

const std::u32string kEmpty;

std::string_view LineBreak(TSynLineBreakFormat format) {
  switch (format) {
    case lbfLF: return "\n";
    case lbfCR: return "\r";
    default: return "\r\n";
  }
}

}  // namespace

TSrcEditStringList::TSrcEditStringList() : convertTabs_(GetBestConvertTabsProc(tabWidth_)) {}

void TSrcEditStringList::ListIndexError(int index) {
  throw ESrcEditStringList("Invalid stringlist index " + std::to_string(index));
}

std::u32string TSrcEditStringList::Get(int index) const { return Ref(index); }

const std::u32string& TSrcEditStringList::Ref(int index) const {
  if (index < 0 || index >= Count()) return kEmpty;
  return lines_[static_cast<std::size_t>(index)].text;
}

void* TSrcEditStringList::GetObject(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return lines_[static_cast<std::size_t>(index)].object;
}

TSynRange TSrcEditStringList::GetRange(int index) const {
  if (index < 0 || index >= Count()) return 0;
  return lines_[static_cast<std::size_t>(index)].range;
}

void TSrcEditStringList::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TSrcEditStringList::EndUpdate() {
  if (updateCount_ == 0) return;
  --updateCount_;
  if (updateCount_ == 0) SetUpdateState(false);
}

void TSrcEditStringList::SetUpdateState(bool updating) {
  if (updating) {
    if (OnChanging) OnChanging(*this);
  } else if (OnChange) {
    OnChange(*this);
  }
}

void TSrcEditStringList::Reallocate(int capacity) {
  const auto cap = static_cast<std::size_t>(capacity);
  if (cap < lines_.capacity()) {
    std::vector<TLineRecord> smaller;
    smaller.reserve(cap);
    std::move(lines_.begin(), lines_.end(), std::back_inserter(smaller));
    lines_.swap(smaller);
  } else {
    lines_.reserve(cap);
  }
  capacity_ = capacity;
}

void TSrcEditStringList::SetCapacity(int capacity) {
  if (capacity < Count()) throw EListError("Stringlist capacity cannot be smaller than count");
  Reallocate(capacity);
}

void TSrcEditStringList::Grow() {
  Reallocate(capacity_ > 64 ? capacity_ + capacity_ / 4 : capacity_ + 16);
}

void TSrcEditStringList::Put(int index, std::u32string text) {
  if (index == Count()) {
    Add(std::move(text));
    return;
  }
  if (index < 0 || index > Count()) ListIndexError(index);
  UpdateScope update(*this);
  TLineRecord& rec = lines_[static_cast<std::size_t>(index)];
  rec.text = std::move(text);
  rec.flags = kExpandedLengthUnknown;
  rec.expandedLength = -1;
  indexOfLongestLine_ = -1;
  if (OnLinePut) OnLinePut(*this, index, 1);
}

void TSrcEditStringList::PutObject(int index, void* object) {
  if (index < 0 || index >= Count()) ListIndexError(index);
  UpdateScope update(*this);
  lines_[static_cast<std::size_t>(index)].object = object;
}

void TSrcEditStringList::PutRange(int index, TSynRange range) {
  if (index < 0 || index >= Count()) ListIndexError(index);
  UpdateScope update(*this);
  lines_[static_cast<std::size_t>(index)].range = range;
}

void TSrcEditStringList::InsertItem(int index, std::u32string text) {
  if (Count() == capacity_) Grow();
  TLineRecord rec;
  rec.text = std::move(text);
  lines_.insert(lines_.begin() + index, std::move(rec));
  // A new line may be the longest, and every line behind it has moved.
  indexOfLongestLine_ = -1;
}

int TSrcEditStringList::Add(std::u32string text) {
  const int index = Count();
  Insert(index, std::move(text));
  return index;
}

void TSrcEditStringList::Insert(int index, std::u32string text) {
  if (index < 0 || index > Count()) ListIndexError(index);
  UpdateScope update(*this);
  InsertItem(index, std::move(text));
  if (OnLinesInserted) OnLinesInserted(*this, index, 1);
}

void TSrcEditStringList::AddStrings(const TSrcEditStringList& source) {
  if (source.Count() == 0) return;
  // Adding a list to itself reads a copy, since appending moves the records.
  std::vector<TLineRecord> copy;
  const std::vector<TLineRecord>* from = &source.lines_;
  if (&source == this) {
    copy = source.lines_;
    from = &copy;
  }
  UpdateScope update(*this);
  indexOfLongestLine_ = -1;
  const int first = Count();
  const int n = static_cast<int>(from->size());
  if (first + n > capacity_) Reallocate((first + n + 15) / 16 * 16);
  for (const TLineRecord& src : *from) {
    TLineRecord rec;
    rec.text = src.text;
    rec.object = src.object;
    lines_.push_back(std::move(rec));
  }
  if (OnLinesInserted) OnLinesInserted(*this, first, n);
}

void TSrcEditStringList::InsertLines(int index, int count) {
  if (index < 0 || index > Count()) ListIndexError(index);
  if (count <= 0) return;
  UpdateScope update(*this);
  Reallocate(Count() + count);
  lines_.insert(lines_.begin() + index, static_cast<std::size_t>(count), TLineRecord{});
  indexOfLongestLine_ = -1;
  if (OnLinesInserted) OnLinesInserted(*this, index, count);
}

void TSrcEditStringList::Delete(int index) {
  if (index < 0 || index >= Count()) ListIndexError(index);
  UpdateScope update(*this);
  lines_.erase(lines_.begin() + index);
  indexOfLongestLine_ = -1;
  if (OnLinesDeleted) OnLinesDeleted(*this, index, 1);
}

void TSrcEditStringList::DeleteLines(int index, int count) {
  if (index < 0 || index > Count()) ListIndexError(index);
  count = std::min(count, Count() - index);
  if (count <= 0) return;
  {
    // Only the move of the records is bracketed; the deletion is reported behind it.
    UpdateScope update(*this);
    lines_.erase(lines_.begin() + index, lines_.begin() + index + count);
    indexOfLongestLine_ = -1;
  }
  if (OnLinesDeleted) OnLinesDeleted(*this, index, count);
}

void TSrcEditStringList::Exchange(int index1, int index2) {
  if (index1 < 0 || index1 >= Count()) ListIndexError(index1);
  if (index2 < 0 || index2 >= Count()) ListIndexError(index2);
  UpdateScope update(*this);
  std::swap(lines_[static_cast<std::size_t>(index1)], lines_[static_cast<std::size_t>(index2)]);
  if (indexOfLongestLine_ == index1)
    indexOfLongestLine_ = index2;
  else if (indexOfLongestLine_ == index2)
    indexOfLongestLine_ = index1;
}

void TSrcEditStringList::Clear() {
  if (Count() > 0) {
    UpdateScope update(*this);
    lines_.clear();
    Reallocate(0);
    if (OnLinesCleared) OnLinesCleared(*this);
  }
  indexOfLongestLine_ = -1;
}

std::u32string TSrcEditStringList::GetTextStr() const {
  std::size_t size = 0;
  for (const TLineRecord& rec : lines_) size += rec.text.size() + 2;
  std::u32string out;
  out.reserve(size);
  for (const TLineRecord& rec : lines_) {
    out += rec.text;
    out += U"\r\n";
  }
  if (!out.empty()) out.resize(out.size() - 2);
  return out;
}

void TSrcEditStringList::SetTextStr(std::u32string_view text) {
  UpdateScope update(*this);
  Clear();
  const std::size_t end = std::min(text.find(U'\0'), text.size());
  std::size_t p = 0;
  while (p < end) {
    std::size_t start = p;
    while (p < end && text[p] != U'\r' && text[p] != U'\n') ++p;
    Add(std::u32string(text.substr(start, p - start)));
    if (p < end && text[p] == U'\r') ++p;
    if (p < end && text[p] == U'\n') ++p;
  }
}

int TSrcEditStringList::ExpandLength(TLineRecord& rec) {
  const bool hasTabs = rec.text.find(U'\t') != std::u32string::npos;
  rec.expandedLength = hasTabs ? GetExpandedLength(rec.text, tabWidth_) : static_cast<int>(rec.text.size());
  rec.flags = hasTabs ? kHasTabs : kHasNoTabs;
  return rec.expandedLength;
}

std::u32string TSrcEditStringList::ExpandedStrings(int index) {
  if (index < 0 || index >= Count()) return {};
  TLineRecord& rec = lines_[static_cast<std::size_t>(index)];
  if (rec.flags & kHasNoTabs) return rec.text;
  bool hasTabs = false;
  std::u32string expanded = convertTabs_(rec.text, tabWidth_, hasTabs);
  rec.expandedLength = static_cast<std::int32_t>(expanded.size());
  rec.flags = hasTabs ? kHasTabs : kHasNoTabs;
  return expanded;
}

int TSrcEditStringList::ExpandedStringLengths(int index) {
  if (index < 0 || index >= Count()) return 0;
  TLineRecord& rec = lines_[static_cast<std::size_t>(index)];
  if (rec.flags & kExpandedLengthUnknown) return ExpandLength(rec);
  return rec.expandedLength;
}

int TSrcEditStringList::LengthOfLongestLine() {
  if (indexOfLongestLine_ < 0) {
    int longest = 0;
    for (int i = 0; i < Count(); ++i) {
      const int len = ExpandedStringLengths(i);
      if (len > longest) {
        longest = len;
        indexOfLongestLine_ = i;
      }
    }
  }
  return indexOfLongestLine_ >= 0 ? ExpandedStringLengths(indexOfLongestLine_) : 0;
}

void TSrcEditStringList::SetTabWidth(int width) {
  if (width == tabWidth_) return;
  tabWidth_ = width;
  convertTabs_ = GetBestConvertTabsProc(width);
  indexOfLongestLine_ = -1;
  for (TLineRecord& rec : lines_) {
    rec.flags = kExpandedLengthUnknown;
    rec.expandedLength = -1;
  }
}

void TSrcEditStringList::LoadFromBytes(std::string_view bytes) {
  UpdateScope update(*this);
  Clear();
  encoding_ = DetectEncoding(bytes);
  std::string_view data = bytes;
  if (encoding_ == TTextEncoding::Utf8WithBOM) data.remove_prefix(kUtf8BOM.size());
  // Room for every line at once: no growing while the lines are added.
  const auto breaks = std::count(data.begin(), data.end(), '\r') + std::count(data.begin(), data.end(), '\n');
  Reallocate(static_cast<int>(breaks) + 1);
  // CR and LF never occur inside a UTF-8 sequence, so lines are cut on the bytes; the
  // next CR and the next LF are each searched for only once they have been passed.
  auto next = [&](char c, std::size_t from) { return std::min(data.find(c, from), data.size()); };
  std::size_t nextCR = next('\r', 0), nextLF = next('\n', 0);
  bool crSeen = false, lfSeen = false;
  std::size_t p = 0;
  while (p < data.size()) {
    if (nextCR < p) nextCR = next('\r', p);
    if (nextLF < p) nextLF = next('\n', p);
    const std::size_t start = p;
    p = std::min(nextCR, nextLF);
    Add(Decode(data.substr(start, p - start), encoding_));
    if (p < data.size() && data[p] == '\r') {
      ++p;
      crSeen = true;
    }
    if (p < data.size() && data[p] == '\n') {
      ++p;
      lfSeen = true;
    }
  }
  if (!data.empty() && (data.back() == '\r' || data.back() == '\n')) Add(std::u32string());
  format_ = crSeen && !lfSeen ? lbfCR : lfSeen && !crSeen ? lbfLF : lbfCRLF;
}

void TSrcEditStringList::LoadFromStream(std::istream& in) {
  in.clear();
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  std::string bytes;
  if (size > 0) {
    bytes.resize(static_cast<std::size_t>(size));
    in.read(bytes.data(), size);
  } else if (size < 0) {
    // A stream that cannot tell its size is read to its end.
    in.clear();
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (in.bad() || (size > 0 && in.gcount() != size)) throw EStreamError("Stream read error");
  LoadFromBytes(bytes);
}

TTextEncoding TSrcEditStringList::SaveEncoding() const {
  if (encoding_ != TTextEncoding::Windows1252) return encoding_;
  for (const TLineRecord& rec : lines_)
    if (!CanEncode(rec.text, encoding_)) return TTextEncoding::Utf8;
  return encoding_;
}

void TSrcEditStringList::SaveToStream(std::ostream& out) const {
  const TTextEncoding encoding = SaveEncoding();
  const std::string_view lineBreak = LineBreak(format_);
  std::size_t size = 0;
  for (const TLineRecord& rec : lines_) size += rec.text.size() + lineBreak.size();
  std::string bytes;
  bytes.reserve(size + kUtf8BOM.size());  // a first guess: one byte per character
  if (encoding == TTextEncoding::Utf8WithBOM) bytes += kUtf8BOM;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    AppendEncoded(bytes, lines_[i].text, encoding);
    if (i + 1 < lines_.size()) bytes += lineBreak;
  }
  if (bytes.empty()) return;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw EStreamError("Stream write error");
}

void TSrcEditStringList::LoadFromFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw EStreamError("Cannot open file \"" + fileName + "\"");
  LoadFromStream(in);
}

void TSrcEditStringList::SaveToFile(const std::string& fileName) const {
  TSrcEditFileWriter writer(fileName, format_, SaveEncoding());
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i + 1 < lines_.size())
      writer.WriteLine(lines_[i].text);
    else
      writer.WriteLineNoBreak(lines_[i].text);
  }
  writer.Flush();
}

TSrcEditFileWriter::TSrcEditFileWriter(const std::string& fileName, TSynLineBreakFormat format,
                                       TTextEncoding encoding)
    : fileName_(fileName), format_(format), encoding_(encoding) {
  file_ = std::fopen(fileName.c_str(), "wb");
  if (!file_) throw EStreamError("Cannot create file \"" + fileName + "\"");
  // Our buffer is the only one: each flush goes to the file in one write.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  buffer_.reserve(bufferSize_);
  if (encoding_ == TTextEncoding::Utf8WithBOM) buffer_ += kUtf8BOM;
}

TSrcEditFileWriter::~TSrcEditFileWriter() {
  try {
    Flush();
  } catch (const EStreamError&) {
    // A failure here was already reported by the explicit flush of a save, or the
    // writer is being unwound because of another error.
  }
  std::fclose(file_);
}

void TSrcEditFileWriter::WriteLine(std::u32string_view text) { Write(text, true); }

void TSrcEditFileWriter::WriteLineNoBreak(std::u32string_view text) { Write(text, false); }

void TSrcEditFileWriter::Write(std::u32string_view text, bool withBreak) {
  const std::string_view lineBreak = withBreak ? LineBreak(format_) : std::string_view();
  const std::size_t needed = EncodedSize(text, encoding_) + lineBreak.size();
  if (buffer_.size() + needed > bufferSize_) {
    Flush();
    if (needed > bufferSize_) {
      bufferSize_ = needed;
      buffer_.reserve(bufferSize_);
    }
  }
  AppendEncoded(buffer_, text, encoding_);
  buffer_ += lineBreak;
}

void TSrcEditFileWriter::Flush() {
  if (buffer_.empty()) return;
  const std::size_t size = buffer_.size();
  const std::size_t written = std::fwrite(buffer_.data(), 1, size, file_);
  buffer_.clear();
  if (written != size) throw EStreamError("Stream write error");
}

}  // namespace qx
