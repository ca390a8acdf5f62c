#include "solid/Rotondi3D.h"

#include "solid/ScenaSpazio.h"

namespace qx {

// ---- Sphere ----

cValoreSfera3D::cValoreSfera3D(cValoreGraf3D* padre, Reale raggio)
    : cValoreGraf3D(T_SFERA3D, padre, "Sfera"), Raggio(raggio) {
  auto* s = Contenitore()->AddNewChild<TGLSphere>();
  s->Position().SetAsVector({0, 0, float(raggio), 1});
  s->SetRadius(float(raggio));
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

// ---- Cylinder ----

cValoreCilindro3D::cValoreCilindro3D(Reale raggio, Reale altezza)
    : cValoreGraf3D(T_CILINDRO3D, nullptr, "Cilindro"), Raggio(raggio), Altezza(altezza) {
  auto* c = Radice()->AddNewChild<TGLCylinder>();
  c->SetUp({0, 0, 1});
  c->SetBottomRadius(float(raggio));
  c->SetTopRadius(float(raggio));
  c->SetHeight(float(altezza));
  c->SetSlices(32);
  c->Position().SetAsVector({0, 0, float(altezza / 2), 1});
  ImpostaPrincipale(c);
  AggiornaColore();
}

void cValoreCilindro3D::Copia(cValoreGraf& Dest) const {
  cValoreGraf3D::Copia(Dest);
  auto* d = dynamic_cast<cValoreCilindro3D*>(&Dest);
  if (!d) return;
  d->Raggio = Raggio;
  d->Altezza = Altezza;
  if (d->Cilindro() && Cilindro()) {
    d->Cilindro()->SetBottomRadius(Cilindro()->BottomRadius());
    d->Cilindro()->SetTopRadius(Cilindro()->TopRadius());
    d->Cilindro()->SetHeight(Cilindro()->Height());
  }
}

std::unique_ptr<cValoreGraf3D> cValoreCilindro3D::NuovoSimile() const {
  return std::make_unique<cValoreCilindro3D>(Raggio, Altezza);
}

// ---- Cone ----

cValoreCono3D::cValoreCono3D(bool cono2, Reale raggio, Reale altezza)
    : cValoreGraf3D(T_CONO3D, nullptr, "Cono"), Raggio(raggio), Altezza(altezza) {
  NuovoPrincipaleVuoto();
  ImpostaCono2(cono2);
  AggiornaColore();
}

TGLCylinder* cValoreCono3D::Parte(int i) const {
  TGLCustomSceneObject* h = Principale();
  return h && i >= 1 && i <= h->Count() ? dynamic_cast<TGLCylinder*>(h->GetChild(i - 1)) : nullptr;
}

void cValoreCono3D::ImpostaCono2(bool doppio) {
  Cono2 = doppio;
  TGLCustomSceneObject* h = Principale();
  if (!h) return;
  const int parti = doppio ? 2 : 1;
  while (h->Count() > parti) Libera(h->GetChild(h->Count() - 1));
  while (h->Count() < parti) {
    const bool seconda = h->Count() == 1;
    auto* c = h->AddNewChild<TGLCylinder>();
    c->Tag = TAG_PARTE;
    c->SetUp({0, 0, Altezza != 0 ? float(Altezza) : 1.0f});
    c->SetBottomRadius(float(Raggio));
    c->SetTopRadius(0);
    c->SetHeight(float(Altezza));
    c->SetSlices(64);
    c->Position().SetAsVector({0, 0, float(seconda ? 1.5L * Altezza : Altezza / 2), 1});
    // The second cone upside down: the two meet at their apex.
    if (seconda) c->SetPitchAngle(180);
    c->Material().FrontProperties().Diffuse().SetColor(Colore3D(Brush.Color));
    c->Material().SetBlendingMode(TBlendingMode::bmTransparency);
  }
}

void cValoreCono3D::Copia(cValoreGraf& Dest) const {
  auto* d = dynamic_cast<cValoreCono3D*>(&Dest);
  // Double or single first, so that the parts' colours match one to one.
  if (d && d->Cono2 != Cono2) d->ImpostaCono2(Cono2);
  cValoreGraf3D::Copia(Dest);
  if (!d) return;
  d->Raggio = Raggio;
  d->Altezza = Altezza;
}

std::unique_ptr<cValoreGraf3D> cValoreCono3D::NuovoSimile() const {
  return std::make_unique<cValoreCono3D>(Cono2, Raggio, Altezza);
}

// ---- Pyramid ----

cValorePiramide3D::cValorePiramide3D(Reale lato, Reale altezza)
    : cValoreGraf3D(T_PIRAMIDE3D, nullptr, "Piramide"), Lato(lato), Altezza(altezza) {
  auto* f = Radice()->AddNewChild<TGLFrustrum>();
  f->SetUp({0, 0, 1});
  f->SetBaseWidth(float(lato));
  f->SetBaseDepth(float(lato));
  f->SetApexHeight(float(altezza));
  f->SetHeight(float(altezza));
  ImpostaPrincipale(f);
  AggiornaColore();
}

void cValorePiramide3D::Copia(cValoreGraf& Dest) const {
  cValoreGraf3D::Copia(Dest);
  auto* d = dynamic_cast<cValorePiramide3D*>(&Dest);
  if (!d) return;
  d->Lato = Lato;
  d->Altezza = Altezza;
  if (d->Tronco() && Tronco()) {
    d->Tronco()->SetBaseWidth(Tronco()->BaseWidth());
    d->Tronco()->SetBaseDepth(Tronco()->BaseDepth());
    d->Tronco()->SetApexHeight(Tronco()->ApexHeight());
    d->Tronco()->SetHeight(Tronco()->Height());
  }
}

std::unique_ptr<cValoreGraf3D> cValorePiramide3D::NuovoSimile() const {
  return std::make_unique<cValorePiramide3D>(Lato, Altezza);
}

}  // namespace qx
