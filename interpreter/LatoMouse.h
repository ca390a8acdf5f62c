// What a press, a move and a release on the 2D canvas do to the run state while a command
// waits for the mouse. The main window's canvas handlers call these with the pixel; the
// tests' scripted mouse calls the same. Rubber-band feedback is the window's own.
#pragma once
#include "platform/Graphics.h"

namespace qx {

class cValore;
class cValoreGraf;

// Whether the plane's picks can take the value at all: a visible figure or chart.
bool PrendibileSulPiano(const cValore* v);

// The drawable value under the pixel that the waiting pick accepts (newest first), or nullptr.
cValoreGraf* ValoreSottoIlMouse(const TPoint& pixel);

// The world point under the pixel. Without `esatto` (the Shift key) it is rounded to one
// decimal, as a pupil clicking near a grid position means it, and the pixel moves onto it.
TPuntoMondo PuntoDelMouse(TPoint& pixel, bool esatto);

// `esatto` is the Shift key: without it the world point is rounded to one decimal.
void MousePremuto(TPoint pixel, bool esatto = false);
void MouseMosso(TPoint pixel, bool esatto = false);
// The button is held on a press made in the wait now on: its moves draw that wait's line,
// stroke or chart. Those of a press that answered an earlier wait (a pick), still held as
// the program went on, draw nothing.
bool TrattoInCorso();
// The point-on-object pick takes the pixel and point of the press before it. True when the
// wait took the release: only the release of a press made in that same wait is taken, and
// not when the press answered the wait by itself.
bool MouseRilasciato(TPoint pixel, bool esatto = false);
// The "Termina Penna" button.
void TerminaPenna();
// A press and a release at the same pixel.
void Clic(TPoint pixel, bool esatto = false);

}  // namespace qx
