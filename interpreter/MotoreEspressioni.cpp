#include "interpreter/MotoreEspressioni.h"

#include "interpreter/ComandiFunzioni.h"
#include "interpreter/Operatori.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "platform/Canvas.h"
#include "values/EquazioniDifferenziali.h"
#include "values/RifCart.h"
#include "values/ValoreFunzione.h"
#include "values/ValoriScalari.h"
#include "values/espressioni/Analizzatore.h"
#include "values/espressioni/LavoroSimbolico.h"
#include "values/espressioni/Semplificatore.h"
#include "values/espressioni/Stampa.h"
#include "values/espressioni/Valutatore.h"

namespace qx {

namespace {

// A number joins fractions as the fraction text/1.
PNodo AlberoFrazione(const cValore& v) {
  if (v.Tipo == T_REALE)
    return AnalizzaEspressione(TestoNumeroEspr(static_cast<const cValoreReale&>(v).Value) + "/1", 2, true);
  const auto& f = static_cast<const cValoreFunzione&>(v);
  return f.Albero() ? CopiaAlbero(f.Albero()) : nullptr;
}

TipoNodo Operatore(const std::string& op) {
  if (op == "+") return N_PIU;
  if (op == "-") return N_MENO;
  if (op == "*") return N_PER;
  if (op == "/") return N_DIVISO;
  return N_POTENZA;
}

PNodo AlberoOperazione(const std::string& op, const cValore& a, const cValore& b, bool frazione) {
  if (frazione && op == "^") {
    // (n/d)^k becomes n^k / d^k.
    PNodo base = AlberoFrazione(a);
    if (!base) return nullptr;
    const Reale k = static_cast<const cValoreReale&>(b).Value;
    if (base->Tipo == N_DIVISO) {
      PNodo num = CombinaNodi(CopiaAlbero(base->Sx()), N_POTENZA, NuovoNodoNumero(k));
      PNodo den = CombinaNodi(CopiaAlbero(base->Dx()), N_POTENZA, NuovoNodoNumero(k));
      return CombinaNodi(std::move(num), N_DIVISO, std::move(den));
    }
    return CombinaNodi(std::move(base), N_POTENZA, NuovoNodoNumero(k));
  }
  PNodo sx = frazione ? AlberoFrazione(a) : CopiaAlbero(static_cast<const cValoreFunzione&>(a).Albero());
  PNodo dx = frazione ? AlberoFrazione(b) : CopiaAlbero(static_cast<const cValoreFunzione&>(b).Albero());
  if (!sx || !dx) return nullptr;
  return CombinaNodi(std::move(sx), Operatore(op), std::move(dx));
}

PValore Opera(const std::string& op, const cValore& a, const cValore& b) {
  const bool frazione = a.Tipo == T_FRAZIONE || b.Tipo == T_FRAZIONE;
  const TipiValore tipo = frazione ? T_FRAZIONE : T_FUNZIONE;
  PNodo albero;
  // Operations on large trees are symbolic work: within the budget, and stoppable.
  LavoroSimbolico lavoro;
  const bool finito = lavoro.Esegui([&] {
    albero = AlberoOperazione(op, a, b, frazione);
    if (!albero) return;
    // A fraction's passes are repeated until it is one quotient of numbers again: a single
    // round left 0 - 1/2 as -1*1/2, which NUM and DEN cannot read.
    if (frazione)
      RiduciAFrazioneNumerica(albero);
    else
      SemplificaAlbero(albero);
  });
  if (!finito) {
    if (lavoro.Esito() == EsitoLavoro::TroppoGrande) ReportError(MessaggioTroppoGrande(op), true);
    DatiGlob.bStop = true;
    return nullptr;
  }
  if (!albero) return nullptr;
  return DaAlbero(tipo, std::move(albero));
}

bool ValutaFrazione(const cValore& v, Reale& valore) {
  const auto* f = dynamic_cast<const cValoreFunzione*>(&v);
  if (!f) return false;
  valore = f->Valuta(1);
  return true;
}

void Traccia(TCanvas& canvas, cValoreFunzione& f) {
  const cRifCart* rif = DatiGlob.RifCart;
  if (!rif) return;
  TMappaGrafico m;
  m.XPixel = [rif](Reale x) { return static_cast<Reale>(rif->XPixel(x)); };
  m.YPixel = [rif](Reale y) { return static_cast<Reale>(rif->YPixel(y)); };
  m.XCart = [rif](Reale px) { return rif->XCart(static_cast<int>(px)); };
  m.Larghezza = rif->Rettangolo.Right;
  m.Altezza = rif->Rettangolo.Bottom;
  m.BordoDestro = canvas.ClipRect().Right;
  const TPezziGrafico pezzi = f.CalcolaGrafico(m);
  canvas.Pen = f.Pen;
  canvas.Brush = f.Brush;
  for (const auto& pezzo : pezzi) {
    if (pezzo.empty()) continue;
    canvas.Polyline(pezzo);
    // The last point of a polyline is not painted; a plot should end where it ends.
    canvas.MoveTo(pezzo.back().x, pezzo.back().y);
    canvas.LineTo(pezzo.back().x + 1, pezzo.back().y);
  }
}

Reale SoluzioneEdo(const NodoEspr& albero, Reale xa, Reale xb, Reale y0, int, Reale x) {
  const auto f = [&albero](Reale px, Reale py) { return ValutaAlbero(&albero, px, py); };
  return RisolviEDO(f, xa, y0, xb, x).y;
}

}  // namespace

void InstallaMotoreEspressioni() {
  OperatoriSimbolici().Opera = Opera;
  OperatoriSimbolici().ValutaFrazione = ValutaFrazione;
  TracciaGraficoFunzione = Traccia;
  RisolviEDOFunzione = SoluzioneEdo;
}

}  // namespace qx
