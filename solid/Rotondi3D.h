// The space values drawn by one primitive of the scene (or a holder of cone parts): the
// sphere, the cylinder, the cone and double cone, and the square pyramid of program files.
#pragma once
#include "scene/GLGeomObjects.h"
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

class cValoreCilindro3D : public cValoreGraf3D {
 public:
  explicit cValoreCilindro3D(Reale raggio = 1, Reale altezza = 1);

  Reale Raggio = 1, Altezza = 1;
  TGLCylinder* Cilindro() const { return static_cast<TGLCylinder*>(Principale()); }

  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValoreGraf3D> NuovoSimile() const override;
};

// A cone, or two cones meeting at their apex (Cono2), as parts of a holder of no size.
class cValoreCono3D : public cValoreGraf3D {
 public:
  explicit cValoreCono3D(bool cono2 = false, Reale raggio = 1, Reale altezza = 1);

  Reale Raggio = 1, Altezza = 1;
  bool Cono2 = false;
  // The parts, from 1 (the second only for a double cone).
  TGLCylinder* Parte(int i) const;
  // Makes it single or double, the parts taking the value's sizes and colour.
  void ImpostaCono2(bool doppio);

  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValoreGraf3D> NuovoSimile() const override;
};

// The square pyramid of program files (the statement PIRAMIDE makes a polyhedron).
class cValorePiramide3D : public cValoreGraf3D {
 public:
  explicit cValorePiramide3D(Reale lato = 1, Reale altezza = 1);

  Reale Lato = 1, Altezza = 1;
  TGLFrustrum* Tronco() const { return static_cast<TGLFrustrum*>(Principale()); }

  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValoreGraf3D> NuovoSimile() const override;
};

}  // namespace qx
