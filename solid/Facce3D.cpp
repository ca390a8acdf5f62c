#include "solid/Facce3D.h"

#include <algorithm>
#include <cmath>

#include "solid/ScenaSpazio.h"

namespace qx {

namespace {

bool Finito(const TAffineVector& v) { return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z); }

TAffineVector Baricentro(const std::vector<TAffineVector>& punti) {
  TAffineVector b{0, 0, 0};
  if (punti.empty()) return b;
  for (const auto& p : punti) b = VectorAdd(b, p);
  return VectorScale(b, 1.0f / float(punti.size()));
}

}  // namespace

// ---- Faces as parts ----

TGLPolygon* NuovaFaccia(TGLBaseSceneObject& holder, TColor colore) {
  auto* p = holder.AddNewChild<TGLPolygon>();
  p->Tag = TAG_PARTE;
  p->Material().FrontProperties().Diffuse().SetColor(Colore3D(colore));
  p->Material().SetBlendingMode(TBlendingMode::bmTransparency);
  return p;
}

TGLPolygon* FacciaDi(const TGLBaseSceneObject* holder, int i) {
  if (!holder || i < 1) return nullptr;
  int k = 0;
  for (int c = 0; c < holder->Count(); ++c)
    if (auto* p = dynamic_cast<TGLPolygon*>(holder->GetChild(c)); p && ++k == i) return p;
  return nullptr;
}

std::vector<TAffineVector> NodiNelPadre(const TGLPolygon& p) {
  std::vector<TAffineVector> r;
  const TAffineVector o = p.Position().AsAffineVector();
  TGLPolygon& q = const_cast<TGLPolygon&>(p);
  for (int i = 0; i < q.Nodes().Count(); ++i) r.push_back(VectorAdd(q.Nodes()[i]->AsAffineVector(), o));
  return r;
}

void ImpostaNodi(TGLPolygon& p, const std::vector<TAffineVector>& nodi) {
  TGLNodes& n = p.Nodes();
  n.BeginUpdate();
  n.Clear();
  for (const auto& v : nodi) n.AddNode(Finito(v) ? v : TAffineVector{0, 0, 0});
  n.EndUpdate();
}

void ImpostaNodiCentrati(TGLPolygon& p, const std::vector<TAffineVector>& punti) {
  const TAffineVector b = Baricentro(punti);
  std::vector<TAffineVector> relativi;
  for (const auto& v : punti) relativi.push_back(VectorSubtract(v, b));
  p.Position().SetAsAffineVector(Finito(b) ? b : TAffineVector{0, 0, 0});
  ImpostaNodi(p, relativi);
}

void DisegnaSpigoli(TGLPolygon& p, int tag, TColor colore) {
  TGLBaseSceneObject* padre = tag == TAG_PARTE ? &p : p.Parent();
  if (!padre || p.Nodes().Count() == 0) return;
  auto* l = padre->AddNewChild<TGLLines>();
  l->Tag = tag;
  l->SetNodesAspect(TLineNodesAspect::lnaInvisible);
  l->SetLineWidth(2.0f);
  l->LineColor().SetColor(ColorToVector(colore, 1.0f));
  // Beside the face, the outline stands where the face does.
  if (tag == TAG_SPIGOLO) l->Position().SetAsVector(p.Position().AsVector());
  TGLNodes& n = p.Nodes();
  l->Nodes().BeginUpdate();
  for (int i = 0; i < n.Count(); ++i) l->AddNode(n[i]->AsAffineVector());
  l->AddNode(n[0]->AsAffineVector());
  l->Nodes().EndUpdate();
}

void TogliSpigoli(TGLBaseSceneObject& o) {
  for (int i = o.Count() - 1; i >= 0; --i) {
    TGLBaseSceneObject* c = o.GetChild(i);
    if (!dynamic_cast<TGLLines*>(c)) continue;
    DimenticaOggettoGL(c);
    delete c;
  }
}

// ---- The face ----

cValoreFaccia3D::cValoreFaccia3D() : cValoreGraf3D(T_FACCIA3D, nullptr, "Faccia") {
  auto* p = Contenitore()->AddNewChild<TGLPolygon>();
  p->SetVisible(false);
  ImpostaPrincipale(p);
  AggiornaColore();
}

void cValoreFaccia3D::ImpostaVertici(const std::vector<TAffineVector>& punti) {
  TGLPolygon* p = Poligono();
  if (!p) return;
  std::vector<TAffineVector> nodi;
  for (const auto& v : punti)
    if (nodi.empty() || !VectorEquals(nodi.back(), v)) nodi.push_back(v);
  if (nodi.size() > 1 && VectorEquals(nodi.back(), nodi.front())) nodi.pop_back();
  // In the frame of its holder.
  if (TGLBaseSceneObject* padre = p->Parent())
    for (auto& v : nodi) v = AffineVectorFromVector(padre->AbsoluteToLocal(VectorFromAffine(v, 1)));
  ImpostaNodiCentrati(*p, nodi);
  AggiornaSpigoli();
}

std::vector<TAffineVector> cValoreFaccia3D::VerticiAssoluti() const {
  std::vector<TAffineVector> r;
  TGLPolygon* p = Poligono();
  if (!p) return r;
  for (int i = 0; i < p->Nodes().Count(); ++i)
    r.push_back(AffineVectorFromVector(p->LocalToAbsolute(VectorFromAffine(p->Nodes()[i]->AsAffineVector(), 1))));
  return r;
}

