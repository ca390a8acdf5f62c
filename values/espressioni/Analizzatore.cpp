#include "values/espressioni/Analizzatore.h"

#include <cctype>
#include <charconv>
#include <numbers>
#include <utility>
#include <vector>

#include "runstate/DatiGlob.h"
#include "runstate/WindowServices.h"
#include "values/FunzioniAusiliarie.h"
#include "values/Variabili.h"

namespace qx {

int ModoAnalisi = MODO_FUNZIONE;
std::string TestoEspressione;
bool bModoSchema = false;
cVariabile* VariabileTrovata = nullptr;

namespace {

std::string Maiuscolo(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool ENome(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

cVariabile* CercaVariabile(const std::string& nomeMaiuscolo) {
  VariabileTrovata = DatiGlob.ListaVariabili ? DatiGlob.ListaVariabili->Cerca(nomeMaiuscolo) : nullptr;
  return VariabileTrovata;
}

PNodo Token(TipoNodo tipo) {
  PNodo n = NuovoNodo();
  n->Tipo = tipo;
  n->Nome = tipo <= N_APERTA ? SIMBOLI_OPERATORE[tipo] : "";
  return n;
}

// name := letter-or-any-first-char { letter | digit | "_" | "$" } ; call := name "("
PNodo LeggiNome(const std::string& t, std::size_t& pos) {
  std::size_t fine = pos + 1;
  while (fine < t.size() && ENome(t[fine])) ++fine;
  std::string nome = t.substr(pos, fine - pos);
  std::string alto = Maiuscolo(nome);
  if (alto == "PI") {
    pos = fine;
    return NuovoNodoNumero(std::numbers::pi_v<long double>);
  }
  if (alto == "X" || alto == "Y") {
    pos = fine;
    return NuovoNodoIdentificatore(alto == "X" ? "x" : "y");
  }
  if (bModoSchema && (alto == "A" || alto == "A2" || alto == "B" || alto == "B2" || alto == "N")) {
    pos = fine;
    return NuovoNodoIdentificatore(nome);
  }
  bool congelato = false;
  if (!nome.empty() && nome[0] == '$') {
    nome.erase(0, 1);
    alto.erase(0, 1);
    congelato = true;
  }
  cVariabile* v = bModoSchema ? nullptr : CercaVariabile(alto);
  if (v && v->Tipo == T_REALE) {
    pos = fine;
    if (!congelato) return NuovoNodoIdentificatore(nome);
    const auto* r = dynamic_cast<const cValoreReale*>(v->GetValore());
    return NuovoNodoNumero(r ? r->Value : 0);
  }
  if (fine < t.size() && t[fine] == '(') {
    const IndiceFunzione f = CercaFunzioneSenzaMaiuscole(nome);
    if (f != F_NESSUNA) {
      pos = fine + 1;
      return NuovoNodoFunzione(NOMI_FUNZIONE[f]);
    }
    if (v && (v->Tipo == T_VETT_REALE || v->Tipo == T_MATR_REALE || v->Tipo == T_FUNZIONE)) {
      pos = fine + 1;
      return NuovoNodoFunzione(alto);
    }
  }
  return nullptr;
}

class Analisi {
 public:
  Analisi(bool messaggi) : messaggi_(messaggi) {}

  PNodo Esegui();

 private:
  bool Errore(const char* prefisso) {
    if (messaggi_)
      Finestra().MessageBox(prefisso + TestoEspressione, "Errore", TTipoMessaggio::Errore, TPulsanti::OK);
    return false;
  }
  bool PopOperando(PNodo& n) {
    if (operandi_.empty()) return Errore("Espressione incompleta: ");
    n = std::move(operandi_.back());
    operandi_.pop_back();
    return true;
  }
  // Pops the top operator and builds it over its operands; a "(" is dropped.
  bool Riduci() {
    PNodo op = std::move(operatori_.back());
    operatori_.pop_back();
    if (op->Tipo == N_APERTA) return true;
    op->Arieta = 2;
    if (!PopOperando(op->Figli[1]) || !PopOperando(op->Figli[0])) return false;
    operandi_.push_back(std::move(op));
    return true;
  }
  bool RiduciTutti() {
    while (!operatori_.empty())
      if (!Riduci()) return false;
    return true;
  }
  bool Accetta(PNodo t, bool& P);

  bool messaggi_;
  std::vector<PNodo> operatori_, operandi_;
};

// expr := operand { operator operand } with precedences = 0 < +,- 2 < *,/ 4 < ^ 6 (right)
bool Analisi::Accetta(PNodo t, bool& P) {
  const int pt = PRIORITA_NODO[t->Tipo];
  if (P && (pt == 8 || pt == 1) && !operatori_.empty())
    if (!RiduciTutti()) return false;
  if (pt == 1) {
    operatori_.push_back(std::move(t));
    P = false;
    return true;
  }
  if (pt == 8) {
    operandi_.push_back(std::move(t));
    P = true;
    return true;
  }
  while (!operatori_.empty() && t->Tipo != N_POTENZA && pt <= PRIORITA_NODO[operatori_.back()->Tipo])
    if (!Riduci()) return false;
  NodoEspr* cima = operatori_.empty() ? nullptr : operatori_.back().get();
  if (cima && cima->Tipo == N_CHIAMATA && t->Tipo == N_VIRGOLA) {
    ++cima->Arieta;
    P = false;
    return true;
  }
  if (cima && cima->Tipo == N_CHIAMATA && t->Tipo == N_CHIUSA) {
    PNodo chiamata = std::move(operatori_.back());
    operatori_.pop_back();
    chiamata->Arieta = std::min(chiamata->Arieta, MAX_FIGLI);
    for (int i = chiamata->Arieta - 1; i >= 0; --i)
      if (!PopOperando(chiamata->Figli[i])) return false;
    operandi_.push_back(std::move(chiamata));
    P = true;
    return true;
  }
  if (cima && cima->Tipo == N_APERTA && t->Tipo == N_CHIUSA) {
    operatori_.pop_back();
    P = true;
    return true;
  }
  if (t->Tipo == N_CHIUSA || t->Tipo == N_VIRGOLA) return Errore("Espressione errata :");
  operatori_.push_back(std::move(t));
  P = false;
  return true;
}

// formula := expr (tokens are read until none is left; the operand on top is the result)
PNodo Analisi::Esegui() {
  std::size_t pos = 0;
  bool P = false;
  PNodo t = ProssimoToken(TestoEspressione, P, pos);
  if (!t) {
    Errore(MSG_ESPRESSIONE_NON_CORRETTA);
    return nullptr;
  }
  while (t) {
    if (!Accetta(std::move(t), P)) return nullptr;
    t = ProssimoToken(TestoEspressione, P, pos);
  }
  if (!RiduciTutti()) return nullptr;
  // "()", "(" and "sin()" leave no operand at all.
  if (operandi_.empty()) {
    Errore("Espressione incompleta: ");
    return nullptr;
  }
  return std::move(operandi_.back());
}

}  // namespace

// number := digits-and-points [ ("E"|"e") ["+"|"-"] digits ]
bool LeggiNumero(const std::string& t, std::size_t& pos, Reale& valore) {
  std::size_t fine = pos;
  while (fine < t.size() && (std::isdigit(static_cast<unsigned char>(t[fine])) || t[fine] == '.')) ++fine;
  if (fine < t.size() && (t[fine] == 'E' || t[fine] == 'e')) {
    ++fine;
    if (fine < t.size() && (t[fine] == '+' || t[fine] == '-')) ++fine;
    while (fine < t.size() && std::isdigit(static_cast<unsigned char>(t[fine]))) ++fine;
  }
  if (fine == pos) return false;
  const char* inizio = t.data() + pos;
  const char* limite = t.data() + fine;
  long double v = 0;
  auto [p, ec] = std::from_chars(inizio, limite, v, std::chars_format::general);
  if (ec != std::errc() || p != limite) return false;
  valore = v;
  pos = fine;
  return true;
}

// token := "*" | "/" | "^" | ")" | "(" | "=" | "+" | "," | "-" | number | name
PNodo ProssimoToken(const std::string& t, bool P, std::size_t& pos) {
  if (pos >= t.size()) return nullptr;
  const char c = t[pos];
  switch (c) {
    case '*': ++pos; return Token(N_PER);
    case '/': ++pos; return Token(N_DIVISO);
    case '^': ++pos; return Token(N_POTENZA);
    case ')': ++pos; return Token(N_CHIUSA);
    case '(': ++pos; return Token(N_APERTA);
    case '=': ++pos; return Token(N_UGUALE);
    case '+': ++pos; return Token(N_PIU);
    case ',': ++pos; return Token(N_VIRGOLA);
    default: break;
  }
  Reale v = 0;
  if (c == '-') {
    if (P) {
      ++pos;
      return Token(N_MENO);
    }
    std::size_t dopo = pos + 1;
    if (LeggiNumero(t, dopo, v)) {
      pos = dopo;
      return NuovoNodoNumero(-v);
    }
  }
  std::size_t dopo = pos;
  if (LeggiNumero(t, dopo, v)) {
    pos = dopo;
    return NuovoNodoNumero(v);
  }
  if (ModoAnalisi != MODO_FUNZIONE) return nullptr;
  return LeggiNome(t, pos);
}

PNodo AnalizzaEspressione(const std::string& testo, int modo, bool messaggi) {
  TestoEspressione = RimuoviSpazi(testo);
  ModoAnalisi = modo;
  Analisi a(messaggi);
  return a.Esegui();
}

}  // namespace qx
