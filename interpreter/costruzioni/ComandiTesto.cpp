// SCRIVI / SCRIVIXY, IMMAGINE, LINEA and PENNA: values placed, or drawn, with the mouse.
#include "interpreter/Attese.h"
#include "interpreter/ComandiBase.h"
#include "interpreter/costruzioni/ComandiCostruzioni.h"
#include "interpreter/costruzioni/Cornice.h"
#include "runstate/WindowServices.h"
#include "platform/Canvas.h"
#include "values/Collezioni.h"
#include "values/figure/ValoreImmagine.h"
#include "values/figure/ValoreLinea.h"
#include "values/figure/ValoreTesto.h"

namespace qx {

namespace {

using namespace costruzioni;

// The canvas draws the stroke under the mouse in the current pen's colour.
void PennaDellaTela() {
  if (TCanvas* c = DatiGlob.CanvasRifCart) c->Pen.Color = DatiGlob.PennaCorrente.Color;
}

// The points that the mouse side collects while a freehand line or pen stroke is drawn;
// the run state refers to them only for the length of the command.
class LineaInCorso {
 public:
  LineaInCorso() { DatiGlob.LineaInCorso = &punti_; }
  ~LineaInCorso() {
    if (DatiGlob.LineaInCorso == &punti_) DatiGlob.LineaInCorso = nullptr;
    DatiGlob.PuntoInizioLinea = DatiGlob.PuntoFineLinea = nullptr;
  }
  LineaInCorso(const LineaInCorso&) = delete;
  LineaInCorso& operator=(const LineaInCorso&) = delete;
  const TCollPunti& Punti() const { return punti_; }

 private:
  TCollPunti punti_;
};

PValore CmdScrivi(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  TDatiGlob& g = DatiGlob;
  TPuntoMondo posizione{0, 0};
  bool fissa = false;
  int primo = 0;
  if (nome == ParoleChiave.SCRIVIXY && a.Tipo(0) == T_REALE) {
    posizione.x = a.Numero(0);
    primo = 1;
    if (a.Tipo(1) == T_REALE) {
      posizione.y = a.Numero(1);
      primo = 2;
      fissa = true;
    }
  }
  std::string testo;
  for (int i = primo; i < a.Count(); ++i) {
    std::string parte;
    const cValore* v = a.Valore(i);
    if (!v || !TestoDiValore(*v, parte)) return ParametriErrati(ParoleChiave.SCRIVI);
    testo += parte;
  }
  Riconosciuto();
  auto valore = std::make_unique<cValoreTesto>();
  valore->x = posizione.x;
  valore->y = posizione.y;
  valore->Testo = testo;
  valore->bCoordCartesiane = true;
  if (!fissa) {
    if (!RifCartPresente(nome)) return nullptr;
    g.TestoInAttesa = valore.get();
    const bool posato = AttendiMouse(g.bAttesaTesto, crCroce, "");
    g.TestoInAttesa = nullptr;
    if (!posato) return nullptr;
  }
  return Memorizza(std::move(valore));
}

PValore CmdImmagine(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  if (!Esegui) return nullptr;
  TDatiGlob& g = DatiGlob;
  if (a.Tipo(0) != T_STRINGA) return ParametriErrati(nome);
  const bool posizione = Forma(a, {T_STRINGA, T_REALE, T_REALE});
  const bool rettangolo = Forma(a, {T_STRINGA, T_REALE, T_REALE, T_REALE, T_REALE});
  if (a.Count() != 1 && !posizione && !rettangolo) return ParametriErrati(nome);
  Riconosciuto();
  auto valore = std::make_unique<cValoreImmagine>();
  if (posizione || rettangolo) {
    valore->x = a.Numero(1);
    valore->y = a.Numero(2);
  }
  if (rettangolo) {
    valore->x1 = a.Numero(3);
    valore->y1 = a.Numero(4);
    valore->bStretch = true;
  }
  valore->bCoordCartesiane = true;
  if (!valore->CaricaFile(a.Testo(0))) return nullptr;  // already reported
  if (a.Count() == 1) {
    if (!RifCartPresente(nome)) return nullptr;
    g.ImmagineInAttesa = valore.get();
    const bool posata = AttendiMouse(g.bAttesaImmagine, crCroce, "");
    g.ImmagineInAttesa = nullptr;
    if (!posata) return nullptr;
  }
  return Memorizza(std::move(valore));
}

PValore CmdLinea(ListaArgomenti& a, const std::string& nome, bool Esegui) {
  Inizia();
  TDatiGlob& g = DatiGlob;
  LineaInCorso linea;
  if (!Esegui) return nullptr;
  if (Forma(a, {T_PUNTO, T_PUNTO})) {
    // The stroke snaps to the end points where they are drawn now.
    for (int i = 0; i < 2; ++i) {
      auto& p = static_cast<cValorePunto&>(*a.Valore(i));
      if (g.RifCart) {
        const TPoint px = g.RifCart->CartInPixel(PosizionePunto(p));
        p.ImpostaPixel(px.x, px.y);
      }
    }
    g.PuntoInizioLinea = a.Valore(0);
    g.PuntoFineLinea = a.Valore(1);
  } else if (!a.Vuota()) {
    return Errore("Parametri errati");
  }
  Riconosciuto();
  if (!RifCartPresente(nome)) return nullptr;
  auto valore = std::make_unique<cValoreLinea>();
  PennaDellaTela();
  if (!AttendiMouse(g.bAttesaLinea, crCroce, ParoleChiave.prmLinea)) return nullptr;
  valore->Punti = linea.Punti();
  valore->bCoordCartesiane = true;
  return Memorizza(std::move(valore));
}

PValore CmdPenna(ListaArgomenti&, const std::string& nome, bool Esegui) {
  Inizia();
  TDatiGlob& g = DatiGlob;
  g.PuntoInizioLinea = g.PuntoFineLinea = nullptr;
  LineaInCorso linea;
  if (!Esegui) return nullptr;
  Riconosciuto();
  if (!RifCartPresente(nome)) return nullptr;
  auto valore = std::make_unique<cValoreLinea>();
  valore->_bScrittura = true;
  PennaDellaTela();
  WindowServices& f = Finestra();
  f.MostraTerminaPenna(true);
  const bool scritta = AttendiMouse(g.bModoPenna, crPenna, ParoleChiave.prmPenna);
  f.MostraTerminaPenna(false);
  if (!scritta) return nullptr;
  valore->Punti = linea.Punti();
  valore->bCoordCartesiane = true;
  return Memorizza(std::move(valore));
}

}  // namespace

void RegistraComandiTesto() {
  RegistraComando("CmdScrivi", CmdScrivi);
  RegistraComando("CmdImmagine", CmdImmagine);
  RegistraComando("CmdLinea", CmdLinea);
  RegistraComando("CmdPenna", CmdPenna);
}

}  // namespace qx
