#include "interpreter/IstruzioniCompilate.h"

#include <exception>

#include "interpreter/Istruzioni.h"
#include "interpreter/SeguitoIstruzioni.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"

namespace qx {

namespace detail {
std::uint64_t gIstruzioniRiprodotte = 0;
}  // namespace detail

namespace istr {

Istruzione::~Istruzione() = default;

namespace {

// The indices an element store takes at most; a name with more is stored the general way.
constexpr std::size_t kIndiciMassimi = 2;

// Whether the statement is an element store (EseguiElemento): a name with one or two indices
// and no member, then "=".
bool MemorizzaElemento(const istr::Nome& n) {
  return n.uguale && !n.parolaMembro && !n.argomenti.empty() && n.argomenti.size() <= kIndiciMassimi;
}

// ---------------------------------------------------------------------------------------
// Building the tree from the reads, in the order the statements' code made them (the
// routines of Istruzioni.cpp); any read out of place gives no tree.

class Costruttore {
 public:
  explicit Costruttore(const std::vector<Lettura>& letture) : l_(letture) {}

  std::unique_ptr<istr::Istruzione> Radice() {
    k_ = 1;  // the first token is the statement's own
    auto radice = LeggiIstruzione(&l_[0], 0);
    if (!ok_ || k_ != l_.size()) return nullptr;
    return radice;
  }

 private:
  const Lettura* Token() {
    if (k_ >= l_.size() || l_[k_].espressione) {
      ok_ = false;
      return &l_[0];
    }
    return &l_[k_++];
  }
  const Lettura* Token(char c) {
    const Lettura* t = Token();
    if (!t->Inizia(c)) ok_ = false;
    return t;
  }
  const Lettura* Token(ParolaToken p) {
    const Lettura* t = Token();
    if (!(t->parole & p)) ok_ = false;
    return t;
  }
  const Lettura* Espressione() {
    if (k_ >= l_.size() || !l_[k_].espressione) {
      ok_ = false;
      return &l_[0];
    }
    return &l_[k_++];
  }
  // An expression that the statement evaluates right after showing the line after `token`:
  // it need not show it again.
  void Silenzia(const Lettura* espressione, const Lettura* token) {
    if (ok_ && espressione->espressione && espressione->espressione->riga == token->dopo.IndiceRiga)
      espressione->espressione->mostra = false;
  }
  bool Prossimo(ParolaToken p) const { return k_ < l_.size() && !l_[k_].espressione && (l_[k_].parole & p); }

  template <class T>
  std::unique_ptr<T> Nuova(const Lettura* primo, int livello) {
    auto n = std::make_unique<T>();
    n->primo = primo;
    n->livello = livello;
    return n;
  }

  // ExecStatement: the construct that starts with `primo`, in Costrutto's order.
  std::unique_ptr<istr::Istruzione> LeggiIstruzione(const Lettura* primo, int livello) {
    if (!ok_) return nullptr;
    if (primo->parole & kParolaEsegui) return LeggiEsegui(primo, livello);
    if (primo->parole & kParolaPer) return LeggiPer(primo, livello);
    if (primo->parole & kParolaRipeti) return LeggiRipeti(primo, livello);
    if (primo->parole & kParolaSe) return LeggiSe(primo, livello);
    if (primo->Inizia(';')) {
      auto n = std::make_unique<istr::Istruzione>(Specie::Vuota);
      n->primo = primo;
      n->livello = livello;
      return n;
    }
    if (!primo->testo.empty() && IsLettera(static_cast<unsigned char>(primo->testo[0]))) return LeggiNome(primo, livello);
    ok_ = false;
    return nullptr;
  }

  // Corpo: statements up to FINE; then the ";" that the construct reads after it.
  void LeggiCorpo(istr::Corpo& c, int livello) {
    while (ok_) {
      const Lettura* t = Token();
      if (!ok_) return;
      if (t->parole & kParolaFine) {
        c.fine = t;
        c.puntoVirgola = Token(';');
        return;
      }
      c.istruzioni.push_back(LeggiIstruzione(t, livello + 1));
    }
  }

  std::unique_ptr<istr::Istruzione> LeggiEsegui(const Lettura* primo, int livello) {
    if (k_ < l_.size() && !l_[k_].espressione && l_[k_].Inizia(';')) {
      auto b = Nuova<Blocco>(primo, livello);
      b->puntoVirgola = Token();
      LeggiCorpo(b->corpo, livello);
      return b;
    }
    auto w = Nuova<Finquando>(primo, livello);
    w->parola = Token(kParolaFinquando);
    w->aperta = Token('(');
    w->condizione = Espressione();
    w->chiusa = Token(')');
    w->puntoVirgola = Token(';');
    LeggiCorpo(w->corpo, livello);
    return w;
  }

  std::unique_ptr<istr::Istruzione> LeggiPer(const Lettura* primo, int livello) {
    auto p = Nuova<istr::Per>(primo, livello);
    p->aperta = Token('(');
    p->variabile = Token();
    p->da = Token();
    p->inizio = Espressione();
    Silenzia(p->inizio, p->da);
    p->a = Token(kParolaA);
    p->limite = Espressione();
    p->chiusa = Token(')');
    p->esegui = Token();
    LeggiCorpo(p->corpo, livello);
    return p;
  }

  std::unique_ptr<istr::Istruzione> LeggiRipeti(const Lettura* primo, int livello) {
    auto r = Nuova<istr::Ripeti>(primo, livello);
    r->conta = Espressione();
    r->volte = Token(kParolaVolte);
    r->puntoVirgola = Token();
    LeggiCorpo(r->corpo, livello);
    return r;
  }

