// The list of defined objects and the switches between the plane and the space view and
// between the three layouts of the panes.
#include <QAction>
#include <QStringList>
#include <QTimer>

#include "app/ServiziFinestra.h"
#include "app/TestoOggetto.h"
#include "app/Tfrm3.h"
#include "runstate/DatiGlob.h"
#include "values/Variabili.h"

namespace qx {

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
  QStringList voci;
  if (const cListaVariabili* t = DatiGlob.ListaVariabili) {
    const bool vista3D = !pnlRifCart3D->isHidden();
    voci.reserve(t->Count());
    for (int i = 1; i <= t->Count(); ++i) {
      const cVariabile* v = t->Elemento(i);
      // Values of the hidden view are skipped, and the walk goes on past them.
      if (NellaVistaNascosta(v->GetValore()->Tipo, vista3D)) continue;
      voci.push_back(QString::fromStdString(VoceListaOggetti(*v)));
    }
  }
  // Sorted here once; each Add then lands at the end of the sorted list.
  std::stable_sort(voci.begin(), voci.end(),
                   [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  lbOggetti->setUpdatesEnabled(false);
  lbOggetti->Items.Clear();
  for (const QString& v : voci) lbOggetti->Items.Add(v);
  lbOggetti->setUpdatesEnabled(true);
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
