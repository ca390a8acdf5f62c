// The canvas's mouse in the real window, driven with QTest while a statement waits: the
// snapping of a placed point, picks with their beeps and their hover, rubber bands that
// leave nothing behind, the pen's strokes, dragging with "Sposta Oggetti", the point on an
// object, and the polygon's popup. The area is 400 x 300: the origin sits at (1, 299) and
// one unit is 38 pixels.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "app/PrelieviCanvas.h"
#include "runstate/DatiGlob.h"
#include "tests/app/Supporto.h"
#include "values/figure/ValoreLinea.h"
#include "values/figure/ValorePoligono.h"
#include "values/figure/ValorePunto.h"
#include "values/figure/ValoreRetta.h"

namespace qx::test {
namespace {

constexpr TColor kVerdeEtichetta = RGBColor(0, 128, 0);


void Clic(Tfrm3& f, long double x, long double y, Qt::KeyboardModifiers m = Qt::NoModifier) {
  QTest::mouseClick(f.pbRifCart, Qt::LeftButton, m, PixelDi(x, y));
}

// The vertices of a polygon as "(x, y)" joined.
std::string Vertici(const cValorePoligono& p) {
  std::string s;
  for (const TCollItemsPunti& v : p.Punti) {
    char b[64];
    std::snprintf(b, sizeof b, "(%.15Lg, %.15Lg)", v.x, v.y);
    s += b;
  }
  return s;
}


TEST(Prelievi, UnPuntoCadeSulDecimoPiuVicinoEConShiftEsattamenteSulPixel) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  // Column 78 is 77/38 = 2.026 units from the origin; row 261 exactly one unit up.
  Quando clic([] { return DatiGlob.bAttesaPunto; },
              [&] { QTest::mouseClick(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, QPoint(78, 261)); });
  EseguiTesto(f, "P = PUNTO;");
  ASSERT_TRUE(clic.Eseguita());
  auto* p = ValoreDi<cValorePunto>("P");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->xCart, 2);
  EXPECT_EQ(p->yCart, 1);

  Quando shift([] { return DatiGlob.bAttesaPunto; },
               [&] { QTest::mouseClick(f.pbRifCart, Qt::LeftButton, Qt::ShiftModifier, QPoint(78, 261)); });
  EseguiTesto(f, "P = PUNTO;");
  ASSERT_TRUE(shift.Eseguita());
  p = ValoreDi<cValorePunto>("P");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->xCart, 77.0L / 38);
  EXPECT_EQ(p->yCart, 1);
}

// The leftmost column of the blue text on the row y = 6, between x = 0.5 and x = 5.
int InizioTesto(Tfrm3& f) {
  const QImage img = f.ImmagineRifCart();
  const QPoint p = PixelDi(1, 6);
  for (int x = PixelDi(0.5L, 6).x(); x < PixelDi(5, 6).x(); ++x)
    for (int y = p.y() - 2; y < p.y() + 20; ++y)
      if (Pixel(img, x, y) == clBlue) return x;
  return -1;
}

TEST(Prelievi, IlNomeSorvolatoNonSpostaITestiDelDisegno) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  EseguiTesto(f, "T = SCRIVIXY(1, 6, \"Testo di prova\");");
  const int prima = InizioTesto(f);
  ASSERT_GE(prima, PixelDi(1, 6).x() - 1);
  // A hover's name is written centred straight on the picture, its alignment then put back
  // on the canvas the statements draw on; the picture kept it, and every repaint after it
  // drew the text centred on its place, half its width to the left.
  TCanvas& c = f.CanvasRifCart();
  const TTextAlign allineamento = c.TextAlign;
  c.TextAlign = {haCenter, vaTop};
  c.TextOut(PixelDi(8, 1).x(), PixelDi(8, 1).y(), "nome");
  c.TextAlign = allineamento;
  f.DisegnaRifCart();
  f.CompletaRidisegni();
  EXPECT_EQ(InizioTesto(f), prima);
}

