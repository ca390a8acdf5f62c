#include "scene/GLContextEGL.h"

#include <dlfcn.h>
#include <link.h>

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "scene/base/SceneErrors.h"

// The EGL constants name EGL's own context type, which inside our namespace the exception
// of the same name would hide.
namespace {
const ::EGLContext kNoEglContext = EGL_NO_CONTEXT;
const ::EGLSurface kNoEglSurface = EGL_NO_SURFACE;
const ::EGLDisplay kNoEglDisplay = EGL_NO_DISPLAY;
}  // namespace

namespace qx {

namespace {

struct TEGLProcess {
  EGLDisplay display = kNoEglDisplay;
  ::EGLContext root = kNoEglContext;
  EGLConfig rootConfig = nullptr;
  bool tried = false;
  std::string failure;
};

TEGLProcess& Process() {
  static TEGLProcess p;
  return p;
}

std::string EglError(const char* what) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%s: EGL error 0x%X", what, unsigned(eglGetError()));
  return buf;
}

EGLConfig ChooseConfig(EGLDisplay d, int colorBits, int alphaBits, int depthBits, int stencilBits) {
  const int channel = colorBits >= 24 ? 8 : (colorBits >= 16 ? 5 : 1);
  const EGLint attrs[] = {
      EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_RED_SIZE,   channel,
      EGL_GREEN_SIZE,   channel,         EGL_BLUE_SIZE,       channel,        EGL_ALPHA_SIZE, alphaBits,
      EGL_DEPTH_SIZE,   depthBits,       EGL_STENCIL_SIZE,    stencilBits,    EGL_NONE};
  EGLConfig config = nullptr;
  EGLint n = 0;
  if (!eglChooseConfig(d, attrs, &config, 1, &n) || n < 1) return nullptr;
  return config;
}

const EGLint kContextAttrs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                EGL_NONE};

// Every library stays mapped after the display is closed at exit: the driver's blocks kept for
// the whole process are still attributed to it by name (the sanitizer run suppresses exactly
// those), and no thread's TLS is left pointing into an unloaded library, which the leak
// checker's stop of the world reads.
int KeepMapped(dl_phdr_info* info, size_t, void*) {
  if (info->dlpi_name && *info->dlpi_name) dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  return 0;
}

// At exit the display is given back to the driver, which joins the rendering threads that it
// started for it: threads left parked until the process ends are what a leak checker's stop of
// the world has to walk through, and they may still be starting or ending when it does. A
// context that outlives this is destroyed against no display, which EGL refuses harmlessly.
void CloseProcess() {
  TEGLProcess& p = Process();
  if (p.display == kNoEglDisplay) return;
  dl_iterate_phdr(KeepMapped, nullptr);
  eglMakeCurrent(p.display, kNoEglSurface, kNoEglSurface, kNoEglContext);
  if (p.root != kNoEglContext) eglDestroyContext(p.display, p.root);
  eglTerminate(p.display);
  eglReleaseThread();
  p.root = kNoEglContext;
  p.display = kNoEglDisplay;
  p.failure = "EGL was closed at the end of the process";
}

// The display and the root of the one share group, made on first need.
bool EnsureProcess() {
  TEGLProcess& p = Process();
  if (p.tried) return p.root != kNoEglContext;
  p.tried = true;
  auto getDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getDisplay) {
    p.failure = "EGL platform displays are not available";
    return false;
  }
  p.display = getDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  EGLint major = 0, minor = 0;
  if (p.display == kNoEglDisplay || !eglInitialize(p.display, &major, &minor)) {
    p.failure = EglError("eglInitialize");
    return false;
  }
  if (!eglBindAPI(EGL_OPENGL_API)) {
    p.failure = EglError("eglBindAPI");
    return false;
  }
  p.rootConfig = ChooseConfig(p.display, 24, 8, 24, 8);
  if (!p.rootConfig) p.rootConfig = ChooseConfig(p.display, 24, 0, 16, 0);
  if (!p.rootConfig) {
    p.failure = "No EGL configuration for off-screen OpenGL";
    return false;
  }
  p.root = eglCreateContext(p.display, p.rootConfig, kNoEglContext, kContextAttrs);
  if (p.root == kNoEglContext) p.failure = EglError("eglCreateContext");
  std::atexit(CloseProcess);
  return p.root != kNoEglContext;
}

