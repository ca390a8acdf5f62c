// Texts, pictures, freehand lines and the pen placed with the scripted mouse.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "interpreter/LatoMouse.h"
#include "runstate/ParoleChiave.h"
#include "tests/costruzioni/Figure.h"
#include "values/figure/ValoreImmagine.h"
#include "values/figure/ValoreLinea.h"
#include "values/figure/ValoreTesto.h"

namespace qx::test {
namespace {

using TestoMouse = Costruzioni;

TEST_F(TestoMouse, TextsAtAFixedPositionOrWhereTheUserClicks) {
  ASSERT_TRUE(Comando("T = SCRIVIXY(1, 2, \"a\", 3);")) << Errore();
  const auto& t = Di<cValoreTesto>("T");
  EXPECT_EQ(t.Testo, "a3");
  EXPECT_EQ(t.x, 1);
  EXPECT_EQ(t.y, 2);
  EXPECT_TRUE(run.finestra.Prompt.empty()) << "no wait";

  run.finestra.Quando([] { return DatiGlob.bAttesaTesto; }, [] {
    MouseMosso(Px(0, 0));
    Clic(Px(2, 3));
  });
  ASSERT_TRUE(Comando("V = SCRIVI(VERO, \" \", 2.5);")) << Errore();
  const auto& v = Di<cValoreTesto>("V");
  EXPECT_EQ(v.Testo, "VERO 2.5");
  EXPECT_EQ(v.x, 2);
  EXPECT_EQ(v.y, 3);
  EXPECT_EQ(DatiGlob.TestoInAttesa, nullptr);

  auto g = std::make_unique<cValoreGrado>();
  g->Gradi = 30;
  g->Primi = 15;
  Aggiungi("G", std::move(g));
  ASSERT_TRUE(Comando("A = SCRIVIXY(0, 0, G);")) << Errore();
  EXPECT_EQ(Di<cValoreTesto>("A").Testo, "30° 15' 0\"");

  Punto("P", 1, 1);
  EXPECT_FALSE(Comando("X = SCRIVI(P);"));
  EXPECT_EQ(Errore(), "Parametri errati per SCRIVI");
  EXPECT_FALSE(Comando("X = SCRIVIXY(1, 1, P);"));
  EXPECT_EQ(Errore(), "Parametri errati per SCRIVI");
}

TEST_F(TestoMouse, StoppingTheWaitCreatesNothingAndSaysNothing) {
  run.finestra.Quando([] { return DatiGlob.bAttesaTesto; }, [] { TerminaEsecuzione(); });
  Comando("T = SCRIVI(\"x\");");
  EXPECT_EQ(run.Valore("T"), nullptr);
  EXPECT_TRUE(run.finestra.Messaggi.empty());
  EXPECT_EQ(DatiGlob.TestoInAttesa, nullptr);
}

TEST_F(TestoMouse, APictureAtItsCornerOrPlacedWithTheMouse) {
  // A 2 x 1 picture in the plain 24-bit BMP format.
  const std::string file =
      (std::filesystem::temp_directory_path() / ("qx_img_" + std::to_string(::getpid()) + ".bmp")).string();
  {
    const unsigned char bmp[] = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0,
                                 1, 0, 24, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                 0, 0, 255, 255, 0, 0, 0, 0};
    static_assert(sizeof bmp == 62);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bmp), sizeof bmp);
  }
  ASSERT_TRUE(Comando("I = IMMAGINE(\"" + file + "\", 1, 2);")) << Errore();
  EXPECT_EQ(Di<cValoreImmagine>("I").Immagine.Width(), 2);
  EXPECT_EQ(Di<cValoreImmagine>("I").x, 1);
  EXPECT_FALSE(Di<cValoreImmagine>("I").bStretch);
  ASSERT_TRUE(Comando("S = IMMAGINE(\"" + file + "\", 1, 2, 5, -1);")) << Errore();
  EXPECT_TRUE(Di<cValoreImmagine>("S").bStretch);
  EXPECT_EQ(Di<cValoreImmagine>("S").x1, 5);

  run.finestra.Quando([] { return DatiGlob.bAttesaImmagine; }, [] {
    MouseMosso(Px(1, 1));
    Clic(Px(-3, 4));
  });
  ASSERT_TRUE(Comando("M = IMMAGINE(\"" + file + "\");")) << Errore();
  std::remove(file.c_str());
  EXPECT_EQ(Di<cValoreImmagine>("M").x, -3);
  EXPECT_EQ(Di<cValoreImmagine>("M").y, 4);
  EXPECT_FALSE(Comando("X = IMMAGINE(3);"));
  EXPECT_EQ(Errore(), "Parametri errati per IMMAGINE");
  EXPECT_FALSE(Comando("X = IMMAGINE(\"f\", 3);"));
  EXPECT_EQ(Errore(), "Parametri errati per IMMAGINE");
}

