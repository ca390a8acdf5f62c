#include "scene/GLSceneObject.h"

#include <cctype>
#include <cmath>
#include <unordered_map>

#include "scene/GLCamera.h"
#include "scene/GLRegistry.h"
#include "scene/GLScene.h"
#include "scene/GLState.h"
#include "scene/XOpenGL.h"
#include "scene/base/SceneErrors.h"

namespace qx {

// ---- Pick names: a 32-bit name per object, looked up when a hit comes back ----
namespace {
std::unordered_map<std::uint32_t, TGLBaseSceneObject*>& PickNames() {
  static std::unordered_map<std::uint32_t, TGLBaseSceneObject*> m;
  return m;
}
std::uint32_t NewPickName(TGLBaseSceneObject* obj) {
  static std::uint32_t next = 0;
  do {
    ++next;
  } while (next == 0 || PickNames().count(next));
  PickNames()[next] = obj;
  return next;
}
bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower((unsigned char)a[i]) != std::tolower((unsigned char)b[i])) return false;
  return true;
}
}  // namespace

TGLBaseSceneObject* TGLBaseSceneObject::FindByPickName(std::uint32_t name) {
  auto it = PickNames().find(name);
  return it == PickNames().end() ? nullptr : it->second;
}

// ---- Behaviours and effects ----
TGLBaseSceneObject* TGLBaseBehaviour::OwnerBaseSceneObject() const {
  return Owner() ? dynamic_cast<TGLBaseSceneObject*>(Owner()->GetOwner()) : nullptr;
}

TGLBehaviours::TGLBehaviours(TPersistent* owner) : TXCollection(owner) {
  Require(dynamic_cast<TGLBaseSceneObject*>(owner) != nullptr);
}
std::string TGLBehaviours::GetNamePath() const {
  auto* o = dynamic_cast<TGLBaseSceneObject*>(GetOwner());
  return (o ? o->Name : std::string()) + ".Behaviours";
}
TGLObjectEffects::TGLObjectEffects(TPersistent* owner) : TXCollection(owner) {
  Require(dynamic_cast<TGLBaseSceneObject*>(owner) != nullptr);
}
std::string TGLObjectEffects::GetNamePath() const {
  auto* o = dynamic_cast<TGLBaseSceneObject*>(GetOwner());
  return (o ? o->Name : std::string()) + ".Effects";
}

// ---- TGLBaseSceneObject ----
TGLBaseSceneObject::TGLBaseSceneObject(TComponent* owner)
    : TGLCoordinatesUpdateAbleComponent(owner),
      position_(this, THomogeneousVector{0, 0, 0, 1}, csPointStyle),
      direction_(this, THomogeneousVector{0, 0, 1, 0}, csVectorStyle),
      up_(this, THomogeneousVector{0, 1, 0, 0}, csVectorStyle),
      scale_(this, THomogeneousVector{1, 1, 1, 0}, csVectorStyle),
      rotation_(this, THomogeneousVector{0, 0, 0, 0}, csVectorStyle) {
  pickName_ = NewPickName(this);
}

TGLBaseSceneObject::~TGLBaseSceneObject() {
  SendFreeNotifications();
  if (scene_ && scene_->CurrentGLObject == this) scene_->CurrentGLObject = nullptr;
  FreeCameras();
  if (TGLBaseSceneObject* p = parent_) {
    p->DetachChild(this);
    p->NotifyChange(p);
  }
  DeleteChildren();
  PickNames().erase(pickName_);
}

TGLBaseSceneObject* TGLBaseSceneObject::GetChild(int index) const {
  if (!children_ || index < 0 || index >= children_->Count()) return nullptr;
  return static_cast<TGLBaseSceneObject*>((*children_)[index]);
}

int TGLBaseSceneObject::Index() const {
  if (!parent_ || !parent_->children_) return -1;
  return parent_->children_->IndexOf(this);
}

void TGLBaseSceneObject::SetIndex(int index) {
  if (!parent_) return;
  const int count = parent_->Count();
  if (index >= count) index = count - 1;
  if (index < 0) index = 0;
  if (index == Index()) return;
  TGLScene* scene = scene_;
  if (scene) scene->BeginUpdate();
  TGLBaseSceneObject* p = parent_;
  p->children_->Remove(this);
  p->children_->Insert(index, this);
  if (scene)
    scene->EndUpdate();
  else
    p->NotifyChange(p);
}

void TGLBaseSceneObject::SetScene(TGLScene* scene) {
  if (scene == scene_) return;
  // Leaving a scene: its display lists belong to that scene's contexts.
  if (scene_) DestroyHandles();
  scene_ = scene;
  for (int i = 0; i < Count(); ++i) GetChild(i)->SetScene(scene);
}

TGLBaseSceneObject* TGLBaseSceneObject::AddChild(TGLBaseSceneObject* child) {
  Require(child != nullptr && child != this);
  for (TGLBaseSceneObject* p = this; p; p = p->parent_) Require(p != child, "Assertion failure");
  // A child that had a parent leaves it first: an object is never in two lists.
  if (child->parent_) child->parent_->DetachChild(child);
  if (scene_) scene_->AddLights(child);
  if (!children_) children_ = std::make_unique<TPersistentObjectList>();
  children_->Add(child);
  child->parent_ = this;
  child->SetScene(scene_);
  child->TransformationChanged();
  TransformationChanged();
  return child;
}

TGLBaseSceneObject* TGLBaseSceneObject::AddNewChild(const std::string& className) {
  const TSceneObjectFactory* f = FindSceneObjectClass(className);
  if (!f) throw EAssertionFailed("Class " + className + " not found");
  return AddChild((*f)(Owner()));
}

