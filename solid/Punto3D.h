// The space point: a small sphere, and for a named value a label on the scene's root that
// the space view keeps beside the point on the screen.
#pragma once
#include <string>

#include "scene/GLBitmapFont.h"
#include "scene/GLObjects.h"
#include "solid/Valore3D.h"

namespace qx {

class TGLSceneBuffer;

inline constexpr float RAGGIO_PUNTO3D = 0.04f;

class cValorePunto3D : public cValoreGraf3D {
 public:
  explicit cValorePunto3D(cValoreGraf3D* padre = nullptr);
  ~cValorePunto3D() override;

  // Only copied by Copia.
  std::string _text;

  TGLSphere* Sfera() const { return sfera_; }
  TGLHUDText* Etichetta() const { return etichetta_; }
  // The point's coordinates in the frame of its parent object (its sphere's position).
  TAffineVector Coordinate() const;
  // Where it is in space.
  TAffineVector CoordinateAssolute() const;

  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValoreGraf3D> NuovoSimile() const override;
  void DopoMemorizzazione(const cValoreGraf& sorgente, const std::string& nome) override;
  // Gives the point the label " " + name in its pen colour; an empty or anonymous name
  // ("$...") has none.
  void ImpostaEtichetta(const std::string& nome);

 protected:
  void ScenaPerduta() override;

 private:
  TGLSphere* sfera_ = nullptr;
  TGLHUDText* etichetta_ = nullptr;
};

// Puts the label of every named point 20 pixels above where the point is drawn in the
// buffer's last frame; true when a label moved.
bool PosizionaEtichette(TGLSceneBuffer& buffer);

}  // namespace qx
