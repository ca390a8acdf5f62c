#include "interpreter/Operatori.h"

#include <cmath>

#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "values/VettoriMatrici.h"

namespace qx {

TOperatoriSimbolici& OperatoriSimbolici() {
  static TOperatoriSimbolici operatori;
  return operatori;
}

namespace {

PValore Errore(const std::string& messaggio) {
  ReportError(messaggio, true);
  return nullptr;
}

PValore Numero(Reale x) { return std::make_unique<cValoreReale>(x); }
PValore Logico(bool b) { return std::make_unique<cValoreBool>(b); }

const cValoreReale* ComeNumero(const cValore& v) { return v.Tipo == T_REALE ? static_cast<const cValoreReale*>(&v) : nullptr; }
const cValoreGrado* ComeAngolo(const cValore& v) { return v.Tipo == T_GRADO ? static_cast<const cValoreGrado*>(&v) : nullptr; }
const cMatrReale* ComeMatrice(const cValore& v) { return v.Tipo == T_MATR_REALE ? static_cast<const cMatrReale*>(&v) : nullptr; }
const cVettReale* ComeVettore(const cValore& v) { return v.Tipo == T_VETT_REALE ? static_cast<const cVettReale*>(&v) : nullptr; }

bool IsFrazioneONumero(const cValore& v) { return v.Tipo == T_FRAZIONE || v.Tipo == T_REALE; }
bool IsIntero(Reale x) { return x == std::trunc(x); }

// Fractions combine with fractions and numbers, functions with functions: the engine does it.
PValore Simbolico(const std::string& op, const cValore& a, const cValore& b, bool& trattato) {
  trattato = false;
  const bool frazioni = (a.Tipo == T_FRAZIONE && IsFrazioneONumero(b)) || (b.Tipo == T_FRAZIONE && IsFrazioneONumero(a));
  const bool funzioni = a.Tipo == T_FUNZIONE && b.Tipo == T_FUNZIONE;
  if (!frazioni && !funzioni) return nullptr;
  auto& motore = OperatoriSimbolici();
  if (!motore.Opera) return nullptr;
  PValore r = motore.Opera(op, a, b);
  trattato = r != nullptr || DatiGlob.bStop;
  return r;
}

// ---- Angle measures ----

std::unique_ptr<cValoreGrado> Angolo(Reale g, Reale p, Reale s) {
  auto r = std::make_unique<cValoreGrado>();
  r->Gradi = g;
  r->Primi = p;
  r->Secondi = s;
  return r;
}

// Carries whole minutes and degrees; seconds within half a second of 60 round up to a
// minute, and a degree carried that way does not go past 360.
void RiportaAngolo(Reale& g, Reale& p, Reale& s) {
  while (s >= 60) {
    s -= 60;
    p += 1;
  }
  bool arrotondato = false;
  if (s >= 59.5L) {
    s = 0;
    p += 1;
    arrotondato = true;
  }
  while (p >= 60) {
    p -= 60;
    if (!(arrotondato && g >= 360)) g += 1;
  }
}

int ConfrontoAngoli(const cValoreGrado& a, const cValoreGrado& b) {
  if (a.Gradi != b.Gradi) return a.Gradi < b.Gradi ? -1 : 1;
  if (a.Primi != b.Primi) return a.Primi < b.Primi ? -1 : 1;
  if (std::fabs(a.Secondi - b.Secondi) <= 0.01L) return 0;
  return a.Secondi < b.Secondi ? -1 : 1;
}

PValore SommaAngoli(const cValoreGrado& a, const cValoreGrado& b) {
  Reale g = a.Gradi + b.Gradi, p = a.Primi + b.Primi, s = a.Secondi + b.Secondi;
  RiportaAngolo(g, p, s);
  return Angolo(g, p, s);
}

PValore SottraiAngoli(const cValoreGrado& a, const cValoreGrado& b) {
  if (ConfrontoAngoli(a, b) < 0) return Errore("Sottrazione non possibile");
  Reale g = a.Gradi, p = a.Primi, s = a.Secondi;
  if (s < b.Secondi) {
    s += 60;
    p -= 1;
  }
  s -= b.Secondi;
  if (p < b.Primi) {
    p += 60;
    g -= 1;
  }
  p -= b.Primi;
  g -= b.Gradi;
  return Angolo(g, p, s);
}

PValore MoltiplicaAngolo(const cValoreGrado& a, Reale n) {
  Reale g = a.Gradi * n, p = a.Primi * n, s = a.Secondi * n;
  RiportaAngolo(g, p, s);
  if (g > 360) g = std::fmod(g, 360.0L);
  return Angolo(g, p, s);
}

PValore DividiAngolo(const cValoreGrado& a, Reale n) {
  if (n == 0) return Errore(ParoleChiave.msgDivisioneZero);
  const Reale g = std::trunc(a.Gradi / n);
  const Reale restoG = a.Gradi - g * n;
  const Reale primi = a.Primi + restoG * 60;
  const Reale p = std::trunc(primi / n);
  const Reale restoP = primi - p * n;
  const Reale s = (a.Secondi + restoP * 60) / n;
  return Angolo(g, p, s);
}

// ---- Matrices ----

PValore ProdottoMatrici(const cMatrReale& a, const cMatrReale& b) {
  if (b.Rows != a.Cols)
    return Errore("Prodotto di matrici: il numero di righe della seconda matrice deve essere uguale al numero di colonne della prima");
  auto r = std::make_unique<cMatrReale>(a.Rows, b.Cols);
  a.Prodotto(b, *r);
  return r;
}

PValore MatricePerVettore(const cMatrReale& a, const cVettReale& v) {
  if (v.Count != a.Cols)
    return Errore("Prodotto di matrice per vettore: il numero di righe del vettore deve essere uguale al numero di colonne della matrice");
  auto r = std::make_unique<cVettReale>(a.Rows);
  a.PerVettore(v, *r);
  return r;
}

PValore MatricePerNumero(const cMatrReale& a, Reale k) {
  auto r = std::make_unique<cMatrReale>(a.Rows, a.Cols);
  a.PerScalare(k, *r);
  return r;
}

// A three-way comparison read through a relation.
bool Relaziona(int confronto, std::string_view op) { return ConfrontaReali(confronto, 0, RelazioneDa(op)); }

}  // namespace

// ---- Comparisons ----

PValore CompareBool(const cValoreBool& a, const cValoreBool& b, std::string_view op) {
  if (op == "=") return Logico(a.Value == b.Value);
  if (op == "<>") return Logico(a.Value != b.Value);
  return Errore(ParoleChiave.msgOperatoreLogico);
}

Relazione RelazioneDa(std::string_view op) {
  if (op == "=") return Relazione::Uguale;
  if (op == "<>") return Relazione::Diverso;
  if (op == "<") return Relazione::Minore;
  if (op == "<=") return Relazione::MinoreUguale;
  if (op == ">") return Relazione::Maggiore;
  return Relazione::MaggioreUguale;
}

PValore CompareReal(Reale a, Reale b, std::string_view op) { return Logico(ConfrontaReali(a, b, RelazioneDa(op))); }

PValore CompareFraction(const cValore& a, const cValore& b, std::string_view op) {
  auto& motore = OperatoriSimbolici();
  Reale va = 0, vb = 0;
  if (!motore.ValutaFrazione || !motore.ValutaFrazione(a, va) || !motore.ValutaFrazione(b, vb))
    return Errore(ParoleChiave.msgNonConfrontabili);
  return CompareReal(va, vb, op);
}

PValore CompareString(const std::string& a, const std::string& b, std::string_view op) {
  const int c = a.compare(b);
  return Logico(Relaziona(c < 0 ? -1 : (c > 0 ? 1 : 0), op));
}

PValore CompareAngle(const cValoreGrado& a, const cValoreGrado& b, std::string_view op) {
  return Logico(Relaziona(ConfrontoAngoli(a, b), op));
}

PValore Confronta(const cValore& a, const cValore& b, std::string_view op) {
  if (a.Tipo != b.Tipo) return Errore(ParoleChiave.msgNonConfrontabili);
  switch (a.Tipo) {
    case T_BOOLEANO:
      return CompareBool(static_cast<const cValoreBool&>(a), static_cast<const cValoreBool&>(b), op);
    case T_REALE:
      return CompareReal(static_cast<const cValoreReale&>(a).Value, static_cast<const cValoreReale&>(b).Value, op);
    case T_STRINGA:
      return CompareString(static_cast<const cValoreStringa&>(a).Value, static_cast<const cValoreStringa&>(b).Value,
                           op);
    case T_FRAZIONE:
      return CompareFraction(a, b, op);
    case T_GRADO:
      return CompareAngle(static_cast<const cValoreGrado&>(a), static_cast<const cValoreGrado&>(b), op);
    default:
      return Errore(ParoleChiave.msgNonConfrontabili);
  }
}

// ---- Arithmetic ----

PValore OpAdd(const cValore& a, const cValore& b) {
  const auto *na = ComeNumero(a), *nb = ComeNumero(b);
  if (na && nb) return Numero(na->Value + nb->Value);
  bool trattato;
  if (PValore r = Simbolico("+", a, b, trattato); trattato) return r;
  if (const auto *ga = ComeAngolo(a), *gb = ComeAngolo(b); ga && gb) return SommaAngoli(*ga, *gb);
  if (const auto *ma = ComeMatrice(a), *mb = ComeMatrice(b); ma && mb) {
    if (ma->Rows != mb->Rows || ma->Cols != mb->Cols)
      return Errore("Non è possibile sommare matrici di diverse dimensioni");
    auto r = std::make_unique<cMatrReale>(ma->Rows, ma->Cols);
    ma->Somma(*mb, *r);
    return r;
  }
  return Errore(ParoleChiave.msgNonAddizionabili);
}

PValore OpSubtract(const cValore& a, const cValore& b) {
  const auto *na = ComeNumero(a), *nb = ComeNumero(b);
  if (na && nb) return Numero(na->Value - nb->Value);
  bool trattato;
  if (PValore r = Simbolico("-", a, b, trattato); trattato) return r;
  if (const auto *ga = ComeAngolo(a), *gb = ComeAngolo(b); ga && gb) return SottraiAngoli(*ga, *gb);
  return Errore(ParoleChiave.msgNonSottraibili);
}

PValore OpMultiply(const cValore& a, const cValore& b) {
  const auto *na = ComeNumero(a), *nb = ComeNumero(b);
  if (na && nb) return Numero(na->Value * nb->Value);
  bool trattato;
  if (PValore r = Simbolico("*", a, b, trattato); trattato) return r;
  const auto *ga = ComeAngolo(a), *gb = ComeAngolo(b);
  if (ga && nb && IsIntero(nb->Value)) return MoltiplicaAngolo(*ga, nb->Value);
  if (gb && na && IsIntero(na->Value)) return MoltiplicaAngolo(*gb, na->Value);
  const auto *ma = ComeMatrice(a), *mb = ComeMatrice(b);
  if (ma && nb) return MatricePerNumero(*ma, nb->Value);
  if (mb && na) return MatricePerNumero(*mb, na->Value);
  if (ma && mb) return ProdottoMatrici(*ma, *mb);
  if (const auto* vb = ComeVettore(b); ma && vb) return MatricePerVettore(*ma, *vb);
  return Errore(ParoleChiave.msgNonMoltiplicabili);
}

PValore OpDivide(const cValore& a, const cValore& b) {
  const auto *na = ComeNumero(a), *nb = ComeNumero(b);
  if (na && nb) {
    if (DivisoreNullo(nb->Value)) return Errore(ParoleChiave.msgDivisioneZero);
    return Numero(QuozienteReali(na->Value, nb->Value));
  }
  bool trattato;
  if (PValore r = Simbolico("/", a, b, trattato); trattato) return r;
  // A whole number divided by an angle reads as the angle divided by that number.
  const auto *ga = ComeAngolo(a), *gb = ComeAngolo(b);
  if (ga && nb && IsIntero(nb->Value)) return DividiAngolo(*ga, nb->Value);
  if (gb && na && IsIntero(na->Value)) return DividiAngolo(*gb, na->Value);
  return Errore(ParoleChiave.msgNonDividibili);
}

const std::string* ErroreDivisioneIntera(Reale a, Reale b, bool resto) {
  static const std::string nonInteriResto = "Gli operandi devono essere interi";
  static const std::string nonInteriDiv = "Gli operandi devono essere interi per DIV";
  if (DivisoreNullo(b)) return &ParoleChiave.msgDivisioneZero;
  if (!IsIntero(a) || !IsIntero(b)) return resto ? &nonInteriResto : &nonInteriDiv;
  return nullptr;
}

// Whole numbers only; long double holds every integer that a 64-bit integer does, so the
// quotient and the remainder are exact without a conversion that could overflow.
Reale DivisioneInteraReali(Reale a, Reale b, bool resto) { return resto ? std::fmod(a, b) : std::trunc(a / b); }

namespace {
PValore DivisioneIntera(const cValore& a, const cValore& b, bool resto) {
  const auto *na = ComeNumero(a), *nb = ComeNumero(b);
  if (!na || !nb) return Errore(ParoleChiave.msgNonDividibili);
  Reale r = na->Value;
  if (DivisioneInteraBreve(r, nb->Value, resto)) return Numero(r);
  if (const std::string* errore = ErroreDivisioneIntera(na->Value, nb->Value, resto)) return Errore(*errore);
  return Numero(DivisioneInteraReali(na->Value, nb->Value, resto));
}
}  // namespace

PValore OpIntDiv(const cValore& a, const cValore& b) { return DivisioneIntera(a, b, false); }
PValore OpMod(const cValore& a, const cValore& b) { return DivisioneIntera(a, b, true); }

PValore OpPower(const cValore& a, const cValore& b) {
  const auto *na = ComeNumero(a), *nb = ComeNumero(b);
  if (na && nb) return Numero(Potenza(na->Value, nb->Value));
  if (a.Tipo == T_FRAZIONE && nb) {
    bool trattato;
    if (PValore r = Simbolico("^", a, b, trattato); trattato) return r;
  }
  return Errore("Tipi non validi per il tipo di operazione");
}

PValore OpAnd(const cValore& a, const cValore& b) {
  if (a.Tipo != T_BOOLEANO || b.Tipo != T_BOOLEANO) return Errore(ParoleChiave.msgOperatoreE);
  return Logico(static_cast<const cValoreBool&>(a).Value && static_cast<const cValoreBool&>(b).Value);
}

PValore OpOr(const cValore& a, const cValore& b) {
  if (a.Tipo != T_BOOLEANO || b.Tipo != T_BOOLEANO) return Errore(ParoleChiave.msgOperatoreO);
  return Logico(static_cast<const cValoreBool&>(a).Value || static_cast<const cValoreBool&>(b).Value);
}

PValore OpConcat(const cValore& a, const cValore& b) {
  auto testo = [](const cValore& v, std::string& t) {
    if (v.Tipo == T_STRINGA) t = static_cast<const cValoreStringa&>(v).Value;
    else if (v.Tipo == T_REALE) t = NumeroInTesto(static_cast<const cValoreReale&>(v).Value);
    else return false;
    return true;
  };
  std::string ta, tb;
  if (!testo(a, ta) || !testo(b, tb)) return Errore(ParoleChiave.msgConcatenare);
  if (ta.size() + tb.size() > LUNGHEZZA_MASSIMA_STRINGA) return Errore(ParoleChiave.msgStringaTroppoLunga);
  return std::make_unique<cValoreStringa>(ta + tb);
}

}  // namespace qx