TEST(Prelievi, LaCorniceDiUnTestoDaPosareSegueIlMouse) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  Quando testo([] { return DatiGlob.bAttesaTesto; }, [&] {
    const QRect primo(PixelDi(1, 6), QSize(40, 16)), secondo(PixelDi(6, 2), QSize(40, 16));
    f.CompletaRidisegni();
    const QImage vuota = f.ImmagineRifCart();
    QTest::mouseMove(f.pbRifCart, PixelDi(1, 6));
    QTest::mouseMove(f.pbRifCart, PixelDi(6, 2));
    f.CompletaRidisegni();
    const QImage dopo = f.ImmagineRifCart();
    // The frame left the first place, and is at the second: it stayed where the mouse first
    // was, and the text then went down elsewhere.
    EXPECT_EQ(dopo.copy(primo), vuota.copy(primo));
    EXPECT_NE(dopo.copy(secondo), vuota.copy(secondo));
    Clic(f, 6, 2);
  });
  EseguiTesto(f, "SCRIVI(\"Ciao a tutti\");");
  ASSERT_TRUE(testo.Eseguita());
}

TEST(Prelievi, IlTitoloNonDescriveUnValoreCheNonCePiu) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  EseguiTesto(f, "C = CIRC(PUNTO(4, 3), 2);");
  QTest::mouseMove(f.pbRifCart, PixelDi(2, 3));
  ASSERT_TRUE(f.Label4->text().startsWith("Circonferenza: C")) << f.Label4->text().toStdString();
  // A new run frees C: its description went on above the canvas through later runs.
  EseguiTesto(f, "A = PUNTO(1, 1);");
  EXPECT_EQ(f.Label4->text(), "");
  QTest::mouseMove(f.pbRifCart, PixelDi(8, 6));
  EXPECT_EQ(f.Label4->text(), "");
}

TEST(Prelievi, UnaCirconferenzaSiPrendeAlloStessoModoDaOgniLato) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  // 20 pixels a unit: a tenth is 2 pixels, so every click below keeps its own pixel.
  const std::string figure = "RIFCART(20, 20); P = PUNTO(-8, -6); C = CIRC(PUNTO(2, 1), 3);";
  EseguiTesto(f, figure);
  const QPoint c = PixelDi(2, 1);
  const int r = PixelDi(5, 1).x() - c.x();
  ASSERT_EQ(r, 60);
  // The outline's outermost pixels on each side, and 2 pixels beyond them.
  std::vector<QPoint> clic;
  for (const QPoint u : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)}) {
    const QImage& img = f.ImmagineRifCart();
    EXPECT_EQ(Pixel(img, c.x() + r * u.x(), c.y() + r * u.y()), clBlue) << u.x() << " " << u.y();
    EXPECT_NE(Pixel(img, c.x() + (r + 1) * u.x(), c.y() + (r + 1) * u.y()), clBlue) << u.x() << " " << u.y();
    clic.push_back(c + r * u);
    clic.push_back(c + (r + 2) * u);
  }
  // Each by a hand, in a run of its own; a click that misses the circle leaves CLICCA
  // waiting, and the next one, on P, answers it.
  std::vector<std::string> presi;
  for (const QPoint& p : clic) {
    Mano mano(f, {{f.pbRifCart, p}, {f.pbRifCart, PixelDi(-8, -6)}});
    EseguiTesto(f, figure + " X = CLICCA; STAMPA(X);");
    mano.Finisci();
    presi.push_back(f.reoutput->toPlainText().toStdString());
  }
  EXPECT_EQ(presi, std::vector<std::string>(8, "> C"));
}

