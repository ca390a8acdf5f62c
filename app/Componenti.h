// The controls the main window is built from, by the role they play. While the editor
// control and the window's own controls are being built, stand-ins take their places here
// and nowhere else.
#pragma once
#include "app/provvisori/EditorProvvisorio.h"
#include "app/provvisori/ListBoxProvvisoria.h"
#include "app/provvisori/PaletteProvvisoria.h"

namespace qx {

using TSrcEditFinestra = TEditorProvvisorio;
using TListaOggettiFinestra = TListBoxProvvisoria;
using TPaletteFinestra = TPaletteProvvisoria;

}  // namespace qx
