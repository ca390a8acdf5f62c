#include "app/Splash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "app/Tfrm3.h"

namespace qx {

TfrmSplash::TfrmSplash(QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint | Qt::SplashScreen) {
  setObjectName("frmSplash");
  setFixedSize(289, 281);
  setMouseTracking(true);
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(0, 200, 289, 40);
  Label1->setAlignment(Qt::AlignCenter);
  QFont f("Arial");
  f.setPointSize(20);
  f.setBold(true);
  Label1->setFont(f);
  QPalette blu = Label1->palette();
  blu.setColor(QPalette::WindowText, Qt::blue);
  Label1->setPalette(blu);
  // The label must not keep the mouse from the window: a move over it closes the splash too.
  Label1->setAttribute(Qt::WA_TransparentForMouseEvents);
  Timer1 = new QTimer(this);
  Timer1->setSingleShot(true);
  Timer1->setInterval(1800);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  if (QScreen* s = QGuiApplication::primaryScreen()) move(s->geometry().center() - rect().center());
}

void TfrmSplash::FormActivate() { Label1->setText(QString::fromStdString(TitoloApplicazione())); }

void TfrmSplash::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
  Timer1->start();
}

void TfrmSplash::mousePressEvent(QMouseEvent*) { Image1Click(); }

void TfrmSplash::mouseMoveEvent(QMouseEvent*) { Panel1MouseMove(); }

void TfrmSplash::paintEvent(QPaintEvent*) {
  // A picture of the plane: axes, a circle and a triangle.
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), QColor(255, 255, 240));
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  p.setPen(QPen(QColor(200, 200, 200), 1));
  for (int x = 24; x < 265; x += 20) p.drawLine(x, 20, x, 180);
  for (int y = 20; y < 181; y += 20) p.drawLine(24, y, 264, y);
  p.setPen(QPen(Qt::black, 1.5));
  p.drawLine(24, 180, 264, 180);
  p.drawLine(24, 180, 24, 20);
  p.setPen(QPen(Qt::blue, 2));
  p.drawEllipse(QPointF(104, 100), 50, 50);
  p.setPen(QPen(Qt::red, 2));
  p.drawPolygon(QPolygonF({QPointF(164, 160), QPointF(244, 160), QPointF(204, 60)}));
}

}  // namespace qx
