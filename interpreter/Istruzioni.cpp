#include "interpreter/Istruzioni.h"

#include <exception>

#include "interpreter/Dispatch.h"
#include "interpreter/Espressioni.h"
#include "interpreter/Lettore.h"
#include "interpreter/Scanner.h"
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

bool Fermato() { return DatiGlob.bStop; }
// The statements read their tokens and expressions through the current Lettore (Lettore.h):
// the text, or a loop's recording.
Lettore& L() { return *gLettore; }
void Errore(const std::string& messaggio, bool SuRiga) { L().Segnala(messaggio, SuRiga); }
void MostraRigaLettore() { MostraRiga(L().Riga()); }

// The body of a block or loop: statements up to FINE.
void Corpo(bool Esegui) {
  Lettore& l = L();
  do {
    l.Leggi();
    if (!l.E(kParolaFine)) ExecStatement(Esegui);
  } while (!l.E(kParolaFine) && !Fermato());
}

// The ";" after FINE.
void PuntoVirgolaDopoFine() {
  if (Fermato()) return;
  L().Leggi();
  if (!L().Inizia(';')) Errore(ParoleChiave.msgPuntoVirgolaFine, true);
}

// The statement that begins with the current token, after its line was shown.
void Costrutto(bool Esegui);

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
  if (++gAnnidamento > ANNIDAMENTO_MASSIMO) {
    --gAnnidamento;
    Errore(kErroreNonDocumentato, false);
    return;
  }
  struct Uscita {
    ~Uscita() { --gAnnidamento; }
  } uscita;
  Lettore& l = L();
  if (Esegui) MostraRigaLettore();
  if (l.ATesto() && detail::gRiproduzioni &&
      (l.E(kParolaEsegui) || l.E(kParolaPer) || l.E(kParolaRipeti))) {
    // A loop (or a block, which may hold loops): read once, then run from its recording.
    if (std::shared_ptr<IstruzioneCompilata> istruzione = Lettore::IstruzioneCorrente(Costrutto)) {
      Lettore riproduzione(std::move(istruzione));
      Costrutto(Esegui);
      return;
    }
  }
  Costrutto(Esegui);
}

namespace {

// name [ "." member ] [ "(" arguments ")" ] ( "=" expression | ) ";"
void IstruzioneNome(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  const TParoleChiave& k = ParoleChiave;
  Lettore& l = L();
  Lettura* ricordo = l.Ricordo();
  // NomeIstruzione keeps the name: only statements set it, and none runs before it is used.
  if (!StessoTesto(g.NomeIstruzione, l.Testo())) g.NomeIstruzione = l.Testo();
  l.Leggi();
  ArgomentiIstruzione argomenti;
  if (l.Inizia('.')) {
    l.Leggi();
    Valutato membro;
    membro.tipo = T_STRINGA;
    membro.oggetto = std::make_unique<cValoreStringa>(std::string(1, MARCA_MEMBRO) + l.Testo());
    argomenti.push_back(std::move(membro));
    l.Leggi();
  }
  if (l.Inizia('(')) {
    argomenti.push_back(l.Espressione(Esegui));
    if (!Fermato()) l.Leggi();
    while (!Fermato() && !l.Fine() && !l.Inizia(')')) {
      argomenti.push_back(l.Espressione(Esegui));
      if (!Fermato()) l.Leggi();
    }
    if (!Fermato()) l.Leggi();
  }
  if (Fermato()) return;
  if (l.Inizia('=')) {
    try {
      ExecAssignment(Esegui, argomenti, -1, ricordo ? &ricordo->variabile : nullptr);
    } catch (const std::exception&) {
      ReportError(kErroreNonDocumentato, false);
    }
  } else if (l.Inizia(';')) {
    if (l.Registra()) {
      // Nothing runs while recording; an unknown name is reported when the text is read.
      const ProceduraRisolta p = RisolviProcedura(g.NomeIstruzione);
      if (!p.istruzione && !p.valore) Errore(k.msgProceduraNonConosciuta, true);
      return;
    }
    ListaArgomenti lista;
    for (Valutato& a : argomenti) lista.Aggiungi(a.Scatola());
    l.Materializza();
    CallProcedure(Esegui, lista, ricordo ? &ricordo->procedura : nullptr);
  } else if (g.NomeIstruzione == k.ALTRIMENTI) {
    Errore(k.ALTRIMENTI + " non corrispondente ad un " + k.SE, true);
  } else {
    Errore(k.msgUgualeOPuntoVirgola, true);
  }
}

void Costrutto(bool Esegui) {
  Lettore& l = L();
  if (l.E(kParolaEsegui)) {
    ExecDoWhile(Esegui);
  } else if (l.E(kParolaPer)) {
    ExecFor(Esegui);
  } else if (l.E(kParolaRipeti)) {
    ExecRepeat(Esegui);
  } else if (l.E(kParolaSe)) {
    ExecIf(Esegui);
  } else if (l.Inizia(';')) {
    // the empty statement
  } else if (l.Nome()) {
    IstruzioneNome(Esegui);
  } else {
    Errore(ParoleChiave.msgCostrutto, true);
  }
}

}  // namespace

