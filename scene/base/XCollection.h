// A list of heterogeneous items of registered classes, streamed with their class names:
// the behaviours and effects of scene objects are kept in such collections.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scene/base/PersistentClasses.h"

namespace qx {

class TXCollection;

class TXCollectionItem : public TPersistent {
 public:
  // Refused by the owner (AcceptsItemClass): EAssertionFailed "Addition of ITEM to COLLECTION
  // rejected."
  explicit TXCollectionItem(TXCollection* owner);
  ~TXCollectionItem() override;
  std::string ClassName() const override { return "TXCollectionItem"; }
  void Assign(const TPersistent* source) override;
  TXCollection* Owner() const { return owner_; }
  std::string Name;
  int Index() const;
  std::string GetNamePath() const;
  virtual std::string FriendlyName() const { return ClassName(); }
  virtual std::string Description() const { return FriendlyName(); }
  virtual bool UniqueItem() const { return false; }
  virtual bool AcceptsOwner(const TXCollection*) const { return true; }
  virtual void WriteItemData(TVirtualWriter& writer) const;
  virtual void ReadItemData(TVirtualReader& reader);
  virtual void Loaded() {}

 private:
  friend class TXCollection;
  TXCollection* owner_;
};

using TXItemFactory = std::function<TXCollectionItem*(TXCollection*)>;
struct TXItemClass {
  std::string Name;
  TXItemFactory Create;
  bool Unique = false;
};

// The registry of item classes, searched by exact class name.
void RegisterXCollectionItemClass(const TXItemClass& cls);
const TXItemClass* FindXCollectionItemClass(const std::string& name);

class TXCollection : public TPersistent {
 public:
  explicit TXCollection(TPersistent* owner = nullptr) : owner_(owner) {}
  ~TXCollection() override;
  TXCollection(const TXCollection&) = delete;
  TXCollection& operator=(const TXCollection&) = delete;
  std::string ClassName() const override { return "TXCollection"; }
  TPersistent* GetOwner() const override { return owner_; }
  int Count() const { return int(items_.size()); }
  TXCollectionItem* operator[](int i) const { return items_[std::size_t(i)]; }
  void Clear();
  void Delete(int index);
  int IndexOf(const TXCollectionItem* item) const;
  virtual bool AcceptsItemClass(const std::string& itemClass, bool unique) const;
  void Assign(const TPersistent* source) override;
  void Loaded();
  virtual std::string GetNamePath() const { return ClassName(); }
  // Count, then per item its class (name the first time, index later), version 0 and Name.
  void WriteToFiler(TVirtualWriter& writer) const;
  // An unregistered class raises EAssertionFailed "Class NAME unknown. Add the relevant unit
  // to your \"uses\".".
  void ReadFromFiler(TVirtualReader& reader);

 private:
  friend class TXCollectionItem;
  TPersistent* owner_;
  std::vector<TXCollectionItem*> items_;
};

}  // namespace qx
