#include "runstate/ErrorReport.h"

#include "runstate/DatiGlob.h"
#include "runstate/WindowServices.h"

namespace qx {

namespace {

void Segnala(const std::string& messaggio, bool SuRiga, int riga) {
  TDatiGlob& g = DatiGlob;
  g.bStop = true;
  if (g.bErroreSegnalato) return;  // ended by STOP or by the user: nothing more to say
  // Only the first fault of a run speaks; the ones that follow it are its echoes.
  if (g.bErroreMostrato) return;
  g.bErroreMostrato = true;
  WindowServices& f = Finestra();
  f.Beep();
  g.MessaggioErrore = messaggio;
  const int righe = static_cast<int>(g.ListaIstruzioni.size());
  if (g.bImmediato || righe == 0) {
    g.RigaErrore = -1;
  } else if (riga >= righe) {
    // The reader ran past the end: the fault belongs to the last line of the program.
    g.RigaErrore = righe - 1;
  } else {
    g.RigaErrore = SuRiga ? riga : -1;
  }
  if (g.bMostraErrori) {
    g.RigaCorrente = g.RigaErrore >= 0 ? g.RigaErrore : riga;
    f.InvalidaRighe(g.EditorCorrente, 0, 2000);
    f.Beep();
    f.MessageBox(messaggio, "Errore", TTipoMessaggio::Errore, TPulsanti::OK);
  }
}

}  // namespace

void ReportError(const std::string& messaggio, bool SuRiga) { Segnala(messaggio, SuRiga, DatiGlob.IndiceRiga); }

void ReportErrorAllaRiga(const std::string& messaggio, int riga) { Segnala(messaggio, true, riga); }

}  // namespace qx
