// The scene (owner of the object tree, the cameras and the light table) and the scene
// buffer, one rendering target of it: the viewer's or an off-screen one. The buffer holds
// the rendering context, the clear colour, the global switches and the timing, and runs the
// render pass. Picking, screen conversions and snapshots are the buffer's too (GLPicking.cpp).
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Bitmap.h"
#include "scene/GLCamera.h"
#include "scene/GLSceneObject.h"
#include "scene/GLState.h"

namespace qx {

class TGLSceneBuffer;

class TGLScene : public TGLUpdateAbleComponent {
 public:
  explicit TGLScene(TComponent* owner = nullptr);
  ~TGLScene() override;
  std::string ClassName() const override { return "TGLScene"; }

  TGLSceneRootObject* Objects() const { return objects_.get(); }
  TGLSceneRootObject* Cameras() const { return cameras_.get(); }
  // A light gets the first free of eight slots; a ninth gets none and is never lit.
  void AddLights(TGLBaseSceneObject* subtree);
  void RemoveLights(TGLBaseSceneObject* subtree);
  void RemoveLight(TGLLightSource* light);
  TGLLightSource* LightSlot(int i) const { return lights_[std::size_t(i)]; }
  void AttachBuffer(TGLSceneBuffer* buffer);
  void DetachBuffer(TGLSceneBuffer* buffer);
  int BufferCount() const { return int(buffers_.size()); }
  TGLContext* SharedContext() const;
  TGLCamera* CurrentCamera = nullptr;
  TGLSceneBuffer* CurrentBuffer = nullptr;
  TGLBaseSceneObject* CurrentGLObject = nullptr;

  void BeginUpdate() { ++updateCount_; }
  // Below 1: EAssertionFailed.
  void EndUpdate();
  bool IsUpdating() const { return updateCount_ > 0 || IsLoading() || IsDestroying(); }
  // Every attached buffer hears of the change.
  void NotifyChange(TObject* sender) override;
  TGLObjectsSorting ObjectsSorting() const { return objectsSorting_; }
  // osInherited is stored as osRenderBlendedLast.
  void SetObjectsSorting(TGLObjectsSorting v);
  TGLVisibilityCulling VisibilityCulling() const { return visibilityCulling_; }
  // vcInherited is stored as vcNone.
  void SetVisibilityCulling(TGLVisibilityCulling v);
  // The nearest visible object along a world ray, with its hit point and normal; null when
  // nothing is hit.
  TGLBaseSceneObject* RayCastIntersect(const THomogeneousVector& rayStart,
                                       const THomogeneousVector& rayVector,
                                       THomogeneousVector* point = nullptr,
                                       THomogeneousVector* normal = nullptr);
  // Searches the object tree (whole subtrees) by name.
  TGLBaseSceneObject* FindSceneObject(const std::string& name) const;
  void RenderScene(TGLSceneBuffer& buffer, int width, int height, TDrawState drawState,
                   TGLBaseSceneObject* baseObject);
  void Progress(double deltaTime, double newTime);

 private:
  std::unique_ptr<TGLSceneRootObject> objects_, cameras_;
  std::array<TGLLightSource*, 8> lights_{};
  std::vector<TGLSceneBuffer*> buffers_;
  int updateCount_ = 0;
  TGLObjectsSorting objectsSorting_ = TGLObjectsSorting::osRenderBlendedLast;
  TGLVisibilityCulling visibilityCulling_ = TGLVisibilityCulling::vcNone;
};

enum class TGLDepthPrecision : std::uint8_t { dpDefault, dp16bits, dp24bits, dp32bits };
enum class TGLColorDepth : std::uint8_t {
  cdDefault,
  cd8bits,
  cd16bits,
  cd24bits,
  cdFloat64bits,
  cdFloat128bits
};
enum class TGLShadeModel : std::uint8_t { smDefault, smSmooth, smFlat };
enum TContextOption : std::uint16_t {
  roDoubleBuffer = 1,
  roStencilBuffer = 2,
  roRenderToWindow = 4,
  roTwoSideLighting = 8,
  roStereo = 16,
  roDestinationAlpha = 32,
  roNoColorBuffer = 64,
  roNoColorBufferClear = 128,
  roNoSwapBuffers = 256
};
enum class TFogMode : std::uint8_t { fmLinear, fmExp, fmExp2 };
enum class TFogDistance : std::uint8_t { fdDefault, fdEyeRadial, fdEyePlane };

class TGLFogEnvironment : public TGLUpdateAbleObject {
 public:
  explicit TGLFogEnvironment(TPersistent* owner);
  std::string ClassName() const override { return "TGLFogEnvironment"; }
  void Assign(const TPersistent* source) override;
  TGLColor& FogColor() { return fogColor_; }
  float FogStart() const { return fogStart_; }
  void SetFogStart(float v);
  float FogEnd() const { return fogEnd_; }
  void SetFogEnd(float v);
  TFogMode FogMode() const { return fogMode_; }
  void SetFogMode(TFogMode m);
  TFogDistance FogDistance() const { return fogDistance_; }
  void SetFogDistance(TFogDistance d);
  bool IsAtDefaultValues() const;
  void ApplyFog();

