// What every space statement shares: the frame check, the argument forms, the points of
// the arguments, and the store of the new value.
#pragma once
#include <initializer_list>
#include <memory>
#include <string>

#include "interpreter/Argomenti.h"
#include "interpreter/Dispatch.h"
#include "interpreter/Istruzioni.h"
#include "solid/Valore3D.h"

namespace qx::spazio {

// False when there is nothing to do: not executing, or (with the message) no space frame.
// Otherwise the space view is shown, if it is not already.
bool Inizia(const std::string& nome, bool Esegui);
// "Parametri errati per " + nome; nothing is made.
PValore Errati(const std::string& nome);
// Exactly these kinds, in this order.
bool Forma(const ListaArgomenti& a, std::initializer_list<TipiValore> tipi);
// The stored value of an argument (found by its name), or nullptr.
cValoreGraf3D* Memorizzato(const cValore* argomento);
// Where the point of argument i is in space.
TAffineVector Punto(const ListaArgomenti& a, int i);
// A point of space in the frame of a scene object.
TAffineVector InLocale(TGLBaseSceneObject* o, const TAffineVector& assoluto);
// Stores a new value as anonymous and hands it back.
template <class T>
PValore Memorizza(std::unique_ptr<T> v) {
  StoreVariable(true, "", *v, nullptr);
  return v;
}

// The families of handlers.
void RegistraComandiPunti();
void RegistraComandiSolidi();
void RegistraComandiGruppi();

}  // namespace qx::spazio
