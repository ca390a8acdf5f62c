// The toolkit's font names (the forms' "MS Sans Serif", the palette's "Small Fonts", the
// language's "Arial" and "Courier New") have no fonts on Linux. One table says which desktop
// family stands in for each, for drawing on images and for the window's widgets alike.
#pragma once

#include <QString>
#include <string_view>

namespace qx {

// The desktop family for a toolkit font name; an empty name is the default sans. Other names
// are returned as they are, for fontconfig to find.
QString FamigliaDesktop(std::string_view nome);

// Makes the widgets' fonts given a toolkit name use the same stand-ins as the images.
// Once per process, after the application object exists; calling it again does nothing.
void SostituisciFontToolkit();

}  // namespace qx
