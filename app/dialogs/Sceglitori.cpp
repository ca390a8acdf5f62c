#include "app/dialogs/Sceglitori.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/dialogs/Accanto.h"
#include "app/dialogs/CanvasIngombro.h"
#include "platform/Canvas.h"
#include "runstate/DatiGlob.h"
#include "values/RifCart.h"
#include "values/Valori.h"

namespace qx {

namespace {

TPoint Pixel(const TPuntoMondo& p) {
  const cRifCart* r = DatiGlob.RifCart;
  return r ? r->CartInPixel(p) : TPoint{};
}

void Linea(TCanvas& c, const TPuntoMondo& a, const TPuntoMondo& b) {
  const TPoint pa = Pixel(a), pb = Pixel(b);
  c.MoveTo(pa.x, pa.y);
  c.LineTo(pb.x, pb.y);
}

// The window frame's widths around the client area; none while the window has no frame yet.
QMargins Cornice(const QWidget& w) {
  const QRect g = w.geometry(), c = w.frameGeometry();
  return {g.left() - c.left(), g.top() - c.top(), c.right() - g.right(), c.bottom() - g.bottom()};
}

// Pixels between the picker and the candidates.
constexpr int kDistacco = 8;

}  // namespace

// ---------------------------------------------------------------------------------------

TdlgDueScelte::TdlgDueScelte(const char* nome, const QString& caption, const QString& domanda, const QString& primo,
                             const QString& secondo, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QString::fromLatin1(nome));
  setWindowTitle(caption);
  Label1 = new QLabel(domanda, this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  RadioButton1 = new QRadioButton(primo, this);
  RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
  RadioButton1->setChecked(true);
  RadioButton2 = new QRadioButton(secondo, this);
  RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setDefault(true);
  auto* scelte = new QHBoxLayout;
  scelte->addWidget(RadioButton1);
  scelte->addWidget(RadioButton2);
  scelte->addStretch(1);
  auto* pulsanti = new QHBoxLayout;
  pulsanti->addStretch(1);
  pulsanti->addWidget(OKButton);
  pulsanti->addStretch(1);
  auto* colonna = new QVBoxLayout(this);
  colonna->addWidget(Label1);
  colonna->addLayout(scelte);
  colonna->addLayout(pulsanti);
  setFixedWidth(300);
  connect(RadioButton1, &QRadioButton::toggled, this, [this](bool scelto) {
    if (scelto) RadioButton1Click();
  });
  connect(RadioButton2, &QRadioButton::toggled, this, [this](bool scelto) {
    if (scelto) RadioButton2Click();
  });
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TdlgDueScelte::ImpostaCanvas(TCanvas* canvas, std::function<void()> mostra) {
  canvas_ = canvas;
  mostra_ = std::move(mostra);
}

QRect TdlgDueScelte::IngombroCandidati() {
  if (!canvas_ || !DatiGlob.RifCart) return {};
  TCanvasIngombro misura(*canvas_);
  misura.Font = canvas_->Font;
  for (int candidato : {1, 2}) Anteprima(misura, candidato);
  if (misura.Vuoto()) return {};
  const TRect r = misura.Ingombro();
  return {QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1)};
}

void TdlgDueScelte::Colloca(const QWidget* area) {
  const QRect candidati = area && area->isVisible() ? IngombroCandidati().intersected(area->rect()) : QRect();
  if (candidati.isEmpty()) {
    // Nothing to keep in sight: the toolkit centres it over the window.
    setAttribute(Qt::WA_Moved, false);
    return;
  }
  const QWidget& finestra = *area->window();
  QRect dentro = finestra.frameGeometry();
  // A window partly off the screen: the part on it; wholly off: the screen.
  if (const QScreen* schermo = area->screen()) {
    const QRect visibile = dentro.intersected(schermo->availableGeometry());
    dentro = visibile.isEmpty() ? schermo->availableGeometry() : visibile;
  }
  adjustSize();
  // Before its first showing the window has no frame yet: it will have the main window's.
  QMargins cornice = Cornice(*this);
  if (cornice.isNull()) cornice = Cornice(finestra);
  const QRect evitare(area->mapToGlobal(candidati.topLeft()), candidati.size());
  // A window's position is that of its frame.
  move(PosizioneAccanto(evitare, size().grownBy(cornice), dentro, kDistacco));
}

int TdlgDueScelte::Apri() {
  exec();
  return scelto_;
}

void TdlgDueScelte::PennaAnteprima(TCanvas& c, int spessore) {
  c.Pen.Mode = pmNotXor;
  c.Pen.Color = clRed;
  c.Pen.Style = psSolid;
  c.Pen.Width = spessore;
  c.Brush.Style = bsClear;
}

void TdlgDueScelte::Disegna(int candidato) {
  if (!canvas_ || !DatiGlob.RifCart) return;
  // The canvas's own brush stays as the statements left it.
  const TBrush pennello = canvas_->Brush;
  Anteprima(*canvas_, candidato);
  canvas_->Brush = pennello;
  if (mostra_) mostra_();
}

void TdlgDueScelte::Mostra(int candidato) {
  scelto_ = candidato;
  if (mostrato_ == candidato) return;
  if (mostrato_ != 0) Disegna(mostrato_);
  Disegna(candidato);
  mostrato_ = candidato;
}

void TdlgDueScelte::RadioButton1Click() { Mostra(1); }

void TdlgDueScelte::RadioButton2Click() { Mostra(2); }

void TdlgDueScelte::FormActivate() {
  {
    const QSignalBlocker b1(RadioButton1), b2(RadioButton2);
    RadioButton1->setChecked(true);
  }
  RadioButton1->setFocus();
  Mostra(1);
}

void TdlgDueScelte::FormClose() {
  if (mostrato_ != 0) Disegna(mostrato_);
  mostrato_ = 0;
  if (canvas_) {
    canvas_->Pen.Mode = pmCopy;
    canvas_->Pen.Width = 1;
  }
}

void TdlgDueScelte::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormActivate();
}

