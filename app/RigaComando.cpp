#include "app/RigaComando.h"

#include <cctype>

namespace qx {

std::string TestoRigaComando(const std::vector<std::string>& parametri) {
  if (parametri.empty()) return std::string();
  std::string testo = parametri[0];
  if (parametri.size() > 2)
    for (std::size_t i = 1; i < parametri.size(); ++i) testo += " " + parametri[i];
  return testo;
}

bool IsFileProgramma(const std::string& testo) {
  if (testo.size() < 3) return false;
  std::string coda = testo.substr(testo.size() - 3);
  for (char& c : coda) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return coda == "QXS" || coda == "QXA";
}

}  // namespace qx
