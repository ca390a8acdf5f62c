#include "solid/Parall3D.h"

#include "runstate/DatiGlob.h"
#include "runstate/WindowServices.h"
#include "values/FunzioniAusiliarie.h"

namespace qx {

namespace {

TAffineVector Ruota(const TAffineVector& v, const TAffineVector& centro, char asse, float gradi) {
  return RuotaVettore3D(v, centro, asse, GradiInRadianti(gradi));
}

}  // namespace

cValoreParall3D::cValoreParall3D(TipiValore tipo, cValoreGraf3D* padre, Reale profondita, Reale altezza,
                                 Reale larghezza, bool aperto)
    : cValoreGraf3D(tipo == T_CUBO3D ? T_CUBO3D : T_PARALL3D, padre, tipo == T_CUBO3D ? "Cubo" : "Parallelepipedo"),
      Larghezza(larghezza), Altezza(altezza), Profondita(profondita) {
  auto* h = Contenitore()->AddNewChild<TGLCube>();
  h->SetCubeWidth(float(larghezza));
  h->SetCubeHeight(float(altezza));
  h->SetCubeDepth(float(profondita));
  const float w = float(larghezza) / 2, a = float(altezza) / 2, d = float(profondita) / 2;
  const TAffineVector P[8] = {{w, a, d},  {-w, a, d},  {-w, -a, d},  {w, -a, d},
                              {w, a, -d}, {-w, a, -d}, {-w, -a, -d}, {w, -a, -d}};
  const int facce[6][4] = {{1, 2, 3, 0}, {5, 4, 0, 1}, {4, 7, 3, 0}, {7, 6, 2, 3}, {6, 5, 1, 2}, {4, 5, 6, 7}};
  for (const auto& f : facce) {
    TGLPolygon* p = NuovaFaccia(*h, Brush.Color);
    p->SetVisible(false);
    ImpostaNodi(*p, {P[f[0]], P[f[1]], P[f[2]], P[f[3]]});
  }
  h->Position().SetAsVector({0, 0, d, 1});
  h->SetVisible(false);
  ImpostaPrincipale(h);
  MostraFacce(true);
  AggiornaSpigoli();
  AggiornaColore();
  if (aperto) Apri(false);
}

TGLPolygon* cValoreParall3D::Faccia(int i) const { return FacciaDi(Principale(), i); }

void cValoreParall3D::MostraFacce(bool mostra) {
  TGLCube* h = Contenitore3D();
  if (!h) return;
  for (int i = 1; i <= 6; ++i)
    if (TGLPolygon* f = Faccia(i)) f->SetVisible(mostra);
  h->SetCubeWidth(mostra ? 0 : float(Larghezza));
  h->SetCubeHeight(mostra ? 0 : float(Altezza));
  h->SetCubeDepth(mostra ? 0 : float(Profondita));
}

void cValoreParall3D::PassoApertura(float s) {
  TGLPolygon* f[7] = {nullptr};
  for (int i = 1; i <= 6; ++i) f[i] = Faccia(i);
  if (!f[1] || !f[2] || !f[3] || !f[4] || !f[5]) return;
  auto giro = [](TGLPolygon& p, char asse, float gradi) {
    std::vector<TAffineVector> n = NodiNelPadre(p);
    if (n.empty()) return;
    const TAffineVector centro = n[0];
    for (auto& v : n) v = Ruota(v, centro, asse, gradi);
    p.Position().SetAsVector({0, 0, 0, 1});
    ImpostaNodi(p, n);
  };
  giro(*f[2], 'X', -s);
  giro(*f[3], 'Y', -s);
  giro(*f[4], 'X', s);
  giro(*f[5], 'Y', s);
  // The lid follows the side it hangs from, opening on its own hinge as well.
  std::vector<TAffineVector> coperchio = NodiNelPadre(*f[1]);
  const std::vector<TAffineVector> lato = NodiNelPadre(*f[5]);
  if (coperchio.size() == 4 && lato.size() == 4) {
    const TAffineVector t = VectorSubtract(lato[2], coperchio[0]);
    for (auto& v : coperchio) v = VectorAdd(v, t);
    const TAffineVector centro = coperchio[0];
    for (auto& v : coperchio) v = Ruota(v, centro, 'Y', 2 * s);
    f[1]->Position().SetAsVector({0, 0, 0, 1});
    ImpostaNodi(*f[1], coperchio);
  }
  AggiornaSpigoli();
}

void cValoreParall3D::Apri(bool animato) {
  if (Aperto) return;
  MostraFacce(true);
  const int passi = animato ? 18 : 1;
  const float angolo = animato ? 5.0f : 90.0f;
  for (int i = 0; i < passi; ++i) {
    PassoApertura(angolo);
    if (animato) Attendi(200);
  }
  Aperto = true;
}

void cValoreParall3D::AggiornaSpigoli() {
  TGLCustomSceneObject* h = Principale();
  if (!h) return;
  TogliSpigoli(*h);
  for (int i = 1; i <= 6; ++i)
    if (TGLPolygon* f = Faccia(i)) DisegnaSpigoli(*f, TAG_SPIGOLO, Pen.Color);
}

void cValoreParall3D::Descrizione(int, std::string& Testo) const {
  Testo = std::string(Tipo == T_CUBO3D ? "Cubo" : "Parallelepipedo");
  if (!Nome.empty() && !IsAnonimo()) Testo += ": " + Nome;
}

void cValoreParall3D::Copia(cValoreGraf& Dest) const {
  cValoreGraf3D::Copia(Dest);
  auto* d = dynamic_cast<cValoreParall3D*>(&Dest);
  if (!d) return;
  d->Larghezza = Larghezza;
  d->Altezza = Altezza;
  d->Profondita = Profondita;
  if (Aperto) d->Apri(false);
}

std::unique_ptr<cValoreGraf3D> cValoreParall3D::NuovoSimile() const {
  return std::make_unique<cValoreParall3D>(Tipo, Padre(), Profondita, Altezza, Larghezza, false);
}

}  // namespace qx
