// The surface z = f(x, y): a function of x and y (the part that the interpreter reads) and
// its height field, hidden until GRAFICOFUNZ3D shows it over -5 .. 5.
#pragma once
#include "interpreter/costruzioni/FunzioneXY.h"
#include "scene/GLGraph.h"
#include "solid/Valore3D.h"

namespace qx {

class cValoreFunzione3D : public cValoreGraf3D, public TFunzioneXY {
 public:
  explicit cValoreFunzione3D(cValoreGraf3D* padre = nullptr);

  TGLHeightField* Superficie() const { return static_cast<TGLHeightField*>(Principale()); }
  // Keeps the text and its tree when it parses as a function of x and y; otherwise the
  // value keeps no text (the parser's message is shown unless bMessaggi is off).
  bool SetFunzione(const std::string& testo);
  // Samples x and y from -5 to 5.
  void DominioPredefinito();
  // Shows the surface (the height field is flat while hidden).
  void Mostra();

  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValoreGraf3D> NuovoSimile() const override;
  void MostraMemorizzato() override;
  // Drawn opaque.
  void AggiornaColore() override;

 private:
  // A surface folds, and where it turns from the light in front of it (the light sits at
  // the camera) it is seen edge on and gets no light: its ambient colour is its own colour,
  // so that the shade there stays a dark tone of it, not black.
  void OmbraNelColore();
};

}  // namespace qx
