#include "interpreter/Istruzioni.h"

#include <exception>

#include "interpreter/Dispatch.h"
#include "interpreter/Espressioni.h"
#include "interpreter/EspressioniCompilate.h"
#include "interpreter/Scanner.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
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

// The next token: from the loop's sequence of tokens (see IstruzioniRicordate.h), or read.
void Leggi(SequenzaToken* sequenza) {
  if (sequenza) sequenza->Leggi();
  else NextToken();
}

// The body of a block or loop: statements up to FINE.
void Corpo(bool Esegui, SequenzaToken* sequenza = nullptr) {
  do {
    Leggi(sequenza);
    if (Token() != ParoleChiave.FINE) ExecStatement(Esegui);
  } while (Token() != ParoleChiave.FINE && !Fermato());
}

// The ";" after FINE.
void PuntoVirgolaDopoFine(SequenzaToken* sequenza = nullptr) {
  if (Fermato()) return;
  Leggi(sequenza);
  if (!IniziaCon(Token(), ';')) ReportError(ParoleChiave.msgPuntoVirgolaFine, true);
}

// The end of a loop's pass: its tokens are now known.
void FinePassata(SequenzaToken& sequenza) {
  if (!Fermato()) sequenza.Concludi();
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
  NotaIstruzione();
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
    NotaIstruzioneVuota();  // the empty statement
  } else if (!t.empty() && IsLettera(static_cast<unsigned char>(t[0]))) {
    // NomeIstruzione keeps the name: only statements set it, and none runs before it is used.
    g.NomeIstruzione = t;
    RicordoAssegnamento* ricordo = Esegui ? CercaRicordoAssegnamento() : nullptr;
    Leggi(ricordo ? &ricordo->token : nullptr);
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
    if (ricordo && (!argomenti.Vuota() || g.TokenCorrente != "=")) {
      ricordo->token.Abbandona();
      ricordo = nullptr;
    }
    if (g.TokenCorrente == "=") {
      try {
        ExecAssignment(Esegui, argomenti, -1, ricordo ? &ricordo->token : nullptr,
                       ricordo ? &ricordo->variabile : nullptr);
      } catch (const std::exception&) {
        ReportError(kErroreNonDocumentato, false);
      }
      if (ricordo) FinePassata(ricordo->token);
    } else if (IniziaCon(g.TokenCorrente, ';')) {
      CallProcedure(Esegui, argomenti);
    } else if (g.NomeIstruzione == k.ALTRIMENTI) {
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
  SequenzaToken sequenza;  // the tokens of a pass (see IstruzioniRicordate.h)
  do {
    if (Esegui) sequenza.Inizia();
    RipristinaPosizione(inizio);
    PValore condizione = EvalExpression(Esegui);
    if (Fermato()) return;
    if (Esegui && (!condizione || condizione->Tipo != T_BOOLEANO)) {
      ReportError(k.msgEspressioneLogica, true);
      return;
    }
    sequenza.Leggi();
    if (g.TokenCorrente != ")") {
      ReportError(k.msgChiusaFinquando, true);
      return;
    }
    sequenza.Leggi();
    if (!IniziaCon(g.TokenCorrente, ';')) {
      ReportError(k.msgPuntoVirgolaFinquando, true);
      return;
    }
    continua = Esegui && static_cast<const cValoreBool&>(*condizione).Value;
    Corpo(continua, &sequenza);
    PuntoVirgolaDopoFine(&sequenza);
    FinePassata(sequenza);
  } while (!Fermato() && Esegui && continua);
}

namespace {

/* header = "(" name word relation "A" relation ")" word
   One pass's header: stores the counter, reads the bound, and tells whether the body runs;
   false when the run stopped. */
bool IntestazionePer(bool Esegui, const PosizioneScanner& inizio, int passo, SequenzaToken& sequenza,
                     VariabileRicordata& contatoreRicordato, PassataCompilata& compilata, bool& continua) {
  TDatiGlob& g = DatiGlob;
  const TParoleChiave& k = ParoleChiave;
  RipristinaPosizione(inizio);
  sequenza.Leggi();
  if (g.TokenCorrente != "(") {
    ReportError("For errore 2.1", false);
    return false;
  }
  sequenza.Leggi();
  // The variable's name, kept in NomeIstruzione until the body runs (only statements set it).
  g.NomeIstruzione = g.TokenCorrente;
  const std::string& variabile = g.NomeIstruzione;
  sequenza.Leggi();  // the word after the variable, by convention DA
  ListaArgomenti nessuno;
  ExecAssignment(Esegui, nessuno, passo, nullptr, &contatoreRicordato);
  if (Fermato()) return false;
  const cValoreReale* contatore = nullptr;
  if (Esegui) {
    cVariabile* v = contatoreRicordato.Trova(variabile);
    contatore = v ? ComeNumero(v->GetValore()) : nullptr;
    if (!contatore) {
      ReportError("For errore 2", false);
      return false;
    }
  }
  sequenza.Leggi();
  if (g.TokenCorrente != k.A) {
    ReportError("For errore 3", false);
    return false;
  }
  PValore fine = EvalExpression(Esegui);
  if (Fermato()) return false;
  if (Esegui && !ComeNumero(fine.get())) {
    ReportError("For errore 4", false);
    return false;
  }
  if (Esegui) NotaNumero(PassataCompilata::Tipo::Limite, {});
  sequenza.Leggi();
  if (g.TokenCorrente != ")") {
    ReportError("For errore 1.1", false);
    return false;
  }
  sequenza.Leggi();  // the word after ")", by convention ESEGUI
  compilata.FineIntestazione();
  continua = Esegui && ComeNumero(fine.get())->Value >= contatore->Value;
  if (Esegui && !continua) {
    // After a loop that ends, the variable holds the last value for which the body ran.
    cVariabile* v = g.ListaVariabili->Cerca(variabile);
    if (auto* n = dynamic_cast<cValoreReale*>(v ? v->GetValore() : nullptr)) n->Value -= 1;
  }
  return true;
}

}  // namespace

/* for = "PER" header ";" { statement } "FINE" ";" */
void ExecFor(bool Esegui) {
  if (Esegui) ShowCurrentLine();
  const PosizioneScanner inizio = SalvaPosizione();
  int passo = 0;
  bool continua = false;
  // The tokens of a pass, read on the first one and replayed on the others; the counter; and
  // the pass as a list of operations, once a pass has shown it (see PassateCompilate.h).
  SequenzaToken sequenza;
  VariabileRicordata contatoreRicordato;
  PassataCompilata compilata;
  do {
    using Esito = PassataCompilata::Esito;
    const Esito esito = Esegui && compilata.Pronta() ? compilata.Esegui(passo) : Esito::NonEseguita;
    if (esito == Esito::Completa) {
      continua = true;
      ++passo;
      continue;
    }
    if (esito == Esito::NonEseguita) {
      if (Esegui) {
        sequenza.Inizia();
        compilata.IniziaRegistrazione();
      }
      if (!IntestazionePer(Esegui, inizio, passo, sequenza, contatoreRicordato, compilata, continua)) return;
    } else {
      continua = false;
    }
    Corpo(continua, &sequenza);
    ++passo;
    PuntoVirgolaDopoFine(&sequenza);
    FinePassata(sequenza);
    compilata.ConcludiRegistrazione(continua);
  } while (!Fermato() && Esegui && continua);
}

/* repeat = "RIPETI" relation "VOLTE" ";" { statement } "FINE" ";" */
void ExecRepeat(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  if (Esegui) ShowCurrentLine();
  const PosizioneScanner inizio = SalvaPosizione();
  int passo = 0;
  bool continua = false;
  SequenzaToken sequenza;  // the tokens of a pass (see IstruzioniRicordate.h)
  do {
    if (Esegui) sequenza.Inizia();
    RipristinaPosizione(inizio);
    PValore conta = EvalExpression(Esegui);
    if (Fermato()) return;
    if (Esegui && !ComeNumero(conta.get())) {
      ReportError("Errore Ripeti 2", false);
      return;
    }
    sequenza.Leggi();
    if (g.TokenCorrente != kVolte) {
      ReportError("Errore Ripeti 3", false);
      return;
    }
    sequenza.Leggi();  // the ";" after VOLTE
    continua = Esegui && static_cast<Reale>(passo) < ComeNumero(conta.get())->Value;
    Corpo(continua, &sequenza);
    ++passo;
    PuntoVirgolaDopoFine(&sequenza);
    FinePassata(sequenza);
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

namespace {

// The part of an assignment between "=" and ";": the value, the pass number of a PER loop
// and the store. False when the run stopped.
bool AssegnaValore(bool Esegui, ListaArgomenti& argomenti, int Passo, VariabileRicordata* variabile) {
  TDatiGlob& g = DatiGlob;
  if (Esegui) ShowCurrentLine();
  const int contatore = g.ContatoreOggetti;
  // Only statements set NomeIstruzione, and none runs inside an expression.
  const std::string& nome = g.NomeIstruzione;
  PValore valore;
  if (Esegui && argomenti.Vuota()) {
    Reale numero = 0;
    if (ValutaNumeroRicordato(numero, valore)) {
      // A number that goes into a number variable needs no value of its own.
      const bool contatore = Passo != -1;
      if (contatore) numero += Passo;
      if (MemorizzaNumero(nome, numero, variabile)) {
        NotaNumero(contatore ? PassataCompilata::Tipo::Contatore : PassataCompilata::Tipo::Assegna, nome);
        return true;
      }
      valore = std::make_unique<cValoreReale>(numero);
      Passo = -1;  // already counted
    }
  } else {
    valore = EvalExpression(Esegui);
  }
  if (Fermato()) return false;
  if (Esegui && !valore) {
    ReportError(ParoleChiave.msgIdentificatore, true);
    return false;
  }
  if (Passo != -1 && valore && valore->Tipo == T_REALE) static_cast<cValoreReale&>(*valore).Value += Passo;
  if (valore && valore->Tipo >= T_GEOMETRIA_PIANA && g.ContatoreOggetti != contatore && g.ListaVariabili) {
    // The expression made an anonymous object; it is kept under the assigned name instead.
    g.ListaVariabili->Elimina("$" + std::to_string(g.ContatoreOggetti));
  }
  if (Esegui) StoreVariable(Esegui, nome, *valore, argomenti.Vuota() ? nullptr : &argomenti);
  return !Fermato();
}

}  // namespace

void ExecAssignment(bool Esegui, ListaArgomenti& argomenti, int Passo, SequenzaToken* token,
                    VariabileRicordata* variabile) {
  TDatiGlob& g = DatiGlob;
  if (!AssegnaValore(Esegui, argomenti, Passo, variabile)) return;
  if (Passo == -1) {
    Leggi(token);
    if (!IniziaCon(g.TokenCorrente, ';')) {
      ReportError(ParoleChiave.msgPuntoVirgola, true);
      return;
    }
  }
  if (Esegui && !Fermato()) WaitStep();
}

void MostraRigaLento(int riga) {
  TDatiGlob& g = DatiGlob;
  const int vecchia = g.RigaCorrente;
  g.RigaCorrente = riga;
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
