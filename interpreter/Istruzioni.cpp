#include "interpreter/Istruzioni.h"

#include <exception>

#include "interpreter/Dispatch.h"
#include "interpreter/Espressioni.h"
#include "interpreter/Scanner.h"
#include "interpreter/runstate/DatiGlob.h"
#include "interpreter/runstate/ErrorReport.h"
#include "interpreter/runstate/ParoleChiave.h"
#include "interpreter/runstate/WindowServices.h"
#include "values/ValoriScalari.h"
#include "values/Variabili.h"

namespace qx {

namespace {

constexpr const char* kRipeti = "RIPETI";
constexpr const char* kVolte = "VOLTE";
constexpr const char* kErroreNonDocumentato = "Errore non documentato";

// Blocks nest through recursion; a text nested deeper than this is reported rather than
// allowed to exhaust the stack.
constexpr int ANNIDAMENTO_MASSIMO = 1000;
int gAnnidamento = 0;

bool IniziaCon(const std::string& s, char c) { return !s.empty() && s[0] == c; }
bool Fermato() { return DatiGlob.bStop; }
const std::string& Token() { return DatiGlob.TokenCorrente; }

// The body of a block or loop: statements up to FINE.
void Corpo(bool Esegui) {
  do {
    NextToken();
    if (Token() != ParoleChiave.FINE) ExecStatement(Esegui);
  } while (Token() != ParoleChiave.FINE && !Fermato());
}

// The ";" after FINE.
void PuntoVirgolaDopoFine() {
  if (Fermato()) return;
  NextToken();
  if (!IniziaCon(Token(), ';')) ReportError(ParoleChiave.msgPuntoVirgolaFine, true);
}

const cValoreReale* ComeNumero(const cValore* v) {
  return v && v->Tipo == T_REALE ? static_cast<const cValoreReale*>(v) : nullptr;
}

}  // namespace

bool RunProgram(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  WindowServices& f = Finestra();
  f.ImpostaEditorSolaLettura(true);
  while (!g.bFine && !g.bStop) {
    NextToken();
    // The end of the text reads as a blank token, which is no statement.
    if (g.TokenCorrente.find_first_not_of(' ') != std::string::npos) {
      try {
        ExecStatement(Esegui);
      } catch (const std::exception&) {
        // Nothing raised inside a statement may end the program: it ends the run.
        gAnnidamento = 0;
        ReportError(kErroreNonDocumentato, false);
      }
    }
  }
  if (!g.bImmediato) {
    g.bAttesaPasso = false;
    if (Esegui) g.bPassoPasso = false;
  }
  if (Esegui && !g.bStop && !g.bImmediato) {
    g.RigaCorrente = -1;
    f.InvalidaRighe(g.EditorCorrente, 1, 2000);
  }
  if (g.bErroreSegnalato) g.bStop = false;
  f.ImpostaEditorSolaLettura(false);
  return !g.bStop;
}

/* statement = ";" | block | loop | if | name [ "." member ] [ "(" arguments ")" ] ( "=" expression | ) ";" */
void ExecStatement(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  const TParoleChiave& k = ParoleChiave;
  if (++gAnnidamento > ANNIDAMENTO_MASSIMO) {
    --gAnnidamento;
    ReportError(kErroreNonDocumentato, false);
    return;
  }
  struct Uscita {
    ~Uscita() { --gAnnidamento; }
  } uscita;
  if (Esegui) ShowCurrentLine();
  const std::string& t = g.TokenCorrente;
  if (t == k.ESEGUI) {
    ExecDoWhile(Esegui);
  } else if (t == k.PER) {
    ExecFor(Esegui);
  } else if (t == kRipeti) {
    ExecRepeat(Esegui);
  } else if (t == k.SE) {
    ExecIf(Esegui);
  } else if (IniziaCon(t, ';')) {
    // the empty statement
  } else if (!t.empty() && IsLettera(static_cast<unsigned char>(t[0]))) {
    g.NomeIstruzione = t;
    const std::string nome = t;
    NextToken();
    ListaArgomenti argomenti;
    if (g.TokenCorrente == ".") {
      NextToken();
      argomenti.AggiungiMembro(g.TokenCorrente);
      NextToken();
    }
    if (g.TokenCorrente == "(") {
      argomenti.Aggiungi(EvalExpression(Esegui));
      if (!Fermato()) NextToken();
      while (!Fermato() && !g.bFine && g.TokenCorrente != ")") {
        argomenti.Aggiungi(EvalExpression(Esegui));
        if (!Fermato()) NextToken();
      }
      if (!Fermato()) NextToken();
    }
    if (Fermato()) return;
    if (g.TokenCorrente == "=") {
      try {
        ExecAssignment(Esegui, argomenti, -1);
      } catch (const std::exception&) {
        ReportError(kErroreNonDocumentato, false);
      }
    } else if (IniziaCon(g.TokenCorrente, ';')) {
      g.NomeIstruzione = nome;
      CallProcedure(Esegui, argomenti);
    } else if (nome == k.ALTRIMENTI) {
      ReportError(k.ALTRIMENTI + " non corrispondente ad un " + k.SE, true);
    } else {
      ReportError(k.msgUgualeOPuntoVirgola, true);
    }
  } else {
    ReportError(k.msgCostrutto, true);
  }
}

/* block = "ESEGUI" ";" { statement } "FINE" ";"
   while = "ESEGUI" "FINQUANDO" "(" relation ")" ";" { statement } "FINE" ";" */
void ExecDoWhile(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  const TParoleChiave& k = ParoleChiave;
  if (Esegui) ShowCurrentLine();
  NextToken();
  if (IniziaCon(g.TokenCorrente, ';')) {
    Corpo(Esegui);
    if (!Fermato()) {
      NextToken();
      if (!IniziaCon(g.TokenCorrente, ';')) ReportError(k.msgPuntoVirgola, true);
    }
    return;
  }
  if (g.TokenCorrente != k.FINQUANDO) {
    ReportError(k.msgPuntoVirgolaOFinquando, true);
    return;
  }
  NextToken();
  if (!IniziaCon(g.TokenCorrente, '(')) {
    ReportError(k.msgApertaFinquando, true);
    return;
  }
  const PosizioneScanner inizio = SalvaPosizione();
  bool continua = false;
  do {
    RipristinaPosizione(inizio);
    PValore condizione = EvalExpression(Esegui);
    if (Fermato()) return;
    if (Esegui && (!condizione || condizione->Tipo != T_BOOLEANO)) {
      ReportError(k.msgEspressioneLogica, true);
      return;
    }
    NextToken();
    if (g.TokenCorrente != ")") {
      ReportError(k.msgChiusaFinquando, true);
      return;
    }
    NextToken();
    if (!IniziaCon(g.TokenCorrente, ';')) {
      ReportError(k.msgPuntoVirgolaFinquando, true);
      return;
    }
    continua = Esegui && static_cast<const cValoreBool&>(*condizione).Value;
    Corpo(continua);
    PuntoVirgolaDopoFine();
  } while (!Fermato() && Esegui && continua);
}

/* for = "PER" "(" name word relation "A" relation ")" word ";" { statement } "FINE" ";" */
void ExecFor(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  const TParoleChiave& k = ParoleChiave;
  if (Esegui) ShowCurrentLine();
  const PosizioneScanner inizio = SalvaPosizione();
  int passo = 0;
  bool continua = false;
  do {
    RipristinaPosizione(inizio);
    NextToken();
    if (g.TokenCorrente != "(") {
      ReportError("For errore 2.1", false);
      return;
    }
    NextToken();
    g.NomeIstruzione = g.TokenCorrente;
    const std::string variabile = g.TokenCorrente;
    NextToken();  // the word after the variable, by convention DA
    ListaArgomenti nessuno;
    ExecAssignment(Esegui, nessuno, passo);
    if (Fermato()) return;
    const cValoreReale* contatore = nullptr;
    if (Esegui) {
      cVariabile* v = g.ListaVariabili ? g.ListaVariabili->Cerca(variabile) : nullptr;
      contatore = v ? ComeNumero(v->GetValore()) : nullptr;
      if (!contatore) {
        ReportError("For errore 2", false);
        return;
      }
    }
    NextToken();
    if (g.TokenCorrente != k.A) {
      ReportError("For errore 3", false);
      return;
    }
    PValore fine = EvalExpression(Esegui);
    if (Fermato()) return;
    if (Esegui && !ComeNumero(fine.get())) {
      ReportError("For errore 4", false);
      return;
    }
    NextToken();
    if (g.TokenCorrente != ")") {
      ReportError("For errore 1.1", false);
      return;
    }
    NextToken();  // the word after ")", by convention ESEGUI
    continua = Esegui && ComeNumero(fine.get())->Value >= contatore->Value;
    if (Esegui && !continua) {
      // After a loop that ends, the variable holds the last value for which the body ran.
      cVariabile* v = g.ListaVariabili->Cerca(variabile);
      if (auto* n = dynamic_cast<cValoreReale*>(v ? v->GetValore() : nullptr)) n->Value -= 1;
    }
    Corpo(continua);
    ++passo;
    PuntoVirgolaDopoFine();
  } while (!Fermato() && Esegui && continua);
}

/* repeat = "RIPETI" relation "VOLTE" ";" { statement } "FINE" ";" */
void ExecRepeat(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  if (Esegui) ShowCurrentLine();
  const PosizioneScanner inizio = SalvaPosizione();
  int passo = 0;
  bool continua = false;
  do {
    RipristinaPosizione(inizio);
    PValore conta = EvalExpression(Esegui);
    if (Fermato()) return;
    if (Esegui && !ComeNumero(conta.get())) {
      ReportError("Errore Ripeti 2", false);
      return;
    }
    NextToken();
    if (g.TokenCorrente != kVolte) {
      ReportError("Errore Ripeti 3", false);
      return;
    }
    NextToken();  // the ";" after VOLTE
    continua = Esegui && static_cast<Reale>(passo) < ComeNumero(conta.get())->Value;
    Corpo(continua);
    ++passo;
    PuntoVirgolaDopoFine();
  } while (!Fermato() && Esegui && continua);
}

/* if = "SE" relation "ALLORA" statement [ "ALTRIMENTI" statement ] */
void ExecIf(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  const TParoleChiave& k = ParoleChiave;
  if (Esegui) ShowCurrentLine();
  PValore condizione = EvalExpression(Esegui);
  if (Fermato()) return;
  if (Esegui && (!condizione || condizione->Tipo != T_BOOLEANO)) {
    ReportError(k.msgEspressioneLogica, true);
    return;
  }
  NextToken();
  if (g.TokenCorrente != k.ALLORA) {
    ReportError(k.msgAllora, true);
    return;
  }
  const bool vera = Esegui && static_cast<const cValoreBool&>(*condizione).Value;
  NextToken();
  ExecStatement(vera);
  if (Fermato()) return;
  // One token of look-ahead for ALTRIMENTI; without it the token is read again by the
  // next statement.
  const PosizioneScanner posizione = SalvaPosizione();
  const std::string token = g.TokenCorrente;
  NextToken();
  if (g.TokenCorrente != k.ALTRIMENTI) {
    RipristinaPosizione(posizione);
    g.bFine = posizione.bFine;
    g.TokenCorrente = token;
    return;
  }
  NextToken();
  ExecStatement(Esegui && !vera);
}

void ExecAssignment(bool Esegui, ListaArgomenti& argomenti, int Passo) {
  TDatiGlob& g = DatiGlob;
  if (Esegui) ShowCurrentLine();
  const int contatore = g.ContatoreOggetti;
  const std::string nome = g.NomeIstruzione;
  PValore valore = EvalExpression(Esegui);
  if (Fermato()) return;
  if (Esegui && !valore) {
    ReportError(ParoleChiave.msgIdentificatore, true);
    return;
  }
  if (Passo != -1 && valore && valore->Tipo == T_REALE) static_cast<cValoreReale&>(*valore).Value += Passo;
  if (valore && valore->Tipo >= T_GEOMETRIA_PIANA && g.ContatoreOggetti != contatore && g.ListaVariabili) {
    // The expression made an anonymous object; it is kept under the assigned name instead.
    g.ListaVariabili->Elimina("$" + std::to_string(g.ContatoreOggetti));
  }
  if (Esegui) StoreVariable(Esegui, nome, *valore, argomenti.Vuota() ? nullptr : &argomenti);
  if (Fermato()) return;
  if (Passo == -1) {
    NextToken();
    if (!IniziaCon(g.TokenCorrente, ';')) {
      ReportError(ParoleChiave.msgPuntoVirgola, true);
      return;
    }
  }
  if (Esegui && !Fermato()) WaitStep();
}

void ShowCurrentLine() {
  TDatiGlob& g = DatiGlob;
  const int vecchia = g.RigaCorrente;
  g.RigaCorrente = g.IndiceRiga;
  if ((g.bPassoPasso || g.bEvidenziaRiga) && !g.bImmediato && g.RigaCorrente != g.UltimaRigaMostrata) {
    Finestra().InvalidaRighe(g.EditorCorrente, vecchia + 1, vecchia + 1);
    Finestra().InvalidaRighe(g.EditorCorrente, g.RigaCorrente + 1, g.RigaCorrente + 1);
    g.UltimaRigaMostrata = g.RigaCorrente;
  }
  if (g.bPassoPasso && g.RigaCorrente == static_cast<int>(g.ListaIstruzioni.size()) - 1) {
    g.bAttesaPasso = false;
    g.bPassoPasso = false;
  }
}

void WaitStep() {
  TDatiGlob& g = DatiGlob;
  WindowServices& f = Finestra();
  if (!g.bEsecuzioneVeloce) {
    f.AggiornaListaOggetti();
    f.DisegnaRifCart();
  }
  if (g.bPassoPasso) {
    g.bAttesaPasso = true;
    // Blocks on the window's events until the next-step or stop command clears the flag.
    while (g.bAttesaPasso) f.AttendiEventi(20);
  }
}

void RidisegnaRifCart() { Finestra().DisegnaRifCart(); }

}  // namespace qx
