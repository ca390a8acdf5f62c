// The toolkit's own texts in Italian: the standard buttons, the file dialogs and the other
// dialogs that Qt draws. The program speaks Italian whatever the desktop's language, so the
// translation is loaded as it is, never chosen by the locale.
#pragma once

namespace qx {

// Installs Qt's Italian translation (qtbase_it) in the application, once; false when the
// translation is not installed (the toolkit's texts then stay in English).
bool CaricaTraduzioneToolkit();

}  // namespace qx
