#include "interpreter/EspressioniCompilate.h"

#include <memory>
#include <vector>

#include "interpreter/Espressioni.h"
#include "interpreter/Istruzioni.h"
#include "interpreter/IstruzioniRicordate.h"
#include "interpreter/Operatori.h"
#include "interpreter/Scanner.h"
#include "runstate/DatiGlob.h"
#include "runstate/WindowServices.h"
#include "values/Variabili.h"

namespace qx {

// The operations of a compiled expression (named, as EspressioneCompilata holds them).
namespace compilate {

enum class Codice : unsigned char {
  Numero,      // pushes `numero`
  Variabile,   // calls the message hook, then pushes the variable `nome`
  Nega,        // the "-" sign at the start of a sum
  Non,         // "!"
  Somma, Differenza, Prodotto, Quoziente, DivIntera, Resto, Elevamento,
  Relazione,   // `relazione` between two reals
  UgualeLogico, DiversoLogico, E, O,
};

struct Operazione {
  Operazione(Codice c) : codice(c) {}  // NOLINT: a code alone is an operation
  Codice codice;
  TipiValore tipo = T_REALE;  // Variabile: the kind the variable must hold
  bool origine = false;       // Variabile: the result is this variable's copy
  Relazione relazione = Relazione::Uguale;
  Reale numero = 0;
  std::string nome;
  VariabileRicordata variabile;  // where the variable was found last
};

// The text's operators keep their left operand's value when both operands are reals (+, -,
// *) and when they negate; the others make a new value. The result is therefore either a
// copy of one variable (whose name it keeps) or a new value, and which one is known when the
// expression is recorded.
bool InPlace(Codice c) {
  return c == Codice::Nega || c == Codice::Non || c == Codice::Somma || c == Codice::Differenza ||
         c == Codice::Prodotto;
}

constexpr int kPilaMassima = 32;

// A binary operation that cannot fail, on the two top values (logical values as 0 and 1).
[[gnu::always_inline]] inline void Applica(const Operazione& op, Reale& a, Reale b) {
  switch (op.codice) {
    case Codice::Somma: a = a + b; break;
    case Codice::Differenza: a = a - b; break;
    case Codice::Prodotto: a *= b; break;
    case Codice::Elevamento: a = Potenza(a, b); break;
    case Codice::Relazione: a = ConfrontaReali(a, b, op.relazione) ? 1 : 0; break;
    case Codice::UgualeLogico: a = (a != 0) == (b != 0) ? 1 : 0; break;
    case Codice::DiversoLogico: a = (a != 0) != (b != 0) ? 1 : 0; break;
    case Codice::E: a = (a != 0) && (b != 0) ? 1 : 0; break;
    case Codice::O: a = (a != 0) || (b != 0) ? 1 : 0; break;
    default: break;
  }
}

// A step of the form that ValutaNumero runs, where an operator whose right operand is a
// literal or a variable written just before it takes that operand itself: the pair costs no
// push and no pop. The value on top of the stack is kept apart from the rest.
struct Passo {
  enum class Tipo : unsigned char {
    Spinge,   // pushes the value of `operando`
    Unario,   // `operatore` on the top value
    DallaPila, // `operatore` on the value below the top and the top
    Proprio,  // `operatore` on the top value and the value of `operando`
  };
  Tipo tipo;
  const Operazione* operatore;
  const Operazione* operando;
};

}  // namespace compilate

using namespace compilate;

struct EspressioneCompilata {
  std::vector<Operazione> operazioni;
  std::vector<Passo> passi;  // for ValutaNumero, pointing into `operazioni`
  TipiValore tipoRisultato = T_REALE;
  bool daVariabile = false;  // the result is a copy of the variable marked `origine`
  bool conNomi = false;      // at least one name is read: the last one is the token after
  std::string ultimoNome;
  int profondita = 0;        // how deep the reading of the text nests, from its start
  bool costante = false;     // a number literal alone: its value is `numero` of the only operation
};

namespace {

// The recorded expressions of this run; -1 marks an expression always read from its text.
RicordiEsecuzione<EspressioneCompilata> gMemoria;
EspressioneCompilata* gUltima = nullptr;

}  // namespace

namespace detail {

Registrazione* gRegistrazione = nullptr;

class Registrazione {
 public:
  Registrazione()
      : precedente_(gRegistrazione),
        riga_(DatiGlob.IndiceRiga),
        profonditaIniziale_(gProfondita),
        massimaPrecedente_(gProfonditaMassimaVista) {
    gRegistrazione = this;
    gProfonditaMassimaVista = gProfondita;
  }
  ~Registrazione() {
    gRegistrazione = precedente_;
    if (massimaPrecedente_ > gProfonditaMassimaVista) gProfonditaMassimaVista = massimaPrecedente_;
  }
  Registrazione(const Registrazione&) = delete;
  Registrazione& operator=(const Registrazione&) = delete;

