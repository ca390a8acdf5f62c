// The frame every figure test draws through: a 600 x 400 area, origin at (300, 200),
// 30 pixels per unit, installed as the run state's frame and canvas.
#pragma once
#include "runstate/DatiGlob.h"
#include "platform/RecordingCanvas.h"
#include "values/RifCart.h"

namespace qx::test {

class Cornice {
 public:
  explicit Cornice(TCanvas* canvas = nullptr) : rifCart(canvas ? canvas : &registro) {
    ReimpostaDatiGlob();
    rifCart.Rettangolo = {0, 0, 600, 400};
    rifCart.__AsseX = 300;
    rifCart.__AsseY = 200;
    rifCart._TaccaX = rifCart._TaccaY = 30;
    DatiGlob.AreaRifCart = {600, 400};
    DatiGlob.RifCart = &rifCart;
    DatiGlob.CanvasRifCart = rifCart.Canvas;
  }
  ~Cornice() {
    DatiGlob.RifCart = nullptr;
    DatiGlob.CanvasRifCart = nullptr;
  }
  Cornice(const Cornice&) = delete;
  Cornice& operator=(const Cornice&) = delete;

  TRecordingCanvas registro{600, 400};
  cRifCart rifCart;
};

}  // namespace qx::test
