// The main window: the program editor, the command bar, the object list, the output pane,
// the 2D canvas and the space view's panel, with the palette, the menus and the tool bar.
// It starts, steps and stops the interpreter's runs and is the interpreter's window (its
// services are installed while the window lives). The components keep the window's own
// names so that the code reads like the window's description.
//
// The methods are spread over files by concern: Tfrm3.cpp (creation, activation, closing,
// fonts, edit actions), Impaginazione.cpp (building the panes), ControlloEsecuzione.cpp
// (runs), VistaRifCart.cpp (the canvas), ListaOggetti.cpp (the object list and the
// layouts), Menu.cpp and Palette.cpp (templates into program text).
#pragma once
#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "app/Componenti.h"
#include "controls/SortedItems.h"
#include "platform/Graphics.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QTextEdit;
class QTimer;
class QToolBar;
class QToolButton;

namespace qx {

namespace midi {
class TServiziSuono;
}

class TAmbiente;
class TBitmap;
class TCanvasDifferito;
class TSynSampleSyn;
class TPaintBoxQt;
class TPrelieviCanvas;
class TServiziFinestra;
class TStileMenu;
class TVistaSpazio;
struct TVocePalette;

// The version shown in the caption and by the splash.
constexpr double Versione = 3.0;
// "Quorix 3.0".
std::string TitoloApplicazione();

class Tfrm3 : public QMainWindow {
 public:
  // `parametri` are the command line's parameters (without the program's name); `suono` the
  // window's sound (the audio device when none is given).
  explicit Tfrm3(std::vector<std::string> parametri = {}, std::unique_ptr<midi::TServiziSuono> suono = nullptr,
                 QWidget* parent = nullptr);
  ~Tfrm3() override;
  Tfrm3(const Tfrm3&) = delete;
  Tfrm3& operator=(const Tfrm3&) = delete;

  // ---- Left tool column: the command palette ----
  QWidget* pnlStrumenti = nullptr;
  TRAScrollMax* RsIstruzioni = nullptr;
  TRAScrollMaxBand* RASCrollGeometria = nullptr;
  TRAScrollMaxBand* RAScrollStili = nullptr;
  TRAScrollMaxBand* RAScrollSpazio = nullptr;
  QCheckBox* cbEseguiSubito = nullptr;
  // "Stili e Colori"
  QComboBox* cmbPennaColore = nullptr;
  QComboBox* cmbRiempColore = nullptr;
  QComboBox* cmbSfondoColore = nullptr;
  QComboBox* cmbPennaStile = nullptr;
  QComboBox* cmbPennaSpessore = nullptr;
  QComboBox* cmbRiempMotivo = nullptr;
  QCheckBox* cbSoloOggetto = nullptr;
  TRAhtButton* btnCarattere = nullptr;

  // ---- Middle column: program editor and object list ----
  QSplitter* colonne_ = nullptr;
  QWidget* pnlIntermedio = nullptr;
  QLabel* pnlPulsantiSource = nullptr;
  TSrcEditFinestra* MemoSource = nullptr;
  QWidget* pnlListaOggetti = nullptr;
  QLabel* lblOggetti = nullptr;
  TRAhtListBox* lbOggetti = nullptr;