TEST(Prelievi, ScegliPuntoIgnoraIlSegmentoMostraIlNomeESuonaDueVolte) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  // The segment runs through A: only the point answers the pick.
  Quando scegli([] { return DatiGlob.bAttesaScegliPunto; }, [&] {
    QTest::mouseMove(f.pbRifCart, PixelDi(1, 1.5));
    EXPECT_EQ(f.Prelievi().Evidenziato(), nullptr) << "the segment alone is not offered";
    QTest::mouseMove(f.pbRifCart, PixelDi(2, 2));
    const cValoreGraf* A = ValoreDi<cValoreGraf>("A");
    EXPECT_EQ(f.Prelievi().Evidenziato(), A);
    EXPECT_TRUE(A->bSelezionato);
    EXPECT_EQ(f.Label4->text(), "Punto: A (2, 2)");
    EXPECT_EQ(f.pbRifCart->cursor().shape(), Qt::PointingHandCursor);
    // The name is written in green above the cursor.
    const QPoint c = PixelDi(2, 2);
    EXPECT_TRUE(ContieneColore(f.ImmagineRifCart(), QRect(c.x() - 60, c.y() - 26, 120, 18), kVerdeEtichetta));
    EXPECT_FALSE(ContieneColore(f.ImmagineRifCart(), QRect(c.x() - 60, c.y() + 2, 120, 30), kVerdeEtichetta));
    Clic(f, 2, 2);
  });
  EseguiTesto(f,
              "A = PUNTO(2, 2);\nB = PUNTO(0, 1);\nC = PUNTO(4, 3);\nS = SEGMENTO(B, C);\nQ = SCEGLIPUNTO;");
  ASSERT_TRUE(scegli.Eseguita());
  auto* q = ValoreDi<cValorePunto>("Q");
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->xCart, 2);
  EXPECT_EQ(q->yCart, 2);
  EXPECT_FALSE(q->bSelezionato) << "the hover's highlight is not copied into the pick";
  const std::vector<std::string> registro = f.Suono().Registro();
  const auto beep = std::find(registro.begin(), registro.end(), "beep 500 100");
  ASSERT_NE(beep, registro.end());
  ASSERT_NE(beep + 1, registro.end());
  EXPECT_EQ(*(beep + 1), "beep 600 100");
  // Leaving the point takes the highlight and the name away.
  QTest::mouseMove(f.pbRifCart, PixelDi(8, 6));
  EXPECT_EQ(f.Prelievi().Evidenziato(), nullptr);
  EXPECT_TRUE(f.Label4->text().isEmpty());
}

TEST(Prelievi, UnLatoSceltoHaIDueEstremiDelLatoSottoIlMouse) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  QString etichetta;
  Quando scegli([] { return DatiGlob.bAttesaScegliLato; }, [&] {
    QTest::mouseMove(f.pbRifCart, PixelDi(3, 1));
    etichetta = f.Label4->text();
    Clic(f, 3, 1);
  });
  EseguiTesto(f, "T = POLIGONO(PUNTO(1, 1), PUNTO(5, 1), PUNTO(5, 4));\nL = SCEGLILATO;");
  ASSERT_TRUE(scegli.Eseguita());
  EXPECT_TRUE(etichetta.startsWith("Lato del ")) << etichetta.toStdString();
  auto* l = ValoreDi<cValoreRetta>("L");
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(std::min(l->x1, l->x2), 1);
  EXPECT_EQ(std::max(l->x1, l->x2), 5);
  EXPECT_EQ(l->y1, 1);
  EXPECT_EQ(l->y2, 1);
}

TEST(Prelievi, IlSegmentoDiLunghezzaDataSegueIlMouseENonLasciaTracce) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  bool elasticoVisto = false, primoCancellato = false, nessunRosso = false;
  Quando segmento([] { return DatiGlob.bAttesaSegmento; }, [&] {
    for (int k = 0; k < 10; ++k) QTest::mouseMove(f.pbRifCart, PixelDi(1 + k * 0.5L, 6 - k * 0.5L));
    // Only the last band is on the canvas: 3 units from the origin towards (5.5, 1.5).
    const QImage& img = f.ImmagineRifCart();
    const long double d = 3 / std::hypot(5.5L, 1.5L);
    elasticoVisto = ContieneColore(img, Intorno(PixelDi(2.75L * d, 0.75L * d), 1), clRed);
    primoCancellato = !ContieneColore(img, Intorno(PixelDi(0.25L, 1.5L), 3), clRed);
    QTest::mousePress(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, PixelDi(5, 5));
    QTest::mouseRelease(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, PixelDi(5, 5));
    nessunRosso = !ContieneColore(f.ImmagineRifCart(), f.ImmagineRifCart().rect(), clRed);
  });
  EseguiTesto(f, "P = PUNTO(0, 0);\nS = SEGMENTO(P, 3);");
  ASSERT_TRUE(segmento.Eseguita());
  EXPECT_TRUE(elasticoVisto);
  EXPECT_TRUE(primoCancellato);
  EXPECT_TRUE(nessunRosso);
  auto* s = ValoreDi<cValoreRetta>("S");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->x1, 0);
  EXPECT_EQ(s->y1, 0);
  EXPECT_NEAR(static_cast<double>(s->x2), 2.1213203436, 1e-10);
  EXPECT_NEAR(static_cast<double>(s->y2), 2.1213203436, 1e-10);
}

