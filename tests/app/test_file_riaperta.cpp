// A lesson reopens as it was saved: the canvas of the real window at a classroom's screen
// size, saved with Ctrl+S and opened again with Apri, shows the same pixels, in every frame,
// after zooms and pans, for charts, texts, pictures and number lines.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <cstdio>
#include <functional>

#include "runstate/DatiGlob.h"
#include "tests/app/SupportoFile.h"

namespace qx::test {
namespace {

// A world coordinate as a statement's number.
std::string Numero(long double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%.3Lf", v);
  return b;
}

struct Lezione {
  const char* nome;
  std::function<void(Tfrm3&)> prepara;  // the frame's statement and the buttons pressed
  std::string grafico;                  // the chart's statement, dragged from da to a
  QPointF da, a;
  // Where the space view comes in: a plane lesson opened while the space shows, or a
  // lesson with a solid, which opens in space and is then looked at on the plane.
  enum { Piano, SpazioPrimaDiAprire, ConSolido } vista = Piano;
};

TEST(RiaperturaFile, OgniValoreTornaSugliStessiPixelInOgniRiferimento) {
  FinestraAperta aperta;
  Tfrm3& f = aperta.f();
  f.resize(1280, 1024);
  CartellaProgramma cartella;
  const std::string foto = cartella.Percorso("foto.bmp");
  {
    QImage img(24, 16, QImage::Format_RGB888);
    img.fill(Qt::darkGreen);
    ASSERT_TRUE(img.save(QString::fromStdString(foto)));
  }
  const auto premi = [](QToolButton* b, int volte = 1) {
    for (int i = 0; i < volte; ++i) QTest::mouseClick(b, Qt::LeftButton);
  };
  const std::vector<Lezione> lezioni{
      {"quadrante.qxs",
       [](Tfrm3& g) { Istruzione(g, "RIFCART1(-4,-4,4,4);"); },
       "DQ = DIAGSTR(1,2,3);",
       {0.5, 3.5},
       {3.5, 0.5}},
      {"zoom.qxs",
       [&](Tfrm3& g) {
         Istruzione(g, "RIFCART1(-10,-2,10,2);");
         premi(g.sbZoomp);
       },
       "DG = DIAGSTR(3,5,2,7);",
       {-6, -1},
       {6, 1.5},
       Lezione::SpazioPrimaDiAprire},
      {"analisi.qxs",
       [&](Tfrm3& g) {
         Istruzione(g, "RIFCART1(-5,-5,5,5);");
         premi(g.sbDestra, 2);
         premi(g.sbSu);
         premi(g.sbZoomm);
       },
       "D = DIAGCIRC(2,3,5);",
       {-3, 4},
       {0, 1}},
      {"assi.qxs",
       [&](Tfrm3& g) {
         Istruzione(g, "RIFCART;");
         premi(g.sbZoomp, 2);
         premi(g.sbSu);
         premi(g.sbSinistra, 3);
       },
       "D = ISTOGRAMMA(2,4,1);",
       {-6, 5},
       {-1, 1}},
      {"quadretti.qxs",
       [&](Tfrm3& g) {
         premi(g.sbZoomm);
         premi(g.sbSu, 3);
         premi(g.sbDestra, 2);
       },
       "D = DIAGSTR(4,1);",
       {6, 7},
       {10, 4},
       Lezione::ConSolido},
  };
  for (const Lezione& l : lezioni) {
    SCOPED_TRACE(l.nome);
    Clicca(f, f.actFileNew);
    l.prepara(f);
    Istruzione(f, l.grafico, l.da, l.a);
    // Texts, pictures (one at its corner, one stretched) and a number line at the same
    // places of the canvas in every frame.
    const cRifCart& r = *DatiGlob.RifCart;
    const int W = r.Rettangolo.Right, H = r.Rettangolo.Bottom;
    const auto mondo = [&](double fx, double fy) {
      return Numero(r.XCart(int(fx * W))) + ", " + Numero(r.YCart(int(fy * H)));
    };
    Istruzione(f, "T = SCRIVIXY(" + mondo(0.55, 0.75) + ", \"Testo\");");
    Istruzione(f, "I = IMMAGINE(\"" + foto + "\", " + mondo(0.1, 0.8) + ");");
    Istruzione(f, "J = IMMAGINE(\"" + foto + "\", " + mondo(0.7, 0.6) + ", " + mondo(0.8, 0.7) + ");");
    Istruzione(f,
               "R = RETTANUM(PUNTO(" + mondo(0.3, 0.9) + "), " + Numero(r.XCart(W / 10) - r.XCart(0)) + ");");
    const QImage prima = CanvasMostrato(f);
    // The chart and the pictures are there to be compared.
    const QRect riquadro = QRect(PixelDi(l.da.x(), l.da.y()), PixelDi(l.a.x(), l.a.y())).normalized();
    EXPECT_TRUE(ContieneColore(prima, riquadro, clBlue));
    EXPECT_TRUE(ContieneColore(prima, Intorno(QPoint(W / 10 + 3, H * 8 / 10 + 3), 2), clGreen));
    EXPECT_TRUE(ContieneColore(prima, Intorno(QPoint(W * 3 / 4, H * 65 / 100), 2), clGreen));
    if (l.vista == Lezione::ConSolido) {
      Istruzione(f, "S = SFERA(PUNTO3D(1, 1, 1), 0.5);");
      ASSERT_TRUE(f.tbSpazio->isChecked());
    }

    {
      RispondiModali risposte;
      RispondiConFile(risposte, cartella.Percorso(l.nome));
      Attiva(f);
      QTest::keyClick(f.MemoSource, Qt::Key_S, Qt::ControlModifier);
      ASSERT_EQ(risposte.Visti.size(), 1u);
    }
    if (l.vista == Lezione::SpazioPrimaDiAprire) Clicca(f, f.tbSpazio);
    {
      RispondiModali risposte;
      RispondiConFile(risposte, cartella.Percorso(l.nome));
      Clicca(f, f.actFileOpen);
      ASSERT_EQ(risposte.Visti.size(), 1u);
      EXPECT_EQ(risposte.Visti[0].titolo, "Apri");
    }
    EXPECT_EQ(f.tbSpazio->isChecked(), l.vista == Lezione::ConSolido);
    if (l.vista == Lezione::ConSolido) Clicca(f, f.tbSpazio);
    const QImage dopo = CanvasMostrato(f);
    EXPECT_EQ(PrimaDifferenza(prima, dopo), "");
  }
}

}  // namespace
}  // namespace qx::test
