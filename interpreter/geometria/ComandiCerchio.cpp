// CIRC / CIRCONFERENZA, ARCO / SETTORE_CIRC and ANGOLO.
#include <cmath>
#include <cstdlib>

#include "interpreter/Attese.h"
#include "interpreter/geometria/ComandiGeometria.h"
#include "interpreter/geometria/Geomet.h"
#include "runstate/DatiGlob.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "values/RifCart.h"
#include "values/Variabili.h"
#include "values/figure/ValoreAngolo.h"
#include "values/figure/ValoreArco.h"
#include "values/figure/ValoreCerchio.h"

namespace qx {

namespace {

std::unique_ptr<cValoreCerchio> NuovoCerchio(const TPuntoMondo& centro, Reale r) {
  auto c = std::make_unique<cValoreCerchio>();
  geo::NettoIn(c->x, centro.x);
  geo::NettoIn(c->y, centro.y);
  geo::NettoIn(c->r, r);
  TPuntoMondo o;
  CopiaReale(o.x, c->x);
  CopiaReale(o.y, c->y);
  c->bCoordCartesiane = geo::RifCartPresente();
  if (const cRifCart* f = DatiGlob.RifCart) c->ImpostaPixel(f->CartInPixel(o), f->XPixel(o.x + r) - f->XPixel(o.x));
  else c->ImpostaPixel({static_cast<int>(o.x), static_cast<int>(o.y)}, std::abs(static_cast<int>(std::round(r))));
  return c;
}

// The point turned about the centre by the given degrees: anticlockwise for "A", clockwise
// for "O".
TPuntoMondo Girato(const TPuntoMondo& P, const TPuntoMondo& centro, Reale gradi, char verso) {
  return geo::Netto(RuotaPunto(P, centro, (verso == 'O' ? -gradi : gradi) / 180));
}

PValore CerchioConRaggioChiesto(const std::string& nome) {
  TDatiGlob& g = DatiGlob;
  if (!g.ListaVariabili || !g.ListaVariabili->ContieneAlmeno(T_PUNTO, 1))
    return geo::Errore(nome + ": Non esiste un punto da selezionare");
  const cValorePunto* centro = geo::ScegliPuntoEsistente("Seleziona il primo Punto");
  if (!centro) return nullptr;
  const TPuntoMondo C = centro->Punto();
  std::string testo = "2";
  if (!Finestra().InputBox("Circonferenza", "Raggio", testo)) {
    // A cancelled dialog ends the run quietly.
    geo::SvuotaScelti();
    g.bStop = true;
    return nullptr;
  }
  geo::SvuotaScelti();
  char* fine = nullptr;
  const Reale r = std::strtold(testo.c_str(), &fine);
  if (fine == testo.c_str()) {
    g.bParametriErrati = true;
    return nullptr;
  }
  return NuovoCerchio(C, std::fabs(r));
}

}  // namespace

PValore CmdCirconferenza(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  return geo::Cornice(nome, Esegui, [&](geo::Esito& e) -> PValore {
    if (geo::Inizia(a, {T_REALE, T_REALE, T_REALE})) {
      e.Combacia();
      const Reale A = a.Numero(0), B = a.Numero(1), C = a.Numero(2);
      const Reale r2 = A * A / 4 + B * B / 4 - C;
      if (r2 < 0) return geo::Errore("Parametri non validi (Radice quadrata di un valore negativo) " + nome);
      return NuovoCerchio({-A / 2, -B / 2}, std::sqrt(r2));
    }
    if (geo::Forma(a, {T_PUNTO, T_PUNTO, T_PUNTO})) {
      e.Combacia();
      const TPuntoMondo A = geo::PuntoArg(a, 0), B = geo::PuntoArg(a, 1), C = geo::PuntoArg(a, 2);
      TPuntoMondo centro;
      Reale r = 0;
      if (!CerchioPerTrePunti(A, B, C, centro, r)) return geo::Errore("Punti allineati per " + nome);
      return NuovoCerchio(centro, r);
    }
    if (geo::Forma(a, {T_PUNTO, T_REALE})) {
      e.Combacia();
      return NuovoCerchio(geo::PuntoArg(a, 0), std::fabs(a.Numero(1)));
    }
    if (a.Vuota()) {
      e.Combacia();
      return CerchioConRaggioChiesto(nome);
    }
    return nullptr;
  });
}

PValore CmdArco(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  TDatiGlob& g = DatiGlob;
  return geo::Cornice(nome, Esegui, [&](geo::Esito& e) -> PValore {
    if (!geo::Inizia(a, {T_PUNTO, T_PUNTO})) return nullptr;
    const TPuntoMondo C = geo::PuntoArg(a, 0), A = geo::PuntoArg(a, 1);
    TPuntoMondo fine;
    bool conTerzoPunto = false;
    Reale misura = 0;
    int dopo = 2;
    if (a.Tipo(2) == T_PUNTO) {
      fine = geo::PuntoArg(a, 2);
      conTerzoPunto = true;
      dopo = 3;
    } else if (a.Tipo(2) != T_STRINGA && !geo::MisuraAngolo(a, 2, false, misura, dopo)) {
      return nullptr;
    }
    const char verso = geo::Verso(a, dopo);
    if (!verso || a.Count() != dopo + 1) return nullptr;
    e.Combacia();
    const Reale r = Distanza(C, A);
    if (conTerzoPunto) {
      if (!UgualeReale(Distanza(C, fine), r))
        return geo::Errore("Il secondo e terzo punto non appartengono alla circoferenza - " + nome);
    } else if (misura == 0) {
      // The end is chosen with the mouse, on the circle through A.
      g.PuntoInizioSegmento = a.Valore(0);
      g.LunghezzaSegmento = r;
      const bool traccia = g.bTraccia;
      g.bTraccia = false;
      if (TCanvas* c = g.CanvasRifCart) c->Pen.Color = g.PennaCorrente.Color;
      const bool fatto = AttendiMouse(g.bAttesaSegmento, crCroce, ParoleChiave.prmSegmento);
      g.bTraccia = traccia;
      g.PuntoInizioSegmento = nullptr;
      if (!fatto) return nullptr;
      fine = g.PuntoCliccato;
    } else {
      fine = Girato(A, C, misura, verso);
    }
    auto arco = std::make_unique<cValoreArco>(nome == ParoleChiave.SETTORE_CIRC ? T_SETTORECIRC : T_ARCO);
    const TPuntoMondo a1 = geo::Netto(A), c = geo::Netto(C), b = geo::Netto(fine);
    arco->x1 = a1.x;
    arco->y1 = a1.y;
    arco->x2 = c.x;
    arco->y2 = c.y;
    arco->x3 = b.x;
    arco->y3 = b.y;
    arco->v = verso;
    arco->mis = misura != 0 ? misura : AngoloTraSegmenti(a1, c, b, verso);
    arco->bCoordCartesiane = geo::RifCartPresente();
    return arco;
  });
}

namespace {

std::unique_ptr<cValoreAngolo> NuovoAngolo(const TPuntoMondo& P1, const TPuntoMondo& V, const TPuntoMondo& P2,
                                          char verso) {
  auto ang = std::make_unique<cValoreAngolo>();
  const TPuntoMondo a = geo::Netto(P1), v = geo::Netto(V), b = geo::Netto(P2);
  ang->x1 = a.x;
  ang->y1 = a.y;
  ang->x2 = v.x;
  ang->y2 = v.y;
  ang->x3 = b.x;
  ang->y3 = b.y;
  ang->v = verso;
  ang->bCoordCartesiane = geo::RifCartPresente();
  if (const cRifCart* f = DatiGlob.RifCart) {
    ang->Pixel1 = f->CartInPixel(a);
    ang->Pixel2 = f->CartInPixel(v);
    ang->Pixel3 = f->CartInPixel(b);
  }
  return ang;
}

bool IsLato(TipiValore t) { return t == T_SEGMENTO || t == T_SEGMENTO_OR || t == T_SEMIRETTA; }

// The end of a side that is not the vertex.
TPuntoMondo EstremoLontano(const cValoreRetta& s, const TPuntoMondo& V) {
  return UgualeReale(s.x1, V.x) && UgualeReale(s.y1, V.y) ? geo::Secondo(s) : geo::Primo(s);
}

}  // namespace

PValore CmdAngolo(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  return geo::Cornice(nome, Esegui, [&](geo::Esito& e) -> PValore {
    if (geo::Forma(a, {T_PUNTO, T_PUNTO, T_PUNTO})) {
      e.Combacia();
      return NuovoAngolo(geo::PuntoArg(a, 0), geo::PuntoArg(a, 1), geo::PuntoArg(a, 2), 'A');
    }
    Reale misura = 0;
    int dopo = 0;
    if (a.Tipo(0) == T_PUNTO && geo::MisuraAngolo(a, 1, false, misura, dopo) && a.Count() == dopo) {
      e.Combacia();
      // Without a frame the sides are 20 pixels long instead of 2 units.
      const Reale L = geo::RifCartPresente() ? 2 : 20;
      const TPuntoMondo V = geo::PuntoArg(a, 0);
      return NuovoAngolo({V.x + L, V.y}, V, {V.x + L * CosenoGradi(misura), V.y - L * SenoGradi(misura)}, 'O');
    }
    if (a.Count() >= 1 && IsLato(a.Tipo(0)) && geo::MisuraAngolo(a, 1, false, misura, dopo)) {
      const char verso = geo::Verso(a, dopo);
      if (!verso || a.Count() != dopo + 1) return nullptr;
      e.Combacia();
      const cValoreRetta& S = geo::RettaArg(a, 0);
      const TPuntoMondo A = geo::Primo(S), B = geo::Secondo(S);
      auto ang = NuovoAngolo(B, A, Girato(B, A, misura, verso), verso);
      ang->sem = S.Tipo == T_SEMIRETTA;
      return ang;
    }
    if (a.Count() >= 2 && IsLato(a.Tipo(0)) && IsLato(a.Tipo(1))) {
      char verso = 'A';
      if (a.Count() == 3) verso = geo::Verso(a, 2);
      if (a.Count() > 3 || !verso) return nullptr;
      e.Combacia();
      const cValoreRetta& S1 = geo::RettaArg(a, 0);
      const cValoreRetta& S2 = geo::RettaArg(a, 1);
      TPuntoMondo V;
      if (!IntersezioneRette(geo::Primo(S1), geo::Secondo(S1), geo::Primo(S2), geo::Secondo(S2), V))
        return geo::Errore(nome + ": nessun punto in comune");
      auto ang = NuovoAngolo(EstremoLontano(S1, V), V, EstremoLontano(S2, V), verso);
      ang->sem = S1.Tipo == T_SEMIRETTA;
      return ang;
    }
    return nullptr;
  });
}

}  // namespace qx
