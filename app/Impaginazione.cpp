// The panes of the main window and what they hold: the tool bar, the main menu, the tool
// column with the palette, the editor column, the output column and the bottom bar.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>
#include <utility>

#include "app/CanvasDifferito.h"
#include "app/Editori.h"
#include "app/IconeStriscia.h"
#include "app/Messaggi.h"
#include "app/PaintBoxQt.h"
#include "app/Protetto.h"
#include "app/ServiziFinestra.h"
#include "app/dialogs/Dialoghi.h"
#include "app/Tfrm3.h"
#include "runstate/DatiGlob.h"
#include "values/RifCart.h"

namespace qx {

namespace {

constexpr int kLarghezzaStrumenti = 184;
constexpr int kAltezzaMessaggio = 20;
constexpr int kAltezzaBarra = 27;

QWidget* Pannello(const char* nome, QWidget* parent = nullptr) {
  auto* p = new QWidget(parent);
  p->setObjectName(nome);
  return p;
}

// A column filling `w` to its edges; `senzaSpazi`: its items touch too.
QVBoxLayout* Colonna(QWidget* w, bool senzaSpazi) {
  auto* v = new QVBoxLayout(w);
  v->setContentsMargins(0, 0, 0, 0);
  if (senzaSpazi) v->setSpacing(0);
  return v;
}

}  // namespace

void Tfrm3::CreaComponenti() {
  setObjectName("frm3");
  resize(1024, 720);
  CreaBarraStrumenti();
  CreaMenuPrincipale();

  auto* centrale = new QWidget(this);
  auto* verticale = Colonna(centrale, true);
  colonne_ = new QSplitter(Qt::Horizontal, centrale);
  colonne_->addWidget(CreaColonnaStrumenti());
  colonne_->addWidget(CreaColonnaIntermedia());
  colonne_->addWidget(CreaColonnaOutput());
  colonne_->setStretchFactor(2, 1);
  verticale->addWidget(colonne_, 1);
  verticale->addWidget(CreaBarraEsegui());
  setCentralWidget(centrale);
  pnlEsegui->installEventFilter(this);
  pnlIntermedio->installEventFilter(this);

  Timer1 = new QTimer(this);
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  Timer1->start();
  // A value dragged with the mouse changes what the list says of it: the list follows a
  // tenth of a second after the last move, not at every move of a long list.
  timerLista_ = new QTimer(this);
  timerLista_->setSingleShot(true);
  timerLista_->setInterval(100);
  // A run under way refreshes the list itself, between its statements.
  connect(timerLista_, &QTimer::timeout, this, [this] {
    if (!DatiGlob.bInEsecuzione) AggiornaListaOggetti();
  });
  fuoco_ = connect(qApp, &QApplication::focusChanged, this, [this] { AggiornaAzioni(); });
  CreaMenuModelli();
}

void Tfrm3::CreaBarraStrumenti() {
  ToolBar2 = addToolBar("ToolBar2");
  ToolBar2->setObjectName("ToolBar2");
  ToolBar2->setMovable(false);
  ToolBar2->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QStyle* s = style();
  auto azione = [this](const char* nome, const QString& testo, const QIcon& icona, const QString& hint) {
    auto* a = new QAction(icona, testo, this);
    a->setObjectName(nome);
    a->setToolTip(hint);
    return a;
  };
  actFileNew = azione("actFileNew", "&Nuovo", s->standardIcon(QStyle::SP_FileIcon), "Nuovo");
  actFileOpen = azione("actFileOpen", "&Apri...", s->standardIcon(QStyle::SP_DialogOpenButton), "Apri");
  actFileSave = azione("actFileSave", "&Salva", s->standardIcon(QStyle::SP_DialogSaveButton), "Salva");
  actFileSave->setShortcut(QKeySequence("Ctrl+S"));
  actFileSaveAs = azione("actFileSaveAs", "Salva con &Nome...", QIcon(), "Salva con Nome");
  EseguiPassoPasso1 = azione("EseguiPassoPasso1", "Esegui Passo Passo", s->standardIcon(QStyle::SP_MediaSeekForward),
                             "Esegui Passo Passo");
  Esegui1 = azione("Esegui1", "Esegui", s->standardIcon(QStyle::SP_MediaPlay), "Esegui");
  tbtTerminaEsecuzione = azione("tbtTerminaEsecuzione", "Termina", s->standardIcon(QStyle::SP_MediaStop),
                                "Termina l'esecuzione");
  tbtTerminaEsecuzione->setEnabled(false);
  IngrandisciCarattere1 = azione("IngrandisciCarattere1", "Ingrandisci Carattere", QIcon(), "Ingrandisci Carattere");
  RimpicciolisciCarattere1 =
      azione("RimpicciolisciCarattere1", "Rimpicciolisci Carattere", QIcon(), "Rimpicciolisci Carattere");
  tbSpazio = azione("tbSpazio", "Spazio", QIcon(), "Geometria nello spazio");
  tbSpazio->setCheckable(true);
  tbtSoloGrafica = azione("tbtSoloGrafica", "Grafica", QIcon(), "Solo grafica");
  tbtEditor_e_Grafica = azione("tbtEditor_e_Grafica", "Editor e grafica", QIcon(), "Editor e grafica");
  tbtSoloEditor = azione("tbtSoloEditor", "Editor", QIcon(), "Solo editor");
  auto* impaginazioni = new QActionGroup(this);
  for (QAction* a : {tbtSoloGrafica, tbtEditor_e_Grafica, tbtSoloEditor}) {
    a->setCheckable(true);
    impaginazioni->addAction(a);
  }
  btnContinua = azione("btnContinua", "Continua", QIcon(), "Continua");
  btnTerminaPenna = azione("btnTerminaPenna", "Termina Penna", QIcon(), "Termina Penna");

  for (QAction* a : {actFileNew, actFileOpen, actFileSave}) ToolBar2->addAction(a);
  ToolBar2->addSeparator();
  for (QAction* a : {EseguiPassoPasso1, Esegui1, tbtTerminaEsecuzione}) ToolBar2->addAction(a);
  ToolBar2->addSeparator();
  IngrandisciCarattere1->setIconText("A+");
  RimpicciolisciCarattere1->setIconText("A-");
  for (QAction* a : {IngrandisciCarattere1, RimpicciolisciCarattere1, tbSpazio}) ToolBar2->addAction(a);
  // The layouts and the buttons that a run shows sit in a bar of their own, which goes to a
  // second row when the window is too narrow for both (never into a hidden overflow).
  ToolBarViste = addToolBar("ToolBarViste");
  ToolBarViste->setObjectName("ToolBarViste");
  ToolBarViste->setMovable(false);
  ToolBarViste->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  for (QAction* a : {tbtSoloGrafica, tbtEditor_e_Grafica, tbtSoloEditor, btnContinua, btnTerminaPenna})
    ToolBarViste->addAction(a);
  btnContinua->setVisible(false);
  btnTerminaPenna->setVisible(false);
  for (QAction* a : {btnContinua, btnTerminaPenna})
    connect(a, &QAction::visibleChanged, this, [this] { AvvolgiBarreStrumenti(); });

  connect(actFileNew, &QAction::triggered, this, [this] { actFileNewExecute(); });
  connect(actFileOpen, &QAction::triggered, this, [this] { actFileOpenExecute(); });
  connect(actFileSave, &QAction::triggered, this, [this] { actFileSaveExecute(); });
  connect(actFileSaveAs, &QAction::triggered, this, [this] { actFileSaveAsExecute(); });
  connect(EseguiPassoPasso1, &QAction::triggered, this, [this] { Protetto([this] { EseguiPassoPasso1Click(); }); });
  connect(Esegui1, &QAction::triggered, this, [this] { Protetto([this] { Esegui1Click(); }); });
  connect(tbtTerminaEsecuzione, &QAction::triggered, this, [this] { TerminaEsecuzione(); });
  connect(IngrandisciCarattere1, &QAction::triggered, this, [this] { IngrandisciCarattere1Click(); });
  connect(RimpicciolisciCarattere1, &QAction::triggered, this, [this] { RimpicciolisciCarattere1Click(); });
  connect(tbSpazio, &QAction::triggered, this, [this] { MostraVista(tbSpazio->isChecked()); });
  connect(tbtSoloGrafica, &QAction::triggered, this, [this] { tbtSoloGraficaClick(); });
  connect(tbtEditor_e_Grafica, &QAction::triggered, this, [this] { tbtEditor_e_GraficaClick(); });
  connect(tbtSoloEditor, &QAction::triggered, this, [this] { tbtSoloEditorClick(); });
  connect(btnContinua, &QAction::triggered, this, [this] { btnContinuaClick(); });
  connect(btnTerminaPenna, &QAction::triggered, this, [this] { btnTerminaPennaClick(); });
}

void Tfrm3::CreaMenuPrincipale() {
  QMenuBar* barra = menuBar();
  QMenu* file = barra->addMenu("&File");
  file->addAction(actFileNew);
  file->addAction(actFileOpen);
  file->addAction(actFileSave);
  file->addAction(actFileSaveAs);
  file->addSeparator();
  StampaScheda1 = file->addAction("S&tampa scheda");
  StampaScheda1->setObjectName("StampaScheda1");
  connect(StampaScheda1, &QAction::triggered, this, [this] { StampaScheda(); });
  Esci1 = file->addAction("&Esci");
  Esci1->setObjectName("Esci1");
  connect(Esci1, &QAction::triggered, this, [this] { close(); });

  QMenu* modifica = barra->addMenu("&Modifica");
  actEditUndo = modifica->addAction("&Annulla");
  actEditUndo->setShortcut(QKeySequence("Ctrl+Z"));
  actEditRedo = modifica->addAction("&Ripristina");
  actEditRedo->setShortcut(QKeySequence("Shift+Ctrl+Z"));
  modifica->addSeparator();
  actEditCut = modifica->addAction("&Taglia");
  actEditCut->setShortcut(QKeySequence("Ctrl+X"));
  actEditCopy = modifica->addAction("&Copia");
  actEditCopy->setShortcut(QKeySequence("Ctrl+C"));
  actEditPaste = modifica->addAction("&Incolla");
  actEditPaste->setShortcut(QKeySequence("Ctrl+V"));
  modifica->addSeparator();
  modifica->addAction(IngrandisciCarattere1);
  modifica->addAction(RimpicciolisciCarattere1);
  // The editors handle their own keys; the window's shortcuts serve when neither has the focus.
  for (QAction* a : {actEditUndo, actEditRedo, actEditCut, actEditCopy, actEditPaste})
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  auto editorAttivo = [this] { return MemoSource->hasFocus() ? MemoSource : edIstruzione; };
  connect(actEditUndo, &QAction::triggered, this, [this] { MemoSource->Undo(); });
  connect(actEditRedo, &QAction::triggered, this, [this] { MemoSource->Redo(); });
  connect(actEditCut, &QAction::triggered, this, [editorAttivo] { editorAttivo()->CutToClipboard(); });
  connect(actEditCopy, &QAction::triggered, this, [editorAttivo] { editorAttivo()->CopyToClipboard(); });
  connect(actEditPaste, &QAction::triggered, this, [editorAttivo] { editorAttivo()->PasteFromClipboardText(); });
  connect(modifica, &QMenu::aboutToShow, this, [this] { AggiornaAzioni(); });

  QMenu* programma = barra->addMenu("&Programma");
  programma->addAction(EseguiPassoPasso1);
  programma->addAction(Esegui1);

  QMenu* info = barra->addMenu("&?");
  Informazionisu1 = info->addAction("Informazioni su..");
  Informazionisu1->setObjectName("Informazionisu1");
  connect(Informazionisu1, &QAction::triggered, this, [this] { servizi_->Dialoghi().Informazioni(); });
}

QWidget* Tfrm3::CreaColonnaStrumenti() {
  pnlStrumenti = Pannello("pnlStrumenti");
  pnlStrumenti->setFixedWidth(kLarghezzaStrumenti);
  auto* v = new QVBoxLayout(pnlStrumenti);
  v->setContentsMargins(2, 2, 2, 2);
  RsIstruzioni = new TRAScrollMax(pnlStrumenti);
  RsIstruzioni->setObjectName("RsIstruzioni");
  RsIstruzioni->SetAutoHeight(false);
  RsIstruzioni->SetBevelOuter(bvNone);
  QFont piccolo("Small Fonts");
  piccolo.setPixelSize(9);
  piccolo.setBold(true);
  RsIstruzioni->SetButtonFont(piccolo);
  RASCrollGeometria = Banda("Geometria", 161);
  RASCrollGeometria->setObjectName("RASCrollGeometria");
  RAScrollStili = Banda("Stili e Colori", 272);
  RAScrollStili->setObjectName("RAScrollStili");
  RAScrollSpazio = Banda("Geometria nello Spazio", 92);
  RAScrollSpazio->setObjectName("RAScrollSpazio");
  CreaBandaGeometria(RASCrollGeometria);
  CreaBandaStili(RAScrollStili);
  CreaBandaSpazio(RAScrollSpazio);
  v->addWidget(RsIstruzioni, 1);
  cbEseguiSubito = new QCheckBox("Esegui subito", pnlStrumenti);
  cbEseguiSubito->setObjectName("cbEseguiSubito");
  v->addWidget(cbEseguiSubito);
  return pnlStrumenti;
}

QWidget* Tfrm3::CreaColonnaIntermedia() {
  pnlIntermedio = Pannello("pnlIntermedio");
  pnlIntermedio->setMinimumWidth(1);
  auto* v = Colonna(pnlIntermedio, true);
  pnlPulsantiSource = new QLabel("   Programma", pnlIntermedio);
  pnlPulsantiSource->setObjectName("pnlPulsantiSource");
  pnlPulsantiSource->setFrameShape(QFrame::Panel);
  pnlPulsantiSource->setFrameShadow(QFrame::Raised);
  v->addWidget(pnlPulsantiSource);
  MemoSource = CreaEditorProgramma(pnlIntermedio);
  MemoSource->setObjectName("MemoSource");
  v->addWidget(MemoSource, 1);

  pnlListaOggetti = Pannello("pnlListaOggetti", pnlIntermedio);
  auto* l = new QVBoxLayout(pnlListaOggetti);
  l->setContentsMargins(0, 2, 0, 0);
  l->setSpacing(0);
  lblOggetti = new QLabel("  Oggetti definiti", pnlListaOggetti);
  lblOggetti->setObjectName("lblOggetti");
  l->addWidget(lblOggetti);
  lbOggetti = new TRAhtListBox(pnlListaOggetti);
  lbOggetti->setObjectName("lbOggetti");
  lbOggetti->SetSorted(true);
  vociOggetti_ = std::make_unique<TSortedItems>(*lbOggetti);
  l->addWidget(lbOggetti, 1);
  v->addWidget(pnlListaOggetti);

  MemoSource->OnSpecialLineColors = [this](TCustomSrcEdit*, int riga, bool& speciale, TColor& fg, TColor& bg) {
    MemoSourceSpecialLineColors(riga, speciale, fg, bg);
  };
  MemoSource->OnKeyDown = [this](TCustomSrcEdit*, std::uint16_t&, TShiftState) { MemoSourceKeyDown(); };
  MemoSource->OnEnter = [this](TCustomSrcEdit*) { barraAttiva_ = false; };
  MemoSource->OnChange = [this](TCustomSrcEdit*) { AggiornaAzioni(); };
  MemoSource->OnStatusChange = [this](TCustomSrcEdit*, TSynStatusChanges) { AggiornaAzioni(); };
  MemoSource->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(MemoSource, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    // A template goes where the user clicked, unless a selection waits to be replaced.
    if (!MemoSource->SelectionAvailable())
      MemoSource->SetCaretXY(MemoSource->DisplayToBufferPos(MemoSource->PixelsToNearestRowColumn(p.x(), p.y())));
    ++menuAperti_;
    PopupColorieComandi->exec(MemoSource->mapToGlobal(p));
    --menuAperti_;
  });
  return pnlIntermedio;
}

