#include "solid/Piano3D.h"

#include "solid/ScenaSpazio.h"

namespace qx {

cValorePiano3D::cValorePiano3D(Reale larghezza, Reale altezza)
    : cValoreGraf3D(T_PIANO3D, nullptr, "Piano"), Altezza(altezza), Larghezza(larghezza) {
  auto* c = Contenitore()->AddNewChild<TGLCube>();
  c->SetCubeWidth(float(larghezza));
  c->SetCubeHeight(float(altezza));
  c->SetCubeDepth(SPESSORE_PIANO);
  c->Position().SetAsVector({0, 0, SPESSORE_PIANO / 2, 1});
  c->SetVisible(false);
  ImpostaPrincipale(c);
  AggiornaColore();
}

TAffineVector cValorePiano3D::Normale() const {
  if (!Principale()) return {0, 0, 1};
  const THomogeneousVector d = Principale()->AbsoluteDirection();
  return {d.X, d.Y, d.Z};
}

TAffineVector cValorePiano3D::PuntoDelPiano() const {
  if (!Principale()) return {0, 0, 0};
  const THomogeneousVector p = Principale()->AbsolutePosition();
  return {p.X, p.Y, p.Z};
}

void cValorePiano3D::UsaParete(TGLCube* parete) {
  if (!parete || !Principale()) return;
  Libera(Principale());
  ImpostaPrincipale(parete);
  PrincipalePrestato();
}

void cValorePiano3D::Copia(cValoreGraf& Dest) const {
  cValoreGraf3D::Copia(Dest);
  if (auto* d = dynamic_cast<cValorePiano3D*>(&Dest)) {
    d->Altezza = Altezza;
    d->Larghezza = Larghezza;
  }
}

std::unique_ptr<cValoreGraf3D> cValorePiano3D::NuovoSimile() const {
  return std::make_unique<cValorePiano3D>(Larghezza, Altezza);
}

}  // namespace qx
