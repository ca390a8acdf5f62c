// The space statements of points, lines, planes, faces and solids built on them: PUNTO3D,
// SEGMENTO3D and RETTA3D, PIANO and PIANOSEC, FACCIA, INTERSEZIONE3D, SOLIDO, RUOTA3D.
#include <cctype>
#include <cmath>

#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "solid/Comandi3D.h"
#include "solid/Facce3D.h"
#include "solid/Piano3D.h"
#include "solid/Posizionamento3D.h"
#include "solid/Punto3D.h"
#include "solid/Retta3D.h"
#include "solid/Rotondi3D.h"
#include "values/FunzioniAusiliarie.h"

namespace qx::spazio {

namespace {

TPunto3D Esteso(const TAffineVector& v) { return {v.X, v.Y, v.Z}; }

// PUNTO3D
//   "(" n "," n "," n ")" | "(" plane ")" | [ "(" ")" ]
PValore CmdPunto3D(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Inizia(nome, Esegui)) return nullptr;
  TDatiGlob& g = DatiGlob;
  if (Forma(a, {T_REALE, T_REALE, T_REALE})) {
    auto p = std::make_unique<cValorePunto3D>();
    p->SetPosizione({float(a.Numero(0)), float(a.Numero(1)), float(a.Numero(2))});
    return Memorizza(std::move(p));
  }
  if (Forma(a, {T_PIANO3D})) {
    cValoreGraf3D* piano = Memorizzato(a.Valore(0));
    if (!piano || !piano->Principale()) return Errati(nome);
    auto p = std::make_unique<cValorePunto3D>(piano);
    g.OggettoGLRiferimento = piano->Principale();
    if (!Posiziona3D(*p, ParoleChiave.prmPunto3D)) return nullptr;
    return Memorizza(std::move(p));
  }
  if (a.Vuota()) {
    auto p = std::make_unique<cValorePunto3D>();
    g.OggettoGLRiferimento = nullptr;
    if (!Posiziona3D(*p, ParoleChiave.prmPunto3D)) return nullptr;
    return Memorizza(std::move(p));
  }
  return Errati(nome);
}

// The plane through three points, or nullptr (with the message) when they are on one line.
std::unique_ptr<cValorePiano3D> PianoPerTre(const TAffineVector& a, const TAffineVector& b, const TAffineVector& c,
                                            const std::string& nome) {
  TPunto3D n, punto;
  PianoPerTrePunti(Esteso(a), Esteso(b), Esteso(c), n, punto);
  const long double lunghezza = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
  const long double ab = VectorDistance(a, b), ac = VectorDistance(a, c);
  if (!(lunghezza > 1e-6L * ab * ac) || !std::isfinite(static_cast<double>(lunghezza))) {
    ReportError("Punti allineati per " + nome, true);
    return nullptr;
  }
  auto piano = std::make_unique<cValorePiano3D>(10, 10);
  piano->Principale()->SetDirection({float(n.x / lunghezza), float(n.y / lunghezza), float(n.z / lunghezza)});
  piano->SetPosizione(a);
  return piano;
}

// SEGMENTO3D, RETTA3D
//   "(" P "," P ")"
PValore CmdSegmento3D(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Inizia(nome, Esegui)) return nullptr;
  if (!Forma(a, {T_PUNTO3D, T_PUNTO3D})) return Errati(nome);
  const TAffineVector p1 = Punto(a, 0), p2 = Punto(a, 1);
  // It stands where its first point does.
  cValoreGraf3D* primo = Memorizzato(a.Valore(0));
  cValoreGraf3D* padre = primo ? primo->Padre() : static_cast<cValoreGraf3D*>(a.Valore(0))->Padre();
  const bool retta = nome == ParoleChiave.RETTA3D;
  auto r = std::make_unique<cValoreRetta3D>(retta ? T_RETTA3D : T_SEGMENTO3D, padre);
  const TAffineVector d = VectorSubtract(p2, p1);
  if (retta) r->Colloca(p1, d, LUNGHEZZA_RETTA3D);
  else r->Colloca(VectorCombine(p1, p2, 0.5f, 0.5f), d, VectorLength(d));
  return Memorizza(std::move(r));
}

