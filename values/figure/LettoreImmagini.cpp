#include "values/figure/LettoreImmagini.h"

#include <vector>

#include "platform/FileRegolare.h"

namespace qx {

bool LeggiImmagine(const std::string& percorso, TBitmap& immagine, std::string& errore) {
  immagine = TBitmap();
  TFileRegolare f(percorso, MAX_BYTE_IMMAGINE);
  if (!f.Aperto()) {
    errore = f.Esito() == EsitoFileRegolare::TroppoGrande ? "immagine troppo grande" : TFileRegolare::Motivo(f.Esito());
    return false;
  }
  std::vector<unsigned char> dati;
  if (!f.LeggiTutto(dati)) {
    errore = TFileRegolare::Motivo(EsitoFileRegolare::Illeggibile);
    return false;
  }
  if (dati.empty()) {
    errore = "file vuoto";
    return false;
  }
  if (dati.size() >= 2 && dati[0] == 0xFF && dati[1] == 0xD8) return DecodificaJpeg(dati, immagine, errore);
  if (dati.size() >= 2 && dati[0] == 'B' && dati[1] == 'M') return DecodificaBmp(dati, immagine, errore);
  errore = "formato non riconosciuto";
  return false;
}

}  // namespace qx
