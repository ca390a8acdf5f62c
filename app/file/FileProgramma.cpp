#include "app/file/FileProgramma.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <unordered_map>

#include "app/file/ClassiFile.h"
#include "app/file/Identificatori.h"
#include "app/file/ValoriSpazio.h"
#include "app/stream/Reader.h"
#include "app/stream/Writer.h"
#include "app/file/FileSicuro.h"
#include "platform/Cp1252.h"
#include "runstate/DatiGlob.h"
#include "values/ValoreFunzione.h"
#include "values/VettoriMatrici.h"
#include "values/figure/ValoreDiagramma.h"
#include "values/figure/ValoreLista.h"
#include "values/figure/ValorePoligono.h"

namespace qx {

namespace {

constexpr std::string_view kHeader = "cFileHeader";
constexpr std::string_view kTipo = "cTipo";
// After the values, one record per value whose own record cannot hold all it needs: its
// index among the values ("Indice") and the rest of its properties. A reader that knows
// only the listed properties reads its NumOfVar values and never comes to them.
constexpr std::string_view kAggiunte = "cAggiunte";

bool IsSpazio(TipiValore t) { return t > T_GEOMETRIA_SPAZIO && t < T_GEOMETRIA_SPAZIO_; }

TComponenteStream RecordDi(const cValore& v, const TStile& corrente, TComponenteStream& aggiunte) {
  return IsSpazio(v.Tipo) ? RecordDiValoreSpazio(v, &corrente, &aggiunte) : RecordDiValore(v, &corrente);
}

// Writes records and remembers where a text first lost a character.
class TScrittura {
 public:
  explicit TScrittura(TFileScritto& f) : f_(f), w_(f.Dati) {}
  void Scrivi(const TComponenteStream& r, std::string_view dove) {
    w_.WriteRootComponent(r);
    if (w_.Perdita() && f_.Perdita.empty()) f_.Perdita = std::string(dove);
    w_.AzzeraPerdita();
  }