/* block = "ESEGUI" ";" { statement } "FINE" ";"
   while = "ESEGUI" "FINQUANDO" "(" relation ")" ";" { statement } "FINE" ";" */
void ExecDoWhile(bool Esegui) {
  const TParoleChiave& k = ParoleChiave;
  Lettore& l = L();
  if (Esegui) MostraRigaLettore();
  l.Leggi();
  if (l.Inizia(';')) {
    Corpo(Esegui);
    if (!Fermato()) {
      l.Leggi();
      if (!l.Inizia(';')) Errore(k.msgPuntoVirgola, true);
    }
    return;
  }
  if (!l.E(kParolaFinquando)) {
    Errore(k.msgPuntoVirgolaOFinquando, true);
    return;
  }
  l.Leggi();
  if (!l.Inizia('(')) {
    Errore(k.msgApertaFinquando, true);
    return;
  }
  const Lettore::Segno inizio = l.Salva();
  bool continua = false;
  do {
    l.Ripristina(inizio);
    const Valutato condizione = l.Espressione(Esegui);
    if (Fermato()) return;
    if (Esegui && condizione.tipo != T_BOOLEANO) {
      Errore(k.msgEspressioneLogica, true);
      return;
    }
    l.Leggi();
    if (!l.Inizia(')')) {
      Errore(k.msgChiusaFinquando, true);
      return;
    }
    l.Leggi();
    if (!l.Inizia(';')) {
      Errore(k.msgPuntoVirgolaFinquando, true);
      return;
    }
    continua = Esegui && condizione.Logico();
    Corpo(continua);
    PuntoVirgolaDopoFine();
  } while (!Fermato() && Esegui && continua);
}

