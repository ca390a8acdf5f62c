#include "scene/GLScene.h"

#include <algorithm>
#include <chrono>

#include "scene/XOpenGL.h"
#include "scene/base/SceneErrors.h"

namespace qx {

std::int64_t QueryPerformanceCounter() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
std::int64_t QueryPerformanceFrequency() { return 1000000000; }

// ---- TGLScene ----
TGLScene::TGLScene(TComponent* owner) : TGLUpdateAbleComponent(owner) {
  objects_ = std::make_unique<TGLSceneRootObject>(this);
  objects_->Name = "ObjectRoot";
  cameras_ = std::make_unique<TGLSceneRootObject>(this);
  cameras_->Name = "CameraRoot";
}

TGLScene::~TGLScene() {
  ComponentState |= csDestroying;
  objects_->DestroyHandles();
  cameras_->DestroyHandles();
  // Each buffer detaches itself while it lets go of its camera: walk a copy.
  const std::vector<TGLSceneBuffer*> buffers = buffers_;
  for (TGLSceneBuffer* b : buffers)
    if (b->camera_ && b->camera_->Scene() == this) b->SetCamera(nullptr);
  buffers_.clear();
  CurrentCamera = nullptr;
  CurrentGLObject = nullptr;
  cameras_.reset();
  objects_.reset();
}

void TGLScene::AddLights(TGLBaseSceneObject* subtree) {
  if (!subtree) return;
  if (auto* light = dynamic_cast<TGLLightSource*>(subtree)) {
    if (std::find(lights_.begin(), lights_.end(), light) == lights_.end()) {
      light->SetLightID(0);
      for (std::size_t i = 0; i < lights_.size(); ++i)
        if (!lights_[i]) {
          lights_[i] = light;
          light->SetLightID(GLenum(GL_LIGHT0 + i));
          break;
        }
    }
  }
  for (int i = 0; i < subtree->Count(); ++i) AddLights(subtree->GetChild(i));
}

void TGLScene::RemoveLight(TGLLightSource* light) {
  for (auto& slot : lights_)
    if (slot == light) slot = nullptr;
  light->SetLightID(0);
}

void TGLScene::RemoveLights(TGLBaseSceneObject* subtree) {
  if (!subtree) return;
  if (auto* light = dynamic_cast<TGLLightSource*>(subtree)) RemoveLight(light);
  for (int i = 0; i < subtree->Count(); ++i) RemoveLights(subtree->GetChild(i));
}

void TGLScene::AttachBuffer(TGLSceneBuffer* buffer) {
  if (std::find(buffers_.begin(), buffers_.end(), buffer) != buffers_.end()) return;
  buffers_.push_back(buffer);
  if (buffers_.size() > 1) {
    TGLContext* shared = SharedContext();
    if (shared && buffer->RenderingContext() && buffer->RenderingContext() != shared)
      buffer->RenderingContext()->ShareLists(shared);
  }
}

void TGLScene::DetachBuffer(TGLSceneBuffer* buffer) {
  buffers_.erase(std::remove(buffers_.begin(), buffers_.end(), buffer), buffers_.end());
}

TGLContext* TGLScene::SharedContext() const {
  return buffers_.empty() ? nullptr : buffers_.front()->RenderingContext();
}

void TGLScene::EndUpdate() {
  if (updateCount_ < 1) throw EAssertionFailed();
  if (--updateCount_ == 0) NotifyChange(this);
}

void TGLScene::NotifyChange(TObject*) {
  if (IsUpdating()) return;
  for (TGLSceneBuffer* b : buffers_) b->NotifyChange(this);
}

void TGLScene::SetObjectsSorting(TGLObjectsSorting v) {
  if (v == TGLObjectsSorting::osInherited) v = TGLObjectsSorting::osRenderBlendedLast;
  if (v == objectsSorting_) return;
  objectsSorting_ = v;
  NotifyChange(this);
}

void TGLScene::SetVisibilityCulling(TGLVisibilityCulling v) {
  if (v == TGLVisibilityCulling::vcInherited) v = TGLVisibilityCulling::vcNone;
  if (v == visibilityCulling_) return;
  visibilityCulling_ = v;
  NotifyChange(this);
}

TGLBaseSceneObject* TGLScene::RayCastIntersect(const THomogeneousVector& rayStart,
                                               const THomogeneousVector& rayVector, THomogeneousVector* point,
                                               THomogeneousVector* normal) {
  TGLBaseSceneObject* best = nullptr;
  float bestDist = 1e20f;
  THomogeneousVector bestPoint, bestNormal;
  std::function<void(TGLBaseSceneObject*)> walk = [&](TGLBaseSceneObject* obj) {
    for (int i = 0; i < obj->Count(); ++i) {
      TGLBaseSceneObject* c = obj->GetChild(i);
      if (!c->Visible()) continue;
      THomogeneousVector p, n;
      if (c->IntersectRay(rayStart, rayVector, &p, &n)) {
        const float d = VectorDistance2(rayStart, p);
        if (d < bestDist) {
          bestDist = d;
          best = c;
          bestPoint = p;
          bestNormal = n;
        }
      }
      walk(c);
    }
  };
  walk(objects_.get());
  if (best) {
    if (point) *point = bestPoint;
    if (normal) *normal = bestNormal;
  }
  return best;
}

TGLBaseSceneObject* TGLScene::FindSceneObject(const std::string& name) const {
  return objects_->FindChildByName(name, false);
}

void TGLScene::Progress(double deltaTime, double newTime) {
  objects_->AdvanceTime(deltaTime, newTime);
  cameras_->AdvanceTime(deltaTime, newTime);
}

void TGLScene::RenderScene(TGLSceneBuffer& buffer, int width, int height, TDrawState drawState,
                           TGLBaseSceneObject* baseObject) {
  CurrentBuffer = &buffer;
  TRenderContextInfo rci;
  rci.scene = this;
  rci.buffer = &buffer;
  rci.drawState = drawState;
  rci.objectsSorting = objectsSorting_;
  rci.visibilityCulling = visibilityCulling_;
  rci.viewPortWidth = width;
  rci.viewPortHeight = height;
  rci.cameraPosition = buffer.cameraAbsolutePosition_;
  if (TGLCamera* cam = buffer.Camera()) {
    rci.cameraDirection = VectorNormalize(cam->LastDirection());
    rci.cameraUp = cam->AbsoluteUp();
    rci.farDistance = cam->NearPlane() + cam->DepthOfView();
  }
  TMatrix mv, proj;
  glGetFloatv(GL_MODELVIEW_MATRIX, mv.data());
  glGetFloatv(GL_PROJECTION_MATRIX, proj.data());
  rci.frustum = ExtractFrustum(MatrixMultiply(mv, proj));
  rci.GLStates = &buffer.GLStates;
  buffer.GLStates.ResetAll();
  rci.modelViewMatrix = buffer.ModelViewMatrix();
  rci.renderDPI = buffer.renderDPI_;
  rci.bufferFaceCull = buffer.FaceCulling();
  rci.bufferLighting = buffer.Lighting();
  rci.bufferFog = buffer.FogEnable();
  rci.bufferDepthTest = buffer.DepthTest();
  const bool noColor = (buffer.ContextOptions() & roNoColorBuffer) || drawState == TDrawState::dsPicking;
  glColorMask(!noColor, !noColor, !noColor, !noColor);
  buffer.currentRci_ = &rci;
  struct TEnd {
    TGLSceneBuffer& b;
    ~TEnd() { b.currentRci_ = nullptr; }
  } end{buffer};
  if (buffer.InitiateRendering) buffer.InitiateRendering(&buffer, rci);
  // Mesa replays a display list that mixes kinds of primitives wrongly in selection and
  // feedback modes (all but the first kind are lost; three kinds can crash it): there such
  // objects issue their geometry directly.
  GLint renderMode = GL_RENDER;
  glGetIntegerv(GL_RENDER_MODE, &renderMode);
  rci.selecting = renderMode != GL_RENDER;
  (baseObject ? baseObject : static_cast<TGLBaseSceneObject*>(objects_.get()))->RenderObject(rci);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  for (TGLObjectEffect* e : buffer.afterEffects_) e->Render(rci);
  buffer.afterEffects_.clear();
  if (buffer.WrapUpRendering) buffer.WrapUpRendering(&buffer, rci);
  TGLStateCache& st = buffer.GLStates;
  st.Disable(stBlend);
  st.Disable(stTexture2D);
  st.Disable(stTextureRect);
  st.Enable(stAlphaTest);
  glAlphaFunc(GL_GREATER, 0);
}

// ---- TGLFogEnvironment ----
TGLFogEnvironment::TGLFogEnvironment(TPersistent* owner)
    : TGLUpdateAbleObject(owner), fogColor_(this, clrBlack) {}

void TGLFogEnvironment::Assign(const TPersistent* source) {
  if (auto* f = dynamic_cast<const TGLFogEnvironment*>(source)) {
    fogColor_.DirectColor(f->fogColor_.Color());
    fogStart_ = f->fogStart_;
    fogEnd_ = f->fogEnd_;
    fogMode_ = f->fogMode_;
    fogDistance_ = f->fogDistance_;
    NotifyChange(this);
    return;
  }
  TGLUpdateAbleObject::Assign(source);
}
void TGLFogEnvironment::SetFogStart(float v) {
  if (v == fogStart_) return;
  fogStart_ = v;
  NotifyChange(this);
}
void TGLFogEnvironment::SetFogEnd(float v) {
  if (v == fogEnd_) return;
  fogEnd_ = v;
  NotifyChange(this);
}
void TGLFogEnvironment::SetFogMode(TFogMode m) {
  if (m == fogMode_) return;
  fogMode_ = m;
  NotifyChange(this);
}
void TGLFogEnvironment::SetFogDistance(TFogDistance d) {
  if (d == fogDistance_) return;
  fogDistance_ = d;
  NotifyChange(this);
}
bool TGLFogEnvironment::IsAtDefaultValues() const {
  return VectorEquals(fogColor_.Color(), clrBlack) && fogStart_ == 10 && fogEnd_ == 1000 &&
         fogMode_ == TFogMode::fmLinear && fogDistance_ == TFogDistance::fdDefault;
}
void TGLFogEnvironment::ApplyFog() {
  switch (fogMode_) {
    case TFogMode::fmLinear:
      glFogi(GL_FOG_MODE, GL_LINEAR);
      break;
    case TFogMode::fmExp:
      glFogi(GL_FOG_MODE, GL_EXP);
      glFogf(GL_FOG_DENSITY, fogColor_.Alpha());
      break;
    case TFogMode::fmExp2:
      glFogi(GL_FOG_MODE, GL_EXP2);
      glFogf(GL_FOG_DENSITY, fogColor_.Alpha());
      break;
  }
  glFogfv(GL_FOG_COLOR, fogColor_.AsAddress());
  glFogf(GL_FOG_START, fogStart_);
  glFogf(GL_FOG_END, fogEnd_);
  if (GLCaps.NV_fog_distance) {
    static GLint driverDefault = -1;
    if (driverDefault < 0) glGetIntegerv(GL_FOG_DISTANCE_MODE_NV, &driverDefault);
    switch (fogDistance_) {
      case TFogDistance::fdDefault:
        glFogi(GL_FOG_DISTANCE_MODE_NV, driverDefault);
        break;
      case TFogDistance::fdEyeRadial:
        glFogi(GL_FOG_DISTANCE_MODE_NV, GL_EYE_RADIAL_NV);
        break;
      case TFogDistance::fdEyePlane:
        glFogi(GL_FOG_DISTANCE_MODE_NV, GL_EYE_PLANE_ABSOLUTE_NV);
        break;
    }
  }
}

// ---- TGLPickList ----
void TGLPickList::AddHit(TGLBaseSceneObject* obj, std::vector<std::uint32_t> subObjects, float zNear,
                         float zFar) {
  records_.push_back({obj, std::move(subObjects), zNear, zFar});
  switch (sort_) {
    case TPickSortType::psDefault:
      break;
    case TPickSortType::psName:
      std::stable_sort(records_.begin(), records_.end(), [](const TPickRecord& a, const TPickRecord& b) {
        std::string x = a.AObject ? a.AObject->Name : "", y = b.AObject ? b.AObject->Name : "";
        for (auto& ch : x) ch = char(std::tolower((unsigned char)ch));
        for (auto& ch : y) ch = char(std::tolower((unsigned char)ch));
        return x < y;
      });
      break;
    case TPickSortType::psMinDepth:
      std::stable_sort(records_.begin(), records_.end(),
                       [](const TPickRecord& a, const TPickRecord& b) { return a.ZNear < b.ZNear; });
      break;
    case TPickSortType::psMaxDepth:
      std::stable_sort(records_.begin(), records_.end(),
                       [](const TPickRecord& a, const TPickRecord& b) { return a.ZFar < b.ZFar; });
      break;
  }
}

// ---- TGLSceneBuffer ----
struct TGLSceneBuffer::TCameraWatch : TComponent {
  TGLSceneBuffer* buffer;
  explicit TCameraWatch(TGLSceneBuffer* b) : buffer(b) {}
  void Notification(TComponent* c, TOperation op) override {
    if (op == TOperation::opRemove && c == buffer->camera_) {
      buffer->DetachFromCameraScene();
      buffer->camera_ = nullptr;
    }
  }
};

TGLSceneBuffer::TGLSceneBuffer(TPersistent* owner)
    : TGLUpdateAbleObject(owner),
      ambientColor_(this, clrGray20),
      fogEnvironment_(this),
      cameraWatch_(std::make_unique<TCameraWatch>(this)) {}

TGLSceneBuffer::~TGLSceneBuffer() {
  DetachFromCameraScene();
  if (camera_) camera_->RemoveFreeNotification(cameraWatch_.get());
  camera_ = nullptr;
  ReleaseRenderContext();
}

void TGLSceneBuffer::DetachFromCameraScene() {
  if (camera_ && camera_->Scene()) camera_->Scene()->DetachBuffer(this);
}

void TGLSceneBuffer::NotifyChange(TObject*) {
  if (rendering_) return;
  if (OnChange) OnChange(this);
}

void TGLSceneBuffer::SetFlag(bool& field, bool v) {
  if (field == v) return;
  field = v;
  NotifyChange(this);
}

void TGLSceneBuffer::SetBackgroundColor(TColor c) {
  if (c == backgroundColor_) return;
  backgroundColor_ = c;
  NotifyChange(this);
}

void TGLSceneBuffer::SetShadeModel(TGLShadeModel m) {
  if (m == shadeModel_) return;
  shadeModel_ = m;
  NotifyChange(this);
}

void TGLSceneBuffer::SetCamera(TGLCamera* camera) {
  if (camera == camera_) return;
  if (camera && !camera->Scene()) return;
  DetachFromCameraScene();
  if (camera_) camera_->RemoveFreeNotification(cameraWatch_.get());
  camera_ = camera;
  if (camera_) {
    camera_->FreeNotification(cameraWatch_.get());
    camera_->TransformationChanged();
  }
  NotifyChange(this);
}

void TGLSceneBuffer::SetViewPort(int x, int y, int width, int height) {
  viewport_ = {x, y, std::max(1, width), std::max(1, height)};
}

void TGLSceneBuffer::Resize(int width, int height) {
  viewport_.Width = std::max(1, width);
  viewport_.Height = std::max(1, height);
  if (context_ && context_->IsValid()) {
    context_->ResizeSurface(viewport_.Width, viewport_.Height);
    context_->Activate();
    glViewport(0, 0, viewport_.Width, viewport_.Height);
    context_->Deactivate();
  }
}

void TGLSceneBuffer::SetupRenderingContext(TGLContext& c) {
  std::uint8_t opts = 0;
  if (contextOptions_ & roDoubleBuffer) opts |= rcoDoubleBuffered;
  if (contextOptions_ & roStereo) opts |= rcoStereo;
  c.SetOptions(opts);
  static const int colorBits[] = {24, 8, 16, 24, 64, 128};
  static const int depthBits[] = {24, 16, 24, 32};
  c.SetColorBits((contextOptions_ & roNoColorBuffer) ? 0 : colorBits[int(colorDepth_)]);
  c.SetDepthBits(depthBits[int(depthPrecision_)]);
  c.SetStencilBits((contextOptions_ & roStencilBuffer) ? 8 : 0);
  c.SetAlphaBits((contextOptions_ & roDestinationAlpha) ? 8 : 0);
  c.SetAccumBits(accumBufferBits_);
  c.SetAuxBuffers(0);
  c.SetAntiAliasing(antiAliasing_);
  if (OnPrepareGLContext) OnPrepareGLContext(this);
}

void TGLSceneBuffer::CreateRenderContext(void* device, bool memoryContext) {
  ReleaseRenderContext();
  rendering_ = true;
  struct TEnd {
    bool& f;
    ~TEnd() { f = false; }
  } end{rendering_};
  std::unique_ptr<TGLContext> c = CreateContextInstance();
  if (!c) throw ESceneError("Failed to create RenderingContext.");
  SetupRenderingContext(*c);
  if (memoryContext)
    c->CreateMemoryContext(device, viewport_.Width, viewport_.Height);
  else
    c->CreateContext(device);
  context_ = std::move(c);
  context_->Activate();
  try {
    if (!GLCaps.VERSION_1_1) throw EOpenGLError("Need at least OpenGL version 1.1");
    glViewport(0, 0, viewport_.Width, viewport_.Height);
    SetupContextState();
    const TColorVector bg = ColorToVector(backgroundColor_, 1);
    glClearColor(bg.X, bg.Y, bg.Z, 1);
  } catch (...) {
    context_->Deactivate();
    context_.reset();
    throw;
  }
  context_->Deactivate();
}

void TGLSceneBuffer::AdoptRenderContext(std::unique_ptr<TGLContext> context) {
  ReleaseRenderContext();
  context_ = std::move(context);
  if (!context_ || !context_->IsValid()) return;
  context_->Activate();
  glViewport(0, 0, viewport_.Width, viewport_.Height);
  SetupContextState();
  context_->Deactivate();
}

void TGLSceneBuffer::ReleaseRenderContext() {
  if (!context_) return;
  DetachFromCameraScene();
  context_->DestroyContext();
  context_.reset();
}

void TGLSceneBuffer::SetupContextState() {
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambientColor_.AsAddress());
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, (contextOptions_ & roTwoSideLighting) ? 1 : 0);
  auto set = [&](TGLState s, bool on) {
    GLStates.SetEnabledFlag(s, on);
    if (on)
      glEnable(GLStateCapability(s));
    else
      glDisable(GLStateCapability(s));
  };
  set(stNormalize, true);
  set(stDepthTest, depthTest_);
  set(stCullFace, faceCulling_);
  set(stLighting, lighting_);
  set(stFog, fogEnable_);
  GLint redBits = 8;
  glGetIntegerv(GL_RED_BITS, &redBits);
  set(stDither, redBits < 8);
  // The rest of the cached states start from what OpenGL has after a render.
  for (TGLState s : {stBlend, stAlphaTest, stTexture2D, stTextureRect, stColorMaterial, stLineStipple,
                     stLineSmooth, stTextureCubeMap, stTexture1D, stStencilTest, stScissorTest})
    GLStates.SetEnabledFlag(s, glIsEnabled(GLStateCapability(s)) == GL_TRUE);
  glDepthFunc(GL_LESS);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glShadeModel(shadeModel_ == TGLShadeModel::smFlat ? GL_FLAT : GL_SMOOTH);
}

