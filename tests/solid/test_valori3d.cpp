// Space values made by programs: the frame they need, the argument forms and messages,
// where their scene objects stand, descriptions, groups, deletion and colour.
#include <random>

#include "solid/Gruppo3D.h"
#include "solid/Piano3D.h"
#include "solid/Punto3D.h"
#include "solid/Rotondi3D.h"
#include "tests/solid/Spazio.h"

namespace qx::test {
namespace {

using Valori3D = Spazio;

TEST_F(Valori3D, EverySpaceStatementNeedsTheFrameAndItsOwnArguments) {
  EXPECT_EQ(Esegui("PUNTO3D(1,2,3);"), "1 PUNTO3D: Occorre prima fissare il Riferimento nello Spazio");
  EXPECT_EQ(Esegui("S = SFERA(1);"), "1 SFERA: Occorre prima fissare il Riferimento nello Spazio");
  EXPECT_EQ(Esegui("G = GRUPPO3D;"), "1 GRUPPO3D: Occorre prima fissare il Riferimento nello Spazio");
  EXPECT_EQ(Esegui("RIFCART3D;\nPUNTO3D(1,2);"), "2 Parametri errati per PUNTO3D");
  EXPECT_EQ(Esegui("RIFCART3D;\nPUNTO3D(1,2,3,4);"), "2 Parametri errati per PUNTO3D");
  EXPECT_EQ(Esegui("RIFCART3D;\nPUNTO3D(1,2,\"3\");"), "2 Parametri errati per PUNTO3D");
  EXPECT_EQ(Esegui("RIFCART3D;\nP = PUNTO3D(1,0,0);\nQ = RUOTA3D(P, P, \"z\", 90, 1);"), "3 Parametri errati per RUOTA3D");
  EXPECT_EQ(Esegui("RIFCART3D;\nP = PUNTO3D(1,0,0);\nQ = RUOTA3D(P, P, \"z\");"), "3 Parametri errati per RUOTA3D");
  EXPECT_EQ(Esegui("RIFCART3D;\nG = GRUPPO3D(1);"), "2 Parametri errati per GRUPPO3D");
  EXPECT_EQ(Esegui("RIFCART3D;\nS = SFERA(\"a\");"), "2 Parametri errati per SFERA");
  EXPECT_EQ(Esegui("RIFCART3D;\nS = SFERA(1, 2);"), "2 Parametri errati per SFERA");
  // The frame of one run is not the next run's.
  EXPECT_EQ(Esegui("RIFCART3D;"), "<ok>");
  EXPECT_EQ(Esegui("P = PUNTO3D(1,2,3);"), "1 PUNTO3D: Occorre prima fissare il Riferimento nello Spazio");
  EXPECT_EQ(run.Valore("P"), nullptr);
}

TEST_F(Valori3D, APointStandsAtItsCoordinatesAndANamedOneHasItsLabel) {
  ASSERT_EQ(Esegui("RIFCART3D;\nP = PUNTO3D(1,2,3);\nPUNTO3D(4,5,6);"), "<ok>");
  auto& p = Di<cValorePunto3D>("P");
  EXPECT_TRUE(Circa(p.Coordinate(), 1, 2, 3)) << p.Coordinate();
  EXPECT_EQ(p.Sfera()->Radius(), 0.04f);
  EXPECT_TRUE(p.Sfera()->Visible());
  EXPECT_EQ(p.Sfera()->Parent(), scena.GLDCPareti);
  ASSERT_NE(p.Etichetta(), nullptr);
  EXPECT_EQ(p.Etichetta()->Text(), " P");
  EXPECT_EQ(p.Etichetta()->Parent(), scena.Scene1().Objects());
  const TColorVector blu = p.Etichetta()->ModulateColor().Color();
  EXPECT_EQ(blu.X, 0.0f);
  EXPECT_EQ(blu.Z, 1.0f) << "the pen's colour, scaled to 0..1";
  EXPECT_EQ(run.Testo("P"), "Punto: P");
  // The counter moved on with P's own anonymous value, which P replaced.
  auto& anonimo = Di<cValorePunto3D>("$2");
  EXPECT_EQ(anonimo.Etichetta(), nullptr);
  EXPECT_EQ(run.Testo("$2"), "Punto");
  EXPECT_TRUE(Circa(anonimo.Coordinate(), 4, 5, 6));
  // The argument copies and the value that the statement made are gone.
  EXPECT_EQ(ValoriVivi(), 5) << "three planes and two points";
  EXPECT_EQ(Esegui("RIFCART3D;\nP = PUNTO3D(1,2,3);\nX = P.X;"), "3 Identificatore non riconosciuto");
  EXPECT_EQ(Esegui("RIFCART3D;\nP = PUNTO3D(1,2,3);\nX = P(1);"), "3 Identificatore non riconosciuto");
}

TEST_F(Valori3D, RotatingAPointAboutAnAxisThroughACentre) {
  ASSERT_EQ(Esegui("RIFCART3D;\nP = PUNTO3D(1,0,0);\nC = PUNTO3D(0,0,0);\nQ = RUOTA3D(P, C, \"z\", 90);\n"
                   "R = RUOTA3D(P, PUNTO3D(1,1,1), \"X\", 180);\nU = RUOTA3D(P, C, \"Q\", 90);\n"
                   "V = RUOTA3D(P, C, \"\", 90);\nW = RUOTA3D(PUNTO3D(0,0,2), C, \"yes\", -90);"),
            "<ok>");
  const TAffineVector q = Di<cValorePunto3D>("Q").Coordinate();
  EXPECT_NEAR(q.X, 0, 1e-9);
  EXPECT_NEAR(q.Y, 1, 1e-9);
  EXPECT_NEAR(q.Z, 0, 1e-9);
  EXPECT_TRUE(Circa(Di<cValorePunto3D>("R").Coordinate(), 1, 2, 2)) << Di<cValorePunto3D>("R").Coordinate();
  EXPECT_TRUE(Circa(Di<cValorePunto3D>("U").Coordinate(), 1, 0, 0)) << "another letter leaves the point";
  EXPECT_TRUE(Circa(Di<cValorePunto3D>("V").Coordinate(), 1, 0, 0));
  EXPECT_TRUE(Circa(Di<cValorePunto3D>("W").Coordinate(), 2, 0, 0, 1e-6f)) << Di<cValorePunto3D>("W").Coordinate();
  EXPECT_EQ(V3("Q").Padre(), nullptr);
}

TEST_F(Valori3D, PlanesThroughThreePointsAndTheirRefusal) {
  ASSERT_EQ(Esegui("RIFCART3D;\nA = PUNTO3D(0,0,1);\nB = PUNTO3D(1,0,1);\nC = PUNTO3D(0,1,1);\nPI = PIANO(A, B, C);"),
            "<ok>");
  auto& pi = Di<cValorePiano3D>("PI");
  EXPECT_TRUE(Circa(pi.Normale(), 0, 0, 1)) << pi.Normale();
  EXPECT_TRUE(Circa(Dove("PI"), 0, 0, 1));
  EXPECT_EQ(pi.Cubo()->CubeWidth(), 10.0f);
  EXPECT_EQ(pi.Cubo()->CubeDepth(), 0.02f);
  EXPECT_TRUE(pi.Cubo()->Visible());
  EXPECT_EQ(run.Testo("PI"), "Piano: PI");
  auto piani = [] {
    int n = 0;
    for (cValoreGraf3D* v = cValoreGraf3D::Primo(); v; v = v->Successivo()) n += v->Tipo == T_PIANO3D;
    return n;
  };
  const int prima = piani();
  EXPECT_EQ(Comando("PR = PIANO(A, B, PUNTO3D(2,0,1));"), "Punti allineati per PIANO");
  EXPECT_EQ(run.Valore("PR"), nullptr);
  EXPECT_EQ(Comando("PR = PIANOSEC(A, A, B);"), "Punti allineati per PIANOSEC");
  EXPECT_EQ(piani(), prima) << "nothing was made";
  EXPECT_EQ(Comando("PR = PIANO(A);"), "Parametri errati per PIANO");
  EXPECT_EQ(Comando("PR = PIANO;"), "Parametri errati per PIANO");
  // PIANOSEC takes the forms of PIANO.
  EXPECT_EQ(Comando("PS = PIANOSEC(A, B, C);"), "<ok>");
  EXPECT_TRUE(Circa(Di<cValorePiano3D>("PS").Normale(), 0, 0, 1));
}

TEST_F(Valori3D, TheFrameBringsThePlanesOfTheWalls) {
  ASSERT_EQ(Esegui("RIFCART3D;"), "<ok>");
  auto& xy = Di<cValorePiano3D>("PIANOXY");
  EXPECT_EQ(xy.Principale(), scena._GLCXY);
  EXPECT_EQ(Di<cValorePiano3D>("PIANOYZ").Principale(), scena._GLCYZ);
  EXPECT_EQ(Di<cValorePiano3D>("PIANOXZ").Principale(), scena._GLCXZ);
  EXPECT_TRUE(Circa(Di<cValorePiano3D>("PIANOXZ").Normale(), 0, 1, 0));
  EXPECT_TRUE(Circa(Di<cValorePiano3D>("PIANOYZ").Normale(), 1, 0, 0));
  // A wall outlives its plane: a new frame, a new run, a deletion.
  ASSERT_EQ(Esegui("RIFCART3D;\nRIFCART3D;\nCANCELLA(PIANOXY);"), "<ok>");
  ASSERT_EQ(Esegui("RIFCART3D;"), "<ok>");
  EXPECT_EQ(Di<cValorePiano3D>("PIANOXY").Principale(), scena._GLCXY);
  EXPECT_EQ(scena._GLCXY->Parent(), scena.GLDCPareti);
}

TEST_F(Valori3D, ValuesOnAPlaneStandOnTheStoredPlaneAndStayWhenItGoes) {
  ASSERT_EQ(Esegui("RIFCART3D;\nA = PUNTO3D(0,0,2);\nB = PUNTO3D(1,0,2);\nC = PUNTO3D(0,1,2);\n"
                   "PI = PIANO(A, B, C);\nS = SFERA(PI, PUNTO3D(3,0,2), 1);\nT = SFERA(PIANOXZ, PUNTO3D(0,0,0), 2);"),
            "<ok>");
  auto& pi = Di<cValorePiano3D>("PI");
  auto& s = Di<cValoreSfera3D>("S");
  EXPECT_EQ(s.Padre(), &pi) << "the stored plane, not the argument's copy";
  EXPECT_EQ(s.Principale()->Parent(), pi.Principale());
  EXPECT_TRUE(Circa(Dove("S"), 3, 0, 2)) << Dove("S");
  EXPECT_EQ(V3("T").Principale()->Parent(), scena._GLCXZ);
  // The plane goes: the sphere stays where it was, with its own sphere, and no parent.
  ASSERT_EQ(Comando("CANCELLA(PI);"), "<ok>");
  EXPECT_EQ(s.Padre(), nullptr);
  EXPECT_EQ(s.Principale()->Parent(), scena.GLDCPareti);
  EXPECT_TRUE(Circa(Dove("S"), 3, 0, 2)) << Dove("S");
  // The wall's plane goes: the wall stays, and so does what stands on it.
  ASSERT_EQ(Comando("CANCELLA(PIANOXZ);"), "<ok>");
  EXPECT_EQ(V3("T").Padre(), nullptr);
  EXPECT_TRUE(Circa(Dove("T"), 0, 0, 0)) << Dove("T");
  ASSERT_EQ(Comando("U = SFERA(S, 1);"), "Parametri errati per SFERA");
  ASSERT_EQ(Comando("CANCELLA;"), "<ok>");
  EXPECT_EQ(ValoriVivi(), 0);
}

TEST_F(Valori3D, DescriptionsOfNamedAndAnonymousValues) {
  ASSERT_EQ(Esegui("RIFCART3D;\nS = SFERA(PUNTO3D(0,0,0), 1);\nSFERA(PUNTO3D(1,1,1), 2);"),
            "<ok>");
  EXPECT_EQ(run.Testo("S"), "Sfera: S");
  EXPECT_EQ(run.Testo("$4"), "Sfera");
  EXPECT_EQ(Di<cValoreSfera3D>("$4").Raggio, 2);
  EXPECT_EQ(Di<cValoreSfera3D>("$4").Sfera()->Radius(), 2.0f);
  EXPECT_TRUE(Circa(Dove("S"), 0, 0, 0)) << "the sphere is centred on the point given";
}

TEST_F(Valori3D, GroupsHoldNamesAndNeverThemselves) {
  ASSERT_EQ(Esegui("RIFCART3D;\nG = GRUPPO3D;\nH = GRUPPO3D;\nP = PUNTO3D(1,2,3);\nS = SFERA(P, 1);\n"
                   "AGGIUNGI(G, P, S, 5, \"x\");\nAGGIUNGI(H, G);\nAGGIUNGI(G, P);"),
            "<ok>");
  auto& g = Di<cValoreGruppo3D>("G");
  EXPECT_EQ(g._Vett, (std::vector<std::string>{"P", "S"})) << "other kinds are skipped, a member is not added twice";
  EXPECT_EQ(V3("P").varGruppo, "G");
  EXPECT_EQ(Di<cValoreGruppo3D>("G").varGruppo, "H");
  EXPECT_EQ(run.Valore("G")->Tipo, T_GRUPPO3D);
  EXPECT_EQ(Comando("AGGIUNGI(G, G);"), "Parametri errati per AGGIUNGI");
  EXPECT_EQ(Comando("AGGIUNGI(G, H);"), "Parametri errati per AGGIUNGI") << "H holds G";
  EXPECT_EQ(Comando("AGGIUNGI(G);"), "Parametri errati per AGGIUNGI");
  EXPECT_EQ(Comando("AGGIUNGI(P, S);"), "Parametri errati per AGGIUNGI");
  EXPECT_EQ(Comando("TOGLI(S, P);"), "Parametri errati per TOGLI");
  EXPECT_EQ(g._Vett.size(), 2u);
  ASSERT_EQ(Comando("TOGLI(G, P);"), "<ok>");
  EXPECT_EQ(g._Vett, std::vector<std::string>{"S"});
  EXPECT_EQ(V3("P").varGruppo, "");
  // Deleting a group frees the members that are still there.
  ASSERT_EQ(Comando("AGGIUNGI(G, P);"), "<ok>");
  ASSERT_EQ(Comando("CANCELLA(S);"), "<ok>");
  ASSERT_EQ(Comando("CANCELLA(G);"), "<ok>");
  EXPECT_EQ(V3("P").varGruppo, "");
  EXPECT_EQ(run.Valore("S"), nullptr);
}

TEST_F(Valori3D, TheFillColourReachesTheMaterial) {
  ASSERT_EQ(Esegui("RIFCART3D;\nS = SFERA(PUNTO3D(0,0,0), 1);\nCOLORERIEMPIMENTO(S, 255, 0, 0);\n"
                   "COLORERIEMPIMENTO(0, 255, 0);\nT = SFERA(PUNTO3D(0,0,0), 1);\nP = PUNTO3D(1,1,1);"),
            "<ok>");
  const TColorVector s = V3("S").Principale()->Material().FrontProperties().Diffuse().Color();
  EXPECT_EQ(s.X, 1.0f);
  EXPECT_EQ(s.Y, 0.0f);
  EXPECT_NEAR(s.W, 0.9f, 1e-6f);
  EXPECT_EQ(V3("S").Brush.Color, clRed);
  const TColorVector t = V3("T").Principale()->Material().FrontProperties().Diffuse().Color();
  EXPECT_EQ(t.Y, 1.0f) << "a new value takes the fill colour";
  EXPECT_EQ(t.X, 0.0f);
  const TColorVector p = V3("P").Principale()->Material().FrontProperties().Diffuse().Color();
  EXPECT_EQ(p.Z, 1.0f) << "a point takes the pen's colour";
}

}  // namespace
}  // namespace qx::test

