// The headless runner draws the space view off-screen (no display needed): the pictures of
// `qxrun --png3d` probed where the walls, the grids, the axes and a sphere must be.
#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/solid/Spazio.h"

namespace qx::test {
namespace {

class Qxrun3D : public Spazio {
 protected:
  // Runs the program through qxrun without a display and reads its picture.
  QImage Esegui3D(const std::string& programma, int& uscita) {
    const auto cartella = std::filesystem::temp_directory_path() / ("qxrun3d_" + std::to_string(::getpid()));
    std::filesystem::create_directories(cartella);
    const std::string sorgente = (cartella / "p.txt").string(), png = (cartella / "p.png").string();
    std::ofstream(sorgente) << programma;
    const std::string comando = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + std::string(QUORIX_QXRUN) +
                                "' --size 400x400 --png3d '" + png + "' '" + sorgente + "' > /dev/null 2>&1";
    uscita = std::system(comando.c_str());
    QImage img(QString::fromStdString(png));
    std::filesystem::remove_all(cartella);
    return img;
  }
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

TEST_F(Qxrun3D, TheEmptySpaceViewShowsTheWallsTheirGridsAndTheThreeArrows) {
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

}  // namespace
}  // namespace qx::test
