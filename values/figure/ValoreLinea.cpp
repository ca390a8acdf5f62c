#include "values/figure/ValoreLinea.h"

#include "runstate/DatiGlob.h"
#include "platform/Canvas.h"
#include "values/FunzioniAusiliarie.h"
#include "values/RifCart.h"
#include "values/figure/StiliGrafici.h"

namespace qx {

namespace {
bool PennaSu(const TCollItemsPunti& p) { return p.x == PENNA_SU; }
}  // namespace

cValoreLinea::cValoreLinea() {
  Tipo = T_LINEA;
  NomeTipo = NomeTipoDi(T_LINEA);
}

void cValoreLinea::Descrizione(int, std::string& Testo) const {
  Testo = _bScrittura ? "Scrittura" : "Linea";
  if (!Nome.empty() && !IsAnonimo()) Testo += ": " + Nome;
}

void cValoreLinea::Disegna(TCanvas& c) {
  const cRifCart* f = DatiGlob.RifCart;
  if (!f || Punti.Count() == 0) return;
  ApplicaStili(c, *this);
  const TCollItemsPunti& primo = Punti.Elemento(0);
  c.MoveTo(f->XPixel(primo.x), f->YPixel(primo.y));
  bool alzata = false;
  for (const TCollItemsPunti& p : Punti) {
    if (PennaSu(p)) {
      alzata = true;
    } else if (alzata) {
      c.MoveTo(f->XPixel(p.x), f->YPixel(p.y));
      alzata = false;
    } else {
      c.LineTo(f->XPixel(p.x), f->YPixel(p.y));
    }
  }
}

bool cValoreLinea::Colpito(const TPoint& P) const {
  const cRifCart* f = DatiGlob.RifCart;
  if (!f) return false;
  for (int i = 1; i < Punti.Count(); ++i) {
    const TCollItemsPunti& a = Punti.Elemento(i - 1);
    const TCollItemsPunti& b = Punti.Elemento(i);
    // The gap at a lifted pen is not drawn, so it cannot be hit.
    if (PennaSu(a) || PennaSu(b)) continue;
    if (PuntoSuSegmentoPixel(P, {f->XPixel(a.x), f->YPixel(a.y)}, {f->XPixel(b.x), f->YPixel(b.y)})) return true;
  }
  return false;
}

void cValoreLinea::Sposta(Reale dx, Reale dy) {
  for (TCollItemsPunti& p : Punti) {
    if (PennaSu(p)) continue;
    p.x += dx;
    p.y += dy;
  }
}

void cValoreLinea::Copia(cValoreGraf& Dest) const {
  cValoreGraf::Copia(Dest);
  auto& d = static_cast<cValoreLinea&>(Dest);
  d.bCoordCartesiane = bCoordCartesiane;
  d.Punti = Punti;
  d._bScrittura = _bScrittura;
}

std::unique_ptr<cValore> cValoreLinea::Clona() const {
  auto l = std::make_unique<cValoreLinea>();
  Copia(*l);
  return l;
}

}  // namespace qx
