// The space statements of solids: CILINDRO, CONO and CONO2, the polyhedra (PIRAMIDE,
// PRISMA, TETRAEDRO, OTTAEDRO, DODECAEDRO, ICOSAEDRO), SFERA, CUBO and PARALLELEPIPEDO, and
// APRIPOLIEDRO.
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "solid/Comandi3D.h"
#include "solid/Posizionamento3D.h"
#include "solid/Parall3D.h"
#include "solid/Poliedri3D.h"
#include "solid/Rotondi3D.h"
#include "values/FunzioniAusiliarie.h"

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

// CILINDRO
//   "(" [ P "," ] n "," n ")"
PValore CmdCilindro(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Inizia(nome, Esegui)) return nullptr;
  TPosto p;
  if (!LeggiPosto(a, 2, false, p)) return Errati(nome);
  const Reale r = a.Numero(p.numeri), h = a.Numero(p.numeri + 1);
  auto c = std::make_unique<cValoreCilindro3D>(r, h);
  // The base is centred on the point.
  if (p.conPunto) c->SetPosizione(VectorAdd(p.punto, TAffineVector{0, 0, float(h / 2)}));
  return Memorizza(std::move(c));
}

// CONO, CONO2
//   "(" [ P "," ] n "," n ")"
PValore CmdCono(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Inizia(nome, Esegui)) return nullptr;
  TPosto p;
  if (!LeggiPosto(a, 2, false, p)) return Errati(nome);
  const Reale x = a.Numero(p.numeri), y = a.Numero(p.numeri + 1);
  if (nome == ParoleChiave.CONO2) {
    // Height y and half-opening x degrees; the common apex on the point.
    auto c = std::make_unique<cValoreCono3D>(true, 2 * y * std::sin(GradiInRadianti(x)), y);
    if (p.conPunto) c->SetPosizione(VectorSubtract(p.punto, TAffineVector{0, 0, float(y)}));
    return Memorizza(std::move(c));
  }
  auto c = std::make_unique<cValoreCono3D>(false, x, y);
  if (p.conPunto) c->SetPosizione(p.punto);
  return Memorizza(std::move(c));
}

// PIRAMIDE, PRISMA, TETRAEDRO, OTTAEDRO, DODECAEDRO, ICOSAEDRO
//   "(" [ P "," ] n [ "," n ] ")"
PValore CmdPoliedro(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Inizia(nome, Esegui)) return nullptr;
  const TParoleChiave& k = ParoleChiave;
  TipiValore tipo = T_TETRAEDRO3D;
  if (nome == k.PIRAMIDE) tipo = T_PIRAMIDE3D;
  else if (nome == k.PRISMA) tipo = T_PRISMA3D;
  else if (nome == k.OTTAEDRO) tipo = T_OTTAEDRO3D;
  else if (nome == k.DODECAEDRO) tipo = T_DODECAEDRO3D;
  else if (nome == k.ICOSAEDRO) tipo = T_ICOSAEDRO3D;
  TPosto p;
  if (!LeggiPosto(a, 1, false, p)) {
    p = TPosto{};
    if (!LeggiPosto(a, 2, false, p)) return Errati(nome);
  }
  const Reale lato = a.Numero(p.numeri);
  const Reale altezza = a.Count() > p.numeri + 1 ? a.Numero(p.numeri + 1) : 0;
  auto v = std::make_unique<cValoreTetraedro3D>(tipo, nullptr, altezza, lato);
  return Colloca(std::move(v), p, {0, 0, 0});
}

// CUBO, PARALLELEPIPEDO
//   "(" [ plane "," ] [ P "," ] n ")" | "(" [ plane "," ] [ P "," ] n "," n "," n ")"
PValore CmdParallelepipedo(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Inizia(nome, Esegui)) return nullptr;
  DatiGlob.OggettoGLRiferimento = nullptr;
  const bool cubo = nome == ParoleChiave.CUBO;
  TPosto p;
  if (!LeggiPosto(a, cubo ? 1 : 3, true, p)) return Errati(nome);
  const Reale larghezza = a.Numero(p.numeri);
  const Reale profondita = cubo ? larghezza : a.Numero(p.numeri + 1);
  const Reale altezza = cubo ? larghezza : a.Numero(p.numeri + 2);
  auto v = std::make_unique<cValoreParall3D>(cubo ? T_CUBO3D : T_PARALL3D, p.piano, profondita, altezza, larghezza);
  return Colloca(std::move(v), p, {0, 0, float(profondita / 2)});
}

// APRIPOLIEDRO
//   "(" box | tetrahedron | octahedron | dodecahedron | icosahedron ")"
PValore CmdApriPoliedro(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Inizia(nome, Esegui)) return nullptr;
  const TipiValore t = a.Tipo(0);
  if (a.Count() != 1 || !(t == T_CUBO3D || t == T_PARALL3D || Apribile(t))) return Errati(nome);
  cValoreGraf3D* v = Memorizzato(a.Valore(0));
  if (auto* scatola = dynamic_cast<cValoreParall3D*>(v)) scatola->Apri(true);
  else if (auto* poliedro = dynamic_cast<cValoreTetraedro3D*>(v)) poliedro->Apri(true);
  else return Errati(nome);
  DatiGlob.OggettoGLScelto = nullptr;
  return nullptr;
}

}  // namespace

void RegistraComandiSolidi() {
  RegistraComando("CmdSfera", CmdSfera);
  RegistraComando("CmdCilindro", CmdCilindro);
  RegistraComando("CmdCono", CmdCono);
  RegistraComando("CmdPoliedro", CmdPoliedro);
  RegistraComando("CmdParallelepipedo", CmdParallelepipedo);
  RegistraComando("CmdApriPoliedro", CmdApriPoliedro);
}


}  // namespace qx::spazio
