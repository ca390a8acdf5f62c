// Growable, archivable arrays of fixed-size items with the bulk vector operations the scene
// objects need, and the paired quicksort that orders children by distance.
#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

#include "scene/base/PersistentClasses.h"
#include "scene/base/VectorGeometry.h"

namespace qx {

// Count, Capacity, a fixed growth step (16 in every typed list) and zero-filled growth.
class TBaseList : public TPersistentObject {
 public:
  explicit TBaseList(int itemSize) : itemSize_(itemSize) {}
  std::string ClassName() const override { return "TBaseList"; }

  int Count() const { return count_; }
  // A negative count is refused (EAssertionFailed); new items are zero-filled.
  void SetCount(int n);
  int Capacity() const { return capacity_; }
  virtual void SetCapacity(int n);
  int GrowthDelta = 16;
  int ItemSize() const { return itemSize_; }
  void Flush() { SetCount(0); }
  void Clear();
  void Assign(const TPersistent* source) override;
  void WriteArchive(TVirtualWriter& writer) const override;
  void ReadArchive(TVirtualReader& reader) override;

 protected:
  void GrowFor(int needed);
  std::uint8_t* Bytes() { return data_.data(); }
  const std::uint8_t* Bytes() const { return data_.data(); }

 private:
  int count_ = 0, capacity_ = 0, itemSize_;
  std::vector<std::uint8_t> data_;
};

// Typed view of the raw array (over the vector lists' base for the vector lists).
template <class T, class Base = TBaseList>
class TTypedList : public Base {
 public:
  TTypedList() : Base(int(sizeof(T))) {}
  T* List() { return reinterpret_cast<T*>(Bytes()); }
  const T* List() const { return reinterpret_cast<const T*>(Bytes()); }
  // No index check, as the toolkit's lists.
  T& operator[](int i) { return List()[i]; }
  const T& operator[](int i) const { return List()[i]; }
  int Add(const T& v) {
    this->GrowFor(this->Count() + 1);
    const int i = this->Count();
    this->SetCount(i + 1);
    List()[i] = v;
    return i;
  }

 protected:
  using Base::Bytes;
};

class TBaseVectorList : public TBaseList {
 public:
  using TBaseList::TBaseList;
  std::string ClassName() const override { return "TBaseVectorList"; }
  // An empty list leaves Min at +inf and Max at -inf.
  void GetExtents(TAffineVector& min, TAffineVector& max) const;
  TAffineVector Sum() const;
  void Normalize();
  float MaxSpacing(const TBaseVectorList& other) const;
  void Translate(const TAffineVector& delta);
  void Translate(const TBaseVectorList& list);
  void TranslateInv(const TBaseVectorList& list);
  void Combine(const TBaseVectorList& list, float factor);
  void WriteArchive(TVirtualWriter& writer) const override;
  void ReadArchive(TVirtualReader& reader) override;

 protected:
  // Address of item i's x, y, z (the first three floats of the item).
  float* ItemXYZ(int i) {
    return reinterpret_cast<float*>(Bytes() + std::size_t(i) * std::size_t(ItemSize()));
  }
  const float* ItemXYZ(int i) const {
    return reinterpret_cast<const float*>(Bytes() + std::size_t(i) * std::size_t(ItemSize()));
  }
};

class TAffineVectorList : public TTypedList<TAffineVector, TBaseVectorList> {
 public:
  std::string ClassName() const override { return "TAffineVectorList"; }
  std::unique_ptr<TPersistentObject> NewInstance() const override {
    return std::make_unique<TAffineVectorList>();
  }
  TAffineVector Get(int i) const { return List()[i]; }
  // Bitwise equality: (-0, 0, 0) is not (0, 0, 0).
  int IndexOf(const TAffineVector& v) const;
  int FindOrAdd(const TAffineVector& v);
  void Lerp(const TBaseVectorList& l1, const TBaseVectorList& l2, float t);
};

class TVectorList : public TTypedList<THomogeneousVector, TBaseVectorList> {
 public:
  std::string ClassName() const override { return "TVectorList"; }
  std::unique_ptr<TPersistentObject> NewInstance() const override { return std::make_unique<TVectorList>(); }
  using TTypedList::Add;
  int Add(const TAffineVector& a, float w);
  int AddPoint(const TAffineVector& a) { return Add(a, 1); }
  int AddPoint(float x, float y, float z) { return Add(TAffineVector{x, y, z}, 1); }
  void Lerp(const TBaseVectorList& l1, const TBaseVectorList& l2, float t);
};

class TTexPointList : public TTypedList<TTexPoint> {
 public:
  std::string ClassName() const override { return "TTexPointList"; }
  std::unique_ptr<TPersistentObject> NewInstance() const override {
    return std::make_unique<TTexPointList>();
  }
};

class TIntegerList : public TTypedList<std::int32_t> {
 public:
  std::string ClassName() const override { return "TIntegerList"; }
  std::unique_ptr<TPersistentObject> NewInstance() const override { return std::make_unique<TIntegerList>(); }
  void Add2(std::int32_t a, std::int32_t b);
  void Add3(std::int32_t a, std::int32_t b, std::int32_t c);
};

class TSingleList : public TTypedList<float> {
 public:
  std::string ClassName() const override { return "TSingleList"; }
  std::unique_ptr<TPersistentObject> NewInstance() const override { return std::make_unique<TSingleList>(); }
};

class TByteList : public TTypedList<std::uint8_t> {
 public:
  std::string ClassName() const override { return "TByteList"; }
  std::unique_ptr<TPersistentObject> NewInstance() const override { return std::make_unique<TByteList>(); }
};

// Sorts keys[start..end] ascending and moves objects[start..end] with them; not stable.
void QuickSortLists(int start, int end, TSingleList& keys, TPersistentObjectList& objects);

// Registers the archivable list classes by name (done once, on first use of the registry
// by the scene graph).
void RegisterVectorListClasses();

}  // namespace qx
