// The command palette: the speed buttons of the plane and space bands, their popups, and
// the controls of the "Stili e Colori" band.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>

#include "app/DisegnoVoci.h"
#include "app/ModelliPalette.h"
#include "app/Protetto.h"
#include "app/Editori.h"
#include "app/Tfrm3.h"
#include "controls/RAButtons.h"

namespace qx {

namespace {

constexpr int kLato = 28;       // a speed button's side
constexpr int kColonne = 5;

// The pictures of the speed buttons, drawn in a 22 x 22 box.
QIcon IconaPalette(int tag) {
  QPixmap pm(22, 22);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor blu(0, 0, 160), verde(0, 128, 0);
  p.setPen(QPen(blu, 1.5));
  auto poligono = [&](std::initializer_list<QPointF> punti) { p.drawPolygon(QPolygonF(punti)); };
  auto regolare = [&](int n, double r, double fase) {
    QPolygonF q;
    for (int i = 0; i < n; ++i) {
      const double a = fase + 2 * std::numbers::pi * i / n;
      q << QPointF(11 + r * std::cos(a), 11 + r * std::sin(a));
    }
    p.drawPolygon(q);
  };
  switch (tag) {
    case 1: p.setBrush(blu); p.drawEllipse(QPointF(11, 11), 3, 3); break;
    case 2: p.drawLine(3, 18, 19, 4); p.setBrush(blu); p.drawEllipse(QPointF(3, 18), 2, 2); p.drawEllipse(QPointF(19, 4), 2, 2); break;
    case 3: {
      QPainterPath c(QPointF(2, 15));
      c.cubicTo(7, 2, 13, 22, 20, 7);
      p.drawPath(c);
      break;
    }
    case 4: p.drawRect(QRectF(4, 4, 14, 14)); break;
    case 5: p.drawRect(QRectF(2, 6, 18, 10)); break;
    case 6: p.drawEllipse(QPointF(11, 11), 8, 8); break;
    case 9: poligono({{11, 3}, {19, 18}, {3, 18}}); break;
    case 10: poligono({{11, 2}, {19, 11}, {11, 20}, {3, 11}}); break;
    case 11: poligono({{3, 18}, {19, 18}, {19, 5}, {9, 5}}); break;
    case 12: poligono({{3, 16}, {8, 4}, {19, 7}, {16, 19}, {10, 13}}); break;
    case 13: p.drawLine(3, 18, 19, 18); p.drawLine(3, 18, 15, 4); p.drawArc(QRectF(-3, 12, 14, 12), 0, 50 * 16); break;
    case 14: p.drawEllipse(QPointF(9, 9), 6, 6); p.drawLine(13, 13, 19, 19); p.drawLine(6, 9, 12, 9); p.drawLine(9, 6, 9, 12); break;
    case 15: {
      QFont f = p.font();
      f.setBold(true);
      f.setPixelSize(16);
      p.setFont(f);
      p.drawText(QRect(0, 0, 22, 22), Qt::AlignCenter, "T");
      break;
    }
    case 16: poligono({{3, 18}, {9, 18}, {6, 12}}); p.setPen(QPen(verde, 1.5)); poligono({{13, 10}, {19, 10}, {16, 4}}); break;
    case 20: p.setBrush(blu); p.drawRect(QRectF(3, 12, 4, 7)); p.drawRect(QRectF(9, 5, 4, 14)); p.drawRect(QRectF(15, 9, 4, 10)); break;
    case 21: regolare(5, 8, -std::numbers::pi / 2); break;
    case 100:
    case 207: p.setPen(QPen(Qt::red, 2.5)); p.drawLine(5, 5, 17, 17); p.drawLine(17, 5, 5, 17); break;
    case 201: p.drawRect(QRectF(3, 8, 11, 11)); p.drawLine(3, 8, 8, 3); p.drawLine(14, 8, 19, 3); p.drawLine(14, 19, 19, 14); p.drawLine(8, 3, 19, 3); p.drawLine(19, 3, 19, 14); break;
    case 202: poligono({{11, 2}, {19, 17}, {3, 17}}); p.drawEllipse(QRectF(3, 14, 16, 6)); break;
    case 203: p.drawEllipse(QRectF(4, 2, 14, 5)); p.drawEllipse(QRectF(4, 15, 14, 5)); p.drawLine(4, 4, 4, 17); p.drawLine(18, 4, 18, 17); break;
    case 204: p.drawEllipse(QPointF(11, 11), 8, 8); p.drawEllipse(QRectF(3, 8, 16, 6)); break;
    case 205: p.drawRect(QRectF(2, 9, 14, 10)); p.drawLine(2, 9, 7, 4); p.drawLine(16, 9, 20, 4); p.drawLine(7, 4, 20, 4); p.drawLine(20, 4, 20, 14); p.drawLine(16, 19, 20, 14); break;
    case 206: poligono({{11, 2}, {20, 17}, {2, 17}}); p.drawLine(11, 2, 13, 13); p.drawLine(2, 17, 13, 13); p.drawLine(20, 17, 13, 13); break;
    case 208: p.setBrush(blu); p.drawEllipse(QPointF(11, 11), 4, 4); p.setBrush(Qt::NoBrush); p.drawLine(11, 11, 11, 2); p.drawLine(11, 11, 20, 15); p.drawLine(11, 11, 3, 17); break;
    case 209: p.drawLine(2, 19, 20, 3); p.setPen(QPen(verde, 1)); poligono({{2, 12}, {14, 8}, {20, 14}, {8, 18}}); break;
    case 210: p.setBrush(QColor(0, 160, 160, 90)); poligono({{2, 14}, {10, 4}, {20, 8}, {12, 19}}); break;
    default: break;
  }
  return QIcon(pm);
}

QLabel* Etichetta(QWidget* banda, QVBoxLayout* v, const QString& testo) {
  auto* l = new QLabel(testo, banda);
  QFont f = l->font();
  f.setPointSize(7);
  l->setFont(f);
  v->addWidget(l);
  return l;
}

QComboBox* Combo(QWidget* banda, QVBoxLayout* v, const char* nome, const char* hint) {
  auto* c = new QComboBox(banda);
  c->setObjectName(nome);
  c->setToolTip(hint);
  c->setIconSize(QSize(90, 14));
  v->addWidget(c);
  return c;
}

}  // namespace

TRAScrollMaxBand* Tfrm3::Banda(const QString& caption, int altezzaEspansa) {
  auto* banda = new TRAScrollMaxBand(RsIstruzioni);
  banda->SetCaption(caption);
  banda->SetExpandedHeight(altezzaEspansa);
  return banda;
}

void Tfrm3::PulsantePalette(TRAScrollMaxBand* banda, const TVocePalette& voce, int n) {
  const QPoint origine = banda->ClientRect().topLeft();
  const int x = origine.x() + (n % kColonne) * kLato, y = origine.y() + (n / kColonne) * kLato;
  auto* b = new QToolButton(banda);
  b->setObjectName(voce.nome);
  b->setToolTip(QString::fromUtf8(voce.hint));
  b->setIcon(IconaPalette(voce.tag));
  b->setIconSize(QSize(22, 22));
  b->setAutoRaise(true);
  b->setGeometry(x, y, kLato, kLato);
  b->setProperty("Tag", voce.tag);
  connect(b, &QToolButton::clicked, this, [this, b, tag = voce.tag] { Protetto([&] { sbComandiClick(tag, b); }); });
}

void Tfrm3::CreaBandaGeometria(TRAScrollMaxBand* banda) {
  int n = 0;
  for (const TVocePalette& v : PulsantiPalette())
    if (v.banda == TBanda::Geometria) PulsantePalette(banda, v, n++);
  PopupComandi = new QMenu(this);
  PopupComandi->setObjectName("PopupComandi");
  stileMenu_->Applica(PopupComandi);
}

void Tfrm3::CreaBandaSpazio(TRAScrollMaxBand* banda) {
  int n = 0;
  for (const TVocePalette& v : PulsantiPalette())
    if (v.banda == TBanda::Spazio) PulsantePalette(banda, v, n++);
}

void Tfrm3::CreaBandaStili(TRAScrollMaxBand* banda) {
  // The band keeps its header out of the layout's way with its own margins.
  auto* v = new QVBoxLayout(banda);
  v->setSpacing(1);
  const QSize campione(90, 14);
  Etichetta(banda, v, "Colore penna");
  cmbPennaColore = Combo(banda, v, "cmbPennaColore", "ColorePenna");
  Etichetta(banda, v, "Colore riempimento");
  cmbRiempColore = Combo(banda, v, "cmbRiempColore", "ColoreRiempimento");
  Etichetta(banda, v, "Colore sfondo");
  cmbSfondoColore = Combo(banda, v, "cmbSfondoColore", "ColoreSfondo");
  for (QComboBox* c : {cmbPennaColore, cmbRiempColore, cmbSfondoColore}) {
    for (int tag = 0; tag < 16; ++tag) c->addItem(QIcon(PixmapColore(tag, campione)), QString());
    c->addItem(" Altri colori...");
    connect(c, &QComboBox::activated, this, [this, c] { cmbPennaColoreClick(c); });
  }
  Etichetta(banda, v, "Stile penna");
  cmbPennaStile = Combo(banda, v, "cmbPennaStile", "StilePenna");
  for (int n = 1; n <= 6; ++n) cmbPennaStile->addItem(QIcon(PixmapStilePenna(n, campione)), QString());
  Etichetta(banda, v, "Spessore penna");
  cmbPennaSpessore = Combo(banda, v, "cmbPennaSpessore", "SpessorePenna");
  for (int n = 1; n <= 10; ++n) cmbPennaSpessore->addItem(QString::number(n));
  Etichetta(banda, v, "Motivo riempimento");
  cmbRiempMotivo = Combo(banda, v, "cmbRiempMotivo", "MotivoRiempimento");
  for (int s = 0; s <= 7; ++s) cmbRiempMotivo->addItem(QIcon(PixmapMotivo(s, campione)), QString());
  connect(cmbPennaStile, &QComboBox::activated, this, [this] { cmbPennaStileClick(); });
  connect(cmbPennaSpessore, &QComboBox::activated, this, [this] { cmbPennaSpessoreClick(); });
  connect(cmbRiempMotivo, &QComboBox::activated, this, [this] { cmbRiempMotivoClick(); });
  cbSoloOggetto = new QCheckBox("Applica solo ad un oggetto", banda);
  cbSoloOggetto->setObjectName("cbSoloOggetto");
  QFont piccolo = cbSoloOggetto->font();
  piccolo.setPointSize(7);
  cbSoloOggetto->setFont(piccolo);
  v->addWidget(cbSoloOggetto);
  btnCarattere = new TRAhtButton(banda);
  btnCarattere->setObjectName("btnCarattere");
  btnCarattere->setText("Carattere");
  QFont blu = btnCarattere->font();
  blu.setPixelSize(13);
  btnCarattere->setFont(blu);
  btnCarattere->SetFontColor(clBlue);
  v->addWidget(btnCarattere);
  v->addStretch(1);
  connect(btnCarattere, &QPushButton::clicked, this, [this] { btnCarattereClick(); });
}

void Tfrm3::sbComandiClick(int tag, QWidget* pulsante) {
  PopupComandi->clear();
  std::string modello;
  const TVocePalette* voce = pulsante ? PulsantePerTag(tag) : nullptr;
  if (voce && !voce->modello) {
    for (const TVocePopup& v : voce->voci) {
      const QString caption = QString::fromUtf8(v.caption);
      QAction* a = PopupComandi->addAction(caption);
      a->setData(v.codice);
      stileMenu_->Registra(a, [caption](QPainter& p, const QRect& r, bool sel) { DisegnaVocePopup(p, r, caption, sel); });
      connect(a, &QAction::triggered, this, [this, codice = v.codice] { Protetto([&] { sbComandiClick(codice, nullptr); }); });
    }
    // Below the button; the space band's popups open from the band's top, so that they fit.
    const QPoint punto = voce->banda == TBanda::Spazio ? QPoint(pulsante->mapToGlobal(QPoint(5, 0)).x(),
                                                                 RAScrollSpazio->mapToGlobal(QPoint(0, 0)).y())
                                                       : pulsante->mapToGlobal(QPoint(5, pulsante->height()));
    PopupComandi->popup(punto);
  } else if (voce) {
    modello = voce->modello;
  } else {
    modello = ModelloPerCodice(tag);
  }
  ImpostaTestoEditor(*edIstruzione, modello);
  edIstruzione->setFocus();
  if (cbEseguiSubito->isChecked()) pbEsegui->click();
}

}  // namespace qx
