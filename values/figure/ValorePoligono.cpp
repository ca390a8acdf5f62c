#include "values/figure/ValorePoligono.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "runstate/DatiGlob.h"
#include "platform/Canvas.h"
#include "values/FunzioniAusiliarie.h"
#include "values/RifCart.h"
#include "values/figure/StiliGrafici.h"

namespace qx {

cValorePoligono::cValorePoligono(TipiPoligono tipoPol) : TipoPol(tipoPol) {
  Tipo = T_POLIGONO;
  NomeTipo = NomeTipoPoligono(tipoPol);
}

void cValorePoligono::Descrizione(int, std::string& Testo) const {
  Testo = bChiuso ? NomeTipo : "Polyline";
  if (!Nome.empty() && !IsAnonimo()) Testo += ": " + Nome;
}

void cValorePoligono::Disegna(TCanvas& c) {
  const cRifCart* f = DatiGlob.RifCart;
  if (!f) return;
  const bool scelta = DatiGlob.bAttesaScegliLato || DatiGlob.bAttesaScegliVertice;
  c.Pen = Pen;
  c.Brush = Brush;
  c.Font = Font;
  if (!scelta) ApplicaSelezione(c, *this);
  std::vector<TPoint> pixel;
  pixel.reserve(static_cast<std::size_t>(Punti.Count()));
  for (const TCollItemsPunti& p : Punti) pixel.push_back(f->CartInPixel({p.x, p.y}));
  if (bChiuso) {
    if (!pixel.empty()) c.Polygon(pixel);
  } else {
    for (std::size_t i = 0; i < pixel.size(); ++i) {
      const TPoint& prec = pixel[i == 0 ? 0 : i - 1];
      c.MoveTo(prec.x, prec.y);
      c.LineTo(pixel[i].x, pixel[i].y);
    }
  }
  if (DatiGlob.bAttesaScegliLato && bSelezionato && bLatoTrovato) {
    StileSelezione(c);
    const TPoint a = f->CartInPixel(EstremoLato1), b = f->CartInPixel(EstremoLato2);
    c.MoveTo(a.x, a.y);
    c.LineTo(b.x, b.y);
  }
  if (DatiGlob.bAttesaScegliVertice && bSelezionato && bVerticeTrovato) {
    StileSelezione(c);
    const TPoint v = f->CartInPixel(VerticeTrovato);
    c.Ellipse(v.x - 4, v.y - 4, v.x + 4, v.y + 4);
  }
}

bool cValorePoligono::Colpito(const TPoint& P) const {
  bLatoTrovato = false;
  bVerticeTrovato = false;
  const cRifCart* f = DatiGlob.RifCart;
  const int n = Punti.Count();
  if (n == 0 || !f) return false;
  const bool pieno = Brush.Style == bsSolid;
  bool dentro = false, colpito = false;
  for (int i = 0; i < n; ++i) {
    const TCollItemsPunti& a = Punti.Elemento(i == 0 ? n - 1 : i - 1);
    const TCollItemsPunti& b = Punti.Elemento(i);
    const TPoint pp = f->CartInPixel({a.x, a.y}), pc = f->CartInPixel({b.x, b.y});
    if (PuntoSuSegmentoPixel(P, pp, pc)) {
      EstremoLato1 = {a.x, a.y};
      EstremoLato2 = {b.x, b.y};
      bLatoTrovato = true;
      colpito = true;
      break;
    }
    if (pieno && ((pc.y <= P.y && P.y < pp.y) || (pp.y <= P.y && P.y < pc.y))) {
      const Reale xIncrocio = Reale(pc.x) + Reale(pp.x - pc.x) * Reale(P.y - pc.y) / Reale(pp.y - pc.y);
      if (P.x < xIncrocio) dentro = !dentro;
    }
  }
  if (DatiGlob.bAttesaScegliVertice) {
    for (const TCollItemsPunti& v : Punti) {
      const TPoint pv = f->CartInPixel({v.x, v.y});
      if (std::abs(pv.x - P.x) < 3 && std::abs(pv.y - P.y) < 3) {
        VerticeTrovato = {v.x, v.y};
        bVerticeTrovato = true;
        break;
      }
    }
  }
  return colpito || (pieno && dentro);
}

std::unique_ptr<cValoreRetta> cValorePoligono::LatoColpito(const TPoint& P) const {
  if (!Colpito(P) || !bLatoTrovato) return nullptr;
  auto lato = std::make_unique<cValoreRetta>(T_SEGMENTO);
  lato->x1 = EstremoLato1.x;
  lato->y1 = EstremoLato1.y;
  lato->x2 = EstremoLato2.x;
  lato->y2 = EstremoLato2.y;
  lato->bCoordCartesiane = true;
  return lato;
}

std::unique_ptr<cValorePunto> cValorePoligono::VerticeColpito(const TPoint& P) const {
  if (!Colpito(P) || !bVerticeTrovato) return nullptr;
  auto vertice = std::make_unique<cValorePunto>();
  vertice->xCart = VerticeTrovato.x;
  vertice->yCart = VerticeTrovato.y;
  vertice->bCoordCartesiane = true;
  return vertice;
}

void cValorePoligono::RibaltaOrizzontale() {
  if (Punti.Count() == 0) return;
  Reale massimo = Punti.Elemento(0).x;
  for (const TCollItemsPunti& p : Punti) massimo = std::max(massimo, p.x);
  for (TCollItemsPunti& p : Punti) p.x += 2 * (massimo - p.x);
}

void cValorePoligono::RibaltaVerticale() {
  if (Punti.Count() == 0) return;
  Reale massimo = Punti.Elemento(0).y;
  for (const TCollItemsPunti& p : Punti) massimo = std::max(massimo, p.y);
  for (TCollItemsPunti& p : Punti) p.y += 2 * (massimo - p.y);
}

bool cValorePoligono::Baricentro(TPuntoMondo& G) const {
  const int n = Punti.Count();
  if (n < 3) return false;
  Reale A = 0, gx = 0, gy = 0;
  for (int i = 0; i < n; ++i) {
    const TCollItemsPunti& pi = Punti.Elemento(i);
    const TCollItemsPunti& pj = Punti.Elemento(i == 0 ? n - 1 : i - 1);
    const Reale c = pj.x * pi.y - pi.x * pj.y;
    A += c;
    gx += (pi.x + pj.x) * c;
    gy += (pi.y + pj.y) * c;
  }
  if (A != 0) {
    gx /= 3 * A;
    gy /= 3 * A;
  }
  G = {gx, gy};
  return true;
}

Reale cValorePoligono::Area() const {
  const int n = Punti.Count();
  if (n < 3) return 0;
  Reale s = 0;
  for (int i = 0; i < n; ++i) {
    const TCollItemsPunti& a = Punti.Elemento(i);
    const TCollItemsPunti& b = Punti.Elemento((i + 1) % n);
    s += a.x * b.y - b.x * a.y;
  }
  return s / 2;
}

void cValorePoligono::OrdinaVertici() {
  std::vector<TPuntoMondo> v;
  for (const TCollItemsPunti& p : Punti) v.push_back({p.x, p.y});
  OrdinaPuntiPerAngolo(v, static_cast<int>(v.size()) - 1);
  Punti.Clear();
  for (const TPuntoMondo& p : v) Punti.Aggiungi(p.x, p.y);
}

void cValorePoligono::Sposta(Reale dx, Reale dy) {
  for (TCollItemsPunti& p : Punti) {
    p.x += dx;
    p.y += dy;
  }
}

void cValorePoligono::Copia(cValoreGraf& Dest) const {
  cValoreGraf::Copia(Dest);
  auto& d = static_cast<cValorePoligono&>(Dest);
  d.bCoordCartesiane = bCoordCartesiane;
  d.Punti = Punti;
  d.bChiuso = bChiuso;
  d.TipoPol = TipoPol;
  d.Lato = Lato;
  d.NomeTipo = NomeTipo;
  d.bLatoTrovato = bLatoTrovato;
  d.EstremoLato1 = EstremoLato1;
  d.EstremoLato2 = EstremoLato2;
  d.bVerticeTrovato = bVerticeTrovato;
  d.VerticeTrovato = VerticeTrovato;
}

std::unique_ptr<cValore> cValorePoligono::Clona() const {
  auto p = std::make_unique<cValorePoligono>(TipoPol);
  Copia(*p);
  return p;
}

}  // namespace qx
