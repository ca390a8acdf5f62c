#include "values/ValoreFunzione.h"

#include <algorithm>
#include <cmath>

#include "values/Blocchi.h"
#include "values/FunzioniAusiliarie.h"
#include "values/espressioni/Analizzatore.h"
#include "values/espressioni/Stampa.h"
#include "values/espressioni/Valutatore.h"

namespace qx {

std::function<void(TCanvas&, cValoreFunzione&)> TracciaGraficoFunzione;
std::function<Reale(const NodoEspr&, Reale, Reale, Reale, int, Reale)> RisolviEDOFunzione;

namespace {
std::string_view NomeTipoFunzione(TipiValore tipo) {
  return tipo == T_FRAZIONE ? "Frazione" : tipo == T_ESPRESSIONE ? "Espressione" : "Funzione";
}
int ModoDelTipo(TipiValore tipo) {
  return tipo == T_FRAZIONE ? MODO_FRAZIONE : tipo == T_ESPRESSIONE ? MODO_ESPRESSIONE : MODO_FUNZIONE;
}
}  // namespace

cValoreFunzione::cValoreFunzione(TipiValore tipo) {
  Tipo = tipo;
  NomeTipo = NomeTipoFunzione(tipo);
}

cValoreFunzione::cValoreFunzione(const cValoreFunzione& s, ComeCopia c)
    : cValoreGraf(s, c),
      _bGrafico(s._bGrafico),
      _bGraficoCompleto(s._bGraficoCompleto),
      _xa(s._xa),
      _xb(s._xb),
      _ya(s._ya),
      _yb(s._yb),
      _bEDO(s._bEDO),
      _EDOy0(s._EDOy0),
      bMessaggi(s.bMessaggi) {
  NomeTipo = NomeTipoFunzione(s.Tipo);
  if (s.albero_) {
    albero_ = s.albero_;
    _sFunz = s._sFunz;
  }
}

cValoreFunzione::~cValoreFunzione() = default;

bool cValoreFunzione::ImpostaFunzione(const std::string& testo) {
  const int modo = ModoDelTipo(Tipo);
  const std::string senzaSpazi = RimuoviSpazi(testo);
  albero_ = AnalizzaEspressione(senzaSpazi, modo, bMessaggi);
  if (!albero_) {
    _sFunz.clear();
    return false;
  }
  _sFunz = senzaSpazi;
  return true;
}

void cValoreFunzione::ImpostaAlbero(PNodo albero) {
  albero_ = std::move(albero);
  _sFunz = AlberoInTesto(albero_.get());
}

bool cValoreFunzione::TestoRileggibile() const {
  if (!albero_) return false;
  const PNodo letto = AnalizzaEspressione(_sFunz, ModoDelTipo(Tipo), false);
  return letto && AlberoInTesto(letto.get()) == _sFunz;
}

Reale cValoreFunzione::Valuta(const Reale& x) const {
  if (_bEDO) {
    if (!RisolviEDOFunzione || !albero_) return VAL_NON_DEFINITA;
    return NormalizzaNonFinito(RisolviEDOFunzione(*albero_, _xa, _xb, _EDOy0, 40, x));
  }
  static constexpr Reale nonDefinita = VAL_NON_DEFINITA;
  return ValutaAlbero(albero_.get(), x, nonDefinita);
}

void cValoreFunzione::Disegna(TCanvas& Canvas) {
  if (_bGrafico == 2) DisegnaGrafico(Canvas);
}

void cValoreFunzione::DisegnaGrafico(TCanvas& Canvas) {
  if (TracciaGraficoFunzione) TracciaGraficoFunzione(Canvas, *this);
}

void cValoreFunzione::Passo(const TMappaGrafico& m, Reale& h, long& campioni) const {
  h = 0;
  campioni = 0;
  if (!m.XPixel || !(_xb > _xa)) return;
  // About two pixels of the frame per sample, measured between the ends of the range.
  const Reale pixel = std::fabs(m.XPixel(_xb) - m.XPixel(_xa));
  if (!std::isfinite(pixel) || pixel < 2) return;
  Reale n = std::floor(pixel / 2);
  n = std::min<Reale>(n, MAX_CAMPIONI_GRAFICO);
  h = (_xb - _xa) / n;
  campioni = static_cast<long>(n);
}

TPezziGrafico cValoreFunzione::CalcolaGrafico(const TMappaGrafico& m) {
  TPezziGrafico pezzi;
  if (!m.XPixel || !m.YPixel) return pezzi;
  if (_bGraficoCompleto && m.XCart) {
    _xa = m.XCart(0);
    _xb = m.XCart(m.BordoDestro);
  }
  const Reale H = m.Altezza;
  // Far rows are clamped so that they fit a pixel coordinate.
  auto riga = [&](Reale y) { return std::clamp<Reale>(m.YPixel(y), -30000, 30000); };
  auto colonna = [&](Reale x) { return static_cast<int>(std::lround(std::clamp<Reale>(m.XPixel(x), -30000, 30000))); };
  Reale h;
  long campioni;
  Passo(m, h, campioni);
  Reale y = Valuta(_xa);
  Reale py = IsValoreErrore(y) ? 0 : riga(y);
  if (!IsValoreErrore(y)) pezzi.push_back({TPoint{colonna(_xa), static_cast<int>(std::lround(py))}});
  // The samples after the first run to the last one at or past _xb, as x := x + h would.
  for (long k = 1; k <= campioni; ++k) {
    const Reale x = _xa + h * static_cast<Reale>(k);
    const Reale yPrec = y, pyPrec = py;
    y = Valuta(x);
    if (IsValoreErrore(y)) continue;
    py = riga(y);
    const TPoint p{colonna(x), static_cast<int>(std::lround(py))};
    const bool salto = (py >= H && pyPrec < 1) || (pyPrec >= H && py < 1);
    if (!salto && !IsValoreErrore(yPrec) && !pezzi.empty())
      pezzi.back().push_back(p);
    else
      pezzi.push_back({p});
  }
  std::erase_if(pezzi, [](const std::vector<TPoint>& p) { return p.size() < 2; });
  return pezzi;
}

void cValoreFunzione::CalcolaMinMaxY(const TMappaGrafico& m) {
  bDefinita = true;
  if (_bGraficoCompleto && m.XCart) {
    _xa = m.XCart(0);
    _xb = m.XCart(m.Larghezza);
  }
  Reale h;
  long campioni;
  Passo(m, h, campioni);
  Reale y = Valuta(_xa);
  yMax = yMin = y;
  for (long k = 0; k <= campioni; ++k) {
    if (k > 0) y = Valuta(_xa + h * static_cast<Reale>(k));
    if (IsValoreErrore(y)) {
      bDefinita = false;
      continue;
    }
    if (IsValoreErrore(yMin)) yMin = yMax = y;
    yMin = std::min(yMin, y);
    yMax = std::max(yMax, y);
  }
}

void cValoreFunzione::CopiaIn(cValoreFunzione& Dest) const { Copia(Dest); }

void cValoreFunzione::Copia(cValoreGraf& Destinazione) const {
  cValoreGraf::Copia(Destinazione);
  auto* d = dynamic_cast<cValoreFunzione*>(&Destinazione);
  if (!d) return;
  cValoreFunzione& Dest = *d;
  if (albero_) {
    Dest.albero_ = albero_;
    Dest._sFunz = _sFunz;
  }
  Dest._bGrafico = _bGrafico;
  Dest._xa = _xa;
  Dest._xb = _xb;
  Dest._bGraficoCompleto = _bGraficoCompleto;
  Dest._ya = _ya;
  Dest._yb = _yb;
  Dest._bEDO = _bEDO;
  Dest._EDOy0 = _EDOy0;
  Dest.bMessaggi = bMessaggi;
}

void* cValoreFunzione::operator new(std::size_t n) { return Blocchi<sizeof(cValoreFunzione)>::Prendi(n); }
void cValoreFunzione::operator delete(void* p, std::size_t n) noexcept {
  Blocchi<sizeof(cValoreFunzione)>::Rendi(p, n);
}

std::unique_ptr<cValore> cValoreFunzione::Clona() const {
  return std::unique_ptr<cValore>(new cValoreFunzione(*this, ComeCopia{}));
}

}  // namespace qx
