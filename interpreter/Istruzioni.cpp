#include "interpreter/Istruzioni.h"

#include <exception>

#include "interpreter/Dispatch.h"
#include "interpreter/Espressioni.h"
#include "interpreter/IstruzioniCompilate.h"
#include "interpreter/Lettore.h"
#include "interpreter/Scanner.h"
#include "interpreter/SeguitoIstruzioni.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "values/ValoriScalari.h"
#include "values/Variabili.h"

namespace qx {

namespace {

constexpr const char* kErroreNonDocumentato = "Errore non documentato";

// Blocks nest through recursion; a text nested deeper than this is reported rather than
// allowed to exhaust the stack.
constexpr int ANNIDAMENTO_MASSIMO = 1000;
int gAnnidamento = 0;

// The statements read their tokens and expressions through the Lettore (Lettore.h): the text,
// or the text read without running anything while a statement is recorded. Each routine is
// cut after each of its reads into a piece of its own (SeguitoIstruzioni.h).
using L = Lettore;
bool Fermato() { return DatiGlob.bStop; }
void Errore(const std::string& messaggio, bool SuRiga) { L::Segnala(messaggio, SuRiga); }
void MostraRigaCorrente() { MostraRiga(DatiGlob.IndiceRiga); }

// The statement that begins with the current token, after its line was shown.
void Costrutto(bool Esegui);

}  // namespace

namespace seguito {

int Annidamento() { return gAnnidamento; }
void ImpostaAnnidamento(int n) { gAnnidamento = n; }

// ---- bodies and FINE ----

/* body = { statement } "FINE" */
void Corpo(bool Esegui) {
  do {
    L::Leggi();
    CorpoDopoLettura(Esegui);
  } while (!L::E(kParolaFine) && !Fermato());
}

void CorpoDopoLettura(bool Esegui) {
  if (!L::E(kParolaFine)) ExecStatement(Esegui);
}

void PuntoVirgolaDopoFine() {
  if (Fermato()) return;
  L::Leggi();
  DopoPuntoVirgolaFine();
}

void DopoPuntoVirgolaFine() {
  if (!L::Inizia(';')) Errore(ParoleChiave.msgPuntoVirgolaFine, true);
}

// ---- ESEGUI ----

void DoWhileDopoEsegui(bool Esegui) {
  const TParoleChiave& k = ParoleChiave;
  if (L::Inizia(';')) {
    Corpo(Esegui);
    if (!Fermato()) {
      L::Leggi();
      BloccoDopoFine();
    }
    return;
  }
  if (!L::E(kParolaFinquando)) {
    Errore(k.msgPuntoVirgolaOFinquando, true);
    return;
  }
  L::Leggi();
  FinquandoDopoParola(Esegui);
}

void BloccoDopoFine() {
  if (!L::Inizia(';')) Errore(ParoleChiave.msgPuntoVirgola, true);
}

namespace {
// One pass of ESEGUI FINQUANDO; false when the loop ends there with an error or a stop.
bool PassataFinquando(bool Esegui, const Lettore::Segno& inizio, bool& continua) {
  L::Ripristina(inizio);
  const Valutato condizione = L::Espressione(Esegui);
  if (Fermato()) return false;
  if (Esegui && condizione.tipo != T_BOOLEANO) {
    Errore(ParoleChiave.msgEspressioneLogica, true);
    return false;
  }
  L::Leggi();
  return FinquandoDopoChiusa(Esegui, condizione, continua);
}
}  // namespace

void FinquandoDopoParola(bool Esegui) {
  if (!L::Inizia('(')) {
    Errore(ParoleChiave.msgApertaFinquando, true);
    return;
  }
  const Lettore::Segno inizio = L::Salva();
  bool continua = false;
  do {
    if (!PassataFinquando(Esegui, inizio, continua)) return;
  } while (!Fermato() && Esegui && continua);
}

bool FinquandoDopoChiusa(bool Esegui, const Valutato& condizione, bool& continua) {
  if (!L::Inizia(')')) {
    Errore(ParoleChiave.msgChiusaFinquando, true);
    return false;
  }
  L::Leggi();
  return FinquandoDopoPuntoVirgola(Esegui, condizione, continua);
}

bool FinquandoDopoPuntoVirgola(bool Esegui, const Valutato& condizione, bool& continua) {
  if (!L::Inizia(';')) {
    Errore(ParoleChiave.msgPuntoVirgolaFinquando, true);
    return false;
  }
  continua = Esegui && condizione.Logico();
  Corpo(continua);
  PuntoVirgolaDopoFine();
  return true;
}

// ---- PER ----

bool PerDopoParentesi(bool Esegui, int passo, VariabileRicordata& contatore, bool& continua) {
  if (!L::Inizia('(')) {
    Errore("For errore 2.1", false);
    return false;
  }
  L::Leggi();
  return PerDopoVariabile(Esegui, passo, contatore, continua);
}

bool PerDopoVariabile(bool Esegui, int passo, VariabileRicordata& contatore, bool& continua) {
  // The variable's name, kept in NomeIstruzione until the body runs (only statements set it).
  TDatiGlob& g = DatiGlob;
  if (!StessoTesto(g.NomeIstruzione, L::Testo())) g.NomeIstruzione = L::Testo();
  L::Leggi();  // the word after the variable, by convention DA
  return PerDopoDa(Esegui, passo, contatore, continua);
}

bool PerDopoDa(bool Esegui, int passo, VariabileRicordata& contatore, bool& continua) {
  ArgomentiIstruzione nessuno;
  ExecAssignment(Esegui, nessuno, passo, &contatore);
  if (Fermato()) return false;
  Reale valore = 0;
  if (Esegui) {
    const cValoreReale* n = NumeroVariabile(contatore, DatiGlob.NomeIstruzione);
    if (!n) {
      Errore("For errore 2", false);
      return false;
    }
    valore = n->Value;
  }
  L::Leggi();
  return PerDopoA(Esegui, contatore, valore, continua);
}

bool PerDopoA(bool Esegui, VariabileRicordata& contatore, Reale valore, bool& continua) {
  if (!L::E(kParolaA)) {
    Errore("For errore 3", false);
    return false;
  }
  const Valutato fine = L::Espressione(Esegui);
  if (Fermato()) return false;
  if (Esegui && fine.tipo != T_REALE) {
    Errore("For errore 4", false);
    return false;
  }
  L::Leggi();
  return PerDopoChiusa(Esegui, contatore, valore, fine, continua);
}

bool PerDopoChiusa(bool Esegui, VariabileRicordata& contatore, Reale valore, const Valutato& fine, bool& continua) {
  if (!L::Inizia(')')) {
    Errore("For errore 1.1", false);
    return false;
  }
  L::Leggi();  // the word after ")", by convention ESEGUI
  return PerDopoEsegui(Esegui, contatore, valore, fine, continua);
}

bool PerDopoEsegui(bool Esegui, VariabileRicordata& contatore, Reale valore, const Valutato& fine, bool& continua) {
  TDatiGlob& g = DatiGlob;
  if (Esegui) {
    // The counter as it is now; if the bound's evaluation took it away (only the window can),
    // as it was before.
    if (const cValoreReale* n = NumeroVariabile(contatore, g.NomeIstruzione)) valore = n->Value;
  }
  continua = Esegui && fine.Numero() >= valore;
  if (Esegui && !continua) {
    // After a loop that ends, the variable holds the last value for which the body ran.
    cVariabile* v = g.ListaVariabili->Cerca(g.NomeIstruzione);
    if (auto* n = dynamic_cast<cValoreReale*>(v ? v->GetValore() : nullptr)) n->Value -= 1;
  }
  return true;
}

// ---- RIPETI ----

bool RipetiDopoVolte(bool Esegui, const Valutato& conta, int passo, bool& continua) {
  if (!L::E(kParolaVolte)) {
    Errore("Errore Ripeti 3", false);
    return false;
  }
  L::Leggi();  // the ";" after VOLTE
  return RipetiDopoPuntoVirgola(Esegui, conta, passo, continua);
}

bool RipetiDopoPuntoVirgola(bool Esegui, const Valutato& conta, int passo, bool& continua) {
  continua = Esegui && static_cast<Reale>(passo) < conta.Numero();
  Corpo(continua);
  PuntoVirgolaDopoFine();
  return true;
}

// ---- SE ----

void SeDopoAllora(bool Esegui, const Valutato& condizione) {
  if (!L::E(kParolaAllora)) {
    Errore(ParoleChiave.msgAllora, true);
    return;
  }
  const bool vera = Esegui && condizione.Logico();
  L::Leggi();
  SeDopoPrimo(Esegui, vera);
}

void SeDopoPrimo(bool Esegui, bool vera) {
  ExecStatement(vera);
  if (Fermato()) return;
  // One token of look-ahead for ALTRIMENTI; without it the token is read again by the
  // next statement.
  const Lettore::Segno prima = L::Salva();
  L::Leggi();
  SeDopoSguardo(Esegui, vera, prima);
}

void SeDopoSguardo(bool Esegui, bool vera, const Lettore::Segno& prima) {
  if (!L::E(kParolaAltrimenti)) {
    L::RipristinaConToken(prima);
    return;
  }
  L::Leggi();
  SeDopoAltrimenti(Esegui, vera);
}

void SeDopoAltrimenti(bool Esegui, bool vera) { ExecStatement(Esegui && !vera); }

// ---- a statement that starts with a name ----

void NomeDopoPrimo(bool Esegui) {
  ArgomentiIstruzione argomenti;
  if (L::Inizia('.')) {
    L::Leggi();
    NomeDopoParolaMembro(Esegui, argomenti);
    return;
  }
  NomeDopoMembro(Esegui, argomenti);
}

void NomeDopoParolaMembro(bool Esegui, ArgomentiIstruzione& argomenti) {
  argomenti.push_back(CellaMembro(L::Testo()));
  L::Leggi();
  NomeDopoMembro(Esegui, argomenti);
}

void NomeDopoMembro(bool Esegui, ArgomentiIstruzione& argomenti) {
  TDatiGlob& g = DatiGlob;
  const TParoleChiave& k = ParoleChiave;
  if (L::Inizia('(')) {
    argomenti.push_back(L::Espressione(Esegui));
    if (!Fermato()) L::Leggi();
    while (!Fermato() && !g.bFine && !L::Inizia(')')) {
      argomenti.push_back(L::Espressione(Esegui));
      if (!Fermato()) L::Leggi();
    }
    if (!Fermato()) L::Leggi();
  }
  if (Fermato()) return;
  if (L::Inizia('=')) {
    try {
      ExecAssignment(Esegui, argomenti, -1);
    } catch (const std::exception&) {
      ReportError(kErroreNonDocumentato, false);
    }
  } else if (L::Inizia(';')) {
    if (L::Registra()) {
      // Nothing runs while recording; an unknown name is reported when the text is read.
      const ProceduraRisolta p = RisolviProcedura(g.NomeIstruzione);
      if (!p.istruzione && !p.valore) Errore(k.msgProceduraNonConosciuta, true);
      return;
    }
    ListaArgomenti lista;
    for (Valutato& a : argomenti) lista.Aggiungi(a.Scatola());
    CallProcedure(Esegui, lista);
  } else if (g.NomeIstruzione == k.ALTRIMENTI) {
    Errore(k.ALTRIMENTI + " non corrispondente ad un " + k.SE, true);
  } else {
    Errore(k.msgUgualeOPuntoVirgola, true);
  }
}

bool AssegnamentoDopoPuntoVirgola() {
  if (L::Inizia(';')) return true;
  Errore(ParoleChiave.msgPuntoVirgola, true);
  return false;
}

}  // namespace seguito

using namespace seguito;

Valutato CellaMembro(const std::string& membro) {
  Valutato v;
  v.tipo = T_STRINGA;
  v.oggetto = std::make_unique<cValoreStringa>(std::string(1, MARCA_MEMBRO) + membro);
  return v;
}

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
  if (++gAnnidamento > ANNIDAMENTO_MASSIMO) {
    --gAnnidamento;
    Errore(ParoleChiave.msgAnnidamento, true);
    return;
  }
  struct Uscita {
    ~Uscita() { --gAnnidamento; }
  } uscita;
  if (Esegui) MostraRigaCorrente();
  if (!L::Registra() && detail::gRiproduzioni &&
      (L::E(kParolaEsegui) || L::E(kParolaPer) || L::E(kParolaRipeti))) {
    // A loop (or a block, which may hold loops): read once, then run from its recording.
    if (std::shared_ptr<IstruzioneCompilata> istruzione = Lettore::IstruzioneCorrente(Costrutto)) {
      if (istr::Esegui(*istruzione, Esegui, gAnnidamento, ANNIDAMENTO_MASSIMO)) return;
    }
  }
  Costrutto(Esegui);
}

