#include "interpreter/IstruzioniRicordate.h"

#include <memory>
#include <vector>

namespace qx {

namespace {
RicordiEsecuzione<RicordoAssegnamento> gRicordi;
}  // namespace

RicordoAssegnamento* CercaRicordoAssegnamento() {
  if (!detail::gRiproduzioni) return nullptr;
  auto* voce = gRicordi.VoceCorrente();
  if (!voce) return nullptr;
  RicordoAssegnamento* ricordo = nullptr;
  if (voce->piena) {
    ricordo = &gRicordi.Elemento(voce->dato);
  } else {
    // The record is made now; the entry ends where the statement starts (it is never used
    // as a read, only to find the record).
    const TDatiGlob& g = DatiGlob;
    ricordo = gRicordi.Registra(*voce, g.ChCorrente, g.RigaTesto, std::make_unique<RicordoAssegnamento>());
    if (!ricordo) return nullptr;
  }
  ricordo->token.Inizia();
  return ricordo;
}

}  // namespace qx
