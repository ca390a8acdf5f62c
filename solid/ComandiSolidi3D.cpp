// The space statements of solids: CILINDRO, CONO and CONO2, the polyhedra (PIRAMIDE,
// PRISMA, TETRAEDRO, OTTAEDRO, DODECAEDRO, ICOSAEDRO), SFERA, CUBO and PARALLELEPIPEDO, and
// APRIPOLIEDRO.
#include "runstate/DatiGlob.h"
#include "runstate/ParoleChiave.h"
#include "solid/Comandi3D.h"
#include "solid/Posizionamento3D.h"
#include "solid/Rotondi3D.h"

namespace qx::spazio {

namespace {

// Where a new solid goes: an optional plane it stands on, then an optional point, then
// the numbers.
struct TPosto {
  cValoreGraf3D* piano = nullptr;
  bool conPunto = false;
  TAffineVector punto;
  int numeri = 0;  // index of the first number
};

//   [ plane "," ] [ P "," ] n { "," n }   with exactly `quanti` numbers
bool LeggiPosto(const ListaArgomenti& a, int quanti, bool conPiano, TPosto& p) {
  int i = 0;
  if (conPiano && a.Tipo(i) == T_PIANO3D) {
    p.piano = Memorizzato(a.Valore(i));
    if (!p.piano || !p.piano->Principale()) return false;
    ++i;
  }
  if (a.Tipo(i) == T_PUNTO3D) {
    p.conPunto = true;
    p.punto = Punto(a, i);
    ++i;
  }
  p.numeri = i;
  if (a.Count() != i + quanti) return false;
  for (int k = i; k < a.Count(); ++k)
    if (a.Tipo(k) != T_REALE) return false;
  return true;
}

// The value is placed at the point given, or with the mouse (on the plane when there is one).
template <class T>
PValore Colloca(std::unique_ptr<T> v, const TPosto& p, const TAffineVector& spostamento) {
  TDatiGlob& g = DatiGlob;
  if (p.conPunto) {
    TGLBaseSceneObject* padre = v->Principale() ? v->Principale()->Parent() : nullptr;
    v->SetPosizione(VectorAdd(InLocale(padre, p.punto), spostamento));
    return Memorizza(std::move(v));
  }
  g.OggettoGLRiferimento = p.piano ? p.piano->Principale() : nullptr;
  if (!Posiziona3D(*v)) return nullptr;
  return Memorizza(std::move(v));
}

// SFERA
//   "(" [ plane "," ] [ P "," ] n ")"
PValore CmdSfera(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Inizia(nome, Esegui)) return nullptr;
  DatiGlob.OggettoGLRiferimento = nullptr;
  TPosto p;
  if (!LeggiPosto(a, 1, true, p)) return Errati(nome);
  auto s = std::make_unique<cValoreSfera3D>(p.piano, a.Numero(p.numeri));
  return Colloca(std::move(s), p, {0, 0, 0});
}

}  // namespace

void RegistraComandiSolidi() { RegistraComando("CmdSfera", CmdSfera); }

}  // namespace qx::spazio
