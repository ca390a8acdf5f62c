// Frequency charts placed with the mouse (DIAGSTR, ISTOGRAMMA, DIAGCIRC), the coin and dice
// experiments that fill a bar chart throw by throw, the statistics functions and the
// regression line.
#include <cstdint>
#include <random>
#include <string>

#include "interpreter/Attese.h"
#include "interpreter/costruzioni/ComandiCostruzioni.h"
#include "interpreter/costruzioni/Cornice.h"
#include "runstate/WindowServices.h"
#include "platform/Canvas.h"
#include "values/Statistica.h"
#include "values/ValoriScalari.h"
#include "values/VettoriMatrici.h"
#include "values/figure/ValoreDiagramma.h"

namespace qx {

namespace {

using namespace costruzioni;

// Waits for the user to drag the chart's extent and takes it: the world corners, and the
// pixel rectangle in which the chart draws itself. False when the run was stopped.
bool PosizionaDiagramma(cValoreDiagramma& d, bool pennelloBianco) {
  TDatiGlob& g = DatiGlob;
  if (TCanvas* c = g.CanvasRifCart) {
    c->Pen.Color = g.PennaCorrente.Color;
    if (pennelloBianco) c->Brush.Color = clWhite;
  }
  if (!AttendiMouse(g.bAttesaDiagramma, crCroce, ParoleChiave.prmDiagramma)) return false;
  const TPoint a = g.PixelCliccato, b = g.PixelRilasciato;
  const TPuntoMondo p = g.RifCart->PixelInCart(a), q = g.RifCart->PixelInCart(b);
  d.x1 = p.x;
  d.y1 = p.y;
  d.x2 = q.x;
  d.y2 = q.y;
  d.Rettangolo = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  d.bCoordCartesiane = true;
  return true;
}

TipiValore TipoGrafico(const std::string& nome) {
  const TParoleChiave& k = ParoleChiave;
  if (nome == k.ISTOGRAMMA) return T_DIAG_IST;
  if (nome == k.DIAGCIRC) return T_DIAG_CIRC;
  return T_DIAG_STR;
}

// DIAGSTR, ISTOGRAMMA, DIAGCIRC: frequencies and labels as a list or as two vectors.
PValore Grafico(const ListaArgomenti& a, const std::string& nome) {
  int i = a.Tipo(0) == T_STRINGA ? 1 : 0;
  std::unique_ptr<cValoreDiagramma> d;
  if (a.Tipo(i) == T_REALE) {
    int n = 0;
    for (int j = i; j < a.Count(); ++j) {
      if (a.Tipo(j) == T_REALE) ++n;
      else if (a.Tipo(j) != T_STRINGA) return ParametriErrati(nome);
    }
    d = std::make_unique<cValoreDiagramma>(TipoGrafico(nome), n);
    int f = 0, e = 0;
    for (int j = i; j < a.Count(); ++j) {
      if (a.Tipo(j) == T_REALE) d->_freq.Scrivi(++f, a.Numero(j));
      else if (e < n) d->_descr.Scrivi(++e, a.Testo(j));
    }
  } else if (a.Tipo(i) == T_VETT_REALE) {
    const auto& freq = static_cast<const cVettReale&>(*a.Valore(i));
    const int resto = a.Count() - i - 1;
    if (freq.Count == 0 || resto > 1 || (resto == 1 && a.Tipo(i + 1) != T_VETT_STRINGA)) return ParametriErrati(nome);
    d = std::make_unique<cValoreDiagramma>(TipoGrafico(nome), freq.Count);
    freq.CopiaIn(d->_freq);
    if (resto == 1) static_cast<const cVettStringa&>(*a.Valore(i + 1)).CopiaIn(d->_descr);
  } else {
    return ParametriErrati(nome);
  }
  if (!RifCartPresente(nome) || !PosizionaDiagramma(*d, true)) return nullptr;
  return Memorizza(std::move(d));
}

// LANCIO_MONETA, LANCIO_DADI: T throws, D milliseconds apart, shown as they fall.
PValore Lanci(const ListaArgomenti& a, const std::string& nome) {
  const bool dadi = nome == ParoleChiave.LANCIO_DADI;
  if (a.Vuota()) return nullptr;
  if (!Forma(a, {T_REALE}) && !Forma(a, {T_REALE, T_REALE})) return ParametriErrati(nome);
  // The count and the pause are integers of 32 bits: anything outside (or not a number) is
  // refused before it is converted.
  const Reale T = a.Numero(0), D = a.Count() == 2 ? a.Numero(1) : 500;
  if (!(T > -1 && T < INT32_MAX + 1.0L) || !(D > INT32_MIN - 1.0L && D < INT32_MAX + 1.0L)) return ParametriErrati(nome);
  const long lanci = static_cast<long>(T);
  const int pausa = static_cast<int>(D);
  auto d = std::make_unique<cValoreDiagramma>(T_DIAG_STR, dadi ? 11 : 2);
  if (dadi) {
    for (int i = 1; i <= 11; ++i) d->_descr.Scrivi(i, std::to_string(i + 1));
    d->_maxAlt = static_cast<Reale>(lanci / 2);
  } else {
    d->_descr.Scrivi(1, "Testa");
    d->_descr.Scrivi(2, "Croce");
    d->_maxAlt = static_cast<Reale>(lanci);
  }
  if (!RifCartPresente(nome) || !PosizionaDiagramma(*d, false)) return nullptr;
  d->Pen = DatiGlob.PennaCorrente;
  d->Brush = DatiGlob.PennelloCorrente;
  d->Brush.Style = bsSolid;
  std::mt19937& gen = GeneratoreCasuale();
  std::uniform_int_distribution<int> moneta(1, 2), dado(1, 6);
  for (long t = 1; t <= lanci; ++t) {
    const int classe = dadi ? dado(gen) + dado(gen) - 1 : moneta(gen);
    d->_freq.Scrivi(classe, d->_freq.Leggi(classe) + 1);
    if (TCanvas* c = DatiGlob.CanvasRifCart) d->Disegna(*c);
    Finestra().DisegnaRifCart();
    if (t < lanci) Attendi(pausa);
    // Stopped halfway: the experiment leaves nothing behind.
    if (DatiGlob.bInterrotto || DatiGlob.bStop) return nullptr;
  }
  return Memorizza(std::move(d));
}

PValore CmdDiagramma(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  DatiGlob.bParametriErrati = false;
  if (!Esegui || a.Vuota()) return nullptr;
  const TParoleChiave& k = ParoleChiave;
  if (nome == k.LANCIO_MONETA || nome == k.LANCIO_DADI) return Lanci(a, nome);
  return Grafico(a, nome);
}

TVettore InVettore(const cVettReale& v) {
  TVettore r(v.Count);
  for (int i = 1; i <= v.Count; ++i) r(i) = v.Leggi(i);
  return r;
}

// The two vectors of COVARIANZA and COEFF_CORR; false after reporting.
bool DueVettori(const ListaArgomenti& a, const std::string& nome, TVettore& x, TVettore& y) {
  if (!Forma(a, {T_VETT_REALE, T_VETT_REALE})) {
    ParametriErrati(nome);
    return false;
  }
  const auto& vx = static_cast<const cVettReale&>(*a.Valore(0));
  const auto& vy = static_cast<const cVettReale&>(*a.Valore(1));
  if (vx.Count != vy.Count) {
    Errore("Vettori di diversa dimensione " + nome);
    return false;
  }
  if (vx.Count == 0) {
    ParametriErrati(nome);
    return false;
  }
  x = InVettore(vx);
  y = InVettore(vy);
  return true;
}

PValore CmdStatistica(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  const TParoleChiave& k = ParoleChiave;
  if (nome == k.COVARIANZA || nome == k.COEFF_CORR) {
    TVettore x, y;
    if (!DueVettori(a, nome, x, y)) return nullptr;
    Riconosciuto();
    return std::make_unique<cValoreReale>(nome == k.COVARIANZA ? Covarianza(x, y) : Correlazione(x, y));
  }
  TVettore dati;
  if (Forma(a, {T_VETT_REALE})) {
    dati = InVettore(static_cast<const cVettReale&>(*a.Valore(0)));
  } else {
    dati = TVettore(a.Count());
    for (int i = 0; i < a.Count(); ++i) {
      if (a.Tipo(i) != T_REALE) return Fine(nome);
      dati(i + 1) = a.Numero(i);
    }
  }
  if (dati.Dimensione() == 0) return Fine(nome);
  Riconosciuto();
  Reale r = 0;
  if (nome == k.MEDIA) r = Media(dati);
  else if (nome == k.MEDIANA) r = Mediana(dati);
  else if (nome == k.MODA) r = Moda(dati);
  else if (nome == k.SSM) r = ScartoMedio(dati);
  else if (nome == k.SQM) r = DeviazioneStandard(dati);
  else r = Varianza(dati);
  return std::make_unique<cValoreReale>(r);
}

}  // namespace

void RegistraComandiStatistica() {
  RegistraComando("CmdDiagramma", CmdDiagramma);
  RegistraComando("CmdStatistica", CmdStatistica);
}

}  // namespace qx
