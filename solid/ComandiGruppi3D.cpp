// The space statements of groups and surfaces: GRUPPO3D, AGGIUNGI, TOGLI, FUNZIONE3D and
// GRAFICOFUNZ3D.
#include <algorithm>
#include <vector>

#include "interpreter/ComandiFunzioni.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "solid/Comandi3D.h"
#include "solid/Funzione3D.h"
#include "solid/Gruppo3D.h"
#include "values/Variabili.h"

namespace qx::spazio {

namespace {

cValoreGraf* MemorizzatoGraf(const cValore* argomento) {
  cListaVariabili* t = DatiGlob.ListaVariabili;
  if (!argomento || !t || argomento->Nome.empty()) return nullptr;
  return dynamic_cast<cValoreGraf*>(t->CercaValore(*argomento));
}

// GRUPPO3D
//   "(" ")" | nothing
PValore CmdGruppo3D(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Inizia(nome, Esegui)) return nullptr;
  if (!a.Vuota()) return Errati(nome);
  return Memorizza(std::make_unique<cValoreGruppo3D>());
}

// The group and the stored space values of AGGIUNGI and TOGLI; nullptr (with the message)
// when the arguments do not fit or nothing is to be done.
//   "(" G "," value { "," value } ")"
cValoreGruppo3D* GruppoEMembri(bool Esegui, ListaArgomenti& a, const std::string& nome, std::vector<cValoreGraf*>& membri) {
  if (!Inizia(nome, Esegui)) return nullptr;
  auto* gruppo = a.Count() >= 2 && a.Tipo(0) == T_GRUPPO3D ? dynamic_cast<cValoreGruppo3D*>(MemorizzatoGraf(a.Valore(0)))
                                                          : nullptr;
  if (!gruppo) {
    Errati(nome);
    return nullptr;
  }
  for (int i = 1; i < a.Count(); ++i)
    if (IsGeometriaSpazio(a.Tipo(i)))
      if (cValoreGraf* m = MemorizzatoGraf(a.Valore(i))) membri.push_back(m);
  return gruppo;
}

void CmdAggiungi(bool Esegui, ListaArgomenti& a, const std::string&) {
  std::vector<cValoreGraf*> membri;
  cValoreGruppo3D* gruppo = GruppoEMembri(Esegui, a, ParoleChiave.AGGIUNGI, membri);
  if (!gruppo) return;
  // A group never holds itself, nor a group that holds it.
  for (cValoreGraf* m : membri)
    if (auto* g = dynamic_cast<cValoreGruppo3D*>(m); g && GruppoContiene(*g, *gruppo)) {
      Errati(ParoleChiave.AGGIUNGI);
      return;
    }
  for (cValoreGraf* m : membri) {
    if (std::find(gruppo->_Vett.begin(), gruppo->_Vett.end(), m->Nome) == gruppo->_Vett.end()) gruppo->Aggiungi(*m);
    m->varGruppo = gruppo->Nome;
  }
  DatiGlob.OggettoGLScelto = nullptr;
}

void CmdTogli(bool Esegui, ListaArgomenti& a, const std::string&) {
  std::vector<cValoreGraf*> membri;
  cValoreGruppo3D* gruppo = GruppoEMembri(Esegui, a, ParoleChiave.TOGLI, membri);
  if (!gruppo) return;
  for (cValoreGraf* m : membri) gruppo->Togli(*m);
  DatiGlob.OggettoGLScelto = nullptr;
}

// FUNZIONE3D, which needs no space frame
//   "(" S ")"
PValore CmdFunzione3D(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (!Forma(a, {T_STRINGA})) return Errati(nome);
  if (DatiGlob.bStop) return nullptr;
  auto f = std::make_unique<cValoreFunzione3D>();
  f->bMessaggi = false;
  if (!f->SetFunzione(a.Testo(0))) {
    // The run ends on the statement's line, as it does for FUNZIONE.
    EspressioneNonCorretta(a.Testo(0));
    return nullptr;
  }
  f->bMessaggi = true;
  return Memorizza(std::move(f));
}

// GRAFICOFUNZ3D
//   "(" function of x and y ")"
void CmdGraficoFunz3D(bool Esegui, ListaArgomenti& a, const std::string&) {
  const std::string& nome = ParoleChiave.GRAFICOFUNZ3D;
  if (!Inizia(nome, Esegui)) return;
  if (!Forma(a, {T_FUNZIONE3D})) {
    Errati(nome);
    return;
  }
  const cValore* arg = a.Valore(0);
  cListaVariabili* t = DatiGlob.ListaVariabili;
  cVariabile* var = arg->Nome.empty() || arg->IsAnonimo() || !t ? nullptr : t->Cerca(arg->Nome);
  auto* f = var ? dynamic_cast<cValoreFunzione3D*>(var->GetValore()) : nullptr;
  if (!f) {
    ReportError(nome + ": il parametro deve essere un oggetto funzione già definito.", true);
    return;
  }
  f->DominioPredefinito();
  f->Mostra();
}

}  // namespace

void RegistraComandiGruppi() {

  RegistraValore("CmdGruppo3D", CmdGruppo3D);
  RegistraIstruzione("CmdAggiungi", CmdAggiungi);
  RegistraIstruzione("CmdTogli", CmdTogli);
  RegistraComando("CmdFunzione3D", CmdFunzione3D);
  RegistraIstruzione("CmdGraficoFunz3D", CmdGraficoFunz3D);
}

}  // namespace qx::spazio
