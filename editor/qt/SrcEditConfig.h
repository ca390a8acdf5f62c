// The two editors of the main window: the program editor and the one-line command bar,
// each with its font, gutter, options, scroll bars and key bindings. The window itself
// assigns their events and the shared highlighter.
#pragma once

namespace qx {

class TCustomSrcEdit;

// The program editor: Shift+Enter breaks no line and F1 asks for no help.
void ConfigureProgramEditor(TCustomSrcEdit& editor);
// The command bar, 27 pixels high: Enter and Shift+Enter break no line (the window runs
// the statement on Enter), Ctrl+Enter does, and F1 asks for no help.
void ConfigureCommandBar(TCustomSrcEdit& editor);

}  // namespace qx