void cValoreFaccia3D::PuntiDaPoligono() {
  _Punti.clear();
  TGLPolygon* p = Poligono();
  if (!p) return;
  for (int i = 0; i < p->Nodes().Count(); ++i) {
    const TGLNode& n = *p->Nodes()[i];
    _Punti.push_back({n.X(), n.Y(), n.Z()});
  }
}

void cValoreFaccia3D::PoligonoDaPunti() {
  TGLPolygon* p = Poligono();
  if (!p) return;
  p->Nodes().BeginUpdate();
  for (const auto& q : _Punti) {
    const TAffineVector v{float(q.x), float(q.y), float(q.z)};
    p->AddNode(Finito(v) ? v : TAffineVector{0, 0, 0});
  }
  p->Nodes().EndUpdate();
  AggiornaSpigoli();
}

void cValoreFaccia3D::AggiornaSpigoli() {
  TGLPolygon* p = Poligono();
  if (!p) return;
  TogliSpigoli(*p);
  DisegnaSpigoli(*p, TAG_PARTE, Pen.Color);
}

void cValoreFaccia3D::Copia(cValoreGraf& Dest) const {
  cValoreGraf3D::Copia(Dest);
  auto* d = dynamic_cast<cValoreFaccia3D*>(&Dest);
  if (!d || !d->Poligono() || !Poligono()) return;
  d->_Punti = _Punti;
  ImpostaNodiCentrati(*d->Poligono(), NodiNelPadre(*Poligono()));
  d->AggiornaSpigoli();
}

std::unique_ptr<cValoreGraf3D> cValoreFaccia3D::NuovoSimile() const { return std::make_unique<cValoreFaccia3D>(); }

// ---- The solid ----

cValoreSolido3D::cValoreSolido3D(int facce) : cValoreGraf3D(T_SOLIDO3D, nullptr, "Solido"), nFacce(std::max(0, facce)) {
  TGLCube* h = NuovoPrincipaleVuoto();
  h->SetVisible(false);
  for (int i = 0; i < nFacce; ++i) NuovaFaccia(*h, Brush.Color);
  AggiornaColore();
}

TGLPolygon* cValoreSolido3D::Faccia(int i) const { return FacciaDi(Principale(), i); }

void cValoreSolido3D::ImpostaBasi(const std::vector<TAffineVector>& base1, const std::vector<TAffineVector>& base2) {
  if (TGLPolygon* f = Faccia(1)) ImpostaNodi(*f, base1);
  if (TGLPolygon* f = Faccia(2)) ImpostaNodi(*f, base2);
  CostruisciFacce();
  AggiornaSpigoli();
}

void cValoreSolido3D::CostruisciFacce() {
  TGLPolygon* f1 = Faccia(1);
  TGLPolygon* f2 = Faccia(2);
  if (!f1 || !f2) return;
  const std::vector<TAffineVector> a = NodiNelPadre(*f1), b = NodiNelPadre(*f2);
  const int n = int(std::min(a.size(), b.size()));
  const bool apice = n > 0 && std::all_of(b.begin(), b.begin() + n, [&](const TAffineVector& v) { return VectorEquals(v, b[0]); });
  for (int k = 3; k <= nFacce; ++k) {
    TGLPolygon* f = Faccia(k);
    if (!f) continue;
    f->Position().SetAsVector({0, 0, 0, 1});
    const int s = k - 3;
    std::vector<TAffineVector> lato;
    if (n >= 2 && s < n) {
      // Faces (0, 1), (1, 2), ..., (n - 2, n - 1), then (0, n - 1).
      const std::size_t i = std::size_t(s < n - 1 ? s : 0), j = std::size_t(s < n - 1 ? s + 1 : n - 1);
      // Towards an apex a side is a triangle: the apex once, not twice.
      if (apice) lato = {a[i], b[i], a[j]};
      else lato = {a[i], b[i], b[j], a[j]};
    }
    ImpostaNodi(*f, lato);
  }
}

void cValoreSolido3D::AggiornaSpigoli() {
  for (int k = 1; k <= nFacce; ++k)
    if (TGLPolygon* f = Faccia(k)) {
      TogliSpigoli(*f);
      DisegnaSpigoli(*f, TAG_PARTE, Pen.Color);
    }
}

void cValoreSolido3D::Copia(cValoreGraf& Dest) const {
  cValoreGraf3D::Copia(Dest);
  auto* d = dynamic_cast<cValoreSolido3D*>(&Dest);
  if (!d) return;
  for (int k = 1; k <= std::min(nFacce, d->nFacce); ++k) {
    TGLPolygon* da = Faccia(k);
    TGLPolygon* a = d->Faccia(k);
    if (!da || !a) continue;
    a->Position().SetAsVector(da->Position().AsVector());
    a->SetNodes(da->Nodes());
  }
  d->AggiornaSpigoli();
}

std::unique_ptr<cValoreGraf3D> cValoreSolido3D::NuovoSimile() const { return std::make_unique<cValoreSolido3D>(nFacce); }

}  // namespace qx
