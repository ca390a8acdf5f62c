// The space view as a pupil reads it, probed on pictures rendered off-screen (and kept
// under build/pictures/): faces lit on both sides and never black, a solid with an apex, a
// saddle seen from above and from below, a net lying on the floor with whole outlines, a
// large plane lit in its middle.
#include <filesystem>

#include "solid/Facce3D.h"
#include "solid/Parall3D.h"
#include "solid/Piano3D.h"
#include "tests/solid/Spazio.h"

namespace qx::test {
namespace {

class ImmaginiSpazio : public Spazio {
 protected:
  ImmaginiSpazio() { scena.SetDimensioniVista(600, 400); }

  // Draws the view and keeps its picture as build/pictures/<nome>.png.
  void Foto(const std::string& nome) {
    Fotografa();
    std::filesystem::create_directories(QUORIX_PICTURES);
    EXPECT_TRUE(scena.SalvaPng(std::string(QUORIX_PICTURES) + "/" + nome + ".png"));
  }
  // The pixels where the value shows: those that change when it is hidden.
  std::vector<TPoint> Impronta(const std::string& nome) {
    const TBitmap con = foto;
    TGLBaseSceneObject* o = V3(nome).Principale();
    o->SetVisible(false);
    Fotografa();
    o->SetVisible(true);
    std::vector<TPoint> r;
    for (int y = 0; y < con.Height(); ++y)
      for (int x = 0; x < con.Width(); ++x)
        if (con.Pixel(x, y) != foto.Pixel(x, y)) r.push_back({x, y});
    foto = con;
    return r;
  }
  bool Nero(TPoint p) const {
    const TRgb c = Pixel(p.x, p.y);
    return c.r < 40 && c.g < 40 && c.b < 40;
  }
  // The share of near-black pixels among these.
  double QuotaNera(const std::vector<TPoint>& pixel) const {
    int neri = 0;
    for (TPoint p : pixel) neri += Nero(p);
    return pixel.empty() ? 1.0 : double(neri) / double(pixel.size());
  }
  TPoint Schermo(const TAffineVector& p) {
    TGLSceneBuffer& b = scena.Vista().Buffer();
    const THomogeneousVector s = b.ProjectPoint(PointMake(p));
    return {int(std::lround(s.X)), b.Height() - int(std::lround(s.Y))};
  }
  // The share of the points along a segment of the floor (ends left out, and where an axis
  // arrow crosses it) that are drawn in this colour, within a pixel.
  double QuotaLungo(const TAffineVector& a, const TAffineVector& b, TRgb colore, int tolleranza) {
    const int n = 40;
    int presi = 0, provati = 0;
    for (int i = 1; i < n; ++i) {
      const TAffineVector q = AffineVectorLerp(a, b, float(i) / n);
      if (std::fabs(q.X) < 0.1f || std::fabs(q.Y) < 0.1f) continue;
      const TPoint p = Schermo(q);
      presi += Vicino(p.x, p.y, colore, 1, tolleranza);
      ++provati;
    }
    return provati ? double(presi) / provati : 1.0;
  }
};

TEST_F(ImmaginiSpazio, ASolidWithAnApexHasEverySideLit) {
  ASSERT_EQ(Esegui("RIFCART3D;\nA = PUNTO3D(-2,-2,0);\nB = PUNTO3D(2,-2,0);\nC = PUNTO3D(2,2,0);\n"
                   "D = PUNTO3D(-2,2,0);\nF = FACCIA(A, B, C, D);\nV = PUNTO3D(0,0,4);\nS = SOLIDO(F, V);"),
            "<ok>");
  V3("F").Principale()->SetVisible(false);
  Foto("piramide_solido");
  const auto impronta = Impronta("S");
  EXPECT_GT(impronta.size(), 5000u);
  EXPECT_LT(QuotaNera(impronta), 0.02);
  // The middle of every side, near or far, shows the fill colour's tone, never black.
  const auto& s = Di<cValoreSolido3D>("S");
  for (int i = 3; i <= 6; ++i) {
    const auto lato = NodiNelPadre(*s.Faccia(i));
    TAffineVector m{0, 0, 0};
    for (const auto& v : lato) m = VectorAdd(m, v);
    m = VectorAdd(VectorScale(m, 1.0f / float(lato.size())), Dove("S"));
    EXPECT_FALSE(Nero(Schermo(m))) << "side " << i << " at " << m << ": " << Pixel(Schermo(m).x, Schermo(m).y);
  }
}

TEST_F(ImmaginiSpazio, ASaddleIsLitFromAboveAndFromBelow) {
  ASSERT_EQ(Esegui("RIFCART3D;\nF = FUNZIONE3D(\"x*x - y*y\");\nGRAFICOFUNZ3D(F);"), "<ok>");
  Foto("sella_sopra");
  const auto sopra = Impronta("F");
  EXPECT_GT(sopra.size(), 30000u);
  EXPECT_LT(QuotaNera(sopra), 0.02);
  // From below the floor the underside faces the camera.
  scena.GLCamera1->Position().SetAsVector({8, -8, -6, 1});
  Foto("sella_sotto");
  const auto sotto = Impronta("F");
  EXPECT_GT(sotto.size(), 30000u);
  EXPECT_LT(QuotaNera(sotto), 0.02);
  // A flat surface seen from below: its underside shows its colour.
  ASSERT_EQ(Comando("G = FUNZIONE3D(\"0\");"), "<ok>");
  ASSERT_EQ(Comando("GRAFICOFUNZ3D(G);"), "<ok>");
  V3("F").Principale()->SetVisible(false);
  scena._GLCXY->SetVisible(false);
  Fotografa();
  const TRgb c = Pixel(Schermo({1, 1, 0}).x, Schermo({1, 1, 0}).y);
  EXPECT_GT(c.g, 120) << c;
  EXPECT_GT(c.b, 120) << c;
  EXPECT_LT(c.r, 60) << c;
}

TEST_F(ImmaginiSpazio, ANetOnTheFloorShowsWholeOutlinesOverTheGrid) {
  ASSERT_EQ(Esegui("RIFCART3D;\nC = CUBO(PUNTO3D(0,0,0), 2);\nAPRIPOLIEDRO(C);"), "<ok>");
  Foto("rete_cubo");
  const auto& c = Di<cValoreParall3D>("C");
  const TColor penna = c.Pen.Color;
  const TRgb blu{int(penna & 0xFF), int((penna >> 8) & 0xFF), int((penna >> 16) & 0xFF)};
  // Every edge lies on the floor, most of them on the grid's lines: drawn whole.
  for (int i = 1; i <= 6; ++i) {
    std::vector<TAffineVector> f;
    for (const auto& v : NodiNelPadre(*c.Faccia(i))) f.push_back(VectorAdd(v, Dove("C")));
    for (std::size_t k = 0; k < f.size(); ++k) {
      ASSERT_NEAR(f[k].Z, 0, 1e-4f);
      EXPECT_GE(QuotaLungo(f[k], f[(k + 1) % f.size()], blu, 60), 0.97)
          << "face " << i << " edge " << k << " from " << f[k];
    }
  }
  EXPECT_LT(QuotaNera(Impronta("C")), 0.02);
}

TEST_F(ImmaginiSpazio, ALargePlaneIsLitWhereItIsNearTheLight) {
  ASSERT_EQ(Esegui("RIFCART3D;\nCOLORERIEMPIMENTO(255, 255, 255);\nP = PIANO(PUNTO3D(0,0,1), PUNTO3D(1,0,1), "
                   "PUNTO3D(0,1,1));"),
            "<ok>");
  for (auto* p : {scena._GLCXY, scena._GLCXZ, scena._GLCYZ}) p->SetVisible(false);
  // As wide as a plane of conic sections: its corners lie 70 away from the light, which
  // stands 5 above the plane at the camera.
  Di<cValorePiano3D>("P").Cubo()->SetCubeWidth(100);
  Di<cValorePiano3D>("P").Cubo()->SetCubeHeight(100);
  Foto("piano_100");
  const auto impronta = Impronta("P");
  ASSERT_GT(impronta.size(), 50000u);
  int chiaro = 0;
  for (TPoint p : impronta) {
    const TRgb c = Pixel(p.x, p.y);
    chiaro = std::max(chiaro, (c.r + c.g + c.b) / 3);
  }
  EXPECT_GT(chiaro, 170) << "lit where the light falls on it, not only by its far corners";
  EXPECT_LT(QuotaNera(impronta), 0.02);
}

}  // namespace
}  // namespace qx::test