 private:
  TFileScritto& f_;
  TWriter w_;
};

}  // namespace

std::string TFileScritto::Avviso() const {
  if (Perdita.empty()) return std::string();
  return "Alcuni caratteri non si possono scrivere nel file e sono stati salvati come \"?\" (il primo " + Perdita + ")";
}

namespace {

// The world corners of the chart's box under the frame `f`, in the order of the corners it
// was given (the press, then the release): the same numbers while the frame has not moved.
void AngoliDelRiquadro(cValoreDiagramma& d, const cRifCart& f) {
  if (d.x1 == 0 && d.y1 == 0 && d.x2 == 0 && d.y2 == 0) return;
  const TRect& r = d.Rettangolo;
  const Reale sinistra = f.XCart(r.Left), destra = f.XCart(r.Right);
  const Reale alto = f.YCart(r.Top), basso = f.YCart(r.Bottom);
  const bool daSinistra = d.x1 <= d.x2, dallAlto = d.y1 >= d.y2;
  d.x1 = daSinistra ? sinistra : destra;
  d.x2 = daSinistra ? destra : sinistra;
  d.y1 = dallAlto ? alto : basso;
  d.y2 = dallAlto ? basso : alto;
}

bool IsQuadretti(const cRifCart& f) { return !f._bAssi && !f._bxAnalisi; }

// Squared paper keeps its origin as a pixel row, which tells nothing on a canvas of another
// height. So the file records the world rectangle the canvas showed, where an analysis frame
// keeps its window: fields that squared paper never reads (every statement that makes an
// analysis frame gives it its own window), so other readers are unaffected.
cRifCart RifCartDaScrivere(const cRifCart& f) {
  cRifCart r = f;
  if (IsQuadretti(f) && f.Rettangolo.Right > 0 && f.Rettangolo.Bottom > 0) {
    r._xa = f.XCart(0);
    r._xb = f.XCart(f.Rettangolo.Right);
    r._ya = f.YCart(f.Rettangolo.Bottom);
    r._yb = f.YCart(0);
  }
  return r;
}

}  // namespace

TFileScritto ScriviProgramma(const TStatoProgramma& stato) {
  TFileScritto f;
  TScrittura s(f);
  std::vector<const cValore*> valori;
  if (stato.Variabili)
    for (int i = stato.Variabili->Count(); i >= 1; --i) {
      const cVariabile* var = stato.Variabili->Elemento(i);
      if (var && var->GetValore() && !IsPianoPredefinito(var->Nome)) valori.push_back(var->GetValore());
    }

  TComponenteStream h;
  h.Classe = kHeader;
  h.Aggiungi("NumOfVar", TValoreStream::DiIntero(static_cast<std::int64_t>(valori.size())));
  h.Aggiungi("LastNumVar", TValoreStream::DiIntero(stato.ContatoreOggetti));
  if (!stato.Testo.empty()) h.Aggiungi("Text", TValoreStream::DiStringa(stato.Testo));
  h.Aggiungi("Punti", ValoreCollezionePunti(stato.PuntiTraccia ? *stato.PuntiTraccia : TCollPunti()));
  if (!stato.Stampa.empty()) h.Aggiungi("Stampa", TValoreStream::DiStringa(stato.Stampa));
  std::string perso;
  Utf8ToCp1252(stato.Testo, &perso);
  s.Scrivi(h, perso.empty() ? "nell'output" : "nel testo del programma");

  cRifCart predefinito(nullptr);
  s.Scrivi(RecordDiRifCart(RifCartDaScrivere(stato.RifCart ? *stato.RifCart : predefinito)), "nel riferimento cartesiano");

  // One type record serves every variable: a field that only some kinds set keeps what the
  // last of those left, as files have always had it.
  TipiPoligono tipoPol = T_POL;
  TipiLista tipoLista = T_GENERICA;
  // The drawing state the reader will make each value with: a property equal to what its
  // constructor then gives may be left out.
  TStile corrente = StileDopoReset();
  std::vector<std::pair<TComponenteStream, std::string>> aggiunte;
  for (std::size_t i = 0; i < valori.size(); ++i) {
    const cValore* v = valori[i];
    // A chart keeps the box it was drawn in while the frame zooms and pans; the file holds
    // world corners, which must be those of that box under the frame saved with it.
    std::unique_ptr<cValore> grafico;
    if (IsStatistica(v->Tipo) && stato.RifCart) {
      grafico = v->Clona();
      AngoliDelRiquadro(static_cast<cValoreDiagramma&>(*grafico), *stato.RifCart);
      v = grafico.get();
    }
    if (v->Tipo == T_POLIGONO) tipoPol = static_cast<const cValorePoligono*>(v)->TipoPol;
    if (v->Tipo == T_LISTA) tipoLista = static_cast<const cValoreLista*>(v)->TipoLista;
    TComponenteStream t;
    t.Classe = kTipo;
    t.Aggiungi("Tipo", TValoreStream::DiIdent(NomeMembroTipo(v->Tipo)));
    t.Aggiungi("TipoPol", TValoreStream::DiIdent(std::string(kNomiTipiPoligono.at(tipoPol))));
    t.Aggiungi("TipoLista", TValoreStream::DiIdent(std::string(kNomiTipiLista.at(tipoLista))));
    const std::string dove = v->Nome.empty() || v->IsAnonimo() ? "in un oggetto senza nome" : "nell'oggetto " + v->Nome;
    s.Scrivi(t, dove);
    TComponenteStream resto;
    resto.Classe = kAggiunte;
    resto.Aggiungi("Indice", TValoreStream::DiIntero(static_cast<std::int64_t>(i)));
    s.Scrivi(RecordDi(*v, corrente, resto), dove);
    if (resto.Proprieta.size() > 1) aggiunte.emplace_back(std::move(resto), dove);
    if (IsStatistica(v->Tipo)) {
      const auto& d = static_cast<const cValoreDiagramma&>(*v);
      s.Scrivi(RecordDiValore(d._freq, &corrente), dove);
      s.Scrivi(RecordDiValore(d._descr, &corrente), dove);
    } else if (v->Tipo == T_LISTA) {
      const auto& l = static_cast<const cValoreLista&>(*v);
      for (const auto& e : l._Oggetti)
        if (MembroConRecord(l, e.get())) s.Scrivi(RecordDiMembro(l, e.get(), &corrente), dove);
    }
    ApplicaStile(*v, corrente);
  }
  for (const auto& [resto, dove] : aggiunte) s.Scrivi(resto, dove);
  return f;
}

namespace {

[[noreturn]] void Danneggiato(const std::string& motivo) { throw EReadError(motivo); }

void ControllaClasse(const TComponenteStream& c, std::string_view classe) {
  if (!classe.empty() && !SameIdent(c.Classe, classe))
    Danneggiato("al posto di un oggetto " + std::string(classe) + " c'è un oggetto " + c.Classe);
}

TComponenteStream LeggiRecord(TReader& r, std::string_view classe) {
  TComponenteStream c = r.ReadRootComponent();
  ControllaClasse(c, classe);
  return c;
}

// The records after the header and the frame, one at a time, up to the first record of the
// rest of a value; then those records, by value.
class TRecordValori {
 public:
  explicit TRecordValori(TReader& r) : r_(r) {}
  // No value record follows: the file ends, or the records of the rest begin.
  bool Fine() {
    if (!prossimo_ && !r_.Fine()) prossimo_ = r_.ReadRootComponent();
    return !prossimo_ || SameIdent(prossimo_->Classe, kAggiunte);
  }
  TComponenteStream Prossimo(std::string_view classe) {
    if (Fine()) Danneggiato("il file finisce prima del previsto");
    TComponenteStream c = std::move(*prossimo_);
    prossimo_.reset();
    ControllaClasse(c, classe);
    return c;
  }
  // Reads the records of the rest, which must be all that is left.
  void LeggiAggiunte() {
    for (Fine(); prossimo_; prossimo_ = r_.Fine() ? std::nullopt : std::optional(r_.ReadRootComponent())) {
      ControllaClasse(*prossimo_, kAggiunte);
      const TProprieta* n = CercaProprieta(*prossimo_, "Indice");
      if (!n) Danneggiato("manca l'indice di un oggetto " + std::string(kAggiunte));
      aggiunte_[LeggiIntero(n->Valore, "Indice")] = std::move(*prossimo_);
    }
  }
  // The rest of the value of that index, or nullptr.
  const TComponenteStream* Aggiunte(int indice) const {
    const auto it = aggiunte_.find(indice);
    return it == aggiunte_.end() ? nullptr : &it->second;
  }

