// Placement is stored where the value stands in space: a value on a plane is read back
// standing free, at the same place (the file keeps no parent). The direction travels only
// when the up vector alone would not bring it back.
#include "app/file/AccessiSpazio.h"

#include <algorithm>
#include <cmath>

#include "platform/ColorNames.h"
#include "app/file/ValoriSpazio.h"
#include "solid/Facce3D.h"
#include "solid/Funzione3D.h"
#include "solid/Gruppo3D.h"
#include "solid/Parall3D.h"
#include "solid/Piano3D.h"
#include "solid/Poliedri3D.h"
#include "solid/Punto3D.h"
#include "solid/Retta3D.h"
#include "solid/Rotondi3D.h"
#include "solid/Solidi.h"

namespace qx {

namespace {

// A size read from a file: what a scene can hold (a damaged file may hold anything).
Reale Misura(Reale x) { return std::isfinite(static_cast<double>(x)) && std::fabs(x) < 1e30L ? x : 0; }
float Singolo(float x) { return std::isfinite(x) ? x : 0; }

Reale Reale_(const TCampiSpazio& f, const char* nome, Reale altrimenti = 0) {
  auto it = f.Reali.find(nome);
  return it != f.Reali.end() ? Misura(it->second) : altrimenti;
}
bool Booleano(const TCampiSpazio& f, const char* nome) {
  auto it = f.Booleani.find(nome);
  return it != f.Booleani.end() && it->second;
}
int Intero(const TCampiSpazio& f, const char* nome) {
  auto it = f.Interi.find(nome);
  return it != f.Interi.end() ? it->second : 0;
}
std::string Testo(const TCampiSpazio& f, const char* nome) {
  auto it = f.Testi.find(nome);
  return it != f.Testi.end() ? it->second : std::string();
}
TAffineVector Tre(const THomogeneousVector& v) { return {v.X, v.Y, v.Z}; }

// The direction a scene object takes when it is given only an up vector, from the first one.
TAffineVector DirezioneDaAlto(const TAffineVector& alto) {
  TGLBaseSceneObject prova;
  prova.SetUp(alto);
  return prova.Direction().AsAffineVector();
}

void LeggiPosto(const cValoreGraf3D& v, TCampiSpazio& f) {
  TGLCustomSceneObject* o = v.Principale();
  if (!o) return;
  const TAffineVector p = Tre(o->AbsolutePosition()), u = Tre(o->AbsoluteUp()), d = Tre(o->AbsoluteDirection());
  f.Posx = p.X, f.Posy = p.Y, f.Posz = p.Z;
  f.RollAngle = o->RollAngle();
  f.TurnAngle = o->TurnAngle();
  f.Upx = u.X, f.Upy = u.Y, f.Upz = u.Z;
  const TAffineVector ricavata = DirezioneDaAlto(u);
  if (VectorDistance(ricavata, d) > 1e-6f) {
    f.ConDirezione = true;
    f.Dirx = d.X, f.Diry = d.Y, f.Dirz = d.Z;
  }
}

void ScriviPosto(cValoreGraf3D& v, const TCampiSpazio& f) {
  TGLCustomSceneObject* o = v.Principale();
  if (!o) return;
  o->Position().SetAsVector({Singolo(f.Posx), Singolo(f.Posy), Singolo(f.Posz), 1});
  THomogeneousVector angoli = o->Rotation().AsVector();
  angoli.Y = Singolo(f.TurnAngle);
  angoli.Z = Singolo(f.RollAngle);
  o->Rotation().DirectVector(angoli);
  const TAffineVector u{f.Upx, f.Upy, f.Upz};
  // A file without an up vector keeps the value's own orientation.
  if (f.ConAlto && !VectorIsNull(u) && std::isfinite(u.X) && std::isfinite(u.Y) && std::isfinite(u.Z)) {
    TAffineVector d = f.ConDirezione ? TAffineVector{Singolo(f.Dirx), Singolo(f.Diry), Singolo(f.Dirz)} : DirezioneDaAlto(u);
    // The vectors as stored, to the last bit.
    o->Up().DirectVector(VectorFromAffine(u, 0));
    if (!VectorIsNull(d)) o->Direction().DirectVector(VectorFromAffine(d, 0));
  }
  o->TransformationChanged();
}

std::vector<TPunto3D> Estesi(const std::vector<TAffineVector>& v) {
  std::vector<TPunto3D> r;
  for (const auto& p : v) r.push_back({p.X, p.Y, p.Z});
  return r;
}
std::vector<TAffineVector> Singoli(const std::vector<TPunto3D>& v, std::size_t da, std::size_t quanti) {
  std::vector<TAffineVector> r;
  for (std::size_t i = da; i < da + quanti && i < v.size(); ++i) r.push_back({float(v[i].x), float(v[i].y), float(v[i].z)});
  return r;
}

// More faces than this are damage, not a solid.
constexpr int MASSIME_FACCE = 1002;

// Reads the class's own fields (the placement is read for every kind).
void LeggiCampi(const cValore& valore, TCampiSpazio& f) {
  if (const auto* g = dynamic_cast<const cValoreGruppo3D*>(&valore)) {
    f.Nomi = g->_Vett;
    return;
  }
  const auto* v = dynamic_cast<const cValoreGraf3D*>(&valore);
  if (!v) return;
  LeggiPosto(*v, f);
  if (auto* c = dynamic_cast<const cValoreCilindro3D*>(v)) {
    f.Reali = {{"Raggio", c->Raggio}, {"Altezza", c->Altezza}};
  } else if (auto* k = dynamic_cast<const cValoreCono3D*>(v)) {
    f.Reali = {{"Raggio", k->Raggio}, {"Altezza", k->Altezza}};
    f.Booleani["Cono2"] = k->Cono2;
  } else if (auto* s = dynamic_cast<const cValoreSfera3D*>(v)) {
    f.Reali["Raggio"] = s->Raggio;
  } else if (auto* b = dynamic_cast<const cValoreParall3D*>(v)) {
    f.Reali = {{"Larghezza", b->Larghezza}, {"Altezza", b->Altezza}, {"Profondita", b->Profondita}};
    f.Booleani["Aperto"] = b->Aperto;
  } else if (auto* p = dynamic_cast<const cValorePiramide3D*>(v)) {
    f.Reali = {{"Lato", p->Lato}, {"Altezza", p->Altezza}};
  } else if (auto* t = dynamic_cast<const cValoreTetraedro3D*>(v)) {
    // A pyramid made by PIRAMIDE is a polyhedron: it is written as one.
    if (t->Tipo == T_PIRAMIDE3D) f.Classe = "cValoreTetraedro3D";
    f.Reali = {{"Lato", t->Lato}, {"Altezza", t->Altezza}};
    f.Booleani["Aperto"] = t->Aperto;
    f.Interi["nFacce"] = t->nFacce;
  } else if (auto* q = dynamic_cast<const cValorePunto3D*>(v)) {
    f.Testi["_text"] = q->_text;
  } else if (auto* pi = dynamic_cast<const cValorePiano3D*>(v)) {
    f.Reali = {{"Altezza", pi->Altezza}, {"Larghezza", pi->Larghezza}};
  } else if (auto* fa = dynamic_cast<const cValoreFaccia3D*>(v)) {
    auto& copia = const_cast<cValoreFaccia3D&>(*fa);
    copia.PuntiDaPoligono();
    f.Punti = fa->_Punti;
  } else if (auto* fu = dynamic_cast<const cValoreFunzione3D*>(v)) {
    f.Testi["_sFunz"] = fu->_sFunz;
  } else if (auto* so = dynamic_cast<const cValoreSolido3D*>(v)) {
    f.Interi["nFacce"] = so->nFacce;
    // The two bases (the sides are made from them again).
    for (int i = 1; i <= 2; ++i)
      if (const TGLPolygon* base = so->Faccia(i))
        for (const auto& p : Estesi(NodiNelPadre(*base))) f.Punti.push_back(p);
  } else if (auto* r = dynamic_cast<const cValoreRetta3D*>(v)) {
    if (r->Linea()) f.Reali["Altezza"] = r->Linea()->Height();
  }
}

std::unique_ptr<cValore> Crea(TipiValore tipo, const TCampiSpazio& f) {
  switch (tipo) {
    case T_GRUPPO3D: return std::make_unique<cValoreGruppo3D>();
    case T_CILINDRO3D: return std::make_unique<cValoreCilindro3D>(Reale_(f, "Raggio"), Reale_(f, "Altezza"));
    case T_CONO3D:
      return std::make_unique<cValoreCono3D>(Booleano(f, "Cono2"), Reale_(f, "Raggio"), Reale_(f, "Altezza"));
    case T_SFERA3D: return std::make_unique<cValoreSfera3D>(nullptr, Reale_(f, "Raggio"));
    case T_CUBO3D:
    case T_PARALL3D:
      return std::make_unique<cValoreParall3D>(tipo, nullptr, Reale_(f, "Profondita"), Reale_(f, "Altezza"),
                                               Reale_(f, "Larghezza"), Booleano(f, "Aperto"));
    case T_PIRAMIDE3D:
      if (!SameIdent(f.Classe, "cValoreTetraedro3D"))
        return std::make_unique<cValorePiramide3D>(Reale_(f, "Lato"), Reale_(f, "Altezza"));
      [[fallthrough]];
    case T_TETRAEDRO3D:
    case T_PRISMA3D:
    case T_OTTAEDRO3D:
    case T_DODECAEDRO3D:
    case T_ICOSAEDRO3D: {
      auto p = std::make_unique<cValoreTetraedro3D>(tipo, nullptr, Reale_(f, "Altezza"), Reale_(f, "Lato"));
      if (Booleano(f, "Aperto") && Apribile(tipo)) p->Apri(false);
      return p;
    }
    case T_PUNTO3D: return std::make_unique<cValorePunto3D>();
    case T_PIANO3D: return std::make_unique<cValorePiano3D>(Reale_(f, "Larghezza"), Reale_(f, "Altezza"));
    case T_SEGMENTO3D:
    case T_RETTA3D: {
      auto r = std::make_unique<cValoreRetta3D>(tipo);
      // Files without the length held only lines of the standard length.
      const Reale h = Reale_(f, "Altezza", 0);
      if (r->Linea()) r->Linea()->SetHeight(float(h == 0 && tipo == T_RETTA3D ? LUNGHEZZA_RETTA3D : h));
      return r;
    }
    case T_FUNZIONE3D: return std::make_unique<cValoreFunzione3D>();
    case T_FACCIA3D: return std::make_unique<cValoreFaccia3D>();
    case T_SOLIDO3D: {
      // Two bases and their sides: as many faces as the stored bases have corners, plus 2.
      const int facce = f.Punti.empty() ? Intero(f, "nFacce") : int(f.Punti.size() / 2) + 2;
      return std::make_unique<cValoreSolido3D>(std::clamp(facce, 0, MASSIME_FACCE));
    }
    default: return nullptr;
  }
}

// Fills a value made by Crea from the fields and the drawable part already read.
void ScriviCampi(cValore& valore, const TCampiSpazio& f) {
  if (auto* g = dynamic_cast<cValoreGruppo3D*>(&valore)) {
    g->_Vett = f.Nomi;
    return;
  }
  auto* v = dynamic_cast<cValoreGraf3D*>(&valore);
  if (!v) return;
  ScriviPosto(*v, f);
  if (auto* q = dynamic_cast<cValorePunto3D*>(v)) {
    q->_text = Testo(f, "_text");
  } else if (auto* fa = dynamic_cast<cValoreFaccia3D*>(v)) {
    fa->_Punti = f.Punti;
    fa->PoligonoDaPunti();
  } else if (auto* fu = dynamic_cast<cValoreFunzione3D*>(v)) {
    // A text that no longer parses is kept, without a tree.
    const std::string testo = Testo(f, "_sFunz");
    fu->bMessaggi = false;
    if (!fu->SetFunzione(testo)) fu->_sFunz = testo;
    fu->bMessaggi = true;
  } else if (auto* so = dynamic_cast<cValoreSolido3D*>(v)) {
    const std::size_t n = f.Punti.size() / 2;
    if (n > 0) so->ImpostaBasi(Singoli(f.Punti, 0, n), Singoli(f.Punti, n, n));
  }
  v->AggiornaColori();
}

}  // namespace

void RegistraAccessiSpazio() {
  RegistraSolidi();
  for (int t = T_GRUPPO3D; t <= T_ICOSAEDRO3D; ++t) {
    const auto tipo = static_cast<TipiValore>(t);
    TAccessoSpazio a;
    a.Crea = [tipo](const TCampiSpazio& f) { return Crea(tipo, f); };
    a.Leggi = LeggiCampi;
    a.Scrivi = ScriviCampi;
    RegistraAccessoSpazio(tipo, std::move(a));
  }
}

}  // namespace qx
