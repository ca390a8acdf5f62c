// A text written on the plane with its top-left corner at a world position.
#pragma once
#include <memory>
#include <string>

#include "values/Valori.h"

namespace qx {

class cValoreTesto : public cValoreGraf {
 public:
  cValoreTesto();

  Reale x = 0, y = 0;
  std::string Testo;

  // Texts are not described: the text is empty.
  void Descrizione(int n, std::string& Testo) const override;
  void Disegna(TCanvas& Canvas) override;
  // Inside the text's rectangle, measured on the frame's canvas in the value's font.
  bool Colpito(const TPoint& P) const override;
  void Sposta(Reale dx, Reale dy) override;
  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValore> Clona() const override;
};

}  // namespace qx
