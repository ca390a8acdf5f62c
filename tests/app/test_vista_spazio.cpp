// The space view in the main window, driven with the mouse and the buttons as a user would:
// hover and its label, picks, orbiting, turning with "Sposta Oggetti", zoom, walls, the
// labels of named points. Under the off-screen platform the view is the scene drawn
// off-screen, so the picks and the pixels are real.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>
#include <cmath>

#include "app/Editori.h"
#include "runstate/DatiGlob.h"
#include "solid/Punto3D.h"
#include "solid/ScenaSpazio.h"
#include "solid/Valore3D.h"
#include "tests/app/Supporto.h"
#include "values/Variabili.h"

namespace qx::test {
namespace {

class VistaSpazio : public ::testing::Test {
 protected:
  void SetUp() override {
    vista = f().findChild<QWidget*>("ScnVista");
    ASSERT_NE(vista, nullptr);
  }
  Tfrm3& f() { return a.f(); }
  // Runs a program; the view is then shown, 400 x 400, and drawn.
  void Esegui(const char* programma) {
    ImpostaTestoEditor(*f().MemoSource, programma);
    Clicca(f(), f().Esegui1);
    vista->setFixedSize(400, 400);
    f().pnlRifCart3D->layout()->activate();
    QCoreApplication::processEvents();
    ASSERT_TRUE(vista->isVisible());
    vista->repaint();
  }
  TGLSceneBuffer& Buffer() { return ScenaSpazio().Vista().Buffer(); }
  QPoint Schermo(const TAffineVector& p) {
    const THomogeneousVector s = Buffer().ProjectPoint(PointMake(p));
    return {int(std::lround(s.X)), Buffer().Height() - int(std::lround(s.Y))};
  }
  cValoreGraf3D& V3(const char* nome) {
    return dynamic_cast<cValoreGraf3D&>(*DatiGlob.ListaVariabili->Cerca(nome)->GetValore());
  }
  // A mouse event with the buttons held during it.
  void Mouse(QEvent::Type tipo, QPoint p, Qt::MouseButton pulsante, Qt::MouseButtons tenuti,
             Qt::KeyboardModifiers tasti = Qt::NoModifier) {
    QMouseEvent e(tipo, QPointF(p), vista->mapToGlobal(QPointF(p)), pulsante, tenuti, tasti);
    QApplication::sendEvent(vista, &e);
  }
  void Trascina(QPoint da, QPoint a, Qt::MouseButton pulsante) {
    Mouse(QEvent::MouseButtonPress, da, pulsante, pulsante);
    Mouse(QEvent::MouseMove, a, Qt::NoButton, pulsante);
    Mouse(QEvent::MouseButtonRelease, a, pulsante, Qt::NoButton);
  }
  QToolButton* Pulsante(const char* nome) { return f().findChild<QToolButton*>(nome); }
  FinestraAperta a;
  QWidget* vista = nullptr;
};

TEST_F(VistaSpazio, HoveringASolidLightsItAndShowsItsDescription) {
  Esegui("RIFCART3D;\nS = SFERA(PUNTO3D(0,0,0), 1);");
  Mouse(QEvent::MouseMove, Schermo({0, 0, 0}), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(f().Label1->text().toStdString(), "Sfera: S");
  EXPECT_NEAR(V3("S").Principale()->Material().FrontProperties().Emission().Color().X, 0.243f, 1e-6f);
  Mouse(QEvent::MouseMove, {3, 3}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(f().Label1->text().toStdString(), "");
  EXPECT_EQ(V3("S").Principale()->Material().FrontProperties().Emission().Color().X, 0.0f);
}

TEST_F(VistaSpazio, TheHoverGoesWhenTheMouseLeavesAndAtNuovo) {
  Esegui("RIFCART3D;\nS = SFERA(PUNTO3D(0,0,0), 1);");
  Mouse(QEvent::MouseMove, Schermo({0, 0, 0}), Qt::NoButton, Qt::NoButton);
  ASSERT_EQ(f().Label1->text().toStdString(), "Sfera: S");
  QEvent fuori(QEvent::Leave);
  QApplication::sendEvent(vista, &fuori);
  EXPECT_EQ(f().Label1->text().toStdString(), "");
  EXPECT_EQ(V3("S").Principale()->Material().FrontProperties().Emission().Color().X, 0.0f);
  Mouse(QEvent::MouseMove, Schermo({0, 0, 0}), Qt::NoButton, Qt::NoButton);
  ASSERT_EQ(f().Label1->text().toStdString(), "Sfera: S");
  f().MemoSource->SetEditorModified(false);
  f().actFileNewExecute();
  EXPECT_EQ(f().Label1->text().toStdString(), "");
}

TEST_F(VistaSpazio, EveryResetMakesTheFrameThePlanesAndShowsTheFloorOnly) {
  // No RIFCART3D: the window's reset has made the space frame and the planes of the walls.
  ImpostaTestoEditor(*f().MemoSource, "C = CUBO(PUNTO3D(0,0,0), 2);\nP = PUNTO3D(1, 2.5, -3);\nSTAMPA(\"ok\");");
  Clicca(f(), f().Esegui1);
  // The first space statement showed the space view by itself.
  EXPECT_TRUE(f().tbSpazio->isChecked());
  EXPECT_FALSE(f().pnlRifCart3D->isHidden());
  EXPECT_EQ(DatiGlob.RigaErrore, -1);
  EXPECT_EQ(f().reoutput->toPlainText().toStdString(), "> ok");
  ASSERT_NE(DatiGlob.RifCart3D, nullptr);
  const TScenaSpazio& s = ScenaSpazio();
  EXPECT_EQ(V3("PIANOXY").Principale(), s._GLCXY);
  EXPECT_EQ(V3("PIANOYZ").Principale(), s._GLCYZ);
  EXPECT_EQ(V3("PIANOXZ").Principale(), s._GLCXZ);
  EXPECT_TRUE(s._GLCXY->Visible());
  EXPECT_FALSE(s._GLCXZ->Visible());
  EXPECT_FALSE(s._GLCYZ->Visible());
  const TColorVector retro = s._GLCXY->Material().BackProperties().Diffuse().Color();
  EXPECT_EQ(retro.X, 1.0f);
  EXPECT_EQ(retro.Y, 0.0f);
  EXPECT_EQ(retro.Z, 0.0f);
  // A space point is listed with its coordinates; the planes are listed in the space view.
  EXPECT_EQ(VociLista(f()), (std::vector<std::string>{"<b><c:Blue>Cubo </b><c:WindowText>C",
                                                      "<b><c:Blue>Piano </b><c:WindowText>PIANOXY",
                                                      "<b><c:Blue>Piano </b><c:WindowText>PIANOXZ",
                                                      "<b><c:Blue>Piano </b><c:WindowText>PIANOYZ",
                                                      "<b><c:Blue>Punto </b><c:WindowText>P = (1,2.5,-3)"}));
  // A wall shown by hand goes at the next run, and RIFCART3D shows no other wall.
  ScenaSpazio()._GLCYZ->SetVisible(true);
  Esegui("RIFCART3D;\nS = SFERA(PUNTO3D(0,0,0), 1);");
  EXPECT_FALSE(s._GLCYZ->Visible());
  EXPECT_FALSE(s._GLCXZ->Visible());
  EXPECT_NE(DatiGlob.ListaVariabili->Cerca("PIANOXY"), nullptr);
}

TEST_F(VistaSpazio, ClickingACubesSideTakesTheCubeAndAGridNothing) {
  Esegui("RIFCART3D;\nC = CUBO(PUNTO3D(0,0,0), 2);");
  const QPoint lato = Schermo({1, 0, 1});
  Mouse(QEvent::MouseButtonPress, lato, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(DatiGlob.OggettoGLScelto, V3("C").Principale()) << "a face climbs to its cube";
  Mouse(QEvent::MouseButtonRelease, lato, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(DatiGlob.OggettoGLScelto, nullptr);
  const THomogeneousVector camera = ScenaSpazio().GLCamera1->Position().AsVector();
  const QPoint griglia = Schermo({4.5f, -4.0f, 0});
  Mouse(QEvent::MouseButtonPress, griglia, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(DatiGlob.OggettoGLScelto, nullptr);
  Mouse(QEvent::MouseButtonRelease, griglia, Qt::LeftButton, Qt::NoButton);
  EXPECT_TRUE(VectorEquals(camera, ScenaSpazio().GLCamera1->Position().AsVector()));
}

TEST_F(VistaSpazio, ARightDragOrbitsTheCameraAndWithSpostaOggettiTurnsASolid) {
  Esegui("RIFCART3D;\nC = CUBO(PUNTO3D(0,0,0), 2);");
  TGLCamera& c = *ScenaSpazio().GLCamera1;
  const THomogeneousVector prima = c.AbsolutePosition();
  Trascina({5, 5}, {45, 25}, Qt::RightButton);
  EXPECT_FALSE(VectorEquals(prima, c.AbsolutePosition()));
  EXPECT_NEAR(VectorLength(c.AbsolutePosition()), VectorLength(prima), 1e-3f);
  EXPECT_TRUE(VectorIsNull(ScenaSpazio().GLDCxCamera->Position().AsAffineVector()));
  vista->repaint();
  f().cbSpostaOggetti->setChecked(true);
  f().MemoSource->SetEditorModified(false);
  const QPoint cubo = Schermo({0, 0, 1});
  const THomogeneousVector camera = c.AbsolutePosition();
  Trascina(cubo, cubo - QPoint(45, 0), Qt::RightButton);
  const TAffineVector alto = V3("C").Principale()->Up().AsAffineVector();
  EXPECT_NEAR(alto.X, -std::sqrt(0.5f), 1e-5f) << "turned by 45 degrees";
  EXPECT_NEAR(alto.Y, std::sqrt(0.5f), 1e-5f);
  EXPECT_TRUE(VectorEquals(camera, c.AbsolutePosition())) << "the camera stays";
  EXPECT_TRUE(f().MemoSource->Modified());
}

TEST_F(VistaSpazio, AfterADragTheListGivesThePointsNewCoordinates) {
  Esegui("RIFCART3D;\nA = PUNTO3D(1,2,3);\nC = CUBO(PUNTO3D(-2,-2,0),1);\nG = GRUPPO3D;\nAGGIUNGI(G, A, C);");
  const auto voceDiA = [&] {
    for (const std::string& v : VociLista(f()))
      if (v.ends_with(">A") || v.find(">A = ") != std::string::npos) return v;
    return std::string();
  };
  const std::string prima = voceDiA();
  ASSERT_EQ(prima, "<b><c:Blue>Punto </b><c:WindowText>A = (1,2,3)");
  f().cbSpostaOggetti->setChecked(true);
  const QPoint cubo = Schermo({-2, -2, 0.5f});
  Mouse(QEvent::MouseButtonPress, cubo, Qt::LeftButton, Qt::LeftButton);
  ASSERT_EQ(DatiGlob.OggettoGLScelto, V3("C").Principale());
  Mouse(QEvent::MouseMove, cubo + QPoint(20, 0), Qt::NoButton, Qt::LeftButton);
  Mouse(QEvent::MouseMove, cubo + QPoint(40, 0), Qt::NoButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, cubo + QPoint(40, 0), Qt::LeftButton, Qt::NoButton);
  // The group carried A along; the list said (1,2,3) until the next statement. It follows
  // shortly after the drag: the events are let through until it has (or a generous bound).
  for (int i = 0; i < 500 && voceDiA() == prima; ++i) QTest::qWait(10);
  const std::string dopo = voceDiA();
  EXPECT_NE(dopo, prima);
  f().AggiornaListaOggetti();
  EXPECT_EQ(voceDiA(), dopo) << "what a new list says of A";
}

TEST_F(VistaSpazio, TheZoomButtonsStopAtATenthAndAtTen) {
  Esegui("RIFCART3D;");
  for (int i = 0; i < 25; ++i) Pulsante("sbZoomm3D")->click();
  EXPECT_NEAR(ScenaSpazio().GLCamera1->SceneScale(), 0.1f, 1e-6f);
  for (int i = 0; i < 120; ++i) Pulsante("sbZoommpD")->click();
  EXPECT_NEAR(ScenaSpazio().GLCamera1->SceneScale(), 10.0f, 1e-5f);
  Pulsante("sbSu3D")->click();
  EXPECT_EQ(ScenaSpazio().GLDCxCamera->Position().Z(), 1.0f);
}

TEST_F(VistaSpazio, UncheckingPianoXYHidesThatWall) {
  Esegui("RIFCART3D;");
  auto* menu = f().findChild<QMenu*>("pmPareti");
  ASSERT_NE(menu, nullptr);
  Pulsante("sb3DMuri")->click();
  ASSERT_TRUE(menu->isVisible());
  const QList<QAction*> voci = menu->actions();
  ASSERT_EQ(voci.size(), 3);
  EXPECT_EQ(voci[0]->text().toStdString(), "Piano XY");
  EXPECT_EQ(voci[2]->text().toStdString(), "PianoYZ");
  // Only the floor shows after a reset: the walls XZ and YZ start unchecked.
  EXPECT_TRUE(voci[0]->isChecked());
  EXPECT_FALSE(voci[1]->isChecked());
  EXPECT_FALSE(voci[2]->isChecked());
  voci[1]->trigger();
  EXPECT_TRUE(ScenaSpazio()._GLCXZ->Visible());
  voci[0]->trigger();
  menu->hide();
  EXPECT_FALSE(ScenaSpazio()._GLCXY->Visible());
  EXPECT_TRUE(ScenaSpazio()._GLCXZ->Visible());
  EXPECT_FALSE(ScenaSpazio()._GLCYZ->Visible());
  const QImage foto = vista->grab().toImage();
  const QPoint p = Schermo({4.5f, -4.5f, 0});
  EXPECT_EQ(foto.pixel(p), qRgb(255, 255, 255)) << "white where the XY wall was";
  Pulsante("sb3DGriglieOff")->click();
  EXPECT_FALSE(ScenaSpazio()._GLXZGrid->Visible());
}

TEST_F(VistaSpazio, ANamedPointsLabelFollowsThePoint) {
  Esegui("RIFCART3D;\nP = PUNTO3D(1,2,3);");
  auto& p = dynamic_cast<cValorePunto3D&>(V3("P"));
  QPoint dove = Schermo({1, 2, 3});
  EXPECT_EQ(p.Etichetta()->Position().X(), float(dove.x()));
  EXPECT_EQ(p.Etichetta()->Position().Y(), float(dove.y() - 20));
  p.SetPosizione({-3, 1, 1});
  vista->repaint();
  dove = Schermo({-3, 1, 1});
  EXPECT_EQ(p.Etichetta()->Position().X(), float(dove.x()));
  EXPECT_EQ(p.Etichetta()->Position().Y(), float(dove.y() - 20));
}

}  // namespace
}  // namespace qx::test
