// A rendering context wraps one OpenGL context: created from the settings of a scene buffer,
// activated around every piece of OpenGL work (activations nest), and owner of the OpenGL
// names (display lists, textures) allocated while it was current. Contexts that share
// names form a group; when one is destroyed its names pass to another member instead of
// being deleted.
//
// Back-ends: GLContextEGL (off-screen, EGL on Mesa's surfaceless platform) and the Qt
// viewer's context (scene/viewer). Each back-end puts all its contexts in one share group
// when it creates them (the share group is fixed at creation on these platforms); joining
// contexts of two back-ends raises "Incompatible contexts".
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "scene/OpenGL1x.h"

namespace qx {

class TGLContext;

enum class TGLAntiAliasing : std::uint8_t { aaDefault, aaNone, aa2x, aa2xHQ, aa4x, aa4xHQ };
enum class TGLContextAcceleration : std::uint8_t { chaUnknown, chaHardware, chaSoftware };
enum TGLRCOption : std::uint8_t { rcoDoubleBuffered = 1, rcoStereo = 2 };

// One OpenGL name owned by a context.
class TGLContextHandle {
 public:
  TGLContextHandle() = default;
  virtual ~TGLContextHandle();
  TGLContextHandle(const TGLContextHandle&) = delete;
  TGLContextHandle& operator=(const TGLContextHandle&) = delete;
  GLuint Handle() const { return handle_; }
  TGLContext* RenderingContext() const { return context_; }
  // Needs a current context; the name is owned by it.
  void AllocateHandle();
  // Destroys the name in a context of its owner's group (activating the owner if needed).
  void DestroyHandle();
  virtual bool Transferable() const { return true; }

 protected:
  virtual GLuint DoAllocateHandle() = 0;
  virtual void DoDestroyHandle() = 0;
  // DestroyHandle for destructors: nothing escapes.
  void DestroyQuietly() noexcept;

 private:
  friend class TGLContext;
  GLuint handle_ = 0;
  TGLContext* context_ = nullptr;
};

// Each concrete handle frees its name in its own destructor, while it is still whole.
class TGLListHandle : public TGLContextHandle {
 public:
  ~TGLListHandle() override { DestroyQuietly(); }

 protected:
  GLuint DoAllocateHandle() override;
  void DoDestroyHandle() override;
};

class TGLTextureHandle : public TGLContextHandle {
 public:
  ~TGLTextureHandle() override { DestroyQuietly(); }

 protected:
  GLuint DoAllocateHandle() override;
  void DoDestroyHandle() override;
};

class TGLVirtualHandle : public TGLContextHandle {
 public:
  ~TGLVirtualHandle() override { DestroyQuietly(); }
  std::function<void(TGLVirtualHandle&, GLuint&)> OnAllocate, OnDestroy;

 protected:
  GLuint DoAllocateHandle() override;
  void DoDestroyHandle() override;
};

class TGLContext {
 public:
  TGLContext();
  virtual ~TGLContext();
  TGLContext(const TGLContext&) = delete;
  TGLContext& operator=(const TGLContext&) = delete;

  // Settings: changing one while active raises EGLContext "Cannot alter an active context".
  int ColorBits() const { return colorBits_; }
  void SetColorBits(int v) { Alter(colorBits_, v); }
  int AlphaBits() const { return alphaBits_; }
  void SetAlphaBits(int v) { Alter(alphaBits_, v); }
  int DepthBits() const { return depthBits_; }
  void SetDepthBits(int v) { Alter(depthBits_, v); }
  int StencilBits() const { return stencilBits_; }
  void SetStencilBits(int v) { Alter(stencilBits_, v); }
  int AccumBits() const { return accumBits_; }
  void SetAccumBits(int v) { Alter(accumBits_, v); }
  int AuxBuffers() const { return auxBuffers_; }
  void SetAuxBuffers(int v) { Alter(auxBuffers_, v); }
  TGLAntiAliasing AntiAliasing() const { return antiAliasing_; }
  void SetAntiAliasing(TGLAntiAliasing v) { Alter(antiAliasing_, v); }
  std::uint8_t Options() const { return options_; }
  void SetOptions(std::uint8_t v) { Alter(options_, v); }
  TGLContextAcceleration Acceleration() const { return acceleration_; }

  // EGLContext "Context already created" when valid.
  void CreateContext(void* outputDevice);
  void CreateMemoryContext(void* outputDevice, int width, int height);
  // EGLContext "Context not created" unless created; joins the other's group.
  void ShareLists(TGLContext* other);
  void DestroyContext();
  void Activate();
  void Deactivate();
  bool Active() const { return activationCount_ > 0; }
  void SetActive(bool on);
  virtual bool IsValid() const = 0;
  virtual void SwapBuffers() = 0;
  virtual void* RenderOutputDevice() const = 0;
  // A back-end whose surface follows the window ignores this; an off-screen one resizes.
  virtual void ResizeSurface(int, int) {}
  // Whether display lists and textures of this context can be used in the other.
  bool SharesWith(const TGLContext* other) const;
  const std::vector<TGLContext*>& SharedContexts() const { return shared_; }
  int OwnedHandleCount() const { return int(handles_.size()); }

 protected:
  virtual void DoCreateContext(void* outputDevice) = 0;
  virtual void DoCreateMemoryContext(void* outputDevice, int width, int height) = 0;
  virtual void DoShareLists(TGLContext* other) = 0;
  virtual void DoDestroyContext() = 0;
  virtual void DoActivate() = 0;
  virtual void DoDeactivate() = 0;
  void SetAcceleration(TGLContextAcceleration a) { acceleration_ = a; }
  // Reads the entry points and flags again when the implementation differs from the last.
  static void RefreshCapabilities();

 private:
  friend class TGLContextHandle;
  template <class T>
  void Alter(T& field, T v);
  void PropagateSharedList();
  // Deactivates fully and returns the depth; ResumeActivation restores it.
  int SuspendActivation();
  void ResumeActivation(int depth);

  int colorBits_ = 32, alphaBits_ = 0, depthBits_ = 0, stencilBits_ = 0, accumBits_ = 0, auxBuffers_ = 0;
  TGLAntiAliasing antiAliasing_ = TGLAntiAliasing::aaDefault;
  std::uint8_t options_ = 0;
  int activationCount_ = 0;
  std::vector<TGLContext*> shared_;
  std::vector<TGLContextHandle*> handles_;
  TGLContextAcceleration acceleration_ = TGLContextAcceleration::chaUnknown;
};

// The context whose activation ran last and is still active, or null.
TGLContext* CurrentGLContext();

// The back-end every new buffer gets: the first registered.
using TGLContextFactory = std::function<std::unique_ptr<TGLContext>()>;
void RegisterGLContextClass(TGLContextFactory factory);
void ClearGLContextClasses();
// Null when no class is registered.
std::unique_ptr<TGLContext> CreateContextInstance();
int GLContextCount();

// Raises EOpenGLError with gluErrorString of the first pending error (and clears the queue).
void CheckGLError();
void ClearGLError();

}  // namespace qx
