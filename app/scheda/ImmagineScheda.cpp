#include "app/scheda/ImmagineScheda.h"

#include "values/RifCart.h"
#include "values/Variabili.h"

namespace qx {

void DisegnaImmagineScheda(TCanvas& tela, cRifCart& rifCart, const cListaVariabili& variabili, bool mostraGriglia) {
  TCanvas* prima = rifCart.Canvas;
  rifCart.Canvas = &tela;
  // With the grid hidden the canvas shows the rulers beside it, which are not part of the
  // area's picture.
  if (mostraGriglia) rifCart.DisegnaAssi();
  for (int i = variabili.Count(); i >= 1; --i)
    if (auto* v = dynamic_cast<cValoreGraf*>(variabili.Elemento(i)->GetValore()); v && v->bVisibile) v->Disegna(tela);
  rifCart.Canvas = prima;
}

}  // namespace qx
