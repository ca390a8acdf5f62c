#include "interpreter/Attese.h"

#include "interpreter/Dispatch.h"
#include "interpreter/Istruzioni.h"
#include "interpreter/LatoMouse.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "values/ValoriScalari.h"
#include "values/Variabili.h"
#include "values/figure/ListaValGraf.h"
#include "values/figure/ValorePunto.h"
#include "values/figure/ValoreRetta.h"

namespace qx {

namespace {

// Whether the wait is answered in the space view. The prompt asks for a click on the plane,
// which is shown, as a space statement shows the space; SCEGLIOGGETTO and CLICCA take a value
// of either view: they wait in the view shown when a value there can answer them, else in the
// other one when a value there can, else on the plane. The planes of the walls answer
// nothing (the space view never picks them): a pupil who made no space value clicks on the
// plane.
bool AttesaNelloSpazio(const bool& flag) {
  const TDatiGlob& g = DatiGlob;
  if ((&flag != &g.bAttesaScegliOggetto && &flag != &g.bAttesaClicca) || !g.ListaVariabili) return false;
  bool piano = false, spazio = false;
  for (int i = 1; i <= g.ListaVariabili->Count(); ++i) {
    const cVariabile* v = g.ListaVariabili->Elemento(i);
    const cValore* valore = v->GetValore();
    piano = piano || PrendibileSulPiano(valore);
    spazio = spazio || (valore && IsGeometriaSpazio(valore->Tipo) && !IsPianoPredefinito(v->Nome));
  }
  return g.bVista3D ? spazio : spazio && !piano;
}

}  // namespace

bool AttendiMouse(bool& flag, int cursore, const std::string& prompt, bool* secondo) {
  TDatiGlob& g = DatiGlob;
  WindowServices& f = Finestra();
  if (const bool spazio = AttesaNelloSpazio(flag); spazio != g.bVista3D) f.MostraVista(spazio);
  const TAttesaMouse attesa;
  flag = true;
  if (secondo) *secondo = true;
  g.CursoreRifCart = cursore;
  f.ImpostaCursore(cursore);
  f.ImpostaMessaggio(prompt);
  // Blocks on the window's events until the mouse side or the stop command clears the flag.
  while (flag && (!secondo || *secondo) && !g.bInterrotto) f.AttendiEventi(10);
  g.CursoreRifCart = crDefault;
  f.ImpostaCursore(crDefault);
  f.ImpostaMessaggio("");
  return !g.bInterrotto;
}

namespace {

struct TipoScelta {
  const std::string* parola;
  TipiValore richiesto;  // T_1: any kind
  const char* nome;      // the default noun of the prompt
  const char* mancante;  // what is reported when nothing can be chosen
  bool TDatiGlob::*flag;
};

const TipoScelta* Scelta(const std::string& nome) {
  const TParoleChiave& k = ParoleChiave;
  static const TipoScelta tabella[] = {
      {&k.SCEGLIPUNTO, T_PUNTO, "un Punto", ": Non esiste un punto da selezionare", &TDatiGlob::bAttesaScegliPunto},
      {&k.SCEGLISEGMENTO, T_SEGMENTO, "un Segmento", ": Non esiste un segmento da selezionare",
       &TDatiGlob::bAttesaScegliSegmento},
      {&k.SCEGLIOGGETTO, T_1, "un Oggetto", ": Non esiste un oggetto da selezionare",
       &TDatiGlob::bAttesaScegliOggetto},
      {&k.SCEGLILATO, T_POLIGONO, "un lato", ": Non esiste un poligono da selezionare", &TDatiGlob::bAttesaScegliLato},
      {&k.SCEGLIVERTICE, T_POLIGONO, "un vertice", ": Non esiste un poligono da selezionare",
       &TDatiGlob::bAttesaScegliVertice},
      {&k.CLICCA, T_1, "un Oggetto", ": Non esiste un oggetto da cliccare", &TDatiGlob::bAttesaClicca},
  };
  for (const TipoScelta& t : tabella)
    if (*t.parola == nome) return &t;
  return nullptr;
}

// A new value of the picked value's own class, the picked value copied into it.
PValore CopiaScelta(const cValore& scelto) {
  PValore copia = scelto.Clona();
  if (auto* g = dynamic_cast<cValoreGraf*>(copia.get())) {
    g->bDerivato = true;
    g->bEvidenziato = false;
    g->bSelezionato = false;
  }
  return copia;
}

}  // namespace

PValore CmdScegli(ListaArgomenti& argomenti, const std::string& nome, bool Esegui, bool istruzione) {
  TDatiGlob& g = DatiGlob;
  if (!Esegui) return nullptr;
  const TipoScelta* tipo = Scelta(nome);
  if (!tipo || !g.ListaVariabili) return nullptr;
  struct Cursore {
    Cursore() { Finestra().ImpostaCursore(crManoIndice); }
    ~Cursore() { Finestra().ImpostaCursore(crDefault); }
  } cursore;
  const bool clicca = nome == ParoleChiave.CLICCA;
  const std::string testo = argomenti.Tipo(0) == T_STRINGA ? argomenti.Testo(0) : std::string();
  if (!g.ListaVariabili->ContieneAlmeno(tipo->richiesto, 1)) {
    ReportError(nome + tipo->mancante, true);
    return nullptr;
  }
  const std::string prompt =
      std::string(clicca ? "Clicca su" : "Seleziona") + (testo.empty() ? std::string(" ") + tipo->nome : " il " + testo);
  if (!AttendiMouse(g.*(tipo->flag), crManoIndice, prompt)) return nullptr;

  PValore risultato;
  const cValore* scelto = g.OggettoScelto;
  if (clicca) {
    if (!scelto) return nullptr;
    return std::make_unique<cValoreStringa>(scelto->Nome);
  }
  if (tipo->flag == &TDatiGlob::bAttesaScegliLato) scelto = g.LatoScelto;
  if (tipo->flag == &TDatiGlob::bAttesaScegliVertice) scelto = g.VerticeScelto;
  if (!scelto) return nullptr;
  risultato = CopiaScelta(*scelto);
  if (auto* originale = dynamic_cast<cValoreGraf*>(g.OggettoScelto);
      originale && tipo->flag != &TDatiGlob::bAttesaScegliLato && tipo->flag != &TDatiGlob::bAttesaScegliVertice)
    originale->bDerivato = true;
  if (istruzione && risultato) StoreVariable(true, "", *risultato, nullptr);
  return risultato;
}

void RegistraComandiScelta() {
  RegistraValore("CmdScegli", [](ListaArgomenti& a, const std::string& n, bool e) { return CmdScegli(a, n, e, false); });
  RegistraValore("CmdScegliIstruzione",
                 [](ListaArgomenti& a, const std::string& n, bool e) { return CmdScegli(a, n, e, true); });
}

}  // namespace qx
