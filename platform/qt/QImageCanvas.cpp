#include "platform/qt/QImageCanvas.h"

#include "platform/qt/FontToolkit.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QString>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "platform/qt/Rasterizzazione.h"

namespace qx {

namespace {

constexpr std::uint8_t kPenna = 1;      // painted by the pen
constexpr std::uint8_t kIntervallo = 2; // a gap of a styled pen
constexpr std::uint8_t kRiempimento = 4;

QRect Normalizza(int x1, int y1, int x2, int y2) {
  return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
}

// A pixel (x, y) is the unit square whose centre is (x + 0.5, y + 0.5): shapes handed to
// QPainter are shifted by half a pixel so that integer coordinates name pixel centres.
QPointF Centro(TPoint p) { return {p.x + 0.5, p.y + 0.5}; }

// The box of the points widened by a margin, cut to the image.
QRect AreaDi(std::span<const TPoint> punti, int margine, const QRect& immagine) {
  long long l = punti[0].x, t = punti[0].y, r = l, b = t;
  for (const TPoint& p : punti) {
    l = std::min<long long>(l, p.x), t = std::min<long long>(t, p.y);
    r = std::max<long long>(r, p.x), b = std::max<long long>(b, p.y);
  }
  l = std::max<long long>(l - margine, immagine.left());
  t = std::max<long long>(t - margine, immagine.top());
  r = std::min<long long>(r + margine, immagine.right());
  b = std::min<long long>(b + margine, immagine.bottom());
  if (l > r || t > b) return {};
  return QRect(QPoint(int(l), int(t)), QPoint(int(r), int(b)));
}

}  // namespace

struct TQImageCanvas::Copertura {
  QRect area;  // in image coordinates, inside the image
  std::vector<std::uint8_t> bit;

