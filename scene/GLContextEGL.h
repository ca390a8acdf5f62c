// The off-screen back-end: EGL on Mesa's surfaceless platform, a pbuffer surface of the
// buffer's size, OpenGL with the compatibility profile. Needs no display. Every context it
// makes shares display lists and textures with one hidden root context of the process.
#pragma once
#include "scene/GLContext.h"

namespace qx {

class TGLEGLContext : public TGLContext {
 public:
  TGLEGLContext() = default;
  ~TGLEGLContext() override;
  bool IsValid() const override { return context_ != nullptr; }
  void SwapBuffers() override {}
  void* RenderOutputDevice() const override { return nullptr; }
  // Makes a new pbuffer of that size (the context and its names stay).
  void ResizeSurface(int width, int height) override;
  int SurfaceWidth() const { return width_; }
  int SurfaceHeight() const { return height_; }

 protected:
  void DoCreateContext(void* outputDevice) override;
  void DoCreateMemoryContext(void* outputDevice, int width, int height) override;
  void DoShareLists(TGLContext* other) override;
  void DoDestroyContext() override;
  void DoActivate() override;
  void DoDeactivate() override;

 private:
  void* context_ = nullptr;
  void* surface_ = nullptr;
  void* config_ = nullptr;
  int width_ = 1, height_ = 1;
};

// Registers the EGL back-end as the context class of new buffers (once).
void RegisterEGLContextClass();
// Whether an off-screen context can be made on this machine.
bool EGLAvailable();

}  // namespace qx
