#include "solid/Gruppo3D.h"

#include <algorithm>
#include <set>

#include "runstate/DatiGlob.h"
#include "values/Variabili.h"

namespace qx {

namespace {

cValoreGraf* Memorizzato(const std::string& nome) {
  cListaVariabili* t = DatiGlob.ListaVariabili;
  cVariabile* var = t && !nome.empty() ? t->Cerca(nome) : nullptr;
  return var ? dynamic_cast<cValoreGraf*>(var->GetValore()) : nullptr;
}

}  // namespace

cValoreGruppo3D::cValoreGruppo3D() {
  Tipo = T_GRUPPO3D;
  Brush = DatiGlob.PennelloColore;
}

cValoreGruppo3D::cValoreGruppo3D(const cValoreGruppo3D& altro) : cValoreGraf(altro), _Vett(altro._Vett) {}

void cValoreGruppo3D::Aggiungi(const cValore& valore) { _Vett.push_back(valore.Nome); }

void cValoreGruppo3D::Togli(const cValore& valore) {
  auto it = std::find(_Vett.begin(), _Vett.end(), valore.Nome);
  if (it == _Vett.end()) return;
  _Vett.erase(it);
  if (cValoreGraf* m = Memorizzato(valore.Nome)) m->varGruppo.clear();
}

void cValoreGruppo3D::LiberaMembri() const {
  for (cValoreGraf* m : Membri())
    if (m->varGruppo == Nome) m->varGruppo.clear();
}

std::vector<cValoreGraf*> cValoreGruppo3D::Membri() const {
  std::vector<cValoreGraf*> membri;
  for (const std::string& n : _Vett)
    if (cValoreGraf* m = Memorizzato(n)) membri.push_back(m);
  return membri;
}

void cValoreGruppo3D::Copia(cValoreGraf& Dest) const {
  cValoreGraf::Copia(Dest);
  if (auto* d = dynamic_cast<cValoreGruppo3D*>(&Dest)) d->_Vett = _Vett;
}

bool GruppoContiene(const cValoreGruppo3D& gruppo, const cValore& dentro) {
  // Groups of groups may come from a file in any shape: each name is visited once.
  std::set<std::string> visti;
  std::vector<const cValoreGruppo3D*> daVedere{&gruppo};
  while (!daVedere.empty()) {
    const cValoreGruppo3D* g = daVedere.back();
    daVedere.pop_back();
    if (g->Nome == dentro.Nome) return true;
    if (!visti.insert(g->Nome).second) continue;
    for (const std::string& n : g->_Vett) {
      if (n == dentro.Nome) return true;
      if (const auto* sotto = dynamic_cast<const cValoreGruppo3D*>(Memorizzato(n))) daVedere.push_back(sotto);
    }
  }
  return false;
}

}  // namespace qx