  // ---- Output column ----
  QWidget* pnlOutput = nullptr;
  QWidget* pnlRifCart = nullptr;
  QLabel* Label4 = nullptr;
  QWidget* pnlPbx = nullptr;
  QWidget* pnlPby = nullptr;
  TPaintBoxQt* pbX = nullptr;
  TPaintBoxQt* pbY = nullptr;
  TPaintBoxQt* pbRifCart = nullptr;
  QWidget* pnlRifCart3D = nullptr;
  QWidget* Scn = nullptr;  // the space view's viewer joins here
  QWidget* pnlTestoRifcart3D = nullptr;
  QLabel* Label1 = nullptr;
  QWidget* pnlStampa = nullptr;
  QTextEdit* reoutput = nullptr;
  QWidget* pnlControlliRifCart = nullptr;
  QToolButton* sbSu = nullptr;
  QToolButton* sbGiu = nullptr;
  QToolButton* sbSinistra = nullptr;
  QToolButton* sbDestra = nullptr;
  QToolButton* sbZoomp = nullptr;
  QToolButton* sbZoomm = nullptr;
  QToolButton* sbGrigliaOn = nullptr;
  QToolButton* sbGrigliaOff = nullptr;
  QToolButton* sbInit = nullptr;
  QToolButton* sbCancTraccia = nullptr;
  QWidget* pnlControlliRifCart3D = nullptr;

  // ---- Bottom bar ----
  QWidget* pnlEsegui = nullptr;
  TSrcEditFinestra* edIstruzione = nullptr;
  QPushButton* pbEsegui = nullptr;
  QCheckBox* cbEsecuzioneVeloce = nullptr;
  QCheckBox* cbSpostaOggetti = nullptr;
  QLabel* pnlMess = nullptr;

  // ---- Tool bar, actions and menus ----
  QToolBar* ToolBar2 = nullptr;
  QToolBar* ToolBarViste = nullptr;  // the layout buttons, "Continua", "Termina Penna"
  QAction* actFileNew = nullptr;
  QAction* actFileOpen = nullptr;
  QAction* actFileSave = nullptr;
  QAction* actFileSaveAs = nullptr;
  QAction* StampaScheda1 = nullptr;
  QAction* Esci1 = nullptr;
  QAction* actEditUndo = nullptr;
  QAction* actEditRedo = nullptr;
  QAction* actEditCut = nullptr;
  QAction* actEditCopy = nullptr;
  QAction* actEditPaste = nullptr;
  QAction* IngrandisciCarattere1 = nullptr;
  QAction* RimpicciolisciCarattere1 = nullptr;
  QAction* EseguiPassoPasso1 = nullptr;
  QAction* Esegui1 = nullptr;
  QAction* Informazionisu1 = nullptr;
  QAction* tbtTerminaEsecuzione = nullptr;
  QAction* tbSpazio = nullptr;
  QAction* tbtSoloGrafica = nullptr;
  QAction* tbtEditor_e_Grafica = nullptr;
  QAction* tbtSoloEditor = nullptr;
  QAction* btnContinua = nullptr;      // "Continua", shown while PAUSA waits
  QAction* btnTerminaPenna = nullptr;  // "Termina Penna", shown while a pen stroke is drawn
  QTimer* Timer1 = nullptr;
  QMenu* PopupColorieComandi = nullptr;
  QMenu* PopupComandi = nullptr;
  QMenu* pmCarattere = nullptr;
  QMenu* ColorePenna1 = nullptr;
  QMenu* ColoreRiempimento1 = nullptr;
  QMenu* ColoreSfondo1 = nullptr;
  QMenu* StilePenna1 = nullptr;
  QMenu* MotivoRiempimento1 = nullptr;
  QMenu* SpessorePenna1 = nullptr;
  QAction* Carattere1 = nullptr;
  // The nine submenus of statement templates, in the order of the template lists.
  QMenu* MenuModelli[9] = {};
  // SE, SE ... ESEGUI, ESEGUI FINQUANDO, PER, RIPETI.
  QAction* Se1 = nullptr;
  QAction* Se2 = nullptr;
  QAction* EseguiFin = nullptr;
  QAction* Per = nullptr;
  QAction* Ripeti1 = nullptr;

  // ---- Creation, activation, layout, closing ----
  void FormShow();
  void FormActivate();
  void FormResize();
  // True when the window may close (the save question was not cancelled).
  bool FormClose();
  void pnlRifCartResize();
  void IngrandisciCarattere1Click();
  void RimpicciolisciCarattere1Click();
  void MenuItem1Click();
  // The edit actions follow the focused editor.
  void AggiornaAzioni();
  bool InChiusura() const { return inChiusura_; }