void TdlgDueScelte::done(int r) {
  FormClose();
  QDialog::done(r);
}

// ---------------------------------------------------------------------------------------

TdlgInters2s::TdlgInters2s(QWidget* parent)
    : TdlgDueScelte("dlgInters2s", QStringLiteral("Intersezione"),
                    QStringLiteral("L'intersezione avviene in due punti: selezionare quello desiderato"),
                    QStringLiteral("&Primo"), QStringLiteral("&Secondo"), parent) {}

void TdlgInters2s::Anteprima(TCanvas& c, int candidato) {
  PennaAnteprima(c, 2);
  const TPoint p = Pixel(candidato == 2 ? Punto2 : Punto1);
  c.Ellipse(p.x - 5, p.y - 5, p.x + 5, p.y + 5);
}

TdlgTangCirc2s::TdlgTangCirc2s(QWidget* parent)
    : TdlgDueScelte("dlgTangCirc2s", QStringLiteral("Tangente"),
                    QStringLiteral("Possono essere condotte due tangenti alla circonferenzai: selezionare quella "
                                   "desiderata"),
                    QStringLiteral("&Prima"), QStringLiteral("&Seconda"), parent) {}

void TdlgTangCirc2s::Anteprima(TCanvas& c, int candidato) {
  PennaAnteprima(c, 1);
  if (candidato == 2)
    Linea(c, Tangente2a, Tangente2b);
  else
    Linea(c, Tangente1a, Tangente1b);
}

TdlgSegmento1::TdlgSegmento1(QWidget* parent)
    : TdlgDueScelte("dlgSegmento1", QStringLiteral("Segmento"), QStringLiteral("Selezionare il segmento desiderato"),
                    QStringLiteral("&Primo"), QStringLiteral("&Secondo"), parent) {}

void TdlgSegmento1::Anteprima(TCanvas& c, int candidato) {
  PennaAnteprima(c, 2);
  Linea(c, Inizio, candidato == 2 ? Fine2 : Fine1);
}

TdlgScegliPoligono::TdlgScegliPoligono(QWidget* parent)
    : TdlgScegliPoligono("dlgScegliPoligono", QStringLiteral("Selezionare il poligono desiderato"), parent) {}

