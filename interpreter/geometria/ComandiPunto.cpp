// PUNTO, PUNTO_A_CASO, PUNTO_MEDIO, PUNTO_SU, PUNTO_SU_OGGETTO and PUNTOACASO_SU.
#include <algorithm>
#include <cmath>

#include "interpreter/Attese.h"
#include "interpreter/geometria/ComandiGeometria.h"
#include "interpreter/geometria/Geomet.h"
#include "runstate/DatiGlob.h"
#include "runstate/ParoleChiave.h"
#include "values/RifCart.h"
#include "values/Variabili.h"
#include "values/figure/ListaValGraf.h"
#include "values/figure/ValoreCerchio.h"

namespace qx {

namespace {

constexpr std::size_t LUNGHEZZA_ETICHETTA = 20;

std::string Etichetta(const std::string& testo) {
  const std::u32string t = Utf8ToU32(testo);
  return t.size() <= LUNGHEZZA_ETICHETTA ? testo : U32ToUtf8(t.substr(0, LUNGHEZZA_ETICHETTA));
}

// The variable's own value when the argument names one: the mouse side hit-tests the value
// that is drawn, not the argument's copy.
cValore* Originale(cValore* argomento) {
  const TDatiGlob& g = DatiGlob;
  if (!argomento || argomento->Nome.empty() || !g.ListaVariabili) return argomento;
  cValore* v = g.ListaVariabili->CercaValore(*argomento);
  return v && v->Tipo == argomento->Tipo ? v : argomento;
}

PValore PuntoInterattivo(const std::string& etichetta, geo::Esito& e) {
  TDatiGlob& g = DatiGlob;
  g.OggettoScelto = nullptr;
  const bool fatto = AttendiMouse(g.bAttesaPunto, crCroce, ParoleChiave.prmPunto, &g.bAttesaScegliPunto);
  const bool nuovo = g.bAttesaScegliPunto;
  g.bAttesaPunto = g.bAttesaScegliPunto = false;
  g.CursoreRifCart = crDefault;
  if (!fatto) return nullptr;
  std::unique_ptr<cValorePunto> p;
  if (nuovo) {
    p = geo::NuovoPunto(g.PuntoCliccato);
  } else {
    // The user clicked an existing point: its copy, which is not stored again.
    const cValoreGraf* scelto = g.ListaValGraf && g.ListaValGraf->Count() > 0
                                    ? g.ListaValGraf->Elemento(g.ListaValGraf->Count() - 1)
                                    : dynamic_cast<const cValoreGraf*>(g.OggettoScelto);
    const auto* punto = dynamic_cast<const cValorePunto*>(scelto);
    if (!punto) return nullptr;
    p.reset(static_cast<cValorePunto*>(punto->Clona().release()));
    p->bDerivato = true;
    p->bEvidenziato = false;
    e.memorizza = false;
  }
  if (!etichetta.empty()) p->Etichetta = Etichetta(etichetta);
  return p;
}

PValore Punto(ListaArgomenti& a, const std::string& nome, geo::Esito& e) {
  if (a.Vuota()) {
    e.Combacia();
    return PuntoInterattivo("", e);
  }
  if (geo::Forma(a, {T_STRINGA})) {
    e.Combacia();
    return PuntoInterattivo(a.Testo(0), e);
  }
  if (a.Tipo(0) != T_REALE) return nullptr;
  if (!geo::ControllaRifCart(nome)) return nullptr;
  if (!geo::Forma(a, {T_REALE, T_REALE}) && !geo::Forma(a, {T_REALE, T_REALE, T_STRINGA})) return nullptr;
  e.Combacia();
  auto p = geo::NuovoPunto(geo::PuntoDaNumeri(a, 0));
  if (a.Count() == 3) p->Etichetta = Etichetta(a.Testo(2));
  return p;
}

PValore PuntoACaso(ListaArgomenti& a, const std::string& nome, geo::Esito& e) {
  TDatiGlob& g = DatiGlob;
  e.Combacia();
  if (!a.Vuota()) return geo::Errore("Non sono permessi parametri per " + nome);
  int W = g.AreaRifCart.ClientWidth, H = g.AreaRifCart.ClientHeight;
  if (g.RifCart && g.RifCart->Rettangolo.Right > 0) {
    W = g.RifCart->Rettangolo.Right;
    H = g.RifCart->Rettangolo.Bottom;
  }
  const TPoint pixel{10 + geo::CasualeIntero(W - 30), 10 + geo::CasualeIntero(H - 30)};
  TPuntoMondo mondo{static_cast<Reale>(pixel.x), static_cast<Reale>(pixel.y)};
  if (g.RifCart) mondo = g.RifCart->PixelInCart(pixel);
  auto p = geo::NuovoPunto(mondo);
  p->ImpostaPixel(pixel.x, pixel.y);
  return p;
}

PValore PuntoSu(ListaArgomenti& a, geo::Esito& e) {
  TDatiGlob& g = DatiGlob;
  const bool lineare = a.Count() == 1 && geo::TipoTra(a.Tipo(0), {T_RETTA, T_SEGMENTO, T_SEMIRETTA, T_RETTANUM});
  if (geo::Forma(a, {T_RETTANUM, T_REALE})) {
    e.Combacia();
    const cValoreRetta& r = geo::RettaArg(a, 0);
    auto p = geo::NuovoPunto({r._xCentro + a.Numero(1) * r._UnitMis, r.y1});
    p->bSuRettaNumerica = true;
    return p;
  }
  if (!lineare && !geo::Forma(a, {T_CERCHIO})) return nullptr;
  e.Combacia();
  cValore* oggetto = Originale(a.Valore(0));
  if (lineare) g.OggettoPuntoSu = oggetto;
  else g.CerchioPuntoSu = oggetto;
  const bool fatto = AttendiMouse(g.bAttesaPuntoSu, crFrecciaSu, ParoleChiave.prmPuntoSu);
  g.OggettoPuntoSu = g.CerchioPuntoSu = nullptr;
  if (!fatto) return nullptr;
  auto p = geo::NuovoPunto(g.PuntoCliccato);
  p->bSuRettaNumerica = a.Tipo(0) == T_RETTANUM;
  return p;
}

PValore PuntoSuOggetto(ListaArgomenti& a, const std::string& nome, geo::Esito& e) {
  TDatiGlob& g = DatiGlob;
  if (!a.Vuota()) return nullptr;
  e.Combacia();
  bool esiste = false;
  for (TipiValore t : {T_RETTA, T_SEMIRETTA, T_SEGMENTO, T_CERCHIO})
    esiste = esiste || (g.ListaVariabili && g.ListaVariabili->ContieneAlmeno(t, 1));
  if (!esiste) return geo::Errore(nome + ": Non esiste un segmento/retta/semiretta/circonferenza da selezionare");
  g.OggettoPuntoSu = g.CerchioPuntoSu = nullptr;
  if (!AttendiMouse(g.bAttesaPuntoSu, crFrecciaSu, ParoleChiave.prmPuntoSu)) return nullptr;
  return geo::NuovoPunto(g.PuntoCliccato);
}

PValore PuntoACasoSu(ListaArgomenti& a, geo::Esito& e) {
  if (geo::Forma(a, {T_CERCHIO})) {
    e.Combacia();
    const auto& c = static_cast<const cValoreCerchio&>(*a.Valore(0));
    Reale d = geo::Casuale() * c.r;
    if (geo::CasualeIntero(2) == 1) d = -d;
    const Reale x = c.x + d;
    const Reale y = geo::CasualeIntero(2) == 1 ? YCerchioSotto(x, {c.x, c.y}, c.r) : YCerchioSopra(x, {c.x, c.y}, c.r);
    return geo::NuovoPunto({x, y});
  }
  if (a.Count() != 1 || !geo::IsRettaSegmentoSemiretta(a.Tipo(0))) return nullptr;
  e.Combacia();
  const cValoreRetta& r = geo::RettaArg(a, 0);
  TPuntoMondo A = geo::Primo(r), B = geo::Secondo(r);
  if (r.Tipo != T_SEGMENTO) {
    TPuntoMondo bordoA, bordoB;
    RettaNelRiquadro(A, B, bordoA, bordoB);
    // A ray keeps its start and runs to the border beyond its second point.
    if (r.Tipo == T_RETTA) A = bordoA;
    B = bordoB;
  }
  const Reale U = geo::Casuale();
  Reale x, y;
  if (std::fabs(A.x - B.x) <= std::fabs(A.y - B.y)) {
    y = std::min(A.y, B.y) + U * std::fabs(A.y - B.y);
    x = A.x == B.x ? A.x : XSuRetta(y, A, B);
  } else {
    x = std::min(A.x, B.x) + U * std::fabs(A.x - B.x);
    y = YSuRetta(x, A, B);
  }
  return geo::NuovoPunto({x, y});
}

}  // namespace

PValore CmdPunto(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  DatiGlob.OggettoPuntoSu = DatiGlob.CerchioPuntoSu = nullptr;
  const TParoleChiave& k = ParoleChiave;
  return geo::Cornice(nome, Esegui, [&](geo::Esito& e) -> PValore {
    if (nome == k.PUNTO) return Punto(a, nome, e);
    if (nome == k.PUNTO_A_CASO) return PuntoACaso(a, nome, e);
    if (nome == k.PUNTO_MEDIO) {
      if (!geo::Forma(a, {T_SEGMENTO})) return nullptr;
      e.Combacia();
      const cValoreRetta& s = geo::RettaArg(a, 0);
      return geo::NuovoPunto({(s.x1 + s.x2) / 2, (s.y1 + s.y2) / 2});
    }
    if (nome == k.PUNTO_SU) return PuntoSu(a, e);
    if (nome == k.PUNTO_SU_OGGETTO) return PuntoSuOggetto(a, nome, e);
    if (nome == k.PUNTOACASO_SU) return PuntoACasoSu(a, e);
    return nullptr;
  });
}

}  // namespace qx
