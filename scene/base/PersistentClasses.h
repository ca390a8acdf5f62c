// The scene graph's own persistence: the root classes (TObject, TPersistent), byte streams,
// a registry of classes by name, the tagged binary archive (TBinaryWriter, TBinaryReader),
// TPersistentObject that archives itself, and TPersistentObjectList, the general pointer
// list of the scene graph (children of scene objects, lights, buffers, pick records).
// OpenDataStream is the one place where the scene graph opens a data file by name.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qx {

// The common polymorphic root: lists hold TObject pointers and the archive asks them what
// they are.
class TObject {
 public:
  virtual ~TObject() = default;
  virtual std::string ClassName() const { return "TObject"; }
};

class TPersistent : public TObject {
 public:
  std::string ClassName() const override { return "TPersistent"; }
  // Copies what the source holds; a source of an unrelated class raises EAssertionFailed
  // ("Cannot assign a X to a Y").
  virtual void Assign(const TPersistent* source);
  virtual TPersistent* GetOwner() const { return nullptr; }

 protected:
  void AssignError(const TPersistent* source) const;
};

// ---- Streams ----
class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to count bytes; returns how many were read.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  virtual void Write(const void* buffer, std::size_t count) = 0;
  virtual std::int64_t Position() const = 0;
  virtual void SetPosition(std::int64_t pos) = 0;
  virtual std::int64_t Size() const = 0;
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string data) : data_(std::move(data)) {}
  std::size_t Read(void* buffer, std::size_t count) override;
  void Write(const void* buffer, std::size_t count) override;
  std::int64_t Position() const override { return std::int64_t(pos_); }
  void SetPosition(std::int64_t pos) override;
  std::int64_t Size() const override { return std::int64_t(data_.size()); }
  const std::string& Data() const { return data_; }

 private:
  std::string data_;
  std::size_t pos_ = 0;
};

enum class TFileMode { fmCreate, fmOpenRead, fmOpenReadWrite };

class TFileStream : public TStream {
 public:
  // Raises EOSError when the file cannot be opened.
  TFileStream(const std::string& fileName, TFileMode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  std::size_t Read(void* buffer, std::size_t count) override;
  void Write(const void* buffer, std::size_t count) override;
  std::int64_t Position() const override;
  void SetPosition(std::int64_t pos) override;
  std::int64_t Size() const override;

 private:
  std::FILE* f_ = nullptr;
};

// Without an application hook: a missing file (any mode but create) raises EFileNotFound
// "File not found: \"NAME\"".
std::unique_ptr<TStream> OpenDataStream(const std::string& fileName, TFileMode mode);
bool DataStreamExists(const std::string& fileName);
// Hooks an application may install (none is installed by Quorix itself).
using TOpenStreamHook = std::function<std::unique_ptr<TStream>(const std::string&, TFileMode)>;
using TStreamExistsHook = std::function<bool(const std::string&)>;
void SetApplicationFileIOHooks(TOpenStreamHook open, TStreamExistsHook exists);
bool ApplicationFileIODefined();

// ---- Class registry: makes an object from its class name ----
using TClassFactory = std::function<std::unique_ptr<TObject>()>;
void RegisterClass(const std::string& name, TClassFactory factory);
// Null when the name was never registered.
const TClassFactory* FindClass(const std::string& name);

// ---- The tagged binary archive ----
enum TValueTag : std::uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaFalse = 8,
  vaTrue = 9,
  vaLString = 12,
  vaWString = 18,
  vaUTF8String = 20
};

class TVirtualWriter {
 public:
  explicit TVirtualWriter(TStream& stream) : stream_(stream) {}
  virtual ~TVirtualWriter() = default;
  TStream& Stream() { return stream_; }
  virtual void Write(const void* buffer, std::size_t count) = 0;
  virtual void WriteInteger(std::int32_t v) = 0;
  virtual void WriteBoolean(bool b) = 0;
  virtual void WriteString(const std::string& s) = 0;
  virtual void WriteFloat(long double x) = 0;
  virtual void WriteListBegin() = 0;
  virtual void WriteListEnd() = 0;

 protected:
  TStream& stream_;
};

