#include "scene/GLContext.h"

#include <algorithm>

#include "scene/base/SceneErrors.h"

namespace qx {

namespace {
TGLContext* current = nullptr;
std::vector<TGLContext*>& AllContexts() {
  static std::vector<TGLContext*> all;
  return all;
}
std::vector<TGLContextFactory>& ContextClasses() {
  static std::vector<TGLContextFactory> classes;
  return classes;
}
}  // namespace

TGLContext* CurrentGLContext() { return current; }

void RegisterGLContextClass(TGLContextFactory factory) { ContextClasses().push_back(std::move(factory)); }
void ClearGLContextClasses() { ContextClasses().clear(); }
std::unique_ptr<TGLContext> CreateContextInstance() {
  if (ContextClasses().empty()) return nullptr;
  return ContextClasses().front()();
}
int GLContextCount() { return int(AllContexts().size()); }

void ClearGLError() {
  for (int i = 0; i < 7 && glGetError() != GL_NO_ERROR; ++i) {
  }
}

void CheckGLError() {
  const GLenum err = glGetError();
  if (err == GL_NO_ERROR) return;
  for (int i = 0; i < 6 && glGetError() != GL_NO_ERROR; ++i) {
  }
  const GLubyte* text = gluErrorString(err);
  throw EOpenGLError(text ? reinterpret_cast<const char*>(text) : "OpenGL error");
}

// ---- Handles ----
// By now the concrete handle is gone: only the owner's list is tidied.
TGLContextHandle::~TGLContextHandle() {
  if (context_) {
    auto& hs = context_->handles_;
    hs.erase(std::remove(hs.begin(), hs.end(), this), hs.end());
  }
}

void TGLContextHandle::DestroyQuietly() noexcept {
  try {
    DestroyHandle();
  } catch (...) {
    // The name is then left to its context's end.
  }
}

void TGLContextHandle::AllocateHandle() {
  Require(handle_ == 0);
  Require(current != nullptr);
  handle_ = DoAllocateHandle();
  if (handle_ != 0) {
    context_ = current;
    current->handles_.push_back(this);
  }
}

void TGLContextHandle::DestroyHandle() {
  if (handle_ == 0) return;
  TGLContext* owner = context_;
  if (owner) {
    auto& hs = owner->handles_;
    hs.erase(std::remove(hs.begin(), hs.end(), this), hs.end());
  }
  if (owner && owner->IsValid()) {
    if (current == owner || (current && owner->SharesWith(current))) {
      ClearGLError();
      DoDestroyHandle();
      ClearGLError();
    } else {
      TGLContext* previous = current;
      const int depth = previous ? previous->SuspendActivation() : 0;
      owner->Activate();
      ClearGLError();
      DoDestroyHandle();
      ClearGLError();
      owner->Deactivate();
      if (previous) previous->ResumeActivation(depth);
    }
  }
  handle_ = 0;
  context_ = nullptr;
}

GLuint TGLListHandle::DoAllocateHandle() { return glGenLists(1); }
void TGLListHandle::DoDestroyHandle() { glDeleteLists(Handle(), 1); }
GLuint TGLTextureHandle::DoAllocateHandle() {
  GLuint t = 0;
  glGenTextures(1, &t);
  return t;
}
void TGLTextureHandle::DoDestroyHandle() {
  glGetError();
  const GLuint t = Handle();
  if (glIsTexture(t)) glDeleteTextures(1, &t);
}
GLuint TGLVirtualHandle::DoAllocateHandle() {
  GLuint h = 0;
  if (OnAllocate) OnAllocate(*this, h);
  return h;
}
void TGLVirtualHandle::DoDestroyHandle() {
  GLuint h = Handle();
  if (OnDestroy) OnDestroy(*this, h);
}

// ---- Context ----
TGLContext::TGLContext() { AllContexts().push_back(this); }

TGLContext::~TGLContext() {
  auto& all = AllContexts();
  all.erase(std::remove(all.begin(), all.end(), this), all.end());
  if (current == this) current = nullptr;
}

template <class T>
void TGLContext::Alter(T& field, T v) {
  if (Active()) throw EGLContext("Cannot alter an active context");
  field = v;
}
template void TGLContext::Alter<int>(int&, int);
template void TGLContext::Alter<TGLAntiAliasing>(TGLAntiAliasing&, TGLAntiAliasing);
template void TGLContext::Alter<std::uint8_t>(std::uint8_t&, std::uint8_t);

void TGLContext::CreateContext(void* outputDevice) {
  if (IsValid()) throw EGLContext("Context already created");
  acceleration_ = TGLContextAcceleration::chaUnknown;
  DoCreateContext(outputDevice);
  shared_ = {this};
}

void TGLContext::CreateMemoryContext(void* outputDevice, int width, int height) {
  if (IsValid()) throw EGLContext("Context already created");
  acceleration_ = TGLContextAcceleration::chaUnknown;
  DoCreateMemoryContext(outputDevice, width, height);
  shared_ = {this};
}

bool TGLContext::SharesWith(const TGLContext* other) const {
  return std::find(shared_.begin(), shared_.end(), other) != shared_.end();
}

void TGLContext::PropagateSharedList() {
  for (TGLContext* c : shared_) c->shared_ = shared_;
}

// The two groups become one: every member of either ends with the same list.
void TGLContext::ShareLists(TGLContext* other) {
  if (!IsValid()) throw EGLContext("Context not created");
  if (!other || SharesWith(other)) return;
  DoShareLists(other);
  std::vector<TGLContext*> merged = shared_;
  for (TGLContext* c : other->shared_.empty() ? std::vector<TGLContext*>{other} : other->shared_)
    if (std::find(merged.begin(), merged.end(), c) == merged.end()) merged.push_back(c);
  shared_ = merged;
  PropagateSharedList();
}

void TGLContext::Activate() {
  if (activationCount_ == 0) {
    if (!IsValid()) throw EGLContext("Context not created");
    DoActivate();
    current = this;
  } else {
    Require(current == this);
  }
  ++activationCount_;
}

void TGLContext::Deactivate() {
  Require(current == this || activationCount_ <= 0);
  --activationCount_;
  if (activationCount_ > 0) return;
  if (activationCount_ < 0) {
    activationCount_ = 0;
    throw EGLContext("Unbalanced context activations");
  }
  if (!IsValid()) throw EGLContext("Context not created");
  DoDeactivate();
  current = nullptr;
}

void TGLContext::SetActive(bool on) {
  while (Active() != on) {
    if (on)
      Activate();
    else
      Deactivate();
  }
}

void TGLContext::DestroyContext() {
  if (!IsValid()) return;
  // Work in this context: remember whatever else was current.
  TGLContext* previous = (current && current != this) ? current : nullptr;
  const int previousDepth = previous ? previous->SuspendActivation() : 0;
  Activate();
  TGLContext* heir = nullptr;
  for (TGLContext* c : shared_)
    if (c != this) {
      heir = c;
      break;
    }
  for (auto it = handles_.rbegin(); it != handles_.rend(); ++it) {
    TGLContextHandle* h = *it;
    if (heir && h->Transferable()) {
      heir->handles_.push_back(h);
      h->context_ = heir;
    } else {
      ClearGLError();
      h->DoDestroyHandle();
      ClearGLError();
      h->handle_ = 0;
      h->context_ = nullptr;
    }
  }
  handles_.clear();
  shared_.erase(std::remove(shared_.begin(), shared_.end(), this), shared_.end());
  for (TGLContext* c : shared_) c->shared_ = shared_;
  shared_.clear();
  activationCount_ = 1;
  DoDeactivate();
  current = nullptr;
  activationCount_ = 0;
  DoDestroyContext();
  if (previous) previous->ResumeActivation(previousDepth);
  acceleration_ = TGLContextAcceleration::chaUnknown;
}

int TGLContext::SuspendActivation() {
  const int depth = activationCount_;
  if (depth > 0) {
    activationCount_ = 1;
    Deactivate();
  }
  return depth;
}

void TGLContext::ResumeActivation(int depth) {
  if (depth <= 0) return;
  Activate();
  activationCount_ = depth;
}

void TGLContext::RefreshCapabilities() {
  static std::string lastVendor;
  const GLubyte* v = glGetString(GL_VENDOR);
  const GLubyte* r = glGetString(GL_RENDERER);
  const std::string vendor = std::string(v ? (const char*)v : "") + "/" + (r ? (const char*)r : "");
  if (vendor == lastVendor) return;
  lastVendor = vendor;
  LoadGLExtensionEntries();
  ReadGLCapabilities();
}

}  // namespace qx
