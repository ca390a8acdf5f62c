#include "interpreter/LatoMouse.h"

#include <cmath>
#include <memory>

#include "runstate/DatiGlob.h"
#include "runstate/WindowServices.h"
#include "values/Collezioni.h"
#include "values/GeometriaAnalitica.h"
#include "values/RifCart.h"
#include "values/Variabili.h"
#include "values/figure/ListaValGraf.h"
#include "values/figure/ValoreCerchio.h"
#include "values/figure/ValoreImmagine.h"
#include "values/figure/ValorePoligono.h"
#include "values/figure/ValorePunto.h"
#include "values/figure/ValoreRetta.h"
#include "values/figure/ValoreTesto.h"

namespace qx {

namespace {

// The side and the vertex that the last pick delivered; the run state refers to them.
std::unique_ptr<cValoreRetta> gLatoScelto;
std::unique_ptr<cValorePunto> gVerticeScelto;

// The last press, snapped as it was: the point-on-object pick places its point where the
// button went down, whatever the hand did before letting it go.
struct Pressione {
  bool valida = false;
  TPoint pixel;
  TPuntoMondo punto;
};
Pressione gPressione;

bool Tra(int t, int a, int b) { return t >= a && t <= b; }

// Kinds that the canvas offers to the mouse: plane figures and charts.
bool Selezionabile(TipiValore t) { return Tra(t, 16, 25) || Tra(t, 30, 33) || Tra(t, 37, 39); }

bool IsLineare(TipiValore t) { return t == T_RETTA || t == T_SEGMENTO || t == T_SEMIRETTA || t == T_RETTANUM; }

void DueBeep() {
  Finestra().BeepTono(500, 100);
  Finestra().BeepTono(600, 100);
}

void Scelto(cValoreGraf& v) {
  PressioneUsata();
  v.bEvidenziato = true;
  if (DatiGlob.ListaValGraf) DatiGlob.ListaValGraf->Aggiungi(&v);
  DueBeep();
  Finestra().DisegnaRifCart();
}

// The point of a line-like value or a circle nearest to the mouse, as the point-on-object
// pick places it; false when the mouse is not on the object.
bool PuntoSuOggetto(const cValore& oggetto, const TPoint& pixel, const TPuntoMondo& mouse, TPuntoMondo& punto) {
  const auto* g = dynamic_cast<const cValoreGraf*>(&oggetto);
  if (!g || !g->Colpito(pixel)) return false;
  if (const auto* c = dynamic_cast<const cValoreCerchio*>(&oggetto)) {
    punto = PuntoADistanza(c->r, {c->x, c->y}, mouse);
    return std::isfinite(punto.x) && std::isfinite(punto.y);
  }
  const auto* r = dynamic_cast<const cValoreRetta*>(&oggetto);
  if (!r) return false;
  if (r->x1 == r->x2) {
    punto = {r->x1, mouse.y};
  } else if (r->y1 == r->y2) {
    punto = {mouse.x, r->y1};
  } else {
    const TPuntoMondo a{r->x1, r->y1}, b{r->x2, r->y2};
    const TPuntoMondo suX{mouse.x, YSuRetta(mouse.x, a, b)}, suY{XSuRetta(mouse.y, a, b), mouse.y};
    punto = std::fabs(suX.y - mouse.y) <= std::fabs(suY.x - mouse.x) ? suX : suY;
  }
  return true;
}

void SpostaInAttesa(cValore* v, const TPuntoMondo& p) {
  if (auto* t = dynamic_cast<cValoreTesto*>(v)) {
    t->x = p.x;
    t->y = p.y;
  } else if (auto* i = dynamic_cast<cValoreImmagine*>(v)) {
    const Reale dx = p.x - i->x, dy = p.y - i->y;
    i->Sposta(dx, dy);
  }
}

}  // namespace

TPuntoMondo PuntoDelMouse(TPoint& pixel, bool esatto) {
  const cRifCart* r = DatiGlob.RifCart;
  if (!r) return {static_cast<Reale>(pixel.x), static_cast<Reale>(pixel.y)};
  TPuntoMondo p = r->PixelInCart(pixel);
  if (!esatto) {
    p.x = ArrotondaDecimali(p.x, 1);
    p.y = ArrotondaDecimali(p.y, 1);
    pixel = r->CartInPixel(p);
  }
  return p;
}

bool PrendibileSulPiano(const cValore* v) {
  const auto* g = dynamic_cast<const cValoreGraf*>(v);
  return g && g->bVisibile && Selezionabile(g->Tipo);
}

cValoreGraf* ValoreSottoIlMouse(const TPoint& pixel) {
  const TDatiGlob& g = DatiGlob;
  if (!g.ListaVariabili) return nullptr;
  for (int i = 1; i <= g.ListaVariabili->Count(); ++i) {
    auto* v = dynamic_cast<cValoreGraf*>(g.ListaVariabili->Elemento(i)->GetValore());
    if (!PrendibileSulPiano(v)) continue;
    if ((g.bAttesaScegliLato || g.bAttesaScegliVertice) && v->Tipo != T_POLIGONO) continue;
    if (g.bAttesaScegliPunto && v->Tipo != T_PUNTO) continue;
    if (g.bAttesaScegliSegmento && v->Tipo != T_SEGMENTO) continue;
    if (v->Colpito(pixel)) return v;
  }
  return nullptr;
}

void MousePremuto(TPoint pixel, bool esatto) {
  TDatiGlob& g = DatiGlob;
  if (!g.RifCart) return;
  const TPuntoMondo p = PuntoDelMouse(pixel, esatto);
  g.PuntoCliccato = p;
  gPressione = {true, pixel, p};
  PressioneMouse();
  cValoreGraf* v = ValoreSottoIlMouse(pixel);
  if (v) {
    g.OggettoScelto = v;
    g.bMouseCatturato = true;
    if ((g.bAttesaScegliPunto && v->Tipo == T_PUNTO) || (g.bAttesaScegliSegmento && v->Tipo == T_SEGMENTO) ||
        g.bAttesaScegliOggetto) {
      g.bAttesaScegliPunto = g.bAttesaScegliSegmento = g.bAttesaScegliOggetto = false;
      Scelto(*v);
      return;
    }
    if (g.bAttesaClicca) {
      PressioneUsata();
      v->bEvidenziato = true;
      g.bAttesaClicca = false;
      Finestra().DisegnaRifCart();
      v->bEvidenziato = false;
      return;
    }
    if (auto* pol = dynamic_cast<cValorePoligono*>(v)) {
      if (g.bAttesaScegliLato && (gLatoScelto = pol->LatoColpito(pixel))) {
        g.LatoScelto = gLatoScelto.get();
        g.bAttesaScegliLato = false;
        Scelto(*pol);
        return;
      }
      if (g.bAttesaScegliVertice && (gVerticeScelto = pol->VerticeColpito(pixel))) {
        g.VerticeScelto = gVerticeScelto.get();
        g.bAttesaScegliVertice = false;
        Scelto(*pol);
        return;
      }
    }
  }
  if (g.bAttesaDiagramma) {
    g.bMouseCatturato = true;
    g.PixelCliccato = pixel;
  } else if (g.bAttesaFigura) {
    if (auto* f = dynamic_cast<cValoreGraf*>(g.FiguraInAttesa)) f->Sposta(p.x, p.y);
    g.bAttesaFigura = false;
    PressioneUsata();
  } else if (g.bAttesaTesto || g.bAttesaImmagine) {
    SpostaInAttesa(g.bAttesaTesto ? g.TestoInAttesa : g.ImmagineInAttesa, p);
  } else if ((g.bAttesaLinea || g.bModoPenna) && g.LineaInCorso) {
    TPuntoMondo inizio = p;
    const auto* a = dynamic_cast<const cValorePunto*>(g.PuntoInizioLinea);
    const auto* b = dynamic_cast<const cValorePunto*>(g.PuntoFineLinea);
    if (a && b && g.LineaInCorso->Count() == 0) {
      // The stroke starts at the nearer end point (the second on a tie).
      inizio = DistanzaPixel(pixel, a->Pixel) < DistanzaPixel(pixel, b->Pixel) ? a->Punto() : b->Punto();
    }
    g.bMouseCatturato = true;
    g.LineaInCorso->Aggiungi(inizio.x, inizio.y);
  } else if (g.bAttesaSegmento) {
    if (const auto* o = dynamic_cast<const cValorePunto*>(g.PuntoInizioSegmento)) {
      const TPuntoMondo fine = UgualeReale(Distanza(o->Punto(), p), g.LunghezzaSegmento)
                                   ? p
                                   : PuntoADistanza(g.LunghezzaSegmento, o->Punto(), p);
      g.PuntoCliccato = fine;
      g.PixelCliccato = g.RifCart->CartInPixel(fine);
    }
  }
}

void MouseMosso(TPoint pixel, bool esatto) {
  TDatiGlob& g = DatiGlob;
  if (!g.RifCart) return;
  const TPuntoMondo p = PuntoDelMouse(pixel, esatto);
  if (TrattoInCorso() && (g.bAttesaLinea || g.bModoPenna) && g.LineaInCorso) {
    g.LineaInCorso->Aggiungi(p.x, p.y);
  } else if (g.bAttesaTesto || g.bAttesaImmagine) {
    SpostaInAttesa(g.bAttesaTesto ? g.TestoInAttesa : g.ImmagineInAttesa, p);
  } else if (g.bAttesaSegmento) {
    if (const auto* o = dynamic_cast<const cValorePunto*>(g.PuntoInizioSegmento)) {
      const TPuntoMondo fine = PuntoADistanza(g.LunghezzaSegmento, o->Punto(), p);
      g.PuntoCliccato = fine;
      g.PixelCliccato = g.RifCart->CartInPixel(fine);
    }
  }
}

bool TrattoInCorso() { return DatiGlob.bMouseCatturato && PressioneDellAttesa(); }

bool MouseRilasciato(TPoint pixel, bool) {
  TDatiGlob& g = DatiGlob;
  if (!g.RifCart) return false;
  // The release always lands on the nearest tenth, Shift or not.
  PuntoDelMouse(pixel, false);
  const Pressione premuto = gPressione;
  gPressione.valida = false;
  g.bMouseCatturato = false;
  // Only a press made in this very wait is finished by its release: not one that picked a
  // value, nor one made before the wait was raised (the program went on while the button
  // was down), nor none at all (the press went to another control).
  if (!RilascioRisponde() || !premuto.valida) return false;
  if (g.bAttesaPuntoSu) {
    const cValore* riferimento = g.OggettoPuntoSu ? g.OggettoPuntoSu : g.CerchioPuntoSu;
    bool sceltoOra = false;
    if (!riferimento) {
      // Any line-like value or circle under the press.
      for (int i = 1; g.ListaVariabili && i <= g.ListaVariabili->Count(); ++i) {
        auto* v = dynamic_cast<cValoreGraf*>(g.ListaVariabili->Elemento(i)->GetValore());
        if (v && (IsLineare(v->Tipo) || v->Tipo == T_CERCHIO) && v->Colpito(premuto.pixel)) {
          riferimento = v;
          sceltoOra = true;
          break;
        }
      }
    }
    TPuntoMondo punto;
    if (!riferimento || !PuntoSuOggetto(*riferimento, premuto.pixel, premuto.punto, punto)) {
      Finestra().MessageBox(sceltoOra || !riferimento
                                ? "Il punto non si trova su una circonferenza/segmento/retta/semiretta"
                                : "Il punto non si trova sull'oggetto specificato",
                            "Avviso", TTipoMessaggio::Avviso, TPulsanti::OK);
      g.OggettoScelto = nullptr;
      return true;
    }
    g.PuntoCliccato = punto;
  } else if (g.bModoPenna && g.LineaInCorso) {
    // The pen lifts once after each stroke: a release that ended no stroke (the click of a
    // pick that came just before the pen) adds nothing.
    const int n = g.LineaInCorso->Count();
    if (n > 0 && g.LineaInCorso->Elemento(n - 1).x != 1e50L) g.LineaInCorso->Aggiungi(1e50L, 1e50L);
  } else if (g.bAttesaDiagramma) {
    g.PixelRilasciato = pixel;
  } else if (g.bAttesaRettaNum) {
    g.PixelCliccato = pixel;
  }
  if (g.bAttesaLinea && g.LineaInCorso && g.LineaInCorso->Count() > 0) {
    const auto* a = dynamic_cast<const cValorePunto*>(g.PuntoInizioLinea);
    const auto* b = dynamic_cast<const cValorePunto*>(g.PuntoFineLinea);
    if (a && b) {
      // The line ends at the end point it did not start from.
      const auto& primo = g.LineaInCorso->Elemento(0);
      const cValorePunto* fine = (primo.x == b->xCart && primo.y == b->yCart) ? a : b;
      g.LineaInCorso->Aggiungi(fine->xCart, fine->yCart);
    }
  }
  g.bAttesaPuntoSu = g.bAttesaLinea = g.bAttesaPunto = g.bAttesaTesto = g.bAttesaImmagine = false;
  g.bAttesaDiagramma = g.bAttesaRettaNum = g.bAttesaSegmento = g.bMouseCatturato = false;
  g.OggettoPuntoSu = g.CerchioPuntoSu = nullptr;
  return true;
}

void TerminaPenna() { DatiGlob.bModoPenna = false; }

void Clic(TPoint pixel, bool esatto) {
  MousePremuto(pixel, esatto);
  MouseRilasciato(pixel, esatto);
}

}  // namespace qx