  void Interrompi() { ok_ = false; }

  void Numero(Reale valore) {
    if (!ok_) return;
    Operazione op{Codice::Numero};
    op.numero = valore;
    Spingi(std::move(op), {T_REALE, -1});
  }

  void Variabile(const std::string& nome, const cValore& valore) {
    if (!ok_) return;
    // A name with "_" is normalised through the value of another variable: it is not one
    // fixed variable.
    if ((valore.Tipo != T_REALE && valore.Tipo != T_BOOLEANO) || nome.find('_') != std::string::npos) {
      ok_ = false;
      return;
    }
    Operazione op{Codice::Variabile};
    op.tipo = valore.Tipo;
    op.nome = nome;
    ultimoNome_ = nome;
    Spingi(std::move(op), {valore.Tipo, static_cast<int>(e_->operazioni.size())});
  }

  void Segno(char32_t segno, const cValore& operando) {
    if (!ok_) return;
    if (pila_.empty() || pila_.back().tipo != T_REALE || operando.Tipo != T_REALE) {
      ok_ = false;
      return;
    }
    if (segno == U'-') e_->operazioni.push_back({Codice::Nega});
  }

  void Non(const cValore& operando) {
    if (!ok_) return;
    if (pila_.empty() || pila_.back().tipo != T_BOOLEANO || operando.Tipo != T_BOOLEANO) {
      ok_ = false;
      return;
    }
    e_->operazioni.push_back({Codice::Non});
  }

  void Binario(std::string_view op, const cValore& a, const cValore& b) {
    if (!ok_) return;
    const std::size_t n = pila_.size();
    if (n < 2 || pila_[n - 2].tipo != a.Tipo || pila_[n - 1].tipo != b.Tipo || a.Tipo != b.Tipo) {
      ok_ = false;
      return;
    }
    Operazione operazione{Codice::Numero};
    TipiValore risultato = T_BOOLEANO;
    if (a.Tipo == T_REALE) {
      risultato = T_REALE;
      if (op == "+") operazione.codice = Codice::Somma;
      else if (op == "-") operazione.codice = Codice::Differenza;
      else if (op == "*") operazione.codice = Codice::Prodotto;
      else if (op == "/") operazione.codice = Codice::Quoziente;
      else if (op == "DIV") operazione.codice = Codice::DivIntera;
      else if (op == "MOD") operazione.codice = Codice::Resto;
      else if (op == "^") operazione.codice = Codice::Elevamento;
      else if (op == "=" || op == "<>" || op == "<" || op == "<=" || op == ">" || op == ">=") {
        operazione.codice = Codice::Relazione;
        operazione.relazione = RelazioneDa(op);
        risultato = T_BOOLEANO;
      } else {
        ok_ = false;
        return;
      }
    } else if (a.Tipo == T_BOOLEANO) {
      if (op == "=") operazione.codice = Codice::UgualeLogico;
      else if (op == "<>") operazione.codice = Codice::DiversoLogico;
      else if (op == "AND") operazione.codice = Codice::E;
      else if (op == "O" || op == "OR") operazione.codice = Codice::O;
      else {
        ok_ = false;
        return;
      }
    } else {
      ok_ = false;
      return;
    }
    const int origine = InPlace(operazione.codice) ? pila_[n - 2].origine : -1;
    pila_.pop_back();
    pila_.back() = {risultato, origine};
    e_->operazioni.push_back(std::move(operazione));
  }

