// RETTA, SEMIRETTA, SEGMENTO, SEGMENTO_OR(IENTATO), PARALLELA, PERPENDICOLARE, RETTANUM,
// RETTAPAR_ASSE, RETTA_FASCIO, RETTA_REGR, and the families STELLA and FASCIORAG.
#include <cctype>
#include <cmath>
#include <cstdint>

#include "interpreter/Attese.h"
#include "interpreter/geometria/ComandiGeometria.h"
#include "interpreter/geometria/Geomet.h"
#include "runstate/DatiGlob.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "platform/Canvas.h"
#include "values/RifCart.h"
#include "values/Variabili.h"
#include "values/VettoriMatrici.h"

namespace qx {

namespace {

TipiValore TipoRettaDaNome(const std::string& nome) {
  const TParoleChiave& k = ParoleChiave;
  if (nome == k.SEMIRETTA) return T_SEMIRETTA;
  if (nome == k.SEGMENTO) return T_SEGMENTO;
  if (nome == k.SEGMENTO_OR || nome == k.SEGMENTO_ORIENTATO) return T_SEGMENTO_OR;
  if (nome == k.RETTANUM) return T_RETTANUM;
  return T_RETTA;
}

void PennaInColoreCorrente() {
  if (TCanvas* c = DatiGlob.CanvasRifCart) c->Pen.Color = DatiGlob.PennaCorrente.Color;
}

// The free end of a value of length L from P parallel to V: the direction is V's, from its
// first point to its second (`avanti`) or the other way round.
TPuntoMondo FineParallela(const TPuntoMondo& P, Reale L, const cValoreRetta& V, bool avanti) {
  const TPuntoMondo A = geo::Primo(V), B = geo::Secondo(V);
  const TPuntoMondo D = PuntoADistanza(L, A, B);
  const Reale dx = D.x - A.x, dy = D.y - A.y;
  return avanti ? TPuntoMondo{P.x + dx, P.y + dy} : TPuntoMondo{P.x - dx, P.y - dy};
}

PValore DaDuePuntiScelti(TipiValore tipo, const std::string& nome) {
  TDatiGlob& g = DatiGlob;
  if (!g.ListaVariabili || !g.ListaVariabili->ContieneAlmeno(T_PUNTO, 2))
    return geo::Errore(nome + ": Non esistono 2 punti da selezionare");
  const cValorePunto* primo = geo::ScegliPuntoEsistente("Seleziona il primo Punto");
  if (!primo) return nullptr;
  const TPuntoMondo A = primo->Punto();
  const cValorePunto* secondo = geo::ScegliPuntoEsistente("Seleziona il secondo Punto");
  if (!secondo) return nullptr;
  auto r = geo::NuovaRetta(tipo, A, secondo->Punto());
  geo::SvuotaScelti();
  return r;
}

PValore SegmentoConIlMouse(TipiValore tipo, ListaArgomenti& a) {
  TDatiGlob& g = DatiGlob;
  g.PuntoInizioSegmento = a.Valore(0);
  g.LunghezzaSegmento = a.Numero(1);
  PennaInColoreCorrente();
  const bool fatto = AttendiMouse(g.bAttesaSegmento, crCroce, ParoleChiave.prmSegmento);
  g.PuntoInizioSegmento = nullptr;
  if (!fatto) return nullptr;
  return geo::NuovaRetta(tipo, geo::PuntoArg(a, 0), g.PuntoCliccato);
}

PValore FamigliaRetta(ListaArgomenti& a, const std::string& nome, geo::Esito& e) {
  const TipiValore tipo = TipoRettaDaNome(nome);
  if (a.Vuota()) {
    e.Combacia();
    return DaDuePuntiScelti(tipo, nome);
  }
  if (geo::Forma(a, {T_PUNTO, T_PUNTO})) {
    e.Combacia();
    return geo::NuovaRetta(tipo, geo::PuntoArg(a, 0), geo::PuntoArg(a, 1));
  }
  if (geo::Forma(a, {T_PUNTO, T_REALE})) {
    e.Combacia();
    return SegmentoConIlMouse(tipo, a);
  }
  const bool direzione = geo::Inizia(a, {T_PUNTO, T_REALE, T_1}) &&
                         geo::TipoTra(a.Tipo(2), {T_RETTA, T_SEGMENTO, T_SEGMENTO_OR, T_SEMIRETTA});
  if (direzione && (a.Count() == 3 || (a.Count() == 4 && a.Tipo(3) == T_REALE))) {
    e.Combacia();
    const TPuntoMondo P = geo::PuntoArg(a, 0);
    const Reale L = a.Numero(1);
    const cValoreRetta& V = geo::RettaArg(a, 2);
    TPuntoMondo fine;
    if (V.Tipo == T_SEGMENTO_OR) {
      fine = FineParallela(P, L, V, true);
    } else if (a.Count() == 4) {
      fine = FineParallela(P, L, V, std::trunc(a.Numero(3)) == 1);
    } else {
      const TPuntoMondo avanti = FineParallela(P, L, V, true), indietro = FineParallela(P, L, V, false);
      fine = Finestra().ScegliSegmento(P, avanti, indietro) == 2 ? indietro : avanti;
    }
    return geo::NuovaRetta(tipo, P, fine);
  }
  if (nome == ParoleChiave.RETTA && geo::Forma(a, {T_REALE, T_REALE})) {
    e.Combacia();
    return geo::RettaDiEquazione(a.Numero(0), a.Numero(1));
  }
  return nullptr;
}

PValore RettaNumerica(ListaArgomenti& a, geo::Esito& e) {
  TDatiGlob& g = DatiGlob;
  const TFinestraMondo f = FinestraVisibile();
  if (geo::Forma(a, {T_PUNTO, T_REALE})) {
    e.Combacia();
    const TPuntoMondo P = geo::PuntoArg(a, 0);
    auto r = geo::NuovaRetta(T_RETTANUM, {f.altoSinistra.x, P.y}, {f.bassoDestra.x, P.y});
    r->_xCentro = geo::Netto(P.x);
    r->_UnitMis = a.Numero(1);
    return r;
  }
  if (!a.Vuota() || !g.RifCart) return nullptr;
  e.Combacia();
  PennaInColoreCorrente();
  if (!AttendiMouse(g.bAttesaRettaNum, crCroce, ParoleChiave.prmRettaNum)) return nullptr;
  const TPuntoMondo origine = g.RifCart->PixelInCart(g.PixelCliccato);
  auto r = geo::NuovaRetta(T_RETTANUM, {f.altoSinistra.x, origine.y}, {f.bassoDestra.x, origine.y});
  r->_xCentro = geo::Netto(origine.x);
  r->CalcolaEstremiPixel(false);
  if (g.CanvasRifCart) r->Disegna(*g.CanvasRifCart);
  g.OggettoPuntoSu = r.get();
  const bool fatto = AttendiMouse(g.bAttesaPuntoSu, crCroce, ParoleChiave.prmPuntoU);
  g.OggettoPuntoSu = nullptr;
  if (!fatto) return nullptr;
  r->_UnitMis = g.PuntoCliccato.x - r->_xCentro;
  // Stored here, once: the frame only returns it.
  geo::Memorizza(*r);
  e.memorizza = false;
  return r;
}

PValore RettaRegressione(ListaArgomenti& a, const std::string& nome, geo::Esito& e) {
  if (!geo::Forma(a, {T_VETT_REALE, T_VETT_REALE}) || !geo::RifCartPresente()) return nullptr;
  e.Combacia();
  const auto& X = static_cast<const cVettReale&>(*a.Valore(0));
  const auto& Y = static_cast<const cVettReale&>(*a.Valore(1));
  if (X.Count != Y.Count) return geo::Errore("Vettori di diversa dimensione " + nome);
  const int n = X.Count;
  Reale mx = 0, my = 0;
  for (int i = 1; i <= n; ++i) {
    mx += X.Leggi(i);
    my += Y.Leggi(i);
  }
  mx /= n;
  my /= n;
  Reale varianza = 0, covarianza = 0;
  for (int i = 1; i <= n; ++i) {
    varianza += (X.Leggi(i) - mx) * (X.Leggi(i) - mx);
    covarianza += (X.Leggi(i) - mx) * (Y.Leggi(i) - my);
  }
  // Equal abscissas (or no data) leave no slope to compute.
  if (n == 0 || varianza == 0) return geo::Errore(ParoleChiave.msgParametriErrati + nome);
  const Reale b = covarianza / varianza;
  return geo::RettaDiEquazione(b, my - mx * b);
}

}  // namespace

PValore CmdRetta(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  const TParoleChiave& k = ParoleChiave;
  return geo::Cornice(nome, Esegui, [&](geo::Esito& e) -> PValore {
    if (nome == k.PARALLELA || nome == k.PERPENDICOLARE) {
      if (a.Count() != 2 || !geo::IsRettaSegmentoSemiretta(a.Tipo(0)) || a.Tipo(1) != T_PUNTO) return nullptr;
      e.Combacia();
      const cValoreRetta& V = geo::RettaArg(a, 0);
      TPuntoMondo A, B;
      RettaParallelaPerpendicolare(geo::Primo(V), geo::Secondo(V), geo::PuntoArg(a, 1),
                                   nome == k.PERPENDICOLARE ? 2 : 1, A, B);
      return geo::NuovaRetta(T_RETTA, A, B);
    }
    if (nome == k.RETTANUM) return RettaNumerica(a, e);
    if (nome == k.RETTAPAR_ASSE) {
      if (!geo::Forma(a, {T_STRINGA, T_REALE}) || !geo::RifCartPresente()) return nullptr;
      std::string asse = a.Testo(0);
      for (char& c : asse) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      const Reale c = a.Numero(1);
      const TFinestraMondo f = FinestraVisibile();
      if (asse == "X") {
        e.Combacia();
        return geo::NuovaRetta(T_RETTA, {f.altoSinistra.x, c}, {f.bassoDestra.x, c});
      }
      if (asse == "Y") {
        e.Combacia();
        return geo::NuovaRetta(T_RETTA, {c, f.altoSinistra.y}, {c, f.bassoDestra.y});
      }
      return nullptr;
    }
    if (nome == k.RETTA_FASCIO) {
      if (!geo::Forma(a, {T_PUNTO, T_REALE}) || !geo::RifCartPresente()) return nullptr;
      e.Combacia();
      const TPuntoMondo P = geo::PuntoArg(a, 0);
      const Reale m = a.Numero(1);
      return geo::RettaDiEquazione(m, P.y - m * P.x);
    }
    if (nome == k.RETTA_REGR) return RettaRegressione(a, nome, e);
    return FamigliaRetta(a, nome, e);
  });
}

void CmdStella(bool Esegui, ListaArgomenti& a, const std::string& nome) {
  TDatiGlob& g = DatiGlob;
  geo::Cornice(nome, Esegui, [&](geo::Esito& e) -> PValore {
    if (a.Tipo(0) != T_PUNTO || a.Count() > 2 || (a.Count() == 2 && a.Tipo(1) != T_REALE)) return nullptr;
    // The angle is an integer of 32 bits: one beyond them is a wrong argument.
    Reale massimo = a.Count() == 2 ? std::trunc(a.Numero(1)) : 180;
    if (!(massimo >= INT32_MIN && massimo <= INT32_MAX)) return nullptr;
    e.Combacia();
    const bool stella = nome == ParoleChiave.STELLA;
    if (stella && massimo > 180) massimo = 180;
    const TPuntoMondo P = geo::PuntoArg(a, 0), Q{P.x + 0.5L, P.y};
    // One member at a random angle in every slot of ten degrees.
    Reale k = std::round(10 * geo::Casuale());
    for (int i = 1; k <= massimo && !g.bStop; ++i) {
      // A wide bundle must not stop the stop command from working.
      LasciaPassareMessaggi();
      const TPuntoMondo R = RuotaPunto(Q, P, k / 180);
      auto r = geo::NuovaRetta(stella ? T_RETTA : T_SEMIRETTA, P, R);
      geo::Memorizza(*r);
      k = std::round(10 * geo::Casuale()) + 10.0L * i;
    }
    return nullptr;
  });
}

}  // namespace qx
