// The picture of the 2D area that goes into the worksheet: drawn like the canvas, but with
// no trace points, and over the plain ground of the picture when the grid is hidden.
#pragma once

namespace qx {

class TCanvas;
class cRifCart;
class cListaVariabili;

void DisegnaImmagineScheda(TCanvas& tela, cRifCart& rifCart, const cListaVariabili& variabili, bool mostraGriglia);

}  // namespace qx