  explicit Copertura(QRect a) : area(a), bit(a.isEmpty() ? 0 : std::size_t(a.width()) * std::size_t(a.height()), 0) {}
  bool Vuota() const { return area.isEmpty(); }
  void Segna(int x, int y, std::uint8_t b) {
    if (!area.contains(x, y)) return;
    bit[std::size_t(y - area.top()) * std::size_t(area.width()) + std::size_t(x - area.left())] |= b;
  }
  std::uint8_t Bit(int x, int y) const {
    return bit[std::size_t(y - area.top()) * std::size_t(area.width()) + std::size_t(x - area.left())];
  }
  // Marks the pixels that a QPainter drawing (in image coordinates) covers.
  void SegnaDisegno(std::uint8_t b, const std::function<void(QPainter&)>& disegno) {
    if (Vuota()) return;
    QImage m(area.size(), QImage::Format_ARGB32_Premultiplied);
    m.fill(Qt::transparent);
    {
      QPainter p(&m);
      p.setRenderHint(QPainter::Antialiasing, false);
      p.translate(-area.left(), -area.top());
      disegno(p);
    }
    for (int y = 0; y < area.height(); ++y) {
      const QRgb* riga = reinterpret_cast<const QRgb*>(m.constScanLine(y));
      for (int x = 0; x < area.width(); ++x)
        if (qAlpha(riga[x]) != 0) bit[std::size_t(y) * std::size_t(area.width()) + std::size_t(x)] |= b;
    }
  }
};

TQImageCanvas::TQImageCanvas(int width, int height, TColor fondo)
    : img_(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32) {
  img_.fill(QColor::fromRgb(ColoreInPixel(fondo)));
  img_.setDotsPerMeterX(3780);  // 96 dpi, as the toolkit's screen
  img_.setDotsPerMeterY(3780);
}

TBitmap TQImageCanvas::InBitmap() const {
  TBitmap b(img_.width(), img_.height());
  for (int y = 0; y < img_.height(); ++y) {
    const QRgb* riga = reinterpret_cast<const QRgb*>(img_.constScanLine(y));
    std::copy(riga, riga + img_.width(), b.ScanLine(y));
  }
  return b;
}

bool TQImageCanvas::SalvaPng(const std::string& percorso) const {
  return img_.save(QString::fromStdString(percorso), "PNG");
}

// ---- Pen pixels ----

void TQImageCanvas::TracciaSottile(Copertura& c, std::span<const TPoint> punti, bool chiusa) const {
  if (c.Vuota() || punti.empty()) return;
  const std::span<const int> schema = raster::SchemaTratto(Pen.Style);
  long long fase = 0;
  auto segmento = [&](TPoint a, TPoint b) {
    raster::TracciaLinea(a.x, a.y, b.x, b.y, c.area.left(), c.area.top(), c.area.right() + 1, c.area.bottom() + 1,
                         fase, [&](int x, int y, long long f) {
                           c.Segna(x, y, raster::TrattoAcceso(schema, f) ? kPenna : kIntervallo);
                         });
  };
  for (std::size_t i = 1; i < punti.size(); ++i) segmento(punti[i - 1], punti[i]);
  if (chiusa && punti.size() > 1) segmento(punti.back(), punti.front());
}

void TQImageCanvas::TracciaLarga(Copertura& c, std::span<const TPoint> punti, bool chiusa) const {
  if (c.Vuota() || punti.empty()) return;
  c.SegnaDisegno(kPenna, [&](QPainter& p) {
    QPen pen(Qt::white, Pen.Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    QPainterPath percorso(Centro(punti[0]));
    for (std::size_t i = 1; i < punti.size(); ++i) percorso.lineTo(Centro(punti[i]));
    if (chiusa) percorso.closeSubpath();
    if (punti.size() == 1) percorso.lineTo(Centro(punti[0]));
    p.drawPath(percorso);
  });
}

void TQImageCanvas::Componi(const Copertura& c) {
  if (c.Vuota()) return;
  const std::uint32_t penna = ColoreInPixel(Pen.Color), pennello = ColoreInPixel(Brush.Color);
  const bool fondoOpaco = Brush.Style == bsSolid;
  for (int y = c.area.top(); y <= c.area.bottom(); ++y) {
    QRgb* riga = reinterpret_cast<QRgb*>(img_.scanLine(y));
    for (int x = c.area.left(); x <= c.area.right(); ++x) {
      const std::uint8_t b = c.Bit(x, y);
      if (b & kPenna)
        riga[x] = raster::ApplicaModo(Pen.Mode, riga[x], penna);
      else if ((b & kIntervallo) && fondoOpaco)
        riga[x] = raster::ApplicaModo(Pen.Mode, riga[x], pennello);
      else if ((b & kRiempimento) && !(b & kIntervallo) && raster::TramaAccesa(Brush.Style, x, y))
        riga[x] = raster::ApplicaModo(Pen.Mode, riga[x], pennello);
    }
  }
}

// ---- Lines ----

void TQImageCanvas::LineTo(int x, int y) {
  const TPoint punti[] = {penPos_, {x, y}};
  penPos_ = {x, y};
  Polyline(punti);
}

void TQImageCanvas::Polyline(std::span<const TPoint> punti) {
  if (!PennaVisibile() || punti.empty()) return;
  // Only the part inside the image is walked, however far the ends lie.
  Copertura c(AreaDi(punti, std::max(Pen.Width, 1) + 1, img_.rect()));
  if (PennaSottile())
    TracciaSottile(c, punti, false);
  else
    TracciaLarga(c, punti, false);  // round ends
  Componi(c);
}

// ---- Shapes ----

void TQImageCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const QRect r = Normalizza(x1, y1, x2, y2);
  if (r.right() < r.left() || r.bottom() < r.top()) return;
  const TPoint angoli[] = {{r.left(), r.top()}, {r.right(), r.top()}, {r.right(), r.bottom()}, {r.left(), r.bottom()}};
  Copertura c(AreaDi(angoli, std::max(Pen.Width, 1) + 1, img_.rect()));
  if (c.Vuota()) return;
  for (int y = std::max(r.top(), c.area.top()); y <= std::min(r.bottom(), c.area.bottom()); ++y)
    for (int x = std::max(r.left(), c.area.left()); x <= std::min(r.right(), c.area.right()); ++x)
      c.Segna(x, y, kRiempimento);
  if (PennaVisibile()) {
    if (PennaSottile())
      TracciaSottile(c, angoli, true);
    else
      TracciaLarga(c, angoli, true);
  }
  Componi(c);
}

void TQImageCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  // The whole ellipse is the pie whose two rays coincide.
  Curve(Curva::Torta, x1, y1, x2, y2, x1, y1, x1, y1);
}

void TQImageCanvas::Polygon(std::span<const TPoint> punti) {
  if (punti.empty()) return;
  Copertura c(AreaDi(punti, std::max(Pen.Width, 1) + 1, img_.rect()));
  if (c.Vuota()) return;
  c.SegnaDisegno(kRiempimento, [&](QPainter& p) {
    QPolygonF poligono;
    for (const TPoint& q : punti) poligono << Centro(q);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(poligono, Qt::OddEvenFill);
  });
  if (PennaVisibile()) {
    if (PennaSottile())
      TracciaSottile(c, punti, true);
    else
      TracciaLarga(c, punti, true);
  }
  Componi(c);
}

void TQImageCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Curve(Curva::Arco, x1, y1, x2, y2, x3, y3, x4, y4);
}
void TQImageCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Curve(Curva::Torta, x1, y1, x2, y2, x3, y3, x4, y4);
}
void TQImageCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Curve(Curva::Corda, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TQImageCanvas::Curve(Curva tipo, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  // In floating point: a box may reach across the whole integer range.
  const double sx = std::min(x1, x2), sy = std::min(y1, y2), dx = std::max(x1, x2), dy = std::max(y1, y2);
  if (dx - sx < 1 || dy - sy < 1) return;
  const QRectF scatola(sx + 0.5, sy + 0.5, dx - sx - 1.0, dy - sy - 1.0);
  const double cx = scatola.center().x(), cy = scatola.center().y();
  const double a = std::max(scatola.width() / 2, 1e-9), b = std::max(scatola.height() / 2, 1e-9);
  // The angle of the ellipse's parameter at which a ray from the centre leaves it, in degrees
  // counter-clockwise from three o'clock (the y axis of the image points down).
  auto angolo = [&](int x, int y) {
    const double dx = x + 0.5 - cx, dy = cy - (y + 0.5);
    return std::atan2(a * dy, b * dx) * 180.0 / std::numbers::pi;
  };
  const double inizio = angolo(x3, y3);
  double ampiezza = angolo(x4, y4) - inizio;
  while (ampiezza <= 0) ampiezza += 360.0;
  if (std::abs(ampiezza - 360.0) < 1e-9 || (x3 == x4 && y3 == y4)) ampiezza = 360.0;
  const bool intera = ampiezza == 360.0;

  QPainterPath percorso;
  if (intera) {
    percorso.addEllipse(scatola);
  } else if (tipo == Curva::Torta) {
    percorso.moveTo(scatola.center());
    percorso.arcTo(scatola, inizio, ampiezza);
    percorso.closeSubpath();
  } else {
    percorso.arcMoveTo(scatola, inizio);
    percorso.arcTo(scatola, inizio, ampiezza);
    if (tipo == Curva::Corda) percorso.closeSubpath();
  }

  const TPoint angoli[] = {{x1, y1}, {x2, y2}};
  Copertura c(AreaDi(angoli, std::max(Pen.Width, 1) + 1, img_.rect()));
  if (c.Vuota()) return;
  if (tipo != Curva::Arco) {
    c.SegnaDisegno(kRiempimento, [&](QPainter& p) {
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawPath(percorso);
    });
  }
  if (PennaVisibile()) {
    const std::span<const int> schema = raster::SchemaTratto(Pen.Style);
    const bool tratteggiata = PennaSottile() && !schema.empty();
    auto traccia = [&](std::uint8_t bit, bool conSchema) {
      c.SegnaDisegno(bit, [&](QPainter& p) {
        QPen pen(Qt::white);
        if (PennaSottile()) {
          pen.setWidth(1);
          pen.setCosmetic(true);
          pen.setCapStyle(Qt::FlatCap);
          if (conSchema) pen.setDashPattern(QList<qreal>(schema.begin(), schema.end()));
        } else {
          pen.setWidth(Pen.Width);
          pen.setCapStyle(Qt::RoundCap);
          pen.setJoinStyle(Qt::RoundJoin);
        }
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(percorso);
      });
    };
    if (tratteggiata) {
      traccia(kPenna, true);
      traccia(kIntervallo, false);  // Componi gives the pen precedence over the gaps
    } else {
      traccia(kPenna, false);
    }
  }
  Componi(c);
}

// ---- Brush fills ----

void TQImageCanvas::FillRect(const TRect& rr) {
  const QRect r = QRect(QPoint(rr.Left, rr.Top), QPoint(rr.Right - 1, rr.Bottom - 1)).intersected(img_.rect());
  if (r.isEmpty() || Brush.Style == bsClear) return;
  const std::uint32_t colore = ColoreInPixel(Brush.Color);
  for (int y = r.top(); y <= r.bottom(); ++y) {
    QRgb* riga = reinterpret_cast<QRgb*>(img_.scanLine(y));
    for (int x = r.left(); x <= r.right(); ++x)
      if (raster::TramaAccesa(Brush.Style, x, y)) riga[x] = colore;
  }
}

void TQImageCanvas::FrameRect(const TRect& r) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  FillRect({r.Left, r.Top, r.Right, r.Top + 1});
  FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
  FillRect({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1});
  FillRect({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1});
}

