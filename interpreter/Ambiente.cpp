#include "interpreter/Ambiente.h"

#include "interpreter/ComandiBase.h"
#include "interpreter/Dispatch.h"
#include "interpreter/Istruzioni.h"
#include "interpreter/MotoreEspressioni.h"
#include "interpreter/Scanner.h"
#include "runstate/DatiGlob.h"
#include "runstate/ParoleChiave.h"
#include "runstate/WindowServices.h"
#include "values/FunzioniAusiliarie.h"
#include "values/ValoreFunzione.h"
#include "values/espressioni/Stampa.h"

#include <cctype>

namespace qx {

TAmbiente::TAmbiente() : variabili_(std::make_unique<cListaVariabili>()) {
  static const bool registrati = [] {
    RegistraComandiBase();
    InstallaMotoreEspressioni();
    return true;
  }();
  (void)registrati;
  DatiGlob.ListaVariabili = variabili_.get();
}

TAmbiente::~TAmbiente() {
  TDatiGlob& g = DatiGlob;
  if (g.ListaVariabili == variabili_.get()) g.ListaVariabili = nullptr;
  if (g.RifCart == rifCart_.get()) g.RifCart = nullptr;
  if (g.PuntiTraccia == puntiTraccia_.get()) g.PuntiTraccia = nullptr;
  if (g.CanvasRifCart == canvas_) g.CanvasRifCart = nullptr;
}

void TAmbiente::ImpostaCanvas(TCanvas* canvas, int larghezza, int altezza) {
  canvas_ = canvas;
  larghezza_ = larghezza;
  altezza_ = altezza;
  DatiGlob.CanvasRifCart = canvas;
  DatiGlob.AreaRifCart = {larghezza, altezza};
  if (rifCart_) {
    rifCart_->Canvas = canvas;
    rifCart_->Rettangolo = {0, 0, larghezza, altezza};
  }
}

void TAmbiente::PreparaRifCart() {
  TDatiGlob& g = DatiGlob;
  if (!rifCart_) rifCart_ = std::make_unique<cRifCart>(canvas_);
  cRifCart& r = *rifCart_;
  r.Canvas = canvas_;
  // The toolkit's brush turns solid when it is given a colour: the background is painted.
  r.Brush = TBrush{g.ColoreSfondo, bsSolid};
  r.Pen.Color = clBlack;
  r.Pen.Style = psDot;
  r._bxAnalisi = false;
  r._bAssi = false;
  r.Rettangolo = {0, 0, larghezza_, altezza_};
  r.__AsseX = 1.0L;
  r.__AsseY = altezza_ - 1;
  r.AsseXIniziale = r.__AsseX;
  r.AsseYIniziale = r.__AsseY;
  r._TaccaX = r._TaccaY = 38.0L;
  g.CarattereCorrente = TFont{clBlue, "MS Sans Serif", 10, 0};
  g.RifCart = rifCart_.get();
}

void TAmbiente::DisegnaRifCart(TCanvas& canvas) {
  TDatiGlob& g = DatiGlob;
  if (!rifCart_) return;
  TCanvas* prima = rifCart_->Canvas;
  rifCart_->Canvas = &canvas;
  if (bMostraGriglia) {
    rifCart_->DisegnaAssi();
  } else {
    rifCart_->CancellaSfondo();
    rifCart_->DisegnaScalaX();
    rifCart_->DisegnaScalaY();
  }
  for (int i = variabili_->Count(); i >= 1; --i)
    if (auto* v = dynamic_cast<cValoreGraf*>(variabili_->Elemento(i)->GetValore()); v && v->bVisibile)
      v->Disegna(canvas);
  if (g.PuntiTraccia) {
    canvas.Pen = TPen{clFuchsia, psSolid, 1, pmCopy};
    canvas.Brush = TBrush{clRed, bsSolid};
    for (const auto& p : *g.PuntiTraccia) {
      const int px = rifCart_->XPixel(p.x), py = rifCart_->YPixel(p.y);
      canvas.Rectangle(px - 1, py - 1, px + 1, py + 1);
    }
  }
  rifCart_->Canvas = prima;
}

void TAmbiente::InizializzaAmbiente() {
  TDatiGlob& g = DatiGlob;
  g.bStop = false;
  g.OggettoScelto = nullptr;
  g.OggettoGLScelto = nullptr;
  // The space frame exists only once RIFCART3D has made it in this run.
  g.RifCart3D = nullptr;
  g.PennelloColore = TBrush{clAqua, bsSolid};
  g.PennaCorrente = TPen{clBlue, psSolid, 1, pmCopy};
  g.PennelloCorrente = TBrush{clWhite, bsClear};
  g.ColoreSfondo = clWhite;
  g.bTraccia = true;
  variabili_ = std::make_unique<cListaVariabili>();
  g.ListaVariabili = variabili_.get();
  puntiTraccia_ = std::make_unique<TCollPunti>();
  g.PuntiTraccia = puntiTraccia_.get();
  g.CanvasRifCart = canvas_;
  PreparaRifCart();
  g.bInterrotto = false;
  g.ListaIstruzioni.clear();
  g.RigaCorrente = -1;
  Finestra().PulisciOutput();
}

bool TAmbiente::EseguiProgramma(const std::vector<std::string>& righe) {
  TDatiGlob& g = DatiGlob;
  g.bStop = false;
  g.bInEsecuzione = true;
  InizializzaAmbiente();
  g.ListaIstruzioni = righe;
  RimuoviRigheVuoteFinali(g.ListaIstruzioni);
  ResetScanner();
  g.EditorCorrente = TEditorCorrente::Programma;
  g.bImmediato = false;
  g.RigaCorrente = -1;
  PreparaRifCart();
  const bool riuscito = RunProgram(true);
  if (riuscito) {
    Finestra().AggiornaListaOggetti();
    Finestra().DisegnaRifCart();
  }
  g.bInEsecuzione = false;
  return riuscito;
}

bool TAmbiente::EseguiComando(const std::vector<std::string>& righe) {
  TDatiGlob& g = DatiGlob;
  g.ListaIstruzioni = righe;
  ResetScanner();
  g.EditorCorrente = TEditorCorrente::Programma;
  g.bImmediato = true;
  const bool riuscito = RunProgram(true);
  Finestra().AggiornaListaOggetti();
  Finestra().DisegnaRifCart();
  return riuscito;
}

std::string TestoValore(const cValore& v) {
  std::string testo;
  if (const auto* f = dynamic_cast<const cValoreFunzione*>(&v)) {
    testo = AlberoInTesto(f->Albero());
    for (char& c : testo) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return testo;
  }
  if (dynamic_cast<const cValoreGraf*>(&v)) {
    v.Descrizione(0, testo);
    return testo;
  }
  if (v.Tipo == T_REALE) return NumeroInTestoDec(static_cast<const cValoreReale&>(v).Value, 2);
  if (TestoDiValore(v, testo)) return testo;
  return std::string();
}

std::vector<std::string> DividiRighe(const std::string& testo) {
  std::vector<std::string> righe;
  std::string riga;
  for (std::size_t i = 0; i < testo.size(); ++i) {
    const char c = testo[i];
    if (c == '\n' || c == '\r') {
      righe.push_back(riga);
      riga.clear();
      if (c == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
    } else {
      riga += c;
    }
  }
  if (!riga.empty()) righe.push_back(riga);
  return righe;
}

}  // namespace qx
