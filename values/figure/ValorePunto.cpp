#include "values/figure/ValorePunto.h"

#include <cstdlib>
#include <typeinfo>

#include "runstate/DatiGlob.h"
#include "platform/Canvas.h"
#include "values/Blocchi.h"
#include "values/FunzioniAusiliarie.h"
#include "values/RifCart.h"
#include "values/figure/StiliGrafici.h"

namespace qx {

namespace {
constexpr std::size_t kLunghezzaEtichetta = 20;
}

void DividiEtichetta(const std::string& etichetta, std::string& base, std::string& indice) {
  std::size_t fine = etichetta.size();
  while (fine > 0 && etichetta[fine - 1] >= '0' && etichetta[fine - 1] <= '9') --fine;
  indice = etichetta.substr(fine);
  base = etichetta.substr(0, fine);
  while (!base.empty() && base.back() == '_') base.pop_back();
}

cValorePunto::cValorePunto() {
  Tipo = T_PUNTO;
  NomeTipo = NomeTipoDi(T_PUNTO);
  AzzeraReale(xCart);
  AzzeraReale(yCart);
}

void cValorePunto::Descrizione(int, std::string& Testo) const {
  Testo = IntestazioneDescrizione();
  if (!bSuRettaNumerica) Testo += " (" + NumeroInTestoDec(xCart, 2) + ", " + NumeroInTestoDec(yCart, 2) + ")";
}

void cValorePunto::Disegna(TCanvas& c) {
  if (bCoordCartesiane && DatiGlob.RifCart) Pixel = DatiGlob.RifCart->CartInPixel(Punto());
  const int px = Pixel.x, py = Pixel.y;
  ApplicaStili(c, *this);
  c.Brush.Color = c.Pen.Color;
  c.Brush.Style = bsSolid;
  c.Rectangle(px - 2, py - 2, px + 3, py + 3);
  c.Brush.Style = bsClear;
  if (Etichetta.empty() || Etichetta[0] == '$') return;

  std::string base, indice;
  DividiEtichetta(Etichetta, base, indice);
  // An empty text has no width but still the height of a line of the font.
  const int larghezza = base.empty() ? 0 : c.TextWidth(base);
  const int altezza = c.TextHeight(base.empty() ? "0" : base);
  if (!base.empty()) c.TextOut(px + 2, py + 2, base);
  RettNome = {px, py, px + larghezza + 2, py + altezza};
  c.Font.Name = "Arial";
  c.Font.Size = 7;
  c.Font.Style = fsBold;
  const int xi = px + 2 + larghezza, yi = py + 2 + altezza / 2;
  if (indice.empty()) {
    RettIndice = {xi, yi, xi, yi};
    return;
  }
  c.TextOut(xi, yi, indice);
  RettIndice = {xi, yi, xi + c.TextWidth(indice), yi + c.TextHeight(indice)};
}

bool cValorePunto::Colpito(const TPoint& P) const {
  if (std::abs(P.x - Pixel.x) < 5 && std::abs(P.y - Pixel.y) < 5) return true;
  if (Nome.empty() || IsAnonimo()) return false;
  return PuntoInRettangolo(RettIndice, P) || PuntoInRettangolo(RettNome, P);
}

void cValorePunto::Sposta(Reale dx, Reale dy) {
  if (bSuRettaNumerica) return;
  xCart += dx;
  yCart += dy;
}

void cValorePunto::Copia(cValoreGraf& Dest) const {
  cValoreGraf::Copia(Dest);
  auto& d = static_cast<cValorePunto&>(Dest);
  d.Pixel = Pixel;
  CopiaReale(d.xCart, xCart);
  CopiaReale(d.yCart, yCart);
  d.bCoordCartesiane = bCoordCartesiane;
  d.bSuRettaNumerica = bSuRettaNumerica;
}

cValorePunto::cValorePunto(const cValorePunto& s, ComeCopia c)
    : cValoreGraf(s, c), Pixel(s.Pixel), bSuRettaNumerica(s.bSuRettaNumerica) {
  CopiaReale(xCart, s.xCart);
  CopiaReale(yCart, s.yCart);
  NomeTipo = NomeTipoDi(T_PUNTO);
  bCoordCartesiane = s.bCoordCartesiane;
}

void* cValorePunto::operator new(std::size_t n) { return Blocchi<sizeof(cValorePunto)>::Prendi(n); }
void cValorePunto::operator delete(void* p, std::size_t n) noexcept {
  Blocchi<sizeof(cValorePunto)>::Rendi(p, n);
}

std::unique_ptr<cValore> cValorePunto::Clona() const {
  return std::unique_ptr<cValore>(new cValorePunto(*this, ComeCopia{}));
}

void cValorePunto::DopoMemorizzazione(const cValoreGraf& sorgente, const std::string& nome) {
  // Every stored point comes here: the plain point's class is told by its type alone, and the
  // label is written in place.
  const auto* punto = typeid(sorgente) == typeid(cValorePunto) ? static_cast<const cValorePunto*>(&sorgente)
                                                                : dynamic_cast<const cValorePunto*>(&sorgente);
  if (punto && !punto->Etichetta.empty()) {
    if (punto != this) Etichetta = punto->Etichetta;
  } else {
    Etichetta.assign(nome, 0, kLunghezzaEtichetta);
  }
}

}  // namespace qx
