#include "app/PrelieviCanvas.h"

#include <QAction>
#include <QCheckBox>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <cmath>
#include <vector>

#include "app/CanvasDifferito.h"
#include "app/Editori.h"
#include "app/PaintBoxQt.h"
#include "app/Protetto.h"
#include "app/ServiziFinestra.h"
#include "app/Tfrm3.h"
#include "interpreter/LatoMouse.h"
#include "runstate/DatiGlob.h"
#include "values/GeometriaAnalitica.h"
#include "values/RifCart.h"
#include "values/Variabili.h"
#include "values/figure/ValoreImmagine.h"
#include "values/figure/ValorePoligono.h"
#include "values/figure/ValorePunto.h"
#include "values/figure/ValoreTesto.h"

namespace qx {

namespace {

bool AttesaElastico(const TDatiGlob& g) {
  return g.bAttesaFigura || g.bAttesaLinea || g.bModoPenna || g.bAttesaSegmento || g.bAttesaTesto ||
         g.bAttesaImmagine || g.bAttesaDiagramma || g.bAttesaRettaNum;
}

bool AttesaScelta(const TDatiGlob& g) {
  return g.bAttesaScegliPunto || g.bAttesaScegliSegmento || g.bAttesaScegliOggetto || g.bAttesaScegliLato ||
         g.bAttesaScegliVertice || g.bAttesaClicca;
}

const cValorePunto* Punto(const cValore* v) { return dynamic_cast<const cValorePunto*>(v); }

TPoint Pixel(const TPuntoMondo& p) { return DatiGlob.RifCart->CartInPixel(p); }

// The rectangle that a text or a picture being placed covers on the canvas.
TRect Cornice(const cValore* v, TCanvas& c) {
  if (const auto* t = dynamic_cast<const cValoreTesto*>(v)) {
    const TPoint a = Pixel({t->x, t->y});
    c.Font = t->Font;
    return {a.x, a.y, a.x + c.TextWidth(t->Testo), a.y + c.TextHeight(t->Testo)};
  }
  if (const auto* i = dynamic_cast<const cValoreImmagine*>(v)) {
    const TPoint a = Pixel({i->x, i->y});
    if (i->bStretch) {
      const TPoint b = Pixel({i->x1, i->y1});
      return {a.x, a.y, b.x, b.y};
    }
    return {a.x, a.y, a.x + i->Immagine.Width(), a.y + i->Immagine.Height()};
  }
  return {};
}

// A quarter turn about the centre, exact: +1 anticlockwise, -1 clockwise.
TPuntoMondo QuartoDiGiro(const TPuntoMondo& p, const TPuntoMondo& c, int verso) {
  const Reale dx = p.x - c.x, dy = p.y - c.y;
  return verso > 0 ? TPuntoMondo{c.x - dy, c.y + dx} : TPuntoMondo{c.x + dy, c.y - dx};
}

}  // namespace

TPrelieviCanvas::TPrelieviCanvas(Tfrm3& finestra) : f_(finestra) {
  PopupOggetto = new QMenu(&f_);
  PopupOggetto->setObjectName(QStringLiteral("PopupOggetto"));
  auto voce = [this](const char* nome, const QString& caption, void (TPrelieviCanvas::*clic)()) {
    QAction* a = PopupOggetto->addAction(caption);
    a->setObjectName(QString::fromLatin1(nome));
    QObject::connect(a, &QAction::triggered, PopupOggetto, [this, clic] { Protetto([&] { (this->*clic)(); }); });
    return a;
  };
  CapovolgiOrizzontalmente1 = voce("CapovolgiOrizzontalmente1", QStringLiteral("Capovolgi Orizzontalmente"),
                                   &TPrelieviCanvas::CapovolgiOrizzontalmente1Click);
  Capovolgiverticalmente1 = voce("Capovolgiverticalmente1", QStringLiteral("Capovolgi verticalmente"),
                                 &TPrelieviCanvas::Capovolgiverticalmente1Click);
  Ruota1 = voce("Ruota1", QStringLiteral("Ruota di 90° in senso orario"), &TPrelieviCanvas::Ruota1Click);
  Ruotadi30insensoantiorario1 = voce("Ruotadi30insensoantiorario1", QStringLiteral("Ruota di 90° in senso antiorario"),
                                     &TPrelieviCanvas::Ruotadi30insensoantiorario1Click);
}

TPrelieviCanvas::~TPrelieviCanvas() { delete PopupOggetto; }

bool TPrelieviCanvas::Esiste(const cValoreGraf* v) {
  const cListaVariabili* l = DatiGlob.ListaVariabili;
  if (!v || !l) return false;
  for (int i = 1; i <= l->Count(); ++i)
    if (l->Elemento(i)->GetValore() == v) return true;
  return false;
}

cValoreGraf* TPrelieviCanvas::Evidenziato() {
  if (evidenziato_ && !Esiste(evidenziato_)) {
    // The hovered value went (CANCELLA, a new run): so does the title that described it.
    evidenziato_ = nullptr;
    f_.Label4->clear();
  }
  return evidenziato_;
}

cValorePoligono* TPrelieviCanvas::PoligonoPopup() {
  if (!Esiste(popup_)) popup_ = nullptr;
  return popup_;
}

void TPrelieviCanvas::Dimentica() {
  if (evidenziato_) f_.Label4->clear();
  evidenziato_ = trascinato_ = nullptr;
  popup_ = nullptr;
  elastico_ = {};
  premuto_ = false;
}

// ---------------------------------------------------------------------------------------
// Rubber bands

void TPrelieviCanvas::Traccia(const std::function<void(TCanvas&)>& disegna) {
  TCanvas& c = f_.CanvasRifCart();
  const TPen penna = c.Pen;
  const TBrush pennello = c.Brush;
  const TFont carattere = c.Font;
  c.Pen = {clRed, psSolid, 1, pmNotXor};
  c.Brush.Style = bsClear;
  disegna(c);
  c.Pen = penna;
  c.Brush = pennello;
  c.Font = carattere;
  f_.pbRifCart->update();
}

void TPrelieviCanvas::CancellaElastico() {
  if (!elastico_.disegna) return;
  TCanvasDifferito& c = f_.CanvasRifCart();
  c.Completa();
  // A new picture has no band on it any more.
  if (c.Ridisegni() == elastico_.ridisegno) Traccia(elastico_.disegna);
  elastico_ = {};
}

void TPrelieviCanvas::DisegnaElastico(std::function<void(TCanvas&)> disegna) {
  CancellaElastico();
  TCanvasDifferito& c = f_.CanvasRifCart();
  c.Completa();
  Traccia(disegna);
  elastico_ = {std::move(disegna), c.Ridisegni()};
}

void TPrelieviCanvas::SpostaCursore(const TPoint& px) {
  QCursor::setPos(f_.pbRifCart->mapToGlobal(QPoint(px.x, px.y)));
}

// ---------------------------------------------------------------------------------------
// Press, move, release

void TPrelieviCanvas::pbRifCartMouseDown(Qt::MouseButton pulsante, bool shift, int X, int Y) {
  TDatiGlob& g = DatiGlob;
  if (!g.RifCart) return;
  const TPoint grezzo{X, Y};
  TPoint px = grezzo;
  const TPuntoMondo p = PuntoDelMouse(px, shift);
  ultimoPremuto_ = px;
  // What lies under the mouse at the press, whether or not the mouse moved there first.
  cValoreGraf* sotto = ValoreSottoIlMouse(px);
  if (pulsante == Qt::RightButton) {
    if (auto* pol = dynamic_cast<cValorePoligono*>(sotto)) ApriPopup(*pol, px);
    return;
  }
  if (pulsante != Qt::LeftButton) return;
  premuto_ = true;
  trascinato_ = sotto;
  ancora_ = p;
  // The highlight of the hover is not the pick's: a copy of the value must not inherit it.
  TogliEvidenza();
  // A figure is dropped where it is and a segment's end is fixed: their bands go.
  if (g.bAttesaFigura || g.bAttesaSegmento) CancellaElastico();
  MousePremuto(grezzo, shift);
  if ((g.bAttesaLinea || g.bModoPenna) && g.bMouseCatturato && g.LineaInCorso && g.LineaInCorso->Count() > 0) {
    // The stroke starts where the hand-over put its first point (an end point of the line).
    const TCollItemsPunti& inizio = g.LineaInCorso->Elemento(g.LineaInCorso->Count() - 1);
    const TPoint a = Pixel({inizio.x, inizio.y});
    if (a != px) SpostaCursore(a);
    ultimaPenna_ = a;
  }
}

void TPrelieviCanvas::pbRifCartMouseMove(bool shift, int X, int Y) {
  TDatiGlob& g = DatiGlob;
  if (!g.RifCart) return;
  const TPoint grezzo{X, Y};
  TPoint px = grezzo;
  const TPuntoMondo p = PuntoDelMouse(px, shift);
  f_.Servizi().ImpostaCursore(g.CursoreRifCart);
  if (AttesaElastico(g)) {
    Elastici(grezzo, shift, px, p);
  } else if (f_.cbSpostaOggetti->isChecked() && premuto_ && trascinato_) {
    Trascina(p);
  } else {
    Sorvola(px);
  }
  // The rulers show where the mouse is.
  cRifCart* r = g.RifCart;
  r->MostraCursoreX(px.x);
  r->MostraCursoreY(px.y);
  f_.pbX->update();
  f_.pbY->update();
  ultimoMouse_ = px;
}

void TPrelieviCanvas::pbRifCartMouseUp(Qt::MouseButton pulsante, bool shift, int X, int Y) {
  if (!DatiGlob.RifCart || pulsante != Qt::LeftButton) return;
  premuto_ = false;
  trascinato_ = nullptr;
  // Whatever followed the mouse has been placed: the statement draws it for good. A release
  // that answered nothing leaves the band of the wait that goes on.
  if (MouseRilasciato({X, Y}, shift)) CancellaElastico();
}

void TPrelieviCanvas::pbRifCartMouseLeave() { TogliEvidenza(); }

void TPrelieviCanvas::TogliEvidenza() {
  cValoreGraf* prima = Evidenziato();
  if (!prima) return;
  prima->bSelezionato = false;
  evidenziato_ = nullptr;
  f_.Label4->clear();
  f_.DisegnaRifCart();
}

void TPrelieviCanvas::Elastici(const TPoint& grezzo, bool shift, TPoint px, const TPuntoMondo& p) {
  TDatiGlob& g = DatiGlob;
  if (g.bAttesaDiagramma) {
    if (!TrattoInCorso()) return;
    const TPoint a = g.PixelCliccato;
    DisegnaElastico([a, px](TCanvas& c) {
      c.Pen.Style = psDot;
      c.Rectangle(a.x, a.y, px.x, px.y);
    });
  } else if (g.bAttesaRettaNum) {
    DisegnaElastico([y = px.y](TCanvas& c) {
      c.MoveTo(0, y);
      c.LineTo(c.ClipRect().Right, y);
    });
  } else if (g.bAttesaTesto || g.bAttesaImmagine) {
    MouseMosso(grezzo, shift);
    const cValore* v = g.bAttesaTesto ? g.TestoInAttesa : g.ImmagineInAttesa;
    // The frame where the value is now, taken once: worked out again when it is erased,
    // after the value has followed the mouse, it was erased at the new place, and the first
    // frame stayed where the mouse had first been.
    TCanvasDifferito& tela = f_.CanvasRifCart();
    const TFont carattere = tela.Font;
    const TRect r = Cornice(v, tela);
    tela.Font = carattere;
    DisegnaElastico([r](TCanvas& c) { c.Rectangle(r.Left, r.Top, r.Right, r.Bottom); });
  } else if (g.bAttesaFigura) {
    const auto* f = dynamic_cast<const cValorePoligono*>(g.FiguraInAttesa);
    if (!f) return;
    // The figure's vertices are about its own origin: the mouse carries that origin.
    std::vector<TPoint> contorno;
    for (const TCollItemsPunti& v : f->Punti) contorno.push_back(Pixel({v.x + p.x, v.y + p.y}));
    DisegnaElastico([contorno](TCanvas& c) { c.Polygon(contorno); });
  } else if (g.bAttesaSegmento) {
    const cValorePunto* o = Punto(g.PuntoInizioSegmento);
    if (!o) return;
    MouseMosso(grezzo, shift);
    const TPoint a = Pixel(o->Punto()), b = g.PixelCliccato;
    DisegnaElastico([a, b](TCanvas& c) {
      c.MoveTo(a.x, a.y);
      c.LineTo(b.x, b.y);
    });
    if (g.bTraccia) {
      // Just beyond the segment's end, a mark that stays: the arc that the end sweeps.
      const TPoint t = Pixel(PuntoADistanza(1.01L * g.LunghezzaSegmento, o->Punto(), p));
      TCanvas& c = f_.CanvasRifCart();
      const TPen penna = c.Pen;
      c.Pen.Mode = pmCopy;
      c.Rectangle(t.x - 1, t.y - 1, t.x + 1, t.y + 1);
      c.Pen = penna;
    }
  } else {
    Penna(grezzo, shift, px);
  }
}

void TPrelieviCanvas::Penna(const TPoint& grezzo, bool shift, TPoint px) {
  TDatiGlob& g = DatiGlob;
  const cValorePunto* a = Punto(g.PuntoInizioLinea);
  const cValorePunto* b = Punto(g.PuntoFineLinea);
  bool agganciato = false;
  if (a && b) {
    // Near an end point, and getting nearer, the mouse is drawn onto it.
    for (const cValorePunto* e : {a, b}) {
      const TPoint pe = Pixel(e->Punto());
      if (PuntiPixelVicini(px, pe) && DistanzaPixel(px, pe) < DistanzaPixel(ultimoMouse_, pe)) {
        px = pe;
        agganciato = true;
        SpostaCursore(px);
        break;
      }
    }
  }
  if (!TrattoInCorso() || px == ultimaPenna_) return;
  TCanvasDifferito& c = f_.CanvasRifCart();
  const TPen penna = c.Pen;
  c.Pen = g.PennaCorrente;
  c.MoveTo(ultimaPenna_.x, ultimaPenna_.y);
  c.LineTo(px.x, px.y);
  c.Pen = penna;
  f_.pbRifCart->update();
  ultimaPenna_ = px;
  // The hand-over takes the same point: the end point's pixel when the mouse was drawn to it.
  if (agganciato)
    MouseMosso(px, false);
  else
    MouseMosso(grezzo, shift);
}

void TPrelieviCanvas::Trascina(const TPuntoMondo& p) {
  if (!Esiste(trascinato_)) {
    trascinato_ = nullptr;
    return;
  }
  trascinato_->Sposta(p.x - ancora_.x, p.y - ancora_.y);
  ancora_ = p;
  f_.DisegnaRifCart();
  f_.MemoSource->SetEditorModified(true);
}

void TPrelieviCanvas::Sorvola(const TPoint& px) {
  const TDatiGlob& g = DatiGlob;
  cValoreGraf* v = ValoreSottoIlMouse(px);
  cValoreGraf* prima = Evidenziato();
  if (!v) {
    TogliEvidenza();
    return;
  }
  if (AttesaScelta(g) && !g.bAttesaPuntoSu) f_.pbRifCart->setCursor(Qt::PointingHandCursor);
  std::string descrizione;
  v->Descrizione(0, descrizione);
  std::string etichetta = descrizione;
  if (v == prima && !g.bAttesaScegliLato && !g.bAttesaScegliVertice) {
    f_.Label4->setText(QString::fromStdString(etichetta));
    return;
  }
  if (prima) prima->bSelezionato = false;
  v->bSelezionato = true;
  evidenziato_ = v;
  if (const auto* pol = dynamic_cast<const cValorePoligono*>(v)) {
    if (g.bAttesaScegliLato && pol->bLatoTrovato) etichetta = "Lato del " + descrizione;
    if (g.bAttesaScegliVertice && pol->bVerticeTrovato) etichetta = "Vertice del " + descrizione;
  }
  f_.Label4->setText(QString::fromStdString(etichetta));
  f_.DisegnaRifCart();
  ScriviEtichetta(etichetta, px);
}

void TPrelieviCanvas::ScriviEtichetta(const std::string& testo, const TPoint& px) {
  if (testo.empty()) return;
  TCanvas& c = f_.CanvasRifCart();
  const TFont carattere = c.Font;
  const TBrush pennello = c.Brush;
  const TTextAlign allineamento = c.TextAlign;
  c.Font = {RGBColor(0, 128, 0), "MS Sans Serif", 11, 0};
  c.Brush.Style = bsClear;
  const int w = c.TextWidth(testo), h = c.TextHeight(testo);
  // Centred above the cursor; below it at the top edge, and kept inside the side edges.
  int y = px.y - 25;
  if (y < 0) y = px.y + 25 - h;
  c.TextAlign = {haCenter, vaTop};
  if (px.x + w / 2 > c.ClipRect().Right)
    c.TextAlign.Horz = haRight;
  else if (px.x - w / 2 < 0)
    c.TextAlign.Horz = haLeft;
  c.TextOut(px.x, y, testo);
  c.Font = carattere;
  c.Brush = pennello;
  c.TextAlign = allineamento;
  f_.pbRifCart->update();
}

// ---------------------------------------------------------------------------------------
// The polygon's popup

void TPrelieviCanvas::ApriPopup(cValorePoligono& poligono, const TPoint& px) {
  popup_ = &poligono;
  PopupOggetto->popup(f_.pbRifCart->mapToGlobal(QPoint(px.x + 50, px.y)));
}

void TPrelieviCanvas::Modificato() {
  f_.DisegnaRifCart();
  f_.MemoSource->SetEditorModified(true);
}

// The mirror lines pass through the rightmost vertex and through the topmost one: the image
// lies beside the figure, as the polygon's own mirrors place it.
void TPrelieviCanvas::CapovolgiOrizzontalmente1Click() {
  cValorePoligono* poligono = PoligonoPopup();
  if (!poligono) return;
  poligono->RibaltaOrizzontale();
  DatiGlob.bMouseCatturato = false;
  Modificato();
}

void TPrelieviCanvas::Capovolgiverticalmente1Click() {
  cValorePoligono* poligono = PoligonoPopup();
  if (!poligono) return;
  poligono->RibaltaVerticale();
  DatiGlob.bMouseCatturato = false;
  Modificato();
}

namespace {
// About the centroid; false when the polygon has none (fewer than three vertices).
bool GiraPoligono(cValorePoligono* pol, int verso) {
  TPuntoMondo centro;
  if (!pol || !pol->Baricentro(centro)) return false;
  for (TCollItemsPunti& v : pol->Punti) {
    const TPuntoMondo q = QuartoDiGiro({v.x, v.y}, centro, verso);
    v.x = q.x;
    v.y = q.y;
  }
  return true;
}
}  // namespace

void TPrelieviCanvas::Ruota1Click() {
  if (GiraPoligono(PoligonoPopup(), -1)) Modificato();
}

void TPrelieviCanvas::Ruotadi30insensoantiorario1Click() {
  if (GiraPoligono(PoligonoPopup(), 1)) Modificato();
}

// ---------------------------------------------------------------------------------------

void Tfrm3::CollegaMouseRifCart() {
  prelievi_ = std::make_unique<TPrelieviCanvas>(*this);
  auto shift = [](QMouseEvent* e) { return (e->modifiers() & Qt::ShiftModifier) != 0; };
  auto x = [](QMouseEvent* e) { return static_cast<int>(std::floor(e->position().x())); };
  auto y = [](QMouseEvent* e) { return static_cast<int>(std::floor(e->position().y())); };
  pbRifCart->OnMouseDown = [=, this](QMouseEvent* e) {
    Protetto([&] { prelievi_->pbRifCartMouseDown(e->button(), shift(e), x(e), y(e)); });
  };
  pbRifCart->OnMouseMove = [=, this](QMouseEvent* e) {
    Protetto([&] { prelievi_->pbRifCartMouseMove(shift(e), x(e), y(e)); });
  };
  pbRifCart->OnMouseUp = [=, this](QMouseEvent* e) {
    Protetto([&] { prelievi_->pbRifCartMouseUp(e->button(), shift(e), x(e), y(e)); });
  };
  pbRifCart->OnMouseLeave = [this] { Protetto([&] { prelievi_->pbRifCartMouseLeave(); }); };
}

}  // namespace qx