void TGLBaseSceneObject::Insert(int index, TGLBaseSceneObject* child) {
  Require(child != nullptr && child != this);
  for (TGLBaseSceneObject* p = this; p; p = p->parent_) Require(p != child);
  if (child->parent_) child->parent_->DetachChild(child);
  if (!children_) children_ = std::make_unique<TPersistentObjectList>();
  if (index < 0) index = 0;
  if (index > children_->Count()) index = children_->Count();
  children_->Insert(index, child);
  child->parent_ = this;
  if (child->scene_ && child->scene_ != scene_) child->DestroyHandles();
  child->SetScene(scene_);
  if (scene_) scene_->AddLights(child);
  child->TransformationChanged();
  NotifyChange(this);
}

void TGLBaseSceneObject::DetachChild(TGLBaseSceneObject* child) {
  if (!children_ || child->parent_ != this) return;
  if (scene_) scene_->RemoveLights(child);
  children_->Remove(child);
  child->parent_ = nullptr;
  // Out of the tree, the object no longer hears of the scene (which may go first).
  child->SetScene(nullptr);
  child->InvalidateAbsoluteMatrices();
}

std::unique_ptr<TGLBaseSceneObject> TGLBaseSceneObject::Remove(TGLBaseSceneObject* child, bool keepChildren) {
  if (!child || child->parent_ != this) return nullptr;
  DetachChild(child);
  if (keepChildren) {
    BeginChanges();
    while (child->Count() > 0) child->GetChild(0)->MoveTo(this);
    EndChanges();
  } else {
    NotifyChange(this);
  }
  return std::unique_ptr<TGLBaseSceneObject>(child);
}

void TGLBaseSceneObject::FreeCameras() {
  for (int i = Count() - 1; i >= 0; --i) {
    TGLBaseSceneObject* c = GetChild(i);
    if (!c) continue;
    c->FreeCameras();
    if (dynamic_cast<TGLCamera*>(c)) {
      DetachChild(c);
      delete c;
    }
  }
}

void TGLBaseSceneObject::DeleteChildren() {
  FreeCameras();
  if (!children_) return;
  while (children_->Count() > 0) {
    auto* c = static_cast<TGLBaseSceneObject*>(children_->Last());
    if (scene_) scene_->RemoveLights(c);
    children_->Pop();
    c->parent_ = nullptr;
    delete c;
  }
  if (!IsDestroying()) NotifyChange(this);
}

void TGLBaseSceneObject::MoveTo(TGLBaseSceneObject* newParent) {
  if (newParent == parent_) return;
  if (!newParent) {
    if (parent_) {
      TGLBaseSceneObject* old = parent_;
      old->DetachChild(this);
      old->NotifyChange(old);
    }
    return;
  }
  newParent->AddChild(this);
}

void TGLBaseSceneObject::MoveUp() {
  if (parent_) SetIndex(Index() - 1);
}
void TGLBaseSceneObject::MoveDown() {
  if (parent_) SetIndex(Index() + 1);
}

TGLBaseSceneObject* TGLBaseSceneObject::FindChildByName(const std::string& name, bool ownChildrenOnly) const {
  TGLBaseSceneObject* result = nullptr;
  for (int i = 0; i < Count(); ++i)
    if (SameText(GetChild(i)->Name, name)) {
      result = GetChild(i);
      break;
    }
  if (!ownChildrenOnly)
    for (int i = 0; i < Count(); ++i)
      if (TGLBaseSceneObject* r = GetChild(i)->FindChildByName(name, false)) return r;
  return result;
}

bool TGLBaseSceneObject::HasSubChildren() const {
  for (int i = 0; i < Count(); ++i)
    if (GetChild(i)->Count() > 0) return true;
  return false;
}

// ---- Frame ----
void TGLBaseSceneObject::SetDirection(const TAffineVector& v) {
  if (!VectorIsNull(v)) direction_.SetAsAffineVector(v);
}
void TGLBaseSceneObject::SetUp(const TAffineVector& v) {
  if (!VectorIsNull(v)) up_.SetAsAffineVector(v);
}
void TGLBaseSceneObject::SetScale(const TGLCoordinates& c) {
  scale_.DirectVector(c.AsVector());
  TransformationChanged();
}

TAffineVector TGLBaseSceneObject::LeftVector() const {
  return VectorCrossProduct(direction_.AsAffineVector(), up_.AsAffineVector());
}
TAffineVector TGLBaseSceneObject::RightVector() const {
  return VectorCrossProduct(up_.AsAffineVector(), direction_.AsAffineVector());
}

namespace {
// The right vector of the frame, with the fallbacks for a direction along Up.
TAffineVector FrameRight(const TAffineVector& d, const TAffineVector& up) {
  TAffineVector right = VectorCrossProduct(d, up);
  if (VectorLength(right) < 1e-5f) {
    right = VectorCrossProduct(ZVector, up);
    if (VectorLength(right) < 1e-5f) right = VectorCrossProduct(XVector, up);
  }
  return right;
}
struct TGuard {
  bool& flag;
  explicit TGuard(bool& f) : flag(f) { flag = true; }
  ~TGuard() { flag = false; }
};
// -(180/pi) atan2(a, sqrt(b^2 + c^2)), mirrored when a component is negative.
float FrameAngle(float a, float b, float c, float signComponent) {
  float p =
      -float(c180divPIL * std::atan2((long double)a, std::sqrt((long double)b * b + (long double)c * c)));
  if (signComponent < 0) p = a < 0 ? 180 - p : -180 - p;
  return p;
}
// Turns `moving` about `axis` by `angle` degrees, the way the object turns, and keeps it at
// unit length; returns what it stored.
THomogeneousVector TurnAbout(TGLCoordinates& moving, const TAffineVector& axis, float angle) {
  THomogeneousVector v = moving.AsVector();
  RotateVector(v, axis, -DegToRad(angle));
  NormalizeVector(v);
  moving.DirectVector(v);
  return v;
}
// Stores one of the three rotation angles; the other two stay.
void StoreAngle(TGLCoordinates& rotation, int index, float angle) {
  THomogeneousVector r = rotation.AsVector();
  r[index] = angle;
  rotation.DirectVector(r);
}
}  // namespace

