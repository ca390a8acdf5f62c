#include "solid/Funzione3D.h"

#include <cmath>

namespace qx {

namespace {

// Heights beyond this (and the error values, which are larger still) are drawn flat: they
// would only make the drawing's numbers overflow.
constexpr Reale ALTEZZA_MASSIMA = 1e6L;

}  // namespace

cValoreFunzione3D::cValoreFunzione3D(cValoreGraf3D* padre) : cValoreGraf3D(T_FUNZIONE3D, padre, "Funzione 3D") {
  auto* h = Contenitore()->AddNewChild<TGLHeightField>();
  h->SetVisible(false);
  ImpostaPrincipale(h);
  AggiornaColore();
  h->SetOnGetHeight([this, h](float x, float y, float& z, TColorVector&, TTexPoint&) {
    z = 0;
    if (!h->Visible()) return;
    const Reale v = ValutaXY(x, y);
    if (std::isfinite(static_cast<double>(v)) && std::fabs(v) < ALTEZZA_MASSIMA) z = static_cast<float>(v);
  });
}

bool cValoreFunzione3D::SetFunzione(const std::string& testo) {
  const bool riuscito = ImpostaFunzione(testo);
  if (Superficie()) Superficie()->StructureChanged();
  return riuscito;
}

void cValoreFunzione3D::DominioPredefinito() {
  TGLHeightField* h = Superficie();
  if (!h) return;
  for (TGLSamplingScale* s : {&h->XSamplingScale(), &h->YSamplingScale()}) {
    s->SetMin(-5);
    s->SetMax(5);
    s->SetStep(0.1f);
  }
}

void cValoreFunzione3D::Mostra() {
  TGLHeightField* h = Superficie();
  if (!h) return;
  h->SetVisible(true);
  // The heights were flat while it was hidden.
  h->StructureChanged();
}

void cValoreFunzione3D::AggiornaColore() {
  cValoreGraf3D::AggiornaColore();
  if (Principale()) Principale()->Material().SetBlendingMode(TBlendingMode::bmOpaque);
  OmbraNelColore();
}

void cValoreFunzione3D::OmbraNelColore() {
  if (!Principale()) return;
  TGLFaceProperties& f = Principale()->Material().FrontProperties();
  f.Ambient().SetColor(f.Diffuse().Color());
}

void cValoreFunzione3D::MostraMemorizzato() { DominioPredefinito(); }

void cValoreFunzione3D::Copia(cValoreGraf& Dest) const {
  cValoreGraf3D::Copia(Dest);
  auto* d = dynamic_cast<cValoreFunzione3D*>(&Dest);
  if (d) d->OmbraNelColore();
  if (!d || !Albero()) return;
  static_cast<TFunzioneXY&>(*d) = *this;
  if (d->Superficie()) d->Superficie()->StructureChanged();
}

std::unique_ptr<cValoreGraf3D> cValoreFunzione3D::NuovoSimile() const {
  return std::make_unique<cValoreFunzione3D>(Padre());
}

}  // namespace qx
