#include "values/figure/LettoreImmagini.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace qx {

bool LeggiImmagine(const std::string& percorso, TBitmap& immagine, std::string& errore) {
  immagine = TBitmap();
  std::ifstream f(percorso, std::ios::binary);
  if (!f) {
    errore = "file non trovato";
    return false;
  }
  const std::vector<unsigned char> dati((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
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
