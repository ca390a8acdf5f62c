#include "interpreter/Lettore.h"

#include <exception>

#include "interpreter/Espressioni.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"

namespace qx {

namespace {

constexpr const char* kRipeti = "RIPETI";
constexpr const char* kVolte = "VOLTE";

Lettore gTesto;

PosizioneScanner ComePosizione(const FineLettura& f) { return {f.Colonna, f.ChCorrente, f.bFine, f.IndiceRiga}; }

// The recorded statements of this run, each known by the place just after its first token.
class Memoria {
 public:
  CacheLetture<int>::Voce* VoceCorrente() {
    if (esecuzione_ != detail::gEsecuzione) {
      istruzioni_.clear();
      esecuzione_ = detail::gEsecuzione;
    }
    return cache_.VoceCorrente();
  }
  std::shared_ptr<IstruzioneCompilata> Elemento(int i) const {
    return i < 0 ? nullptr : istruzioni_[static_cast<std::size_t>(i)];
  }
  // Keeps `istruzione` (nullptr: a statement that is always read from its text) for the
  // place of `voce`, a read that started at character `ch` of `riga`.
  void Registra(CacheLetture<int>::Voce& voce, char32_t ch, std::u32string_view riga,
                std::shared_ptr<IstruzioneCompilata> istruzione) {
    int indice = -1;
    if (istruzione) {
      indice = static_cast<int>(istruzioni_.size());
      istruzioni_.push_back(std::move(istruzione));
    }
    CacheLetture<int>::Registra(voce, ch, riga, indice);
    if (!voce.piena && indice >= 0) istruzioni_.pop_back();
  }

