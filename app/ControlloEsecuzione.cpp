// Starting, stepping, continuing and stopping runs. The interpreter runs inside these
// handlers and lets the window's messages through, so the handlers are re-entered while a
// run is under way: they only set the run-state flags that the interpreter reads.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

#include "app/CanvasDifferito.h"
#include "app/PaintBoxQt.h"
#include "app/PrelieviCanvas.h"
#include "app/Protetto.h"
#include "app/ServiziFinestra.h"
#include "app/TestoOggetto.h"
#include "app/VistaSpazio.h"
#include "app/Editori.h"
#include "app/Tfrm3.h"
#include "controls/midi/ServiziSuono.h"
#include "interpreter/Ambiente.h"
#include "interpreter/Istruzioni.h"
#include "interpreter/LatoMouse.h"
#include "interpreter/Scanner.h"
#include "runstate/DatiGlob.h"
#include "runstate/WindowServices.h"
#include "solid/RifCart3D.h"
#include "solid/ScenaSpazio.h"
#include "values/FunzioniAusiliarie.h"
#include "values/figure/ListaValGraf.h"

namespace qx {

namespace {

bool TestoVuoto(const std::vector<std::string>& righe) {
  for (const std::string& r : righe)
    if (r.find_first_not_of(" \t") != std::string::npos) return false;
  return true;
}

// Whatever happens inside a run, the run flags and the stop button end as after a run.
class FineEsecuzione {
 public:
  explicit FineEsecuzione(std::function<void()> fine) : fine_(std::move(fine)) {}
  ~FineEsecuzione() { fine_(); }
  FineEsecuzione(const FineEsecuzione&) = delete;
  FineEsecuzione& operator=(const FineEsecuzione&) = delete;

