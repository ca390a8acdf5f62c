#pragma once

namespace qx {

// The list builders (LISTA, VETTORE_FUNZ) and the element reader of list variables.
void RegistraComandiLista();

}  // namespace qx
