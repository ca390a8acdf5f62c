// Clicks made at a person's pace in the real window: the button goes down, the program
// reacts (it goes on to its next wait), and only then does the button come up. One click
// answers one wait, on the plane and in space; the same clicks made in one instant give the
// same results; the hand's slip after a pick draws nothing in the next wait, and a chord is
// no new click. And the view a pupil needs comes forward: a plane program ends on the plane,
// and the figure under the mouse lets go when the mouse leaves the canvas.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <sstream>

#include "app/PrelieviCanvas.h"
#include "runstate/DatiGlob.h"
#include "solid/Valore3D.h"
#include "tests/app/Supporto.h"
#include "values/ValoriScalari.h"
#include "values/figure/ValoreLinea.h"
#include "values/figure/ValorePunto.h"

namespace qx::test {
namespace {

// Three existing points, a circle, and every statement whose pick of an existing value is
// followed by another wait.
const char* const kLezione =
    "A = PUNTO(2, 2); B = PUNTO(10, 2); C = PUNTO(4, 8); CE = CIRC(PUNTO(7, 5), 1);\n"
    "T = POLIGONO(PUNTO, PUNTO, PUNTO); STAMPA(\"Area: \", AREA(T));\n"
    "S = SEGMENTO(PUNTO, 3); STAMPA(\"Lunghezza: \", MISURA(S));\n"
    "X = SCEGLIOGGETTO; Q = PUNTO; STAMPA(\"Distanza: \", DISTANZA(Q, B));\n"
    "S2 = SEGMENTO(PUNTO, PUNTO); STAMPA(\"S2: \", MISURA(S2));\n"
    "N = POLIGONO(PUNTO, PUNTO, PUNTO); STAMPA(\"Nuovo: \", AREA(N));";

std::string EseguiLezione(bool istantanea) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  DimensioniArea(f, 600, 400);
  auto clic = [&](long double x, long double y) { return Mano::Clic{f.pbRifCart, PixelDi(x, y)}; };
  // A, B, C; A then a direction; the circle's top then B; A then a new end; three new points.
  Mano mano(f,
            {clic(2, 2), clic(10, 2), clic(4, 8), clic(2, 2), clic(5, 6), clic(7, 6), clic(10, 2), clic(2, 2),
             clic(5, 6), clic(1, 1), clic(5, 1), clic(1, 4)},
            istantanea);
  EseguiTesto(f, kLezione);
  mano.Finisci();
  EXPECT_EQ(mano.Fatti(), 12);
  EXPECT_EQ(DatiGlob.AttesaMouse, 0u);
  return f.reoutput->toPlainText().toStdString();
}

TEST(ClicAMano, OgniClicRispondeAUnaSolaAttesaDelPiano) {
  const std::string atteso = "> Area: 24\n> Lunghezza: 3\n> Distanza: 0\n> S2: 5\n> Nuovo: 6";
  EXPECT_EQ(EseguiLezione(false), atteso);
  EXPECT_EQ(EseguiLezione(true), atteso);
}

std::string Punti(const char* nome) {
  std::ostringstream s;
  for (const TCollItemsPunti& p : ValoreDi<cValoreLinea>(nome)->Punti) s << '(' << p.x << ", " << p.y << ')';
  return s.str();
}

TEST(ClicAMano, LaManoCheScivolaDopoUnaSceltaNonDisegnaLaLineaSeguente) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  DimensioniArea(f, 600, 400);
  EseguiTesto(f, "A = PUNTO(2, 2);");
  // The pick's press on A slips 4 pixels (the right button pressed too, once) as the program
  // goes on to draw; then the stroke of the drawing itself.
  const QPoint A = PixelDi(2, 2);
  const Mano::Clic scelta{f.pbRifCart, A, {A + QPoint(2, 0), A + QPoint(4, 1)}};
  const Mano::Clic tratto{f.pbRifCart, PixelDi(6, 6), {PixelDi(7, 6), PixelDi(8, 6), PixelDi(9, 6)}};
  Mano::Clic accordo = scelta;
  accordo.accordo = true;
  Mano mano(f, {accordo, tratto, scelta, tratto});
  Quando termina([&] { return mano.Fatti() == 4 && DatiGlob.bModoPenna; },
                 [&] { Clicca(f, f.btnTerminaPenna); });
  EseguiTesto(f,
              "A = PUNTO(2, 2);\n"
              "P = SCEGLIPUNTO; L = LINEA; STAMPA(\"Linea fatta\");\n"
              "Q = SCEGLIPUNTO; W = PENNA; STAMPA(\"Penna fatta\");");
  mano.Finisci();
  EXPECT_EQ(mano.Fatti(), 4);
  EXPECT_EQ(f.reoutput->toPlainText().toStdString(), "> Linea fatta\n> Penna fatta");
  EXPECT_EQ(Punti("L"), "(6, 6)(7, 6)(8, 6)(9, 6)");
  EXPECT_EQ(Punti("W"), "(6, 6)(7, 6)(8, 6)(9, 6)(1e+50, 1e+50)");
}

