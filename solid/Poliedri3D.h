// The polyhedra of the statements: the square pyramid, the pentagonal prism and the
// tetrahedron, octahedron, dodecahedron and icosahedron, each a holder of no size with its
// faces as parts; the regular ones (not the pyramid or the prism) open into a net whose
// faces turn about the edges they share, and fold back.
#pragma once
#include <vector>

#include "solid/Facce3D.h"

namespace qx {

// The shape of a polyhedron with its faces (corners in order round each face, seen from
// outside), standing on its first face in the plane z = 0, that face centred on the origin;
// and the net: every other face hangs from a parent face on the edge they share.
struct TForma3D {
  std::vector<TAffineVector> vertici;
  std::vector<std::vector<int>> facce;
  // For each face: the face it hangs from (-1 for the first), the hinge's two corners,
  // and the angle that lays it flat (radians, about the hinge from its first corner to its
  // second).
  std::vector<int> padre;
  std::vector<std::pair<int, int>> cerniera;
  std::vector<float> angolo;
  std::vector<int> profondita;
};

// The shape of a kind (T_PIRAMIDE3D, T_PRISMA3D, T_TETRAEDRO3D, T_OTTAEDRO3D,
// T_DODECAEDRO3D, T_ICOSAEDRO3D) with side `lato` and height `altezza` (used by the
// pyramid and the prism); an empty shape for other kinds.
TForma3D FormaPoliedro(TipiValore tipo, Reale lato, Reale altezza);
// The corners of every face with each hinge open by the fraction given (0 closed, 1 flat).
std::vector<std::vector<TAffineVector>> FacceAperte(const TForma3D& forma, const std::vector<float>& frazioni);
// Whether a kind opens into a net.
bool Apribile(TipiValore tipo);

class cValoreTetraedro3D : public cValoreGraf3D {
 public:
  explicit cValoreTetraedro3D(TipiValore tipo = T_TETRAEDRO3D, cValoreGraf3D* padre = nullptr, Reale altezza = 0,
                              Reale lato = 1);

  Reale Lato = 1, Altezza = 0;
  bool Aperto = false;
  int nFacce = 0;

  TGLPolygon* Faccia(int i) const;
  const TForma3D& Forma() const { return forma_; }
  // Opens the net (or folds it back when open), in steps with pauses when animated.
  void Apri(bool animato);
  void AggiornaSpigoli() override;

  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValoreGraf3D> NuovoSimile() const override;

 private:
  void Disponi(const std::vector<float>& frazioni);
  TForma3D forma_;
};

}  // namespace qx
