// The statements that every program needs from the start: printing and stopping.
#include "interpreter/ComandiBase.h"

#include "interpreter/Attese.h"
#include "interpreter/ComandiFunzioni.h"
#include "interpreter/ComandiGenerali.h"
#include "interpreter/ComandiLista.h"
#include "interpreter/costruzioni/ComandiCostruzioni.h"
#include "interpreter/Dispatch.h"
#include "interpreter/geometria/ComandiGeometria.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "values/ValoriScalari.h"

namespace qx {

bool AccodaTestoDiValore(const cValore& v, std::string& testo) {
  switch (v.Tipo) {
    case T_BOOLEANO:
      testo += static_cast<const cValoreBool&>(v).Value ? ParoleChiave.VERO : ParoleChiave.FALSO;
      return true;
    case T_REALE:
      AccodaParte(testo, NumeroInTestoPrec(static_cast<const cValoreReale&>(v).Value, 2));
      return true;
    case T_STRINGA:
      AccodaParte(testo, static_cast<const cValoreStringa&>(v).Value);
      return true;
    case T_GRADO: {
      const auto& a = static_cast<const cValoreGrado&>(v);
      testo += NumeroInTesto(a.Gradi) + "° " + NumeroInTesto(a.Primi) + "' " + NumeroInTestoDec(a.Secondi, 2) + "\"";
      return true;
    }
    default:
      return false;
  }
}

bool TestoDiValore(const cValore& v, std::string& testo) {
  testo.clear();
  return AccodaTestoDiValore(v, testo);
}

void CmdStampa(bool Esegui, ListaArgomenti& argomenti, const std::string&) {
  if (argomenti.Vuota()) {
    ReportError(ParoleChiave.msgParametroStampa, true);
    return;
  }
  if (!Esegui) return;
  // The line is written straight after its "> ", part after part.
  std::string riga = "> ";
  for (int i = 0; i < argomenti.Count(); ++i) {
    const cValore* v = argomenti.Valore(i);
    if (!v || !AccodaTestoDiValore(*v, riga)) {
      ReportError(ParoleChiave.msgParametriErrati + ParoleChiave.STAMPA, true);
      return;
    }
  }
  Finestra().AggiungiRigaOutput(riga, clNone);
}

void CmdStop(bool Esegui, ListaArgomenti& argomenti, const std::string&) {
  if (!argomenti.Vuota()) {
    ReportError(ParoleChiave.msgNonOccorronoParametri + ParoleChiave.STOP, true);
    return;
  }
  if (!Esegui) return;
  DatiGlob.bFine = true;
  DatiGlob.bErroreSegnalato = true;
  // Stopped as well, so that every loop ends by its own test; the run still counts as a
  // success because the error is marked as already reported.
  DatiGlob.bStop = true;
}

void RegistraComandiBase() {
  RegistraIstruzione("CmdStampa", CmdStampa);
  RegistraIstruzione("CmdStop", CmdStop);
  RegistraComandiVettori();
  RegistraComandiScelta();
  RegistraComandiGeometria();
  RegistraComandiFunzioni();
  RegistraComandiGenerali();
  RegistraComandiLista();
  RegistraComandiCostruzioni();
}

}  // namespace qx
