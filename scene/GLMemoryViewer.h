// Viewers without a window: TGLMemoryViewer renders its scene into an off-screen context
// made at its first Render (the EGL back-end), for tests, snapshots and benchmarks.
#pragma once
#include <memory>

#include "scene/GLScene.h"

namespace qx {

class TGLNonVisualViewer : public TComponent {
 public:
  explicit TGLNonVisualViewer(TComponent* owner = nullptr);
  ~TGLNonVisualViewer() override;
  TGLSceneBuffer& Buffer() { return *buffer_; }
  TGLCamera* Camera() const { return buffer_->Camera(); }
  void SetCamera(TGLCamera* c) { buffer_->SetCamera(c); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // At least 1.
  void SetWidth(int w);
  void SetHeight(int h);
  virtual void Render() = 0;
  // The whole last frame into the texture.
  void CopyToTexture(TGLTexture& texture) { buffer_->CopyToTexture(texture, 0, 0, width_, height_, 0, 0); }

 protected:
  std::unique_ptr<TGLSceneBuffer> buffer_;
  int width_ = 256, height_ = 256;
};

class TGLMemoryViewer : public TGLNonVisualViewer {
 public:
  using TGLNonVisualViewer::TGLNonVisualViewer;
  std::string ClassName() const override { return "TGLMemoryViewer"; }
  // Makes the off-screen context on first use (the registered back-end, EGL by default).
  void Render() override;
  // Renders only that subtree.
  void Render(TGLBaseSceneObject* baseObject);
};

}  // namespace qx
