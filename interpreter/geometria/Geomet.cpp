#include "interpreter/geometria/Geomet.h"

#include <cmath>
#include <random>

#include "interpreter/Attese.h"
#include "interpreter/Istruzioni.h"
#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "runstate/ParoleChiave.h"
#include "values/RifCart.h"
#include "values/ValoriScalari.h"
#include "values/figure/ListaValGraf.h"
#include "values/figure/ValoreAngolo.h"
#include "values/figure/ValoreArco.h"

namespace qx::geo {

void Esito::Combacia() { DatiGlob.bParametriErrati = false; }

PValore Cornice(const std::string& nome, bool Esegui, CorpoComando corpo) {
  TDatiGlob& g = DatiGlob;
  g.bParametriErrati = true;
  if (!Esegui) return nullptr;
  Esito e;
  const CorniceComando cornice;
  PValore v = corpo(e);
  if (g.bStop || g.bInterrotto) return nullptr;
  if (g.bParametriErrati) return ErroreParametri(nome);
  if (v && e.memorizza) {
    if (cornice.RisultatoAssegnato()) MemorizzaRisultatoAssegnato(*v);
    else Memorizza(*v);
  }
  return v;
}

bool TipoTra(TipiValore t, std::initializer_list<TipiValore> tipi) {
  for (TipiValore k : tipi)
    if (k == t) return true;
  return false;
}

bool Inizia(const ListaArgomenti& a, std::initializer_list<TipiValore> tipi) {
  if (a.Count() < static_cast<int>(tipi.size())) return false;
  int i = 0;
  for (TipiValore t : tipi) {
    // Only a string cell can be a member's: the kind is asked first, and once.
    const TipiValore k = a.Tipo(i);
    if ((t != T_1 && k != t) || (k == T_STRINGA && a.IsMembro(i))) return false;
    ++i;
  }
  return true;
}

bool Forma(const ListaArgomenti& a, std::initializer_list<TipiValore> tipi) {
  return a.Count() == static_cast<int>(tipi.size()) && Inizia(a, tipi);
}

bool IsRettaSegmentoSemiretta(TipiValore t) { return t == T_RETTA || t == T_SEGMENTO || t == T_SEMIRETTA; }

TPuntoMondo PuntoArg(const ListaArgomenti& a, int i) {
  return static_cast<const cValorePunto*>(a.Valore(i))->Punto();
}

const cValoreRetta& RettaArg(const ListaArgomenti& a, int i) { return *static_cast<const cValoreRetta*>(a.Valore(i)); }

bool MisuraAngolo(const ListaArgomenti& a, int i, bool Tronca, Reale& gradi, int& dopo) {
  auto intero = [Tronca](Reale x) { return Tronca ? std::trunc(x) : std::round(x); };
  if (a.IsMembro(i)) return false;
  if (a.Tipo(i) == T_GRADO) {
    const auto& m = static_cast<const cValoreGrado&>(*a.Valore(i));
    gradi = intero(m.Gradi) + intero(m.Primi) / 60 + m.Secondi / 3600;
    dopo = i + 1;
    return true;
  }
  if (a.Tipo(i) != T_REALE) return false;
  Reale parti[3] = {0, 0, 0};
  int k = 0;
  while (k < 3 && a.Tipo(i + k) == T_REALE && !a.IsMembro(i + k)) {
    parti[k] = a.Numero(i + k);
    ++k;
  }
  gradi = intero(parti[0]) + intero(parti[1]) / 60 + parti[2] / 3600;
  dopo = i + k;
  return true;
}

char Verso(const ListaArgomenti& a, int i) {
  if (a.Tipo(i) != T_STRINGA || a.IsMembro(i)) return 0;
  const std::string t = a.Testo(i);
  return !t.empty() && (t[0] == 'O' || t[0] == 'A') ? t[0] : 0;
}

Reale Netto(Reale x) { return std::fabs(x) < 1e-12L ? 0.0L : x; }
TPuntoMondo Netto(const TPuntoMondo& p) { return {Netto(p.x), Netto(p.y)}; }

TPuntoMondo FineLato(const cValoreAngolo& angolo, bool primo) {
  return primo == (angolo.v == 'A') ? TPuntoMondo{angolo.x1, angolo.y1} : TPuntoMondo{angolo.x3, angolo.y3};
}

TPuntoMondo EstremoArco(const cValoreArco& arco, bool primo) {
  return primo ? TPuntoMondo{arco.x1, arco.y1} : TPuntoMondo{arco.x3, arco.y3};
}

bool RifCartPresente() { return DatiGlob.RifCart != nullptr; }

bool ControllaRifCart(const std::string& nome) {
  if (RifCartPresente()) return true;
  ReportError(nome + ParoleChiave.msgRifCart, true);
  return false;
}

PValore ErroreParametri(const std::string& nome) { return Errore(ParoleChiave.msgParametriErrati + nome); }

PValore Errore(const std::string& messaggio) {
  ReportError(messaggio, true);
  return nullptr;
}

TPuntoMondo PuntoDaNumeri(const ListaArgomenti& a, int i) {
  TPuntoMondo p;
  CopiaReale(p.x, a.NumeroDove(i));
  CopiaReale(p.y, a.NumeroDove(i + 1));
  return p;
}

// The figures keep their coordinates as they were given, copied as bytes (see CopiaReale).
std::unique_ptr<cValorePunto> NuovoPunto(const TPuntoMondo& p) {
  auto v = std::make_unique<cValorePunto>();
  NettoIn(v->xCart, p.x);
  NettoIn(v->yCart, p.y);
  v->bCoordCartesiane = RifCartPresente();
  if (const cRifCart* r = DatiGlob.RifCart) {
    const TPoint px = {r->XPixel(v->xCart), r->YPixel(v->yCart)};
    v->ImpostaPixel(px.x, px.y);
  }
  return v;
}

std::unique_ptr<cValoreRetta> NuovaRetta(TipiValore tipo, const TPuntoMondo& A, const TPuntoMondo& B) {
  auto r = std::make_unique<cValoreRetta>(tipo);
  NettoIn(r->x1, A.x);
  NettoIn(r->y1, A.y);
  NettoIn(r->x2, B.x);
  NettoIn(r->y2, B.y);
  r->bCoordCartesiane = RifCartPresente();
  if (const cRifCart* f = DatiGlob.RifCart)
    r->ImpostaPixel({f->XPixel(r->x1), f->YPixel(r->y1)}, {f->XPixel(r->x2), f->YPixel(r->y2)});
  return r;
}

std::unique_ptr<cValoreRetta> RettaAttraverso(const TPuntoMondo& A, const TPuntoMondo& B) {
  const TFinestraMondo f = FinestraVisibile();
  if (UgualeReale(A.x, B.x)) return NuovaRetta(T_RETTA, {A.x, f.altoSinistra.y}, {A.x, f.bassoDestra.y});
  const Reale xa = f.altoSinistra.x, xb = f.bassoDestra.x;
  return NuovaRetta(T_RETTA, {xa, YSuRetta(xa, A, B)}, {xb, YSuRetta(xb, A, B)});
}

std::unique_ptr<cValoreRetta> RettaDiEquazione(Reale m, Reale q) {
  const TFinestraMondo f = FinestraVisibile();
  const Reale xa = f.altoSinistra.x, xb = f.bassoDestra.x;
  return NuovaRetta(T_RETTA, {xa, m * xa + q}, {xb, m * xb + q});
}

void Memorizza(cValore& v) { StoreVariable(true, "", v, nullptr); }

const cValorePunto* ScegliPuntoEsistente(const std::string& prompt) {
  TDatiGlob& g = DatiGlob;
  g.OggettoScelto = nullptr;
  if (!AttendiMouse(g.bAttesaScegliPunto, crCroce, prompt)) return nullptr;
  return dynamic_cast<const cValorePunto*>(g.OggettoScelto);
}

void SvuotaScelti() {
  if (TListValGraf* l = DatiGlob.ListaValGraf) {
    l->Disegna(false);
    l->Svuota();
  }
}

Reale Casuale() { return std::uniform_real_distribution<long double>(0.0L, 1.0L)(GeneratoreCasuale()); }

int CasualeIntero(int n) {
  if (n <= 1) return 0;
  return std::uniform_int_distribution<int>(0, n - 1)(GeneratoreCasuale());
}

}  // namespace qx::geo
