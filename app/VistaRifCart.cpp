// The 2D canvas: preparing the frame, repainting, the rulers and the buttons that pan,
// zoom, switch the grid, reset the frame and clear the traces.
#include <QToolButton>
#include <QWidget>

#include "app/CanvasDifferito.h"
#include "app/Messaggi.h"
#include "app/PaintBoxQt.h"
#include "app/Tfrm3.h"
#include "interpreter/Ambiente.h"
#include "runstate/DatiGlob.h"

namespace qx {

void Tfrm3::PreparaRifCart() {
  canvasRifCart_->ImpostaDestinazione(&pbRifCart->Immagine());
  ambiente_->ImpostaCanvas(canvasRifCart_.get(), pbRifCart->width(), pbRifCart->height());
  // Background colour, dotted black pen, squared paper, origin one pixel in from the
  // bottom-left corner, 38 pixels per unit, the start-up font of the texts.
  ambiente_->PreparaRifCart();
  cRifCart* r = ambiente_->RifCart();
  r->RighelloX = pbX;
  r->RighelloY = pbY;
  pnlPbx->setVisible(!r->_bAssi);
  pnlPby->setVisible(!r->_bAssi);
  DisegnaRifCart();
}

void Tfrm3::DisegnaRifCart() {
  if (!ambiente_->RifCart()) return;
  // The picture is made when it can be seen (see CanvasDifferito.h). During a run the pumps
  // make and show it at their throttle (TServiziFinestra::AggiornaVista): a paint asked for
  // here would make it at every pump, however many figures it has.
  canvasRifCart_->RichiediRidisegno();
  if (!EsecuzioneInCorso()) pbRifCart->update();
}

void Tfrm3::CompletaRidisegni() {
  // A picture made here shows at the area's next paint.
  if (canvasRifCart_->Sporco()) pbRifCart->update();
  canvasRifCart_->Completa();
  if (listaDaAggiornare_) {
    listaDaAggiornare_ = false;
    RicostruisciListaOggetti();
  }
}

const QImage& Tfrm3::ImmagineRifCart() {
  canvasRifCart_->Completa();
  return pbRifCart->Immagine().Image();
}

namespace {
// The analysis window moves by a tenth of its extent.
void SpostaIntervallo(Reale& da, Reale& a, int verso) {
  const Reale d = (a - da) / 10;
  da += verso * d;
  a += verso * d;
}

// The window of an analysis frame narrows by a tenth on each side (verso 1) or widens so
// (verso -1).
void RestringiFinestra(cRifCart& r, int verso) {
  const Reale dx = verso * (r._xb - r._xa) / 10, dy = verso * (r._yb - r._ya) / 10;
  r._xa += dx;
  r._xb -= dx;
  r._ya += dy;
  r._yb -= dy;
}

}  // namespace

void Tfrm3::Panoramica(bool orizzontale, int verso) {
  cRifCart* r = DatiGlob.RifCart;
  if (!r) return;
  if (r->_bxAnalisi) {
    if (orizzontale)
      SpostaIntervallo(r->_xa, r->_xb, verso);
    else
      SpostaIntervallo(r->_ya, r->_yb, verso);
  } else if (orizzontale) {
    r->__AsseX -= 20 * verso;
    // Squared paper starts at the left edge: nothing lies left of the origin's first place.
    if (verso < 0 && !r->_bAssi && r->__AsseX > r->AsseXIniziale) r->__AsseX = r->AsseXIniziale;
  } else {
    r->__AsseY += 20 * verso;
    if (verso < 0 && !r->_bAssi && r->__AsseY < r->AsseYIniziale) r->__AsseY = r->AsseYIniziale;
  }
  DisegnaRifCart();
}

void Tfrm3::sbDestraClick() { Panoramica(true, 1); }
void Tfrm3::sbSinistraClick() { Panoramica(true, -1); }
void Tfrm3::sbSuClick() { Panoramica(false, 1); }
void Tfrm3::sbGiuClick() { Panoramica(false, -1); }

void Tfrm3::sbZoompClick() {
  cRifCart* r = DatiGlob.RifCart;
  if (!r) return;
  if (r->_bxAnalisi) {
    RestringiFinestra(*r, 1);
  } else {
    r->_TaccaX *= 1.1L;
    r->_TaccaY *= 1.1L;
  }
  DisegnaRifCart();
}

void Tfrm3::sbZoommClick() {
  cRifCart* r = DatiGlob.RifCart;
  if (!r) return;
  if (r->_bxAnalisi) {
    RestringiFinestra(*r, -1);
  } else if (r->_TaccaX > 1 && r->_TaccaY > 1) {
    r->_TaccaX /= 1.1L;
    r->_TaccaY /= 1.1L;
  }
  DisegnaRifCart();
}

void Tfrm3::sbGrigliaOnClick() {
  ambiente_->bMostraGriglia = sbGrigliaOn->isChecked();
  pnlPbx->setVisible(!sbGrigliaOff->isChecked());
  pnlPby->setVisible(!sbGrigliaOff->isChecked());
  DisegnaRifCart();
}

void Tfrm3::sbInitClick() {
  PreparaRifCart();
  DisegnaRifCart();
}

void Tfrm3::sbCancTracciaClick() {
  const int risposta =
      MessaggioFinestra(this, "Vuoi eliminare eventuali tracce lasciate dai comandi per le trasformazioni geometriche ?",
                        "Conferma", TTipoMessaggio::Domanda, TPulsanti::SiNoAnnulla);
  if (risposta != mrYes || !DatiGlob.PuntiTraccia) return;
  DatiGlob.PuntiTraccia->Clear();
  DisegnaRifCart();
}

}  // namespace qx
