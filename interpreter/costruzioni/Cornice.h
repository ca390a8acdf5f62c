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
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "interpreter/geometria/Geomet.h"
#include "values/RifCart.h"
#include "values/figure/ValorePunto.h"
#include "values/figure/ValoreRetta.h"

namespace qx::costruzioni {

inline void Inizia() { DatiGlob.bParametriErrati = true; }

// A form matched.
inline void Riconosciuto() { DatiGlob.bParametriErrati = false; }

// The frame's reports, argument matching and the new points and lines are those of the
// other geometry commands.
using geo::Errore;
using geo::Forma;
using geo::NuovaRetta;
using geo::NuovoPunto;

inline PValore ParametriErrati(const std::string& nome) { return geo::ErroreParametri(nome); }

// Reports the wrong arguments when no form matched (and nothing else was reported).
inline PValore Fine(const std::string& nome) {
  if (DatiGlob.bParametriErrati && !DatiGlob.bStop) ParametriErrati(nome);
  return nullptr;
}

// False, with the frame message, when no Cartesian frame exists.
inline bool RifCartPresente(const std::string& nome) { return geo::ControllaRifCart(nome); }

inline bool IsLineare(TipiValore t) { return geo::IsRettaSegmentoSemiretta(t); }

// Hands a new figure to the variable table as an anonymous value (which also draws it) and
// gives it back to the caller.
template <class T>
PValore Memorizza(std::unique_ptr<T> valore) {
  geo::Memorizza(*valore);
  return valore;
}

// The world position of a point; one placed only in pixels is read back through the frame.
inline TPuntoMondo PosizionePunto(const cValorePunto& p) {
  if (!p.bCoordCartesiane && DatiGlob.RifCart) return DatiGlob.RifCart->PixelInCart(p.Pixel);
  return p.Punto();
}

}  // namespace qx::costruzioni
