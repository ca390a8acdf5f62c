// The base of the space values: a drawable value that draws nothing on the 2D canvas but
// owns scene objects in the space view's scene. Its main scene object carries the value's
// position, up vector and angles; the value frees it (with its children) when it goes.
//
// A value may stand on another one (a point or a solid on a plane): its objects are then
// children of that value's main object and the other value is its parent value. When the
// parent value goes, the values on it stay where they are, with their own objects, and
// have no parent any more.
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "scene/GLSceneObject.h"
#include "values/Valori.h"

namespace qx {

class TGLCube;
class TScenaSpazio;
class cValoreGraf3D;

// Tags of the scene objects of space values (the space view reads them when it picks).
enum TTagOggettoGL : int {
  TAG_MAI_SCELTO = -2,       // never picked (grids)
  TAG_NON_SELEZIONABILE = -1,  // picked but never taken, lit or moved (axes, walls)
  TAG_PARTE = 200,           // a part of its parent's value
  TAG_SPIGOLO = 201          // an edge outline beside the faces
};

class cValoreGraf3D : public cValoreGraf {
 public:
  ~cValoreGraf3D() override;

  // The main scene object, nullptr once the scene it lived in is gone.
  TGLCustomSceneObject* Principale() const { return principale_; }
  // The value whose main object holds this value's objects, or nullptr.
  cValoreGraf3D* Padre() const { return padre_; }

  // ---- The stored placement (singles), read from and written to the main object ----
  float Posx() const;
  float Posy() const;
  float Posz() const;
  float RollAngle() const;
  float TurnAngle() const;
  float Upx() const;
  float Upy() const;
  float Upz() const;
  void SetPosizione(const TAffineVector& p);
  void SetAngoli(float roll, float turn);
  // The three components at once, so that the scene object keeps the vector given.
  void SetUp(const TAffineVector& up);

  // The colour of the main object's material: the pen's for points, segments and lines,
  // the brush's for the others, with the run's opacity, blended.
  virtual void AggiornaColore();
  // The brush colour given to the main object and to every child with a material.
  virtual void ColoraMateriale(TColor colore);
  // The edge outlines drawn again in the pen's colour (for the values made of faces).
  virtual void AggiornaSpigoli() {}
  // Every colour from the pen and the brush again (a value read from a file).
  void AggiornaColori();

  void Descrizione(int n, std::string& Testo) const override;
  void Copia(cValoreGraf& Dest) const override;
  // A value of the same class made with the same parameters, then copied into.
  std::unique_ptr<cValore> Clona() const override;
  // The stored copy keeps its own pen and brush, is shown (most kinds), and a named point
  // gets its label.
  void DopoMemorizzazione(const cValoreGraf& sorgente, const std::string& nome) override;

  // The value made anew with this one's constructor parameters (parent included).
  virtual std::unique_ptr<cValoreGraf3D> NuovoSimile() const = 0;
  // Whether the store shows the main object (every kind but the function of x and y,
  // whose surface waits for GRAFICOFUNZ3D; cylinders, cones and spheres are visible from
  // the start).
  virtual void MostraMemorizzato();

  // Translation by a vector in the frame of the main object's parent.
  virtual void Trasla(const TAffineVector& v);
  // Turn about the vertical through the value's position, in degrees.
  virtual void GiraSuVerticale(float gradi);

  // The live values (of every scene), to walk over them.
  static cValoreGraf3D* Primo();
  cValoreGraf3D* Successivo() const { return succ_; }
  // Called by a scene that goes away: its values keep no pointer into it.
  static void StaccaDallaScena(const TScenaSpazio* scena);

 protected:
  // `didascalia` is the kind's caption; `padre` the value it stands on, or nullptr.
  cValoreGraf3D(TipiValore tipo, cValoreGraf3D* padre, std::string_view didascalia);
  cValoreGraf3D(const cValoreGraf3D&) = delete;
  cValoreGraf3D& operator=(const cValoreGraf3D&) = delete;

  TScenaSpazio& Scena() const { return *scena_; }
  // Where the objects of this value go: the parent value's main object or "GLDCPareti".
  TGLBaseSceneObject* Contenitore() const;
  // The scene's root (cylinders, pyramids and labels hang there).
  TGLBaseSceneObject* Radice() const;
  // Takes the main object, which is already in the scene tree.
  void ImpostaPrincipale(TGLCustomSceneObject* o) { principale_ = o; }
  // A cube of no size in the container, taken as the main object: it only holds the parts.
  TGLCube* NuovoPrincipaleVuoto();
  // The main object is not this value's own (the walls): it is never freed by it.
  void PrincipalePrestato() { prestato_ = true; }
  // A scene object that goes: the run state and the views forget it first.
  static void PrimaDiLiberare(TGLBaseSceneObject* o);
  // Frees an object of this value's scene (nothing when the scene is gone).
  void Libera(TGLBaseSceneObject* o) const;
  // The scene is going: the value forgets its objects (subclasses forget theirs too).
  virtual void ScenaPerduta();
  // The parent value goes: this value's main object moves to "GLDCPareti" where it stands.
  virtual void PadrePerduto();
  bool ScenaPresente() const { return scena_ != nullptr; }

 private:
  void Collega();
  void Scollega();
  TScenaSpazio* scena_;
  TGLCustomSceneObject* principale_ = nullptr;
  cValoreGraf3D* padre_ = nullptr;
  bool prestato_ = false;
  cValoreGraf3D* prec_ = nullptr;
  cValoreGraf3D* succ_ = nullptr;
};

// The colour vector of a toolkit colour with the run's opacity.
TColorVector Colore3D(TColor colore);
// Whether `o` is `radice` or lies below it.
bool DentroSottoalbero(const TGLBaseSceneObject* o, const TGLBaseSceneObject* radice);
// The space value whose main object `o` is, or nullptr.
cValoreGraf3D* ValoreDiOggetto(const TGLBaseSceneObject* o);
// A scene object is about to go: the run state and the views that point into it forget it.
void DimenticaOggettoGL(TGLBaseSceneObject* o);
// A pointer to a scene object that must be cleared when the object goes (the views keep
// their hovered object this way). The pointer must stay valid until it is unregistered.
void RegistraRiferimentoGL(TGLBaseSceneObject** riferimento);
void AnnullaRiferimentoGL(TGLBaseSceneObject** riferimento);

}  // namespace qx
