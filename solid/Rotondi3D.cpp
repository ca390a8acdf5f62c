#include "solid/Rotondi3D.h"

#include "solid/ScenaSpazio.h"

namespace qx {

// ---- Sphere ----

cValoreSfera3D::cValoreSfera3D(cValoreGraf3D* padre, Reale raggio)
    : cValoreGraf3D(T_SFERA3D, padre, "Sfera"), Raggio(raggio) {
  auto* s = Contenitore()->AddNewChild<TGLSphere>();
  s->Position().SetAsVector({0, 0, float(raggio), 1});
  s->SetRadius(float(raggio));
  s->SetSlices(32);
  s->SetStacks(24);
  ImpostaPrincipale(s);
  AggiornaColore();
}

void cValoreSfera3D::Copia(cValoreGraf& Dest) const {
  cValoreGraf3D::Copia(Dest);
  if (auto* d = dynamic_cast<cValoreSfera3D*>(&Dest)) {
    d->Raggio = Raggio;
    if (d->Sfera() && Sfera()) d->Sfera()->SetRadius(Sfera()->Radius());
  }
}

std::unique_ptr<cValoreGraf3D> cValoreSfera3D::NuovoSimile() const {
  return std::make_unique<cValoreSfera3D>(Padre(), Raggio);
}

}  // namespace qx
