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
#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <numbers>
#include <unordered_map>

#include "platform/qt/Rasterizzazione.h"

namespace qx {

namespace {

constexpr std::uint8_t kPenna = 1;      // painted by the pen
constexpr std::uint8_t kIntervallo = 2; // a gap of a styled pen
constexpr std::uint8_t kRiempimento = 4;
// The largest box of an ellipse kept by EllisseMemorizzata, and how many are kept.
constexpr double kMaxEllisse = 2048;
constexpr std::size_t kMaxEllissi = 256;

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

// The pixels [dx0, dx1] of row dy, relative to a corner of what was drawn.
struct TQImageCanvas::Tratto {
  int dy, dx0, dx1;
};

// The runs of pixels that a drawing on a transparent sheet covered, relative to the sheet's
// pixel (-ox, -oy); whether any run touches the sheet's edge (then the sheet was too small).
bool TQImageCanvas::TrattiDi(const QImage& foglio, int ox, int oy, std::vector<Tratto>& tratti) {
  tratti.clear();
  bool bordo = false;
  for (int y = 0; y < foglio.height(); ++y) {
    const QRgb* riga = reinterpret_cast<const QRgb*>(foglio.constScanLine(y));
    for (int x = 0; x < foglio.width(); ++x) {
      if (qAlpha(riga[x]) == 0) continue;
      int fine = x;
      while (fine + 1 < foglio.width() && qAlpha(riga[fine + 1]) != 0) ++fine;
      if (y == 0 || y == foglio.height() - 1 || x == 0 || fine == foglio.width() - 1) bordo = true;
      tratti.push_back({y + oy, x + ox, fine + ox});
      x = fine;
    }
  }
  return bordo;
}

void TQImageCanvas::Riempi(long long x0, long long y0, long long x1, long long y1, const QRect& ritaglio,
                           std::uint32_t colore) {
  x0 = std::max<long long>(x0, ritaglio.left()), y0 = std::max<long long>(y0, ritaglio.top());
  x1 = std::min<long long>(x1, ritaglio.right()), y1 = std::min<long long>(y1, ritaglio.bottom());
  if (x0 > x1 || y0 > y1) return;
  uchar* const bit = img_.bits();  // one detach for all the rows
  const qsizetype passo = img_.bytesPerLine();
  for (long long y = y0; y <= y1; ++y) {
    QRgb* riga = reinterpret_cast<QRgb*>(bit + y * passo);
    std::fill(riga + x0, riga + x1 + 1, colore);
  }
}

void TQImageCanvas::DipingiTratti(const std::vector<Tratto>& tratti, long long x, long long y,
                                  const QRect& ritaglio, std::uint32_t colore) {
  if (tratti.empty()) return;
  // One detach and one look at the row length for all the runs of a shape.
  uchar* const bit = img_.bits();
  const qsizetype passo = img_.bytesPerLine();
  if (ritaglio.isNull()) {  // the caller knows every run to lie inside the image
    for (const Tratto& tr : tratti) {
      QRgb* riga = reinterpret_cast<QRgb*>(bit + (y + tr.dy) * passo);
      for (long long px = x + tr.dx0; px <= x + tr.dx1; ++px) riga[px] = colore;
    }
    return;
  }
  const long long l = ritaglio.left(), t = ritaglio.top(), r = ritaglio.right(), b = ritaglio.bottom();
  for (const Tratto& tr : tratti) {
    const long long ry = y + tr.dy;
    if (ry < t || ry > b) continue;
    const long long x0 = std::max(x + tr.dx0, l), x1 = std::min(x + tr.dx1, r);
    if (x0 > x1) continue;
    QRgb* riga = reinterpret_cast<QRgb*>(bit + ry * passo);
    std::fill(riga + x0, riga + x1 + 1, colore);
  }
}

struct TQImageCanvas::Copertura {
  QRect area;  // in image coordinates, inside the image
  std::vector<std::uint8_t>& bit;  // the canvas's buffer, reused from call to call
  QImage& maschera;
  // The box of the pixels marked so far: only there can Componi change a pixel.
  int sinistra = INT_MAX, alto = INT_MAX, destra = INT_MIN, basso = INT_MIN;

