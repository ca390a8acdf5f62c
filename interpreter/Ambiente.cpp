#include "interpreter/Ambiente.h"

#include "interpreter/ComandiBase.h"
#include "interpreter/Dispatch.h"
#include "interpreter/Istruzioni.h"
#include "interpreter/Scanner.h"
#include "interpreter/runstate/DatiGlob.h"
#include "interpreter/runstate/ParoleChiave.h"
#include "interpreter/runstate/WindowServices.h"
#include "values/FunzioniAusiliarie.h"

namespace qx {

TAmbiente::TAmbiente() : variabili_(std::make_unique<cListaVariabili>()) {
  static const bool registrati = [] {
    RegistraComandiBase();
    return true;
  }();
  (void)registrati;
  DatiGlob.ListaVariabili = variabili_.get();
}

TAmbiente::~TAmbiente() {
  if (DatiGlob.ListaVariabili == variabili_.get()) DatiGlob.ListaVariabili = nullptr;
}

void TAmbiente::InizializzaAmbiente() {
  TDatiGlob& g = DatiGlob;
  g.bStop = false;
  g.OggettoScelto = nullptr;
  g.OggettoGLScelto = nullptr;
  g.PennelloColore = TBrush{clAqua, bsSolid};
  g.PennaCorrente = TPen{clBlue, psSolid, 1, pmCopy};
  g.PennelloCorrente = TBrush{clWhite, bsClear};
  g.ColoreSfondo = clWhite;
  g.bTraccia = true;
  variabili_ = std::make_unique<cListaVariabili>();
  g.ListaVariabili = variabili_.get();
  g.bInterrotto = false;
  g.ListaIstruzioni.clear();
  g.RigaCorrente = -1;
  Finestra().PulisciOutput();
}

bool TAmbiente::EseguiProgramma(const std::vector<std::string>& righe) {
  TDatiGlob& g = DatiGlob;
  g.bStop = false;
  g.bInEsecuzione = true;
  InizializzaAmbiente();
  g.ListaIstruzioni = righe;
  RimuoviRigheVuoteFinali(g.ListaIstruzioni);
  ResetScanner();
  g.EditorCorrente = TEditorCorrente::Programma;
  g.bImmediato = false;
  g.RigaCorrente = -1;
  const bool riuscito = RunProgram(true);
  if (riuscito) {
    Finestra().AggiornaListaOggetti();
    Finestra().DisegnaRifCart();
  }
  g.bInEsecuzione = false;
  return riuscito;
}

bool TAmbiente::EseguiComando(const std::vector<std::string>& righe) {
  TDatiGlob& g = DatiGlob;
  g.ListaIstruzioni = righe;
  ResetScanner();
  g.EditorCorrente = TEditorCorrente::Programma;
  g.bImmediato = true;
  const bool riuscito = RunProgram(true);
  Finestra().AggiornaListaOggetti();
  Finestra().DisegnaRifCart();
  return riuscito;
}

std::string TestoValore(const cValore& v) {
  std::string testo;
  if (dynamic_cast<const cValoreGraf*>(&v)) {
    v.Descrizione(0, testo);
    return testo;
  }
  if (v.Tipo == T_REALE) return NumeroInTestoDec(static_cast<const cValoreReale&>(v).Value, 2);
  if (TestoDiValore(v, testo)) return testo;
  return std::string();
}

std::vector<std::string> DividiRighe(const std::string& testo) {
  std::vector<std::string> righe;
  std::string riga;
  for (std::size_t i = 0; i < testo.size(); ++i) {
    const char c = testo[i];
    if (c == '\n' || c == '\r') {
      righe.push_back(riga);
      riga.clear();
      if (c == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
    } else {
      riga += c;
    }
  }
  if (!riga.empty()) righe.push_back(riga);
  return righe;
}

}  // namespace qx
