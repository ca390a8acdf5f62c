#include "tests/dialogs/Banco.h"

#include "runstate/DatiGlob.h"

namespace qx::test {

Banco::Banco() {
  ReimpostaDatiGlob();
  dialoghi = std::make_unique<TDialoghi>();
}

Banco::~Banco() { dialoghi.reset(); }

std::vector<std::string> Banco::Messaggi() const {
  std::vector<std::string> r;
  for (const auto& m : finestra.Messaggi) r.push_back(m.testo);
  for (const auto& m : scatole.Requests) r.push_back(m.Text.toStdString());
  return r;
}

}  // namespace qx::test