void TGLBaseSceneObject::CoordinatesChanged(TGLCoordinates* sender) {
  if (rotating_) return;
  {
    TGuard guard(rotating_);
    if (sender == &direction_) {
      TAffineVector d = direction_.AsAffineVector();
      if (VectorLength(d) == 0) d = ZVector;
      NormalizeVector(d);
      const TAffineVector right = FrameRight(d, up_.AsAffineVector());
      const TAffineVector up = VectorNormalize(VectorCrossProduct(right, d));
      direction_.DirectVector(VectorFromAffine(d, 0));
      up_.DirectVector(VectorFromAffine(up, 0));
    } else if (sender == &up_) {
      TAffineVector up = up_.AsAffineVector();
      if (VectorLength(up) == 0) up = YVector;
      NormalizeVector(up);
      const TAffineVector right = FrameRight(direction_.AsAffineVector(), up);
      const TAffineVector d = VectorNormalize(VectorCrossProduct(up, right));
      up_.DirectVector(VectorFromAffine(up, 0));
      direction_.DirectVector(VectorFromAffine(d, 0));
    } else if (sender == &rotation_) {
      const THomogeneousVector r = rotation_.AsVector();
      ResetAndPitchTurnRollAngles(r.X, r.Y, r.Z);
    }
  }
  TransformationChanged();
}

void TGLBaseSceneObject::Pitch(float angle) {
  {
    TGuard guard(rotating_);
    const TAffineVector left = LeftVector();
    TurnAbout(up_, left, angle);
    const THomogeneousVector dir = TurnAbout(direction_, left, angle);
    StoreAngle(rotation_, 0, FrameAngle(dir.Y, dir.X, dir.Z, dir.X));
  }
  TransformationChanged();
}

void TGLBaseSceneObject::Turn(float angle) {
  {
    TGuard guard(rotating_);
    const THomogeneousVector dir = TurnAbout(direction_, up_.AsAffineVector(), angle);
    StoreAngle(rotation_, 1, FrameAngle(dir.X, dir.Y, dir.Z, dir.Z));
  }
  TransformationChanged();
}

void TGLBaseSceneObject::Roll(float angle) {
  {
    TGuard guard(rotating_);
    const THomogeneousVector up = TurnAbout(up_, direction_.AsAffineVector(), angle);
    StoreAngle(rotation_, 2, FrameAngle(up.X, up.Y, up.Z, up.Y));
  }
  TransformationChanged();
}

// The frame turns by the difference, then the new angle is stored as given.
void TGLBaseSceneObject::SetAngle(int index, float a, void (TGLBaseSceneObject::*turn)(float)) {
  THomogeneousVector r = rotation_.AsVector();
  if (a == r[index]) return;
  if (!IsLoading()) (this->*turn)(a - r[index]);
  r = rotation_.AsVector();
  r[index] = a;
  rotation_.DirectVector(r);
}
void TGLBaseSceneObject::SetPitchAngle(float a) { SetAngle(0, a, &TGLBaseSceneObject::Pitch); }
void TGLBaseSceneObject::SetTurnAngle(float a) { SetAngle(1, a, &TGLBaseSceneObject::Turn); }
void TGLBaseSceneObject::SetRollAngle(float a) { SetAngle(2, a, &TGLBaseSceneObject::Roll); }

void TGLBaseSceneObject::ResetRotations() {
  rotation_.DirectVector({0, 0, 0, 0});
  direction_.DirectVector({0, 0, 1, 0});
  up_.DirectVector({0, 1, 0, 0});
  TransformationChanged();
}

void TGLBaseSceneObject::ResetAndPitchTurnRollAngles(float pitch, float turn, float roll) {
  ResetRotations();
  if (pitch != 0) Pitch(pitch);
  if (turn != 0) Turn(turn);
  if (roll != 0) Roll(roll);
  rotation_.DirectVector({pitch, turn, roll, 0});
}

void TGLBaseSceneObject::MoveObjectAround(TGLBaseSceneObject* target, float pitchDelta, float turnDelta) {
  if (!target) return;
  const TAffineVector origin = AffineVectorFromVector(target->AbsolutePosition());
  TAffineVector v = VectorSubtract(AffineVectorFromVector(AbsolutePosition()), origin);
  const float r = VectorLength(v);
  NormalizeVector(v);
  const TAffineVector U = VectorNormalize(AffineVectorFromVector(AbsoluteUp()));
  TAffineVector axis = VectorCrossProduct(U, v);
  if (VectorLength(axis) > 0.001f)
    NormalizeVector(axis);
  else
    axis = XVector;
  float p =
      float(std::acos(std::clamp((long double)VectorDotProduct(U, v), -1.0L, 1.0L))) + DegToRad(pitchDelta);
  p = ClampValue(p, 0.025f, 3.1165926f);
  THomogeneousVector nv = VectorFromAffine(U, 0);
  RotateVector(nv, axis, -p);
  RotateVector(nv, U, -DegToRad(turnDelta));
  ScaleVector(nv, r);
  THomogeneousVector absPos = PointMake(VectorAdd(origin, AffineVectorFromVector(nv)));
  if (parent_) absPos = parent_->AbsoluteToLocal(absPos);
  position_.SetAsVector(absPos);
}

// ---- Matrices ----
void TGLBaseSceneObject::RebuildMatrix() {
  if (!(changes_ & ocTransformation)) return;
  const TAffineVector d = direction_.AsAffineVector(), u = up_.AsAffineVector();
  const THomogeneousVector s = scale_.AsVector();
  localMatrix_[0] = VectorFromAffine(VectorScale(VectorCrossProduct(u, d), s.X), 0);
  localMatrix_[1] = VectorFromAffine(VectorScale(u, s.Y), 0);
  localMatrix_[2] = VectorFromAffine(VectorScale(d, s.Z), 0);
  localMatrix_[3] = PointMake(position_.AsAffineVector());
  changes_ = std::uint8_t((changes_ & ~ocTransformation) | ocAbsoluteMatrix | ocInvAbsoluteMatrix);
}

