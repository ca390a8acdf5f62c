// A function of x and y, z = f(x, y): its text, its parsed tree and its value at a point.
// The interpreter needs only this part of a surface value (the right-hand side of
// y' = f(x, y), and its value at a point); the surface itself, with its scene objects,
// belongs to the solid values, whose class carries this part.
#pragma once
#include <memory>
#include <string>

#include "values/Valori.h"
#include "values/espressioni/NodoEspr.h"

namespace qx {

class TFunzioneXY {
 public:
  TFunzioneXY() = default;
  TFunzioneXY(const TFunzioneXY& altro);
  TFunzioneXY& operator=(const TFunzioneXY& altro);
  virtual ~TFunzioneXY();

  std::string _sFunz;
  // Not stored.
  bool bMessaggi = true;

  // Parses the text (blanks removed) as a function of x and y; on failure the value keeps
  // no formula and no text (the parser's message is shown unless bMessaggi is off).
  bool ImpostaFunzione(const std::string& testo);
  const NodoEspr* Albero() const { return albero_.get(); }
  // 0 while there is no formula; the error values pass through.
  Reale ValutaXY(Reale x, Reale y) const;

 private:
  PNodo albero_;
};

// The function of x and y that a value carries, or nullptr.
inline const TFunzioneXY* FunzioneXYDi(const cValore* v) { return dynamic_cast<const TFunzioneXY*>(v); }

}  // namespace qx
