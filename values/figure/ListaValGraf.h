// The values selected on the canvas, kept by the window and the pick commands. It only
// refers to them: the variables own them.
#pragma once
#include <vector>

#include "values/Valori.h"

namespace qx {

class TListValGraf {
 public:
  int Count() const { return static_cast<int>(valori_.size()); }
  cValoreGraf* Elemento(int i) const { return valori_.at(static_cast<std::size_t>(i)); }
  void Aggiungi(cValoreGraf* v) { valori_.push_back(v); }
  bool Contiene(const cValoreGraf* v) const;
  void Rimuovi(const cValoreGraf* v);
  // Clears the highlight flag of every value, then forgets them all.
  void Svuota();
  // Draws every value on the frame's canvas; with Evidenzia each is drawn in yellow and
  // gets its own pen colour back afterwards.
  void Disegna(bool Evidenzia);

 private:
  std::vector<cValoreGraf*> valori_;
};

}  // namespace qx