TdlgScegliPoligono::TdlgScegliPoligono(const char* nome, const QString& domanda, QWidget* parent)
    : TdlgDueScelte(nome, QStringLiteral("Poligono"), domanda, QStringLiteral("&Primo"), QStringLiteral("&Secondo"),
                    parent) {}

TdlgScegliPoligono::~TdlgScegliPoligono() = default;

void TdlgScegliPoligono::ImpostaCandidati(const cValore& candidato1, const cValore& candidato2) {
  const cValore* c[2] = {&candidato1, &candidato2};
  for (int i = 0; i < 2; ++i) {
    std::unique_ptr<cValore> copia = c[i]->Clona();
    candidati_[i].reset(dynamic_cast<cValoreGraf*>(copia.get()));
    if (candidati_[i]) {
      copia.release();
      candidati_[i]->bSelezionato = candidati_[i]->bEvidenziato = false;
      // Drawn by itself in the preview's pen, its outline only.
      candidati_[i]->Pen = {clRed, psSolid, 1, pmNotXor};
      candidati_[i]->Brush.Style = bsClear;
    }
  }
}

void TdlgScegliPoligono::Anteprima(TCanvas& c, int candidato) {
  PennaAnteprima(c, 1);
  if (cValoreGraf* v = candidati_[candidato == 2 ? 1 : 0].get()) v->Disegna(c);
}

TdlgScegliRetta::TdlgScegliRetta(QWidget* parent)
    : TdlgScegliPoligono("dlgScegliRetta", QStringLiteral("Selezionare"), parent) {}

void TdlgScegliRetta::showEvent(QShowEvent* event) {
  TdlgScegliPoligono::showEvent(event);
  Label1->setText(QStringLiteral("Selezionare ") + QString::fromStdString(Tipo));
}

// ---------------------------------------------------------------------------------------

TSceglitori::TSceglitori(QWidget* finestra, std::function<QWidget*()> canvas)
    : canvas_(std::move(canvas)),
      // A preview drawn on the canvas's picture shows at the widget's next paint.
      mostra_([this] {
        if (QWidget* c = canvas_ ? canvas_() : nullptr) c->update();
      }),
      poligono_(new TdlgScegliPoligono(finestra)),
      retta_(new TdlgScegliRetta(finestra)),
      segmento_(new TdlgSegmento1(finestra)),
      inters_(new TdlgInters2s(finestra)),
      tang_(new TdlgTangCirc2s(finestra)) {}

TSceglitori::~TSceglitori() {
  delete tang_.data();
  delete inters_.data();
  delete segmento_.data();
  delete retta_.data();
  delete poligono_.data();
}

int TSceglitori::Apri(TdlgDueScelte& d) {
  d.ImpostaCanvas(DatiGlob.CanvasRifCart, mostra_);
  d.Colloca(canvas_ ? canvas_() : nullptr);
  return d.Apri();
}

int TSceglitori::ScegliIntersezione(const TPuntoMondo& p1, const TPuntoMondo& p2) {
  inters_->Punto1 = p1;
  inters_->Punto2 = p2;
  return Apri(*inters_);
}

int TSceglitori::ScegliTangente(const TPuntoMondo& t1a, const TPuntoMondo& t1b, const TPuntoMondo& t2a,
                                const TPuntoMondo& t2b) {
  tang_->Tangente1a = t1a;
  tang_->Tangente1b = t1b;
  tang_->Tangente2a = t2a;
  tang_->Tangente2b = t2b;
  return Apri(*tang_);
}

int TSceglitori::ScegliSegmento(const TPuntoMondo& inizio, const TPuntoMondo& fine1, const TPuntoMondo& fine2) {
  segmento_->Inizio = inizio;
  segmento_->Fine1 = fine1;
  segmento_->Fine2 = fine2;
  return Apri(*segmento_);
}

int TSceglitori::ScegliPoligono(const cValore& candidato1, const cValore& candidato2) {
  poligono_->ImpostaCandidati(candidato1, candidato2);
  return Apri(*poligono_);
}

}  // namespace qx