// The plane that cuts a double cone for the conic sections: 100 wide, 10 high, turned by
// 90 - n - 15 degrees.
std::unique_ptr<cValorePiano3D> PianoSecante(const ListaArgomenti& a) {
  const auto* cono = dynamic_cast<const cValoreCono3D*>(a.Valore(0));
  if (!cono || !cono->Cono2 || !cono->Principale()) return nullptr;
  auto piano = std::make_unique<cValorePiano3D>(100, 10);
  const THomogeneousVector c = cono->Principale()->AbsolutePosition();
  piano->SetPosizione({c.X, c.Y, piano->Posz()});
  piano->Principale()->SetTurnAngle(float(90 - a.Numero(1) - 15));
  return piano;
}

// PIANO, PIANOSEC
//   "(" cone "," n ")" | "(" P "," P "," P ")" | "(" P "," P ")"
PValore CmdPiano(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Inizia(nome, Esegui)) return nullptr;
  TDatiGlob& g = DatiGlob;
  if (Forma(a, {T_PUNTO3D, T_PUNTO3D, T_PUNTO3D})) {
    auto piano = PianoPerTre(Punto(a, 0), Punto(a, 1), Punto(a, 2), nome);
    return piano ? Memorizza(std::move(piano)) : nullptr;
  }
  if (Forma(a, {T_PUNTO3D, T_PUNTO3D})) {
    const TAffineVector p1 = Punto(a, 0), p2 = Punto(a, 1);
    // Through the origin to start with; a line through the origin starts it upright.
    TAffineVector terzo{0, 0, 0};
    const TAffineVector lungo = VectorSubtract(p2, p1);
    if (VectorLength(VectorCrossProduct(lungo, VectorSubtract(terzo, p1))) <= 1e-6f * VectorLength(lungo) * VectorLength(p1))
      terzo = VectorAdd(p1, VectorLength(VectorCrossProduct(lungo, {0, 0, 1})) > 1e-6f ? TAffineVector{0, 0, 1}
                                                                                            : TAffineVector{1, 0, 0});
    auto piano = PianoPerTre(p1, p2, terzo, nome);
    if (!piano) return nullptr;
    piano->SetPosizione({0, 0, 0});
    // A point moved with the mouse; the plane follows it through the two points.
    auto mobile = std::make_unique<cValorePunto3D>();
    mobile->SetPosizione({0, 0, 0});
    g.bAttesaPiano3D = true;
    g.OggettoGLRiferimento = nullptr;
    piano->Principale()->SetVisible(true);
    PianoInPosizionamento() = {piano.get(), p1, p2};
    const bool riuscito = Posiziona3D(*mobile);
    PianoInPosizionamento() = {};
    g.bAttesaPiano3D = false;
    mobile.reset();
    if (!riuscito) return nullptr;
    return Memorizza(std::move(piano));
  }
  if (Forma(a, {T_CONO3D, T_REALE})) {
    auto piano = PianoSecante(a);
    if (!piano) return Errati(nome);
    return Memorizza(std::move(piano));
  }
  return Errati(nome);
}

// FACCIA
//   "(" P { "," P } ")"
PValore CmdFaccia(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Inizia(nome, Esegui)) return nullptr;
  if (a.Vuota()) return Errati(nome);
  std::vector<TAffineVector> punti;
  for (int i = 0; i < a.Count(); ++i) {
    if (a.Tipo(i) != T_PUNTO3D) return Errati(nome);
    punti.push_back(Punto(a, i));
  }
  auto f = std::make_unique<cValoreFaccia3D>();
  f->ImpostaVertici(punti);
  return Memorizza(std::move(f));
}