TEST(Prelievi, IlRettangoloDiUnDiagrammaSegueIlTrascinamento) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  bool secondo = false, primoCancellato = false, nessunRosso = false;
  Quando diagramma([] { return DatiGlob.bAttesaDiagramma; }, [&] {
    QTest::mousePress(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, PixelDi(1, 6));
    QTest::mouseMove(f.pbRifCart, PixelDi(3, 4));
    QTest::mouseMove(f.pbRifCart, PixelDi(6, 2));
    // The dotted rectangle reaches the mouse; the one before it is gone.
    secondo = ContieneColore(f.ImmagineRifCart(), Intorno(PixelDi(6, 4), 2), clRed);
    primoCancellato = !ContieneColore(f.ImmagineRifCart(), Intorno(PixelDi(3, 5), 3), clRed);
    QTest::mouseRelease(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, PixelDi(6, 2));
    nessunRosso = !ContieneColore(f.ImmagineRifCart(), f.ImmagineRifCart().rect(), clRed);
  });
  EseguiTesto(f, "D = DIAGSTR(\"titolo\", 3, \"a\", 5, \"b\");");
  ASSERT_TRUE(diagramma.Eseguita());
  EXPECT_TRUE(secondo);
  EXPECT_TRUE(primoCancellato);
  EXPECT_TRUE(nessunRosso);
  EXPECT_EQ(DatiGlob.PixelCliccato, (TPoint{PixelDi(1, 6).x(), PixelDi(1, 6).y()}));
  EXPECT_EQ(DatiGlob.PixelRilasciato, (TPoint{PixelDi(6, 2).x(), PixelDi(6, 2).y()}));
  EXPECT_NE(ValoreDi("D"), nullptr);
}

TEST(Prelievi, DueTrattiDiPennaHannoUnSoloSollevamentoInMezzo) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  bool trattoVisto = false;
  Quando penna([&] { return DatiGlob.bModoPenna && f.btnTerminaPenna->isVisible(); }, [&] {
    // A release that ended no stroke lifts nothing.
    const QPoint p0 = PixelDi(1, 1);
    f.Prelievi().pbRifCartMouseUp(Qt::LeftButton, false, p0.x(), p0.y());
    QTest::mousePress(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, PixelDi(1, 1));
    QTest::mouseMove(f.pbRifCart, PixelDi(2, 1));
    QTest::mouseMove(f.pbRifCart, PixelDi(3, 1));
    QTest::mouseRelease(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, PixelDi(3, 1));
    // The stroke is on the canvas while the pen still writes, in the current pen.
    trattoVisto = ContieneColore(f.ImmagineRifCart(), Intorno(PixelDi(2.5L, 1), 1), clBlue);
    QTest::mousePress(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, PixelDi(1, 3));
    QTest::mouseMove(f.pbRifCart, PixelDi(2, 3));
    QTest::mouseRelease(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, PixelDi(2, 3));
    Clicca(f, f.btnTerminaPenna);
  });
  EseguiTesto(f, "L = PENNA;");
  ASSERT_TRUE(penna.Eseguita());
  EXPECT_TRUE(trattoVisto);
  auto* l = ValoreDi<cValoreLinea>("L");
  ASSERT_NE(l, nullptr);
  std::string punti;
  for (const TCollItemsPunti& p : l->Punti) {
    char b[64];
    std::snprintf(b, sizeof b, "(%Lg, %Lg)", p.x, p.y);
    punti += p.x == 1e50L ? std::string("|") : std::string(b);
  }
  EXPECT_EQ(punti, "(1, 1)(2, 1)(3, 1)|(1, 3)(2, 3)|");
}

