#include "scene/viewer/GLSceneViewer.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <algorithm>

#include "scene/viewer/GLQtContext.h"

namespace qx {

QSurfaceFormat SceneViewerFormat() {
  QSurfaceFormat f;
  f.setRenderableType(QSurfaceFormat::OpenGL);
  f.setProfile(QSurfaceFormat::CompatibilityProfile);
  // Asking for 2.1 gets the newest compatibility context; asking for 3.2 may get a core one.
  f.setVersion(2, 1);
  f.setDepthBufferSize(24);
  f.setStencilBufferSize(8);
  f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  return f;
}

TGLSceneViewer::TGLSceneViewer(QWidget* parent)
    : QOpenGLWidget(parent), buffer_(std::make_unique<TGLSceneBuffer>()) {
  setFormat(SceneViewerFormat());
  resize(100, 100);
  setMouseTracking(true);
  // A change of the scene or of the buffer asks for one paint; Qt folds several into one.
  buffer_->OnChange = [this](TObject*) {
    if (!buffer_->Rendering()) update();
  };
  buffer_->OnStructuralChange = [this](TObject*) { update(); };
}

TGLSceneViewer::~TGLSceneViewer() {
  // The buffer releases its names while the widget's context still exists.
  if (context()) makeCurrent();
  buffer_.reset();
  if (context()) doneCurrent();
}

bool TGLSceneViewer::IsCompatibilityProfile() const { return context_ && context_->IsCompatibilityProfile(); }

float TGLSceneViewer::FieldOfView() const {
  if (!Camera()) return 0;
  return Camera()->GetFieldOfView(float(std::min(width(), height())));
}

void TGLSceneViewer::SetFieldOfView(float angle) {
  if (Camera()) Camera()->SetFieldOfView(angle, float(std::min(width(), height())));
}

void TGLSceneViewer::initializeGL() {
  auto ctx = std::make_unique<TGLQtContext>(this);
  context_ = ctx.get();
  ctx->SetPainting(true);
  ctx->CreateContext(this);
  buffer_->SetViewPort(0, 0, std::max(1, width()), std::max(1, height()));
  buffer_->AdoptRenderContext(std::move(ctx));
  context_->SetPainting(false);
}

void TGLSceneViewer::resizeGL(int w, int h) {
  if (!context_) return;
  context_->SetPainting(true);
  buffer_->Resize(w, h);
  context_->SetPainting(false);
}

void TGLSceneViewer::paintGL() {
  if (!context_ || width() <= 0 || height() <= 0) return;
  context_->SetPainting(true);
  try {
    buffer_->Render();
  } catch (...) {
    // A failed frame leaves the last picture; nothing crosses Qt's event handler.
  }
  context_->SetPainting(false);
}

void TGLSceneViewer::mousePressEvent(QMouseEvent* e) {
  if (OnMouseDown) OnMouseDown(e);
}
void TGLSceneViewer::mouseMoveEvent(QMouseEvent* e) {
  if (OnMouseMove) OnMouseMove(e);
}
void TGLSceneViewer::mouseReleaseEvent(QMouseEvent* e) {
  if (OnMouseUp) OnMouseUp(e);
}
void TGLSceneViewer::mouseDoubleClickEvent(QMouseEvent* e) {
  if (OnDblClick) OnDblClick(e);
}
void TGLSceneViewer::wheelEvent(QWheelEvent* e) {
  if (OnMouseWheel) OnMouseWheel(e);
}
void TGLSceneViewer::enterEvent(QEnterEvent*) {
  mouseInside_ = true;
  if (OnMouseEnter) OnMouseEnter();
}
void TGLSceneViewer::leaveEvent(QEvent*) {
  mouseInside_ = false;
  if (OnMouseLeave) OnMouseLeave();
}

}  // namespace qx
