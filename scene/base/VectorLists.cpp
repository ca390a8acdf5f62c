#include "scene/base/VectorLists.h"

#include <cmath>
#include <limits>

#include "scene/base/SceneErrors.h"

namespace qx {

void TBaseList::SetCapacity(int n) {
  if (n < 0) n = 0;
  if (n == capacity_) return;
  data_.resize(std::size_t(n) * std::size_t(itemSize_));
  capacity_ = n;
  if (count_ > n) count_ = n;
}

void TBaseList::SetCount(int n) {
  Require(n >= 0);
  if (n > capacity_) SetCapacity(n);
  if (n > count_)
    std::memset(data_.data() + std::size_t(count_) * std::size_t(itemSize_), 0,
                std::size_t(n - count_) * std::size_t(itemSize_));
  count_ = n;
}

// Grows by whole steps of GrowthDelta until `needed` items fit.
void TBaseList::GrowFor(int needed) {
  int cap = capacity_;
  while (cap < needed) cap += GrowthDelta > 0 ? GrowthDelta : 1;
  if (cap != capacity_) SetCapacity(cap);
}

void TBaseList::Clear() {
  count_ = 0;
  SetCapacity(0);
}

void TBaseList::Assign(const TPersistent* source) {
  if (!source) {
    Clear();
    return;
  }
  auto* src = dynamic_cast<const TBaseList*>(source);
  if (!src) {
    TPersistentObject::Assign(source);
    return;
  }
  SetCapacity(src->Count());
  GrowthDelta = src->GrowthDelta;
  SetCount(src->Count());
  if (src->ClassName() == ClassName() && src->itemSize_ == itemSize_ && count_ > 0)
    std::memcpy(data_.data(), src->data_.data(), std::size_t(count_) * std::size_t(itemSize_));
}

void TBaseList::WriteArchive(TVirtualWriter& w) const {
  TPersistentObject::WriteArchive(w);
  w.WriteInteger(0);
  w.WriteInteger(count_);
  w.WriteInteger(itemSize_);
  if (count_ > 0) w.Write(data_.data(), std::size_t(count_) * std::size_t(itemSize_));
}

void TBaseList::ReadArchive(TVirtualReader& r) {
  TPersistentObject::ReadArchive(r);
  const int version = r.ReadInteger();
  if (version != 0) RaiseArchiveVersionError(version);
  const int count = r.ReadInteger();
  const int itemSize = r.ReadInteger();
  // An item size other than ours, or a count the stream cannot hold, is a damaged archive.
  if (itemSize != itemSize_ || count < 0 ||
      std::int64_t(count) * itemSize > r.Stream().Size() - r.Stream().Position())
    throw EFilerException(ClassName() + " : broken archive");
  count_ = 0;
  SetCapacity(count);
  SetCount(count);
  if (count > 0) r.Read(data_.data(), std::size_t(count) * std::size_t(itemSize_));
}

// ---- TBaseVectorList ----
void TBaseVectorList::GetExtents(TAffineVector& min, TAffineVector& max) const {
  const float inf = std::numeric_limits<float>::infinity();
  min = {inf, inf, inf};
  max = {-inf, -inf, -inf};
  for (int i = 0; i < Count(); ++i) {
    const float* v = ItemXYZ(i);
    for (int k = 0; k < 3; ++k) {
      if (v[k] < min[k]) min[k] = v[k];
      if (v[k] > max[k]) max[k] = v[k];
    }
  }
}
TAffineVector TBaseVectorList::Sum() const {
  TAffineVector s;
  for (int i = 0; i < Count(); ++i) {
    const float* v = ItemXYZ(i);
    AddVector(s, TAffineVector{v[0], v[1], v[2]});
  }
  return s;
}
void TBaseVectorList::Normalize() {
  for (int i = 0; i < Count(); ++i) {
    float* v = ItemXYZ(i);
    TAffineVector a{v[0], v[1], v[2]};
    NormalizeAffineVector(a);
    v[0] = a.X, v[1] = a.Y, v[2] = a.Z;
  }
}
float TBaseVectorList::MaxSpacing(const TBaseVectorList& other) const {
  Require(other.Count() == Count());
  float m = 0;
  for (int i = 0; i < Count(); ++i) {
    const float *a = ItemXYZ(i), *b = other.ItemXYZ(i);
    const float s = VectorSpacing({a[0], a[1], a[2]}, {b[0], b[1], b[2]});
    if (s > m) m = s;
  }
  return m;
}
void TBaseVectorList::Translate(const TAffineVector& d) {
  for (int i = 0; i < Count(); ++i) {
    float* v = ItemXYZ(i);
    v[0] += d.X, v[1] += d.Y, v[2] += d.Z;
  }
}
void TBaseVectorList::Translate(const TBaseVectorList& list) {
  Require(list.Count() >= Count());
  for (int i = 0; i < Count(); ++i) {
    float* v = ItemXYZ(i);
    const float* d = list.ItemXYZ(i);
    v[0] += d[0], v[1] += d[1], v[2] += d[2];
  }
}
void TBaseVectorList::TranslateInv(const TBaseVectorList& list) {
  Require(list.Count() >= Count());
  for (int i = 0; i < Count(); ++i) {
    float* v = ItemXYZ(i);
    const float* d = list.ItemXYZ(i);
    v[0] -= d[0], v[1] -= d[1], v[2] -= d[2];
  }
}
void TBaseVectorList::Combine(const TBaseVectorList& list, float f) {
  Require(list.Count() >= Count());
  for (int i = 0; i < Count(); ++i) {
    float* v = ItemXYZ(i);
    const float* d = list.ItemXYZ(i);
    TAffineVector a{v[0], v[1], v[2]};
    CombineVector(a, TAffineVector{d[0], d[1], d[2]}, f);
    v[0] = a.X, v[1] = a.Y, v[2] = a.Z;
  }
}
void TBaseVectorList::WriteArchive(TVirtualWriter& w) const {
  TBaseList::WriteArchive(w);
  w.WriteInteger(0);
}
void TBaseVectorList::ReadArchive(TVirtualReader& r) {
  TBaseList::ReadArchive(r);
  const int version = r.ReadInteger();
  if (version != 0) RaiseArchiveVersionError(version);
}

// ---- Typed lists ----
namespace {

// `self` becomes the blend of two lists of its own kind and of one count; lists of another
// kind leave it as it is.
template <class List, class Blend>
void LerpLists(List& self, const TBaseVectorList& l1, const TBaseVectorList& l2, float t, Blend blend) {
  auto* a = dynamic_cast<const List*>(&l1);
  auto* b = dynamic_cast<const List*>(&l2);
  if (!a || !b) return;
  Require(a->Count() == b->Count());
  self.SetCount(a->Count());
  blend(a->List(), b->List(), a->Count(), t, self.List());
}

}  // namespace

int TAffineVectorList::IndexOf(const TAffineVector& v) const {
  for (int i = 0; i < Count(); ++i)
    if (VectorEquals(List()[i], v)) return i;
  return -1;
}
int TAffineVectorList::FindOrAdd(const TAffineVector& v) {
  const int i = IndexOf(v);
  return i >= 0 ? i : Add(v);
}
void TAffineVectorList::Lerp(const TBaseVectorList& l1, const TBaseVectorList& l2, float t) {
  LerpLists(*this, l1, l2, t, AffineVectorArrayLerp);
}

int TVectorList::Add(const TAffineVector& a, float w) { return Add(VectorFromAffine(a, w)); }
void TVectorList::Lerp(const TBaseVectorList& l1, const TBaseVectorList& l2, float t) {
  LerpLists(*this, l1, l2, t, VectorArrayLerp);
}

void TIntegerList::Add2(std::int32_t a, std::int32_t b) {
  const int i = Count();
  GrowFor(i + 2);
  SetCount(i + 2);
  List()[i] = a;
  List()[i + 1] = b;
}
void TIntegerList::Add3(std::int32_t a, std::int32_t b, std::int32_t c) {
  const int i = Count();
  GrowFor(i + 3);
  SetCount(i + 3);
  List()[i] = a;
  List()[i + 1] = b;
  List()[i + 2] = c;
}

void QuickSortLists(int start, int end, TSingleList& keys, TPersistentObjectList& objects) {
  if (start >= end) return;
  if (end == start + 1) {
    if (keys[end] < keys[start]) {
      std::swap(keys[start], keys[end]);
      objects.Exchange(start, end);
    }
    return;
  }
  do {
    int i = start, j = end;
    const float p = keys[(start + end) / 2];
    do {
      while (keys[i] < p) ++i;
      while (keys[j] > p) --j;
      if (i <= j) {
        std::swap(keys[i], keys[j]);
        objects.Exchange(i, j);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j > start) QuickSortLists(start, j, keys, objects);
    start = i;
  } while (start < end);
}

void RegisterVectorListClasses() {
  RegisterClass("TAffineVectorList", [] { return std::make_unique<TAffineVectorList>(); });
  RegisterClass("TVectorList", [] { return std::make_unique<TVectorList>(); });
  RegisterClass("TTexPointList", [] { return std::make_unique<TTexPointList>(); });
  RegisterClass("TSingleList", [] { return std::make_unique<TSingleList>(); });
  RegisterClass("TPersistentObjectList", [] { return std::make_unique<TPersistentObjectList>(); });
}

}  // namespace qx
