#include "tests/support/Esecuzione.h"

#include "runstate/DatiGlob.h"

namespace qx::test {

Esecuzione::Esecuzione() : installata_(finestra) {
  ReimpostaDatiGlob();
  DatiGlob.bEsecuzioneVeloce = true;
}

Esecuzione::~Esecuzione() = default;

Esito Esecuzione::Esegui(const std::string& programma) {
  Esito e;
  e.riuscito = ambiente.EseguiProgramma(DividiRighe(programma));
  e.output = finestra.Output;
  if (!e.riuscito) {
    e.errore = DatiGlob.MessaggioErrore;
    e.riga = DatiGlob.RigaErrore + 1;
  }
  return e;
}

cValore* Esecuzione::Valore(const std::string& nome) {
  cVariabile* v = ambiente.Variabili().Cerca(nome);
  return v ? v->GetValore() : nullptr;
}

std::string Esecuzione::Testo(const std::string& nome) {
  cValore* v = Valore(nome);
  return v ? TestoValore(*v) : "<none>";
}

std::vector<std::string> Esecuzione::Variabili() {
  std::vector<std::string> r;
  cListaVariabili& t = ambiente.Variabili();
  for (int i = t.Count(); i >= 1; --i) r.push_back(t.Elemento(i)->Nome + "=" + TestoValore(*t.Elemento(i)->GetValore()));
  return r;
}

}  // namespace qx::test