QWidget* Tfrm3::CreaColonnaOutput() {
  pnlOutput = Pannello("pnlOutput");
  pnlOutput->setMinimumWidth(1);
  auto* v = Colonna(pnlOutput, true);
  auto* divisore = new QSplitter(Qt::Vertical, pnlOutput);
  auto* disegno = new QWidget;
  auto* d = Colonna(disegno, true);

  // The plane: the title, the y ruler beside the area, the x ruler below both.
  pnlRifCart = Pannello("pnlRifCart", disegno);
  auto* griglia = new QGridLayout(pnlRifCart);
  griglia->setContentsMargins(0, 0, 0, 0);
  griglia->setSpacing(0);
  Label4 = new QLabel("Piano Cartesiano", pnlRifCart);
  Label4->setObjectName("Label4");
  Label4->setAlignment(Qt::AlignCenter);
  griglia->addWidget(Label4, 0, 0, 1, 2);
  pnlPby = Pannello("pnlPby", pnlRifCart);
  auto* lPby = Colonna(pnlPby, false);
  const TColor coloreRighello = RGBColor(240, 240, 240);
  pbY = new TPaintBoxQt(pnlPby, coloreRighello);
  pbY->setObjectName("pbY");
  pbY->setFixedWidth(30);
  lPby->addWidget(pbY);
  griglia->addWidget(pnlPby, 1, 0);
  pbRifCart = new TPaintBoxQt(pnlRifCart);
  pbRifCart->setObjectName("pbRifCart");
  pbRifCart->setMinimumSize(40, 40);
  griglia->addWidget(pbRifCart, 1, 1);
  pnlPbx = Pannello("pnlPbx", pnlRifCart);
  auto* lPbx = Colonna(pnlPbx, false);
  pbX = new TPaintBoxQt(pnlPbx, coloreRighello);
  pbX->setObjectName("pbX");
  pbX->setFixedHeight(22);
  lPbx->addWidget(pbX);
  griglia->addWidget(pnlPbx, 2, 0, 1, 2);
  griglia->setRowStretch(1, 1);
  griglia->setColumnStretch(1, 1);
  d->addWidget(pnlRifCart, 1);

  // The space view: its viewer joins the empty panel.
  pnlRifCart3D = Pannello("pnlRifCart3D", disegno);
  auto* s = Colonna(pnlRifCart3D, true);
  pnlTestoRifcart3D = Pannello("pnlTestoRifcart3D", pnlRifCart3D);
  auto* t = Colonna(pnlTestoRifcart3D, false);
  Label1 = new QLabel("Geometria nello spazio", pnlTestoRifcart3D);
  Label1->setObjectName("Label1");
  Label1->setAlignment(Qt::AlignCenter);
  t->addWidget(Label1);
  s->addWidget(pnlTestoRifcart3D);
  Scn = Pannello("Scn", pnlRifCart3D);
  Scn->setAutoFillBackground(true);
  QPalette bianco = Scn->palette();
  bianco.setColor(QPalette::Window, Qt::white);
  Scn->setPalette(bianco);
  s->addWidget(Scn, 1);
  pnlRifCart3D->hide();
  d->addWidget(pnlRifCart3D, 1);

  pnlControlliRifCart = Pannello("pnlControlliRifCart", disegno);
  auto* c = new QHBoxLayout(pnlControlliRifCart);
  c->setContentsMargins(2, 1, 2, 1);
  c->setSpacing(1);
  sbSu = PulsanteStriscia(pnlControlliRifCart, c, "sbSu", QIcon(), "Su");
  sbSu->setArrowType(Qt::UpArrow);
  sbGiu = PulsanteStriscia(pnlControlliRifCart, c, "sbGiu", QIcon(), "Giù");
  sbGiu->setArrowType(Qt::DownArrow);
  sbSinistra = PulsanteStriscia(pnlControlliRifCart, c, "sbSinistra", QIcon(), "Sinistra");
  sbSinistra->setArrowType(Qt::LeftArrow);
  sbDestra = PulsanteStriscia(pnlControlliRifCart, c, "sbDestra", QIcon(), "Destra");
  sbDestra->setArrowType(Qt::RightArrow);
  sbZoomp = PulsanteStriscia(pnlControlliRifCart, c, "sbZoomp", IconaStriscia(TIconaStriscia::ZoomPiu),
                             "Ingrandisci");
  sbZoomm = PulsanteStriscia(pnlControlliRifCart, c, "sbZoomm", IconaStriscia(TIconaStriscia::ZoomMeno),
                             "Rimpicciolisci");
  sbGrigliaOn = PulsanteStriscia(pnlControlliRifCart, c, "sbGrigliaOn", IconaStriscia(TIconaStriscia::Griglia),
                                 "Mostra griglia");
  sbGrigliaOff = PulsanteStriscia(pnlControlliRifCart, c, "sbGrigliaOff", IconaStriscia(TIconaStriscia::Assi),
                                  "Nascondi  griglia");
  auto* gruppoGriglia = new QButtonGroup(this);
  for (QToolButton* b : {sbGrigliaOn, sbGrigliaOff}) {
    b->setCheckable(true);
    gruppoGriglia->addButton(b);
  }
  sbGrigliaOn->setChecked(true);
  sbInit = PulsanteStriscia(pnlControlliRifCart, c, "sbInit", IconaStriscia(TIconaStriscia::Origine),
                            "Ripristina valori iniziali");
  sbCancTraccia = PulsanteStriscia(pnlControlliRifCart, c, "sbCancTraccia", IconaStriscia(TIconaStriscia::CancellaTraccia),
                                   "Cancella traccia");
  c->addStretch(1);
  d->addWidget(pnlControlliRifCart);
  pnlControlliRifCart3D = Pannello("pnlControlliRifCart3D", disegno);
  pnlControlliRifCart3D->setFixedHeight(26);
  pnlControlliRifCart3D->hide();
  d->addWidget(pnlControlliRifCart3D);
  divisore->addWidget(disegno);

  pnlStampa = Pannello("pnlStampa");
  auto* o = Colonna(pnlStampa, false);
  reoutput = new QTextEdit(pnlStampa);
  reoutput->setObjectName("reoutput");
  reoutput->setReadOnly(true);
  // Lines wrap between words only: a word longer than the pane overflows instead. Breaking
  // at words or anywhere made the layout of one long word quadratic, and a printed string of
  // 655,360 letters froze the window for fifteen seconds.
  reoutput->setWordWrapMode(QTextOption::WordWrap);
  reoutput->setContextMenuPolicy(Qt::CustomContextMenu);
  o->addWidget(reoutput);
  divisore->addWidget(pnlStampa);
  divisore->setStretchFactor(0, 3);
  divisore->setStretchFactor(1, 1);
  v->addWidget(divisore);

  pmCarattere = new QMenu(this);
  pmCarattere->setObjectName("pmCarattere");
  QAction* carattere = pmCarattere->addAction("&Carattere");
  carattere->setObjectName("MenuItem1");
  connect(carattere, &QAction::triggered, this, [this] { MenuItem1Click(); });
  connect(reoutput, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { pmCarattere->exec(reoutput->mapToGlobal(p)); });

  connect(sbSu, &QToolButton::clicked, this, [this] { sbSuClick(); });
  connect(sbGiu, &QToolButton::clicked, this, [this] { sbGiuClick(); });
  connect(sbSinistra, &QToolButton::clicked, this, [this] { sbSinistraClick(); });
  connect(sbDestra, &QToolButton::clicked, this, [this] { sbDestraClick(); });
  connect(sbZoomp, &QToolButton::clicked, this, [this] { sbZoompClick(); });
  connect(sbZoomm, &QToolButton::clicked, this, [this] { sbZoommClick(); });
  connect(sbGrigliaOn, &QToolButton::clicked, this, [this] { sbGrigliaOnClick(); });
  connect(sbGrigliaOff, &QToolButton::clicked, this, [this] { sbGrigliaOnClick(); });
  connect(sbInit, &QToolButton::clicked, this, [this] { sbInitClick(); });
  connect(sbCancTraccia, &QToolButton::clicked, this, [this] { sbCancTracciaClick(); });

  pbRifCart->OnPaint = [this] { Protetto([this] { canvasRifCart_->Completa(); }); };
  pbRifCart->OnResize = [this] { pnlRifCartResize(); };
  pbX->OnPaint = [] {
    if (cRifCart* r = DatiGlob.RifCart) r->DisegnaScalaX();
  };
  pbY->OnPaint = [] {
    if (cRifCart* r = DatiGlob.RifCart) r->DisegnaScalaY();
  };
  CollegaMouseRifCart();
  return pnlOutput;
}

