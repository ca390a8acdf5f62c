// The headless runner draws the space view off-screen (no display needed): the pictures of
// `qxrun --png3d` probed where the walls, the grids, the axes and a sphere must be.
#include <QImage>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/solid/Spazio.h"

namespace qx::test {
namespace {

class Qxrun3D : public Spazio {
 protected:
  // Runs the program through qxrun without a display, with these answers, at this size;
  // keeps the exit status and what it wrote on standard error, and reads its picture (kept
  // as build/pictures/<foto>.png when a name is given).
  QImage Qxrun(const std::string& programma, const std::string& risposte, const std::string& dimensione,
               const std::string& foto = {}) {
    const auto cartella = std::filesystem::temp_directory_path() / ("qxrun3d_" + std::to_string(::getpid()));
    std::filesystem::create_directories(cartella);
    std::filesystem::create_directories(QUORIX_PICTURES);
    const std::string sorgente = (cartella / "p.txt").string(), risp = (cartella / "r.txt").string(),
                      err = (cartella / "err.txt").string();
    const std::string png = foto.empty() ? (cartella / "p.png").string() : std::string(QUORIX_PICTURES) + "/" + foto + ".png";
    std::ofstream(sorgente) << programma;
    std::ofstream(risp) << risposte;
    const std::string comando = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + std::string(QUORIX_QXRUN) +
                                "' --vars --answers '" + risp + "' --size " + dimensione + " --png3d '" + png + "' '" +
                                sorgente + "' > '" + (cartella / "out.txt").string() + "' 2> '" + err + "'";
    const int stato = std::system(comando.c_str());
    uscita = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    auto leggi = [](const std::filesystem::path& f) {
      std::ifstream in(f);
      return std::string(std::istreambuf_iterator<char>(in), {});
    };
    errore = leggi(err);
    output = leggi(cartella / "out.txt");
    QImage img(QString::fromStdString(png));
    std::filesystem::remove_all(cartella);
    return img;
  }
  QImage Esegui3D(const std::string& programma, int& stato) {
    QImage img = Qxrun(programma, "", "400x400");
    stato = uscita;
    return img;
  }
  int uscita = -1;
  std::string errore, output;
  // Where a point of space is drawn in the same view (this process's scene has the same
  // camera and size).
  TPoint Schermo(const TAffineVector& p) {
    Fotografa();
    TGLSceneBuffer& b = scena.Vista().Buffer();
    const THomogeneousVector s = b.ProjectPoint(PointMake(p));
    return {int(std::lround(s.X)), b.Height() - int(std::lround(s.Y))};
  }
  static TRgb Colore(const QImage& img, TPoint p) {
    const QRgb c = img.pixel(p.x, p.y);
    return {qRed(c), qGreen(c), qBlue(c)};
  }
  static bool VicinoA(const QImage& img, TPoint p, TRgb c, int raggio, int tolleranza) {
    for (int dy = -raggio; dy <= raggio; ++dy)
      for (int dx = -raggio; dx <= raggio; ++dx) {
        const TRgb q = Colore(img, {p.x + dx, p.y + dy});
        if (std::abs(q.r - c.r) <= tolleranza && std::abs(q.g - c.g) <= tolleranza && std::abs(q.b - c.b) <= tolleranza)
          return true;
      }
    return false;
  }
};

TEST_F(Qxrun3D, TheEmptySpaceViewShowsTheFloorItsGridAndTheThreeArrows) {
  scena.SetDimensioniVista(400, 400);
  int uscita = -1;
  const QImage img = Esegui3D("RIFCART3D;\n", uscita);
  ASSERT_EQ(uscita, 0);
  ASSERT_EQ(img.width(), 400);
  ASSERT_EQ(img.height(), 400);
  EXPECT_EQ(Colore(img, {2, 2}), (TRgb{255, 255, 255})) << "a white background";
  // A wall between grid lines: light grey seen through.
  const TRgb muro = Colore(img, Schermo({4.5f, -4.5f, 0}));
  EXPECT_LT(muro.r, 250);
  EXPECT_GT(muro.r, 150);
  EXPECT_EQ(muro.r, muro.b);
  // A grid line: darker than the wall around it.
  const TRgb griglia = Colore(img, Schermo({4.5f, -4.0f, 0}));
  EXPECT_LT(griglia.r, muro.r - 20) << griglia << " " << muro;
  // Only the floor, as the window shows the frame after its reset: the background where the
  // walls XZ and YZ would stand, above the floor and below it.
  for (const TAffineVector& p : {TAffineVector{-3.5f, 0, 3.5f}, TAffineVector{0, 3.5f, 3.5f}, TAffineVector{0, -3.5f, -4.5f}})
    EXPECT_EQ(Colore(img, Schermo(p)), (TRgb{255, 255, 255})) << p;
  // The arrows: X red, Y green, Z blue, near their middles.
  EXPECT_TRUE(VicinoA(img, Schermo({4.5f, 0, 0}), {255, 0, 0}, 2, 90));
  EXPECT_TRUE(VicinoA(img, Schermo({0, 4.5f, 0}), {0, 255, 0}, 2, 90));
  EXPECT_TRUE(VicinoA(img, Schermo({0, 0, 4.5f}), {0, 0, 255}, 2, 90));
}

TEST_F(Qxrun3D, ARedSphereAtTheOriginIsAtTheCentreOfTheView) {
  scena.SetDimensioniVista(400, 400);
  int uscita = -1;
  const QImage img =
      Esegui3D("RIFCART3D;\nCOLORERIEMPIMENTO(255, 0, 0);\nS = SFERA(PUNTO3D(0, 0, 0), 1);\n", uscita);
  ASSERT_EQ(uscita, 0);
  const TRgb centro = Colore(img, {200, 200});
  EXPECT_GT(centro.r, 150) << centro;
  EXPECT_LT(centro.g, 60) << centro;
  EXPECT_LT(centro.b, 60) << centro;
  EXPECT_EQ(Schermo({0, 0, 0}).x, 200) << "the camera looks at the origin";
  // Outside its outline the walls are seen again.
  EXPECT_LT(Colore(img, Schermo({0, 0, 2.5f})).r, 150);
}

TEST_F(Qxrun3D, AFailedRunStillWritesItsPicture) {
  int uscita = -1;
  const QImage img = Esegui3D("RIFCART3D;\nS = SFERA(PUNTO3D(0, 0, 0), 1);\nPUNTO3D(1, 2);\n", uscita);
  EXPECT_NE(uscita, 0);
  EXPECT_FALSE(img.isNull());
}

// At 600x400 and 400x400 the walls and the whole of the three arrows are in the picture,
// and no grid line cuts an arrow.
TEST_F(Qxrun3D, TheEmptyFrameFitsThePictureAtAnySize) {
  for (const auto& lati : {std::pair{600, 400}, {400, 400}}) {
    const int w = lati.first, h = lati.second;
    const std::string dimensione = std::to_string(w) + "x" + std::to_string(h);
    SCOPED_TRACE(dimensione);
    scena.SetDimensioniVista(w, h);
    const QImage img = Qxrun("RIFCART3D;\n", "", dimensione, "vuoto_" + dimensione);
    ASSERT_EQ(uscita, 0);
    ASSERT_EQ(img.width(), w);
    auto dentro = [&](const TAffineVector& p) {
      const TPoint s = Schermo(p);
      return s.x >= 3 && s.x < w - 3 && s.y >= 3 && s.y < h - 3;
    };
    for (float a : {-5.0f, 5.0f})
      for (float b : {-5.0f, 5.0f})
        for (const TAffineVector& angolo : {TAffineVector{a, b, 0}, TAffineVector{a, 0, b}, TAffineVector{0, a, b}})
          EXPECT_TRUE(dentro(angolo)) << angolo;
    const TAffineVector punta{0, 0, 6.35f};
    ASSERT_TRUE(dentro(punta));
    EXPECT_TRUE(VicinoA(img, Schermo(punta), {0, 0, 255}, 2, 90)) << "the tip of the Z arrow";
    // Along each arrow, every pixel near its line has the arrow's hue (lit or shaded),
    // never a grid line's grey.
    for (int k = 0; k < 3; ++k) {
      const TAffineVector asse{float(k == 0), float(k == 1), float(k == 2)};
      EXPECT_TRUE(dentro(VectorScale(asse, 6.4f))) << asse;
      int presi = 0;
      const int n = 60;
      for (int i = 0; i < n; ++i) {
        const TPoint p = Schermo(VectorScale(asse, 0.3f + 5.2f * float(i) / (n - 1)));
        bool tinta = false;
        for (int dy = -1; dy <= 1 && !tinta; ++dy)
          for (int dx = -1; dx <= 1 && !tinta; ++dx) {
            const TRgb c = Colore(img, {p.x + dx, p.y + dy});
            const int v[3] = {c.r, c.g, c.b};
            tinta = v[k] > v[(k + 1) % 3] + 40 && v[k] > v[(k + 2) % 3] + 40;
          }
        presi += tinta;
      }
      EXPECT_EQ(presi, n) << "the arrow along " << asse << " is whole";
    }
  }
}

// The space waits answered from the script: a point, a sphere, a cube and a polyhedron
// placed, a point on the floor, a value picked, one clicked; an answer of the wrong kind, or none, leaves
// the wait unanswered: the run fails and says so.
TEST_F(Qxrun3D, TheSpaceWaitsAreAnsweredByTheScript) {
  scena.SetDimensioniVista(600, 400);
  const std::string programma =
      "RIFCART3D;\nP = PUNTO3D;\nCOLORERIEMPIMENTO(255, 0, 0);\nS = SFERA(0.6);\nCOLORERIEMPIMENTO(0, 0, 255);\n"
      "C = CUBO(1);\nCOLORERIEMPIMENTO(255, 255, 0);\nT = TETRAEDRO(1);\nQ = PUNTO3D(PIANOXY);\nO = SCEGLIOGGETTO;\n"
      "N = CLICCA;\n";
  const QImage img = Qxrun(programma, "CLIC3D 1 2 0\nCLIC3D -2 -2 3\nCLIC3D 3 -3 0.5\nCLIC3D -3 3 0\nCLIC3D 2 -1 0\nSCEGLI3D C\nSCEGLI3D S\n",
                           "600x400", "clic3d");
  EXPECT_EQ(uscita, 0);
  EXPECT_EQ(errore, "");
  EXPECT_NE(output.find("#var O\tT_CUBO3D\tCubo: O\n"), std::string::npos) << output;
  EXPECT_NE(output.find("#var N\tT_STRINGA\tS\n"), std::string::npos) << output;
  EXPECT_TRUE(VicinoA(img, Schermo({-2, -2, 3}), {255, 0, 0}, 1, 100)) << "the sphere";
  EXPECT_TRUE(VicinoA(img, Schermo({3, -3, 0.5f}), {0, 0, 255}, 1, 120)) << "the cube";
  EXPECT_TRUE(VicinoA(img, Schermo({-3, 3, 0.3f}), {255, 255, 0}, 2, 120)) << "the tetrahedron";
  // The points, drawn in the pen's blue.
  for (const TAffineVector& punto : {TAffineVector{1, 2, 0}, TAffineVector{2, -1, 0.01f}})
    EXPECT_TRUE(VicinoA(img, Schermo(punto), {0, 0, 255}, 1, 120)) << "the point at " << punto;

  Qxrun("RIFCART3D;\nS = SFERA(1);\n", "", "400x400");
  EXPECT_EQ(uscita, 1);
  EXPECT_EQ(errore, "qxrun: a wait was never answered by the script\n");
  Qxrun("RIFCART3D;\nS = SFERA(PUNTO3D(0,0,0), 1);\nO = SCEGLIOGGETTO;\n", "CLIC3D 1 1 1\n", "400x400");
  EXPECT_EQ(uscita, 1);
  EXPECT_EQ(errore, "qxrun: a wait was never answered by the script: Seleziona un Oggetto\n");
  Qxrun("RIFCART3D;\nP = PUNTO3D;\n", "CLIC3D 1 2\n", "400x400");
  EXPECT_EQ(uscita, 1);
  EXPECT_EQ(errore,
            "qxrun: an answer CLIC3D without its three coordinates\n"
            "qxrun: a wait was never answered by the script: "
            "PUNTO3D: Fissa le coordinate del punto e premi il pulsante \"Conferma\"\n");
  Qxrun("RIFCART3D;\nO = SCEGLIOGGETTO;\n", "SCEGLI3D X\n", "400x400");
  EXPECT_EQ(uscita, 1);
  EXPECT_EQ(errore,
            "qxrun: SCEGLI3D X: no space value of that name\n"
            "qxrun: a wait was never answered by the script: Seleziona un Oggetto\n");
}

}  // namespace
}  // namespace qx::test
