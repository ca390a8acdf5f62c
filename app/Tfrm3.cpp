#include "app/Editori.h"
#include "app/Tfrm3.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QShowEvent>
#include <QFileInfo>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <cstdio>

#include "app/CanvasDifferito.h"
#include "app/DisegnoVoci.h"
#include "app/Messaggi.h"
#include "app/PaintBoxQt.h"
#include "app/PrelieviCanvas.h"
#include "app/RigaComando.h"
#include "app/ServiziFinestra.h"
#include "app/VistaSpazio.h"
#include "controls/TraduzioneToolkit.h"
#include "controls/midi/ServiziSuono.h"
#include "editor/SynQuorix.h"
#include "interpreter/Ambiente.h"
#include "platform/qt/FontToolkit.h"
#include "runstate/DatiGlob.h"
#include "values/figure/ListaValGraf.h"

namespace qx {

std::string TitoloApplicazione() {
  char versione[16];
  std::snprintf(versione, sizeof versione, "%.1f", Versione);
  return std::string("Quorix ") + versione;
}

Tfrm3::Tfrm3(std::vector<std::string> parametri, std::unique_ptr<midi::TServiziSuono> suono, QWidget* parent)
    : QMainWindow(parent), parametri_(std::move(parametri)), suono_(std::move(suono)) {
  // Before any widget takes its font: the forms' faces have desktop stand-ins.
  SostituisciFontToolkit();
  // The toolkit's boxes and dialogs speak the window's language (a no-op after the start-up).
  CaricaTraduzioneToolkit();
  if (!suono_) suono_ = midi::TServiziSuono::Dispositivo();
  ambiente_ = std::make_unique<TAmbiente>();
  canvasRifCart_ = std::make_unique<TCanvasDifferito>([this] {
    if (!ambiente_->RifCart()) return;
    // Each picture starts on a new white sheet, as a new bitmap would, and with a new
    // bitmap's pen, brush, font and text alignment: the hover's centred name left its
    // alignment behind, and every text value was then drawn centred on its place.
    TQImageCanvas& immagine = pbRifCart->Immagine();
    immagine.Image().fill(Qt::white);
    immagine.Pen = TPen{};
    immagine.Brush = TBrush{};
    immagine.Font = TFont{};
    immagine.TextAlign = TTextAlign{};
    ambiente_->DisegnaRifCart(immagine);
    pbRifCart->update();
    pbX->update();
    pbY->update();
  });
  servizi_ = std::make_unique<TServiziFinestra>(*this);
  stileMenu_ = std::make_unique<TStileMenu>();
  ImpostaFinestra(servizi_.get());
  CreaComponenti();
  vistaSpazio_ = std::make_unique<TVistaSpazio>(Scn, pnlControlliRifCart3D, Label1, cbSpostaOggetti,
                                                [this] {
                                                  MemoSource->SetEditorModified(true);
                                                  ListaOggettiDaAggiornare();
                                                });
  // The frame, the trace points and the variable table are made by the reset.
  InizializzaAmbiente();
  evidenziatore_ = std::make_unique<TSynSampleSyn>();
  MemoSource->SetHighlighter(evidenziatore_.get());
  edIstruzione->SetHighlighter(evidenziatore_.get());
  MemoSource->ClearAll();
  ImpostaTestoEditor(*MemoSource, "");
  setWindowState(Qt::WindowMaximized);
}

Tfrm3::~Tfrm3() {
  // The widgets go after the members: nothing of theirs may call back into the window.
  disconnect(fuoco_);
  Timer1->stop();
  pbRifCart->OnPaint = nullptr;
  pbRifCart->OnResize = nullptr;
  pbX->OnPaint = nullptr;
  pbY->OnPaint = nullptr;
  for (TSrcEditFinestra* e : {MemoSource, edIstruzione}) {
    e->OnEnter = e->OnExit = e->OnChange = nullptr;
    e->OnStatusChange = nullptr;
    e->OnKeyDown = e->OnKeyUp = nullptr;
    e->OnSpecialLineColors = nullptr;
    e->SetHighlighter(nullptr);
  }
  TDatiGlob& g = DatiGlob;
  if (g.CanvasRifCart == canvasRifCart_.get()) g.CanvasRifCart = nullptr;
  if (g.RifCart) g.RifCart->Canvas = nullptr;
  if (&Finestra() == servizi_.get()) ImpostaFinestra(nullptr);
  delete g.ListaValGraf;
  g.ListaValGraf = nullptr;
}

// ---------------------------------------------------------------------------------------
// Showing, activation, layout

void Tfrm3::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Only when the window is made visible, not when the desktop restores it.
  if (event->spontaneous()) return;
  FormShow();
  // A desktop without a window manager may never activate the window: the first
  // activation's set-up then runs once the window is on the screen. Not sooner: a window
  // manager maximises the window between the show and the first exposure, and the set-up
  // opens the command line's lesson, whose analysis window and charts are laid out in the
  // canvas's pixels.
  if (QWindow* w = windowHandle()) w->installEventFilter(this);
}

bool Tfrm3::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QMainWindow::event(event);
}

void Tfrm3::FormShow() {
  FormResize();
  tbtEditor_e_Grafica->setChecked(true);
  tbtEditor_e_GraficaClick();
}