namespace {

// name [ "." member ] [ "(" arguments ")" ] ( "=" expression | ) ";"
void IstruzioneNome(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  // NomeIstruzione keeps the name: only statements set it, and none runs before it is used.
  if (!StessoTesto(g.NomeIstruzione, L::Testo())) g.NomeIstruzione = L::Testo();
  L::Leggi();
  NomeDopoPrimo(Esegui);
}

void Costrutto(bool Esegui) {
  if (L::E(kParolaEsegui)) {
    ExecDoWhile(Esegui);
  } else if (L::E(kParolaPer)) {
    ExecFor(Esegui);
  } else if (L::E(kParolaRipeti)) {
    ExecRepeat(Esegui);
  } else if (L::E(kParolaSe)) {
    ExecIf(Esegui);
  } else if (L::Inizia(';')) {
    // the empty statement
  } else if (L::Nome()) {
    IstruzioneNome(Esegui);
  } else {
    Errore(ParoleChiave.msgCostrutto, true);
  }
}

}  // namespace

/* block = "ESEGUI" ";" { statement } "FINE" ";"
   while = "ESEGUI" "FINQUANDO" "(" relation ")" ";" { statement } "FINE" ";" */
void ExecDoWhile(bool Esegui) {
  if (Esegui) MostraRigaCorrente();
  L::Leggi();
  DoWhileDopoEsegui(Esegui);
}

