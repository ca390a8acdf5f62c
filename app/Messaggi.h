// The window's message boxes, through the application's one message-box factory, answering
// the toolkit's modal results (mrYes, mrNo, mrCancel, mrOk).
#pragma once
#include <string>

#include "runstate/WindowServices.h"

class QWidget;

namespace qx {

int MessaggioFinestra(QWidget* parent, const std::string& testo, const std::string& titolo, TTipoMessaggio tipo,
                      TPulsanti pulsanti);

}  // namespace qx