namespace {

/* header = "(" name word relation "A" relation ")" word
   One pass's header: stores the counter, reads the bound, and tells whether the body runs;
   false when the run stopped. */
bool IntestazionePer(bool Esegui, const Lettore::Segno& inizio, int passo, VariabileRicordata& contatoreTesto,
                     bool& continua) {
  TDatiGlob& g = DatiGlob;
  Lettore& l = L();
  l.Ripristina(inizio);
  l.Leggi();
  if (!l.Inizia('(')) {
    Errore("For errore 2.1", false);
    return false;
  }
  l.Leggi();
  Lettura* ricordo = l.Ricordo();
  VariabileRicordata& contatoreRicordato = ricordo ? ricordo->variabile : contatoreTesto;
  // The variable's name, kept in NomeIstruzione until the body runs (only statements set it).
  if (!StessoTesto(g.NomeIstruzione, l.Testo())) g.NomeIstruzione = l.Testo();
  const std::string& variabile = g.NomeIstruzione;
  l.Leggi();  // the word after the variable, by convention DA
  ArgomentiIstruzione nessuno;
  ExecAssignment(Esegui, nessuno, passo, &contatoreRicordato);
  if (Fermato()) return false;
  auto numeroContatore = [&]() -> const cValoreReale* {
    cVariabile* v = contatoreRicordato.TrovaStessoNome(variabile);
    const cValore* valore = v ? v->GetValore() : nullptr;
    return valore && valore->Tipo == T_REALE ? static_cast<const cValoreReale*>(valore) : nullptr;
  };
  Reale contatore = 0;
  if (Esegui) {
    const cValoreReale* n = numeroContatore();
    if (!n) {
      Errore("For errore 2", false);
      return false;
    }
    contatore = n->Value;
  }
  l.Leggi();
  if (!l.E(kParolaA)) {
    Errore("For errore 3", false);
    return false;
  }
  const Valutato fine = l.Espressione(Esegui);
  if (Fermato()) return false;
  if (Esegui && fine.tipo != T_REALE) {
    Errore("For errore 4", false);
    return false;
  }
  l.Leggi();
  if (!l.Inizia(')')) {
    Errore("For errore 1.1", false);
    return false;
  }
  l.Leggi();  // the word after ")", by convention ESEGUI
  if (Esegui) {
    // The counter as it is now; if the bound's evaluation took it away (only the window can),
    // as it was before.
    if (const cValoreReale* n = numeroContatore()) contatore = n->Value;
  }
  continua = Esegui && fine.Numero() >= contatore;
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
  Lettore& l = L();
  if (Esegui) MostraRigaLettore();
  const Lettore::Segno inizio = l.Salva();
  int passo = 0;
  bool continua = false;
  VariabileRicordata contatore;
  do {
    if (!IntestazionePer(Esegui, inizio, passo, contatore, continua)) return;
    Corpo(continua);
    ++passo;
    PuntoVirgolaDopoFine();
  } while (!Fermato() && Esegui && continua);
}

/* repeat = "RIPETI" relation "VOLTE" ";" { statement } "FINE" ";" */
void ExecRepeat(bool Esegui) {
  Lettore& l = L();
  if (Esegui) MostraRigaLettore();
  const Lettore::Segno inizio = l.Salva();
  int passo = 0;
  bool continua = false;
  do {
    l.Ripristina(inizio);
    const Valutato conta = l.Espressione(Esegui);
    if (Fermato()) return;
    if (Esegui && conta.tipo != T_REALE) {
      Errore("Errore Ripeti 2", false);
      return;
    }
    l.Leggi();
    if (!l.E(kParolaVolte)) {
      Errore("Errore Ripeti 3", false);
      return;
    }
    l.Leggi();  // the ";" after VOLTE
    continua = Esegui && static_cast<Reale>(passo) < conta.Numero();
    Corpo(continua);
    ++passo;
    PuntoVirgolaDopoFine();
  } while (!Fermato() && Esegui && continua);
}

/* if = "SE" relation "ALLORA" statement [ "ALTRIMENTI" statement ] */
void ExecIf(bool Esegui) {
  const TParoleChiave& k = ParoleChiave;
  Lettore& l = L();
  if (Esegui) MostraRigaLettore();
  const Valutato condizione = l.Espressione(Esegui);
  if (Fermato()) return;
  if (Esegui && condizione.tipo != T_BOOLEANO) {
    Errore(k.msgEspressioneLogica, true);
    return;
  }
  l.Leggi();
  if (!l.E(kParolaAllora)) {
    Errore(k.msgAllora, true);
    return;
  }
  const bool vera = Esegui && condizione.Logico();
  l.Leggi();
  ExecStatement(vera);
  if (Fermato()) return;
  // One token of look-ahead for ALTRIMENTI; without it the token is read again by the
  // next statement.
  const Lettore::Segno posizione = l.Salva();
  l.Leggi();
  if (!l.E(kParolaAltrimenti)) {
    l.RipristinaConToken(posizione);
    return;
  }
  l.Leggi();
  ExecStatement(Esegui && !vera);
}

namespace {

// Stores the value of an assignment: a number into a number variable or element in place,
// anything else as StoreVariable does.
void Memorizza(const std::string& nome, Valutato& valore, ArgomentiIstruzione& argomenti,
               VariabileRicordata* variabile) {
  if (valore.tipo == T_REALE) {
    if (argomenti.empty() && MemorizzaNumero(nome, valore.Numero(), variabile)) return;
    Reale indici[2];
    const int quanti = static_cast<int>(argomenti.size());
    bool numeri = quanti >= 1 && quanti <= 2;
    for (int i = 0; numeri && i < quanti; ++i) {
      numeri = argomenti[static_cast<std::size_t>(i)].tipo == T_REALE;
      if (numeri) indici[i] = argomenti[static_cast<std::size_t>(i)].Numero();
    }
    if (numeri && MemorizzaElementoNumero(nome, indici, quanti, valore.Numero(), variabile)) return;
  }
  PValore oggetto = valore.Scatola();
  ListaArgomenti lista;
  for (Valutato& a : argomenti) lista.Aggiungi(a.Scatola());
  L().Materializza();
  StoreVariable(true, nome, *oggetto, lista.Vuota() ? nullptr : &lista);
}

// The part of an assignment between "=" and ";": the value, the pass number of a PER loop
// and the store. False when the run stopped.
bool AssegnaValore(bool Esegui, ArgomentiIstruzione& argomenti, int Passo, VariabileRicordata* variabile) {
  TDatiGlob& g = DatiGlob;
  if (Esegui) MostraRigaLettore();
  const int contatore = g.ContatoreOggetti;
  // Only statements set NomeIstruzione, and none runs inside an expression.
  const std::string& nome = g.NomeIstruzione;
  Valutato valore = L().Espressione(Esegui);
  if (Fermato()) return false;
  if (Esegui && valore.Niente()) {
    Errore(ParoleChiave.msgIdentificatore, true);
    return false;
  }
  if (Passo != -1 && valore.tipo == T_REALE) valore.AggiungiNumero(Passo);
  if (valore.tipo >= T_GEOMETRIA_PIANA && g.ContatoreOggetti != contatore && g.ListaVariabili) {
    // The expression made an anonymous object; it is kept under the assigned name instead.
    g.ListaVariabili->Elimina("$" + std::to_string(g.ContatoreOggetti));
  }
  if (Esegui) Memorizza(nome, valore, argomenti, variabile);
  return !Fermato();
}

}  // namespace

void ExecAssignment(bool Esegui, ArgomentiIstruzione& argomenti, int Passo, VariabileRicordata* variabile) {
  if (!AssegnaValore(Esegui, argomenti, Passo, variabile)) return;
  if (Passo == -1) {
    Lettore& l = L();
    l.Leggi();
    if (!l.Inizia(';')) {
      Errore(ParoleChiave.msgPuntoVirgola, true);
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
