// The symbolic derivative with respect to x: rules node by node (DerivaNodo), then twenty
// passes of a rewriting (RiscriviAlbero) that clears the zeros, ones and double signs the
// rules leave. y and program variables are constants.
#pragma once
#include "values/espressioni/LavoroSimbolico.h"
#include "values/espressioni/NodoEspr.h"

namespace qx {

// A new tree, the derivative; nothing after the error box "Derivata non possibile" (a
// function without a rule, Int, a call of a program variable, or a tree too deep). The work
// is a LavoroSimbolico: cut short (too large, or stopped by the user) it gives nothing, shows
// nothing and says why in `esito`.
PNodo Derivata(const NodoEspr* radice, EsitoLavoro* esito = nullptr);
// The rules alone; `fallito` is set when some node has no rule.
PNodo DerivaNodo(const NodoEspr& n, bool& fallito);
// One rewriting pass, in place: the tree's nodes are rearranged and reused, not copied.
void RiscriviAlbero(PNodo& n);

}  // namespace qx
