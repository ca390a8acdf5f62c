// How a drawable value dresses the canvas before it draws: its own pen, brush and font,
// then the selection style and the highlight style over them as its flags ask.
#pragma once
#include "platform/Canvas.h"
#include "values/Valori.h"

namespace qx {

// Dotted red not-xor pen of width 2 and a red font: the value is selected.
void StileSelezione(TCanvas& c);
// Pen of width 2 in mask-not-pen mode and a red font: the value is highlighted.
void StileEvidenziato(TCanvas& c);
// The selection style, then the highlight style, as the value's flags say.
void ApplicaSelezione(TCanvas& c, const cValoreGraf& v);
// The value's pen, brush and font, then ApplicaSelezione.
void ApplicaStili(TCanvas& c, const cValoreGraf& v);

}  // namespace qx
