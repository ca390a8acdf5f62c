// The space plane: a thin box, 10 x 10 unless said otherwise, whose local Z axis (its
// Direction) is the plane's normal. The three planes of the frame (PIANOXY, PIANOYZ,
// PIANOXZ) are the walls of the scene: their values borrow the wall and never free it.
#pragma once
#include "scene/GLObjects.h"
#include "solid/Valore3D.h"

namespace qx {

inline constexpr float SPESSORE_PIANO = 0.02f;

// The plane's box. The light is a point at the camera and lights each vertex only, so a
// large face drawn as one quad is lit by its far corners alone and looks dark: its two
// faces are drawn as tiles of at most one unit, lit in the middle as near the light.
class TGLLastraPiano : public TGLCube {
 public:
  using TGLCube::TGLCube;
  std::string ClassName() const override { return "TGLCube"; }
  void EmitGeometry(TRenderContextInfo& rci) override;
};

class cValorePiano3D : public cValoreGraf3D {
 public:
  explicit cValorePiano3D(Reale larghezza = 10, Reale altezza = 10);

  Reale Altezza = 10;
  Reale Larghezza = 10;

  TGLCube* Cubo() const { return static_cast<TGLCube*>(Principale()); }
  // The plane's normal and a point of it, in space.
  TAffineVector Normale() const;
  TAffineVector PuntoDelPiano() const;
  // Frees the plane's own box and takes a wall in its place (the value never frees it).
  void UsaParete(TGLCube* parete);

  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValoreGraf3D> NuovoSimile() const override;
};

}  // namespace qx
