#include "tests/app/Supporto.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QMessageBox>
#include <QTest>
#include <QToolBar>
#include <cmath>
#include <cstdlib>

#include "runstate/DatiGlob.h"
#include "app/ServiziFinestra.h"
#include "runstate/WindowServices.h"
#include "solid/ScenaSpazio.h"
#include "values/RifCart.h"

namespace qx::test {

bool ServerX() { return std::getenv("DISPLAY") != nullptr && QGuiApplication::platformName() == "xcb"; }

void Applicazione() {
  if (QCoreApplication::instance()) return;
  if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_FONT_DPI", "96", 0);
  static int argc = 1;
  static char nome[] = "test_app";
  static char* argv[] = {nome, nullptr};
  // Never destroyed: it must outlive every static of the libraries it loaded.
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

FinestraAperta::FinestraAperta(std::vector<std::string> parametri, QScreen* schermo) {
  Applicazione();
  ReimpostaDatiGlob();
  finestra = std::make_unique<Tfrm3>(std::move(parametri), midi::TServiziSuono::Registrazione());
  if (schermo) {
    // The platform maximises on the first screen whatever the window's: the window takes
    // the other screen's whole area itself.
    finestra->setWindowState(Qt::WindowNoState);
    finestra->setScreen(schermo);
    finestra->setGeometry(schermo->availableGeometry());
  }
  finestra->show();
  finestra->activateWindow();
  (void)QTest::qWaitForWindowExposed(finestra.get());
  finestra->FormActivate();
  QCoreApplication::processEvents();
}

FinestraAperta::~FinestraAperta() {
  finestra.reset();
  ReimpostaDatiGlob();
}

RispondiModali::RispondiModali() {
  QObject::connect(&timer_, &QTimer::timeout, [this] { Controlla(); });
  timer_.start(0);
}

RispondiModali::~RispondiModali() { timer_.stop(); }

void RispondiModali::Premi(int pulsante) {
  Aggiungi([pulsante](QDialog& d) {
    if (auto* box = qobject_cast<QMessageBox*>(&d))
      if (QAbstractButton* b = box->button(static_cast<QMessageBox::StandardButton>(pulsante))) {
        b->click();
        return;
      }
    d.reject();
  });
}

void RispondiModali::Controlla() {
  auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  if (!d || !d->isVisible() || d->property("qxRisposto").toBool()) return;
  d->setProperty("qxRisposto", true);
  // The windows are reused: the next showing is answered again.
  QObject::connect(d, &QDialog::finished, d, [d] { d->setProperty("qxRisposto", false); }, Qt::SingleShotConnection);
  Modale m{d->windowTitle(), QString()};
  if (auto* box = qobject_cast<QMessageBox*>(d)) m.testo = box->text();
  Visti.push_back(m);
  if (risposte_.empty()) {
    ++SenzaRisposta;
    d->reject();
    return;
  }
  Risposta r = std::move(risposte_.front());
  risposte_.pop_front();
  r(*d);
}

Quando::Quando(std::function<bool()> condizione, std::function<void()> azione) {
  QObject::connect(&timer_, &QTimer::timeout, [this, condizione, azione] {
    if (eseguita_ || !condizione()) return;
    eseguita_ = true;
    timer_.stop();
    azione();
  });
  timer_.start(0);
}

namespace {

QPoint Rilascio(const Mano::Clic& c) { return c.via.empty() ? c.pixel : c.via.back(); }

}  // namespace

Mano::Mano(Tfrm3& f, std::vector<Clic> clic, bool istantanea)
    : f_(f), clic_(std::move(clic)), istantanea_(istantanea) {
  QObject::connect(&timer_, &QTimer::timeout, [this] { Passo(); });
  timer_.start(0);
}

void Mano::Passo() {
  const TDatiGlob& g = DatiGlob;
  const std::uint64_t pompa = f_.Servizi().Attese;
  if (fatti_ >= int(clic_.size())) {
    timer_.stop();
    return;
  }
  const Clic& c = clic_[std::size_t(fatti_)];
  if (!premuto_) {
    // A person clicks again only once the program looked again, and waits.
    if (g.AttesaMouse == 0 || (!pompaDopoRilascio_ && pompa == pompa_)) return;
    if (istantanea_) {
      QTest::mouseClick(c.area, Qt::LeftButton, Qt::NoModifier, c.pixel);
      pompaDopoRilascio_ = false;
      pompa_ = pompa;
      ++fatti_;
      return;
    }
    QTest::mousePress(c.area, Qt::LeftButton, Qt::NoModifier, c.pixel);
    premuto_ = true;
    attesa_ = g.AttesaMouse;
    pompa_ = pompa;
    return;
  }
  const bool altraAttesa = g.AttesaMouse != 0 && g.AttesaMouse != attesa_;
  const bool ancoraInAttesa = g.AttesaMouse == attesa_ && pompa > pompa_;
  if (!altraAttesa && !ancoraInAttesa) return;
  if (c.accordo) {
    QTest::mousePress(c.area, Qt::RightButton, Qt::NoModifier, c.pixel);
    QTest::mouseRelease(c.area, Qt::RightButton, Qt::NoModifier, c.pixel);
  }
  for (const QPoint& p : c.via) QTest::mouseMove(c.area, p);
  QTest::mouseRelease(c.area, Qt::LeftButton, Qt::NoModifier, Rilascio(c));
  premuto_ = false;
  pompaDopoRilascio_ = false;
  pompa_ = f_.Servizi().Attese;
  ++fatti_;
}

void Mano::Finisci() {
  timer_.stop();
  if (!premuto_) return;
  const Clic& c = clic_[std::size_t(fatti_)];
  QTest::mouseRelease(c.area, Qt::LeftButton, Qt::NoModifier, Rilascio(c));
  premuto_ = false;
  ++fatti_;
}

TColor Pixel(const QImage& immagine, int x, int y) {
  const QRgb p = immagine.pixel(x, y);
  return RGBColor(qRed(p), qGreen(p), qBlue(p));
}

bool ContieneColore(const QImage& immagine, const QRect& area, TColor colore) {
  const QRect r = area.intersected(immagine.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (Pixel(immagine, x, y) == colore) return true;
  return false;
}

std::vector<std::string> VociLista(Tfrm3& f) {
  f.CompletaRidisegni();
  std::vector<std::string> voci;
  for (int i = 0; i < f.lbOggetti->Items.Count(); ++i) voci.push_back(f.lbOggetti->Items[i].toStdString());
  return voci;
}

bool SenzaTesto(const TSrcEditFinestra& e) {
  const std::vector<std::string> righe = RigheEditor(e);
  return righe.empty() || righe == std::vector<std::string>{""};
}

void Digita(QWidget* editor, const QString& testo) {
  editor->setFocus();
  QTest::keyClicks(editor, testo);
}

void Clicca(Tfrm3& f, QAction* azione) {
  QWidget* b = f.ToolBar2->widgetForAction(azione);
  if (!b) b = f.ToolBarViste->widgetForAction(azione);
  if (b && b->isVisible())
    QTest::mouseClick(b, Qt::LeftButton);
  else
    azione->trigger();
}

void DimensioniArea(Tfrm3& f, int w, int h) {
  f.pbRifCart->setFixedSize(w, h);
  f.pnlRifCart->layout()->activate();
  QCoreApplication::processEvents();
}

void EseguiTesto(Tfrm3& f, const std::string& programma) {
  ImpostaTestoEditor(*f.MemoSource, programma);
  Clicca(f, f.Esegui1);
}

QPoint PixelDi(long double x, long double y) {
  const cRifCart& r = *DatiGlob.RifCart;
  return {r.XPixel(x), r.YPixel(y)};
}

QWidget* DimensioniSpazio(Tfrm3& f, int w, int h) {
  if (!DatiGlob.bVista3D) f.MostraVista(true);
  QWidget* vista = f.findChild<QWidget*>("ScnVista");
  vista->setFixedSize(w, h);
  f.pnlRifCart3D->layout()->activate();
  QCoreApplication::processEvents();
  return vista;
}

QPoint PixelNelloSpazio(float x, float y, float z) {
  TGLSceneBuffer& b = ScenaSpazio().Vista().Buffer();
  const THomogeneousVector s = b.ProjectPoint(PointMake(TAffineVector{x, y, z}));
  return {int(std::lround(s.X)), b.Height() - int(std::lround(s.Y))};
}

}  // namespace qx::test