TEST(Prelievi, SpostaOggettiTrascinaIlValorePresoAllaPressione) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  EseguiTesto(f, "A = PUNTO(1, 1);");
  f.MemoSource->SetEditorModified(false);
  QTest::mouseClick(f.cbSpostaOggetti, Qt::LeftButton);
  ASSERT_TRUE(f.cbSpostaOggetti->isChecked());
  QTest::mousePress(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, PixelDi(1, 1));
  QTest::mouseMove(f.pbRifCart, PixelDi(2, 1.5L));
  QTest::mouseMove(f.pbRifCart, PixelDi(3, 2));
  QTest::mouseRelease(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, PixelDi(3, 2));
  auto* A = ValoreDi<cValorePunto>("A");
  ASSERT_NE(A, nullptr);
  EXPECT_EQ(A->xCart, 3);
  EXPECT_EQ(A->yCart, 2);
  EXPECT_TRUE(f.MemoSource->Modified());
  EXPECT_TRUE(ContieneColore(f.ImmagineRifCart(), Intorno(PixelDi(3, 2), 2), clBlue));
  EXPECT_FALSE(ContieneColore(f.ImmagineRifCart(), Intorno(PixelDi(1, 1), 2), clBlue));
  // The point was under the mouse a moment ago, but the press on empty canvas drags nothing.
  QTest::mouseMove(f.pbRifCart, PixelDi(3, 2));
  QTest::mousePress(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, PixelDi(6, 5));
  QTest::mouseMove(f.pbRifCart, PixelDi(7, 6));
  QTest::mouseRelease(f.pbRifCart, Qt::LeftButton, Qt::NoModifier, PixelDi(7, 6));
  EXPECT_EQ(A->xCart, 3);
  EXPECT_EQ(A->yCart, 2);
}

TEST(Prelievi, PuntoSuStaSulProprioOggettoEAltroveAvvisaEAspetta) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  RispondiModali risposte;
  risposte.Premi(QMessageBox::Ok);
  bool aspettaAncora = false;
  Quando primo([] { return DatiGlob.bAttesaPuntoSu && !ValoreDi("P"); }, [&] {
    // On T, the newer segment, but the statement asked for a point on S.
    Clic(f, 2, 3);
    aspettaAncora = DatiGlob.bAttesaPuntoSu;
    Clic(f, 2.5L, 1);
  });
  // Without an object of its own the point goes on what lies under the mouse.
  Quando secondo([] { return DatiGlob.bAttesaPuntoSu && ValoreDi("P"); }, [&] { Clic(f, 3, 3); });
  EseguiTesto(f,
              "S = SEGMENTO(PUNTO(0, 1), PUNTO(4, 1));\nT = SEGMENTO(PUNTO(0, 3), PUNTO(4, 3));\n"
              "P = PUNTO_SU(S);\nQ = PUNTO_SU_OGGETTO;");
  ASSERT_TRUE(primo.Eseguita());
  ASSERT_TRUE(secondo.Eseguita());
  EXPECT_TRUE(aspettaAncora);
  ASSERT_EQ(risposte.Visti.size(), 1u);
  EXPECT_EQ(risposte.Visti[0].testo, "Il punto non si trova sull'oggetto specificato");
  auto* p = ValoreDi<cValorePunto>("P");
  auto* q = ValoreDi<cValorePunto>("Q");
  ASSERT_NE(p, nullptr);
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(p->xCart, 2.5L);
  EXPECT_EQ(p->yCart, 1);
  EXPECT_EQ(q->xCart, 3);
  EXPECT_EQ(q->yCart, 3);
}

