// ELLISSE, IPERBOLE and PARABOLA: the defining data of a conic, from the numbers of its
// canonical equation or from two points of its main axis and a shape factor. A conic that
// would collapse into a line or a point (a zero parameter, one point given twice, a zero
// factor) is refused with the wrong-arguments message: it has nothing to draw.
#include <cmath>

#include "interpreter/costruzioni/ComandiCostruzioni.h"
#include "interpreter/costruzioni/Cornice.h"
#include "values/figure/ValoreConica.h"

namespace qx {

namespace {

using namespace costruzioni;

TipiValore TipoConica(const std::string& nome) {
  const TParoleChiave& k = ParoleChiave;
  if (nome == k.IPERBOLE) return T_IPERBOLE;
  if (nome == k.PARABOLA) return T_PARABOLA;
  return T_ELLISSE;
}

PValore CmdConica(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  const TipiValore tipo = TipoConica(nome);
  auto conica = std::make_unique<cValoreConica>(tipo);
  if (a.Tipo(0) != T_PUNTO) {
    const cRifCart* rif = DatiGlob.RifCart;
    if (!rif || !rif->_bAssi) return Errore(nome + ParoleChiave.msgRifCart);
    if (Forma(a, {T_REALE, T_REALE})) {
      conica->_a = a.Numero(0);
      conica->_b = a.Numero(1);
    } else if (tipo == T_PARABOLA && Forma(a, {T_REALE})) {
      conica->_a = a.Numero(0);
    } else {
      return Fine(nome);
    }
    if (conica->_a == 0 || (tipo != T_PARABOLA && conica->_b == 0)) return Fine(nome);
  } else {
    if (!Forma(a, {T_PUNTO, T_PUNTO, T_REALE})) return Fine(nome);
    const TPuntoMondo A = PosizionePunto(static_cast<const cValorePunto&>(*a.Valore(0)));
    const TPuntoMondo B = PosizionePunto(static_cast<const cValorePunto&>(*a.Valore(1)));
    const Reale k = std::fabs(a.Numero(2));
    if ((A.x == B.x && A.y == B.y) || k == 0) return Fine(nome);
    conica->_xa = A.x;
    conica->_ya = A.y;
    conica->_xb = B.x;
    conica->_yb = B.y;
    conica->_k = k;
  }
  Riconosciuto();
  conica->bCoordCartesiane = true;
  return Memorizza(std::move(conica));
}

}  // namespace

void RegistraComandiConica() { RegistraComando("CmdConica", CmdConica); }

}  // namespace qx
