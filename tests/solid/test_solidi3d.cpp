// Solids made by programs: cylinders and cones, boxes, polyhedra and their nets, faces and
// solids, segments, lines and the line where two planes meet, surfaces of functions.
#include <cmath>
#include <tuple>
#include <vector>

#include "solid/Facce3D.h"
#include "solid/Funzione3D.h"
#include "solid/Parall3D.h"
#include "solid/Poliedri3D.h"
#include "solid/Retta3D.h"
#include "solid/Rotondi3D.h"
#include "tests/solid/Spazio.h"

namespace qx::test {
namespace {

using Solidi3D = Spazio;

using Faccia = std::vector<TAffineVector>;

// The faces of a holder's value in the holder's frame.
std::vector<Faccia> Facce(const cValoreTetraedro3D& v) {
  std::vector<Faccia> r;
  for (int i = 1; i <= v.nFacce; ++i) r.push_back(NodiNelPadre(*v.Faccia(i)));
  return r;
}
std::vector<Faccia> Facce(const cValoreParall3D& v) {
  std::vector<Faccia> r;
  for (int i = 1; i <= 6; ++i) r.push_back(NodiNelPadre(*v.Faccia(i)));
  return r;
}

// The largest distance of a corner from the plane of the face's first three.
double FuoriPiano(const Faccia& f) {
  TAffineVector n{0, 0, 0};
  for (std::size_t i = 0; i < f.size(); ++i) n = VectorAdd(n, VectorCrossProduct(f[i], f[(i + 1) % f.size()]));
  const double l = VectorLength(n);
  double peggiore = 0;
  for (const auto& p : f) peggiore = std::max(peggiore, std::fabs(VectorDotProduct(VectorSubtract(p, f[0]), n) / l));
  return peggiore;
}

double LatoMassimoScarto(const std::vector<Faccia>& facce, double lato) {
  double peggiore = 0;
  for (const auto& f : facce)
    for (std::size_t i = 0; i < f.size(); ++i)
      peggiore = std::max(peggiore, std::fabs(VectorDistance(f[i], f[(i + 1) % f.size()]) - lato));
  return peggiore;
}

// Whether a point of the plane z = 0 lies strictly inside a convex face laid there.
bool Dentro(const Faccia& f, float x, float y) {
  int segno = 0;
  for (std::size_t i = 0; i < f.size(); ++i) {
    const TAffineVector& a = f[i];
    const TAffineVector& b = f[(i + 1) % f.size()];
    const double c = double(b.X - a.X) * (y - a.Y) - double(b.Y - a.Y) * (x - a.X);
    if (std::fabs(c) < 1e-4) return false;
    const int s = c > 0 ? 1 : -1;
    if (segno && s != segno) return false;
    segno = s;
  }
  return true;
}

// A net lies flat (z the same everywhere) and no two faces cover one point.
void ControllaRete(const std::vector<Faccia>& facce, float z) {
  for (const auto& f : facce)
    for (const auto& p : f) ASSERT_NEAR(p.X == p.X ? p.Z : 1e9f, z, 1e-4f);
  float minimo = 1e9f, massimo = -1e9f;
  for (const auto& f : facce)
    for (const auto& p : f) minimo = std::min({minimo, p.X, p.Y}), massimo = std::max({massimo, p.X, p.Y});
  const int n = 160;
  for (int i = 0; i <= n; ++i)
    for (int j = 0; j <= n; ++j) {
      const float x = minimo + (massimo - minimo) * float(i) / n, y = minimo + (massimo - minimo) * float(j) / n;
      int sopra = 0;
      for (const auto& f : facce) sopra += Dentro(f, x, y);
      ASSERT_LE(sopra, 1) << "two faces over (" << x << ", " << y << ")";
    }
}

TEST_F(Solidi3D, PolyhedraHaveTheirFacesPlanarAndTheirSides) {
  ASSERT_EQ(Esegui("RIFCART3D;\nO = PUNTO3D(0,0,0);\nPR = PRISMA(O, 2, 3);\nTE = TETRAEDRO(O, 2);\nPI = PIRAMIDE(O, 2, 3);\n"
                   "OT = OTTAEDRO(O, 2);\nDO = DODECAEDRO(O, 2);\nIC = ICOSAEDRO(O, 2);"),
            "<ok>");
  const std::pair<const char*, int> attese[] = {{"PR", 7}, {"TE", 4}, {"PI", 5}, {"OT", 8}, {"DO", 12}, {"IC", 20}};
  for (const auto& [nome, facce] : attese) {
    const auto& v = Di<cValoreTetraedro3D>(nome);
    EXPECT_EQ(v.nFacce, facce) << nome;
    for (const auto& f : Facce(v)) EXPECT_LT(FuoriPiano(f), 1e-6) << nome;
  }
  for (const char* nome : {"TE", "OT", "DO", "IC"}) EXPECT_LT(LatoMassimoScarto(Facce(Di<cValoreTetraedro3D>(nome)), 2), 1e-4) << nome;
  EXPECT_EQ(run.Testo("TE"), "Tetraedro: TE");
  EXPECT_EQ(run.Testo("PI"), "Piramide: PI");
  EXPECT_EQ(run.Testo("PR"), "Prisma: PR");
  EXPECT_EQ(run.Valore("PI")->Tipo, T_PIRAMIDE3D);
  ASSERT_EQ(Comando("ICOSAEDRO(O, 1);"), "<ok>");
  EXPECT_EQ(run.Testo("$" + std::to_string(DatiGlob.ContatoreOggetti)), "Icosaedro");
  // Standing on the point given, on a face.
  for (const char* nome : {"TE", "OT", "DO", "IC", "PR", "PI"}) {
    float basso = 1e9f;
    for (const auto& f : Facce(Di<cValoreTetraedro3D>(nome)))
      for (const auto& p : f) basso = std::min(basso, p.Z);
    EXPECT_NEAR(basso, 0, 1e-5f) << nome;
  }
  // The pyramid's apex and the prism's top.
  const auto pi = Facce(Di<cValoreTetraedro3D>("PI"));
  EXPECT_NEAR(pi[1][2].Z, 3, 1e-5f);
  EXPECT_NEAR(Facce(Di<cValoreTetraedro3D>("PR"))[1][0].Z, 3, 1e-5f);
  EXPECT_EQ(Comando("X = TETRAEDRO(O, 1, 2, 3);"), "Parametri errati per TETRAEDRO");
  EXPECT_EQ(Comando("X = PRISMA(\"a\");"), "Parametri errati per PRISMA");
}

TEST_F(Solidi3D, ACubeOpensInEighteenStepsAndStaysOpen) {
  ASSERT_EQ(Esegui("RIFCART3D;\nC = CUBO(PUNTO3D(0,0,0), 2);"), "<ok>");
  auto& c = Di<cValoreParall3D>("C");
  EXPECT_EQ(c.Tipo, T_CUBO3D);
  EXPECT_EQ(run.Testo("C"), "Cubo: C");
  EXPECT_TRUE(Circa(Dove("C"), 0, 0, 1)) << "its base on the point";
  const std::uint64_t prima = run.finestra.Orologio;
  ASSERT_EQ(Comando("APRIPOLIEDRO(C);"), "<ok>");
  // Each pause ends just past its 200 ms.
  EXPECT_EQ(std::lround(double(run.finestra.Orologio - prima) / 200), 18) << "18 steps of 200 ms";
  EXPECT_TRUE(c.Aperto);
  const auto aperta = Facce(c);
  ControllaRete(aperta, -1);
  ASSERT_EQ(Comando("APRIPOLIEDRO(C);"), "<ok>");
  EXPECT_TRUE(c.Aperto) << "an open box stays open";
  const auto ancora = Facce(c);
  for (std::size_t i = 0; i < aperta.size(); ++i)
    for (std::size_t k = 0; k < aperta[i].size(); ++k) EXPECT_TRUE(VectorEquals(aperta[i][k], ancora[i][k]));
  // A copy of an open box is open.
  ASSERT_EQ(Comando("D = C;"), "<ok>");
  EXPECT_TRUE(Di<cValoreParall3D>("D").Aperto);
  const auto copia = Facce(Di<cValoreParall3D>("D"));
  for (std::size_t i = 0; i < aperta.size(); ++i)
    for (std::size_t k = 0; k < aperta[i].size(); ++k) EXPECT_TRUE(Circa(copia[i][k], aperta[i][k].X, aperta[i][k].Y, aperta[i][k].Z));
}

TEST_F(Solidi3D, ABoxHasItsSizesAlongItsAxes) {
  ASSERT_EQ(Esegui("RIFCART3D;\nB = PARALLELEPIPEDO(PUNTO3D(1,1,0), 4, 2, 3);"), "<ok>");
  auto& b = Di<cValoreParall3D>("B");
  EXPECT_EQ(b.Larghezza, 4);
  EXPECT_EQ(b.Profondita, 2);
  EXPECT_EQ(b.Altezza, 3);
  EXPECT_EQ(run.Testo("B"), "Parallelepipedo: B");
  float x = 0, y = 0, z = 0;
  for (const auto& f : Facce(b))
    for (const auto& p : f) x = std::max(x, p.X), y = std::max(y, p.Y), z = std::max(z, p.Z);
  EXPECT_EQ(x, 2.0f) << "Larghezza along X";
  EXPECT_EQ(y, 1.5f) << "Altezza along Y";
  EXPECT_EQ(z, 1.0f) << "Profondita along Z";
  EXPECT_TRUE(Circa(Dove("B"), 1, 1, 1));
  EXPECT_EQ(Comando("X = PARALLELEPIPEDO(1, 2);"), "Parametri errati per PARALLELEPIPEDO");
  EXPECT_EQ(Comando("X = CUBO(1, 2);"), "Parametri errati per CUBO");
}

TEST_F(Solidi3D, RegularNetsOpenFlatAndFoldBack) {
  ASSERT_EQ(Esegui("RIFCART3D;\nO = PUNTO3D(0,0,0);\nTE = TETRAEDRO(O, 2);\nOT = OTTAEDRO(O, 2);\n"
                   "DO = DODECAEDRO(O, 2);\nIC = ICOSAEDRO(O, 2);"),
            "<ok>");
  // Steps and the pause after each (the icosahedron opens group by group).
  const std::tuple<const char*, int, int> passi[] = {{"TE", 10, 200}, {"OT", 10, 200}, {"DO", 15, 100}, {"IC", 5, 500}};
  for (const auto& [nome, quanti, pausa] : passi) {
    auto& v = Di<cValoreTetraedro3D>(nome);
    const auto chiuso = Facce(v);
    const std::uint64_t prima = run.finestra.Orologio;
    ASSERT_EQ(Comando(std::string("APRIPOLIEDRO(") + nome + ");"), "<ok>");
    EXPECT_EQ(std::lround(double(run.finestra.Orologio - prima) / pausa), quanti) << nome;
    EXPECT_TRUE(v.Aperto) << nome;
    ControllaRete(Facce(v), 0);
    EXPECT_LT(LatoMassimoScarto(Facce(v), 2), 1e-4) << nome;
    ASSERT_EQ(Comando(std::string("APRIPOLIEDRO(") + nome + ");"), "<ok>");
    EXPECT_FALSE(v.Aperto) << nome << " folds back";
    const auto richiuso = Facce(v);
    for (std::size_t i = 0; i < chiuso.size(); ++i)
      for (std::size_t k = 0; k < chiuso[i].size(); ++k)
        EXPECT_TRUE(Circa(richiuso[i][k], chiuso[i][k].X, chiuso[i][k].Y, chiuso[i][k].Z, 1e-4f)) << nome;
  }
  EXPECT_EQ(Comando("APRIPOLIEDRO(PRISMA(O, 1, 1));"), "Parametri errati per APRIPOLIEDRO");
  EXPECT_EQ(Comando("APRIPOLIEDRO(PIRAMIDE(O, 1, 1));"), "Parametri errati per APRIPOLIEDRO");
  EXPECT_EQ(Comando("APRIPOLIEDRO(O);"), "Parametri errati per APRIPOLIEDRO");
  // An open one copies open.
  ASSERT_EQ(Comando("APRIPOLIEDRO(TE);"), "<ok>");
  ASSERT_EQ(Comando("U = TE;"), "<ok>");
  EXPECT_TRUE(Di<cValoreTetraedro3D>("U").Aperto);
  ControllaRete(Facce(Di<cValoreTetraedro3D>("U")), 0);
}

TEST_F(Solidi3D, CylindersAndCones) {
  ASSERT_EQ(Esegui("RIFCART3D;\nC = CILINDRO(PUNTO3D(1,2,3), 0.5, 4);\nK = CONO(2, 3);\nK2 = CONO2(30, 2);\n"
                   "K3 = CONO2(PUNTO3D(0,0,5), 45, 1);\nY = CILINDRO(1, 2);"),
            "<ok>");
  auto& c = Di<cValoreCilindro3D>("C");
  EXPECT_TRUE(Circa(Dove("C"), 1, 2, 5)) << "the base centred on the point";
  EXPECT_EQ(c.Cilindro()->Height(), 4.0f);
  EXPECT_EQ(c.Cilindro()->BottomRadius(), 0.5f);
  EXPECT_EQ(c.Cilindro()->Parent(), scena.Scene1().Objects());
  EXPECT_TRUE(Circa(Dove("Y"), 0, 0, 1));
  auto& k = Di<cValoreCono3D>("K");
  EXPECT_FALSE(k.Cono2);
  EXPECT_EQ(k.Parte(1)->BottomRadius(), 2.0f);
  EXPECT_EQ(k.Parte(2), nullptr);
  auto& k2 = Di<cValoreCono3D>("K2");
  EXPECT_TRUE(k2.Cono2) << "a copy keeps whether it is double";
  EXPECT_NEAR(k2.Raggio, 2, 1e-15);
  EXPECT_EQ(k2.Altezza, 2);
  ASSERT_NE(k2.Parte(2), nullptr);
  const THomogeneousVector apice = k2.Parte(1)->AbsolutePosition();
  EXPECT_NEAR(apice.Z, 1, 1e-6f);
  EXPECT_NEAR(k2.Parte(2)->AbsolutePosition().Z, 3, 1e-6f);
  EXPECT_TRUE(Circa(Dove("K3"), 0, 0, 4)) << "the common apex on the point";
  EXPECT_EQ(run.Testo("K"), "Cono: K");
  EXPECT_EQ(run.Testo("C"), "Cilindro: C");
  ASSERT_EQ(Comando("PS = PIANOSEC(K2, 20);"), "<ok>");
  EXPECT_EQ(V3("PS").Principale()->TurnAngle(), 55.0f);
  EXPECT_EQ(static_cast<TGLCube*>(V3("PS").Principale())->CubeWidth(), 100.0f);
  EXPECT_EQ(Comando("PS = PIANOSEC(K, 20);"), "Parametri errati per PIANOSEC") << "a single cone";
}

TEST_F(Solidi3D, SegmentsLinesAndTheMeetingOfPlanes) {
  ASSERT_EQ(Esegui("RIFCART3D;\nA = PUNTO3D(0,0,0);\nB = PUNTO3D(0,0,2);\nS = SEGMENTO3D(A, B);\nR = RETTA3D(A, PUNTO3D(1,0,0));\n"
                   "Z = SEGMENTO3D(A, A);"),
            "<ok>");
  auto& s = Di<cValoreRetta3D>("S");
  EXPECT_EQ(s.Linea()->Height(), 2.0f);
  EXPECT_TRUE(Circa(Dove("S"), 0, 0, 1));
  EXPECT_TRUE(Circa(s.Linea()->Direction().AsAffineVector(), 0, 0, 1));
  EXPECT_EQ(s.Linea()->BottomRadius(), 0.021f);
  EXPECT_EQ(run.Testo("S"), "Segmento: S");
  auto& r = Di<cValoreRetta3D>("R");
  EXPECT_EQ(r.Linea()->Height(), 100.0f);
  EXPECT_TRUE(Circa(Dove("R"), 0, 0, 0));
  EXPECT_TRUE(Circa(r.Linea()->Direction().AsAffineVector(), 1, 0, 0));
  EXPECT_EQ(run.Testo("R"), "Retta: R");
  auto& z = Di<cValoreRetta3D>("Z");
  EXPECT_EQ(z.Linea()->Height(), 0.0f);
  for (float c : {z.Linea()->Direction().X(), z.Linea()->Direction().Y(), z.Linea()->Direction().Z(),
                  z.Linea()->Position().X()})
    EXPECT_FALSE(std::isnan(c));
  EXPECT_EQ(Comando("S = SEGMENTO3D(A);"), "Parametri errati per SEGMENTO3D");
  // Planes.
  ASSERT_EQ(Comando("P1 = PIANO(A, PUNTO3D(1,0,0), PUNTO3D(0,1,0));"), "<ok>");
  ASSERT_EQ(Comando("P2 = PIANO(PUNTO3D(0,0,1), PUNTO3D(1,0,1), PUNTO3D(0,1,1));"), "<ok>");
  EXPECT_EQ(Comando("L = INTERSEZIONE3D(P1, P2);"), "INTERSEZIONE3D i due piani sono paralleli");
  EXPECT_EQ(run.Valore("L"), nullptr);
  ASSERT_EQ(Comando("L = INTERSEZIONE3D(P1, PIANOXZ);"), "<ok>");
  const TAffineVector d = Di<cValoreRetta3D>("L").Linea()->Direction().AsAffineVector();
  EXPECT_NEAR(std::fabs(d.X), 1, 1e-6f) << d;
  EXPECT_EQ(Di<cValoreRetta3D>("L").Linea()->Height(), 100.0f);
  EXPECT_EQ(Di<cValoreRetta3D>("L").Tipo, T_RETTA3D);
  EXPECT_EQ(Comando("L = INTERSEZIONE3D(P1, A);"), "Parametri errati per INTERSEZIONE3D");
}

TEST_F(Solidi3D, FacesDropRepeatedCornersAndSolidsJoinThem) {
  ASSERT_EQ(Esegui("RIFCART3D;\nA = PUNTO3D(0,0,0);\nB = PUNTO3D(2,0,0);\nC = PUNTO3D(2,2,0);\nD = PUNTO3D(0,2,0);\n"
                   "F = FACCIA(A, B, B, C, D, A);\nT = FACCIA(PUNTO3D(0,0,3), PUNTO3D(1,0,3), PUNTO3D(0,1,3));\n"
                   "U = FACCIA(A);\nV = FACCIA(A, A, A);"),
            "<ok>");
  auto& f = Di<cValoreFaccia3D>("F");
  EXPECT_EQ(f.Poligono()->Nodes().Count(), 4);
  EXPECT_TRUE(Circa(Dove("F"), 1, 1, 0)) << "placed at its barycentre";
  EXPECT_TRUE(Circa(f.VerticiAssoluti()[2], 2, 2, 0));
  EXPECT_EQ(Di<cValoreFaccia3D>("U").Poligono()->Nodes().Count(), 1);
  EXPECT_EQ(Di<cValoreFaccia3D>("V").Poligono()->Nodes().Count(), 1);
  EXPECT_EQ(run.Testo("F"), "Faccia: F");
  EXPECT_EQ(Comando("S = SOLIDO(F, T);"), "SOLIDO: Le due facce non hanno lo stesso numero di vertici");
  EXPECT_EQ(run.Valore("S"), nullptr);
  ASSERT_EQ(Comando("S = SOLIDO(F, PUNTO3D(1,1,4));"), "<ok>");
  auto& s = Di<cValoreSolido3D>("S");
  EXPECT_EQ(s.nFacce, 6);
  EXPECT_TRUE(Circa(Dove("S"), 1, 1, 0));
  for (int i = 3; i <= 6; ++i) {
    const auto lato = NodiNelPadre(*s.Faccia(i));
    ASSERT_EQ(lato.size(), 3u) << "towards an apex a side is a triangle";
    EXPECT_TRUE(Circa(lato[1], 0, 0, 4)) << "every side reaches the apex";
    const TAffineVector n = s.Faccia(i)->Nodes().Normal();
    EXPECT_NEAR(VectorLength(n), 1, 1e-5) << "side " << i << " has a normal";
  }
  ASSERT_EQ(Comando("G = FACCIA(PUNTO3D(0,0,5), PUNTO3D(2,0,5), PUNTO3D(2,2,5), PUNTO3D(0,2,6));"), "<ok>");
  ASSERT_EQ(Comando("P = SOLIDO(F, G);"), "<ok>");
  auto& p = Di<cValoreSolido3D>("P");
  EXPECT_EQ(p.nFacce, 6);
  const auto base2 = NodiNelPadre(*p.Faccia(2));
  EXPECT_TRUE(Circa(base2[3], -1, 1, 6)) << base2[3];
  EXPECT_EQ(Comando("P = SOLIDO(F);"), "Parametri errati per SOLIDO");
  EXPECT_EQ(Comando("P = FACCIA(A, 3);"), "Parametri errati per FACCIA");
  EXPECT_EQ(Comando("P = FACCIA;"), "Parametri errati per FACCIA");
}

TEST_F(Solidi3D, SurfacesOfFunctionsOfXAndY) {
  EXPECT_EQ(Esegui("F = FUNZIONE3D(\"x*y+1\");\nA = VALUTAFUNZ(F, 2, 3);\nE = EDONUM(FUNZIONE3D(\"y\"), 0, 1, 1, 1);"), "<ok>")
      << "no frame is needed";
  EXPECT_EQ(run.Testo("A"), "7");
  EXPECT_NEAR(double(static_cast<cValoreReale&>(*run.Valore("E")).Value), std::exp(1.0), 1e-6);
  auto& f = Di<cValoreFunzione3D>("F");
  EXPECT_EQ(f._sFunz, "x*y+1");
  EXPECT_EQ(run.Testo("F"), "Funzione 3D: F");
  EXPECT_FALSE(f.Superficie()->Visible());
  float z = 9;
  TColorVector colore;
  TTexPoint t;
  f.Superficie()->OnGetHeight()(2, 3, z, colore, t);
  EXPECT_EQ(z, 0.0f) << "flat while hidden";
  EXPECT_EQ(Comando("GRAFICOFUNZ3D(F);"), "GRAFICOFUNZ3D: Occorre prima fissare il Riferimento nello Spazio");
  ASSERT_EQ(Comando("RIFCART3D;"), "<ok>");
  ASSERT_EQ(Comando("GRAFICOFUNZ3D(F);"), "<ok>");
  EXPECT_TRUE(f.Superficie()->Visible());
  EXPECT_EQ(f.Superficie()->XSamplingScale().Min(), -5.0f);
  EXPECT_EQ(f.Superficie()->YSamplingScale().Max(), 5.0f);
  f.Superficie()->OnGetHeight()(2, 3, z, colore, t);
  EXPECT_EQ(z, 7.0f);
  EXPECT_EQ(Comando("GRAFICOFUNZ3D(FUNZIONE3D(\"x\"));"),
            "GRAFICOFUNZ3D: il parametro deve essere un oggetto funzione già definito.");
  EXPECT_EQ(Comando("GRAFICOFUNZ3D(3);"), "Parametri errati per GRAFICOFUNZ3D");
  ASSERT_EQ(Comando("G = FUNZIONE3D(\"1/x\");"), "<ok>");
  ASSERT_EQ(Comando("GRAFICOFUNZ3D(G);"), "<ok>");
  Di<cValoreFunzione3D>("G").Superficie()->OnGetHeight()(0, 1, z, colore, t);
  EXPECT_EQ(z, 0.0f) << "an undefined height is drawn flat, never as a NaN";
  EXPECT_EQ(Comando("H = FUNZIONE3D(3);"), "Parametri errati per FUNZIONE3D");
  EXPECT_NE(Comando("H = FUNZIONE3D(\"x+*\");"), "<ok>");
  EXPECT_EQ(run.Valore("H"), nullptr);
  Fotografa();
}

}  // namespace
}  // namespace qx::test
