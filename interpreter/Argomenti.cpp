#include "interpreter/Argomenti.h"

#include "values/ValoriScalari.h"

namespace qx {

void ListaArgomenti::AggiungiMembro(const std::string& membro) {
  celle_.push_back(std::make_unique<cValoreStringa>(std::string(1, MARCA_MEMBRO) + membro));
}

bool ListaArgomenti::IsMembro(int i) const {
  const auto* s = dynamic_cast<const cValoreStringa*>(Valore(i));
  return s && !s->Value.empty() && s->Value[0] == MARCA_MEMBRO;
}

std::string ListaArgomenti::Membro(int i) const { return IsMembro(i) ? Testo(i).substr(1) : std::string(); }

Reale ListaArgomenti::Numero(int i) const {
  const auto* r = dynamic_cast<const cValoreReale*>(Valore(i));
  return r ? r->Value : 0;
}

std::string ListaArgomenti::Testo(int i) const {
  const auto* s = dynamic_cast<const cValoreStringa*>(Valore(i));
  return s ? s->Value : std::string();
}

}  // namespace qx