void TGLSceneBuffer::ClearBuffers() {
  GLbitfield bits = GL_DEPTH_BUFFER_BIT;
  if (!(contextOptions_ & (roNoColorBuffer | roNoColorBufferClear))) bits |= GL_COLOR_BUFFER_BIT;
  if (contextOptions_ & roStencilBuffer) bits |= GL_STENCIL_BUFFER_BIT;
  glClear(bits);
}

void TGLSceneBuffer::RenderFrame(TGLBaseSceneObject* baseObject) {
  if (rendering_ || !context_ || !context_->IsValid()) return;
  const TColorVector bg = ColorToVector(backgroundColor_, 1);
  const std::int64_t t0 = QueryPerformanceCounter();
  if (camera_ && camera_->Scene()) {
    camera_->AbsoluteMatrix();
    camera_->Scene()->AttachBuffer(this);
  }
  rendering_ = true;
  context_->Activate();
  struct TEnd {
    TGLSceneBuffer& b;
    ~TEnd() {
      try {
        b.context_->Deactivate();
      } catch (...) {
      }
      b.rendering_ = false;
    }
  } end{*this};
  if (frameCount_ == 0) firstFrameTime_ = QueryPerformanceCounter();
  renderDPI_ = 96;
  ClearGLError();
  SetupContextState();
  glClearColor(bg.X, bg.Y, bg.Z, 1);
  ClearBuffers();
  CheckGLError();
  DrawScene(baseObject);
  CheckGLError();
  if (!(contextOptions_ & roNoSwapBuffers)) context_->SwapBuffers();
  ++frameCount_;
  const std::int64_t t1 = QueryPerformanceCounter();
  lastFrameTime_ = float(double(t1 - t0) / double(QueryPerformanceFrequency()));
  if (t1 != firstFrameTime_)
    framesPerSecond_ =
        float(double(frameCount_) * double(QueryPerformanceFrequency()) / double(t1 - firstFrameTime_));
  CheckGLError();
  if (AfterRender) AfterRender(this);
}

