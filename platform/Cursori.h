// The toolkit's numbers of its standard mouse cursors, shared by the editor control, the run
// state and the window. Negative numbers are the toolkit's own cursors; positive ones are
// the slots an application fills with cursors of its own.
#pragma once
#include <cstdint>

namespace qx {

constexpr std::int16_t crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crDrag = -12,
                       crMultiDrag = -16, crHandPoint = -21;

}  // namespace qx
