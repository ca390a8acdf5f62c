#include "app/Avvio.h"

#include <QApplication>
#include <string>
#include <vector>

#include "app/Splash.h"
#include "app/Tfrm3.h"
#include "controls/TraduzioneToolkit.h"
#include "controls/midi/ServiziSuono.h"
#include "runstate/DatiGlob.h"

namespace qx {

int Avvia(int argc, char** argv) {
  InizializzaDatiGlob();
  QApplication applicazione(argc, argv);
  QApplication::setApplicationName("Quorix");
  CaricaTraduzioneToolkit();
  {
    TfrmSplash splash;
    splash.exec();
  }
  std::vector<std::string> parametri;
  for (int i = 1; i < argc; ++i) parametri.emplace_back(argv[i]);
  Tfrm3 frm3(parametri);
  // The dialogs of the language join here, each created once, as they are built.
  frm3.show();
  return QApplication::exec();
}

}  // namespace qx