 private:
  TReader& r_;
  std::optional<TComponenteStream> prossimo_;
  std::map<int, TComponenteStream> aggiunte_;
};

void LeggiIntestazione(const TComponenteStream& h, TProgrammaLetto& p) {
  for (const auto& q : h.Proprieta) {
    if (SameIdent(q.Nome, "NumOfVar")) p.NumOfVar = LeggiIntero(q.Valore, q.Nome);
    else if (SameIdent(q.Nome, "LastNumVar")) p.LastNumVar = LeggiIntero(q.Valore, q.Nome);
    else if (SameIdent(q.Nome, "Text")) p.Testo = LeggiTesto(q.Valore, q.Nome);
    else if (SameIdent(q.Nome, "Punti")) p.Punti = LeggiCollezionePunti(q.Valore, q.Nome);
    else if (SameIdent(q.Nome, "Stampa")) p.Stampa = LeggiTesto(q.Valore, q.Nome);
  }
  if (p.NumOfVar < 0) Danneggiato("il numero degli oggetti non è valido");
}

template <std::size_t N>
int OrdinaleTipo(const TComponenteStream& t, std::string_view nome, const std::array<std::string_view, N>& nomi) {
  const TProprieta* p = CercaProprieta(t, nome);
  if (!p) return 0;
  const auto o = OrdinaleDi(nomi, LeggiIdent(p->Valore, nome));
  if (!o) ErroreProprieta(nome);
  return *o;
}

// The two vectors of a chart, which follow it as records of their own.
void LeggiVettoriDiagramma(TRecordValori& r, cValoreDiagramma& d) {
  auto freq = ValoreDaRecord(r.Prossimo(""), T_VETT_REALE, T_POL, T_GENERICA);
  auto descr = ValoreDaRecord(r.Prossimo(""), T_VETT_STRINGA, T_POL, T_GENERICA);
  d._freq = std::move(static_cast<cVettReale&>(*freq));
  d._descr = std::move(static_cast<cVettStringa&>(*descr));
  if (d._freq.Count != d._descr.Count) Danneggiato("le frequenze e le etichette di un diagramma non corrispondono");
}

// The members of a list, one record for each place that is not empty.
void LeggiMembriLista(TRecordValori& r, const TComponenteStream& record, cValoreLista& l) {
  const TProprieta* oggetti = CercaProprieta(record, "_Oggetti");
  for (std::size_t i = 0; oggetti && i < l._Oggetti.size(); ++i) {
    const auto& item = oggetti->Valore.Collezione.at(i);
    const TProprieta* val = nullptr;
    for (const auto& q : item.Proprieta)
      if (SameIdent(q.Nome, "val")) val = &q;
    if (val && val->Valore.Tipo == TValueType::vaNil) continue;
    const TComponenteStream& m = r.Prossimo("");
    TipiValore tipo = T_FUNZIONE;
    if (l.TipoLista != T_VETT_FUNZ) {
      tipo = TipoDelRecord(m, T_PUNTO);
      if (tipo <= T_GEOMETRIA_PIANA || tipo == T_LISTA || IsSpazio(tipo) || ClasseDiTipo(tipo) == nullptr)
        Danneggiato("una lista contiene un oggetto che non può contenere");
    }
    std::unique_ptr<cValore> v = ValoreDaRecord(m, tipo, T_POL, T_GENERICA);
    if (l.TipoLista == T_VETT_FUNZ && static_cast<const cValoreFunzione&>(*v)._sFunz.empty()) continue;
    auto* g = static_cast<cValoreGraf*>(v.release());
    g->bVisibile = true;
    l._Oggetti[i].reset(g);
  }
}

// The drawing state of the values being made: the reset's at first, then each drawable
// value's, as the load will leave them; what it was before comes back at the end, whatever
// happens.
class TStileCaricamento {
 public:
  TStileCaricamento() : prima_{DatiGlob.PennaCorrente, DatiGlob.PennelloCorrente, DatiGlob.CarattereCorrente,
                               DatiGlob.PennelloColore} {
    Imposta(StileDopoReset());
  }
  ~TStileCaricamento() { Imposta(prima_); }
  TStileCaricamento(const TStileCaricamento&) = delete;
  TStileCaricamento& operator=(const TStileCaricamento&) = delete;
  static TStile Corrente() {
    return {DatiGlob.PennaCorrente, DatiGlob.PennelloCorrente, DatiGlob.CarattereCorrente, DatiGlob.PennelloColore};
  }
  void Dopo(const cValore& v) {
    TStile s = Corrente();
    ApplicaStile(v, s);
    Imposta(s);
  }
  static void Imposta(const TStile& s) {
    DatiGlob.PennaCorrente = s.Penna;
    DatiGlob.PennelloCorrente = s.Pennello;
    DatiGlob.CarattereCorrente = s.Carattere;
    DatiGlob.PennelloColore = s.PennelloColore;
  }

