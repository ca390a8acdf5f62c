#include "editor/TextBuffer.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <istream>
#include <iterator>
#include <ostream>

#include "editor/EditorExceptions.h"

namespace qx {

namespace {

// True when every byte is below 128; eight bytes at a time.
bool IsAscii(std::string_view bytes) {
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    if (word & 0x8080808080808080ull) return false;
  }
  for (; i < bytes.size(); ++i)
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
  return true;
}

// UTF-8 whose characters all lie below 256, as one byte per character; false for any other.
bool Utf8ToLatin1(std::string_view bytes, std::string& out) {
  out.clear();
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
    } else if ((b == 0xC2 || b == 0xC3) && i + 1 < bytes.size() &&
               (static_cast<unsigned char>(bytes[i + 1]) & 0xC0) == 0x80) {
      out.push_back(static_cast<char>(((b & 0x03) << 6) | (static_cast<unsigned char>(bytes[i + 1]) & 0x3F)));
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

// Windows-1252 bytes outside 0x80..0x9F are the characters of the same number.
bool Cp1252IsLatin1(std::string_view bytes) {
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80 && b <= 0x9F) return false;
  }
  return true;
}

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

// ---- the text of one line ----

void TSrcEditStringList::StoreText(TLineRecord& rec, std::u32string_view text) {
  char32_t bits = 0;
  for (char32_t c : text) bits |= c;
  if (bits < 0x100) {
    rec.text.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) rec.text[i] = static_cast<char>(static_cast<unsigned char>(text[i]));
    rec.form = bits < 0x80 ? tfAscii : tfLatin1;
  } else {
    rec.text.assign(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char32_t));
    rec.form = tfWide;
  }
}

std::u32string TSrcEditStringList::LoadText(const TLineRecord& rec) {
  if (rec.form != tfWide) {
    std::u32string out(rec.text.size(), U'\0');
    for (std::size_t i = 0; i < rec.text.size(); ++i) out[i] = static_cast<unsigned char>(rec.text[i]);
    return out;
  }
  std::u32string out(rec.text.size() / sizeof(char32_t), U'\0');
  std::memcpy(out.data(), rec.text.data(), rec.text.size());
  return out;
}

std::size_t TSrcEditStringList::TextLength(const TLineRecord& rec) {
  return rec.form == tfWide ? rec.text.size() / sizeof(char32_t) : rec.text.size();
}

bool TSrcEditStringList::TextHasTab(const TLineRecord& rec) {
  if (rec.form != tfWide) return rec.text.find('\t') != std::string::npos;
  return LoadText(rec).find(U'\t') != std::u32string::npos;
}

void TSrcEditStringList::AppendLine(std::string& out, const TLineRecord& rec, TTextEncoding encoding) {
  if (rec.form == tfAscii) {
    out += rec.text;  // ASCII is the same in every encoding the list writes
  } else if (rec.form == tfLatin1 && encoding != TTextEncoding::Windows1252) {
    for (char c : rec.text) {
      const auto b = static_cast<unsigned char>(c);
      if (b < 0x80) {
        out.push_back(c);
      } else {
        out.push_back(static_cast<char>(0xC0 | (b >> 6)));
        out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
      }
    }
  } else {
    AppendEncoded(out, LoadText(rec), encoding);
  }
}

std::u32string TSrcEditStringList::Get(int index) const {
  if (index < 0 || index >= Count()) return {};
  return LoadText(lines_[static_cast<std::size_t>(index)]);
}

int TSrcEditStringList::Length(int index) const {
  if (index < 0 || index >= Count()) return 0;
  return static_cast<int>(TextLength(lines_[static_cast<std::size_t>(index)]));
}

bool TSrcEditStringList::HasTab(int index) const {
  if (index < 0 || index >= Count()) return false;
  return TextHasTab(lines_[static_cast<std::size_t>(index)]);
}

