// The space view of the real window on a real X server (the one xvfb-run starts), through
// its OpenGL viewer: a red sphere at the origin is at the centre of the view, a hover over it
// names it, and a click on it takes it. The picture is saved under the build folder for a
// person to look at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QTest>
#include <cmath>
#include <cstdlib>

#include "app/Editori.h"
#include "runstate/DatiGlob.h"
#include "scene/viewer/GLSceneViewer.h"
#include "solid/ScenaSpazio.h"
#include "solid/Valore3D.h"
#include "tests/app/Supporto.h"
#include "values/Variabili.h"

namespace qx::test {
namespace {

TEST(VistaSpazioX, TheViewerDrawsAndPicksTheSphere) {
  Applicazione();
  if (!ServerX()) GTEST_SKIP() << "needs an X server (scripts/test.sh runs this under xvfb-run)";
  FinestraAperta a;
  Tfrm3& f = a.f();
  f.setWindowState(Qt::WindowNoState);
  f.resize(1024, 740);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  ImpostaTestoEditor(*f.MemoSource, "RIFCART3D;\nCOLORERIEMPIMENTO(255, 0, 0);\nS = SFERA(PUNTO3D(0,0,0), 1);");
  Clicca(f, f.Esegui1);
  auto* viewer = f.findChild<TGLSceneViewer*>("ScnVista");
  ASSERT_NE(viewer, nullptr) << "an OpenGL viewer on a real display";
  viewer->setFixedSize(400, 400);
  f.pnlRifCart3D->layout()->activate();
  QCoreApplication::processEvents();
  const QImage foto = viewer->grabFramebuffer();
  const std::string percorso = std::string(QUORIX_CARTELLA_BUILD) + "/vista_spazio.png";
  EXPECT_TRUE(foto.save(QString::fromStdString(percorso))) << percorso;
  ASSERT_EQ(foto.size(), QSize(400, 400));
  const QRgb centro = foto.pixel(200, 200);
  EXPECT_GT(qRed(centro), 150);
  EXPECT_LT(qGreen(centro), 60);
  EXPECT_EQ(foto.pixel(3, 3), qRgb(255, 255, 255));

  auto evento = [&](QEvent::Type tipo, Qt::MouseButton p, Qt::MouseButtons tenuti) {
    QMouseEvent e(tipo, QPointF(200, 200), viewer->mapToGlobal(QPointF(200, 200)), p, tenuti, Qt::NoModifier);
    QApplication::sendEvent(viewer, &e);
  };
  evento(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(f.Label1->text().toStdString(), "Sfera: S");
  evento(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
  auto* s = dynamic_cast<cValoreGraf3D*>(DatiGlob.ListaVariabili->Cerca("S")->GetValore());
  EXPECT_EQ(DatiGlob.OggettoGLScelto, s->Principale());
  evento(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);

  // The worksheet's picture is the viewer's own frame: an off-screen context of its own
  // beside the window failed to start, and no worksheet was made.
  const TBitmap scheda = f.FotografiaVista3D();
  ASSERT_EQ(scheda.Width(), 400);
  ASSERT_EQ(scheda.Height(), 400);
  EXPECT_GT((scheda.Pixel(200, 200) >> 16) & 0xFF, 150u) << "the red sphere in the middle";
}

}  // namespace
}  // namespace qx::test
