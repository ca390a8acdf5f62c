#include "interpreter/costruzioni/FunzioneXY.h"

#include "values/FunzioniAusiliarie.h"
#include "values/espressioni/Analizzatore.h"
#include "values/espressioni/Valutatore.h"

namespace qx {

TFunzioneXY::TFunzioneXY(const TFunzioneXY& altro)
    : _sFunz(altro._sFunz), bMessaggi(altro.bMessaggi), albero_(CopiaAlbero(altro.albero_.get())) {}

TFunzioneXY& TFunzioneXY::operator=(const TFunzioneXY& altro) {
  if (this == &altro) return *this;
  _sFunz = altro._sFunz;
  bMessaggi = altro.bMessaggi;
  albero_ = CopiaAlbero(altro.albero_.get());
  return *this;
}

TFunzioneXY::~TFunzioneXY() = default;

bool TFunzioneXY::ImpostaFunzione(const std::string& testo) {
  const std::string senzaSpazi = RimuoviSpazi(testo);
  albero_ = AnalizzaEspressione(senzaSpazi, MODO_FUNZIONE, bMessaggi);
  _sFunz = albero_ ? senzaSpazi : std::string();
  return albero_ != nullptr;
}

Reale TFunzioneXY::ValutaXY(Reale x, Reale y) const { return ValutaAlbero(albero_.get(), x, y); }

}  // namespace qx
