// A polyline through world vertices; also the freehand writing of the pen. A vertex whose
// x is PENNA_SU lifts the pen: the next vertex starts a new stroke.
#pragma once
#include <memory>
#include <string>

#include "values/Collezioni.h"
#include "values/Valori.h"

namespace qx {

constexpr Reale PENNA_SU = 1e50L;

class cValoreLinea : public cValoreGraf {
 public:
  cValoreLinea();

  TCollPunti Punti;
  bool _bScrittura = false;

  void ImpostaPunti(const TCollPunti& punti) { Punti = punti; }

  void Descrizione(int n, std::string& Testo) const override;
  void Disegna(TCanvas& Canvas) override;
  bool Colpito(const TPoint& P) const override;
  void Sposta(Reale dx, Reale dy) override;
  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValore> Clona() const override;
};

}  // namespace qx