  Copertura(QRect a, std::vector<std::uint8_t>& buffer, QImage& m) : area(a), bit(buffer), maschera(m) {
    bit.assign(a.isEmpty() ? 0 : std::size_t(a.width()) * std::size_t(a.height()), 0);
  }
  bool Vuota() const { return area.isEmpty(); }
  bool Segnata() const { return sinistra <= destra; }
  void Estendi(int l, int t, int r, int b) {
    sinistra = std::min(sinistra, l), alto = std::min(alto, t);
    destra = std::max(destra, r), basso = std::max(basso, b);
  }
  std::uint8_t& In(int x, int y) {
    return bit[std::size_t(y - area.top()) * std::size_t(area.width()) + std::size_t(x - area.left())];
  }
  void Segna(int x, int y, std::uint8_t b) {
    if (!area.contains(x, y)) return;
    In(x, y) |= b;
    Estendi(x, y, x, y);
  }
  // Marks the pixels [l, r] x [t, b] cut to the area.
  void SegnaRettangolo(int l, int t, int r, int b, std::uint8_t v) {
    l = std::max(l, area.left()), t = std::max(t, area.top());
    r = std::min(r, area.right()), b = std::min(b, area.bottom());
    if (l > r || t > b) return;
    for (int y = t; y <= b; ++y) {
      std::uint8_t* riga = &In(l, y);
      for (int i = 0; i <= r - l; ++i) riga[i] |= v;
    }
    Estendi(l, t, r, b);
  }
  std::uint8_t Bit(int x, int y) const {
    return bit[std::size_t(y - area.top()) * std::size_t(area.width()) + std::size_t(x - area.left())];
  }
  // Marks the pixels that a QPainter drawing (in image coordinates) covers.
  void SegnaDisegno(std::uint8_t b, const std::function<void(QPainter&)>& disegno) {
    if (Vuota()) return;
    // The mask is made again only when the size changes; each use starts it transparent.
    if (maschera.size() != area.size()) maschera = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
    maschera.fill(Qt::transparent);
    {
      QPainter p(&maschera);
      p.setRenderHint(QPainter::Antialiasing, false);
      p.translate(-area.left(), -area.top());
      disegno(p);
    }
    const int w = area.width();
    for (int y = 0; y < area.height(); ++y) {
      const QRgb* riga = reinterpret_cast<const QRgb*>(maschera.constScanLine(y));
      std::uint8_t* marchi = &bit[std::size_t(y) * std::size_t(w)];
      int primo = -1, ultimo = -1;
      for (int x = 0; x < w; ++x)
        if (qAlpha(riga[x]) != 0) {
          marchi[x] |= b;
          if (primo < 0) primo = x;
          ultimo = x;
        }
      if (primo >= 0) Estendi(area.left() + primo, area.top() + y, area.left() + ultimo, area.top() + y);
    }
  }
};

TQImageCanvas::TQImageCanvas(int width, int height, TColor fondo)
    : img_(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32), testi_(std::make_shared<Testi>()), ellissi_(std::make_shared<Ellissi>()) {
  img_.fill(QColor::fromRgb(ColoreInPixel(fondo)));
  img_.setDotsPerMeterX(3780);  // 96 dpi, as the toolkit's screen
  img_.setDotsPerMeterY(3780);
}

TQImageCanvas::~TQImageCanvas() = default;

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

void TQImageCanvas::LineaLarga(QPainter& p, int larghezza, std::span<const TPoint> punti, bool chiusa,
                               const QColor& colore) {
  p.setPen(QPen(colore, larghezza, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  QPainterPath percorso(Centro(punti[0]));
  for (std::size_t i = 1; i < punti.size(); ++i) percorso.lineTo(Centro(punti[i]));
  if (chiusa) percorso.closeSubpath();
  if (punti.size() == 1) percorso.lineTo(Centro(punti[0]));
  p.drawPath(percorso);
}

void TQImageCanvas::TracciaLarga(Copertura& c, std::span<const TPoint> punti, bool chiusa) const {
  if (c.Vuota() || punti.empty()) return;
  c.SegnaDisegno(kPenna, [&](QPainter& p) { LineaLarga(p, Spessore(), punti, chiusa, Qt::white); });
}

bool TQImageCanvas::Diretto() const {
  return Pen.Mode == pmCopy && (Brush.Style == bsClear || Brush.Style == bsSolid) &&
         (!PennaVisibile() || !PennaSottile() || raster::SchemaTratto(Pen.Style).empty());
}

void TQImageCanvas::Dipingi(const std::function<void(QPainter&)>& disegno) {
  QPainter p(&img_);
  p.setRenderHint(QPainter::Antialiasing, false);
  disegno(p);
}

bool TQImageCanvas::Ripetuta(UltimaForma::Tipo tipo, std::span<const TPoint> punti) const {
  return Pen.Mode == pmCopy && ultima_.tipo == tipo && ultima_.pen == Pen && ultima_.brush == Brush &&
         std::ranges::equal(ultima_.punti, punti);
}

void TQImageCanvas::Ricorda(UltimaForma::Tipo tipo, std::span<const TPoint> punti) {
  ultima_.tipo = tipo;
  ultima_.pen = Pen;
  ultima_.brush = Brush;
  ultima_.punti.assign(punti.begin(), punti.end());
}

namespace {
// Records a shape as the last one drawn once its call has drawn it, whatever way it returns
// (the calls it makes on the way, such as FillRect, forget the one before).
template <class F>
struct AllUscita {
  F f;
  ~AllUscita() { f(); }
};
template <class F>
AllUscita(F) -> AllUscita<F>;
}  // namespace

void TQImageCanvas::Componi(const Copertura& c) {
  if (c.Vuota() || !c.Segnata()) return;
  const std::uint32_t penna = ColoreInPixel(Pen.Color), pennello = ColoreInPixel(Brush.Color);
  const bool fondoOpaco = Brush.Style == bsSolid;
  // A pixel with no mark is never changed: only the box of the marks is visited.
  for (int y = c.alto; y <= c.basso; ++y) {
    QRgb* riga = reinterpret_cast<QRgb*>(img_.scanLine(y));
    for (int x = c.sinistra; x <= c.destra; ++x) {
      const std::uint8_t b = c.Bit(x, y);
      if (b == 0) continue;
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

// A lone thin segment never meets a pixel twice: it is composed as it is walked, in any mode.
void TQImageCanvas::TracciaDiretta(std::span<const TPoint> punti, bool chiusa) {
  const std::span<const int> schema = raster::SchemaTratto(Pen.Style);
  const std::uint32_t penna = ColoreInPixel(Pen.Color), pennello = ColoreInPixel(Brush.Color);
  const bool fondoOpaco = Brush.Style == bsSolid;
  const bool copia = Pen.Mode == pmCopy;
  // The image's rows are reached from its first byte: one detach for the whole line.
  uchar* const bit = img_.bits();
  const qsizetype riga = img_.bytesPerLine();
  if (schema.empty() && copia) {
    std::uint32_t* const pixel = reinterpret_cast<std::uint32_t*>(bit);
    const std::ptrdiff_t passo = riga / qsizetype(sizeof(std::uint32_t));
    auto pieno = [&](TPoint a, TPoint b) {
      raster::TracciaLineaPiena(a.x, a.y, b.x, b.y, img_.width(), img_.height(), pixel, passo, penna);
    };
    for (std::size_t i = 1; i < punti.size(); ++i) pieno(punti[i - 1], punti[i]);
    if (chiusa && punti.size() > 1) pieno(punti.back(), punti.front());
    return;
  }
  long long fase = 0;
  auto segmento = [&](TPoint a, TPoint b) {
    raster::TracciaLinea(a.x, a.y, b.x, b.y, 0, 0, img_.width(), img_.height(), fase, [&](int x, int y, long long f) {
      QRgb& pixel = reinterpret_cast<QRgb*>(bit + y * riga)[x];
      if (schema.empty() || raster::TrattoAcceso(schema, f))
        pixel = copia ? penna : raster::ApplicaModo(Pen.Mode, pixel, penna);
      else if (fondoOpaco)
        pixel = raster::ApplicaModo(Pen.Mode, pixel, pennello);
    });
  };
  for (std::size_t i = 1; i < punti.size(); ++i) segmento(punti[i - 1], punti[i]);
  if (chiusa && punti.size() > 1) segmento(punti.back(), punti.front());
}

void TQImageCanvas::Polyline(std::span<const TPoint> punti) {
  if (!PennaVisibile() || punti.empty()) return;
  if (Ripetuta(UltimaForma::Tipo::Linea, punti)) return;
  AllUscita ricordo{[&] { Ricorda(UltimaForma::Tipo::Linea, punti); }};
  if (PennaSottile() && (punti.size() == 2 || Diretto())) {
    TracciaDiretta(punti, false);
    return;
  }
  // Only the part inside the image is worked out, however far the ends lie.
  const QRect area = AreaDi(punti, std::max(Spessore(), 1) + 1, img_.rect());
  if (area.isEmpty()) return;
  if (Diretto()) {
    Dipingi([&](QPainter& p) { LineaLarga(p, Spessore(), punti, false, QColor::fromRgb(ColoreInPixel(Pen.Color))); });
    return;
  }
  Copertura c(area, bit_, maschera_);
  if (PennaSottile())
    TracciaSottile(c, punti, false);
  else
    TracciaLarga(c, punti, false);  // round ends
  Componi(c);
}

// ---- Shapes ----

void TQImageCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const TPoint chiave[] = {{x1, y1}, {x2, y2}};
  if (Ripetuta(UltimaForma::Tipo::Rettangolo, chiave)) return;
  AllUscita ricordo{[&] { Ricorda(UltimaForma::Tipo::Rettangolo, chiave); }};
  const QRect r = Normalizza(x1, y1, x2, y2);
  if (r.right() < r.left() || r.bottom() < r.top()) return;
  const TPoint angoli[] = {{r.left(), r.top()}, {r.right(), r.top()}, {r.right(), r.bottom()}, {r.left(), r.bottom()}};
  if (Diretto()) {
    if (Brush.Style == bsSolid) FillRect({r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    // The four sides walked without their last pixels cover the border exactly, but for a
    // box of one pixel, which they leave empty: a point's mark is such a border.
    if (PennaVisibile() && PennaSottile() && (r.width() > 1 || r.height() > 1)) {
      const std::uint32_t colore = ColoreInPixel(Pen.Color);
      const QRect im = img_.rect();
      Riempi(r.left(), r.top(), r.right(), r.top(), im, colore);
      Riempi(r.left(), r.bottom(), r.right(), r.bottom(), im, colore);
      Riempi(r.left(), r.top() + 1, r.left(), r.bottom() - 1, im, colore);
      Riempi(r.right(), r.top() + 1, r.right(), r.bottom() - 1, im, colore);
    } else if (PennaVisibile() && PennaSottile()) {
      TracciaDiretta(angoli, true);
    }
    if (PennaVisibile() && !PennaSottile())
      Dipingi([&](QPainter& p) { LineaLarga(p, Spessore(), angoli, true, QColor::fromRgb(ColoreInPixel(Pen.Color))); });
    return;
  }
  Copertura c(AreaDi(angoli, std::max(Spessore(), 1) + 1, img_.rect()), bit_, maschera_);
  if (c.Vuota()) return;
  if (Brush.Style != bsClear) c.SegnaRettangolo(r.left(), r.top(), r.right(), r.bottom(), kRiempimento);
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

namespace {
void RiempiPoligono(QPainter& p, std::span<const TPoint> punti, const QColor& colore) {
  QPolygonF poligono;
  for (const TPoint& q : punti) poligono << Centro(q);
  p.setPen(Qt::NoPen);
  p.setBrush(colore);
  p.drawPolygon(poligono, Qt::OddEvenFill);
}
}  // namespace

void TQImageCanvas::Polygon(std::span<const TPoint> punti) {
  if (punti.empty()) return;
  if (Ripetuta(UltimaForma::Tipo::Poligono, punti)) return;
  AllUscita ricordo{[&] { Ricorda(UltimaForma::Tipo::Poligono, punti); }};
  const QRect area = AreaDi(punti, std::max(Spessore(), 1) + 1, img_.rect());
  if (area.isEmpty()) return;
  if (Diretto()) {
    if (Brush.Style == bsSolid)
      Dipingi([&](QPainter& p) { RiempiPoligono(p, punti, QColor::fromRgb(ColoreInPixel(Brush.Color))); });
    if (PennaVisibile() && PennaSottile()) TracciaDiretta(punti, true);
    if (PennaVisibile() && !PennaSottile())
      Dipingi([&](QPainter& p) { LineaLarga(p, Spessore(), punti, true, QColor::fromRgb(ColoreInPixel(Pen.Color))); });
    return;
  }
  Copertura c(area, bit_, maschera_);
  // A clear brush paints nothing inside: the inside is not worked out.
  if (Brush.Style != bsClear) c.SegnaDisegno(kRiempimento, [&](QPainter& p) { RiempiPoligono(p, punti, Qt::white); });
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

QPen TQImageCanvas::PennaQt(const QColor& colore, bool conSchema) const {
  QPen pen(colore);
  if (PennaSottile()) {
    pen.setWidth(1);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    const std::span<const int> schema = raster::SchemaTratto(Pen.Style);
    if (conSchema) pen.setDashPattern(QList<qreal>(schema.begin(), schema.end()));
  } else {
    pen.setWidth(Spessore());
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
  }
  return pen;
}

// A whole ellipse that the image does not cut covers the same pixels wherever its box lies:
// in copy mode its inside and its pen are worked out once per box size, pen width and fill,
// on a sheet as large as the coverage mask of Curve and by the painter as there, and then
// copied in the brush's and the pen's colours.
struct TQImageCanvas::Ellissi {
  struct Pronta {
    std::vector<Tratto> dentro, penna;
  };
  std::map<std::array<int, 4>, Pronta> pronte;
};

void TQImageCanvas::EllisseMemorizzata(int x, int y, int larghezza, int altezza, bool riempita) {
  const int spessore = !PennaVisibile() ? 0 : PennaSottile() ? 1 : Spessore();
  const std::array<int, 4> chiave = {larghezza, altezza, spessore, riempita};
  auto trovata = ellissi_->pronte.find(chiave);
  if (trovata == ellissi_->pronte.end()) {
    if (ellissi_->pronte.size() >= kMaxEllissi) ellissi_->pronte.clear();
    Ellissi::Pronta& e = ellissi_->pronte[chiave];
    const int m = std::max(Spessore(), 1) + 1;
    QPainterPath percorso;
    percorso.addEllipse(QRectF(m + 0.5, m + 0.5, larghezza - 1.0, altezza - 1.0));
    QImage foglio(larghezza + 2 * m + 1, altezza + 2 * m + 1, QImage::Format_ARGB32_Premultiplied);
    auto segna = [&](std::vector<Tratto>& tratti, const QPen& pen, const QBrush& brush) {
      foglio.fill(Qt::transparent);
      {
        QPainter p(&foglio);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(pen);
        p.setBrush(brush);
        p.drawPath(percorso);
      }
      TrattiDi(foglio, -m, -m, tratti);
    };
    if (riempita) segna(e.dentro, Qt::NoPen, Qt::white);
    if (spessore > 0) segna(e.penna, PennaQt(Qt::white, false), Qt::NoBrush);
    trovata = ellissi_->pronte.find(chiave);
  }
  // The caller has the sheet's whole box inside the image: no run needs cutting.
  const Ellissi::Pronta& e = trovata->second;
  DipingiTratti(e.dentro, x, y, QRect(), ColoreInPixel(Brush.Color));
  DipingiTratti(e.penna, x, y, QRect(), ColoreInPixel(Pen.Color));
}

void TQImageCanvas::Curve(Curva tipo, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  const TPoint chiave[] = {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}, {static_cast<int>(tipo), 0}};
  if (Ripetuta(UltimaForma::Tipo::Curva, chiave)) return;
  AllUscita ricordo{[&] { Ricorda(UltimaForma::Tipo::Curva, chiave); }};
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
  // Both points the same (an ellipse, a full pie) is whole without asking the angles.
  const bool tutta = x3 == x4 && y3 == y4;
  const double inizio = tutta ? 0.0 : angolo(x3, y3);
  double ampiezza = tutta ? 360.0 : angolo(x4, y4) - inizio;
  while (ampiezza <= 0) ampiezza += 360.0;
  if (std::abs(ampiezza - 360.0) < 1e-9 || (x3 == x4 && y3 == y4)) ampiezza = 360.0;
  const bool intera = ampiezza == 360.0;

  // Made only when the painter draws it: a whole ellipse inside the image is copied.
  QPainterPath percorso;
  auto costruisci = [&] {
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
  };

  const std::span<const int> schema = raster::SchemaTratto(Pen.Style);
  auto pennaQt = [&](const QColor& colore, bool conSchema) { return PennaQt(colore, conSchema); };
  auto riempi = [&](QPainter& p, const QColor& colore) {
    p.setPen(Qt::NoPen);
    p.setBrush(colore);
    p.drawPath(percorso);
  };
  auto traccia = [&](QPainter& p, const QPen& pen) {
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(percorso);
  };
  const bool riempita = tipo != Curva::Arco && Brush.Style != bsClear;
  const TPoint angoli[] = {{x1, y1}, {x2, y2}};
  const QRect area = AreaDi(angoli, std::max(Spessore(), 1) + 1, img_.rect());
  if (area.isEmpty()) return;
  if (Diretto()) {
    // Only an ellipse that the image does not cut: the painter's pixels at a cut differ.
    const int m = std::max(Spessore(), 1) + 1;
    if (intera && dx - sx <= kMaxEllisse && dy - sy <= kMaxEllisse && sx - m >= 0 && sy - m >= 0 &&
        dx + m < img_.width() && dy + m < img_.height()) {
      EllisseMemorizzata(int(sx), int(sy), int(dx - sx), int(dy - sy), riempita);
      return;
    }
    costruisci();
    Dipingi([&](QPainter& p) {
      if (riempita) riempi(p, QColor::fromRgb(ColoreInPixel(Brush.Color)));
      if (PennaVisibile()) traccia(p, pennaQt(QColor::fromRgb(ColoreInPixel(Pen.Color)), false));
    });
    return;
  }
  costruisci();
  Copertura c(area, bit_, maschera_);
  if (riempita) c.SegnaDisegno(kRiempimento, [&](QPainter& p) { riempi(p, Qt::white); });
  if (PennaVisibile()) {
    if (PennaSottile() && !schema.empty()) {
      c.SegnaDisegno(kPenna, [&](QPainter& p) { traccia(p, pennaQt(Qt::white, true)); });
      // Componi gives the pen precedence over the gaps.
      c.SegnaDisegno(kIntervallo, [&](QPainter& p) { traccia(p, pennaQt(Qt::white, false)); });
    } else {
      c.SegnaDisegno(kPenna, [&](QPainter& p) { traccia(p, pennaQt(Qt::white, false)); });
    }
  }
  Componi(c);
}

// ---- Brush fills ----

void TQImageCanvas::FillRect(const TRect& rr) {
  ultima_.Dimentica();
  const QRect r = QRect(QPoint(rr.Left, rr.Top), QPoint(rr.Right - 1, rr.Bottom - 1)).intersected(img_.rect());
  if (r.isEmpty() || Brush.Style == bsClear) return;
  const std::uint32_t colore = ColoreInPixel(Brush.Color);
  if (Brush.Style == bsSolid) {
    Riempi(r.left(), r.top(), r.right(), r.bottom(), r, colore);
    return;
  }
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

// A text laid out once: its advance, and (once it has been drawn) the pixels its glyphs
// cover as runs of a row, relative to the top-left corner of its cell.
struct TQImageCanvas::TestoPronto {
  int larghezza = -1;  // -1: not measured yet
  bool conPixel = false;
  std::vector<Tratto> tratti;
};

// A font of the canvas with its measures and the texts laid out in it.
struct TQImageCanvas::Carattere {
  std::string nome;
  int size = 0;
  TFontStyles stile = 0;
  int dpi = 0;
  QFont font;
  QFontMetrics metriche;
  std::unordered_map<std::string, TestoPronto> testi;
  Carattere(const TFont& f, int punti, QFont qf, const QPaintDevice* dispositivo)
      : nome(f.Name), size(punti), stile(f.Style), dpi(dispositivo->logicalDpiY()), font(qf),
        metriche(qf, dispositivo) {}
};

struct TQImageCanvas::Testi {
  std::vector<std::unique_ptr<Carattere>> caratteri;
  Carattere* ultimo = nullptr;
};

namespace {
// How many fonts, and texts per font, are kept: beyond that the store starts again, so
// that a program writing ever new texts does not fill the memory.
constexpr std::size_t kMaxCaratteri = 64, kMaxTesti = 4096;
}  // namespace

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

TQImageCanvas::Carattere& TQImageCanvas::CarattereAttuale() {
  const int dpi = img_.logicalDpiY();
  auto uguale = [&](const Carattere& c) {
    return c.size == Font.Size && c.stile == Font.Style && c.dpi == dpi && c.nome == Font.Name;
  };
  if (testi_->ultimo && uguale(*testi_->ultimo)) return *testi_->ultimo;
  for (auto& c : testi_->caratteri)
    if (uguale(*c)) return *(testi_->ultimo = c.get());
  if (testi_->caratteri.size() >= kMaxCaratteri) testi_->caratteri.clear();
  testi_->caratteri.push_back(std::make_unique<Carattere>(Font, Font.Size, FontQt(), &img_));
  return *(testi_->ultimo = testi_->caratteri.back().get());
}

TQImageCanvas::TestoPronto& TQImageCanvas::Preparato(Carattere& c, const std::string& testo, bool conPixel) {
  auto trovato = c.testi.find(testo);
  if (trovato == c.testi.end()) {
    if (c.testi.size() >= kMaxTesti) c.testi.clear();
    trovato = c.testi.emplace(testo, TestoPronto{}).first;
  }
  TestoPronto& t = trovato->second;
  if (t.larghezza >= 0 && (!conPixel || t.conPixel)) return t;
  const QString s = QString::fromUtf8(testo.data(), qsizetype(testo.size()));
  if (t.larghezza < 0) t.larghezza = c.metriche.horizontalAdvance(s);
  if (!conPixel) return t;
  t.conPixel = true;
  // The text is drawn once on a transparent sheet, with the painter's own rules, and the
  // pixels it covers are kept. The sheet reaches past the glyphs' box by a margin that grows
  // until its outer ring stays empty, so that no overhang is lost.
  const int ascent = c.metriche.ascent(), altezza = c.metriche.ascent() + c.metriche.descent();
  const QRect scatola = c.metriche.boundingRect(s).united(QRect(0, -ascent, std::max(t.larghezza, 1), altezza));
  for (int margine = 4;; margine *= 2) {
    const QRect r = scatola.adjusted(-margine, -margine, margine, margine);
    QImage foglio(r.size(), QImage::Format_ARGB32_Premultiplied);
    foglio.setDotsPerMeterX(img_.dotsPerMeterX());
    foglio.setDotsPerMeterY(img_.dotsPerMeterY());
    foglio.fill(Qt::transparent);
    {
      QPainter p(&foglio);
      p.setRenderHint(QPainter::Antialiasing, false);
      p.setRenderHint(QPainter::TextAntialiasing, false);
      p.setFont(c.font);
      p.setPen(Qt::white);
      p.drawText(QPoint(-r.left(), -r.top()), s);
    }
    // Relative to the cell's top-left corner, which lies `ascent` above the baseline.
    const bool bordo = TrattiDi(foglio, r.left(), r.top() + ascent, t.tratti);
    if (!bordo || margine > 256) break;
  }
  return t;
}

int TQImageCanvas::TextWidth(const std::string& testo) {
  return Preparato(CarattereAttuale(), testo, false).larghezza;
}

int TQImageCanvas::TextHeight(const std::string&) {
  const Carattere& c = CarattereAttuale();
  return c.metriche.ascent() + c.metriche.descent();
}

void TQImageCanvas::Testo(int x, int y, const std::string& testo, const TRect* ritaglio) {
  Carattere& c = CarattereAttuale();
  const TestoPronto& t = Preparato(c, testo, true);
  const int w = t.larghezza, h = c.metriche.ascent() + c.metriche.descent();
  long long sx = x, sy = y;
  if (TextAlign.Horz == haCenter) sx = x - w / 2;
  if (TextAlign.Horz == haRight) sx = (long long)x - w;
  if (TextAlign.Vert == vaBottom) sy = (long long)y - h;
  if (TextAlign.Vert == vaBaseline) sy = (long long)y - c.metriche.ascent();
  // What may be painted: the image, cut to the rectangle when there is one.
  QRect ritaglioImmagine = img_.rect();
  if (ritaglio)
    ritaglioImmagine &= QRect(QPoint(ritaglio->Left, ritaglio->Top), QPoint(ritaglio->Right - 1, ritaglio->Bottom - 1));
  if (ritaglioImmagine.isEmpty()) return;
  if (Brush.Style == bsSolid) {
    const std::uint32_t fondo = ColoreInPixel(Brush.Color);
    const QRect& q = ritaglioImmagine;
    if (ritaglio)
      Riempi(q.left(), q.top(), q.right(), q.bottom(), q, fondo);
    else
      Riempi(sx, sy, sx + w - 1, sy + h - 1, q, fondo);
  }
  DipingiTratti(t.tratti, sx, sy, ritaglioImmagine, ColoreInPixel(Font.Color));
}

void TQImageCanvas::TextOut(int x, int y, const std::string& testo) {
  ultima_.Dimentica();
  Testo(x, y, testo, nullptr);
}

void TQImageCanvas::TextRect(const TRect& r, int x, int y, const std::string& testo) {
  ultima_.Dimentica();
  Testo(x, y, testo, &r);
}

// ---- Pixels and pictures ----

TColor TQImageCanvas::Pixels(int x, int y) {
  if (!img_.rect().contains(x, y)) return clNone;
  return PixelInColore(reinterpret_cast<const QRgb*>(img_.constScanLine(y))[x]);
}

void TQImageCanvas::SetPixels(int x, int y, TColor colore) {
  ultima_.Dimentica();
  if (img_.rect().contains(x, y)) reinterpret_cast<QRgb*>(img_.scanLine(y))[x] = ColoreInPixel(colore);
}

namespace {
QImage ImmagineDi(const TBitmap& b) {
  return QImage(reinterpret_cast<const uchar*>(b.ScanLine(0)), b.Width(), b.Height(), qsizetype(b.Width()) * 4,
                QImage::Format_ARGB32);
}
}  // namespace

void TQImageCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  ultima_.Dimentica();
  if (bitmap.Empty()) return;
  QPainter p(&img_);
  p.drawImage(QPoint(x, y), ImmagineDi(bitmap));
}

void TQImageCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap) {
  ultima_.Dimentica();
  if (bitmap.Empty() || r.Left == r.Right || r.Top == r.Bottom) return;
  QImage sorgente = ImmagineDi(bitmap).mirrored(r.Right < r.Left, r.Bottom < r.Top);
  const QRect destinazione(QPoint(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom)),
                           QPoint(std::max(r.Left, r.Right) - 1, std::max(r.Top, r.Bottom) - 1));
  QPainter p(&img_);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(destinazione, sorgente);
}

}  // namespace qx