// The longest line is kept up to date while it is known: a line that grows past it takes
// its place, and only when the longest line itself shrinks is it looked for again.
void TSrcEditStringList::NoteLength(int index) {
  if (indexOfLongestLine_ < 0) return;
  const int len = ExpandedStringLengths(index);
  if (index == indexOfLongestLine_) {
    if (len < longestLength_)
      indexOfLongestLine_ = -1;
    else
      longestLength_ = len;
  } else if (len > longestLength_ || (len == longestLength_ && index < indexOfLongestLine_)) {
    indexOfLongestLine_ = index;
    longestLength_ = len;
  }
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
  StoreText(rec, text);
  rec.flags = kExpandedLengthUnknown;
  rec.expandedLength = -1;
  NoteLength(index);
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

void TSrcEditStringList::InsertRecord(int index, TLineRecord rec) {
  UpdateScope update(*this);
  if (Count() == capacity_) Grow();
  lines_.insert(lines_.begin() + index, std::move(rec));
  if (indexOfLongestLine_ >= index) ++indexOfLongestLine_;
  NoteLength(index);
  if (OnLinesInserted) OnLinesInserted(*this, index, 1);
}

int TSrcEditStringList::Add(std::u32string text) {
  const int index = Count();
  Insert(index, std::move(text));
  return index;
}

void TSrcEditStringList::Insert(int index, std::u32string text) {
  if (index < 0 || index > Count()) ListIndexError(index);
  TLineRecord rec;
  StoreText(rec, text);
  InsertRecord(index, std::move(rec));
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
    rec.form = src.form;
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
  if (indexOfLongestLine_ >= index) indexOfLongestLine_ += count;
  if (longestLength_ == 0) indexOfLongestLine_ = -1;
  if (OnLinesInserted) OnLinesInserted(*this, index, count);
}

void TSrcEditStringList::Delete(int index) {
  if (index < 0 || index >= Count()) ListIndexError(index);
  UpdateScope update(*this);
  lines_.erase(lines_.begin() + index);
  if (index == indexOfLongestLine_)
    indexOfLongestLine_ = -1;
  else if (index < indexOfLongestLine_)
    --indexOfLongestLine_;
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
    if (indexOfLongestLine_ >= index + count)
      indexOfLongestLine_ -= count;
    else if (indexOfLongestLine_ >= index)
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
  for (const TLineRecord& rec : lines_) size += TextLength(rec) + 2;
  std::u32string out;
  out.reserve(size);
  for (const TLineRecord& rec : lines_) {
    if (rec.form == tfWide)
      out += LoadText(rec);
    else
      for (char c : rec.text) out.push_back(static_cast<unsigned char>(c));
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
  const bool hasTabs = TextHasTab(rec);
  rec.expandedLength = hasTabs ? GetExpandedLength(LoadText(rec), tabWidth_) : static_cast<int>(TextLength(rec));
  rec.flags = hasTabs ? kHasTabs : kHasNoTabs;
  return rec.expandedLength;
}

std::u32string TSrcEditStringList::ExpandedStrings(int index) {
  if (index < 0 || index >= Count()) return {};
  TLineRecord& rec = lines_[static_cast<std::size_t>(index)];
  if (rec.flags & kHasNoTabs) return LoadText(rec);
  bool hasTabs = false;
  std::u32string expanded = convertTabs_(LoadText(rec), tabWidth_, hasTabs);
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
    longestLength_ = longest;
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
  // Room for every line at once: no growing while the lines are added (CR LF is one break).
  const auto breaks = std::max(std::count(data.begin(), data.end(), '\r'), std::count(data.begin(), data.end(), '\n'));
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
    const std::string_view piece = data.substr(start, p - start);
    TLineRecord rec;
    if (IsAscii(piece)) {
      rec.text.assign(piece);  // the same bytes in both encodings
    } else if (encoding_ == TTextEncoding::Windows1252 ? Cp1252IsLatin1(piece) : Utf8ToLatin1(piece, rec.text)) {
      if (encoding_ == TTextEncoding::Windows1252) rec.text.assign(piece);
      rec.form = tfLatin1;
    } else {
      StoreText(rec, Decode(piece, encoding_));
    }
    InsertRecord(Count(), std::move(rec));
    if (p < data.size() && data[p] == '\r') {
      ++p;
      crSeen = true;
    }
    if (p < data.size() && data[p] == '\n') {
      ++p;
      lfSeen = true;
    }
  }
  if (!data.empty() && (data.back() == '\r' || data.back() == '\n')) InsertRecord(Count(), TLineRecord{});
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
    if (rec.form != tfAscii && !CanEncode(LoadText(rec), encoding_)) return TTextEncoding::Utf8;
  return encoding_;
}

void TSrcEditStringList::SaveToStream(std::ostream& out) const {
  const TTextEncoding encoding = SaveEncoding();
  const std::string_view lineBreak = LineBreak(format_);
  std::size_t size = 0;
  for (const TLineRecord& rec : lines_) size += rec.text.size() + lineBreak.size();  // a first guess
  std::string bytes;
  bytes.reserve(size + kUtf8BOM.size());  // a first guess: one byte per character
  if (encoding == TTextEncoding::Utf8WithBOM) bytes += kUtf8BOM;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const TLineRecord& rec = lines_[i];
    AppendLine(bytes, rec, encoding);
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
  const TTextEncoding encoding = SaveEncoding();
  TSrcEditFileWriter writer(fileName, format_, encoding);
  std::string encoded;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const TLineRecord& rec = lines_[i];
    const bool withBreak = i + 1 < lines_.size();
    if (rec.form == tfAscii) {
      writer.WriteEncoded(rec.text, withBreak);
    } else {
      encoded.clear();
      AppendLine(encoded, rec, encoding);
      writer.WriteEncoded(encoded, withBreak);
    }
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

std::string_view TSrcEditFileWriter::MakeRoom(std::size_t bytes, bool withBreak) {
  const std::string_view lineBreak = withBreak ? LineBreak(format_) : std::string_view();
  const std::size_t needed = bytes + lineBreak.size();
  if (buffer_.size() + needed > bufferSize_) {
    Flush();
    if (needed > bufferSize_) {
      bufferSize_ = needed;
      buffer_.reserve(bufferSize_);
    }
  }
  return lineBreak;
}

void TSrcEditFileWriter::WriteEncoded(std::string_view bytes, bool withBreak) {
  const std::string_view lineBreak = MakeRoom(bytes.size(), withBreak);
  buffer_ += bytes;
  buffer_ += lineBreak;
}

void TSrcEditFileWriter::Write(std::u32string_view text, bool withBreak) {
  const std::string_view lineBreak = MakeRoom(EncodedSize(text, encoding_), withBreak);
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