const TMatrix& TGLBaseSceneObject::GetMatrix() {
  RebuildMatrix();
  return localMatrix_;
}

void TGLBaseSceneObject::SetMatrix(const TMatrix& m) {
  direction_.DirectVector(VectorNormalize(m[2]));
  up_.DirectVector(VectorNormalize(m[1]));
  scale_.DirectVector({VectorLength(m[0]), VectorLength(m[1]), VectorLength(m[2]), 0});
  position_.DirectVector({m[3].X, m[3].Y, m[3].Z, 1});
  TransformationChanged();
}

static bool UnderRoot(TGLBaseSceneObject* parent) {
  return !parent || dynamic_cast<TGLSceneRootObject*>(parent) != nullptr;
}

const TMatrix& TGLBaseSceneObject::AbsoluteMatrix() {
  if (changes_ & ocAbsoluteMatrix) {
    RebuildMatrix();
    if (UnderRoot(parent_))
      absoluteMatrix_ = localMatrix_;
    else
      MatrixMultiply(localMatrix_, parent_->AbsoluteMatrix(), absoluteMatrix_);
    changes_ = std::uint8_t((changes_ & ~ocAbsoluteMatrix) | ocInvAbsoluteMatrix);
  }
  return absoluteMatrix_;
}

const TMatrix& TGLBaseSceneObject::InvAbsoluteMatrix() {
  if (changes_ & ocInvAbsoluteMatrix) {
    const THomogeneousVector s = scale_.AsVector();
    if (s.X == 1 && s.Y == 1 && s.Z == 1) {
      const TMatrix localInv = AnglePreservingMatrixInvert(GetMatrix());
      if (UnderRoot(parent_))
        invAbsoluteMatrix_ = localInv;
      else
        MatrixMultiply(parent_->InvAbsoluteMatrix(), localInv, invAbsoluteMatrix_);
    } else {
      invAbsoluteMatrix_ = AbsoluteMatrix();
      InvertMatrix(invAbsoluteMatrix_);
    }
    changes_ = std::uint8_t(changes_ & ~ocInvAbsoluteMatrix);
  }
  return invAbsoluteMatrix_;
}

THomogeneousVector TGLBaseSceneObject::AbsolutePosition() { return AbsoluteMatrix()[3]; }
THomogeneousVector TGLBaseSceneObject::AbsoluteDirection() { return VectorNormalize(AbsoluteMatrix()[2]); }
THomogeneousVector TGLBaseSceneObject::AbsoluteUp() { return VectorNormalize(AbsoluteMatrix()[1]); }

void TGLBaseSceneObject::SetAbsolutePosition(const THomogeneousVector& v) {
  position_.SetAsVector(parent_ ? parent_->AbsoluteToLocal(v) : v);
}

THomogeneousVector TGLBaseSceneObject::LocalToAbsolute(const THomogeneousVector& v) {
  return VectorTransform(v, AbsoluteMatrix());
}
TAffineVector TGLBaseSceneObject::LocalToAbsolute(const TAffineVector& v) {
  return VectorTransform(v, AbsoluteMatrix());
}
THomogeneousVector TGLBaseSceneObject::AbsoluteToLocal(const THomogeneousVector& v) {
  return VectorTransform(v, InvAbsoluteMatrix());
}
TAffineVector TGLBaseSceneObject::AbsoluteToLocal(const TAffineVector& v) {
  return VectorTransform(v, InvAbsoluteMatrix());
}

// ---- Bounds ----
THomogeneousVector TGLBaseSceneObject::AbsoluteCentre() { return AbsolutePosition(); }
THomogeneousVector TGLBaseSceneObject::UnscaledHalfExtents() { return {0.5f, 0.5f, 0.5f, 0}; }
TAffineVector TGLBaseSceneObject::AxisAlignedDimensions() {
  TAffineVector r = AffineVectorFromVector(UnscaledHalfExtents());
  ScaleAffineVectorByVector(r, scale_.AsAffineVector());
  return r;
}
float TGLBaseSceneObject::BoundingSphereRadius() { return VectorLength(AxisAlignedDimensions()); }
float TGLBaseSceneObject::BoundingSphereRadiusUnscaled() { return VectorLength(UnscaledHalfExtents()); }
float TGLBaseSceneObject::DistanceTo(const THomogeneousVector& point) {
  return VectorDistance2(AbsoluteCentre(), point);
}

TAxisAlignedBox TGLBaseSceneObject::HierarchicalBox() {
  TAxisAlignedBox box;
  SetBoxFromHalfExtents(box, AxisAlignedDimensions());
  for (int i = 0; i < Count(); ++i) {
    TGLBaseSceneObject* c = GetChild(i);
    TAxisAlignedBox cb = c->HierarchicalBox();
    TransformBox(cb, c->GetMatrix());
    MergeBox(box, cb);
  }
  return box;
}

bool TGLBaseSceneObject::ContainsPoint(const TAffineVector& point) {
  const TAffineVector local = AffineVectorFromVector(AbsoluteToLocal(PointMake(point)));
  const TAffineVector dims = AxisAlignedDimensions();
  return std::fabs(local.X) <= dims.X && std::fabs(local.Y) <= dims.Y && std::fabs(local.Z) <= dims.Z;
}

