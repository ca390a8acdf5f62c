#include "values/figure/ListaValGraf.h"

#include <algorithm>

#include "runstate/DatiGlob.h"
#include "values/RifCart.h"

namespace qx {

bool TListValGraf::Contiene(const cValoreGraf* v) const {
  return std::find(valori_.begin(), valori_.end(), v) != valori_.end();
}

void TListValGraf::Rimuovi(const cValoreGraf* v) { std::erase(valori_, v); }

void TListValGraf::Svuota() {
  for (cValoreGraf* v : valori_) v->bEvidenziato = false;
  valori_.clear();
}

void TListValGraf::Disegna(bool Evidenzia) {
  TCanvas* c = DatiGlob.RifCart && DatiGlob.RifCart->Canvas ? DatiGlob.RifCart->Canvas : DatiGlob.CanvasRifCart;
  if (!c) return;
  for (cValoreGraf* v : valori_) {
    if (!Evidenzia) {
      v->Disegna(*c);
      continue;
    }
    const TColor colore = v->Pen.Color;
    v->Pen.Color = RGBColor(255, 255, 0);
    v->Disegna(*c);
    v->Pen.Color = colore;
  }
}

}  // namespace qx