QWidget* Tfrm3::CreaBarraEsegui() {
  pnlEsegui = Pannello("pnlEsegui");
  pnlEsegui->setFixedHeight(53);
  cbEsecuzioneVeloce = new QCheckBox("Esecuzione Veloce", pnlEsegui);
  cbEsecuzioneVeloce->setObjectName("cbEsecuzioneVeloce");
  cbEsecuzioneVeloce->move(8, 4);
  cbSpostaOggetti = new QCheckBox("Sposta Oggetti", pnlEsegui);
  cbSpostaOggetti->setObjectName("cbSpostaOggetti");
  cbSpostaOggetti->move(8, 28);
  pnlMess = new QLabel(pnlEsegui);
  pnlMess->setObjectName("pnlMess");
  pnlMess->setFocusPolicy(Qt::StrongFocus);
  pnlMess->setFrameShape(QFrame::Panel);
  pnlMess->setFrameShadow(QFrame::Sunken);
  edIstruzione = CreaBarraComandi(pnlEsegui);
  edIstruzione->setObjectName("edIstruzione");
  altezzaBarra_ = kAltezzaBarra;
  pbEsegui = new QPushButton("Esegui", pnlEsegui);
  pbEsegui->setObjectName("pbEsegui");
  pbEsegui->setFixedSize(75, kAltezzaBarra);

  connect(cbEsecuzioneVeloce, &QCheckBox::clicked, this, [this] { cbEsecuzioneVeloceClick(); });
  connect(pbEsegui, &QPushButton::clicked, this, [this] { Protetto([this] { pbEseguiClick(); }); });
  // The bar runs on an Enter whose press it received: the release of an Enter that closed a
  // dialog lands here too, and must not run the statement again.
  edIstruzione->OnKeyDown = [this](TCustomSrcEdit*, std::uint16_t& tasto, TShiftState) {
    if (tasto == VK_RETURN) invioPremuto_ = true;
  };
  edIstruzione->OnKeyUp = [this](TCustomSrcEdit*, std::uint16_t& tasto, TShiftState stato) {
    if (tasto != VK_RETURN) return;
    const bool premuto = std::exchange(invioPremuto_, false);
    if (premuto && stato == 0) pbEsegui->click();
  };
  // With the focus the bar grows over the message line, and shrinks back without it.
  edIstruzione->OnEnter = [this](TCustomSrcEdit*) {
    invioPremuto_ = false;
    barraAttiva_ = true;
    altezzaBarra_ = kAltezzaBarra + kAltezzaMessaggio;
    ImpaginaBarraEsegui();
  };
  edIstruzione->OnExit = [this](TCustomSrcEdit*) {
    invioPremuto_ = false;
    altezzaBarra_ = kAltezzaBarra;
    ImpaginaBarraEsegui();
  };
  edIstruzione->OnChange = [this](TCustomSrcEdit*) { AggiornaAzioni(); };
  edIstruzione->OnStatusChange = [this](TCustomSrcEdit*, TSynStatusChanges) { AggiornaAzioni(); };
  edIstruzione->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(edIstruzione, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    ++menuAperti_;
    contestoBarra_ = true;
    PopupColorieComandi->exec(edIstruzione->mapToGlobal(p));
    contestoBarra_ = false;
    --menuAperti_;
  });
  return pnlEsegui;
}

