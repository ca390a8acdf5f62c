// The scene object tree. Every visible or invisible thing of the 3D view is a
// TGLBaseSceneObject: a parent, an ordered list of children, a local frame (Position,
// Direction, Up, Scale) and the matrices derived from it, lazily rebuilt.
//
// Ownership: a parent owns its children (freeing an object frees its subtree, and an object
// that is freed leaves its parent first). AddNewChild<T>() makes a child; AddChild and Insert
// take a heap object and detach it from a former parent first. Remove and MoveTo(nullptr)
// hand the object back to the caller, who frees it.
//
// Change notification: a setter stores the value and calls TransformationChanged,
// StructureChanged or NotifyChange; the change reaches the scene, which tells its buffers.
// Setters never render.
//
// For a new class of object: derive from TGLSceneObject (with a material) or
// TGLImmaterialSceneObject, override ClassName(), EmitGeometry (the geometry in the local
// frame; compiled into a display list unless the object is osDirectDraw), and where they
// differ IsBlended, UnscaledHalfExtents and IntersectRay; register the class by name (see
// GLRegistry.h) so that AddNewChild(name) and Assign's deep copy can make it.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "scene/GLColor.h"
#include "scene/GLContext.h"
#include "scene/GLCoordinates.h"
#include "scene/GLMaterial.h"
#include "scene/GLRenderContextInfo.h"
#include "scene/base/GLSilhouette.h"
#include "scene/base/GeometryBB.h"
#include "scene/base/XCollection.h"

namespace qx {

class TGLScene;
class TGLBaseSceneObject;

enum TGLObjectStyleFlag : std::uint8_t {
  osDirectDraw = 1,
  osResetStateCache = 2,
  osIgnoreDepthBuffer = 4,
  osNoVisibilityCulling = 8
};
enum class TGLCameraInvarianceMode : std::uint8_t { cimNone, cimPosition, cimOrientation };
enum TGLProxyObjectOption : std::uint8_t { pooEffects = 1, pooObjects = 2, pooTransformation = 4 };

// ---- Behaviours and effects: collections of items owned by a scene object ----
class TGLBaseBehaviour : public TXCollectionItem {
 public:
  using TXCollectionItem::TXCollectionItem;
  std::string ClassName() const override { return "TGLBaseBehaviour"; }
  TGLBaseSceneObject* OwnerBaseSceneObject() const;
};
class TGLBehaviour : public TGLBaseBehaviour {
 public:
  using TGLBaseBehaviour::TGLBaseBehaviour;
  std::string ClassName() const override { return "TGLBehaviour"; }
  virtual void DoProgress(double /*deltaTime*/, double /*newTime*/) {}
};
class TGLObjectEffect : public TGLBaseBehaviour {
 public:
  using TGLBaseBehaviour::TGLBaseBehaviour;
  std::string ClassName() const override { return "TGLObjectEffect"; }
  virtual void Render(TRenderContextInfo&) {}
  virtual void DoProgress(double, double) {}
};
class TGLObjectPreEffect : public TGLObjectEffect {
 public:
  using TGLObjectEffect::TGLObjectEffect;
  std::string ClassName() const override { return "TGLObjectPreEffect"; }
};
class TGLObjectPostEffect : public TGLObjectEffect {
 public:
  using TGLObjectEffect::TGLObjectEffect;
  std::string ClassName() const override { return "TGLObjectPostEffect"; }
};
class TGLObjectAfterEffect : public TGLObjectEffect {
 public:
  using TGLObjectEffect::TGLObjectEffect;
  std::string ClassName() const override { return "TGLObjectAfterEffect"; }
};

// Their owner must be a scene object (EAssertionFailed otherwise).
class TGLBehaviours : public TXCollection {
 public:
  explicit TGLBehaviours(TPersistent* owner);
  std::string ClassName() const override { return "TGLBehaviours"; }
  std::string GetNamePath() const override;
};
class TGLObjectEffects : public TXCollection {
 public:
  explicit TGLObjectEffects(TPersistent* owner);
  std::string ClassName() const override { return "TGLObjectEffects"; }
  std::string GetNamePath() const override;
};

// ---- The node ----
class TGLBaseSceneObject : public TGLCoordinatesUpdateAbleComponent, public TGLStructureListener {
 public:
  explicit TGLBaseSceneObject(TComponent* owner = nullptr);
  ~TGLBaseSceneObject() override;
  std::string ClassName() const override { return "TGLBaseSceneObject"; }

