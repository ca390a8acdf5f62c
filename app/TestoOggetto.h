// The object list's line for one variable: a mark-up caption with the kind in bold in the
// value's colour, then the name and, for the values that have a short text, the value.
#pragma once
#include <string>

#include "values/Valori.h"

namespace qx {

class cListaVariabili;
class cVariabile;

// "<b><c:Blue>Numero </b><c:WindowText>a = 2.5".
std::string VoceListaOggetti(const cVariabile& variabile);
// The same line written over `voce`, whose memory is used again.
void VoceListaOggetti(const cVariabile& variabile, std::string& voce);

// Whether a value of this kind belongs to the view that is hidden: plane values (kinds 15 to
// 34) while the space view is shown, space values (42 to 60) while the plane is. Charts and
// the values that are not figures show in both.
bool NellaVistaNascosta(TipiValore tipo, bool vista3D);

// Whether the table holds plane values and none of space, the planes of the walls that every
// reset makes apart: such a program's work is on the plane.
bool SoloValoriDelPiano(const cListaVariabili& variabili);

}  // namespace qx
