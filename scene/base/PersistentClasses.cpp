#include "scene/base/PersistentClasses.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

#include "scene/base/SceneErrors.h"

namespace qx {

void TPersistent::Assign(const TPersistent* source) { AssignError(source); }

void TPersistent::AssignError(const TPersistent* source) const {
  const std::string from = source ? source->ClassName() : std::string("nil");
  throw EAssertionFailed("Cannot assign a " + from + " to a " + ClassName());
}

// ---- Streams ----
std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  const std::size_t n = pos_ >= data_.size() ? 0 : std::min(count, data_.size() - pos_);
  if (n) std::memcpy(buffer, data_.data() + pos_, n);
  pos_ += n;
  return n;
}

void TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (pos_ + count > data_.size()) data_.resize(pos_ + count);
  if (count) std::memcpy(data_.data() + pos_, buffer, count);
  pos_ += count;
}

void TMemoryStream::SetPosition(std::int64_t pos) { pos_ = pos < 0 ? 0 : std::size_t(pos); }

static std::string OsErrorText() { return std::string("OS Error : ") + std::strerror(errno); }

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) {
  const char* m = mode == TFileMode::fmCreate ? "w+b" : (mode == TFileMode::fmOpenRead ? "rb" : "r+b");
  f_ = std::fopen(fileName.c_str(), m);
  if (!f_) throw EOSError(OsErrorText());
}
TFileStream::~TFileStream() {
  if (f_) std::fclose(f_);
}
std::size_t TFileStream::Read(void* buffer, std::size_t count) { return std::fread(buffer, 1, count, f_); }
void TFileStream::Write(const void* buffer, std::size_t count) {
  if (count && std::fwrite(buffer, 1, count, f_) != count) throw EOSError(OsErrorText());
}
std::int64_t TFileStream::Position() const { return std::ftell(f_); }
void TFileStream::SetPosition(std::int64_t pos) { std::fseek(f_, long(pos), SEEK_SET); }
std::int64_t TFileStream::Size() const {
  const long here = std::ftell(f_);
  std::fseek(f_, 0, SEEK_END);
  const long size = std::ftell(f_);
  std::fseek(f_, here, SEEK_SET);
  return size;
}

namespace {
TOpenStreamHook& OpenHook() {
  static TOpenStreamHook hook;
  return hook;
}
TStreamExistsHook& ExistsHook() {
  static TStreamExistsHook hook;
  return hook;
}
}  // namespace

void SetApplicationFileIOHooks(TOpenStreamHook open, TStreamExistsHook exists) {
  OpenHook() = std::move(open);
  ExistsHook() = std::move(exists);
}
bool ApplicationFileIODefined() { return OpenHook() && ExistsHook(); }

std::unique_ptr<TStream> OpenDataStream(const std::string& fileName, TFileMode mode) {
  if (OpenHook()) return OpenHook()(fileName, mode);
  if (mode != TFileMode::fmCreate && !DataStreamExists(fileName))
    throw EFileNotFound("File not found: \"" + fileName + "\"");
  return std::make_unique<TFileStream>(fileName, mode);
}