  // ---- Tree ----
  TGLBaseSceneObject* Parent() const { return parent_; }
  TGLScene* Scene() const { return scene_; }
  int Count() const { return children_ ? children_->Count() : 0; }
  int GetCount() const { return Count(); }
  // Null without a child list or out of range.
  TGLBaseSceneObject* GetChild(int index) const;
  TGLBaseSceneObject* Children(int index) const { return GetChild(index); }
  int Index() const;
  int GetIndex() const { return Index(); }
  // Clamped to 0 .. Count-1 of the parent.
  void SetIndex(int index);
  // Takes ownership of a heap object; it leaves its former parent first.
  TGLBaseSceneObject* AddChild(TGLBaseSceneObject* child);
  template <class T>
  T* AddChild(std::unique_ptr<T> child) {
    T* raw = child.release();
    AddChild(static_cast<TGLBaseSceneObject*>(raw));
    return raw;
  }
  template <class T>
  T* AddNewChild() {
    return AddChild(std::make_unique<T>(Owner()));
  }
  template <class T>
  T* AddNewChildFirst() {
    T* raw = new T(Owner());
    Insert(0, raw);
    return raw;
  }
  // By registered class name; EAssertionFailed for an unknown name.
  TGLBaseSceneObject* AddNewChild(const std::string& className);
  void Insert(int index, TGLBaseSceneObject* child);
  // Only an own child; the caller gets it. With keepChildren its children move to this.
  [[nodiscard]] std::unique_ptr<TGLBaseSceneObject> Remove(TGLBaseSceneObject* child, bool keepChildren);
  // Frees every child (cameras of the subtree first).
  void DeleteChildren();
  // New parent; null detaches the object and hands it to the caller.
  void MoveTo(TGLBaseSceneObject* newParent);
  void MoveUp();
  void MoveDown();
  // Case-insensitive; without ownChildrenOnly a match in a child's subtree wins over the
  // child itself.
  TGLBaseSceneObject* FindChildByName(const std::string& name, bool ownChildrenOnly) const;
  bool HasSubChildren() const;

  // ---- Frame ----
  TGLCoordinates& Position() { return position_; }
  TGLCoordinates& Direction() { return direction_; }
  TGLCoordinates& Up() { return up_; }
  TGLCoordinates& Scale() { return scale_; }
  TGLCoordinates& Rotation() { return rotation_; }
  const TGLCoordinates& Position() const { return position_; }
  const TGLCoordinates& Direction() const { return direction_; }
  const TGLCoordinates& Up() const { return up_; }
  const TGLCoordinates& Scale() const { return scale_; }
  void SetPosition(const TGLCoordinates& c) { position_.SetAsVector(c.AsVector()); }
  // A null vector changes nothing.
  void SetDirection(const TAffineVector& v);
  void SetUp(const TAffineVector& v);
  void SetScale(const TGLCoordinates& c);
  float PitchAngle() const { return rotation_.X(); }
  float TurnAngle() const { return rotation_.Y(); }
  float RollAngle() const { return rotation_.Z(); }
  void SetPitchAngle(float a);
  void SetTurnAngle(float a);
  void SetRollAngle(float a);
  void Pitch(float angle);
  void Turn(float angle);
  void Roll(float angle);
  void MoveObjectAround(TGLBaseSceneObject* target, float pitchDelta, float turnDelta);
  void ResetRotations();
  void ResetAndPitchTurnRollAngles(float pitch, float turn, float roll);

  // ---- Matrices ----
  const TMatrix& GetMatrix();
  const TMatrix& LocalMatrix() { return GetMatrix(); }
  void SetMatrix(const TMatrix& m);
  const TMatrix& AbsoluteMatrix();
  const TMatrix& WorldMatrix() { return AbsoluteMatrix(); }
  const TMatrix& InvAbsoluteMatrix();
  const TMatrix& InvWorldMatrix() { return InvAbsoluteMatrix(); }
  THomogeneousVector AbsolutePosition();
  void SetAbsolutePosition(const THomogeneousVector& v);
  THomogeneousVector AbsoluteDirection();
  THomogeneousVector AbsoluteUp();
  THomogeneousVector LocalToAbsolute(const THomogeneousVector& v);
  TAffineVector LocalToAbsolute(const TAffineVector& v);
  THomogeneousVector AbsoluteToLocal(const THomogeneousVector& v);
  TAffineVector AbsoluteToLocal(const TAffineVector& v);
  TAffineVector LeftVector() const;
  TAffineVector RightVector() const;
  void RebuildMatrix();

  // ---- Bounds and ray tests ----
  virtual THomogeneousVector AbsoluteCentre();
  virtual THomogeneousVector UnscaledHalfExtents();
  TAffineVector AxisAlignedDimensions();
  float BoundingSphereRadius();
  float BoundingSphereRadiusUnscaled();
  // Squared distance from AbsoluteCentre.
  float DistanceTo(const THomogeneousVector& point);
  TAxisAlignedBox HierarchicalBox();
  virtual bool ContainsPoint(const TAffineVector& point);
  // Either output may be null; written only on a hit.
  virtual bool IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                            THomogeneousVector* intersectPoint = nullptr,
                            THomogeneousVector* intersectNormal = nullptr);
  virtual std::unique_ptr<TGLSilhouette> BuildSilhouette(const TGLSilhouetteParameters&) { return nullptr; }

