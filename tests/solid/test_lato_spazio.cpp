// The space view's handling of the mouse and its buttons, driven off-screen: picks, the
// hover highlight and label, orbiting, moving and turning values, zoom, walls, labels, and
// the placing of new values with the mouse while a statement waits.
#include <memory>

#include "runstate/ParoleChiave.h"
#include "solid/LatoSpazio.h"
#include "solid/Piano3D.h"
#include "solid/Punto3D.h"
#include "solid/Rotondi3D.h"
#include "tests/solid/Spazio.h"

namespace qx::test {
namespace {

class LatoSpazio : public Spazio {
 protected:
  // Runs the program, draws the view once (the picks need a frame) and makes the view's side.
  void Prepara(const std::string& programma) {
    ASSERT_EQ(Esegui(programma), "<ok>");
    Fotografa();
    lato = std::make_unique<TLatoSpazio>(scena, Buffer());
    lato->Modificato = [this] { ++modifiche; };
  }
  TGLSceneBuffer& Buffer() { return scena.Vista().Buffer(); }
  // The pixel (from the top) where a point of space is drawn.
  TPoint Schermo(const TAffineVector& p) {
    const THomogeneousVector s = Buffer().ProjectPoint(PointMake(p));
    return {int(std::lround(s.X)), Buffer().Height() - int(std::lround(s.Y))};
  }
  static TTastiMouse Sinistro(bool shift = false) {
    TTastiMouse t;
    t.Sinistro = true;
    t.Shift = shift;
    return t;
  }
  static TTastiMouse Destro() {
    TTastiMouse t;
    t.Destro = true;
    return t;
  }
  void Clic(TPoint p, TTastiMouse t = Sinistro()) {
    lato->MouseDown(p.x, p.y, t, t.Sinistro);
    lato->MouseUp(p.x, p.y, t.Sinistro);
  }
  std::unique_ptr<TLatoSpazio> lato;
  int modifiche = 0;
};

TEST_F(LatoSpazio, AClickTakesTheValueUnderItAndNeverAWallOrAnArrow) {
  Prepara("RIFCART3D;\nS = SFERA(PUNTO3D(0,0,0), 1);");
  const TPoint centro = Schermo({0, 0, 0});
  lato->MouseDown(centro.x, centro.y, Sinistro(), true);
  EXPECT_EQ(DatiGlob.OggettoGLScelto, V3("S").Principale());
  EXPECT_TRUE(DatiGlob.bMouseCatturato);
  lato->MouseUp(centro.x, centro.y, true);
  EXPECT_EQ(DatiGlob.OggettoGLScelto, nullptr);
  EXPECT_FALSE(DatiGlob.bMouseCatturato);
  // A wall alone under the mouse.
  const TPoint parete = Schermo({4, 4, 0});
  lato->MouseDown(parete.x, parete.y, Sinistro(), true);
  EXPECT_EQ(DatiGlob.OggettoGLScelto, nullptr);
  lato->MouseUp(parete.x, parete.y, true);
}

TEST_F(LatoSpazio, HoveringLightsTheValueAndShowsItsDescription) {
  Prepara("RIFCART3D;\nS = SFERA(PUNTO3D(0,0,0), 1);");
  const TPoint centro = Schermo({0, 0, 0});
  lato->MouseMove(centro.x, centro.y, {});
  EXPECT_EQ(lato->Label1(), "Sfera: S");
  const TColorVector e = V3("S").Principale()->Material().FrontProperties().Emission().Color();
  EXPECT_NEAR(e.X, 0.243f, 1e-6f);
  Fotografa();
  const TRgb acceso = Pixel(centro.x, centro.y);
  const TPoint fuori = Schermo({4.5f, -4.5f, 0});  // a wall between grid lines
  lato->MouseMove(fuori.x, fuori.y, {});
  EXPECT_EQ(lato->Label1(), "");
  EXPECT_EQ(V3("S").Principale()->Material().FrontProperties().Emission().Color().X, 0.0f);
  EXPECT_EQ(lato->Evidenziato(), nullptr);
  Fotografa();
  const TRgb spento = Pixel(centro.x, centro.y);
  EXPECT_GT(acceso.r, spento.r) << acceso << " " << spento;
  // The lit value goes: the view forgets it.
  lato->MouseMove(centro.x, centro.y, {});
  ASSERT_EQ(Comando("CANCELLA(S);"), "<ok>");
  EXPECT_EQ(lato->Evidenziato(), nullptr);
  lato->MouseMove(fuori.x, fuori.y, {});
}

TEST_F(LatoSpazio, ARightDragOnEmptySpaceOrbitsTheCameraAroundItsTarget) {
  Prepara("RIFCART3D;");
  TGLCamera& c = *scena.GLCamera1;
  const THomogeneousVector prima = c.AbsolutePosition();
  const TPoint vuoto{5, 5};
  lato->MouseDown(vuoto.x, vuoto.y, Destro(), false);
  lato->MouseMove(vuoto.x + 30, vuoto.y + 10, Destro());
  lato->MouseUp(vuoto.x + 30, vuoto.y + 10, false);
  const THomogeneousVector dopo = c.AbsolutePosition();
  EXPECT_FALSE(VectorEquals(prima, dopo));
  EXPECT_NEAR(VectorLength(dopo), VectorLength(prima), 1e-3f) << "the same distance from the target";
  EXPECT_TRUE(VectorIsNull(scena.GLDCxCamera->Position().AsAffineVector())) << "the target stays";
  EXPECT_EQ(modifiche, 0);
}

TEST_F(LatoSpazio, SpostaOggettiMovesAndTurnsTheValueUnderTheMouse) {
  Prepara("RIFCART3D;\nS = SFERA(PUNTO3D(0,0,0), 1);");
  const TPoint centro = Schermo({0, 0, 0});
  // Without the check a drag moves nothing.
  lato->MouseDown(centro.x, centro.y, Sinistro(), true);
  lato->MouseMove(centro.x + 20, centro.y, Sinistro());
  lato->MouseUp(centro.x + 20, centro.y, true);
  EXPECT_TRUE(Circa(Dove("S"), 0, 0, 0));
  lato->SpostaOggetti = true;
  lato->MouseDown(centro.x, centro.y, Sinistro(), true);
  const TPoint meta = Schermo({2, 1, 0});
  lato->MouseMove(meta.x, meta.y, Sinistro());
  lato->MouseUp(meta.x, meta.y, true);
  EXPECT_NEAR(Dove("S").X, 2, 0.05f) << Dove("S");
  EXPECT_NEAR(Dove("S").Y, 1, 0.05f) << Dove("S");
  EXPECT_EQ(Dove("S").Z, 0.0f) << "along its own horizontal plane";
  EXPECT_GT(modifiche, 0);
  // With Shift it goes up and down.
  Fotografa();
  const TPoint qui = Schermo(Dove("S"));
  const TPoint su = Schermo(VectorAdd(Dove("S"), TAffineVector{0, 0, 2}));
  lato->MouseDown(qui.x, qui.y, Sinistro(true), true);
  lato->MouseMove(su.x, su.y, Sinistro(true));
  lato->MouseUp(su.x, su.y, true);
  EXPECT_NEAR(Dove("S").Z, 2, 0.05f) << Dove("S");
  EXPECT_NEAR(Dove("S").X, 2, 0.05f) << Dove("S");
  // A right drag on it turns it about the vertical.
  Fotografa();
  const TPoint ora = Schermo(Dove("S"));
  const TAffineVector up = V3("S").Principale()->Up().AsAffineVector();
  lato->MouseDown(ora.x, ora.y, Destro(), false);
  lato->MouseMove(ora.x - 90, ora.y, Destro());
  lato->MouseUp(ora.x - 90, ora.y, false);
  const TAffineVector girato = V3("S").Principale()->Up().AsAffineVector();
  EXPECT_TRUE(Circa(up, 0, 1, 0));
  EXPECT_TRUE(Circa(girato, -1, 0, 0, 1e-5f)) << girato;
}

TEST_F(LatoSpazio, ZoomStopsAtATenthAndAtTen) {
  Prepara("RIFCART3D;");
  TGLCamera& c = *scena.GLCamera1;
  EXPECT_EQ(c.SceneScale(), 1.0f);
  for (int i = 0; i < 30; ++i) lato->ZoomMeno();
  EXPECT_NEAR(c.SceneScale(), 0.1f, 1e-6f);
  lato->ZoomPiu();
  EXPECT_NEAR(c.SceneScale(), 0.2f, 1e-6f);
  for (int i = 0; i < 200; ++i) lato->ZoomPiu();
  EXPECT_NEAR(c.SceneScale(), 10.0f, 1e-5f);
  lato->ZoomMeno();
  EXPECT_NEAR(c.SceneScale(), 9.9f, 1e-5f);
  lato->Su();
  lato->Su();
  lato->Giu();
  EXPECT_EQ(scena.GLDCxCamera->Position().Z(), 1.0f);
}

TEST_F(LatoSpazio, UncheckingAWallHidesIt) {
  Prepara("RIFCART3D;");
  // Only the XY wall is behind this pixel.
  const TPoint p = Schermo({4.5f, -4.5f, 0});
  const TRgb grigio = Pixel(p.x, p.y);
  EXPECT_TRUE(lato->PareteVisibile(0) && lato->PareteVisibile(1) && lato->PareteVisibile(2));
  lato->CambiaParete(0);
  EXPECT_FALSE(lato->PareteVisibile(0));
  EXPECT_FALSE(scena._GLCXY->Visible());
  Fotografa();
  EXPECT_LT(grigio.r, 250) << grigio;
  EXPECT_EQ(Pixel(p.x, p.y), (TRgb{255, 255, 255})) << "white where the XY wall was";
  lato->CambiaParete(0);
  EXPECT_TRUE(scena._GLCXY->Visible());
}

TEST_F(LatoSpazio, ANamedPointsLabelFollowsThePoint) {
  Prepara("RIFCART3D;\nP = PUNTO3D(1,2,3);");
  auto& p = Di<cValorePunto3D>("P");
  const TPoint dove = Schermo({1, 2, 3});
  EXPECT_EQ(p.Etichetta()->Position().X(), float(dove.x));
  EXPECT_EQ(p.Etichetta()->Position().Y(), float(dove.y - 20));
  p.SetPosizione({-2, 1, 0});
  Fotografa();
  const TPoint nuovo = Schermo({-2, 1, 0});
  EXPECT_EQ(p.Etichetta()->Position().X(), float(nuovo.x));
  EXPECT_EQ(p.Etichetta()->Position().Y(), float(nuovo.y - 20));
  // The label's text is drawn there, in the pen's blue.
  EXPECT_TRUE(Vicino(nuovo.x + 8, nuovo.y - 14, {0, 0, 255}, 6, 80));

  // Behind the camera the point projects near the origin, where it is not: its label goes
  // away until the point is in view again.
  p.SetPosizione({20, -20, 15});
  Fotografa();
  EXPECT_EQ(p.Etichetta()->Position().X(), -1000.0f);
  EXPECT_EQ(p.Etichetta()->Position().Y(), -1000.0f);
  p.SetPosizione({-2, 1, 0});
  Fotografa();
  EXPECT_EQ(p.Etichetta()->Position().X(), float(nuovo.x));
}

TEST_F(LatoSpazio, ChoosingAnObjectTakesASpaceValueWithTwoBeeps) {
  Prepara("RIFCART3D;\nS = SFERA(PUNTO3D(0,0,0), 1);");
  const TPoint centro = Schermo({0, 0, 0});
  run.finestra.Quando([] { return DatiGlob.bAttesaScegliOggetto; },
                      [&] { Clic(centro, Sinistro(true)); });
  run.finestra.Quando([&] { return DatiGlob.bAttesaScegliOggetto && run.finestra.Pompaggi > 3; },
                      [&] { Clic(centro); });
  ASSERT_EQ(Comando("X = SCEGLIOGGETTO;"), "<ok>");
  EXPECT_EQ(run.finestra.Toni, (std::vector<std::pair<int, int>>{{500, 100}, {600, 100}}))
      << "a Shift click did not choose";
  EXPECT_EQ(run.Valore("X")->Tipo, T_SFERA3D);
  EXPECT_EQ(Di<cValoreSfera3D>("X").Raggio, 1);
}

TEST_F(LatoSpazio, PlacingAPointFreelyAndOnAPlane) {
  Prepara("RIFCART3D;");
  // The point follows the mouse on its horizontal plane and stays where it is clicked.
  const TPoint meta = Schermo({2, -1, 0});
  run.finestra.Quando([] { return DatiGlob.bAttesaPunto3D; }, [&] {
    lato->MouseMove(meta.x, meta.y, {});
    Clic(meta);
  });
  ASSERT_EQ(Comando("P = PUNTO3D;"), "<ok>");
  const TAffineVector p = Di<cValorePunto3D>("P").Coordinate();
  EXPECT_NEAR(p.X, 2, 0.05f) << p;
  EXPECT_NEAR(p.Y, -1, 0.05f) << p;
  EXPECT_EQ(p.Z, 0.0f);
  EXPECT_FALSE(Di<cValorePunto3D>("P").Sfera()->ShowAxes());
  EXPECT_EQ(DatiGlob.OggettoGLInMovimento, nullptr);
  EXPECT_EQ(run.finestra.Prompt.front(), ParoleChiave.prmPunto3D);
  // On the XZ wall: where the ray meets it.
  const TPoint sulMuro = Schermo({1, 0, 2});
  run.finestra.Quando([] { return DatiGlob.bAttesaPunto3DSu; }, [&] {
    lato->MouseMove(sulMuro.x, sulMuro.y, {});
    Clic(sulMuro);
  });
  ASSERT_EQ(Comando("Q = PUNTO3D(PIANOXZ);"), "<ok>");
  auto& q = Di<cValorePunto3D>("Q");
  EXPECT_EQ(q.Padre(), &V3("PIANOXZ"));
  EXPECT_EQ(q.Sfera()->Parent(), scena._GLCXZ);
  const TAffineVector qa = q.CoordinateAssolute();
  EXPECT_NEAR(qa.X, 1, 0.05f) << qa;
  EXPECT_NEAR(qa.Z, 2, 0.05f) << qa;
  EXPECT_NEAR(qa.Y, 0, 0.02f) << qa;
  EXPECT_EQ(DatiGlob.OggettoGLRiferimento, nullptr) << "the reference is forgotten once used";
}

TEST_F(LatoSpazio, AStoppedPlacementMakesNothing) {
  Prepara("RIFCART3D;");
  const int prima = ValoriVivi();
  run.finestra.Quando([] { return DatiGlob.bAttesaPunto3D; }, [] { TerminaEsecuzione(); });
  EXPECT_EQ(Comando("S = SFERA(2);"), "<ok>") << "stopped by the user, not failed";
  EXPECT_EQ(run.Valore("S"), nullptr);
  EXPECT_EQ(ValoriVivi(), prima);
  EXPECT_EQ(DatiGlob.OggettoGLInMovimento, nullptr);
}

TEST_F(LatoSpazio, APlaneThroughTwoPointsFollowsTheMovingPoint) {
  Prepara("RIFCART3D;\nA = PUNTO3D(0,0,0);\nB = PUNTO3D(1,0,0);");
  const TPoint su = Schermo({0, 3, 0});
  run.finestra.Quando([] { return DatiGlob.bAttesaPunto3D; }, [&] {
    EXPECT_TRUE(DatiGlob.bAttesaPiano3D);
    lato->MouseMove(su.x, su.y, {});
    Clic(su);
  });
  ASSERT_EQ(Comando("PI = PIANO(A, B);"), "<ok>");
  const TAffineVector n = Di<cValorePiano3D>("PI").Normale();
  EXPECT_NEAR(std::fabs(n.Z), 1, 1e-4f) << n << ": the plane through A, B and a point of the XY plane";
  EXPECT_FALSE(DatiGlob.bAttesaPiano3D);
  EXPECT_EQ(ValoriVivi(), 6) << "the moving point is gone";
}

TEST_F(LatoSpazio, ASphereOnAPlaneIsPlacedOnItsSurface) {
  Prepara("RIFCART3D;");
  const TPoint dove = Schermo({2, 2, 0});
  run.finestra.Quando([] { return DatiGlob.bAttesaPunto3DSu; }, [&] {
    lato->MouseMove(dove.x, dove.y, {});
    Clic(dove);
  });
  ASSERT_EQ(Comando("S = SFERA(PIANOXY, 0.5);"), "<ok>");
  const TAffineVector s = Dove("S");
  EXPECT_NEAR(s.X, 2, 0.1f) << s;
  EXPECT_NEAR(s.Y, 2, 0.1f) << s;
  EXPECT_NEAR(s.Z, 0.51f, 0.02f) << s << ": raised by its radius off the wall";
}

// A script's click at a point of space (as qxrun's CLIC3D gives it) places exactly there,
// on the reference object where the line of sight through the point meets it; it never
// places when nothing waits or the line misses the reference.
TEST_F(LatoSpazio, AClickAtAPointOfSpacePlacesThereOrOnTheReference) {
  Prepara("RIFCART3D;");
  EXPECT_FALSE(ClicSpazio(scena, {1, 2, 0})) << "nothing waits";
  int mancati = 0;
  auto clic = [&](bool su, TAffineVector punto) {
    run.finestra.Quando([su] { return su ? DatiGlob.bAttesaPunto3DSu : DatiGlob.bAttesaPunto3D; },
                        [&, punto] { mancati += !ClicSpazio(scena, punto); });
  };
  clic(false, {1, 2, 0});
  ASSERT_EQ(Comando("P = PUNTO3D;"), "<ok>");
  const TAffineVector p = Di<cValorePunto3D>("P").CoordinateAssolute();
  EXPECT_TRUE(Circa(p, 1, 2, 0)) << p;
  EXPECT_EQ(DatiGlob.OggettoGLInMovimento, nullptr);
  clic(false, {-1, -2, 3});
  ASSERT_EQ(Comando("S = SFERA(1);"), "<ok>");
  EXPECT_TRUE(Circa(Dove("S"), -1, -2, 3)) << Dove("S");
  clic(false, {2, 2, 1});
  ASSERT_EQ(Comando("C = CUBO(2);"), "<ok>");
  EXPECT_TRUE(Circa(Dove("C"), 2, 2, 1)) << Dove("C");
  clic(false, {0, 3, 0});
  ASSERT_EQ(Comando("T = TETRAEDRO(2);"), "<ok>");
  EXPECT_TRUE(Circa(Dove("T"), 0, 3, 0)) << Dove("T");
  // On the floor: a point lands on its top face, a sphere sits on it by its radius.
  clic(true, {3, 1, 0});
  ASSERT_EQ(Comando("Q = PUNTO3D(PIANOXY);"), "<ok>");
  const TAffineVector q = Di<cValorePunto3D>("Q").CoordinateAssolute();
  EXPECT_TRUE(Circa(q, 3, 1, 0.01f, 0.03f)) << q;
  clic(true, {-3, -1, 0});
  ASSERT_EQ(Comando("K = SFERA(PIANOXY, 0.5);"), "<ok>");
  EXPECT_TRUE(Circa(Dove("K"), -3, -1, 0.51f, 0.03f)) << Dove("K");
  EXPECT_EQ(mancati, 0);
  // A point whose line of sight misses the floor: nothing placed, the wait goes on until
  // the run is stopped.
  clic(true, {0, 0, 20});
  run.finestra.Quando([&] { return mancati == 1; }, [] { TerminaEsecuzione(); });
  EXPECT_EQ(Comando("M = PUNTO3D(PIANOXY);"), "<ok>");
  EXPECT_EQ(mancati, 1);
  EXPECT_EQ(run.Valore("M"), nullptr);
}

// A script's pick of a space value chooses it as a click on it does.
TEST_F(LatoSpazio, AScriptPicksASpaceValueByItsValue) {
  Prepara("RIFCART3D;\nS = SFERA(PUNTO3D(0,0,0), 1);\nC = CUBO(PUNTO3D(3,0,0), 1);");
  EXPECT_FALSE(ScegliInSpazio(V3("C"))) << "nothing waits";
  run.finestra.Quando([] { return DatiGlob.bAttesaScegliOggetto; }, [&] { EXPECT_TRUE(ScegliInSpazio(V3("C"))); });
  ASSERT_EQ(Comando("X = SCEGLIOGGETTO;"), "<ok>");
  EXPECT_EQ(run.Valore("X")->Tipo, T_CUBO3D);
  EXPECT_EQ(run.finestra.Toni, (std::vector<std::pair<int, int>>{{500, 100}, {600, 100}}));
}

}  // namespace
}  // namespace qx::test