TEST(Prelievi, IlMenuDelPoligonoLoGiraDiUnAngoloRettoELoCapovolgeAccanto) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  EseguiTesto(f,
              "Q = POLIGONO(PUNTO(0, 0), PUNTO(2, 0), PUNTO(2, 2), PUNTO(0, 2));\n"
              "T = POLIGONO(PUNTO(5, 1), PUNTO(7, 1), PUNTO(5, 2));");
  f.MemoSource->SetEditorModified(false);
  TPrelieviCanvas& pc = f.Prelievi();
  auto* q = ValoreDi<cValorePoligono>("Q");
  auto* t = ValoreDi<cValorePoligono>("T");
  ASSERT_NE(q, nullptr);
  ASSERT_NE(t, nullptr);
  // The right button on a side of the square opens the popup on the square.
  QTest::mouseClick(f.pbRifCart, Qt::RightButton, Qt::NoModifier, PixelDi(2, 1));
  EXPECT_TRUE(pc.PopupOggetto->isVisible());
  EXPECT_EQ(pc.PoligonoPopup(), q);
  EXPECT_EQ(pc.Ruota1->text(), "Ruota di 90° in senso orario");
  pc.Ruotadi30insensoantiorario1->trigger();
  pc.PopupOggetto->close();
  // A quarter turn anticlockwise about (1, 1), exactly.
  EXPECT_EQ(Vertici(*q), "(2, 0)(2, 2)(0, 2)(0, 0)");
  EXPECT_TRUE(f.MemoSource->Modified());
  QTest::mouseClick(f.pbRifCart, Qt::RightButton, Qt::NoModifier, PixelDi(2, 1));
  pc.Ruota1->trigger();
  pc.PopupOggetto->close();
  EXPECT_EQ(Vertici(*q), "(0, 0)(2, 0)(2, 2)(0, 2)");

  // The flips mirror the triangle in the vertical line through its rightmost vertex, then in
  // the horizontal line through its topmost one: each image lies beside the figure.
  QTest::mouseClick(f.pbRifCart, Qt::RightButton, Qt::NoModifier, PixelDi(6, 1));
  EXPECT_EQ(pc.PoligonoPopup(), t);
  pc.CapovolgiOrizzontalmente1->trigger();
  pc.PopupOggetto->close();
  EXPECT_EQ(Vertici(*t), "(9, 1)(7, 1)(9, 2)");
  QTest::mouseClick(f.pbRifCart, Qt::RightButton, Qt::NoModifier, PixelDi(8, 1));
  EXPECT_EQ(pc.PoligonoPopup(), t);
  pc.Capovolgiverticalmente1->trigger();
  pc.PopupOggetto->close();
  EXPECT_EQ(Vertici(*t), "(9, 3)(7, 3)(9, 2)");
  // The canvas shows the triangle where it now is, and no longer where it was.
  EXPECT_TRUE(ContieneColore(f.ImmagineRifCart(), Intorno(PixelDi(8, 3), 1), clBlue));
  EXPECT_FALSE(ContieneColore(f.ImmagineRifCart(), Intorno(PixelDi(6, 1), 1), clBlue));
  // A right click on empty canvas opens nothing.
  QTest::mouseClick(f.pbRifCart, Qt::RightButton, Qt::NoModifier, PixelDi(9, 6));
  EXPECT_FALSE(pc.PopupOggetto->isVisible());
}

// ---- Regressions: every input that ever broke the canvas's mouse ----

TEST(RegressioniPrelievi, UnValoreSorvolatoOMenuApertoSuUnValoreLiberatoDaUnaNuovaEsecuzione) {
  Finestra400x300 a;
  Tfrm3& f = a.f();
  EseguiTesto(f, "A = PUNTO(1, 1);\nQ = POLIGONO(PUNTO(3, 1), PUNTO(5, 1), PUNTO(5, 3));");
  QTest::mouseMove(f.pbRifCart, PixelDi(1, 1));
  ASSERT_NE(f.Prelievi().Evidenziato(), nullptr);
  QTest::mouseClick(f.pbRifCart, Qt::RightButton, Qt::NoModifier, PixelDi(4, 1));
  ASSERT_NE(f.Prelievi().PoligonoPopup(), nullptr);
  EseguiTesto(f, "B = PUNTO(6, 6);");
  // A and Q are gone: nothing of theirs is touched.
  f.Prelievi().Ruota1->trigger();
  f.Prelievi().PopupOggetto->close();
  QTest::mouseMove(f.pbRifCart, PixelDi(8, 4));
  EXPECT_EQ(f.Prelievi().Evidenziato(), nullptr);
  EXPECT_EQ(f.Prelievi().PoligonoPopup(), nullptr);
  QTest::mouseMove(f.pbRifCart, PixelDi(6, 6));
  EXPECT_EQ(f.Prelievi().Evidenziato(), ValoreDi<cValoreGraf>("B"));
}

}  // namespace
}  // namespace qx::test
