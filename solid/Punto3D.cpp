#include "solid/Punto3D.h"

#include <cmath>

#include "scene/GLScene.h"
#include "solid/ScenaSpazio.h"

namespace qx {

cValorePunto3D::cValorePunto3D(cValoreGraf3D* padre) : cValoreGraf3D(T_PUNTO3D, padre, "Punto") {
  sfera_ = Contenitore()->AddNewChild<TGLSphere>();
  sfera_->SetRadius(RAGGIO_PUNTO3D);
  // A point is drawn a few pixels wide: a coarse sphere is round enough.
  sfera_->SetSlices(8);
  sfera_->SetStacks(6);
  sfera_->SetVisible(false);
  ImpostaPrincipale(sfera_);
  AggiornaColore();
}

cValorePunto3D::~cValorePunto3D() {
  if (etichetta_) Libera(etichetta_);
  etichetta_ = nullptr;
}

void cValorePunto3D::ScenaPerduta() {
  sfera_ = nullptr;
  etichetta_ = nullptr;
  cValoreGraf3D::ScenaPerduta();
}

TAffineVector cValorePunto3D::Coordinate() const {
  return sfera_ ? sfera_->Position().AsAffineVector() : TAffineVector{0, 0, 0};
}

TAffineVector cValorePunto3D::CoordinateAssolute() const {
  if (!sfera_) return {0, 0, 0};
  const THomogeneousVector p = sfera_->AbsolutePosition();
  return {p.X, p.Y, p.Z};
}

void cValorePunto3D::Copia(cValoreGraf& Dest) const {
  cValoreGraf3D::Copia(Dest);
  if (auto* d = dynamic_cast<cValorePunto3D*>(&Dest)) d->_text = _text;
}

std::unique_ptr<cValoreGraf3D> cValorePunto3D::NuovoSimile() const { return std::make_unique<cValorePunto3D>(Padre()); }

void cValorePunto3D::DopoMemorizzazione(const cValoreGraf& sorgente, const std::string& nome) {
  cValoreGraf3D::DopoMemorizzazione(sorgente, nome);
  ImpostaEtichetta(nome);
}

void cValorePunto3D::ImpostaEtichetta(const std::string& nome) {
  if (!ScenaPresente()) return;
  if (nome.empty() || nome[0] == '$') {
    if (etichetta_) Libera(etichetta_);
    etichetta_ = nullptr;
    return;
  }
  if (!etichetta_) {
    etichetta_ = Radice()->AddNewChild<TGLHUDText>();
    etichetta_->SetBitmapFont(&Scena().GLWindowsBitmapFont1());
    // Far off until the view places it beside the point.
    etichetta_->Position().SetAsVector({-1000, -1000, 0, 1});
  }
  etichetta_->SetText(" " + nome);
  etichetta_->ModulateColor().SetColor(ColorToVector(Pen.Color, 1.0f));
}

bool PosizionaEtichette(TGLSceneBuffer& buffer) {
  bool mosse = false;
  for (cValoreGraf3D* v = cValoreGraf3D::Primo(); v; v = v->Successivo()) {
    if (v->Tipo != T_PUNTO3D) continue;
    auto* p = static_cast<cValorePunto3D*>(v);
    TGLHUDText* e = p->Etichetta();
    if (!e || !p->Sfera() || !buffer.Camera() || p->Sfera()->Scene() != buffer.Camera()->Scene()) continue;
    const THomogeneousVector s = buffer.ProjectPoint(p->Sfera()->AbsolutePosition());
    if (!std::isfinite(s.X) || !std::isfinite(s.Y)) continue;
    // A point behind the camera (or past the depth range) projects to a place where it is
    // not: its label goes far off, as it starts, until the point is in view again.
    const bool inVista = s.Z >= 0 && s.Z <= 1;
    const float x = inVista ? std::round(s.X) : -1000.0f;
    const float y = inVista ? std::round(float(buffer.Height()) - s.Y - 20) : -1000.0f;
    if (e->Position().X() != x || e->Position().Y() != y) {
      e->Position().SetAsVector({x, y, 0, 1});
      mosse = true;
    }
  }
  return mosse;
}

}  // namespace qx
