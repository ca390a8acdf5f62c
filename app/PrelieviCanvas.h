// The mouse on the 2D canvas, as the pupil sees it: the value under the mouse highlighted
// and named, the rubber bands of what is being placed (drawn and taken away again with the
// not-xor pen), the pen's strokes, values dragged with "Sposta Oggetti", and the popup that
// flips and turns a polygon. What a pick hands to the waiting statement is the
// interpreter's side of the hand-over (interpreter/LatoMouse.h): these handlers call it
// with the same pixel and Shift key.
#pragma once
#include <Qt>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Graphics.h"

class QAction;
class QMenu;

namespace qx {

class Tfrm3;
class TCanvas;
class cValoreGraf;
class cValorePoligono;

class TPrelieviCanvas {
 public:
  explicit TPrelieviCanvas(Tfrm3& finestra);
  ~TPrelieviCanvas();
  TPrelieviCanvas(const TPrelieviCanvas&) = delete;
  TPrelieviCanvas& operator=(const TPrelieviCanvas&) = delete;

  // X, Y: the pixel on the canvas; `shift`: the exact position instead of the nearest tenth.
  void pbRifCartMouseDown(Qt::MouseButton pulsante, bool shift, int X, int Y);
  void pbRifCartMouseMove(bool shift, int X, int Y);
  void pbRifCartMouseUp(Qt::MouseButton pulsante, bool shift, int X, int Y);
  // The mouse left the canvas (for a button, a dialog, another pane): nothing is hovered.
  void pbRifCartMouseLeave();

  // The polygon's popup (the right button on a polygon).
  QMenu* PopupOggetto;
  QAction* CapovolgiOrizzontalmente1;
  QAction* Capovolgiverticalmente1;
  QAction* Ruota1;                       // a quarter turn clockwise
  QAction* Ruotadi30insensoantiorario1;  // a quarter turn anticlockwise
  void CapovolgiOrizzontalmente1Click();
  void Capovolgiverticalmente1Click();
  void Ruota1Click();
  void Ruotadi30insensoantiorario1Click();

  // The value under the mouse, drawn highlighted; nullptr when none.
  cValoreGraf* Evidenziato();
  // The polygon that the popup acts on; nullptr when it is gone.
  cValorePoligono* PoligonoPopup();
  // A rubber band is on the canvas's picture.
  bool ElasticoMostrato() const { return static_cast<bool>(elastico_.disegna); }
  // The values are about to go (a new run): nothing refers to them any more.
  void Dimentica();

 private:
  struct Elastico {
    std::function<void(TCanvas&)> disegna;  // empty: no band
    std::uint64_t ridisegno = 0;            // the picture it was drawn on
  };
  // The band in place of the one shown: each is drawn with the not-xor pen, so drawing a
  // band again takes it away, unless the picture was made anew meanwhile.
  void DisegnaElastico(std::function<void(TCanvas&)> disegna);
  void CancellaElastico();
  void Traccia(const std::function<void(TCanvas&)>& disegna);

  void Elastici(const TPoint& grezzo, bool shift, TPoint px, const TPuntoMondo& p);
  void Penna(const TPoint& grezzo, bool shift, TPoint px);
  void Trascina(const TPuntoMondo& p);
  void Sorvola(const TPoint& px);
  // The hovered value loses its highlight and the title its description.
  void TogliEvidenza();
  // The name of the value under the mouse, written on the canvas above the cursor.
  void ScriviEtichetta(const std::string& testo, const TPoint& px);
  void ApriPopup(cValorePoligono& poligono, const TPoint& px);
  void SpostaCursore(const TPoint& px);
  // The polygon changed by the popup: repainted, and the program has something to save.
  void Modificato();
  // Whether the value still belongs to the variable table.
  static bool Esiste(const cValoreGraf* v);

  Tfrm3& f_;
  Elastico elastico_;
  cValoreGraf* evidenziato_ = nullptr;
  cValoreGraf* trascinato_ = nullptr;  // hit at the press, dragged with "Sposta Oggetti"
  cValorePoligono* popup_ = nullptr;
  TPuntoMondo ancora_;                 // the world point the drag has reached
  TPoint ultimoPremuto_{-100, -100};
  TPoint ultimoMouse_{-100, -100};
  TPoint ultimaPenna_{-100, -100};
  bool premuto_ = false;
};

}  // namespace qx
