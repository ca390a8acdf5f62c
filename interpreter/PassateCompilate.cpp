#include "interpreter/PassateCompilate.h"

#include <algorithm>

#include "interpreter/Istruzioni.h"
#include "runstate/DatiGlob.h"
#include "runstate/WindowServices.h"

namespace qx {

namespace detail {

std::uint64_t gPassateCompilate = 0;
PassataCompilata::Registro* gRegistroPassata = nullptr;

void NotaRiga(int riga) {
  auto& operazioni = gRegistroPassata->operazioni;
  // Showing the line already shown changes nothing.
  if (!operazioni.empty() && operazioni.back().tipo == PassataCompilata::Tipo::Riga &&
      operazioni.back().riga == riga)
    return;
  PassataCompilata::Operazione op(PassataCompilata::Tipo::Riga);
  op.riga = riga;
  operazioni.push_back(std::move(op));
}

void NotaNumero(PassataCompilata::Tipo tipo, const std::string& nome) {
  PassataCompilata::Registro& r = *gRegistroPassata;
  EspressioneCompilata* e = UltimaEspressioneCompilata();
  if (!e || !SempreNumero(*e)) {
    r.valido = false;
    return;
  }
  PassataCompilata::Operazione op(tipo);
  op.espressione = e;
  op.nome = nome;
  r.operazioni.push_back(std::move(op));
  ++r.espressioniNotate;
  if (tipo == PassataCompilata::Tipo::Assegna) ++r.istruzioniNotate;
}

}  // namespace detail

PassataCompilata::~PassataCompilata() {
  // A pass that ended early (an error, a stop) leaves the recording to the one around it.
  if (registrando_) detail::gRegistroPassata = precedente_;
}

void PassataCompilata::IniziaRegistrazione() {
  // A loop whose first passes are not of the form is not watched for ever.
  constexpr int kTentativi = 4;
  if (pronta_ || registrando_ || tentativi_ >= kTentativi || !detail::gRiproduzioni) return;
  ++tentativi_;
  registro_ = Registro{};
  precedente_ = detail::gRegistroPassata;
  detail::gRegistroPassata = &registro_;
  registrando_ = true;
  pompaggiIniziali_ = detail::gContaPompaggi;
}

void PassataCompilata::FineIntestazione() {
  if (!registrando_) return;
  if (!CatturaPosizione(dopoIntestazione_)) registro_.valido = false;
  tokenIntestazione_ = DatiGlob.TokenCorrente;
  pompaggiIntestazione_ = static_cast<int>(detail::gContaPompaggi - pompaggiIniziali_);
}

void PassataCompilata::ConcludiRegistrazione(bool continua) {
  if (!registrando_) return;
  detail::gRegistroPassata = precedente_;
  registrando_ = false;
  const TDatiGlob& g = DatiGlob;
  Registro& r = registro_;
  if (!r.valido || !continua || g.bStop || r.istruzioni != r.istruzioniNotate ||
      r.espressioni != r.espressioniNotate || !CatturaPosizione(fine_))
    return;
  // The counter, then the bound, then the body's stores.
  std::size_t contatore = r.operazioni.size(), limite = r.operazioni.size();
  for (std::size_t i = 0; i < r.operazioni.size(); ++i) {
    const Tipo t = r.operazioni[i].tipo;
    if (t == Tipo::Contatore && contatore == r.operazioni.size() && limite == r.operazioni.size()) contatore = i;
    else if (t == Tipo::Limite && contatore < i && limite == r.operazioni.size()) limite = i;
    else if (t != Tipo::Riga && (t != Tipo::Assegna || limite > i)) return;
  }
  if (limite == r.operazioni.size()) return;
  operazioni_ = std::move(r.operazioni);
  contatore_ = contatore;
  std::vector<std::pair<std::string, TipiValore>> nomi;
  for (const Operazione& op : operazioni_) {
    if (op.tipo == Tipo::Riga) continue;
    VariabiliLette(*op.espressione, nomi);
    if (op.tipo != Tipo::Limite) nomi.emplace_back(op.nome, T_1);  // T_1: stored, a number
  }
  variabili_.clear();
  for (const auto& [nome, tipo] : nomi) {
    const TipiValore atteso = tipo == T_1 ? T_REALE : tipo;
    auto stessa = [&](const VariabileUsata& u) { return u.nome == nome; };
    auto it = std::find_if(variabili_.begin(), variabili_.end(), stessa);
    if (it == variabili_.end()) it = variabili_.insert(variabili_.end(), {nome, atteso, false, {}});
    if (it->tipo != atteso) return;  // used as two kinds: never of this form
    if (tipo == T_1) it->memorizzata = true;
  }
  tabellaTrovata_ = nullptr;
  pompaggi_ = static_cast<int>(detail::gContaPompaggi - pompaggiIniziali_);
  tokenFinale_ = g.TokenCorrente;
  nomeFinale_ = g.NomeIstruzione;
  esecuzione_ = detail::gEsecuzione;
  pronta_ = true;
}

bool PassataCompilata::Valida() {
  const cListaVariabili* tabella = DatiGlob.ListaVariabili;
  if (!tabella) return false;
  if (tabella != tabellaTrovata_ || tabella->Versione() != versioneTrovata_) {
    for (Operazione& op : operazioni_) {
      if (op.tipo == Tipo::Riga) continue;
      if (!TrovaVariabili(*op.espressione)) return false;
      if (op.tipo != Tipo::Limite) op.variabile.Trova(op.nome);
    }
    for (VariabileUsata& u : variabili_) u.variabile.Trova(u.nome);
    tabellaTrovata_ = tabella;
    versioneTrovata_ = tabella->Versione();
  }
  for (const VariabileUsata& u : variabili_) {
    const cVariabile* v = u.variabile.Ultima();
    const cValore* valore = v ? v->GetValore() : nullptr;
    if (!valore || valore->Tipo != u.tipo) return false;
    // A stored number variable that already bears its name: a store changes nothing else.
    if (u.memorizzata && (v->Tipo != T_REALE || !StessoTesto(valore->Nome, u.nome))) return false;
  }
  return true;
}

void PassataCompilata::Materializza(const FineLettura& fine, const std::string& token) {
  VaiA(fine);
  ImpostaToken(token);
}

PassataCompilata::Esito PassataCompilata::Esegui(int passo) {
  TDatiGlob& g = DatiGlob;
  if (!Pronta() || !g.bEsecuzioneVeloce || g.bPassoPasso || g.bStop || detail::gPompaggiDaSaltare != 0) return Esito::NonEseguita;
  // The pass's message hooks, before anything of it runs.
  int pompaggi = 0;
  while (pompaggi < pompaggi_ && !g.bStop) {
    LasciaPassareMessaggi();
    ++pompaggi;
  }
  detail::gContaPompaggi += static_cast<std::uint64_t>(pompaggi);
  if (g.bStop || !g.bEsecuzioneVeloce || g.bPassoPasso || !Valida()) {
    detail::gPompaggiDaSaltare = pompaggi;
    return Esito::NonEseguita;
  }
  auto numero = [](const Operazione& op) -> Reale& {
    return static_cast<cValoreReale&>(*op.variabile.Ultima()->GetValore()).Value;
  };
  for (const Operazione& op : operazioni_) {
    switch (op.tipo) {
      case Tipo::Riga:
        MostraRiga(op.riga);
        break;
      case Tipo::Contatore:
        numero(op) = ValutaNumero(*op.espressione) + passo;
        break;
      case Tipo::Assegna:
        numero(op) = ValutaNumero(*op.espressione);
        break;
      case Tipo::Limite: {
        Reale& contatore = numero(operazioni_[contatore_]);
        if (ValutaNumero(*op.espressione) >= contatore) break;
        // The loop ends: the counter keeps the last value for which the body ran, and the
        // body is read without running, from the text after the header.
        contatore -= 1;
        Materializza(dopoIntestazione_, tokenIntestazione_);
        if (!StessoTesto(g.NomeIstruzione, operazioni_[contatore_].nome)) g.NomeIstruzione = operazioni_[contatore_].nome;
        detail::gPompaggiDaSaltare = pompaggi_ - pompaggiIntestazione_;
        return Esito::DopoIntestazione;
      }
    }
  }
  Materializza(fine_, tokenFinale_);
  if (!StessoTesto(g.NomeIstruzione, nomeFinale_)) g.NomeIstruzione = nomeFinale_;
  ++detail::gPassateCompilate;
  return Esito::Completa;
}

}  // namespace qx