class TVirtualReader {
 public:
  explicit TVirtualReader(TStream& stream) : stream_(stream) {}
  virtual ~TVirtualReader() = default;
  TStream& Stream() { return stream_; }
  virtual void Read(void* buffer, std::size_t count) = 0;
  virtual std::uint8_t PeekValueTag() = 0;
  virtual std::int32_t ReadInteger() = 0;
  virtual bool ReadBoolean() = 0;
  virtual std::string ReadString() = 0;
  virtual long double ReadFloat() = 0;
  virtual void ReadListBegin() = 0;
  virtual void ReadListEnd() = 0;
  virtual bool EndOfList() = 0;

 protected:
  TStream& stream_;
};

class TBinaryWriter : public TVirtualWriter {
 public:
  using TVirtualWriter::TVirtualWriter;
  void Write(const void* buffer, std::size_t count) override;
  void WriteInteger(std::int32_t v) override;
  void WriteBoolean(bool b) override;
  void WriteString(const std::string& s) override;
  void WriteFloat(long double x) override;
  void WriteListBegin() override;
  void WriteListEnd() override;
};

// A wrong tag raises EReadError "TBinaryReader, read type error"; reading past the end of
// the stream raises EReadError "Stream read error".
class TBinaryReader : public TVirtualReader {
 public:
  using TVirtualReader::TVirtualReader;
  void Read(void* buffer, std::size_t count) override;
  std::uint8_t PeekValueTag() override;
  std::int32_t ReadInteger() override;
  bool ReadBoolean() override;
  std::string ReadString() override;
  long double ReadFloat() override;
  void ReadListBegin() override;
  void ReadListEnd() override;
  bool EndOfList() override;

 private:
  std::uint8_t ReadTag();
  [[noreturn]] void ReadTypeError();
};

// An object that writes and reads its own fields to the archive; each descendant calls
// the inherited WriteArchive/ReadArchive first.
class TPersistentObject : public TPersistent {
 public:
  std::string ClassName() const override { return "TPersistentObject"; }
  // Same class: a round trip through the archive; otherwise the inherited rule.
  void Assign(const TPersistent* source) override;
  virtual std::string FileSignature() const { return {}; }
  virtual std::unique_ptr<TPersistentObject> NewInstance() const = 0;
  std::unique_ptr<TPersistentObject> CreateClone() const;

  virtual void WriteArchive(TVirtualWriter& writer) const;
  virtual void ReadArchive(TVirtualReader& reader);
  void SaveArchiveToStream(TStream& stream) const;
  void LoadArchiveFromStream(TStream& stream);
  void SaveArchiveToFile(const std::string& fileName) const;
  void LoadArchiveFromFile(const std::string& fileName);
  std::string SaveArchiveToString() const;
  void LoadArchiveFromString(const std::string& data);
  // EFilerException "CLASS : unknown archive version N".
  [[noreturn]] void RaiseArchiveVersionError(int version) const;
};

// The general pointer list: Count, Capacity and a fixed GrowthDelta (16). It does not own
// its items unless the caller frees them (FreeItems, Clean).
class TPersistentObjectList : public TPersistentObject {
 public:
  TPersistentObjectList() = default;
  ~TPersistentObjectList() override = default;
  std::string ClassName() const override { return "TPersistentObjectList"; }
  std::unique_ptr<TPersistentObject> NewInstance() const override {
    return std::make_unique<TPersistentObjectList>();
  }

  int Count() const { return int(items_.size()); }
  void SetCount(int n);
  int Capacity() const { return capacity_; }
  void SetCapacity(int n);
  int GrowthDelta = 16;

  int Add(TObject* item);
  void Insert(int index, TObject* item);
  void Delete(int index);
  int Remove(TObject* item);
  int IndexOf(const TObject* item) const;
  // No range check, as the toolkit's list.
  TObject* operator[](int i) const { return items_[std::size_t(i)]; }
  TObject*& operator[](int i) { return items_[std::size_t(i)]; }
  TObject* Get(int i) const;  // checked: EListError "Invalid list index"
  TObject* Pop();
  TObject* Last() const { return items_.empty() ? nullptr : items_.back(); }
  void Exchange(int a, int b);
  void Clear();
  void FreeItems();
  void Clean();
  // Not stable: the toolkit's quicksort.
  void Sort(const std::function<int(TObject*, TObject*)>& compare);
  TObject** List() { return items_.data(); }

  void WriteArchive(TVirtualWriter& writer) const override;
  void ReadArchive(TVirtualReader& reader) override;
  virtual void ItemCreatedByReader(TObject*) {}
  [[noreturn]] void Error() const;

 private:
  void Grow();
  std::vector<TObject*> items_;
  int capacity_ = 0;
};

}  // namespace qx
