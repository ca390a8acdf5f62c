#include "solid/Retta3D.h"

#include <cmath>

namespace qx {

cValoreRetta3D::cValoreRetta3D(TipiValore tipo, cValoreGraf3D* padre)
    : cValoreGraf3D(tipo == T_RETTA3D ? T_RETTA3D : T_SEGMENTO3D, padre, tipo == T_RETTA3D ? "Retta" : "Segmento") {
  auto* l = Contenitore()->AddNewChild<TGLArrowLine>();
  l->SetParts(alLine);
  const float r = Tipo == T_SEGMENTO3D ? 0.021f : 0.02f;
  l->SetBottomRadius(r);
  l->SetTopRadius(r);
  l->SetSlices(12);
  l->SetVisible(false);
  ImpostaPrincipale(l);
  AggiornaColore();
}

void cValoreRetta3D::Colloca(const TAffineVector& centro, const TAffineVector& direzione, float lunghezza) {
  TGLArrowLine* l = Linea();
  if (!l) return;
  TAffineVector c = centro, d = direzione;
  if (TGLBaseSceneObject* p = l->Parent()) {
    c = AffineVectorFromVector(p->AbsoluteToLocal(VectorFromAffine(centro, 1)));
    d = VectorTransform(direzione, p->InvAbsoluteMatrix());
  }
  if (std::isfinite(d.X) && std::isfinite(d.Y) && std::isfinite(d.Z) && VectorLength(d) > 0) l->SetDirection(d);
  if (std::isfinite(c.X) && std::isfinite(c.Y) && std::isfinite(c.Z)) l->Position().SetAsAffineVector(c);
  l->SetHeight(std::isfinite(lunghezza) ? lunghezza : 0);
}

void cValoreRetta3D::Copia(cValoreGraf& Dest) const {
  cValoreGraf3D::Copia(Dest);
  auto* d = dynamic_cast<cValoreRetta3D*>(&Dest);
  if (d && d->Linea() && Linea()) d->Linea()->SetHeight(Linea()->Height());
}

std::unique_ptr<cValoreGraf3D> cValoreRetta3D::NuovoSimile() const {
  return std::make_unique<cValoreRetta3D>(Tipo, Padre());
}

}  // namespace qx
