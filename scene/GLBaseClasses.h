// The component model of the scene graph and the small bases that carry change
// notification: a sub-object (TGLUpdateAbleObject) reports a change to the object that owns
// it, and the owner decides what to rebuild.
//
// Ownership in C++: a component's Owner is only the notification path (as a form is the
// owner of its components); who frees an object is said by the class that holds it (the
// scene tree frees its children, a scene frees its roots).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "scene/base/PersistentClasses.h"

namespace qx {

enum TComponentStateFlag : std::uint8_t { csLoading = 1, csReading = 2, csDesigning = 4, csDestroying = 8 };
enum class TOperation : std::uint8_t { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner = nullptr) : owner_(owner) {}
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  std::string ClassName() const override { return "TComponent"; }
  TPersistent* GetOwner() const override { return owner_; }
  TComponent* Owner() const { return owner_; }
  std::string Name;
  std::uint8_t ComponentState = 0;
  bool IsLoading() const { return ComponentState & csLoading; }
  bool IsDesigning() const { return ComponentState & csDesigning; }
  bool IsDestroying() const { return ComponentState & csDestroying; }
  // The other component hears Notification(this, opRemove) when this one is destroyed.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);
  virtual void Notification(TComponent*, TOperation) {}
  virtual void Loaded() { ComponentState &= std::uint8_t(~csLoading); }

 protected:
  // Tells the listeners that this component goes. A class whose listeners may look at it
  // calls this first in its destructor, while the object is still whole; the base
  // destructor tells whoever is left.
  void SendFreeNotifications();

 private:
  TComponent* owner_;
  std::vector<TComponent*> freeNotifies_;
};

class TGLUpdateAbleObject : public TPersistent {
 public:
  explicit TGLUpdateAbleObject(TPersistent* owner) : owner_(owner) {}
  std::string ClassName() const override { return "TGLUpdateAbleObject"; }
  TPersistent* GetOwner() const override { return owner_; }
  TPersistent* Owner() const { return owner_; }
  // Nothing while updating; otherwise the owner hears of it, then OnNotifyChange.
  virtual void NotifyChange(TObject* sender);
  void BeginUpdate() { ++updating_; }
  void EndUpdate();
  int UpdateCounter() const { return updating_; }
  std::function<void(TObject*)> OnNotifyChange;

 private:
  TPersistent* owner_;
  int updating_ = 0;
};

class TGLCadenceAbleComponent : public TComponent {
 public:
  using TComponent::TComponent;
  virtual void DoProgress(double /*deltaTime*/, double /*newTime*/) {}
};

class TGLUpdateAbleComponent : public TGLCadenceAbleComponent {
 public:
  using TGLCadenceAbleComponent::TGLCadenceAbleComponent;
  std::string ClassName() const override { return "TGLUpdateAbleComponent"; }
  // Passes the change to the owning component when it is one of these.
  virtual void NotifyChange(TObject* sender);
};

class TGLCoordinates;

class TGLCoordinatesUpdateAbleComponent : public TGLUpdateAbleComponent {
 public:
  using TGLUpdateAbleComponent::TGLUpdateAbleComponent;
  virtual void CoordinatesChanged(TGLCoordinates*) {}
};

}  // namespace qx
