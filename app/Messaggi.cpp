#include "app/Messaggi.h"

#include <QString>

#include "controls/ZfMessageBox.h"

namespace qx {

int MessaggioFinestra(QWidget*, const std::string& testo, const std::string& titolo, TTipoMessaggio tipo,
                      TPulsanti pulsanti) {
  unsigned stile = MB_OK;
  switch (pulsanti) {
    case TPulsanti::OK: stile = MB_OK; break;
    case TPulsanti::OKAnnulla: stile = MB_OKCANCEL; break;
    case TPulsanti::SiNo: stile = MB_YESNO; break;
    case TPulsanti::SiNoAnnulla: stile = MB_YESNOCANCEL; break;
  }
  switch (tipo) {
    case TTipoMessaggio::Errore: stile |= MB_ICONHAND; break;
    case TTipoMessaggio::Avviso: stile |= MB_ICONEXCLAMATION; break;
    case TTipoMessaggio::Informazione: stile |= MB_ICONASTERISK; break;
    case TTipoMessaggio::Domanda: stile |= MB_ICONQUESTION; break;
  }
  // The platform's answers are the modal results' own numbers; a box closed without an
  // answer counts as cancelled.
  const int risposta = ApplicationMessageBox(QString::fromStdString(testo), QString::fromStdString(titolo), stile);
  return risposta == 0 ? mrCancel : risposta;
}

}  // namespace qx
