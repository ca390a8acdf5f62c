#include "app/IconeStriscia.h"

#include <QLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>

namespace qx {

namespace {

constexpr int kLato = 18;
const QColor kInchiostro(40, 40, 40);
const QColor kBlu(0, 0, 200);
const QColor kRosso(200, 0, 0);
const QColor kGrigio(150, 150, 150);

// Two axes crossing at (x0, y0), with their arrow heads.
void DisegnaAssi(QPainter& p, int x0, int y0) {
  p.setPen(QPen(kInchiostro, 1.4));
  p.drawLine(QPointF(1, y0), QPointF(kLato - 2, y0));
  p.drawLine(QPointF(x0, kLato - 1), QPointF(x0, 2));
  p.setBrush(kInchiostro);
  p.drawPolygon(QPolygonF({QPointF(kLato - 1, y0), QPointF(kLato - 5, y0 - 3), QPointF(kLato - 5, y0 + 3)}));
  p.drawPolygon(QPolygonF({QPointF(x0, 1), QPointF(x0 - 3, 5), QPointF(x0 + 3, 5)}));
}

// A magnifying glass; `piu` puts a plus in it, else a minus.
void DisegnaLente(QPainter& p, bool piu) {
  p.setPen(QPen(kInchiostro, 1.6));
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(7.5, 7.5), 5.5, 5.5);
  p.setPen(QPen(kInchiostro, 2.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(11.5, 11.5), QPointF(16, 16));
  p.setPen(QPen(kBlu, 1.6));
  p.drawLine(QPointF(5, 7.5), QPointF(10, 7.5));
  if (piu) p.drawLine(QPointF(7.5, 5), QPointF(7.5, 10));
}

}  // namespace

QIcon IconaStriscia(TIconaStriscia icona) {
  QPixmap immagine(kLato, kLato);
  immagine.fill(Qt::transparent);
  QPainter p(&immagine);
  p.setRenderHint(QPainter::Antialiasing);
  switch (icona) {
    case TIconaStriscia::Griglia:
      p.setPen(QPen(kGrigio, 1));
      for (int i = 2; i < kLato; i += 4) {
        p.drawLine(QPointF(i + 0.5, 1), QPointF(i + 0.5, kLato - 1));
        p.drawLine(QPointF(1, i + 0.5), QPointF(kLato - 1, i + 0.5));
      }
      DisegnaAssi(p, 6, 10);
      break;
    case TIconaStriscia::Assi:
      DisegnaAssi(p, 3, kLato - 3);
      break;
    case TIconaStriscia::Origine:
      DisegnaAssi(p, 3, kLato - 3);
      p.setPen(Qt::NoPen);
      p.setBrush(kRosso);
      p.drawEllipse(QPointF(3, kLato - 3), 2.6, 2.6);
      break;
    case TIconaStriscia::ZoomPiu:
      DisegnaLente(p, true);
      break;
    case TIconaStriscia::ZoomMeno:
      DisegnaLente(p, false);
      break;
    case TIconaStriscia::CancellaTraccia:
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 0, 255));
      for (int i = 0; i < 4; ++i) p.drawRect(QRectF(2 + 4 * i, 12 - 3 * i, 2.5, 2.5));
      p.setPen(QPen(kRosso, 2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(4, 4), QPointF(15, 15));
      p.drawLine(QPointF(15, 4), QPointF(4, 15));
      break;
    case TIconaStriscia::Pareti: {
      // The floor seen at a slant, with one wall standing on it.
      p.setPen(QPen(kInchiostro, 1.2));
      p.setBrush(QColor(150, 150, 150));
      p.drawPolygon(QPolygonF({QPointF(1, 16), QPointF(7, 10), QPointF(17, 10), QPointF(11, 16)}));
      p.setBrush(QColor(190, 190, 230));
      p.drawPolygon(QPolygonF({QPointF(7, 10), QPointF(17, 10), QPointF(17, 2), QPointF(7, 2)}));
      break;
    }
  }
  return QIcon(immagine);
}

QToolButton* PulsanteStriscia(QWidget* padre, QLayout* riga, const char* nome, const QIcon& icona,
                              const QString& suggerimento) {
  auto* b = new QToolButton(padre);
  b->setObjectName(nome);
  b->setIcon(icona);
  b->setToolTip(suggerimento);
  b->setAutoRaise(true);
  b->setFixedSize(26, 24);
  riga->addWidget(b);
  return b;
}

}  // namespace qx
