#include "values/figure/ValoreRetta.h"

#include <cmath>

#include "runstate/DatiGlob.h"
#include "platform/Canvas.h"
#include "values/Blocchi.h"
#include "values/FunzioniAusiliarie.h"
#include "values/GeometriaAnalitica.h"
#include "values/RifCart.h"
#include "values/figure/StiliGrafici.h"

namespace qx {

namespace {
// Unit marks closer than a pixel cannot be told apart; past this many on one side the
// rest would land on pixels already marked.
constexpr int kMassimoTacche = 10000;
}  // namespace

const char* NomeRetta(TipiValore tipo) {
  switch (tipo) {
    case T_SEGMENTO: return "Segmento";
    case T_SEGMENTO_OR: return "Segmento orientato";
    case T_SEMIRETTA: return "Semiretta";
    case T_RETTANUM: return "Retta numerica";
    case T_RETTA_OR: return "Retta orientata";
    default: return "Retta";
  }
}

cValoreRetta::cValoreRetta(TipiValore tipo) {
  Tipo = tipo;
  NomeTipo = NomeTipoDi(tipo);
  for (Reale* r : {&x1, &y1, &x2, &y2, &_xCentro, &_UnitMis}) AzzeraReale(*r);
}

void cValoreRetta::CalcolaEstremiPixel(bool Ritaglia) const {
  const cRifCart* f = DatiGlob.RifCart;
  if (!f) return;
  const TPuntoMondo A{x1, y1}, B{x2, y2};
  if (Tipo == T_SEGMENTO || Tipo == T_SEGMENTO_OR) {
    P1 = f->CartInPixel(A);
    P2 = f->CartInPixel(B);
    return;
  }
  TRect r{-5000, -5000, 5000, 5000};
  if (Ritaglia && f->Canvas) r = f->Canvas->ClipRect();
  TPuntoMondo E1, E2;
  RettaNelRiquadro(A, B, E1, E2, FinestraDiPixel(r));
  if (Tipo == T_SEMIRETTA) {
    P1 = f->CartInPixel(A);
    P2 = f->CartInPixel(Distanza(E1, A) <= Distanza(E1, B) ? E2 : E1);
    return;
  }
  P1 = f->CartInPixel(E1);
  P2 = f->CartInPixel(E2);
}

void cValoreRetta::Descrizione(int, std::string& Testo) const {
  Testo = NomeRetta(Tipo);
  if (!Nome.empty() && !IsAnonimo()) Testo += ": " + Nome;
  if (Tipo == T_SEGMENTO || Tipo == T_SEGMENTO_OR) Testo += " - misura: " + NumeroInTestoDec(Distanza(x1, y1, x2, y2), 2);
}

void cValoreRetta::DisegnaTacca(TCanvas& c, int colonna, int riga, const char* testo) {
  c.MoveTo(colonna, riga - 3);
  c.LineTo(colonna, riga + 3);
  if (testo) c.TextOut(colonna + 2, riga + 2, testo);
}

void cValoreRetta::Disegna(TCanvas& c) {
  const cRifCart* f = DatiGlob.RifCart;
  if (!f) return;
  ApplicaStili(c, *this);
  CalcolaEstremiPixel(false);
  c.MoveTo(P1.x, P1.y);
  c.LineTo(P2.x, P2.y);
  const TRect clip = c.ClipRect();

  if (Tipo == T_SEGMENTO_OR) {
    const TPoint M = PuntoADistanzaPixel(10, P2, P1);
    TPoint D1, D2;
    RettaParallelaPerpendicolarePixel(clip, P1, P2, 2, M, D1, D2);
    const TPoint C1 = PuntoADistanzaPixel(10, M, D1), C2 = PuntoADistanzaPixel(10, M, D2);
    c.MoveTo(P2.x, P2.y);
    c.LineTo(C1.x, C1.y);
    c.MoveTo(P2.x, P2.y);
    c.LineTo(C2.x, C2.y);
    c.MoveTo(C2.x, C2.y);
    c.LineTo(C1.x, C1.y);
  }
  if (Tipo == T_RETTANUM || Tipo == T_RETTA_OR) {
    const int Rr = clip.Right, y = P1.y;
    c.MoveTo(Rr - 10, y - 10);
    c.LineTo(Rr - 10, y + 10);
    c.MoveTo(Rr, y);
    c.LineTo(Rr - 10, y - 10);
    c.MoveTo(Rr, y);
    c.LineTo(Rr - 10, y + 10);
  }
  if (Tipo != T_RETTANUM) return;

  const int y = P1.y;
  c.Brush.Style = bsClear;
  const int origine = f->XPixel(_xCentro);
  DisegnaTacca(c, origine, y, "O");
  if (_UnitMis == 0) return;
  DisegnaTacca(c, f->XPixel(_xCentro + _UnitMis), y, "U");
  c.Brush.Style = bsSolid;
  const Reale u = std::fabs(_UnitMis);
  int precedente = origine;
  for (int k = 1; k <= kMassimoTacche && precedente >= P1.x; ++k) {
    precedente = f->XPixel(_xCentro - k * u);
    DisegnaTacca(c, precedente, y, nullptr);
  }
  precedente = f->XPixel(_xCentro + u);
  for (int k = 2; k <= kMassimoTacche && precedente <= P2.x; ++k) {
    precedente = f->XPixel(_xCentro + k * u);
    DisegnaTacca(c, precedente, y, nullptr);
  }
}

bool cValoreRetta::Colpito(const TPoint& P) const {
  if (!DatiGlob.RifCart) return false;
  CalcolaEstremiPixel(false);
  return PuntoSuSegmentoPixel(P, P1, P2);
}

void cValoreRetta::Sposta(Reale dx, Reale dy) {
  x1 += dx;
  y1 += dy;
  x2 += dx;
  y2 += dy;
}

void cValoreRetta::Copia(cValoreGraf& Dest) const {
  cValoreGraf::Copia(Dest);
  auto& d = static_cast<cValoreRetta&>(Dest);
  d.P1 = P1;
  d.P2 = P2;
  CopiaReale(d._UnitMis, _UnitMis);
  CopiaReale(d._xCentro, _xCentro);
  CopiaReale(d.x1, x1);
  CopiaReale(d.y1, y1);
  CopiaReale(d.x2, x2);
  CopiaReale(d.y2, y2);
  d.bCoordCartesiane = bCoordCartesiane;
}

void* cValoreRetta::operator new(std::size_t n) { return Blocchi<sizeof(cValoreRetta)>::Prendi(n); }
void cValoreRetta::operator delete(void* p, std::size_t n) noexcept {
  Blocchi<sizeof(cValoreRetta)>::Rendi(p, n);
}

std::unique_ptr<cValore> cValoreRetta::Clona() const {
  auto r = std::make_unique<cValoreRetta>(Tipo);
  Copia(*r);
  return r;
}

}  // namespace qx
