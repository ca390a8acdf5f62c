// A picture loaded from a file and placed on the plane by its top-left world corner, or
// stretched into the rectangle of two world corners.
#pragma once
#include <memory>
#include <string>

#include "platform/Bitmap.h"
#include "values/Valori.h"

namespace qx {

class cValoreImmagine : public cValoreGraf {
 public:
  cValoreImmagine();

  Reale x = 0, y = 0;    // top-left corner
  Reale x1 = 0, y1 = 0;  // bottom-right corner when stretched
  std::string NomeFile;
  bool bStretch = false;
  TBitmap Immagine;  // the decoded picture; empty when nothing could be loaded

  // Loads the file (the name is used as given) and keeps its name. A missing, empty,
  // damaged or unknown file is reported and leaves an empty picture; false then.
  bool CaricaFile(const std::string& nomeFile);

  void Descrizione(int n, std::string& Testo) const override;
  void Disegna(TCanvas& Canvas) override;
  bool Colpito(const TPoint& P) const override;
  void Sposta(Reale dx, Reale dy) override;
  // The copy has a picture of its own, with the same pixels.
  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValore> Clona() const override;

 private:
  TRect Rettangolo() const;
};

}  // namespace qx
