#pragma once
#include <string>

namespace qx {

// The one error path of a running program: sets bStop, and for the first error of a run
// beeps, keeps the message and its line and, with error display on, shows it. Every
// caller tests bStop afterwards and unwinds. SuRiga false means that the error points at
// no line of the text.
void ReportError(const std::string& messaggio, bool SuRiga = true);
// The same, pointing at the given line (0-based): where the fault began, when the reader
// has already gone on to a later line (past the end of a line it stands on the next one).
void ReportErrorAllaRiga(const std::string& messaggio, int riga);

}  // namespace qx