void TGLSceneBuffer::SetupMatrices(const TRect* pickRect) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  if (pickRect) {
    GLint vp[4] = {viewport_.Left, viewport_.Top, viewport_.Width, viewport_.Height};
    const int cx = (pickRect->Left + pickRect->Right) / 2,
              cy = viewport_.Height - (pickRect->Top + pickRect->Bottom) / 2;
    gluPickMatrix(cx, cy, std::abs(pickRect->Right - pickRect->Left),
                  std::abs(pickRect->Bottom - pickRect->Top), vp);
  }
  glGetFloatv(GL_PROJECTION_MATRIX, baseProjectionMatrix_.data());
  if (camera_) {
    camera_->ApplyProjection(viewport_, viewport_.Width, viewport_.Height, renderDPI_);
    glGetFloatv(GL_PROJECTION_MATRIX, projectionMatrix_.data());
  }
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  if (camera_) {
    if (camera_->Scene()) camera_->Scene()->CurrentCamera = camera_;
    camera_->ApplyView();
    cameraAbsolutePosition_ = camera_->AbsolutePosition();
  }
  glGetFloatv(GL_MODELVIEW_MATRIX, modelViewMatrix_.data());
}

void TGLSceneBuffer::DrawScene(TGLBaseSceneObject* baseObject) {
  SetupMatrices(nullptr);
  MapTexCoordToNull();
  MapTexCoordToMain();
  if (OnEarlyRender) OnEarlyRender(this);
  if (BeforeRender) BeforeRender(this);
  if (camera_ && camera_->Scene()) {
    EnableLights();
    if (fogEnable_) {
      glEnable(GL_FOG);
      fogEnvironment_.ApplyFog();
    } else {
      glDisable(GL_FOG);
    }
    camera_->Scene()->RenderScene(*this, viewport_.Width, viewport_.Height, TDrawState::dsRendering,
                                  baseObject);
  }
  if (PostRender) PostRender(this);
  if (!modelViewStack_.empty()) {
    modelViewStack_.clear();
    throw EAssertionFailed("Unbalance Push/PopModelViewMatrix.");
  }
}

