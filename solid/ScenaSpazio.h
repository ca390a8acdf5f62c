// The scene of the space view: the walls with their grids, the axis arrows, the camera with
// its light and target, the font of the point labels, and a buffer that renders it off-screen.
// The main window shows this scene in its viewer; without a window (the headless runner,
// the tests) it is rendered off-screen only. Every space value puts its scene objects into
// the scene that is current when it is made.
#pragma once
#include <memory>
#include <string>

#include "platform/Bitmap.h"
#include "scene/GLBitmapFont.h"
#include "scene/GLGeomObjects.h"
#include "scene/GLGraph.h"
#include "scene/GLMemoryViewer.h"
#include "scene/GLObjects.h"
#include "scene/GLScene.h"

namespace qx {

class cValoreGraf3D;

// A wall: a thin box seen through, which hides nothing behind it (it writes no depth), so
// that a solid standing across it shows whole whichever is drawn first.
class TGLParete : public TGLCube {
 public:
  using TGLCube::TGLCube;
  std::string ClassName() const override { return "TGLCube"; }
  void EmitGeometry(TRenderContextInfo& rci) override;
};

// A wall's grid: drawn a hair behind the wall's plane in depth, so that a net or a face
// lying on the wall, and its outline, show whole in front of the lines; and it writes no
// depth, so that the arrows, drawn after the walls, lie over its lines even where a line
// passes in front of them (through the wall between the camera and the arrow).
class TGLGrigliaParete : public TGLXYZGrid {
 public:
  using TGLXYZGrid::TGLXYZGrid;
  std::string ClassName() const override { return "TGLXYZGrid"; }
  void EmitGeometry(TRenderContextInfo& rci) override;
};

// An axis arrow, with a line along its shaft: the shaft is thinner than a pixel in a small
// view, and the line keeps it whole where the thin cylinder leaves pixels out.
class TGLFrecciaAsse : public TGLArrowLine {
 public:
  using TGLArrowLine::TGLArrowLine;
  std::string ClassName() const override { return "TGLArrowLine"; }
  void EmitGeometry(TRenderContextInfo& rci) override;
};

// The size of the off-screen picture when nobody says otherwise.
inline constexpr int LATO_VISTA_SPAZIO = 400;

class TScenaSpazio {
 public:
  TScenaSpazio();
  ~TScenaSpazio();
  TScenaSpazio(const TScenaSpazio&) = delete;
  TScenaSpazio& operator=(const TScenaSpazio&) = delete;

  TGLScene& Scene1() { return *scene_; }
  // The objects of the view, by their names in the window.
  TGLCamera* GLCamera1 = nullptr;
  TGLLightSource* GLLightSource4 = nullptr;
  TGLDummyCube* GLDCxCamera = nullptr;
  TGLDummyCube* GLDCPareti = nullptr;
  TGLParete* _GLCXY = nullptr;
  TGLParete* _GLCXZ = nullptr;
  TGLParete* _GLCYZ = nullptr;
  TGLBaseSceneObject* _GLXYGrid = nullptr;
  TGLBaseSceneObject* _GLXZGrid = nullptr;
  TGLBaseSceneObject* _GLYZGrid = nullptr;
  TGLBaseSceneObject* _GLArrowX = nullptr;
  TGLBaseSceneObject* _GLArrowY = nullptr;
  TGLBaseSceneObject* _GLArrowZ = nullptr;
  TGLWindowsBitmapFont& GLWindowsBitmapFont1() { return *font_; }

  // The off-screen buffer (made at the first use): camera GLCamera1, white background.
  // Its size follows SetDimensioniVista; it stays the same object whatever its size.
  TGLMemoryViewer& Vista();
  void SetDimensioniVista(int larghezza, int altezza);
  // Renders the scene off-screen and gives the picture (y from the top).
  TBitmap Istantanea();
  // The same, written as a PNG file; false when the file cannot be written.
  bool SalvaPng(const std::string& percorso);
  // The grids are shown when "Mostra griglia" is down (at start).
  void MostraGriglie(bool mostra);
  // The walls as every reset of the main window leaves them: XZ and YZ hidden, so that the
  // solids stay easy to read, and the floor's underside red, so that seen from below the
  // floor says that it is below. Whether the floor itself is shown is not touched.
  void ParetiIniziali();

 private:
  std::unique_ptr<TGLWindowsBitmapFont> font_;
  std::unique_ptr<TGLScene> scene_;
  std::unique_ptr<TGLMemoryViewer> vista_;
  int larghezza_ = LATO_VISTA_SPAZIO, altezza_ = LATO_VISTA_SPAZIO;
};

// The scene that new space values go into: the installed one, or one made on first use
// (and kept until the program ends) when nobody installed any.
TScenaSpazio& ScenaSpazio();
// Installs a scene (the window's, a test's); nullptr goes back to the scene made on demand.
// The caller keeps ownership and must uninstall it before freeing it.
void InstallaScenaSpazio(TScenaSpazio* scena);
// Whether a scene exists now (without making one).
bool EsisteScenaSpazio();

}  // namespace qx
