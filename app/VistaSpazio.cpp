#include "app/VistaSpazio.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdint>

#include "app/IconeStriscia.h"
#include "app/Protetto.h"
#include "app/file/AccessiSpazio.h"
#include "runstate/DatiGlob.h"
#include "scene/viewer/GLSceneViewer.h"
#include "solid/LatoSpazio.h"
#include "solid/ScenaSpazio.h"

namespace qx {

namespace {

TTastiMouse Tasti(const QMouseEvent& e) {
  TTastiMouse t;
  const Qt::MouseButtons b = e.buttons() | e.button();
  t.Sinistro = b & Qt::LeftButton;
  t.Destro = b & Qt::RightButton;
  t.Centrale = b & Qt::MiddleButton;
  t.Shift = e.modifiers() & Qt::ShiftModifier;
  t.Ctrl = e.modifiers() & Qt::ControlModifier;
  t.Alt = e.modifiers() & Qt::AltModifier;
  return t;
}

// The scene drawn off-screen and shown as a picture, for platforms without OpenGL widgets.
class TScnImmagine : public QWidget {
 public:
  TScnImmagine(TScenaSpazio& scena, QWidget* padre) : QWidget(padre), scena_(scena) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    scena_.Vista().Buffer().OnChange = [this](TObject*) { update(); };
  }
  ~TScnImmagine() override { scena_.Vista().Buffer().OnChange = nullptr; }
  std::function<void(QMouseEvent*)> OnMouseDown, OnMouseMove, OnMouseUp;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    Protetto([&] {
      scena_.SetDimensioniVista(width(), height());
      const TBitmap b = scena_.Istantanea();
      QImage img(b.Width(), b.Height(), QImage::Format_RGB32);
      for (int y = 0; y < b.Height(); ++y)
        std::copy(b.ScanLine(y), b.ScanLine(y) + b.Width(), reinterpret_cast<std::uint32_t*>(img.scanLine(y)));
      p.drawImage(0, 0, img);
    });
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (OnMouseDown) OnMouseDown(e);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (OnMouseMove) OnMouseMove(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (OnMouseUp) OnMouseUp(e);
  }

 private:
  TScenaSpazio& scena_;
};

bool WidgetOpenGL() {
  const QString p = QGuiApplication::platformName();
  return p != "offscreen" && p != "minimal";
}

template <class W>
void CollegaMouse(W& w, TLatoSpazio& lato, QLabel& label) {
  w.OnMouseDown = [&lato](QMouseEvent* e) {
    Protetto([&] {
      lato.MouseDown(int(e->position().x()), int(e->position().y()), Tasti(*e),
                     e->button() == Qt::LeftButton);
    });
  };
  w.OnMouseMove = [&lato, &label](QMouseEvent* e) {
    Protetto([&] {
      lato.MouseMove(int(e->position().x()), int(e->position().y()), Tasti(*e));
      label.setText(QString::fromStdString(lato.Label1()));
    });
  };
  w.OnMouseUp = [&lato](QMouseEvent* e) {
    Protetto([&] { lato.MouseUp(int(e->position().x()), int(e->position().y()), e->button() == Qt::LeftButton); });
  };
}

}  // namespace

