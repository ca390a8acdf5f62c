#include "interpreter/Argomenti.h"

#include "values/ValoriScalari.h"

namespace qx {

namespace {

// Numbers and strings are known by their kind (only their classes have these kinds).
const cValoreStringa* ComeStringa(const cValore* v) {
  return v && v->Tipo == T_STRINGA ? static_cast<const cValoreStringa*>(v) : nullptr;
}

}  // namespace

void ListaArgomenti::AggiungiMembro(const std::string& membro) {
  celle_.push_back(std::make_unique<cValoreStringa>(std::string(1, MARCA_MEMBRO) + membro));
}

bool ListaArgomenti::IsMembro(int i) const {
  const auto* s = ComeStringa(Valore(i));
  return s && !s->Value.empty() && s->Value[0] == MARCA_MEMBRO;
}

std::string ListaArgomenti::Membro(int i) const { return IsMembro(i) ? Testo(i).substr(1) : std::string(); }

const Reale& ListaArgomenti::NumeroDove(int i) const {
  static const cValoreReale zero;
  const cValore* v = Valore(i);
  return (v && v->Tipo == T_REALE ? static_cast<const cValoreReale&>(*v) : zero).Value;
}

Reale ListaArgomenti::Numero(int i) const {
  const cValore* v = Valore(i);
  return v && v->Tipo == T_REALE ? static_cast<const cValoreReale*>(v)->Value : 0;
}

std::string ListaArgomenti::Testo(int i) const {
  const auto* s = ComeStringa(Valore(i));
  return s ? s->Value : std::string();
}

}  // namespace qx
