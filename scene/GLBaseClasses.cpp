#include "scene/GLBaseClasses.h"

#include <algorithm>

namespace qx {

TComponent::~TComponent() { SendFreeNotifications(); }

void TComponent::SendFreeNotifications() {
  ComponentState |= csDestroying;
  // Each listener may unsubscribe while it hears of us: work on a copy.
  const std::vector<TComponent*> listeners = freeNotifies_;
  freeNotifies_.clear();
  for (TComponent* c : listeners) {
    c->RemoveFreeNotification(this);
    c->Notification(this, TOperation::opRemove);
  }
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
    freeNotifies_.push_back(other);
  if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) == other->freeNotifies_.end())
    other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
  if (other)
    other->freeNotifies_.erase(std::remove(other->freeNotifies_.begin(), other->freeNotifies_.end(), this),
                               other->freeNotifies_.end());
}

void TGLUpdateAbleObject::NotifyChange(TObject* /*sender*/) {
  if (updating_ != 0) return;
  if (auto* o = dynamic_cast<TGLUpdateAbleObject*>(owner_))
    o->NotifyChange(this);
  else if (auto* c = dynamic_cast<TGLUpdateAbleComponent*>(owner_))
    c->NotifyChange(this);
  if (OnNotifyChange) OnNotifyChange(this);
}

void TGLUpdateAbleObject::EndUpdate() {
  if (updating_ > 0) --updating_;
}

void TGLUpdateAbleComponent::NotifyChange(TObject* /*sender*/) {
  if (auto* o = dynamic_cast<TGLUpdateAbleComponent*>(Owner())) o->NotifyChange(this);
}

}  // namespace qx