TEST_F(TestoMouse, AFreehandLineFollowsTheDrag) {
  run.finestra.Quando([] { return DatiGlob.bAttesaLinea; }, [] {
    MousePremuto(Px(0, 0));
    MouseMosso(Px(1, 1));
    MouseMosso(Px(2, 1));
    MouseRilasciato(Px(2, 1));
  });
  ASSERT_TRUE(Comando("L = LINEA;")) << Errore();
  const auto& l = Di<cValoreLinea>("L");
  ASSERT_EQ(l.Punti.Count(), 3);
  EXPECT_EQ(l.Punti.Elemento(1).x, 1);
  EXPECT_EQ(l.Punti.Elemento(2).y, 1);
  EXPECT_FALSE(l._bScrittura);
  EXPECT_EQ(run.finestra.Prompt.front(), ParoleChiave.prmLinea);
  EXPECT_EQ(DatiGlob.LineaInCorso, nullptr);

  // Between two points: it starts at the nearer and ends at the other.
  Punto("A", -4, 0);
  Punto("B", 4, 0);
  run.finestra.Quando([] { return DatiGlob.bAttesaLinea; }, [] {
    MousePremuto(Px(3.5, 0.5));
    MouseMosso(Px(0, 2));
    MouseRilasciato(Px(-3, 0));
  });
  ASSERT_TRUE(Comando("M = LINEA(A, B);")) << Errore();
  const auto& m = Di<cValoreLinea>("M");
  ASSERT_GE(m.Punti.Count(), 3);
  EXPECT_EQ(m.Punti.Elemento(0).x, 4);
  EXPECT_EQ(m.Punti.Elemento(m.Punti.Count() - 1).x, -4);
  EXPECT_EQ(DatiGlob.PuntoInizioLinea, nullptr);

  EXPECT_FALSE(Comando("X = LINEA(A);"));
  EXPECT_EQ(Errore(), "Parametri errati");
}

TEST_F(TestoMouse, ThePenWritesStrokesUntilTheButtonEndsIt) {
  run.finestra.Quando([] { return DatiGlob.bModoPenna; }, [] {
    MousePremuto(Px(0, 0));
    MouseMosso(Px(1, 0));
    MouseRilasciato(Px(1, 0));
    MousePremuto(Px(0, 1));
    MouseMosso(Px(1, 1));
    MouseRilasciato(Px(1, 1));
    TerminaPenna();
  });
  ASSERT_TRUE(Comando("P = PENNA(1, 2);")) << Errore();
  const auto& p = Di<cValoreLinea>("P");
  EXPECT_TRUE(p._bScrittura);
  ASSERT_EQ(p.Punti.Count(), 6);
  EXPECT_EQ(p.Punti.Elemento(2).x, PENNA_SU) << "the pen lifts between strokes";
  EXPECT_EQ(p.Punti.Elemento(3).y, 1);
  EXPECT_EQ(run.finestra.Prompt.front(), ParoleChiave.prmPenna);
  EXPECT_EQ(DatiGlob.CursoreRifCart, crDefault);
}

}  // namespace
}  // namespace qx::test
