#include "values/espressioni/LavoroSimbolico.h"

#include "runstate/DatiGlob.h"
#include "runstate/WindowServices.h"

namespace qx {

namespace {
// Nodes between two looks: a few microseconds of work. The window itself looks at the
// clock only once every so many of our calls, so this stays cheap.
constexpr int PASSI_TRA_CONTROLLI = 64;
// A message handler that makes nodes must not let messages through again.
bool gInPompa = false;
}  // namespace

namespace detail {
LavoroSimbolico* gLavoro = nullptr;
int gPassiAlControllo = PASSI_TRA_CONTROLLI;

void ControllaLavoro() {
  gPassiAlControllo = PASSI_TRA_CONTROLLI;
  if (gLavoro) gLavoro->Controlla();
}
}  // namespace detail

LavoroSimbolico::LavoroSimbolico(std::size_t limite) : limite_(limite), stopAllInizio_(DatiGlob.bStop) {}

LavoroSimbolico::~LavoroSimbolico() = default;

LavoroSimbolico::Attivo::Attivo(LavoroSimbolico& l) : precedente(detail::gLavoro), passiPrecedenti(detail::gPassiAlControllo) {
  detail::gLavoro = &l;
  // The same work lets messages through at the same nodes, whatever ran before it.
  detail::gPassiAlControllo = PASSI_TRA_CONTROLLI;
}

LavoroSimbolico::Attivo::~Attivo() {
  detail::gLavoro = precedente;
  detail::gPassiAlControllo = passiPrecedenti;
}

void LavoroSimbolico::Controlla() {
  if (nodi_ > limite_) throw detail::InterruzioneLavoro{EsitoLavoro::TroppoGrande};
  if (gInPompa) return;
  gInPompa = true;
  LasciaPassareMessaggi();
  gInPompa = false;
  if (DatiGlob.bStop && !stopAllInizio_) throw detail::InterruzioneLavoro{EsitoLavoro::Interrotto};
}

}  // namespace qx
