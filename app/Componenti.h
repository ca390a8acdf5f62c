// The controls the main window is built from, by the role they play.
#pragma once
#include "controls/RAHtControls.h"
#include "controls/RAScrollMax.h"
#include "editor/qt/SrcEdit.h"

namespace qx {

using TSrcEditFinestra = TSrcEdit;

}  // namespace qx
