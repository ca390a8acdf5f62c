// The space values drawn by one primitive of the scene (or a holder of cone parts): the
// sphere, the cylinder, the cone and double cone, and the square pyramid of program files.
#pragma once
#include "scene/GLObjects.h"
#include "solid/Valore3D.h"

namespace qx {

class cValoreSfera3D : public cValoreGraf3D {
 public:
  explicit cValoreSfera3D(cValoreGraf3D* padre = nullptr, Reale raggio = 1);

  Reale Raggio = 1;
  TGLSphere* Sfera() const { return static_cast<TGLSphere*>(Principale()); }

  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValoreGraf3D> NuovoSimile() const override;
};

}  // namespace qx
