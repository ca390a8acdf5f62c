#include "interpreter/costruzioni/ValoreFunzione3D.h"

#include "values/FunzioniAusiliarie.h"
#include "values/espressioni/Analizzatore.h"
#include "values/espressioni/Valutatore.h"

namespace qx {

cValoreFunzione3D::cValoreFunzione3D() {
  Tipo = T_FUNZIONE3D;
  NomeTipo = "Funzione3D";
}

cValoreFunzione3D::cValoreFunzione3D(const cValoreFunzione3D& altro)
    : cValore(altro), _sFunz(altro._sFunz), bMessaggi(altro.bMessaggi), albero_(CopiaAlbero(altro.albero_.get())) {}

cValoreFunzione3D::~cValoreFunzione3D() = default;

bool cValoreFunzione3D::ImpostaFunzione(const std::string& testo) {
  const std::string senzaSpazi = RimuoviSpazi(testo);
  albero_ = AnalizzaEspressione(senzaSpazi, MODO_FUNZIONE, bMessaggi);
  _sFunz = albero_ ? senzaSpazi : std::string();
  return albero_ != nullptr;
}

Reale cValoreFunzione3D::ValutaXY(Reale x, Reale y) const { return ValutaAlbero(albero_.get(), x, y); }

}  // namespace qx
