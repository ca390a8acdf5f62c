// The space group: the names of its member values and nothing else. It holds no scene
// object; what is done to a group in the space view is done to each member still there.
#pragma once
#include <string>
#include <vector>

#include "values/Valori.h"

namespace qx {

class cValoreGruppo3D : public cValoreGraf {
 public:
  cValoreGruppo3D();
  cValoreGruppo3D(const cValoreGruppo3D& altro);

  std::vector<std::string> _Vett;

  // Appends the value's name.
  void Aggiungi(const cValore& valore);
  // Removes the first entry equal to the value's name (case counts) and clears the group
  // name of the variable of that name.
  void Togli(const cValore& valore);
  // Clears the group name of every member that still exists (before the group goes).
  void LiberaMembri() const;
  // The stored members that still exist, in order.
  std::vector<cValoreGraf*> Membri() const;

  void Copia(cValoreGraf& Dest) const override;
  std::unique_ptr<cValore> Clona() const override { return std::make_unique<cValoreGruppo3D>(*this); }
};

// Whether `dentro` is `gruppo` itself or one of its members, at any depth.
bool GruppoContiene(const cValoreGruppo3D& gruppo, const cValore& dentro);

}  // namespace qx