/* for = "PER" "(" name word relation "A" relation ")" word ";" { statement } "FINE" ";" */
void ExecFor(bool Esegui) {
  if (Esegui) MostraRigaCorrente();
  const Lettore::Segno inizio = L::Salva();
  int passo = 0;
  bool continua = false;
  VariabileRicordata contatore;
  do {
    L::Ripristina(inizio);
    L::Leggi();
    if (!PerDopoParentesi(Esegui, passo, contatore, continua)) return;
    Corpo(continua);
    ++passo;
    PuntoVirgolaDopoFine();
  } while (!Fermato() && Esegui && continua);
}

/* repeat = "RIPETI" relation "VOLTE" ";" { statement } "FINE" ";" */
void ExecRepeat(bool Esegui) {
  if (Esegui) MostraRigaCorrente();
  const Lettore::Segno inizio = L::Salva();
  int passo = 0;
  bool continua = false;
  do {
    L::Ripristina(inizio);
    const Valutato conta = L::Espressione(Esegui);
    if (Fermato()) return;
    if (Esegui && conta.tipo != T_REALE) {
      Errore("Errore Ripeti 2", false);
      return;
    }
    L::Leggi();
    if (!RipetiDopoVolte(Esegui, conta, passo, continua)) return;
    ++passo;
  } while (!Fermato() && Esegui && continua);
}

