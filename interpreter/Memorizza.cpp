// The store of a value into a variable: the rules that decide whether a variable is kept,
// replaced or written element by element.
#include <charconv>
#include <cmath>

#include "interpreter/Istruzioni.h"
#include "interpreter/Scanner.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "values/Variabili.h"
#include "values/figure/ValoreLista.h"

namespace qx {

namespace {

bool IsVettoreOMatrice(TipiValore t) {
  return t == T_VETT_REALE || t == T_VETT_STRINGA || t == T_MATR_REALE || t == T_MATR_STRINGA;
}

// Whether an existing variable of kind `esistente` keeps its place when `valore` is stored.
bool Resta(TipiValore esistente, TipiValore valore) {
  if (IsGeometriaSpazio(esistente) || IsGeometriaSpazio(valore)) return false;
  if (esistente == valore) return true;
  if (IsVettoreOMatrice(esistente) && (valore == T_REALE || valore == T_STRINGA)) return true;
  if (esistente == T_LISTA && (valore == T_PUNTO || valore == T_FUNZIONE)) return true;
  return false;
}

// An index as an element store takes it: truncated; -1 when no integer can hold it.
long long IndiceTroncato(Reale x) {
  // Below 1e18 the truncated value is below it too.
  return std::fabs(x) < 1e18L ? TroncaIntero(x) : -1;
}

// The numeric indices of an element store: exactly `quanti` numbers, truncated.
bool Indici(const ListaArgomenti& a, int quanti, long long& i, long long& j) {
  if (a.Count() != quanti) return false;
  for (int k = 0; k < quanti; ++k)
    if (a.Tipo(k) != T_REALE) return false;
  i = IndiceTroncato(a.Numero(0));
  j = quanti > 1 ? IndiceTroncato(a.Numero(1)) : 0;
  return true;
}

// A name that the variable table takes as it is (no "_" to normalise).
bool NomeSemplice(const std::string& nome) {
  if (nome.empty()) return false;
  for (const char c : nome)
    if (c == '_') return false;
  return true;
}

void MemorizzaElemento(cVariabile& var, const cValore& valore, const ListaArgomenti& a, const std::string& nome) {
  cValore* contenitore = var.GetValore();
  const bool numero = valore.Tipo == T_REALE;
  const bool stringa = valore.Tipo == T_STRINGA;
  long long i = 0, j = 0;
  switch (var.Tipo) {
    case T_VETT_REALE:
    case T_VETT_STRINGA: {
      const bool reale = var.Tipo == T_VETT_REALE;
      if ((reale && !numero) || (!reale && !stringa)) {
        ReportError("Tipi non compatibili nell'assegnamento: " + nome, true);
        return;
      }
      if (!Indici(a, 1, i, j)) {
        ReportError("Assegnamento errato Vettore: " + nome, true);
        return;
      }
      if (reale) {
        auto& v = static_cast<cVettReale&>(*contenitore);
        if (i < 1 || i > v.Count) {
          ReportError("Indice non consentito per il Vettore: " + nome, true);
          return;
        }
        v.Scrivi(static_cast<int>(i), static_cast<const cValoreReale&>(valore).Value);
      } else {
        auto& v = static_cast<cVettStringa&>(*contenitore);
        if (i < 1 || i > v.Count) {
          ReportError("Indice non consentito per il Vettore: " + nome, true);
          return;
        }
        v.Scrivi(static_cast<int>(i), static_cast<const cValoreStringa&>(valore).Value);
      }
      return;
    }
    case T_MATR_REALE:
    case T_MATR_STRINGA: {
      const bool reale = var.Tipo == T_MATR_REALE;
      if ((reale && !numero) || (!reale && !stringa)) {
        ReportError("Tipi non compatibili nell'assegnamento: " + nome, true);
        return;
      }
      if (!Indici(a, 2, i, j)) {
        ReportError("Assegnamento errato, Matrice: " + nome, true);
        return;
      }
      if (reale) {
        auto& m = static_cast<cMatrReale&>(*contenitore);
        if (i < 1 || i > m.Rows || j < 1 || j > m.Cols) {
          ReportError("Indice non consentito per la Matrice: " + nome, true);
          return;
        }
        m.Scrivi(static_cast<int>(i), static_cast<int>(j), static_cast<const cValoreReale&>(valore).Value);
      } else {
        auto& m = static_cast<cMatrStringa&>(*contenitore);
        if (i < 1 || i > m.Rows || j < 1 || j > m.Cols) {
          ReportError("Indice non consentito per la Matrice: " + nome, true);
          return;
        }
        m.Scrivi(static_cast<int>(i), static_cast<int>(j), static_cast<const cValoreStringa&>(valore).Value);
      }
      return;
    }
    case T_LISTA: {
      auto& lista = static_cast<cValoreLista&>(*contenitore);
      const auto* figura = valore.ComeGrafico();
      // A generic list also grows by one at the next index.
      const long long massimo = lista.TipoLista == T_VETT_FUNZ ? lista.IndiceMassimo() : lista.Count() + 1;
      if (!figura || (valore.Tipo != T_PUNTO && valore.Tipo != T_FUNZIONE) || !Indici(a, 1, i, j) || i < 1 ||
          i > massimo) {
        ReportError("Assegnamento errato Lista: " + nome, true);
        return;
      }
      std::unique_ptr<cValore> copia = valore.Clona();
      auto* elemento = static_cast<cValoreGraf*>(copia.get());
      copia.release();
      lista.ImpostaElemento(static_cast<int>(i), std::unique_ptr<cValoreGraf>(elemento));
      if (valore.Tipo == T_PUNTO && DatiGlob.CanvasRifCart) elemento->Disegna(*DatiGlob.CanvasRifCart);
      return;
    }
    default:
      ReportError("Assegnamento errato Lista: " + nome, true);
      return;
  }
}

// The assigned result's store (see RisultatoAssegnato): the frame depth at which the armed
// command's own frame runs (-1: none armed), the frames open now, and the number of the
// anonymous object kept out of the table (0: none).
int gCorniceArmata = -1;
int gCornici = 0;
unsigned gEsecuzioneFuoriTabella = 0;

}  // namespace

namespace detail {
int gFuoriTabella = 0;
}  // namespace detail
using detail::gFuoriTabella;

namespace {
// "$" and the number, written into `testo` (16 characters are room for any int).
std::string_view TestoAnonimo(int numero, char (&testo)[16]) {
  testo[0] = '$';
  const auto fine = std::to_chars(testo + 1, testo + sizeof testo, numero).ptr;
  return {testo, static_cast<std::size_t>(fine - testo)};
}
}  // namespace

std::string NomeAnonimo(int numero) {
  char testo[16];
  return std::string(TestoAnonimo(numero, testo));
}

RisultatoAssegnato::RisultatoAssegnato(bool armato) : prima_(gCorniceArmata) {
  gCorniceArmata = armato ? gCornici + 1 : -1;
  if (armato) gFuoriTabella = 0;
}
RisultatoAssegnato::~RisultatoAssegnato() { gCorniceArmata = prima_; }

CorniceComando::CorniceComando() : risultato_(++gCornici == gCorniceArmata) {
  // Taken by the command's own frame: a frame that it runs inside is not the assigned value's.
  if (risultato_) gCorniceArmata = -1;
}
CorniceComando::~CorniceComando() { --gCornici; }

void MemorizzaRisultatoAssegnato(cValore& valore) {
  TDatiGlob& g = DatiGlob;
  cValoreGraf* grafico = valore.ComeGrafico();
  // Only a new anonymous object that the assignment removes again: a value with a name of its
  // own would be stored under it, and TogliAnonimoAssegnato removes only drawable kinds.
  if (!g.ListaVariabili || !valore.Nome.empty() || valore.Tipo < T_GEOMETRIA_PIANA || !grafico) {
    StoreVariable(true, "", valore, nullptr);
    return;
  }
  // Every command that makes a figure comes here: the name is written straight into the
  // value, without a string of its own.
  char testo[16];
  const std::string_view anonimo = TestoAnonimo(++g.ContatoreOggetti, testo);
  // No "_" to normalise in such a name.
  if (g.ListaVariabili->CercaEsatto(anonimo)) {
    // A variable of that name already there is changed or replaced by the store: the text's way.
    StoreVariable(true, std::string(anonimo), valore, nullptr);
    return;
  }
  valore.Nome.assign(anonimo);
  const std::string& nome = valore.Nome;
  if (g.CanvasRifCart) {
    // The stored copy is drawn all the same.
    std::unique_ptr<cValore> copia = valore.Clona();
    copia->Nome = nome;
    auto* figura = copia->ComeGrafico();
    figura->Pen = g.PennaCorrente;
    figura->Brush = g.PennelloCorrente;
    figura->Font = g.CarattereCorrente;
    figura->DopoMemorizzazione(*grafico, nome);
    if (figura->bVisibile) figura->Disegna(*g.CanvasRifCart);
    if (g.bStop) {
      // The assignment will not remove it: the object is kept, as the store keeps it.
      g.ListaVariabili->Aggiungi(std::make_unique<cVariabile>(nome, std::move(copia)));
      return;
    }
  }
  gFuoriTabella = g.ContatoreOggetti;
  gEsecuzioneFuoriTabella = detail::gEsecuzione;
}

bool RisultatoFuoriTabella(int numero) {
  const bool fuori = gFuoriTabella == numero && numero != 0 && gEsecuzioneFuoriTabella == detail::gEsecuzione;
  gFuoriTabella = 0;
  return fuori;
}

bool MemorizzaNumeroLento(const std::string& nome, Reale numero, VariabileRicordata* variabile) {
  const cListaVariabili* tabella = DatiGlob.ListaVariabili;
  if (!tabella || !NomeSemplice(nome)) return false;
  cVariabile* var = variabile ? variabile->Trova(nome) : tabella->CercaEsatto(nome);
  if (!var || var->Tipo != T_REALE) return false;
  cValore& memorizzato = *var->GetValore();
  static_cast<cValoreReale&>(memorizzato).Value = numero;
  // The name is nearly always right already; comparing costs less than copying.
  if (!StessoTesto(memorizzato.Nome, nome)) memorizzato.Nome = nome;
  return true;
}

bool MemorizzaTesto(const std::string& nome, std::string& testo, VariabileRicordata* variabile) {
  const cListaVariabili* tabella = DatiGlob.ListaVariabili;
  if (!tabella || !NomeSemplice(nome)) return false;
  cVariabile* var = variabile ? variabile->Trova(nome) : tabella->CercaEsatto(nome);
  if (!var || var->Tipo != T_STRINGA || var->GetValore()->Tipo != T_STRINGA) return false;
  // StoreVariable puts a copy of the value in the variable, under the variable's name: the
  // text moves into the value the variable holds.
  auto& memorizzato = static_cast<cValoreStringa&>(*var->GetValore());
  memorizzato.Value.swap(testo);
  if (!StessoTesto(memorizzato.Nome, nome)) memorizzato.Nome = nome;
  return true;
}

Reale* CellaElementoNumeroLento(const std::string& nome, const Reale* indici, int quanti) {
  const cListaVariabili* tabella = DatiGlob.ListaVariabili;
  if (!tabella || !NomeSemplice(nome)) return nullptr;
  const cVariabile* var = tabella->CercaEsatto(nome);
  return var ? CellaNumero(*var, indici, quanti) : nullptr;
}

void StoreVariable(bool Esegui, const std::string& nomeDato, cValore& valore, const ListaArgomenti* argomenti,
                   VariabileRicordata* variabile) {
  TDatiGlob& g = DatiGlob;
  if (!Esegui || g.ListaVariabili == nullptr) return;
  cListaVariabili& tabella = *g.ListaVariabili;
  const bool senzaIndici = !argomenti || argomenti->Vuota();
  if (senzaIndici && valore.Tipo == T_REALE &&
      MemorizzaNumero(nomeDato, static_cast<cValoreReale&>(valore).Value)) {
    if (!StessoTesto(valore.Nome, nomeDato)) valore.Nome = nomeDato;
    return;
  }
  // An empty name keeps the value's own name (a picked value replaces its variable); a
  // value without one is anonymous.
  std::string normalizzato;
  const std::string* nomeMemorizzato = &normalizzato;
  cVariabile* var = nullptr;
  if (variabile && NomeSemplice(nomeDato)) {
    // A name without "_" is its own normal form; the place's variable is the one Cerca finds.
    // A place's name is its statement's, which the store leaves alone: no copy is needed.
    nomeMemorizzato = &nomeDato;
    var = variabile->Trova(nomeDato);
  } else {
    normalizzato = tabella.NormalizzaNome(nomeDato.empty() ? valore.Nome : nomeDato);
    if (normalizzato.empty()) normalizzato = NomeAnonimo(++g.ContatoreOggetti);
    var = tabella.Cerca(normalizzato);
  }
  const std::string& nome = *nomeMemorizzato;
  const bool resta = var && Resta(var->Tipo, valore.Tipo);

  if (!senzaIndici) {
    if (!resta) {
      ReportError("L'oggetto non esiste: " + nome, true);
      return;
    }
    if (!IsVettoreOMatrice(var->Tipo) && var->Tipo != T_LISTA) {
      ReportError("L'oggetto non è un Vettore/Matrice: " + nome, true);
      return;
    }
    MemorizzaElemento(*var, valore, *argomenti, nome);
    return;
  }

  if (var && resta && IsVettoreOMatrice(var->Tipo) && var->Tipo != valore.Tipo) {
    // A number or a string assigned to a whole vector or matrix needs its indices.
    if (valore.Tipo == T_REALE || valore.Tipo == T_STRINGA) {
      const bool vettore = var->Tipo == T_VETT_REALE || var->Tipo == T_VETT_STRINGA;
      const bool compatibile = (valore.Tipo == T_REALE) == (var->Tipo == T_VETT_REALE || var->Tipo == T_MATR_REALE);
      if (!compatibile) ReportError("Tipi non compatibili nell'assegnamento: " + nome, true);
      else ReportError(vettore ? "Assegnamento errato Vettore: " + nome : "Assegnamento errato, Matrice: " + nome, true);
      return;
    }
  }
  if (var && resta && var->Tipo == T_LISTA && valore.Tipo != T_LISTA) {
    ReportError("Assegnamento errato Lista: " + nome, true);
    return;
  }

  // The fast path of every loop: a number into a number keeps its variable.
  if (var && resta && valore.Tipo == T_REALE) {
    static_cast<cValoreReale&>(*var->GetValore()).Value = static_cast<cValoreReale&>(valore).Value;
    valore.Nome = nome;
    var->GetValore()->Nome = nome;
    return;
  }

  // The value takes the name first, so that the copy below carries it already.
  valore.Nome = nome;
  auto* grafico = valore.ComeGrafico();
  const bool nuova = !var || !resta || valore.Tipo == T_LISTA || valore.Tipo == T_ARCHIVIO ||
                     IsVettoreOMatrice(valore.Tipo) || !grafico;
  cValore* memorizzato = nullptr;
  if (nuova) {
    std::unique_ptr<cValore> copia = valore.Clona();
    memorizzato = copia.get();
    if (var && resta) {
      var->ImpostaValore(std::move(copia));
    } else {
      if (var) tabella.Elimina(nome);
      tabella.Aggiungi(std::make_unique<cVariabile>(nome, std::move(copia)));
    }
  } else {
    grafico->Copia(static_cast<cValoreGraf&>(*var->GetValore()));
    memorizzato = var->GetValore();
  }
  if (!StessoTesto(memorizzato->Nome, nome)) memorizzato->Nome = nome;
  if (auto* figura = memorizzato->ComeGrafico()) {
    figura->Pen = g.PennaCorrente;
    figura->Brush = g.PennelloCorrente;
    figura->Font = g.CarattereCorrente;
    if (grafico) figura->DopoMemorizzazione(*grafico, nome);
    if (g.CanvasRifCart && figura->bVisibile) figura->Disegna(*g.CanvasRifCart);
  }
}

}  // namespace qx
