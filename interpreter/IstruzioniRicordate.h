// What a statement reads at fixed places of its text, recorded on one pass and replayed on
// the next ones. The language reads all of a loop's text on every pass (an untaken branch is
// read without being executed), so the tokens a loop reads between its expressions come in
// the same order, from the same places, at every pass: "(" NAME DA, A, ")" ESEGUI in the
// header of a PER loop, the first token of each statement of the body, FINE and ";", and "="
// and ";" around the expression of an assignment. A replayed token runs the message hook as a
// read does, becomes current, and moves the position to where the read ended, without looking
// the text up again. A token is replayed only from the position it was read from; anywhere
// else, and after a stop (the run then sees the end of the text), it is read as always.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "interpreter/Scanner.h"
#include "values/Variabili.h"

namespace qx {

class SequenzaToken {
 public:
  // A new pass: its k-th read replays the k-th read of the recorded pass.
  void Inizia() {
    k_ = 0;
    if (!pronti_ && !abbandonato_ && detail::gRiproduzioni) {
      registrando_ = true;
      token_.clear();
    }
  }
  // The pass read its tokens as the statement always does: later passes replay them.
  void Concludi() {
    if (registrando_) pronti_ = true;
    registrando_ = false;
  }
  // The statement is not of the form that is recorded: it is always read.
  void Abbandona() {
    abbandonato_ = true;
    registrando_ = false;
    token_.clear();
  }

  // The next token, as NextToken gives it.
  void Leggi() {
    if (pronti_) [[likely]] {
      PompaToken();
      const TDatiGlob& g = DatiGlob;
      if (k_ < token_.size()) {
        const Token& t = token_[k_++];
        if (t.colonna == g.Colonna && t.riga == g.IndiceRiga && t.ch == g.ChCorrente && !g.bFine &&
            t.testoRiga == g.RigaTesto.data()) [[likely]] {
          VaiA(t.fine);
          ImpostaToken(t.testo);
          return;
        }
      }
      detail::LeggiToken();
      return;
    }
    Registra();
  }

 private:
  struct Token {
    int colonna, riga;
    char32_t ch;
    const char32_t* testoRiga;
    FineLettura fine;
    std::string testo;
  };

  void Registra() {
    const TDatiGlob& g = DatiGlob;
    Token t{g.Colonna, g.IndiceRiga, g.ChCorrente, g.RigaTesto.data(), {}, {}};
    const bool daQui = !g.bFine;
    NextToken();
    if (!registrando_) return;
    if (!daQui || !CatturaPosizione(t.fine)) {
      registrando_ = false;
      return;
    }
    t.testo = g.TokenCorrente;
    token_.push_back(std::move(t));
  }

  std::vector<Token> token_;
  std::size_t k_ = 0;
  bool pronti_ = false;
  bool registrando_ = false;
  bool abbandonato_ = false;
};

// The variable a statement stores into, found once while the variable table keeps its
// version.
class VariabileRicordata {
 public:
  // Cerca(nome) of the current table.
  cVariabile* Trova(const std::string& nome) {
    const cListaVariabili* tabella = DatiGlob.ListaVariabili;
    if (!tabella) return nullptr;
    if (tabella == tabella_ && tabella->Versione() == versione_ && StessoTesto(nome, nome_)) return variabile_;
    tabella_ = tabella;
    versione_ = tabella->Versione();
    nome_ = nome;
    variabile_ = tabella->Cerca(nome);
    // A name with "_" depends on the value of another variable: it is looked up every time.
    if (nome.find('_') != std::string::npos) tabella_ = nullptr;
    return variabile_;
  }
  // What the last Trova gave.
  cVariabile* Ultima() const { return variabile_; }
  // Trova for a caller that always gives the same name.
  cVariabile* TrovaStessoNome(const std::string& nome) {
    const cListaVariabili* tabella = DatiGlob.ListaVariabili;
    if (tabella && tabella == tabella_ && tabella->Versione() == versione_) return variabile_;
    return Trova(nome);
  }

 private:
  const cListaVariabili* tabella_ = nullptr;
  std::uint64_t versione_ = 0;
  std::string nome_;
  cVariabile* variabile_ = nullptr;
};

// The record of an assignment statement: its "=" and ";" and its variable.
struct RicordoAssegnamento {
  SequenzaToken token;
  VariabileRicordata variabile;
};

// The record of the statement that starts at the current position (just after its first
// name), kept for the whole run; nullptr where nothing can be recorded.
RicordoAssegnamento* CercaRicordoAssegnamento();

}  // namespace qx