bool TGLBaseSceneObject::IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                                      THomogeneousVector* intersectPoint,
                                      THomogeneousVector* intersectNormal) {
  const THomogeneousVector centre = AbsolutePosition();
  THomogeneousVector i1, i2;
  const THomogeneousVector dir = VectorNormalize(rayVector);
  if (IntersectRaySphere(rayStart, dir, centre, BoundingSphereRadius(), i1, i2) <= 0) return false;
  if (intersectPoint) *intersectPoint = PointMake(AffineVectorFromVector(i1));
  if (intersectNormal) *intersectNormal = VectorNormalize(VectorSubtract(i1, centre));
  return true;
}

// ---- Changes ----
void TGLBaseSceneObject::EndChanges() {
  if (updateCount_ < 1) throw EAssertionFailed("Unbalanced Begin/EndUpdate");
  if (--updateCount_ == 0) NotifyChange(this);
}

void TGLBaseSceneObject::InvalidateAbsoluteMatrices() {
  changes_ |= ocAbsoluteMatrix | ocInvAbsoluteMatrix;
  for (int i = 0; i < Count(); ++i) {
    TGLBaseSceneObject* c = GetChild(i);
    if ((c->changes_ & (ocAbsoluteMatrix | ocInvAbsoluteMatrix)) != (ocAbsoluteMatrix | ocInvAbsoluteMatrix))
      c->InvalidateAbsoluteMatrices();
  }
}

// The scene hears of every change, even when the matrices were already out of date: a
// change made while a frame was drawn must not swallow the repaint of the next one.
void TGLBaseSceneObject::TransformationChanged() {
  if (!(changes_ & ocTransformation)) {
    changes_ |= ocTransformation;
    InvalidateAbsoluteMatrices();
  }
  if (!IsLoading()) NotifyChange(this);
}

void TGLBaseSceneObject::StructureChanged() {
  if (!(changes_ & ocStructure)) {
    changes_ |= ocStructure;
    NotifyChange(this);
  } else if (objectStyle_ & osDirectDraw) {
    NotifyChange(this);
  }
}

void TGLBaseSceneObject::NotifyChange(TObject*) {
  if (scene_ && !IsUpdating()) scene_->NotifyChange(this);
}

void TGLBaseSceneObject::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  NotifyChange(this);
}
void TGLBaseSceneObject::SetShowAxes(bool v) {
  if (v == showAxes_) return;
  showAxes_ = v;
  NotifyChange(this);
}
void TGLBaseSceneObject::SetObjectsSorting(TGLObjectsSorting v) {
  if (v == objectsSorting_) return;
  objectsSorting_ = v;
  NotifyChange(this);
}
void TGLBaseSceneObject::SetVisibilityCulling(TGLVisibilityCulling v) {
  if (v == visibilityCulling_) return;
  visibilityCulling_ = v;
  NotifyChange(this);
}

TGLBehaviours& TGLBaseSceneObject::Behaviours() {
  if (!behaviours_) behaviours_ = std::make_unique<TGLBehaviours>(this);
  return *behaviours_;
}
TGLObjectEffects& TGLBaseSceneObject::Effects() {
  if (!effects_) effects_ = std::make_unique<TGLObjectEffects>(this);
  return *effects_;
}

void TGLBaseSceneObject::AdvanceTime(double deltaTime, double newTime) {
  for (int i = Count() - 1; i >= 0; --i) GetChild(i)->AdvanceTime(deltaTime, newTime);
  if (behaviours_)
    for (int i = 0; i < behaviours_->Count(); ++i)
      if (auto* b = dynamic_cast<TGLBehaviour*>((*behaviours_)[i])) b->DoProgress(deltaTime, newTime);
  if (effects_)
    for (int i = 0; i < effects_->Count(); ++i)
      if (auto* e = dynamic_cast<TGLObjectEffect*>((*effects_)[i])) e->DoProgress(deltaTime, newTime);
  if (OnProgress) OnProgress(this, deltaTime, newTime);
}

void TGLBaseSceneObject::Assign(const TPersistent* source) {
  auto* src = dynamic_cast<const TGLBaseSceneObject*>(source);
  if (!src) {
    TGLCoordinatesUpdateAbleComponent::Assign(source);
    return;
  }
  if (src == this) return;
  auto* s = const_cast<TGLBaseSceneObject*>(src);
  DestroyHandles();
  visible_ = s->visible_;
  SetMatrix(s->GetMatrix());
  showAxes_ = s->showAxes_;
  objectsSorting_ = s->objectsSorting_;
  visibilityCulling_ = s->visibilityCulling_;
  rotation_.DirectVector(s->rotation_.AsVector());
  DeleteChildren();
  if (scene_) scene_->BeginUpdate();
  for (int i = 0; i < s->Count(); ++i) {
    TGLBaseSceneObject* sc = s->GetChild(i);
    AddNewChild(sc->ClassName())->Assign(sc);
  }
  if (scene_) scene_->EndUpdate();
  OnProgress = s->OnProgress;
  if (s->behaviours_)
    Behaviours().Assign(s->behaviours_.get());
  else
    behaviours_.reset();
  if (s->effects_)
    Effects().Assign(s->effects_.get());
  else
    effects_.reset();
}

void TGLBaseSceneObject::Loaded() {
  TGLCoordinatesUpdateAbleComponent::Loaded();
  THomogeneousVector p = position_.AsVector();
  p.W = 1;
  position_.DirectVector(p);
  if (behaviours_) behaviours_->Loaded();
  if (effects_) effects_->Loaded();
}

// ---- Rendering ----
void TGLBaseSceneObject::DestroyHandle() {
  if (listHandle_) listHandle_->DestroyHandle();
  changes_ |= ocStructure;
}

void TGLBaseSceneObject::DestroyHandles() {
  for (int i = 0; i < Count(); ++i) GetChild(i)->DestroyHandles();
  DestroyHandle();
}

