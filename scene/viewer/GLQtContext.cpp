#include "scene/viewer/GLQtContext.h"

#include <QOpenGLContext>
#include <QOpenGLWidget>

#include "scene/base/SceneErrors.h"

namespace qx {

namespace {
void* QtProcAddress(const char* name) {
  QOpenGLContext* c = QOpenGLContext::currentContext();
  return c ? reinterpret_cast<void*>(c->getProcAddress(name)) : nullptr;
}
}  // namespace

TGLQtContext::~TGLQtContext() {
  try {
    DestroyContext();
  } catch (...) {
  }
}

bool TGLQtContext::IsValid() const { return created_ && WidgetReady(); }

bool TGLQtContext::WidgetReady() const {
  return widget_ && widget_->context() && widget_->context()->isValid();
}

bool TGLQtContext::IsCompatibilityProfile() const {
  return IsValid() && widget_->context()->format().profile() != QSurfaceFormat::CoreProfile;
}

void TGLQtContext::DoCreateContext(void*) {
  if (!WidgetReady()) throw EGLContext("Context not created");
  created_ = true;
  SetAcceleration(TGLContextAcceleration::chaHardware);
}

void TGLQtContext::DoCreateMemoryContext(void*, int, int) {
  throw EGLContext("A window context has no memory form");
}

void TGLQtContext::DoShareLists(TGLContext* other) {
  auto* q = dynamic_cast<TGLQtContext*>(other);
  if (!q || !q->IsValid() || !IsValid() ||
      !QOpenGLContext::areSharing(widget_->context(), q->widget_->context()))
    throw EGLContext("Incompatible contexts");
}

void TGLQtContext::DoDestroyContext() {
  created_ = false;
  widget_ = nullptr;
}

void TGLQtContext::DoActivate() {
  widget_->makeCurrent();
  if (QOpenGLContext::currentContext() != widget_->context()) throw EGLContext("Context activation failed");
  SetGLProcAddressFunction(QtProcAddress);
  RefreshCapabilities();
}

void TGLQtContext::DoDeactivate() {
  if (!painting_ && widget_) widget_->doneCurrent();
}

}  // namespace qx
