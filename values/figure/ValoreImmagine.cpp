#include "values/figure/ValoreImmagine.h"

#include "runstate/DatiGlob.h"
#include "runstate/ErrorReport.h"
#include "platform/Canvas.h"
#include "values/FunzioniAusiliarie.h"
#include "values/RifCart.h"
#include "values/figure/LettoreImmagini.h"

namespace qx {

cValoreImmagine::cValoreImmagine() {
  Tipo = T_IMMAGINE;
  NomeTipo = NomeTipoDi(T_IMMAGINE);
  bCoordCartesiane = true;
}

bool cValoreImmagine::CaricaFile(const std::string& nomeFile) {
  NomeFile = nomeFile;
  std::string motivo;
  if (LeggiImmagine(nomeFile, Immagine, motivo)) return true;
  ReportError("Impossibile caricare l'immagine " + nomeFile + ": " + motivo, true);
  return false;
}

void cValoreImmagine::Descrizione(int, std::string& Testo) const { Testo = IntestazioneDescrizione(); }

TRect cValoreImmagine::Rettangolo() const {
  const cRifCart* f = DatiGlob.RifCart;
  if (!f) return {};
  const int L = f->XPixel(x), T = f->YPixel(y);
  if (bStretch) return {L, T, f->XPixel(x1), f->YPixel(y1)};
  return {L, T, L + Immagine.Width(), T + Immagine.Height()};
}

void cValoreImmagine::Disegna(TCanvas& c) {
  if (Immagine.Empty() || !DatiGlob.RifCart) return;
  const TRect r = Rettangolo();
  if (bStretch) c.StretchDraw(r, Immagine);
  else c.Draw(r.Left, r.Top, Immagine);
}

bool cValoreImmagine::Colpito(const TPoint& P) const { return PuntoInRettangolo(Rettangolo(), P); }

void cValoreImmagine::Sposta(Reale dx, Reale dy) {
  x += dx;
  y += dy;
  x1 += dx;
  y1 += dy;
}

void cValoreImmagine::Copia(cValoreGraf& Dest) const {
  cValoreGraf::Copia(Dest);
  auto& d = static_cast<cValoreImmagine&>(Dest);
  d.x = x;
  d.y = y;
  d.x1 = x1;
  d.y1 = y1;
  d.bCoordCartesiane = bCoordCartesiane;
  d.bStretch = bStretch;
  d.NomeFile = NomeFile;
  // The pixels are copied rather than read again: the file may have gone since, and a
  // copy is made each time the variable is read.
  d.Immagine = Immagine;
}

std::unique_ptr<cValore> cValoreImmagine::Clona() const {
  auto i = std::make_unique<cValoreImmagine>();
  Copia(*i);
  return i;
}

}  // namespace qx
