// The start-up of the application: the shared run state, the application object, the
// splash, the main window, then the message loop until the main window closes.
#pragma once

namespace qx {

int Avvia(int argc, char** argv);

}  // namespace qx
