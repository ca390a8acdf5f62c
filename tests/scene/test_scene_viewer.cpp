// The viewer widget on a real X server (xvfb): its context, its picture and its repaints.
// The pictures are saved beside the test program for a person to look at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QOpenGLContext>
#include <QTest>

#include "scene/GLObjects.h"
#include "scene/viewer/GLSceneViewer.h"

namespace qx {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "test_scene_viewer";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return new QApplication(argc, argv);
  }();
  return *app;
}

class SceneViewer : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    scene = std::make_unique<TGLScene>();
    target = scene->Objects()->AddNewChild<TGLDummyCube>();
    camera = scene->Cameras()->AddNewChild<TGLCamera>();
    camera->Position().SetAsVector({0, 0, 10, 1});
    camera->SetTargetObject(target);
    sphere = scene->Objects()->AddNewChild<TGLSphere>();
    sphere->SetRadius(1);
    sphere->Material().FrontProperties().Diffuse().SetAsWinColor(clRed);
    viewer = std::make_unique<TGLSceneViewer>();
    viewer->resize(256, 256);
    viewer->SetCamera(camera);
    viewer->Buffer().SetBackgroundColor(clWhite);
    viewer->Buffer().SetLighting(false);
    viewer->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer.get()));
  }
  void TearDown() override {
    viewer.reset();
    scene.reset();
  }
  // Lets the posted paints through.
  void Settle() {
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  std::unique_ptr<TGLScene> scene;
  TGLDummyCube* target = nullptr;
  TGLCamera* camera = nullptr;
  TGLSphere* sphere = nullptr;
  std::unique_ptr<TGLSceneViewer> viewer;
};

TEST_F(SceneViewer, CompatibilityProfileAndTheRedSphere) {
  EXPECT_TRUE(viewer->IsCompatibilityProfile());
  EXPECT_NE(viewer->context()->format().profile(), QSurfaceFormat::CoreProfile);
  const QImage grab = viewer->grabFramebuffer();
  grab.save(QString(QUORIX_TEST_OUTPUT_DIR) + "/scene_viewer_sphere.png");
  ASSERT_EQ(grab.width(), 256);
  const QColor centre = grab.pixelColor(128, 128), corner = grab.pixelColor(5, 5);
  EXPECT_GE(centre.red(), 253);
  EXPECT_LE(centre.green(), 2);
  EXPECT_LE(centre.blue(), 2);
  EXPECT_GE(corner.green(), 253);
  // Picking works from the widget's own context, outside a paint.
  EXPECT_EQ(viewer->Buffer().GetPickedObject(128, 128), sphere);
  EXPECT_EQ(viewer->Buffer().GetPickedObject(5, 5), nullptr);
  EXPECT_GT(viewer->FieldOfView(), 0);
}

TEST_F(SceneViewer, AChangeSchedulesOneRepaint) {
  Settle();
  const int before = viewer->Buffer().FrameCount();
  Settle();
  EXPECT_EQ(viewer->Buffer().FrameCount(), before) << "nothing renders on its own";
  sphere->SetRadius(2);
  sphere->Material().FrontProperties().Diffuse().SetAsWinColor(clBlue);
  camera->SetSceneScale(1.5f);
  Settle();
  EXPECT_EQ(viewer->Buffer().FrameCount(), before + 1);
  const QImage grab = viewer->grabFramebuffer();
  grab.save(QString(QUORIX_TEST_OUTPUT_DIR) + "/scene_viewer_changed.png");
  EXPECT_GE(grab.pixelColor(128 + 60, 128).blue(), 253) << "the larger blue sphere";
}

}  // namespace
}  // namespace qx
