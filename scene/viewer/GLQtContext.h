// The rendering context of the viewer widget: Qt's context of a QOpenGLWidget, activated by
// making the widget current (which binds its frame buffer). Every widget context of the
// application shares names with Qt's global share context when the application is made
// with Qt::AA_ShareOpenGLContexts (the main window does so).
#pragma once
#include "scene/GLContext.h"

class QOpenGLWidget;

namespace qx {

class TGLQtContext : public TGLContext {
 public:
  explicit TGLQtContext(QOpenGLWidget* widget) : widget_(widget) {}
  ~TGLQtContext() override;
  bool IsValid() const override;
  // The widget swaps its own buffers after painting.
  void SwapBuffers() override {}
  void* RenderOutputDevice() const override { return widget_; }
  // While the widget paints, deactivation leaves Qt's context current for Qt.
  void SetPainting(bool on) { painting_ = on; }
  // Whether the context is the compatibility profile that OpenGL 1.1 calls need.
  bool IsCompatibilityProfile() const;

 protected:
  void DoCreateContext(void* outputDevice) override;
  void DoCreateMemoryContext(void* outputDevice, int width, int height) override;
  void DoShareLists(TGLContext* other) override;
  void DoDestroyContext() override;
  void DoActivate() override;
  void DoDeactivate() override;

 private:
  bool WidgetReady() const;
  QOpenGLWidget* widget_;
  bool painting_ = false, created_ = false;
};

}  // namespace qx
