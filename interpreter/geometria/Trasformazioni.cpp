// RUOTA, TRASLA, SIMMETRIA_ASS(IALE), INGRANDISCI / RIMPICCIOLISCI and OMOTETIA: each
// builds the image of a figure as a new value of the same class and kind, and in trace
// mode leaves a dotted trail from every moved point to its image.
#include <cmath>
#include <functional>
#include <vector>

#include "interpreter/geometria/ComandiGeometria.h"
#include "interpreter/geometria/Geomet.h"
#include "runstate/DatiGlob.h"
#include "runstate/ParoleChiave.h"
#include "platform/Canvas.h"
#include "values/Collezioni.h"
#include "values/RifCart.h"
#include "values/figure/ValoreAngolo.h"
#include "values/figure/ValoreArco.h"
#include "values/figure/ValoreCerchio.h"
#include "values/figure/ValoreLinea.h"
#include "values/figure/ValorePoligono.h"

namespace qx {

namespace {

using Punti = std::vector<TPuntoMondo>;
using Mappa = std::function<TPuntoMondo(const TPuntoMondo&)>;

// The defining points of a figure, in a fixed order per class.
Punti PuntiDi(const cValore& f) {
  if (const auto* p = dynamic_cast<const cValorePunto*>(&f)) return {p->Punto()};
  if (const auto* r = dynamic_cast<const cValoreRetta*>(&f)) return {{r->x1, r->y1}, {r->x2, r->y2}};
  if (const auto* a = dynamic_cast<const cValoreAngolo*>(&f)) return {{a->x1, a->y1}, {a->x2, a->y2}, {a->x3, a->y3}};
  if (const auto* a = dynamic_cast<const cValoreArco*>(&f)) return {{a->x1, a->y1}, {a->x2, a->y2}, {a->x3, a->y3}};
  if (const auto* c = dynamic_cast<const cValoreCerchio*>(&f)) return {{c->x, c->y}};
  Punti v;
  const TCollPunti* coll = nullptr;
  if (const auto* l = dynamic_cast<const cValoreLinea*>(&f)) coll = &l->Punti;
  if (const auto* p = dynamic_cast<const cValorePoligono*>(&f)) coll = &p->Punti;
  if (coll)
    for (const TCollItemsPunti& q : *coll) v.push_back({q.x, q.y});
  return v;
}

void ImpostaPunti(cValore& f, const Punti& v) {
  if (auto* p = dynamic_cast<cValorePunto*>(&f)) {
    p->xCart = v[0].x;
    p->yCart = v[0].y;
  } else if (auto* r = dynamic_cast<cValoreRetta*>(&f)) {
    r->x1 = v[0].x, r->y1 = v[0].y, r->x2 = v[1].x, r->y2 = v[1].y;
  } else if (auto* a = dynamic_cast<cValoreAngolo*>(&f)) {
    a->x1 = v[0].x, a->y1 = v[0].y, a->x2 = v[1].x, a->y2 = v[1].y, a->x3 = v[2].x, a->y3 = v[2].y;
  } else if (auto* b = dynamic_cast<cValoreArco*>(&f)) {
    b->x1 = v[0].x, b->y1 = v[0].y, b->x2 = v[1].x, b->y2 = v[1].y, b->x3 = v[2].x, b->y3 = v[2].y;
  } else if (auto* c = dynamic_cast<cValoreCerchio*>(&f)) {
    c->x = v[0].x;
    c->y = v[0].y;
  } else {
    TCollPunti* coll = nullptr;
    if (auto* l = dynamic_cast<cValoreLinea*>(&f)) coll = &l->Punti;
    if (auto* p = dynamic_cast<cValorePoligono*>(&f)) coll = &p->Punti;
    if (!coll) return;
    coll->Clear();
    for (const TPuntoMondo& q : v) coll->Aggiungi(q.x, q.y);
  }
}

// A new value of the figure's class and kind, every defining point mapped; nothing else
// of the figure travels but its kind and its own attributes.
std::unique_ptr<cValoreGraf> Immagine(const cValore& figura, const Mappa& f) {
  std::unique_ptr<cValore> copia = figura.Clona();
  auto* g = dynamic_cast<cValoreGraf*>(copia.get());
  if (!g) return nullptr;
  copia.release();
  std::unique_ptr<cValoreGraf> img(g);
  Punti v = PuntiDi(figura);
  for (TPuntoMondo& p : v) p = geo::Netto(f(p));
  ImpostaPunti(*img, v);
  img->Nome.clear();
  img->bDerivato = img->bEvidenziato = img->bSelezionato = false;
  img->bCoordCartesiane = true;
  img->bVisibile = true;
  if (auto* p = dynamic_cast<cValorePunto*>(img.get())) {
    p->Etichetta.clear();
    p->bSuRettaNumerica = false;
  }
  return img;
}

// ---- Trails ----

enum class Percorso { Retta, Arco };

// The points between P and its image, about seven pixels apart: along the straight line,
// or along the arc about `centro` by `gradi`.
void Traccia(const TPuntoMondo& P, const TPuntoMondo& Q, Percorso via, const TPuntoMondo& centro, Reale gradi,
             int minimo, bool arrotonda) {
  TDatiGlob& g = DatiGlob;
  if (!g.bTraccia || !g.PuntiTraccia || !g.RifCart) return;
  const Reale L = DistanzaPixel(g.RifCart->CartInPixel(P), g.RifCart->CartInPixel(Q));
  int n = static_cast<int>(arrotonda ? std::round(L / 7) : std::trunc(L / 7));
  if (n < minimo) n = minimo;
  for (int i = 1; i < n; ++i) {
    const Reale t = static_cast<Reale>(i) / n;
    const TPuntoMondo R = via == Percorso::Arco ? RuotaPunto(P, centro, gradi * t / 180)
                                                : TPuntoMondo{P.x + (Q.x - P.x) * t, P.y + (Q.y - P.y) * t};
    g.PuntiTraccia->Aggiungi(R.x, R.y);
  }
}

void PennaRossa(bool punteggiata) {
  if (TCanvas* c = DatiGlob.CanvasRifCart) {
    c->Pen.Color = static_cast<TColor>(255);
    if (punteggiata) c->Pen.Style = psDot;
  }
}

bool Accetta(TipiValore t, std::initializer_list<TipiValore> tipi) { return geo::TipoTra(t, tipi); }

}  // namespace

PValore CmdRuota(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  return geo::Cornice(nome, Esegui, [&](geo::Esito& e) -> PValore {
    if (a.Count() < 4 || a.Tipo(1) != T_PUNTO ||
        !Accetta(a.Tipo(0), {T_PUNTO, T_LINEA, T_RETTA, T_SEGMENTO, T_SEGMENTO_OR, T_SEMIRETTA, T_ANGOLO, T_CERCHIO,
                             T_POLIGONO, T_ARCO, T_SETTORECIRC}))
      return nullptr;
    Reale gradi = 0;
    int dopo = 0;
    if (!geo::MisuraAngolo(a, 2, true, gradi, dopo)) return nullptr;
    const char verso = geo::Verso(a, dopo);
    if (!verso || a.Count() != dopo + 1) return nullptr;
    e.Combacia();
    if (verso == 'O') gradi = -gradi;
    const TPuntoMondo C = geo::PuntoArg(a, 1);
    PennaRossa(false);
    const cValore& figura = *a.Valore(0);
    auto img = Immagine(figura, [&](const TPuntoMondo& P) { return RuotaPunto(P, C, gradi / 180); });
    const Punti prima = PuntiDi(figura), dopoP = PuntiDi(*img);
    for (std::size_t i = 0; i < prima.size(); ++i) Traccia(prima[i], dopoP[i], Percorso::Arco, C, gradi, 0, false);
    return img;
  });
}

PValore CmdTrasla(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  return geo::Cornice(nome, Esegui, [&](geo::Esito& e) -> PValore {
    if (a.Count() < 2 ||
        !Accetta(a.Tipo(0), {T_PUNTO, T_LINEA, T_RETTA, T_SEGMENTO, T_SEGMENTO_OR, T_SEMIRETTA, T_RETTA_OR,
                             T_ANGOLO, T_CERCHIO, T_POLIGONO, T_ARCO, T_SETTORECIRC}) ||
        !Accetta(a.Tipo(1), {T_RETTA, T_SEGMENTO, T_SEGMENTO_OR, T_SEMIRETTA, T_RETTA_OR}))
      return nullptr;
    const cValoreRetta& D = geo::RettaArg(a, 1);
    const TPuntoMondo D1 = geo::Primo(D), D2 = geo::Secondo(D);
    Reale distanza = 0;
    if (a.Count() == 3 && a.Tipo(2) == T_REALE) distanza = a.Numero(2);
    else if (a.Count() == 2 && D.Tipo == T_SEGMENTO_OR) distanza = Distanza(D1, D2);
    else return nullptr;
    e.Combacia();
    // A negative distance moves the figure against the direction.
    const TPuntoMondo fine = PuntoADistanza(distanza, D1, D2);
    const Reale segno = distanza < 0 ? -1 : 1;
    const Reale vx = segno * (fine.x - D1.x), vy = segno * (fine.y - D1.y);
    PennaRossa(false);
    const cValore& figura = *a.Valore(0);
    auto img = Immagine(figura, [&](const TPuntoMondo& P) { return TPuntoMondo{P.x + vx, P.y + vy}; });
    const Punti prima = PuntiDi(figura), dopo = PuntiDi(*img);
    for (std::size_t i = 0; i < prima.size(); ++i) Traccia(prima[i], dopo[i], Percorso::Retta, {}, 0, 1, false);
    return img;
  });
}

PValore CmdSimmetriaAssiale(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  return geo::Cornice(nome, Esegui, [&](geo::Esito& e) -> PValore {
    if (a.Count() != 2 || !Accetta(a.Tipo(0), {T_PUNTO, T_LINEA, T_SEGMENTO, T_POLIGONO}) ||
        !geo::IsRettaSegmentoSemiretta(a.Tipo(1)))
      return nullptr;
    e.Combacia();
    const cValoreRetta& asse = geo::RettaArg(a, 1);
    const TPuntoMondo P = geo::Primo(asse), Q = geo::Secondo(asse);
    PennaRossa(false);
    const cValore& figura = *a.Valore(0);
    auto img = Immagine(figura, [&](const TPuntoMondo& R) { return SimmetricoRetta(R, P, Q); });
    const Punti prima = PuntiDi(figura), dopo = PuntiDi(*img);
    const bool segmento = figura.Tipo == T_SEGMENTO;
    for (std::size_t i = 0; i < prima.size(); ++i) {
      if (segmento && DatiGlob.RifCart) {
        const cRifCart& f = *DatiGlob.RifCart;
        if (DistanzaPuntoRettaPixel(f.CartInPixel(prima[i]), f.CartInPixel(P), f.CartInPixel(Q)) <= 5) continue;
      }
      Traccia(prima[i], dopo[i], Percorso::Retta, {}, 0, 0, segmento);
    }
    return img;
  });
}

PValore CmdIngrandisci(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  TDatiGlob& g = DatiGlob;
  return geo::Cornice(nome, Esegui, [&](geo::Esito& e) -> PValore {
    if (!geo::Forma(a, {T_1, T_REALE}) ||
        !Accetta(a.Tipo(0), {T_RETTA, T_SEGMENTO, T_SEMIRETTA, T_CERCHIO, T_POLIGONO}))
      return nullptr;
    e.Combacia();
    const Reale k = a.Numero(1);
    const bool ingrandisci = nome == ParoleChiave.INGRANDISCI;
    if (!ControllaIntervallo(true, false, true, k, ingrandisci ? 1 : 0, ingrandisci ? 50 : 1)) {
      g.bStop = true;
      return nullptr;
    }
    const cValore& figura = *a.Valore(0);
    PennaRossa(false);
    if (const auto* c = dynamic_cast<const cValoreCerchio*>(&figura)) {
      auto img = Immagine(*c, [](const TPuntoMondo& P) { return P; });
      static_cast<cValoreCerchio&>(*img).r = c->r * k;
      return img;
    }
    const auto* pol = dynamic_cast<const cValorePoligono*>(&figura);
    // A line has no size to enlarge: saying so beats building nothing.
    if (!pol) return geo::ErroreParametri(nome);
    TPuntoMondo G;
    if (!pol->Baricentro(G)) return geo::Errore(ParoleChiave.msgParametriNonValidi + nome);
    return Immagine(*pol, [&](const TPuntoMondo& P) { return PuntoADistanza(k * Distanza(G, P), G, P); });
  });
}

PValore CmdOmotetia(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  return geo::Cornice(nome, Esegui, [&](geo::Esito& e) -> PValore {
    if (!geo::Forma(a, {T_1, T_PUNTO, T_REALE}) ||
        !Accetta(a.Tipo(0), {T_PUNTO, T_LINEA, T_SEGMENTO, T_SEGMENTO_OR, T_CERCHIO, T_POLIGONO}))
      return nullptr;
    e.Combacia();
    const TPuntoMondo C = geo::PuntoArg(a, 1);
    const Reale k = a.Numero(2);
    PennaRossa(true);
    const cValore& figura = *a.Valore(0);
    // C + k (P - C): a negative ratio puts the image on the other side of the centre.
    auto img = Immagine(figura, [&](const TPuntoMondo& P) {
      return TPuntoMondo{C.x + k * (P.x - C.x), C.y + k * (P.y - C.y)};
    });
    if (auto* c = dynamic_cast<cValoreCerchio*>(img.get())) c->r = geo::Netto(std::fabs(k) * c->r);
    const Punti prima = PuntiDi(figura), dopo = PuntiDi(*img);
    if (figura.Tipo == T_PUNTO && DatiGlob.bTraccia && DatiGlob.PuntiTraccia)
      DatiGlob.PuntiTraccia->Aggiungi(prima[0].x, prima[0].y);
    for (std::size_t i = 0; i < prima.size(); ++i) Traccia(prima[i], dopo[i], Percorso::Retta, {}, 0, 0, false);
    return img;
  });
}

}  // namespace qx