void TGLSceneBuffer::EnableLights() {
  GLint maxLights = 8;
  glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
  TGLScene* scene = camera_->Scene();
  const int slots = std::min(8, int(maxLights));
  glPushMatrix();
  for (int i = 0; i < slots; ++i) {
    glPopMatrix();
    glPushMatrix();
    TGLLightSource* light = scene->LightSlot(i);
    const GLenum id = GLenum(GL_LIGHT0 + i);
    if (!light || !light->Shining()) {
      glDisable(id);
      continue;
    }
    glEnable(id);
    light->RebuildMatrix();
    if (light->LightStyle() == TLightStyle::lsParallel) {
      glMultMatrixf(light->AbsoluteMatrix().data());
      const THomogeneousVector d = light->SpotDirection().AsVector();
      const GLfloat pos[4] = {d.X, d.Y, d.Z, 0};
      glLightfv(id, GL_POSITION, pos);
    } else {
      if (light->Parent()) glMultMatrixf(light->Parent()->AbsoluteMatrix().data());
      const THomogeneousVector p = light->Position().AsVector();
      const GLfloat pos[4] = {p.X, p.Y, p.Z, 1};
      glLightfv(id, GL_POSITION, pos);
    }
    glLightfv(id, GL_AMBIENT, light->Ambient().AsAddress());
    glLightfv(id, GL_DIFFUSE, light->Diffuse().AsAddress());
    glLightfv(id, GL_SPECULAR, light->Specular().AsAddress());
    if (light->LightStyle() == TLightStyle::lsSpot) {
      if (light->SpotCutOff() != 180) {
        glLightfv(id, GL_SPOT_DIRECTION, light->SpotDirection().AsAddress());
        glLightf(id, GL_SPOT_EXPONENT, light->SpotExponent());
      }
      glLightf(id, GL_SPOT_CUTOFF, light->SpotCutOff());
    } else {
      glLightf(id, GL_SPOT_CUTOFF, 180);
    }
    glLightf(id, GL_CONSTANT_ATTENUATION, light->ConstAttenuation());
    glLightf(id, GL_LINEAR_ATTENUATION, light->LinearAttenuation());
    glLightf(id, GL_QUADRATIC_ATTENUATION, light->QuadraticAttenuation());
  }
  glPopMatrix();
  for (int i = slots; i < maxLights; ++i) glDisable(GLenum(GL_LIGHT0 + i));
}

void TGLSceneBuffer::PushModelViewMatrix(const TMatrix& m) { modelViewStack_.push_back(m); }

void TGLSceneBuffer::PopModelViewMatrix() {
  if (modelViewStack_.empty()) throw EAssertionFailed("Unbalanced PopModelViewMatrix");
  modelViewStack_.pop_back();
}

void TGLSceneBuffer::ResetPerformanceMonitor() {
  frameCount_ = 0;
  framesPerSecond_ = 0;
  firstFrameTime_ = 0;
}

}  // namespace qx
