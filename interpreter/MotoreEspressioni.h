#pragma once

namespace qx {

// Connects the expression engine to the interpreter and the canvas: the operators on
// fractions and functions, the comparison of fractions, the plot of a function through the
// current frame, and the solver behind functions in differential-equation mode.
void InstallaMotoreEspressioni();

}  // namespace qx