GLuint TGLBaseSceneObject::CompiledListName(TRenderContextInfo& rci) {
  if (listHandle_ && listHandle_->Handle() != 0 && !(changes_ & ocStructure)) return listHandle_->Handle();
  changes_ = std::uint8_t(changes_ & ~ocStructure);
  if (!listHandle_) listHandle_ = std::make_unique<TGLListHandle>();
  if (listHandle_->Handle() == 0) listHandle_->AllocateHandle();
  Require(listHandle_->Handle() != 0);
  glNewList(listHandle_->Handle(), GL_COMPILE);
  try {
    EmitGeometry(rci);
  } catch (...) {
    glEndList();
    changes_ |= ocStructure;
    throw;
  }
  glEndList();
  return listHandle_->Handle();
}

void TGLBaseSceneObject::RenderSelfOrList(TRenderContextInfo& rci) {
  if ((objectStyle_ & osDirectDraw) || rci.amalgamating || (rci.selecting && !OneKindOfPrimitive()))
    EmitGeometry(rci);
  else
    glCallList(CompiledListName(rci));
}

void TGLBaseSceneObject::RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  if (renderSelf) RenderSelfOrList(rci);
  if (renderChildren && Count() > 0) RenderChildRange(0, Count() - 1, rci);
}

void TGLBaseSceneObject::RenderObject(TRenderContextInfo& rci) {
  bool drawSelf = true, drawChildren = Count() > 0;
  switch (rci.visibilityCulling) {
    case TGLVisibilityCulling::vcInherited:
    case TGLVisibilityCulling::vcNone:
      break;
    case TGLVisibilityCulling::vcObjectBased:
      if (!(objectStyle_ & osNoVisibilityCulling))
        drawSelf = !IsSphereOutsideFrustum(AbsolutePosition(), rci.frustum, BoundingSphereRadius());
      break;
    case TGLVisibilityCulling::vcHierarchical:
      if (!(objectStyle_ & osNoVisibilityCulling)) {
        // The subtree's box in this object's frame, taken to the world.
        TAxisAlignedBox box;
        SetBoxFromHalfExtents(box, AffineVectorFromVector(UnscaledHalfExtents()));
        for (int i = 0; i < Count(); ++i) {
          TGLBaseSceneObject* c = GetChild(i);
          TAxisAlignedBox cb = c->HierarchicalBox();
          TransformBox(cb, c->GetMatrix());
          MergeBox(box, cb);
        }
        TransformBox(box, AbsoluteMatrix());
        if (IsBoxOutsideFrustum(box.Min, box.Max, rci.frustum)) drawSelf = drawChildren = false;
      }
      break;
  }
  if (!drawSelf && !drawChildren) return;

  glPushMatrix();
  glMultMatrixf(GetMatrix().data());
  if (rci.drawState == TDrawState::dsPicking) {
    if (rci.proxySubObject)
      glPushName(pickName_);
    else
      glLoadName(pickName_);
  }
  const bool noDepth = (objectStyle_ & osIgnoreDepthBuffer) && rci.bufferDepthTest;
  if (!drawSelf) {
    if (noDepth) rci.GLStates->Disable(stDepthTest);
    RenderSelf(rci, false, true);
    if (noDepth) rci.GLStates->Enable(stDepthTest);
  } else {
    if (showAxes_) DrawAxes(rci, 0xCCCC);
    if (!HasEffects()) {
      if (noDepth) rci.GLStates->Disable(stDepthTest);
      RenderSelf(rci, true, drawChildren);
      if (noDepth) rci.GLStates->Enable(stDepthTest);
      if (objectStyle_ & osResetStateCache) rci.GLStates->ResetAll();
    } else {
      glPushMatrix();
      for (int i = 0; i < effects_->Count(); ++i)
        if (auto* e = dynamic_cast<TGLObjectPreEffect*>((*effects_)[i])) e->Render(rci);
      glPopMatrix();
      glPushMatrix();
      if (noDepth) rci.GLStates->Disable(stDepthTest);
      RenderSelf(rci, true, drawChildren);
      if (noDepth) rci.GLStates->Enable(stDepthTest);
      if (objectStyle_ & osResetStateCache) rci.GLStates->ResetAll();
      for (int i = 0; i < effects_->Count(); ++i) {
        if (auto* a = dynamic_cast<TGLObjectAfterEffect*>((*effects_)[i])) {
          if (rci.buffer) rci.buffer->QueueAfterEffect(a);
        } else if (auto* p = dynamic_cast<TGLObjectPostEffect*>((*effects_)[i])) {
          p->Render(rci);
        }
      }
      glPopMatrix();
    }
  }
  if (rci.drawState == TDrawState::dsPicking && rci.proxySubObject) glPopName();
  glPopMatrix();
}

void TGLBaseSceneObject::DrawAxes(TRenderContextInfo& rci, std::uint16_t pattern, float length) {
  glPushAttrib(GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_LINE_BIT);
  glDisable(GL_LIGHTING);
  glEnable(GL_LINE_STIPPLE);
  if (!rci.ignoreBlendingRequests) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
  glLineWidth(1);
  glLineStipple(1, pattern);
  const float l = length > 0                              ? length
                  : rci.scene && rci.scene->CurrentCamera ? rci.scene->CurrentCamera->DepthOfView()
                                                          : 100.0f;
  glBegin(GL_LINES);
  glColor3f(0.5f, 0, 0);
  glVertex3f(0, 0, 0);
  glVertex3f(-l, 0, 0);
  glColor3f(1, 0, 0);
  glVertex3f(0, 0, 0);
  glVertex3f(l, 0, 0);
  glColor3f(0, 0.5f, 0);
  glVertex3f(0, 0, 0);
  glVertex3f(0, -l, 0);
  glColor3f(0, 1, 0);
  glVertex3f(0, 0, 0);
  glVertex3f(0, l, 0);
  glColor3f(0, 0, 0.5f);
  glVertex3f(0, 0, 0);
  glVertex3f(0, 0, -l);
  glColor3f(0, 0, 1);
  glVertex3f(0, 0, 0);
  glVertex3f(0, 0, l);
  glEnd();
  glPopAttrib();
  // The attributes came back behind the cache's back.
  rci.GLStates->ResetAll();
}

