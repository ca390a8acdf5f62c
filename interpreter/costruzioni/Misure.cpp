// Measures of figures (DISTANZA, ASCISSA, MISURA, GRADI, PRIMI, SECONDI, AMPIEZZA, AREA),
// which give a number to the expression and store nothing, and the elements derived from
// a figure (DISEGNA_DISTANZA, ESTREMO, DIAMETRO, LATO, TRASLA_PUNTO).
#include <cmath>

#include "interpreter/costruzioni/ComandiCostruzioni.h"
#include "interpreter/costruzioni/Cornice.h"
#include "values/GeometriaAnalitica.h"
#include "values/ValoriScalari.h"
#include "values/figure/ValoreAngolo.h"
#include "values/figure/ValoreArco.h"
#include "values/figure/ValoreCerchio.h"
#include "values/figure/ValorePoligono.h"

namespace qx {

namespace {

using namespace costruzioni;

PValore Numero(Reale x) { return std::make_unique<cValoreReale>(x); }

const cValorePunto& PuntoDi(const ListaArgomenti& a, int i) { return static_cast<const cValorePunto&>(*a.Valore(i)); }
const cValoreRetta& RettaDi(const ListaArgomenti& a, int i) { return static_cast<const cValoreRetta&>(*a.Valore(i)); }

bool IsArco(TipiValore t) { return t == T_ARCO || t == T_SETTORECIRC; }

PValore CmdDistanza(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  const cRifCart* rif = DatiGlob.RifCart;
  if (Forma(a, {T_PUNTO, T_PUNTO})) {
    Riconosciuto();
    const cValorePunto &p = PuntoDi(a, 0), &q = PuntoDi(a, 1);
    if (rif) return Numero(Distanza(PosizionePunto(p), PosizionePunto(q)));
    return Numero(ArrotondaPixel(DistanzaPixel(p.Pixel, q.Pixel)));
  }
  if (Forma(a, {T_PUNTO, T_RETTA})) {
    Riconosciuto();
    const cValorePunto& p = PuntoDi(a, 0);
    const cValoreRetta& r = RettaDi(a, 1);
    if (rif) return Numero(DistanzaPuntoRetta(PosizionePunto(p), {r.x1, r.y1}, {r.x2, r.y2}));
    return Numero(DistanzaPuntoRettaPixel(p.Pixel, r.Estremo1(), r.Estremo2()));
  }
  return Fine(nome);
}

PValore CmdDisegnaDistanza(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  if (a.Count() != 2 || a.Tipo(0) != T_PUNTO || !IsLineare(a.Tipo(1))) return Fine(nome);
  Riconosciuto();
  const TPuntoMondo P = PosizionePunto(PuntoDi(a, 0));
  const cValoreRetta& l = RettaDi(a, 1);
  // The foot of the perpendicular from P, projected straight onto the line: the same point
  // as the perpendicular through P cut with the line, without going through the window.
  const Reale dx = l.x2 - l.x1, dy = l.y2 - l.y1, l2 = dx * dx + dy * dy;
  TPuntoMondo piede{l.x1, l.y1};
  if (l2 > 0) {
    const Reale t = ((P.x - l.x1) * dx + (P.y - l.y1) * dy) / l2;
    piede = {l.x1 + t * dx, l.y1 + t * dy};
  }
  return Memorizza(NuovaRetta(T_SEGMENTO, P, piede));
}

PValore CmdAscissa(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  if (!Forma(a, {T_RETTANUM, T_PUNTO})) return Fine(nome);
  Riconosciuto();
  const cValoreRetta& r = RettaDi(a, 0);
  const cValorePunto& p = PuntoDi(a, 1);
  const TPuntoMondo P = PosizionePunto(p);
  if (!p.bSuRettaNumerica || !UgualeReale(P.y, YSuRetta(P.x, r.x1, r.y1, r.x2, r.y2)))
    return Errore(nome + ": Il Punto non si trova sulla retta " + r.Nome);
  if (r._UnitMis == 0) return Numero(VAL_DIVISIONE_ZERO);
  return Numero(ArrotondaDecimali((P.x - r._xCentro) / r._UnitMis, 2));
}

PValore CmdEstremo(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  if (a.Count() != 2 || a.Tipo(1) != T_REALE) return Fine(nome);
  const bool primo = a.Numero(1) == 1;
  const TipiValore t = a.Tipo(0);
  if (t == T_SEGMENTO || t == T_SEGMENTO_OR || t == T_SEMIRETTA) {
    Riconosciuto();
    const cValoreRetta& s = RettaDi(a, 0);
    return NuovoPunto(primo ? TPuntoMondo{s.x1, s.y1} : TPuntoMondo{s.x2, s.y2});
  }
  if (IsArco(t)) {
    Riconosciuto();
    const auto& arco = static_cast<const cValoreArco&>(*a.Valore(0));
    return NuovoPunto(geo::EstremoArco(arco, primo));
  }
  return Fine(nome);
}

// MISURA, GRADI, PRIMI and SECONDI.
PValore CmdMisura(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  const TParoleChiave& k = ParoleChiave;
  if (nome == k.MISURA) {
    if (a.Count() != 1 || (a.Tipo(0) != T_SEGMENTO && a.Tipo(0) != T_SEGMENTO_OR)) return Fine(nome);
    Riconosciuto();
    const cValoreRetta& s = RettaDi(a, 0);
    return Numero(Distanza(s.x1, s.y1, s.x2, s.y2));
  }
  if (!Forma(a, {T_ANGOLO})) return Fine(nome);
  Riconosciuto();
  int gradi = 0, primi = 0;
  Reale secondi = 0;
  static_cast<const cValoreAngolo&>(*a.Valore(0)).Ampiezza(gradi, primi, secondi);
  if (nome == k.GRADI) return Numero(gradi);
  if (nome == k.PRIMI) return Numero(primi);
  return Numero(secondi);
}

PValore CmdAmpiezza(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  if (!Forma(a, {T_ANGOLO})) return Fine(nome);
  Riconosciuto();
  int gradi = 0, primi = 0;
  Reale secondi = 0;
  static_cast<const cValoreAngolo&>(*a.Valore(0)).Ampiezza(gradi, primi, secondi);
  auto misura = std::make_unique<cValoreGrado>();
  misura->Gradi = gradi;
  misura->Primi = primi;
  misura->Secondi = secondi;
  return misura;
}

PValore CmdArea(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  if (!Forma(a, {T_POLIGONO})) return Fine(nome);
  Riconosciuto();
  // The polygon keeps the sign of its orientation; a pupil's area has none.
  return Numero(std::fabs(static_cast<const cValorePoligono&>(*a.Valore(0)).Area()));
}

PValore CmdDiametro(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  if (!Forma(a, {T_CERCHIO})) return Fine(nome);
  Riconosciuto();
  const auto& c = static_cast<const cValoreCerchio&>(*a.Valore(0));
  if (DatiGlob.RifCart) return Memorizza(NuovaRetta(T_SEGMENTO, {c.x - c.r, c.y}, {c.x + c.r, c.y}));
  auto diametro = std::make_unique<cValoreRetta>(T_SEGMENTO);
  const TPoint cp = c.CentroPixel;
  diametro->ImpostaPixel({cp.x - c.RaggioPixel, cp.y}, {cp.x + c.RaggioPixel, cp.y});
  return Memorizza(std::move(diametro));
}

PValore CmdLato(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  if (a.Count() != 2 || a.Tipo(1) != T_REALE) return Fine(nome);
  const bool primo = std::trunc(a.Numero(1)) == 1;
  if (a.Tipo(0) == T_ANGOLO) {
    Riconosciuto();
    const auto& ang = static_cast<const cValoreAngolo&>(*a.Valore(0));
    return Memorizza(NuovaRetta(ang.sem ? T_SEMIRETTA : T_SEGMENTO, {ang.x2, ang.y2}, geo::FineLato(ang, primo)));
  }
  if (IsArco(a.Tipo(0))) {
    Riconosciuto();
    const auto& arco = static_cast<const cValoreArco&>(*a.Valore(0));
    return Memorizza(NuovaRetta(T_SEGMENTO, {arco.x2, arco.y2}, geo::EstremoArco(arco, primo)));
  }
  return Fine(nome);
}

PValore CmdTraslaPunto(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  if (!Forma(a, {T_PUNTO, T_RETTANUM, T_REALE}) || !PuntoDi(a, 0).bSuRettaNumerica) return Fine(nome);
  Riconosciuto();
  const TPuntoMondo P = PosizionePunto(PuntoDi(a, 0));
  auto punto = NuovoPunto({P.x + a.Numero(2) * RettaDi(a, 1)._UnitMis, P.y});
  punto->bSuRettaNumerica = true;
  return Memorizza(std::move(punto));
}

}  // namespace

void RegistraComandiMisura() {
  RegistraComando("CmdDistanza", CmdDistanza);
  RegistraComando("CmdDisegnaDistanza", CmdDisegnaDistanza);
  RegistraComando("CmdAscissa", CmdAscissa);
  RegistraComando("CmdEstremo", CmdEstremo);
  RegistraComando("CmdMisura", CmdMisura);
  RegistraComando("CmdAmpiezza", CmdAmpiezza);
  RegistraComando("CmdArea", CmdArea);
  RegistraComando("CmdDiametro", CmdDiametro);
  RegistraComando("CmdLato", CmdLato);
  RegistraComando("CmdTraslaPunto", CmdTraslaPunto);
}

}  // namespace qx