// ---- Text ----

QFont TQImageCanvas::FontQt() const {
  QFont f(FamigliaDesktop(Font.Name));
  // Points at 96 dpi, rounded as the toolkit rounds them.
  f.setPixelSize(std::max(1, (std::abs(Font.Size) * 96 + 36) / 72));
  f.setBold(Font.Style & fsBold);
  f.setItalic(Font.Style & fsItalic);
  f.setUnderline(Font.Style & fsUnderline);
  f.setStrikeOut(Font.Style & fsStrikeOut);
  f.setStyleStrategy(QFont::NoAntialias);
  f.setKerning(false);
  return f;
}

int TQImageCanvas::TextWidth(const std::string& testo) {
  return QFontMetrics(FontQt(), &img_).horizontalAdvance(QString::fromUtf8(testo.data(), qsizetype(testo.size())));
}

int TQImageCanvas::TextHeight(const std::string&) {
  const QFontMetrics m(FontQt(), &img_);
  return m.ascent() + m.descent();
}

void TQImageCanvas::Testo(int x, int y, const std::string& testo, const TRect* ritaglio) {
  const QFont f = FontQt();
  const QFontMetrics m(f, &img_);
  const QString s = QString::fromUtf8(testo.data(), qsizetype(testo.size()));
  const int w = m.horizontalAdvance(s), h = m.ascent() + m.descent();
  int sx = x, sy = y;
  if (TextAlign.Horz == haCenter) sx = x - w / 2;
  if (TextAlign.Horz == haRight) sx = x - w;
  if (TextAlign.Vert == vaBottom) sy = y - h;
  if (TextAlign.Vert == vaBaseline) sy = y - m.ascent();
  QPainter p(&img_);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  if (ritaglio) {
    const QRect clip(QPoint(ritaglio->Left, ritaglio->Top), QPoint(ritaglio->Right - 1, ritaglio->Bottom - 1));
    p.setClipRect(clip);
    if (Brush.Style == bsSolid) p.fillRect(clip, QColor::fromRgb(ColoreInPixel(Brush.Color)));
  } else if (Brush.Style == bsSolid) {
    p.fillRect(QRect(sx, sy, w, h), QColor::fromRgb(ColoreInPixel(Brush.Color)));
  }
  p.setFont(f);
  p.setPen(QColor::fromRgb(ColoreInPixel(Font.Color)));
  p.drawText(QPoint(sx, sy + m.ascent()), s);
}

void TQImageCanvas::TextOut(int x, int y, const std::string& testo) { Testo(x, y, testo, nullptr); }

void TQImageCanvas::TextRect(const TRect& r, int x, int y, const std::string& testo) { Testo(x, y, testo, &r); }

// ---- Pixels and pictures ----

TColor TQImageCanvas::Pixels(int x, int y) {
  if (!img_.rect().contains(x, y)) return clNone;
  return PixelInColore(reinterpret_cast<const QRgb*>(img_.constScanLine(y))[x]);
}

void TQImageCanvas::SetPixels(int x, int y, TColor colore) {
  if (img_.rect().contains(x, y)) reinterpret_cast<QRgb*>(img_.scanLine(y))[x] = ColoreInPixel(colore);
}

namespace {
QImage ImmagineDi(const TBitmap& b) {
  return QImage(reinterpret_cast<const uchar*>(b.ScanLine(0)), b.Width(), b.Height(), qsizetype(b.Width()) * 4,
                QImage::Format_ARGB32);
}
}  // namespace

void TQImageCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  QPainter p(&img_);
  p.drawImage(QPoint(x, y), ImmagineDi(bitmap));
}

void TQImageCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap) {
  if (bitmap.Empty() || r.Left == r.Right || r.Top == r.Bottom) return;
  QImage sorgente = ImmagineDi(bitmap).mirrored(r.Right < r.Left, r.Bottom < r.Top);
  const QRect destinazione(QPoint(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom)),
                           QPoint(std::max(r.Left, r.Right) - 1, std::max(r.Top, r.Bottom) - 1));
  QPainter p(&img_);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(destinazione, sorgente);
}

}  // namespace qx