void TGLBaseSceneObject::RenderChildRange(int first, int last, TRenderContextInfo& rci) {
  if (Count() == 0) return;
  if (first < 0) first = 0;
  if (last >= Count()) last = Count() - 1;
  const TGLVisibilityCulling savedCulling = rci.visibilityCulling;
  const TGLObjectsSorting savedSorting = rci.objectsSorting;
  if (visibilityCulling_ != TGLVisibilityCulling::vcInherited) rci.visibilityCulling = visibilityCulling_;
  if (objectsSorting_ != TGLObjectsSorting::osInherited) rci.objectsSorting = objectsSorting_;
  struct TRestore {
    TRenderContextInfo& rci;
    TGLVisibilityCulling c;
    TGLObjectsSorting s;
    ~TRestore() {
      rci.visibilityCulling = c;
      rci.objectsSorting = s;
    }
  } restore{rci, savedCulling, savedSorting};

  if (first == last) {
    TGLBaseSceneObject* c = GetChild(first);
    if (c->Visible()) c->RenderObject(rci);
    return;
  }
  if (rci.objectsSorting == TGLObjectsSorting::osNone) {
    for (int i = first; i <= last; ++i) {
      TGLBaseSceneObject* c = GetChild(i);
      if (c->Visible()) c->RenderObject(rci);
    }
    return;
  }
  TSingleList keys;
  TPersistentObjectList objects;
  for (int i = first; i <= last; ++i) {
    TGLBaseSceneObject* c = GetChild(i);
    if (!c->Visible()) continue;
    switch (rci.objectsSorting) {
      case TGLObjectsSorting::osRenderFarthestFirst:
        keys.Add(c->DistanceTo(rci.cameraPosition) + 1);
        objects.Add(c);
        break;
      case TGLObjectsSorting::osRenderNearestFirst:
        keys.Add(-1 - c->DistanceTo(rci.cameraPosition));
        objects.Add(c);
        break;
      case TGLObjectsSorting::osRenderBlendedLast:
        if (c->IsBlended()) {
          keys.Add(c->DistanceTo(rci.cameraPosition) + 1);
          objects.Add(c);
        } else {
          c->RenderObject(rci);
        }
        break;
      default:
        throw EAssertionFailed();
    }
  }
  if (objects.Count() > 1) QuickSortLists(0, objects.Count() - 1, keys, objects);
  for (int i = objects.Count() - 1; i >= 0; --i)
    static_cast<TGLBaseSceneObject*>(objects[i])->RenderObject(rci);
}

// ---- TGLCustomSceneObject ----
TGLCustomSceneObject::TGLCustomSceneObject(TComponent* owner) : TGLBaseSceneObject(owner), material_(this) {}

void TGLCustomSceneObject::Assign(const TPersistent* source) {
  if (auto* s = dynamic_cast<const TGLCustomSceneObject*>(source)) {
    material_.Assign(&s->material_);
    Hint = s->Hint;
  }
  TGLBaseSceneObject::Assign(source);
}

void TGLCustomSceneObject::RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  if (renderSelf) {
    if (Scene()) Scene()->CurrentGLObject = this;
    if (rci.ignoreMaterials) {
      RenderSelfOrList(rci);
    } else {
      material_.Apply(rci);
      do {
        RenderSelfOrList(rci);
      } while (material_.UnApply(rci));
    }
  }
  if (renderChildren && Count() > 0) RenderChildRange(0, Count() - 1, rci);
}

void TGLCustomSceneObject::DestroyHandle() {
  TGLBaseSceneObject::DestroyHandle();
  material_.DestroyHandles();
}

void TGLImmaterialSceneObject::RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  TGLBaseSceneObject::RenderSelf(rci, renderSelf, renderChildren);
}

// ---- TGLCameraInvariantObject ----
void TGLCameraInvariantObject::SetCamInvarianceMode(TGLCameraInvarianceMode m) {
  if (m == camInvarianceMode_) return;
  camInvarianceMode_ = m;
  NotifyChange(this);
}

void TGLCameraInvariantObject::Assign(const TPersistent* source) {
  if (auto* s = dynamic_cast<const TGLCameraInvariantObject*>(source))
    camInvarianceMode_ = s->camInvarianceMode_;
  TGLImmaterialSceneObject::Assign(source);
}

void TGLCameraInvariantObject::RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  if (camInvarianceMode_ == TGLCameraInvarianceMode::cimNone) {
    TGLImmaterialSceneObject::RenderSelf(rci, renderSelf, renderChildren);
    return;
  }
  glPushMatrix();
  if (camInvarianceMode_ == TGLCameraInvarianceMode::cimPosition) {
    glLoadMatrixf(rci.buffer ? rci.buffer->ModelViewMatrix().data() : IdentityHmgMatrix.data());
    glTranslatef(rci.cameraPosition.X, rci.cameraPosition.Y, rci.cameraPosition.Z);
  } else {
    glLoadIdentity();
    glScalef(1, -1, -1);
  }
  glMultMatrixf(GetMatrix().data());
  TMatrix mv;
  glGetFloatv(GL_MODELVIEW_MATRIX, mv.data());
  if (rci.buffer) rci.buffer->PushModelViewMatrix(mv);
  if (renderSelf) RenderSelfOrList(rci);
  if (renderChildren && Count() > 0) RenderChildRange(0, Count() - 1, rci);
  if (rci.buffer) rci.buffer->PopModelViewMatrix();
  glPopMatrix();
}

// ---- TGLSceneRootObject ----
TGLSceneRootObject::TGLSceneRootObject(TComponent* owner) : TGLImmaterialSceneObject(owner) {
  Require(dynamic_cast<TGLScene*>(owner) != nullptr);
  objectStyle_ |= osDirectDraw;
  SetScene(static_cast<TGLScene*>(owner));
}

