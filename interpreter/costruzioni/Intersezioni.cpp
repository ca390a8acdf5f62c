// INTERSEZIONE and TANGENTE. Where two answers exist they keep the order in which the
// analytic-geometry routine gives them; a further argument 1 picks the second, 2 the first,
// otherwise the user picks in the two-choice dialog, offered first then second. Stored
// programs rely on that order to build the point they were written for. Only for an oblique
// line and a circle, whose two roots have no order of their own, the one with the greater x
// (then the greater y) comes first.
#include <cmath>
#include <utility>

#include "interpreter/costruzioni/ComandiCostruzioni.h"
#include "interpreter/costruzioni/Cornice.h"
#include "runstate/WindowServices.h"
#include "values/GeometriaAnalitica.h"
#include "values/figure/ValoreCerchio.h"

namespace qx {

namespace {

using namespace costruzioni;

bool Precede(const TPuntoMondo& a, const TPuntoMondo& b) {
  if (!UgualeReale(a.x, b.x)) return a.x > b.x;
  return a.y > b.y;
}

// 1 or 2 when the argument at `indice` is a number that rounds to it, else 0 (ask).
int SceltaArgomento(const ListaArgomenti& a, int indice) {
  if (a.Tipo(indice) != T_REALE) return 0;
  const Reale k = std::nearbyint(a.Numero(indice));
  return k == 1 ? 1 : k == 2 ? 2 : 0;
}

TPuntoMondo ScegliPunto(const ListaArgomenti& a, int indice, const TPuntoMondo& primo, const TPuntoMondo& secondo) {
  switch (SceltaArgomento(a, indice)) {
    case 1:
      return secondo;
    case 2:
      return primo;
    default:
      return Finestra().ScegliIntersezione(primo, secondo) == 2 ? secondo : primo;
  }
}

// Whether a world point lies on the figure as it is drawn (a segment ends, a ray starts).
bool SulDisegno(const cValore& figura, const TPuntoMondo& p) {
  return static_cast<const cValoreGraf&>(figura).Colpito(DatiGlob.RifCart->CartInPixel(p));
}

PValore Punto(const TPuntoMondo& p) { return Memorizza(NuovoPunto(p)); }

PValore RettaCerchio(const ListaArgomenti& a, const std::string& nome) {
  const auto& c = static_cast<const cValoreCerchio&>(*a.Valore(0));
  const auto& l = static_cast<const cValoreRetta&>(*a.Valore(1));
  TPuntoMondo I[2];
  const int n = IntersezioneRettaCerchio({l.x1, l.y1}, {l.x2, l.y2}, {c.x, c.y}, c.r, I[0], I[1]);
  int validi = 0;
  for (int i = 0; i < n; ++i)
    if (SulDisegno(l, I[i])) I[validi++] = I[i];
  if (validi == 0) return Errore(nome + " Nessuna intersezione");
  if (validi == 1) return Punto(I[0]);
  if (Precede(I[1], I[0])) std::swap(I[0], I[1]);
  return Punto(ScegliPunto(a, 2, I[0], I[1]));
}

PValore DueCerchi(const ListaArgomenti& a, const std::string& nome) {
  const auto& c1 = static_cast<const cValoreCerchio&>(*a.Valore(0));
  const auto& c2 = static_cast<const cValoreCerchio&>(*a.Valore(1));
  // Within the tolerance of the reals the same circle: the routine would divide by the
  // distance of the centres.
  if (UgualeReale(Distanza(c1.x, c1.y, c2.x, c2.y), 0) && UgualeReale(c1.r, c2.r))
    return Errore(nome + " Circonferenze coincidenti: infinite soluzioni");
  TPuntoMondo I1, I2;
  switch (IntersezioneCerchi({c1.x, c1.y}, c1.r, {c2.x, c2.y}, c2.r, I1, I2)) {
    case 0:
      return Errore(nome + " Circonferenze esterne: nessuna soluzione");
    case 1:
      return Punto(I1);
    case 2:
      // Circles touching from inside meet in one point, given twice.
      if (UgualeReale(I1.x, I2.x) && UgualeReale(I1.y, I2.y)) return Punto(I1);
      return Punto(ScegliPunto(a, 2, I1, I2));
    case 3:
      return Errore(nome + " Circonferenze interne: nessuna soluzione");
    default:
      return Errore(nome + " Circonferenze coincidenti: infinite soluzioni");
  }
}

PValore DueRette(const ListaArgomenti& a, const std::string& nome) {
  const auto& r = static_cast<const cValoreRetta&>(*a.Valore(0));
  const auto& s = static_cast<const cValoreRetta&>(*a.Valore(1));
  TPuntoMondo I;
  if (!IntersezioneRette({r.x1, r.y1}, {r.x2, r.y2}, {s.x1, s.y1}, {s.x2, s.y2}, I) || !SulDisegno(r, I) ||
      !SulDisegno(s, I))
    return Errore(nome + " Nessuna intersezione");
  return Punto(I);
}

PValore CmdIntersezione(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  const int n = a.Count();
  const bool cerchioRetta = (n == 2 || n == 3) && a.Tipo(0) == T_CERCHIO && IsLineare(a.Tipo(1));
  const bool cerchi = (n == 2 || n == 3) && a.Tipo(0) == T_CERCHIO && a.Tipo(1) == T_CERCHIO;
  const bool rette = n == 2 && IsLineare(a.Tipo(0)) && IsLineare(a.Tipo(1));
  if (!cerchioRetta && !cerchi && !rette) return Fine(nome);
  Riconosciuto();
  // Points count only where the figures are drawn, which needs the frame.
  if (!RifCartPresente(nome)) return nullptr;
  if (cerchioRetta) return RettaCerchio(a, nome);
  if (cerchi) return DueCerchi(a, nome);
  return DueRette(a, nome);
}

PValore CmdTangente(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  const int n = a.Count();
  if ((n != 2 && n != 3) || a.Tipo(0) != T_CERCHIO || a.Tipo(1) != T_PUNTO) return Fine(nome);
  const auto& c = static_cast<const cValoreCerchio&>(*a.Valore(0));
  // A circle without radius has no tangents.
  if (!(c.r > 0)) return Fine(nome);
  Riconosciuto();
  const TPuntoMondo centro{c.x, c.y};
  const TPuntoMondo P = PosizionePunto(static_cast<const cValorePunto&>(*a.Valore(1)));
  TPuntoMondo T1a, T1b, T2a, T2b;
  switch (TangentiDaPunto(P, centro, c.r, T1a, T1b, T2a, T2b)) {
    case 0:
      return Errore(nome + " Punto interno alla circonferenza");
    case 1:
      return Memorizza(NuovaRetta(T_RETTA, T1a, T1b));
    default:
      break;
  }
  bool seconda = false;
  switch (SceltaArgomento(a, 2)) {
    case 1:
      seconda = true;
      break;
    case 2:
      seconda = false;
      break;
    default:
      seconda = Finestra().ScegliTangente(T1a, T1b, T2a, T2b) == 2;
  }
  return seconda ? Memorizza(NuovaRetta(T_RETTA, T2a, T2b)) : Memorizza(NuovaRetta(T_RETTA, T1a, T1b));
}

}  // namespace

void RegistraComandiIntersezione() {
  RegistraComando("CmdIntersezione", CmdIntersezione);
  RegistraComando("CmdTangente", CmdTangente);
}

}  // namespace qx
