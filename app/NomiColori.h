// The toolkit's text for a colour: the name of its colour constant ("clRed", "clWindowText")
// or, for any other number, "$" and eight hexadecimal digits. The object list writes it
// into its mark-up colour tags.
#pragma once
#include <string>

#include "platform/Graphics.h"

namespace qx {

std::string ColorToString(TColor colore);

}  // namespace qx