  // ---- Changes ----
  void BeginChanges() { ++updateCount_; }
  // Below 1: EAssertionFailed "Unbalanced Begin/EndUpdate".
  void EndChanges();
  bool IsUpdating() const { return updateCount_ > 0 || IsLoading(); }
  void TransformationChanged();
  void StructureChanged() override;
  void NotifyChange(TObject* sender) override;
  void CoordinatesChanged(TGLCoordinates* sender) override;
  bool StructureChangedFlag() const { return changes_ & ocStructure; }
  bool LocalMatrixOutOfDate() const { return changes_ & ocTransformation; }
  bool AbsoluteMatrixOutOfDate() const { return changes_ & ocAbsoluteMatrix; }
  void Assign(const TPersistent* source) override;
  void Loaded() override;

  // ---- Properties ----
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  bool ShowAxes() const { return showAxes_; }
  void SetShowAxes(bool v);
  std::uint8_t ObjectStyle() const { return objectStyle_; }
  void SetObjectStyle(std::uint8_t s) { objectStyle_ = s; }
  TGLObjectsSorting ObjectsSorting() const { return objectsSorting_; }
  void SetObjectsSorting(TGLObjectsSorting v);
  TGLVisibilityCulling VisibilityCulling() const { return visibilityCulling_; }
  void SetVisibilityCulling(TGLVisibilityCulling v);
  int Tag = 0;
  float TagFloat = 0;
  std::function<void(TObject* sender, double deltaTime, double newTime)> OnProgress;
  TGLBehaviours& Behaviours();
  TGLObjectEffects& Effects();
  bool HasBehaviours() const { return behaviours_ && behaviours_->Count() > 0; }
  bool HasEffects() const { return effects_ && effects_->Count() > 0; }
  virtual void AdvanceTime(double deltaTime, double newTime);

  // ---- Rendering (used by the render pass) ----
  virtual bool IsBlended() const { return false; }
  // The object's geometry in its local frame.
  virtual void EmitGeometry(TRenderContextInfo&) {}
  // True when EmitGeometry sends one kind of primitive only (all strips, all triangles,
  // ...): its display list can be replayed while selecting. Others issue their geometry
  // directly then.
  virtual bool OneKindOfPrimitive() const { return false; }
  // The display list of EmitGeometry, compiled when missing or out of date.
  GLuint CompiledListName(TRenderContextInfo& rci);
  void RenderObject(TRenderContextInfo& rci);
  virtual void RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren);
  virtual void RenderChildRange(int first, int last, TRenderContextInfo& rci);
  // Axes of the given half length (0: the camera's depth of view).
  void DrawAxes(TRenderContextInfo& rci, std::uint16_t pattern, float length = 0);
  // Releases this object's display list, or the whole subtree's.
  virtual void DestroyHandle();
  void DestroyHandles();
  bool HasListHandle() const { return listHandle_ && listHandle_->Handle() != 0; }
  // The name this object's hits carry in selection mode; 0 never names an object.
  std::uint32_t PickName() const { return pickName_; }
  static TGLBaseSceneObject* FindByPickName(std::uint32_t name);

 protected:
  friend class TGLScene;
  enum : std::uint8_t {
    ocTransformation = 1,
    ocAbsoluteMatrix = 2,
    ocInvAbsoluteMatrix = 4,
    ocStructure = 8
  };
  void SetScene(TGLScene* scene);
  void InvalidateAbsoluteMatrices();
  void FreeCameras();
  void RenderSelfOrList(TRenderContextInfo& rci);
  // Detaches an own child without notifying the scene of its lights' departure twice.
  void DetachChild(TGLBaseSceneObject* child);
  void SetAngle(int index, float a, void (TGLBaseSceneObject::*turn)(float));
  std::uint8_t objectStyle_ = 0;

 private:
  TMatrix localMatrix_ = IdentityHmgMatrix;
  TMatrix absoluteMatrix_ = IdentityHmgMatrix, invAbsoluteMatrix_ = IdentityHmgMatrix;
  std::unique_ptr<TGLListHandle> listHandle_;
  TGLCoordinates position_, direction_, up_, scale_, rotation_;
  std::uint8_t changes_ = ocTransformation | ocAbsoluteMatrix | ocInvAbsoluteMatrix | ocStructure;
  TGLBaseSceneObject* parent_ = nullptr;
  TGLScene* scene_ = nullptr;
  std::unique_ptr<TPersistentObjectList> children_;
  bool visible_ = true, showAxes_ = false, rotating_ = false;
  int updateCount_ = 0;
  TGLObjectsSorting objectsSorting_ = TGLObjectsSorting::osInherited;
  TGLVisibilityCulling visibilityCulling_ = TGLVisibilityCulling::vcInherited;
  std::unique_ptr<TGLBehaviours> behaviours_;
  std::unique_ptr<TGLObjectEffects> effects_;
  std::uint32_t pickName_;
};

