// A function of x and y, z = f(x, y): its text, its parsed tree and its value at a point.
// This is the part that the plane needs (the right-hand side of y' = f(x, y)); the surface
// that it draws in space belongs to the solid values.
#pragma once
#include <memory>
#include <string>

#include "values/Valori.h"
#include "values/espressioni/NodoEspr.h"

namespace qx {

class cValoreFunzione3D : public cValore {
 public:
  cValoreFunzione3D();
  cValoreFunzione3D(const cValoreFunzione3D& altro);
  cValoreFunzione3D& operator=(const cValoreFunzione3D&) = delete;
  ~cValoreFunzione3D() override;

  std::string _sFunz;
  // Not stored.
  bool bMessaggi = true;

  // Parses the text (blanks removed) as a function of x and y; on failure the value keeps
  // no formula (the parser's message is shown unless bMessaggi is off).
  bool ImpostaFunzione(const std::string& testo);
  const NodoEspr* Albero() const { return albero_.get(); }
  // 0 while there is no formula; the error values pass through.
  Reale ValutaXY(Reale x, Reale y) const;

  std::unique_ptr<cValore> Clona() const override { return std::make_unique<cValoreFunzione3D>(*this); }

 private:
  PNodo albero_;
};

}  // namespace qx
