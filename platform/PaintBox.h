// A control that is only a drawing surface of a given size (the rulers beside the drawing
// area, the area itself). The window implements it with a widget, the tests with an image.
#pragma once
#include "platform/Canvas.h"

namespace qx {

class TPaintBox {
 public:
  virtual ~TPaintBox() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Its brush colour is the control's colour.
  virtual TCanvas& Canvas() = 0;
};

}  // namespace qx
