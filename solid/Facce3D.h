// Faces and the values made of faces: the face (one polygon), the solid joining two faces,
// and what the boxes and polyhedra share with them: faces as parts of a holder, and the
// outlines of their edges drawn in the pen's colour.
#pragma once
#include <vector>

#include "scene/GLGeomObjects.h"
#include "scene/GLLines.h"
#include "solid/Valore3D.h"

namespace qx {

// ---- Faces as parts ----

// A new face of a holder: a part, in the given colour with the run's opacity, blended.
TGLPolygon* NuovaFaccia(TGLBaseSceneObject& holder, TColor colore);
// The i-th face (from 1) among a holder's children, or nullptr.
TGLPolygon* FacciaDi(const TGLBaseSceneObject* holder, int i);
// A face's nodes in the frame of its parent (its position added).
std::vector<TAffineVector> NodiNelPadre(const TGLPolygon& p);
// Gives a face these corners (in its parent's frame): the position becomes their
// barycentre and the nodes are kept relative to it.
void ImpostaNodiCentrati(TGLPolygon& p, const std::vector<TAffineVector>& punti);
void ImpostaNodi(TGLPolygon& p, const std::vector<TAffineVector>& nodi);
// The closed outline of a face: a line object inside the face (TAG_PARTE) or beside it, in
// the face's parent (TAG_SPIGOLO).
void DisegnaSpigoli(TGLPolygon& p, int tag, TColor colore);
// Frees every line object that is a child of `o` (the run state forgets them first).
void TogliSpigoli(TGLBaseSceneObject& o);

// ---- Values ----

class cValoreFaccia3D : public cValoreGraf3D {
 public:
  cValoreFaccia3D();

  // The corners as program files keep them (see PuntiDaPoligono and PoligonoDaPunti).
  std::vector<TPunto3D> _Punti;

  TGLPolygon* Poligono() const { return static_cast<TGLPolygon*>(Principale()); }
  // Corners in space, in order; a corner equal to the one before it, and a last one equal
  // to the first, are dropped. The position becomes their barycentre.
  void ImpostaVertici(const std::vector<TAffineVector>& punti);
  // The corners in space.
  std::vector<TAffineVector> VerticiAssoluti() const;
  void PuntiDaPoligono();
  void PoligonoDaPunti();
  void AggiornaSpigoli() override;

  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValoreGraf3D> NuovoSimile() const override;
};

class cValoreSolido3D : public cValoreGraf3D {
 public:
  explicit cValoreSolido3D(int nFacce = 0);

  int nFacce = 0;
  // Face i, from 1; nullptr out of range.
  TGLPolygon* Faccia(int i) const;
  // Faces 1 and 2 take the two bases (in the holder's frame, the same number of corners),
  // faces 3 .. nFacce the sides; the outlines are drawn again.
  void ImpostaBasi(const std::vector<TAffineVector>& base1, const std::vector<TAffineVector>& base2);
  // The sides from the two bases.
  void CostruisciFacce();
  void AggiornaSpigoli() override;

  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValoreGraf3D> NuovoSimile() const override;
};

}  // namespace qx
