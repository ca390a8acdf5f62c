#include "solid/Piano3D.h"

#include <algorithm>
#include <cmath>

#include "scene/OpenGL1x.h"
#include "solid/ScenaSpazio.h"

namespace qx {

namespace {

// Tiles per side of a face: at most one unit each, and never more than this many.
constexpr int MAX_TASSELLI = 200;

int Tasselli(float lato) { return std::clamp(int(std::ceil(std::fabs(lato))), 1, MAX_TASSELLI); }

}  // namespace

void TGLLastraPiano::EmitGeometry(TRenderContextInfo&) {
  const float w = CubeWidth() / 2, h = CubeHeight() / 2, d = CubeDepth() / 2;
  const float s = NormalDirection() == TNormalDirection::ndOutside ? 1.0f : -1.0f;
  const int nx = Tasselli(CubeWidth()), ny = Tasselli(CubeHeight());
  // The front (z = d) and the back (z = -d) as rows of tiles, each wound to face outwards.
  glBegin(GL_QUADS);
  for (const float lato : {1.0f, -1.0f}) {
    if (!(Parts() & (lato > 0 ? cpFront : cpBack))) continue;
    glNormal3f(0, 0, s * lato);
    for (int i = 0; i < nx; ++i) {
      const float x0 = -w + 2 * w * float(i) / float(nx), x1 = -w + 2 * w * float(i + 1) / float(nx);
      for (int j = 0; j < ny; ++j) {
        const float y0 = -h + 2 * h * float(j) / float(ny), y1 = -h + 2 * h * float(j + 1) / float(ny);
        const float xa = lato > 0 ? x0 : x1, xb = lato > 0 ? x1 : x0;
        glVertex3f(xa, y0, d * lato);
        glVertex3f(xb, y0, d * lato);
        glVertex3f(xb, y1, d * lato);
        glVertex3f(xa, y1, d * lato);
      }
    }
  }
  glEnd();
  // The thin sides as the box draws them.
  EmitFaces(std::uint8_t(Parts() & ~(cpFront | cpBack)));
}

cValorePiano3D::cValorePiano3D(Reale larghezza, Reale altezza)
    : cValoreGraf3D(T_PIANO3D, nullptr, "Piano"), Altezza(altezza), Larghezza(larghezza) {
  auto* c = Contenitore()->AddNewChild<TGLLastraPiano>();
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
