// EDONUM and EDOGRAF: y' = f(x, y), y(x0) = y0, with f a function of x and y. EDONUM gives
// y at one abscissa; EDOGRAF stores the solution as a function in differential-equation
// mode (which draws itself through the solver) and gives the solver's nodes and slopes.
#include "interpreter/costruzioni/ComandiCostruzioni.h"
#include "interpreter/costruzioni/Cornice.h"
#include "interpreter/costruzioni/FunzioneXY.h"
#include "values/EquazioniDifferenziali.h"
#include "values/ValoreFunzione.h"
#include "values/ValoriScalari.h"
#include "values/VettoriMatrici.h"

namespace qx {

namespace {

using namespace costruzioni;

PValore CmdEdo(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  const bool numero = nome == ParoleChiave.EDONUM;
  const bool forma = numero ? Forma(a, {T_FUNZIONE3D, T_REALE, T_REALE, T_REALE, T_REALE})
                            : Forma(a, {T_FUNZIONE3D, T_REALE, T_REALE, T_REALE});
  const auto* f = FunzioneXYDi(a.Valore(0));
  if (!forma || !f || !f->Albero()) return Fine(nome);
  Riconosciuto();
  const Reale x0 = a.Numero(1), X = a.Numero(2), y0 = a.Numero(3);
  const auto destra = [f](Reale x, Reale y) { return f->ValutaXY(x, y); };
  if (numero) return std::make_unique<cValoreReale>(RisolviEDO(destra, x0, y0, X, a.Numero(4)).y);

  if (!DatiGlob.RifCart) return Errore(ParoleChiave.GRAFICOFUNZ + ParoleChiave.msgRifCart);
  const SoluzioneEDO s = RisolviEDO(destra, x0, y0, X, X);
  const int n = s.nodi.Dimensione();
  auto tabella = std::make_unique<cMatrReale>(n, 2);
  for (int j = 1; j <= n; ++j) {
    tabella->Scrivi(j, 1, s.nodi(j));
    tabella->Scrivi(j, 2, s.pendenze(j));
  }
  auto grafico = std::make_unique<cValoreFunzione>(T_FUNZIONE);
  grafico->ImpostaAlbero(CopiaAlbero(f->Albero()));
  grafico->_xa = x0;
  grafico->_xb = X;
  grafico->_bEDO = true;
  grafico->_EDOy0 = y0;
  grafico->_bGrafico = 2;
  grafico->_bGraficoCompleto = false;
  Memorizza(std::move(grafico));
  return tabella;
}

}  // namespace

void RegistraComandiEdo() { RegistraComando("CmdEdo", CmdEdo); }

}  // namespace qx