bool DataStreamExists(const std::string& fileName) {
  if (ExistsHook()) return ExistsHook()(fileName);
  struct stat st {};
  return ::stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// ---- Class registry ----
static std::map<std::string, TClassFactory>& Registry() {
  static std::map<std::string, TClassFactory> r;
  return r;
}
void RegisterClass(const std::string& name, TClassFactory factory) { Registry()[name] = std::move(factory); }
const TClassFactory* FindClass(const std::string& name) {
  auto it = Registry().find(name);
  return it == Registry().end() ? nullptr : &it->second;
}

// ---- TBinaryWriter ----
void TBinaryWriter::Write(const void* buffer, std::size_t count) { stream_.Write(buffer, count); }

void TBinaryWriter::WriteInteger(std::int32_t v) {
  if (v >= -128 && v <= 127) {
    const std::uint8_t b[2] = {vaInt8, std::uint8_t(std::int8_t(v))};
    stream_.Write(b, 2);
  } else if (v >= -32768 && v <= 32767) {
    const std::int16_t s = std::int16_t(v);
    const std::uint8_t b[3] = {vaInt16, std::uint8_t(s & 0xFF), std::uint8_t((s >> 8) & 0xFF)};
    stream_.Write(b, 3);
  } else {
    std::uint8_t b[5] = {vaInt32, 0, 0, 0, 0};
    const std::uint32_t u = std::uint32_t(v);
    for (int i = 0; i < 4; ++i) b[1 + i] = std::uint8_t(u >> (8 * i));
    stream_.Write(b, 5);
  }
}

void TBinaryWriter::WriteBoolean(bool b) {
  const std::uint8_t t = b ? vaTrue : vaFalse;
  stream_.Write(&t, 1);
}

void TBinaryWriter::WriteString(const std::string& s) {
  if (s.size() <= 255) {
    const std::uint8_t b[2] = {vaString, std::uint8_t(s.size())};
    stream_.Write(b, 2);
  } else {
    std::uint8_t b[5] = {vaLString, 0, 0, 0, 0};
    const std::uint32_t n = std::uint32_t(s.size());
    for (int i = 0; i < 4; ++i) b[1 + i] = std::uint8_t(n >> (8 * i));
    stream_.Write(b, 5);
  }
  stream_.Write(s.data(), s.size());
}

void TBinaryWriter::WriteFloat(long double x) {
  std::uint8_t b[11] = {vaExtended};
  static_assert(sizeof(long double) >= 10, "80-bit extended expected");
  std::memcpy(b + 1, &x, 10);
  stream_.Write(b, 11);
}

void TBinaryWriter::WriteListBegin() {
  const std::uint8_t t = vaList;
  stream_.Write(&t, 1);
}
void TBinaryWriter::WriteListEnd() {
  const std::uint8_t t = vaNull;
  stream_.Write(&t, 1);
}

// ---- TBinaryReader ----
void TBinaryReader::Read(void* buffer, std::size_t count) {
  if (stream_.Read(buffer, count) != count) throw EReadError("Stream read error");
}

std::uint8_t TBinaryReader::PeekValueTag() {
  std::uint8_t t = 0;
  if (stream_.Read(&t, 1) != 1) return vaNull;
  stream_.SetPosition(stream_.Position() - 1);
  return t;
}

std::uint8_t TBinaryReader::ReadTag() {
  std::uint8_t t = 0;
  Read(&t, 1);
  return t;
}

void TBinaryReader::ReadTypeError() { throw EReadError("TBinaryReader, read type error"); }

static std::uint32_t LittleEndian(const std::uint8_t* b, int n) {
  std::uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | b[i];
  return v;
}

std::int32_t TBinaryReader::ReadInteger() {
  std::uint8_t b[4] = {};
  switch (ReadTag()) {
    case vaInt8:
      Read(b, 1);
      return std::int8_t(b[0]);
    case vaInt16:
      Read(b, 2);
      return std::int16_t(LittleEndian(b, 2));
    case vaInt32:
      Read(b, 4);
      return std::int32_t(LittleEndian(b, 4));
    default:
      ReadTypeError();
  }
}

bool TBinaryReader::ReadBoolean() {
  switch (ReadTag()) {
    case vaTrue:
      return true;
    case vaFalse:
      return false;
    default:
      ReadTypeError();
  }
}

static void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

// The stored UTF-16 units become our UTF-8; lone surrogates become U+FFFD.
static std::string Utf16ToUtf8(const std::vector<std::uint16_t>& units) {
  std::string out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    std::uint32_t u = units[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      u = 0x10000 + ((u - 0xD800) << 10) + (units[++i] - 0xDC00);
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      u = 0xFFFD;
    }
    AppendUtf8(out, u);
  }
  return out;
}

// Lead byte gives the number of trail bytes; trail bytes are taken as they come.
static std::string DecodeStoredUtf8(const std::string& bytes) {
  std::vector<std::uint16_t> units;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const std::uint8_t lead = std::uint8_t(bytes[i++]);
    int trail = 0;
    std::uint32_t v = lead;
    if (lead >= 0xFC)
      trail = 5, v = lead & 0x01;
    else if (lead >= 0xF8)
      trail = 4, v = lead & 0x03;
    else if (lead >= 0xF0)
      trail = 3, v = lead & 0x07;
    else if (lead >= 0xE0)
      trail = 2, v = lead & 0x0F;
    else if (lead >= 0xC0)
      trail = 1, v = lead & 0x1F;
    for (int k = 0; k < trail && i < bytes.size(); ++k) v = (v << 6) | (std::uint8_t(bytes[i++]) & 0x3F);
    if (v > 0x10FFFF) {
      units.push_back(0xFFFD);
    } else if (v > 0xFFFF) {
      v -= 0x10000;
      units.push_back(std::uint16_t(0xD800 + (v >> 10)));
      units.push_back(std::uint16_t(0xDC00 + (v & 0x3FF)));
    } else {
      units.push_back(std::uint16_t(v));
    }
  }
  return Utf16ToUtf8(units);
}

