// The steps that every construction handler of this folder shares: the wrong-arguments
// report, the frame check, storing a new figure and building result points and lines.
// Handlers start with `Inizia`, try their forms in order, clear `bParametriErrati` at the
// first that matches and end with `Fine`.
#pragma once
#include <initializer_list>
#include <memory>
#include <string>

#include "interpreter/Argomenti.h"
#include "interpreter/Dispatch.h"
#include "interpreter/Istruzioni.h"
#include "interpreter/runstate/DatiGlob.h"
#include "interpreter/runstate/ErrorReport.h"
#include "interpreter/runstate/ParoleChiave.h"
#include "values/RifCart.h"
#include "values/figure/ValorePunto.h"
#include "values/figure/ValoreRetta.h"

namespace qx::costruzioni {

inline void Inizia() { DatiGlob.bParametriErrati = true; }

// A form matched.
inline void Riconosciuto() { DatiGlob.bParametriErrati = false; }

inline PValore ParametriErrati(const std::string& nome) {
  ReportError(ParoleChiave.msgParametriErrati + nome, true);
  return nullptr;
}

// Reports the wrong arguments when no form matched (and nothing else was reported).
inline PValore Fine(const std::string& nome) {
  if (DatiGlob.bParametriErrati && !DatiGlob.bStop) ParametriErrati(nome);
  return nullptr;
}

inline PValore Errore(const std::string& messaggio) {
  ReportError(messaggio, true);
  return nullptr;
}

// False, with the frame message, when no Cartesian frame exists.
inline bool RifCartPresente(const std::string& nome) {
  if (DatiGlob.RifCart) return true;
  ReportError(nome + ParoleChiave.msgRifCart, true);
  return false;
}

// Exactly these kinds, in this order.
inline bool Forma(const ListaArgomenti& a, std::initializer_list<TipiValore> tipi) {
  if (a.Count() != static_cast<int>(tipi.size())) return false;
  int i = 0;
  for (TipiValore t : tipi)
    if (a.Tipo(i++) != t) return false;
  return true;
}

inline bool IsLineare(TipiValore t) { return t == T_RETTA || t == T_SEGMENTO || t == T_SEMIRETTA; }

// Hands a new figure to the variable table as an anonymous value (which also draws it) and
// gives it back to the caller.
template <class T>
PValore Memorizza(std::unique_ptr<T> valore) {
  StoreVariable(true, "", *valore, nullptr);
  return valore;
}

inline std::unique_ptr<cValorePunto> NuovoPunto(const TPuntoMondo& p) {
  auto punto = std::make_unique<cValorePunto>();
  punto->xCart = p.x;
  punto->yCart = p.y;
  punto->bCoordCartesiane = true;
  if (const cRifCart* r = DatiGlob.RifCart) {
    const TPoint px = r->CartInPixel(p);
    punto->ImpostaPixel(px.x, px.y);
  }
  return punto;
}

inline std::unique_ptr<cValoreRetta> NuovaRetta(TipiValore tipo, const TPuntoMondo& a, const TPuntoMondo& b) {
  auto retta = std::make_unique<cValoreRetta>(tipo);
  retta->x1 = a.x;
  retta->y1 = a.y;
  retta->x2 = b.x;
  retta->y2 = b.y;
  retta->bCoordCartesiane = true;
  if (const cRifCart* r = DatiGlob.RifCart) retta->ImpostaPixel(r->CartInPixel(a), r->CartInPixel(b));
  return retta;
}

// The world position of a point; one placed only in pixels is read back through the frame.
inline TPuntoMondo PosizionePunto(const cValorePunto& p) {
  if (!p.bCoordCartesiane && DatiGlob.RifCart) return DatiGlob.RifCart->PixelInCart(p.Pixel);
  return p.Punto();
}

}  // namespace qx::costruzioni
