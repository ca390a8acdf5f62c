// The controls the main window is built from, by the role they play. While the editor
// control is being built, a stand-in takes its place here and nowhere else.
#pragma once
#include "app/provvisori/EditorProvvisorio.h"
#include "controls/RAHtControls.h"
#include "controls/RAScrollMax.h"

namespace qx {

using TSrcEditFinestra = TEditorProvvisorio;

}  // namespace qx