std::string TBinaryReader::ReadString() {
  std::uint8_t b[4] = {};
  std::uint32_t n = 0;
  const std::uint8_t tag = ReadTag();
  switch (tag) {
    case vaString:
      Read(b, 1);
      n = b[0];
      break;
    case vaLString:
    case vaWString:
    case vaUTF8String:
      Read(b, 4);
      n = LittleEndian(b, 4);
      break;
    default:
      ReadTypeError();
  }
  // A damaged length must not make us allocate what the stream cannot hold.
  const std::int64_t left = stream_.Size() - stream_.Position();
  const std::int64_t need = tag == vaWString ? std::int64_t(n) * 2 : std::int64_t(n);
  if (need > left) throw EReadError("Stream read error");
  if (tag == vaWString) {
    std::vector<std::uint16_t> units(n);
    for (auto& u : units) {
      Read(b, 2);
      u = std::uint16_t(LittleEndian(b, 2));
    }
    return Utf16ToUtf8(units);
  }
  std::string s(n, '\0');
  if (n) Read(s.data(), n);
  return tag == vaUTF8String ? DecodeStoredUtf8(s) : s;
}

long double TBinaryReader::ReadFloat() {
  if (ReadTag() != vaExtended) ReadTypeError();
  long double x = 0;
  std::uint8_t b[16] = {};
  Read(b, 10);
  std::memcpy(&x, b, 10);
  return x;
}

void TBinaryReader::ReadListBegin() {
  if (ReadTag() != vaList) ReadTypeError();
}
void TBinaryReader::ReadListEnd() {
  if (ReadTag() != vaNull) ReadTypeError();
}
bool TBinaryReader::EndOfList() { return PeekValueTag() == vaNull; }

// ---- TPersistentObject ----
void TPersistentObject::Assign(const TPersistent* source) {
  if (source && source->ClassName() == ClassName()) {
    if (auto* p = dynamic_cast<const TPersistentObject*>(source)) {
      TMemoryStream s;
      p->SaveArchiveToStream(s);
      s.SetPosition(0);
      LoadArchiveFromStream(s);
      return;
    }
  }
  TPersistent::Assign(source);
}

std::unique_ptr<TPersistentObject> TPersistentObject::CreateClone() const {
  auto clone = NewInstance();
  clone->Assign(this);
  return clone;
}

void TPersistentObject::WriteArchive(TVirtualWriter&) const {}
void TPersistentObject::ReadArchive(TVirtualReader&) {}

void TPersistentObject::SaveArchiveToStream(TStream& stream) const {
  TBinaryWriter w(stream);
  const std::string sig = FileSignature();
  if (!sig.empty()) w.Write(sig.data(), sig.size());
  WriteArchive(w);
}

void TPersistentObject::LoadArchiveFromStream(TStream& stream) {
  TBinaryReader r(stream);
  const std::string sig = FileSignature();
  if (!sig.empty()) {
    std::string got(sig.size(), '\0');
    if (stream.Read(got.data(), got.size()) != got.size() || got != sig)
      throw EInvalidFileSignature("Invalid file signature");
  }
  ReadArchive(r);
}

void TPersistentObject::SaveArchiveToFile(const std::string& fileName) const {
  auto s = OpenDataStream(fileName, TFileMode::fmCreate);
  SaveArchiveToStream(*s);
}
void TPersistentObject::LoadArchiveFromFile(const std::string& fileName) {
  auto s = OpenDataStream(fileName, TFileMode::fmOpenRead);
  LoadArchiveFromStream(*s);
}
std::string TPersistentObject::SaveArchiveToString() const {
  TMemoryStream s;
  SaveArchiveToStream(s);
  return s.Data();
}
void TPersistentObject::LoadArchiveFromString(const std::string& data) {
  TMemoryStream s(data);
  LoadArchiveFromStream(s);
}
void TPersistentObject::RaiseArchiveVersionError(int version) const {
  throw EFilerException(ClassName() + " : unknown archive version " + std::to_string(version));
}

