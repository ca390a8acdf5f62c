#include "scene/base/XCollection.h"

#include <map>

#include "scene/base/SceneErrors.h"

namespace qx {

static std::map<std::string, TXItemClass>& ItemClasses() {
  static std::map<std::string, TXItemClass> r;
  return r;
}
void RegisterXCollectionItemClass(const TXItemClass& cls) { ItemClasses()[cls.Name] = cls; }
const TXItemClass* FindXCollectionItemClass(const std::string& name) {
  auto it = ItemClasses().find(name);
  return it == ItemClasses().end() ? nullptr : &it->second;
}

TXCollectionItem::TXCollectionItem(TXCollection* owner) : owner_(owner) {
  if (owner_) owner_->items_.push_back(this);
}

TXCollectionItem::~TXCollectionItem() {
  if (owner_) {
    const int i = owner_->IndexOf(this);
    if (i >= 0) owner_->items_.erase(owner_->items_.begin() + i);
  }
}

void TXCollectionItem::Assign(const TPersistent* source) {
  if (auto* s = dynamic_cast<const TXCollectionItem*>(source)) {
    Name = s->Name;
    return;
  }
  TPersistent::Assign(source);
}

int TXCollectionItem::Index() const { return owner_ ? owner_->IndexOf(this) : -1; }

std::string TXCollectionItem::GetNamePath() const {
  return (owner_ ? owner_->GetNamePath() : std::string()) + "[" + std::to_string(Index()) + "]";
}

void TXCollectionItem::WriteItemData(TVirtualWriter& w) const {
  w.WriteInteger(0);
  w.WriteString(Name);
}

void TXCollectionItem::ReadItemData(TVirtualReader& r) {
  Require(r.ReadInteger() == 0);
  Name = r.ReadString();
}

TXCollection::~TXCollection() { Clear(); }

void TXCollection::Clear() {
  while (!items_.empty()) {
    TXCollectionItem* item = items_.back();
    items_.pop_back();
    item->owner_ = nullptr;
    delete item;
  }
}

void TXCollection::Delete(int index) {
  TXCollectionItem* item = items_.at(std::size_t(index));
  items_.erase(items_.begin() + index);
  item->owner_ = nullptr;
  delete item;
}

int TXCollection::IndexOf(const TXCollectionItem* item) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i] == item) return int(i);
  return -1;
}

bool TXCollection::AcceptsItemClass(const std::string& itemClass, bool unique) const {
  if (!unique) return true;
  for (auto* it : items_)
    if (it->ClassName() == itemClass) return false;
  return true;
}

void TXCollection::Assign(const TPersistent* source) {
  if (!source) {
    Clear();
    return;
  }
  auto* src = dynamic_cast<const TXCollection*>(source);
  if (!src || src->ClassName() != ClassName()) {
    TPersistent::Assign(source);
    return;
  }
  if (src == this) return;
  Clear();
  for (auto* it : src->items_) {
    const TXItemClass* cls = FindXCollectionItemClass(it->ClassName());
    Require(cls != nullptr);
    TXCollectionItem* copy = cls->Create(this);
    copy->Assign(it);
  }
}

void TXCollection::Loaded() {
  for (auto* it : items_) it->Loaded();
}

void TXCollection::WriteToFiler(TVirtualWriter& w) const {
  w.WriteInteger(Count());
  std::vector<std::string> classes;
  for (auto* it : items_) {
    const std::string name = it->ClassName();
    int idx = -1;
    for (std::size_t k = 0; k < classes.size(); ++k)
      if (classes[k] == name) idx = int(k);
    if (idx < 0) {
      w.WriteString(name);
      classes.push_back(name);
    } else {
      w.WriteInteger(idx);
    }
    it->WriteItemData(w);
  }
}

void TXCollection::ReadFromFiler(TVirtualReader& r) {
  Clear();
  const int n = r.ReadInteger();
  std::vector<const TXItemClass*> classes;
  for (int i = 0; i < n; ++i) {
    const std::uint8_t tag = r.PeekValueTag();
    const TXItemClass* cls = nullptr;
    if (tag == vaString || tag == vaLString) {
      const std::string name = r.ReadString();
      cls = FindXCollectionItemClass(name);
      if (!cls) throw EAssertionFailed("Class " + name + " unknown. Add the relevant unit to your \"uses\".");
      classes.push_back(cls);
    } else {
      const int idx = r.ReadInteger();
      Require(idx >= 0 && idx < int(classes.size()));
      cls = classes[std::size_t(idx)];
    }
    if (!AcceptsItemClass(cls->Name, cls->Unique))
      throw EAssertionFailed("Addition of " + cls->Name + " to " + ClassName() + " rejected.");
    TXCollectionItem* item = cls->Create(this);
    item->ReadItemData(r);
  }
}

}  // namespace qx