// With a material.
class TGLCustomSceneObject : public TGLBaseSceneObject {
 public:
  explicit TGLCustomSceneObject(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TGLCustomSceneObject"; }
  TGLMaterial& Material() { return material_; }
  const TGLMaterial& Material() const { return material_; }
  void SetMaterial(const TGLMaterial& m) { material_.Assign(&m); }
  std::string Hint;
  void Assign(const TPersistent* source) override;
  bool IsBlended() const override { return material_.Blended(); }
  void RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
  void DestroyHandle() override;

 private:
  TGLMaterial material_;
};

// The class whose instances carry a material (the colour statements recolour these).
class TGLSceneObject : public TGLCustomSceneObject {
 public:
  using TGLCustomSceneObject::TGLCustomSceneObject;
  std::string ClassName() const override { return "TGLSceneObject"; }
};

// Drawn without its material.
class TGLImmaterialSceneObject : public TGLCustomSceneObject {
 public:
  using TGLCustomSceneObject::TGLCustomSceneObject;
  std::string ClassName() const override { return "TGLImmaterialSceneObject"; }
  void RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
};

// Travels with the camera (cimPosition) or ignores it (cimOrientation).
class TGLCameraInvariantObject : public TGLImmaterialSceneObject {
 public:
  using TGLImmaterialSceneObject::TGLImmaterialSceneObject;
  std::string ClassName() const override { return "TGLCameraInvariantObject"; }
  TGLCameraInvarianceMode CamInvarianceMode() const { return camInvarianceMode_; }
  void SetCamInvarianceMode(TGLCameraInvarianceMode m);
  void Assign(const TPersistent* source) override;
  void RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;

 private:
  TGLCameraInvarianceMode camInvarianceMode_ = TGLCameraInvarianceMode::cimNone;
};

// The root of a scene's tree; its scene is its owner.
class TGLSceneRootObject : public TGLImmaterialSceneObject {
 public:
  // The owner must be a TGLScene (EAssertionFailed otherwise).
  explicit TGLSceneRootObject(TComponent* owner);
  std::string ClassName() const override { return "TGLSceneRootObject"; }
};

// Draws another object (its master) in its own place.
class TGLProxyObject : public TGLBaseSceneObject {
 public:
  explicit TGLProxyObject(TComponent* owner = nullptr);
  ~TGLProxyObject() override;
  std::string ClassName() const override { return "TGLProxyObject"; }
  TGLBaseSceneObject* MasterObject() const { return master_; }
  virtual void SetMasterObject(TGLBaseSceneObject* m);
  std::uint8_t ProxyOptions = pooEffects | pooObjects | pooTransformation;
  void Assign(const TPersistent* source) override;
  void Notification(TComponent* c, TOperation op) override;
  THomogeneousVector UnscaledHalfExtents() override;
  bool IntersectRay(const THomogeneousVector& rayStart, const THomogeneousVector& rayVector,
                    THomogeneousVector* intersectPoint, THomogeneousVector* intersectNormal) override;
  void RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;

 private:
  TGLBaseSceneObject* master_ = nullptr;
  bool rendering_ = false;
};

// Draws whatever its OnRender callback issues.
class TGLDirectOpenGL : public TGLImmaterialSceneObject {
 public:
  explicit TGLDirectOpenGL(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TGLDirectOpenGL"; }
  bool UseBuildList() const { return !(objectStyle_ & osDirectDraw); }
  void SetUseBuildList(bool v);
  bool Blend() const { return blend_; }
  void SetBlend(bool v);
  std::function<void(TObject* sender, TRenderContextInfo& rci)> OnRender;
  bool IsBlended() const override { return blend_; }
  void EmitGeometry(TRenderContextInfo& rci) override;
  void Assign(const TPersistent* source) override;

 private:
  bool blend_ = false;
};

// Runs the render callbacks that other objects register, in order.
class TGLRenderPoint : public TGLImmaterialSceneObject {
 public:
  using TRenderCallback = std::function<void(TObject* sender, TRenderContextInfo& rci)>;
  using TFreeCallback = std::function<void(TObject* sender)>;
  explicit TGLRenderPoint(TComponent* owner = nullptr);
  ~TGLRenderPoint() override;
  std::string ClassName() const override { return "TGLRenderPoint"; }
  void RegisterCallBack(TRenderCallback render, TFreeCallback onFree);
  void Clear();
  void EmitGeometry(TRenderContextInfo& rci) override;

 private:
  std::vector<std::pair<TRenderCallback, TFreeCallback>> callbacks_;
};

}  // namespace qx
