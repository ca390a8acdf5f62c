// The space segment and line: the shaft of an arrow line without heads, along its
// Direction, centred on its Position, as long as its Height.
#pragma once
#include "scene/GLGeomObjects.h"
#include "solid/Valore3D.h"

namespace qx {

inline constexpr float LUNGHEZZA_RETTA3D = 100;

class cValoreRetta3D : public cValoreGraf3D {
 public:
  // T_SEGMENTO3D or T_RETTA3D.
  explicit cValoreRetta3D(TipiValore tipo = T_SEGMENTO3D, cValoreGraf3D* padre = nullptr);

  TGLArrowLine* Linea() const { return static_cast<TGLArrowLine*>(Principale()); }
  // Places it along `direzione` (ignored when null), centred on `centro`, `lunghezza` long;
  // the points are in space.
  void Colloca(const TAffineVector& centro, const TAffineVector& direzione, float lunghezza);

  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValoreGraf3D> NuovoSimile() const override;
};

}  // namespace qx