  // ---- Program files (ComandiFile.cpp) and the worksheet (StampaScheda.cpp) ----
  // Each is true when the work was written (or read); a failure has shown its box.
  bool SalvaFile();
  bool actFileSaveExecute();
  bool actFileSaveAsExecute();
  // Opens the named file without a dialog; with no name asks for one.
  bool ApriFile(const std::string& nome);
  void actFileNewExecute();
  void actFileOpenExecute();
  const std::string& NomeFile() const { return nomeFile_; }
  void StampaScheda();
  // The worksheet's picture of the space view: the viewer's own frame when it has one.
  TBitmap FotografiaVista3D();

  // ---- Run control ----
  void InizializzaAmbiente();
  void EseguiProgramma();
  void EseguiPassoPasso();
  void TerminaEsecuzione();
  void Esegui1Click();
  void EseguiPassoPasso1Click();
  void pbEseguiClick();
  void btnContinuaClick();
  void btnTerminaPennaClick();
  void cbEsecuzioneVeloceClick();
  void Timer1Timer();
  void MemoSourceSpecialLineColors(int riga, bool& speciale, TColor& fg, TColor& bg);
  void MemoSourceKeyDown();
  // A run of the program or of the command bar is under way.
  bool EsecuzioneInCorso() const;

  // ---- The 2D canvas ----
  void PreparaRifCart();
  void DisegnaRifCart();
  void sbSuClick();
  void sbGiuClick();
  void sbSinistraClick();
  void sbDestraClick();
  void sbZoompClick();
  void sbZoommClick();
  void sbGrigliaOnClick();
  void sbInitClick();
  void sbCancTracciaClick();
  // Brings every pending repaint up to date: the canvas, the rulers, the object list.
  void CompletaRidisegni();
  // The canvas's picture, up to date.
  const QImage& ImmagineRifCart();
  // The canvas the statements draw on.
  TCanvasDifferito& CanvasRifCart() { return *canvasRifCart_; }
  // The canvas's mouse: hover, rubber bands, dragging, the polygon's popup.
  TPrelieviCanvas& Prelievi() { return *prelievi_; }

  // ---- The object list and the views ----
  void AggiornaListaOggetti();
  // The list again shortly, once a drag has moved a value (see timerLista_).
  void ListaOggettiDaAggiornare();
  void MostraVista(bool vista3D);
  // A dialog opens over the views: the value under the mouse, on the plane and in space,
  // loses its highlight and its label, and the picture shows it.
  void LasciaViste();
  void tbtSoloGraficaClick();
  void tbtEditor_e_GraficaClick();
  void tbtSoloEditorClick();

  // ---- Menus, palette and templates ----
  void RiempiMenuItems();
  // A palette button (its Tag) or a popup item (its code).
  void sbComandiClick(int tag, QWidget* pulsante);
  void ColoreClick(int numeroMenu, int tag);
  void StilePennaClick(int tag);
  void MotivoRiempimentoClick(int tag);
  void SpessorePennaClick(int tag);
  void Se1Click(const std::vector<std::string>& righe);
  void IstruzioniClick(const std::string& caption);
  void Carattere1Click();
  void cmbPennaColoreClick(QComboBox* combo);
  void cmbPennaStileClick();
  void cmbPennaSpessoreClick();
  void cmbRiempMotivoClick();
  void btnCarattereClick();
  void Button2Click();

  TAmbiente& Ambiente() { return *ambiente_; }
  TServiziFinestra& Servizi() { return *servizi_; }
  midi::TServiziSuono& Suono() { return *suono_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* oggetto, QEvent* evento) override;