// ---- TPersistentObjectList ----
void TPersistentObjectList::Grow() {
  if (Count() == capacity_) SetCapacity(capacity_ + GrowthDelta);
}
void TPersistentObjectList::SetCapacity(int n) {
  if (n < 0) n = 0;
  if (n < Count()) items_.resize(std::size_t(n));
  capacity_ = n;
  items_.reserve(std::size_t(n));
}
void TPersistentObjectList::SetCount(int n) {
  if (n < 0) Error();
  if (n > capacity_) SetCapacity(n);
  items_.resize(std::size_t(n), nullptr);
}
int TPersistentObjectList::Add(TObject* item) {
  Grow();
  items_.push_back(item);
  return Count() - 1;
}
void TPersistentObjectList::Insert(int index, TObject* item) {
  if (index < 0 || index > Count()) Error();
  Grow();
  items_.insert(items_.begin() + index, item);
}
void TPersistentObjectList::Delete(int index) {
  if (index < 0 || index >= Count()) Error();
  items_.erase(items_.begin() + index);
}
int TPersistentObjectList::IndexOf(const TObject* item) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[std::size_t(i)] == item) return i;
  return -1;
}
int TPersistentObjectList::Remove(TObject* item) {
  const int i = IndexOf(item);
  if (i >= 0) Delete(i);
  return i;
}
TObject* TPersistentObjectList::Get(int i) const {
  if (i < 0 || i >= Count()) Error();
  return items_[std::size_t(i)];
}
TObject* TPersistentObjectList::Pop() {
  if (items_.empty()) return nullptr;
  TObject* r = items_.back();
  items_.pop_back();
  return r;
}
void TPersistentObjectList::Exchange(int a, int b) {
  std::swap(items_[std::size_t(a)], items_[std::size_t(b)]);
}
void TPersistentObjectList::Clear() {
  items_.clear();
  items_.shrink_to_fit();
  capacity_ = 0;
}
// An item whose destruction shortens the list is handled by re-checking the count.
void TPersistentObjectList::FreeItems() {
  for (int i = Count() - 1; i >= 0; --i) {
    if (i >= Count()) continue;
    TObject* item = items_[std::size_t(i)];
    items_[std::size_t(i)] = nullptr;
    delete item;
  }
}
void TPersistentObjectList::Clean() {
  FreeItems();
  Clear();
}
void TPersistentObjectList::Error() const { throw EListError("Invalid list index"); }

void TPersistentObjectList::Sort(const std::function<int(TObject*, TObject*)>& compare) {
  if (Count() <= 1) return;
  std::function<void(int, int)> qs = [&](int l, int r) {
    int i;
    do {
      i = l;
      int j = r;
      TObject* p = items_[std::size_t((l + r) / 2)];
      do {
        while (compare(items_[std::size_t(i)], p) < 0) ++i;
        while (compare(items_[std::size_t(j)], p) > 0) --j;
        if (i <= j) {
          Exchange(i, j);
          ++i;
          --j;
        }
      } while (i <= j);
      if (l < j) qs(l, j);
      l = i;
    } while (i < r);
  };
  qs(0, Count() - 1);
}

void TPersistentObjectList::WriteArchive(TVirtualWriter& writer) const {
  TPersistentObject::WriteArchive(writer);
  writer.WriteInteger(0);
  writer.WriteListBegin();
  std::vector<std::string> classes;
  for (TObject* item : items_) {
    auto* p = dynamic_cast<TPersistentObject*>(item);
    if (!p) {
      // Only a nil survives an archive: a raw address means nothing in another run.
      writer.WriteBoolean(false);
      writer.WriteInteger(0);
      continue;
    }
    const std::string name = p->ClassName();
    int idx = -1;
    for (std::size_t k = 0; k < classes.size(); ++k)
      if (classes[k] == name) idx = int(k);
    if (idx < 0) {
      writer.WriteString(name);
      classes.push_back(name);
    } else {
      writer.WriteInteger(idx);
    }
    p->WriteArchive(writer);
  }
  writer.WriteListEnd();
}

void TPersistentObjectList::ReadArchive(TVirtualReader& reader) {
  TPersistentObject::ReadArchive(reader);
  Clean();
  const int version = reader.ReadInteger();
  if (version != 0) RaiseArchiveVersionError(version);
  reader.ReadListBegin();
  std::vector<const TClassFactory*> classes;
  while (!reader.EndOfList()) {
    const std::uint8_t tag = reader.PeekValueTag();
    const TClassFactory* factory = nullptr;
    if (tag == vaInt8 || tag == vaInt16 || tag == vaInt32) {
      const int idx = reader.ReadInteger();
      if (idx < 0 || idx >= int(classes.size())) throw EFilerException("Broken ObjectList archive");
      factory = classes[std::size_t(idx)];
    } else if (tag == vaString || tag == vaLString) {
      const std::string name = reader.ReadString();
      factory = FindClass(name);
      if (!factory) throw EFilerException("Class " + name + " not found");
      classes.push_back(factory);
    } else if (tag == vaFalse || tag == vaTrue) {
      reader.ReadBoolean();
      if (reader.ReadInteger() != 0) throw EFilerException("Broken ObjectList archive");
      Add(nullptr);
      continue;
    } else {
      throw EFilerException("Broken ObjectList archive");
    }
    std::unique_ptr<TObject> obj = (*factory)();
    auto* p = dynamic_cast<TPersistentObject*>(obj.get());
    if (!p) throw EFilerException("Broken ObjectList archive");
    ItemCreatedByReader(p);
    p->ReadArchive(reader);
    Add(obj.release());
  }
  reader.ReadListEnd();
}

}  // namespace qx