 private:
  std::function<void()> fine_;
};

}  // namespace

bool Tfrm3::EsecuzioneInCorso() const { return DatiGlob.bInEsecuzione || esecuzioneBarra_; }

void Tfrm3::AbilitaTermina(bool abilitato) { tbtTerminaEsecuzione->setEnabled(abilitato); }

void Tfrm3::SvuotaListaValGraf() {
  TListValGraf* l = DatiGlob.ListaValGraf;
  if (!l || l->Count() == 0) return;
  l->Svuota();
  DisegnaRifCart();
}

void Tfrm3::InizializzaAmbiente() {
  TDatiGlob& g = DatiGlob;
  g.bStop = false;
  layoutFatto_ = false;
  g.OggettoScelto = nullptr;
  g.OggettoGLScelto = nullptr;
  prelievi_->Dimentica();
  vistaSpazio_->Lascia();
  // The picked values belong to the table that is about to go: forget them first.
  if (g.ListaValGraf) g.ListaValGraf->Svuota();
  g.AreaRifCart = {pbRifCart->width(), pbRifCart->height()};
  canvasRifCart_->ImpostaDestinazione(&pbRifCart->Immagine());
  ambiente_->ImpostaCanvas(canvasRifCart_.get(), pbRifCart->width(), pbRifCart->height());
  // The pens, the new variable table and trace points, the frame, the emptied output pane.
  ambiente_->InizializzaAmbiente();
  PreparaRifCart();
  PreparaSpazio();
  AggiornaListaOggetti();
  g.bInterrotto = false;
  g.ListaIstruzioni.clear();
  g.RigaCorrente = -1;
  edIstruzione->ClearAll();
}

void Tfrm3::PreparaSpazio() {
  // Space statements work in every fresh window: the frame and the planes of the walls
  // are made here, and only the floor is shown, so that the solids stay easy to read.
  CreaNuovoRifCart3D();
  vistaSpazio_->Scena().ParetiIniziali();
}

void Tfrm3::EseguiProgramma() {
  TDatiGlob& g = DatiGlob;
  g.bStop = false;
  AbilitaTermina(true);
  g.bInEsecuzione = true;
  FineEsecuzione fine([this] {
    DatiGlob.bInEsecuzione = false;
    AbilitaTermina(false);
    // The running line's colour goes, the error line's comes.
    MemoSource->InvalidateLines(1, 2000);
    // The values a run made are saved with the program.
    MemoSource->SetEditorModified(true);
    CompletaRidisegni();
  });
  if (cRifCart* r = ambiente_->RifCart()) r->_bAssi = false;
  InizializzaAmbiente();
  g.ListaIstruzioni = RigheEditor(*MemoSource);
  RimuoviRigheVuoteFinali(g.ListaIstruzioni);
  ResetScanner();
  g.EditorCorrente = TEditorCorrente::Programma;
  g.bImmediato = false;
  g.RigaCorrente = -1;
  MemoSource->InvalidateLines(1, 2000);
  PreparaRifCart();
  servizi_->InizioEsecuzione();
  const bool riuscito = RunProgram(true);
  // A program that drew on the plane and made nothing in space ends on the plane, even when
  // the space was shown as it started; one that asked for the space (RIFCART3D) ends on it.
  if (g.bVista3D && !servizi_->SpazioChiesto && g.ListaVariabili && SoloValoriDelPiano(*g.ListaVariabili))
    MostraVista(false);
  if (riuscito) {
    SvuotaListaValGraf();
    AggiornaListaOggetti();
    DisegnaRifCart();
  }
}

void Tfrm3::EseguiPassoPasso() {
  DatiGlob.bPassoPasso = true;
  EseguiProgramma();
}

void Tfrm3::Esegui1Click() {
  TDatiGlob& g = DatiGlob;
  if (TestoVuoto(RigheEditor(*MemoSource))) return;
  if (g.bPassoPasso) {
    // A paused step run goes on at full speed.
    g.bPassoPasso = false;
    g.bAttesaPasso = false;
  } else if (!EsecuzioneInCorso()) {
    EseguiProgramma();
  }
}

void Tfrm3::EseguiPassoPasso1Click() {
  TDatiGlob& g = DatiGlob;
  if (TestoVuoto(RigheEditor(*MemoSource))) return;
  if (g.bInEsecuzione) {
    g.bPassoPasso = true;
    if (btnContinua->isVisible()) btnContinua->setVisible(false);
    g.bContinua = true;
    g.bAttesaPasso = false;
  } else if (g.bPassoPasso) {
    SvuotaListaValGraf();
    g.bAttesaPasso = false;
  } else if (!EsecuzioneInCorso()) {
    EseguiPassoPasso();
  }
}

void Tfrm3::pbEseguiClick() {
  TDatiGlob& g = DatiGlob;
  // A statement of the command bar would take the place of the program being read.
  if (EsecuzioneInCorso()) return;
  const std::vector<std::string> righe = RigheEditor(*edIstruzione);
  if (!TestoVuoto(righe)) {
    AbilitaTermina(true);
    esecuzioneBarra_ = true;
    FineEsecuzione fine([this] {
      esecuzioneBarra_ = false;
      AbilitaTermina(false);
      CompletaRidisegni();
    });
    g.ListaIstruzioni = righe;
    ResetScanner();
    g.EditorCorrente = TEditorCorrente::Programma;
    pnlMess->setFocus();
    g.bImmediato = true;
    servizi_->InizioEsecuzione();
    // A statement that the user stopped did not run: it stays out of the program.
    if (RunProgram(true) && !g.bInterrotto) {
      AggiungiRigheEditor(*MemoSource, righe);
      MemoSource->SetEditorModified(true);
    }
    SvuotaListaValGraf();
    AggiornaListaOggetti();
    DisegnaRifCart();
  }
  Timer1Timer();
  Attendi(100);
  servizi_->ScartaTasti();
  edIstruzione->setFocus();
  edIstruzione->SelectAll();
}

void Tfrm3::TerminaEsecuzione() {
  TDatiGlob& g = DatiGlob;
  g.bContinua = true;
  btnContinua->setVisible(false);
  // Every wait ends (the space plane's too), and the run reads as ended by the user.
  qx::TerminaEsecuzione();
  // A stopped program is silent at once: the note loop ends, the notes and the media stop.
  g.bSuonoFermato = true;
  suono_->Ferma();
  pbRifCart->unsetCursor();
  AbilitaTermina(false);
  MemoSource->SetReadOnly(false);
}

void Tfrm3::btnContinuaClick() { DatiGlob.bContinua = true; }

void Tfrm3::btnTerminaPennaClick() { TerminaPenna(); }

void Tfrm3::cbEsecuzioneVeloceClick() {
  DatiGlob.bEsecuzioneVeloce = cbEsecuzioneVeloce->isChecked();
  DatiGlob.bEvidenziaRiga = !cbEsecuzioneVeloce->isChecked();
}

void Tfrm3::Timer1Timer() {
  const TDatiGlob& g = DatiGlob;
  const bool attesa = g.bAttesaScegliPunto || g.bAttesaScegliSegmento || g.bAttesaScegliOggetto ||
                      g.bAttesaScegliLato || g.bAttesaScegliVertice || g.bAttesaPunto || g.bAttesaFigura ||
                      g.bAttesaLinea || g.bModoPenna || g.bAttesaSegmento || g.bAttesaPuntoSu || g.bAttesaClicca;
  pnlEsegui->setEnabled(!attesa);
}

void Tfrm3::MemoSourceSpecialLineColors(int riga, bool& speciale, TColor& fg, TColor& bg) {
  const TDatiGlob& g = DatiGlob;
  if (g.bImmediato) return;
  if (g.bInEsecuzione && riga == g.RigaCorrente + 1) {
    speciale = true;
    fg = clWhite;
    bg = clBlue;
  } else if (g.bStop && g.RigaErrore >= 0 && riga == g.RigaErrore + 1) {
    speciale = true;
    fg = clWhite;
    bg = clRed;
  }
}

void Tfrm3::MemoSourceKeyDown() {
  TDatiGlob& g = DatiGlob;
  if (!g.bStop) return;
  g.bStop = false;
  MemoSource->InvalidateLine(g.RigaErrore + 1);
}

}  // namespace qx
