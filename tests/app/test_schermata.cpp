// The real window on a real X server (the one xvfb-run starts): a statement typed into the
// command bar runs, and its circle is found on the screen's own picture of the window. The
// picture is saved under the build folder for a person to look at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>

#include "runstate/DatiGlob.h"
#include "tests/app/Supporto.h"
#include "values/RifCart.h"

namespace qx::test {
namespace {

TEST(Schermata, LaFinestraVeraDisegnaIlCerchio) {
  if (!ServerX()) GTEST_SKIP() << "needs an X server (scripts/test.sh runs this under xvfb-run)";
  FinestraAperta a;
  Tfrm3& f = a.f();
  f.setWindowState(Qt::WindowNoState);
  f.resize(1024, 740);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  f.activateWindow();
  (void)QTest::qWaitForWindowActive(&f);

  Digita(f.edIstruzione, "C = CIRC(PUNTO(5, 5), 2);");
  QTest::keyClick(f.edIstruzione, Qt::Key_Return);
  ASSERT_EQ(RigheEditor(*f.MemoSource), std::vector<std::string>{"C = CIRC(PUNTO(5, 5), 2);"});
  // Let the window show the picture, then take it from the screen.
  f.CompletaRidisegni();
  f.repaint();
  QCoreApplication::processEvents();
  QTest::qWait(50);
  const QImage schermata = f.screen()->grabWindow(f.winId()).toImage();
  const std::string percorso = std::string(QUORIX_CARTELLA_BUILD) + "/schermata_finestra.png";
  EXPECT_TRUE(schermata.save(QString::fromStdString(percorso))) << percorso;
  ASSERT_FALSE(schermata.isNull());

  const cRifCart& r = *DatiGlob.RifCart;
  const qreal scala = schermata.width() / static_cast<qreal>(f.width());
  int trovati = 0;
  for (int k = 0; k < 36; ++k) {
    const long double t = k * std::numbers::pi_v<long double> / 18;
    const QPoint nellArea(r.XPixel(5 + 2 * std::cos(t)), r.YPixel(5 + 2 * std::sin(t)));
    const QPoint nellaFinestra = f.pbRifCart->mapTo(&f, nellArea) * scala;
    if (ContieneColore(schermata, QRect(nellaFinestra - QPoint(1, 1), QSize(3, 3)), clBlue)) ++trovati;
  }
  EXPECT_EQ(trovati, 36);
  // The object list and the command bar are on the screen too.
  EXPECT_EQ(VociLista(f), std::vector<std::string>{"<b><c:Blue>Circonferenza </b><c:WindowText>C"});
}

}  // namespace
}  // namespace qx::test