  std::unique_ptr<istr::Istruzione> LeggiSe(const Lettura* primo, int livello) {
    auto s = Nuova<istr::Se>(primo, livello);
    s->condizione = Espressione();
    Silenzia(s->condizione, primo);
    s->allora = Token(kParolaAllora);
    s->vero = LeggiIstruzione(Token(), livello + 1);
    if (!ok_) return nullptr;
    s->ultimo = &l_[k_ - 1];
    if (s->ultimo->espressione) ok_ = false;
    if (Prossimo(kParolaAltrimenti)) {
      s->altrimenti = Token();
      s->falso = LeggiIstruzione(Token(), livello + 1);
    }
    return s;
  }

  std::unique_ptr<istr::Istruzione> LeggiNome(const Lettura* primo, int livello) {
    auto n = Nuova<istr::Nome>(primo, livello);
    n->dopoNome = Token();
    const Lettura* corrente = n->dopoNome;
    if (corrente->Inizia('.')) {
      n->parolaMembro = Token();
      n->dopoMembro = Token();
      corrente = n->dopoMembro;
    }
    if (ok_ && corrente->Inizia('(')) {
      for (;;) {
        const Lettura* e = Espressione();
        const Lettura* dopo = Token();
        if (!ok_) return nullptr;
        n->argomenti.push_back({e, dopo});
        if (dopo->Inizia(')') || dopo->dopo.bFine) break;
      }
      n->dopoArgomenti = Token();
      corrente = n->dopoArgomenti;
    }
    if (!ok_) return nullptr;
    if (corrente->Inizia('=')) {
      n->uguale = corrente;
      n->valore = Espressione();
      Silenzia(n->valore, n->uguale);
      if (ok_ && n->valore->espressione) {
        // A command that is the whole value: its anonymous object is the assigned one.
        espr::NodoRelazione& e = *n->valore->espressione;
        if (!e.destro && e.sinistro->specie == espr::Specie::Nome) static_cast<espr::NodoNome&>(*e.sinistro).valoreAssegnato = true;
      }
      n->chiusura = Token(';');
    } else if (corrente->Inizia(';')) {
      n->chiusura = corrente;
    } else {
      ok_ = false;
    }
    // The arguments' values are a command's or a store's: they bear the name the text gives
    // them. An element store's indices are taken as numbers, whose names nothing reads.
    if (ok_ && !MemorizzaElemento(*n))
      for (const istr::Nome::Argomento& a : n->argomenti)
        if (a.espressione->espressione) PreparaNomi(*a.espressione->espressione);
    return n;
  }