TVistaSpazio::TVistaSpazio(QWidget* Scn, QWidget* controlli, QLabel* Label1, QCheckBox* cbSpostaOggetti,
                           std::function<void()> modificato)
    : scena_(std::make_unique<TScenaSpazio>()), label1_(Label1) {
  // The space statements, and the space values of program files, come with the view.
  RegistraAccessiSpazio();
  InstallaScenaSpazio(scena_.get());

  auto* contenitore = new QVBoxLayout(Scn);
  contenitore->setContentsMargins(0, 0, 0, 0);
  if (WidgetOpenGL()) {
    viewer_ = new TGLSceneViewer(Scn);
    vista_ = viewer_;
    viewer_->SetCamera(scena_->GLCamera1);
    viewer_->Buffer().SetBackgroundColor(clWhite);
    lato_ = std::make_unique<TLatoSpazio>(*scena_, viewer_->Buffer());
    lato_->Ridisegna = [this] { viewer_->update(); };
    viewer_->Buffer().AfterRender = [this](TObject*) { Protetto([this] { lato_->DopoRender(); }); };
    CollegaMouse(*viewer_, *lato_, *label1_);
  } else {
    auto* immagine = new TScnImmagine(*scena_, Scn);
    vista_ = immagine;
    lato_ = std::make_unique<TLatoSpazio>(*scena_, scena_->Vista().Buffer());
    lato_->Ridisegna = [immagine] { immagine->update(); };
    CollegaMouse(*immagine, *lato_, *label1_);
  }
  vista_->setObjectName("ScnVista");
  vista_->installEventFilter(this);
  contenitore->addWidget(vista_);
  lato_->Modificato = std::move(modificato);

  auto* riga = new QHBoxLayout(controlli);
  riga->setContentsMargins(2, 1, 2, 1);
  riga->setSpacing(1);
  sb3DGriglieOn = PulsanteStriscia(controlli, riga, "sb3DGriglieOn", IconaStriscia(TIconaStriscia::Griglia), "Mostra griglia");
  sb3DGriglieOff = PulsanteStriscia(controlli, riga, "sb3DGriglieOff", IconaStriscia(TIconaStriscia::Assi), "Nascondi griglia");
  for (QToolButton* b : {sb3DGriglieOn, sb3DGriglieOff}) {
    b->setCheckable(true);
    b->setAutoExclusive(true);
    connect(b, &QToolButton::clicked, this, [this] { Protetto([this] { sb3DGriglieOnClick(); }); });
  }
  sb3DGriglieOn->setChecked(true);
  sb3DMuri = PulsanteStriscia(controlli, riga, "sb3DMuri", IconaStriscia(TIconaStriscia::Pareti), "Pareti");
  sbSu3D = PulsanteStriscia(controlli, riga, "sbSu3D", QIcon(), "Su");
  sbSu3D->setArrowType(Qt::UpArrow);
  sbGiu3D = PulsanteStriscia(controlli, riga, "sbGiu3D", QIcon(), "Giù");
  sbGiu3D->setArrowType(Qt::DownArrow);
  sbZoommpD = PulsanteStriscia(controlli, riga, "sbZoommpD", IconaStriscia(TIconaStriscia::ZoomPiu), "Ingrandisci");
  sbZoomm3D = PulsanteStriscia(controlli, riga, "sbZoomm3D", IconaStriscia(TIconaStriscia::ZoomMeno), "Rimpicciolisci");
  riga->addStretch(1);

  pmPareti = new QMenu(controlli);
  pmPareti->setObjectName("pmPareti");
  PianoXY1 = pmPareti->addAction("Piano XY");
  PianoXZ1 = pmPareti->addAction("Piano XZ");
  PianoYZ1 = pmPareti->addAction("PianoYZ");
  for (QAction* a : {PianoXY1, PianoXZ1, PianoYZ1}) {
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, a] { Protetto([this, a] { PianoXY1Click(a); }); });
  }
  connect(pmPareti, &QMenu::aboutToShow, this, [this] { Protetto([this] { pmParetiPopup(); }); });
  connect(sb3DMuri, &QToolButton::clicked, this, [this] { Protetto([this] { sb3DMuriClick(); }); });
  connect(sbSu3D, &QToolButton::clicked, this, [this] { Protetto([this] { lato_->Su(); }); });
  connect(sbGiu3D, &QToolButton::clicked, this, [this] { Protetto([this] { lato_->Giu(); }); });
  connect(sbZoomm3D, &QToolButton::clicked, this, [this] { Protetto([this] { lato_->ZoomMeno(); }); });
  connect(sbZoommpD, &QToolButton::clicked, this, [this] { Protetto([this] { lato_->ZoomPiu(); }); });
  connect(cbSpostaOggetti, &QCheckBox::toggled, this, [this](bool v) { lato_->SpostaOggetti = v; });
  lato_->SpostaOggetti = cbSpostaOggetti->isChecked();
}

TVistaSpazio::~TVistaSpazio() {
  // The view goes first, while the scene it draws is still there; the mouse leaving it
  // as it goes is nobody's business any more.
  vista_->removeEventFilter(this);
  if (viewer_) {
    viewer_->OnMouseDown = viewer_->OnMouseMove = viewer_->OnMouseUp = nullptr;
    viewer_->Buffer().AfterRender = nullptr;
  }
  lato_.reset();
  delete vista_;
  InstallaScenaSpazio(nullptr);
}

bool TVistaSpazio::eventFilter(QObject* oggetto, QEvent* evento) {
  if (oggetto == vista_ && evento->type() == QEvent::Leave) Protetto([this] { Lascia(); });
  return QObject::eventFilter(oggetto, evento);
}

void TVistaSpazio::Lascia() {
  // A point being placed follows the mouse and is not a hover.
  if (DatiGlob.bAttesaPunto3D || DatiGlob.bAttesaPunto3DSu) return;
  // A move with no button far outside the view finds nothing under the mouse, which is
  // what takes the highlight away.
  if (lato_->Evidenziato()) lato_->MouseMove(-1000, -1000, TTastiMouse{});
  label1_->clear();
}

void TVistaSpazio::sb3DGriglieOnClick() { lato_->MostraGriglie(sb3DGriglieOn->isChecked()); }

void TVistaSpazio::sb3DMuriClick() { pmPareti->popup(sb3DMuri->mapToGlobal(QPoint(0, 0))); }

void TVistaSpazio::pmParetiPopup() {
  PianoXY1->setChecked(lato_->PareteVisibile(0));
  PianoXZ1->setChecked(lato_->PareteVisibile(1));
  PianoYZ1->setChecked(lato_->PareteVisibile(2));
}

void TVistaSpazio::PianoXY1Click(QAction*) {
  // The item has already turned its check; each wall follows its item.
  QAction* voci[] = {PianoXY1, PianoXZ1, PianoYZ1};
  for (int i = 0; i < 3; ++i)
    if (voci[i]->isChecked() != lato_->PareteVisibile(i)) lato_->CambiaParete(i);
}

}  // namespace qx
