// The space frame: made by RIFCART3D on the current space scene, it is what the space
// statements ask for before they create anything. With it come the three planes of the
// walls, PIANOXY, PIANOYZ and PIANOXZ.
#pragma once

namespace qx {

class TScenaSpazio;

class cRifCart3D {
 public:
  explicit cRifCart3D(TScenaSpazio& scena) : Scena(&scena) {}
  TScenaSpazio* Scena;
};

// Frees the frame there is and makes a new one on the current scene, then stores the three
// planes of the walls.
void CreaNuovoRifCart3D();
// Forgets the frame of a scene that goes.
void DimenticaRifCart3D(const TScenaSpazio* scena);

}  // namespace qx
