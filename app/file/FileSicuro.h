// Reading a whole file, and saving one so that a failure never destroys the old one: the
// bytes go to a new file beside the target, which is flushed to disk and then renamed over
// the target in one step. Messages are the system's own, ready for a message box.
#pragma once
#include <string>
#include <string_view>

namespace qx {

bool LeggiFileIntero(const std::string& percorso, std::string& dati, std::string& errore);
bool SalvaFileSicuro(const std::string& percorso, std::string_view dati, std::string& errore);

}  // namespace qx