 private:
  TStile prima_;
};

// A space value is made once the records of the rest have been read: where it stands among
// the values, its record and the drawing state it is made with.
struct TSpazioDaFare {
  std::size_t Posto;
  int Indice;
  TipiValore Tipo;
  TComponenteStream Record;
  TStile Stile;
};

void LeggiTutto(std::string_view dati, TProgrammaLetto& p) {
  TReader r(dati);
  LeggiIntestazione(LeggiRecord(r, kHeader), p);
  // Read here into a frame of its own to check it; the load reads it into the frame that the
  // reset made, so what it leaves out stays as the reset has it.
  p.RecordRifCart = LeggiRecord(r, "cRifCart");
  p.RifCart = std::make_unique<cRifCart>(nullptr);
  LeggiProprieta(*p.RifCart, ClasseRifCart(), p.RecordRifCart);
  p.RifCart->Tipo = T_1;

  TRecordValori valori(r);
  TStileCaricamento stile;
  std::vector<TSpazioDaFare> spazio;
  // As many values as the header counts, or fewer when the file ends before the next one.
  for (int i = 0; i < p.NumOfVar && !valori.Fine(); ++i) {
    const TComponenteStream& t = valori.Prossimo(kTipo);
    const TProprieta* tipoProp = CercaProprieta(t, "Tipo");
    if (!tipoProp) Danneggiato("manca il tipo di un oggetto");
    const auto tipo = TipoValoreDi(LeggiIdent(tipoProp->Valore, "Tipo"));
    if (!tipo) ErroreProprieta("Tipo");
    const auto tipoPol = static_cast<TipiPoligono>(OrdinaleTipo(t, "TipoPol", kNomiTipiPoligono));
    const auto tipoLista = static_cast<TipiLista>(OrdinaleTipo(t, "TipoLista", kNomiTipiLista));

    TComponenteStream record = valori.Prossimo("");
    if (IsSpazio(*tipo)) {
      const TStile prima = TStileCaricamento::Corrente();
      TStileCaricamento::Imposta(StileDopoValoreSpazio(record, prima));
      spazio.push_back({p.Valori.size(), i, *tipo, std::move(record), prima});
      p.Valori.emplace_back();
      p.bSpazio = true;
      continue;
    }
    std::unique_ptr<cValore> v = ValoreDaRecord(record, *tipo, tipoPol, tipoLista);
    if (IsStatistica(v->Tipo)) LeggiVettoriDiagramma(valori, static_cast<cValoreDiagramma&>(*v));
    else if (v->Tipo == T_LISTA) LeggiMembriLista(valori, record, static_cast<cValoreLista&>(*v));
    stile.Dopo(*v);
    p.Valori.push_back(std::move(v));
  }
  valori.LeggiAggiunte();
  const TStile fine = TStileCaricamento::Corrente();
  for (TSpazioDaFare& d : spazio) {
    TStileCaricamento::Imposta(d.Stile);
    p.Valori[d.Posto] = ValoreSpazioDaRecord(d.Record, d.Tipo, valori.Aggiunte(d.Indice));
  }
  TStileCaricamento::Imposta(fine);
}

// The picture box of a chart's world corners in the current frame: the place it was saved
// at, rather than the fixed box that a new chart starts with.
void PosizionaDiagramma(cValoreDiagramma& d, const cRifCart& f) {
  if (d.x1 == 0 && d.y1 == 0 && d.x2 == 0 && d.y2 == 0) return;
  // A box far off the area is held near it: the chart's own arithmetic stays small.
  constexpr int kLimite = 1 << 24;
  auto px = [&](int p) { return std::clamp(p, -kLimite, kLimite); };
  const int a = px(f.XPixel(d.x1)), b = px(f.YPixel(d.y1)), c = px(f.XPixel(d.x2)), e = px(f.YPixel(d.y2));
  d.Rettangolo = {std::min(a, c), std::min(b, e), std::max(a, c), std::max(b, e)};
}

// Whether a squared paper's window fields hold the rectangle its canvas showed when it was
// saved: the left and top edges are those of its origin and scale, and the width and height
// whole pixels. Files of earlier versions hold a window left there by a reset or by an
// analysis frame, which never fits.
bool FinestraRegistrata(const cRifCart& f) {
  constexpr Reale kTolleranza = 1e-6L;
  const Reale larghezza = f._xb * f._TaccaX + f.__AsseX, altezza = f.__AsseY - f._ya * f._TaccaY;
  const auto intero = [&](Reale v) { return std::isfinite(v) && v >= 1 && std::fabs(v - std::round(v)) <= kTolleranza; };
  return f._TaccaX > 0 && f._TaccaY > 0 && std::fabs(f._xa * f._TaccaX + f.__AsseX) <= kTolleranza &&
         std::fabs(f._yb * f._TaccaY - f.__AsseY) <= kTolleranza && intero(larghezza) && intero(altezza);
}

// Squared paper's x axis goes on the bottom row of the canvas that shows the lesson, as on a
// new lesson there, raised by as much as the view was panned up when it was saved: the
// saved row alone put the values under a smaller canvas. The column and the scale stay.
void PosizionaQuadretti(cRifCart& f) {
  if (!IsQuadretti(f) || f.Rettangolo.Bottom <= 0) return;
  const Reale fondo = f.Rettangolo.Bottom - 1;
  // The pan is the saved origin row's distance from the saved bottom row (never below it).
  const Reale salita = FinestraRegistrata(f) ? std::max<Reale>(0, f._ya * f._TaccaY + 1) : 0;
  f.__AsseY = fondo + salita;
  f.AsseYIniziale = fondo;
}

void CopiaImpostazioni(const cRifCart& da, cRifCart& a) {
  a.Pen = da.Pen;
  a.Brush = da.Brush;
  a.Font = da.Font;
  a.varGruppo = da.varGruppo;
  a.Nome = da.Nome;
  a._bAssi = da._bAssi;
  a._bxAnalisi = da._bxAnalisi;
  a._bAdattaAllaFunzione = da._bAdattaAllaFunzione;
  a._xa = da._xa;
  a._xb = da._xb;
  a._ya = da._ya;
  a._yb = da._yb;
  a.__AsseX = da.__AsseX;
  a.__AsseY = da.__AsseY;
  a._TaccaX = da._TaccaX;
  a._TaccaY = da._TaccaY;
}

}  // namespace

bool LeggiProgramma(std::string_view dati, TProgrammaLetto& letto, std::string& motivo) {
  TProgrammaLetto p;
  try {
    LeggiTutto(dati, p);
  } catch (const EReadError& e) {
    motivo = e.what();
    return false;
  } catch (const std::exception& e) {
    // A value's own checks (an index, a size) are damage of the file as well.
    motivo = e.what();
    return false;
  }
  letto = std::move(p);
  return true;
}

void ApplicaProgramma(TProgrammaLetto& letto, cListaVariabili& variabili, cRifCart& rifCart, TCollPunti* puntiTraccia) {
  TDatiGlob& g = DatiGlob;
  g.ContatoreOggetti = letto.LastNumVar;
  if (puntiTraccia) *puntiTraccia = letto.Punti;
  if (!letto.RecordRifCart.Classe.empty()) {
    // Checked when the file was read: it reads the same way now.
    LeggiProprieta(rifCart, ClasseRifCart(), letto.RecordRifCart);
    rifCart.Tipo = T_1;
  } else if (letto.RifCart) {
    CopiaImpostazioni(*letto.RifCart, rifCart);
  }
  PosizionaQuadretti(rifCart);
  // The names already in the table (the planes of the reset) and those put in: a value of a
  // name that is there replaces it, as the store does.
  std::unordered_map<std::string, cVariabile*> presenti;
  for (int i = 1; i <= variabili.Count(); ++i) presenti.emplace(variabili.Elemento(i)->Nome, variabili.Elemento(i));
  for (auto& v : letto.Valori) {
    if (!v) continue;
    if (auto* f = dynamic_cast<cValoreGraf*>(v.get()); f && v->Tipo > T_2) {
      g.PennaCorrente = f->Pen;
      g.PennelloCorrente = f->Brush;
      g.CarattereCorrente = f->Font;
      f->bVisibile = true;
      // A file holds world coordinates only: they are what places the value now.
      if (!IsSpazio(v->Tipo)) f->bCoordCartesiane = true;
      if (IsStatistica(v->Tipo)) PosizionaDiagramma(static_cast<cValoreDiagramma&>(*f), rifCart);
    }
    // A list is no figure of its own (its kind comes before the plane's), but its points are:
    // they too are placed by their world coordinates, not by a pixel they never had.
    if (v->Tipo == T_LISTA)
      for (auto& e : static_cast<cValoreLista&>(*v)._Oggetti)
        if (e) e->bCoordCartesiane = true;
    std::string nome = v->Nome;
    if (nome.empty()) {
      nome = "$" + std::to_string(++g.ContatoreOggetti);
      v->Nome = nome;
    }
    if (auto* f = dynamic_cast<cValoreGraf*>(v.get())) f->DopoMemorizzazione(*f, nome);
    if (auto it = presenti.find(nome); it != presenti.end()) {
      it->second->ImpostaValore(std::move(v));
    } else {
      auto nuova = std::make_unique<cVariabile>(nome, std::move(v));
      presenti.emplace(nome, nuova.get());
      variabili.Aggiungi(std::move(nuova));
    }
  }
  letto.Valori.clear();
}

}  // namespace qx

namespace qx {

bool CaricaFileProgramma(const std::string& percorso, TProgrammaLetto& letto, std::string& errore) {
  std::string dati, motivo;
  if (!LeggiFileIntero(percorso, dati, errore)) return false;
  if (LeggiProgramma(dati, letto, motivo)) return true;
  errore = "Il file " + percorso + " è danneggiato o non è un programma di Quorix: " + motivo;
  return false;
}

bool SalvaFileProgramma(const std::string& percorso, const TStatoProgramma& stato, std::string& errore,
                        std::string& avviso) {
  const TFileScritto f = ScriviProgramma(stato);
  if (!SalvaFileSicuro(percorso, f.Dati, errore)) return false;
  avviso = f.Avviso();
  return true;
}

}  // namespace qx