  void Parentesi() {
    // Every expression inside shows its line as it starts: replaying shows one line only.
    if (DatiGlob.IndiceRiga != riga_) ok_ = false;
  }

  // The recording of an expression that the text read to `valore` without an error.
  std::unique_ptr<EspressioneCompilata> Risultato(const cValore& valore) {
    if (!ok_ || pila_.size() != 1 || pila_.back().tipo != valore.Tipo) return nullptr;
    EspressioneCompilata& e = *e_;
    e.tipoRisultato = valore.Tipo;
    const int origine = pila_.back().origine;
    if (origine >= 0) {
      e.operazioni[static_cast<std::size_t>(origine)].origine = true;
      e.daVariabile = true;
    }
    e.conNomi = !ultimoNome_.empty();
    e.costante = e.operazioni.size() == 1 && e.operazioni[0].codice == Codice::Numero;
    for (std::size_t i = 0; i < e.operazioni.size(); ++i) {
      const Operazione& op = e.operazioni[i];
      const bool operando = op.codice == Codice::Numero || op.codice == Codice::Variabile;
      const bool unario = op.codice == Codice::Nega || op.codice == Codice::Non;
      if (operando && i + 1 < e.operazioni.size()) {
        const Codice seguente = e.operazioni[i + 1].codice;
        if (seguente != Codice::Numero && seguente != Codice::Variabile && seguente != Codice::Nega &&
            seguente != Codice::Non) {
          e.passi.push_back({Passo::Tipo::Proprio, &e.operazioni[i + 1], &op});
          ++i;
          continue;
        }
      }
      if (operando) e.passi.push_back({Passo::Tipo::Spinge, nullptr, &op});
      else e.passi.push_back({unario ? Passo::Tipo::Unario : Passo::Tipo::DallaPila, &op, nullptr});
    }
    e.ultimoNome = ultimoNome_;
    e.profondita = gProfonditaMassimaVista - profonditaIniziale_;
    return std::move(e_);
  }

 private:
  struct Elemento {
    TipiValore tipo;
    int origine;  // the operation that read the variable whose copy this is, or -1
  };

  void Spingi(Operazione op, Elemento elemento) {
    if (pila_.size() >= static_cast<std::size_t>(kPilaMassima)) {
      ok_ = false;
      return;
    }
    e_->operazioni.push_back(std::move(op));
    pila_.push_back(elemento);
  }