/* if = "SE" relation "ALLORA" statement [ "ALTRIMENTI" statement ] */
void ExecIf(bool Esegui) {
  if (Esegui) MostraRigaCorrente();
  const Valutato condizione = L::Espressione(Esegui);
  if (Fermato()) return;
  if (Esegui && condizione.tipo != T_BOOLEANO) {
    Errore(ParoleChiave.msgEspressioneLogica, true);
    return;
  }
  L::Leggi();
  SeDopoAllora(Esegui, condizione);
}

bool MemorizzaVeloce(const std::string& nome, Valutato& valore, const ArgomentiIstruzione& argomenti,
                     VariabileRicordata* variabile) {
  if (valore.tipo == T_STRINGA && argomenti.empty() && valore.oggetto)
    return MemorizzaTesto(nome, static_cast<cValoreStringa&>(*valore.oggetto).Value, variabile);
  if (valore.tipo != T_REALE) return false;
  if (argomenti.empty()) return MemorizzaNumero(nome, valore.Numero(), variabile);
  Reale* cella = CellaElementoNumero(nome, argomenti, variabile);
  if (cella) *cella = valore.Numero();
  return cella;
}

Reale* CellaElementoNumero(const std::string& nome, const ArgomentiIstruzione& argomenti,
                           VariabileRicordata* variabile) {
  Reale indici[2];
  const int quanti = static_cast<int>(argomenti.size());
  if (quanti > 2) return nullptr;
  for (int i = 0; i < quanti; ++i) {
    const Valutato& a = argomenti[static_cast<std::size_t>(i)];
    if (a.tipo != T_REALE) return nullptr;
    indici[i] = a.Numero();
  }
  return CellaElementoNumero(nome, indici, quanti, variabile);
}

