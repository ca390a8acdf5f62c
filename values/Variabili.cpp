#include "values/Variabili.h"

#include <algorithm>
#include <cmath>

namespace qx {

cVariabile::cVariabile(std::string nome, std::unique_ptr<cValore> valore)
    : Tipo(valore ? valore->Tipo : T_1), Nome(std::move(nome)), valore_(std::move(valore)) {}

cVariabile::~cVariabile() = default;

void cVariabile::ImpostaValore(std::unique_ptr<cValore> valore) {
  Tipo = valore ? valore->Tipo : T_1;
  valore_ = std::move(valore);
}

namespace {
// One counter for every table, so that no two tables ever show the same version.
std::uint64_t gUltimaVersione = 0;
}  // namespace

cListaVariabili::cListaVariabili() { Cambiata({}); }

void cListaVariabili::Cambiata(std::string_view nome) {
  versione_ = ++gUltimaVersione;
  const bool anonima = nome.size() > 1 && nome[0] == '$' && nome[1] >= '0' && nome[1] <= '9';
  if (!anonima) versioneNomi_ = versione_;
}

void cListaVariabili::Aggiungi(std::unique_ptr<cVariabile> V) {
  if (!V) return;
  variabili_.push_back(std::move(V));
  cVariabile* nuova = variabili_.back().get();
  if (nodiLiberi_.empty()) {
    perNome_.insert_or_assign(nuova->Nome, nuova);
  } else {
    auto& nodo = nodiLiberi_.back();
    nodo.key() = nuova->Nome;
    nodo.mapped() = nuova;
    auto esito = perNome_.insert(std::move(nodo));
    if (esito.inserted) {
      nodiLiberi_.pop_back();
    } else {  // the name was there: the node stays free
      esito.position->second = nuova;
      nodo = std::move(esito.node);
    }
  }
  Cambiata(nuova->Nome);
}

cVariabile* cListaVariabili::Elemento(int n) const {
  if (n < 1 || n > Count()) return nullptr;
  return variabili_[variabili_.size() - static_cast<std::size_t>(n)].get();
}

cVariabile* cListaVariabili::CercaEsatto(std::string_view Nome) const {
  // A pupil's table is small, and a short walk costs less than hashing the name: the first
  // letter rules out most variables before a whole comparison is needed.
  constexpr std::size_t kPasseggiata = 16;
  if (variabili_.size() > kPasseggiata) {
    const auto it = perNome_.find(Nome);
    return it == perNome_.end() ? nullptr : it->second;
  }
  for (auto it = variabili_.rbegin(); it != variabili_.rend(); ++it) {
    const std::string& n = (*it)->Nome;
    if (n.size() == Nome.size() && (n.empty() || n[0] == Nome[0]) && n == Nome) return it->get();
  }
  return nullptr;
}

cVariabile* cListaVariabili::Cerca(std::string_view Nome) const {
  bool sottolineato = false;
  for (const char c : Nome) sottolineato |= c == '_';  // names are short: no call for this
  if (!sottolineato) return CercaEsatto(Nome);
  return CercaEsatto(NormalizzaNome(Nome));
}

std::string cListaVariabili::NormalizzaNome(std::string_view Nome) const {
  const std::size_t u = Nome.find('_');
  if (u == std::string_view::npos) return std::string(Nome);
  const cVariabile* indice = Cerca(Nome.substr(u + 1));
  if (indice == nullptr || indice->Tipo != T_REALE) return std::string(Nome);
  const auto* reale = dynamic_cast<const cValoreReale*>(indice->GetValore());
  if (reale == nullptr) return std::string(Nome);
  // Halves go to the even neighbour. An index that no integer can hold (an error value,
  // NaN, infinity) leaves the name as written instead of wrapping around.
  const Reale arrotondato = std::nearbyint(reale->Value);
  if (!(std::fabs(arrotondato) < 1e18L)) return std::string(Nome);
  return std::string(Nome.substr(0, u + 1)) + std::to_string(static_cast<long long>(arrotondato));
}

cValore* cListaVariabili::CercaValore(const cValore& V) const {
  const cVariabile* v = Cerca(V.Nome);
  return v ? v->GetValore() : nullptr;
}

bool cListaVariabili::Elimina(std::string_view Nome) {
  const std::string nome = NormalizzaNome(Nome);
  for (auto it = variabili_.rbegin(); it != variabili_.rend(); ++it)
    if ((*it)->Nome == nome) {
      // An older variable of the same name, if any, is the one found from now on; the index
      // forgets this one before it goes, as its value may look in the table while it does.
      cVariabile* prima = nullptr;
      for (auto r = std::next(it); r != variabili_.rend() && !prima; ++r)
        if ((*r)->Nome == nome) prima = r->get();
      if (prima) perNome_.insert_or_assign(nome, prima);
      else if (auto nodo = perNome_.extract(nome); !nodo.empty() && nodiLiberi_.size() < kNodiLiberi)
        nodiLiberi_.push_back(std::move(nodo));
      variabili_.erase(std::next(it).base());
      Cambiata(nome);
      return true;
    }
  return false;
}

void cListaVariabili::Svuota() {
  // Newest first, as values may refer to older ones while they go.
  while (!variabili_.empty()) {
    const cVariabile* v = variabili_.back().get();
    if (auto it = perNome_.find(v->Nome); it != perNome_.end() && it->second == v) perNome_.erase(it);
    variabili_.pop_back();
  }
  perNome_.clear();
  Cambiata({});
}

bool cListaVariabili::ContieneAlmeno(TipiValore Tipo, int n) const {
  if (n <= 0) return false;
  int trovati = 0;
  for (auto it = variabili_.rbegin(); it != variabili_.rend(); ++it) {
    const cValore* v = (*it)->GetValore();
    if (Tipo == T_1 || (v && v->Tipo == Tipo))
      if (++trovati == n) return true;
  }
  return false;
}

}  // namespace qx