 private:
  TGLColor fogColor_;
  float fogStart_ = 10, fogEnd_ = 1000;
  TFogMode fogMode_ = TFogMode::fmLinear;
  TFogDistance fogDistance_ = TFogDistance::fdDefault;
};

// What the selection buffer says of one hit.
struct TPickRecord {
  TGLBaseSceneObject* AObject = nullptr;
  std::vector<std::uint32_t> SubObjects;
  float ZNear = 0, ZFar = 0;
};

enum class TPickSortType : std::uint8_t { psDefault, psName, psMinDepth, psMaxDepth };

class TGLPickList {
 public:
  explicit TGLPickList(TPickSortType sort) : sort_(sort) {}
  int Count() const { return int(records_.size()); }
  void Clear() { records_.clear(); }
  void AddHit(TGLBaseSceneObject* obj, std::vector<std::uint32_t> subObjects, float zNear, float zFar);
  TGLBaseSceneObject* Hit(int i) const { return records_.at(std::size_t(i)).AObject; }
  const TPickRecord& Record(int i) const { return records_.at(std::size_t(i)); }
  void Reserve(int n) { records_.reserve(std::size_t(n > 0 ? n : 0)); }

 private:
  std::vector<TPickRecord> records_;
  TPickSortType sort_;
};

class TGLSceneBuffer : public TGLUpdateAbleObject {
 public:
  explicit TGLSceneBuffer(TPersistent* owner = nullptr);
  ~TGLSceneBuffer() override;
  std::string ClassName() const override { return "TGLSceneBuffer"; }

  TGLStateCache GLStates;
  bool Rendering() const { return rendering_; }
  TGLContext* RenderingContext() const { return context_.get(); }

  // ---- Settings ----
  bool FaceCulling() const { return faceCulling_; }
  void SetFaceCulling(bool v) { SetFlag(faceCulling_, v); }
  bool FogEnable() const { return fogEnable_; }
  void SetFogEnable(bool v) { SetFlag(fogEnable_, v); }
  bool Lighting() const { return lighting_; }
  void SetLighting(bool v) { SetFlag(lighting_, v); }
  bool DepthTest() const { return depthTest_; }
  void SetDepthTest(bool v) { SetFlag(depthTest_, v); }
  TColor BackgroundColor() const { return backgroundColor_; }
  void SetBackgroundColor(TColor c);
  TGLColor& AmbientColor() { return ambientColor_; }
  TGLFogEnvironment& FogEnvironment() { return fogEnvironment_; }
  TGLShadeModel ShadeModel() const { return shadeModel_; }
  void SetShadeModel(TGLShadeModel m);
  // These need a new context: OnStructuralChange fires.
  std::uint16_t ContextOptions() const { return contextOptions_; }
  void SetContextOptions(std::uint16_t o) { SetStructural(contextOptions_, o); }
  TGLAntiAliasing AntiAliasing() const { return antiAliasing_; }
  void SetAntiAliasing(TGLAntiAliasing a) { SetStructural(antiAliasing_, a); }
  TGLDepthPrecision DepthPrecision() const { return depthPrecision_; }
  void SetDepthPrecision(TGLDepthPrecision d) { SetStructural(depthPrecision_, d); }
  TGLColorDepth ColorDepth() const { return colorDepth_; }
  void SetColorDepth(TGLColorDepth c) { SetStructural(colorDepth_, c); }
  int AccumBufferBits() const { return accumBufferBits_; }
  void SetAccumBufferBits(int b) { SetStructural(accumBufferBits_, b); }

  TGLCamera* Camera() const { return camera_; }
  // Only a camera that belongs to a scene (or null).
  void SetCamera(TGLCamera* camera);
  const TRectangle& ViewPort() const { return viewport_; }
  int Width() const { return viewport_.Width; }
  int Height() const { return viewport_.Height; }
  void SetViewPort(int x, int y, int width, int height);
  // Each at least 1; glViewport inside the context when one exists.
  void Resize(int width, int height);

  // ---- Context ----
  // "Failed to create RenderingContext." without a registered back-end.
  void CreateRenderContext(void* device, bool memoryContext);
  void ReleaseRenderContext();
  // Adopts a context made elsewhere (the Qt viewer's); the settings are transferred to it.
  void AdoptRenderContext(std::unique_ptr<TGLContext> context);

  // ---- Rendering ----
  void Render() { RenderFrame(nullptr); }
  // Nothing while already rendering or without a context.
  void RenderFrame(TGLBaseSceneObject* baseObject);
  void PushModelViewMatrix(const TMatrix& m);
  void PopModelViewMatrix();
  void ResetPerformanceMonitor();
  float FramesPerSecond() const { return framesPerSecond_; }
  float LastFrameTime() const { return lastFrameTime_; }
  int FrameCount() const { return frameCount_; }
  const TMatrix& ProjectionMatrix() const { return projectionMatrix_; }
  const TMatrix& ModelViewMatrix() const { return modelViewMatrix_; }
  const TMatrix& BaseProjectionMatrix() const { return baseProjectionMatrix_; }
  const THomogeneousVector& CameraAbsolutePosition() const { return cameraAbsolutePosition_; }
  void QueueAfterEffect(TGLObjectEffect* e) { afterEffects_.push_back(e); }