// ---- TGLProxyObject ----
TGLProxyObject::TGLProxyObject(TComponent* owner) : TGLBaseSceneObject(owner) {}
TGLProxyObject::~TGLProxyObject() { SetMasterObject(nullptr); }

void TGLProxyObject::SetMasterObject(TGLBaseSceneObject* m) {
  if (m == master_) return;
  if (master_) master_->RemoveFreeNotification(this);
  master_ = m;
  if (master_) master_->FreeNotification(this);
  StructureChanged();
}

void TGLProxyObject::Assign(const TPersistent* source) {
  if (auto* p = dynamic_cast<const TGLProxyObject*>(source)) {
    SetMasterObject(p->master_);
    ProxyOptions = p->ProxyOptions;
  }
  TGLBaseSceneObject::Assign(source);
}

void TGLProxyObject::Notification(TComponent* c, TOperation op) {
  if (op == TOperation::opRemove && c == master_) master_ = nullptr;
}

THomogeneousVector TGLProxyObject::UnscaledHalfExtents() {
  return master_ ? master_->UnscaledHalfExtents() : TGLBaseSceneObject::UnscaledHalfExtents();
}

bool TGLProxyObject::IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                                  THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) {
  if (!master_) return false;
  // The ray taken into the master's frame as if the master stood where the proxy stands.
  const TMatrix toMaster = MatrixMultiply(InvAbsoluteMatrix(), master_->AbsoluteMatrix());
  const THomogeneousVector s = VectorTransform(rayStart, toMaster);
  const THomogeneousVector v = VectorTransform(rayVector, toMaster);
  THomogeneousVector p, n;
  if (!master_->IntersectRay(s, v, &p, &n)) return false;
  const TMatrix back = MatrixMultiply(master_->InvAbsoluteMatrix(), AbsoluteMatrix());
  if (intersectPoint) *intersectPoint = VectorTransform(p, back);
  if (intersectNormal) *intersectNormal = VectorTransform(n, back);
  return true;
}

void TGLProxyObject::RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  if (rendering_) return;
  rendering_ = true;
  struct TEnd {
    bool& f;
    ~TEnd() { f = false; }
  } end{rendering_};
  if (master_ && (ProxyOptions & pooObjects)) {
    const bool saved = rci.proxySubObject;
    rci.proxySubObject = true;
    if (ProxyOptions & pooTransformation) glMultMatrixf(master_->GetMatrix().data());
    master_->RenderSelf(rci, renderSelf, master_->Count() > 0);
    rci.proxySubObject = saved;
  }
  if (renderChildren && Count() > 0) RenderChildRange(0, Count() - 1, rci);
  if (master_ && (ProxyOptions & pooEffects) && master_->HasEffects())
    for (int i = 0; i < master_->Effects().Count(); ++i)
      if (auto* p = dynamic_cast<TGLObjectPostEffect*>(master_->Effects()[i])) p->Render(rci);
}

// ---- TGLDirectOpenGL ----
TGLDirectOpenGL::TGLDirectOpenGL(TComponent* owner) : TGLImmaterialSceneObject(owner) {
  objectStyle_ |= osDirectDraw | osResetStateCache;
}
void TGLDirectOpenGL::SetUseBuildList(bool v) {
  if (v == UseBuildList()) return;
  if (v)
    objectStyle_ &= std::uint8_t(~osDirectDraw);
  else
    objectStyle_ |= osDirectDraw;
  StructureChanged();
}
void TGLDirectOpenGL::SetBlend(bool v) {
  if (v == blend_) return;
  blend_ = v;
  StructureChanged();
}
void TGLDirectOpenGL::EmitGeometry(TRenderContextInfo& rci) {
  MapTexCoordToMain();
  if (OnRender) OnRender(this, rci);
}
void TGLDirectOpenGL::Assign(const TPersistent* source) {
  if (auto* d = dynamic_cast<const TGLDirectOpenGL*>(source)) {
    SetUseBuildList(d->UseBuildList());
    OnRender = d->OnRender;
    blend_ = d->blend_;
  }
  TGLImmaterialSceneObject::Assign(source);
}

// ---- TGLRenderPoint ----
TGLRenderPoint::TGLRenderPoint(TComponent* owner) : TGLImmaterialSceneObject(owner) {
  objectStyle_ |= osDirectDraw | osResetStateCache;
}
TGLRenderPoint::~TGLRenderPoint() { Clear(); }
void TGLRenderPoint::RegisterCallBack(TRenderCallback render, TFreeCallback onFree) {
  callbacks_.emplace_back(std::move(render), std::move(onFree));
}
void TGLRenderPoint::Clear() {
  while (!callbacks_.empty()) {
    auto cb = std::move(callbacks_.back());
    callbacks_.pop_back();
    if (cb.second) cb.second(this);
  }
}
void TGLRenderPoint::EmitGeometry(TRenderContextInfo& rci) {
  for (auto& cb : callbacks_)
    if (cb.first) cb.first(this, rci);
}

void RegisterGLSceneClasses() {
  RegisterSceneObjectClass<TGLSceneObject>("TGLSceneObject");
  RegisterSceneObjectClass<TGLImmaterialSceneObject>("TGLImmaterialSceneObject");
  RegisterSceneObjectClass<TGLCameraInvariantObject>("TGLCameraInvariantObject");
  RegisterSceneObjectClass<TGLProxyObject>("TGLProxyObject");
  RegisterSceneObjectClass<TGLDirectOpenGL>("TGLDirectOpenGL");
  RegisterSceneObjectClass<TGLRenderPoint>("TGLRenderPoint");
  RegisterSceneObjectClass<TGLCamera>("TGLCamera");
  RegisterSceneObjectClass<TGLLightSource>("TGLLightSource");
}

}  // namespace qx
