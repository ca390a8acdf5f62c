#include "scene/GLMemoryViewer.h"

#include <algorithm>

#include "scene/GLContextEGL.h"

namespace qx {

TGLNonVisualViewer::TGLNonVisualViewer(TComponent* owner)
    : TComponent(owner), buffer_(std::make_unique<TGLSceneBuffer>(this)) {
  buffer_->SetViewPort(0, 0, width_, height_);
  // A change of the context settings needs a new context at the next render.
  buffer_->OnStructuralChange = [this](TObject*) { buffer_->ReleaseRenderContext(); };
  buffer_->OnPrepareGLContext = [](TObject*) {};
}

TGLNonVisualViewer::~TGLNonVisualViewer() { buffer_.reset(); }

void TGLNonVisualViewer::SetWidth(int w) {
  width_ = std::max(1, w);
  buffer_->Resize(width_, height_);
}
void TGLNonVisualViewer::SetHeight(int h) {
  height_ = std::max(1, h);
  buffer_->Resize(width_, height_);
}

void TGLMemoryViewer::Render() { Render(nullptr); }

void TGLMemoryViewer::Render(TGLBaseSceneObject* baseObject) {
  if (!buffer_->RenderingContext()) {
    RegisterEGLContextClass();
    buffer_->SetViewPort(0, 0, width_, height_);
    buffer_->CreateRenderContext(nullptr, true);
  }
  buffer_->RenderFrame(baseObject);
}

}  // namespace qx
