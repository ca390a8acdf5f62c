// The list of defined objects and the switches between the plane and the space view and
// between the three layouts of the panes.
#include <QAction>
#include <QTimer>

#include "app/PrelieviCanvas.h"
#include "app/ServiziFinestra.h"
#include "app/TestoOggetto.h"
#include "app/Tfrm3.h"
#include "app/VistaSpazio.h"
#include "runstate/DatiGlob.h"
#include "values/Variabili.h"

namespace qx {

void Tfrm3::ListaOggettiDaAggiornare() {
  if (timerLista_) timerLista_->start();
}

void Tfrm3::AggiornaListaOggetti() {
  // Rebuilt when it can be seen: at the next message pump (during a run at the pumps'
  // throttle, see TServiziFinestra::AggiornaVista), or at the end of the run.
  listaDaAggiornare_ = true;
  if (aggiornamentoPrevisto_) return;
  aggiornamentoPrevisto_ = true;
  QTimer::singleShot(0, this, [this] {
    aggiornamentoPrevisto_ = false;
    servizi_->AggiornaVista();
  });
}

void Tfrm3::RicostruisciListaOggetti() {
  // The list follows the table's order, sorted by the captions; the table of a run mostly
  // grows, so only the lines that changed since the last time go into the list box.
  vociOggetti_->Begin();
  if (const cListaVariabili* t = DatiGlob.ListaVariabili) {
    const bool vista3D = !pnlRifCart3D->isHidden();
    std::string voce;
    for (int i = 1; i <= t->Count(); ++i) {
      const cVariabile* v = t->Elemento(i);
      // Values of the hidden view are skipped, and the walk goes on past them.
      if (NellaVistaNascosta(v->GetValore()->Tipo, vista3D)) continue;
      VoceListaOggetti(*v, voce);
      vociOggetti_->Push(voce);
    }
  }
  // The list box repaints what changed, once, at its next paint: a refresh that changed
  // nothing repaints nothing.
  vociOggetti_->End();
  // The view lays out all its rows after a change; done here rather than at the next
  // message, its cost counts in the refresh's, which sets how often a run refreshes.
  if (vociOggetti_->LastAdded() + vociOggetti_->LastRemoved() > 0) lbOggetti->doItemsLayout();
}

void Tfrm3::MostraVista(bool vista3D) {
  DatiGlob.bVista3D = vista3D;
  tbSpazio->setChecked(vista3D);
  pnlRifCart3D->setVisible(vista3D);
  pnlControlliRifCart3D->setVisible(vista3D);
  pnlRifCart->setVisible(!vista3D);
  pnlControlliRifCart->setVisible(!vista3D);
  layoutFatto_ = false;
  FormResize();
  AggiornaListaOggetti();
}

void Tfrm3::LasciaViste() {
  // As when the mouse leaves them, but now: the toolkit tells the views only once the dialog
  // shows, after a picker has drawn its choice on the picture (a new picture would lose it),
  // and during a run nothing makes a new picture while the dialog is open.
  prelievi_->pbRifCartMouseLeave();
  vistaSpazio_->Lascia();
  CompletaRidisegni();
}

// The layout buttons: the columns follow the pressed one's rule at every resize too
// (ImpaginaColonne, in Impaginazione.cpp).
void Tfrm3::tbtSoloGraficaClick() {
  ImpaginaColonne();
  if (!pnlRifCart3D->isHidden()) MostraVista(true);
}

void Tfrm3::tbtEditor_e_GraficaClick() {
  ImpaginaColonne();
  if (!pnlRifCart3D->isHidden()) MostraVista(true);
}

void Tfrm3::tbtSoloEditorClick() { ImpaginaColonne(); }

}  // namespace qx