void Tfrm3::FormActivate() {
  if (attivato_) return;
  attivato_ = true;
  FormShow();
  TDatiGlob& g = DatiGlob;
  delete g.ListaValGraf;
  g.ListaValGraf = new TListValGraf;
  captionBase_ = TitoloApplicazione();
  setWindowTitle(QString::fromStdString(captionBase_));
  g.bMostraErrori = true;
  reoutput->clear();
  pnlPulsantiSource->setEnabled(true);
  ImpostaTestoEditor(*MemoSource, "");
  MemoSource->SetEditorModified(false);
  RiempiMenuItems();
  // The lesson opens on the canvas the pupil will see: once the messages that came with the
  // activation are handled, since a desktop may activate the window before it maximises it
  // (an analysis window and a chart's box are laid out in the canvas's pixels).
  const std::string file = TestoRigaComando(parametri_);
  if (!parametri_.empty() && IsFileProgramma(file)) QTimer::singleShot(0, this, [this, file] { ApriFile(file); });
}

void Tfrm3::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // The window is shown before the desktop maximises it: the columns follow every size.
  AvvolgiBarreStrumenti();
  ImpaginaColonne();
  FormResize();
}

void Tfrm3::FormResize() {
  if (!layoutFatto_) {
    // The panes themselves follow their layouts; what is left is the frame's rectangle.
    layoutFatto_ = true;
    if (DatiGlob.RifCart) pnlRifCartResize();
  }
  ImpaginaBarraEsegui();
}

void Tfrm3::pnlRifCartResize() {
  cRifCart* r = ambiente_->RifCart();
  if (!r) return;
  const int w = std::max(1, pbRifCart->width()), h = std::max(1, pbRifCart->height());
  canvasRifCart_->ImpostaDestinazione(&pbRifCart->Immagine());
  // The frame draws through the canvas that keeps the statements' drawing in order.
  ambiente_->ImpostaCanvas(canvasRifCart_.get(), w, h);
  if (!r->_bAssi) {
    // The squared paper's origin stays on the bottom row, and a pan keeps its distance from
    // it: a relayout (the view switched, a lesson opened) must not undo the pupil's pan.
    r->__AsseY += (h - 1) - r->AsseYIniziale;
    r->AsseYIniziale = h - 1;
  }
  DisegnaRifCart();
}

// ---------------------------------------------------------------------------------------
// Fonts and edit actions

void Tfrm3::IngrandisciCarattere1Click() {
  if (DimensioneCarattere(*MemoSource) >= 20) return;
  ImpostaDimensioneCarattere(*MemoSource, DimensioneCarattere(*MemoSource) + 2);
  ImpostaDimensioneCarattere(*edIstruzione, DimensioneCarattere(*edIstruzione) + 2);
}

void Tfrm3::RimpicciolisciCarattere1Click() {
  if (DimensioneCarattere(*MemoSource) <= 10) return;
  ImpostaDimensioneCarattere(*MemoSource, DimensioneCarattere(*MemoSource) - 2);
  ImpostaDimensioneCarattere(*edIstruzione, DimensioneCarattere(*edIstruzione) - 2);
}

void Tfrm3::MenuItem1Click() {
  bool ok = false;
  const QFont f = QFontDialog::getFont(&ok, reoutput->font(), this, QString(), QFontDialog::DontUseNativeDialog);
  if (ok) reoutput->setFont(f);
}

void Tfrm3::AggiornaAzioni() {
  TSrcEditFinestra* e = MemoSource->hasFocus() ? MemoSource : edIstruzione;
  actEditCut->setEnabled(e->SelectionAvailable());
  actEditCopy->setEnabled(e->SelectionAvailable());
  actEditPaste->setEnabled(e->CanPaste());
  actEditUndo->setEnabled(MemoSource->CanUndo());
  actEditRedo->setEnabled(MemoSource->CanRedo());
  actFileSave->setEnabled(MemoSource->Modified());
}

// ---------------------------------------------------------------------------------------
// New and Open (Save, Save As and the reading of a file are in ComandiFile.cpp)

namespace {
// The save question before New, Open and closing: false when the command must not go on
// (cancelled, or the save did not happen).
bool ChiediSalvataggio(Tfrm3& f) {
  if (!f.MemoSource->Modified()) return true;
  switch (MessaggioFinestra(&f, "Vuoi salvare prima il lavoro ?", "Conferma", TTipoMessaggio::Domanda,
                            TPulsanti::SiNoAnnulla)) {
    case mrYes: return f.actFileSaveExecute();
    case mrNo: return true;
    default: return false;
  }
}
}  // namespace

void Tfrm3::actFileNewExecute() {
  if (EsecuzioneInCorso() || !ChiediSalvataggio(*this)) return;
  InizializzaAmbiente();
  setWindowTitle(QString::fromStdString(captionBase_));
  nomeFile_.clear();
  MemoSource->ClearAll();
  MemoSource->SetEditorModified(false);
  MemoSource->SetReadOnly(false);
}

void Tfrm3::actFileOpenExecute() {
  if (EsecuzioneInCorso() || !ChiediSalvataggio(*this)) return;
  ApriFile("");
}

// ---------------------------------------------------------------------------------------
// Closing

bool Tfrm3::FormClose() {
  if (!ChiediSalvataggio(*this)) return false;
  TerminaEsecuzione();
  return true;
}

void Tfrm3::closeEvent(QCloseEvent* event) {
  if (!FormClose()) {
    event->ignore();
    return;
  }
  inChiusura_ = true;
  event->accept();
}

}  // namespace qx
