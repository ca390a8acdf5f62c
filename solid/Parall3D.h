// The cube and the box: six faces, parts of a holder box, that open into a net.
#pragma once
#include "solid/Facce3D.h"

namespace qx {

class cValoreParall3D : public cValoreGraf3D {
 public:
  // T_CUBO3D or T_PARALL3D; `profondita` is along the holder's Z, `altezza` its Y,
  // `larghezza` its X.
  cValoreParall3D(TipiValore tipo = T_PARALL3D, cValoreGraf3D* padre = nullptr, Reale profondita = 1,
                  Reale altezza = 1, Reale larghezza = 1, bool aperto = false);

  Reale Larghezza = 1, Altezza = 1, Profondita = 1;
  bool Aperto = false;

  TGLCube* Contenitore3D() const { return static_cast<TGLCube*>(Principale()); }
  TGLPolygon* Faccia(int i) const;
  // Every face shown (the holder drawing nothing) or hidden (the holder drawn whole).
  void MostraFacce(bool mostra);
  // Opens the box into its net: 18 steps of 5 degrees with a pause of 200 ms after each
  // when animated, one step of 90 degrees otherwise. An open box stays as it is.
  void Apri(bool animato);
  void AggiornaSpigoli() override;

  void Descrizione(int n, std::string& Testo) const override;
  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValoreGraf3D> NuovoSimile() const override;

 private:
  void PassoApertura(float gradi);
};

}  // namespace qx
