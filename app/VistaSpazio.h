// The main window's space view: the viewer of the space scene in the panel `Scn` (where the
// platform has no OpenGL widgets, as the off-screen one of the tests, the scene drawn
// off-screen and shown as a picture), the description label `Label1`, the buttons of the bar under it (grids, walls, camera up and
// down, zoom) and the "Sposta Oggetti" check. What the mouse and the buttons do is the
// solid geometry's (solid/LatoSpazio.h); here it is wired to the widgets.
#pragma once
#include <functional>
#include <memory>

#include <QObject>

class QCheckBox;
class QLabel;
class QMenu;
class QAction;
class QToolButton;
class QWidget;

namespace qx {

class TGLSceneViewer;
class TLatoSpazio;
class TScenaSpazio;

class TVistaSpazio : public QObject {
 public:
  // `Scn` receives the viewer, `controlli` the buttons; `modificato` marks the program
  // changed (a value moved or turned).
  TVistaSpazio(QWidget* Scn, QWidget* controlli, QLabel* Label1, QCheckBox* cbSpostaOggetti,
               std::function<void()> modificato);
  ~TVistaSpazio() override;

  TScenaSpazio& Scena() { return *scena_; }
  TLatoSpazio& Lato() { return *lato_; }
  // The OpenGL viewer, or nullptr where the view is a picture.
  TGLSceneViewer* Viewer() const { return viewer_; }
  // The widget that shows the scene (either kind).
  QWidget* Vista() const { return vista_; }

  QToolButton* sb3DGriglieOn = nullptr;
  QToolButton* sb3DGriglieOff = nullptr;
  QToolButton* sb3DMuri = nullptr;
  QToolButton* sbSu3D = nullptr;
  QToolButton* sbGiu3D = nullptr;
  QToolButton* sbZoomm3D = nullptr;
  QToolButton* sbZoommpD = nullptr;
  QMenu* pmPareti = nullptr;
  QAction* PianoXY1 = nullptr;
  QAction* PianoXZ1 = nullptr;
  QAction* PianoYZ1 = nullptr;

  // The mouse left the view, or the values went (a reset): the hovered object loses its
  // highlight and the label empties.
  void Lascia();

  void sb3DGriglieOnClick();
  void sb3DMuriClick();
  void pmParetiPopup();
  void PianoXY1Click(QAction* voce);

 protected:
  bool eventFilter(QObject* oggetto, QEvent* evento) override;

 private:
  std::unique_ptr<TScenaSpazio> scena_;
  TGLSceneViewer* viewer_ = nullptr;
  QWidget* vista_ = nullptr;
  std::unique_ptr<TLatoSpazio> lato_;
  QLabel* label1_;
};

}  // namespace qx