  Registrazione* precedente_;
  int riga_;
  int profonditaIniziale_;
  int massimaPrecedente_;
  bool ok_ = true;
  std::unique_ptr<EspressioneCompilata> e_ = std::make_unique<EspressioneCompilata>();
  std::vector<Elemento> pila_;
  std::string ultimoNome_;
};

void RegistraNumero(Reale valore) { gRegistrazione->Numero(valore); }
void RegistraVariabile(const std::string& nome, const cValore& valore) { gRegistrazione->Variabile(nome, valore); }
void RegistraSegno(char32_t segno, const cValore& operando) { gRegistrazione->Segno(segno, operando); }
void RegistraNon(const cValore& operando) { gRegistrazione->Non(operando); }
void RegistraBinario(std::string_view op, const cValore& a, const cValore& b) { gRegistrazione->Binario(op, a, b); }
void RegistraParentesi() { gRegistrazione->Parentesi(); }
void InterrompiRegistrazione() { gRegistrazione->Interrompi(); }

}  // namespace detail

namespace {

// A number or logical value as the replays hold it (logical values as 0 and 1).
Reale Numero(const cValore& v) {
  return v.Tipo == T_REALE ? static_cast<const cValoreReale&>(v).Value : static_cast<const cValoreBool&>(v).Value;
}

// The variable of a Variabile operation (its name never has "_": see Registrazione).
cVariabile* Trova(Operazione& op) { return op.variabile.TrovaStessoNome(op.nome); }

enum class Esito { Valore, Fermato, Testo };

// Replays `e`. Testo: the text must be read instead; the message hook has already been
// called for the names before the point where the replay gave up, so the reading of the text
// skips those calls. With `soloNumero` (a real expression whose value only gives its number)
// the number is left in `numero` and no value is made.
Esito Riproduci(EspressioneCompilata& e, std::unique_ptr<cValore>& risultato, bool soloNumero, Reale& numero) {
  TDatiGlob& g = DatiGlob;
  Reale pila[kPilaMassima];
  int cima = 0;
  int nomi = 0;
  std::unique_ptr<cValore> copia;
  // The hooks skipped or called here are skipped again by the reading of the text, before
  // any skip that was meant for the tokens after the expression.
  auto alTesto = [&] {
    detail::gPompaggiDaSaltare += nomi;
    return Esito::Testo;
  };
  for (Operazione& op : e.operazioni) {
    switch (op.codice) {
      case Codice::Numero:
        pila[cima++] = op.numero;
        break;
      case Codice::Variabile: {
        PompaToken();
        ++nomi;
        if (g.bStop) return Esito::Fermato;
        cVariabile* v = Trova(op);
        const cValore* valore = v ? v->GetValore() : nullptr;
        if (!valore || valore->Tipo != op.tipo) return alTesto();
        pila[cima++] = Numero(*valore);
        if (op.origine && !soloNumero) {
          copia = valore->Clona();
          if (copia->Nome.empty()) copia->Nome = v->Nome;
        }
        break;
      }
      case Codice::Nega:
        pila[cima - 1] = -pila[cima - 1];
        break;
      case Codice::Non:
        pila[cima - 1] = pila[cima - 1] != 0 ? 0 : 1;
        break;
      default: {
        const Reale b = pila[--cima];
        Reale& a = pila[cima - 1];
        switch (op.codice) {
          case Codice::Quoziente:
            if (DivisoreNullo(b)) return alTesto();
            a = QuozienteReali(a, b);
            break;
          case Codice::DivIntera:
          case Codice::Resto: {
            const bool resto = op.codice == Codice::Resto;
            if (ErroreDivisioneIntera(a, b, resto)) return alTesto();
            a = DivisioneInteraReali(a, b, resto);
            break;
          }
          default:
            Applica(op, a, b);
        }
      }
    }
  }
  if (soloNumero) {
    numero = pila[0];
  } else if (e.daVariabile) {
    risultato = std::move(copia);
    if (e.tipoRisultato == T_REALE) static_cast<cValoreReale&>(*risultato).Value = pila[0];
    else static_cast<cValoreBool&>(*risultato).Value = pila[0] != 0;
  } else if (e.tipoRisultato == T_REALE) {
    risultato = std::make_unique<cValoreReale>(pila[0]);
  } else {
    risultato = std::make_unique<cValoreBool>(pila[0] != 0);
  }
  return Esito::Valore;
}

}  // namespace

namespace {

// EvalExpression(true), replaying the expression when it is recorded; see ValutaNumeroRicordato
// for `soloNumero`. Registra: the expression is not recorded yet but can be from here.
enum class Lettura { Fatta, Numero, Registra };
Lettura ValutaSeRicordata(CacheLetture<int>::Voce* voce, bool soloNumero, Reale& numero,
                          std::unique_ptr<cValore>& valore) {
  if (!voce) {
    valore = EvalRelation(true);
    return Lettura::Fatta;
  }
  if (!voce->piena) return Lettura::Registra;
  if (voce->dato >= 0 &&
      detail::gProfondita + gMemoria.Elemento(voce->dato).profondita <= detail::PROFONDITA_MASSIMA) {
    EspressioneCompilata& e = gMemoria.Elemento(voce->dato);
    const bool numeroSoltanto = soloNumero && e.tipoRisultato == T_REALE;
    ShowCurrentLine();
    switch (Riproduci(e, valore, numeroSoltanto, numero)) {
      case Esito::Valore:
        CacheLetture<int>::VaiAllaFine(*voce);
        if (e.conNomi) ImpostaToken(e.ultimoNome);
        gUltima = &e;
        return numeroSoltanto ? Lettura::Numero : Lettura::Fatta;
      case Esito::Fermato:
        return Lettura::Fatta;
      case Esito::Testo:
        break;
    }
  }
  valore = EvalRelation(true);
  return Lettura::Fatta;
}

// The first pass that comes back to an expression: read the text and record it.
std::unique_ptr<cValore> ValutaERegistra(CacheLetture<int>::Voce& voce) {
  TDatiGlob& g = DatiGlob;
  const unsigned esecuzione = detail::gEsecuzione;
  const char32_t ch = g.ChCorrente;
  const std::u32string_view riga = g.RigaTesto;
  std::unique_ptr<cValore> valore;
  std::unique_ptr<EspressioneCompilata> registrata;
  {
    detail::Registrazione registrazione;
    valore = EvalRelation(true);
    if (valore && !g.bStop) registrata = registrazione.Risultato(*valore);
  }
  // A run started inside (a program run by a command) has dropped this run's entries.
  if (g.bStop || !valore || esecuzione != detail::gEsecuzione) return valore;
  gUltima = gMemoria.Registra(voce, ch, riga, std::move(registrata));
  return valore;
}

}  // namespace

std::unique_ptr<cValore> ValutaEspressioneRicordata() {
  gUltima = nullptr;
  NotaEspressione();
  if (!detail::gRiproduzioni) return EvalRelation(true);
  CacheLetture<int>::Voce* voce = gMemoria.VoceCorrente();
  std::unique_ptr<cValore> valore;
  Reale numero = 0;
  if (ValutaSeRicordata(voce, false, numero, valore) == Lettura::Registra) return ValutaERegistra(*voce);
  return valore;
}

bool ValutaNumeroRicordato(Reale& numero, std::unique_ptr<cValore>& valore) {
  gUltima = nullptr;
  NotaEspressione();
  if (!detail::gRiproduzioni) {
    valore = EvalRelation(true);
    return false;
  }
  CacheLetture<int>::Voce* voce = gMemoria.VoceCorrente();
  switch (ValutaSeRicordata(voce, true, numero, valore)) {
    case Lettura::Numero: return true;
    case Lettura::Fatta: return false;
    case Lettura::Registra: break;
  }
  valore = ValutaERegistra(*voce);
  return false;
}

EspressioneCompilata* UltimaEspressioneCompilata() { return gUltima; }

bool SempreNumero(const EspressioneCompilata& e) {
  if (e.tipoRisultato != T_REALE) return false;
  for (const Operazione& op : e.operazioni)
    if (op.codice == Codice::Quoziente || op.codice == Codice::DivIntera || op.codice == Codice::Resto) return false;
  return true;
}

bool TrovaVariabili(EspressioneCompilata& e) {
  if (e.costante) return true;
  for (Operazione& op : e.operazioni) {
    if (op.codice != Codice::Variabile) continue;
    const cVariabile* v = Trova(op);
    const cValore* valore = v ? v->GetValore() : nullptr;
    if (!valore || valore->Tipo != op.tipo) return false;
  }
  return true;
}

void VariabiliLette(const EspressioneCompilata& e, std::vector<std::pair<std::string, TipiValore>>& nomi) {
  for (const Operazione& op : e.operazioni)
    if (op.codice == Codice::Variabile) nomi.emplace_back(op.nome, op.tipo);
}

Reale ValutaNumero(const EspressioneCompilata& e) {
  if (e.costante) return e.operazioni[0].numero;  // the bounds of most loops
  auto valore = [](const Operazione& op) -> Reale {
    if (op.codice == Codice::Numero) return op.numero;
    return Numero(*op.variabile.Ultima()->GetValore());
  };
  Reale pila[kPilaMassima];
  int cima = 0;
  Reale alto = 0;
  // No division here: SempreNumero holds.
  for (const Passo& p : e.passi) {
    switch (p.tipo) {
      case Passo::Tipo::Spinge:
        pila[cima++] = alto;
        alto = valore(*p.operando);
        break;
      case Passo::Tipo::Unario:
        if (p.operatore->codice == Codice::Nega) alto = -alto;
        else alto = alto != 0 ? 0 : 1;
        break;
      case Passo::Tipo::DallaPila: {
        const Reale b = alto;
        alto = pila[--cima];
        Applica(*p.operatore, alto, b);
        break;
      }
      case Passo::Tipo::Proprio:
        Applica(*p.operatore, alto, valore(*p.operando));
        break;
    }
  }
  return alto;
}

}  // namespace qx
