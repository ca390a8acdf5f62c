// What the space view does with the mouse and its buttons, apart from the widget that
// shows it: picking and the hover highlight with the description label, orbiting the
// camera, moving and turning values with "Sposta Oggetti", placing a new value freely or on
// a reference object, the labels of named points, the walls, the grids, the camera's height
// and zoom. The window's viewer hands its events here; the tests drive it off-screen.
// Pixels are counted from the top left corner of the view.
#pragma once
#include <functional>
#include <string>

#include "scene/GLScene.h"
#include "solid/ScenaSpazio.h"

namespace qx {

class cValoreGraf3D;

struct TTastiMouse {
  bool Sinistro = false, Destro = false, Centrale = false;
  bool Shift = false, Ctrl = false, Alt = false;
  bool NessunPulsante() const { return !Sinistro && !Destro && !Centrale; }
};

inline constexpr float EMISSIONE_EVIDENZIATA = 0.243f;
inline constexpr float SCALA_MINIMA = 0.1f, SCALA_MASSIMA = 10.0f;

// A pick of SCEGLIOGGETTO answered with the value `v`, as a click on it does; false when
// no pick waits.
bool ScegliInSpazio(cValoreGraf3D& v);
// The confirming click of a value being placed, at a point of space (for a script): free,
// the value goes to the point (the mouse's plain and Shift moves together); on a reference
// object, to where the line of sight from the camera through the point meets it. False,
// and nothing moved, when no placement waits or the line misses the reference.
bool ClicSpazio(TScenaSpazio& scena, const TAffineVector& punto);

class TLatoSpazio {
 public:
  TLatoSpazio(TScenaSpazio& scena, TGLSceneBuffer& buffer);
  ~TLatoSpazio();
  TLatoSpazio(const TLatoSpazio&) = delete;
  TLatoSpazio& operator=(const TLatoSpazio&) = delete;

  // ---- The viewer's events ----
  // `tasti`: the buttons held, the one that went down among them; `sinistro`: that one is
  // the left button (not the right pressed while the left is held).
  void MouseDown(int x, int y, const TTastiMouse& tasti, bool sinistro);
  void MouseMove(int x, int y, const TTastiMouse& tasti);
  // `sinistro`: the button that came up is the left one.
  void MouseUp(int x, int y, bool sinistro);
  // After every frame: the labels go beside their points (a new frame is asked for when
  // one moved).
  void DopoRender();

  // ---- Buttons and menu ----
  bool SpostaOggetti = false;  // "Sposta Oggetti"
  void MostraGriglie(bool mostra);
  // The three walls in the order of the popup: "Piano XY", "Piano XZ", "PianoYZ".
  bool PareteVisibile(int i) const;
  void CambiaParete(int i);
  void Su();
  void Giu();
  void ZoomMeno();
  void ZoomPiu();

  // ---- What the window shows ----
  const std::string& Label1() const { return label1_; }
  TGLBaseSceneObject* Evidenziato() const { return evidenziato_; }
  // A change that the program editor must know of (a value moved or turned).
  std::function<void()> Modificato;
  // The view must be drawn again now (the camera moved, a value moved).
  std::function<void()> Ridisegna;

 private:
  // The object under the pixel as the picks take it: nullptr for nothing, for the axes and
  // walls; `griglia` tells that a grid was under it.
  TGLBaseSceneObject* Prendi(int x, int y, bool& griglia);
  // The point of space under the pixel on the plane through `o` (z = o's z, or x = o's x
  // with the Shift choice); the origin without an object.
  TAffineVector PuntoSotto(int x, int y, TGLBaseSceneObject* o) const;
  // Where the ray through the pixel meets `o`, raised off it for the value being moved.
  bool PuntoSu(int x, int y, TGLBaseSceneObject* o, const TGLBaseSceneObject* mobile, TAffineVector& punto) const;
  void Evidenzia(TGLBaseSceneObject* o);
  void TogliEvidenza();
  void Sposta(cValoreGraf3D& v, int x, int y, const TAffineVector& vettore);
  void Render();

  TScenaSpazio& scena_;
  TGLSceneBuffer& buffer_;
  std::string label1_;
  TGLBaseSceneObject* evidenziato_ = nullptr;
  int ultimoX_ = 0, ultimoY_ = 0;
  bool pianoYZ_ = false;
  TAffineVector inizio_;
};

}  // namespace qx
