// The interactive placement of a new space value: its main object becomes the object that
// the space view moves with the mouse, and the statement lets the window's messages through
// until the view confirms the place with a click (or the user stops the run).
#pragma once
#include <string>

#include "solid/Valore3D.h"

namespace qx {

// Places `valore` with the mouse: on the reference object `OggettoGLRiferimento` when one is
// set (and that reference is then forgotten), freely otherwise. `prompt` goes to the
// message panel while it waits (may be empty). False when the run was interrupted meanwhile:
// nothing must then be created.
bool Posiziona3D(cValoreGraf3D& valore, const std::string& prompt = {});

// The plane that PIANO(P1, P2) places: it passes through P1, P2 and the point being moved.
class cValorePiano3D;
struct TPianoInPosizionamento {
  cValorePiano3D* Piano = nullptr;
  TAffineVector P1, P2;
};
TPianoInPosizionamento& PianoInPosizionamento();
// Turns the plane being placed so that it passes through its two points and `punto`;
// nothing when the three are on one line.
void SeguiPuntoMobile(const TAffineVector& punto);

// The two halves, for a wait that does its own loop (a plane through two points and a
// moving one).
void IniziaPosizionamento3D(TGLBaseSceneObject& oggetto);
void FinePosizionamento3D(TGLBaseSceneObject* oggetto);

}  // namespace qx
