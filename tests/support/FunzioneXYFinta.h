// A function of x and y held by a plain value, without a surface: what the interpreter's
// tests hand to the commands that read one (EDONUM, EDOGRAF, VALUTAFUNZ), in place of the
// surface value of the solid geometry.
#pragma once
#include <memory>

#include "interpreter/costruzioni/FunzioneXY.h"

namespace qx::test {

class cFunzioneXYFinta : public cValore, public TFunzioneXY {
 public:
  cFunzioneXYFinta() {
    Tipo = T_FUNZIONE3D;
    NomeTipo = "Funzione3D";
  }
  cFunzioneXYFinta(const cFunzioneXYFinta&) = default;
  std::unique_ptr<cValore> Clona() const override { return std::make_unique<cFunzioneXYFinta>(*this); }
};

}  // namespace qx::test
