// The built-ins that create, transform and evaluate functions of x, numeric expressions and
// fractions: parsing from text or from a dialog, exact fractions, derivative and
// antiderivative, value at a point, expanded sums and products, Taylor polynomial,
// Romberg integral and zero by bisection.
#include "interpreter/ComandiFunzioni.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

#include "interpreter/Dispatch.h"
#include "interpreter/costruzioni/FunzioneXY.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "values/figure/ValoreLista.h"
#include "values/FunzioniAusiliarie.h"
#include "values/Romberg.h"
#include "values/TeoriaNumeri.h"
#include "values/ValoreFunzione.h"
#include "values/ValoriScalari.h"
#include "values/Variabili.h"
#include "values/espressioni/Analizzatore.h"
#include "values/espressioni/Derivata.h"
#include "values/espressioni/Integrale.h"
#include "values/espressioni/LavoroSimbolico.h"
#include "values/espressioni/Semplificatore.h"
#include "values/espressioni/Stampa.h"
#include "values/espressioni/Valutatore.h"

namespace qx {

namespace {

// The index value that SOMMATORIA leaves out when no skip is given: none in practice.
constexpr std::int32_t NESSUN_SALTO = 99999999;
// However small eps is, bisection stops here: far past the last halving that changes a
// long double.
constexpr int DIMEZZAMENTI_MASSIMI = 200;

PValore Errore(const std::string& messaggio) {
  ReportError(messaggio, true);
  return nullptr;
}

PValore ParametriErrati(const std::string& nome) { return Errore(ParoleChiave.msgParametriErrati + nome); }

const cValoreFunzione& Funzione(const ListaArgomenti& a, int i) {
  return static_cast<const cValoreFunzione&>(*a.Valore(i));
}

// A number as the built-ins count with it: truncated, and held within 32 bits.
std::int32_t Intero(Reale x) {
  x = std::trunc(x);
  if (x > INT32_MAX) return INT32_MAX;
  if (x < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(x);
}

// A new value of the kind parsed from the text. A text that does not parse is the run's
// error, on the statement's line; with `segnala` false the caller gives its own message.
// A tree deeper than the evaluator, the printer and the derivative walk is refused under
// the command's name: a function that can never be evaluated must not pass for one.
PValore Analizza(TipiValore tipo, const std::string& testo, const std::string& nome, bool segnala = true) {
  auto f = std::make_unique<cValoreFunzione>(tipo);
  f->bMessaggi = false;
  const bool riuscito = f->ImpostaFunzione(testo);
  f->bMessaggi = true;
  if (!riuscito) {
    if (segnala) EspressioneNonCorretta(testo);
    DatiGlob.bStop = true;
    return nullptr;
  }
  if (ProfonditaAlbero(f->Albero()) > LIMITE_PROFONDITA) return Errore(MessaggioTroppoGrande(nome));
  return f;
}

bool Argomento(const ListaArgomenti& a, int i, TipiValore tipo) { return a.Tipo(i) == tipo; }

// ---- From text and from the dialogs ----

PValore CmdFunzione(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (a.Count() != 1 || !Argomento(a, 0, T_STRINGA)) return ParametriErrati(nome);
  if (DatiGlob.bStop) return nullptr;
  return Analizza(T_FUNZIONE, a.Testo(0), nome);
}

PValore CmdEspressione(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (a.Count() != 1 || !Argomento(a, 0, T_STRINGA)) return ParametriErrati(nome);
  if (DatiGlob.bStop) return nullptr;
  return Analizza(T_ESPRESSIONE, a.Testo(0), nome);
}

// The caption of an input dialog: no argument, or one string.
bool Titolo(const ListaArgomenti& a, std::string& titolo) {
  if (a.Vuota()) return true;
  if (a.Count() != 1 || !Argomento(a, 0, T_STRINGA)) return false;
  titolo = a.Testo(0);
  return true;
}

// The entry dialog answers with a 20-character name field before the text.
constexpr std::size_t CAMPO_NOME = 20;

PValore LeggiFormula(ListaArgomenti& a, const std::string& nome, bool Esegui, TipiValore tipo) {
  if (!Esegui) return nullptr;
  std::string titolo;
  if (!Titolo(a, titolo)) return ParametriErrati(nome);
  if (DatiGlob.bStop) return nullptr;
  std::string riga;
  if (!Finestra().InserisciFunzione(titolo, riga, tipo == T_FUNZIONE ? 1 : 3, 'I')) {
    DatiGlob.bStop = true;
    return nullptr;
  }
  return Analizza(tipo, riga.size() > CAMPO_NOME ? riga.substr(CAMPO_NOME) : std::string(), nome);
}

PValore CmdLeggiFunz(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  return LeggiFormula(a, nome, Esegui, T_FUNZIONE);
}

PValore CmdLeggiEspr(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  return LeggiFormula(a, nome, Esegui, T_ESPRESSIONE);
}

PValore CmdLeggiFraz(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  std::string titolo;
  if (!Titolo(a, titolo)) return ParametriErrati(nome);
  if (DatiGlob.bStop) return nullptr;
  std::string testo;
  if (!Finestra().EditaFrazione(titolo, testo, 'I')) {
    DatiGlob.bStop = true;
    return nullptr;
  }
  return Analizza(T_FRAZIONE, testo, nome);
}

// ---- Fractions ----

PValore CmdFrazione(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (nome == ParoleChiave.FRAZ_GENERATRICE) {
    const int n = a.Count();
    if (n < 1 || n > 2 || !Argomento(a, 0, T_REALE) || (n == 2 && !Argomento(a, 1, T_REALE)))
      return ParametriErrati(nome);
    const int periodo = n == 2 ? Intero(a.Numero(1)) : 0;
    Reale numeratore = 0, denominatore = 0;
    if (!DecimaleInFrazione(periodo, numeratore, denominatore, a.Numero(0))) {
      DatiGlob.bStop = true;
      return Errore("Valori non corretti per " + nome);
    }
    return Analizza(T_FRAZIONE, NumeroInTesto(numeratore) + "/" + NumeroInTesto(denominatore), nome);
  }
  if (a.Count() != 2 || !Argomento(a, 0, T_REALE) || !Argomento(a, 1, T_REALE)) return ParametriErrati(nome);
  return Analizza(T_FRAZIONE, NumeroInTesto(a.Numero(0)) + "/" + NumeroInTesto(a.Numero(1)), nome);
}

// Symbolic work cut short: past the size budget it is the run's error; stopped by the user
// the run already ends.
PValore LavoroInterrotto(EsitoLavoro esito, const std::string& nome) {
  if (esito == EsitoLavoro::TroppoGrande) return Errore(MessaggioTroppoGrande(nome));
  DatiGlob.bStop = true;
  return nullptr;
}

// Runs the symbolic work of the command `nome`; false when it was cut short, and the run
// then stops.
template <class F>
bool Simbolico(const std::string& nome, F&& lavoro) {
  LavoroSimbolico l;
  if (l.Esegui(std::forward<F>(lavoro))) return true;
  LavoroInterrotto(l.Esito(), nome);
  return false;
}

PValore CmdCalcolaEspr(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (a.Count() != 1 || !Argomento(a, 0, T_ESPRESSIONE)) return ParametriErrati(nome);
  PNodo albero = CopiaAlbero(Funzione(a, 0).Albero());
  bool frazione = false;
  const bool finito = Simbolico(nome, [&] { frazione = RiduciAFrazioneNumerica(albero); });
  if (!finito) return nullptr;
  if (frazione) return DaAlbero(T_FRAZIONE, std::move(albero));
  return Errore("Impossibile calcolare l'espressione come frazione: " + nome);
}

// ---- Symbolic operations on a function ----

bool UnaFunzione(const ListaArgomenti& a) {
  return a.Count() == 1 && Argomento(a, 0, T_FUNZIONE) && Funzione(a, 0).Albero();
}

PValore CmdComDenoFunz(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (!UnaFunzione(a)) return ParametriErrati(nome);
  PNodo albero = CopiaAlbero(Funzione(a, 0).Albero());
  if (!Simbolico(nome, [&] { SemplificaFrazioni(albero); })) return nullptr;
  return DaAlbero(T_FUNZIONE, std::move(albero));
}

// An error whose box the routine that failed has already shown: it is recorded as the
// run's error (its line, and silence for what follows) without a second box.
PValore ErroreGiaMostrato(const std::string& messaggio) {
  const bool mostra = DatiGlob.bMostraErrori;
  DatiGlob.bMostraErrori = false;
  ReportError(messaggio, true);
  DatiGlob.bMostraErrori = mostra;
  return nullptr;
}

PValore CmdDerivataFunz(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (!UnaFunzione(a)) return ParametriErrati(nome);
  EsitoLavoro esito;
  PNodo derivata = Derivata(Funzione(a, 0).Albero(), &esito);
  if (esito != EsitoLavoro::Riuscito) return LavoroInterrotto(esito, nome);
  if (!derivata) return ErroreGiaMostrato("Derivata non possibile");
  return DaAlbero(T_FUNZIONE, std::move(derivata));
}

PValore CmdPrimitiva(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (!UnaFunzione(a)) return ParametriErrati(nome);
  PNodo primitiva;
  if (!Simbolico(nome, [&] { primitiva = Integrale(Funzione(a, 0).Albero()); })) return nullptr;
  if (!primitiva) return Errore("Primitiva non trovata");
  return DaAlbero(T_FUNZIONE, std::move(primitiva));
}

// ---- Numeric operations on a function ----

PValore CmdValutaFunz(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (a.Count() == 2 && Argomento(a, 0, T_LISTA) && Argomento(a, 1, T_REALE)) {
    // Each function of a vector of functions at x; an empty slot gives no value.
    const auto& lista = static_cast<const cValoreLista&>(*a.Valore(0));
    if (lista.TipoLista != T_VETT_FUNZ) return ParametriErrati(nome);
    auto valori = std::make_unique<cVettReale>(lista.Count());
    for (int i = 1; i <= lista.Count(); ++i) {
      const auto* f = dynamic_cast<const cValoreFunzione*>(lista._Oggetti[static_cast<std::size_t>(i - 1)].get());
      valori->Scrivi(i, f ? f->Valuta(a.Numero(1)) : VAL_NON_DEFINITA);
    }
    return valori;
  }
  if (a.Count() == 3 && Argomento(a, 0, T_FUNZIONE3D) && Argomento(a, 1, T_REALE) && Argomento(a, 2, T_REALE)) {
    const auto* f = FunzioneXYDi(a.Valore(0));
    if (!f) return ParametriErrati(nome);
    return std::make_unique<cValoreReale>(f->ValutaXY(a.Numero(1), a.Numero(2)));
  }
  if (a.Count() != 2 || !Argomento(a, 0, T_FUNZIONE) || !Argomento(a, 1, T_REALE)) return ParametriErrati(nome);
  return std::make_unique<cValoreReale>(Funzione(a, 0).Valuta(a.Numero(1)));
}

// VALUTAFUNZ of a function at a number, without an argument list.
Reale FormaValutaFunz(const cValore& primo, const Reale* numeri, int quanti, bool& riuscita) {
  riuscita = primo.Tipo == T_FUNZIONE && quanti == 1;
  return riuscita ? static_cast<const cValoreFunzione&>(primo).Valuta(numeri[0]) : 0;
}

// A function, then `quanti` numbers and nothing after them.
bool FunzioneENumeri(const ListaArgomenti& a, int quanti) {
  if (a.Count() != quanti + 1 || !Argomento(a, 0, T_FUNZIONE)) return false;
  for (int i = 1; i <= quanti; ++i)
    if (!Argomento(a, i, T_REALE)) return false;
  return true;
}

// One "[...]" part of a SOMMATORIA template for the index value k; false when the inner
// text does not parse (the caller then copies it as it stands).
bool ParteIndice(const std::string& interno, const std::string& indice, std::int32_t k, std::string& parte) {
  const std::string valore = std::to_string(k);
  if (interno == indice) {
    parte = valore;
    return true;
  }
  cValoreFunzione f(T_FUNZIONE);
  f.bMessaggi = false;
  if (!f.ImpostaFunzione(SostituisciTesto(interno, indice, valore))) return false;
  parte = NumeroInTesto(std::trunc(f.Valuta(0)));
  return true;
}

std::string Termine(const std::string& modello, const std::string& indice, std::int32_t k) {
  std::string termine;
  std::size_t i = 0;
  while (i < modello.size()) {
    const std::size_t chiusa = modello[i] == '[' ? modello.find(']', i + 1) : std::string::npos;
    if (chiusa == std::string::npos) {
      termine += modello[i++];
      continue;
    }
    const std::string interno = modello.substr(i + 1, chiusa - i - 1);
    std::string parte;
    if (ParteIndice(interno, indice, k, parte))
      termine += parte;
    else
      termine += interno + "]";
    i = chiusa + 1;
  }
  return termine;
}

PValore CmdSommatoria(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (a.Count() < 4 || !Argomento(a, 0, T_STRINGA) || !Argomento(a, 1, T_REALE) || !Argomento(a, 2, T_REALE))
    return ParametriErrati(nome);
  const bool conSalto = Argomento(a, 3, T_REALE);
  const int posModello = conSalto ? 4 : 3;
  if (!Argomento(a, posModello, T_STRINGA)) return ParametriErrati(nome);
  const std::string indice = a.Testo(0);
  const std::string modello = a.Testo(posModello);
  const std::int32_t da = Intero(a.Numero(1)), fino = Intero(a.Numero(2));
  const std::int32_t salto = conSalto ? Intero(a.Numero(3)) : NESSUN_SALTO;
  const std::string operatore = nome == ParoleChiave.SOMMATORIA ? "+" : "*";

  std::string testo;
  // Every term deepens the chain of operators by one: past the deepest tree that can be
  // evaluated the text is not even built (a range of 10^9 would fill the memory first).
  int termini = 0;
  auto aggiungi = [&](std::int32_t k) {
    // A long range must not stop the Stop button from working.
    LasciaPassareMessaggi();
    if (k == salto) return;
    if (++termini > LIMITE_PROFONDITA) return;
    if (!testo.empty()) testo += operatore;
    testo += Termine(modello, indice, k);
  };
  // Counting up when to > from; otherwise down from `to` while k >= from, which yields a
  // term only when the two are equal.
  if (fino > da) {
    for (std::int64_t k = da; k <= fino && !DatiGlob.bStop && termini <= LIMITE_PROFONDITA; ++k)
      aggiungi(static_cast<std::int32_t>(k));
  } else {
    for (std::int64_t k = fino; k >= da && !DatiGlob.bStop && termini <= LIMITE_PROFONDITA; --k)
      aggiungi(static_cast<std::int32_t>(k));
  }
  if (DatiGlob.bStop) return nullptr;
  if (termini > LIMITE_PROFONDITA) return Errore(MessaggioTroppoGrande(nome));
  PValore f = Analizza(T_FUNZIONE, testo, nome, false);
  if (!f) return Errore(nome + ": errore nella funzione");
  return f;
}

PValore CmdPolT(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (!FunzioneENumeri(a, 2) || !Funzione(a, 0).Albero()) return ParametriErrati(nome);
  const cValoreFunzione& f = Funzione(a, 0);
  const Reale x0 = a.Numero(1);
  const std::int32_t ordine = Intero(a.Numero(2));
  // A named number keeps its name in the polynomial, which then follows the variable; an
  // element of a vector or matrix, whose name alone is no number, gives its value.
  const std::string& nomeX0 = a.Valore(1)->Nome;
  const cVariabile* variabileX0 =
      !nomeX0.empty() && nomeX0[0] != '$' && DatiGlob.ListaVariabili ? DatiGlob.ListaVariabili->Cerca(nomeX0) : nullptr;
  const bool nomeNumero = variabileX0 && variabileX0->GetValore() && variabileX0->GetValore()->Tipo == T_REALE;
  const std::string testoX0 = nomeNumero ? nomeX0 : NumeroInTesto(x0);

  const Reale valore = f.Valuta(x0);
  if (IsValoreErrore(valore)) return ParametriErrati(nome);
  std::string testo = NumeroInTesto(valore);
  PNodo derivata;
  for (std::int32_t k = 1; k <= ordine; ++k) {
    LasciaPassareMessaggi();
    if (DatiGlob.bStop) return nullptr;
    EsitoLavoro esito;
    PNodo successiva = Derivata(derivata ? derivata.get() : f.Albero(), &esito);
    if (esito != EsitoLavoro::Riuscito) return LavoroInterrotto(esito, nome);
    if (!successiva) break;
    derivata = std::move(successiva);
    const Reale d = ValutaAlbero(derivata.get(), x0, VAL_NON_DEFINITA);
    // An order that has no value at x0 ends the polynomial, as one without a derivative.
    if (IsValoreErrore(d)) break;
    testo += "+(x-" + testoX0 + ")^" + std::to_string(k) + "*" + NumeroInTesto(d / Fattoriale(k));
  }
  return Analizza(T_FUNZIONE, testo, nome);
}

PValore CmdIntegrale(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (!FunzioneENumeri(a, 3)) return ParametriErrati(nome);
  const cValoreFunzione& f = Funzione(a, 0);
  Reale risultato = 0;
  if (!IntegraleRomberg([&f](Reale x) { return f.Valuta(x); }, risultato, a.Numero(1), a.Numero(2), a.Numero(3)))
    return Errore("Il metodo non converge o la precisione è troppo bassa");
  return std::make_unique<cValoreReale>(risultato);
}

PValore CmdFZero(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  if (!Esegui) return nullptr;
  if (!FunzioneENumeri(a, 3)) return ParametriErrati(nome);
  const cValoreFunzione& f = Funzione(a, 0);
  Reale sx = a.Numero(1), dx = a.Numero(2);
  const Reale eps = a.Numero(3);
  bool positivo = false, negativo = false, nonDefinita = false;
  auto segna = [&](Reale y) {
    if (y >= 0) positivo = true;
    if (y <= 0) negativo = true;
  };
  for (int passo = 0; std::fabs(sx - dx) > eps && passo < DIMEZZAMENTI_MASSIMI; ++passo) {
    const Reale m = (sx + dx) / 2;
    const Reale fa = f.Valuta(sx), fm = f.Valuta(m);
    // A pole or a gap is no root: any error value means the function is not defined there.
    if (IsValoreErrore(fa) || IsValoreErrore(fm)) {
      nonDefinita = true;
      break;
    }
    segna(fa);
    segna(fm);
    // The signs decide, not the product, which could underflow to 0.
    if ((fa <= 0 && fm >= 0) || (fa >= 0 && fm <= 0))
      dx = m;
    else
      sx = m;
  }
  if (nonDefinita) return Errore("La funzione non è definita nell'intervallo specificato: " + nome);
  if (!(positivo && negativo)) return Errore("La funzione non cambia di segno nell'intervallo specificato: " + nome);
  return std::make_unique<cValoreReale>((sx + dx) / 2);
}

}  // namespace

void EspressioneNonCorretta(const std::string& testo) {
  ReportError(MSG_ESPRESSIONE_NON_CORRETTA + RimuoviSpazi(testo), true);
}

PValore DaAlbero(TipiValore tipo, PNodo albero) {
  auto f = std::make_unique<cValoreFunzione>(tipo);
  const bool perZero = ContieneTipo(albero.get(), N_INDEFINITO);
  f->ImpostaAlbero(std::move(albero));
  if (!f->TestoRileggibile()) {
    ReportError(perZero ? ParoleChiave.msgDivisioneZero : MSG_ESPRESSIONE_NON_CORRETTA + f->_sFunz, true);
    return nullptr;
  }
  return f;
}

void RegistraComandiFunzioni() {
  RegistraValore("CmdFunzione", CmdFunzione);
  RegistraValore("CmdEspressione", CmdEspressione);
  RegistraValore("CmdLeggiFunz", CmdLeggiFunz);
  RegistraValore("CmdLeggiEspr", CmdLeggiEspr);
  RegistraValore("CmdLeggiFraz", CmdLeggiFraz);
  RegistraValore("CmdFrazione", CmdFrazione);
  RegistraValore("CmdCalcolaEspr", CmdCalcolaEspr);
  RegistraValore("CmdComDenoFunz", CmdComDenoFunz);
  RegistraValore("CmdDerivataFunz", CmdDerivataFunz);
  RegistraValore("CmdPrimitiva", CmdPrimitiva);
  RegistraValore("CmdValutaFunz", CmdValutaFunz);
  RegistraFormaConValore("CmdValutaFunz", FormaValutaFunz);
  RegistraValore("CmdSommatoria", CmdSommatoria);
  RegistraValore("CmdPolT", CmdPolT);
  RegistraValore("CmdIntegrale", CmdIntegrale);
  RegistraValore("CmdFZero", CmdFZero);
  detail::RegistraComandiNumerici();
}

}  // namespace qx
