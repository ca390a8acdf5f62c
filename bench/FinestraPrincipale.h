// The main window off-screen, made once for a whole benchmark program, as a pupil runs
// program after program in one window.
#pragma once
#include <QCoreApplication>

#include "app/Tfrm3.h"
#include "controls/midi/ServiziSuono.h"
#include "runstate/DatiGlob.h"

namespace qx::bench {

inline Tfrm3& FinestraPrincipale() {
  static Tfrm3* f = [] {
    InizializzaDatiGlob();
    auto* finestra = new Tfrm3({}, midi::TServiziSuono::Registrazione());
    finestra->resize(1280, 900);
    finestra->show();
    finestra->FormActivate();
    QCoreApplication::processEvents();
    return finestra;
  }();
  return *f;
}

}  // namespace qx::bench
