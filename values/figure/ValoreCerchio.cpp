#include "values/figure/ValoreCerchio.h"

#include <cmath>

#include "runstate/DatiGlob.h"
#include "platform/Canvas.h"
#include "values/Blocchi.h"
#include "values/FunzioniAusiliarie.h"
#include "values/GeometriaAnalitica.h"
#include "values/RifCart.h"
#include "values/figure/StiliGrafici.h"

namespace qx {

cValoreCerchio::cValoreCerchio() {
  Tipo = T_CERCHIO;
  NomeTipo = NomeTipoDi(T_CERCHIO);
  for (Reale* v : {&x, &y, &r}) AzzeraReale(*v);
}

void cValoreCerchio::Descrizione(int, std::string& Testo) const {
  Testo = IntestazioneDescrizione() + " - centro:(" + NumeroInTestoDec(x, 2) + ", " + NumeroInTestoDec(y, 2) +
          ")  raggio: " + NumeroInTestoDec(r, 2);
}

void cValoreCerchio::Disegna(TCanvas& c) {
  ApplicaStili(c, *this);
  if (bCoordCartesiane && DatiGlob.RifCart) {
    const cRifCart& f = *DatiGlob.RifCart;
    CentroPixel = {f.XPixel(x), f.YPixel(y)};
    RaggioPixel = f.XPixel(x + r) - f.XPixel(x);
  }
  const int cx = CentroPixel.x, cy = CentroPixel.y, rp = RaggioPixel;
  c.Ellipse(cx - rp, cy - rp, cx + rp + 1, cy + rp + 1);
}

bool cValoreCerchio::Colpito(const TPoint& P) const {
  const int cx = CentroPixel.x, cy = CentroPixel.y, rp = RaggioPixel;
  // The outline reaches cx + rp and cy + rp as it reaches cx - rp and cy - rp: the box,
  // grown by the tolerance, takes in every side alike.
  constexpr int kTolleranza = 3;
  const int b = rp + kTolleranza;
  if (!PuntoInRettangolo({cx - b, cy - b, cx + b + 1, cy + b + 1}, P)) return false;
  const Reale d = DistanzaPixel(CentroPixel, P);
  if (Brush.Style == bsSolid) return d <= rp;
  return std::fabs(d - rp) < kTolleranza;
}

void cValoreCerchio::Sposta(Reale dx, Reale dy) {
  x += dx;
  y += dy;
}

void cValoreCerchio::Copia(cValoreGraf& Dest) const {
  cValoreGraf::Copia(Dest);
  auto& d = static_cast<cValoreCerchio&>(Dest);
  d.CentroPixel = CentroPixel;
  d.RaggioPixel = RaggioPixel;
  d.bCoordCartesiane = bCoordCartesiane;
  CopiaReale(d.x, x);
  CopiaReale(d.y, y);
  CopiaReale(d.r, r);
}

void* cValoreCerchio::operator new(std::size_t n) { return Blocchi<sizeof(cValoreCerchio)>::Prendi(n); }
void cValoreCerchio::operator delete(void* p, std::size_t n) noexcept {
  Blocchi<sizeof(cValoreCerchio)>::Rendi(p, n);
}

std::unique_ptr<cValore> cValoreCerchio::Clona() const {
  auto k = std::make_unique<cValoreCerchio>();
  Copia(*k);
  return k;
}

}  // namespace qx