void MemorizzaValore(const std::string& nome, Valutato& valore, ArgomentiIstruzione& argomenti,
                     VariabileRicordata* variabile) {
  PValore oggetto = valore.Scatola();
  ListaArgomenti lista;
  for (Valutato& a : argomenti) lista.Aggiungi(a.Scatola());
  StoreVariable(true, nome, *oggetto, lista.Vuota() ? nullptr : &lista, variabile);
}

void ExecAssignment(bool Esegui, ArgomentiIstruzione& argomenti, int Passo, VariabileRicordata* variabile) {
  TDatiGlob& g = DatiGlob;
  if (Esegui) MostraRigaCorrente();
  const int contatore = g.ContatoreOggetti;
  // Only statements set NomeIstruzione, and none runs inside an expression.
  const std::string& nome = g.NomeIstruzione;
  Valutato valore = L::Espressione(Esegui);
  if (Fermato()) return;
  if (Esegui && valore.Niente()) {
    Errore(ParoleChiave.msgIdentificatore, true);
    return;
  }
  if (Passo != -1 && valore.tipo == T_REALE) valore.AggiungiNumero(Passo);
  TogliAnonimoAssegnato(valore, contatore);
  if (Esegui && !MemorizzaVeloce(nome, valore, argomenti, variabile))
    MemorizzaValore(nome, valore, argomenti, variabile);
  if (Fermato()) return;
  if (Passo == -1) {
    L::Leggi();
    if (!AssegnamentoDopoPuntoVirgola()) return;
  }
  if (Esegui && !Fermato()) WaitStep();
}

bool RisultatoFuoriTabella(int numero);

void TogliAnonimoAssegnatoLento(const Valutato& valore, int contatorePrima) {
  TDatiGlob& g = DatiGlob;
  // The object that MemorizzaRisultatoAssegnato kept out of the table has nothing to remove.
  if (RisultatoFuoriTabella(g.ContatoreOggetti)) return;
  if (valore.tipo >= T_GEOMETRIA_PIANA && g.ContatoreOggetti != contatorePrima && g.ListaVariabili) {
    // The expression made an anonymous object; it is kept under the assigned name instead.
    g.ListaVariabili->Elimina(NomeAnonimo(g.ContatoreOggetti));
  }
}

void MostraRigaLento(int riga) {
  TDatiGlob& g = DatiGlob;
  const int vecchia = g.RigaCorrente;
  g.RigaCorrente = riga;
  if ((g.bPassoPasso || g.bEvidenziaRiga) && !g.bImmediato && g.RigaCorrente != g.UltimaRigaMostrata) {
    WindowServices& f = *detail::gFinestra;  // Finestra(), without a call
    f.InvalidaRighe(g.EditorCorrente, vecchia + 1, vecchia + 1);
    f.InvalidaRighe(g.EditorCorrente, g.RigaCorrente + 1, g.RigaCorrente + 1);
    g.UltimaRigaMostrata = g.RigaCorrente;
  }
  if (g.bPassoPasso && g.RigaCorrente == static_cast<int>(g.ListaIstruzioni.size()) - 1) {
    g.bAttesaPasso = false;
    g.bPassoPasso = false;
  }
}

void WaitStepLento() {
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
