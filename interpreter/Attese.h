// The wait of an interactive command: it raises its flag, shows its cursor and prompt and
// lets the window's messages through until the mouse side (LatoMouse.h) has delivered the
// input and cleared the flag, or the user stopped the run.
#pragma once
#include <string>

#include "interpreter/Argomenti.h"
#include "interpreter/Dispatch.h"

namespace qx {

enum TCursoreAttesa : int { crCroce = -3, crFrecciaSu = -10, crManoIndice = -21 };

// Raises `flag` (and `secondo` when given: PUNTO waits on two flags and ends as soon as
// either is cleared), shows the cursor on the canvas and the prompt in the message panel,
// and waits. False when the run was interrupted meanwhile (nothing must be created then).
bool AttendiMouse(bool& flag, int cursore, const std::string& prompt, bool* secondo = nullptr);

// SCEGLIPUNTO, SCEGLISEGMENTO, SCEGLIOGGETTO, SCEGLILATO, SCEGLIVERTICE and CLICCA. In the
// statement form the copy is stored over the picked value's variable.
PValore CmdScegli(ListaArgomenti& argomenti, const std::string& nome, bool Esegui, bool istruzione);

void RegistraComandiScelta();

}  // namespace qx
