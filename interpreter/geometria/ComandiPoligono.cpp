// POLIGONO and POLIGONALE from points, and the named shapes (QUADRATO ... ESAGONO) built
// from their sizes, placed with the mouse, or built on a segment on a side the user picks.
#include <cmath>
#include <vector>

#include "interpreter/Attese.h"
#include "interpreter/geometria/ComandiGeometria.h"
#include "interpreter/geometria/Geomet.h"
#include "runstate/DatiGlob.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "values/figure/ValoreLista.h"
#include "values/figure/ValorePoligono.h"

namespace qx {

namespace {

using Vertici = std::vector<TPuntoMondo>;

std::unique_ptr<cValorePoligono> NuovoPoligono(TipiPoligono tipo, const Vertici& vertici) {
  auto p = std::make_unique<cValorePoligono>(tipo);
  for (const TPuntoMondo& v : vertici) {
    const TPuntoMondo n = geo::Netto(v);
    p->Punti.Aggiungi(n.x, n.y);
  }
  p->bCoordCartesiane = geo::RifCartPresente();
  return p;
}

struct Forma {
  const std::string* parola;
  TipiPoligono tipo;
  int numeri;    // sizes of the numeric form
  int suLato;    // further sizes of the form built on a segment
};

const Forma* FormaDi(const std::string& nome) {
  const TParoleChiave& k = ParoleChiave;
  static const Forma forme[] = {
      {&k.QUADRATO, T_QUADRATO, 1, 0},           {&k.RETTANGOLO, T_RETTANGOLO, 2, 1},
      {&k.ROMBO, T_ROMBO, 2, 1},                 {&k.TRIANGOLO_RETTANGOLO, T_TRIANGOLO_R, 2, 1},
      {&k.TRIANGOLO_ISOSCELE, T_TRIANGOLO_I, 2, 1}, {&k.TRIANGOLO_EQUILATERO, T_TRIANGOLO_E, 1, 0},
      {&k.TRAPEZIO_RETTANGOLO, T_TRAPEZIO_R, 3, -1}, {&k.TRAPEZIO_ISOSCELE, T_TRAPEZIO_I, 3, 2},
      {&k.PENTAGONO, T_PENTAGONO, 1, 0},         {&k.ESAGONO, T_ESAGONO, 1, 0},
  };
  for (const Forma& f : forme)
    if (*f.parola == nome) return &f;
  return nullptr;
}

// The regular polygon of n sides whose first side is AB, on the left of AB (lato +1) or
// on its right (lato -1): every next vertex is the one before the last turned about the
// last by the interior angle.
Vertici Regolare(int n, const TPuntoMondo& A, const TPuntoMondo& B, int lato) {
  Vertici v{A, B};
  const Reale interno = 180.0L * (n - 2) / n;
  while (static_cast<int>(v.size()) < n) {
    const std::size_t k = v.size();
    v.push_back(RuotaPunto(v[k - 2], v[k - 1], -lato * interno / 180));
  }
  return v;
}

// The vertices of a numeric form, or false when the sizes cannot form the shape.
bool VerticiDaMisure(TipiPoligono tipo, const ListaArgomenti& a, Vertici& v) {
  const Reale p = a.Numero(0), q = a.Numero(1), s = a.Numero(2);
  switch (tipo) {
    case T_QUADRATO: v = {{0, 0}, {0, p}, {p, p}, {p, 0}}; return true;
    case T_RETTANGOLO: v = {{0, 0}, {0, q}, {p, q}, {p, 0}}; return true;
    case T_ROMBO: v = {{0, q / 2}, {p / 2, q}, {p, q / 2}, {p / 2, 0}}; return true;
    case T_TRIANGOLO_R: v = {{0, 0}, {0, p}, {q, 0}}; return true;
    case T_TRIANGOLO_I: v = {{0, 0}, {p / 2, q}, {p, 0}}; return true;
    case T_TRIANGOLO_E: v = {{0, 0}, {p / 2, std::sqrt(p * p - p * p / 4)}, {p, 0}}; return true;
    case T_TRAPEZIO_R: v = {{0, 0}, {0, q}, {s, q}, {p, 0}}; return true;
    case T_TRAPEZIO_I: {
      const Reale d = (p - s) / 2, h2 = q * q - d * d;
      if (h2 < 0) return false;
      const Reale h = std::sqrt(h2);
      v = {{0, 0}, {d, h}, {d + s, h}, {p, 0}};
      return true;
    }
    case T_PENTAGONO: v = Regolare(5, {0, 0}, {p, 0}, 1); return true;
    case T_ESAGONO: v = Regolare(6, {0, 0}, {p, 0}, 1); return true;
    default: return false;
  }
}

// The candidate on one side of AB (lato +1 left, -1 right), or false when the sizes cannot
// form the shape.
bool VerticiSuSegmento(TipiPoligono tipo, const TPuntoMondo& A, const TPuntoMondo& B, const ListaArgomenti& a,
                       int lato, Vertici& v) {
  const Reale L = Distanza(A, B);
  const Reale ux = (B.x - A.x) / L, uy = (B.y - A.y) / L;  // along AB
  const Reale nx = -uy * lato, ny = ux * lato;              // across AB, towards the side
  const TPuntoMondo M{(A.x + B.x) / 2, (A.y + B.y) / 2};
  auto da = [&](const TPuntoMondo& P, Reale lungo, Reale traverso) {
    return TPuntoMondo{P.x + ux * lungo + nx * traverso, P.y + uy * lungo + ny * traverso};
  };
  const Reale p = a.Numero(1), q = a.Numero(2);
  switch (tipo) {
    case T_QUADRATO:
      v = {A, B, RuotaPunto(A, B, -0.5L * lato), RuotaPunto(B, A, 0.5L * lato)};
      return true;
    case T_TRIANGOLO_E: v = {A, B, da(M, 0, std::sqrt(3.0L) * L / 2)}; return true;
    case T_PENTAGONO: v = Regolare(5, A, B, lato); return true;
    case T_ESAGONO: v = Regolare(6, A, B, lato); return true;
    case T_RETTANGOLO: v = {A, B, da(B, 0, p), da(A, 0, p)}; return true;
    case T_TRIANGOLO_R: v = {A, B, da(A, 0, p)}; return true;
    case T_TRIANGOLO_I: v = {A, B, da(M, 0, p)}; return true;
    case T_TRAPEZIO_I: {
      const Reale d = (L - q) / 2, h2 = p * p - d * d;
      if (h2 < 0) return false;
      const Reale h = std::sqrt(h2);
      v = {A, B, da(A, d + q, h), da(A, d, h)};
      return true;
    }
    case T_ROMBO: v = {A, da(M, 0, p / 2), B, da(M, 0, -p / 2)}; return true;
    default: return false;
  }
}

bool SoloNumeri(const ListaArgomenti& a, int da, int quanti) {
  if (a.Count() != da + quanti) return false;
  for (int i = da; i < a.Count(); ++i)
    if (a.Tipo(i) != T_REALE || a.IsMembro(i)) return false;
  return true;
}

// A side, base, height or diagonal of zero or less builds no shape.
bool MisurePositive(const ListaArgomenti& a, int da) {
  for (int i = da; i < a.Count(); ++i)
    if (!(a.Numero(i) > 0)) return false;
  return true;
}

PValore FiguraConIlMouse(const Forma& f, const ListaArgomenti& a, const std::string& nome) {
  TDatiGlob& g = DatiGlob;
  Vertici v;
  if (!MisurePositive(a, 0) || !VerticiDaMisure(f.tipo, a, v)) return geo::Errore(ParoleChiave.msgParametriNonValidi + nome);
  auto pol = NuovoPoligono(f.tipo, v);
  g.FiguraInAttesa = pol.get();
  const bool fatto = AttendiMouse(g.bAttesaFigura, crCroce, "");
  g.FiguraInAttesa = nullptr;
  if (!fatto) return nullptr;
  return pol;
}

PValore FiguraSuSegmento(const Forma& f, const ListaArgomenti& a, const std::string& nome) {
  const cValoreRetta& s = geo::RettaArg(a, 0);
  const TPuntoMondo A = geo::Primo(s), B = geo::Secondo(s);
  if (UgualeReale(Distanza(A, B), 0) || !MisurePositive(a, 1)) return geo::Errore(ParoleChiave.msgParametriNonValidi + nome);
  Vertici primo, secondo;
  if (!VerticiSuSegmento(f.tipo, A, B, a, 1, primo) || !VerticiSuSegmento(f.tipo, A, B, a, -1, secondo))
    return geo::Errore(ParoleChiave.msgParametriNonValidi + nome);
  auto p1 = NuovoPoligono(f.tipo, primo);
  if (f.tipo == T_TRIANGOLO_E || f.tipo == T_RETTANGOLO) p1->Lato = Distanza(A, B);
  if (f.tipo == T_ROMBO) return p1;
  auto p2 = NuovoPoligono(f.tipo, secondo);
  p2->Lato = p1->Lato;
  return Finestra().ScegliPoligono(*p1, *p2) == 2 ? std::move(p2) : std::move(p1);
}

}  // namespace

PValore CmdPoligono(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  TDatiGlob& g = DatiGlob;
  return geo::Cornice(nome, Esegui, [&](geo::Esito& e) -> PValore {
    if (a.Vuota()) return nullptr;
    auto pol = std::make_unique<cValorePoligono>(T_POL);
    bool errato = false;
    if (geo::Forma(a, {T_LISTA})) {
      const auto& lista = static_cast<const cValoreLista&>(*a.Valore(0));
      pol->Punti.Riserva(static_cast<int>(lista._Oggetti.size()));
      for (const auto& elemento : lista._Oggetti) {
        if (!elemento) continue;
        const auto* p = dynamic_cast<const cValorePunto*>(elemento.get());
        if (!p || p->Tipo != T_PUNTO) {
          errato = true;
          break;
        }
        pol->Punti.Aggiungi(p->xCart, p->yCart);
      }
    } else {
      pol->Punti.Riserva(a.Count());
      for (int i = 0; i < a.Count() && !errato; ++i) {
        if (a.Tipo(i) != T_PUNTO || a.IsMembro(i)) errato = true;
        else pol->Punti.Aggiungi(geo::PuntoArg(a, i).x, geo::PuntoArg(a, i).y);
      }
    }
    if (errato) return nullptr;
    e.Combacia();
    pol->bChiuso = nome != ParoleChiave.POLIGONALE;
    pol->bCoordCartesiane = g.RifCart != nullptr;
    return pol;
  });
}

PValore CmdFigura(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  return geo::Cornice(nome, Esegui, [&](geo::Esito& e) -> PValore {
    const Forma* f = FormaDi(nome);
    if (!f) return nullptr;
    PValore risultato;
    if (SoloNumeri(a, 0, f->numeri)) {
      e.Combacia();
      risultato = FiguraConIlMouse(*f, a, nome);
    } else if (f->suLato >= 0 && a.Tipo(0) == T_SEGMENTO && !a.IsMembro(0) && SoloNumeri(a, 1, f->suLato)) {
      e.Combacia();
      risultato = FiguraSuSegmento(*f, a, nome);
    }
    if (auto* pol = dynamic_cast<cValorePoligono*>(risultato.get())) pol->OrdinaVertici();
    return risultato;
  });
}

}  // namespace qx
