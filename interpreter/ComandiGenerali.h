// The language's general statements and functions: output and display, drawing state and
// frames, pauses and sounds, input and random functions, and the numeric functions.
#pragma once
#include <functional>
#include <string>

#include "platform/Graphics.h"

namespace qx {

class cValore;
class cValoreGraf;

// Installs every handler of this family (RegistraComandiBase calls it).
void RegistraComandiGenerali();

// What the frame statement needs of a point: read its world position and move the stored
// point to the origin. They work on the point values; a test may put stand-ins in.
struct TServiziPunto {
  std::function<bool(const cValore&, TPuntoMondo&)> Posizione;
  std::function<void(cValore&, const TPuntoMondo&)> ImpostaPosizione;
};
TServiziPunto& ServiziPunto();

// The 3D frame belongs to the solid geometry: RIFCART3D asks it, through this hook, to
// free the existing 3D frame and create a new one on the window's scene. Unset, the
// statement only shows the 3D view.
std::function<void()>& CreaRifCart3D();

// What the statements of this family need of the space values, which belong to the solid
// geometry above them; unset, the space values are treated as any other drawable value.
struct TServiziSpazio {
  // COLORERIEMPIMENTO on a stored space value: its scene objects take the colour.
  std::function<void(cValoreGraf&, TColor)> ColoraMateriale;
  // CANCELLA of a stored space value, just before its variable goes (a group frees the
  // group name of its members).
  std::function<void(cValore&)> PrimaDiCancellare;
};
TServiziSpazio& ServiziSpazio();

namespace detail {
// Each file's share of RegistraComandiGenerali.
void RegistraComandiOutput();
void RegistraComandiDisegno();
void RegistraComandiInput();
void RegistraComandiNumeri();
void RegistraComandiArchivio();
}  // namespace detail

}  // namespace qx