 private:
  // Impaginazione.cpp
  void CreaComponenti();
  void CreaMenuPrincipale();
  void CreaBarraStrumenti();
  QWidget* CreaColonnaStrumenti();
  QWidget* CreaColonnaIntermedia();
  QWidget* CreaColonnaOutput();
  QWidget* CreaBarraEsegui();
  void ImpaginaBarraEsegui();
  // The columns by the rule of the pressed layout button, for the window's present size.
  void ImpaginaColonne();
  // The second tool bar goes below the first when both do not fit side by side.
  void AvvolgiBarreStrumenti();
  // The canvas's mouse serves the statements that wait for a pick.
  void CollegaMouseRifCart();
  void MessaggioSemplice(const std::string& testo);
  // Palette.cpp
  TRAScrollMaxBand* Banda(const QString& caption, int altezzaEspansa);
  void CreaBandaGeometria(TRAScrollMaxBand* banda);
  void CreaBandaStili(TRAScrollMaxBand* banda);
  void CreaBandaSpazio(TRAScrollMaxBand* banda);
  void PulsantePalette(TRAScrollMaxBand* banda, const TVocePalette& voce, int n);
  // Menu.cpp
  void CreaMenuModelli();
  // Where the menus put a statement: the command bar when it has the focus (its text is
  // replaced), else the program editor at the caret (one undoable change).
  bool BersaglioBarra() const;
  void MettiNelBersaglio(const std::string& istruzione, bool barra);
  // The "Stili e Colori" band's target, then "Esegui subito".
  void MettiDaStili(const std::string& istruzione);
  std::string StatementCarattere(bool soloOggetto, bool& confermato);
  // ControlloEsecuzione.cpp
  void SvuotaListaValGraf();
  // The reset's space frame, the planes of the walls, the floor alone shown.
  void PreparaSpazio();
  void AbilitaTermina(bool abilitato);
  // ListaOggetti.cpp
  void RicostruisciListaOggetti();
  // ComandiFile.cpp: the current file and the caption that names it.
  void ImpostaNomeFile(const std::string& percorso);
  // VistaRifCart.cpp: right and up are +1, left and down -1.
  void Panoramica(bool orizzontale, int verso);

  std::vector<std::string> parametri_;
  std::unique_ptr<TAmbiente> ambiente_;
  std::unique_ptr<TCanvasDifferito> canvasRifCart_;
  std::unique_ptr<TServiziFinestra> servizi_;
  std::unique_ptr<midi::TServiziSuono> suono_;
  std::unique_ptr<TStileMenu> stileMenu_;
  std::unique_ptr<TPrelieviCanvas> prelievi_;
  // The one highlighter of the language, shared by both editors.
  std::unique_ptr<TSynSampleSyn> evidenziatore_;
  // The space view (its scene goes before the variables' values, which then hold nothing of it).
  std::unique_ptr<TVistaSpazio> vistaSpazio_;
  // The object list's captions in the table's order, and the list box kept sorted from them.
  std::unique_ptr<TSortedItems> vociOggetti_;
  std::string nomeFile_;
  std::string captionBase_;
  bool layoutFatto_ = false;      // the once-only layout of FormResize
  bool attivato_ = false;         // the first activation's set-up ran
  QTimer* timerLista_ = nullptr;   // refreshes the object list after a drag
  bool inChiusura_ = false;
  bool barraAttiva_ = false;      // the command bar was the last editor with the focus
  bool esecuzioneBarra_ = false;  // a command-bar statement is running
  bool listaDaAggiornare_ = false;
  bool aggiornamentoPrevisto_ = false;
  bool contestoBarra_ = false;    // the editors' popup was opened on the command bar
  bool invioPremuto_ = false;
  bool barreSuDueRighe_ = false;     // the command bar received the press of the Enter key
  int menuAperti_ = 0;
  int altezzaBarra_ = 0;          // the command bar's height without the focus
  QMetaObject::Connection fuoco_;  // the application's focus changes
};

}  // namespace qx
