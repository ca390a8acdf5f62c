// The members of geometric values, fractions and double-entry tables read inside
// expressions: P.X, S.ESTREMO(1), S.MISURA, A.LATO(2), A.GRADI, C.RAGGIO, R.COEFFANG,
// POL.VERTICE(3), F.NUM, T.COLFREQMARG ...
#include <cmath>

#include "interpreter/geometria/ComandiGeometria.h"
#include "interpreter/geometria/Geomet.h"
#include "runstate/ParoleChiave.h"
#include "values/ValoreFunzione.h"
#include "values/ValoriScalari.h"
#include "values/VettoriMatrici.h"
#include "values/espressioni/NodoEspr.h"
#include "values/figure/ValoreAngolo.h"
#include "values/figure/ValoreArco.h"
#include "values/figure/ValoreCerchio.h"
#include "values/figure/ValorePoligono.h"

namespace qx {

namespace {

constexpr Reale DIVISIONE_PER_ZERO = 1e101L;

PValore Numero(Reale x) { return std::make_unique<cValoreReale>(x); }

PValore NonRiconosciuto() { return geo::Errore(ParoleChiave.msgIdentificatore); }

// The member word of the first cell, empty when the first cell is no member.
std::string Membro(const ListaArgomenti& a) { return a.IsMembro(0) ? a.Membro(0) : std::string(); }

// A member without arguments: its value, or the argument error for the member word.
PValore SenzaArgomenti(const ListaArgomenti& a, const std::string& membro, Reale valore) {
  if (a.Count() != 1) return geo::ErroreParametri(membro);
  return Numero(valore);
}

// The argument of ESTREMO and LATO: 1 or 2, else the messages of those members.
int UnoODue(const ListaArgomenti& a, const std::string& membro) {
  if (a.Count() != 2 || a.Tipo(1) != T_REALE) {
    geo::ErroreParametri(membro);
    return 0;
  }
  const Reale n = a.Numero(1);
  if (n != 1 && n != 2) {
    geo::Errore(ParoleChiave.msgParametriPossibili + membro + ": 1,2");
    return 0;
  }
  return static_cast<int>(n);
}

PValore MembriPunto(cVariabile& var, ListaArgomenti& a, bool) {
  const auto& p = static_cast<const cValorePunto&>(*var.GetValore());
  const std::string m = Membro(a);
  if (a.Count() != 1 || !geo::RifCartPresente()) return NonRiconosciuto();
  if (m == ParoleChiave.X) return Numero(p.xCart);
  if (m == ParoleChiave.Y) return Numero(p.yCart);
  return NonRiconosciuto();
}

PValore MembriSegmento(cVariabile& var, ListaArgomenti& a, bool) {
  const auto& s = static_cast<const cValoreRetta&>(*var.GetValore());
  const std::string m = Membro(a);
  const TParoleChiave& k = ParoleChiave;
  if (m == k.ESTREMO) {
    const int n = UnoODue(a, m);
    if (!n) return nullptr;
    return geo::NuovoPunto(n == 1 ? geo::Primo(s) : geo::Secondo(s));
  }
  if (m == k.MISURA) return SenzaArgomenti(a, m, Distanza(geo::Primo(s), geo::Secondo(s)));
  return NonRiconosciuto();
}

PValore MembriArco(cVariabile& var, ListaArgomenti& a, bool) {
  const auto& arco = static_cast<const cValoreArco&>(*var.GetValore());
  const std::string m = Membro(a);
  if (m != ParoleChiave.ESTREMO) return NonRiconosciuto();
  const int n = UnoODue(a, m);
  if (!n) return nullptr;
  return geo::NuovoPunto(geo::EstremoArco(arco, n == 1));
}

PValore MembriAngolo(cVariabile& var, ListaArgomenti& a, bool) {
  const auto& ang = static_cast<const cValoreAngolo&>(*var.GetValore());
  const std::string m = Membro(a);
  const TParoleChiave& k = ParoleChiave;
  if (m == k.LATO) {
    const int n = UnoODue(a, m);
    if (!n) return nullptr;
    return geo::NuovaRetta(T_SEMIRETTA, {ang.x2, ang.y2}, geo::FineLato(ang, n == 1));
  }
  int gradi = 0, primi = 0;
  Reale secondi = 0;
  ang.Ampiezza(gradi, primi, secondi);
  if (m == k.GRADI) return SenzaArgomenti(a, m, gradi);
  if (m == k.PRIMI) return SenzaArgomenti(a, m, primi);
  if (m == k.SECONDI) return SenzaArgomenti(a, m, secondi);
  return NonRiconosciuto();
}

PValore MembriCerchio(cVariabile& var, ListaArgomenti& a, bool) {
  const auto& c = static_cast<const cValoreCerchio&>(*var.GetValore());
  const std::string m = Membro(a);
  const TParoleChiave& k = ParoleChiave;
  if (m == k.CENTROX) return SenzaArgomenti(a, m, c.x);
  if (m == k.CENTROY) return SenzaArgomenti(a, m, c.y);
  if (m == k.RAGGIO) return SenzaArgomenti(a, m, c.r);
  if (m == k.A) return SenzaArgomenti(a, m, geo::Netto(-2 * c.x));
  if (m == k.B) return SenzaArgomenti(a, m, geo::Netto(-2 * c.y));
  if (m == k.C) return SenzaArgomenti(a, m, geo::Netto(c.x * c.x + c.y * c.y - c.r * c.r));
  return NonRiconosciuto();
}

PValore MembriRetta(cVariabile& var, ListaArgomenti& a, bool) {
  const auto& r = static_cast<const cValoreRetta&>(*var.GetValore());
  const std::string m = Membro(a);
  const TParoleChiave& k = ParoleChiave;
  if (m != k.COEFFANG && m != k.INTERCETTA) return NonRiconosciuto();
  if (a.Count() != 1) return geo::ErroreParametri(m);
  if (r.x1 == r.x2) return Numero(DIVISIONE_PER_ZERO);
  const Reale pendenza = (r.y2 - r.y1) / (r.x2 - r.x1);
  return Numero(geo::Netto(m == k.COEFFANG ? pendenza : r.y1 - pendenza * r.x1));
}

PValore MembriPoligono(cVariabile& var, ListaArgomenti& a, bool) {
  const auto& pol = static_cast<const cValorePoligono&>(*var.GetValore());
  const std::string m = Membro(a);
  const TParoleChiave& k = ParoleChiave;
  if (m == k.VERTICE) {
    if (a.Count() != 2 || a.Tipo(1) != T_REALE) return geo::ErroreParametri(m);
    const Reale n = a.Numero(1);
    if (n < 1 || n > pol.Punti.Count() || n != std::trunc(n)) return geo::Errore("Numero di vertice errato");
    const TCollItemsPunti& v = pol.Punti.Elemento(static_cast<int>(n) - 1);
    return geo::NuovoPunto({v.x, v.y});
  }
  if (m == k.BARICENTRO) {
    if (a.Count() != 1) return geo::ErroreParametri(m);
    TPuntoMondo G;
    // Fewer than three vertices have no centroid.
    if (!pol.Baricentro(G)) return geo::Errore(ParoleChiave.msgParametriNonValidi + m);
    return geo::NuovoPunto(G);
  }
  return NonRiconosciuto();
}

// The numerator and the denominator under the fraction's "/" (a whole number is n/1; a
// sign in front of the fraction goes to the numerator).
bool ParteFrazione(const NodoEspr* n, Reale& num, Reale& den) {
  if (!n) return false;
  if (n->ENumero()) {
    num = n->Valore;
    den = 1;
    return true;
  }
  if (n->Tipo == N_DIVISO && n->Sx() && n->Dx() && n->Sx()->ENumero() && n->Dx()->ENumero()) {
    num = n->Sx()->Valore;
    den = n->Dx()->Valore;
    return true;
  }
  if (n->Tipo == N_MENO && n->Sx() && !n->Dx() && ParteFrazione(n->Sx(), num, den)) {
    num = -num;
    return true;
  }
  return false;
}

PValore MembriFrazione(cVariabile& var, ListaArgomenti& a, bool) {
  const auto* f = dynamic_cast<const cValoreFunzione*>(var.GetValore());
  const std::string m = Membro(a);
  const TParoleChiave& k = ParoleChiave;
  if (!f || (m != k.NUM && m != k.DEN)) return NonRiconosciuto();
  if (a.Count() != 1) return geo::ErroreParametri(m);
  Reale num = 0, den = 1;
  if (!ParteFrazione(f->Albero(), num, den)) return NonRiconosciuto();
  return Numero(m == k.NUM ? num : den);
}

}  // namespace

// A double-entry table keeps the marginal frequencies in its last column and its last row,
// with the grand total where they meet: the marginal column is rows-1 long, the marginal
// row cols-1.
PValore MembriMatrice(cVariabile& var, ListaArgomenti& a, bool) {
  const auto* m = var.Tipo == T_MATR_REALE ? static_cast<const cMatrReale*>(var.GetValore()) : nullptr;
  const std::string membro = Membro(a);
  const TParoleChiave& k = ParoleChiave;
  if (!m || !m->_bStatistica || a.Count() != 1 || (membro != k.COLFREQMARG && membro != k.RIGAFREQMARG))
    return NonRiconosciuto();
  const bool colonna = membro == k.COLFREQMARG;
  const int n = m->Rows >= 1 && m->Cols >= 1 ? (colonna ? m->Rows : m->Cols) - 1 : 0;
  auto v = std::make_unique<cVettReale>(n);
  for (int i = 1; i <= n; ++i) v->Scrivi(i, colonna ? m->Leggi(i, m->Cols) : m->Leggi(m->Rows, i));
  return v;
}

void RegistraLettoriMembri() {
  RegistraLettore(T_PUNTO, MembriPunto);
  RegistraLettore(T_SEGMENTO, MembriSegmento);
  RegistraLettore(T_SEGMENTO_OR, MembriSegmento);
  RegistraLettore(T_SEMIRETTA, MembriSegmento);
  RegistraLettore(T_ARCO, MembriArco);
  RegistraLettore(T_SETTORECIRC, MembriArco);
  RegistraLettore(T_ANGOLO, MembriAngolo);
  RegistraLettore(T_CERCHIO, MembriCerchio);
  RegistraLettore(T_RETTA, MembriRetta);
  RegistraLettore(T_RETTANUM, MembriRetta);
  RegistraLettore(T_POLIGONO, MembriPoligono);
  RegistraLettore(T_FRAZIONE, MembriFrazione);
}

void RegistraComandiGeometria() {
  RegistraValore("CmdPunto", CmdPunto);
  RegistraValore("CmdRetta", CmdRetta);
  RegistraIstruzione("CmdStella", CmdStella);
  RegistraValore("CmdCirconferenza", CmdCirconferenza);
  RegistraValore("CmdArco", CmdArco);
  RegistraValore("CmdAngolo", CmdAngolo);
  RegistraValore("CmdPoligono", CmdPoligono);
  RegistraValore("CmdFigura", CmdFigura);
  RegistraValore("CmdRuota", CmdRuota);
  RegistraValore("CmdTrasla", CmdTrasla);
  RegistraValore("CmdSimmetriaAssiale", CmdSimmetriaAssiale);
  RegistraValore("CmdIngrandisci", CmdIngrandisci);
  RegistraValore("CmdOmotetia", CmdOmotetia);
  RegistraLettoriMembri();
}

}  // namespace qx