  const std::vector<Lettura>& l_;
  std::size_t k_ = 0;
  bool ok_ = true;
};

int LivelloMassimo(const istr::Istruzione& s);

int LivelloMassimo(const istr::Corpo& c, int massimo) {
  for (const auto& s : c.istruzioni) massimo = std::max(massimo, LivelloMassimo(*s));
  return massimo;
}

int LivelloMassimo(const istr::Istruzione& s) {
  switch (s.specie) {
    case Specie::Blocco: return LivelloMassimo(static_cast<const Blocco&>(s).corpo, s.livello);
    case Specie::Finquando: return LivelloMassimo(static_cast<const Finquando&>(s).corpo, s.livello);
    case Specie::Per: return LivelloMassimo(static_cast<const istr::Per&>(s).corpo, s.livello);
    case Specie::Ripeti: return LivelloMassimo(static_cast<const istr::Ripeti&>(s).corpo, s.livello);
    case Specie::Se: {
      const auto& se = static_cast<const istr::Se&>(s);
      int m = std::max(s.livello, LivelloMassimo(*se.vero));
      return se.falso ? std::max(m, LivelloMassimo(*se.falso)) : m;
    }
    default: return s.livello;
  }
}

// ---------------------------------------------------------------------------------------
// Running the tree. Each construct's routine (ExecDoWhile, ExecFor, ExecRepeat, ExecIf) shows
// its line right after ExecStatement showed the same one, with nothing in between: showing a
// line again changes nothing, so only ExecStatement's showing is done here.

bool Fermato() { return DatiGlob.bStop; }
inline void Posiziona(const FineLettura& p) { VaiA(p); }

// How many statements were open when the recorded statement started.
int gBase = 0;

// The name that the statements run so far left in NomeIstruzione, which is written there only
// when code other than the tree's own may read it: the text's code after a stop, a procedure,
// an error, the end of the tree. The tree's statements use their own names.
const std::string* gNomePendente = nullptr;
inline void NomeIstruzione(const std::string& nome) { gNomePendente = &nome; }
inline void FissaNome() {
  if (const std::string* nome = gNomePendente) {
    gNomePendente = nullptr;
    std::string& n = DatiGlob.NomeIstruzione;
    if (!StessoTesto(n, *nome)) n = *nome;
  }
}

// The window's and the stop's roads of a hook, out of line so that the routines that make a
// hook keep their common road short.
[[gnu::noinline]] void GancioDellaFinestra(int riga) {
  DatiGlob.IndiceRiga = riga;  // a report at the hook names this line
  detail::ChiamaElaboraMessaggi();
}
[[gnu::noinline]] void LeggiDopoLoStop(const FineLettura& prima) {
  TDatiGlob& g = DatiGlob;
  const bool fine = g.bFine;
  VaiA(prima);
  if (fine) g.bFine = true;
  detail::LeggiToken();
}

// NextToken's message hook before a read that starts at `prima`; false when the run was
// stopped there: the token has then been read from the text, as NextToken reads it after its
// hook, and the statements' code goes on from there (see Seguito).
inline bool Pompa(const FineLettura& prima) {
  if (--detail::gMessaggiIgnorati < 0) [[unlikely]] GancioDellaFinestra(prima.IndiceRiga);
  if (!DatiGlob.bStop) [[likely]] return true;
  LeggiDopoLoStop(prima);
  return false;
}
inline bool Pompa(const Lettura& l) { return Pompa(l.prima); }

// While the statements' own code goes on from a read of a statement at `livello`: the count
// of open statements is the one the text has there.
struct Seguito {
  explicit Seguito(int livello) {
    FissaNome();
    seguito::ImpostaAnnidamento(gBase + livello);
  }
  ~Seguito() { seguito::ImpostaAnnidamento(gBase); }
  Seguito(const Seguito&) = delete;
  Seguito& operator=(const Seguito&) = delete;
};

// A report at the place `dove` of the text.
void Errore(const FineLettura& dove, const std::string& messaggio, bool SuRiga) {
  FissaNome();
  Posiziona(dove);
  ReportError(messaggio, SuRiga);
}

// An expression prepared by PreparaNomi (a command's argument).
inline Valutato Espressione(const Lettura& l, bool Esegui) {
  if (Esegui) return ValutaNominata(*l.espressione);
  AnalizzaCompilata(*l.espressione);
  return {};
}

// An expression whose value goes where the name of a number or a logical value does not
// matter: T_REALE or T_BOOLEANO with the value in `x`, else T_1 with it in `altro` (nothing
// when not executing).
inline Reale Scalare(const Lettura& l, bool Esegui, TipiValore& t, Valutato& altro) {
  if (Esegui) {
    // ScalareSommaLetterale, for the commonest bounds and values.
    const espr::NodoRelazione& e = *l.espressione;
    if (e.letterale) {
      if (e.mostra) MostraRiga(e.riga);
      t = T_REALE;
      return *e.letterale;
    }
    return ScalareCompilato(*l.espressione, t, altro);
  }
  AnalizzaCompilata(*l.espressione);
  t = T_1;
  return 0;
}

// Scalare into `dove`, where a number that lies in memory is copied as its bytes (see
// RealeTenuto): for a value held across calls.
inline void ScalareInMemoria(const Lettura& l, bool Esegui, TipiValore& t, Valutato& altro, Reale& dove) {
  if (!Esegui) {
    AnalizzaCompilata(*l.espressione);
    t = T_1;
    AzzeraReale(dove);
    return;
  }
  const espr::NodoRelazione& e = *l.espressione;
  if (e.letterale) {
    if (e.mostra) MostraRiga(e.riga);
    t = T_REALE;
    CopiaReale(dove, *e.letterale);
    return;
  }
  ScalareCompilatoInMemoria(*l.espressione, t, altro, dove);
}

// Scalare of a condition, as a flag: a logical value travels as 0 or 1, and a condition of any
// other kind is refused (or handed on as `altro`) before its number is looked at. Held as a
// flag, the value need not be kept in memory as an extended real across the hooks after it.
inline bool Condizione(const Lettura& l, bool Esegui, TipiValore& t, Valutato& altro) {
  return Scalare(l, Esegui, t, altro) != 0;
}

// A statement read but not run (a branch not taken, a loop's body after its last pass) whose
// reading does nothing but its message hooks: while the window ignores that many, the hooks are
// counted off and the statement name it would leave is left.
[[gnu::noinline]] void Salta(istr::Istruzione& s) {
  int& ignorati = detail::gMessaggiIgnorati;
  if (s.ganciSaltata >= 0 && ignorati >= s.ganciSaltata && !DatiGlob.bStop) [[likely]] {
    ignorati -= s.ganciSaltata;
    if (s.nomeSaltata) NomeIstruzione(*s.nomeSaltata);
    return;
  }
  const int prima = ignorati;
  const std::uint64_t chiamate = detail::gMessaggiElaborati;
  s.esegui(s, false);
  // Learnt from a run that neither called the window nor stopped: always the same hooks.
  if (s.ganciSaltata < 0 && detail::gMessaggiElaborati == chiamate && !DatiGlob.bStop) s.ganciSaltata = prima - ignorati;
}

// ExecStatement of a statement inside the recording (its first token was just read).
[[gnu::always_inline]] inline void EseguiIstruzione(istr::Istruzione& s, bool Esegui) {
  if (Esegui) MostraRiga(s.primo->dopo.IndiceRiga);
  else if (s.ganciSaltata != istr::Istruzione::kNonSoloGanci) return Salta(s);
  s.esegui(s, Esegui);
}

// Statements up to FINE (Corpo), for the statement at `livello` that owns the body.
void EseguiCorpo(istr::Corpo& c, bool Esegui, int livello) {
  for (auto& s : c.istruzioni) {
    if (!Pompa(*s->primo)) {
      Seguito seguito(livello);
      seguito::CorpoDopoLettura(Esegui);
      return;
    }
    EseguiIstruzione(*s, Esegui);
    if (Fermato()) return;
  }
  if (!Pompa(*c.fine)) {
    Seguito seguito(livello);
    seguito::CorpoDopoLettura(Esegui);
  }
}

// PuntoVirgolaDopoFine.
void PuntoVirgolaDopoFine(const istr::Corpo& c, int livello) {
  if (Fermato()) return;
  if (!Pompa(*c.puntoVirgola)) {
    Seguito seguito(livello);
    seguito::DopoPuntoVirgolaFine();
  }
}

void EseguiBlocco(Blocco& b, bool Esegui) {
  if (!Pompa(*b.puntoVirgola)) {
    Seguito seguito(b.livello);
    seguito::DoWhileDopoEsegui(Esegui);
    return;
  }
  EseguiCorpo(b.corpo, Esegui, b.livello);
  if (Fermato()) return;
  if (!Pompa(*b.corpo.puntoVirgola)) {
    Seguito seguito(b.livello);
    seguito::BloccoDopoFine();
  }
}

void EseguiFinquando(Finquando& w, bool Esegui) {
  if (!Pompa(*w.parola)) {
    Seguito seguito(w.livello);
    seguito::DoWhileDopoEsegui(Esegui);
    return;
  }
  if (!Pompa(*w.aperta)) {
    Seguito seguito(w.livello);
    seguito::FinquandoDopoParola(Esegui);
    return;
  }
  bool continua = false;
  // Room for a condition that is no logical value: a pass that finds one moves it on (or
  // reports), so one room serves every pass.
  Valutato altro;
  do {
    TipiValore t;
    const bool vera = Condizione(*w.condizione, Esegui, t, altro);
    if (Fermato()) return;
    if (Esegui && t != T_BOOLEANO) {
      Errore(w.condizione->dopo, ParoleChiave.msgEspressioneLogica, true);
      return;
    }
    if (!Pompa(*w.chiusa)) {
      Seguito seguito(w.livello);
      seguito::FinquandoDopoChiusa(Esegui, DaScalare(t, vera, altro), continua);
      return;
    }
    if (!Pompa(*w.puntoVirgola)) {
      Seguito seguito(w.livello);
      seguito::FinquandoDopoPuntoVirgola(Esegui, DaScalare(t, vera, altro), continua);
      return;
    }
    continua = Esegui && vera;
    EseguiCorpo(w.corpo, continua, w.livello);
    PuntoVirgolaDopoFine(w.corpo, w.livello);
  } while (!Fermato() && Esegui && continua);
}

// What the text does after a PER header's piece gave true: the body and the ";" after FINE.
void DopoIntestazione(bool riuscita, bool continua) {
  if (!riuscita) return;
  seguito::Corpo(continua);
  seguito::PuntoVirgolaDopoFine();
}

// The store of an assignment: a number into a number variable or element in place, anything
// else as StoreVariable does it, at the place `dopo` of the text.
[[gnu::always_inline]] inline void Memorizza(const std::string& nome, Valutato& valore, ArgomentiIstruzione& argomenti,
                                             VariabileRicordata* variabile, const FineLettura& dopo) {
  if (MemorizzaVeloce(nome, valore, argomenti, variabile)) return;
  FissaNome();
  Posiziona(dopo);
  MemorizzaValore(nome, valore, argomenti, variabile);
}

// The tokens of a PER header, each read after a message hook.
constexpr int kTokenIntestazione = 6;

// Whether a pass of the header may count its token hooks off at once: the window ignores
// every hook the header makes, and a line shown only becomes the current one (showing one
// calls nothing), so that nothing in the header can call the window or stop the run at a
// hook, and the hooks are as many whatever their order.
inline bool IntestazioneInsieme(const istr::Per& p) {
  const TDatiGlob& g = DatiGlob;
  return p.ganciIntestazione >= 0 && detail::gMessaggiIgnorati >= p.ganciIntestazione && !g.bStop &&
         (!g.bEvidenziaRiga || g.bImmediato) && !g.bPassoPasso;
}

// The store of a PER start that NumeroRicordato could not take: the start `x` (the pass number
// not yet added) as ExecAssignment stores it. `numero`: the counter's number when the store was
// one in place. False when the run stopped there. Out of line, and the start comes by value:
// the caller keeps no number across the calls made here.
[[gnu::noinline]] bool MemorizzaInizio(istr::Per& p, bool Esegui, TipiValore t, Reale x, int passo, Valutato& altro,
                                       int oggetti, const cValoreReale*& numero) {
  const std::string& contatore = p.variabile->testo;
  if (t == T_REALE) x += passo;
  if (t == T_1) TogliAnonimoAssegnato(altro, oggetti);
  if (!Esegui) return true;
  if (t == T_REALE && MemorizzaNumero(contatore, x, &p.contatore)) {
    numero = NumeroVariabile(p.contatore, contatore);
    return true;
  }
  Valutato inizio = DaScalare(t, x, altro);
  ArgomentiIstruzione nessuno;
  Memorizza(contatore, inizio, nessuno, &p.contatore, p.inizio->dopo);
  return !Fermato();
}

// The header after its bound `limite`, for a counter that may have changed since `valore` was
// read from it: the hooks of ")" and ESEGUI, then PerDopoEsegui. False when the run stopped
// there.
[[gnu::noinline]] bool FineIntestazione(istr::Per& p, bool Esegui, bool insieme, const RealeTenuto& tenuto,
                                        Reale limite, TipiValore tl, Valutato& altroLimite, bool& continua) {
  Reale valore = tenuto.Valore();
  if (!insieme && !Pompa(*p.chiusa)) {
    Seguito seguito(p.livello);
    DopoIntestazione(
        seguito::PerDopoChiusa(Esegui, p.contatore, valore, DaScalare(tl, limite, altroLimite), continua),
        continua);
    return false;
  }
  if (!insieme && !Pompa(*p.esegui)) {
    Seguito seguito(p.livello);
    DopoIntestazione(
        seguito::PerDopoEsegui(Esegui, p.contatore, valore, DaScalare(tl, limite, altroLimite), continua),
        continua);
    return false;
  }
  if (!Esegui) {
    continua = false;
    return true;
  }
  // PerDopoEsegui: the counter as it is now (as it was, if the bound took it away).
  if (const cValoreReale* n = NumeroVariabile(p.contatore, p.variabile->testo)) valore = n->Value;
  continua = limite >= valore;
  return true;
}

void EseguiPer(istr::Per& p, bool Esegui) {
  TDatiGlob& g = DatiGlob;
  const std::string& contatore = p.variabile->testo;
  int passo = 0;
  bool continua = false;
  // Room for a start or a bound that is no number; whatever a pass puts there it moves on
  // (or reports), so one room serves every pass.
  Valutato altro, altroLimite;
  do {
    // The header's token hooks, counted off here when they may be (see IntestazioneInsieme).
    const bool insieme = Esegui && IntestazioneInsieme(p);
    if (insieme) detail::gMessaggiIgnorati -= kTokenIntestazione;
    if (!insieme && !Pompa(*p.aperta)) {
      Seguito seguito(p.livello);
      DopoIntestazione(seguito::PerDopoParentesi(Esegui, passo, p.contatore, continua), continua);
      return;
    }
    if (!insieme && !Pompa(*p.variabile)) {
      Seguito seguito(p.livello);
      DopoIntestazione(seguito::PerDopoVariabile(Esegui, passo, p.contatore, continua), continua);
      return;
    }
    NomeIstruzione(contatore);
    if (!insieme && !Pompa(*p.da)) {
      Seguito seguito(p.livello);
      DopoIntestazione(seguito::PerDopoDa(Esegui, passo, p.contatore, continua), continua);
      return;
    }
    // ExecAssignment of the counter: the start, plus the pass number. The start, when it is a
    // number stored in place, goes from the processor's registers straight into the counter.
    if (Esegui) MostraRiga(p.da->dopo.IndiceRiga);
    const int oggetti = g.ContatoreOggetti;
    TipiValore t;
    const Reale x = Scalare(*p.inizio, Esegui, t, altro);
    if (Fermato()) return;
    if (Esegui && t == T_1 && altro.Niente()) {
      Errore(p.inizio->dopo, ParoleChiave.msgIdentificatore, true);
      return;
    }
    const cValoreReale* numero = nullptr;
    if (cValoreReale* cella = Esegui && t == T_REALE ? NumeroRicordato(p.contatore) : nullptr) {
      cella->Value = x + passo;
      NomeNumero(*cella, contatore);
      numero = cella;
    } else if (!MemorizzaInizio(p, Esegui, t, x, passo, altro, oggetti, numero)) {
      return;
    }
    // A number stored in place, with no wait after it that lets the window run: the counter
    // holds it, and is not looked up again.
    bool tenuto = false;
    RealeTenuto valore;
    if (Esegui) {
      tenuto = numero && g.bEsecuzioneVeloce && !g.bPassoPasso;
      WaitStep();
      if (Fermato()) return;
      if (!tenuto) {
        numero = NumeroVariabile(p.contatore, contatore);
        if (!numero) {
          Errore(p.inizio->dopo, "For errore 2", false);
          return;
        }
      }
      // Nothing can change a counter held through a header whose hooks are counted off.
      if (!(insieme && tenuto)) valore.Da(numero->Value);
    }
    if (!insieme && !Pompa(*p.a)) {
      Seguito seguito(p.livello);
      DopoIntestazione(seguito::PerDopoA(Esegui, p.contatore, valore.Valore(), continua), continua);
      return;
    }
    TipiValore tl;
    const Reale limite = Scalare(*p.limite, Esegui, tl, altroLimite);
    if (Fermato()) return;
    if (Esegui && tl != T_REALE) {
      Errore(p.limite->dopo, "For errore 4", false);
      return;
    }
    if (insieme && tenuto) {
      // PerDopoEsegui of a counter held since its store: no window was called, and the bound
      // called no command.
      continua = limite >= numero->Value;
    } else if (!FineIntestazione(p, Esegui, insieme, valore, limite, tl, altroLimite, continua)) {
      return;
    }
    if (Esegui && !continua) {
      // After a loop that ends, the variable holds the last value for which the body ran.
      cVariabile* v = g.ListaVariabili->Cerca(contatore);
      if (auto* n = dynamic_cast<cValoreReale*>(v ? v->GetValore() : nullptr)) n->Value -= 1;
    }
    EseguiCorpo(p.corpo, continua, p.livello);
    ++passo;
    PuntoVirgolaDopoFine(p.corpo, p.livello);
  } while (!Fermato() && Esegui && continua);
}

void EseguiRipeti(istr::Ripeti& r, bool Esegui) {
  int passo = 0;
  bool continua = false;
  // Room for a count that is no number, as in EseguiFinquando.
  Valutato altro;
  do {
    TipiValore t;
    const Reale conta = Scalare(*r.conta, Esegui, t, altro);
    if (Fermato()) return;
    if (Esegui && t != T_REALE) {
      Errore(r.conta->dopo, "Errore Ripeti 2", false);
      return;
    }
    if (!Pompa(*r.volte)) {
      Seguito seguito(r.livello);
      seguito::RipetiDopoVolte(Esegui, DaScalare(t, conta, altro), passo, continua);
      return;
    }
    if (!Pompa(*r.puntoVirgola)) {
      Seguito seguito(r.livello);
      seguito::RipetiDopoPuntoVirgola(Esegui, DaScalare(t, conta, altro), passo, continua);
      return;
    }
    continua = Esegui && static_cast<Reale>(passo) < conta;
    EseguiCorpo(r.corpo, continua, r.livello);
    PuntoVirgolaDopoFine(r.corpo, r.livello);
    ++passo;
  } while (!Fermato() && Esegui && continua);
}

void EseguiSe(istr::Se& s, bool Esegui) {
  Valutato altro;
  TipiValore t;
  const bool condizione = Condizione(*s.condizione, Esegui, t, altro);
  if (Fermato()) return;
  if (Esegui && t != T_BOOLEANO) {
    Errore(s.condizione->dopo, ParoleChiave.msgEspressioneLogica, true);
    return;
  }
  if (!Pompa(*s.allora)) {
    Seguito seguito(s.livello);
    seguito::SeDopoAllora(Esegui, DaScalare(t, condizione, altro));
    return;
  }
  const bool vera = Esegui && condizione;
  if (!Pompa(*s.vero->primo)) {
    Seguito seguito(s.livello);
    seguito::SeDopoPrimo(Esegui, vera);
    return;
  }
  EseguiIstruzione(*s.vero, vera);
  if (Fermato()) return;
  // The look-ahead for ALTRIMENTI reads after the branch's last token.
  const FineLettura& sguardo = s.altrimenti ? s.altrimenti->prima : s.ultimo->dopo;
  if (!Pompa(sguardo)) {
    Lettore::Segno prima;
    prima.posizione = {s.ultimo->dopo.Colonna, s.ultimo->dopo.ChCorrente, s.ultimo->dopo.bFine,
                       s.ultimo->dopo.IndiceRiga};
    prima.token = s.ultimo->testo;
    Seguito seguito(s.livello);
    seguito::SeDopoSguardo(Esegui, vera, prima);
    return;
  }
  if (!s.altrimenti) return;  // the token is read again by the next statement
  if (!Pompa(*s.falso->primo)) {
    Seguito seguito(s.livello);
    seguito::SeDopoAltrimenti(Esegui, vera);
    return;
  }
  EseguiIstruzione(*s.falso, Esegui && !vera);
}

// The indices of an element store, read as numbers where they are numbers: nothing the
// store does with its indices looks at the names they bear.
// kQuanti of them (one or two: kIndiciMassimi).
template <std::size_t kQuanti>
struct IndiciElemento {
  Reale numeri[kQuanti];
  TipiValore tipi[kQuanti];
  Valutato altri[kQuanti];