void* ProcAddress(const char* name) { return reinterpret_cast<void*>(eglGetProcAddress(name)); }

}  // namespace

bool EGLAvailable() { return EnsureProcess(); }

void RegisterEGLContextClass() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterGLContextClass([] { return std::make_unique<TGLEGLContext>(); });
}

TGLEGLContext::~TGLEGLContext() {
  try {
    DestroyContext();
  } catch (...) {
  }
}

void TGLEGLContext::DoCreateContext(void* outputDevice) { DoCreateMemoryContext(outputDevice, 1, 1); }

void TGLEGLContext::DoCreateMemoryContext(void*, int width, int height) {
  if (!EnsureProcess()) throw EGLContext(Process().failure);
  TEGLProcess& p = Process();
  EGLConfig config = ChooseConfig(p.display, ColorBits(), AlphaBits(), DepthBits(), StencilBits());
  // Fewer depth bits, then fewer colour bits, before giving up.
  if (!config && DepthBits() > 16)
    config = ChooseConfig(p.display, ColorBits(), AlphaBits(), 16, StencilBits());
  if (!config) config = ChooseConfig(p.display, 16, 0, 16, 0);
  if (!config) throw EGLContext("No pixel format for the requested buffer");
  config_ = config;
  width_ = width < 1 ? 1 : width;
  height_ = height < 1 ? 1 : height;
  const EGLint sattrs[] = {EGL_WIDTH, width_, EGL_HEIGHT, height_, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(p.display, config, sattrs);
  if (surface == kNoEglSurface) throw EGLContext(EglError("Unable to create pbuffer."));
  ::EGLContext ctx = eglCreateContext(p.display, config, p.root, kContextAttrs);
  if (ctx == kNoEglContext) {
    eglDestroySurface(p.display, surface);
    throw EGLContext(EglError("Unable to create pbuffer's RC."));
  }
  surface_ = surface;
  context_ = ctx;
  SetAcceleration(TGLContextAcceleration::chaSoftware);
}

void TGLEGLContext::ResizeSurface(int width, int height) {
  if (!IsValid()) return;
  width = width < 1 ? 1 : width;
  height = height < 1 ? 1 : height;
  if (width == width_ && height == height_) return;
  TEGLProcess& p = Process();
  const EGLint sattrs[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(p.display, static_cast<EGLConfig>(config_), sattrs);
  if (surface == kNoEglSurface) throw EGLContext(EglError("Unable to create pbuffer."));
  const bool active = Active() && CurrentGLContext() == this;
  if (active) eglMakeCurrent(p.display, surface, surface, static_cast< ::EGLContext>(context_));
  eglDestroySurface(p.display, static_cast<EGLSurface>(surface_));
  surface_ = surface;
  width_ = width;
  height_ = height;
}

void TGLEGLContext::DoShareLists(TGLContext* other) {
  // Every context of this back-end already shares with the process root.
  if (!dynamic_cast<TGLEGLContext*>(other)) throw EGLContext("Incompatible contexts");
}

void TGLEGLContext::DoDestroyContext() {
  TEGLProcess& p = Process();
  if (context_) eglDestroyContext(p.display, static_cast< ::EGLContext>(context_));
  if (surface_) eglDestroySurface(p.display, static_cast<EGLSurface>(surface_));
  context_ = nullptr;
  surface_ = nullptr;
}

void TGLEGLContext::DoActivate() {
  TEGLProcess& p = Process();
  if (!eglMakeCurrent(p.display, static_cast<EGLSurface>(surface_), static_cast<EGLSurface>(surface_),
                      static_cast< ::EGLContext>(context_)))
    throw EGLContext(EglError("Context activation failed"));
  SetGLProcAddressFunction(ProcAddress);
  RefreshCapabilities();
}

void TGLEGLContext::DoDeactivate() {
  if (!eglMakeCurrent(Process().display, kNoEglSurface, kNoEglSurface, kNoEglContext))
    throw EGLContext("Context deactivation failed");
}

}  // namespace qx