 private:
  unsigned esecuzione_ = 0;
  std::vector<std::shared_ptr<IstruzioneCompilata>> istruzioni_;
  CacheLetture<int> cache_;
};

Memoria gMemoria;

}  // namespace

Lettore* gLettore = &gTesto;

namespace detail {
std::uint64_t gIstruzioniRiprodotte = 0;
}  // namespace detail

std::uint16_t ParoleDi(const std::string& token) {
  const TParoleChiave& k = ParoleChiave;
  std::uint16_t p = 0;
  if (token == k.ESEGUI) p |= kParolaEsegui;
  if (token == k.PER) p |= kParolaPer;
  if (token == kRipeti) p |= kParolaRipeti;
  if (token == k.SE) p |= kParolaSe;
  if (token == k.FINE) p |= kParolaFine;
  if (token == k.FINQUANDO) p |= kParolaFinquando;
  if (token == k.ALLORA) p |= kParolaAllora;
  if (token == k.ALTRIMENTI) p |= kParolaAltrimenti;
  if (token == k.A) p |= kParolaA;
  if (token == kVolte) p |= kParolaVolte;
  return p;
}

bool Lettore::UgualeTesto(ParolaToken p) const {
  const TParoleChiave& k = ParoleChiave;
  const std::string& t = DatiGlob.TokenCorrente;
  switch (p) {
    case kParolaEsegui: return t == k.ESEGUI;
    case kParolaPer: return t == k.PER;
    case kParolaRipeti: return t == kRipeti;
    case kParolaSe: return t == k.SE;
    case kParolaFine: return t == k.FINE;
    case kParolaFinquando: return t == k.FINQUANDO;
    case kParolaAllora: return t == k.ALLORA;
    case kParolaAltrimenti: return t == k.ALTRIMENTI;
    case kParolaA: return t == k.A;
    case kParolaVolte: return t == kVolte;
  }
  return false;
}

void Lettore::PassaAlTesto(const FineLettura& p) {
  TDatiGlob& g = DatiGlob;
  const bool fine = g.bFine;
  VaiA(p);
  if (fine) g.bFine = true;
  ATesto(nullptr);
}

Lettura& Lettore::Registrata() {
  registrazione_->emplace_back();
  return registrazione_->back();
}

void Lettore::LeggiLento() {
  if (modo_ != Modo::Registrazione) {
    NextToken();
    return;
  }
  // Recording: the token is read without the message hook (nothing runs now).
  TDatiGlob& g = DatiGlob;
  Lettura& l = Registrata();
  if (!CatturaPosizione(l.prima)) fallita_ = true;
  detail::LeggiToken();
  if (!CatturaPosizione(l.dopo)) fallita_ = true;
  l.testo = g.TokenCorrente;
  l.parole = ParoleDi(l.testo);
  l.iniziale = l.testo.empty() ? '\0' : l.testo[0];
  l.nome = !l.testo.empty() && IsLettera(static_cast<unsigned char>(l.testo[0]));
  if (fallita_) g.bStop = true;
}

Valutato Lettore::EspressioneLenta(bool Esegui) {
  TDatiGlob& g = DatiGlob;
  if (modo_ == Modo::Riproduzione) {
    PassaAlTesto(*posizione_);
  } else if (modo_ == Modo::Registrazione) {
    Lettura& l = Registrata();
    if (!CatturaPosizione(l.prima)) fallita_ = true;
    l.espressione = CompilaEspressione();
    if (!l.espressione || !CatturaPosizione(l.dopo)) fallita_ = true;
    if (fallita_) g.bStop = true;
    return {};
  }
  return Valutato::Di(EvalExpression(Esegui));
}

Lettore::Segno Lettore::Salva() const {
  Segno s;
  if (modo_ == Modo::Riproduzione) {
    s.cursore = cursore_;
    s.posizione = ComePosizione(*posizione_);
    s.registrata = posizione_;
    s.corrente = corrente_;
    return s;
  }
  if (modo_ == Modo::Registrazione) s.cursore = registrazione_->size();
  s.posizione = SalvaPosizione();
  s.token = DatiGlob.TokenCorrente;
  return s;
}

void Lettore::Ripristina(const Segno& s) {
  if (modo_ == Modo::Riproduzione && !DatiGlob.bStop) {
    cursore_ = s.cursore;
    posizione_ = s.registrata;
    return;
  }
  if (modo_ == Modo::Riproduzione) ATesto(nullptr);
  if (modo_ == Modo::Registrazione) registrazione_->resize(s.cursore);
  RipristinaPosizione(s.posizione);
}

void Lettore::RipristinaConToken(const Segno& s) {
  Ripristina(s);
  if (modo_ == Modo::Riproduzione) {
    corrente_ = s.corrente;
    return;
  }
  TDatiGlob& g = DatiGlob;
  g.bFine = s.posizione.bFine;
  g.TokenCorrente = s.corrente ? s.corrente->testo : s.token;
}

void Lettore::Materializza() {
  if (modo_ == Modo::Riproduzione) VaiA(*posizione_);
}

void Lettore::Segnala(const std::string& messaggio, bool SuRiga) {
  if (modo_ == Modo::Registrazione) {
    fallita_ = true;
    DatiGlob.bStop = true;
    return;
  }
  Materializza();
  ReportError(messaggio, SuRiga);
}

std::shared_ptr<IstruzioneCompilata> Lettore::IstruzioneCorrente(void (*leggi)(bool Esegui)) {
  TDatiGlob& g = DatiGlob;
  CacheLetture<int>::Voce* voce = gMemoria.VoceCorrente();
  if (voce && voce->piena) {
    auto istruzione = gMemoria.Elemento(voce->dato);
    if (!istruzione || StessoTesto(istruzione->letture[0].testo, g.TokenCorrente)) return istruzione;
    voce = nullptr;  // another token ends here: not this place's statement
  }
  FineLettura inizio;
  if (!CatturaPosizione(inizio)) return nullptr;
  const std::u32string_view riga = g.RigaTesto;
  const char32_t ch = g.ChCorrente;
  const std::string token = g.TokenCorrente;
  const std::string nomeIstruzione = g.NomeIstruzione;
  const bool stop = g.bStop;

  auto istruzione = std::make_shared<IstruzioneCompilata>();
  Lettore registratore;
  registratore.modo_ = Modo::Registrazione;
  registratore.registrazione_ = &istruzione->letture;
  Lettura& prima = registratore.Registrata();
  prima.prima = prima.dopo = inizio;
  prima.testo = token;
  prima.parole = ParoleDi(token);
  prima.iniziale = token.empty() ? '\0' : token[0];
  prima.nome = !token.empty() && IsLettera(static_cast<unsigned char>(token[0]));
  Lettore* precedente = gLettore;
  gLettore = &registratore;
  bool riuscita = false;
  try {
    leggi(false);
    riuscita = !registratore.fallita_ && !g.bStop;
  } catch (const std::exception&) {
    riuscita = false;
  }
  gLettore = precedente;
  // Back to where the statement's first token left the reading.
  g.Colonna = inizio.Colonna;
  g.ChCorrente = inizio.ChCorrente;
  g.bFine = inizio.bFine;
  g.IndiceRiga = inizio.IndiceRiga;
  g.RigaTesto = riga;
  g.TokenCorrente = token;
  g.NomeIstruzione = nomeIstruzione;
  g.bStop = stop;
  if (!riuscita) istruzione = nullptr;
  if (voce) gMemoria.Registra(*voce, ch, riga, istruzione);
  return istruzione;
}

Lettore::Lettore(std::shared_ptr<IstruzioneCompilata> istruzione)
    : modo_(Modo::Riproduzione), istruzione_(std::move(istruzione)), precedente_(gLettore) {
  letture_ = istruzione_->letture.data();
  fine_ = istruzione_->letture.size();
  cursore_ = 1;
  corrente_ = &letture_[0];
  posizione_ = &letture_[0].dopo;
  gLettore = this;
  ++detail::gIstruzioniRiprodotte;
}

Lettore::~Lettore() {
  if (modo_ == Modo::Riproduzione) {
    TDatiGlob& g = DatiGlob;
    if (g.bStop) {
      PassaAlTesto(*posizione_);
    } else {
      VaiA(*posizione_);
      ImpostaToken(corrente_->testo);
    }
  }
  if (istruzione_) gLettore = precedente_;
}

}  // namespace qx
