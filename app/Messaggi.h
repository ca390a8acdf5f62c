// The window's message boxes: modal, over the main window, answering the toolkit's modal
// results (mrYes, mrNo, mrCancel, mrOk). One place, so that every box looks the same.
#pragma once
#include <string>

#include "runstate/WindowServices.h"

class QWidget;

namespace qx {

int MessaggioFinestra(QWidget* parent, const std::string& testo, const std::string& titolo, TTipoMessaggio tipo,
                      TPulsanti pulsanti);

}  // namespace qx