namespace qx::test {
namespace {

TEST_F(Valori3D, TheReferenceOfAPlacementGoesWithItsValue) {
  ASSERT_EQ(Esegui("RIFCART3D;\nA = PUNTO3D(0,0,1);\nB = PUNTO3D(1,0,1);\nC = PUNTO3D(0,1,1);\nPI = PIANO(A, B, C);\n"
                   "Q = PUNTO3D(2,2,2);"),
            "<ok>");
  DatiGlob.OggettoGLRiferimento = V3("PI").Principale();
  DatiGlob.OggettoGLScelto = V3("PI").Principale();
  DatiGlob.OggettoGLInMovimento = V3("Q").Principale();
  ASSERT_EQ(Comando("CANCELLA(PI);"), "<ok>");
  EXPECT_EQ(DatiGlob.OggettoGLRiferimento, nullptr);
  EXPECT_EQ(DatiGlob.OggettoGLScelto, nullptr);
  EXPECT_NE(DatiGlob.OggettoGLInMovimento, nullptr);
  ASSERT_EQ(Comando("CANCELLA;"), "<ok>");
  EXPECT_EQ(DatiGlob.OggettoGLInMovimento, nullptr);
}

// Every statement with argument lists drawn from a fixed seed: messages, never a crash, and
// nothing left behind once the table goes.
TEST_F(Valori3D, ArgumentsDrawnAtRandomNeverBreakAnything) {
  ASSERT_EQ(Esegui("RIFCART3D;\nA = PUNTO3D(0,0,0);\nB = PUNTO3D(1,0,0);\nF = FACCIA(A, B, PUNTO3D(0,1,0));\n"
                   "K = CONO2(30, 1);\nG = GRUPPO3D;\nH = FUNZIONE3D(\"x\");\nT = TETRAEDRO(A, 1);\nC = CUBO(A, 1);"),
            "<ok>");
  const char* comandi[] = {"PUNTO3D", "SEGMENTO3D", "RETTA3D", "CILINDRO", "CONO", "CONO2", "PIRAMIDE", "PRISMA",
                           "TETRAEDRO", "OTTAEDRO", "DODECAEDRO", "ICOSAEDRO", "SFERA", "CUBO", "PARALLELEPIPEDO",
                           "PIANO", "PIANOSEC", "FACCIA", "INTERSEZIONE3D", "SOLIDO", "RUOTA3D", "FUNZIONE3D",
                           "APRIPOLIEDRO", "AGGIUNGI", "TOGLI", "GRAFICOFUNZ3D"};
  const char* argomenti[] = {"A", "B", "F", "K", "G", "H", "T", "C", "PIANOXY", "PIANOXZ", "0", "1", "-2.5", "1E30",
                             "\"x\"", "\"Z\"", "\"x*\"", "PUNTO3D(0,0,0)", "0/0"};
  std::mt19937 caso(2024);
  for (int i = 0; i < 400; ++i) {
    std::string riga = std::string("X = ") + comandi[caso() % std::size(comandi)] + "(";
    const int n = int(caso() % 5);
    for (int k = 0; k < n; ++k) riga += std::string(k ? ", " : "") + argomenti[caso() % std::size(argomenti)];
    riga += ");";
    if (riga.find("APRIPOLIEDRO") != std::string::npos || riga.find("AGGIUNGI") != std::string::npos ||
        riga.find("TOGLI") != std::string::npos || riga.find("GRAFICOFUNZ3D") != std::string::npos)
      riga = riga.substr(4);
    // Waits for the mouse are answered at once by a stop.
    run.finestra.Quando([] { return DatiGlob.bAttesaPunto3D || DatiGlob.bAttesaPunto3DSu; }, [] { TerminaEsecuzione(); });
    Comando(riga);
    run.finestra.CancellaScript();
    for (cValoreGraf3D* v = cValoreGraf3D::Primo(); v; v = v->Successivo()) {
      TGLCustomSceneObject* o = v->Principale();
      if (!o) continue;
      const THomogeneousVector p = o->Position().AsVector();
      ASSERT_FALSE(std::isnan(p.X) || std::isnan(p.Y) || std::isnan(p.Z)) << riga;
    }
  }
  ASSERT_EQ(Comando("CANCELLA;"), "<ok>");
  EXPECT_EQ(ValoriVivi(), 0);
  EXPECT_EQ(DatiGlob.OggettoGLRiferimento, nullptr);
}

}  // namespace
}  // namespace qx::test
