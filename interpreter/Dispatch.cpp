#include "interpreter/Dispatch.h"

#include <numbers>
#include <unordered_map>

#include "interpreter/Espressioni.h"
#include "interpreter/Istruzioni.h"
#include "interpreter/Scanner.h"
#include "interpreter/TabelleComandi.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "values/ValoriScalari.h"

namespace qx {

namespace {

struct Registro {
  std::unordered_map<std::string, GestoreIstruzione> istruzioni;
  std::unordered_map<std::string, GestoreValore> valori;
  std::unordered_map<int, LettoreElementi> lettori;
  std::unordered_map<std::string, FormaNumerica> formeNumeriche;
  std::unordered_map<std::string, FormaConValore> formeConValore;
};

Registro& Gestori() {
  static Registro r;
  return r;
}

// The first row of a table that names a keyword: the tables are walked in order, so a
// keyword belongs to its first row; the index only saves the walk.
const RigaComando* PrimaRiga(const std::vector<RigaComando>& tabella,
                             std::unordered_map<std::string, const RigaComando*>& indice, const std::string& nome) {
  if (indice.empty())
    for (const RigaComando& r : tabella)
      for (const std::string& n : r.nomi) indice.emplace(n, &r);
  auto it = indice.find(nome);
  return it == indice.end() ? nullptr : it->second;
}

const RigaComando* RigaIstruzione(const std::string& nome) {
  static std::unordered_map<std::string, const RigaComando*> indice;
  return PrimaRiga(TabellaIstruzioni(), indice, nome);
}

const RigaComando* RigaEspressione(const std::string& nome) {
  static std::unordered_map<std::string, const RigaComando*> indice;
  return PrimaRiga(TabellaEspressioni(), indice, nome);
}

PValore Logico(bool b) { return std::make_unique<cValoreBool>(b); }
PValore Numero(Reale x) { return std::make_unique<cValoreReale>(x); }

}  // namespace

void RegistraIstruzione(const std::string& gestore, GestoreIstruzione g) {
  Gestori().istruzioni[gestore] = std::move(g);
}

void RegistraValore(const std::string& gestore, GestoreValore g) { Gestori().valori[gestore] = std::move(g); }

void RegistraComando(const std::string& gestore, GestoreValore g) { RegistraValore(gestore, std::move(g)); }

void RegistraLettore(TipiValore tipo, LettoreElementi l) { Gestori().lettori[tipo] = std::move(l); }

void RegistraFormaNumerica(const std::string& gestore, FormaNumerica f) { Gestori().formeNumeriche[gestore] = f; }

void RegistraFormaConValore(const std::string& gestore, FormaConValore f) { Gestori().formeConValore[gestore] = f; }

ComandoRisolto RisolviComando(const std::string& nome) {
  ComandoRisolto c;
  const RigaComando* riga = RigaEspressione(nome);
  if (!riga) return c;
  Registro& r = Gestori();
  auto it = r.valori.find(riga->gestore);
  if (it == r.valori.end()) return c;
  c.gestore = &it->second;
  auto numerica = r.formeNumeriche.find(riga->gestore);
  if (numerica != r.formeNumeriche.end()) c.numerica = numerica->second;
  auto conValore = r.formeConValore.find(riga->gestore);
  if (conValore != r.formeConValore.end()) c.conValore = conValore->second;
  return c;
}

ProceduraRisolta RisolviProcedura(const std::string& nome) {
  ProceduraRisolta p;
  p.risolta = true;
  const RigaComando* riga = RigaIstruzione(nome);
  if (!riga) return p;
  Registro& r = Gestori();
  if (riga->forma == FormaGestore::Istruzione) {
    auto it = r.istruzioni.find(riga->gestore);
    if (it != r.istruzioni.end()) p.istruzione = &it->second;
  } else {
    auto it = r.valori.find(riga->gestore);
    if (it != r.valori.end()) p.valore = &it->second;
  }
  return p;
}

void RimuoviArgomentiAnonimi(const ListaArgomenti& argomenti) {
  TDatiGlob& g = DatiGlob;
  if (!g.ListaVariabili) return;
  for (int i = 0; i < argomenti.Count(); ++i) {
    // Only a name that starts with "$" can be an anonymous object's: looked at first.
    const cValore* valore = argomenti.Valore(i);
    if (!valore || valore->Nome.empty() || valore->Nome[0] != '$') continue;
    const auto* v = valore->ComeGrafico();
    if (!v || v->bDerivato) continue;
    if (cVariabile* var = g.ListaVariabili->Cerca(v->Nome)) {
      if (g.OggettoScelto == var->GetValore()) g.OggettoScelto = nullptr;
      g.ListaVariabili->Elimina(v->Nome);
    }
  }
}

void CallProcedure(bool Esegui, ListaArgomenti& argomenti, ProceduraRisolta* risolta) {
  TDatiGlob& g = DatiGlob;
  if (Esegui) ShowCurrentLine();
  const std::string nome = g.NomeIstruzione;
  ProceduraRisolta trovata;
  if (!risolta) risolta = &trovata;
  if (!risolta->risolta) *risolta = RisolviProcedura(nome);
  if (risolta->istruzione) {
    (*risolta->istruzione)(Esegui, argomenti, nome);
  } else if (risolta->valore) {
    PValore risultato = (*risolta->valore)(argomenti, nome, Esegui);  // already stored and drawn
  } else {
    ReportError(ParoleChiave.msgProceduraNonConosciuta, true);
    return;
  }
  if (Esegui && !g.bStop) RimuoviArgomentiAnonimi(argomenti);
  if (Esegui && !g.bStop) WaitStep();
}

PValore CmdCostanti(const ListaArgomenti& argomenti, const std::string& nome) {
  const TParoleChiave& k = ParoleChiave;
  if (!argomenti.Vuota()) return nullptr;
  if (nome == k.PI) return Numero(std::numbers::pi_v<long double>);
  if (nome == k.NEP) return Numero(std::numbers::e_v<long double>);
  if (nome == k.ORARIO) return std::make_unique<cValoreStringa>("O");
  if (nome == k.ANTIORARIO) return std::make_unique<cValoreStringa>("A");
  if (nome == k.VERO || nome == k.SI) return Logico(true);
  if (nome == k.FALSO || nome == k.NO) return Logico(false);
  if (nome == k.TESTO) return Numero(1);
  if (nome == k.NUMERO) return Numero(2);
  if (nome == k.DATA) return Numero(3);
  return nullptr;
}

namespace {

// Arguments of a name in an expression:
//   name [ "." member ] [ "(" relation { separator relation } ")" [ "." member [ "(" ... ")" ] ] ]
// The separator between arguments is one character and is not checked.
bool LeggiArgomenti(bool Esegui, ListaArgomenti& argomenti) {
  TDatiGlob& g = DatiGlob;
  auto membro = [&] {
    NextChar();  // past the dot
    NextToken();
    argomenti.AggiungiMembro(g.TokenCorrente);
    SaltaSpazi();
  };
  auto parentesi = [&]() -> bool {
    NextChar();  // past "("
    for (;;) {
      argomenti.Aggiungi(EvalExpression(Esegui));
      if (g.bStop) return false;
      SaltaSpazi();
      if (g.bFine) {
        ReportError(ParoleChiave.msgParentesiChiusa, false);
        return false;
      }
      if (g.ChCorrente == U')') {
        NextChar();
        SaltaSpazi();
        return true;
      }
      NextChar();  // the separator
    }
  };
  SaltaSpazi();
  if (g.bFine) return true;
  if (g.ChCorrente == U'.') membro();
  if (!g.bFine && g.ChCorrente == U'(') {
    if (!parentesi()) return false;
    if (!g.bFine && g.ChCorrente == U'.') {
      membro();
      if (!g.bFine && g.ChCorrente == U'(' && !parentesi()) return false;
    }
  }
  return true;
}

}  // namespace

PValore LeggiVariabile(cVariabile& var, ListaArgomenti& argomenti, bool Esegui) {
  cValore* valore = var.GetValore();
  if (!valore) return nullptr;
  PValore risultato;
  if (argomenti.Vuota()) {
    risultato = valore->Clona();
  } else {
    auto& lettori = Gestori().lettori;
    auto it = lettori.find(var.Tipo);
    if (it == lettori.end()) {
      ReportError(ParoleChiave.msgParametriErrati + var.Nome, true);
      return nullptr;
    }
    risultato = it->second(var, argomenti, Esegui);
  }
  if (risultato && risultato->Nome.empty()) risultato->Nome = var.Nome;
  return risultato;
}

PValore EvalIdentifier(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  // The name's own line: once a line's last token is read the reader stands on the next
  // line of text, and "B = A + ;" followed by blank lines was blamed on a later statement.
  const int rigaNome = g.IndiceRiga;
  NextToken();
  const std::string nome = g.TokenCorrente;
  ListaArgomenti argomenti;
  if (!LeggiArgomenti(Esegui, argomenti) || g.bStop) return nullptr;

  cVariabile* var = g.ListaVariabili ? g.ListaVariabili->Cerca(nome) : nullptr;
  PValore risultato;
  if (var) {
    if (!Esegui) return nullptr;
    return LeggiVariabile(*var, argomenti, Esegui);
  }
  risultato = CmdCostanti(argomenti, nome);
  bool comando = false;
  if (!risultato) {
    const RigaComando* riga = RigaEspressione(nome);
    auto& valori = Gestori().valori;
    auto it = riga ? valori.find(riga->gestore) : valori.end();
    if (it == valori.end()) {
      if (Esegui) ReportErrorAllaRiga(ParoleChiave.msgIdentificatore, rigaNome);
      return nullptr;
    }
    comando = true;
    risultato = it->second(argomenti, nome, Esegui);
  }
  if (comando && Esegui && !g.bStop) RimuoviArgomentiAnonimi(argomenti);
  if (!Esegui) return nullptr;
  return risultato;
}

}  // namespace qx
