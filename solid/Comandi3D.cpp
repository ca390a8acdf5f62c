#include "solid/Comandi3D.h"

#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "solid/Punto3D.h"
#include "values/Variabili.h"

namespace qx::spazio {

bool Inizia(const std::string& nome, bool Esegui) {
  if (!Esegui) return false;
  if (!DatiGlob.RifCart3D) {
    ReportError(nome + ParoleChiave.msgRifCart3D, true);
    return false;
  }
  // What a space statement makes is seen in the space view: a pupil who typed it under the
  // plane sees it, and a value that waits for the mouse is placed where it can be seen.
  if (!DatiGlob.bVista3D) Finestra().MostraVista(true);
  return true;
}

PValore Errati(const std::string& nome) {
  ReportError(ParoleChiave.msgParametriErrati + nome, true);
  return nullptr;
}

bool Forma(const ListaArgomenti& a, std::initializer_list<TipiValore> tipi) {
  if (a.Count() != static_cast<int>(tipi.size())) return false;
  int i = 0;
  for (TipiValore t : tipi)
    if (a.Tipo(i++) != t) return false;
  return true;
}

cValoreGraf3D* Memorizzato(const cValore* argomento) {
  cListaVariabili* t = DatiGlob.ListaVariabili;
  if (!argomento || !t || argomento->Nome.empty()) return nullptr;
  return dynamic_cast<cValoreGraf3D*>(t->CercaValore(*argomento));
}

TAffineVector Punto(const ListaArgomenti& a, int i) {
  const auto* p = dynamic_cast<const cValorePunto3D*>(a.Valore(i));
  return p ? p->CoordinateAssolute() : TAffineVector{0, 0, 0};
}

TAffineVector InLocale(TGLBaseSceneObject* o, const TAffineVector& assoluto) {
  return o ? AffineVectorFromVector(o->AbsoluteToLocal(VectorFromAffine(assoluto, 1))) : assoluto;
}

}  // namespace qx::spazio