void Tfrm3::MessaggioSemplice(const std::string& testo) {
  MessaggioFinestra(this, testo, TitoloApplicazione(), TTipoMessaggio::Informazione, TPulsanti::OK);
}

bool Tfrm3::eventFilter(QObject* oggetto, QEvent* evento) {
  if (QWindow* w = windowHandle(); evento->type() == QEvent::Expose && oggetto == w && w->isExposed()) {
    w->removeEventFilter(this);
    // After the messages that came with the exposure: the layout of the final size.
    QTimer::singleShot(0, this, [this] { FormActivate(); });
  }
  if (evento->type() == QEvent::Resize && (oggetto == pnlEsegui || oggetto == pnlIntermedio))
    ImpaginaBarraEsegui();
  return QMainWindow::eventFilter(oggetto, evento);
}

namespace {
void Larghezze(QSplitter* s, int strumenti, int intermedio, int output) {
  s->setSizes({strumenti, std::max(1, intermedio), std::max(1, output)});
}
// Below about 800 pixels the rule of "Editor e grafica" would leave the editor a few
// characters wide; it keeps at least this much.
constexpr int kLarghezzaMinimaEditor = 160;
}  // namespace

void Tfrm3::ImpaginaColonne() {
  if (!colonne_ || !tbtSoloEditor) return;
  const int W = width(), s = pnlStrumenti->width();
  const bool soloEditor = tbtSoloEditor->isChecked();
  // The editor alone: the output column goes whole, handle and all (a column a few pixels
  // wide was left as a sliver at the window's edge), and comes back with the other layouts.
  pnlOutput->setVisible(!soloEditor);
  if (soloEditor) {
    Larghezze(colonne_, s, W - s, 0);
    pnlListaOggetti->setFixedHeight(1);
    pnlEsegui->setFixedHeight(1);
  } else if (tbtSoloGrafica->isChecked()) {
    Larghezze(colonne_, s, 1, W - 1 - s - 14);
    // The command bar is the only way in for statements while the editor is hidden.
    pnlEsegui->setFixedHeight(53);
  } else {
    const int intermedio = std::max(W / 2 - W / 6 - s, kLarghezzaMinimaEditor);
    Larghezze(colonne_, s, intermedio, W - intermedio - s - 14);
    pnlListaOggetti->setFixedHeight(height() / 4);
    pnlEsegui->setFixedHeight(53);
  }
  ImpaginaBarraEsegui();
}

void Tfrm3::AvvolgiBarreStrumenti() {
  if (!ToolBarViste) return;
  const bool dueRighe = ToolBar2->sizeHint().width() + ToolBarViste->sizeHint().width() > width();
  if (dueRighe == barreSuDueRighe_) return;
  barreSuDueRighe_ = dueRighe;
  if (dueRighe)
    insertToolBarBreak(ToolBarViste);
  else
    removeToolBarBreak(ToolBarViste);
}

void Tfrm3::ImpaginaBarraEsegui() {
  if (!pnlEsegui) return;
  const int x = pnlIntermedio->width() + pnlStrumenti->width();
  const int larghezza = std::max(
      20, pnlEsegui->width() - pnlIntermedio->width() - pbEsegui->width() - 30 - pnlStrumenti->width());
  edIstruzione->setFixedHeight(altezzaBarra_);
  edIstruzione->setGeometry(x, 4, larghezza, altezzaBarra_);
  pbEsegui->move(x + larghezza + 5, 4);
  pnlMess->setGeometry(x, 4 + kAltezzaBarra, larghezza, kAltezzaMessaggio);
  edIstruzione->raise();
}

}  // namespace qx