TEST(ClicAMano, UnaSceltaNelloSpazioNonRispondeConIlSuoRilascioAllAttesaSeguente) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  // The space view fixed at 400 x 400 before the run, so that the sphere's pixel is known.
  EseguiTesto(f, "S = SFERA(PUNTO3D(0, 0, 1), 1);");
  QWidget* vista = DimensioniSpazio(f, 400, 400);
  ASSERT_TRUE(vista->isVisible());
  const QPoint sfera = PixelNelloSpazio(0, 0, 1);
  // The pick, then CLICCA on the same sphere (answered in the space view that shows), then
  // a pick followed by a sphere to place: the pick's release must leave it waiting for its
  // own click; and so must the right button pressed while the pick's is held.
  Mano mano(f, {{vista, sfera},
                {vista, sfera},
                {vista, sfera},
                {vista, {40, 40}},
                {vista, sfera, {}, true},
                {vista, {40, 40}}});
  EseguiTesto(f,
              "S = SFERA(PUNTO3D(0, 0, 1), 1);\n"
              "X = SCEGLIOGGETTO; STAMPA(\"Scelto\"); Y = CLICCA; STAMPA(Y);\n"
              "Z = SCEGLIOGGETTO; T = SFERA(1); STAMPA(\"Posata\");\n"
              "Z = SCEGLIOGGETTO; U = SFERA(1); STAMPA(\"Posata\");");
  mano.Finisci();
  EXPECT_EQ(mano.Fatti(), 6);
  EXPECT_EQ(f.reoutput->toPlainText().toStdString(), "> Scelto\n> S\n> Posata\n> Posata");
  EXPECT_TRUE(f.tbSpazio->isChecked());
}

TEST(ClicAMano, LaVistaCheServeVieneAvanti) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  DimensioniArea(f, 400, 300);
  // A plane program run while the space shows ends on the plane; a space program keeps the space.
  f.MostraVista(true);
  EseguiTesto(f, "A = PUNTO(1, 1); T = POLIGONO(A, PUNTO(3, 1), PUNTO(1, 3));");
  EXPECT_FALSE(f.tbSpazio->isChecked());
  EXPECT_TRUE(f.pnlRifCart->isVisible());
  EseguiTesto(f, "A = PUNTO(1, 1); S = SFERA(PUNTO3D(0, 0, 0), 1);");
  EXPECT_TRUE(f.tbSpazio->isChecked());
  EseguiTesto(f, "A = PUNTO(1, 1); T = POLIGONO(A, PUNTO(3, 1), PUNTO(1, 3));");
  EXPECT_FALSE(f.tbSpazio->isChecked());

  // The hovered figure and its description go when the mouse leaves the canvas.
  QTest::mouseMove(f.pbRifCart, PixelDi(1, 1));
  ASSERT_NE(f.Prelievi().Evidenziato(), nullptr);
  ASSERT_FALSE(f.Label4->text().isEmpty());
  QEvent fuori(QEvent::Leave);
  QApplication::sendEvent(f.pbRifCart, &fuori);
  EXPECT_EQ(f.Prelievi().Evidenziato(), nullptr);
  EXPECT_TRUE(f.Label4->text().isEmpty());
  EXPECT_FALSE(ValoreDi<cValorePunto>("A")->bSelezionato);
}

}  // namespace
}  // namespace qx::test
