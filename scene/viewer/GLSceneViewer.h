// The window control through which the main window shows the 3D scene: a QOpenGLWidget with
// a compatibility-profile context that owns a scene buffer, renders it when painted, and
// hands the mouse to the window's handlers. A change of the scene schedules one repaint;
// nothing renders on a timer.
#pragma once
#include <QOpenGLWidget>
#include <functional>
#include <memory>

#include "scene/GLScene.h"

namespace qx {

enum class TVSyncMode : std::uint8_t { vsmSync, vsmNoSync };

class TGLQtContext;

class TGLSceneViewer : public QOpenGLWidget {
 public:
  explicit TGLSceneViewer(QWidget* parent = nullptr);
  ~TGLSceneViewer() override;

  TGLSceneBuffer& Buffer() { return *buffer_; }
  TGLCamera* Camera() const { return buffer_->Camera(); }
  void SetCamera(TGLCamera* c) { buffer_->SetCamera(c); }
  // With a camera: its field of view over the smaller of width and height; 0 without one
  // (setting it is then ignored).
  float FieldOfView() const;
  void SetFieldOfView(float angle);
  // Kept for stored forms; the swap interval is left to the platform.
  TVSyncMode VSync = TVSyncMode::vsmNoSync;
  bool MouseInside() const { return mouseInside_; }
  bool IsCompatibilityProfile() const;

  std::function<void(QMouseEvent*)> OnMouseDown, OnMouseMove, OnMouseUp, OnDblClick;
  std::function<void(QWheelEvent*)> OnMouseWheel;
  std::function<void()> OnMouseEnter, OnMouseLeave;

 protected:
  void initializeGL() override;
  void resizeGL(int w, int h) override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  std::unique_ptr<TGLSceneBuffer> buffer_;
  TGLQtContext* context_ = nullptr;
  bool mouseInside_ = false;
};

// The surface format the viewer asks for: OpenGL with the compatibility profile, depth 24,
// stencil 8, double buffered.
QSurfaceFormat SceneViewerFormat();

}  // namespace qx
