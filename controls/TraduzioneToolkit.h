// The toolkit's own texts in Italian: the standard buttons, the file dialogs and the other
// dialogs that Qt draws. The program speaks Italian whatever the desktop's language, so the
// translation is loaded as it is, never chosen by the locale.
#pragma once

class QFileDialog;

namespace qx {

// Installs Qt's Italian translation (qtbase_it) in the application, once; false when the
// translation is not installed (the toolkit's texts then stay in English).
bool CaricaTraduzioneToolkit();

// The file list of a toolkit-drawn file dialog (DontUseNativeDialog) in Italian and readable:
// the sizes, types and dates are written in Italian whatever the desktop's locale (Qt writes
// them in the desktop's, the types from the MIME database's English comments); the
// columns after the name take the width of their header and of the folder's rows as the
// rows arrive, the name the rest (the dialog widens, within its screen, when the rest would
// cut the longest name). Nothing happens to a native dialog.
void AdattaDialogoFile(QFileDialog& dialogo);

}  // namespace qx