// INTERSEZIONE3D
//   "(" plane "," plane ")"
PValore CmdIntersezione3D(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Inizia(nome, Esegui)) return nullptr;
  if (!Forma(a, {T_PIANO3D, T_PIANO3D})) return Errati(nome);
  const auto& p1 = static_cast<const cValorePiano3D&>(*a.Valore(0));
  const auto& p2 = static_cast<const cValorePiano3D&>(*a.Valore(1));
  TAffineVector punto, direzione;
  if (!IntersezionePiani3D(p1.Normale(), p1.PuntoDelPiano(), p2.Normale(), p2.PuntoDelPiano(), punto, direzione)) {
    ReportError(nome + " i due piani sono paralleli", true);
    return nullptr;
  }
  auto r = std::make_unique<cValoreRetta3D>(T_RETTA3D);
  r->Colloca(punto, direzione, LUNGHEZZA_RETTA3D);
  return Memorizza(std::move(r));
}

// SOLIDO
//   "(" F "," F ")" | "(" F "," P ")"
PValore CmdSolido(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Inizia(nome, Esegui)) return nullptr;
  const bool conApice = Forma(a, {T_FACCIA3D, T_PUNTO3D});
  if (!conApice && !Forma(a, {T_FACCIA3D, T_FACCIA3D})) return Errati(nome);
  const auto& f1 = static_cast<const cValoreFaccia3D&>(*a.Valore(0));
  const std::vector<TAffineVector> base1 = f1.VerticiAssoluti();
  std::vector<TAffineVector> base2;
  if (conApice) {
    base2.assign(base1.size(), Punto(a, 1));
  } else {
    base2 = static_cast<const cValoreFaccia3D&>(*a.Valore(1)).VerticiAssoluti();
    if (base2.size() != base1.size()) {
      ReportError(nome + ": Le due facce non hanno lo stesso numero di vertici", true);
      return nullptr;
    }
  }
  auto baricentro = [](const std::vector<TAffineVector>& v) {
    TAffineVector b{0, 0, 0};
    for (const auto& p : v) b = VectorAdd(b, p);
    return v.empty() ? b : VectorScale(b, 1.0f / float(v.size()));
  };
  // Each base about its own barycentre, the second moved by the distance between the two.
  const TAffineVector b1 = baricentro(base1), b2 = baricentro(base2);
  std::vector<TAffineVector> r1, r2;
  for (const auto& p : base1) r1.push_back(VectorSubtract(p, b1));
  for (const auto& p : base2) r2.push_back(VectorAdd(VectorSubtract(p, b2), VectorSubtract(b2, b1)));
  auto s = std::make_unique<cValoreSolido3D>(int(base1.size()) + 2);
  s->SetPosizione(b1);
  s->ImpostaBasi(r1, r2);
  return Memorizza(std::move(s));
}

// RUOTA3D
//   "(" P "," P "," S "," n ")"
PValore CmdRuota3D(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Inizia(nome, Esegui)) return nullptr;
  if (!Forma(a, {T_PUNTO3D, T_PUNTO3D, T_STRINGA, T_REALE})) return Errati(nome);
  const std::string asse = a.Testo(2);
  const char lettera = asse.empty() ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(asse[0])));
  TPunto3D p = Esteso(Punto(a, 0));
  if (lettera == 'X' || lettera == 'Y' || lettera == 'Z')
    p = RuotaPunto3D(p, Esteso(Punto(a, 1)), lettera, GradiInRadianti(a.Numero(3)));
  auto r = std::make_unique<cValorePunto3D>();
  r->SetPosizione({float(p.x), float(p.y), float(p.z)});
  return Memorizza(std::move(r));
}

}  // namespace

void RegistraComandiPunti() {
  RegistraComando("CmdPunto3D", CmdPunto3D);
  RegistraComando("CmdPiano", CmdPiano);
  RegistraComando("CmdRuota3D", CmdRuota3D);
  RegistraComando("CmdSegmento3D", CmdSegmento3D);
  RegistraComando("CmdFaccia", CmdFaccia);
  RegistraComando("CmdIntersezione3D", CmdIntersezione3D);
  RegistraComando("CmdSolido", CmdSolido);
}

}  // namespace qx::spazio