  // The element a number is stored into in place, or nullptr.
  Reale* Cella(const std::string& nome, VariabileRicordata* variabile) {
    for (std::size_t i = 0; i < kQuanti; ++i)
      if (tipi[i] != T_REALE) return nullptr;
    return CellaElementoNumero(nome, numeri, static_cast<int>(kQuanti), variabile);
  }
  // Cella for a place whose variable is known without a lookup (nullptr otherwise). Calls
  // nothing.
  Reale* CellaRicordata(const VariabileRicordata& variabile) {
    for (std::size_t i = 0; i < kQuanti; ++i)
      if (tipi[i] != T_REALE) return nullptr;
    const cVariabile* var = variabile.SenzaCercare();
    return var ? CellaNumero(*var, numeri, static_cast<int>(kQuanti)) : nullptr;
  }
  // The indices as the general store takes them.
  void Riempi(ArgomentiIstruzione& argomenti) {
    for (std::size_t i = 0; i < kQuanti; ++i) argomenti.push_back(DaScalare(tipi[i], numeri[i], altri[i]));
  }
};

// The store of an assignment's value that the way without a lookup could not take (see
// Assegnamento): false when the run stopped there. Out of line, and the number comes by value:
// the caller keeps no number across the calls made here. `numero`: the number or logical value
// (nullptr for a value of another kind, which is in `altro`).
template <class Indici>
[[gnu::noinline]] bool AssegnaLento(istr::Nome& n, bool Esegui, ArgomentiIstruzione* argomenti, Indici* indici,
                                    TipiValore t, const Reale* numero, Valutato& altro, int oggetti) {
  const std::string& nome = n.primo->testo;
  // Read where it is used: a number held across the calls below would be stored once more.
  static constexpr Reale kNessuno = 0;
  const Reale& x = numero ? *numero : kNessuno;
  if (t == T_1) TogliAnonimoAssegnato(altro, oggetti);
  if (!Esegui) return true;
  if (t == T_REALE) {
    Reale* cella = nullptr;
    if (indici) cella = indici->Cella(nome, &n.variabile);
    else if (!argomenti) {
      if (MemorizzaNumero(nome, x, &n.variabile)) return true;
    } else {
      cella = CellaElementoNumero(nome, *argomenti, &n.variabile);
    }
    if (cella) {
      CopiaReale(*cella, x);
      return true;
    }
  }
  ArgomentiIstruzione propri;
  ArgomentiIstruzione& a = argomenti ? *argomenti : propri;
  if (indici) indici->Riempi(a);
  Valutato valore = DaScalare(t, x, altro);
  Memorizza(nome, valore, a, &n.variabile, n.valore->dopo);
  return !Fermato();
}

// dove := x, the value of `e`: a literal's is copied as its bytes (`V(I) = 0`, `N = 1`), as the
// x87 unit's store is a long microcoded sequence.
[[gnu::always_inline]] inline void Scrivi(Reale& dove, Reale x, const espr::NodoRelazione& e) {
  if (e.letterale) CopiaReale(dove, *e.letterale);
  else dove = x;
}

// ExecAssignment of an assignment statement: `argomenti` holds its member cell or its
// indices (nullptr: none), or `indici` its indices. A number stored into a number variable or
// element that is known without a lookup goes from the processor's registers straight there.
template <class Indici = IndiciElemento<1>>
[[gnu::always_inline]] inline void Assegnamento(istr::Nome& n, bool Esegui, ArgomentiIstruzione* argomenti,
                                               Indici* indici = nullptr) {
  TDatiGlob& g = DatiGlob;
  if (Esegui) MostraRiga(n.uguale->dopo.IndiceRiga);
  const int oggetti = g.ContatoreOggetti;
  Valutato altro;
  TipiValore t;
  const Reale x = Scalare(*n.valore, Esegui, t, altro);
  if (Fermato()) return;
  if (Esegui && t == T_1 && altro.Niente()) {
    Errore(n.valore->dopo, ParoleChiave.msgIdentificatore, true);
    return;
  }
  bool fatto = false;
  if (Esegui && t == T_REALE && !argomenti) {
    if (indici) {
      if (Reale* cella = indici->CellaRicordata(n.variabile)) {
        Scrivi(*cella, x, *n.valore->espressione);
        fatto = true;
      }
    } else if (cValoreReale* numero = NumeroRicordato(n.variabile)) {
      Scrivi(numero->Value, x, *n.valore->espressione);
      NomeNumero(*numero, n.primo->testo);
      fatto = true;
    }
  }
  if (!fatto) {
    // A value of another kind leaves the number unread: it need not be stored for the call.
    bool riuscito;
    if (t == T_1) {
      riuscito = AssegnaLento(n, Esegui, argomenti, indici, t, nullptr, altro, oggetti);
    } else {
      const Reale numero = x;
      riuscito = AssegnaLento(n, Esegui, argomenti, indici, t, &numero, altro, oggetti);
    }
    if (!riuscito) return;
  }
  if (!Pompa(*n.chiusura)) {
    Seguito seguito(n.livello);
    seguito::AssegnamentoDopoPuntoVirgola();
    return;
  }
  if (Esegui) WaitStep();
}

// Assegnamento with Esegui false: the value is only read.
void AssegnamentoSaltato(istr::Nome& n) {
  const int oggetti = DatiGlob.ContatoreOggetti;
  AnalizzaCompilata(*n.valore->espressione);
  if (Fermato()) return;
  TogliAnonimoAssegnato(Valutato{}, oggetti);
  if (!Pompa(*n.chiusura)) {
    Seguito seguito(n.livello);
    seguito::AssegnamentoDopoPuntoVirgola();
  }
}

// The first token of a statement that starts with a name: false when a stop at its hook
// hands the rest of the statement to the text's own code. On every pass of a loop: inlined.
[[gnu::always_inline]] inline bool PrimoNomeLetto(istr::Nome& n, bool Esegui) {
  NomeIstruzione(n.primo->testo);
  if (Pompa(*n.dopoNome)) return true;
  Seguito seguito(n.livello);
  seguito::NomeDopoPrimo(Esegui);
  return false;
}

// Runs an assignment's work: anything it raises ends the run with the text's one message.
template <class F>
[[gnu::always_inline]] inline void AssegnaSegnalando(F&& assegna) {
  try {
    assegna();
  } catch (const std::exception&) {
    FissaNome();
    ReportError("Errore non documentato", false);
  }
}

// An assignment to a name or an element in a branch not taken (EseguiAssegnamento and
// EseguiElemento with Esegui false): only its reads, without the room for values that nothing
// computes.
void SaltaAssegnamento(istr::Nome& n) {
  if (!PrimoNomeLetto(n, false)) return;
  if (!n.argomenti.empty()) {
    // After a stop at any of these reads the text only reads that token.
    for (istr::Nome::Argomento& a : n.argomenti) {
      AnalizzaCompilata(*a.espressione->espressione);
      if (Fermato() || !Pompa(*a.dopo)) return;
    }
    if (!Pompa(*n.dopoArgomenti)) return;
  }
  AssegnaSegnalando([&] { AssegnamentoSaltato(n); });
}

// The commonest statement: an assignment to a name.
void EseguiAssegnamento(istr::Istruzione& s, bool Esegui) {
  auto& n = static_cast<istr::Nome&>(s);
  if (!Esegui) return SaltaAssegnamento(n);
  if (!PrimoNomeLetto(n, Esegui)) return;
  AssegnaSegnalando([&] { Assegnamento(n, Esegui, nullptr); });
}

// An element store: a name with kQuanti indices (one or two), then "=".
template <std::size_t kQuanti>
void EseguiElemento(istr::Istruzione& s, bool Esegui) {
  auto& n = static_cast<istr::Nome&>(s);
  if (!Esegui) return SaltaAssegnamento(n);
  if (!PrimoNomeLetto(n, Esegui)) return;
  IndiciElemento<kQuanti> indici;
  // After a stop at any of these reads the text only reads that token.
  for (std::size_t i = 0; i < kQuanti; ++i) {
    istr::Nome::Argomento& a = n.argomenti[i];
    ScalareInMemoria(*a.espressione, Esegui, indici.tipi[i], indici.altri[i], indici.numeri[i]);
    if (Fermato() || !Pompa(*a.dopo)) return;
  }
  if (!Pompa(*n.dopoArgomenti)) return;
  AssegnaSegnalando([&] { Assegnamento(n, Esegui, nullptr, &indici); });
}

void EseguiNome(istr::Istruzione& s, bool Esegui) {
  auto& n = static_cast<istr::Nome&>(s);
  if (!PrimoNomeLetto(n, Esegui)) return;
  ArgomentiIstruzione argomenti;
  if (n.parolaMembro) {
    if (!Pompa(*n.parolaMembro)) {
      Seguito seguito(n.livello);
      seguito::NomeDopoParolaMembro(Esegui, argomenti);
      return;
    }
    argomenti.push_back(CellaMembro(n.parolaMembro->testo));
    if (!Pompa(*n.dopoMembro)) {
      Seguito seguito(n.livello);
      seguito::NomeDopoMembro(Esegui, argomenti);
      return;
    }
  }
  if (!n.argomenti.empty()) {
    // After a stop at any of these reads the text only reads that token.
    for (istr::Nome::Argomento& a : n.argomenti) {
      argomenti.push_back(Espressione(*a.espressione, Esegui));
      if (Fermato() || !Pompa(*a.dopo)) return;
    }
    if (!Pompa(*n.dopoArgomenti)) return;
  }
  if (n.uguale) {
    AssegnaSegnalando([&] { Assegnamento(n, Esegui, &argomenti); });
    return;
  }
  // The procedure cannot run this statement again while it runs: its list is free.
  ListaArgomenti& lista = n.lista;
  lista.Clear();
  for (Valutato& a : argomenti) lista.Aggiungi(a.Scatola());
  Posiziona(n.chiusura->dopo);
  FissaNome();
  CallProcedure(Esegui, lista, &n.procedura);
  lista.Clear();
}

void EseguiVuota(istr::Istruzione&, bool) {}

inline void EseguiCostrutto(istr::Istruzione& s, bool Esegui) { s.esegui(s, Esegui); }

template <class T, void (*F)(T&, bool)>
void Esecutore(istr::Istruzione& s, bool Esegui) {
  F(static_cast<T&>(s), Esegui);
}

// ---- What a statement read but not run does (see Salta) ----

bool SoloGanci(const Lettura* l) { return !l || !l->espressione || qx::SoloGanci(*l->espressione); }
bool SoloGanci(const istr::Istruzione& s);
bool SoloGanci(const istr::Corpo& c) {
  for (const auto& s : c.istruzioni)
    if (!SoloGanci(*s)) return false;
  return true;
}
bool SoloGanci(const istr::Istruzione& s) {
  switch (s.specie) {
    case Specie::Vuota: return true;
    case Specie::Blocco: return SoloGanci(static_cast<const Blocco&>(s).corpo);
    case Specie::Finquando: {
      const auto& w = static_cast<const Finquando&>(s);
      return SoloGanci(w.condizione) && SoloGanci(w.corpo);
    }
    case Specie::Per: {
      const auto& p = static_cast<const istr::Per&>(s);
      return SoloGanci(p.inizio) && SoloGanci(p.limite) && SoloGanci(p.corpo);
    }
    case Specie::Ripeti: {
      const auto& r = static_cast<const istr::Ripeti&>(s);
      return SoloGanci(r.conta) && SoloGanci(r.corpo);
    }
    case Specie::Se: {
      const auto& se = static_cast<const istr::Se&>(s);
      return SoloGanci(se.condizione) && SoloGanci(*se.vero) && (!se.falso || SoloGanci(*se.falso));
    }
    case Specie::Nome: {
      // Assignments to a name or an element only (SaltaAssegnamento); a procedure is called.
      const auto& n = static_cast<const istr::Nome&>(s);
      if (n.parolaMembro || !n.uguale || n.argomenti.size() > kIndiciMassimi) return false;
      for (const istr::Nome::Argomento& a : n.argomenti)
        if (!SoloGanci(a.espressione)) return false;
      return SoloGanci(n.valore);
    }
  }
  return false;
}

// The statement name that reading it with Esegui false leaves (nullptr: it leaves none).
const std::string* NomeSaltata(const istr::Istruzione& s);
const std::string* NomeSaltata(const istr::Corpo& c) {
  const std::string* nome = nullptr;
  for (const auto& s : c.istruzioni)
    if (const std::string* n = NomeSaltata(*s)) nome = n;
  return nome;
}
const std::string* NomeSaltata(const istr::Istruzione& s) {
  switch (s.specie) {
    case Specie::Vuota: return nullptr;
    case Specie::Blocco: return NomeSaltata(static_cast<const Blocco&>(s).corpo);
    case Specie::Finquando: return NomeSaltata(static_cast<const Finquando&>(s).corpo);
    case Specie::Ripeti: return NomeSaltata(static_cast<const istr::Ripeti&>(s).corpo);
    case Specie::Per: {
      const auto& p = static_cast<const istr::Per&>(s);
      const std::string* corpo = NomeSaltata(p.corpo);
      return corpo ? corpo : &p.variabile->testo;
    }
    case Specie::Se: {
      const auto& se = static_cast<const istr::Se&>(s);
      const std::string* falso = se.falso ? NomeSaltata(*se.falso) : nullptr;
      return falso ? falso : NomeSaltata(*se.vero);
    }
    case Specie::Nome: return &static_cast<const istr::Nome&>(s).primo->testo;
  }
  return nullptr;
}

// Gives every statement of a tree its routine.
void Collega(istr::Istruzione& s);
void Collega(istr::Corpo& c) {
  for (auto& s : c.istruzioni) Collega(*s);
}
void Collega(istr::Istruzione& s) {
  if (SoloGanci(s)) {
    s.ganciSaltata = -1;
    s.nomeSaltata = NomeSaltata(s);
  }
  switch (s.specie) {
    case Specie::Vuota: s.esegui = EseguiVuota; return;
    case Specie::Blocco:
      s.esegui = Esecutore<Blocco, EseguiBlocco>;
      return Collega(static_cast<Blocco&>(s).corpo);
    case Specie::Finquando:
      s.esegui = Esecutore<Finquando, EseguiFinquando>;
      return Collega(static_cast<Finquando&>(s).corpo);
    case Specie::Per: {
      auto& p = static_cast<istr::Per&>(s);
      s.esegui = Esecutore<istr::Per, EseguiPer>;
      if (p.inizio->espressione && p.limite->espressione && SoloGanci(p.inizio) && SoloGanci(p.limite))
        p.ganciIntestazione =
            kTokenIntestazione + GanciMassimi(*p.inizio->espressione) + GanciMassimi(*p.limite->espressione);
      return Collega(p.corpo);
    }
    case Specie::Ripeti:
      s.esegui = Esecutore<istr::Ripeti, EseguiRipeti>;
      return Collega(static_cast<istr::Ripeti&>(s).corpo);
    case Specie::Se: {
      auto& se = static_cast<istr::Se&>(s);
      s.esegui = Esecutore<istr::Se, EseguiSe>;
      Collega(*se.vero);
      if (se.falso) Collega(*se.falso);
      return;
    }
    case Specie::Nome: {
      const auto& n = static_cast<const istr::Nome&>(s);
      s.esegui = n.uguale && !n.parolaMembro && n.argomenti.empty() ? EseguiAssegnamento
                 : !MemorizzaElemento(n)                              ? EseguiNome
                 : n.argomenti.size() == 1                            ? EseguiElemento<1>
                                                                      : EseguiElemento<kIndiciMassimi>;
      return;
    }
  }
}

}  // namespace

std::unique_ptr<Istruzione> Costruisci(const std::vector<Lettura>& letture, int& livelloMassimo) {
  if (letture.empty()) return nullptr;
  auto radice = Costruttore(letture).Radice();
  if (radice) {
    livelloMassimo = LivelloMassimo(*radice);
    Collega(*radice);
  }
  return radice;
}

bool Esegui(IstruzioneCompilata& istruzione, bool Esegui, int annidamento, int massimo) {
  if (annidamento + istruzione.livelloMassimo > massimo) return false;
  ++detail::gIstruzioniRiprodotte;
  const int base = gBase;
  gBase = annidamento;
  {
    // Whatever way the tree is left, NomeIstruzione holds what the text would leave there.
    struct Fissa {
      ~Fissa() { FissaNome(); }
    } fissa;
    EseguiCostrutto(*istruzione.radice, Esegui);
  }
  gBase = base;
  if (!Fermato()) {
    // The reading stands after the statement's last token, which is the current one.
    const Lettura& ultima = istruzione.letture.back();
    VaiA(ultima.dopo);
    ImpostaToken(ultima.testo);
  }
  return true;
}

}  // namespace istr

}  // namespace qx
