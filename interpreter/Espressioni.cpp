#include "interpreter/Espressioni.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <span>

#include "interpreter/Dispatch.h"
#include "interpreter/Istruzioni.h"
#include "interpreter/Operatori.h"
#include "interpreter/Scanner.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "values/ValoriScalari.h"

namespace qx {

namespace detail {
int gProfondita = 0;
}  // namespace detail

namespace {

using detail::gProfondita;

struct GuardiaProfondita {
  bool ok;
  GuardiaProfondita() : ok(++gProfondita <= detail::PROFONDITA_MASSIMA) {
    if (!ok) ReportError(ParoleChiave.msgAnnidamento, true);
  }
  ~GuardiaProfondita() { --gProfondita; }
};

char32_t Maiuscola(char32_t c) { return c >= U'a' && c <= U'z' ? c - 32 : c; }
bool LetteraDiParola(char32_t c) { return IsLettera(c) || c == U'_'; }

// Each operator word with the operator it stands for (RDIV is MOD, E is AND).
struct ParolaOperatore {
  std::string_view parola, operatore;
};

constexpr ParolaOperatore kParoleSomma[] = {{"O", "O"}, {"OR", "OR"}};
constexpr ParolaOperatore kParoleProdotto[] = {
    {"DIV", "DIV"}, {"MOD", "MOD"}, {"RDIV", "MOD"}, {"AND", "AND"}, {"E", "AND"}};

std::string_view LeggiParolaIntera(std::span<const ParolaOperatore> parole);

// Every operator word starts with one of these letters: any other name is not read at all.
// Inline, as an operator reader looks here after every operand.
inline std::string_view LeggiParolaOperatore(std::span<const ParolaOperatore> parole) {
  switch (DatiGlob.ChCorrente) {
    case U'O': case U'D': case U'M': case U'R': case U'A': case U'E':
    case U'o': case U'd': case U'm': case U'r': case U'a': case U'e':
      return LeggiParolaIntera(parole);
    default:
      return " ";
  }
}

// Reads the whole word at the current character and keeps it only when it is one of the
// operator words; otherwise the reading position goes back to its first letter. A word
// operator is recognised only as a whole word, so a name such as ORA or EPSILON after an
// operand is never read as an operator; a digit ends the word, so "N MOD2" is N MOD 2 (no
// name can follow an operand directly, so nothing else could be meant).
std::string_view LeggiParolaIntera(std::span<const ParolaOperatore> parole) {
  TDatiGlob& g = DatiGlob;
  const int colonna = g.Colonna;
  const char32_t ch = g.ChCorrente;
  // The longest operator word has four letters: a longer word is a name.
  char parola[5] = {};
  char32_t secondaLettera = 0;
  std::size_t n = 0;
  while (!g.bFine && LetteraDiParola(g.ChCorrente) && n < 5) {
    if (n == 1) secondaLettera = g.ChCorrente;
    parola[n++] = static_cast<char>(Maiuscola(g.ChCorrente) < 128 ? Maiuscola(g.ChCorrente) : '?');
    NextChar();
  }
  const bool intera = n < 5 && (g.bFine || !LetteraDiParola(g.ChCorrente));
  if (intera) {
    const std::string_view letta(parola, n);
    for (const ParolaOperatore& p : parole)
      if (letta == p.parola) {
        // The second letter of OR must be written upper case.
        if (n == 2 && parola[0] == 'O' && secondaLettera != U'R') break;
        return p.operatore;
      }
  }
  g.Colonna = colonna;
  g.ChCorrente = ch;
  g.bFine = false;
  return " ";
}

bool EntrambiNumeri(const cValore& a, const cValore& b) { return a.Tipo == T_REALE && b.Tipo == T_REALE; }

// A value that the grammar needs but a name did not give.
bool Manca(bool Esegui, const PValore& v) {
  if (Esegui && !v && !DatiGlob.bStop) ReportError(ParoleChiave.msgIdentificatore, true);
  return DatiGlob.bStop || (Esegui && !v);
}

}  // namespace

void SaltaSpazi() {
  TDatiGlob& g = DatiGlob;
  while (g.ChCorrente == U' ' && !g.bFine) NextChar();
}

std::string_view ReadRelOp() {
  TDatiGlob& g = DatiGlob;
  SaltaSpazi();
  switch (g.ChCorrente) {
    case U'<':
      NextChar();
      if (g.ChCorrente == U'=') { NextChar(); return "<="; }
      if (g.ChCorrente == U'>') { NextChar(); return "<>"; }
      return "<";
    case U'=':
      NextChar();
      return "=";
    case U'>':
      NextChar();
      if (g.ChCorrente == U'=') { NextChar(); return ">="; }
      return ">";
    default:
      return " ";
  }
}

std::string_view ReadAddOp() {
  TDatiGlob& g = DatiGlob;
  SaltaSpazi();
  if (g.bFine) return " ";
  switch (g.ChCorrente) {
    case U'+': NextChar(); return "+";
    case U'-': NextChar(); return "-";
    case U'|':
      NextChar();
      if (g.ChCorrente == U'|') { NextChar(); return "||"; }
      return "|";
    default:
      return LeggiParolaOperatore(kParoleSomma);
  }
}

std::string_view ReadMulOp() {
  TDatiGlob& g = DatiGlob;
  SaltaSpazi();
  if (g.bFine) return " ";
  switch (g.ChCorrente) {
    case U'*': NextChar(); return "*";
    case U'/': NextChar(); return "/";
    default:
      return LeggiParolaOperatore(kParoleProdotto);
  }
}

std::string_view ReadPowOp() {
  TDatiGlob& g = DatiGlob;
  SaltaSpazi();
  if (!g.bFine && g.ChCorrente == U'^') {
    NextChar();
    return "^";
  }
  return " ";
}

/* relation = sum [ ( "=" | "<>" | "<" | "<=" | ">" | ">=" ) sum ] */
PValore EvalExpression(bool Esegui) {
  GuardiaProfondita guardia;
  if (!guardia.ok) return nullptr;
  if (Esegui) ShowCurrentLine();
  PValore sinistro = EvalSum(Esegui);
  if (DatiGlob.bStop) return nullptr;
  const std::string_view op = ReadRelOp();
  if (op == " ") return sinistro;
  PValore destro = EvalSum(Esegui);
  if (DatiGlob.bStop || !Esegui) return nullptr;
  if (Manca(Esegui, sinistro) || Manca(Esegui, destro)) return nullptr;
  return Confronta(*sinistro, *destro, op);
}

/* sum = [ "+" | "-" ] term { ( "+" | "-" | "O" | "OR" | "|" | "||" ) term } */
PValore EvalSum(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  SaltaSpazi();
  if (g.bFine) {
    ReportError(ParoleChiave.msgEspressione, false);
    return nullptr;
  }
  char32_t segno = 0;
  if (g.ChCorrente == U'+' || g.ChCorrente == U'-') {
    segno = g.ChCorrente;
    NextChar();
  }
  PValore valore = EvalTerm(Esegui);
  if (g.bStop) return nullptr;
  if (Esegui && segno) {
    if (Manca(Esegui, valore)) return nullptr;
    auto* numero = dynamic_cast<cValoreReale*>(valore.get());
    if (!numero) {
      ReportError(ParoleChiave.msgNegareNumerico, true);
      return nullptr;
    }
    if (segno == U'-') {
      numero->Value = -numero->Value;
      // A result is no variable: -X must not let CANCELLA find X.
      numero->Nome.clear();
    }
  }
  for (;;) {
    const std::string_view op = ReadAddOp();
    if (op == " ") break;
    PValore destro = EvalTerm(Esegui);
    if (g.bStop) return nullptr;
    if (!Esegui) continue;
    if (Manca(Esegui, valore) || Manca(Esegui, destro)) return nullptr;
    if (EntrambiNumeri(*valore, *destro) && (op == "+" || op == "-")) {
      // Numbers combine in place: the commonest case of every loop needs no new value.
      Reale& a = static_cast<cValoreReale&>(*valore).Value;
      const Reale b = static_cast<const cValoreReale&>(*destro).Value;
      a = op == "+" ? a + b : a - b;
      valore->Nome.clear();  // the sum is no longer the variable it started from
      continue;
    }
    if (op == "||") valore = OpConcat(*valore, *destro);
    else if (op == "+") valore = OpAdd(*valore, *destro);
    else if (op == "-") valore = OpSubtract(*valore, *destro);
    else valore = OpOr(*valore, *destro);
    if (g.bStop) return nullptr;
  }
  return Esegui ? std::move(valore) : nullptr;
}

/* term = power { ( "*" | "/" | "DIV" | "MOD" | "RDIV" | "AND" | "E" ) power } */
PValore EvalTerm(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  SaltaSpazi();
  if (g.bFine) {
    ReportError(ParoleChiave.msgTermine, false);
    return nullptr;
  }
  PValore valore = EvalPower(Esegui);
  if (g.bStop) return nullptr;
  for (;;) {
    const std::string_view op = ReadMulOp();
    if (op == " ") break;
    PValore destro = EvalPower(Esegui);
    if (g.bStop) return nullptr;
    if (!Esegui) continue;
    if (Manca(Esegui, valore) || Manca(Esegui, destro)) return nullptr;
    if (op == "*" && EntrambiNumeri(*valore, *destro)) {
      static_cast<cValoreReale&>(*valore).Value *= static_cast<const cValoreReale&>(*destro).Value;
      valore->Nome.clear();
      continue;
    }
    if (op == "*") valore = OpMultiply(*valore, *destro);
    else if (op == "/") valore = OpDivide(*valore, *destro);
    else if (op == "DIV") valore = OpIntDiv(*valore, *destro);
    else if (op == "MOD") valore = OpMod(*valore, *destro);
    else valore = OpAnd(*valore, *destro);
    if (g.bStop) return nullptr;
  }
  return Esegui ? std::move(valore) : nullptr;
}

/* power = factor { "^" factor } */
PValore EvalPower(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  SaltaSpazi();
  if (g.bFine) {
    ReportError(ParoleChiave.msgTermine, false);
    return nullptr;
  }
  PValore valore = EvalFactor(Esegui);
  if (g.bStop) return nullptr;
  while (ReadPowOp() == "^") {
    PValore destro = EvalFactor(Esegui);
    if (g.bStop) return nullptr;
    if (!Esegui) continue;
    if (Manca(Esegui, valore) || Manca(Esegui, destro)) return nullptr;
    valore = OpPower(*valore, *destro);
    if (g.bStop) return nullptr;
  }
  return Esegui ? std::move(valore) : nullptr;
}

/* factor = "!" factor | "(" relation ")" | number | string | name */
PValore EvalFactor(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  GuardiaProfondita guardia;
  if (!guardia.ok) return nullptr;
  SaltaSpazi();
  if (g.bFine) {
    ReportError(ParoleChiave.msgFattore, false);
    return nullptr;
  }
  const char32_t c = g.ChCorrente;
  if (c == U'!') {
    NextChar();
    PValore operando = EvalFactor(Esegui);
    if (g.bStop || !Esegui) return nullptr;
    if (Manca(Esegui, operando)) return nullptr;
    auto* b = dynamic_cast<cValoreBool*>(operando.get());
    if (!b) {
      ReportError(ParoleChiave.msgNegareLogico, true);
      return nullptr;
    }
    b->Value = !b->Value;
    b->Nome.clear();
    return operando;
  }
  if (c == U'"') {
    return ReadString(Esegui);
  }
  if (c == U'(') {
    NextChar();
    PValore valore = EvalExpression(Esegui);
    if (g.bStop) return nullptr;
    SaltaSpazi();
    if (g.ChCorrente != U')' || g.bFine) {
      ReportError(ParoleChiave.msgParentesiChiusa, !g.bFine);
      return nullptr;
    }
    NextChar();
    return valore;
  }
  if (IsCifra(c)) return ReadNumber();
  return EvalIdentifier(Esegui);
}

namespace {

std::nullopt_t Fallita(ErroreLettura& errore, const std::string& messaggio, bool suRiga) {
  errore.messaggio = messaggio;
  errore.suRiga = suRiga;
  return std::nullopt;
}

/* number = digit { digit } [ "." digit { digit } ] [ ( "E" | "e" ) [ "+" | "-" ] digit { digit } ]
   The value of the literal, or nothing and the message the reading stopped at. */
std::optional<Reale> LeggiNumero(ErroreLettura& errore) {
  TDatiGlob& g = DatiGlob;
  // The digits are gathered as text and converted once, so that 0.1 is the same real
  // that the rest of the system reads from "0.1". The buffer keeps its block between
  // numbers (nothing in here reads another number).
  static std::string testo;
  testo.clear();
  bool decimale = false;
  Reale intera = 0;
  while (!g.bFine && IsCifra(g.ChCorrente)) {
    intera = intera * 10 + static_cast<int>(g.ChCorrente - U'0');
    if (intera > 1e50L) return Fallita(errore, ParoleChiave.msgValoreTroppoGrande, true);
    testo += static_cast<char>(g.ChCorrente);
    NextChar();
  }
  if (!g.bFine && g.ChCorrente == U'.') {
    NextChar();
    if (g.bFine || !IsCifra(g.ChCorrente)) return Fallita(errore, ParoleChiave.msgParteDecimale, true);
    testo += '.';
    decimale = true;
    while (!g.bFine && IsCifra(g.ChCorrente)) {
      testo += static_cast<char>(g.ChCorrente);
      NextChar();
    }
  }
  // A whole number below 2^64 is already exact in `intera`; only decimals need the text.
  Reale valore = (!decimale && intera < 1.8e19L) ? intera
                                              : std::strtold(testo.c_str(), nullptr);
  if (!g.bFine && (g.ChCorrente == U'E' || g.ChCorrente == U'e')) {
    NextChar();
    if (g.bFine) return Fallita(errore, ParoleChiave.msgNumeroIncompleto, false);
    bool negativo = false;
    if (g.ChCorrente == U'+' || g.ChCorrente == U'-') {
      negativo = g.ChCorrente == U'-';
      NextChar();
      if (g.bFine) return Fallita(errore, ParoleChiave.msgNumeroIncompleto, false);
    }
    if (!IsCifra(g.ChCorrente)) return Fallita(errore, ParoleChiave.msgEsponenteNonNumerico, true);
    // A positive exponent above 50 is refused; a negative one that large only makes the
    // value vanish (below 1e-50 a number reads as 0).
    int esponente = 0;
    while (!g.bFine && IsCifra(g.ChCorrente)) {
      if (esponente < 100000) esponente = esponente * 10 + static_cast<int>(g.ChCorrente - U'0');
      if (esponente > 50 && !negativo) return Fallita(errore, ParoleChiave.msgEsponenteTroppoGrande, true);
      NextChar();
    }
    if (valore != 0) {
      testo += (negativo ? "e-" : "e") + std::to_string(esponente);
      const Reale magnitudine = std::floor(std::log10(valore)) + (negativo ? -esponente : esponente);
      if (magnitudine > 50) return Fallita(errore, ParoleChiave.msgValoreTroppoGrande, true);
      valore = magnitudine < -50 ? 0 : std::strtold(testo.c_str(), nullptr);
    }
  }
  return valore;
}

// See the read caches in Scanner.h: the literals of a loop are read once per run. Only
// the value and the position after the literal are kept; a new value is made each time.
CacheLetture<Reale> gCacheNumeri;

}  // namespace

std::optional<Reale> LeggiNumeroLetterale(ErroreLettura& errore) {
  return LetturaRicordata(gCacheNumeri, [&errore] { return LeggiNumero(errore); });
}

PValore ReadNumber() {
  ErroreLettura errore;
  const std::optional<Reale> valore = LeggiNumeroLetterale(errore);
  if (!valore) {
    ReportError(errore.messaggio, errore.suRiga);
    return nullptr;
  }
  return std::make_unique<cValoreReale>(*valore);
}

/* string = '"' { character | '""' } '"' */
PValore ReadString(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  std::string testo;
  NextChar();  // past the opening quote
  while (!g.bFine) {
    if (g.ChCorrente == U'"') {
      NextChar();
      if (g.bFine || g.ChCorrente != U'"') break;
    }
    AppendUtf8(testo, g.ChCorrente);
    NextChar();
  }
  if (!Esegui) return nullptr;
  return std::make_unique<cValoreStringa>(std::move(testo));
}

}  // namespace qx