  // ---- Picking and conversions (GLPicking.cpp) ----
  // Picking while rendering: EAssertionFailed "Already rendering".
  void PickObjects(const TRect& rect, TGLPickList& pickList, int objectCountGuess);
  std::unique_ptr<TGLPickList> PickObjectsInRect(const TRect& rect, int objectCountGuess);
  // The nearest object under the pixel, or null.
  TGLBaseSceneObject* GetPickedObject(int x, int y);
  TGLBaseSceneObject* PickObjectAt(int x, int y) { return GetPickedObject(x, y); }
  THomogeneousVector UnprojectPoint(float x, float y, float depth) const;
  TAffineVector UnprojectPoint(const TAffineVector& v) const;
  THomogeneousVector ProjectPoint(const THomogeneousVector& worldPoint) const;
  TAffineVector ScreenRayDirection(const TAffineVector& screenPoint) const;
  THomogeneousVector ScreenToVector(float x, float y) const;
  bool ScreenVectorIntersectWithPlane(const THomogeneousVector& screenPoint,
                                      const THomogeneousVector& planePoint,
                                      const THomogeneousVector& planeNormal,
                                      THomogeneousVector& intersectPoint) const;
  bool ScreenPointOnPlaneXY(float x, float y, float z, THomogeneousVector& intersectPoint) const;
  bool ScreenPointOnPlaneYZ(float x, float y, float x0, THomogeneousVector& intersectPoint) const;
  std::unique_ptr<TGLBitmap32> CreateSnapshot();
  TBitmap SnapshotBitmap();
  // Copies a region of the last frame into the texture (its own target when target <= 0).
  void CopyToTexture(TGLTexture& texture, int x, int y, int width, int height, int destX, int destY,
                     GLenum target = 0);

  // ---- Events ----
  std::function<void(TObject*)> OnChange, OnStructuralChange, OnPrepareGLContext;
  std::function<void(TObject*)> BeforeRender, OnEarlyRender, PostRender, AfterRender;
  std::function<void(TObject*, TRenderContextInfo&)> InitiateRendering, WrapUpRendering;
  // Unless rendering, OnChange.
  void NotifyChange(TObject* sender) override;

 private:
  friend class TGLScene;
  void SetFlag(bool& field, bool v);
  template <class T>
  void SetStructural(T& field, T v) {
    if (field == v) return;
    field = v;
    if (OnStructuralChange) OnStructuralChange(this);
  }
  void SetupRenderingContext(TGLContext& context);
  void SetupContextState();
  void ClearBuffers();
  void DrawScene(TGLBaseSceneObject* baseObject);
  void SetupMatrices(const TRect* pickRect);
  void EnableLights();
  void DetachFromCameraScene();
  struct TCameraWatch;

  bool rendering_ = false;
  std::unique_ptr<TGLContext> context_;
  std::vector<TGLObjectEffect*> afterEffects_;
  TMatrix projectionMatrix_ = IdentityHmgMatrix, modelViewMatrix_ = IdentityHmgMatrix,
          baseProjectionMatrix_ = IdentityHmgMatrix;
  std::vector<TMatrix> modelViewStack_;
  THomogeneousVector cameraAbsolutePosition_{0, 0, 0, 1};
  TRectangle viewport_{0, 0, 1, 1};
  bool faceCulling_ = true, fogEnable_ = false, lighting_ = true, depthTest_ = true;
  TColor backgroundColor_ = clBtnFace;
  TGLColor ambientColor_;
  TGLAntiAliasing antiAliasing_ = TGLAntiAliasing::aaDefault;
  TGLDepthPrecision depthPrecision_ = TGLDepthPrecision::dpDefault;
  TGLColorDepth colorDepth_ = TGLColorDepth::cdDefault;
  std::uint16_t contextOptions_ = roDoubleBuffer | roRenderToWindow;
  TGLShadeModel shadeModel_ = TGLShadeModel::smDefault;
  int renderDPI_ = 96;
  TGLFogEnvironment fogEnvironment_;
  int accumBufferBits_ = 0;
  TGLCamera* camera_ = nullptr;
  std::unique_ptr<TCameraWatch> cameraWatch_;
  int frameCount_ = 0;
  float framesPerSecond_ = 0, lastFrameTime_ = 0;
  std::int64_t firstFrameTime_ = 0;
  TRenderContextInfo* currentRci_ = nullptr;
};

// The high-resolution clock of the buffer's timing (nanoseconds).
std::int64_t QueryPerformanceCounter();
std::int64_t QueryPerformanceFrequency();

}  // namespace qx
